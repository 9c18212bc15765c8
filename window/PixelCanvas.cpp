// PixelCanvas: the DIB section and its memory DC.
#include "window/PixelCanvas.h"

PixelCanvas::PixelCanvas(int width, int height)
    : m_width(width), m_height(height), m_dc(nullptr), m_bitmap(nullptr), m_oldBitmap(nullptr), m_bits(nullptr) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  m_bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = m_bitmap ? CreateCompatibleDC(screen) : nullptr;
  ::ReleaseDC(nullptr, screen);
  if (!dc) return;
  m_dc = dc;
  m_bits = static_cast<uint32_t*>(bits);
  m_oldBitmap = SelectObject(m_dc, m_bitmap);
}

PixelCanvas::~PixelCanvas() {
  if (m_dc) {
    SelectObject(m_dc, m_oldBitmap);
    DeleteDC(m_dc);
  }
  if (m_bitmap) DeleteObject(m_bitmap);
}

std::unique_ptr<Gdiplus::Bitmap> PixelCanvas::Wrap(Gdiplus::PixelFormat format) {
  if (!IsValid()) return nullptr;
  GdiFlush();
  return std::make_unique<Gdiplus::Bitmap>(m_width, m_height, m_width * 4, format,
                                           reinterpret_cast<BYTE*>(m_bits));
}

HDC PixelCanvas::Release() {
  HDC dc = m_dc;
  m_dc = nullptr;
  m_bitmap = nullptr;
  m_bits = nullptr;
  return dc;
}
