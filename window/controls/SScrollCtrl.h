// SScrollCtrl: the scroll bar, a subclassed system "SCROLLBAR" whose
// orientation comes from the caller's SBS_ style.
//
// It reports mouse messages; its moves reach the parent as the scroll
// bar's changed event through the parent's scroll handling, which steps,
// snaps and clamps the position and reports only a real change.
#pragma once

#include "window/SWnd.h"
#include "window/controls/ControlWindow.h"

class SScrollCtrl : public SWnd {
 public:
  SScrollCtrl();

  bool Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData = nullptr);

  void SetPos(int position, bool redraw);
  int GetPos() const;
  // Without redraw the bar keeps its picture until it is next painted.
  void SetRange(int minimum, int maximum, bool redraw);
  int GetMin() const;
  int GetMax() const;

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  HBRUSH OnCtlColorScrollBar(HDC dc) override;

 private:
  ControlBrush m_brush;
};
