// SSelector: construction and the framework's own two popups.
#include "window/SSelector.h"

#include "window/Framework.h"
#include "window/SSelectorColorPopup.h"
#include "window/SSelectorDatePopup.h"

SSelector::SSelector(HWND owner)
    : m_owner(owner), m_folderSeparator(1), m_fontSize(0), m_fontStyle(0), m_color(0) {}

SSelector::~SSelector() = default;

bool SSelector::PickColor(const char* title) {
  if (!m_owner) return false;
  _SWndColor popup;
  RECT rect = {0, 0, 300, 95};
  if (!popup.Create(WS_POPUP | WS_CAPTION | WS_SYSMENU, title, 0, &rect, m_owner, nullptr, nullptr,
                    GetInstanceHandle(), false))
    return false;
  popup.SetClientSize(300, 95);
  popup.CenterWindow(false);
  int result = popup.RunModal(0, 0, nullptr, true);
  if (result == -1) return false;
  m_color = kSystemColorBase + uint32_t(result);
  return true;
}

bool SSelector::PickDate(const STimer* initialDate) {
  _SWndDate popup;
  RECT rect = {0, 0, 210, 161};
  // The creation value is only read during the call.
  void* initial = const_cast<STimer*>(initialDate);
  if (!popup.Create(WS_POPUP | WS_BORDER, "", 0, &rect, m_owner, nullptr, initial, GetInstanceHandle(), false))
    return false;
  if (popup.RunModal(0, 0, nullptr, true) == _SWndDate::kDateChosen) {
    m_date.Assign(popup.GetDate());
    return true;
  }
  m_date.SetNow(true);
  return false;
}
