#include "core/TextFunctions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ColorText, WritesRgbBelowTwoToThe24AndTheWholeWordAbove) {
  EXPECT_STREQ("#FF0000", ColorToText(255).GetText());
  EXPECT_STREQ("#563412", ColorToText(0x123456).GetText());
  EXPECT_STREQ("#FF000000", ColorToText(0xFF000000u).GetText());
  EXPECT_STREQ("#01000000", ColorToText(0x01000000u).GetText());
}

TEST(ColorText, ReadsBothFormsBackAndZeroForOtherLengths) {
  EXPECT_EQ(255u, ColorFromText("#FF0000"));
  EXPECT_EQ(0x123456u, ColorFromText("#563412"));
  EXPECT_EQ(0xFF000000u, ColorFromText("#FF000000"));
  EXPECT_EQ(0u, ColorFromText("#FFF"));
  EXPECT_EQ(0u, ColorFromText(""));
  EXPECT_EQ(0u, ColorFromText(nullptr));
  for (uint32_t c : {0u, 1u, 0xABCDEFu, 0xFFFFFFu, 0x1000000u, 0xFE000005u, 0xFFFFFFFFu})
    EXPECT_EQ(c, ColorFromText(ColorToText(c).GetText())) << c;
}

TEST(ColorText, PairsReadTheirLeadingHexDigitsOnly) {
  EXPECT_EQ(0xA0B0C0u, ColorFromText("xc0b0a0"));  // first character not looked at, lower case accepted
  EXPECT_EQ(0x00000Fu, ColorFromText("#Fz0000"));  // "Fz" reads as F
  EXPECT_EQ(0x120000u, ColorFromText("#zz-112"));  // a pair not starting with a digit is 0, sign or not
}

TEST(NameTests, Identifiers) {
  const struct { const char* text; bool identifier; } cases[] = {
      {"a1", true}, {"_a", true}, {"A_b9", true}, {"1a", false}, {"a_", false}, {"_", false},
      {"", false}, {"a-b", false}, {"\xE9t\xE9", false}};
  for (auto c : cases) EXPECT_EQ(c.identifier, IsIdentifier(c.text)) << c.text;
  EXPECT_FALSE(IsIdentifier(nullptr));
  EXPECT_FALSE(IsIdentifier("ab\0c", 4));  // an inner 0 byte is no name character
}

TEST(NameTests, ConstantNames) {
  const struct { const char* text; bool constant; } cases[] = {
      {"MAX_2", true}, {"A", true}, {"_X1", true}, {"_2", false}, {"Max", false}, {"MAX_", false},
      {"2MAX", false}, {"", false}};
  for (auto c : cases) EXPECT_EQ(c.constant, IsConstantName(c.text)) << c.text;
}

TEST(NameTests, CharacterClasses) {
  std::string letters;
  for (int b = 128; b < 256; b++)
    if (IsLetter(static_cast<char>(b))) letters += static_cast<char>(b);
  EXPECT_EQ(std::string("\x8C\x9C\xC0\xC1\xC2\xC3\xC4\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
                        "\xD1\xD2\xD3\xD4\xD5\xD6\xD9\xDA\xDB\xDC"
                        "\xE0\xE1\xE2\xE3\xE4\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
                        "\xF1\xF2\xF3\xF4\xF5\xF6\xF9\xFA\xFB\xFC"),
            letters);
  EXPECT_TRUE(IsLetter('a') && IsLetter('Z'));
  EXPECT_FALSE(IsLetter('1') || IsLetter('_') || IsLetter('@') || IsLetter('['));
  EXPECT_TRUE(IsWordChar('a') && IsWordChar('Z') && IsWordChar('0') && IsWordChar('_'));
  EXPECT_FALSE(IsWordChar('-') || IsWordChar(' ') || IsWordChar('\xE9'));
}

TEST(FileNames, RefusesWhatWindowsRefuses) {
  EXPECT_TRUE(IsValidFileName("a.txt"));
  EXPECT_TRUE(IsValidFileName("caf\xE9 (1) [x] 'y'.txt"));  // bytes from 128 up are allowed
  EXPECT_FALSE(IsValidFileName("a."));
  EXPECT_FALSE(IsValidFileName(""));
  EXPECT_FALSE(IsValidFileName(nullptr));
  for (const char* bad : {"a*b", "a/b", "a:b", "a<b", "a>b", "a?b", "a\\b", "a|b", "a\"b"})
    EXPECT_FALSE(IsValidFileName(bad)) << bad;
  // Every control byte, 1 to 31, not only those below 20.
  for (int b = 1; b < 32; b++) {
    const char name[] = {'a', static_cast<char>(b), 'b', 0};
    EXPECT_FALSE(IsValidFileName(name)) << b;
  }
  EXPECT_FALSE(IsValidFileName("a\0b", 3));
  EXPECT_TRUE(IsValidFileName("a b", 3));
}

}  // namespace
