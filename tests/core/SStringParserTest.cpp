#include "core/SStringParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Tokens(const SStringParser& p) {
  std::vector<std::string> v;
  for (int i = 0; i < p.GetCount(); i++) v.push_back(p.GetToken(i).GetText());
  return v;
}

std::vector<std::string> Texts(const SStringArray& a) {
  std::vector<std::string> v;
  for (int i = 0; i < a.GetCount(); i++) v.push_back(a.GetString(i).GetText());
  return v;
}

// ---- Separator tokens ------------------------------------------------------------------------------

TEST(SStringParserParse, TokensByTheScannerRules) {
  using V = std::vector<std::string>;
  const struct {
    const char* text;
    const char* separators;
    char quote;
    int options;
    int result;
    V tokens;
  } cases[] = {
      // Empty tokens between, before and after separators.
      {"a,,b,", ",", '\'', 0, 4, {"a", "", "b", ""}},
      {",a", ",", '\'', 0, 2, {"", "a"}},
      {"abc", ",", '\'', 0, 1, {"abc"}},
      {",", ",", '\'', 0, 2, {"", ""}},
      // Quotes: kept, kept with closing-quote ends, removed with 7.
      {"a,'b,c',d", ",", '\'', 1, 3, {"a", "'b,c'", "d"}},
      {"a,'b,c',d", ",", '\'', 7, 3, {"a", "b,c", "d"}},
      {"a,'b,c',d", ",", '\'', 3, 3, {"a", "'b,c'", "d"}},
      {"a,'b,c',d", ",", '\'', 0, 4, {"a", "'b", "c'", "d"}},
      {"'ab'cd", ",", '\'', 3, 2, {"'ab'", "cd"}},
      {"'ab'cd", ",", '\'', 1, 1, {"'ab'cd"}},
      {"x'a'y,'b'", ",", '\'', 7, 3, {"x'a'", "y", "b"}},
      // Blank runs count as one separator; trailing blanks add no token.
      {"  a   b ", " ", '"', 8, 3, {"", "a", "b"}},
      {"a \t b", " \t", '"', 0, 2, {"a", "b"}},
      {"a \t b", " ", '"', 0, 3, {"a", "\t", "b"}},
      {"a\t\tb", "\t", '"', 0, 2, {"a", "b"}},
      // A blank run swallows one separator right behind it, no more.
      {"a , b", " ,", '"', 0, 3, {"a", "", "b"}},
      {"a ,b", " ,", '"', 0, 2, {"a", "b"}},
      {"a ,,b", " ,", '"', 0, 3, {"a", "", "b"}},
      // Trimming takes spaces only.
      {" a ,\tb\t", ",", '"', 8, 2, {"a", "\tb\t"}},
      {"\"a b\" c", " ", '"', 1, 2, {"\"a b\"", "c"}},
      // Contradictory options and an open quote.
      {"a,b", ",'", '\'', 1, -1, {}},
      {"a b", " ", ' ', 8, -1, {}},
      {"a,'b", ",", '\'', 1, -1, {}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "'" << c.text << "' options " << c.options);
    SStringParser p(c.text);
    EXPECT_EQ(c.result, p.Parse(c.separators, c.quote, c.options, nullptr));
    EXPECT_EQ(c.tokens, Tokens(p));
  }
}

TEST(SStringParserParse, EmptyTextKeepsTheOldTokens) {
  SStringParser p("a b");
  EXPECT_EQ(2, p.Parse(" ", '"', 0, nullptr));
  p.SetText("");
  EXPECT_EQ(0, p.Parse(",", '"', 0, nullptr));
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), Tokens(p));
  // A failed parse empties them.
  EXPECT_EQ(-1, p.ParseText("\"x", " ", '"', 1, nullptr));
  EXPECT_EQ(0, p.GetCount());
}

TEST(SStringParserParse, CallersArrayIsAppendedToAndKeepsWhatWasAppendedBeforeAFailure) {
  SStringArray out;
  out.Add("kept");
  SStringParser p;
  EXPECT_EQ(2, p.ParseText("x|y", "|", '"', 0, &out));
  EXPECT_EQ(0, p.GetCount());
  EXPECT_EQ((std::vector<std::string>{"kept", "x", "y"}), Texts(out));
  EXPECT_EQ(0, out.GetAt(1)->GetTag());
  EXPECT_EQ(-1, p.ParseText("z|\"w", "|", '"', 1, &out));
  EXPECT_EQ((std::vector<std::string>{"kept", "x", "y", "z"}), Texts(out));
}

TEST(SStringParserParse, ParsingAgainReplacesTheTokens) {
  SStringParser p("1,2,3");
  EXPECT_EQ(3, p.Parse(",", '"', 0, nullptr));
  EXPECT_EQ(2, p.Parse("2", '"', 0, nullptr));
  EXPECT_EQ((std::vector<std::string>{"1,", ",3"}), Tokens(p));
  SStringParser copy(p);  // the tokens are copied, not shared
  EXPECT_EQ(Tokens(p), Tokens(copy));
}

// ---- Markup ---------------------------------------------------------------------------------------------

TEST(SStringParserMarkup, TagsAndTextRunsWithTheirTagWord) {
  SStringParser p("a<b>c");
  EXPECT_EQ(3, p.ParseMarkup(nullptr));
  EXPECT_EQ((std::vector<std::string>{"a", "<b>", "c"}), Tokens(p));
  EXPECT_EQ(0, p.GetTokenPointer(0)->GetTag());
  EXPECT_EQ(1, p.GetTokenPointer(1)->GetTag());
  EXPECT_EQ(0, p.GetTokenPointer(2)->GetTag());

  SStringArray out;
  SStringParser q("<p class=\"x>y\">text</p><br/>");
  EXPECT_EQ(4, q.ParseMarkup(&out));
  EXPECT_EQ(0, q.GetCount());
  EXPECT_EQ("<p class=\"x>y\">", std::string(out.GetString(0).GetText()));
  EXPECT_EQ(1, out.GetAt(3)->GetTag());

  SStringParser open("x<b");  // unclosed tag: the run before it only
  EXPECT_EQ(1, open.ParseMarkup(nullptr));
  SStringParser empty;
  EXPECT_EQ(0, empty.ParseMarkup(nullptr));
}

// ---- Token access ----------------------------------------------------------------------------------------

TEST(SStringParserTokens, AccessOutsideTheTokensIsHarmless) {
  SStringParser p("12 -7 x 0 99999999999");
  EXPECT_EQ(5, p.Parse(" ", '"', 0, nullptr));
  EXPECT_EQ(12, p.GetTokenInt(0));
  EXPECT_EQ(-7, p.GetTokenInt(1));
  EXPECT_EQ(0, p.GetTokenInt(2));
  EXPECT_EQ(2147483647, p.GetTokenInt(4));
  EXPECT_EQ(0, p.GetTokenInt(5));
  EXPECT_TRUE(p.GetTokenFlag(0));
  EXPECT_FALSE(p.GetTokenFlag(3));
  EXPECT_FALSE(p.GetTokenFlag(-1));
  EXPECT_EQ("", std::string(p.GetToken(-1).GetText()));
  EXPECT_EQ(nullptr, p.GetTokenPointer(5));
  EXPECT_EQ("x", std::string(p.GetTokenPointer(2)->GetText()));
}

TEST(SStringParserTokens, FindTokenAndSeparators) {
  SStringParser p("Alpha;beta");
  EXPECT_EQ(2, p.Parse(";", '"', 0, nullptr));
  EXPECT_EQ(-1, p.FindToken("alpha", true));
  EXPECT_EQ(0, p.FindToken("alpha", false));
  EXPECT_EQ(1, p.FindToken("beta", true));
  EXPECT_EQ(-1, p.FindToken("gamma", false));
  EXPECT_TRUE(p.IsSeparator(';'));
  EXPECT_FALSE(p.IsSeparator(','));
  EXPECT_FALSE(p.IsSeparator('\0'));
}

}  // namespace
