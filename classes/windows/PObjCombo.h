// PObjCombo: the script class "Combo", the system combo box (SComboCtrl)
// with item texts, user values and heights, searches, the text of the
// selection field and a file listing: functions 0-24, events 25-31.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SComboCtrl.h"

class PObjCombo : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'C', 'B', 'X');
  static constexpr int kControlNumber = 6;
  static constexpr int kFocusEvent = 27;

  enum Member : uint16_t {
    CREATE = 0,
    REMOVE_ITEM = 1,
    DESTROY = 2,
    ADD_FILES = 3,
    FIND_PREFIX = 4,
    FIND_EXACT = 5,
    GET_TEXT = 6,
    GET_COUNT = 7,
    GET_ITEM_VALUE = 8,
    GET_ITEM_HEIGHT = 9,
    GET_ITEM_TEXT = 10,
    GET_ITEM_TEXT_LENGTH = 11,
    GET_SELECTION = 12,
    GET_SELECTED_TEXT = 13,
    GET_TOP_INDEX = 14,
    INSERT_ITEM = 15,
    REMOVE_ALL = 16,
    SET_TEXT = 17,
    SET_ITEM_VALUE = 18,
    SET_ITEM_HEIGHT = 19,
    SET_ITEM_TEXT = 20,
    SET_SELECTION = 21,
    SET_SELECTED_TEXT = 22,
    SELECT_TEXT = 23,
    SET_TOP_INDEX = 24,
    MEMBER_COUNT = 25,
  };

  // The files CB_DIR lists: read-only, system and archive ones besides the
  // plain ones.
  static constexpr UINT kFileAttributes = DDL_READONLY | DDL_SYSTEM | DDL_ARCHIVE;

  using _PComboCtrl = PObjInnerCtrl<SComboCtrl, kFocusEvent>;

  explicit PObjCombo(PObjectDefinition* definition) : PObjControlPart(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  // The functions that need the window, which is there.
  bool CallWithWindow(SComboCtrl* combo, uint16_t member, PArgs* args, PResultCell* result);
};
