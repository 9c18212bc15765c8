#include "classes/PObjThread.h"

#include <new>

#include "engine/PObjectDefinition.h"

void PObjThread::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SERVICES);
  definition->SetTypeCode(TYPE_THREAD);
  definition->SetName("Thread");
  PObject::Register(definition);
}

bool PObjThread::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const PParamDecl number(TYPE_INTEGER, "0", int32_t(0));
  const PParamDecl noValue(TYPE_VALUE, "null");
  const PParamDecl no(TYPE_INTEGER, "false", int32_t(0));
  const PParamDecl arrived[] = {PParamDecl(TYPE_INTEGER), PParamDecl(TYPE_VALUE)};
  return d->AddMember(MEMBER_FUNCTION, GET_DATA, TYPE_STRING) &&
         d->AddMember(MEMBER_FUNCTION, SEND_TO_OWNER, TYPE_VOID, {number, noValue}) &&
         d->AddMember(MEMBER_FUNCTION, STOP, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, START, TYPE_INTEGER, {no}) &&
         d->AddMember(MEMBER_FUNCTION, SET_DATA, TYPE_VOID, {PParamDecl(TYPE_STRING)}) &&
         d->AddMember(MEMBER_FUNCTION, SEND_TO_WORKER, TYPE_VOID, {number, noValue}) &&
         d->AddMember(MEMBER_EVENT, ON_END, TYPE_VOID) &&
         d->AddMember(MEMBER_EVENT, ON_VALUE_FROM_WORKER, TYPE_VOID, {arrived[0], arrived[1]}) &&
         d->AddMember(MEMBER_EVENT, ON_RUN, TYPE_INTEGER) &&
         d->AddMember(MEMBER_EVENT, ON_VALUE_FROM_OWNER, TYPE_VOID, {arrived[0], arrived[1]});
}

PObject* PObjThread::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjThread(definition);
}

bool PObjThread::CallWithoutWorker(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case GET_DATA: return ReturnString(result, "");
    case STOP:
    case START: return ReturnBool(result, false);
    default: return PObject::Call(member, args, result, caller);
  }
}
