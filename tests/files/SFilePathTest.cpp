// SFilePath over real files in the temporary folder.
#include <gtest/gtest.h>

#include <string>

#include "core/SStringArray.h"
#include "files/SFilePath.h"
#include "tests/files/StreamTestData.h"

using streamtest::FileExists;
using streamtest::Rest;
using streamtest::ScratchFile;

namespace {

void WriteFile(const char* path, const std::string& bytes) {
  SFilePath file(path, true, true, false);
  ASSERT_TRUE(file.IsOpen());
  ASSERT_EQ(file.Write(bytes.data(), int(bytes.size())), int(bytes.size()));
}

std::string ReadFile(const char* path) {
  SFilePath file(path, false, false, true);
  return Rest(file);
}

// ---- Opening ----------------------------------------------------------------------------

TEST(SFilePathOpen, ModesFollowTheFlags) {
  ScratchFile scratch;
  const char* path = scratch.Path();
  SFilePath file;

  WriteFile(path, "old");
  ASSERT_TRUE(file.Open(path, true, true, true));  // w+b: emptied
  EXPECT_EQ(file.GetSize(), 0);
  EXPECT_TRUE(file.GetPath() == path);
  EXPECT_FALSE(file.IsTemporary());
  file.Close();  // an unshared writer keeps everyone else out

  WriteFile(path, "old");
  ASSERT_TRUE(file.Open(path, true, false, true));  // r+b: kept, writable
  EXPECT_EQ(file.Write("n", 1), 1);
  file.Close();
  EXPECT_EQ(ReadFile(path), "nld");

  ASSERT_TRUE(file.Open(path, false, false, true));  // rb
  EXPECT_EQ(file.Write("x", 1), 0);
  EXPECT_TRUE(file.ReadString(-1) == "nld");
  file.Close();

  ASSERT_TRUE(file.Open(path, true, false, false));  // ab: every write at the end
  file.Seek(0);
  EXPECT_EQ(file.Write("!", 1), 1);
  file.Close();
  EXPECT_EQ(ReadFile(path), "nld!");

  ASSERT_TRUE(file.Open(path, true, true, false));  // wb: emptied
  file.Close();
  EXPECT_EQ(ReadFile(path), "");
}

TEST(SFilePathOpen, RefusesWhatCannotOpen) {
  ScratchFile scratch;
  std::string missing = std::string(scratch.Path()) + ".missing";
  SFilePath file;
  EXPECT_FALSE(file.Open("", false, false, true));
  EXPECT_FALSE(file.Open(nullptr, false, false, true));
  EXPECT_FALSE(file.Open(missing.c_str(), false, false, true));
  EXPECT_FALSE(file.Open(missing.c_str(), true, false, true));
  EXPECT_FALSE(file.Open(scratch.Path(), false, false, false));  // no mode at all
  EXPECT_FALSE(file.IsOpen());
  EXPECT_TRUE(file.GetPath() == "");
  EXPECT_FALSE(FileExists(missing.c_str()));
}

TEST(SFilePathOpen, ClosedStreamAnswersAsAnEmptyOne) {
  SFilePath file;
  EXPECT_EQ(file.Write("x", 1), 0);
  EXPECT_EQ(file.WriteLine("x"), 0);
  EXPECT_EQ(file.WriteUniString(u"x", 1), 0);
  EXPECT_TRUE(file.ReadLine(false, -1, nullptr) == "");
  EXPECT_TRUE(file.ReadZString(true) == "");
  EXPECT_EQ(file.Seek(5), 0);
  EXPECT_EQ(file.GetSize(), 0);
  EXPECT_TRUE(file.IsEnd());
  EXPECT_FALSE(file.SetSize(3));
  uint32_t crc = 7;
  EXPECT_FALSE(file.GetCrc32(crc));
}

TEST(SFilePathOpen, TemporaryFileLivesWhileOpen) {
  SFilePath file;
  ASSERT_TRUE(file.OpenTemporary());
  EXPECT_TRUE(file.IsTemporary());
  SString path = file.GetPath();
  EXPECT_TRUE(path.Find("tmp") >= 0);
  EXPECT_TRUE(FileExists(path.GetText()));
  EXPECT_EQ(file.Write("temp", 4), 4);
  file.Rewind();
  EXPECT_TRUE(file.ReadString(-1) == "temp");  // w+b: readable too
  file.Close();
  EXPECT_FALSE(FileExists(path.GetText()));
  EXPECT_FALSE(file.IsTemporary());
  EXPECT_TRUE(file.GetPath() == "");
}

// ---- Reading and writing --------------------------------------------------------------------

TEST(SFilePathReadLine, DropsEveryCrAndLfAndEndsOnlyAtCrLf) {
  ScratchFile scratch;
  const struct {
    std::string bytes;
    int max;
    const char* line;
    bool ended;
  } cases[] = {
      {"a\nb\n", -1, "ab", false},
      {"a\rb\r\n", -1, "ab", true},
      {"ab\r\ncd", 2, "ab", false},
      {std::string("a\0b\r\n", 5), 2, "a", false},  // the NUL counts but adds nothing
      {"  ab \t\r\n", -1, "ab", true},
      {"ab\r\n", 0, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    WriteFile(scratch.Path(), c.bytes);
    SFilePath file(scratch.Path(), false, false, true);
    bool ended = !c.ended;
    EXPECT_TRUE(file.ReadLine(false, c.max, &ended) == c.line);
    EXPECT_EQ(ended, c.ended);
  }

  WriteFile(scratch.Path(), "ab\r\n  cd ");
  SFilePath file(scratch.Path(), false, false, true);
  bool ended = true;
  EXPECT_TRUE(file.ReadLine(false, 2, &ended) == "ab");
  EXPECT_FALSE(ended);
  EXPECT_TRUE(file.ReadLine(false, 2, &ended) == "");
  EXPECT_TRUE(ended);
  EXPECT_TRUE(file.ReadLineWithEnd(true, -1) == "  cd ");
  EXPECT_TRUE(file.IsEnd());
}

TEST(SFilePathReadWrite, TextsIntegersAndUtf16) {
  ScratchFile scratch;
  SFilePath file(scratch.Path(), true, true, true);
  EXPECT_EQ(file.WriteText("abc"), 4);
  EXPECT_EQ(file.WriteInt(-2), 4);
  EXPECT_EQ(file.WriteUniString(u"h\u00e9\u20ac", -1), 6);
  EXPECT_EQ(file.WriteLine("line"), 6);
  EXPECT_EQ(file.WriteByte(0x7F), 1);
  EXPECT_EQ(file.GetSize(), 21);

  file.Rewind();
  EXPECT_TRUE(file.ReadZString(true) == "abc");
  EXPECT_EQ(file.ReadInt(), -2);
  SUniString text = file.ReadUniString(3);
  ASSERT_EQ(text.GetLength(), 3);
  EXPECT_EQ(text.GetBuffer()[2], u'\u20ac');
  EXPECT_TRUE(file.ReadLineWithEnd(false, -1) == "line\r\n");
  EXPECT_EQ(file.ReadByte(), 0x7F);
  EXPECT_EQ(file.ReadByte(), -1);
  EXPECT_EQ(file.ReadUniString(-1).GetLength(), 0);
}

TEST(SFilePathReadWrite, ReadsAndWritesMixWithoutSeeks) {
  ScratchFile scratch;
  SFilePath file(scratch.Path(), true, true, true);
  file.Write("0123456789", 10);
  file.Seek(2);
  char two[2];
  ASSERT_EQ(file.Read(two, 2), 2);
  EXPECT_EQ(file.Write("xy", 2), 2);  // right after a read
  char next = 0;
  ASSERT_EQ(file.Read(&next, 1), 1);  // right after a write
  EXPECT_EQ(next, '6');
  EXPECT_EQ(file.GetPosition(), 7);
  file.Rewind();
  EXPECT_TRUE(file.ReadString(-1) == "0123xy6789");
}

TEST(SFilePathReadWrite, ReadsAreCutToWhatRemains) {
  ScratchFile scratch;
  WriteFile(scratch.Path(), "abcdefghij");
  SFilePath file(scratch.Path(), false, false, true);
  char buffer[20];
  file.Seek(8);
  EXPECT_EQ(file.Read(buffer, 20), 2);
  EXPECT_EQ(file.Read(buffer, 1), 0);
  file.Seek(9);
  EXPECT_EQ(file.ReadInt(), 'j');  // the missing bytes read as 0
  file.Seek(7);
  EXPECT_EQ(file.ReadUniString(-1).GetLength(), 1);  // the odd last byte stays
  EXPECT_EQ(file.GetPosition(), 9);
}

// ---- Position, size, search ------------------------------------------------------------------

TEST(SFilePathPosition, SeekSizeAndSetSize) {
  ScratchFile scratch;
  SFilePath file(scratch.Path(), true, true, true);
  file.Write("0123456789", 10);
  EXPECT_EQ(file.Seek(-5), 10);
  EXPECT_EQ(file.Seek(11), 10);
  EXPECT_EQ(file.Seek(3), 3);
  EXPECT_EQ(file.SeekBack(5), 10);  // before the start is "the end"
  EXPECT_EQ(file.Skip(-4), 6);

  EXPECT_TRUE(file.SetSize(4));
  EXPECT_EQ(file.GetSize(), 4);
  EXPECT_EQ(file.GetPosition(), 4);
  EXPECT_TRUE(file.SetSize(6));  // extended with zeros
  EXPECT_EQ(file.GetPosition(), 6);
  file.Rewind();
  EXPECT_TRUE(Rest(file) == std::string("0123\0\0", 6));
  EXPECT_FALSE(file.SetSize(-1));
}

TEST(SFilePathPosition, FindComparesByteByByte) {
  ScratchFile scratch;
  WriteFile(scratch.Path(), "abcabdabe!");
  SFilePath file(scratch.Path(), false, false, true);
  EXPECT_EQ(file.Find("abd", 3, false), 3);
  EXPECT_EQ(file.GetPosition(), 6);
  file.Rewind();
  EXPECT_EQ(file.FindString("abe", true), 9);
  file.Rewind();
  EXPECT_EQ(file.FindString("xyz", false), -1);
  EXPECT_EQ(file.GetPosition(), 8);  // size - n + 1
  file.Rewind();
  EXPECT_EQ(file.FindString("", false), -1);
  file.Seek(8);
  EXPECT_EQ(file.FindString("e!x", false), -1);
}

TEST(SFilePathDigests, WholeFileWhateverThePosition) {
  ScratchFile scratch;
  WriteFile(scratch.Path(), "abc");
  SFilePath file(scratch.Path(), false, false, true);
  file.Seek(2);
  uint32_t crc = 0;
  ASSERT_TRUE(file.GetCrc32(crc));
  EXPECT_EQ(crc, 0x352441C2u);
  EXPECT_TRUE(file.GetMd5() == "900150983CD24FB0D6963F7D28E17F72");
  EXPECT_TRUE(file.GetSha1() == "A9993E364706816ABA3E25717850C26C9CD0D89D");
  EXPECT_EQ(file.GetPosition(), 2);
}

// ---- Split to files --------------------------------------------------------------------------

TEST(SFileSplit, PartsOfTheGivenSizeOnePerPath) {
  ScratchFile p1, p2, p3;
  std::string data = streamtest::RandomBytes(25, 3);
  SFileMem source;
  streamtest::Fill(source, data);

  SStringArray paths;
  paths.Add(p1.Path());
  paths.Add(p2.Path());
  paths.Add(p3.Path());
  EXPECT_EQ(source.SplitToFiles(&paths, 10), 3);
  EXPECT_TRUE(ReadFile(p1.Path()) == data.substr(0, 10));
  EXPECT_TRUE(ReadFile(p2.Path()) == data.substr(10, 10));
  EXPECT_TRUE(ReadFile(p3.Path()) == data.substr(20));

  paths.RemoveText(p3.Path());
  source.Rewind();
  EXPECT_EQ(source.SplitToFiles(&paths, 10), 2);
  EXPECT_EQ(source.GetRemaining(), 5);

  EXPECT_EQ(source.SplitToFiles(&paths, 0), 0);
  EXPECT_EQ(source.SplitToFiles(nullptr, 10), 0);
  source.SeekToEnd();
  EXPECT_EQ(source.SplitToFiles(&paths, 10), 0);
}

TEST(SFileSplit, PartsJoinBackToTheStream) {
  ScratchFile p[4];
  SStringArray paths;
  for (auto& part : p) paths.Add(part.Path());
  for (int size : {1, 7, 100001}) {
    SCOPED_TRACE(size);
    std::string data = streamtest::RandomBytes(size, 9);
    SFileMem source;
    streamtest::Fill(source, data);
    int parts = source.SplitToFiles(&paths, 30000);
    EXPECT_EQ(parts, (size + 29999) / 30000);
    std::string joined;
    for (int i = 0; i < parts; i++) joined += ReadFile(p[i].Path());
    EXPECT_TRUE(joined == data);
  }
}

TEST(SFileSplit, StopsAtAnEmptyPath) {
  ScratchFile p1;
  SStringArray paths;
  paths.Add(p1.Path());
  paths.Add("");
  SFileMem source;
  streamtest::Fill(source, "0123456789");
  EXPECT_EQ(source.SplitToFiles(&paths, 4), 1);
  EXPECT_EQ(source.GetPosition(), 4);
}

}  // namespace
