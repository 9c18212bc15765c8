// SWnd: the base class of every framework window - plain windows, dialogs,
// the hidden application window and every control wrapper. One SWnd owns
// one HWND.
//
// Windows of the framework classes ("TAVRIN", "TAVRIN2") have
// WindowProcedure as their window procedure; system controls ("BUTTON",
// "SysTreeView32" ...) are created the same way and then subclassed. Either
// way every message reaches the same two virtual operations: OnMessage,
// which may translate, answer or swallow it, and WindowProc, which each
// window class overrides and whose base version ends in the default
// processing. The handle-to-object lookup goes through the thread's record
// in ThreadWindowTable, kept sorted by handle; the table does not own the
// windows, the script objects do.
//
// Lifecycle: constructed (no handle) -> created (handle, registered, the
// created message answered 0) -> destroyed (WM_DESTROY clears the handle and
// unregisters it) -> deleted; a destroyed object can be created again.
// Deleting an object whose window still exists destroys the window first.
// An object may be deleted from inside its own window procedure (a handler
// that closes and deletes its dialog): the procedure notices and touches it
// no more.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "window/SImage.h"
#include "window/WindowType.h"

// The script object that wraps a window. The framework stores it for the
// script layer and never calls it.
class PObject;

// Colour words of the background settings (COLORREF otherwise).
enum : uint32_t {
  kColorNone = 0xFF000000,          // nothing is painted
  kColorParentPaints = 0xFF000001,  // the parent's background shows through
};

// Bits of the shortcut mask: which keys reach the command-key hooks.
enum : uint32_t {
  kShortcutUndo = 0x1,        // Ctrl+Z
  kShortcutCut = 0x2,         // Ctrl+X
  kShortcutCopy = 0x4,        // Ctrl+C
  kShortcutPaste = 0x8,       // Ctrl+V
  kShortcutDelete = 0x10,     // Del
  kShortcutSelectAll = 0x20,  // Ctrl+A
  kShortcutFind = 0x40,       // Ctrl+F
  kShortcutReplace = 0x80,    // Ctrl+H
  kShortcutGoto = 0x100,      // Ctrl+G
  kShortcutPrint = 0x200,     // Ctrl+P
  kShortcutEscape = 0x400,    // Esc
  kShortcutNew = 0x800,       // Ctrl+N
  kShortcutOpen = 0x1000,     // Ctrl+O
  kShortcutSave = 0x2000,     // Ctrl+S
  kShortcutSaveAs = 0x4000,   // Ctrl+Shift+S
};

class SWnd;

// ---- Registry: the calling thread's framework windows, by handle ------------------------

// The object of a framework window of any thread; null for a null handle, a
// window that is not registered, or a thread without a table slot.
SWnd* FindWindowObject(HWND window);
// Inserts the window into its thread's record, keeping it sorted by handle
// (unsigned). False without a window, a handle, or a slot for its thread.
bool AddWindowObject(SWnd* window);
// Removes the object from its thread's record; true when the slot exists.
bool RemoveWindowObject(SWnd* window);

// Appends every framework window of the calling thread that has a handle;
// answers how many.
int CollectThreadWindows(SArray<SWnd*>& windows);
// Appends the framework windows of window's thread that are popups without
// a parent; answers how many.
int GetTopLevelWindows(const SWnd* window, SArray<SWnd*>& windows);

// Forgets the windows that last saw a button go down (six process-wide
// slots: left, middle, right, in the client and the non-client area). Done
// whenever the framework classes are registered and on every WM_KILLFOCUS.
void ClearClickTracking();
// Clears the slots that hold this window (it is being deleted).
void ForgetClickTracking(const SWnd* window);

class SWnd {
 public:
  SWnd();
  SWnd(const SWnd&) = delete;
  SWnd& operator=(const SWnd&) = delete;

  // ---- Virtual operations, in slot order ------------------------------------------------

  // Slot 0. Hides and destroys a window that still exists.
  virtual ~SWnd();
  // Slot 1: WM_PRINT with the HDC and the PRF_ flags; answers its result.
  virtual LRESULT Print(HDC dc, LPARAM flags);
  // Slots 2 and 3: the background colour (a COLORREF, kColorNone or
  // kColorParentPaints).
  virtual void SetBackColor(uint32_t color);
  virtual uint32_t GetBackColor();
  // Slots 4-18: the command keys that the shortcut mask lets through.
  virtual void OnUndo() {}
  virtual void OnCut() {}
  virtual void OnCopy() {}
  virtual void OnPaste() {}
  virtual void OnDelete() {}
  virtual void OnSelectAll() {}
  virtual void OnFind() {}
  virtual void OnReplace() {}
  virtual void OnGoto() {}
  virtual void OnPrint() {}
  virtual void OnEscape() {}
  virtual void OnNew() {}
  virtual void OnOpen() {}
  virtual void OnSave() {}
  virtual void OnSaveAs() {}
  // Slot 19: the handling shared by every window. May change *wparam and
  // *lparam; true lets WindowProc run and answer, false makes *result
  // (initially 0) the answer. No class overrides it.
  virtual bool OnMessage(UINT message, WPARAM* wparam, LPARAM* lparam, LRESULT* result);
  // Slot 20: every window class overrides it and calls its base class's
  // version for what it does not handle; this one ends in DefaultWindowProc.
  virtual LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam);
  // Slots 21-26: asked on the child whose colours its parent is asked for;
  // a nonzero brush answers the WM_CTLCOLOR message.
  virtual HBRUSH OnCtlColorDlg(HDC) { return nullptr; }
  virtual HBRUSH OnCtlColorBtn(HDC) { return nullptr; }
  virtual HBRUSH OnCtlColorEdit(HDC) { return nullptr; }
  virtual HBRUSH OnCtlColorListBox(HDC) { return nullptr; }
  virtual HBRUSH OnCtlColorScrollBar(HDC) { return nullptr; }
  virtual HBRUSH OnCtlColorStatic(HDC) { return nullptr; }
  // Slots 27-29: the mouse entering, moving in and leaving a non-client
  // zone (zone rectangle or null, window-relative point, zone index).
  virtual void OnZoneEnter(const RECT*, int, int, int) {}
  virtual void OnZoneMove(const RECT*, int, int, int) {}
  virtual void OnZoneLeave(const RECT*, int, int, int) {}

  // ---- Creation and destruction ------------------------------------------------------------

  // A window of class "TAVRIN" ("TAVRIN2" with noClose). WS_VISIBLE is
  // applied only after the created message was answered 0; a window
  // without a parent is a popup. False when a window exists already, when
  // creation fails, or when the created message refuses (the window is then
  // destroyed, never having been visible).
  bool Create(DWORD style, const char* text, DWORD exStyle, const RECT* rect, HWND parent, HMENU menuOrId,
              void* creationData, HINSTANCE instance, bool noClose);
  // The same on a system class, then subclassed: the control's own
  // procedure does the default processing.
  bool CreateControl(const RECT* rect, DWORD style, const char* className, const char* text, DWORD exStyle,
                     HWND parent, HMENU menuOrId, void* creationData, HINSTANCE instance);
  // A "TAVRIN" child (WS_CHILD added unless the style has WS_POPUP) of the
  // framework instance, without text.
  bool CreateChild(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int childId, void* creationData);
  // A message-only window, for classes that only need a window procedure.
  bool CreateHidden(void* creationData);
  // WM_CLOSE; true when a window exists and answered 0.
  bool Close();
  // Hides and destroys the window; true when it is gone.
  bool Destroy();
  // The per-window state back to its defaults (done at every creation);
  // also deletes what that state owns: a tooltip window, any remaining
  // window. The class's own settings survive: window type, control number,
  // name, script object, shortcut mask, scroll steps and background.
  void ResetFields();

  // ---- Dispatch ---------------------------------------------------------------------------

  // CallWindowProcA of the control's own procedure when subclassed, else
  // DefWindowProcA.
  LRESULT DefaultWindowProc(UINT message, WPARAM wparam, LPARAM lparam);

  // ---- Fields -----------------------------------------------------------------------------

  HWND GetHwnd() const { return m_hwnd; }
  int GetType() const { return m_windowType; }
  const SString& GetName() const { return m_name; }
  void SetName(const char* name) { m_name = name; }
  void SetControlNumber(int number) { m_controlNumber = number; }
  int GetControlNumber() const { return m_controlNumber; }
  void SetScriptObject(PObject* object) { m_scriptObject = object; }
  PObject* GetScriptObject() const { return m_scriptObject; }
  uint32_t GetThreadId() const { return m_threadId; }
  bool IsSubclassed() const { return m_previousProc != nullptr; }
  int GetCreationIndex() const { return m_creationIndex; }
  bool IsRestored() const { return m_restored; }
  int GetModalResult() const { return m_modalResult; }
  // The next WM_SETFOCUS gives the focus back to the window that lost it
  // (what a double click opened keeps it).
  void SetRefuseNextFocus(bool refuse) { m_refuseNextFocus = refuse; }

  // ---- Enumeration (the window's thread record; no window is created) ----------------------

  // Framework windows other than this one with the same parent, of one
  // WindowType or any (-1).
  int GetSiblings(SArray<SWnd*>& windows, int windowType = -1) const;
  // Framework windows whose parent is this one, not excluded, of the type
  // (-1 any); recursive goes depth first into every child not excluded,
  // a child before its own children.
  int GetChildren(SArray<SWnd*>& windows, const SArray<SWnd*>* excluded = nullptr, bool recursive = false,
                  int windowType = -1) const;
  // Handles of all child windows, framework or not, in z-order.
  int EnumChildHandles(SArray<HWND>& handles, const SArray<HWND>* excluded = nullptr, bool recursive = false) const;
  // The nearest ancestor (through GetParent, so owners count) with
  // WS_POPUP; null without a handle, or when evenIfPopup is false and this
  // window is a popup itself.
  HWND GetPopupAncestor(bool evenIfPopup) const;
  // With outermost, the last popup in the GetParent chain; without it the
  // nearest, as GetPopupAncestor(false).
  HWND GetOutermostPopupAncestor(bool outermost) const;

  // ---- Thin wrappers over one system call -------------------------------------------------

  LRESULT SendMessage(UINT message, WPARAM wparam, LPARAM lparam) const;
  LRESULT SendToParent(UINT message, WPARAM wparam, LPARAM lparam) const;
  bool PostUserMessage(WPARAM first, LPARAM second) const;
  // kContentChangedMessage to the parent while change notification is on.
  void NotifyChanged(LPARAM value, SWnd* source = nullptr);
  bool Show(int showCommand);
  bool Restore();
  bool Maximize();
  bool Minimize();
  bool Enable(bool enable);
  bool IsEnabled() const;
  bool IsVisible() const;
  bool IsMinimized() const;
  bool IsMaximized() const;
  bool IsPopup() const;
  bool IsTopLevel() const;
  HWND SetFocus();
  bool HasFocus() const;
  bool SetText(const char* text);
  SString GetText() const;
  int GetTextLength() const;
  LONG SetStyle(LONG style);
  LONG GetStyle() const;
  LONG SetExStyle(LONG exStyle);
  LONG GetExStyle() const;
  LONG SetUserData(LONG data);
  LONG GetUserData() const;
  void SetFont(HFONT font, bool redraw);
  HFONT GetFont() const;
  HWND GetParent() const;
  HWND SetParent(HWND parent);
  HWND GetRootOwner() const;
  HWND GetTopChild() const;
  UINT_PTR SetTimer(UINT elapse, UINT_PTR id, TIMERPROC callback = nullptr);
  bool KillTimer(UINT_PTR id);
  void DragAcceptFiles(bool accept);
  bool SetTopMost(bool topMost);
  bool ApplyFrameChange();
  bool IsButtonChecked() const;
  // The window no longer follows its parent's size (it moved into a bar).
  void ClearAnchoring() { m_anchorFlags = 0; }
  // true asks for Enter (means OK), false for Escape (means Cancel).
  bool IsDefaultKeyEnabled(bool enter) const { return enter ? m_enterMeansOk : m_escapeMeansCancel; }

  // ---- Modal run state (the modal run itself is DoModal's) ----------------------------------

  bool IsModal() const { return m_modalRunning; }
  // Stores the result and ends the run; nothing when not modal.
  void EndModal(int result);
  void EndModalOk() { EndModal(0); }
  void EndModalCancel() { EndModal(-1); }

  // ---- Caret ----------------------------------------------------------------------------

  // False when no caret is enabled or the system caret cannot be destroyed;
  // otherwise every caret field is cleared.
  bool DestroyCaret();

  // ---- Background ---------------------------------------------------------------------------

  // Paints the background for an erase into target (the memory DC, or the
  // real one when the parent paints); real is the DC of the message. False
  // when nothing was painted.
  bool PaintBackground(HDC real, HDC target);

  // ---- Scrolling ----------------------------------------------------------------------------

  // SetScrollPos (redraw) snapped down to the direction's snap unit.
  void SetHorzScrollPos(int position);
  void SetVertScrollPos(int position);

 protected:
  // Message handling, by concern (SWndMessages, SWndKeys, SWndMouse,
  // SWndErase, SWndScroll).
  // Sends the message to this window; false when a handler deleted this
  // object, which the caller must then touch no more.
  bool SendToSelf(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* answer = nullptr);
  bool OnSizeMessage(WPARAM kind);
  bool OnSetFocusMessage(WPARAM previous);
  bool OnCloseMessage();
  bool OnCreatedMessage();
  bool OnStyleChangedMessage();
  bool OnCtlColorMessage(UINT message, WPARAM dc, LPARAM child, LRESULT* result);
  bool OnSetCursorMessage(LRESULT* result);
  bool OnKeyDownMessage(WPARAM key);
  bool OnSysKeyDownMessage(WPARAM key);
  bool OnNonClientMouseMessage(UINT message, LPARAM point);
  bool OnButtonMessage(UINT message, WPARAM keys, LPARAM point);
  bool OnMouseMoveMessage(WPARAM keys, LPARAM point);
  bool OnDropFilesMessage(WPARAM drop);
  bool OnNotifyMessage(NMHDR* header, LRESULT* result);
  bool BeginErase(WPARAM* wparam, LPARAM* lparam);
  LRESULT EndErase(WPARAM wparam, LPARAM lparam);
  LRESULT OnScrollMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void CallShortcutHook(int modifiers, WPARAM key);
  void SetButtonSkinState(bool hover, bool pressed);
  // Detaches the menu bar so that destroying the window leaves the menu to
  // its SMenu.
  void DetachMenuBar();
  // WM_DESTROY seen: out of the table, and a subclassed control gets its
  // own procedure back so that its WM_NCDESTROY frees what it holds.
  static void ForgetDestroyedWindow(SWnd* window, HWND handle, WNDPROC previous);
  void DestroyRemainingWindow();
  void ComputeFrameFlags(DWORD style, DWORD exStyle);
  bool CreateWindowObject(const RECT* rect, DWORD style, const char* className, const char* text, DWORD exStyle,
                          HWND parent, HMENU menuOrId, void* creationData, HINSTANCE instance, bool subclass);

  friend LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);

  // ---- Fields, in the order of the window's data --------------------------------------------

  RECT m_workArea;              // the primary work area at construction
  uint32_t m_threadId;          // the window's thread, set at creation
  WNDPROC m_previousProc;       // the control's own procedure; null unless subclassed
  bool m_eraseWhenSubclassed;   // a subclassed control still erases the framework way
  HWND m_hwnd;
  int32_t m_windowType;         // WindowType, stored by each class's constructor
  bool m_redrawEnabled;
  int32_t m_controlNumber;      // ControlNumber of the script class
  SString m_name;
  PObject* m_scriptObject;      // not owned

  // Size limits; -1 = no limit.
  int32_t m_minTrackWidth, m_minTrackHeight, m_maxTrackWidth, m_maxTrackHeight;
  int32_t m_minClientWidth, m_minClientHeight, m_maxClientWidth, m_maxClientHeight;
  bool m_hasBorder, m_hasCaption, m_moveWithMouse;
  int32_t m_anchorFlags, m_anchorParentWidth, m_anchorParentHeight;
  RECT m_anchorRect;            // in the parent's client coordinates
  int32_t m_eraseDepth;         // nesting of WM_ERASEBKGND
  int32_t m_lineStepX, m_lineStepY, m_pageStepX, m_pageStepY, m_snapX, m_snapY;
  HFONT m_font;                 // the last WM_SETFONT
  uint32_t m_shortcutMask;

  bool m_restored, m_refuseNextFocus, m_inSizeMove, m_notifyChanges;
  bool m_keepEnabledDuringModal, m_enterMeansOk, m_escapeMeansCancel, m_modalRunning;
  int32_t m_modalResult;

  bool m_caretEnabled, m_caretCreated;
  int32_t m_caretWidth, m_caretHeight;
  bool m_caretPositionSet;
  int32_t m_caretX, m_caretY;
  bool m_cursorVisible;
  HCURSOR m_cursor;             // null = the class cursor

  bool m_zonesEnabled;
  SArray<RECT> m_zones;         // window-relative
  int32_t m_currentZone;        // -2 = none
  bool m_dragging;
  int32_t m_grabX, m_grabY;

  SImage* m_skinImages;         // owned array of four (hover, pressed, checked, disabled) or null
  bool m_buttonMode, m_hover, m_pressed, m_checked;
  int32_t m_childCounter, m_tabGroup, m_creationIndex;

  uint32_t m_backColor;
  SImage m_backImage;           // with its own draw mode
  uint32_t m_transparentColor;  // kColorNone = none
  RECT m_margins;               // nine-slice margins of the background image
  bool m_parentPaintsNow;
  HWND m_toolTip;
  SString m_toolTipText;
};
