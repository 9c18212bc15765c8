// Win32 handles made from an SImage: bitmaps with and without alpha, the
// alpha mask, icons and regions. The caller owns every handle returned.
#include "window/SImage.h"

#include <cstdlib>
#include <cstring>

#include "window/SImagePixels.h"

HBITMAP SImage::GetBitmapHandle() const {
  if (!m_bitmap) return nullptr;
  HBITMAP handle = nullptr;
  if (m_bitmap->GetHBITMAP(Gdiplus::Color(0xFF000000), &handle) != Gdiplus::Ok) return nullptr;
  return handle;
}

HBITMAP SImage::GetBitmapHandle16() const {
  if (!m_bitmap) return nullptr;
  if (GetBitsPerPixel() == 16) return GetBitmapHandle();
  SImage reduced;
  reduced.SetBitmap(CloneWithFormat(PixelFormat16bppRGB565));
  return reduced.GetBitmapHandle();
}

HBITMAP SImage::GetBitmapHandle32() const {
  if (!m_bitmap) return nullptr;
  // Locking in 32-bit ARGB converts whatever format the picture has.
  SImagePixels pixels(m_bitmap, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB);
  if (!pixels.IsLocked()) return nullptr;
  int width = pixels.GetWidth();
  int height = pixels.GetHeight();
  // CreateBitmap wants the rows back to back; GDI+ may pad or reverse them.
  size_t rowBytes = static_cast<size_t>(width) * 4;
  auto* bits = static_cast<uint8_t*>(std::malloc(rowBytes * static_cast<size_t>(height)));
  if (!bits) return nullptr;
  for (int y = 0; y < height; y++) std::memcpy(bits + rowBytes * static_cast<size_t>(y), pixels.Row(y), rowBytes);
  HBITMAP handle = CreateBitmap(width, height, 1, 32, bits);
  std::free(bits);
  return handle;
}

HBITMAP SImage::CreateMaskBitmap() const {
  if (GetBitsPerPixel() < 32) return nullptr;
  SImagePixels pixels(m_bitmap, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB);
  if (!pixels.IsLocked()) return nullptr;
  int width = pixels.GetWidth();
  int height = pixels.GetHeight();
  // A monochrome bitmap's rows are whole 16-bit words, leftmost pixel in the
  // high bit; a 1 bit is white.
  size_t rowBytes = static_cast<size_t>((width + 15) / 16) * 2;
  auto* bits = static_cast<uint8_t*>(std::calloc(rowBytes * static_cast<size_t>(height), 1));
  if (!bits) return nullptr;
  for (int y = 0; y < height; y++) {
    const uint8_t* row = pixels.Row(y);
    uint8_t* mask = bits + rowBytes * static_cast<size_t>(y);
    for (int x = 0; x < width; x++)
      if (row[x * 4 + 3] <= 128) mask[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
  }
  HBITMAP handle = CreateBitmap(width, height, 1, 1, bits);
  std::free(bits);
  return handle;
}

HICON SImage::CreateIcon() const {
  HBITMAP colour = GetBitmapHandle();
  if (!colour) return nullptr;
  ICONINFO info = {};
  info.fIcon = TRUE;
  info.hbmColor = colour;
  info.hbmMask = colour;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(colour);
  return icon;
}

HRGN SImage::CreateRegion(Gdiplus::ARGB key) const {
  HBITMAP bitmap = GetBitmapHandle();
  if (!bitmap) return nullptr;
  Gdiplus::Color colour(key);
  HRGN region = RegionFromBitmap(bitmap, RGB(colour.GetR(), colour.GetG(), colour.GetB()));
  DeleteObject(bitmap);
  return region;
}
