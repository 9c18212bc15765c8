// PObjTable: the script class "Table", a table of named fields and rows of
// text cells (STable), with data texts and attribute lists on the table, its
// fields, rows and cells.
//
// A field argument is a name (ignoring case) or the decimal text of a field
// index; rows count from 0. Whatever does not exist reads as "", 0 or -1 and
// is never created by a setter.
//
// The table reads and writes as the framework's table file (empty
// separator) or as delimited text (the separator's first character),
// through a File argument, a disk path or a "table" resource
// (PObjTableFile.cpp).
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "files/STable.h"

class SFile;

class PObjTable : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'T', 'B', 'L');

  enum Member : uint16_t {
    COPY_FROM = 0,
    REMOVE_FIELD = 1,
    REMOVE_ROWS = 2,
    FILTER = 3,
    GET_CELL = 4,
    GET_CELL_DATA = 5,
    GET_ROW_COUNT = 6,
    GET_FIELD_DATA = 7,
    FIND_FIELD = 8,
    GET_FIELD_NAME = 9,
    GET_FIELD_ATTRIBUTE = 10,
    GET_FIELD_COUNT = 11,
    GET_ROW_DATA = 12,
    GET_ROW_ATTRIBUTE = 13,
    GET_CELL_ATTRIBUTE = 14,
    GET_DATA = 15,
    GET_ATTRIBUTE = 16,
    INSERT_FIELD = 17,
    INSERT_ROW = 18,
    READ_FILE = 19,
    READ_DISK_FILE = 20,
    READ_RESOURCE = 21,
    CLEAR = 22,
    REMOVE_ALL_ROWS = 23,
    WRITE_FILE = 24,
    WRITE_DISK_FILE = 25,
    SET_CELL = 26,
    SET_CELL_DATA = 27,
    SET_FIELD_DATA = 28,
    RENAME_FIELD = 29,
    SET_FIELD_ATTRIBUTE = 30,
    SET_ROW_DATA = 31,
    SET_ROW_ATTRIBUTE = 32,
    SET_CELL_ATTRIBUTE = 33,
    SET_DATA = 34,
    SET_ATTRIBUTE = 35,
    SORT = 36,
    MEMBER_COUNT = 37,
  };

  // No fields, no rows.
  explicit PObjTable(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  STable& GetTable() { return m_table; }

 private:
  // The Table part of argument i; null when there is none.
  PObjTable* GetArgTable(const PArgs* args, int i);

  // The members that read or write the whole table (PObjTableFile.cpp); each
  // answers what Call answers.
  bool CallFile(uint16_t member, PArgs* args, PResultCell* result);
  // With the arguments data and separator that follow the source or
  // target (attribute lists always go along).
  bool ReadTable(SFile* stream, const PArgs* args);
  bool WriteTable(SFile* stream, const PArgs* args);

  STable m_table;
};
