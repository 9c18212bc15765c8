// The Path class through its members, as a program calls them: paths of
// the three kinds taken apart, the separator flag, comparisons, the
// editing members that take over a new path only when it is valid, and the
// parts filled into a StringArray.
#include <gtest/gtest.h>

#include <string>

#include "classes/PObjPath.h"
#include "classes/PObjStringArray.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/DataClassTest.h"

namespace {

using classtest::kUnset;
using P = PObjPath;

class PObjPathTest : public classtest::DataClassTest {
 protected:
  PObjPath* PathAt(const char* text) {
    PObjPath* p = NewObject<PObjPath>();
    Int(p, P::SET, text);
    return p;
  }
  std::string Full(PObjPath* p) { return Text(p, P::GET_FULL_PATH); }
  std::string Listed(PObjStringArray* a) {
    std::string out;
    for (int i = 0; i < a->GetStore().GetCount(); i++)
      out += std::string(i ? "|" : "") + a->GetStore().GetAt(i)->GetText();
    return out;
  }
};

TEST_F(PObjPathTest, Declaration) {
  PObjectDefinition* d = engine.FindDefinition(P::kTypeCode);
  ASSERT_NE(d, nullptr);
  EXPECT_STREQ(d->GetName(), "Path");
  EXPECT_EQ(d->GetCategory(), CATEGORY_VALUES);
  ASSERT_EQ(d->GetConstantCount(), 5);
  const char* names[] = {"ID", "INVALID", "LOCAL", "NETWORK", "INTERNET"};
  for (int i = 0; i < 5; i++) {
    EXPECT_STREQ(d->GetConstantName(i).GetText(), names[i]);
    if (i > 0) {
      EXPECT_EQ(d->GetConstant(i)->ToInt64(), i - 1);
    }
  }
  ASSERT_EQ(d->GetMemberCount(), 36);
  EXPECT_EQ(d->GetParamCount(P::JOIN_PARTS), 4);
  EXPECT_EQ(d->GetDefaultCount(P::JOIN_PARTS), 3);
  EXPECT_EQ(d->GetParamInfo(P::JOIN_PARTS, 1)->GetDefault().ToInt64(), -1);
  EXPECT_EQ(std::string(d->GetParamInfo(P::JOIN_PARTS, 3)->GetDefault().ToString().GetText()), "\\");
  EXPECT_EQ(d->GetDefaultCount(P::SET_TRAILING), 1);
  EXPECT_EQ(d->GetParamInfo(P::SET_TRAILING, 0)->GetDefault().ToInt64(), 1);
  EXPECT_EQ(d->GetParamInfo(P::IS_INSIDE, 0)->GetTypeCode(), P::kTypeCode);
  EXPECT_EQ(d->GetParamInfo(P::SPLIT, 0)->GetTypeCode(), PObjStringArray::kTypeCode);
}

// One path of each kind, and an invalid one, through every query.
TEST_F(PObjPathTest, PathsOfTheThreeKinds) {
  struct Query {
    P::Member member;
    const char* local;
    const char* network;
    const char* internet;
    const char* invalid;
  };
  const Query texts[] = {
      {P::GET_FULL_PATH, "D:\\a\\b\\file.TXT", "\\\\server\\share\\f.txt",
       "https://example.com/docs/a/b.html", ""},
      {P::GET_NAME, "file.TXT", "f.txt", "b.html", ""},
      {P::GET_EXTENSION, "txt", "txt", "html", ""},
      {P::GET_TITLE, "file", "f", "b", ""},
      {P::GET_FOLDER, "a\\b\\", "share\\", "docs/a/", ""},
      {P::GET_LAST_FOLDER_NAME, "b\\", "share\\", "a/", ""},
      {P::GET_PARENT, "D:\\a\\b\\", "\\\\server\\share\\", "https://example.com/docs/a/", ""},
      {P::GET_URL_WITHOUT_SCHEME, "", "", "example.com/docs/a/b.html", ""},
      {P::GET_ROOT, "D:\\", "\\\\server\\", "https://example.com/", ""},
      {P::GET_FOLDER_WITH_ROOT, "D:\\a\\b\\", "\\\\server\\share\\", "https://example.com/docs/a/", ""},
  };
  const char* sources[] = {"D:\\a\\b\\file.TXT", "\\\\server\\share\\f.txt",
                           "https://example.com/docs/a/b.html", "D:\\a\\b?\\file.TXT"};
  PObjPath* paths[4];
  for (int k = 0; k < 4; k++) paths[k] = PathAt(sources[k]);
  for (const Query& q : texts) {
    const char* expected[] = {q.local, q.network, q.internet, q.invalid};
    for (int k = 0; k < 4; k++) EXPECT_EQ(Text(paths[k], q.member), expected[k]) << q.member << " of " << sources[k];
  }
  struct Number {
    P::Member member;
    int64_t values[4];
  };
  const Number numbers[] = {
      {P::COUNT_PARTS, {4, 3, 4, 0}},     {P::COUNT_FOLDERS, {2, 1, 2, 0}}, {P::GET_KIND, {1, 2, 3, 0}},
      {P::IS_FILE, {1, 1, 1, 0}},         {P::IS_FOLDER, {0, 0, 0, 0}},     {P::IS_INTERNET, {0, 0, 1, 0}},
      {P::IS_LOCAL, {1, 0, 0, 0}},        {P::IS_FILE_SYSTEM, {1, 1, 0, 0}}, {P::IS_NETWORK, {0, 1, 0, 0}},
      {P::IS_ROOT, {0, 0, 0, 0}},         {P::IS_VALID, {1, 1, 1, 0}},      {P::HAS_TRAILING, {1, 1, 1, 1}},
  };
  for (const Number& n : numbers)
    for (int k = 0; k < 4; k++) EXPECT_EQ(Int(paths[k], n.member), n.values[k]) << n.member << " of " << sources[k];
}

TEST_F(PObjPathTest, SetAnswersTheKind) {
  PObjPath* p = NewObject<PObjPath>();
  struct Case {
    const char* text;
    int64_t kind;
  };
  const Case cases[] = {{"D:\\x", 1},     {"\\\\srv\\s\\", 2}, {"ftp://h/x", 3}, {"a*b", 0},
                        {"x<y", 0},       {"q\"", 0},          {"a:b://c", 0},   {"", 0},
                        {"tab\there", 0}};
  for (const Case& c : cases) EXPECT_EQ(Int(p, P::SET, c.text), c.kind) << c.text;
  // A relative text is made absolute against the working folder.
  EXPECT_EQ(Int(p, P::SET, "data\\x.txt"), 1);
  EXPECT_EQ(Text(p, P::GET_NAME), "x.txt");
  EXPECT_EQ(Text(p, P::GET_LAST_FOLDER_NAME, 1), "data");
  EXPECT_EQ(Text(p, P::GET_FULL_PATH).substr(1, 2), ":\\");
}

TEST_F(PObjPathTest, FoldersWithAndWithoutTheirSeparator) {
  PObjPath* p = NewObject<PObjPath>();
  EXPECT_EQ(Int(p, P::SET_FOLDER, "D:\\x\\y"), 1);
  EXPECT_EQ(Full(p), "D:\\x\\y\\");
  EXPECT_EQ(Int(p, P::IS_FOLDER), 1);
  EXPECT_EQ(Int(p, P::IS_FILE), 0);
  EXPECT_EQ(Text(p, P::GET_NAME), "");
  EXPECT_EQ(Text(p, P::GET_LAST_FOLDER_NAME), "y\\");
  EXPECT_EQ(Text(p, P::GET_LAST_FOLDER_NAME, 1), "y");
  EXPECT_EQ(Text(p, P::GET_PARENT), "D:\\x\\");
  Do(p, P::SET_TRAILING, 0);
  EXPECT_EQ(Int(p, P::HAS_TRAILING), 0);
  EXPECT_EQ(Full(p), "D:\\x\\y");
  EXPECT_EQ(Text(p, P::GET_FOLDER), "x\\y");
  EXPECT_EQ(Text(p, P::GET_LAST_FOLDER_NAME), "y");
  EXPECT_EQ(Text(p, P::GET_PARENT), "D:\\x");
  EXPECT_EQ(Text(p, P::GET_FOLDER_AT, 1), "y\\") << "parts keep their separator";
  EXPECT_EQ(Text(p, P::GET_FOLDER_AT, 1, 1), "y");
  Do(p, P::SET_TRAILING);
  EXPECT_EQ(Int(p, P::HAS_TRAILING), 1);
  EXPECT_EQ(Int(p, P::SET_FOLDER, "https://h.org/a"), 3);
  EXPECT_EQ(Full(p), "https://h.org/a/");
  // A root alone.
  EXPECT_EQ(Int(p, P::SET, "D:\\"), 1);
  EXPECT_EQ(Int(p, P::IS_ROOT), 1);
  EXPECT_EQ(Int(p, P::IS_FOLDER), 0);
  EXPECT_EQ(Text(p, P::GET_PARENT), "");
  EXPECT_EQ(Int(p, P::COUNT_FOLDERS), 0);
}

TEST_F(PObjPathTest, FolderAtAndJoinedParts) {
  PObjPath* p = PathAt("D:\\a\\b\\file.TXT");
  EXPECT_EQ(Text(p, P::GET_FOLDER_AT, 0), "a\\");
  EXPECT_EQ(Text(p, P::GET_FOLDER_AT, 1, 1), "b");
  EXPECT_EQ(Text(p, P::GET_FOLDER_AT, 2), "") << "the name is no folder";
  EXPECT_EQ(Text(p, P::GET_FOLDER_AT, -1), "");
  struct Case {
    int64_t start, count, dropName;
    const char* separator;
    const char* text;
  };
  const Case cases[] = {
      {1, -1, 0, "\\", "a\\b\\file.TXT"}, {1, -1, 0, "/", "a/b/file.TXT"}, {0, -1, 1, "\\", "D:\\a\\b\\"},
      {1, 1, 0, "\\", "a\\"},            {2, 99, 1, "\\", "b\\"},         {3, -1, 1, "\\", ""},
      {-1, -1, 0, "\\", ""},             {0, 0, 0, "\\", ""},             {1, 2, 0, "|:", "a|b|"},
      {1, -1, 0, "", "a\\b\\file.TXT"},  // an empty separator keeps the backslash
  };
  for (const Case& c : cases)
    EXPECT_EQ(Text(p, P::JOIN_PARTS, c.start, c.count, c.dropName, c.separator), c.text) << c.start << "," << c.count;
  EXPECT_EQ(Text(p, P::JOIN_PARTS, 2), "b\\file.TXT") << "the defaults";
  EXPECT_EQ(Text(PathAt("https://h.org/x/y.htm"), P::JOIN_PARTS, 0), "https:\\\\h.org\\x\\y.htm");
}

TEST_F(PObjPathTest, SplitFillsAStringArray) {
  auto* parts = NewObject<PObjStringArray>();
  EXPECT_EQ(Int(PathAt("D:\\a\\b\\file.TXT"), P::SPLIT, parts), 1);
  EXPECT_EQ(Listed(parts), "D:\\|a\\|b\\|file.TXT");
  auto* folder = NewObject<PObjStringArray>();
  EXPECT_EQ(Int(PathAt("D:\\a\\"), P::SPLIT, folder), 1);
  EXPECT_EQ(Listed(folder), "D:\\|a\\|") << "an empty name is a part";
  auto* none = NewObject<PObjStringArray>();
  EXPECT_EQ(Int(PathAt("a?"), P::SPLIT, none), 0);
  EXPECT_EQ(Int(none, PObjStringArray::GET_COUNT), 0);
  EXPECT_EQ(Int(PathAt("D:\\a"), P::SPLIT, nullptr), kUnset);
  EXPECT_EQ(Int(PathAt("D:\\a"), P::SPLIT, PathAt("D:\\b")), kUnset) << "not a StringArray";
}

TEST_F(PObjPathTest, SameAndInside) {
  EXPECT_EQ(Int(PathAt("D:\\A\\f.txt"), P::IS_SAME, PathAt("d:\\a\\F.TXT")), 1);
  EXPECT_EQ(Int(PathAt("D:\\A\\f.txt"), P::IS_SAME, PathAt("D:\\A\\f.txt\\")), 0);
  EXPECT_EQ(Int(PathAt("a?"), P::IS_SAME, PathAt("a?")), 0) << "both must be valid";
  EXPECT_EQ(Int(PathAt("D:\\A\\f.txt"), P::IS_SAME, nullptr), kUnset);
  PObjPath* folder = NewObject<PObjPath>();
  Int(folder, P::SET_FOLDER, "D:\\a");
  struct Case {
    const char* other;
    int64_t deeper;
    int64_t inside;
  };
  const Case cases[] = {{"D:\\a\\b\\c.txt", 0, 1}, {"D:\\b\\c.txt", 0, 0}, {"D:\\a\\c.txt", 0, 1},
                        {"D:\\a\\c.txt", 1, 0},    {"D:\\a\\b\\c.txt", 1, 1}, {"D:\\A\\", 0, 1},
                        {"\\\\D\\a\\c.txt", 0, 0}};
  for (const Case& c : cases) EXPECT_EQ(Int(folder, P::IS_INSIDE, PathAt(c.other), c.deeper), c.inside) << c.other;
  EXPECT_EQ(Int(folder, P::IS_INSIDE, nullptr), kUnset);
}

// Each edit builds the new text on a copy and takes it over only when it
// makes a valid path; otherwise the path stays as it was.
TEST_F(PObjPathTest, EditsTakeOverOnlyValidPaths) {
  struct Case {
    const char* from;
    P::Member member;
    const char* argument;
    int64_t done;
    const char* to;
  };
  const Case cases[] = {
      {"D:\\a\\b\\file.TXT", P::SET_NAME, "new.doc", 1, "D:\\a\\b\\new.doc"},
      {"D:\\a\\b\\file.TXT", P::SET_NAME, "x\\y", 0, "D:\\a\\b\\file.TXT"},
      {"D:\\a\\b\\file.TXT", P::SET_NAME, "bad\tname", 0, "D:\\a\\b\\file.TXT"},
      {"D:\\d\\n.doc", P::SET_EXTENSION, ".txt", 1, "D:\\d\\n.txt"},
      {"D:\\d\\n.doc", P::SET_EXTENSION, "txt", 1, "D:\\d\\n.txt"},
      {"D:\\d\\n.doc", P::SET_EXTENSION, "", 1, "D:\\d\\n"},
      {"D:\\d\\n.doc", P::SET_EXTENSION, "a/b", 0, "D:\\d\\n.doc"},
      {"D:\\d\\Old.TXT", P::SET_TITLE, "New", 1, "D:\\d\\New.txt"},
      {"D:\\d\\Old.TXT", P::SET_TITLE, "N?", 0, "D:\\d\\Old.TXT"},
      {"D:\\a\\b\\file.TXT", P::SET_FOLDER_PART, "x\\y", 1, "D:\\x\\y\\file.TXT"},
      {"D:\\a\\b\\file.TXT", P::SET_FOLDER_PART, "x*", 0, "D:\\a\\b\\file.TXT"},
      {"D:\\a\\b\\file.TXT", P::SET_ROOT, "E:\\", 1, "E:\\a\\b\\file.TXT"},
      {"D:\\a\\b\\file.TXT", P::SET_ROOT, "E:", 0, "D:\\a\\b\\file.TXT"},
      {"D:\\a\\b\\file.TXT", P::SET_ROOT, "\\\\srv\\", 1, "\\\\srv\\a\\b\\file.TXT"},
      {"a?", P::SET_NAME, "x", 0, ""},
  };
  for (const Case& c : cases) {
    PObjPath* p = PathAt(c.from);
    EXPECT_EQ(Int(p, c.member, c.argument), c.done) << c.from << " " << c.member << " " << c.argument;
    EXPECT_EQ(Full(p), c.to) << c.from << " " << c.member << " " << c.argument;
  }
  PObjPath* p = PathAt("D:\\a\\b\\file.TXT");
  EXPECT_EQ(Int(p, P::REMOVE_EXTENSION), 1);
  EXPECT_EQ(Full(p), "D:\\a\\b\\file");
  EXPECT_EQ(Int(PathAt("a?"), P::REMOVE_EXTENSION), 0);
  EXPECT_EQ(Int(p, P::SET_ROOT, "D:\\"), 1);
  EXPECT_EQ(Int(p, P::GET_KIND), 1);
  EXPECT_EQ(Int(p, P::SET_ROOT, "\\\\srv\\"), 1);
  EXPECT_EQ(Int(p, P::GET_KIND), 2) << "a new root may change the kind";
}

}  // namespace
