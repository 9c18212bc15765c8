// PObjTree: the script class "Tree", the framework tree (STreeCtrl) as
// programs use it: functions 0-76, events 77-93. Items pass to scripts as
// Integers holding their handles; a handle that is not one of the tree's
// live items now (made up, or deleted, also by a handler in the middle of
// a copy) gives no result and never reaches the tree view.
//
// The image list the tree draws with is held by the inner window as an
// ImageList use, so that it lives while the tree view still draws from it.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjImageList.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/STreeCtrl.h"

class PObjTree : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'T', 'R', 'E');
  static constexpr int kControlNumber = 33;
  static constexpr int kFocusEvent = 88;

  enum Member : uint16_t {
    COPY_ITEM = 0,
    CREATE = 1,
    DELETE_CHILDREN = 2,
    DELETE_ITEM = 3,
    DESTROY = 4,
    END_FOLDER_MODE = 5,
    SET_AUTO_CHECK = 6,
    SET_CASE_SENSITIVE = 7,
    ENSURE_VISIBLE = 8,
    EXPAND = 9,
    BROWSE_FOLDER = 10,
    FIND_CHILD = 11,
    FIND_CHILD_BY_VALUE = 12,
    FIND_ANCESTOR = 13,
    FIND_ANCESTOR_BY_VALUE = 14,
    GET_BACK_COLOR = 15,
    COUNT_PARENTS = 16,
    GET_CHECKED_ITEMS = 17,
    GET_CHILD = 18,
    GET_CHILD_COUNT = 19,
    GET_BRANCH_ITEMS = 20,
    GET_FIRST_SIBLING = 21,
    GET_NEXT_IN_ORDER = 22,
    GET_INDENT = 23,
    GET_CHILD_AT = 24,
    IS_BOLD = 25,
    IS_CHECKED = 26,
    GET_COUNT = 27,
    GET_ITEM_VALUE = 28,
    HIT_TEST = 29,
    GET_ITEM_IMAGE = 30,
    GET_SIBLING_INDEX = 31,
    GET_ITEM_PATH = 32,
    GET_ITEM_RECT = 33,
    GET_ITEM_TEXT = 34,
    GET_LAST_SIBLING = 35,
    GET_LEVEL = 36,
    GET_LINE_COLOR = 37,
    GET_NEXT_SIBLING = 38,
    GET_NEXT_VISIBLE = 39,
    GET_PARENT = 40,
    GET_PREVIOUS_SIBLING = 41,
    GET_PREVIOUS_VISIBLE = 42,
    GET_SELECTION = 43,
    GET_SELECTED_PATH = 44,
    GET_SELECTED_TEXT = 45,
    GET_TEXT_COLOR = 46,
    GET_VISIBLE_COUNT = 47,
    INSERT_ITEM = 48,
    IS_AUTO_CHECK = 49,
    IS_CASE_SENSITIVE = 50,
    IS_DESCENDANT = 51,
    IS_FOLDER_MODE = 52,
    IS_EXPANDED = 53,
    LOAD_FILE = 54,
    LOAD_PATH = 55,
    LOAD_RESOURCE = 56,
    LOAD_XML = 57,
    MOVE_ITEM = 58,
    REMOVE_ALL = 59,
    SAVE_FILE = 60,
    SAVE_PATH = 61,
    SAVE_XML = 62,
    SET_BACK_COLOR = 63,
    SET_BRANCH_CHECK = 64,
    SET_IMAGE_LIST = 65,
    SET_INDENT = 66,
    SET_BOLD = 67,
    SET_CHECK = 68,
    SET_ITEM_VALUE = 69,
    SET_ITEM_IMAGE = 70,
    SET_ITEM_TEXT = 71,
    SET_LINE_COLOR = 72,
    SELECT_PATH = 73,
    SELECT_ITEM = 74,
    SET_SELECTED_TEXT = 75,
    SET_TEXT_COLOR = 76,
    MEMBER_COUNT = 77,
  };

  // The tree's window: the framework tree with the class's events and the
  // use of its image list.
  class _PTreeCtrl : public PObjInnerCtrl<STreeCtrl, kFocusEvent> {
   public:
    ~_PTreeCtrl() override;
    // Takes the use (an empty one removes the list).
    void SetImages(ImageListUse use);

   private:
    ImageListUse m_images;
  };

  explicit PObjTree(PObjectDefinition* definition) : PObjControlPart(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  // The functions that need the window, which is there: the item
  // arguments are checked first, then the call goes to its family: the
  // functions of one item, those of the whole tree, copies and moves, files.
  bool CallWithWindow(_PTreeCtrl* tree, uint16_t member, PArgs* args, PResultCell* result);
  bool CallItems(_PTreeCtrl* tree, uint16_t member, PArgs* args, PResultCell* result);
  bool CallTreeWide(_PTreeCtrl* tree, uint16_t member, PArgs* args, PResultCell* result);
  // Functions 0 and 58.
  bool CopyOrMove(_PTreeCtrl* tree, bool move, PArgs* args, PResultCell* result);
  // The tree files and Xml documents, functions 54-57 and 60-62.
  bool CallFiles(_PTreeCtrl* tree, uint16_t member, PArgs* args, PResultCell* result);
};
