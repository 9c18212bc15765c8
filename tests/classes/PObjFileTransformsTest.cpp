// The File class's transforms: each one round-trips, and damaged or
// unusable input is refused rather than reported as done.
#include <gtest/gtest.h>

#include <string>

#include "classes/PObjFile.h"
#include "tests/classes/FileClassTest.h"

namespace {

using classtest::kUnset;

class PObjFileTransformsTest : public classtest::FileClassTest {
 protected:
  int64_t Scramble(PObjFile* f, PObjFile::Member member, PObject* key, int64_t length,
                   PObject* destination) {
    auto args = With();
    args.Obj(key).Int(length).Obj(destination);
    return CallInt(f, member, args);
  }
  int64_t WithFile(PObjFile* f, PObjFile::Member member, PObject* other) {
    auto args = With();
    args.Obj(other);
    if (member == PObjFile::COMPRESS) args.Int(-1);
    return CallInt(f, member, args);
  }
};

// ---- Key scrambling --------------------------------------------------------------------------

TEST_F(PObjFileTransformsTest, ScramblingRoundTrips) {
  const std::string data = RandomBytes(2500, 11);  // several chunks
  PObjFile* f = MemoryFile(data);
  PObjFile* key = MemoryFile("secret");

  ASSERT_EQ(Scramble(f, PObjFile::SCRAMBLE, key, -1, nullptr), 1);
  const std::string scrambled = Content(f);
  ASSERT_EQ(scrambled.size(), data.size());
  for (size_t i : {size_t(0), size_t(5), size_t(6), size_t(2499)})
    EXPECT_EQ(uint8_t(scrambled[i]), uint8_t(data[i] + "secret"[i % 6])) << i;
  EXPECT_EQ(CallInt(f, PObjFile::IS_END), 1);
  EXPECT_EQ(CallInt(key, PObjFile::IS_END), 1);  // the key was read whole

  CallInt(f, PObjFile::REWIND);
  ASSERT_EQ(Scramble(f, PObjFile::UNSCRAMBLE, key, -1, nullptr), 1);
  EXPECT_TRUE(Content(f) == data);

  // Into a destination, the source stays; a length limits the range.
  PObjFile* out = MemoryFile("");
  CallInt(f, PObjFile::REWIND);
  ASSERT_EQ(Scramble(f, PObjFile::SCRAMBLE, key, -1, out), 1);
  EXPECT_TRUE(Content(out) == scrambled);
  EXPECT_TRUE(Content(f) == data);

  PObjFile* part = MemoryFile("abcdefgh");
  CallWithInt(part, PObjFile::SEEK, 2);
  PObjFile* one = MemoryFile("\x01");
  ASSERT_EQ(Scramble(part, PObjFile::SCRAMBLE, one, 3, nullptr), 1);
  EXPECT_EQ(Content(part), "abdeffgh");
  EXPECT_EQ(CallInt(part, PObjFile::GET_POSITION), 5);
}

TEST_F(PObjFileTransformsTest, ScramblingRefusesWhatItCannotUse) {
  const std::string data = "plain text";
  PObjFile* f = MemoryFile(data);

  // A key File without a stream does nothing; an empty open key changes nothing.
  EXPECT_EQ(Scramble(f, PObjFile::SCRAMBLE, NewFile(), -1, nullptr), kUnset);
  EXPECT_EQ(Scramble(f, PObjFile::SCRAMBLE, nullptr, -1, nullptr), kUnset);
  EXPECT_EQ(Content(f), data);
  EXPECT_EQ(Scramble(f, PObjFile::SCRAMBLE, MemoryFile(""), -1, nullptr), 1);
  EXPECT_EQ(Content(f), data);

  // A destination that is given but closed is refused, not taken for "in place".
  CallInt(f, PObjFile::REWIND);
  EXPECT_EQ(Scramble(f, PObjFile::SCRAMBLE, MemoryFile("k"), -1, NewFile()), kUnset);
  EXPECT_EQ(Content(f), data);

  // In place on a read-only file the writes fail, and so does the member.
  const std::string path = PathOf("readonly.bin");
  WriteDisk(path, data);
  PObjFile* disk = NewFile();
  ASSERT_EQ(Open(disk, path, false, true), 1);
  EXPECT_EQ(Scramble(disk, PObjFile::SCRAMBLE, MemoryFile("k"), -1, nullptr), 0);
  Close(disk);
  EXPECT_EQ(ReadDisk(path), data);
}

// ---- Block compression -----------------------------------------------------------------------

TEST_F(PObjFileTransformsTest, CompressionRoundTripsThroughDisk) {
  // Three blocks, compressible and not.
  const std::string data = RandomBytes(120000, 5) + std::string(130000, 'x');
  PObjFile* f = MemoryFile(data);
  const std::string packedPath = PathOf("packed.bin");
  PObjFile* packed = NewFile();
  ASSERT_EQ(Open(packed, packedPath, true, true), 1);

  int64_t written = WithFile(f, PObjFile::COMPRESS, packed);
  Close(packed);
  const std::string bytes = ReadDisk(packedPath);
  ASSERT_EQ(int64_t(bytes.size()), written);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x03\0\0\0", 4));
  EXPECT_LT(bytes.size(), data.size());

  ASSERT_EQ(Open(packed, packedPath, false, true), 1);
  PObjFile* back = MemoryFile("");
  EXPECT_EQ(WithFile(packed, PObjFile::DECOMPRESS, back), int64_t(data.size()));
  EXPECT_TRUE(Content(back) == data);

  // A count limits what is packed.
  PObjFile* small = MemoryFile("");
  CallInt(f, PObjFile::REWIND);
  auto ten = With();
  ten.Obj(small).Int(10);
  EXPECT_GT(CallInt(f, PObjFile::COMPRESS, ten), 0);
  CallInt(small, PObjFile::REWIND);
  PObjFile* tenBack = MemoryFile("");
  EXPECT_EQ(WithFile(small, PObjFile::DECOMPRESS, tenBack), 10);
  EXPECT_EQ(Content(tenBack), data.substr(0, 10));
}

TEST_F(PObjFileTransformsTest, CompressionEdges) {
  // At its end there is nothing to pack: not even the block count is written.
  PObjFile* f = MemoryFile("abc");
  CallInt(f, PObjFile::SEEK_TO_END);
  PObjFile* out = MemoryFile("");
  EXPECT_EQ(WithFile(f, PObjFile::COMPRESS, out), 0);
  EXPECT_EQ(CallInt(out, PObjFile::GET_SIZE), 0);
  // A closed or missing destination: nothing happens.
  CallInt(f, PObjFile::REWIND);
  EXPECT_EQ(WithFile(f, PObjFile::COMPRESS, NewFile()), kUnset);
  EXPECT_EQ(WithFile(f, PObjFile::DECOMPRESS, nullptr), kUnset);
  EXPECT_EQ(CallInt(f, PObjFile::GET_POSITION), 0);
}

TEST_F(PObjFileTransformsTest, DamagedBlocksAreRefused) {
  // Two blocks: damage in the second comes after the first unpacked well.
  const std::string data = std::string(100000, 'a') + RandomBytes(1000, 9);
  PObjFile* f = MemoryFile(data);
  PObjFile* packed = MemoryFile("");
  ASSERT_GT(WithFile(f, PObjFile::COMPRESS, packed), 0);
  const std::string good = Content(packed);

  std::string first = good, second = good;
  first[20] = char(first[20] ^ 0x55);  // the first block's zlib data
  second[good.size() - 2] = char(second[good.size() - 2] ^ 0x55);  // the second block's checksum
  std::string bigBlock = good;
  bigBlock[4] = char(0xFF), bigBlock[5] = char(0xFF), bigBlock[6] = char(0xFF);  // raw size
  const std::string damaged[] = {first, second, good.substr(0, good.size() - 3), bigBlock,
                                 good.substr(0, 2)};
  for (const std::string& bad : damaged) {
    PObjFile* in = MemoryFile("#" + bad);
    CallWithInt(in, PObjFile::SKIP, 1);
    PObjFile* target = MemoryFile("kept");
    CallInt(target, PObjFile::SEEK_TO_END);
    EXPECT_EQ(WithFile(in, PObjFile::DECOMPRESS, target), -1) << bad.size();
    EXPECT_TRUE(Content(target) == "kept");
    EXPECT_EQ(CallInt(in, PObjFile::GET_POSITION), 1);
  }
}

// ---- 7-bit text -------------------------------------------------------------------------------

TEST_F(PObjFileTransformsTest, SevenBitRoundTrips) {
  // One byte: its two 7-bit values plus 32, then the end mark.
  PObjFile* a = MemoryFile("A");
  Run(a, PObjFile::ENCODE_7BIT);
  EXPECT_EQ(Content(a), "@`\xFF");

  const std::string data = RandomBytes(1000, 2);
  PObjFile* f = MemoryFile(data);
  CallWithInt(f, PObjFile::SKIP, 500);
  Run(f, PObjFile::ENCODE_7BIT);
  const std::string text = Content(f);
  ASSERT_EQ(text.size(), size_t(1000 / 7 * 8 + 6 + 1 + 1));
  for (size_t i = 0; i + 1 < text.size(); i++)
    ASSERT_TRUE(uint8_t(text[i]) >= 32 && uint8_t(text[i]) <= 159) << i;
  EXPECT_EQ(uint8_t(text.back()), 255);
  EXPECT_EQ(CallInt(f, PObjFile::GET_POSITION), 0);
  Run(f, PObjFile::DECODE_7BIT);
  EXPECT_TRUE(Content(f) == data);
  EXPECT_EQ(CallInt(f, PObjFile::GET_POSITION), 0);

  // A disk file is rewritten in place.
  const std::string path = PathOf("seven.txt");
  WriteDisk(path, data);
  PObjFile* disk = NewFile();
  ASSERT_EQ(Open(disk, path, true, false), 1);
  Run(disk, PObjFile::ENCODE_7BIT);
  Close(disk);
  EXPECT_TRUE(ReadDisk(path) == text);
  ASSERT_EQ(Open(disk, path, true, false), 1);
  Run(disk, PObjFile::DECODE_7BIT);
  Close(disk);
  EXPECT_TRUE(ReadDisk(path) == data);
}

TEST_F(PObjFileTransformsTest, TextThatIsNotSevenBitIsLeftAlone) {
  PObjFile* sample = MemoryFile("sample data");
  Run(sample, PObjFile::ENCODE_7BIT);
  const std::string text = Content(sample);

  std::string low = text, high = text;
  low[3] = '\n';
  high[2] = char(200);
  const std::string damaged[] = {low, high, text.substr(0, text.size() - 1), "plain words"};
  for (const std::string& bad : damaged) {
    PObjFile* f = MemoryFile(bad);
    CallWithInt(f, PObjFile::SKIP, 2);
    Run(f, PObjFile::DECODE_7BIT);
    EXPECT_EQ(Content(f), bad);
    EXPECT_EQ(CallInt(f, PObjFile::GET_POSITION), 2);
  }
}

// ---- Part files --------------------------------------------------------------------------------

TEST_F(PObjFileTransformsTest, SplittingWithoutPathsLeavesTheResult) {
  PObjFile* f = MemoryFile("0123456789");
  auto args = With();
  args.Obj(nullptr).Int(4);
  EXPECT_EQ(CallInt(f, PObjFile::SPLIT, args), kUnset);
  EXPECT_EQ(CallInt(f, PObjFile::GET_POSITION), 0);
}

}  // namespace
