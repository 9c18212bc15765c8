// Drawing an SImage by its draw mode, with its transparent and back colours.
#include <algorithm>
#include <memory>

#include "core/NumberFunctions.h"
#include "window/SImage.h"

using Gdiplus::Graphics;
using Gdiplus::ImageAttributes;
using Gdiplus::Rect;

namespace {

// The back colour 0xFF000001 means that the parent paints: no back colour.
const COLORREF kParentPaintsColor = 0xFF000001;

Gdiplus::Color OpaqueColor(COLORREF c) { return Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)); }

// Drawing attributes with the colour key, when there is one.
void SetColorKey(ImageAttributes& attributes, COLORREF transparent) {
  if (transparent != kNoImageColor) attributes.SetColorKey(OpaqueColor(transparent), OpaqueColor(transparent));
}

// The top-left corner of a w x h picture in the destination by modes
// DRAW_TOPLEFT .. DRAW_CENTER; (0, 0) for the others.
void AlignedCorner(int mode, const Rect& d, int w, int h, int& c, int& e) {
  int right = d.X + d.Width, bottom = d.Y + d.Height;
  int centreX = (d.X + right) / 2 - w / 2, middleY = (d.Y + bottom) / 2 - h / 2;
  switch (mode) {
    case DRAW_TOPLEFT: c = d.X, e = d.Y; break;
    case DRAW_TOPCENTER: c = centreX, e = d.Y; break;
    case DRAW_TOPRIGHT: c = right - w, e = d.Y; break;
    case DRAW_MIDDLELEFT: c = d.X, e = middleY; break;
    case DRAW_MIDDLERIGHT: c = right - w, e = middleY; break;
    case DRAW_BOTTOMLEFT: c = d.X, e = bottom - h; break;
    case DRAW_BOTTOMCENTER: c = centreX, e = bottom - h; break;
    case DRAW_BOTTOMRIGHT: c = right - w, e = bottom - h; break;
    case DRAW_CENTER: c = centreX, e = middleY; break;
    default: c = 0, e = 0; break;
  }
}

bool IsAligned(int mode) { return mode >= DRAW_TOPLEFT && mode <= DRAW_CENTER; }

}  // namespace

void AlignImageRect(int mode, const Rect& dest, const Rect& source, Rect& placed, Rect& placedSource) {
  int c, d;
  AlignedCorner(mode, dest, source.Width, source.Height, c, d);
  int right = dest.X + dest.Width, bottom = dest.Y + dest.Height;
  placed.X = std::max(c, dest.X);
  placed.Y = std::max(d, dest.Y);
  placed.Width = (c + source.Width > right ? right : c + source.Width) - placed.X;
  placed.Height = (d + source.Height > bottom ? bottom : d + source.Height) - placed.Y;
  placedSource.X = c < dest.X ? source.X + (dest.X - c) : source.X;
  placedSource.Y = d < dest.Y ? source.Y + (dest.Y - d) : source.Y;
  placedSource.Width = placed.Width;
  placedSource.Height = placed.Height;
}

int SImage::SetDrawMode(int mode) {
  int previous = m_drawMode;
  m_drawMode = mode >= DRAW_TOPLEFT && mode <= DRAW_FITZOOM ? mode : DRAW_TOPLEFT;
  return previous;
}

void SImage::Draw(Graphics* graphics, const Rect* source, const Rect* dest) {
  DrawWithMode(graphics, m_drawMode, source, dest);
}

void SImage::DrawAt(Graphics* graphics, int x, int y, int width, int height, const Rect* source) {
  Rect dest(x, y, width == -1 ? GetWidth() : width, height == -1 ? GetHeight() : height);
  Draw(graphics, source, &dest);
}

bool SImage::DrawWithMode(Graphics* graphics, int mode, const Rect* sourceArg, const Rect* destArg) {
  if (!m_bitmap || !graphics) return false;
  Rect source = sourceArg ? *sourceArg : Rect(0, 0, GetWidth(), GetHeight());
  Rect dest = destArg ? *destArg : Rect(0, 0, GetWidth(), GetHeight());
  ImageAttributes attributes;
  SetColorKey(attributes, m_transparentColor);

  Gdiplus::Status drawn = Gdiplus::GenericError;
  Rect placed;
  if (mode == DRAW_STRETCH) {
    drawn = graphics->DrawImage(m_bitmap, dest, source.X, source.Y, source.Width, source.Height, Gdiplus::UnitPixel,
                                &attributes);
  } else if (mode == DRAW_TILE) {
    // The wrap mode repeats the whole of the image it draws, so the source
    // part is cut out first; a source outside the picture gives no part and
    // nothing is drawn.
    std::unique_ptr<Gdiplus::Bitmap> part(
        m_bitmap->Clone(source.X, source.Y, source.Width, source.Height, GetPixelFormat()));
    if (!part || part->GetLastStatus() != Gdiplus::Ok || part->GetWidth() == 0) return false;
    ImageAttributes tiled;
    tiled.SetWrapMode(Gdiplus::WrapModeTile, Gdiplus::Color(255, 0, 0, 0), FALSE);
    SetColorKey(tiled, m_transparentColor);
    drawn = graphics->DrawImage(part.get(), dest, 0, 0, dest.Width, dest.Height, Gdiplus::UnitPixel, &tiled);
  } else if (mode == DRAW_FIT || mode == DRAW_FITZOOM) {
    RECT area = {dest.X, dest.Y, dest.X + dest.Width, dest.Y + dest.Height};
    RECT fitted;
    FitToAspectRatio(source.Width, source.Height, area, fitted, mode == DRAW_FITZOOM);
    placed = Rect(fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top);
    drawn = graphics->DrawImage(m_bitmap, placed, source.X, source.Y, source.Width, source.Height,
                                Gdiplus::UnitPixel, &attributes);
  } else if (IsAligned(mode)) {
    Rect part;
    AlignImageRect(mode, dest, source, placed, part);
    // A picture wholly outside the destination shows nothing of itself.
    if (placed.Width > 0 && placed.Height > 0)
      drawn = graphics->DrawImage(m_bitmap, placed, part.X, part.Y, part.Width, part.Height, Gdiplus::UnitPixel,
                                  &attributes);
    else
      drawn = Gdiplus::Ok;
  }

  bool framed = IsAligned(mode) || mode == DRAW_FIT || mode == DRAW_FITZOOM;
  if (framed && m_backColor != kNoImageColor && m_backColor != kParentPaintsColor) {
    Gdiplus::Region saved;
    graphics->GetClip(&saved);
    if (placed.Width > 0 && placed.Height > 0) graphics->SetClip(placed, Gdiplus::CombineModeExclude);
    Gdiplus::SolidBrush back(OpaqueColor(m_backColor));
    graphics->FillRectangle(&back, dest);
    graphics->SetClip(&saved, Gdiplus::CombineModeReplace);
  }
  return drawn == Gdiplus::Ok;
}
