// The CompressedBlockStream: its layout, and damaged streams, which must
// fail cleanly: every application's own package passes through it.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "files/SFileMem.h"
#include "files/SFilePath.h"
#include "tests/files/StreamTestData.h"

using streamtest::Content;
using streamtest::Fill;
using streamtest::RandomBytes;

namespace {

std::string Int(uint32_t v) {
  return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

std::string Packed(const std::string& raw) {
  std::vector<Bytef> out(compressBound(uLong(raw.size())));
  uLongf n = uLongf(out.size());
  compress(out.data(), &n, reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()));
  return std::string(reinterpret_cast<const char*>(out.data()), n);
}

// One block with the given header sizes around real zlib data.
std::string Block(uint32_t raw, uint32_t packed, const std::string& data) {
  return Int(raw) + Int(packed) + data;
}

TEST(SFileBlocks, EmptyRangeWritesNothing) {
  SFileMem source, out;
  Fill(source, "abc");
  source.SeekToEnd();
  out.Allocate(0);
  EXPECT_EQ(source.CompressBlocks(&out, -1), 0);
  EXPECT_EQ(out.GetSize(), 0);
  source.Rewind();
  EXPECT_EQ(source.CompressBlocks(&out, 0), 0);
  EXPECT_EQ(out.GetSize(), 0);
}

TEST(SFileBlocks, LayoutIsCountThenSizedBlocks) {
  std::string data = RandomBytes(100001, 3);
  SFileMem source, out;
  Fill(source, data);
  out.Allocate(0);
  int written = source.CompressBlocks(&out, -1);
  EXPECT_EQ(written, out.GetSize());

  out.Rewind();
  EXPECT_EQ(out.ReadInt(), 2);
  EXPECT_EQ(out.ReadInt(), 100000);
  int packed1 = out.ReadInt();
  std::string first(size_t(packed1), '\0');
  ASSERT_EQ(out.Read(first.data(), packed1), packed1);
  EXPECT_TRUE(first == Packed(data.substr(0, 100000)));  // zlib's compress, default level
  EXPECT_EQ(out.ReadInt(), 1);  // the second block holds the last byte
  int packed2 = out.ReadInt();
  EXPECT_EQ(written, 4 + 8 + packed1 + 8 + packed2);
  EXPECT_EQ(out.GetRemaining(), packed2);
}

TEST(SFileBlocks, CountLimitsTheRange) {
  SFileMem source, packed, back;
  Fill(source, "0123456789");
  packed.Allocate(0);
  back.Allocate(0);
  source.Seek(2);
  ASSERT_GT(source.CompressBlocks(&packed, 5), 0);
  EXPECT_EQ(source.GetPosition(), 7);
  packed.Rewind();
  EXPECT_EQ(packed.DecompressBlocks(&back), 5);
  EXPECT_TRUE(Content(back) == "23456");
}

TEST(SFileBlocks, DamagedStreamsFailWithoutReportingSuccess) {
  const std::string good = Packed("hello, blocks");
  const uint32_t goodSize = uint32_t(good.size());
  std::string garbage = good;
  garbage[4] = char(garbage[4] ^ 0x55);
  const struct {
    const char* what;
    std::string stream;
  } cases[] = {
      {"block count cut short", std::string("\x01\x00", 2)},
      {"more blocks announced than present", Int(5) + Block(13, goodSize, good)},
      {"a count of 2^32 - 1 with nothing after it", Int(0xFFFFFFFF)},
      {"header cut after the raw size", Int(1) + Int(13)},
      {"raw size above a block", Int(1) + Block(100001, goodSize, good)},
      {"raw size near 2^32", Int(1) + Block(0xFFFFFFF0, goodSize, good)},
      {"packed size above the packed buffer", Int(1) + Block(13, 110013, good)},
      {"packed size past the end of the stream", Int(1) + Block(13, goodSize + 1, good)},
      {"packed size near 2^32", Int(1) + Block(13, 0xFFFFFFFF, good)},
      {"packed bytes that are not zlib data", Int(1) + Block(13, goodSize, garbage)},
      {"raw size above what the data unpacks to", Int(1) + Block(14, goodSize, good)},
      {"raw size below what the data unpacks to", Int(1) + Block(12, goodSize, good)},
      {"zlib data cut short", Int(1) + Block(13, goodSize - 3, good.substr(0, goodSize - 3))},
      {"a good block, then a bad one",
       Int(2) + Block(13, goodSize, good) + Block(13, goodSize, garbage)},
  };
  // Into the end of a memory stream (unpacked in place) and into the middle
  // of one (block by block).
  for (bool atEnd : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (atEnd ? ", at the end" : ", in the middle"));
      SFileMem source, out;
      Fill(source, c.stream);
      Fill(out, atEnd ? "" : "existing content");
      EXPECT_EQ(source.DecompressBlocks(&out), -1);
    }
  }

  SFileMem source, out;
  Fill(source, Int(1) + Block(13, goodSize, good));
  out.Allocate(0);
  EXPECT_EQ(source.DecompressBlocks(&out), 13);
  EXPECT_TRUE(Content(out) == "hello, blocks");
}

TEST(SFileBlocks, BlocksBeforeTheDamageStayWritten) {
  const std::string good = Packed("hello, blocks");
  std::string bad = good;
  bad[4] = char(bad[4] ^ 0x55);
  const std::string stream = Int(3) + Block(13, uint32_t(good.size()), good) +
                             Block(13, uint32_t(good.size()), good) +
                             Block(13, uint32_t(bad.size()), bad);
  SFileMem source, out;
  Fill(source, stream);
  Fill(out, "> ");
  out.SeekToEnd();
  EXPECT_EQ(source.DecompressBlocks(&out), -1);
  EXPECT_TRUE(Content(out) == "> hello, blockshello, blocks");
  EXPECT_EQ(out.GetPosition(), out.GetSize());

  Fill(source, stream);
  Fill(out, "> 0123456789012345678901234567890123456789");
  out.Seek(2);
  EXPECT_EQ(source.DecompressBlocks(&out), -1);
  EXPECT_TRUE(Content(out) == "> hello, blockshello, blocks67890123456789");
}

TEST(SFileBlocks, ThroughADiskFile) {
  streamtest::ScratchFile scratch;
  std::string data = RandomBytes(250001, 11);
  SFileMem source, back;
  Fill(source, data);
  back.Allocate(0);
  SFilePath file(scratch.Path(), true, true, true);
  int written = source.CompressBlocks(&file, -1);
  EXPECT_EQ(written, file.GetSize());
  file.Rewind();
  EXPECT_EQ(file.DecompressBlocks(&back), 250001);
  EXPECT_TRUE(Content(back) == data);

  file.SetSize(written - 1);  // cut inside the last block
  file.Rewind();
  back.Allocate(0);
  EXPECT_EQ(file.DecompressBlocks(&back), -1);
}

TEST(SFileBlocks, ZeroBlocksIsAnEmptyResult) {
  SFileMem source, out;
  Fill(source, Int(0) + "tail");
  out.Allocate(0);
  EXPECT_EQ(source.DecompressBlocks(&out), 0);
  EXPECT_EQ(source.GetPosition(), 4);  // what follows is not touched
}

}  // namespace
