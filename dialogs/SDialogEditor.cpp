#include "dialogs/SDialogEditor.h"

#include "window/Framework.h"

namespace {

ActiveXListFunction g_activeXLister = nullptr;

}  // namespace

void SDialogEditor::SetActiveXLister(ActiveXListFunction lister) { g_activeXLister = lister; }

ActiveXListFunction SDialogEditor::GetActiveXLister() { return g_activeXLister; }

void SDialogEditor::PrepareDesigner() { ListActiveX(); }

void SDialogEditor::ListActiveX() {
  m_activeXMenus.Empty();
  m_activeXClassIds.RemoveAll();
  m_activeXClassIdTexts.Purge();
  m_activeXNames.Purge();
  if (!(GetStartFlags() & kStartListActiveX) || !g_activeXLister) return;
  g_activeXLister(&m_activeXClassIdTexts, &m_activeXClassIds, &m_activeXNames);
  m_activeXMenus.Fill(m_activeXNames);
}
