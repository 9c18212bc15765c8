// PObjInnerCtrl: the inner window of a control class, derived from the
// class's framework control (SButtonCtrl, SEditCtrl, SWnd ...). From the
// window's own messages it raises, on the window's script object, the four
// events that every control class numbers from kFirstEvent on:
//   kFirstEvent      focus          WM_SETFOCUS 0, WM_KILLFOCUS 1
//   kFirstEvent + 1  mouse entered  the framework's enter message: x, y
//   kFirstEvent + 2  mouse left     the framework's leave message
//   kFirstEvent + 3  mouse moved    WM_MOUSEMOVE: x, y (signed client words)
// then lets the framework control handle the message. kFirstEvent -1
// raises none (Group, Static, ToolBar, Splitter).
//
// A handler may destroy the control (its destroy function, a Dialog
// reload, the release of its object): the framework control then handles
// nothing more, since its window object is gone.
#pragma once

#include <windows.h>

#include "classes/windows/PObjControlPart.h"
#include "engine/PObject.h"
#include "window/FrameworkMessage.h"
#include "window/SWnd.h"
#include "window/SWndLifeGuard.h"

template <class Base, int kFirstEvent>
class PObjInnerCtrl : public Base {
 public:
  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (kFirstEvent < 0) return Base::WindowProc(message, wparam, lparam);
    SWndLifeGuard guard(this);
    RaiseEvents(message, wparam, lparam);
    if (!guard.IsAlive() || !this->GetHwnd()) return 0;
    return Base::WindowProc(message, wparam, lparam);
  }

 protected:
  // Classes with more events of their own override this, raise them, and
  // call this version; the window may be gone when it returns.
  virtual void RaiseEvents(UINT message, WPARAM wparam, LPARAM lparam) {
    (void)wparam;
    PObject* object = this->GetScriptObject();
    if (!object) return;
    const int x = short(LOWORD(lparam)), y = short(HIWORD(lparam));
    switch (message) {
      case WM_SETFOCUS: PObject::RaiseEvent(object, kFirstEvent, nullptr, 0); break;
      case WM_KILLFOCUS: PObject::RaiseEvent(object, kFirstEvent, nullptr, 1); break;
      case kMouseEnterMessage: PObject::RaiseEvent(object, kFirstEvent + 1, nullptr, x, y); break;
      case kMouseLeaveMessage: PObject::RaiseEvent(object, kFirstEvent + 2, nullptr); break;
      case WM_MOUSEMOVE: PObject::RaiseEvent(object, kFirstEvent + 3, nullptr, x, y); break;
      default: return;
    }
    PObjControlPart::FinishEvent(object);
  }
};
