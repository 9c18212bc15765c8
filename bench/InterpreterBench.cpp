// The stack machine on small programs (interpreter/programs.txt): deep
// recursion, a counted loop, member calls on a user object, a text grown by
// appends, Float arithmetic, String building and searching, user objects
// made and deleted, calls with three arguments of different classes, events
// handled by the owner and an insertion sort over an IntegerArray. Prints one line per program, the same as
// interpreter/programs.lua prints for Lua so that bench/lua-compare can set
// them side by side: name, size, median seconds of the runs after a warm-up
// run (process CPU time, as Lua's os.clock), and the program's result.
//
//   InterpreterBench [PROGRAM.txt] [RUNS] [NAME]   (NAME: only that program,
//                                                  for a profiler)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "classes/PObjInt.h"
#include "engine/PEngine.h"
#include "engine/PObject.h"
#include "engine/PObjectDefinition.h"
#include "engine/compiler/PSource.h"
#include "files/SFileMem.h"
#include "tools/packwriter/BuiltinClassNaming.h"
#include "tools/packwriter/ProgramTextReader.h"

namespace {

struct Program {
  const char* member;
  const char* name;
  int64_t size;
};

const Program kPrograms[] = {
    {"Fib", "fib", 27},
    {"Loop", "loop", 10000000},
    {"Calls", "calls", 1000000},
    {"Appends", "appends", 1048576},
    {"Floats", "floats", 5000000},
    {"Strings", "strings", 200000},
    {"Objects", "objects", 1000000},
    {"Mixed", "mixed", 1000000},
    {"Events", "events", 1000000},
    {"Sort", "sort", 2000},
};

bool Build(PEngine& engine, const char* path) {
  SFileMem text;
  if (!text.LoadFile(path)) {
    std::fprintf(stderr, "%s: cannot read the program\n", path);
    return false;
  }
  PSource source;
  ProgramTextReader reader(EngineBuiltinNaming());
  if (!reader.Read(&text, path, &source)) {
    std::fprintf(stderr, "%s\n", reader.GetError().GetText());
    return false;
  }
  if (!engine.Build("", &source, nullptr, true, false)) {
    const PEngine::PBuildFailure& f = engine.GetBuildFailure();
    std::fprintf(stderr, "%s: build failed: %s %s line %d: %s\n", path, f.className.GetText(),
                 f.memberName.GetText(), f.line, f.reason.GetText());
    return false;
  }
  return engine.Start(nullptr);
}

// Calls the Application's member with one Integer argument as the engine
// would; false when the member is missing or its call fails.
bool CallInt(PEngine& engine, const char* member, int64_t argument, int64_t* result) {
  PObject* app = engine.GetApplication();
  int number = app->GetDefinition()->FindMember(member);
  if (number < 0) return false;
  PObjInt* n = engine.NewInteger();
  n->SetValue(argument);
  PArgBlock<1> args;
  args->count = 1;
  args->Set(0, n);
  PResultCell cell = result;
  bool ok = app->Call(uint16_t(number), args.Get(), &cell, nullptr);
  PObject::DeleteObject(n);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : TAVRIN_BENCH_PROGRAMS;
  int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  if (runs < 1) runs = 1;
  const char* only = argc > 3 ? argv[3] : nullptr;
  PEngine engine;
  if (!Build(engine, path)) return 1;
  for (const Program& p : kPrograms) {
    if (only && std::strcmp(only, p.name) != 0) continue;
    std::vector<double> seconds;
    int64_t result = 0;
    // Run 0 is not timed: the first runs of a program also pay for growing
    // the process's heap, on either side.
    for (int r = 0; r <= runs; r++) {
      std::clock_t start = std::clock();
      if (!CallInt(engine, p.member, p.size, &result)) {
        std::fprintf(stderr, "%s failed\n", p.member);
        return 1;
      }
      if (r) seconds.push_back(double(std::clock() - start) / CLOCKS_PER_SEC);
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%s %lld %.6f %lld\n", p.name, static_cast<long long>(p.size), seconds[(runs - 1) / 2],
                static_cast<long long>(result));
    std::fflush(stdout);
  }
  engine.Stop(false);
  return 0;
}
