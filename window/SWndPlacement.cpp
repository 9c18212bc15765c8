// The saved placement of a window: its normal rectangle and its visible,
// minimized and maximized states as one text value in the current user's
// registry, under Software\<first>\<second>:
//
//   "7:" left "," top "," right "," bottom "," visible "," minimized "," maximized
//
// The number before the colon counts the fields; a reader takes any count
// of at least 7 and reads the first seven, so that a later writer may add
// fields. An empty text means that nothing is saved.
#include <charconv>

#include "core/SStringParser.h"
#include "files/SRegistry.h"
#include "files/SSystem.h"
#include "window/SWnd.h"

namespace {

const int kPlacementFields = 7;

SString PlacementKey(const char* first, const char* second) {
  SString key("Software\\");
  key += first ? first : "";
  key += "\\";
  key += second ? second : "";
  return key;
}

// A whole decimal integer that fits in 32 bits, nothing around it.
bool ReadInt(const SString& text, int32_t* value) {
  const char* begin = text.GetText();
  const char* end = begin + text.GetLength();
  auto [stop, error] = std::from_chars(begin, end, *value);
  return begin != end && error == std::errc() && stop == end;
}

// A rectangle larger than the area takes the area's extent; a smaller one
// is shifted onto it, start edge first.
void FitAxis(LONG* start, LONG* end, LONG areaStart, LONG areaEnd) {
  if (areaEnd - areaStart < *end - *start) {
    *start = areaStart;
    *end = areaEnd;
    return;
  }
  if (*start < areaStart) {
    *end += areaStart - *start;
    *start = areaStart;
  }
  if (*end > areaEnd) {
    *start -= *end - areaEnd;
    *end = areaEnd;
  }
}

}  // namespace

bool SWnd::LoadPlacement(const char* first, const char* second, const char* valueName, bool skipVisible,
                         bool skipMinimized, bool skipMaximized) {
  if (!m_hwnd) return false;
  SString text = SRegistry::ReadString(HKEY_CURRENT_USER, PlacementKey(first, second).GetText(), valueName);
  int colon = text.FindChar(':');
  int32_t count = 0;
  if (colon < 0 || !ReadInt(text.Left(colon), &count) || count < kPlacementFields) return false;

  SStringParser parser;
  if (parser.ParseText(text.Mid(colon + 1).GetText(), ",", '"', SStringParser::kHonourQuotes, nullptr) <
      kPlacementFields)
    return false;
  int32_t fields[kPlacementFields];
  for (int i = 0; i < kPlacementFields; i++) {
    if (!ReadInt(parser.GetToken(i), &fields[i])) return false;
  }
  RECT rect = {fields[0], fields[1], fields[2], fields[3]};
  if (rect.right < rect.left) rect.right = rect.left;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
  bool visible = fields[4] != 0, minimized = fields[5] != 0, maximized = fields[6] != 0;

  // The screen may have changed since: the window comes back on the nearest monitor.
  RECT area = SSystem::GetWorkArea(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
  FitAxis(&rect.left, &rect.right, area.left, area.right);
  FitAxis(&rect.top, &rect.bottom, area.top, area.bottom);

  UINT show = SW_HIDE;
  if (minimized && !skipMinimized) show = SW_SHOWMINIMIZED;
  if (maximized && !skipMaximized) show = SW_SHOWMAXIMIZED;
  if (!skipVisible) {
    if (!visible)
      show = SW_HIDE;
    else if (show == SW_HIDE)
      show = SW_SHOW;
  }
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  placement.showCmd = show;
  placement.rcNormalPosition = rect;
  SetWindowPlacement(m_hwnd, &placement);
  return true;
}

bool SWnd::SavePlacement(const char* first, const char* second, const char* valueName) const {
  if (!m_hwnd) return false;
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(m_hwnd, &placement)) return false;
  const RECT& rect = placement.rcNormalPosition;
  SString text;
  text.Format("%d:%ld,%ld,%ld,%ld,%d,%d,%d", kPlacementFields, rect.left, rect.top, rect.right, rect.bottom,
              IsVisible() ? 1 : 0, IsMinimized() ? 1 : 0, IsMaximized() ? 1 : 0);
  return SRegistry::WriteString(HKEY_CURRENT_USER, PlacementKey(first, second).GetText(), valueName,
                                text.GetText());
}

bool SWnd::ClearPlacement(const char* first, const char* second, const char* valueName) const {
  if (!m_hwnd) return false;
  return SRegistry::WriteString(HKEY_CURRENT_USER, PlacementKey(first, second).GetText(), valueName, "");
}
