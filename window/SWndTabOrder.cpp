// SWnd's tab order: siblings of one tab group, in creation order, with
// wrap-around; a tab group of -1 keeps the window out of it.
#include "window/SWnd.h"

SWnd* SWnd::GetNextTabSibling() {
  if (m_tabGroup == -1) return this;
  SArray<SWnd*> siblings;
  GetSiblings(siblings);
  SWnd* after = nullptr;   // created after this one, the earliest
  SWnd* before = nullptr;  // created before it, the earliest
  for (int i = 0; i < siblings.GetCount(); i++) {
    SWnd* sibling = siblings.GetAt(i);
    if (sibling->m_tabGroup != m_tabGroup) continue;
    if (sibling->m_creationIndex == m_creationIndex) return sibling;
    if (!sibling->IsVisible() || !sibling->IsEnabled()) continue;
    SWnd*& best = sibling->m_creationIndex > m_creationIndex ? after : before;
    if (!best || sibling->m_creationIndex < best->m_creationIndex) best = sibling;
  }
  if (after) return after;
  if (before) return before;
  return this;
}
