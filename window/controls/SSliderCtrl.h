// SSliderCtrl: the slider, a subclassed system "msctls_trackbar32".
//
// It reports mouse messages; each move reaches the parent as the slider's
// changed event through the parent's scroll handling. With the keyboard
// focus it paints over the system's focus rectangle in its background
// colour, so a focused slider looks like an unfocused one.
#pragma once

#include "window/SWnd.h"
#include "window/controls/ControlWindow.h"

class SSliderCtrl : public SWnd {
 public:
  SSliderCtrl();

  bool Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData = nullptr);

  // Both ends are set quietly; redraw then repaints the whole slider once.
  void SetRange(int minimum, int maximum, bool redraw);
  int GetMin() const;
  int GetMax() const;
  void SetPos(int position, bool redraw);
  int GetPos() const;
  void AddTic(int position);
  void ClearTics();
  int GetTicCount() const;
  void SetPageSize(int size);
  int GetPageSize() const;
  void SetLineSize(int size);

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  HBRUSH OnCtlColorStatic(HDC dc) override;

 private:
  void CoverFocusRect();

  ControlBrush m_brush;
};
