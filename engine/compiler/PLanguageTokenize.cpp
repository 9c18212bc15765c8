// PLanguage::Tokenize: one pass over the characters of a line, collecting the
// pending word in a buffer and emitting operators and separators directly.
#include <cstring>

#include "engine/compiler/PLanguage.h"

namespace {

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "0x" and at most 16 digits.
const int kMaxHexLiteral = 18;

// The words after which the tool leaves one blank before the next token.
const char* const kWordsBeforeBlank[] = {"new", "delete", "intercept", "if",  "elseif", "while",
                                         "for", "switch", "or",        "and", "case",   "return"};

class LineScanner {
 public:
  LineScanner(const char* line, SStringArray& tokens, SString* reason)
      : m_line(line), m_tokens(tokens), m_first(tokens.GetCount()), m_reason(reason) {}

  bool Run() {
    for (int i = 0;; i++) {
      const char c = m_line[i];
      if (m_inString) {
        if (!ScanStringChar(i)) return false;
        continue;
      }
      if (m_inHex) {
        if (IsHexDigit(c)) {
          m_buffer += c;
          continue;
        }
        if (!EndHexLiteral()) return false;
      }
      if (IsWordChar(c)) {
        if ((c == 'x' || c == 'X') && m_buffer == "0") m_inHex = true;
        m_buffer += c;
        continue;
      }
      if (static_cast<unsigned char>(c) > 126)
        return Refuse("a character outside a text that the language does not know");
      if (c == 0) {
        Push();
        break;
      }
      if (!ScanPunctuation(i)) return false;
    }
    if (m_tokens.GetCount() == m_first) return Refuse("an empty line");
    if (m_depth != 0) return Refuse("a \"(\" without its \")\"");
    if (FirstIsFor() && m_semicolons != 2) return Refuse("a for line needs two \";\"");
    return true;
  }

 private:
  bool Refuse(const char* reason) {
    if (m_reason) *m_reason = reason;
    return false;
  }

  void Push() {
    if (m_buffer.GetLength() == 0) return;
    m_tokens.Add(m_buffer.GetText());
    m_buffer = "";
  }

  // Only a for line carries its three clauses on one line.
  bool FirstIsFor() const { return m_tokens.GetString(m_first) == "for"; }

  void Emit(const char* token) {
    Push();
    m_tokens.Add(token);
  }

  // Inside a literal every byte is kept; the closing quote may be followed
  // directly only by "and" or "or", never by another word.
  bool ScanStringChar(int i) {
    const char c = m_line[i];
    if (c == 0) return Refuse("a text without its closing quote");
    m_buffer += c;
    if (c != '"') return true;
    m_inString = false;
    if (IsWordChar(m_line[i + 1]) && !PLanguage::IsLogicalWordAt(m_line, i + 1))
      return Refuse("a word directly after a text");
    Push();
    return true;
  }

  // The literal is pushed as the signed decimal text of its 64-bit pattern,
  // so 0xFFFFFFFFFFFFFFFF reads back as -1 wherever a number token is read.
  bool EndHexLiteral() {
    if (m_buffer.GetLength() > kMaxHexLiteral) return Refuse("a hexadecimal number of more than 16 digits");
    m_buffer = SString::FromInt64(m_buffer.HexValue());
    m_inHex = false;
    Push();
    return true;
  }

  bool BlankAllowed(int i) const {
    if (PLanguage::IsLogicalWordAt(m_line, i + 1)) return true;
    for (const char* w : kWordsBeforeBlank)
      if (m_buffer == w) return true;
    return false;
  }

  // Emits the one-character operator, or the two-character one when the
  // next character completes it (consuming that character).
  void EmitOperator(int& i, const char* single, const char* const* pairs) {
    for (; *pairs; pairs += 2) {
      if (m_line[i + 1] == pairs[0][1]) {
        Emit(pairs[1]);
        i++;
        return;
      }
    }
    Emit(single);
  }

  bool ScanPunctuation(int& i) {
    const char c = m_line[i];
    switch (c) {
      case ' ':
        if (!BlankAllowed(i)) return Refuse("a blank where the language allows none");
        Push();
        return true;
      case '"':
        Push();
        m_buffer = "\"";
        m_inString = true;
        return true;
      case '!': { static const char* const p[] = {"!=", "!=", nullptr}; EmitOperator(i, "!", p); return true; }
      case '=': { static const char* const p[] = {"==", "==", nullptr}; EmitOperator(i, "=", p); return true; }
      case '%': { static const char* const p[] = {"%=", "%=", nullptr}; EmitOperator(i, "%", p); return true; }
      case '*': { static const char* const p[] = {"*=", "*=", nullptr}; EmitOperator(i, "*", p); return true; }
      case '/': { static const char* const p[] = {"/=", "/=", nullptr}; EmitOperator(i, "/", p); return true; }
      case '?': { static const char* const p[] = {"?=", "?=", nullptr}; EmitOperator(i, "?", p); return true; }
      case '+': { static const char* const p[] = {"+=", "+=", "++", "++", nullptr}; EmitOperator(i, "+", p); return true; }
      case '-': { static const char* const p[] = {"-=", "-=", "--", "--", nullptr}; EmitOperator(i, "-", p); return true; }
      case '<': { static const char* const p[] = {"<<", "<<", "<=", "<=", nullptr}; EmitOperator(i, "<", p); return true; }
      case '>': { static const char* const p[] = {">=", ">=", ">>", ">>", nullptr}; EmitOperator(i, ">", p); return true; }
      // "&&" and "||" are the word operators written the C way.
      case '&': { static const char* const p[] = {"&&", "and", nullptr}; EmitOperator(i, "&", p); return true; }
      case '|': { static const char* const p[] = {"||", "or", nullptr}; EmitOperator(i, "|", p); return true; }
      case '^': Emit("^"); return true;
      case '~': Emit("~"); return true;
      case ',': Emit(","); return true;
      case '(':
        Emit("(");
        m_depth++;
        return true;
      case ')':
        if (--m_depth < 0) return Refuse("a \")\" without its \"(\"");
        Emit(")");
        return true;
      case '.':
        if (m_buffer.IsNumber()) {
          m_buffer += '.';
        } else {
          Emit(".");
        }
        return true;
      case ';':
        Emit(";");
        if (!FirstIsFor() || ++m_semicolons >= 3)
          return Refuse("a \";\" outside the three parts of a for line");
        return true;
      default:
        // Tab, "#", "$", ":", "@", brackets, braces, "'", backslash and the
        // control characters have no place outside a literal.
        return Refuse(c == '\t' ? "a tab where the language allows none"
                                : "a character outside a text that the language does not know");
    }
  }

  const char* m_line;
  SStringArray& m_tokens;
  const int m_first;  // this line's first token in the list
  SString m_buffer;
  bool m_inString = false;
  bool m_inHex = false;
  int m_depth = 0;
  int m_semicolons = 0;
  SString* m_reason;
};

}  // namespace

bool PLanguage::Tokenize(const SString& line, SStringArray& tokens, SString* reason) const {
  return LineScanner(line.GetText(), tokens, reason).Run();
}

bool PLanguage::IsLogicalWordAt(const char* line, int pos) {
  if (!line || pos < 0) return false;
  const char* p = line + pos;
  int n;
  if (std::strncmp(p, "and", 3) == 0) {
    n = 3;
  } else if (std::strncmp(p, "or", 2) == 0) {
    n = 2;
  } else {
    return false;
  }
  const char next = p[n];
  return next == 0 || std::strchr("\t !\"(-~", next) != nullptr;
}
