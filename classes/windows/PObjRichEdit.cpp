#include "classes/windows/PObjRichEdit.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"
#include "classes/PObjFile.h"
#include "classes/PObjFont.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"
#include "window/FontFunctions.h"

void PObjRichEdit::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "RichEdit", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PRichEditCtrl; });
}

bool PObjRichEdit::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const int F = MEMBER_FUNCTION, E = MEMBER_EVENT;
  const TypeCode I = TYPE_INTEGER, V = TYPE_VOID, S = TYPE_STRING;
  const PParamDecl text(S), file(PObjFile::kTypeCode);
  const PParamDecl noFont(PObjFont::kTypeCode, nullptr), noColour(PObjColor::kTypeCode, nullptr);
  const PParamDecl no(I, "false", 0), zero(I, "0", 0);
  return d->AddMember(F, COLLAPSE_SELECTION, V) && d->AddMember(F, COPY, V) && DeclareCreate(d, CREATE) &&
         d->AddMember(F, CUT, V) && d->AddMember(F, DELETE_SELECTION, V) && d->AddMember(F, DESTROY, V) &&
         d->AddMember(F, GET_SEL_START, I) && d->AddMember(F, GET_FORMAT, V, {noFont, noColour}) &&
         d->AddMember(F, GET_SEL_LENGTH, I) && d->AddMember(F, GET_SEL_TEXT, S) &&
         d->AddMember(F, LOAD_FROM_FILE, I, {file, no}) && d->AddMember(F, LOAD_FROM_PATH, I, {text, no}) &&
         d->AddMember(F, LOAD_FROM_RESOURCE, I, {text, no}) && d->AddMember(F, CLEAR, I) && d->AddMember(F, PASTE, V) &&
         d->AddMember(F, REDO, V) && d->AddMember(F, SAVE_TO_FILE, I, {file, no}) &&
         d->AddMember(F, SAVE_TO_PATH, I, {text, no}) && d->AddMember(F, SELECT_ALL, V) &&
         d->AddMember(F, SET_SEL, V, {zero, zero}) && d->AddMember(F, SET_FORMAT, I, {noFont, noColour}) &&
         d->AddMember(F, SET_FORMAT_VALUES, I,
                      {PParamDecl(S, ""), PParamDecl(TYPE_FLOAT, "-1", -1.0), PParamDecl(I, "-1", -1), noColour}) &&
         d->AddMember(F, REPLACE_SELECTION, V, {text}) && d->AddMember(F, UNDO, V) &&
         DeclareMouseRecordEvent(d, EVENT_MOUSE) && d->AddMember(E, EVENT_CHANGED, V) &&
         DeclareWindowEvents(d, EVENT_FOCUS);
}

PObject* PObjRichEdit::New(PObjectDefinition* definition) { return new (std::nothrow) PObjRichEdit(definition); }

bool PObjRichEdit::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member == CREATE) return CreateControl(args, result, new (std::nothrow) _PRichEditCtrl);
  SRichEditCtrl* edit = Window<SRichEditCtrl>();
  if (!edit) return member == GET_SEL_START ? ReturnInt64(result, -1) : true;
  if (member < MEMBER_COUNT) return CallOnWindow(edit, member, args, result);
  return PObject::Call(member, args, result, caller);
}

bool PObjRichEdit::CallOnWindow(SRichEditCtrl* edit, uint16_t member, PArgs* args, PResultCell* result) {
  switch (member) {
    case COLLAPSE_SELECTION: edit->CollapseSelection(); return true;
    case COPY: edit->CopySelection(); return true;
    case CUT: edit->CutSelection(); return true;
    case DELETE_SELECTION: edit->DeleteSelection(); return true;
    case DESTROY: DestroyControl(); return true;
    case GET_SEL_START: return ReturnInt64(result, edit->GetSelStart());
    case GET_FORMAT: {
      LOGFONTA font;
      COLORREF colour = edit->GetSelectionFormat(font);
      if (PObjFont* f = GetArgOfClass<PObjFont>(args, 0))
        f->SetFont(font.lfFaceName, font.lfHeight, LogFontStyle(font), true);
      if (PObjColor* c = GetArgOfClass<PObjColor>(args, 1)) c->SetColorRef(colour);
      return true;
    }
    case GET_SEL_LENGTH: return ReturnInt64(result, edit->GetSelLength());
    case GET_SEL_TEXT: return ReturnString(result, edit->GetSelectedText().GetText());
    case CLEAR: return ReturnBool(result, edit->Clear());
    case PASTE: edit->PasteText(); return true;
    case REDO: edit->Redo(); return true;
    case SELECT_ALL: edit->SelectAll(); return true;
    case SET_SEL: edit->SetSel(GetArgLow32(args, 0), GetArgLow32(args, 1)); return true;
    case SET_FORMAT: {
      const PObjFont* font = GetArgOfClass<PObjFont>(args, 0);
      const PObjColor* colour = GetArgOfClass<PObjColor>(args, 1);
      return ReturnBool(result, edit->SetSelectionFormat(font ? font->GetPoints() : SRichEditCtrl::kKeepSize,
                                                         colour ? colour->GetColorRef() : SRichEditCtrl::kKeepColor,
                                                         font ? font->GetFace().GetText() : "",
                                                         font ? font->GetStyle() : SRichEditCtrl::kKeepEffects));
    }
    case SET_FORMAT_VALUES: {
      const PObjColor* colour = GetArgOfClass<PObjColor>(args, 3);
      return ReturnBool(result, edit->SetSelectionFormat(GetArgDouble(args, 1),
                                                         colour ? colour->GetColorRef() : SRichEditCtrl::kKeepColor,
                                                         GetArgString(args, 0), GetArgLow32(args, 2)));
    }
    case REPLACE_SELECTION: edit->ReplaceSelection(GetArgString(args, 0)); return true;
    case UNDO: edit->Undo(); return true;
    default: return CallStreams(edit, member, args, result);
  }
}

// A source that cannot be opened stores no result, or false where a path
// was named, and never touches the contents.
bool PObjRichEdit::CallStreams(SRichEditCtrl* edit, uint16_t member, PArgs* args, PResultCell* result) {
  const bool rtf = GetArgBool(args, 1);
  switch (member) {
    case LOAD_FROM_FILE:
    case SAVE_TO_FILE: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream) return true;
      return ReturnBool(result,
                        member == LOAD_FROM_FILE ? edit->LoadStream(stream, rtf) : edit->SaveStream(stream, rtf));
    }
    case LOAD_FROM_PATH: {
      SFilePath file;
      if (!file.Open(GetArgString(args, 0), false, false, true)) return ReturnBool(result, false);
      return ReturnBool(result, edit->LoadStream(&file, rtf));
    }
    case SAVE_TO_PATH: {
      SFilePath file;
      if (!file.Open(GetArgString(args, 0), true, true, false)) return ReturnBool(result, false);
      return ReturnBool(result, edit->SaveStream(&file, rtf));
    }
    case LOAD_FROM_RESOURCE: {
      SFileMem stream;
      if (!GetEngine()->LoadResource(&stream, GetArgString(args, 0), RESOURCE_BINARY)) return true;
      return ReturnBool(result, edit->LoadStream(&stream, rtf));
    }
    default: return true;
  }
}
