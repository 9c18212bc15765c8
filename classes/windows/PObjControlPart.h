// PObjControlPart: the base of the part that every control class (Button,
// Edit, Tree ...) adds to the Control part of its objects.
//
// The part holds the class's framework window: owned when the class's
// create function made it, attached (owned by a Dialog's window) when a
// dialog description made it. Both parts of the object always hold the same
// window; only this part sets or clears it. The window points back to this
// part as its script object, which its events are raised on.
//
// A release that comes while one of the part's events runs (a handler that
// reloads the Dialog holding the control) cannot delete the part under
// that event: the window goes at once, the part once the last of its
// events has returned.
#pragma once

#include <windows.h>

#include "engine/PObject.h"

class SWnd;

class PObjControlPart : public PObject {
 public:
  // The class part's window (null: none).
  SWnd* GetWindow() const { return m_window; }
  bool IsAttached() const { return m_attached; }

  // DestroyControl, then PObject::Release; refused (the part survives)
  // while one of its events runs.
  bool Release() override;
  // Uses the window without owning it, in both parts; null forgets it. The
  // window held before lets go of this part (and goes, when owned).
  void AttachWindow(SWnd* window) override;
  // The window lets go of this object; unless attached it is deleted (the
  // framework destroys its HWND). Both parts are cleared.
  void DestroyControl();

  // ---- Registration pieces every control class shares ----------------------------------

  // Factory, category, TypeCode, name, ControlNumber, base "Control", the
  // inner window for dialog descriptions (null: none), then "ID".
  static void RegisterControl(PObjectDefinition* definition, PObject* (*factory)(PObjectDefinition*),
                              TypeCode typeCode, const char* name, int controlNumber, SWnd* (*innerWindow)());
  // The create function (Dialog parent, Rectangle = null, text = "", style =
  // "WS_VISIBLE", extended style = "" -> Integer) and the destroy function.
  static bool DeclareCreateDestroy(PObjectDefinition* definition, uint16_t create, uint16_t destroy);
  // The create function alone, for a class whose destroy function does not
  // follow it (members are declared in number order).
  static bool DeclareCreate(PObjectDefinition* definition, uint16_t create);
  // The mouse-record event (five Integers).
  static bool DeclareMouseRecordEvent(PObjectDefinition* definition, uint16_t event);
  // The four events of the inner window from firstEvent on: focus (Integer),
  // mouse entered (x, y), mouse left, mouse moved (x, y).
  static bool DeclareWindowEvents(PObjectDefinition* definition, uint16_t firstEvent);

  // After one of the part's events returned: a release refused while it ran
  // deletes the object now. False when the part is gone, which the caller
  // must then touch no more.
  static bool FinishEvent(PObject* part);

 protected:
  explicit PObjControlPart(PObjectDefinition* definition);
  ~PObjControlPart() override;

  // The create function of every class: args = Dialog parent, Rectangle =
  // null, STR text = "", STR style = "WS_VISIBLE", STR exstyle = "". inner
  // is a new inner window, owned by this function from the call on and
  // deleted on every failure. Stores true in result on success, nothing on
  // failure. hasText false: the window has no text and the text argument
  // is ignored.
  bool CreateControl(PArgs* args, PResultCell* result, SWnd* inner, bool hasText = true);
  // Creates inner as the class's framework window (WS_CHILD added unless
  // the style has WS_POPUP), id 0. The window, or null with inner deleted.
  // By ControlNumber through the dialog's control factory; a class whose
  // framework control has a create path of its own overrides it.
  virtual SWnd* CreateFrameworkWindow(SWnd* inner, const RECT* rect, DWORD style, DWORD exStyle, HWND parent,
                                      const char* text);

  // Typed access for the class's own functions.
  template <class T>
  T* Window() const {
    return static_cast<T*>(GetWindow());
  }

 private:
  // The window of both parts.
  void SetWindows(SWnd* window, bool attached);

  SWnd* m_window;         // owned unless m_attached
  bool m_attached;
};
