// SString storage, assignment, editing, substrings, comparison and search.
#include "core/SString.h"

#include "core/CanonicalCapacity.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "core/Platform.h"

namespace {

// The largest length whose canonical capacity (2^30) still fits the signed
// 32-bit capacity field.
const int64_t kMaxLength = 0x3FFFFFFF;

int32_t CanonicalCapacity(int64_t n) { return ::CanonicalCapacity(n, kMaxLength); }

char* Allocate(int64_t size) {
  void* p = std::malloc(static_cast<size_t>(size));
  if (!p) std::abort();
  return static_cast<char*>(p);
}

int TextLength(const char* text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

unsigned char LowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

bool IsLetterAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsWordByte(unsigned char c) { return IsLetterAscii(c) || (c >= '0' && c <= '9') || c == '_'; }

bool InSet(const char* set, unsigned char c) {
  for (const char* s = set; *s; s++)
    if (static_cast<unsigned char>(*s) == c) return true;
  return false;
}

bool EqualNoCase(const char* a, const char* b, int n) {
  for (int i = 0; i < n; i++)
    if (LowerAscii(static_cast<unsigned char>(a[i])) != LowerAscii(static_cast<unsigned char>(b[i])))
      return false;
  return true;
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

SString::SString() : m_data(nullptr), m_length(0), m_capacity(0), m_tag1(0), m_tag2(0) {}

SString::SString(const SString& other) : SString() { AssignBytes(other.GetText(), other.m_length); }

SString::SString(const char* text) : SString() { Assign(text); }

SString::SString(const UniChar* text) : SString() { AssignWide(text); }

SString::SString(const char* bytes, int n) : SString() { AssignBytes(bytes, n); }

SString::SString(SString&& other) noexcept : SString() {
  // Taking the buffer is only invisible when a copy would have produced the
  // same capacity; an attached or bufferless source is copied instead.
  if (other.m_data && other.m_capacity == CanonicalCapacity(other.m_length)) {
    m_data = other.m_data;
    m_length = other.m_length;
    m_capacity = other.m_capacity;
  } else {
    AssignBytes(other.GetText(), other.m_length);
    std::free(other.m_data);
  }
  other.m_data = nullptr;
  other.m_length = other.m_capacity = 0;
}

SString& SString::operator=(SString&& other) noexcept {
  if (&other == this) return *this;
  if (other.m_data && other.m_capacity == CanonicalCapacity(other.m_length)) {
    std::free(m_data);
    m_data = other.m_data;
    m_length = other.m_length;
    m_capacity = other.m_capacity;
  } else {
    AssignBytes(other.GetText(), other.m_length);
    std::free(other.m_data);
  }
  other.m_data = nullptr;
  other.m_length = other.m_capacity = 0;
  return *this;
}

SString::~SString() {
  std::free(m_data);
  m_data = nullptr;
  m_length = m_capacity = 0;
  m_tag1 = m_tag2 = 0;
}

SString SString::ConstructZeroed(int n) {
  SString s;
  s.Resize(n, false);
  std::memset(s.m_data, 0, static_cast<size_t>(s.m_length));
  return s;
}

void SString::Resize(int64_t n, bool keep) {
  if (n < 0) n = 0;
  int32_t capacity = CanonicalCapacity(n);
  if (!m_data || capacity != m_capacity) {
    char* buffer = Allocate(capacity);
    int64_t kept = n < m_length ? n : m_length;
    if (keep && m_data && kept > 0) std::memcpy(buffer, m_data, static_cast<size_t>(kept));
    std::free(m_data);
    m_data = buffer;
    m_capacity = capacity;
  }
  m_length = static_cast<int32_t>(n);
  m_data[n] = 0;
}

void SString::AssignBytes(const char* bytes, int n) {
  if (n < 0) n = 0;
  int32_t capacity = CanonicalCapacity(n);
  if (!m_data || capacity != m_capacity) {
    // The new buffer is filled before the old one goes, so a source inside
    // the old buffer stays readable.
    char* buffer = Allocate(capacity);
    if (n > 0) std::memcpy(buffer, bytes, static_cast<size_t>(n));
    std::free(m_data);
    m_data = buffer;
    m_capacity = capacity;
  } else if (n > 0 && bytes != m_data) {
    std::memmove(m_data, bytes, static_cast<size_t>(n));
  }
  m_length = n;
  m_data[n] = 0;
}

void SString::Assign(const char* text, int count) {
  if (!text) {
    AssignBytes("", 0);
    return;
  }
  AssignBytes(text, count >= 0 ? count : TextLength(text));
}

SString& SString::SetText(const char* text) {
  Assign(text, -1);
  return *this;
}

void SString::AssignString(const SString& other, bool textOnly) {
  if (&other == this) return;
  AssignBytes(other.GetText(), other.m_length);
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

void SString::Attach(char* buffer, int length) {
  // Attaching the buffer already held must not release it.
  if (buffer != m_data) std::free(m_data);
  if (!buffer) {
    m_data = nullptr;
    m_length = m_capacity = 0;
    return;
  }
  if (length < 0) length = TextLength(buffer);
  // The recorded capacity promises length + 1 bytes, so the terminating 0
  // can always be stored.
  buffer[length] = 0;
  m_data = buffer;
  m_length = length;
  m_capacity = length + 1;
}

void SString::SetLength(int n, bool keep) { Resize(n, keep); }

void SString::SetLengthFilled(int n, char fill) {
  int old = m_length;
  Resize(n, true);
  if (fill != 0 && m_length > old)
    std::memset(m_data + old, fill, static_cast<size_t>(m_length - old));
}

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
  int n = TextLength(text);
  SString result;
  result.Resize(int64_t(m_length) + n, false);
  if (m_length > 0) std::memcpy(result.m_data, m_data, static_cast<size_t>(m_length));
  if (n > 0) std::memcpy(result.m_data + m_length, text, static_cast<size_t>(n));
  return result;
}

void SString::AppendText(const char* text) {
  int n = TextLength(text);
  int64_t length = int64_t(m_length) + n;
  int32_t capacity = CanonicalCapacity(length);
  if (!m_data || capacity != m_capacity) {
    char* buffer = Allocate(capacity);
    if (m_length > 0) std::memcpy(buffer, m_data, static_cast<size_t>(m_length));
    if (n > 0) std::memcpy(buffer + m_length, text, static_cast<size_t>(n));
    std::free(m_data);
    m_data = buffer;
    m_capacity = capacity;
  } else if (n > 0) {
    // text may be a part of this very buffer, even past a cut made by SetAt.
    std::memmove(m_data + m_length, text, static_cast<size_t>(n));
  }
  m_length = static_cast<int32_t>(length);
  m_data[length] = 0;
}

SString& SString::Append(const char* text) {
  AppendText(text);
  return *this;
}

void SString::AppendChar(char c) {
  if (c == 0) return;
  const char text[2] = {c, 0};
  AppendText(text);
}

bool SString::InBuffer(const char* p) const {
  auto at = reinterpret_cast<uintptr_t>(p);
  auto begin = reinterpret_cast<uintptr_t>(m_data);
  return m_data && at >= begin && at < begin + static_cast<uintptr_t>(m_capacity);
}

void SString::OpenGap(int pos, int64_t n) {
  int old = m_length;
  Resize(int64_t(old) + n, true);
  if (old > pos) std::memmove(m_data + pos + n, m_data + pos, static_cast<size_t>(old - pos));
}

void SString::Insert(const char* text, int pos, int repeat) {
  int n = TextLength(text);
  if (pos < 0) pos = m_length;
  if (pos > m_length || repeat < 1 || n == 0) return;
  // Growing may move the buffer, so a text taken from it is copied first.
  SString own;
  if (InBuffer(text)) {
    own.Assign(text, n);
    text = own.m_data;
  }
  OpenGap(pos, int64_t(n) * repeat);
  for (int i = 0; i < repeat; i++) std::memcpy(m_data + pos + int64_t(i) * n, text, static_cast<size_t>(n));
}

void SString::InsertChars(int n, char c, int pos) {
  if (pos < 0) pos = m_length;
  if (pos > m_length || n < 1) return;
  OpenGap(pos, n);
  std::memset(m_data + pos, c, static_cast<size_t>(n));
}

int SString::Delete(int pos, int count) {
  if (pos < 0) pos = 0;
  if (pos >= m_length) return 0;
  if (count < 0 || count > m_length - pos) count = m_length - pos;
  if (count == 0) return 0;
  int length = m_length - count;
  std::memmove(m_data + pos, m_data + pos + count, static_cast<size_t>(length - pos));
  m_data[length] = 0;
  Resize(length, true);
  return count;
}

void SString::ReplaceBytes(int pos, int count, const char* text) {
  int n = TextLength(text);
  SString own;
  if (InBuffer(text)) {
    own.Assign(text, n);
    text = own.m_data;
  }
  if (n < count)
    Delete(pos + n, count - n);
  else if (n > count)
    InsertChars(n - count, '#', pos);  // room for the text, written over next
  if (n > 0) std::memcpy(m_data + pos, text, static_cast<size_t>(n));
}

void SString::Overwrite(int pos, int count, const char* text) {
  if (pos < 0) pos = 0;
  if (pos > m_length) return;
  if (count < 0 || count > m_length - pos) count = m_length - pos;
  ReplaceBytes(pos, count, text);
}

void SString::OverwriteRange(int start, int end, const char* text) {
  if (start < 0) start = 0;
  if (start >= m_length) return;
  if (end == -1 || end > m_length) end = m_length;
  if (end <= start) return;
  ReplaceBytes(start, end - start, text);
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

bool SString::ClipRange(int& start, int& count) const {
  if (start < 0) start = 0;
  if (start >= m_length) return false;
  if (count < 0 || count > m_length - start) count = m_length - start;
  return true;
}

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
  int n = TextLength(text);
  if (n == 0 || !ClipRange(start, count)) return -1;
  int end = start + count;
  for (int p = start; n <= end - p; p++)
    if (std::memcmp(m_data + p, text, static_cast<size_t>(n)) == 0) return after ? p + n : p;
  return -1;
}

int SString::FindNoCase(const char* text, int start, int count) const {
  int n = TextLength(text);
  if (n == 0 || !ClipRange(start, count)) return -1;
  int end = start + count;
  for (int p = start; n <= end - p; p++)
    if (EqualNoCase(m_data + p, text, n)) return p;
  return -1;
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
