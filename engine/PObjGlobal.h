// PObjGlobal: the script class "Global", which holds the language's global
// constants and global functions. The engine makes its one instance when
// the application starts and releases it last; scripts cannot make one.
//
// Its functions are small services: flag words, number and text
// conversions, the command line, object identity, digests, colour words,
// a message box, the locale choice, a busy wait and the application's end.
//
// The functions that need the window framework (the command line, the show
// command, the window under a point, the message box) live in
// PObjGlobalWin32.cpp. The host build compiles programs to check them and
// never runs them; PObjGlobalHost.cpp answers those functions there.
#pragma once

#include <cstdint>

#include "engine/PObject.h"

#ifdef _WIN32
#include "window/SMessageBox.h"
#endif

class PObjGlobal : public PObject {
 public:
  enum Member : uint16_t {
    DO_NOTHING = 0,
    IGNORE_TEXT = 1,
    FROM_UTF8 = 2,
    SET_IDLE_POLLING = 3,
    TO_UTF8 = 4,
    HAS_FLAGS = 5,
    ADD_FLAGS = 6,
    REMOVE_FLAGS = 7,
    TOGGLE_FLAGS = 8,
    FLOAT_TO_INT = 9,
    FLOAT_TO_TEXT = 10,
    FLOAT_TO_GROUPED = 11,
    INT_TO_GROUPED = 12,
    GET_MODULE_PATH = 13,
    GET_EXE_PATH = 14,
    GET_APP_FOLDER = 15,
    IS_SHOWN = 16,
    GET_ARGUMENT = 17,
    GET_ARGUMENT_COUNT = 18,
    CHAR_FROM_CODE = 19,
    CODE_OF_CHAR = 20,
    CONTROL_FROM_HANDLE = 21,
    DIALOG_FROM_HANDLE = 22,
    WINDOW_FROM_POINT = 23,
    GET_CONSTANT_TEXT = 24,
    NEW_LINE = 25,
    ADDRESS_OF = 26,
    TYPE_CODE_OF = 27,
    GET_OBJECT_TEXT = 28,
    INT_TO_FLOAT = 29,
    INT_TO_TEXT = 30,
    IS_ENGINE_MADE = 31,
    MD5 = 32,
    MESSAGE_BOX = 33,
    NEW_OBJECT = 34,
    EXIT = 35,
    SET_OBJECT_TEXT = 36,
    SET_REGION = 37,
    SHA1 = 38,
    WAIT = 39,
    TEXT_TO_FLOAT = 40,
    TEXT_TO_INT = 41,
    ARGB = 42,
    COLOR_REF = 43,
    RGB = 44,
  };

  explicit PObjGlobal(PObjectDefinition* definition);
  ~PObjGlobal() override = default;

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  // Member 34: makes an object of the class with that TypeCode as the
  // script's new operation makes one, into made (null when making it
  // failed). False when no class has the TypeCode or its class cannot have
  // objects of its own: no factory (Void, Pointer), abstract (Control) or
  // Global itself.
  bool NewObjectOf(TypeCode typeCode, PObject*& made) const;

  // Waits by polling the millisecond clock until ms milliseconds passed;
  // the thread does nothing else meanwhile. A count below 0 waits nothing.
  static void BusyWait(int64_t ms);

#ifdef _WIN32
  const SMessageBox& GetMessageBox() const { return m_messageBox; }
#endif

 private:
  // The members that reach the window framework (PObjGlobalWin32.cpp, or
  // PObjGlobalHost.cpp in the host build).
  bool CallPlatform(uint16_t member, PArgs* args, PResultCell* result);

#ifdef _WIN32
  // The settings of the box member 33 shows; they keep the last caption,
  // text and styles between calls.
  SMessageBox m_messageBox;
#endif
};
