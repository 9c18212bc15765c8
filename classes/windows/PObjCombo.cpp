#include "classes/windows/PObjCombo.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/windows/ControlDecl.h"

void PObjCombo::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "Combo", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PComboCtrl; });
}

bool PObjCombo::Declare(PObjectDefinition* d) {
  using namespace controldecl;
  PObject::Declare(d);
  return DeclareCreate(d, CREATE) && d->AddMember(F, REMOVE_ITEM, I, {kInt}) && d->AddMember(F, DESTROY, V) &&
         d->AddMember(F, ADD_FILES, I, {kText}) && d->AddMember(F, FIND_PREFIX, I, {kText, kMinusOne}) &&
         d->AddMember(F, FIND_EXACT, I, {kText, kMinusOne}) && d->AddMember(F, GET_TEXT, S) &&
         d->AddMember(F, GET_COUNT, I) && d->AddMember(F, GET_ITEM_VALUE, I, {kInt}) &&
         d->AddMember(F, GET_ITEM_HEIGHT, I, {kInt}) && d->AddMember(F, GET_ITEM_TEXT, S, {kInt}) &&
         d->AddMember(F, GET_ITEM_TEXT_LENGTH, I, {kInt}) && d->AddMember(F, GET_SELECTION, I) &&
         d->AddMember(F, GET_SELECTED_TEXT, S) && d->AddMember(F, GET_TOP_INDEX, I) &&
         d->AddMember(F, INSERT_ITEM, I, {kText, kMinusOne}) && d->AddMember(F, REMOVE_ALL, V) &&
         d->AddMember(F, SET_TEXT, V, {kText}) && d->AddMember(F, SET_ITEM_VALUE, V, {kInt, kInt}) &&
         d->AddMember(F, SET_ITEM_HEIGHT, V, {kInt, kInt}) && d->AddMember(F, SET_ITEM_TEXT, V, {kInt, kText}) &&
         d->AddMember(F, SET_SELECTION, I, {kInt}) && d->AddMember(F, SET_SELECTED_TEXT, V, {kText}) &&
         d->AddMember(F, SELECT_TEXT, I, {kText, kTrue, kMinusOne}) && d->AddMember(F, SET_TOP_INDEX, I, {kInt}) &&
         DeclareMouseRecordEvent(d, 25) && d->AddMember(E, 26, V) && DeclareWindowEvents(d, kFocusEvent) &&
         d->AddMember(E, 31, V);
}

PObject* PObjCombo::New(PObjectDefinition* definition) { return new (std::nothrow) PObjCombo(definition); }

bool PObjCombo::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member == CREATE) return CreateControl(args, result, new (std::nothrow) _PComboCtrl);
  if (member == DESTROY) {
    DestroyControl();
    return true;
  }
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  if (auto* combo = Window<SComboCtrl>(); combo && combo->GetHwnd()) return CallWithWindow(combo, member, args, result);
  switch (member) {
    case FIND_PREFIX:
    case FIND_EXACT:
    case GET_SELECTION:
    case GET_TOP_INDEX:
    case INSERT_ITEM:
    case SELECT_TEXT: return ReturnInt64(result, -1);
    default: return true;
  }
}

bool PObjCombo::CallWithWindow(SComboCtrl* combo, uint16_t member, PArgs* args, PResultCell* result) {
  const int index = GetArgLow32(args, 0);
  switch (member) {
    case REMOVE_ITEM: return ReturnInt64(result, int32_t(combo->SendMessage(CB_DELETESTRING, WPARAM(index), 0)));
    case ADD_FILES: return ReturnInt64(result, combo->AddFiles(GetArgString(args, 0), kFileAttributes));
    case FIND_PREFIX: return ReturnInt64(result, combo->FindString(GetArgLow32(args, 1), GetArgString(args, 0)));
    case FIND_EXACT: return ReturnInt64(result, combo->FindStringExact(GetArgLow32(args, 1), GetArgString(args, 0)));
    // The selection field follows the combo's type: what is typed in the
    // edit box of a simple or drop-down combo, the selected item of a
    // drop-down list.
    case GET_TEXT: return ReturnString(result, combo->GetText().GetText());
    case SET_TEXT: combo->SetText(GetArgString(args, 0)); return true;
    case GET_COUNT: return ReturnInt64(result, combo->GetCount());
    case GET_ITEM_VALUE: return ReturnInt64(result, uint32_t(combo->GetItemData(index)));
    case GET_ITEM_HEIGHT: return ReturnInt64(result, combo->GetItemHeight(index));
    case GET_ITEM_TEXT: return ReturnString(result, combo->GetItemText(index).GetText());
    case GET_ITEM_TEXT_LENGTH: return ReturnInt64(result, combo->GetItemTextLength(index));
    case GET_SELECTION: return ReturnInt64(result, combo->GetCurSel());
    case GET_SELECTED_TEXT: return ReturnString(result, combo->GetSelectedText().GetText());
    case GET_TOP_INDEX: return ReturnInt64(result, combo->GetTopIndex());
    case INSERT_ITEM: return ReturnInt64(result, combo->InsertItem(GetArgLow32(args, 1), GetArgString(args, 0)));
    case REMOVE_ALL: combo->RemoveAll(); return true;
    case SET_ITEM_VALUE: combo->SetItemData(index, LPARAM(uint32_t(GetArgLow32(args, 1)))); return true;
    case SET_ITEM_HEIGHT: combo->SetItemHeight(index, GetArgLow32(args, 1)); return true;
    // The item is made again under its text; its value and the selection
    // stay as they were.
    case SET_ITEM_TEXT: combo->SetItemText(index, GetArgString(args, 1)); return true;
    case SET_SELECTION: return ReturnBool(result, combo->SetCurSel(index));
    case SET_SELECTED_TEXT: combo->SetSelectedText(GetArgString(args, 0)); return true;
    case SELECT_TEXT:
      return ReturnInt64(result, combo->SelectString(GetArgLow32(args, 2), GetArgString(args, 0), GetArgBool(args, 1)));
    case SET_TOP_INDEX: return ReturnBool(result, combo->SetTopIndex(index));
    default: return true;
  }
}
