// "Sub_Shapes": a module that gives every number of its tables as a decimal
// text, and exports neither "Tavrin_Delete" nor the two text makers.
//   0 Integer Draw(Integer n=42)   raises Changed(n) and Moved, then answers
//                                  1000*member + 100*(Moved refused) + n
//   1 Float   Size(String w, String h="hi")   10*len(w) + len(h) + member/10
//   2 event Void Changed(Integer n)
//   9 event String Moved()         never delivered: no "Tavrin_MakeString"
#include <cstdint>
#include <cstring>

#include "engine/PluginSDK.h"
#include "tests/engine/modules/ModuleWords.h"

#define EXPORT extern "C"

namespace {

ModuleEventCallback g_events = nullptr;

}  // namespace

EXPORT const char* Tavrin_GetSDKVersion() { return "1.0"; }
EXPORT const char* Tavrin_GetName() { return "Sub_Shapes"; }
EXPORT uint8_t Tavrin_IsControl() { return 0; }
EXPORT uint8_t Tavrin_Init() { return 1; }

EXPORT const PModuleWord* Tavrin_GetConstants() {
  static const PModuleWord table[] = {T("2"), T("BIG"), T("9000000000"),
                                      T("3"), T("HALF"), T("0.5"),
                                      T("4"), T("NAME"), T("shapes"),
                                      0};
  return table;
}

EXPORT const PModuleWord* Tavrin_GetFunctions() {
  static const PModuleWord table[] = {
      T("Draw"), T("2"), T("1"), T("2"), T("n"), T("1"), T("42"),
      T("Size"), T("3"), T("2"), T("4"), T("w"), T("0"), 0, T("9"), T("h"), T("1"), T("hi"),
      0};
  return table;
}

EXPORT const PModuleWord* Tavrin_GetEvents() {
  static const PModuleWord table[] = {T("Changed"), T("9"), T("1"), T("2"), T("n"),
                                      T("Moved@9"), T("4"), T("0"),
                                      0};
  return table;
}

EXPORT ModuleHandle Tavrin_New(void* object, ModuleEventCallback events, ModuleCallMemberCallback) {
  g_events = events;
  return reinterpret_cast<ModuleHandle>(object);
}

EXPORT uint8_t Tavrin_Call(ModuleCallRecord* r) {
  if (r->member == 0) {
    int64_t n = int64_t(r->args[0]);
    g_events(r->object, 2, nullptr, 1, n);
    ModuleEventResult moved = {};
    bool refused = !g_events(r->object, 3, &moved, 0) && moved.text == nullptr;
    r->result.integer = 1000 * r->member + 100 * refused + n;
    return 1;
  }
  const char* w = reinterpret_cast<const char*>(uintptr_t(r->args[0]));
  const char* h = reinterpret_cast<const char*>(uintptr_t(r->args[1]));
  r->result.number = 10.0 * double(std::strlen(w)) + double(std::strlen(h)) + r->member / 10.0;
  return 1;
}
