// The Edit and ToolBar classes as applications use them: packed programs
// that make them in a script Dialog, or get them from a description, call
// their members and report what they answered; and one program driven as
// a person would, typing into an edit and pressing tool-bar buttons, whose
// colours and images are read from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/DialogHarness.h"
#include "tests/e2e/PackedApp.h"
#include "tests/window/ScreenshotTesting.h"

namespace {

using namespace e2e::dialogs;

struct ClassProgram {
  const char* name;
  const char* program;
  std::vector<std::string> boxes;
};

const ClassProgram kPrograms[] = {
    // Lines (empty, one character, the last, missing ones and -1), text
    // ranges, selection, the clipboard commands, undo, password character,
    // limit, read-only style, colours, the formatting rectangle, scrolling,
    // the position of a character scrolled out to the left (negative x),
    // null points, and an object without window (prefilled answers) or
    // whose window was destroyed.
    {"EditMembers",
     "class Application\n"
     "  Dialog d new\n"
     "  Edit e new\n"
     "  Edit s new\n"
     "  Edit m new\n"
     "  Edit none new\n"
     "  Rectangle r new\n"
     "  Rectangle q new\n"
     "  Point p new\n"
     "  Color c new\n"
     "  String log\n"
     "  String two\n"
     "  String nl\n"
     "function Void _00000000()\n"
     "  Integer i\n"
     "  String t\n"
     "  nl=Global.25()\n"
     "  r.Rectangle.17(40,40,460,320)\n"
     "  d.Dialog.70(r,\"EditMembers\")\n"
     "  r.Rectangle.17(10,10,200,80)\n"
     "  log=\"made=\"+e.Edit.3(d,r,\"ab\"+nl+nl+\"x\"+nl+\"last\",\"WS_VISIBLE WS_BORDER ES_MULTILINE\")\n"
     "  log+=\" lines=\"+e.Edit.12()+\"[\"+e.Edit.11(0)+\"|\"+e.Edit.11(1)+\"|\"+e.Edit.11(2)+\"|\"+e.Edit.11(3)\n"
     "  log+=\"|\"+e.Edit.11(4)+\"|\"+e.Edit.11(-1)+\"]\"\n"
     "  log+=\" index=\"+e.Edit.8(2)+\",\"+e.Edit.8(9)+\" line=\"+e.Edit.13(7)+\" length=\"+e.Edit.14(9)\n"
     "  log+=\" range=\"+e.Edit.19(9)+\",\"+e.Edit.19(9,2)+\",\"+e.Edit.19(0,2)+\",[\"+e.Edit.19(13)+\"],[\"+e.Edit.19(-1)+\"]\"\n"
     "  e.Edit.33(-1)\n"
     "  log+=\" caret=\"+e.Edit.18()+\",\"+e.Edit.9()\n"
     "  e.Edit.33(0,-1)\n"
     "  log+=\" all=\"+e.Edit.18()+\",\"+e.Edit.9()\n"
     "  e.Edit.33(9,11)\n"
     "  log+=\" sel=\"+e.Edit.17()\n"
     // Cut "la", paste it at the end, copy "ab", clear it, paste it back.
     "  e.Edit.4()\n"
     "  log+=\" cut=\"+e.Edit.11(3)\n"
     "  e.Edit.33(-1)\n"
     "  e.Edit.24()\n"
     "  log+=\" paste=\"+e.Edit.11(3)\n"
     "  e.Edit.33(0,2)\n"
     "  e.Edit.2()\n"
     "  e.Edit.1()\n"
     "  log+=\" clear=[\"+e.Edit.11(0)+\"]\"\n"
     "  e.Edit.24()\n"
     "  log+=\" back=\"+e.Edit.11(0)\n"
     "  e.Edit.31(1)\n"
     "  log+=\" modified=\"+e.Edit.23()\n"
     "  e.Edit.31(0)\n"
     "  log+=e.Edit.23()\n"
     "  e.Edit.33(-1)\n"
     "  e.Edit.34(\"!\")\n"
     "  log+=\" undo=\"+e.Edit.11(3)+e.Edit.0()+e.Edit.37()+e.Edit.11(3)\n"
     "  e.Edit.34(\"?\",0)\n"
     "  log+=\",\"+e.Edit.0()\n"
     "  c.Color.26(255)\n"
     "  e.Edit.35(c)\n"
     "  c.Color.26(0)\n"
     "  log+=\" colours=\"+e.Edit.20(c)+c.Color.11()\n"
     "  c.Color.26(16711680)\n"
     "  e.Edit.29(c)\n"
     "  c.Color.26(0)\n"
     "  log+=\",\"+e.Edit.7(c)+c.Color.11()\n"
     "  q.Rectangle.17(5,6,140,50)\n"
     "  e.Edit.36(q)\n"
     "  q.Rectangle.17(0,0,0,0)\n"
     "  log+=\" rect=\"+e.Edit.21(q)\n"
     // The system may trim the rectangle to its borders and whole lines.
     "  if q.Rectangle.7()>4&&q.Rectangle.10()>5&&q.Rectangle.8()<146&&q.Rectangle.2()<57\n"
     "    log+=\" inside\"\n"
     "  end\n"
     "  e.Edit.36(null)\n"
     // A single line scrolled to its end: the first character lies left
     // of the client area.
     "  r.Rectangle.17(10,100,100,24)\n"
     "  s.Edit.3(d,r,\"abcdefghijklmnopqrstuvwxyz0123456789\",\"WS_VISIBLE WS_BORDER ES_AUTOHSCROLL\")\n"
     "  s.Edit.22(0,p)\n"
     "  if p.Point.1()>-1\n"
     "    log+=\" start\"\n"
     "  end\n"
     "  s.Edit.33(-1)\n"
     "  s.Edit.34(\"!\")\n"
     "  s.Edit.22(0,p)\n"
     "  if p.Point.1()<0\n"
     "    log+=\" scrolled\"\n"
     "  end\n"
     "  s.Edit.22(36,p)\n"
     "  if p.Point.1()>0\n"
     "    if p.Point.1()<100\n"
     "      log+=\" last\"\n"
     "    end\n"
     "  end\n"
     "  s.Edit.32()\n"
     "  log+=\" password=\"+s.Edit.16()\n"
     "  s.Edit.32(\"#\")\n"
     "  log+=s.Edit.16()\n"
     "  s.Edit.32(\"\")\n"
     "  log+=\"[\"+s.Edit.16()+\"]\"\n"
     "  s.Edit.30(5)\n"
     "  log+=\" limit=\"+s.Edit.15()\n"
     "  s.Edit.6(1)\n"
     "  log+=\" style=\"+s.Control.20()\n"
     "  s.Edit.22(0,null)\n"
     "  log+=\" nullpoint=\"+s.Edit.25(null)\n"
     "  s.Edit.5()\n"
     "  log+=\" destroyed=\"+s.Edit.12()+s.Edit.15()\n"
     // Twenty lines, four of them visible.
     "  r.Rectangle.17(220,10,180,70)\n"
     "  m.Edit.3(d,r,\"\",\"WS_VISIBLE ES_MULTILINE ES_AUTOVSCROLL WS_VSCROLL\")\n"
     "  for i=0;i<20;i++\n"
     "    t+=i\n"
     "    t+=nl\n"
     "  end\n"
     "  m.Edit.34(t,0)\n"
     "  m.Edit.28(0,-100)\n"
     "  log+=\" first=\"+m.Edit.10()\n"
     "  m.Edit.28(0,3)\n"
     "  log+=\",\"+m.Edit.10()\n"
     "  m.Edit.26()\n"
     "  log+=\",\"+m.Edit.10()\n"
     "  m.Edit.26(0)\n"
     "  log+=\",\"+m.Edit.10()\n"
     "  m.Edit.27()\n"
     "  if m.Edit.10()>4\n"
     "    log+=\",page\"\n"
     "  end\n"
     "  m.Edit.27(0)\n"
     "  m.Edit.22(m.Edit.8(4),p)\n"
     "  log+=\" charat=\"+m.Edit.25(p)\n"
     "  log+=\" none=\"+none.Edit.12()+\"[\"+none.Edit.11(0)+none.Edit.19()+\"]\"+none.Edit.20(c)\n"
     "  Global.33(log,\"Result\")\n"
     "  Global.35()\n",
     {"made=1 lines=4[ab||x|last||] index=6,-1 line=2 length=4 range=last,la,ab,[],[] caret=13,13 all=0,13 "
      "sel=la cut=st paste=stla clear=[] back=ab modified=10 undo=stla!11stla,0 colours=1255,116711680 "
      "rect=1 inside start scrolled last password=*#[] limit=5 style=WS_VISIBLE ES_LEFT ES_AUTOHSCROLL ES_READONLY  nullpoint=0 destroyed=00 "
      "first=0,3,4,3,page charat=12 none=0[]0"}},

    // Buttons added, counted, found, checked, enabled, hidden, moved and
    // deleted; 8 and 9 past the end and without window answer -1.
    {"ToolBarMembers",
     "class Application\n"
     "  Dialog d new\n"
     "  ToolBar t new\n"
     "  ToolBar none new\n"
     "  ImageList il new\n"
     "  Image img new\n"
     "  Color c new\n"
     "  Rectangle r new\n"
     "  String log\n"
     "function Void _00000000()\n"
     "  r.Rectangle.17(40,40,440,200)\n"
     "  d.Dialog.70(r,\"ToolBarMembers\")\n"
     "  log=\"none=\"+none.ToolBar.8(0)+\",\"+none.ToolBar.9(5)+\",\"+none.ToolBar.7()\n"
     "  r.Rectangle.17(0,0,380,40)\n"
     "  log+=\" made=\"+t.ToolBar.2(d,r)+t.ToolBar.2(d,r)\n"
     "  il.ImageList.11(16,16)\n"
     "  img.Image.25(16,16)\n"
     "  c.Color.26(255)\n"
     "  img.Image.5(c)\n"
     "  il.ImageList.0(img)\n"
     "  t.ToolBar.14(il)\n"
     "  log+=\" add=\"+t.ToolBar.0(10,0,\"Ten\")+t.ToolBar.0(20,-1,\"Twenty\",0,0)+t.ToolBar.1(30)+t.ToolBar.0(40,0)\n"
     "  log+=\" count=\"+t.ToolBar.7()+\" ids=\"+t.ToolBar.8(0)+\",\"+t.ToolBar.8(1)+\",\"+t.ToolBar.8(2)+\",\"\n"
     "  log+=t.ToolBar.8(3)+\",\"+t.ToolBar.8(4)+\",\"+t.ToolBar.8(-1)\n"
     "  log+=\" index=\"+t.ToolBar.9(20)+\",\"+t.ToolBar.9(99)\n"
     "  log+=\" text=\"+t.ToolBar.10(10)+\",\"+t.ToolBar.10(20)+\",[\"+t.ToolBar.10(40)+\"],[\"+t.ToolBar.10(99)+\"]\"\n"
     "  log+=\" enabled=\"+t.ToolBar.12(10)+t.ToolBar.12(20)\n"
     "  t.ToolBar.5(20)\n"
     "  t.ToolBar.5(10,0)\n"
     "  log+=\",\"+t.ToolBar.12(10)+t.ToolBar.12(20)\n"
     "  log+=\" checked=\"+t.ToolBar.6(10)+t.ToolBar.15(10)+t.ToolBar.6(10)+t.ToolBar.15(10,0)+t.ToolBar.6(10)\n"
     "  log+=\" visible=\"+t.ToolBar.13(40)+t.ToolBar.16(40,0)+t.ToolBar.13(40)+t.ToolBar.16(40)+t.ToolBar.13(40)\n"
     "  log+=\" moved=\"+t.ToolBar.11(40,0)+t.ToolBar.8(0)+\",\"+t.ToolBar.9(10)\n"
     "  log+=\" deleted=\"+t.ToolBar.3(0)+t.ToolBar.7()+\",\"+t.ToolBar.8(0)+\",\"+t.ToolBar.3(9)\n"
     "  t.ToolBar.4()\n"
     "  log+=\" destroyed=\"+t.ToolBar.7()+\",\"+t.ToolBar.8(0)+\",\"+t.ToolBar.9(10)\n"
     "  Global.33(log,\"Result\")\n"
     "  Global.35()\n",
     {"none=-1,-1,0 made=10 add=1111 count=4 ids=10,20,30,40,-1,-1 index=1,-1 text=Ten,Twenty,[],[] "
      "enabled=10,01 checked=01110 visible=11011 moved=140,1 deleted=13,10,0 destroyed=0,-1,-1"}},
};

TEST(EditToolBarClasses, MembersAnswerAsTheirControlsDo) {
  e2e::AppBatch batch;
  for (const ClassProgram& p : kPrograms) batch.Start(p.name, p.program);
  for (const ClassProgram& p : kPrograms) {
    SCOPED_TRACE(p.name);
    ASSERT_EQ(batch.Error(p.name), "");
    e2e::ExpectBoxesThenExit(*batch.Find(p.name), "Result", p.boxes);
  }
}

// A 16 x 16 picture of one colour as a 24-bit BMP file.
std::string SolidBmp(COLORREF colour) {
  const int side = 16, row = side * 3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = side;
  info.biHeight = side;
  info.biPlanes = 1;
  info.biBitCount = 24;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + row * side;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  for (int i = 0; i < side * side; i++) {
    bytes += char(GetBValue(colour));
    bytes += char(GetGValue(colour));
    bytes += char(GetRValue(colour));
  }
  return bytes;
}

struct ChildSearch {
  const char* className;
  std::function<bool(HWND)> accept;
  HWND found = nullptr;
};

BOOL CALLBACK VisitChild(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  char name[64] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, search->className) != 0 || !search->accept(child)) return TRUE;
  search->found = child;
  return FALSE;
}

// A child of the window at any depth of that class that the predicate
// accepts; null when there is none.
HWND FindChild(HWND parent, const char* className, std::function<bool(HWND)> accept) {
  ChildSearch search{className, std::move(accept)};
  EnumChildWindows(parent, VisitChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// An edit's text as the edit holds it: the system keeps no copy that
// another process could read without asking the window.
std::string EditText(HWND edit) {
  char text[256] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return std::string(text, copied);
}

// The window with the keyboard focus in the thread of another process's
// window.
HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

RECT Client(HWND window) {
  RECT rect = {};
  GetClientRect(window, &rect);
  return rect;
}

// The program behind the person-driven test: a description with an edit
// and a tool bar, and in code two edits with their colours and a tool bar.
// The code tool bar draws from an ImageList object that is deleted once
// set; the description's tool bar, answered by Dialog function 46, from
// one whose list is then replaced: both go on drawing the list they were
// given.
const char kInputProgram[] =
    "constant CMD_NEW 51\n"
    "class Application\n"
    "  Dialog d new\n"
    "  Edit shown new\n"
    "  Edit plain new\n"
    "  Edit other new\n"
    "  ToolBar t new\n"
    "  ToolBar own\n"
    "  ImageList keep new\n"
    "  Image img new\n"
    "  Color c new\n"
    "  Rectangle r new\n"
    "  String ev\n"
    "  Integer entered\n"
    "  Integer moved\n"
    "  Integer left\n"
    "function Void _00000000()\n"
    "  d.Dialog.65(\"inputs\",this)\n"
    "  r.Rectangle.17(10,80,140,30)\n"
    "  shown.Edit.3(d,r,\"WWWW\",\"WS_VISIBLE\")\n"
    "  c.Color.26(16711680)\n"
    "  shown.Edit.29(c)\n"
    "  c.Color.26(65535)\n"
    "  shown.Edit.35(c)\n"
    "  r.Rectangle.17(160,80,140,30)\n"
    "  plain.Edit.3(d,r,\"plain\",\"WS_VISIBLE\")\n"
    "  c.Color.26(16711680)\n"
    "  plain.Edit.29(c)\n"
    "  plain.Edit.29(null)\n"
    "  r.Rectangle.17(10,120,140,20)\n"
    "  other.Edit.3(d,r,\"other\",\"WS_VISIBLE WS_BORDER\")\n"
    "  r.Rectangle.17(10,150,290,40)\n"
    "  t.ToolBar.2(d,r)\n"
    "  SetList(t,255)\n"
    "  t.ToolBar.0(10,0,\"Red\")\n"
    "  img.Image.25(16,16)\n"
    "  c.Color.26(65280)\n"
    "  img.Image.5(c)\n"
    "  keep.ImageList.11(16,16)\n"
    "  keep.ImageList.0(img)\n"
    "  own=d.Dialog.46()\n"
    "  own.ToolBar.14(keep)\n"
    "  keep.ImageList.11(16,16)\n"
    "  c.Color.26(255)\n"
    "  img.Image.5(c)\n"
    "  keep.ImageList.0(img)\n"
    "  ev=\"bar=\"+own.ToolBar.7()\n"
    "function Void SetList(ToolBar bar,Integer colour)\n"
    "  ImageList a\n"
    "  Image i\n"
    "  Color k\n"
    "  a=new ImageList\n"
    "  i=new Image\n"
    "  k=new Color\n"
    "  a.ImageList.11(16,16)\n"
    "  i.Image.25(16,16)\n"
    "  k.Color.26(colour)\n"
    "  i.Image.5(k)\n"
    "  a.ImageList.0(i)\n"
    "  bar.ToolBar.14(a)\n"
    "  delete a\n"
    "  delete i\n"
    "  delete k\n"
    "message Void Edit.38(Integer code, Integer x, Integer y, Integer sx, Integer sy)\n"
    "  ev+=\" m\"+code\n"
    "message Void Edit.39()\n"
    "  ev+=\" c\"\n"
    "message Void Edit.40(Integer lost)\n"
    "  ev+=\" f\"+lost\n"
    "message Void Edit.41(Integer x, Integer y)\n"
    "  if entered==0\n"
    "    ev+=\" in\"\n"
    "  end\n"
    "  entered=1\n"
    "message Void Edit.42()\n"
    "  if left==0\n"
    "    ev+=\" out\"\n"
    "  end\n"
    "  left=1\n"
    "message Void Edit.43(Integer x, Integer y)\n"
    "  if moved==0\n"
    "    ev+=\" mv\"\n"
    "  end\n"
    "  moved=1\n"
    "message Void Edit.44()\n"
    "  ev+=\" enter\"\n"
    "  other.Edit.34(\"zz\")\n"
    "  ev+=\" other=\"+other.Edit.19()\n"
    "message Void ToolBar.17(Integer id)\n"
    "  ev+=\" tool\"+id\n"
    "message Void Dialog.133(Integer id)\n"
    "  ev+=\" command\"+id\n"
    "  Global.33(ev,\"Result\")\n"
    "  Global.35()\n";

std::string InputsDescription() {
  return "TAVRIN DIALOG 1.0.0.0\r\n\r\n"
         "[DIALOG]\r\nCAPTION=Inputs\r\nPOSITION=0 0 340 260\r\nSTYLE=WS_VISIBLE WS_CAPTION WS_SYSMENU\r\n"
         "DIALOG_TOOLBAR=toolbar\\tools\r\n\r\n"
         "[EDIT]\r\nID=7\r\nNAME=Typed\r\nCAPTION=\r\nPOSITION=10 40 200 24\r\n"
         "STYLE=WS_VISIBLE WS_BORDER ES_AUTOHSCROLL\r\n\r\n";
}

// Typing raises Edit 39 once per change and Enter 44; text set in an edit
// without the focus raises nothing; the mouse reaches the edit's record,
// focus, enter, move and leave events. A press on the code tool bar raises
// its 17, one on the description's tool bar Dialog 133 only. The colours
// of the edits and the images of the tool bars are read from the screen.
TEST(EditToolBarClasses, TypingAndPressesReachTheProgram) {
  e2e::PackedApp app("EditToolBarInput");
  app.AddResource("dialog\\inputs", InputsDescription());
  app.AddResource("toolbar\\tools",
                  "TAVRIN TOOLBAR 1.0.0.0\r\ncount=2\r\n[0]\r\nname=CMD_NEW\r\ntext=New\r\nimage=image\\blue.bmp\r\n"
                  "[1]\r\ntext=Quit\r\n");
  app.AddResource("image\\blue.bmp", SolidBmp(RGB(0, 0, 255)));
  std::string error;
  ASSERT_TRUE(app.Pack(kInputProgram, true, &error)) << error;
  ASSERT_TRUE(app.Start());
  HWND dialog = WaitForDialog(app.ProcessId(), "Inputs", e2e::PackedApp::kBoxTimeout);
  ASSERT_NE(dialog, nullptr);
  SetForegroundWindow(dialog);

  // The program makes its own controls once the description is shown.
  HWND typed = nullptr, shown = nullptr, plain = nullptr, other = nullptr, codeBar = nullptr, dialogBar = nullptr;
  auto withText = [](const char* text) { return [text](HWND w) { return EditText(w) == text; }; };
  ASSERT_TRUE(PollUntil(
      [&] {
        typed = FindControl(dialog, 7);
        shown = FindChild(dialog, "Edit", withText("WWWW"));
        plain = FindChild(dialog, "Edit", withText("plain"));
        other = FindChild(dialog, "Edit", withText("other"));
        codeBar = FindChild(dialog, "ToolbarWindow32", [&](HWND w) { return GetParent(w) == dialog; });
        dialogBar = FindChild(dialog, "ToolbarWindow32", [&](HWND w) { return GetParent(w) != dialog; });
        return typed && shown && plain && other && codeBar && dialogBar;
      },
      20000));

  // Red from the deleted ImageList object; green from the list that was
  // replaced, not the red of its new one nor the blue of the file's.
  const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kYellow = RGB(255, 255, 0);
  EXPECT_TRUE(PollUntil([&] { return Screenshot(codeBar).Count(codeBar, Client(codeBar), kRed) >= 200; }, 10000));
  EXPECT_TRUE(
      PollUntil([&] { return Screenshot(dialogBar).Count(dialogBar, Client(dialogBar), kGreen) >= 200; }, 10000));
  {
    Screenshot bar(dialogBar);
    EXPECT_EQ(bar.Count(dialogBar, Client(dialogBar), kRed), 0);
    EXPECT_EQ(bar.Count(dialogBar, Client(dialogBar), kBlue), 0);
  }
  // The coloured edit: blue behind yellow text; the one whose colour was
  // set back to the default shows no blue.
  {
    RECT area = Client(shown);
    int all = (area.right - area.left) * (area.bottom - area.top);
    EXPECT_TRUE(PollUntil(
        [&] {
          Screenshot edits(dialog);
          return edits.Count(shown, area, kBlue) > all / 2 && edits.Count(shown, area, kYellow) > 10;
        },
        10000));
    Screenshot edits(dialog);
    EXPECT_EQ(edits.Count(plain, Client(plain), kBlue), 0);
    EXPECT_GT(edits.Count(plain, Client(plain), GetSysColor(COLOR_WINDOW)), 0);
  }

  ASSERT_TRUE(ClickAt(typed, 20, 10));
  ASSERT_TRUE(PollUntil([&] { return FocusOf(dialog) == typed; }, 5000));
  TypeText("abc");
  ASSERT_TRUE(PollUntil([&] { return EditText(typed) == "abc"; }, 5000));
  PressKey(VK_RETURN);
  ASSERT_TRUE(PollUntil([&] { return EditText(other) == "zzother"; }, 5000));
  ASSERT_TRUE(ClickAt(codeBar, 12, 12));
  ASSERT_TRUE(ClickAt(dialogBar, 14, Client(dialogBar).bottom / 2));
  HWND box = app.WaitForBox("Result");
  ASSERT_NE(box, nullptr);
  std::string text = appboxes::ReadBox(box).text;
  EXPECT_EQ(text.rfind("bar=2 ", 0), 0u) << text;
  for (const char* part : {" m9", " f0", " m17", " in", " mv", " c c c enter other=zzother", " out", " tool10",
                           " command51"})
    EXPECT_NE(text.find(part), std::string::npos) << part << " in " << text;
  EXPECT_EQ(text.find(" c c c c"), std::string::npos) << text;
  EXPECT_EQ(text.find(" tool51"), std::string::npos) << text;
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(app.WaitForExit(&code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
