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
