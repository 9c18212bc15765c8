// What the SImage tests share: GDI+ running for each suite, small pictures
// with known pixels, and pixel comparisons.
#pragma once

#include <windows.h>

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "window/SImage.h"

// GDI+ runs for the whole suite; each start is balanced by its own shutdown,
// so the suites do not disturb the framework start-up tests.
class ImageTest : public testing::Test {
 public:
  static void SetUpTestSuite() {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token, &input, nullptr));
  }
  static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(token); }

 private:
  static inline ULONG_PTR token = 0;
};

inline std::string DataPath(const char* name) { return std::string(TAVRIN_TEST_DATA) + "/" + name; }

// Smooth gradients with a little of everything in each channel, so that even
// JPEG keeps them close; opaque.
inline Gdiplus::ARGB PatternPixel(int x, int y) {
  return Gdiplus::Color::MakeARGB(255, BYTE(x * 20), BYTE(y * 30), BYTE(100 + x + y));
}

inline void FillPattern(SImage& image, int width, int height, Gdiplus::PixelFormat format = PixelFormat32bppARGB) {
  ASSERT_TRUE(image.Create(width, height, format));
  for (int y = 0; y < height; y++)
    for (int x = 0; x < width; x++) ASSERT_EQ(Gdiplus::Ok, image.SetPixel(x, y, PatternPixel(x, y)));
}

inline Gdiplus::ARGB PixelAt(const SImage& image, int x, int y) {
  Gdiplus::ARGB colour = 0;
  EXPECT_TRUE(image.GetPixel(x, y, colour)) << x << "," << y;
  return colour;
}

// The largest difference of any channel, alpha included.
inline int ChannelDistance(Gdiplus::ARGB a, Gdiplus::ARGB b) {
  int most = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    int d = std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    if (d > most) most = d;
  }
  return most;
}

// Every pixel of the image is within tolerance of the pattern.
inline void ExpectPattern(const SImage& image, int width, int height, int tolerance = 0) {
  ASSERT_EQ(width, image.GetWidth());
  ASSERT_EQ(height, image.GetHeight());
  int worst = 0;
  for (int y = 0; y < height; y++)
    for (int x = 0; x < width; x++) {
      int d = ChannelDistance(PatternPixel(x, y), PixelAt(image, x, y));
      if (d > worst) worst = d;
    }
  EXPECT_LE(worst, tolerance);
}

// A 32-bit top-down DIB section with its pixels in reach (blue, green, red,
// fourth byte).
struct DibSection {
  HBITMAP handle = nullptr;
  uint8_t* bits = nullptr;
  int width = 0, height = 0, bitCount = 0;

  DibSection(int w, int h, int bpp) : width(w), height(h), bitCount(bpp) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bpp);
    info.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint8_t*>(p);
  }
  ~DibSection() {
    if (handle) DeleteObject(handle);
  }
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;

  int Stride() const { return ((width * bitCount + 31) / 32) * 4; }
  uint8_t* At(int x, int y) { return bits + y * Stride() + x * (bitCount / 8); }
  void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t fourth = 0) {
    uint8_t* p = At(x, y);
    p[0] = b;
    p[1] = g;
    p[2] = r;
    if (bitCount == 32) p[3] = fourth;
  }
};
