// SStringArray: the list of texts. An SArray of SString pointers that owns
// its strings: every element is created by the array (on insertion or when a
// line is read) and deleted by it (on Purge, FreeStorage and destruction).
//
// Compare mode: bit 0 descending, bit 1 ignore case (ASCII letters). A null
// slot, such as the Delete family leaves behind, orders before every text.
//
// As a text line an element is its Base64 form (groups without filling and
// one '='), so any byte but 0 survives a save and load.
#pragma once

#include "core/SArray.h"
#include "core/SString.h"

class STable;

class SStringArray : public SArray<SString*> {
 public:
  SStringArray() = default;
  // Copies the strings, never the pointers: no string has two owners.
  SStringArray(const SStringArray& other);
  SStringArray& operator=(const SStringArray& other);
  ~SStringArray() override;

  // ---- Element operations -----------------------------------------------------------

  // A deep copy with the source's compare mode (DeepAssign's texts).
  SArray<SString*>& Assign(const SArray<SString*>& source) override;
  void FreeStorage() override;
  // A new string: the source's text and both tag words; null gives "".
  void CopyElement(SString** dest, SString* const* source, int index, int extra) override;
  // -1, 0 or 1, never the "no opinion" -2.
  int CompareElements(SString* const* a, SString* const* b, int mode, int extra) const override;
  // The line decoded from Base64, up to its first 0 byte.
  void ParseElement(SString** slot, const char* line, int index, int extra) override;
  SString FormatElement(SString* element, int index, int extra) const override;
  // Replaces the contents by new strings with the source's texts, in order;
  // tag words are not copied and the own compare mode stays.
  virtual void DeepAssign(const SArray<SString*>& source);

  // ---- Texts ----------------------------------------------------------------------------

  // n copies of text (null = "") at index (-1 appends); the index of the
  // first, or -1 when n < 1.
  int Add(const char* text, int index = -1, int n = 1);
  // Copies; "" outside the array. GetFirst and GetLast want a non-empty array.
  SString GetString(int index) const;
  SString GetFirst() const { return GetString(0); }
  SString GetLast() const { return GetString(GetCount() - 1); }

  // Ranges (start, end): end exclusive, below 0 or past the count = count.
  int Find(const char* text, int start = 0, int end = -1) const;
  // Deletes and removes every equal element; answers how many.
  int RemoveText(const char* text, int start = 0, int end = -1);
  // The range must be sorted in the current compare mode.
  int FindSorted(const char* text, int start = 0, int end = -1) const;
  int FindInsertPosition(const char* text, int start = 0, int end = -1) const;
  int AddSorted(const char* text, int start = 0, int end = -1);

  // At most count elements from start (-1 = to the end), separator between.
  SString Join(int start, int count, const char* separator) const;
  // Appends to target a copy of every element matching the '*'/'?' pattern;
  // answers how many.
  int CopyMatching(int start, int end, SStringArray* target, const char* pattern) const;
  // Coded pattern: byte 1 any run, byte 2 one byte, every other byte itself
  // ('*' and '?' included). Counts the matching elements and appends their
  // indexes to indexes when given.
  int FindMatches(const char* codedPattern, SArray<int>* indexes) const;

  // ---- Table columns (defined with the table, files/STableColumn.cpp) ----------------

  // Copies of the cells of rows start .. end-1 of a table's column (end < 0
  // or past the rows: the last row), inserted from position on in row order
  // (position < 0 or past the count appends); answers how many.
  int InsertTableColumn(const STable* table, const char* column, int start, int end,
                        int position);
};
