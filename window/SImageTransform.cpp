// Changing an SImage's size, depth and orientation, and filling it.
#include <memory>
#include <vector>

#include "window/SImage.h"

using Gdiplus::Bitmap;
using Gdiplus::Graphics;

Bitmap* SImage::Redrawn(int width, int height, Gdiplus::PixelFormat format, int mode) {
  // GDI+ has no graphics for indexed formats (Wine's makes one, but draws
  // nothing sensible through it): their pictures cannot be redrawn, only
  // converted.
  if (!m_bitmap || width <= 0 || height <= 0 || Gdiplus::IsIndexedPixelFormat(format)) return nullptr;
  auto canvas = std::make_unique<Bitmap>(width, height, format);
  if (canvas->GetLastStatus() != Gdiplus::Ok || canvas->GetWidth() == 0) return nullptr;
  Graphics graphics(canvas.get());
  if (graphics.GetLastStatus() != Gdiplus::Ok) return nullptr;
  Gdiplus::Rect whole(0, 0, width, height);
  if (!DrawWithMode(&graphics, mode, nullptr, &whole)) return nullptr;
  return canvas.release();
}

// ---- Size and depth ------------------------------------------------------------------

bool SImage::RedrawAtSize(int width, int height, int mode) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (width == GetWidth() && height == GetHeight()) return false;
  Bitmap* redrawn = Redrawn(width, height, GetPixelFormat(), mode);
  if (!redrawn) return false;
  SetBitmap(redrawn);
  return true;
}

bool SImage::Resize(int width, int height) { return RedrawAtSize(width, height, DRAW_STRETCH); }

bool SImage::ResizeCanvas(int width, int height) { return RedrawAtSize(width, height, DRAW_CENTER); }

bool SImage::ConvertBits(int bits) {
  if (!m_bitmap || bits == GetBitsPerPixel()) return false;
  if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  // Bits 2 have no format, and a clone to "no format" would keep the
  // present one.
  Gdiplus::PixelFormat format = PixelFormatFromBits(bits);
  if (format == PixelFormatUndefined) return false;
  Bitmap* converted = bits == 32 ? Redrawn(GetWidth(), GetHeight(), format, DRAW_TOPLEFT) : CloneWithFormat(format);
  if (!converted) return false;
  SetBitmap(converted);
  return true;
}

// ---- Orientation ---------------------------------------------------------------------

bool SImage::Rotate(int quarterTurns) {
  if (!m_bitmap || quarterTurns < 0) return false;
  static const Gdiplus::RotateFlipType kTurns[4] = {Gdiplus::RotateNoneFlipNone, Gdiplus::Rotate90FlipNone,
                                                     Gdiplus::Rotate180FlipNone, Gdiplus::Rotate270FlipNone};
  if (quarterTurns % 4 != 0) m_bitmap->RotateFlip(kTurns[quarterTurns % 4]);
  return true;
}

void SImage::Flip(bool horizontal, bool vertical) {
  if (!m_bitmap || (!horizontal && !vertical)) return;
  m_bitmap->RotateFlip(horizontal && vertical ? Gdiplus::Rotate180FlipNone
                       : horizontal           ? Gdiplus::RotateNoneFlipX
                                              : Gdiplus::RotateNoneFlipY);
}

// ---- Palette and filling ------------------------------------------------------------------

bool SImage::SetPaletteAlpha(BYTE alpha) {
  if (!m_bitmap) return false;
  int size = m_bitmap->GetPaletteSize();
  if (size < static_cast<int>(sizeof(Gdiplus::ColorPalette))) return true;  // no palette to change
  std::vector<BYTE> buffer(static_cast<size_t>(size));
  auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(buffer.data());
  if (m_bitmap->GetPalette(palette, size) != Gdiplus::Ok) return true;
  palette->Flags |= Gdiplus::PaletteFlagsHasAlpha;
  for (UINT i = 0; i < palette->Count; i++)
    palette->Entries[i] = (palette->Entries[i] & 0x00FFFFFF) | static_cast<Gdiplus::ARGB>(alpha) << 24;
  m_bitmap->SetPalette(palette);
  return true;
}

void SImage::Fill(COLORREF colour) {
  if (!m_bitmap) return;
  Graphics graphics(m_bitmap);
  graphics.Clear(Gdiplus::Color(255, GetRValue(colour), GetGValue(colour), GetBValue(colour)));
}

void SImage::FillRect(Gdiplus::ARGB colour, const Gdiplus::Rect* rect) {
  if (!m_bitmap) return;
  Graphics graphics(m_bitmap);
  if (!rect) {
    graphics.Clear(Gdiplus::Color(colour));
    return;
  }
  Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
  graphics.FillRectangle(&brush, *rect);
}
