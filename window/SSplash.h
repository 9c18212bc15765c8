// SSplash: a picture in a borderless popup, centred on the screen or at a
// given point, that closes after a time or on a click, and may grow in from
// half its size.
//
// The picture may carry per-pixel alpha (shown through a layered window), a
// key colour that cuts the window's shape, or be blended onto a copy of
// the screen behind it. SSplash is no window itself: it owns one window
// object while shown, and keeps it after the window closed until the next
// Show or Close.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "window/SImage.h"
#include "window/SWnd.h"

class SFile;

class SSplash {
 public:
  // Timers of the window.
  static constexpr UINT_PTR kDurationTimer = 1;
  static constexpr UINT kDurationPeriod = 100;  // ms
  static constexpr UINT_PTR kGrowTimer = 2;
  static constexpr UINT kGrowPeriod = 20;  // ms
  // The grow-in takes the window from half its width to the full width.
  static constexpr uint32_t kGrowTime = 500;  // ms

  // How the window closes.
  enum Mode : int32_t {
    kModeTimed = 0,    // on the duration only; takes the focus
    kModeClick = 1,    // also on a click or when it loses the focus
    kModeNoFocus = 2,  // on the duration only; never takes the focus
  };
  enum Effect : int32_t { kEffectNone = 0, kEffectGrow = 1 };

  class _SWnd : public SWnd {
   public:
    _SWnd();
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

    int32_t GetMode() const { return m_mode; }
    bool IsShownOnce() const { return m_shown; }
    bool IsGrown() const { return m_grown != 0; }
    SSplash* GetOwner() const { return m_owner; }

   private:
    friend class SSplash;
    void GrowStep();
    void ShowWithoutFocus();
    void Close();

    uint32_t m_startTime;
    int32_t m_mode;
    uint32_t m_duration;  // ms; 0 keeps the window
    RECT m_finalRect;     // screen coordinates
    int32_t m_effect;
    bool m_shown;
    int32_t m_grown;
    SSplash* m_owner;
  };

  SSplash();
  virtual ~SSplash();
  SSplash(const SSplash&) = delete;
  SSplash& operator=(const SSplash&) = delete;

  // A copy of the picture, centred on the primary screen; false for a null
  // or empty picture or when the copy fails. The key colour (kColorNone for
  // none) is cut out of the window; with backdrop the picture is blended
  // onto what the screen shows behind the window.
  bool SetImage(const SImage* image, uint32_t keyColor, bool backdrop);
  // The same, shown with its per-pixel alpha.
  bool SetAlphaImage(const SImage* image);
  // The picture decoded from all the rest of the stream.
  bool SetImageFromStream(SFile* stream, uint32_t keyColor, bool backdrop);
  bool SetAlphaImageFromStream(SFile* stream);

  // Shows the window at the stored rectangle, or with its top-left corner
  // at position, owned by owner; the duration in ms (0: no limit). False
  // while a window exists, or without a picture.
  bool Show(const POINT* position, HWND owner, int mode, uint32_t duration, int effect);
  // Deletes the window object, and its window with it.
  void Close();

  _SWnd* GetWindow() const { return m_window.get(); }
  const SImage& GetImage() const { return m_image; }
  const RECT& GetRect() const { return m_rect; }

 private:
  bool StoreImage(const SImage* image);
  void ApplyBackground();

  std::unique_ptr<_SWnd> m_window;
  SImage m_image;
  uint8_t m_alpha;
  uint32_t m_keyColor;
  uint8_t m_backdrop;
  RECT m_rect;
};

// The rectangle of a picture of that size centred on a screen of that size.
RECT CenteredSplashRect(int width, int height, int screenWidth, int screenHeight);
// Where the grow-in puts the window ms after it was shown: centred on the
// final rectangle, from half its width up, keeping its shape; *done when
// the full size is reached (the final rectangle is then answered).
RECT SplashGrowRect(const RECT& final, uint32_t elapsed, bool* done);
