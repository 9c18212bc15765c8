// PObjToolBar: the script class "ToolBar", a row of command buttons
// (SToolBarCtrl) that a program fills by command id, or the tool bar of a
// loaded dialog description.
//
// A press reaches the Dialog's router as the tool bar's command report:
// the dialog's own tool bar (the description's) raises Dialog event 133
// there, any other its own event 17.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjImageList.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SToolBarCtrl.h"

class PObjToolBar : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'T', 'O', 'B');
  static const int kControlNumber = 32;  // TOOLBAR

  enum Member : uint16_t {
    ADD_BUTTON = 0,
    ADD_SEPARATOR = 1,
    CREATE = 2,
    DELETE_BUTTON = 3,
    DESTROY = 4,
    ENABLE_BUTTON = 5,
    IS_CHECKED = 6,
    GET_BUTTON_COUNT = 7,
    GET_BUTTON_ID = 8,
    GET_BUTTON_INDEX = 9,
    GET_BUTTON_TEXT = 10,
    MOVE_BUTTON = 11,
    IS_ENABLED = 12,
    IS_VISIBLE = 13,
    SET_IMAGE_LIST = 14,
    CHECK_BUTTON = 15,
    SHOW_BUTTON = 16,
    ON_COMMAND = 17,
  };

  // The tool bar as a script object's window. It holds a share of the
  // image list it draws from, so that the list outlives the ImageList
  // object that made it whenever the tool bar does.
  class _PToolBarCtrl : public PObjInnerCtrl<SToolBarCtrl, -1> {
   public:
    // The system control is gone before the list it drew from.
    ~_PToolBarCtrl() override { Destroy(); }
    // An empty use takes the list away.
    void SetImages(ImageListUse use);

   private:
    ImageListUse m_images;
  };

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  explicit PObjToolBar(PObjectDefinition* definition) : PObjControlPart(definition) {}
};
