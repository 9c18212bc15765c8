#include "classes/windows/PObjImage.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"
#include "classes/PObjFile.h"
#include "classes/PObjRectangle.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"

namespace {

const char* const kFormatNames[] = {"BMP", "JPG", "PNG", "GIF"};

// How much of the picture a member's rectangle names.
enum class Area { kWhole, kPart, kNone };

// The Rectangle argument i cut to the picture's width x height: kWhole when
// there is none, kNone when nothing of it is inside (an inverted one
// included), else kPart with rect the part inside.
Area ClipArgRect(const PArgs* args, int i, int width, int height, Gdiplus::Rect& rect) {
  const PObjRectangle* r = GetArgOfClass<PObjRectangle>(args, i);
  if (!r) return Area::kWhole;
  if (r->GetRight() <= r->GetLeft() || r->GetBottom() <= r->GetTop()) return Area::kNone;
  const int64_t left = r->GetLeft() < 0 ? 0 : r->GetLeft();
  const int64_t top = r->GetTop() < 0 ? 0 : r->GetTop();
  const int64_t right = r->GetRight() > width ? width : r->GetRight();
  const int64_t bottom = r->GetBottom() > height ? height : r->GetBottom();
  if (right <= left || bottom <= top) return Area::kNone;
  rect = Gdiplus::Rect(INT(left), INT(top), INT(right - left), INT(bottom - top));
  return Area::kPart;
}

// A Color argument as a key or stored colour; absent gives the fallback.
COLORREF ArgColorRef(const PArgs* args, int i, COLORREF absent) {
  const PObjColor* colour = GetArgOfClass<PObjColor>(args, i);
  return colour ? colour->GetColorRef() : absent;
}

}  // namespace

void PObjImage::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_GRAPHICS);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Image");
  for (int format = 0; format < 4; format++) definition->AddConstant(kFormatNames[format], format);
  PObject::Register(definition);
}

bool PObjImage::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kVoid = TYPE_VOID;
  const PParamDecl integer(TYPE_INTEGER), text(TYPE_STRING), file(PObjFile::kTypeCode);
  const PParamDecl colour(PObjColor::kTypeCode), noColour(PObjColor::kTypeCode, nullptr);
  const PParamDecl noRect(PObjRectangle::kTypeCode, nullptr), image(kTypeCode);
  const PParamDecl yes(TYPE_INTEGER, "true", 1), no(TYPE_INTEGER, "false", 0);
  const PParamDecl bmp(TYPE_INTEGER, "Image.BMP", 0), bits32(TYPE_INTEGER, "32", 32);
  return d->AddMember(MEMBER_FUNCTION, SET_ALPHA, kInt, {integer, noRect, yes}) &&
         d->AddMember(MEMBER_FUNCTION, ADJUST_COLORS, kVoid,
                      {PParamDecl(TYPE_FLOAT, "0.0", 0.0), PParamDecl(TYPE_FLOAT, "1.0", 1.0), noRect, noColour}) &&
         d->AddMember(MEMBER_FUNCTION, CLEAR, kVoid) &&
         d->AddMember(MEMBER_FUNCTION, EXTRACT_DATA, kInt, {file}) &&
         d->AddMember(MEMBER_FUNCTION, EMBED_DATA, kInt, {file}) &&
         d->AddMember(MEMBER_FUNCTION, FILL, kVoid, {colour, noRect}) &&
         d->AddMember(MEMBER_FUNCTION, FLIP, kVoid, {yes, no}) &&
         d->AddMember(MEMBER_FUNCTION, FIND_POINT, kInt, {integer, integer, colour}) &&
         d->AddMember(MEMBER_FUNCTION, GET_BACK_COLOR, kInt, {colour}) &&
         d->AddMember(MEMBER_FUNCTION, GET_BITS, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_USER_VALUE, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_DRAW_MODE, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_HEIGHT, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_NAME, TYPE_STRING) &&
         d->AddMember(MEMBER_FUNCTION, GET_PIXEL, kInt, {integer, integer, colour}) &&
         d->AddMember(MEMBER_FUNCTION, GET_RESOLUTION, TYPE_FLOAT) &&
         d->AddMember(MEMBER_FUNCTION, GET_TRANSPARENT_COLOR, kInt, {colour}) &&
         d->AddMember(MEMBER_FUNCTION, GET_WIDTH, kInt) &&
         d->AddMember(MEMBER_FUNCTION, DESATURATE, kVoid, {noRect, noColour}) &&
         d->AddMember(MEMBER_FUNCTION, HAS_IMAGE, kInt) &&
         d->AddMember(MEMBER_FUNCTION, COPY_FROM, kInt, {image, noRect}) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_FROM_FILE, kInt, {file, PParamDecl(TYPE_INTEGER, "-1", -1)}) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_FROM_PATH, kInt, {text}) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_FROM_RESOURCE, kInt, {text}) &&
         d->AddMember(MEMBER_FUNCTION, CAPTURE_SCREEN, kInt, {noRect}) &&
         d->AddMember(MEMBER_FUNCTION, CREATE, kInt, {integer, integer, bits32}) &&
         d->AddMember(MEMBER_FUNCTION, RESIZE, kInt, {integer, integer}) &&
         d->AddMember(MEMBER_FUNCTION, ROTATE, kInt, {PParamDecl(TYPE_INTEGER, "1", 1)}) &&
         d->AddMember(MEMBER_FUNCTION, SAVE_TO_FILE, kInt, {file, bmp}) &&
         d->AddMember(MEMBER_FUNCTION, SAVE_TO_PATH, kInt, {text, bmp}) &&
         d->AddMember(MEMBER_FUNCTION, SET_PALETTE_ALPHA, kInt, {integer}) &&
         d->AddMember(MEMBER_FUNCTION, SET_BACK_COLOR, kVoid, {noColour}) &&
         d->AddMember(MEMBER_FUNCTION, CONVERT_BITS, kInt, {bits32}) &&
         d->AddMember(MEMBER_FUNCTION, SET_USER_VALUE, kVoid, {integer}) &&
         d->AddMember(MEMBER_FUNCTION, SET_DRAW_MODE, kVoid, {PParamDecl(TYPE_INTEGER, "DRAW_TOPLEFT", 0)}) &&
         d->AddMember(MEMBER_FUNCTION, SET_NAME, kVoid, {text}) &&
         d->AddMember(MEMBER_FUNCTION, SET_PIXEL, kVoid, {integer, integer, colour}) &&
         d->AddMember(MEMBER_FUNCTION, RESIZE_CANVAS, kInt, {integer, integer}) &&
         d->AddMember(MEMBER_FUNCTION, SET_TRANSPARENT_COLOR, kVoid, {noColour});
}

PObject* PObjImage::New(PObjectDefinition* definition) { return new (std::nothrow) PObjImage(definition); }

PObjImage* PObjImage::GetArgImage(const PArgs* args, int i) { return GetArgOfClass<PObjImage>(args, i); }

// ---- Members ------------------------------------------------------------------------------------

bool PObjImage::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case CLEAR: m_image.Clear(); return true;
    case GET_BACK_COLOR:
    case GET_TRANSPARENT_COLOR: {
      PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      if (!colour) return true;
      colour->SetColorRef(member == GET_BACK_COLOR ? m_image.GetBackColor() : m_image.GetTransparentColor());
      return ReturnBool(result, true);
    }
    case GET_USER_VALUE: return ReturnInt64(result, int32_t(m_image.GetUserValue()));
    case GET_DRAW_MODE: return ReturnInt64(result, m_image.GetDrawMode());
    case GET_NAME: return ReturnString(result, m_image.GetName().GetText());
    case HAS_IMAGE: return ReturnBool(result, m_image.IsLoaded());
    case COPY_FROM: {
      PObjImage* other = GetArgImage(args, 0);
      if (!other || !other->HasImage()) return true;
      Gdiplus::Rect rect;
      switch (ClipArgRect(args, 1, other->m_image.GetWidth(), other->m_image.GetHeight(), rect)) {
        case Area::kWhole: return ReturnBool(result, m_image.CopyFrom(&other->m_image, 0, 0, -1, -1));
        case Area::kPart:
          return ReturnBool(result, m_image.CopyFrom(&other->m_image, rect.X, rect.Y, rect.Width, rect.Height));
        case Area::kNone: return ReturnBool(result, false);
      }
      return true;
    }
    case LOAD_FROM_FILE: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream) return true;
      return ReturnBool(result, m_image.LoadFromStream(stream, GetArgLow32(args, 1)));
    }
    case LOAD_FROM_PATH: {
      SFilePath file;
      if (!file.Open(GetArgString(args, 0), false, false, true)) return ReturnBool(result, false);
      return ReturnBool(result, m_image.LoadFromStream(&file, -1));
    }
    case LOAD_FROM_RESOURCE: {
      SFileMem stream;
      if (!GetEngine()->LoadResource(&stream, GetArgString(args, 0), RESOURCE_IMAGE)) return true;
      return ReturnBool(result, m_image.LoadFromStream(&stream, -1));
    }
    case CAPTURE_SCREEN: {
      const PObjRectangle* r = GetArgOfClass<PObjRectangle>(args, 0);
      RECT area;
      if (r) area = {r->GetLeft(), r->GetTop(), r->GetRight(), r->GetBottom()};
      return ReturnBool(result, m_image.CaptureScreen(r ? &area : nullptr));
    }
    case CREATE: {
      const Gdiplus::PixelFormat format = PixelFormatFromBits(GetArgLow32(args, 2));
      if (!format) return true;
      // Made aside first, so that a size GDI+ refuses keeps the old picture.
      SImage blank;
      if (!blank.Create(GetArgLow32(args, 0), GetArgLow32(args, 1), format)) return ReturnBool(result, false);
      m_image.AssignBitmap(blank);
      return ReturnBool(result, m_image.IsLoaded());
    }
    case SET_BACK_COLOR: m_image.SetBackColor(ArgColorRef(args, 0, kNoImageColor)); return true;
    case SET_USER_VALUE: m_image.SetUserValue(uint32_t(GetArgLow32(args, 0))); return true;
    case SET_DRAW_MODE: m_image.SetDrawMode(GetArgLow32(args, 0)); return true;
    case SET_NAME: m_image.SetName(GetArgString(args, 0)); return true;
    case SET_TRANSPARENT_COLOR: m_image.SetTransparentColor(ArgColorRef(args, 0, kNoImageColor)); return true;
    default:
      if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
      if (!m_image.IsLoaded()) return true;
      return CallOnBitmap(member, args, result);
  }
}

bool PObjImage::CallOnBitmap(uint16_t member, PArgs* args, PResultCell* result) {
  const int width = m_image.GetWidth(), height = m_image.GetHeight();
  Gdiplus::Rect rect;
  switch (member) {
    case SET_ALPHA: {
      const Area area = ClipArgRect(args, 1, width, height, rect);
      if (area == Area::kNone) return ReturnBool(result, false);
      const BYTE alpha = BYTE(GetArgLow32(args, 0));
      return ReturnBool(result, m_image.SetAlpha(area == Area::kPart ? &rect : nullptr, alpha, GetArgBool(args, 2)));
    }
    case ADJUST_COLORS: {
      const Area area = ClipArgRect(args, 2, width, height, rect);
      if (area == Area::kNone) return true;
      // No key is black, so that black pixels stay black.
      m_image.AdjustColors(GetArgDouble(args, 0), GetArgDouble(args, 1), ArgColorRef(args, 3, 0),
                           area == Area::kPart ? &rect : nullptr);
      return true;
    }
    case DESATURATE: {
      const Area area = ClipArgRect(args, 0, width, height, rect);
      if (area == Area::kNone) return true;
      m_image.Desaturate(area == Area::kPart ? &rect : nullptr, ArgColorRef(args, 1, kNoImageColor));
      return true;
    }
    case FILL: {
      const PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      const Area area = ClipArgRect(args, 1, width, height, rect);
      if (!colour || area == Area::kNone) return true;
      m_image.FillRect(colour->GetArgb(), area == Area::kPart ? &rect : nullptr);
      return true;
    }
    case EXTRACT_DATA:
    case EMBED_DATA: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream) return true;
      return ReturnBool(result, member == EMBED_DATA ? m_image.EmbedData(stream) : m_image.ExtractData(stream));
    }
    case FLIP: m_image.Flip(GetArgBool(args, 0), GetArgBool(args, 1)); return true;
    // Finding a point by colour was never part of the class: it answers no.
    case FIND_POINT: return ReturnBool(result, false);
    case GET_BITS: return ReturnInt64(result, m_image.GetBitsPerPixel());
    case GET_HEIGHT: return ReturnInt64(result, height);
    case GET_WIDTH: return ReturnInt64(result, width);
    case GET_PIXEL: {
      PObjColor* colour = GetArgOfClass<PObjColor>(args, 2);
      Gdiplus::ARGB pixel = 0;
      if (!colour || !m_image.GetPixel(GetArgLow32(args, 0), GetArgLow32(args, 1), pixel)) return true;
      colour->SetFromColor(pixel);
      return ReturnBool(result, true);
    }
    case GET_RESOLUTION: return ReturnDouble(result, m_image.GetBitmap()->GetHorizontalResolution());
    case RESIZE: return ReturnBool(result, m_image.Resize(GetArgLow32(args, 0), GetArgLow32(args, 1)));
    case RESIZE_CANVAS: return ReturnBool(result, m_image.ResizeCanvas(GetArgLow32(args, 0), GetArgLow32(args, 1)));
    case ROTATE: return ReturnBool(result, m_image.Rotate(GetArgLow32(args, 0)));
    case SAVE_TO_FILE: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream) return true;
      return ReturnBool(result, m_image.SaveToStream(stream, GetArgLow32(args, 1), 0));
    }
    case SAVE_TO_PATH: {
      SFilePath file;
      if (!file.Open(GetArgString(args, 0), true, true, false)) return ReturnBool(result, false);
      return ReturnBool(result, m_image.SaveToStream(&file, GetArgLow32(args, 1), 0));
    }
    case SET_PALETTE_ALPHA: return ReturnBool(result, m_image.SetPaletteAlpha(BYTE(GetArgLow32(args, 0))));
    case CONVERT_BITS: return ReturnBool(result, m_image.ConvertBits(GetArgLow32(args, 0)));
    case SET_PIXEL: {
      const PObjColor* colour = GetArgOfClass<PObjColor>(args, 2);
      if (colour) m_image.SetPixel(GetArgLow32(args, 0), GetArgLow32(args, 1), colour->GetArgb());
      return true;
    }
    default: return true;
  }
}
