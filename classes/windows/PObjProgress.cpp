#include "classes/windows/PObjProgress.h"

#include <commctrl.h>

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"

void PObjProgress::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "Progress", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PProgressCtrl; });
}

bool PObjProgress::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const int F = MEMBER_FUNCTION;
  const TypeCode I = TYPE_INTEGER, V = TYPE_VOID;
  const PParamDecl integer(I), colour(PObjColor::kTypeCode);
  return d->AddMember(F, DELTA_POS, I, {integer}) && DeclareCreateDestroy(d, CREATE, DESTROY) &&
         d->AddMember(F, GET_MAX, I) && d->AddMember(F, GET_MIN, I) && d->AddMember(F, GET_POS, I) &&
         d->AddMember(F, SET_BACK_COLOR, V, {colour}) && d->AddMember(F, SET_BAR_COLOR, V, {colour}) &&
         d->AddMember(F, SET_MARQUEE, V, {PParamDecl(I, "true", 1), PParamDecl(I, "20", 20)}) &&
         d->AddMember(F, SET_RANGE, V, {integer, integer}) && d->AddMember(F, SET_POS, V, {integer}) &&
         DeclareMouseRecordEvent(d, EVENT_MOUSE) && DeclareWindowEvents(d, EVENT_FOCUS);
}

PObject* PObjProgress::New(PObjectDefinition* definition) { return new (std::nothrow) PObjProgress(definition); }

bool PObjProgress::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member == CREATE) return CreateControl(args, result, new (std::nothrow) _PProgressCtrl, false);
  SProgressCtrl* bar = Window<SProgressCtrl>();
  if (member < MEMBER_COUNT) return bar ? CallOnWindow(bar, member, args, result) : true;
  return PObject::Call(member, args, result, caller);
}

bool PObjProgress::CallOnWindow(SProgressCtrl* bar, uint16_t member, PArgs* args, PResultCell* result) {
  switch (member) {
    case DELTA_POS: return ReturnInt64(result, int32_t(bar->SendMessage(PBM_DELTAPOS, GetArgLow32(args, 0), 0)));
    case DESTROY: DestroyControl(); return true;
    case GET_MAX: return ReturnInt64(result, bar->GetMax());
    case GET_MIN: return ReturnInt64(result, bar->GetMin());
    case GET_POS: return ReturnInt64(result, bar->GetPos());
    case SET_BACK_COLOR:
    case SET_BAR_COLOR: {
      const PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      const uint32_t word = colour ? colour->GetColorRef() : CLR_DEFAULT;
      if (member == SET_BACK_COLOR)
        bar->SetBackColor(word);
      else
        bar->SetBarColor(word);
      return true;
    }
    case SET_MARQUEE: bar->SetMarquee(GetArgBool(args, 0), GetArgLow32(args, 1)); return true;
    case SET_RANGE: bar->SetRange(GetArgLow32(args, 0), GetArgLow32(args, 1)); return true;
    case SET_POS: bar->SetPos(GetArgLow32(args, 0)); return true;
    default: return true;
  }
}
