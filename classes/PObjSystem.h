// PObjSystem: the script class "System": questions about the machine and
// the logged-on user (names, screen, fonts, network adapters, running
// copies of the program, the system's version) and the system's actions
// (fonts, file associations, ending the session), through SSystem.
//
// Fonts a program adds to the font table are its own: the object keeps
// their list, removes only those, and takes them all out again when it
// goes, so that they do not outlive the program.
#pragma once

#include <cstdint>

#include "core/SStringArray.h"
#include "engine/PObject.h"

class PObjSystem : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'S', 'Y', 'S');

  enum Member : uint16_t {
    ADD_FONT = 0,
    GET_COMPUTER_NAME = 1,
    GET_OWNER_NAME = 2,
    GET_COUNTRY = 3,
    GET_WORK_AREA = 4,
    GET_FONT_NAMES = 5,
    GET_MAC_ADDRESS = 6,
    GET_MAC_ADDRESSES = 7,
    COUNT_INSTANCES = 8,
    GET_SCREEN_DEPTH = 9,
    GET_SCREEN_HEIGHT = 10,
    GET_SCREEN_WIDTH = 11,
    GET_USER_NAME = 12,
    GET_OS_VERSION = 13,
    INSTALL_FONT = 14,
    IS_NT_FAMILY = 15,
    LOG_OFF = 16,
    RESTART = 17,
    REMOVE_FONT = 18,
    SET_FILE_ASSOCIATION = 19,
    SHUT_DOWN = 20,
    MEMBER_COUNT = 21,
  };

  explicit PObjSystem(PObjectDefinition* definition) : PObject(definition) {}
  ~PObjSystem() override;

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  SStringArray m_fonts;  // the font files this object added, full paths in lower case
};
