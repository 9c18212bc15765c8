// PObjAppCom: the script class "AppCom", texts sent between applications of
// this or any other process. Each object owns a hidden window whose handle
// is its address for others; a text arrives through the framework's string
// transfer and becomes the object's event, with the sender's number and the
// value it attached (an AppCom sender attaches its own window's handle, so
// the receiver can answer).
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/PObject.h"
#include "window/SWnd.h"

class PObjAppCom : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'C', 'O', 'M');

  enum Member : uint16_t {
    GET_HANDLE = 0,
    GET_TARGET = 1,
    SEND = 2,        // (String text, Integer number = 0, Integer target = 0)
    SET_TARGET = 3,  // (Integer target)
    ON_TEXT = 4,     // event (String text, Integer number, Integer sender)
  };

  // The hidden window that receives the transfers and raises the event.
  class _PWnd : public SWnd {
   public:
    explicit _PWnd(PObjAppCom* owner) : m_owner(owner) {}
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

   private:
    PObjAppCom* m_owner;
  };

  explicit PObjAppCom(PObjectDefinition* definition);

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Release() override;
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  _PWnd m_window;
  HWND m_target;  // where a send without a target goes; null = none
};
