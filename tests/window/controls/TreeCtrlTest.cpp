// The tree control as its users meet it: a real tree view on a parent on
// screen, its events as the parent receives them, check boxes, searches,
// copies and moves, and tree files read from memory fixtures.
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "../InputTesting.h"
#include "../WindowTesting.h"
#include "ControlTesting.h"
#include "files/SDisk.h"
#include "files/SFileMem.h"
#include "files/SKeyboard.h"
#include "window/controls/STreeCtrl.h"

namespace {

const UINT kTreeBase = 0x8CF8;  // event 0 of the tree family
UINT TreeEvent(int event) { return kTreeBase + event; }

class TreeCtrl : public ParentOnScreen<TreeCtrl> {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, parent.GetHwnd());
    parent.Forget();
    copied.clear();
    deleted.clear();
    parent.handler = [this](UINT message, WPARAM, LPARAM lparam, LRESULT*) {
      if (message == TreeEvent(12) || message == TreeEvent(13))
        copied.push_back(*reinterpret_cast<TreeCopiedRecord*>(lparam));
      if (message == TreeEvent(14)) deleted.push_back(*reinterpret_cast<TreeDeletedRecord*>(lparam));
      return false;
    };
    RECT rect = {10, 10, 170, 250};
    ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_CHECKBOXES, 0,
                            &rect, parent.GetHwnd(), 11));
  }
  void TearDown() override { parent.handler = nullptr; }

  HTREEITEM Add(const char* text, HTREEITEM under = nullptr, uint32_t value = 0) {
    return tree.InsertItem(text, -1, -1, under, TVI_LAST, value);
  }
  // The texts of the whole tree in pre-order, each indented by its level.
  std::string Outline(STreeCtrl& which) {
    std::string out;
    int level = 0;
    for (HTREEITEM item = which.GetChildItem(nullptr); item; item = which.GetNextInOrder(item, &level)) {
      out += std::string(level, '.') + which.GetItemText(item).GetText() + " ";
    }
    return out;
  }
  static void Put(SFileMem& file, const std::string& text) {
    file.Write(text.data(), int(text.size()));
    file.Rewind();
  }

  STreeCtrl tree;
  std::vector<TreeCopiedRecord> copied;
  std::vector<TreeDeletedRecord> deleted;
};

TEST_F(TreeCtrl, ItemsAreInsertedReadAndFoundByTextValueAndPath) {
  char name[32] = {};
  GetClassNameA(tree.GetHwnd(), name, sizeof name);
  EXPECT_STREQ("SysTreeView32", name);
  EXPECT_EQ(45, tree.GetType());
  EXPECT_TRUE(tree.GetStyle() & TVS_DISABLEDRAGDROP);

  HTREEITEM music = Add("Music", nullptr, 1);
  HTREEITEM jazz = Add("Jazz", music, 2);
  HTREEITEM miles = Add("Miles", jazz, 3);
  HTREEITEM rock = Add("Rock", music, 4);
  HTREEITEM books = Add("Books", nullptr, 5);
  ASSERT_TRUE(music && jazz && miles && rock && books);
  EXPECT_EQ(5, tree.GetCount());
  EXPECT_EQ(3u, tree.GetItemData(miles));
  EXPECT_EQ(2, tree.GetLevel(miles));
  EXPECT_EQ(-1, tree.GetLevel(nullptr));
  EXPECT_EQ(1, tree.GetSiblingIndex(rock));
  EXPECT_EQ(rock, tree.GetLastSibling(jazz));
  EXPECT_EQ(rock, tree.GetChildAt(1, music));
  EXPECT_EQ(nullptr, tree.GetChildAt(2, music));
  EXPECT_EQ(3, tree.GetChildCount(music, true));
  EXPECT_EQ(2, tree.GetChildCount(music, false));
  EXPECT_TRUE(tree.IsDescendant(music, miles, true));
  EXPECT_FALSE(tree.IsDescendant(music, miles, false));

  // Letter case counts only when asked to.
  EXPECT_EQ(jazz, tree.FindChild(music, "JAZZ"));
  EXPECT_EQ(music, tree.FindAncestor(miles, "music"));
  tree.SetCaseSensitive(true);
  EXPECT_EQ(nullptr, tree.FindChild(music, "JAZZ"));
  tree.SetCaseSensitive(false);
  EXPECT_EQ(miles, tree.FindByData(nullptr, 3, true));
  EXPECT_EQ(nullptr, tree.FindByData(nullptr, 3, false));
  EXPECT_EQ(jazz, tree.FindAncestorByData(miles, 2));
  EXPECT_EQ(nullptr, tree.FindItem(nullptr, "Miles", 4, true));
  EXPECT_EQ(miles, tree.FindItem(music, "miles", 3, true));

  EXPECT_STREQ("Music\\Jazz\\Miles", tree.GetItemPath(miles).GetText());
  ASSERT_TRUE(tree.SelectPath("music\\jazz\\miles"));
  EXPECT_EQ(miles, tree.GetSelectedItem());
  EXPECT_STREQ("Music\\Jazz\\Miles", tree.GetSelectedPath().GetText());
  // Failing on the third part keeps what was selected.
  ASSERT_TRUE(tree.SelectItem(books));
  EXPECT_FALSE(tree.SelectPath("Music\\Rock\\Miles"));
  EXPECT_EQ(books, tree.GetSelectedItem());
  EXPECT_TRUE(tree.SelectPath(""));
  EXPECT_EQ(nullptr, tree.GetSelectedItem());

  EXPECT_TRUE(tree.SetBold(jazz, true));
  EXPECT_TRUE(tree.IsBold(jazz));
  EXPECT_FALSE(tree.IsBold(rock));
  tree.Expand(nullptr, true, true);
  EXPECT_TRUE(tree.IsExpanded(music) && tree.IsExpanded(jazz));
}

// A start item bounds both walks to its own branch.
TEST_F(TreeCtrl, CheckedItemsAndParentCountsStayInsideTheStartsSubtree) {
  HTREEITEM a = Add("A"), a1 = Add("A1", a), a11 = Add("A11", a1);
  HTREEITEM b = Add("B"), b1 = Add("B1", b);
  Add("B11", b1);
  for (HTREEITEM item : {a11, b1}) tree.SetCheck(item, true);
  SArray<HTREEITEM> items;
  EXPECT_EQ(2, tree.GetCheckedItems(nullptr, &items, true));
  items.RemoveAll();
  EXPECT_EQ(1, tree.GetCheckedItems(a, &items, true));
  EXPECT_EQ(a11, items.GetAt(0));
  EXPECT_EQ(1, tree.GetCheckedItems(a, nullptr, false));  // A1
  EXPECT_EQ(5, tree.CountParents(nullptr));               // the tree, A, A1, B, B1
  EXPECT_EQ(2, tree.CountParents(a));                     // A, A1
  EXPECT_EQ(0, tree.CountParents(a11));
}

TEST_F(TreeCtrl, CheckingPropagatesThroughTheTree) {
  struct Case {
    const char* name;
    bool siblingChecked;
    bool check;           // the grandchild's new state
    const char* expected; // A, B, C, D checked: 1 or 0
  } cases[] = {
      {"check grandchild", false, true, "1110"},
      {"uncheck, sibling unchecked", false, false, "0000"},
      {"uncheck, sibling checked", true, false, "1101"},
  };
  for (const Case& c : cases) {
    tree.RemoveAll();
    HTREEITEM a = Add("A"), b = Add("B", a), grandchild = Add("C", b), sibling = Add("D", b);
    HTREEITEM all[] = {a, b, grandchild, sibling};
    if (!c.check) {
      for (HTREEITEM item : {a, b, grandchild}) tree.SetCheck(item, true);
    }
    tree.SetCheck(sibling, c.siblingChecked);
    tree.SetCheck(grandchild, c.check);
    tree.OnItemChecked(grandchild, c.check);
    std::string states;
    for (HTREEITEM item : all) states += tree.IsChecked(item) ? '1' : '0';
    EXPECT_EQ(c.expected, states) << c.name;
  }
  // Checking a parent checks its whole branch.
  tree.RemoveAll();
  HTREEITEM top = Add("T"), mid = Add("M", top), leaf = Add("L", mid);
  tree.SetCheck(top, true);
  tree.OnItemChecked(top, true);
  EXPECT_TRUE(tree.IsChecked(mid) && tree.IsChecked(leaf));
  tree.SetAutoCheck(false);
  tree.OnItemChecked(top, false);
  EXPECT_TRUE(tree.IsChecked(leaf));
  tree.SetAutoCheck(true);
}

TEST_F(TreeCtrl, ARealClickOnACheckBoxPropagatesAndTellsTheParent) {
  HTREEITEM a = Add("A"), b = Add("B", a);
  for (HTREEITEM item : {a, b}) tree.SetCheck(item, false);  // an empty box to click
  tree.Expand(a, true, false);
  RECT label;
  ASSERT_TRUE(tree.GetItemRect(b, &label, true));
  // The state icon lies somewhere left of the label.
  int x = label.left - 1, y = (label.top + label.bottom) / 2;
  UINT flags = 0;
  for (; x > 0; x--)
    if (tree.HitTest(POINT{x, y}, &flags) == b && (flags & TVHT_ONITEMSTATEICON)) break;
  UINT aside = 0;
  tree.HitTest(POINT{label.left - 10, y}, &aside);
  ASSERT_GT(x, 0) << "no state icon left of " << label.left << " flags " << aside << " state list "
                  << tree.SendMessage(TVM_GETIMAGELIST, TVSIL_STATE, 0) << " state "
                  << tree.GetItemState(b);
  ASSERT_TRUE(MoveCursorTo(tree.GetHwnd(), x, y));
  SKeyboard::PressLeft();
  SKeyboard::ReleaseLeft();
  ASSERT_TRUE(PumpUntil([&] { return parent.Count(TreeEvent(4)) > 0; }));
  EXPECT_TRUE(tree.IsChecked(b));
  EXPECT_TRUE(tree.IsChecked(a));
  EXPECT_EQ(LPARAM(b), parent.Last(TreeEvent(4))->lparam);
  PumpFor(300);  // no double click with the next test's press
}

TEST_F(TreeCtrl, ACopyKeepsTextImagesAndValueButNoStateAndReportsEachItem) {
  HTREEITEM a = tree.InsertItem("A", 3, 4, nullptr, TVI_LAST, 77);
  HTREEITEM a1 = Add("A1", a, 78);
  Add("A2", a, 79);
  HTREEITEM b = Add("B");
  tree.SetCheck(a, true);
  tree.SetBold(a, true);
  tree.Expand(a, true, false);

  HTREEITEM copy = tree.CopyItem(nullptr, b, a, true, true);
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ("A .A1 .A2 B .A ..A1 ..A2 ", Outline(tree));
  EXPECT_EQ(3, tree.GetItemImage(copy, false));
  EXPECT_EQ(4, tree.GetItemImage(copy, true));
  EXPECT_EQ(77u, tree.GetItemData(copy));
  EXPECT_FALSE(tree.IsChecked(copy));
  EXPECT_FALSE(tree.IsBold(copy));
  EXPECT_FALSE(tree.IsExpanded(copy));
  ASSERT_EQ(3u, copied.size());
  EXPECT_EQ(a, copied[0].source);
  EXPECT_EQ(copy, copied[0].copy);
  EXPECT_EQ(nullptr, copied[0].destination);
  EXPECT_EQ(3, parent.Count(TreeEvent(12)));

  // As a sibling, first or last, and at the root level.
  ASSERT_NE(nullptr, tree.CopyItem(nullptr, b, a1, false, false));
  ASSERT_NE(nullptr, tree.CopyItem(nullptr, nullptr, a1, false, false));
  EXPECT_EQ("A1 A .A1 .A2 A1 B .A ..A1 ..A2 ", Outline(tree));
}

// Copying into the subtree being read would never end.
TEST_F(TreeCtrl, ACopyOrMoveIntoTheItemsOwnSubtreeIsRefused) {
  HTREEITEM a = Add("A"), a1 = Add("A1", a), a11 = Add("A11", a1);
  struct Case {
    HTREEITEM target;
    bool asChild;
  } refused[] = {{a, true}, {a1, true}, {a11, true}, {a1, false}, {a11, false}};
  for (const Case& c : refused) {
    EXPECT_EQ(nullptr, tree.CopyItem(nullptr, c.target, a, c.asChild, true));
    EXPECT_EQ(nullptr, tree.MoveItem(nullptr, c.target, a, c.asChild, true));
  }
  EXPECT_EQ("A .A1 ..A11 ", Outline(tree));
  EXPECT_EQ(0, parent.Count(TreeEvent(12)) + parent.Count(TreeEvent(13)));
  // Beside itself is outside its subtree.
  ASSERT_NE(nullptr, tree.CopyItem(nullptr, a, a, false, true));
  EXPECT_EQ("A .A1 ..A11 A .A1 ..A11 ", Outline(tree));
}

TEST_F(TreeCtrl, AMoveToAnotherTreeCopiesWithItsOwnEventThenDeletes) {
  STreeCtrl other;
  RECT rect = {180, 10, 340, 250};
  ASSERT_TRUE(other.Create(WS_VISIBLE, 0, &rect, parent.GetHwnd(), 12));
  HTREEITEM a = Add("A"), a1 = Add("A1", a);
  Add("B");
  HTREEITEM target = other.InsertItem("X");
  HTREEITEM moved = tree.MoveItem(&other, target, a, true, true);
  ASSERT_NE(nullptr, moved);
  EXPECT_EQ("B ", Outline(tree));
  EXPECT_EQ("X .A ..A1 ", Outline(other));
  ASSERT_EQ(2u, copied.size());
  EXPECT_EQ(a1, copied[1].source);
  EXPECT_EQ(other.GetHwnd(), copied[1].destination);
  EXPECT_EQ(2, parent.Count(TreeEvent(13)));
  EXPECT_EQ(0, parent.Count(TreeEvent(14)));  // the source goes without notice
  EXPECT_EQ(nullptr, other.MoveItem(nullptr, target, target, true, true));
}

// Handles the tree view would take as pointers: made up, deleted, or
// deleted by the parent's handler in the middle of a copy.
TEST_F(TreeCtrl, HandlesOfNoLiveItemNeverReachTheTreeView) {
  HTREEITEM a = Add("A", nullptr, 7), a1 = Add("A1", a), b = Add("B");
  HTREEITEM madeUp = reinterpret_cast<HTREEITEM>(uintptr_t(0x00345678));
  EXPECT_TRUE(tree.IsItem(a) && tree.IsItem(a1) && tree.IsItem(b));
  EXPECT_FALSE(tree.IsItem(madeUp) || tree.IsItem(nullptr));
  EXPECT_STREQ("", tree.GetItemText(madeUp).GetText());
  EXPECT_FALSE(tree.SetItemText(madeUp, "x"));
  EXPECT_EQ(nullptr, tree.GetChildItem(madeUp));
  EXPECT_EQ(nullptr, tree.InsertItem("under", -1, -1, madeUp));
  EXPECT_EQ(nullptr, tree.InsertItem("after", -1, -1, nullptr, madeUp));
  EXPECT_FALSE(tree.DeleteItem(madeUp, true));
  EXPECT_EQ(nullptr, tree.CopyItem(nullptr, nullptr, madeUp, false, true));
  EXPECT_EQ(nullptr, tree.CopyItem(nullptr, madeUp, a, true, true));

  ASSERT_TRUE(tree.DeleteItem(a, false));
  EXPECT_FALSE(tree.IsItem(a) || tree.IsItem(a1));
  EXPECT_EQ(0u, tree.GetItemData(a));
  EXPECT_FALSE(tree.SetCheck(a1, true));
  EXPECT_EQ("B ", Outline(tree));

  // The parent deletes the source while its first item is being copied:
  // the copy stops there.
  HTREEITEM c = Add("C"), c1 = Add("C1", c);
  Add("C2", c);
  parent.handler = [&](UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message == TreeEvent(12) || message == TreeEvent(13)) tree.DeleteItem(c, false);
    return false;
  };
  HTREEITEM copy = tree.CopyItem(nullptr, nullptr, c, false, true);
  EXPECT_TRUE(tree.IsItem(copy));
  EXPECT_FALSE(tree.IsItem(c1));
  EXPECT_EQ("B C ", Outline(tree));
  // A move whose source the handler deleted deletes nothing more.
  HTREEITEM d = Add("D");
  Add("D1", d);
  c = d;
  HTREEITEM moved = tree.MoveItem(nullptr, b, d, true, true, true);
  EXPECT_TRUE(tree.IsItem(moved));
  EXPECT_EQ("B .D C ", Outline(tree));
  // Every item the tree holds is in the live set, and only those.
  tree.RemoveAll();
  EXPECT_FALSE(tree.IsItem(b) || tree.IsItem(moved));
  EXPECT_EQ(0, tree.GetCount());
}

TEST_F(TreeCtrl, DeletionWithNotificationReportsEveryItemChildrenFirst) {
  HTREEITEM a = Add("A", nullptr, 1), a1 = Add("A1", a, 2), a11 = Add("A11", a1, 3), a2 = Add("A2", a, 4);
  Add("B");
  ASSERT_TRUE(tree.DeleteItem(a, true));
  ASSERT_EQ(4u, deleted.size());
  HTREEITEM order[] = {a11, a1, a2, a};
  uint32_t values[] = {3, 2, 4, 1};
  for (int i = 0; i < 4; i++) {
    EXPECT_EQ(order[i], deleted[i].item) << i;
    EXPECT_EQ(values[i], deleted[i].value) << i;
  }
  EXPECT_EQ("B ", Outline(tree));
  EXPECT_FALSE(tree.DeleteItem(nullptr, true));
  HTREEITEM c = Add("C");
  Add("C1", c);
  Add("C2", c);
  deleted.clear();
  tree.DeleteChildren(c);
  EXPECT_EQ(2u, deleted.size());
  EXPECT_EQ("B C ", Outline(tree));
}

// ---- Tree files --------------------------------------------------------------------------------

TEST_F(TreeCtrl, TreeFilesRoundTripWithAndWithoutAttributes) {
  HTREEITEM a = tree.InsertItem("A & <b>", 2, 3, nullptr, TVI_LAST, uint32_t(-5));
  HTREEITEM a1 = tree.InsertItem("A1", 4, 5, a, TVI_LAST, 9);
  tree.InsertItem("B", 1, 1);
  tree.SetCheck(a1, true);
  tree.SetBold(a, true);
  tree.Expand(a, true, false);

  SFileMem file;
  ASSERT_TRUE(tree.SaveFile(&file, true));
  std::string saved(reinterpret_cast<const char*>(file.GetData()), file.GetSize());
  EXPECT_EQ(0u, saved.find("TAVRIN TREE 1.0.0.0\r\n<?xml"));
  EXPECT_NE(std::string::npos,
            saved.find("<item text=\"A1\" data=\"9\" image=\"4\" imageSel=\"5\" expanded=\"0\" checked=\"1\" "
                       "bold=\"0\"/>"))
      << saved;

  STreeCtrl copy;
  RECT rect = {180, 10, 340, 250};
  ASSERT_TRUE(copy.Create(WS_VISIBLE | TVS_CHECKBOXES, 0, &rect, parent.GetHwnd(), 12));
  copy.InsertItem("old");
  file.Rewind();
  ASSERT_TRUE(copy.LoadFile(&file, true));
  EXPECT_EQ("A & <b> .A1 B ", Outline(copy));
  HTREEITEM ca = copy.GetChildItem(nullptr), ca1 = copy.GetChildItem(ca);
  EXPECT_EQ(uint32_t(-5), copy.GetItemData(ca));
  EXPECT_EQ(2, copy.GetItemImage(ca, false));
  EXPECT_EQ(5, copy.GetItemImage(ca1, true));
  EXPECT_TRUE(copy.IsBold(ca));
  EXPECT_TRUE(copy.IsExpanded(ca));
  EXPECT_TRUE(copy.IsChecked(ca1));

  // Without attributes only the texts travel; read back with attributes,
  // the missing ones read as 0 and no state.
  SFileMem plain;
  ASSERT_TRUE(tree.SaveFile(&plain, false));
  std::string text(reinterpret_cast<const char*>(plain.GetData()), plain.GetSize());
  EXPECT_NE(std::string::npos, text.find("<item text=\"A1\"/>")) << text;
  plain.Rewind();
  ASSERT_TRUE(copy.LoadFile(&plain, true));
  EXPECT_EQ("A & <b> .A1 B ", Outline(copy));
  ca = copy.GetChildItem(nullptr);
  EXPECT_EQ(0, copy.GetItemImage(ca, false));
  EXPECT_EQ(0u, copy.GetItemData(ca));
  EXPECT_FALSE(copy.IsBold(ca) || copy.IsExpanded(ca) || copy.IsChecked(copy.GetChildItem(ca)));
  plain.Rewind();
  ASSERT_TRUE(copy.LoadFile(&plain, false));
  EXPECT_EQ("A & <b> .A1 B ", Outline(copy));
  EXPECT_FALSE(copy.IsBold(copy.GetChildItem(nullptr)));
}

TEST_F(TreeCtrl, TreeFileFixtures) {
  const std::string header = "TAVRIN TREE 1.0.0.0\r\n<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
  struct Case {
    const char* name;
    std::string file;
    bool loads;
    const char* outline;  // after the load
  } cases[] = {
      {"header in lower case", "tavrin tree 1.0.0.0\r\n<xml/>\r\n", false, "keep "},
      {"header with another version", "TAVRIN TREE 1.0.0.1\r\n<xml/>\r\n", false, "keep "},
      {"broken document", header + "<xml><item text=\"a\"></xml>\r\n", false, "keep "},
      {"empty tree", header + "<xml/>\r\n", true, ""},
      {"any element name", header + "<xml><node text=\"n\"><leaf text=\"l\"/></node></xml>\r\n", true, "n .l "},
      {"expanded with children",
       header + "<xml><item text=\"p\" expanded=\"1\"><item text=\"c\"/></item><item text=\"q\" expanded=\"1\"/></xml>",
       true, "p .c q "},
  };
  for (const Case& c : cases) {
    tree.RemoveAll();
    Add("keep");
    SFileMem file;
    Put(file, c.file);
    EXPECT_EQ(c.loads, tree.LoadFile(&file, true)) << c.name;
    EXPECT_EQ(c.outline, Outline(tree)) << c.name;
  }
  HTREEITEM p = tree.GetChildItem(nullptr);
  EXPECT_TRUE(tree.IsExpanded(p));
  EXPECT_EQ(0, tree.GetItemImage(p, false));  // no "image": 0
  EXPECT_FALSE(tree.LoadFile(nullptr, true));
  EXPECT_FALSE(tree.SaveFile(nullptr, true));

  // An empty tree saves as a bare root, and loads back as empty.
  tree.RemoveAll();
  SFileMem empty;
  ASSERT_TRUE(tree.SaveFile(&empty, true));
  std::string saved(reinterpret_cast<const char*>(empty.GetData()), empty.GetSize());
  EXPECT_NE(std::string::npos, saved.find("<xml/>")) << saved;
  Add("x");
  empty.Rewind();
  EXPECT_TRUE(tree.LoadFile(&empty, true));
  EXPECT_EQ(0, tree.GetCount());
}

// A file nested far deeper than any tree is refused without touching the
// tree; one as deep as allowed loads and saves back.
TEST_F(TreeCtrl, AHostileDeepFileFailsCleanlyAndADeepTreeRoundTrips) {
  const int hostile = 100000;
  std::string text = "TAVRIN TREE 1.0.0.0\r\n<?xml version=\"1.0\"?>\r\n<xml>";
  for (int i = 0; i < hostile; i++) text += "<item text=\"d\">";
  for (int i = 0; i < hostile; i++) text += "</item>";
  text += "</xml>\r\n";
  SFileMem file;
  Put(file, text);
  Add("keep");
  EXPECT_FALSE(tree.LoadFile(&file, true));
  EXPECT_EQ("keep ", Outline(tree));

  tree.RemoveAll();
  HTREEITEM item = nullptr;
  for (int i = 0; i < STreeCtrl::kMaxFileDepth; i++) item = Add("d", item);
  SFileMem deep;
  ASSERT_TRUE(tree.SaveFile(&deep, false));
  deep.Rewind();
  ASSERT_TRUE(tree.LoadFile(&deep, false));
  EXPECT_EQ(STreeCtrl::kMaxFileDepth, tree.GetCount());
  int level = 0;
  for (HTREEITEM at = tree.GetChildItem(nullptr); at; at = tree.GetNextInOrder(at, &level)) item = at;
  EXPECT_EQ(STreeCtrl::kMaxFileDepth - 1, tree.GetLevel(item));
  tree.RemoveAll();
}

// ---- Folder mode -------------------------------------------------------------------------------

TEST_F(TreeCtrl, FolderModeShowsAFolderAndLoadsSubFoldersOnExpansion) {
  SDisk disk;
  SString base = disk.GetTempFolder();
  if (base.GetLength() > 0 && base.GetText()[base.GetLength() - 1] != '\\') base += "\\";
  SString root = base + "TreeFolders";
  disk.DeleteFolder(root.GetText(), true);
  ASSERT_TRUE(disk.CreateFolder((root + "\\alpha\\deep").GetText(), true));
  ASSERT_TRUE(disk.CreateFolder((root + "\\beta").GetText(), true));
  for (const char* name : {"\\note.txt", "\\skip.dat"}) {
    SFileMem file;
    Put(file, "x");
    ASSERT_TRUE(file.SaveFile((root + name).GetText()));
  }

  STreeCtrl editable;
  RECT rect = {180, 10, 340, 250};
  ASSERT_TRUE(editable.Create(WS_VISIBLE | TVS_EDITLABELS, 0, &rect, parent.GetHwnd(), 13));
  editable.InsertItem("kept");
  EXPECT_FALSE(editable.BrowseFolder(root.GetText(), true, true, "*.txt"));
  EXPECT_EQ("kept ", Outline(editable));

  ASSERT_TRUE(tree.BrowseFolder(root.GetText(), true, true, "*.txt"));
  EXPECT_EQ("TreeFolders .alpha ..* .beta .note.txt ", Outline(tree));
  HTREEITEM top = tree.GetChildItem(nullptr), alpha = tree.GetChildItem(top);
  HTREEITEM beta = tree.GetNextSibling(alpha), note = tree.GetNextSibling(beta);
  EXPECT_STREQ((root + "\\alpha\\").GetText(), tree.GetItemPath(alpha).GetText());
  EXPECT_STREQ((root + "\\note.txt").GetText(), tree.GetItemPath(note).GetText());
  EXPECT_GE(tree.GetItemImage(alpha, false), 0);
  EXPECT_EQ(tree.GetItemImage(alpha, false), tree.GetItemImage(beta, false));  // one icon per kind
  SArray<HTREEITEM> checked;
  EXPECT_EQ(0, tree.GetCheckedItems(alpha, &checked, true));

  // The parent's handling of the expansion loads the folder first; a
  // checked folder passes its check to what it loads.
  tree.SetCheck(alpha, true);
  tree.Expand(alpha, true, false);
  PumpFor(50);
  EXPECT_EQ("TreeFolders .alpha ..deep .beta .note.txt ", Outline(tree));
  EXPECT_TRUE(tree.IsChecked(tree.GetChildItem(alpha)));
  EXPECT_EQ(1, parent.Count(TreeEvent(14)));  // the placeholder went with notice

  // No folder: the drives.
  ASSERT_TRUE(tree.BrowseFolder("", false, true, "*.*"));
  EXPECT_GE(tree.GetChildCount(nullptr, false), 2);
  EXPECT_NE(nullptr, tree.FindChild(nullptr, "c:\\"));
  tree.EndFolderMode();
  tree.RemoveAll();
  disk.DeleteFolder(root.GetText(), true);
}

// ---- Dragging ----------------------------------------------------------------------------------

// A mouse gesture played from another thread while this one stays inside
// the tree's drag loop: a press at from, moves through the points, then a
// release, or Escape with the button still down. The drag begins only once
// the loop has seen the cursor over another place, so the player waits for
// that before going on: under load a fixed pause can let the Escape or the
// release arrive before the loop runs.
class Gesture {
 public:
  Gesture(POINT from, std::vector<POINT> through, bool escape) : m_from(from), m_through(through), m_escape(escape) {}

  // Plays the gesture while pumping until done says the parent heard the
  // end. began is set by the parent's handler, inside the drag loop, when
  // it hears the drag start.
  bool Play(const std::atomic<bool>& began, const std::function<bool()>& done) {
    MoveTo(m_from);
    PumpFor(50);
    std::thread player([this, &began] {
      SKeyboard::PressLeft();
      Sleep(150);
      for (size_t i = 0; i < m_through.size(); i++) {
        MoveTo(m_through[i]);
        for (int waited = 0; i == 0 && !began && waited < 5000; waited += 10) Sleep(10);
        Sleep(120);
      }
      if (m_escape) {
        PressKey(VK_ESCAPE);
        Sleep(150);
      }
      SKeyboard::ReleaseLeft();
    });
    bool ended = PumpUntil(done, 8000);
    player.join();
    PumpFor(300);  // no double click with the next press
    return ended;
  }

  // A point of a window's client area on the screen.
  static POINT On(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    return p;
  }
  static POINT OnLabel(STreeCtrl& tree, HTREEITEM item) {
    RECT label = {};
    tree.GetItemRect(item, &label, true);
    return On(tree.GetHwnd(), label.left + 4, (label.top + label.bottom) / 2);
  }

 private:
  static void MoveTo(POINT p) { SendCursorTo(p); }

  POINT m_from;
  std::vector<POINT> m_through;
  bool m_escape;
};

class TreeDrag : public TreeCtrl {
 protected:
  void SetUp() override {
    TreeCtrl::SetUp();
    SetForegroundWindow(parent.GetHwnd());
    RECT rect = {180, 10, 340, 250};
    ASSERT_TRUE(other.Create(WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, 0, &rect, parent.GetHwnd(), 12));
    dragBegan = false;
    parent.handler = [this, recorded = parent.handler](UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
      if (message == TreeEvent(9)) dragBegan = true;
      return recorded(message, wparam, lparam, result);
    };
    tree.SetDragEnabled(true);
    tree.GetDropTargets().Add(other.GetHwnd());
    a = Add("Alpha");
    a1 = Add("Alpha one", a);
    b = Add("Beta");
    tree.Expand(a, true, false);
    x = other.InsertItem("Xeno");
    UpdateWindow(parent.GetHwnd());
  }
  bool Ended() { return parent.Count(TreeEvent(10)) + parent.Count(TreeEvent(11)) > 0; }

  STreeCtrl other;
  std::atomic<bool> dragBegan{false};
  HTREEITEM a = nullptr, a1 = nullptr, b = nullptr, x = nullptr;
};

TEST_F(TreeDrag, ADropOnEmptySpaceMovesTheItemToTheEndOfTheRootLevel) {
  Gesture drag(Gesture::OnLabel(tree, a), {Gesture::On(tree.GetHwnd(), 60, 150), Gesture::On(tree.GetHwnd(), 70, 200)},
               false);
  ASSERT_TRUE(drag.Play(dragBegan, [&] { return Ended(); }));
  EXPECT_EQ(1, parent.Count(TreeEvent(9)));
  ASSERT_EQ(1, parent.Count(TreeEvent(10)));
  EXPECT_EQ("Beta Alpha .Alpha one ", Outline(tree));
  EXPECT_EQ(tree.GetLastSibling(tree.GetChildItem(nullptr)), tree.GetSelectedItem());
}

TEST_F(TreeDrag, ADropOnTheItemsOwnChildIsRefused) {
  Gesture drag(Gesture::OnLabel(tree, a), {Gesture::OnLabel(tree, b), Gesture::OnLabel(tree, a1)}, false);
  ASSERT_TRUE(drag.Play(dragBegan, [&] { return Ended(); }));
  EXPECT_EQ(0, parent.Count(TreeEvent(10)));
  ASSERT_EQ(1, parent.Count(TreeEvent(11)));
  EXPECT_EQ(LPARAM(a), parent.Last(TreeEvent(11))->lparam);
  EXPECT_EQ("Alpha .Alpha one Beta ", Outline(tree));
}

TEST_F(TreeDrag, ADropOnAnotherTreeMovesTheItemUnderTheTarget) {
  Gesture drag(Gesture::OnLabel(tree, b), {Gesture::OnLabel(tree, a), Gesture::OnLabel(other, x)}, false);
  ASSERT_TRUE(drag.Play(dragBegan, [&] { return Ended(); }));
  ASSERT_EQ(1, parent.Count(TreeEvent(10)));
  EXPECT_EQ("Alpha .Alpha one ", Outline(tree));
  EXPECT_EQ("Xeno .Beta ", Outline(other));
  EXPECT_EQ(1, parent.Count(TreeEvent(13)));
}

TEST_F(TreeDrag, EscapeOrARefusalFromTheParentLeavesTheTreeAsItWas) {
  Gesture escape(Gesture::OnLabel(tree, b), {Gesture::OnLabel(tree, a)}, true);
  ASSERT_TRUE(escape.Play(dragBegan, [&] { return Ended(); }));
  EXPECT_EQ(1, parent.Count(TreeEvent(11)));
  EXPECT_EQ(0, parent.Count(TreeEvent(10)));
  EXPECT_EQ("Alpha .Alpha one Beta ", Outline(tree));

  parent.Forget();
  dragBegan = false;
  parent.answers[TreeEvent(9)] = 1;
  Gesture refused(Gesture::OnLabel(tree, b), {Gesture::OnLabel(tree, a), Gesture::On(tree.GetHwnd(), 60, 200)},
                  false);
  refused.Play(dragBegan, [&] { return parent.Count(TreeEvent(9)) > 0; });
  parent.answers.erase(TreeEvent(9));
  EXPECT_EQ(1, parent.Count(TreeEvent(9)));
  EXPECT_EQ(0, parent.Count(TreeEvent(10)) + parent.Count(TreeEvent(11)));
  EXPECT_EQ("Alpha .Alpha one Beta ", Outline(tree));
}

}  // namespace
