// The dialog's window procedure: the one place where the dialog's own
// messages become Dialog events 111-137, and where the notifications of its
// controls become events of their script objects.
//
// Handlers run inside this procedure. One that closes, reloads or releases
// its Dialog destroys or deletes the window this procedure serves, so after
// every event the window is touched only while it still exists.
#include <windows.h>

#include <commctrl.h>

#include "classes/PObjStringArray.h"
#include "classes/PObjValue.h"
#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjDialog.h"
#include "engine/PEngine.h"
#include "engine/PObjStruct.h"
#include "engine/PObjectDefinition.h"
#include "window/ControlNotify.h"
#include "window/FrameworkMessage.h"
#include "window/SWndLifeGuard.h"
#include "window/controls/SExListCtrl.h"
#include "window/controls/SScrollCtrl.h"
#include "window/controls/SToolBarCtrl.h"
#include "window/controls/STreeCtrl.h"

namespace {

// ---- Control notifications ---------------------------------------------------------------------

// What a notification's event receives.
enum ArgKind {
  ARGS_NONE,
  ARGS_MOUSE,          // the ControlMouseRecord: code (unsigned), x, y, screen x, screen y
  ARGS_LPARAM,         // lparam sign-extended
  ARGS_TEXT,           // lparam as a text
  ARGS_PROGRESS,       // progress record: progress, maximum (unsigned)
  ARGS_LOW_HIGH,       // the unsigned halves of lparam
  ARGS_FIELD1,         // field 1 of the item record
  ARGS_SCROLL,         // the scroll bar's position, and 0
  ARGS_LIST_EDIT,      // list-view item: item, its text now, the new text
  ARGS_TREE_EDIT,      // tree-view item: item, its text now, the new text
  ARGS_TREE_CHECKED,   // lparam (item), whether its box is checked
  ARGS_TREE_EXPANDED,  // lparam (item), whether it is expanded
  ARGS_TREE_DROP,      // drop record, then three Values the handler may clear
  ARGS_TREE_COPY,      // copy record: source, new item, the Tree object of the other tree
  ARGS_TREE_DELETE,    // deletion record: item, user value
};

struct NotificationRow {
  UINT message;
  uint16_t event;
  ArgKind args;
  bool refuses;
};

constexpr UINT N(int classIndex, int number) { return ControlNotifyMessage(classIndex, number); }

const NotificationRow kNotifications[] = {
    {N(kControlClassBrowser, 0), 17, ARGS_TEXT, true},
    {N(kControlClassBrowser, 1), 18, ARGS_PROGRESS, false},
    {N(kControlClassBrowser, 2), 19, ARGS_LPARAM, false},
    {N(kControlClassButton, 0), 2, ARGS_MOUSE, false},
    {N(kControlClassButton, 1), 3, ARGS_NONE, false},
    {N(kControlClassCheck, 0), 4, ARGS_MOUSE, false},
    {N(kControlClassCheck, 1), 9, ARGS_LPARAM, false},
    {N(kControlClassCodeEdit, 0), 76, ARGS_NONE, false},
    {N(kControlClassCombo, 0), 26, ARGS_NONE, false},
    {N(kControlClassCombo, 1), 31, ARGS_NONE, false},
    {N(kControlClassEdit, 0), 38, ARGS_MOUSE, false},
    {N(kControlClassEdit, 1), 39, ARGS_NONE, false},
    {N(kControlClassEdit, 2), 44, ARGS_NONE, false},
    {N(kControlClassExtendedList, 0), 52, ARGS_LPARAM, false},
    {N(kControlClassExtendedList, 1), 48, ARGS_MOUSE, false},
    {N(kControlClassExtendedList, 2), 57, ARGS_LPARAM, false},
    {N(kControlClassExtendedList, 4), 56, ARGS_LPARAM, false},
    {N(kControlClassExtendedList, 5), 47, ARGS_LPARAM, true},
    {N(kControlClassExtendedList, 6), 50, ARGS_LIST_EDIT, true},
    {N(kControlClassExtendedList, 7), 49, ARGS_FIELD1, false},
    {N(kControlClassFlash, 0), 58, ARGS_MOUSE, false},  // index 8: the graph editor
    {N(kControlClassGui, 0), 29, ARGS_LPARAM, true},
    {N(kControlClassLabel, 0), 18, ARGS_MOUSE, false},
    {N(kControlClassLcd, 0), 20, ARGS_MOUSE, false},
    {N(kControlClassLevel, 0), 20, ARGS_MOUSE, false},
    {N(kControlClassList, 0), 45, ARGS_LPARAM, false},
    {N(kControlClassList, 1), 43, ARGS_MOUSE, false},
    {N(kControlClassList, 2), 49, ARGS_NONE, false},
    {N(kControlClassList, 3), 50, ARGS_NONE, false},
    {N(kControlClassMedia, 0), 51, ARGS_MOUSE, false},
    {N(kControlClassMedia, 1), 52, ARGS_NONE, false},
    {N(kControlClassMediaPlayer, 2), 36, ARGS_MOUSE, false},
    {N(kControlClassPanel, 0), 18, ARGS_MOUSE, false},
    {N(kControlClassPanel, 1), 23, ARGS_LOW_HIGH, false},
    {N(kControlClassProgress, 0), 11, ARGS_MOUSE, false},
    {N(kControlClassProperty, 0), 25, ARGS_MOUSE, false},
    {N(kControlClassRadio, 0), 6, ARGS_MOUSE, false},
    {N(kControlClassRadio, 1), 11, ARGS_LPARAM, false},
    {N(kControlClassRichEdit, 0), 24, ARGS_MOUSE, false},
    {N(kControlClassRichEdit, 1), 25, ARGS_NONE, false},
    {N(kControlClassScroll, 0), 7, ARGS_MOUSE, false},
    {N(kControlClassScroll, 1), 8, ARGS_SCROLL, false},
    {N(kControlClassSlider, 0), 15, ARGS_MOUSE, false},
    {N(kControlClassSlider, 1), 16, ARGS_NONE, false},
    {N(kControlClassSpread, 0), 54, ARGS_MOUSE, false},
    {N(kControlClassTab, 0), 15, ARGS_MOUSE, false},
    {N(kControlClassTab, 1), 20, ARGS_LPARAM, false},
    {N(kControlClassTabDoc, 0), 26, ARGS_MOUSE, false},
    {N(kControlClassTabDoc, 1), 27, ARGS_LOW_HIGH, true},
    {N(kControlClassTabDoc, 2), 28, ARGS_LOW_HIGH, true},
    // TabDoc 29 and 30 read the document tabs control, and come with it.
    {N(kControlClassToolBar, 0), 17, ARGS_LPARAM, false},  // a tool bar that is not the dialog's own
    {N(kControlClassTree, 1), 79, ARGS_MOUSE, false},
    {N(kControlClassTree, 2), 93, ARGS_LPARAM, false},
    {N(kControlClassTree, 4), 82, ARGS_TREE_CHECKED, false},
    {N(kControlClassTree, 5), 87, ARGS_TREE_EXPANDED, false},
    {N(kControlClassTree, 6), 78, ARGS_FIELD1, true},
    {N(kControlClassTree, 7), 86, ARGS_TREE_EDIT, true},
    {N(kControlClassTree, 8), 81, ARGS_FIELD1, false},
    {N(kControlClassTree, 9), 77, ARGS_LPARAM, true},
    {N(kControlClassTree, 10), 85, ARGS_TREE_DROP, true},
    {N(kControlClassTree, 11), 80, ARGS_LPARAM, false},
    {N(kControlClassTree, 12), 83, ARGS_TREE_COPY, false},
    {N(kControlClassTree, 13), 92, ARGS_TREE_COPY, false},
    {N(kControlClassTree, 14), 84, ARGS_TREE_DELETE, false},
    {N(35, 0), 16, ARGS_MOUSE, false},  // the waveform editor
};

const NotificationRow* FindNotification(UINT message) {
  for (const NotificationRow& row : kNotifications)
    if (row.message == message) return &row;
  return nullptr;
}

// The records carried in lparam, as 32-bit fields.
int64_t Field(LPARAM record, int i) { return reinterpret_cast<const int32_t*>(record)[i]; }
uint32_t UnsignedField(LPARAM record, int i) { return reinterpret_cast<const uint32_t*>(record)[i]; }
const char* TextField(LPARAM record, int i) {
  const char* text = reinterpret_cast<const char* const*>(record)[i];
  return text ? text : "";
}
int64_t LParam(LPARAM lparam) { return int64_t(int32_t(lparam)); }

// The script object of a framework window given as a record field.
PObject* ObjectOfWindow(LPARAM record, int i) {
  SWnd* window = reinterpret_cast<SWnd* const*>(record)[i];
  return window ? window->GetScriptObject() : nullptr;
}

// Raises the event with the arguments its row names; *refused when a
// handler ran and answered non-zero.
bool RaiseNotification(PObject* object, SWnd* control, const NotificationRow& row, LPARAM lparam, bool* refused) {
  SValue answer;
  SValue* slot = row.refuses ? &answer : nullptr;
  bool ran = false;
  switch (row.args) {
    case ARGS_NONE: ran = PObject::RaiseEvent(object, row.event, slot); break;
    case ARGS_MOUSE: {
      const ControlMouseRecord* r = reinterpret_cast<const ControlMouseRecord*>(lparam);
      ran = PObject::RaiseEvent(object, row.event, slot, uint32_t(r->code), r->x, r->y, r->screenX, r->screenY);
      break;
    }
    case ARGS_LPARAM: ran = PObject::RaiseEvent(object, row.event, slot, LParam(lparam)); break;
    case ARGS_TEXT: {
      const char* text = reinterpret_cast<const char*>(lparam);
      ran = PObject::RaiseEvent(object, row.event, slot, text ? text : "");
      break;
    }
    case ARGS_PROGRESS:
      ran = PObject::RaiseEvent(object, row.event, slot, UnsignedField(lparam, 0), UnsignedField(lparam, 1));
      break;
    case ARGS_LOW_HIGH:
      ran = PObject::RaiseEvent(object, row.event, slot, uint32_t(LOWORD(lparam)), uint32_t(HIWORD(lparam)));
      break;
    case ARGS_FIELD1: ran = PObject::RaiseEvent(object, row.event, slot, Field(lparam, 1)); break;
    case ARGS_SCROLL: {
      int position = control->GetType() == kWindowScroll ? static_cast<SScrollCtrl*>(control)->GetPos() : 0;
      ran = PObject::RaiseEvent(object, row.event, slot, position, 0);
      break;
    }
    case ARGS_LIST_EDIT: {
      int item = int(Field(lparam, 1));
      SString now = control->GetType() == kWindowExtendedList
                        ? static_cast<SExListCtrl*>(control)->GetItemText(item, 0)
                        : SString("");
      ran = PObject::RaiseEvent(object, row.event, slot, item, now.GetText(), TextField(lparam, 5));
      break;
    }
    case ARGS_TREE_EDIT: {
      HTREEITEM item = reinterpret_cast<HTREEITEM>(UnsignedField(lparam, 1));
      SString now = control->GetType() == kWindowTree ? static_cast<STreeCtrl*>(control)->GetItemText(item)
                                                      : SString("");
      ran = PObject::RaiseEvent(object, row.event, slot, Field(lparam, 1), now.GetText(), TextField(lparam, 4));
      break;
    }
    case ARGS_TREE_CHECKED:
    case ARGS_TREE_EXPANDED: {
      HTREEITEM item = reinterpret_cast<HTREEITEM>(lparam);
      bool state = false;
      if (control->GetType() == kWindowTree) {
        STreeCtrl* tree = static_cast<STreeCtrl*>(control);
        state = row.args == ARGS_TREE_CHECKED ? tree->IsChecked(item) : tree->IsExpanded(item);
      }
      ran = PObject::RaiseEvent(object, row.event, slot, LParam(lparam), state ? 1 : 0);
      break;
    }
    case ARGS_TREE_COPY:
      ran = PObject::RaiseEvent(object, row.event, slot, Field(lparam, 0), Field(lparam, 1),
                                ObjectOfWindow(lparam, 2));
      break;
    case ARGS_TREE_DELETE:
      ran = PObject::RaiseEvent(object, row.event, slot, Field(lparam, 0), Field(lparam, 1));
      break;
    case ARGS_TREE_DROP: {
      // Three Values holding 1, which the handler may change; read back
      // into the record's result flags unless it refused.
      PEngine* engine = object->GetEngine();
      PObjValue* flags[3];
      for (PObjValue*& v : flags) {
        v = engine->NewValue();
        if (v) v->GetValue().SetInt64(1);
      }
      ran = PObject::RaiseEvent(object, row.event, &answer, Field(lparam, 0), Field(lparam, 1),
                                ObjectOfWindow(lparam, 2), static_cast<PObject*>(flags[0]),
                                static_cast<PObject*>(flags[1]), static_cast<PObject*>(flags[2]));
      *refused = ran && answer.ToInt64() != 0;
      if (!*refused) {
        uint8_t* result = reinterpret_cast<uint8_t*>(reinterpret_cast<int32_t*>(lparam) + 3);
        const int kBytes[3] = {0, 2, 3};
        for (int i = 0; i < 3; i++) result[kBytes[i]] = flags[i] && flags[i]->GetValue().ToInt64() != 0 ? 1 : 0;
      }
      for (PObjValue* v : flags)
        if (v) PObjStruct::ReleaseObject(v, true);
      return ran;
    }
  }
  *refused = row.refuses && ran && answer.ToInt64() != 0;
  return ran;
}

}  // namespace

// ---- The procedure ---------------------------------------------------------------------------------

LRESULT PObjDialog::_PDialog::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  PObjDialog* dialog = m_dialog;
  if (message == kCreatedMessage) {
    SetScriptObject(dialog);
    SValue answer;
    SWndLifeGuard guard(this);
    if (RaiseEvent(dialog, ON_CREATED, &answer) && answer.ToInt64() != 0) return -1;
    if (!guard.IsAlive()) return -1;
    return SDialog::WindowProc(message, wparam, lparam);
  }
  if (message == WM_DESTROY) {
    // Destroyed without being closed (its parent went first): the SDialog
    // deletes the control windows now, so the objects let go of them.
    dialog->m_loaded = false;
    dialog->DetachChildren();
    return SDialog::WindowProc(message, wparam, lparam);
  }
  if (!dialog->IsLoaded()) return SDialog::WindowProc(message, wparam, lparam);

  LRESULT answer = 0;
  SWndLifeGuard guard(this);
  bool handled = message >= kControlNotifyBase
                     ? RouteControlNotification(message, wparam, lparam, &answer)
                     : RouteDialogMessage(message, wparam, lparam, &answer);
  // A handler may have deleted this window (a reload, a release) or
  // destroyed it (a close): nothing more is done to it.
  if (!guard.IsAlive() || !m_hwnd) return handled ? answer : 0;
  if (handled) return answer;
  return SDialog::WindowProc(message, wparam, lparam);
}

bool PObjDialog::_PDialog::RouteControlNotification(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* answer) {
  PObjDialog* dialog = m_dialog;
  SWnd* control = reinterpret_cast<SWnd*>(wparam);
  // Commands of the dialog's menus, and of its own tool bar, are the
  // Dialog's; a tool bar with an object of its own raises them there.
  const UINT kMenuCommand = ControlNotifyMessage(kControlClassMenu, 0);
  const UINT kToolBarCommand = ControlNotifyMessage(kControlClassToolBar, 0);
  if (message == kMenuCommand || (message == kToolBarCommand && control && control == GetToolBar())) {
    RaiseEvent(dialog, ON_COMMAND, nullptr, LParam(lparam));
    return false;
  }
  const NotificationRow* row = FindNotification(message);
  PObject* object = control ? control->GetScriptObject() : nullptr;
  if (!row || !object) return false;
  bool refused = false;
  RaiseNotification(object, control, *row, lparam, &refused);
  // A control object released by its handler goes now.
  PObjControlPart::FinishEvent(object);
  // The control reads a refusal from the notification's answer.
  *answer = refused ? 1 : 0;
  return refused;
}

bool PObjDialog::_PDialog::RouteDialogMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* answer) {
  PObjDialog* d = m_dialog;
  const int x = short(LOWORD(lparam)), y = short(HIWORD(lparam));
  SValue result;
  // The events that may refuse: a handler that ran and answered non-zero.
  auto refuses = [&](bool ran) {
    if (!ran || result.ToInt64() == 0) return false;
    *answer = -1;
    return true;
  };
  if (int32_t code = MouseEventCodeFor(message)) {
    POINT screen = {x, y};
    ::ClientToScreen(m_hwnd, &screen);
    RaiseEvent(d, ON_MOUSE, nullptr, uint32_t(code), x, y, int(screen.x), int(screen.y));
    return false;
  }
  switch (message) {
    case kWindowDragStartMessage: return refuses(RaiseEvent(d, ON_DRAG_START, &result, x, y));
    case kModalCancelMessage: return refuses(RaiseEvent(d, ON_CANCEL, &result));
    case kModalOkMessage: return refuses(RaiseEvent(d, ON_OK, &result));
    case kModalStartMessage: {
      const char* text = reinterpret_cast<const char*>(wparam);
      return refuses(RaiseEvent(d, ON_MODAL_START, &result, text ? text : ""));
    }
    case WM_CLOSE: return OnClose(answer);
    case WM_ERASEBKGND: RaiseEvent(d, ON_ERASE, nullptr, uint32_t(lparam)); break;
    case kFilesDroppedMessage: OnFilesDropped(wparam); break;
    case kWindowDragEndMessage: RaiseEvent(d, ON_DRAG_END, nullptr); break;
    case WM_SETFOCUS: RaiseEvent(d, ON_FOCUS, nullptr, 0); break;
    case WM_KILLFOCUS: RaiseEvent(d, ON_FOCUS, nullptr, 1); break;
    case WM_KEYDOWN: RaiseEvent(d, ON_KEY_DOWN, nullptr, uint32_t(wparam)); break;
    case kKeyMessage: RaiseEvent(d, ON_CHILD_KEY, nullptr, uint32_t(wparam)); break;
    case kMaximizedMessage: RaiseEvent(d, ON_MAXIMIZED, nullptr); break;
    case kMinimizedMessage: RaiseEvent(d, ON_MINIMIZED, nullptr); break;
    case kMouseEnterMessage: RaiseEvent(d, ON_MOUSE_ENTER, nullptr, x, y); break;
    case kMouseLeaveMessage: RaiseEvent(d, ON_MOUSE_LEAVE, nullptr); break;
    case WM_MOUSEMOVE: RaiseEvent(d, ON_MOUSE_MOVE, nullptr, x, y); break;
    case WM_MOVE: RaiseEvent(d, ON_MOVE, nullptr); break;
    case kParentResizedMessage: RaiseEvent(d, ON_PARENT_RESIZED, nullptr); break;
    case kRestoredMessage: RaiseEvent(d, ON_RESTORED, nullptr); break;
    case WM_QUERYENDSESSION: RaiseEvent(d, ON_END_SESSION, nullptr); break;
    case WM_SIZE: RaiseEvent(d, ON_SIZE, nullptr); break;
    case kUserMessage: RaiseEvent(d, ON_USER_MESSAGE, nullptr, uint32_t(wparam), LParam(lparam)); break;
    case WM_TIMER: RaiseEvent(d, ON_TIMER, nullptr, uint32_t(wparam)); break;
  }
  return false;
}

// 0 closes, 1 closes and ends the application, anything else refuses.
bool PObjDialog::_PDialog::OnClose(LRESULT* answer) {
  PObjDialog* d = m_dialog;
  SValue result;
  SWndLifeGuard guard(this);
  int64_t choice = RaiseEvent(d, ON_CLOSE, &result) ? result.ToInt64() : 0;
  if (choice != 0 && choice != 1) {
    *answer = -1;
    return true;
  }
  if (!guard.IsAlive() || !m_hwnd || !d->IsLoaded()) return false;
  d->FreeToolBar();
  d->FreeMenus();
  d->m_loaded = false;
  d->DestroyModuleControls();
  d->DetachChildren();
  if (choice == 1) d->GetEngine()->Quit();
  return false;
}

void PObjDialog::_PDialog::OnFilesDropped(WPARAM paths) {
  const SStringArray* dropped = reinterpret_cast<const SStringArray*>(paths);
  PEngine* engine = m_dialog->GetEngine();
  PObjectDefinition* definition = engine->FindDefinition(PObjStringArray::kTypeCode);
  PObjStringArray* list = definition ? static_cast<PObjStringArray*>(definition->CreateInstance()) : nullptr;
  if (!list) return;
  if (dropped) list->GetStore().DeepAssign(*dropped);
  RaiseEvent(m_dialog, ON_FILES_DROPPED, nullptr, static_cast<PObject*>(list));
  PObjStruct::ReleaseObject(list, true);
}
