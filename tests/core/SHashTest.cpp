#include "core/SHash.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/SString.h"

namespace {

std::string Md5Of(const void* bytes, int n) {
  SHash::Md5Context context;
  SHash::Md5Init(context);
  SHash::Md5Update(context, bytes, n);
  uint8_t digest[16];
  SHash::Md5Final(context, digest);
  return SHash::ToHex(digest, 16).GetText();
}

std::string Sha1Of(const void* bytes, int n) {
  SHash::Sha1Context context;
  SHash::Sha1Init(context);
  SHash::Sha1Update(context, bytes, n);
  uint8_t digest[20];
  SHash::Sha1Final(context, digest);
  return SHash::ToHex(digest, 20).GetText();
}

uint32_t Crc32Of(const void* bytes, int n) {
  return SHash::Crc32End(SHash::Crc32Update(SHash::Crc32Begin(), bytes, n));
}

// ---- Standard test vectors ----------------------------------------------------------

TEST(SHashVectors, Md5OfRfc1321Suite) {
  struct Case {
    const char* text;
    const char* digest;
  } cases[] = {
      {"", "D41D8CD98F00B204E9800998ECF8427E"},
      {"a", "0CC175B9C0F1B6A831C399E269772661"},
      {"abc", "900150983CD24FB0D6963F7D28E17F72"},
      {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
      {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "D174AB98D277D9F5A5611C2C9F419D9F"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57EDF4A22BE3C955AC49DA2E2107B67A"},
  };
  for (const Case& c : cases) EXPECT_STREQ(SHash::Md5Text(c.text).GetText(), c.digest) << c.text;
}

TEST(SHashVectors, Sha1OfFips180Suite) {
  EXPECT_STREQ(SHash::Sha1Text("abc").GetText(), "A9993E364706816ABA3E25717850C26C9CD0D89D");
  EXPECT_STREQ(SHash::Sha1Text("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq").GetText(),
               "84983E441C3BD26EBAAE4AA1F95129E5E54670F1");
  EXPECT_STREQ(SHash::Sha1Text("").GetText(), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");
  std::string million(1000000, 'a');
  EXPECT_STREQ(SHash::Sha1Text(million.c_str()).GetText(), "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F");
}

TEST(SHashVectors, Crc32CheckValues) {
  uint32_t crc = 1;
  EXPECT_TRUE(SHash::Crc32Text("123456789", crc));
  EXPECT_EQ(crc, 0xCBF43926u);
  EXPECT_TRUE(SHash::Crc32Text("The quick brown fox jumps over the lazy dog", crc));
  EXPECT_EQ(crc, 0x414FA339u);
  EXPECT_TRUE(SHash::Crc32Text("", crc));
  EXPECT_EQ(crc, 0u);
  crc = 77;
  EXPECT_FALSE(SHash::Crc32Text(nullptr, crc));
  EXPECT_EQ(crc, 77u);  // untouched
  EXPECT_STREQ(SHash::Md5Text(nullptr).GetText(), "");
  EXPECT_STREQ(SHash::Sha1Text(nullptr).GetText(), "");
}

// Bytes of 128 and above are hashed as they stand, with no code-page step
// (expected values from Python's hashlib and zlib).
TEST(SHashVectors, HighBytesAreHashedAsBytes) {
  const char* text = "\x80\xFF\xE9" "abc";
  uint32_t crc = 0;
  EXPECT_TRUE(SHash::Crc32Text(text, crc));
  EXPECT_EQ(crc, 0x0404E495u);
  EXPECT_STREQ(SHash::Md5Text(text).GetText(), "DC2EF0D68DDD843E9953848E41317AA6");
  EXPECT_STREQ(SHash::Sha1Text(text).GetText(), "B6ADCBB99B0F125992EF47F7A4D5771E39B190E6");
}

// ---- A random buffer against Python's digests ----------------------------------------------

class SHashSample : public ::testing::Test {
 protected:
  void SetUp() override {
    FILE* file = std::fopen(TAVRIN_TEST_DATA "/digest-sample.bin", "rb");
    ASSERT_NE(file, nullptr);
    uint8_t chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(file);
    ASSERT_EQ(bytes.size(), 70001u);

    FILE* expected = std::fopen(TAVRIN_TEST_DATA "/digest-sample.txt", "r");
    ASSERT_NE(expected, nullptr);
    char line[200], name[16], value[64];
    while (std::fgets(line, sizeof line, expected))
      if (std::sscanf(line, "%15s %63s", name, value) == 2 && name[0] != '#') digests[name] = value;
    std::fclose(expected);
    ASSERT_EQ(digests.size(), 3u);
  }

  int Size() const { return static_cast<int>(bytes.size()); }

  std::vector<uint8_t> bytes;
  std::map<std::string, std::string> digests;
};

TEST_F(SHashSample, WholeBufferMatchesPython) {
  char crc[9];
  std::snprintf(crc, sizeof crc, "%08X", Crc32Of(bytes.data(), Size()));
  EXPECT_EQ(crc, digests["crc32"]);
  EXPECT_EQ(Md5Of(bytes.data(), Size()), digests["md5"]);
  EXPECT_EQ(Sha1Of(bytes.data(), Size()), digests["sha1"]);
}

// Pieces of every awkward length around the 64-byte block give the digest of
// the whole.
TEST_F(SHashSample, PiecesAcrossBlockBoundaries) {
  const int lengths[] = {1, 63, 64, 65, 0, 127, 128, 3, 55, 56, 57, 1000};
  SHash::Md5Context md5;
  SHash::Sha1Context sha1;
  SHash::Md5Init(md5);
  SHash::Sha1Init(sha1);
  uint32_t reg = SHash::Crc32Begin();
  int at = 0;
  for (int i = 0; at < Size(); i++) {
    int n = lengths[i % (sizeof lengths / sizeof lengths[0])];
    if (n > Size() - at) n = Size() - at;
    SHash::Md5Update(md5, bytes.data() + at, n);
    SHash::Sha1Update(sha1, bytes.data() + at, n);
    reg = SHash::Crc32Update(reg, bytes.data() + at, n);
    at += n;
  }
  uint8_t md5Digest[16], sha1Digest[20];
  SHash::Md5Final(md5, md5Digest);
  SHash::Sha1Final(sha1, sha1Digest);
  EXPECT_STREQ(SHash::ToHex(md5Digest, 16).GetText(), digests["md5"].c_str());
  EXPECT_STREQ(SHash::ToHex(sha1Digest, 20).GetText(), digests["sha1"].c_str());
  char crc[9];
  std::snprintf(crc, sizeof crc, "%08X", SHash::Crc32End(reg));
  EXPECT_EQ(crc, digests["crc32"]);

  // The finished contexts hold nothing of the input any more.
  SHash::Md5Context zeroMd5;
  std::memset(&zeroMd5, 0, sizeof zeroMd5);
  EXPECT_EQ(std::memcmp(&md5, &zeroMd5, sizeof md5), 0);
  SHash::Sha1Context zeroSha1;
  std::memset(&zeroSha1, 0, sizeof zeroSha1);
  EXPECT_EQ(std::memcmp(&sha1, &zeroSha1, sizeof sha1), 0);
}

// Padding edges: lengths that leave 55, 56, 63 and 0 bytes in the last block
// (expected values from Python's hashlib).
TEST(SHashVectors, PaddingEdges) {
  struct Case {
    int n;
    const char* md5;
    const char* sha1;
  } cases[] = {
      {55, "EF1772B6DFF9A122358552954AD0DF65", "C1C8BBDC22796E28C0E15163D20899B65621D65A"},
      {56, "3B0C8AC703F828B04C6C197006D17218", "C2DB330F6083854C99D4B5BFB6E8F29F201BE699"},
      {63, "B06521F39153D618550606BE297466D5", "03F09F5B158A7A8CDAD920BDDC29B81C18A551F5"},
      {64, "014842D480B571495A4A0363793F7367", "0098BA824B5C16427BD7A1122A5A442A25EC644D"},
  };
  for (const Case& c : cases) {
    std::string text(c.n, 'a');
    EXPECT_STREQ(SHash::Md5Text(text.c_str()).GetText(), c.md5) << c.n;
    EXPECT_STREQ(SHash::Sha1Text(text.c_str()).GetText(), c.sha1) << c.n;
  }
}

// ---- String shortcuts ----------------------------------------------------------------------------

TEST(SHashString, ShortcutsHashUpToTheFirstNul) {
  SString abc("abc");
  uint32_t crc = 0;
  EXPECT_TRUE(abc.Crc32(crc));
  EXPECT_EQ(crc, 0x352441C2u);
  EXPECT_STREQ(abc.Md5().GetText(), "900150983CD24FB0D6963F7D28E17F72");
  EXPECT_STREQ(abc.Sha1().GetText(), "A9993E364706816ABA3E25717850C26C9CD0D89D");

  SString withNul;
  withNul.Assign("abc\0def", 7);
  EXPECT_STREQ(withNul.Md5().GetText(), "900150983CD24FB0D6963F7D28E17F72");

  SString none;
  crc = 5;
  EXPECT_FALSE(none.Crc32(crc));
  EXPECT_EQ(crc, 5u);
  EXPECT_STREQ(none.Md5().GetText(), "");
  EXPECT_STREQ(none.Sha1().GetText(), "");
}

}  // namespace
