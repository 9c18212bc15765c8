// The object model: the chain of parts, casts, deletion, owners and event
// maps, and the argument block and result cell of member calls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "classes/PObjFloat.h"
#include "classes/PObjInt.h"
#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "classes/PObjValue.h"
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

// ==== Chain of parts ============================================================================

class PObjectChain : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    root = AddClass(engine, kUser, "Root");
    mid = AddClass(engine, kUser + 1, "Mid", "Root");
    leaf = AddClass(engine, kUser + 2, "Leaf", "Mid");
    other = AddClass(engine, kUser + 3, "Other");
    object = leaf->CreateInstance();
    ASSERT_NE(object, nullptr);
    midPart = object->GetBase();
    rootPart = midPart->GetBase();
  }
  void TearDown() override { PObject::DeleteObject(object); }

  PObjectDefinition *root = nullptr, *mid = nullptr, *leaf = nullptr, *other = nullptr;
  PObject *object = nullptr, *midPart = nullptr, *rootPart = nullptr;
};

TEST_F(PObjectChain, EndsOfTheChain) {
  EXPECT_EQ(object->FindRootPart(), rootPart);
  EXPECT_EQ(midPart->FindRootPart(), rootPart);
  EXPECT_EQ(rootPart->FindRootPart(), nullptr);
  EXPECT_EQ(rootPart->GetRootPart(), rootPart);
  EXPECT_EQ(rootPart->FindLeafPart(), object);
  EXPECT_EQ(object->FindLeafPart(), nullptr);
  EXPECT_EQ(object->GetLeafPart(), object);
  EXPECT_EQ(object->GetControlPart(), midPart);
  EXPECT_EQ(object->GetEngine(), &engine);
}

TEST_F(PObjectChain, PartsByClass) {
  EXPECT_EQ(object->FindBasePart(root), rootPart);
  EXPECT_EQ(object->FindBasePart(leaf), nullptr) << "bases only";
  EXPECT_EQ(rootPart->FindDerivedPart(leaf), object);
  EXPECT_EQ(midPart->FindDerivedPart(root), nullptr) << "derived parts only";

  PObjectDefinition* pointer = engine.FindDefinition(TYPE_POINTER);
  EXPECT_EQ(midPart->CastToClass(pointer), midPart);
  EXPECT_EQ(midPart->CastToClass(mid), midPart);
  EXPECT_EQ(midPart->CastToClass(root), rootPart);
  EXPECT_EQ(midPart->CastToClass(leaf), object);
  EXPECT_EQ(midPart->CastToClass(other), nullptr);
  EXPECT_EQ(midPart->CastToClass(nullptr), nullptr);
}

TEST_F(PObjectChain, DeleteObjectNeedsTheLeafsRelease) {
  static_cast<RecordingObject*>(object)->allowRelease = false;
  EXPECT_FALSE(PObject::DeleteObject(object));
  EXPECT_TRUE(DeletionLog().empty());
  EXPECT_FALSE(PObject::DeleteObject(nullptr));
  static_cast<RecordingObject*>(object)->allowRelease = true;
}

TEST_F(PObjectChain, FlagsAndText) {
  EXPECT_TRUE(object->IsEngineMade());
  object->SetEngineMade(false);
  EXPECT_FALSE(object->IsEngineMade());
  EXPECT_FALSE(object->IsDynamic());
  object->SetDynamic();
  EXPECT_TRUE(object->IsDynamic());
  EXPECT_STREQ(object->GetObjectText(), "");
  object->SetObjectText("tag");
  EXPECT_STREQ(object->GetObjectText(), "tag");
  EXPECT_STREQ(midPart->GetObjectText(), "") << "the text is the part's own";
}

TEST_F(PObjectChain, UnknownMembersSucceedWithoutEffect) {
  PObject plain(root);
  int64_t storage = 42;
  PResultCell cell = &storage;
  EXPECT_TRUE(plain.Call(77, nullptr, &cell, nullptr));
  EXPECT_EQ(storage, 42);
  EXPECT_TRUE(plain.Release());
  plain.AttachWindow(nullptr);
}

// ==== Owners and event maps ======================================================================

// A raising class Base with events, a derived class Raiser with one more,
// and an owner class whose handlers take them.
class PObjectEvents : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    base = AddClass(engine, MakeTypeCode(2, 'B', 'A', 'S'), "Base");
    raiser = AddClass(engine, MakeTypeCode(2, 'R', 'A', 'I'), "Raiser", "Base");
    owner = AddClass(engine, kUser, "Owner");
    ASSERT_TRUE(base->AddMember(MEMBER_FUNCTION, 0, TYPE_VOID));
    ASSERT_TRUE(base->AddMember(MEMBER_EVENT, 1, TYPE_VOID, {PParamDecl(TYPE_INTEGER)}));
    ASSERT_TRUE(base->AddMember(MEMBER_EVENT, 2, TYPE_INTEGER, {PParamDecl(TYPE_STRING)}));
    ASSERT_TRUE(raiser->AddMember(MEMBER_EVENT, 0, TYPE_VOID, {PParamDecl(TYPE_FLOAT)}));
  }
  std::string Handler(PObjectDefinition* d, int member) {
    return std::string(d->GetName()) + "." + d->GetMemberName(member);
  }
  bool AddHandler(uint16_t number, const std::string& name, TypeCode result,
                  std::vector<TypeCode> params) {
    return AddScript(owner, MEMBER_HANDLER, number, ScriptSignature(name.c_str(), result, params));
  }

  PObjectDefinition *base = nullptr, *raiser = nullptr, *owner = nullptr;
};

TEST_F(PObjectEvents, BindOwnerMapsEveryPart) {
  ASSERT_TRUE(AddScript(owner, MEMBER_FUNCTION, 0, ScriptSignature("run", TYPE_VOID)));
  ASSERT_TRUE(AddHandler(1, Handler(base, 2), TYPE_INTEGER, {TYPE_STRING}));
  ASSERT_TRUE(AddHandler(2, Handler(raiser, 0), TYPE_VOID, {TYPE_FLOAT}));
  PObject* ownerObject = owner->CreateInstance();
  PObject* object = raiser->CreateInstance();
  PObject* basePart = object->GetBase();

  ASSERT_TRUE(ownerObject->BindOwner(object));
  EXPECT_EQ(object->GetOwner(), ownerObject);
  EXPECT_EQ(basePart->GetOwner(), ownerObject);
  ASSERT_EQ(basePart->GetEventMapCount(), 3);
  EXPECT_EQ(basePart->GetEventHandler(0), -1) << "functions never map";
  EXPECT_EQ(basePart->GetEventHandler(1), -1) << "no handler";
  EXPECT_EQ(basePart->GetEventHandler(2), 1);
  ASSERT_EQ(object->GetEventMapCount(), 1);
  EXPECT_EQ(object->GetEventHandler(0), 2);
  EXPECT_EQ(object->GetEventHandler(5), -1);
  EXPECT_EQ(object->GetEventHandler(-1), -1);

  // Binding the base part reaches the derived part as well.
  PObject* again = raiser->CreateInstance();
  ASSERT_TRUE(ownerObject->BindOwner(again->GetBase()));
  EXPECT_EQ(again->GetOwner(), ownerObject);
  EXPECT_EQ(again->GetEventHandler(0), 2);

  EXPECT_FALSE(ownerObject->BindOwner(nullptr));
  PObject::DeleteObject(again);
  PObject::DeleteObject(object);
  PObject::DeleteObject(ownerObject);
}

TEST_F(PObjectEvents, HandlerSignatureMustMatch) {
  // Other parameter names bind; other classes, counts or results do not.
  ScriptSignature renamed(Handler(base, 1).c_str(), TYPE_VOID, {TYPE_INTEGER});
  renamed.names.GetAt(1)->SetText("anything");
  ASSERT_TRUE(AddScript(owner, MEMBER_HANDLER, 0, renamed));
  PObject* ownerObject = owner->CreateInstance();
  PObject* object = base->CreateInstance();
  EXPECT_TRUE(ownerObject->BindOwner(object));
  EXPECT_EQ(object->GetEventHandler(1), 0);
  PObject::DeleteObject(ownerObject);

  const struct {
    TypeCode result;
    std::vector<TypeCode> params;
  } bad[] = {
      {TYPE_VOID, {TYPE_FLOAT}},
      {TYPE_VOID, {TYPE_INTEGER, TYPE_INTEGER}},
      {TYPE_VOID, {}},
      {TYPE_INTEGER, {TYPE_INTEGER}},
  };
  int k = 0;
  for (const auto& b : bad) {
    std::string name = "BadOwner" + std::to_string(k);
    PObjectDefinition* o = AddClass(engine, kUser + 10 + k++, name.c_str());
    ASSERT_TRUE(AddScript(o, MEMBER_HANDLER, 0,
                          ScriptSignature(Handler(base, 1).c_str(), b.result, b.params)));
    PObject* owning = o->CreateInstance();
    EXPECT_FALSE(owning->BindOwner(object)) << name;
    EXPECT_EQ(object->GetEventMapCount(), 1) << "the map stops at the bad handler";
    PObject::DeleteObject(owning);
  }
  PObject::DeleteObject(object);
}

TEST_F(PObjectEvents, SetOwnerOnOnePartOrAll) {
  PObject* object = raiser->CreateInstance();
  PObject* ownerObject = owner->CreateInstance();
  object->SetOwner(ownerObject, false);
  EXPECT_EQ(object->GetOwner(), ownerObject);
  EXPECT_EQ(object->GetBase()->GetOwner(), nullptr);
  object->GetBase()->SetOwner(ownerObject, true);
  EXPECT_EQ(object->GetBase()->GetOwner(), ownerObject);
  object->SetOwner(nullptr, true);
  EXPECT_EQ(object->GetBase()->GetOwner(), nullptr);
  PObject::DeleteObject(object);
  PObject::DeleteObject(ownerObject);
}

// ==== Argument block and result cell ================================================================

class PObjectArguments : public EngineTest {
 protected:
  void TearDown() override {
    for (PObject* o : made) PObject::DeleteObject(o);
  }
  template <class T>
  T* Make(T* object) {
    made.push_back(object);
    return object;
  }
  std::vector<PObject*> made;
};

TEST_F(PObjectArguments, ReadingTheBlock) {
  PObjInt* i = Make(engine.NewInteger());
  PObjFloat* f = Make(engine.NewFloat());
  PObjString* s = Make(engine.NewString());
  PObjUniString* u = Make(engine.NewUniString());
  i->SetValue(-3);
  f->SetValue(1.25);
  s->SetText("xy");
  u->SetText(u"\x263a!");
  PArgBlock<6> block;
  block->count = 6;
  block->Set(0, i);
  block->Set(1, f);
  block->Set(2, s);
  block->Set(3, u);
  block->Set(4, nullptr);
  block->Set(5, i);

  EXPECT_EQ(PObject::GetArgCount(nullptr), 0);
  EXPECT_EQ(PObject::GetArgCount(block.Get()), 6);
  EXPECT_EQ(PObject::GetArgInt64(block.Get(), 0), -3);
  EXPECT_TRUE(PObject::GetArgBool(block.Get(), 0));
  EXPECT_EQ(PObject::GetArgDouble(block.Get(), 1), 1.25);
  EXPECT_STREQ(PObject::GetArgString(block.Get(), 2), "xy");
  EXPECT_EQ(PObject::GetArgChar(block.Get(), 2), 'x');
  EXPECT_EQ(PObject::GetArgUniChar(block.Get(), 3), UniChar(0x263A));
  EXPECT_EQ(PObject::GetArgObject(block.Get(), 4), nullptr);
  EXPECT_EQ(PObject::GetArgObject(block.Get(), 5), i);
  // Slots hold the pointer with nothing above it.
  EXPECT_EQ(block->slots[0].bits, uint64_t(reinterpret_cast<uintptr_t>(i)));

  // Missing slots and objects read as nothing.
  EXPECT_EQ(PObject::GetArgObject(block.Get(), 6), nullptr);
  EXPECT_EQ(PObject::GetArgInt64(block.Get(), 4), 0);
  EXPECT_EQ(PObject::GetArgInt64(nullptr, 0), 0);
  EXPECT_STREQ(PObject::GetArgString(block.Get(), 9), "");
  EXPECT_EQ(PObject::GetArgChar(block.Get(), 9), 0);
}

TEST_F(PObjectArguments, SetArgInt64ConvertsIntoTheArgumentsClass) {
  PObjInt* i = Make(engine.NewInteger());
  PObjFloat* f = Make(engine.NewFloat());
  PObjString* s = Make(engine.NewString());
  PObjUniString* u = Make(engine.NewUniString());
  PObjValue* v = Make(engine.NewValue());
  PObject* foreign = Make(AddClass(engine, kUser, "Foreign")->CreateInstance());
  v->GetValue().SetString("text");
  PArgBlock<7> block;
  block->count = 7;
  PObject* objects[] = {i, f, s, u, v, foreign, nullptr};
  for (int k = 0; k < 7; k++) block->Set(k, objects[k]);
  for (int k = 0; k < 7; k++) PObject::SetArgInt64(block.Get(), k, -5);
  PObject::SetArgInt64(block.Get(), 7, -5);
  PObject::SetArgInt64(nullptr, 0, -5);

  EXPECT_EQ(i->GetValue(), -5);
  EXPECT_EQ(f->GetValue(), -5.0);
  EXPECT_STREQ(s->GetText(), "-5");
  EXPECT_TRUE(u->GetString() == u"-5");
  EXPECT_TRUE(v->GetValue().IsInt64());
  EXPECT_EQ(v->GetValue().ToInt64(), -5);
}

TEST_F(PObjectArguments, ResultCells) {
  int64_t storage = 99;
  PResultCell cell = &storage;
  EXPECT_TRUE(PObject::ReturnBool(&cell, true));
  EXPECT_EQ(storage, 1);
  EXPECT_TRUE(PObject::ReturnInt64(&cell, INT64_MIN));
  EXPECT_EQ(storage, INT64_MIN);
  double x = 0;
  PResultCell doubleCell = &x;
  EXPECT_TRUE(PObject::ReturnDouble(&doubleCell, -0.75));
  EXPECT_EQ(x, -0.75);
  PObject* o = Make(engine.NewInteger());
  EXPECT_TRUE(PObject::ReturnObject(&cell, o));
  EXPECT_EQ(uint64_t(storage), uint64_t(reinterpret_cast<uintptr_t>(o)));

  PResultCell text = nullptr;
  EXPECT_TRUE(PObject::ReturnString(&text, "abc"));
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(static_cast<char*>(text), "abc");
  std::free(text);
  text = nullptr;
  EXPECT_TRUE(PObject::ReturnChar(&text, 'q'));
  EXPECT_EQ(std::memcmp(text, "q", 2), 0);
  std::free(text);
  text = nullptr;
  EXPECT_TRUE(PObject::ReturnUniString(&text, u"\xe9t\xe9"));
  EXPECT_EQ(std::memcmp(text, u"\xe9t\xe9", 8), 0);
  std::free(text);
  text = nullptr;
  EXPECT_TRUE(PObject::ReturnUniChar(&text, u'\x20ac'));
  EXPECT_EQ(std::memcmp(text, u"\x20ac", 4), 0);
  std::free(text);

  // No slot, or no cell for a number: nothing is stored, the member succeeds.
  EXPECT_TRUE(PObject::ReturnString(nullptr, "lost"));
  PResultCell none = nullptr;
  EXPECT_TRUE(PObject::ReturnInt64(&none, 1));
  EXPECT_TRUE(PObject::ReturnInt64(nullptr, 1));
}

}  // namespace
