// The saved window placement: the "7:" text written under the current
// user's key, read back onto real windows (their rectangles and states
// from GetWindowPlacement), and texts that are not a placement. The test
// key is removed after each test.
#include "WindowTesting.h"

#include <string>

#include "files/SRegistry.h"

namespace {

const char kFirst[] = "TavrinTests";
const char kSecond[] = "Placement";
const char kKey[] = "Software\\TavrinTests\\Placement";
const char kValue[] = "Main window";

class SWndPlacement : public WindowTest {
 protected:
  void TearDown() override {
    SRegistry::DeleteKey(HKEY_CURRENT_USER, kKey);
    SRegistry::DeleteKey(HKEY_CURRENT_USER, "Software\\TavrinTests");
  }
  static void Store(const char* text) { ASSERT_TRUE(SRegistry::WriteString(HKEY_CURRENT_USER, kKey, kValue, text)); }
  static std::string Stored() { return SRegistry::ReadString(HKEY_CURRENT_USER, kKey, kValue).GetText(); }
};

WINDOWPLACEMENT PlacementOf(const SWnd& window) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  GetWindowPlacement(window.GetHwnd(), &placement);
  return placement;
}

// A frameless popup: the system holds it to no minimum size.
bool MakePopup(TestWnd& window, const RECT& rect) {
  return window.Create(WS_POPUP, "placed", 0, &rect, nullptr, nullptr, nullptr, GetModuleHandleA(nullptr), false);
}

TEST_F(SWndPlacement, SavedTextsAreReadBackWithinTheWorkArea) {
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const LONG L = area.left, T = area.top, R = area.right, B = area.bottom;
  const RECT kStart = {40, 50, 140, 130};
  const struct {
    std::string text;
    bool loaded;
    RECT expected;
  } cases[] = {
      {"7:10,20,300,200,0,0,0", true, {10, 20, 300, 200}},
      {"9:11,21,301,201,0,0,0,5,6", true, {11, 21, 301, 201}},  // a later writer's extra fields
      {"2147483647:12,22,302,202,0,0,0", true, {12, 22, 302, 202}},
      {"7:300,20,100,200,0,0,0", true, {300, 20, 300, 200}},  // right raised to the left edge
      {"7:10,200,300,20,0,0,0", true, {10, 200, 300, 200}},
      {"7:-100,10,5000,200,0,0,0", true, {L, 10, R, 200}},  // wider than the work area
      {"7:10,-50,300,3000,0,0,0", true, {10, T, 300, B}},
      {"7:" + std::to_string(R + 700) + "," + std::to_string(B + 500) + "," + std::to_string(R + 800) + "," +
           std::to_string(B + 550) + ",0,0,0",
       true,
       {R - 100, B - 50, R, B}},
      {"7:-500,-300,-400,-250,0,0,0", true, {L, T, L + 100, T + 50}},
      {"", false, kStart},
      {"6:10,20,300,200,1,0,0", false, kStart},
      {"7:10,20,300", false, kStart},
      {"7:10,20,300,200,1,0", false, kStart},
      {"7:", false, kStart},
      {"10,20,300,200,1,0,0", false, kStart},
      {"seven:10,20,300,200,1,0,0", false, kStart},
      {":10,20,300,200,1,0,0", false, kStart},
      {"7:ten,20,300,200,1,0,0", false, kStart},
      {"7:10,20,300,200,yes,0,0", false, kStart},
      {"7:10,20,3e2,200,1,0,0", false, kStart},
      {"99999999999:10,20,300,200,0,0,0", false, kStart},
      {"7:99999999999,20,300,200,0,0,0", false, kStart},
      {"7:\"10,20\",300,200,1,0,0,0", false, kStart},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TestWnd window;
    ASSERT_TRUE(MakePopup(window, kStart));
    Store(c.text.c_str());
    // Visibility left out: the window stays hidden either way.
    EXPECT_EQ(c.loaded, window.LoadPlacement(kFirst, kSecond, kValue, true, false, false));
    WINDOWPLACEMENT placement = PlacementOf(window);
    EXPECT_EQ(c.expected.left, placement.rcNormalPosition.left);
    EXPECT_EQ(c.expected.top, placement.rcNormalPosition.top);
    EXPECT_EQ(c.expected.right, placement.rcNormalPosition.right);
    EXPECT_EQ(c.expected.bottom, placement.rcNormalPosition.bottom);
    EXPECT_FALSE(window.IsVisible());
  }

  // No value at all, and no window.
  SRegistry::DeleteValue(HKEY_CURRENT_USER, kKey, kValue);
  TestWnd window, none;
  ASSERT_TRUE(MakePopup(window, kStart));
  EXPECT_FALSE(window.LoadPlacement(kFirst, kSecond, kValue, false, false, false));
  Store("7:10,20,300,200,0,0,0");
  EXPECT_FALSE(none.LoadPlacement(kFirst, kSecond, kValue, false, false, false));
  EXPECT_FALSE(none.SavePlacement(kFirst, kSecond, kValue));
  EXPECT_FALSE(none.ClearPlacement(kFirst, kSecond, kValue));
  EXPECT_EQ("7:10,20,300,200,0,0,0", Stored());
}

TEST_F(SWndPlacement, SavingWritesTheNormalRectangleAndTheStates) {
  TestWnd window;
  ASSERT_TRUE(MakePopup(window, {30, 40, 230, 190}));
  ASSERT_TRUE(window.SavePlacement(kFirst, kSecond, kValue));
  EXPECT_EQ("7:30,40,230,190,0,0,0", Stored());

  window.Show(SW_SHOWNOACTIVATE);
  ASSERT_TRUE(window.SavePlacement(kFirst, kSecond, kValue));
  EXPECT_EQ("7:30,40,230,190,1,0,0", Stored());

  // Minimized, the normal rectangle is still the one saved.
  window.Show(SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(window.IsMinimized());
  ASSERT_TRUE(window.SavePlacement(kFirst, kSecond, kValue));
  EXPECT_EQ("7:30,40,230,190,1,1,0", Stored());
  window.Show(SW_HIDE);

  ASSERT_TRUE(window.ClearPlacement(kFirst, kSecond, kValue));
  EXPECT_EQ("", Stored());
  EXPECT_FALSE(window.LoadPlacement(kFirst, kSecond, kValue, false, false, false));
}

// One window through the show states, as a program restoring its layout
// meets them; the skip flags leave a part of the saved state out. The
// show commands keep the system's meaning: showing or hiding a minimized or
// maximized window leaves it so.
TEST_F(SWndPlacement, TheSavedStatesAreAppliedUnlessSkipped) {
  TestWnd window;
  ASSERT_TRUE(MakePopup(window, {40, 50, 140, 130}));
  struct Step {
    const char* text;
    bool skipVisible, skipMinimized, skipMaximized;
    const char* expected;
  };
  auto apply = [&](const Step& step) {
    SCOPED_TRACE(testing::Message() << step.text << " skip " << step.skipVisible << step.skipMinimized
                                    << step.skipMaximized);
    Store(step.text);
    ASSERT_TRUE(window.LoadPlacement(kFirst, kSecond, kValue, step.skipVisible, step.skipMinimized,
                                     step.skipMaximized));
    std::string state = std::string(window.IsVisible() ? "visible" : "hidden") +
                        (window.IsMinimized() ? " minimized" : "") + (window.IsMaximized() ? " maximized" : "");
    EXPECT_EQ(step.expected, state);
    WINDOWPLACEMENT placement = PlacementOf(window);
    EXPECT_EQ(10, placement.rcNormalPosition.left);
    EXPECT_EQ(200, placement.rcNormalPosition.bottom);
  };
  const Step normal[] = {
      {"7:10,20,300,200,1,0,0", false, false, false, "visible"},
      {"7:10,20,300,200,1,1,0", false, true, false, "visible"},
      {"7:10,20,300,200,1,0,1", false, false, true, "visible"},
  };
  for (const Step& step : normal) apply(step);

  // The normal window sits where the text said, and saved again gives the
  // same text.
  RECT rect;
  ASSERT_TRUE(window.GetWindowRect(&rect));
  EXPECT_EQ(10, rect.left);
  EXPECT_EQ(20, rect.top);
  EXPECT_EQ(300, rect.right);
  EXPECT_EQ(200, rect.bottom);
  ASSERT_TRUE(window.SavePlacement(kFirst, kSecond, kValue));
  EXPECT_EQ("7:10,20,300,200,1,0,0", Stored());

  const Step states[] = {
      {"7:10,20,300,200,1,0,1", false, false, false, "visible maximized"},
      {"7:10,20,300,200,0,1,0", true, false, false, "visible minimized"},
      {"7:10,20,300,200,1,0,0", true, false, false, "hidden minimized"},
  };
  for (const Step& step : states) apply(step);
}

}  // namespace
