// Filling an SImage: decoding streams, taking Win32 bitmaps, device
// contexts and image lists, and building a picture from ARGB pixels.
#include "window/SImage.h"

#include <cstdlib>
#include <cstring>

#include "files/SFile.h"
#include "window/SImagePixels.h"

using Gdiplus::Bitmap;

namespace {

// A GDI+ bitmap that decoded to nothing still exists as a wrapper.
Bitmap* KeepIfUsable(Bitmap* bitmap) {
  if (bitmap && (bitmap->GetWidth() == 0 || bitmap->GetHeight() == 0)) {
    delete bitmap;
    return nullptr;
  }
  return bitmap;
}

}  // namespace

// ---- Streams -----------------------------------------------------------------------

Bitmap* BitmapFromStream(SFile* stream, int n) {
  if (!stream) return nullptr;
  int remaining = stream->GetRemaining();
  if (n < 0 || n > remaining) n = remaining;
  if (n <= 0) return nullptr;

  // The bytes go straight into the global memory that the COM stream then
  // owns; GDI+ decodes only from such a stream.
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(n));
  if (!memory) return nullptr;
  void* bytes = GlobalLock(memory);
  int taken = bytes ? stream->Read(bytes, n) : 0;
  GlobalUnlock(memory);
  IStream* com = nullptr;
  if (taken <= 0 || CreateStreamOnHGlobal(memory, TRUE, &com) != S_OK) {
    GlobalFree(memory);
    return nullptr;
  }
  // Global memory may come larger than asked, and a short read leaves less.
  ULARGE_INTEGER size;
  size.QuadPart = static_cast<ULONGLONG>(taken);
  com->SetSize(size);

  Bitmap* bitmap = new Bitmap(com, FALSE);
  com->Release();
  return KeepIfUsable(bitmap);
}

bool SImage::LoadFromStream(SFile* stream, int n) {
  if (!stream) return false;
  SetBitmap(nullptr);
  SetBitmap(BitmapFromStream(stream, n));
  return IsLoaded();
}

// ---- Win32 bitmaps -----------------------------------------------------------------

bool SImage::FromBitmapHandle(HBITMAP handle) {
  if (!handle) return false;
  SetBitmap(nullptr);
  // GDI+ keeps 24-bit bitmaps as they are; any other kind it would turn into
  // 32 bits without alpha, so those are read as 32-bit DIB pixels instead.
  Bitmap* converted = Bitmap::FromHBITMAP(handle, nullptr);
  if (converted && converted->GetPixelFormat() == PixelFormat24bppRGB) {
    SetBitmap(converted);
    return IsLoaded();
  }
  delete converted;

  BITMAP info;
  if (!GetObjectA(handle, sizeof info, &info)) return false;
  int width = info.bmWidth;
  int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  if (width <= 0 || height <= 0 || width > 0x7FFFFFFF / 4 / height) return false;

  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;  // top-down, like the GDI+ rows
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  size_t rowBytes = static_cast<size_t>(width) * 4;
  auto* dib = static_cast<uint8_t*>(std::malloc(rowBytes * static_cast<size_t>(height)));
  if (!dib) return false;
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, handle, 0, static_cast<UINT>(height), dib, &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);

  if (rows == height) {
    // A bitmap made by GDI drawing has 0 in every fourth byte: it has no
    // alpha, and taking those bytes as alpha would make it invisible.
    size_t total = rowBytes * static_cast<size_t>(height);
    bool hasAlpha = false;
    for (size_t i = 3; i < total && !hasAlpha; i += 4) hasAlpha = dib[i] != 0;
    if (!hasAlpha)
      for (size_t i = 3; i < total; i += 4) dib[i] = 0xFF;

    if (Create(width, height, PixelFormat32bppARGB)) {
      SImagePixels pixels(m_bitmap, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB);
      if (pixels.IsLocked()) {
        for (int y = 0; y < height; y++) std::memcpy(pixels.Row(y), dib + rowBytes * static_cast<size_t>(y), rowBytes);
      } else {
        rows = 0;
      }
    }
  }
  std::free(dib);
  if (rows != height) SetBitmap(nullptr);
  return IsLoaded();
}

bool SImage::CaptureFromDC(HDC dc, int x, int y, int width, int height) {
  SetBitmap(nullptr);
  // GDI would make a 1 x 1 bitmap of an empty area.
  if (width <= 0 || height <= 0) return false;
  HDC screen = dc ? nullptr : GetDC(nullptr);
  HDC source = dc ? dc : screen;
  HDC copyDC = CreateCompatibleDC(source);
  HBITMAP copy = CreateCompatibleBitmap(source, width, height);
  if (copyDC && copy) {
    HGDIOBJ old = SelectObject(copyDC, copy);
    BitBlt(copyDC, 0, 0, width, height, source, x, y, SRCCOPY);
    SelectObject(copyDC, old);
    SetBitmap(Bitmap::FromHBITMAP(copy, nullptr));
  }
  if (copy) DeleteObject(copy);
  if (copyDC) DeleteDC(copyDC);
  if (screen) ReleaseDC(nullptr, screen);
  return IsLoaded();
}

bool SImage::CaptureScreen(const RECT* rect) {
  if (!rect) return CaptureFromDC(nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return CaptureFromDC(nullptr, rect->left, rect->top, std::abs(rect->right - rect->left),
                       std::abs(rect->bottom - rect->top));
}

bool SImage::FromImageList(int index, HIMAGELIST list) {
  if (!list || index < -1 || index >= ImageList_GetImageCount(list)) return false;
  int iconWidth, iconHeight;
  IMAGEINFO info;
  if (!ImageList_GetIconSize(list, &iconWidth, &iconHeight) ||
      !ImageList_GetImageInfo(list, index < 0 ? 0 : index, &info))
    return false;
  if (index == -1) return FromBitmapHandle(info.hbmImage);
  SImage strip;
  strip.FromBitmapHandle(info.hbmImage);
  const RECT& r = info.rcImage;
  return CopyFrom(&strip, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// ---- Pixels --------------------------------------------------------------------------

bool SImage::FromPixels(int width, int height, const Gdiplus::ARGB* argb) {
  if (!argb) return false;
  if (!Create(width, height, PixelFormat32bppARGB)) return false;
  m_drawMode = DRAW_CENTER;
  m_backColor = kNoImageColor;
  bool filled;
  {
    // A locked 32-bit ARGB row is the ARGB words themselves.
    SImagePixels pixels(m_bitmap, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB);
    filled = pixels.IsLocked();
    for (int y = 0; filled && y < height; y++)
      std::memcpy(pixels.Row(y), argb + static_cast<size_t>(y) * static_cast<size_t>(width),
                  static_cast<size_t>(width) * 4);
  }
  if (!filled) SetBitmap(nullptr);
  return filled;
}
