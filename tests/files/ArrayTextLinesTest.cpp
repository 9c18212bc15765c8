#include "files/SArrayLines.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/SStringArray.h"
#include "files/SFileMem.h"

namespace {

// Integers as decimal lines, recording the extra argument each call saw.
class NumberArray : public SArray<int> {
 public:
  void ParseElement(int* slot, const char* line, int index, int extra) override {
    *slot = std::atoi(line);
    calls.push_back({index, extra});
  }
  SString FormatElement(int element, int index, int extra) const override {
    calls.push_back({index, extra});
    return SString::FromInt(element);
  }
  struct Call {
    int index, extra;
  };
  mutable std::vector<Call> calls;
};

// The lines of an array, each as the text ParseElement was given.
class LineArray : public SArray<int> {
 public:
  void ParseElement(int* slot, const char* line, int index, int extra) override {
    (void)extra;
    *slot = index;
    lines.push_back(line);
  }
  std::vector<std::string> lines;
};

void Put(SFileMem& stream, const std::string& bytes) {
  stream.Close();
  stream.Write(bytes.data(), static_cast<int>(bytes.size()));
  stream.Rewind();
}

std::string Content(const SFileMem& stream) {
  if (!stream.GetData()) return std::string();
  return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

TEST(ArrayTextLines, DefaultFormatWritesEmptyLines) {
  SArray<int> array;
  array.Add(1);
  array.Add(2);
  array.Add(3);
  SFileMem stream;
  EXPECT_TRUE(array.SaveLines(&stream, 0));
  EXPECT_EQ(Content(stream), "\r\n\r\n\r\n");
  EXPECT_FALSE(array.SaveLines(nullptr, 0));
  EXPECT_FALSE(array.LoadLines(nullptr, 0));
  EXPECT_EQ(array.GetCount(), 3);
}

TEST(ArrayTextLines, WhichLinesBecomeElements) {
  struct Case {
    const char* bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"one\r\ntwo", {"one", "two"}},
      {"one\r\n", {"one"}},
      {"", {}},
      {"one\r\n\r\n", {"one", ""}},     // an empty line ended by CR LF counts
      {"\r\n", {""}},
      {" a \r\nb\nc\r\n", {" a ", "b\nc"}},  // blanks kept, lone LF inside
  };
  for (const Case& c : cases) {
    SFileMem stream;
    Put(stream, c.bytes);
    LineArray array;
    EXPECT_TRUE(array.LoadLines(&stream, 0));
    EXPECT_EQ(array.lines, c.lines) << c.bytes;
    EXPECT_EQ(array.GetCount(), static_cast<int>(c.lines.size()));
    for (int i = 0; i < array.GetCount(); i++) EXPECT_EQ(array.GetAt(i), i);
  }
}

TEST(ArrayTextLines, RoundTripReplacesTheContentsAndPassesExtra) {
  NumberArray out;
  const int values[] = {5, -12, 0, 2147483647};
  for (int v : values) out.Add(v);
  SFileMem stream;
  EXPECT_TRUE(out.SaveLines(&stream, 42));
  EXPECT_EQ(Content(stream), "5\r\n-12\r\n0\r\n2147483647\r\n");
  ASSERT_EQ(out.calls.size(), 4u);
  EXPECT_EQ(out.calls[3].index, 3);
  EXPECT_EQ(out.calls[3].extra, 42);

  NumberArray in;
  in.Add(99);
  in.SetCompareMode(1);
  stream.Rewind();
  EXPECT_TRUE(in.LoadLines(&stream, 7));
  ASSERT_EQ(in.GetCount(), 4);
  for (int i = 0; i < 4; i++) EXPECT_EQ(in.GetAt(i), values[i]);
  EXPECT_EQ(in.GetCompareMode(), 0);
  ASSERT_EQ(in.calls.size(), 4u);
  EXPECT_EQ(in.calls[2].index, 2);
  EXPECT_EQ(in.calls[2].extra, 7);
}

// String arrays store each text in Base64, so texts holding line breaks and
// blanks come back whole.
TEST(ArrayTextLines, StringArraysSurviveLineBreaksInTheirTexts) {
  SStringArray out;
  out.Add("plain");
  out.Add("two\r\nlines");
  out.Add("");
  out.Add("  \t blanks \xE9");
  SFileMem stream;
  EXPECT_TRUE(out.SaveLines(&stream, 0));

  SStringArray in;
  in.Add("old");
  stream.Rewind();
  EXPECT_TRUE(in.LoadLines(&stream, 0));
  ASSERT_EQ(in.GetCount(), out.GetCount());
  for (int i = 0; i < out.GetCount(); i++) EXPECT_STREQ(in.GetString(i).GetText(), out.GetString(i).GetText());
}

}  // namespace
