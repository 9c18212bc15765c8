// Vector2D and Vector3D: setters answer the object itself, so calls chain;
// member 0 copies in Vector2D but adds in Vector3D.
#include <gtest/gtest.h>

#include "classes/PObjVector.h"
#include "tests/classes/ValueTable.h"

namespace {

using namespace classtest;

class PObjVectorTest : public ValueTableTest {};

TEST_F(PObjVectorTest, Declarations) {
  PObjectDefinition* d2 = engine.FindDefinition(PObjVector2D::kTypeCode);
  PObjectDefinition* d3 = engine.FindDefinition(PObjVector3D::kTypeCode);
  ASSERT_TRUE(d2 && d3);
  EXPECT_STREQ(d2->GetName(), "Vector2D");
  EXPECT_STREQ(d3->GetName(), "Vector3D");
  EXPECT_EQ(d2->GetMemberCount(), 6);
  EXPECT_EQ(d3->GetMemberCount(), 11);
  EXPECT_EQ(d2->GetReturnType(PObjVector2D::SET), d2);
  EXPECT_EQ(d3->GetReturnType(PObjVector3D::MULTIPLY), d3);
  EXPECT_EQ(d3->GetReturnType(PObjVector3D::GET_Z), engine.GetFloatDefinition());
}

TEST_F(PObjVectorTest, Vector2D) {
  using V = PObjVector2D;
  Run(Make<PObjVector2D>(),
      {
          {kState, {}, None(), {0, 0}},
          {V::COPY, {V2(1, 2)}, Self()},
          {kState, {}, None(), {1, 2}},
          {V::COPY, {Null()}, None()},
          {V::COPY, {V3(7, 8, 9)}, None()},
          {kState, {}, None(), {1, 2}},
          {V::SET, {F(-0.5), F(3.25)}, Self()},
          {V::GET_X, {}, Flt(-0.5)},
          {V::GET_Y, {}, Flt(3.25)},
          {V::SET_X, {F(4)}, Self()},
          {V::SET_Y, {F(5)}, Self()},
          {kState, {}, None(), {4, 5}},
          {V::MEMBER_COUNT, {}, None()},
      },
      "Vector2D");
}

TEST_F(PObjVectorTest, Vector3D) {
  using V = PObjVector3D;
  Run(Make<PObjVector3D>(),
      {
          {V::SET, {F(1), F(1), F(1)}, Self()},
          {V::ADD, {V3(1, 2, 3)}, Self()},
          {kState, {}, None(), {2, 3, 4}},
          {V::ADD, {Null()}, None()},
          {V::ADD_TO_EACH, {F(0.5)}, Self()},
          {kState, {}, None(), {2.5, 3.5, 4.5}},
          {V::MULTIPLY, {F(-2)}, Self()},
          {kState, {}, None(), {-5, -7, -9}},
          {V::COPY, {V3(6, 7, 8)}, Self()},
          {V::GET_X, {}, Flt(6)},
          {V::GET_Y, {}, Flt(7)},
          {V::GET_Z, {}, Flt(8)},
          {V::COPY, {Null()}, None()},
          {V::SET_X, {F(-1)}, Self()},
          {V::SET_Y, {F(-2)}, Self()},
          {V::SET_Z, {F(-3)}, Self()},
          {kState, {}, None(), {-1, -2, -3}},
      },
      "Vector3D");
}

}  // namespace
