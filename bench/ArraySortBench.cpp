// Sorting an IntegerArray as a program does (its member 29): 1,000,000
// integers without a handler, and 100,000 with a compare handler written in
// the script. Prints one line per case, as bench/array-sort/sort.lua prints
// for Lua's table.sort, so that bench/array-sort-compare can set them side
// by side: name, size, median seconds of the runs after a warm-up run
// (process CPU time, as Lua's os.clock), and a check value (the elements at
// a quarter, half and three quarters, joined by ':').
//
//   ArraySortBench [RUNS]
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "classes/PObjInt.h"
#include "classes/PObjIntegerArray.h"
#include "engine/PEngine.h"
#include "engine/PObjStruct.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "engine/PObjectRef.h"
#include "engine/compiler/PSource.h"
#include "files/SFileMem.h"
#include "tools/packwriter/BuiltinClassNaming.h"
#include "tools/packwriter/ProgramTextReader.h"

namespace {

// The application's IntegerArray answers the compare event with the sign
// of a - b, ascending like the built-in order.
const char kProgram[] =
    "class Application\n"
    "  IntegerArray handled new\n"
    "function Void _00000000()\n"
    "message Integer IntegerArray.31(Integer a, Integer b, Integer mode)\n"
    "  return a-b\n";

bool Build(PEngine& engine) {
  SFileMem text;
  text.Allocate(0);
  text.Write(kProgram, int(std::strlen(kProgram)));
  text.Rewind();
  PSource source;
  ProgramTextReader reader(EngineBuiltinNaming());
  if (!reader.Read(&text, "bench", &source) || !engine.Build("", &source, nullptr, true, false)) {
    std::fprintf(stderr, "ArraySortBench: the program does not build\n");
    return false;
  }
  return engine.Start(nullptr);
}

// The same xorshift sequence as sort.lua: 32-bit values, non-negative.
std::vector<int64_t> Values(int n) {
  std::vector<int64_t> v(static_cast<size_t>(n));
  uint32_t x = 2463534242u;
  for (int64_t& value : v) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    value = int64_t(x);
  }
  return v;
}

double Median(std::vector<double> s) {
  std::sort(s.begin(), s.end());
  return s[s.size() / 2];
}

void Run(PEngine& engine, const char* name, PObjIntegerArray* array, int n, int runs) {
  const std::vector<int64_t> values = Values(n);
  std::vector<double> seconds;
  std::string check;
  for (int r = 0; r <= runs; r++) {
    SArray<int64_t>& store = array->GetStore();
    store.SetSize(n, false);
    for (int i = 0; i < n; i++) store.SetAt(i, values[size_t(i)]);
    // The whole array: start 0, end -1, as the script's defaults give them.
    PObjInt* from = engine.NewInteger();
    PObjInt* to = engine.NewInteger();
    to->SetValue(-1);
    PArgBlock<2> range;
    range->Set(0, from);
    range->Set(1, to);
    range->count = 2;
    std::clock_t start = std::clock();
    array->Call(PObjIntegerArray::SORT, range.Get(), nullptr, nullptr);
    double s = double(std::clock() - start) / CLOCKS_PER_SEC;
    if (r > 0) seconds.push_back(s);
    PObject::DeleteObject(from);
    PObject::DeleteObject(to);
    for (int i = 1; i < n; i++) {
      if (store.GetAt(i - 1) > store.GetAt(i)) {
        std::fprintf(stderr, "%s: not sorted at %d\n", name, i);
        break;
      }
    }
    check = std::to_string(store.GetAt(n / 4)) + ":" + std::to_string(store.GetAt(n / 2)) + ":" +
            std::to_string(store.GetAt(3 * n / 4));
  }
  std::printf("%s %d %.4f %s\n", name, n, Median(seconds), check.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  PEngine engine;
  if (!Build(engine)) return 1;
  // Made from the class itself, no one's member: no handler hears it.
  auto* plain = static_cast<PObjIntegerArray*>(
      PObjIntegerArray::New(engine.FindDefinition(PObjIntegerArray::kTypeCode)));
  Run(engine, "plain", plain, 1000000, runs);
  PObject* app = engine.GetApplication();
  PObjectInfo* info = app->GetDefinition()->FindVariable("handled");
  auto* handled = static_cast<PObjIntegerArray*>(static_cast<PObjStruct*>(app)->FindRef(info)->GetRefObject());
  Run(engine, "handler", handled, 100000, runs);
  PObject::DeleteObject(plain);
  engine.Stop(false);
  return 0;
}
