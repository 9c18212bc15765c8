// Classes made up for the engine tests: parts that record the calls they
// receive and log their deletion, and the definitions that make them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

#include "core/SArray.h"
#include "core/SStringArray.h"
#include "engine/PEngine.h"
#include "engine/PObject.h"
#include "engine/PObjectDefinition.h"

namespace enginetest {

// Names of deleted parts, in deletion order.
inline std::vector<std::string>& DeletionLog() {
  static std::vector<std::string> log;
  return log;
}

// A part that logs its deletion, records the calls it receives and answers
// them through onCall (true without one).
class RecordingObject : public PObject {
 public:
  explicit RecordingObject(PObjectDefinition* definition) : PObject(definition) {}
  ~RecordingObject() override { DeletionLog().push_back(GetDefinition()->GetName()); }

  bool Release() override { return allowRelease; }
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override {
    calls.push_back({member, GetArgCount(args), caller});
    return onCall ? onCall(member, args, result, caller) : true;
  }

  static PObject* New(PObjectDefinition* definition) {
    return new (std::nothrow) RecordingObject(definition);
  }
  static PObject* Fail(PObjectDefinition*) { return nullptr; }

  struct Record {
    uint16_t member;
    int count;
    PObject* caller;
  };
  std::vector<Record> calls;
  std::function<bool(uint16_t, PArgs*, PResultCell*, PObject*)> onCall;
  bool allowRelease = true;
};

// A definition added to the engine, made by RecordingObject.
inline PObjectDefinition* AddClass(PEngine& engine, TypeCode code, const char* name,
                                   const char* base = "", PFactory factory = RecordingObject::New) {
  PObjectDefinition* d = new PObjectDefinition(&engine, code, name, base);
  d->SetFactory(factory);
  if (!engine.AddDefinition(d)) {
    delete d;
    return nullptr;
  }
  if (base[0]) d->SetBase(engine.FindDefinitionByName(base));
  return d;
}

// The script-member form of a signature: names and types, result first.
struct ScriptSignature {
  SStringArray names;
  SArray<TypeCode> types;
  SArray<SValue*> defaults;

  ScriptSignature(const char* name, TypeCode result, std::vector<TypeCode> params = {}) {
    names.Add(name);
    types.Add(result);
    defaults.Add(nullptr);
    for (TypeCode t : params) {
      names.Add("p");
      types.Add(t);
      defaults.Add(nullptr);
    }
  }
};

inline bool AddScript(PObjectDefinition* d, int32_t kind, uint16_t number, const ScriptSignature& s,
                      bool flag = false) {
  return d->AddScriptMember(kind, number, s.names, s.types, s.defaults, flag);
}

// An engine with the built-in classes registered and declared.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.RegisterClasses();
    ASSERT_TRUE(engine.DeclareClasses());
    DeletionLog().clear();
  }

  PEngine engine;
};

}  // namespace enginetest
