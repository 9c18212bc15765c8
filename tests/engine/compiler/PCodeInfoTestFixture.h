// A small program for the compiler tests: a user class Foo with variables,
// a constant and members, and a class Bar derived from it.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "core/SStringArray.h"
#include "engine/PObjectInfo.h"
#include "engine/compiler/PCodeInfo.h"
#include "tests/engine/EngineTestClasses.h"

namespace compilertest {

using enginetest::AddClass;
using enginetest::AddScript;
using enginetest::ScriptSignature;

// Member positions of Foo.
// The closing node's opcode and jumps of one statement.
struct Close {
  int type, jump1, jump2;
  bool operator==(const Close& o) const {
    return type == o.type && jump1 == o.jump1 && jump2 == o.jump2;
  }
};
inline void PrintTo(const Close& c, std::ostream* os) {
  *os << "{" << c.type << ", " << c.jump1 << ", " << c.jump2 << "}";
}

enum { kMain = 0, kGetInt = 1, kTwoArgs = 2, kNoDefault = 3, kNotify = 4, kHandler = 5 };

class CompilerTest : public enginetest::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    foo = AddClass(engine, 0x03000000, "Foo");
    bar = AddClass(engine, 0x03000001, "Bar", "Foo");
    ASSERT_TRUE(foo && bar);
    PObjectDefinition* integer = engine.GetIntegerDefinition();
    ASSERT_TRUE(foo->AddVariable(new PObjectInfo(integer, "i", INFO_VARIABLE)));
    ASSERT_TRUE(foo->AddVariable(new PObjectInfo(engine.GetStringDefinition(), "s", INFO_VARIABLE)));
    ASSERT_TRUE(foo->AddVariable(new PObjectInfo(foo, "o", INFO_VARIABLE)));
    ASSERT_TRUE(foo->AddVariable(new PObjectInfo(foo, "p", INFO_VARIABLE)));
    ASSERT_TRUE(foo->AddIntConstant("K", 5));

    ASSERT_TRUE(AddScript(foo, MEMBER_FUNCTION, 10, ScriptSignature("main", TYPE_VOID)));
    ASSERT_TRUE(AddScript(foo, MEMBER_FUNCTION, 11, ScriptSignature("getInt", TYPE_INTEGER)));
    ScriptSignature two("f", TYPE_VOID, {TYPE_INTEGER, TYPE_INTEGER});
    SValue seven;
    seven.SetInt64(7);
    two.defaults.SetAt(2, &seven);
    ASSERT_TRUE(AddScript(foo, MEMBER_FUNCTION, 12, two));
    ASSERT_TRUE(AddScript(foo, MEMBER_FUNCTION, 13,
                          ScriptSignature("g", TYPE_VOID, {TYPE_INTEGER, TYPE_STRING})));
    ASSERT_TRUE(AddScript(foo, MEMBER_EVENT, 14, ScriptSignature("notify", TYPE_VOID)));
    ASSERT_TRUE(AddScript(foo, MEMBER_FUNCTION, 15, ScriptSignature("_00000001", TYPE_VOID)));
    ASSERT_TRUE(AddScript(foo, MEMBER_FUNCTION, 16, ScriptSignature("_00000000", TYPE_VOID)));
    ASSERT_TRUE(AddScript(bar, MEMBER_FUNCTION, 20, ScriptSignature("run", TYPE_VOID)));
    ASSERT_TRUE(foo->BuildOverrideMap() && bar->BuildOverrideMap());
  }

  // Compiles the lines as the body of a member of the class.
  std::unique_ptr<PCodeInfo> Compile(std::initializer_list<const char*> lines, int member = kMain,
                                     PObjectDefinition* d = nullptr) {
    SStringArray body;
    for (const char* line : lines) body.Add(line);
    auto code = std::make_unique<PCodeInfo>();
    code->SetDefinition(d ? d : foo);
    code->SetMemberIndex(member);
    if (!code->Compile(body)) return nullptr;
    return code;
  }

  static std::vector<int> Types(const PCodeInfo& code, int statement) {
    std::vector<int> types;
    const PCodeInfo::NodeList* list = code.GetStatement(statement);
    for (int i = 0; i < list->GetCount(); i++) types.push_back(list->GetAt(i)->type);
    return types;
  }

  static const PCodeInfo::_PData* Node(const PCodeInfo& code, int statement, int node) {
    return code.GetStatement(statement)->GetAt(node);
  }

  static std::vector<Close> Closes(const PCodeInfo& code) {
    std::vector<Close> out;
    for (int s = 0; s < code.GetStatementCount(); s++) {
      const PCodeInfo::NodeList* list = code.GetStatement(s);
      const PCodeInfo::_PData* last = list->GetLast();
      out.push_back({last->type, last->jump1, last->jump2});
    }
    return out;
  }

  PObjectDefinition* foo = nullptr;
  PObjectDefinition* bar = nullptr;
};

}  // namespace compilertest
