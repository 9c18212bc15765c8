#include "classes/windows/ControlDeclareHelpers.h"

#include "classes/PObjRectangle.h"
#include "classes/windows/PObjDialog.h"

void RegisterControlClass(PObjectDefinition* d, PObject* (*factory)(PObjectDefinition*), TypeCode typeCode,
                          const char* name, int16_t controlNumber, SWnd* (*innerWindow)()) {
  d->SetFactory(factory);
  d->SetCategory(CATEGORY_CONTROLS);
  d->SetTypeCode(typeCode);
  d->SetName(name);
  d->SetControlNumber(controlNumber);
  d->SetBaseName("Control");
  PObjDialog::SetInnerWindowFactory(controlNumber, innerWindow);
  PObject::Register(d);
}

bool DeclareControlCreate(PObjectDefinition* d, uint16_t number) {
  const PParamDecl text(TYPE_STRING, ""), style(TYPE_STRING, "WS_VISIBLE");
  return d->AddMember(MEMBER_FUNCTION, number, TYPE_INTEGER,
                      {PObjDialog::kTypeCode, PParamDecl(PObjRectangle::kTypeCode, nullptr), text, style, text});
}

bool DeclareControlMouseEvent(PObjectDefinition* d, uint16_t mouse) {
  const PParamDecl i(TYPE_INTEGER);
  return d->AddMember(MEMBER_EVENT, mouse, TYPE_VOID, {i, i, i, i, i});
}

bool DeclareControlCommonEvents(PObjectDefinition* d, uint16_t firstCommon) {
  const PParamDecl i(TYPE_INTEGER);
  return d->AddMember(MEMBER_EVENT, firstCommon, TYPE_VOID, {i}) &&
         d->AddMember(MEMBER_EVENT, uint16_t(firstCommon + 1), TYPE_VOID, {i, i}) &&
         d->AddMember(MEMBER_EVENT, uint16_t(firstCommon + 2), TYPE_VOID) &&
         d->AddMember(MEMBER_EVENT, uint16_t(firstCommon + 3), TYPE_VOID, {i, i});
}
