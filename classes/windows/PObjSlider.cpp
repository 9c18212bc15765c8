#include "classes/windows/PObjSlider.h"

#include <commctrl.h>

#include <new>

#include "classes/ClassArgs.h"

void PObjSlider::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "Slider", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PSliderCtrl; });
}

bool PObjSlider::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const int F = MEMBER_FUNCTION;
  const TypeCode I = TYPE_INTEGER, V = TYPE_VOID;
  const PParamDecl integer(I);
  return DeclareCreateDestroy(d, CREATE, DESTROY) && d->AddMember(F, GET_LINE_SIZE, I) && d->AddMember(F, GET_MAX, I) &&
         d->AddMember(F, GET_MIN, I) && d->AddMember(F, GET_PAGE_SIZE, I) && d->AddMember(F, GET_TIC, I, {integer}) &&
         d->AddMember(F, GET_TIC_COUNT, I) && d->AddMember(F, GET_POS, I) && d->AddMember(F, CLEAR_TICS, V) &&
         d->AddMember(F, SET_LINE_SIZE, V, {integer}) && d->AddMember(F, SET_PAGE_SIZE, V, {integer}) &&
         d->AddMember(F, SET_RANGE, V, {integer, integer}) && d->AddMember(F, ADD_TIC, V, {integer}) &&
         d->AddMember(F, SET_POS, V, {integer}) && DeclareMouseRecordEvent(d, EVENT_MOUSE) &&
         d->AddMember(MEMBER_EVENT, EVENT_POSITION_CHANGED, V) && DeclareWindowEvents(d, EVENT_FOCUS);
}

PObject* PObjSlider::New(PObjectDefinition* definition) { return new (std::nothrow) PObjSlider(definition); }

bool PObjSlider::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member == CREATE) return CreateControl(args, result, new (std::nothrow) _PSliderCtrl, false);
  SSliderCtrl* slider = Window<SSliderCtrl>();
  if (member < MEMBER_COUNT) return slider ? CallOnWindow(slider, member, args, result) : true;
  return PObject::Call(member, args, result, caller);
}

bool PObjSlider::CallOnWindow(SSliderCtrl* slider, uint16_t member, PArgs* args, PResultCell* result) {
  switch (member) {
    case DESTROY: DestroyControl(); return true;
    case GET_LINE_SIZE: return ReturnInt64(result, int32_t(slider->SendMessage(TBM_GETLINESIZE, 0, 0)));
    case GET_MAX: return ReturnInt64(result, slider->GetMax());
    case GET_MIN: return ReturnInt64(result, slider->GetMin());
    case GET_PAGE_SIZE: return ReturnInt64(result, slider->GetPageSize());
    case GET_TIC: return ReturnInt64(result, int32_t(slider->SendMessage(TBM_GETTIC, GetArgLow32(args, 0), 0)));
    case GET_TIC_COUNT: return ReturnInt64(result, slider->GetTicCount());
    case GET_POS: return ReturnInt64(result, slider->GetPos());
    case CLEAR_TICS: slider->ClearTics(); return true;
    case SET_LINE_SIZE: slider->SetLineSize(GetArgLow32(args, 0)); return true;
    case SET_PAGE_SIZE: slider->SetPageSize(GetArgLow32(args, 0)); return true;
    case SET_RANGE: slider->SetRange(GetArgLow32(args, 0), GetArgLow32(args, 1), true); return true;
    case ADD_TIC: slider->AddTic(GetArgLow32(args, 0)); return true;
    case SET_POS: slider->SetPos(GetArgLow32(args, 0), true); return true;
    default: return true;
  }
}
