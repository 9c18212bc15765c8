// RegionFromBitmap: the window shape of a picture, made of one rectangle per
// run of pixels in a row that do not have the key colour.
#include "window/SImage.h"

#include <cstdlib>

namespace {

// Rectangles are collected in RGNDATA blocks and turned into regions a batch
// at a time: ExtCreateRegion slows down badly on very long lists.
class RegionBuilder {
 public:
  RegionBuilder() : m_data(nullptr), m_capacity(0), m_region(nullptr), m_failed(false) {}
  ~RegionBuilder() {
    std::free(m_data);
    if (m_region) DeleteObject(m_region);
  }
  RegionBuilder(const RegionBuilder&) = delete;
  RegionBuilder& operator=(const RegionBuilder&) = delete;

  void Add(int left, int top, int right, int bottom) {
    if (m_failed) return;
    if ((!m_data || m_data->rdh.nCount == m_capacity) && !Grow()) return;
    RECT& bound = m_data->rdh.rcBound;
    RECT* rects = reinterpret_cast<RECT*>(m_data->Buffer);
    rects[m_data->rdh.nCount++] = RECT{left, top, right, bottom};
    if (left < bound.left) bound.left = left;
    if (top < bound.top) bound.top = top;
    if (right > bound.right) bound.right = right;
    if (bottom > bound.bottom) bound.bottom = bottom;
    if (m_data->rdh.nCount == kBatch) Flush();
  }

  // The region of everything added (empty when nothing was), handed to the
  // caller; null when memory or GDI ran out on the way.
  HRGN Finish() {
    if (!m_data && !m_failed) Grow();
    Flush();
    if (m_failed) return nullptr;
    HRGN region = m_region;
    m_region = nullptr;
    return region;
  }

 private:
  static const DWORD kBatch = 2000;
  static const DWORD kStep = 100;

  bool Grow() {
    DWORD capacity = m_capacity + kStep;
    auto* data = static_cast<RGNDATA*>(std::realloc(m_data, sizeof(RGNDATAHEADER) + capacity * sizeof(RECT)));
    if (!data) {
      m_failed = true;
      return false;
    }
    if (!m_data) Restart(data);
    m_data = data;
    m_capacity = capacity;
    return true;
  }

  static void Restart(RGNDATA* data) {
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = 0;
    data->rdh.nRgnSize = 0;
    data->rdh.rcBound = RECT{0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
  }

  void Flush() {
    if (m_failed || !m_data) return;
    DWORD count = m_data->rdh.nCount;
    m_data->rdh.nRgnSize = count * sizeof(RECT);
    HRGN part = ExtCreateRegion(nullptr, sizeof(RGNDATAHEADER) + count * sizeof(RECT), m_data);
    Restart(m_data);
    if (!part) {
      m_failed = true;
    } else if (!m_region) {
      m_region = part;
    } else {
      if (CombineRgn(m_region, m_region, part, RGN_OR) == ERROR) m_failed = true;
      DeleteObject(part);
    }
  }

  RGNDATA* m_data;   // header and rectangles; malloc'd
  DWORD m_capacity;  // rectangles the block holds
  HRGN m_region;     // the union of the batches so far
  bool m_failed;
};

}  // namespace

HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF key) {
  BITMAP info;
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return nullptr;
  int width = info.bmWidth;
  int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;

  // The pixels are read from a 32-bit bottom-up copy, whatever the bitmap's
  // own layout.
  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  HDC copyDC = CreateCompatibleDC(nullptr);
  HDC sourceDC = CreateCompatibleDC(copyDC);
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(copyDC, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  BITMAP copyInfo;
  HRGN result = nullptr;
  if (copyDC && sourceDC && copy && bits && GetObjectA(copy, sizeof copyInfo, &copyInfo)) {
    HGDIOBJ oldCopy = SelectObject(copyDC, copy);
    HGDIOBJ oldSource = SelectObject(sourceDC, bitmap);
    BitBlt(copyDC, 0, 0, width, height, sourceDC, 0, 0, SRCCOPY);
    SelectObject(sourceDC, oldSource);
    SelectObject(copyDC, oldCopy);
    GdiFlush();

    int rowBytes = (copyInfo.bmWidthBytes + 3) & ~3;
    BYTE keyRed = GetRValue(key), keyGreen = GetGValue(key), keyBlue = GetBValue(key);
    RegionBuilder builder;
    for (int y = 0; y < height; y++) {
      // Bottom-up: the image's top row is the last in memory.
      const BYTE* row = static_cast<const BYTE*>(bits) + static_cast<size_t>(height - 1 - y) * rowBytes;
      for (int x = 0; x < width;) {
        auto isKey = [&](int at) {
          const BYTE* p = row + at * 4;  // blue, green, red, unused
          return p[0] == keyBlue && p[1] == keyGreen && p[2] == keyRed;
        };
        while (x < width && isKey(x)) x++;
        int start = x;
        while (x < width && !isKey(x)) x++;
        if (x > start) builder.Add(start, y, x, y + 1);
      }
    }
    result = builder.Finish();
  }
  if (copy) DeleteObject(copy);
  if (sourceDC) DeleteDC(sourceDC);
  if (copyDC) DeleteDC(copyDC);
  return result;
}
