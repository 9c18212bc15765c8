// Window backgrounds read back through WM_PRINT: colours, draw modes, the
// nine-slice frame, skins, the child cut-outs, the shape cut from the
// transparent colour, and the bitmap of a layered window.
#include "WindowTesting.h"

#include <iterator>
#include <memory>
#include <vector>

#include "window/PixelCanvas.h"

namespace {

class SWndBackground : public WindowTest {};

const uint32_t kMarker = 0x00ABCDEF;  // what the print DC held before

// A window whose background state the test sets directly.
class BackWnd : public TestWnd {
 public:
  explicit BackWnd(int type = kWindowPlain) : TestWnd(type) {}
  bool MakeSized(int width, int height, HWND parent = nullptr, int x = 0, int y = 0) {
    RECT rect = {x, y, x + width, y + height};
    DWORD style = WS_VISIBLE | (parent ? WS_CHILD : WS_POPUP);
    return Create(style, "", 0, &rect, parent, nullptr, nullptr, GetModuleHandleA(nullptr), false);
  }
  void SetState(bool hover, bool pressed, bool checked) {
    m_hover = hover;
    m_pressed = pressed;
    m_checked = checked;
  }
  void SetInSizeMove(bool inside) { m_inSizeMove = inside; }
  RECT video = {0, 0, 0, 0};
  int contentDraws = 0;
  bool GetVideoRect(RECT* rect) override {
    *rect = video;
    return !IsRectEmpty(&video);
  }
  void DrawLayeredContent(HDC dc) override { contentDraws += dc != nullptr; }
};

// 0xRRGGBB of a canvas pixel.
uint32_t Rgb(const PixelCanvas& canvas, int x, int y) { return canvas.GetPixel(x, y) & 0xFFFFFF; }

// The erase of the window into a canvas of its size that held the marker.
void PrintErase(SWnd& window, PixelCanvas& canvas) {
  for (int y = 0; y < canvas.GetHeight(); y++) {
    for (int x = 0; x < canvas.GetWidth(); x++) SetPixelV(canvas.GetDC(), x, y, RGB(0xAB, 0xCD, 0xEF));
  }
  window.Print(canvas.GetDC(), PRF_ERASEBKGND);
  GdiFlush();
}

// A picture from a function of the position giving 0xAARRGGBB.
struct Picture {
  SImage image;
  template <typename F>
  Picture(int width, int height, F colour) {
    std::vector<Gdiplus::ARGB> pixels(size_t(width) * height);
    for (int y = 0; y < height; y++)
      for (int x = 0; x < width; x++) pixels[size_t(y) * width + x] = colour(x, y);
    image.FromPixels(width, height, pixels.data());
  }
  Gdiplus::Bitmap* Get() const { return image.GetBitmap(); }
};

const Gdiplus::ARGB kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00,
                    kCyan = 0xFF00FFFF, kMagenta = 0xFFFF00FF;

}  // namespace

TEST_F(SWndBackground, ColourNoneAndDrawModes) {
  BackWnd window;
  ASSERT_TRUE(window.MakeSized(40, 20));
  PixelCanvas canvas(40, 20);
  ASSERT_TRUE(canvas.IsValid());

  // No colour and no image: the erase paints nothing.
  window.SetBackColor(kColorNone);
  PrintErase(window, canvas);
  EXPECT_EQ(kMarker, Rgb(canvas, 5, 5));

  window.SetBackColor(RGB(10, 20, 30));
  PrintErase(window, canvas);
  EXPECT_EQ(0x0A141Eu, Rgb(canvas, 5, 5));
  EXPECT_EQ(0x0A141Eu, Rgb(canvas, 39, 19));

  Picture red(8, 4, [](int, int) { return kRed; });
  struct Case {
    int mode;
    int x, y;
    uint32_t expected;
  } cases[] = {
      {DRAW_TOPLEFT, 1, 1, 0xFF0000},   {DRAW_TOPLEFT, 10, 1, 0x0A141E}, {DRAW_CENTER, 20, 10, 0xFF0000},
      {DRAW_CENTER, 1, 1, 0x0A141E},    {DRAW_STRETCH, 1, 1, 0xFF0000},  {DRAW_STRETCH, 34, 15, 0xFF0000},
      {DRAW_BOTTOMRIGHT, 38, 18, 0xFF0000}, {DRAW_BOTTOMRIGHT, 1, 1, 0x0A141E},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(window.SetBackgroundImage(red.Get(), kColorNone, c.mode, nullptr, false));
    EXPECT_EQ(c.mode, window.GetBackgroundDrawMode());
    PrintErase(window, canvas);
    EXPECT_EQ(c.expected, Rgb(canvas, c.x, c.y)) << "mode " << c.mode << " at " << c.x << "," << c.y;
  }
  // Mode -1 keeps the mode; one out of range is stored as 0.
  window.SetBackgroundImage(red.Get(), kColorNone, -1, nullptr, false);
  EXPECT_EQ(DRAW_BOTTOMRIGHT, window.GetBackgroundDrawMode());
  window.SetBackgroundImage(red.Get(), kColorNone, 13, nullptr, false);
  EXPECT_EQ(DRAW_TOPLEFT, window.GetBackgroundDrawMode());
  EXPECT_EQ(DRAW_TOPLEFT, window.SetBackgroundDrawMode(DRAW_STRETCH));
  EXPECT_EQ(DRAW_STRETCH, window.GetBackgroundDrawMode());
  // No bitmap: back to the colour.
  window.SetBackgroundImage(nullptr, kColorNone, -1, nullptr, false);
  PrintErase(window, canvas);
  EXPECT_EQ(0x0A141Eu, Rgb(canvas, 38, 18));
}

// A 64 x 64 frame: red corners, a top edge whose first column is yellow,
// cyan left edge, blue middle.
TEST_F(SWndBackground, NineSliceFrame) {
  Picture frame(64, 64, [](int x, int y) {
    bool left = x < 10, right = x >= 54, top = y < 10, bottom = y >= 54;
    if ((left || right) && (top || bottom)) return kRed;
    if (top || bottom) return x == 10 ? kYellow : kGreen;
    if (left || right) return kCyan;
    return kBlue;
  });
  RECT margins = {10, 10, 54, 54};
  BackWnd window;
  ASSERT_TRUE(window.MakeSized(200, 100));
  EXPECT_TRUE(window.SetBackgroundImage(frame.Get(), kColorNone, DRAW_STRETCH, &margins, true));
  PixelCanvas canvas(200, 100);
  PrintErase(window, canvas);
  // Corners stay 10 x 10.
  for (POINT p : {POINT{0, 0}, POINT{9, 9}, POINT{190, 0}, POINT{199, 9}, POINT{0, 90}, POINT{199, 99}})
    EXPECT_EQ(0xFF0000u, Rgb(canvas, p.x, p.y)) << p.x << "," << p.y;
  // The top edge is tiled over 180 pixels: its first column every 44.
  for (int x : {10, 54, 98, 142, 186}) EXPECT_EQ(0xFFFF00u, Rgb(canvas, x, 5)) << x;
  for (int x : {11, 53, 55, 189}) EXPECT_EQ(0x00FF00u, Rgb(canvas, x, 5)) << x;
  EXPECT_EQ(0xFFFF00u, Rgb(canvas, 54, 95));
  // The sides run down, the middle fills 180 x 80.
  EXPECT_EQ(0x00FFFFu, Rgb(canvas, 5, 50));
  EXPECT_EQ(0x00FFFFu, Rgb(canvas, 195, 89));
  for (POINT p : {POINT{20, 20}, POINT{180, 80}, POINT{100, 50}}) EXPECT_EQ(0x0000FFu, Rgb(canvas, p.x, p.y));

  // Margins that do not fit: the picture is stretched whole, so x = 25 on
  // the top row is still the corner's red.
  RECT wrong[] = {{10, 10, 70, 54}, {30, 10, 20, 54}, {-1, 10, 54, 54}, {10, 10, 54, 65}};
  for (const RECT& m : wrong) {
    window.SetBackgroundImage(frame.Get(), kColorNone, DRAW_STRETCH, &m, true);
    PrintErase(window, canvas);
    EXPECT_EQ(0xFF0000u, Rgb(canvas, 25, 5)) << m.left << "," << m.right << "," << m.bottom;
    EXPECT_EQ(0x0000FFu, Rgb(canvas, 100, 50));
  }
  // Corners wider than the window: drawn whole too.
  BackWnd narrow;
  ASSERT_TRUE(narrow.MakeSized(16, 40));
  narrow.SetBackgroundImage(frame.Get(), kColorNone, DRAW_STRETCH, &margins, false);
  PixelCanvas small(16, 40);
  PrintErase(narrow, small);
  EXPECT_EQ(0x0000FFu, Rgb(small, 8, 20));
  EXPECT_EQ(0xFF0000u, Rgb(small, 1, 1));
}

TEST_F(SWndBackground, TransparentColourShapesTheWindow) {
  // Left half magenta: cut out of the window.
  Picture half(20, 20, [](int x, int) { return x < 10 ? kMagenta : kGreen; });
  BackWnd window;
  ASSERT_TRUE(window.MakeSized(20, 20));
  EXPECT_TRUE(window.SetBackgroundImage(half.Get(), RGB(255, 0, 255), DRAW_TOPLEFT, nullptr, false));
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(ERROR, GetWindowRgn(window.GetHwnd(), shape));
  EXPECT_FALSE(PtInRegion(shape, 5, 5));
  EXPECT_TRUE(PtInRegion(shape, 15, 5));
  EXPECT_TRUE(PtInRegion(shape, 10, 19));
  // The transparent pixels are not painted either.
  PixelCanvas canvas(20, 20);
  PrintErase(window, canvas);
  EXPECT_EQ(0x00FF00u, Rgb(canvas, 15, 5));

  // A colour no pixel has: the full rectangle.
  EXPECT_TRUE(window.SetBackgroundImage(half.Get(), RGB(1, 2, 3), DRAW_TOPLEFT, nullptr, false));
  RECT box;
  EXPECT_EQ(SIMPLEREGION, GetWindowRgn(window.GetHwnd(), shape));
  GetRgnBox(shape, &box);
  EXPECT_EQ(0, box.left);
  EXPECT_EQ(20, box.right);
  EXPECT_EQ(20, box.bottom);
  // No transparent colour: no shape at all.
  window.SetBackgroundImage(half.Get(), kColorNone, DRAW_TOPLEFT, nullptr, false);
  EXPECT_EQ(ERROR, GetWindowRgn(window.GetHwnd(), shape));
  DeleteObject(shape);

  // Inside a frame: the shape is moved past the borders.
  BackWnd framed;
  RECT rect = {0, 0, 60, 60};
  ASSERT_TRUE(framed.Create(WS_POPUP | WS_BORDER | WS_VISIBLE, "", 0, &rect, nullptr, nullptr, nullptr,
                            GetModuleHandleA(nullptr), false));
  framed.SetBackgroundImage(half.Get(), RGB(255, 0, 255), DRAW_TOPLEFT, nullptr, false);
  shape = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(framed.GetHwnd(), shape);
  POINT origin = {0, 0};
  ClientToScreen(framed.GetHwnd(), &origin);
  RECT outer;
  GetWindowRect(framed.GetHwnd(), &outer);
  int bx = origin.x - outer.left, by = origin.y - outer.top;
  EXPECT_GT(bx, 0);
  EXPECT_FALSE(PtInRegion(shape, bx + 2, by + 2));
  EXPECT_TRUE(PtInRegion(shape, bx + 12, by + 2));
  EXPECT_TRUE(PtInRegion(shape, 0, 0));  // the border stays
  DeleteObject(shape);
}

TEST_F(SWndBackground, SkinImageFollowsTheButtonState) {
  Picture back(10, 10, [](int, int) { return kRed; });
  Picture hover(10, 10, [](int, int) { return kGreen; });
  Picture pressed(10, 10, [](int, int) { return kBlue; });
  Picture checked(10, 10, [](int, int) { return kYellow; });
  Picture disabled(10, 10, [](int, int) { return kCyan; });
  BackWnd window;
  ASSERT_TRUE(window.MakeSized(10, 10));
  window.SetBackgroundImage(back.Get(), kColorNone, DRAW_STRETCH, nullptr, false);
  EXPECT_TRUE(window.SetSkinImages(&hover.image, &pressed.image, &checked.image, &disabled.image));
  window.SetSkinState(true);
  struct Case {
    bool hover, pressed, checked, enabled;
    uint32_t expected;
  } cases[] = {
      {false, false, false, true, 0xFF0000}, {true, false, false, true, 0x00FF00},
      {true, true, false, true, 0x0000FF},   {false, true, false, true, 0xFF0000},
      {true, true, true, true, 0xFFFF00},    {true, false, false, false, 0x00FFFF},
      {false, false, true, false, 0x00FFFF},
  };
  PixelCanvas canvas(10, 10);
  for (const Case& c : cases) {
    window.SetState(c.hover, c.pressed, c.checked);
    window.Enable(c.enabled);
    PrintErase(window, canvas);
    EXPECT_EQ(c.expected, Rgb(canvas, 5, 5)) << c.hover << c.pressed << c.checked << c.enabled;
  }
  // Out of button mode: the background whatever the state.
  window.Enable(true);
  window.SetSkinState(false);
  window.SetState(true, true, false);
  PrintErase(window, canvas);
  EXPECT_EQ(0xFF0000u, Rgb(canvas, 5, 5));
  // The mouse entering a button-mode window turns hover on.
  window.SetSkinState(true);
  SendMessageA(window.GetHwnd(), kMouseEnterMessage, 0, 0);
  PrintErase(window, canvas);
  EXPECT_EQ(0x00FF00u, Rgb(canvas, 5, 5));
  // No picture among the four: no skins, the background shows.
  SImage empty;
  EXPECT_FALSE(window.SetSkinImages(&empty, nullptr, nullptr, nullptr));
  PrintErase(window, canvas);
  EXPECT_EQ(0xFF0000u, Rgb(canvas, 5, 5));
  EXPECT_FALSE(window.LoadSkinImages(nullptr, "a", "", "", ""));
}

TEST_F(SWndBackground, ChildrenAreCutOutOfTheErase) {
  BackWnd parent;
  ASSERT_TRUE(parent.MakeSized(100, 40));
  parent.SetBackColor(RGB(0, 0, 200));
  // One child of each kind, each 10 x 10 along the top.
  struct Child {
    int type;
    uint32_t color;
    bool cut;
  } children[] = {
      {kWindowPlain, RGB(1, 1, 1), true},     {kWindowStatic, RGB(1, 1, 1), true},
      {kWindowButton, RGB(1, 1, 1), false},   {kWindowPlain, kColorParentPaints, false},
      {kWindowEdit, RGB(1, 1, 1), false},
  };
  std::vector<std::unique_ptr<BackWnd>> made;
  for (size_t i = 0; i < std::size(children); i++) {
    made.push_back(std::make_unique<BackWnd>(children[i].type));
    ASSERT_TRUE(made.back()->MakeSized(10, 10, parent.GetHwnd(), int(i) * 20, 0));
    made.back()->SetBackColor(children[i].color);
  }
  PixelCanvas canvas(100, 40);
  PrintErase(parent, canvas);
  for (size_t i = 0; i < std::size(children); i++)
    EXPECT_EQ(children[i].cut ? kMarker : 0x0000C8u, Rgb(canvas, int(i) * 20 + 5, 5)) << i;
  EXPECT_EQ(0x0000C8u, Rgb(canvas, 50, 30));
  // In a size or move loop the standard controls are cut out too.
  parent.SetInSizeMove(true);
  PrintErase(parent, canvas);
  EXPECT_EQ(kMarker, Rgb(canvas, 45, 5));
  EXPECT_EQ(kMarker, Rgb(canvas, 85, 5));
  parent.SetInSizeMove(false);

  // A shaped child is cut out by its shape only.
  HRGN triangle = CreateRectRgn(0, 0, 5, 10);
  SetWindowRgn(made[0]->GetHwnd(), triangle, TRUE);
  PrintErase(parent, canvas);
  EXPECT_EQ(kMarker, Rgb(canvas, 2, 5));
  EXPECT_EQ(0x0000C8u, Rgb(canvas, 7, 5));
  // Hidden children are painted over.
  made[1]->Show(SW_HIDE);
  PrintErase(parent, canvas);
  EXPECT_EQ(0x0000C8u, Rgb(canvas, 25, 5));
}

// A stand-in media player showing video: its video rectangle is left alone.
TEST_F(SWndBackground, VideoRectangleIsLeftAlone) {
  BackWnd player(kWindowMediaPlayer);
  ASSERT_TRUE(player.MakeSized(40, 40));
  player.SetBackColor(RGB(0, 200, 0));
  player.video = {10, 10, 30, 30};
  PixelCanvas canvas(40, 40);
  PrintErase(player, canvas);
  EXPECT_EQ(kMarker, Rgb(canvas, 20, 20));
  EXPECT_EQ(0x00C800u, Rgb(canvas, 5, 5));
  player.video = {0, 0, 0, 0};
  PrintErase(player, canvas);
  EXPECT_EQ(0x00C800u, Rgb(canvas, 20, 20));
}

// The layered bitmap itself: the window's background with its alpha, and a
// stand-in rich label blended on it.
TEST_F(SWndBackground, LayeredBitmapHoldsWindowAndLabels) {
  Picture back(40, 30, [](int x, int) { return x < 20 ? kRed : Gdiplus::ARGB(0x80FF0000); });
  Picture blue(10, 10, [](int, int) { return kBlue; });
  BackWnd window;
  ASSERT_TRUE(window.MakeSized(40, 30));
  window.SetBackgroundImage(back.Get(), kColorNone, DRAW_TOPLEFT, nullptr, false);
  BackWnd label(kWindowMedia), other;
  ASSERT_TRUE(label.MakeSized(10, 10, window.GetHwnd(), 5, 15));
  label.SetBackgroundImage(blue.Get(), kColorNone, DRAW_STRETCH, nullptr, false);
  ASSERT_TRUE(other.MakeSized(10, 10, window.GetHwnd(), 25, 0));
  other.SetBackgroundImage(blue.Get(), kColorNone, DRAW_STRETCH, nullptr, false);
  EXPECT_TRUE(window.EnableLayered());
  EXPECT_TRUE(window.GetExStyle() & WS_EX_LAYERED);

  HDC dc = window.RenderLayeredBitmap();
  ASSERT_NE(nullptr, dc);
  DIBSECTION dib;
  ASSERT_TRUE(GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof dib, &dib));
  EXPECT_EQ(40, dib.dsBm.bmWidth);
  EXPECT_EQ(32, dib.dsBm.bmBitsPixel);
  // Rows top-down, as UpdateLayeredWindow is given them.
  auto pixel = [&](int x, int y) { return static_cast<const uint32_t*>(dib.dsBm.bmBits)[y * dib.dsBm.bmWidth + x]; };
  EXPECT_EQ(0xFFFF0000u, pixel(2, 2));
  // Premultiplied: half alpha halves the red.
  uint32_t half = pixel(35, 25);
  EXPECT_NEAR(0x80, int(half >> 24), 1);
  EXPECT_NEAR(0x80, int((half >> 16) & 0xFF), 1);
  EXPECT_EQ(0xFF0000FFu, pixel(10, 20));  // the label
  EXPECT_EQ(0x80u, pixel(28, 2) >> 24 & 0xFF);  // not a label: not drawn
  EXPECT_EQ(1, label.contentDraws);
  EXPECT_TRUE(window.ApplyLayeredBitmap(dc));
  EXPECT_FALSE(window.ApplyLayeredBitmap(nullptr));

  // A child redrawn goes through its layered parent.
  EXPECT_TRUE(label.Redraw(RDW_INVALIDATE, nullptr, nullptr));
  EXPECT_EQ(2, label.contentDraws);
  EXPECT_TRUE(window.UpdateLayered());
  EXPECT_EQ(3, label.contentDraws);
}

TEST_F(SWndBackground, SetRedrawAnswersThePreviousState) {
  BackWnd alone;
  EXPECT_TRUE(alone.SetRedraw(false));  // no window: only answers
  EXPECT_TRUE(alone.SetRedraw(false));
  BackWnd window;
  ASSERT_TRUE(window.MakeSized(20, 20));
  EXPECT_TRUE(window.SetRedraw(false));
  EXPECT_FALSE(window.SetRedraw(true));
  EXPECT_TRUE(window.SetRedraw(true));
  EXPECT_FALSE(BackWnd().Redraw(RDW_INVALIDATE, nullptr, nullptr));
}

// A see-through child asks its parent to paint what lies under it, but only
// when the child is redrawn through Redraw.
TEST_F(SWndBackground, SeeThroughChildRedrawsItsParent) {
  BackWnd parent;
  ASSERT_TRUE(parent.MakeSized(80, 60));
  parent.SetBackColor(RGB(0, 0, 200));
  BackWnd child;
  ASSERT_TRUE(child.MakeSized(20, 20, parent.GetHwnd(), 10, 10));
  child.SetBackColor(kColorParentPaints);
  UpdateWindow(parent.GetHwnd());
  PumpMessages();
  parent.Forget();
  RedrawWindow(child.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_FALSE(parent.Saw(WM_ERASEBKGND));
  EXPECT_TRUE(child.Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW, nullptr, nullptr));
  EXPECT_TRUE(parent.Saw(WM_ERASEBKGND));
  // Only for the length of the call.
  parent.Forget();
  RedrawWindow(child.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_FALSE(parent.Saw(WM_ERASEBKGND));
}
