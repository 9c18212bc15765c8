// SRadioCtrl: the radio button, a subclassed system "BUTTON".
//
// It is not an automatic radio button: a click selects it through the
// parent's message handling (Select), which checks it and unchecks the
// radio buttons of its group under the same parent, then reports it to the
// parent as the radio button's clicked event. A radio button of no group
// (-1) affects no other.
#pragma once

#include <cstdint>

#include "window/SWnd.h"
#include "window/controls/ControlWindow.h"

class SRadioCtrl : public SWnd {
 public:
  SRadioCtrl();

  bool Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
              void* creationData = nullptr);

  void SetGroup(int32_t group) { m_group = group; }
  int32_t GetGroup() const { return m_group; }
  bool IsChecked() const { return IsButtonChecked(); }
  // Checks this radio button and unchecks the framework radio buttons of
  // the same parent and group.
  void Select();

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  HBRUSH OnCtlColorStatic(HDC dc) override;

 private:
  ControlBrush m_brush;
  int32_t m_group;  // -1 = no group
};
