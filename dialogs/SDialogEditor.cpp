#include "dialogs/SDialogEditor.h"

#include "window/ActiveXFunctions.h"
#include "window/Framework.h"

void SDialogEditor::PrepareDesigner() { ListActiveX(); }

void SDialogEditor::ListActiveX() {
  m_activeXMenus.Empty();
  m_activeXClassIds.RemoveAll();
  m_activeXClassIdTexts.Purge();
  m_activeXNames.Purge();
  if (!(GetStartFlags() & kStartListActiveX)) return;
  ListActiveXControls(&m_activeXClassIdTexts, &m_activeXClassIds, &m_activeXNames);
  m_activeXMenus.Fill(m_activeXNames);
}

LRESULT SDialogEditor::_SWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PRINTCLIENT) {
    HDC dc = reinterpret_cast<HDC>(wparam);
    PaintBackground(dc, dc);
  }
  return SWnd::WindowProc(message, wparam, lparam);
}
