// Named resources: the pack a name selects, the entry path it stands for,
// and loading the entry from a real pack file.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/PEngine.h"
#include "files/SDisk.h"
#include "files/SFileMem.h"
#include "files/SResource.h"
#include "tools/ResourcePackWriter.h"

namespace {

std::string Content(SFileMem& stream) {
  return std::string(reinterpret_cast<const char*>(stream.GetData()), size_t(stream.GetSize()));
}

void Fill(SFileMem& stream, const std::string& bytes) {
  stream.Allocate(0);
  stream.Write(bytes.data(), int(bytes.size()));
  stream.Rewind();
}

// An engine reading a compressed, scrambled pack with two entries.
class PEngineResources : public ::testing::Test {
 protected:
  void SetUp() override {
    m_path = SDisk().MakeTempFileName();
    ASSERT_GT(m_path.GetLength(), 0);
    SFileMem out, key, logo, text;
    Fill(key, "0123456789abcdef0123456789ABCDEF");
    Fill(logo, "PNG bytes");
    Fill(text, "hello");
    ResourcePackWriter writer(&out, true, &key);
    ASSERT_TRUE(writer.Add("image\\logo.png", &logo));
    ASSERT_TRUE(writer.Add("text\\notes\\a.txt", &text));
    ASSERT_TRUE(writer.Finish());
    ASSERT_TRUE(out.SaveFile(m_path.GetText()));
    key.Rewind();
    ASSERT_TRUE(m_pack.SetKey(&key));
    ASSERT_TRUE(m_pack.Open(m_path.GetText(), 0));
  }
  void TearDown() override { std::remove(m_path.GetText()); }

  SString m_path;
  SResource m_pack;
  PEngine engine;
};

TEST_F(PEngineResources, NoPackNoPath) {
  EXPECT_EQ(engine.FindResource("logo.png"), nullptr);
  EXPECT_STREQ(engine.ResourcePath("logo.png", RESOURCE_IMAGE).GetText(), "");
  SFileMem out;
  EXPECT_FALSE(engine.LoadResource(&out, "logo.png", RESOURCE_IMAGE));
}

TEST_F(PEngineResources, PathsByType) {
  engine.SetResources(&m_pack);
  EXPECT_EQ(engine.FindResource("logo.png"), &m_pack);
  const struct {
    const char* name;
    int type;
    const char* path;
  } cases[] = {
      {"logo.png", RESOURCE_IMAGE, "image\\logo.png"},
      {"main", RESOURCE_ID, "id\\main"},
      {"main", RESOURCE_DLL, "dll\\main"},
      {"main", RESOURCE_DIALOG, "dialog\\main"},
      {"x", RESOURCE_IMAGELIST, "imagelist\\x"},
      {"main", 13, ""},
      {"main", -1, ""},
      // A name with a folder is used as it stands, whatever the type.
      {"text\\notes\\a.txt", 13, "text\\notes\\a.txt"},
      {"own\\x", RESOURCE_IMAGE, "own\\x"},
      // A pack prefix names a pack the engine does not have.
      {"other:logo.png", RESOURCE_IMAGE, ""},
  };
  for (const auto& c : cases)
    EXPECT_STREQ(engine.ResourcePath(c.name, c.type).GetText(), c.path) << c.name << " " << c.type;
  EXPECT_EQ(engine.FindResource("other:logo.png"), nullptr);
}

TEST_F(PEngineResources, LoadsEntriesThroughThePack) {
  engine.SetResources(&m_pack);
  SFileMem out;
  ASSERT_TRUE(engine.LoadResource(&out, "logo.png", RESOURCE_IMAGE));
  EXPECT_EQ(Content(out), "PNG bytes");
  EXPECT_EQ(out.GetPosition(), 0);
  SFileMem notes;
  ASSERT_TRUE(engine.LoadResource(&notes, "text\\notes\\a.txt", 99));
  EXPECT_EQ(Content(notes), "hello");

  SFileMem none;
  EXPECT_FALSE(engine.LoadResource(&none, "logo.png", RESOURCE_TEXT));
  EXPECT_FALSE(engine.LoadResource(&none, "logo.png", 13));
  EXPECT_FALSE(engine.LoadResource(&none, "other:logo.png", RESOURCE_IMAGE));
  EXPECT_FALSE(engine.LoadResource(nullptr, "logo.png", RESOURCE_IMAGE));

  engine.SetResources(nullptr);
  EXPECT_FALSE(engine.LoadResource(&none, "logo.png", RESOURCE_IMAGE));
}

}  // namespace
