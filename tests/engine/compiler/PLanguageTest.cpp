// PLanguage: tokens and classes of well-formed lines, every rule that
// rejects a line, and hexadecimal literals across the whole 64-bit range.
#include "engine/compiler/PLanguage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Parsed {
  bool ok = false;
  std::vector<std::string> tokens;
  std::vector<int> classes;
};

Parsed Parse(const char* line) {
  static const PLanguage language;
  SStringArray tokens;
  SArray<int32_t> classes;
  Parsed p;
  p.ok = language.ParseLine(SString(line), tokens, &classes);
  for (int i = 0; i < tokens.GetCount(); i++) p.tokens.push_back(tokens.GetString(i).GetText());
  for (int i = 0; i < classes.GetCount(); i++) p.classes.push_back(classes.GetAt(i));
  return p;
}

using Tokens = std::vector<std::string>;
using Classes = std::vector<int>;

TEST(PLanguage, KeywordListsAreExactAndCaseSensitive) {
  const PLanguage language;
  for (const char* w : {"_ifdef", "_end", "object", "message", "from", "constant", "hidden",
                        "intercept", "caller", "null", "bool", "and", "or"})
    EXPECT_TRUE(language.IsKeyword(w)) << w;
  for (const char* w : {"From", "IF", "Window", "String", "", "ifx", "_if"})
    EXPECT_FALSE(language.IsKeyword(w)) << w;
  EXPECT_FALSE(language.IsKeyword(nullptr));
}

struct LineCase {
  const char* line;
  Tokens tokens;
  Classes classes;
};

TEST(PLanguage, WellFormedLinesGiveTheirTokensAndClasses) {
  const LineCase cases[] = {
      {"x=y+1", {"x", "=", "y", "+", "1"}, {4, 16, 4, 23, 1}},
      {"if a==1", {"if", "a", "==", "1"}, {5, 4, 19, 1}},
      {"while (a<b) and (c>d)",
       {"while", "(", "a", "<", "b", ")", "and", "(", "c", ">", "d", ")"},
       {5, 26, 4, 19, 4, 27, 15, 26, 4, 19, 4, 27}},
      {"return -1", {"return", "-", "1"}, {6, 20, 1}},
      {"s=\"a b\"", {"s", "=", "\"a b\""}, {4, 16, 2}},
      {"x=0xFF", {"x", "=", "255"}, {4, 16, 1}},
      {"x=0X1f+1", {"x", "=", "31", "+", "1"}, {4, 16, 1, 23, 1}},
      {"a&&b", {"a", "and", "b"}, {4, 15, 4}},
      {"a||b", {"a", "or", "b"}, {4, 15, 4}},
      {"for i=0;i<10;i++",
       {"for", "i", "=", "0", ";", "i", "<", "10", ";", "i", "++"},
       {5, 4, 16, 1, 29, 4, 19, 1, 29, 4, 18}},
      {"a.b=c", {"a", ".", "b", "=", "c"}, {4, 25, 4, 16, 4}},
      {"x++", {"x", "++"}, {4, 18}},
      {"new Window", {"new", "Window"}, {8, 3}},
      {"x=new Window", {"x", "=", "new", "Window"}, {4, 16, 8, 3}},
      {"x=1.25*y", {"x", "=", "1.25", "*", "y"}, {4, 16, 1, 23, 4}},
      {"this.x-=~y|2", {"this", ".", "x", "-=", "~", "y", "|", "2"}, {11, 25, 4, 17, 22, 4, 24, 1}},
      {"f(a,-b,!c)", {"f", "(", "a", ",", "-", "b", ",", "!", "c", ")"},
       {4, 26, 4, 28, 20, 4, 28, 21, 4, 27}},
      {"x=a<<2>=b?=c", {"x", "=", "a", "<<", "2", ">=", "b", "?=", "c"}, {4, 16, 4, 24, 1, 19, 4, 19, 4}},
      {"if s==\"a\"and t!=null", {"if", "s", "==", "\"a\"", "and", "t", "!=", "null"},
       {5, 4, 19, 2, 15, 4, 19, 14}},
      {"delete x", {"delete", "x"}, {9, 4}},
      {"intercept caller.x", {"intercept", "caller", ".", "x"}, {10, 12, 25, 4}},
      {"case true", {"case", "true"}, {5, 13}},
      {"return", {"return"}, {6}},
      {"else", {"else"}, {7}},
      {"from=hidden+bool", {"from", "=", "hidden", "+", "bool"}, {4, 16, 4, 23, 4}},
      // Escapes and inserted names stay in the literal for the expression
      // compiler; any byte is kept inside quotes.
      {"s=\"%22$name$$ \xE9\t#\"", {"s", "=", "\"%22$name$$ \xE9\t#\""}, {4, 16, 2}},
      {"s=\"\"", {"s", "=", "\"\""}, {4, 16, 2}},
  };
  for (const LineCase& c : cases) {
    const Parsed p = Parse(c.line);
    EXPECT_TRUE(p.ok) << c.line;
    EXPECT_EQ(p.tokens, c.tokens) << c.line;
    EXPECT_EQ(p.classes, c.classes) << c.line;
  }
}

TEST(PLanguage, MalformedLinesAreRejected) {
  const char* const cases[] = {
      "",
      "x = y",                 // blank after a word that takes none
      "if  a",                 // two blanks
      " x=1",                  // leading blank
      "x=1 ",                  // trailing blank
      "a*-1",                  // a sign may not follow "*"
      "for i=0;i<10",          // for needs two ";"
      "for i=0;i<10;i++;",     // and not three
      "x=1;y=2",               // ";" outside a for line
      ";",
      "f(a,b",                 // unbalanced
      "f(a))",
      ")(",
      "(a)=1",                 // assignment target must be an identifier
      "1=a",
      "x.(a)=1",
      "1++",
      "new Window.x",          // a class name is not followed by "."
      "x=y+",                  // line ends in an operator ...
      "f(",                    // ... "(" ...
      "f(a,",                  // ... "," ...
      "if",                    // ... or a block keyword
      "x=\"abc",               // literal not closed
      "x=\"a\"b",              // only "and" / "or" may touch a closing quote
      "x=\"a\"andy",
      "x=y?z",                 // "?" has no class of its own
      "x=1.5.3",
      "x=1.",
      "x=a.1",
      "x=$y",                  // characters with no place outside a literal
      "x=y#",
      "x=y:z",
      "x=a[1]",
      "x='a'",
      "x=\ty",
      "x=y\\z",
      "x=\xE9",                // bytes above 126 outside a literal
      "x=\x7F",
      "x=y\x01",
      "object x",              // declaration words never open a statement
      "x=constant",
      "x=delete y",
      "a=if",
      "x=1 and",               // an operator needs its right operand
      "return return",
      "1a=2",
  };
  for (const char* line : cases) EXPECT_FALSE(Parse(line).ok) << "[" << line << "]";
}

TEST(PLanguage, ParseLineWantsAnEmptyClassListAndEmptiesTheTokens) {
  const PLanguage language;
  SStringArray tokens;
  tokens.Add("stale");
  SArray<int32_t> classes;
  EXPECT_TRUE(language.ParseLine(SString("x=1"), tokens, &classes));
  EXPECT_EQ(tokens.GetCount(), 3);
  EXPECT_EQ(classes.GetCount(), 3);
  EXPECT_FALSE(language.ParseLine(SString("y=2"), tokens, &classes));
  EXPECT_TRUE(language.ParseLine(SString("y=2"), tokens, nullptr));
}

TEST(PLanguage, ReusedTokenListsAndSpareStringsParseAsFreshOnes) {
  // Lines longer and shorter than the one before, literals longer than a
  // reused string's room, failing lines in between: each line parsed into
  // the same list, with strings handed back and forth through the spare
  // list, gives exactly what a fresh list gives.
  const char* const lines[] = {
      "x=y+1",
      "while (a<b) and (c>d)",
      "end",
      "s=\"a rather long text, longer than any token before it\"",
      "x=0xFFFFFFFFFFFFFFFF",
      "f(a,b)",
      "x=\"abc",  // fails half way
      "y=1.25+x.z",
      "if a==1 and b<=-2",
      "1=a",  // fails in the check
      "for i=0;i<10;i++",
      "else",
  };
  const PLanguage language;
  SStringArray tokens;
  SArray<SString*> spare;
  for (const char* line : lines) {
    SCOPED_TRACE(line);
    SArray<int32_t> classes;
    const bool ok = language.ParseLine(SString(line), tokens, &classes, nullptr, &spare);
    const Parsed fresh = Parse(line);
    EXPECT_EQ(fresh.ok, ok);
    if (!ok) continue;
    Tokens got;
    for (int i = 0; i < tokens.GetCount(); i++) got.push_back(tokens.GetString(i).GetText());
    EXPECT_EQ(fresh.tokens, got);
    EXPECT_EQ(fresh.classes.size(), size_t(classes.GetCount()));
  }
  // The spare strings are the caller's to delete.
  for (int i = 0; i < spare.GetCount(); i++) delete spare.GetAt(i);
}

TEST(PLanguage, TokenizeAloneKeepsTheCheckForLater) {
  // The tokeniser only splits: class sequences are the checker's business.
  const PLanguage language;
  SStringArray tokens;
  ASSERT_TRUE(language.Tokenize(SString("1=a"), tokens));
  EXPECT_EQ(tokens.GetCount(), 3);
  EXPECT_FALSE(language.CheckTokens(tokens, nullptr));
  SStringArray empty;
  EXPECT_FALSE(language.CheckTokens(empty, nullptr));
}

TEST(PLanguage, ARejectedLineLeavesTheClassesUpToTheTokenAtFault) {
  // The checker appends after what the list already holds, and a fault stops
  // the list at the class of the token that caused it, whether the fault is
  // met at the first token, in the middle or only at the end.
  struct Case {
    const char* line;
    bool ok;
    Classes classes;
  };
  const Case cases[] = {
      {"=1", false, {99, TokenAssign}},
      {"1=a", false, {99, TokenNumber, TokenAssign}},
      {"x=y+", false, {99, TokenIdentifier, TokenAssign, TokenIdentifier, TokenArithmetic}},
      {"x=y", true, {99, TokenIdentifier, TokenAssign, TokenIdentifier}},
  };
  const PLanguage language;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    SStringArray tokens;
    ASSERT_TRUE(language.Tokenize(SString(c.line), tokens));
    SArray<int32_t> classes;
    classes.Add(99);
    EXPECT_EQ(language.CheckTokens(tokens, &classes), c.ok);
    Classes got;
    for (int i = 0; i < classes.GetCount(); i++) got.push_back(classes.GetAt(i));
    EXPECT_EQ(got, c.classes);
  }
}

TEST(PLanguage, SignDependsOnThePreviousClass) {
  const PLanguage language;
  const SString minus("-");
  for (int previous : {0, 5, 6, 15, 16, 17, 19, 26, 28, 29})
    EXPECT_EQ(language.ClassifyToken(previous, minus), TokenSign) << previous;
  for (int previous : {1, 2, 4, 18, 23, 27})
    EXPECT_EQ(language.ClassifyToken(previous, minus), TokenArithmetic) << previous;
  EXPECT_EQ(language.ClassifyToken(TokenNew, SString("Window")), TokenClassName);
  EXPECT_EQ(language.ClassifyToken(TokenAssign, SString("Window")), TokenIdentifier);
  EXPECT_EQ(language.ClassifyToken(TokenNew, SString("end")), TokenPlainKeyword);
}

TEST(PLanguage, LogicalWordNeedsAnEndAfterIt) {
  const char* line = "and or(andy or\tand\"orb and-";
  EXPECT_TRUE(PLanguage::IsLogicalWordAt(line, 0));   // "and "
  EXPECT_TRUE(PLanguage::IsLogicalWordAt(line, 4));   // "or("
  EXPECT_FALSE(PLanguage::IsLogicalWordAt(line, 7));  // "andy"
  EXPECT_TRUE(PLanguage::IsLogicalWordAt(line, 12));  // "or\t"
  EXPECT_TRUE(PLanguage::IsLogicalWordAt(line, 15));  // "and\""
  EXPECT_FALSE(PLanguage::IsLogicalWordAt(line, 19)); // "orb"
  EXPECT_TRUE(PLanguage::IsLogicalWordAt(line, 23));  // "and-"
  EXPECT_TRUE(PLanguage::IsLogicalWordAt("or", 0));   // end of line
  EXPECT_FALSE(PLanguage::IsLogicalWordAt("an", 0));
}

// Hexadecimal literals are 64-bit patterns: the token is the signed value,
// so the top half of the range reads back in two's complement.
TEST(PLanguage, HexLiteralsCoverTheWhole64BitRange) {
  struct HexCase {
    const char* line;
    const char* token;
    int64_t value;
  };
  const HexCase cases[] = {
      {"x=0x0", "0", 0},
      {"x=0x7FFFFFFFFFFFFFFF", "9223372036854775807", INT64_MAX},
      {"x=0x8000000000000000", "-9223372036854775808", INT64_MIN},
      {"x=0xFFFFFFFFFFFFFFFF", "-1", -1},
      {"x=0xffffffff", "4294967295", 4294967295LL},
      {"x=0x0000000000000001", "1", 1},
  };
  for (const HexCase& c : cases) {
    const Parsed p = Parse(c.line);
    ASSERT_TRUE(p.ok) << c.line;
    ASSERT_EQ(p.tokens.size(), 3u) << c.line;
    EXPECT_EQ(p.tokens[2], c.token) << c.line;
    EXPECT_EQ(p.classes[2], TokenNumber) << c.line;
    EXPECT_EQ(SString(p.tokens[2].c_str()).ToInt64(), c.value) << c.line;
  }
  // 16 digits is the most a literal holds.
  EXPECT_TRUE(Parse("x=0x1234567890ABCDEF").ok);
  EXPECT_FALSE(Parse("x=0x1234567890ABCDEF0").ok);
  // The literal ends at the first character that is no hex digit.
  const Parsed p = Parse("x=f(0x10,0x1)");
  EXPECT_EQ(p.tokens, (Tokens{"x", "=", "f", "(", "16", ",", "1", ")"}));
  EXPECT_FALSE(Parse("x=0x1G").ok);
}

}  // namespace
