// PObjEdit: the script class "Edit", one system edit box (SEditCtrl) with
// its text, selection, lines, scrolling, clipboard commands, undo,
// password character, read-only state, text limit, formatting rectangle,
// and text and background colours.
//
// Its change, Enter and mouse-record events come from the Dialog's router;
// the inner window raises focus, enter, leave and move.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SEditCtrl.h"

class PObjEdit : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'E', 'D', 'T');
  static const int kControlNumber = 7;  // EDIT

  enum Member : uint16_t {
    CAN_UNDO = 0,
    CLEAR = 1,
    COPY = 2,
    CREATE = 3,
    CUT = 4,
    DESTROY = 5,
    SET_READ_ONLY = 6,
    GET_BACK_COLOR = 7,
    GET_LINE_INDEX = 8,
    GET_SEL_END = 9,
    GET_FIRST_VISIBLE_LINE = 10,
    GET_LINE = 11,
    GET_LINE_COUNT = 12,
    GET_LINE_FROM_CHAR = 13,
    GET_LINE_LENGTH = 14,
    GET_LIMIT_TEXT = 15,
    GET_PASSWORD_CHAR = 16,
    GET_SEL_TEXT = 17,
    GET_SEL_START = 18,
    GET_TEXT_RANGE = 19,
    GET_TEXT_COLOR = 20,
    GET_RECT = 21,
    GET_POS_FROM_CHAR = 22,
    IS_MODIFIED = 23,
    PASTE = 24,
    GET_CHAR_FROM_POS = 25,
    SCROLL_LINE = 26,
    SCROLL_PAGE = 27,
    LINE_SCROLL = 28,
    SET_BACK_COLOR = 29,
    SET_LIMIT_TEXT = 30,
    SET_MODIFIED = 31,
    SET_PASSWORD_CHAR = 32,
    SET_SEL = 33,
    REPLACE_SEL = 34,
    SET_TEXT_COLOR = 35,
    SET_RECT = 36,
    UNDO = 37,
    ON_MOUSE = 38,
    ON_CHANGE = 39,
    ON_FOCUS = 40,  // then mouse entered, left and moved
    ON_ENTER = 44,
  };

  // The edit box as a script object's window: raises the focus and mouse
  // events, and is what a description's edit controls are made of.
  class _PEditCtrl : public PObjInnerCtrl<SEditCtrl, ON_FOCUS> {};

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  explicit PObjEdit(PObjectDefinition* definition) : PObjControlPart(definition) {}
};
