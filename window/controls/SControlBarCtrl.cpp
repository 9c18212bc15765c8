#include "window/controls/SControlBarCtrl.h"

#include <commctrl.h>

#include <cstddef>

#include "window/ControlNotify.h"

namespace {

// The common controls of Windows XP refuse the band record at the size the
// present headers give it (with the Vista fields); the XP size carries every
// field used here.
static_assert(offsetof(REBARBANDINFOA, cxHeader) + sizeof(UINT) == 80, "REBARBANDINFOA_V6_SIZE");
static_assert(sizeof(REBARINFO) == 12);

const UINT kToolBarCommandMessage = ControlNotifyMessage(kControlClassToolBar, 0);

}  // namespace

SControlBarCtrl::SControlBarCtrl() { m_windowType = kWindowControlBar; }

SControlBarCtrl::~SControlBarCtrl() { DeleteAllBands(); }

bool SControlBarCtrl::InsertBand(HWND child, int minWidth, int height) {
  REBARBANDINFOA band = {};
  band.cbSize = REBARBANDINFOA_V6_SIZE;
  band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE;
  band.fStyle = RBBS_BREAK | RBBS_CHILDEDGE | RBBS_NOGRIPPER;
  band.hwndChild = child;
  band.cxMinChild = minWidth;
  band.cyMinChild = band.cyChild = band.cyMaxChild = height;
  band.cyIntegral = 1;
  band.cx = band.cxIdeal = 50;
  return SendMessage(RB_INSERTBANDA, WPARAM(-1), reinterpret_cast<LPARAM>(&band)) != 0;
}

int SControlBarCtrl::GetBandCount() const { return m_hwnd ? int(SendMessage(RB_GETBANDCOUNT, 0, 0)) : 0; }

void SControlBarCtrl::DeleteBandOf(HWND child) {
  for (int i = GetBandCount() - 1; i >= 0; i--) {
    REBARBANDINFOA band = {};
    band.cbSize = REBARBANDINFOA_V6_SIZE;
    band.fMask = RBBIM_CHILD;
    if (SendMessage(RB_GETBANDINFOA, i, reinterpret_cast<LPARAM>(&band)) && band.hwndChild == child)
      SendMessage(RB_DELETEBAND, i, 0);
  }
}

void SControlBarCtrl::DeleteAllBands() {
  while (GetBandCount() > 0)
    if (!SendMessage(RB_DELETEBAND, 0, 0)) break;
}

LRESULT SControlBarCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY:
      DeleteAllBands();
      break;
    case kCreatedMessage: {
      SetStyle(GetStyle() | RBS_VARHEIGHT | RBS_AUTOSIZE);
      REBARINFO info = {};
      info.cbSize = sizeof info;
      SendMessage(RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
      break;
    }
    case kParentResizedMessage:
      for (int i = 0, n = GetBandCount(); i < n; i++) SendMessage(RB_SHOWBAND, i, TRUE);
      break;
    default:
      if (message == kToolBarCommandMessage) return SendToParent(message, wparam, lparam);
      break;
  }
  return SWnd::WindowProc(message, wparam, lparam);
}
