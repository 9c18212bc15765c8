// The status bar and the control bar as a dialog carries them: parts and
// texts, mouse reports, and the client height kept in step as the bars come
// and go.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "../DialogTesting.h"
#include "window/ControlNotify.h"
#include "window/controls/SButtonCtrl.h"
#include "window/controls/SControlBarCtrl.h"
#include "window/controls/SStatusBarCtrl.h"

namespace {

const UINT kStatusBarMouse = 0x8CC6;

class DialogBars : public WindowTest {};

bool Has(const std::vector<int32_t>& codes, int32_t code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

int OuterHeight(const SWnd* window) {
  RECT rect;
  GetWindowRect(window->GetHwnd(), &rect);
  return rect.bottom - rect.top;
}

TEST_F(DialogBars, StatusBarKeepsTheClientAreaAboveIt) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  int before = dialog.ClientHeight();
  ASSERT_TRUE(dialog.CreateStatusBar(0));
  EXPECT_FALSE(dialog.CreateStatusBar(2)) << "one status bar";
  SStatusBarCtrl* bar = dialog.GetStatusBar();
  ASSERT_NE(nullptr, bar);
  EXPECT_EQ(kWindowStatusBar, bar->GetType());
  int height = OuterHeight(bar);
  EXPECT_GT(height, 0);
  EXPECT_EQ(before + height, dialog.ClientHeight());
  EXPECT_EQ(1, int(bar->SendMessage(SB_GETPARTS, 0, 0))) << "parts 0 makes one";
  EXPECT_EQ(-1, dialog.GetStatusPartEdge(0));

  dialog.DestroyStatusBar();
  EXPECT_EQ(nullptr, dialog.GetStatusBar());
  EXPECT_EQ(before, dialog.ClientHeight());
  // Without a bar nothing happens and nothing is read.
  dialog.SetStatusText(0, "x");
  EXPECT_STREQ("", dialog.GetStatusText(0).GetBuffer());
  EXPECT_EQ(0, dialog.GetStatusPartEdge(0));
}

TEST_F(DialogBars, PartsShareTheParentWidthAndRefuseUnknownParts) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make(60, 60, 400, 200));
  ASSERT_EQ(400, dialog.ClientWidth());
  ASSERT_TRUE(dialog.CreateStatusBar(4));
  SStatusBarCtrl* bar = dialog.GetStatusBar();
  const int fours[] = {100, 200, 300, -1};
  for (int i = 0; i < 4; i++) EXPECT_EQ(fours[i], bar->GetPartEdge(i)) << i;
  EXPECT_FALSE(bar->SetParts(0));

  ASSERT_TRUE(bar->SetParts(3));
  EXPECT_EQ(0, bar->GetPartEdge(7));
  EXPECT_FALSE(bar->SetPartEdge(7, 50));
  EXPECT_FALSE(bar->SetPartEdge(-1, 50));
  const int threes[] = {133, 266, -1};
  for (int i = 0; i < 3; i++) EXPECT_EQ(threes[i], bar->GetPartEdge(i)) << "unchanged " << i;
  EXPECT_TRUE(bar->SetPartEdge(1, 250));
  dialog.SetStatusPartEdge(0, 90);
  EXPECT_EQ(90, dialog.GetStatusPartEdge(0));
  EXPECT_EQ(250, dialog.GetStatusPartEdge(1));

  ASSERT_TRUE(bar->SetParts(1));
  EXPECT_EQ(-1, bar->GetPartEdge(0));
  EXPECT_EQ(0, bar->GetPartEdge(1));
}

TEST_F(DialogBars, TextsOfParts) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  ASSERT_TRUE(dialog.CreateStatusBar(2));
  dialog.SetStatusText(0, "Ready");
  dialog.SetStatusText(1, "Line 12");
  EXPECT_STREQ("Ready", dialog.GetStatusText(0).GetBuffer());
  EXPECT_STREQ("Line 12", dialog.GetStatusText(1).GetBuffer());
  dialog.SetStatusText(1, "");
  EXPECT_STREQ("", dialog.GetStatusText(1).GetBuffer());
  EXPECT_STREQ("", dialog.GetStatusText(5).GetBuffer()) << "no such part";
}

TEST_F(DialogBars, StatusBarReportsMouseButtonsToTheDialog) {
  TestDialog dialog;
  std::vector<int32_t> codes;
  std::vector<POINT> points;
  dialog.handler = [&](UINT message, WPARAM wparam, LPARAM lparam, LRESULT*) {
    if (message == kStatusBarMouse && wparam == reinterpret_cast<WPARAM>(dialog.GetStatusBar())) {
      auto* record = reinterpret_cast<ControlMouseRecord*>(lparam);
      codes.push_back(record->code);
      points.push_back({record->x, record->y});
    }
    return false;
  };
  ASSERT_TRUE(dialog.Make());
  ASSERT_TRUE(dialog.CreateStatusBar(2));
  HWND bar = dialog.GetStatusBar()->GetHwnd();
  ASSERT_TRUE(ClickAt(bar, 30, 6));
  ASSERT_TRUE(PumpUntil([&] { return codes.size() >= 3; }));
  // Down, then the click (made from the release) and the release.
  EXPECT_EQ(9, codes[0]);
  EXPECT_TRUE(Has(codes, 17));
  EXPECT_TRUE(Has(codes, 33));
  EXPECT_EQ(30, points[0].x);
  EXPECT_EQ(6, points[0].y);

  // Every code of the table, as the messages come.
  codes.clear();
  const struct {
    UINT message;
    int32_t code;
  } table[] = {{WM_LBUTTONDBLCLK, 65}, {WM_RBUTTONDOWN, 12}, {WM_RBUTTONUP, 20}, {WM_RBUTTONDBLCLK, 68},
               {WM_MBUTTONDOWN, 10}, {WM_MBUTTONUP, 18}, {WM_MBUTTONDBLCLK, 66}, {kMiddleClickMessage, 34},
               {kRightClickMessage, 36}};
  for (const auto& row : table) {
    codes.clear();
    SendMessageA(bar, row.message, 0, MAKELPARAM(5, 4));
    EXPECT_TRUE(Has(codes, row.code)) << row.message;
  }
  codes.clear();
  SendMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM(5, 4));
  EXPECT_TRUE(codes.empty()) << "a move is no button";
}

TEST_F(DialogBars, RebarHeightMovesTheDialogsOwnControlsOnly) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  auto* button = new SButtonCtrl;
  RECT place = {20, 40, 120, 64};
  ASSERT_TRUE(button->Create("Go", WS_VISIBLE, 0, &place, dialog.GetHwnd(), 5));
  auto record = MakeRecord(5, "go");
  ASSERT_TRUE(dialog.AddControl(record.get(), button));
  auto* banded = new SButtonCtrl;
  ASSERT_TRUE(banded->Create("In band", WS_VISIBLE, 0, &place, dialog.GetHwnd(), 6));
  auto bandRecord = MakeRecord(6, "banded");
  ASSERT_TRUE(dialog.AddControl(bandRecord.get(), banded));

  int before = dialog.ClientHeight();
  ASSERT_TRUE(dialog.CreateControlBar());
  EXPECT_FALSE(dialog.CreateControlBar());
  SControlBarCtrl* rebar = dialog.GetControlBar();
  ASSERT_NE(nullptr, rebar);
  EXPECT_EQ(kWindowControlBar, rebar->GetType());
  EXPECT_EQ(RBS_VARHEIGHT | RBS_AUTOSIZE, rebar->GetStyle() & (RBS_VARHEIGHT | RBS_AUTOSIZE));

  dialog.AddBand(banded, 80, 30);
  PumpMessages();
  EXPECT_EQ(rebar->GetHwnd(), GetParent(banded->GetHwnd()));
  EXPECT_EQ(1, rebar->GetBandCount());
  int height = OuterHeight(rebar);
  ASSERT_GT(height, 0);
  EXPECT_EQ(before + height, dialog.ClientHeight());
  RECT moved;
  GetWindowRect(button->GetHwnd(), &moved);
  MapWindowPoints(nullptr, dialog.GetHwnd(), reinterpret_cast<POINT*>(&moved), 2);
  EXPECT_EQ(40 + height, moved.top) << "moved down by the rebar";
  EXPECT_EQ(20, moved.left);
  RECT inBand;
  GetWindowRect(banded->GetHwnd(), &inBand);
  MapWindowPoints(nullptr, rebar->GetHwnd(), reinterpret_cast<POINT*>(&inBand), 2);
  EXPECT_LT(inBand.top, 40) << "the band places its own window";

  // A second band makes the bar taller: the change moves the controls on.
  auto* second = new SButtonCtrl;
  ASSERT_TRUE(second->Create("More", WS_VISIBLE, 0, &place, dialog.GetHwnd(), 7));
  auto secondRecord = MakeRecord(7, "more");
  ASSERT_TRUE(dialog.AddControl(secondRecord.get(), second));
  dialog.AddBand(second, 80, 20);
  PumpMessages();
  int taller = OuterHeight(rebar);
  EXPECT_GT(taller, height);
  EXPECT_EQ(before + taller, dialog.ClientHeight());
  GetWindowRect(button->GetHwnd(), &moved);
  MapWindowPoints(nullptr, dialog.GetHwnd(), reinterpret_cast<POINT*>(&moved), 2);
  EXPECT_EQ(40 + taller, moved.top);
}

TEST_F(DialogBars, ControlBarPassesToolBarCommandsOn) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  ASSERT_TRUE(dialog.CreateControlBar());
  const UINT command = ControlNotifyMessage(kControlClassToolBar, 0);
  dialog.GetControlBar()->SendMessage(command, 1234, -7);
  ASSERT_EQ(1, dialog.Count(command));
  EXPECT_EQ(-7, dialog.Params(command)[0]);
  dialog.DestroyControlBar();
  EXPECT_EQ(nullptr, dialog.GetControlBar());
  dialog.AddBand(nullptr, 0, 0);
}

}  // namespace
