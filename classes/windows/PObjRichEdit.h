// PObjRichEdit: the script class "RichEdit", a control over the framework's
// rich edit: the selection, plain-text clipboard commands, undo and redo,
// the character format of the selection, and the contents loaded and saved
// as plain text or RTF through files, disk paths and resources.
//
// Loading and saving answer whether the whole stream went through: a source
// that cannot be opened leaves the contents, and a stream that fails part
// way answers false.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SRichEditCtrl.h"

class PObjRichEdit : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'R', 'E', 'D');
  static const int16_t kControlNumber = 24;

  enum Member : uint16_t {
    COLLAPSE_SELECTION = 0,
    COPY = 1,
    CREATE = 2,
    CUT = 3,
    DELETE_SELECTION = 4,
    DESTROY = 5,
    GET_SEL_START = 6,
    GET_FORMAT = 7,
    GET_SEL_LENGTH = 8,
    GET_SEL_TEXT = 9,
    LOAD_FROM_FILE = 10,
    LOAD_FROM_PATH = 11,
    LOAD_FROM_RESOURCE = 12,
    CLEAR = 13,
    PASTE = 14,
    REDO = 15,
    SAVE_TO_FILE = 16,
    SAVE_TO_PATH = 17,
    SELECT_ALL = 18,
    SET_SEL = 19,
    SET_FORMAT = 20,
    SET_FORMAT_VALUES = 21,
    REPLACE_SELECTION = 22,
    UNDO = 23,
    EVENT_MOUSE = 24,
    EVENT_CHANGED = 25,
    EVENT_FOCUS = 26,
    MEMBER_COUNT = 30,
  };

  // The window of a RichEdit: the framework rich edit raising the common
  // control events.
  class _PRichEditCtrl : public PObjInnerCtrl<SRichEditCtrl, EVENT_FOCUS> {};

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  explicit PObjRichEdit(PObjectDefinition* definition) : PObjControlPart(definition) {}

  bool CallOnWindow(SRichEditCtrl* edit, uint16_t member, PArgs* args, PResultCell* result);
  bool CallStreams(SRichEditCtrl* edit, uint16_t member, PArgs* args, PResultCell* result);
};
