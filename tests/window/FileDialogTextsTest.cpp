// The texts of the open and save dialogs: the filter built from the list,
// the filter index, and a multiple selection split into full paths.
#include "window/FileDialogTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

SStringArray List(std::initializer_list<const char*> entries) {
  SStringArray list;
  for (const char* entry : entries) list.Add(entry);
  return list;
}

std::string Bytes(const std::vector<char>& text) { return std::string(text.begin(), text.end()); }

// A literal with its inner NULs (without the one the compiler adds).
template <size_t N>
std::string Literal(const char (&text)[N]) {
  return std::string(text, N - 1);
}

}  // namespace

TEST(FileDialogTexts, FilterTextFromTheList) {
  struct Case {
    std::vector<const char*> entries;
    std::string expected;
  };
  const Case cases[] = {
      {{"All Files|*.*"}, Literal("All Files\0*.*\0\0")},
      {{"Text|*.txt", "Pictures|*.bmp;*.png"}, Literal("Text\0*.txt\0Pictures\0*.bmp;*.png\0\0")},
      // Without "|" the entry is a description; the next entry's text
      // becomes its pattern.
      {{"Text", "*.txt", "All|*.*"}, Literal("Text\0*.txt\0All\0*.*\0\0")},
      // Only the last "|" of an entry separates: a description may hold
      // one, a pattern never does.
      {{"Odd|a|b"}, Literal("Odd|a\0b\0\0")},
      {{}, Literal("\0")},
  };
  for (const Case& c : cases) {
    SStringArray list;
    for (const char* entry : c.entries) list.Add(entry);
    EXPECT_EQ(c.expected, Bytes(MakeFileDialogFilter(&list))) << c.entries.size();
  }
  EXPECT_TRUE(MakeFileDialogFilter(nullptr).empty());
}

TEST(FileDialogTexts, ProgramFilterTextBecomesPairs) {
  struct Case {
    const char* text;
    std::vector<std::string> entries;
  };
  const Case cases[] = {
      {"All Files|*.*", {"All Files|*.*"}},
      {"Text|*.txt|Pictures|*.bmp;*.png", {"Text|*.txt", "Pictures|*.bmp;*.png"}},
      // A "|" between quotes stays in its token; the quotes go.
      {"Either|\"a|b\"", {"Either|a|b"}},
      {"\"Say \"\"hi\"|*.x", {"Say hi|*.x"}},
      // An odd last token has no pattern and is dropped.
      {"Text|*.txt|Lonely", {"Text|*.txt"}},
      {"Lonely", {}},
      {"", {}},
      {"||", {"|"}},
  };
  for (const Case& c : cases) {
    SStringArray list = ParseFileDialogFilter(c.text);
    std::vector<std::string> got;
    for (int i = 0; i < list.GetCount(); i++) got.push_back(list.GetString(i).GetText());
    EXPECT_EQ(c.entries, got) << c.text;
  }
  // Indexes into the parsed list: inside selects, outside keeps the first.
  SStringArray two = ParseFileDialogFilter("A|*.a|B|*.b");
  EXPECT_EQ(2, FileDialogFilterIndex(&two, 1));
  EXPECT_EQ(1, FileDialogFilterIndex(&two, 5));
}

TEST(FileDialogTexts, FilterIndexFallsBackToTheFirst) {
  SStringArray list = List({"A|*.a", "B|*.b"});
  EXPECT_EQ(1, FileDialogFilterIndex(&list, 0));
  EXPECT_EQ(2, FileDialogFilterIndex(&list, 1));
  EXPECT_EQ(1, FileDialogFilterIndex(&list, 2));
  EXPECT_EQ(1, FileDialogFilterIndex(&list, -1));
  EXPECT_EQ(1, FileDialogFilterIndex(nullptr, 3));
}

TEST(FileDialogTexts, MultipleSelectionBecomesFullPaths) {
  // One text: the full path itself.
  const char one[] = "C:\\data\\a.txt\0\0";
  SStringArray files;
  EXPECT_EQ(1, SplitFileSelection(one, sizeof one, &files));
  ASSERT_EQ(1, files.GetCount());
  EXPECT_STREQ("C:\\data\\a.txt", files.GetString(0).GetText());

  // The folder, then names in the dialog's order.
  const char three[] = "C:\\data\0c.txt\0a.txt\0b.txt\0\0";
  files.Purge();
  EXPECT_EQ(3, SplitFileSelection(three, sizeof three, &files));
  ASSERT_EQ(3, files.GetCount());
  EXPECT_STREQ("C:\\data\\c.txt", files.GetString(0).GetText());
  EXPECT_STREQ("C:\\data\\a.txt", files.GetString(1).GetText());
  EXPECT_STREQ("C:\\data\\b.txt", files.GetString(2).GetText());

  // A folder that ends with a separator (a drive's root) gets none added.
  const char root[] = "C:\\\0x.txt\0y.txt\0\0";
  files.Purge();
  EXPECT_EQ(2, SplitFileSelection(root, sizeof root, &files));
  EXPECT_STREQ("C:\\x.txt", files.GetString(0).GetText());
  EXPECT_STREQ("C:\\y.txt", files.GetString(1).GetText());

  // Nothing before the first empty text, and a buffer without its end.
  files.Purge();
  EXPECT_EQ(0, SplitFileSelection("\0a\0", 4, &files));
  const char cut[] = {'C', ':', '\\', 'd'};
  EXPECT_EQ(1, SplitFileSelection(cut, sizeof cut, &files));
  EXPECT_STREQ("C:\\d", files.GetString(0).GetText());
}
