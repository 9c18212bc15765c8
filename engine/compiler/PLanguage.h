// PLanguage: the language's keyword lists, and the tokeniser and line
// checker that every statement line passes before it is compiled.
//
// Lines arrive normalised by the development tool (no comments, no tabs,
// blanks only where the language allows one); nothing here normalises, so a
// line that breaks those rules is simply rejected: a false answer, which the
// compiler turns into a failed build.
#pragma once

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"
#include "engine/compiler/TokenClass.h"

class PLanguage {
 public:
  PLanguage();
  virtual ~PLanguage();

  // True when the word is in any of the three lists (case-sensitive).
  bool IsKeyword(const char* word) const;

  // Tokenize, then CheckTokens. The token list is emptied first; a class
  // list, when given, must be empty on entry and receives one class per
  // token. On false the lists hold whatever was appended before the fault.
  //
  // Each of the three, on false, puts into reason (when given) what is
  // wrong, in words for the program's author; the engine itself never shows
  // it, the package writer does.
  //
  // spare, when given, keeps the token strings a line did not need for the
  // lines after it (whoever owns the list deletes them), so that lines of
  // different lengths do not make and free strings in turn.
  bool ParseLine(const SString& line, SStringArray& tokens, SArray<int32_t>* classes,
                 SString* reason = nullptr, SArray<SString*>* spare = nullptr) const;

  // Splits a line (read up to its first 0 byte) into tokens appended to the
  // list. Hexadecimal literals come out as signed decimal text.
  bool Tokenize(const SString& line, SStringArray& tokens, SString* reason = nullptr) const;
  // As Tokenize, but the line's tokens replace the list's contents, reusing
  // its strings and those of spare (as for ParseLine).
  bool TokenizeInto(const SString& line, SStringArray& tokens, SArray<SString*>* spare,
                    SString* reason = nullptr) const;

  // Classifies every token and accepts the line only when each class may
  // follow the one before it and the last may end a line.
  bool CheckTokens(const SStringArray& tokens, SArray<int32_t>* classes,
                   SString* reason = nullptr) const;

  // The class of a token after a token of class previous (0 at the start).
  int32_t ClassifyToken(int32_t previous, const SString& token) const;

  // The text at pos starts with "and" or "or" and the word ends there: at the
  // end of the line, a tab, a blank, "!", a double quote, "(", "-" or "~".
  static bool IsLogicalWordAt(const char* line, int pos);

 private:
  void FillKeywordLists();

  SStringArray m_directiveWords;    // "_ifdef" ... "_end"
  SStringArray m_declarationWords;  // "object", "function", "event", "message"
  SStringArray m_statementWords;    // "from" ... "bool"
};
