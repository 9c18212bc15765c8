// SStringParser: the separator tokenizer and the markup splitter.
#include "core/SStringParser.h"

#include <climits>
#include <cstdlib>
#include <cstring>

SStringParser::SStringParser() : SString(), m_quote('"'), m_options(0), m_position(0) {}

SStringParser::SStringParser(const char* text) : SString(text), m_quote('"'), m_options(0), m_position(0) {}

SStringParser::~SStringParser() { Reset(); }

void SStringParser::Reset() {
  m_tokens.Purge();
  m_separators = "";
  m_quote = '"';
  m_options = 0;
  m_position = 0;
}

bool SStringParser::IsSeparator(char c) const {
  // The terminating 0 of the set is no separator.
  return c != 0 && std::memchr(m_separators.GetText(), c, static_cast<size_t>(m_separators.GetLength()));
}

// ---- Separator tokens ----------------------------------------------------------------------

int SStringParser::Parse(const SString& separators, char quote, int32_t options, SStringArray* target) {
  if (GetLength() == 0) return 0;
  Reset();
  m_separators = separators;
  m_quote = quote;
  m_options = options;
  if (((options & kHonourQuotes) && IsSeparator(quote)) || ((options & kTrimSpaces) && quote == ' ')) {
    Reset();
    return -1;
  }
  SStringArray* out = target ? target : &m_tokens;
  const bool unquote = (options & (kHonourQuotes | kCloseQuoteEnds | kUnquote)) ==
                       (kHonourQuotes | kCloseQuoteEnds | kUnquote);
  int count = 0;
  SString token;
  for (;;) {
    Scan scan = NextToken(token);
    if (scan == Scan::kEnd) break;
    if (scan == Scan::kUnclosedQuote) {
      Reset();
      return -1;
    }
    if (options & kTrimSpaces) token.Trim(-1, -1, true);
    if (unquote) token.Unenclose(quote);
    token.SetTag(0);
    out->InsertAt(&token, -1, 1);
    count++;
  }
  m_position = 0;
  return count;
}

int SStringParser::ParseText(const char* text, const SString& separators, char quote, int32_t options,
                             SStringArray* target) {
  SetText(text);
  return Parse(separators, quote, options, target);
}

SStringParser::Scan SStringParser::NextToken(SString& token) {
  const int length = GetLength();
  const char* text = GetText();
  token = "";
  if (m_position > length) return Scan::kEnd;
  if (m_position == length) {
    m_position++;
    return Scan::kToken;
  }
  const bool quotes = (m_options & kHonourQuotes) != 0;
  const bool closeEnds = quotes && (m_options & kCloseQuoteEnds);
  bool inside = false;
  for (int i = m_position; i < length; i++) {
    char c = text[i];
    if (quotes && c == m_quote) {
      token += c;
      inside = !inside;
      if (!inside && closeEnds && i + 1 < length && !IsSeparator(text[i + 1])) {
        m_position = i + 1;
        return Scan::kToken;
      }
      continue;
    }
    if (!IsSeparator(c) || inside) {
      token += c;
      continue;
    }
    // A separator outside quotes ends the token.
    if (c != ' ' && c != '\t') {
      m_position = i + 1;
      return Scan::kToken;
    }
    // A run of blanks counts as one separator, together with one further
    // separator right behind it ("a , b" with " ," as the set).
    const bool bothBlanks = IsBlankSeparator(' ') && IsBlankSeparator('\t');
    int j = i + 1;
    while (j < length && (bothBlanks ? (text[j] == ' ' || text[j] == '\t') : text[j] == c)) j++;
    if (j >= length) {
      // Trailing blanks yield no empty last token.
      m_position = length + 1;
      return Scan::kToken;
    }
    if (IsSeparator(text[j])) j++;
    m_position = j;
    return Scan::kToken;
  }
  if (inside) return Scan::kUnclosedQuote;
  m_position = length + 1;
  return Scan::kToken;
}

// ---- Markup tokens -----------------------------------------------------------------------------

int SStringParser::ParseMarkup(SStringArray* target) {
  if (GetLength() == 0) return 0;
  Reset();
  SStringArray* out = target ? target : &m_tokens;
  int count = 0;
  SString token;
  bool isTag = false;
  while (NextMarkupToken(m_position, &token, &m_position, &isTag, nullptr, nullptr, -1) &&
         token.GetLength() > 0) {
    token.SetTag(isTag ? 1 : 0);
    out->InsertAt(&token, -1, 1);
    count++;
  }
  return count;
}

// ---- Token access ---------------------------------------------------------------------------------

SString* SStringParser::GetTokenPointer(int index) const {
  if (index < 0 || index >= m_tokens.GetCount()) return nullptr;
  return m_tokens.GetAt(index);
}

SString SStringParser::GetToken(int index) const { return m_tokens.GetString(index); }

int SStringParser::GetTokenInt(int index) const {
  SString* token = GetTokenPointer(index);
  if (!token) return 0;
  // The engine's runtime saturates at the limits of its 32-bit long.
  long value = std::strtol(token->GetText(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int SStringParser::FindToken(const char* text, bool caseSensitive) const {
  for (int i = 0; i < m_tokens.GetCount(); i++) {
    SString* token = m_tokens.GetAt(i);
    if (token && token->Compare(text, caseSensitive) == 0) return i;
  }
  return -1;
}
