// PLanguage: keyword lists, token classes and the whole-line entry point.
// The character scanner lives in PLanguageTokenize.cpp, the sequence rules in
// PLanguageCheck.cpp.
#include "engine/compiler/PLanguage.h"

#include "engine/compiler/TokenText.h"

namespace {

// The length is kept so that a name is compared only with the words as long
// as it is: names are most of a line's tokens.
struct WordClass {
  template <int N>
  constexpr WordClass(const char (&text)[N], int32_t cls)
      : word(text), length(N - 1), tokenClass(cls) {}
  const char* word;
  int length;
  int32_t tokenClass;
};

// Reserved words that classify as something other than a plain identifier;
// "from", "hidden" and "bool" are keywords yet read as identifiers.
const WordClass kWordClasses[] = {
    {"_ifdef", TokenNotAllowed},   {"_ifndef", TokenNotAllowed},  {"_else", TokenNotAllowed},
    {"_end", TokenNotAllowed},     {"object", TokenNotAllowed},   {"function", TokenNotAllowed},
    {"event", TokenNotAllowed},    {"message", TokenNotAllowed},  {"constant", TokenNotAllowed},
    {"if", TokenBlockKeyword},     {"elseif", TokenBlockKeyword}, {"while", TokenBlockKeyword},
    {"for", TokenBlockKeyword},    {"switch", TokenBlockKeyword}, {"case", TokenBlockKeyword},
    {"return", TokenReturn},       {"else", TokenPlainKeyword},   {"end", TokenPlainKeyword},
    {"continue", TokenPlainKeyword}, {"break", TokenPlainKeyword}, {"default", TokenPlainKeyword},
    {"new", TokenNew},             {"delete", TokenDelete},       {"intercept", TokenIntercept},
    {"this", TokenThis},           {"caller", TokenCaller},       {"true", TokenBoolean},
    {"false", TokenBoolean},       {"null", TokenNull},           {"and", TokenLogical},
    {"or", TokenLogical},
};

// Operators in the order they are tried; the sign is decided before these.
const WordClass kOperatorClasses[] = {
    {"=", TokenAssign},
    {"*=", TokenCompoundAssign}, {"/=", TokenCompoundAssign}, {"%=", TokenCompoundAssign},
    {"+=", TokenCompoundAssign}, {"-=", TokenCompoundAssign},
    {"++", TokenStep},           {"--", TokenStep},
    {"!", TokenNot},             {"~", TokenComplement},
    {"+", TokenArithmetic},      {"-", TokenArithmetic},      {"*", TokenArithmetic},
    {"/", TokenArithmetic},      {"%", TokenArithmetic},
    {"|", TokenBitwise},         {"&", TokenBitwise},         {"^", TokenBitwise},
    {"<<", TokenBitwise},        {">>", TokenBitwise},
    {".", TokenDot},
    {"==", TokenComparison},     {"!=", TokenComparison},     {"<", TokenComparison},
    {">", TokenComparison},      {"<=", TokenComparison},     {">=", TokenComparison},
    {"?=", TokenComparison},
    {"(", TokenOpenParen},       {")", TokenCloseParen},      {",", TokenComma},
    {";", TokenSemicolon},
};

// A "-" is a sign where an operand is expected: at the start, after a
// keyword that takes an expression, or after an operator or separator.
bool ExpectsOperand(int32_t previous) {
  switch (previous) {
    case TokenNotAllowed: case TokenBlockKeyword: case TokenReturn: case TokenLogical:
    case TokenAssign: case TokenCompoundAssign: case TokenComparison: case TokenOpenParen:
    case TokenComma: case TokenSemicolon:
      return true;
    default:
      return false;
  }
}

int32_t OperatorClass(const char* text) {
  for (const WordClass& op : kOperatorClasses)
    if (TokenIs(text, op.word)) return op.tokenClass;
  return TokenNotAllowed;
}

// Operators other than "-" and "." begin with nothing else.
bool OnlyOperatorsStartWith(char c) {
  switch (c) {
    case '=': case '*': case '/': case '%': case '+': case '<': case '>': case '!': case '?':
    case '~': case '|': case '&': case '^': case '(': case ')': case ',': case ';':
      return true;
    default:
      return false;
  }
}

}  // namespace

PLanguage::PLanguage() { FillKeywordLists(); }

PLanguage::~PLanguage() = default;

void PLanguage::FillKeywordLists() {
  static const char* const kDirectives[] = {"_ifdef", "_ifndef", "_else", "_end"};
  static const char* const kDeclarations[] = {"object", "function", "event", "message"};
  static const char* const kStatements[] = {
      "from",   "constant", "hidden", "new",  "delete", "intercept", "if",     "else",  "elseif",
      "while",  "for",      "continue", "break", "switch", "case",   "default", "end",  "return",
      "and",    "or",       "this",   "caller", "true", "false",     "null",   "bool"};
  for (const char* w : kDirectives) m_directiveWords.Add(w);
  for (const char* w : kDeclarations) m_declarationWords.Add(w);
  for (const char* w : kStatements) m_statementWords.Add(w);
}

bool PLanguage::IsKeyword(const char* word) const {
  if (!word) return false;
  return m_directiveWords.Find(word) >= 0 || m_declarationWords.Find(word) >= 0 ||
         m_statementWords.Find(word) >= 0;
}

bool PLanguage::ParseLine(const SString& line, SStringArray& tokens,
                          SArray<int32_t>* classes, SString* reason,
                          SArray<SString*>* spare) const {
  if (classes && classes->GetCount() != 0) {
    tokens.Purge();
    return false;
  }
  if (!TokenizeInto(line, tokens, spare, reason)) return false;
  if (!CheckTokens(tokens, classes, reason)) return false;
  return !classes || classes->GetCount() == tokens.GetCount();
}

int32_t PLanguage::ClassifyToken(int32_t previous, const SString& token) const {
  const char* text = token.GetText();
  if (OnlyOperatorsStartWith(text[0])) return OperatorClass(text);
  if (token.IsIdentifier()) {
    const int length = token.GetLength();
    for (const WordClass& w : kWordClasses)
      if (w.length == length && TokenIs(text, w.word)) return w.tokenClass;
    return previous == TokenNew ? TokenClassName : TokenIdentifier;
  }
  if (token.IsEnclosedBy('"')) return TokenString;
  if (token.IsNumber()) return TokenNumber;
  if (TokenIs(text, "-") && ExpectsOperand(previous)) return TokenSign;
  return OperatorClass(text);
}
