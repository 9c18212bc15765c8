// SProgressCtrl: the progress bar, a subclassed system "msctls_progress32".
//
// It reports mouse messages only. Its range is 0 to 100 from the moment it
// exists; its background colour lives in the control itself.
#pragma once

#include "window/SWnd.h"

class SProgressCtrl : public SWnd {
 public:
  SProgressCtrl();

  bool Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData = nullptr);

  void SetRange(int minimum, int maximum);
  int GetMin() const;
  int GetMax() const;
  void SetPos(int position);
  int GetPos() const;
  void OffsetPos(int delta);
  void SetMarquee(bool on, int periodMs);
  void SetBarColor(COLORREF color);

  // The control paints its own background: kColorNone gives it back its
  // default, and the framework's background is never asked for.
  void SetBackColor(uint32_t color) override;
  uint32_t GetBackColor() override { return kColorNone; }

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
};
