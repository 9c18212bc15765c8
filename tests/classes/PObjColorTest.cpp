// Color: one colour read and written across the RGB, ARGB and YUV models,
// with the conversions' known asymmetries (white comes back as 254 red).
#include <gtest/gtest.h>

#include "classes/PObjColor.h"
#include "classes/SystemColor.h"
#include "tests/classes/ValueTable.h"

namespace {

using namespace classtest;
using C = PObjColor;

class PObjColorTest : public ValueTableTest {};

TEST_F(PObjColorTest, Declarations) {
  PObjectDefinition* d = engine.FindDefinition(C::kTypeCode);
  ASSERT_NE(d, nullptr);
  EXPECT_STREQ(d->GetName(), "Color");
  EXPECT_EQ(d->GetMemberCount(), C::MEMBER_COUNT);
  EXPECT_EQ(d->GetReturnType(C::SET_RGB), d);
  EXPECT_EQ(d->GetReturnType(C::GET_Y_FRACTION), engine.GetFloatDefinition());
}

TEST_F(PObjColorTest, RgbModel) {
  Run(Make<C>(),
      {
          // A new colour is opaque black.
          {C::GET_COLORREF, {}, Int(0)},
          {C::GET_ARGB, {}, Int(0xFF000000)},
          {C::GET_ALPHA, {}, Int(255)},
          {C::GET_MODEL, {}, Int(0)},
          {C::GET_Y, {}, Int(0)},
          {C::GET_CR, {}, Int(128)},
          {C::GET_CB, {}, Int(128)},
          // Alpha is not kept in RGB.
          {C::SET_ALPHA, {I(5)}, Self()},
          {C::SET_ARGB_WORD, {I(0x80FF0000)}, Self()},
          {C::GET_ALPHA, {}, Int(255)},
          {C::GET_COLORREF, {}, Int(0xFF)},
          {C::GET_ARGB, {}, Int(0xFFFF0000)},
          {C::GET_YCRCB, {}, Int(76 << 16 | 255 << 8 | 85)},
          {C::SET_RGB, {I(0), I(128), I(0x1FF)}, Self()},
          {C::GET_TEXT, {}, Text("#0080FF")},
          {C::GET_BLUE, {}, Int(255)},
          {C::SET_TEXT, {S("#FF8000")}, Self()},
          {C::GET_RED, {}, Int(255)},
          {C::GET_GREEN, {}, Int(128)},
          {C::GET_BLUE, {}, Int(0)},
          {C::SET_TEXT, {S("#FF800")}, Self()},
          {C::GET_COLORREF, {}, Int(0)},
          // A luma component set on white converts through YCrCb and back.
          {C::SET_COLORREF, {I(0xFFFFFF)}, Self()},
          {C::SET_Y, {I(255)}, Self()},
          {C::GET_COLORREF, {}, Int(0xFFFFFE)},
          // Y 255 on (254, 255, 255) comes back as the same colour, whose Y is 254.
          {C::SET_Y_FRACTION, {F(2)}, Self()},
          {C::GET_COLORREF, {}, Int(0xFFFFFE)},
          {C::GET_Y, {}, Int(254)},
          {C::SET_YCRCB, {I(0), I(128), I(128)}, Self()},
          {C::GET_COLORREF, {}, Int(0)},
          {C::SET_GREEN, {I(7)}, Self()},
          {C::GET_COLORREF, {}, Int(0x0700)},
          {C::SET_MODEL, {I(7)}, Self()},
          {C::GET_MODEL, {}, Int(0)},
          {C::MEMBER_COUNT, {}, None()},
      },
      "RGB");
}

TEST_F(PObjColorTest, ArgbModel) {
  Run(Make<C>(),
      {
          {C::SET_MODEL, {I(C::MODEL_ARGB)}, Self()},
          {C::SET_ARGB, {I(128), I(10), I(20), I(30)}, Self()},
          {C::GET_ALPHA, {}, Int(128)},
          {C::GET_ARGB, {}, Int(0x800A141E)},
          {C::GET_COLORREF, {}, Int(0x1E140A)},
          {C::SET_ALPHA, {I(0x140)}, Self()},
          {C::GET_ALPHA, {}, Int(0x40)},
          // Setting an opaque form makes the colour opaque again.
          {C::SET_RGB, {I(1), I(2), I(3)}, Self()},
          {C::GET_ALPHA, {}, Int(255)},
          {C::SET_ARGB_WORD, {I(0x11223344)}, Self()},
          {C::GET_ARGB, {}, Int(0x11223344)},
          {C::SET_YCRCB, {I(255), I(128), I(128)}, Self()},
          {C::GET_ARGB, {}, Int(0xFFFEFFFF)},
      },
      "ARGB");
}

TEST_F(PObjColorTest, YuvModel) {
  Run(Make<C>(),
      {
          // The model changes without converting: Y, Cr, Cb 0 read as green.
          {C::SET_MODEL, {I(C::MODEL_YUV)}, Self()},
          {C::GET_Y, {}, Int(0)},
          {C::GET_RED, {}, Int(0)},
          {C::GET_GREEN, {}, Int(135)},
          {C::GET_BLUE, {}, Int(0)},
          {C::GET_ALPHA, {}, Int(255)},
          {C::SET_RGB, {I(0), I(0), I(0)}, Self()},
          {C::GET_YCRCB, {}, Int(0 << 16 | 128 << 8 | 128)},
          {C::SET_RGB, {I(255), I(0), I(0)}, Self()},
          {C::GET_Y, {}, Int(76)},
          {C::GET_CR, {}, Int(255)},
          {C::GET_CB, {}, Int(85)},
          {C::GET_RED, {}, Int(254)},
          {C::GET_GREEN, {}, Int(0)},
          {C::GET_BLUE, {}, Int(0)},
          // Member 30 reads its word the other way round from member 15.
          {C::SET_YCRCB_WORD, {I(76 << 16 | 255 << 8 | 85)}, Self()},
          {C::GET_Y, {}, Int(85)},
          {C::GET_CR, {}, Int(255)},
          {C::GET_CB, {}, Int(76)},
          {C::SET_CR_FRACTION, {F(0)}, Self()},
          {C::GET_CR, {}, Int(127)},
          {C::GET_CR_FRACTION, {}, Flt((127 - 128) / 255.0)},
          {C::SET_CB_FRACTION, {F(-3)}, Self()},
          {C::GET_CB, {}, Int(0)},
          {C::GET_CB_FRACTION, {}, Flt(-128 / 255.0)},
          {C::SET_YCRCB_FRACTIONS, {F(1), F(0.5), F(-0.5)}, Self()},
          {C::GET_YCRCB, {}, Int(255 << 16 | 255 << 8 | 0)},
          {C::GET_Y_FRACTION, {}, Flt(1)},
          // A red set on a stored YCrCb goes through RGB and back.
          {C::SET_YCRCB, {I(0), I(128), I(128)}, Self()},
          {C::SET_RED, {I(255)}, Self()},
          {C::GET_YCRCB, {}, Int(76 << 16 | 255 << 8 | 85)},
          {C::SET_ALPHA, {I(3)}, Self()},
          {C::GET_ARGB, {}, Int(0xFFFE0000)},
          {C::GET_TEXT, {}, Text("#FE0000")},
      },
      "YUV");
}

TEST_F(PObjColorTest, CopyAndOperationsOfOtherClasses) {
  C* source = Make<C>();
  source->SetModel(C::MODEL_ARGB);
  source->SetFromColor(0x7F102030);
  C* colour = Make<C>();
  Args copy(this);
  copy.Obj(source);
  CallVoid(colour, C::COPY, copy);
  EXPECT_EQ(colour->GetModel(), C::MODEL_ARGB);
  EXPECT_EQ(colour->GetArgb(), 0x7F102030u);
  EXPECT_EQ(colour->GetColorRef(), 0x302010u);
  Args none(this);
  none.Obj(nullptr);
  CallVoid(colour, C::COPY, none);
  EXPECT_EQ(colour->GetArgb(), 0x7F102030u);
  // SetColorRef keeps the model and makes the colour opaque.
  colour->SetColorRef(0x00030201);
  EXPECT_EQ(colour->GetArgb(), 0xFF010203u);
  Args system(this);
  system.Int(15);
  EXPECT_EQ(CallInt(colour, C::SET_SYSTEM_COLOR, system), int64_t(reinterpret_cast<uintptr_t>(colour)));
  EXPECT_EQ(colour->GetColorRef(), SystemColor(15) & 0xFFFFFF);
}

}  // namespace
