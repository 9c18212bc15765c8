#include "window/controls/SEditCtrl.h"

#include <richedit.h>

#include <algorithm>
#include <vector>

#include "window/ControlNotify.h"
#include "window/Framework.h"
#include "window/SWndLifeGuard.h"

namespace {

enum : int {
  kEventMouse = 0,
  kEventEnter = 2,
  kEventFocus = 3,
};

const UINT kEditMouse = ControlNotifyMessage(kControlClassEdit, kEventMouse);
// Any run of characters, in the coded patterns of the word list.
const char kAnyRun[] = "\x01";
// The popup hangs this far below the edit at most.
const int kPopupHeight = 200;
const DWORD kPopupStyle = WS_POPUP | WS_BORDER | WS_VSCROLL;

bool KeyHeld(int key) { return GetKeyState(key) < 0; }

}  // namespace

SEditCtrl::SEditCtrl() : m_contextMenuAllowed(true), m_textColor(kColorNone), m_completion(false) {
  m_windowType = kWindowEdit;
}

SEditCtrl::~SEditCtrl() { m_popup.reset(); }

bool SEditCtrl::Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
                       void* creationData) {
  return CreateControlWindow(*this, "EDIT", 0, text, style, exStyle, rect, parent, id, creationData);
}

// ---- Text -------------------------------------------------------------------------------

SString SEditCtrl::GetTextRange(int start, int count) const {
  SString text = GetText();
  if (start < 0 || start >= text.GetLength()) return SString("");
  return text.Mid(start, count);
}

SString SEditCtrl::GetLineText(int line) const {
  if (!m_hwnd || line < 0 || line >= GetLineCount()) return SString("");
  int first = LineIndex(line);
  if (first < 0) return SString("");
  int length = LineLength(first);
  // The first word of the buffer holds its size, so it has room for two
  // bytes even for a line of none or one.
  std::vector<char> buffer(size_t(std::max(length, 2)) + 1, 0);
  *reinterpret_cast<WORD*>(buffer.data()) = WORD(buffer.size() - 1);
  LRESULT copied = SendMessage(EM_GETLINE, WPARAM(line), reinterpret_cast<LPARAM>(buffer.data()));
  SString text("");
  if (copied > 0) text.Assign(buffer.data(), int(std::min<LRESULT>(copied, LRESULT(buffer.size() - 1))));
  return text;
}

SString SEditCtrl::GetSelectedText() const {
  int start = 0, end = 0;
  GetSel(&start, &end);
  return GetText().Mid(start, end - start);
}

// ---- Senders ----------------------------------------------------------------------------

bool SEditCtrl::Undo() { return SendMessage(EM_UNDO, 0, 0) != 0; }
bool SEditCtrl::CanUndo() const { return SendMessage(EM_CANUNDO, 0, 0) != 0; }
void SEditCtrl::SetFormatRect(const RECT* rect) { SendMessage(EM_SETRECT, 0, reinterpret_cast<LPARAM>(rect)); }
void SEditCtrl::GetFormatRect(RECT* rect) const { SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(rect)); }
void SEditCtrl::ReplaceSelection(const char* text, bool canUndo) {
  SendMessage(EM_REPLACESEL, canUndo ? 1 : 0, reinterpret_cast<LPARAM>(text ? text : ""));
}
void SEditCtrl::SetSel(int start, int end) {
  if (start < 0) start = GetTextLength();
  SendMessage(EM_SETSEL, WPARAM(start), LPARAM(end));
}
void SEditCtrl::GetSel(int* start, int* end) const {
  DWORD first = 0, last = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
  if (start) *start = int(first);
  if (end) *end = int(last);
}
void SEditCtrl::SetPasswordChar(char character) { SendMessage(EM_SETPASSWORDCHAR, WPARAM(BYTE(character)), 0); }
char SEditCtrl::GetPasswordChar() const { return char(SendMessage(EM_GETPASSWORDCHAR, 0, 0)); }
void SEditCtrl::SetModified(bool modified) { SendMessage(EM_SETMODIFY, modified ? 1 : 0, 0); }
bool SEditCtrl::IsModified() const { return SendMessage(EM_GETMODIFY, 0, 0) != 0; }
void SEditCtrl::SetLimitText(int maximum) { SendMessage(EM_LIMITTEXT, WPARAM(maximum), 0); }
int SEditCtrl::GetLimitText() const { return int(SendMessage(EM_GETLIMITTEXT, 0, 0)); }
void SEditCtrl::SetReadOnly(bool readOnly) { SendMessage(EM_SETREADONLY, readOnly ? 1 : 0, 0); }
void SEditCtrl::ScrollLines(int characters, int lines) { SendMessage(EM_LINESCROLL, WPARAM(characters), lines); }
void SEditCtrl::ScrollPage(bool down) { SendMessage(EM_SCROLL, down ? SB_PAGEDOWN : SB_PAGEUP, 0); }
void SEditCtrl::ScrollLine(bool down) { SendMessage(EM_SCROLL, down ? SB_LINEDOWN : SB_LINEUP, 0); }
void SEditCtrl::CharFromPos(int x, int y, int* index, int* line) const {
  LRESULT answer = SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(x, y));
  if (index) *index = LOWORD(answer);
  if (line) *line = HIWORD(answer);
}
void SEditCtrl::PosFromChar(int index, int* x, int* y) const {
  LRESULT answer = SendMessage(EM_POSFROMCHAR, WPARAM(index), 0);
  // Signed words: a character scrolled out to the left or above lies at a
  // negative x or y.
  if (x) *x = short(LOWORD(answer));
  if (y) *y = short(HIWORD(answer));
}
int SEditCtrl::LineIndex(int line) const { return int(SendMessage(EM_LINEINDEX, WPARAM(line), 0)); }
int SEditCtrl::LineLength(int index) const { return int(SendMessage(EM_LINELENGTH, WPARAM(index), 0)); }
int SEditCtrl::LineFromChar(int index) const { return int(SendMessage(EM_LINEFROMCHAR, WPARAM(index), 0)); }
int SEditCtrl::GetLineCount() const { return int(SendMessage(EM_GETLINECOUNT, 0, 0)); }
int SEditCtrl::GetFirstVisibleLine() const { return int(SendMessage(EM_GETFIRSTVISIBLELINE, 0, 0)); }
void SEditCtrl::Cut() { SendMessage(WM_CUT, 0, 0); }
void SEditCtrl::Copy() { SendMessage(WM_COPY, 0, 0); }
void SEditCtrl::Paste() { SendMessage(WM_PASTE, 0, 0); }
void SEditCtrl::DeleteSelection() { SendMessage(WM_CLEAR, 0, 0); }

// ---- Colours ----------------------------------------------------------------------------

HBRUSH SEditCtrl::ColorHandler(HDC dc) {
  HBRUSH brush = BackgroundBrush(*this, m_brush, dc);
  if (m_textColor == kColorNone) return brush;
  ::SetTextColor(dc, m_textColor);
  if (!brush) {
    brush = m_brush.ForBackColor(GetSysColor(COLOR_WINDOW));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  }
  return brush;
}

// ---- Completion -------------------------------------------------------------------------

bool SEditCtrl::CreatePopup() {
  RECT rect;
  if (!::GetWindowRect(m_hwnd, &rect)) return false;
  rect.top = rect.bottom;
  rect.bottom = std::min<LONG>(rect.bottom + kPopupHeight, GetSystemMetrics(SM_CYSCREEN));
  auto popup = std::make_unique<SListCtrl>();
  if (!popup->Create(kPopupStyle, 0, &rect, m_hwnd, 0)) return false;
  popup->SetFont(GetFont(), true);
  m_popup = std::move(popup);
  return true;
}

void SEditCtrl::UpdateCompletion(WPARAM key) {
  if (m_popup) {
    if (key == VK_RETURN) {
      int selection = m_popup->GetSelection();
      if (selection >= 0) {
        SString word = m_popup->GetItemText(selection);
        m_popup.reset();
        SetText(word.GetText());
        SendMessage(EM_SETSEL, WPARAM(word.GetLength()), -1);
        return;
      }
    } else if (key == VK_ESCAPE) {
      m_popup.reset();
      return;
    } else if (key == VK_UP || key == VK_DOWN) {
      return;
    }
  } else if (GetTextLength() == 0 && key != VK_DOWN) {
    return;
  }
  SString pattern = GetText() + kAnyRun;
  SArray<int> matches;
  if (m_words.FindMatches(pattern.GetText(), &matches) == 0) {
    m_popup.reset();
    return;
  }
  if (!m_popup && !CreatePopup()) return;
  m_popup->RemoveAll();
  for (int i = 0; i < matches.GetCount(); i++) m_popup->InsertItem(-1, m_words.GetString(matches.GetAt(i)).GetText());
  // Shown without taking the activation from the edit's window, which
  // keeps the keyboard.
  m_popup->Show(SW_SHOWNOACTIVATE);
  SetFocus();
}

// ---- Messages ---------------------------------------------------------------------------

bool SEditCtrl::Notify(int event, LPARAM lparam) {
  SWndLifeGuard guard(this);
  SendToParent(ControlNotifyMessage(kControlClassEdit, event), reinterpret_cast<WPARAM>(this), lparam);
  return guard.IsAlive();
}

void SEditCtrl::PrintClient(HDC dc) {
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  HBRUSH window = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
  FillRect(dc, &client, window);
  DeleteObject(window);
  RECT format = {0, 0, 0, 0};
  GetFormatRect(&format);
  RECT twips = {PixelsToTwips(format.left), PixelsToTwips(format.top), PixelsToTwips(format.right),
                PixelsToTwips(format.bottom)};
  FORMATRANGE range = {};
  range.hdc = dc;
  range.hdcTarget = dc;
  range.rc = twips;
  range.rcPage = twips;
  range.chrg.cpMin = 0;
  range.chrg.cpMax = -1;
  SendMessage(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&range));
  SendMessage(EM_FORMATRANGE, 1, 0);  // frees what the control cached
}

LRESULT SEditCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (!Notify(kEventFocus, message == WM_SETFOCUS ? 1 : 0)) return 0;
      return SWnd::WindowProc(message, wparam, lparam);
    case WM_KEYDOWN:
      // The open popup has the keys.
      if (m_completion && m_popup) return 0;
      if (wparam == VK_RETURN && !Notify(kEventEnter, 0)) return 0;
      if (wparam == 'A' && KeyHeld(VK_CONTROL)) SetSel(0, -1);
      return SWnd::WindowProc(message, wparam, lparam);
    case WM_KEYUP: {
      if (m_completion) {
        SWndLifeGuard guard(this);
        UpdateCompletion(wparam);
        if (!guard.IsAlive()) return 0;
      }
      if (m_popup && (wparam == VK_UP || wparam == VK_DOWN)) {
        int selection = m_popup->GetSelection();
        if (wparam == VK_UP && selection > 0) m_popup->SetSelection(selection - 1);
        // On the last item the selection stays: some list boxes clear it
        // for an index past the end rather than refusing.
        if (wparam == VK_DOWN && selection + 1 < m_popup->GetCount()) m_popup->SetSelection(selection + 1);
        return 0;
      }
      return SWnd::WindowProc(message, wparam, lparam);
    }
    case WM_CHAR:
      if (wparam == '\r') {
        // A single line would only beep.
        if (!(GetStyle() & ES_MULTILINE)) return 0;
      } else if (KeyHeld(VK_CONTROL) && !KeyHeld(VK_MENU) && !KeyHeld('X') && !KeyHeld('C') && !KeyHeld('V') &&
                 !KeyHeld('Z')) {
        // Ctrl+letter characters other than the clipboard and undo ones;
        // Ctrl with Alt is AltGr, whose characters are text.
        return 0;
      }
      return SWnd::WindowProc(message, wparam, lparam);
    case WM_RBUTTONDOWN:
      if (!ReportControlMouse(*this, kEditMouse, message, lparam)) return 0;
      return m_contextMenuAllowed ? SWnd::WindowProc(message, wparam, lparam) : 0;
    case WM_PRINTCLIENT:
      PrintClient(reinterpret_cast<HDC>(wparam));
      return SWnd::WindowProc(message, wparam, lparam);
  }
  return ControlWindowProc(*this, kEditMouse, message, wparam, lparam);
}
