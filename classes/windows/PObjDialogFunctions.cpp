// The Dialog functions 0-110. Most wrap one operation of the dialog's
// window; those that load or create the window, run it modally or look up
// its control objects carry decisions of their own. A function that needs
// the window does nothing without one and stores no result.
#include <cstdlib>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"
#include "classes/PObjCursor.h"
#include "classes/PObjFile.h"
#include "classes/PObjPoint.h"
#include "classes/PObjRectangle.h"
#include "classes/windows/PObjDialog.h"
#include "classes/windows/PObjImage.h"
#include "classes/windows/WindowFunctions.h"
#include "dialogs/StyleTexts.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"
#include "window/Framework.h"
#include "window/controls/SStatusBarCtrl.h"

namespace {

// The script object of a window, null when it has none.
PObject* ObjectOf(HWND window) {
  SWnd* object = FindWindowObject(window);
  return object ? object->GetScriptObject() : nullptr;
}

// A text that is a whole decimal integer, with an optional sign.
bool IsIdText(const char* text, long* id) {
  if (!text || !*text) return false;
  char* end = nullptr;
  *id = std::strtol(text, &end, 10);
  return *end == 0;
}

}  // namespace

bool PObjDialog::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case GET_DIALOG_TEXT: return ReturnString(result, m_text.GetText());
    case SET_DIALOG_TEXT: m_text = GetArgString(args, 0); return true;
    case LOAD_FILE:
    case LOAD_PATH:
    case LOAD_RESOURCE: return Load(member, args, result);
    case CREATE: return CreateInCode(args, result);
    default: break;
  }
  if (member > POST_USER_MESSAGE) return PObject::Call(member, args, result, caller);
  if (!m_window) return true;
  return CallWindowFunction(member, args, result);
}

// ---- Loading and creating ----------------------------------------------------------------------------

// The old window goes first, whatever becomes of the new one.
bool PObjDialog::Load(uint16_t member, PArgs* args, PResultCell* result) {
  if (!CloseForReload()) return true;
  PObject* owner = GetArgObject(args, 1);
  if (owner && owner->GetDefinition()->GetOrigin() != ORIGIN_USER) return true;
  SFilePath file;
  SFileMem memory;
  SFile* stream = nullptr;
  if (member == LOAD_FILE)
    stream = PObjFile::GetArgStream(args, 0);
  else if (member == LOAD_PATH)
    stream = file.Open(GetArgString(args, 0), false, false, true) ? &file : nullptr;
  else
    stream = GetEngine()->LoadResource(&memory, GetArgString(args, 0), RESOURCE_DIALOG) ? &memory : nullptr;
  if (!stream) return true;
  PObjDialog* parent = GetArgOfClass<PObjDialog>(args, 2);
  bool popup = GetArgBool(args, 3);
  return ReturnBool(result, LoadDescription(stream, parent ? parent->m_window : nullptr, owner, popup,
                                            GetArgString(args, 4)));
}

bool PObjDialog::CreateInCode(PArgs* args, PResultCell* result) {
  if (!CloseForReload()) return true;
  PObjRectangle* place = GetArgOfClass<PObjRectangle>(args, 0);
  if (!place) return true;
  bool popup = GetArgBool(args, 5);
  DWORD style = NamesToStyleBits(kControlNumber, GetArgString(args, 2)) | (popup ? WS_POPUP : WS_CHILD);
  DWORD exStyle = NamesToExStyleBits(kControlNumber, GetArgString(args, 3));
  PObjDialog* parent = GetArgOfClass<PObjDialog>(args, 4);
  HWND parentHandle = parent ? parent->GetHwnd() : nullptr;
  RECT rect = RectOf(place);

  m_loaded = false;
  m_window = new (std::nothrow) _PDialog(this);
  if (!m_window) return true;
  m_window->SetControlNumber(kControlNumber);
  bool created = m_window->Create(style, GetArgString(args, 1), exStyle, &rect, parentHandle, nullptr, nullptr,
                                  GetInstanceHandle(), false);
  if (!created) {
    delete m_window;
    m_window = nullptr;
  }
  m_loaded = true;
  return ReturnBool(result, created);
}

// ---- Functions on the window ---------------------------------------------------------------------

bool PObjDialog::CallWindowFunction(uint16_t member, PArgs* args, PResultCell* result) {
  _PDialog* w = m_window;
  auto n = [args](int i) { return GetArgInt32(args, i); };
  switch (member) {
    case ACTIVATE: w->Activate(GetArgBool(args, 0)); return true;
    case CENTER: w->CenterWindow(GetArgBool(args, 0)); return true;
    case CLOSE: return ReturnBool(result, w->Close());
    case CREATE_STATUS_BAR: return ReturnBool(result, w->CreateStatusBar(n(0) < 1 ? 1 : n(0)));
    case DESTROY_STATUS_BAR: w->DestroyStatusBar(); return true;
    case RUN_MODAL:
    case RUN_MODAL_OWNED: return ReturnInt64(result, RunModal(GetArgString(args, 0), member == RUN_MODAL));
    case ENABLE: w->Enable(GetArgBool(args, 0)); return true;
    case ACCEPT_FILES: w->DragAcceptFiles(GetArgBool(args, 0)); return true;
    case MOVE_WITH_MOUSE: w->SetMoveWithMouse(GetArgBool(args, 0)); return true;
    case END_MODAL: w->EndModal(n(0)); return true;
    case END_MODAL_CANCEL: w->EndModalCancel(); return true;
    case END_MODAL_OK: w->EndModalOk(); return true;
    case GET_ANCHOR: return ReturnInt64(result, w->GetAnchor());
    case GET_BACK_COLOR: {
      PObjColor* color = GetArgOfClass<PObjColor>(args, 0);
      if (!color) return true;
      color->SetColorRef(w->GetBackColor());
      return ReturnBool(result, true);
    }
    case GET_BACK_DRAW_MODE: return ReturnInt64(result, w->GetBackgroundDrawMode());
    case GET_TEXT: return ReturnString(result, w->GetText().GetText());
    case GET_TEXT_LENGTH: return ReturnInt64(result, w->GetTextLength());
    case GET_CONTROL: {
      const char* text = GetArgString(args, 0);
      long id = 0;
      int i = IsIdText(text, &id) ? w->FindControlById(uint32_t(id)) : w->FindControlByName(text);
      return ReturnObject(result, i >= 0 && i < m_controls.GetCount() ? m_controls.GetAt(i) : nullptr);
    }
    case GET_CONTROL_COUNT: return ReturnInt64(result, w->GetControlCount());
    case GET_EX_STYLE: return ReturnString(result, ExStyleBitsToNames(kControlNumber, w->GetExStyle()).GetText());
    case GET_STYLE: return ReturnString(result, StyleBitsToNames(kControlNumber, w->GetStyle()).GetText());
    case GET_HANDLE: return ReturnInt64(result, int64_t(uint32_t(reinterpret_cast<uintptr_t>(w->GetHwnd()))));
    case GET_MENU: {
      // Menu objects come with the Menu class; until then there are none.
      int id = n(0);
      if (m_menus.GetCount() == 0 || id != 0) return true;
      return ReturnObject(result, m_menus.GetAt(0));
    }
    case GET_PARENT:
    case GET_POPUP:
    case GET_ROOT_OWNER:
    case GET_OUTERMOST_POPUP: {
      HWND related = member == GET_PARENT       ? w->GetParent()
                     : member == GET_POPUP      ? w->GetPopupAncestor(false)
                     : member == GET_ROOT_OWNER ? w->GetRootOwner()
                                                : w->GetOutermostPopupAncestor(true);
      PObject* object = ObjectOf(related);
      return object ? ReturnObject(result, object) : true;
    }
    case LOAD_PLACEMENT:
      return ReturnBool(result, w->LoadPlacement(GetArgString(args, 0), GetArgString(args, 1), GetArgString(args, 2),
                                                 GetArgBool(args, 3), GetArgBool(args, 4), GetArgBool(args, 5)));
    case CLEAR_PLACEMENT:
      return ReturnBool(result, w->ClearPlacement(GetArgString(args, 0), GetArgString(args, 1), GetArgString(args, 2)));
    case SAVE_PLACEMENT:
      return ReturnBool(result, w->SavePlacement(GetArgString(args, 0), GetArgString(args, 1), GetArgString(args, 2)));
    // The status bar answers 0 and "" for a part it does not have, and
    // leaves its parts alone for an edge set on one.
    case GET_STATUS_EDGE: return ReturnInt64(result, w->GetStatusPartEdge(n(0)));
    case GET_STATUS_TEXT: return ReturnString(result, w->GetStatusText(n(0)).GetText());
    case SET_STATUS_EDGE: w->SetStatusPartEdge(n(0), n(1)); return true;
    case SET_STATUS_TEXT: w->SetStatusText(n(0), GetArgString(args, 1)); return true;
    case GET_TOOL_BAR: return ReturnObject(result, m_toolBar);
    case GET_USER_DATA: return ReturnInt64(result, w->GetUserData());
    case HAS_FOCUS: return ReturnBool(result, w->HasFocus());
    case IS_ENABLED: return ReturnBool(result, w->IsEnabled());
    case IS_MAXIMIZED: return ReturnBool(result, w->IsMaximized());
    case IS_MINIMIZED: return ReturnBool(result, w->IsMinimized());
    case IS_MODAL: return ReturnBool(result, w->IsModal());
    case IS_POPUP: return ReturnBool(result, (w->GetStyle() & WS_POPUP) != 0);
    case IS_VISIBLE: return ReturnBool(result, w->IsVisible());
    case LOAD_MENU_FILE:
      // Menu objects come with the Menu class: the menus load, no object
      // is answered yet.
      if (SFile* stream = PObjFile::GetArgStream(args, 0)) LoadMenus(stream);
      return true;
    case LOAD_MENU_PATH: {
      SFilePath file;
      if (file.Open(GetArgString(args, 0), false, false, true)) LoadMenus(&file);
      return true;
    }
    case LOAD_MENU_RESOURCE: {
      SFileMem stream;
      if (GetEngine()->LoadResource(&stream, GetArgString(args, 0), RESOURCE_MENU)) LoadMenus(&stream);
      return true;
    }
    case MAXIMIZE: w->Maximize(); return true;
    case MINIMIZE: w->Minimize(); return true;
    case RESTORE: w->Restore(); return true;
    case MESSAGE_BOX:
      return ReturnInt64(result, MessageBoxA(w->GetHwnd(), GetArgString(args, 0), GetArgString(args, 1),
                                             UINT(n(2)) | UINT(n(3))));
    case REDRAW: RedrawRect(w, GetArgOfClass<PObjRectangle>(args, 0)); return true;
    case SET_TOP_MOST: w->SetTopMost(GetArgBool(args, 0)); return true;
    case SET_ANCHOR: w->SetAnchor(n(0)); return true;
    case SET_BACK_COLOR: {
      PObjColor* color = GetArgOfClass<PObjColor>(args, 0);
      w->SetBackColor(color ? color->GetColorRef() : kColorNone);
      return true;
    }
    case SET_BACK_IMAGE: {
      // The window keeps a copy; null, or an Image without a picture, removes it.
      PObjImage* image = GetArgOfClass<PObjImage>(args, 0);
      w->SetBackgroundImage(image ? image->GetBitmap() : nullptr, kColorNone, -1, nullptr, true);
      return true;
    }
    case SET_BACK_DRAW_MODE:
      w->SetBackgroundDrawMode(n(0));
      w->Redraw(RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE, nullptr, nullptr);
      return true;
    case SET_TEXT: w->SetText(GetArgString(args, 0)); return true;
    case SET_CURSOR: SetCursorOf(w, GetArgOfClass<PObjCursor>(args, 0)); return true;
    case SET_EX_STYLE:
    case SET_STYLE: SetStyleFromNames(w, GetArgString(args, 0), member == SET_EX_STYLE); return true;
    case SET_FOCUS: w->SetFocus(); return true;
    case SET_ICON: {
      PObjImage* image = GetArgOfClass<PObjImage>(args, 0);
      if (HICON icon = image ? image->GetImage()->CreateIcon() : nullptr) w->SetIcons(icon, icon);
      return ReturnBool(result, true);
    }
    case SET_MENU:
      // Only a Menu object's menu bar is set; any other argument removes it.
      return ReturnBool(result, w->SetMenu(nullptr, true));
    case SET_TIMER:
      if (n(0) < 1)
        w->KillTimer(UINT_PTR(n(1)));
      else
        w->SetTimer(UINT(n(0)), UINT_PTR(n(1)));
      return true;
    case SET_USER_DATA: w->SetUserData(n(0)); return true;
    case SHOW: w->Show(GetArgBool(args, 0) ? SW_SHOW : SW_HIDE); return true;
    case SHOW_CURSOR: w->ShowCursor(GetArgBool(args, 0)); return true;
    case POST_USER_MESSAGE: w->PostUserMessage(WPARAM(n(0)), LPARAM(n(1))); return true;
    default: return CallGeometryFunction(member, args, result);
  }
}

// Positions, sizes and coordinates.
bool PObjDialog::CallGeometryFunction(uint16_t member, PArgs* args, PResultCell* result) {
  _PDialog* w = m_window;
  auto n = [args](int i) { return GetArgInt32(args, i); };
  PObjRectangle* rect = GetArgOfClass<PObjRectangle>(args, 0);
  PObjSize* size = GetArgOfClass<PObjSize>(args, 0);
  PObjPoint* point = GetArgOfClass<PObjPoint>(args, 0);
  switch (member) {
    case FIT_TO_WORK_AREA: {
      PObjRectangle* bounds = GetArgOfClass<PObjRectangle>(args, 1);
      RECT placed = rect ? RectOf(rect) : RECT{}, limit = bounds ? RectOf(bounds) : RECT{};
      w->FitToWorkArea(bounds ? &limit : nullptr, rect ? &placed : nullptr, n(2), n(3));
      return true;
    }
    case GET_CLIENT_HEIGHT: return ReturnInt64(result, w->GetClientHeight());
    case GET_CLIENT_WIDTH: return ReturnInt64(result, w->GetClientWidth());
    case GET_HEIGHT: return ReturnInt64(result, w->GetHeight());
    case GET_WIDTH: return ReturnInt64(result, w->GetWidth());
    case GET_FRAME_SIZES: {
      PObjSize* second = GetArgOfClass<PObjSize>(args, 1);
      int left = 0, top = 0, right = 0, bottom = 0;
      if (!size || !second) return true;
      bool ok = w->GetFrameSizes(&left, &top, &right, &bottom);
      size->Set(left < 0 ? 0 : left, top < 0 ? 0 : top);
      second->Set(right < 0 ? 0 : right, bottom < 0 ? 0 : bottom);
      return ReturnBool(result, ok);
    }
    case GET_MAX_CLIENT_SIZE:
    case GET_MIN_CLIENT_SIZE:
    case GET_MAX_SIZE:
    case GET_MIN_SIZE: {
      if (!size) return true;
      SIZE s = member == GET_MAX_CLIENT_SIZE   ? w->GetMaxClientSize()
               : member == GET_MIN_CLIENT_SIZE ? w->GetMinClientSize()
               : member == GET_MAX_SIZE        ? w->GetMaxTrackSize()
                                               : w->GetMinTrackSize();
      size->Set(s.cx, s.cy);
      return true;
    }
    case GET_CLIENT_RECT:
    case GET_FREE_CLIENT_RECT:
    case GET_SCREEN_RECT:
    case GET_RECT: {
      if (!rect) return true;
      RECT r = {};
      bool ok = member == GET_CLIENT_RECT        ? w->GetClientRectInWindow(&r)
                : member == GET_FREE_CLIENT_RECT ? w->GetClientRectWithoutBars(&r)
                : member == GET_RECT             ? RectInParent(w, &r)
                                                 : w->GetWindowRect(&r);
      if (ok) SetRectangle(rect, r);
      return ReturnBool(result, ok);
    }
    case GET_LEFT:
    case GET_TOP: {
      RECT r = {};
      if (!RectInParent(w, &r)) return true;
      return ReturnInt64(result, member == GET_LEFT ? r.left : r.top);
    }
    case GET_MOUSE: return ReturnMouse(w, 'p', point, result);
    case GET_MOUSE_X: return ReturnMouse(w, 'x', point, result);
    case GET_MOUSE_Y: return ReturnMouse(w, 'y', point, result);
    case MOVE: w->SetPosition(n(0), n(1)); return true;
    case SET_SIZE: w->SetSize(n(0), n(1)); return true;
    case SET_HEIGHT: w->SetHeight(n(0)); return true;
    case SET_WIDTH: w->SetWidth(n(0)); return true;
    case SET_CLIENT_SIZE: w->SetClientSize(n(0), n(1)); return true;
    case SET_CLIENT_HEIGHT: w->SetClientHeight(n(0)); return true;
    case SET_CLIENT_WIDTH: w->SetClientWidth(n(0)); return true;
    case SET_MAX_CLIENT_SIZE: w->SetMaxClientSize(n(0), n(1)); return true;
    case SET_MIN_CLIENT_SIZE: w->SetMinClientSize(n(0), n(1)); return true;
    case SET_MAX_SIZE: w->SetMaxTrackSize(n(0), n(1)); return true;
    case SET_MIN_SIZE: w->SetMinTrackSize(n(0), n(1)); return true;
    case SCREEN_TO_CLIENT:
    case CLIENT_TO_SCREEN: ConvertPoint(w, point, member == SCREEN_TO_CLIENT); return true;
    case SCREEN_TO_CLIENT_RECT:
    case CLIENT_TO_SCREEN_RECT: ConvertRect(w, rect, member == SCREEN_TO_CLIENT_RECT); return true;
    case MOVE_TO_RECT:
      if (rect) w->MoveToRect(RectOf(rect), true);
      return true;
    case SET_MOUSE: PutMouse(w, n(0), n(1)); return true;
    default: return true;
  }
}
