// The Check class: registration, members, and the state functions.
#include "classes/windows/PObjCheck.h"

#include <new>

#include "engine/PObjectDefinition.h"

void PObjCheck::Register(PObjectDefinition* definition) {
  definition->AddConstant("UNCHECKED", UNCHECKED);
  definition->AddConstant("CHECKED", CHECKED);
  definition->AddConstant("INDETERMINATE", INDETERMINATE);
  RegisterControl(definition, New, kTypeCode, "Check", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PCheckCtrl; });
}

bool PObjCheck::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  return DeclareCreateDestroy(d, CREATE, DESTROY) && d->AddMember(MEMBER_FUNCTION, GET_STATE, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, SET_STATE, TYPE_VOID, {PParamDecl(TYPE_INTEGER, "Check.CHECKED", CHECKED)}) &&
         DeclareMouseRecordEvent(d, ON_MOUSE) && DeclareWindowEvents(d, ON_FOCUS) &&
         d->AddMember(MEMBER_EVENT, ON_STATE_CHANGED, TYPE_VOID, {PParamDecl(TYPE_INTEGER)});
}

PObject* PObjCheck::New(PObjectDefinition* definition) { return new (std::nothrow) PObjCheck(definition); }

bool PObjCheck::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case CREATE: return CreateControl(args, result, new (std::nothrow) _PCheckCtrl);
    case DESTROY: DestroyControl(); return true;
    default: break;
  }
  SCheckCtrl* check = Window<SCheckCtrl>();
  if (member > SET_STATE || !check) return PObject::Call(member, args, result, caller);
  if (member == GET_STATE) return ReturnInt64(result, check->GetCheck());
  // Above 1 or below 0: indeterminate, which a two-state box would take
  // for checked: it becomes a three-state box first (clicks still toggle
  // it through the framework).
  int64_t state = GetArgInt64(args, 0);
  if (state != UNCHECKED && state != CHECKED) {
    LONG style = check->GetStyle();
    LONG type = style & BS_TYPEMASK;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX)
      check->SendMessage(BM_SETSTYLE, (style & ~BS_TYPEMASK & 0xFFFF) | (type == BS_CHECKBOX ? BS_3STATE : BS_AUTO3STATE),
                         FALSE);
    state = INDETERMINATE;
  }
  check->SetCheck(int(state));
  return true;
}
