// SStringParser: a string that cuts its own text into tokens, at any byte of
// a separator set, honouring a quote character; or into markup tags and the
// text runs between them.
//
// Tokens go to the parser's own array, or are appended to an array the
// caller passes (which is never emptied first).
#pragma once

#include <cstdint>

#include "core/SString.h"
#include "core/SStringArray.h"

class SStringParser : public SString {
 public:
  // Parse options.
  enum : int32_t {
    kHonourQuotes = 1,      // separators between quotes belong to the token
    kCloseQuoteEnds = 2,    // with 1: a closing quote not followed by a separator ends the token
    kUnquote = 4,           // with 1 and 2: a token enclosed by the quote loses it
    kTrimSpaces = 8,        // spaces (not tabs) trimmed from both ends of every token
  };

  SStringParser();
  explicit SStringParser(const char* text);
  static SStringParser ConstructFromText(const char* text) { return SStringParser(text); }
  ~SStringParser() override;

  // The number of tokens; 0 for an empty text (old tokens then stay); -1 when
  // the options are contradictory (quote among the separators, or a space
  // quote with trimming) or a quote is left open.
  int Parse(const SString& separators, char quote, int32_t options, SStringArray* target);
  int ParseText(const char* text, const SString& separators, char quote, int32_t options,
                SStringArray* target);
  // Tags and text runs; every appended string's tag1 is 1 for a tag, 0 for text.
  int ParseMarkup(SStringArray* target);

  int GetCount() const { return m_tokens.GetCount(); }
  SString* GetTokenPointer(int index) const;
  SString GetToken(int index) const;  // "" outside the tokens
  int GetTokenInt(int index) const;   // 0 when not a number or outside
  bool GetTokenFlag(int index) const { return GetTokenInt(index) != 0; }
  int FindToken(const char* text, bool caseSensitive) const;
  bool IsSeparator(char c) const;

 private:
  enum class Scan { kToken, kEnd, kUnclosedQuote };

  void Reset();
  // One token from the scan position on.
  Scan NextToken(SString& token);
  bool IsBlankSeparator(char c) const { return (c == ' ' || c == '\t') && IsSeparator(c); }

  SStringArray m_tokens;  // tokens of the last parse without a caller's array
  SString m_separators;   // every byte a separator
  char m_quote;
  int32_t m_options;
  int32_t m_position;     // scan position; one past the length once the end is reported
};
