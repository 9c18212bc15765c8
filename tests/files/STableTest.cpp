#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/SStringArray.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"
#include "files/STable.h"

namespace {

// ---- Helpers ---------------------------------------------------------------------------

// A table with the given field names and rows of cell values.
void Fill(STable& table, std::vector<const char*> fields, std::vector<std::vector<const char*>> rows) {
  table.Clear();
  for (const char* f : fields) table.InsertField(f, -1);
  for (auto& row : rows) {
    int r = table.InsertRow(-1);
    for (size_t i = 0; i < row.size(); i++) table.SetCell(std::to_string(i).c_str(), r, row[i]);
  }
}

// The values of one field, top to bottom, joined by ",".
std::string Column(const STable& table, const char* field) {
  std::string out;
  for (int r = 0; r < table.GetRowCount(); r++) {
    if (r) out += ",";
    out += table.GetCell(field, r).GetText();
  }
  return out;
}

std::string Bytes(SFileMem& file) {
  return std::string(reinterpret_cast<const char*>(file.GetData()), size_t(file.GetSize()));
}

const char kMagic[] = "TAVRIN TABLE 1.0.0.0";

// Texts of a table file, each with its NUL.
std::string Texts(std::vector<const char*> texts) {
  std::string out;
  for (const char* t : texts) out += std::string(t) + '\0';
  return out;
}

void Put(SFileMem& file, const std::string& bytes) {
  file.Close();
  file.Write(bytes.data(), int(bytes.size()));
  file.Rewind();
}

// A table with something in every text the file keeps.
void FillEverything(STable& table) {
  Fill(table, {"name", "", "qty"}, {{"apple", "x", "3"}, {"", "", ""}});
  table.SetData("table data");
  table.SetAttribute("width", "100");
  table.SetFieldData("0", "field data");
  table.SetFieldAttribute("qty", "align", "right");
  table.SetRowData(1, "row data");
  table.SetRowAttribute(0, "height", "20");
  table.SetCellData("name", 0, "cell data");
  table.SetCellAttribute("2", 1, "color", "#FF0000");
}

// ---- Fields ----------------------------------------------------------------------------

TEST(STableTest, FieldReferencesAndNames) {
  STable table;
  EXPECT_EQ(table.InsertField("  Name ", -1), 0);
  EXPECT_EQ(table.GetFieldName(0), "Name");
  EXPECT_EQ(table.InsertField("price", 0), 0);
  EXPECT_EQ(table.InsertField("NAME", -1), -1);
  EXPECT_EQ(table.InsertField("12", -1), -1);
  EXPECT_EQ(table.InsertField("", 99), 2);
  EXPECT_EQ(table.InsertField("", -1), 3);

  EXPECT_EQ(table.FindField("1"), 1);
  EXPECT_EQ(table.FindField("name"), 1);
  EXPECT_EQ(table.FindField("-1"), -1);
  EXPECT_EQ(table.FindField("99"), -1);
  EXPECT_EQ(table.FindField(""), -1);
  EXPECT_EQ(table.GetFieldName(7), "");

  // The field's own name counts as taken, in any case.
  EXPECT_FALSE(table.RenameField("name", "NAME"));
  EXPECT_FALSE(table.RenameField("name", " name "));
  EXPECT_EQ(table.GetFieldName(1), "Name");
  EXPECT_TRUE(table.RenameField("name", "label"));
  EXPECT_FALSE(table.RenameField("label", "price"));
  EXPECT_FALSE(table.RenameField("label", "7"));
  EXPECT_FALSE(table.RenameField("nothing", "x"));
  EXPECT_TRUE(table.RenameField("2", " cost "));
  EXPECT_EQ(table.GetFieldName(2), "cost");
  EXPECT_TRUE(table.RenameField("cost", ""));
}

TEST(STableTest, RowsFollowFieldsAndRemovingTheLastFieldEmptiesThem) {
  STable table;
  Fill(table, {"a", "b"}, {{"1", "2"}, {"3", "4"}, {"5", "6"}});
  EXPECT_EQ(table.InsertRow(1), 1);
  EXPECT_EQ(Column(table, "a"), "1,,3,5");
  EXPECT_EQ(table.InsertField("c", 1), 1);
  EXPECT_EQ(Column(table, "c"), ",,,");
  table.RemoveRows(1, 2);
  EXPECT_EQ(Column(table, "b"), "2,6");
  table.RemoveRows(5, 1);
  EXPECT_EQ(table.GetRowCount(), 2);
  table.SetCell("a", 9, "ignored");
  EXPECT_EQ(table.GetCell("a", 9), "");
  EXPECT_TRUE(table.RemoveField("a"));
  EXPECT_TRUE(table.RemoveField("b"));
  EXPECT_EQ(table.GetRowCount(), 2);
  EXPECT_TRUE(table.RemoveField("c"));
  EXPECT_EQ(table.GetRowCount(), 0);
  EXPECT_FALSE(table.RemoveField("c"));
}

// ---- Attribute lists ----------------------------------------------------------------------

TEST(STableTest, AttributeLists) {
  struct Case {
    const char* list;
    const char* key;
    const char* value;
    const char* result;
  } cases[] = {
      {"width=10;Height=5", "height", "7", "width=10;Height=7"},
      {"width=10", "color", "red", "width=10;color=red"},
      {"", "color", "red", "color=red"},
      {"a=1", "b", "x;y", "a=1"},
      {"a=1", "not-id", "2", "a=1"},
      {"a=1=2;;b", "A", "3", "a=3;;b"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(STable::SetListAttribute(c.list, c.key, c.value), c.result) << c.list;
  EXPECT_EQ(STable::GetListAttribute("width=10;Height=5=6", "HEIGHT"), "5=6");
  EXPECT_EQ(STable::GetListAttribute("width=10", "height"), "");
}

// ---- Sorting ----------------------------------------------------------------------------

// ascending true puts the smallest first for texts and for numbers alike.
TEST(STableTest, SortOrderMeansTheSameForTextAndNumbers) {
  STable table;
  Fill(table, {"t"}, {{"b"}, {"a"}, {"B"}});
  table.Sort("t", "", false, true);
  EXPECT_EQ(Column(table, "t"), "B,a,b");
  table.Sort("t", "", false, false);
  EXPECT_EQ(Column(table, "t"), "b,a,B");

  Fill(table, {"n"}, {{"9"}, {"10"}, {"2"}, {"-3"}});
  table.Sort("n", "", true, true);
  EXPECT_EQ(Column(table, "n"), "-3,2,9,10");
  table.Sort("n", "", true, false);
  EXPECT_EQ(Column(table, "n"), "10,9,2,-3");
}

TEST(STableTest, SortIsStableMovesWholeRowsAndKeepsGroups) {
  STable table;
  Fill(table, {"key", "tag", "group"},
       {{"2", "first", "x"}, {"1", "a", "x"}, {"2", "second", "x"}, {"0", "z", "y"}, {"5", "q", "x"}});
  table.SetRowData(0, "row of first");
  table.SetCellAttribute("tag", 0, "mark", "1");
  table.Sort("key", "group", true, true);
  EXPECT_EQ(Column(table, "tag"), "a,first,second,z,q");
  EXPECT_EQ(table.GetRowData(1), "row of first");
  EXPECT_EQ(table.GetCellAttribute("tag", 1, "mark"), "1");
  table.Sort("key", "", true, false);
  EXPECT_EQ(Column(table, "tag"), "q,first,second,a,z");
  // A missing field or group changes nothing.
  table.Sort("key", "nope", true, true);
  table.Sort("nope", "", true, true);
  EXPECT_EQ(Column(table, "tag"), "q,first,second,a,z");
}

// ---- Copying and filtering -----------------------------------------------------------------

TEST(STableTest, FilterOperators) {
  STable source;
  Fill(source, {"name"}, {{"apple"}, {"Avocado"}, {"banana"}, {"apricot"}});
  struct Case {
    const char* op;
    const char* value;
    const char* rows;
  } cases[] = {
      {"?=", "a*", "apple,apricot"}, {"=", "banana", "banana"}, {"!=", "banana", "apple,Avocado,apricot"},
      {"<", "b", "apple,Avocado,apricot"}, {">=", "banana", "banana"}, {"??", "apple", "apple"},
  };
  for (const Case& c : cases) {
    STable target;
    int n = source.Filter(&target, "name", c.op, c.value, true);
    EXPECT_EQ(Column(target, "name"), c.rows) << c.op;
    EXPECT_EQ(n, target.GetRowCount());
  }
  STable target;
  EXPECT_EQ(source.Filter(&target, "missing", "=", "x", true), 0);
  EXPECT_EQ(target.GetFieldCount(), 1);
}

// Filtering into the table itself examines the rows it had when it began.
TEST(STableTest, FilterIntoItselfEnds) {
  STable table;
  Fill(table, {"name", "n"}, {{"a1", "1"}, {"b", "2"}, {"a2", "3"}});
  EXPECT_EQ(table.Filter(&table, "name", "?=", "a*", false), 2);
  EXPECT_EQ(Column(table, "name"), "a1,b,a2,a1,a2");
  EXPECT_EQ(table.Filter(&table, "name", "?=", "a*", true), 4);
  EXPECT_EQ(Column(table, "name"), "a1,a2,a1,a2");
  EXPECT_EQ(Column(table, "n"), "1,3,1,3");
  EXPECT_EQ(table.GetFieldCount(), 2);
}

// Cell data and attributes go to the target's field at the same position
// only where the target has one.
TEST(STableTest, CopyRowIntoANarrowerTable) {
  STable wide;
  Fill(wide, {"a", "b", "c"}, {{"1", "2", "3"}});
  wide.SetCellData("c", 0, "data of c");
  wide.SetCellData("a", 0, "data of a");
  STable narrow;
  Fill(narrow, {"c"}, {});
  EXPECT_TRUE(wide.CopyRow(0, &narrow));
  EXPECT_EQ(Column(narrow, "c"), "3");
  EXPECT_EQ(narrow.GetCellData("c", 0), "data of a");
  EXPECT_FALSE(wide.CopyRow(1, &narrow));
  EXPECT_TRUE(wide.CopyRow(0, nullptr));
  EXPECT_EQ(Column(wide, "b"), "2,2");
}

TEST(STableTest, InsertTableColumnIntoAStringArray) {
  STable table;
  Fill(table, {"v"}, {{"a"}, {"b"}, {"c"}, {"d"}});
  SStringArray list;
  list.Add("x");
  list.Add("y");
  EXPECT_EQ(list.InsertTableColumn(&table, "V", 1, 3, 1), 2);
  EXPECT_EQ(list.Join(0, -1, ",").GetText(), std::string("x,b,c,y"));
  EXPECT_EQ(list.InsertTableColumn(&table, "v", 2, -1, -1), 2);
  EXPECT_EQ(list.Join(0, -1, ",").GetText(), std::string("x,b,c,y,c,d"));
  EXPECT_EQ(list.InsertTableColumn(&table, "w", 0, -1, 0), 0);
  EXPECT_EQ(list.InsertTableColumn(nullptr, "v", 0, -1, 0), 0);
}

// ---- Table file ---------------------------------------------------------------------------------

TEST(STableTest, TableFileLayout) {
  STable table;
  Fill(table, {"k"}, {{"v"}});
  table.SetData("d");
  table.SetCellAttribute("k", 0, "a", "1");
  SFileMem file;
  ASSERT_TRUE(table.Write(&file, false, true, 0));
  EXPECT_EQ(Bytes(file), std::string("TAVRIN TABLE 1.0.0.0\0" "1\0" "1\0" "\0" "\0"
                                     "k\0" "\0" "\0"
                                     "\0" "\0" "v\0" "\0" "a=1\0", 40));
}

TEST(STableTest, TableFileRoundTripsByteForByte) {
  STable table;
  FillEverything(table);
  SFileMem file;
  ASSERT_TRUE(table.Write(&file, true, true, 0));
  file.Rewind();
  STable back;
  ASSERT_TRUE(back.Read(&file, true, true, 0));
  SFileMem again;
  ASSERT_TRUE(back.Write(&again, true, true, 0));
  EXPECT_EQ(Bytes(again), Bytes(file));
  EXPECT_EQ(back.GetFieldName(1), "");
  EXPECT_EQ(back.GetRowData(1), "row data");
  EXPECT_EQ(back.GetCellAttribute("qty", 1, "color"), "#FF0000");

  // Without the data flag the data texts read as "", and the rest stays.
  file.Rewind();
  ASSERT_TRUE(back.Read(&file, false, true, 0));
  EXPECT_EQ(back.GetData(), "");
  EXPECT_EQ(back.GetCellData("name", 0), "");
  EXPECT_EQ(back.GetCell("name", 0), "apple");
  EXPECT_EQ(back.GetAttribute("width"), "100");

  STable copy;
  ASSERT_TRUE(copy.CopyFrom(&table, true, false));
  EXPECT_EQ(copy.GetRowData(1), "row data");
  EXPECT_EQ(copy.GetAttribute("width"), "");
}

// A few bytes cannot claim millions of rows: counts beyond what the stream
// can hold, negative counts, a wrong magic or a repeated name all give
// false and an empty table.
TEST(STableTest, ReadRefusesBadTableFiles) {
  const std::string bad[] = {
      Texts({kMagic, "1", "2000000", "", "", "f", "", ""}),
      Texts({kMagic, "3000000", "0", "", ""}),
      Texts({kMagic, "-1", "0", "", ""}),
      Texts({kMagic, "1", "99999999999", "", ""}),
      Texts({"TAVRIN TABLE 1.0.0.1", "0", "0", "", ""}),
      Texts({kMagic, "2", "0", "", "", "a", "", "", "A", "", ""}),
      // 49 bytes whose counts of texts multiply past 64 bits.
      Texts({kMagic, "2000000000", "2000000000", "", "", "", "", "", ""}),
      Texts({kMagic, "2147483647", "2147483647", "", ""}),
      Texts({kMagic, "0", "2147483647", "", ""}),
  };
  for (const std::string& bytes : bad) {
    STable table;
    Fill(table, {"old"}, {{"row"}});
    SFileMem file;
    Put(file, bytes);
    EXPECT_FALSE(table.Read(&file, true, true, 0));
    EXPECT_EQ(table.GetFieldCount(), 0);
    EXPECT_EQ(table.GetRowCount(), 0);
  }
  STable table;
  EXPECT_FALSE(table.Read(nullptr, true, true, 0));
  EXPECT_FALSE(table.Write(nullptr, true, true, 0));
  // A stream that takes nothing (a file stream with no file) fails a write.
  Fill(table, {"a"}, {{"1"}});
  SFilePath closed;
  EXPECT_FALSE(table.Write(&closed, true, true, 0));
  EXPECT_FALSE(table.Write(&closed, true, true, ','));
}

// A file of many fields is checked for repeated names as a whole, the
// case of a name not counting.
TEST(STableTest, ManyFieldsReadAndTheirNamesStayUnique) {
  const int fields = 5000;
  std::vector<std::string> texts = {kMagic, std::to_string(fields), "0", "", ""};
  for (int i = 0; i < fields; i++) texts.insert(texts.end(), {"f" + std::to_string(i), "", ""});
  auto bytes = [&] {
    std::string out;
    for (const std::string& t : texts) out += t + '\0';
    return out;
  };
  SFileMem file;
  Put(file, bytes());
  STable table;
  ASSERT_TRUE(table.Read(&file, true, true, 0));
  EXPECT_EQ(table.GetFieldCount(), fields);
  EXPECT_EQ(table.FindField("F4999"), fields - 1);

  texts[5 + 3 * (fields - 1)] = "  F0 ";
  Put(file, bytes());
  EXPECT_FALSE(table.Read(&file, true, true, 0));
  EXPECT_EQ(table.GetFieldCount(), 0);
}

// ---- Delimited text -------------------------------------------------------------------------------

TEST(STableTest, DelimitedTextRoundTrips) {
  STable table;
  Fill(table, {"a", "b", "c"}, {{"abc", "say \"hi\"", ""}, {"\"", "x,y", "two\r\nlines"}});
  SFileMem file;
  ASSERT_TRUE(table.Write(&file, true, true, ','));
  EXPECT_EQ(Bytes(file),
            "\"abc\",\"say \"\"hi\"\"\",\"\"\r\n"
            "\"\"\"\",\"x,y\",\"two\r\nlines\"\r\n");
  file.Rewind();
  STable back;
  ASSERT_TRUE(back.Read(&file, true, true, ','));
  EXPECT_EQ(back.GetFieldCount(), 3);
  EXPECT_EQ(back.GetFieldName(0), "");
  for (int f = 0; f < 3; f++)
    for (int r = 0; r < 2; r++) {
      std::string field = std::to_string(f);
      EXPECT_EQ(back.GetCell(field.c_str(), r), table.GetCell(field.c_str(), r)) << f << "," << r;
    }
}

TEST(STableTest, DelimitedReaderTakesPlainCellsAndFixesTheFieldCount) {
  SFileMem file;
  Put(file, "a;b\r\n\r\nc;d;e\r\nf\r\n");
  STable table;
  ASSERT_TRUE(table.Read(&file, true, true, ';'));
  EXPECT_EQ(table.GetFieldCount(), 2);
  EXPECT_EQ(Column(table, "0"), "a,c,f");
  EXPECT_EQ(Column(table, "1"), "b,d,");
  file.Close();
  EXPECT_TRUE(table.Read(&file, true, true, ';'));
  EXPECT_EQ(table.GetFieldCount(), 0);
}

// Every separator ends one cell, blanks as well as commas: empty cells
// keep the cells after them in their own fields.
TEST(STableTest, DelimitedReaderKeepsEmptyCellsForEverySeparator) {
  for (char separator : {'\t', ' ', ','}) {
    std::string line = std::string("1") + separator + separator + "3" + separator + "\"a" + separator + "b\"";
    std::string text = line + "\r\n" + separator + "x" + separator + separator + separator + "\r\n";
    SFileMem file;
    Put(file, text);
    STable table;
    ASSERT_TRUE(table.Read(&file, true, true, separator)) << int(separator);
    EXPECT_EQ(table.GetFieldCount(), 4) << int(separator);
    EXPECT_EQ(Column(table, "0"), "1,") << int(separator);
    EXPECT_EQ(Column(table, "1"), ",x") << int(separator);
    EXPECT_EQ(Column(table, "2"), "3,") << int(separator);
    EXPECT_EQ(Column(table, "3"), std::string("a") + separator + "b,") << int(separator);
  }
}

// Every row has a cell in every field, so a long first line over many
// short lines would make far more cells than the text has bytes: refused.
TEST(STableTest, DelimitedReaderRefusesTextThatWouldMakeFarMoreCellsThanBytes) {
  std::string text(500, ',');
  text += "\r\n";
  for (int i = 0; i < 1000; i++) text += "a\r\n";
  SFileMem file;
  Put(file, text);
  STable table;
  EXPECT_FALSE(table.Read(&file, true, true, ','));
  EXPECT_EQ(table.GetFieldCount(), 0);
  EXPECT_EQ(table.GetRowCount(), 0);

  // Rows that carry their share of the fields are read, however many.
  text = std::string(100, ',') + "\r\n";
  for (int i = 0; i < 300; i++) text += std::string(50, ',') + "\r\n";
  Put(file, text);
  ASSERT_TRUE(table.Read(&file, true, true, ','));
  EXPECT_EQ(table.GetFieldCount(), 101);
  EXPECT_EQ(table.GetRowCount(), 301);
}

#ifndef _WIN32
// Python's csv module reads the delimited text as the same cells, and what
// it writes reads back here as its cells.
TEST(STableTest, PythonCsvAgrees) {
  if (std::system("python3 -c 'import csv' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
  STable table;
  Fill(table, {"a", "b"}, {{"plain", "with \"quotes\", and comma"}, {"", "multi\r\nline"}});
  std::string ours = testing::TempDir() + "stable-ours.csv";
  std::string theirs = testing::TempDir() + "stable-theirs.csv";
  SFileMem file;
  ASSERT_TRUE(table.Write(&file, true, true, ','));
  ASSERT_TRUE(file.SaveFile(ours.c_str()));
  // Python reads ours and writes it again in its own (minimal) quoting.
  std::string command = "python3 -c 'import csv,sys\n"
                        "rows = list(csv.reader(open(sys.argv[1], newline=\"\")))\n"
                        "assert rows == [[\"plain\", \"with \\\"quotes\\\", and comma\"], [\"\", \"multi\\r\\nline\"]], rows\n"
                        "csv.writer(open(sys.argv[2], \"w\", newline=\"\")).writerows(rows)' " +
                        ours + " " + theirs;
  ASSERT_EQ(std::system(command.c_str()), 0);
  SFileMem back;
  ASSERT_TRUE(back.LoadFile(theirs.c_str()));
  STable read;
  ASSERT_TRUE(read.Read(&back, true, true, ','));
  EXPECT_EQ(read.GetCell("1", 0), "with \"quotes\", and comma");
  EXPECT_EQ(read.GetCell("0", 1), "");
  EXPECT_EQ(read.GetCell("1", 1), "multi\r\nline");
  std::remove(ours.c_str());
  std::remove(theirs.c_str());
}
#endif

}  // namespace
