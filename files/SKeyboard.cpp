#include "files/SKeyboard.h"

#include <windows.h>

#include <cstring>

#include "core/Platform.h"
#include "core/SStringArray.h"
#include "files/GlobalObjects.h"

namespace {

// The names live in KeyNameTable, one of the framework's objects with
// static lifetime: built by the first SKeyboard and only read afterwards.

// Named codes outside the digit, letter, numeric-pad and function-key runs.
struct NamedKey {
  int code;
  const char* name;
};
const NamedKey kNamedKeys[] = {
    {1, "LBUTTON"},   {2, "RBUTTON"},   {3, "CANCEL"},    {4, "MBUTTON"},
    {8, "BACK"},      {9, "TAB"},       {12, "CLEAR"},    {13, "RETURN"},
    {16, "SHIFT"},    {17, "CONTROL"},  {18, "MENU"},     {19, "PAUSE"},
    {20, "CAPITAL"},  {27, "ESCAPE"},   {32, "SPACE"},    {33, "PRIOR"},
    {34, "NEXT"},     {35, "END"},      {36, "HOME"},     {37, "LEFT"},
    {38, "UP"},       {39, "RIGHT"},    {40, "DOWN"},     {41, "SELECT"},
    {43, "EXECUTE"},  {44, "SNAPSHOT"}, {45, "INSERT"},   {46, "DELETE"},
    {47, "HELP"},     {91, "LWIN"},     {92, "RWIN"},     {93, "APPS"},
    {106, "MULTIPLY"}, {107, "ADD"},    {108, "SEPARATOR"}, {109, "SUBTRACT"},
    {110, "DECIMAL"}, {111, "DIVIDE"},  {144, "NUMLOCK"}, {145, "SCROLL"},
    {246, "ATTN"},    {247, "CRSEL"},   {248, "EXSEL"},   {249, "EREOF"},
    {250, "PLAY"},    {251, "ZOOM"},    {253, "PA1"},
};

void SetKeyName(int code, const char* name) { KeyNameTable.GetAt(code)->SetText(name); }

bool IsHeld(int code) { return (GetAsyncKeyState(code) & 0x8000) != 0; }
bool IsToggled(int code) { return (GetKeyState(code) & 1) != 0; }

void SendMouse(DWORD flags) { mouse_event(flags, 0, 0, 0, 0); }

}  // namespace

// ---- Input state ------------------------------------------------------------------

bool IsKeyDown(int code) { return IsHeld(code); }
bool IsShiftDown() { return IsHeld(VK_SHIFT); }
bool IsLeftShiftDown() { return IsHeld(VK_LSHIFT); }
bool IsControlDown() { return IsHeld(VK_CONTROL); }
bool IsLeftControlDown() { return IsHeld(VK_LCONTROL); }
bool IsRightControlDown() { return IsHeld(VK_RCONTROL); }
bool IsAltDown() { return IsHeld(VK_MENU); }
bool IsLeftAltDown() { return IsHeld(VK_LMENU); }
bool IsRightAltDown() { return IsHeld(VK_RMENU); }
bool IsControlAltDown() { return IsControlDown() && IsAltDown(); }
bool IsCapsLockOn() { return IsToggled(VK_CAPITAL); }
bool IsNumLockOn() { return IsToggled(VK_NUMLOCK); }
bool IsLeftButtonDown() { return IsHeld(VK_LBUTTON); }
bool IsRightButtonDown() { return IsHeld(VK_RBUTTON); }
bool IsMiddleButtonDown() { return IsHeld(VK_MBUTTON); }

// ---- Key names --------------------------------------------------------------------

SKeyboard::SKeyboard() {
  if (KeyNameTable.GetCount() == 0) BuildKeyNames();
  memset(m_lastTrue, 0, sizeof m_lastTrue);
  memset(m_interval, 0, sizeof m_interval);
}

SKeyboard::~SKeyboard() {}

void SKeyboard::BuildKeyNames() {
  KeyNameTable.Add("", -1, 256);
  for (const NamedKey& key : kNamedKeys) SetKeyName(key.code, key.name);
  char text[8];
  for (int i = 0; i < 10; i++) {
    text[0] = char('0' + i);
    text[1] = 0;
    SetKeyName('0' + i, text);
    strcpy(text, "NUM0");
    text[3] = char('0' + i);
    SetKeyName(VK_NUMPAD0 + i, text);
  }
  for (int i = 0; i < 26; i++) {
    text[0] = char('A' + i);
    text[1] = 0;
    SetKeyName('A' + i, text);
  }
  for (int i = 0; i < 16; i++) {
    SString name = SString("F") + SString::FromInt(i + 1);
    SetKeyName(VK_F1 + i, name.GetText());
  }
}

void SKeyboard::FreeKeyNames() { KeyNameTable.FreeStorage(); }

SString SKeyboard::GetKeyName(int code) { return KeyNameTable.GetString(code); }

// ---- Shift state and repeating keys -------------------------------------------------

int SKeyboard::GetShiftState() {
  return (IsControlDown() ? SC_CTRL : SC_NONE) | (IsShiftDown() ? SC_SHIFT : SC_NONE);
}

bool SKeyboard::IsKeyDownRepeating(int code, int interval) {
  if (code < 0 || code > 255 || !IsKeyDown(code)) return false;
  uint32_t now = PlatformMilliseconds();
  if (m_lastTrue[code] != 0 && now - m_lastTrue[code] < m_interval[code]) return false;
  // Intervals beyond what 16 bits hold are kept at the longest they can be,
  // rather than wrapping round to a short one.
  if (interval < 0) interval = 0;
  if (interval > 0xFFFF) interval = 0xFFFF;
  m_interval[code] = uint16_t(interval);
  m_lastTrue[code] = now;
  return true;
}

// ---- Synthesised input --------------------------------------------------------------

void SKeyboard::TapKey(int code) {
  PressKey(code);
  ReleaseKey(code);
}

void SKeyboard::PressKey(int code) { keybd_event(BYTE(code), 0, 0, 0); }
void SKeyboard::ReleaseKey(int code) { keybd_event(BYTE(code), 0, KEYEVENTF_KEYUP, 0); }

void SKeyboard::ClickLeft() {
  PressLeft();
  ReleaseLeft();
}
void SKeyboard::DoubleClickLeft() {
  ClickLeft();
  ClickLeft();
}
void SKeyboard::PressLeft() { SendMouse(MOUSEEVENTF_LEFTDOWN); }
void SKeyboard::ReleaseLeft() { SendMouse(MOUSEEVENTF_LEFTUP); }

void SKeyboard::ClickMiddle() {
  PressMiddle();
  ReleaseMiddle();
}
void SKeyboard::DoubleClickMiddle() {
  ClickMiddle();
  ClickMiddle();
}
void SKeyboard::PressMiddle() { SendMouse(MOUSEEVENTF_MIDDLEDOWN); }
void SKeyboard::ReleaseMiddle() { SendMouse(MOUSEEVENTF_MIDDLEUP); }

void SKeyboard::ClickRight() {
  PressRight();
  ReleaseRight();
}
void SKeyboard::DoubleClickRight() {
  ClickRight();
  ClickRight();
}
void SKeyboard::PressRight() { SendMouse(MOUSEEVENTF_RIGHTDOWN); }
void SKeyboard::ReleaseRight() { SendMouse(MOUSEEVENTF_RIGHTUP); }

int SKeyboard::ShowMouseCursor(bool show) {
  if (show) return ShowCursor(TRUE);
  int count;
  do {
    count = ShowCursor(FALSE);
  } while (count >= 0);
  return count;
}
