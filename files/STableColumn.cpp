// SStringArray::InsertTableColumn: a string array takes a table's column.
#include "core/SStringArray.h"
#include "files/STable.h"

// The usual range rules of arrays hold: an end below 0 means the last row,
// a position outside the array appends, and the cells keep their order.
int SStringArray::InsertTableColumn(const STable* table, const char* column, int start, int end,
                                    int position) {
  if (!table) return 0;
  if (table->FindField(column) < 0) return 0;
  int rows = table->GetRowCount();
  if (end < 0 || end > rows) end = rows;
  if (start < 0) start = 0;
  if (start >= end) return 0;
  if (position < 0 || position > GetCount()) position = GetCount();
  for (int row = start; row < end; row++)
    Add(table->GetCell(column, row).GetText(), position + row - start);
  return end - start;
}
