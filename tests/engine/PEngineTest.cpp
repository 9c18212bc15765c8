// The engine's definition table, its lookups, the built-in registration,
// identifier checks, global constant names and the value factories.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classes/PObjFloat.h"
#include "classes/PObjInt.h"
#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "classes/PObjValue.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "tests/engine/EngineTestClasses.h"

using enginetest::AddClass;
using enginetest::EngineTest;

namespace {

const TypeCode kUser = 0x03000000;

TEST_F(EngineTest, RegistrationFillsTheTableAndTheCache) {
  const struct {
    TypeCode code;
    const char* name;
    int members;
    PObjectDefinition* cached;
  } expected[] = {
      {TYPE_VOID, "Void", 0, engine.GetVoidDefinition()},
      {TYPE_POINTER, "Pointer", 0, nullptr},
      {TYPE_FLOAT, "Float", 13, engine.GetFloatDefinition()},
      {TYPE_INTEGER, "Integer", 12, engine.GetIntegerDefinition()},
      {TYPE_STRING, "String", -1, engine.GetStringDefinition()},
      {TYPE_UNISTRING, "UniString", -1, engine.GetUniStringDefinition()},
      {TYPE_VALUE, "Value", 23, engine.GetValueDefinition()},
  };
  for (const auto& e : expected) {
    int i = engine.FindIndexByTypeCode(e.code);
    ASSERT_GE(i, 0) << e.name;
    EXPECT_STREQ(engine.GetClassNameAt(i), e.name);
    EXPECT_EQ(engine.FindIndexByName(e.name), i);
    if (e.cached) {
      EXPECT_EQ(e.cached, engine.GetDefinitionAt(i)) << e.name;
    }
    if (e.members >= 0) {
      EXPECT_EQ(engine.GetDefinitionAt(i)->GetMemberCount(), e.members) << e.name;
    }
  }

  // Type-only classes keep what their constructor gave them.
  PObjectDefinition* pointer = engine.FindDefinition(TYPE_POINTER);
  EXPECT_EQ(pointer->GetCategory(), CATEGORY_GLOBAL);
  EXPECT_EQ(pointer->GetFactory(), nullptr);
  EXPECT_EQ(pointer->GetConstantCount(), 0);
  EXPECT_EQ(pointer->GetMemberCount(), 0);

  PObjectDefinition* integer = engine.GetIntegerDefinition();
  EXPECT_EQ(integer->GetCategory(), CATEGORY_VALUES);
  ASSERT_EQ(integer->GetConstantCount(), 1);
  EXPECT_STREQ(integer->GetConstantName(0).GetText(), "ID");
  EXPECT_EQ(integer->GetConstant(0)->ToInt64(), int64_t(TYPE_INTEGER));
  EXPECT_EQ(integer->GetControlNumber(), -1);
  EXPECT_TRUE(integer->IsInstantiable());
  EXPECT_TRUE(integer->IsBasicValueClass());
  EXPECT_FALSE(engine.GetValueDefinition()->IsBasicValueClass());
  int index = engine.FindIndexByTypeCode(TYPE_INTEGER);
  EXPECT_STREQ(integer->GetMemberName(11), PObjectDefinition::MakeInternalName(index, 11).GetText());
}

TEST_F(EngineTest, RegisteringAgainGivesTheSameTable) {
  int count = engine.GetDefinitionCount();
  std::vector<std::string> names;
  for (int i = 0; i < count; i++) names.push_back(engine.GetClassNameAt(i));
  ASSERT_NE(AddClass(engine, kUser, "Extra"), nullptr);
  ASSERT_NE(AddClass(engine, TYPE_APPLICATION, "Application"), nullptr);
  engine.RegisterClasses();
  // No cached pointer outlives the definitions it pointed at.
  EXPECT_EQ(engine.GetApplicationDefinition(), nullptr);
  ASSERT_TRUE(engine.DeclareClasses());
  ASSERT_EQ(engine.GetDefinitionCount(), count);
  for (int i = 0; i < count; i++) EXPECT_EQ(names[i], engine.GetClassNameAt(i));
  EXPECT_EQ(engine.FindDefinitionByName("Extra"), nullptr);
  EXPECT_EQ(engine.GetIntegerDefinition()->GetMemberCount(), 12);
}

TEST_F(EngineTest, AddDefinitionRefusesTakenTypeCodesAndNames) {
  PObjectDefinition* first = AddClass(engine, kUser, "Shape");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(AddClass(engine, kUser + 1, "Shape"), nullptr) << "same name, other TypeCode";
  EXPECT_EQ(AddClass(engine, kUser + 1, "String"), nullptr) << "a built-in class's name";
  EXPECT_EQ(AddClass(engine, kUser, "Circle"), nullptr) << "same TypeCode";
  int count = engine.GetDefinitionCount();
  EXPECT_EQ(AddClass(engine, kUser + 1, "shape")->GetTypeCode(), kUser + 1) << "names are case-sensitive";
  EXPECT_EQ(engine.GetDefinitionCount(), count + 1);

  PObjectDefinition* app = AddClass(engine, TYPE_APPLICATION, "Application");
  EXPECT_EQ(engine.GetApplicationDefinition(), app);
  EXPECT_EQ(engine.GetMainDefinition(), app);
  PObjectDefinition* sub = AddClass(engine, TYPE_SUBAPPLICATION, "SubApplication");
  EXPECT_EQ(engine.GetSubApplicationDefinition(), sub);
  EXPECT_EQ(engine.GetMainDefinition(), app);
}

TEST_F(EngineTest, LookupsByNameAndTypeCode) {
  AddClass(engine, kUser, "");
  EXPECT_EQ(engine.FindIndexByName(""), engine.GetDefinitionCount() - 1);
  EXPECT_EQ(engine.FindDefinitionByName(""), nullptr);
  EXPECT_EQ(engine.FindDefinitionByName(nullptr), nullptr);
  EXPECT_EQ(engine.FindDefinitionByName("Value"), engine.GetValueDefinition());
  EXPECT_EQ(engine.FindDefinitionByName("value"), nullptr);
  EXPECT_EQ(engine.GetDefinitionAt(engine.FindIndexByTypeCode(TYPE_VALUE)), engine.GetValueDefinition());
  EXPECT_EQ(engine.FindIndexByTypeCode(MakeTypeCode(2, 'N', 'O', 'N')), -1);
  EXPECT_EQ(engine.FindDefinition(TYPE_NONE), nullptr);
  EXPECT_EQ(engine.FindDefinition(TYPE_FLOAT), engine.GetFloatDefinition());
  EXPECT_TRUE(engine.IsClassName("Pointer"));
  EXPECT_FALSE(engine.IsClassName("Nothing"));
}

TEST_F(EngineTest, ResetForgetsTheProgram) {
  AddClass(engine, TYPE_APPLICATION, "Application");
  engine.AddGlobalConstantName("OK", 0);
  engine.Reset();
  EXPECT_EQ(engine.GetDefinitionCount(), 0);
  EXPECT_EQ(engine.GetIntegerDefinition(), nullptr);
  EXPECT_EQ(engine.GetMainDefinition(), nullptr);
  EXPECT_EQ(engine.GetGlobalConstantNameCount(), 0);
  EXPECT_FALSE(engine.IsApplicationBuild());
  EXPECT_EQ(engine.NewInteger(), nullptr);
}

TEST(PEngineNames, ValidNames) {
  const struct {
    const char* text;
    bool qualified, valid;
  } cases[] = {
      {"count", false, true},        {"_x", false, true},          {"x1", false, true},
      {"1x", false, false},          {"x_", false, false},         {"__", false, false},
      {"", false, false},            {"a.b", false, false},        {"Button._0203", true, true},
      {"Button.", true, false},      {"Button", true, false},      {".click", true, false},
      {"a.b.c", true, false},        {"a_.b", true, false},        {"a.__", true, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PEngine::IsValidName(c.text, c.qualified), c.valid) << c.text << " " << c.qualified;
  EXPECT_FALSE(PEngine::IsValidName(nullptr, false));
}

TEST_F(EngineTest, NewNamesAvoidKeywordsAndClasses) {
  EXPECT_TRUE(engine.IsValidNewName("total"));
  EXPECT_FALSE(engine.IsValidNewName("while"));
  EXPECT_FALSE(engine.IsValidNewName("function"));
  EXPECT_FALSE(engine.IsValidNewName("Integer"));
  EXPECT_FALSE(engine.IsValidNewName("total_"));
  EXPECT_TRUE(engine.IsKeyword("return"));
  EXPECT_FALSE(engine.IsKeyword("Return"));
}

TEST_F(EngineTest, PackageConstantsInNameOrder) {
  SArray<SValue*> list;
  EXPECT_EQ(engine.CollectPackageConstants(&list), 0);

  PObjectDefinition* app = AddClass(engine, TYPE_APPLICATION, "Application");
  PObject::Register(app);
  ASSERT_TRUE(app->AddConstant("ID_OK", 1));
  ASSERT_TRUE(app->AddConstant("ID_CANCEL", 2));
  ASSERT_TRUE(app->AddConstant("ID_APPLY", 3));
  engine.AddGlobalConstantName("OK", 1);
  engine.AddGlobalConstantName("CANCEL", 2);
  engine.AddGlobalConstantName("APPLY", 3);

  ASSERT_EQ(engine.CollectPackageConstants(&list), 3);
  ASSERT_EQ(list.GetCount(), 3);
  EXPECT_STREQ(list.GetAt(0)->GetName().GetText(), "ID_APPLY");
  EXPECT_STREQ(list.GetAt(1)->GetName().GetText(), "ID_CANCEL");
  EXPECT_STREQ(list.GetAt(2)->GetName().GetText(), "ID_OK");
  EXPECT_EQ(list.GetAt(2)->ToInt64(), 1);
}

TEST_F(EngineTest, NewValuesAreCompleteObjectsOfTheirClass) {
  PObjInt* i = engine.NewInteger();
  PObjFloat* f = engine.NewFloat();
  PObjString* s = engine.NewString();
  PObjUniString* u = engine.NewUniString();
  PObjValue* v = engine.NewValue();
  ASSERT_TRUE(i && f && s && u && v);
  EXPECT_EQ(i->GetDefinition(), engine.GetIntegerDefinition());
  EXPECT_EQ(f->GetDefinition(), engine.GetFloatDefinition());
  EXPECT_EQ(s->GetDefinition(), engine.GetStringDefinition());
  EXPECT_EQ(u->GetDefinition(), engine.GetUniStringDefinition());
  EXPECT_EQ(v->GetDefinition(), engine.GetValueDefinition());
  EXPECT_EQ(i->GetValue(), 0);
  EXPECT_EQ(f->GetValue(), 0.0);
  EXPECT_NE(s->GetString().GetBuffer(), nullptr);
  EXPECT_STREQ(s->GetText(), "");
  EXPECT_NE(u->GetString().GetBuffer(), nullptr);
  EXPECT_TRUE(v->GetValue().IsInt64());
  EXPECT_TRUE(i->IsEngineMade());
  EXPECT_FALSE(i->IsDynamic());
  EXPECT_EQ(i->GetOwner(), nullptr);
  for (PObject* o : {static_cast<PObject*>(i), static_cast<PObject*>(f), static_cast<PObject*>(s),
                     static_cast<PObject*>(u), static_cast<PObject*>(v)})
    EXPECT_TRUE(PObject::DeleteObject(o));
}

}  // namespace
