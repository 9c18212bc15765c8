// The Money class: in-place arithmetic on the amount, the format's settings
// and the money text, with and without grouping, symbol before and after,
// negative amounts and no decimals.
#include <gtest/gtest.h>

#include <limits>

#include "classes/PObjMoney.h"
#include "tests/classes/ValueTable.h"

namespace {

using namespace classtest;

class PObjMoneyTest : public ValueTableTest {};

TEST_F(PObjMoneyTest, Declaration) {
  PObjectDefinition* d = engine.FindDefinition(PObjMoney::kTypeCode);
  ASSERT_NE(d, nullptr);
  EXPECT_STREQ(d->GetName(), "Money");
  EXPECT_EQ(d->GetCategory(), CATEGORY_VALUES);
  EXPECT_EQ(d->GetMemberCount(), 17);
  EXPECT_EQ(d->GetReturnType(PObjMoney::FORMAT), engine.GetStringDefinition());
  EXPECT_EQ(d->GetReturnType(PObjMoney::SET_SYMBOL_AFTER), engine.GetVoidDefinition());
  ASSERT_EQ(d->GetDefaultCount(PObjMoney::SET_SYMBOL_AFTER), 1);
  EXPECT_EQ(d->GetParamInfo(PObjMoney::SET_SYMBOL_AFTER, 0)->GetDefault().ToInt64(), 1);
}

TEST_F(PObjMoneyTest, Members) {
  using M = PObjMoney;
  const double kInf = std::numeric_limits<double>::infinity();
  Run(Make<PObjMoney>(),
      {
          // A new object: 0.0 and the default format.
          {M::GET, {}, Flt(0.0)},
          {M::GET_DECIMALS, {}, Int(2)},
          {M::GET_GROUP_SEPARATOR, {}, Text(" ")},
          {M::GET_DECIMAL_SEPARATOR, {}, Text(".")},
          {M::GET_SYMBOL, {}, Text("\x80")},
          {M::IS_SYMBOL_AFTER, {}, Int(1)},
          // Arithmetic stores and answers the new amount.
          {M::SET, {F(1000)}, Flt(1000)},
          {M::ADD, {F(234.5)}, Flt(1234.5)},
          {M::FORMAT, {}, Text("1 234.50\x80")},
          {M::MULTIPLY, {F(2)}, Flt(2469)},
          {M::SUBTRACT, {F(69)}, Flt(2400)},
          {M::DIVIDE, {F(-8)}, Flt(-300)},
          {M::GET, {}, Flt(-300)},
          // Negative: no separator follows the sign.
          {M::SET, {F(-1234567.891)}, Flt(-1234567.891)},
          {M::FORMAT, {}, Text("-1 234 567.89\x80")},
          {M::SET, {F(-123456)}, Flt(-123456)},
          {M::FORMAT, {}, Text("-123 456.00\x80")},
          // Symbol in front, with no blank.
          {M::SET_SYMBOL_AFTER, {I(0)}, None()},
          {M::IS_SYMBOL_AFTER, {}, Int(0)},
          {M::SET_SYMBOL, {S("$")}, None()},
          {M::SET, {F(1234.5)}, Flt(1234.5)},
          {M::FORMAT, {}, Text("$1 234.50")},
          // The decimal separator is reported but the text keeps the point.
          {M::SET_DECIMAL_SEPARATOR, {S(",")}, None()},
          {M::GET_DECIMAL_SEPARATOR, {}, Text(",")},
          {M::FORMAT, {}, Text("$1 234.50")},
          // No grouping with the character 0.
          {M::SET_GROUP_SEPARATOR, {S("")}, None()},
          {M::GET_GROUP_SEPARATOR, {}, Text("")},
          {M::FORMAT, {}, Text("$1234.50")},
          // 0 decimals: padded to four characters, nothing to group.
          {M::SET_DECIMALS, {I(-3)}, None()},
          {M::GET_DECIMALS, {}, Int(0)},
          {M::SET_GROUP_SEPARATOR, {S(",x")}, None()},
          {M::SET_SYMBOL_AFTER, {I(1)}, None()},
          {M::SET_SYMBOL, {S("")}, None()},
          {M::SET, {F(5)}, Flt(5)},
          {M::FORMAT, {}, Text("   5")},
          {M::SET, {F(123)}, Flt(123)},
          {M::FORMAT, {}, Text(" 123")},
          {M::SET, {F(1234)}, Flt(1234)},
          {M::FORMAT, {}, Text("1,234")},
          // The count is the low 32 bits of the Integer.
          {M::SET_DECIMALS, {I(0x100000003)}, None()},
          {M::GET_DECIMALS, {}, Int(3)},
          {M::SET_SYMBOL, {S(" EUR")}, None()},
          {M::FORMAT, {}, Text("1,234.000 EUR")},
          // Division by zero follows the floating-point rules; the letters
          // of the printed infinity are not grouped.
          {M::DIVIDE, {F(0)}, Flt(kInf)},
          {M::FORMAT, {}, Text(" inf EUR")},
          {M::SET, {F(0)}, Flt(0)},
          {M::DIVIDE, {F(0)}, NaN()},
          {99, {}, None()},
      },
      "Money");
}

}  // namespace
