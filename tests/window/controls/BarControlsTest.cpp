// The progress bar, scroll bar, slider and static frame as a user meets
// them: real controls on a parent on screen, synthesised clicks, the
// parent's events, and what the screen shows.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "../InputTesting.h"
#include "../WindowTesting.h"
#include "ControlTesting.h"
#include "../ScreenshotTesting.h"
#include "files/SKeyboard.h"
#include "window/ControlNotify.h"
#include "window/controls/SProgressCtrl.h"
#include "window/controls/SScrollCtrl.h"
#include "window/controls/SSliderCtrl.h"
#include "window/controls/SStaticCtrl.h"

namespace {

const UINT kProgressMouse = 0x8C76;
const UINT kScrollMouse = 0x8C9E, kScrollChanged = 0x8C9F;
const UINT kSliderMouse = 0x8CA8, kSliderChanged = 0x8CA9;

RECT Rect(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

WPARAM Of(const SWnd& control) { return reinterpret_cast<WPARAM>(&control); }

// A parent on screen that keeps the code of every mouse report (the record
// lives only during the delivery).
class Parent : public TestWnd {
 public:
  std::vector<int32_t> codes;

  Parent() {
    handler = [this](UINT message, WPARAM, LPARAM lparam, LRESULT*) {
      if (message == kProgressMouse || message == kScrollMouse || message == kSliderMouse)
        codes.push_back(reinterpret_cast<ControlMouseRecord*>(lparam)->code);
      return false;
    };
  }
};

class BarControls : public ParentOnScreen<BarControls, Parent> {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, parent.GetHwnd());
    parent.Forget();
    parent.codes.clear();
  }

  // A real left click at a point of the control; false when the press
  // never reached the parent as a mouse report. A scroll bar takes the
  // release in its own tracking loop, inside its handling of the press;
  // a second click soon after is a double click, a press all the same.
  bool ClickAt(const SWnd& control, int x, int y) {
    if (!MoveCursorTo(control.GetHwnd(), x, y)) return false;
    parent.codes.clear();
    SKeyboard::PressLeft();
    SKeyboard::ReleaseLeft();
    bool pressed = PumpUntil([&] {
      for (int32_t code : parent.codes)
        if (code == (kMouseLeft | kMouseDown) || code == (kMouseLeft | kMouseDoubleClick)) return true;
      return false;
    });
    PumpFor(100);
    return pressed;
  }
};

TEST_F(BarControls, EachWrapperMakesItsSystemControlAndReportsTheMouse) {
  SProgressCtrl progress;
  SScrollCtrl scroll;
  SSliderCtrl slider;
  SStaticCtrl frame;
  RECT rect = Rect(10, 10, 120, 30);
  HWND owner = parent.GetHwnd();
  ASSERT_TRUE(progress.Create(WS_VISIBLE, 0, &rect, owner, 1));
  ASSERT_TRUE(scroll.Create(WS_VISIBLE | SBS_HORZ, 0, &rect, owner, 2));
  ASSERT_TRUE(slider.Create(WS_VISIBLE, 0, &rect, owner, 3));
  ASSERT_TRUE(frame.Create(WS_VISIBLE, 0, &rect, owner, 4));
  const struct {
    SWnd* control;
    const char* className;
    int type;
    UINT report;
  } cases[] = {{&progress, "msctls_progress32", 29, kProgressMouse},
               {&scroll, "ScrollBar", 34, kScrollMouse},
               {&slider, "msctls_trackbar32", 36, kSliderMouse},
               {&frame, "Static", 39, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    char name[32] = {};
    GetClassNameA(c.control->GetHwnd(), name, sizeof name);
    EXPECT_STRCASEEQ(c.className, name);
    EXPECT_EQ(c.type, c.control->GetType());
    EXPECT_TRUE(c.control->IsSubclassed());
    EXPECT_TRUE(GetWindowLongA(c.control->GetHwnd(), GWL_STYLE) & WS_CHILD);
    parent.Forget();
    c.control->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(4, 5));
    if (c.report) {
      ASSERT_EQ(1, parent.Count(c.report));
      EXPECT_EQ(Of(*c.control), parent.Last(c.report)->wparam);
    } else {
      EXPECT_TRUE(parent.events.empty()) << "the static frame reports nothing";
    }
  }
  EXPECT_EQ(SS_OWNERDRAW, GetWindowLongA(frame.GetHwnd(), GWL_STYLE) & SS_TYPEMASK);
  EXPECT_EQ(0, GetWindowTextLengthA(frame.GetHwnd()));
}

TEST_F(BarControls, ProgressStartsAtZeroToHundredAndLeavesItsBackgroundToTheControl) {
  SProgressCtrl progress;
  RECT rect = Rect(10, 10, 200, 20);
  ASSERT_TRUE(progress.Create(WS_VISIBLE, 0, &rect, parent.GetHwnd(), 1));
  EXPECT_EQ(0, progress.GetMin());
  EXPECT_EQ(100, progress.GetMax());

  progress.SetRange(-50, 250);
  EXPECT_EQ(-50, progress.GetMin());
  EXPECT_EQ(250, progress.GetMax());
  progress.SetPos(100);
  progress.OffsetPos(30);
  EXPECT_EQ(130, progress.GetPos());
  progress.SetPos(1000);  // clamped by the control
  EXPECT_EQ(250, progress.GetPos());

  // The colour goes to the control, which answers the previous one; the
  // framework paints no background for it.
  progress.SetBackColor(RGB(1, 2, 3));
  EXPECT_EQ(LRESULT(RGB(1, 2, 3)), progress.SendMessage(PBM_SETBKCOLOR, 0, CLR_DEFAULT));
  EXPECT_EQ(kColorNone, progress.GetBackColor());
  progress.SetBarColor(RGB(9, 8, 7));
  EXPECT_EQ(LRESULT(RGB(9, 8, 7)), progress.SendMessage(PBM_SETBARCOLOR, 0, CLR_DEFAULT));
}

// The colour of a pixel as the window's own surface holds it.
COLORREF PixelOf(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return color;
}

void Overpaint(HWND window, COLORREF color) {
  RECT client;
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  ReleaseDC(window, dc);
  GdiFlush();
}

TEST_F(BarControls, ScrollRangeRepaintsOnlyWhenAsked) {
  SScrollCtrl scroll;
  RECT rect = Rect(10, 10, 200, 20);
  ASSERT_TRUE(scroll.Create(WS_VISIBLE | SBS_HORZ, 0, &rect, parent.GetHwnd(), 1));
  UpdateWindow(scroll.GetHwnd());
  const COLORREF paint = RGB(255, 0, 255);
  // The middle of the track, where the thumb is not.
  Overpaint(scroll.GetHwnd(), paint);
  scroll.SetRange(0, 50, false);
  EXPECT_EQ(0, scroll.GetMin());
  EXPECT_EQ(50, scroll.GetMax());
  EXPECT_EQ(paint, PixelOf(scroll.GetHwnd(), 120, 10)) << "no redraw asked";
  scroll.SetRange(-5, 60, true);
  EXPECT_EQ(-5, scroll.GetMin());
  EXPECT_EQ(60, scroll.GetMax());
  EXPECT_NE(paint, PixelOf(scroll.GetHwnd(), 120, 10)) << "redrawn";

  scroll.SetPos(70, true);  // clamped by the control
  EXPECT_EQ(60, scroll.GetPos());
}

TEST_F(BarControls, ScrollArrowsStepUntilTheEndAndThenStayQuiet) {
  SScrollCtrl scroll;
  RECT rect = Rect(10, 60, 240, 20);
  ASSERT_TRUE(scroll.Create(WS_VISIBLE | SBS_HORZ, 0, &rect, parent.GetHwnd(), 1));
  parent.SetScrollSteps(1, 5, 1);
  scroll.SetRange(0, 2, true);
  scroll.SetPos(0, true);
  const int left = 5, right = 235;

  // At the start, the left arrow does nothing.
  ASSERT_TRUE(ClickAt(scroll, left, 10));
  EXPECT_EQ(0, parent.Count(kScrollChanged));
  EXPECT_EQ(0, scroll.GetPos());
  EXPECT_EQ(9, parent.codes.front()) << "the press is reported too";

  // The right arrow steps twice to the end, then nothing more.
  const struct {
    int position, events;
  } steps[] = {{1, 1}, {2, 1}, {2, 0}};
  for (const auto& step : steps) {
    parent.Forget();
    ASSERT_TRUE(ClickAt(scroll, right, 10)) << testing::PrintToString(parent.codes);
    EXPECT_EQ(step.position, scroll.GetPos());
    EXPECT_EQ(step.events, parent.Count(kScrollChanged));
  }
}

TEST_F(BarControls, ScrollBrushFollowsTheBackground) {
  SScrollCtrl scroll;
  RECT rect = Rect(10, 10, 200, 20);
  ASSERT_TRUE(scroll.Create(SBS_HORZ, 0, &rect, parent.GetHwnd(), 1));
  HDC dc = CreateCompatibleDC(nullptr);
  auto ask = [&] {
    return reinterpret_cast<HBRUSH>(SendMessageA(parent.GetHwnd(), WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(scroll.GetHwnd())));
  };
  scroll.SetBackColor(RGB(10, 20, 30));
  HBRUSH first = ask();
  LOGBRUSH logBrush = {};
  ASSERT_EQ(int(sizeof logBrush), GetObjectA(first, sizeof logBrush, &logBrush));
  EXPECT_EQ(RGB(10, 20, 30), logBrush.lbColor);
  EXPECT_EQ(RGB(10, 20, 30), GetBkColor(dc));
  scroll.SetBackColor(kColorParentPaints);
  EXPECT_EQ(GetStockObject(NULL_BRUSH), ask());
  EXPECT_EQ(0u, GetObjectType(first));  // the old brush is gone
  EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
  scroll.SetBackColor(kColorNone);
  EXPECT_EQ(nullptr, scroll.OnCtlColorScrollBar(dc));
  DeleteDC(dc);
}

TEST_F(BarControls, SliderKeepsItsSettingsAndReportsEveryMove) {
  SSliderCtrl slider;
  RECT rect = Rect(10, 10, 200, 40);
  ASSERT_TRUE(slider.Create(WS_VISIBLE | TBS_AUTOTICKS, 0, &rect, parent.GetHwnd(), 1));
  slider.SetRange(-10, 30, true);
  EXPECT_EQ(-10, slider.GetMin());
  EXPECT_EQ(30, slider.GetMax());
  slider.SetPos(12, true);
  EXPECT_EQ(12, slider.GetPos());
  slider.SetPos(99, false);
  EXPECT_EQ(30, slider.GetPos());
  slider.SetPageSize(7);
  EXPECT_EQ(7, slider.GetPageSize());
  slider.ClearTics();
  int bare = slider.GetTicCount();  // the two ends
  slider.AddTic(5);
  slider.AddTic(15);
  EXPECT_EQ(bare + 2, slider.GetTicCount());
  slider.ClearTics();
  EXPECT_EQ(bare, slider.GetTicCount());

  // A key press moves it by the line size, and the parent hears of it.
  slider.SetLineSize(4);
  slider.SetPos(0, false);
  SetFocus(slider.GetHwnd());
  slider.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(4, slider.GetPos());
  EXPECT_GE(parent.Count(kSliderChanged), 1);
  EXPECT_EQ(Of(slider), parent.Last(kSliderChanged)->wparam);
  SetFocus(parent.GetHwnd());
}

TEST_F(BarControls, FocusedSliderLooksLikeAnUnfocusedOne) {
  SSliderCtrl slider;
  RECT rect = Rect(20, 20, 200, 40);
  ASSERT_TRUE(slider.Create(WS_VISIBLE, 0, &rect, parent.GetHwnd(), 1));
  slider.SetPos(40, true);
  HWND window = slider.GetHwnd();
  auto shoot = [&] {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(100);
    return Screenshot(window);
  };
  SetFocus(parent.GetHwnd());
  Screenshot unfocused = shoot();
  SetFocus(window);
  ASSERT_EQ(window, GetFocus());
  Screenshot focused = shoot();
  // The thumb may show the focus in its own colours; the rest must not.
  RECT thumb;
  slider.SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  InflateRect(&thumb, 1, 1);
  int differing = 0;
  for (int y = 0; y < 40; y++)
    for (int x = 0; x < 200; x++) {
      POINT p = {x, y};
      if (!PtInRect(&thumb, p)) differing += unfocused.At(window, x, y) != focused.At(window, x, y);
    }
  EXPECT_EQ(0, differing) << "the focus rectangle shows";
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), focused.At(window, 0, 0));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), focused.At(window, 199, 39));

  // With a colour of its own, the cover is drawn in that colour.
  slider.SetBackColor(RGB(0x40, 0xA0, 0x60));
  Screenshot coloured = shoot();
  EXPECT_EQ(RGB(0x40, 0xA0, 0x60), coloured.At(window, 0, 0));
  EXPECT_EQ(RGB(0x40, 0xA0, 0x60), coloured.At(window, 199, 20));
  if (HasFailure()) focused.SaveBmp(TAVRIN_IMAGE_OUT "/slider-failed.bmp");
  SetFocus(parent.GetHwnd());
}

TEST_F(BarControls, StaticFrameIsDrawnOnItsBackgroundOnly) {
  EXPECT_EQ(0, SStaticCtrl().GetEdge());
  SStaticCtrl probe;
  const struct {
    int set, stored;
  } edges[] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {5, 5}, {6, 6}, {7, 0}, {10, 10}, {11, 0}, {-1, 0}};
  for (const auto& e : edges) {
    probe.SetEdge(e.set);
    EXPECT_EQ(e.stored, probe.GetEdge()) << e.set;
  }

  const int width = 60, height = 40;
  const COLORREF back = RGB(200, 220, 240);
  // What the screen must show: the background, and DrawEdge's own frame on it.
  auto reference = [&](int edge, int flags) {
    return Render(width, height, [&](HDC dc) {
      FillWith(dc, width, height, back);
      RECT all = {0, 0, width, height};
      if (edge) DrawEdge(dc, &all, edge, flags);
    });
  };
  const struct {
    int edge, flags;
    bool framed;
  } cases[] = {{EDGE_SUNKEN, BF_RECT, true}, {EDGE_RAISED, BF_LEFT | BF_BOTTOM, true}, {EDGE_ETCHED, 0, false},
               {3, BF_RECT, false},          {7, BF_RECT, false},                   {11, BF_RECT, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.edge);
    SStaticCtrl frame;
    RECT rect = Rect(30, 30, width, height);
    ASSERT_TRUE(frame.Create(WS_VISIBLE, 0, &rect, parent.GetHwnd(), 1));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), frame.GetBackColor());
    frame.SetBackColor(back);
    frame.SetEdge(c.edge);
    frame.SetBorderFlags(c.flags);
    RedrawWindow(frame.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(50);
    Screenshot shot(frame.GetHwnd());
    std::vector<uint32_t> expected = reference(c.framed ? c.edge : 0, c.flags);
    int differing = 0;
    for (size_t i = 0; i < expected.size(); i++) differing += (shot.Pixels()[i] & 0xFFFFFF) != (expected[i] & 0xFFFFFF);
    EXPECT_EQ(0, differing);
    // Printing draws the same, over whatever was there.
    std::vector<uint32_t> printed = Render(width, height, [&](HDC dc) {
      FillWith(dc, width, height, RGB(255, 0, 255));
      frame.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
    EXPECT_TRUE(printed == expected) << "printed";
    if (c.framed) EXPECT_NE(back, shot.At(frame.GetHwnd(), 0, height - 1)) << "a frame is there";
    if (HasFailure()) shot.SaveBmp(TAVRIN_IMAGE_OUT "/static-failed.bmp");
  }
}

}  // namespace
