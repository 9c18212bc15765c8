// Key scrambling: byte-wise addition of a cycling key, in place or into a
// destination.
#include <gtest/gtest.h>

#include <string>

#include "files/SFileMem.h"
#include "files/SFilePath.h"
#include "tests/files/StreamTestData.h"

using streamtest::Content;
using streamtest::Fill;
using streamtest::ScratchFile;

namespace {

TEST(SFileKeyScramble, AddsTheCyclingKeyAndSubtractsItBack) {
  SFileMem data, key, out;
  Fill(data, std::string("\xFF\x00\x10\x20\x30", 5));
  Fill(key, std::string("\x01\x02", 2));
  out.Allocate(0);
  ASSERT_TRUE(data.ScrambleWithKey(&key, -1, &out));
  EXPECT_TRUE(Content(out) == std::string("\x00\x02\x11\x22\x31", 5));
  EXPECT_TRUE(key.IsEnd());  // the key is read whole

  out.Rewind();
  ASSERT_TRUE(out.UnscrambleWithKey(&key, -1, nullptr));  // in place
  EXPECT_TRUE(Content(out) == Content(data));
}

TEST(SFileKeyScramble, EmptyKeyPassesTheDataUnchanged) {
  SFileMem data, key, out;
  Fill(data, "unchanged");
  key.Allocate(0);
  out.Allocate(0);
  EXPECT_TRUE(data.ScrambleWithKey(&key, -1, &out));
  EXPECT_TRUE(Content(out) == "unchanged");
}

TEST(SFileKeyScramble, LengthLimitsTheRangeAndTheKeyRestartsEachCall) {
  SFileMem data, key;
  Fill(data, std::string(6, '\0'));
  Fill(key, "\x01\x02\x03");
  data.Seek(1);
  ASSERT_TRUE(data.ScrambleWithKey(&key, 2, nullptr));
  EXPECT_EQ(data.GetPosition(), 3);
  ASSERT_TRUE(data.ScrambleWithKey(&key, 100, nullptr));  // cut to the size
  EXPECT_TRUE(data.IsEnd());
  EXPECT_TRUE(Content(data) == std::string("\x00\x01\x02\x01\x02\x03", 6));
}

TEST(SFileKeyScramble, ClosedSourceOrMissingKeyFails) {
  SFileMem closed, key, data;
  Fill(key, "k");
  EXPECT_FALSE(closed.ScrambleWithKey(&key, -1, nullptr));
  Fill(data, "x");
  EXPECT_FALSE(data.ScrambleWithKey(nullptr, -1, nullptr));
  EXPECT_FALSE(data.UnscrambleWithKey(nullptr, -1, nullptr));
}

// In place on a file that refuses writes, the pass used to read the same
// bytes over and over; it now gives up.
TEST(SFileKeyScramble, InPlaceOnAReadOnlyFileFailsInsteadOfLooping) {
  ScratchFile scratch;
  {
    SFilePath file(scratch.Path(), true, true, false);
    ASSERT_EQ(file.WriteString("read only", -1), 9);
  }
  SFilePath file(scratch.Path(), false, false, true);
  SFileMem key;
  Fill(key, "k");
  EXPECT_FALSE(file.ScrambleWithKey(&key, -1, nullptr));
  file.Rewind();
  EXPECT_TRUE(file.ReadString(-1) == "read only");
}

TEST(SFileKeyScramble, InPlaceOnADiskFile) {
  ScratchFile scratch;
  std::string data = streamtest::RandomBytes(2500, 12);
  SFileMem key;
  Fill(key, "secret");
  SFilePath file(scratch.Path(), true, true, true);
  ASSERT_EQ(file.Write(data.data(), int(data.size())), 2500);
  file.Rewind();
  ASSERT_TRUE(file.ScrambleWithKey(&key, -1, nullptr));
  file.Rewind();
  std::string scrambled = streamtest::Rest(file);
  EXPECT_FALSE(scrambled == data);
  file.Rewind();
  ASSERT_TRUE(file.UnscrambleWithKey(&key, -1, nullptr));
  file.Rewind();
  EXPECT_TRUE(streamtest::Rest(file) == data);
}

}  // namespace
