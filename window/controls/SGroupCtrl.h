// SGroupCtrl: the group box, a subclassed system "BUTTON" that frames other
// controls under a caption. It reports mouse messages only; its caption has
// a text colour of its own.
#pragma once

#include <cstdint>

#include "window/SWnd.h"
#include "window/controls/ControlWindow.h"

class SGroupCtrl : public SWnd {
 public:
  SGroupCtrl();

  bool Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
              void* creationData = nullptr);

  // The caption's colour as ARGB (0xAARRGGBB); the alpha is not drawn.
  void SetTextColor(uint32_t argb) { m_textColor = argb; }
  uint32_t GetTextColor() const { return m_textColor; }

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  // The background brush, and the caption's text colour and background on
  // the HDC.
  HBRUSH OnCtlColorStatic(HDC dc) override;

 private:
  uint32_t m_textColor;  // ARGB
  ControlBrush m_brush;
};
