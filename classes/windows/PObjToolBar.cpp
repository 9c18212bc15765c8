#include "classes/windows/PObjToolBar.h"

#include <new>
#include <utility>

#include "classes/ClassArgs.h"
#include "engine/PObjectDefinition.h"

void PObjToolBar::_PToolBarCtrl::SetImages(ImageListUse use) {
  // The bar lets go of the old list before its share is dropped, which may
  // destroy it.
  SetImageList(use.GetHandle());
  m_images = std::move(use);
}

void PObjToolBar::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "ToolBar", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PToolBarCtrl; });
}

bool PObjToolBar::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  // In number order: a program names a member by its position.
  const int F = MEMBER_FUNCTION;
  const TypeCode V = TYPE_VOID, I = TYPE_INTEGER, S = TYPE_STRING;
  const PParamDecl integer(I), yes(I, "true", 1);
  return d->AddMember(F, ADD_BUTTON, I, {integer, PParamDecl(I, "-1", -1), PParamDecl(S, ""), yes, yes}) &&
         d->AddMember(F, ADD_SEPARATOR, I, {PParamDecl(I, "0", 0)}) && DeclareCreate(d, CREATE) &&
         d->AddMember(F, DELETE_BUTTON, I, {integer}) && d->AddMember(F, DESTROY, V) &&
         d->AddMember(F, ENABLE_BUTTON, I, {integer, yes}) && d->AddMember(F, IS_CHECKED, I, {integer}) &&
         d->AddMember(F, GET_BUTTON_COUNT, I) && d->AddMember(F, GET_BUTTON_ID, I, {integer}) &&
         d->AddMember(F, GET_BUTTON_INDEX, I, {integer}) && d->AddMember(F, GET_BUTTON_TEXT, S, {integer}) &&
         d->AddMember(F, MOVE_BUTTON, I, {integer, integer}) && d->AddMember(F, IS_ENABLED, I, {integer}) &&
         d->AddMember(F, IS_VISIBLE, I, {integer}) &&
         d->AddMember(F, SET_IMAGE_LIST, V, {PParamDecl(PObjImageList::kTypeCode)}) &&
         d->AddMember(F, CHECK_BUTTON, I, {integer, yes}) && d->AddMember(F, SHOW_BUTTON, I, {integer, yes}) &&
         d->AddMember(MEMBER_EVENT, ON_COMMAND, V, {integer});
}

PObject* PObjToolBar::New(PObjectDefinition* definition) { return new (std::nothrow) PObjToolBar(definition); }

// ---- Members ------------------------------------------------------------------------------------

bool PObjToolBar::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member == CREATE) return CreateControl(args, result, new (std::nothrow) _PToolBarCtrl, false);
  if (member > SHOW_BUTTON) return PObject::Call(member, args, result, caller);
  SToolBarCtrl* bar = Window<SToolBarCtrl>();
  if (!bar) {
    // "None" rather than the prefilled 0, which may be a button's id or
    // the first index.
    if (member == GET_BUTTON_ID || member == GET_BUTTON_INDEX) return ReturnInt64(result, -1);
    return true;
  }
  const int id = GetArgLow32(args, 0);
  switch (member) {
    case ADD_BUTTON: {
      const char* text = GetArgString(args, 2);
      BYTE style = BTNS_SHOWTEXT | (GetArgBool(args, 3) ? BTNS_AUTOSIZE : 0);
      BYTE state = GetArgBool(args, 4) ? TBSTATE_ENABLED : 0;
      return ReturnBool(result, bar->AddButton(GetArgLow32(args, 1), id, *text ? text : nullptr, style, state, 0));
    }
    case ADD_SEPARATOR: return ReturnBool(result, bar->AddSeparator(id, 0));
    case DELETE_BUTTON: return ReturnBool(result, bar->DeleteButton(id));
    case DESTROY: DestroyControl(); return true;
    case ENABLE_BUTTON: return ReturnBool(result, bar->EnableButton(id, GetArgBool(args, 1)));
    case IS_CHECKED: return ReturnBool(result, bar->IsButtonChecked(id));
    case GET_BUTTON_COUNT: return ReturnInt64(result, bar->GetButtonCount());
    case GET_BUTTON_ID: return ReturnInt64(result, bar->GetButtonId(id));
    case GET_BUTTON_INDEX: return ReturnInt64(result, bar->CommandToIndex(id));
    case GET_BUTTON_TEXT: return ReturnString(result, bar->GetButtonText(id).GetText());
    case MOVE_BUTTON: return ReturnBool(result, bar->MoveButton(id, GetArgLow32(args, 1)));
    case IS_ENABLED: return ReturnBool(result, bar->IsButtonEnabled(id));
    case IS_VISIBLE: return ReturnBool(result, bar->IsButtonVisible(id));
    case SET_IMAGE_LIST: {
      // Every ToolBar window is made as one; a share is kept by the window
      // that draws from the list.
      auto* inner = dynamic_cast<_PToolBarCtrl*>(bar);
      if (!inner) return true;
      PObjImageList* list = PObjImageList::GetArgImageList(args, 0);
      inner->SetImages(list ? list->Use() : ImageListUse());
      return true;
    }
    case CHECK_BUTTON: return ReturnBool(result, bar->CheckButton(id, GetArgBool(args, 1)));
    case SHOW_BUTTON: return ReturnBool(result, bar->ShowButton(id, GetArgBool(args, 1)));
  }
  return true;
}
