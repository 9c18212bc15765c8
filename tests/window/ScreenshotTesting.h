// The pixels of a window as the screen shows them, for the control tests
// that compare what is seen.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

// The pixels of a window as the screen shows them, rows from the top.
class Screenshot {
 public:
  explicit Screenshot(HWND window) {
    GetWindowRect(window, &m_rect);
    m_width = m_rect.right - m_rect.left;
    m_height = m_rect.bottom - m_rect.top;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), m_width, -m_height, 1, 32, BI_RGB};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, m_width, m_height, screen, m_rect.left, m_rect.top, SRCCOPY);
    GdiFlush();
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    m_pixels.assign(pixels, pixels + m_width * m_height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }

  // The colour at a point of another window's client area.
  COLORREF At(HWND window, int x, int y) const {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    uint32_t v = m_pixels[(p.y - m_rect.top) * m_width + (p.x - m_rect.left)];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  // How many pixels of the client rectangle have the colour.
  int Count(HWND window, RECT area, COLORREF color) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; y++)
      for (int x = area.left; x < area.right; x++) n += At(window, x, y) == color;
    return n;
  }
  const std::vector<uint32_t>& Pixels() const { return m_pixels; }
  bool SaveBmp(const char* path) const {
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {sizeof header, m_width, -m_height, 1, 32, BI_RGB};
    DWORD size = DWORD(m_pixels.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + size;
    HANDLE out = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &header, sizeof header, &written, nullptr);
    WriteFile(out, m_pixels.data(), size, &written, nullptr);
    CloseHandle(out);
    return true;
  }

 private:
  RECT m_rect;
  int m_width, m_height;
  std::vector<uint32_t> m_pixels;
};

// The box around the pixels of one colour in a window's client area
// (right and bottom -1 when there are none).
inline RECT Extent(const Screenshot& shot, HWND window, COLORREF color) {
  RECT client, box = {10000, 10000, -1, -1};
  GetClientRect(window, &client);
  for (int y = 0; y < client.bottom; y++)
    for (int x = 0; x < client.right; x++)
      if (shot.At(window, x, y) == color) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box;
}

// The pixels (0x00RRGGBB, rows from the top) that draw leaves in a memory
// DC of the size.
inline std::vector<uint32_t> Render(int width, int height, const std::function<void(HDC)>& draw) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  draw(dc);
  GdiFlush();
  const uint32_t* p = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> pixels(p, p + width * height);
  for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

inline void FillWith(HDC dc, int width, int height, COLORREF color) {
  RECT all = {0, 0, width, height};
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
}
