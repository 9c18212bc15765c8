// The String and UniString objects as the engine makes and passes them.
#include <gtest/gtest.h>

#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/MemberCall.h"

namespace {

class PObjStringTest : public classtest::ValueClassTest {};

TEST_F(PObjStringTest, IdentitiesAndTexts) {
  PObjectDefinition* s = engine.GetStringDefinition();
  PObjectDefinition* u = engine.GetUniStringDefinition();
  EXPECT_STREQ(s->GetName(), "String");
  EXPECT_STREQ(u->GetName(), "UniString");
  EXPECT_EQ(s->GetCategory(), CATEGORY_VALUES);
  EXPECT_EQ(u->GetConstant(0)->ToInt64(), int64_t(TYPE_UNISTRING));

  PObjString* text = Keep(engine.NewString());
  PObjUniString* uni = Keep(engine.NewUniString());
  text->SetText("abc");
  EXPECT_STREQ(text->GetText(), "abc");
  text->SetText(nullptr);
  EXPECT_STREQ(text->GetText(), "");
  EXPECT_NE(text->GetString().GetBuffer(), nullptr);
  uni->SetText(u"\x263a");
  EXPECT_TRUE(uni->GetString() == u"\x263a");
  uni->SetText(nullptr);
  EXPECT_EQ(uni->GetText()[0], 0);
  EXPECT_NE(uni->GetString().GetBuffer(), nullptr);
}

}  // namespace
