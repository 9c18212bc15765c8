// The Control part: registration, the declarations of functions 0-53 and
// their work on the window.
#include "classes/windows/PObjControl.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjCursor.h"
#include "classes/PObjFont.h"
#include "classes/PObjPoint.h"
#include "classes/PObjRectangle.h"
#include "classes/windows/PObjDialog.h"
#include "classes/windows/WindowFunctions.h"
#include "dialogs/StyleTexts.h"
#include "engine/PObjectDefinition.h"
#include "window/SWnd.h"

void PObjControl::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_CONTROLS);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Control");
  definition->SetAbstract();
  PObject::Register(definition);
}

bool PObjControl::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const int F = MEMBER_FUNCTION;
  const TypeCode V = TYPE_VOID, I = TYPE_INTEGER, S = TYPE_STRING;
  const PParamDecl n(I), text(S), rect(PObjRectangle::kTypeCode), point(PObjPoint::kTypeCode);
  const PParamDecl yes(I, "true", 1), noRect(PObjRectangle::kTypeCode, nullptr);
  const PParamDecl noCursor(PObjCursor::kTypeCode, nullptr), noFont(PObjFont::kTypeCode, nullptr);
  return d->AddMember(F, CENTER, V) && d->AddMember(F, ENABLE, V, {yes}) &&
         d->AddMember(F, ENABLE_TOOLTIP, V, {yes}) && d->AddMember(F, GET_ANCHOR, I) &&
         d->AddMember(F, GET_TEXT, S) && d->AddMember(F, GET_TEXT_LENGTH, I) &&
         d->AddMember(F, GET_CLIENT_HEIGHT, I) && d->AddMember(F, GET_CLIENT_RECT, I, {rect}) &&
         d->AddMember(F, GET_CLIENT_WIDTH, I) && d->AddMember(F, GET_ID, I) && d->AddMember(F, GET_NAME, S) &&
         d->AddMember(F, GET_PARENT, PObjDialog::kTypeCode) && d->AddMember(F, GET_EX_STYLE, S) &&
         d->AddMember(F, GET_HEIGHT, I) && d->AddMember(F, GET_HANDLE, I) &&
         d->AddMember(F, GET_MOUSE, I, {point}) && d->AddMember(F, GET_MOUSE_X, I) &&
         d->AddMember(F, GET_MOUSE_Y, I) && d->AddMember(F, GET_RECT, I, {rect}) &&
         d->AddMember(F, GET_SCREEN_RECT, I, {rect}) && d->AddMember(F, GET_STYLE, S) &&
         d->AddMember(F, GET_TOOLTIP, S) && d->AddMember(F, GET_USER_DATA, I) && d->AddMember(F, GET_WIDTH, I) &&
         d->AddMember(F, GET_LEFT, I) && d->AddMember(F, GET_TOP, I) && d->AddMember(F, HAS_FOCUS, I) &&
         d->AddMember(F, IS_ENABLED, I) && d->AddMember(F, IS_VISIBLE, I) && d->AddMember(F, MOVE, V, {n, n}) &&
         d->AddMember(F, SCREEN_TO_CLIENT, V, {point}) && d->AddMember(F, CLIENT_TO_SCREEN, V, {point}) &&
         d->AddMember(F, SCREEN_TO_CLIENT_RECT, V, {rect}) && d->AddMember(F, CLIENT_TO_SCREEN_RECT, V, {rect}) &&
         d->AddMember(F, REDRAW, V, {noRect}) && d->AddMember(F, SET_SIZE, V, {n, n}) &&
         d->AddMember(F, SET_ANCHOR, V, {PParamDecl(I, "AUTOSIZE_SIZE", 68)}) &&
         d->AddMember(F, SET_TEXT, V, {text}) && d->AddMember(F, SET_CLIENT_HEIGHT, V, {n}) &&
         d->AddMember(F, SET_CLIENT_SIZE, V, {n, n}) && d->AddMember(F, SET_CLIENT_WIDTH, V, {n}) &&
         d->AddMember(F, SET_CURSOR, V, {noCursor}) && d->AddMember(F, SET_EX_STYLE, V, {text}) &&
         d->AddMember(F, SET_FONT, V, {noFont}) && d->AddMember(F, SET_FOCUS, V) &&
         d->AddMember(F, SET_HEIGHT, V, {n}) && d->AddMember(F, SET_MOUSE, V, {n, n}) &&
         d->AddMember(F, MOVE_TO_RECT, V, {rect}) && d->AddMember(F, SET_STYLE, V, {text}) &&
         d->AddMember(F, SET_TOOLTIP, V, {text}) && d->AddMember(F, SET_USER_DATA, V, {n}) &&
         d->AddMember(F, SET_WIDTH, V, {n}) && d->AddMember(F, SHOW, V, {yes}) &&
         d->AddMember(F, SHOW_CURSOR, V, {yes});
}

PObject* PObjControl::New(PObjectDefinition* definition) { return new (std::nothrow) PObjControl(definition); }

bool PObjControl::Release() {
  m_window = nullptr;
  return PObject::Release();
}

PObjControl* PObjControl::PartOf(PObject* part) {
  for (PObject* p = part; p; p = p->GetBase())
    if (p->GetDefinition()->GetTypeCode() == kTypeCode) return static_cast<PObjControl*>(p);
  return nullptr;
}

// ---- Functions ----------------------------------------------------------------------------------

bool PObjControl::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  SWnd* w = m_window;
  if (!w || !w->GetHwnd()) return true;
  auto n = [args](int i) { return GetArgInt32(args, i); };
  const int number = w->GetControlNumber();
  switch (member) {
    case CENTER: w->CenterWindow(true); return true;
    case ENABLE: w->Enable(GetArgBool(args, 0)); return true;
    case ENABLE_TOOLTIP: w->EnableToolTip(GetArgBool(args, 0)); return true;
    case GET_ANCHOR: return ReturnInt64(result, w->GetAnchor());
    case GET_TEXT: return ReturnString(result, w->GetText().GetText());
    case GET_TEXT_LENGTH: return ReturnInt64(result, w->GetTextLength());
    case GET_ID:
      // A popup's id slot holds its menu.
      if (w->GetStyle() & WS_POPUP) return ReturnInt64(result, 0);
      return ReturnInt64(result, int32_t(GetWindowLongPtrA(w->GetHwnd(), GWLP_ID)));
    case GET_NAME: return ReturnString(result, w->GetName().GetText());
    case GET_PARENT: {
      // Only a Dialog is answered: the result is typed as one.
      SWnd* parent = FindWindowObject(w->GetParent());
      PObject* object = parent ? parent->GetScriptObject() : nullptr;
      if (!object || object->GetDefinition()->GetTypeCode() != PObjDialog::kTypeCode) return true;
      return ReturnObject(result, object);
    }
    case GET_EX_STYLE: return ReturnString(result, ExStyleBitsToNames(number, w->GetExStyle()).GetText());
    case GET_STYLE: return ReturnString(result, StyleBitsToNames(number, w->GetStyle()).GetText());
    case GET_HANDLE: return ReturnInt64(result, int64_t(uint32_t(reinterpret_cast<uintptr_t>(w->GetHwnd()))));
    case GET_TOOLTIP: return ReturnString(result, w->GetToolTipText().GetText());
    case GET_USER_DATA: return ReturnInt64(result, w->GetUserData());
    case HAS_FOCUS: return ReturnBool(result, w->HasFocus());
    case IS_ENABLED: return ReturnBool(result, w->IsEnabled());
    case IS_VISIBLE: return ReturnBool(result, w->IsVisible());
    case REDRAW: RedrawRect(w, GetArgOfClass<PObjRectangle>(args, 0)); return true;
    case SET_ANCHOR: w->SetAnchor(n(0)); return true;
    case SET_TEXT: w->SetText(GetArgString(args, 0)); return true;
    case SET_CURSOR: SetCursorOf(w, GetArgOfClass<PObjCursor>(args, 0)); return true;
    case SET_EX_STYLE:
    case SET_STYLE: SetStyleFromNames(w, GetArgString(args, 0), member == SET_EX_STYLE); return true;
    case SET_FONT: {
      PObjFont* font = GetArgOfClass<PObjFont>(args, 0);
      w->SetFont(font ? font->GetFont() : nullptr, true);
      return true;
    }
    case SET_FOCUS: w->SetFocus(); return true;
    case SET_TOOLTIP: w->SetToolTipText(GetArgString(args, 0)); return true;
    case SET_USER_DATA: w->SetUserData(n(0)); return true;
    case SHOW: w->Show(GetArgBool(args, 0) ? SW_SHOW : SW_HIDE); return true;
    case SHOW_CURSOR: w->ShowCursor(GetArgBool(args, 0)); return true;
    default: return CallGeometry(member, args, result);
  }
}

bool PObjControl::CallGeometry(uint16_t member, PArgs* args, PResultCell* result) {
  SWnd* w = m_window;
  auto n = [args](int i) { return GetArgInt32(args, i); };
  PObjRectangle* rect = GetArgOfClass<PObjRectangle>(args, 0);
  PObjPoint* point = GetArgOfClass<PObjPoint>(args, 0);
  switch (member) {
    case GET_CLIENT_HEIGHT: return ReturnInt64(result, w->GetClientHeight());
    case GET_CLIENT_WIDTH: return ReturnInt64(result, w->GetClientWidth());
    case GET_HEIGHT: return ReturnInt64(result, w->GetHeight());
    case GET_WIDTH: return ReturnInt64(result, w->GetWidth());
    case GET_CLIENT_RECT:
    case GET_RECT:
    case GET_SCREEN_RECT: {
      if (!rect) return true;
      RECT r = {};
      bool ok = member == GET_CLIENT_RECT ? w->GetClientRectInWindow(&r)
                : member == GET_RECT      ? RectInParent(w, &r)
                                          : w->GetWindowRect(&r);
      if (ok) SetRectangle(rect, r);
      return ReturnBool(result, ok);
    }
    case GET_LEFT:
    case GET_TOP: {
      RECT r = {};
      if (!RectInParent(w, &r)) return true;
      return ReturnInt64(result, member == GET_LEFT ? r.left : r.top);
    }
    case GET_MOUSE: return ReturnMouse(w, 'p', point, result);
    case GET_MOUSE_X: return ReturnMouse(w, 'x', point, result);
    case GET_MOUSE_Y: return ReturnMouse(w, 'y', point, result);
    case MOVE: w->SetPosition(n(0), n(1)); return true;
    case SET_SIZE: w->SetSize(n(0), n(1)); return true;
    case SET_HEIGHT: w->SetHeight(n(0)); return true;
    case SET_WIDTH: w->SetWidth(n(0)); return true;
    case SET_CLIENT_SIZE: w->SetClientSize(n(0), n(1)); return true;
    case SET_CLIENT_HEIGHT: w->SetClientHeight(n(0)); return true;
    case SET_CLIENT_WIDTH: w->SetClientWidth(n(0)); return true;
    case SCREEN_TO_CLIENT:
    case CLIENT_TO_SCREEN: ConvertPoint(w, point, member == SCREEN_TO_CLIENT); return true;
    case SCREEN_TO_CLIENT_RECT:
    case CLIENT_TO_SCREEN_RECT: ConvertRect(w, rect, member == SCREEN_TO_CLIENT_RECT); return true;
    case MOVE_TO_RECT:
      if (rect) w->MoveToRect(RectOf(rect), true);
      return true;
    case SET_MOUSE: PutMouse(w, n(0), n(1)); return true;
    default: return true;
  }
}
