#include "core/SStringArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(const SStringArray& a) {
  std::vector<std::string> v;
  for (int i = 0; i < a.GetCount(); i++) v.push_back(a.GetAt(i) ? a.GetAt(i)->GetText() : "<null>");
  return v;
}

SStringArray Make(std::initializer_list<const char*> texts) {
  SStringArray a;
  for (const char* t : texts) a.Add(t);
  return a;
}

// ---- Ownership and copies -----------------------------------------------------------------------

TEST(SStringArrayOwnership, AddCreatesCopiesThatTheArrayReleases) {
  SStringArray a;
  SString source("abc");
  EXPECT_EQ(0, a.Add(source.GetText()));
  EXPECT_EQ(1, a.Add(nullptr));
  EXPECT_EQ(1, a.Add("x", 1, 3));
  EXPECT_EQ(-1, a.Add("y", 0, 0));
  EXPECT_EQ((std::vector<std::string>{"abc", "x", "x", "x", ""}), Texts(a));
  EXPECT_NE(a.GetAt(1), a.GetAt(2));  // every copy its own string
  EXPECT_NE(source.GetText(), a.GetAt(0)->GetText());
  // Growing the count by hand leaves null slots that release safely.
  a.Resize(12);
  EXPECT_EQ(nullptr, a.GetAt(11));
  EXPECT_EQ("", std::string(a.GetString(11).GetText()));
}

TEST(SStringArrayOwnership, InsertionKeepsTagWordsDeepAssignDropsThem) {
  SString tagged("t");
  tagged.SetTag(42);
  SStringArray a;
  a.InsertAt(&tagged, -1, 1);
  EXPECT_EQ(42, a.GetAt(0)->GetTag());
  SStringArray b;
  b.Add("old");
  b.SetCompareMode(2);
  b.DeepAssign(a);
  EXPECT_EQ((std::vector<std::string>{"t"}), Texts(b));
  EXPECT_EQ(0, b.GetAt(0)->GetTag());
  EXPECT_EQ(2, b.GetCompareMode());  // its own mode stays
}

TEST(SStringArrayOwnership, CopiesOwnTheirStrings) {
  // A shallow copy would leave two arrays deleting the same strings.
  SStringArray a = Make({"one", "two"});
  a.SetCompareMode(3);
  SStringArray b(a);
  SStringArray c;
  c = a;
  SStringArray d;
  SArray<SString*>& base = d;
  base.Assign(a);  // through the base's slot
  for (SStringArray* copy : {&b, &c, &d}) {
    EXPECT_EQ(Texts(a), Texts(*copy));
    EXPECT_NE(a.GetAt(0), copy->GetAt(0));
    EXPECT_EQ(3, copy->GetCompareMode());
  }
  a.GetAt(0)->SetText("changed");
  EXPECT_EQ("one", std::string(b.GetString(0).GetText()));
  c = c;  // itself: unchanged
  EXPECT_EQ((std::vector<std::string>{"one", "two"}), Texts(c));
}

TEST(SStringArrayOwnership, FreeStorageAndPurgeDeleteTheStrings) {
  SStringArray a = Make({"a", "b", "c"});
  a.SetCompareMode(2);
  a.FreeStorage();
  EXPECT_EQ(0, a.GetCount());
  EXPECT_EQ(0, a.GetCapacity());
  EXPECT_EQ(0, a.GetCompareMode());
  a.Add("d");
  a.Purge();
  EXPECT_EQ(0, a.GetCount());
  SArray<SString*>* held = new SStringArray(Make({"e"}));
  delete held;  // through the base: still releases the strings
}

// ---- Comparison -----------------------------------------------------------------------------------

TEST(SStringArrayCompare, ModeBitsChooseCaseAndDirection) {
  SStringArray a = Make({"abc", "ABC"});
  EXPECT_EQ(1, a.Find("ABC"));
  EXPECT_EQ(-1, Make({"abc"}).Find("ABC"));
  a.SetCompareMode(2);
  EXPECT_EQ(0, a.Find("ABC"));

  SStringArray s = Make({"b", "a", "c"});
  s.SetCompareMode(1);
  s.Sort();
  EXPECT_EQ((std::vector<std::string>{"c", "b", "a"}), Texts(s));
  s = Make({"c", "B", "a"});
  s.SetCompareMode(2);
  s.Sort();
  EXPECT_EQ((std::vector<std::string>{"a", "B", "c"}), Texts(s));
  s.SetCompareMode(0);
  s.Sort();  // bytes: capitals first
  EXPECT_EQ((std::vector<std::string>{"B", "a", "c"}), Texts(s));
  // Unsigned bytes: 0xE9 after 'z'.
  s = Make({"\xE9", "z"});
  s.Sort();
  EXPECT_EQ((std::vector<std::string>{"z", "\xE9"}), Texts(s));
}

TEST(SStringArrayCompare, NullSlotsLeftByDeletionCompareSafely) {
  // DeleteValue and DeleteDuplicatesInPlace leave null slots; every later
  // comparison must take them, and a null equals only another null.
  SStringArray a = Make({"x", "y", "x", ""});
  SString x("x");
  EXPECT_EQ(2, a.DeleteValue(&x));
  EXPECT_EQ((std::vector<std::string>{"<null>", "y", "<null>", ""}), Texts(a));
  EXPECT_EQ(3, a.Find(""));
  EXPECT_EQ(-1, a.Find("x"));
  a.Sort();
  EXPECT_EQ((std::vector<std::string>{"<null>", "<null>", "", "y"}), Texts(a));
  a.SetCompareMode(1);
  a.Sort();
  EXPECT_EQ((std::vector<std::string>{"y", "", "<null>", "<null>"}), Texts(a));

  SStringArray d = Make({"x", "x", "", "x"});
  // (0,1) and (0,3) are text pairs, (1,3) a pair of the nulls they left.
  EXPECT_EQ(3, d.DeleteDuplicatesInPlace());
  EXPECT_EQ((std::vector<std::string>{"x", "<null>", "", "<null>"}), Texts(d));
  EXPECT_EQ(1, d.RemoveDuplicates());  // the second null goes, "" stays
  EXPECT_EQ((std::vector<std::string>{"x", "<null>", ""}), Texts(d));
  EXPECT_EQ(1, d.RemoveText(""));
  EXPECT_EQ(2, d.AddSorted("a", 1));  // after the null slot, which sorts first
}

// ---- Texts ------------------------------------------------------------------------------------------

TEST(SStringArrayTexts, GetStringFirstLast) {
  SStringArray a = Make({"a", "b"});
  EXPECT_EQ("a", std::string(a.GetFirst().GetText()));
  EXPECT_EQ("b", std::string(a.GetLast().GetText()));
  EXPECT_EQ("", std::string(a.GetString(2).GetText()));
  EXPECT_EQ("", std::string(a.GetString(-1).GetText()));
}

TEST(SStringArrayTexts, RemoveTextDeletesAndRemovesInTheRange) {
  SStringArray a = Make({"a", "B", "b", "c", "b"});
  a.SetCompareMode(2);
  EXPECT_EQ(2, a.RemoveText("b", 0, 3));
  EXPECT_EQ((std::vector<std::string>{"a", "c", "b"}), Texts(a));
  EXPECT_EQ(0, a.RemoveText("b", 3));
}

TEST(SStringArrayTexts, SortedSearchAndInsertion) {
  SStringArray a;
  EXPECT_EQ(-1, a.FindInsertPosition("m"));
  EXPECT_EQ(0, a.AddSorted("m"));
  const char* words[] = {"d", "x", "a", "m", "q"};
  for (const char* w : words) a.AddSorted(w);
  EXPECT_EQ((std::vector<std::string>{"a", "d", "m", "m", "q", "x"}), Texts(a));
  EXPECT_EQ(5, a.FindSorted("x"));
  EXPECT_EQ(-1, a.FindSorted("b"));
  EXPECT_EQ(1, a.FindInsertPosition("b"));
  a.SetCompareMode(2);
  EXPECT_EQ(5, a.FindSorted("X"));
}

TEST(SStringArrayTexts, Join) {
  SStringArray a = Make({"a", "b", "c"});
  const struct {
    int start, count;
    const char* sep;
    const char* want;
  } cases[] = {
      {1, -1, ", ", "b, c"}, {0, 2, "", "ab"}, {3, -1, ",", ""}, {0, 0, ",", ""},
      {-1, 1, ",", ""},      {0, 9, "-", "a-b-c"}, {2, 1, ",", "c"}, {0, -1, nullptr, "abc"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << "," << c.count);
    EXPECT_EQ(std::string(c.want), a.Join(c.start, c.count, c.sep).GetText());
  }
}

TEST(SStringArrayTexts, CopyMatchingUsesWildcards) {
  SStringArray a = Make({"a.txt", "b.doc", "c.txt", "a.txt2"});
  SStringArray out;
  out.Add("kept");
  EXPECT_EQ(2, a.CopyMatching(0, -1, &out, "*.txt"));
  EXPECT_EQ((std::vector<std::string>{"kept", "a.txt", "c.txt"}), Texts(out));
  EXPECT_EQ(2, a.CopyMatching(1, 3, &out, "?.*"));  // "b.doc" and "c.txt" only
  EXPECT_EQ("c.txt", std::string(out.GetLast().GetText()));
  EXPECT_EQ(0, a.CopyMatching(0, -1, nullptr, "*"));
  EXPECT_EQ(0, a.CopyMatching(4, -1, &out, "*"));
}

TEST(SStringArrayTexts, FindMatchesWithCodedPatterns) {
  SStringArray a = Make({"a.txt", "a.txt2", "*.txt", "", "ab"});
  SArray<int> hits;
  EXPECT_EQ(2, a.FindMatches("\x01.txt", &hits));
  EXPECT_EQ(0, hits.GetAt(0));
  EXPECT_EQ(2, hits.GetAt(1));
  EXPECT_EQ(1, a.FindMatches("*.txt", nullptr));  // a literal star
  EXPECT_EQ(4, a.FindMatches("\x02\x01", nullptr));  // one byte or more
  const struct {
    const char* pattern;
    int count;
  } cases[] = {
      {"\x01", 5},           // everything, the empty text too
      {"", 1},               // only the empty text
      {"a\x02", 1},          // "ab"
      {"\x01t\x01", 3},      // a t anywhere
      {"a\x01t", 1},         // "a.txt" ("a.txt2" ends in 2)
      {"\x01\x01x\x01", 3},  // runs next to each other
      {"A\x01", 0},          // case-sensitive
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(c.count, a.FindMatches(c.pattern, nullptr));
  }
}

// ---- The text-line form -----------------------------------------------------------------------------

TEST(SStringArrayLines, ElementsBecomeBase64LinesAndBack) {
  SStringArray a = Make({"a", "", "abc"});
  EXPECT_EQ("YQ=", std::string(a.FormatElement(a.GetAt(0), 0, 0).GetText()));
  EXPECT_EQ("", std::string(a.FormatElement(a.GetAt(1), 1, 0).GetText()));
  EXPECT_EQ("YWJj=", std::string(a.FormatElement(a.GetAt(2), 2, 0).GetText()));
  EXPECT_EQ("", std::string(a.FormatElement(nullptr, 0, 0).GetText()));

  SStringArray b;
  const char* lines[] = {"YQ=", "", "YWJj=", "YWJjAGRl=", "-_8@"};
  for (const char* line : lines) {
    b.Resize(b.GetCount() + 1);
    b.ParseElement(b.GetPtr(b.GetCount() - 1), line, b.GetCount() - 1, 0);
  }
  // A decoded 0 byte ends the text; either alphabet is read.
  EXPECT_EQ((std::vector<std::string>{"a", "", "abc", "abc", "\xFB\xFF"}), Texts(b));
  EXPECT_EQ(3, b.GetAt(3)->GetLength());
}

}  // namespace
