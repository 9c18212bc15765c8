// Point and Size (one dispatcher), Rectangle with its 32-bit wrapping
// arithmetic and Win32 tests, and Rectangle2D with its exact point test.
#include <gtest/gtest.h>

#include "classes/PObjPoint.h"
#include "classes/PObjRectangle.h"
#include "classes/PObjRectangle2D.h"
#include "tests/classes/ValueTable.h"

namespace {

using namespace classtest;

class PObjPointRectangleTest : public ValueTableTest {};

constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX;

TEST_F(PObjPointRectangleTest, Declarations) {
  const struct {
    TypeCode code;
    const char* name;
    int members;
  } classes[] = {
      {PObjPoint::kTypeCode, "Point", 6},
      {PObjSize::kTypeCode, "Size", 6},
      {PObjRectangle::kTypeCode, "Rectangle", 25},
      {PObjRectangle2D::kTypeCode, "Rectangle2D", 25},
  };
  for (const auto& c : classes) {
    PObjectDefinition* d = engine.FindDefinition(c.code);
    ASSERT_NE(d, nullptr) << c.name;
    EXPECT_STREQ(d->GetName(), c.name);
    EXPECT_EQ(d->GetCategory(), CATEGORY_MATH);
    EXPECT_EQ(d->GetMemberCount(), c.members) << c.name;
    EXPECT_EQ(d->GetConstantCount(), 1) << c.name;
  }
  // Each copies only from its own class.
  EXPECT_EQ(engine.FindDefinition(PObjSize::kTypeCode)->GetParamInfo(PObjPoint::COPY, 0)->GetType(),
            engine.FindDefinition(PObjSize::kTypeCode));
}

TEST_F(PObjPointRectangleTest, PointAndSize) {
  using P = PObjPoint;
  const std::vector<Step> steps = {
      {P::GET_FIRST, {}, Int(0)},
      {P::SET, {I(3), I(-4)}, None()},
      {P::GET_FIRST, {}, Int(3)},
      {P::GET_SECOND, {}, Int(-4)},
      {P::SET_FIRST, {I(0x1FFFFFFFF)}, None()},  // the low 32 bits
      {P::SET_SECOND, {I(7)}, None()},
      {kState, {}, None(), {-1, 7}},
      {P::COPY, {Null()}, None()},
      {kState, {}, None(), {-1, 7}},
  };
  PObjPoint* point = Make<PObjPoint>();
  Run(point, steps, "Point");
  Run(point, {{P::COPY, {Pt(5, 6)}, None()}, {kState, {}, None(), {5, 6}},
              {P::COPY, {Sz(1, 2)}, None()}, {kState, {}, None(), {5, 6}}},
      "Point copies");
  PObjSize* size = Make<PObjSize>();
  Run(size, steps, "Size");
  Run(size, {{P::COPY, {Sz(8, 9)}, None()}, {kState, {}, None(), {8, 9}},
             {P::COPY, {Pt(1, 2)}, None()}, {kState, {}, None(), {8, 9}}},
      "Size copies");
}

TEST_F(PObjPointRectangleTest, Rectangle) {
  using R = PObjRectangle;
  Run(Make<PObjRectangle>(),
      {
          {R::COPY, {Rc(10, 10, 0, 0)}, None()},
          // Not normalised: the area multiplies two negative differences.
          {R::GET_AREA, {}, Int(100)},
          {R::GET_WIDTH, {}, Int(10)},
          {R::GET_HEIGHT, {}, Int(10)},
          {R::GET_SIZE, {Sz(1, 1)}, None(), {-10, -10}},
          {R::NORMALIZE, {}, None()},
          {kState, {}, None(), {0, 0, 10, 10}},
          {R::CONTAINS, {I(0), I(0)}, Int(1)},
          {R::CONTAINS, {I(10), I(5)}, Int(0)},
          {R::CONTAINS, {I(9), I(10)}, Int(0)},
          {R::GET_LEFT, {}, Int(0)},
          {R::GET_RIGHT, {}, Int(10)},
          {R::GET_TOP, {}, Int(0)},
          {R::GET_BOTTOM, {}, Int(10)},
          {R::INFLATE, {I(2), I(3)}, None()},
          {kState, {}, None(), {-2, -3, 12, 13}},
          {R::GET_TOP_LEFT, {Pt(9, 9)}, None(), {-2, -3}},
          {R::GET_TOP_RIGHT, {Pt(9, 9)}, None(), {12, -3}},
          {R::GET_BOTTOM_LEFT, {Pt(9, 9)}, None(), {-2, 13}},
          {R::GET_BOTTOM_RIGHT, {Pt(9, 9)}, None(), {12, 13}},
          {R::GET_CENTRE, {Pt(9, 9)}, None(), {5, 5}},
          {R::GET_TOP_LEFT, {Null()}, None()},
          {R::GET_SIZE, {Null()}, None()},
          {R::IS_EQUAL, {Rc(-2, -3, 12, 13)}, Int(1)},
          {R::IS_EQUAL, {Rc(-2, -3, 12, 14)}, Int(0)},
          {R::IS_EQUAL, {Null()}, None()},
          // The centre's quotients truncate toward zero.
          {R::SET, {I(-3), I(0), I(3), I(0)}, None()},
          {kState, {}, None(), {-3, 0, 0, 0}},
          {R::GET_CENTRE, {Pt(9, 9)}, None(), {-1, 0}},
          {R::SET_WIDTH, {I(6)}, None()},
          {R::SET_HEIGHT, {I(4)}, None()},
          {kState, {}, None(), {-3, 0, 3, 4}},
          // The left edge moves alone; so do the others.
          {R::SET_LEFT, {I(1)}, None()},
          {R::SET_TOP, {I(2)}, None()},
          {R::SET_RIGHT, {I(5)}, None()},
          {R::SET_BOTTOM, {I(9)}, None()},
          {kState, {}, None(), {1, 2, 5, 9}},
          // 32-bit wrapping, without signed overflow.
          {R::COPY, {Rc(0, 0, kMin, 3)}, None()},
          {R::GET_WIDTH, {}, Int(kMin)},
          {R::GET_AREA, {}, Int(kMin)},
          {R::GET_CENTRE, {Pt(9, 9)}, None(), {-1073741824, 1}},
          {R::COPY, {Rc(kMax, 0, kMin, 3)}, None()},
          {R::GET_WIDTH, {}, Int(1)},
          {R::GET_CENTRE, {Pt(9, 9)}, None(), {0, 1}},
          {R::INFLATE, {I(-1), I(0)}, None()},
          {kState, {}, None(), {kMin, 0, kMax, 3}},
          {R::SET, {I(kMax), I(0), I(1), I(0)}, None()},
          {kState, {}, None(), {kMax, 0, kMin, 0}},
          {R::MEMBER_COUNT, {}, None()},
      },
      "Rectangle");
}

TEST_F(PObjPointRectangleTest, Rectangle2D) {
  using R = PObjRectangle2D;
  Run(Make<PObjRectangle2D>(),
      {
          {R::SET, {F(0), F(0), F(10), F(10)}, None()},
          {R::LOCATE_POINT, {V2(10, 5)}, Int(2)},
          {R::LOCATE_POINT, {V2(5, 5)}, Int(1)},
          {R::LOCATE_POINT, {V2(10.5, 5)}, Int(0)},
          {R::LOCATE_POINT, {V2(0, 0)}, Int(2)},
          {R::LOCATE_POINT, {V2(5, -1e-300)}, Int(0)},
          {R::LOCATE_POINT, {Null()}, None()},
          {R::INFLATE, {F(2), F(3)}, None()},
          {kState, {}, None(), {-2, -3, 14, 16}},
          {R::GET_AREA, {}, Flt(224)},
          {R::GET_RIGHT, {}, Flt(12)},
          {R::GET_BOTTOM, {}, Flt(13)},
          {R::GET_X, {}, Flt(-2)},
          {R::GET_Y, {}, Flt(-3)},
          {R::GET_WIDTH, {}, Flt(14)},
          {R::GET_HEIGHT, {}, Flt(16)},
          {R::GET_TOP_LEFT, {V2(9, 9)}, None(), {-2, -3}},
          {R::GET_TOP_RIGHT, {V2(9, 9)}, None(), {12, -3}},
          {R::GET_BOTTOM_LEFT, {V2(9, 9)}, None(), {-2, 13}},
          {R::GET_BOTTOM_RIGHT, {V2(9, 9)}, None(), {12, 13}},
          {R::GET_CENTRE, {V2(9, 9)}, None(), {5, 5}},
          {R::GET_SIZE, {V2(9, 9)}, None(), {14, 16}},
          {R::GET_CENTRE, {Null()}, None()},
          {R::IS_EQUAL, {Rc2(-2, -3, 14, 16)}, Int(1)},
          {R::IS_EQUAL, {Rc2(-2, -3, 14, 16.000000000000004)}, Int(0)},
          {R::IS_EQUAL, {Null()}, None()},
          // x and y move the rectangle; right and bottom change the extent.
          {R::SET_X, {F(0)}, None()},
          {R::SET_Y, {F(1)}, None()},
          {kState, {}, None(), {0, 1, 14, 16}},
          {R::SET_RIGHT, {F(4)}, None()},
          {R::SET_BOTTOM, {F(2)}, None()},
          {kState, {}, None(), {0, 1, 4, 1}},
          {R::SET_WIDTH, {F(-10)}, None()},
          {R::SET_HEIGHT, {F(10)}, None()},
          // A negative extent holds no point until it is normalised.
          {R::LOCATE_POINT, {V2(-5, 5)}, Int(0)},
          {R::LOCATE_POINT, {V2(0, 5)}, Int(0)},
          {R::NORMALIZE, {}, None()},
          {kState, {}, None(), {-10, 1, 10, 10}},
          {R::LOCATE_POINT, {V2(-5, 5)}, Int(1)},
          {R::COPY, {Rc2(1, 2, -3, -4)}, None()},
          {R::NORMALIZE, {}, None()},
          {kState, {}, None(), {-2, -2, 3, 4}},
          {R::COPY, {Null()}, None()},
          {kState, {}, None(), {-2, -2, 3, 4}},
      },
      "Rectangle2D");
}

}  // namespace
