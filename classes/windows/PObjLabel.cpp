#include "classes/windows/PObjLabel.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"
#include "classes/PObjFile.h"
#include "classes/windows/PObjImage.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"

namespace {

const int32_t kHorizontalBits = 0x0F, kVerticalBits = 0xF0;

// Erased and painted again before the call returns.
void RedrawNow(SWnd* window) { window->Redraw(RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW, nullptr, nullptr); }

}  // namespace

void PObjLabel::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "Label", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PLabelCtrl; });
}

bool PObjLabel::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const int F = MEMBER_FUNCTION;
  const TypeCode I = TYPE_INTEGER, V = TYPE_VOID;
  const PParamDecl colour(PObjColor::kTypeCode), text(TYPE_STRING), file(PObjFile::kTypeCode);
  // The default of SET_ALIGNMENT is written as a name no constant has;
  // its value is what counts.
  return DeclareCreateDestroy(d, CREATE, DESTROY) && d->AddMember(F, GET_ALIGNMENT, I) &&
         d->AddMember(F, GET_BACK_COLOR, I, {colour}) && d->AddMember(F, GET_DRAW_MODE, I) &&
         d->AddMember(F, GET_HORIZONTAL, I) && d->AddMember(F, GET_TEXT_COLOR, I, {colour}) &&
         d->AddMember(F, GET_VERTICAL, I) && d->AddMember(F, LOAD_FROM_FILE, I, {file}) &&
         d->AddMember(F, LOAD_FROM_PATH, I, {text}) && d->AddMember(F, LOAD_FROM_RESOURCE, I, {text}) &&
         d->AddMember(F, SET_ALIGNMENT, V, {PParamDecl(I, "ALIGN_LABEL", kLabelMiddle)}) &&
         d->AddMember(F, SET_BACK_COLOR, V, {colour}) &&
         d->AddMember(F, SET_BACK_IMAGE, V, {PParamDecl(PObjImage::kTypeCode)}) &&
         d->AddMember(F, SET_DRAW_MODE, V, {PParamDecl(I, "DRAW_TOPLEFT", 0)}) &&
         d->AddMember(F, SET_HORIZONTAL, V, {PParamDecl(I, "ALIGN_LEFT", kLabelLeft)}) &&
         d->AddMember(F, SET_TEXT_COLOR, V, {colour}) &&
         d->AddMember(F, SET_VERTICAL, V, {PParamDecl(I, "ALIGN_MIDDLE", kLabelMiddle)}) &&
         DeclareMouseRecordEvent(d, EVENT_MOUSE) && DeclareWindowEvents(d, EVENT_FOCUS);
}

PObject* PObjLabel::New(PObjectDefinition* definition) { return new (std::nothrow) PObjLabel(definition); }

bool PObjLabel::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member == CREATE) return CreateControl(args, result, new (std::nothrow) _PLabelCtrl);
  SLabelCtrl* label = Window<SLabelCtrl>();
  if (member < MEMBER_COUNT) return label ? CallOnWindow(label, member, args, result) : true;
  return PObject::Call(member, args, result, caller);
}

bool PObjLabel::CallOnWindow(SLabelCtrl* label, uint16_t member, PArgs* args, PResultCell* result) {
  const int32_t alignment = label->GetAlignment();
  switch (member) {
    case DESTROY: DestroyControl(); return true;
    case GET_ALIGNMENT: return ReturnInt64(result, alignment);
    case GET_BACK_COLOR:
    case GET_TEXT_COLOR: {
      PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      if (!colour) return true;
      colour->SetColorRef(member == GET_BACK_COLOR ? label->GetBackColor() : label->GetTextColor());
      return ReturnBool(result, true);
    }
    case GET_DRAW_MODE: return ReturnInt64(result, label->GetBackgroundDrawMode());
    case GET_HORIZONTAL: return ReturnInt64(result, alignment & kHorizontalBits);
    case GET_VERTICAL: return ReturnInt64(result, alignment & kVerticalBits);
    case LOAD_FROM_FILE: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream) return true;
      return ReturnBool(result, label->SetText(stream->ReadString(-1).GetText()));
    }
    case LOAD_FROM_PATH: {
      SFilePath file;
      if (!file.Open(GetArgString(args, 0), false, false, true)) return true;
      return ReturnBool(result, label->SetText(file.ReadString(-1).GetText()));
    }
    case LOAD_FROM_RESOURCE: {
      SFileMem stream;
      if (!GetEngine()->LoadResource(&stream, GetArgString(args, 0), RESOURCE_TEXT)) return true;
      return ReturnBool(result, label->SetText(stream.ReadString(-1).GetText()));
    }
    case SET_ALIGNMENT: label->SetAlignment(GetArgLow32(args, 0)); return true;
    case SET_HORIZONTAL:
      label->SetAlignment((alignment & kVerticalBits) | (GetArgLow32(args, 0) & kHorizontalBits));
      return true;
    case SET_VERTICAL:
      label->SetAlignment((alignment & kHorizontalBits) | (GetArgLow32(args, 0) & kVerticalBits));
      return true;
    case SET_BACK_COLOR: {
      const PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      label->SetBackColor(colour ? colour->GetColorRef() : kColorNone);
      RedrawNow(label);
      return true;
    }
    case SET_BACK_IMAGE: {
      PObjImage* image = PObjImage::GetArgImage(args, 0);
      label->SetBackgroundImage(image ? image->GetBitmap() : nullptr, kColorNone, -1, nullptr, true);
      return true;
    }
    case SET_DRAW_MODE:
      label->SetBackgroundDrawMode(GetArgLow32(args, 0));
      RedrawNow(label);
      return true;
    case SET_TEXT_COLOR: {
      const PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      if (colour) label->SetTextColor(colour->GetColorRef());
      return true;
    }
    default: return true;
  }
}
