// The Ini class through its members: closed, disk-file and memory modes,
// the bytes its writes leave, the writes it refuses, and Python's
// configparser reading the same values from a file it wrote.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "classes/PObjFile.h"
#include "classes/PObjIni.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/DataClassTest.h"

namespace {

using classtest::kUnset;
using I = PObjIni;

class PObjIniTest : public classtest::DataClassTest {
 protected:
  // An Ini in memory holding the text.
  PObjIni* MemoryIni(const std::string& text) {
    PObjIni* ini = NewObject<PObjIni>();
    EXPECT_EQ(Int(ini, I::LOAD_FILE, MemoryFile(text)), 1);
    return ini;
  }
  // The whole INI text, as member 15 writes it into a File.
  std::string TextOf(PObjIni* ini) {
    PObjFile* out = MemoryFile("");
    EXPECT_EQ(Int(ini, I::SAVE_FILE, out), 1);
    return Content(out);
  }
};

TEST_F(PObjIniTest, Declaration) {
  PObjectDefinition* d = engine.FindDefinition(PObjIni::kTypeCode);
  ASSERT_NE(d, nullptr);
  EXPECT_STREQ(d->GetName(), "Ini");
  EXPECT_EQ(d->GetCategory(), CATEGORY_FILES);
  EXPECT_EQ(d->GetConstantCount(), 1);
  ASSERT_EQ(d->GetMemberCount(), 20);
  const int params[20] = {0, 2, 2, 0, 2, 0, 0, 1, 1, 1, 0, 2, 1, 1, 2, 1, 1, 3, 3, 3};
  for (int m = 0; m < 20; m++) {
    EXPECT_EQ(d->GetParamCount(m), params[m]) << m;
    EXPECT_EQ(d->GetDefaultCount(m), m == I::OPEN ? 1 : 0) << m;
  }
  EXPECT_EQ(d->GetParamInfo(I::OPEN, 1)->GetDefault().ToInt64(), 1);
  EXPECT_EQ(d->GetReturnType(I::READ_FLOAT), engine.GetFloatDefinition());
  EXPECT_EQ(d->GetParamInfo(I::WRITE_FLOAT, 2)->GetTypeCode(), TYPE_FLOAT);
}

TEST_F(PObjIniTest, ClosedReadsAndEditsNothing) {
  PObjIni* ini = NewObject<PObjIni>();
  EXPECT_EQ(Int(ini, I::IS_OPEN), 0);
  EXPECT_EQ(Int(ini, I::READ_INTEGER, "S", "K"), kUnset);
  EXPECT_EQ(Int(ini, I::DELETE_KEY, "S", "K"), kUnset);
  EXPECT_EQ(Int(ini, I::DELETE_SECTION, "S"), kUnset);
  EXPECT_EQ(Int(ini, I::CLEAR_SECTION, "S"), kUnset);
  EXPECT_EQ(Int(ini, I::IS_MEMORY), kUnset);
  EXPECT_EQ(Int(ini, I::WRITE_STRING, "S", "K", "v"), kUnset);
  EXPECT_EQ(Int(ini, I::WRITE_INTEGER, "S", "K", 1), kUnset);
  EXPECT_EQ(Float(ini, I::READ_FLOAT, "S", "K"), -999.0);
  EXPECT_EQ(Text(ini, I::READ_STRING, "S", "K"), "<none>");
  EXPECT_EQ(Text(ini, I::GET_PATH), "<none>");
  EXPECT_EQ(Int(ini, I::SAVE_DISK_FILE, PathOf("x.ini")), kUnset);
  EXPECT_FALSE(Exists(PathOf("x.ini")));
  EXPECT_EQ(Int(ini, I::SAVE_FILE, MemoryFile("")), kUnset);
}

// The bytes of the writes: a new section at the end (after an empty line
// when text comes before it),
// a new key first in its section, an existing key line rewritten in place.
TEST_F(PObjIniTest, WritesInMemory) {
  PObjIni* ini = NewObject<PObjIni>();
  EXPECT_EQ(Int(ini, I::OPEN_MEMORY), 1);
  EXPECT_EQ(Int(ini, I::IS_OPEN), 1);
  EXPECT_EQ(Int(ini, I::IS_MEMORY), 1);
  EXPECT_EQ(Text(ini, I::GET_PATH), "");
  EXPECT_EQ(Int(ini, I::WRITE_STRING, "S", "K", "V"), 1);
  EXPECT_EQ(TextOf(ini), "[S]\r\nK=V\r\n");
  EXPECT_EQ(Int(ini, I::WRITE_INTEGER, "s", "N", int64_t(0x1FFFFFFFF)), 1);  // low 32 bits
  EXPECT_EQ(Int(ini, I::WRITE_FLOAT, "S", "F", 0.1), 1);
  EXPECT_EQ(Int(ini, I::WRITE_STRING, "S", "k", "longer value"), 1);
  EXPECT_EQ(Int(ini, I::WRITE_STRING, "T", "x", ""), 1);
  // A double is written in a field of 16 before its trailing zeros go.
  EXPECT_EQ(TextOf(ini), "[S]\r\nF=        0.1\r\nN=-1\r\nk=longer value\r\n\r\n[T]\r\nx=\r\n");

  EXPECT_EQ(Int(ini, I::READ_INTEGER, "S", "n"), -1);
  EXPECT_EQ(Float(ini, I::READ_FLOAT, "S", "F"), 0.1);
  EXPECT_EQ(Text(ini, I::READ_STRING, "s", "K"), "longer value");
  EXPECT_EQ(Text(ini, I::READ_STRING, "S", "missing"), "");
  EXPECT_EQ(Int(ini, I::READ_INTEGER, "Missing", "K"), 0);
  EXPECT_EQ(Float(ini, I::READ_FLOAT, "T", "x"), 0.0);
}

TEST_F(PObjIniTest, BlanksBelongToKeysAndValues) {
  PObjIni* ini = MemoryIni("[S]\r\nK = V\r\n");
  EXPECT_EQ(Text(ini, I::READ_STRING, "S", "K"), "");
  EXPECT_EQ(Text(ini, I::READ_STRING, "S", "K "), " V");
  EXPECT_EQ(Int(ini, I::IS_MEMORY), 1);
}

// A write that would add lines the program never wrote, or a key that
// could never be read back, is refused and leaves every byte.
TEST_F(PObjIniTest, WritesThatWouldNotReadBackAreRefused) {
  const std::string text = "[S]\r\nK=old\r\n";
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"S", "K", "x\r\n[Other]"}, {"S", "K", "x\ny"},   {"S", "K", "x\r"},
      {"S", "K\r\nL", "v"},       {"S\r\n", "K", "v"},  {"New\nSection", "K", "v"},
      {"S", "a=b", "v"},          {"S", "=", "v"},      {"S", "[Other", "x]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "|" + c.key + "|" + c.value);
    PObjIni* ini = MemoryIni(text);
    EXPECT_EQ(Int(ini, I::WRITE_STRING, c.section, c.key, c.value), 0);
    EXPECT_EQ(TextOf(ini), text);
  }
  // The same in a disk file, which stays as it was.
  const std::string path = PathOf("refused.ini");
  WriteDisk(path, text);
  PObjIni* disk = NewObject<PObjIni>();
  ASSERT_EQ(Int(disk, I::OPEN, path, 0), 1);
  EXPECT_EQ(Int(disk, I::WRITE_STRING, "S", "K", "x\r\n[Other]\r\ny=1"), 0);
  EXPECT_EQ(Int(disk, I::WRITE_FLOAT, "S", "a=b", 1.5), 0);
  EXPECT_EQ(Int(disk, I::WRITE_INTEGER, "S\n", "K", 2), 0);
  EXPECT_EQ(ReadDisk(path), text);
  // Blanks, brackets and "=" are fine where the line still reads as a key.
  EXPECT_EQ(Int(disk, I::WRITE_STRING, "S", " [K", "a=b"), 1);
  EXPECT_EQ(Int(disk, I::WRITE_STRING, "S", "K]", "[x]"), 1);
  EXPECT_EQ(Text(disk, I::READ_STRING, "S", " [k"), "a=b");
  EXPECT_EQ(ReadDisk(path), "[S]\r\nK]=[x]\r\n [K=a=b\r\nK=old\r\n");
}

TEST_F(PObjIniTest, DiskFileIsRewrittenOnEveryWrite) {
  const std::string path = PathOf("settings.ini");
  PObjIni* ini = NewObject<PObjIni>();
  EXPECT_EQ(Int(ini, I::OPEN, path, 0), 0);
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ(Int(ini, I::IS_OPEN), 0);
  EXPECT_EQ(Int(ini, I::OPEN, path), 1);
  EXPECT_EQ(ReadDisk(path), "");
  EXPECT_EQ(Int(ini, I::IS_MEMORY), 0);
  EXPECT_EQ(Text(ini, I::GET_PATH), path);
  EXPECT_EQ(Int(ini, I::WRITE_STRING, "Window", "Width", "640"), 1);
  EXPECT_EQ(ReadDisk(path), "[Window]\r\nWidth=640\r\n");
  // Another writer's change is seen by the next call.
  WriteDisk(path, "[Window]\r\nWidth=800\r\n");
  EXPECT_EQ(Int(ini, I::READ_INTEGER, "window", "width"), 800);

  // Saved to its own path the file stays whole; saved elsewhere it is copied.
  EXPECT_EQ(Int(ini, I::SAVE_DISK_FILE, path), 1);
  EXPECT_EQ(ReadDisk(path), "[Window]\r\nWidth=800\r\n");
  EXPECT_EQ(Int(ini, I::SAVE_DISK_FILE, PathOf("copy.ini")), 1);
  EXPECT_EQ(ReadDisk(PathOf("copy.ini")), "[Window]\r\nWidth=800\r\n");
  EXPECT_EQ(Int(ini, I::SAVE_DISK_FILE, PathOf("no/such/copy.ini")), 0);

  EXPECT_EQ(Int(ini, I::WRITE_STRING, "Window", "Height", "480"), 1);
  EXPECT_EQ(Int(ini, I::WRITE_STRING, "Colors", "Back", "white"), 1);
  EXPECT_EQ(Int(ini, I::CLEAR_SECTION, "window"), 1);
  EXPECT_EQ(ReadDisk(path), "[Window]\r\n\r\n[Colors]\r\nBack=white\r\n");
  EXPECT_EQ(Int(ini, I::DELETE_KEY, "Colors", "back"), 1);
  EXPECT_EQ(Int(ini, I::DELETE_KEY, "Colors", "back"), 0);
  EXPECT_EQ(Int(ini, I::DELETE_SECTION, "Window"), 1);
  EXPECT_EQ(Int(ini, I::DELETE_SECTION, "Window"), 0);
  EXPECT_EQ(ReadDisk(path), "[Colors]\r\n");

  // A file that went away reads as nothing and refuses edits.
  std::filesystem::remove(path);
  EXPECT_EQ(Text(ini, I::READ_STRING, "Colors", "Back"), "");
  EXPECT_EQ(Int(ini, I::WRITE_STRING, "Colors", "Back", "x"), 0);
  Do(ini, I::CLOSE);
  EXPECT_EQ(Int(ini, I::IS_OPEN), 0);
  EXPECT_EQ(Text(ini, I::GET_PATH), "<none>");
}

// A copy of a disk file, a File or a resource changes only in memory until
// it is saved.
TEST_F(PObjIniTest, CopiesInMemory) {
  const std::string path = PathOf("app.ini");
  WriteDisk(path, "[A]\r\nx=1\r\n");
  PObjIni* ini = NewObject<PObjIni>();
  EXPECT_EQ(Int(ini, I::LOAD_DISK_FILE, path), 1);
  EXPECT_EQ(Int(ini, I::IS_MEMORY), 1);
  EXPECT_EQ(Int(ini, I::WRITE_STRING, "A", "x", "2"), 1);
  EXPECT_EQ(ReadDisk(path), "[A]\r\nx=1\r\n");
  EXPECT_EQ(Int(ini, I::SAVE_DISK_FILE, path), 1);
  EXPECT_EQ(ReadDisk(path), "[A]\r\nx=2\r\n");
  EXPECT_EQ(Int(ini, I::LOAD_DISK_FILE, PathOf("missing.ini")), 0);
  EXPECT_EQ(Text(ini, I::READ_STRING, "A", "x"), "2");

  // A File from its position on.
  PObjFile* f = MemoryFile("skip[B]\r\ny=3\r\n");
  f->GetStream()->Seek(4);
  EXPECT_EQ(Int(ini, I::LOAD_FILE, f), 1);
  EXPECT_EQ(Int(ini, I::READ_INTEGER, "B", "y"), 3);
  EXPECT_EQ(Int(ini, I::LOAD_FILE, NewFile()), kUnset);
  EXPECT_EQ(Int(ini, I::READ_INTEGER, "B", "y"), 3);
  // Written into a File at its position.
  PObjFile* out = MemoryFile("head:");
  out->GetStream()->SeekToEnd();
  EXPECT_EQ(Int(ini, I::SAVE_FILE, out), 1);
  EXPECT_EQ(Content(out), "head:[B]\r\ny=3\r\n");

  UseResources({{"text\\defaults.ini", "[C]\r\nz=2.5\r\n"}, {"table\\defaults.ini", "[D]"}});
  EXPECT_EQ(Int(ini, I::LOAD_RESOURCE, "defaults.ini"), 1);
  EXPECT_EQ(Float(ini, I::READ_FLOAT, "C", "z"), 2.5);
  EXPECT_EQ(Int(ini, I::LOAD_RESOURCE, "missing.ini"), kUnset);
  EXPECT_EQ(Float(ini, I::READ_FLOAT, "C", "z"), 2.5);
}

#ifndef _WIN32
// Python's configparser (raw) reads the values the class wrote.
TEST_F(PObjIniTest, ConfigparserReadsTheSameValues) {
  if (std::system("python3 -c 'import configparser' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
  const std::string path = PathOf("peer.ini");
  PObjIni* ini = NewObject<PObjIni>();
  ASSERT_EQ(Int(ini, I::OPEN, path), 1);
  EXPECT_EQ(Int(ini, I::WRITE_STRING, "Window", "title", "My %app% ; v2"), 1);
  EXPECT_EQ(Int(ini, I::WRITE_INTEGER, "Window", "width", -640), 1);
  EXPECT_EQ(Int(ini, I::WRITE_FLOAT, "Window", "scale", 1.25), 1);
  EXPECT_EQ(Int(ini, I::WRITE_STRING, "Paths", "home", "C:\\Users\\me"), 1);
  EXPECT_EQ(Int(ini, I::WRITE_STRING, "Paths", "home", "D:\\data"), 1);
  EXPECT_EQ(Int(ini, I::WRITE_STRING, "Paths", "empty", ""), 1);
  EXPECT_EQ(Int(ini, I::WRITE_STRING, "Window", "bad", "x\r\n[Injected]"), 0);
  const std::string script = PathOf("peer.py");
  WriteDisk(script,
            "import configparser, sys\n"
            "c = configparser.RawConfigParser()\n"
            "c.optionxform = str\n"
            "c.read(sys.argv[1])\n"
            "got = {s: dict(c.items(s)) for s in c.sections()}\n"
            "want = {'Window': {'scale': '1.25', 'width': '-640', 'title': 'My %app% ; v2'},\n"
            "        'Paths': {'empty': '', 'home': 'D:\\\\data'}}\n"
            "assert got == want, got\n");
  EXPECT_EQ(std::system(("python3 '" + script + "' '" + path + "'").c_str()), 0);
}
#endif

}  // namespace
