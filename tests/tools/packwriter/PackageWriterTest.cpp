// The package as the writer lays it out: read back part by part through the
// trailer, with the engine's own readers (PSource for the program stream,
// SResource for the pack), the way the engine finds them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "files/SDisk.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"
#include "files/SResource.h"
#include "tools/packwriter/PackageWriter.h"
#include "tools/packwriter/ProgramTextReader.h"
#include "tools/packwriter/ResourceFolder.h"

namespace fs = std::filesystem;

namespace {

int NoClass(const char*) { return -1; }
SString NoName(int, int) { return SString(); }

const char kProgramText[] =
    "constant ID_OK 1\n"
    "constant TITLE \"T%20x\"\n"
    "class Application\n"
    "  Integer count\n"
    "  Helper helper new\n"
    "function Integer Add(Integer a, String s=\"dflt\", Integer c=LIMIT)\n"
    "  count=a\n"
    "  return count\n"
    "event Void Changed(Integer v)\n"
    "class Helper : Application\n"
    "message Integer Button._0c03(Integer code)\n"
    "  return 0\n";

void ReadProgram(PSource& program) {
  SFileMem text;
  text.Allocate(0);
  text.WriteString(kProgramText, -1);
  ProgramTextReader reader(BuiltinNaming{NoClass, NoName});
  ASSERT_TRUE(reader.Read(&text, "app.txt", &program)) << reader.GetError().GetText();
}

// Every field of two models, in stream order.
void ExpectSameProgram(const PSource& a, const PSource& b) {
  ASSERT_EQ(a.GetConstantCount(), b.GetConstantCount());
  for (int i = 0; i < a.GetConstantCount(); i++) {
    EXPECT_TRUE(a.GetConstantName(i) == b.GetConstantName(i));
    EXPECT_TRUE(a.GetConstantValue(i) == b.GetConstantValue(i));
  }
  ASSERT_EQ(a.GetClassCount(), b.GetClassCount());
  for (int c = 0; c < a.GetClassCount(); c++) {
    const PSource::_PObject& x = *a.GetClass(c);
    const PSource::_PObject& y = *b.GetClass(c);
    EXPECT_TRUE(x.GetName() == y.GetName());
    EXPECT_TRUE(x.GetBaseName() == y.GetBaseName());
    ASSERT_EQ(x.GetClassLines().GetCount(), y.GetClassLines().GetCount());
    for (int i = 0; i < x.GetClassLines().GetCount(); i++)
      EXPECT_TRUE(x.GetClassLines().GetString(i) == y.GetClassLines().GetString(i));
    ASSERT_EQ(x.GetMemberCount(), y.GetMemberCount());
    for (int m = 0; m < x.GetMemberCount(); m++) {
      const PSource::_PFunction& f = *x.GetMember(m);
      const PSource::_PFunction& g = *y.GetMember(m);
      EXPECT_EQ(f.GetKind(), g.GetKind());
      EXPECT_TRUE(f.GetName() == g.GetName());
      EXPECT_TRUE(f.GetReturnType() == g.GetReturnType());
      ASSERT_EQ(f.GetParameterCount(), g.GetParameterCount());
      for (int p = 0; p < f.GetParameterCount(); p++) {
        EXPECT_TRUE(f.GetParameterType(p) == g.GetParameterType(p));
        EXPECT_TRUE(f.GetParameterName(p) == g.GetParameterName(p));
        EXPECT_EQ(f.HasDefault(p), g.HasDefault(p));
        EXPECT_TRUE(f.GetDefaultText(p) == g.GetDefaultText(p));
        EXPECT_TRUE(f.GetDefaultValue(p) == g.GetDefaultValue(p));
      }
      ASSERT_EQ(f.GetBodyLines().GetCount(), g.GetBodyLines().GetCount());
      for (int i = 0; i < f.GetBodyLines().GetCount(); i++)
        EXPECT_TRUE(f.GetBodyLines().GetString(i) == g.GetBodyLines().GetString(i));
    }
  }
}

SFileMem* Memory(const std::string& bytes) {
  SFileMem* m = new SFileMem;
  m->Allocate(0);
  m->Write(bytes.data(), int(bytes.size()));
  m->Rewind();
  return m;
}

std::string Rest(SFile& f, int n) {
  std::string bytes(size_t(n), '\0');
  bytes.resize(size_t(f.Read(bytes.data(), n)));
  return bytes;
}

class PackageWriterTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { m_path = SDisk().MakeTempFileName(); }
  void TearDown() override { fs::remove(m_path.GetText()); }
  SString m_path;
};

TEST_P(PackageWriterTest, WritesEveryPartWhereTheTrailerPointsAndReadsBack) {
  bool compressed = GetParam();
  PSource program;
  ReadProgram(program);

  uint8_t key[PackageWriter::kKeySize];
  for (int i = 0; i < PackageWriter::kKeySize; i++) key[i] = uint8_t(i * 37 + 200);
  PackageWriter writer;
  writer.SetKey(key);
  writer.SetTag("ZZ\x01\xFF");
  writer.SetCompressed(compressed);
  SFileMem* a = Memory(std::string("MZ first module\0\x01", 18));
  SFileMem* empty = Memory("");
  writer.AddModule(a);
  writer.AddModule(empty);
  delete a;
  delete empty;
  std::string picture(3000, '\x7f');
  SFileMem* image = Memory(picture);
  SFileMem* text = Memory("hello");
  writer.AddResource("image\\logo.png", image);
  writer.AddResource("text\\readme.txt", text);
  delete image;
  delete text;

  const std::string engine = "MZ pretend engine image";
  {
    SFilePath file(m_path.GetText(), true, true, false);
    file.WriteString(engine.c_str(), -1);
    PackageLayout layout;
    SString error;
    ASSERT_TRUE(writer.Write(program, &file, &layout, &error)) << error.GetText();
    EXPECT_EQ(layout.keyOffset, int(engine.size()));
  }

  SFilePath file(m_path.GetText(), false, false, true);
  ASSERT_TRUE(file.IsOpen());
  EXPECT_TRUE(Rest(file, int(engine.size())) == engine);  // the engine stays in front
  file.Seek(file.GetSize() - PackageWriter::kTrailerSize);
  int keyOffset = file.ReadInt(), moduleOffset = file.ReadInt(), packOffset = file.ReadInt(),
      programOffset = file.ReadInt();
  EXPECT_TRUE(Rest(file, 4) == "ZZ\x01\xFF");

  file.Seek(keyOffset);
  SFileMem keyStream;
  keyStream.Allocate(0);
  ASSERT_EQ(file.CopyTo(&keyStream, 32), 32);
  EXPECT_EQ(memcmp(keyStream.GetData(), key, 32), 0);

  file.Seek(programOffset);
  PSource loaded;
  ASSERT_TRUE(loaded.Load(&file, &keyStream));
  ExpectSameProgram(program, loaded);
  EXPECT_EQ(file.GetPosition(), moduleOffset);  // the stream's length is exact
  // And the values themselves, not only the agreement of the two models.
  EXPECT_TRUE(loaded.GetClass(0)->GetMember(0)->GetDefaultValue(2) == "&LIMIT");
  EXPECT_TRUE(loaded.GetClass(1)->GetMember(0)->GetName() == "Button._0c03");

  file.Seek(moduleOffset);
  uint8_t count[2];
  ASSERT_EQ(file.Read(count, 2), 2);
  EXPECT_EQ(count[0] | count[1] << 8, 2);
  EXPECT_EQ(file.ReadInt(), 18);
  EXPECT_TRUE(Rest(file, 18) == std::string("MZ first module\0\x01", 18));  // plain
  EXPECT_EQ(file.ReadInt(), 0);
  EXPECT_EQ(file.GetPosition(), packOffset);
  file.Close();

  SResource resources;
  keyStream.Rewind();
  resources.SetKey(&keyStream);
  ASSERT_TRUE(resources.Open(m_path.GetText(), packOffset));
  ASSERT_EQ(resources.GetCount(), 2);
  SFileMem out;
  out.Allocate(0);
  ASSERT_TRUE(resources.Read(&out, "image\\logo.png", true));
  EXPECT_TRUE(out.ReadString(-1) == picture.c_str());
  out.Allocate(0);
  ASSERT_TRUE(resources.Read(&out, "text\\readme.txt", true));
  EXPECT_TRUE(out.ReadString(-1) == "hello");
}

INSTANTIATE_TEST_SUITE_P(StoredAndCompressed, PackageWriterTest, ::testing::Bool());

TEST(ResourceFolder, TypeFoldersBecomeEntriesAndAnythingElseIsAFault) {
  fs::path root = fs::path(SDisk().GetTempFolder().GetText()) / "packwriter-resources";
  fs::remove_all(root);
  fs::create_directories(root / "text");
  fs::create_directories(root / "image");
  std::ofstream(root / "text" / "b.txt") << "bee";
  std::ofstream(root / "text" / "a.txt") << "ay";
  std::ofstream(root / "image" / "x.png") << "png";

  PackageWriter writer;
  SString error;
  ASSERT_TRUE(AddResourceFolder(root.string().c_str(), &writer, &error)) << error.GetText();
  EXPECT_EQ(writer.GetResourceCount(), 3);

  std::ofstream(root / "loose.txt") << "x";
  EXPECT_FALSE(AddResourceFolder(root.string().c_str(), &writer, &error));
  EXPECT_GE(error.Find("loose.txt"), 0);
  fs::remove(root / "loose.txt");

  fs::create_directories(root / "pictures");
  EXPECT_FALSE(AddResourceFolder(root.string().c_str(), &writer, &error));
  EXPECT_GE(error.Find("pictures"), 0);
  fs::remove_all(root / "pictures");

  fs::create_directories(root / "text" / "nested");
  EXPECT_FALSE(AddResourceFolder(root.string().c_str(), &writer, &error));
  EXPECT_GE(error.Find("nested"), 0);
  fs::remove_all(root);
}

}  // namespace
