// SDisk's listing and folder trees, on small trees in a scratch folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/SStringArray.h"
#include "files/SDisk.h"
#include "tests/files/ScratchFolder.h"

namespace {

using Names = std::vector<std::string>;

Names Sorted(const SStringArray& list) {
  Names names;
  for (int i = 0; i < list.GetCount(); i++) names.push_back(list.GetAt(i)->GetText());
  std::sort(names.begin(), names.end());
  return names;
}

// The tree, under the folder "root":
//   a.txt  b.dat  h.txt (hidden)
//   empty                     nothing
//   full\c.txt                files only
//   nested\deep\d.txt         a subfolder only
class SDiskTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.MakeFolder("root");
    tree.MakeFile("root\\a.txt", "alpha");
    tree.MakeFile("root\\b.dat", "bravo");
    tree.MakeFile("root\\h.txt", "hidden");
    SetFileAttributesA(tree["root\\h.txt"].c_str(), FILE_ATTRIBUTE_HIDDEN);
    tree.MakeFolder("root\\empty");
    tree.MakeFolder("root\\full");
    tree.MakeFile("root\\full\\c.txt", "charlie");
    tree.MakeFolder("root\\nested");
    tree.MakeFolder("root\\nested\\deep");
    tree.MakeFile("root\\nested\\deep\\d.txt", "delta");
  }

  Names List(const std::string& pattern, int flags, int* result = nullptr) {
    SStringArray list;
    int n = disk.List(&list, tree[pattern].c_str(), flags);
    EXPECT_EQ(n, list.GetCount()) << pattern;
    if (result) *result = n;
    return Sorted(list);
  }

  std::string R(const std::string& relative) { return tree[relative]; }

  ScratchFolder tree;
  SDisk disk;
};

TEST_F(SDiskTreeTest, StarPatternListsFullPathsAnExactNameItsBareName) {
  EXPECT_EQ(List("root\\*", SDisk::FILES), (Names{R("root\\a.txt"), R("root\\b.dat"), R("root\\h.txt")}));
  EXPECT_EQ(List("root\\*.txt", SDisk::FILES), (Names{R("root\\a.txt"), R("root\\h.txt")}));
  int n = 0;
  EXPECT_EQ(List("root\\a.txt", SDisk::FILES, &n), Names{"a.txt"});
  EXPECT_EQ(n, 1);
  EXPECT_EQ(List("root\\full", SDisk::DIRS), Names{"full\\"});
  EXPECT_EQ(List("root\\full", SDisk::FILES), Names{});
  EXPECT_EQ(List("root\\missing*", SDisk::FILES | SDisk::DIRS), Names{});
}

TEST_F(SDiskTreeTest, FlagsSelectFilesFoldersAndHiddenEntries) {
  EXPECT_EQ(List("root\\*", SDisk::FILES | SDisk::NOHIDDEN), (Names{R("root\\a.txt"), R("root\\b.dat")}));
  EXPECT_EQ(List("root\\*", SDisk::DIRS),
            (Names{R("root\\empty\\"), R("root\\full\\"), R("root\\nested\\")}));
  EXPECT_EQ(List("root\\*", 0), Names{});
  EXPECT_EQ(List("root\\*", SDisk::NOHIDDEN | SDisk::SUBDIRS), Names{});
}

TEST_F(SDiskTreeTest, FolderFiltersJudgeWhatAFolderHoldsDirectly) {
  struct Case {
    int filters;
    Names expected;
  } cases[] = {
      {SDisk::NODIR_FILES, {R("root\\empty\\"), R("root\\nested\\")}},
      {SDisk::NODIR_NOFILES, {R("root\\full\\")}},
      {SDisk::NODIR_SUBDIRS, {R("root\\empty\\"), R("root\\full\\")}},
      {SDisk::NODIR_NOSUBDIRS, {R("root\\nested\\")}},
      {SDisk::NODIR_FILES | SDisk::NODIR_SUBDIRS, {R("root\\empty\\")}},
      // Contradicting filters leave no folder at all.
      {SDisk::NODIR_FILES | SDisk::NODIR_NOFILES, {}},
      {SDisk::NODIR_SUBDIRS | SDisk::NODIR_NOSUBDIRS, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filters);
    EXPECT_EQ(List("root\\*", SDisk::DIRS | c.filters), c.expected);
  }
  // Without DIRS the filters are ignored and the files come all the same.
  EXPECT_EQ(List("root\\*", SDisk::FILES | SDisk::NODIR_FILES | SDisk::NODIR_NOFILES).size(), 3u);
  // The filters apply to an exact folder name too.
  EXPECT_EQ(List("root\\full", SDisk::DIRS | SDisk::NODIR_FILES), Names{});
}

TEST_F(SDiskTreeTest, SubfoldersAreListedOnlyForAStarPattern) {
  int n = 0, files = -1, folders = -1;
  SStringArray list;
  n = disk.List(&list, R("root\\*.*").c_str(), SDisk::SUBDIRS | SDisk::FILES | SDisk::DIRS, &files,
                &folders);
  EXPECT_EQ(Sorted(list),
            (Names{R("root\\a.txt"), R("root\\b.dat"), R("root\\empty\\"), R("root\\full\\"),
                   R("root\\full\\c.txt"), R("root\\h.txt"), R("root\\nested\\"),
                   R("root\\nested\\deep\\"), R("root\\nested\\deep\\d.txt")}));
  EXPECT_EQ(n, 9);
  // The out counts are this level's only.
  EXPECT_EQ(files, 3);
  EXPECT_EQ(folders, 3);

  // The recursion does not depend on the subfolders' names matching.
  EXPECT_EQ(List("root\\*.txt", SDisk::SUBDIRS | SDisk::FILES),
            (Names{R("root\\a.txt"), R("root\\full\\c.txt"), R("root\\h.txt"),
                   R("root\\nested\\deep\\d.txt")}));
  // '?' alone is no reason to recurse, and gives bare names.
  EXPECT_EQ(List("root\\?.txt", SDisk::SUBDIRS | SDisk::FILES), (Names{"a.txt", "h.txt"}));
  // Without a list only the count comes back; the list is appended to.
  EXPECT_EQ(disk.List(nullptr, R("root\\*.*").c_str(), SDisk::SUBDIRS | SDisk::FILES), 5);
  SStringArray appended;
  appended.Add("kept");
  disk.List(&appended, R("root\\a.txt").c_str(), SDisk::FILES);
  EXPECT_EQ(Sorted(appended), (Names{"a.txt", "kept"}));
}

TEST_F(SDiskTreeTest, ExistenceTests) {
  EXPECT_TRUE(disk.FolderExists(R("root\\full").c_str()));
  EXPECT_TRUE(disk.FolderExists(R("root\\full\\").c_str()));
  EXPECT_TRUE(disk.FolderExists(R("root/full/").c_str()));
  EXPECT_FALSE(disk.FolderExists(R("root\\a.txt").c_str()));
  EXPECT_FALSE(disk.FolderExists(R("root\\none").c_str()));
  EXPECT_FALSE(disk.FolderExists(""));
  EXPECT_TRUE(disk.FolderExists("C:\\"));

  EXPECT_TRUE(disk.FileExists(R("root\\a.txt").c_str()));
  EXPECT_FALSE(disk.FileExists(R("root\\a.txt\\").c_str()));
  EXPECT_FALSE(disk.FileExists(R("root\\full").c_str()));
  EXPECT_FALSE(disk.FileExists(R("root\\full\\").c_str()));
  EXPECT_FALSE(disk.FileExists(R("root\\*.txt").c_str()));
  EXPECT_FALSE(disk.FileExists(""));

  EXPECT_TRUE(disk.Exists(R("root\\a.txt").c_str()));
  EXPECT_TRUE(disk.Exists(R("root\\full").c_str()));
  EXPECT_FALSE(disk.Exists(R("root\\zz").c_str()));
}

TEST_F(SDiskTreeTest, CreateFolderMakesParentsOnlyWhenAsked) {
  EXPECT_FALSE(disk.CreateFolder(R("new\\one\\two").c_str(), false));
  EXPECT_FALSE(ScratchFolder::Exists(R("new")));
  EXPECT_TRUE(disk.CreateFolder(R("new\\one\\two").c_str(), true));
  EXPECT_TRUE(ScratchFolder::Exists(R("new\\one\\two")));
  EXPECT_TRUE(disk.CreateFolder(R("new\\one\\two\\").c_str(), false));  // already there
  EXPECT_TRUE(disk.CreateFolder(R("new/three").c_str(), false));
  EXPECT_TRUE(ScratchFolder::Exists(R("new\\three")));
  EXPECT_FALSE(disk.CreateFolder("", true));
  EXPECT_FALSE(disk.CreateFolder(R("root\\a.txt\\x").c_str(), true));  // a file is in the way
  EXPECT_FALSE(disk.CreateFolder(R("bad<name").c_str(), true));
}

TEST_F(SDiskTreeTest, DeleteFolderRemovesThatFolderAndNeverItsParent) {
  for (const char* path : {"root\\nested", "root\\full\\"}) {
    SCOPED_TRACE(path);
    EXPECT_TRUE(disk.DeleteFolder(R(path).c_str(), true));
    EXPECT_FALSE(ScratchFolder::Exists(R(path)));
    EXPECT_TRUE(ScratchFolder::Exists(R("root\\a.txt")));
  }
  EXPECT_EQ(List("root\\*.*", SDisk::SUBDIRS | SDisk::FILES | SDisk::DIRS),
            (Names{R("root\\a.txt"), R("root\\b.dat"), R("root\\empty\\"), R("root\\h.txt")}));

  // Without its contents only an empty folder goes.
  EXPECT_FALSE(disk.DeleteFolder(R("root").c_str(), false));
  EXPECT_TRUE(ScratchFolder::Exists(R("root\\a.txt")));
  EXPECT_TRUE(disk.DeleteFolder(R("root\\empty\\").c_str(), false));
  EXPECT_FALSE(ScratchFolder::Exists(R("root\\empty")));

  EXPECT_TRUE(disk.DeleteFolder(R("root").c_str(), true));
  EXPECT_FALSE(ScratchFolder::Exists(R("root")));
  EXPECT_TRUE(ScratchFolder::Exists(tree.Path()));
  EXPECT_FALSE(disk.DeleteFolder(R("root").c_str(), true));
}

TEST_F(SDiskTreeTest, DeleteFolderStopsAtAFileItCannotDelete) {
  SetFileAttributesA(R("root\\full\\c.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(disk.DeleteFolder(R("root\\full").c_str(), true));
  EXPECT_TRUE(ScratchFolder::Exists(R("root\\full\\c.txt")));
}

TEST_F(SDiskTreeTest, DeleteFolderRefusesNothingAndDriveRoots) {
  EXPECT_FALSE(disk.DeleteFolder("", true));
  EXPECT_FALSE(disk.DeleteFolder("\\", false));
  EXPECT_FALSE(disk.DeleteFolder(nullptr, true));
}

TEST_F(SDiskTreeTest, CopyFolderCopiesEveryFileAndEmptyFolder) {
  ASSERT_TRUE(disk.CopyFolder(R("root").c_str(), R("copy\\of\\root").c_str(), false));
  EXPECT_EQ(List("copy\\of\\root\\*.*", SDisk::SUBDIRS | SDisk::FILES | SDisk::DIRS),
            (Names{R("copy\\of\\root\\a.txt"), R("copy\\of\\root\\b.dat"),
                   R("copy\\of\\root\\empty\\"), R("copy\\of\\root\\full\\"),
                   R("copy\\of\\root\\full\\c.txt"), R("copy\\of\\root\\h.txt"),
                   R("copy\\of\\root\\nested\\"), R("copy\\of\\root\\nested\\deep\\"),
                   R("copy\\of\\root\\nested\\deep\\d.txt")}));
  EXPECT_EQ(ScratchFolder::Read(R("copy\\of\\root\\nested\\deep\\d.txt")), "delta");
  EXPECT_EQ(ScratchFolder::Read(R("copy\\of\\root\\h.txt")), "hidden");

  EXPECT_FALSE(disk.CopyFolder(R("root").c_str(), R("bad<dest").c_str(), false));
  EXPECT_FALSE(disk.CopyFolder(R("bad<source").c_str(), R("copy").c_str(), false));
}

TEST_F(SDiskTreeTest, CopyFolderSkipsFilesWithTheSameWriteTimeWhenAsked) {
  ASSERT_TRUE(disk.CopyFolder(R("root").c_str(), R("copy").c_str(), false));
  // Changed in the copy, with the original's write time kept, so only the
  // times can tell the copy is unchanged.
  HANDLE source = CreateFileA(R("root\\a.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  FILETIME written;
  GetFileTime(source, nullptr, nullptr, &written);
  CloseHandle(source);
  tree.MakeFile("copy\\a.txt", "changed");
  HANDLE copy = CreateFileA(R("copy\\a.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  SetFileTime(copy, nullptr, nullptr, &written);
  CloseHandle(copy);
  tree.MakeFile("copy\\b.dat", "changed");  // a new write time

  ASSERT_TRUE(disk.CopyFolder(R("root").c_str(), R("copy").c_str(), true));
  EXPECT_EQ(ScratchFolder::Read(R("copy\\a.txt")), "changed");
  EXPECT_EQ(ScratchFolder::Read(R("copy\\b.dat")), "bravo");

  ASSERT_TRUE(disk.CopyFolder(R("root").c_str(), R("copy").c_str(), false));
  EXPECT_EQ(ScratchFolder::Read(R("copy\\a.txt")), "alpha");
}

TEST_F(SDiskTreeTest, CopyFolderGoesOnAfterAFailedCopyAndThenSaysSo) {
  ASSERT_TRUE(disk.CopyFolder(R("root").c_str(), R("copy").c_str(), false));
  // A folder where a file is to go: that file can't be copied.
  ASSERT_TRUE(DeleteFileA(R("copy\\a.txt").c_str()));
  tree.MakeFolder("copy\\a.txt");
  ASSERT_TRUE(DeleteFileA(R("copy\\nested\\deep\\d.txt").c_str()));

  EXPECT_FALSE(disk.CopyFolder(R("root").c_str(), R("copy").c_str(), false));
  EXPECT_TRUE(GetFileAttributesA(R("copy\\a.txt").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  // The other files were copied all the same.
  EXPECT_EQ(ScratchFolder::Read(R("copy\\nested\\deep\\d.txt")), "delta");
}

TEST_F(SDiskTreeTest, RenameFolder) {
  EXPECT_TRUE(disk.RenameFolder(R("root\\full\\").c_str(), R("root\\filled").c_str()));
  EXPECT_EQ(ScratchFolder::Read(R("root\\filled\\c.txt")), "charlie");
  EXPECT_FALSE(disk.RenameFolder(R("root\\full").c_str(), R("root\\again").c_str()));
  EXPECT_FALSE(disk.RenameFolder(R("root\\a.txt").c_str(), R("root\\x").c_str()));
}

// A folder link inside the tree that shows a folder outside it.
class SDiskLinkTest : public SDiskTreeTest {
 protected:
  void SetUp() override {
    SDiskTreeTest::SetUp();
    tree.MakeFolder("outside");
    tree.MakeFile("outside\\keep.txt", "keep");
    tree.MakeFolder("outside\\inner");
    tree.MakeFile("outside\\inner\\keep2.txt", "keep2");
    if (!ScratchFolder::MakeFolderLink(R("root\\nested\\link"), R("outside")))
      GTEST_SKIP() << "this system makes no folder links";
  }
  // The link goes before what it shows.
  void TearDown() override {
    std::string link = R("root\\nested\\link");
    if (ScratchFolder::Exists(link)) ScratchFolder::RemoveLink(link);
  }
};

TEST_F(SDiskLinkTest, ListingShowsTheLinkButNeverEntersIt) {
  Names all = List("root\\*.*", SDisk::SUBDIRS | SDisk::FILES | SDisk::DIRS);
  EXPECT_NE(std::find(all.begin(), all.end(), R("root\\nested\\link\\")), all.end());
  for (const std::string& name : all) EXPECT_EQ(name.find("keep"), std::string::npos) << name;
}

TEST_F(SDiskLinkTest, DeletingATreeLeavesWhatALinkShows) {
  bool deleted = disk.DeleteFolder(R("root").c_str(), true);
  EXPECT_EQ(ScratchFolder::Read(R("outside\\keep.txt")), "keep");
  EXPECT_EQ(ScratchFolder::Read(R("outside\\inner\\keep2.txt")), "keep2");
  // Every file of the tree itself is gone. Windows removes the link as a
  // folder and then the tree; Wine can't remove a Unix link to a folder
  // that holds files, and the deletion stops there, saying so.
  for (const char* file : {"root\\a.txt", "root\\full\\c.txt", "root\\nested\\deep\\d.txt"})
    EXPECT_FALSE(ScratchFolder::Exists(R(file))) << file;
  EXPECT_EQ(deleted, !ScratchFolder::Exists(R("root")));
  if (!ScratchFolder::UnderWine()) {
    EXPECT_TRUE(deleted);
  }
}

TEST_F(SDiskLinkTest, CopyingATreeCopiesNothingALinkShows) {
  ASSERT_TRUE(disk.CopyFolder(R("root").c_str(), R("copy").c_str(), false));
  EXPECT_EQ(ScratchFolder::Read(R("copy\\nested\\deep\\d.txt")), "delta");
  EXPECT_FALSE(ScratchFolder::Exists(R("copy\\nested\\link")));
}

}  // namespace
