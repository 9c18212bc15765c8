#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "files/SFileMem.h"
#include "files/SIni.h"

namespace {

// ---- Helpers -----------------------------------------------------------------------------

// An SIni in memory holding the text.
void LoadText(SIni& ini, const std::string& text) {
  SFileMem source;
  source.Write(text.data(), int(text.size()));
  source.Rewind();
  ASSERT_TRUE(ini.Load(&source));
}

std::string TextOf(SIni& ini) {
  SFileMem out;
  EXPECT_TRUE(ini.SaveTo(&out));
  return std::string(reinterpret_cast<const char*>(out.GetData()), size_t(out.GetSize()));
}

std::string TempPath(const char* name) { return testing::TempDir() + name; }

std::string FileText(const std::string& path) {
  SFileMem file;
  if (!file.LoadFile(path.c_str())) return "<missing>";
  return std::string(reinterpret_cast<const char*>(file.GetData()), size_t(file.GetSize()));
}

std::string DataPath(const char* name) { return std::string(TAVRIN_TEST_DATA) + "/" + name; }

// ---- Reading -----------------------------------------------------------------------------------

TEST(SIniTest, NamesIgnoreCaseAndBlanksBelongToKeyAndValue) {
  SIni ini;
  LoadText(ini, "[Main]\r\nkey=1\r\nKEY=2\r\nk = v\r\n  [Other]  \r\nx=3\r\n");
  EXPECT_EQ(ini.Read("MAIN", "Key"), "1");
  EXPECT_EQ(ini.Read("main", "k"), "");
  EXPECT_EQ(ini.Read("main", "k "), " v");
  EXPECT_EQ(ini.Read("other", "x"), "3");
  // The indented header is found, but it does not end the body before it.
  EXPECT_EQ(ini.Read("main", "x"), "3");
  EXPECT_EQ(ini.Read("none", "key"), "");
}

TEST(SIniTest, LinesEndOnlyAtCrLf) {
  SIni ini;
  LoadText(ini, "[s]\nk=v\n");
  EXPECT_EQ(ini.Read("s", "k"), "");
  LoadText(ini, "[s]\r\nk=a\nb\r\n");
  EXPECT_EQ(ini.Read("s", "k"), "a\nb");
}

TEST(SIniTest, TypedReads) {
  SIni ini;
  LoadText(ini, "[s]\r\none=1\r\nzero1=01\r\nblank1= 1\r\nword=true\r\nn=42x\r\nf=2.5\r\n");
  EXPECT_TRUE(ini.ReadFlag("s", "one"));
  EXPECT_FALSE(ini.ReadFlag("s", "zero1"));
  EXPECT_FALSE(ini.ReadFlag("s", "blank1"));
  EXPECT_FALSE(ini.ReadFlag("s", "word"));
  EXPECT_EQ(ini.ReadInt("s", "n"), 42);
  EXPECT_EQ(ini.ReadInt("s", "missing"), 0);
  EXPECT_DOUBLE_EQ(ini.ReadDouble("s", "f"), 2.5);
}

// The framework's image-list, menu and tool-bar files keep their global
// keys before the first section, in the section with the empty name.
TEST(SIniTest, KeysBeforeTheFirstSectionFormTheEmptySection) {
  SFileMem file;
  ASSERT_TRUE(file.LoadFile(DataPath("menu-file.txt").c_str()));
  ASSERT_EQ(file.ReadLine(false, -1, nullptr), "TAVRIN MENU 1.0.0.0");
  SIni ini;
  ASSERT_TRUE(ini.Load(&file));
  EXPECT_EQ(ini.ReadInt("", "count"), 2);
  EXPECT_EQ(ini.Read(nullptr, "count"), "2");
  EXPECT_EQ(ini.Read("0", "name"), "File");
  EXPECT_EQ(ini.Read("0:1", "name"), "Quit");
  EXPECT_EQ(ini.Read("", "name"), "");

  // A new global key goes to the top; the sections stay as they were.
  std::string before = TextOf(ini);
  ASSERT_TRUE(ini.Write("", "alpha", "1"));
  EXPECT_EQ(TextOf(ini), "alpha=1\r\n" + before);
  ASSERT_TRUE(ini.DeleteKey("", "alpha"));
  EXPECT_EQ(TextOf(ini), before);
}

// ---- Writing -----------------------------------------------------------------------------------

TEST(SIniTest, WriteAddsSectionsAndKeys) {
  SIni ini;
  ASSERT_TRUE(ini.OpenMemory());
  ASSERT_TRUE(ini.Write("S", "K", "V"));
  EXPECT_EQ(TextOf(ini), "[S]\r\nK=V\r\n");
  ASSERT_TRUE(ini.Write("T", "a", "1"));
  ASSERT_TRUE(ini.Write("t", "b", "2"));
  EXPECT_EQ(TextOf(ini), "[S]\r\nK=V\r\n\r\n[T]\r\nb=2\r\na=1\r\n");

  LoadText(ini, "x=1");
  ASSERT_TRUE(ini.Write("S", "k", "v"));
  EXPECT_EQ(TextOf(ini), "x=1\r\n\r\n[S]\r\nk=v\r\n");
  ASSERT_TRUE(ini.WriteInt("S", "n", -7));
  ASSERT_TRUE(ini.WriteDouble("S", "d", 0.5));
  EXPECT_EQ(ini.Read("S", "n"), "-7");
  EXPECT_DOUBLE_EQ(ini.ReadDouble("S", "d"), 0.5);
}

// An edit rewrites only its own line.
TEST(SIniTest, RewritingAKeyKeepsEveryOtherByte) {
  const std::string head = "; not a comment\r\n[A]\r\n  odd line\r\nKey=old value\r\n";
  const std::string tail = "\r\nafter=1\r\n\r\n[B]\r\nKey=other\r\n";
  SIni ini;
  LoadText(ini, head + tail);
  ASSERT_TRUE(ini.Write("a", "KEY", "a much longer value than before"));
  EXPECT_EQ(TextOf(ini), "; not a comment\r\n[A]\r\n  odd line\r\nKEY=a much longer value than before\r\n" + tail);
  ASSERT_TRUE(ini.Write("a", "key", "v"));
  EXPECT_EQ(TextOf(ini), "; not a comment\r\n[A]\r\n  odd line\r\nkey=v\r\n" + tail);
  EXPECT_EQ(ini.Read("b", "key"), "other");
}

// A header or key on the text's last line, without a line end.
TEST(SIniTest, LastLineWithoutLineEnd) {
  SIni ini;
  LoadText(ini, "[a]\r\nx=1\r\n[b]");
  ASSERT_TRUE(ini.Write("b", "k", "v"));
  EXPECT_EQ(TextOf(ini), "[a]\r\nx=1\r\n[b]\r\nk=v\r\n");
  EXPECT_EQ(ini.Read("b", "k"), "v");

  LoadText(ini, "[a]\r\nx=1\r\ny=2");
  ASSERT_TRUE(ini.DeleteKey("a", "y"));
  EXPECT_EQ(TextOf(ini), "[a]\r\nx=1\r\n");
  ASSERT_TRUE(ini.DeleteKey("a", "x"));
  EXPECT_EQ(TextOf(ini), "[a]\r\n");
  EXPECT_FALSE(ini.DeleteKey("a", "x"));
}

TEST(SIniTest, DeleteAndClearSections) {
  const std::string text = "top=1\r\n[a]\r\nx=1\r\ny=2\r\n\r\n[b]\r\nz=3\r\n";
  SIni ini;
  LoadText(ini, text);
  ASSERT_TRUE(ini.ClearSection("a"));
  EXPECT_EQ(TextOf(ini), "top=1\r\n[a]\r\n\r\n[b]\r\nz=3\r\n");
  ASSERT_TRUE(ini.ClearSection("b"));
  EXPECT_EQ(TextOf(ini), "top=1\r\n[a]\r\n\r\n[b]\r\n");
  EXPECT_FALSE(ini.ClearSection("c"));

  LoadText(ini, text);
  ASSERT_TRUE(ini.DeleteSection("a"));
  EXPECT_EQ(TextOf(ini), "top=1\r\n[b]\r\nz=3\r\n");
  ASSERT_TRUE(ini.DeleteSection("B"));
  EXPECT_EQ(TextOf(ini), "top=1\r\n");
  EXPECT_FALSE(ini.DeleteSection("b"));
  ASSERT_TRUE(ini.DeleteSection(""));
  EXPECT_EQ(TextOf(ini), "");
}

// ---- Attaching ---------------------------------------------------------------------------------

TEST(SIniTest, NothingAttachedReadsNothingAndEditsNothing) {
  SIni ini;
  EXPECT_FALSE(ini.IsOpen());
  EXPECT_EQ(ini.Read("s", "k"), "");
  EXPECT_FALSE(ini.Write("s", "k", "v"));
  EXPECT_FALSE(ini.DeleteSection("s"));
  EXPECT_FALSE(ini.DeleteKey("s", "k"));
  SFileMem out;
  EXPECT_FALSE(ini.SaveTo(&out));
  EXPECT_FALSE(ini.Load(nullptr));
  EXPECT_FALSE(ini.IsOpen());
}

TEST(SIniTest, DiskFileIsReadAndRewrittenOnEveryCall) {
  std::string path = TempPath("sini-disk.ini");
  std::string copy = TempPath("sini-copy.ini");
  std::remove(path.c_str());
  SIni ini;
  EXPECT_FALSE(ini.Open(path.c_str(), false));
  EXPECT_EQ(FileText(path), "<missing>");
  ASSERT_TRUE(ini.Open(path.c_str(), true));
  EXPECT_TRUE(ini.IsOpen());
  EXPECT_FALSE(ini.IsMemory());
  EXPECT_EQ(ini.GetFileName(), path.c_str());
  EXPECT_EQ(FileText(path), "");
  ASSERT_TRUE(ini.Write("s", "k", "v"));
  EXPECT_EQ(FileText(path), "[s]\r\nk=v\r\n");

  // Changes made by others between calls are seen.
  SFileMem edit;
  edit.Write("[s]\r\nk=changed\r\n", 16);
  ASSERT_TRUE(edit.SaveFile(path.c_str()));
  EXPECT_EQ(ini.Read("s", "k"), "changed");

  ASSERT_TRUE(ini.SaveAs(copy.c_str()));
  EXPECT_EQ(FileText(copy), "[s]\r\nk=changed\r\n");
  ini.Close();
  EXPECT_EQ(ini.GetFileName(), "");
  EXPECT_FALSE(ini.SaveAs(copy.c_str()));
  std::remove(path.c_str());
  std::remove(copy.c_str());
}

}  // namespace
