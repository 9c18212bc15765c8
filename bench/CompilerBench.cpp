// Start-up cost of the compiler: lines compiled per second for one
// generated member body of 50,000 lines mixing every statement form,
// operators, calls, member access and "$" strings.
#include <chrono>
#include <cstdio>

#include "core/SStringArray.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "engine/compiler/PCodeInfo.h"

namespace {

constexpr int kLines = 50000;

bool AddMember(PObjectDefinition* d, const char* name, TypeCode result, int params,
               uint16_t number) {
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
  return d->AddScriptMember(MEMBER_FUNCTION, number, names, types, defaults, false);
}

// Blocks of ten lines, each block balanced.
void MakeBody(SStringArray& body) {
  static const char* const kBlock[] = {
      "if i==1 and j<10",  "i=i+j*2-(k%3)",      "elseif i>>2==k",
      "s=\"n=$i, k=$K\"", "else",               "o.i+=get()-1",
      "end",              "for j=0;j<10;j++",  "f(i,j|k)",
      "end",
  };
  for (int i = 0; i < kLines; i++) body.Add(kBlock[i % 10]);
}

}  // namespace

int main() {
  PEngine engine;
  engine.RegisterClasses();
  if (!engine.DeclareClasses()) return 1;
  PObjectDefinition* foo = new PObjectDefinition(&engine, 0x03000000, "Foo", "");
  if (!engine.AddDefinition(foo)) return 1;
  for (const char* name : {"i", "j", "k"})
    foo->AddVariable(new PObjectInfo(engine.GetIntegerDefinition(), name, INFO_VARIABLE));
  foo->AddVariable(new PObjectInfo(engine.GetStringDefinition(), "s", INFO_VARIABLE));
  foo->AddVariable(new PObjectInfo(foo, "o", INFO_VARIABLE));
  foo->AddIntConstant("K", 5);
  if (!AddMember(foo, "main", TYPE_VOID, 0, 10) || !AddMember(foo, "get", TYPE_INTEGER, 0, 11) ||
      !AddMember(foo, "f", TYPE_VOID, 2, 12))
    return 1;

  SStringArray body;
  MakeBody(body);
  const int rounds = 5;
  double best = 0;
  int statements = 0;
  for (int r = 0; r < rounds; r++) {
    PCodeInfo code;
    code.SetDefinition(foo);
    code.SetMemberIndex(0);
    auto start = std::chrono::steady_clock::now();
    bool ok = code.Compile(body);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok) {
      std::printf("compilation failed\n");
      return 1;
    }
    statements = code.GetStatementCount();
    double rate = kLines / seconds;
    if (rate > best) best = rate;
  }
  std::printf("%-34s %12.0f lines/s  (%d lines, %d statements, best of %d)\n",
              "Compile member body", best, kLines, statements, rounds);
  return 0;
}
