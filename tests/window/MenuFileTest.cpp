// Menu files built into menus and read back through the Win32 menus, and
// malformed or hostile files that fail or load bounded.
#include <string>
#include <vector>

#include "tests/window/ImageListTesting.h"
#include "tests/window/ResourceTesting.h"
#include "tests/window/WindowTesting.h"
#include "window/MenuFile.h"
#include "window/SImageList.h"
#include "window/SMenu.h"

namespace {

class MenuFileTest : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Make());
    pictures.AddPicture("alpha", 16, 16, 0xFF0000FF);
    pictures.AddPicture("zeta", 24, 24, 0xFFFF0000);
    resources = pictures.Open();
    ASSERT_NE(nullptr, resources);
  }
  void TearDown() override {
    for (int i = 0; i < menus.GetCount(); i++) delete menus.GetAt(i);
    menus.RemoveAll();
  }
  bool Load(const std::vector<std::string>& lines, bool firstIsBar, SResource* from, SImageList* list,
            MenuFactory factory = nullptr, MenuNameToId nameToId = nullptr, void* context = nullptr) {
    TearDown();
    SFileMem file;
    FillLines(file, lines);
    return LoadMenuFile(&menus, from, firstIsBar, owner.GetHwnd(), &file, list, context, factory, nameToId);
  }
  // Each menu's items as letters: c command, s sub-menu (with the index of
  // the menu it opens), - separator; menus joined by "|".
  std::string Shape() const {
    std::string shape;
    for (int i = 0; i < menus.GetCount(); i++) {
      if (i) shape += "|";
      HMENU handle = menus.GetAt(i)->GetHandle();
      for (int j = 0; j < GetMenuItemCount(handle); j++) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        GetMenuItemInfoA(handle, UINT(j), TRUE, &item);
        if (item.fType & MFT_SEPARATOR) {
          shape += "-";
        } else if (item.hSubMenu) {
          shape += "s";
          for (int k = 0; k < menus.GetCount(); k++)
            if (menus.GetAt(k)->GetHandle() == item.hSubMenu) shape += std::to_string(k);
        } else {
          shape += "c";
        }
      }
    }
    return shape;
  }

  TestWnd owner;
  TestResources pictures;
  SResource* resources = nullptr;
  SArray<SMenu*> menus;
};

const std::vector<std::string> kExample = {
    "TAVRIN MENU 1.0.0.0", "count=3",
    "[0]", "count=2", "name=main",
    "[0:0]", "text=File", "tip=ignored", "menu=1", "id=1",
    "[0:1]", "text=Help", "menu=0", "id=9",
    "[1]", "count=4", "name=file",
    "[1:0]", "id=101", "text=Save", "tip=Ctrl+S", "image=zeta", "checked=true", "data=55", "name=save",
    "[1:1]", "separator=1", "id=102",
    "[1:2]", "id=103", "text=Export", "tip=E", "menu=2", "image=alpha", "disabled=1",
    "[1:3]", "id=104", "text=Open", "image=zeta", "checked=1",
    "[2]", "count=1", "name=export",
    "[2:0]", "id=201", "text=PNG", "image=missing"};

std::string ItemText(const SMenu* menu, int position) {
  char text[64] = {};
  GetMenuStringA(menu->GetHandle(), UINT(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST_F(MenuFileTest, ExampleBuildsBarPopupsAndSortedSharedImages) {
  SImageList list;
  ASSERT_TRUE(Load(kExample, true, resources, &list));
  ASSERT_EQ(3, menus.GetCount());
  EXPECT_EQ("s1c|c-s2c|c", Shape());
  SMenu* bar = menus.GetAt(0);
  SMenu* file = menus.GetAt(1);
  SMenu* exporting = menus.GetAt(2);
  EXPECT_TRUE(bar->IsMenuBar());
  EXPECT_FALSE(file->IsMenuBar());
  EXPECT_TRUE(file->GetName() == "file");
  EXPECT_TRUE(exporting->GetName() == "export");
  EXPECT_EQ(owner.GetHwnd(), file->GetOwner());

  EXPECT_EQ("File", ItemText(bar, 0));  // a sub-menu item shows its text alone
  EXPECT_EQ(9, bar->GetItemId(1));       // "menu=0" is a plain command
  EXPECT_EQ("Save\tCtrl+S", ItemText(file, 0));
  EXPECT_EQ("Export", ItemText(file, 2));
  EXPECT_FALSE(file->IsItemChecked(101));  // "true" is not "1"
  EXPECT_TRUE(file->IsItemChecked(104));
  EXPECT_TRUE(file->IsItemDisabled(103));
  EXPECT_FALSE(file->IsItemDisabled(101));
  EXPECT_EQ(55u, file->GetItemData(101));
  EXPECT_TRUE(file->GetItemRecord(102)->separator);
  // Each item keeps its "name", an item without one the empty name.
  EXPECT_TRUE(file->GetItemName(101) == "save");
  EXPECT_TRUE(file->GetItemName(104) == "");

  // One entry per distinct name, in sorted order: alpha, missing, zeta.
  ASSERT_EQ(3, list.GetCount());
  int width = 0, height = 0;
  list.GetImageSize(width, height);
  EXPECT_EQ(16, width);
  EXPECT_EQ(16, height);
  EXPECT_EQ(0xFF0000FFu, ImageListPixels(list.GetHandle(), 0)[0]);
  EXPECT_EQ(0u, ImageListPixels(list.GetHandle(), 1)[0] & 0xFFFFFF);
  EXPECT_EQ(0xFFFF0000u, ImageListPixels(list.GetHandle(), 2)[8 * 16 + 8]);
  EXPECT_EQ(2, file->GetItemRecord(101)->imageIndex);
  EXPECT_EQ(0, file->GetItemRecord(103)->imageIndex);
  EXPECT_EQ(2, file->GetItemRecord(104)->imageIndex);
  EXPECT_EQ(1, exporting->GetItemRecord(201)->imageIndex);
  EXPECT_EQ(list.GetHandle(), file->GetImageList());
  EXPECT_EQ(nullptr, bar->GetImageList());
}

TEST_F(MenuFileTest, WithoutResourcesImagesAreIgnoredAndTheListKept) {
  SImageList list;
  ASSERT_TRUE(list.Create(32, 32, ILC_COLOR32));
  HIMAGELIST before = list.GetHandle();
  ASSERT_TRUE(Load(kExample, false, nullptr, &list));
  EXPECT_EQ(before, list.GetHandle());
  EXPECT_EQ(-1, menus.GetAt(1)->GetItemRecord(101)->imageIndex);
  EXPECT_FALSE(menus.GetAt(0)->IsMenuBar());
  EXPECT_EQ(nullptr, menus.GetAt(1)->GetImageList());
}

// The menus come from the factory, the ids from the names.
TEST_F(MenuFileTest, FactoryAndNameToId) {
  struct Context {
    int made = 0;
    bool refuseSecond = false;
  } context;
  MenuFactory factory = [](void* c) -> SMenu* {
    auto* ctx = static_cast<Context*>(c);
    if (ctx->refuseSecond && ctx->made == 1) return nullptr;
    ctx->made++;
    return new SMenu;
  };
  MenuNameToId nameToId = [](void*, const char* name) { return std::string(name) == "save" ? 7000 : 1; };
  ASSERT_TRUE(Load(kExample, true, nullptr, nullptr, factory, nameToId, &context));
  EXPECT_EQ(3, context.made);
  EXPECT_EQ(0, menus.GetAt(1)->FindItem(7000));
  context = Context();
  context.refuseSecond = true;
  EXPECT_FALSE(Load(kExample, true, nullptr, nullptr, factory, nullptr, &context));
  EXPECT_EQ(0, menus.GetCount());
}

// Malformed and hostile files: each fails with no menus left, or loads
// bounded and without a menu that opens one of its ancestors.
TEST_F(MenuFileTest, MalformedAndHostileFiles) {
  const std::string h = "TAVRIN MENU 1.0.0.0";
  struct Case {
    const char* what;
    std::vector<std::string> lines;
    bool firstIsBar;
    bool loads;
    const char* shape;
  };
  const Case cases[] = {
      {"wrong header", {"TAVRIN MENU 1.0", "count=1", "[0]", "count=1"}, false, false, ""},
      {"header with blanks", {h + " ", "count=1", "[0]", "count=1"}, false, false, ""},
      {"count of 0", {h, "count=0", "[0]", "count=1"}, false, false, ""},
      {"negative count", {h, "count=-3", "[0]", "count=1"}, false, false, ""},
      {"no sections", {h, "count=5"}, false, false, ""},
      {"huge menu count", {h, "count=2000000000", "[0]", "count=1", "[0:0]", "text=a"}, false, true, "c|"},
      {"huge item count", {h, "count=1", "[0]", "count=2000000000", "[0:0]", "text=a"}, false, true, "cc"},
      {"self sub-menu", {h, "count=2", "[0]", "count=1", "[0:0]", "menu=1", "[1]", "count=1", "[1:0]", "menu=1"},
       false, true, "s1|c"},
      {"cycle of two",
       {h, "count=3", "[0]", "count=1", "[0:0]", "menu=1", "[1]", "count=1", "[1:0]", "menu=2", "[2]", "count=1",
        "[2:0]", "menu=1"},
       false, true, "s1|s2|c"},
      {"cycle of three",
       {h, "count=4", "[0]", "count=1", "[0:0]", "menu=1", "[1]", "count=1", "[1:0]", "menu=2", "[2]", "count=1",
        "[2:0]", "menu=3", "[3]", "count=2", "[3:0]", "menu=1", "[3:1]", "menu=2"},
       false, true, "s1|s2|s3|cc"},
      {"shared sub-menu",
       {h, "count=3", "[0]", "count=2", "[0:0]", "menu=2", "[0:1]", "menu=1", "[1]", "count=1", "[1:0]", "menu=2",
        "[2]", "count=0"},
       false, true, "s2s1|s2|"},
      {"index out of range", {h, "count=2", "[0]", "count=2", "[0:0]", "menu=2", "[0:1]", "menu=-1", "[1]"}, false,
       true, "cc|"},
      {"separator in the bar", {h, "count=1", "[0]", "count=1", "[0:0]", "separator=1"}, true, false, ""},
      {"unknown images",
       {h, "count=1", "[0]", "count=2", "[0:0]", "image=nothing", "[0:1]", "image=..\\..\\x"}, false, true, "cc"},
  };
  for (const Case& c : cases) {
    SImageList list;
    EXPECT_EQ(c.loads, Load(c.lines, c.firstIsBar, resources, &list)) << c.what;
    EXPECT_EQ(c.shape, Shape()) << c.what;
    if (!c.loads) EXPECT_EQ(0, menus.GetCount()) << c.what;
  }
}

}  // namespace
