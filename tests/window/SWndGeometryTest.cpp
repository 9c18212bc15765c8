// Window geometry on real windows: sizes and frames read back from the
// system, client sizes that the margins make exact, size limits that the
// system applies, centring, the work-area fit of popups, anchoring, and
// dragging a window by its client area with synthesised mouse input.
#include "WindowTesting.h"

#include "window/MessageLoop.h"

namespace {

class SWndGeometry : public WindowTest {};

// A TestWnd with the geometry state the tests set or read directly.
class GeometryWnd : public TestWnd {
 public:
  using TestWnd::TestWnd;
  bool MakeAt(const RECT& rect, DWORD style, HWND parent = nullptr, DWORD exStyle = 0, HMENU menu = nullptr) {
    if (parent && !(style & WS_POPUP)) style |= WS_CHILD;
    return Create(style, "geometry", exStyle, &rect, parent, menu, nullptr, GetModuleHandleA(nullptr), false);
  }
  void SetWorkArea(const RECT& area) { m_workArea = area; }
  RECT Rect() const {
    RECT rect = {};
    GetWindowRect(&rect);
    return rect;
  }
  // The window rectangle in its parent's client coordinates.
  RECT RectInParent() const {
    RECT rect = Rect();
    MapWindowPoints(nullptr, GetParent(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
};

const DWORD kFramed = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;

void ExpectRect(const RECT& expected, const RECT& actual) {
  EXPECT_EQ(expected.left, actual.left);
  EXPECT_EQ(expected.top, actual.top);
  EXPECT_EQ(expected.right, actual.right);
  EXPECT_EQ(expected.bottom, actual.bottom);
}

// ---- Sizes and frames ----------------------------------------------------------------------

TEST_F(SWndGeometry, SizesAndFramesMatchWhatTheSystemReports) {
  GeometryWnd window;
  ASSERT_TRUE(window.MakeAt({50, 60, 350, 260}, kFramed));
  RECT outer, client;
  ASSERT_TRUE(GetWindowRect(window.GetHwnd(), &outer));
  ASSERT_TRUE(GetClientRect(window.GetHwnd(), &client));
  EXPECT_EQ(300, window.GetWidth());
  EXPECT_EQ(200, window.GetHeight());
  EXPECT_EQ(client.right, window.GetClientWidth());
  EXPECT_EQ(client.bottom, window.GetClientHeight());

  POINT origin = {0, 0};
  ClientToScreen(window.GetHwnd(), &origin);
  RECT inWindow;
  ASSERT_TRUE(window.GetClientRectInWindow(&inWindow));
  ExpectRect({origin.x - outer.left, origin.y - outer.top, origin.x - outer.left + client.right,
              origin.y - outer.top + client.bottom},
             inWindow);

  int left, top, right, bottom;
  ASSERT_TRUE(window.GetFrameSizes(&left, &top, &right, &bottom));
  EXPECT_EQ(inWindow.left, left);
  EXPECT_EQ(inWindow.top, top);
  EXPECT_EQ(300 - inWindow.right, right);
  EXPECT_EQ(200 - inWindow.bottom, bottom);
  EXPECT_GT(top, left);  // the caption

  // Points and rectangles convert corner by corner.
  RECT r = {1, 2, 30, 40};
  ASSERT_TRUE(window.ClientToScreenRect(&r));
  ExpectRect({origin.x + 1, origin.y + 2, origin.x + 30, origin.y + 40}, r);
  ASSERT_TRUE(window.ScreenToClientRect(&r));
  ExpectRect({1, 2, 30, 40}, r);

  // Without a window every read fails softly.
  GeometryWnd none;
  EXPECT_EQ(0, none.GetWidth());
  EXPECT_EQ(0, none.GetClientHeight());
  EXPECT_FALSE(none.GetFrameSizes(&left, &top, &right, &bottom));
  EXPECT_EQ(0, left + top + right + bottom);
}

TEST_F(SWndGeometry, ClientSizeIsExactWhateverTheFrame) {
  HMENU menu = CreateMenu();
  AppendMenuA(menu, MF_STRING, 1, "File");
  const struct {
    const char* name;
    DWORD style, exStyle;
    bool withMenu;
  } cases[] = {
      {"popup", WS_POPUP, 0, false},
      {"framed", kFramed, 0, false},
      {"client edge", kFramed, WS_EX_CLIENTEDGE, false},
      {"scroll bars", kFramed | WS_VSCROLL | WS_HSCROLL, 0, false},
      {"left scroll bar", kFramed | WS_VSCROLL, WS_EX_LEFTSCROLLBAR, false},
      {"menu bar", kFramed, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    GeometryWnd window;
    ASSERT_TRUE(window.MakeAt({20, 20, 120, 120}, c.style, nullptr, c.exStyle, c.withMenu ? menu : nullptr));
    ASSERT_TRUE(window.SetClientSize(233, 111));
    EXPECT_EQ(233, window.GetClientWidth());
    EXPECT_EQ(111, window.GetClientHeight());
    int width = window.GetWidth();
    ASSERT_TRUE(window.SetClientHeight(150));
    EXPECT_EQ(150, window.GetClientHeight());
    EXPECT_EQ(width, window.GetWidth());
    int height = window.GetHeight();
    ASSERT_TRUE(window.SetClientWidth(180));
    EXPECT_EQ(180, window.GetClientWidth());
    EXPECT_EQ(height, window.GetHeight());
    if (c.withMenu) SetMenu(window.GetHwnd(), nullptr);  // the menu outlives the window
  }
  DestroyMenu(menu);
}

TEST_F(SWndGeometry, OuterSizeAndPositionLeaveTheOtherAlone) {
  GeometryWnd window;
  ASSERT_TRUE(window.MakeAt({40, 50, 240, 150}, kFramed));
  ASSERT_TRUE(window.SetSize(260, 180));
  ExpectRect({40, 50, 300, 230}, window.Rect());
  ASSERT_TRUE(window.SetWidth(200));
  ExpectRect({40, 50, 240, 230}, window.Rect());
  ASSERT_TRUE(window.SetHeight(120));
  ExpectRect({40, 50, 240, 170}, window.Rect());
  ASSERT_TRUE(window.SetPosition(7, 9));
  ExpectRect({7, 9, 207, 129}, window.Rect());
  ASSERT_TRUE(window.Move(11, 12, 150, 90, false));
  ExpectRect({11, 12, 161, 102}, window.Rect());
  ASSERT_TRUE(window.MoveToRect({5, 6, 205, 306}, true));
  ExpectRect({5, 6, 205, 306}, window.Rect());
}

TEST_F(SWndGeometry, SetMenuKeepsTheClientHeightWhenAsked) {
  GeometryWnd window;
  ASSERT_TRUE(window.MakeAt({20, 20, 320, 220}, kFramed));
  int client = window.GetClientHeight();
  int outer = window.GetHeight();
  HMENU menu = CreateMenu();
  AppendMenuA(menu, MF_STRING, 1, "File");

  ASSERT_TRUE(window.SetMenu(menu, true));
  EXPECT_EQ(menu, GetMenu(window.GetHwnd()));
  EXPECT_EQ(client, window.GetClientHeight());
  EXPECT_GT(window.GetHeight(), outer);
  ASSERT_TRUE(window.SetMenu(nullptr, true));
  EXPECT_EQ(client, window.GetClientHeight());
  EXPECT_EQ(outer, window.GetHeight());

  // Without the flag the bar takes its room from the client area.
  ASSERT_TRUE(window.SetMenu(menu, false));
  EXPECT_LT(window.GetClientHeight(), client);
  EXPECT_EQ(outer, window.GetHeight());
  ASSERT_TRUE(window.SetMenu(nullptr, false));

  // Destroying a window detaches its bar, so the menu survives it.
  ASSERT_TRUE(window.SetMenu(menu, true));
  ASSERT_TRUE(window.Destroy());
  EXPECT_TRUE(IsMenu(menu));
  DestroyMenu(menu);
}

TEST_F(SWndGeometry, ClientRectWithoutBarsLeavesOutControlAndStatusBars) {
  GeometryWnd window;
  ASSERT_TRUE(window.MakeAt({0, 0, 300, 200}, WS_POPUP));
  RECT rect;
  ASSERT_TRUE(window.GetClientRectWithoutBars(&rect));
  ExpectRect({0, 0, 300, 200}, rect);

  GeometryWnd tools(kWindowControlBar), ruler(kWindowControlBar), status(kWindowStatusBar);
  ASSERT_TRUE(tools.MakeAt({0, 0, 300, 28}, 0, window.GetHwnd()));
  ASSERT_TRUE(ruler.MakeAt({0, 0, 300, 34}, 0, window.GetHwnd()));
  ASSERT_TRUE(status.MakeAt({0, 180, 300, 200}, 0, window.GetHwnd()));
  ASSERT_TRUE(window.GetClientRectWithoutBars(&rect));
  ExpectRect({0, 34, 300, 180}, rect);
}

// ---- Size limits ---------------------------------------------------------------------------

MINMAXINFO AskLimits(HWND window) {
  MINMAXINFO info = {};
  info.ptMinTrackSize = {-5, -5};
  info.ptMaxTrackSize = {-5, -5};
  SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  return info;
}

TEST_F(SWndGeometry, SizeLimitsAreAnsweredAndAClientLimitWins) {
  GeometryWnd window;
  ASSERT_TRUE(window.MakeAt({30, 30, 430, 330}, kFramed));
  int left, top, right, bottom;
  ASSERT_TRUE(window.GetFrameSizes(&left, &top, &right, &bottom));

  window.SetMinTrackSize(300, 300);
  window.SetMaxTrackSize(-1, 700);
  MINMAXINFO info = AskLimits(window.GetHwnd());
  EXPECT_EQ(300, info.ptMinTrackSize.x);
  EXPECT_EQ(300, info.ptMinTrackSize.y);
  EXPECT_EQ(-5, info.ptMaxTrackSize.x);  // no limit: left as the system had it
  EXPECT_EQ(700, info.ptMaxTrackSize.y);

  window.SetMinClientSize(200, 100);
  EXPECT_EQ(-1, window.GetMinTrackSize().cx);
  EXPECT_EQ(-1, window.GetMinTrackSize().cy);
  EXPECT_EQ(200, window.GetMinClientSize().cx);
  info = AskLimits(window.GetHwnd());
  EXPECT_EQ(200 + left + right, info.ptMinTrackSize.x);
  EXPECT_EQ(100 + top + bottom, info.ptMinTrackSize.y);

  window.SetMaxClientSize(320, 160);
  EXPECT_EQ(-1, window.GetMaxTrackSize().cy);
  info = AskLimits(window.GetHwnd());
  EXPECT_EQ(320 + left + right, info.ptMaxTrackSize.x);
  EXPECT_EQ(160 + top + bottom, info.ptMaxTrackSize.y);

  // The system holds a resizable window to them.
  window.SetSize(40, 40);
  EXPECT_EQ(200, window.GetClientWidth());
  EXPECT_EQ(100, window.GetClientHeight());
  window.SetSize(2000, 2000);
  EXPECT_EQ(320, window.GetClientWidth());
  EXPECT_EQ(160, window.GetClientHeight());

  // And an outer limit set afterwards replaces the client one.
  window.SetMaxTrackSize(500, 400);
  EXPECT_EQ(-1, window.GetMaxClientSize().cx);
  window.SetSize(2000, 2000);
  EXPECT_EQ(500, window.GetWidth());
  EXPECT_EQ(400, window.GetHeight());
}

// ---- Centring and the work-area fit --------------------------------------------------------------

TEST_F(SWndGeometry, CentringUsesTheWorkAreaOrTheParent) {
  GeometryWnd window;
  ASSERT_TRUE(window.MakeAt({0, 0, 201, 101}, WS_POPUP));
  window.SetWorkArea({0, 0, 1024, 738});
  ASSERT_TRUE(window.CenterWindow(false));
  ExpectRect({412, 319, 613, 420}, window.Rect());
  // Without a parent the flag changes nothing.
  ASSERT_TRUE(window.CenterWindow(true));
  ExpectRect({412, 319, 613, 420}, window.Rect());

  // A child lands in its parent's client coordinates, centred on the
  // parent's outer rectangle.
  GeometryWnd parent;
  ASSERT_TRUE(parent.MakeAt({100, 80, 500, 380}, kFramed));
  GeometryWnd child;
  ASSERT_TRUE(child.MakeAt({0, 0, 51, 31}, 0, parent.GetHwnd()));
  ASSERT_TRUE(child.CenterWindow(true));
  RECT placed = child.Rect();
  EXPECT_EQ(300 - 25, placed.left);
  EXPECT_EQ(230 - 15, placed.top);

  // An owned popup is placed in screen coordinates.
  GeometryWnd owned;
  ASSERT_TRUE(owned.MakeAt({0, 0, 100, 40}, WS_POPUP, parent.GetHwnd()));
  ASSERT_TRUE(owned.CenterWindow(true));
  ExpectRect({250, 210, 350, 250}, owned.Rect());
}

TEST_F(SWndGeometry, FitToWorkAreaPullsPopupsIntoTheArea) {
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const LONG R = area.right, B = area.bottom, L = area.left, T = area.top;
  const RECT kStart = {L + 10, T + 10, L + 110, T + 60};
  const RECT bounds = {L + 100, T + 100, L + 400, T + 300};
  const struct {
    const char* name;
    const RECT* bounds;
    RECT rect;
    int maxWidth, lineHeight;
    bool moved;
    RECT expected;
  } cases[] = {
      {"inside stays", nullptr, kStart, -1, -1, false, kStart},
      {"past the right and bottom", nullptr, {R - 50, B - 20, R + 150, B + 80}, -1, -1, true,
       {R - 200, B - 100, R, B}},
      {"before the left and top", nullptr, {L - 300, T - 90, L - 100, T - 10}, -1, -1, true,
       {L, T, L + 200, T + 80}},
      {"wider than the area: one line more", nullptr, {L - 10, T + 5, R + 500, T + 55}, -1, 16, true,
       {L, T + 5, R, T + 71}},
      {"wider, line of the window's height", nullptr, {L + 20, T + 5, R + 30, T + 45}, -1, -1, true,
       {L, T + 5, R, T + 85}},
      {"taller than the area keeps its top in", nullptr, {L + 10, T + 30, L + 60, B + 500}, -1, -1, true,
       {L + 10, T, L + 60, B + 470}},
      {"maximum width", nullptr, {L + 10, T + 10, L + 410, T + 40}, 300, 10, true, {L + 10, T + 10, L + 310, T + 50}},
      {"within bounds", &bounds, {L + 350, T + 250, L + 450, T + 350}, -1, -1, true,
       {L + 300, T + 200, L + 400, T + 300}},
      {"wider than the bounds", &bounds, {L + 50, T + 150, L + 450, T + 170}, -1, 20, true,
       {L + 100, T + 150, L + 400, T + 190}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    GeometryWnd window;
    ASSERT_TRUE(window.MakeAt(kStart, WS_POPUP));
    EXPECT_EQ(c.moved, window.FitToWorkArea(c.bounds, &c.rect, c.maxWidth, c.lineHeight));
    ExpectRect(c.expected, window.Rect());
  }

  // The window's own rectangle when none is given.
  GeometryWnd popup;
  ASSERT_TRUE(popup.MakeAt({R - 40, T + 10, R + 60, T + 50}, WS_POPUP));
  EXPECT_TRUE(popup.FitToWorkArea(nullptr, nullptr, -1, -1));
  ExpectRect({R - 100, T + 10, R, T + 50}, popup.Rect());
  EXPECT_FALSE(popup.FitToWorkArea(nullptr, nullptr, -1, -1));

  // Bounds entirely off the work area leave nothing to fit into.
  RECT off = {R + 100, T, R + 400, B};
  EXPECT_FALSE(popup.FitToWorkArea(&off, nullptr, -1, -1));
  ExpectRect({R - 100, T + 10, R, T + 50}, popup.Rect());

  // Only popups are fitted.
  GeometryWnd child;
  ASSERT_TRUE(child.MakeAt({-50, -50, 10, 10}, 0, popup.GetHwnd()));
  EXPECT_FALSE(child.FitToWorkArea(nullptr, nullptr, -1, -1));
}

// ---- Anchoring -------------------------------------------------------------------------------

TEST_F(SWndGeometry, AnchoredChildrenFollowTheirParent) {
  using A = SWnd;
  const RECT kChild = {100, 50, 160, 90};  // 60 x 40 in a 400 x 300 client area
  const struct {
    int32_t flags;
    int dx, dy;
    RECT expected;
  } cases[] = {
      {A::kAnchorWidth, 101, 0, {100, 50, 261, 90}},
      {A::kAnchorWidth | A::kAnchorHalfX, 101, 0, {100, 50, 210, 90}},
      {A::kAnchorWidth, -30, 0, {100, 50, 130, 90}},
      {A::kAnchorCenterX, 101, 0, {150, 50, 210, 90}},
      {A::kAnchorCenterX | A::kAnchorHalfX, -10, 0, {98, 50, 158, 90}},
      {A::kAnchorCenterX | A::kAnchorHalfX, 7, 0, {101, 50, 161, 90}},
      {A::kAnchorRight, 101, 0, {201, 50, 261, 90}},
      {A::kAnchorRight | A::kAnchorHalfX, -33, 0, {84, 50, 144, 90}},
      {A::kAnchorCenterX | A::kAnchorRight, 20, 0, {130, 50, 190, 90}},
      {A::kAnchorRight | A::kAnchorWidth, 10, 0, {110, 50, 180, 90}},
      {A::kAnchorCenterY, 0, 41, {100, 70, 160, 110}},
      {A::kAnchorCenterY | A::kAnchorHalfY, 0, -7, {100, 49, 160, 89}},
      {A::kAnchorBottom, 0, -15, {100, 35, 160, 75}},
      {A::kAnchorHeight | A::kAnchorHalfY, 0, 31, {100, 50, 160, 105}},
      {A::kAnchorHeight, 0, -21, {100, 50, 160, 69}},
      {A::kAnchorRight | A::kAnchorHeight, 40, 60, {140, 50, 200, 150}},
      {A::kAnchorWidth | A::kAnchorBottom | A::kAnchorHalfY, -40, 60, {100, 80, 120, 120}},
      {A::kAnchorHalfX | A::kAnchorHalfY, 50, 50, {100, 50, 160, 90}},  // halving alone moves nothing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "flags 0x" << std::hex << c.flags << std::dec << " dx " << c.dx << " dy "
                                    << c.dy);
    GeometryWnd parent;
    ASSERT_TRUE(parent.MakeAt({50, 50, 450, 350}, WS_POPUP));
    GeometryWnd child;
    ASSERT_TRUE(child.MakeAt(kChild, 0, parent.GetHwnd()));
    child.SetAnchor(c.flags);
    EXPECT_EQ(c.flags, child.GetAnchor());
    parent.Forget();
    ASSERT_TRUE(parent.SetSize(400 + c.dx, 300 + c.dy));
    ExpectRect(c.expected, child.RectInParent());
    const TestWnd::Event* anchored = parent.Last(kAnchoredMessage);
    ASSERT_NE(nullptr, anchored);
    EXPECT_EQ(reinterpret_cast<WPARAM>(&child), anchored->wparam);

    // Computed afresh from the stored place: back to the old size, back
    // to the old place.
    ASSERT_TRUE(parent.SetSize(400 + 3 * c.dx, 300 - c.dy));
    ASSERT_TRUE(parent.SetSize(400, 300));
    ExpectRect(kChild, child.RectInParent());
  }
}

TEST_F(SWndGeometry, AnchorNeedsFlagsAndAParent) {
  GeometryWnd parent;
  ASSERT_TRUE(parent.MakeAt({50, 50, 450, 350}, WS_POPUP));
  GeometryWnd child;
  ASSERT_TRUE(child.MakeAt({10, 10, 50, 30}, 0, parent.GetHwnd()));
  child.SetAnchor(SWnd::kAnchorRight);
  child.SetAnchor(0);
  EXPECT_EQ(0, child.GetAnchor());
  EXPECT_EQ(nullptr, child.ApplyAnchor());
  parent.Forget();
  parent.SetSize(500, 300);
  ExpectRect({10, 10, 50, 30}, child.RectInParent());
  EXPECT_EQ(0, parent.Count(kAnchoredMessage));

  GeometryWnd alone;
  ASSERT_TRUE(alone.MakeAt({10, 10, 50, 30}, WS_POPUP));
  alone.SetAnchor(SWnd::kAnchorRight);
  EXPECT_EQ(0, alone.GetAnchor());

  child.SetAnchor(SWnd::kAnchorWidth);
  EXPECT_EQ(parent.GetHwnd(), child.ApplyAnchor());
}

// A grandchild follows its own parent, which follows the window.
TEST_F(SWndGeometry, AnchoringReachesEveryGeneration) {
  GeometryWnd window, panel, button;
  ASSERT_TRUE(window.MakeAt({0, 0, 300, 200}, WS_POPUP));
  ASSERT_TRUE(panel.MakeAt({10, 10, 290, 190}, 0, window.GetHwnd()));
  ASSERT_TRUE(button.MakeAt({200, 150, 270, 170}, 0, panel.GetHwnd()));
  panel.SetAnchor(SWnd::kAnchorWidth | SWnd::kAnchorHeight);
  button.SetAnchor(SWnd::kAnchorRight | SWnd::kAnchorBottom);
  ASSERT_TRUE(window.SetSize(360, 230));
  ExpectRect({10, 10, 350, 220}, panel.RectInParent());
  ExpectRect({260, 180, 330, 200}, button.RectInParent());
}

// ---- Scrolling by pages ---------------------------------------------------------------------------

TEST_F(SWndGeometry, PageScrollsSnapToTheUnit) {
  GeometryWnd window;
  ASSERT_TRUE(window.MakeAt({0, 0, 200, 200}, WS_POPUP | WS_VSCROLL));
  SetScrollRange(window.GetHwnd(), SB_VERT, 0, 100, FALSE);
  window.SetScrollSteps(1, 10, 5);
  SetScrollPos(window.GetHwnd(), SB_VERT, 37, FALSE);
  window.ScrollPageUp();
  EXPECT_EQ(25, GetScrollPos(window.GetHwnd(), SB_VERT));  // 27 snapped down
  window.ScrollPageDown();
  EXPECT_EQ(35, GetScrollPos(window.GetHwnd(), SB_VERT));
  window.SetScrollSteps(1, 50, 5);
  window.ScrollPageUp();
  EXPECT_EQ(0, GetScrollPos(window.GetHwnd(), SB_VERT));  // -15 snaps to -15, the range holds it at 0
}

// ---- Dragging by the client area -------------------------------------------------------------

// Real mouse input: the cursor put somewhere, the left button pressed,
// moved and released, each step dispatched before the next.
void MouseTo(int x, int y) {
  SetCursorPos(x, y);
  mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
  PumpMessages();
}
void MouseButton(bool down) {
  mouse_event(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  PumpMessages();
}

class DragTest : public SWndGeometry {
 protected:
  void SetUp() override {
    if (Active()) {
      ASSERT_TRUE(window.MakeAt({200, 200, 400, 340}, kFramed | WS_VISIBLE));
      SetForegroundWindow(window.GetHwnd());
    } else {
      // Never activated, the window is left to itself by the display's
      // window management and hides at once when the test ends.
      ASSERT_TRUE(window.MakeAt({200, 200, 400, 340}, WS_POPUP | WS_DLGFRAME, nullptr, WS_EX_NOACTIVATE));
      window.Show(SW_SHOWNOACTIVATE);
    }
    window.SetMoveWithMouse(true);
    PumpMessages();
    ASSERT_TRUE(window.GetFrameSizes(&left, &top, &right, &bottom));
    // A point well inside the client area, in screen coordinates.
    grabX = 200 + left + 30;
    grabY = 200 + top + 20;
    MouseTo(grabX, grabY);
  }
  // The capture of an inactive window does not survive the cursor leaving
  // it; the test of the whole drag needs an active one.
  virtual bool Active() const { return false; }
  void TearDown() override {
    if (GetAsyncKeyState(VK_LBUTTON) < 0) MouseButton(false);
    FlushInputMessages();
  }
  GeometryWnd window;
  int left = 0, top = 0, right = 0, bottom = 0, grabX = 0, grabY = 0;
};

class ActiveDragTest : public DragTest {
  bool Active() const override { return true; }
};

TEST_F(ActiveDragTest, TheWindowFollowsTheMouseUntilTheButtonGoesUp) {
  MouseButton(true);
  ASSERT_EQ(1, window.Count(kWindowDragStartMessage));
  EXPECT_EQ(PointParam(30, 20), window.Last(kWindowDragStartMessage)->lparam);
  EXPECT_TRUE(window.IsDragging());
  EXPECT_EQ(window.GetHwnd(), GetCapture());

  MouseTo(grabX + 40, grabY + 25);
  MouseTo(grabX + 70, grabY - 30);
  ExpectRect({270, 170, 470, 310}, window.Rect());
  EXPECT_EQ(0, window.Count(kWindowDragEndMessage));

  MouseButton(false);
  EXPECT_EQ(1, window.Count(kWindowDragEndMessage));
  EXPECT_FALSE(window.IsDragging());
  EXPECT_EQ(nullptr, GetCapture());
  MouseTo(grabX, grabY);
  ExpectRect({270, 170, 470, 310}, window.Rect());
}

TEST_F(DragTest, AStartCanBeVetoed) {
  window.answers[kWindowDragStartMessage] = 1;
  MouseButton(true);
  EXPECT_EQ(1, window.Count(kWindowDragStartMessage));
  EXPECT_FALSE(window.IsDragging());
  MouseTo(grabX + 50, grabY + 50);
  MouseButton(false);
  ExpectRect({200, 200, 400, 340}, window.Rect());
  EXPECT_EQ(0, window.Count(kWindowDragEndMessage));
}

TEST_F(DragTest, AMaximizedWindowIsNotDragged) {
  ShowWindow(window.GetHwnd(), SW_SHOWMAXIMIZED);
  PumpMessages();
  ASSERT_TRUE(window.IsMaximized());
  RECT maximized = window.Rect();
  MouseTo(maximized.left + 100, maximized.top + 100);
  MouseButton(true);
  EXPECT_EQ(0, window.Count(kWindowDragStartMessage));
  EXPECT_FALSE(window.IsDragging());
  MouseButton(false);
}

TEST_F(DragTest, ALostCaptureEndsTheDrag) {
  GeometryWnd other;
  ASSERT_TRUE(other.MakeAt({600, 600, 700, 700}, WS_POPUP));
  MouseButton(true);
  ASSERT_TRUE(window.IsDragging());
  SetCapture(other.GetHwnd());
  EXPECT_FALSE(window.IsDragging());
  EXPECT_EQ(1, window.Count(kWindowDragEndMessage));
  ReleaseCapture();

  // The window no longer sticks to the mouse.
  MouseTo(grabX + 60, grabY + 60);
  ExpectRect({200, 200, 400, 340}, window.Rect());
  MouseButton(false);
  EXPECT_EQ(1, window.Count(kWindowDragEndMessage));
}

TEST_F(DragTest, AMoveWithoutTheButtonEndsTheDrag) {
  MouseButton(true);
  ASSERT_TRUE(window.IsDragging());
  // The button-up went elsewhere: the next move has no button held.
  SendMessageA(window.GetHwnd(), WM_MOUSEMOVE, 0, PointParam(35, 25));
  EXPECT_FALSE(window.IsDragging());
  EXPECT_EQ(1, window.Count(kWindowDragEndMessage));
  EXPECT_NE(window.GetHwnd(), GetCapture());
  ExpectRect({200, 200, 400, 340}, window.Rect());
}

}  // namespace
