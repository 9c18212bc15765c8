// Any member body given to the statement and expression compilers compiles
// or is refused cleanly, never a crash, a sanitizer report or a hang. The
// input is split into body lines at each newline.
//
// A compiled body jumps only to statements that exist (or just past the
// last), and every "and"/"or" node jumps inside its own statement.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/SStringArray.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "engine/compiler/PCodeInfo.h"

namespace {

// A user class with a variable of each value class, two objects, a
// constant and a few members to call.
struct Program {
  PEngine engine;
  PObjectDefinition* foo = nullptr;

  Program() {
    engine.RegisterClasses();
    if (!engine.DeclareClasses()) std::abort();
    foo = new PObjectDefinition(&engine, 0x03000000, "Foo", "");
    if (!engine.AddDefinition(foo)) std::abort();
    foo->AddVariable(new PObjectInfo(engine.GetIntegerDefinition(), "i", INFO_VARIABLE));
    foo->AddVariable(new PObjectInfo(engine.GetFloatDefinition(), "x", INFO_VARIABLE));
    foo->AddVariable(new PObjectInfo(engine.GetStringDefinition(), "s", INFO_VARIABLE));
    foo->AddVariable(new PObjectInfo(foo, "o", INFO_VARIABLE));
    foo->AddIntConstant("K", 5);
    AddMember("main", TYPE_VOID, 0, 10);
    AddMember("get", TYPE_INTEGER, 0, 11);
    AddMember("f", TYPE_VOID, 2, 12);
    AddMember("_00000001", TYPE_VOID, 0, 13);
  }

  void AddMember(const char* name, TypeCode result, int params, uint16_t number) {
    SStringArray names;
    SArray<TypeCode> types;
    SArray<SValue*> defaults;
    names.Add(name);
    types.Add(result);
    defaults.Add(nullptr);
    for (int p = 0; p < params; p++) {
      names.Add(p ? "b" : "a");
      types.Add(TYPE_INTEGER);
      defaults.Add(nullptr);
    }
    if (!foo->AddScriptMember(MEMBER_FUNCTION, number, names, types, defaults, false))
      std::abort();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Program program;
  SStringArray lines;
  size_t start = 0;
  for (size_t i = 0; i <= size; i++) {
    if (i < size && data[i] != '\n') continue;
    SString line;
    line.Assign(reinterpret_cast<const char*>(data + start), static_cast<int>(i - start));
    lines.Add(line.GetText());
    start = i + 1;
  }
  PCodeInfo code;
  code.SetDefinition(program.foo);
  code.SetMemberIndex(size % 2);  // a Void member and an Integer one
  if (!code.Compile(lines)) return 0;

  const int count = code.GetStatementCount();
  for (int s = 0; s < count; s++) {
    const PCodeInfo::NodeList* list = code.GetStatement(s);
    for (int n = 0; n < list->GetCount(); n++) {
      const PCodeInfo::_PData* node = list->GetAt(n);
      if (node->type < OP_CONSTANT || node->type > OP_LAST || node->type == OP_ACCESS)
        std::abort();
      if (node->type == OP_AND || node->type == OP_OR) {
        if (node->jump1 <= n || node->jump1 > list->GetCount()) std::abort();
      } else if (node->type >= OP_IF && node->type <= OP_RETURN) {
        if (node->jump1 < -1 || node->jump1 > count || node->jump2 < -1 || node->jump2 > count)
          std::abort();
      }
    }
  }
  return 0;
}
