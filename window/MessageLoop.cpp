#include "window/MessageLoop.h"

#include "files/GlobalObjects.h"
#include "window/FrameworkMessage.h"
#include "window/FrameworkWindowClasses.h"
#include "window/SWnd.h"
#include "window/SWndLifeGuard.h"

namespace {

// PM_REMOVE with the keyboard and mouse queues only (QS_KEY | QS_MOUSEMOVE |
// QS_MOUSEBUTTON, in the high word).
const UINT kRemoveInput = PM_REMOVE | ((QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON) << 16);

// The first dialog that takes the message consumes it; otherwise it is
// translated and dispatched. The list may change while a dialog handles a
// message, so its count is read afresh each time.
void OfferMessage(MSG& message) {
  for (int i = 0; i < DialogWindowList.GetCount(); i++) {
    HWND dialog = DialogWindowList.GetAt(i);
    if (dialog && IsDialogMessageA(dialog, &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace

void RunMessageLoop(bool* waitForMessages, IdleFunction idle, void* user) {
  MSG message = {};
  while (message.message != WM_QUIT) {
    if (*waitForMessages) {
      // A result of -1 counts as a message like any other.
      while (GetMessageA(&message, nullptr, 0, 0) != 0) {
        OfferMessage(message);
        if (!*waitForMessages) break;
      }
    } else {
      MSG next;
      if (PeekMessageA(&next, nullptr, 0, 0, PM_REMOVE)) {
        message = next;
        OfferMessage(message);
      } else if (idle) {
        idle(user);
      }
    }
  }
}

void RunModalLoop(SWnd* window) {
  // A handler may delete the modal window; the loop then ends.
  SWndLifeGuard guard(window);
  auto running = [&] { return guard.IsAlive() && window->GetHwnd() && window->IsModal(); };
  MSG message = {};
  while (running()) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(int(message.wParam));
      return;
    }
    while (running() && GetMessageA(&message, nullptr, 0, 0)) {
      if (DialogWindowList.GetCount() > 0) {
        OfferMessage(message);
        continue;
      }
      // The key still reaches the focused control afterwards.
      if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && window->IsDefaultKeyEnabled(true))
        WindowProcedure(window->GetHwnd(), kModalOkMessage, 0, 1);
      else if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && window->IsDefaultKeyEnabled(false))
        WindowProcedure(window->GetHwnd(), kModalCancelMessage, 0, 1);
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  if (message.message == WM_QUIT) PostQuitMessage(int(message.wParam));
}

void FlushInputMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, kRemoveInput)) {
  }
}

SArray<HWND>& GetDialogWindowList() { return DialogWindowList; }

void AddDialogWindow(HWND window) {
  if (DialogWindowList.Find(window) < 0) DialogWindowList.Add(window);
}

void RemoveDialogWindow(int index) { DialogWindowList.RemoveAt(index); }

void ClearDialogWindowList() { DialogWindowList.RemoveAll(); }
