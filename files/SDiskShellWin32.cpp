// SDisk's shell services: running files, opening folders, the recycle bin
// and shortcut files.
#include "files/SDisk.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>

#include "files/SPath.h"
#include "files/SystemActionCalls.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// ShellExecute answers an HINSTANCE that is an error code up to 32.
bool Started(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; }

// COM for the length of one call, on whatever thread makes it. A thread
// already in another apartment keeps it and can use COM all the same.
class ComScope {
 public:
  ComScope() : m_owned(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (m_owned) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool m_owned;
};

// One interface pointer, released when it goes out of scope.
template <class T>
class ComHolder {
 public:
  ComHolder() : m_pointer(nullptr) {}
  ~ComHolder() {
    if (m_pointer) m_pointer->Release();
  }
  ComHolder(const ComHolder&) = delete;
  ComHolder& operator=(const ComHolder&) = delete;

  T* operator->() const { return m_pointer; }
  void** Out() { return reinterpret_cast<void**>(&m_pointer); }

 private:
  T* m_pointer;
};

}  // namespace

bool SDisk::Execute(const char* file, const char* parameters, bool wait, bool inItsFolder,
                    int showCommand) {
  if (!file) return false;
  SPath path(file);
  SString full = path.GetFullPath();
  if (!FileExists(full.GetText())) return false;
  SString folder = path.GetFolderWithRoot();
  SystemActionCalls& calls = GetSystemActionCalls();
  if (!wait) {
    return Started(calls.shellExecute(nullptr, "open", full.GetText(), parameters,
                                      inItsFolder ? folder.GetText() : "", showCommand));
  }
  SHELLEXECUTEINFOA info;
  std::memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpVerb = "open";
  info.lpFile = full.GetText();
  info.lpParameters = parameters;
  info.lpDirectory = inItsFolder ? folder.GetText() : nullptr;
  info.nShow = showCommand;
  if (!calls.shellExecuteEx(&info)) return false;
  // No process comes back when the shell handed the file to a program
  // that was already running.
  if (info.hProcess) {
    WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hProcess);
  }
  return true;
}

bool SDisk::OpenFolder(const char* folder, int showCommand) {
  if (!FolderExists(folder)) return false;
  return Started(GetSystemActionCalls().shellExecute(nullptr, "open", folder, nullptr, nullptr,
                                                     showCommand));
}

bool SDisk::ExploreFolder(const char* folder, int showCommand) {
  if (!folder) return false;
  return Started(GetSystemActionCalls().shellExecute(nullptr, "explore", folder, nullptr, nullptr,
                                                     showCommand));
}

bool SDisk::ShellFileOperation(const char* path, HWND__* owner, bool showProgress, bool confirm) {
  if (!path) return false;
  SPath checked(path);
  // A drive's root would name its current folder once its separator is cut.
  if (!checked.IsValid() || checked.IsRoot()) return false;
  SString full = checked.GetFullPath();
  if (IsSeparator(full.GetAt(full.GetLength() - 1))) full.SetLength(full.GetLength() - 1, true);
  // The shell takes a list of names, each ended by a NUL, the list by another.
  int n = full.GetLength();
  char* names = static_cast<char*>(std::calloc(size_t(n) + 2, 1));
  if (!names) return false;
  std::memcpy(names, full.GetText(), size_t(n));

  SHFILEOPSTRUCTA operation;
  std::memset(&operation, 0, sizeof operation);
  operation.hwnd = owner;
  operation.wFunc = FO_DELETE;
  operation.pFrom = names;
  operation.fFlags = FOF_ALLOWUNDO;
  if (!showProgress) operation.fFlags |= FOF_SILENT | FOF_NOERRORUI;
  if (!confirm) operation.fFlags |= FOF_NOCONFIRMATION;
  bool done = GetSystemActionCalls().shellFileOperation(&operation) == 0 &&
              !operation.fAnyOperationsAborted;
  std::free(names);
  return done;
}

bool SDisk::EmptyRecycleBin(HWND__* owner, bool showProgress, bool confirm) {
  DWORD flags = 0;
  if (!confirm) flags |= SHERB_NOCONFIRMATION;
  if (!showProgress) flags |= SHERB_NOPROGRESSUI | SHERB_NOSOUND;
  return GetSystemActionCalls().emptyRecycleBin(owner, nullptr, flags) == S_OK;
}

bool SDisk::CreateShortcut(const char* linkPath, const char* target, const char* description,
                           bool createFolders) {
  if (!linkPath || !*linkPath || !target) return false;
  SPath targetPath(target);
  if (!targetPath.IsValid()) return false;
  if (createFolders) {
    SString link(linkPath);
    int cut = link.GetLength() - 1;
    while (cut >= 0 && !IsSeparator(link.GetAt(cut))) cut--;
    if (cut >= 0) CreateFolder(link.Left(cut + 1).GetText(), true);
  }

  ComScope com;
  ComHolder<IShellLinkA> shellLink;
  ComHolder<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              shellLink.Out())) ||
      FAILED(shellLink->QueryInterface(IID_IPersistFile, file.Out())))
    return false;
  if (FAILED(shellLink->SetPath(targetPath.GetFullPath().GetText())) ||
      FAILED(shellLink->SetWorkingDirectory(targetPath.GetFolderWithRoot().GetText())) ||
      FAILED(shellLink->SetDescription(description ? description : "")))
    return false;
  UniChar* wide = SString(linkPath).ToWide();
  if (!wide) return false;
  HRESULT saved = file->Save(AsWide(wide), TRUE);
  std::free(wide);
  return saved == S_OK;
}
