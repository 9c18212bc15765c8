// Every transform and its inverse give back the bytes they were given, at
// the sizes where groups, lines and blocks begin and end.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "files/SFileMem.h"
#include "tests/files/StreamTestData.h"

using streamtest::Content;
using streamtest::Fill;
using streamtest::RandomBytes;

namespace {

std::vector<int> RoundTripSizes() {
  std::vector<int> sizes = {0, 1, 2, 3, 6, 7, 8, 191, 192, 193, 447, 448, 449, 100000, 100001};
#ifndef _WIN32
  // Under Wine the engine runs emulated; the large cases stay on the host.
  sizes.push_back(3 * 1000 * 1000 + 17);
#endif
  return sizes;
}

struct Transform {
  const char* name;
  std::function<bool(SFile& source, SFile& destination)> forward, back;
};

std::vector<Transform> Transforms() {
  static SFileMem key;
  Fill(key, RandomBytes(32, 99));
  return {
      {"key scrambling",
       [](SFile& s, SFile& d) { return s.ScrambleWithKey(&key, -1, &d); },
       [](SFile& s, SFile& d) { return s.UnscrambleWithKey(&key, -1, &d); }},
      {"block compression",
       [](SFile& s, SFile& d) { return s.CompressBlocks(&d, -1) >= 0; },
       [](SFile& s, SFile& d) { return s.DecompressBlocks(&d) >= 0; }},
      {"Base64",
       [](SFile& s, SFile& d) { return s.EncodeBase64(&d); },
       [](SFile& s, SFile& d) { return s.DecodeBase64(&d); }},
      {"7-bit text",
       [](SFile& s, SFile& d) { return s.Encode7Bit(&d); },
       [](SFile& s, SFile& d) { return s.Decode7Bit(&d); }},
  };
}

TEST(SFileTransforms, EveryTransformRoundTripsRandomAndUniformData) {
  for (const Transform& t : Transforms()) {
    for (int size : RoundTripSizes()) {
      for (uint32_t seed : {1u, 0u}) {
        SCOPED_TRACE(std::string(t.name) + ", " + std::to_string(size) + " bytes" +
                     (seed ? " of noise" : " of zeros"));
        std::string bytes = seed ? RandomBytes(size, seed) : std::string(size_t(size), '\0');
        SFileMem source, encoded, decoded;
        Fill(source, bytes);
        encoded.Allocate(0);
        decoded.Allocate(0);
        ASSERT_TRUE(t.forward(source, encoded));
        EXPECT_TRUE(source.IsEnd());
        encoded.Rewind();
        ASSERT_TRUE(t.back(encoded, decoded));
        EXPECT_TRUE(Content(decoded) == bytes);
      }
    }
  }
}

// Each transform starts at the source's position and writes at the
// destination's position, leaving what lies around untouched.
TEST(SFileTransforms, WorkFromThePositionsTheyFind) {
  for (const Transform& t : Transforms()) {
    SCOPED_TRACE(t.name);
    std::string data = RandomBytes(1000, 5);
    SFileMem source, encoded, decoded;
    Fill(source, "skip" + data);
    source.Seek(4);
    Fill(encoded, "head");
    encoded.SeekToEnd();
    ASSERT_TRUE(t.forward(source, encoded));
    encoded.Seek(4);
    Fill(decoded, "0123456789");
    decoded.Seek(2);
    ASSERT_TRUE(t.back(encoded, decoded));
    EXPECT_TRUE(Content(decoded) == "01" + data);
    EXPECT_EQ(decoded.GetPosition(), 1002);
  }
}

TEST(SFileTransforms, NoDestinationDoesNothing) {
  SFileMem source, key;
  Fill(source, "abc");
  Fill(key, "k");
  EXPECT_EQ(source.CompressBlocks(nullptr, -1), 0);
  EXPECT_EQ(source.DecompressBlocks(nullptr), 0);
  EXPECT_FALSE(source.EncodeBase64(nullptr));
  EXPECT_FALSE(source.DecodeBase64(nullptr));
  EXPECT_FALSE(source.Encode7Bit(nullptr));
  EXPECT_FALSE(source.Decode7Bit(nullptr));
  EXPECT_EQ(source.GetPosition(), 0);
}

}  // namespace
