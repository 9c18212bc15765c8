// The double-buffered erase: WM_ERASEBKGND paints the background into an
// off-screen bitmap (in OnMessage) and copies it to the window in one go (in
// WindowProc), so that a window and the children it paints under do not
// flicker. An erase sent while one is being handled paints nothing.
#include "window/FrameworkMessage.h"
#include "window/SWnd.h"

namespace {

// Where a child is cut out of its parent's erase painting.
enum CutOut { kCutNone, kCutReal, kCutTarget };

CutOut CutOutOf(SWnd* child, bool inSizeMove) {
  switch (child->GetType()) {
    // Standard controls are painted under, for their see-through edges,
    // except while a size or move loop repaints often.
    case kWindowButton:
    case kWindowCombo:
    case kWindowEdit:
    case kWindowGroup:
    case kWindowProgress:
      return inSizeMove ? kCutReal : kCutNone;
    case kWindowRadio:
    case kWindowStatic:
    case kWindowTab:
      return kCutTarget;
    case kWindowToolBar:
      return (child->GetStyle() & 0x8000) ? kCutTarget : kCutReal;
    default:
      return kCutReal;
  }
}

// Takes the area out of the DC's clipping: the shaped child's region, or
// its rectangle.
void ExcludeFromClip(HDC dc, HWND child, const RECT& rect) {
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  int kind = GetWindowRgn(child, shape);
  if (kind == SIMPLEREGION || kind == COMPLEXREGION) {
    OffsetRgn(shape, rect.left, rect.top);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    if (GetClipRgn(dc, clip) != 1) {
      RECT box;
      GetClipBox(dc, &box);
      SetRectRgn(clip, box.left, box.top, box.right, box.bottom);
    }
    CombineRgn(clip, clip, shape, RGN_DIFF);
    SelectClipRgn(dc, clip);
    DeleteObject(clip);
  } else {
    ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  }
  DeleteObject(shape);
}

}  // namespace

// Children that paint themselves are left out, so that they do not flicker.
void SWnd::CutOutChildren(HDC real, HDC target) {
  SArray<HWND> children;
  EnumChildHandles(children);
  for (int i = 0; i < children.GetCount(); i++) {
    HWND handle = children.GetAt(i);
    SWnd* child = FindWindowObject(handle);
    if (!child || !::IsWindowVisible(handle) || child->GetBackColor() == kColorParentPaints) continue;
    CutOut where = CutOutOf(child, m_inSizeMove);
    if (where == kCutNone) continue;
    RECT rect;
    ::GetWindowRect(handle, &rect);
    MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&rect), 2);
    ExcludeFromClip(where == kCutReal ? real : target, handle, rect);
  }
}

bool SWnd::PaintBackground(HDC real, HDC target) {
  RECT client;
  if (!::GetClientRect(m_hwnd, &client)) return false;
  RECT video;
  if (m_windowType == kWindowMediaPlayer && GetVideoRect(&video))
    ExcludeClipRect(real, video.left, video.top, video.right, video.bottom);
  CutOutChildren(real, target);
  uint32_t color = GetBackColor();
  if (m_backImage.IsLoaded()) {
    if (color < kColorNone) {
      HBRUSH brush = CreateSolidBrush(color);
      FillRect(target, &client, brush);
      DeleteObject(brush);
    }
    RenderBackground(target, client.right, client.bottom);
    return true;
  }
  if (color == kColorNone) return false;
  if (color == kColorParentPaints) {
    // The parent paints what lies under this window, when it is asked to.
    HWND parent = GetParent();
    if (m_parentPaintsNow && FindWindowObject(parent)) {
      MapWindowPoints(m_hwnd, parent, reinterpret_cast<POINT*>(&client), 2);
      RedrawWindow(parent, &client, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW);
    }
    return false;
  }
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(target, &client, brush);
  DeleteObject(brush);
  return true;
}

bool SWnd::BeginErase(WPARAM* wparam, LPARAM* lparam) {
  if (m_previousProc && !m_eraseWhenSubclassed) return true;
  HDC real = reinterpret_cast<HDC>(*wparam);
  // The children cut out of the real DC's clipping stay out only while the
  // erase lasts: the DC may be a caller's (WM_PRINT).
  if (GetBackColor() == kColorParentPaints) {
    int saved = SaveDC(real);
    PaintBackground(real, real);
    RestoreDC(real, saved);
    *lparam = reinterpret_cast<LPARAM>(real);
    return true;
  }
  if (m_eraseDepth++ != 0) {
    *lparam = 0;  // nested: the outer erase copies
    return true;
  }
  *lparam = 0;
  RECT client;
  if (!::GetClientRect(m_hwnd, &client)) return true;
  HDC memory = CreateCompatibleDC(real);
  HBITMAP bitmap = memory ? CreateCompatibleBitmap(real, client.right, client.bottom) : nullptr;
  if (!bitmap) {
    if (memory) DeleteDC(memory);
    return true;
  }
  SelectObject(memory, bitmap);
  m_eraseSavedDC = SaveDC(real);
  // A background that paints nothing leaves the window as it is, rather
  // than copying an empty bitmap over it.
  if (!PaintBackground(real, memory)) {
    RestoreDC(real, m_eraseSavedDC);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return true;
  }
  *lparam = reinterpret_cast<LPARAM>(memory);
  return true;
}

LRESULT SWnd::EndErase(WPARAM wparam, LPARAM lparam) {
  if (m_previousProc && !m_eraseWhenSubclassed) return DefaultWindowProc(WM_ERASEBKGND, wparam, lparam);
  if (GetBackColor() == kColorParentPaints) return 1;
  if (m_eraseDepth <= 0 || --m_eraseDepth != 0) return 1;
  HDC real = reinterpret_cast<HDC>(wparam);
  HDC memory = reinterpret_cast<HDC>(lparam);
  if (!memory || memory == real) return 1;
  HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(memory, OBJ_BITMAP));
  RECT client = {0, 0, 0, 0};
  ::GetClientRect(m_hwnd, &client);
  // What the painting clipped out of the bitmap stays out of the window.
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  if (GetClipRgn(memory, clip) == 1) ExtSelectClipRgn(real, clip, RGN_AND);
  DeleteObject(clip);
  BitBlt(real, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  RestoreDC(real, m_eraseSavedDC);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return 1;
}
