// SMenu on screen: the item images it draws itself, popups, and the
// window layer's part in reporting chosen items and drawing images.
#include "window/SMenu.h"

#include "window/ControlNotify.h"
#include "window/FrameworkMessage.h"

bool SMenu::MeasureItem(MenuItemRecord* record, MEASUREITEMSTRUCT* measure) {
  if (!record || !measure || !record->image.IsLoaded()) return false;
  measure->itemWidth = UINT(m_imageWidth + 4);
  int height = GetSystemMetrics(SM_CYMENU);
  measure->itemHeight = UINT(height > m_imageHeight ? height : m_imageHeight);
  return true;
}

bool SMenu::DrawItem(MenuItemRecord* record, DRAWITEMSTRUCT* draw) {
  if (!record || !draw || !record->image.IsLoaded()) return false;
  Gdiplus::Graphics graphics(draw->hDC);
  const RECT& item = draw->rcItem;
  // The draw mode puts the image at the right of the area, so 4 pixels from
  // the item's right edge, centred vertically.
  Gdiplus::Rect area(item.left, item.top, item.right - item.left - 4, item.bottom - item.top);
  record->image.Draw(&graphics, nullptr, &area);
  return true;
}

void SMenu::OnCommand(int, int) {}

bool SMenu::TrackPopup(int x, int y, UINT flags, HWND window) {
  if (m_menuBar) return false;
  LastPopupKeys = ((GetKeyState(VK_CONTROL) & 0x8000) ? 2 : 0) | ((GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0);
  LastPopupX = x;
  LastPopupY = y;
  return TrackPopupMenu(m_handle, flags, x, y, 0, window ? window : m_owner, nullptr) != 0;
}

bool SMenu::TrackPopupAtCursor(UINT flags, HWND window) {
  POINT cursor = {};
  GetCursorPos(&cursor);
  return TrackPopup(cursor.x, cursor.y, flags, window);
}

// ---- The window layer's part ------------------------------------------------------

bool SMenu::ReportCommand(HWND window, WPARAM position, LPARAM menu) {
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_DATA;
  if (!GetMenuItemInfoA(reinterpret_cast<HMENU>(menu), UINT(position), TRUE, &item)) return false;
  MenuItemRecord* record = FindMenuItemRecord(item.dwItemData);
  if (!record || !record->owner) return false;
  SMenu* owner = record->owner;
  int id = record->id;
  // OnCommand may remove the item: nothing of the record is read after it.
  owner->OnCommand(int(position), id);
  SendMessageA(window, ControlNotifyMessage(kControlClassMenu, 0), reinterpret_cast<WPARAM>(owner), LPARAM(id));
  return true;
}

bool SMenu::MeasureOwnerDrawn(MEASUREITEMSTRUCT* measure) {
  MenuItemRecord* record = measure ? FindMenuItemRecord(measure->itemData) : nullptr;
  return record && record->owner && record->owner->MeasureItem(record, measure);
}

bool SMenu::DrawOwnerDrawn(DRAWITEMSTRUCT* draw) {
  MenuItemRecord* record = draw ? FindMenuItemRecord(draw->itemData) : nullptr;
  return record && record->owner && record->owner->DrawItem(record, draw);
}
