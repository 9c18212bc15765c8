// The shared window functions of the Dialog and Control classes.
#include "classes/windows/WindowFunctions.h"

#include "classes/PObjCursor.h"
#include "classes/PObjPoint.h"
#include "classes/PObjRectangle.h"
#include "dialogs/StyleTexts.h"
#include "window/SWnd.h"

RECT RectOf(const PObjRectangle* r) { return {r->GetLeft(), r->GetTop(), r->GetRight(), r->GetBottom()}; }

void SetRectangle(PObjRectangle* r, const RECT& rect) { r->Set(rect.left, rect.top, rect.right, rect.bottom); }

bool RectInParent(const SWnd* window, RECT* rect) {
  if (!window->GetWindowRect(rect)) return false;
  if (!window->IsTopLevel()) MapWindowPoints(nullptr, window->GetParent(), reinterpret_cast<POINT*>(rect), 2);
  return true;
}

void SetStyleFromNames(SWnd* window, const char* names, bool extended) {
  const int number = window->GetControlNumber();
  uint32_t named = extended ? FilterExStyleBits(number, 0xFFFFFFFF) : FilterStyleBits(number, 0xFFFFFFFF);
  uint32_t bits = extended ? NamesToExStyleBits(number, names) : NamesToStyleBits(number, names);
  uint32_t now = uint32_t(extended ? window->GetExStyle() : window->GetStyle());
  LONG next = LONG((now & ~named) | bits);
  if (extended)
    window->SetExStyle(next);
  else
    window->SetStyle(next);
  window->ApplyFrameChange();
}

void RedrawRect(SWnd* window, const PObjRectangle* rect) {
  RECT r = rect ? RectOf(rect) : RECT{};
  window->Redraw(RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE, rect ? &r : nullptr, nullptr);
}

void SetCursorOf(SWnd* window, const PObjCursor* cursor) {
  window->SetCursor(cursor ? cursor->GetCursor().GetHandle() : nullptr);
}

bool ReturnMouse(SWnd* window, char which, PObjPoint* point, PResultCell* result) {
  POINT p = {};
  window->GetCursorPos(&p);
  if (which == 'x') return PObject::ReturnInt64(result, p.x);
  if (which == 'y') return PObject::ReturnInt64(result, p.y);
  if (!point) return true;
  point->Set(p.x, p.y);
  return PObject::ReturnBool(result, true);
}

void ConvertPoint(SWnd* window, PObjPoint* point, bool toClient) {
  if (!point) return;
  POINT p = {point->GetFirst(), point->GetSecond()};
  if (toClient ? window->ScreenToClient(&p) : window->ClientToScreen(&p)) point->Set(p.x, p.y);
}

void ConvertRect(SWnd* window, PObjRectangle* rect, bool toClient) {
  if (!rect) return;
  RECT r = RectOf(rect);
  if (toClient ? window->ScreenToClientRect(&r) : window->ClientToScreenRect(&r)) SetRectangle(rect, r);
}

void PutMouse(SWnd* window, int x, int y) {
  POINT p = {x, y};
  if (window->ClientToScreen(&p)) ::SetCursorPos(p.x, p.y);
}
