// The Base64 and 7-bit text forms: their exact bytes, and decoders that
// stop where the text ends and read the text as mail and editors shape it.
#include <gtest/gtest.h>

#include <string>

#include "files/SFileMem.h"
#include "tests/files/StreamTestData.h"

using streamtest::Content;
using streamtest::Fill;
using streamtest::RandomBytes;
using streamtest::Rest;

namespace {

std::string EncodeBase64(const std::string& bytes) {
  SFileMem in, out;
  Fill(in, bytes);
  out.Allocate(0);
  EXPECT_TRUE(in.EncodeBase64(&out));
  return Content(out);
}

std::string DecodeBase64(const std::string& text) {
  SFileMem in, out;
  Fill(in, text);
  out.Allocate(0);
  EXPECT_TRUE(in.DecodeBase64(&out));
  return Content(out);
}

std::string Encode7Bit(const std::string& bytes) {
  SFileMem in, out;
  Fill(in, bytes);
  out.Allocate(0);
  EXPECT_TRUE(in.Encode7Bit(&out));
  return Content(out);
}

// ---- Base64 ---------------------------------------------------------------------------

TEST(SFileBase64, EncodesLinesOf192BytesEndedByCrLfThenOneEquals) {
  EXPECT_EQ(EncodeBase64("abc"), "YWJj\r\n=");
  EXPECT_EQ(EncodeBase64("a"), "YQ\r\n=");
  EXPECT_EQ(EncodeBase64("ab"), "YWI\r\n=");
  EXPECT_EQ(EncodeBase64(""), "");
  EXPECT_EQ(EncodeBase64(std::string(1, '\xFB') + "\xFF"), "+/8\r\n=");

  std::string text = EncodeBase64(RandomBytes(193));
  ASSERT_EQ(text.size(), 256u + 2 + 2 + 2 + 1);
  EXPECT_EQ(text.substr(256, 2), "\r\n");
  EXPECT_EQ(text.substr(258), text.substr(258, 2) + "\r\n=");
}

TEST(SFileBase64, DecodesTheFormsItMeets) {
  const struct {
    const char* text;
    std::string bytes;
  } cases[] = {
      {"YWJj=", "abc"},
      {"YQ==", "a"},
      {"YWJj@", "abc"},
      {"-_8=", std::string(1, '\xFB') + "\xFF"},  // the URL-safe letters
      {"+/8=", std::string(1, '\xFB') + "\xFF"},
      {"=", ""},
      // Line ends of either kind, blanks and tabs are not data.
      {"YW\r\nJj=", "abc"},
      {"YW\nJj\n=", "abc"},
      {"YW Jj\t=", "abc"},
      {"\r\n  Y W J j \r\n=", "abc"},
      // A text without its end mark keeps its tail.
      {"YWJjZA", "abcd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_TRUE(DecodeBase64(c.text) == c.bytes);
  }
}

TEST(SFileBase64, LineEndsFallingAcrossReadsAreSkipped) {
  // Lines shaped so that CR, LF or both land on the 512-byte read boundary.
  std::string data = RandomBytes(3000, 8);
  std::string text = EncodeBase64(data);
  for (int shift = 0; shift < 4; shift++) {
    std::string shifted = std::string(size_t(shift), ' ') + text;
    std::string lf;
    for (char c : shifted)
      if (c != '\r') lf += c;
    EXPECT_TRUE(DecodeBase64(shifted) == data);
    EXPECT_TRUE(DecodeBase64(lf) == data);
  }
}

TEST(SFileBase64, StopsJustPastTheEndMark) {
  SFileMem in, out;
  Fill(in, "YWJj\r\n=rest");
  out.Allocate(0);
  EXPECT_TRUE(in.DecodeBase64(&out));
  EXPECT_TRUE(Content(out) == "abc");
  EXPECT_TRUE(Rest(in) == "rest");
}

// ---- 7-bit text -----------------------------------------------------------------------

TEST(SFileSevenBit, EncodesGroupsOfSevenAsEightCharactersThen255) {
  EXPECT_EQ(Encode7Bit("A"), "\x40\x60\xFF");
  EXPECT_EQ(Encode7Bit(""), "\xFF");
  EXPECT_EQ(Encode7Bit(std::string(7, '\xFF')), std::string(8, char(159)) + "\xFF");
  EXPECT_EQ(Encode7Bit(std::string(7, '\0')), std::string(8, ' ') + "\xFF");
  std::string text = Encode7Bit(RandomBytes(15, 2));
  ASSERT_EQ(text.size(), 8u + 8 + 2 + 1);
  for (size_t i = 0; i + 1 < text.size(); i++) {
    EXPECT_GE(uint8_t(text[i]), 32);
    EXPECT_LE(uint8_t(text[i]), 159);
  }
}

TEST(SFileSevenBit, RoundTripsEveryLengthUpTo1000) {
  std::string data = RandomBytes(1000, 4);
  for (int n = 0; n <= 1000; n++) {
    SFileMem in, text, out;
    Fill(in, data.substr(0, size_t(n)));
    text.Allocate(0);
    out.Allocate(0);
    ASSERT_TRUE(in.Encode7Bit(&text));
    text.Rewind();
    ASSERT_TRUE(text.Decode7Bit(&out));
    ASSERT_TRUE(Content(out) == data.substr(0, size_t(n))) << n;
  }
}

// Two texts back to back: the first decode ends at the first 255 wherever it
// falls (inside a group, at the start of a group, at the start of a read),
// and leaves the stream on the second text.
TEST(SFileSevenBit, DecodingStopsForGoodAtTheEndMark) {
  for (int n : {1, 6, 7, 8, 14, 447, 448, 449, 896}) {
    SCOPED_TRACE(n);
    std::string first = RandomBytes(n, 6), second = RandomBytes(20, 7);
    SFileMem in, out;
    Fill(in, Encode7Bit(first) + Encode7Bit(second));
    out.Allocate(0);
    ASSERT_TRUE(in.Decode7Bit(&out));
    EXPECT_TRUE(Content(out) == first);
    out.Allocate(0);
    ASSERT_TRUE(in.Decode7Bit(&out));
    EXPECT_TRUE(Content(out) == second);
    EXPECT_TRUE(in.IsEnd());
  }
}

TEST(SFileSevenBit, AMemoryDestinationKeepsItsSizeRule) {
  // Grown up front for speed, but cut back to what was written.
  SFileMem in, out;
  Fill(in, Encode7Bit("abc"));
  Fill(out, "0123456789");
  out.Seek(1);
  ASSERT_TRUE(in.Decode7Bit(&out));
  EXPECT_TRUE(Content(out) == "0abc456789");
  Fill(in, "xyz");
  out.Allocate(0);
  ASSERT_TRUE(in.Encode7Bit(&out));
  EXPECT_EQ(out.GetSize(), 5);
}

}  // namespace
