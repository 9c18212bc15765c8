// Dragging an item with the mouse, inside this tree or onto one of its drop
// targets. The loop polls the mouse and keeps the thread's messages moving
// while the button is down, outlining the target under the cursor on the
// screen with an inverting dotted pen.
#include <cstring>
#include <memory>

#include "window/ControlNotify.h"
#include "window/SCursor.h"
#include "window/SWndLifeGuard.h"
#include "window/controls/STreeCtrl.h"

namespace {

const int kCursorDrop = 14;  // the standard cursor of a valid target
const DWORD kPollMs = 10;

bool LeftButtonDown() { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }

// Where the cursor points: a tree window and the item under the cursor
// there (null: its empty space). No window: not over any candidate.
struct DragPoint {
  HWND window;
  HTREEITEM item;
};

// The outline of the current target, drawn and erased by the same call.
class DragOutline {
 public:
  DragOutline()
      : m_dc(GetDC(nullptr)), m_pen(CreatePen(PS_DOT, 1, RGB(0, 0, 0))), m_oldPen(SelectObject(m_dc, m_pen)),
        m_oldBrush(SelectObject(m_dc, GetStockObject(NULL_BRUSH))), m_oldRop(SetROP2(m_dc, R2_NOTXORPEN)),
        m_shown(false) {}
  ~DragOutline() {
    Hide();
    SetROP2(m_dc, m_oldRop);
    SelectObject(m_dc, m_oldBrush);
    SelectObject(m_dc, m_oldPen);
    DeleteObject(m_pen);
    ReleaseDC(nullptr, m_dc);
  }
  DragOutline(const DragOutline&) = delete;
  DragOutline& operator=(const DragOutline&) = delete;

  // The text rectangle of the item, or nothing.
  void Show(HWND window, HTREEITEM item) {
    Hide();
    RECT rect;
    // The item goes in where the rectangle comes back.
    std::memcpy(&rect, &item, sizeof item);
    if (!window || !item || !SendMessageA(window, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect))) return;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    m_rect = rect;
    Draw();
    m_shown = true;
  }
  void Hide() {
    if (m_shown) Draw();
    m_shown = false;
  }

 private:
  void Draw() { Rectangle(m_dc, m_rect.left, m_rect.top, m_rect.right, m_rect.bottom); }

  HDC m_dc;
  HPEN m_pen;
  HGDIOBJ m_oldPen, m_oldBrush;
  int m_oldRop;
  bool m_shown;
  RECT m_rect = {};
};

}  // namespace

void STreeCtrl::DragLoop(HTREEITEM item) {
  SelectItem(item);
  if (!LeftButtonDown()) return;
  HWND self = GetHwnd();
  SWndLifeGuard guard(this);
  std::unique_ptr<DragOutline> outline;
  DragPoint shown = {nullptr, nullptr};
  bool valid = false;
  bool cancelled = false;
  while (LeftButtonDown() && !cancelled) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        cancelled = true;
        break;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (!guard.IsAlive() || !IsWindow(self)) return;
    if (cancelled || (GetAsyncKeyState(VK_ESCAPE) & 0x8000)) {
      cancelled = true;
      break;
    }
    POINT screen;
    ::GetCursorPos(&screen);
    DragPoint at = {nullptr, nullptr};
    HWND under = WindowFromPoint(screen);
    bool candidate = under == self;
    for (int i = 0; !candidate && i < m_dropTargets.GetCount(); i++) candidate = under == m_dropTargets.GetAt(i);
    if (candidate) {
      TVHITTESTINFO hit = {};
      hit.pt = screen;
      ::ScreenToClient(under, &hit.pt);
      at.window = under;
      at.item = reinterpret_cast<HTREEITEM>(::SendMessageA(under, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    }
    if (!outline) {
      if (!at.window || (at.window == self && at.item == item)) {
        Sleep(kPollMs);
        continue;
      }
      LRESULT refused = SendToParent(ControlNotifyMessage(kControlClassTree, kTreeEventDragStarting),
                                     reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(item));
      if (!guard.IsAlive() || refused) return;
      outline.reset(new DragOutline);
    }
    valid = at.window && (at.window != self || (at.item != item && !IsDescendant(item, at.item, true)));
    ::SetCursor(GetStandardCursor(valid ? kCursorDrop : kCursorNo));
    if (at.window != shown.window || at.item != shown.item) {
      outline->Show(valid ? at.window : nullptr, at.item);
      shown = at;
    }
    Sleep(kPollMs);
  }
  if (!outline) return;
  outline.reset();
  if (cancelled || !valid) {
    SendToParent(ControlNotifyMessage(kControlClassTree, kTreeEventDragFailed), reinterpret_cast<WPARAM>(this),
                 reinterpret_cast<LPARAM>(item));
    return;
  }
  TreeDropRecord record = {item, shown.item, shown.window == self ? nullptr : shown.window, 1, 0, 1, 1};
  LRESULT handled = SendToParent(ControlNotifyMessage(kControlClassTree, kTreeEventDrop),
                                 reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&record));
  if (!guard.IsAlive() || handled) return;
  STreeCtrl* destination = this;
  if (record.targetTree) {
    destination = dynamic_cast<STreeCtrl*>(FindWindowObject(record.targetTree));
    if (!destination) return;
  }
  // The handler may have deleted either item.
  if (!IsItem(record.item) || (record.target && !destination->IsItem(record.target))) return;
  destination->SendMessage(WM_SETREDRAW, FALSE, 0);
  HTREEITEM dropped = record.move ? MoveItem(destination, record.target, record.item, record.asChild, record.last, true)
                                  : CopyItem(destination, record.target, record.item, record.asChild, record.last);
  destination->SendMessage(WM_SETREDRAW, TRUE, 0);
  InvalidateRect(destination->GetHwnd(), nullptr, TRUE);
  if (dropped) destination->SelectItem(dropped);
}
