// What every wrapper of a system control shares: the shape of its creation,
// the mouse report to its parent, and the one brush it hands out for its
// background.
//
// A wrapper is an SWnd made on a system class ("BUTTON", "EDIT" ...) and
// subclassed, so that every message passes SWnd::OnMessage and then the
// wrapper's WindowProc. Its WindowProc first offers the message to
// ReportControlMouse, then ends in SWnd::WindowProc (ControlWindowProc,
// for wrappers that handle nothing else).
#pragma once

#include <windows.h>

#include <cstdint>

class SWnd;

// A child (WS_CHILD added unless the style has WS_POPUP) of the system
// class, with the class's own style bits ORed in, made with the application
// instance and subclassed. True when the window exists.
bool CreateControlWindow(SWnd& control, const char* className, DWORD classBits, const char* text, DWORD style,
                         DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData);

// For the button messages and the framework click messages (those with a
// MouseEventCode): delivers report to the control's parent, at once through
// WindowProcedure, with the control as wparam and a ControlMouseRecord as
// lparam. A control without a parent reports nothing. False when the
// parent's handler deleted the control, which must then be touched no more.
bool ReportControlMouse(SWnd& control, UINT report, UINT message, LPARAM point);
// The window procedure of a wrapper without messages of its own: the mouse
// report, then SWnd::WindowProc.
LRESULT ControlWindowProc(SWnd& control, UINT report, UINT message, WPARAM wparam, LPARAM lparam);

// The brush a control answers its colour request with. Each request
// replaces the previous brush, so a control holds at most one; the last is
// deleted with the holder.
class ControlBrush {
 public:
  ControlBrush() : m_brush(nullptr) {}
  ~ControlBrush() { Release(); }
  ControlBrush(const ControlBrush&) = delete;
  ControlBrush& operator=(const ControlBrush&) = delete;

  // The brush for a background colour: none for kColorNone, the stock
  // NULL_BRUSH for kColorParentPaints, else a new solid brush.
  HBRUSH ForBackColor(uint32_t color);
  HBRUSH Get() const { return m_brush; }

 private:
  void Release();

  HBRUSH m_brush;  // owned unless it is the stock NULL_BRUSH
};

// The background brush request of a button, check box, radio button and
// slider: the brush of the control's background colour, the HDC untouched.
HBRUSH ButtonBrush(SWnd& control, ControlBrush& brush);
// The background brush request of a control that draws on the HDC's
// background too (edit, group box caption, scroll bar): the brush of the
// background colour, and the HDC's background to match - transparent when
// the parent paints, the colour itself otherwise, untouched for kColorNone.
HBRUSH BackgroundBrush(SWnd& control, ControlBrush& brush, HDC dc);
