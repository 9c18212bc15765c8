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
#include "window/StringTransfer.h"
#include "window/WindowType.h"

// The script object that wraps a window. The framework stores it for the
// script layer and never calls it.
class PObject;
class SResource;

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
  // Filled by the classes that draw more than their background: the rich
  // label's text runs and images into a layered parent's bitmap, and the
  // media player's video rectangle (client coordinates), which painting
  // leaves alone while it shows video.
  virtual void DrawLayeredContent(HDC) {}
  virtual bool GetVideoRect(RECT*) { return false; }

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
  void SetDefaultKeyEnabled(bool enter, bool enabled) { (enter ? m_enterMeansOk : m_escapeMeansCancel) = enabled; }

  // ---- Geometry (SWndGeometry, SWndAnchor) --------------------------------------------------
  //
  // Outer sizes are the window rectangle's, client sizes the client
  // rectangle's; reads that fail give 0 or false.

  bool GetWindowRect(RECT* rect) const;
  bool GetClientRect(RECT* rect) const;
  int GetWidth() const;
  int GetHeight() const;
  int GetClientWidth() const;
  int GetClientHeight() const;
  // The client area relative to the window's top-left corner.
  bool GetClientRectInWindow(RECT* rect) const;
  // The widths between the window's edges and its client area (menu,
  // caption and scroll bars included); right and bottom are never negative.
  bool GetFrameSizes(int* left, int* top, int* right, int* bottom) const;
  // What AdjustWindowRectEx adds around a client area for the current
  // styles, the menu bar of a plain window and the scroll bars.
  void GetNonClientMargins(int* left, int* top, int* right, int* bottom) const;
  // The client rectangle less the control bars at the top and the status
  // bars at the bottom.
  bool GetClientRectWithoutBars(RECT* rect) const;
  bool SetSize(int width, int height);
  bool SetWidth(int width);
  bool SetHeight(int height);
  bool SetClientSize(int width, int height);
  bool SetClientWidth(int width);
  bool SetClientHeight(int height);
  bool SetPosition(int x, int y);
  bool Move(int x, int y, int width, int height, bool repaint);
  bool MoveToRect(const RECT& rect, bool repaint);
  bool SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags);
  bool ClientToScreen(POINT* point) const;
  bool ScreenToClient(POINT* point) const;
  bool ClientToScreenRect(RECT* rect) const;
  bool ScreenToClientRect(RECT* rect) const;
  // Centred on the parent's window rectangle (onParent, when there is a
  // parent) or on the work area read at construction.
  bool CenterWindow(bool onParent);
  // Pulls a popup into the work area (within bounds when given): rect or
  // the window's own rectangle, no wider than maxWidth (-1 any), one line
  // (lineHeight, -1 the window's height) taller when it had to be narrowed.
  // False when nothing moved, and for windows that are not popups.
  bool FitToWorkArea(const RECT* bounds, const RECT* rect, int maxWidth, int lineHeight);
  // keepClientHeight: the client area keeps its height while the bar comes
  // or goes.
  bool SetMenu(HMENU menu, bool keepClientHeight);

  // Size limits, answered on WM_GETMINMAXINFO; -1 = no limit. An outer and
  // a client limit of the same kind exclude each other: setting one resets
  // the other.
  void SetMinTrackSize(int width, int height);
  void SetMaxTrackSize(int width, int height);
  void SetMinClientSize(int width, int height);
  void SetMaxClientSize(int width, int height);
  SIZE GetMinTrackSize() const { return {m_minTrackWidth, m_minTrackHeight}; }
  SIZE GetMaxTrackSize() const { return {m_maxTrackWidth, m_maxTrackHeight}; }
  SIZE GetMinClientSize() const { return {m_minClientWidth, m_minClientHeight}; }
  SIZE GetMaxClientSize() const { return {m_maxClientWidth, m_maxClientHeight}; }

  // A press anywhere in the client area drags the window.
  void SetMoveWithMouse(bool move) { m_moveWithMouse = move; }
  bool IsDragging() const { return m_dragging; }

  // Anchoring bits: how the window follows its parent's client area as it
  // grows by dx, dy.
  enum : int32_t {
    kAnchorCenterX = 0x01,  // x moves by dx / 2 (dx / 4 with kAnchorHalfX)
    kAnchorRight = 0x02,    // x moves by dx (dx / 2 with kAnchorHalfX)
    kAnchorWidth = 0x04,    // the width grows by dx (dx / 2 with kAnchorHalfX)
    kAnchorHalfX = 0x08,
    kAnchorCenterY = 0x10,  // the same vertically
    kAnchorBottom = 0x20,
    kAnchorHeight = 0x40,
    kAnchorHalfY = 0x80,
  };
  // Anchors the window to its parent's edges (the kAnchor bits, 0 removes),
  // from the parent's client size and the window's place now.
  void SetAnchor(int32_t flags);
  int32_t GetAnchor() const { return m_anchorFlags; }
  // Places the window for the parent's client size now; the parent, or
  // null when nothing was done.
  HWND ApplyAnchor();

  // ---- Modal runs and activation (SWndModal) --------------------------------------------------

  bool IsModal() const { return m_modalRunning; }
  // Stores the result and ends the run; nothing when not modal.
  void EndModal(int result);
  void EndModalOk() { EndModal(0); }
  void EndModalCancel() { EndModal(-1); }
  // Runs the window modally until EndModal, its close box, Enter or Escape,
  // or its destruction (-1). disableAll disables every other window of the
  // thread except those in stayEnabled; otherwise only the popup that owns
  // this one. first and second reach kModalStartMessage, whose nonzero
  // answer refuses the run (result 0). 0 for a child window, -1 for a
  // window without a handle or one deleted during its run.
  int DoModal(const SArray<SWnd*>* stayEnabled, WPARAM first, LPARAM second, bool disableAll, bool hideAtEnd);
  int RunModal(WPARAM first, LPARAM second, const SArray<SWnd*>* stayEnabled, bool hideAtEnd) {
    return DoModal(stayEnabled, first, second, true, hideAtEnd);
  }
  // Brings the window to the front of its band and into the foreground; a
  // hidden window only with updateIfHidden (it is then shown).
  void Activate(bool updateIfHidden);

  // ---- Saved placement (SWndPlacement) ------------------------------------------------------
  //
  // A "7:" text under HKEY_CURRENT_USER\Software\<first>\<second>.

  // True when a saved placement was read and applied; the skip flags leave
  // that part of the saved state out.
  bool LoadPlacement(const char* first, const char* second, const char* valueName, bool skipVisible,
                     bool skipMinimized, bool skipMaximized);
  bool SavePlacement(const char* first, const char* second, const char* valueName) const;
  bool ClearPlacement(const char* first, const char* second, const char* valueName) const;

  // ---- Caret ----------------------------------------------------------------------------

  // A caret one pixel wide at (0, 0), made at once when the window has the
  // focus, else at its next WM_SETFOCUS. False when the system caret
  // cannot be made.
  bool CreateCaret(int height);
  // False when no caret is enabled or the system caret cannot be destroyed;
  // otherwise every caret field is cleared.
  bool DestroyCaret();

  // ---- Tooltip, cursor, non-client zones, tab order ------------------------------------------

  // Creates (or destroys) a tooltip over the client area as it is now;
  // false without a window or when the tooltip cannot be made.
  bool EnableToolTip(bool enable);
  // Shown the next time the tooltip asks.
  void SetToolTipText(const char* text);
  SString GetToolTipText() const;
  // A hidden cursor, or the window's own (null: the class cursor), applied
  // at once when the mouse is over the window.
  void ShowCursor(bool visible);
  void SetCursor(HCURSOR cursor);
  // The mouse in client coordinates.
  bool GetCursorPos(POINT* point) const;
  // The first zone holding the window-relative point; -1 for none.
  int HitTestZone(int x, int y) const;
  // Where Tab goes: the next visible, enabled sibling of the tab group in
  // creation order, wrapping around; this window when there is none.
  SWnd* GetNextTabSibling();
  void SetTabGroup(int group) { m_tabGroup = group; }
  int GetTabGroup() const { return m_tabGroup; }
  // The place in the tab group, which creation gives (the creation index).
  void SetTabIndex(int index) { m_creationIndex = index; }

  // ---- Background ---------------------------------------------------------------------------

  // The background image: a copy of the bitmap (null: none), its
  // transparent colour (kColorNone: none), draw mode (-1 keeps the present
  // one) and nine-slice margins (null: none); the window's shape follows.
  // With redraw, answers Redraw's result, else UpdateWindowRegion's.
  bool SetBackgroundImage(Gdiplus::Bitmap* bitmap, uint32_t transparentColor, int drawMode, const RECT* margins,
                          bool redraw);
  // Answers the previous mode; one outside DrawMode becomes DRAW_TOPLEFT.
  int SetBackgroundDrawMode(int mode);
  int GetBackgroundDrawMode() const;
  // The window's shape: everything but the pixels of the transparent colour
  // (none without an image or colour). SetWindowRgn's result.
  bool UpdateWindowRegion();
  // The background image, or the skin image of the button state, into
  // width x height of the DC; nothing without a background image.
  void RenderBackground(HDC dc, int width, int height);
  // The same through GDI+, which keeps the picture's alpha.
  void RenderBackgroundOn(Gdiplus::Graphics* graphics, int width, int height);
  // Paints the background for an erase into target (the memory DC, or the
  // real one when the parent paints); real is the DC of the message. False
  // when nothing was painted.
  bool PaintBackground(HDC real, HDC target);
  // RedrawWindow, or the layered parent rendered again; false without a
  // window.
  bool Redraw(UINT flags, const RECT* rect, HRGN region);
  // WM_SETREDRAW; switching on redraws. Answers the previous state.
  bool SetRedraw(bool redraw);

  // ---- Skins (button mode) -------------------------------------------------------------------

  // Copies of hover, pressed, checked and disabled images (each may be
  // null); none at all when none of them holds a picture.
  bool SetSkinImages(const SImage* hover, const SImage* pressed, const SImage* checked, const SImage* disabled);
  // The same from pictures of the resource set; a name that cannot be read
  // leaves its image empty. Nothing without resources or names.
  bool LoadSkinImages(SResource* resources, const char* hover, const char* pressed, const char* checked,
                      const char* disabled);
  // Button mode on or off; hover, pressed and checked start cleared.
  void SetSkinState(bool buttonMode);

  // ---- Layered windows (SWndLayered) ---------------------------------------------------------

  // WS_EX_LAYERED, with UpdateLayeredWindow looked up on first use.
  bool EnableLayered();
  // A memory DC holding the window and its rich-label children rendered
  // with per-pixel alpha at the window's outer size; the caller hands it to
  // ApplyLayeredBitmap. Null when it cannot be made.
  HDC RenderLayeredBitmap();
  // UpdateLayeredWindow with the DC when the system has it; the DC and its
  // bitmap are deleted in any case.
  bool ApplyLayeredBitmap(HDC dc);
  bool UpdateLayered();

  // ---- Scrolling ----------------------------------------------------------------------------

  // SetScrollPos (redraw) snapped down to the direction's snap unit.
  void SetHorzScrollPos(int position);
  void SetVertScrollPos(int position);
  // The vertical position a page step up or down, snapped the same way.
  void ScrollPageUp();
  void ScrollPageDown();

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
  bool OnTransferMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  bool OnNotifyMessage(NMHDR* header, LRESULT* result);
  bool BeginErase(WPARAM* wparam, LPARAM* lparam);
  LRESULT EndErase(WPARAM wparam, LPARAM lparam);
  LRESULT OnScrollMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnGetMinMaxInfoMessage(MINMAXINFO* info) const;
  bool OnParentResizedMessage();
  // The window drag (SWndDrag); false when a handler deleted this object.
  bool BeginDrag(LPARAM point);
  bool FollowDrag(WPARAM keys);
  bool EndDrag();
  void CallShortcutHook(int modifiers, WPARAM key);
  void SetButtonSkinState(bool hover, bool pressed);
  // Zones: the mouse moving over or leaving the non-client area.
  bool OnZoneMouseMove(LPARAM screenPoint);
  bool OnZoneMouseLeave();
  const RECT* GetZone(int index) const;
  void CallZoneHook(void (SWnd::*hook)(const RECT*, int, int, int), int index, POINT point);
  SImage* GetShownImage();
  HRGN ShapeFromTransparentColor(int width, int height);
  void CutOutChildren(HDC real, HDC target);
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
  int32_t m_eraseSavedDC;       // SaveDC level of the erased DC while its copy is pending
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
  StringReceiveSlots m_receiveSlots;  // strings being received; kept across re-creation
};
