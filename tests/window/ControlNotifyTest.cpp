// Child notifications arriving at the parent as ControlNotifyMessages.
#include "InputTesting.h"
#include "WindowTesting.h"

#include <commctrl.h>

#include "window/ControlNotify.h"
#include "window/controls/SRadioCtrl.h"

namespace {

class ControlNotify : public WindowTest {
 public:
  static void SetUpTestSuite() {
    WindowTest::SetUpTestSuite();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
  }
};

WPARAM Child(const SWnd& child) { return reinterpret_cast<WPARAM>(&child); }

LRESULT SendCommand(const TestWnd& parent, const SWnd& child, int code) {
  return SendMessageA(parent.GetHwnd(), WM_COMMAND, MAKEWPARAM(1, code), reinterpret_cast<LPARAM>(child.GetHwnd()));
}

// A WM_NOTIFY of the child with its header filled in.
template <class Record>
LRESULT SendNotify(const TestWnd& parent, const SWnd& child, UINT code, Record& record) {
  NMHDR* header = reinterpret_cast<NMHDR*>(&record);
  header->hwndFrom = child.GetHwnd();
  header->idFrom = 1;
  header->code = code;
  return SendMessageA(parent.GetHwnd(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&record));
}

TEST_F(ControlNotify, ButtonClickArrivesOnceAtTheParent) {
  TestWnd parent, button(kWindowButton);
  ASSERT_TRUE(parent.Make());
  ASSERT_TRUE(button.MakeControl("BUTTON", parent.GetHwnd(), BS_PUSHBUTTON));
  SendMessageA(button.GetHwnd(), BM_CLICK, 0, 0);
  ASSERT_EQ(1, parent.Count(0x8BC3));
  EXPECT_EQ(ControlNotifyMessage(kControlClassButton, 1), 0x8BC3u);
  EXPECT_EQ(Child(button), parent.Last(0x8BC3)->wparam);
  EXPECT_EQ(0, parent.Last(0x8BC3)->lparam);
  EXPECT_TRUE(parent.Saw(WM_COMMAND));  // and the command goes on

  // The same click from a plain Win32 button is not translated.
  HWND plain = CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_PUSHBUTTON, 0, 0, 10, 10, parent.GetHwnd(),
                               nullptr, nullptr, nullptr);
  SendMessageA(plain, BM_CLICK, 0, 0);
  EXPECT_EQ(1, parent.Count(0x8BC3));
}

TEST_F(ControlNotify, CheckBoxIsToggledBeforeTheEvent) {
  TestWnd parent, box(kWindowCheck);
  ASSERT_TRUE(parent.Make());
  ASSERT_TRUE(box.MakeControl("BUTTON", parent.GetHwnd(), BS_3STATE));
  SendMessageA(box.GetHwnd(), BM_SETCHECK, BST_INDETERMINATE, 0);
  const LPARAM states[] = {1, 0, 1};  // indeterminate -> checked -> unchecked -> checked
  for (LPARAM state : states) {
    SendMessageA(box.GetHwnd(), BM_CLICK, 0, 0);
    ASSERT_NE(nullptr, parent.Last(0x8BCD));
    EXPECT_EQ(state, parent.Last(0x8BCD)->lparam);
    EXPECT_EQ(state, SendMessageA(box.GetHwnd(), BM_GETCHECK, 0, 0));
  }
  EXPECT_EQ(3, parent.Count(0x8BCD));
}

TEST_F(ControlNotify, EditChangeIsReportedOnlyWhileTheEditHasTheFocus) {
  TestWnd parent, edit(kWindowEdit);
  ASSERT_TRUE(parent.Make());
  ASSERT_TRUE(edit.MakeControl("EDIT", parent.GetHwnd()));
  SetFocus(parent.GetHwnd());
  edit.SetText("set by the program");
  EXPECT_EQ(0, parent.Count(0x8BF5));
  edit.SetFocus();
  ASSERT_TRUE(edit.HasFocus());
  edit.SetText("typed");
  ASSERT_EQ(1, parent.Count(0x8BF5));
  EXPECT_EQ(Child(edit), parent.Last(0x8BF5)->wparam);
}

TEST_F(ControlNotify, CommandCodesOfTheOtherControls) {
  TestWnd parent;
  ASSERT_TRUE(parent.Make());
  const struct {
    int type;
    const char* className;
    DWORD style;
    int code;
    UINT message;  // 0: nothing sent
    LPARAM lparam;
  } cases[] = {
      {kWindowCombo, "COMBOBOX", CBS_DROPDOWN, CBN_SELCHANGE, 0x8BEB, 0},
      {kWindowCombo, "COMBOBOX", CBS_DROPDOWN, CBN_EDITCHANGE, 0x8BEA, 0},
      {kWindowCombo, "COMBOBOX", CBS_DROPDOWN, CBN_DROPDOWN, 0, 0},
      {kWindowRichEdit, "RichEdit20A", ES_MULTILINE, EN_CHANGE, 0x8C95, 0},
      {kWindowButton, "BUTTON", BS_PUSHBUTTON, BN_SETFOCUS, 0, 0},
      {kWindowGroup, "BUTTON", BS_GROUPBOX, BN_CLICKED, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.className << " " << c.code);
    TestWnd child(c.type);
    ASSERT_TRUE(child.MakeControl(c.className, parent.GetHwnd(), c.style));
    parent.Forget();
    SendCommand(parent, child, c.code);
    EXPECT_TRUE(parent.Saw(WM_COMMAND));
    if (c.message == 0) {
      EXPECT_TRUE(parent.events.empty());
      continue;
    }
    ASSERT_EQ(1u, parent.events.size());
    EXPECT_EQ(c.message, parent.events[0].message);
    EXPECT_EQ(Child(child), parent.events[0].wparam);
    EXPECT_EQ(c.lparam, parent.events[0].lparam);
  }
  // A radio button is selected first, then reports whether it is checked.
  SRadioCtrl radio;
  ASSERT_TRUE(radio.Create("", 0, 0, nullptr, parent.GetHwnd(), 1));
  SendCommand(parent, radio, BN_CLICKED);
  ASSERT_NE(nullptr, parent.Last(0x8C8B));
  EXPECT_EQ(1, parent.Last(0x8C8B)->lparam);
}

TEST_F(ControlNotify, ExtendedListNotifications) {
  TestWnd parent, list(kWindowExtendedList);
  ASSERT_TRUE(parent.Make(nullptr, 0, 300, 200));
  ASSERT_TRUE(list.MakeControl(WC_LISTVIEWA, parent.GetHwnd(), LVS_LIST | LVS_EDITLABELS));
  HWND handle = list.GetHwnd();
  for (int i = 0; i < 2; i++) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char*>("item");
    SendMessageA(handle, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }

  NMLVKEYDOWN key = {};
  key.wVKey = VK_F2;
  SendNotify(parent, list, LVN_KEYDOWN, key);
  ASSERT_NE(nullptr, parent.Last(0x8BFE));
  EXPECT_EQ(VK_F2, parent.Last(0x8BFE)->lparam);

  NMLISTVIEW column = {};
  column.iSubItem = 3;
  SendNotify(parent, list, LVN_COLUMNCLICK, column);
  ASSERT_NE(nullptr, parent.Last(0x8C02));
  EXPECT_EQ(3, parent.Last(0x8C02)->lparam);

  // Label edits: the parent's answer decides.
  NMLVDISPINFOA info = {};
  info.item.iItem = 1;
  parent.answers[0x8C03] = 1;
  EXPECT_EQ(1, SendNotify(parent, list, LVN_BEGINLABELEDITA, info));  // refused
  EXPECT_EQ(1, parent.Last(0x8C03)->lparam);
  parent.answers[0x8C03] = 0;
  EXPECT_EQ(0, SendNotify(parent, list, LVN_BEGINLABELEDITA, info));
  info.item.mask = LVIF_TEXT;
  info.item.pszText = const_cast<char*>("new");
  parent.answers[0x8C04] = 0;
  EXPECT_EQ(1, SendNotify(parent, list, LVN_ENDLABELEDITA, info));  // the text is kept
  EXPECT_EQ(reinterpret_cast<LPARAM>(&info.item), parent.Last(0x8C04)->lparam);
  parent.answers[0x8C04] = 1;
  EXPECT_EQ(0, SendNotify(parent, list, LVN_ENDLABELEDITA, info));  // rejected
  info.item.pszText = nullptr;
  SendNotify(parent, list, LVN_ENDLABELEDITA, info);
  EXPECT_EQ(1, parent.Count(0x8C05));  // cancelled

  // An item left with the focus but no selection reports no item (the list
  // reports its own state changes).
  LVITEMA state = {};
  state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  state.state = LVIS_FOCUSED;
  SendMessageA(handle, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  ASSERT_NE(nullptr, parent.Last(0x8C00));
  EXPECT_EQ(-1, parent.Last(0x8C00)->lparam);
  EXPECT_EQ(0u, SendMessageA(handle, LVM_GETITEMSTATE, 0, LVIS_FOCUSED));  // and loses the focus
  state.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageA(handle, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(0, parent.Last(0x8C00)->lparam);

  // A double click on an item names it; on the empty area it does not.
  RECT itemRect = {LVIR_LABEL, 0, 0, 0};
  ASSERT_TRUE(SendMessageA(handle, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&itemRect)));
  int x = itemRect.left + 2, y = (itemRect.top + itemRect.bottom) / 2;
  if (!MoveCursorTo(handle, x, y)) GTEST_SKIP() << "the cursor cannot be moved on this display";
  NMITEMACTIVATE click = {};
  SendNotify(parent, list, NM_DBLCLK, click);
  ASSERT_EQ(1, parent.Count(0x8BFF));
  ASSERT_NE(nullptr, parent.Last(0x8C01));
  EXPECT_EQ(1, parent.Last(0x8C01)->lparam);
  ControlMouseRecord seen = {};
  parent.handler = [&](UINT message, WPARAM, LPARAM lparam, LRESULT*) {
    if (message == 0x8BFF) seen = *reinterpret_cast<ControlMouseRecord*>(lparam);
    return false;
  };
  ASSERT_TRUE(MoveCursorTo(handle, 290, 190));
  SendNotify(parent, list, NM_RCLICK, click);
  EXPECT_EQ(kMouseRight | kMouseClick, seen.code);
  EXPECT_EQ(290, seen.x);
  EXPECT_EQ(190, seen.y);
  POINT screen = {290, 190};
  ClientToScreen(handle, &screen);
  EXPECT_EQ(screen.x, seen.screenX);
  EXPECT_EQ(screen.y, seen.screenY);
  int doubleClicks = parent.Count(0x8C01);
  SendNotify(parent, list, NM_DBLCLK, click);
  EXPECT_EQ(kMouseLeft | kMouseDoubleClick, seen.code);
  EXPECT_EQ(doubleClicks, parent.Count(0x8C01));
}

HTREEITEM InsertTreeItem(HWND tree, HTREEITEM parent, const char* text) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<char*>(text);
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

TEST_F(ControlNotify, TreeNotifications) {
  TestWnd parent, tree(kWindowTree);
  ASSERT_TRUE(parent.Make(nullptr, 0, 300, 200));
  ASSERT_TRUE(tree.MakeControl(WC_TREEVIEWA, parent.GetHwnd(), TVS_EDITLABELS));
  HWND handle = tree.GetHwnd();
  HTREEITEM root = InsertTreeItem(handle, TVI_ROOT, "root");
  SendMessageA(handle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
  parent.Forget();

  NMTREEVIEWA view = {};
  SendNotify(parent, tree, TVN_SELCHANGEDA, view);
  ASSERT_EQ(1, parent.Count(0x8CFA));
  EXPECT_EQ(reinterpret_cast<LPARAM>(root), parent.Last(0x8CFA)->lparam);
  view.itemNew.hItem = root;
  SendNotify(parent, tree, TVN_ITEMEXPANDEDA, view);
  EXPECT_EQ(reinterpret_cast<LPARAM>(root), parent.Last(0x8CFD)->lparam);

  // Deleting while the only root holds the caret reports no selection.
  SendNotify(parent, tree, TVN_DELETEITEMA, view);
  ASSERT_EQ(2, parent.Count(0x8CFA));
  EXPECT_EQ(0, parent.Last(0x8CFA)->lparam);
  HTREEITEM second = InsertTreeItem(handle, TVI_ROOT, "second");
  SendNotify(parent, tree, TVN_DELETEITEMA, view);
  EXPECT_EQ(2, parent.Count(0x8CFA));  // two roots: nothing
  InsertTreeItem(handle, second, "leaf");

  NMTVDISPINFOA info = {};
  parent.answers[0x8CFE] = 7;
  EXPECT_EQ(1, SendNotify(parent, tree, TVN_BEGINLABELEDITA, info));
  EXPECT_EQ(reinterpret_cast<LPARAM>(&info.item), parent.Last(0x8CFE)->lparam);
  info.item.pszText = const_cast<char*>("renamed");
  EXPECT_EQ(1, SendNotify(parent, tree, TVN_ENDLABELEDITA, info));
  parent.answers[0x8CFF] = 1;
  EXPECT_EQ(0, SendNotify(parent, tree, TVN_ENDLABELEDITA, info));
  info.item.pszText = nullptr;
  SendNotify(parent, tree, TVN_ENDLABELEDITA, info);
  EXPECT_EQ(1, parent.Count(0x8D00));

  // A double click on the caret item's row opens it; one on the empty area
  // is only a mouse event.
  RECT row;
  *reinterpret_cast<HTREEITEM*>(&row) = root;
  ASSERT_TRUE(SendMessageA(handle, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&row)));
  if (!MoveCursorTo(handle, row.right - 2, (row.top + row.bottom) / 2))
    GTEST_SKIP() << "the cursor cannot be moved on this display";
  NMHDR click = {};
  SendNotify(parent, tree, NM_DBLCLK, click);
  EXPECT_EQ(1, parent.Count(0x8CF9));
  ASSERT_EQ(1, parent.Count(0x8CFB));
  EXPECT_EQ(reinterpret_cast<LPARAM>(root), parent.Last(0x8CFB)->lparam);
  EXPECT_TRUE(tree.RefusesNextFocus());
  // The next focus goes back where it came from, once.
  SetFocus(parent.GetHwnd());
  SetFocus(handle);
  EXPECT_EQ(parent.GetHwnd(), GetFocus());
  EXPECT_FALSE(tree.RefusesNextFocus());

  ASSERT_TRUE(MoveCursorTo(handle, 150, 190));
  SendNotify(parent, tree, NM_DBLCLK, click);
  EXPECT_EQ(2, parent.Count(0x8CF9));
  EXPECT_EQ(1, parent.Count(0x8CFB));
  SendNotify(parent, tree, NM_CLICK, click);
  EXPECT_EQ(3, parent.Count(0x8CF9));
}

TEST_F(ControlNotify, TabAndControlBarNotifications) {
  TestWnd parent, tab(kWindowTab), bar(kWindowControlBar);
  ASSERT_TRUE(parent.Make());
  ASSERT_TRUE(tab.MakeControl(WC_TABCONTROLA, parent.GetHwnd()));
  for (int i = 0; i < 2; i++) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("page");
    SendMessageA(tab.GetHwnd(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(tab.GetHwnd(), TCM_SETCURSEL, 1, 0);
  NMHDR header = {};
  SendNotify(parent, tab, TCN_SELCHANGE, header);
  ASSERT_NE(nullptr, parent.Last(0x8CD1));
  EXPECT_EQ(1, parent.Last(0x8CD1)->lparam);
  SendNotify(parent, tab, TCN_SELCHANGING, header);
  EXPECT_EQ(1, parent.Count(0x8CD1));

  ASSERT_TRUE(bar.MakeControl(REBARCLASSNAMEA, parent.GetHwnd()));
  SendNotify(parent, bar, RBN_AUTOSIZE, header);
  ASSERT_EQ(1, parent.Count(0x8BE0));
  EXPECT_EQ(Child(bar), parent.Last(0x8BE0)->wparam);
}

TEST_F(ControlNotify, ScrollBarsAndSliders) {
  TestWnd parent;
  ASSERT_TRUE(parent.Make(nullptr, WS_VSCROLL));
  parent.SetScrollSteps(7, 20, 5);

  // A scroll-bar child moves by the parent's steps, snapped, and reports.
  TestWnd bar(kWindowScroll);
  ASSERT_TRUE(bar.MakeControl("SCROLLBAR", parent.GetHwnd(), SBS_HORZ));
  SendMessageA(bar.GetHwnd(), SBM_SETRANGE, 0, 100);
  const struct {
    WPARAM request;
    int from, to;
  } moves[] = {
      {SB_LINEDOWN, 0, 5},                     // 7 snapped down to 5
      {SB_PAGEDOWN, 5, 25},
      {MAKEWPARAM(SB_THUMBTRACK, 37), 25, 35},
      {SB_BOTTOM, 35, 100},
      {SB_LINEDOWN, 100, 100},                 // clamped: no change, no event
      {SB_TOP, 100, 0},
      {SB_LINEUP, 0, 0},
      {SB_ENDSCROLL, 0, 0},
  };
  int events = 0;
  for (const auto& m : moves) {
    SCOPED_TRACE(m.request);
    ASSERT_EQ(m.from, SendMessageA(bar.GetHwnd(), SBM_GETPOS, 0, 0));
    EXPECT_EQ(0, SendMessageA(parent.GetHwnd(), WM_HSCROLL, m.request, reinterpret_cast<LPARAM>(bar.GetHwnd())));
    EXPECT_EQ(m.to, SendMessageA(bar.GetHwnd(), SBM_GETPOS, 0, 0));
    if (m.to != m.from) events++;
    EXPECT_EQ(events, parent.Count(0x8C9F));
  }
  EXPECT_EQ(Child(bar), parent.Last(0x8C9F)->wparam);

  // Any scroll of a slider child is reported before the default processing.
  TestWnd slider(kWindowSlider);
  ASSERT_TRUE(slider.MakeControl(TRACKBAR_CLASSA, parent.GetHwnd()));
  SendMessageA(parent.GetHwnd(), WM_HSCROLL, SB_ENDSCROLL, reinterpret_cast<LPARAM>(slider.GetHwnd()));
  SendMessageA(parent.GetHwnd(), WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(slider.GetHwnd()));
  EXPECT_EQ(2, parent.Count(0x8CA9));

  // The window's own bar: the old and new position in one word.
  SetScrollRange(parent.GetHwnd(), SB_VERT, 0, 100, FALSE);
  SetScrollPos(parent.GetHwnd(), SB_VERT, 10, FALSE);
  SendMessageA(parent.GetHwnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 57), 0);
  EXPECT_EQ(55, GetScrollPos(parent.GetHwnd(), SB_VERT));
  ASSERT_EQ(1, parent.Count(kScrolledVertMessage));
  EXPECT_EQ(WPARAM((55 << 16) | 10), parent.Last(kScrolledVertMessage)->wparam);
  SetScrollRange(parent.GetHwnd(), SB_VERT, -100, 100, FALSE);
  parent.SetVertScrollPos(-7);
  EXPECT_EQ(-5, GetScrollPos(parent.GetHwnd(), SB_VERT));  // snapped toward zero
  // A snap unit of 0 does not snap (and divides by nothing).
  parent.SetScrollSteps(7, 20, 0);
  SendMessageA(parent.GetHwnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 37), 0);
  EXPECT_EQ(37, GetScrollPos(parent.GetHwnd(), SB_VERT));
}

TEST_F(ControlNotify, MouseCodesAndRecords) {
  const struct {
    UINT message;
    int32_t code;
  } codes[] = {
      {WM_LBUTTONDOWN, 9},   {WM_LBUTTONUP, 17},   {WM_LBUTTONDBLCLK, 65}, {WM_RBUTTONDOWN, 12},
      {WM_RBUTTONUP, 20},    {WM_RBUTTONDBLCLK, 68}, {WM_MBUTTONDOWN, 10}, {WM_MBUTTONUP, 18},
      {WM_MBUTTONDBLCLK, 66}, {kLeftClickMessage, 33}, {kMiddleClickMessage, 34}, {kRightClickMessage, 36},
      {WM_MOUSEMOVE, 0},
  };
  for (const auto& c : codes) EXPECT_EQ(c.code, MouseEventCodeFor(c.message)) << c.message;

  TestWnd window;
  ASSERT_TRUE(window.Make());
  ControlMouseRecord record = MakeControlMouseRecord(window.GetHwnd(), 9, MAKELPARAM(-3, 12));
  POINT screen = {-3, 12};
  ClientToScreen(window.GetHwnd(), &screen);
  EXPECT_EQ(9, record.code);
  EXPECT_EQ(-3, record.x);
  EXPECT_EQ(12, record.y);
  EXPECT_EQ(screen.x, record.screenX);
  EXPECT_EQ(screen.y, record.screenY);
}

TEST_F(ControlNotify, ParentDeletedByTheClickHandler) {
  PoisonedWnd* parent = new PoisonedWnd;
  ASSERT_TRUE(parent->Make());
  TestWnd* button = new TestWnd(kWindowButton);
  ASSERT_TRUE(button->MakeControl("BUTTON", parent->GetHwnd(), BS_PUSHBUTTON));
  HWND buttonHandle = button->GetHwnd();
  // The dialog closes on the click and deletes itself and its control.
  parent->handler = [parent, button](UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message != 0x8BC3) return false;
    delete button;
    delete parent;
    return true;
  };
  SendMessageA(buttonHandle, BM_CLICK, 0, 0);
  EXPECT_TRUE(PoisonedWnd::Deleted());
  EXPECT_TRUE(PoisonedWnd::Untouched());
  EXPECT_FALSE(IsWindow(buttonHandle));
}

}  // namespace
