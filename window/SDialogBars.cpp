// The dialog's control bar and status bar, and the client height kept in
// step with them.
#include <windows.h>

#include <commctrl.h>

#include "window/Framework.h"
#include "window/SDialog.h"
#include "window/controls/SControlBarCtrl.h"
#include "window/controls/SStatusBarCtrl.h"

namespace {

int OuterHeight(HWND window) {
  RECT rect;
  return GetWindowRect(window, &rect) ? rect.bottom - rect.top : 0;
}

}  // namespace

bool SDialog::CreateControlBar() {
  if (m_controlBar) return false;
  m_controlBarHeight = 0;
  m_controlBar = new SControlBarCtrl;
  m_controlBar->CreateControl(nullptr, WS_CHILD | WS_VISIBLE | CCS_NODIVIDER, REBARCLASSNAMEA, "", 0, m_hwnd, nullptr,
                              nullptr, GetInstanceHandle());
  return true;
}

void SDialog::DestroyControlBar() {
  delete m_controlBar;
  m_controlBar = nullptr;
}

void SDialog::AddBand(SWnd* window, int minWidth, int height) {
  if (!m_controlBar || !window) return;
  window->ClearAnchoring();
  window->SetParent(m_controlBar->GetHwnd());
  m_controlBar->InsertBand(window->GetHwnd(), minWidth, height);
}

bool SDialog::CreateStatusBar(int parts) {
  if (m_statusBar) return false;
  m_statusBar = new SStatusBarCtrl;
  m_statusBar->CreateControl(nullptr, WS_CHILD | WS_VISIBLE, STATUSCLASSNAMEA, "", 0, m_hwnd, nullptr, nullptr,
                             GetInstanceHandle());
  m_statusBar->SetParts(parts < 1 ? 1 : parts);
  SetClientHeight(GetClientHeight() + OuterHeight(m_statusBar->GetHwnd()));
  return true;
}

void SDialog::DestroyStatusBar() {
  if (!m_statusBar) return;
  int height = OuterHeight(m_statusBar->GetHwnd());
  delete m_statusBar;
  m_statusBar = nullptr;
  SetClientHeight(GetClientHeight() - height);
}

void SDialog::SetStatusText(int part, const char* text) {
  if (m_statusBar) m_statusBar->SendMessage(SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

SString SDialog::GetStatusText(int part) const { return m_statusBar ? m_statusBar->GetText(part) : SString(""); }

void SDialog::SetStatusPartEdge(int part, int right) {
  if (m_statusBar) m_statusBar->SetPartEdge(part, right);
}

int SDialog::GetStatusPartEdge(int part) const { return m_statusBar ? m_statusBar->GetPartEdge(part) : 0; }
