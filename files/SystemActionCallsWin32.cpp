#include "files/SystemActionCalls.h"

SystemActionCalls& GetSystemActionCalls() {
  static SystemActionCalls calls = {ShellExecuteA, ShellExecuteExA, SHFileOperationA,
                                    SHEmptyRecycleBinA, ExitWindowsEx};
  return calls;
}
