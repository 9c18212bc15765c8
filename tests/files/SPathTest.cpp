#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/SStringArray.h"
#include "files/SPath.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// ---- The process's current directory, as Windows names it ---------------------
//
// The host build sees the host's directories on drive Z:, as Wine does.

std::string CurrentFolder() {
#ifdef _WIN32
  char buffer[1024];
  DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  return std::string(buffer, n);
#else
  char buffer[4096];
  std::string folder = std::string("Z:") + getcwd(buffer, sizeof buffer);
  for (char& c : folder)
    if (c == '/') c = '\\';
  return folder;
#endif
}

// Changes to the root of the current drive; restores the folder when done.
class AtDriveRoot {
 public:
  AtDriveRoot() {
#ifdef _WIN32
    GetCurrentDirectoryA(sizeof m_saved, m_saved);
    SetCurrentDirectoryA("\\");
#else
    if (!getcwd(m_saved, sizeof m_saved)) m_saved[0] = 0;
    EXPECT_EQ(chdir("/"), 0);
#endif
  }
  ~AtDriveRoot() {
#ifdef _WIN32
    SetCurrentDirectoryA(m_saved);
#else
    EXPECT_EQ(chdir(m_saved), 0);
#endif
  }

 private:
  char m_saved[4096];
};

std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

std::string ParentOf(const std::string& folder) {
  std::string body = folder;
  if (body.size() > 3 && body.back() == '\\') body.pop_back();
  size_t cut = body.rfind('\\');
  return cut <= 2 ? body.substr(0, 3) : body.substr(0, cut + 1);
}

std::vector<std::string> SplitOf(const SPath& path) {
  SStringArray parts;
  int n = path.Split(parts);
  EXPECT_EQ(n, parts.GetCount());
  std::vector<std::string> result;
  for (int i = 0; i < parts.GetCount(); i++) result.push_back(parts.GetString(i).GetText());
  return result;
}

SPath Folder(const char* text) {
  SPath path;
  path.SetFolder(text);
  return path;
}

// ---- How Set classifies and takes paths apart --------------------------------------

struct Layout {
  const char* text;
  PathKind kind;
  const char* full;
  const char* root;
  const char* folder;
  const char* name;
  const char* title;
  const char* extension;  // with its point, as stored
  int parts;
};

const Layout kLayouts[] = {
    // Drive paths.
    {"D:\\dir\\file.txt", PathKind::LOCAL, "D:\\dir\\file.txt", "D:\\", "dir\\", "file.txt",
     "file", ".txt", 3},
    {"D:\\a\\b\\f.txt", PathKind::LOCAL, "D:\\a\\b\\f.txt", "D:\\", "a\\b\\", "f.txt", "f", ".txt",
     4},
    {"D:/a/b/", PathKind::LOCAL, "D:\\a\\b\\", "D:\\", "a\\b\\", "", "", "", 4},
    {"D:\\", PathKind::LOCAL, "D:\\", "D:\\", "", "", "", "", 2},
    {"D:\\a\\..\\b\\.\\c.TXT", PathKind::LOCAL, "D:\\b\\c.TXT", "D:\\", "b\\", "c.TXT", "c",
     ".TXT", 3},
    {"D:\\x\\archive.tar.gz", PathKind::LOCAL, "D:\\x\\archive.tar.gz", "D:\\", "x\\",
     "archive.tar.gz", "archive.tar", ".gz", 3},
    {"D:\\x\\.profile", PathKind::LOCAL, "D:\\x\\.profile", "D:\\", "x\\", ".profile", "",
     ".profile", 3},
    {"D:\\x\\README", PathKind::LOCAL, "D:\\x\\README", "D:\\", "x\\", "README", "README", "", 3},
    {"D:\\caf\xE9\\\xFC" "ber.txt", PathKind::LOCAL, "D:\\caf\xE9\\\xFC" "ber.txt", "D:\\",
     "caf\xE9\\", "\xFC" "ber.txt", "\xFC" "ber", ".txt", 3},
    {"D:\\a|b\\c:d", PathKind::LOCAL, "D:\\a|b\\c:d", "D:\\", "a|b\\", "c:d", "c:d", "", 3},
    // UNC paths, with either separator after the leading two backslashes.
    {"\\\\server\\share\\f.txt", PathKind::NETWORK, "\\\\server\\share\\f.txt", "\\\\server\\",
     "share\\", "f.txt", "f", ".txt", 3},
    {"\\\\server/share/dir/", PathKind::NETWORK, "\\\\server\\share\\dir\\", "\\\\server\\",
     "share\\dir\\", "", "", "", 4},
    {"\\\\server\\share", PathKind::NETWORK, "\\\\server\\share", "\\\\server\\", "", "share",
     "share", "", 2},
    // A server alone is a root, not a file named after the server.
    {"\\\\server", PathKind::NETWORK, "\\\\server", "\\\\server\\", "", "", "", "", 2},
    // Two slashes are no UNC text, but the platform makes a UNC path of them.
    {"//server/share/f.txt", PathKind::NETWORK, "\\\\server\\share\\f.txt", "\\\\server\\",
     "share\\", "f.txt", "f", ".txt", 3},
    // URLs, kept as written apart from their separators.
    {"scheme://server/a/b.html", PathKind::INTERNET, "scheme://server/a/b.html",
     "scheme://server/", "a/", "b.html", "b", ".html", 3},
    {"scheme:\\\\server\\a", PathKind::INTERNET, "scheme://server/a", "scheme://server/", "", "a",
     "a", "", 2},
    {"http://example.com/", PathKind::INTERNET, "http://example.com/", "http://example.com/", "",
     "", "", "", 2},
    {"http://example.com", PathKind::INTERNET, "http://example.com", "http://example.com/", "",
     "", "", "", 2},
    {"ftp://host/x//y.Z", PathKind::INTERNET, "ftp://host/x//y.Z", "ftp://host/", "x//", "y.Z",
     "y", ".Z", 4},
    {"a://b/../c", PathKind::INTERNET, "a://b/../c", "a://b/", "../", "c", "c", "", 3},
};

TEST(SPathLayoutTest, TableOfDriveUncAndUrlForms) {
  for (const Layout& c : kLayouts) {
    SCOPED_TRACE(c.text);
    SPath path;
    EXPECT_EQ(path.Set(c.text), c.kind);
    EXPECT_EQ(path.GetKind(), c.kind);
    EXPECT_STREQ(path.GetFullPath().GetText(), c.full);
    EXPECT_STREQ(path.GetRoot().GetText(), c.root);
    EXPECT_STREQ(path.GetFolder().GetText(), c.folder);
    EXPECT_STREQ(path.GetFolderWithRoot().GetText(), (std::string(c.root) + c.folder).c_str());
    EXPECT_STREQ(path.GetName().GetText(), c.name);
    EXPECT_STREQ(path.GetTitle().GetText(), c.title);
    EXPECT_STREQ(path.GetExtension(true, false).GetText(), c.extension);
    EXPECT_STREQ(path.GetExtension(false, false).GetText(),
                 *c.extension ? c.extension + 1 : "");
    EXPECT_EQ(path.CountParts(), c.parts);
    EXPECT_EQ(path.CountFolders(), c.parts - 2);
    bool named = *c.name != 0, foldered = *c.folder != 0;
    EXPECT_EQ(path.IsFile(), named);
    EXPECT_EQ(path.IsFolder(), !named && foldered);
    EXPECT_EQ(path.IsRoot(), !named && !foldered);
    EXPECT_EQ(path.IsFileSystem(), c.kind != PathKind::INTERNET);
    // The parts put together again give the full path (a server alone
    // gains its root's separator).
    std::string joined;
    for (const std::string& part : SplitOf(path)) joined += part;
    if (path.IsRoot() && joined.size() == strlen(c.full) + 1) joined.pop_back();
    EXPECT_EQ(joined, c.full);
  }
}

TEST(SPathLayoutTest, SchemeOnlyForUrls) {
  EXPECT_STREQ(SPath("scheme://server/a.html").GetScheme().GetText(), "scheme://");
  EXPECT_STREQ(SPath("ftp://a/b://c").GetScheme().GetText(), "ftp://");
  EXPECT_STREQ(SPath("D:\\a.html").GetScheme().GetText(), "");
  EXPECT_STREQ(SPath("\\\\s\\a").GetScheme().GetText(), "");
}

TEST(SPathLayoutTest, ExtensionLowerCasedOnRequest) {
  SPath path("D:\\d\\Name.TxT");
  EXPECT_STREQ(path.GetExtension(true, true).GetText(), ".txt");
  EXPECT_STREQ(path.GetExtension(false, true).GetText(), "txt");
  EXPECT_STREQ(path.GetExtension(false, false).GetText(), "TxT");
}

TEST(SPathSetTest, InvalidTexts) {
  const char* texts[] = {"a*b", "x?", "D:\\a\"b", "D:\\<x>", "D:\\a\tb", "D:\\a\x01",
                         "a:b://c", "scheme:/x://y"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    SPath path("D:\\before.txt");
    EXPECT_EQ(path.Set(text), PathKind::INVALID);
    EXPECT_FALSE(path.IsValid());
    EXPECT_STREQ(path.GetFullPath().GetText(), "");
    EXPECT_STREQ(path.GetRoot().GetText(), "");
    EXPECT_STREQ(path.GetName().GetText(), "");
    EXPECT_STREQ(path.GetParent().GetText(), "");
    EXPECT_EQ(path.CountParts(), 0);
    EXPECT_EQ(path.CountFolders(), 0);
    EXPECT_FALSE(path.IsFile() || path.IsFolder() || path.IsRoot());
  }
}

TEST(SPathSetTest, EmptyAndNullClearThePath) {
  SPath path("D:\\x.txt");
  EXPECT_EQ(path.Set(""), PathKind::INVALID);
  EXPECT_STREQ(path.GetFullPath().GetText(), "");
  path.Set("D:\\x.txt");
  EXPECT_EQ(path.Set(nullptr), PathKind::INVALID);
  EXPECT_EQ(path.SetFolder(nullptr), PathKind::INVALID);
  EXPECT_EQ(SPath().GetKind(), PathKind::INVALID);
}

TEST(SPathSetTest, TextTests) {
  EXPECT_TRUE(SPath::IsUrlText("a://b"));
  EXPECT_TRUE(SPath::IsUrlText("x\\y://"));
  EXPECT_FALSE(SPath::IsUrlText("://b"));
  EXPECT_FALSE(SPath::IsUrlText("a:/b"));
  EXPECT_FALSE(SPath::IsUrlText(nullptr));
  EXPECT_TRUE(SPath::IsUncText("\\\\s"));
  EXPECT_FALSE(SPath::IsUncText("//s"));
  EXPECT_FALSE(SPath::IsUncText("\\s"));
  EXPECT_FALSE(SPath::IsUncText(nullptr));
}

TEST(SPathSetTest, RelativeTextsResolveAgainstTheCurrentFolder) {
  const std::string current = CurrentFolder();
  const std::string here = WithSeparator(current);
  struct Case {
    const char* text;
    std::string full;
  } cases[] = {
      {"f.txt", here + "f.txt"},
      {"sub\\f.txt", here + "sub\\f.txt"},
      {"sub/deeper/", here + "sub\\deeper\\"},
      {".", here},
      {"..", WithSeparator(ParentOf(current))},
      {"..\\x.txt", WithSeparator(ParentOf(current)) + "x.txt"},
      // A last piece of "." or ".." names a folder however the text gets there.
      {"sub\\..", here},
      {"sub/.", here + "sub\\"},
      {"\\rooted\\f.txt", current.substr(0, 2) + "\\rooted\\f.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SPath path;
    EXPECT_EQ(path.Set(c.text), PathKind::LOCAL);
    EXPECT_STREQ(path.GetFullPath().GetText(), c.full.c_str());
  }
  EXPECT_TRUE(SPath(".").IsFolder() || SPath(".").IsRoot());
}

TEST(SPathSetTest, DotAtADriveRootGetsNoSecondSeparator) {
  AtDriveRoot root;
  SPath path(".");
  EXPECT_EQ(path.GetFullPath().GetLength(), 3);
  EXPECT_STREQ(path.GetFullPath().Right(2).GetText(), ":\\");
  EXPECT_TRUE(path.IsRoot());
  EXPECT_STREQ(SPath("..").GetFullPath().GetText(), path.GetFullPath().GetText());
}

TEST(SPathSetTest, PathsLongerThanTheBufferAreRefused) {
  // The platform's ANSI calls stop well short of the buffer; either limit
  // gives INVALID.
  std::string fits = "D:\\" + std::string(200, 'a');
  std::string tooLong = "D:\\" + std::string(1100, 'a');
  SPath path;
  EXPECT_EQ(path.Set(fits.c_str()), PathKind::LOCAL);
  EXPECT_EQ(path.Set(tooLong.c_str()), PathKind::INVALID);
  EXPECT_STREQ(path.GetFullPath().GetText(), "");
}

TEST(SPathSetTest, SetFolderAppendsTheSeparator) {
  struct Case {
    const char* text;
    const char* full;
    PathKind kind;
  } cases[] = {
      {"D:\\x", "D:\\x\\", PathKind::LOCAL},
      {"D:\\x\\", "D:\\x\\", PathKind::LOCAL},
      {"D:/x/", "D:\\x\\", PathKind::LOCAL},
      {"\\\\srv\\share", "\\\\srv\\share\\", PathKind::NETWORK},
      {"http://h/a", "http://h/a/", PathKind::INTERNET},
      {"http://h/a/", "http://h/a/", PathKind::INTERNET},
      {"x*", "", PathKind::INVALID},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SPath path;
    EXPECT_EQ(path.SetFolder(c.text), c.kind);
    EXPECT_STREQ(path.GetFullPath().GetText(), c.full);
    EXPECT_EQ(path.IsFolder(), c.kind != PathKind::INVALID);
  }
}

// ---- The trailing-separator flag ------------------------------------------------------

TEST(SPathFlagTest, FolderTextsWithAndWithoutTheirSeparator) {
  SPath path = Folder("D:\\x");
  EXPECT_TRUE(path.SetNoTrailingSeparator(true));  // answers the previous flag
  EXPECT_FALSE(path.SetNoTrailingSeparator(true));
  EXPECT_STREQ(path.GetFullPath().GetText(), "D:\\x");
  EXPECT_STREQ(path.GetFolder().GetText(), "x");
  EXPECT_STREQ(path.GetFolderWithRoot().GetText(), "D:\\x");
  EXPECT_STREQ(path.GetRoot().GetText(), "D:\\");
  EXPECT_TRUE(path.IsFolder());

  SPath root("D:\\");
  root.SetNoTrailingSeparator(true);
  EXPECT_STREQ(root.GetFullPath().GetText(), "D:\\");  // a root keeps its separator

  SPath file("D:\\a\\b\\f.txt");
  file.SetNoTrailingSeparator(true);
  EXPECT_STREQ(file.GetFullPath().GetText(), "D:\\a\\b\\f.txt");
  EXPECT_STREQ(file.GetFolder().GetText(), "a\\b");
  EXPECT_STREQ(file.GetParent().GetText(), "D:\\a\\b");
  EXPECT_FALSE(file.SetNoTrailingSeparator(false));
  EXPECT_STREQ(file.GetFolder().GetText(), "a\\b\\");
}

TEST(SPathFlagTest, FolderOrRootWhateverTheFlag) {
  // A folder part that is one empty piece shows as "" without separators,
  // and is a folder all the same.
  SPath path("http://h//");
  path.SetNoTrailingSeparator(true);
  EXPECT_STREQ(path.GetFolder().GetText(), "");
  EXPECT_TRUE(path.IsFolder());
  EXPECT_FALSE(path.IsRoot());
  EXPECT_EQ(path.CountFolders(), 1);
}

// ---- Queries on the folder part ---------------------------------------------------------

TEST(SPathQueryTest, Parent) {
  struct Case {
    const char* text;
    bool separators;
    const char* parent;
  } cases[] = {
      {"D:\\a\\b\\", true, "D:\\a\\"},     {"D:\\a\\b\\", false, "D:\\a"},
      {"D:\\a\\", true, "D:\\"},           {"D:\\a\\", false, "D:\\"},
      {"D:\\", true, ""},                  {"D:\\a\\f.txt", true, "D:\\a\\"},
      {"D:\\f.txt", true, "D:\\"},         {"http://h/a/b/", true, "http://h/a/"},
      {"\\\\s\\share\\", true, "\\\\s\\"}, {"http://h", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SPath path(c.text);
    path.SetNoTrailingSeparator(!c.separators);
    EXPECT_STREQ(path.GetParent().GetText(), c.parent);
  }
}

TEST(SPathQueryTest, LastFolderName) {
  SPath path("D:\\a\\b\\f.txt");
  EXPECT_STREQ(path.GetLastFolderName(false).GetText(), "b\\");
  EXPECT_STREQ(path.GetLastFolderName(true).GetText(), "b");
  path.SetNoTrailingSeparator(true);
  EXPECT_STREQ(path.GetLastFolderName(false).GetText(), "b");
  EXPECT_STREQ(SPath("http://h/x/y/").GetLastFolderName(false).GetText(), "y/");
  EXPECT_STREQ(SPath("D:\\f.txt").GetLastFolderName(false).GetText(), "");
  EXPECT_STREQ(SPath("D:\\").GetLastFolderName(true).GetText(), "");
}

TEST(SPathQueryTest, FolderAt) {
  SPath path("D:\\a\\b\\f.txt");
  EXPECT_STREQ(path.GetFolderAt(0, false).GetText(), "a\\");
  EXPECT_STREQ(path.GetFolderAt(1, false).GetText(), "b\\");
  EXPECT_STREQ(path.GetFolderAt(1, true).GetText(), "b");
  EXPECT_STREQ(path.GetFolderAt(2, false).GetText(), "");  // the name is no folder
  EXPECT_STREQ(path.GetFolderAt(-1, false).GetText(), "");
  // Cutting is asked for explicitly, so it holds whatever the flag.
  path.SetNoTrailingSeparator(true);
  EXPECT_STREQ(path.GetFolderAt(0, true).GetText(), "a");
  EXPECT_STREQ(path.GetFolderAt(0, false).GetText(), "a\\");
  EXPECT_STREQ(SPath("http://h/x//y").GetFolderAt(1, true).GetText(), "");
}

TEST(SPathQueryTest, SplitLists) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitOf(SPath("D:\\a\\b\\f.txt")), (V{"D:\\", "a\\", "b\\", "f.txt"}));
  EXPECT_EQ(SplitOf(SPath("D:\\a\\")), (V{"D:\\", "a\\", ""}));
  EXPECT_EQ(SplitOf(SPath("D:\\")), (V{"D:\\", ""}));
  EXPECT_EQ(SplitOf(SPath("ftp://h/x//y")), (V{"ftp://h/", "x/", "/", "y"}));
  EXPECT_EQ(SplitOf(SPath("\\\\srv")), (V{"\\\\srv\\", ""}));
  EXPECT_EQ(SplitOf(SPath("a*")), V{});
  // The flag does not change the parts; Split appends to what is there.
  SPath folder("D:\\a\\");
  folder.SetNoTrailingSeparator(true);
  SStringArray parts;
  parts.Add("kept");
  EXPECT_EQ(folder.Split(parts), 3);
  EXPECT_EQ(parts.GetCount(), 4);
  EXPECT_STREQ(parts.GetString(2).GetText(), "a\\");
}

TEST(SPathQueryTest, Parts) {
  SPath path("D:\\a\\b\\f.txt");
  struct Case {
    int start, count;
    bool withoutName;
    char separator;
    const char* result;
  } cases[] = {
      {1, -1, false, '/', "a/b/f.txt"},   {0, -1, true, '\\', "D:\\a\\b\\"},
      {0, -1, false, '/', "D:/a/b/f.txt"}, {1, 1, false, '\\', "a\\"},
      {2, 100, false, '\\', "b\\f.txt"},  {2, 2, true, '|', "b|"},
      {1, 2, true, '\\', "a\\b\\"},       {3, -1, true, '\\', ""},
      {3, 1, false, '\\', "f.txt"},       {-1, -1, false, '\\', ""},
      {0, 0, false, '\\', ""},            {4, -1, false, '\\', ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << "," << c.count << "," << c.withoutName);
    EXPECT_STREQ(path.GetParts(c.start, c.count, c.withoutName, c.separator).GetText(), c.result);
  }
  EXPECT_STREQ(SPath("http://h/a/b").GetParts(1, -1, false, '\\').GetText(), "a\\b");
  EXPECT_STREQ(SPath("a*").GetParts(0, -1, false, '\\').GetText(), "");
}

// ---- Comparisons ------------------------------------------------------------------------

TEST(SPathCompareTest, EqualsIgnoresAsciiCase) {
  EXPECT_TRUE(SPath("D:\\A\\f.txt").Equals(SPath("d:\\a\\F.TXT")));
  EXPECT_TRUE(SPath("D:/a/").Equals(SPath("D:\\A\\")));
  EXPECT_TRUE(SPath("http://H/a").Equals(SPath("HTTP://h/A")));
  EXPECT_TRUE(SPath("http://h").Equals(SPath("http://h/")));
  EXPECT_FALSE(SPath("D:\\a\\").Equals(SPath("D:\\a")));            // folder against file
  EXPECT_FALSE(SPath("D:\\a\\f").Equals(SPath("D:\\a\\f\\g")));
  EXPECT_FALSE(SPath("D:\\\xC9").Equals(SPath("D:\\\xE9")));      // ASCII letters only
  EXPECT_FALSE(SPath("\\\\s\\a").Equals(SPath("http://s/a")));      // kinds differ
  EXPECT_FALSE(SPath("a*").Equals(SPath("a*")));                     // invalid is never equal
}

TEST(SPathCompareTest, Contains) {
  struct Case {
    const char* outer;
    const char* inner;
    bool contains, strictly;
  } cases[] = {
      {"D:\\a\\", "D:\\a\\f.txt", true, false},
      {"D:\\a\\", "D:\\a\\", true, false},
      {"D:\\a\\", "D:\\a\\b\\f.txt", true, true},
      {"D:\\A\\", "d:\\a\\b\\", true, true},
      {"D:\\a\\", "D:\\", false, false},
      {"D:\\a\\", "D:\\ab\\f.txt", false, false},
      {"D:\\", "D:\\x\\y", true, true},
      {"D:\\", "E:\\x\\y", false, false},
      {"http://h/a/", "http://h/a/b/c", true, true},
      {"http://h/a/", "D:\\a\\b\\c", false, false},
      {"a*", "D:\\a", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.outer << " / " << c.inner);
    EXPECT_EQ(SPath(c.outer).Contains(SPath(c.inner), false), c.contains);
    EXPECT_EQ(SPath(c.outer).Contains(SPath(c.inner), true), c.strictly);
  }
}

// ---- Editing ----------------------------------------------------------------------------

enum class Edit { ROOT, FOLDER, NAME, TITLE, EXTENSION, NO_EXTENSION };

bool Apply(SPath& path, Edit edit, const char* argument) {
  switch (edit) {
    case Edit::ROOT: return path.SetRoot(argument);
    case Edit::FOLDER: return path.ReplaceFolder(argument);
    case Edit::NAME: return path.SetName(argument);
    case Edit::TITLE: return path.SetTitle(argument);
    case Edit::EXTENSION: return path.SetExtension(argument);
    case Edit::NO_EXTENSION: return path.RemoveExtension();
  }
  return false;
}

TEST(SPathEditTest, TableOfEdits) {
  struct Case {
    const char* path;
    Edit edit;
    const char* argument;
    bool done;
    const char* full;  // afterwards; the old path when the edit fails
  } cases[] = {
      {"D:\\d\\n.doc", Edit::EXTENSION, ".txt", true, "D:\\d\\n.txt"},
      {"D:\\d\\n.doc", Edit::EXTENSION, "txt", true, "D:\\d\\n.txt"},
      {"D:\\d\\n.doc", Edit::EXTENSION, "", true, "D:\\d\\n"},
      {"D:\\d\\n.doc", Edit::EXTENSION, ".", true, "D:\\d\\n"},
      {"D:\\d\\n", Edit::EXTENSION, "TXT", true, "D:\\d\\n.TXT"},
      {"D:\\d\\n.doc", Edit::EXTENSION, "a/b", false, "D:\\d\\n.doc"},
      {"D:\\d\\n.doc", Edit::EXTENSION, "a:b", false, "D:\\d\\n.doc"},
      {"D:\\d\\n.doc", Edit::EXTENSION, nullptr, false, "D:\\d\\n.doc"},
      {"D:\\d\\n.doc", Edit::NO_EXTENSION, nullptr, true, "D:\\d\\n"},
      {"D:\\d\\Old.TXT", Edit::TITLE, "New", true, "D:\\d\\New.txt"},
      {"D:\\d\\Old", Edit::TITLE, "New", true, "D:\\d\\New"},
      {"D:\\d\\Old.txt", Edit::TITLE, "a\\b", false, "D:\\d\\Old.txt"},
      {"D:\\d\\n.doc", Edit::NAME, "x.y", true, "D:\\d\\x.y"},
      {"D:\\d\\n.doc", Edit::NAME, "", true, "D:\\d\\"},
      {"D:\\d\\n.doc", Edit::NAME, "a?", false, "D:\\d\\n.doc"},
      {"http://h/a/b.html", Edit::NAME, "c.html", true, "http://h/a/c.html"},
      {"D:\\d\\n.doc", Edit::ROOT, "E:\\", true, "E:\\d\\n.doc"},
      {"D:\\d\\n.doc", Edit::ROOT, "\\\\srv\\", true, "\\\\srv\\d\\n.doc"},
      {"D:\\d\\n.doc", Edit::ROOT, "E:", false, "D:\\d\\n.doc"},
      {"D:\\d\\n.doc", Edit::ROOT, "E:/", false, "D:\\d\\n.doc"},
      {"D:\\d\\n.doc", Edit::ROOT, "E:\\<\\", false, "D:\\d\\n.doc"},
      {"D:\\d\\n.doc", Edit::FOLDER, "x\\y", true, "D:\\x\\y\\n.doc"},
      {"D:\\d\\n.doc", Edit::FOLDER, "x/y/", true, "D:\\x\\y\\n.doc"},
      {"D:\\d\\n.doc", Edit::FOLDER, "", true, "D:\\n.doc"},
      {"D:\\d\\", Edit::FOLDER, "e", true, "D:\\e\\"},
      {"http://h/a/b.html", Edit::FOLDER, "x", true, "http://h/x/b.html"},
      {"D:\\d\\n.doc", Edit::FOLDER, "a*", false, "D:\\d\\n.doc"},
      {"D:\\d\\n.doc", Edit::FOLDER, nullptr, false, "D:\\d\\n.doc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.path << " " << int(c.edit) << " "
                                    << (c.argument ? c.argument : "(null)"));
    SPath path(c.path);
    EXPECT_EQ(Apply(path, c.edit, c.argument), c.done);
    EXPECT_STREQ(path.GetFullPath().GetText(), c.full);
    EXPECT_TRUE(path.IsValid());
  }
}

TEST(SPathEditTest, SetRootCanChangeTheKind) {
  SPath path("D:\\d\\n.doc");
  ASSERT_TRUE(path.SetRoot("\\\\srv\\"));
  EXPECT_TRUE(path.IsNetwork());
  EXPECT_STREQ(path.GetRoot().GetText(), "\\\\srv\\");
}

TEST(SPathEditTest, InvalidPathsAreNeverEdited) {
  SPath path("a*");
  for (Edit edit : {Edit::ROOT, Edit::FOLDER, Edit::NAME, Edit::TITLE, Edit::EXTENSION,
                    Edit::NO_EXTENSION}) {
    EXPECT_FALSE(Apply(path, edit, "E:\\"));
    EXPECT_FALSE(path.IsValid());
  }
}

TEST(SPathEditTest, FolderWithSeparatorsOffKeepsItsLastFolder) {
  // Whether folder texts show their separator must not decide what an edit
  // takes as the name.
  SPath path("D:\\a\\b\\");
  path.SetNoTrailingSeparator(true);
  ASSERT_TRUE(path.SetName("f.txt"));
  EXPECT_STREQ(path.GetFullPath().GetText(), "D:\\a\\b\\f.txt");
  EXPECT_STREQ(path.GetFolder().GetText(), "a\\b");  // the flag stays cleared

  SPath folder("D:\\a\\b\\");
  folder.SetNoTrailingSeparator(true);
  ASSERT_TRUE(folder.SetRoot("E:\\"));
  EXPECT_TRUE(folder.IsFolder());
  EXPECT_STREQ(folder.GetFolderWithRoot().GetText(), "E:\\a\\b");
}

TEST(SPathEditTest, CopyToMakesAnEqual) {
  SPath source("D:\\x\\");
  source.SetNoTrailingSeparator(true);
  SPath target;
  target.SetNoTrailingSeparator(false);
  source.CopyTo(target);
  EXPECT_TRUE(target.Equals(source));
  EXPECT_TRUE(target.IsFolder());
  EXPECT_STREQ(target.GetFullPath().GetText(), "D:\\x\\");  // its own flag stays on
  SPath invalid("a*");
  invalid.CopyTo(target);
  EXPECT_FALSE(target.IsValid());
}

TEST(SPathEditTest, AssignAndConstructFromText) {
  SPath path;
  EXPECT_STREQ(path.Assign("D:\\q.txt").GetName().GetText(), "q.txt");
  EXPECT_TRUE(SPath::ConstructFromText("\\\\s\\x").IsNetwork());
}

}  // namespace
