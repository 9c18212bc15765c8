// SUniString storage, editing, substrings, comparison and search, the text
// transforms, and the number texts and literal tests.
#include "core/SUniString.h"

#include "core/CanonicalCapacity.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/Platform.h"
#include "core/SString.h"

namespace {

// The largest length whose canonical capacity (2^29 units, 2^30 bytes)
// can still be allocated and described by the signed capacity field.
const int64_t kMaxLength = 0x1FFFFFFF;

int32_t CanonicalCapacity(int64_t n) { return ::CanonicalCapacity(n, kMaxLength); }

UniChar* Allocate(int64_t units) {
  void* p = std::malloc(static_cast<size_t>(units) * sizeof(UniChar));
  if (!p) std::abort();
  return static_cast<UniChar*>(p);
}

void CopyUnits(UniChar* to, const UniChar* from, int64_t n) {
  if (n > 0) std::memmove(to, from, static_cast<size_t>(n) * sizeof(UniChar));
}

int TextLength(const UniChar* text) {
  int n = 0;
  if (text)
    while (text[n]) n++;
  return n;
}

UniChar LowerAscii(UniChar c) { return (c >= u'A' && c <= u'Z') ? UniChar(c + (u'a' - u'A')) : c; }
UniChar UpperAscii(UniChar c) { return (c >= u'a' && c <= u'z') ? UniChar(c - (u'a' - u'A')) : c; }

bool IsDigitAscii(UniChar c) { return c >= u'0' && c <= u'9'; }
bool IsHexDigitAscii(UniChar c) {
  return IsDigitAscii(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}
int HexDigitValue(UniChar c) {
  if (IsDigitAscii(c)) return c - u'0';
  return LowerAscii(c) - u'a' + 10;
}

bool IsBlank(UniChar c, bool spacesOnly) { return c == u' ' || (!spacesOnly && c == u'\t'); }

bool EqualNoCase(const UniChar* a, const UniChar* b, int n) {
  for (int i = 0; i < n; i++)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
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

SUniString::SUniString() : m_data(nullptr), m_length(0), m_capacity(0), m_tag1(0), m_tag2(0) {}

SUniString::SUniString(const SUniString& other) : SUniString() {
  AssignUnits(other.GetText(), other.m_length);
}

SUniString::SUniString(const UniChar* text) : SUniString() { Assign(text); }

SUniString::SUniString(const char* text) : SUniString() { AssignText(text); }

SUniString::SUniString(const UniChar* units, int n) : SUniString() { AssignUnits(units, n); }

SUniString::SUniString(SUniString&& other) noexcept : SUniString() { *this = static_cast<SUniString&&>(other); }

SUniString& SUniString::operator=(SUniString&& other) noexcept {
  if (&other == this) return *this;
  // Taking the buffer is only invisible when a copy would have produced the
  // same capacity; an attached or bufferless source is copied instead.
  if (other.m_data && other.m_capacity == CanonicalCapacity(other.m_length)) {
    std::free(m_data);
    m_data = other.m_data;
    m_length = other.m_length;
    m_capacity = other.m_capacity;
  } else {
    AssignUnits(other.GetText(), other.m_length);
    std::free(other.m_data);
  }
  other.m_data = nullptr;
  other.m_length = other.m_capacity = 0;
  return *this;
}

SUniString::~SUniString() {
  std::free(m_data);
  m_data = nullptr;
  m_length = m_capacity = 0;
  m_tag1 = m_tag2 = 0;
}

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

void SUniString::Resize(int64_t n, bool keep) {
  if (n < 0) n = 0;
  int32_t capacity = CanonicalCapacity(n);
  if (!m_data || capacity != m_capacity) {
    UniChar* buffer = Allocate(capacity);
    int64_t kept = n < m_length ? n : m_length;
    if (keep && m_data) CopyUnits(buffer, m_data, kept);
    std::free(m_data);
    m_data = buffer;
    m_capacity = capacity;
  }
  m_length = static_cast<int32_t>(n);
  m_data[n] = 0;
}

void SUniString::AssignUnits(const UniChar* units, int n) {
  if (n < 0) n = 0;
  int32_t capacity = CanonicalCapacity(n);
  if (!m_data || capacity != m_capacity) {
    // The new buffer is filled before the old one goes, so a source inside
    // the old buffer stays readable.
    UniChar* buffer = Allocate(capacity);
    CopyUnits(buffer, units, n);
    std::free(m_data);
    m_data = buffer;
    m_capacity = capacity;
  } else if (units != m_data) {
    CopyUnits(m_data, units, n);
  }
  m_length = n;
  m_data[n] = 0;
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

void SUniString::Attach(UniChar* buffer, int length) {
  // Attaching the buffer already held must not release it.
  if (buffer != m_data) std::free(m_data);
  if (!buffer) {
    m_data = nullptr;
    m_length = m_capacity = 0;
    return;
  }
  if (length < 0) length = TextLength(buffer);
  // The recorded capacity promises length + 1 units, so the terminating 0
  // can always be stored.
  buffer[length] = 0;
  m_data = buffer;
  m_length = length;
  m_capacity = length + 1;
}

void SUniString::SetLength(int n, bool keep) { Resize(n, keep); }

void SUniString::SetLengthFilled(int n, UniChar fill) {
  int old = m_length;
  Resize(n, true);
  if (fill != 0)
    for (int i = old; i < m_length; i++) m_data[i] = fill;
}

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
  int n = TextLength(text);
  SUniString result;
  result.Resize(int64_t(m_length) + n, false);
  CopyUnits(result.m_data, GetText(), m_length);
  CopyUnits(result.m_data + m_length, text, n);
  return result;
}

void SUniString::AppendText(const UniChar* text) {
  int n = TextLength(text);
  int64_t length = int64_t(m_length) + n;
  int32_t capacity = CanonicalCapacity(length);
  if (!m_data || capacity != m_capacity) {
    UniChar* buffer = Allocate(capacity);
    CopyUnits(buffer, GetText(), m_length);
    CopyUnits(buffer + m_length, text, n);
    std::free(m_data);
    m_data = buffer;
    m_capacity = capacity;
  } else {
    // text may be a part of this very buffer, even past a cut made by SetAt.
    CopyUnits(m_data + m_length, text, n);
  }
  m_length = static_cast<int32_t>(length);
  m_data[length] = 0;
}

SUniString& SUniString::Append(const UniChar* text) {
  AppendText(text);
  return *this;
}

bool SUniString::InBuffer(const UniChar* p) const {
  auto at = reinterpret_cast<uintptr_t>(p);
  auto begin = reinterpret_cast<uintptr_t>(m_data);
  return m_data && at >= begin && at < begin + static_cast<uintptr_t>(m_capacity) * sizeof(UniChar);
}

void SUniString::OpenGap(int pos, int64_t n) {
  int old = m_length;
  Resize(int64_t(old) + n, true);
  if (old > pos) CopyUnits(m_data + pos + n, m_data + pos, old - pos);
}

void SUniString::Insert(const UniChar* text, int pos, int repeat) {
  int n = TextLength(text);
  if (pos < 0) pos = m_length;
  if (pos > m_length || repeat < 1 || n == 0) return;
  // Growing may move the buffer, so a text taken from it is copied first.
  SUniString own;
  if (InBuffer(text)) {
    own.Assign(text, n);
    text = own.m_data;
  }
  OpenGap(pos, int64_t(n) * repeat);
  for (int i = 0; i < repeat; i++) CopyUnits(m_data + pos + int64_t(i) * n, text, n);
}

void SUniString::InsertChars(int n, UniChar c, int pos) {
  if (pos < 0) pos = m_length;
  if (pos > m_length || n < 1) return;
  OpenGap(pos, n);
  for (int i = 0; i < n; i++) m_data[pos + i] = c;
}

int SUniString::Delete(int pos, int count) {
  if (pos < 0) pos = 0;
  if (pos >= m_length) return 0;
  if (count < 0 || count > m_length - pos) count = m_length - pos;
  if (count == 0) return 0;
  int length = m_length - count;
  CopyUnits(m_data + pos, m_data + pos + count, length - pos);
  m_data[length] = 0;
  Resize(length, true);
  return count;
}

void SUniString::ReplaceUnits(int pos, int count, const UniChar* text) {
  int n = TextLength(text);
  SUniString own;
  if (InBuffer(text)) {
    own.Assign(text, n);
    text = own.m_data;
  }
  if (n < count)
    Delete(pos + n, count - n);
  else if (n > count)
    InsertChars(n - count, u'#', pos);  // room for the text, written over next
  CopyUnits(m_data + pos, text, n);
}

void SUniString::Overwrite(int pos, int count, const UniChar* text) {
  if (pos < 0) pos = 0;
  if (pos > m_length) return;
  if (!m_data) Resize(0, false);  // a position of 0 appends to ""
  if (count < 0 || count > m_length - pos) count = m_length - pos;
  ReplaceUnits(pos, count, text);
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

bool SUniString::ClipRange(int& start, int& count) const {
  if (start < 0) start = 0;
  if (start >= m_length) return false;
  if (count < 0 || count > m_length - start) count = m_length - start;
  return true;
}

int SUniString::FindChar(UniChar c) const {
  for (int i = 0; i < m_length; i++)
    if (m_data[i] == c) return i;
  return -1;
}

int SUniString::Find(const UniChar* text, int start, int count, bool after) const {
  int n = TextLength(text);
  if (n == 0 || !ClipRange(start, count)) return -1;
  int end = start + count;
  for (int p = start; n <= end - p; p++)
    if (std::memcmp(m_data + p, text, static_cast<size_t>(n) * sizeof(UniChar)) == 0) return after ? p + n : p;
  return -1;
}

int SUniString::FindNoCase(const UniChar* text, int start, int count) const {
  int n = TextLength(text);
  if (n == 0 || !ClipRange(start, count)) return -1;
  int end = start + count;
  for (int p = start; n <= end - p; p++)
    if (EqualNoCase(m_data + p, text, n)) return p;
  return -1;
}

// ---- Transforms ------------------------------------------------------------------------

int SUniString::TrimLeading(int n, bool spacesOnly) {
  if (n == 0) return 0;
  if (n > 0) {
    Delete(0, n);
    return 0;
  }
  int i = 0;
  while (i < m_length && IsBlank(m_data[i], spacesOnly)) i++;
  if (i > 0) Delete(0, i);
  return i;
}

void SUniString::TrimTrailing(int n, bool spacesOnly) {
  if (n == 0) return;
  if (n > 0) {
    Delete(n < m_length ? m_length - n : 0, -1);
    return;
  }
  int end = m_length;
  while (end > 0 && IsBlank(m_data[end - 1], spacesOnly)) end--;
  Delete(end, -1);
}

int SUniString::Trim(int leading, int trailing, bool spacesOnly) {
  TrimTrailing(trailing, spacesOnly);
  return TrimLeading(leading, spacesOnly);
}

SUniString& SUniString::MakeLower() {
  for (int i = 0; i < m_length; i++) m_data[i] = LowerAscii(m_data[i]);
  return *this;
}

SUniString& SUniString::MakeUpper() {
  for (int i = 0; i < m_length; i++) m_data[i] = UpperAscii(m_data[i]);
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

void SUniString::RemoveBlanks(bool tabsToo) {
  int kept = 0;
  for (int i = 0; i < m_length; i++)
    if (!IsBlank(m_data[i], !tabsToo)) m_data[kept++] = m_data[i];
  if (kept == m_length) return;
  m_data[kept] = 0;
  Resize(kept, true);
}

void SUniString::Reverse() {
  for (int i = 0, j = m_length - 1; i < j; i++, j--) {
    UniChar c = m_data[i];
    m_data[i] = m_data[j];
    m_data[j] = c;
  }
}

int SUniString::Replace(int start, int count, const UniChar* find, const UniChar* replacement,
                        bool caseSensitive) {
  int n = TextLength(find);
  if (n == 0 || !ClipRange(start, count)) return 0;
  // Both texts may lie in this buffer, which the edits move.
  SUniString findCopy(find, n);
  SUniString replacementCopy(replacement ? replacement : u"");
  int m = replacementCopy.m_length;
  int end = start + count;
  int replaced = 0;
  for (int p = start;;) {
    int hit = caseSensitive ? Find(findCopy.m_data, p, end - p) : FindNoCase(findCopy.m_data, p, end - p);
    if (hit < 0) break;
    Overwrite(hit, n, replacementCopy.m_data);
    p = hit + m;
    end += m - n;
    replaced++;
  }
  return replaced;
}

bool SUniString::IsEnclosedBy(UniChar c) const {
  if (m_length < 2 || m_data[0] != c || m_data[m_length - 1] != c) return false;
  for (int i = 1; i < m_length - 1; i++)
    if (m_data[i] == c) return false;
  return true;
}

bool SUniString::Enclose(UniChar c) {
  if (IsEnclosedBy(c)) return false;
  InsertChars(1, c, 0);
  InsertChars(1, c, -1);
  return true;
}

bool SUniString::Unenclose(UniChar c) {
  if (!IsEnclosedBy(c)) return false;
  Delete(m_length - 1, 1);
  Delete(0, 1);
  return true;
}

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
  while (start < end && IsBlank(m_data[start], false)) start++;
  while (end > start && IsBlank(m_data[end - 1], false)) end--;
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
