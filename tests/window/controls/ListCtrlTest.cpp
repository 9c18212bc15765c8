// The owner-drawn list as a user meets it: real list boxes on a parent on
// screen, synthesised clicks with Shift and Ctrl, the parent's events, and
// what the screen shows of its items.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "../ScreenshotTesting.h"
#include "ControlTesting.h"
#include "window/controls/SListCtrl.h"

namespace {

const UINT kListKey = 0x8C44, kListMouse = 0x8C45, kListSelection = 0x8C46, kListDouble = 0x8C47;

class ListControls : public OnScreenControls {
 protected:
  void SetUp() override {
    OnScreenControls::SetUp();
    parent.mouseMessage = kListMouse;
  }

  bool Make(SListCtrl& list, DWORD style, int count, int height = 200) {
    RECT rect = Rect(10, 10, 200, height);
    if (!list.Create(WS_VISIBLE | style, 0, &rect, parent.GetHwnd(), 7)) return false;
    for (int i = 0; i < count; i++) list.InsertItem(-1, std::string(1, char('A' + i)).c_str());
    UpdateWindow(list.GetHwnd());
    return list.GetCount() == count;
  }

  // A real press and release of a button over a client point of the list,
  // with the modifier keys held; false when the release never arrived.
  bool Click(const SListCtrl& list, int x, int y, std::vector<int> modifiers = {}, bool right = false) {
    if (!SlideCursorTo(list.GetHwnd(), x, y)) return false;
    for (int key : modifiers) SKeyboard::PressKey(key);
    size_t before = parent.mouseCodes.size();
    if (right) {
      SKeyboard::PressRight();
      SKeyboard::ReleaseRight();
    } else {
      SKeyboard::PressLeft();
      SKeyboard::ReleaseLeft();
    }
    int32_t up = (right ? kMouseRight : kMouseLeft) | kMouseUp;
    bool arrived = PumpUntil([&] {
      for (size_t i = before; i < parent.mouseCodes.size(); i++)
        if (parent.mouseCodes[i] == up) return true;
      return false;
    });
    for (int key : modifiers) SKeyboard::ReleaseKey(key);
    PumpFor(20);
    return arrived;
  }
  // A click on the middle of an item.
  bool ClickItem(const SListCtrl& list, int index, std::vector<int> modifiers = {}, bool right = false) {
    RECT item;
    if (!list.GetItemRect(index, &item)) return false;
    return Click(list, 20, (item.top + item.bottom) / 2, modifiers, right);
  }

  static std::string Selected(const SListCtrl& list) {
    SArray<int> indexes;
    list.GetSelectedItems(indexes);
    std::string text;
    for (int i = 0; i < indexes.GetCount(); i++) text += list.GetItemText(indexes.GetAt(i)).GetText();
    return text;
  }
  static std::string Texts(const SListCtrl& list) {
    std::string text;
    for (int i = 0; i < list.GetCount(); i++) text += list.GetItemText(i).GetText();
    return text;
  }
};

TEST_F(ListControls, CreateMakesAVariableOwnerDrawnListOfRecords) {
  SListCtrl list;
  RECT rect = Rect(10, 10, 150, 120);
  ASSERT_TRUE(list.Create(WS_VISIBLE | WS_VSCROLL | LBS_SORT | LBS_HASSTRINGS | LBS_OWNERDRAWFIXED, 0, &rect,
                          parent.GetHwnd(), 5));
  DWORD style = DWORD(GetWindowLongA(list.GetHwnd(), GWL_STYLE));
  EXPECT_EQ(DWORD(LBS_OWNERDRAWVARIABLE), style & (LBS_OWNERDRAWVARIABLE | LBS_OWNERDRAWFIXED));
  EXPECT_FALSE(style & (LBS_SORT | LBS_HASSTRINGS));
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_EQ(23, list.GetType());
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), list.GetBackColor());

  // Items keep insertion order, their images and values.
  EXPECT_EQ(0, list.InsertItem(-1, "zeta", 2, 3, 77));
  EXPECT_EQ(0, list.InsertItem(0, "alpha"));
  EXPECT_EQ(2, list.InsertItem(-9, "mid"));
  EXPECT_EQ(-1, list.InsertItem(10, "far"));
  EXPECT_EQ(3, list.GetCount());
  EXPECT_STREQ("zeta", list.GetItemText(1).GetText());
  EXPECT_EQ(2, list.GetItemLeftImage(1));
  EXPECT_EQ(77u, list.GetItemData(1));
  EXPECT_EQ(-1, list.GetItemLeftImage(0));
  EXPECT_EQ(-1, list.GetItemLeftImage(9));
  EXPECT_STREQ("", list.GetItemText(9).GetText());
  EXPECT_TRUE(list.SetItemText(2, "middle"));
  EXPECT_STREQ("middle", list.GetItemText(2).GetText());
  EXPECT_EQ(-1, list.SetSelectedText("none"));
  list.SetSelection(2);
  EXPECT_EQ(0, list.SetSelectedText("chosen"));
  EXPECT_STREQ("chosen", list.GetItemText(2).GetText());

  SStringArray more;
  more.Add("x");
  more.Add("y");
  EXPECT_EQ(2, list.AddItems(&more, 1));
  EXPECT_EQ("alphaxyzetachosen", Texts(list));
  EXPECT_EQ(0, list.AddItems(nullptr));
  EXPECT_EQ(2, list.AddItems(&more, 99));  // out of range appends
  EXPECT_EQ("alphaxyzetachosenxy", Texts(list));
  EXPECT_TRUE(list.RemoveItem(0));
  EXPECT_FALSE(list.RemoveItem(-1));
  list.RemoveAll();
  EXPECT_EQ(0, list.GetCount());
}

TEST_F(ListControls, ItemHeightUsesTheListsFontAndImages) {
  SListCtrl small, large;
  ASSERT_TRUE(Make(small, 0, 0));
  ASSERT_TRUE(Make(large, 0, 0));
  HFONT font = CreateFontA(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  large.SetFont(font, true);
  TEXTMETRICA metrics;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // A larger font is measured in: the item is not clipped.
  EXPECT_EQ(metrics.tmHeight + 2, large.GetItemHeight());
  EXPECT_LT(small.GetItemHeight(), large.GetItemHeight());
  large.InsertItem(-1, "Tall");
  RECT item;
  ASSERT_TRUE(large.GetItemRect(0, &item));
  EXPECT_EQ(large.GetItemHeight(), item.bottom - item.top);
  EXPECT_GT(large.GetIdealWidth(), small.GetIdealWidth());
  EXPECT_EQ(200 / large.GetItemHeight(), large.GetVisibleCount());

  // Images taller than the text set the height; a failing list clears a side.
  HIMAGELIST images = ImageList_Create(16, 60, ILC_COLOR32, 1, 0);
  small.SetRightImageList(images);
  EXPECT_EQ(62, small.GetItemHeight());
  small.SetRightImageList(HIMAGELIST(nullptr));
  EXPECT_GT(62, small.GetItemHeight());
  ImageList_Destroy(images);
  large.Destroy();
  DeleteObject(font);
}

TEST_F(ListControls, MeasureAndDrawReadOnlyTheFrameworksRecords) {
  SListCtrl list;
  ASSERT_TRUE(Make(list, 0, 1));
  // Another owner-drawn list box on the same parent, whose item data is a
  // plain number: the parent's handling must not take it for a record.
  RECT rect = Rect(220, 10, 100, 100);
  HWND foreign = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE, rect.left,
                                 rect.top, 100, 100, parent.GetHwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, foreign);
  EXPECT_EQ(0, SendMessageA(foreign, LB_ADDSTRING, 0, 0x1234));
  UpdateWindow(foreign);

  MEASUREITEMSTRUCT measure = {ODT_LISTBOX, 0, 0, 0, 5, 0x1234};
  EXPECT_FALSE(MeasureListItem(&measure));
  EXPECT_EQ(5u, measure.itemHeight);
  measure.itemData = ULONG_PTR(list.SendMessage(LB_GETITEMDATA, 0, 0));
  EXPECT_TRUE(MeasureListItem(&measure));
  EXPECT_EQ(UINT(list.GetItemHeight()), measure.itemHeight);
  measure.CtlType = ODT_MENU;
  EXPECT_FALSE(MeasureListItem(&measure));
  // A removed item's record is no record any more.
  measure.CtlType = ODT_LISTBOX;
  ASSERT_TRUE(list.RemoveItem(0));
  EXPECT_FALSE(MeasureListItem(&measure));
  ASSERT_EQ(0, list.InsertItem(-1, "again"));

  HDC dc = GetDC(foreign);
  DRAWITEMSTRUCT draw = {ODT_LISTBOX, 0, 0, ODA_DRAWENTIRE, 0, foreign, dc, {0, 0, 50, 10}, 0x1234};
  EXPECT_FALSE(DrawListItem(&draw));
  // A list of ours asked to draw data it did not make refuses too.
  draw.hwndItem = list.GetHwnd();
  EXPECT_FALSE(DrawListItem(&draw));
  draw.itemData = ULONG_PTR(list.SendMessage(LB_GETITEMDATA, 0, 0));
  EXPECT_TRUE(DrawListItem(&draw));
  draw.itemID = UINT(-1);
  EXPECT_FALSE(DrawListItem(&draw));
  ReleaseDC(foreign, dc);
  DestroyWindow(foreign);
}

TEST_F(ListControls, ExtendedSelectionFollowsShiftCtrlAndTheRightButton) {
  SListCtrl list;
  ASSERT_TRUE(Make(list, LBS_EXTENDEDSEL, 6));
  const struct {
    int item;  // -1: below the last item
    std::vector<int> keys;
    bool right;
    const char* selected;
    int events;  // selection-change events so far
  } steps[] = {
      {1, {}, false, "B", 1},
      {1, {}, false, "B", 1},  // the only selected item: no event
      {3, {VK_SHIFT}, false, "BCD", 2},
      {5, {VK_CONTROL}, false, "BCDF", 3},
      {2, {VK_CONTROL}, false, "BDF", 4},
      {3, {}, true, "BDF", 4},  // right press on a selected item keeps them
      {4, {}, true, "E", 5},    // on an unselected one selects it alone
      {-1, {}, false, "", 6},   // below the last item
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.selected);
    if (s.item >= 0) {
      ASSERT_TRUE(ClickItem(list, s.item, s.keys, s.right));
    } else {
      ASSERT_TRUE(Click(list, 20, 190));
    }
    EXPECT_EQ(s.selected, Selected(list));
    EXPECT_EQ(s.events, parent.Count(kListSelection));
  }
  EXPECT_EQ(reinterpret_cast<WPARAM>(&list), parent.Last(kListSelection)->wparam);
  // The left press went to the parent as a report and gave the list the focus.
  EXPECT_EQ(9, parent.mouseCodes.front());
  EXPECT_TRUE(list.HasFocus());
}

TEST_F(ListControls, SingleSelectionKeysAndDoubleClicks) {
  SListCtrl list;
  ASSERT_TRUE(Make(list, 0, 4));
  ASSERT_TRUE(ClickItem(list, 2));
  EXPECT_EQ(2, list.GetSelection());
  EXPECT_EQ(1, parent.Count(kListSelection));
  // A click below the last item clears the selection.
  ASSERT_TRUE(Click(list, 20, 190));
  EXPECT_EQ(-1, list.GetSelection());
  EXPECT_EQ(2, parent.Count(kListSelection));

  // A key moves the selection: the change first, then the key.
  list.SetSelection(0);
  parent.Forget();
  list.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(1, list.GetSelection());
  std::vector<TestWnd::Event> events;
  for (const auto& e : parent.events)
    if (e.message >= kListKey && e.message <= kListDouble) events.push_back(e);
  ASSERT_EQ(2u, events.size());
  EXPECT_EQ(kListSelection, events[0].message);
  EXPECT_EQ(kListKey, events[1].message);
  EXPECT_EQ(VK_DOWN, events[1].lparam);

  // A double click counts only with a selection.
  parent.Forget();
  list.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(20, 5));
  EXPECT_EQ(1, parent.Count(kListDouble));
  list.SetSelection(-1);
  list.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(20, 190));
  EXPECT_EQ(1, parent.Count(kListDouble));
  EXPECT_EQ(65, parent.mouseCodes.back());
}

TEST_F(ListControls, RemoveSelectedRemovesExactlyTheSelection) {
  const struct {
    DWORD style;
    std::vector<int> order;
    const char* left;
  } cases[] = {
      {LBS_MULTIPLESEL, {4, 1, 3}, "ACF"},
      {LBS_EXTENDEDSEL, {5, 0, 2}, "BDE"},
      {0, {3}, "ABCEF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.left);
    SListCtrl list;
    ASSERT_TRUE(Make(list, c.style, 6));
    for (int index : c.order) list.SetItemSelected(true, index);
    EXPECT_EQ(int(c.order.size()), list.GetSelCount());
    EXPECT_EQ(int(c.order.size()), list.RemoveSelected());
    EXPECT_EQ(c.left, Texts(list));
    EXPECT_EQ(0, list.GetSelCount());
  }
  // Multiple selection toggles on each press.
  SListCtrl multiple;
  ASSERT_TRUE(Make(multiple, LBS_MULTIPLESEL, 3));
  ASSERT_TRUE(ClickItem(multiple, 0));
  ASSERT_TRUE(ClickItem(multiple, 2));
  EXPECT_EQ("AC", Selected(multiple));
  ASSERT_TRUE(ClickItem(multiple, 0));
  EXPECT_EQ("C", Selected(multiple));
}

TEST_F(ListControls, FindIgnoresCase) {
  SListCtrl list;
  ASSERT_TRUE(Make(list, 0, 0));
  for (const char* text : {"Apple", "banana", "BANDANA", "cherry"}) list.InsertItem(-1, text);
  EXPECT_EQ(1, list.FindPrefix(0, "BAN"));
  EXPECT_EQ(2, list.FindPrefix(2, "ban"));
  EXPECT_EQ(1, list.FindPrefix(-4, "bAn"));
  EXPECT_EQ(-1, list.FindPrefix(0, ""));
  EXPECT_EQ(-1, list.FindPrefix(0, "bananas"));
  EXPECT_EQ(0, list.FindExact(0, "APPLE"));
  EXPECT_EQ(-1, list.FindExact(0, "App"));
  EXPECT_EQ(3, list.SelectString("CHERRY", true));
  EXPECT_EQ(3, list.GetSelection());
  EXPECT_EQ(1, list.SelectString("ba", false));
  EXPECT_EQ(1, list.GetSelection());
}

TEST_F(ListControls, ItemsShowImagesAndTheSelectionColoursOfTheFocus) {
  const COLORREF red = RGB(220, 20, 20), green = RGB(20, 200, 40), back = RGB(180, 0, 180),
                 text = RGB(255, 255, 0);
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 2, 0);
  for (COLORREF color : {red, green}) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all = {0, 0, 16, 16};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    ImageList_Add(images, bitmap, nullptr);
    DeleteObject(bitmap);
  }
  SListCtrl list;
  RECT rect = Rect(10, 10, 200, 150);
  ASSERT_TRUE(list.Create(WS_VISIBLE, 0, &rect, parent.GetHwnd(), 1));
  list.SetLeftImageList(images);
  list.SetRightImageList(images);
  list.SetSelectionColors(back, text);
  list.InsertItem(-1, "Selected", 0, 1);
  list.InsertItem(-1, "", 1, -1);
  list.InsertItem(-1, "Plain");
  list.SetSelection(0);
  EXPECT_EQ(18, list.GetItemHeight());  // 16 + 2 x margin beats the text
  HWND handle = list.GetHwnd();
  RECT client;
  GetClientRect(handle, &client);
  int width = client.right;

  for (bool focus : {true, false}) {
    SCOPED_TRACE(focus);
    if (focus)
      list.SetFocus();
    else
      ::SetFocus(parent.GetHwnd());
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(50);
    Screenshot shot(handle);
    COLORREF selection = focus ? back : GetSysColor(COLOR_GRAYTEXT);
    // Item 0: the left image from 2 x margin, the selection fill between the
    // images, text in the selection colour, the right image at the right.
    EXPECT_EQ(red, shot.At(handle, 2, 10));
    EXPECT_EQ(red, shot.At(handle, 17, 10));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), shot.At(handle, 19, 10));  // the left gap is not selected
    EXPECT_EQ(selection, shot.At(handle, 21, 1));
    EXPECT_EQ(selection, shot.At(handle, width - 22, 16));
    EXPECT_EQ(green, shot.At(handle, width - 20, 10));
    EXPECT_EQ(green, shot.At(handle, width - 5, 10));
    EXPECT_GT(shot.Count(handle, Rect(22, 0, 100, 18), text), 10);
    // Item 1: no text, only its image; item 2: the plain colours.
    EXPECT_EQ(green, shot.At(handle, 8, 27));
    EXPECT_EQ(0, shot.Count(handle, Rect(20, 18, width - 40, 18), text));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), shot.At(handle, 8, 45));
    EXPECT_GT(shot.Count(handle, Rect(0, 36, 100, 18), GetSysColor(COLOR_WINDOWTEXT)), 10);
    EXPECT_EQ(0, shot.Count(handle, Rect(0, 36, width, 18), selection));
    if (HasFailure()) shot.SaveBmp(focus ? TAVRIN_IMAGE_OUT "/list-focus-failed.bmp"
                                         : TAVRIN_IMAGE_OUT "/list-nofocus-failed.bmp");
  }
  list.Destroy();
  ImageList_Destroy(images);
}

}  // namespace
