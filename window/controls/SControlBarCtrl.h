// SControlBarCtrl: the dialog's control bar, a subclassed system
// "ReBarWindow32" whose bands hold child windows (in practice the tool
// bar).
//
// It sizes itself to its bands; the system tells the dialog of each new
// height, and the dialog moves its other controls by the change. Tool-bar
// commands reaching it pass on to the dialog unchanged.
#pragma once

#include "window/SWnd.h"

class SControlBarCtrl : public SWnd {
 public:
  SControlBarCtrl();
  // The bands go first; their windows' objects belong to the dialog.
  ~SControlBarCtrl() override;

  // Appends a band holding child, on a row of its own, minWidth wide at
  // least and height high.
  bool InsertBand(HWND child, int minWidth, int height);
  int GetBandCount() const;
  // The band that holds child goes; the window stays.
  void DeleteBandOf(HWND child);

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void DeleteAllBands();
};
