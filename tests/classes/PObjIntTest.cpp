// The Integer class: in-place 64-bit arithmetic that stores and returns the
// new value.
#include <gtest/gtest.h>

#include <climits>

#include "classes/PObjInt.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/MemberCall.h"

namespace {

class PObjIntTest : public classtest::ValueClassTest {};

TEST_F(PObjIntTest, Declaration) {
  PObjectDefinition* d = engine.GetIntegerDefinition();
  ASSERT_EQ(d->GetMemberCount(), 12);
  EXPECT_STREQ(d->GetName(), "Integer");
  EXPECT_EQ(d->GetTypeCode(), TYPE_INTEGER);
  EXPECT_EQ(d->GetCategory(), CATEGORY_VALUES);
  EXPECT_EQ(d->GetConstantCount(), 1);
  const int takesNumber[12] = {1, 0, 1, 0, 0, 0, 1, 1, 1, 1, 1, 0};
  for (int m = 0; m < 12; m++) {
    EXPECT_EQ(d->GetMemberKind(m), MEMBER_FUNCTION);
    EXPECT_EQ(d->GetMemberId(m), m);
    EXPECT_EQ(d->GetReturnType(m), d);
    ASSERT_EQ(d->GetParamCount(m), takesNumber[m]) << m;
    if (takesNumber[m]) {
      EXPECT_EQ(d->GetParamInfo(m, 0)->GetType(), d);
    }
  }
}

TEST_F(PObjIntTest, Arithmetic) {
  const struct {
    int64_t v;
    PObjInt::Member member;
    int64_t n;  // the argument, when the member takes one
    int64_t result;
  } cases[] = {
      {5, PObjInt::ADD, 3, 8},
      {INT64_MAX, PObjInt::ADD, 1, INT64_MIN},
      {INT64_MAX, PObjInt::INCREMENT, 0, INT64_MIN},
      {-7, PObjInt::DIVIDE, 2, -3},
      {7, PObjInt::DIVIDE, -2, -3},
      {-7, PObjInt::MODULO, 3, -1},
      {7, PObjInt::MODULO, -3, 1},
      {6, PObjInt::MULTIPLY, -7, -42},
      {INT64_MIN, PObjInt::MULTIPLY, -1, INT64_MIN},
      {2, PObjInt::POWER, 3, 8},
      {2, PObjInt::POWER, -1, 0},
      {-3, PObjInt::POWER, 3, -27},
      {5, PObjInt::POWER, 0, 1},
      {1, PObjInt::POWER, -3, 1},
      {10, PObjInt::POWER, 30, INT64_MAX},
      {-10, PObjInt::POWER, 19, INT64_MIN},
      // Only the low 32 bits of the exponent count.
      {2, PObjInt::POWER, (int64_t(1) << 32) + 4, 16},
      {0, PObjInt::SET, -12, -12},
      {3, PObjInt::SUBTRACT, 5, -2},
      {INT64_MIN, PObjInt::SUBTRACT, 1, INT64_MAX},
      {INT64_MIN, PObjInt::DECREMENT, 0, INT64_MAX},
      {41, PObjInt::GET, 0, 41},
      // Division by 0 leaves the value; the one overflowing quotient wraps.
      {9, PObjInt::DIVIDE, 0, 9},
      {9, PObjInt::MODULO, 0, 9},
      {INT64_MIN, PObjInt::DIVIDE, -1, INT64_MIN},
      {INT64_MIN, PObjInt::MODULO, -1, 0},
  };
  for (const auto& c : cases) {
    PObjInt* o = NewInt(c.v);
    auto args = With();
    if (engine.GetIntegerDefinition()->GetParamCount(c.member)) args.Int(c.n);
    EXPECT_EQ(CallInt(o, c.member, args), c.result) << c.v << " member " << c.member << " " << c.n;
    EXPECT_EQ(o->GetValue(), c.result);
  }
}

TEST_F(PObjIntTest, QueriesLeaveTheValue) {
  const struct {
    int64_t v;
    bool prime;
  } cases[] = {
      {2, true},          {1, false},         {0, false},    {-7, true},
      {9, false},         {97, true},         {-1, false},   {(int64_t(1) << 32) + 7, true},
      {int64_t(INT32_MIN), false},
  };
  for (const auto& c : cases) {
    PObjInt* o = NewInt(c.v);
    EXPECT_EQ(CallInt(o, PObjInt::IS_PRIME), c.prime ? 1 : 0) << c.v;
    EXPECT_EQ(o->GetValue(), c.v);
  }
  PObjInt* o = NewInt(1);
  EXPECT_EQ(CallInt(o, PObjInt::ADDRESS), int64_t(reinterpret_cast<intptr_t>(o)));
}

TEST_F(PObjIntTest, UndeclaredMembersSucceedWithoutEffect) {
  PObjInt* o = NewInt(4);
  EXPECT_EQ(CallInt(o, 12), 0x5A5A5A5A);
  EXPECT_EQ(o->GetValue(), 4);
  // A caller that wants no result still gets the change.
  EXPECT_TRUE(o->Call(PObjInt::INCREMENT, nullptr, nullptr, nullptr));
  EXPECT_EQ(o->GetValue(), 5);
}

}  // namespace
