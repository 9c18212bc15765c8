// PObjTrayIcon: the script class "TrayIcon", one icon with a tool tip in
// the notification area of the task bar, whose mouse actions the program
// receives as event 8.
//
// The icon belongs to a hidden tray window (STrayIcon), made by function 5
// and destroyed by function 0 or release. Its reports go to a message
// window that the object makes at construction, which raises the event on
// the tray window's script object.
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "window/STrayIcon.h"
#include "window/SWnd.h"

class PObjTrayIcon : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'T', 'R', 'A');

  enum Member : uint16_t {
    DESTROY = 0,
    GET_TIP = 1,
    SET_ICON_FILE = 2,
    SET_ICON_PATH = 3,
    SET_ICON_RESOURCE = 4,
    CREATE = 5,
    SET_TIP = 6,
    SHOW = 7,
    ON_MOUSE = 8,
    MEMBER_COUNT = 9,
  };

  class _PTrayIcon : public STrayIcon {};

  // Receives the tray window's mouse reports.
  class _PWnd : public SWnd {
   public:
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  };

  explicit PObjTrayIcon(PObjectDefinition* definition);
  ~PObjTrayIcon() override;

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;
  bool Release() override;

 private:
  // The icon of a decoded picture; false when it does not decode or
  // makes no icon.
  bool SetIconFromStream(SFile* stream);
  void DestroyTray();

  _PTrayIcon m_tray;
  PObjTrayIcon* m_self;  // the tray window's script object, set again whenever it is destroyed
  _PWnd m_messages;
};
