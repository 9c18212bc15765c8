// SWnd's layered windows: a popup drawn with per-pixel alpha, its
// background and its rich-label children rendered into one bitmap and
// handed to UpdateLayeredWindow.
#include <memory>

#include "files/GlobalObjects.h"
#include "window/PixelCanvas.h"
#include "window/SWnd.h"

namespace {

using UpdateLayeredWindowFunction = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                  DWORD);

// Looked up once, on the first EnableLayered; null on systems without it.
UpdateLayeredWindowFunction g_updateLayeredWindow = nullptr;

const BLENDFUNCTION kPerPixelAlpha = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

// The window's background (premultiplied, as UpdateLayeredWindow and
// AlphaBlend read it) into a blank canvas.
void RenderInto(SWnd* window, PixelCanvas& canvas) {
  std::unique_ptr<Gdiplus::Bitmap> pixels = canvas.Wrap(PixelFormat32bppPARGB);
  Gdiplus::Graphics graphics(pixels.get());
  window->RenderBackgroundOn(&graphics, canvas.GetWidth(), canvas.GetHeight());
}

}  // namespace

bool SWnd::EnableLayered() {
  static bool lookedUp = false;
  if (!lookedUp) {
    lookedUp = true;
    if (LayeredWindowLibrary.IsLoaded() || LayeredWindowLibrary.Load("user32.dll"))
      g_updateLayeredWindow =
          reinterpret_cast<UpdateLayeredWindowFunction>(LayeredWindowLibrary.GetFunction("UpdateLayeredWindow"));
  }
  if (!m_hwnd) return false;
  LONG exStyle = GetExStyle();
  if (!(exStyle & WS_EX_LAYERED)) SetExStyle(exStyle | WS_EX_LAYERED);
  return true;
}

HDC SWnd::RenderLayeredBitmap() {
  RECT outer;
  if (!m_hwnd || !::GetWindowRect(m_hwnd, &outer)) return nullptr;
  PixelCanvas canvas(outer.right - outer.left, outer.bottom - outer.top);
  if (!canvas.IsValid()) return nullptr;
  RenderInto(this, canvas);
  SArray<SWnd*> labels;
  GetChildren(labels, nullptr, false, kWindowMedia);
  for (int i = 0; i < labels.GetCount(); i++) {
    SWnd* label = labels.GetAt(i);
    RECT rect;
    ::GetWindowRect(label->GetHwnd(), &rect);
    if (!label->IsPopup()) MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&rect), 2);
    PixelCanvas layer(rect.right - rect.left, rect.bottom - rect.top);
    if (!layer.IsValid()) continue;
    RenderInto(label, layer);
    label->DrawLayeredContent(layer.GetDC());
    GdiFlush();
    AlphaBlend(canvas.GetDC(), rect.left, rect.top, layer.GetWidth(), layer.GetHeight(), layer.GetDC(), 0, 0,
               layer.GetWidth(), layer.GetHeight(), kPerPixelAlpha);
  }
  GdiFlush();
  return canvas.Release();
}

bool SWnd::ApplyLayeredBitmap(HDC dc) {
  if (!dc) return false;
  bool applied = false;
  HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
  RECT outer;
  if (g_updateLayeredWindow && m_hwnd && ::GetWindowRect(m_hwnd, &outer)) {
    POINT destination = {outer.left, outer.top};
    SIZE size = {outer.right - outer.left, outer.bottom - outer.top};
    POINT source = {0, 0};
    BLENDFUNCTION blend = kPerPixelAlpha;
    applied = g_updateLayeredWindow(m_hwnd, nullptr, &destination, &size, dc, &source, 0, &blend, ULW_ALPHA) != 0;
  }
  // The DC's own bitmap is selected out by deleting the DC first.
  DeleteDC(dc);
  if (bitmap) DeleteObject(bitmap);
  return applied;
}

bool SWnd::UpdateLayered() { return ApplyLayeredBitmap(RenderLayeredBitmap()); }
