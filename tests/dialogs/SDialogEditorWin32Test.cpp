// SDialogEditor as every dialog a program opens makes it: the model with
// the real system colours, and the registered ActiveX controls sorted into
// the letter submenus - with controls of the tests' own registered in the
// prefix under the controls' component category for the time of a test.
#include "dialogs/SDialogEditor.h"

#include <windows.h>
#include <objbase.h>

#include <string>

#include "DialogTesting.h"
#include "window/Framework.h"

namespace {

const char* const kControlCategory = "{40FC6ED4-2438-11CF-A3DB-080036F12502}";

struct TestControl {
  const char* classId;
  const char* name;
  int submenu;
};

// One named from a digit, one with an empty name, one from a letter.
const TestControl kTestControls[] = {
    {"{7A3C1E10-34D1-4C2B-9E5A-0D1F2A3B4C01}", "7 Tavrin Test Control", kActiveXOtherSubmenu},
    {"{7A3C1E10-34D1-4C2B-9E5A-0D1F2A3B4C02}", "", kActiveXOtherSubmenu},
    {"{7A3C1E10-34D1-4C2B-9E5A-0D1F2A3B4C03}", "Tavrin Test Control", ('T' - 'A') / 3},
};

std::string ClassKey(const TestControl& c) { return std::string("CLSID\\") + c.classId; }

void RegisterTestControls() {
  for (const TestControl& c : kTestControls) {
    HKEY key;
    std::string path = ClassKey(c) + "\\Implemented Categories\\" + kControlCategory;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ClassKey(c).c_str(), REG_SZ, c.name, DWORD(strlen(c.name))),
              ERROR_SUCCESS);
  }
}

void UnregisterTestControls() {
  for (const TestControl& c : kTestControls) RegDeleteTreeA(HKEY_CLASSES_ROOT, ClassKey(c).c_str());
}

class SDialogEditorTest : public testing::Test {
 public:
  static void SetUpTestSuite() { FrameworkInit(GetModuleHandleA(nullptr), SW_HIDE, kStartListActiveX); }
  static void TearDownTestSuite() { FrameworkExit(); }

 protected:
  void TearDown() override { UnregisterTestControls(); }
};

}  // namespace

TEST_F(SDialogEditorTest, ActiveXNamesGoToTheirSubmenus) {
  RegisterTestControls();
  SDialogEditor editor;
  EXPECT_TRUE(editor.InitControlTypes());
  const SStringArray& names = editor.GetActiveXNames();
  ASSERT_EQ(editor.GetActiveXClassIdTexts().GetCount(), names.GetCount());
  ASSERT_EQ(editor.GetActiveXClassIds().GetCount(), names.GetCount());
  for (const TestControl& c : kTestControls) {
    int index = editor.GetActiveXClassIdTexts().Find(c.classId);
    ASSERT_GE(index, 0) << c.classId;
    EXPECT_STREQ(names.GetString(index).GetText(), c.name);
    // The item with this control's command is in the expected submenu.
    const SActiveXMenus& menus = editor.GetActiveXMenus();
    int found = -1;
    for (int s = 0; s < kActiveXSubmenuCount; s++)
      for (int k = 0; k < menus.GetItemCount(s); k++)
        if (menus.GetItemCommand(s, k) == kActiveXFirstCommand + index) found = s;
    EXPECT_EQ(found, c.submenu) << c.name;
  }
  // Every listed name has exactly one item.
  int items = 0;
  for (int s = 0; s < kActiveXSubmenuCount; s++) items += editor.GetActiveXMenus().GetItemCount(s);
  EXPECT_EQ(items, names.GetCount());
  // The model itself is ready as well.
  ASSERT_NE(editor.FindControlType("button"), nullptr);
  EXPECT_STREQ(editor.GetText("#MISC").GetText(), "Dialog");
}

TEST_F(SDialogEditorTest, ListingIsRedoneAtEveryInitialisation) {
  RegisterTestControls();
  SDialogEditor editor;
  editor.InitControlTypes();
  int withTests = editor.GetActiveXNames().GetCount();
  UnregisterTestControls();
  editor.InitControlTypes();
  EXPECT_EQ(editor.GetActiveXNames().GetCount(), withTests - 3);
  EXPECT_LT(editor.GetActiveXClassIdTexts().Find(kTestControls[0].classId), 0);
  EXPECT_LT(editor.GetActiveXClassIdTexts().Find(kTestControls[1].classId), 0);
}

TEST_F(SDialogEditorTest, DescriptionsRoundTripThroughTheEditor) {
  SDialogEditor editor;
  editor.InitControlTypes();
  editor.SetDialogRecord(nullptr);
  for (int number = 1; number < kControlTypeCount; number++) {
    _SCtrl r;
    r.controlNumber = int16_t(number);
    ASSERT_NE(editor.AddControl(&r, true, false, false), nullptr);
  }
  // The scroll bar's height is the system's.
  EXPECT_EQ(editor.FindControlByName("SCROLL1")->height, GetSystemMetrics(SM_CYHSCROLL));
  SFileMem saved;
  ASSERT_TRUE(editor.Save(&saved));
  saved.Rewind();
  SDialogEditor loaded;
  loaded.InitControlTypes();
  ASSERT_TRUE(loaded.Load(&saved));
  EXPECT_EQ(SavedText(loaded), StreamText(saved));
  EXPECT_EQ(loaded.GetControlCount(), kControlTypeCount - 1);
}

TEST_F(SDialogEditorTest, ExtraColoursUseTheSystemColours) {
  _SCtrl r;
  r.SetExtraInt("C", int32_t(0xFE000000u + COLOR_HIGHLIGHT));
  EXPECT_EQ(r.GetExtraColor("C"), GetSysColor(COLOR_HIGHLIGHT));
  r.SetExtraInt("C", int32_t(0xFF000001u));
  EXPECT_EQ(r.GetExtraColor("C"), 0xFF000001u);
}

namespace {

// A framework started without the ActiveX-listing option.
class SDialogEditorNoListingTest : public testing::Test {
 public:
  static void SetUpTestSuite() { FrameworkInit(GetModuleHandleA(nullptr), SW_HIDE, 0); }
  static void TearDownTestSuite() { FrameworkExit(); }

 protected:
  void TearDown() override { UnregisterTestControls(); }
};

}  // namespace

TEST_F(SDialogEditorNoListingTest, ListsNothingWithoutTheStartOption) {
  RegisterTestControls();
  SDialogEditor editor;
  editor.InitControlTypes();
  EXPECT_EQ(editor.GetActiveXNames().GetCount(), 0);
  EXPECT_NE(editor.FindControlType("EDIT"), nullptr);
}
