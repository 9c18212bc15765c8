// The pixels of a GDI+ bitmap locked in one pixel format for direct reading
// or writing, unlocked when the lock goes out of scope.
#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <cstdint>

class SImagePixels {
 public:
  // mode: Gdiplus::ImageLockModeRead, ImageLockModeWrite or both.
  SImagePixels(Gdiplus::Bitmap* bitmap, UINT mode, Gdiplus::PixelFormat format) : m_bitmap(bitmap), m_data() {
    m_locked = false;
    if (!bitmap) return;
    Gdiplus::Rect all(0, 0, static_cast<INT>(bitmap->GetWidth()), static_cast<INT>(bitmap->GetHeight()));
    m_locked = bitmap->LockBits(&all, mode, format, &m_data) == Gdiplus::Ok;
  }
  // Only the rectangle's pixels: row 0 is the rectangle's top row.
  SImagePixels(Gdiplus::Bitmap* bitmap, const Gdiplus::Rect& rect, UINT mode, Gdiplus::PixelFormat format)
      : m_bitmap(bitmap), m_data() {
    m_locked = bitmap && bitmap->LockBits(&rect, mode, format, &m_data) == Gdiplus::Ok;
  }
  ~SImagePixels() {
    if (m_locked) m_bitmap->UnlockBits(&m_data);
  }
  SImagePixels(const SImagePixels&) = delete;
  SImagePixels& operator=(const SImagePixels&) = delete;

  bool IsLocked() const { return m_locked; }
  int GetWidth() const { return static_cast<int>(m_data.Width); }
  int GetHeight() const { return static_cast<int>(m_data.Height); }
  // Rows follow each other at the stride, which GDI+ may pad beyond the
  // pixels, and which is negative for a bottom-up layout.
  int GetStride() const { return m_data.Stride; }
  uint8_t* Row(int y) { return static_cast<uint8_t*>(m_data.Scan0) + static_cast<intptr_t>(y) * m_data.Stride; }

 private:
  Gdiplus::Bitmap* m_bitmap;
  Gdiplus::BitmapData m_data;
  bool m_locked;
};
