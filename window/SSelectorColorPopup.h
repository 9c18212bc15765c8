// SSelector::_SWndColor: the popup of the named system colours - a
// drop-down list of the names, a preview of the selected colour, OK and
// Cancel. Its modal result is the selected entry's system colour index, or
// -1 for Cancel.
#pragma once

#include "window/SSelector.h"
#include "window/SWnd.h"
#include "window/controls/SButtonCtrl.h"
#include "window/controls/SComboCtrl.h"
#include "window/controls/SMediaCtrl.h"

class SSelector::_SWndColor : public SWnd {
 public:
  enum : int { kListId = 1100, kOkId = 1000, kCancelId = 1001 };

  _SWndColor() = default;

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

  const SComboCtrl& GetList() const { return m_list; }
  SMediaCtrl& GetPreview() { return m_preview; }

  // The preview takes the colour of the selected entry.
  void UpdatePreview();

 private:
  void BuildContent();
  // The selected entry's system colour index; -1 without a selection.
  int SelectedColorIndex() const;

  SComboCtrl m_list;
  SMediaCtrl m_preview;
  SButtonCtrl m_ok;
  SButtonCtrl m_cancel;
};
