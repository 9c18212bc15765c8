// The list view as its users meet it: a real report list on a parent on
// screen, its columns, range selection, deletion with reselection, the
// sorts, and the mouse and change reports the parent receives.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "../InputTesting.h"
#include "../WindowTesting.h"
#include "ControlTesting.h"
#include "files/SKeyboard.h"
#include "window/controls/SExListCtrl.h"

namespace {

const UINT kListMouse = 0x8BFF, kListItemChanged = 0x8C00;

class ExListCtrl : public OnScreenControls {
 protected:
  void SetUp() override {
    OnScreenControls::SetUp();
    parent.mouseMessage = kListMouse;
    RECT rect = Rect(10, 10, 300, 220);
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, &rect, parent.GetHwnd(), 21));
    EXPECT_EQ(0, list.InsertColumn(-1, "Name", 120));
    EXPECT_EQ(1, list.InsertColumn(-1, "Size", 80));
  }

  void Fill(const std::vector<std::pair<const char*, const char*>>& rows) {
    for (const auto& row : rows) {
      int item = list.InsertItem(-1, -1, row.first);
      list.SetItemText(item, 1, row.second);
    }
  }
  std::string Column(int column) {
    std::string out;
    for (int i = 0; i < list.GetItemCount(); i++) out += std::string(list.GetItemText(i, column).GetText()) + "|";
    return out;
  }
  std::string Selected() {
    SArray<int32_t> items;
    list.GetSelectedItems(&items);
    std::string out;
    for (int i = 0; i < items.GetCount(); i++) out += char('0' + items.GetAt(i));
    return out;
  }

  SExListCtrl list;
};

TEST_F(ExListCtrl, ColumnsAndItemsAreMadeAndReadBack) {
  char name[32] = {};
  GetClassNameA(list.GetHwnd(), name, sizeof name);
  EXPECT_STREQ("SysListView32", name);
  EXPECT_EQ(13, list.GetType());
  EXPECT_TRUE(list.GetStyle() & LVS_SHAREIMAGELISTS);

  EXPECT_EQ(2, list.InsertColumn(99, "Kind", 50));  // past the end appends
  EXPECT_EQ(3, list.GetColumnCount());
  EXPECT_STREQ("Kind", list.GetColumnText(2).GetText());
  EXPECT_TRUE(list.SetColumnText(2, "Type"));
  EXPECT_STREQ("Type", list.GetColumnText(2).GetText());
  EXPECT_EQ(80, list.GetColumnWidth(1));
  EXPECT_EQ(-1, list.GetColumnWidth(3));
  EXPECT_TRUE(list.DeleteColumn(2));

  Fill({{"alpha", "1"}, {"Beta", "2"}});
  EXPECT_EQ(1, list.InsertItem(1, -1, "between"));
  EXPECT_STREQ("between", list.GetItemText(1, 0).GetText());
  EXPECT_EQ(2, list.FindText("BETA", 0));
  EXPECT_EQ(-1, list.FindText("BETA", 1));
  EXPECT_EQ(-1, list.FindText("beta", 5));
  std::string longText(700, 'x');
  list.SetItemText(0, 0, longText.c_str());
  EXPECT_EQ(511, list.GetItemText(0, 0).GetLength());

  // Outside the report view there are no columns to speak of.
  SetWindowLongA(list.GetHwnd(), GWL_STYLE, (list.GetStyle() & ~LVS_TYPEMASK) | LVS_LIST);
  EXPECT_EQ(0, list.GetColumnCount());
  EXPECT_EQ(-1, list.FindText("beta", 0));
  EXPECT_EQ(-1, list.GetColumnWidth(0));
}

TEST_F(ExListCtrl, RangesAreSelectedAndDeletedWithReselection) {
  Fill({{"0", ""}, {"1", ""}, {"2", ""}, {"3", ""}, {"4", ""}, {"5", ""}});
  list.SelectItems(2, -1);
  EXPECT_EQ("2345", Selected());
  list.DeselectItems(4, 10);
  EXPECT_EQ("23", Selected());
  list.ToggleItems(1, 3);
  EXPECT_EQ("1", Selected());
  list.ToggleItems(0, 2);
  EXPECT_EQ("0", Selected());
  list.SelectItems(6, 1);  // out of range: nothing
  list.SelectItems(-1, 2);
  EXPECT_EQ("0", Selected());
  EXPECT_EQ(1, list.GetSelectedItems(nullptr));

  list.SetSelection(3);
  EXPECT_EQ(3, list.GetSelection());
  EXPECT_EQ("3", Selected());
  list.SelectItems(4, 1);
  EXPECT_EQ(2, list.DeleteSelected(true));
  EXPECT_EQ("0|1|2|5|", Column(0));
  EXPECT_EQ(3, list.GetSelection());  // "5" moved into the first deleted place
  list.SetSelection(-1);
  EXPECT_EQ("", Selected());
  EXPECT_EQ(0, list.DeleteSelected(true));
}

TEST_F(ExListCtrl, SortsByTextWithOrWithoutCaseAndByNumber) {
  Fill({{"b", "999"}, {"B", "1 000"}, {"a", "20"}, {"C", "1 000"}});
  ASSERT_TRUE(list.Sort(1, true, false, true));
  // Blanks are removed before the conversion: 1 000 is a thousand.
  EXPECT_EQ("20|999|1 000|1 000|", Column(1));
  ASSERT_TRUE(list.Sort(1, false, false, true));
  EXPECT_EQ("1 000|1 000|999|20|", Column(1));

  ASSERT_TRUE(list.Sort(0, true, true, false));
  EXPECT_EQ("B|C|a|b|", Column(0));  // capitals sort first
  ASSERT_TRUE(list.Sort(0, true, false, false));
  std::string folded = Column(0);
  EXPECT_EQ("a|", folded.substr(0, 2));
  EXPECT_EQ("C|", folded.substr(folded.size() - 2));
  ASSERT_TRUE(list.Sort(0, false, true, false));
  EXPECT_EQ("b|a|C|B|", Column(0));
}

// Enough rows that the list view moves items between comparisons; each
// item keeps its own value through the sort.
TEST_F(ExListCtrl, SortsManyRowsWholeAndKeepsTheirValues) {
  Fill({{"g", "1 000"}, {"c", "20"}, {"f", "3"}, {"a", "abc"}, {"e", "-5"}, {"b", "2 5"}, {"d", "1e1"},
        {"h", "inf"}, {"i", "0x40"}});
  for (int i = 0; i < list.GetItemCount(); i++) list.SetItemValue(i, 100 + i);
  ASSERT_TRUE(list.Sort(1, true, false, true));
  // Only decimals are read: "inf" and "0x40" count as 0 and 0, like "abc".
  std::string numbers = Column(1);
  EXPECT_EQ("3|1e1|20|2 5|1 000|", numbers.substr(numbers.size() - 19)) << numbers;
  EXPECT_EQ("-5|", numbers.substr(0, 3)) << numbers;
  ASSERT_TRUE(list.Sort(0, false, false, false));
  EXPECT_EQ("i|h|g|f|e|d|c|b|a|", Column(0));
  // Row "a" was inserted fourth, "i" last.
  EXPECT_EQ(108, list.GetItemValue(0));
  EXPECT_EQ(103, list.GetItemValue(8));
  EXPECT_EQ(100, list.GetItemValue(2));
}

TEST_F(ExListCtrl, ARealClickReportsThePressTheClickAndTheSelection) {
  Fill({{"one", "1"}, {"two", "2"}});
  RECT row = list.GetItemRect(1, LVIR_LABEL);
  ASSERT_TRUE(MoveCursorTo(list.GetHwnd(), row.left + 5, (row.top + row.bottom) / 2));
  SKeyboard::PressLeft();
  SKeyboard::ReleaseLeft();
  ASSERT_TRUE(PumpUntil([&] {
    for (int32_t code : parent.mouseCodes)
      if (code == (kMouseLeft | kMouseClick)) return true;
    return false;
  }));
  EXPECT_EQ(kMouseLeft | kMouseDown, parent.mouseCodes.front());
  EXPECT_EQ(1, list.GetSelection());
  bool changed = false;
  for (const auto& e : parent.events) changed |= e.message == kListItemChanged && e.lparam == 1;
  EXPECT_TRUE(changed);
  PumpFor(300);
}

}  // namespace
