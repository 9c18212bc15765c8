#include "classes/PObjFont.h"

#include <new>

#include "classes/ClassArgs.h"
#include "core/SArray.h"
#include "engine/PObjectDefinition.h"
#include "window/FontFunctions.h"
#include "window/SWnd.h"

void PObjFont::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_GRAPHICS);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Font");
  PObject::Register(definition);
}

bool PObjFont::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kVoid = TYPE_VOID;
  const PParamDecl n(TYPE_INTEGER), on(TYPE_INTEGER, "true", 1), zero(TYPE_INTEGER, "0", 0),
      no(TYPE_INTEGER, "false", 0);
  bool ok = d->AddMember(MEMBER_FUNCTION, SET_FONT, kInt,
                         {PParamDecl(TYPE_STRING), PParamDecl(TYPE_FLOAT), zero, no}) &&
            d->AddMember(MEMBER_FUNCTION, CLEAR, kVoid) && d->AddMember(MEMBER_FUNCTION, GET_FACE, TYPE_STRING) &&
            d->AddMember(MEMBER_FUNCTION, GET_HEIGHT, kInt) && d->AddMember(MEMBER_FUNCTION, GET_POINTS, TYPE_FLOAT);
  for (uint16_t m = GET_STYLE; m <= IS_UNDERLINE; m++) ok = ok && d->AddMember(MEMBER_FUNCTION, m, kInt);
  return ok && d->AddMember(MEMBER_FUNCTION, SET_BOLD, kVoid, {on}) &&
         d->AddMember(MEMBER_FUNCTION, SET_ITALIC, kVoid, {on}) &&
         d->AddMember(MEMBER_FUNCTION, SET_FACE, kVoid, {PParamDecl(TYPE_STRING)}) &&
         d->AddMember(MEMBER_FUNCTION, SET_HEIGHT, kVoid, {n}) &&
         d->AddMember(MEMBER_FUNCTION, SET_POINTS, kVoid, {PParamDecl(TYPE_FLOAT)}) &&
         d->AddMember(MEMBER_FUNCTION, SET_STRIKE_OUT, kVoid, {on}) &&
         d->AddMember(MEMBER_FUNCTION, SET_STYLE, kVoid, {zero}) &&
         d->AddMember(MEMBER_FUNCTION, SET_UNDERLINE, kVoid, {on});
}

PObject* PObjFont::New(PObjectDefinition* definition) { return new (std::nothrow) PObjFont(definition); }

bool PObjFont::Release() {
  Clear();
  return true;
}

// ---- The font -----------------------------------------------------------------------------------

HFONT PObjFont::MakeFont(const char* face, double size, int32_t style, bool sizedByHeight, int32_t* height,
                         double* points) const {
  if (!face) face = "";
  const bool sameSize = sizedByHeight ? int32_t(size) == m_height : size == m_points;
  if (m_face.CompareNoCase(face) == 0 && style == m_style && sameSize) return nullptr;
  int h;
  HFONT font;
  if (sizedByHeight) {
    h = int32_t(size);
    font = CreateStyledFont(style, face, h);
    *points = HeightToPoints(nullptr, h);
  } else {
    font = CreatePointFont(face, size, style, &h, nullptr);
    *points = size;
  }
  *height = h;
  return font;
}

int PObjFont::ReplaceInWindows(HFONT old, HFONT replacement) {
  if (!old || old == replacement) return 0;
  SArray<SWnd*> windows;
  CollectThreadWindows(windows);
  int count = 0;
  for (int i = 0; i < windows.GetCount(); i++) {
    HWND window = windows.GetAt(i)->GetHwnd();
    if (reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)) != old) continue;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(replacement), TRUE);
    count++;
  }
  return count;
}

void PObjFont::Adopt(HFONT font) {
  ReplaceInWindows(m_font, font);
  if (m_font) ::DeleteObject(m_font);
  m_font = font;
}

bool PObjFont::SetFont(const char* face, double size, int32_t style, bool sizedByHeight) {
  int32_t height;
  double points;
  HFONT font = MakeFont(face, size, style, sizedByHeight, &height, &points);
  if (!font) return false;
  Adopt(font);
  m_face = face ? face : "";
  m_height = height;
  m_points = points;
  m_style = style;
  m_sizedByHeight = sizedByHeight;
  return true;
}

void PObjFont::Clear() {
  Adopt(nullptr);
  m_face = "";
  m_height = 0;
  m_points = 0;
  m_style = 0;
  m_sizedByHeight = false;
}

void PObjFont::Restyle(int32_t style) {
  int32_t height;
  double points;
  HFONT font = MakeFont(m_face.GetText(), m_height, style, true, &height, &points);
  if (!font) return;
  Adopt(font);
  m_style = style;
}

// ---- Members ------------------------------------------------------------------------------------

bool PObjFont::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member == SET_FONT) {
    return ReturnBool(result, SetFont(GetArgString(args, 0), GetArgDouble(args, 1), GetArgLow32(args, 2),
                                      GetArgBool(args, 3)));
  }
  if (member == CLEAR) {
    Clear();
    return true;
  }
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  if (!m_font) return true;
  int32_t height;
  double points;
  switch (member) {
    case GET_FACE: return ReturnString(result, m_face.GetText());
    case GET_HEIGHT: return ReturnInt64(result, m_height);
    case GET_POINTS: return ReturnDouble(result, m_points);
    case GET_STYLE: return ReturnInt64(result, m_style);
    case IS_BOLD: return ReturnBool(result, IsBoldStyle(m_style));
    case IS_ITALIC: return ReturnBool(result, IsItalicStyle(m_style));
    case IS_STRIKE_OUT: return ReturnBool(result, IsStrikeOutStyle(m_style));
    case IS_UNDERLINE: return ReturnBool(result, IsUnderlineStyle(m_style));
    case SET_BOLD: SetStyleBit(kFontBold, GetArgBool(args, 0)); return true;
    case SET_ITALIC: SetStyleBit(kFontItalic, GetArgBool(args, 0)); return true;
    case SET_STRIKE_OUT: SetStyleBit(kFontStrikeOut, GetArgBool(args, 0)); return true;
    case SET_UNDERLINE: SetStyleBit(kFontUnderline, GetArgBool(args, 0)); return true;
    case SET_STYLE: Restyle(GetArgLow32(args, 0)); return true;
    case SET_FACE: {
      const char* face = GetArgString(args, 0);
      HFONT font = MakeFont(face, m_height, m_style, true, &height, &points);
      if (font) {
        Adopt(font);
        m_face = face;
      }
      return true;
    }
    case SET_HEIGHT:
    case SET_POINTS: {
      const bool byHeight = member == SET_HEIGHT;
      const double size = byHeight ? double(GetArgLow32(args, 0)) : GetArgDouble(args, 0);
      HFONT font = MakeFont(m_face.GetText(), size, m_style, byHeight, &height, &points);
      if (font) {
        Adopt(font);
        m_height = height;
        m_points = points;
        m_sizedByHeight = byHeight;
      }
      return true;
    }
    default: return true;
  }
}
