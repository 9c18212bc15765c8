// A module function against a built-in member, both with two Float
// arguments and a Float result: Ext_Probe's Scale (x*f, in the project's
// own module library) and Math's angle difference. Measured twice: calls
// straight into the objects with one argument block, and a script's loop of
// one million calls of each. Prints nanoseconds per call and the module's
// ratio to the built-in; checks nothing.
#include <chrono>
#include <cstdio>

#include "classes/PObjFloat.h"
#include "engine/PEngine.h"
#include "engine/PObject.h"
#include "engine/PObjectDefinition.h"
#include "engine/compiler/PSource.h"
#include "files/SFileMem.h"
#include "tools/packwriter/BuiltinClassNaming.h"
#include "tools/packwriter/ProgramTextReader.h"

namespace {

const int kCalls = 1000000;
const uint16_t kScale = 1;            // Ext_Probe
const uint16_t kAngleDifference = 12;  // Math

const char kProgram[] =
    "class Application\n"
    "  Ext_Probe p new\n"
    "  Math m new\n"
    "function Float ModuleLoop()\n"
    "  Integer i\n"
    "  Float s\n"
    "  for i=0;i<1000000;i++\n"
    "    s+=p.Scale(1.5,2.0)\n"
    "  end\n"
    "  return s\n"
    "function Float BuiltinLoop()\n"
    "  Integer i\n"
    "  Float s\n"
    "  for i=0;i<1000000;i++\n"
    "    s+=m.Math.12(1.5,2.0)\n"
    "  end\n"
    "  return s\n";

using Clock = std::chrono::steady_clock;

double NanosecondsPer(Clock::duration d, int n) {
  return std::chrono::duration<double, std::nano>(d).count() / n;
}

// Nanoseconds per call of member on object with args.
double TimeCalls(PObject* object, uint16_t member, PArgs* args) {
  unsigned char eight[8];
  double sum = 0;
  auto start = Clock::now();
  for (int i = 0; i < kCalls; i++) {
    PResultCell cell = eight;
    object->Call(member, args, &cell, nullptr);
    sum += eight[0];
  }
  auto elapsed = Clock::now() - start;
  if (sum < 0) std::printf("%f\n", sum);  // keeps the loop
  return NanosecondsPer(elapsed, kCalls);
}

// Nanoseconds per call of the script loop that member runs.
double TimeLoop(PObject* application, uint16_t member) {
  unsigned char eight[8];
  PResultCell cell = eight;
  auto start = Clock::now();
  application->Call(member, nullptr, &cell, nullptr);
  return NanosecondsPer(Clock::now() - start, kCalls);
}

}  // namespace

int main() {
  PSource source;
  SFileMem text;
  text.Allocate(0);
  text.Write(kProgram, int(sizeof kProgram - 1));
  text.Rewind();
  ProgramTextReader reader(EngineBuiltinNaming());
  if (!reader.Read(&text, "bench", &source)) return std::puts(reader.GetError().GetText()), 1;
  SStringArray modules;
  modules.Add(TAVRIN_MODULE_EXT_PROBE);
  PEngine engine;
  if (!engine.Build("", &source, &modules, true, false)) return std::puts("the program does not build"), 1;
  if (!engine.Start(nullptr)) return std::puts("the program does not start"), 1;

  PObject* probe = engine.FindDefinitionByName("Ext_Probe")->CreateInstance();
  PObject* math = engine.FindDefinitionByName("Math")->CreateInstance();
  PObjFloat* x = engine.NewFloat();
  PObjFloat* f = engine.NewFloat();
  x->SetValue(1.5);
  f->SetValue(2.0);
  PArgBlock<2> args;
  args->Set(0, x);
  args->Set(1, f);
  args->count = 2;

  double module = TimeCalls(probe, kScale, args.Get());
  double builtin = TimeCalls(math, kAngleDifference, args.Get());
  std::printf("direct calls, %d each: module %.1f ns, built-in %.1f ns, ratio %.2f\n", kCalls, module, builtin,
              module / builtin);

  PObjectDefinition* application = engine.GetApplicationDefinition();
  PObject* app = engine.GetApplication();
  double moduleLoop = TimeLoop(app, application->GetMemberId(application->FindMember("ModuleLoop")));
  double builtinLoop = TimeLoop(app, application->GetMemberId(application->FindMember("BuiltinLoop")));
  std::printf("script loops, %d calls each: module %.1f ns, built-in %.1f ns, ratio %.2f\n", kCalls, moduleLoop,
              builtinLoop, moduleLoop / builtinLoop);

  PObject::DeleteObject(x);
  PObject::DeleteObject(f);
  PObject::DeleteObject(probe);
  PObject::DeleteObject(math);
  engine.Stop(false);
  return 0;
}
