// Pictures for the resources of packed programs.
#pragma once

#include <cstdint>
#include <string>

namespace e2e {

// A 24-bit BMP file of one colour.
inline std::string SolidBmp(int width, int height, uint8_t red, uint8_t green, uint8_t blue) {
  const int stride = (width * 3 + 3) & ~3;
  const uint32_t pixelBytes = uint32_t(stride * height), fileSize = 54 + pixelBytes;
  std::string bmp;
  auto put = [&bmp](uint32_t v, int bytes) {
    for (int k = 0; k < bytes; k++) bmp.push_back(char(v >> (8 * k)));
  };
  bmp += "BM";
  put(fileSize, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(uint32_t(width), 4);
  put(uint32_t(height), 4);
  put(1, 2);
  put(24, 2);
  put(0, 4);
  put(pixelBytes, 4);
  put(2835, 4);
  put(2835, 4);
  put(0, 4);
  put(0, 4);
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) {
      bmp.push_back(char(blue));
      bmp.push_back(char(green));
      bmp.push_back(char(red));
    }
    bmp.append(size_t(stride - width * 3), '\0');
  }
  return bmp;
}

}  // namespace e2e
