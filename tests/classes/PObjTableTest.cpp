// The Table class through its members: fields, rows, cells and their texts,
// filtering and sorting, and the table read and written through a File, a
// path and a resource; Python's csv module reads and writes the same
// delimited text.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "classes/PObjFile.h"
#include "classes/PObjTable.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/DataClassTest.h"

namespace {

using classtest::kUnset;
using T = PObjTable;

class PObjTableTest : public classtest::DataClassTest {
 protected:
  // A table with the fields and rows of cells given.
  PObjTable* NewTable(const std::vector<std::string>& fields,
                      const std::vector<std::vector<std::string>>& rows) {
    PObjTable* t = NewObject<PObjTable>();
    for (const std::string& f : fields) EXPECT_GE(Int(t, T::INSERT_FIELD, f), 0) << f;
    for (const auto& cells : rows) {
      int64_t row = Int(t, T::INSERT_ROW);
      for (size_t i = 0; i < cells.size(); i++) Do(t, T::SET_CELL, row, std::to_string(i), cells[i]);
    }
    return t;
  }
  // The cells of one field, top to bottom.
  std::vector<std::string> Column(PObjTable* t, const char* field) {
    std::vector<std::string> cells;
    for (int64_t r = 0, n = Int(t, T::GET_ROW_COUNT); r < n; r++) cells.push_back(Text(t, T::GET_CELL, r, field));
    return cells;
  }
  std::vector<std::string> Row(PObjTable* t, int64_t row) {
    std::vector<std::string> cells;
    for (int64_t f = 0, n = Int(t, T::GET_FIELD_COUNT); f < n; f++)
      cells.push_back(Text(t, T::GET_CELL, row, std::to_string(f)));
    return cells;
  }
};

TEST_F(PObjTableTest, Declaration) {
  PObjectDefinition* d = engine.FindDefinition(PObjTable::kTypeCode);
  ASSERT_NE(d, nullptr);
  EXPECT_STREQ(d->GetName(), "Table");
  EXPECT_EQ(d->GetCategory(), CATEGORY_VALUES);
  EXPECT_EQ(d->GetConstantCount(), 1);
  ASSERT_EQ(d->GetMemberCount(), 37);
  const int params[37] = {2, 1, 2, 5, 2, 2, 0, 1, 1, 1, 2, 0, 1, 2, 3, 0, 1, 2, 1,
                          3, 3, 3, 0, 0, 3, 3, 3, 3, 2, 2, 3, 2, 3, 4, 1, 2, 4};
  const int defaults[37] = {1, 0, 1, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1,
                            2, 2, 2, 0, 0, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3};
  for (int m = 0; m < 37; m++) {
    EXPECT_EQ(d->GetParamCount(m), params[m]) << m;
    EXPECT_EQ(d->GetDefaultCount(m), defaults[m]) << m;
  }
  EXPECT_EQ(d->GetParamInfo(T::FILTER, 0)->GetType(), d);
  EXPECT_STREQ(d->GetParamInfo(T::FILTER, 2)->GetDefault().ToString().GetText(), "==");
  EXPECT_EQ(d->GetParamInfo(T::FILTER, 4)->GetDefault().ToInt64(), 1);
  EXPECT_EQ(d->GetParamInfo(T::INSERT_FIELD, 1)->GetDefault().ToInt64(), -1);
  EXPECT_EQ(d->GetParamInfo(T::SORT, 1)->GetDefault().ToInt64(), 0);
  EXPECT_EQ(d->GetParamInfo(T::SORT, 2)->GetDefault().ToInt64(), 1);
  EXPECT_EQ(d->GetParamInfo(T::READ_FILE, 0)->GetType(), engine.FindDefinition(PObjFile::kTypeCode));
  EXPECT_EQ(d->GetReturnType(T::SORT), engine.GetVoidDefinition());
}

TEST_F(PObjTableTest, FieldsAreNamedOrNumbered) {
  PObjTable* t = NewObject<PObjTable>();
  EXPECT_EQ(Int(t, T::INSERT_FIELD, " Name "), 0);
  EXPECT_EQ(Int(t, T::INSERT_FIELD, "Age"), 1);
  // Digits would read as an index; a taken name is refused in any case.
  EXPECT_EQ(Int(t, T::INSERT_FIELD, "12"), -1);
  EXPECT_EQ(Int(t, T::INSERT_FIELD, "AGE"), -1);
  // An unnamed field is reached by its index text; the index is clamped.
  EXPECT_EQ(Int(t, T::INSERT_FIELD, "", 99), 2);
  EXPECT_EQ(Int(t, T::INSERT_FIELD, "First", 0), 0);
  EXPECT_EQ(Int(t, T::GET_FIELD_COUNT), 4);
  EXPECT_EQ(Text(t, T::GET_FIELD_NAME, 1), "Name");
  EXPECT_EQ(Text(t, T::GET_FIELD_NAME, 4), "");
  EXPECT_EQ(Int(t, T::FIND_FIELD, "name"), 1);
  EXPECT_EQ(Int(t, T::FIND_FIELD, "1"), -1);  // names only
  EXPECT_EQ(Int(t, T::FIND_FIELD, "None"), -1);

  EXPECT_EQ(Int(t, T::INSERT_ROW), 0);
  EXPECT_EQ(Int(t, T::INSERT_ROW, 0), 0);
  EXPECT_EQ(Int(t, T::INSERT_ROW, 7), 2);
  Do(t, T::SET_CELL, 0, "name", "Ada");
  Do(t, T::SET_CELL, 1, "3", "unnamed");
  Do(t, T::SET_CELL, 5, "Name", "nowhere");
  Do(t, T::SET_CELL, 0, "missing", "nowhere");
  EXPECT_EQ(Text(t, T::GET_CELL, 0, "1"), "Ada");
  EXPECT_EQ(Text(t, T::GET_CELL, 1, "3"), "unnamed");
  EXPECT_EQ(Text(t, T::GET_CELL, 3, "Name"), "");
  EXPECT_EQ(Int(t, T::GET_ROW_COUNT), 3);

  EXPECT_EQ(Int(t, T::RENAME_FIELD, "Age", "Years"), 1);
  EXPECT_EQ(Int(t, T::RENAME_FIELD, "Years", "name"), 0);
  EXPECT_EQ(Int(t, T::RENAME_FIELD, "Years", "7"), 0);
  EXPECT_EQ(Int(t, T::RENAME_FIELD, "Years", ""), 0);
  EXPECT_EQ(Int(t, T::RENAME_FIELD, "Age", "Other"), 0);
  EXPECT_EQ(Int(t, T::FIND_FIELD, "years"), 2);

  EXPECT_EQ(Int(t, T::REMOVE_FIELD, "First"), 1);
  EXPECT_EQ(Int(t, T::REMOVE_FIELD, "First"), 0);
  EXPECT_EQ(Text(t, T::GET_CELL, 0, "0"), "Ada");
  Do(t, T::REMOVE_ROWS, 0);
  EXPECT_EQ(Int(t, T::GET_ROW_COUNT), 2);
  EXPECT_EQ(Text(t, T::GET_CELL, 0, "2"), "unnamed");
  Do(t, T::REMOVE_ROWS, 0, 5);
  EXPECT_EQ(Int(t, T::GET_ROW_COUNT), 0);
  EXPECT_EQ(Int(t, T::GET_FIELD_COUNT), 3);
  Do(t, T::CLEAR);
  EXPECT_EQ(Int(t, T::GET_FIELD_COUNT), 0);
}

// Data texts and attribute lists of the table, a field, a row and a cell.
TEST_F(PObjTableTest, DataTextsAndAttributes) {
  PObjTable* t = NewTable({"a", "b"}, {{"1", "2"}, {"3", "4"}});
  Do(t, T::SET_DATA, "table data");
  Do(t, T::SET_ATTRIBUTE, "width", "10");
  Do(t, T::SET_FIELD_DATA, "b", "field data");
  Do(t, T::SET_FIELD_ATTRIBUTE, "1", "align", "left");
  Do(t, T::SET_ROW_DATA, 1, "row data");
  Do(t, T::SET_ROW_ATTRIBUTE, 1, "height", "3");
  Do(t, T::SET_CELL_DATA, 1, "a", "cell data");
  Do(t, T::SET_CELL_ATTRIBUTE, 1, "a", "color", "red");
  // Keys must be identifiers and values hold no ";".
  Do(t, T::SET_ATTRIBUTE, "2x", "no");
  Do(t, T::SET_ATTRIBUTE, "width", "1;2");
  Do(t, T::SET_ROW_DATA, 9, "nowhere");

  EXPECT_EQ(Text(t, T::GET_DATA), "table data");
  EXPECT_EQ(Text(t, T::GET_ATTRIBUTE, "WIDTH"), "10");
  EXPECT_EQ(Text(t, T::GET_ATTRIBUTE, "2x"), "");
  EXPECT_EQ(Text(t, T::GET_FIELD_DATA, "1"), "field data");
  EXPECT_EQ(Text(t, T::GET_FIELD_ATTRIBUTE, "b", "align"), "left");
  EXPECT_EQ(Text(t, T::GET_ROW_DATA, 1), "row data");
  EXPECT_EQ(Text(t, T::GET_ROW_DATA, 0), "");
  EXPECT_EQ(Text(t, T::GET_ROW_ATTRIBUTE, 1, "height"), "3");
  EXPECT_EQ(Text(t, T::GET_CELL_DATA, 1, "a"), "cell data");
  EXPECT_EQ(Text(t, T::GET_CELL_ATTRIBUTE, 1, "0", "color"), "red");
  EXPECT_EQ(Text(t, T::GET_CELL_ATTRIBUTE, 0, "0", "color"), "");

  // A copy keeps the data texts only when asked to.
  PObjTable* copy = NewObject<PObjTable>();
  EXPECT_EQ(Int(copy, T::COPY_FROM, t), 1);
  EXPECT_EQ(Text(copy, T::GET_CELL_DATA, 1, "a"), "cell data");
  EXPECT_EQ(Text(copy, T::GET_CELL, 1, "b"), "4");
  EXPECT_EQ(Int(copy, T::COPY_FROM, t, 0), 1);
  EXPECT_EQ(Text(copy, T::GET_DATA), "");
  EXPECT_EQ(Text(copy, T::GET_CELL_ATTRIBUTE, 1, "a", "color"), "red");
  EXPECT_EQ(Int(copy, T::COPY_FROM, nullptr), kUnset);
  EXPECT_EQ(Int(copy, T::GET_ROW_COUNT), 2);
  Do(copy, T::REMOVE_ALL_ROWS);
  EXPECT_EQ(Int(copy, T::GET_ROW_COUNT), 0);
  EXPECT_EQ(Int(copy, T::GET_FIELD_COUNT), 2);
}

TEST_F(PObjTableTest, FilterComparesEveryCellUnderTheOperator) {
  PObjTable* t = NewTable({"name", "city"},
                          {{"ann", "Oslo"}, {"bob", "Bergen"}, {"cid", "Oslo"}, {"dan", "Alta"}});
  const struct {
    const char* op;
    const char* value;
    std::vector<std::string> names;
  } cases[] = {
      {"==", "Oslo", {"ann", "cid"}},  {"=", "Oslo", {"ann", "cid"}},
      {"!=", "Oslo", {"bob", "dan"}},  {"<", "Bergen", {"dan"}},
      {"<=", "Bergen", {"bob", "dan"}}, {">", "Bergen", {"ann", "cid"}},
      {">=", "Oslo", {"ann", "cid"}},  {"?=", "*e?g*", {"bob"}},
      {"~", "Alta", {"dan"}},          {"==", "oslo", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.op) + " " + c.value);
    PObjTable* target = NewObject<PObjTable>();
    EXPECT_EQ(Int(t, T::FILTER, target, "city", c.op, c.value), int64_t(c.names.size()));
    EXPECT_EQ(Column(target, "name"), c.names);
    EXPECT_EQ(Int(target, T::GET_FIELD_COUNT), 2);
  }
  // Without reset the rows add to what the target holds; with it they
  // replace them.
  PObjTable* target = NewObject<PObjTable>();
  EXPECT_EQ(Int(t, T::FILTER, target, "city", "==", "Alta"), 1);
  EXPECT_EQ(Int(t, T::FILTER, target, "1", "==", "Bergen", 0), 1);
  EXPECT_EQ(Column(target, "name"), (std::vector<std::string>{"dan", "bob"}));
  EXPECT_EQ(Int(t, T::FILTER, target, "missing"), 0);
  EXPECT_EQ(Int(target, T::GET_ROW_COUNT), 0);
  EXPECT_EQ(Int(t, T::FILTER, nullptr, "city"), kUnset);
  // Into itself: the rows it held are examined once.
  EXPECT_EQ(Int(t, T::FILTER, t, "city", "==", "Oslo"), 2);
  EXPECT_EQ(Column(t, "name"), (std::vector<std::string>{"ann", "cid"}));
}

TEST_F(PObjTableTest, SortIsStableAndStaysInsideGroups) {
  PObjTable* t = NewTable({"n"}, {{"10"}, {"9"}, {"100"}});
  Do(t, T::SORT, "n", 1);
  EXPECT_EQ(Column(t, "n"), (std::vector<std::string>{"9", "10", "100"}));
  Do(t, T::SORT, "n");
  EXPECT_EQ(Column(t, "n"), (std::vector<std::string>{"10", "100", "9"}));
  Do(t, T::SORT, "n", 1, 0);
  EXPECT_EQ(Column(t, "n"), (std::vector<std::string>{"100", "10", "9"}));

  PObjTable* g = NewTable({"group", "n", "tag"}, {{"b", "-2", "first"}, {"b", "-5", "x"},
                                                  {"a", "3", "y"}, {"a", "1", "z"}, {"b", "-2", "second"}});
  Do(g, T::SORT, "n", 1, 1, "group");
  // Each run of equal groups sorted on its own; equal numbers keep their order.
  EXPECT_EQ(Column(g, "tag"), (std::vector<std::string>{"x", "first", "z", "y", "second"}));
  Do(g, T::SORT, "n", 1, 1, "missing");
  Do(g, T::SORT, "missing", 1);
  EXPECT_EQ(Column(g, "tag"), (std::vector<std::string>{"x", "first", "z", "y", "second"}));
}

TEST_F(PObjTableTest, TableFileThroughFilesAndPaths) {
  PObjTable* t = NewTable({"k", "v"}, {{"one", "1"}, {"two", "2"}});
  Do(t, T::SET_CELL_DATA, 1, "v", "kept?");
  Do(t, T::SET_CELL_ATTRIBUTE, 1, "v", "bold", "1");

  // Through a File's memory stream, at its position.
  PObjFile* f = MemoryFile("head");
  f->GetStream()->SeekToEnd();
  EXPECT_EQ(Int(t, T::WRITE_FILE, f), 1);
  EXPECT_EQ(Content(f).substr(0, 24), std::string("headTAVRIN TABLE 1.0.0.0\0", 25).substr(0, 24));
  f->GetStream()->Seek(4);
  PObjTable* back = NewObject<PObjTable>();
  EXPECT_EQ(Int(back, T::READ_FILE, f, 0), 1);
  EXPECT_EQ(Row(back, 1), (std::vector<std::string>{"two", "2"}));
  EXPECT_EQ(Text(back, T::GET_CELL_DATA, 1, "v"), "");
  EXPECT_EQ(Text(back, T::GET_CELL_ATTRIBUTE, 1, "v", "bold"), "1");

  // Through a path, data texts kept.
  const std::string path = PathOf("t.tbl");
  EXPECT_EQ(Int(t, T::WRITE_DISK_FILE, path), 1);
  EXPECT_EQ(Int(back, T::READ_DISK_FILE, path), 1);
  EXPECT_EQ(Text(back, T::GET_CELL_DATA, 1, "v"), "kept?");
  EXPECT_EQ(Int(back, T::READ_DISK_FILE, PathOf("missing.tbl")), 0);
  EXPECT_EQ(Int(t, T::WRITE_DISK_FILE, PathOf("no/such/folder.tbl")), 0);

  // A wrong magic line clears the table.
  WriteDisk(PathOf("bad.tbl"), std::string("TAVRIN TABLE 9\0" "0\0" "0\0", 19));
  EXPECT_EQ(Int(back, T::READ_DISK_FILE, PathOf("bad.tbl")), 0);
  EXPECT_EQ(Int(back, T::GET_FIELD_COUNT), 0);

  // A File that is not open is not used.
  PObjFile* closed = NewFile();
  EXPECT_EQ(Int(t, T::WRITE_FILE, closed), kUnset);
  EXPECT_EQ(Int(t, T::READ_FILE, closed), kUnset);
  EXPECT_EQ(Int(t, T::READ_FILE, nullptr), kUnset);
  EXPECT_EQ(Int(t, T::GET_ROW_COUNT), 2);
}

TEST_F(PObjTableTest, DelimitedTextQuotesEveryCell) {
  PObjTable* t = NewTable({"a", "b"}, {{"say \"hi\"", "x"}, {"", "1,2"}});
  const std::string path = PathOf("t.csv");
  EXPECT_EQ(Int(t, T::WRITE_DISK_FILE, path, 1, ","), 1);
  EXPECT_EQ(ReadDisk(path), "\"say \"\"hi\"\"\",\"x\"\r\n\"\",\"1,2\"\r\n");
  // Only the separator's first character counts.
  EXPECT_EQ(Int(t, T::WRITE_DISK_FILE, path, 1, ";,"), 1);
  EXPECT_EQ(ReadDisk(path), "\"say \"\"hi\"\"\";\"x\"\r\n\"\";\"1,2\"\r\n");
  PObjTable* back = NewObject<PObjTable>();
  EXPECT_EQ(Int(back, T::READ_DISK_FILE, path, 1, ";"), 1);
  EXPECT_EQ(Row(back, 0), (std::vector<std::string>{"say \"hi\"", "x"}));
  EXPECT_EQ(Row(back, 1), (std::vector<std::string>{"", "1,2"}));
  EXPECT_EQ(Text(back, T::GET_FIELD_NAME, 0), "");
}

TEST_F(PObjTableTest, ResourcesComeFromTheTableFolder) {
  UseResources({{"table\\list.csv", "\"a\",\"b\"\r\n\"c\",\"d\"\r\n"}, {"text\\list.csv", "x"}});
  PObjTable* t = NewObject<PObjTable>();
  EXPECT_EQ(Int(t, T::READ_RESOURCE, "list.csv", 1, ","), 1);
  EXPECT_EQ(Row(t, 1), (std::vector<std::string>{"c", "d"}));
  EXPECT_EQ(Int(t, T::READ_RESOURCE, "other.csv", 1, ","), kUnset);
  EXPECT_EQ(Int(t, T::GET_ROW_COUNT), 2);
}

#ifndef _WIN32
// Python's csv module reads the class's delimited text as the same cells,
// and a file it writes reads back through the class as its cells.
TEST_F(PObjTableTest, PythonCsvReadsAndWritesTheSameCells) {
  if (std::system("python3 -c 'import csv' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
  const std::vector<std::vector<std::string>> rows = {
      {"plain", "with \"quotes\"", "comma, inside"}, {"", "\"", "two\r\nlines"}, {"é", " blank ", "x"}};
  PObjTable* t = NewTable({"a", "b", "c"}, rows);
  const std::string ours = PathOf("ours.csv"), theirs = PathOf("theirs.csv");
  ASSERT_EQ(Int(t, T::WRITE_DISK_FILE, ours, 1, ","), 1);
  // The expected rows as a Python literal, bytes kept as Latin-1 code points.
  std::string literal = "[";
  for (const auto& r : rows) {
    literal += "[";
    for (const std::string& cell : r) {
      literal += "\"";
      for (unsigned char c : cell) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02x", c);
        literal += hex;
      }
      literal += "\",";
    }
    literal += "],";
  }
  literal += "]";
  const std::string script = PathOf("peer.py");
  WriteDisk(script,
            "import csv, sys\n"
            "rows = list(csv.reader(open(sys.argv[1], newline='', encoding='latin-1')))\n"
            "expected = " + literal + "\n"
            "assert rows == expected, rows\n"
            "rows.append(['written', 'by \"csv\"', ''])\n"
            "csv.writer(open(sys.argv[2], 'w', newline='', encoding='latin-1')).writerows(rows)\n");
  ASSERT_EQ(std::system(("python3 '" + script + "' '" + ours + "' '" + theirs + "'").c_str()), 0);

  PObjTable* back = NewObject<PObjTable>();
  ASSERT_EQ(Int(back, T::READ_DISK_FILE, theirs, 1, ","), 1);
  ASSERT_EQ(Int(back, T::GET_ROW_COUNT), 4);
  for (size_t r = 0; r < rows.size(); r++) EXPECT_EQ(Row(back, int64_t(r)), rows[r]) << r;
  EXPECT_EQ(Row(back, 3), (std::vector<std::string>{"written", "by \"csv\"", ""}));
}
#endif

}  // namespace
