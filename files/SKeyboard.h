// Keyboard and mouse: the state of keys and buttons, synthesised input, and
// the names of the virtual-key codes.
//
// Key codes are the platform's virtual-key codes, 0 to 255. "Held" is the
// high bit of the asynchronous key state, "on" the toggle bit of the
// thread's key state. Synthesised key strokes and clicks go to whatever has
// the focus, and clicks act at the cursor's current position.
#pragma once

#include <cstdint>

#include "core/SString.h"

bool IsKeyDown(int code);
bool IsShiftDown();
bool IsLeftShiftDown();
bool IsControlDown();
bool IsLeftControlDown();
bool IsRightControlDown();
bool IsAltDown();
bool IsLeftAltDown();
bool IsRightAltDown();
bool IsControlAltDown();
bool IsCapsLockOn();
bool IsNumLockOn();
bool IsLeftButtonDown();
bool IsRightButtonDown();
bool IsMiddleButtonDown();

// The result of SKeyboard::GetShiftState; also script constants.
enum ShiftState : int32_t { SC_NONE = 0, SC_SHIFT = 1, SC_CTRL = 2, SC_CTRLSHIFT = 3 };

class SKeyboard {
 public:
  // The first keyboard builds the program-wide key name table.
  SKeyboard();
  virtual ~SKeyboard();

  // The platform's constant name without "VK_" ("RETURN" for 13), the
  // character for digits and letters, "NUM0" to "NUM9" for the numeric pad;
  // "" for unnamed codes and codes outside 0-255.
  static SString GetKeyName(int code);
  // Empties the key name table; the framework does so when it shuts down.
  static void FreeKeyNames();

  static int GetShiftState();

  // While the key is held: true once, then false until the interval given
  // with the last true answer has passed, then true again.
  bool IsKeyDownRepeating(int code, int interval);

  static void TapKey(int code);
  static void PressKey(int code);
  static void ReleaseKey(int code);

  static void ClickLeft();
  static void DoubleClickLeft();
  static void PressLeft();
  static void ReleaseLeft();
  static void ClickMiddle();
  static void DoubleClickMiddle();
  static void PressMiddle();
  static void ReleaseMiddle();
  static void ClickRight();
  static void DoubleClickRight();
  static void PressRight();
  static void ReleaseRight();

  // Shows the cursor once more, or hides it whatever its display count;
  // returns the display count reached.
  static int ShowMouseCursor(bool show);

 private:
  static void BuildKeyNames();

  uint32_t m_lastTrue[256];  // timeGetTime of the last true answer, 0 = never
  uint16_t m_interval[256];  // milliseconds stored with that answer
};
