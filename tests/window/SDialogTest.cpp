// SDialog as the dialog builder assembles it and as a user meets it: its
// controls with ids, names and fonts, the bars and the menu bar, clearing
// and loading again, and the OK and CANCEL buttons of a modal run.
#include <windows.h>

#include <commctrl.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "DialogTesting.h"
#include "ResourceTesting.h"
#include "window/ControlNotify.h"
#include "window/FrameworkWindowClasses.h"
#include "window/MenuFile.h"
#include "window/SMenu.h"
#include "window/controls/SButtonCtrl.h"
#include "window/controls/SControlBarCtrl.h"
#include "window/controls/SStatusBarCtrl.h"
#include "window/controls/SToolBarCtrl.h"

namespace {

class DialogTest : public WindowTest {};

int FontHeight(HFONT font) {
  LOGFONTA log = {};
  GetObjectA(font, sizeof log, &log);
  return log.lfHeight;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// A button registered as the builder registers it.
SButtonCtrl* AddButton(SDialog& dialog, const SDialog::ControlRecord& record, int x, int y) {
  auto* button = new SButtonCtrl;
  RECT rect = {x, y, x + 80, y + 26};
  if (!button->Create(record.caption.GetBuffer(), WS_VISIBLE, 0, &rect, dialog.GetHwnd(), record.id)) {
    delete button;
    return nullptr;
  }
  button->SetName(record.name.GetBuffer());
  dialog.AddControl(&record, button);
  return button;
}

TEST_F(DialogTest, ControlsKeepTheirIdsNamesAndFonts) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  auto plain = MakeRecord(3, "plain");
  auto big = MakeRecord(-5, "Big", "Arial", 10, kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut);
  auto small = MakeRecord(9, "big", "Arial", 9);
  SButtonCtrl* first = AddButton(dialog, *plain, 10, 10);
  SButtonCtrl* second = AddButton(dialog, *big, 10, 40);
  ASSERT_NE(nullptr, first);
  ASSERT_NE(nullptr, second);
  ASSERT_NE(nullptr, AddButton(dialog, *small, 10, 70));
  EXPECT_FALSE(dialog.AddControl(nullptr, first));
  EXPECT_FALSE(dialog.AddControl(plain.get(), nullptr));
  ASSERT_EQ(3, dialog.GetControlCount());

  EXPECT_EQ(0, dialog.FindControlById(3));
  EXPECT_EQ(1, dialog.FindControlById(uint32_t(-5))) << "a negative id read with its sign";
  EXPECT_EQ(-1, dialog.FindControlById(4));
  EXPECT_EQ(1, dialog.FindControlByName("Big"));
  EXPECT_EQ(2, dialog.FindControlByName("big")) << "case-sensitive";
  EXPECT_EQ(-1, dialog.FindControlByName("BIG"));
  EXPECT_EQ(second, dialog.GetControl(1));

  // No face: the default font stays, the slot is 0.
  EXPECT_EQ(nullptr, dialog.GetControlFont(0));
  HFONT font = dialog.GetControlFont(1);
  ASSERT_NE(nullptr, font);
  EXPECT_EQ(font, reinterpret_cast<HFONT>(second->SendMessage(WM_GETFONT, 0, 0)));
  LOGFONTA log = {};
  GetObjectA(font, sizeof log, &log);
  EXPECT_STREQ("Arial", log.lfFaceName);
  EXPECT_EQ(FW_BOLD, log.lfWeight);
  EXPECT_TRUE(log.lfItalic && log.lfUnderline && log.lfStrikeOut);
  // Halves go up: -13.33 is -13, -16.67 is -17, -12 stays.
  int dpi = ScreenDpi();
  double exact = -(dpi * 10.0 / 72.0);
  int expected = int(std::floor(exact)) + (exact - std::floor(exact) >= 0.5 ? 1 : 0);
  EXPECT_EQ(expected, log.lfHeight);
  if (dpi == 96) {
    EXPECT_EQ(-13, log.lfHeight);
    EXPECT_EQ(-12, FontHeight(dialog.GetControlFont(2)));
  }
}

// ---- The builder's steps ------------------------------------------------------------------

struct Description {
  std::vector<std::unique_ptr<SDialog::ControlRecord>> records;
  std::vector<std::string> toolBar;  // empty: no tool bar
  std::vector<std::string> menu;     // empty: no menu
  std::string statusText;
  int created = 0;  // 0x83EB seen by controls
};

class CountingButton : public SButtonCtrl {
 public:
  explicit CountingButton(int* created) : m_created(created) {}
  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == kControlCreatedMessage) ++*m_created;
    return SButtonCtrl::WindowProc(message, wparam, lparam);
  }

 private:
  int* m_created;
};

// What the dialog builder does with a description, step by step.
bool PlayBuilder(SDialog* dialog, SFile*, SResource* resources, const DialogBuildOptions* options) {
  auto* description = static_cast<Description*>(options->builderOptions);
  auto* test = static_cast<TestDialog*>(dialog);
  if (!test->Make(60, 60, 360, 200)) return false;
  int y = 10;
  for (auto& record : description->records) {
    SWnd* object = dialog->CreateControlObject(kControlButton, record.get());
    auto* button = object ? static_cast<SButtonCtrl*>(object) : new CountingButton(&description->created);
    RECT rect = {10, y, 110, y + 26};
    y += 32;
    button->Create(record->caption.GetBuffer(), WS_VISIBLE, 0, &rect, dialog->GetHwnd(), record->id);
    button->SetName(record->name.GetBuffer());
    button->SendMessage(kControlCreatedMessage, 0, 0);
    dialog->AddControl(record.get(), button);
  }
  if (!description->toolBar.empty()) {
    SFileMem file;
    FillLines(file, description->toolBar);
    dialog->CreateControlBar();
    dialog->LoadToolBarFile(&file, resources, options->toolBarFactory, options->context, options->nameToId);
  }
  if (!description->menu.empty()) {
    SFileMem file;
    FillLines(file, description->menu);
    int height = test->ClientHeight();
    if (LoadMenuFile(&dialog->GetMenus(), resources, true, dialog->GetHwnd(), &file, &dialog->GetMenuImages(),
                     options->context, nullptr, nullptr)) {
      ::SetMenu(dialog->GetHwnd(), dialog->GetMenus().GetAt(0)->GetHandle());
      // The menu bar takes room from the window, not from the client area.
      RECT outer, client;
      GetWindowRect(dialog->GetHwnd(), &outer);
      GetClientRect(dialog->GetHwnd(), &client);
      SetWindowPos(dialog->GetHwnd(), nullptr, 0, 0, outer.right - outer.left,
                   height + (outer.bottom - outer.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    }
  }
  if (!description->statusText.empty()) {
    std::vector<std::string> parts(1);
    for (char c : description->statusText) {
      if (c == '|')
        parts.emplace_back();
      else
        parts.back() += c;
    }
    int n = int(parts.size());
    dialog->CreateStatusBar(n);
    for (int i = 0; i < n; i++) dialog->SetStatusText(i, parts[size_t(i)].c_str());
    int width = test->ClientWidth();
    for (int j = 0; j + 1 < n; j++) dialog->GetStatusBar()->SetPartEdge(j, (j + 1) * (width / n));
  }
  WindowProcedure(dialog->GetHwnd(), kDialogBuiltMessage, 0, 0);
  return true;
}

class BuiltDialog : public DialogTest {
 protected:
  void SetUp() override { SetDialogBuilder(PlayBuilder); }
  void TearDown() override { SetDialogBuilder(nullptr); }

  Description ThreeButtonsWithBars() {
    Description d;
    d.records.push_back(MakeRecord(1, "OK", "Arial", 10));
    d.records.push_back(MakeRecord(2, "CANCEL"));
    d.records.push_back(MakeRecord(3, "ok"));
    d.records[0]->caption = "OK";
    d.records[1]->caption = "Cancel";
    d.records[2]->caption = "lower ok";
    d.toolBar = {"TAVRIN TOOLBAR 1.0.0.0", "count=2", "[0]", "text=New", "image=red.png", "[1]", "text=Quit"};
    d.menu = {"TAVRIN MENU 1.0.0.0", "count=2", "[0]", "count=1", "[0:0]", "text=File", "menu=1", "id=1",
              "[1]", "count=1", "[1:0]", "text=Exit", "id=101"};
    d.statusText = "Ready|Line 1|Col 2";
    return d;
  }

  // SDialog::Load with the description handed to the builder.
  static bool LoadDescription(TestDialog& dialog, Description& description, SResource* resources = nullptr) {
    DialogBuildOptions options;
    options.builderOptions = &description;
    SFileMem nothing;
    return dialog.Load(&nothing, resources, &options);
  }
};

TEST_F(BuiltDialog, CarriesControlsMenusToolBarAndStatusBar) {
  TestResources pack;
  pack.AddPicture("red.png", 16, 16, 0xFFFF0000);
  SResource* resources = pack.Open();
  ASSERT_NE(nullptr, resources);
  Description description = ThreeButtonsWithBars();
  TestDialog dialog;
  ASSERT_TRUE(LoadDescription(dialog, description, resources));
  EXPECT_EQ(3, description.created) << "every control told it was made";
  EXPECT_EQ(1, dialog.Count(kDialogBuiltMessage));
  EXPECT_EQ(3, dialog.GetControlCount());
  EXPECT_EQ(2, dialog.FindControlByName("ok"));
  ASSERT_EQ(2, dialog.GetMenus().GetCount());
  EXPECT_EQ(dialog.GetMenus().GetAt(0)->GetHandle(), GetMenu(dialog.GetHwnd()));
  ASSERT_NE(nullptr, dialog.GetToolBar());
  EXPECT_EQ(2, dialog.GetToolBar()->GetButtonCount());
  ASSERT_NE(nullptr, dialog.GetStatusBar());
  EXPECT_STREQ("Line 1", dialog.GetStatusText(1).GetBuffer());
  EXPECT_EQ(120, dialog.GetStatusPartEdge(0));
  EXPECT_EQ(240, dialog.GetStatusPartEdge(1));
  EXPECT_EQ(-1, dialog.GetStatusPartEdge(2));
  int rebar = 0;
  {
    RECT rect;
    GetWindowRect(dialog.GetControlBar()->GetHwnd(), &rect);
    rebar = rect.bottom - rect.top;
  }
  RECT status;
  GetWindowRect(dialog.GetStatusBar()->GetHwnd(), &status);
  EXPECT_EQ(200 + rebar + (status.bottom - status.top), dialog.ClientHeight())
      << "the laid-out area keeps its size between the bars";

  // What the user sees: the menu bar above the client area, the tool bar's
  // red picture on its first button, the status bar at the bottom.
  UpdateWindow(dialog.GetHwnd());
  RedrawWindow(dialog.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpFor(200);
  MENUBARINFO bar = {};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetMenuBarInfo(dialog.GetHwnd(), OBJID_MENU, 0, &bar));
  POINT origin = {0, 0};
  ClientToScreen(dialog.GetHwnd(), &origin);
  EXPECT_LT(bar.rcBar.top, origin.y);
  EXPECT_GT(bar.rcBar.bottom, bar.rcBar.top);
  RECT button = {};
  dialog.GetToolBar()->SendMessage(TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
  MapWindowPoints(dialog.GetToolBar()->GetHwnd(), nullptr, reinterpret_cast<POINT*>(&button), 2);
  HDC screen = GetDC(nullptr);
  int reds = 0;
  for (int y = button.top; y < button.bottom; y++)
    for (int x = button.left; x < button.right; x++) reds += GetPixel(screen, x, y) == RGB(255, 0, 0);
  int statusInk = 0;
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int y = status.top + 3; y < status.bottom - 3; y++)
    for (int x = status.left + 2; x < status.left + 60; x++) statusInk += GetPixel(screen, x, y) != face;
  ReleaseDC(nullptr, screen);
  EXPECT_GE(reds, 16 * 16) << "the button's picture";
  EXPECT_GT(statusInk, 10) << "the status text";
}

TEST_F(BuiltDialog, ClearingEmptiesItAndItLoadsAgain) {
  Description description = ThreeButtonsWithBars();
  TestDialog dialog;
  ASSERT_TRUE(LoadDescription(dialog, description));
  int withMenu = dialog.ClientHeight();
  EXPECT_FALSE(LoadDescription(dialog, description)) << "the window exists";
  EXPECT_EQ(3, dialog.GetControlCount());

  dialog.ClearContents();
  EXPECT_FALSE(IsWindowVisible(dialog.GetHwnd()));
  for (int id = 1; id <= 3; id++) EXPECT_EQ(-1, dialog.FindControlById(uint32_t(id)));
  EXPECT_EQ(0, dialog.GetMenus().GetCount());
  EXPECT_EQ(nullptr, GetMenu(dialog.GetHwnd()));
  EXPECT_EQ(nullptr, dialog.GetToolBar());
  EXPECT_EQ(nullptr, dialog.GetStatusBar());
  EXPECT_EQ(nullptr, dialog.GetControlBar());
  EXPECT_EQ(withMenu, dialog.ClientHeight()) << "the menu bar went without taking client room";

  dialog.Destroy();
  description.created = 0;
  ASSERT_TRUE(LoadDescription(dialog, description));
  EXPECT_EQ(3, dialog.GetControlCount());
  EXPECT_EQ(3, description.created);
  EXPECT_EQ(2, dialog.GetToolBar()->GetButtonCount());
  // Destroying the window clears it as well.
  dialog.Destroy();
  EXPECT_EQ(0, dialog.GetControlCount());
  EXPECT_EQ(nullptr, dialog.GetToolBar());
}

TEST_F(BuiltDialog, ControlObjectsMayComeFromTheDialogClass) {
  Description description = ThreeButtonsWithBars();
  description.toolBar.clear();
  TestDialog dialog;
  std::vector<std::string> asked;
  SButtonCtrl* own = nullptr;
  dialog.objects = [&](int, const SDialog::ControlRecord* record) -> SWnd* {
    asked.push_back(record->name.GetBuffer());
    if (record->name == "CANCEL") return own = new SButtonCtrl;
    return nullptr;
  };
  ASSERT_TRUE(LoadDescription(dialog, description));
  EXPECT_EQ((std::vector<std::string>{"OK", "CANCEL", "ok"}), asked);
  EXPECT_EQ(own, dialog.GetControl(1));
  EXPECT_EQ(2, description.created) << "the builder's own objects";
  SDialog plain;
  EXPECT_EQ(nullptr, plain.CreateControlObject(kControlButton, description.records[0].get()));
  SetDialogBuilder(nullptr);
  TestDialog unbuilt;
  EXPECT_FALSE(LoadDescription(unbuilt, description)) << "no builder yet";
  EXPECT_EQ(nullptr, unbuilt.GetHwnd());
}

// ---- OK and CANCEL -----------------------------------------------------------------------

class ModalButtons : public BuiltDialog {
 protected:
  // Queues a click on the control, runs the dialog modally and answers the
  // result; a run that the click does not end gets 7 after a while.
  int ClickDuringRun(TestDialog& dialog, SWnd* control) {
    RECT rect;
    GetClientRect(control->GetHwnd(), &rect);
    EXPECT_TRUE(ClickAt(control->GetHwnd(), rect.right / 2, rect.bottom / 2));
    const UINT clicked = ControlNotifyMessage(kControlClassButton, 1);
    int before = dialog.Count(clicked);
    Watchdog watchdog(1500, [&] { dialog.EndModal(7); });
    int result = dialog.RunModalDialog();
    EXPECT_EQ(before + 1, dialog.Count(clicked)) << "the click reached the dialog";
    return result;
  }

  void Build(TestDialog& dialog, Description& description) {
    description = ThreeButtonsWithBars();
    description.toolBar.clear();
    description.menu.clear();
    description.statusText.clear();
    ASSERT_TRUE(LoadDescription(dialog, description));
    PumpMessages();
  }
};

TEST_F(ModalButtons, OkAndCancelEndTheModalRun) {
  const struct {
    const char* name;
    int result;
  } cases[] = {{"OK", 0}, {"CANCEL", -1}, {"ok", 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Description description;
    TestDialog dialog;
    Build(dialog, description);
    int i = dialog.FindControlByName(c.name);
    ASSERT_GE(i, 0);
    EXPECT_EQ(c.result, ClickDuringRun(dialog, dialog.GetControl(i)));
    EXPECT_FALSE(dialog.IsModal());
  }
}

TEST_F(ModalButtons, ButtonsOutsideTheControlListAndModelessRunsAreIgnored) {
  Description description;
  TestDialog dialog;
  Build(dialog, description);
  // A button code made on the dialog: not in the list, nothing happens.
  SButtonCtrl extra;
  RECT rect = {200, 10, 300, 36};
  ASSERT_TRUE(extra.Create("Extra", WS_VISIBLE, 0, &rect, dialog.GetHwnd(), 50));
  extra.SetName("OK");
  PumpMessages();
  EXPECT_EQ(7, ClickDuringRun(dialog, &extra));

  // Modeless: the OK button is a plain button.
  SWnd* ok = dialog.GetControl(dialog.FindControlByName("OK"));
  size_t before = dialog.events.size();
  RECT client;
  GetClientRect(ok->GetHwnd(), &client);
  ASSERT_TRUE(ClickAt(ok->GetHwnd(), client.right / 2, client.bottom / 2));
  const UINT clicked = ControlNotifyMessage(kControlClassButton, 1);
  ASSERT_TRUE(PumpUntil([&] { return dialog.Count(clicked) > 0; }));
  for (size_t i = before; i < dialog.events.size(); i++) {
    EXPECT_NE(kModalOkMessage, dialog.events[i].message);
    EXPECT_NE(kModalCancelMessage, dialog.events[i].message);
  }
  EXPECT_TRUE(IsWindowVisible(dialog.GetHwnd()));
}

}  // namespace
