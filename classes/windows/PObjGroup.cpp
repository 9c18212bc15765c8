// The Group class: registration, members, and the caption colour.
#include "classes/windows/PObjGroup.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"
#include "engine/PObjectDefinition.h"

void PObjGroup::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "Group", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PGroupCtrl; });
}

bool PObjGroup::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const PParamDecl colour(PObjColor::kTypeCode);
  return DeclareCreateDestroy(d, CREATE, DESTROY) &&
         d->AddMember(MEMBER_FUNCTION, GET_TEXT_COLOR, TYPE_INTEGER, {colour}) &&
         d->AddMember(MEMBER_FUNCTION, SET_TEXT_COLOR, TYPE_VOID, {colour});
}

PObject* PObjGroup::New(PObjectDefinition* definition) { return new (std::nothrow) PObjGroup(definition); }

bool PObjGroup::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case CREATE: return CreateControl(args, result, new (std::nothrow) _PGroupCtrl);
    case DESTROY: DestroyControl(); return true;
    default: break;
  }
  SGroupCtrl* group = Window<SGroupCtrl>();
  PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
  if (member > SET_TEXT_COLOR || !group) return PObject::Call(member, args, result, caller);
  if (!colour) return true;
  if (member == SET_TEXT_COLOR) {
    // Shown at the next repaint.
    group->SetTextColor(colour->GetArgb());
    return true;
  }
  uint32_t argb = group->GetTextColor();
  colour->SetArgb(uint8_t(argb >> 24), uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb));
  return ReturnBool(result, true);
}
