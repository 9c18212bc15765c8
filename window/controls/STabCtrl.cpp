#include "window/controls/STabCtrl.h"

#include <commctrl.h>

#include <cstring>

#include "window/ControlNotify.h"
#include "window/FrameworkMessage.h"
#include "window/controls/ControlWindow.h"

namespace {

const UINT kTabMouseMessage = ControlNotifyMessage(kControlClassTab, 0);

// The tooltip window's tool that holds a tab's tip: the tab control keeps
// its own tool first.
int ToolOfTab(int tab) { return tab + 1; }

}  // namespace

STabCtrl::STabCtrl() { m_windowType = kWindowTab; }

bool STabCtrl::Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData) {
  return CreateControlWindow(*this, WC_TABCONTROLA, 0, "", style, exStyle, rect, parent, id, creationData);
}

int STabCtrl::GetItemCount() const { return int(SendMessage(TCM_GETITEMCOUNT, 0, 0)); }
int STabCtrl::GetCurSel() const { return int(SendMessage(TCM_GETCURSEL, 0, 0)); }

void STabCtrl::SetCurSel(int tab) {
  SendMessage(TCM_SETCURSEL, tab, 0);
  ShowPage(tab);
}

int STabCtrl::InsertItem(int index, int image, const char* text) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(text ? text : "");
  if (image >= 0) {
    item.mask |= TCIF_IMAGE;
    item.iImage = image;
  }
  if (index < 0) index = GetItemCount();
  int inserted = int(SendMessage(TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item)));
  // The first tab becomes the selection, and tabs after an insertion move:
  // the page shown follows the selection as it now is.
  ShowPage(GetCurSel());
  return inserted;
}

void STabCtrl::SetItemText(int tab, const char* text) {
  if (!InRange(tab)) return;
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(text ? text : "");
  SendMessage(TCM_SETITEMA, tab, reinterpret_cast<LPARAM>(&item));
  ShowPage(GetCurSel());
}

SString STabCtrl::GetItemText(int tab) const {
  if (!InRange(tab)) return "";
  char text[kItemTextSize] = {};
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = kItemTextSize;
  if (!SendMessage(TCM_GETITEMA, tab, reinterpret_cast<LPARAM>(&item))) return "";
  // The control may answer with its own storage instead of filling ours.
  text[kItemTextSize - 1] = '\0';
  return SString(item.pszText ? item.pszText : text).Left(kItemTextSize - 1);
}

SString STabCtrl::GetSelectedText() const {
  int selection = GetCurSel();
  return selection < 0 ? SString("") : GetItemText(selection);
}

void STabCtrl::RemoveAll() {
  SendMessage(TCM_DELETEALLITEMS, 0, 0);
  m_pageWindows.RemoveAll();
  m_pageTabs.RemoveAll();
}

void STabCtrl::GetPageRect(RECT* rect) const {
  ::GetClientRect(GetHwnd(), rect);
  SendMessage(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(rect));
}

bool STabCtrl::SetItemTip(int tab, const char* text) {
  if (!InRange(tab)) return false;
  HWND tips = reinterpret_cast<HWND>(SendMessage(TCM_GETTOOLTIPS, 0, 0));
  if (!tips) return false;
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  if (!::SendMessageA(tips, TTM_ENUMTOOLSA, ToolOfTab(tab), reinterpret_cast<LPARAM>(&tool))) return false;
  SString tip = SString(text).Left(kMaxTipLength);
  tool.lpszText = const_cast<char*>(tip.GetText());
  // The tooltip answers nothing to this; the tool was there, so it holds.
  ::SendMessageA(tips, TTM_SETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool));
  return true;
}

SString STabCtrl::GetItemTip(int tab) const {
  if (!InRange(tab)) return "";
  HWND tips = reinterpret_cast<HWND>(SendMessage(TCM_GETTOOLTIPS, 0, 0));
  if (!tips) return "";
  char text[kTipBufferSize] = {};
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.lpszText = text;
  if (!::SendMessageA(tips, TTM_ENUMTOOLSA, ToolOfTab(tab), reinterpret_cast<LPARAM>(&tool))) return "";
  // A tool whose text comes from a callback or a resource leaves no text
  // in the buffer, only its marker in lpszText.
  if (tool.lpszText != text) return "";
  text[kMaxTipLength] = '\0';
  return SString(text);
}

int STabCtrl::FindPage(HWND window, int tab) const {
  for (int i = 0; i < m_pageWindows.GetCount(); i++)
    if (m_pageWindows.GetAt(i) == window && m_pageTabs.GetAt(i) == tab) return i;
  return -1;
}

void STabCtrl::DropPage(int entry) {
  m_pageWindows.RemoveAt(entry);
  m_pageTabs.RemoveAt(entry);
}

void STabCtrl::DropGonePages() {
  for (int i = m_pageWindows.GetCount() - 1; i >= 0; i--)
    if (!IsWindow(m_pageWindows.GetAt(i))) DropPage(i);
}

bool STabCtrl::AddPageWindow(int tab, SWnd* window) {
  if (!window || !window->GetHwnd() || !InRange(tab)) return false;
  DropGonePages();
  if (FindPage(window->GetHwnd(), tab) >= 0) return false;
  m_pageWindows.Add(window->GetHwnd());
  m_pageTabs.Add(tab);
  return true;
}

bool STabCtrl::RemovePageWindow(SWnd* window, int tab) {
  if (!window || !InRange(tab)) return false;
  int entry = FindPage(window->GetHwnd(), tab);
  if (entry < 0) return false;
  DropPage(entry);
  return true;
}

void STabCtrl::ShowPage(int tab) {
  DropGonePages();
  if (m_pageWindows.GetCount() == 0 || !InRange(tab)) return;
  for (int i = 0; i < m_pageWindows.GetCount(); i++) ::ShowWindow(m_pageWindows.GetAt(i), SW_HIDE);
  for (int i = 0; i < m_pageWindows.GetCount(); i++)
    if (m_pageTabs.GetAt(i) == tab) ::ShowWindow(m_pageWindows.GetAt(i), SW_SHOW);
}

LRESULT STabCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kCreatedMessage) {
    m_pageWindows.RemoveAll();
    m_pageTabs.RemoveAll();
  }
  return ControlWindowProc(*this, kTabMouseMessage, message, wparam, lparam);
}
