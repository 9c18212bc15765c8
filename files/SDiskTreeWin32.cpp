// SDisk's folder operations: creating folders with their parents, and
// deleting, copying and renaming whole trees.
#include "files/SDisk.h"

#include <windows.h>

#include <cstdio>

#include "core/SStringArray.h"
#include "core/STimer.h"
#include "files/SPath.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

SString WithSeparator(const char* path) {
  SString text(path);
  if (!IsSeparator(text.GetAt(text.GetLength() - 1))) text += "\\";
  return text;
}

SString WithoutSeparator(const char* path) {
  SString text(path);
  if (IsSeparator(text.GetAt(text.GetLength() - 1))) text.SetLength(text.GetLength() - 1, true);
  return text;
}

// The folder part of a path, with its separator ("" when there is none).
SString FolderOf(const SString& path) {
  int cut = path.GetLength() - 1;
  while (cut >= 0 && !IsSeparator(path.GetAt(cut))) cut--;
  return path.Left(cut + 1);
}

bool IsValidFolder(const SString& folder) {
  SPath path;
  return path.SetFolder(folder.GetText()) != PathKind::INVALID;
}

int Depth(const SString& path) {
  int n = 0;
  for (int i = 0; i < path.GetLength(); i++) n += IsSeparator(path.GetAt(i));
  return n;
}

}  // namespace

bool SDisk::CreateFolder(const char* path, bool withParents) {
  if (!path || !*path) return false;
  SString folder = WithSeparator(path);
  if (!IsValidFolder(folder)) return false;
  if (FolderExists(folder.GetText())) return true;
  if (CreateDirectoryA(folder.GetText(), nullptr)) return true;
  if (GetLastError() != ERROR_PATH_NOT_FOUND || !withParents) return false;
  SString parent = FolderOf(WithoutSeparator(folder.GetText()));
  if (parent.GetLength() == 0 || !CreateFolder(parent.GetText(), true)) return false;
  return CreateDirectoryA(folder.GetText(), nullptr) != 0;
}

bool SDisk::DeleteFolder(const char* path, bool withContents) {
  if (!path) return false;
  SString folder = WithoutSeparator(path);
  // Nothing, or a drive's root, would have its whole drive emptied and then
  // still fail to be removed itself.
  if (folder.GetLength() == 0 || (folder.GetLength() == 2 && folder.GetAt(1) == ':')) return false;

  if (withContents) {
    SString every = folder + "\\*.*";
    SStringArray files;
    List(&files, every.GetText(), SUBDIRS | FILES);
    for (int i = 0; i < files.GetCount(); i++) {
      if (!DeleteFile(files.GetAt(i)->GetText())) return false;
    }
    // Deepest first, keeping the listed order among folders of one depth,
    // so every folder is empty when its turn comes.
    SStringArray folders;
    List(&folders, every.GetText(), SUBDIRS | DIRS);
    int deepest = 0;
    for (int i = 0; i < folders.GetCount(); i++) {
      int d = Depth(*folders.GetAt(i));
      if (d > deepest) deepest = d;
    }
    for (int d = deepest; d > 0; d--) {
      for (int i = 0; i < folders.GetCount(); i++) {
        const SString& entry = *folders.GetAt(i);
        if (Depth(entry) != d) continue;
        if (!RemoveDirectoryA(WithoutSeparator(entry.GetText()).GetText())) return false;
      }
    }
  }
  return RemoveDirectoryA(folder.GetText()) != 0;
}

// Both last-write times, local, equal to the millisecond; a missing target
// is never unchanged.
static bool Unchanged(SDisk& disk, const SString& source, const SString& target) {
  STimer a, b;
  return disk.GetFileTimes(source.GetText(), nullptr, nullptr, &a, true) &&
         disk.GetFileTimes(target.GetText(), nullptr, nullptr, &b, true) && a.Compare(b) == 0;
}

bool SDisk::CopyFolder(const char* source, const char* destination, bool skipUnchanged) {
  if (!source || !destination) return false;
  SString from = WithSeparator(source), to = WithSeparator(destination);
  if (!IsValidFolder(from) || !IsValidFolder(to)) return false;

  // Every file of the tree and every empty folder: the other folders come
  // with the files they hold.
  SStringArray entries;
  List(&entries, (from + "*.*").GetText(), SUBDIRS | DIRS | FILES | NODIR_FILES | NODIR_SUBDIRS);
  bool ok = true;
  for (int i = 0; i < entries.GetCount(); i++) {
    const SString& entry = *entries.GetAt(i);
    SString target = to + entry.Mid(from.GetLength());
    if (IsSeparator(entry.GetAt(entry.GetLength() - 1))) {
      if (!CreateFolder(target.GetText(), true)) ok = false;
      continue;
    }
    if (skipUnchanged && Unchanged(*this, entry, target)) continue;
    // One failure does not stop the others; it only changes the answer.
    if (!CreateFolder(FolderOf(target).GetText(), true) ||
        !CopyFileA(entry.GetText(), target.GetText(), FALSE))
      ok = false;
  }
  return ok;
}

bool SDisk::RenameFolder(const char* oldPath, const char* newPath) {
  if (!oldPath || !newPath || !FolderExists(oldPath)) return false;
  return rename(WithoutSeparator(oldPath).GetText(), WithoutSeparator(newPath).GetText()) == 0;
}
