// PObjDialog: the script class "Dialog", the window a program shows.
//
// It owns one framework dialog window of the class _PDialog, built from a
// dialog description or from a rectangle and style texts in code. Every
// control of a loaded description whose class exists gets a script object
// of that class, attached to the control's window without owning it and
// bound to an owner object whose handlers receive the control's events.
// The window procedure of _PDialog is the router that turns the dialog's
// messages and its controls' notifications into script events
// (PObjDialogRouter.cpp); the functions 0-110 are in PObjDialogFunctions.cpp.
//
// Lifecycle: no window -> loaded (a description or function 70) -> closed
// (WM_CLOSE not refused: the child objects let go of their windows, the
// window is destroyed) or destroyed by its parent (the same letting go on
// WM_DESTROY) -> loaded again or released. Handlers run inside the window
// procedure and may close, reload or release the Dialog; the router and
// the modal runs touch the window after an event only while it exists.
#pragma once

#include <windows.h>

#include <cstdint>

#include "classes/windows/PObjMenu.h"
#include "core/SArray.h"
#include "core/SString.h"
#include "engine/PObject.h"
#include "window/SDialog.h"
#include "window/SImageList.h"

class SFile;
class SMenu;
class SToolBarCtrl;

class PObjDialog : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'D', 'L', 'G');
  static const int kControlNumber = 0;

  enum Member : uint16_t {
    FIT_TO_WORK_AREA = 0,
    ACTIVATE = 1,
    CENTER = 2,
    CLOSE = 3,
    CREATE_STATUS_BAR = 4,
    DESTROY_STATUS_BAR = 5,
    RUN_MODAL = 6,
    RUN_MODAL_OWNED = 7,
    ENABLE = 8,
    ACCEPT_FILES = 9,
    MOVE_WITH_MOUSE = 10,
    END_MODAL = 11,
    END_MODAL_CANCEL = 12,
    END_MODAL_OK = 13,
    GET_ANCHOR = 14,
    GET_BACK_COLOR = 15,
    GET_BACK_DRAW_MODE = 16,
    GET_TEXT = 17,
    GET_TEXT_LENGTH = 18,
    GET_CLIENT_HEIGHT = 19,
    GET_FRAME_SIZES = 20,
    GET_MAX_CLIENT_SIZE = 21,
    GET_MIN_CLIENT_SIZE = 22,
    GET_CLIENT_RECT = 23,
    GET_CLIENT_WIDTH = 24,
    GET_CONTROL = 25,
    GET_CONTROL_COUNT = 26,
    GET_EX_STYLE = 27,
    GET_HEIGHT = 28,
    GET_HANDLE = 29,
    GET_MAX_SIZE = 30,
    GET_MENU = 31,
    GET_MIN_SIZE = 32,
    GET_MOUSE = 33,
    GET_MOUSE_X = 34,
    GET_MOUSE_Y = 35,
    GET_DIALOG_TEXT = 36,
    GET_PARENT = 37,
    GET_POPUP = 38,
    GET_RECT = 39,
    LOAD_PLACEMENT = 40,
    GET_SCREEN_RECT = 41,
    GET_STATUS_EDGE = 42,
    GET_STATUS_TEXT = 43,
    GET_STYLE = 44,
    GET_FREE_CLIENT_RECT = 45,
    GET_TOOL_BAR = 46,
    GET_ROOT_OWNER = 47,
    GET_OUTERMOST_POPUP = 48,
    GET_USER_DATA = 49,
    GET_WIDTH = 50,
    GET_LEFT = 51,
    GET_TOP = 52,
    HAS_FOCUS = 53,
    IS_ENABLED = 54,
    IS_MAXIMIZED = 55,
    IS_MINIMIZED = 56,
    IS_MODAL = 57,
    IS_POPUP = 58,
    IS_VISIBLE = 59,
    LOAD_FILE = 60,
    LOAD_MENU_FILE = 61,
    LOAD_MENU_PATH = 62,
    LOAD_MENU_RESOURCE = 63,
    LOAD_PATH = 64,
    LOAD_RESOURCE = 65,
    MAXIMIZE = 66,
    MESSAGE_BOX = 67,
    MINIMIZE = 68,
    MOVE = 69,
    CREATE = 70,
    SCREEN_TO_CLIENT = 71,
    CLIENT_TO_SCREEN = 72,
    SCREEN_TO_CLIENT_RECT = 73,
    CLIENT_TO_SCREEN_RECT = 74,
    REDRAW = 75,
    CLEAR_PLACEMENT = 76,
    SET_SIZE = 77,
    RESTORE = 78,
    SET_TOP_MOST = 79,
    SET_ANCHOR = 80,
    SET_BACK_COLOR = 81,
    SET_BACK_IMAGE = 82,
    SET_BACK_DRAW_MODE = 83,
    SET_TEXT = 84,
    SET_CLIENT_HEIGHT = 85,
    SET_MAX_CLIENT_SIZE = 86,
    SET_MIN_CLIENT_SIZE = 87,
    SET_CLIENT_SIZE = 88,
    SET_CLIENT_WIDTH = 89,
    SET_CURSOR = 90,
    SET_EX_STYLE = 91,
    SET_FOCUS = 92,
    SET_HEIGHT = 93,
    SET_ICON = 94,
    SET_MAX_SIZE = 95,
    SET_MENU = 96,
    SET_MIN_SIZE = 97,
    SET_MOUSE = 98,
    SET_DIALOG_TEXT = 99,
    MOVE_TO_RECT = 100,
    SAVE_PLACEMENT = 101,
    SET_STATUS_EDGE = 102,
    SET_STATUS_TEXT = 103,
    SET_STYLE = 104,
    SET_TIMER = 105,
    SET_USER_DATA = 106,
    SET_WIDTH = 107,
    SHOW = 108,
    SHOW_CURSOR = 109,
    POST_USER_MESSAGE = 110,
    // Events.
    ON_DRAG_START = 111,
    ON_MOUSE = 112,
    ON_CANCEL = 113,
    ON_CREATED = 114,
    ON_CLOSE = 115,
    ON_ERASE = 116,
    ON_FILES_DROPPED = 117,
    ON_DRAG_END = 118,
    ON_FOCUS = 119,
    ON_KEY_DOWN = 120,
    ON_CHILD_KEY = 121,
    ON_LOADED = 122,
    ON_MAXIMIZED = 123,
    ON_MINIMIZED = 124,
    ON_MODAL_START = 125,
    ON_MOUSE_ENTER = 126,
    ON_MOUSE_LEAVE = 127,
    ON_MOUSE_MOVE = 128,
    ON_MOVE = 129,
    ON_OK = 130,
    ON_PARENT_RESIZED = 131,
    ON_RESTORED = 132,
    ON_COMMAND = 133,
    ON_END_SESSION = 134,
    ON_SIZE = 135,
    ON_USER_MESSAGE = 136,
    ON_TIMER = 137,
    MEMBER_COUNT = 138,
  };

  // The dialog window: an SDialog whose window procedure is the router and
  // whose control objects are the inner windows of the script classes.
  class _PDialog : public SDialog {
   public:
    explicit _PDialog(PObjDialog* dialog) : m_dialog(dialog) {}

    SWnd* CreateControlObject(int controlNumber, const ControlRecord* record) override;
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

    PObjDialog* GetDialog() const { return m_dialog; }

   private:
    // The router's parts (PObjDialogRouter.cpp). Each answers true with
    // *answer set when the message ends there.
    bool RouteDialogMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* answer);
    bool RouteControlNotification(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* answer);
    bool OnClose(LRESULT* answer);
    void OnFilesDropped(WPARAM paths);

    PObjDialog* m_dialog;  // not owned: the Dialog owns this window
  };

  // The inner window of a script control class for a ControlNumber; each
  // control class installs its own as it is built.
  using InnerWindowFactory = SWnd* (*)();
  static void SetInnerWindowFactory(int controlNumber, InnerWindowFactory factory);
  // The TypeCode of the script object for a window of this WindowType; 0
  // for the types that get none.
  static TypeCode TypeCodeForWindowType(int windowType);

  explicit PObjDialog(PObjectDefinition* definition);
  ~PObjDialog() override;

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Release() override;
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  // ---- Loading and teardown (PObjDialog.cpp) ---------------------------------------------

  bool LoadDescription(SFile* stream, SWnd* parent, PObject* owner, bool popup, const char* text);
  void DestroyDialog();
  void ReleaseChildren();
  void FreeMenus();
  // The menu bar function 96 set, held while the window shows it.
  void SetHeldBar(PObjMenu::_PMenu* bar);
  void FreeToolBar();
  // The modules of the module controls let go of their windows (closing),
  // before the child objects do.
  void DestroyModuleControls();
  // The child objects let go of their windows (closing, destruction).
  void DetachChildren();
  // The menu file's menus, the first as the menu bar; the first Menu
  // object, null when the file does not load.
  PObject* LoadMenus(SFile* stream);
  // A Menu object for each menu of the list, which they now own; the first
  // of the Dialog's Menu objects, null for an empty list.
  PObject* CreateMenuObjects(SArray<SMenu*>* menus);

  bool IsLoaded() const { return m_loaded; }
  HWND GetHwnd() const { return m_window ? m_window->GetHwnd() : nullptr; }
  _PDialog* GetWindow() const { return m_window; }
  int GetControlObjectCount() const { return m_controls.GetCount(); }
  PObject* GetControlObject(int i) const { return m_controls.GetAt(i); }

  // The callbacks handed to the dialog builder and the menu-file reader.
  static int ResolveConstantCallback(void* context, const char* name);
  static SMenu* NewMenuCallback(void* context);
  static SToolBarCtrl* NewToolBarCallback(void* context);

 private:
  friend class _PDialog;

  // Functions 60, 64, 65 and 70 first close and drop the window there is;
  // false when its close handler refused.
  bool CloseForReload();
  // Functions 60, 64 and 65.
  bool Load(uint16_t member, PArgs* args, PResultCell* result);
  bool CreateInCode(PArgs* args, PResultCell* result);
  int RunModal(const char* text, bool disableAll);
  // Functions that need the window (PObjDialogFunctions.cpp).
  bool CallWindowFunction(uint16_t member, PArgs* args, PResultCell* result);
  bool CallGeometryFunction(uint16_t member, PArgs* args, PResultCell* result);

  _PDialog* m_window;            // owned; null before loading and after teardown
  SArray<PObject*> m_controls;   // owned; index-parallel to the window's controls, null for none
  bool m_loaded;
  SArray<PObject*> m_menus;      // owned Menu objects
  PObjMenu::_PMenu* m_heldBar;   // one hold: a program's menu bar set with function 96, or null
  SImageList m_menuImages;
  PObject* m_toolBar;            // owned ToolBar object, or null
  SString m_text;                // the program's free text (functions 36, 99)
};
