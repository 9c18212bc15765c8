#include "classes/windows/PObjScroll.h"

#include "classes/ClassArgs.h"
#include "classes/windows/ControlDeclareHelpers.h"

void PObjScroll::Register(PObjectDefinition* definition) {
  RegisterControlClass(definition, New, kTypeCode, "Scroll", kControlNumber, NewInnerWindow<_PScrollCtrl>);
}

bool PObjScroll::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const int F = MEMBER_FUNCTION;
  const TypeCode I = TYPE_INTEGER, V = TYPE_VOID;
  const PParamDecl integer(I);
  return DeclareControlCreate(d, CREATE) && d->AddMember(F, DESTROY, V) && d->AddMember(F, GET_MAX, I) &&
         d->AddMember(F, GET_MIN, I) && d->AddMember(F, GET_POS, I) &&
         d->AddMember(F, SET_RANGE, V, {integer, integer}) && d->AddMember(F, SET_POS, V, {integer}) &&
         DeclareControlMouseEvent(d, EVENT_MOUSE) &&
         d->AddMember(MEMBER_EVENT, EVENT_POSITION_CHANGED, V, {integer, integer}) &&
         DeclareControlCommonEvents(d, EVENT_FOCUS);
}

PObject* PObjScroll::New(PObjectDefinition* definition) { return new (std::nothrow) PObjScroll(definition); }

bool PObjScroll::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member == CREATE) return CreateControl(args, result, NewInnerWindow<_PScrollCtrl>(), false);
  SScrollCtrl* bar = Window<SScrollCtrl>();
  if (member < MEMBER_COUNT) return bar ? CallOnWindow(bar, member, args, result) : true;
  return PObject::Call(member, args, result, caller);
}

bool PObjScroll::CallOnWindow(SScrollCtrl* bar, uint16_t member, PArgs* args, PResultCell* result) {
  switch (member) {
    case DESTROY: DestroyControl(); return true;
    case GET_MAX: return ReturnInt64(result, bar->GetMax());
    case GET_MIN: return ReturnInt64(result, bar->GetMin());
    case GET_POS: return ReturnInt64(result, bar->GetPos());
    case SET_RANGE: bar->SetRange(GetArgLow32(args, 0), GetArgLow32(args, 1), true); return true;
    case SET_POS: bar->SetPos(GetArgLow32(args, 0), true); return true;
    default: return true;
  }
}
