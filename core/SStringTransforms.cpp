// SString text transforms: trimming, case and blanks, accents, replacement,
// enclosing characters, line, word and markup scanning, word wrapping,
// wildcards and name tests.
#include <cstring>

#include "core/SString.h"
#include "core/TextFunctions.h"

namespace {

bool IsBlank(char c, bool spacesOnly) { return c == ' ' || (!spacesOnly && c == '\t'); }

// The blanks of the word and markup scanners.
bool IsScanBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool InKeepList(const char* keep, char c) {
  if (!keep || c == 0) return false;
  return std::strchr(keep, c) != nullptr;
}

// Base letter of a Windows-1252 accented letter, 0 for any other byte.
char AccentBase(unsigned char b) {
  static const char kCapitals[] = "AAAAAA" "\0" "CEEEEIIII" "\0" "NOOOOO" "\0\0" "UUUUY";  // C0-DD
  static const char kSmall[] = "aaaaaa" "\0" "ceeeeiiii" "\0" "nooooo" "\0\0" "uuuuy\0y";  // E0-FF
  if (b >= 0xC0 && b <= 0xDD) return kCapitals[b - 0xC0];
  if (b >= 0xE0) return kSmall[b - 0xE0];
  return 0;
}

// Justification: one more space in the narrowest run of spaces between
// words (the first on ties), or at the end when there is no such run.
void WidenNarrowestGap(SString& piece) {
  int n = piece.GetLength(), best = -1, bestWidth = 0;
  for (int i = 0; i < n;) {
    if (piece.GetAt(i) != ' ') {
      i++;
      continue;
    }
    int end = i;
    while (end < n && piece.GetAt(end) == ' ') end++;
    if (i > 0 && end < n && (best < 0 || end - i < bestWidth)) {
      best = i;
      bestWidth = end - i;
    }
    i = end;
  }
  piece.InsertChars(1, ' ', best);  // best -1 appends
}

}  // namespace

// ---- Trimming -----------------------------------------------------------------------

int SString::TrimLeading(int n, bool spacesOnly) { return TrimLeadingUnits(n, spacesOnly); }

void SString::TrimTrailing(int n, bool spacesOnly) { TrimTrailingUnits(n, spacesOnly); }

int SString::Trim(int leading, int trailing, bool spacesOnly) {
  TrimTrailing(trailing, spacesOnly);
  return TrimLeading(leading, spacesOnly);
}

// ---- Case and blanks -------------------------------------------------------------------

SString& SString::MakeLower() {
  LowerUnits();
  return *this;
}

SString& SString::MakeUpper() {
  UpperUnits();
  return *this;
}

SString SString::ToLower() const {
  SString copy(*this);
  return copy.MakeLower();
}

SString SString::ToUpper() const {
  SString copy(*this);
  return copy.MakeUpper();
}

SString SString::WithoutBlanks(bool tabsToo) const {
  SString copy(*this);
  return copy.RemoveBlanks(tabsToo);
}

SString& SString::RemoveBlanks(bool tabsToo) {
  RemoveBlankUnits(tabsToo);
  return *this;
}

SString& SString::RemoveExtraBlanks(bool tabsToSpaces, const char* keep) {
  Trim(-1, -1, false);
  bool inQuotes = false;
  int i = 0;
  while (i < m_length) {
    char c = m_data[i];
    if (inQuotes) {
      if (c == '"') inQuotes = false;
    } else if (c == '"') {
      inQuotes = true;
    } else if (IsBlank(c, false)) {
      char before = GetAt(i - 1), after = GetAt(i + 1);
      bool separatesWords = IsWordChar(before) && IsWordChar(after);
      bool kept = !IsBlank(before, false) && (InKeepList(keep, before) || InKeepList(keep, after));
      if (!separatesWords && !kept) {
        Delete(i, 1);
        continue;  // the next byte has moved into this position
      }
    }
    i++;
  }
  if (tabsToSpaces) ReplaceChar(0, -1, '\t', ' ');
  return *this;
}

SString& SString::RemoveAccents(bool capitals, bool smallLetters) {
  for (int i = 0; i < m_length; i++) {
    unsigned char b = static_cast<unsigned char>(m_data[i]);
    char base = AccentBase(b);
    if (base && (b < 0xE0 ? capitals : smallLetters)) m_data[i] = base;
  }
  return *this;
}

SString& SString::StripLeadingNumber() {
  int i = 0;
  while (IsDigitAt(i)) i++;
  if (i == 0) return *this;
  i++;  // the byte after the number, whatever it is: ".", ")", ...
  while (i < m_length && (m_data[i] == ' ' || m_data[i] == '-' || m_data[i] == '.')) i++;
  if (i < m_length) Delete(0, i);
  return *this;
}

SString& SString::Reverse() {
  ReverseUnits();
  return *this;
}

// ---- Replacement --------------------------------------------------------------------------

int SString::ReplaceChar(int start, int count, char oldChar, char newChar) {
  if (!ClipRange(start, count)) return 0;
  int hits = 0, first = -1;
  for (int i = start; i < start + count; i++) {
    if (m_data[i] != oldChar) continue;
    if (first < 0) first = i;
    hits++;
    if (newChar != 0) m_data[i] = newChar;
  }
  if (newChar == 0 && first >= 0) SetAt(first, 0);
  return hits;
}

int SString::Replace(int start, int count, const char* find, const char* replacement,
                     bool caseSensitive) {
  return ReplaceAll(start, count, find, replacement, caseSensitive);
}

// ---- Enclosing characters ------------------------------------------------------------------

bool SString::IsEnclosedBy(char c) const { return IsEnclosedByUnit(c); }

bool SString::Enclose(char c) {
  // A 0 byte cannot be stored as text.
  if (c == 0 || IsEnclosedBy(c)) return false;
  InsertChars(1, c, 0);
  AppendChar(c);
  return true;
}

bool SString::Unenclose(char c) { return UnencloseUnit(c); }

SString SString::Unenclosed(char c) const { return IsEnclosedBy(c) ? Mid(1, m_length - 2) : SString(*this); }

// ---- Lines and words --------------------------------------------------------------------------

SString SString::GetLineAt(int pos, int* next) const {
  if (pos < 0) return SString("", 0);
  if (pos >= m_length) {
    if (next) *next = m_length;
    return SString("", 0);
  }
  int end = pos;
  while (end < m_length && m_data[end] != '\r' && m_data[end] != '\n') end++;
  if (next) {
    if (end == m_length)
      *next = m_length;
    else
      *next = (m_data[end] == '\r' && GetAt(end + 1) == '\n') ? end + 2 : end + 1;
  }
  return Mid(pos, end - pos);
}

int SString::CountLines() const {
  int lines = 1;
  for (int i = 0; i + 1 < m_length; i++)
    if (m_data[i] == '\r' && m_data[i + 1] == '\n') lines++;
  return lines;
}

int SString::LongestLineLength() const {
  int longest = 0;
  for (int pos = 0; pos < m_length;) {
    int length = GetLineAt(pos, &pos).GetLength();
    if (length > longest) longest = length;
  }
  return longest;
}

SString SString::NextWord(int pos, int* next, bool keepBlanks) const {
  if (pos < 0) return SString("", 0);
  for (;;) {
    if (pos >= m_length) {
      if (next) *next = m_length;
      return SString("", 0);
    }
    bool blank = IsScanBlank(m_data[pos]);
    int end = pos;
    while (end < m_length && IsScanBlank(m_data[end]) == blank) end++;
    if (next) *next = end;
    if (!blank || keepBlanks) return Mid(pos, end - pos);
    pos = end;
  }
}

// ---- Markup ------------------------------------------------------------------------------------------

bool SString::NextMarkupToken(int pos, SString* token, int* next, bool* isTag, bool* isOpening,
                              bool* isClosing, int maxText) const {
  if (pos < 0) return false;
  while (pos < m_length && IsScanBlank(m_data[pos])) pos++;
  if (pos >= m_length) {
    if (token) *token = "";
    return false;
  }
  bool tag = m_data[pos] == '<';
  int end = pos;
  if (tag) {
    // A '>' inside a quoted attribute value does not end the tag.
    bool inQuotes = false;
    while (end < m_length && (inQuotes || m_data[end] != '>')) {
      if (m_data[end] == '"') inQuotes = !inQuotes;
      end++;
    }
    if (end == m_length) {
      if (token) *token = "";
      return false;
    }
    end++;
  } else {
    while (end < m_length && m_data[end] != '<') end++;
  }
  if (next) *next = end;
  SString found = Mid(pos, end - pos);
  bool opening = false, closing = false;
  if (tag) {
    found.RemoveExtraBlanks(true, "\"");
    int n = found.GetLength();
    opening = found.GetAt(1) != '/';
    closing = found.GetAt(1) == '/' || found.GetAt(n - 2) == '/';
  } else if (maxText != -1 && found.GetLength() > maxText) {
    found = "";
  }
  if (token) *token = found;
  if (isTag) *isTag = tag;
  if (isOpening) *isOpening = opening;
  if (isClosing) *isClosing = closing;
  return true;
}

// ---- Word wrapping ---------------------------------------------------------------------------------

void SString::WordWrap(int alignment, int width, bool continueLongLines, bool pad) {
  if (width <= 0) width = LongestLineLength();
  if (width <= 0) return;
  const SString source(*this);
  Assign("");
  SString line;
  bool first = true, pending = false;  // pending: the rest of a broken line waits in line
  for (int pos = 0; pending || pos < source.GetLength();) {
    if (!pending) line = source.GetLineAt(pos, &pos);
    pending = false;
    if (!first) Append("\r\n");
    first = false;

    line.Trim(-1, -1, true);
    line.Replace(0, -1, "\t", "    ");
    if (line.GetLength() == 0) {
      if (pad) InsertChars(width, ' ');
      continue;
    }

    // Break after the last word that fits; a first word wider than the line
    // is cut.
    int breakAt = 0;
    for (int p = 0, end = 0; !line.NextWord(p, &end).EqualsText("") && end <= width; p = end) breakAt = end;
    if (breakAt == 0) breakAt = width < line.GetLength() ? width : line.GetLength();
    SString piece = line.Left(breakAt);
    int free = width - breakAt;

    int rest = line.FindNotChar(' ', breakAt);
    bool broken = continueLongLines && rest >= 0;
    if (broken) {
      line = line.Mid(rest);
      pending = true;
    }

    switch (alignment) {
      case 1:
        InsertChars(free / 2, ' ');
        Append(piece.GetText());
        if (pad) InsertChars(free - free / 2, ' ');
        break;
      case 2:
        InsertChars(free, ' ');
        Append(piece.GetText());
        break;
      case 3:
        if (broken) {
          for (; free > 0; free--) WidenNarrowestGap(piece);
        }
        Append(piece.GetText());
        InsertChars(free, ' ');
        break;
      default:
        Append(piece.GetText());
        if (pad) InsertChars(free, ' ');
        break;
    }
  }
}

void SString::WordWrapLeft(int width, bool continueLongLines, bool pad) { WordWrap(0, width, continueLongLines, pad); }
void SString::WordWrapCentre(int width, bool continueLongLines, bool pad) { WordWrap(1, width, continueLongLines, pad); }
void SString::WordWrapRight(int width, bool continueLongLines, bool pad) { WordWrap(2, width, continueLongLines, pad); }
void SString::WordWrapJustify(int width, bool continueLongLines, bool pad) { WordWrap(3, width, continueLongLines, pad); }

// ---- Wildcards and names ----------------------------------------------------------------------------

bool SString::MatchWildcard(const char* text, const char* pattern) {
  if (!text) text = "";
  if (!pattern) pattern = "";
  // Greedy scan that backtracks only to the last star: the same answers as
  // trying every split, without the exponential cost on patterns like
  // "*a*a*a*b".
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*text) {
    if (*pattern == '*') {
      star = pattern++;
      resume = text;
    } else if (*pattern && (*pattern == '?' || *pattern == *text)) {
      pattern++;
      text++;
    } else if (star) {
      pattern = star + 1;
      text = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') pattern++;
  return *pattern == 0;
}

bool SString::Matches(const char* pattern) const { return MatchWildcard(GetText(), pattern); }

bool SString::IsIdentifier() const { return ::IsIdentifier(GetText(), m_length); }

bool SString::IsUpperIdentifier() const {
  if (!IsIdentifier()) return false;
  for (int i = 0; i < m_length; i++)
    if (m_data[i] >= 'a' && m_data[i] <= 'z') return false;
  return true;
}

bool SString::IsLowerIdentifier() const {
  if (!IsIdentifier()) return false;
  for (int i = 0; i < m_length; i++)
    if (m_data[i] >= 'A' && m_data[i] <= 'Z') return false;
  return true;
}

// The whole text, so that a 0 byte inside the name is refused too.
bool SString::IsValidFileName() const { return ::IsValidFileName(GetText(), m_length); }
