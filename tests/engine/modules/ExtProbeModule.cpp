// "Ext_Probe": a module that uses the whole plug-in interface as a module
// author would, for the packed programs and the engine's tests. Its member
// "Fire" raises events through both callbacks and answers with a code of
// what came back, so that a script sees what the module saw.
//
// Members, by number (functions first, then events):
//   0 Integer Add(Integer a, Integer b=-5)      a+b
//   1 Float   Scale(Float x, Float f=2.5)       x*f
//   2 String  Greet(String who="world")         "hello " + who
//   3 UniString Wide(UniString s="ab")          s reversed
//   4 Integer Fire(Integer mode)                events, see Fire
//   5 Void    Timer(Integer ms)                 Tick(ms) once, from a timer
//   6 Integer Fail()                            the call fails
//   7 String  Slots(Integer i, String v, String s, UniString u)  the slots seen
//     (v is declared with type number 1, which reads as String), then
//     any slots past the four in hexadecimal
//   8 event Integer Changed(Integer n)
//  20 event String Named(String s)
//  21 event Void Many(Integer a .. Integer h)
//  22 event Void Tick(Integer n)
//  23 event Float Sum(Float x, Float y)
//  24 event UniString Echo(UniString s)
//  25 event Void Unheard()
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/SValue.h"
#include "engine/PluginSDK.h"
#include "tests/engine/modules/ModuleWords.h"

#define EXPORT extern "C"

namespace {

// Positions of the events in the class (for the event callback).
enum { CHANGED = 8, NAMED = 9, MANY = 10, TICK = 11, SUM = 12, ECHO = 13, UNHEARD = 14 };

struct Probe {
  void* object;
  ModuleEventCallback events;
  ModuleCallMemberCallback members;
  UINT_PTR timer;
  int64_t tickValue;
};

// One timer at a time; its procedure finds the object here.
Probe* g_timed = nullptr;

void StopTimer(Probe* probe) {
  if (probe->timer) KillTimer(nullptr, probe->timer);
  probe->timer = 0;
  if (g_timed == probe) g_timed = nullptr;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  Probe* probe = g_timed;
  if (!probe) return;
  StopTimer(probe);
  probe->events(probe->object, TICK, nullptr, 1, probe->tickValue);
}

// The text the module got back, freed as its owner.
bool TakeText(char* text, const char* expected) {
  bool same = text && std::strcmp(text, expected) == 0;
  std::free(text);
  return same;
}

bool TakeUniText(UniChar* text, const UniChar* expected) {
  bool same = text && lstrcmpW(reinterpret_cast<LPCWSTR>(text), reinterpret_cast<LPCWSTR>(expected)) == 0;
  std::free(text);
  return same;
}

// Each mode answers with digits, one per check, 1 for what it expected.
int64_t Fire(Probe* p, int64_t mode) {
  ModuleEventResult r = {};
  switch (mode) {
    case 1:  // the handler's Integer result
      if (!p->events(p->object, CHANGED, &r, 1, int64_t(7))) return -1;
      return r.value.integer;
    case 2: {  // counts other than the handler's are refused, 8 arguments delivered, 9 not
      bool two = p->events(p->object, CHANGED, &r, 2, int64_t(1), int64_t(2));
      bool none = p->events(p->object, CHANGED, &r, 0);
      bool eight = p->events(p->object, MANY, nullptr, 8, int64_t(1), int64_t(2), int64_t(3),
                             int64_t(4), int64_t(5), int64_t(6), int64_t(7), int64_t(8));
      bool nine = p->events(p->object, MANY, nullptr, 9, int64_t(1), int64_t(2), int64_t(3),
                            int64_t(4), int64_t(5), int64_t(6), int64_t(7), int64_t(8), int64_t(9));
      bool past = p->events(p->object, 99, &r, 0);
      return 10000 * !two + 1000 * !none + 100 * eight + 10 * !nine + !past;
    }
    case 3: {  // String results: a text, and an empty text for none
      ModuleEventResult a = {}, b = {};
      bool got = p->events(p->object, NAMED, &a, 1, "x") && TakeText(a.text, "gotx");
      bool empty = p->events(p->object, NAMED, &b, 1, "y") && TakeText(b.text, "");
      bool noRecord = p->events(p->object, NAMED, nullptr, 1, "x");
      return 100 * got + 10 * empty + !noRecord;
    }
    case 4: {  // Float and UniString results
      ModuleEventResult s = {}, e = {};
      bool sum = p->events(p->object, SUM, &s, 2, 1.25, 2.0) && s.value.number == 3.25;
      bool echo = p->events(p->object, ECHO, &e, 1, u"\u00e9t\u00e9") && TakeUniText(e.uniText, u"\u00e9t\u00e9");
      return 10 * sum + echo;
    }
    case 5: {  // by number, with values
      SValue x, y, name;
      x.SetDouble(1.5);
      y.SetString("2");
      name.SetString("x");
      SArray<SValue*> pair, one, none;
      pair.Add(&x);
      pair.Add(&y);
      one.Add(&name);
      uint8_t noHandler = 9;
      double sum = 0;
      bool summed = p->members(p->object, 23, &sum, &pair, &noHandler) && sum == 3.5 && noHandler == 0;
      char* text = nullptr;
      bool named = p->members(p->object, 20, &text, &one, &noHandler) && TakeText(text, "gotx");
      bool wrongCount = p->members(p->object, 20, &text, &pair, &noHandler);
      bool unknown = p->members(p->object, 99, &sum, &none, &noHandler);
      bool unheard = p->members(p->object, 25, nullptr, &none, &noHandler);
      return 10000 * summed + 1000 * named + 100 * !wrongCount + 10 * !unknown + (!unheard && noHandler == 1);
    }
    default: return 0;
  }
}

char* FormatText(ModuleCallRecord* r, const char* text) {
  char* out = r->makeText(int32_t(std::strlen(text)));
  if (out) std::strcpy(out, text);
  return out;
}

}  // namespace

EXPORT const char* Tavrin_GetSDKVersion() { return "1.0"; }
EXPORT const char* Tavrin_GetName() { return "Ext_Probe"; }
EXPORT uint8_t Tavrin_IsControl() { return 0; }
EXPORT uint8_t Tavrin_Init() { return 1; }
EXPORT void Tavrin_Uninit() {}

EXPORT const PModuleWord* Tavrin_GetConstants() {
  static const PModuleWord table[] = {
      MODULE_CONSTANT_INTEGER, T("LIMIT"), PModuleWord(-100),
      MODULE_CONSTANT_FLOAT, T("RATIO"), T("2.5"),
      MODULE_CONSTANT_STRING, T("LABEL"), T("probe"),
      7, T("SKIPPED"), 0,
      MODULE_CONSTANT_INTEGER, T("LIMIT"), 5,  // taken already: skipped
      0};
  return table;
}

EXPORT const PModuleWord* Tavrin_GetFunctions() {
  static const PModuleWord table[] = {
      T("Add"), MODULE_INTEGER, 2, MODULE_INTEGER, T("a"), 0, 0, MODULE_INTEGER, T("b"), 1, PModuleWord(-5),
      T("Scale"), MODULE_FLOAT, 2, MODULE_FLOAT, T("x"), 0, 0, MODULE_FLOAT, T("f"), 1, T("2.5"),
      T("Greet"), MODULE_STRING, 1, MODULE_STRING, T("who"), 1, T("world"),
      T("Wide"), MODULE_UNISTRING, 1, MODULE_UNISTRING, T("s"), 1, T("ab"),
      T("Fire"), MODULE_INTEGER, 1, MODULE_INTEGER, T("mode"), 0, 0,
      T("Timer"), 0, 1, MODULE_INTEGER, T("ms"), 0, 0,
      T("Fail"), MODULE_INTEGER, 0,
      // Type 1 is no class of the table: the parameter is a String.
      T("Slots"), MODULE_STRING, 4, MODULE_INTEGER, T("i"), 0, 0, 1, T("v"), 0, 0, MODULE_STRING, T("s"), 0, 0,
      MODULE_UNISTRING, T("u"), 0, 0,
      0};
  return table;
}

EXPORT const PModuleWord* Tavrin_GetEvents() {
  static const PModuleWord table[] = {
      T("Changed"), MODULE_INTEGER, 1, MODULE_INTEGER, T("n"),
      T("Named@20"), MODULE_STRING, 1, MODULE_STRING, T("s"),
      T("Many@21"), 0, 8, MODULE_INTEGER, T("a"), MODULE_INTEGER, T("b"), MODULE_INTEGER, T("c"),
      MODULE_INTEGER, T("d"), MODULE_INTEGER, T("e"), MODULE_INTEGER, T("f"), MODULE_INTEGER, T("g"),
      MODULE_INTEGER, T("h"),
      T("Tick@22"), 0, 1, MODULE_INTEGER, T("n"),
      T("Sum@23"), MODULE_FLOAT, 2, MODULE_FLOAT, T("x"), MODULE_FLOAT, T("y"),
      T("Echo@24"), MODULE_UNISTRING, 1, MODULE_UNISTRING, T("s"),
      T("Unheard@25"), 0, 0,
      0};
  return table;
}

EXPORT ModuleHandle Tavrin_New(void* object, ModuleEventCallback events, ModuleCallMemberCallback members) {
  Probe* probe = new Probe{object, events, members, 0, 0};
  return reinterpret_cast<ModuleHandle>(probe);
}

EXPORT void Tavrin_Delete(void*, ModuleHandle handle) {
  Probe* probe = reinterpret_cast<Probe*>(handle);
  StopTimer(probe);
  delete probe;
}

EXPORT uint8_t Tavrin_Call(ModuleCallRecord* r) {
  Probe* p = reinterpret_cast<Probe*>(r->handle);
  const uint64_t* a = r->args;
  auto number = [a](int i) {
    double x;
    std::memcpy(&x, &a[i], sizeof x);
    return x;
  };
  auto text = [a](int i) { return reinterpret_cast<const char*>(uintptr_t(a[i])); };
  switch (r->member) {
    case 0: r->result.integer = int64_t(a[0]) + int64_t(a[1]); return 1;
    case 1: r->result.number = number(0) * number(1); return 1;
    case 2: {
      char buffer[256];
      std::snprintf(buffer, sizeof buffer, "hello %s", text(0));
      r->result.text = FormatText(r, buffer);
      return 1;
    }
    case 3: {
      const UniChar* s = reinterpret_cast<const UniChar*>(uintptr_t(a[0]));
      int n = lstrlenW(reinterpret_cast<LPCWSTR>(s));
      UniChar* out = r->makeUniText(n);
      for (int i = 0; i < n; i++) out[i] = s[n - 1 - i];
      out[n] = 0;
      r->result.text = out;
      return 1;
    }
    case 4: r->result.integer = Fire(p, int64_t(a[0])); return 1;
    case 5:
      StopTimer(p);
      p->tickValue = int64_t(a[0]);
      g_timed = p;
      p->timer = SetTimer(nullptr, 0, UINT(a[0]), &OnTimer);
      return p->timer != 0;
    case 6: return 0;
    case 7: {
      char buffer[256];
      int n = std::snprintf(buffer, sizeof buffer, "%d:%lld,%s,%s,%d", r->count, (long long)a[0], text(1),
                            text(2), lstrlenW(reinterpret_cast<LPCWSTR>(uintptr_t(a[3]))));
      // Slots past the declared parameters, as they are.
      for (int i = 4; i < r->count && n < 200; i++)
        n += std::snprintf(buffer + n, sizeof buffer - n, ",%llx", (unsigned long long)a[i]);
      r->result.text = FormatText(r, buffer);
      return 1;
    }
    default: return 0;
  }
}

EXPORT char* Tavrin_MakeString(int32_t n) { return static_cast<char*>(std::malloc(size_t(n) + 1)); }

EXPORT UniChar* Tavrin_MakeUniString(int32_t n) {
  return static_cast<UniChar*>(std::malloc((size_t(n) + 1) * sizeof(UniChar)));
}
