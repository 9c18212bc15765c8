// Data hidden in an SImage's pixels. Each pixel carries two bytes in the low
// bits of its colours (four bits of red, four of green, six of blue), so the
// picture still looks like itself; the first two pixels hold the data's
// length as a 32-bit little-endian number. Only lossless files (BMP, PNG)
// keep the data.
#include "window/SImage.h"

#include <climits>
#include <cmath>
#include <cstdlib>

#include "files/SFile.h"
#include "window/SImagePixels.h"

namespace {

// The walk over the pixels of a locked 24-bit picture, row by row from the
// top left, x fastest.
class PixelWalk {
 public:
  explicit PixelWalk(SImagePixels& pixels) : m_pixels(pixels), m_x(0), m_y(0) {}

  bool AtEnd() const { return m_y >= m_pixels.GetHeight(); }
  // The next pixel's bytes: blue, green, red.
  uint8_t* Next() {
    uint8_t* pixel = m_pixels.Row(m_y) + m_x * 3;
    if (++m_x == m_pixels.GetWidth()) {
      m_x = 0;
      m_y++;
    }
    return pixel;
  }

 private:
  SImagePixels& m_pixels;
  int m_x, m_y;
};

void Store(uint8_t* pixel, uint8_t first, uint8_t second) {
  uint8_t& blue = pixel[0];
  uint8_t& green = pixel[1];
  uint8_t& red = pixel[2];
  red = static_cast<uint8_t>((red & 0xE0) | ((second >> 7) & 1) << 4 | first >> 4);
  green = static_cast<uint8_t>((green & 0xE0) | ((second >> 6) & 1) << 4 | (first & 0x0F));
  blue = static_cast<uint8_t>((blue & 0xC0) | (second & 0x3F));
}

void Load(const uint8_t* pixel, uint8_t& first, uint8_t& second) {
  uint8_t blue = pixel[0], green = pixel[1], red = pixel[2];
  first = static_cast<uint8_t>((red & 0x0F) << 4 | (green & 0x0F));
  second = static_cast<uint8_t>(((red >> 4) & 1) << 7 | ((green >> 4) & 1) << 6 | (blue & 0x3F));
}

}  // namespace

bool SImage::EmbedData(SFile* stream) {
  if (!m_bitmap || !stream) return false;
  int wanted = stream->GetRemaining();
  if (wanted < 0) wanted = 0;
  if (wanted > INT_MAX - 8) return false;
  auto* payload = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(wanted) + 4));
  if (!payload) return false;
  int length = wanted ? stream->Read(payload + 4, wanted) : 0;
  if (length < 0) length = 0;
  for (int i = 0; i < 4; i++) payload[i] = static_cast<uint8_t>(static_cast<uint32_t>(length) >> (8 * i));
  int count = length + 4;

  // The smallest picture of the old one's shape that holds two bytes a pixel.
  double aspect = static_cast<double>(GetWidth()) / GetHeight();
  double needed = count / 2 + 1;
  int width = static_cast<int>(std::ceil(std::sqrt(aspect * needed)));
  int height = static_cast<int>(std::ceil(std::sqrt(needed / aspect)));
  auto* canvas = new Gdiplus::Bitmap(width, height, PixelFormat24bppRGB);
  bool drawn = false;
  if (canvas && canvas->GetWidth() > 0) {
    Gdiplus::Graphics graphics(canvas);
    drawn = graphics.DrawImage(m_bitmap, Gdiplus::Rect(0, 0, width, height), 0, 0, GetWidth(), GetHeight(),
                               Gdiplus::UnitPixel) == Gdiplus::Ok;
  }
  if (!drawn) {
    delete canvas;
    std::free(payload);
    return false;
  }
  SetBitmap(canvas);

  bool stored;
  {
    SImagePixels pixels(m_bitmap, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB);
    stored = pixels.IsLocked();
    PixelWalk walk(pixels);
    for (int at = 0; stored && at < count && !walk.AtEnd(); at += 2)
      Store(walk.Next(), payload[at], at + 1 < count ? payload[at + 1] : 0);
  }
  std::free(payload);
  return stored;
}

bool SImage::ExtractData(SFile* stream) const {
  if (!m_bitmap || !stream) return false;
  SImagePixels pixels(m_bitmap, Gdiplus::ImageLockModeRead, PixelFormat24bppRGB);
  if (!pixels.IsLocked()) return false;
  int64_t room = int64_t(pixels.GetWidth()) * pixels.GetHeight() * 2;
  if (room < 4) return false;

  PixelWalk walk(pixels);
  uint8_t head[4];
  Load(walk.Next(), head[0], head[1]);
  Load(walk.Next(), head[2], head[3]);
  uint32_t length = uint32_t(head[0]) | uint32_t(head[1]) << 8 | uint32_t(head[2]) << 16 | uint32_t(head[3]) << 24;
  // Any picture's first pixels read as some length; one that its pixels
  // cannot hold was never stored there.
  if (length > room - 4 || length > INT_MAX) return false;
  if (length == 0) return true;

  auto* data = static_cast<uint8_t*>(std::malloc(length));
  if (!data) return false;
  for (uint32_t at = 0; at < length; at += 2) {
    uint8_t second;
    Load(walk.Next(), data[at], second);
    if (at + 1 < length) data[at + 1] = second;
  }
  int written = stream->Write(data, static_cast<int>(length));
  std::free(data);
  return written == static_cast<int>(length);
}
