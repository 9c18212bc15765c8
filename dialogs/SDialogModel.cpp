// The dialog model: set-up, the control list, ids and names, clearing.
#include "dialogs/SDialogModel.h"

#include <bitset>
#include <cstring>

#include "core/TextFunctions.h"

using _SCtrl = SDialogModel::_SCtrl;

namespace {

// Ids and name numbers are made from 1 to this; past it the model gives up
// (-1, "") and the record keeps that.
constexpr int kMaxMadeNumber = 9999;

}  // namespace

SDialogModel::SDialogModel() : m_dialog(nullptr), m_loaded(false), m_resources(nullptr) {}

SDialogModel::~SDialogModel() {
  FreeUndo();
  m_selection.RemoveAll();
  m_controls.Purge();
  delete m_dialog;
}

bool SDialogModel::OnControlAdding(_SCtrl*) { return true; }
bool SDialogModel::OnControlRemoving(_SCtrl*) { return true; }
void SDialogModel::OnSelectionChanged(_SCtrl*, _SCtrl*) {}
bool SDialogModel::CreatePreviewWindow(_SCtrl*) { return false; }

// ---- Set-up -------------------------------------------------------------------------------

bool SDialogModel::InitControlTypes() {
  Reset();
  LoadDefaultTexts(this);
  PrepareDesigner();
  for (int i = 0; i < kControlTypeCount; i++) {
    m_types[i].controlNumber = int16_t(i);
    m_types[i].key = ControlTypeKey(i);
    m_types[i].displayName = ControlTypeDisplayName(i);
  }
  return true;
}

SDialogModel::_SType* SDialogModel::FindControlType(const char* key) {
  if (!key || !*key) return nullptr;
  for (_SType& type : m_types)
    if (type.key.CompareNoCase(key) == 0) return &type;
  return nullptr;
}

const SDialogModel::_SType* SDialogModel::GetControlType(int controlNumber) const {
  for (const _SType& type : m_types)
    if (type.controlNumber == controlNumber && type.key.GetLength() > 0) return &type;
  return nullptr;
}

// ---- Records ------------------------------------------------------------------------------

bool SDialogModel::SetDialogRecord(const _SCtrl* record) {
  if (!m_dialog) m_dialog = new _SCtrl;
  if (record) m_dialog->CopyFrom(*record);
  m_dialog->controlNumber = kControlDialog;
  m_dialog->isDialog = true;
  return true;
}

_SCtrl* SDialogModel::GetControl(int index) const {
  return index >= 0 && index < m_controls.GetCount() ? m_controls.GetAt(index) : nullptr;
}

_SCtrl* SDialogModel::FindControlById(int id) const {
  for (int i = 0; i < m_controls.GetCount(); i++)
    if (m_controls.GetAt(i)->id == id) return m_controls.GetAt(i);
  return nullptr;
}

_SCtrl* SDialogModel::FindControlByName(const char* name) const {
  for (int i = 0; i < m_controls.GetCount(); i++)
    if (m_controls.GetAt(i)->name == (name ? name : "")) return m_controls.GetAt(i);
  return nullptr;
}

_SCtrl* SDialogModel::AddControl(const _SCtrl* record, bool applyDefaults, bool checkName, bool keepId) {
  if (!record) return nullptr;
  const _SType* type = GetControlType(record->controlNumber);
  if (!type || IndexOf(record) >= 0) return nullptr;

  _SCtrl* added = new _SCtrl;
  added->CopyFrom(*record);
  added->isDialog = false;
  if (!keepId || FindControlById(added->id)) added->id = int16_t(NextFreeId());
  if (!checkName || FindControlByName(added->name.GetText())) added->name = MakeUniqueName(type);
  if (applyDefaults) {
    added->caption = type->displayName;
    added->style |= 0x10000000;  // WS_VISIBLE
    added->SetExtraInt("TABINDEX", -1);
    ApplyDefaults(added);
  }
  CreatePreviewWindow(added);
  m_controls.Add(added);

  if (checkName && keepId) return added;  // loading and undo ask nobody
  if (!OnControlAdding(added)) {
    DestroyControlAt(IndexOf(added));
    return nullptr;
  }
  return added;
}

bool SDialogModel::RemoveControl(_SCtrl* record, bool askHook) {
  int index = IndexOf(record);
  if (index < 0) return false;
  int selected = m_selection.Find(record);
  if (selected >= 0) {
    _SCtrl* before = GetPrimary();
    m_selection.RemoveAt(selected);
    OnSelectionChanged(before, GetPrimary());
  }
  if (askHook && !OnControlRemoving(record)) return false;
  DestroyControlAt(index);
  return true;
}

int SDialogModel::IndexOf(const _SCtrl* record) const {
  for (int i = 0; record && i < m_controls.GetCount(); i++)
    if (m_controls.GetAt(i) == record) return i;
  return -1;
}

void SDialogModel::RemoveAllControls() {
  while (m_controls.GetCount() > 0) RemoveControl(m_controls.GetAt(0), false);
}

void SDialogModel::DestroyControlAt(int index) {
  if (index < 0) return;
  m_controls.DeleteAndRemoveAt(index, 1);
}

// ---- Ids and names ------------------------------------------------------------------------

int SDialogModel::NextFreeId() const {
  std::bitset<kMaxMadeNumber + 1> used;
  for (int i = 0; i < m_controls.GetCount(); i++) {
    int id = m_controls.GetAt(i)->id;
    if (id >= 1 && id <= kMaxMadeNumber) used.set(size_t(id));
  }
  for (int id = 1; id <= kMaxMadeNumber; id++)
    if (!used.test(size_t(id))) return id;
  return -1;
}

bool SDialogModel::IsNameFree(const char* name) const {
  return IsIdentifier(name) && !FindControlByName(name);
}

SString SDialogModel::MakeUniqueName(const _SType* type) const {
  if (!type) return SString("");
  // Numbers taken by names of the form KEY and a decimal without leading
  // zeros; one pass instead of a search per candidate.
  std::bitset<kMaxMadeNumber + 1> used;
  int keyLength = type->key.GetLength();
  for (int i = 0; i < m_controls.GetCount(); i++) {
    const SString& name = m_controls.GetAt(i)->name;
    if (name.GetLength() <= keyLength || name.GetLength() > keyLength + 4) continue;
    if (std::memcmp(name.GetText(), type->key.GetText(), size_t(keyLength)) != 0) continue;
    const char* digits = name.GetText() + keyLength;
    if (*digits == '0') continue;
    int n = 0;
    for (const char* d = digits; *d && n >= 0; d++) n = (*d >= '0' && *d <= '9') ? n * 10 + (*d - '0') : -1;
    if (n > 0) used.set(size_t(n));
  }
  for (int n = 1; n <= kMaxMadeNumber; n++) {
    if (used.test(size_t(n))) continue;
    SString candidate = type->key + SString::FromInt(n);
    if (IsIdentifier(candidate.GetText())) return candidate;
  }
  return SString("");
}

// ---- Clearing -----------------------------------------------------------------------------

void SDialogModel::FreeUndo() {
  m_undo.Purge();
}

void SDialogModel::Clear() {
  OnClearing();
  FreeUndo();
  m_selection.RemoveAll();
  RemoveAllControls();
  delete m_dialog;
  m_dialog = nullptr;
  OnCleared();
}

void SDialogModel::Reset() {
  if (m_loaded) {
    _SCtrl* before = GetPrimary();
    m_selection.RemoveAll();
    OnSelectionChanged(before, nullptr);
    Clear();
    m_loaded = false;
    return;
  }
  Clear();
}
