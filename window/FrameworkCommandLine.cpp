#include "window/FrameworkCommandLine.h"

#include <shellapi.h>

#include <cstdlib>

#include "core/Platform.h"
#include "files/GlobalObjects.h"
#include "files/SPath.h"

namespace {

// The paths are framework objects with static lifetime (GlobalObjects.h).
int ArgumentCount = 0;  // program path included

// Every backslash + double quote becomes backslash + backslash + double
// quote: the splitter then reads one literal backslash and a quote that
// still opens or closes a quoted argument.
SString EscapeBackslashQuotes(const char* commandLine) {
  SString out("");
  for (const char* p = commandLine; *p; p++) {
    if (p[0] == '\\' && p[1] == '"') out.AppendChar('\\');
    out.AppendChar(*p);
  }
  return out;
}

using SplitEntry = LPWSTR*(WINAPI*)(LPCWSTR, int*);

// The system's splitter. The shell's core library carries it too (since
// Windows 8.1), without the window system that the shell library loads.
SplitEntry CommandLineSplitter() {
  static const SplitEntry split = [] {
    HMODULE core = LoadLibraryA("shcore.dll");
    FARPROC entry = core ? GetProcAddress(core, "CommandLineToArgvW") : nullptr;
    if (entry) return reinterpret_cast<SplitEntry>(reinterpret_cast<void*>(entry));
    if (core) FreeLibrary(core);
    return static_cast<SplitEntry>(CommandLineToArgvW);
  }();
  return split;
}

}  // namespace

int ReadCommandLineArgument(const char* commandLine, int index, SString* argument) {
  UniChar* wide = EscapeBackslashQuotes(commandLine ? commandLine : "").ToWide();
  if (!wide) return -1;
  int count = 0;
  LPWSTR* arguments = CommandLineSplitter()(AsWide(wide), &count);
  std::free(wide);
  if (!arguments) return -1;
  if (argument && index >= 0 && index < count)
    *argument = SString(reinterpret_cast<const UniChar*>(arguments[index]));
  LocalFree(arguments);
  return count;
}

void LoadCommandLine(HINSTANCE instance, bool withModulePath) {
  ClearCommandLine();
  SString exe;
  int count = ReadCommandLineArgument(GetCommandLineA(), 0, &exe);
  if (count >= 1) {
    ArgumentCount = count;
    ExePath = exe;
    AppFolderPath = SPath(exe.GetText()).GetFolderWithRoot();
  }
  if (withModulePath) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(instance, path, MAX_PATH);
    // A path cut at the buffer's end is no path at all.
    if (n > 0 && n < MAX_PATH) ModulePath.Assign(path, int(n));
  }
}

void ClearCommandLine() {
  AppFolderPath = "";
  ExePath = "";
  ModulePath = "";
  ArgumentCount = 0;
}

int GetArgumentCount() { return ArgumentCount > 0 ? ArgumentCount - 1 : 0; }

SString GetArgument(int index, bool unquote) {
  SString argument("");
  int count = index >= 0 ? ReadCommandLineArgument(GetCommandLineA(), index + 1, &argument) : -1;
  if (count <= 1 || index >= count - 1) return SString("");
  if (unquote) argument.Unenclose('"');
  return argument;
}

SString GetAppFolder() { return AppFolderPath; }

SString GetExePath() { return ExePath; }

SString GetModulePath() { return ModulePath; }
