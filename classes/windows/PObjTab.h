// PObjTab: the script class "Tab", a tab control ("SysTabControl32") whose
// pages show the controls attached to them.
//
// The attachments are the framework tab control's (STabCtrl): it keeps the
// windows by handle and forgets one whose window has gone, so a control
// destroyed while attached (its Destroy function, its object released,
// its dialog closed) is never shown or hidden by a later page change.
#pragma once

#include <windows.h>

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/STabCtrl.h"

class PObjTab : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'T', 'A', 'B');
  static const int kControlNumber = 30;

  enum Member : uint16_t {
    ATTACH = 0,
    CREATE = 1,
    DESTROY = 2,
    GET_PAGE_RECT = 3,
    GET_PAGE_COUNT = 4,
    GET_PAGE_TEXT = 5,
    GET_PAGE_TIP = 6,
    GET_SELECTION = 7,
    GET_SELECTED_TEXT = 8,
    INSERT_PAGE = 9,
    DETACH = 10,
    REMOVE_ALL = 11,
    SET_PAGE_TEXT = 12,
    SET_PAGE_TIP = 13,
    SELECT_PAGE = 14,
    // Events.
    ON_MOUSE = 15,
    ON_FOCUS = 16,
    ON_MOUSE_ENTER = 17,
    ON_MOUSE_LEAVE = 18,
    ON_MOUSE_MOVE = 19,
    ON_PAGE_CHANGED = 20,
    MEMBER_COUNT = 21,
  };

  using _PTabCtrl = PObjInnerCtrl<STabCtrl, ON_FOCUS>;

  explicit PObjTab(PObjectDefinition* definition) : PObjControlPart(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  bool CallWindowFunction(uint16_t member, PArgs* args, PResultCell* result);
};
