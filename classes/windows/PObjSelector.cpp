#include "classes/windows/PObjSelector.h"

#include <windows.h>

#include <commdlg.h>

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"
#include "classes/PObjFont.h"
#include "classes/PObjStringArray.h"
#include "classes/PObjTimer.h"
#include "classes/windows/PObjDialog.h"
#include "engine/PObjectDefinition.h"
#include "window/FileDialogTexts.h"

namespace {

// An empty text is not handed to a picker: the picker's own default shows.
const char* NullIfEmpty(const char* text) { return text && *text ? text : nullptr; }

}  // namespace

void PObjSelector::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SERVICES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Selector");
  PObject::Register(definition);
}

bool PObjSelector::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kVoid = TYPE_VOID, kText = TYPE_STRING;
  const PParamDecl integer(TYPE_INTEGER), text(TYPE_STRING), empty(TYPE_STRING, "");
  const PParamDecl colour(PObjColor::kTypeCode), noColour(PObjColor::kTypeCode, nullptr);
  const PParamDecl timer(PObjTimer::kTypeCode), noTimer(PObjTimer::kTypeCode, nullptr);
  const PParamDecl font(PObjFont::kTypeCode), texts(PObjStringArray::kTypeCode);
  const PParamDecl dialog(PObjDialog::kTypeCode);
  const PParamDecl yes(TYPE_INTEGER, "true", 1), no(TYPE_INTEGER, "false", 0), zero(TYPE_INTEGER, "0", 0);
  const PParamDecl allFiles(TYPE_STRING, "All Files|*.*");
  return d->AddMember(MEMBER_FUNCTION, PICK_COLOR_DIALOG, kInt, {noColour, no, yes, yes}) &&
         d->AddMember(MEMBER_FUNCTION, PICK_DATE, kInt, {noTimer}) &&
         d->AddMember(MEMBER_FUNCTION, PICK_FOLDER, kText, {empty, empty, no}) &&
         d->AddMember(MEMBER_FUNCTION, PICK_FONT, kInt, {text, integer, zero}) &&
         d->AddMember(MEMBER_FUNCTION, PICK_COLOR, kInt, {text}) &&
         d->AddMember(MEMBER_FUNCTION, GET_COLOR, kInt, {colour}) &&
         d->AddMember(MEMBER_FUNCTION, GET_DATE, kVoid, {timer}) &&
         d->AddMember(MEMBER_FUNCTION, GET_FOLDER, kText) &&
         d->AddMember(MEMBER_FUNCTION, GET_FONT, kInt, {font}) &&
         d->AddMember(MEMBER_FUNCTION, GET_FONT_NAME, kText) &&
         d->AddMember(MEMBER_FUNCTION, GET_FONT_SIZE, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_FONT_STYLE, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_FILE, kText) &&
         d->AddMember(MEMBER_FUNCTION, GET_FILE_COUNT, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_FILES, kInt, {texts}) &&
         d->AddMember(MEMBER_FUNCTION, GET_SAVE_FILE, kText) &&
         d->AddMember(MEMBER_FUNCTION, PICK_OPEN_FILES, kInt, {allFiles, empty, empty, zero, no}) &&
         d->AddMember(MEMBER_FUNCTION, PICK_SAVE_FILE, kInt, {allFiles, empty, empty, zero}) &&
         d->AddMember(MEMBER_FUNCTION, SET_OWNER, kVoid, {dialog});
}

PObject* PObjSelector::New(PObjectDefinition* definition) { return new (std::nothrow) PObjSelector(definition); }

bool PObjSelector::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case PICK_COLOR_DIALOG: {
      const PObjColor* initial = GetArgOfClass<PObjColor>(args, 0);
      if (!m_selector.PickColorDialog(initial ? initial->GetColorRef() : 0xFF000000u, GetArgBool(args, 1),
                                      GetArgBool(args, 2), GetArgBool(args, 3)))
        return true;
      return ReturnBool(result, true);
    }
    case PICK_DATE: return ReturnBool(result, m_selector.PickDate(PObjTimer::GetTimerOf(GetArgObject(args, 0))));
    case PICK_FOLDER:
      return ReturnString(result, m_selector
                                      .PickFolder(NullIfEmpty(GetArgString(args, 0)), GetArgString(args, 1),
                                                  GetArgBool(args, 2))
                                      .GetText());
    case PICK_FONT: {
      int32_t style = GetArgLow32(args, 2), size = GetArgLow32(args, 1);
      SString face = GetArgString(args, 0);
      if (!m_selector.PickFont(&style, &face, &size)) return true;
      return ReturnBool(result, true);
    }
    case PICK_COLOR: return ReturnBool(result, m_selector.PickColor(GetArgString(args, 0)));
    case GET_COLOR: {
      PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      if (!colour) return true;
      colour->SetColorRef(m_selector.GetColor());
      return ReturnBool(result, true);
    }
    case GET_DATE: {
      STimer* timer = PObjTimer::GetTimerOf(GetArgObject(args, 0));
      if (timer) timer->Assign(m_selector.GetDate());
      return true;
    }
    case GET_FOLDER: return ReturnString(result, m_selector.GetFolder().GetText());
    case GET_FONT: {
      PObjFont* font = GetArgOfClass<PObjFont>(args, 0);
      if (!font) return true;
      return ReturnBool(result, font->SetFont(m_selector.GetFontName().GetText(), m_selector.GetFontSize(),
                                              m_selector.GetFontStyle(), false));
    }
    case GET_FONT_NAME: return ReturnString(result, m_selector.GetFontName().GetText());
    case GET_FONT_SIZE: return ReturnInt64(result, m_selector.GetFontSize());
    case GET_FONT_STYLE: return ReturnInt64(result, m_selector.GetFontStyle());
    case GET_FILE: return ReturnString(result, m_selector.GetFile(0).GetText());
    case GET_FILE_COUNT: return ReturnInt64(result, m_selector.GetFiles().GetCount());
    case GET_FILES: {
      SStringArray* texts = PObjStringArray::GetTexts(GetArgObject(args, 0));
      const SStringArray& files = m_selector.GetFiles();
      if (texts)
        for (int i = 0; i < files.GetCount(); i++) texts->Add(files.GetString(i).GetText());
      return ReturnInt64(result, files.GetCount());
    }
    case GET_SAVE_FILE: return ReturnString(result, m_selector.GetSavePath().GetText());
    case PICK_OPEN_FILES:
    case PICK_SAVE_FILE: {
      const SStringArray filters = ParseFileDialogFilter(GetArgString(args, 0));
      const SStringArray* list = filters.GetCount() ? &filters : nullptr;
      const char* folder = NullIfEmpty(GetArgString(args, 1));
      const char* title = NullIfEmpty(GetArgString(args, 2));
      const int index = GetArgLow32(args, 3);
      if (member == PICK_SAVE_FILE)
        return ReturnBool(result, m_selector.PickSaveFile(0, list, folder, title, index, ""));
      const DWORD multiple = GetArgBool(args, 4) ? OFN_ALLOWMULTISELECT : 0;
      return ReturnBool(result, m_selector.PickOpenFiles(multiple, list, folder, title, index));
    }
    case SET_OWNER: {
      const PObjDialog* dialog = GetArgOfClass<PObjDialog>(args, 0);
      m_selector.SetOwner(dialog ? dialog->GetHwnd() : nullptr);
      return true;
    }
    default: return PObject::Call(member, args, result, caller);
  }
}
