#include "core/LocaleRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(LocaleRecord, ThreeFixedRecords) {
  BuildLocaleRecords("3", ";", "'");
  SetLanguage(0);
  const LocaleRecord* r = GetLocaleRecord();
  EXPECT_EQ(0, r->number);
  EXPECT_EQ(0, r->flag);
  EXPECT_EQ(3, r->digits);
  EXPECT_EQ(';', r->decimalSeparator);
  EXPECT_EQ('\'', r->thousandsSeparator);
  EXPECT_STREQ("Sunday", r->dayNames[0]);

  SetLanguage(1);
  r = GetLocaleRecord();
  EXPECT_EQ(1, r->number);
  EXPECT_EQ(0, r->flag);
  EXPECT_EQ(2, r->digits);
  EXPECT_EQ('.', r->decimalSeparator);
  EXPECT_EQ(',', r->thousandsSeparator);
  EXPECT_STREQ("Saturday", r->dayNames[6]);
  EXPECT_STREQ("September", r->monthNames[8]);
  EXPECT_STREQ("Winter", r->seasonNames[3]);

  SetLanguage(2);
  r = GetLocaleRecord();
  EXPECT_EQ(2, r->number);
  EXPECT_EQ(1, r->flag);
  EXPECT_EQ(2, r->digits);
  EXPECT_EQ(',', r->decimalSeparator);
  EXPECT_EQ(' ', r->thousandsSeparator);
  EXPECT_STREQ("Dimanche", r->dayNames[0]);
  EXPECT_STREQ("F\xE9vrier", r->monthNames[1]);
  EXPECT_STREQ("Ao\xFBt", r->monthNames[7]);
  EXPECT_STREQ("D\xE9""cembre", r->monthNames[11]);
  EXPECT_STREQ("Et\xE9", r->seasonNames[1]);

  BuildLocaleRecords(nullptr, nullptr, nullptr);
}

TEST(LocaleRecord, MissingSystemValuesGiveTheDefaults) {
  const struct {
    const char* digits;
    const char* decimal;
    const char* thousand;
    int wantDigits;
    char wantDecimal, wantThousand;
  } cases[] = {
      {"", "", "", 0, '.', ','},
      {nullptr, nullptr, nullptr, 0, '.', ','},
      {"2", ",", ".", 2, ',', '.'},
      {"x", ",.", " ", 0, ',', ' '},  // only the first character counts
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.wantDigits);
    BuildLocaleRecords(c.digits, c.decimal, c.thousand);
    const LocaleRecord* r = GetLocaleRecord();
    EXPECT_EQ(0, r->number);
    EXPECT_EQ(c.wantDigits, r->digits);
    EXPECT_EQ(c.wantDecimal, r->decimalSeparator);
    EXPECT_EQ(c.wantThousand, r->thousandsSeparator);
  }
  BuildLocaleRecords(nullptr, nullptr, nullptr);
}

TEST(LocaleRecord, BuildingSelectsRecordZeroAndOutOfRangeNumbersToo) {
  SetLanguage(2);
  BuildLocaleRecords(nullptr, nullptr, nullptr);
  EXPECT_EQ(0, GetLocaleRecord()->number);
  for (int n : {3, -1, 100}) {
    SetLanguage(1);
    SetLanguage(n);
    EXPECT_EQ(0, GetLocaleRecord()->number) << n;
  }
}

TEST(LocaleRecord, SplitCommaListTable) {
  const struct {
    const char* text;
    int count;
    const char* tokens[5];
  } cases[] = {
      {"a,b,c", 3, {"a", "b", "c"}},
      {"a,,b,", 4, {"a", "", "b", ""}},
      {",a", 2, {"", "a"}},
      {"\"x,y\"", 2, {"\"x", "y\""}},  // no quoting: every comma splits
      {"", 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    char entries[6][16];
    std::memset(entries, '#', sizeof entries);
    EXPECT_EQ(c.count, SplitCommaList(entries, c.text));
    for (int i = 0; i < c.count; i++) EXPECT_STREQ(c.tokens[i], entries[i]);
    EXPECT_EQ('#', entries[c.count][0]);  // nothing written past the tokens
  }
  // A token longer than an entry is cut, never written into the next one.
  char entries[2][16];
  EXPECT_EQ(2, SplitCommaList(entries, "abcdefghijklmnopqrstuvwxyz,z"));
  EXPECT_EQ(std::string("abcdefghijklmno"), entries[0]);
  EXPECT_STREQ("z", entries[1]);
}

}  // namespace
