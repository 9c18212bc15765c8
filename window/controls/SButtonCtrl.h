// SButtonCtrl: the push button, a subclassed system "BUTTON".
//
// Its click reaches the parent as the button's clicked event through the
// parent's own message handling; its mouse messages reach the parent as
// mouse reports first.
#pragma once

#include "window/SWnd.h"
#include "window/controls/ControlWindow.h"

class SButtonCtrl : public SWnd {
 public:
  SButtonCtrl();

  bool Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
              void* creationData = nullptr);

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  HBRUSH OnCtlColorBtn(HDC dc) override;

 private:
  ControlBrush m_brush;
};
