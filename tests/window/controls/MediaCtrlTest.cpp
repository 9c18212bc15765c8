// The plain owner-drawn label as a user sees it: its text placed by the
// alignment word on screen, a new text laid out at once, its mouse reports,
// and its place in a layered parent's bitmap.
#include <windows.h>

#include <algorithm>

#include "../DialogTesting.h"
#include "../ScreenshotTesting.h"
#include "ControlTesting.h"
#include "window/controls/SMediaCtrl.h"

namespace {

const UINT kMediaMouse = 0x8C4E;
constexpr COLORREF kRed = RGB(255, 0, 0), kWhite = RGB(255, 255, 255);

class MediaControls : public OnScreenControls {
 protected:
  void SetUp() override {
    OnScreenControls::SetUp();
    parent.mouseMessage = kMediaMouse;
  }
  bool Make(SMediaCtrl& label, const char* text, int width, int height) {
    RECT rect = Rect(20, 20, width, height);
    if (!label.Create(text, 0, 0, &rect, parent.GetHwnd(), 7)) return false;
    label.SetBackColor(kWhite);
    label.SetTextColor(kRed);
    return true;
  }
};

}  // namespace

TEST_F(MediaControls, AlignmentPlacesTheTextInsideTheMargins) {
  SMediaCtrl label;
  ASSERT_TRUE(Make(label, "Wide text", 200, 40));
  EXPECT_EQ(26, label.GetType());
  EXPECT_TRUE(label.IsVisible());
  RECT start = label.GetTextRect();
  EXPECT_EQ(0, start.left);  // left, top until told otherwise
  EXPECT_EQ(0, start.top);
  int width = start.right - start.left, height = start.bottom - start.top;
  ASSERT_GT(width, 20);
  ASSERT_GT(height, 5);

  // Centred both ways (17), then right and bottom inside margins.
  label.SetAlignment(17, 0, 0, 0, 0);
  RECT centred = label.GetTextRect();
  EXPECT_EQ((200 - width) / 2, centred.left);
  EXPECT_EQ((40 - height) / 2, centred.top);
  label.SetAlignment(kLabelRight | kLabelBottom, 0, 0, 10, 4);
  RECT corner = label.GetTextRect();
  EXPECT_EQ(190, corner.right);
  EXPECT_EQ(36, corner.bottom);

  // A new text is laid out again: a shorter one stays centred.
  label.SetAlignment(17, 0, 0, 0, 0);
  label.SetText("i");
  RECT narrow = label.GetTextRect();
  EXPECT_LT(narrow.right - narrow.left, width / 3);
  EXPECT_NEAR(100, (narrow.left + narrow.right) / 2, 1);
  EXPECT_STREQ("i", label.GetText().GetText());
}

TEST_F(MediaControls, TextIsDrawnWhereTheLayoutPutsIt) {
  SMediaCtrl label;
  ASSERT_TRUE(Make(label, "Middle", 200, 40));
  label.SetAlignment(17, 0, 0, 0, 0);
  PumpFor(60);
  HWND handle = label.GetHwnd();
  Screenshot shot(handle);
  RECT ink = Extent(shot, handle, kRed), place = label.GetTextRect();
  if (ink.right <= 0) shot.SaveBmp(TAVRIN_IMAGE_OUT "/media-failed.bmp");
  ASSERT_GT(ink.right, 0);
  EXPECT_GE(ink.left, place.left);
  EXPECT_LE(ink.right, place.right);
  EXPECT_GE(ink.top, place.top);
  EXPECT_LE(ink.bottom, place.bottom);
  EXPECT_EQ(kWhite, shot.At(handle, 2, 2));

  // A new background and text colour show without being asked for.
  label.SetBackColor(RGB(0, 0, 255));
  label.SetTextColor(kWhite);
  PumpFor(60);
  Screenshot after(handle);
  EXPECT_EQ(RGB(0, 0, 255), after.At(handle, 2, 2));
  EXPECT_EQ(0, after.Count(handle, Rect(0, 0, 200, 40), kRed));
  EXPECT_GT(after.Count(handle, Rect(0, 0, 200, 40), kWhite), 5);
}

TEST_F(MediaControls, MouseReachesTheParentWithTheRecord) {
  SMediaCtrl label;
  ASSERT_TRUE(Make(label, "click", 80, 20));
  ControlMouseRecord seen = {};
  SWnd* source = nullptr;
  parent.handler = [&](UINT message, WPARAM wparam, LPARAM lparam, LRESULT*) {
    if (message == kMediaMouse) {
      seen = *reinterpret_cast<ControlMouseRecord*>(lparam);
      source = reinterpret_cast<SWnd*>(wparam);
    }
    return false;
  };
  ASSERT_TRUE(ClickAt(label.GetHwnd(), 5, 6));
  PumpUntil([&] { return seen.code == 17; }, 1000);
  parent.handler = nullptr;
  EXPECT_EQ(&label, source);
  EXPECT_EQ(17, seen.code);  // the release came last
  EXPECT_EQ(5, seen.x);
  EXPECT_EQ(6, seen.y);
  POINT screen = {5, 6};
  ClientToScreen(label.GetHwnd(), &screen);
  EXPECT_EQ(screen.x, seen.screenX);
  EXPECT_EQ(screen.y, seen.screenY);
}

// In a layered window the label's background and glyphs come with their
// alpha: opaque colour, and text blended over it, never holes.
TEST_F(MediaControls, LayeredParentDrawsTheLabel) {
  TestWnd window;
  RECT rect = {400, 300, 480, 340};
  ASSERT_TRUE(window.Create(0, "layered", WS_EX_TOOLWINDOW, &rect, nullptr, nullptr, nullptr,
                            GetModuleHandleA(nullptr), false));
  window.SetBackColor(kColorNone);
  SMediaCtrl label;
  RECT labelRect = {10, 5, 70, 35};
  ASSERT_TRUE(label.Create("HH", 0, 0, &labelRect, window.GetHwnd(), 1));
  label.SetBackColor(RGB(0, 0, 255));
  label.SetTextColor(RGB(255, 255, 0));
  label.SetAlignment(17, 0, 0, 0, 0);
  ASSERT_TRUE(window.EnableLayered());
  HDC dc = window.RenderLayeredBitmap();
  ASSERT_NE(nullptr, dc);
  DIBSECTION dib;
  ASSERT_TRUE(GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof dib, &dib));
  auto pixel = [&](int x, int y) { return static_cast<const uint32_t*>(dib.dsBm.bmBits)[y * dib.dsBm.bmWidth + x]; };
  EXPECT_EQ(0u, pixel(2, 2) >> 24);              // the window itself paints nothing
  EXPECT_EQ(0xFF0000FFu, pixel(11, 6));          // the label's corner
  int yellow = 0, transparent = 0;
  RECT place = label.GetTextRect();
  for (int y = 5 + place.top; y < 5 + place.bottom; y++)
    for (int x = 10 + place.left; x < 10 + place.right; x++) {
      uint32_t p = pixel(x, y);
      yellow += p == 0xFFFFFF00u;
      transparent += (p >> 24) != 0xFF;
    }
  EXPECT_GT(yellow, 5);
  EXPECT_EQ(0, transparent);
  EXPECT_TRUE(window.ApplyLayeredBitmap(dc));
}
