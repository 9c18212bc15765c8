// The control factory on single records, in run and design mode: which
// window each type gets, and what its keys set, read back from the live
// controls.
#include "dialogs/ControlFactory.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "DescriptionBuilding.h"
#include "controls/custom/SExternCtrl.h"
#include "tests/window/ResourceTesting.h"
#include "tests/window/ScreenshotTesting.h"
#include "window/controls/SButtonCtrl.h"
#include "window/controls/SEditCtrl.h"
#include "window/controls/SListCtrl.h"
#include "window/controls/SRadioCtrl.h"
#include "window/controls/SStaticCtrl.h"
#include "window/controls/STabCtrl.h"
#include "window/controls/SToolBarCtrl.h"

namespace {

using Record = SDialog::ControlRecord;

class FactoryTest : public WindowTest {
 protected:
  void SetUp() override { ASSERT_TRUE(dialog.Make(60, 60, 400, 300)); }

  std::unique_ptr<Record> MakeControl(int number, const char* extra = "", DWORD style = WS_VISIBLE) {
    auto record = MakeRecord(12, "Made");
    record->controlNumber = int16_t(number);
    record->caption = "Caption";
    record->x = 10;
    record->y = 20;
    record->width = 120;
    record->height = 60;
    record->style = style;
    record->extra = extra;
    return record;
  }
  // The window, owned by the test.
  std::unique_ptr<SWnd> Create(const Record& record, bool runMode = true, SResource* resources = nullptr) {
    return std::unique_ptr<SWnd>(
        CreateControlFromRecord(&dialog, resources, dialog.GetHwnd(), &record, runMode));
  }

  TestDialog dialog;
};

struct ToolTipSearch {
  HWND owner;
  int count;
};

BOOL CALLBACK CountToolTip(HWND w, LPARAM p) {
  auto* search = reinterpret_cast<ToolTipSearch*>(p);
  if (ClassOf(w) != TOOLTIPS_CLASSA) return TRUE;
  TTTOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  if (SendMessageA(w, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)) && tool.hwnd == search->owner)
    search->count++;
  return TRUE;
}

// Tooltip windows with a tool over the window.
int ToolTipsOf(HWND window) {
  ToolTipSearch search = {window, 0};
  EnumThreadWindows(GetCurrentThreadId(), CountToolTip, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

TEST_F(FactoryTest, EveryTypeOnAStandardControlGetsItsWindow) {
  struct Case {
    int number;
    const char* className;
    const char* text;
    DWORD added;  // style bits that must be set
  } cases[] = {
      {kControlButton, "Button", "Caption", 0},
      {kControlCheck, "Button", "Caption", BS_CHECKBOX},
      {kControlCombo, "ComboBox", "", 0},
      {kControlEdit, "Edit", "Caption", 0},
      {kControlExtendedList, "SysListView32", "", LVS_SHAREIMAGELISTS},
      {kControlGroup, "Button", "Caption", BS_GROUPBOX},
      {kControlList, "ListBox", "", LBS_OWNERDRAWVARIABLE},
      {kControlProgress, "msctls_progress32", "", 0},
      {kControlRadio, "Button", "Caption", BS_RADIOBUTTON},
      {kControlRichEdit, "RichEdit20A", "Caption", ES_MULTILINE},
      {kControlScroll, "ScrollBar", "", 0},
      {kControlSlider, "msctls_trackbar32", "", TBS_DOWNISLEFT},
      {kControlStatic, "Static", "", SS_OWNERDRAW},
      {kControlTab, "SysTabControl32", "", 0},
      {kControlToolBar, "ToolbarWindow32", "", TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE},
      {kControlTree, "SysTreeView32", "", TVS_DISABLEDRAGDROP},
      {kControlWindow, "", "Caption", 0},
      {kControlExtern, "", "Caption", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ControlTypeKey(c.number));
    auto record = MakeControl(c.number, "TOOLTIP=Hint\r\n");
    record->id = -3;
    std::unique_ptr<SWnd> window = Create(*record);
    ASSERT_NE(nullptr, window);
    HWND handle = window->GetHwnd();
    if (*c.className) EXPECT_STRCASEEQ(c.className, ClassOf(handle).c_str());
    if (c.number != kControlCombo) EXPECT_EQ(c.text, TextOf(handle));
    DWORD style = DWORD(GetWindowLongA(handle, GWL_STYLE));
    EXPECT_EQ(c.added, style & c.added);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_EQ(-3, GetDlgCtrlID(handle));
    EXPECT_STREQ("Made", window->GetName().GetText());
    EXPECT_EQ(1, ToolTipsOf(handle));
    RECT rect;
    GetWindowRect(handle, &rect);
    MapWindowPoints(nullptr, dialog.GetHwnd(), reinterpret_cast<POINT*>(&rect), 2);
    if (c.number != kControlCombo) {
      EXPECT_EQ(10, rect.left);
      EXPECT_EQ(20, rect.top);
      EXPECT_EQ(130, rect.right);
      EXPECT_EQ(80, rect.bottom);
    }
  }
}

TEST_F(FactoryTest, RecordsWithoutAWindowGiveNull) {
  for (int number : {0, -1, 37, int(kControlLabel), int(kControlPanel)}) {
    SCOPED_TRACE(number);
    auto record = MakeControl(number);
    EXPECT_EQ(nullptr, Create(*record));
  }
  auto button = MakeControl(kControlButton);
  EXPECT_EQ(nullptr, CreateControlFromRecord(&dialog, nullptr, nullptr, button.get(), true));
  EXPECT_EQ(nullptr, CreateControlFromRecord(&dialog, nullptr, dialog.GetHwnd(), nullptr, true));
}

// A button that refuses its creation, and notes its own deletion.
class RefusingButton : public SButtonCtrl {
 public:
  explicit RefusingButton(bool* deleted) : m_deleted(deleted) {}
  ~RefusingButton() override { *m_deleted = true; }
  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == kCreatedMessage) return 1;
    return SButtonCtrl::WindowProc(message, wparam, lparam);
  }

 private:
  bool* m_deleted;
};

TEST_F(FactoryTest, AnObjectTheDialogSuppliedIsDeletedWhenNoWindowComes) {
  bool refusedDeleted = false, unmadeDeleted = false;
  dialog.objects = [&](int number, const Record*) -> SWnd* {
    return new RefusingButton(number == kControlButton ? &refusedDeleted : &unmadeDeleted);
  };
  auto button = MakeControl(kControlButton);
  EXPECT_EQ(nullptr, Create(*button));
  EXPECT_TRUE(refusedDeleted) << "creation refused through the created message";
  auto dialogType = MakeControl(kControlDialog);
  EXPECT_EQ(nullptr, Create(*dialogType));
  EXPECT_TRUE(unmadeDeleted) << "a type that is not made";
}

// Windows that programs make by ControlNumber: a child with id 0 and its
// text, an empty place for a null rectangle, no text for the frame, a
// popup that is no child, and the object deleted when no window comes.
TEST_F(FactoryTest, ControlsMadeByNumberForPrograms) {
  RECT place = {10, 20, 110, 50};
  std::unique_ptr<SWnd> button(
      CreateControlOfNumber(new SButtonCtrl, kControlButton, &place, WS_VISIBLE, 0, dialog.GetHwnd(), "Go"));
  ASSERT_NE(nullptr, button);
  EXPECT_EQ("Button", ClassOf(button->GetHwnd()));
  EXPECT_EQ(WS_CHILD, DWORD(button->GetStyle()) & (WS_CHILD | WS_POPUP));
  EXPECT_EQ(0, GetDlgCtrlID(button->GetHwnd()));
  EXPECT_EQ("Go", std::string(button->GetText().GetText()));
  EXPECT_EQ(100, button->GetWidth());

  std::unique_ptr<SWnd> frame(
      CreateControlOfNumber(new SStaticCtrl, kControlStatic, nullptr, WS_VISIBLE, 0, dialog.GetHwnd(), "Text"));
  ASSERT_NE(nullptr, frame);
  EXPECT_EQ(0, frame->GetWidth());
  EXPECT_EQ(0, frame->GetTextLength());

  std::unique_ptr<SWnd> popup(CreateControlOfNumber(new SButtonCtrl, kControlButton, &place, WS_POPUP, 0,
                                                    dialog.GetHwnd(), "Pop"));
  ASSERT_NE(nullptr, popup);
  EXPECT_EQ(DWORD(WS_POPUP), DWORD(popup->GetStyle()) & (WS_CHILD | WS_POPUP));

  bool deleted = false;
  EXPECT_EQ(nullptr, CreateControlOfNumber(new RefusingButton(&deleted), kControlButton, &place, 0, 0,
                                           dialog.GetHwnd(), ""));
  EXPECT_TRUE(deleted);
  deleted = false;
  EXPECT_EQ(nullptr, CreateControlOfNumber(new RefusingButton(&deleted), kControlButton, &place, 0, 0, nullptr, ""));
  EXPECT_TRUE(deleted) << "no parent";
}

TEST_F(FactoryTest, DesignModeKeepsWindowsHiddenAndEditsMultiline) {
  auto record = MakeControl(kControlEdit, "TOOLTIP=Hint\r\n", WS_VISIBLE | ES_AUTOHSCROLL);
  std::unique_ptr<SWnd> design = Create(*record, false);
  ASSERT_NE(nullptr, design);
  DWORD style = DWORD(GetWindowLongA(design->GetHwnd(), GWL_STYLE));
  EXPECT_FALSE(IsWindowVisible(design->GetHwnd()));
  EXPECT_EQ(DWORD(ES_MULTILINE | ES_AUTOHSCROLL), style & (ES_MULTILINE | ES_AUTOHSCROLL | WS_VISIBLE));
  EXPECT_EQ(1, ToolTipsOf(design->GetHwnd())) << "tooltips in both modes";
  std::unique_ptr<SWnd> run = Create(*record, true);
  style = DWORD(GetWindowLongA(run->GetHwnd(), GWL_STYLE));
  EXPECT_EQ(DWORD(ES_AUTOHSCROLL | WS_VISIBLE), style & (ES_MULTILINE | ES_AUTOHSCROLL | WS_VISIBLE));

  auto plain = MakeControl(kControlButton, "TOOLTIP=\r\n");
  std::unique_ptr<SWnd> untipped = Create(*plain);
  EXPECT_EQ(0, ToolTipsOf(untipped->GetHwnd())) << "an empty tooltip gives none";
}

TEST_F(FactoryTest, EdgesAreSixteenBitSums) {
  auto record = MakeControl(kControlButton, "", 0);
  record->x = 30000;
  record->width = 10000;
  std::unique_ptr<SWnd> window = Create(*record);
  ASSERT_NE(nullptr, window);
  RECT rect;
  GetWindowRect(window->GetHwnd(), &rect);
  MapWindowPoints(nullptr, dialog.GetHwnd(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(30000, rect.left);
  // Unwrapped, the width would be 10000; the right edge wrapped to -25536,
  // left of the left edge, and Windows makes no width of it.
  EXPECT_EQ(0, rect.right - rect.left);
}

TEST_F(FactoryTest, ColoursFollowTheColourRule) {
  // Button: a system colour is resolved, the transparent word kept.
  auto face = MakeControl(kControlButton);
  face->backColor = 0xFE00000F;
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), Create(*face)->GetBackColor());
  auto clear = MakeControl(kControlRadio);
  clear->backColor = kColorTransparent;
  EXPECT_EQ(kColorParentPaints, Create(*clear)->GetBackColor());
  // WINDOW: unset is white, transparent wins over any colour.
  auto window = MakeControl(kControlWindow);
  EXPECT_EQ(0x00FFFFFFu, Create(*window)->GetBackColor());
  window->backColor = 0x00123456;
  EXPECT_EQ(0x00123456u, Create(*window)->GetBackColor());
  window->transparent = true;
  EXPECT_EQ(kColorParentPaints, Create(*window)->GetBackColor());
  // Text colours of edits and lists.
  auto edit = MakeControl(kControlEdit);
  edit->textColor = 0x000000FF;
  auto made = Create(*edit);
  EXPECT_EQ(0x000000FFu, static_cast<SEditCtrl*>(made.get())->GetTextColor());
}

TEST_F(FactoryTest, ToolBarButtonsAndSeparatorsFromTheList) {
  auto record = MakeControl(kControlToolBar, "TOOLBAR_CONTENT=Open | | Save|\r\nTOOLBAR_TRANSPARENT=1\r\n");
  std::unique_ptr<SWnd> window = Create(*record);
  ASSERT_NE(nullptr, window);
  auto* toolBar = static_cast<SToolBarCtrl*>(window.get());
  ASSERT_EQ(3, toolBar->GetButtonCount());
  TBBUTTON button = {};
  const struct {
    bool separator;
    int command, image;
    const char* text;
  } expected[] = {{false, 0, 0, "Open"}, {true, 0, 0, ""}, {false, 1, 1, "Save"}};
  for (int i = 0; i < 3; i++) {
    SCOPED_TRACE(i);
    ASSERT_TRUE(toolBar->SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
    EXPECT_EQ(expected[i].separator, (button.fsStyle & BTNS_SEP) != 0);
    if (expected[i].separator) continue;
    EXPECT_EQ(expected[i].command, button.idCommand);
    EXPECT_EQ(expected[i].image, button.iBitmap);
    EXPECT_EQ(BTNS_AUTOSIZE | BTNS_SHOWTEXT, button.fsStyle & (BTNS_AUTOSIZE | BTNS_SHOWTEXT));
    EXPECT_EQ(expected[i].text, std::string(toolBar->GetButtonText(button.idCommand).GetText()));
  }
  EXPECT_TRUE(toolBar->GetStyle() & TBSTYLE_TRANSPARENT);
}

TEST_F(FactoryTest, TypeKeysReachTheirControls) {
  auto check = MakeControl(kControlCheck);
  check->style = WS_VISIBLE | BS_3STATE;
  std::unique_ptr<SWnd> threeState = Create(*check);
  EXPECT_EQ(DWORD(BS_3STATE), DWORD(threeState->GetStyle() & BS_TYPEMASK)) << "not a group box";

  auto edge = MakeControl(kControlStatic, "STATIC_EDGE=_EDGEsunken\r\nSTATIC_TOPBORDER=1\r\nSTATIC_LEFTBORDER=1\r\n");
  auto wrongCase = Create(*edge);
  EXPECT_EQ(0, static_cast<SStaticCtrl*>(wrongCase.get())->GetEdge());
  EXPECT_EQ(BF_TOP | BF_LEFT, static_cast<SStaticCtrl*>(wrongCase.get())->GetBorderFlags());
  edge->extra = "STATIC_EDGE=_EDGEBUMP\r\n";
  EXPECT_EQ(EDGE_BUMP, static_cast<SStaticCtrl*>(Create(*edge).get())->GetEdge());

  auto exList = MakeControl(kControlExtendedList);
  auto noBits = Create(*exList);
  EXPECT_EQ(0, noBits->SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  exList->extra = "EXLIST_GRIDLINES=1\r\nEXLIST_FULLROWSELECT=1\r\n";
  EXPECT_EQ(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT, Create(*exList)->SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));

  auto progress = MakeControl(kControlProgress, "PROGRESS_MINVALUE=10\r\nPROGRESS_MAXVALUE=50\r\nPROGRESS_VALUE=30\r\n");
  auto bar = Create(*progress);
  EXPECT_EQ(10, bar->SendMessage(PBM_GETRANGE, TRUE, 0));
  EXPECT_EQ(50, bar->SendMessage(PBM_GETRANGE, FALSE, 0));
  EXPECT_EQ(30, bar->SendMessage(PBM_GETPOS, 0, 0));

  auto scroll = MakeControl(kControlScroll, "SCROLL_MINVALUE=-5\r\nSCROLL_MAXVALUE=5\r\nSCROLL_VALUE=2\r\n");
  auto scrollBar = Create(*scroll);
  EXPECT_EQ(2, scrollBar->SendMessage(SBM_GETPOS, 0, 0));
  INT low = 0, high = 0;
  scrollBar->SendMessage(SBM_GETRANGE, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(-5, low);
  EXPECT_EQ(5, high);

  auto slider = MakeControl(kControlSlider, "SLIDER_MINVALUE=1\r\nSLIDER_MAXVALUE=9\r\nSLIDER_VALUE=4\r\n");
  auto track = Create(*slider);
  EXPECT_EQ(1, track->SendMessage(TBM_GETRANGEMIN, 0, 0));
  EXPECT_EQ(9, track->SendMessage(TBM_GETRANGEMAX, 0, 0));
  EXPECT_EQ(4, track->SendMessage(TBM_GETPOS, 0, 0));

  auto radio = MakeControl(kControlRadio, "RADIO_GROUP=3\r\n");
  EXPECT_EQ(3, static_cast<SRadioCtrl*>(Create(*radio).get())->GetGroup());

  auto list = MakeControl(kControlList, "LIST_SELBACKCOLOR=255\r\n");
  list->textColor = 0xFE000008;  // COLOR_WINDOWTEXT
  auto listBox = Create(*list);
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), static_cast<SListCtrl*>(listBox.get())->GetTextColor());

  auto tree = MakeControl(kControlTree);
  EXPECT_TRUE(Create(*tree)->GetStyle() & TVS_DISABLEDRAGDROP) << "the native control never drags";

  auto external = MakeControl(kControlExtern, "EXTERN_NAME=Ext_Gauge\r\nEXTERN_FILENAME=gauge.dll\r\n");
  auto module = Create(*external);
  EXPECT_EQ(kWindowExtern, module->GetType());
  EXPECT_STREQ("Ext_Gauge", static_cast<SExternCtrl*>(module.get())->GetClassName().GetText());
  EXPECT_STREQ("gauge.dll", static_cast<SExternCtrl*>(module.get())->GetFileName().GetText());
  EXPECT_EQ(0x00FFFFFFu, module->GetBackColor());
}

TEST_F(FactoryTest, TabPagesAndSelection) {
  // Tips are set too, in run mode; Wine's tab control keeps no tool per
  // tab to read them back from.
  auto record = MakeControl(kControlTab, "TAB_CONTENT=One|Two|Three\r\nTAB_SELECTION=2\r\nTAB_TIPCONTENT=a|b\r\n",
                            WS_VISIBLE | TCS_TOOLTIPS);
  for (bool runMode : {true, false}) {
    auto made = Create(*record, runMode);
    auto* tab = static_cast<STabCtrl*>(made.get());
    ASSERT_EQ(3, tab->GetItemCount());
    EXPECT_EQ(2, tab->GetCurSel());
    EXPECT_STREQ("Three", tab->GetSelectedText().GetText());
  }
}

TEST_F(FactoryTest, ContentNamedInTheResources) {
  TestResources pack;
  pack.AddBytes("items.txt", "first\r\n\r\n  second \r\nthird");
  pack.AddBytes("text.txt", "from the pack");
  pack.AddPicture("picture.png", 8, 8, 0xFF00FF00);
  SResource* resources = pack.Open();
  ASSERT_NE(nullptr, resources);

  auto combo = MakeControl(kControlCombo, "COMBO_FILE=items.txt\r\nCOMBO_CONTENT=last\r\n");
  auto box = Create(*combo, true, resources);
  ASSERT_EQ(4, box->SendMessage(CB_GETCOUNT, 0, 0)) << "lines that are not empty, then the list";
  char text[32] = "";
  box->SendMessage(CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ("  second ", text) << "blanks kept";
  box->SendMessage(CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ("last", text);

  auto list = MakeControl(kControlList, "LIST_FILE=items.txt\r\n");
  EXPECT_EQ(3, Create(*list, true, resources)->SendMessage(LB_GETCOUNT, 0, 0));

  auto edit = MakeControl(kControlEdit, "EDIT_TEXT=text.txt\r\nEDIT_SELECTALL=1\r\n");
  auto withPack = Create(*edit, true, resources);
  EXPECT_EQ("from the pack", TextOf(withPack->GetHwnd()));
  DWORD end = 0;
  withPack->SendMessage(EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(13u, end);
  EXPECT_EQ("Caption", TextOf(Create(*edit)->GetHwnd())) << "without resources the caption stays";
  edit->extra = "EDIT_TEXT=missing.txt\r\n";
  EXPECT_EQ("Caption", TextOf(Create(*edit, true, resources)->GetHwnd()));

  auto rich = MakeControl(kControlRichEdit, "RICHEDIT_FILE=text.txt\r\n");
  EXPECT_EQ("from the pack", TextOf(Create(*rich, true, resources)->GetHwnd()));

  auto picture = MakeControl(kControlStatic, "STATIC_IMAGE=picture.png\r\nSTATIC_IMAGEDRAWMODE=_DRAWTILE\r\n");
  auto frame = Create(*picture, true, resources);
  EXPECT_EQ(10, frame->GetBackgroundDrawMode());
  std::vector<uint32_t> pixels = Render(120, 60, [&](HDC dc) {
    frame->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  });
  EXPECT_EQ(0x0000FF00u, pixels[30 * 120 + 100]) << "the picture tiled over the frame";
}

}  // namespace
