// Reading an image list back: the size and depth of its images, and their
// pixels as the list stores them.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <vector>

// Image i's pixels (or its mask's), top-down, each blue, green, red, fourth
// byte as 0xAARRGGBB; empty when the image cannot be read. Read with
// GetDIBits: the list keeps its bitmaps selected in DCs of its own.
inline std::vector<uint32_t> ImageListPixels(HIMAGELIST list, int i, int* bitsPerPixel = nullptr, bool mask = false) {
  IMAGEINFO info = {};
  if (!ImageList_GetImageInfo(list, i, &info)) return {};
  HBITMAP source = mask ? info.hbmMask : info.hbmImage;
  BITMAP bitmap = {};
  if (!source || !GetObjectA(source, sizeof bitmap, &bitmap)) return {};
  if (bitsPerPixel) *bitsPerPixel = bitmap.bmBitsPixel;
  int width = info.rcImage.right - info.rcImage.left, height = info.rcImage.bottom - info.rcImage.top;
  BITMAPINFO header = {};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = bitmap.bmWidth;
  header.bmiHeader.biHeight = -bitmap.bmHeight;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> all(size_t(bitmap.bmWidth) * size_t(bitmap.bmHeight));
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, source, 0, UINT(bitmap.bmHeight), all.data(), &header, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != bitmap.bmHeight) return {};
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; y++)
    for (int x = 0; x < width; x++)
      pixels.push_back(all[size_t(info.rcImage.top + y) * size_t(bitmap.bmWidth) + size_t(info.rcImage.left + x)]);
  return pixels;
}
