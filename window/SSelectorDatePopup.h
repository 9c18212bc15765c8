// SSelector::_SWndDate: the month calendar popup, 53 labels - a title
// between two month arrows, seven weekday headings, a separator line and
// six weeks of day cells. Each cell knows whether its day belongs to the
// month shown (offset 0), the one before (-1) or the one after (1).
//
// A press on a day selects it (a grey day switches to its month), the
// arrows change the month, a double-click on a day or Enter ends the run
// with kDateChosen, Escape with -1. The popup is dragged by any other label.
#pragma once

#include <cstdint>

#include "core/STimer.h"
#include "window/ControlNotify.h"
#include "window/SSelector.h"
#include "window/SWnd.h"
#include "window/controls/SMediaCtrl.h"

class SSelector::_SWndDate : public SWnd {
 public:
  enum : int { kDayId = 1200, kPreviousId = 1201, kNextId = 1202 };
  enum : int { kWeeks = 6, kDayCells = 7 * kWeeks };
  // The modal result that hands over the popup's date.
  enum : int { kDateChosen = 1 };

  _SWndDate() = default;

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

  // Every cell for the date's month; the date's day selected.
  void FillMonth();
  // Selects the cell (-1: none) of the month shown, or moves to the month
  // of a grey cell with that day.
  void SelectDay(int cell);

  const STimer& GetDate() const { return m_date; }
  SMediaCtrl& GetTitle() { return m_title; }
  SMediaCtrl& GetWeekday(int k) { return m_weekdays[k]; }
  SMediaCtrl& GetDayCell(int i) { return m_days[i]; }
  int32_t GetMonthOffset(int i) const { return m_monthOffsets[i]; }

 private:
  void BuildContent(const STimer* initial);
  void OnLabelMouse(SWnd* label, const ControlMouseRecord& record);
  // The cell's day as the month it belongs to counts it.
  int DayNumber(int cell) const { return m_dayNumbers[cell]; }

  STimer m_date;
  SMediaCtrl m_title;
  SMediaCtrl m_previous;
  SMediaCtrl m_next;
  SMediaCtrl m_weekdays[7];
  SMediaCtrl m_days[kDayCells];
  SMediaCtrl m_separator;
  int32_t m_monthOffsets[kDayCells] = {};
  int32_t m_dayNumbers[kDayCells] = {};
};
