// PObject::RaiseEvent: an event of a part reaches its owner's handler with
// its arguments as value objects, and the handler's result comes back.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "classes/PObjFloat.h"
#include "classes/PObjInt.h"
#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "engine/PEngine.h"
#include "engine/PObject.h"
#include "engine/PObjectDefinition.h"
#include "tests/engine/EngineTestClasses.h"

using enginetest::AddClass;
using enginetest::AddScript;
using enginetest::EngineTest;
using enginetest::RecordingObject;
using enginetest::ScriptSignature;

namespace {

// Integers that count how many of them are made and deleted.
struct CountedInt : PObjInt {
  explicit CountedInt(PObjectDefinition* d) : PObjInt(d) { made++; }
  ~CountedInt() override { deleted++; }
  static PObject* New(PObjectDefinition* d) { return new (std::nothrow) CountedInt(d); }
  static inline int made = 0, deleted = 0;
};

enum Event { FUNCTION = 0, CLICK, TEXT, RATIO, PASS, UNI, UNHANDLED };

// A raising class with one function and six events; an owner class with a
// handler for every event but the last, numbered from 10 on.
class PObjectRaiseEvent : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    engine.GetIntegerDefinition()->SetFactory(CountedInt::New);
    CountedInt::made = CountedInt::deleted = 0;
    DefineRaiser(MakeTypeCode(2, 'R', 'A', 'I'), "Raiser");
    owner = AddClass(engine, 0x03000000, "Owner");
    AddHandlers(raiser, owner);
    ownerObject = static_cast<RecordingObject*>(owner->CreateInstance());
    part = raiser->CreateInstance();
    ASSERT_TRUE(ownerObject->BindOwner(part));
  }
  void TearDown() override {
    PObject::DeleteObject(part);
    PObject::DeleteObject(ownerObject);
  }

  void DefineRaiser(TypeCode code, const char* name) {
    raiser = AddClass(engine, code, name, "", [](PObjectDefinition* d) -> PObject* {
      return new (std::nothrow) PObject(d);
    });
    ASSERT_TRUE(raiser->AddMember(MEMBER_FUNCTION, FUNCTION, TYPE_VOID));
    ASSERT_TRUE(raiser->AddMember(MEMBER_EVENT, CLICK, TYPE_INTEGER,
                                  {PParamDecl(TYPE_INTEGER), PParamDecl(TYPE_FLOAT),
                                   PParamDecl(TYPE_STRING), PParamDecl(TYPE_UNISTRING)}));
    ASSERT_TRUE(raiser->AddMember(MEMBER_EVENT, TEXT, TYPE_STRING, {PParamDecl(TYPE_INTEGER)}));
    ASSERT_TRUE(raiser->AddMember(MEMBER_EVENT, RATIO, TYPE_FLOAT));
    ASSERT_TRUE(raiser->AddMember(MEMBER_EVENT, PASS, TYPE_VOID,
                                  {PParamDecl(code), PParamDecl(TYPE_INTEGER)}));
    ASSERT_TRUE(raiser->AddMember(MEMBER_EVENT, UNI, TYPE_UNISTRING));
    ASSERT_TRUE(raiser->AddMember(MEMBER_EVENT, UNHANDLED, TYPE_VOID, {PParamDecl(TYPE_INTEGER)}));
  }
  void AddHandlers(PObjectDefinition* from, PObjectDefinition* to) {
    for (int e = CLICK; e < UNHANDLED; e++) {
      std::string name = std::string(from->GetName()) + "." + from->GetMemberName(e);
      ScriptSignature s(name.c_str(), from->GetReturnInfo(e)->GetTypeCode());
      for (int p = 0; p < from->GetParamCount(e); p++) {
        s.names.Add("p");
        s.types.Add(from->GetParamInfo(e, p)->GetTypeCode());
        s.defaults.Add(nullptr);
      }
      ASSERT_TRUE(AddScript(to, MEMBER_HANDLER, uint16_t(10 + e), s));
    }
  }
  // The handler for every call.
  void OnCall(std::function<bool(uint16_t, PArgs*, PResultCell*, PObject*)> f) {
    ownerObject->onCall = std::move(f);
  }

  PObjectDefinition* raiser = nullptr;
  PObjectDefinition* owner = nullptr;
  RecordingObject* ownerObject = nullptr;
  PObject* part = nullptr;
};

TEST_F(PObjectRaiseEvent, FalseWithoutOwnerOrHandler) {
  EXPECT_FALSE(PObject::RaiseEvent(part, UNHANDLED, nullptr, 1));
  EXPECT_FALSE(PObject::RaiseEvent(part, FUNCTION, nullptr));
  EXPECT_FALSE(PObject::RaiseEvent(part, 40, nullptr));
  EXPECT_FALSE(PObject::RaiseEvent(nullptr, CLICK, nullptr));
  PObject* unbound = raiser->CreateInstance();
  EXPECT_FALSE(PObject::RaiseEvent(unbound, RATIO, nullptr));
  PObject::DeleteObject(unbound);
  EXPECT_TRUE(ownerObject->calls.empty());
  EXPECT_EQ(CountedInt::made, 0);
}

TEST_F(PObjectRaiseEvent, HandlerGetsArgumentsAndGivesItsResult) {
  OnCall([&](uint16_t, PArgs* args, PResultCell* result, PObject*) {
    EXPECT_EQ(PObject::GetArgCount(args), 4);
    EXPECT_EQ(PObject::GetArgInt64(args, 0), -7);
    EXPECT_EQ(PObject::GetArgDouble(args, 1), 2.5);
    EXPECT_STREQ(PObject::GetArgString(args, 2), "left");
    EXPECT_EQ(PObject::GetArgUniChar(args, 3), UniChar(0x3042));
    return PObject::ReturnInt64(result, 42);
  });
  SValue result;
  result.SetString("old");
  ASSERT_TRUE(PObject::RaiseEvent(part, CLICK, &result, -7, 2.5, "left", u"\x3042"));
  ASSERT_EQ(ownerObject->calls.size(), 1u);
  EXPECT_EQ(ownerObject->calls[0].member, 10 + CLICK) << "the handler's number";
  EXPECT_EQ(ownerObject->calls[0].caller, part);
  EXPECT_TRUE(result.IsInt64());
  EXPECT_EQ(result.ToInt64(), 42);
  EXPECT_EQ(part->GetEventDepth(), 0);

  // Numbers convert to the parameter's class; no result value is needed.
  OnCall([&](uint16_t, PArgs* args, PResultCell*, PObject*) {
    EXPECT_EQ(PObject::GetArgInt64(args, 0), 3);
    EXPECT_EQ(PObject::GetArgDouble(args, 1), 4.0);
    return true;
  });
  EXPECT_TRUE(PObject::RaiseEvent(part, CLICK, nullptr, 3.9, 4, "", u""));
}

// Objects pass unchanged, null included.
TEST_F(PObjectRaiseEvent, ObjectArguments) {
  std::vector<PObject*> seen;
  OnCall([&](uint16_t, PArgs* args, PResultCell*, PObject*) {
    seen.push_back(PObject::GetArgObject(args, 0));
    return true;
  });
  ASSERT_TRUE(PObject::RaiseEvent(part, PASS, nullptr, part, 1));
  ASSERT_TRUE(PObject::RaiseEvent(part, PASS, nullptr, nullptr, 2));
  EXPECT_EQ(seen, (std::vector<PObject*>{part, nullptr}));
}

// The same part raising again reuses its temporaries, holding the new values.
TEST_F(PObjectRaiseEvent, PooledTemporariesAreReused) {
  std::vector<PObject*> ints, strings;
  std::vector<int64_t> values;
  OnCall([&](uint16_t, PArgs* args, PResultCell*, PObject*) {
    ints.push_back(PObject::GetArgObject(args, 0));
    strings.push_back(PObject::GetArgObject(args, 2));
    values.push_back(PObject::GetArgInt64(args, 0));
    return true;
  });
  for (int n = 1; n <= 3; n++)
    ASSERT_TRUE(PObject::RaiseEvent(part, CLICK, nullptr, n, 0.0, "s", u"u"));
  EXPECT_EQ(ints[0], ints[1]);
  EXPECT_EQ(ints[1], ints[2]);
  EXPECT_EQ(strings[0], strings[2]);
  EXPECT_EQ(values, (std::vector<int64_t>{1, 2, 3}));
  EXPECT_EQ(CountedInt::made, 1);
  EXPECT_EQ(CountedInt::deleted, 0);
  // The pool stays with the part and its last value.
  EXPECT_EQ(static_cast<PObjInt*>(ints[0])->GetValue(), 3);
}

// An event raised from a handler of the same part gets fresh temporaries,
// deleted when it returns; the outer event's arguments keep their values.
TEST_F(PObjectRaiseEvent, NestedEventGetsFreshTemporaries) {
  PObject* outerInt = nullptr;
  PObject* innerInt = nullptr;
  OnCall([&](uint16_t member, PArgs* args, PResultCell* result, PObject*) {
    if (member == 10 + CLICK) {
      outerInt = PObject::GetArgObject(args, 0);
      SValue inner;
      EXPECT_TRUE(PObject::RaiseEvent(part, TEXT, &inner, 99));
      EXPECT_EQ(part->GetEventDepth(), 1);
      EXPECT_EQ(PObject::GetArgInt64(args, 0), 5);
      EXPECT_STREQ(PObject::GetArgString(args, 2), "outer");
      EXPECT_STREQ(inner.ToString().GetText(), "99");
      return PObject::ReturnInt64(result, 1);
    }
    innerInt = PObject::GetArgObject(args, 0);
    EXPECT_EQ(part->GetEventDepth(), 2);
    return PObject::ReturnString(result, SString::FromInt64(PObject::GetArgInt64(args, 0)).GetText());
  });
  ASSERT_TRUE(PObject::RaiseEvent(part, CLICK, nullptr, 5, 1.0, "outer", u"o"));
  EXPECT_NE(outerInt, innerInt);
  EXPECT_EQ(CountedInt::made, 2);
  EXPECT_EQ(CountedInt::deleted, 1);
  EXPECT_EQ(part->GetEventDepth(), 0);
}

// A Thread's events may run on its worker: they never touch the pools. (An
// engine of its own, holding just the classes the test needs.)
TEST(PObjectRaiseEventThread, ThreadPartsAlwaysUseFreshTemporaries) {
  PEngine engine;
  auto add = [&](TypeCode code, const char* name, void (*reg)(PObjectDefinition*)) {
    PObjectDefinition* d = new PObjectDefinition(&engine, code, name, "");
    if (reg) reg(d);
    EXPECT_EQ(engine.AddDefinition(d), d);
    return d;
  };
  add(TYPE_VOID, "Void", nullptr);
  add(TYPE_INTEGER, "", PObjInt::Register)->SetFactory(CountedInt::New);
  PObjectDefinition* thread = add(TYPE_THREAD, "Thread", nullptr);
  thread->SetFactory([](PObjectDefinition* d) -> PObject* { return new (std::nothrow) PObject(d); });
  ASSERT_TRUE(thread->AddMember(MEMBER_EVENT, 0, TYPE_VOID, {PParamDecl(TYPE_INTEGER)}));
  PObjectDefinition* owner = AddClass(engine, 0x03000000, "Owner");
  std::string handler = std::string("Thread.") + thread->GetMemberName(0);
  ASSERT_TRUE(AddScript(owner, MEMBER_HANDLER, 0,
                        ScriptSignature(handler.c_str(), TYPE_VOID, {TYPE_INTEGER})));

  CountedInt::made = CountedInt::deleted = 0;
  PObject* ownerObject = owner->CreateInstance();
  PObject* part = thread->CreateInstance();
  ASSERT_TRUE(ownerObject->BindOwner(part));
  for (int n = 0; n < 3; n++) EXPECT_TRUE(PObject::RaiseEvent(part, 0, nullptr, n));
  EXPECT_EQ(CountedInt::made, 3);
  EXPECT_EQ(CountedInt::deleted, 3);
  PObject::DeleteObject(part);
  PObject::DeleteObject(ownerObject);
}

TEST_F(PObjectRaiseEvent, TextResultsAreTakenOver) {
  OnCall([&](uint16_t member, PArgs*, PResultCell* result, PObject*) {
    if (member == 10 + UNI) return PObject::ReturnUniString(result, u"\x263a");
    return PObject::ReturnString(result, "handled");
  });
  SValue text;
  ASSERT_TRUE(PObject::RaiseEvent(part, TEXT, &text, 0));
  EXPECT_TRUE(text.IsString());
  EXPECT_STREQ(text.ToString().GetText(), "handled");
  SValue uni;
  ASSERT_TRUE(PObject::RaiseEvent(part, UNI, &uni));
  EXPECT_TRUE(uni.IsUniString());
  EXPECT_TRUE(uni.ToUniString() == u"\x263a");
  // Without a result value the buffer is freed all the same.
  EXPECT_TRUE(PObject::RaiseEvent(part, TEXT, nullptr, 0));

  // A handler that stores nothing gives the empty text.
  OnCall([](uint16_t, PArgs*, PResultCell*, PObject*) { return true; });
  ASSERT_TRUE(PObject::RaiseEvent(part, TEXT, &text, 0));
  EXPECT_TRUE(text.IsString());
  EXPECT_STREQ(text.ToString().GetText(), "");
}

TEST_F(PObjectRaiseEvent, FailedHandlers) {
  // A failing handler's text is freed and the result value keeps its value.
  OnCall([](uint16_t, PArgs*, PResultCell* result, PObject*) {
    PObject::ReturnString(result, "dropped");
    return false;
  });
  SValue value;
  value.SetInt64(8);
  EXPECT_FALSE(PObject::RaiseEvent(part, TEXT, &value, 0));
  EXPECT_TRUE(value.IsInt64());
  EXPECT_EQ(value.ToInt64(), 8);

  // Numeric results are preset to 0 or 0.0 before the call.
  OnCall([](uint16_t, PArgs*, PResultCell*, PObject*) { return false; });
  value.SetString("x");
  EXPECT_FALSE(PObject::RaiseEvent(part, CLICK, &value, 1, 1.0, "", u""));
  EXPECT_TRUE(value.IsInt64());
  EXPECT_EQ(value.ToInt64(), 0);
  value.SetInt64(3);
  EXPECT_FALSE(PObject::RaiseEvent(part, RATIO, &value));
  EXPECT_TRUE(value.IsDouble());
  EXPECT_EQ(value.ToDouble(), 0.0);
  EXPECT_EQ(part->GetEventDepth(), 0);

  OnCall([](uint16_t, PArgs*, PResultCell* result, PObject*) {
    return PObject::ReturnDouble(result, 0.25);
  });
  EXPECT_TRUE(PObject::RaiseEvent(part, RATIO, &value));
  EXPECT_EQ(value.ToDouble(), 0.25);
}

// A part whose Integer class cannot make objects raises nothing.
TEST_F(PObjectRaiseEvent, NoTemporaryNoCall) {
  engine.GetIntegerDefinition()->SetFactory(RecordingObject::Fail);
  EXPECT_FALSE(PObject::RaiseEvent(part, TEXT, nullptr, 1));
  EXPECT_TRUE(ownerObject->calls.empty());
  EXPECT_EQ(part->GetEventDepth(), 0);
}

}  // namespace
