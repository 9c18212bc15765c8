#include "window/controls/SStatusBarCtrl.h"

#include <commctrl.h>

#include "window/ControlNotify.h"
#include "window/controls/ControlWindow.h"

namespace {

const UINT kStatusBarMouseMessage = ControlNotifyMessage(kControlClassStatusBar, 0);

// The system control holds at most 256 parts.
const int kMaxParts = 256;

}  // namespace

SStatusBarCtrl::SStatusBarCtrl() { m_windowType = kWindowStatusBar; }

bool SStatusBarCtrl::SetParts(int n) {
  if (n < 1 || n > kMaxParts) return false;
  RECT client = {};
  ::GetClientRect(GetParent(), &client);
  int width = (client.right - client.left) / n;
  int edges[kMaxParts];
  for (int i = 0; i < n - 1; i++) edges[i] = (i + 1) * width;
  edges[n - 1] = -1;
  SendMessage(SB_SETPARTS, n, reinterpret_cast<LPARAM>(edges));
  return true;
}

bool SStatusBarCtrl::SetPartEdge(int part, int right) {
  int edges[kMaxParts];
  int count = int(SendMessage(SB_GETPARTS, kMaxParts, reinterpret_cast<LPARAM>(edges)));
  if (count <= 0 || part < 0 || part >= count) return false;
  edges[part] = right;
  SendMessage(SB_SETPARTS, count, reinterpret_cast<LPARAM>(edges));
  return true;
}

int SStatusBarCtrl::GetPartEdge(int part) const {
  int edges[kMaxParts];
  int count = int(SendMessage(SB_GETPARTS, kMaxParts, reinterpret_cast<LPARAM>(edges)));
  if (count <= 0 || part < 0 || part >= count) return 0;
  return edges[part];
}

SString SStatusBarCtrl::GetText(int part) const {
  int length = LOWORD(SendMessage(SB_GETTEXTLENGTHA, part, 0));
  if (length == 0) return SString("");
  SString buffer = SString::ConstructZeroed(length + 1);
  SendMessage(SB_GETTEXTA, part, reinterpret_cast<LPARAM>(buffer.GetBuffer()));
  return SString(buffer.GetBuffer());
}

LRESULT SStatusBarCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  // The system control fits itself to its parent on any WM_SIZE.
  if (message == kParentResizedMessage) SendMessage(WM_SIZE, 0, 0);
  return ControlWindowProc(*this, kStatusBarMouseMessage, message, wparam, lparam);
}
