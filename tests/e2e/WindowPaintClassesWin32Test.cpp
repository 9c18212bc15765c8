// Paint, Selector, TrayIcon and Splash as applications use them: a Paint
// drawing on Images whose pictures are then checked by ImageMagick
// (tools/check-images); the Selector's common dialogs and the framework's
// date popup filled in and confirmed or cancelled by the test as a person
// would; a tray icon's shell callbacks posted to its window; splash
// pictures read back from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <commdlg.h>
#include <dlgs.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/e2e/DialogHarness.h"
#include "tests/e2e/PackedApp.h"
#include "tests/window/ScreenshotTesting.h"

namespace {

namespace fs = std::filesystem;
using namespace e2e::dialogs;

const DWORD kDialogWait = 60000;  // ms; common dialogs open slowly under emulation

// ---- Finding the program's windows ----------------------------------------------------------

struct WindowSearch {
  DWORD processId;
  std::string prefix;  // of the window text
  bool visibleOnly;
  const RECT* rect;  // the window's screen rectangle, when given
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || (search->visibleOnly && !IsWindowVisible(window))) return TRUE;
  if (ReadText(window).rfind(search->prefix, 0) != 0) return TRUE;
  if (search->rect) {
    RECT r = ScreenRect(window);
    if (!EqualRect(search->rect, &r)) return TRUE;
  }
  search->found = window;
  return FALSE;
}

// A top-level window of the process whose text starts with the prefix (and
// at the screen rectangle, when one is given); null when there is none.
HWND FindProgramWindow(DWORD processId, const std::string& prefix, bool visibleOnly, const RECT* rect = nullptr) {
  WindowSearch search = {processId, prefix, visibleOnly, rect, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

COLORREF ScreenPixel(int x, int y) {
  HWND desktop = GetDesktopWindow();
  return Screenshot(desktop).At(desktop, x, y);
}

std::string ResultThenExit(e2e::PackedApp& app) {
  HWND box = app.WaitForBox("Result");
  if (!box) return "no result box";
  std::string text = appboxes::ReadBox(box).text;
  EXPECT_TRUE(e2e::PackedApp::Press(box, IDOK));
  DWORD code = 1;
  EXPECT_TRUE(app.WaitForExit(&code));
  EXPECT_EQ(code, 0u);
  return text;
}

std::string StartProgram(e2e::PackedApp& app, const char* program) {
  std::string error;
  if (!app.Pack(program, true, &error)) return error;
  return app.Start() ? "" : "the process did not start";
}

// ---- Window ---------------------------------------------------------------------------------

// A description with one plain window (id 7) under a captioned dialog.
std::string WindowDescription() {
  return "TAVRIN DIALOG 1.0.0.0\r\n\r\n"
         "[DIALOG]\r\nCAPTION=WinDesc\r\nPOSITION=400 40 200 120\r\nSTYLE=WS_VISIBLE WS_CAPTION WS_SYSMENU\r\n\r\n"
         "[WINDOW]\r\nID=7\r\nNAME=Pad\r\nPOSITION=10 10 100 60\r\nSTYLE=WS_VISIBLE\r\n\r\n";
}

void SendButton(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

// A Window made in code and one from a description: the erase event's
// surface painted by a Paint (lines, shapes, an edge, text and a picture,
// read back from the screen), the background settings, and event 7 for
// each button as SendInput presses it (in the described window too), a
// right double click giving 68.
TEST(WindowPaintClasses, WindowPaintsItsEraseAndReportsButtons) {
  const char* program =
      "class Application\n"
      "  Dialog d new\n"
      "  Dialog e new\n"
      "  Window w new\n"
      "  Paint p new\n"
      "  Image m new\n"
      "  Color c new\n"
      "  Rectangle r new\n"
      "  Rectangle q new\n"
      "  String log\n"
      "function Void _00000000()\n"
      "  r.Rectangle.17(40,40,300,240)\n"
      "  d.Dialog.70(r,\"Canvas\")\n"
      "  r.Rectangle.17(10,10,200,150)\n"
      "  log=\"create=\"+w.Window.0(d,r,\"ignored\")\n"
      "  c.Color.34(255,255,255)\n"
      "  w.Window.4(c)\n"
      "  c.Color.34(0,0,0)\n"
      "  log+=\" back=\"+w.Window.2(c)+c.Color.11()+\" mode=\"+w.Window.3()\n"
      "  w.Window.6(99)\n"
      "  log+=\",\"+w.Window.3()\n"
      "  w.Window.6(8)\n"
      "  log+=\",\"+w.Window.3()\n"
      "  w.Window.6()\n"
      "  m.Image.25(8,8)\n"
      "  c.Color.34(255,0,255)\n"
      "  m.Image.5(c)\n"
      "  log+=\" desc=\"+e.Dialog.65(\"w\",this)\n"
      "message Void Window.8(Integer dc)\n"
      "  if p.Paint.0(dc)==1\n"
      "    c.Color.34(255,0,0)\n"
      "    p.Paint.21(c)\n"
      "    p.Paint.16(0,0,199,0)\n"
      "    c.Color.34(0,0,255)\n"
      "    q.Rectangle.17(10,10,40,30)\n"
      "    p.Paint.9(q,c)\n"
      "    c.Color.34(0,255,0)\n"
      "    q.Rectangle.17(60,10,40,30)\n"
      "    p.Paint.8(q,c)\n"
      "    q.Rectangle.17(110,10,40,30)\n"
      "    p.Paint.7(q)\n"
      "    c.Color.34(0,0,0)\n"
      "    p.Paint.21(c)\n"
      "    q.Rectangle.17(10,50,150,30)\n"
      "    p.Paint.25(\"Tavrin\",q)\n"
      "    p.Paint.3(m,160,60)\n"
      "    p.Paint.2()\n"
      "  end\n"
      "message Void Window.7(Integer code, Integer x, Integer y, Integer sx, Integer sy)\n"
      "  log+=\" m\"+code+\":\"+x+\",\"+y\n"
      "  if code==68\n"
      "    Global.33(log,\"Result\")\n"
      "    Global.35()\n"
      "  end\n";
  e2e::PackedApp app("WindowPaint");
  app.AddResource("dialog\\w", WindowDescription());
  ASSERT_EQ(StartProgram(app, program), "");
  HWND canvas = WaitForDialog(app.ProcessId(), "Canvas", e2e::PackedApp::kBoxTimeout);
  ASSERT_NE(canvas, nullptr);
  HWND desc = WaitForDialog(app.ProcessId(), "WinDesc", 20000);
  ASSERT_NE(desc, nullptr);
  HWND window = GetWindow(canvas, GW_CHILD);
  HWND pad = FindControl(desc, 7);
  ASSERT_NE(window, nullptr);
  ASSERT_NE(pad, nullptr);
  EXPECT_EQ(ReadText(window), "");

  SetForegroundWindow(canvas);
  const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), green = RGB(0, 255, 0), magenta = RGB(255, 0, 255);
  ASSERT_TRUE(PollUntil([&] { return Screenshot(window).At(window, 20, 20) == blue; }, 20000));
  Screenshot shot(window);
  EXPECT_EQ(shot.At(window, 5, 0), red);
  EXPECT_EQ(shot.At(window, 80, 25), green);
  EXPECT_EQ(shot.At(window, 163, 63), magenta);
  EXPECT_EQ(shot.At(window, 190, 140), RGB(255, 255, 255));
  EXPECT_EQ(shot.At(window, 110, 25), GetSysColor(COLOR_3DLIGHT)) << "the edge's outer left";
  EXPECT_GT(shot.Count(window, {10, 50, 160, 80}, RGB(0, 0, 0)), 10) << "the text";

  ASSERT_TRUE(ClickAt(window, 100, 100));
  ASSERT_TRUE(ClickAt(pad, 5, 6));
  for (DWORD flags : {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP,
                      MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP})
    SendButton(flags);
  const std::string text = ResultThenExit(app);
  EXPECT_EQ(text.rfind("create=1 back=116777215 mode=0,0,8 desc=1 m9:100,100 ", 0), 0u) << text;
  // The framework reports a click once it knows no double click follows:
  // when that is depends on the timing, so only their presence counts.
  for (const char* record : {" m17:100,100", " m9:5,6", " m17:5,6", " m33:", " m10:5,6", " m18:5,6", " m34:5,6", " m12:5,6",
                             " m20:5,6", " m36:5,6", " m68:5,6"})
    EXPECT_NE(text.find(record), std::string::npos) << record << " in " << text;
}

// ---- Paint ----------------------------------------------------------------------------------

// A Paint on an Image: pen, fill, shapes, pictures from Images and files,
// pixels, layout and fonts; a handle that is no device context refused;
// painting ended when the Image makes, loads or clears its picture under
// it; edges with borders past RECT_ALL as with RECT_ALL.
TEST(WindowPaintClasses, PaintDrawsOnImages) {
  const char* program =
      "class Application\n"
      "  Image i new\n"
      "  Image j new\n"
      "  Image e new\n"
      "  Image g new\n"
      "  Image x new\n"
      "  Paint p new\n"
      "  Color c new\n"
      "  Color k new\n"
      "  Color k2 new\n"
      "  Rectangle b new\n"
      "  Font f new\n"
      "function Void _00000000()\n"
      "  String s\n"
      "  Integer w\n"
      "  s=\"idle=\"+p.Paint.15()+p.Paint.11()+p.Paint.13()+p.Paint.14()+p.Paint.0(0)+p.Paint.1(x)+p.Paint.15()\n"
      "  i.Image.25(40,30)\n"
      "  c.Color.34(255,255,255)\n"
      "  i.Image.5(c)\n"
      "  s+=\" begin=\"+p.Paint.1(i)+p.Paint.15()+p.Paint.0(0)+p.Paint.15()\n"
      "  c.Color.34(255,0,0)\n"
      "  p.Paint.21(c)\n"
      "  p.Paint.22(3)\n"
      "  s+=\" pen=\"+p.Paint.11()+\",\"+p.Paint.10(k)+k.Color.11()\n"
      "  p.Paint.22()\n"
      "  p.Paint.16(0,0,39,0)\n"
      "  c.Color.34(0,0,255)\n"
      "  b.Rectangle.17(5,5,10,10)\n"
      "  p.Paint.9(b,c)\n"
      "  c.Color.34(0,255,0)\n"
      "  b.Rectangle.17(20,5,10,10)\n"
      "  p.Paint.19(b,c)\n"
      "  c.Color.34(255,255,0)\n"
      "  b.Rectangle.17(2,17,16,12)\n"
      "  p.Paint.8(b,c)\n"
      "  c.Color.34(0,255,0)\n"
      "  p.Paint.23(38,28,c)\n"
      "  j.Image.25(4,4)\n"
      "  c.Color.34(255,0,255)\n"
      "  j.Image.5(c)\n"
      "  j.Image.29(\"dot.png\",Image.PNG)\n"
      "  p.Paint.3(j,30,20)\n"
      "  p.Paint.5(\"dot.png\",22,20,-1,-1)\n"
      "  p.Paint.5(\"none.png\",0,0)\n"
      "  s+=\" pixels=\"+p.Paint.12(10,10,k)+k.Color.11()+\",\"+p.Paint.12(5,0,k)+k.Color.11()+\",\"+p.Paint.12(25,10,k)+k.Color.11()\n"
      "  s+=\",\"+p.Paint.12(20,10,k)+k.Color.11()+\",\"+p.Paint.12(38,28,k)+k.Color.11()+\",\"+p.Paint.12(33,23,k)+k.Color.11()\n"
      "  s+=\",\"+p.Paint.12(34,24,k)+k.Color.11()+\",\"+p.Paint.12(40,3,k)+p.Paint.12(-1,3,k)\n"
      "  p.Paint.24(18,true)\n"
      "  s+=\" layout=\"+p.Paint.13()+p.Paint.14()\n"
      "  p.Paint.24()\n"
      "  s+=\",\"+p.Paint.13()+p.Paint.14()\n"
      "  b.Rectangle.17(0,0,300,100)\n"
      "  p.Paint.17(\"Hello\",b)\n"
      "  w=b.Rectangle.13()\n"
      "  s+=\" measure=\"+b.Rectangle.7()+b.Rectangle.10()\n"
      "  f.Font.0(\"Arial\",30.0)\n"
      "  p.Paint.20(f)\n"
      "  b.Rectangle.17(0,0,300,100)\n"
      "  p.Paint.17(\"Hello\",b)\n"
      "  if w<300\n"
      "    s+=\" fits\"\n"
      "  end\n"      "  if b.Rectangle.13()>w\n"
      "    s+=\" bigger\"\n"
      "  end\n"
      "  p.Paint.20()\n"
      "  b.Rectangle.17(0,0,300,100)\n"
      "  p.Paint.17(\"Hello\",b)\n"
      "  if b.Rectangle.13()==w\n"
      "    s+=\" default\"\n"
      "  end\n"
      "  s+=\" saved=\"+i.Image.29(\"paint.png\",Image.PNG)\n"
      "  s+=\" bad=\"+p.Paint.0(12345)+p.Paint.15()\n"
      "  s+=\" again=\"+p.Paint.1(i)\n"
      "  i.Image.25(8,8)\n"
      "  s+=\" created=\"+p.Paint.15()\n"
      "  p.Paint.16(0,0,7,7)\n"
      "  p.Paint.1(i)\n"
      "  i.Image.22(\"paint.png\")\n"
      "  s+=\" loaded=\"+p.Paint.15()+i.Image.17()\n"
      "  p.Paint.1(i)\n"
      "  i.Image.2()\n"
      "  s+=\" cleared=\"+p.Paint.15()+p.Paint.12(0,0,k)\n"
      "  e.Image.25(10,10)\n"
      "  g.Image.25(10,10)\n"
      "  c.Color.34(0,0,0)\n"
      "  e.Image.5(c)\n"
      "  g.Image.5(c)\n"
      "  b.Rectangle.17(0,0,10,10)\n"
      "  p.Paint.1(e)\n"
      "  p.Paint.7(b,Paint.EDGE_SUNKEN,31)\n"
      "  p.Paint.1(g)\n"
      "  p.Paint.7(b,Paint.EDGE_SUNKEN,Paint.RECT_ALL)\n"
      "  p.Paint.2()\n"
      "  s+=\" edge=\"+p.Paint.15()+\",\"+e.Image.14(0,5,k)+k.Color.11()+\",\"+g.Image.14(0,5,k2)+k2.Color.11()\n"
      "  s+=\",\"+e.Image.14(9,5,k)+k.Color.11()+\",\"+g.Image.14(9,5,k2)+k2.Color.11()\n"
      "  Global.33(s,\"Result\")\n"
      "  Global.35()\n";
  e2e::PackedApp app("PaintImage");
  ASSERT_EQ(StartProgram(app, program), "");
  const std::string shadow = std::to_string(GetSysColor(COLOR_BTNSHADOW));
  const std::string light = std::to_string(GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(ResultThenExit(app),
            "idle=0100000 begin=1101 pen=3,1255 pixels=116711680,1255,165280,1255,165280,116711935,116777215,00 "
            "layout=181,00 measure=00 fits bigger default saved=1 bad=00 again=1 created=0 loaded=040 cleared=00 edge=0,1" +
                shadow + ",1" + shadow + ",1" + light + ",1" + light);
  std::error_code failed;
  fs::copy_file(app.Folder() / "paint.png", fs::path(TAVRIN_IMAGE_OUT) / "paint.png",
                fs::copy_options::overwrite_existing, failed);
  EXPECT_FALSE(failed) << failed.message();
}

// ---- Selector -------------------------------------------------------------------------------


// Puts the name into a file dialog and presses OK.
void ChooseFileName(HWND dialog, const std::string& name) {
  HWND edit = FindControl(dialog, cmb13);
  if (!edit) edit = FindControl(dialog, edt1);
  ASSERT_NE(edit, nullptr);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  ASSERT_TRUE(e2e::PackedApp::Press(dialog, IDOK));
}

// The dialogs' own controls are Unicode: their texts are read as such.
std::string Narrow(const wchar_t* text) {
  char bytes[256] = "";
  WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
  return bytes;
}

std::string WideText(HWND window) {
  wchar_t text[256] = L"";
  SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return Narrow(text);
}

std::string ComboItem(HWND combo, int index) {
  wchar_t text[256] = L"";
  SendMessageW(combo, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text));
  return Narrow(text);
}

// Each picker of the Selector in turn, as the program opens them: two files
// chosen at once (the second filter preselected, its quoted "|" kept), a
// filter index past the list falling back to the first and the dialog
// cancelled, a name saved, the folder browser and the date popup
// cancelled, the popup of named colours refused without an owner and
// cancelled with one, the colour and font dialogs confirmed with what they were
// started with.
TEST(WindowPaintClasses, SelectorPickersAsAPersonUsesThem) {
  const char* program =
      "class Application\n"
      "  Selector s new\n"
      "  Dialog d new\n"
      "  Rectangle r new\n"
      "  Color c new\n"
      "  Timer t new\n"
      "  StringArray a new\n"
      "  Font f new\n"
      "function Void _00000000()\n"
      "  String log\n"
      "  r.Rectangle.17(40,40,300,200)\n"
      "  d.Dialog.70(r,\"Owner\")\n"
      "  log=\"bare=\"+s.Selector.4(\"Bare\")\n"
      "  s.Selector.18(d)\n"
      "  log+=\" open=\"+s.Selector.16(\"Text|*.txt|%22All|Any%22|*.*\",\"\",\"PickOpen\",1,true)\n"
      "  log+=\",\"+s.Selector.13()+\",\"+s.Selector.14(a)+\",\"+s.Selector.12()\n"
      "  log+=\" other=\"+s.Selector.16(\"Text|*.txt|All|*.*\",\"\",\"PickOther\",5)+s.Selector.13()+s.Selector.12()\n"
      "  log+=\" save=\"+s.Selector.17(\"Text|*.txt\",\"\",\"PickSave\")+\",\"+s.Selector.15()\n"
      "  log+=\" folder=\"+s.Selector.2(\"PickFolder\")+\"|\"+s.Selector.7()+\"|\"\n"
      "  log+=\" date=\"+s.Selector.1()\n"
      "  s.Selector.6(t)\n"
      "  log+=\",\"+t.Timer.42()\n"
      "  log+=\" named=\"+s.Selector.4(\"PickNamed\")\n"
      "  c.Color.34(10,20,30)\n"
      "  log+=\" colour=\"+s.Selector.0(c)\n"
      "  c.Color.34(0,0,0)\n"
      "  log+=s.Selector.5(c)+\",\"+c.Color.11()\n"
      "  log+=\" font=\"+s.Selector.3(\"Tahoma\",12,1)+s.Selector.9()+\",\"+s.Selector.10()+\",\"+s.Selector.8(f)+f.Font.2()\n"
      "  log+=\" style=\"+s.Selector.11()\n"
      "  Global.33(log,\"Result\")\n"
      "  Global.35()\n";
  e2e::PackedApp app("SelectorPickers");
  std::string error;
  ASSERT_TRUE(app.Pack(program, true, &error)) << error;
  for (const char* name : {"a.txt", "b.txt"}) std::ofstream(app.Folder() / name) << name;
  ASSERT_TRUE(app.Start());
  const DWORD id = app.ProcessId();

  HWND open = WaitForDialog(id, "PickOpen", kDialogWait);
  ASSERT_NE(open, nullptr);
  HWND types = FindControl(open, cmb1);
  ASSERT_NE(types, nullptr);
  EXPECT_EQ(SendMessageA(types, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(types, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(ComboItem(types, 1), "All|Any");
  ChooseFileName(open, "\"a.txt\" \"b.txt\"");

  HWND other = WaitForDialog(id, "PickOther", kDialogWait);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(SendMessageA(FindControl(other, cmb1), CB_GETCURSEL, 0, 0), 0);
  ASSERT_TRUE(e2e::PackedApp::Press(other, IDCANCEL));

  HWND save = WaitForDialog(id, "PickSave", kDialogWait);
  ASSERT_NE(save, nullptr);
  ChooseFileName(save, "saved.txt");

  HWND folder = nullptr;
  ASSERT_TRUE(PollUntil([&] { return (folder = FindProgramWindow(id, "Browse", true)) != nullptr; }, kDialogWait));
  ASSERT_TRUE(e2e::PackedApp::Press(folder, IDCANCEL));

  // The date popup has no caption: the one visible window without text.
  HWND date = nullptr;
  ASSERT_TRUE(PollUntil(
      [&] {
        date = FindDialog(id, "");
        return date != nullptr;
      },
      kDialogWait));
  PostMessageA(date, WM_CLOSE, 0, 0);
  HWND named = WaitForDialog(id, "PickNamed", kDialogWait);
  ASSERT_NE(named, nullptr);
  PostMessageA(named, WM_CLOSE, 0, 0);

  HWND colour = WaitForDialog(id, "Color", kDialogWait);
  ASSERT_NE(colour, nullptr);
  ASSERT_TRUE(e2e::PackedApp::Press(colour, IDOK));
  // The face and size the font dialog shows (the face asked for when the
  // system has it) come back to the program.
  HWND font = WaitForDialog(id, "Font", kDialogWait);
  ASSERT_NE(font, nullptr);
  const std::string face = WideText(FindControl(font, cmb1)), size = WideText(FindControl(font, cmb3));
  ASSERT_TRUE(e2e::PackedApp::Press(font, IDOK));

  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::string text = ResultThenExit(app);
  // The program's folder as the program names it.
  char folderName[MAX_PATH];
  GetFullPathNameA(app.Folder().string().c_str(), MAX_PATH, folderName, nullptr);
  std::string base = folderName;
  if (base.back() != '\\') base += "\\";
  EXPECT_EQ(text, "bare=0 open=1,2,2," + base + "a.txt other=00 save=1," + base + "saved.txt folder=|| date=0," +
                      std::to_string(now.wYear) + " named=0 colour=11,1971210 font=1" + face + "," + size + ",1" + face + " style=" +
                      (text.back() == '1' ? "1" : "0"));
}

// ---- TrayIcon -------------------------------------------------------------------------------

// The tray window made once, its tip kept whole as the window's text, an
// icon from a picture file, then the shell's callbacks as the notification
// area posts them: a right double click, a left press and release (with
// its click), after which the program removes the icon and makes a new
// window.
TEST(WindowPaintClasses, TrayIconReportsTheShellsMouseMessages) {
  const char* program =
      "class Application\n"
      "  TrayIcon t new\n"
      "  Dialog d new\n"
      "  Image m new\n"
      "  Color c new\n"
      "  String log\n"
      "function Void _00000000()\n"
      "  log=\"before=\"+t.TrayIcon.1()+t.TrayIcon.3(\"icon.png\")\n"
      "  m.Image.25(16,16)\n"
      "  c.Color.34(0,128,0)\n"
      "  m.Image.5(c)\n"
      "  m.Image.29(\"icon.png\",Image.PNG)\n"
      "  log+=\" create=\"+t.TrayIcon.5(d)+t.TrayIcon.5(d)\n"
      "  t.TrayIcon.6(\"TavrinTray 123456789012345678901234567890123456789012345678901234567890123456789\")\n"
      "  log+=\" tip=\"+t.TrayIcon.1()\n"
      "  log+=\" icon=\"+t.TrayIcon.3(\"icon.png\")+t.TrayIcon.3(\"none.png\")\n"
      "  t.TrayIcon.7()\n"
      "  t.TrayIcon.7(true)\n"
      "message Void TrayIcon.8(Integer code, Integer x, Integer y, Integer sx, Integer sy)\n"
      "  log+=\" m\"+code\n"
      "  if code==33\n"
      "    t.TrayIcon.0()\n"
      "    log+=\" gone=\"+t.TrayIcon.1()+t.TrayIcon.3(\"icon.png\")+t.TrayIcon.5(d)+t.TrayIcon.1()\n"
      "    Global.33(log,\"Result\")\n"
      "    Global.35()\n"
      "  end\n";
  e2e::PackedApp app("TrayIconClicks");
  ASSERT_EQ(StartProgram(app, program), "");
  const std::string tip = "TavrinTray 123456789012345678901234567890123456789012345678901234567890123456789";
  HWND tray = nullptr;
  ASSERT_TRUE(PollUntil([&] { return (tray = FindProgramWindow(app.ProcessId(), tip, false)) != nullptr; },
                        e2e::PackedApp::kBoxTimeout));
  EXPECT_FALSE(IsWindowVisible(tray));
  const UINT callback = 0x8402, iconId = 100;
  for (UINT mouse : {WM_RBUTTONDBLCLK, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP})
    PostMessageA(tray, callback, iconId, LPARAM(mouse));
  EXPECT_EQ(ResultThenExit(app),
            "before=0 create=11 tip=" + tip + " icon=10 m68 m9 m17 m33 gone=01");
}

// ---- Splash ---------------------------------------------------------------------------------

// A splash whose key colour shows the screen behind it;
// mode 7 stays when a box takes the focus, as MODE_NORMAL does; a duration
// closes it; a picture's alpha of 0 shows the screen; MODE_AUTO closes on
// a click.
TEST(WindowPaintClasses, SplashShowsItsPictureAndCloses) {
  const char* program =
      "class Application\n"
      "  Splash s new\n"
      "  Splash a new\n"
      "  Dialog d new\n"
      "  Rectangle r new\n"
      "  Image m new\n"
      "  Color c new\n"
      "  Color g new\n"
      "  File f new\n"
      "  File h new\n"
      "  File z new\n"
      "  Point pt new\n"
      "  Point pa new\n"
      "  String log\n"
      "function Void _00000000()\n"
      "  r.Rectangle.17(50,50,400,300)\n"
      "  d.Dialog.70(r,\"Behind\")\n"
      "  m.Image.25(60,40,24)\n"
      "  c.Color.34(255,0,0)\n"
      "  m.Image.5(c)\n"
      "  g.Color.34(0,255,0)\n"
      "  r.Rectangle.17(20,10,20,20)\n"
      "  m.Image.5(g,r)\n"
      "  m.Image.29(\"keyed.bmp\")\n"
      "  m.Image.25(40,40)\n"
      "  m.Image.5(c)\n"
      "  r.Rectangle.17(0,0,20,40)\n"
      "  m.Image.0(0,r)\n"
      "  m.Image.29(\"alpha.png\",Image.PNG)\n"
      "  pt.Point.3(100,100)\n"
      "  pa.Point.3(200,100)\n"
      "  log=\"empty=\"+s.Splash.3()+s.Splash.2()+s.Splash.0(z)\n"
      "  f.File.21(\"keyed.bmp\")\n"
      "  log+=\" load=\"+s.Splash.0(f,g)\n"
      "  log+=\" show=\"+s.Splash.3(pt)+s.Splash.2()+s.Splash.3(pt)\n"
      "  Global.33(\"keyed\",\"Step\")\n"
      "  s.Splash.4()\n"
      "  log+=\" closed=\"+s.Splash.2()\n"
      "  log+=\" seven=\"+s.Splash.3(pt,7)\n"
      "  Global.33(\"seven\",\"Step\")\n"
      "  log+=s.Splash.2()\n"
      "  s.Splash.4()\n"
      "  log+=\" timed=\"+s.Splash.3(pt,Splash.MODE_NORMAL,300)\n"
      "  Global.33(\"timed\",\"Step\")\n"
      "  log+=s.Splash.2()\n"
      "  h.File.21(\"alpha.png\")\n"
      "  log+=\" alpha=\"+a.Splash.1(h)+a.Splash.3(pa)\n"
      "  Global.33(\"alpha\",\"Step\")\n"
      "  a.Splash.4()\n"
      "  log+=\" auto=\"+s.Splash.3(pt,Splash.MODE_AUTO)\n"
      "  d.Dialog.105(100,1)\n"
      "message Void Dialog.137(Integer id)\n"
      "  if s.Splash.2()==0\n"
      "    d.Dialog.105(0,1)\n"
      "    Global.33(log,\"Result\")\n"
      "    Global.35()\n"
      "  end\n";
  e2e::PackedApp app("SplashModes");
  ASSERT_EQ(StartProgram(app, program), "");
  const DWORD id = app.ProcessId();
  const COLORREF red = RGB(255, 0, 0);
  const RECT keyed = {100, 100, 160, 140}, alpha = {200, 100, 240, 140};

  HWND box = app.WaitForBox("Step");
  ASSERT_NE(box, nullptr);
  ASSERT_NE(FindProgramWindow(id, "", true, &keyed), nullptr);
  // The layered window is found before its first paint reaches the screen.
  EXPECT_TRUE(PollUntil([&] { return ScreenPixel(105, 105) == red; }, 5000)) << ScreenPixel(105, 105);
  EXPECT_EQ(ScreenPixel(158, 138), red);
  EXPECT_EQ(ScreenPixel(130, 120), ScreenPixel(95, 120));
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));

  box = app.WaitForBox("Step");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(appboxes::ReadBox(box).text, "seven");
  EXPECT_NE(FindProgramWindow(id, "", true, &keyed), nullptr);
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));

  box = app.WaitForBox("Step");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(appboxes::ReadBox(box).text, "timed");
  EXPECT_TRUE(PollUntil([&] { return FindProgramWindow(id, "", true, &keyed) == nullptr; }, 20000));
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));

  box = app.WaitForBox("Step");
  ASSERT_NE(box, nullptr);
  ASSERT_NE(FindProgramWindow(id, "", true, &alpha), nullptr);
  EXPECT_EQ(ScreenPixel(205, 120), ScreenPixel(195, 120));
  EXPECT_EQ(ScreenPixel(230, 120), red);
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));

  HWND splash = nullptr;
  ASSERT_TRUE(PollUntil([&] { return (splash = FindProgramWindow(id, "", true, &keyed)) != nullptr; }, 20000));
  ASSERT_TRUE(ClickAt(splash, 5, 5));
  EXPECT_EQ(ResultThenExit(app), "empty=000 load=1 show=110 closed=0 seven=11 timed=10 alpha=11 auto=1");
}

}  // namespace
