// SDisk's single files: size, times, attributes and digests, and deleting,
// renaming, copying, moving and creating them.
#include "files/SDisk.h"

#include <windows.h>
#include <io.h>

#include <cstdio>

#include "core/STimer.h"
#include "files/SFilePath.h"

namespace {

const int kAttributeBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool SetTimer(STimer* timer, const FILETIME& time, bool local) {
  if (!timer) return true;
  FILETIME shown = time;
  if (local && !FileTimeToLocalFileTime(&time, &shown)) return false;
  SYSTEMTIME t;
  if (!FileTimeToSystemTime(&shown, &t)) return false;
  return timer->Set(t.wDay, t.wMonth, t.wYear, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

// The folder part of a path, with its separator ("" when there is none).
SString FolderOf(const char* path) {
  SString text(path);
  int cut = text.GetLength() - 1;
  while (cut >= 0 && text.GetAt(cut) != '\\' && text.GetAt(cut) != '/') cut--;
  return text.Left(cut + 1);
}

}  // namespace

// ---- Queries -------------------------------------------------------------------------------

int SDisk::GetFileSize(const char* path) {
  if (!path) return -1;
  FILE* file = fopen(path, "rb");
  if (!file) return -1;
  long n = _filelength(_fileno(file));
  fclose(file);
  return int(n);
}

bool SDisk::GetFileTimes(const char* path, STimer* creation, STimer* lastAccess,
                         STimer* lastWrite, bool local) {
  if (!path) return false;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA(path, &entry);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  bool a = SetTimer(creation, entry.ftCreationTime, local);
  bool b = SetTimer(lastAccess, entry.ftLastAccessTime, local);
  bool c = SetTimer(lastWrite, entry.ftLastWriteTime, local);
  return a && b && c;
}

int SDisk::GetAttributes(const char* path) {
  DWORD attributes = path ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
  return attributes == INVALID_FILE_ATTRIBUTES ? -1 : int(attributes & kAttributeBits);
}

bool SDisk::SetAttributes(const char* path, int bits) {
  DWORD attributes = path ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  attributes = (attributes & ~DWORD(kAttributeBits)) | (DWORD(bits) & kAttributeBits);
  // The system takes "no attribute at all" only under its own name.
  if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
  return SetFileAttributesA(path, attributes) != 0;
}

bool SDisk::IsReadOnly(const char* path) {
  int bits = GetAttributes(path);
  return bits >= 0 && (bits & FILE_ATTRIBUTE_READONLY);
}

bool SDisk::IsHidden(const char* path) {
  int bits = GetAttributes(path);
  return bits >= 0 && (bits & FILE_ATTRIBUTE_HIDDEN);
}

bool SDisk::IsSystem(const char* path) {
  int bits = GetAttributes(path);
  return bits >= 0 && (bits & FILE_ATTRIBUTE_SYSTEM);
}

uint32_t SDisk::GetFileCrc32(const char* path) {
  SFilePath file;
  uint32_t crc = 0;
  if (!path || !file.Open(path, false, false, true) || !file.GetCrc32(crc)) return 0;
  return crc;
}

SString SDisk::GetFileMd5(const char* path) {
  SFilePath file;
  if (!path || !file.Open(path, false, false, true)) return SString("");
  return file.GetMd5();
}

SString SDisk::GetFileSha1(const char* path) {
  SFilePath file;
  if (!path || !file.Open(path, false, false, true)) return SString("");
  return file.GetSha1();
}

SString SDisk::GetShortPath(const char* path) {
  char shortPath[260];
  DWORD n = path ? GetShortPathNameA(path, shortPath, sizeof shortPath) : 0;
  return n > 0 && n < sizeof shortPath ? SString(shortPath) : SString("");
}

// ---- Changes -------------------------------------------------------------------------------

bool SDisk::DeleteFile(const char* path) { return path && DeleteFileA(path) != 0; }

bool SDisk::RenameFile(const char* oldPath, const char* newPath) {
  return oldPath && newPath && FileExists(oldPath) && rename(oldPath, newPath) == 0;
}

bool SDisk::CopyFile(const char* target, const char* source, bool overwrite, bool createFolders) {
  if (!target || !source) return false;
  if (createFolders) CreateFolder(FolderOf(target).GetText(), true);
  return CopyFileA(source, target, overwrite ? FALSE : TRUE) != 0;
}

bool SDisk::MoveFile(const char* target, const char* source, bool replace, bool createFolders) {
  if (!target || !FileExists(source)) return false;
  if (createFolders) CreateFolder(FolderOf(target).GetText(), true);
  // Replacing in the move itself: deleting the target first would lose it
  // when the move then fails, and lose the file itself when both name it.
  DWORD how = MOVEFILE_COPY_ALLOWED | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  return MoveFileExA(source, target, how) != 0;
}

bool SDisk::CreateEmptyFile(const char* path, bool overwrite, bool createFolders) {
  if (!path || !*path) return false;
  if (createFolders) CreateFolder(FolderOf(path).GetText(), true);
  if (!overwrite && FileExists(path)) return false;
  FILE* file = fopen(path, "wb");
  if (!file) return false;
  fclose(file);
  return true;
}
