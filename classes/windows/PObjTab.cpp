// The Tab class: registration, members as programs see them, and the
// functions over the tab control and its pages.
#include "classes/windows/PObjTab.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjRectangle.h"
#include "classes/windows/PObjControl.h"
#include "engine/PObjectDefinition.h"
#include "window/WindowType.h"

namespace {

const TypeCode V = TYPE_VOID, I = TYPE_INTEGER, S = TYPE_STRING;

// The window of a Control argument; null for none, or a control without
// one.
SWnd* ControlWindow(const PArgs* args, int i) {
  PObject* object = PObject::GetArgObject(args, i);
  PObjControl* control = object ? PObjControl::PartOf(object) : nullptr;
  return control ? control->GetWindow() : nullptr;
}

}  // namespace

void PObjTab::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "Tab", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PTabCtrl; });
}

bool PObjTab::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const int F = MEMBER_FUNCTION, E = MEMBER_EVENT;
  const PParamDecl i(I), s(S), rect(PObjRectangle::kTypeCode), control(PObjControl::kTypeCode);
  const PParamDecl kMinusOne(I, "-1", -1);
  return d->AddMember(F, ATTACH, V, {i, control}) && DeclareCreateDestroy(d, CREATE, DESTROY) &&
         d->AddMember(F, GET_PAGE_RECT, I, {rect}) && d->AddMember(F, GET_PAGE_COUNT, I) &&
         d->AddMember(F, GET_PAGE_TEXT, S, {i}) && d->AddMember(F, GET_PAGE_TIP, S, {i}) &&
         d->AddMember(F, GET_SELECTION, I) && d->AddMember(F, GET_SELECTED_TEXT, S) &&
         d->AddMember(F, INSERT_PAGE, I, {s, kMinusOne, kMinusOne}) && d->AddMember(F, DETACH, I, {i, control}) &&
         d->AddMember(F, REMOVE_ALL, V) && d->AddMember(F, SET_PAGE_TEXT, V, {i, s}) &&
         d->AddMember(F, SET_PAGE_TIP, V, {i, s}) && d->AddMember(F, SELECT_PAGE, V, {i}) &&
         // Events.
         DeclareMouseRecordEvent(d, ON_MOUSE) && DeclareWindowEvents(d, ON_FOCUS) &&
         d->AddMember(E, ON_PAGE_CHANGED, V, {i});
}

PObject* PObjTab::New(PObjectDefinition* definition) { return new (std::nothrow) PObjTab(definition); }

bool PObjTab::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case CREATE: return CreateControl(args, result, new (std::nothrow) _PTabCtrl, false);
    case DESTROY: DestroyControl(); return true;
    default: break;
  }
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  if (GetWindow() && GetWindow()->GetType() == kWindowTab) return CallWindowFunction(member, args, result);
  if (member == GET_SELECTION || member == INSERT_PAGE) return ReturnInt64(result, -1);
  return true;
}

bool PObjTab::CallWindowFunction(uint16_t member, PArgs* args, PResultCell* result) {
  STabCtrl* tab = Window<STabCtrl>();
  const int page = GetArgLow32(args, 0);
  switch (member) {
    // Attaching and detaching change only the lists: the windows show or
    // hide at the next page change.
    case ATTACH: {
      SWnd* window = ControlWindow(args, 1);
      if (window) tab->AddPageWindow(page, window);
      return true;
    }
    case DETACH: return ReturnBool(result, tab->RemovePageWindow(ControlWindow(args, 1), page));
    case GET_PAGE_RECT: {
      PObjRectangle* out = GetArgOfClass<PObjRectangle>(args, 0);
      if (!out) return true;
      RECT rect;
      tab->GetPageRect(&rect);
      out->Set(rect.left, rect.top, rect.right, rect.bottom);
      return ReturnBool(result, true);
    }
    case GET_PAGE_COUNT: return ReturnInt64(result, tab->GetItemCount());
    case GET_PAGE_TEXT: return ReturnString(result, tab->GetItemText(page).GetText());
    case GET_PAGE_TIP: return ReturnString(result, tab->GetItemTip(page).GetText());
    case GET_SELECTION: return ReturnInt64(result, tab->GetCurSel());
    case GET_SELECTED_TEXT: return ReturnString(result, tab->GetSelectedText().GetText());
    case INSERT_PAGE:
      return ReturnInt64(result, tab->InsertItem(GetArgLow32(args, 1), GetArgLow32(args, 2), GetArgString(args, 0)));
    case REMOVE_ALL: tab->RemoveAll(); return true;
    case SET_PAGE_TEXT: tab->SetItemText(page, GetArgString(args, 1)); return true;
    case SET_PAGE_TIP: tab->SetItemTip(page, GetArgString(args, 1)); return true;
    case SELECT_PAGE: tab->SetCurSel(page); return true;
    default: return true;
  }
}
