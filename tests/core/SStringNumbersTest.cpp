#include <gtest/gtest.h>

#include <climits>
#include <cstdarg>
#include <string>

#include "core/LocaleRecord.h"
#include "core/SString.h"

namespace {

std::string Bytes(const SString& s) { return std::string(s.GetText(), static_cast<size_t>(s.GetLength())); }

// Keeps the selected locale record from leaking into other tests.
class SelectedLocale {
 public:
  explicit SelectedLocale(int number) { SetLanguage(number); }
  ~SelectedLocale() { SetLanguage(0); }
};

// ---- Format ------------------------------------------------------------------------

TEST(SStringFormat, DirectivesTable) {
  SString s;
  EXPECT_EQ("ab|   42|FF", Bytes(s.Format("%s|%5d|%I64X", "ab", 42, static_cast<long long>(255))));
  EXPECT_EQ("-9223372036854775808", Bytes(s.Format("%I64d", LLONG_MIN)));
  EXPECT_EQ("18446744073709551615", Bytes(s.Format("%I64u", ULLONG_MAX)));
  EXPECT_EQ("100%", Bytes(s.Format("%d%%", 100)));
  EXPECT_EQ("[  abc][abc  ][ab]", Bytes(s.Format("[%*s][%-*s][%.*s]", 5, "abc", 5, "abc", 2, "abcdef")));
  EXPECT_EQ("0x1f|0017|+3", Bytes(s.Format("%#x|%04o|%+d", 31, 15, 3)));
  EXPECT_EQ("3.14|2.5", Bytes(s.Format("%.2f|%g", 3.14159, 2.5)));
  EXPECT_EQ("(null)", Bytes(s.Format("%s", static_cast<const char*>(nullptr))));
  // The F, N and L prefixes of older runtimes have no effect.
  EXPECT_EQ("x 1.5", Bytes(s.Format("%Fs %Lg", "x", 1.5)));
  EXPECT_EQ("", Bytes(s.Format(nullptr)));
  // What is no conversion stands as written and takes no argument.
  EXPECT_EQ("%q|7|%", Bytes(s.Format("%q|%d|%", 7)));
}

TEST(SStringFormat, WideStringsAndCharactersAreUtf16) {
  SString s;
  const UniChar caf[] = {u'c', u'a', u'f', 0xE9, 0};
  EXPECT_EQ("caf\xE9|caf\xE9|caf\xE9", Bytes(s.Format("%S|%ls|%hs", caf, caf, "caf\xE9")));
  EXPECT_EQ("[\xE9][x][  y]", Bytes(s.Format("[%C][%hC][%3lc]", 0xE9, 'x', u'y')));
}

TEST(SStringFormat, NeverCutsLongOutput) {
  std::string big(10000, 'q');
  SString s;
  s.Format("<%s>", big.c_str());
  EXPECT_EQ("<" + big + ">", Bytes(s));
  // Beyond the old per-directive size estimates: a wide field, a high
  // precision and a negative width taken from '*'.
  EXPECT_EQ(400, s.Format("%400f", 1.0).GetLength());
  EXPECT_EQ(302, s.Format("%.300f", 1.0).GetLength());
  EXPECT_EQ("x" + std::string(499, ' ') + "|", Bytes(s.Format("%*s|", -500, "x")));
}

// A format whose arguments point into the string being formatted.
TEST(SStringFormat, ArgumentsMayPointIntoTheStringItself) {
  SString s("abcdefgh");
  s.Format("%s-%s", s.GetText(), s.GetText());
  EXPECT_EQ("abcdefgh-abcdefgh", Bytes(s));

  std::string long1(300, 'z');
  SString t(long1.c_str());
  t.Format("%.3s", t.GetText());  // the buffer shrinks
  EXPECT_EQ("zzz", Bytes(t));

  SString f("%s!");
  f.Format(f.GetText(), f.GetText() + 1);  // the format text itself too
  EXPECT_EQ("s!!", Bytes(f));
}

SString ViaArgs(const char* format, ...) {
  va_list args;
  va_start(args, format);
  SString s;
  s.FormatArgs(format, args);
  va_end(args);
  return s;
}

TEST(SStringFormat, FormatArgsAndTheIntegerForms) {
  EXPECT_EQ("7 x", Bytes(ViaArgs("%d %s", 7, "x")));
  SString s;
  EXPECT_EQ("-2147483648", Bytes(s.FormatInt(INT32_MIN)));
  EXPECT_EQ("4294967295", Bytes(s.FormatUInt(UINT32_MAX)));
  EXPECT_EQ("-9223372036854775807", Bytes(s.FormatInt64(-INT64_MAX)));
  EXPECT_EQ("18446744073709551615", Bytes(s.FormatUInt64(UINT64_MAX)));
  EXPECT_EQ("12", Bytes(SString::FromInt(12)));
  EXPECT_EQ("12", Bytes(SString::FromUInt(12)));
  EXPECT_EQ("-5000000000", Bytes(SString::FromInt64(-5000000000LL)));
  EXPECT_EQ("5000000000", Bytes(SString::FromUInt64(5000000000ULL)));
  EXPECT_EQ(8, SString::FromInt(1).GetCapacity());
}

// ---- Doubles ------------------------------------------------------------------------------

TEST(SStringNumbers, SetDoubleTable) {
  const struct {
    double value;
    bool keep;
    const char* text;
  } cases[] = {
      {2.5, false, "        2.5"},   {3, false, "        3"},
      {3, true, "        3.0"},     {-0.125, false, "       -0.125"},
      {0, false, "        0"},      {1e20, false, "100000000000000000000"},
      {1e20, true, "100000000000000000000.0"}, {123456789.25, false, "123456789.25"},
      {0.0000001, false, "        0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    SString s;
    EXPECT_EQ(c.text, Bytes(s.SetDouble(c.value, c.keep)));
  }
  EXPECT_EQ("        0.5", Bytes(SString::FromDouble(0.5)));
}

TEST(SStringNumbers, SetDoubleFixedRoundsLikePrintf) {
  SString s;
  EXPECT_EQ("1.00", Bytes(s.SetDoubleFixed(2, 1.005)));
  EXPECT_EQ("2", Bytes(s.SetDoubleFixed(0, 1.5)));
  EXPECT_EQ("-0.125", Bytes(s.SetDoubleFixed(3, -0.125)));
  EXPECT_EQ("3", Bytes(s.SetDoubleFixed(-4, 3.25)));  // no negative decimal count
}

// ---- Grouping by the locale record ---------------------------------------------------------

TEST(SStringNumbers, GroupedIntegersTable) {
  const struct {
    int language;
    int value;
    const char* text;
  } cases[] = {
      {1, -1234567, "-1,234,567"}, {1, -123, "-123"},   {1, 123456, "123,456"},
      {1, 1000, "1,000"},          {1, 0, "0"},         {1, INT32_MIN, "-2,147,483,648"},
      {2, 1234567, "1 234 567"},   {2, -999, "-999"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    SelectedLocale locale(c.language);
    SString s;
    EXPECT_EQ(c.text, Bytes(s.SetIntGrouped(c.value)));
  }
}

TEST(SStringNumbers, GroupedDoublesUseDigitsAndBothSeparators) {
  {
    SelectedLocale english(1);
    SString s;
    EXPECT_EQ("-1,234,567.89", Bytes(s.SetDoubleGrouped(-1234567.891)));
    EXPECT_EQ("0.50", Bytes(s.SetDoubleGrouped(0.5)));
  }
  {
    SelectedLocale french(2);
    SString s;
    EXPECT_EQ("12 345,68", Bytes(s.SetDoubleGrouped(12345.678)));
  }
  // The system record: its digit count and separators as read.
  BuildLocaleRecords("3", ";", "'");
  SString s;
  EXPECT_EQ("1'234;500", Bytes(s.SetDoubleGrouped(1234.5)));
  BuildLocaleRecords("2", ".", "");  // an empty thousands value means ','
  EXPECT_EQ("1,234.50", Bytes(s.SetDoubleGrouped(1234.5)));
  BuildLocaleRecords(nullptr, nullptr, nullptr);
}

// ---- Hexadecimal, binary, Roman -------------------------------------------------------------

TEST(SStringNumbers, SetHexTable) {
  const struct {
    int digits;
    int64_t value;
    const char* prefix;
    const char* text;
  } cases[] = {
      {4, 255, nullptr, "00FF"},           {1, 255, "0x", "0xFF"},
      {2, -1, nullptr, "FFFFFFFFFFFFFFFF"}, {0, 0, nullptr, "0"},
      {40, 1, nullptr, "0000000000000001"}, {2, 0x12345, "#", "#12345"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    SString s;
    EXPECT_EQ(c.text, Bytes(s.SetHex(c.digits, c.value, c.prefix)));
  }
}

TEST(SStringNumbers, HexValueTable) {
  const struct {
    const char* text;
    int64_t value;
  } cases[] = {
      {"#ff", 255}, {"0X1F", 31}, {"1F", 31}, {"0F", 0}, {"12345678901234567", 0},
      {"FFFFFFFFFFFFFFFF", -1}, {"#", 0}, {"0x", 0}, {"", 0}, {"1G", 0}, {" 1F", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.value, SString(c.text).HexValue());
  }
}

TEST(SStringNumbers, IsHexNumberTable) {
  const struct {
    const char* text;
    const char* prefix;
    bool caseSensitive;
    bool result;
  } cases[] = {
      {" 0xAb ", nullptr, false, true}, {"0A", nullptr, false, false},
      {"0XAB", nullptr, true, false},   {"0XAB", nullptr, false, true},
      {"$1f", "$", true, true},         {"$", "$", true, false},
      {"0X1f", "0x", true, false},      {"0X1f", "0x", false, true},
      {"#", nullptr, false, false},     {"#a", nullptr, false, true},
      {"abc", nullptr, false, true},    {"\t", nullptr, false, false},
      {"12345678901234567", nullptr, false, false}, {"1 2", nullptr, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.result, SString(c.text).IsHexNumber(c.prefix, c.caseSensitive));
  }
}

TEST(SStringNumbers, BinaryBothWays) {
  SString s;
  EXPECT_EQ("101", Bytes(s.SetBinary(5)));
  EXPECT_EQ("0", Bytes(s.SetBinary(0)));
  EXPECT_EQ(std::string(32, '1'), Bytes(s.SetBinary(UINT32_MAX)));
  EXPECT_EQ(5, SString("1x1").BinaryValue());
  EXPECT_EQ(0, SString("").BinaryValue());
  EXPECT_EQ(INT32_MIN, SString(("1" + std::string(31, '0')).c_str()).BinaryValue());
  // Positions beyond the 32nd from the right add nothing.
  EXPECT_EQ(1, SString(("1" + std::string(31, '0') + "1").c_str()).BinaryValue());
}

TEST(SStringNumbers, RomanBothWays) {
  const struct {
    int value;
    const char* text;
  } cases[] = {{3999, "MMMCMXCIX"}, {4000, "MMMM"}, {0, ""}, {-5, ""}, {1994, "MCMXCIV"},
               {444, "CDXLIV"},     {9, "IX"},     {1, "I"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    SString s("old");
    EXPECT_EQ(c.text, Bytes(s.SetRoman(c.value)));
    if (c.value > 0) {
      EXPECT_EQ(c.value, s.RomanValue());
    }
  }
  EXPECT_EQ(1994, SString("mcmxciv").RomanValue());
  EXPECT_EQ(10, SString("IIX").RomanValue());
  EXPECT_EQ(0, SString("MCMZ").RomanValue());
  EXPECT_EQ(0, SString("").RomanValue());
}

// ---- Reading ---------------------------------------------------------------------------------

TEST(SStringNumbers, ReadingTable) {
  EXPECT_EQ(-42, SString("  -42abc").ToInt64());
  EXPECT_EQ(0, SString("abc").ToInt64());
  EXPECT_EQ(5000000000LL, SString("5000000000").ToInt64());
  EXPECT_EQ(0, SString("").ToInt64());
  EXPECT_DOUBLE_EQ(-1.25, SString(" -1.25x").ToDouble());
  EXPECT_DOUBLE_EQ(0, SString("x1").ToDouble());
}

// ---- Literal tests ---------------------------------------------------------------------------

TEST(SStringNumbers, IsNumberTable) {
  const struct {
    const char* text;
    bool number, integer, decimal;
  } cases[] = {
      {"-12", true, true, false}, {".5", true, false, true}, {"12 ", true, true, false},
      {" 12", true, true, false}, {"5.", false, false, false}, {"1.2.3", false, false, false},
      {" -5", false, false, false}, {"-", false, false, false}, {"1e5", false, false, false},
      {"", false, false, false},  {" \t", false, false, false}, {"-0.5", true, false, true},
      {"1 2", false, false, false}, {"+1", false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    SString s(c.text);
    EXPECT_EQ(c.number, s.IsNumber());
    EXPECT_EQ(c.integer, s.IsInteger());
    EXPECT_EQ(c.decimal, s.IsDecimal());
  }
}

TEST(SStringNumbers, ClassifyLiteralTable) {
  const struct {
    const char* text;
    int kind;
  } cases[] = {{"\"abc\"", 4}, {"0x1F", 3}, {"0X1f", 3}, {"1.5", 2}, {"15", 1}, {"abc", 0},
               {"", 0},        {"\"", 0},   {"\"a\"b\"", 0}, {"#1F", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.kind, SString(c.text).ClassifyLiteral('"'));
  }
}

TEST(SStringNumbers, IsIpAddressTable) {
  const struct {
    const char* text;
    bool result;
  } cases[] = {{"192.168.0.1", true}, {"0.0.0.0", true},     {"255.255.255.255", true},
               {"256.1.1.1", false},  {"1.2.3", false},       {"1..2.3", false},
               {"1.2.3.4.", false},   {"1234.1.1.1", false}, {"1.2.3.a", false},
               {"", false},           {".1.2.3", false},      {"001.2.3.4", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.result, SString(c.text).IsIpAddress());
  }
}

// ---- Hexadecimal escapes ---------------------------------------------------------------------

TEST(SStringNumbers, HexEscapesBothWays) {
  SString s("A=");
  EXPECT_EQ("%41%3D", Bytes(s.EncodeHexEscapes('%')));
  EXPECT_EQ("A=", Bytes(s.DecodeHexEscapes('%')));

  SString d("%41%3D%Z1%");
  EXPECT_EQ("A=%Z1%", Bytes(d.DecodeHexEscapes('%')));

  SString bytes;
  bytes.Assign("\xFF\x00\x7F", 3);
  bytes.EncodeHexEscapes('~');
  EXPECT_EQ("~FF~00~7F", Bytes(bytes));
  EXPECT_EQ(std::string("\xFF\x00\x7F", 3), Bytes(bytes.DecodeHexEscapes('~')));

  SString empty("");
  EXPECT_EQ("", Bytes(empty.EncodeHexEscapes('%')));
}

// An escape followed by one digit and a blank is no escape: it must not turn
// into a 0 byte.
TEST(SStringNumbers, EscapeWithATrailingBlankStaysText) {
  SString s("%A b%4\t");
  EXPECT_EQ("%A b%4\t", Bytes(s.DecodeHexEscapes('%')));
  SString t("x%4a");
  EXPECT_EQ("xJ", Bytes(t.DecodeHexEscapes('%')));
}

}  // namespace
