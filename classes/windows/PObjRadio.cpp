// The Radio class: registration, members, and the group functions.
#include "classes/windows/PObjRadio.h"

#include <new>

#include "classes/ClassArgs.h"
#include "engine/PObjectDefinition.h"

void PObjRadio::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "Radio", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PRadioCtrl; });
}

bool PObjRadio::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const int F = MEMBER_FUNCTION;
  return DeclareCreateDestroy(d, CREATE, DESTROY) && d->AddMember(F, IS_CHECKED, TYPE_INTEGER) &&
         d->AddMember(F, GET_GROUP, TYPE_INTEGER) && d->AddMember(F, SELECT, TYPE_VOID) &&
         d->AddMember(F, SET_GROUP, TYPE_VOID, {PParamDecl(TYPE_INTEGER, "-1", -1)}) &&
         DeclareMouseRecordEvent(d, ON_MOUSE) && DeclareWindowEvents(d, ON_FOCUS) &&
         d->AddMember(MEMBER_EVENT, ON_SELECTED, TYPE_VOID, {PParamDecl(TYPE_INTEGER)});
}

PObject* PObjRadio::New(PObjectDefinition* definition) { return new (std::nothrow) PObjRadio(definition); }

bool PObjRadio::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case CREATE: return CreateControl(args, result, new (std::nothrow) _PRadioCtrl);
    case DESTROY: DestroyControl(); return true;
    default: break;
  }
  SRadioCtrl* radio = Window<SRadioCtrl>();
  if (member == GET_GROUP) return ReturnInt64(result, radio ? radio->GetGroup() : -1);
  if (member > SET_GROUP || !radio) return PObject::Call(member, args, result, caller);
  switch (member) {
    case IS_CHECKED: return ReturnBool(result, radio->IsChecked());
    case SELECT: radio->Select(); return true;
    case SET_GROUP: radio->SetGroup(GetArgLow32(args, 0)); return true;
    default: return true;
  }
}
