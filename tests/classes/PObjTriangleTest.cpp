// Triangle2D and Triangle3D: measurements with exact comparisons (the exact
// right angle and its near miss), the transformations, the point test that
// reorders a clockwise triangle, and vertex indexes outside 0 to 2, which
// every member refuses.
#include <gtest/gtest.h>

#include <cmath>

#include "classes/PObjTriangle2D.h"
#include "classes/PObjTriangle3D.h"
#include "classes/PObjVector.h"
#include "classes/PlaneGeometry.h"
#include "tests/classes/ValueTable.h"

namespace {

using namespace classtest;

class PObjTriangleTest : public ValueTableTest {};

using T = PObjTriangle2D;

Step Set2D(double ax, double ay, double bx, double by, double cx, double cy) {
  return {T::SET, {F(ax), F(ay), F(bx), F(by), F(cx), F(cy)}, None()};
}
Step State(std::vector<double> fields, double tolerance = 0) {
  return {kState, {}, None(), std::move(fields), tolerance};
}

TEST_F(PObjTriangleTest, Declarations) {
  PObjectDefinition* d2 = engine.FindDefinition(PObjTriangle2D::kTypeCode);
  PObjectDefinition* d3 = engine.FindDefinition(PObjTriangle3D::kTypeCode);
  ASSERT_TRUE(d2 && d3);
  EXPECT_STREQ(d2->GetName(), "Triangle2D");
  EXPECT_STREQ(d3->GetName(), "Triangle3D");
  EXPECT_EQ(d2->GetMemberCount(), 30);
  EXPECT_EQ(d3->GetMemberCount(), 11);
  EXPECT_EQ(d2->GetParamCount(T::SET), 6);
  EXPECT_EQ(d3->GetParamCount(PObjTriangle3D::SET), 9);
  EXPECT_EQ(d2->GetParamInfo(T::LAY_FLAT, 0)->GetType(), d3);
}

TEST_F(PObjTriangleTest, Triangle2DMeasurements) {
  Run(Make<PObjTriangle2D>(),
      {
          // The exact right angle at A.
          Set2D(0, 0, 4, 0, 0, 3),
          {T::GET_ANGLE, {I(0)}, Flt(1.5707963267948966)},
          {T::GET_ANGLE, {I(1)}, Flt(std::acos(0.8))},
          {T::GET_ANGLE, {I(3)}, Flt(0)},
          {T::GET_ANGLE, {I(-1)}, Flt(0)},
          {T::GET_RIGHT_ANGLE, {}, Int(0)},
          {T::IS_RIGHT_ANGLED, {}, Int(1)},
          {T::GET_AREA, {}, Flt(6)},
          {T::GET_PERIMETER, {}, Flt(12)},
          {T::GET_APEX, {}, Int(-1)},
          {T::GET_SIDE, {I(0)}, Flt(5)},
          {T::GET_SIDE, {I(1)}, Flt(3)},
          {T::GET_SIDE, {I(2)}, Flt(4)},
          {T::GET_SIDE, {I(-1)}, Flt(0)},
          {T::GET_SIDE, {I(3)}, Flt(0)},
          {T::IS_EQUILATERAL, {}, None()},
          {T::IS_ISOSCELES, {}, None()},
          {T::GET_CENTROID, {V2(9, 9)}, None(), {4.0 / 3, 1}},
          {T::GET_CENTROID, {Null()}, None()},
          {T::GET_VERTEX, {V2(9, 9), I(1)}, None(), {4, 0}},
          {T::GET_VERTEX, {Null(), I(1)}, None()},
          {T::GET_X, {I(1)}, Flt(4)},
          {T::GET_Y, {I(2)}, Flt(3)},
          // The near miss: the angle at A computes to 1.5707963267948968.
          Set2D(0, 0, 1, 0, 0, 1),
          {T::GET_ANGLE, {I(0)}, Flt(1.5707963267948968)},
          {T::IS_RIGHT_ANGLED, {}, Int(0)},
          {T::GET_RIGHT_ANGLE, {}, Int(-1)},
          {T::GET_APEX, {}, Int(0)},
          {T::IS_ISOSCELES, {}, Int(1)},
          {T::IS_EQUILATERAL, {}, None()},
          // The altitude's floating-point error shows in the area.
          Set2D(0, 0, 2, 0, 1, 5),
          {T::GET_AREA, {}, Flt(5.000000000000001)},
          {T::GET_APEX, {}, Int(2)},
          Set2D(0, 0, 2, 0, 1, std::sqrt(3.0)),
          {T::GET_AREA, {}, Near(std::sqrt(3.0))},
          // Degenerate: all three vertices in one point; no altitude.
          Set2D(1, 1, 1, 1, 1, 1),
          {T::GET_AREA, {}, Flt(-1)},
          {T::IS_EQUILATERAL, {}, Int(1)},
          {T::GET_APEX, {}, Int(-1)},
          {T::GET_ANGLE, {I(0)}, NaN()},
          {T::MEMBER_COUNT, {}, None()},
      },
      "Triangle2D measurements");
}

TEST_F(PObjTriangleTest, Triangle2DAltitudeFoot) {
  Run(Make<PObjTriangle2D>(),
      {
          Set2D(0, 0, 4, 0, 0, 3),
          {T::GET_ALTITUDE_FOOT, {V2(9, 9), I(0)}, Int(1), {1.44, 1.92}, 1e-12},
          {T::GET_ALTITUDE_FOOT, {V2(9, 9), I(2)}, Int(1), {0, 0}, 1e-12},
          {T::GET_ALTITUDE_FOOT, {V2(9, 9), I(3)}, Int(0), {9, 9}},
          {T::GET_ALTITUDE_FOOT, {Null(), I(0)}, None()},
          {T::GET_ALTITUDE_FOOT, {Null(), I(3)}, None()},
          // B and C in one point: no side to drop the altitude from A on.
          Set2D(0, 0, 2, 2, 2, 2),
          {T::GET_ALTITUDE_FOOT, {V2(9, 9), I(0)}, Int(0), {9, 9}},
          {T::GET_ALTITUDE_FOOT, {V2(9, 9), I(1)}, Int(1), {2, 2}, 1e-12},
      },
      "Triangle2D altitude");
}

TEST_F(PObjTriangleTest, Triangle2DTransformations) {
  const double kThird = 1.0 / 3;
  Run(Make<PObjTriangle2D>(),
      {
          Set2D(0, 0, 3, 0, 0, 3),
          {T::SPREAD, {F(1), F(1)}, None()},
          State({-1, -1, 4, -1, -1, 4}),
          Set2D(0, 0, 3, 0, 0, 3),
          {T::MIRROR_VERTICAL, {}, None()},
          State({0, 2, 3, 2, 0, -1}),
          {T::MIRROR_HORIZONTAL, {}, None()},
          State({2, 2, -1, 2, 2, -1}),
          {T::CENTRE, {}, None()},
          State({1, 1, -2, 1, 1, -2}),
          {T::TRANSLATE, {F(0.5), F(-1)}, None()},
          State({1.5, 0, -1.5, 0, 1.5, -3}),
          // Rotations: by 0 nothing moves; by pi about the origin (0, 1)
          // goes to (0, -1).
          Set2D(0, 0, 4, 0, 0, 3),
          {T::ROTATE, {F(0), Null()}, None()},
          State({0, 0, 4, 0, 0, 3}, 1e-12),
          Set2D(0, 1, 2, 0, 0, 0),
          {T::ROTATE, {F(kPi), V2(0, 0)}, None()},
          State({0, -1, -2, 0, 0, 0}, 1e-12),
          {T::GET_Y, {I(0)}, Flt(-1)},
          {T::GET_X, {I(2)}, Flt(0)},  // the vertex at the centre stays
          Set2D(1, 0, 0, 1, -1, 0),
          {T::ROTATE, {F(kPi / 2), V2(0, 0)}, None()},
          State({0, -1, 1, 0, 0, 1}, 1e-12),
          // Copy and the three projections of a Triangle3D.
          {T::COPY, {Tri2({1, 2, 3, 4, 5, 6})}, None()},
          State({1, 2, 3, 4, 5, 6}),
          {T::COPY, {Null()}, None()},
          {T::PROJECT_ZY, {Tri3({1, 2, 3, 4, 5, 6, 7, 8, 9})}, None()},
          State({3, 2, 6, 5, 9, 8}),
          {T::PROJECT_XZ, {Tri3({1, 2, 3, 4, 5, 6, 7, 8, 9})}, None()},
          State({1, 3, 4, 6, 7, 9}),
          {T::PROJECT_XY, {Tri3({1, 2, 3, 4, 5, 6, 7, 8, 9})}, None()},
          State({1, 2, 4, 5, 7, 8}),
          {T::PROJECT_XY, {Null()}, None()},
          {T::LAY_FLAT, {Null()}, None()},
          State({1, 2, 4, 5, 7, 8}),
          // Laid flat: A at the origin, B along x, then centred.
          {T::LAY_FLAT, {Tri3({0, 0, 0, 3, 0, 0, 0, 0, 4})}, None()},
          State({-1, -4 * kThird, 2, -4 * kThird, -1, 8 * kThird}, 1e-12),
          {T::GET_SIDE, {I(0)}, Near(5)},
          {T::GET_ANGLE, {I(0)}, Near(kPi / 2)},
      },
      "Triangle2D transformations");
}

TEST_F(PObjTriangleTest, Triangle2DPointTest) {
  Run(Make<PObjTriangle2D>(),
      {
          // Clockwise: B and C are exchanged first, and stay so.
          Set2D(0, 0, 0, 1, 1, 0),
          {T::CONTAINS, {V2(0.2, 0.2)}, Int(1)},
          State({0, 0, 1, 0, 0, 1}),
          {T::GET_X, {I(1)}, Flt(1)},
          {T::CONTAINS, {V2(1, 1)}, Int(0)},
          // The border counts as inside, corners too.
          {T::CONTAINS, {V2(0.5, 0.5)}, Int(1)},
          {T::CONTAINS, {V2(0, 0)}, Int(1)},
          {T::CONTAINS, {V2(-1e-300, 0.5)}, Int(0)},
          {T::CONTAINS, {Null()}, None()},
          State({0, 0, 1, 0, 0, 1}),
      },
      "Triangle2D point test");
}

// Members 14, 16, 17, 26, 27 and 28 read or wrote past the three vertices
// for an index outside 0 to 2: they answer nothing and change nothing.
TEST_F(PObjTriangleTest, Triangle2DRefusesVertexIndexesOutside) {
  std::vector<Step> steps = {Set2D(1, 2, 3, 4, 5, 6)};
  for (int64_t i : {int64_t(-1), int64_t(3), int64_t(1000000), int64_t(0x100000001)}) {
    steps.push_back({T::GET_VERTEX, {V2(9, 9), I(i)}, None(), {9, 9}});
    steps.push_back({T::GET_X, {I(i)}, None()});
    steps.push_back({T::GET_Y, {I(i)}, None()});
    steps.push_back({T::SET_VERTEX, {I(i), V2(7, 7)}, None()});
    steps.push_back({T::SET_X, {I(i), F(7)}, None()});
    steps.push_back({T::SET_Y, {I(i), F(7)}, None()});
    steps.push_back(State({1, 2, 3, 4, 5, 6}));
  }
  // Within the range they work.
  steps.push_back({T::SET_VERTEX, {I(2), V2(7, 8)}, None()});
  steps.push_back({T::SET_VERTEX, {I(1), Null()}, None()});
  steps.push_back({T::SET_X, {I(0), F(-1)}, None()});
  steps.push_back({T::SET_Y, {I(1), F(-2)}, None()});
  steps.push_back(State({-1, 2, 3, -2, 7, 8}));
  Run(Make<PObjTriangle2D>(), steps, "Triangle2D indexes");
}

TEST_F(PObjTriangleTest, Triangle3D) {
  using U = PObjTriangle3D;
  Run(Make<PObjTriangle3D>(),
      {
          {U::SET, {F(1), F(2), F(3), F(4), F(5), F(6), F(7), F(8), F(9)}, None()},
          {U::GET_VERTEX, {I(1), V3(0, 0, 0)}, None(), {4, 5, 6}},
          {U::GET_VERTEX, {I(1), Null()}, None()},
          {U::GET_X, {I(2)}, Flt(7)},
          {U::GET_Y, {I(0)}, Flt(2)},
          {U::GET_Z, {I(1)}, Flt(6)},
          {U::TRANSLATE, {F(1), F(-1), F(0.5)}, None()},
          State({2, 1, 3.5, 5, 4, 6.5, 8, 7, 9.5}),
          {U::SET_VERTEX, {I(0), V3(0, 0, 0)}, None()},
          {U::SET_VERTEX, {I(1), Null()}, None()},
          {U::SET_X, {I(1), F(-4)}, None()},
          {U::SET_Y, {I(2), F(-7)}, None()},
          {U::SET_Z, {I(2), F(-9)}, None()},
          State({0, 0, 0, -4, 4, 6.5, 8, -7, -9}),
          {U::COPY, {Tri3({9, 8, 7, 6, 5, 4, 3, 2, 1})}, None()},
          State({9, 8, 7, 6, 5, 4, 3, 2, 1}),
          {U::COPY, {Null()}, None()},
          {U::COPY, {Tri2({0, 0, 0, 0, 0, 0})}, None()},
          State({9, 8, 7, 6, 5, 4, 3, 2, 1}),
          {U::MEMBER_COUNT, {}, None()},
      },
      "Triangle3D");
}

// Members 1 to 4 and 7 to 10 read or wrote past the vertices for an index
// outside 0 to 2: they answer nothing and change nothing.
TEST_F(PObjTriangleTest, Triangle3DRefusesVertexIndexesOutside) {
  using U = PObjTriangle3D;
  std::vector<Step> steps = {{U::SET, {F(1), F(2), F(3), F(4), F(5), F(6), F(7), F(8), F(9)}, None()}};
  for (int64_t i : {int64_t(-1), int64_t(3), int64_t(-2147483648LL), int64_t(0x100000000)}) {
    steps.push_back({U::GET_VERTEX, {I(i), V3(0, 0, 0)}, None(), {0, 0, 0}});
    steps.push_back({U::GET_X, {I(i)}, None()});
    steps.push_back({U::GET_Y, {I(i)}, None()});
    steps.push_back({U::GET_Z, {I(i)}, None()});
    steps.push_back({U::SET_VERTEX, {I(i), V3(0, 0, 0)}, None()});
    steps.push_back({U::SET_X, {I(i), F(0)}, None()});
    steps.push_back({U::SET_Y, {I(i), F(0)}, None()});
    steps.push_back({U::SET_Z, {I(i), F(0)}, None()});
    steps.push_back(State({1, 2, 3, 4, 5, 6, 7, 8, 9}));
  }
  Run(Make<PObjTriangle3D>(), steps, "Triangle3D indexes");
}

}  // namespace
