// SMenu: creation, item insertion and removal, and the records the
// framework made, which the window layer alone may read item data as.
#include "window/SMenu.h"

#include <commctrl.h>

#include <cstring>
#include <new>

#include "core/SArray.h"
#include "files/SSystem.h"
#include "window/SImageList.h"
#include "window/SImagePixels.h"

namespace {

// Every live record, by address. Item data arrives in messages as a bare
// number; only a number found here is read as a record, so the data of a
// menu the framework did not make is never taken for one. Menus may live on
// several threads.
SRWLOCK g_recordsLock = SRWLOCK_INIT;
SArray<uintptr_t>& LiveRecords() {
  static SArray<uintptr_t> records;
  return records;
}

MenuItemRecord* NewRecord() {
  MenuItemRecord* record = new (std::nothrow) MenuItemRecord;
  if (!record) return nullptr;
  AcquireSRWLockExclusive(&g_recordsLock);
  bool listed = LiveRecords().InsertSorted(reinterpret_cast<uintptr_t>(record)) >= 0;
  ReleaseSRWLockExclusive(&g_recordsLock);
  if (!listed) {
    delete record;
    return nullptr;
  }
  return record;
}

void DeleteRecord(MenuItemRecord* record) {
  if (!record) return;
  AcquireSRWLockExclusive(&g_recordsLock);
  int found = LiveRecords().BinaryFind(reinterpret_cast<uintptr_t>(record));
  if (found >= 0) LiveRecords().RemoveAt(found);
  ReleaseSRWLockExclusive(&g_recordsLock);
  FreeMenuItemRecord(record);
  delete record;
}

// The picture as a top-down 32-bit DIB section of premultiplied alpha: the
// one kind of item bitmap that the system blends into the menu. A plain
// bitmap is copied as it is, its transparent parts black.
HBITMAP AlphaItemBitmap(const SImage& image) {
  if (!image.IsLoaded()) return nullptr;
  SImagePixels pixels(image.GetBitmap(), Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB);
  if (!pixels.IsLocked()) return nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.GetWidth();
  info.bmiHeader.biHeight = -pixels.GetHeight();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  size_t rowBytes = size_t(pixels.GetWidth()) * 4;
  for (int y = 0; y < pixels.GetHeight(); y++)
    std::memcpy(static_cast<uint8_t*>(bits) + rowBytes * size_t(y), pixels.Row(y), rowBytes);
  return bitmap;
}

// The system draws item bitmaps with alpha only on Vista and later at 32
// bits per pixel; elsewhere the menu draws its images itself.
bool MenuDrawsImages() { return SSystem::GetOSVersion() < SSystem::OS_VISTA || !ScreenKeepsAlpha(); }

}  // namespace

void FreeMenuItemRecord(MenuItemRecord* record) {
  if (!record) return;
  if (record->bitmap) DeleteObject(record->bitmap);
  record->bitmap = nullptr;
  record->image.Clear();
  record->name = SString();
}

MenuItemRecord* FindMenuItemRecord(ULONG_PTR itemData) {
  if (!itemData) return nullptr;
  AcquireSRWLockShared(&g_recordsLock);
  bool live = LiveRecords().BinaryFind(uintptr_t(itemData)) >= 0;
  ReleaseSRWLockShared(&g_recordsLock);
  return live ? reinterpret_cast<MenuItemRecord*>(itemData) : nullptr;
}

// ---- Life -------------------------------------------------------------------------

SMenu::SMenu()
    : m_imageList(nullptr), m_imageWidth(0), m_imageHeight(0), m_id(0), m_owner(nullptr), m_handle(nullptr),
      m_menuBar(0) {
  LastPopupX = LastPopupY = LastPopupKeys = 0;
}

SMenu::~SMenu() {
  if (m_handle) {
    RemoveAll();
    DestroyMenu(m_handle);
  }
  m_id = 0;
  m_handle = nullptr;
  m_menuBar = 0;
}

void SMenu::SetImageList(HIMAGELIST list) {
  int width = 0, height = 0;
  if (!list || !ImageList_GetIconSize(list, &width, &height)) {
    list = nullptr;
    width = height = 0;
  }
  m_imageList = list;
  m_imageWidth = width;
  m_imageHeight = height;
}

bool SMenu::CreatePopup(HWND owner, int id) { return Create(owner, id, false); }

bool SMenu::CreateBar(HWND owner, int id) { return Create(owner, id, true); }

bool SMenu::Create(HWND owner, int id, bool bar) {
  if (m_handle) {
    RemoveAll();
    DestroyMenu(m_handle);
    m_handle = nullptr;
  }
  HMENU handle = bar ? CreateMenu() : CreatePopupMenu();
  if (!handle) return false;
  m_owner = owner;
  m_id = id;
  m_handle = handle;
  m_menuBar = bar ? 1 : 0;
  MENUINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = MIM_STYLE;
  info.dwStyle = MNS_NOTIFYBYPOS;
  SetMenuInfo(handle, &info);
  return true;
}

// ---- Items --------------------------------------------------------------------------

bool SMenu::InsertItem(int id, const char* text, int imageIndex, int position, uint32_t userData, bool checked,
                       bool disabled) {
  return Insert(id, nullptr, text, imageIndex, position, userData, checked, disabled);
}

bool SMenu::InsertSubMenu(int id, SMenu* subMenu, const char* text, int imageIndex, int position,
                          uint32_t userData, bool checked, bool disabled) {
  if (!subMenu || !subMenu->m_handle) return false;
  return Insert(id, subMenu, text, imageIndex, position, userData, checked, disabled);
}

bool SMenu::Insert(int id, SMenu* subMenu, const char* text, int imageIndex, int position, uint32_t userData,
                   bool checked, bool disabled) {
  if (!m_handle) return false;
  int count = GetItemCount();
  if (position < 0 || position > count) position = count;
  if (m_menuBar || imageIndex < 0) imageIndex = -1;
  MenuItemRecord* record = NewRecord();
  if (!record) return false;
  record->owner = this;
  record->id = id;
  record->userData = userData;
  record->imageIndex = imageIndex;

  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_DATA | MIIM_BITMAP | (subMenu ? MIIM_SUBMENU : 0);
  item.dwTypeData = const_cast<char*>(text ? text : "");
  item.cch = UINT(lstrlenA(item.dwTypeData));
  item.fState = (checked ? MFS_CHECKED : 0) | (disabled ? MF_GRAYED : 0);
  item.wID = UINT(id);
  item.hSubMenu = subMenu ? subMenu->m_handle : nullptr;
  item.dwItemData = reinterpret_cast<ULONG_PTR>(record);
  bool callback = !m_menuBar && MenuDrawsImages();
  item.hbmpItem = callback ? HBMMENU_CALLBACK : nullptr;
  if (imageIndex != -1 && record->image.FromImageList(imageIndex, m_imageList)) {
    if (!ScreenKeepsAlpha()) {
      if (record->image.GetBitsPerPixel() != 16) record->image.ConvertBits(16);
      record->image.SetTransparentColor(0);
    }
    record->image.SetDrawMode(DRAW_MIDDLERIGHT);
    if (!callback) {
      record->bitmap = AlphaItemBitmap(record->image);
      item.hbmpItem = record->bitmap;
    }
  }
  if (!InsertMenuItemA(m_handle, UINT(position), TRUE, &item)) {
    DeleteRecord(record);
    return false;
  }
  return true;
}

bool SMenu::InsertSeparator(int id, int position) {
  if (!m_handle || m_menuBar) return false;
  int count = GetItemCount();
  if (position < 0 || position > count) position = count;
  MenuItemRecord* record = NewRecord();
  if (!record) return false;
  record->owner = this;
  record->id = id;
  record->separator = 1;
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_BITMAP;
  item.fType = MFT_SEPARATOR;
  item.wID = UINT(id);
  item.dwItemData = reinterpret_cast<ULONG_PTR>(record);
  if (!InsertMenuItemA(m_handle, UINT(position), TRUE, &item)) {
    DeleteRecord(record);
    return false;
  }
  return true;
}

int SMenu::GetItemCount() const {
  if (!m_handle) return 0;
  int count = GetMenuItemCount(m_handle);
  return count < 0 ? 0 : count;
}

MenuItemRecord* SMenu::RecordAt(int position) const {
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_DATA;
  if (!m_handle || !GetMenuItemInfoA(m_handle, UINT(position), TRUE, &item)) return nullptr;
  MenuItemRecord* record = FindMenuItemRecord(item.dwItemData);
  return record && record->owner == this ? record : nullptr;
}

int SMenu::FindItem(int id) const {
  int count = GetItemCount();
  for (int position = 0; position < count; position++) {
    MenuItemRecord* record = RecordAt(position);
    if (record && record->id == id) return position;
  }
  return -1;
}

MenuItemRecord* SMenu::GetItemRecord(int id) const {
  int position = FindItem(id);
  return position < 0 ? nullptr : RecordAt(position);
}

int SMenu::GetItemId(int position) const {
  MenuItemRecord* record = RecordAt(position);
  return record ? record->id : 0;
}

bool SMenu::RemoveItem(int id) {
  int position = FindItem(id);
  if (position < 0) return false;
  MenuItemRecord* record = RecordAt(position);
  if (!RemoveMenu(m_handle, UINT(position), MF_BYPOSITION)) return false;
  DeleteRecord(record);
  return true;
}

bool SMenu::RemoveAll() {
  if (!m_handle) return false;
  while (GetItemCount() > 0) {
    MenuItemRecord* record = RecordAt(0);
    if (!record || !RemoveMenu(m_handle, 0, MF_BYPOSITION)) return false;
    DeleteRecord(record);
  }
  return true;
}
