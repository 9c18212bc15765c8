// SUndoRedo: a bounded list of undo steps and the position in it.
//
// The list does not know what a step means. Each step is two texts that a
// derived class fills when the step is added (OnAdd) and reads back when
// the step is undone (OnUndo) or redone (OnRedo). Steps 0 .. position-1 are
// applied and can be undone, the last first; steps position .. count-1 were
// undone and can be redone.
//
// A full list refuses new steps rather than forget the oldest. The redo
// steps do not count towards the depth: a new step discards them.
#pragma once

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"

class SUndoRedo {
 public:
  struct _SItem {
    SString first;
    SString second;
  };

  SUndoRedo();
  virtual ~SUndoRedo();
  SUndoRedo(const SUndoRedo&) = delete;
  SUndoRedo& operator=(const SUndoRedo&) = delete;

  // A false answer means the step was not applied (for OnAdd: no step is
  // wanted); the list then stays exactly as it was.
  virtual bool OnUndo(_SItem* step);
  virtual bool OnRedo(_SItem* step);
  virtual bool OnAdd(_SItem* step);

  bool Add();
  bool Undo();
  bool Redo();
  // Drops the redo steps and then the last applied step, without asking
  // the derived class; false when no applied step was left to drop.
  bool RemoveLast();
  void Clear();

  int GetCount() const { return m_steps.GetCount(); }
  // The step the next undo would take, -1 when none.
  int GetCurrentIndex() const { return m_position - 1; }

  void SetMaxDepth(int depth) { m_maxDepth = depth < 1 ? 1 : depth; }
  int GetMaxDepth() const { return m_maxDepth; }
  void SetEnabled(bool enabled) { m_enabled = enabled; }
  bool IsEnabled() const { return m_enabled != 0; }
  void SetRedoEnabled(bool enabled) { m_redoEnabled = enabled; }
  bool IsRedoEnabled() const { return m_redoEnabled != 0; }

 private:
  // Deletes the steps from index on.
  void DeleteFrom(int index) { m_steps.DeleteAndRemoveAt(index, -1); }

  int32_t m_maxDepth;
  uint8_t m_enabled;
  uint8_t m_redoEnabled;
  int32_t m_position;
  SArray<_SItem*> m_steps;  // owned
};
