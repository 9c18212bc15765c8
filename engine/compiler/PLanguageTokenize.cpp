// PLanguage::Tokenize: one pass over the characters of a line. A pending
// word, number or text literal is a range of the line, cut out only when it
// ends; operators and separators are emitted directly. Token strings left in
// the list by the line before are overwritten rather than made anew, so a
// line usually costs no allocation.
#include <cstring>

#include "engine/compiler/PLanguage.h"
#include "engine/compiler/TokenText.h"

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
  // first: the index this line's first token takes. The strings from there
  // on are reused; those the line does not need go to spare when there is
  // one, and are deleted otherwise.
  LineScanner(const char* line, SStringArray& tokens, int first, SArray<SString*>* spare,
              SString* reason)
      : m_line(line), m_tokens(tokens), m_first(first), m_next(first), m_spare(spare),
        m_reason(reason) {}
  ~LineScanner() {
    const int count = m_tokens.GetCount();
    if (count <= m_next) return;
    if (!m_spare) {
      m_tokens.DeleteAndRemoveAt(m_next, count - m_next);
      return;
    }
    // All at once, as TakeSpare took them: one resize of each list a line.
    const int kept = m_spare->GetCount();
    if (m_spare->SetSize(kept + count - m_next, true)) {
      for (int i = m_next; i < count; i++) m_spare->SetAt(kept + i - m_next, m_tokens.GetAt(i));
    } else {
      for (int i = m_next; i < count; i++) delete m_tokens.GetAt(i);
    }
    // Shrinking the plain array only forgets the pointers now held by spare.
    m_tokens.SetSize(m_next, true);
  }

  bool Run() {
    for (int i = 0;; i++) {
      const char c = m_line[i];
      if (m_inString) {
        if (!ScanStringChar(i)) return false;
        continue;
      }
      if (m_inHex) {
        if (IsHexDigit(c)) continue;
        if (!EndHexLiteral(i)) return false;
      }
      if (IsWordChar(c)) {
        if ((c == 'x' || c == 'X') && PendingIs("0", i)) m_inHex = true;
        if (m_start < 0) m_start = i;
        continue;
      }
      if (static_cast<unsigned char>(c) > 126)
        return Refuse("a character outside a text that the language does not know");
      if (c == 0) {
        Push(i);
        break;
      }
      if (!ScanPunctuation(i)) return false;
    }
    if (m_lost) return Refuse("no memory for the line's tokens");
    if (m_next == m_first) return Refuse("an empty line");
    if (m_depth != 0) return Refuse("a \"(\" without its \")\"");
    if (FirstIsFor() && m_semicolons != 2) return Refuse("a for line needs two \";\"");
    return true;
  }

 private:
  bool Refuse(const char* reason) {
    if (m_reason) *m_reason = reason;
    return false;
  }

  // The next token: the string the line before left in that place, a spare
  // one, or a new one.
  void Put(const char* text, int n) {
    if (m_next == m_tokens.GetCount() && !TakeSpare() && m_tokens.Add("") < 0) {
      m_lost = true;
      return;
    }
    m_tokens.GetAt(m_next)->Assign(text, n);
    m_next++;
  }

  // Appends every spare string to the list at once; the destructor hands
  // back those the line leaves unused.
  bool TakeSpare() {
    const int spare = m_spare ? m_spare->GetCount() : 0;
    const int count = m_tokens.GetCount();
    if (spare == 0 || !m_tokens.SetSize(count + spare, true)) return false;
    for (int i = 0; i < spare; i++) m_tokens.SetAt(count + i, m_spare->GetAt(i));
    m_spare->RemoveAll();
    return true;
  }

  // The pending range ends before end.
  void Push(int end) {
    if (m_start < 0) return;
    Put(m_line + m_start, end - m_start);
    m_start = -1;
  }

  // The pending range, ending before end, is the word.
  bool PendingIs(const char* word, int end) const {
    return m_start >= 0 && end - m_start == int(strlen(word)) &&
           strncmp(m_line + m_start, word, end - m_start) == 0;
  }

  // Digits with at most one inner ".": the pending word is a number so far.
  bool PendingIsNumber(int end) const {
    if (m_start < 0) return false;
    bool point = false;
    for (int k = m_start; k < end; k++) {
      const char c = m_line[k];
      if (c >= '0' && c <= '9') continue;
      if (c == '.' && !point && k != end - 1) {
        point = true;
        continue;
      }
      return false;
    }
    return true;
  }

  // Only a for line carries its three clauses on one line.
  bool FirstIsFor() const {
    return m_next > m_first && TokenIs(m_tokens.GetAt(m_first)->GetText(), "for");
  }

  void Emit(int i, const char* token) {
    Push(i);
    Put(token, int(strlen(token)));
  }

  // Inside a literal every byte is kept; the closing quote may be followed
  // directly only by "and" or "or", never by another word.
  bool ScanStringChar(int i) {
    const char c = m_line[i];
    if (c == 0) return Refuse("a text without its closing quote");
    if (c != '"') return true;
    m_inString = false;
    if (IsWordChar(m_line[i + 1]) && !PLanguage::IsLogicalWordAt(m_line, i + 1))
      return Refuse("a word directly after a text");
    Push(i + 1);
    return true;
  }

  // The literal is pushed as the signed decimal text of its 64-bit pattern,
  // so 0xFFFFFFFFFFFFFFFF reads back as -1 wherever a number token is read.
  bool EndHexLiteral(int end) {
    if (end - m_start > kMaxHexLiteral) return Refuse("a hexadecimal number of more than 16 digits");
    SString hex;
    hex.Assign(m_line + m_start, end - m_start);
    const SString decimal = SString::FromInt64(hex.HexValue());
    Put(decimal.GetText(), decimal.GetLength());
    m_start = -1;
    m_inHex = false;
    return true;
  }

  bool BlankAllowed(int i) const {
    if (PLanguage::IsLogicalWordAt(m_line, i + 1)) return true;
    for (const char* w : kWordsBeforeBlank)
      if (PendingIs(w, i)) return true;
    return false;
  }

  // Emits the one-character operator, or the two-character one when the
  // next character completes it (consuming that character).
  void EmitOperator(int& i, const char* single, const char* const* pairs) {
    for (; *pairs; pairs += 2) {
      if (m_line[i + 1] == pairs[0][1]) {
        Emit(i, pairs[1]);
        i++;
        return;
      }
    }
    Emit(i, single);
  }

  bool ScanPunctuation(int& i) {
    const char c = m_line[i];
    switch (c) {
      case ' ':
        if (!BlankAllowed(i)) return Refuse("a blank where the language allows none");
        Push(i);
        return true;
      case '"':
        Push(i);
        m_start = i;
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
      case '^': Emit(i, "^"); return true;
      case '~': Emit(i, "~"); return true;
      case ',': Emit(i, ","); return true;
      case '(':
        Emit(i, "(");
        m_depth++;
        return true;
      case ')':
        if (--m_depth < 0) return Refuse("a \")\" without its \"(\"");
        Emit(i, ")");
        return true;
      case '.':
        // The pending range simply grows over the point of a number.
        if (!PendingIsNumber(i)) Emit(i, ".");
        return true;
      case ';':
        Emit(i, ";");
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
  int m_next;         // where the next token goes
  SArray<SString*>* m_spare;
  int m_start = -1;   // the pending word or literal begins here; -1: none
  bool m_lost = false;  // a token found no room
  bool m_inString = false;
  bool m_inHex = false;
  int m_depth = 0;
  int m_semicolons = 0;
  SString* m_reason;
};

}  // namespace

bool PLanguage::Tokenize(const SString& line, SStringArray& tokens, SString* reason) const {
  return LineScanner(line.GetText(), tokens, tokens.GetCount(), nullptr, reason).Run();
}

bool PLanguage::TokenizeInto(const SString& line, SStringArray& tokens, SArray<SString*>* spare,
                             SString* reason) const {
  return LineScanner(line.GetText(), tokens, 0, spare, reason).Run();
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
