// PObjExList: the script class "ExList", a list view ("SysListView32")
// with columns, items in ranges, sorting by one column's texts, label
// editing and the list view's events.
//
// Items and columns live in the common control. The one state of the
// class is the image lists the list draws from: it holds a use of each
// (ImageListUse), so that a list the ImageList object lets go of stays
// alive until this list has stopped drawing from it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjImageList.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SExListCtrl.h"

class PObjExList : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'E', 'L', 'I');
  static const int kControlNumber = 8;

  enum Member : uint16_t {
    SELECT_RANGE = 0,
    AUTO_SIZE_COLUMNS = 1,
    ARRANGE = 2,
    CREATE = 3,
    DELETE_COLUMN = 4,
    DELETE_ITEM = 5,
    DELETE_SELECTED = 6,
    DESTROY = 7,
    EDIT_LABEL = 8,
    ENSURE_VISIBLE = 9,
    FIND_TEXT = 10,
    GET_SELECTED_ITEMS = 11,
    GET_BACK_COLOR = 12,
    GET_COLUMN_COUNT = 13,
    GET_COLUMN_TEXT = 14,
    GET_COLUMN_WIDTH = 15,
    GET_ITEM_COUNT = 16,
    GET_COUNT_PER_PAGE = 17,
    HIT_TEST = 18,
    GET_ITEM_IMAGE = 19,
    GET_ITEM_POSITION = 20,
    GET_ITEM_RECT = 21,
    GET_ITEM_SPACING = 22,
    GET_ITEM_TEXT = 23,
    GET_NEXT_ITEM = 24,
    GET_SELECTED_COUNT = 25,
    GET_SELECTION = 26,
    GET_SUB_ITEM_RECT = 27,
    SUB_ITEM_HIT_TEST = 28,
    GET_TEXT_COLOR = 29,
    GET_STRING_WIDTH = 30,
    GET_TOP_INDEX = 31,
    INSERT_COLUMN = 32,
    INSERT_ITEM = 33,
    REMOVE_ALL = 34,
    SET_BACK_COLOR = 35,
    SET_COLUMN_TEXT = 36,
    SET_COLUMN_WIDTH = 37,
    SET_IMAGE_LIST = 38,
    SET_ITEM_IMAGE = 39,
    SET_ICON_SPACING = 40,
    SET_ITEM_TEXT = 41,
    SET_SELECTION = 42,
    SET_TEXT_COLOR = 43,
    SORT = 44,
    DESELECT_RANGE = 45,
    TOGGLE_RANGE = 46,
    // Events.
    ON_BEGIN_LABEL_EDIT = 47,
    ON_MOUSE = 48,
    ON_LABEL_EDIT_CANCELLED = 49,
    ON_END_LABEL_EDIT = 50,
    ON_FOCUS = 51,
    ON_KEY_DOWN = 52,
    ON_MOUSE_ENTER = 53,
    ON_MOUSE_LEAVE = 54,
    ON_MOUSE_MOVE = 55,
    ON_COLUMN_CLICK = 56,
    ON_ITEM_CHANGED = 57,
    MEMBER_COUNT = 58,
  };

  // The key event (52) sits between the focus event and the three mouse
  // events, so this window numbers the four common events itself.
  class _PExListCtrl : public PObjInnerCtrl<SExListCtrl, ON_FOCUS> {
   protected:
    void RaiseEvents(UINT message, WPARAM wparam, LPARAM lparam) override;
  };

  explicit PObjExList(PObjectDefinition* definition) : PObjControlPart(definition) {}
  ~PObjExList() override;

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Release() override;
  void AttachWindow(SWnd* window) override;
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  // Functions 0-46 other than Create and Destroy, with a window
  // (PObjExListFunctions.cpp).
  bool CallWindowFunction(uint16_t member, PArgs* args, PResultCell* result);
  // Function 38: the list view takes the new list before the old one may go.
  void SetImageList(PObjImageList* images, bool small);
  // The list view stops drawing from the image lists, then they are let go:
  // before the window goes or is exchanged.
  void DropImageLists();

  ImageListUse m_normalImages;
  ImageListUse m_smallImages;
};
