// SSystem: counting the running instances of a program, and the program
// that opens files of an extension.
#define PSAPI_VERSION 1  // psapi.dll's names, which every Windows has
#include "files/SSystem.h"

#include <psapi.h>
#include <shlwapi.h>

#include "files/SPath.h"
#include "files/SRegistry.h"

namespace {

const int kMaxProcesses = 1024;
const int kMaxModules = 1024;

// How many modules of the process have that file name, case ignored.
int CountModules(DWORD processId, const char* path) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!process) return 0;
  HMODULE modules[kMaxModules];
  DWORD bytes = 0;
  int count = 0;
  if (EnumProcessModules(process, modules, sizeof modules, &bytes)) {
    int n = int(bytes / sizeof(HMODULE));
    if (n > kMaxModules) n = kMaxModules;
    for (int i = 0; i < n; i++) {
      char name[260];
      if (GetModuleFileNameExA(process, modules[i], name, sizeof name) && _stricmp(name, path) == 0)
        count++;
    }
  }
  CloseHandle(process);
  return count;
}

}  // namespace

namespace SSystem {

int CountProcesses(const char* path) {
  char own[MAX_PATH];
  if (!path || !*path) {
    // The executable's module file name: the very text that the process
    // list reports for it.
    DWORD n = GetModuleFileNameA(nullptr, own, sizeof own);
    if (n == 0 || n >= sizeof own) return 0;
    path = own;
  }
  DWORD processes[kMaxProcesses];
  DWORD bytes = 0;
  if (!EnumProcesses(processes, sizeof processes, &bytes)) return 0;
  int count = 0;
  for (DWORD i = 0; i < bytes / sizeof(DWORD); i++) count += CountModules(processes[i], path);
  return count;
}

bool SetFileAssociation(const char* extension, const char* programPath, const char* parameters) {
  SString name(extension);
  if (name.GetAt(0) == '.') name.Delete(0, 1);
  if (name.GetLength() == 0) return false;
  for (int i = 0; i < name.GetLength(); i++) {
    if (!name.IsDigitAt(i) && !name.IsAlphaAt(i)) return false;
  }
  name.MakeLower();
  SString key = SString(".") + name;
  SString commandKey = key + "\\shell\\open\\command";

  // Without a program's path on a disk the command would open nothing, and
  // the old association would be lost for it.
  SPath program(programPath);
  if (!program.IsLocal() && !program.IsNetwork()) return false;
  SString command = SString("\"") + program.GetFullPath() + "\"" + (parameters ? parameters : "") +
                    " \"%1\"";
  SString current = SRegistry::ReadString(HKEY_CLASSES_ROOT, commandKey.GetText(), "");
  if (current.CompareNoCase(command.GetText()) == 0) return true;
  // The old association goes whole, verbs and all; an extension that had
  // none is no failure, any other refusal is.
  DWORD deleted = SHDeleteKeyA(HKEY_CLASSES_ROOT, key.GetText());
  if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) return false;
  return SRegistry::WriteString(HKEY_CLASSES_ROOT, commandKey.GetText(), "", command.GetText());
}

}  // namespace SSystem
