// SUniString storage, editing, substrings, comparison and search, the text
// transforms, and the number texts and literal tests.
#include "core/SUniString.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/Platform.h"
#include "core/SString.h"

namespace {

UniChar LowerAscii(UniChar c) { return (c >= u'A' && c <= u'Z') ? UniChar(c + (u'a' - u'A')) : c; }

bool IsDigitAscii(UniChar c) { return c >= u'0' && c <= u'9'; }
bool IsHexDigitAscii(UniChar c) {
  return IsDigitAscii(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}
int HexDigitValue(UniChar c) {
  if (IsDigitAscii(c)) return c - u'0';
  return LowerAscii(c) - u'a' + 10;
}

int CompareUnits(const UniChar* a, const UniChar* b, bool fold) {
  for (;; a++, b++) {
    UniChar ca = fold ? LowerAscii(*a) : *a;
    UniChar cb = fold ? LowerAscii(*b) : *b;
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

// The text as 8-bit ASCII for the runtime's number readers: a unit outside
// ASCII stops any number, as it does in the runtime's wide readers.
SString NarrowForNumbers(const UniChar* text, int length) {
  SString narrow = SString::ConstructZeroed(length);
  char* out = narrow.GetBuffer();
  for (int i = 0; i < length; i++) {
    UniChar c = text[i];
    if (c == 0) break;
    out[i] = c < 0x80 ? char(c) : '\x01';
  }
  return narrow;
}

}  // namespace

// ---- Construction, destruction, assignment ------------------------------------

SUniString::SUniString() {}

SUniString::SUniString(const SUniString& other) : SUniString() {
  AssignUnits(other.GetText(), other.m_length);
}

SUniString::SUniString(const UniChar* text) : SUniString() { Assign(text); }

SUniString::SUniString(const char* text) : SUniString() { AssignText(text); }

SUniString::SUniString(const UniChar* units, int n) : SUniString() { AssignUnits(units, n); }

SUniString::SUniString(SUniString&& other) noexcept : SUniString() { MoveFrom(other); }

SUniString& SUniString::operator=(SUniString&& other) noexcept {
  MoveFrom(other);
  return *this;
}

// The buffer goes with the storage; the tags are no text.
SUniString::~SUniString() {}

SUniString SUniString::ConstructFromInt(int value) {
  SUniString s;
  s.SetInt(value);
  return s;
}

SUniString SUniString::FromInt64(int64_t value) {
  SUniString s;
  s.SetInt64(value);
  return s;
}

void SUniString::Assign(const UniChar* text, int count) {
  if (!text) {
    AssignUnits(u"", 0);
    return;
  }
  AssignUnits(text, count >= 0 ? count : TextLength(text));
}

SUniString& SUniString::SetText(const UniChar* text) {
  Assign(text, -1);
  return *this;
}

void SUniString::AssignString(const SUniString& other) {
  if (&other == this) return;
  AssignUnits(other.GetText(), other.m_length);
}

void SUniString::AssignText(const char* text) {
  int size = text ? PlatformAnsiToWide(text, -1, nullptr, 0) : 0;
  if (size <= 0) {
    Assign(nullptr);
    return;
  }
  // A double-byte character becomes one unit, so the size asked for first
  // is the length of the result.
  Resize(size - 1, false);
  if (PlatformAnsiToWide(text, -1, m_data, size) != size) Assign(nullptr);
}

void SUniString::Attach(UniChar* buffer, int length) { AttachBuffer(buffer, length); }

void SUniString::SetLength(int n, bool keep) { Resize(n, keep); }

void SUniString::SetLengthFilled(int n, UniChar fill) { ResizeFilled(n, fill); }

// ---- Buffer and character access -------------------------------------------------

UniChar SUniString::GetAt(int pos) const {
  if (!m_data || pos < 0 || pos >= m_length) return 0;
  return m_data[pos];
}

void SUniString::SetAt(int pos, UniChar c) {
  if (!m_data || pos < 0 || pos >= m_length) return;
  m_data[pos] = c;
  if (c == 0) m_length = pos;  // cut in place; the buffer keeps its size
}

// ---- Concatenation and editing ------------------------------------------------------

SUniString SUniString::Concat(const UniChar* text) const {
  SUniString result;
  ConcatInto(result, text);
  return result;
}

void SUniString::AppendText(const UniChar* text) { AppendUnits(text); }

SUniString& SUniString::Append(const UniChar* text) {
  AppendText(text);
  return *this;
}

void SUniString::Insert(const UniChar* text, int pos, int repeat) { InsertUnits(text, pos, repeat); }

void SUniString::InsertChars(int n, UniChar c, int pos) { InsertRun(n, c, pos); }

int SUniString::Delete(int pos, int count) { return DeleteUnits(pos, count); }

void SUniString::Overwrite(int pos, int count, const UniChar* text) {
  if (!m_data && pos <= 0) Resize(0, false);  // a position of 0 appends to ""
  OverwriteUnits(pos, count, text);
}

void SUniString::OverwriteRange(int start, int end, const UniChar* text) {
  if (start < 0) start = 0;
  if (start >= m_length) return;
  if (end > m_length) end = m_length;
  if (end <= start) return;
  ReplaceUnits(start, end - start, text);
}

// ---- Substrings -----------------------------------------------------------------------

SUniString SUniString::Mid(int start, int count) const {
  if (!ClipRange(start, count)) return SUniString(u"", 0);
  return SUniString(m_data + start, count);
}

SUniString SUniString::Left(int n) const {
  if (n <= 0) return SUniString(u"", 0);
  return SUniString(GetText(), n < m_length ? n : m_length);
}

SUniString SUniString::Right(int n) const {
  if (n <= 0) return SUniString(u"", 0);
  if (n > m_length) n = m_length;
  return SUniString(GetText() + (m_length - n), n);
}

SUniString SUniString::Slice(int start, int end) const {
  if (start < 0) start = 0;
  if (end <= start || start >= m_length) return SUniString(u"", 0);
  return Mid(start, end - start);
}

SUniString SUniString::BeforeChar(UniChar c) const {
  int p = FindChar(c);
  return p < 0 ? SUniString(u"", 0) : Left(p);
}

SUniString SUniString::BeforeCharOrAll(UniChar c) const {
  int p = FindChar(c);
  return p < 0 ? SUniString(GetText(), m_length) : Left(p);
}

SUniString SUniString::AfterChar(UniChar c) const {
  int p = FindChar(c);
  return p < 0 ? SUniString(u"", 0) : Mid(p + 1);
}

// ---- Comparison ----------------------------------------------------------------------

bool SUniString::EqualsText(const UniChar* text) const {
  return CompareUnits(GetText(), text ? text : u"", false) == 0;
}

int SUniString::Compare(const UniChar* text) const { return CompareUnits(GetText(), text ? text : u"", false); }

int SUniString::CompareNoCase(const UniChar* text) const {
  return CompareUnits(GetText(), text ? text : u"", true);
}

// ---- Search ------------------------------------------------------------------------------

int SUniString::FindChar(UniChar c) const {
  for (int i = 0; i < m_length; i++)
    if (m_data[i] == c) return i;
  return -1;
}

int SUniString::Find(const UniChar* text, int start, int count, bool after) const {
  return FindUnits(text, start, count, after);
}

int SUniString::FindNoCase(const UniChar* text, int start, int count) const {
  return FindUnitsNoCase(text, start, count);
}

// ---- Transforms ------------------------------------------------------------------------

int SUniString::TrimLeading(int n, bool spacesOnly) { return TrimLeadingUnits(n, spacesOnly); }

void SUniString::TrimTrailing(int n, bool spacesOnly) { TrimTrailingUnits(n, spacesOnly); }

int SUniString::Trim(int leading, int trailing, bool spacesOnly) {
  TrimTrailing(trailing, spacesOnly);
  return TrimLeading(leading, spacesOnly);
}

SUniString& SUniString::MakeLower() {
  LowerUnits();
  return *this;
}

SUniString& SUniString::MakeUpper() {
  UpperUnits();
  return *this;
}

SUniString SUniString::ToLower() const {
  SUniString copy(*this);
  copy.MakeLower();
  return copy;
}

SUniString SUniString::ToUpper() const {
  SUniString copy(*this);
  copy.MakeUpper();
  return copy;
}

SUniString SUniString::WithoutBlanks(bool tabsToo) const {
  SUniString result(*this);
  result.RemoveBlanks(tabsToo);
  return result;
}

void SUniString::RemoveBlanks(bool tabsToo) { RemoveBlankUnits(tabsToo); }

void SUniString::Reverse() { ReverseUnits(); }

int SUniString::Replace(int start, int count, const UniChar* find, const UniChar* replacement,
                        bool caseSensitive) {
  return ReplaceAll(start, count, find, replacement, caseSensitive);
}

bool SUniString::IsEnclosedBy(UniChar c) const { return IsEnclosedByUnit(c); }

bool SUniString::Enclose(UniChar c) {
  if (IsEnclosedBy(c)) return false;
  InsertChars(1, c, 0);
  InsertChars(1, c, -1);
  return true;
}

bool SUniString::Unenclose(UniChar c) { return UnencloseUnit(c); }

// ---- Character classes ---------------------------------------------------------------------

bool SUniString::IsDigitAt(int pos) const {
  return pos >= 0 && pos < m_length && (PlatformWideCharType(m_data[pos]) & kWideDigit);
}

bool SUniString::IsAlphaAt(int pos) const {
  return pos >= 0 && pos < m_length && (PlatformWideCharType(m_data[pos]) & kWideAlpha);
}

bool SUniString::IsLowerAt(int pos) const {
  return pos >= 0 && pos < m_length && (PlatformWideCharType(m_data[pos]) & kWideLower);
}

bool SUniString::IsUpperAt(int pos) const {
  return pos >= 0 && pos < m_length && (PlatformWideCharType(m_data[pos]) & kWideUpper);
}

// ---- Numbers -------------------------------------------------------------------------------

void SUniString::AssignAscii(const char* text) {
  int n = static_cast<int>(std::strlen(text));
  Resize(n, false);
  for (int i = 0; i < n; i++) m_data[i] = static_cast<unsigned char>(text[i]);
}

void SUniString::SetInt(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  AssignAscii(text);
}

void SUniString::SetInt64(int64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%" PRId64, value);
  AssignAscii(text);
}

void SUniString::SetDouble(double value, bool keepPointZero) {
  // "%f" of the largest double is 309 digits, a point and six decimals.
  char text[340];
  std::snprintf(text, sizeof text, "%f", value);
  AssignAscii(text);
  int end = m_length;
  while (end > 0 && m_data[end - 1] == u'0') end--;
  if (end == m_length) return;  // no trailing zeros: inf, nan
  if (end > 0 && m_data[end - 1] == u'.') {
    if (keepPointZero)
      end++;  // one '0' stays after the point
    else
      end--;
  }
  Delete(end, -1);
}

void SUniString::SetHex(int digits, int64_t value, const UniChar* prefix) {
  if (digits < 1) digits = 1;
  if (digits > 16) digits = 16;
  char text[24];
  std::snprintf(text, sizeof text, "%.*" PRIX64, digits, static_cast<uint64_t>(value));
  AssignAscii(text);
  if (prefix) Insert(prefix, 0);
}

void SUniString::SetBinary(uint32_t value) {
  char text[33];
  int n = 0;
  do {
    text[n++] = char('0' + (value & 1));
    value >>= 1;
  } while (value);
  text[n] = 0;
  AssignAscii(text);
  Reverse();
}

double SUniString::ToDouble() const {
  SString narrow = NarrowForNumbers(GetText(), m_length);
  return std::strtod(narrow.GetText(), nullptr);
}

int64_t SUniString::ToInt64() const {
  SString narrow = NarrowForNumbers(GetText(), m_length);
  return std::strtoll(narrow.GetText(), nullptr, 10);
}

int64_t SUniString::HexValue() const {
  const UniChar* digits = GetText();
  int n = m_length;
  if (n > 0 && digits[0] == u'#') {
    if (n < 2) return 0;
    digits++, n--;
  } else if (n > 0 && digits[0] == u'0') {
    if (n < 3 || LowerAscii(digits[1]) != u'x') return 0;
    digits += 2, n -= 2;
  }
  if (n > 16) return 0;
  uint64_t value = 0;
  for (int i = 0; i < n; i++) {
    if (!IsHexDigitAscii(digits[i])) return 0;
    value = value << 4 | uint64_t(HexDigitValue(digits[i]));
  }
  return static_cast<int64_t>(value);
}

int32_t SUniString::BinaryValue() const {
  uint32_t value = 0;
  for (int i = m_length - 1, bit = 0; i >= 0 && bit < 32; i--, bit++)
    if (m_data[i] == u'1') value |= uint32_t(1) << bit;
  return static_cast<int32_t>(value);
}

// ---- Literal tests --------------------------------------------------------------------------

bool SUniString::IsNumber() const {
  int start = 0, end = m_length;
  while (start < end && IsBlankUnit(m_data[start], false)) start++;
  while (end > start && IsBlankUnit(m_data[end - 1], false)) end--;
  if (start == end) return false;
  bool point = false;
  for (int i = start; i < end; i++) {
    UniChar c = m_data[i];
    if (IsDigitAscii(c)) continue;
    if (c == u'-' && i == 0 && end > 1) continue;  // a sign only as the very first unit
    if (c == u'.' && !point && i < end - 1) {
      point = true;
      continue;
    }
    return false;
  }
  return true;
}

bool SUniString::IsInteger() const { return IsNumber() && FindChar(u'.') < 0; }

bool SUniString::IsDecimal() const { return IsNumber() && FindChar(u'.') >= 0; }

bool SUniString::IsHexNumber(const UniChar* prefix, bool caseSensitivePrefix) const {
  SUniString text(*this);
  text.Trim(-1, -1, false);
  const UniChar* digits = text.GetText();
  int n = text.m_length;
  if (n == 0) return false;
  int p = TextLength(prefix);
  if (p > 0) {
    if (p >= n) return false;
    bool starts = caseSensitivePrefix ? std::memcmp(digits, prefix, size_t(p) * sizeof(UniChar)) == 0
                                      : EqualNoCase(digits, prefix, p);
    if (!starts) return false;
    digits += p, n -= p;
  } else if (digits[0] == u'#') {
    if (n < 2) return false;
    digits++, n--;
  } else if (digits[0] == u'0') {
    bool x = digits[1] == u'x' || (!caseSensitivePrefix && digits[1] == u'X');
    if (n <= 2 || !x) return false;
    digits += 2, n -= 2;
  }
  if (n < 1 || n > 16) return false;
  for (int i = 0; i < n; i++)
    if (!IsHexDigitAscii(digits[i])) return false;
  return true;
}

int SUniString::ClassifyLiteral(UniChar quote) const {
  if (m_length == 0) return 0;
  if (IsEnclosedBy(quote)) return 4;
  if (IsHexNumber(u"0x", false)) return 3;
  if (IsNumber()) return FindChar(u'.') >= 0 ? 2 : 1;
  return 0;
}
