// SStatusBarCtrl: the status strip at the bottom of a dialog, a subclassed
// system "msctls_statusbar32" divided into parts.
//
// Its mouse buttons reach the parent as status-bar mouse reports; the
// dialog that made it keeps its own client height in step with it.
#pragma once

#include "core/SString.h"
#include "window/SWnd.h"

class SStatusBarCtrl : public SWnd {
 public:
  SStatusBarCtrl();

  // n parts of equal width across the parent's client area, the last one
  // reaching the right edge. False when n < 1.
  bool SetParts(int n);
  // The right edge of one part; false (nothing changed) for a part the bar
  // does not have.
  bool SetPartEdge(int part, int right);
  // 0 for a part the bar does not have.
  int GetPartEdge(int part) const;
  SString GetText(int part) const;

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
};
