#include "window/SDialog.h"

#include <cmath>

#include "window/ControlNotify.h"
#include "window/FrameworkWindowClasses.h"
#include "window/SMenu.h"
#include "window/SWndLifeGuard.h"
#include "window/controls/SControlBarCtrl.h"
#include "window/controls/SStatusBarCtrl.h"
#include "window/controls/SToolBarCtrl.h"

namespace {

const UINT kButtonClickedMessage = ControlNotifyMessage(kControlClassButton, 1);
const UINT kControlBarAutoSizeMessage = ControlNotifyMessage(kControlClassControlBar, 0);

DialogBuilderFunction DialogBuilder = nullptr;

// The height of a font of this many points on the screen: negative (the
// character height), rounded to the nearest pixel with halves going up.
int FontHeightForPoints(int points) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  double height = -(double(dpi) * points / 72.0);
  double whole = std::floor(height);
  return int(whole) + (height - whole >= 0.5 ? 1 : 0);
}

// The record's own font; null when it names none or the font cannot be made.
HFONT CreateRecordFont(const SDialog::ControlRecord& record) {
  if (record.fontFace.GetLength() == 0) return nullptr;
  uint32_t style = record.fontStyle;
  return CreateFontA(FontHeightForPoints(int16_t(record.fontSize)), 0, 0, 0, (style & kFontBold) ? FW_BOLD : 0,
                     (style & kFontItalic) != 0, (style & kFontUnderline) != 0, (style & kFontStrikeOut) != 0, 0, 0, 0,
                     0, 0, record.fontFace.GetBuffer());
}

}  // namespace

void SetDialogBuilder(DialogBuilderFunction builder) { DialogBuilder = builder; }

bool CreateDialogFromDescription(SDialog* dialog, SFile* stream, SResource* resources,
                                 const DialogBuildOptions* options) {
  return DialogBuilder && DialogBuilder(dialog, stream, resources, options);
}

SDialog::SDialog()
    : m_controlBarHeight(0),
      m_controlBar(nullptr),
      m_statusBar(nullptr),
      m_toolBar(nullptr),
      m_bigIcon(nullptr),
      m_smallIcon(nullptr) {}

SDialog::~SDialog() {
  ClearContents();
  m_menuImages.Destroy();
  m_toolBarImages.Destroy();
  // A window that still exists lets go of the icons before they go.
  SetIcons(nullptr, nullptr);
}

void SDialog::SetIcons(HICON big, HICON small) {
  if (m_hwnd) {
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
  if (m_bigIcon && m_bigIcon != big && m_bigIcon != small) DestroyIcon(m_bigIcon);
  if (m_smallIcon && m_smallIcon != m_bigIcon && m_smallIcon != big && m_smallIcon != small) DestroyIcon(m_smallIcon);
  m_bigIcon = big;
  m_smallIcon = small;
}

SWnd* SDialog::CreateControlObject(int, const ControlRecord*) { return nullptr; }

bool SDialog::Load(SFile* stream, SResource* resources, const DialogBuildOptions* options) {
  if (m_hwnd) return false;
  return CreateDialogFromDescription(this, stream, resources, options);
}

// ---- Controls ----------------------------------------------------------------------------

bool SDialog::AddControl(const ControlRecord* record, SWnd* control) {
  if (!record || !control) return false;
  HFONT font = CreateRecordFont(*record);
  if (font) control->SetFont(font, true);
  m_controls.Add(control);
  m_controlIds.Add(uint32_t(int32_t(record->id)));
  m_controlNames.Add(record->name.GetBuffer());
  m_controlFonts.Add(font);
  return true;
}

int SDialog::FindControlById(uint32_t id) const { return m_controlIds.Find(id); }

int SDialog::FindControlByName(const char* name) const {
  SString wanted(name);
  for (int i = 0; i < m_controlNames.GetCount(); i++)
    if (m_controlNames.GetString(i) == wanted) return i;
  return -1;
}

// ---- Clearing ----------------------------------------------------------------------------

void SDialog::ClearContents() {
  if (m_hwnd) Show(SW_HIDE);
  delete m_toolBar;
  m_toolBar = nullptr;
  delete m_statusBar;
  m_statusBar = nullptr;
  delete m_controlBar;
  m_controlBar = nullptr;

  if (m_hwnd && ::GetMenu(m_hwnd)) SetMenu(nullptr, true);
  for (int i = 0; i < m_menus.GetCount(); i++) delete m_menus.GetAt(i);
  m_menus.RemoveAll();
  m_menuImages.Destroy();

  for (int i = 0; i < m_controls.GetCount(); i++) delete m_controls.GetAt(i);
  m_controls.RemoveAll();
  m_controlIds.RemoveAll();
  m_controlNames.DeleteAll();
  m_controlNames.RemoveAll();
  for (int i = 0; i < m_controlFonts.GetCount(); i++)
    if (HFONT font = m_controlFonts.GetAt(i)) DeleteObject(font);
  m_controlFonts.RemoveAll();
}

// ---- Modal run ---------------------------------------------------------------------------

int SDialog::RunModalDialog() { return DoModal(nullptr, 0, 0, true, false); }

// ---- Window procedure ----------------------------------------------------------------------

void SDialog::OnButtonClicked(SWnd* button) {
  if (!IsModal()) return;
  // A button that code made on the dialog is no control of the description.
  int i = m_controls.Find(button);
  if (i < 0) return;
  SString name = m_controlNames.GetString(i);
  if (name == SString("OK"))
    WindowProcedure(m_hwnd, kModalOkMessage, 0, 0);
  else if (name == SString("CANCEL"))
    WindowProcedure(m_hwnd, kModalCancelMessage, 0, 0);
}

void SDialog::OnControlBarResized() {
  RECT outer;
  int height = ::GetWindowRect(m_controlBar->GetHwnd(), &outer) ? outer.bottom - outer.top : 0;
  int delta = height - m_controlBarHeight;
  m_controlBarHeight = height;
  if (delta == 0) return;
  SetClientHeight(GetClientHeight() + delta);
  // Controls inside the rebar move with it.
  for (int i = 0; i < m_controls.GetCount(); i++) {
    HWND control = m_controls.GetAt(i)->GetHwnd();
    if (!control || ::GetParent(control) != m_hwnd) continue;
    RECT rect;
    ::GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&rect), 2);
    ::SetWindowPos(control, nullptr, rect.left, rect.top + delta, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

LRESULT SDialog::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    ClearContents();
  } else if (message == kButtonClickedMessage) {
    SWndLifeGuard guard(this);
    OnButtonClicked(reinterpret_cast<SWnd*>(wparam));
    if (!guard.IsAlive()) return 0;
  } else if (message == kControlBarAutoSizeMessage) {
    if (m_controlBar && reinterpret_cast<SWnd*>(wparam) == m_controlBar) OnControlBarResized();
  }
  return SWnd::WindowProc(message, wparam, lparam);
}
