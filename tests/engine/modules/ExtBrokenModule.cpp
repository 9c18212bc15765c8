// A module that is wrong in the way the environment variable
// TAVRIN_BROKEN names (set by the test before the application starts):
//   version    the version "2.0"      noversion  no version text
//   name       the name "Ext_"        noname     no name text
//   descending member numbers 7, 5    repeated   member numbers 3, 3
//   negative   a parameter count -1   at         a member named "Go@"
//   nodefault  a default without text init       "Tavrin_Init" refuses
// Any other value: a sound module "Ext_Sound" with one function "Go".
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "engine/PluginSDK.h"
#include "tests/engine/modules/ModuleWords.h"

#define EXPORT extern "C"

namespace {

bool Is(const char* fault) {
  char value[32] = "";
  GetEnvironmentVariableA("TAVRIN_BROKEN", value, sizeof value);
  return std::strcmp(value, fault) == 0;
}

}  // namespace

EXPORT const char* Tavrin_GetSDKVersion() {
  if (Is("version")) return "2.0";
  return Is("noversion") ? nullptr : "1.0";
}

EXPORT const char* Tavrin_GetName() {
  if (Is("name")) return "Ext_";
  return Is("noname") ? nullptr : "Ext_Sound";
}

EXPORT uint8_t Tavrin_IsControl() { return 0; }

EXPORT uint8_t Tavrin_Init() { return !Is("init"); }

EXPORT const PModuleWord* Tavrin_GetFunctions() {
  static const PModuleWord descending[] = {T("A@7"), 0, 0, T("B@5"), 0, 0, 0};
  static const PModuleWord repeated[] = {T("A@3"), 0, 0, T("B@3"), 0, 0, 0};
  static const PModuleWord negative[] = {T("A"), 0, PModuleWord(-1), 0};
  static const PModuleWord at[] = {T("Go@"), 0, 0, 0};
  static const PModuleWord noDefault[] = {T("Go"), 0, 1, MODULE_STRING, T("s"), 1, 0, 0};
  static const PModuleWord sound[] = {T("Go"), MODULE_INTEGER, 0, 0};
  if (Is("descending")) return descending;
  if (Is("repeated")) return repeated;
  if (Is("negative")) return negative;
  if (Is("at")) return at;
  if (Is("nodefault")) return noDefault;
  return sound;
}
