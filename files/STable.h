// STable: a table of text cells in named fields (columns) and rows.
//
// Besides its cell values, the table itself, every field, every row and
// every cell carry a free data text and an attribute list: items of key "="
// value joined by ";", keys compared ignoring case (the spreadsheet keeps
// widths, colours and alignment there).
//
// A field is referred to by a "field" text: a decimal index when the text is
// an integer, else a name compared ignoring case ("" refers to none). Names
// are trimmed; a non-empty name is unique and never an integer text; empty
// names may repeat. A table without fields has no rows.
//
// Tables are stored as a table file (the magic "TAVRIN TABLE 1.0.0.0", then
// NUL-terminated texts) or as delimited text lines.
#pragma once

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"

class SFile;

class STable {
 public:
  STable();
  virtual ~STable();
  STable(const STable&) = delete;
  STable& operator=(const STable&) = delete;

  void Clear();
  int GetFieldCount() const { return m_fields.GetCount(); }
  int GetRowCount() const { return m_rowData.GetCount(); }

  // ---- Fields -----------------------------------------------------------------------

  int FindField(const char* field) const;
  int FindFieldByName(const char* name) const;
  // index < 0 or past the end appends; the new index, -1 when the name is
  // taken or an integer text.
  int InsertField(const char* name, int index);
  bool RemoveField(const char* field);
  bool RenameField(const char* field, const char* newName);
  SString GetFieldName(int index) const;
  void SetFieldData(const char* field, const char* text);
  SString GetFieldData(const char* field) const;
  void SetFieldAttribute(const char* field, const char* key, const char* value);
  SString GetFieldAttribute(const char* field, const char* key) const;

  // ---- The table's own data ----------------------------------------------------------

  void SetData(const char* text) { m_data = text ? text : ""; }
  const SString& GetData() const { return m_data; }
  void SetAttribute(const char* key, const char* value);
  SString GetAttribute(const char* key) const;

  // ---- Rows ----------------------------------------------------------------------------

  // index < 0 or past the end appends; the new index.
  int InsertRow(int index);
  // Nothing when index is outside the rows; count < 0 reaches the end.
  void RemoveRows(int index, int count);
  void RemoveAllRows();
  void SetRowData(int row, const char* text);
  SString GetRowData(int row) const;
  void SetRowAttribute(int row, const char* key, const char* value);
  SString GetRowAttribute(int row, const char* key) const;

  // ---- Cells -----------------------------------------------------------------------------

  void SetCell(const char* field, int row, const char* text);
  SString GetCell(const char* field, int row) const;
  void SetCellData(const char* field, int row, const char* text);
  SString GetCellData(const char* field, int row) const;
  void SetCellAttribute(const char* field, int row, const char* key, const char* value);
  SString GetCellAttribute(const char* field, int row, const char* key) const;

  // ---- Whole-table operations ---------------------------------------------------------------

  // Appends a copy of the row to target (null: this table); values go to the
  // field of the same name, cell data and attributes to the field at the
  // same position when the target has one.
  bool CopyRow(int row, STable* target);
  // Stable insertion sort by the field's cells, within runs of equal group
  // cells when a group field is given; ascending true sorts smallest first,
  // as text or as 64-bit numbers.
  void Sort(const char* field, const char* group, bool numeric, bool ascending);
  // Copies the rows whose cell passes the test ("!=", "<", ">", "<=", ">=",
  // "?=" wildcard, else "=") to target; copyFields first empties the
  // target's rows and adds this table's field names. Answers the count.
  // The rows examined are those the table held when the call began, also
  // when the target is this table.
  int Filter(STable* target, const char* field, const char* op, const char* value,
             bool copyFields);

  // separator 0: the table file; else delimited text lines. Read clears
  // the table first; it refuses (false, table empty) a table file whose
  // counts claim more texts than the stream holds bytes, and delimited text
  // whose short rows would make several times more cells than it has bytes.
  // Written texts that the stream does not take in full make Write false.
  bool Read(SFile* stream, bool data, bool attributes, char separator);
  bool Write(SFile* stream, bool data, bool attributes, char separator);
  bool CopyFrom(STable* other, bool data, bool attributes);

  // ---- Attribute lists ------------------------------------------------------------------------

  // The list with key set to value; unchanged when the key is no identifier
  // or the value holds ";".
  static SString SetListAttribute(const char* list, const char* key, const char* value);
  static SString GetListAttribute(const char* list, const char* key);

 private:
  struct _SField {
    SString name;
    SString data;
    SString attributes;
    SStringArray cells;           // one per row, like the three below
    SStringArray cellData;
    SStringArray cellAttributes;
  };

  _SField* FieldAt(const char* field) const;
  _SField* NewField(const SString& name) const;
  bool IsNameFree(const SString& name) const;
  void CopyRowTo(int row, STable* target, bool sameLayout);
  bool ReadTableFile(SFile* stream, bool data, bool attributes);
  bool WriteTableFile(SFile* stream, bool data, bool attributes);
  bool ReadDelimited(SFile* stream, char separator);
  bool WriteDelimited(SFile* stream, char separator);

  SString m_data;
  SString m_attributes;
  SStringArray m_rowData;
  SStringArray m_rowAttributes;
  SArray<_SField*> m_fields;  // owned
};
