#include "core/SString.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A malloc'd copy, as Attach wants.
char* HeapText(const char* text) {
  size_t n = std::strlen(text) + 1;
  char* p = static_cast<char*>(std::malloc(n));
  std::memcpy(p, text, n);
  return p;
}

// Hides self-assignment from the compiler's warning about it.
SString& Same(SString& s) { return s; }

std::string Bytes(const SString& s) { return std::string(s.GetText(), static_cast<size_t>(s.GetLength())); }

// ---- Storage and the capacity rule ---------------------------------------------------

TEST(SStringStorage, CapacityIsSmallestPowerOfTwoAboveLengthAndAtLeastEight) {
  const struct { int length, capacity; } cases[] = {
      {-4, 8}, {0, 8}, {7, 8}, {8, 16}, {15, 16}, {16, 32}, {31, 32}, {32, 64}, {100, 128}, {1023, 1024}};
  for (auto c : cases) {
    SCOPED_TRACE(c.length);
    SString s;
    s.SetLength(c.length, false);
    EXPECT_EQ(c.length < 0 ? 0 : c.length, s.GetLength());
    EXPECT_EQ(c.capacity, s.GetCapacity());
    EXPECT_EQ(0, s.GetBuffer()[s.GetLength()]);
  }
}

TEST(SStringStorage, EveryLengthChangeShrinksToTheCanonicalCapacity) {
  SString s("abcdefghijklmnopqrst");  // 20 bytes
  EXPECT_EQ(32, s.GetCapacity());
  s.SetLength(3, true);
  EXPECT_EQ(8, s.GetCapacity());
  EXPECT_EQ("abc", Bytes(s));

  SString t;
  t.SetLengthFilled(100, 'x');
  EXPECT_EQ(128, t.GetCapacity());
  EXPECT_EQ(97, t.Delete(3, -1));
  EXPECT_EQ(8, t.GetCapacity());
  EXPECT_EQ("xxx", Bytes(t));

  SString u("abc");
  u.Append("defghijk");
  EXPECT_EQ(16, u.GetCapacity());
  EXPECT_EQ("abcdefghijk", Bytes(u));
}

TEST(SStringStorage, NoBufferStateReadsAsEmptyEverywhere) {
  SString s;
  EXPECT_EQ(nullptr, s.GetBuffer());
  EXPECT_EQ(0, s.GetCapacity());
  EXPECT_STREQ("", s.GetText());
  EXPECT_EQ(nullptr, s.Duplicate());
  EXPECT_EQ(nullptr, s.ToWide());
  EXPECT_TRUE(s == "");
  EXPECT_EQ(-1, s.Compare("a"));
  EXPECT_EQ(-1, s.FindChar('a'));
  EXPECT_EQ(-1, s.ReverseFindChar(-1, 'a'));
  EXPECT_EQ(0, s.GetAt(0));
  EXPECT_EQ(0, s.Delete(0, 1));
  // Results built from it, and copies of it, hold a buffer of their own.
  SString mid = s.Mid(0);
  EXPECT_EQ(8, mid.GetCapacity());
  SString copy(s);
  EXPECT_NE(nullptr, copy.GetBuffer());
  EXPECT_EQ(8, copy.GetCapacity());
  // Appending nothing is still the first length change.
  s.AppendText("");
  EXPECT_EQ(8, s.GetCapacity());
  // Only Attach of null goes back.
  s.Attach(nullptr);
  EXPECT_EQ(nullptr, s.GetBuffer());
  EXPECT_EQ(0, s.GetCapacity());
}

TEST(SStringStorage, NullTextGivesEmptyStringWithABuffer) {
  SString s("some longer text here");
  s.Assign(nullptr);
  EXPECT_EQ(0, s.GetLength());
  EXPECT_EQ(8, s.GetCapacity());
  SString t = SString::ConstructFromText(nullptr);
  EXPECT_NE(nullptr, t.GetBuffer());
  EXPECT_STREQ("", t.GetText());
  SString w(static_cast<const UniChar*>(nullptr));
  EXPECT_STREQ("", w.GetText());
  EXPECT_EQ(8, w.GetCapacity());
}

TEST(SStringStorage, CountedAssignKeepsZeroBytesAndTextReadsStopAtThem) {
  SString s;
  s.Assign("a\0bc", 4);
  EXPECT_EQ(4, s.GetLength());
  EXPECT_EQ(std::string("a\0bc", 4), Bytes(s));
  EXPECT_TRUE(s.EqualsText("a"));    // comparison stops at the 0 byte
  EXPECT_EQ(2, s.FindChar('b'));     // searches use the length
  char* dup = s.Duplicate();
  EXPECT_EQ(0, std::memcmp(dup, "a\0bc", 5));
  std::free(dup);
}

TEST(SStringStorage, ZeroedAndFilledLengths) {
  SString z = SString::ConstructZeroed(9);
  EXPECT_EQ(9, z.GetLength());
  EXPECT_EQ(16, z.GetCapacity());
  for (int i = 0; i < 9; i++) EXPECT_EQ(0, z.GetAt(i));
  EXPECT_EQ(0, SString::ConstructZeroed(-3).GetLength());

  SString f("ab");
  f.SetLengthFilled(5, 'x');
  EXPECT_EQ("abxxx", Bytes(f));
  f.SetLengthFilled(1, 'y');
  EXPECT_EQ("a", Bytes(f));
}

TEST(SStringStorage, AttachTakesTheBufferWithCapacityLengthPlusOne) {
  SString s("old");
  s.Attach(HeapText("hello world"));  // 11 bytes
  EXPECT_EQ(11, s.GetLength());
  EXPECT_EQ(12, s.GetCapacity());
  s.AppendChar('!');
  EXPECT_EQ(16, s.GetCapacity());
  EXPECT_EQ("hello world!", Bytes(s));

  SString t;
  t.Attach(HeapText("abcdefgh"), 3);
  EXPECT_EQ(3, t.GetLength());
  EXPECT_EQ(4, t.GetCapacity());
  EXPECT_STREQ("abc", t.GetText());

  // Re-attaching the buffer already held must not free it.
  SString u("abc");
  u.Attach(u.GetBuffer());
  EXPECT_EQ("abc", Bytes(u));
}

TEST(SStringStorage, TagsBelongToTheOwner) {
  SString a("a");
  a.SetTag(42);
  SString b(a);
  EXPECT_EQ(0, b.GetTag());
  b = a;
  EXPECT_EQ(0, b.GetTag());
  b.AssignString(a, true);
  EXPECT_EQ(0, b.GetTag());
  b.AssignString(a, false);
  EXPECT_EQ(42, b.GetTag());
  SString c("x");
  c.SetTag(7);
  c = SString("moved");
  EXPECT_EQ(7, c.GetTag());
}

// ---- Assignment from itself ---------------------------------------------------------------

TEST(SStringAliasing, AssigningFromInsideItselfEqualsAssigningFromACopy) {
  const std::string longText(40, 'z');
  const struct {
    const char* name;
    std::string initial;
    void (*op)(SString&);
    std::string expected;
    int capacity;
  } cases[] = {
      {"self copy", "abcdef", [](SString& s) { s = Same(s); }, "abcdef", 8},
      {"self AssignString", "abcdef", [](SString& s) { s.AssignString(s, false); }, "abcdef", 8},
      {"own tail", "abcdef", [](SString& s) { s.Assign(s.GetBuffer() + 2); }, "cdef", 8},
      {"own tail, shrinking", longText + "tail", [](SString& s) { s.Assign(s.GetBuffer() + 40); }, "tail", 8},
      {"own buffer counted", "abcdef", [](SString& s) { s.Assign(s.GetBuffer() + 1, 3); }, "bcd", 8},
      {"append itself, growing", "abcdefg", [](SString& s) { s.Append(s.GetBuffer()); }, "abcdefgabcdefg", 16},
      {"append past a cut", "abcdef",
       [](SString& s) {
         s.SetAt(2, 0);
         s.Append(s.GetBuffer() + 3);
       },
       "abdef", 8},
      {"insert itself, growing", "abcdefg", [](SString& s) { s.Insert(s.GetBuffer(), 1, 2); }, "aabcdefgabcdefgbcdefg", 32},
      {"overwrite with own tail", "abcdefg", [](SString& s) { s.Overwrite(0, 1, s.GetBuffer() + 1); },
       "bcdefgbcdefg", 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SString s(c.initial.c_str());
    c.op(s);
    EXPECT_EQ(c.expected, Bytes(s));
    EXPECT_EQ(c.capacity, s.GetCapacity());
  }
}

TEST(SStringAliasing, SelfAssignmentOfAnAttachedOrEmptyStringChangesNothing) {
  SString s;
  s.Attach(HeapText("hello world"));
  s = Same(s);
  EXPECT_EQ(12, s.GetCapacity());
  EXPECT_EQ("hello world", Bytes(s));
  SString none;
  none = Same(none);
  EXPECT_EQ(nullptr, none.GetBuffer());
}

TEST(SStringAliasing, MovesBehaveAsCopiesAndEmptyTheSource) {
  SString a("hello");
  SString b(std::move(a));
  EXPECT_EQ("hello", Bytes(b));
  EXPECT_EQ(nullptr, a.GetBuffer());  // the moved-from state is defined

  SString attached;
  attached.Attach(HeapText("hello world"));
  SString c(std::move(attached));
  EXPECT_EQ(16, c.GetCapacity());  // as a copy would have it

  SString none;
  SString d;
  d = std::move(none);
  EXPECT_NE(nullptr, d.GetBuffer());  // a copy of no buffer is ""
  EXPECT_EQ(8, d.GetCapacity());
  d = std::move(Same(d));
  EXPECT_EQ(8, d.GetCapacity());
}

// ---- Characters --------------------------------------------------------------------------

TEST(SStringChars, AccessOutsideTheTextReadsZeroAndWritesNothing) {
  SString s("ab\xE9");
  EXPECT_EQ('a', s.GetAt(0));
  EXPECT_EQ(static_cast<char>(0xE9), s.GetAt(2));
  EXPECT_EQ(0xE9, s.GetByteAt(2));
  EXPECT_EQ(0, s.GetAt(3));
  EXPECT_EQ(0, s.GetAt(-1));
  EXPECT_EQ('a', s.FirstChar());
  EXPECT_EQ(0, SString("").FirstChar());
  s.SetAt(3, 'x');
  s.SetAt(-1, 'x');
  s.SwapChars(0, 3);
  EXPECT_EQ("ab\xE9", Bytes(s));
  s.SwapChars(0, 1);
  EXPECT_EQ("ba\xE9", Bytes(s));
}

TEST(SStringChars, StoringZeroCutsTheTextButKeepsTheBuffer) {
  SString s("abcdefghijklmnop");  // capacity 32
  s.SetAt(3, 0);
  EXPECT_EQ(3, s.GetLength());
  EXPECT_EQ("abc", Bytes(s));
  EXPECT_EQ(32, s.GetCapacity());
  s.AppendChar('d');
  EXPECT_EQ(8, s.GetCapacity());
  EXPECT_EQ("abcd", Bytes(s));
  s.AppendChar(0);
  EXPECT_EQ(4, s.GetLength());
}

TEST(SStringChars, AsciiClassesAtAPosition) {
  const SString s("aZ9_yB\xE9");
  EXPECT_TRUE(s.IsAlphaAt(0));
  EXPECT_TRUE(s.IsLowerAt(0));
  EXPECT_TRUE(s.IsUpperAt(1));
  EXPECT_TRUE(s.IsConsonantAt(1));
  EXPECT_TRUE(s.IsDigitAt(2));
  EXPECT_FALSE(s.IsAlphaAt(3));
  EXPECT_TRUE(s.IsVowelAt(4));
  EXPECT_FALSE(s.IsConsonantAt(4));
  EXPECT_FALSE(s.IsVowelAt(5));
  EXPECT_FALSE(s.IsAlphaAt(6));  // accented letters are not ASCII
  EXPECT_FALSE(s.IsDigitAt(7));
  EXPECT_FALSE(s.IsDigitAt(-1));
}

// ---- Editing -------------------------------------------------------------------------------

TEST(SStringEdit, InsertDeleteAndOverwrite) {
  const struct {
    const char* name;
    const char* initial;
    void (*op)(SString&);
    const char* expected;
  } cases[] = {
      {"insert at end", "abc", [](SString& s) { s.Insert("xy"); }, "abcxy"},
      {"insert repeated", "abc", [](SString& s) { s.Insert("xy", 1, 3); }, "axyxyxybc"},
      {"insert past end", "abc", [](SString& s) { s.Insert("xy", 4); }, "abc"},
      {"insert no copies", "abc", [](SString& s) { s.Insert("xy", 0, 0); }, "abc"},
      {"insert chars", "abc", [](SString& s) { s.InsertChars(2, '-', 0); }, "--abc"},
      {"insert chars at end", "abc", [](SString& s) { s.InsertChars(1, '-'); }, "abc-"},
      {"delete negative start", "abc", [](SString& s) { s.Delete(-2, 1); }, "bc"},
      {"delete cut to end", "abc", [](SString& s) { s.Delete(1, 99); }, "a"},
      {"overwrite longer", "abc", [](SString& s) { s.Overwrite(1, 1, "XYZ"); }, "aXYZc"},
      {"overwrite at end appends", "abc", [](SString& s) { s.Overwrite(3, -1, "de"); }, "abcde"},
      {"overwrite shorter", "abcdef", [](SString& s) { s.Overwrite(1, 3, "X"); }, "aXef"},
      {"overwrite empty deletes", "abcdef", [](SString& s) { s.Overwrite(-3, 2, ""); }, "cdef"},
      {"overwrite past end", "abc", [](SString& s) { s.Overwrite(4, 1, "X"); }, "abc"},
      {"overwrite range", "abc", [](SString& s) { s.OverwriteRange(1, 10, "X"); }, "aX"},
      {"overwrite range negative start", "abc", [](SString& s) { s.OverwriteRange(-1, 1, "XY"); }, "XYbc"},
      {"overwrite range empty", "abc", [](SString& s) { s.OverwriteRange(2, 2, "X"); }, "abc"},
      {"overwrite range at end", "abc", [](SString& s) { s.OverwriteRange(3, 5, "X"); }, "abc"},
      {"overwrite range to the end", "abcd", [](SString& s) { s.OverwriteRange(1, -1, "X"); }, "aX"},
      {"overwrite range other negative end", "abcd", [](SString& s) { s.OverwriteRange(1, -2, "X"); }, "abcd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SString s(c.initial);
    c.op(s);
    EXPECT_EQ(c.expected, Bytes(s));
    EXPECT_EQ(0, s.GetBuffer()[s.GetLength()]);
  }
}

TEST(SStringEdit, DeleteReportsTheBytesRemoved) {
  SString s("abc");
  EXPECT_EQ(2, s.Delete(1, -1));
  EXPECT_EQ("a", Bytes(s));
  EXPECT_EQ(0, s.Delete(1, 1));
  EXPECT_EQ(0, s.Delete(0, 0));
}

TEST(SStringEdit, ConcatenationOperators) {
  SString a("ab");
  SString b = a + "cd";
  EXPECT_EQ("ab", Bytes(a));
  EXPECT_EQ("abcd", Bytes(b));
  EXPECT_EQ("xab", Bytes("x" + a));
  EXPECT_EQ("abab", Bytes(a + a));
  a += "c";
  a += SString("d");
  a += 'e';
  EXPECT_TRUE(a == "abcde");
  EXPECT_TRUE(a != "abcd");
  EXPECT_TRUE(a == SString("abcde"));
  EXPECT_EQ(8, (SString("1234") + "567").GetCapacity());
  EXPECT_EQ(16, (SString("1234") + "5678").GetCapacity());
}

// ---- Substrings ------------------------------------------------------------------------------

TEST(SStringSubstring, RangesFollowTheRangeRule) {
  const SString s("abcdef");
  const struct {
    SString got;
    const char* expected;
  } cases[] = {
      {s.Mid(-5, 2), "ab"},   {s.Mid(4, -1), "ef"},    {s.Mid(6, 1), ""},        {s.Mid(2, 100), "cdef"},
      {s.Mid(2, 0), ""},      {s.Left(0), ""},         {s.Left(2), "ab"},        {s.Left(10), "abcdef"},
      {s.Right(2), "ef"},     {s.Right(-1), ""},       {s.Right(10), "abcdef"},  {s.Slice(2, 2), ""},
      {s.Slice(-1, 3), "abc"}, {s.Slice(4, 100), "ef"}, {s.Slice(6, 8), ""},
      {s.Slice(1, -1), "bcdef"}, {s.Slice(6, -1), ""},   {s.Slice(1, -2), ""},
      {s.BeforeChar('d'), "abc"}, {s.BeforeChar('z'), ""}, {s.BeforeCharOrAll('z'), "abcdef"},
      {s.AfterChar('d'), "ef"},   {s.AfterChar('f'), ""},  {s.AfterChar('z'), ""},
  };
  for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); i++) {
    SCOPED_TRACE(i);
    EXPECT_EQ(cases[i].expected, Bytes(cases[i].got));
    EXPECT_NE(nullptr, cases[i].got.GetBuffer());
  }
}

// ---- Comparison --------------------------------------------------------------------------------

TEST(SStringCompare, NormalisedAndAsciiCaseOnly) {
  const struct {
    const char* a;
    const char* b;
    bool caseSensitive;
    int expected;
  } cases[] = {
      {"a", "B", false, -1},  {"a", "_", false, 1},  {"a", "B", true, 1},       {"ABC", "abc", false, 0},
      {"abc", "abc", true, 0}, {"ab", "abc", true, -1}, {"abc", "ab", false, 1}, {"\xE9", "a", true, 1},
      {"\xC9", "\xE9", false, -1},  // accented letters keep their case
      {"zzzzzzzzzz", "a", true, 1},
  };
  for (auto c : cases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    EXPECT_EQ(c.expected, SString(c.a).Compare(c.b, c.caseSensitive));
  }
  EXPECT_EQ(0, SString("HeLLo").CompareNoCase("hello"));
  EXPECT_TRUE(SString("abc").DiffersFromText("abd"));
}

// ---- Search --------------------------------------------------------------------------------------

TEST(SStringSearch, FamilyOverRanges) {
  const SString s("abcdef");
  const SString blanks("  \tab");
  const SString twice("abcab");
  const struct {
    int got, expected;
  } cases[] = {
      {s.FindChar('c'), 2},
      {s.FindChar('c', 3), -1},
      {s.FindChar('a', -3, 1), 0},
      {s.FindChar('f', 2, 99), 5},
      {s.FindChar('a', 6), -1},
      {s.FindCharNoCase('D'), 3},
      {SString("ABC").FindCharNoCase('b'), 1},
      {s.Find("cd", 0, 3), -1},  // would end outside the range
      {s.Find("cd", 0, 4), 2},
      {s.Find("cd", 0, 4, true), 4},
      {s.Find("", 0), -1},
      {s.Find("ef"), 4},
      {s.Find("efg"), -1},
      {s.FindNoCase("CD"), 2},
      {s.FindNoCase("CD", 3), -1},
      {blanks.FindNotChar(' '), 2},
      {blanks.FindNotOneOf(" \t"), 3},
      {blanks.FindNotOneOf("", 1), 1},
      {SString("   ").FindNotOneOf(" "), -1},
      {s.FindOneOf("fd"), 3},
      {s.FindOneOf("FD"), -1},
      {s.FindOneOf("FD", 0, -1, false), 3},
      {s.FindOneOf("fd", 4, 1), -1},
      {twice.ReverseFindChar(-1, 'a'), 3},
      {twice.ReverseFindChar(2, 'a'), 0},
      {twice.ReverseFindChar(5, 'a'), -1},
      {twice.ReverseFindChar(-2, 'a'), -1},
      {twice.ReverseFindChars(-1, 2, 'a', 'c'), 3},  // the first listed character decides
      {twice.ReverseFindChars(-1, 2, 'z', 'c'), 2},
      {twice.ReverseFindChars(-1, 0, 'a'), -1},
      {twice.ReverseFindOneOf("ca", -1), 2},
      {twice.ReverseFindOneOf("xyz", -1), -1},
  };
  for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); i++) {
    SCOPED_TRACE(i);
    EXPECT_EQ(cases[i].expected, cases[i].got);
  }
}

TEST(SStringSearch, OutsideQuotesAndWholeWords) {
  const SString quoted("\"x\" x");
  EXPECT_EQ(4, quoted.FindOutsideQuotes(0, "x", '"'));
  EXPECT_EQ(-1, quoted.FindOutsideQuotes(5, "x", '"'));
  EXPECT_EQ(-1, quoted.FindOutsideQuotes(0, "", '"'));
  EXPECT_EQ(-1, SString("abc").FindOutsideQuotes(0, "bcd", '"'));  // would run past the end
  EXPECT_EQ(1, quoted.FindOutsideQuotes(1, "x", '"'));              // starts in the outside state

  const struct {
    const char* text;
    const char* word;
    bool skipComments;
    int expected;
  } words[] = {
      {"// ab\nab c", "ab", true, 6},
      {"// ab\nab c", "ab", false, 3},
      {"abc ab", "ab", true, 4},
      {"ab_ ab9 xab", "ab", false, 9},     // the byte before is not examined
      {"\"ab\" ab", "ab", false, 5},
      {"\"//\" ab", "ab", true, 5},         // a // inside quotes is no comment
      {"x // \"q\" ab", "ab", true, -1},
      {"ab", "", false, -1},
  };
  for (auto w : words) {
    SCOPED_TRACE(w.text);
    EXPECT_EQ(w.expected, SString(w.text).FindWord(w.word, 0, '"', w.skipComments));
  }
}

// ---- ANSI <-> UTF-16 -------------------------------------------------------------------------------

TEST(SStringWide, Windows1252RoundTrip) {
  const SString ansi("caf\xE9 \x80");
  UniChar* wide = ansi.ToWide();
  ASSERT_NE(nullptr, wide);
  const UniChar expected[] = {u'c', u'a', u'f', 0xE9, u' ', 0x20AC, 0};
  EXPECT_EQ(0, std::memcmp(expected, wide, sizeof(expected)));
  SString back(wide);
  std::free(wide);
  EXPECT_EQ(std::string("caf\xE9 \x80"), Bytes(back));
  EXPECT_EQ(8, back.GetCapacity());

  SString assigned("previous text");
  assigned.AssignWide(u"\u20AC!");
  EXPECT_EQ(std::string("\x80!"), Bytes(assigned));

  UniChar* empty = SString("").ToWide();
  ASSERT_NE(nullptr, empty);
  EXPECT_EQ(0, empty[0]);
  std::free(empty);
}

}  // namespace
