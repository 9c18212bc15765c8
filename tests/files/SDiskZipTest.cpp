#include "files/SDisk.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/SStringArray.h"
#include "files/SFilePath.h"
#include "files/SPath.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {

// A folder of the test's own under the system's temporary folder, removed
// with everything in it at the end.
class ZipFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    SDisk disk;
    m_root = disk.MakeTempFileName();
    ASSERT_GT(m_root.GetLength(), 0);
    disk.DeleteFile(m_root.GetText());
    m_root += "-zip";
    ASSERT_TRUE(MakeFolder(m_root));
  }
  void TearDown() override {
    SDisk disk;
    for (int i = int(m_made.size()) - 1; i >= 0; i--) Remove(m_made[size_t(i)]);
  }

  std::string Path(const char* relative) const {
    std::string p = m_root.GetText();
    p += Separator();
    p += relative;
    return p;
  }
  static char Separator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
  }
  bool MakeFolder(const SString& path) {
#ifdef _WIN32
    bool ok = CreateDirectoryA(path.GetText(), nullptr) != 0;
#else
    bool ok = std::system(("mkdir -p '" + std::string(path.GetText()) + "'").c_str()) == 0;
#endif
    if (ok) m_made.push_back({path.GetText(), true});
    return ok;
  }
  std::string WriteFile(const char* relative, const std::string& bytes) {
    std::string path = Path(relative);
    SFilePath f;
    EXPECT_TRUE(f.Open(path.c_str(), true, true, false));
    if (!bytes.empty()) {
      EXPECT_EQ(f.Write(bytes.data(), int(bytes.size())), int(bytes.size()));
    }
    f.Close();
    m_made.push_back({path, false});
    return path;
  }
  std::string Archive(const char* name) {
    std::string path = Path(name);
    m_made.push_back({path, false});
    return path;
  }
  // The part number of the names inside the test folder.
  int SkipToFolder() const { return SPath((std::string(m_root.GetText()) + Separator()).c_str()).CountParts() - 1; }

  static std::string ReadAll(const std::string& path) {
    std::string bytes;
    SFilePath f;
    if (!f.Open(path.c_str(), false, false, true)) return bytes;
    bytes.resize(size_t(f.GetSize()));
    if (!bytes.empty()) f.Read(&bytes[0], int(bytes.size()));
    return bytes;
  }

  struct Made {
    std::string path;
    bool folder;
  };
  SString m_root;
  std::vector<Made> m_made;

 private:
  static void Remove(const Made& m) {
#ifdef _WIN32
    if (m.folder) RemoveDirectoryA(m.path.c_str());
    else DeleteFileA(m.path.c_str());
#else
    std::remove(m.path.c_str());
#endif
  }
};

uint32_t U16(const std::string& b, size_t at) {
  return uint8_t(b[at]) | uint32_t(uint8_t(b[at + 1])) << 8;
}
uint32_t U32(const std::string& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

struct ReadEntry {
  std::string name, data;
  uint32_t crc = 0, size = 0, packed = 0, offset = 0;
};

// Reads an archive back through its central directory, checking every field
// the writer fixes, and inflates each entry.
std::vector<ReadEntry> ReadZip(const std::string& zip) {
  std::vector<ReadEntry> out;
  EXPECT_GE(zip.size(), 22u);
  if (zip.size() < 22) return out;
  size_t end = zip.size() - 22;
  EXPECT_EQ(U32(zip, end), 0x06054b50u);
  uint32_t count = U16(zip, end + 8);
  EXPECT_EQ(U16(zip, end + 10), count);
  uint32_t dirSize = U32(zip, end + 12), dir = U32(zip, end + 16);
  EXPECT_EQ(dir + dirSize, end);
  size_t at = dir;
  for (uint32_t i = 0; i < count; i++) {
    EXPECT_EQ(U32(zip, at), 0x02014b50u);
    ReadEntry e;
    e.crc = U32(zip, at + 16);
    e.packed = U32(zip, at + 20);
    e.size = U32(zip, at + 24);
    uint32_t nameLength = U16(zip, at + 28);
    EXPECT_EQ(U16(zip, at + 36), 1u);
    EXPECT_EQ(U32(zip, at + 38), 0x20u);
    e.offset = U32(zip, at + 42);
    e.name = zip.substr(at + 46, nameLength);
    at += 46 + nameLength;

    size_t local = e.offset;
    EXPECT_EQ(U32(zip, local), 0x04034b50u);
    EXPECT_EQ(U16(zip, local + 8), 8u);
    EXPECT_EQ(U32(zip, local + 14), e.crc);
    EXPECT_EQ(U32(zip, local + 18), e.packed);
    EXPECT_EQ(U32(zip, local + 22), e.size);
    EXPECT_EQ(zip.substr(local + 30, U16(zip, local + 26)), e.name);
    size_t data = local + 30 + U16(zip, local + 26);

    z_stream zs{};
    inflateInit2(&zs, -MAX_WBITS);
    // One spare byte: inflate refuses a null output even when nothing comes.
    e.data.resize(e.size + 1);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.data() + data));
    zs.avail_in = e.packed;
    zs.next_out = reinterpret_cast<Bytef*>(&e.data[0]);
    zs.avail_out = e.size + 1;
    EXPECT_EQ(inflate(&zs, Z_FINISH), Z_STREAM_END) << e.name;
    EXPECT_EQ(zs.total_out, e.size);
    inflateEnd(&zs);
    e.data.resize(e.size);
    EXPECT_EQ(crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), uInt(e.data.size())), e.crc);
    out.push_back(e);
  }
  return out;
}

std::string Noise(size_t n, uint32_t seed) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; i++) {
    seed = seed * 1103515245u + 12345u;
    s[i] = char(i % 7 == 0 ? seed >> 24 : 'a' + (seed >> 28));
  }
  return s;
}

TEST_F(ZipFolder, FilesAreStoredInOrderUnderTheirNamesFromTheSkip) {
  std::string a = Noise(5000, 1), b = "hello, archive";
  SStringArray list;
  list.Add(WriteFile("a.bin", a).c_str());
  list.Add(WriteFile("b.txt", b).c_str());
  std::string zip = Archive("out.zip");
  ASSERT_TRUE(SDisk().WriteZip(zip.c_str(), &list, SkipToFolder()));

  std::vector<ReadEntry> entries = ReadZip(ReadAll(zip));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "a.bin");
  EXPECT_EQ(entries[0].data, a);
  EXPECT_EQ(entries[0].offset, 0u);
  EXPECT_EQ(entries[1].name, "b.txt");
  EXPECT_EQ(entries[1].data, b);
}

TEST_F(ZipFolder, NestedFoldersGetForwardSlashes) {
  SString sub = SString(Path("sub").c_str());
  ASSERT_TRUE(MakeFolder(sub));
  ASSERT_TRUE(MakeFolder(SString(Path("sub").c_str()) + SString(std::string(1, Separator()).c_str()) + "inner"));
  std::string inner = std::string("sub") + Separator() + "inner" + Separator() + "c.txt";
  SStringArray list;
  list.Add(WriteFile(inner.c_str(), "deep").c_str());
  std::string zip = Archive("nested.zip");
  ASSERT_TRUE(SDisk().WriteZip(zip.c_str(), &list, SkipToFolder()));
  std::vector<ReadEntry> entries = ReadZip(ReadAll(zip));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "sub/inner/c.txt");
  EXPECT_EQ(entries[0].data, "deep");
}

TEST_F(ZipFolder, AnEmptyFileIsAnEmptyFinalBlock) {
  SStringArray list;
  list.Add(WriteFile("empty", "").c_str());
  std::string zip = Archive("empty.zip");
  ASSERT_TRUE(SDisk().WriteZip(zip.c_str(), &list, SkipToFolder()));
  std::string bytes = ReadAll(zip);
  std::vector<ReadEntry> entries = ReadZip(bytes);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].crc, 0u);
  EXPECT_EQ(entries[0].size, 0u);
  EXPECT_EQ(entries[0].packed, 2u);
  EXPECT_EQ(bytes.substr(30 + 5, 2), std::string("\x03\x00", 2));
}

TEST_F(ZipFolder, NothingToPackOrAMissingFileLeavesNoArchive) {
  SStringArray empty;
  std::string zip = Archive("none.zip");
  EXPECT_FALSE(SDisk().WriteZip(zip.c_str(), &empty, 0));
  EXPECT_FALSE(SDisk().WriteZip(zip.c_str(), nullptr, 0));
  EXPECT_FALSE(SFilePath().Open(zip.c_str(), false, false, true));

  SStringArray list;
  list.Add(WriteFile("there.txt", "x").c_str());
  list.Add(Path("missing.txt").c_str());
  EXPECT_FALSE(SDisk().WriteZip(zip.c_str(), &list, SkipToFolder()));
  EXPECT_FALSE(SFilePath().Open(zip.c_str(), false, false, true));
  EXPECT_FALSE(SDisk().WriteZip("", &list, 0));
}

#ifndef _WIN32
// Tools no one here wrote must accept the archives and extract the same
// bytes: Debian's unzip and Python's zipfile.
bool HaveTool(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

TEST_F(ZipFolder, UnzipAndPythonAcceptTheArchives) {
  if (!HaveTool("unzip") || !HaveTool("python3")) GTEST_SKIP() << "unzip or python3 missing";
  SString sub = SString(Path("d").c_str());
  ASSERT_TRUE(MakeFolder(sub));
  std::string a = Noise(300000, 7);
  SStringArray list;
  list.Add(WriteFile("a.bin", a).c_str());
  list.Add(WriteFile("d/e.txt", "text in a folder\r\n").c_str());
  list.Add(WriteFile("zero", "").c_str());
  std::string zip = Archive("peers.zip");
  ASSERT_TRUE(SDisk().WriteZip(zip.c_str(), &list, SkipToFolder()));

  EXPECT_EQ(std::system(("unzip -tq '" + zip + "' >/dev/null").c_str()), 0);
  std::string out = Path("x");
  m_made.push_back({out, true});
  std::string script =
      "import sys, zipfile\n"
      "z = zipfile.ZipFile(sys.argv[1])\n"
      "assert z.testzip() is None\n"
      "assert z.namelist() == ['a.bin', 'd/e.txt', 'zero'], z.namelist()\n"
      "assert z.read('d/e.txt') == b'text in a folder\\r\\n'\n"
      "assert z.read('zero') == b''\n"
      "open(sys.argv[2], 'wb').write(z.read('a.bin'))\n";
  std::string py = Path("check.py");
  WriteFile("check.py", script);
  EXPECT_EQ(std::system(("python3 '" + py + "' '" + zip + "' '" + out + "'").c_str()), 0);
  EXPECT_EQ(ReadAll(out), a);
}

// A file of over 100 MB goes through in chunks: the process grows by far
// less than the file, where holding it (and its packed form) would double it.
TEST_F(ZipFolder, LargeFilesAreStreamed) {
  if (!HaveTool("unzip")) GTEST_SKIP() << "unzip missing";
  const size_t kSize = 101u << 20;
  std::string path = Path("large.bin");
  m_made.push_back({path, false});
  {
    SFilePath f;
    ASSERT_TRUE(f.Open(path.c_str(), true, true, false));
    std::string block = Noise(1 << 20, 3);
    for (size_t n = 0; n < kSize; n += block.size())
      ASSERT_EQ(f.Write(block.data(), int(block.size())), int(block.size()));
  }
  rusage before{};
  getrusage(RUSAGE_SELF, &before);
  SStringArray list;
  list.Add(path.c_str());
  std::string zip = Archive("large.zip");
  ASSERT_TRUE(SDisk().WriteZip(zip.c_str(), &list, SkipToFolder()));
  rusage after{};
  getrusage(RUSAGE_SELF, &after);
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 32 * 1024) << "kB grown";
  EXPECT_EQ(std::system(("unzip -tq '" + zip + "' >/dev/null").c_str()), 0);
}
#endif

}  // namespace
