// STable: fields, rows, cells, attribute lists, sorting and filtering.
// Reading and writing live in STableFile.cpp.
#include "files/STable.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <vector>

#include "core/TextFunctions.h"

STable::STable() {}

STable::~STable() { Clear(); }

void STable::Clear() {
  m_data = "";
  m_attributes = "";
  m_rowData.Purge();
  m_rowAttributes.Purge();
  m_fields.Purge();
}

// ==== Fields ===========================================================================

int STable::FindFieldByName(const char* name) const {
  if (!name) return -1;
  for (int i = 0; i < m_fields.GetCount(); i++)
    if (m_fields.GetAt(i)->name.CompareNoCase(name) == 0) return i;
  return -1;
}

int STable::FindField(const char* field) const {
  if (!field || !*field) return -1;
  SString text(field);
  if (text.IsInteger()) {
    int64_t index = text.ToInt64();
    return index >= 0 && index < m_fields.GetCount() ? int(index) : -1;
  }
  return FindFieldByName(field);
}

STable::_SField* STable::FieldAt(const char* field) const {
  int i = FindField(field);
  return i < 0 ? nullptr : m_fields.GetAt(i);
}

// An empty name is always free; any other must be no integer text and
// belong to no field, the one being renamed included: a rename that only
// changes the case of a name is refused like any other taken name.
bool STable::IsNameFree(const SString& name) const {
  if (name.GetLength() == 0) return true;
  if (name.IsInteger()) return false;
  return FindFieldByName(name.GetText()) < 0;
}

int STable::InsertField(const char* name, int index) {
  if (index < 0 || index > m_fields.GetCount()) index = m_fields.GetCount();
  SString trimmed(name);
  trimmed.Trim();
  if (!IsNameFree(trimmed)) return -1;
  return m_fields.InsertAt(NewField(trimmed), index);
}

// A field with an empty cell for every row.
STable::_SField* STable::NewField(const SString& name) const {
  _SField* field = new _SField();
  field->name = name;
  field->data = "";
  field->attributes = "";
  int rows = GetRowCount();
  field->cells.Add("", -1, rows);
  field->cellData.Add("", -1, rows);
  field->cellAttributes.Add("", -1, rows);
  return field;
}

bool STable::RemoveField(const char* field) {
  int i = FindField(field);
  if (i < 0) return false;
  m_fields.DeleteAndRemoveAt(i, 1);
  if (m_fields.GetCount() == 0) {
    m_rowData.Purge();
    m_rowAttributes.Purge();
  }
  return true;
}

// The field's own current name does not count as taken, so a field may be
// renamed to its own name in another case.
bool STable::RenameField(const char* field, const char* newName) {
  SString trimmed(newName);
  trimmed.Trim();
  _SField* target = FieldAt(field);
  if (!target || !IsNameFree(trimmed)) return false;
  target->name = trimmed;
  return true;
}

SString STable::GetFieldName(int index) const {
  if (index < 0 || index >= m_fields.GetCount()) return SString("");
  return m_fields.GetAt(index)->name;
}

void STable::SetFieldData(const char* field, const char* text) {
  if (_SField* f = FieldAt(field)) f->data = text ? text : "";
}

SString STable::GetFieldData(const char* field) const {
  _SField* f = FieldAt(field);
  return f ? f->data : SString("");
}

void STable::SetFieldAttribute(const char* field, const char* key, const char* value) {
  if (_SField* f = FieldAt(field)) f->attributes = SetListAttribute(f->attributes.GetText(), key, value);
}

SString STable::GetFieldAttribute(const char* field, const char* key) const {
  _SField* f = FieldAt(field);
  return f ? GetListAttribute(f->attributes.GetText(), key) : SString("");
}

void STable::SetAttribute(const char* key, const char* value) {
  m_attributes = SetListAttribute(m_attributes.GetText(), key, value);
}

SString STable::GetAttribute(const char* key) const {
  return GetListAttribute(m_attributes.GetText(), key);
}

// ==== Rows ===================================================================================

int STable::InsertRow(int index) {
  if (index < 0 || index > GetRowCount()) index = GetRowCount();
  m_rowData.Add("", index);
  m_rowAttributes.Add("", index);
  for (int i = 0; i < m_fields.GetCount(); i++) {
    _SField* f = m_fields.GetAt(i);
    f->cells.Add("", index);
    f->cellData.Add("", index);
    f->cellAttributes.Add("", index);
  }
  return index;
}

void STable::RemoveRows(int index, int count) {
  if (index < 0 || index >= GetRowCount()) return;
  m_rowData.DeleteAndRemoveAt(index, count);
  m_rowAttributes.DeleteAndRemoveAt(index, count);
  for (int i = 0; i < m_fields.GetCount(); i++) {
    _SField* f = m_fields.GetAt(i);
    f->cells.DeleteAndRemoveAt(index, count);
    f->cellData.DeleteAndRemoveAt(index, count);
    f->cellAttributes.DeleteAndRemoveAt(index, count);
  }
}

void STable::RemoveAllRows() {
  m_rowData.Purge();
  m_rowAttributes.Purge();
  for (int i = 0; i < m_fields.GetCount(); i++) {
    _SField* f = m_fields.GetAt(i);
    f->cells.Purge();
    f->cellData.Purge();
    f->cellAttributes.Purge();
  }
}

namespace {

// The row's string in one per-row list, or null when the row is outside.
SString* RowSlot(const SStringArray& list, int row) {
  return row >= 0 && row < list.GetCount() ? list.GetAt(row) : nullptr;
}

void SetSlot(const SStringArray& list, int row, const char* text) {
  if (SString* s = RowSlot(list, row)) *s = text ? text : "";
}

SString GetSlot(const SStringArray& list, int row) {
  SString* s = RowSlot(list, row);
  return s ? *s : SString("");
}

void SetSlotAttribute(const SStringArray& list, int row, const char* key, const char* value) {
  if (SString* s = RowSlot(list, row)) *s = STable::SetListAttribute(s->GetText(), key, value);
}

SString GetSlotAttribute(const SStringArray& list, int row, const char* key) {
  SString* s = RowSlot(list, row);
  return s ? STable::GetListAttribute(s->GetText(), key) : SString("");
}

}  // namespace

void STable::SetRowData(int row, const char* text) { SetSlot(m_rowData, row, text); }

SString STable::GetRowData(int row) const { return GetSlot(m_rowData, row); }

void STable::SetRowAttribute(int row, const char* key, const char* value) {
  SetSlotAttribute(m_rowAttributes, row, key, value);
}

SString STable::GetRowAttribute(int row, const char* key) const {
  return GetSlotAttribute(m_rowAttributes, row, key);
}

// ==== Cells =====================================================================================

void STable::SetCell(const char* field, int row, const char* text) {
  if (_SField* f = FieldAt(field)) SetSlot(f->cells, row, text);
}

SString STable::GetCell(const char* field, int row) const {
  _SField* f = FieldAt(field);
  return f ? GetSlot(f->cells, row) : SString("");
}

void STable::SetCellData(const char* field, int row, const char* text) {
  if (_SField* f = FieldAt(field)) SetSlot(f->cellData, row, text);
}

SString STable::GetCellData(const char* field, int row) const {
  _SField* f = FieldAt(field);
  return f ? GetSlot(f->cellData, row) : SString("");
}

void STable::SetCellAttribute(const char* field, int row, const char* key, const char* value) {
  if (_SField* f = FieldAt(field)) SetSlotAttribute(f->cellAttributes, row, key, value);
}

SString STable::GetCellAttribute(const char* field, int row, const char* key) const {
  _SField* f = FieldAt(field);
  return f ? GetSlotAttribute(f->cellAttributes, row, key) : SString("");
}

// ==== Copying, sorting, filtering ==================================================================

bool STable::CopyRow(int row, STable* target) {
  if (row < 0 || row >= GetRowCount()) return false;
  if (!target) target = this;
  CopyRowTo(row, target, target == this);
  return true;
}

// sameLayout: the target's fields are this table's, position for position
// (the table itself, or a snapshot of it), so values go by position too.
void STable::CopyRowTo(int row, STable* target, bool sameLayout) {
  int to = target->InsertRow(-1);
  for (int i = 0; i < m_fields.GetCount(); i++) {
    _SField* f = m_fields.GetAt(i);
    int named = sameLayout ? i : target->FindField(f->name.GetText());
    if (named >= 0) *target->m_fields.GetAt(named)->cells.GetAt(to) = *f->cells.GetAt(row);
    // A target with fewer fields has no place for the rest.
    if (i < target->GetFieldCount()) {
      _SField* t = target->m_fields.GetAt(i);
      *t->cellData.GetAt(to) = *f->cellData.GetAt(row);
      *t->cellAttributes.GetAt(to) = *f->cellAttributes.GetAt(row);
    }
  }
}

namespace {

// Puts the strings of one per-row list into the given order of old rows.
void Permute(SStringArray& list, const std::vector<int>& order) {
  std::vector<SString*> old(static_cast<size_t>(list.GetCount()));
  for (int k = 0; k < list.GetCount(); k++) old[size_t(k)] = list.GetAt(k);
  for (int k = 0; k < list.GetCount(); k++) *list.GetPtr(k) = old[size_t(order[size_t(k)])];
}

// strcmp order: bytes as unsigned values.
bool TextLess(const SString* a, const SString* b) { return std::strcmp(a->GetText(), b->GetText()) < 0; }

}  // namespace

// Equal cells keep their order, and rows never leave their run of equal
// group cells: a stable sort of each run.
void STable::Sort(const char* field, const char* group, bool numeric, bool ascending) {
  _SField* f = FieldAt(field);
  if (!f) return;
  _SField* g = nullptr;
  if (group && *group) {
    g = FieldAt(group);
    if (!g) return;
  }
  int n = GetRowCount();
  if (n < 2) return;
  std::vector<int64_t> numbers;
  if (numeric) {
    numbers.resize(size_t(n));
    for (int r = 0; r < n; r++) numbers[size_t(r)] = f->cells.GetAt(r)->ToInt64();
  }
  auto less = [&](int a, int b) {
    if (!ascending) std::swap(a, b);
    if (numeric) return numbers[size_t(a)] < numbers[size_t(b)];
    return TextLess(f->cells.GetAt(a), f->cells.GetAt(b));
  };
  std::vector<int> order(static_cast<size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  for (int start = 0; start < n;) {
    int end = start + 1;
    while (end < n && g &&
           std::strcmp(g->cells.GetAt(end)->GetText(), g->cells.GetAt(start)->GetText()) == 0)
      end++;
    if (!g) end = n;
    std::stable_sort(order.begin() + start, order.begin() + end, less);
    start = end;
  }
  Permute(m_rowData, order);
  Permute(m_rowAttributes, order);
  for (int i = 0; i < m_fields.GetCount(); i++) {
    Permute(m_fields.GetAt(i)->cells, order);
    Permute(m_fields.GetAt(i)->cellData, order);
    Permute(m_fields.GetAt(i)->cellAttributes, order);
  }
}

namespace {

bool Passes(const char* cell, const char* op, const char* value) {
  if (std::strcmp(op, "?=") == 0) return SString::MatchWildcard(cell, value);
  int c = std::strcmp(cell, value);
  if (std::strcmp(op, "!=") == 0) return c != 0;
  if (std::strcmp(op, "<") == 0) return c < 0;
  if (std::strcmp(op, ">") == 0) return c > 0;
  if (std::strcmp(op, "<=") == 0) return c <= 0;
  if (std::strcmp(op, ">=") == 0) return c >= 0;
  return c == 0;
}

}  // namespace

// Filtering a table into itself reads from the rows it held at the start:
// appended copies are not examined again, and with copyFields the rows are
// read from a snapshot taken before they are removed.
int STable::Filter(STable* target, const char* field, const char* op, const char* value,
                   bool copyFields) {
  if (!target) return 0;
  op = op ? op : "";
  value = value ? value : "";
  STable snapshot;
  STable* source = this;
  if (target == this && copyFields) {
    if (!snapshot.CopyFrom(this, true, true)) return 0;
    source = &snapshot;
    RemoveAllRows();
  } else if (copyFields) {
    target->RemoveAllRows();
    for (int i = 0; i < m_fields.GetCount(); i++)
      target->InsertField(m_fields.GetAt(i)->name.GetText(), -1);
  }
  int column = source->FindField(field);
  if (column < 0) return 0;
  SStringArray& cells = source->m_fields.GetAt(column)->cells;
  int rows = source->GetRowCount();
  int copied = 0;
  for (int r = 0; r < rows; r++) {
    if (!Passes(cells.GetAt(r)->GetText(), op, value)) continue;
    source->CopyRowTo(r, target, target == this);
    copied++;
  }
  return copied;
}

// ==== Attribute lists ==================================================================================

namespace {

// Calls visit(start, length) for each ";"-separated item of list, the empty
// ones included, until it answers true.
template <class Visit>
void ForEachItem(const char* list, Visit visit) {
  const char* p = list;
  for (;;) {
    const char* end = std::strchr(p, ';');
    int n = end ? int(end - p) : int(std::strlen(p));
    if (visit(int(p - list), n)) return;
    if (!end) return;
    p = end + 1;
  }
}

// The item's key: the text before its first "=", or "" without one.
bool KeyMatches(const char* item, int n, const char* key) {
  const char* eq = static_cast<const char*>(std::memchr(item, '=', size_t(n)));
  int keyLength = eq ? int(eq - item) : 0;
  if (keyLength != int(std::strlen(key))) return false;
  SString itemKey;
  itemKey.Assign(item, keyLength);
  return itemKey.CompareNoCase(key) == 0;
}

}  // namespace

SString STable::SetListAttribute(const char* list, const char* key, const char* value) {
  list = list ? list : "";
  value = value ? value : "";
  SString result(list);
  if (!IsIdentifier(key) || std::strchr(value, ';')) return result;
  bool replaced = false;
  ForEachItem(list, [&](int start, int n) {
    if (!KeyMatches(list + start, n, key)) return false;
    int eq = int(static_cast<const char*>(std::memchr(list + start, '=', size_t(n))) - list);
    result.Assign(list, eq + 1);
    result += value;
    result += list + start + n;
    replaced = true;
    return true;
  });
  if (replaced) return result;
  if (result.GetLength() > 0) result += ";";
  result += key;
  result += "=";
  result += value;
  return result;
}

SString STable::GetListAttribute(const char* list, const char* key) {
  SString result("");
  if (!list || !key) return result;
  ForEachItem(list, [&](int start, int n) {
    if (!KeyMatches(list + start, n, key)) return false;
    const char* eq = static_cast<const char*>(std::memchr(list + start, '=', size_t(n)));
    if (eq) result.Assign(eq + 1, int(list + start + n - (eq + 1)));
    return true;
  });
  return result;
}
