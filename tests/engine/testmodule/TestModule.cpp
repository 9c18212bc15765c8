// A module library of the project's own for the start and stop tests. It
// answers "Tavrin_Init" with true unless TAVRIN_TEST_MODULE_INIT is "0", and
// appends "I" (init) and "U" (uninit) to TAVRIN_TEST_MODULE_CALLS, which
// outlives the library, so a test reads what happened after the unload.
#include <windows.h>

namespace {

const char* const kCalls = "TAVRIN_TEST_MODULE_CALLS";

void Record(const char* call) {
  char calls[256] = "";
  DWORD length = GetEnvironmentVariableA(kCalls, calls, sizeof calls - 2);
  if (length >= sizeof calls - 2) length = 0;
  lstrcatA(calls, call);
  SetEnvironmentVariableA(kCalls, calls);
}

}  // namespace

extern "C" __declspec(dllexport) const char* Tavrin_GetSDKVersion() { return "1.0"; }

extern "C" __declspec(dllexport) const char* Tavrin_GetName() { return "Ext_Test"; }

extern "C" __declspec(dllexport) unsigned char Tavrin_IsControl() { return 0; }

extern "C" __declspec(dllexport) unsigned char Tavrin_Init() {
  Record("I");
  char answer[4] = "";
  GetEnvironmentVariableA("TAVRIN_TEST_MODULE_INIT", answer, sizeof answer);
  return lstrcmpA(answer, "0") != 0;
}

extern "C" __declspec(dllexport) void Tavrin_Uninit() { Record("U"); }
