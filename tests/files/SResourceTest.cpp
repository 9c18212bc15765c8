// Resource packs, written by the tools' pack writer and read by SResource.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/SFileMem.h"
#include "files/SResource.h"
#include "tests/files/StreamTestData.h"
#include "tools/ResourcePackWriter.h"

using streamtest::Content;
using streamtest::Fill;
using streamtest::RandomBytes;
using streamtest::ScratchFile;

namespace {

struct Entry {
  const char* name;
  std::string data;
};

std::string Int(uint32_t v) {
  return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

// A pack of the entries, with prefix bytes before it and suffix after.
std::string MakePack(const std::vector<Entry>& entries, bool compressed, const std::string& key,
                     const std::string& prefix = "", const std::string& suffix = "") {
  SFileMem out, keyStream;
  Fill(keyStream, key);
  Fill(out, prefix);
  out.SeekToEnd();
  ResourcePackWriter writer(&out, compressed, &keyStream);
  for (const Entry& e : entries) {
    SFileMem data;
    Fill(data, e.data);
    EXPECT_TRUE(writer.Add(e.name, &data));
  }
  EXPECT_TRUE(writer.Finish());
  return Content(out) + suffix;
}

void Save(const ScratchFile& file, const std::string& bytes) {
  SFileMem m;
  Fill(m, bytes);
  ASSERT_TRUE(m.SaveFile(file.Path()));
}

// The entry's content, or "<false>" when Read refuses it.
std::string ReadEntry(SResource& pack, const char* name) {
  SFileMem out;
  out.Allocate(0);
  if (!pack.Read(&out, name, true)) return "<false>";
  return Content(out);
}

void SetKey(SResource& pack, const std::string& key) {
  SFileMem k;
  Fill(k, key);
  ASSERT_TRUE(pack.SetKey(&k));
}

const std::string kKey = RandomBytes(32, 77);

TEST(SResourceOpen, ScrambledCompressedPackInsideALargerFile) {
  ScratchFile file;
  std::vector<Entry> entries = {
      {"dialog\\main", "TAVRIN DIALOG 1.0.0.0\r\n"},
      {"binary\\empty", ""},
      {"image\\noise", RandomBytes(100001, 2)},
      {"text\\zeros", std::string(250000, '\0')},
  };
  std::string prefix = RandomBytes(1000, 3);
  Save(file, MakePack(entries, true, kKey, prefix, RandomBytes(500, 4)));

  SResource pack;
  SetKey(pack, kKey);
  ASSERT_TRUE(pack.Open(file.Path(), 1000));
  ASSERT_EQ(pack.GetCount(), 4);
  for (int i = 0; i < 4; i++) {
    SCOPED_TRACE(entries[size_t(i)].name);
    EXPECT_TRUE(pack.GetName(i) == entries[size_t(i)].name);
    EXPECT_TRUE(ReadEntry(pack, entries[size_t(i)].name) == entries[size_t(i)].data);
  }
}

TEST(SResourceOpen, EveryCombinationOfKeyAndCompression) {
  ScratchFile file;
  std::vector<Entry> entries = {{"a", "first"}, {"b", RandomBytes(3000, 5)}, {"c", ""}};
  for (bool compressed : {false, true}) {
    for (const std::string& key : {std::string(), kKey}) {
      SCOPED_TRACE(std::string(compressed ? "compressed" : "stored") +
                   (key.empty() ? ", no key" : ", key"));
      Save(file, MakePack(entries, compressed, key));
      SResource pack;
      SetKey(pack, key);
      ASSERT_TRUE(pack.Open(file.Path(), 0));
      for (const Entry& e : entries) EXPECT_TRUE(ReadEntry(pack, e.name) == e.data);
    }
  }
}

TEST(SResourceOpen, EmptyPackHasNoEntries) {
  ScratchFile file;
  Save(file, "SRES" + Int(0) + Int(0xFFFFFFFF));
  SResource pack;
  ASSERT_TRUE(pack.Open(file.Path(), 0));
  EXPECT_EQ(pack.GetCount(), 0);
  EXPECT_EQ(ReadEntry(pack, "anything"), "<false>");
}

TEST(SResourceOpen, NotAPack) {
  ScratchFile file;
  SResource pack;
  Save(file, "SREZ" + Int(0) + Int(0xFFFFFFFF));
  EXPECT_FALSE(pack.Open(file.Path(), 0));
  EXPECT_EQ(pack.GetCount(), 0);
  Save(file, "SR");
  EXPECT_FALSE(pack.Open(file.Path(), 0));
  EXPECT_FALSE(pack.Open(file.Path(), 100));  // start past the end
  std::string missing = std::string(file.Path()) + ".missing";
  EXPECT_FALSE(pack.Open(missing.c_str(), 0));
  EXPECT_FALSE(pack.Open("", 0));
  EXPECT_EQ(ReadEntry(pack, "a"), "<false>");
}

TEST(SResourceOpen, FlagCountsOnlyItsLowByte) {
  ScratchFile file;
  // Entries stored plainly under a flag of 256: the low byte says "stored".
  Save(file, "SRES" + Int(256) + Int(3) + "a" + std::string(1, '\0') + "xyz" + Int(0xFFFFFFFF));
  SResource pack;
  ASSERT_TRUE(pack.Open(file.Path(), 0));
  EXPECT_EQ(ReadEntry(pack, "a"), "xyz");
}

// ---- Reading -----------------------------------------------------------------------------

TEST(SResourceRead, NamesIgnoreCaseAndTheFirstOfANameCounts) {
  ScratchFile file;
  Save(file, MakePack({{"Image\\Logo", "one"}, {"IMAGE\\LOGO", "two"}}, false, ""));
  SResource pack;
  ASSERT_TRUE(pack.Open(file.Path(), 0));
  EXPECT_EQ(ReadEntry(pack, "image\\logo"), "one");
  EXPECT_EQ(ReadEntry(pack, "image\\other"), "<false>");
  EXPECT_EQ(ReadEntry(pack, nullptr), "<false>");
}

TEST(SResourceRead, LandsAtTheDestinationsPositionAndRewindsWhenAsked) {
  ScratchFile file;
  Save(file, MakePack({{"r", "data"}}, true, kKey));
  SResource pack;
  SetKey(pack, kKey);
  ASSERT_TRUE(pack.Open(file.Path(), 0));

  SFileMem out;
  Fill(out, "0123456789");
  out.Seek(3);
  ASSERT_TRUE(pack.Read(&out, "r", false));
  EXPECT_EQ(out.GetPosition(), 7);
  EXPECT_TRUE(Content(out) == "012data789");
  ASSERT_TRUE(pack.Read(&out, "r", true));
  EXPECT_EQ(out.GetPosition(), 0);

  EXPECT_FALSE(pack.Read(&out, "missing", true));
  EXPECT_FALSE(pack.Read(nullptr, "r", true));
  EXPECT_TRUE(Content(out) == "012datadata");
}

TEST(SResourceRead, CloseForgetsThePackButKeepsTheKey) {
  ScratchFile file;
  Save(file, MakePack({{"r", "data"}}, false, kKey));
  SResource pack;
  SetKey(pack, kKey);
  ASSERT_TRUE(pack.Open(file.Path(), 0));
  pack.Close();
  EXPECT_EQ(pack.GetCount(), 0);
  EXPECT_EQ(ReadEntry(pack, "r"), "<false>");
  ASSERT_TRUE(pack.Open(file.Path(), 0));
  EXPECT_EQ(ReadEntry(pack, "R"), "data");  // still unscrambled, still ignoring case
}

// ---- Damaged packs ---------------------------------------------------------------------------

TEST(SResourceDamage, StoredSizesBelowMinusOneAreRefused) {
  ScratchFile file;
  const std::string head = "SRES" + Int(0) + Int(2) + "a" + std::string(1, '\0') + "ok";
  for (uint32_t size : {0xFFFFFFFEu, 0xFFFFFFF0u, 0x80000000u, 0xFFFFFFF8u}) {
    SCOPED_TRACE(int32_t(size));
    // -8 would send the listing back to this very size, over and over.
    Save(file, head + Int(size) + "bad" + std::string(1, '\0') + RandomBytes(64) +
                   Int(0xFFFFFFFF));
    SResource pack;
    EXPECT_FALSE(pack.Open(file.Path(), 0));
    ASSERT_EQ(pack.GetCount(), 1);  // what came before stays listed
    EXPECT_EQ(ReadEntry(pack, "a"), "ok");
    EXPECT_EQ(ReadEntry(pack, "bad"), "<false>");
  }
}

TEST(SResourceDamage, EntriesThatRunPastTheFileAreRefused) {
  ScratchFile file;
  Save(file, "SRES" + Int(0) + Int(2) + "a" + std::string(1, '\0') + "ok" + Int(100) + "big" +
                 std::string(1, '\0') + "only a few bytes");
  SResource pack;
  EXPECT_FALSE(pack.Open(file.Path(), 0));
  EXPECT_EQ(pack.GetCount(), 1);
  EXPECT_EQ(ReadEntry(pack, "big"), "<false>");
}

TEST(SResourceDamage, PackWithoutTerminatorKeepsWhatItListed) {
  ScratchFile file;
  std::string whole = MakePack({{"a", "alpha"}, {"b", "beta"}}, false, "");
  Save(file, whole.substr(0, whole.size() - 4));
  SResource pack;
  EXPECT_FALSE(pack.Open(file.Path(), 0));
  EXPECT_EQ(pack.GetCount(), 2);
  EXPECT_EQ(ReadEntry(pack, "b"), "beta");
  Save(file, whole.substr(0, whole.size() - 2));  // the terminator cut in half
  EXPECT_FALSE(pack.Open(file.Path(), 0));
}

TEST(SResourceDamage, DamagedCompressedEntryLeavesTheDestinationAlone) {
  ScratchFile file;
  std::string bytes = MakePack({{"r", RandomBytes(5000, 1)}}, true, "");
  bytes[bytes.size() - 4 - 20] ^= 0x40;  // inside the zlib data
  Save(file, bytes);
  SResource pack;
  ASSERT_TRUE(pack.Open(file.Path(), 0));
  SFileMem out;
  Fill(out, "untouched");
  EXPECT_FALSE(pack.Read(&out, "r", false));
  EXPECT_TRUE(Content(out) == "untouched");
  EXPECT_EQ(out.GetPosition(), 0);
}

}  // namespace
