// The Menu class as applications use it: menus built item by item and
// read back, a Dialog's menus from a description and from menu files, a
// program's menu bar on a Dialog, and popups shown, seen and chosen from
// with the keyboard. The programs read the menus' Win32 state themselves,
// through the Dll class calling user32 (a menu can only be queried from its
// own process).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/DialogHarness.h"
#include "tests/e2e/PackedApp.h"
#include "tests/e2e/SolidBitmap.h"
#include "tests/window/ScreenshotTesting.h"

namespace {

using e2e::SolidBmp;
using namespace e2e::dialogs;

// Item ids come from the names, as the program's constants (kMenuIds).
// A bar with File (Open with an image and a tip, a separator, Quit
// checked) and Edit (Copy greyed, Paste with the same image).
const char* const kMenuFile =
    "TAVRIN MENU 1.0.0.0\r\ncount=3\r\n"
    "[0]\r\ncount=2\r\nname=Bar\r\n[0:0]\r\ntext=File\r\nmenu=1\r\n[0:1]\r\ntext=Edit\r\nmenu=2\r\n"
    "[1]\r\ncount=3\r\nname=File\r\n[1:0]\r\nname=OPEN\r\ntext=Open\r\ntip=Ctrl+O\r\nimage=image\\red.bmp\r\n"
    "[1:1]\r\nseparator=1\r\n[1:2]\r\nname=QUIT\r\ntext=Quit\r\nchecked=1\r\n"
    "[2]\r\ncount=2\r\nname=Edit\r\n[2:0]\r\nname=COPY\r\ntext=Copy\r\ndisabled=1\r\n"
    "[2:1]\r\nname=PASTE\r\ntext=Paste\r\nimage=image\\red.bmp\r\n";

const char* const kMenuIds = "constant OPEN 11\nconstant QUIT 12\nconstant COPY 0x15\nconstant PASTE 22\n";

// User32 through the Dll class: Count(menu), Sub(menu, position),
// State(menu, position) and Bar(dialog).
const char* const kUser32 =
    "function String Bar(Integer h)\n"
    "  u.Dll.3(Dll.INT,Dll.INT)\n"
    "  return u.Dll.0(\"GetMenu\",\"\"+h)\n"
    "function String Count(String menu)\n"
    "  u.Dll.3(Dll.INT,Dll.INT)\n"
    "  return u.Dll.0(\"GetMenuItemCount\",menu)\n"
    "function String Sub(String menu, Integer i)\n"
    "  u.Dll.3(Dll.INT,Dll.INT,Dll.INT)\n"
    "  return u.Dll.0(\"GetSubMenu\",menu,\"\"+i)\n"
    "function String Icon(Integer h, Integer big)\n"
    "  u.Dll.3(Dll.INT,Dll.INT,Dll.INT,Dll.INT,Dll.INT)\n"
    "  return u.Dll.0(\"SendMessageA\",\"\"+h,\"127\",\"\"+big,\"0\")\n"
    "function String State(String menu, Integer i)\n"
    "  u.Dll.3(Dll.INT,Dll.INT,Dll.INT,Dll.INT)\n"
    "  return u.Dll.0(\"GetMenuState\",menu,\"\"+i,\"1024\")\n";

// Every function of a program's menus and their edge cases; a Dialog's
// menus from a resource, a File and a path, found by command id; a
// program's menu bar on the Dialog, held by it after the Menu object let
// go; a submenu made in a function, kept by its item until the item goes.
TEST(MenuClass, FunctionsAndDialogMenusAsWin32SeesThem) {
  const std::string program =
      std::string(kMenuIds) +
      "class Application\n"
                  "  Menu p new\n"
                  "  Menu b new\n"
                  "  Menu q new\n"
                  "  Dialog d new\n"
                  "  Rectangle r new\n"
                  "  Image red new\n"
                  "  File f new\n"
                  "  Dll u new\n"
                  "  String inner\n"
                  "function Void _00000000()\n"
                  "  String s\n"
                  "  String bar\n"
                  "  Menu m\n"
                  "  Integer h\n"
                  "  s=\"none=\"+p.Menu.7(5)+p.Menu.4()+p.Menu.10(1,\"x\")\n"
                  "  s+=\" make=\"+p.Menu.14()+p.Menu.14(true)\n"
                  "  s+=\" items=\"+p.Menu.10(1,\"One\")+p.Menu.10(2,\"Two\",-1,-1,7,true)+p.Menu.10(3,\"Three\",-1,0)\n"
                  "  s+=\"\"+p.Menu.10(4,\"Four\",-1,100)+p.Menu.12(9)+p.Menu.12(0,1)\n"
                  "  s+=\" count=\"+p.Menu.4()+\" ids=\"+p.Menu.6(0)+p.Menu.6(1)+p.Menu.6(2)+p.Menu.6(3)+p.Menu.6(4)+p.Menu.6(5)+p.Menu.6(9)\n"
                  "  s+=\" pos=\"+p.Menu.7(4)+\",\"+p.Menu.7(42)\n"
                  "  s+=\" state=\"+p.Menu.3(2)+p.Menu.5(2)+p.Menu.23(2)+p.Menu.23(2)+p.Menu.3(2)\n"
                  "  p.Menu.2(1,false)\n"
                  "  p.Menu.17(3)\n"
                  "  p.Menu.18(3,-5)\n"
                  "  p.Menu.19(3,\"Drei\")\n"
                  "  p.Menu.20(3,\"three\")\n"
                  "  s+=\" grey=\"+p.Menu.13(1)+p.Menu.13(3)+\" check=\"+p.Menu.3(3)+\" data=\"+p.Menu.5(3)\n"
                  "  s+=\" text=\"+p.Menu.8(3)+\" name=\"+p.Menu.9(3)+p.Menu.9(1)+p.Menu.8(77)\n"
                  "  p.Menu.2(1)\n"
                  "  s+=\",\"+p.Menu.13(1)+\" remove=\"+p.Menu.1(4)+p.Menu.1(4)+p.Menu.4()\n"
                  "  s+=\" bar=\"+b.Menu.14(true)+b.Menu.12()+b.Menu.21()+b.Menu.22(0,0)+b.Menu.10(5,\"Bar\",0)+b.Menu.4()\n"
                  "  s+=\" sub=\"+b.Menu.11(6,q,\"Q\")\n"
                  "  q.Menu.14()\n"
                  "  s+=\"\"+b.Menu.11(6,q,\"Q\")+q.Menu.11(7,q,\"self\")+q.Menu.11(7,b,\"loop\")\n"
                  "  s+=\" clear=\"+p.Menu.15()+p.Menu.4()\n"
                  "  p.Menu.0()\n"
                  "  s+=\" deleted=\"+p.Menu.4()+p.Menu.7(3)+p.Menu.14()\n"
                  "  AddInner()\n"
                  "  r.Rectangle.17(100,100,400,300)\n"
                  "  d.Dialog.70(r,\"Menus\")\n"
                  "  h=d.Dialog.29()\n"
                  "  u.Dll.5(\"user32.dll\")\n"
                  "  m=d.Dialog.63(\"m\")\n"
                  "  s+=\" res=\"+m.Menu.4()+m.Menu.8(0)\n"
                  "  m=d.Dialog.31(12)\n"
                  "  s+=\",\"+m.Menu.8(12)+m.Menu.3(12)+m.Menu.7(12)\n"
                  "  m=d.Dialog.31(21)\n"
                  "  s+=\",\"+m.Menu.13(21)+m.Menu.9(21)+m.Menu.4()\n"
                  "  bar=Bar(h)\n"
                  "  s+=\" win32=\"+Count(bar)+Count(Sub(bar,0))+State(Sub(bar,0),2)+State(Sub(bar,1),0)\n"
                  "  f.File.21(\"m.txt\")\n"
                  "  m=d.Dialog.61(f)\n"
                  "  s+=\" file=\"+m.Menu.4()+Count(Bar(h))\n"
                  "  m=d.Dialog.62(\"m.txt\")\n"
                  "  d.Dialog.62(\"none.txt\")\n"
                  "  s+=\" path=\"+m.Menu.4()+Count(Bar(h))\n"
                  "  m=d.Dialog.31()\n"
                  "  s+=m.Menu.4()\n"
                  "  s+=\" set=\"+d.Dialog.96(b)+Count(Bar(h))+d.Dialog.96(q)+Bar(h)\n"
                  "  d.Dialog.96(b)\n"
                  "  b.Menu.0()\n"
                  "  inner=Sub(Bar(h),2)\n"
                  "  s+=\" held=\"+Count(Bar(h))+Count(inner)\n"
                  "  d.Dialog.96(q)\n"
                  "  s+=\" gone=\"+Count(inner)\n"
                  "  red.Image.25(16,16)\n"
                  "  s+=\" icon=\"+d.Dialog.94(red)+\",\"+Icon(h,1)+\",\"+Icon(h,0)\n"
                  "  Global.33(s,\"Result\")\n"
                  "  Global.35()\n"
                  // A submenu whose Menu object goes at the end of the function.
                  "function Void AddInner()\n"
                  "  Menu i new\n"
                  "  i.Menu.14()\n"
                  "  i.Menu.10(31,\"Inner\")\n"
                  "  i.Menu.10(32,\"Other\")\n"
                  "  b.Menu.11(30,i,\"Sub\")\n" +
      kUser32;
  e2e::PackedApp app("MenuFunctions");
  app.AddResource("menu\\m", kMenuFile);
  app.AddResource("image\\red.bmp", SolidBmp(16, 16, 255, 0, 0));
  {
    std::ofstream out(app.Folder() / "m.txt", std::ios::binary);
    out << kMenuFile;
  }
  std::string error;
  ASSERT_TRUE(app.Pack(program, true, &error)) << error;
  ASSERT_TRUE(app.Start());
  HWND box = app.WaitForBox("Result");
  ASSERT_NE(box, nullptr);
  std::string text = appboxes::ReadBox(box).text;
  const std::string expected =
      "none=-100 make=10 items=111111 count=6 ids=3012490 pos=4,-1 state=17011 grey=10 check=1 data=-5 "
      "text=Drei name=three,0 remove=105 bar=100011 sub=0100 clear=10 deleted=0-11 res=2File,Quit12,1COPY2 "
      "win32=2381 file=22 path=222 set=1310 held=32 gone=-1 icon=1,";
  EXPECT_EQ(text.substr(0, expected.size()), expected);
  // WM_GETICON answers the icon of Dialog function 94, big and small.
  std::string icons = text.size() > expected.size() ? text.substr(expected.size()) : "";
  size_t comma = icons.find(',');
  ASSERT_NE(comma, std::string::npos) << text;
  EXPECT_NE(std::stoll(icons.substr(0, comma)), 0) << text;
  EXPECT_NE(std::stoll(icons.substr(comma + 1)), 0) << text;
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(app.WaitForExit(&code));
  EXPECT_EQ(code, 0u);
}

struct PopupSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchPopup(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<PopupSearch*>(data);
  char name[16] = {};
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  GetClassNameA(window, name, sizeof name);
  if (owner != search->processId || !IsWindowVisible(window) || std::string(name) != "#32768") return TRUE;
  search->found = window;
  return FALSE;
}

// The visible popup menu (class "#32768") of the process; null when none.
HWND FindPopup(DWORD processId) {
  PopupSearch search = {processId, nullptr};
  EnumWindows(MatchPopup, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Pixels of exactly that colour in the window as the screen shows it.
int CountPixels(HWND window, COLORREF colour) {
  const uint32_t wanted = uint32_t(GetRValue(colour)) << 16 | uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
  int count = 0;
  for (uint32_t pixel : Screenshot(window).Pixels()) count += (pixel & 0xFFFFFF) == wanted;
  return count;
}

// Into the menu bar of the window with the focus and down into its first
// pop-up, which opens with its first item selected.
bool OpenFirstBarMenu(DWORD processId) {
  PressKey(VK_F10);
  PressKey(VK_DOWN);
  return PollUntil([&] { return FindPopup(processId) != nullptr; }, 5000);
}

// The menus as a person meets them. A description's menu bar, its command
// chosen with the keyboard, reaches the Dialog as event 133; a program's
// bar replaces it, and the submenu a function made (its Menu object gone)
// still opens and reports. A popup whose image list was replaced and then
// released, and which took an item with an image after that, shows three
// red images, at the point asked and at the mouse, and its choice raises
// Menu event 24. The Dialog's background comes from an Image until null
// removes it.
TEST(MenuClass, MenusOpenAndReportAsAPersonUsesThem) {
  const std::string program =
      std::string(kMenuIds) +
      "class Application\n"
      "  Dialog d new\n"
      "  Menu b new\n"
      "  Menu p new\n"
      "  Image red new\n"
      "  Image green new\n"
      "  Color c new\n"
      "  String ev\n"
      "function Void _00000000()\n"
      "  red.Image.25(16,16)\n"
      "  c.Color.34(255,0,0)\n"
      "  red.Image.5(c)\n"
      "  green.Image.25(400,300)\n"
      "  c.Color.34(0,255,0)\n"
      "  green.Image.5(c)\n"
      "  d.Dialog.65(\"main\",this)\n"
      "  d.Dialog.82(green)\n"
      "  b.Menu.14(true)\n"
      "  AddInner()\n"
      "  p.Menu.14()\n"
      "  FillPopup()\n"
      "message Void Dialog.133(Integer id)\n"
      "  ev+=\" cmd\"+id\n"
      "message Void Menu.24(Integer pos, Integer id)\n"
      "  ev+=\" pick\"+pos+\":\"+id\n"
      "message Void Dialog.120(Integer key)\n"
      "  if key==66\n"
      "    ev+=\" bar=\"+d.Dialog.96(b)\n"
      "    d.Dialog.82()\n"
      "  end\n"
      "  if key==80\n"
      "    p.Menu.10(3,\"Late\",0)\n"
      "    ev+=\" shown=\"+p.Menu.22(200,150)\n"
      "  end\n"
      "  if key==67\n"
      "    ev+=\" cursor=\"+p.Menu.21()\n"
      "  end\n"
      "  if key==81\n"
      "    Global.33(ev,\"Result\")\n"
      "    Global.35()\n"
      "  end\n"
      "function Void AddInner()\n"
      "  Menu i new\n"
      "  i.Menu.14()\n"
      "  i.Menu.10(31,\"Inner\")\n"
      "  b.Menu.11(30,i,\"Sub\")\n"
      // The list is replaced after the first item, and released at the end.
      "function Void FillPopup()\n"
      "  ImageList il new\n"
      "  il.ImageList.11(16,16)\n"
      "  il.ImageList.0(red)\n"
      "  il.ImageList.0(red)\n"
      "  p.Menu.16(il)\n"
      "  p.Menu.10(1,\"Red\",0)\n"
      "  il.ImageList.11(16,16)\n"
      "  il.ImageList.0(green)\n"
      "  p.Menu.10(2,\"Second\",1)\n";
  e2e::PackedApp app("MenuInput");
  app.AddResource("menu\\m", kMenuFile);
  app.AddResource("image\\red.bmp", SolidBmp(16, 16, 255, 0, 0));
  app.AddResource("dialog\\main",
                  "TAVRIN DIALOG 1.0.0.0\r\n\r\n[DIALOG]\r\nCAPTION=Menus\r\nPOSITION=40 40 300 200\r\n"
                  "STYLE=WS_VISIBLE WS_CAPTION WS_SYSMENU\r\nDIALOG_MENU=menu\\m\r\n\r\n");
  std::string error;
  ASSERT_TRUE(app.Pack(program, true, &error)) << error;
  ASSERT_TRUE(app.Start());
  HWND dialog = WaitForDialog(app.ProcessId(), "Menus", e2e::PackedApp::kBoxTimeout);
  ASSERT_NE(dialog, nullptr);
  SetCursorPos(5, 5);
  SetForegroundWindow(dialog);
  ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == dialog; }, 5000));
  auto background = [&] { return Screenshot(dialog).At(dialog, 10, 10); };
  EXPECT_TRUE(PollUntil([&] { return background() == RGB(0, 255, 0); }, 5000));
  HMENU described = GetMenu(dialog);
  ASSERT_NE(described, nullptr);

  // File, Open: the first item of the first pop-up.
  ASSERT_TRUE(OpenFirstBarMenu(app.ProcessId()));
  PressKey(VK_RETURN);
  ASSERT_TRUE(PollUntil([&] { return FindPopup(app.ProcessId()) == nullptr; }, 5000));
  PressKey('B');
  ASSERT_TRUE(PollUntil([&] { return GetMenu(dialog) != described && GetMenu(dialog) != nullptr; }, 10000));
  EXPECT_TRUE(PollUntil([&] { return background() != RGB(0, 255, 0); }, 5000));
  // Sub, Inner: the submenu whose Menu object is gone.
  ASSERT_TRUE(OpenFirstBarMenu(app.ProcessId()));
  PressKey(VK_RETURN);
  ASSERT_TRUE(PollUntil([&] { return FindPopup(app.ProcessId()) == nullptr; }, 5000));

  PressKey('P');
  HWND popup = nullptr;
  ASSERT_TRUE(PollUntil([&] { return (popup = FindPopup(app.ProcessId())) != nullptr; }, 10000));
  Sleep(300);  // its first paint
  RECT shown = ScreenRect(popup);
  EXPECT_NEAR(shown.left, 200, 2);
  EXPECT_NEAR(shown.top, 150, 2);
  EXPECT_EQ(CountPixels(popup, RGB(255, 0, 0)), 3 * 16 * 16);
  EXPECT_EQ(CompareWithReference(popup, "menu-popup"), "");
  // Second.
  for (WORD key : {WORD(VK_DOWN), WORD(VK_DOWN), WORD(VK_RETURN)}) {
    PressKey(key);
    Sleep(200);
  }
  ASSERT_TRUE(PollUntil([&] { return FindPopup(app.ProcessId()) == nullptr; }, 5000));

  SetCursorPos(260, 220);
  PressKey('C');
  ASSERT_TRUE(PollUntil([&] { return (popup = FindPopup(app.ProcessId())) != nullptr; }, 10000));
  shown = ScreenRect(popup);
  EXPECT_NEAR(shown.left, 260, 2);
  EXPECT_NEAR(shown.top, 220, 2);
  // Red.
  for (WORD key : {WORD(VK_DOWN), WORD(VK_RETURN)}) {
    PressKey(key);
    Sleep(200);
  }
  ASSERT_TRUE(PollUntil([&] { return FindPopup(app.ProcessId()) == nullptr; }, 5000));
  PressKey('Q');
  HWND box = app.WaitForBox("Result");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(appboxes::ReadBox(box).text, " cmd11 bar=1 cmd31 shown=1 pick1:2 cursor=1 pick0:1");
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(app.WaitForExit(&code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
