// SSystem: the version, ending the session, names and the screen.
#include "files/SSystem.h"

#include "files/SRegistry.h"
#include "files/SystemActionCalls.h"

namespace {

// Shutdown reason: planned, other.
const DWORD kPlannedReason = 0x80000000;

// Shutting down and restarting need the privilege enabled in the
// process's token; when that fails the system's answer says so.
void EnableShutdownPrivilege() {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
    return;
  TOKEN_PRIVILEGES privileges;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  CloseHandle(token);
}

}  // namespace

namespace SSystem {

// ---- Version, shutdown and logoff -----------------------------------------------------

int OSVersionFromNumbers(DWORD platformId, DWORD major, DWORD minor) {
  if (platformId == VER_PLATFORM_WIN32_WINDOWS && major == 4) {
    if (minor == 0) return OS_95;
    if (minor == 10) return OS_98;
    if (minor == 90) return OS_ME;
  }
  if (platformId == VER_PLATFORM_WIN32_NT) {
    if (major == 4 && minor == 0) return OS_NT4;
    if (major == 5 && minor == 0) return OS_2K;
    if (major == 5 && (minor == 1 || minor == 2)) return OS_XP;
    if (major == 6 && minor == 0) return OS_VISTA;
    if (major == 6 && minor == 1) return OS_SEVEN;
    if (major == 6 && minor == 2) return OS_EIGHT;
  }
  return OS_UNKNOWN;
}

int GetOSVersion() {
  OSVERSIONINFOA info;
  ZeroMemory(&info, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return 0;
  return OSVersionFromNumbers(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

bool IsNtFamily() {
  int version = GetOSVersion();
  return version != OS_95 && version != OS_98 && version != OS_ME;
}

int ShutDown() {
  EnableShutdownPrivilege();
  return GetSystemActionCalls().exitWindows(EWX_SHUTDOWN | EWX_FORCEIFHUNG, kPlannedReason);
}

int Reboot() {
  EnableShutdownPrivilege();
  return GetSystemActionCalls().exitWindows(EWX_REBOOT | EWX_FORCEIFHUNG, kPlannedReason);
}

int LogOff() {
  return GetSystemActionCalls().exitWindows(EWX_LOGOFF | EWX_FORCEIFHUNG, kPlannedReason);
}

// ---- Names ---------------------------------------------------------------------------------

SString GetComputerName() {
  char name[255];
  DWORD size = sizeof name;
  return ::GetComputerNameA(name, &size) ? SString(name) : SString("");
}

SString GetUserName() {
  char name[255];
  DWORD size = sizeof name;
  return ::GetUserNameA(name, &size) ? SString(name) : SString("");
}

SString GetRegisteredOwner() {
  return SRegistry::ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                               "RegisteredOwner");
}

SString GetKeyboardLocaleName() {
  LANGID language = LOWORD(reinterpret_cast<UINT_PTR>(GetKeyboardLayout(0)));
  char name[1024];
  if (!GetLocaleInfoA(MAKELCID(language, SORT_DEFAULT), LOCALE_SENGCOUNTRY, name, sizeof name))
    return SString("");
  return SString(name);
}

// ---- Screen --------------------------------------------------------------------------------

int GetScreenDepth() {
  HDC screen = GetDC(nullptr);
  if (!screen) return 0;
  int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return bits;
}

int GetMonitorWidth() { return GetSystemMetrics(SM_CXSCREEN); }

int GetMonitorHeight() { return GetSystemMetrics(SM_CYSCREEN); }

RECT GetWorkArea(HMONITOR monitor) {
  RECT area = {0, 0, 0, 0};
  if (!monitor) {
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) area = RECT{0, 0, 0, 0};
    return area;
  }
  MONITORINFO info;
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) area = info.rcWork;
  return area;
}

}  // namespace SSystem
