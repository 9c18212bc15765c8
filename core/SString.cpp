// SString storage, assignment, editing, substrings, comparison and search.
#include "core/SString.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "core/Platform.h"

namespace {

unsigned char LowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

bool IsLetterAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsWordByte(unsigned char c) { return IsLetterAscii(c) || (c >= '0' && c <= '9') || c == '_'; }

bool InSet(const char* set, unsigned char c) {
  for (const char* s = set; *s; s++)
    if (static_cast<unsigned char>(*s) == c) return true;
  return false;
}

// True when a "//" pair stands before position hit on its line, outside
// quoted sections. The scan runs back from the hit, which is known to lie
// outside quotes, so every quote met flips the state.
bool AfterLineComment(const char* data, int hit, char quote) {
  bool inside = false;
  for (int j = hit - 1; j >= 0 && data[j] != '\n'; j--) {
    if (data[j] == quote)
      inside = !inside;
    else if (!inside && data[j] == '/' && j > 0 && data[j - 1] == '/')
      return true;
  }
  return false;
}

}  // namespace

// ---- Construction, destruction, assignment ------------------------------------

SString::SString() {}

SString::SString(const SString& other) : SString() { AssignUnits(other.GetText(), other.m_length); }

SString::SString(const char* text) : SString() { Assign(text); }

SString::SString(const UniChar* text) : SString() { AssignWide(text); }

SString::SString(const char* bytes, int n) : SString() { AssignUnits(bytes, n); }

SString::SString(SString&& other) noexcept : SString() { MoveFrom(other); }

SString& SString::operator=(SString&& other) noexcept {
  MoveFrom(other);
  return *this;
}

// The buffer goes with the storage; the tags are no text.
SString::~SString() {}

SString SString::ConstructZeroed(int n) {
  SString s;
  s.Resize(n, false);
  std::memset(s.m_data, 0, static_cast<size_t>(s.m_length));
  return s;
}

void SString::Assign(const char* text, int count) {
  if (!text) {
    AssignUnits("", 0);
    return;
  }
  AssignUnits(text, count >= 0 ? count : TextLength(text));
}

SString& SString::SetText(const char* text) {
  Assign(text, -1);
  return *this;
}

void SString::AssignString(const SString& other, bool textOnly) {
  if (&other == this) return;
  AssignUnits(other.GetText(), other.m_length);
  if (!textOnly) {
    m_tag1 = other.m_tag1;
    m_tag2 = other.m_tag2;
  }
}

SString& SString::CopyFrom(const SString& other) {
  AssignString(other, true);
  return *this;
}

void SString::AssignWide(const UniChar* text) {
  int size = text ? PlatformWideToAnsi(text, -1, nullptr, 0) : 0;
  if (size <= 0) {
    Assign(nullptr);
    return;
  }
  Resize(size - 1, false);
  if (PlatformWideToAnsi(text, -1, m_data, size) != size) Assign(nullptr);
}

void SString::Attach(char* buffer, int length) { AttachBuffer(buffer, length); }

void SString::SetLength(int n, bool keep) { Resize(n, keep); }

void SString::SetLengthFilled(int n, char fill) { ResizeFilled(n, fill); }

// ---- Buffer and character access -------------------------------------------------

char* SString::Duplicate() const {
  if (!m_data) return nullptr;
  char* copy = Allocate(int64_t(m_length) + 1);
  std::memcpy(copy, m_data, static_cast<size_t>(m_length) + 1);
  return copy;
}

UniChar* SString::ToWide() const {
  if (!m_data) return nullptr;
  int count = m_length > 0 ? PlatformAnsiToWide(m_data, m_length, nullptr, 0) : 0;
  if (count < 0) count = 0;
  UniChar* wide = reinterpret_cast<UniChar*>(Allocate((int64_t(count) + 1) * int64_t(sizeof(UniChar))));
  if (count > 0) count = PlatformAnsiToWide(m_data, m_length, wide, count);
  wide[count > 0 ? count : 0] = 0;
  return wide;
}

char SString::GetAt(int pos) const {
  if (!m_data || pos < 0 || pos >= m_length) return 0;
  return m_data[pos];
}

int SString::GetByteAt(int pos) const { return static_cast<unsigned char>(GetAt(pos)); }

int SString::FirstChar() const { return GetByteAt(0); }

void SString::SetAt(int pos, char c) {
  if (!m_data || pos < 0 || pos >= m_length) return;
  m_data[pos] = c;
  if (c == 0) m_length = pos;  // cut in place; the buffer keeps its size
}

void SString::SwapChars(int pos1, int pos2) {
  if (!m_data || pos1 < 0 || pos1 >= m_length || pos2 < 0 || pos2 >= m_length) return;
  char c = m_data[pos1];
  m_data[pos1] = m_data[pos2];
  m_data[pos2] = c;
}

// ---- Concatenation and editing ------------------------------------------------------

SString SString::Concat(const char* text) const {
  SString result;
  ConcatInto(result, text);
  return result;
}

void SString::AppendText(const char* text) { AppendUnits(text); }

SString& SString::Append(const char* text) {
  AppendText(text);
  return *this;
}

void SString::AppendChar(char c) {
  if (c == 0) return;
  const char text[2] = {c, 0};
  AppendText(text);
}

void SString::Insert(const char* text, int pos, int repeat) { InsertUnits(text, pos, repeat); }

void SString::InsertChars(int n, char c, int pos) { InsertRun(n, c, pos); }

int SString::Delete(int pos, int count) { return DeleteUnits(pos, count); }

void SString::Overwrite(int pos, int count, const char* text) { OverwriteUnits(pos, count, text); }

void SString::OverwriteRange(int start, int end, const char* text) {
  if (start < 0) start = 0;
  if (start >= m_length) return;
  if (end == -1 || end > m_length) end = m_length;
  if (end <= start) return;
  ReplaceUnits(start, end - start, text);
}

// ---- Substrings -----------------------------------------------------------------------

SString SString::Mid(int start, int count) const {
  if (!ClipRange(start, count)) return SString("", 0);
  return SString(m_data + start, count);
}

SString SString::Left(int n) const {
  if (n <= 0) return SString("", 0);
  return SString(GetText(), n < m_length ? n : m_length);
}

SString SString::Right(int n) const {
  if (n <= 0) return SString("", 0);
  if (n > m_length) n = m_length;
  return SString(GetText() + (m_length - n), n);
}

SString SString::Slice(int start, int end) const {
  if (start < 0) start = 0;
  if (end == -1) end = m_length;
  if (end <= start || start >= m_length) return SString("", 0);
  return Mid(start, end - start);
}

SString SString::BeforeChar(char c) const {
  int p = FindChar(c);
  return p < 0 ? SString("", 0) : Left(p);
}

SString SString::BeforeCharOrAll(char c) const {
  int p = FindChar(c);
  return p < 0 ? SString(GetText(), m_length) : Left(p);
}

SString SString::AfterChar(char c) const {
  int p = FindChar(c);
  return p < 0 ? SString("", 0) : Mid(p + 1);
}

// ---- Comparison ----------------------------------------------------------------------

bool SString::EqualsText(const char* text) const { return std::strcmp(GetText(), text ? text : "") == 0; }

int SString::Compare(const char* text, bool caseSensitive) const {
  auto a = reinterpret_cast<const unsigned char*>(GetText());
  auto b = reinterpret_cast<const unsigned char*>(text ? text : "");
  for (;; a++, b++) {
    unsigned char ca = caseSensitive ? *a : LowerAscii(*a);
    unsigned char cb = caseSensitive ? *b : LowerAscii(*b);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

// ---- Search ------------------------------------------------------------------------------

int SString::FindChar(char c, int start, int count) const {
  if (!ClipRange(start, count)) return -1;
  for (int i = start; i < start + count; i++)
    if (m_data[i] == c) return i;
  return -1;
}

int SString::FindCharNoCase(char c, int start, int count) const {
  if (!ClipRange(start, count)) return -1;
  unsigned char lower = LowerAscii(static_cast<unsigned char>(c));
  for (int i = start; i < start + count; i++)
    if (LowerAscii(static_cast<unsigned char>(m_data[i])) == lower) return i;
  return -1;
}

int SString::Find(const char* text, int start, int count, bool after) const {
  return FindUnits(text, start, count, after);
}

int SString::FindNoCase(const char* text, int start, int count) const {
  return FindUnitsNoCase(text, start, count);
}

int SString::FindNotChar(char c, int start, int count) const {
  if (!ClipRange(start, count)) return -1;
  for (int i = start; i < start + count; i++)
    if (m_data[i] != c) return i;
  return -1;
}

int SString::FindNotOneOf(const char* set, int start, int count) const {
  if (!ClipRange(start, count)) return -1;
  if (!set) set = "";
  for (int i = start; i < start + count; i++)
    if (!InSet(set, static_cast<unsigned char>(m_data[i]))) return i;
  return -1;
}

int SString::FindOneOf(const char* set, int start, int count, bool caseSensitive) const {
  if (!set || !ClipRange(start, count)) return -1;
  // One pass finds the smallest position holding any member of the set.
  for (int i = start; i < start + count; i++) {
    unsigned char b = static_cast<unsigned char>(m_data[i]);
    for (const char* s = set; *s; s++) {
      unsigned char m = static_cast<unsigned char>(*s);
      if (caseSensitive ? b == m : LowerAscii(b) == LowerAscii(m)) return i;
    }
  }
  return -1;
}

int SString::FindOutsideQuotes(int pos, const char* text, char quote) const {
  int n = TextLength(text);
  if (pos < 0 || pos >= m_length || n == 0) return -1;
  bool inside = false;
  for (int i = pos; i < m_length; i++) {
    if (m_data[i] == quote) {
      inside = !inside;
      continue;
    }
    if (inside) continue;
    if (n > m_length - i) return -1;
    if (std::memcmp(m_data + i, text, static_cast<size_t>(n)) == 0) return i;
  }
  return -1;
}

int SString::FindWord(const char* word, int pos, char quote, bool skipComments) const {
  int n = TextLength(word);
  for (;;) {
    int hit = FindOutsideQuotes(pos, word, quote);
    if (hit < 0) return -1;
    bool whole = !IsWordByte(static_cast<unsigned char>(GetAt(hit + n)));
    if (whole && !(skipComments && AfterLineComment(m_data, hit, quote))) return hit;
    pos = hit + 1;
  }
}

int SString::ReverseFindChar(int pos, char c) const {
  if (pos == -1) pos = m_length - 1;
  if (pos < 0 || pos >= m_length) return -1;
  for (int i = pos; i >= 0; i--)
    if (m_data[i] == c) return i;
  return -1;
}

int SString::ReverseFindChars(int pos, int n, ...) const {
  va_list chars;
  va_start(chars, n);
  int found = -1;
  for (int k = 0; k < n && found < 0; k++) found = ReverseFindChar(pos, static_cast<char>(va_arg(chars, int)));
  va_end(chars);
  return found;
}

int SString::ReverseFindOneOf(const char* set, int pos) const {
  if (!set) return -1;
  for (const char* s = set; *s; s++) {
    int found = ReverseFindChar(pos, *s);
    if (found >= 0) return found;
  }
  return -1;
}

// ---- Character classes --------------------------------------------------------------------

bool SString::IsDigitAt(int pos) const {
  int b = GetByteAt(pos);
  return b >= '0' && b <= '9';
}

bool SString::IsAlphaAt(int pos) const { return IsLetterAscii(static_cast<unsigned char>(GetAt(pos))); }

bool SString::IsLowerAt(int pos) const {
  int b = GetByteAt(pos);
  return b >= 'a' && b <= 'z';
}

bool SString::IsUpperAt(int pos) const {
  int b = GetByteAt(pos);
  return b >= 'A' && b <= 'Z';
}

bool SString::IsVowelAt(int pos) const {
  int b = LowerAscii(static_cast<unsigned char>(GetAt(pos)));
  return b != 0 && std::strchr("aeiouy", b) != nullptr;
}

bool SString::IsConsonantAt(int pos) const { return IsAlphaAt(pos) && !IsVowelAt(pos); }
