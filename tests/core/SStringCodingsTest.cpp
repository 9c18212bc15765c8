#include "core/SString.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Bytes(const SString& s) { return std::string(s.GetText(), static_cast<size_t>(s.GetLength())); }

SString FromBytes(const std::string& bytes) {
  SString s;
  s.Assign(bytes.data(), static_cast<int>(bytes.size()));
  return s;
}

// Every byte value 0-255, in order.
std::string AllBytes() {
  std::string all;
  for (int b = 0; b < 256; b++) all += static_cast<char>(b);
  return all;
}

std::string ReadFixture(const char* name) {
  std::string path = std::string(TAVRIN_TEST_DATA) + "/" + name;
  std::string bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[512];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

// Applies one coding to a copy of the bytes.
template <class Coding>
std::string Coded(const std::string& bytes, Coding coding) {
  SString s = FromBytes(bytes);
  coding(s);
  return Bytes(s);
}

// ---- Every coding leaves an empty text alone -------------------------------------------

TEST(SStringCodings, EmptyTextStaysEmpty) {
  SString s;
  s.EncodeBase64(false).DecodeBase64().Encode7Bit().Decode7Bit().EncodeUrl(true).DecodeUrl(true);
  s.EscapeHtml(true, true).UnescapeHtml(true, true).EscapeHtmlFull(true, true).CrLfToBr().BrToCrLf();
  s.ToUtf8().FromUtf8();
  EXPECT_EQ(0, s.GetLength());
  EXPECT_EQ(nullptr, s.GetBuffer());  // not even a buffer was made
}

// ---- Base64 variant ------------------------------------------------------------------------

TEST(SStringBase64, GroupsWithoutFillingAndOneTerminator) {
  const struct { const char* text; const char* encoded; } cases[] = {
      {"abc", "YWJj="}, {"ab", "YWI="}, {"a", "YQ="}, {"f", "Zg="}, {"fo", "Zm8="}, {"foo", "Zm9v="},
      {"foob", "Zm9vYg="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy="}};
  for (auto c : cases) {
    EXPECT_EQ(c.encoded, Coded(c.text, [](SString& s) { s.EncodeBase64(false); }));
    EXPECT_EQ(c.text, Coded(c.encoded, [](SString& s) { s.DecodeBase64(); }));
  }
  EXPECT_EQ("-_8@", Coded("\xFB\xFF", [](SString& s) { s.EncodeBase64(true); }));
  EXPECT_EQ("+/8=", Coded("\xFB\xFF", [](SString& s) { s.EncodeBase64(false); }));
}

TEST(SStringBase64, DecodingAcceptsBothAlphabetsAndIgnoresTheLastCharacter) {
  auto decode = [](SString& s) { s.DecodeBase64(); };
  EXPECT_EQ("abc", Coded("YWJj@", decode));
  EXPECT_EQ("abc", Coded("YWJjx", decode));
  EXPECT_EQ("\xFB\xFF", Coded("-_8@", decode));
  EXPECT_EQ("\xFB\xFF", Coded("+/8=", decode));
  EXPECT_EQ("abc", Coded("YWJjZ=", decode));  // an incomplete group gives no byte
  EXPECT_EQ("abc", Coded("YW\r\nJj=", decode));  // characters of neither alphabet carry nothing
  EXPECT_EQ("", Coded("=", decode));
}

TEST(SStringBase64, RoundTripsEveryByteValue) {
  const std::string all = AllBytes();
  for (bool url : {false, true}) {
    std::string encoded = Coded(all, [url](SString& s) { s.EncodeBase64(url); });
    EXPECT_EQ(all, Coded(encoded, [](SString& s) { s.DecodeBase64(); }));
    for (int b = 0; b < 256; b++) {
      std::string one(1, static_cast<char>(b));
      EXPECT_EQ(one, Coded(Coded(one, [url](SString& s) { s.EncodeBase64(url); }),
                           [](SString& s) { s.DecodeBase64(); }))
          << b;
    }
  }
}

// ---- 7-bit packing ---------------------------------------------------------------------------

TEST(SString7Bit, PacksSevenBytesIntoEightPrintableOnes) {
  auto encode = [](SString& s) { s.Encode7Bit(); };
  // 'A' = 0100 0001: 0100000 and 1 000000, each plus 32, then the filling.
  EXPECT_EQ("@`" + std::string(7, '\xFF'), Coded("A", encode));
  const struct { int length, encoded; } sizes[] = {{1, 9}, {7, 9}, {8, 17}, {14, 17}, {15, 25}};
  for (auto c : sizes) {
    std::string encoded = Coded(std::string(static_cast<size_t>(c.length), '\xFF'), encode);
    ASSERT_EQ(c.encoded, static_cast<int>(encoded.size())) << c.length;
    EXPECT_EQ('\xFF', encoded.back());
    // Data bytes lie in 32..159; a short last group is filled with 255.
    int data = c.length / 7 * 8 + (c.length % 7 ? c.length % 7 + 1 : 0);
    for (int i = 0; i < c.encoded - 1; i++) {
      int b = static_cast<unsigned char>(encoded[static_cast<size_t>(i)]);
      if (i < data)
        EXPECT_TRUE(b >= 32 && b <= 159) << c.length << "@" << i;
      else
        EXPECT_EQ(255, b) << c.length << "@" << i;
    }
  }
}

TEST(SString7Bit, RoundTripsEveryByteValueAndEveryGroupLength) {
  auto encode = [](SString& s) { s.Encode7Bit(); };
  auto decode = [](SString& s) { s.Decode7Bit(); };
  const std::string all = AllBytes();
  EXPECT_EQ(all, Coded(Coded(all, encode), decode));
  for (size_t n = 1; n <= 15; n++) {
    std::string part = all.substr(256 - n * 13 % 256, n);
    EXPECT_EQ(part, Coded(Coded(part, encode), decode)) << n;
  }
}

TEST(SString7Bit, WrongLengthsDecodeToNothing) {
  auto decode = [](SString& s) { s.Decode7Bit(); };
  EXPECT_EQ("", Coded("0123456789", decode));
  EXPECT_EQ("", Coded("\xFF", decode));
  EXPECT_EQ("", Coded("01234567", decode));
}

// ---- URL percent-encoding ---------------------------------------------------------------------

TEST(SStringUrl, Encoding) {
  EXPECT_EQ("a+b%26c", Coded("a b&c", [](SString& s) { s.EncodeUrl(true); }));
  EXPECT_EQ("a%20b%26c", Coded("a b&c", [](SString& s) { s.EncodeUrl(false); }));
  EXPECT_EQ("%E9-_%2E%7EAz09", Coded("\xE9-_.~Az09", [](SString& s) { s.EncodeUrl(false); }));
}

TEST(SStringUrl, Decoding) {
  auto plain = [](SString& s) { s.DecodeUrl(false); };
  EXPECT_EQ("a", Coded("a%2", plain));  // a cut escape ends the text
  EXPECT_EQ("a", Coded("a%", plain));
  EXPECT_EQ("AB", Coded("%41%42", plain));
  EXPECT_EQ("\xE9\xE9", Coded("%e9%E9", plain));
  EXPECT_EQ("a+b", Coded("a+b", plain));
  EXPECT_EQ("a b", Coded("a+b", [](SString& s) { s.DecodeUrl(true); }));
  EXPECT_EQ("S", Coded("%zz", plain));  // letters past F count on: 35 x 16 + 35, kept to 8 bits
}

TEST(SStringUrl, RoundTripsEveryByteValue) {
  const std::string all = AllBytes();
  for (bool form : {false, true}) {
    std::string encoded = Coded(all, [form](SString& s) { s.EncodeUrl(form); });
    EXPECT_EQ(all, Coded(encoded, [form](SString& s) { s.DecodeUrl(form); })) << form;
  }
}

// ---- HTML ---------------------------------------------------------------------------------------

TEST(SStringHtml, EscapeAndUnescape) {
  const char* text = "<a href=\"x\">Tom & 'Jerry'</a>";
  EXPECT_EQ("&lt;a href=\"x\"&gt;Tom &amp; 'Jerry'&lt;/a&gt;",
            Coded(text, [](SString& s) { s.EscapeHtml(false, false); }));
  std::string both = Coded(text, [](SString& s) { s.EscapeHtml(true, true); });
  EXPECT_EQ("&lt;a href=&quot;x&quot;&gt;Tom &amp; &#039;Jerry&#039;&lt;/a&gt;", both);
  EXPECT_EQ(text, Coded(both, [](SString& s) { s.UnescapeHtml(true, true); }));
  EXPECT_EQ("\"&#039;", Coded("&QUOT;&#039;", [](SString& s) { s.UnescapeHtml(false, true); }));
  EXPECT_EQ("&quot;'", Coded("&quot;&#039;", [](SString& s) { s.UnescapeHtml(true, false); }));
  EXPECT_EQ("&lt;", Coded("&amp;lt;", [](SString& s) { s.UnescapeHtml(false, true); }));  // decoded once
  EXPECT_EQ("<>&", Coded("&LT;&Gt;&AMP;", [](SString& s) { s.UnescapeHtml(false, false); }));
}

TEST(SStringHtml, FullEscapeWritesHighBytesAsReferences) {
  auto full = [](SString& s) { s.EscapeHtmlFull(true, true); };
  EXPECT_EQ("&#169;", Coded("\xA9", full));
  EXPECT_EQ("&#160;&#255;\x9F", Coded("\xA0\xFF\x9F", full));
  EXPECT_EQ("&lt;&amp;&gt;&quot;&#039;", Coded("<&>\"'", full));
  EXPECT_EQ("\"'", Coded("\"'", [](SString& s) { s.EscapeHtmlFull(false, false); }));
  EXPECT_EQ("&lt;\xA9\xFF", Coded("<\xA9\xFF", [](SString& s) { s.EscapeHtmlFull(true, true, false); }));
}

TEST(SStringHtml, EscapedTextReadsBackForEveryByteValue) {
  const std::string all = AllBytes();
  std::string escaped = Coded(all, [](SString& s) { s.EscapeHtml(true, true); });
  EXPECT_EQ(all, Coded(escaped, [](SString& s) { s.UnescapeHtml(true, true); }));
}

TEST(SStringHtml, LineBreaks) {
  EXPECT_EQ("a<br>b\r<br>", Coded("a\r\nb\r\r\n", [](SString& s) { s.CrLfToBr(); }));
  EXPECT_EQ("a\r\nb\r\nc<br/>", Coded("a<br>b<BR>c<br/>", [](SString& s) { s.BrToCrLf(); }));
}

// ---- Windows-1252 and UTF-8 -------------------------------------------------------------------------

// The fixture is every byte 0-255 decoded as Windows-1252 and written as
// UTF-8 by Python's codecs (the five unassigned bytes as the C1 controls
// of the same value, as Windows converts them).
TEST(SStringUtf8, EveryWindows1252ByteConvertsAndComesBack) {
  const std::string utf8 = ReadFixture("windows1252-all-bytes.utf8");
  ASSERT_EQ(401u, utf8.size());
  const std::string all = AllBytes();
  EXPECT_EQ(utf8, Coded(all, [](SString& s) { s.ToUtf8(); }));
  EXPECT_EQ(all, Coded(utf8, [](SString& s) { s.FromUtf8(); }));
  for (int b = 0; b < 256; b++) {
    std::string one(1, static_cast<char>(b));
    EXPECT_EQ(one, Coded(Coded(one, [](SString& s) { s.ToUtf8(); }), [](SString& s) { s.FromUtf8(); })) << b;
  }
}

TEST(SStringUtf8, CharactersOnceDroppedAreConverted) {
  auto to = [](SString& s) { s.ToUtf8(); };
  EXPECT_EQ("\xC3\x9F", Coded("\xDF", to));        // sharp s
  EXPECT_EQ("\xC3\x98\xC3\xB8", Coded("\xD8\xF8", to));  // O and o with stroke
  EXPECT_EQ("\xC3\x85", Coded("\xC5", to));        // A with ring
  EXPECT_EQ("\xE2\x80\x9C\xE2\x80\x9D", Coded("\x93\x94", to));  // curly quotes
  EXPECT_EQ("\xE2\x80\x93\xE2\x80\x94", Coded("\x96\x97", to));  // dashes
  EXPECT_EQ("\xC2\xA0\xC2\xB0\xC2\xAB\xC2\xBB", Coded("\xA0\xB0\xAB\xBB", to));  // NBSP, degree, guillemets
  // The characters the old table knew keep their forms.
  EXPECT_EQ("\xE2\x82\xAC\xC6\x92\xE2\x80\xB0\xC5\x92\xE2\x84\xA2\xC5\x93\xC2\xA9\xC3\xA9",
            Coded("\x80\x83\x89\x8C\x99\x9C\xA9\xE9", to));
}

TEST(SStringUtf8, FromUtf8DropsWhatWindows1252CannotHoldAndBadBytesAlone) {
  auto from = [](SString& s) { s.FromUtf8(); };
  EXPECT_EQ("ab", Coded("a\xE4\xB8\xAD" "b", from));          // CJK: not in the code page
  EXPECT_EQ("ab", Coded("a\xF0\x9F\x98\x80" "b", from));      // outside the BMP
  EXPECT_EQ("A", Coded("\xC3" "A", from));                    // a cut sequence keeps the byte after it
  EXPECT_EQ("x", Coded("\xE2" "x", from));
  EXPECT_EQ("/", Coded("\xC0\xAF/", from));                   // an overlong form is no character
  EXPECT_EQ("", Coded("\xED\xA0\x80", from));                 // nor is a surrogate
  EXPECT_EQ("caf", Coded("caf\xE9", from));                   // Windows-1252 text read as UTF-8
  EXPECT_EQ("\x97", Coded("\xE2\x80\x94", from));              // em dash
  EXPECT_EQ("", Coded("\xE2\x82", from));
}

}  // namespace
