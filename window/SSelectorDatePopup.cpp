#include "window/SSelectorDatePopup.h"

#include <cstring>
#include <initializer_list>

#include "core/LocaleRecord.h"
#include "window/FrameworkMessage.h"

namespace {

const UINT kMediaMouse = ControlNotifyMessage(kControlClassMedia, 0);
const int kCellWidth = 30, kCellHeight = 20;
// The grid starts under the headings and the separator line.
const int kGridTop = 41;
const int32_t kCentered = kLabelCenter | kLabelMiddle;

void Style(SMediaCtrl& label, int back, int text) {
  label.SetBackColor(GetSysColor(back));
  label.SetTextColor(GetSysColor(text));
}

bool Holds(int32_t code, int32_t bits) { return (code & bits) == bits; }

}  // namespace

void SSelector::_SWndDate::BuildContent(const STimer* initial) {
  if (initial)
    m_date.Assign(*initial);
  else
    m_date.SetNow(true);

  RECT titleRect = {30, 0, 180, 20}, previousRect = {0, 0, 30, 20}, nextRect = {180, 0, 210, 20};
  m_title.Create("", WS_VISIBLE, 0, &titleRect, m_hwnd, 0);
  m_previous.Create("<<", WS_VISIBLE, 0, &previousRect, m_hwnd, kPreviousId);
  m_next.Create(">>", WS_VISIBLE, 0, &nextRect, m_hwnd, kNextId);
  for (SMediaCtrl* label : {&m_title, &m_previous, &m_next}) {
    Style(*label, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT);
    label->SetAlignment(kCentered, 0, 0, 0, 0);
  }

  const LocaleRecord* locale = GetLocaleRecord();
  for (int k = 0; k < 7; k++) {
    SString name;
    name.Assign(locale->dayNames[k], int(strnlen(locale->dayNames[k], 3)));
    RECT rect = {kCellWidth * k, 20, kCellWidth * (k + 1), 40};
    m_weekdays[k].Create(name.GetText(), WS_VISIBLE, 0, &rect, m_hwnd, 0);
    Style(m_weekdays[k], COLOR_BTNFACE, COLOR_BTNTEXT);
    m_weekdays[k].SetAlignment(kCentered, 0, 0, 0, 0);
  }

  RECT lineRect = {0, 0, 1, 1};
  m_separator.Create("", WS_VISIBLE, 0, &lineRect, m_hwnd, 0);
  m_separator.Move(2, 40, 206, 1, true);
  m_separator.SetBackColor(RGB(0, 0, 0));

  for (int i = 0; i < kDayCells; i++) {
    int x = kCellWidth * (i % 7), y = kGridTop + kCellHeight * (i / 7);
    RECT rect = {x, y, x + kCellWidth, y + kCellHeight};
    m_days[i].Create("", WS_VISIBLE, 0, &rect, m_hwnd, kDayId);
    Style(m_days[i], COLOR_WINDOW, COLOR_WINDOWTEXT);
    m_days[i].SetAlignment(kCentered, 0, 0, 0, 0);
  }

  FillMonth();
  SetClientSize(7 * kCellWidth, kGridTop + kWeeks * kCellHeight);
  SetBackColor(GetSysColor(COLOR_HIGHLIGHT));
  CenterWindow(true);
  SetMoveWithMouse(true);
}

void SSelector::_SWndDate::FillMonth() {
  int year = m_date.GetYear(), month = m_date.GetMonth();
  int days = STimer::DaysInMonth(month, year);
  int weekday = STimer::WeekdayOf(1, month, year);
  STimer before;
  before.Set(1, month, year);
  before.Subtract(0, 1, 0);
  int daysBefore = STimer::DaysInMonth(before.GetMonth(), before.GetYear());

  m_title.SetText(m_date.Format("#$M, #Y").GetText());
  int selected = -1;
  for (int i = 0; i < kDayCells; i++) {
    int n = i + 1 - weekday;
    int offset = n < 1 ? -1 : n > days ? 1 : 0;
    int shown = offset < 0 ? n + daysBefore : offset > 0 ? n - days : n;
    m_monthOffsets[i] = offset;
    m_dayNumbers[i] = shown;
    m_days[i].SetText(SString::FromInt(shown).GetText());
    if (offset != 0)
      Style(m_days[i], COLOR_WINDOW, COLOR_GRAYTEXT);
    else if (n == m_date.GetDay())
      selected = i;
  }
  SelectDay(selected);
}

void SSelector::_SWndDate::SelectDay(int cell) {
  if (cell >= 0 && m_monthOffsets[cell] != 0) {
    if (m_monthOffsets[cell] > 0)
      m_date.Add(0, 1, 0);
    else
      m_date.Subtract(0, 1, 0);
    int day = DayNumber(cell), month = m_date.GetMonth(), year = m_date.GetYear();
    if (STimer::IsValidDate(day, month, year)) m_date.Set(day, month, year);
    FillMonth();
    return;
  }
  for (int i = 0; i < kDayCells; i++) {
    if (m_monthOffsets[i] != 0) continue;
    if (i != cell) {
      Style(m_days[i], COLOR_WINDOW, COLOR_WINDOWTEXT);
      continue;
    }
    Style(m_days[i], COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT);
    int day = DayNumber(i), month = m_date.GetMonth(), year = m_date.GetYear();
    if (STimer::IsValidDate(day, month, year)) m_date.Set(day, month, year);
  }
}

void SSelector::_SWndDate::OnLabelMouse(SWnd* label, const ControlMouseRecord& record) {
  bool pressed = Holds(record.code, kMouseLeft | kMouseDown);
  for (int i = 0; i < kDayCells; i++) {
    if (label != &m_days[i]) continue;
    if (pressed) SelectDay(i);
    if (m_monthOffsets[i] == 0 && Holds(record.code, kMouseLeft | kMouseDoubleClick)) {
      SelectDay(i);
      if (IsModal()) EndModal(kDateChosen);
    }
    return;
  }
  if (label == &m_previous || label == &m_next) {
    if (!pressed) return;
    if (label == &m_previous)
      m_date.Subtract(0, 1, 0);
    else
      m_date.Add(0, 1, 0);
    FillMonth();
    return;
  }
  // The other labels hand their press and release to the popup, which is
  // dragged by them.
  UINT button = record.code == (kMouseLeft | kMouseDown) ? WM_LBUTTONDOWN
                : record.code == (kMouseLeft | kMouseUp) ? WM_LBUTTONUP
                                                         : 0;
  if (!button) return;
  POINT point = {record.x, record.y};
  MapWindowPoints(label->GetHwnd(), m_hwnd, &point, 1);
  ::SendMessageA(m_hwnd, button, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

LRESULT SSelector::_SWndDate::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kCreatedMessage:
      BuildContent(reinterpret_cast<const STimer*>(lparam));
      break;
    case kModalOkMessage:
      if (IsModal()) EndModal(kDateChosen);
      return 0;
    case kMediaMouse:
      OnLabelMouse(reinterpret_cast<SWnd*>(wparam), *reinterpret_cast<const ControlMouseRecord*>(lparam));
      break;
  }
  return SWnd::WindowProc(message, wparam, lparam);
}
