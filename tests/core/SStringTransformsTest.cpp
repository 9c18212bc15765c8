#include "core/SString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(const SString& s) { return std::string(s.GetText(), static_cast<size_t>(s.GetLength())); }

SString FromBytes(const std::string& bytes) {
  SString s;
  s.Assign(bytes.data(), static_cast<int>(bytes.size()));
  return s;
}

// ---- Trimming ------------------------------------------------------------------------

TEST(SStringTrim, TableOfCounts) {
  const struct {
    const char* text;
    int leading, trailing;
    bool spacesOnly;
    const char* result;
    int answer;
  } cases[] = {
      {" \tab", -1, 0, false, "ab", 2},
      {" \tab", -1, 0, true, "\tab", 1},
      {"abc", 10, 0, false, "", 0},
      {"abc", 1, 0, false, "bc", 0},
      {"abc", 0, 0, false, "abc", 0},
      {"   ", -1, 0, false, "", 3},
      {"ab \t ", 0, -1, false, "ab", 0},
      {"ab \t ", 0, -1, true, "ab \t", 0},
      {"abc", 0, 2, false, "a", 0},
      {"abc", 0, 5, false, "", 0},
      {"\t a b \t", -1, -1, false, "a b", 2},
      {"", -1, -1, false, "", 0},
  };
  for (auto c : cases) {
    SString s(c.text);
    EXPECT_EQ(c.answer, s.Trim(c.leading, c.trailing, c.spacesOnly)) << c.text;
    EXPECT_STREQ(c.result, s.GetText()) << c.text;
  }
}

// ---- Case and blanks ----------------------------------------------------------------------

TEST(SStringCase, AsciiLettersOnly) {
  SString s("aZ\xE9\xC9 1_");
  EXPECT_STREQ("AZ\xE9\xC9 1_", s.ToUpper().GetText());
  EXPECT_STREQ("az\xE9\xC9 1_", s.ToLower().GetText());
  EXPECT_STREQ("aZ\xE9\xC9 1_", s.GetText());  // the copies leave the receiver alone
  EXPECT_STREQ("AZ\xE9\xC9 1_", s.MakeUpper().GetText());
  EXPECT_STREQ("az\xE9\xC9 1_", s.MakeLower().GetText());
}

TEST(SStringBlanks, RemovesSpacesAndTabsOnRequest) {
  SString s(" a\tb c ");
  EXPECT_STREQ("a\tbc", s.WithoutBlanks(false).GetText());
  EXPECT_STREQ("abc", s.WithoutBlanks(true).GetText());
  EXPECT_STREQ("a\tbc", s.RemoveBlanks(false).GetText());
  SString none;
  EXPECT_EQ(0, none.RemoveBlanks(true).GetLength());
}

TEST(SStringBlanks, RemoveExtraBlanks) {
  const struct {
    const char* text;
    bool tabsToSpaces;
    const char* keep;
    const char* result;
  } cases[] = {
      {"  a   b  ", false, nullptr, "a b"},
      {"a\tb", false, nullptr, "a\tb"},
      {"a\tb", true, nullptr, "a b"},
      {"a \t b", false, nullptr, "a b"},
      {"a , b", false, nullptr, "a,b"},
      {"f ( x )", false, nullptr, "f(x)"},
      {"say \"a   b\"  now", false, nullptr, "say\"a   b\"now"},  // quoted text untouched
      {"say \"a   b\"  now", false, "\"", "say \"a   b\" now"},
      {"x =  \"v\"", false, "\"", "x= \"v\""},  // one blank kept next to a keep character
      {"a  ,  b", false, ",", "a , b"},
  };
  for (auto c : cases) {
    SString s(c.text);
    EXPECT_STREQ(c.result, s.RemoveExtraBlanks(c.tabsToSpaces, c.keep).GetText()) << c.text;
  }
}

TEST(SStringAccents, EveryByteFollowsTheTable) {
  // The table, range by range: capitals from C0, small letters from E0.
  const struct { int from, to; char base; } table[] = {
      {0xC0, 0xC5, 'A'}, {0xC7, 0xC7, 'C'}, {0xC8, 0xCB, 'E'}, {0xCC, 0xCF, 'I'}, {0xD1, 0xD1, 'N'},
      {0xD2, 0xD6, 'O'}, {0xD9, 0xDC, 'U'}, {0xDD, 0xDD, 'Y'}, {0xE0, 0xE5, 'a'}, {0xE7, 0xE7, 'c'},
      {0xE8, 0xEB, 'e'}, {0xEC, 0xEF, 'i'}, {0xF1, 0xF1, 'n'}, {0xF2, 0xF6, 'o'}, {0xF9, 0xFC, 'u'},
      {0xFD, 0xFD, 'y'}, {0xFF, 0xFF, 'y'}};
  std::string all;
  for (int b = 1; b < 256; b++) all += static_cast<char>(b);
  for (int flags = 0; flags < 4; flags++) {
    bool capitals = flags & 1, small = flags & 2;
    std::string expected = all;
    for (auto t : table)
      for (int b = t.from; b <= t.to; b++)
        if (b < 0xE0 ? capitals : small) expected[b - 1] = t.base;
    SString s(all.c_str());
    EXPECT_EQ(expected, Bytes(s.RemoveAccents(capitals, small))) << flags;
  }
}

TEST(SStringShape, StripLeadingNumber) {
  const struct { const char* text; const char* result; } cases[] = {
      {"12. Item", "Item"}, {"3) Item", "Item"}, {"12 - Item", "Item"}, {"1.2 Item", "2 Item"},
      {"12abc", "bc"}, {"12", "12"}, {"12. ", "12. "}, {"Title", "Title"}, {"", ""}};
  for (auto c : cases) {
    SString s(c.text);
    EXPECT_STREQ(c.result, s.StripLeadingNumber().GetText()) << c.text;
  }
}

TEST(SStringShape, Reverse) {
  for (auto c : {std::pair<const char*, const char*>{"ab", "ba"}, {"abc", "cba"}, {"", ""}, {"x", "x"}}) {
    SString s(c.first);
    EXPECT_STREQ(c.second, s.Reverse().GetText());
  }
  SString binary = FromBytes(std::string("a\0b", 3));
  EXPECT_EQ(std::string("b\0a", 3), Bytes(binary.Reverse()));
}

// ---- Replacement ------------------------------------------------------------------------------

TEST(SStringReplace, ReplaceCharCountsInsideTheRange) {
  SString s("a.b.c.d");
  EXPECT_EQ(2, s.ReplaceChar(2, 4, '.', '-'));
  EXPECT_STREQ("a.b-c-d", s.GetText());
  EXPECT_EQ(1, s.ReplaceChar(-5, -1, '.', '+'));
  EXPECT_STREQ("a+b-c-d", s.GetText());
  EXPECT_EQ(0, s.ReplaceChar(20, 1, '-', '+'));
  // A new character 0 cuts the text at the first hit; every hit still counts.
  EXPECT_EQ(2, s.ReplaceChar(0, -1, '-', 0));
  EXPECT_STREQ("a+b", s.GetText());
  EXPECT_EQ(3, s.GetLength());
}

TEST(SStringReplace, Table) {
  const struct {
    const char* text;
    int start, count;
    const char* find;
    const char* with;
    bool caseSensitive;
    const char* result;
    int hits;
  } cases[] = {
      {"aaaa", 0, -1, "aa", "a", true, "aa", 2},
      {"aaaa", 0, -1, "", "x", true, "aaaa", 0},
      {"abcabc", 0, -1, "b", "xyz", true, "axyzcaxyzc", 2},
      {"abab", 0, -1, "a", "aa", true, "aabaab", 2},  // no rescan of the replacement
      {"aBcAbC", 0, -1, "bc", "-", false, "a-A-", 2},
      {"aBcAbC", 0, -1, "bc", "-", true, "aBcAbC", 0},
      {"abababab", 2, 4, "ab", "X", true, "abXXab", 2},
      {"abababab", 2, 3, "ab", "X", true, "abXabab", 1},  // the range ends inside the second hit
      {"abc", 5, -1, "a", "b", true, "abc", 0},
      {"a b", 0, -1, " ", "", true, "ab", 1},
  };
  for (auto c : cases) {
    SString s(c.text);
    EXPECT_EQ(c.hits, s.Replace(c.start, c.count, c.find, c.with, c.caseSensitive)) << c.text << "/" << c.find;
    EXPECT_STREQ(c.result, s.GetText()) << c.text << "/" << c.find;
  }
}

TEST(SStringReplace, TextsFromTheStringItself) {
  SString s("abcabc");
  EXPECT_EQ(1, s.Replace(0, -1, s.GetText(), s.GetText() + 3));
  EXPECT_STREQ("abc", s.GetText());
}

// ---- Enclosing characters --------------------------------------------------------------------

TEST(SStringEnclose, EncloseAndUnenclose) {
  SString s("\"a\"");
  EXPECT_TRUE(s.IsEnclosedBy('"'));
  EXPECT_FALSE(s.Enclose('"'));
  EXPECT_STREQ("\"a\"", s.GetText());
  SString t("\"a\"b\"");  // a quote inside: not enclosed
  EXPECT_FALSE(t.IsEnclosedBy('"'));
  EXPECT_TRUE(t.Enclose('"'));
  EXPECT_STREQ("\"\"a\"b\"\"", t.GetText());
  EXPECT_FALSE(SString("\"").IsEnclosedBy('"'));
  EXPECT_TRUE(SString("''").IsEnclosedBy('\''));

  SString u("[x]");
  EXPECT_STREQ("[x]", u.Unenclosed('[').GetText());
  EXPECT_STREQ("x", SString("|x|").Unenclosed('|').GetText());
  EXPECT_FALSE(u.Unenclose('['));
  SString v("*ab*");
  EXPECT_TRUE(v.Unenclose('*'));
  EXPECT_STREQ("ab", v.GetText());
  SString w;
  EXPECT_TRUE(w.Enclose('\''));
  EXPECT_STREQ("''", w.GetText());
}

// ---- Lines and words ------------------------------------------------------------------------------

TEST(SStringLines, GetLineAtWalksEveryKindOfBreak) {
  SString s("one\r\ntwo\nthree\rfour\n\rfive");
  const char* lines[] = {"one", "two", "three", "four", "", "five"};
  int pos = 0;
  for (const char* line : lines) {
    EXPECT_STREQ(line, s.GetLineAt(pos, &pos).GetText());
  }
  EXPECT_EQ(s.GetLength(), pos);
  EXPECT_STREQ("", s.GetLineAt(pos, &pos).GetText());
  EXPECT_EQ(s.GetLength(), pos);
  int untouched = 99;
  EXPECT_STREQ("", s.GetLineAt(-1, &untouched).GetText());
  EXPECT_EQ(99, untouched);
  EXPECT_STREQ("wo", s.GetLineAt(6).GetText());
}

TEST(SStringLines, CountAndLongest) {
  const struct { const char* text; int lines, longest; } cases[] = {
      {"a\nb", 1, 1}, {"a\r\nb\r\n", 3, 1}, {"", 1, 0}, {"x", 1, 1}, {"ab\r\nabcd\rabc", 2, 4}, {"\r\n\r\n", 3, 0}};
  for (auto c : cases) {
    SString s(c.text);
    EXPECT_EQ(c.lines, s.CountLines()) << c.text;
    EXPECT_EQ(c.longest, s.LongestLineLength()) << c.text;
  }
}

TEST(SStringWords, NextWordSkipsOrKeepsBlankRuns) {
  SString s("  ab cd\t\r\n");
  int next = -1;
  EXPECT_STREQ("ab", s.NextWord(0, &next).GetText());
  EXPECT_EQ(4, next);
  EXPECT_STREQ("cd", s.NextWord(next, &next).GetText());
  EXPECT_EQ(7, next);
  EXPECT_STREQ("", s.NextWord(next, &next).GetText());
  EXPECT_EQ(s.GetLength(), next);
  EXPECT_STREQ("  ", s.NextWord(0, &next, true).GetText());
  EXPECT_EQ(2, next);
  EXPECT_STREQ("b", s.NextWord(3, &next).GetText());
  next = 42;
  EXPECT_STREQ("", s.NextWord(-1, &next).GetText());
  EXPECT_EQ(42, next);
}

// ---- Markup ------------------------------------------------------------------------------------------

struct Token {
  std::string text;
  bool found, tag, opening, closing;
  int next;
};

Token Scan(const SString& s, int pos, int maxText = -1) {
  Token t{"?", false, false, false, false, -7};
  SString token("?");
  t.found = s.NextMarkupToken(pos, &token, &t.next, &t.tag, &t.opening, &t.closing, maxText);
  t.text = Bytes(token);
  return t;
}

TEST(SStringMarkup, TagsAndTextInTurn) {
  SString s("  <a title=\"x>y\">text</a>\r\n<br  />");
  Token t = Scan(s, 0);
  EXPECT_TRUE(t.found && t.tag && t.opening && !t.closing);
  EXPECT_EQ("<a title=\"x>y\">", t.text);  // the '>' inside quotes does not end it
  t = Scan(s, t.next);
  EXPECT_TRUE(t.found && !t.tag && !t.opening && !t.closing);
  EXPECT_EQ("text", t.text);
  t = Scan(s, t.next);
  EXPECT_TRUE(t.found && t.tag && !t.opening && t.closing);
  EXPECT_EQ("</a>", t.text);
  t = Scan(s, t.next);
  EXPECT_TRUE(t.found && t.tag && t.opening && t.closing);  // self-closing, blanks normalised
  EXPECT_EQ("<br/>", t.text);
  EXPECT_EQ(s.GetLength(), t.next);
  t = Scan(s, t.next);
  EXPECT_FALSE(t.found);
  EXPECT_EQ("", t.text);
}

TEST(SStringMarkup, LimitsAndFailures) {
  SString s("long text<b>");
  Token t = Scan(s, 0, 4);
  EXPECT_TRUE(t.found);
  EXPECT_EQ("", t.text);  // too long, but the position moves on
  EXPECT_EQ(9, t.next);
  EXPECT_EQ("long text", Scan(s, 0, 9).text);

  t = Scan(SString("<open \"a>b"), 0);  // no closing '>' outside quotes
  EXPECT_FALSE(t.found);
  EXPECT_EQ("", t.text);
  EXPECT_EQ(-7, t.next);

  t = Scan(s, -1);
  EXPECT_FALSE(t.found);
  EXPECT_EQ("?", t.text);  // untouched
  EXPECT_TRUE(SString("<p>").NextMarkupToken(0, nullptr, nullptr, nullptr, nullptr, nullptr));
}

// ---- Word wrapping -------------------------------------------------------------------------------

TEST(SStringWordWrap, Table) {
  const struct {
    const char* text;
    int alignment, width;
    bool continueLong, pad;
    const char* result;
  } cases[] = {
      {"aaaa bbbb cccc", 0, 10, true, false, "aaaa bbbb\r\ncccc"},
      {"aaaa bbbb cccc", 0, 10, false, false, "aaaa bbbb"},
      {"aaaa bbbb cccc", 0, 10, true, true, "aaaa bbbb \r\ncccc      "},
      {"ab", 1, 9, false, true, "   ab    "},
      {"ab", 1, 9, false, false, "   ab"},
      {"ab", 2, 5, false, false, "   ab"},
      {"a b cc dddd", 3, 10, true, false, "a   b   cc\r\ndddd      "},
      {"ab cdefgh", 3, 5, true, false, "ab   \r\ncdefg\r\nh    "},  // no gap: the spaces go to the end
      {"abcdefghij", 0, 4, true, false, "abcd\r\nefgh\r\nij"},
      {"abcdefghij", 0, 4, false, false, "abcd"},
      {"  one\ttwo  \r\n\r\nthree", 0, 0, true, false, "one    two\r\n\r\nthree"},
      {"x\r\n\r\ny", 0, 3, true, true, "x  \r\n   \r\ny  "},
      {"", 0, 0, true, true, ""},
  };
  for (auto c : cases) {
    SString s(c.text);
    s.WordWrap(c.alignment, c.width, c.continueLong, c.pad);
    EXPECT_EQ(std::string(c.result), Bytes(s)) << c.text << " / " << c.alignment << " / " << c.width;
  }
}

TEST(SStringWordWrap, NamedAlignments) {
  SString left("ab"), centre("ab"), right("ab"), justify("a b c");
  left.WordWrapLeft(4, true, true);
  centre.WordWrapCentre(4, true, true);
  right.WordWrapRight(4, true, true);
  justify.WordWrapJustify(4, true, false);
  EXPECT_STREQ("ab  ", left.GetText());
  EXPECT_STREQ(" ab ", centre.GetText());
  EXPECT_STREQ("  ab", right.GetText());
  EXPECT_STREQ("a  b\r\nc   ", justify.GetText());
}

// ---- Wildcards and names -------------------------------------------------------------------------

TEST(SStringWildcard, Table) {
  const struct { const char* text; const char* pattern; bool match; } cases[] = {
      {"file.txt", "*.txt", true}, {"abc", "a?c", true}, {"a", "a*b", false}, {"abcabd", "*abd", true},
      {"", "*", true}, {"", "", true}, {"a", "", false}, {"abc", "ABC", false}, {"abc", "a*", true},
      {"abc", "*b*", true}, {"abc", "??", false}, {"ab", "???", false}, {"a.b.c", "*.*.*", true},
      {"mississippi", "m*iss*ppi", true}, {"mississippi", "m*iss*x", false}, {"", "?", false}, {"x", "**", true}};
  for (auto c : cases) EXPECT_EQ(c.match, SString::MatchWildcard(c.text, c.pattern)) << c.text << " ~ " << c.pattern;
  EXPECT_TRUE(SString("report.doc").Matches("rep*.d?c"));
  EXPECT_TRUE(SString::MatchWildcard(nullptr, nullptr));
}

TEST(SStringWildcard, ManyStarsStayFast) {
  std::string text(5000, 'a');
  std::string pattern;
  for (int i = 0; i < 40; i++) pattern += "*a";
  EXPECT_FALSE(SString::MatchWildcard(text.c_str(), (pattern + "b").c_str()));
  EXPECT_TRUE(SString::MatchWildcard(text.c_str(), pattern.c_str()));
}

TEST(SStringNames, IdentifierKindsAndFileNames) {
  EXPECT_TRUE(SString("MAX_2").IsUpperIdentifier());
  EXPECT_FALSE(SString("Max").IsUpperIdentifier());
  EXPECT_TRUE(SString("max_2").IsLowerIdentifier());
  EXPECT_FALSE(SString("maX").IsLowerIdentifier());
  EXPECT_TRUE(SString("_9").IsUpperIdentifier() && SString("_9").IsLowerIdentifier());
  EXPECT_FALSE(SString("9a").IsLowerIdentifier());
  EXPECT_TRUE(SString("a1").IsIdentifier());
  EXPECT_FALSE(SString().IsIdentifier());
  EXPECT_TRUE(SString("notes.txt").IsValidFileName());
  EXPECT_FALSE(SString("notes.").IsValidFileName());
  // A 0 byte inside the name would make the system open a different file.
  EXPECT_FALSE(FromBytes(std::string("a\0.exe", 6)).IsValidFileName());
  EXPECT_FALSE(FromBytes(std::string("a\0b", 3)).IsIdentifier());
}

}  // namespace
