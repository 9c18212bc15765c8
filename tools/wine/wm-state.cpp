// The one duty of a window manager that Wine waits on, for the session's
// Xvfb screen, which has no manager: the WM_STATE property of each top-level
// window. Wine withdraws a managed window only once the manager has marked
// it mapped (NormalState), and maps it again only once it is marked
// withdrawn; without a manager each of those waits ran into Wine's two-second
// timeout, a little under half a minute for a test that opens a dozen
// message boxes. This program marks every top-level window NormalState when
// it is mapped and WithdrawnState when it is unmapped, and nothing else: no
// focus, placement or frames, which would change what the tests see.
//
//   wm-state    (on $DISPLAY; runs until the display goes away)
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// A window may be gone by the time its state is written.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

void SetState(Display* display, Atom wmState, Window window, long state) {
  long data[2] = {state, None};
  XChangeProperty(display, window, wmState, wmState, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(data), 2);
  XFlush(display);
}

}  // namespace

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  XSetErrorHandler(IgnoreErrors);
  const Atom wmState = XInternAtom(display, "WM_STATE", False);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XFlush(display);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    // Menus, tooltips and other override-redirect windows are never managed.
    if (event.type == MapNotify && !event.xmap.override_redirect)
      SetState(display, wmState, event.xmap.window, NormalState);
    // The synthetic copy that a withdrawal also sends the root is the same
    // unmap again.
    else if (event.type == UnmapNotify && !event.xunmap.send_event)
      SetState(display, wmState, event.xunmap.window, WithdrawnState);
  }
}
