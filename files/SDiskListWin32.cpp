// SDisk's listing of folders with wildcards and filters, and the existence
// tests built on it.
#include "files/SDisk.h"

#include <windows.h>

#include "core/SStringArray.h"

namespace {

// One search of the system's, closed when it goes out of scope.
class FindScope {
 public:
  explicit FindScope(const char* pattern) : m_handle(FindFirstFileA(pattern, &m_entry)) {}
  ~FindScope() {
    if (m_handle != INVALID_HANDLE_VALUE) FindClose(m_handle);
  }
  FindScope(const FindScope&) = delete;
  FindScope& operator=(const FindScope&) = delete;

  bool Found() const { return m_handle != INVALID_HANDLE_VALUE; }
  bool Next() { return FindNextFileA(m_handle, &m_entry) != 0; }
  const WIN32_FIND_DATAA& Entry() const { return m_entry; }

 private:
  WIN32_FIND_DATAA m_entry;
  HANDLE m_handle;
};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsFolder(const WIN32_FIND_DATAA& e) { return (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// A folder that is a link or junction: what it shows lies outside the tree.
bool IsLink(const WIN32_FIND_DATAA& e) {
  return (e.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// "." and "..", and hidden entries when they are not wanted.
bool Skipped(const WIN32_FIND_DATAA& e, int flags) {
  const char* name = e.cFileName;
  if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) return true;
  return (flags & SDisk::NOHIDDEN) && (e.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN);
}

const int kFolderFilters =
    SDisk::NODIR_FILES | SDisk::NODIR_NOFILES | SDisk::NODIR_SUBDIRS | SDisk::NODIR_NOSUBDIRS;

}  // namespace

// True when the folder (a path without its final separator) passes the
// NODIR filters, judged by what it holds directly.
static bool PassesFolderFilters(SDisk& disk, const SString& folder, int flags) {
  if (!(flags & kFolderFilters)) return true;
  int files = 0, folders = 0;
  SString pattern = folder + "\\*.*";
  disk.List(nullptr, pattern.GetText(), SDisk::DIRS | SDisk::FILES | (flags & SDisk::NOHIDDEN),
            &files, &folders);
  if ((flags & SDisk::NODIR_FILES) && files > 0) return false;
  if ((flags & SDisk::NODIR_NOFILES) && files == 0) return false;
  if ((flags & SDisk::NODIR_SUBDIRS) && folders > 0) return false;
  if ((flags & SDisk::NODIR_NOSUBDIRS) && folders == 0) return false;
  return true;
}

int SDisk::List(SStringArray* list, const char* pattern, int flags, int* fileCount,
                int* folderCount) {
  if (fileCount) *fileCount = 0;
  if (folderCount) *folderCount = 0;
  if (!pattern) return 0;
  // Contradicting folder filters leave no folder to list.
  if (flags & DIRS) {
    if (((flags & NODIR_FILES) && (flags & NODIR_NOFILES)) ||
        ((flags & NODIR_SUBDIRS) && (flags & NODIR_NOSUBDIRS)))
      flags &= ~DIRS;
  } else {
    flags &= ~kFolderFilters;
  }
  if (!(flags & (DIRS | FILES))) return 0;

  SString text(pattern);
  int cut = text.GetLength() - 1;
  while (cut >= 0 && !IsSeparator(text.GetAt(cut))) cut--;
  SString folderPart = text.Left(cut + 1);
  SString namePart = text.Mid(cut + 1);
  // Only '*' makes a pattern list full paths and recurse; '?' alone does not.
  bool wild = namePart.FindChar('*') >= 0;

  int count = 0, files = 0, folders = 0;
  // First pass: what the system matches. A wild pattern's matches are only
  // noted here and listed by the second pass, in the folder's own order.
  SStringArray noted;
  FindScope first(pattern);
  for (bool more = first.Found(); more; more = first.Next()) {
    const WIN32_FIND_DATAA& e = first.Entry();
    if (Skipped(e, flags)) continue;
    bool folder = IsFolder(e);
    if (folder ? !(flags & DIRS) : !(flags & FILES)) continue;
    if (wild) {
      noted.AddSorted(e.cFileName);
      continue;
    }
    if (folder && !PassesFolderFilters(*this, folderPart + e.cFileName, flags)) continue;
    if (list) list->Add((SString(e.cFileName) + (folder ? "\\" : "")).GetText());
    count++;
    (folder ? folders : files)++;
  }

  if (wild) {
    SString every = folderPart + "*.*";
    FindScope second(every.GetText());
    for (bool more = second.Found(); more; more = second.Next()) {
      const WIN32_FIND_DATAA& e = second.Entry();
      if (Skipped(e, flags)) continue;
      SString path = folderPart + e.cFileName;
      bool isNoted = noted.FindSorted(e.cFileName) >= 0;
      if (IsFolder(e)) {
        if ((flags & DIRS) && isNoted && PassesFolderFilters(*this, path, flags)) {
          if (list) list->Add((path + "\\").GetText());
          count++;
          folders++;
        }
        // A link is listed but never entered: deleting or copying a tree
        // must not reach what the link points to, nor loop through it.
        if ((flags & SUBDIRS) && !IsLink(e))
          count += List(list, (path + "\\" + namePart).GetText(), flags, nullptr, nullptr);
      } else if ((flags & FILES) && isNoted) {
        if (list) list->Add(path.GetText());
        count++;
        files++;
      }
    }
  }
  if (fileCount) *fileCount = files;
  if (folderCount) *folderCount = folders;
  return count;
}

// ---- Existence tests ----------------------------------------------------------------------

bool SDisk::Exists(const char* path) {
  return path && *path && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool SDisk::FileExists(const char* path) {
  if (!path || !*path) return false;
  SString text(path);
  if (IsSeparator(text.GetAt(text.GetLength() - 1))) return false;
  return Exists(path) && List(nullptr, path, FILES) == 1;
}

bool SDisk::FolderExists(const char* path) {
  if (!path || !*path || !Exists(path)) return false;
  SString text(path);
  if (IsSeparator(text.GetAt(text.GetLength() - 1))) text.SetLength(text.GetLength() - 1, true);
  // A drive's root has no entry of its own for a search to find.
  if (text.GetLength() == 2 && text.GetAt(1) == ':') return true;
  return List(nullptr, text.GetText(), DIRS) == 1;
}
