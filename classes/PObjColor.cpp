#include "classes/PObjColor.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/SystemColor.h"
#include "core/TextFunctions.h"
#include "engine/PObjectDefinition.h"
#include "window/ColorFunctions.h"

namespace {

// The script names of the system colour indexes given to member 31.
const struct {
  const char* name;
  int32_t index;
} kSystemColors[] = {
    {"COLOR_3DDKSHADOW", 21}, {"COLOR_3DFACE", 15}, {"COLOR_3DHIGHLIGHT", 20},
    {"COLOR_3DHILIGHT", 20}, {"COLOR_3DLIGHT", 22}, {"COLOR_3DSHADOW", 16},
    {"COLOR_ACTIVEBORDER", 10}, {"COLOR_ACTIVECAPTION", 2}, {"COLOR_APPWORKSPACE", 12},
    {"COLOR_BACKGROUND", 1}, {"COLOR_BTNFACE", 15}, {"COLOR_BTNHIGHLIGHT", 20},
    {"COLOR_BTNHILIGHT", 20}, {"COLOR_BTNSHADOW", 16}, {"COLOR_BTNTEXT", 18},
    {"COLOR_CAPTIONTEXT", 9}, {"COLOR_DESKTOP", 1}, {"COLOR_GRADIENTACTIVECAPTION", 27},
    {"COLOR_GRADIENTINACTIVECAPTION", 28}, {"COLOR_GRAYTEXT", 17}, {"COLOR_HIGHLIGHT", 13},
    {"COLOR_HIGHLIGHTTEXT", 14}, {"COLOR_HOTLIGHT", 26}, {"COLOR_INACTIVEBORDER", 11},
    {"COLOR_INACTIVECAPTION", 3}, {"COLOR_INACTIVECAPTIONTEXT", 19}, {"COLOR_INFOBK", 24},
    {"COLOR_INFOTEXT", 23}, {"COLOR_MENU", 4}, {"COLOR_MENUHILIGHT", 29},
    {"COLOR_MENUBAR", 30}, {"COLOR_MENUTEXT", 7}, {"COLOR_SCROLLBAR", 0},
    {"COLOR_WINDOW", 5}, {"COLOR_WINDOWFRAME", 6}, {"COLOR_WINDOWTEXT", 8},
};

uint8_t Low(const PArgs* args, int i) { return uint8_t(PObject::GetArgInt64(args, i)); }

}  // namespace

void PObjColor::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_VALUES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Color");
  definition->AddConstant("RGB", MODEL_RGB);
  definition->AddConstant("ARGB", MODEL_ARGB);
  definition->AddConstant("YUV", MODEL_YUV);
  for (const auto& c : kSystemColors) definition->AddConstant(c.name, c.index);
  PObject::Register(definition);
}

bool PObjColor::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kFloat = TYPE_FLOAT, kSelf = kTypeCode;
  const PParamDecl n(TYPE_INTEGER), x(TYPE_FLOAT), text(TYPE_STRING), colour(kTypeCode);
  bool ok = d->AddMember(MEMBER_FUNCTION, COPY, TYPE_VOID, {colour});
  for (uint16_t m : {GET_ALPHA, GET_ARGB, GET_BLUE}) ok = ok && d->AddMember(MEMBER_FUNCTION, m, kInt);
  for (uint16_t m : {GET_CR_FRACTION, GET_CB_FRACTION, GET_Y_FRACTION})
    ok = ok && d->AddMember(MEMBER_FUNCTION, m, kFloat);
  ok = ok && d->AddMember(MEMBER_FUNCTION, GET_MODEL, kInt) && d->AddMember(MEMBER_FUNCTION, GET_GREEN, kInt) &&
       d->AddMember(MEMBER_FUNCTION, GET_TEXT, TYPE_STRING);
  for (uint16_t m = GET_RED; m <= GET_YCRCB; m++) ok = ok && d->AddMember(MEMBER_FUNCTION, m, kInt);
  ok = ok && d->AddMember(MEMBER_FUNCTION, SET_ALPHA, kSelf, {n}) &&
       d->AddMember(MEMBER_FUNCTION, SET_ARGB_WORD, kSelf, {n}) &&
       d->AddMember(MEMBER_FUNCTION, SET_BLUE, kSelf, {n});
  for (uint16_t m : {SET_CR_FRACTION, SET_CB_FRACTION, SET_Y_FRACTION})
    ok = ok && d->AddMember(MEMBER_FUNCTION, m, kSelf, {x});
  ok = ok && d->AddMember(MEMBER_FUNCTION, SET_MODEL, kSelf, {n}) &&
       d->AddMember(MEMBER_FUNCTION, SET_GREEN, kSelf, {n}) &&
       d->AddMember(MEMBER_FUNCTION, SET_TEXT, kSelf, {text});
  for (uint16_t m = SET_RED; m <= SET_SYSTEM_COLOR; m++) ok = ok && d->AddMember(MEMBER_FUNCTION, m, kSelf, {n});
  return ok && d->AddMember(MEMBER_FUNCTION, SET_ARGB, kSelf, {n, n, n, n}) &&
         d->AddMember(MEMBER_FUNCTION, SET_YCRCB_FRACTIONS, kSelf, {x, x, x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_RGB, kSelf, {n, n, n}) &&
         d->AddMember(MEMBER_FUNCTION, SET_YCRCB, kSelf, {n, n, n});
}

PObject* PObjColor::New(PObjectDefinition* definition) { return new (std::nothrow) PObjColor(definition); }

// ---- Reading ------------------------------------------------------------------------------------

void PObjColor::GetRgb(uint8_t rgb[3]) const {
  if (m_model == MODEL_YUV) {
    YCrCbToRgb(m_ycrcb, rgb);
    return;
  }
  for (int k = 0; k < 3; k++) rgb[k] = m_rgb[k];
}

void PObjColor::GetYCrCb(uint8_t ycrcb[3]) const {
  if (m_model == MODEL_YUV) {
    for (int k = 0; k < 3; k++) ycrcb[k] = m_ycrcb[k];
    return;
  }
  RgbToYCrCb(m_rgb, ycrcb);
}

uint32_t PObjColor::GetColorRef() const {
  if (m_model < MODEL_RGB || m_model > MODEL_YUV) return 0;
  uint8_t rgb[3];
  GetRgb(rgb);
  return rgb[0] | uint32_t(rgb[1]) << 8 | uint32_t(rgb[2]) << 16;
}

uint32_t PObjColor::GetArgb() const {
  if (m_model < MODEL_RGB || m_model > MODEL_YUV) return 0;
  uint8_t rgb[3];
  GetRgb(rgb);
  const uint32_t alpha = m_model == MODEL_ARGB ? m_alpha : 255;
  return alpha << 24 | uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | rgb[2];
}

// ---- Writing ------------------------------------------------------------------------------------

void PObjColor::SetRgb(uint8_t r, uint8_t g, uint8_t b) {
  const uint8_t rgb[3] = {r, g, b};
  if (m_model == MODEL_YUV) {
    RgbToYCrCb(rgb, m_ycrcb);
    return;
  }
  if (m_model == MODEL_ARGB) m_alpha = 255;
  for (int k = 0; k < 3; k++) m_rgb[k] = rgb[k];
}

void PObjColor::SetArgb(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  const uint8_t rgb[3] = {r, g, b};
  if (m_model == MODEL_YUV) {
    RgbToYCrCb(rgb, m_ycrcb);
    return;
  }
  if (m_model == MODEL_ARGB) m_alpha = a;
  for (int k = 0; k < 3; k++) m_rgb[k] = rgb[k];
}

void PObjColor::SetYCrCb(uint8_t y, uint8_t cr, uint8_t cb) {
  const uint8_t ycrcb[3] = {y, cr, cb};
  if (m_model == MODEL_YUV) {
    for (int k = 0; k < 3; k++) m_ycrcb[k] = ycrcb[k];
    return;
  }
  if (m_model == MODEL_ARGB) m_alpha = 255;
  YCrCbToRgb(ycrcb, m_rgb);
}

void PObjColor::SetColorRef(uint32_t c) { SetRgb(uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)); }

void PObjColor::SetFromColor(uint32_t argb) {
  SetArgb(uint8_t(argb >> 24), uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb));
}

void PObjColor::SetModel(int32_t m) {
  m_model = m < MODEL_RGB || m > MODEL_YUV ? MODEL_RGB : m;
  m_alpha = 255;
  for (int k = 0; k < 3; k++) m_rgb[k] = m_ycrcb[k] = 0;
}

void PObjColor::SetRgbComponent(int k, uint8_t value) {
  if (m_model != MODEL_YUV) {
    m_rgb[k] = value;
    return;
  }
  uint8_t rgb[3];
  YCrCbToRgb(m_ycrcb, rgb);
  rgb[k] = value;
  RgbToYCrCb(rgb, m_ycrcb);
}

void PObjColor::SetYCrCbComponent(int k, uint8_t value) {
  if (m_model == MODEL_YUV) {
    m_ycrcb[k] = value;
    return;
  }
  uint8_t ycrcb[3];
  RgbToYCrCb(m_rgb, ycrcb);
  ycrcb[k] = value;
  YCrCbToRgb(ycrcb, m_rgb);
}

uint8_t PObjColor::LumaByte(double y) {
  // Written so that NaN clamps to 0 rather than reaching the conversion.
  if (!(y > 0)) y = 0;
  if (y > 1) y = 1;
  return uint8_t(y * 255);
}

uint8_t PObjColor::ChromaByte(double c) { return LumaByte(c + 0.5); }

// ---- Members ------------------------------------------------------------------------------------

bool PObjColor::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  uint8_t rgb[3], ycrcb[3];
  switch (member) {
    case COPY: {
      const PObjColor* source = GetArgOfClass<PObjColor>(args, 0);
      if (source && source != this) {
        m_model = source->m_model;
        m_alpha = source->m_alpha;
        for (int k = 0; k < 3; k++) {
          m_rgb[k] = source->m_rgb[k];
          m_ycrcb[k] = source->m_ycrcb[k];
        }
      }
      return true;
    }
    case GET_ALPHA: return ReturnInt64(result, m_model == MODEL_ARGB ? m_alpha : 255);
    case GET_ARGB: return ReturnInt64(result, GetArgb());
    case GET_RED:
    case GET_GREEN:
    case GET_BLUE:
      GetRgb(rgb);
      return ReturnInt64(result, rgb[member == GET_RED ? 0 : member == GET_GREEN ? 1 : 2]);
    case GET_Y_FRACTION: GetYCrCb(ycrcb); return ReturnDouble(result, ycrcb[0] / 255.0);
    case GET_CR_FRACTION: GetYCrCb(ycrcb); return ReturnDouble(result, (ycrcb[1] - 128) / 255.0);
    case GET_CB_FRACTION: GetYCrCb(ycrcb); return ReturnDouble(result, (ycrcb[2] - 128) / 255.0);
    case GET_MODEL: return ReturnInt64(result, m_model);
    case GET_TEXT: return ReturnString(result, ColorToText(GetColorRef()).GetText());
    case GET_COLORREF: return ReturnInt64(result, GetColorRef());
    case GET_Y:
    case GET_CR:
    case GET_CB:
      GetYCrCb(ycrcb);
      return ReturnInt64(result, ycrcb[member == GET_Y ? 0 : member == GET_CR ? 1 : 2]);
    case GET_YCRCB:
      GetYCrCb(ycrcb);
      return ReturnInt64(result, uint32_t(ycrcb[0]) << 16 | uint32_t(ycrcb[1]) << 8 | ycrcb[2]);
    case SET_ALPHA:
      if (m_model == MODEL_ARGB) m_alpha = Low(args, 0);
      break;
    case SET_ARGB_WORD: SetFromColor(uint32_t(GetArgInt64(args, 0))); break;
    case SET_RED: SetRgbComponent(0, Low(args, 0)); break;
    case SET_GREEN: SetRgbComponent(1, Low(args, 0)); break;
    case SET_BLUE: SetRgbComponent(2, Low(args, 0)); break;
    case SET_Y: SetYCrCbComponent(0, Low(args, 0)); break;
    case SET_CR: SetYCrCbComponent(1, Low(args, 0)); break;
    case SET_CB: SetYCrCbComponent(2, Low(args, 0)); break;
    case SET_Y_FRACTION: SetYCrCbComponent(0, LumaByte(GetArgDouble(args, 0))); break;
    case SET_CR_FRACTION: SetYCrCbComponent(1, ChromaByte(GetArgDouble(args, 0))); break;
    case SET_CB_FRACTION: SetYCrCbComponent(2, ChromaByte(GetArgDouble(args, 0))); break;
    case SET_MODEL: SetModel(GetArgLow32(args, 0)); break;
    case SET_TEXT: SetColorRef(ColorFromText(GetArgString(args, 0))); break;
    case SET_COLORREF: SetColorRef(uint32_t(GetArgInt64(args, 0))); break;
    case SET_YCRCB_WORD: {
      const uint32_t w = uint32_t(GetArgInt64(args, 0));
      SetYCrCb(uint8_t(w), uint8_t(w >> 8), uint8_t(w >> 16));
      break;
    }
    case SET_SYSTEM_COLOR: SetColorRef(SystemColor(GetArgLow32(args, 0))); break;
    case SET_ARGB: SetArgb(Low(args, 0), Low(args, 1), Low(args, 2), Low(args, 3)); break;
    case SET_YCRCB_FRACTIONS:
      SetYCrCb(LumaByte(GetArgDouble(args, 0)), ChromaByte(GetArgDouble(args, 1)),
               ChromaByte(GetArgDouble(args, 2)));
      break;
    case SET_RGB: SetRgb(Low(args, 0), Low(args, 1), Low(args, 2)); break;
    case SET_YCRCB: SetYCrCb(Low(args, 0), Low(args, 1), Low(args, 2)); break;
    default: return PObject::Call(member, args, result, caller);
  }
  return ReturnObject(result, this);
}
