// The document classes as applications use them: settings kept in an INI
// file, a table read from the package's resources, filtered, sorted and
// written back, an XML document built, saved, read again and walked by
// ids, and values kept in the registry. Each program shows what it found
// in one box captioned "Result" and ends by itself; the test then checks
// the files and registry values it left.
//
// Starts are slow under emulation, so every program is started before the
// first box is read (the boxes are told apart by process id).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/PackedApp.h"

namespace fs = std::filesystem;

namespace {

const char kRegistryKey[] = "Software\\TavrinTests\\E2E";
const char kRegistryParent[] = "Software\\TavrinTests";

struct DataProgram {
  const char* name;
  const char* program;
  std::string result;
  void (*checkFiles)(const fs::path& folder) = nullptr;
  std::vector<std::pair<std::string, std::string>> resources = {};
};

void PrintTo(const DataProgram& p, std::ostream* out) { *out << p.name; }

void CheckSettings(const fs::path& folder) {
  // The refused writes left no line of their own; the float keeps the
  // framework's field of 16.
  EXPECT_EQ(e2e::ReadFileBytes(folder / "settings.ini"),
            "[Window]\r\nscale=        1.5\r\nwidth=640\r\ntitle=My app\r\n\r\n[Paths]\r\nhome=C:\\Users\r\n");
  EXPECT_EQ(e2e::ReadFileBytes(folder / "saved.ini"),
            "[Window]\r\nscale=        1.5\r\nwidth=800\r\ntitle=My app\r\n\r\n[Paths]\r\n");
}

void CheckTables(const fs::path& folder) {
  EXPECT_EQ(e2e::ReadFileBytes(folder / "oslo.csv"),
            "\"Dan\",\"Oslo\",\"9\"\r\n\"Ann\",\"Oslo\",\"34\"\r\n\"Cid\",\"Oslo\",\"100\"\r\n");
  EXPECT_EQ(e2e::ReadFileBytes(folder / "oslo.tbl").substr(0, 21), std::string("TAVRIN TABLE 1.0.0.0\0", 21));
}

void CheckLibrary(const fs::path& folder) {
  EXPECT_EQ(e2e::ReadFileBytes(folder / "library.xml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<library>\r\n"
            "\t<book id=\"1\" title=\"Vol 1\">\r\n\t\t<note>R&amp;D  draft  v1</note>\r\n\t</book>\r\n"
            "\t<book id=\"3\" title=\"Vol 3\">\r\n\t\t<note>R&amp;D  draft  v1</note>\r\n\t</book>\r\n"
            "\t<shelf/>\r\n"
            "\t<extra/>\r\n"
            "</library>\r\n");
}

// The program leaves one value, deletes what else it wrote, and writes
// nothing under the local machine.
void CheckRegistry(const fs::path&) {
  char text[64] = {};
  DWORD size = sizeof text;
  EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, kRegistryKey, "Name", RRF_RT_REG_SZ, nullptr, text, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(text, "packed app");
  size = sizeof text;
  EXPECT_NE(RegGetValueA(HKEY_CURRENT_USER, kRegistryKey, "All", RRF_RT_ANY, nullptr, text, &size),
            ERROR_SUCCESS);
  HKEY key;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\TavrinTests\\E2E\\Gone", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  size = sizeof text;
  EXPECT_NE(RegGetValueA(HKEY_LOCAL_MACHINE, kRegistryKey, "M", RRF_RT_ANY, nullptr, text, &size),
            ERROR_SUCCESS);
}

const DataProgram kPrograms[] = {
    // Settings attached to a disk file, then a copy in memory saved elsewhere.
    {"IniSettings",
     "class Application\n"
     "  Ini ini new\n"
     "  Ini copy new\n"
     "  File f new\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  r=\"missing=\"+ini.Ini.11(\"settings.ini\",0)+\" create=\"+ini.Ini.11(\"settings.ini\")+ini.Ini.5()+ini.Ini.6()\n"
     "  ini.Ini.19(\"Window\",\"title\",\"My app\")\n"
     "  ini.Ini.18(\"Window\",\"width\",640)\n"
     "  ini.Ini.17(\"Window\",\"scale\",1.5)\n"
     "  ini.Ini.19(\"Paths\",\"home\",\"C:%5CUsers\")\n"
     "  r+=\" refused=\"+ini.Ini.19(\"Window\",\"title\",\"x%0D%0A[Other]\")+ini.Ini.19(\"Window\",\"a=b\",\"x\")\n"
     "  r+=\" title=\"+ini.Ini.4(\"window\",\"TITLE\")+\" width=\"+ini.Ini.2(\"Window\",\"width\")+\" scale=\"+(ini.Ini.1(\"Window\",\"scale\")*2)\n"
     "  r+=\" own=\"+ini.Ini.16(\"settings.ini\")+\" named=\"+(ini.Ini.3()?=\"*settings.ini\")\n"
     "  ini.Ini.0()\n"
     "  r+=\" closed=\"+ini.Ini.6()\n"
     "  r+=\" copy=\"+copy.Ini.8(\"settings.ini\")+copy.Ini.5()+\" path=[\"+copy.Ini.3()+\"]\"\n"
     "  copy.Ini.18(\"Window\",\"width\",800)\n"
     "  copy.Ini.14(\"Paths\",\"home\")\n"
     "  r+=\" saved=\"+copy.Ini.16(\"saved.ini\")+\" width=\"+copy.Ini.2(\"Window\",\"width\")\n"
     "  copy.Ini.13(\"Window\")\n"
     "  copy.Ini.12(\"Paths\")\n"
     "  f.File.20()\n"
     "  copy.Ini.15(f)\n"
     "  f.File.1()\n"
     "  r+=\" left=\"+f.File.14()+\" fresh=\"+copy.Ini.10()+copy.Ini.9(\"defaults.ini\")+copy.Ini.4(\"Defaults\",\"color\")\n"
     "  r+=\" file=\"+ini.Ini.7(f)+ini.Ini.6()\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     "missing=0 create=101 refused=00 title=My app width=640 scale=        3 own=1 named=1 closed=0 "
     "copy=11 path=[] saved=1 width=800 left=12 fresh=11blue file=11",
     CheckSettings,
     {{"text\\defaults.ini", "[Defaults]\r\ncolor=blue\r\n"}}},

    // A table from the resources: its first row names the fields; the rows
    // of one city are filtered out, sorted by age as numbers and written
    // back as delimited text and as a table file.
    {"TableResources",
     "class Application\n"
     "  Table people new\n"
     "  Table oslo new\n"
     "  Table back new\n"
     "  File f new\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  Integer i\n"
     "  r=\"read=\"+people.Table.21(\"people.csv\",1,\",\")+\" fields=\"+people.Table.11()+\" rows=\"+people.Table.6()\n"
     "  for i=0;i<people.Table.11();i++\n"
     "    people.Table.29(i,people.Table.4(0,i))\n"
     "  end\n"
     "  people.Table.2(0)\n"
     "  r+=\" city=\"+people.Table.8(\"CITY\")+\" first=\"+people.Table.4(0,\"name\")\n"
     "  r+=\" oslo=\"+people.Table.3(oslo,\"city\",\"==\",\"Oslo\")\n"
     "  oslo.Table.36(\"age\",1)\n"
     "  for i=0;i<oslo.Table.6();i++\n"
     "    r+=\" \"+oslo.Table.4(i,\"name\")+oslo.Table.4(i,\"age\")\n"
     "  end\n"
     "  oslo.Table.33(0,\"age\",\"youngest\",\"1\")\n"
     "  oslo.Table.34(\"Oslo people\")\n"
     "  r+=\" csv=\"+oslo.Table.25(\"oslo.csv\",1,\",\")+\" tbl=\"+oslo.Table.25(\"oslo.tbl\")\n"
     "  r+=\" back=\"+back.Table.20(\"oslo.tbl\")+back.Table.15()+\" \"+back.Table.14(0,\"age\",\"youngest\")+back.Table.9(2)\n"
     "  f.File.20()\n"
     "  people.Table.24(f,1,\";\")\n"
     "  f.File.1()\n"
     "  r+=\" file=\"+back.Table.19(f,1,\";\")+back.Table.6()+back.Table.4(4,\"2\")\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     "read=1 fields=3 rows=6 city=1 first=Ann oslo=3 Dan9 Ann34 Cid100 csv=1 tbl=1 back=1Oslo people 1age "
     "file=1551",
     CheckTables,
     {{"table\\people.csv",
       "\"name\",\"city\",\"age\"\r\n\"Ann\",\"Oslo\",\"34\"\r\n\"Bob\",\"Bergen\",\"9\"\r\n"
       "\"Cid\",\"Oslo\",\"100\"\r\n\"Dan\",\"Oslo\",\"9\"\r\n\"Eve\",\"Alta\",\"51\"\r\n"}}},

    // A document built element by element, saved, loaded into another
    // object and walked from the root by ids.
    {"XmlDocument",
     "class Application\n"
     "  Xml doc new\n"
     "  Xml back new\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  Integer book\n"
     "  Integer i\n"
     "  doc.Xml.18(\"library\")\n"
     "  for i=1;i<=3;i++\n"
     "    book=doc.Xml.13(Xml.ROOT,\"book\",\"id\",i)\n"
     "    doc.Xml.25(book,\"title\",\"Vol \"+i)\n"
     "    doc.Xml.26(doc.Xml.13(book,\"note\"),\"R&D <draft> v1\")\n"
     "  end\n"
     "  doc.Xml.13(Xml.ROOT,\"shelf\")\n"
     "  r=\"children=\"+doc.Xml.6(Xml.ROOT)+\" shelf=\"+doc.Xml.4(Xml.ROOT,\"shelf\")\n"
     "  r+=\" removed=\"+doc.Xml.19(4)+doc.Xml.19(4)+doc.Xml.19(Xml.ROOT)+\" next=\"+doc.Xml.13(Xml.ROOT,\"extra\")\n"
     "  r+=\" saved=\"+doc.Xml.23(\"library.xml\")\n"
     "  r+=\" loaded=\"+back.Xml.16(\"library.xml\")+\" root=\"+back.Xml.11()\n"
     "  book=back.Xml.4(Xml.ROOT,\"BOOK\")\n"
     "  while book>0\n"
     "    r+=\" \"+book+\"=\"+back.Xml.3(book,\"id\")+\":\"+back.Xml.3(book,\"title\")+\":\"+back.Xml.5(back.Xml.4(book,\"note\"))+\"|\"\n"
     "    book=back.Xml.8(book)\n"
     "  end\n"
     "  r+=\" parent=\"+back.Xml.9(back.Xml.4(Xml.ROOT,\"extra\"))+\" same=\"+(back.Xml.12()==doc.Xml.12())\n"
     "  r+=\" text=\"+back.Xml.29(\"<a><b/></a>\")+back.Xml.11()+back.Xml.7(2)\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     "children=4 shelf=8 removed=100 next=9 saved=1 loaded=1 root=library "
     "2=1:Vol 1:R&D  draft  v1| 4=3:Vol 3:R&D  draft  v1| parent=1 same=1 text=1ab",
     CheckLibrary},

    // Values under the current user and the local machine; one is left for
    // the test, the rest removed again.
    {"RegistryValues",
     "class Application\n"
     "  constant KEY \"Software%5CTavrinTests%5CE2E\"\n"
     "  Registry reg new\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  r=\"w=\"+reg.Registry.3(KEY,\"Name\",\"packed app\")+reg.Registry.2(KEY,\"All\",-1)\n"
     "  r+=\" s=\"+reg.Registry.1(KEY,\"Name\")+\" n=\"+reg.Registry.0(KEY,\"All\",Registry.CURRENT_USER)\n"
     "  r+=\" m=\"+reg.Registry.3(KEY,\"M\",\"machine\",Registry.LOCAL_MACHINE)+reg.Registry.1(KEY,\"M\",Registry.LOCAL_MACHINE)\n"
     "  r+=reg.Registry.5(KEY,\"M\",Registry.LOCAL_MACHINE)+reg.Registry.1(KEY,\"M\",Registry.LOCAL_MACHINE)\n"
     "  r+=\" gone=\"+reg.Registry.2(KEY+\"%5CGone\",\"x\",1)+reg.Registry.4(KEY+\"%5CGone\")+reg.Registry.4(KEY+\"%5CGone\")\n"
     "  r+=\" dv=\"+reg.Registry.5(KEY,\"All\")+reg.Registry.0(KEY,\"All\")\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     "w=11 s=packed app n=4294967295 m=1machine1 gone=110 dv=10",
     CheckRegistry},
};

class DataClasses : public ::testing::TestWithParam<DataProgram> {
 protected:
  static void SetUpTestSuite() {
    RemoveRegistryKeys();
    for (const DataProgram& p : kPrograms) s_batch.Start(p.name, p.program, p.resources);
  }
  static void TearDownTestSuite() {
    s_batch.Clear();
    RemoveRegistryKeys();
  }
  static void RemoveRegistryKeys() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) RegDeleteTreeA(root, kRegistryParent);
  }

  static e2e::AppBatch s_batch;
};

e2e::AppBatch DataClasses::s_batch;

TEST_P(DataClasses, ShowsItsResultAndLeavesItsFiles) {
  ASSERT_EQ(s_batch.Error(GetParam().name), "");
  e2e::PackedApp& app = *s_batch.Find(GetParam().name);
  e2e::ExpectBoxesThenExit(app, "Result", {GetParam().result});
  if (HasFatalFailure()) return;
  if (GetParam().checkFiles) GetParam().checkFiles(app.Folder());
}

INSTANTIATE_TEST_SUITE_P(E2E, DataClasses, ::testing::ValuesIn(kPrograms),
                         [](const ::testing::TestParamInfo<DataProgram>& info) { return info.param.name; });

}  // namespace
