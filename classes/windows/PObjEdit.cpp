#include "classes/windows/PObjEdit.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"
#include "classes/PObjPoint.h"
#include "classes/PObjRectangle.h"
#include "classes/windows/WindowFunctions.h"
#include "engine/PObjectDefinition.h"

void PObjEdit::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "Edit", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PEditCtrl; });
}

bool PObjEdit::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  // In number order: a program names a member by its position.
  const int F = MEMBER_FUNCTION, E = MEMBER_EVENT;
  const TypeCode V = TYPE_VOID, I = TYPE_INTEGER, S = TYPE_STRING;
  const PParamDecl integer(I), colour(PObjColor::kTypeCode), point(PObjPoint::kTypeCode);
  const PParamDecl rect(PObjRectangle::kTypeCode), yes(I, "true", 1), minusOne(I, "-1", -1);
  return d->AddMember(F, CAN_UNDO, I) && d->AddMember(F, CLEAR, V) && d->AddMember(F, COPY, V) &&
         DeclareCreate(d, CREATE) && d->AddMember(F, CUT, V) && d->AddMember(F, DESTROY, V) &&
         d->AddMember(F, SET_READ_ONLY, V, {integer}) && d->AddMember(F, GET_BACK_COLOR, I, {colour}) &&
         d->AddMember(F, GET_LINE_INDEX, I, {minusOne}) && d->AddMember(F, GET_SEL_END, I) &&
         d->AddMember(F, GET_FIRST_VISIBLE_LINE, I) && d->AddMember(F, GET_LINE, S, {integer}) &&
         d->AddMember(F, GET_LINE_COUNT, I) && d->AddMember(F, GET_LINE_FROM_CHAR, I, {integer}) &&
         d->AddMember(F, GET_LINE_LENGTH, I, {integer}) && d->AddMember(F, GET_LIMIT_TEXT, I) &&
         d->AddMember(F, GET_PASSWORD_CHAR, S) && d->AddMember(F, GET_SEL_TEXT, S) &&
         d->AddMember(F, GET_SEL_START, I) && d->AddMember(F, GET_TEXT_RANGE, S, {PParamDecl(I, "0", 0), minusOne}) &&
         d->AddMember(F, GET_TEXT_COLOR, I, {colour}) && d->AddMember(F, GET_RECT, I, {rect}) &&
         d->AddMember(F, GET_POS_FROM_CHAR, V, {integer, point}) && d->AddMember(F, IS_MODIFIED, I) &&
         d->AddMember(F, PASTE, V) && d->AddMember(F, GET_CHAR_FROM_POS, I, {point}) &&
         d->AddMember(F, SCROLL_LINE, V, {yes}) && d->AddMember(F, SCROLL_PAGE, V, {yes}) &&
         d->AddMember(F, LINE_SCROLL, V, {integer, integer}) && d->AddMember(F, SET_BACK_COLOR, V, {colour}) &&
         d->AddMember(F, SET_LIMIT_TEXT, V, {integer}) && d->AddMember(F, SET_MODIFIED, V, {integer}) &&
         d->AddMember(F, SET_PASSWORD_CHAR, V, {PParamDecl(S, "*")}) &&
         d->AddMember(F, SET_SEL, V, {integer, minusOne}) &&
         d->AddMember(F, REPLACE_SEL, V, {PParamDecl(S, ""), yes}) && d->AddMember(F, SET_TEXT_COLOR, V, {colour}) &&
         d->AddMember(F, SET_RECT, V, {rect}) && d->AddMember(F, UNDO, I) && DeclareMouseRecordEvent(d, ON_MOUSE) &&
         d->AddMember(E, ON_CHANGE, V) && DeclareWindowEvents(d, ON_FOCUS) && d->AddMember(E, ON_ENTER, V);
}

PObject* PObjEdit::New(PObjectDefinition* definition) { return new (std::nothrow) PObjEdit(definition); }

// ---- Members ------------------------------------------------------------------------------------

bool PObjEdit::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member == CREATE) return CreateControl(args, result, new (std::nothrow) _PEditCtrl);
  SEditCtrl* edit = Window<SEditCtrl>();
  if (member > UNDO) return PObject::Call(member, args, result, caller);
  if (!edit) return true;
  switch (member) {
    case CAN_UNDO: return ReturnBool(result, edit->CanUndo());
    case CLEAR: edit->DeleteSelection(); return true;
    case COPY: edit->Copy(); return true;
    case CUT: edit->Cut(); return true;
    case DESTROY: DestroyControl(); return true;
    case SET_READ_ONLY: edit->SetReadOnly(GetArgBool(args, 0)); return true;
    case GET_BACK_COLOR:
    case GET_TEXT_COLOR: {
      PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      if (!colour) return true;
      colour->SetColorRef(member == GET_BACK_COLOR ? edit->GetBackColor() : edit->GetTextColor());
      return ReturnBool(result, true);
    }
    case GET_LINE_INDEX: return ReturnInt64(result, edit->LineIndex(GetArgLow32(args, 0)));
    case GET_SEL_END:
    case GET_SEL_START: {
      int start = 0, end = 0;
      edit->GetSel(&start, &end);
      return ReturnInt64(result, member == GET_SEL_START ? start : end);
    }
    case GET_FIRST_VISIBLE_LINE: return ReturnInt64(result, edit->GetFirstVisibleLine());
    case GET_LINE: return ReturnString(result, edit->GetLineText(GetArgLow32(args, 0)).GetText());
    case GET_LINE_COUNT: return ReturnInt64(result, edit->GetLineCount());
    case GET_LINE_FROM_CHAR: return ReturnInt64(result, edit->LineFromChar(GetArgLow32(args, 0)));
    case GET_LINE_LENGTH: return ReturnInt64(result, edit->LineLength(GetArgLow32(args, 0)));
    case GET_LIMIT_TEXT: return ReturnInt64(result, edit->GetLimitText());
    case GET_PASSWORD_CHAR: {
      const char text[2] = {edit->GetPasswordChar(), 0};
      return ReturnString(result, text);
    }
    case GET_SEL_TEXT: return ReturnString(result, edit->GetSelectedText().GetText());
    case GET_TEXT_RANGE:
      return ReturnString(result, edit->GetTextRange(GetArgLow32(args, 0), GetArgLow32(args, 1)).GetText());
    case GET_RECT: {
      PObjRectangle* rect = GetArgOfClass<PObjRectangle>(args, 0);
      if (!rect) return true;
      RECT format = {0, 0, 0, 0};
      edit->GetFormatRect(&format);
      SetRectangle(rect, format);
      return ReturnBool(result, true);
    }
    case GET_POS_FROM_CHAR: {
      PObjPoint* point = GetArgOfClass<PObjPoint>(args, 1);
      if (!point) return true;
      int x = 0, y = 0;
      edit->PosFromChar(GetArgLow32(args, 0), &x, &y);
      point->Set(x, y);
      return true;
    }
    case IS_MODIFIED: return ReturnBool(result, edit->IsModified());
    case PASTE: edit->Paste(); return true;
    case GET_CHAR_FROM_POS: {
      PObjPoint* point = GetArgOfClass<PObjPoint>(args, 0);
      if (!point) return true;
      int index = 0;
      edit->CharFromPos(point->GetFirst(), point->GetSecond(), &index, nullptr);
      return ReturnInt64(result, index);
    }
    case SCROLL_LINE: edit->ScrollLine(GetArgBool(args, 0)); return true;
    case SCROLL_PAGE: edit->ScrollPage(GetArgBool(args, 0)); return true;
    case LINE_SCROLL: edit->ScrollLines(GetArgLow32(args, 0), GetArgLow32(args, 1)); return true;
    case SET_BACK_COLOR: {
      const PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      edit->SetBackColor(colour ? colour->GetColorRef() : kColorNone);
      // Painted with the next turn of the message loop: an edit updated at
      // once, before its first paint, has been seen to lose its text.
      edit->Redraw(RDW_ERASE | RDW_INVALIDATE, nullptr, nullptr);
      return true;
    }
    case SET_LIMIT_TEXT: edit->SetLimitText(GetArgLow32(args, 0)); return true;
    case SET_MODIFIED: edit->SetModified(GetArgBool(args, 0)); return true;
    case SET_PASSWORD_CHAR: edit->SetPasswordChar(GetArgChar(args, 0)); return true;
    case SET_SEL: edit->SetSel(GetArgLow32(args, 0), GetArgLow32(args, 1)); return true;
    case REPLACE_SEL: edit->ReplaceSelection(GetArgString(args, 0), GetArgBool(args, 1)); return true;
    case SET_TEXT_COLOR: {
      const PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      if (colour) edit->SetTextColor(colour->GetColorRef());
      return true;
    }
    case SET_RECT: {
      const PObjRectangle* r = GetArgOfClass<PObjRectangle>(args, 0);
      if (!r) {
        edit->SetFormatRect(nullptr);
        return true;
      }
      RECT rect = RectOf(r);
      edit->SetFormatRect(&rect);
      return true;
    }
    case UNDO: return ReturnBool(result, edit->Undo());
  }
  return true;
}
