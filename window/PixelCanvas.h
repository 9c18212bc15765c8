// PixelCanvas: a 32-bit top-down DIB section selected into a memory DC,
// drawn on by GDI through the DC and by GDI+ straight into its pixels.
// Window backgrounds are rendered here when their pixels matter: the shape
// cut from the transparent colour, and the alpha of layered windows.
#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <cstdint>
#include <memory>

class PixelCanvas {
 public:
  // Blank (all bytes 0). IsValid tells whether it could be made.
  PixelCanvas(int width, int height);
  ~PixelCanvas();
  PixelCanvas(const PixelCanvas&) = delete;
  PixelCanvas& operator=(const PixelCanvas&) = delete;

  bool IsValid() const { return m_dc != nullptr; }
  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }
  HDC GetDC() const { return m_dc; }
  HBITMAP GetBitmap() const { return m_bitmap; }
  uint32_t GetPixel(int x, int y) const { return m_bits[size_t(y) * m_width + x]; }
  // A GDI+ bitmap over the pixels, in the format they are to be read in
  // (PixelFormat32bppPARGB for layered windows); it must go before the
  // canvas does.
  std::unique_ptr<Gdiplus::Bitmap> Wrap(Gdiplus::PixelFormat format);
  // Takes the bitmap out of the DC, for functions that select it into a
  // DC of their own; drawing through GetDC ends there.
  void Unselect() { SelectObject(m_dc, m_oldBitmap); }
  // Hands the DC, with the bitmap selected, to the caller, who deletes both.
  HDC Release();

 private:
  int m_width, m_height;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_oldBitmap;
  uint32_t* m_bits;
};
