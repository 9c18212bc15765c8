// Undo snapshots: the whole model copied out and back.
#include "dialogs/SDialogModel.h"

using _SCtrl = SDialogModel::_SCtrl;
using _SUndo = SDialogModel::_SUndo;

namespace {

_SCtrl* CopyOf(const _SCtrl* record) {
  _SCtrl* copy = new _SCtrl;
  copy->CopyFrom(*record);
  return copy;
}

}  // namespace

void _SUndo::Empty() {
  delete dialog;
  dialog = nullptr;
  selected.RemoveAll();
  controls.Purge();
}

bool SDialogModel::TakeSnapshot(_SUndo* snapshot) const {
  if (!m_dialog || !snapshot) return false;
  snapshot->Empty();
  snapshot->dialog = CopyOf(m_dialog);
  for (int i = 0; i < m_controls.GetCount(); i++) {
    _SCtrl* copy = CopyOf(m_controls.GetAt(i));
    snapshot->controls.Add(copy);
    for (int s = 0; s < m_selection.GetCount(); s++) {
      if (m_selection.GetAt(s) && m_selection.GetAt(s)->id == copy->id) {
        snapshot->selected.Add(copy);
        break;
      }
    }
  }
  return true;
}

bool SDialogModel::RestoreSnapshot(const _SUndo* snapshot) {
  if (!snapshot || !snapshot->dialog) return false;
  if (!m_dialog) m_dialog = new _SCtrl;
  m_dialog->CopyFrom(*snapshot->dialog);
  RemoveAllControls();
  for (int i = 0; i < snapshot->controls.GetCount(); i++)
    AddControl(snapshot->controls.GetAt(i), false, true, true);
  for (int i = 0; i < snapshot->selected.GetCount(); i++) {
    _SCtrl* record = FindControlById(snapshot->selected.GetAt(i)->id);
    if (record && m_selection.Find(record) < 0) m_selection.Add(record);
  }
  return true;
}
