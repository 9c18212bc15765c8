// SCheckCtrl: the check box, a subclassed system "BUTTON" with two or three
// states.
//
// It is not an automatic check box: a click toggles it through the
// parent's message handling, which then reports the new state to the
// parent as the check box's clicked event.
#pragma once

#include "window/SWnd.h"
#include "window/controls/ControlWindow.h"

class SCheckCtrl : public SWnd {
 public:
  SCheckCtrl();

  bool Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
              void* creationData = nullptr);

  // 0 unchecked, 1 checked, any other value indeterminate.
  void SetCheck(int state);
  // 0 unchecked, 1 checked, 2 indeterminate.
  int GetCheck() const;

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  HBRUSH OnCtlColorStatic(HDC dc) override;

 private:
  ControlBrush m_brush;
};
