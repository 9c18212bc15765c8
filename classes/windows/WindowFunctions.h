// What the window classes (Dialog and every control) share in their
// functions over one window: reading rectangles from their arguments, and
// the members whose work is the same whatever the class numbers them.
// Each does nothing without its object argument.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/PObject.h"

class PObjCursor;
class PObjPoint;
class PObjRectangle;
class SWnd;

RECT RectOf(const PObjRectangle* r);
void SetRectangle(PObjRectangle* r, const RECT& rect);

// The window rectangle in the parent's client coordinates; a top-level
// window keeps screen coordinates.
bool RectInParent(const SWnd* window, RECT* rect);
// The bits the names of the window's ControlNumber can express are replaced
// by the parsed ones, the others kept (a bit without a name survives an
// empty text); then the frame is redrawn.
void SetStyleFromNames(SWnd* window, const char* names, bool extended);
// RDW_UPDATENOW, RDW_ERASE and RDW_INVALIDATE over the rectangle, or (null)
// the whole window.
void RedrawRect(SWnd* window, const PObjRectangle* rect);
// The cursor's (null: none of the window's own).
void SetCursorOf(SWnd* window, const PObjCursor* cursor);

// The mouse in client coordinates: which 'x' or 'y' answers one coordinate,
// 'p' fills the Point and answers true.
bool ReturnMouse(SWnd* window, char which, PObjPoint* point, PResultCell* result);
// Screen to client (toClient) or back, in place.
void ConvertPoint(SWnd* window, PObjPoint* point, bool toClient);
void ConvertRect(SWnd* window, PObjRectangle* rect, bool toClient);
// The mouse pointer put at a client point.
void PutMouse(SWnd* window, int x, int y);
