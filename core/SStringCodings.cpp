// SString codings: the framework's Base64 variant, 7-bit packing, URL
// percent-encoding, HTML entities, <br> line breaks, and Windows-1252 <->
// UTF-8.
//
// Each coding writes its result into a work string sized for the worst case
// and cut to what was written, so decoded 0 bytes stay in the text.
#include <cstdio>
#include <utility>

#include "core/SString.h"

namespace {

const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const char kBase64Url[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
const char kHexDigits[] = "0123456789ABCDEF";

// The 6-bit value of a character of either Base64 alphabet, -1 otherwise.
int Base64Value(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+' || c == '-') return 62;
  if (c == '/' || c == '_') return 63;
  return -1;
}

// A digit of a percent escape: 0-9, then letters of either case from 10 up;
// any other byte counts as its own code.
int UrlDigitValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return c;
}

bool StaysInUrl(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

// Windows-1252 bytes 80-9F as code points; the rest of the code page is
// Latin-1. The five bytes the code page leaves unassigned map to the C1
// controls of the same value, as Windows converts them, so that every byte
// survives the trip through UTF-8.
const uint16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

uint32_t Windows1252ToCodePoint(unsigned char b) { return (b >= 0x80 && b < 0xA0) ? kWindows1252High[b - 0x80] : b; }

// The Windows-1252 byte of a code point, -1 when the code page lacks it.
int CodePointToWindows1252(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return int(cp);
  for (int i = 0; i < 32; i++)
    if (kWindows1252High[i] == cp) return 0x80 + i;
  return -1;
}

// One UTF-8 sequence at s (n bytes available): its code point and length,
// or length 0 for a byte that starts no well-formed sequence (a stray
// continuation byte, an overlong form, a surrogate, a cut sequence).
int DecodeUtf8(const unsigned char* s, int n, uint32_t& cp) {
  unsigned char lead = s[0];
  int length;
  uint32_t least;
  if (lead < 0x80) {
    cp = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, least = 0x80, cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, least = 0x800, cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, least = 0x10000, cp = lead & 0x07;
  } else {
    return 0;
  }
  if (length > n) return 0;
  for (int i = 1; i < length; i++) {
    if ((s[i] & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (s[i] & 0x3F);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

// ---- Base64 variant ------------------------------------------------------------------

SString& SString::EncodeBase64(bool urlAlphabet) {
  if (m_length == 0) return *this;
  const char* alphabet = urlAlphabet ? kBase64Url : kBase64;
  auto in = reinterpret_cast<const unsigned char*>(m_data);
  SString out;
  out.Resize((int64_t(m_length) + 2) / 3 * 4 + 1, false);
  char* o = out.m_data;
  int i = 0;
  for (; i + 2 < m_length; i += 3) {
    uint32_t bits = uint32_t(in[i]) << 16 | uint32_t(in[i + 1]) << 8 | in[i + 2];
    *o++ = alphabet[bits >> 18];
    *o++ = alphabet[(bits >> 12) & 63];
    *o++ = alphabet[(bits >> 6) & 63];
    *o++ = alphabet[bits & 63];
  }
  // A short last group gives only the characters its bytes fill.
  if (i < m_length) {
    uint32_t bits = uint32_t(in[i]) << 16 | (i + 1 < m_length ? uint32_t(in[i + 1]) << 8 : 0);
    *o++ = alphabet[bits >> 18];
    *o++ = alphabet[(bits >> 12) & 63];
    if (i + 1 < m_length) *o++ = alphabet[(bits >> 6) & 63];
  }
  *o++ = urlAlphabet ? '@' : '=';
  out.Resize(o - out.m_data, true);
  return *this = std::move(out);
}

SString& SString::DecodeBase64() {
  if (m_length == 0) return *this;
  SString out;
  out.Resize(m_length, false);
  char* o = out.m_data;
  uint32_t bits = 0;
  int held = 0;  // bits waiting in the low end of bits
  // The last character is the terminator, whatever it is. Characters of
  // neither alphabet (line breaks, filling) carry no bits.
  for (int i = 0; i < m_length - 1; i++) {
    int value = Base64Value(static_cast<unsigned char>(m_data[i]));
    if (value < 0) continue;
    bits = (bits << 6 | uint32_t(value)) & 0xFFFFFF;
    held += 6;
    if (held >= 8) {
      held -= 8;
      *o++ = static_cast<char>(bits >> held);
    }
  }
  out.Resize(o - out.m_data, true);
  return *this = std::move(out);
}

// ---- 7-bit packing -----------------------------------------------------------------------

SString& SString::Encode7Bit() {
  if (m_length == 0) return *this;
  auto in = reinterpret_cast<const unsigned char*>(m_data);
  int groups = (m_length + 6) / 7;
  SString out;
  out.Resize(int64_t(groups) * 8 + 1, false);
  auto o = reinterpret_cast<unsigned char*>(out.m_data);
  for (int g = 0; g < groups; g++) {
    const unsigned char* group = in + g * 7;
    int k = m_length - g * 7 < 7 ? m_length - g * 7 : 7;
    // Output j holds the low j bits of input j-1 above the high 7-j bits of
    // input j; output k takes what is left of the last input byte.
    for (int j = 0; j <= k; j++) {
      unsigned value = 0;
      if (j > 0) value = (group[j - 1] & ((1u << j) - 1)) << (7 - j);
      if (j < k) value |= unsigned(group[j]) >> (j + 1);
      *o++ = static_cast<unsigned char>(value + 32);
    }
    for (int j = k + 1; j < 8; j++) *o++ = 255;
  }
  *o = 255;
  return *this = std::move(out);
}

SString& SString::Decode7Bit() {
  if (m_length == 0) return *this;
  if (m_length <= 1 || m_length % 8 != 1) {
    Assign("");
    return *this;
  }
  auto in = reinterpret_cast<const unsigned char*>(m_data);
  SString out;
  out.Resize(int64_t(m_length / 8) * 7, false);
  auto o = reinterpret_cast<unsigned char*>(out.m_data);
  // The filling byte 255 after the last data byte ends the whole text.
  bool end = false;
  for (int g = 0; g + 8 < m_length && !end; g += 8) {
    const unsigned char* b = in + g;
    for (int j = 0; j < 7 && !(end = b[j + 1] == 255); j++) {
      // Unsigned shifts: malformed bytes below 32 wrap, and only the low 8
      // bits are kept either way.
      *o++ = static_cast<unsigned char>((unsigned(b[j] - 32) << (j + 1)) | (unsigned(b[j + 1] - 32) >> (6 - j)));
    }
  }
  out.Resize(reinterpret_cast<char*>(o) - out.m_data, true);
  return *this = std::move(out);
}

// ---- URL percent-encoding ----------------------------------------------------------------

SString& SString::EncodeUrl(bool form) {
  if (m_length == 0) return *this;
  SString out;
  out.Resize(int64_t(m_length) * 3, false);
  char* o = out.m_data;
  for (int i = 0; i < m_length; i++) {
    unsigned char c = static_cast<unsigned char>(m_data[i]);
    if (StaysInUrl(c)) {
      *o++ = static_cast<char>(c);
    } else if (form && c == ' ') {
      *o++ = '+';
    } else {
      *o++ = '%';
      *o++ = kHexDigits[c >> 4];
      *o++ = kHexDigits[c & 15];
    }
  }
  out.Resize(o - out.m_data, true);
  return *this = std::move(out);
}

SString& SString::DecodeUrl(bool form) {
  if (m_length == 0) return *this;
  SString out;
  out.Resize(m_length, false);
  char* o = out.m_data;
  for (int i = 0; i < m_length; i++) {
    char c = m_data[i];
    if (c == '%') {
      if (i + 2 >= m_length) break;  // a cut escape ends the text
      int value = UrlDigitValue(static_cast<unsigned char>(m_data[i + 1])) * 16 +
                  UrlDigitValue(static_cast<unsigned char>(m_data[i + 2]));
      *o++ = static_cast<char>(value & 0xFF);
      i += 2;
    } else {
      *o++ = (form && c == '+') ? ' ' : c;
    }
  }
  out.Resize(o - out.m_data, true);
  return *this = std::move(out);
}

// ---- HTML ------------------------------------------------------------------------------------

SString& SString::EscapeHtml(bool apostrophes, bool quotes) {
  // The ampersand first, so that the entities written after it stay whole.
  Replace(0, -1, "&", "&amp;");
  Replace(0, -1, "<", "&lt;");
  Replace(0, -1, ">", "&gt;");
  if (quotes) Replace(0, -1, "\"", "&quot;");
  if (apostrophes) Replace(0, -1, "'", "&#039;");
  return *this;
}

SString& SString::UnescapeHtml(bool apostrophes, bool quotes) {
  if (quotes) Replace(0, -1, "&quot;", "\"", false);
  if (apostrophes) Replace(0, -1, "&#039;", "'");
  Replace(0, -1, "&lt;", "<", false);
  Replace(0, -1, "&gt;", ">", false);
  // The ampersand last, so that "&amp;lt;" is decoded once, to "&lt;".
  Replace(0, -1, "&amp;", "&", false);
  return *this;
}

SString& SString::EscapeHtmlFull(bool apostrophes, bool quotes, bool highBytes) {
  if (m_length == 0) return *this;
  SString out;
  out.Resize(int64_t(m_length) * 6, false);  // "&quot;" and "&#255;" are the longest
  char* o = out.m_data;
  for (int i = 0; i < m_length; i++) {
    unsigned char c = static_cast<unsigned char>(m_data[i]);
    const char* entity = nullptr;
    char number[8];
    if (c == '&') entity = "&amp;";
    else if (c == '<') entity = "&lt;";
    else if (c == '>') entity = "&gt;";
    else if (c == '"' && quotes) entity = "&quot;";
    else if (c == '\'' && apostrophes) entity = "&#039;";
    else if (c >= 160 && highBytes) {
      std::snprintf(number, sizeof number, "&#%03d;", c);
      entity = number;
    }
    if (!entity) {
      *o++ = static_cast<char>(c);
      continue;
    }
    while (*entity) *o++ = *entity++;
  }
  out.Resize(o - out.m_data, true);
  return *this = std::move(out);
}

SString& SString::CrLfToBr() {
  Replace(0, -1, "\r\n", "<br>");
  return *this;
}

SString& SString::BrToCrLf() {
  Replace(0, -1, "<br>", "\r\n", false);
  return *this;
}

// ---- Windows-1252 and UTF-8 ---------------------------------------------------------------

SString& SString::ToUtf8() {
  if (m_length == 0) return *this;
  SString out;
  out.Resize(int64_t(m_length) * 3, false);
  auto o = reinterpret_cast<unsigned char*>(out.m_data);
  for (int i = 0; i < m_length; i++) {
    uint32_t cp = Windows1252ToCodePoint(static_cast<unsigned char>(m_data[i]));
    if (cp < 0x80) {
      *o++ = static_cast<unsigned char>(cp);
    } else if (cp < 0x800) {
      *o++ = static_cast<unsigned char>(0xC0 | cp >> 6);
      *o++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    } else {
      *o++ = static_cast<unsigned char>(0xE0 | cp >> 12);
      *o++ = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
      *o++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    }
  }
  out.Resize(reinterpret_cast<char*>(o) - out.m_data, true);
  return *this = std::move(out);
}

SString& SString::FromUtf8() {
  if (m_length == 0) return *this;
  auto in = reinterpret_cast<const unsigned char*>(m_data);
  SString out;
  out.Resize(m_length, false);
  char* o = out.m_data;
  for (int i = 0; i < m_length;) {
    uint32_t cp = 0;
    int length = DecodeUtf8(in + i, m_length - i, cp);
    // A byte that starts no sequence is dropped alone, so the bytes after it
    // are read afresh.
    if (length == 0) {
      i++;
      continue;
    }
    i += length;
    int b = CodePointToWindows1252(cp);
    if (b >= 0) *o++ = static_cast<char>(b);
  }
  out.Resize(o - out.m_data, true);
  return *this = std::move(out);
}
