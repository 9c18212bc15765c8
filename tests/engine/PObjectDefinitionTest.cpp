// Class definitions: internal names, constants, members of both origins,
// variables, inheritance and the making of objects part by part.
#include <gtest/gtest.h>

#include <string>

#include "engine/PEngine.h"
#include "engine/PObject.h"
#include "engine/PObjectDefinition.h"
#include "tests/engine/EngineTestClasses.h"

using enginetest::AddClass;
using enginetest::AddScript;
using enginetest::DeletionLog;
using enginetest::EngineTest;
using enginetest::RecordingObject;
using enginetest::ScriptSignature;

namespace {

const TypeCode kUser = 0x03000000;

// ==== Internal names ============================================================================

TEST(PObjectDefinitionNames, ClassAndMemberNumbersSwappedAndLowered) {
  struct Case {
    int classIndex, member;
    const char* name;
  } cases[] = {
      {0, 0, "_0000"},       {0x34, 0x12, "_2413"}, {0x1A, 5, "_5a01"},
      {0x15, 3, "_3501"},    {0, 33, "_1020"},      {0x5E, 0xAB, "_bea5"},
  };
  for (const Case& c : cases)
    EXPECT_STREQ(PObjectDefinition::MakeInternalName(c.classIndex, c.member).GetText(), c.name)
        << c.classIndex << " " << c.member;
}

// The name comes from where the class stands in the engine's table.
TEST(PObjectDefinitionNames, GlobalMemberThirtyThreeAtIndexZero) {
  PEngine engine;
  PObjectDefinition* global = AddClass(engine, TYPE_GLOBAL, "Global");
  AddClass(engine, TYPE_VOID, "Void", "", nullptr);
  for (int i = 0; i < 34; i++) ASSERT_TRUE(global->AddMember(MEMBER_FUNCTION, uint16_t(i), TYPE_VOID));
  EXPECT_STREQ(global->GetMemberName(0), "_0000");
  EXPECT_STREQ(global->GetMemberName(33), "_1020");
}

TEST(PObjectDefinitionNames, StringMemberThreeAtIndex21) {
  PEngine engine;
  AddClass(engine, TYPE_VOID, "Void", "", nullptr);
  for (int i = 1; i < 0x15; i++) {
    std::string name = "Filler" + std::to_string(i);
    ASSERT_NE(AddClass(engine, MakeTypeCode(2, 'F', 'L', char('A' + i)), name.c_str()), nullptr);
  }
  PObjectDefinition* text = AddClass(engine, TYPE_STRING, "String");
  ASSERT_EQ(engine.FindIndexByTypeCode(TYPE_STRING), 0x15);
  for (int i = 0; i < 4; i++) ASSERT_TRUE(text->AddMember(MEMBER_FUNCTION, uint16_t(i), TYPE_VOID));
  EXPECT_STREQ(text->GetMemberName(3), "_3501");
  EXPECT_EQ(text->FindMember("_3501"), 3);
}

// ==== Constants =================================================================================

class PObjectDefinitionConstants : public EngineTest {};

TEST_F(PObjectDefinitionConstants, RefusedNamesLeaveTheTableAlone) {
  PObjectDefinition d(&engine, kUser, "Thing", "");
  ASSERT_TRUE(d.AddConstant("SIZE", 1));
  d.AddVariable(new PObjectInfo(engine.GetIntegerDefinition(), "count", INFO_VARIABLE));
  for (const char* bad : {"", "1A", "A_", "__", "A B", "SIZE", "count"})
    EXPECT_FALSE(d.AddIntConstant(bad, 2)) << bad;
  EXPECT_FALSE(d.AddStringConstant("SIZE", "x"));
  EXPECT_FALSE(d.AddFloatConstant("count", 1.5));
  ASSERT_EQ(d.GetConstantCount(), 1);
  EXPECT_EQ(d.GetConstant(0)->ToInt64(), 1);
}

TEST_F(PObjectDefinitionConstants, ValuesTextsAndHiddenFlag) {
  PObjectDefinition d(&engine, kUser, "Thing", "");
  ASSERT_TRUE(d.AddConstant("NEG", -5));
  ASSERT_TRUE(d.AddIntConstant("BIG", int64_t(1) << 40, false, "1<<40", true));
  ASSERT_TRUE(d.AddFloatConstant("HALF", 0.5));
  ASSERT_TRUE(d.AddStringConstant("NAME", "a b"));

  EXPECT_EQ(d.FindConstant("NEG")->ToInt64(), -5);
  EXPECT_STREQ(d.FindConstant("NEG")->GetText().GetText(), "-5");
  EXPECT_EQ(d.FindConstant("BIG")->ToInt64(), int64_t(1) << 40);
  EXPECT_STREQ(d.FindConstant("BIG")->GetText().GetText(), "1<<40");
  EXPECT_EQ(d.FindConstant("BIG")->GetFlag(), 1);
  EXPECT_EQ(d.FindConstant("NEG")->GetFlag(), 0);
  EXPECT_TRUE(d.FindConstant("HALF")->IsDouble());
  SString half = d.FindConstant("HALF")->GetText();
  half.Trim();
  EXPECT_STREQ(half.GetText(), "0.5");
  EXPECT_TRUE(d.FindConstant("NAME")->IsString());
  EXPECT_STREQ(d.FindConstant("NAME")->GetText().GetText(), "\"a b\"");
  EXPECT_STREQ(d.GetConstantText(3).GetText(), "a b");
  EXPECT_STREQ(d.GetConstantName(2).GetText(), "HALF");
  EXPECT_EQ(d.FindConstant("name"), nullptr);  // exact names only
}

// "ID" leads every built-in class's constants; constants added at the start
// later follow it.
TEST_F(PObjectDefinitionConstants, AtStartInsertsAfterTheLeadingOnes) {
  PObjectDefinition d(&engine, TYPE_THREAD, "Thread", "");
  ASSERT_TRUE(d.AddConstant("A", 1));
  ASSERT_TRUE(d.AddConstant("B", 2));
  PObject::Register(&d);
  ASSERT_TRUE(d.AddConstant("C", 3, true));
  ASSERT_EQ(d.GetConstantCount(), 4);
  const char* order[] = {"ID", "C", "A", "B"};
  for (int i = 0; i < 4; i++) EXPECT_STREQ(d.GetConstantName(i).GetText(), order[i]);
  EXPECT_EQ(d.GetConstant(0)->ToInt64(), int64_t(TYPE_THREAD));
  EXPECT_EQ(d.GetConstant(0)->GetText().GetText(), std::to_string(TYPE_THREAD));
  EXPECT_EQ(d.GetLeadingConstantCount(), 1);
}

TEST_F(PObjectDefinitionConstants, GlobalGetsNoIdConstant) {
  PObjectDefinition d(&engine, TYPE_GLOBAL, "Global", "");
  ASSERT_TRUE(d.AddConstant("MB_OK", 0));
  PObject::Register(&d);
  ASSERT_EQ(d.GetConstantCount(), 1);
  EXPECT_STREQ(d.GetConstantName(0).GetText(), "MB_OK");
}

TEST_F(PObjectDefinitionConstants, DeclarationsStartAsReferencesWithoutDefault) {
  PObjectInfo info(engine.GetFloatDefinition(), "x", INFO_LOCAL);
  EXPECT_EQ(info.GetTypeCode(), TYPE_FLOAT);
  EXPECT_TRUE(info.IsReference());
  EXPECT_FALSE(info.IsAutoCreate());
  EXPECT_FALSE(info.IsHidden());
  EXPECT_FALSE(info.HasDefault());
  EXPECT_TRUE(info.GetDefault().IsInt64());
  info.SetAutoCreate(true);
  info.SetReference(false);
  info.GetDefault().SetString("d");
  info.Reset();
  EXPECT_EQ(info.GetType(), nullptr);
  EXPECT_EQ(info.GetTypeCode(), TYPE_NONE);
  EXPECT_EQ(info.GetKind(), INFO_NONE);
  EXPECT_STREQ(info.GetName(), "");
  EXPECT_TRUE(info.IsReference());
  EXPECT_FALSE(info.IsAutoCreate());
  EXPECT_TRUE(info.GetDefault().IsInt64());
}

// ==== Built-in members ==========================================================================

class PObjectDefinitionMembers : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    d = AddClass(engine, MakeTypeCode(2, 'T', 'S', 'T'), "Test");
    ASSERT_NE(d, nullptr);
  }
  PObjectDefinition* d = nullptr;
};

TEST_F(PObjectDefinitionMembers, DefaultsByParameterClass) {
  ASSERT_TRUE(d->AddMember(MEMBER_FUNCTION, 0, TYPE_FLOAT,
                           {PParamDecl(TYPE_INTEGER, "-1", int32_t(-1)),
                            PParamDecl(TYPE_FLOAT, "2.50", 2.5), PParamDecl(TYPE_STRING, " "),
                            PParamDecl(TYPE_UNISTRING, "\xe9"), PParamDecl(TYPE_VALUE, nullptr),
                            PParamDecl(TYPE_INTEGER)}));
  ASSERT_EQ(d->GetMemberCount(), 1);
  EXPECT_EQ(d->GetMemberKind(0), MEMBER_FUNCTION);
  EXPECT_EQ(d->GetReturnType(0), engine.GetFloatDefinition());
  EXPECT_EQ(d->GetReturnInfo(0)->GetKind(), INFO_RETURN);
  EXPECT_EQ(d->GetParamCount(0), 6);
  EXPECT_EQ(d->GetDefaultCount(0), 5);
  EXPECT_EQ(d->GetDeclarationCount(0), 6);
  EXPECT_EQ(d->GetCode(0), nullptr);
  EXPECT_FALSE(d->GetMemberFlag(0));
  EXPECT_EQ(d->GetEventSource(0), nullptr);

  const SValue& i = d->GetParamInfo(0, 0)->GetDefault();
  EXPECT_TRUE(i.IsInt64());
  EXPECT_EQ(i.ToInt64(), -1);
  EXPECT_STREQ(i.GetName().GetText(), "-1");
  const SValue& f = d->GetParamInfo(0, 1)->GetDefault();
  EXPECT_EQ(f.ToDouble(), 2.5);
  EXPECT_STREQ(f.GetName().GetText(), "2.50");
  const SValue& t = d->GetParamInfo(0, 2)->GetDefault();
  EXPECT_TRUE(t.IsString());
  EXPECT_STREQ(t.ToString().GetText(), " ");
  EXPECT_STREQ(t.GetName().GetText(), "\" \"");
  const SValue& u = d->GetParamInfo(0, 3)->GetDefault();
  EXPECT_TRUE(u.IsUniString());
  EXPECT_EQ(u.ToUniString().GetAt(0), UniChar(0xE9));
  const SValue& o = d->GetParamInfo(0, 4)->GetDefault();
  EXPECT_TRUE(o.IsInt64());
  EXPECT_EQ(o.ToInt64(), 0);
  EXPECT_STREQ(o.GetName().GetText(), "null");

  PObjectInfo* last = d->GetParamInfo(0, 5);
  EXPECT_FALSE(last->HasDefault());
  EXPECT_EQ(last->GetKind(), INFO_PARAMETER);
  EXPECT_STREQ(last->GetName(), "");
  EXPECT_EQ(last->GetType(), engine.GetIntegerDefinition());
}

// A refused member adds nothing at all, so the next member gets the
// position and name it would have had.
TEST_F(PObjectDefinitionMembers, UnknownClassesRefuseTheWholeMember) {
  const TypeCode unknown = MakeTypeCode(2, 'N', 'O', 'N');
  EXPECT_FALSE(d->AddMember(MEMBER_FUNCTION, 0, unknown));
  EXPECT_FALSE(d->AddMember(MEMBER_FUNCTION, 0, TYPE_VOID,
                            {PParamDecl(TYPE_INTEGER), PParamDecl(unknown)}));
  EXPECT_EQ(d->GetMemberCount(), 0);
  ASSERT_TRUE(d->AddMember(MEMBER_EVENT, 0, TYPE_VOID, {PParamDecl(TYPE_INTEGER)}));
  ASSERT_EQ(d->GetMemberCount(), 1);
  int index = engine.FindIndexByTypeCode(d->GetTypeCode());
  EXPECT_STREQ(d->GetMemberName(0), PObjectDefinition::MakeInternalName(index, 0).GetText());
  EXPECT_EQ(d->GetParamCount(0), 1);
  EXPECT_EQ(d->GetDeclarationCount(0), 1);
}

TEST_F(PObjectDefinitionMembers, FindByNumber) {
  ASSERT_TRUE(d->AddMember(MEMBER_FUNCTION, 0, TYPE_VOID));
  ASSERT_TRUE(d->AddMember(MEMBER_FUNCTION, 7, TYPE_VOID));
  ASSERT_TRUE(d->AddMember(MEMBER_FUNCTION, 1, TYPE_VOID));
  EXPECT_EQ(d->FindMemberById(0), 0);
  EXPECT_EQ(d->FindMemberById(7), 1);
  EXPECT_EQ(d->FindMemberById(1), 2);
  EXPECT_EQ(d->FindMemberById(2), -1);
  EXPECT_EQ(d->GetMemberId(1), 7);
  EXPECT_EQ(d->FindMember("nothing"), -1);
}

// ==== Script members ============================================================================

class PObjectDefinitionScript : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    app = AddClass(engine, TYPE_APPLICATION, "Application");
    other = AddClass(engine, kUser, "Other");
  }
  PObjectDefinition* app = nullptr;
  PObjectDefinition* other = nullptr;
};

TEST_F(PObjectDefinitionScript, SpecialMembers) {
  ScriptSignature plain("_00000000", TYPE_VOID);
  ScriptSignature withParam("_00000001", TYPE_VOID, {TYPE_INTEGER});
  ScriptSignature withResult("_00000001", TYPE_INTEGER);
  ScriptSignature idle("_00000002", TYPE_VOID);

  EXPECT_FALSE(AddScript(other, MEMBER_FUNCTION, 0, idle)) << "idle outside Application";
  EXPECT_FALSE(AddScript(app, MEMBER_FUNCTION, 1, withParam));
  EXPECT_FALSE(AddScript(app, MEMBER_FUNCTION, 1, withResult));
  EXPECT_FALSE(AddScript(app, MEMBER_EVENT, 0, plain));
  EXPECT_EQ(app->GetMemberCount(), 0);

  ASSERT_TRUE(AddScript(app, MEMBER_FUNCTION, 0, plain));
  ASSERT_TRUE(AddScript(app, MEMBER_FUNCTION, 1, ScriptSignature("_00000001", TYPE_VOID)));
  ASSERT_TRUE(AddScript(app, MEMBER_FUNCTION, 2, idle));
  EXPECT_EQ(app->GetConstructorId(), 0);
  EXPECT_EQ(app->GetDestructorId(), 1);
  EXPECT_EQ(app->GetIdleId(), 2);
  EXPECT_EQ(other->GetConstructorId(), -1);
}

TEST_F(PObjectDefinitionScript, NamesAndNumbersAreUnique) {
  ASSERT_TRUE(other->AddConstant("LIMIT", 3));
  other->AddVariable(new PObjectInfo(engine.GetIntegerDefinition(), "count", INFO_VARIABLE));
  ASSERT_TRUE(AddScript(other, MEMBER_FUNCTION, 0, ScriptSignature("run", TYPE_VOID)));

  EXPECT_FALSE(AddScript(other, MEMBER_FUNCTION, 0, ScriptSignature("walk", TYPE_VOID)));
  EXPECT_FALSE(AddScript(other, MEMBER_FUNCTION, 1, ScriptSignature("run", TYPE_VOID)));
  EXPECT_FALSE(AddScript(other, MEMBER_FUNCTION, 1, ScriptSignature("LIMIT", TYPE_VOID)));
  EXPECT_FALSE(AddScript(other, MEMBER_FUNCTION, 1, ScriptSignature("count", TYPE_VOID)));
  EXPECT_FALSE(AddScript(other, MEMBER_FUNCTION, 1, ScriptSignature("walk_", TYPE_VOID)));
  EXPECT_FALSE(AddScript(other, MEMBER_FUNCTION, 1, ScriptSignature("walk", kUser + 99)));
  EXPECT_FALSE(AddScript(other, MEMBER_FUNCTION, 1,
                         ScriptSignature("walk", TYPE_VOID, {TYPE_INTEGER, kUser + 99})));
  // A handler's name is "Class.event"; a plain member's is not.
  EXPECT_FALSE(AddScript(other, MEMBER_HANDLER, 1, ScriptSignature("Button", TYPE_VOID)));
  EXPECT_FALSE(AddScript(other, MEMBER_FUNCTION, 1, ScriptSignature("Button._0203", TYPE_VOID)));
  EXPECT_EQ(other->GetMemberCount(), 1);

  ASSERT_TRUE(AddScript(other, MEMBER_HANDLER, 1, ScriptSignature("Button._0203", TYPE_VOID), true));
  EXPECT_TRUE(other->GetMemberFlag(1));
  EXPECT_EQ(other->FindMember("Button._0203"), 1);
}

TEST_F(PObjectDefinitionScript, DefaultsConvertedToTheParameterClass) {
  ScriptSignature s("go", TYPE_VOID,
                    {TYPE_INTEGER, TYPE_STRING, TYPE_UNISTRING, TYPE_FLOAT, kUser, TYPE_INTEGER});
  SValue twelve, five, text, half, object;
  twelve.SetString("12");
  twelve.SetName("\"12\"");
  five.SetInt64(5);
  five.SetName("&FIVE");
  text.SetString("abc");
  text.SetName("\"abc\"");
  half.SetString("0.5");
  half.SetName("0.5");
  object.SetInt64(7);
  object.SetName("null");
  SValue* given[] = {&twelve, &five, &text, &half, &object};
  for (int i = 0; i < 5; i++) s.defaults.SetAt(i + 1, given[i]);
  s.names.GetAt(1)->SetText("first");
  ASSERT_TRUE(AddScript(other, MEMBER_FUNCTION, 0, s));

  EXPECT_EQ(other->GetParamCount(0), 6);
  EXPECT_EQ(other->GetDefaultCount(0), 5);
  PObjectInfo* p0 = other->GetParamInfo(0, 0);
  EXPECT_STREQ(p0->GetName(), "first");
  EXPECT_TRUE(p0->GetDefault().IsInt64());
  EXPECT_EQ(p0->GetDefault().ToInt64(), 12);
  EXPECT_STREQ(p0->GetDefault().GetName().GetText(), "\"12\"");
  EXPECT_TRUE(other->GetParamInfo(0, 1)->GetDefault().IsString());
  EXPECT_STREQ(other->GetParamInfo(0, 1)->GetDefault().ToString().GetText(), "5");
  EXPECT_STREQ(other->GetParamInfo(0, 1)->GetDefault().GetName().GetText(), "&FIVE");
  EXPECT_TRUE(other->GetParamInfo(0, 2)->GetDefault().IsUniString());
  EXPECT_TRUE(other->GetParamInfo(0, 2)->GetDefault().ToUniString() == u"abc");
  EXPECT_TRUE(other->GetParamInfo(0, 3)->GetDefault().IsDouble());
  EXPECT_EQ(other->GetParamInfo(0, 3)->GetDefault().ToDouble(), 0.5);
  EXPECT_EQ(other->GetParamInfo(0, 4)->GetDefault().ToInt64(), 0);
  EXPECT_STREQ(other->GetParamInfo(0, 4)->GetDefault().GetName().GetText(), "null");
  EXPECT_FALSE(other->GetParamInfo(0, 5)->HasDefault());
}

// ==== Bases and overrides =======================================================================

class PObjectDefinitionBases : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    root = AddClass(engine, kUser, "Root");
    leaf = AddClass(engine, kUser + 1, "Leaf", "Root");
    ASSERT_TRUE(AddScript(root, MEMBER_FUNCTION, 0, ScriptSignature("f", TYPE_INTEGER, {TYPE_FLOAT})));
    ASSERT_TRUE(AddScript(root, MEMBER_EVENT, 1, ScriptSignature("e", TYPE_VOID)));
    ASSERT_TRUE(AddScript(root, MEMBER_FUNCTION, 2, ScriptSignature("g", TYPE_VOID)));
  }
  PObjectDefinition* root = nullptr;
  PObjectDefinition* leaf = nullptr;
};

TEST_F(PObjectDefinitionBases, FindMemberInBasesGivesFunctionsOnly) {
  ASSERT_TRUE(AddScript(leaf, MEMBER_EVENT, 0, ScriptSignature("own", TYPE_VOID)));
  PObjectDefinition* where = nullptr;
  EXPECT_EQ(leaf->FindMemberInBases("f", 0, &where), 0);
  EXPECT_EQ(where, root);
  EXPECT_EQ(leaf->FindMemberInBases("f", MEMBER_FUNCTION, &where), 0);
  EXPECT_EQ(leaf->FindMemberInBases("e", 0, &where), -1);
  EXPECT_EQ(where, nullptr);
  EXPECT_EQ(leaf->FindMemberInBases("f", MEMBER_EVENT, &where), -1) << "events of this class only";
  EXPECT_EQ(leaf->FindMemberInBases("own", MEMBER_EVENT, &where), 0);
  EXPECT_EQ(where, leaf);
  EXPECT_EQ(leaf->FindMemberInBases("own", MEMBER_FUNCTION, &where), -1);
  EXPECT_EQ(root->FindMemberInBases("e", MEMBER_EVENT, &where), 1);
}

TEST_F(PObjectDefinitionBases, OverrideMapPointsAtTheOverridingFunction) {
  ASSERT_TRUE(AddScript(leaf, MEMBER_FUNCTION, 0, ScriptSignature("x", TYPE_VOID)));
  ASSERT_TRUE(AddScript(leaf, MEMBER_FUNCTION, 1, ScriptSignature("f", TYPE_INTEGER, {TYPE_FLOAT})));
  ASSERT_TRUE(leaf->BuildOverrideMap());
  ASSERT_EQ(leaf->GetOverrideCount(), 3);
  EXPECT_EQ(leaf->GetOverride(0), 1);
  EXPECT_EQ(leaf->GetOverride(1), -1);
  EXPECT_EQ(leaf->GetOverride(2), -1);
  EXPECT_EQ(leaf->GetOverride(3), -1);
  EXPECT_TRUE(root->BuildOverrideMap());
  EXPECT_EQ(root->GetOverrideCount(), 0);
}

TEST_F(PObjectDefinitionBases, OverrideWithOtherSignatureOrFlagFails) {
  struct Case {
    ScriptSignature signature;
    bool flag;
  };
  Case cases[] = {
      {ScriptSignature("f", TYPE_INTEGER, {TYPE_INTEGER}), false},
      {ScriptSignature("f", TYPE_FLOAT, {TYPE_FLOAT}), false},
      {ScriptSignature("f", TYPE_INTEGER, {TYPE_FLOAT, TYPE_FLOAT}), false},
      {ScriptSignature("f", TYPE_INTEGER, {TYPE_FLOAT}), true},
  };
  for (Case& c : cases) {
    PObjectDefinition d(&engine, kUser + 5, "Bad", "Root");
    d.SetBase(root);
    ASSERT_TRUE(AddScript(&d, MEMBER_FUNCTION, 0, c.signature, c.flag));
    EXPECT_FALSE(d.BuildOverrideMap());
  }
  // An event of the same name as a base event is no override at all.
  PObjectDefinition d(&engine, kUser + 5, "Fine", "Root");
  d.SetBase(root);
  ASSERT_TRUE(AddScript(&d, MEMBER_EVENT, 0, ScriptSignature("e", TYPE_INTEGER)));
  EXPECT_TRUE(d.BuildOverrideMap());
  EXPECT_EQ(d.GetOverride(1), -1);
}

// ==== Variables =================================================================================

TEST_F(PObjectDefinitionBases, VariablesParametersAndLocals) {
  ASSERT_TRUE(AddScript(leaf, MEMBER_FUNCTION, 0,
                        ScriptSignature("h", TYPE_VOID, {TYPE_INTEGER, TYPE_STRING})));
  leaf->GetParamInfo(0, 0)->SetName("a");
  leaf->GetParamInfo(0, 1)->SetName("shared");
  PObjectInfo* local = new PObjectInfo(engine.GetFloatDefinition(), "l", INFO_LOCAL);
  ASSERT_TRUE(leaf->AddLocalVariable(0, local));
  EXPECT_FALSE(leaf->AddLocalVariable(5, nullptr));
  PObjectInfo* shared = new PObjectInfo(engine.GetIntegerDefinition(), "shared", INFO_VARIABLE);
  PObjectInfo* own = new PObjectInfo(engine.GetIntegerDefinition(), "own", INFO_VARIABLE);
  PObjectInfo* inherited = new PObjectInfo(engine.GetIntegerDefinition(), "base", INFO_VARIABLE);
  ASSERT_TRUE(leaf->AddVariable(shared));
  ASSERT_TRUE(leaf->AddVariable(own));
  ASSERT_TRUE(root->AddVariable(inherited));
  EXPECT_FALSE(leaf->AddVariable(nullptr));

  EXPECT_EQ(leaf->GetDeclarationCount(0), 3);
  EXPECT_EQ(leaf->GetParamCount(0), 2);
  EXPECT_EQ(leaf->GetParamInfo(0, 2), local);
  EXPECT_EQ(leaf->GetVariableCount(), 2);
  EXPECT_EQ(leaf->GetVariable(1), own);

  EXPECT_EQ(leaf->FindLocalVariable(0, "l", true, true), local);
  EXPECT_EQ(leaf->FindLocalVariable(0, "l", true, false), nullptr);
  EXPECT_EQ(leaf->FindLocalVariable(0, "a", false, true), nullptr);
  EXPECT_EQ(leaf->FindLocalVariable(0, "a", true, false), leaf->GetParamInfo(0, 0));

  // The member's own declarations hide the member variables.
  EXPECT_EQ(leaf->FindVariable("shared", 0), leaf->GetParamInfo(0, 1));
  EXPECT_EQ(leaf->FindVariable("shared"), shared);
  EXPECT_EQ(leaf->FindVariable("base"), nullptr);
  PObjectDefinition* where = nullptr;
  EXPECT_EQ(leaf->FindVariableInBases("base", 0, &where), inherited);
  EXPECT_EQ(where, root);
  EXPECT_EQ(leaf->FindVariableInBases("l", 0, &where), local);
  EXPECT_EQ(where, leaf);
  EXPECT_EQ(leaf->FindVariableInBases("none", 0, &where), nullptr);
  EXPECT_EQ(where, nullptr);
}

// ==== Objects ===================================================================================

TEST_F(PObjectDefinitionBases, InstancesAreChainsOfPartsBaseFirst) {
  PObjectDefinition* mid = AddClass(engine, kUser + 2, "Mid", "Leaf");
  PObject* object = mid->CreateInstance();
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->GetDefinition(), mid);
  ASSERT_NE(object->GetBase(), nullptr);
  EXPECT_EQ(object->GetBase()->GetDefinition(), leaf);
  ASSERT_NE(object->GetBase()->GetBase(), nullptr);
  EXPECT_EQ(object->GetBase()->GetBase()->GetDefinition(), root);
  EXPECT_EQ(object->GetBase()->GetBase()->GetBase(), nullptr);
  EXPECT_EQ(object->GetBase()->GetDerived(), object);
  EXPECT_EQ(object->GetDerived(), nullptr);

  ASSERT_TRUE(PObject::DeleteObject(object));
  EXPECT_EQ(DeletionLog(), (std::vector<std::string>{"Mid", "Leaf", "Root"}));
}

TEST_F(PObjectDefinitionBases, FailingFactoryReleasesTheBaseParts) {
  PObjectDefinition* broken =
      AddClass(engine, kUser + 2, "Broken", "Leaf", RecordingObject::Fail);
  EXPECT_EQ(broken->CreateInstance(), nullptr);
  EXPECT_EQ(DeletionLog(), (std::vector<std::string>{"Leaf", "Root"}));

  PObjectDefinition* onBroken = AddClass(engine, kUser + 3, "OnBroken", "Broken");
  DeletionLog().clear();
  EXPECT_EQ(onBroken->CreateInstance(), nullptr);
  EXPECT_EQ(DeletionLog(), (std::vector<std::string>{"Leaf", "Root"}));

  EXPECT_EQ(engine.GetVoidDefinition()->CreateInstance(), nullptr) << "a class without factory";
}

}  // namespace
