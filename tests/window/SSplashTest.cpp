#include <windows.h>

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <memory>

#include "DialogTesting.h"
#include "InputTesting.h"
#include "ScreenshotTesting.h"
#include "WindowTesting.h"
#include "files/SFileMem.h"
#include "window/SSplash.h"

namespace {

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// An opaque picture of one colour.
std::unique_ptr<SImage> Picture(int width, int height, Gdiplus::ARGB colour = 0xFF3060A0) {
  auto image = std::make_unique<SImage>(width, height);
  Gdiplus::Rect all(0, 0, width, height);
  image->FillRect(colour, &all);
  return image;
}

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

class SplashTest : public WindowTest {};

TEST(SplashGeometry, CentredRectangle) {
  EXPECT_EQ(Text({362, 284, 662, 484}), Text(CenteredSplashRect(300, 200, 1024, 768)));
  EXPECT_EQ(Text({412, 234, 612, 534}), Text(CenteredSplashRect(200, 300, 1024, 768)));
}

TEST(SplashGeometry, GrowsFromHalfWidthKeepingTheShape) {
  struct Case {
    RECT final;
    uint32_t elapsed;
    RECT expected;
    bool done;
  };
  const RECT wide = {362, 284, 662, 484}, tall = {412, 234, 612, 534};
  const Case cases[] = {
      {wide, 0, {437, 334, 587, 434}, false},    // 150 x 100 about the centre (512, 384)
      {wide, 250, {400, 309, 625, 459}, false},  // 225 x 150
      {wide, 499, {363, 285, 662, 484}, false},  // 299 x 199
      {wide, 500, wide, true},
      {wide, 5000, wide, true},
      {tall, 0, {462, 309, 562, 459}, false},    // 100 x 150: still portrait
      {tall, 250, {437, 272, 587, 497}, false},  // 150 x 225
      {tall, 500, tall, true},
  };
  for (const Case& c : cases) {
    bool done = !c.done;
    EXPECT_EQ(Text(c.expected), Text(SplashGrowRect(c.final, c.elapsed, &done))) << c.elapsed;
    EXPECT_EQ(c.done, done) << c.elapsed;
  }
}

TEST_F(SplashTest, PictureIsCopiedAndCentredOnTheScreen) {
  SSplash splash;
  EXPECT_FALSE(splash.SetImage(nullptr, kColorNone, false));
  SImage empty;
  EXPECT_FALSE(splash.SetImage(&empty, kColorNone, false));
  EXPECT_FALSE(splash.Show(nullptr, nullptr, 0, 0, 0)) << "no picture";
  auto picture = Picture(300, 200);
  ASSERT_TRUE(splash.SetImage(picture.get(), kColorNone, false));
  picture.reset();
  EXPECT_EQ(300, splash.GetImage().GetWidth());
  EXPECT_EQ(Text(CenteredSplashRect(300, 200, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))),
            Text(splash.GetRect()));
}

TEST_F(SplashTest, ShownAtOnceOrAtAPointAndRefusedWhileShown) {
  SSplash splash;
  auto picture = Picture(120, 80);
  ASSERT_TRUE(splash.SetImage(picture.get(), kColorNone, false));
  POINT at = {30, 40};
  ASSERT_TRUE(splash.Show(&at, nullptr, 5, 0, 0));
  HWND window = splash.GetWindow()->GetHwnd();
  ASSERT_TRUE(window);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(Text({30, 40, 150, 120}), Text(WindowRect(window)));
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(SSplash::kModeTimed, splash.GetWindow()->GetMode()) << "mode 5 is mode 0";
  EXPECT_EQ(&splash, splash.GetWindow()->GetOwner());
  EXPECT_EQ(window, GetFocus()) << "modes 0 and 1 take the focus";
  EXPECT_FALSE(splash.Show(nullptr, nullptr, 0, 0, 0));
  splash.Close();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(nullptr, splash.GetWindow());
}

TEST_F(SplashTest, ModeOneClosesOnAClickModeTwoNever) {
  TestDialog front;
  ASSERT_TRUE(front.Make(0, 0, 100, 60));
  SSplash splash;
  auto picture = Picture(160, 100);
  ASSERT_TRUE(splash.SetImage(picture.get(), kColorNone, false));
  POINT at = {300, 300};

  ASSERT_TRUE(splash.Show(&at, nullptr, SSplash::kModeNoFocus, 0, 0));
  HWND still = splash.GetWindow()->GetHwnd();
  EXPECT_NE(still, GetFocus()) << "mode 2 leaves the focus alone";
  SendMessageA(still, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageA(still, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  SendMessageA(still, WM_KILLFOCUS, 0, 0);
  PumpFor(50);
  EXPECT_TRUE(IsWindow(still));
  splash.Close();

  ASSERT_TRUE(splash.Show(&at, nullptr, SSplash::kModeClick, 0, 0));
  HWND clicked = splash.GetWindow()->GetHwnd();
  ASSERT_TRUE(ClickAt(clicked, 20, 20));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(clicked); }, 2000));
  ASSERT_NE(nullptr, splash.GetWindow()) << "the object stays until the next Show or Close";
  EXPECT_EQ(nullptr, splash.GetWindow()->GetHwnd());
  EXPECT_TRUE(splash.Show(&at, nullptr, SSplash::kModeClick, 0, 0)) << "a closed window lets Show go on";
  HWND again = splash.GetWindow()->GetHwnd();
  SetFocus(front.GetHwnd());
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(again); }, 2000)) << "losing the focus closes mode 1";
}

TEST_F(SplashTest, DurationClosesTheWindowAndZeroKeepsIt) {
  SSplash timed, kept;
  auto picture = Picture(60, 40);
  ASSERT_TRUE(timed.SetImage(picture.get(), kColorNone, false));
  ASSERT_TRUE(kept.SetImage(picture.get(), kColorNone, false));
  POINT a = {10, 300}, b = {100, 300};
  ASSERT_TRUE(timed.Show(&a, nullptr, SSplash::kModeNoFocus, 150, 0));
  ASSERT_TRUE(kept.Show(&b, nullptr, SSplash::kModeNoFocus, 0, 0));
  HWND closing = timed.GetWindow()->GetHwnd(), staying = kept.GetWindow()->GetHwnd();
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(closing); }, 3000));
  PumpFor(300);
  EXPECT_TRUE(IsWindowVisible(staying));
}

TEST_F(SplashTest, GrowsInFromHalfSizeThenStays) {
  SSplash splash;
  auto picture = Picture(200, 300);
  ASSERT_TRUE(splash.SetImage(picture.get(), kColorNone, false));
  ASSERT_TRUE(splash.Show(nullptr, nullptr, SSplash::kModeNoFocus, 0, SSplash::kEffectGrow));
  SSplash::_SWnd* window = splash.GetWindow();
  EXPECT_FALSE(IsWindowVisible(window->GetHwnd())) << "shown at the first tick";
  EXPECT_EQ(DRAW_STRETCH, window->GetBackgroundDrawMode());
  // The first tick, at once: the slow emulator may deliver the timer's own
  // only once the half-size start has passed.
  SendMessageA(window->GetHwnd(), WM_TIMER, SSplash::kGrowTimer, 0);
  EXPECT_TRUE(IsWindowVisible(window->GetHwnd()));
  RECT first = WindowRect(window->GetHwnd());
  int width = first.right - first.left, height = first.bottom - first.top;
  EXPECT_GE(width, 100);
  EXPECT_LT(width, 200);
  EXPECT_EQ(width * 3 / 2, height) << "portrait shape kept";
  ASSERT_TRUE(PumpUntil([&] { return window->IsGrown(); }, 3000));
  EXPECT_EQ(Text(splash.GetRect()), Text(WindowRect(window->GetHwnd())));
}

TEST_F(SplashTest, KeyColourIsCutOutOfTheWindow) {
  SSplash splash;
  auto picture = Picture(40, 30);
  Gdiplus::Rect left(0, 0, 20, 30);
  picture->FillRect(0xFFFF00FF, &left);
  ASSERT_TRUE(splash.SetImage(picture.get(), RGB(255, 0, 255), false));
  POINT at = {50, 50};
  ASSERT_TRUE(splash.Show(&at, nullptr, SSplash::kModeNoFocus, 0, 0));
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, GetWindowRgn(splash.GetWindow()->GetHwnd(), region));
  EXPECT_FALSE(PtInRegion(region, 5, 5));
  EXPECT_FALSE(PtInRegion(region, 19, 29));
  EXPECT_TRUE(PtInRegion(region, 20, 0));
  EXPECT_TRUE(PtInRegion(region, 39, 29));
  DeleteObject(region);
}

TEST_F(SplashTest, AlphaPictureMakesALayeredBitmapWithItsAlpha) {
  SSplash splash;
  auto picture = Picture(40, 20, 0x80FF0000);  // red at half alpha
  Gdiplus::Rect solid(20, 0, 20, 20);
  picture->FillRect(0xFF0000FF, &solid);  // opaque blue on the right
  ASSERT_TRUE(splash.SetAlphaImage(picture.get()));
  POINT at = {60, 200};
  ASSERT_TRUE(splash.Show(&at, nullptr, SSplash::kModeNoFocus, 0, 0));
  SSplash::_SWnd* window = splash.GetWindow();
  EXPECT_TRUE(GetWindowLongA(window->GetHwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
  // The bitmap handed to the system: premultiplied BGRA rows.
  HDC dc = window->RenderLayeredBitmap();
  ASSERT_TRUE(dc);
  HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 40;
  info.bmiHeader.biHeight = -20;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> pixels(40 * 20);
  ASSERT_EQ(20, GetDIBits(dc, bitmap, 0, 20, pixels.data(), &info, DIB_RGB_COLORS));
  uint32_t half = pixels[5 * 40 + 5], opaque = pixels[5 * 40 + 30];
  EXPECT_NEAR(0x80, int(half >> 24), 2);
  EXPECT_NEAR(0x80, int((half >> 16) & 0xFF), 2) << "red, premultiplied";
  EXPECT_EQ(0u, half & 0xFFFF);
  EXPECT_EQ(0xFF0000FFu, opaque);
  window->ApplyLayeredBitmap(dc);
}

TEST_F(SplashTest, PictureFromAStream) {
  SSplash splash;
  EXPECT_FALSE(splash.SetImageFromStream(nullptr, kColorNone, false));
  EXPECT_FALSE(splash.SetAlphaImageFromStream(nullptr));
  SFileMem garbage;
  garbage.Write("not a picture", 13);
  garbage.Rewind();
  EXPECT_FALSE(splash.SetImageFromStream(&garbage, kColorNone, false));
  auto picture = Picture(30, 20, 0x80112233);
  SFileMem png;
  png.Write("head", 4);
  ASSERT_TRUE(picture->SaveToStream(&png, kImagePng, 32));
  png.Seek(4);
  ASSERT_TRUE(splash.SetAlphaImageFromStream(&png));
  EXPECT_EQ(30, splash.GetImage().GetWidth());
  EXPECT_EQ(20, splash.GetImage().GetHeight());
  EXPECT_TRUE(png.IsEnd());
}

TEST_F(SplashTest, BackdropBlendsThePictureWithTheScreenBehind) {
  TestWnd behind;
  ASSERT_TRUE(behind.Make(nullptr, WS_POPUP | WS_VISIBLE, 200, 120));
  behind.SetBackColor(RGB(0, 200, 0));
  RedrawWindow(behind.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  PumpFor(100);
  POINT corner = {0, 0};
  ClientToScreen(behind.GetHwnd(), &corner);
  ASSERT_EQ(RGB(0, 200, 0), Screenshot(behind.GetHwnd()).At(behind.GetHwnd(), 50, 30));
  auto picture = Picture(60, 40, 0x80FF0000);  // red at half alpha
  for (int mode : {SSplash::kModeTimed, SSplash::kModeNoFocus}) {
    SSplash splash;
    ASSERT_TRUE(splash.SetImage(picture.get(), kColorNone, true));
    POINT at = {corner.x + 20, corner.y + 20};
    ASSERT_TRUE(splash.Show(&at, nullptr, mode, 0, 0));
    HWND window = splash.GetWindow()->GetHwnd();
    UpdateWindow(window);
    PumpFor(100);
    COLORREF seen = Screenshot(window).At(window, 30, 20);
    EXPECT_NEAR(128, GetRValue(seen), 3) << "mode " << mode;
    EXPECT_NEAR(100, GetGValue(seen), 3) << "mode " << mode;
    EXPECT_NEAR(0, GetBValue(seen), 3) << "mode " << mode;
    splash.Close();
    UpdateWindow(behind.GetHwnd());
    PumpFor(100);
  }
}

}  // namespace
