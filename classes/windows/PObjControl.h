// PObjControl: the script class "Control", the abstract base of every
// control class. Its part of a control object holds a copy of the window
// that the control-class part owns or was attached to (PObjControlPart),
// and answers the functions 0-53 that every control shares over that
// window. The class part sets and clears the copy; no one else does.
//
// Every function does nothing without a window; numbers above 53 end in
// PObject::Call.
#pragma once

#include <cstdint>

#include "engine/PObject.h"

class SWnd;

class PObjControl : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'C', 'T', 'R');

  enum Member : uint16_t {
    CENTER = 0,
    ENABLE = 1,
    ENABLE_TOOLTIP = 2,
    GET_ANCHOR = 3,
    GET_TEXT = 4,
    GET_TEXT_LENGTH = 5,
    GET_CLIENT_HEIGHT = 6,
    GET_CLIENT_RECT = 7,
    GET_CLIENT_WIDTH = 8,
    GET_ID = 9,
    GET_NAME = 10,
    GET_PARENT = 11,
    GET_EX_STYLE = 12,
    GET_HEIGHT = 13,
    GET_HANDLE = 14,
    GET_MOUSE = 15,
    GET_MOUSE_X = 16,
    GET_MOUSE_Y = 17,
    GET_RECT = 18,
    GET_SCREEN_RECT = 19,
    GET_STYLE = 20,
    GET_TOOLTIP = 21,
    GET_USER_DATA = 22,
    GET_WIDTH = 23,
    GET_LEFT = 24,
    GET_TOP = 25,
    HAS_FOCUS = 26,
    IS_ENABLED = 27,
    IS_VISIBLE = 28,
    MOVE = 29,
    SCREEN_TO_CLIENT = 30,
    CLIENT_TO_SCREEN = 31,
    SCREEN_TO_CLIENT_RECT = 32,
    CLIENT_TO_SCREEN_RECT = 33,
    REDRAW = 34,
    SET_SIZE = 35,
    SET_ANCHOR = 36,
    SET_TEXT = 37,
    SET_CLIENT_HEIGHT = 38,
    SET_CLIENT_SIZE = 39,
    SET_CLIENT_WIDTH = 40,
    SET_CURSOR = 41,
    SET_EX_STYLE = 42,
    SET_FONT = 43,
    SET_FOCUS = 44,
    SET_HEIGHT = 45,
    SET_MOUSE = 46,
    MOVE_TO_RECT = 47,
    SET_STYLE = 48,
    SET_TOOLTIP = 49,
    SET_USER_DATA = 50,
    SET_WIDTH = 51,
    SHOW = 52,
    SHOW_CURSOR = 53,
    MEMBER_COUNT = 54,
  };

  explicit PObjControl(PObjectDefinition* definition) : PObject(definition), m_window(nullptr) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  // Forgets the window only: the class part owns it.
  bool Release() override;
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;
  // The class part of a module control, which knows nothing of this class,
  // reaches the copy through this.
  void AttachWindow(SWnd* window) override { m_window = window; }

  SWnd* GetWindow() const { return m_window; }
  void SetWindow(SWnd* window) { m_window = window; }

  // The Control part of the object the part belongs to; null when it has
  // none.
  static PObjControl* PartOf(PObject* part);

 private:
  // The functions that read or change the window's place and size.
  bool CallGeometry(uint16_t member, PArgs* args, PResultCell* result);

  SWnd* m_window;  // not owned
};
