// SString numbers: printf-style formatting, numbers to text (decimal,
// grouped, fixed, hexadecimal, binary, Roman), hexadecimal escapes, text to
// numbers, and the tests that tell what kind of literal a text holds.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/LocaleRecord.h"
#include "core/Platform.h"
#include "core/SString.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c; }

// Appends n bytes; SString has no public counted append.
void AppendBytes(SString& out, const char* bytes, int n) {
  if (n <= 0) return;
  int old = out.GetLength();
  out.SetLength(old + n, true);
  std::memcpy(out.GetBuffer() + old, bytes, static_cast<size_t>(n));
}

// ---- Formatting ----------------------------------------------------------------------

// One conversion of a format text as read from it. The flags, width and
// precision are kept as written; a '*' among them takes its value from the
// argument list, in the order written.
struct Directive {
  const char* flags;
  int flagCount;
  const char* width;  // digits or "*"
  int widthCount;
  const char* precision;  // after the '.': digits or "*"
  int precisionCount;
  bool hasPrecision;
  enum Size { kDefault, kShort, kLong, kInt64 } size;
  char type;
};

// Builds the C format of one directive, as the runtime printf of this build
// reads it: the given length modifier and type in place of the written ones.
struct DirectiveSpec {
  char text[96];
  int stars[2];
  int starCount;
};

void AppendSpecText(char* text, int& at, const char* part, int n) {
  // Flags, width and precision come from the caller's format text; a
  // directive longer than its printf text buffer is cut rather than overrun.
  for (int i = 0; i < n && at < 80; i++) text[at++] = part[i];
}

DirectiveSpec MakeSpec(const Directive& d, int widthStar, int precisionStar, bool withPrecision,
                       const char* modifier, char type) {
  DirectiveSpec s{};
  int at = 0;
  s.text[at++] = '%';
  AppendSpecText(s.text, at, d.flags, d.flagCount);
  AppendSpecText(s.text, at, d.width, d.widthCount);
  if (d.widthCount == 1 && d.width[0] == '*') s.stars[s.starCount++] = widthStar;
  if (withPrecision && d.hasPrecision) {
    s.text[at++] = '.';
    AppendSpecText(s.text, at, d.precision, d.precisionCount);
    if (d.precisionCount == 1 && d.precision[0] == '*') s.stars[s.starCount++] = precisionStar;
  }
  AppendSpecText(s.text, at, modifier, static_cast<int>(std::strlen(modifier)));
  s.text[at++] = type;
  s.text[at] = 0;
  return s;
}

template <class T>
int Print(char* buffer, size_t size, const DirectiveSpec& s, T value) {
  switch (s.starCount) {
    case 0: return std::snprintf(buffer, size, s.text, value);
    case 1: return std::snprintf(buffer, size, s.text, s.stars[0], value);
    default: return std::snprintf(buffer, size, s.text, s.stars[0], s.stars[1], value);
  }
}

// Measures first and then prints in place, so no output is ever cut.
template <class T>
void AppendPrinted(SString& out, const DirectiveSpec& s, T value) {
  int n = Print(nullptr, 0, s, value);
  if (n <= 0) return;
  int old = out.GetLength();
  out.SetLength(old + n, true);
  Print(out.GetBuffer() + old, static_cast<size_t>(n) + 1, s, value);
}

// Reads flags, width, precision and size prefix of the directive whose '%'
// lies just before p; returns the position after its type character (or the
// end of the text when the directive is cut short).
const char* ReadDirective(const char* p, Directive& d) {
  d = Directive{};
  d.flags = p;
  while (*p && std::strchr("-+0 #", *p)) p++;
  d.flagCount = int(p - d.flags);
  d.width = p;
  if (*p == '*') {
    p++;
  } else {
    while (IsDigit(*p)) p++;
  }
  d.widthCount = int(p - d.width);
  if (*p == '.') {
    p++;
    d.hasPrecision = true;
    d.precision = p;
    if (*p == '*') {
      p++;
    } else {
      while (IsDigit(*p)) p++;
    }
    d.precisionCount = int(p - d.precision);
  }
  for (;;) {
    if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
      d.size = Directive::kInt64;
      p += 3;
    } else if (p[0] == 'l' && p[1] == 'l') {
      d.size = Directive::kInt64;
      p += 2;
    } else if (*p == 'h') {
      d.size = Directive::kShort;
      p++;
    } else if (*p == 'l') {
      d.size = Directive::kLong;
      p++;
    } else if (*p == 'F' || *p == 'N' || *p == 'L') {
      p++;  // far, near and long double prefixes of old runtimes: no effect
    } else {
      break;
    }
  }
  d.type = *p;
  return *p ? p + 1 : p;
}

// Wide strings and characters are UTF-16 on every build; they are converted
// through the ANSI code page and printed as narrow text.
SString WideCharText(int unit) {
  UniChar u = static_cast<UniChar>(unit);
  char bytes[8];
  int n = u ? PlatformWideToAnsi(&u, 1, bytes, sizeof bytes) : 0;
  SString s;
  s.Assign(bytes, n > 0 ? n : 0);
  return s;
}

void FormatInto(SString& out, const char* format, va_list* args) {
  const char* p = format;
  while (*p) {
    const char* start = p;
    while (*p && *p != '%') p++;
    AppendBytes(out, start, int(p - start));
    if (!*p) break;
    const char* directiveStart = p;
    Directive d;
    p = ReadDirective(p + 1, d);
    // Stars are read in the order written, before the value.
    int widthStar = (d.widthCount == 1 && d.width[0] == '*') ? va_arg(*args, int) : 0;
    int precisionStar =
        (d.hasPrecision && d.precisionCount == 1 && d.precision[0] == '*') ? va_arg(*args, int) : 0;
    const char* intModifier = d.size == Directive::kInt64 ? "ll"
                              : d.size == Directive::kLong ? "l"
                              : d.size == Directive::kShort ? "h"
                                                            : "";
    bool wide = false;
    switch (d.type) {
      case 'd':
      case 'i':
      case 'u':
      case 'o':
      case 'x':
      case 'X': {
        DirectiveSpec s = MakeSpec(d, widthStar, precisionStar, true, intModifier, d.type);
        if (d.size == Directive::kInt64)
          AppendPrinted(out, s, va_arg(*args, long long));
        else if (d.size == Directive::kLong)
          AppendPrinted(out, s, va_arg(*args, long));
        else
          AppendPrinted(out, s, va_arg(*args, int));
        break;
      }
      case 'e':
      case 'E':
      case 'f':
      case 'g':
      case 'G':
      case 'a':
      case 'A':
        AppendPrinted(out, MakeSpec(d, widthStar, precisionStar, true, "", d.type), va_arg(*args, double));
        break;
      case 'C':
        wide = d.size != Directive::kShort;
        [[fallthrough]];
      case 'c':
        if (d.type == 'c') wide = d.size == Directive::kLong;
        if (wide) {
          SString text = WideCharText(va_arg(*args, int));
          AppendPrinted(out, MakeSpec(d, widthStar, precisionStar, false, "", 's'), text.GetText());
        } else {
          AppendPrinted(out, MakeSpec(d, widthStar, precisionStar, false, "", 'c'), va_arg(*args, int));
        }
        break;
      case 'S':
        wide = d.size != Directive::kShort;
        [[fallthrough]];
      case 's': {
        if (d.type == 's') wide = d.size == Directive::kLong;
        DirectiveSpec s = MakeSpec(d, widthStar, precisionStar, true, "", 's');
        if (wide) {
          const UniChar* text = va_arg(*args, const UniChar*);
          SString narrow(text ? text : u"(null)");
          AppendPrinted(out, s, narrow.GetText());
        } else {
          const char* text = va_arg(*args, const char*);
          AppendPrinted(out, s, text ? text : "(null)");
        }
        break;
      }
      case 'p': {
        // The same text on both builds: the address in upper-case digits,
        // as many as a pointer has.
        uintptr_t address = reinterpret_cast<uintptr_t>(va_arg(*args, void*));
        char digits[24];
        std::snprintf(digits, sizeof digits, "%0*llX", int(sizeof(void*) * 2),
                      static_cast<unsigned long long>(address));
        AppendPrinted(out, MakeSpec(d, widthStar, precisionStar, false, "", 's'), static_cast<const char*>(digits));
        break;
      }
      case 'n':
        // The count is not stored: a format that writes through an argument
        // is never honoured.
        (void)va_arg(*args, int*);
        break;
      case '%':
        AppendBytes(out, "%", 1);
        break;
      default:
        // Not a conversion: the text stands as written.
        AppendBytes(out, directiveStart, int(p - directiveStart));
        break;
    }
  }
}

// ---- Grouping ---------------------------------------------------------------------------

// The text with separator inserted every three digits from the right of the
// digit run [begin, end).
SString GroupDigits(const SString& text, int begin, int end, char separator) {
  if (separator == 0 || end - begin <= 3) return text;
  SString out;
  const char* t = text.GetText();
  AppendBytes(out, t, begin);
  for (int i = begin; i < end; i++) {
    if (i > begin && (end - i) % 3 == 0) AppendBytes(out, &separator, 1);
    AppendBytes(out, t + i, 1);
  }
  AppendBytes(out, t + end, text.GetLength() - end);
  return out;
}

// The run of digits that starts the text, after a leading '-'.
void IntegerDigits(const SString& text, int& begin, int& end) {
  begin = text.GetAt(0) == '-' ? 1 : 0;
  end = begin;
  while (IsDigit(text.GetAt(end))) end++;
}

}  // namespace

// ---- Formatting ---------------------------------------------------------------------------

SString& SString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatArgs(format, args);
  va_end(args);
  return *this;
}

SString& SString::FormatArgs(const char* format, va_list args) {
  // The output goes to a new string and replaces the text only at the end:
  // an argument may point into this string's own buffer.
  SString out("");
  if (format) {
    va_list copy;
    va_copy(copy, args);
    FormatInto(out, format, &copy);
    va_end(copy);
  }
  *this = static_cast<SString&&>(out);
  return *this;
}

SString& SString::FormatInt(int32_t value) { return Format("%d", int(value)); }

SString& SString::FormatUInt(uint32_t value) { return Format("%u", unsigned(value)); }

SString& SString::FormatInt64(int64_t value) { return Format("%I64d", static_cast<long long>(value)); }

SString& SString::FormatUInt64(uint64_t value) {
  return Format("%I64u", static_cast<unsigned long long>(value));
}

SString SString::FromInt(int32_t value) { return SString().FormatInt(value); }

SString SString::FromUInt(uint32_t value) { return SString().FormatUInt(value); }

SString SString::FromInt64(int64_t value) { return SString().FormatInt64(value); }

SString SString::FromUInt64(uint64_t value) { return SString().FormatUInt64(value); }

// ---- Numbers to text -------------------------------------------------------------------------

SString& SString::SetDouble(double value, bool keepPointZero) {
  Format("%16f", value);
  int dot = FindChar('.');
  if (dot < 0) return *this;  // infinities and NaNs have no decimals to trim
  int n = m_length;
  while (n > dot + 1 && m_data[n - 1] == '0') n--;
  if (n == dot + 1) n = keepPointZero ? dot + 2 : dot;
  Resize(n, true);
  return *this;
}

SString SString::FromDouble(double value) { return SString().SetDouble(value, false); }

SString& SString::SetDoubleFixed(int decimals, double value) {
  return Format("%.*f", decimals < 0 ? 0 : decimals, value);
}

SString& SString::SetIntGrouped(int32_t value) {
  FormatInt(value);
  int begin, end;
  IntegerDigits(*this, begin, end);
  *this = GroupDigits(*this, begin, end, GetLocaleRecord()->thousandsSeparator);
  return *this;
}

SString& SString::SetDoubleGrouped(double value) {
  const LocaleRecord* locale = GetLocaleRecord();
  SetDoubleFixed(locale->digits, value);
  int dot = FindChar('.');
  if (dot >= 0) m_data[dot] = locale->decimalSeparator;
  int begin, end;
  IntegerDigits(*this, begin, end);
  *this = GroupDigits(*this, begin, end, locale->thousandsSeparator);
  return *this;
}

SString& SString::SetHex(int digits, int64_t value, const char* prefix) {
  if (digits < 1) digits = 1;
  if (digits > 16) digits = 16;
  return Format("%s%0*I64X", prefix ? prefix : "", digits, static_cast<unsigned long long>(value));
}

SString& SString::SetBinary(uint32_t value) {
  char digits[33];
  int n = 0;
  do {
    digits[n++] = char('0' + (value & 1));
    value >>= 1;
  } while (value);
  Resize(n, false);
  for (int i = 0; i < n; i++) m_data[i] = digits[n - 1 - i];
  return *this;
}

SString& SString::SetRoman(int32_t value) {
  // One digit of the number in the pattern of its decade: one, five, ten.
  static const char* const kPatterns[10] = {"", "a", "aa", "aaa", "ab", "b", "ba", "baa", "baaa", "ac"};
  static const char kLetters[3][3] = {{'C', 'D', 'M'}, {'X', 'L', 'C'}, {'I', 'V', 'X'}};
  SString out("");
  if (value > 0) {
    for (int i = 0; i < value / 1000; i++) AppendBytes(out, "M", 1);
    int rest[3] = {value / 100 % 10, value / 10 % 10, value % 10};
    for (int k = 0; k < 3; k++)
      for (const char* p = kPatterns[rest[k]]; *p; p++) AppendBytes(out, &kLetters[k][*p - 'a'], 1);
  }
  *this = static_cast<SString&&>(out);
  return *this;
}

SString& SString::EncodeHexEscapes(char escape) {
  if (m_length == 0) return *this;
  static const char kHex[] = "0123456789ABCDEF";
  SString out;
  out.Resize(int64_t(m_length) * 3, false);
  for (int i = 0; i < m_length; i++) {
    unsigned char b = static_cast<unsigned char>(m_data[i]);
    out.m_data[3 * i] = escape;
    out.m_data[3 * i + 1] = kHex[b >> 4];
    out.m_data[3 * i + 2] = kHex[b & 15];
  }
  *this = static_cast<SString&&>(out);
  return *this;
}

SString& SString::DecodeHexEscapes(char escape) {
  if (m_length == 0) return *this;
  int n = 0;
  for (int i = 0; i < m_length; i++) {
    // Both bytes after the escape must be hexadecimal digits; anything else
    // (a blank included) leaves the escape character as it is.
    int high = i + 2 < m_length ? HexDigitValue(m_data[i + 1]) : -1;
    int low = i + 2 < m_length ? HexDigitValue(m_data[i + 2]) : -1;
    if (m_data[i] == escape && high >= 0 && low >= 0) {
      m_data[n++] = char(high * 16 + low);
      i += 2;
    } else {
      m_data[n++] = m_data[i];
    }
  }
  Resize(n, true);
  return *this;
}

// ---- Text to numbers ------------------------------------------------------------------------

int64_t SString::ToInt64() const { return std::strtoll(GetText(), nullptr, 10); }

double SString::ToDouble() const { return std::strtod(GetText(), nullptr); }

int64_t SString::HexValue() const {
  const char* t = GetText();
  int n = m_length;
  int start = 0;
  if (n > 0 && t[0] == '#') {
    start = 1;
  } else if (n > 0 && t[0] == '0') {
    if (n < 3 || (t[1] != 'x' && t[1] != 'X')) return 0;
    start = 2;
  }
  int digits = n - start;
  if (digits < 1 || digits > 16) return 0;
  uint64_t value = 0;
  for (int i = start; i < n; i++) {
    int v = HexDigitValue(t[i]);
    if (v < 0) return 0;
    value = value * 16 + unsigned(v);
  }
  return static_cast<int64_t>(value);
}

int32_t SString::BinaryValue() const {
  uint32_t value = 0;
  for (int k = 0; k < m_length && k < 32; k++)
    if (m_data[m_length - 1 - k] == '1') value |= uint32_t(1) << k;
  return static_cast<int32_t>(value);
}

int32_t SString::RomanValue() const {
  if (m_length == 0) return 0;
  auto letterValue = [](char c) {
    switch (LowerAscii(c)) {
      case 'i': return 1;
      case 'v': return 5;
      case 'x': return 10;
      case 'l': return 50;
      case 'c': return 100;
      case 'd': return 500;
      case 'm': return 1000;
      default: return 0;
    }
  };
  // A long run of M's must not overflow: the sum is kept wide and then
  // limited to the 32-bit range.
  int64_t total = letterValue(m_data[m_length - 1]);
  if (total == 0) return 0;
  for (int i = m_length - 2; i >= 0; i--) {
    int v = letterValue(m_data[i]);
    if (v == 0) return 0;
    total += v < letterValue(m_data[i + 1]) ? -v : v;
  }
  if (total > INT32_MAX) return INT32_MAX;
  if (total < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(total);
}

// ---- Literal tests --------------------------------------------------------------------------------

bool SString::IsNumber() const {
  const char* t = GetText();
  int begin = 0, end = m_length;
  while (begin < end && IsBlank(t[begin])) begin++;
  while (end > begin && IsBlank(t[end - 1])) end--;
  if (begin == end) return false;
  bool point = false;
  for (int i = begin; i < end; i++) {
    char c = t[i];
    if (IsDigit(c)) continue;
    if (c == '-' && i == 0 && end - begin > 1) continue;
    if (c == '.' && !point && i != end - 1) {
      point = true;
      continue;
    }
    return false;
  }
  return true;
}

bool SString::IsInteger() const { return IsNumber() && FindChar('.') < 0; }

bool SString::IsDecimal() const { return IsNumber() && FindChar('.') >= 0; }

bool SString::IsHexNumber(const char* prefix, bool caseSensitivePrefix) const {
  const char* t = GetText();
  int begin = 0, end = m_length;
  while (begin < end && IsBlank(t[begin])) begin++;
  while (end > begin && IsBlank(t[end - 1])) end--;
  int n = end - begin;
  if (n == 0) return false;
  t += begin;
  int start = 0;
  if (prefix) {
    int p = static_cast<int>(std::strlen(prefix));
    if (p >= n) return false;
    for (int i = 0; i < p; i++) {
      bool same = caseSensitivePrefix ? t[i] == prefix[i] : LowerAscii(t[i]) == LowerAscii(prefix[i]);
      if (!same) return false;
    }
    start = p;
  } else if (t[0] == '#') {
    if (n < 2) return false;
    start = 1;
  } else if (t[0] == '0') {
    bool x = t[1] == 'x' || (!caseSensitivePrefix && t[1] == 'X');
    if (n <= 2 || !x) return false;
    start = 2;
  }
  int digits = n - start;
  if (digits < 1 || digits > 16) return false;
  for (int i = start; i < n; i++)
    if (HexDigitValue(t[i]) < 0) return false;
  return true;
}

int SString::ClassifyLiteral(char quote) const {
  if (m_length == 0) return 0;
  if (IsEnclosedBy(quote)) return 4;
  if (IsHexNumber("0x", false)) return 3;
  if (IsNumber()) return FindChar('.') >= 0 ? 2 : 1;
  return 0;
}

bool SString::IsIpAddress() const {
  const char* t = GetText();
  int dots = 0, groupDigits = 0, groupValue = 0;
  for (int i = 0; i <= m_length; i++) {
    char c = i < m_length ? t[i] : '.';  // the end closes the last group
    if (IsDigit(c)) {
      if (++groupDigits > 3) return false;
      groupValue = groupValue * 10 + (c - '0');
    } else if (c == '.') {
      if (groupDigits == 0 || groupValue > 255) return false;
      if (i < m_length) dots++;
      groupDigits = groupValue = 0;
    } else {
      return false;
    }
  }
  return dots == 3;
}
