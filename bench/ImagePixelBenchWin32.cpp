// Grey and brightness/contrast of a 4000 x 3000 32-bit picture: the best of
// RUNS runs of SImage::Desaturate and SImage::AdjustColors over the whole
// image, in milliseconds. With a file argument the picture's pixels are
// first written there (blue, green, red, alpha bytes, row by row), so that
// bench/image-compare can hand ImageMagick the same pixels.
//
//   ImagePixelBench [RAW_FILE [RUNS]]      (default: no file, 5 runs)
#include <windows.h>

#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>

#include "window/SImage.h"
#include "window/SImagePixels.h"

namespace {

const int kWidth = 4000, kHeight = 3000;

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// A photograph-like spread of colours, the same on every run.
bool FillPicture(SImage& image, const char* rawFile) {
  if (!image.Create(kWidth, kHeight, PixelFormat32bppARGB)) return false;
  SImagePixels pixels(image.GetBitmap(), Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB);
  if (!pixels.IsLocked()) return false;
  FILE* out = rawFile ? std::fopen(rawFile, "wb") : nullptr;
  if (rawFile && !out) return false;
  uint32_t seed = 12345;
  for (int y = 0; y < kHeight; y++) {
    auto* row = reinterpret_cast<uint32_t*>(pixels.Row(y));
    for (int x = 0; x < kWidth; x++) {
      seed = seed * 1103515245u + 12345u;
      uint32_t noise = (seed >> 16) & 0x1F;
      row[x] = 0xFF000000u | ((x * 255 / kWidth + noise) & 0xFF) << 16 | ((y * 255 / kHeight) & 0xFF) << 8 |
               ((x + y + noise) & 0xFF);
    }
    if (out) std::fwrite(row, 4, kWidth, out);
  }
  if (out) std::fclose(out);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const char* rawFile = argc > 1 ? argv[1] : nullptr;
  int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
  int status = 0;
  {
    SImage image;
    if (!FillPicture(image, rawFile)) {
      std::fprintf(stderr, "ImagePixelBench: could not make the picture\n");
      status = 1;
    }
    double desaturate = 1e30, adjust = 1e30;
    for (int i = 0; status == 0 && i < runs; i++) {
      double start = Now();
      bool done = image.AdjustColors(0.1, 1.2, kNoImageColor, nullptr);
      double middle = Now();
      done = image.Desaturate(nullptr, kNoImageColor) && done;
      double end = Now();
      if (!done) status = 1;
      if (middle - start < adjust) adjust = middle - start;
      if (end - middle < desaturate) desaturate = end - middle;
    }
    if (status == 0) std::printf("desaturate_ms %.1f\nadjust_ms %.1f\n", desaturate, adjust);
  }
  Gdiplus::GdiplusShutdown(token);
  return status;
}
