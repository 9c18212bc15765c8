// A folder of its own in the temporary folder for one test, emptied and
// removed afterwards, built and inspected with the platform's own calls so
// that the code under test never checks itself. Under Wine it can also make
// Unix symbolic links, which Wine shows as folder links.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

class ScratchFolder {
 public:
  ScratchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char longTemp[MAX_PATH];
    if (GetLongPathNameA(temp, longTemp, MAX_PATH)) std::strcpy(temp, longTemp);
    static int serial = 0;
    for (;;) {
      m_path = std::string(temp) + "tavrin-disk-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++serial) + "\\";
      if (CreateDirectoryA(m_path.c_str(), nullptr)) break;
      if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
  }
  ~ScratchFolder() {
    std::string folder = m_path.substr(0, m_path.size() - 1);
    RemoveTree(folder);
    // Wine hides a Unix link whose target is gone, and then the folder
    // that holds it can't be emptied; the host's rm sees it.
    if (Exists(folder) && UnderWine()) {
      RunUnix("Z:\\bin\\rm -rf \"" + UnixPath(folder) + "\"");
      WaitFor(folder, false);
    }
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder, with its final backslash, and paths inside it.
  const std::string& Path() const { return m_path; }
  std::string operator[](const std::string& relative) const { return m_path + relative; }

  void MakeFolder(const std::string& relative) const {
    ASSERT_TRUE(CreateDirectoryA((*this)[relative].c_str(), nullptr)) << relative;
  }
  void MakeFile(const std::string& relative, const std::string& content) const {
    HANDLE file = CreateFileA((*this)[relative].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << relative;
    DWORD written = 0;
    WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, content.size());
  }

  static bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  static std::string Read(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    char buffer[4096];
    DWORD got = 0;
    ReadFile(file, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(file);
    return std::string(buffer, got);
  }

  // ---- Links ------------------------------------------------------------------------

  static bool UnderWine() { return WineUnixName() != nullptr; }

  // A folder link at link that shows target: a Unix symbolic link under
  // Wine, a symbolic link (or failing that a junction) on Windows. False
  // when the system can make neither.
  static bool MakeFolderLink(const std::string& link, const std::string& target) {
    if (UnderWine()) {
      RunUnix("Z:\\bin\\ln -s \"" + UnixPath(target) + "\" \"" + UnixPath(link) + "\"");
      return WaitFor(link, true);
    }
    const DWORD kDirectory = 1, kUnprivileged = 2;
    if (CreateSymbolicLinkA(link.c_str(), target.c_str(), kDirectory | kUnprivileged))
      return Exists(link);
    RunWindows("cmd.exe /c mklink /J \"" + link + "\" \"" + target + "\"");
    return Exists(link);
  }

  // Removes a link whatever the system makes of it, without touching what
  // it shows.
  static void RemoveLink(const std::string& link) {
    if (RemoveDirectoryA(link.c_str()) || DeleteFileA(link.c_str())) return;
    if (UnderWine()) {
      RunUnix("Z:\\bin\\rm -f \"" + UnixPath(link) + "\"");
      WaitFor(link, false);
    }
  }

 private:
  typedef char*(CDECL* UnixNameFunction)(const WCHAR*);

  static UnixNameFunction WineUnixName() {
    return reinterpret_cast<UnixNameFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  }

  static std::string UnixPath(const std::string& path) {
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* unix = WineUnixName()(wide);
    std::string result = unix ? unix : "";
    if (unix) HeapFree(GetProcessHeap(), 0, unix);
    return result;
  }

  // Wine starts a Unix program like any other; its process handle can't be
  // waited for, so callers wait for the program's effect instead.
  static void RunUnix(const std::string& command) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> text(command.begin(), command.end());
    text.push_back(0);
    CreateProcessA(nullptr, text.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                   &process);
  }

  static void RunWindows(const std::string& command) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> text(command.begin(), command.end());
    text.push_back(0);
    if (!CreateProcessA(nullptr, text.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
      return;
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }

  static bool WaitFor(const std::string& path, bool present) {
    for (int i = 0; i < 100; i++) {
      if (Exists(path) == present) return true;
      Sleep(50);
    }
    return false;
  }

  // Depth first, never through a link: a link is removed as itself.
  static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = folder + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
          RemoveLink(path);
        else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveTree(path);
        else
          DeleteFileA(path.c_str());
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
  }

  std::string m_path;
};
