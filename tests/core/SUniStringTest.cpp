#include "core/SUniString.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/SString.h"

namespace {

std::u16string Text(const SUniString& s) { return std::u16string(s.GetText(), s.GetLength()); }

// ---- Storage ---------------------------------------------------------------------

TEST(SUniStringStorage, CapacityIsCountedInUnits) {
  struct Case {
    int length, capacity;
  } cases[] = {{0, 8}, {7, 8}, {8, 16}, {15, 16}, {16, 32}, {100, 128}};
  for (const Case& c : cases) {
    SUniString s(u"");
    s.SetLengthFilled(c.length, u'x');
    EXPECT_EQ(s.GetLength(), c.length);
    EXPECT_EQ(s.GetCapacity(), c.capacity) << c.length;
    EXPECT_EQ(s.GetText()[c.length], 0);
  }
  SUniString s;
  s.SetLengthFilled(20, u'a');
  s.SetLength(3, true);
  EXPECT_EQ(s.GetCapacity(), 8);
  EXPECT_EQ(Text(s), u"aaa");
}

TEST(SUniStringStorage, NoBufferReadsAsEmptyAndNullGivesEmpty) {
  SUniString none;
  EXPECT_EQ(none.GetBuffer(), nullptr);
  EXPECT_EQ(none.GetLength(), 0);
  EXPECT_TRUE(none == u"");
  EXPECT_EQ(none.GetAt(0), 0);
  EXPECT_EQ(none.Find(u"a"), -1);

  SUniString s(u"abc");
  s.Assign(nullptr);
  EXPECT_EQ(Text(s), u"");
  EXPECT_EQ(s.GetCapacity(), 8);
  EXPECT_EQ(Text(SUniString::ConstructFromText(nullptr)), u"");
  EXPECT_NE(SUniString::ConstructFromText(nullptr).GetBuffer(), nullptr);
}

TEST(SUniStringStorage, AttachKeepsTheBufferUntilTheNextLengthChange) {
  auto buffer = static_cast<UniChar*>(std::malloc(12 * sizeof(UniChar)));
  std::memcpy(buffer, u"hello world", 12 * sizeof(UniChar));
  SUniString s;
  s.Attach(buffer);
  EXPECT_EQ(s.GetBuffer(), buffer);
  EXPECT_EQ(s.GetLength(), 11);
  EXPECT_EQ(s.GetCapacity(), 12);
  s.Append(u"!");
  EXPECT_EQ(s.GetCapacity(), 16);
  EXPECT_EQ(Text(s), u"hello world!");
}

TEST(SUniStringStorage, AssignmentFromItsOwnTextAndTagsStayPut) {
  SUniString s(u"abcdef");
  s.Assign(s.GetText() + 2);
  EXPECT_EQ(Text(s), u"cdef");
  s.Insert(s.GetText(), 1);
  EXPECT_EQ(Text(s), u"ccdefdef");
  s = s;
  EXPECT_EQ(Text(s), u"ccdefdef");

  SUniString tagged(u"x");
  tagged.SetTag(7);
  SUniString copy(tagged);
  EXPECT_EQ(copy.GetTag(), 0);
  copy.SetTag(3);
  copy = tagged;
  EXPECT_EQ(copy.GetTag(), 3);  // no assignment copies the tags

  SUniString moved(static_cast<SUniString&&>(tagged));
  EXPECT_EQ(Text(moved), u"x");
  EXPECT_EQ(tagged.GetBuffer(), nullptr);
}

// ---- Conversions through the ANSI code page ------------------------------------------

TEST(SUniStringConversion, FromWindows1252AndBack) {
  // e acute, the euro sign (0x80) and the left double quote (0x93).
  const char* ansi = "caf\xE9 \x80 \x93";
  SUniString s(ansi);
  EXPECT_EQ(Text(s), u"caf\u00E9 \u20AC \u201C");
  EXPECT_EQ(s.GetLength(), 8);

  SString back(s.GetText());
  EXPECT_STREQ(back.GetText(), ansi);

  SUniString t;
  t = "x\xFFy";
  EXPECT_EQ(Text(t), u"x\u00FFy");
}

TEST(SUniStringConversion, UnitsOutsideTheCodePageBecomeTheDefaultCharacter) {
  SUniString s(u"a\u4E2Db");
  SString narrow(s.GetText());
  EXPECT_STREQ(narrow.GetText(), "a?b");
}

// ---- Editing and substrings --------------------------------------------------------------

TEST(SUniStringEditing, InsertDeleteOverwrite) {
  SUniString s(u"abc");
  s.Insert(u"xy", 1, 2);
  EXPECT_EQ(Text(s), u"axyxybc");
  s.Insert(u"z", 99);  // beyond the length: nothing
  EXPECT_EQ(Text(s), u"axyxybc");
  EXPECT_EQ(s.Delete(1, 4), 4);
  EXPECT_EQ(Text(s), u"abc");
  s.InsertChars(2, u'-', -1);
  EXPECT_EQ(Text(s), u"abc--");
  EXPECT_EQ(s.Delete(3), 2);

  s.Overwrite(1, 1, u"XYZ");
  EXPECT_EQ(Text(s), u"aXYZc");
  s.Overwrite(5, -1, u"de");
  EXPECT_EQ(Text(s), u"aXYZcde");
  s.OverwriteRange(1, 10, u"X");
  EXPECT_EQ(Text(s), u"aX");

  s.SetAt(1, 0);
  EXPECT_EQ(s.GetLength(), 1);
  EXPECT_EQ(s.GetAt(5), 0);
}

TEST(SUniStringEditing, Substrings) {
  SUniString s(u"abcdef");
  EXPECT_EQ(Text(s.Mid(-5, 2)), u"ab");
  EXPECT_EQ(Text(s.Mid(4)), u"ef");
  EXPECT_EQ(Text(s.Mid(6, 1)), u"");
  EXPECT_EQ(Text(s.Left(99)), u"abcdef");
  EXPECT_EQ(Text(s.Right(2)), u"ef");
  EXPECT_EQ(Text(s.Slice(2, 2)), u"");
  EXPECT_EQ(Text(s.Slice(-1, 3)), u"abc");
  SUniString path(u"dir/file");
  EXPECT_EQ(Text(path.BeforeChar(u'/')), u"dir");
  EXPECT_EQ(Text(path.AfterChar(u'/')), u"file");
  EXPECT_EQ(Text(path.BeforeChar(u'|')), u"");
  EXPECT_EQ(Text(path.BeforeCharOrAll(u'|')), u"dir/file");
  EXPECT_EQ(Text(s.Concat(u"g")), u"abcdefg");
}

TEST(SUniStringEditing, TrimmingKnowsOnlySpaceAndTab) {
  SUniString s(u" \tab \u0120\t ");
  s.TrimTrailing(-1, false);
  EXPECT_EQ(Text(s), u" \tab \u0120");  // U+0120 is no blank, though its low byte is
  EXPECT_EQ(s.TrimLeading(-1, true), 1);
  EXPECT_EQ(Text(s), u"\tab \u0120");
  EXPECT_EQ(s.TrimLeading(-1, false), 1);
  s.TrimTrailing(1, false);
  EXPECT_EQ(Text(s), u"ab ");
  EXPECT_EQ(s.TrimLeading(10, false), 0);
  EXPECT_EQ(Text(s), u"");
}

TEST(SUniStringEditing, CaseBlanksAndReverse) {
  SUniString s(u"Ab\u00E9\u03B1Z");
  EXPECT_EQ(Text(s.ToUpper()), u"AB\u00E9\u03B1Z");
  EXPECT_EQ(Text(s.ToLower()), u"ab\u00E9\u03B1z");
  SUniString r(u"ab");
  r.Reverse();
  EXPECT_EQ(Text(r), u"ba");
  SUniString blanks(u" a\tb c ");
  EXPECT_EQ(Text(blanks.WithoutBlanks(false)), u"a\tbc");
  blanks.RemoveBlanks(true);
  EXPECT_EQ(Text(blanks), u"abc");
}

TEST(SUniStringEditing, ReplaceAndEnclose) {
  SUniString s(u"aaaa");
  EXPECT_EQ(s.Replace(0, -1, u"aa", u"a", true), 2);
  EXPECT_EQ(Text(s), u"aa");
  SUniString t(u"One one ONE");
  EXPECT_EQ(t.Replace(0, -1, u"one", u"two", false), 3);
  EXPECT_EQ(Text(t), u"two two two");
  EXPECT_EQ(t.Replace(4, 3, u"two", u"2", true), 1);  // the range counts
  EXPECT_EQ(Text(t), u"two 2 two");
  EXPECT_EQ(t.Replace(0, -1, u"", u"x", true), 0);

  SUniString q(u"\"a\"");
  EXPECT_TRUE(q.IsEnclosedBy(u'"'));
  EXPECT_FALSE(q.Enclose(u'"'));
  EXPECT_TRUE(q.Unenclose(u'"'));
  EXPECT_EQ(Text(q), u"a");
  SUniString inner(u"\"a\"b\"");
  EXPECT_TRUE(inner.Enclose(u'"'));
  EXPECT_EQ(Text(inner), u"\"\"a\"b\"\"");
}

// ---- Comparison and search ---------------------------------------------------------------

TEST(SUniStringCompare, UnitsCompareUnsignedAndOnlyAsciiFolds) {
  SUniString abc(u"ABC");
  EXPECT_EQ(abc.CompareNoCase(u"abd"), -1);
  EXPECT_EQ(abc.CompareNoCase(u"abc"), 0);
  EXPECT_EQ(abc.Compare(u"abc"), -1);
  EXPECT_EQ(SUniString(u"\uFFFF").Compare(u"a"), 1);
  EXPECT_EQ(SUniString(u"ab").Compare(u"abc"), -1);
  EXPECT_EQ(SUniString(u"\u00C9").CompareNoCase(u"\u00E9"), -1);  // no folding outside ASCII
}

TEST(SUniStringCompare, Find) {
  SUniString s(u"abcdef");
  EXPECT_EQ(s.Find(u"cd", 0, 3), -1);
  EXPECT_EQ(s.Find(u"cd", 0, 4), 2);
  EXPECT_EQ(s.Find(u"cd", 0, 4, true), 4);
  EXPECT_EQ(s.Find(u""), -1);
  EXPECT_EQ(s.FindNoCase(u"DE"), 3);
  EXPECT_EQ(s.FindChar(u'f'), 5);
  EXPECT_EQ(s.FindChar(u'z'), -1);
}

// ---- Character classes ------------------------------------------------------------------------

TEST(SUniStringClasses, ThePlatformClassifiesUnicodeLetters) {
  SUniString s(u"\u00E9\u03B1\u00C95 ");
  EXPECT_TRUE(s.IsAlphaAt(0));
  EXPECT_TRUE(s.IsAlphaAt(1));
  EXPECT_TRUE(s.IsLowerAt(1));
  EXPECT_TRUE(s.IsUpperAt(2));
  EXPECT_FALSE(s.IsLowerAt(2));
  EXPECT_TRUE(s.IsDigitAt(3));
  EXPECT_FALSE(s.IsAlphaAt(4));
  EXPECT_FALSE(s.IsAlphaAt(-1));
  EXPECT_FALSE(s.IsDigitAt(5));
  SUniString upper(s);
  upper.MakeUpper();
  EXPECT_EQ(Text(upper), Text(s));
}

// ---- Numbers -------------------------------------------------------------------------------------

TEST(SUniStringNumbers, DoubleText) {
  struct Case {
    double value;
    bool keepPointZero;
    const char16_t* text;
  } cases[] = {
      {2.5, false, u"2.5"},
      {3, false, u"3"},
      {3, true, u"3.0"},
      {-0.125, false, u"-0.125"},
      {0, false, u"0"},
      {1e30, false, u"1000000000000000019884624838656"},
      {0.0000001, false, u"0"},
  };
  for (const Case& c : cases) {
    SUniString s;
    s.SetDouble(c.value, c.keepPointZero);
    EXPECT_EQ(Text(s), c.text) << c.value;
  }
}

TEST(SUniStringNumbers, IntegersHexAndBinary) {
  SUniString s;
  s.SetInt(-42);
  EXPECT_EQ(Text(s), u"-42");
  EXPECT_EQ(Text(SUniString::FromInt64(INT64_MIN)), u"-9223372036854775808");
  EXPECT_EQ(Text(SUniString::ConstructFromInt(7)), u"7");
  s.SetHex(4, 255, nullptr);
  EXPECT_EQ(Text(s), u"00FF");
  s.SetHex(1, 255, u"0x");
  EXPECT_EQ(Text(s), u"0xFF");
  s.SetHex(2, -1, nullptr);
  EXPECT_EQ(Text(s), u"FFFFFFFFFFFFFFFF");
  s.SetHex(40, 1, nullptr);
  EXPECT_EQ(Text(s), u"0000000000000001");
  s.SetBinary(5);
  EXPECT_EQ(Text(s), u"101");
  s.SetBinary(0);
  EXPECT_EQ(Text(s), u"0");
  EXPECT_EQ(SUniString(u"1x1").BinaryValue(), 5);
  EXPECT_EQ(SUniString(u"1").BinaryValue(), 1);
  SUniString wide;
  wide.SetLengthFilled(40, u'1');
  EXPECT_EQ(wide.BinaryValue(), -1);  // only the last 32 positions count
}

TEST(SUniStringNumbers, Readers) {
  EXPECT_DOUBLE_EQ(SUniString(u"  -12.5xyz").ToDouble(), -12.5);
  EXPECT_DOUBLE_EQ(SUniString(u"1\u0661").ToDouble(), 1);  // a non-ASCII digit ends the number
  EXPECT_EQ(SUniString(u"abc").ToDouble(), 0);
  EXPECT_EQ(SUniString(u" +123456789012").ToInt64(), 123456789012);
  EXPECT_EQ(SUniString(u"-9223372036854775808").ToInt64(), INT64_MIN);
  EXPECT_EQ(SUniString(u"\uFF11").ToInt64(), 0);  // fullwidth digit one

  struct Hex {
    const char16_t* text;
    int64_t value;
  } hex[] = {{u"#ff", 255}, {u"0X1F", 31}, {u"1F", 31}, {u"0F", 0}, {u"#", 0},
             {u"12345678901234567", 0}, {u"FFFFFFFFFFFFFFFF", -1}, {u"1G", 0}, {u"\uFF11", 0}};
  for (const Hex& h : hex) EXPECT_EQ(SUniString(h.text).HexValue(), h.value) << h.value;
}

TEST(SUniStringNumbers, LiteralTests) {
  struct Case {
    const char16_t* text;
    bool number;
  } numbers[] = {{u"-12", true}, {u".5", true},  {u"12 ", true},   {u" 12", true},  {u"5.", false},
                 {u"1.2.3", false}, {u" -5", false}, {u"-", false}, {u"1e5", false}, {u"", false},
                 {u" \t", false}, {u"\u0661", false}};
  for (const Case& c : numbers) {
    EXPECT_EQ(SUniString(c.text).IsNumber(), c.number) << SString(c.text).GetText();
  }
  EXPECT_TRUE(SUniString(u"12").IsInteger());
  EXPECT_FALSE(SUniString(u"1.2").IsInteger());
  EXPECT_TRUE(SUniString(u"1.2").IsDecimal());

  EXPECT_TRUE(SUniString(u" 0xAb ").IsHexNumber(nullptr, false));
  EXPECT_FALSE(SUniString(u"0A").IsHexNumber(nullptr, false));
  EXPECT_FALSE(SUniString(u"0XAB").IsHexNumber(nullptr, true));
  EXPECT_TRUE(SUniString(u"0XAB").IsHexNumber(nullptr, false));
  EXPECT_TRUE(SUniString(u"$1f").IsHexNumber(u"$", true));
  EXPECT_FALSE(SUniString(u"$").IsHexNumber(u"$", true));
  EXPECT_TRUE(SUniString(u"hx1f").IsHexNumber(u"HX", false));
  EXPECT_FALSE(SUniString(u"hx1f").IsHexNumber(u"HX", true));  // the prefix only in its exact case
  EXPECT_TRUE(SUniString(u"HX1f").IsHexNumber(u"HX", true));

  struct Literal {
    const char16_t* text;
    int kind;
  } literals[] = {{u"\"abc\"", 4}, {u"0x1F", 3}, {u"0X1F", 3}, {u"1.5", 2}, {u"15", 1}, {u"abc", 0}, {u"", 0}};
  for (const Literal& l : literals) EXPECT_EQ(SUniString(l.text).ClassifyLiteral(u'"'), l.kind);
}

}  // namespace
