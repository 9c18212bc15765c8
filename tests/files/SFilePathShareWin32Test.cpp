// Share modes of SFilePath: Windows enforces them, POSIX hosts do not.
#include <gtest/gtest.h>

#include "files/SFilePath.h"
#include "tests/files/StreamTestData.h"

using streamtest::ScratchFile;

namespace {

TEST(SFilePathShare, UnsharedWriterKeepsOthersOut) {
  ScratchFile scratch;
  SFilePath writer, reader;
  ASSERT_TRUE(writer.Open(scratch.Path(), true, true, true, false));
  EXPECT_FALSE(reader.Open(scratch.Path(), false, false, true, true));
}

TEST(SFilePathShare, UnsharedReaderLetsOthersReadButNotWrite) {
  ScratchFile scratch;
  SFilePath first, second;
  ASSERT_TRUE(first.Open(scratch.Path(), false, false, true, false));
  EXPECT_TRUE(second.Open(scratch.Path(), false, false, true, true));
  second.Close();
  EXPECT_FALSE(second.Open(scratch.Path(), true, false, true, true));
}

TEST(SFilePathShare, SharedOpensRestrictNobody) {
  ScratchFile scratch;
  SFilePath writer, reader;
  ASSERT_TRUE(writer.Open(scratch.Path(), true, false, true, true));
  ASSERT_TRUE(reader.Open(scratch.Path(), false, false, true, true));
  writer.Write("seen", 4);
  writer.Close();
  EXPECT_TRUE(reader.ReadString(-1) == "seen");
}

}  // namespace
