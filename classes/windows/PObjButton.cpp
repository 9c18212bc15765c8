// The Button class: registration, members, and its two functions.
#include "classes/windows/PObjButton.h"

#include <new>

#include "engine/PObjectDefinition.h"

void PObjButton::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "Button", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PButtonCtrl; });
}

bool PObjButton::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  return DeclareCreateDestroy(d, CREATE, DESTROY) && DeclareMouseRecordEvent(d, ON_MOUSE) &&
         d->AddMember(MEMBER_EVENT, ON_CLICK, TYPE_VOID) && DeclareWindowEvents(d, ON_FOCUS);
}

PObject* PObjButton::New(PObjectDefinition* definition) { return new (std::nothrow) PObjButton(definition); }

bool PObjButton::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case CREATE: return CreateControl(args, result, new (std::nothrow) _PButtonCtrl);
    case DESTROY: DestroyControl(); return true;
    default: return PObject::Call(member, args, result, caller);
  }
}
