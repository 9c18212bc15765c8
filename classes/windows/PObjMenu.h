// PObjMenu: the script class "Menu", one framework menu (a menu bar or a
// popup) whose items a program inserts, queries and shows, or one of the
// menus a Dialog loaded with its description or a menu file.
//
// A menu may outlive its Menu object: an item of another menu that opens it
// (function 11), or a Dialog showing it as its menu bar (Dialog function
// 96), holds it too, and it is deleted with its last holder. A program may
// thus build a submenu in a function and let the Menu object go at the
// function's end while the parent still opens the menu. The image list the
// items take their pictures from is held the same way (ImageListUse).
#pragma once

#include <cstdint>

#include "classes/windows/PObjImageList.h"
#include "core/SArray.h"
#include "engine/PObject.h"
#include "window/SMenu.h"

class PObjMenu : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'M', 'N', 'U');

  enum Member : uint16_t {
    DELETE_MENU = 0,
    REMOVE_ITEM = 1,
    ENABLE_ITEM = 2,
    IS_CHECKED = 3,
    GET_COUNT = 4,
    GET_DATA = 5,
    GET_ID = 6,
    FIND_ITEM = 7,
    GET_TEXT = 8,
    GET_NAME = 9,
    INSERT_ITEM = 10,
    INSERT_SUBMENU = 11,
    INSERT_SEPARATOR = 12,
    IS_DISABLED = 13,
    CREATE = 14,
    REMOVE_ALL = 15,
    SET_IMAGE_LIST = 16,
    CHECK_ITEM = 17,
    SET_DATA = 18,
    SET_TEXT = 19,
    SET_NAME = 20,
    SHOW_AT_CURSOR = 21,
    SHOW_AT = 22,
    TOGGLE_CHECK = 23,
    // Event.
    ON_COMMAND = 24,
    MEMBER_COUNT = 25,
  };

  // The framework menu with its Menu object and its holders.
  class _PMenu : public SMenu {
   public:
    // The maker holds the new menu once.
    _PMenu() = default;
    ~_PMenu() override;

    void Hold() { m_holds++; }
    // Deletes the menu when no holder is left.
    static void Drop(_PMenu* menu);

    PObject* GetOwnerObject() const { return m_ownerObject; }
    void SetOwnerObject(PObject* object) { m_ownerObject = object; }
    bool IsDialogOwned() const { return m_dialogOwned != 0; }
    void SetDialogOwned(bool owned) { m_dialogOwned = owned ? 1 : 0; }

    // Raises Menu event 24 unless a Dialog owns the menu: its commands
    // are the Dialog's.
    void OnCommand(int position, int id) override;

    // The list stays alive while the menu holds the use; null detaches.
    void UseImageList(ImageListUse use);
    // Inserts an item opening the submenu, which it holds from then on;
    // false for a submenu that opens this menu (or is it), which would
    // make the menu its own ancestor.
    bool InsertHeldSubMenu(int id, _PMenu* subMenu, const char* text, int imageIndex, int position,
                           uint32_t userData, bool checked, bool disabled);
    // Removing items lets go of the submenus they held.
    bool RemoveHeldItem(int id);
    bool RemoveAllHeld();

   private:
    // Lets go of the held submenus that no item opens any more.
    void DropUnopened();

    PObject* m_ownerObject = nullptr;  // not owned; null once the object let go
    uint8_t m_dialogOwned = 0;
    int m_holds = 1;
    SArray<_PMenu*> m_opened;  // submenus held by items, one entry per item
    ImageListUse m_images;
  };

  explicit PObjMenu(PObjectDefinition* definition) : PObject(definition) {}
  ~PObjMenu() override { SetMenu(nullptr); }

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Release() override;
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  _PMenu* GetMenu() const { return m_menu; }
  // Takes over the maker's hold of the menu (null: none), letting go of the
  // menu there was.
  void SetMenu(_PMenu* menu);

  // Argument i as a Menu; null when missing or of another class.
  static PObjMenu* GetArgMenu(const PArgs* args, int i);

 private:
  // The functions that need a menu; called only when there is one.
  bool CallOnMenu(uint16_t member, PArgs* args, PResultCell* result);

  _PMenu* m_menu = nullptr;  // one hold
};
