// SWnd's background: the image and its nine-slice frame, the window shape
// cut from its transparent colour, skin images of button mode, and redraws
// that go through a layered parent.
#include <memory>

#include "files/SFileMem.h"
#include "files/SResource.h"
#include "window/PixelCanvas.h"
#include "window/SWnd.h"
#include "window/SWndLifeGuard.h"

namespace {

using Gdiplus::Rect;

// The image a skinned button shows for its state; the background image
// otherwise.
enum SkinSlot { kSkinHover = 0, kSkinPressed = 1, kSkinChecked = 2, kSkinDisabled = 3, kSkinCount = 4 };

// Tiles the source piece over the destination, starting at its top-left;
// the last row and column are cut by the clip.
void TilePiece(Gdiplus::Graphics* graphics, Gdiplus::Bitmap* bitmap, const Rect& source, const Rect& dest,
               const Gdiplus::ImageAttributes* attributes) {
  if (source.Width <= 0 || source.Height <= 0 || dest.Width <= 0 || dest.Height <= 0) return;
  Gdiplus::GraphicsState state = graphics->Save();
  graphics->SetClip(dest, Gdiplus::CombineModeIntersect);
  for (int y = dest.Y; y < dest.GetBottom(); y += source.Height) {
    for (int x = dest.X; x < dest.GetRight(); x += source.Width) {
      graphics->DrawImage(bitmap, Rect(x, y, source.Width, source.Height), source.X, source.Y, source.Width,
                          source.Height, Gdiplus::UnitPixel, attributes);
    }
  }
  graphics->Restore(state);
}

}  // namespace

// ---- The image ------------------------------------------------------------------------------

bool SWnd::SetBackgroundImage(Gdiplus::Bitmap* bitmap, uint32_t transparentColor, int drawMode, const RECT* margins,
                              bool redraw) {
  m_backImage.Clear();
  SetRectEmpty(&m_margins);
  if (bitmap) {
    m_backImage.AssignBitmap(bitmap);
    if (drawMode != -1) m_backImage.SetDrawMode(drawMode);
    if (margins) m_margins = *margins;
    m_transparentColor = transparentColor;
    m_backImage.SetTransparentColor(transparentColor);
  }
  bool shaped = UpdateWindowRegion();
  if (redraw) return Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW, nullptr, nullptr);
  return shaped;
}

int SWnd::SetBackgroundDrawMode(int mode) { return m_backImage.SetDrawMode(mode); }

int SWnd::GetBackgroundDrawMode() const { return m_backImage.GetDrawMode(); }

bool SWnd::UpdateWindowRegion() {
  if (!m_hwnd) return false;
  HRGN shape = nullptr;
  RECT client;
  if (m_backImage.IsLoaded() && m_transparentColor != kColorNone && ::GetClientRect(m_hwnd, &client) &&
      client.right > 0 && client.bottom > 0) {
    shape = ShapeFromTransparentColor(client.right, client.bottom);
  }
  // The system owns the region once it is set.
  return ::SetWindowRgn(m_hwnd, shape, TRUE) != 0;
}

// The window's rectangle less the pixels of the transparent colour, in
// window coordinates; null when the picture cannot be rendered or has no
// pixel of another colour.
HRGN SWnd::ShapeFromTransparentColor(int width, int height) {
  COLORREF key = m_transparentColor & 0xFFFFFF;
  PixelCanvas canvas(width, height);
  if (!canvas.IsValid()) return nullptr;
  {
    std::unique_ptr<Gdiplus::Bitmap> pixels = canvas.Wrap(PixelFormat32bppRGB);
    Gdiplus::Graphics graphics(pixels.get());
    graphics.Clear(Gdiplus::Color(255, GetRValue(key), GetGValue(key), GetBValue(key)));
    RenderBackgroundOn(&graphics, width, height);
  }
  canvas.Unselect();
  HRGN opaque = RegionFromBitmap(canvas.GetBitmap(), key);
  if (!opaque) return nullptr;
  RECT box;
  HRGN shape = nullptr;
  if (GetRgnBox(opaque, &box) != NULLREGION) {
    // The transparent pixels, moved past the borders, out of the whole
    // window.
    HRGN clear = CreateRectRgn(0, 0, width, height);
    CombineRgn(clear, clear, opaque, RGN_DIFF);
    RECT window;
    POINT origin = {0, 0};
    ::GetWindowRect(m_hwnd, &window);
    ::ClientToScreen(m_hwnd, &origin);
    OffsetRgn(clear, origin.x - window.left, origin.y - window.top);
    shape = CreateRectRgn(0, 0, window.right - window.left, window.bottom - window.top);
    CombineRgn(shape, shape, clear, RGN_DIFF);
    DeleteObject(clear);
  }
  DeleteObject(opaque);
  return shape;
}

SImage* SWnd::GetShownImage() {
  if (!m_buttonMode || !m_skinImages) return &m_backImage;
  if (m_hwnd && !IsWindowEnabled(m_hwnd)) return &m_skinImages[kSkinDisabled];
  if (m_checked) return &m_skinImages[kSkinChecked];
  if (m_hover && m_pressed) return &m_skinImages[kSkinPressed];
  if (m_hover) return &m_skinImages[kSkinHover];
  return &m_backImage;
}

void SWnd::RenderBackground(HDC dc, int width, int height) {
  if (!m_backImage.IsLoaded() || !dc) return;
  Gdiplus::Graphics graphics(dc);
  RenderBackgroundOn(&graphics, width, height);
}

void SWnd::RenderBackgroundOn(Gdiplus::Graphics* graphics, int width, int height) {
  if (!m_backImage.IsLoaded()) return;
  SImage* image = GetShownImage();
  if (!image->IsLoaded()) return;
  int iw = image->GetWidth(), ih = image->GetHeight();
  const RECT& m = m_margins;
  // Margins that do not fit the image or the window would give pieces of
  // negative size: the picture is then drawn whole.
  bool sliced = !IsRectEmpty(&m) && m.left >= 0 && m.top >= 0 && m.left <= m.right && m.top <= m.bottom &&
                m.right <= iw && m.bottom <= ih && m.left + (iw - m.right) <= width &&
                m.top + (ih - m.bottom) <= height;
  if (!sliced) {
    Rect source(0, 0, iw, ih), dest(0, 0, width, height);
    image->Draw(graphics, &source, &dest);
    return;
  }
  Gdiplus::ImageAttributes keyed;
  const Gdiplus::ImageAttributes* attributes = nullptr;
  if (m_transparentColor != kColorNone) {
    Gdiplus::Color key(GetRValue(m_transparentColor), GetGValue(m_transparentColor), GetBValue(m_transparentColor));
    keyed.SetColorKey(key, key);
    attributes = &keyed;
  }
  Gdiplus::Bitmap* bitmap = image->GetBitmap();
  int left = m.left, top = m.top, right = iw - m.right, bottom = ih - m.bottom;  // border sizes
  int middleWidth = width - left - right, middleHeight = height - top - bottom;
  int pieceWidth = m.right - m.left, pieceHeight = m.bottom - m.top;
  // Corners at their natural size, edges tiled, the middle by the draw mode.
  TilePiece(graphics, bitmap, Rect(0, 0, left, top), Rect(0, 0, left, top), attributes);
  TilePiece(graphics, bitmap, Rect(m.right, 0, right, top), Rect(width - right, 0, right, top), attributes);
  TilePiece(graphics, bitmap, Rect(0, m.bottom, left, bottom), Rect(0, height - bottom, left, bottom), attributes);
  TilePiece(graphics, bitmap, Rect(m.right, m.bottom, right, bottom),
            Rect(width - right, height - bottom, right, bottom), attributes);
  TilePiece(graphics, bitmap, Rect(left, 0, pieceWidth, top), Rect(left, 0, middleWidth, top), attributes);
  TilePiece(graphics, bitmap, Rect(left, m.bottom, pieceWidth, bottom),
            Rect(left, height - bottom, middleWidth, bottom), attributes);
  TilePiece(graphics, bitmap, Rect(0, top, left, pieceHeight), Rect(0, top, left, middleHeight), attributes);
  TilePiece(graphics, bitmap, Rect(m.right, top, right, pieceHeight),
            Rect(width - right, top, right, middleHeight), attributes);
  if (pieceWidth > 0 && pieceHeight > 0 && middleWidth > 0 && middleHeight > 0) {
    Rect source(left, top, pieceWidth, pieceHeight), dest(left, top, middleWidth, middleHeight);
    image->Draw(graphics, &source, &dest);
  }
}

// ---- Redrawing --------------------------------------------------------------------------------

bool SWnd::Redraw(UINT flags, const RECT* rect, HRGN region) {
  if (!m_hwnd) return false;
  HWND parent = GetParent();
  if (parent && (GetWindowLongA(parent, GWL_EXSTYLE) & WS_EX_LAYERED)) {
    // A layered window shows only what it is given: the parent renders
    // itself again, with this window in it.
    if (SWnd* layered = FindWindowObject(parent)) {
      layered->UpdateLayered();
      return true;
    }
  }
  bool parentPaints = GetBackColor() == kColorParentPaints;
  bool before = m_parentPaintsNow;
  if (parentPaints) m_parentPaintsNow = true;
  SWndLifeGuard guard(this);
  bool done = RedrawWindow(m_hwnd, rect, region, flags) != 0;
  if (parentPaints && guard.IsAlive()) m_parentPaintsNow = before;
  return done;
}

bool SWnd::SetRedraw(bool redraw) {
  bool previous = m_redrawEnabled;
  if (!m_hwnd) return previous;
  m_redrawEnabled = redraw;
  SWndLifeGuard guard(this);
  ::SendMessageA(m_hwnd, WM_SETREDRAW, redraw, 0);
  if (redraw && guard.IsAlive()) Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW, nullptr, nullptr);
  return previous;
}

// ---- Skins ----------------------------------------------------------------------------------

bool SWnd::SetSkinImages(const SImage* hover, const SImage* pressed, const SImage* checked, const SImage* disabled) {
  const SImage* given[kSkinCount] = {hover, pressed, checked, disabled};
  delete[] m_skinImages;
  m_skinImages = nullptr;
  bool any = false;
  for (const SImage* image : given) any = any || (image && image->IsLoaded());
  if (!any) return false;
  m_skinImages = new SImage[kSkinCount];
  for (int i = 0; i < kSkinCount; i++) {
    if (given[i]) m_skinImages[i].AssignBitmap(*given[i]);
  }
  return true;
}

bool SWnd::LoadSkinImages(SResource* resources, const char* hover, const char* pressed, const char* checked,
                          const char* disabled) {
  const char* names[kSkinCount] = {hover, pressed, checked, disabled};
  bool any = false;
  for (const char* name : names) any = any || (name && *name);
  if (!resources || !any) return false;
  SImage images[kSkinCount];
  for (int i = 0; i < kSkinCount; i++) {
    if (!names[i] || !*names[i]) continue;
    SFileMem stream;
    if (resources->Read(&stream, names[i], true)) images[i].LoadFromStream(&stream, -1);
  }
  return SetSkinImages(&images[0], &images[1], &images[2], &images[3]);
}

void SWnd::SetSkinState(bool buttonMode) {
  m_buttonMode = buttonMode;
  m_hover = m_pressed = m_checked = false;
}
