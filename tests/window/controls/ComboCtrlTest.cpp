// The combo box as a user meets it: typing into each type of combo on a
// parent on screen, the text the program reads back, and items whose data
// survives a change of text.
#include <windows.h>

#include <string>

#include "ControlTesting.h"
#include "window/controls/SComboCtrl.h"

namespace {

const UINT kComboEditChanged = 0x8BEA, kComboSelectionChanged = 0x8BEB;

class ComboControls : public OnScreenControls {
 protected:
  bool Make(SComboCtrl& combo, DWORD type) {
    RECT rect = Rect(10, 10, 160, type == CBS_SIMPLE ? 120 : 160);
    if (!combo.Create("", WS_VISIBLE | WS_VSCROLL | type, 0, &rect, parent.GetHwnd(), 4)) return false;
    for (const char* text : {"one", "two", "three"}) combo.InsertItem(-1, text);
    combo.SetItemData(1, 0x2222);
    return combo.GetCount() == 3;
  }
};

TEST_F(ComboControls, EachTypeGivesWhatTheUserTyped) {
  const struct {
    DWORD type;
    const char* typed;
    const char* text;  // what the program reads
    UINT event;
  } cases[] = {
      {CBS_SIMPLE, "tx", "tx", kComboEditChanged},
      {CBS_DROPDOWN, "tx", "tx", kComboEditChanged},
      // A drop-down list has no edit part: typing chooses an item.
      {CBS_DROPDOWNLIST, "t", "two", kComboSelectionChanged},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    parent.Forget();
    SComboCtrl combo;
    ASSERT_TRUE(Make(combo, c.type));
    EXPECT_EQ(9, combo.GetType());
    combo.SetFocus();
    PumpFor(20);
    TypeText(c.typed);
    EXPECT_STREQ(c.text, combo.GetText().GetText());
    EXPECT_GE(parent.Count(c.event), 1);
    EXPECT_EQ(reinterpret_cast<WPARAM>(&combo), parent.Last(c.event)->wparam);

    // The program's text goes where the user's would.
    EXPECT_TRUE(combo.SetText("set"));
    EXPECT_STREQ("set", combo.GetText().GetText());
    if (c.type == CBS_DROPDOWNLIST) {
      EXPECT_STREQ("set", combo.GetItemText(1).GetText());
      EXPECT_EQ(0x2222, combo.GetItemData(1));
    } else {
      EXPECT_STREQ("two", combo.GetItemText(1).GetText());
    }
  }
}

TEST_F(ComboControls, ItemTextChangesKeepTheDataAndTheSelection) {
  SComboCtrl combo;
  ASSERT_TRUE(Make(combo, CBS_DROPDOWNLIST));
  EXPECT_EQ(-1, combo.GetCurSel());
  EXPECT_STREQ("", combo.GetText().GetText());
  EXPECT_EQ(-1, combo.SetSelectedText("none"));
  EXPECT_FALSE(combo.SetText("none"));
  EXPECT_STREQ("one", combo.GetItemText(0).GetText());

  EXPECT_TRUE(combo.SetItemText(1, "deux"));
  EXPECT_EQ(-1, combo.GetCurSel());
  ASSERT_TRUE(combo.SetCurSel(1));
  EXPECT_EQ(0x2222, combo.GetItemData(1));
  EXPECT_STREQ("deux", combo.GetSelectedText().GetText());
  EXPECT_EQ(0, combo.SetSelectedText("zwei"));
  EXPECT_EQ(0x2222, combo.GetItemData(1));
  EXPECT_EQ(3, combo.GetCount());
  EXPECT_FALSE(combo.SetItemText(3, "out"));

  EXPECT_EQ(3, combo.InsertItem(-5, ""));
  EXPECT_STREQ("", combo.GetItemText(3).GetText());
  EXPECT_STREQ("", combo.GetItemText(9).GetText());
  EXPECT_EQ(1, combo.InsertItem(1, "ins"));
  EXPECT_EQ(2, combo.FindStringExact(-1, "ZWEI"));
  EXPECT_EQ(3, combo.SelectString(-1, "thr", false));
  EXPECT_EQ(2, combo.SelectString(-1, "zwei", true));
  EXPECT_EQ(2, combo.GetCurSel());
  EXPECT_EQ(-1, combo.SelectString(-1, "zw", true));
  EXPECT_EQ(0, combo.AddFiles("Z:\\no\\such\\folder\\*.none", 0));
  EXPECT_TRUE(combo.RemoveItem(0));
  combo.RemoveAll();
  EXPECT_EQ(0, combo.GetCount());
}

}  // namespace
