#include "core/ExpressionEvaluator.h"

#include <cstdint>

namespace {

// ---- Characters and tokens -----------------------------------------------------------------

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsWordChar(char c) { return IsAsciiDigit(c) || IsAsciiLetter(c) || c == '_'; }
bool IsHexDigit(char c) {
  return IsAsciiDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The code of an operator token, 0 for any other token.
int OperatorCode(const SString& token) {
  static const struct {
    const char* text;
    int code;
  } kOperators[] = {
      {"*", EXPRESSION_MULTIPLY},     {"/", EXPRESSION_DIVIDE},      {"%", EXPRESSION_REMAINDER},
      {"+", EXPRESSION_ADD},          {"-", EXPRESSION_SUBTRACT},    {"<<", EXPRESSION_SHIFT_LEFT},
      {">>", EXPRESSION_SHIFT_RIGHT}, {"&", EXPRESSION_AND},         {"^", EXPRESSION_XOR},
      {"|", EXPRESSION_OR},
  };
  for (const auto& op : kOperators)
    if (token == op.text) return op.code;
  return 0;
}

// The token being built by the scanner, handed to the list when it ends.
void FlushToken(SString& token, SStringArray& tokens) {
  if (token.GetLength() == 0) return;
  tokens.Add(token.GetText());
  token = "";
}

// ---- Owned value lists -----------------------------------------------------------------------

// A list of SValues it deletes when it goes, however the evaluation ends.
class OwnedValues : public SArray<SValue*> {
 public:
  OwnedValues() = default;
  OwnedValues(const OwnedValues&) = delete;
  OwnedValues& operator=(const OwnedValues&) = delete;
  ~OwnedValues() override { Purge(); }
};

SValue* NewEntry(int code) {
  SValue* entry = new SValue;
  entry->SetName(SString::FromInt(code).GetText());
  return entry;
}

// The role of a postfix entry, read back from its name.
int EntryCode(const SValue& entry) { return static_cast<int>(entry.GetName().ToInt64()); }

// ---- Operators on the value stack ---------------------------------------------------------------

// A shift or bitwise operator on two integers; the count of a shift is the
// low 8 bits of right, and shifts of 64 or more run everything out.
int64_t IntegerOperation(int code, int64_t left, int64_t right) {
  const unsigned count = static_cast<unsigned>(right) & 0xFF;
  switch (code) {
    case EXPRESSION_SHIFT_LEFT:
      return count >= 64 ? 0 : static_cast<int64_t>(static_cast<uint64_t>(left) << count);
    case EXPRESSION_SHIFT_RIGHT:
      if (count >= 64) return left < 0 ? -1 : 0;
      return left >> count;  // arithmetic: the sign fills in
    case EXPRESSION_AND: return left & right;
    case EXPRESSION_XOR: return left ^ right;
    default: return left | right;
  }
}

// Applies one operator to left (second from the top) and right (the top);
// the result stays in left.
bool ApplyOperator(int code, SValue& left, const SValue& right) {
  switch (code) {
    case EXPRESSION_MULTIPLY: left.Multiply(right); return true;
    case EXPRESSION_ADD: left.Add(right); return true;
    case EXPRESSION_SUBTRACT: left.Subtract(right); return true;
    case EXPRESSION_DIVIDE: {
      const double divisor = right.ToDouble();
      if (divisor == 0.0) return false;
      left.DivideBy(divisor);
      return true;
    }
    case EXPRESSION_REMAINDER:
      // A double divisor between -1 and 1 reads as the integer 0 here.
      if (right.ToInt64() == 0) return false;
      left.Modulo(right);
      return true;
    case EXPRESSION_SHIFT_LEFT:
    case EXPRESSION_SHIFT_RIGHT:
    case EXPRESSION_AND:
    case EXPRESSION_XOR:
    case EXPRESSION_OR:
      if (!left.IsInt64() || !right.IsInt64()) return false;
      left.AssignInt64(IntegerOperation(code, left.ToInt64(), right.ToInt64()));
      return true;
  }
  return false;
}

}  // namespace

// ---- Scanning ------------------------------------------------------------------------------------

bool ScanExpressionTokens(const char* text, SStringArray& tokens) {
  // Blanks around operators go; one between two word characters stays and
  // fails below, as "12 34" must.
  SString source(text);
  source.RemoveExtraBlanks(true, nullptr);
  const char* s = source.GetText();

  SString token;
  int depth = 0;
  bool inText = false, inHex = false;
  for (int i = 0;; i++) {
    const char c = s[i];
    if (inText) {
      if (c == 0) return false;  // the text never closes
      token += c;
      if (c == '"') {
        inText = false;
        if (IsWordChar(s[i + 1])) return false;
      }
      continue;
    }
    if (inHex) {
      if (IsHexDigit(c)) {
        token += c;
        continue;
      }
      // More than 16 digits after "0x" do not fit 64 bits.
      if (token.GetLength() > 18) return false;
      // Read with its prefix, so that leading zeros ("0x0F") count as digits.
      const SString digits = SString::FromUInt64(static_cast<uint64_t>(token.HexValue()));
      tokens.Add(digits.GetText());
      token = "";
      inHex = false;
    }
    if (IsWordChar(c)) {
      if ((c == 'x' || c == 'X') && token == "0") inHex = true;
      token += c;
    } else if (c == 0) {
      FlushToken(token, tokens);
      break;
    } else if (c == '"') {
      FlushToken(token, tokens);
      token = "\"";
      inText = true;
    } else if (c == '%' || c == '&' || c == '*' || c == '+' || c == '-' || c == '/' ||
               c == '^' || c == '|') {
      FlushToken(token, tokens);
      const char op[2] = {c, 0};
      tokens.Add(op);
    } else if (c == '(' || c == ')') {
      depth += c == '(' ? 1 : -1;
      if (depth < 0 || depth > kMaxExpressionDepth) return false;
      FlushToken(token, tokens);
      tokens.Add(c == '(' ? "(" : ")");
    } else if (c == '.') {
      if (!token.IsNumber()) return false;  // ".5" and "a.b" fail
      token += c;
    } else if (c == '<' || c == '>') {
      FlushToken(token, tokens);
      if (s[i + 1] != c) return false;
      i++;
      tokens.Add(c == '<' ? "<<" : ">>");
    } else {
      return false;
    }
  }
  return depth == 0;
}

// ---- Postfix ordering -------------------------------------------------------------------------------

void PopExpressionOperator(SArray<int>& operators, SArray<SValue*>& output) {
  if (operators.GetCount() == 0) return;
  output.Add(NewEntry(operators.GetLast()));
  operators.RemoveLast();
}

bool ExpressionToPostfix(const SStringArray& tokens, int& position, SArray<SValue*>& output,
                         int depth) {
  SArray<int> operators;
  while (position < tokens.GetCount()) {
    const SString token = tokens.GetString(position++);
    const int code = OperatorCode(token);
    if (code != 0) {
      // Everything stacked that binds at least as tightly goes first.
      while (operators.GetCount() > 0 && code / 10 >= operators.GetLast() / 10)
        PopExpressionOperator(operators, output);
      operators.Add(code);
    } else if (token == "(") {
      if (depth >= kMaxExpressionDepth) return false;
      if (!ExpressionToPostfix(tokens, position, output, depth + 1)) return false;
    } else if (token == ")") {
      break;
    } else {
      SValue* operand = NewEntry(EXPRESSION_OPERAND);
      output.Add(operand);  // owned by the list from here on
      if (token.IsEnclosedBy('"')) {
        operand->SetString(token.Unenclosed('"').GetText());
      } else if (token.IsNumber()) {
        // Set the kind, then read the text by that kind's rule.
        operand->SetKind(token.IsDecimal() ? VALUE_DOUBLE : VALUE_INT64);
        operand->SetFromText(token.GetText());
      } else {
        return false;  // a name such as pi is no operand
      }
    }
  }
  while (operators.GetCount() > 0) PopExpressionOperator(operators, output);
  return true;
}

// ---- Evaluation ------------------------------------------------------------------------------------

bool EvaluatePostfix(const SArray<SValue*>& postfix, SString& result) {
  OwnedValues stack;
  for (int i = 0; i < postfix.GetCount(); i++) {
    const SValue& entry = *postfix.GetAt(i);
    const int code = EntryCode(entry);
    if (code == EXPRESSION_OPERAND) {
      SValue* value = new SValue;
      value->AssignValue(entry);
      stack.Add(value);
      continue;
    }
    // An operator short of operands (a leading minus, say) fails.
    const int count = stack.GetCount();
    if (count < 2) return false;
    if (!ApplyOperator(code, *stack.GetAt(count - 2), *stack.GetAt(count - 1)))
      return false;
    stack.DeleteAndRemoveLast();
  }
  if (stack.GetCount() != 1) return false;
  const SValue& value = *stack.GetAt(0);
  result = value.ToString();
  if (value.IsString()) result = SString("\"") + result + "\"";
  return true;
}

SString EvaluateExpression(const char* text) {
  SStringArray tokens;
  if (!ScanExpressionTokens(text, tokens)) return SString("");
  OwnedValues postfix;
  int position = 0;
  // A stray ")" would end the outer level early; all tokens must be used.
  if (!ExpressionToPostfix(tokens, position, postfix) || position != tokens.GetCount())
    return SString("");
  SString result;
  if (!EvaluatePostfix(postfix, result)) return SString("");
  return result;
}
