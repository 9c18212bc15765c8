// SDialog: the top-level window of an application dialog, built from a
// dialog description by the dialog builder.
//
// It keeps its controls with their ids, names and fonts in creation order,
// and may carry a menu bar with popup menus, a control bar (rebar) holding
// the tool bar, and a status bar; it owns all of them. The bars change the
// client height as they come and go, so that the area the controls were
// laid out in keeps its size. The script layer derives its dialog class
// from SDialog and supplies its own control objects through
// CreateControlObject.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"
#include "dialogs/SDialogCtrl.h"
#include "window/SImageList.h"
#include "window/SWnd.h"

class SControlBarCtrl;
class SFile;
class SMenu;
class SResource;
class SStatusBarCtrl;
class SToolBarCtrl;

// The script layer's tool-bar class, made in place of a plain SToolBarCtrl.
using ToolBarFactory = SToolBarCtrl* (*)(void* context);
// A command id for a button or item name.
using NameToIdFunction = int (*)(void* context, const char* name);

class SDialog;

// What the dialog builder receives beyond the description and resources,
// passed through Load untouched.
struct DialogBuildOptions {
  void* context = nullptr;
  ToolBarFactory toolBarFactory = nullptr;
  NameToIdFunction nameToId = nullptr;
  void* builderOptions = nullptr;  // the builder's own
};

// The dialog builder: makes the dialog's window and controls from the
// description. Installed by the dialog builder at start-up; until then
// Load answers false.
using DialogBuilderFunction = bool (*)(SDialog* dialog, SFile* stream, SResource* resources,
                                       const DialogBuildOptions* options);
void SetDialogBuilder(DialogBuilderFunction builder);
bool CreateDialogFromDescription(SDialog* dialog, SFile* stream, SResource* resources,
                                 const DialogBuildOptions* options);

class SDialog : public SWnd {
 public:
  using ControlRecord = SDialogModel::_SCtrl;

  SDialog();
  ~SDialog() override;

  // Slot 30: the object for a control the description builds, asked before
  // its window is made; null lets the builder use the framework's own
  // class for that ControlNumber.
  virtual SWnd* CreateControlObject(int controlNumber, const ControlRecord* record);

  // Refused (false, nothing changed) while the window exists.
  bool Load(SFile* stream, SResource* resources, const DialogBuildOptions* options);

  // ---- Controls ---------------------------------------------------------------------

  // Registers a created control with the record's id, name and font (the
  // dialog then owns the control and the font). False when either is null.
  bool AddControl(const ControlRecord* record, SWnd* control);
  int GetControlCount() const { return m_controls.GetCount(); }
  SWnd* GetControl(int i) const { return m_controls.GetAt(i); }
  HFONT GetControlFont(int i) const { return m_controlFonts.GetAt(i); }
  int FindControlById(uint32_t id) const;
  // Case-sensitive.
  int FindControlByName(const char* name) const;

  // The window's big and small icon (either may be null); the dialog owns
  // them from now on, one handle given for both included.
  void SetIcons(HICON big, HICON small);

  SArray<SMenu*>& GetMenus() { return m_menus; }
  SImageList& GetMenuImages() { return m_menuImages; }
  SToolBarCtrl* GetToolBar() const { return m_toolBar; }
  SImageList& GetToolBarImages() { return m_toolBarImages; }

  // ---- Bars -------------------------------------------------------------------------

  bool CreateControlBar();
  void DestroyControlBar();
  SControlBarCtrl* GetControlBar() const { return m_controlBar; }
  // Moves the window into a new band of the control bar; nothing without one.
  void AddBand(SWnd* window, int minWidth, int height);

  // At least one part; the client area keeps its height above the bar.
  bool CreateStatusBar(int parts);
  void DestroyStatusBar();
  SStatusBarCtrl* GetStatusBar() const { return m_statusBar; }
  void SetStatusText(int part, const char* text);
  SString GetStatusText(int part) const;
  void SetStatusPartEdge(int part, int right);
  int GetStatusPartEdge(int part) const;

  // Builds the tool bar, in a band of the control bar, from a tool-bar file.
  bool LoadToolBarFile(SFile* stream, SResource* resources, ToolBarFactory factory, void* context,
                       NameToIdFunction nameToId);

  // Empties the dialog (bars, menus, controls, fonts); the window stays.
  void ClearContents();

  // Shows the dialog modally, every other window of the thread disabled,
  // and runs until OK, Cancel or its end; answers the modal result (0 OK,
  // -1 Cancel).
  int RunModalDialog();

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void OnButtonClicked(SWnd* button);
  void OnControlBarResized();

  SArray<SWnd*> m_controls;          // owned, in creation order
  SArray<uint32_t> m_controlIds;     // index-parallel to the controls
  SStringArray m_controlNames;       // likewise
  SArray<HFONT> m_controlFonts;      // likewise, owned; 0 = the default font
  int32_t m_controlBarHeight;        // the rebar's last known outer height
  SControlBarCtrl* m_controlBar;     // owned, or null
  SStatusBarCtrl* m_statusBar;       // owned, or null
  SArray<SMenu*> m_menus;            // owned, menu 0 first
  SImageList m_menuImages;
  SToolBarCtrl* m_toolBar;           // owned, or null
  SImageList m_toolBarImages;
  HICON m_bigIcon;                   // owned, or null
  HICON m_smallIcon;                 // owned unless the big one, or null
};
