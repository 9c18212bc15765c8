// The label as a user sees it: its text drawn on a parent on screen,
// horizontally and turned a quarter, its alignment and its clicks.
#include <windows.h>

#include <algorithm>

#include "../ScreenshotTesting.h"
#include "ControlTesting.h"
#include "window/controls/SLabelCtrl.h"

namespace {

const UINT kLabelMouse = 0x8C26;

class LabelControls : public OnScreenControls {
 protected:
  void SetUp() override {
    OnScreenControls::SetUp();
    parent.mouseMessage = kLabelMouse;
  }
  bool Make(SLabelCtrl& label, const char* text, int width, int height) {
    RECT rect = Rect(20, 20, width, height);
    if (!label.Create(text, WS_VISIBLE, 0, &rect, parent.GetHwnd(), 6)) return false;
    label.SetBackColor(RGB(255, 255, 255));
    label.SetTextColor(kRed);
    return true;
  }
  static void Repaint(const SWnd& window) {
    RedrawWindow(window.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(30);
  }
  static constexpr COLORREF kRed = RGB(255, 0, 0);
};

TEST_F(LabelControls, AlignmentKeepsOneChoiceOfEachDirection) {
  SLabelCtrl label;
  ASSERT_TRUE(Make(label, "x", 80, 20));
  EXPECT_EQ(20, label.GetType());
  EXPECT_EQ(0x10, label.GetAlignment());
  const struct {
    int32_t flags, stored;
  } cases[] = {{0x31, 0x21}, {0x03, 0x03}, {0x12, 0x12}, {0x06, 0x02}, {0x05, 0x01}, {0x40, 0x00}};
  for (const auto& c : cases) {
    label.SetAlignment(c.flags);
    EXPECT_EQ(c.stored, label.GetAlignment()) << c.flags;
  }
  // Clicks are reported.
  label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  ASSERT_FALSE(parent.mouseCodes.empty());
  EXPECT_EQ(9, parent.mouseCodes.front());
}

TEST_F(LabelControls, TextShowsAlignedAndAtOnceWhenChanged) {
  SLabelCtrl label;
  ASSERT_TRUE(Make(label, "", 200, 40));
  Repaint(label);
  HWND handle = label.GetHwnd();
  EXPECT_EQ(0, Screenshot(handle).Count(handle, Rect(0, 0, 200, 40), kRed));
  // A new text is on screen without waiting for a paint.
  label.SetText("A&B");
  EXPECT_FALSE(GetUpdateRect(handle, nullptr, FALSE));  // painted already
  PumpFor(30);
  Screenshot shot(handle);
  RECT middle = Extent(shot, handle, kRed);
  ASSERT_GT(middle.right, 0);
  EXPECT_LT(middle.left, 10);  // left
  EXPECT_GT(middle.top, 5);    // in the middle
  EXPECT_LT(middle.bottom, 35);

  label.SetAlignment(0x22);  // right, bottom
  PumpFor(30);
  Screenshot right(handle);
  RECT box = Extent(right, handle, kRed);
  EXPECT_GT(box.left, 100);
  EXPECT_GE(box.right, 190);
  EXPECT_GE(box.bottom, 33);
  // The ampersand is drawn, not taken for an underline: the text is as
  // wide as with a plain letter.
  EXPECT_GT(box.right - box.left, 20);
  if (HasFailure()) right.SaveBmp(TAVRIN_IMAGE_OUT "/label-failed.bmp");
}

TEST_F(LabelControls, VerticalTextReadsUpwards) {
  SLabelCtrl flat, turned;
  ASSERT_TRUE(Make(flat, "Vertical", 120, 30));
  ASSERT_TRUE(Make(turned, "Vertical", 30, 120));
  SetWindowPos(turned.GetHwnd(), nullptr, 180, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  turned.SetVertical(true);
  turned.SetAlignment(0x10);  // left, middle: from the bottom, across the centre
  Repaint(flat);
  Repaint(turned);
  PumpFor(100);
  Screenshot shot(parent.GetHwnd());
  RECT across = Extent(shot, flat.GetHwnd(), kRed), up = Extent(shot, turned.GetHwnd(), kRed);
  if (across.right <= 0 || up.right <= 0) shot.SaveBmp(TAVRIN_IMAGE_OUT "/label-vertical-failed.bmp");
  ASSERT_GT(across.right, 0);
  ASSERT_GT(up.right, 0);
  // The same text, turned: the width along one becomes the height of the other.
  EXPECT_EQ(across.right - across.left, up.bottom - up.top);
  EXPECT_EQ(across.bottom - across.top, up.right - up.left);
  // Left-aligned text turned upwards starts at the bottom.
  EXPECT_EQ(across.left, 120 - up.bottom);
  // The background around it is the label's own.
  EXPECT_EQ(RGB(255, 255, 255), shot.At(turned.GetHwnd(), 1, 1));
  if (HasFailure()) shot.SaveBmp(TAVRIN_IMAGE_OUT "/label-vertical-failed.bmp");
}

}  // namespace
