#include "classes/windows/PObjScroll.h"

#include <new>

#include "classes/ClassArgs.h"

void PObjScroll::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "Scroll", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PScrollCtrl; });
}

bool PObjScroll::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const int F = MEMBER_FUNCTION;
  const TypeCode I = TYPE_INTEGER, V = TYPE_VOID;
  const PParamDecl integer(I);
  return DeclareCreateDestroy(d, CREATE, DESTROY) && d->AddMember(F, GET_MAX, I) && d->AddMember(F, GET_MIN, I) &&
         d->AddMember(F, GET_POS, I) && d->AddMember(F, SET_RANGE, V, {integer, integer}) &&
         d->AddMember(F, SET_POS, V, {integer}) && DeclareMouseRecordEvent(d, EVENT_MOUSE) &&
         d->AddMember(MEMBER_EVENT, EVENT_POSITION_CHANGED, V, {integer, integer}) &&
         DeclareWindowEvents(d, EVENT_FOCUS);
}

PObject* PObjScroll::New(PObjectDefinition* definition) { return new (std::nothrow) PObjScroll(definition); }

bool PObjScroll::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member == CREATE) return CreateControl(args, result, new (std::nothrow) _PScrollCtrl, false);
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
