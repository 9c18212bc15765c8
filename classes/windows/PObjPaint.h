// PObjPaint: the script class "Paint", a GDI+ drawing context that a
// program points at a device context (the one a window's erase event hands
// over) or at an Image, and then draws lines, shapes, edges, pictures,
// pixels and text into with a pen, a fill colour, a font and a text layout
// that it keeps between calls.
//
// The device context and the Image are borrowed, never released here. An
// Image whose bitmap is replaced or deleted while it is painted on ends the
// painting first (SImageBitmapUser), so that GDI+ never draws into a freed
// bitmap.
#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <cstdint>
#include <memory>

#include "engine/PObject.h"
#include "window/SImage.h"

class PObjPaint : public PObject, private SImageBitmapUser {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'P', 'N', 'T');

  enum Member : uint16_t {
    BEGIN_ON_DC = 0,
    BEGIN_ON_IMAGE = 1,
    END = 2,
    DRAW_IMAGE = 3,
    DRAW_IMAGE_FILE = 4,
    DRAW_IMAGE_PATH = 5,
    DRAW_IMAGE_RESOURCE = 6,
    DRAW_EDGE = 7,
    ELLIPSE = 8,
    FILL_RECT = 9,
    GET_PEN_COLOR = 10,
    GET_PEN_WIDTH = 11,
    GET_PIXEL = 12,
    GET_ALIGNMENT = 13,
    GET_WRAP = 14,
    IS_PAINTING = 15,
    LINE = 16,
    MEASURE_TEXT = 17,
    POINT = 18,
    RECTANGLE = 19,
    SET_FONT = 20,
    SET_PEN_COLOR = 21,
    SET_PEN_WIDTH = 22,
    SET_PIXEL = 23,
    SET_TEXT_LAYOUT = 24,
    DRAW_TEXT = 25,
    MEMBER_COUNT = 26,
  };

  explicit PObjPaint(PObjectDefinition* definition);
  ~PObjPaint() override;

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  // Graphics on a new target; false (not painting) when GDI+ cannot make them.
  bool BeginOnDC(HDC dc);
  bool BeginOnImage(SImage* image);
  void EndPainting();
  void OnBitmapGoing(SImage* image) override;
  // Back to the state of a new object: not painting, default pen, fill,
  // font and layout.
  void Reset();
  void SetPenColor(Gdiplus::ARGB colour);
  void SetFillColor(Gdiplus::ARGB colour);
  // The members that draw; called only while painting.
  bool CallDrawing(uint16_t member, PArgs* args, PResultCell* result);
  void DrawPicture(SImage* picture, const PArgs* args);
  bool GetPixel(const PArgs* args, PResultCell* result);
  void SetPixel(const PArgs* args);
  const Gdiplus::Font* CurrentFont() const { return m_font ? m_font.get() : m_defaultFont.get(); }
  void MakeStringFormat(Gdiplus::StringFormat* format) const;
  void MeasureText(const PArgs* args);

  std::unique_ptr<Gdiplus::Graphics> m_graphics;  // null: not painting
  HDC m_dc;                                       // not owned
  SImage* m_image;                                // not owned; told before its bitmap goes
  int32_t m_penWidth;
  Gdiplus::ARGB m_penColor;
  std::unique_ptr<Gdiplus::Pen> m_pen;
  Gdiplus::ARGB m_fillColor;
  std::unique_ptr<Gdiplus::SolidBrush> m_fillBrush;
  std::unique_ptr<Gdiplus::Font> m_defaultFont;
  std::unique_ptr<Gdiplus::SolidBrush> m_textBrush;
  std::unique_ptr<Gdiplus::Font> m_font;  // null: the default font
  int32_t m_alignment;
  uint8_t m_wrap;
};
