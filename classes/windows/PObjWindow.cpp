// The Window class: registration, members, and the events its window
// raises itself.
#include "classes/windows/PObjWindow.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"
#include "classes/windows/PObjImage.h"
#include "engine/PObjectDefinition.h"
#include "window/ControlNotify.h"
#include "window/FrameworkMessage.h"

void PObjWindow::_PWindowCtrl::RaiseEvents(UINT message, WPARAM wparam, LPARAM lparam) {
  PObject* object = GetScriptObject();
  if (!object) return;
  const bool button = message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK;
  const bool click = message >= kLeftClickMessage && message <= kRightClickMessage;
  if (button || click) {
    const ControlMouseRecord record = MakeControlMouseRecord(m_hwnd, MouseEventCodeFor(message), lparam);
    PObject::RaiseEvent(object, ON_MOUSE, nullptr, uint32_t(record.code), record.x, record.y, record.screenX,
                        record.screenY);
    PObjControlPart::FinishEvent(object);
    return;
  }
  if (message == WM_ERASEBKGND) {
    // The framework has put its off-screen drawing surface into lparam.
    PObject::RaiseEvent(object, ON_ERASE, nullptr, uint32_t(lparam));
    PObjControlPart::FinishEvent(object);
    return;
  }
  PObjInnerCtrl::RaiseEvents(message, wparam, lparam);
}

void PObjWindow::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "Window", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PWindowCtrl; });
}

bool PObjWindow::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const PParamDecl colour(PObjColor::kTypeCode), noColour(PObjColor::kTypeCode, nullptr);
  const PParamDecl noImage(PObjImage::kTypeCode, nullptr);
  return DeclareCreateDestroy(d, CREATE, DESTROY) &&
         d->AddMember(MEMBER_FUNCTION, GET_BACK_COLOR, TYPE_INTEGER, {colour}) &&
         d->AddMember(MEMBER_FUNCTION, GET_DRAW_MODE, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, SET_BACK_COLOR, TYPE_VOID, {noColour}) &&
         d->AddMember(MEMBER_FUNCTION, SET_BACK_IMAGE, TYPE_VOID, {noImage}) &&
         d->AddMember(MEMBER_FUNCTION, SET_DRAW_MODE, TYPE_VOID, {PParamDecl(TYPE_INTEGER, "DRAW_TOPLEFT", DRAW_TOPLEFT)}) &&
         DeclareMouseRecordEvent(d, ON_MOUSE) &&
         d->AddMember(MEMBER_EVENT, ON_ERASE, TYPE_VOID, {PParamDecl(TYPE_INTEGER)}) &&
         DeclareWindowEvents(d, ON_FOCUS);
}

PObject* PObjWindow::New(PObjectDefinition* definition) { return new (std::nothrow) PObjWindow(definition); }

bool PObjWindow::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member == CREATE) return CreateControl(args, result, new (std::nothrow) _PWindowCtrl, false);
  if (member == DESTROY) {
    DestroyControl();
    return true;
  }
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  SWnd* window = GetWindow();
  if (!window) return true;
  switch (member) {
    case GET_BACK_COLOR: {
      PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      if (!colour) return true;
      colour->SetColorRef(window->GetBackColor());
      return ReturnBool(result, true);
    }
    case GET_DRAW_MODE: return ReturnInt64(result, window->GetBackgroundDrawMode());
    case SET_BACK_COLOR: {
      const PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      window->SetBackColor(colour ? colour->GetColorRef() : kColorNone);
      window->Redraw(RDW_INVALIDATE | RDW_ERASE, nullptr, nullptr);
      return true;
    }
    case SET_BACK_IMAGE: {
      // A copy of the picture; the draw mode stays, without margins or key.
      PObjImage* image = PObjImage::GetArgImage(args, 0);
      window->SetBackgroundImage(image ? image->GetBitmap() : nullptr, kColorNone, -1, nullptr, true);
      return true;
    }
    case SET_DRAW_MODE: {
      const int32_t mode = GetArgLow32(args, 0);
      window->SetBackgroundDrawMode(mode >= DRAW_TOPLEFT && mode <= DRAW_FITZOOM ? mode : DRAW_TOPLEFT);
      window->Redraw(RDW_INVALIDATE | RDW_ERASE, nullptr, nullptr);
      return true;
    }
    default: return true;
  }
}
