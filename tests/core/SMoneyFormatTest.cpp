#include "core/SMoneyFormat.h"

#include <gtest/gtest.h>

namespace {

struct MoneyCase {
  double amount;
  int decimals;
  char group;
  const char* symbol;
  bool after;
  const char* expected;
};

TEST(SMoneyFormat, FormatsByTheRecord) {
  const MoneyCase cases[] = {
      {1234.5, 2, ' ', "\x80", true, "1 234.50\x80"},
      {999.999, 2, ' ', "", true, "1 000.00"},        // rounds before grouping
      {1234567.5, 2, ' ', "", true, "1 234 567.50"},
      {-1234.5, 2, ' ', "", true, "-1 234.50"},
      {-123.4, 2, ' ', "", true, "-123.40"},           // no separator after the sign
      {-123456.0, 0, ',', "", true, "-123,456"},
      {5, 0, ' ', "", true, "   5"},                   // padding blanks are no digits
      {123, 0, ',', "", true, " 123"},
      {-12345, 0, ',', "", true, "-12,345"},
      {1234.5, 2, '\0', "", true, "1234.50"},          // NUL inserts nothing
      {1234.5, 2, ' ', "$", false, "$1 234.50"},
      {1234.5, 2, ' ', "", false, "1 234.50"},
      {0.125, 3, ' ', " EUR", true, "0.125 EUR"},
  };
  for (const MoneyCase& c : cases) {
    SMoneyFormat f;
    f.SetDecimals(c.decimals);
    f.SetGroupSeparator(c.group);
    f.SetSymbol(c.symbol);
    f.SetSymbolAfter(c.after);
    EXPECT_STREQ(f.Format(c.amount).GetText(), c.expected) << c.amount;
  }
}

TEST(SMoneyFormat, DefaultsAndSettings) {
  SMoneyFormat f;
  EXPECT_EQ(f.GetGroupSeparator(), ' ');
  EXPECT_EQ(f.GetDecimalSeparator(), '.');
  EXPECT_STREQ(f.GetSymbol().GetText(), "\x80");
  EXPECT_TRUE(f.IsSymbolAfter());
  EXPECT_EQ(f.GetDecimals(), 2);
  f.SetDecimals(-3);
  EXPECT_EQ(f.GetDecimals(), 0);
}

TEST(SMoneyFormat, DecimalSeparatorStandsForThePoint) {
  SMoneyFormat f;
  f.SetDecimalSeparator(',');
  f.SetGroupSeparator('.');
  f.SetSymbol("");
  EXPECT_STREQ(f.Format(1234567.891).GetText(), "1.234.567,89");
}

TEST(SMoneyFormat, HugeAmountsAndDecimalsFit) {
  SMoneyFormat f;
  f.SetSymbol("");
  f.SetGroupSeparator('\0');
  f.SetDecimals(40);
  SString s = f.Format(1e300);
  EXPECT_EQ(s.GetLength(), 301 + 1 + 40);
  SString into = "previous text";
  f.FormatInto(into, 1.0);
  EXPECT_EQ(into.Left(2), "1.");
}

}  // namespace
