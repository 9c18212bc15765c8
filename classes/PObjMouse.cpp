#include "classes/PObjMouse.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjPoint.h"
#include "engine/PObjectDefinition.h"
#include "files/SKeyboard.h"
#include "window/FrameworkMessage.h"
#include "window/SWndApp.h"

LRESULT PObjMouse::_PWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  int event = -1;
  switch (message) {
    case kCaptureDragMoveMessage: event = ON_DRAG_MOVE; break;
    case kCaptureDragDropMessage: event = ON_DRAG_DROP; break;
    case kCaptureLostMessage: event = ON_DRAG_LOST; break;
    default: break;
  }
  if (event >= 0) {
    // The point's halves are signed: a drag goes beyond the window's origin.
    RaiseEvent(m_owner, event, nullptr, int16_t(LOWORD(lparam)), int16_t(HIWORD(lparam)), int32_t(wparam));
  }
  return SWnd::WindowProc(message, wparam, lparam);
}

PObjMouse::PObjMouse(PObjectDefinition* definition) : PObject(definition), m_window(this) {
  m_window.CreateHidden(nullptr);
  m_window.SetScriptObject(this);
}

void PObjMouse::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SERVICES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Mouse");
  PObject::Register(definition);
}

bool PObjMouse::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kVoid = TYPE_VOID;
  const PParamDecl n(TYPE_INTEGER);
  bool ok = d->AddMember(MEMBER_FUNCTION, END_DRAG, kInt) && d->AddMember(MEMBER_FUNCTION, START_DRAG, kInt);
  for (uint16_t m = CLICK_LEFT; m <= RELEASE_RIGHT; m++) ok = ok && d->AddMember(MEMBER_FUNCTION, m, kVoid);
  ok = ok && d->AddMember(MEMBER_FUNCTION, GET_POSITION, kInt, {PParamDecl(PObjPoint::kTypeCode)});
  for (uint16_t m = GET_X; m <= IS_RIGHT_DOWN; m++) ok = ok && d->AddMember(MEMBER_FUNCTION, m, kInt);
  ok = ok && d->AddMember(MEMBER_FUNCTION, MOVE_TO, kVoid, {n, n}) &&
       d->AddMember(MEMBER_FUNCTION, SHOW_CURSOR, kVoid, {PParamDecl(TYPE_INTEGER, "true", 1)});
  for (uint16_t m = ON_DRAG_LOST; m <= ON_DRAG_MOVE; m++) ok = ok && d->AddMember(MEMBER_EVENT, m, kVoid, {n, n, n});
  return ok;
}

PObject* PObjMouse::New(PObjectDefinition* definition) { return new (std::nothrow) PObjMouse(definition); }

bool PObjMouse::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  POINT p = {0, 0};
  switch (member) {
    case END_DRAG: return ReturnBool(result, ReleaseAppCapture());
    case START_DRAG: {
      const SWndApp* app = GetAppWindow();
      if (!app || GetCapture() == app->GetHwnd()) return ReturnBool(result, false);
      return ReturnBool(result, StartAppCapture(m_window.GetHwnd(), true, true));
    }
    case CLICK_LEFT: SKeyboard::ClickLeft(); return true;
    case DOUBLE_CLICK_LEFT: SKeyboard::DoubleClickLeft(); return true;
    case PRESS_LEFT: SKeyboard::PressLeft(); return true;
    case RELEASE_LEFT: SKeyboard::ReleaseLeft(); return true;
    case CLICK_MIDDLE: SKeyboard::ClickMiddle(); return true;
    case DOUBLE_CLICK_MIDDLE: SKeyboard::DoubleClickMiddle(); return true;
    case PRESS_MIDDLE: SKeyboard::PressMiddle(); return true;
    case RELEASE_MIDDLE: SKeyboard::ReleaseMiddle(); return true;
    case CLICK_RIGHT: SKeyboard::ClickRight(); return true;
    case DOUBLE_CLICK_RIGHT: SKeyboard::DoubleClickRight(); return true;
    case PRESS_RIGHT: SKeyboard::PressRight(); return true;
    case RELEASE_RIGHT: SKeyboard::ReleaseRight(); return true;
    case GET_POSITION: {
      PObjPoint* point = GetArgOfClass<PObjPoint>(args, 0);
      if (!point) return true;
      GetCursorPos(&p);
      point->Set(p.x, p.y);
      return ReturnBool(result, true);
    }
    case GET_X: GetCursorPos(&p); return ReturnInt64(result, p.x);
    case GET_Y: GetCursorPos(&p); return ReturnInt64(result, p.y);
    case IS_LEFT_DOWN: return ReturnBool(result, IsLeftButtonDown());
    case IS_MIDDLE_DOWN: return ReturnBool(result, IsMiddleButtonDown());
    case IS_RIGHT_DOWN: return ReturnBool(result, IsRightButtonDown());
    case MOVE_TO: SetCursorPos(GetArgLow32(args, 0), GetArgLow32(args, 1)); return true;
    case SHOW_CURSOR: SKeyboard::ShowMouseCursor(GetArgBool(args, 0)); return true;
    default: return PObject::Call(member, args, result, caller);
  }
}
