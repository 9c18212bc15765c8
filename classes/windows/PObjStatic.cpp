// The Static class: registration, members, and the frame's background and
// edge.
#include "classes/windows/PObjStatic.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"
#include "classes/windows/PObjImage.h"
#include "engine/PObjectDefinition.h"

void PObjStatic::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "Static", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PStaticCtrl; });
}

bool PObjStatic::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const int F = MEMBER_FUNCTION;
  const TypeCode I = TYPE_INTEGER, V = TYPE_VOID;
  const PParamDecl colour(PObjColor::kTypeCode), n(I);
  return DeclareCreateDestroy(d, CREATE, DESTROY) && d->AddMember(F, GET_BACK_COLOR, I, {colour}) &&
         d->AddMember(F, GET_DRAW_MODE, I) && d->AddMember(F, SET_BACK_COLOR, V, {colour}) &&
         d->AddMember(F, SET_BACK_IMAGE, V, {PParamDecl(PObjImage::kTypeCode)}) &&
         d->AddMember(F, SET_DRAW_MODE, V, {PParamDecl(I, "DRAW_TOPLEFT", 0)}) &&
         d->AddMember(F, SET_EDGE, V, {n, PParamDecl(I, "Paint.RECT_ALL", 15)});
}

PObject* PObjStatic::New(PObjectDefinition* definition) { return new (std::nothrow) PObjStatic(definition); }

bool PObjStatic::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case CREATE: return CreateControl(args, result, new (std::nothrow) _PStaticCtrl, false);
    case DESTROY: DestroyControl(); return true;
    default: break;
  }
  SStaticCtrl* frame = Window<SStaticCtrl>();
  if (member > SET_EDGE || !frame) return PObject::Call(member, args, result, caller);
  PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
  switch (member) {
    case GET_BACK_COLOR:
      if (!colour) return true;
      colour->SetColorRef(frame->GetBackColor());
      return ReturnBool(result, true);
    case GET_DRAW_MODE: return ReturnInt64(result, frame->GetBackgroundDrawMode());
    case SET_BACK_COLOR: frame->SetBackColor(colour ? colour->GetColorRef() : kColorNone); return true;
    case SET_BACK_IMAGE: {
      // A copy; null, or an Image without a picture, removes it.
      PObjImage* image = GetArgOfClass<PObjImage>(args, 0);
      frame->SetBackgroundImage(image ? image->GetBitmap() : nullptr, kColorNone, -1, nullptr, true);
      return true;
    }
    case SET_DRAW_MODE: {
      int32_t mode = GetArgInt32(args, 0);
      frame->SetBackgroundDrawMode(mode >= 0 && mode <= 12 ? mode : 0);
      frame->Redraw(RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE, nullptr, nullptr);
      return true;
    }
    case SET_EDGE:
      // The frame keeps only the edge types DrawEdge knows; it shows at the
      // next repaint.
      frame->SetEdge(GetArgInt32(args, 0));
      frame->SetBorderFlags(GetArgInt32(args, 1) & 0xF);
      return true;
    default: return true;
  }
}
