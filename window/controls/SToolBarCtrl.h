// SToolBarCtrl: a row of command buttons, a subclassed system
// "ToolbarWindow32".
//
// The system control sends its commands and notifications to a hidden
// host window of its own, which turns each button command into one
// tool-bar command report to the tool bar's parent (inside a dialog, the
// control bar, which passes it on to the dialog). Buttons are addressed by
// their command id unless said otherwise.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "core/SString.h"
#include "window/SWnd.h"

class SToolBarCtrl : public SWnd {
 public:
  // The hidden window that receives the system control's messages.
  class _SWnd : public SWnd {
   public:
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    SToolBarCtrl* m_toolBar = nullptr;  // the tool bar it serves
  };

  SToolBarCtrl();
  ~SToolBarCtrl() override;

  // TBSTYLE_FLAT is applied after creation; CCS_NODIVIDER always, WS_CHILD
  // unless the style has WS_POPUP.
  bool Create(DWORD style, const RECT* rect, HWND parent, int id);
  void SetTransparent();
  // Not owned: the list must outlive the tool bar.
  void SetImageList(HIMAGELIST list);
  HIMAGELIST GetImageList() const { return m_imageList; }

  bool AddButton(int imageIndex, int id, const char* text, BYTE style, BYTE state, DWORD_PTR data);
  bool AddSeparator(int id, int width);

  bool EnableButton(int id, bool enable);
  bool CheckButton(int id, bool check);
  bool ShowButton(int id, bool show);
  bool IsButtonEnabled(int id) const;
  bool IsButtonChecked(int id) const;
  bool IsButtonVisible(int id) const;
  bool DeleteButton(int index);
  bool MoveButton(int id, int newIndex);
  int CommandToIndex(int id) const;
  int GetButtonCount() const;
  // The command id of the button at index; -1 when there is none.
  int GetButtonId(int index) const;
  SString GetButtonText(int id) const;

  HWND GetHostWindow() const { return m_host.GetHwnd(); }

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  _SWnd m_host;
  HIMAGELIST m_imageList;  // not owned
};
