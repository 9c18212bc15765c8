#include "window/controls/SLabelCtrl.h"

#include "window/ControlNotify.h"
#include "window/Framework.h"
#include "window/FrameworkMessage.h"
#include "window/SImage.h"
#include "window/controls/ControlWindow.h"

namespace {

const UINT kLabelMouse = ControlNotifyMessage(kControlClassLabel, 0);
// The text keeps this far from the edges.
const int kInset = 2;

}  // namespace

SLabelCtrl::SLabelCtrl() : m_textColor(GetSysColor(COLOR_WINDOWTEXT)), m_alignment(kLabelMiddle), m_vertical(0) {
  m_windowType = kWindowLabel;
}

bool SLabelCtrl::Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
                        void* creationData) {
  if (!(style & WS_POPUP)) style |= WS_CHILD;
  return SWnd::Create(style, text, exStyle, rect, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      creationData, GetInstanceHandle(), false);
}

void SLabelCtrl::SetAlignment(int32_t flags) {
  if (flags == m_alignment) return;
  int32_t horizontal = (flags & 3) == 3 ? 3 : (flags & kLabelRight) ? kLabelRight : (flags & kLabelCenter) ? kLabelCenter : kLabelLeft;
  int32_t vertical = (flags & kLabelBottom) ? kLabelBottom : (flags & kLabelMiddle) ? kLabelMiddle : kLabelTop;
  m_alignment = horizontal | vertical;
  if (m_hwnd) RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void SLabelCtrl::DrawLabel(HDC dc) {
  RECT client;
  if (!::GetClientRect(m_hwnd, &client)) return;
  UINT format = DT_NOPREFIX | DT_SINGLELINE;
  int32_t horizontal = m_alignment & 0xF, vertical = m_alignment & 0xF0;
  if (horizontal == kLabelCenter) format |= DT_CENTER;
  if (horizontal == kLabelRight) format |= DT_RIGHT;
  if (vertical == kLabelMiddle) format |= DT_VCENTER;
  if (vertical == kLabelBottom) format |= DT_BOTTOM;
  if (m_vertical) {
    DrawVertical(dc, client, format);
    return;
  }
  RECT area = client;
  InflateRect(&area, -kInset, -kInset);
  SString text = GetText();
  HFONT font = GetFont();
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF color = ::SetTextColor(dc, m_textColor);
  HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
  DrawTextA(dc, text.GetText(), text.GetLength(), &area, format);
  if (oldFont) SelectObject(dc, oldFont);
  ::SetTextColor(dc, color);
  SetBkMode(dc, mode);
}

// GDI draws no turned text in a device context of any mapping, so the
// background is turned a quarter clockwise, written on horizontally, and
// turned back. The writing is done on a 24-bit copy: GDI text leaves the
// fourth bytes of a 32-bit bitmap at 0, which would read as holes.
void SLabelCtrl::DrawVertical(HDC dc, const RECT& client, UINT format) {
  int width = client.right, height = client.bottom;
  SImage image;
  if (!image.CaptureFromDC(dc, 0, 0, width, height) || !image.Rotate(1)) return;
  HBITMAP turned = image.GetBitmapHandle();
  if (!turned) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = height;
  info.bmiHeader.biHeight = width;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP canvas = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HDC source = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (canvas && memory && source) {
    HGDIOBJ oldCanvas = SelectObject(memory, canvas);
    HGDIOBJ oldSource = SelectObject(source, turned);
    BitBlt(memory, 0, 0, height, width, source, 0, 0, SRCCOPY);
    SetBkMode(memory, TRANSPARENT);
    ::SetTextColor(memory, m_textColor);
    HFONT font = GetFont();
    HGDIOBJ oldFont = font ? SelectObject(memory, font) : nullptr;
    RECT area = {kInset, kInset, height - kInset, width - kInset};
    SString text = GetText();
    DrawTextA(memory, text.GetText(), text.GetLength(), &area, format);
    if (oldFont) SelectObject(memory, oldFont);
    SelectObject(memory, oldCanvas);
    HBITMAP back = image.FromBitmapHandle(canvas) && image.Rotate(3) ? image.GetBitmapHandle() : nullptr;
    if (back) {
      SelectObject(source, back);
      BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
      DeleteObject(back);
    }
    SelectObject(source, oldSource);
  }
  if (source) DeleteDC(source);
  if (memory) DeleteDC(memory);
  if (canvas) DeleteObject(canvas);
  DeleteObject(turned);
}

LRESULT SLabelCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETTEXT: {
      LRESULT answer = SWnd::WindowProc(message, wparam, lparam);
      RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      return answer;
    }
    case WM_ERASEBKGND:
      // The framework's erase hands over the memory context holding the
      // background; an erase from elsewhere (no context) draws no text.
      if (lparam) DrawLabel(reinterpret_cast<HDC>(lparam));
      return SWnd::WindowProc(message, wparam, lparam);
    case WM_PRINTCLIENT: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      PaintBackground(dc, dc);
      DrawLabel(dc);
      return SWnd::WindowProc(message, wparam, lparam);
    }
    case kCreatedMessage:
      SetBackColor(GetSysColor(COLOR_BTNFACE));
      return SWnd::WindowProc(message, wparam, lparam);
  }
  return ControlWindowProc(*this, kLabelMouse, message, wparam, lparam);
}
