#include "classes/windows/PObjPaint.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"
#include "classes/PObjFile.h"
#include "classes/PObjFont.h"
#include "classes/PObjRectangle.h"
#include "classes/windows/PObjImage.h"
#include "core/SUniString.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"
#include "window/TextDrawing.h"

namespace {

// The DrawEdge edge and border flags, as the program names them.
const struct {
  const char* name;
  int32_t value;
} kConstants[] = {
    {"EDGE_BUMP", EDGE_BUMP},
    {"EDGE_ETCHED", EDGE_ETCHED},
    {"EDGE_RAISED", EDGE_RAISED},
    {"EDGE_SUNKEN", EDGE_SUNKEN},
    {"EDGE_RAISEDINNER", BDR_RAISEDINNER},
    {"EDGE_RAISEDOUTER", BDR_RAISEDOUTER},
    {"EDGE_SUNKENINNER", BDR_SUNKENINNER},
    {"EDGE_SUNKENOUTER", BDR_SUNKENOUTER},
    {"RECT_LEFT", BF_LEFT},
    {"RECT_TOP", BF_TOP},
    {"RECT_RIGHT", BF_RIGHT},
    {"RECT_BOTTOM", BF_BOTTOM},
    {"RECT_ALL", BF_RECT},
};

const Gdiplus::ARGB kOpaqueBlack = 0xFF000000;

// The default font: "arial", 10 points, regular.
const wchar_t kDefaultFace[] = L"arial";
const float kDefaultPoints = 10.0f;

// A Rectangle argument as GDI+ has it (right and bottom exclusive).
bool ArgRect(const PArgs* args, int i, Gdiplus::Rect* rect) {
  const PObjRectangle* r = GetArgOfClass<PObjRectangle>(args, i);
  if (!r) return false;
  *rect = Gdiplus::Rect(r->GetLeft(), r->GetTop(), r->GetRight() - r->GetLeft(), r->GetBottom() - r->GetTop());
  return true;
}

}  // namespace

// ---- The class ----------------------------------------------------------------------------------

PObjPaint::PObjPaint(PObjectDefinition* definition)
    : PObject(definition),
      m_dc(nullptr),
      m_image(nullptr),
      m_penWidth(1),
      m_penColor(kOpaqueBlack),
      m_fillColor(kOpaqueBlack),
      m_alignment(0),
      m_wrap(0) {
  m_defaultFont.reset(new Gdiplus::Font(kDefaultFace, kDefaultPoints));
  // A system without that face still draws text, in what GDI maps it to.
  if (!m_defaultFont || !m_defaultFont->IsAvailable()) {
    HDC screen = GetDC(nullptr);
    LOGFONTA face = {};
    face.lfHeight = -MulDiv(int(kDefaultPoints), GetDeviceCaps(screen, LOGPIXELSY), 72);
    face.lfWeight = FW_NORMAL;
    lstrcpynA(face.lfFaceName, "arial", LF_FACESIZE);
    m_defaultFont.reset(new Gdiplus::Font(screen, &face));
    ReleaseDC(nullptr, screen);
  }
  Reset();
}

PObjPaint::~PObjPaint() { Reset(); }

void PObjPaint::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_GRAPHICS);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Paint");
  for (const auto& c : kConstants) definition->AddConstant(c.name, c.value);
  PObject::Register(definition);
}

bool PObjPaint::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kVoid = TYPE_VOID;
  const PParamDecl integer(TYPE_INTEGER), text(TYPE_STRING), file(PObjFile::kTypeCode);
  const PParamDecl image(PObjImage::kTypeCode), rect(PObjRectangle::kTypeCode);
  const PParamDecl colour(PObjColor::kTypeCode), noColour(PObjColor::kTypeCode, nullptr);
  const PParamDecl noRect(PObjRectangle::kTypeCode, nullptr), noFont(PObjFont::kTypeCode, nullptr);
  const PParamDecl own(TYPE_INTEGER, "-1", -1), one(TYPE_INTEGER, "1", 1), no(TYPE_INTEGER, "false", 0);
  // The layout's default names no constant of the class; it is 0, near
  // alignment both ways.
  const PParamDecl nearAligned(TYPE_INTEGER, "0", 0);
  const PParamDecl bump(TYPE_INTEGER, "Paint.EDGE_BUMP", EDGE_BUMP), all(TYPE_INTEGER, "Paint.RECT_ALL", BF_RECT);
  return d->AddMember(MEMBER_FUNCTION, BEGIN_ON_DC, kInt, {integer}) &&
         d->AddMember(MEMBER_FUNCTION, BEGIN_ON_IMAGE, kInt, {image}) &&
         d->AddMember(MEMBER_FUNCTION, END, kVoid) &&
         d->AddMember(MEMBER_FUNCTION, DRAW_IMAGE, kVoid, {image, integer, integer, own, own, noRect}) &&
         d->AddMember(MEMBER_FUNCTION, DRAW_IMAGE_FILE, kVoid, {file, integer, integer, own, own, noRect}) &&
         d->AddMember(MEMBER_FUNCTION, DRAW_IMAGE_PATH, kVoid, {text, integer, integer, own, own, noRect}) &&
         d->AddMember(MEMBER_FUNCTION, DRAW_IMAGE_RESOURCE, kVoid, {text, integer, integer, own, own, noRect}) &&
         d->AddMember(MEMBER_FUNCTION, DRAW_EDGE, kVoid, {rect, bump, all}) &&
         d->AddMember(MEMBER_FUNCTION, ELLIPSE, kVoid, {rect, noColour}) &&
         d->AddMember(MEMBER_FUNCTION, FILL_RECT, kVoid, {rect, colour}) &&
         d->AddMember(MEMBER_FUNCTION, GET_PEN_COLOR, kInt, {colour}) &&
         d->AddMember(MEMBER_FUNCTION, GET_PEN_WIDTH, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_PIXEL, kInt, {integer, integer, colour}) &&
         d->AddMember(MEMBER_FUNCTION, GET_ALIGNMENT, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_WRAP, kInt) &&
         d->AddMember(MEMBER_FUNCTION, IS_PAINTING, kInt) &&
         d->AddMember(MEMBER_FUNCTION, LINE, kVoid, {integer, integer, integer, integer}) &&
         d->AddMember(MEMBER_FUNCTION, MEASURE_TEXT, kVoid, {text, rect}) &&
         d->AddMember(MEMBER_FUNCTION, POINT, kVoid, {integer, integer}) &&
         d->AddMember(MEMBER_FUNCTION, RECTANGLE, kVoid, {rect, noColour}) &&
         d->AddMember(MEMBER_FUNCTION, SET_FONT, kVoid, {noFont}) &&
         d->AddMember(MEMBER_FUNCTION, SET_PEN_COLOR, kVoid, {colour}) &&
         d->AddMember(MEMBER_FUNCTION, SET_PEN_WIDTH, kVoid, {one}) &&
         d->AddMember(MEMBER_FUNCTION, SET_PIXEL, kVoid, {integer, integer, colour}) &&
         d->AddMember(MEMBER_FUNCTION, SET_TEXT_LAYOUT, kVoid, {nearAligned, no}) &&
         d->AddMember(MEMBER_FUNCTION, DRAW_TEXT, kVoid, {text, rect});
}

PObject* PObjPaint::New(PObjectDefinition* definition) { return new (std::nothrow) PObjPaint(definition); }

// ---- Targets ------------------------------------------------------------------------------------

void PObjPaint::EndPainting() {
  m_graphics.reset();
  if (m_image) m_image->RemoveBitmapUser(this);
  m_image = nullptr;
  m_dc = nullptr;
}

void PObjPaint::OnBitmapGoing(SImage*) {
  // The image has already forgotten this user; only the graphics go.
  m_image = nullptr;
  EndPainting();
}

bool PObjPaint::BeginOnDC(HDC dc) {
  EndPainting();
  // Any number may arrive here; GDI+ would take a handle that is no device
  // context and fail only once it draws.
  const DWORD type = GetObjectType(dc);
  if (type != OBJ_DC && type != OBJ_MEMDC && type != OBJ_METADC && type != OBJ_ENHMETADC) return false;
  std::unique_ptr<Gdiplus::Graphics> graphics(new Gdiplus::Graphics(dc));
  if (!graphics || graphics->GetLastStatus() != Gdiplus::Ok) return false;
  m_graphics = std::move(graphics);
  m_dc = dc;
  return true;
}

bool PObjPaint::BeginOnImage(SImage* image) {
  EndPainting();
  std::unique_ptr<Gdiplus::Graphics> graphics(new Gdiplus::Graphics(image->GetBitmap()));
  if (!graphics || graphics->GetLastStatus() != Gdiplus::Ok) return false;
  m_graphics = std::move(graphics);
  m_image = image;
  image->AddBitmapUser(this);
  return true;
}

void PObjPaint::Reset() {
  EndPainting();
  m_penWidth = 1;
  m_font.reset();
  m_alignment = 0;
  m_wrap = 0;
  SetPenColor(kOpaqueBlack);
  SetFillColor(kOpaqueBlack);
}

void PObjPaint::SetPenColor(Gdiplus::ARGB colour) {
  m_penColor = colour;
  m_pen.reset(new Gdiplus::Pen(Gdiplus::Color(colour), Gdiplus::REAL(m_penWidth)));
  m_textBrush.reset(new Gdiplus::SolidBrush(Gdiplus::Color(colour)));
}

void PObjPaint::SetFillColor(Gdiplus::ARGB colour) {
  m_fillColor = colour;
  m_fillBrush.reset(new Gdiplus::SolidBrush(Gdiplus::Color(colour)));
}

// ---- Members ------------------------------------------------------------------------------------

bool PObjPaint::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case BEGIN_ON_DC: {
      HDC dc = reinterpret_cast<HDC>(uintptr_t(uint32_t(GetArgLow32(args, 0))));
      if (!dc) return true;
      return ReturnBool(result, BeginOnDC(dc));
    }
    case BEGIN_ON_IMAGE: {
      PObjImage* image = PObjImage::GetArgImage(args, 0);
      if (!image || !image->HasImage()) return true;
      return ReturnBool(result, BeginOnImage(image->GetImage()));
    }
    case END: EndPainting(); return true;
    case GET_PEN_COLOR: {
      PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      if (!colour) return true;
      colour->SetFromColor(m_penColor);
      return ReturnBool(result, true);
    }
    case GET_PEN_WIDTH: return ReturnInt64(result, m_penWidth);
    case GET_ALIGNMENT: return ReturnInt64(result, m_alignment);
    case GET_WRAP: return ReturnInt64(result, m_wrap);
    case IS_PAINTING: return ReturnBool(result, m_graphics != nullptr);
    case MEASURE_TEXT: MeasureText(args); return true;
    case SET_FONT: {
      m_font.reset();
      const PObjFont* font = GetArgOfClass<PObjFont>(args, 0);
      if (font && font->GetFont()) {
        HDC screen = GetDC(nullptr);
        std::unique_ptr<Gdiplus::Font> made(new Gdiplus::Font(screen, font->GetFont()));
        ReleaseDC(nullptr, screen);
        if (made && made->IsAvailable()) m_font = std::move(made);
      }
      return true;
    }
    case SET_PEN_COLOR: {
      const PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      if (colour) SetPenColor(colour->GetArgb());
      return true;
    }
    case SET_PEN_WIDTH:
      m_penWidth = GetArgLow32(args, 0);
      SetPenColor(m_penColor);
      return true;
    case SET_TEXT_LAYOUT:
      m_alignment = GetArgLow32(args, 0);
      m_wrap = GetArgBool(args, 1) ? 1 : 0;
      return true;
    default:
      if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
      if (!m_graphics) return true;
      return CallDrawing(member, args, result);
  }
}

bool PObjPaint::CallDrawing(uint16_t member, PArgs* args, PResultCell* result) {
  Gdiplus::Graphics* g = m_graphics.get();
  Gdiplus::Rect rect;
  switch (member) {
    case DRAW_IMAGE: {
      PObjImage* image = PObjImage::GetArgImage(args, 0);
      if (image && image->HasImage()) DrawPicture(image->GetImage(), args);
      return true;
    }
    case DRAW_IMAGE_FILE: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      SImage picture;
      if (stream && picture.LoadFromStream(stream, -1)) DrawPicture(&picture, args);
      return true;
    }
    case DRAW_IMAGE_PATH: {
      SFilePath file;
      SImage picture;
      if (file.Open(GetArgString(args, 0), false, false, true) && picture.LoadFromStream(&file, -1))
        DrawPicture(&picture, args);
      return true;
    }
    case DRAW_IMAGE_RESOURCE: {
      SFileMem stream;
      SImage picture;
      if (GetEngine()->LoadResource(&stream, GetArgString(args, 0), RESOURCE_IMAGE) &&
          picture.LoadFromStream(&stream, -1))
        DrawPicture(&picture, args);
      return true;
    }
    case DRAW_EDGE: {
      if (!ArgRect(args, 0, &rect)) return true;
      RECT edge = {rect.X, rect.Y, rect.GetRight(), rect.GetBottom()};
      // GDI draws the edge; GDI+ lends its device context meanwhile.
      HDC dc = g->GetHDC();
      if (!dc) return true;
      DrawEdge(dc, &edge, UINT(GetArgLow32(args, 1)), UINT(GetArgLow32(args, 2)) & BF_RECT);
      g->ReleaseHDC(dc);
      return true;
    }
    case ELLIPSE:
    case RECTANGLE:
    case FILL_RECT: {
      if (!ArgRect(args, 0, &rect)) return true;
      const PObjColor* colour = GetArgOfClass<PObjColor>(args, 1);
      if (colour) {
        SetFillColor(colour->GetArgb());
        if (member == ELLIPSE)
          g->FillEllipse(m_fillBrush.get(), rect);
        else
          g->FillRectangle(m_fillBrush.get(), rect);
      }
      if (member == ELLIPSE) g->DrawEllipse(m_pen.get(), rect);
      if (member == RECTANGLE) g->DrawRectangle(m_pen.get(), rect);
      return true;
    }
    case GET_PIXEL: return GetPixel(args, result);
    case SET_PIXEL: SetPixel(args); return true;
    case LINE:
      g->DrawLine(m_pen.get(), GetArgLow32(args, 0), GetArgLow32(args, 1), GetArgLow32(args, 2),
                  GetArgLow32(args, 3));
      return true;
    case POINT: {
      const int x = GetArgLow32(args, 0), y = GetArgLow32(args, 1);
      g->DrawLine(m_pen.get(), x, y, x, y);
      return true;
    }
    case DRAW_TEXT: {
      if (!ArgRect(args, 1, &rect)) return true;
      Gdiplus::StringFormat format;
      MakeStringFormat(&format);
      DrawStringGdiPlus(nullptr, rect, g, GetArgString(args, 0), CurrentFont(), &format, m_textBrush.get(),
                        nullptr);
      return true;
    }
    default: return true;
  }
}

void PObjPaint::DrawPicture(SImage* picture, const PArgs* args) {
  Gdiplus::Rect source;
  const bool part = ArgRect(args, 5, &source);
  picture->DrawAt(m_graphics.get(), GetArgLow32(args, 1), GetArgLow32(args, 2), GetArgLow32(args, 3),
                  GetArgLow32(args, 4), part ? &source : nullptr);
}

bool PObjPaint::GetPixel(const PArgs* args, PResultCell* result) {
  PObjColor* colour = GetArgOfClass<PObjColor>(args, 2);
  if (!colour) return true;
  const int x = GetArgLow32(args, 0), y = GetArgLow32(args, 1);
  if (m_image) {
    Gdiplus::ARGB pixel = 0;
    if (!m_image->GetPixel(x, y, pixel)) return true;
    colour->SetFromColor(pixel);
    return ReturnBool(result, true);
  }
  // What GDI+ drew is read back from the device itself.
  m_graphics->Flush(Gdiplus::FlushIntentionSync);
  const COLORREF pixel = ::GetPixel(m_dc, x, y);
  if (pixel == CLR_INVALID) return true;
  colour->SetColorRef(pixel);
  return ReturnBool(result, true);
}

void PObjPaint::SetPixel(const PArgs* args) {
  const PObjColor* colour = GetArgOfClass<PObjColor>(args, 2);
  if (!colour) return;
  const int x = GetArgLow32(args, 0), y = GetArgLow32(args, 1);
  if (m_image) {
    m_image->SetPixel(x, y, colour->GetArgb());
    return;
  }
  m_graphics->Flush(Gdiplus::FlushIntentionSync);
  SetPixelV(m_dc, x, y, colour->GetColorRef());
}

void PObjPaint::MakeStringFormat(Gdiplus::StringFormat* format) const {
  SetStringFormatAlign(m_alignment, format, m_wrap != 0);
}

void PObjPaint::MeasureText(const PArgs* args) {
  PObjRectangle* rectangle = GetArgOfClass<PObjRectangle>(args, 1);
  if (!rectangle || !m_graphics) return;
  const Gdiplus::RectF layout(Gdiplus::REAL(rectangle->GetLeft()), Gdiplus::REAL(rectangle->GetTop()),
                              Gdiplus::REAL(rectangle->GetRight() - rectangle->GetLeft()),
                              Gdiplus::REAL(rectangle->GetBottom() - rectangle->GetTop()));
  Gdiplus::StringFormat format;
  MakeStringFormat(&format);
  SUniString wide(GetArgString(args, 0));
  Gdiplus::RectF box;
  if (m_graphics->MeasureString(reinterpret_cast<const WCHAR*>(wide.GetText()), -1, CurrentFont(), layout, &format,
                                &box) != Gdiplus::Ok)
    return;
  rectangle->Set(int32_t(box.X), int32_t(box.Y), int32_t(box.X + box.Width), int32_t(box.Y + box.Height));
}
