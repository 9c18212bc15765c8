// The Value class: the variant value as a script object, converting and
// calculating across its four kinds.
#include <gtest/gtest.h>

#include "classes/PObjValue.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/MemberCall.h"

namespace {

class PObjValueTest : public classtest::ValueClassTest {};

TEST_F(PObjValueTest, Declaration) {
  PObjectDefinition* d = engine.GetValueDefinition();
  ASSERT_EQ(d->GetMemberCount(), 23);
  EXPECT_STREQ(d->GetName(), "Value");
  EXPECT_EQ(d->GetCategory(), CATEGORY_VALUES);
  EXPECT_EQ(d->GetParamInfo(PObjValue::COPY, 0)->GetType(), d);
  EXPECT_EQ(d->GetReturnType(PObjValue::COPY), engine.GetVoidDefinition());
  EXPECT_EQ(d->GetReturnType(PObjValue::GET_UNISTRING), engine.GetUniStringDefinition());
  EXPECT_EQ(d->GetParamInfo(PObjValue::SET_FLOAT, 0)->GetType(), engine.GetFloatDefinition());
  EXPECT_EQ(d->GetParamCount(PObjValue::DECREMENT), 0);
}

TEST_F(PObjValueTest, NewValueIsIntegerZero) {
  PObjValue* v = NewValue();
  EXPECT_EQ(CallText(v, PObjValue::GET_TEXT), "0");
  EXPECT_EQ(CallText(v, PObjValue::TEXT), "0");
  EXPECT_EQ(CallInt(v, PObjValue::IS_INTEGER), 1);
  EXPECT_EQ(CallInt(v, PObjValue::IS_FLOAT), 0);
}

TEST_F(PObjValueTest, ArithmeticAnswersTheText) {
  PObjValue* a = NewValue();
  a->GetValue().SetString("a");
  EXPECT_EQ(CallText(a, PObjValue::INCREMENT), "a1");
  PObjValue* n = NewValue();
  n->GetValue().SetInt64(41);
  EXPECT_EQ(CallText(n, PObjValue::INCREMENT), "42");
  EXPECT_EQ(CallText(n, PObjValue::DECREMENT), "41");

  PObjValue* five = NewValue();
  five->GetValue().SetInt64(5);
  EXPECT_EQ(CallText(five, PObjValue::APPEND, With().Str("x")), "5x");
  EXPECT_EQ(CallInt(five, PObjValue::IS_STRING), 1);

  PObjValue* half = NewValue();
  half->GetValue().SetInt64(5);
  CallText(half, PObjValue::DIVIDE, With().Str("2"));
  EXPECT_EQ(CallInt(half, PObjValue::IS_FLOAT), 1);
  EXPECT_EQ(CallFloat(half, PObjValue::GET_FLOAT), 2.5);
  CallText(half, PObjValue::MULTIPLY, With().Str("4"));
  CallText(half, PObjValue::SUBTRACT, With().Str("0.5"));
  EXPECT_EQ(CallFloat(half, PObjValue::GET_FLOAT), 9.5);
  EXPECT_EQ(CallInt(half, PObjValue::GET_INTEGER), 9);
  // A text that reads as no number counts as 0.
  CallText(half, PObjValue::MULTIPLY, With().Str("many"));
  EXPECT_EQ(CallFloat(half, PObjValue::GET_FLOAT), 0.0);

  // Texts are left alone by everything but addition.
  PObjValue* text = NewValue();
  text->GetValue().SetString("5");
  EXPECT_EQ(CallText(text, PObjValue::DECREMENT), "5");
  EXPECT_EQ(CallText(text, PObjValue::DIVIDE, With().Str("2")), "5");
  EXPECT_EQ(CallInt(text, PObjValue::GET_INTEGER), 5);

  PObjValue* uni = NewValue();
  uni->GetValue().SetUniString(u"\x263a");
  CallText(uni, PObjValue::INCREMENT);
  EXPECT_EQ(CallUniText(uni, PObjValue::GET_UNISTRING), u"\x263a" u"1");
  EXPECT_EQ(CallInt(uni, PObjValue::IS_UNISTRING), 1);
}

TEST_F(PObjValueTest, SettersAndParsing) {
  PObjValue* v = NewValue();
  v->GetValue().SetDouble(1.5);
  CallVoid(v, PObjValue::PARSE, With().Str("12"));
  EXPECT_EQ(CallInt(v, PObjValue::IS_FLOAT), 1);
  EXPECT_EQ(CallFloat(v, PObjValue::GET_FLOAT), 12.0);
  v->GetValue().SetInt64(3);
  CallVoid(v, PObjValue::PARSE, With().Str("12"));
  EXPECT_EQ(CallInt(v, PObjValue::IS_INTEGER), 1);
  EXPECT_EQ(CallInt(v, PObjValue::GET_INTEGER), 12);

  CallVoid(v, PObjValue::SET_FLOAT, With().Float(0.5));
  EXPECT_TRUE(v->GetValue().IsDouble());
  CallVoid(v, PObjValue::SET_INTEGER, With().Int(-4));
  EXPECT_EQ(v->GetValue().ToInt64(), -4);
  CallVoid(v, PObjValue::SET_STRING, With().Str("abc"));
  EXPECT_EQ(CallText(v, PObjValue::GET_TEXT), "abc");
  CallVoid(v, PObjValue::SET_UNISTRING, With().Uni(u"\xe9"));
  EXPECT_EQ(CallInt(v, PObjValue::IS_UNISTRING), 1);
  EXPECT_EQ(CallUniText(v, PObjValue::GET_UNISTRING), u"\xe9");

  // Members 7 and 18 do nothing.
  EXPECT_EQ(CallText(v, PObjValue::NOTHING_7), "<none>");
  CallVoid(v, PObjValue::NOTHING_18, With().Str("x"));
  EXPECT_EQ(CallUniText(v, PObjValue::GET_UNISTRING), u"\xe9");
}

TEST_F(PObjValueTest, CopyTakesEveryField) {
  PObjValue* from = NewValue();
  from->GetValue().SetString("text");
  from->GetValue().SetName("name");
  from->GetValue().SetText("shown");
  from->GetValue().SetFlag(3);
  PObjValue* to = NewValue();
  CallVoid(to, PObjValue::COPY, With().Obj(from));
  EXPECT_TRUE(to->GetValue().IsString());
  EXPECT_STREQ(to->GetValue().ToString().GetText(), "text");
  EXPECT_STREQ(to->GetValue().GetName().GetText(), "name");
  EXPECT_STREQ(to->GetValue().GetText().GetText(), "shown");
  EXPECT_EQ(to->GetValue().GetFlag(), 3);
  CallVoid(to, PObjValue::COPY, With().Obj(nullptr));
  EXPECT_STREQ(to->GetValue().ToString().GetText(), "text");
  EXPECT_EQ(CallText(to, 23), "<none>");
}

}  // namespace
