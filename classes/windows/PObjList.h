// PObjList: the script class "List", the framework's owner-drawn list box
// (SListCtrl) of items with a text, a left and a right image and a user
// value, as programs use it: functions 0-42, events 43-50.
//
// The image lists the list draws with are held by the inner window as
// ImageList uses: a list dropped by its ImageList object lives on while the
// list box still draws from it.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjImageList.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SListCtrl.h"

class PObjList : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'L', 'I', 'S');
  static constexpr int kControlNumber = 17;
  static constexpr int kFocusEvent = 44;
  static constexpr int kMouseEnteredEvent = 46;

  enum Member : uint16_t {
    CREATE = 0,
    REMOVE_ITEM = 1,
    REMOVE_SELECTED = 2,
    DESTROY = 3,
    FIND_PREFIX = 4,
    FIND_EXACT = 5,
    GET_SELECTED_ITEMS = 6,
    GET_BACK_COLOR = 7,
    GET_COUNT = 8,
    GET_VISIBLE_COUNT = 9,
    GET_ITEM_VALUE = 10,
    ITEM_FROM_POINT = 11,
    GET_ITEM_HEIGHT = 12,
    GET_LEFT_IMAGE = 13,
    GET_RIGHT_IMAGE = 14,
    GET_ITEM_RECT = 15,
    GET_ITEM_TEXT = 16,
    GET_IDEAL_WIDTH = 17,
    GET_SELECTED_COUNT = 18,
    GET_SELECTION = 19,
    GET_SELECTED_TEXT = 20,
    GET_TEXT_COLOR = 21,
    GET_TOP_INDEX = 22,
    INSERT_ITEM = 23,
    INSERT_ITEMS = 24,
    IS_SELECTED = 25,
    REMOVE_ALL = 26,
    SCROLL_PAGE = 27,
    SET_BACK_COLOR = 28,
    SET_SELECTION_COLORS = 29,
    SET_LEFT_IMAGES = 30,
    SET_RIGHT_IMAGES = 31,
    SET_ITEM_VALUE = 32,
    SET_LEFT_IMAGE = 33,
    SET_RIGHT_IMAGE = 34,
    SELECT_ITEM = 35,
    SET_ITEM_TEXT = 36,
    SELECT_RANGE = 37,
    SET_SELECTION = 38,
    SET_SELECTED_TEXT = 39,
    SET_TEXT_COLOR = 40,
    SELECT_TEXT = 41,
    SET_TOP_INDEX = 42,
    MEMBER_COUNT = 43,
  };

  // The list's window: the framework list with the class's events and the
  // uses of its image lists. The key event 45 sits between the focus event
  // and the three mouse events, so the list numbers all four itself.
  class _PListCtrl : public PObjInnerCtrl<SListCtrl, kFocusEvent> {
   public:
    ~_PListCtrl() override;
    // Takes the use (an empty one removes the side's list).
    void SetLeftImages(ImageListUse use);
    void SetRightImages(ImageListUse use);

   protected:
    void RaiseEvents(UINT message, WPARAM wparam, LPARAM lparam) override;

   private:
    // Every item takes the height the images and the font now need.
    void Remeasure();
    ImageListUse m_leftImages, m_rightImages;
  };

  explicit PObjList(PObjectDefinition* definition) : PObjControlPart(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  // The functions that need the window, which is there.
  bool CallWithWindow(_PListCtrl* list, uint16_t member, PArgs* args, PResultCell* result);
};
