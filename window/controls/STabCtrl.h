// STabCtrl: the tab control, a subclassed system "SysTabControl32" used as
// a page container.
//
// Any number of windows can be attached to each tab; whenever the selected
// tab changes, the windows of that tab are shown and every other attached
// window hidden. Attached windows are not owned and may be destroyed at any
// time, so they are kept by handle: a handle that no longer names a window
// is dropped rather than used.
//
// Each tab can carry a tip, kept by the tab control's own tooltip window;
// where that window holds no tool for a tab (Wine registers none), the
// tab has no tip.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "window/SWnd.h"

class STabCtrl : public SWnd {
 public:
  // The longest tab text read back, with its NUL.
  static const int kItemTextSize = 256;
  // The longest tip: the tooltip window hands a tool's text out through
  // its ANSI messages in at most 80 bytes, and not always with a NUL.
  // Longer tips are cut to it.
  static const int kMaxTipLength = 79;
  // The buffer a tip is read into: the tooltip window copies into it
  // without being told a size, so it is far larger than any tip.
  static const int kTipBufferSize = INFOTIPSIZE;

  STabCtrl();

  bool Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData = nullptr);

  int GetItemCount() const;
  int GetCurSel() const;
  void SetCurSel(int tab);
  // A negative index appends; an image below 0 means none. The new index,
  // or -1.
  int InsertItem(int index, int image, const char* text);
  void SetItemText(int tab, const char* text);
  SString GetItemText(int tab) const;
  SString GetSelectedText() const;
  // Every tab, and every attached window (which stays as it is).
  void RemoveAll();
  // The client area less the tabs: where the pages go.
  void GetPageRect(RECT* rect) const;

  // True when the tab has a tool whose tip was set.
  bool SetItemTip(int tab, const char* text);
  SString GetItemTip(int tab) const;

  // False for no window, a tab out of range, or a window already attached
  // to that tab. The window must exist.
  bool AddPageWindow(int tab, SWnd* window);
  // False for no window, a tab out of range, or a window not attached to
  // that tab.
  bool RemovePageWindow(SWnd* window, int tab);
  // Hides every attached window, then shows those of the tab; nothing for
  // a tab out of range.
  void ShowPage(int tab);

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  bool InRange(int tab) const { return tab >= 0 && tab < GetItemCount(); }
  int FindPage(HWND window, int tab) const;
  void DropPage(int entry);
  void DropGonePages();

  SArray<HWND> m_pageWindows;  // not owned
  SArray<int32_t> m_pageTabs;  // parallel: the tab of each window entry
};
