// Colour texts, character and name tests, file-name test.
#include "core/TextFunctions.h"

#include <cstdio>
#include <cstring>

namespace {

int TextLength(const char* text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

int HexValue(unsigned char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A pair of characters read as scanf("%x") reads it, restricted to its
// leading hexadecimal digits: a pair that starts with anything else is 0.
uint32_t HexPair(const char* pair) {
  int high = HexValue(static_cast<unsigned char>(pair[0]));
  if (high < 0) return 0;
  int low = HexValue(static_cast<unsigned char>(pair[1]));
  return low < 0 ? uint32_t(high) : uint32_t(high * 16 + low);
}

}  // namespace

// ---- Colour text -------------------------------------------------------------------

SString ColorToText(uint32_t color) {
  char text[16];
  if (color < 0x1000000u)
    std::snprintf(text, sizeof text, "#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  else
    std::snprintf(text, sizeof text, "#%08X", static_cast<unsigned>(color));
  return SString(text);
}

uint32_t ColorFromText(const char* text) {
  int n = TextLength(text);
  if (n == 7) return HexPair(text + 1) | HexPair(text + 3) << 8 | HexPair(text + 5) << 16;
  if (n == 9) return HexPair(text + 1) << 24 | HexPair(text + 3) << 16 | HexPair(text + 5) << 8 | HexPair(text + 7);
  return 0;
}

// ---- Characters and names ---------------------------------------------------------------

bool IsLetter(char c) {
  unsigned char b = static_cast<unsigned char>(c);
  if (IsAsciiLetter(b)) return true;
  // The accented letters of Windows-1252 that the framework has always
  // counted; the gaps (Å, Æ, Ø, ß ...) are part of that behaviour.
  return b == 0x8C || b == 0x9C || (b >= 0xC0 && b <= 0xC4) || (b >= 0xC7 && b <= 0xCF) ||
         (b >= 0xD1 && b <= 0xD6) || (b >= 0xD9 && b <= 0xDC) || (b >= 0xE0 && b <= 0xE4) ||
         (b >= 0xE7 && b <= 0xEF) || (b >= 0xF1 && b <= 0xF6) || (b >= 0xF9 && b <= 0xFC);
}

bool IsWordChar(char c) {
  unsigned char b = static_cast<unsigned char>(c);
  return IsAsciiLetter(b) || IsDigit(b) || b == '_';
}

bool IsIdentifier(const char* text, int length) {
  if (!text || length <= 0) return false;
  if (IsDigit(static_cast<unsigned char>(text[0])) || text[length - 1] == '_') return false;
  for (int i = 0; i < length; i++)
    if (!IsWordChar(text[i])) return false;
  return true;
}

bool IsIdentifier(const char* text) { return IsIdentifier(text, TextLength(text)); }

bool IsConstantName(const char* text) {
  int n = TextLength(text);
  if (!IsIdentifier(text, n)) return false;
  bool letter = false;
  for (int i = 0; i < n; i++) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (b >= 'a' && b <= 'z') return false;
    if (b >= 'A' && b <= 'Z') letter = true;
  }
  return letter;
}

// ---- File names ----------------------------------------------------------------------

bool IsValidFileName(const char* text, int length) {
  if (!text || length <= 0 || text[length - 1] == '.') return false;
  for (int i = 0; i < length; i++) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    // Windows refuses every control byte in a name, not only some of them.
    if (b < 32 || std::strchr("\"*/:<>?\\|", b)) return false;
  }
  return true;
}

bool IsValidFileName(const char* text) { return IsValidFileName(text, TextLength(text)); }
