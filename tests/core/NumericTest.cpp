#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include "core/GeometryFunctions.h"
#include "core/NumericFunctions.h"

namespace {

const double kPi = 3.141592653589793;

TEST(NumericFunctions, AbsInt) {
  EXPECT_EQ(5, AbsInt(5));
  EXPECT_EQ(5, AbsInt(-5));
  EXPECT_EQ(0, AbsInt(0));
  EXPECT_EQ(INT_MAX, AbsInt(-INT_MAX));
  EXPECT_EQ(INT_MIN, AbsInt(INT_MIN));  // has no positive twin
}

TEST(NumericFunctions, RoundToWholeNumbers) {
  const struct {
    double x;
    int decimals, mode;
    double result;
  } cases[] = {
      {2.5, 0, ROUND_NEAREST, 3},  {-2.5, 0, ROUND_NEAREST, -2}, {2.4, 0, ROUND_NEAREST, 2},
      {2.5, 0, ROUND_DOWN, 2},     {2.1, 0, ROUND_UP, 3},        {-2.1, 0, ROUND_DOWN, -3},
      {-2.1, 0, ROUND_UP, -2},     {2.5, -3, 7, 3},              {-0.4, 0, ROUND_NEAREST, -0.0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.result, RoundDecimals(c.x, c.decimals, c.mode))
        << c.x << " " << c.decimals << " " << c.mode;
}

TEST(NumericFunctions, RoundToDecimals) {
  const struct {
    double x;
    int decimals, mode;
    double result;
  } cases[] = {
      {3.14159, 2, ROUND_NEAREST, 3.14},
      {3.14159, 2, ROUND_DOWN, 3.14},
      {3.14159, 2, ROUND_UP, 3.15},
      {2.675, 2, ROUND_NEAREST, 2.68},  // as printed: 2.675000
      {1.005, 2, ROUND_NEAREST, 1.01},
      {0.999, 2, ROUND_NEAREST, 1.0},
      {5.0, 3, ROUND_UP, 5.0},
      {1.2345675, 6, ROUND_NEAREST, 1.234568},
      // The printed text carries into the whole part: 2.9999999 prints as
      // 3.000000, so its whole part is 3, not the 2 of the double.
      {2.9999999, 2, ROUND_NEAREST, 3.0},
      {2.9999999, 2, ROUND_UP, 3.0},
      {9.9999999, 1, ROUND_NEAREST, 10.0},
      // A negative value rounds as its magnitude with the direction
      // mirrored (ties toward +infinity, as for whole numbers) ...
      {-3.14159, 2, ROUND_NEAREST, -3.14},
      {-3.14159, 2, ROUND_DOWN, -3.15},
      {-3.14159, 2, ROUND_UP, -3.14},
      {-2.675, 2, ROUND_NEAREST, -2.67},
      {-2.9999999, 2, ROUND_NEAREST, -3.0},
      // ... whole parts beyond 32 bits stay whole ...
      {3000000000.126, 2, ROUND_NEAREST, 3000000000.13},
      {-1e20, 2, ROUND_NEAREST, -1e20},
      // ... and more than six decimals print enough digits to decide.
      {3.14159265358, 8, ROUND_NEAREST, 3.14159265},
      {3.14159265358, 8, ROUND_UP, 3.14159266},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(c.result, RoundDecimals(c.x, c.decimals, c.mode))
        << c.x << " " << c.decimals << " " << c.mode;

  EXPECT_TRUE(std::isnan(RoundDecimals(std::nan(""), 2, ROUND_NEAREST)));
  EXPECT_EQ(INFINITY, RoundDecimals(INFINITY, 2, ROUND_NEAREST));
}

TEST(NumericFunctions, IsPrime) {
  const struct {
    int n;
    bool prime;
  } cases[] = {
      {-7, true},  {1, false},  {0, false},   {2, true},         {-2, true},
      {4, false},  {25, false}, {49, false},  {97, true},        {1000003, true},
      {1000001, false},         {2147483647, true},              {-2147483647, true},
      {INT_MIN, false},  // its magnitude is 2^31
  };
  for (const auto& c : cases) EXPECT_EQ(c.prime, IsPrime(c.n)) << c.n;

  // Agrees with a sieve wherever both can look.
  const int limit = 20000;
  std::vector<bool> composite(limit, false);
  for (int i = 2; i * i < limit; i++)
    if (!composite[i])
      for (int j = i * i; j < limit; j += i) composite[j] = true;
  for (int n = 2; n < limit; n++) ASSERT_EQ(!composite[n], IsPrime(n)) << n;
}

TEST(NumericFunctions, Interpolate) {
  EXPECT_DOUBLE_EQ(5.0, Interpolate(0.5, 0, 10, false, false));
  EXPECT_DOUBLE_EQ(15.0, Interpolate(1.5, 0, 10, false, false));  // not clamped
  EXPECT_DOUBLE_EQ((1 - std::sqrt(0.5)) / 2, Interpolate(0.25, 0, 1, true, true));
  EXPECT_DOUBLE_EQ(0.25, Interpolate(0.25, 0, 1, false, true));
  EXPECT_DOUBLE_EQ(0.75, Interpolate(0.75, 0, 1, true, false));
  EXPECT_DOUBLE_EQ((1 + std::sqrt(0.5)) / 2, Interpolate(0.75, 0, 1, false, true));
  EXPECT_DOUBLE_EQ(2.0, Interpolate(0.0, 2, 4, true, true));
  EXPECT_DOUBLE_EQ(4.0, Interpolate(1.0, 2, 4, true, true));
  EXPECT_DOUBLE_EQ(3.0, Interpolate(0.5, 2, 4, true, true));
}

TEST(GeometryFunctions, PointInRectangle) {
  const GeoRect r{0, 0, 10, 5};
  const struct {
    GeoPoint p;
    int position;
  } cases[] = {
      {{5, 2}, POINT_INSIDE},     {{0, 0}, POINT_ON_BORDER},  {{10, 5}, POINT_ON_BORDER},
      {{10, 3}, POINT_ON_BORDER}, {{5, 0}, POINT_ON_BORDER},  {{11, 3}, POINT_OUTSIDE},
      {{-1, 3}, POINT_OUTSIDE},   {{5, -0.5}, POINT_OUTSIDE}, {{5, 5.5}, POINT_OUTSIDE},
  };
  for (const auto& c : cases) EXPECT_EQ(c.position, PointInRectangle(r, c.p)) << c.p.x << "," << c.p.y;
}

TEST(GeometryFunctions, PointInTriangle) {
  GeoPoint a{0, 0}, b{4, 0}, c{0, 4};  // counter-clockwise
  EXPECT_TRUE(PointInTriangle(a, b, c, {1, 1}));
  EXPECT_TRUE(PointInTriangle(a, b, c, {2, 0}));  // on an edge
  EXPECT_TRUE(PointInTriangle(a, b, c, {2, 2}));  // on the slanted edge
  EXPECT_TRUE(PointInTriangle(a, b, c, {0, 4}));  // a corner
  EXPECT_FALSE(PointInTriangle(a, b, c, {3, 3}));
  EXPECT_FALSE(PointInTriangle(a, b, c, {-0.1, 1}));
  EXPECT_EQ(0, a.x);  // left as they were
  EXPECT_EQ(4, b.x);

  GeoPoint p{0, 0}, q{0, 4}, r{4, 0};  // clockwise
  EXPECT_TRUE(PointInTriangle(p, q, r, {1, 1}));
  EXPECT_EQ(4, p.y);  // the first two corners were exchanged
  EXPECT_EQ(0, q.y);
  EXPECT_FALSE(PointInTriangle(p, q, r, {5, 5}));
  EXPECT_EQ(4, p.y);  // counter-clockwise now, so nothing more moves
}

TEST(GeometryFunctions, SphericalCoordinates) {
  GeoVector v{};
  SphericalToCartesian(2, kPi / 2, 0, v);
  EXPECT_NEAR(2, v.x, 1e-12);
  EXPECT_NEAR(0, v.y, 1e-12);
  EXPECT_NEAR(0, v.z, 1e-12);
  SphericalToCartesian(3, 0, 1, v);  // along the pole
  EXPECT_NEAR(0, v.x, 1e-12);
  EXPECT_NEAR(3, v.y, 1e-12);

  double r = -1, azimuth = -1, inclination = -1;
  EXPECT_TRUE(CartesianToSpherical({1, 1, 1}, r, azimuth, inclination));
  EXPECT_DOUBLE_EQ(std::sqrt(3.0), r);
  EXPECT_DOUBLE_EQ(kPi / 4, azimuth);
  EXPECT_DOUBLE_EQ(std::acos(1 / std::sqrt(3.0)), inclination);
  // A plain arctangent: the azimuth of -x folds into -pi/2..pi/2.
  EXPECT_TRUE(CartesianToSpherical({-1, 0, 1}, r, azimuth, inclination));
  EXPECT_DOUBLE_EQ(-kPi / 4, azimuth);

  r = azimuth = inclination = 7;
  EXPECT_FALSE(CartesianToSpherical({0, 1, 1}, r, azimuth, inclination));
  EXPECT_EQ(7, r);
  EXPECT_EQ(7, azimuth);
  EXPECT_EQ(7, inclination);

  // There and back.
  SphericalToCartesian(5, 1.0, 0.5, v);
  EXPECT_TRUE(CartesianToSpherical(v, r, azimuth, inclination));
  EXPECT_NEAR(5, r, 1e-12);
  EXPECT_NEAR(0.5, azimuth, 1e-12);
  EXPECT_NEAR(1.0, inclination, 1e-12);
}

}  // namespace
