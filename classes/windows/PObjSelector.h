// PObjSelector: the script class "Selector", through which a program asks
// the user for a colour, a date, a folder, a font or files. The pickers are
// SSelector's (the system's common dialogs and the framework's own colour
// and date popups), run modally over the owner the program names; the
// selector keeps the last choices for the program to read.
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "window/SSelector.h"

class PObjSelector : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'S', 'E', 'L');

  enum Member : uint16_t {
    PICK_COLOR_DIALOG = 0,
    PICK_DATE = 1,
    PICK_FOLDER = 2,
    PICK_FONT = 3,
    PICK_COLOR = 4,
    GET_COLOR = 5,
    GET_DATE = 6,
    GET_FOLDER = 7,
    GET_FONT = 8,
    GET_FONT_NAME = 9,
    GET_FONT_SIZE = 10,
    GET_FONT_STYLE = 11,
    GET_FILE = 12,
    GET_FILE_COUNT = 13,
    GET_FILES = 14,
    GET_SAVE_FILE = 15,
    PICK_OPEN_FILES = 16,
    PICK_SAVE_FILE = 17,
    SET_OWNER = 18,
    MEMBER_COUNT = 19,
  };

  explicit PObjSelector(PObjectDefinition* definition) : PObject(definition), m_selector(nullptr) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  SSelector m_selector;
};
