// The Global functions that reach the window framework: the command line
// and the paths recorded at start, the show command, the window under a
// screen point and the message box.
#include <windows.h>

#include <cstdint>

#include "engine/PObjGlobal.h"
#include "window/Framework.h"
#include "window/FrameworkCommandLine.h"

// The box belongs to no window: it is the application's own.
PObjGlobal::PObjGlobal(PObjectDefinition* definition)
    : PObject(definition), m_messageBox(nullptr) {}

bool PObjGlobal::CallPlatform(uint16_t member, PArgs* args, PResultCell* result) {
  switch (member) {
    case GET_MODULE_PATH: return ReturnString(result, GetModulePath().GetText());
    case GET_EXE_PATH: return ReturnString(result, GetExePath().GetText());
    case IS_SHOWN: return ReturnBool(result, GetShowCommand() != 0);
    case GET_ARGUMENT: {
      const int64_t i = GetArgInt64(args, 0);
      if (i < 0 || i > INT32_MAX) return ReturnString(result, "");
      return ReturnString(result, GetArgument(int(i), true).GetText());
    }
    case GET_ARGUMENT_COUNT: return ReturnInt64(result, GetArgumentCount());
    case WINDOW_FROM_POINT: {
      POINT point = {LONG(int32_t(uint32_t(GetArgInt64(args, 0)))),
                     LONG(int32_t(uint32_t(GetArgInt64(args, 1))))};
      return ReturnInt64(result, int64_t(reinterpret_cast<uintptr_t>(WindowFromPoint(point))));
    }
    case MESSAGE_BOX:
      // The settings keep what was shown last, for the next box and for
      // whoever reads them.
      m_messageBox.SetCaption(GetArgString(args, 1));
      m_messageBox.SetText(GetArgString(args, 0));
      m_messageBox.SetIconStyle(uint32_t(GetArgInt64(args, 3)));
      m_messageBox.SetButtonStyle(uint32_t(GetArgInt64(args, 2)));
      return ReturnInt64(result, m_messageBox.Show());
    default: return true;
  }
}
