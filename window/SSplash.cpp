#include "window/SSplash.h"

#include <cmath>
#include <cstdlib>

#include "window/Framework.h"
#include "window/FrameworkMessage.h"

// ---- Geometry ------------------------------------------------------------------------------

RECT CenteredSplashRect(int width, int height, int screenWidth, int screenHeight) {
  RECT rect;
  rect.left = screenWidth / 2 - width / 2;
  rect.top = screenHeight / 2 - height / 2;
  rect.right = rect.left + width;
  rect.bottom = rect.top + height;
  return rect;
}

RECT SplashGrowRect(const RECT& final, uint32_t elapsed, bool* done) {
  int cx = (final.left + final.right) / 2, cy = (final.top + final.bottom) / 2;
  int fullWidth = std::abs(final.right - final.left), fullHeight = std::abs(final.bottom - final.top);
  *done = false;
  if (fullWidth <= 0 || fullHeight <= 0) {
    *done = true;
    return final;
  }
  double aspect = double(fullWidth) / fullHeight;
  int width = fullWidth / 2 + int(std::floor(double(elapsed) / SSplash::kGrowTime * (fullWidth / 2)));
  if (width >= fullWidth) {
    *done = true;
    return final;
  }
  int height = int(std::floor(width / aspect));
  int left = cx - width / 2, top = cy - height / 2;
  return {left, top, left + width, top + height};
}

// ---- The window ----------------------------------------------------------------------------

SSplash::_SWnd::_SWnd()
    : m_startTime(0),
      m_mode(kModeTimed),
      m_duration(0),
      m_finalRect{},
      m_effect(kEffectNone),
      m_shown(false),
      m_grown(0),
      m_owner(nullptr) {}

void SSplash::_SWnd::Close() {
  Show(SW_HIDE);
  Destroy();
}

void SSplash::_SWnd::ShowWithoutFocus() {
  // Showing activates a window; the mode that never takes the focus must
  // not take it this way either.
  Show(m_mode == kModeNoFocus ? SW_SHOWNA : SW_SHOW);
}

void SSplash::_SWnd::GrowStep() {
  if (m_grown) return;
  bool done = false;
  RECT rect = SplashGrowRect(m_finalRect, timeGetTime() - m_startTime, &done);
  if (done) m_grown = 1;
  ::SetWindowPos(m_hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyLayeredBitmap(RenderLayeredBitmap());
}

LRESULT SSplash::_SWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (m_mode == kModeClick) {
        Close();
        return 0;
      }
      break;
    case WM_TIMER:
      if (wparam == kDurationTimer) {
        if (timeGetTime() - m_startTime > m_duration) {
          Close();
          return 0;
        }
      } else if (wparam == kGrowTimer && m_effect == kEffectGrow) {
        GrowStep();
        if (!m_shown) {
          ShowWithoutFocus();
          m_shown = true;
        }
      }
      break;
    case kCreatedMessage:
      m_owner = reinterpret_cast<SSplash*>(lparam);
      break;
    case WM_PAINT:
      // The "STATIC" of the mode without focus would paint itself plain
      // over the picture.
      if (IsSubclassed()) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(m_hwnd, &paint);
        RECT client;
        ::GetClientRect(m_hwnd, &client);
        RenderBackground(dc, client.right, client.bottom);
        EndPaint(m_hwnd, &paint);
        return 0;
      }
      break;
  }
  return SWnd::WindowProc(message, wparam, lparam);
}

// ---- The splash ----------------------------------------------------------------------------

SSplash::SSplash() : m_alpha(0), m_keyColor(kColorNone), m_backdrop(0), m_rect{} {}

SSplash::~SSplash() = default;

bool SSplash::StoreImage(const SImage* image) {
  if (!image || !image->IsLoaded()) return false;
  if (!m_image.CopyFrom(image, 0, 0, image->GetWidth(), image->GetHeight())) return false;
  m_rect = CenteredSplashRect(m_image.GetWidth(), m_image.GetHeight(), GetSystemMetrics(SM_CXSCREEN),
                              GetSystemMetrics(SM_CYSCREEN));
  return true;
}

bool SSplash::SetImage(const SImage* image, uint32_t keyColor, bool backdrop) {
  if (!StoreImage(image)) return false;
  m_alpha = 0;
  m_keyColor = keyColor;
  m_backdrop = backdrop;
  return true;
}

bool SSplash::SetAlphaImage(const SImage* image) {
  if (!StoreImage(image)) return false;
  m_alpha = 1;
  return true;
}

bool SSplash::SetImageFromStream(SFile* stream, uint32_t keyColor, bool backdrop) {
  if (!stream) return false;
  SImage decoded;
  decoded.LoadFromStream(stream, -1);
  return SetImage(&decoded, keyColor, backdrop);
}

bool SSplash::SetAlphaImageFromStream(SFile* stream) {
  if (!stream) return false;
  SImage decoded;
  decoded.LoadFromStream(stream, -1);
  return SetAlphaImage(&decoded);
}

void SSplash::ApplyBackground() {
  _SWnd* window = m_window.get();
  if (m_alpha) {
    window->SetBackgroundImage(m_image.GetBitmap(), kColorNone, -1, nullptr, false);
    window->EnableLayered();
    window->ApplyLayeredBitmap(window->RenderLayeredBitmap());
  } else if (m_backdrop) {
    // The picture's own alpha blends with what the screen showed there.
    SImage backdrop;
    if (backdrop.CaptureFromDC(nullptr, m_rect.left, m_rect.top, m_image.GetWidth(), m_image.GetHeight())) {
      Gdiplus::Graphics graphics(backdrop.GetBitmap());
      Gdiplus::Rect dest(0, 0, m_image.GetWidth(), m_image.GetHeight());
      m_image.Draw(&graphics, nullptr, &dest);
      window->SetBackgroundImage(backdrop.GetBitmap(), m_keyColor, -1, nullptr, false);
    } else {
      window->SetBackgroundImage(m_image.GetBitmap(), m_keyColor, -1, nullptr, false);
    }
  } else {
    window->SetBackgroundImage(m_image.GetBitmap(), m_keyColor, -1, nullptr, false);
  }
}

bool SSplash::Show(const POINT* position, HWND owner, int mode, uint32_t duration, int effect) {
  if ((m_window && m_window->GetHwnd()) || !m_image.IsLoaded()) return false;
  m_window.reset();
  if (position) OffsetRect(&m_rect, position->x - m_rect.left, position->y - m_rect.top);
  if (mode < kModeTimed || mode > kModeNoFocus) mode = kModeTimed;
  m_window = std::make_unique<_SWnd>();
  _SWnd* window = m_window.get();
  bool created = mode == kModeNoFocus
                     ? window->CreateControl(&m_rect, WS_POPUP, "STATIC", "", WS_EX_TOOLWINDOW, owner, nullptr,
                                             this, GetInstanceHandle())
                     : window->Create(WS_POPUP, "", WS_EX_TOOLWINDOW, &m_rect, owner, nullptr, this,
                                      GetInstanceHandle(), false);
  if (!created) {
    m_window.reset();
    return false;
  }
  if (mode != kModeNoFocus) window->SetFocus();
  ApplyBackground();
  window->m_mode = mode;
  window->m_duration = duration;
  window->m_finalRect = m_rect;
  window->m_effect = effect;
  window->m_shown = false;
  window->m_grown = 0;
  window->m_startTime = timeGetTime();
  if (duration) window->SetTimer(kDurationPeriod, kDurationTimer);
  if (effect == kEffectGrow) {
    window->SetBackgroundDrawMode(DRAW_STRETCH);
    window->SetTimer(kGrowPeriod, kGrowTimer);
  } else {
    window->SetBackgroundDrawMode(DRAW_CENTER);
    window->ShowWithoutFocus();
  }
  return true;
}

void SSplash::Close() { m_window.reset(); }
