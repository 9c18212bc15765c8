// SDialogModel: one dialog description in memory - the dialog's own record,
// the control records in description order (which is the order of
// creation), the selection, the undo snapshots, the control type table and
// the designer's KEY=Text table.
//
// It is the model half of SDialogEditor, which adds the designer window
// (SWnd): the run-time loader and the tests use the model alone, the
// designer works on the same model through the hooks below. The model owns
// its dialog record and every record of its control list; the selection
// only points into that list.
#pragma once

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"
#include "dialogs/ControlTypes.h"

class SFile;
class SResource;

class SDialogModel {
 public:
  class _SCtrl;   // one record (dialogs/SDialogCtrl.h)
  class _SUndo;   // one undo snapshot (dialogs/SDialogCtrl.h)

  // One row of the control type table.
  struct _SType {
    int16_t controlNumber = 0;
    SString key;
    SString displayName;
  };

  SDialogModel();
  SDialogModel(const SDialogModel&) = delete;
  SDialogModel& operator=(const SDialogModel&) = delete;
  virtual ~SDialogModel();

  // ---- Hooks for the designer -----------------------------------------------------

  // A record that AddControl appended, other than by loading or undo;
  // false takes it out again.
  virtual bool OnControlAdding(_SCtrl* record);
  // Before the designer removes a record; false keeps it (deselected).
  virtual bool OnControlRemoving(_SCtrl* record);
  // After the selection changed: the first selected record before and after.
  virtual void OnSelectionChanged(_SCtrl* before, _SCtrl* after);
  // The record's preview window in the design surface; false without one
  // (a model without a designer window never makes any).
  virtual bool CreatePreviewWindow(_SCtrl* record);
  // InitControlTypes' designer part, between the KEY=Text table and the
  // control type table.
  virtual void PrepareDesigner() {}
  // Clear's designer parts: before the records go (placement tool, panel
  // selection, designer state) and after (the tool panel).
  virtual void OnClearing() {}
  virtual void OnCleared() {}
  // Load succeeded.
  virtual void OnDescriptionLoaded() {}

  // ---- Set-up ----------------------------------------------------------------------

  // Resets the model, fills the KEY=Text table, prepares the designer and
  // writes the control type table; always true.
  bool InitControlTypes();
  // The first row whose KEY equals the text ignoring case; null for "".
  _SType* FindControlType(const char* key);
  // The row of a ControlNumber whose KEY is set; null otherwise.
  const _SType* GetControlType(int controlNumber) const;

  // ---- Records ----------------------------------------------------------------------

  _SCtrl* GetDialogRecord() const { return m_dialog; }
  // Creates the dialog record when missing and copies the record into it as
  // a dialog (ControlNumber 0, is-dialog set); always true.
  bool SetDialogRecord(const _SCtrl* record);
  int GetControlCount() const { return m_controls.GetCount(); }
  _SCtrl* GetControl(int index) const;
  _SCtrl* FindControlById(int id) const;
  _SCtrl* FindControlByName(const char* name) const;

  // A copy of the record appended to the control list (null when refused):
  // applyDefaults makes it a new control of its type, checkName and keepId
  // keep the name and id unless another control has them.
  _SCtrl* AddControl(const _SCtrl* record, bool applyDefaults, bool checkName, bool keepId);
  // Destroys a record of the control list; askHook lets OnControlRemoving
  // refuse.
  bool RemoveControl(_SCtrl* record, bool askHook);
  void RemoveAllControls();

  // The smallest id 1..9999 that no control uses; -1 when all are taken.
  int NextFreeId() const;
  // An identifier that no control has as its name.
  bool IsNameFree(const char* name) const;
  // KEY and the smallest number 1..9999 that gives a free name; "" when none.
  SString MakeUniqueName(const _SType* type) const;

  // Empties the model and the designer state.
  void Clear();
  // Clear, telling the designer that the selection went when a description
  // was loaded; the loaded flag goes off.
  void Reset();
  bool IsLoaded() const { return m_loaded; }

  // ---- Selection and undo -----------------------------------------------------------

  SArray<_SCtrl*>& GetSelection() { return m_selection; }
  _SCtrl* GetPrimary() const { return m_selection.GetCount() > 0 ? m_selection.GetAt(0) : nullptr; }
  SArray<_SUndo*>& GetUndoList() { return m_undo; }
  // The model into the snapshot; false without a dialog record.
  bool TakeSnapshot(_SUndo* snapshot) const;
  // The snapshot back into the model; false when it has no dialog record.
  bool RestoreSnapshot(const _SUndo* snapshot);

  // ---- The description text (dialogs/DialogDescription.cpp) --------------------------

  static const char* const kHeader;  // "TAVRIN DIALOG 1.0.0.0"
  // Reads one description; on failure the model is left empty.
  bool Load(SFile* stream);
  // Writes the model; false without a dialog record or for a record that
  // would not read back the same.
  bool Save(SFile* stream) const;

  // ---- Texts (dialogs/DialogTexts.cpp) -------------------------------------------------

  SStringArray& GetTextTable() { return m_texts; }
  // The text of a KEY=Text line, "" when none; KEY, "|" and that text.
  SString GetText(const char* key) const;
  SString GetKeyedText(const char* key) const;

  SResource* GetResourceSource() const { return m_resources; }
  void SetResourceSource(SResource* resources) { m_resources = resources; }

 private:
  // The position of a record in the control list, -1 when not there.
  int IndexOf(const _SCtrl* record) const;
  // The record and its slot in the control list go.
  void DestroyControlAt(int index);
  void FreeUndo();
  // The per-type settings of a new control.
  static void ApplyDefaults(_SCtrl* record);

  _SCtrl* m_dialog;                 // owned; null until loaded or made
  SArray<_SCtrl*> m_controls;       // owned records
  SArray<_SCtrl*> m_selection;      // into m_controls, or the dialog record
  SArray<_SUndo*> m_undo;           // owned snapshots
  bool m_loaded;
  _SType m_types[kControlTypeCount];
  SResource* m_resources;           // not owned
  SStringArray m_texts;             // KEY=Text lines
};

// Empties the model's KEY=Text table and fills it with the designer's own
// texts (dialogs/DialogTexts.cpp).
void LoadDefaultTexts(SDialogModel* model);

#include "dialogs/SDialogCtrl.h"
