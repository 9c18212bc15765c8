// Dialogs made from descriptions as a program opens them: through
// SDialog::Load and the installed builder, checked on the live windows.
#include "dialogs/DialogFromDescription.h"

#include <windows.h>

#include <commctrl.h>

#include "DescriptionBuilding.h"
#include "tests/window/ResourceTesting.h"
#include "tests/window/ScreenshotTesting.h"
#include "window/FrameworkMessage.h"
#include "window/SMenu.h"
#include "window/controls/SButtonCtrl.h"
#include "window/controls/SControlBarCtrl.h"
#include "window/controls/SStatusBarCtrl.h"
#include "window/controls/STabCtrl.h"
#include "window/controls/SToolBarCtrl.h"

namespace {

class BuilderTest : public WindowTest {
 protected:
  void SetUp() override { InstallDialogBuilder(); }
  void TearDown() override { SetDialogBuilder(nullptr); }
};

HWND ControlWindow(const SDialog& dialog, const char* name) {
  int i = dialog.FindControlByName(name);
  return i < 0 ? nullptr : dialog.GetControl(i)->GetHwnd();
}

TEST_F(BuilderTest, StandardControlsComeFromTheirRecords) {
  TestDialog dialog;
  ASSERT_TRUE(LoadDescription(
      dialog, {DialogRecord(300, 220),
               ControlRecord("STATIC", 1, "Frame", "", 5, 5, 290, 210, "WS_VISIBLE", {"STATIC_EDGE=_EDGESUNKEN"}),
               ControlRecord("BUTTON", 2, "OK", "Go", 10, 10, 80, 24, "WS_VISIBLE BS_DEFPUSHBUTTON"),
               ControlRecord("CHECK", 3, "Check", "Tick", 10, 40, 80, 20, "WS_VISIBLE", {"CHECK_CHECKED=1"}),
               ControlRecord("RADIO", 4, "Radio", "Pick", 10, 64, 80, 20, "WS_VISIBLE", {"RADIO_CHECKED=1"}),
               ControlRecord("GROUP", 5, "Group", "Box", 100, 10, 90, 80),
               ControlRecord("EDIT", -6, "Edit", "typed", 10, 90, 80, 22, "WS_VISIBLE ES_NUMBER",
                             {"EDIT_MAXLENGTH=4"}),
               ControlRecord("LIST", 7, "List", "", 200, 10, 90, 80, "WS_VISIBLE", {"LIST_CONTENT=one | two|"}),
               ControlRecord("COMBO", 8, "Combo", "", 10, 120, 90, 100, "WS_VISIBLE CBS_DROPDOWNLIST",
                             {"COMBO_CONTENT=A|B|"}),
               ControlRecord("BUTTON", 9, "Hidden", "Later", 100, 120, 80, 24, "")}));
  HWND window = dialog.GetHwnd();
  ASSERT_NE(nullptr, window);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ("Built", TextOf(window));
  EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_POPUP) << "no parent: a popup";
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(300, client.right);
  EXPECT_EQ(220, client.bottom);
  ASSERT_EQ(9, dialog.GetControlCount());

  struct Expected {
    const char* name;
    const char* className;
    int id;
    const char* text;
    DWORD styleBits;  // these must be set
  };
  const Expected expected[] = {
      {"Frame", "Static", 1, "", SS_OWNERDRAW},
      {"OK", "Button", 2, "Go", BS_DEFPUSHBUTTON},
      {"Check", "Button", 3, "Tick", BS_CHECKBOX},
      {"Radio", "Button", 4, "Pick", BS_RADIOBUTTON},
      {"Group", "Button", 5, "Box", BS_GROUPBOX},
      {"Edit", "Edit", -6, "typed", ES_NUMBER},
      {"List", "ListBox", 7, "", LBS_OWNERDRAWVARIABLE},
      {"Combo", "ComboBox", 8, "", CBS_DROPDOWNLIST},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.name);
    HWND control = ControlWindow(dialog, e.name);
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(window, GetParent(control));
    EXPECT_STRCASEEQ(e.className, ClassOf(control).c_str());
    EXPECT_EQ(e.id, GetDlgCtrlID(control));
    EXPECT_EQ(e.text, TextOf(control));
    DWORD style = DWORD(GetWindowLongA(control, GWL_STYLE));
    EXPECT_EQ(e.styleBits, style & e.styleBits);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(control));
    EXPECT_STREQ(e.name, dialog.GetControl(dialog.FindControlByName(e.name))->GetName().GetText());
  }
  EXPECT_FALSE(IsWindowVisible(ControlWindow(dialog, "Hidden"))) << "a record without WS_VISIBLE";

  EXPECT_EQ(BST_CHECKED, SendMessageA(ControlWindow(dialog, "Check"), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_CHECKED, SendMessageA(ControlWindow(dialog, "Radio"), BM_GETCHECK, 0, 0));
  EXPECT_EQ(4, SendMessageA(ControlWindow(dialog, "Edit"), EM_GETLIMITTEXT, 0, 0));

  HWND list = ControlWindow(dialog, "List");
  ASSERT_EQ(3, SendMessageA(list, LB_GETCOUNT, 0, 0)) << "items trimmed, the empty last one kept";
  // Combo: «A|B|» is three strings, the last one empty.
  HWND combo = ControlWindow(dialog, "Combo");
  ASSERT_EQ(3, SendMessageA(combo, CB_GETCOUNT, 0, 0));
  const char* comboItems[] = {"A", "B", ""};
  for (int i = 0; i < 3; i++) {
    char text[16] = "?";
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(comboItems[i], text);
  }
}

// A control that counts the control-created message, supplied by the
// dialog in place of the framework's own class.
class CountingButton : public SButtonCtrl {
 public:
  int created = 0;
  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == kControlCreatedMessage) created++;
    return SButtonCtrl::WindowProc(message, wparam, lparam);
  }
};

TEST_F(BuilderTest, TheDialogSuppliesControlObjectsAndHearsItIsBuilt) {
  TestDialog dialog;
  CountingButton* supplied = nullptr;
  std::vector<int> asked;
  dialog.objects = [&](int number, const SDialog::ControlRecord* record) -> SWnd* {
    asked.push_back(number);
    if (record->name == SString("Counted")) return supplied = new CountingButton;
    return nullptr;
  };
  DialogDescriptionOptions own;
  own.creationParameter = reinterpret_cast<void*>(0x1234);
  ASSERT_TRUE(LoadDescription(dialog,
                              {DialogRecord(200, 100), ControlRecord("CHECK", 1, "Plain", "p", 10, 10, 80, 20),
                               ControlRecord("BUTTON", 2, "Counted", "c", 10, 40, 80, 20)},
                              nullptr, &own));
  EXPECT_EQ((std::vector<int>{kControlCheck, kControlButton}), asked);
  ASSERT_NE(nullptr, supplied);
  EXPECT_EQ(supplied, dialog.GetControl(1));
  EXPECT_EQ(1, supplied->created);
  ASSERT_EQ(1, dialog.Count(kDialogBuiltMessage));
  EXPECT_EQ((std::vector<LPARAM>{0x1234}), dialog.Params(kDialogBuiltMessage));
  EXPECT_EQ((std::vector<LPARAM>{0x1234}), dialog.Params(kCreatedMessage)) << "the creation data";
}

TEST_F(BuilderTest, ARecordTheFactoryCannotMakeFailsTheDialog) {
  TestDialog dialog;
  // LCD is an owner-drawn type, not made by this factory yet.
  EXPECT_FALSE(LoadDescription(dialog, {DialogRecord(200, 100), ControlRecord("BUTTON", 1, "Before", "b", 10, 10, 80, 20),
                                        ControlRecord("LCD", 2, "Lcd", "l", 10, 40, 80, 20),
                                        ControlRecord("BUTTON", 3, "After", "a", 10, 70, 80, 20)}));
  // The window and the controls made so far stay for the caller.
  EXPECT_NE(nullptr, dialog.GetHwnd());
  ASSERT_EQ(1, dialog.GetControlCount());
  EXPECT_EQ(0, dialog.FindControlByName("Before"));
  EXPECT_EQ(0, dialog.Count(kDialogBuiltMessage));
}

TEST_F(BuilderTest, DescriptionsThatDoNotReadMakeNoWindow) {
  for (const std::vector<DescribedRecord>& records :
       {std::vector<DescribedRecord>{},  // the header alone: no dialog record
        std::vector<DescribedRecord>{DialogRecord(100, 100), {"NOTHING", {"ID=1"}}}}) {
    TestDialog dialog;
    EXPECT_FALSE(LoadDescription(dialog, records));
    EXPECT_EQ(nullptr, dialog.GetHwnd());
  }
  TestDialog dialog;
  EXPECT_FALSE(CreateDialogFromDescription(nullptr, &dialog, nullptr, nullptr, false, nullptr, nullptr, nullptr,
                                           false, nullptr, nullptr));
  EXPECT_EQ(nullptr, dialog.GetHwnd());
}

TEST_F(BuilderTest, TheTransparentWordReachesSetBackColorUnchanged) {
  TestDialog dialog;
  // -16777215 is 0xFF000001; -33554417 is 0xFE00000F, the button face.
  ASSERT_TRUE(LoadDescription(dialog, {DialogRecord(200, 100, {"BACKCOLOR=#FF000001"}),
                                       ControlRecord("BUTTON", 1, "Clear", "c", 10, 10, 80, 20, "WS_VISIBLE",
                                                     {"BACKCOLOR=#FF000001"}),
                                       ControlRecord("BUTTON", 2, "Face", "f", 10, 40, 80, 20, "WS_VISIBLE",
                                                     {"BACKCOLOR=#FE00000F"})}));
  EXPECT_EQ(kColorParentPaints, dialog.GetBackColor());
  EXPECT_EQ(kColorParentPaints, dialog.GetControl(0)->GetBackColor());
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), dialog.GetControl(1)->GetBackColor());
}

TEST_F(BuilderTest, TabsAreMadeInReverseOrderAndShowTheirPages) {
  TestDialog dialog;
  ASSERT_TRUE(LoadDescription(
      dialog,
      {DialogRecord(300, 200),
       ControlRecord("BUTTON", 1, "B0", "", 200, 10, 60, 20),
       ControlRecord("TAB", 2, "T1", "", 10, 10, 180, 150, "WS_VISIBLE",
                     {"TAB_CONTENT=First|Second", "TAB_SELECTION=1", "TAB_CHILDREN_PRIVATE=0 10 1 11 5 12 1 2"}),
       ControlRecord("BUTTON", 3, "B2", "", 200, 40, 60, 20),
       ControlRecord("TAB", 4, "T3", "", 200, 70, 90, 50, "WS_VISIBLE", {"TAB_CONTENT=x"}),
       ControlRecord("BUTTON", 5, "B4", "", 200, 130, 60, 20),
       ControlRecord("TAB", 6, "T5", "", 200, 160, 90, 30, "WS_VISIBLE", {"TAB_CONTENT=y"}),
       ControlRecord("EDIT", 10, "OnFirst", "", 20, 40, 100, 20),
       ControlRecord("EDIT", 11, "OnSecond", "", 20, 70, 100, 20),
       ControlRecord("EDIT", 12, "Unpaged", "", 20, 100, 100, 20)}));
  std::vector<std::string> order;
  for (int i = 0; i < dialog.GetControlCount(); i++) order.push_back(dialog.GetControl(i)->GetName().GetText());
  EXPECT_EQ((std::vector<std::string>{"B0", "T5", "B2", "T3", "B4", "T1", "OnFirst", "OnSecond", "Unpaged"}), order);
  // The second page is selected: its window shows, the first page's does
  // not; a page index past the tabs and the tab itself are no pages.
  EXPECT_EQ(1, static_cast<STabCtrl*>(dialog.GetControl(5))->GetCurSel());
  EXPECT_FALSE(IsWindowVisible(ControlWindow(dialog, "OnFirst")));
  EXPECT_TRUE(IsWindowVisible(ControlWindow(dialog, "OnSecond")));
  EXPECT_TRUE(IsWindowVisible(ControlWindow(dialog, "Unpaged")));
  EXPECT_TRUE(IsWindowVisible(ControlWindow(dialog, "T1")));
}

TEST_F(BuilderTest, StatusBarTabOrderFocusLimitsAndAnchors) {
  TestDialog dialog;
  ASSERT_TRUE(LoadDescription(
      dialog,
      {DialogRecord(300, 200,
                    {"DIALOG_STATUSBARTEXT=Ready | 100%", "DIALOG_FOCUS=3", "DIALOG_MINSIZE=1",
                     "DIALOG_NOMODALESCAPE=1", "DIALOG_IMAGEDRAWMODE=_DRAWSTRETCH"},
                    "WS_VISIBLE WS_CAPTION WS_SYSMENU WS_SIZEBOX"),
       ControlRecord("BUTTON", 1, "Plain", "", 10, 10, 60, 20),
       ControlRecord("BUTTON", 2, "Tabbed", "", 10, 40, 60, 20, "WS_VISIBLE",
                     {"TABENABLED=1", "TABGROUP=-7", "TABINDEX=-3"}),
       ControlRecord("EDIT", 3, "Focused", "", 10, 70, 60, 20, "WS_VISIBLE",
                     {"TABENABLED=1", "TABGROUP=2", "TABINDEX=-1"}),
       ControlRecord("BUTTON", 4, "Right", "", 200, 100, 60, 20, "WS_VISIBLE", {"HALIGN=2", "VALIGN=32"})}));
  SStatusBarCtrl* status = dialog.GetStatusBar();
  ASSERT_NE(nullptr, status);
  int edges[4] = {};
  ASSERT_EQ(2, status->SendMessage(SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)));
  EXPECT_EQ(150, edges[0]);
  EXPECT_EQ(-1, edges[1]) << "the last part keeps its edge";
  EXPECT_STREQ("Ready", dialog.GetStatusText(0).GetText());
  EXPECT_STREQ("100%", dialog.GetStatusText(1).GetText());

  EXPECT_EQ(-1, dialog.GetControl(0)->GetTabGroup()) << "not in the Tab order";
  EXPECT_EQ(-1, dialog.GetControl(1)->GetTabGroup());
  EXPECT_EQ(0, dialog.GetControl(1)->GetCreationIndex()) << "a negative index becomes 0";
  EXPECT_EQ(2, dialog.GetControl(2)->GetTabGroup());
  EXPECT_EQ(2, dialog.GetControl(2)->GetCreationIndex()) << "-1 keeps the place of creation";

  EXPECT_EQ(ControlWindow(dialog, "Focused"), GetFocus());
  EXPECT_FALSE(dialog.IsDefaultKeyEnabled(false));
  EXPECT_TRUE(dialog.IsDefaultKeyEnabled(true));
  EXPECT_EQ(DRAW_STRETCH, dialog.GetBackgroundDrawMode());

  RECT outer;
  GetWindowRect(dialog.GetHwnd(), &outer);
  SIZE minimum = dialog.GetMinTrackSize();
  EXPECT_EQ(outer.right - outer.left, minimum.cx) << "the size with the status bar";
  EXPECT_EQ(outer.bottom - outer.top, minimum.cy);
  EXPECT_EQ(-1, dialog.GetMaxTrackSize().cx);
  // Smaller than that is refused; larger moves the anchored button.
  SetWindowPos(dialog.GetHwnd(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  RECT now;
  GetWindowRect(dialog.GetHwnd(), &now);
  EXPECT_EQ(minimum.cx, now.right - now.left);
  SetWindowPos(dialog.GetHwnd(), nullptr, 0, 0, minimum.cx + 40, minimum.cy + 30, SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages();
  RECT button;
  GetWindowRect(ControlWindow(dialog, "Right"), &button);
  MapWindowPoints(nullptr, dialog.GetHwnd(), reinterpret_cast<POINT*>(&button), 2);
  EXPECT_EQ(240, button.left);
  EXPECT_EQ(130, button.top);
  EXPECT_EQ(60, button.right - button.left);
}

TEST_F(BuilderTest, ShowStateParentAndNoShow) {
  // No WS_VISIBLE: hidden.
  TestDialog hidden;
  ASSERT_TRUE(LoadDescription(hidden, {DialogRecord(100, 80, {}, "WS_CAPTION")}));
  EXPECT_FALSE(IsWindowVisible(hidden.GetHwnd()));
  // WS_VISIBLE with no-show: hidden, unless maximized.
  DialogDescriptionOptions noShow;
  noShow.noShow = true;
  TestDialog quiet;
  ASSERT_TRUE(LoadDescription(quiet, {DialogRecord(100, 80)}, nullptr, &noShow));
  EXPECT_FALSE(IsWindowVisible(quiet.GetHwnd()));
  TestDialog maximized;
  ASSERT_TRUE(LoadDescription(maximized, {DialogRecord(100, 80, {"DIALOG_MAXIMIZED=1"},
                                                       "WS_CAPTION WS_SYSMENU WS_SIZEBOX WS_MAXIMIZEBOX")},
                              nullptr, &noShow));
  EXPECT_TRUE(IsWindowVisible(maximized.GetHwnd()));
  EXPECT_TRUE(IsZoomed(maximized.GetHwnd()));
  TestDialog minimized;
  ASSERT_TRUE(LoadDescription(minimized, {DialogRecord(100, 80, {"DIALOG_MINIMIZED=1"},
                                                       "WS_CAPTION WS_SYSMENU WS_MINIMIZEBOX")},
                              nullptr, &noShow));
  EXPECT_TRUE(IsWindowVisible(minimized.GetHwnd()));
  EXPECT_TRUE(IsIconic(minimized.GetHwnd()));

  // With a parent: a child, unless a popup is asked for.
  TestWnd parent;
  ASSERT_TRUE(parent.Make(nullptr, WS_VISIBLE, 300, 200));
  DialogDescriptionOptions inside;
  inside.parent = parent.GetHwnd();
  TestDialog child;
  ASSERT_TRUE(LoadDescription(child, {DialogRecord(100, 80, {}, "WS_VISIBLE WS_POPUP")}, nullptr, &inside));
  EXPECT_TRUE(GetWindowLongA(child.GetHwnd(), GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(parent.GetHwnd(), GetParent(child.GetHwnd()));
  inside.popup = true;
  TestDialog popup;
  ASSERT_TRUE(LoadDescription(popup, {DialogRecord(100, 80)}, nullptr, &inside));
  EXPECT_TRUE(GetWindowLongA(popup.GetHwnd(), GWL_STYLE) & WS_POPUP);
  // Loading again into a dialog with a window is refused.
  EXPECT_FALSE(LoadDescription(popup, {DialogRecord(100, 80)}));
}

TEST_F(BuilderTest, LayeredDialogsHaveNoFrameBarsOrMenu) {
  TestResources pack;
  pack.AddBytes("menu.txt", "TAVRIN MENU 1.0.0.0\r\ncount=1\r\n[0]\r\ncount=1\r\n[0:0]\r\ntext=File\r\nid=1\r\n");
  SResource* resources = pack.Open();
  ASSERT_NE(nullptr, resources);
  TestDialog dialog;
  ASSERT_TRUE(LoadDescription(dialog,
                              {DialogRecord(120, 80, {"DIALOG_LAYER=1", "DIALOG_MENU=menu.txt",
                                                      "DIALOG_STATUSBARTEXT=a|b"}),
                               ControlRecord("BUTTON", 1, "B", "b", 10, 10, 60, 20)},
                              resources));
  DWORD style = DWORD(GetWindowLongA(dialog.GetHwnd(), GWL_STYLE));
  EXPECT_EQ(0u, style & (WS_CAPTION | WS_SYSMENU));
  EXPECT_TRUE(GetWindowLongA(dialog.GetHwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_EQ(nullptr, dialog.GetStatusBar());
  EXPECT_EQ(nullptr, GetMenu(dialog.GetHwnd()));
  EXPECT_EQ(0, dialog.GetMenus().GetCount());
}

// What a person sees of a dialog with a background image, a tool bar, a
// menu bar and a status bar; and the window region of a shaped one.
TEST_F(BuilderTest, BackgroundImageToolBarMenuAndStatusBarOnScreen) {
  TestResources pack;
  pack.AddPicture("back.png", 40, 40, 0xFF2080C0);
  pack.AddPicture("shape.png", 100, 80, 0xFFFF00FF, 0xFF20C040);  // magenta round a green middle
  pack.AddPicture("red.png", 16, 16, 0xFFFF0000);
  pack.AddBytes("tools.txt", "TAVRIN TOOLBAR 1.0.0.0\r\ncount=2\r\n[0]\r\ntext=New\r\nimage=red.png\r\n[1]\r\ntext=Quit\r\n");
  pack.AddBytes("menu.txt", "TAVRIN MENU 1.0.0.0\r\ncount=2\r\n[0]\r\ncount=1\r\n[0:0]\r\ntext=File\r\nmenu=1\r\nid=1\r\n"
                            "[1]\r\ncount=1\r\n[1:0]\r\ntext=Exit\r\nid=101\r\n");
  pack.AddBytes("icon.png", "not a picture");
  SResource* resources = pack.Open();
  ASSERT_NE(nullptr, resources);
  TestDialog dialog;
  ASSERT_TRUE(LoadDescription(dialog,
                              {DialogRecord(240, 160,
                                            {"DIALOG_IMAGE=back.png", "DIALOG_IMAGEDRAWMODE=_DRAWTILE",
                                             "DIALOG_TOOLBAR=tools.txt", "DIALOG_MENU=menu.txt",
                                             "DIALOG_STATUSBARTEXT=Ready", "DIALOG_ICON=icon.png"}),
                               ControlRecord("BUTTON", 1, "OK", "OK", 150, 100, 80, 24)},
                              resources));
  HWND window = dialog.GetHwnd();
  ASSERT_NE(nullptr, dialog.GetToolBar());
  EXPECT_EQ(2, dialog.GetToolBar()->GetButtonCount());
  ASSERT_EQ(2, dialog.GetMenus().GetCount());
  EXPECT_EQ(dialog.GetMenus().GetAt(0)->GetHandle(), GetMenu(window));
  ASSERT_NE(nullptr, dialog.GetStatusBar());
  RECT rebar, status;
  GetWindowRect(dialog.GetControlBar()->GetHwnd(), &rebar);
  GetWindowRect(dialog.GetStatusBar()->GetHwnd(), &status);
  EXPECT_EQ(160 + (rebar.bottom - rebar.top) + (status.bottom - status.top), dialog.ClientHeight())
      << "the laid-out area keeps its size between the bars and under the menu bar";
  EXPECT_EQ(nullptr, reinterpret_cast<HICON>(dialog.SendMessage(WM_GETICON, ICON_BIG, 0)))
      << "an icon entry that is no picture is no icon";
  TestDialog withIcon;
  ASSERT_TRUE(LoadDescription(withIcon, {DialogRecord(100, 80, {"DIALOG_ICON=red.png", "DIALOG_DRAGFILES=1"})},
                              resources));
  HICON big = reinterpret_cast<HICON>(withIcon.SendMessage(WM_GETICON, ICON_BIG, 0));
  ASSERT_NE(nullptr, big);
  EXPECT_EQ(big, reinterpret_cast<HICON>(withIcon.SendMessage(WM_GETICON, ICON_SMALL, 0)));
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(big, &info));
  BITMAP colour = {};
  GetObjectA(info.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(16, colour.bmWidth);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_TRUE(GetWindowLongA(withIcon.GetHwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

  SetForegroundWindow(window);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpFor(200);
  Screenshot shot(window);
  // The background between the bars, the red picture on the first tool
  // button, the status bar's face at the bottom.
  int barHeight = rebar.bottom - rebar.top;
  EXPECT_EQ(RGB(0x20, 0x80, 0xC0), shot.At(window, 20, barHeight + 40));
  RECT first;
  dialog.GetToolBar()->SendMessage(TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  MapWindowPoints(dialog.GetToolBar()->GetHwnd(), window, reinterpret_cast<POINT*>(&first), 2);
  RECT pictureArea = {first.left, first.top, first.right, first.bottom};
  EXPECT_GT(shot.Count(window, pictureArea, RGB(255, 0, 0)), 100);
  RECT statusArea = {0, dialog.ClientHeight() - 4, 100, dialog.ClientHeight() - 2};
  EXPECT_EQ(0, shot.Count(window, statusArea, RGB(0x20, 0x80, 0xC0))) << "the status bar covers the background";

  // A shaped dialog: the magenta of its picture is cut out of its region.
  TestDialog shaped;
  ASSERT_TRUE(LoadDescription(shaped, {DialogRecord(100, 80, {"DIALOG_IMAGE=shape.png", "DIALOG_SHAPE=1",
                                                              "DIALOG_LAYER=0"}, "WS_VISIBLE")},
                              resources));
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, GetWindowRgn(shaped.GetHwnd(), region));
  RECT box;
  GetRgnBox(region, &box);
  EXPECT_EQ(25, box.left);
  EXPECT_EQ(20, box.top);
  EXPECT_EQ(75, box.right);
  EXPECT_EQ(60, box.bottom);
  DeleteObject(region);
}

}  // namespace
