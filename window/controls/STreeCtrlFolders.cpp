// Folder mode: a disk's folders as a tree, with the shell's icons. A folder
// with anything to show gets a "*" placeholder child and is read only when
// the user expands it.
#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "window/SCursor.h"
#include "window/controls/STreeCtrl.h"

namespace {

const char kPlaceholder[] = "*";

// With a final separator.
SString AsFolder(const SString& path) {
  if (path.GetLength() > 0 && path.GetText()[path.GetLength() - 1] != '\\') return path + "\\";
  return path;
}

// The last name of a path, a final separator ignored; a root stays whole.
SString LastName(const SString& path) {
  SString bare = path;
  if (bare.GetLength() > 0 && bare.GetText()[bare.GetLength() - 1] == '\\') bare = bare.Left(bare.GetLength() - 1);
  const char* text = bare.GetText();
  const char* slash = std::strrchr(text, '\\');
  if (!slash || bare.GetLength() <= 2) return path;  // "c:\" and the like
  return SString(slash + 1);
}

// The extension that picks a path's icon: "" for folders.
SString IconKey(const SString& path) {
  const char* text = path.GetText();
  if (path.GetLength() > 0 && text[path.GetLength() - 1] == '\\') return "";
  const char* dot = std::strrchr(text, '.');
  const char* slash = std::strrchr(text, '\\');
  if (!dot || (slash && dot < slash)) return ".";
  return SString(dot).ToUpper();
}

}  // namespace

bool STreeCtrl::IsFolderPlaceholder(HTREEITEM item) const {
  return m_folderMode && GetItemText(item).EqualsText(kPlaceholder) && !GetChildItem(item);
}

bool STreeCtrl::BrowseFolder(const char* path, bool withRoot, bool showFiles, const char* fileFilter) {
  if ((GetStyle() & TVS_EDITLABELS) || !RemoveAll()) return false;
  m_iconExtensions.RemoveAll();
  m_iconImages.RemoveAll();
  HDC screen = GetDC(nullptr);
  bool deep = GetDeviceCaps(screen, BITSPIXEL) >= 32;
  ReleaseDC(nullptr, screen);
  m_icons.Destroy();
  m_icons.Create(16, 16, deep ? ILC_COLOR32 : ILC_COLOR16 | ILC_MASK);
  if (!deep) m_icons.SetBkColor(CLR_NONE);
  SetImageList(m_icons.GetHandle());
  m_folderMode = true;
  m_folderShowsFiles = showFiles;
  m_fileFilter = fileFilter && *fileFilter ? fileFilter : "*.*";
  m_rootFolder = "";
  if (path && *path && m_disk.FolderExists(path)) {
    char full[MAX_PATH] = {};
    if (GetFullPathNameA(path, MAX_PATH, full, nullptr) == 0) return false;
    m_rootFolder = AsFolder(full);
    HTREEITEM parent = withRoot ? AddPathItem(nullptr, m_rootFolder.GetText()) : nullptr;
    LoadFolder(m_rootFolder.GetText(), parent);
    if (withRoot) {
      // Item paths then start with the root item's own name.
      SString name = LastName(m_rootFolder);
      m_rootFolder = m_rootFolder.Left(m_rootFolder.GetLength() - 1 - name.GetLength());
    }
    return true;
  }
  SStringArray drives;
  if (m_disk.GetDrives(drives) == 0) {
    m_folderMode = false;
    return false;
  }
  for (int i = 0; i < drives.GetCount(); i++) {
    SString root = drives.GetString(i);
    HTREEITEM item = AddPathItem(nullptr, root.GetText());
    if (!item) {
      m_folderMode = false;
      return false;
    }
    if (m_disk.List(nullptr, (root + "*.*").GetText(), SDisk::DIRS | SDisk::FILES) > 0)
      InsertItem(kPlaceholder, -1, -1, item);
  }
  return true;
}

void STreeCtrl::LoadFolder(const char* folder, HTREEITEM parent) {
  SString base = AsFolder(folder);
  SStringArray folders, files;
  m_disk.List(&folders, (base + "*.*").GetText(), SDisk::DIRS);
  if (m_folderShowsFiles) m_disk.List(&files, (base + m_fileFilter).GetText(), SDisk::FILES);
  folders.Sort();
  files.Sort();
  SendMessage(WM_SETREDRAW, FALSE, 0);
  HCURSOR previous = ::SetCursor(GetStandardCursor(kCursorWait));
  for (int i = 0; i < folders.GetCount(); i++) {
    SString sub = AsFolder(folders.GetString(i));
    HTREEITEM item = AddPathItem(parent, sub.GetText());
    if (!item) continue;
    bool hasFolders = m_disk.List(nullptr, (sub + "*.*").GetText(), SDisk::DIRS) > 0;
    bool hasFiles = m_folderShowsFiles && m_disk.List(nullptr, (sub + m_fileFilter).GetText(), SDisk::FILES) > 0;
    if (hasFolders || hasFiles) InsertItem(kPlaceholder, -1, -1, item);
  }
  for (int i = 0; i < files.GetCount(); i++) AddPathItem(parent, files.GetString(i).GetText());
  ::SetCursor(previous);
  // The cursor is set again for the window under it.
  POINT at;
  ::GetCursorPos(&at);
  SetCursorPos(at.x, at.y);
  SendMessage(WM_SETREDRAW, TRUE, 0);
  InvalidateRect(GetHwnd(), nullptr, TRUE);
}

HTREEITEM STreeCtrl::AddPathItem(HTREEITEM parent, const char* path) {
  SString full(path);
  SString key = IconKey(full);
  int found = m_iconExtensions.FindSorted(key.GetText());
  int image = found >= 0 ? m_iconImages.GetAt(found) : -1;
  if (found < 0) {
    SHFILEINFOA info = {};
    if (SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) && info.hIcon) {
      image = ImageList_AddIcon(m_icons.GetHandle(), info.hIcon);
      DestroyIcon(info.hIcon);
    }
    int at = m_iconExtensions.FindInsertPosition(key.GetText());
    m_iconExtensions.Add(key.GetText(), at);
    m_iconImages.InsertAt(image, at);
  }
  return InsertItem(LastName(full).GetText(), image, image, parent, TVI_LAST, 0);
}

void STreeCtrl::ExpandFolder(HTREEITEM item) {
  HTREEITEM first = GetChildItem(item);
  if (!first || !IsFolderPlaceholder(first)) return;
  DeleteItem(first, true);
  LoadFolder(GetItemPath(item).GetText(), item);
  if (m_autoCheck && (GetStyle() & TVS_CHECKBOXES) && IsChecked(item)) SetCheckRecursive(item, true);
}
