// What every control class repeats in its registration: the class's
// settings with its inner window for dialog descriptions, its create
// function's parameters, and its mouse-record event with the four common
// events that its inner window raises.
#pragma once

#include <cstdint>
#include <new>

#include "engine/PObjectDefinition.h"

class SWnd;

// A new inner window of type T, for the dialog's factory table.
template <class T>
SWnd* NewInnerWindow() {
  return new (std::nothrow) T;
}

// Category controls, base "Control", the ControlNumber's inner window
// installed, and the constant "ID".
void RegisterControlClass(PObjectDefinition* d, PObject* (*factory)(PObjectDefinition*), TypeCode typeCode,
                          const char* name, int16_t controlNumber, SWnd* (*innerWindow)());

// Create(Dialog parent, Rectangle place = null, String text = "",
// String style = "WS_VISIBLE", String exStyle = "") -> Integer.
bool DeclareControlCreate(PObjectDefinition* d, uint16_t number);
// Event mouse: the five values of the mouse record; then focus (Integer),
// mouse entered (x, y), mouse left, mouse moved (x, y) from firstCommon on.
bool DeclareControlMouseEvent(PObjectDefinition* d, uint16_t mouse);
bool DeclareControlCommonEvents(PObjectDefinition* d, uint16_t firstCommon);
