// The pixel loops of SImage: grey, brightness and contrast, and alpha.
//
// Each locks only its rectangle and walks it row by row at the lock's
// stride: 24-bit rows are padded to 4 bytes, and a rectangle's rows lie a
// whole image row apart.
#include "window/ColorFunctions.h"
#include "window/SImage.h"
#include "window/SImagePixels.h"

namespace {

// The rectangle, or the whole image; false when it is empty.
bool AreaOf(const SImage& image, const Gdiplus::Rect* rect, Gdiplus::Rect& area) {
  area = rect ? *rect : Gdiplus::Rect(0, 0, image.GetWidth(), image.GetHeight());
  return area.Width > 0 && area.Height > 0;
}

// Calls change(pixel) for every pixel of the area whose colour (as a
// COLORREF) is not the key. Pixels are stored blue, green, red (, alpha).
template <class Change>
bool ForEachColourPixel(SImage& image, const Gdiplus::Rect* rect, COLORREF key, Change change) {
  int bits = image.GetBitsPerPixel();
  if (bits != 24 && bits != 32) return false;
  Gdiplus::Rect area;
  if (!AreaOf(image, rect, area)) return false;
  int bytes = bits / 8;
  SImagePixels pixels(image.GetBitmap(), area, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite,
                      bits == 24 ? PixelFormat24bppRGB : PixelFormat32bppARGB);
  if (!pixels.IsLocked()) return false;
  for (int y = 0; y < pixels.GetHeight(); y++) {
    uint8_t* p = pixels.Row(y);
    for (int x = 0; x < pixels.GetWidth(); x++, p += bytes)
      if (RGB(p[2], p[1], p[0]) != key) change(p);
  }
  return true;
}

}  // namespace

bool SImage::Desaturate(const Gdiplus::Rect* rect, COLORREF key) {
  static const GreyTable grey;
  return ForEachColourPixel(*this, rect, key, [](uint8_t* p) { p[0] = p[1] = p[2] = grey.Grey(p[2], p[1], p[0]); });
}

bool SImage::AdjustColors(double brightness, double contrast, COLORREF key, const Gdiplus::Rect* rect) {
  AdjustTable adjust(brightness, contrast);
  return ForEachColourPixel(*this, rect, key, [&adjust](uint8_t* p) {
    p[0] = adjust[p[0]];
    p[1] = adjust[p[1]];
    p[2] = adjust[p[2]];
  });
}

bool SImage::SetAlpha(const Gdiplus::Rect* rect, BYTE alpha, bool onlyLower) {
  if (GetBitsPerPixel() != 32) return false;
  Gdiplus::Rect area;
  if (!AreaOf(*this, rect, area)) return false;
  SImagePixels pixels(m_bitmap, area, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB);
  if (!pixels.IsLocked()) return false;
  for (int y = 0; y < pixels.GetHeight(); y++) {
    uint8_t* p = pixels.Row(y);
    for (int x = 0; x < pixels.GetWidth(); x++, p += 4)
      if (!onlyLower || alpha < p[3]) p[3] = alpha;
  }
  return true;
}
