// Loading the package from a file: trailer, key, program, module files and
// resource pack, and every way a damaged package fails, with the module
// files that were written always left for deletion and then gone.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "engine/LoadPackage.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "files/SDisk.h"
#include "files/SResource.h"
#include "tests/engine/PackageTestFiles.h"

using packagetest::TestPackage;

namespace {

const char kFront[] = "MZ stands in for the engine image";

bool Exists(const SString& path) { return GetFileAttributesA(path.GetText()) != INVALID_FILE_ATTRIBUTES; }

class LoadPackageTest : public ::testing::Test {
 protected:
  void SetUp() override { m_path = m_disk.MakeTempFileName().GetText(); }
  void TearDown() override {
    DeleteModuleFiles(&m_disk, m_modules);
    DeleteFileA(m_path.c_str());
  }

  void Write(const TestPackage& package, PackageLayout* layout = nullptr) {
    ASSERT_TRUE(packagetest::WritePackage(m_path, kFront, package, layout));
  }
  bool Load() {
    return LoadPackageFile(m_path.c_str(), "C:\\app\\", &m_disk, &m_engine, &m_resources, &m_modules,
                           false);
  }
  // After a failure: the engine holds nothing, and deleting the listed
  // files leaves none of them behind.
  void ExpectCleanFailure() {
    EXPECT_EQ(m_engine.GetDefinitionCount(), 0);
    DeleteModuleFiles(&m_disk, m_modules);
    for (int i = 0; i < m_modules.GetCount(); i++) EXPECT_FALSE(Exists(m_modules.GetString(i))) << i;
  }

  std::string m_path;
  SDisk m_disk;
  PEngine m_engine;
  SResource m_resources;
  SStringArray m_modules;
};

TEST_F(LoadPackageTest, SoundPackageWithoutModulesBuildsAndOpensItsPack) {
  TestPackage package;
  package.resources = {{"text\\hello.txt", "hello"}, {"image\\a.png", std::string(500, 'p')}};
  Write(package);
  ASSERT_TRUE(Load());
  EXPECT_EQ(m_modules.GetCount(), 0);
  // The program's classes follow the built-in ones, with their TypeCodes.
  ASSERT_NE(m_engine.GetApplicationDefinition(), nullptr);
  PObjectDefinition* helper = m_engine.FindDefinitionByName("Helper");
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(helper->GetTypeCode(), 0x03000001u);
  EXPECT_STREQ(helper->GetBaseName(), "Application");
  // The pack's entries read through the package key.
  SFileMem out;
  out.Allocate(0);
  ASSERT_TRUE(m_resources.Read(&out, "text\\hello.txt", true));
  EXPECT_TRUE(out.ReadString(-1) == "hello");
}

TEST_F(LoadPackageTest, TheLastFourBytesMayHoldAnything) {
  for (const char* tag : {"\xFF\xFF\xFF\xFF", "SRES", "\x01\x02\x03\x04"}) {
    TestPackage package;
    package.tag = tag;
    Write(package);
    EXPECT_TRUE(Load()) << tag;
  }
}

TEST_F(LoadPackageTest, ModulesAreWrittenInTableOrderAndAnEmptyOneFailsTheBuild) {
  TestPackage package;
  package.modules = {std::string("MZ not really a library\0\x01", 25), ""};
  Write(package);
  EXPECT_FALSE(Load());
  ASSERT_EQ(m_modules.GetCount(), 2);  // both written before the build
  EXPECT_TRUE(packagetest::ReadAll(m_modules.GetString(0).GetText()) == package.modules[0]);
  EXPECT_TRUE(Exists(m_modules.GetString(1)));
  EXPECT_EQ(packagetest::ReadAll(m_modules.GetString(1).GetText()).size(), 0u);
  ExpectCleanFailure();
}

// A damaged module count used to make one empty temporary file per missing
// entry, up to 65535 of them, before the build failed on the first.
TEST_F(LoadPackageTest, ModuleCountBeyondTheTableFailsBeforeWritingFiles) {
  TestPackage package;
  package.modules = {"one", "two"};
  PackageLayout layout;
  Write(package, &layout);
  std::string bytes = packagetest::ReadAll(m_path);
  bytes[size_t(layout.moduleOffset)] = '\xFF';
  bytes[size_t(layout.moduleOffset) + 1] = '\xFF';
  packagetest::WriteAll(m_path, bytes);
  EXPECT_FALSE(Load());
  EXPECT_EQ(m_modules.GetCount(), 0);

  // A count that fits the bytes but whose entries run out on the way.
  bytes[size_t(layout.moduleOffset)] = '\x03';
  bytes[size_t(layout.moduleOffset) + 1] = '\x00';
  // The second entry's size now swallows the rest of the file.
  size_t second = size_t(layout.moduleOffset) + 2 + 4 + 3;
  for (int i = 0; i < 4; i++) bytes[second + size_t(i)] = i < 3 ? '\xFF' : '\x0F';
  packagetest::WriteAll(m_path, bytes);
  EXPECT_FALSE(Load());
  EXPECT_EQ(m_modules.GetCount(), 2);
  ExpectCleanFailure();
}

TEST_F(LoadPackageTest, PackWithoutItsClosingSizeFails) {
  TestPackage package;
  package.modules = {"module bytes"};
  package.resources = {{"text\\a.txt", "a"}};
  Write(package);
  std::string bytes = packagetest::ReadAll(m_path);
  ASSERT_EQ(bytes.substr(bytes.size() - 24, 4), std::string(4, '\xFF'));
  packagetest::DropPackTerminator(m_path);
  EXPECT_FALSE(Load());
  EXPECT_EQ(m_modules.GetCount(), 1);
  ExpectCleanFailure();
}

TEST_F(LoadPackageTest, TruncatedFilesFail) {
  TestPackage package;
  package.modules = {"module bytes"};
  Write(package);
  std::string whole = packagetest::ReadAll(m_path);
  for (size_t keep : {whole.size() - 1, whole.size() / 2, size_t(10), size_t(0)}) {
    packagetest::WriteAll(m_path, whole.substr(0, keep));
    EXPECT_FALSE(Load()) << keep;
    ExpectCleanFailure();
    m_modules.Purge();
  }
}

TEST_F(LoadPackageTest, TrailerOffsetsPastTheEnd) {
  TestPackage package;
  PackageLayout layout;
  Write(package, &layout);
  std::string whole = packagetest::ReadAll(m_path);
  // Key, pack and program past the end fail; a module table past the end
  // reads as no modules, as a read at the end gives zeros.
  struct {
    int field;
    uint32_t value;
    bool loads;
  } cases[] = {
      {0, uint32_t(whole.size()) + 1000, false},
      {2, uint32_t(whole.size()) + 1000, false},
      {3, uint32_t(whole.size()) + 1000, false},
      {3, 0xFFFFFFFF, false},
      {1, uint32_t(whole.size()) + 1000, true},
      {1, 0x7FFFFFFF, true},
  };
  for (const auto& c : cases) {
    packagetest::WriteAll(m_path, whole);
    packagetest::SetTrailerField(m_path, c.field, c.value);
    EXPECT_EQ(Load(), c.loads) << c.field << " " << c.value;
    EXPECT_EQ(m_modules.GetCount(), 0);
  }
  EXPECT_EQ(layout.trailerOffset, int(whole.size()) - PackageWriter::kTrailerSize);
}

TEST_F(LoadPackageTest, ProgramWithoutApplicationOrWrongKeyFails) {
  TestPackage package;
  package.program = "class Main\n";
  Write(package);
  EXPECT_FALSE(Load());
  ExpectCleanFailure();

  TestPackage sound;
  PackageLayout layout;
  Write(sound, &layout);
  packagetest::SetTrailerField(m_path, 0, uint32_t(layout.keyOffset + 1));  // a shifted key
  EXPECT_FALSE(Load());
  ExpectCleanFailure();
}

TEST_F(LoadPackageTest, MissingPackageFileFails) {
  DeleteFileA(m_path.c_str());
  EXPECT_FALSE(Load());
  EXPECT_EQ(m_modules.GetCount(), 0);
}

}  // namespace
