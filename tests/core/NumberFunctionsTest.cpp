#include "core/NumberFunctions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

namespace {

TEST(RandomNumbers, StaysBelowTheModulusAndDrawsNothingForZero) {
  std::srand(7);
  int first = std::rand();
  std::srand(7);
  EXPECT_EQ(0u, Random(0));
  EXPECT_EQ(static_cast<uint32_t>(first) % 1000u, Random(1000));  // Random(0) drew nothing
  for (int i = 0; i < 50; i++) {
    EXPECT_EQ(0u, Random(1));
    EXPECT_LT(Random(6), 6u);
  }
  SeedRandom();
  EXPECT_LT(Random(10), 10u);
}

bool Same(const AspectRect& a, const AspectRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(AspectFit, WholeAreaCentresTheLargestFittingRectangle) {
  const struct {
    int w, h;
    AspectRect in, out;
  } cases[] = {
      {200, 100, {0, 0, 100, 100}, {0, 25, 100, 75}},
      {100, 200, {0, 0, 100, 100}, {25, 0, 75, 100}},
      {50, 50, {10, 20, 110, 70}, {35, 20, 85, 70}},
      {2, 1, {0, 0, 200, 100}, {0, 0, 200, 100}},
      {5, 0, {0, 0, 40, 20}, {10, 0, 30, 20}},  // no height: aspect 1
  };
  for (auto c : cases) {
    AspectRect r = c.in, o{};
    FitToAspectRatio(c.w, c.h, r, o, true);
    EXPECT_TRUE(Same(c.out, o)) << c.w << "x" << c.h << ": " << o.left << "," << o.top << "," << o.right
                                << "," << o.bottom;
    EXPECT_TRUE(Same(c.in, r));
  }
}

TEST(AspectFit, WithoutWholeAreaASmallPictureIsNeverEnlarged) {
  AspectRect r{0, 0, 100, 100}, o{};
  FitToAspectRatio(40, 20, r, o, false);
  EXPECT_TRUE(Same(AspectRect{30, 0, 70, 100}, r));  // narrowed along the width, seen by the caller
  EXPECT_TRUE(Same(AspectRect{30, 40, 70, 60}, o));
  r = {0, 0, 100, 100};
  FitToAspectRatio(20, 40, r, o, false);
  EXPECT_TRUE(Same(AspectRect{0, 30, 100, 70}, r));
  EXPECT_TRUE(Same(AspectRect{40, 30, 60, 70}, o));
}

TEST(AspectFit, ExtremeSizesGiveADegenerateCentredRectangle) {
  AspectRect r{0, 0, 100, 100}, o{};
  FitToAspectRatio(0, 50, r, o, true);  // no width: a line down the middle
  EXPECT_TRUE(Same(AspectRect{50, 0, 50, 100}, o));
  FitToAspectRatio(1, INT_MAX, r, o, true);
  EXPECT_TRUE(Same(AspectRect{50, 0, 50, 100}, o));
  FitToAspectRatio(INT_MAX, 1, r, o, true);
  EXPECT_TRUE(Same(AspectRect{0, 50, 100, 50}, o));
}

struct PlatformStyleRect {
  long left, top, right, bottom;
};

TEST(AspectFit, TakesAnyRectangleWithTheFourEdges) {
  PlatformStyleRect r{0, 0, 100, 100}, o{};
  FitToAspectRatio(200, 100, r, o, true);
  EXPECT_EQ(25, o.top);
  EXPECT_EQ(75, o.bottom);
}

TEST(SumOfProductsTest, AddsTheMiddleValueToThePairedProducts) {
  EXPECT_EQ(33, SumOfProducts(3, 2, 3, 10, 4, 5));
  EXPECT_EQ(7, SumOfProducts(1, 7));
  EXPECT_EQ(-1, SumOfProducts(0));
  EXPECT_EQ(-1, SumOfProducts(-3, 1, 2));
  EXPECT_EQ(-6 + 1, SumOfProducts(2, -2, 1, 3));
  // 32-bit arithmetic wraps rather than overflowing.
  EXPECT_EQ(static_cast<int32_t>(0x80000000u), SumOfProducts(2, 0x10000, 0, 0x8000));
}

}  // namespace
