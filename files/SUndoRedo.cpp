#include "files/SUndoRedo.h"

#include <new>

SUndoRedo::SUndoRedo() : m_maxDepth(32), m_enabled(1), m_redoEnabled(1), m_position(0) {}

SUndoRedo::~SUndoRedo() { m_steps.DeleteAll(); }

bool SUndoRedo::OnUndo(_SItem* step) {
  (void)step;
  return true;
}

bool SUndoRedo::OnRedo(_SItem* step) {
  (void)step;
  return true;
}

bool SUndoRedo::OnAdd(_SItem* step) {
  (void)step;
  return true;
}

bool SUndoRedo::Add() {
  if (!m_enabled) return false;
  // Only the steps that stay count: the redo steps go with this add.
  if (m_position >= m_maxDepth) return false;
  _SItem* step = new (std::nothrow) _SItem;
  if (!step) return false;
  // The redo steps go only once the new step is wanted: a refused step
  // leaves the list, redo steps included, as it was.
  if (!OnAdd(step)) {
    delete step;
    return false;
  }
  DeleteFrom(m_position);
  if (m_steps.Add(step) < 0) {
    delete step;
    return false;
  }
  m_position++;
  return true;
}

bool SUndoRedo::Undo() {
  if (!m_enabled || m_position == 0) return false;
  if (!OnUndo(m_steps.GetAt(m_position - 1))) return false;
  m_position--;
  if (!m_redoEnabled) DeleteFrom(m_position);
  return true;
}

bool SUndoRedo::Redo() {
  if (!m_enabled || !m_redoEnabled || m_position == GetCount()) return false;
  if (!OnRedo(m_steps.GetAt(m_position))) return false;
  m_position++;
  return true;
}

bool SUndoRedo::RemoveLast() {
  if (!m_enabled) return false;
  DeleteFrom(m_position);
  if (m_position == 0) return false;
  m_steps.DeleteAndRemoveLast();
  m_position--;
  return true;
}

void SUndoRedo::Clear() {
  if (!m_enabled) return;
  m_steps.Purge();
  m_position = 0;
}

