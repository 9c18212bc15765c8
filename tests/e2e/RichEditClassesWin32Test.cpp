// The RichEdit, Label, Progress, Scroll and Slider classes as applications
// use them: packed programs that make the controls in code and from
// descriptions and call their members, with the clipboard, the files the
// RichEdit writes (read back by Debian's unrtf), the labels' placement on
// screen, and a person's typing, scrolling and dragging.
//
// The programs that need no input start together; the one driven with
// synthesised input runs alone, so that no other window takes its focus.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/DialogHarness.h"
#include "tests/e2e/PackedApp.h"
#include "tests/window/AbsoluteMouse.h"
#include "tests/window/ScreenshotTesting.h"

namespace {

using namespace e2e::dialogs;

// ---- The test process's side of the clipboard, mouse and screen ------------------------------

// The clipboard's plain text; "(none)" when it holds no text.
std::string ClipboardText() {
  std::string text = "(none)";
  if (!OpenClipboard(nullptr)) return "(closed)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool SetClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  bool placed = false;
  if (data) {
    std::memcpy(GlobalLock(data), text.c_str(), text.size() + 1);
    GlobalUnlock(data);
    placed = SetClipboardData(CF_TEXT, data) != nullptr;
    if (!placed) GlobalFree(data);
  }
  CloseClipboard();
  return placed;
}

// The cursor taken to the screen point, waited for.
bool MoveTo(POINT p) {
  SendAbsoluteMouse(MOUSEEVENTF_MOVE, p);
  return PollUntil(
      [&] {
        POINT now;
        GetCursorPos(&now);
        return now.x == p.x && now.y == p.y;
      },
      2000, 10);
}

// A left-button drag between two client points of the window, in steps, each
// step waited for until the cursor is there; done (a condition the caller
// names) is polled after the release.
bool Drag(HWND window, POINT from, POINT to, int steps) {
  ClientToScreen(window, &from);
  ClientToScreen(window, &to);
  if (!MoveTo(from)) return false;
  SendAbsoluteMouse(MOUSEEVENTF_LEFTDOWN, from);
  bool moved = true;
  for (int i = 1; i <= steps; i++) {
    POINT p = {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
    moved = MoveTo(p) && moved;
    Sleep(30);  // lets the control's tracking loop see each step, as a hand's pace would
  }
  SendAbsoluteMouse(MOUSEEVENTF_LEFTUP, to);
  return moved;
}

// The box around the label's text, drawn in red on white.
RECT InkBox(HWND label) {
  Screenshot shot(label);
  return Extent(shot, label, RGB(255, 0, 0));
}

// ---- Programs without input -------------------------------------------------------------------

// The RichEdit's members on a control made in code: selection, the
// character format set by 20 and 21 and read by 7, RTF and plain text
// through paths, Files and a resource (a missing source keeps the text, a
// File that takes no writes and a path that cannot be made answer false),
// undo and redo, and the real
// clipboard, which the test reads and fills between the program's boxes.
const char kRichEditProgram[] =
    "class Application\n"
    "  Dialog d new\n"
    "  RichEdit e new\n"
    "  RichEdit idle new\n"
    "  Rectangle r new\n"
    "  Font f new\n"
    "  Font g new\n"
    "  Color c new\n"
    "  File fl new\n"
    "  String log\n"
    "  Integer changes\n"
    "function Void Show(String title)\n"
    "  e.RichEdit.18()\n"
    "  log+=\" \"+title+\"=[\"+e.RichEdit.9()+\"]\"\n"
    "function Void Format(String title)\n"
    "  e.RichEdit.7(f,c)\n"
    "  log+=\" \"+title+\"=\"+f.Font.2()+\",\"+f.Font.4()+\",\"+f.Font.5()+\",\"+c.Color.11()\n"
    "function Void _00000000()\n"
    "  r.Rectangle.17(600,20,1000,320)\n"
    "  d.Dialog.70(r,\"RichHost\")\n"
    "  r.Rectangle.17(10,10,380,200)\n"
    "  log=\"idle=\"+idle.RichEdit.6()+idle.RichEdit.8()+idle.RichEdit.13()+idle.RichEdit.11(\"x.txt\")\n"
    "  log+=\" create=\"+e.RichEdit.2(d,r,\"Hello world\")+e.RichEdit.2(d,r,\"again\")\n"
    "  Show(\"text\")\n"
    "  e.RichEdit.19(2,3)\n"
    "  log+=\" sel=\"+e.RichEdit.6()+\",\"+e.RichEdit.8()+\",\"+e.RichEdit.9()\n"
    "  e.RichEdit.0()\n"
    "  log+=\" collapsed=\"+e.RichEdit.6()+\",\"+e.RichEdit.8()\n"
    "  e.RichEdit.19(-1)\n"
    "  log+=\" end=\"+e.RichEdit.6()+\",\"+e.RichEdit.8()\n"
    "  e.RichEdit.19(0,5)\n"
    "  log+=\" base=\"+e.RichEdit.21(\"Arial\",12,0)\n"
    "  log+=\" size=\"+e.RichEdit.21(\"\",10.5)\n"
    "  Format(\"f1\")\n"
    "  log+=\" none=\"+e.RichEdit.21()\n"
    "  c.Color.26(255)\n"
    "  log+=\" red=\"+e.RichEdit.20(null,c)\n"
    "  c.Color.26(0)\n"
    "  Format(\"f2\")\n"
    "  g.Font.0(\"Courier New\",14,3)\n"
    "  e.RichEdit.19(6,5)\n"
    "  log+=\" font=\"+e.RichEdit.20(g)\n"
    "  Format(\"f3\")\n"
    "  log+=\" rtf=\"+e.RichEdit.17(\"a.rtf\",1)+e.RichEdit.13()+e.RichEdit.11(\"a.rtf\",1)\n"
    "  e.RichEdit.19(0,5)\n"
    "  Format(\"k1\")\n"
    "  e.RichEdit.19(6,5)\n"
    "  Format(\"k2\")\n"
    "  log+=\" source=\"+e.RichEdit.11(\"a.rtf\")\n"
    "  e.RichEdit.19(0,5)\n"
    "  log+=\",\"+e.RichEdit.9()\n"
    "  e.RichEdit.18()\n"
    "  e.RichEdit.22(\"Plain: 1 < 2 & 3 > 2\")\n"
    "  log+=\" plain=\"+e.RichEdit.17(\"p.txt\")+e.RichEdit.13()+e.RichEdit.11(\"p.txt\")\n"
    "  Show(\"p\")\n"
    "  log+=\" missing=\"+e.RichEdit.11(\"none.txt\")+e.RichEdit.12(\"none\")+e.RichEdit.17(\"nodir/x.rtf\",1)\n"
    "  Show(\"m\")\n"
    "  log+=\" res=\"+e.RichEdit.12(\"doc\",1)\n"
    "  Show(\"r\")\n"
    "  fl.File.21(\"p.txt\")\n"
    "  log+=\" readonly=\"+e.RichEdit.16(fl)\n"
    "  fl.File.1()\n"
    "  log+=e.RichEdit.10(fl)\n"
    "  fl.File.5()\n"
    "  Show(\"f\")\n"
    "  e.RichEdit.13()\n"
    "  e.RichEdit.22(\"one\")\n"
    "  e.RichEdit.18()\n"
    "  e.RichEdit.22(\"two\")\n"
    "  e.RichEdit.23()\n"
    "  Show(\"undo\")\n"
    "  e.RichEdit.15()\n"
    "  Show(\"redo\")\n"
    "  e.RichEdit.4()\n"
    "  Show(\"deleted\")\n"
    "  e.RichEdit.22(\"Unrtf reads this\")\n"
    "  e.RichEdit.18()\n"
    "  e.RichEdit.21(\"\",16,1)\n"
    "  log+=\" u=\"+e.RichEdit.17(\"u.rtf\",1)\n"
    "  e.RichEdit.19(0,5)\n"
    "  e.RichEdit.1()\n"
    "  Global.33(\"copied\",\"Copy\")\n"
    "  e.RichEdit.19(-1)\n"
    "  e.RichEdit.14()\n"
    "  Show(\"pasted\")\n"
    "  e.RichEdit.19(0,0)\n"
    "  e.RichEdit.3()\n"
    "  Global.33(\"cut empty\",\"Copy\")\n"
    "  e.RichEdit.19(0,6)\n"
    "  e.RichEdit.3()\n"
    "  Show(\"cut\")\n"
    "  Global.33(\"cut\",\"Copy\")\n"
    "  e.RichEdit.5()\n"
    "  log+=\" destroyed=\"+e.RichEdit.6()+\" changes=\"+(changes>5)\n"
    "  Global.33(log,\"Result\")\n"
    "  Global.35()\n"
    "message Void RichEdit.25()\n"
    "  changes+=1\n";

const char kRichEditResource[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 From {\\b the} pack\\par}";

// The Label's members on one label from a description (placed right and at
// the bottom by the description) and one from code:
// the alignment word's rules (3 stored, 0x30 kept as bottom, function 11
// without argument giving 16), colours, the background image's draw mode,
// and the text from a path, a File and a resource (a missing source keeps
// the text and answers nothing). The description's label is shown in red on
// white at each placement, for the test to find its text on screen; the
// dialog is large, so that the boxes centred on it leave the label in view.
const char kLabelProgram[] =
    "class Application\n"
    "  Dialog d new\n"
    "  Label l\n"
    "  Label m new\n"
    "  Label idle new\n"
    "  Color c new\n"
    "  Color red new\n"
    "  Color white new\n"
    "  File fl new\n"
    "  Rectangle r new\n"
    "  Image img new\n"
    "  String log\n"
    "function Void Place(Integer a)\n"
    "  l.Label.11(a)\n"
    "  Global.33(\"align \"+l.Label.2(),\"Shot\")\n"
    "function Void _00000000()\n"
    "  log=\"load=\"+d.Dialog.65(\"lab\",this)\n"
    "  l=d.Dialog.25(\"Shown\")\n"
    "  red.Color.26(255)\n"
    "  white.Color.26(16777215)\n"
    "  l.Label.16(red)\n"
    "  l.Label.12(white)\n"
    "  log+=\" first=\"+l.Label.2()+\",\"+l.Label.5()+\",\"+l.Label.7()+\",\"+l.Label.6(c)+c.Color.11()\n"
    "  Place(16)\n"
    "  Place(17)\n"
    "  Place(18)\n"
    "  Place(33)\n"
    "  Place(19)\n"
    "  r.Rectangle.17(10,120,210,150)\n"
    "  log+=\" idle=\"+idle.Label.2()+idle.Label.6(c)+idle.Label.9(\"t.txt\")\n"
    "  log+=\" create=\"+m.Label.0(d,r,\"code\")\n"
    "  m.Label.11(3)\n"
    "  log+=\" three=\"+m.Label.2()+\",\"+m.Label.5()\n"
    "  m.Label.11(48)\n"
    "  log+=\" x30=\"+m.Label.2()+\",\"+m.Label.7()\n"
    "  m.Label.11()\n"
    "  log+=\" default=\"+m.Label.2()\n"
    "  m.Label.15(2)\n"
    "  log+=\" h=\"+m.Label.2()\n"
    "  m.Label.17(32)\n"
    "  log+=\" v=\"+m.Label.2()\n"
    "  m.Label.16(red)\n"
    "  log+=\" text=\"+m.Label.6(c)+\",\"+c.Color.11()\n"
    "  m.Label.12(red)\n"
    "  c.Color.26(0)\n"
    "  log+=\" back=\"+m.Label.3(c)+\",\"+c.Color.11()\n"
    "  m.Label.12(null)\n"
    "  m.Label.3(c)\n"
    "  log+=\",\"+c.Color.11()+\" nullout=\"+m.Label.3(null)\n"
    "  img.Image.25(20,10)\n"
    "  m.Label.13(img)\n"
    "  m.Label.14(5)\n"
    "  log+=\" mode=\"+m.Label.4()\n"
    "  m.Label.14(99)\n"
    "  log+=\",\"+m.Label.4()\n"
    "  m.Label.13(null)\n"
    "  log+=\" path=\"+m.Label.9(\"t.txt\")+m.Control.4()\n"
    "  log+=\" missing=\"+m.Label.9(\"none.txt\")+m.Control.4()\n"
    "  log+=\" empty=\"+m.Label.9(\"empty.txt\")+\"[\"+m.Control.4()+\"]\"\n"
    "  fl.File.21(\"t.txt\")\n"
    "  fl.File.0(5)\n"
    "  log+=\" file=\"+m.Label.8(fl)+m.Control.4()\n"
    "  log+=\" res=\"+m.Label.10(\"greet\")+m.Control.4()\n"
    "  log+=\" nores=\"+m.Label.10(\"none\")+m.Control.4()\n"
    "  Global.33(log,\"Result\")\n"
    "  Global.35()\n";

const char kLabelDescription[] =
    "TAVRIN DIALOG 1.0.0.0\r\n\r\n"
    "[DIALOG]\r\nCAPTION=LabelHost\r\nPOSITION=0 0 640 520\r\nSTYLE=WS_VISIBLE WS_CAPTION\r\n\r\n"
    "[LABEL]\r\nID=7\r\nNAME=Shown\r\nCAPTION=Wg\r\nPOSITION=10 10 200 80\r\nSTYLE=WS_VISIBLE\r\n"
    "LABEL_HALIGN=_RIGHT\r\nLABEL_VALIGN=_BOTTOM\r\n\r\n";

// The range controls' members, made in code: the progress bar's delta,
// range and clamping, its marquee on and off (the test watches the bar
// move and stop), the scroll bar's range and position, and the slider's
// sizes and ticks; without a window every member leaves its result.
const char kRangeProgram[] =
    "class Application\n"
    "  Dialog d new\n"
    "  Progress p new\n"
    "  Progress q new\n"
    "  Scroll s new\n"
    "  Slider k new\n"
    "  Progress idleP new\n"
    "  Scroll idleS new\n"
    "  Slider idleK new\n"
    "  Rectangle r new\n"
    "  Color c new\n"
    "  String log\n"
    "function Void _00000000()\n"
    "  r.Rectangle.17(20,400,420,640)\n"
    "  d.Dialog.70(r,\"RangeHost\")\n"
    "  log=\"idle=\"+idleP.Progress.5()+idleP.Progress.0(5)+idleS.Scroll.4()+idleK.Slider.8()+idleK.Slider.6(0)\n"
    "  r.Rectangle.17(10,10,300,30)\n"
    "  log+=\" create=\"+p.Progress.1(d,r)+p.Progress.1(d,r)\n"
    "  log+=\" initial=\"+p.Progress.4()+\",\"+p.Progress.3()+\",\"+p.Progress.5()\n"
    "  p.Progress.9(0,1000)\n"
    "  p.Progress.10(250)\n"
    "  log+=\" delta=\"+p.Progress.0(100)+\",\"+p.Progress.5()+\" range=\"+p.Progress.4()+\",\"+p.Progress.3()\n"
    "  p.Progress.10(5000)\n"
    "  log+=\" clamped=\"+p.Progress.5()\n"
    "  c.Color.26(255)\n"
    "  p.Progress.7(c)\n"
    "  p.Progress.6(c)\n"
    "  p.Progress.6(null)\n"
    "  p.Progress.7(null)\n"
    "  r.Rectangle.17(10,40,300,60)\n"
    "  q.Progress.1(d,r,\"\",\"WS_VISIBLE PBS_MARQUEE\")\n"
    "  q.Progress.8()\n"
    "  Global.33(\"marquee\",\"Marquee\")\n"
    "  q.Progress.8(0)\n"
    "  Global.33(\"still\",\"Marquee\")\n"
    "  r.Rectangle.17(10,70,300,90)\n"
    "  log+=\" scroll=\"+s.Scroll.0(d,r)\n"
    "  s.Scroll.5(0,100)\n"
    "  log+=\" range=\"+s.Scroll.3()+\",\"+s.Scroll.2()\n"
    "  s.Scroll.6(40)\n"
    "  log+=\" pos=\"+s.Scroll.4()\n"
    "  s.Scroll.6(500)\n"
    "  log+=\",\"+s.Scroll.4()\n"
    "  s.Scroll.5(-5,200000)\n"
    "  s.Scroll.6(150000)\n"
    "  log+=\" big=\"+s.Scroll.3()+\",\"+s.Scroll.2()+\",\"+s.Scroll.4()\n"
    "  r.Rectangle.17(10,100,300,140)\n"
    "  log+=\" slider=\"+k.Slider.0(d,r)\n"
    "  k.Slider.12(10,90)\n"
    "  k.Slider.10(3)\n"
    "  k.Slider.11(20)\n"
    "  k.Slider.14(50)\n"
    "  log+=\" k=\"+k.Slider.4()+\",\"+k.Slider.3()+\",\"+k.Slider.2()+\",\"+k.Slider.5()+\",\"+k.Slider.8()\n"
    "  k.Slider.13(30)\n"
    "  k.Slider.13(60)\n"
    "  log+=\" tics=\"+k.Slider.7()+\",\"+k.Slider.6(0)+\",\"+k.Slider.6(1)+\",\"+k.Slider.6(7)\n"
    "  k.Slider.9()\n"
    "  log+=\",\"+k.Slider.7()\n"
    "  k.Slider.14(500)\n"
    "  log+=\" kclamp=\"+k.Slider.8()\n"
    "  k.Slider.1()\n"
    "  log+=\" gone=\"+k.Slider.8()\n"
    "  Global.33(log,\"Result\")\n"
    "  Global.35()\n";

// A control's text through WM_GETTEXT, which reaches another process's
// control (GetWindowText gives only a window's caption there).
std::string ControlText(HWND control) {
  char text[256] = "";
  SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// The pixels of a control's client area.
std::vector<uint32_t> Pixels(HWND control) { return Screenshot(control).Pixels(); }

TEST(RichEditClasses, ProgramsCallTheMembers) {
  e2e::AppBatch batch;
  batch.Start("RichEditMembers", kRichEditProgram, {{"binary\\doc", kRichEditResource}});
  batch.Start("LabelMembers", kLabelProgram,
              {{"dialog\\lab", kLabelDescription}, {"text\\greet", "from the pack"}});
  batch.Start("RangeMembers", kRangeProgram);
  for (const char* name : {"RichEditMembers", "LabelMembers", "RangeMembers"}) ASSERT_EQ(batch.Error(name), "") << name;

  // Files the label program reads, written before its constructor reaches
  // them (it waits for the first placement to be looked at).
  e2e::PackedApp& label = *batch.Find("LabelMembers");
  {
    std::ofstream(label.Folder() / "t.txt", std::ios::binary) << "from a file";
    std::ofstream(label.Folder() / "empty.txt", std::ios::binary);
  }

  {
    SCOPED_TRACE("RichEdit");
    e2e::PackedApp& app = *batch.Find("RichEditMembers");
    HWND box = app.WaitForBox("Copy");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ClipboardText(), "Unrtf");
    ASSERT_TRUE(SetClipboardText(" and pasted"));
    ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
    box = app.WaitForBox("Copy");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(appboxes::ReadBox(box).text, "cut empty");
    EXPECT_EQ(ClipboardText(), "");
    ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
    box = app.WaitForBox("Copy");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ClipboardText(), "Unrtf ");
    ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));

    HWND result = app.WaitForBox("Result");
    ASSERT_NE(result, nullptr);
    std::string text = appboxes::ReadBox(result).text;
    for (const char* part : {
             "idle=-1000 create=10 text=[Hello world]",
             " sel=2,3,llo collapsed=2,0 end=11,0",
             " base=1 size=1 f1=Arial,       10.5,0,0 none=0 red=1 f2=Arial,       10.5,0,255",
             " font=1 f3=Courier New,       14.25,3,0",
             " rtf=111 k1=Arial,       10.5,0,255 k2=Courier New,       14.25,3,0 source=1,{\\rtf",
             " plain=111 p=[Plain: 1 < 2 & 3 > 2]",
             " missing=000 m=[Plain: 1 < 2 & 3 > 2]",
             " res=1 r=[From the pack",
             " readonly=01 f=[Plain: 1 < 2 & 3 > 2]",
             " undo=[one] redo=[two] deleted=[]",
             " u=1 pasted=[Unrtf reads this and pasted] cut=[reads this and pasted] destroyed=-1 changes=1",
         })
      EXPECT_NE(text.find(part), std::string::npos) << part << "\nin: " << text;
    ASSERT_TRUE(e2e::PackedApp::Press(result, IDOK));
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(&code));

    // The RTF the class wrote, read by a reader no one here wrote.
    std::string rtf = GrabFolder() + "\\rich-class.rtf", out = GrabFolder() + "\\rich-class.txt";
    ASSERT_TRUE(CopyFileA((app.Folder() / "u.rtf").string().c_str(), rtf.c_str(), FALSE));
    ASSERT_EQ(RunHostCommand("unrtf --text '" + HostPath(rtf) + "' > '" + HostPath(out) + "'"), 0);
    EXPECT_NE(e2e::ReadFileBytes(out).find("Unrtf reads this"), std::string::npos) << e2e::ReadFileBytes(out);
    EXPECT_EQ(e2e::ReadFileBytes(app.Folder() / "p.txt"), "Plain: 1 < 2 & 3 > 2");
  }

  {
    SCOPED_TRACE("Label");
    HWND host = WaitForDialog(label.ProcessId(), "LabelHost", e2e::PackedApp::kBoxTimeout);
    ASSERT_NE(host, nullptr);
    HWND shown = FindControl(host, 7);
    ASSERT_NE(shown, nullptr);
    RECT client = ClientRect(shown);
    RECT boxes[5];
    for (RECT& ink : boxes) {
      HWND box = label.WaitForBox("Shot");
      ASSERT_NE(box, nullptr);
      ink = InkBox(shown);
      ASSERT_GT(ink.right, ink.left) << appboxes::ReadBox(box).text;
      ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
    }
    const RECT& left = boxes[0];
    const RECT& centre = boxes[1];
    const RECT& right = boxes[2];
    const RECT& bottom = boxes[3];
    const RECT& three = boxes[4];
    // Left and middle: from the inset on, halfway down.
    EXPECT_LE(left.left, 4);
    EXPECT_NEAR((left.top + left.bottom) / 2, client.bottom / 2, 4);
    EXPECT_NEAR((centre.left + centre.right) / 2, client.right / 2, 3);
    EXPECT_GE(right.right, client.right - 4);
    EXPECT_GT(right.left, centre.left);
    // Centred at the bottom.
    EXPECT_GE(bottom.bottom, client.bottom - 6);
    EXPECT_NEAR((bottom.left + bottom.right) / 2, client.right / 2, 3);
    // Horizontal 3 is drawn as left.
    EXPECT_EQ(three.left, left.left);
    EXPECT_EQ(three.top, left.top);
    e2e::ExpectBoxesThenExit(
        label, "Result",
        {"load=1 first=34,2,32,1" + std::to_string(RGB(255, 0, 0)) +
         " idle=000 create=1 three=3,3 x30=32,32 default=16 h=18 v=34 text=1,255 back=1,255,0 nullout=0"
         " mode=5,0 path=1from a file missing=0from a file empty=1[] file=1a file res=1from the pack "
         "nores=0from the pack"});
  }

  {
    SCOPED_TRACE("Range");
    e2e::PackedApp& app = *batch.Find("RangeMembers");
    HWND host = WaitForDialog(app.ProcessId(), "RangeHost", e2e::PackedApp::kBoxTimeout);
    ASSERT_NE(host, nullptr);
    HWND box = app.WaitForBox("Marquee");
    ASSERT_NE(box, nullptr);
    HWND marquee = nullptr;
    for (HWND child = GetWindow(host, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (GetWindowLongA(child, GWL_STYLE) & PBS_MARQUEE) marquee = child;
    ASSERT_NE(marquee, nullptr);
    // Moving: the picture changes within a bounded wait.
    std::vector<uint32_t> before = Pixels(marquee);
    EXPECT_TRUE(PollUntil([&] { return Pixels(marquee) != before; }, 5000));
    ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
    box = app.WaitForBox("Marquee");
    ASSERT_NE(box, nullptr);
    // Stopped: the picture stays over several of its 20 ms periods.
    before = Pixels(marquee);
    EXPECT_FALSE(PollUntil([&] { return Pixels(marquee) != before; }, 500));
    ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
    e2e::ExpectBoxesThenExit(app, "Result",
                             {"idle=00000 create=10 initial=0,100,0 delta=250,350 range=0,1000 clamped=1000 "
                              "scroll=1 range=0,100 pos=40,100 big=-5,200000,150000 slider=1 k=10,90,3,20,50 "
                              "tics=4,30,60,-1,2 kclamp=90 gone=0"});
  }
}

// ---- A person's input -------------------------------------------------------------------------

// Controls from a description, driven as a person does: text typed into
// the RichEdit (its change, focus and mouse-record events), the Scroll's thumb dragged
// over a range of 0-200000 to its end (each change reported by event 8 with
// its 32-bit position), and the Slider's thumb dragged (event 16 for every
// step and once at the end). The test asks for the report by posting the
// Dialog's user message.
TEST(RichEditClasses, TypingScrollingAndDraggingReachTheEvents) {
  const std::string description =
      "TAVRIN DIALOG 1.0.0.0\r\n\r\n"
      "[DIALOG]\r\nCAPTION=InputHost\r\nPOSITION=0 0 420 260\r\nSTYLE=WS_VISIBLE WS_CAPTION\r\n\r\n"
      "[RICHEDIT]\r\nID=1\r\nNAME=Text\r\nCAPTION=\r\nPOSITION=10 10 300 60\r\nSTYLE=WS_VISIBLE\r\n\r\n"
      "[SCROLL]\r\nID=3\r\nNAME=Bar\r\nPOSITION=10 90 380 20\r\nSTYLE=WS_VISIBLE\r\n\r\n"
      "[SLIDER]\r\nID=4\r\nNAME=Knob\r\nPOSITION=10 130 300 40\r\nSTYLE=WS_VISIBLE\r\n\r\n"
      "[PROGRESS]\r\nID=5\r\nNAME=Done\r\nPOSITION=10 190 300 20\r\nSTYLE=WS_VISIBLE\r\n"
      "PROGRESS_MINVALUE=0\r\nPROGRESS_MAXVALUE=100\r\nPROGRESS_VALUE=10\r\n\r\n";
  const char program[] =
      "class Application\n"
      "  Dialog d new\n"
      "  RichEdit e\n"
      "  Scroll s\n"
      "  Slider k\n"
      "  Progress p\n"
      "  String log\n"
      "  String mice\n"
      "  Integer changes\n"
      "  Integer focus\n"
      "  Integer scrolls\n"
      "  Integer last\n"
      "  Integer second\n"
      "  Integer slides\n"
      "  Integer slidAt\n"
      "function Void _00000000()\n"
      "  log=\"load=\"+d.Dialog.65(\"in\",this)\n"
      "  e=d.Dialog.25(\"Text\")\n"
      "  s=d.Dialog.25(\"Bar\")\n"
      "  k=d.Dialog.25(\"Knob\")\n"
      "  p=d.Dialog.25(\"Done\")\n"
      "  s.Scroll.5(0,200000)\n"
      "  k.Slider.12(0,100)\n"
      "  k.Slider.14(50)\n"
      "  log+=\" made=\"+p.Progress.5()\n"
      "  p.Progress.10(40)\n"
      "  log+=\",\"+s.Scroll.2()+\",\"+k.Slider.8()+\",\"+p.Progress.5()+\",\"+e.RichEdit.6()\n"
      "message Void RichEdit.24(Integer code, Integer x, Integer y, Integer sx, Integer sy)\n"
      "  mice+=\" r\"+code+\":\"+x+\",\"+y\n"
      "message Void Scroll.7(Integer code, Integer x, Integer y, Integer sx, Integer sy)\n"
      "  mice+=\" s\"+code\n"
      "message Void Slider.15(Integer code, Integer x, Integer y, Integer sx, Integer sy)\n"
      "  mice+=\" k\"+code\n"
      "message Void RichEdit.25()\n"
      "  changes+=1\n"
      "message Void RichEdit.26(Integer lost)\n"
      "  if lost==0\n"
      "    focus+=1\n"
      "  end\n"
      "message Void Scroll.8(Integer position, Integer zero)\n"
      "  scrolls+=1\n"
      "  last=position\n"
      "  second=zero\n"
      "message Void Slider.16()\n"
      "  slides+=1\n"
      "  slidAt=k.Slider.8()\n"
      "message Void Dialog.136(Integer a, Integer b)\n"
      "  e.RichEdit.18()\n"
      "  log+=\" text=\"+e.RichEdit.9()+\" changes=\"+changes+\" focus=\"+focus\n"
      "  log+=\" scroll=\"+s.Scroll.4()+\",\"+last+\",\"+second+\",\"+(scrolls>1)\n"
      "  log+=\" slides=\"+slides+\" slider=\"+k.Slider.8()+\",\"+slidAt\n"
      "  log+=\" mice=\"+mice\n"
      "  Global.33(log,\"Result\")\n"
      "  Global.35()\n";
  e2e::PackedApp app("RichEditInput");
  app.AddResource("dialog\\in", description);
  std::string error;
  ASSERT_TRUE(app.Pack(program, true, &error)) << error;
  ASSERT_TRUE(app.Start());
  HWND host = WaitForDialog(app.ProcessId(), "InputHost", e2e::PackedApp::kBoxTimeout);
  ASSERT_NE(host, nullptr);
  HWND text = FindControl(host, 1), bar = FindControl(host, 3), knob = FindControl(host, 4);
  ASSERT_NE(text, nullptr);
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(knob, nullptr);
  // The constructor has set the ranges once the bar answers its new one.
  ASSERT_TRUE(PollUntil([&] { return SendMessageA(knob, TBM_GETPOS, 0, 0) == 50; }, 30000));
  SetForegroundWindow(host);
  ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == host; }, 5000));

  ASSERT_TRUE(ClickAt(text, 20, 20));
  GUITHREADINFO gui = {sizeof gui};
  DWORD thread = GetWindowThreadProcessId(host, nullptr);
  ASSERT_TRUE(PollUntil([&] { return GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == text; }, 5000))
      << gui.hwndFocus << " " << text << " fg " << (GetForegroundWindow() == host);
  for (char c : std::string("TYPED")) PressKey(WORD(c));  // the letter keys, unshifted
  ASSERT_TRUE(PollUntil([&] { return ControlText(text) == "typed"; }, 10000)) << ControlText(text);

  // The scroll thumb from its start to the bar's right arrow, staying on
  // the bar (a thumb dragged far off it goes back where it was). The arrows
  // are as wide as the bar is high.
  RECT barClient = ClientRect(bar);
  int arrow = barClient.bottom, middle = barClient.bottom / 2;
  ASSERT_TRUE(Drag(bar, {arrow + 2, middle}, {barClient.right - arrow - 1, middle}, 12));
  ASSERT_TRUE(PollUntil([&] { return SendMessageA(bar, SBM_GETPOS, 0, 0) == 200000; }, 5000))
      << SendMessageA(bar, SBM_GETPOS, 0, 0);

  // The slider's thumb, halfway along and near the top of a horizontal
  // slider, to the right.
  RECT knobClient = ClientRect(knob);
  POINT grip = {knobClient.right / 2, 15};
  ASSERT_TRUE(Drag(knob, grip, {grip.x + 100, grip.y}, 6));
  ASSERT_TRUE(PollUntil([&] { return SendMessageA(knob, TBM_GETPOS, 0, 0) > 55; }, 5000));
  int slid = int(SendMessageA(knob, TBM_GETPOS, 0, 0));

  PostMessageA(host, 0x83E8, 1, 2);  // the Dialog's user message: event 136
  HWND box = app.WaitForBox("Result");
  ASSERT_NE(box, nullptr);
  std::string report = appboxes::ReadBox(box).text;
  EXPECT_EQ(report.rfind("load=1 made=10,200000,50,40,0 text=typed changes=5 focus=1 scroll=200000,200000,0,1", 0), 0u)
      << report;
  // Every tracking step and the end: more events than the one a click gives.
  size_t at = report.find(" slides=");
  ASSERT_NE(at, std::string::npos) << report;
  EXPECT_GE(std::atoi(report.c_str() + at + 8), 3) << report;
  EXPECT_NE(report.find(" slider=" + std::to_string(slid) + "," + std::to_string(slid)), std::string::npos) << report;
  // The mouse records: the rich edit's release where it was clicked (its
  // press goes to the control alone), the presses on the bars.
  for (const char* record : {" r17:20,20", " s9", " k9"})
    EXPECT_NE(report.find(record, report.find(" mice=")), std::string::npos) << record << " in " << report;
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(app.WaitForExit(&code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
