#include "core/ExpressionEvaluator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Eval(const char* text) { return EvaluateExpression(text).GetText(); }

struct Case {
  const char* expression;
  const char* result;  // "" for a failure
};

void ExpectAll(const Case* cases, size_t n) {
  for (size_t i = 0; i < n; i++)
    EXPECT_EQ(cases[i].result, Eval(cases[i].expression)) << "expression: " << cases[i].expression;
}

TEST(ExpressionEvaluator, PrecedenceAndAssociativity) {
  const Case cases[] = {
      {"2+3*4", "14"},    {"(2+3)*4", "20"},   {"8-3-2", "3"},          {"1|2&3", "3"},
      {"6&3^5", "7"},     {"1<<2+1", "8"},     {"0-8>>1", "-4"},        {"2*(3+4)-5", "9"},
      {"((7))", "7"},     {"1+2*3-4/2", "        5"},                   {"100/10/5", "        2"},
      {"17%5%3", "2"},    {"2*3%4", "2"},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(ExpressionEvaluator, NumbersAndDivision) {
  const Case cases[] = {
      {"7/2", "        3.5"},   {"10/4", "        2.5"},  {"1.5*2", "        3"},
      {"7%2", "1"},             {"7.5%2", "        1.5"}, {"0-7%2", "-1"},
      {"7%0", ""},              {"7/0", ""},              {"7/0.0", ""},
      {"7%0.5", ""},  // the divisor reads as the integer 0
      {"1/\"0\"", ""},          {"1/\"2\"", "        0.5"},
      {"9223372036854775807+1", "-9223372036854775808"},
      {"99999999999999999999", "9223372036854775807"},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(ExpressionEvaluator, HexadecimalNumbers) {
  const Case cases[] = {
      {"0x1F+1", "32"},
      {"0X1f", "31"},
      // Leading zeros after the prefix are digits like any other.
      {"0x0F+1", "16"},
      {"0x00000001", "1"},
      {"0x0", "0"},
      {"0xFFFFFFFFFFFFFFFF", "9223372036854775807"},  // beyond int64: the nearest
      {"0x1FFFFFFFFFFFFFFFF", ""},                    // 17 digits
      {"0x1G", ""},
      {"0x10&0x30", "16"},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(ExpressionEvaluator, Texts) {
  const Case cases[] = {
      {"\"ab\"+\"cd\"", "\"abcd\""},
      {"\"a\"+1", "\"a1\""},
      {"1+\"a\"", "\"1a\""},
      {"\"a\"+1.5", "\"a        1.5\""},
      {"\"\"", "\"\""},
      {"\"a b\" + \"c\"", "\"a bc\""},
      {"\"a\"-1", "\"a\""},  // texts take part in "+" only
      {"2*\"3\"", "2"},
      {"\"a\"b", ""},
      {"\"a\"_", ""},
      {"\"a\"7", ""},
      {"\"a\"\"b\"", ""},
      {"\"abc", ""},
      {"\"a\"&1", ""},
      {"\"1\"<<1", ""},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(ExpressionEvaluator, ShiftsAndBitwiseOperators) {
  const Case cases[] = {
      {"1<<3", "8"},         {"1<<63", "-9223372036854775808"}, {"1<<64", "0"},
      {"1<<256", "1"},  // only the low 8 bits of the count
      {"(0-1)>>70", "-1"},   {"256>>70", "0"},      {"(0-16)>>2", "-4"},
      {"5&3", "1"},          {"5^3", "6"},          {"5|3", "7"},
      {"1.5<<1", ""},        {"1<<1.5", ""},        {"2.0&1", ""},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(ExpressionEvaluator, BlanksAndMalformedText) {
  const Case cases[] = {
      {"1 + 2", "3"}, {"\t1\t+\t2 ", "3"}, {"12 34", ""}, {"pi", ""},   {"sin(1)", ""},
      {"1.5.2", ""},  {".5", ""},          {"5.", ""},    {")(", ""},   {"(1", ""},
      {"1)", ""},     {"()", ""},          {"", ""},      {"   ", ""},  {"-1", ""},
      {"1+", ""},     {"*2", ""},          {"1<2", ""},   {"1>2", ""},  {"1<>2", ""},
      {"1=1", ""},    {"1,2", ""},         {"a.b", ""},   {"1 2+3", ""}, {"\xe9", ""},
  };
  ExpectAll(cases, std::size(cases));
  EXPECT_EQ("", std::string(EvaluateExpression(nullptr).GetText()));
}

TEST(ExpressionEvaluator, NestingIsBoundedNotFatal) {
  auto nested = [](int depth) {
    return std::string(static_cast<size_t>(depth), '(') + "1" +
           std::string(static_cast<size_t>(depth), ')');
  };
  EXPECT_EQ("1", Eval(nested(kMaxExpressionDepth).c_str()));
  EXPECT_EQ("", Eval(nested(kMaxExpressionDepth + 1).c_str()));
  EXPECT_EQ("", Eval(nested(100000).c_str()));
}

TEST(ExpressionEvaluator, ScannerTokens) {
  SStringArray tokens;
  ASSERT_TRUE(ScanExpressionTokens("0x1F + \"a b\"*(2.5<<x_1)", tokens));
  const char* expected[] = {"31", "+", "\"a b\"", "*", "(", "2.5", "<<", "x_1", ")"};
  ASSERT_EQ(static_cast<int>(std::size(expected)), tokens.GetCount());
  for (int i = 0; i < tokens.GetCount(); i++)
    EXPECT_EQ(expected[i], std::string(tokens.GetString(i).GetText())) << i;
}

TEST(ExpressionEvaluator, PostfixEntriesCarryTheirRoleInTheName) {
  SStringArray tokens;
  ASSERT_TRUE(ScanExpressionTokens("1+2*\"x\"", tokens));
  SArray<SValue*> postfix;
  int position = 0;
  ASSERT_TRUE(ExpressionToPostfix(tokens, position, postfix));
  const char* names[] = {"70", "70", "70", "10", "20"};
  ASSERT_EQ(5, postfix.GetCount());
  for (int i = 0; i < 5; i++)
    EXPECT_EQ(names[i], std::string(postfix.GetAt(i)->GetName().GetText())) << i;
  EXPECT_TRUE(postfix.GetAt(0)->IsInt64());
  EXPECT_TRUE(postfix.GetAt(2)->IsString());
  EXPECT_EQ("x", std::string(postfix.GetAt(2)->ToString().GetText()));
  SString result;
  ASSERT_TRUE(EvaluatePostfix(postfix, result));
  EXPECT_EQ("3", std::string(result.GetText()));  // "*" leaves 2 alone beside a text
  postfix.Purge();
}

}  // namespace
