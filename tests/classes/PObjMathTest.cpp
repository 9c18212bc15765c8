// The Math class: library functions, angles, distances in the plane and in
// space, interpolation, rounding, primes, random numbers and expression
// texts; the shared angle and line functions of the geometry classes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "classes/PObjMath.h"
#include "classes/PlaneGeometry.h"
#include "core/GeometryFunctions.h"
#include "tests/classes/ValueTable.h"

namespace {

using namespace classtest;

class PObjMathTest : public ValueTableTest {};

TEST_F(PObjMathTest, Declaration) {
  PObjectDefinition* d = engine.FindDefinition(PObjMath::kTypeCode);
  ASSERT_NE(d, nullptr);
  EXPECT_STREQ(d->GetName(), "Math");
  EXPECT_EQ(d->GetCategory(), CATEGORY_MATH);
  EXPECT_EQ(d->GetMemberCount(), 35);
  // "ID" first, then the point-test answers.
  ASSERT_EQ(d->GetConstantCount(), 4);
  EXPECT_STREQ(d->GetConstantName(0).GetText(), "ID");
  const char* names[] = {"POS_OUT", "POS_IN", "POS_ON"};
  for (int i = 0; i < 3; i++) {
    EXPECT_STREQ(d->GetConstantName(i + 1).GetText(), names[i]);
    EXPECT_EQ(d->GetConstant(i + 1)->ToInt64(), i);
  }
  // Interpolate: from 0.0, to 1.0, both halves eased unless told.
  ASSERT_EQ(d->GetParamCount(PObjMath::INTERPOLATE), 5);
  EXPECT_EQ(d->GetDefaultCount(PObjMath::INTERPOLATE), 4);
  EXPECT_EQ(d->GetParamInfo(PObjMath::INTERPOLATE, 2)->GetDefault().ToDouble(), 1.0);
  EXPECT_EQ(d->GetParamInfo(PObjMath::INTERPOLATE, 4)->GetDefault().ToInt64(), 1);
  EXPECT_EQ(d->GetDefaultCount(PObjMath::ROUND), 2);
  EXPECT_EQ(d->GetReturnType(PObjMath::EVALUATE), engine.GetStringDefinition());
}

TEST_F(PObjMathTest, Members) {
  using M = PObjMath;
  const double kInf = std::numeric_limits<double>::infinity();
  Run(Make<PObjMath>(),
      {
          {M::ABS, {F(-2.5)}, Flt(2.5)},
          {M::ACOS, {F(1)}, Flt(0)},
          {M::ACOS, {F(2)}, NaN()},
          {M::ASIN, {F(1)}, Flt(kPi / 2)},
          {M::ATAN, {F(1)}, Flt(kPi / 4)},
          {M::ATAN2, {F(1), F(0)}, Flt(kPi / 2)},
          {M::ATAN2, {F(0), F(-1)}, Flt(kPi)},
          {M::EVALUATE, {S("(2+3)*4")}, Text("20")},
          {M::EVALUATE, {S("7/0")}, Text("")},
          // Spherical coordinates: y is the polar axis; x 0 refuses the
          // angles, which divide by it, but not the length.
          {M::POLAR_ANGLE, {V3(3, 4, 0)}, Flt(std::acos(0.8))},
          {M::POLAR_ANGLE, {V3(0, 3, 4)}, None()},
          {M::POLAR_ANGLE, {Null()}, None()},
          {M::VECTOR_LENGTH, {V3(3, 4, 0)}, Flt(5)},
          {M::VECTOR_LENGTH, {V3(0, 3, 4)}, Flt(5)},
          {M::VECTOR_LENGTH, {V3(0, 0, 0)}, Flt(0)},
          {M::VECTOR_LENGTH, {Null()}, None()},
          {M::AZIMUTH, {V3(2, 7, 2)}, Flt(kPi / 4)},
          {M::AZIMUTH, {V3(0, 1, 1)}, None()},
          {M::COS, {F(0)}, Flt(1)},
          {M::DEGREES_TO_RADIANS, {F(180)}, Flt(kPi)},
          {M::EXP, {F(0)}, Flt(1)},
          // The short way back across 0, and forward.
          {M::ANGLE_DIFFERENCE, {F(0.1), F(6.2)}, Near(-0.18318530717958623)},
          {M::ANGLE_DIFFERENCE, {F(6.2), F(0.1)}, Near(0.18318530717958623)},
          {M::ANGLE_DIFFERENCE, {F(1), F(2)}, Flt(1)},
          {M::DISTANCE, {F(1), F(1), F(4), F(5)}, Flt(5)},
          {M::DISTANCE_3D, {V3(1, 2, 3), V3(4, 6, 3)}, Flt(5)},
          {M::DISTANCE_3D, {V3(1, 2, 3), Null()}, None()},
          {M::SQUARED_DISTANCE, {F(1), F(1), F(4), F(5)}, Flt(25)},
          {M::SQUARED_DISTANCE_3D, {V3(1, 2, 3), V3(2, 4, 6)}, Flt(14)},
          {M::SQUARED_DISTANCE_3D, {Null(), V3(2, 4, 6)}, None()},
          // Bearings run from +y toward +x.
          {M::BEARING, {V2(0, 0), V2(1, 0)}, Flt(kPi / 2)},
          {M::BEARING, {V2(0, 0), V2(0, 1)}, Flt(0)},
          {M::BEARING, {V2(0, 0), V2(-1, 0)}, Flt(3 * kPi / 2)},
          {M::BEARING, {V2(0, -1), V2(0, -2)}, Flt(kPi)},
          {M::BEARING, {V2(2, 3), V2(2, 3)}, Flt(-1)},
          {M::BEARING, {Null(), V2(2, 3)}, None()},
          {M::INTERPOLATE, {F(0.25), F(0), F(1), I(0), I(0)}, Flt(0.25)},
          {M::INTERPOLATE, {F(0.25), F(0), F(1), I(1), I(0)}, Near((1 - std::cos(kPi / 4)) / 2)},
          {M::INTERPOLATE, {F(0.75), F(10), F(20), I(1), I(0)}, Flt(17.5)},
          {M::INTERPOLATE, {F(0.5), F(10), F(20), I(0), I(1)}, Near(15)},
          {M::IS_PRIME, {I(7)}, Int(1)},
          {M::IS_PRIME, {I(-7)}, Int(1)},
          {M::IS_PRIME, {I(9)}, Int(0)},
          {M::IS_PRIME, {I(0x100000007)}, Int(1)},
          {M::LERP, {F(0.25), F(2), F(10)}, Flt(4)},
          {M::LERP, {F(1.5), F(2), F(10)}, Flt(14)},
          {M::LOG, {F(1)}, Flt(0)},
          {M::LOG, {F(0)}, Flt(-kInf)},
          {M::LOG10, {F(1000)}, Flt(3)},
          {M::NORMALIZE_ANGLE, {F(1)}, Flt(1)},
          {M::NORMALIZE_ANGLE, {F(-kPi / 2)}, Near(3 * kPi / 2)},
          {M::NORMALIZE_ANGLE, {F(2 * kPi)}, Flt(0)},
          {M::NORMALIZE_ANGLE, {F(5 * kPi / 2)}, Near(kPi / 2)},
          {M::NORMALIZE_ANGLE_SIGNED, {F(3 * kPi / 2)}, Near(-kPi / 2)},
          {M::NORMALIZE_ANGLE_SIGNED, {F(-kPi)}, Flt(-kPi)},
          {M::NORMALIZE_ANGLE_SIGNED, {F(0.5)}, Flt(0.5)},
          {M::POW, {F(2), F(10)}, Flt(1024)},
          {M::RADIANS_TO_DEGREES, {F(kPi)}, Flt(180)},
          {M::RANDOM, {I(0)}, Int(0)},
          {M::RANDOM, {I(1)}, Int(0)},
          {M::RANDOM, {I(0x100000000)}, Int(0)},
          {M::ROUND, {F(1.125), I(0), I(2)}, Flt(1.13)},
          {M::ROUND, {F(1.125), I(-1), I(2)}, Flt(1.12)},
          {M::ROUND, {F(2.1), I(1), I(0)}, Flt(3)},
          {M::SEED_RANDOM, {}, None()},
          {M::SIN, {F(0)}, Flt(0)},
          // cos(pi/2) is 0 only up to rounding, and the x87 unit of a real
          // processor rounds it otherwise than the compiler does.
          {M::SPHERICAL_TO_CARTESIAN, {F(2), F(kPi / 2), F(0), V3(9, 9, 9)}, None(), {2, 0, 0}, 1e-15},
          {M::SPHERICAL_TO_CARTESIAN, {F(1), F(0), F(1), V3(9, 9, 9)}, None(), {0, 1, 0}},
          {M::SPHERICAL_TO_CARTESIAN, {F(1), F(0), F(1), Null()}, None()},
          {M::SQUARE, {F(-3)}, Flt(9)},
          {M::SQRT, {F(16)}, Flt(4)},
          {M::SQRT, {F(-1)}, NaN()},
          {M::TAN, {F(0)}, Flt(0)},
          {M::MEMBER_COUNT, {F(1)}, None()},
      },
      "Math");
}

TEST_F(PObjMathTest, RandomStaysBelowItsBound) {
  PObjMath* math = Make<PObjMath>();
  bool seen[7] = {};
  for (int i = 0; i < 200; i++) {
    const int64_t n = CallInt(math, PObjMath::RANDOM, With().Int(7));
    ASSERT_GE(n, 0);
    ASSERT_LT(n, 7);
    seen[n] = true;
  }
  for (bool s : seen) EXPECT_TRUE(s);
}

// The crossing that the triangles' altitudes use, on lines given in either
// order, with the exact refusals of coinciding points and parallels.
TEST(PlaneGeometry, IntersectLines) {
  GeoPoint out = {7, 7};
  // The unit direction of a diagonal is rounded.
  EXPECT_TRUE(IntersectLines({0, 0}, {2, 2}, {0, 2}, {2, 0}, &out));
  EXPECT_DOUBLE_EQ(out.x, 1);
  EXPECT_DOUBLE_EQ(out.y, 1);
  EXPECT_TRUE(IntersectLines({0, 1}, {0, 5}, {-3, 4}, {3, 4}, &out));
  EXPECT_EQ(out.x, 0);
  EXPECT_EQ(out.y, 4);
  EXPECT_TRUE(IntersectLines({0, 1}, {0, 5}, {-3, 4}, {3, 4}, nullptr));
  out = {7, 7};
  EXPECT_FALSE(IntersectLines({0, 0}, {1, 1}, {0, 1}, {1, 2}, &out));  // parallel
  EXPECT_FALSE(IntersectLines({1, 1}, {1, 1}, {0, 1}, {1, 2}, &out));
  EXPECT_FALSE(IntersectLines({0, 0}, {1, 1}, {3, 2}, {3, 2}, &out));
  EXPECT_EQ(out.x, 7);
  EXPECT_EQ(out.y, 7);
}

}  // namespace
