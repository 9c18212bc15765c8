// Keys in the shared message handling: forwarding to the popup window that
// holds the focused control, and the command keys that the shortcut mask
// turns into the hooks OnUndo ... OnSaveAs.
#include "window/FrameworkMessage.h"
#include "window/FrameworkWindowClasses.h"
#include "window/SWnd.h"
#include "window/SWndLifeGuard.h"

namespace {

enum : int { kNoModifier = 0, kShift = 1, kCtrl = 2, kCtrlShift = 3 };

int ModifierState() {
  int modifiers = kNoModifier;
  if (GetAsyncKeyState(VK_CONTROL) < 0) modifiers |= kCtrl;
  if (GetAsyncKeyState(VK_SHIFT) < 0) modifiers |= kShift;
  return modifiers;
}

struct Shortcut {
  int modifiers;
  WPARAM key;
  uint32_t maskBit;
  void (SWnd::*hook)();
};

// The first row that matches the keys and the mask calls its hook.
const Shortcut kShortcuts[] = {
    {kNoModifier, VK_ESCAPE, kShortcutEscape, &SWnd::OnEscape},
    {kNoModifier, VK_DELETE, kShortcutDelete, &SWnd::OnDelete},
    {kCtrl, 'Z', kShortcutUndo, &SWnd::OnUndo},
    {kCtrl, 'X', kShortcutCut, &SWnd::OnCut},
    {kCtrl, 'C', kShortcutCopy, &SWnd::OnCopy},
    {kCtrl, 'V', kShortcutPaste, &SWnd::OnPaste},
    {kCtrl, 'A', kShortcutSelectAll, &SWnd::OnSelectAll},
    {kCtrl, 'F', kShortcutFind, &SWnd::OnFind},
    {kCtrl, 'H', kShortcutReplace, &SWnd::OnReplace},
    {kCtrl, 'G', kShortcutGoto, &SWnd::OnGoto},
    {kCtrl, 'P', kShortcutPrint, &SWnd::OnPrint},
    {kCtrl, 'N', kShortcutNew, &SWnd::OnNew},
    {kCtrl, 'O', kShortcutOpen, &SWnd::OnOpen},
    {kCtrl, 'S', kShortcutSave, &SWnd::OnSave},
    {kCtrlShift, 'S', kShortcutSaveAs, &SWnd::OnSaveAs},
};

}  // namespace

bool SWnd::OnKeyDownMessage(WPARAM key) {
  int modifiers = ModifierState();
  // The dialog or popup that holds this control hears every key of it.
  if (!IsPopup()) {
    HWND ancestor = GetPopupAncestor(false);
    if (ancestor && ancestor != m_hwnd) {
      SWndLifeGuard guard(this);
      WindowProcedure(ancestor, kKeyMessage, key, reinterpret_cast<LPARAM>(this));
      if (!guard.IsAlive()) return false;
    }
  }
  if (key == VK_TAB && m_tabGroup != -1) {
    SWnd* next = GetNextTabSibling();
    if (next != this) {
      next->SetFocus();
      return false;
    }
  }
  if (m_shortcutMask != 0) {
    SWndLifeGuard guard(this);
    CallShortcutHook(modifiers, key);
    if (!guard.IsAlive()) return false;
  }
  return true;
}

void SWnd::CallShortcutHook(int modifiers, WPARAM key) {
  for (const Shortcut& shortcut : kShortcuts) {
    if (shortcut.modifiers == modifiers && shortcut.key == key && (m_shortcutMask & shortcut.maskBit)) {
      (this->*shortcut.hook)();
      return;
    }
  }
}

bool SWnd::OnSysKeyDownMessage(WPARAM key) {
  if (IsPopup()) return true;
  HWND ancestor = GetPopupAncestor(false);
  if (!ancestor || ancestor == m_hwnd) return true;
  LRESULT answer = WindowProcedure(ancestor, kSystemKeyMessage, key, reinterpret_cast<LPARAM>(this));
  return answer != -1;
}
