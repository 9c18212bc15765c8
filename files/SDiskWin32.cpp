// The Windows services of SDisk: folders, drives and volumes, and names.
#include "files/SDisk.h"

#include <windows.h>
#include <direct.h>
#include <shlobj.h>

#include <cstdlib>

#include "core/SStringArray.h"

namespace {

// The text with one backslash at its end, whether or not it had one: a
// drive root such as "C:\" must not come back as "C:\\".
SString WithBackslash(const char* text) {
  SString folder(text);
  if (folder.GetAt(folder.GetLength() - 1) != '\\') folder += "\\";
  return folder;
}

// The shell's folder of that CSIDL, or "" when the system has none.
SString SpecialFolder(int csidl, char* buffer) {
  LPITEMIDLIST items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return SString("");
  buffer[0] = 0;
  BOOL found = SHGetPathFromIDListA(items, buffer);
  CoTaskMemFree(items);
  if (!found || !buffer[0]) return SString("");
  return WithBackslash(buffer);
}

SString DriveRoot(char letter) {
  char root[] = {letter, ':', '\\', 0};
  return SString(root);
}

}  // namespace

// ---- Folders ---------------------------------------------------------------------------

SString SDisk::GetTempFolder() {
  DWORD n = GetTempPathA(sizeof m_buffer, m_buffer);
  if (n == 0 || n >= sizeof m_buffer) return SString();
  char longPath[sizeof m_buffer];
  n = GetLongPathNameA(m_buffer, longPath, sizeof longPath);
  SString folder(n > 0 && n < sizeof longPath ? longPath : m_buffer);
  if (folder.GetAt(folder.GetLength() - 1) == '\\') folder.SetLength(folder.GetLength() - 1, true);
  if (m_folderFlag) folder += "\\";
  return folder;
}

SString SDisk::GetCookiesFolder() { return SpecialFolder(CSIDL_COOKIES, m_buffer); }
SString SDisk::GetDesktopFolder() { return SpecialFolder(CSIDL_DESKTOPDIRECTORY, m_buffer); }
SString SDisk::GetDocumentsFolder() { return SpecialFolder(CSIDL_PERSONAL, m_buffer); }
SString SDisk::GetFavoritesFolder() { return SpecialFolder(CSIDL_FAVORITES, m_buffer); }
SString SDisk::GetFontsFolder() { return SpecialFolder(CSIDL_FONTS, m_buffer); }
SString SDisk::GetProgramFilesFolder() { return SpecialFolder(CSIDL_PROGRAM_FILES, m_buffer); }
SString SDisk::GetRecentFolder() { return SpecialFolder(CSIDL_RECENT, m_buffer); }
SString SDisk::GetProgramsFolder() { return SpecialFolder(CSIDL_PROGRAMS, m_buffer); }

SString SDisk::GetSystemFolder() {
  UINT n = GetSystemDirectoryA(m_buffer, sizeof m_buffer);
  return n > 0 && n < sizeof m_buffer ? WithBackslash(m_buffer) : SString("");
}

SString SDisk::GetWindowsFolder() {
  UINT n = GetWindowsDirectoryA(m_buffer, sizeof m_buffer);
  return n > 0 && n < sizeof m_buffer ? WithBackslash(m_buffer) : SString("");
}

// Quick Launch lives in the user's application data, not under the Windows
// folder (that was only so on Windows 9x).
SString SDisk::GetQuickLaunchFolder() {
  SString data = SpecialFolder(CSIDL_APPDATA, m_buffer);
  if (data.GetLength() == 0) return data;
  return data + "Microsoft\\Internet Explorer\\Quick Launch\\";
}

SString SDisk::GetCurrentFolder() {
  DWORD n = GetCurrentDirectoryA(sizeof m_buffer, m_buffer);
  return n > 0 && n < sizeof m_buffer ? WithBackslash(m_buffer) : SString("");
}

// ---- Drives and volumes ------------------------------------------------------------------

int SDisk::GetDrives(SStringArray& roots) {
  DWORD drives = GetLogicalDrives();
  int added = 0;
  for (int i = 0; i < 26; i++) {
    if (!(drives & (1u << i))) continue;
    roots.Add(DriveRoot(char('a' + i)).GetText());
    added++;
  }
  return added;
}

SString SDisk::GetCurrentDrive() {
  int drive = _getdrive();  // 1 for A; 0 when the current folder is a UNC path
  return drive >= 1 && drive <= 26 ? DriveRoot(char('a' + drive - 1)) : SString("");
}

bool SDisk::IsCdDrive(char letter) {
  return GetDriveTypeA(DriveRoot(letter).GetText()) == DRIVE_CDROM;
}

uint32_t SDisk::GetVolumeSerial(char letter) {
  DWORD serial = 0;
  if (!GetVolumeInformationA(DriveRoot(letter).GetText(), nullptr, 0, &serial, nullptr, nullptr,
                             nullptr, 0))
    return 0;
  return serial;
}

SString SDisk::GetVolumeName(char letter) {
  char name[255];
  if (!GetVolumeInformationA(DriveRoot(letter).GetText(), name, sizeof name, nullptr, nullptr,
                             nullptr, nullptr, 0))
    return SString("");
  return SString(name);
}

SString SDisk::GetFileSystemName(char letter) {
  char name[255];
  if (!GetVolumeInformationA(DriveRoot(letter).GetText(), nullptr, 0, nullptr, nullptr, nullptr,
                             name, sizeof name))
    return SString("");
  return SString(name);
}

int64_t SDisk::GetFreeSpace(const char* path) {
  ULARGE_INTEGER available, total;
  if (!path || !GetDiskFreeSpaceExA(path, &available, &total, nullptr)) return 0;
  return int64_t(available.QuadPart >> 10);
}

int64_t SDisk::GetTotalSpace(const char* path) {
  ULARGE_INTEGER available, total;
  if (!path || !GetDiskFreeSpaceExA(path, &available, &total, nullptr)) return 0;
  return int64_t(total.QuadPart >> 10);
}

// ---- Names ---------------------------------------------------------------------------------

SString SDisk::MakeTempFileName() {
  // The folder is wanted without its backslash, just this once.
  m_folderFlag = false;
  SString folder = GetTempFolder();
  m_folderFlag = true;
  if (folder.GetLength() == 0) return SString();
  if (GetTempFileNameA(folder.GetText(), "tmp", 0, m_buffer) == 0) return SString();
  return SString(m_buffer);
}

SString SDisk::MakeUniqueFileName(const char* extension, const char* folder, const char* name) {
  if (!FolderExists(folder)) return SString("");
  SString suffix("");
  if (extension && *extension) suffix = SString(".") + extension;
  SString base = SString(folder) + name;
  SString candidate = base + suffix;
  if (!Exists(candidate.GetText())) return candidate;
  for (int i = 0; i < 1000; i++) {
    candidate = base + SString::FromInt(rand() % 1000000) + suffix;
    if (!Exists(candidate.GetText())) return candidate;
  }
  return SString("");
}
