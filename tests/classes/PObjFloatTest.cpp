// The Float class: in-place double arithmetic that stores and returns the
// new value, and the conversions that leave it alone.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "classes/PObjFloat.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/MemberCall.h"

namespace {

class PObjFloatTest : public classtest::ValueClassTest {};

const double kInf = std::numeric_limits<double>::infinity();

TEST_F(PObjFloatTest, Declaration) {
  PObjectDefinition* d = engine.GetFloatDefinition();
  ASSERT_EQ(d->GetMemberCount(), 13);
  EXPECT_STREQ(d->GetName(), "Float");
  EXPECT_EQ(d->GetTypeCode(), TYPE_FLOAT);
  EXPECT_EQ(d->GetReturnType(PObjFloat::TO_INTEGER), engine.GetIntegerDefinition());
  EXPECT_EQ(d->GetReturnType(PObjFloat::ADDRESS), engine.GetIntegerDefinition());
  EXPECT_EQ(d->GetReturnType(PObjFloat::ROUND), d);
  // Round takes a mode and a number of decimals, both defaulting to 0.
  ASSERT_EQ(d->GetParamCount(PObjFloat::ROUND), 2);
  EXPECT_EQ(d->GetDefaultCount(PObjFloat::ROUND), 2);
  for (int p = 0; p < 2; p++) {
    const PObjectInfo* info = d->GetParamInfo(PObjFloat::ROUND, p);
    EXPECT_EQ(info->GetType(), engine.GetIntegerDefinition());
    EXPECT_EQ(info->GetDefault().ToInt64(), 0);
    EXPECT_STREQ(info->GetDefault().GetName().GetText(), "0");
  }
}

TEST_F(PObjFloatTest, Arithmetic) {
  const struct {
    double v;
    PObjFloat::Member member;
    double x;
    double result;
  } cases[] = {
      {1.5, PObjFloat::ADD, 2.25, 3.75},
      {1.5, PObjFloat::INCREMENT, 0, 2.5},
      {1.0, PObjFloat::DIVIDE, 4.0, 0.25},
      {1.0, PObjFloat::DIVIDE, 0.0, kInf},
      {-5.0, PObjFloat::MODULO, 2.0, -1.0},
      {5.5, PObjFloat::MODULO, -2.0, 1.5},
      {-1.5, PObjFloat::MULTIPLY, 4.0, -6.0},
      {2.0, PObjFloat::POWER, 0.5, std::sqrt(2.0)},
      {2.0, PObjFloat::POWER, -2.0, 0.25},
      {0.0, PObjFloat::SET, -0.125, -0.125},
      {1.0, PObjFloat::SUBTRACT, 0.25, 0.75},
      {1.0, PObjFloat::DECREMENT, 0, 0.0},
      {kInf, PObjFloat::SUBTRACT, 1.0, kInf},
      {7.25, PObjFloat::GET, 0, 7.25},
  };
  for (const auto& c : cases) {
    PObjFloat* o = NewFloat(c.v);
    auto args = With();
    if (engine.GetFloatDefinition()->GetParamCount(c.member)) args.Float(c.x);
    EXPECT_EQ(CallFloat(o, c.member, args), c.result) << c.v << " member " << c.member;
    EXPECT_EQ(o->GetValue(), c.result);
  }
  PObjFloat* nan = NewFloat(0.0);
  EXPECT_TRUE(std::isnan(CallFloat(nan, PObjFloat::DIVIDE, With().Float(0.0))));
}

TEST_F(PObjFloatTest, ToInteger) {
  const struct {
    double v;
    int64_t n;
  } cases[] = {
      {-2.7, -2}, {2.7, 2}, {0.0, 0}, {1e300, INT64_MAX}, {-kInf, INT64_MIN},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& c : cases) {
    PObjFloat* o = NewFloat(c.v);
    EXPECT_EQ(CallInt(o, PObjFloat::TO_INTEGER), c.n) << c.v;
  }
  PObjFloat* o = NewFloat(-2.7);
  CallInt(o, PObjFloat::TO_INTEGER);
  EXPECT_EQ(o->GetValue(), -2.7);
  EXPECT_EQ(CallInt(o, PObjFloat::ADDRESS), int64_t(reinterpret_cast<intptr_t>(o)));
}

TEST_F(PObjFloatTest, RoundLeavesTheValue) {
  const struct {
    double v;
    int mode, decimals;
    double result;
  } cases[] = {
      {2.5, 0, 0, 3.0},     {2.4, 0, 0, 2.0},      {2.5, -1, 0, 2.0},     {2.1, 1, 0, 3.0},
      {1.125, 0, 2, 1.13},  {1.125, -1, 2, 1.12},  {1.121, 1, 2, 1.13},   {3.14159, 0, 4, 3.1416},
      {-2.5, 0, 0, -2.0},   {2.5, 7, 0, 3.0},
  };
  for (const auto& c : cases) {
    PObjFloat* o = NewFloat(c.v);
    EXPECT_DOUBLE_EQ(CallFloat(o, PObjFloat::ROUND, With().Int(c.mode).Int(c.decimals)), c.result)
        << c.v << " mode " << c.mode << " decimals " << c.decimals;
    EXPECT_EQ(o->GetValue(), c.v);
  }
}

}  // namespace
