// "Ext_Pad": a control module. It writes down what the engine did with its
// window: "C" with "[name=value]" for each property at "Tavrin_Create", "R" with
// the client size at each "Tavrin_Resize", "D" at "Tavrin_Destroy", each
// only when the window handle it got is a window. Its one member returns
// that log.
//   0 String Log()
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/PluginSDK.h"
#include "tests/engine/modules/ModuleWords.h"

#define EXPORT extern "C"

namespace {

std::string& Log(ModuleHandle handle) { return *reinterpret_cast<std::string*>(handle); }

}  // namespace

EXPORT const char* Tavrin_GetSDKVersion() { return "1.0"; }
EXPORT const char* Tavrin_GetName() { return "Ext_Pad"; }
EXPORT uint8_t Tavrin_IsControl() { return 1; }
EXPORT uint8_t Tavrin_Init() { return 1; }

EXPORT const PModuleWord* Tavrin_GetFunctions() {
  static const PModuleWord table[] = {T("Log"), MODULE_STRING, 0, 0};
  return table;
}

EXPORT ModuleHandle Tavrin_New(void*, ModuleEventCallback, ModuleCallMemberCallback) {
  return reinterpret_cast<ModuleHandle>(new std::string);
}

EXPORT void Tavrin_Delete(void*, ModuleHandle handle) { delete &Log(handle); }

EXPORT void Tavrin_Create(void*, ModuleHandle handle, uintptr_t window, const char* properties) {
  if (!IsWindow(reinterpret_cast<HWND>(window))) return;
  std::string& log = Log(handle);
  log += "C";
  // Content of its own, which a person (or a test) sees in the window.
  SetWindowTextA(reinterpret_cast<HWND>(window), "pad");
  // Pairs of name and value (which may be empty) until an empty name.
  for (const char* p = properties; p && *p;) {
    const char* value = p + std::strlen(p) + 1;
    log += std::string("[") + p + "=" + value + "]";
    p = value + std::strlen(value) + 1;
  }
}

EXPORT void Tavrin_Resize(void*, ModuleHandle handle, uintptr_t window) {
  RECT r;
  if (!GetClientRect(reinterpret_cast<HWND>(window), &r)) return;
  char size[32];
  std::snprintf(size, sizeof size, "R%ldx%ld", r.right, r.bottom);
  Log(handle) += size;
}

EXPORT void Tavrin_Destroy(void*, ModuleHandle handle, uintptr_t window) {
  if (IsWindow(reinterpret_cast<HWND>(window))) Log(handle) += "D";
}

EXPORT uint8_t Tavrin_Call(ModuleCallRecord* r) {
  const std::string& log = Log(r->handle);
  char* text = r->makeText(int32_t(log.size()));
  if (!text) return 0;
  std::memcpy(text, log.c_str(), log.size() + 1);
  r->result.text = text;
  return 1;
}
