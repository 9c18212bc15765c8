// The module control window as a module meets it: the property block it is
// handed, and a window that shows white until the module draws.
#include "controls/custom/SExternCtrl.h"

#include <string>

#include "tests/window/ScreenshotTesting.h"
#include "tests/window/WindowTesting.h"

namespace {

class ExternCtrlTest : public WindowTest {};

std::string BlockOf(const SExternCtrl& control) {
  int size = 0;
  char* block = control.BuildPropertyBlock(&size);
  std::string bytes(block, size_t(size));
  delete[] block;
  return bytes;
}

TEST_F(ExternCtrlTest, ThePropertyBlockIsNamesAndValuesEachWithItsNul) {
  SExternCtrl control;
  EXPECT_EQ(std::string(1, '\0'), BlockOf(control)) << "no properties: one NUL";
  control.AddProperty("a", "1");
  control.AddProperty("b", "");
  EXPECT_EQ(std::string("a\0" "1\0" "b\0\0\0", 7 + 1), BlockOf(control));
  EXPECT_EQ(kWindowExtern, control.GetType());
}

TEST_F(ExternCtrlTest, TheWindowIsWhiteUntilTheModuleDraws) {
  TestWnd parent;
  ASSERT_TRUE(parent.Make(nullptr, WS_VISIBLE, 200, 120));
  SExternCtrl control;
  control.SetClassName("Ext_Gauge");
  control.SetFileName("gauge.dll");
  RECT rect = {10, 10, 60, 40};
  ASSERT_TRUE(control.Create(WS_CHILD | WS_VISIBLE, "", 0, &rect, parent.GetHwnd(), reinterpret_cast<HMENU>(7),
                             nullptr, GetModuleHandleA(nullptr), false));
  EXPECT_EQ(0x00FFFFFFu, control.GetBackColor());
  EXPECT_STREQ("Ext_Gauge", control.GetClassName().GetText());
  EXPECT_STREQ("gauge.dll", control.GetFileName().GetText());
  // What the designer's surface sees when it prints the window.
  std::vector<uint32_t> pixels = Render(50, 30, [&](HDC dc) {
    FillWith(dc, 50, 30, RGB(0, 0, 255));
    control.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
  EXPECT_EQ(0x00FFFFFFu, pixels[0]);
  EXPECT_EQ(0x00FFFFFFu, pixels[29 * 50 + 49]);
}

}  // namespace
