// The ExList and Tab classes as applications use them: packed programs
// that make the controls in code and from a dialog description, call their
// members and report what they answered; and one program driven as a
// person does, with label edits typed through SendInput, clicks on a
// column header and a tab, and keys, and with the pixels of an image list
// checked while the ImageList object that made it is replaced and released.
//
// The programs that need no input start together; the driven one runs
// alone, so that no other window takes its focus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/DialogHarness.h"
#include "tests/e2e/PackedApp.h"
#include "tests/window/ScreenshotTesting.h"
#include "tools/AppBoxes.h"

namespace {

using namespace e2e::dialogs;

// ---- The sort as a table --------------------------------------------------------------------

// Seven rows of three columns: names in mixed case; texts of numbers with
// blanks inside, exponents, signs and texts that begin with no number.
const char* const kRows[][3] = {
    {"apple", "1 000", "-1.5"}, {"Banana", "20", "inf"}, {"cherry", "3", "7"},  {"Date", "abc", "2.5e1"},
    {"elder", "-5", "1e"},      {"Fig", "2 5", "-3"},    {"grape", "1e1", "+2"},
};

struct SortCase {
  const char* args;  // of function 44
  int shown;         // the column read back
  const char* order;
};

const SortCase kSorts[] = {
    // Numbers: blanks are dropped ("2 5" is 25, "1 000" a thousand), a
    // text without a number counts 0.
    {"1,1,0,1", 1, "-5;abc;3;1e1;20;2 5;1 000;"},
    {"1,0,0,1", 1, "1 000;2 5;20;1e1;3;abc;-5;"},
    // The same texts as text.
    {"1,1,0,0", 1, "-5;1 000;1e1;2 5;20;3;abc;"},
    {"1,0,1,0", 1, "abc;3;20;2 5;1e1;1 000;-5;"},
    // Case decides byte-wise only when asked for.
    {"0,1,1,0", 0, "Banana;Date;Fig;apple;cherry;elder;grape;"},
    {"0,1,0,0", 0, "apple;Banana;cherry;Date;elder;Fig;grape;"},
    {"0,0,0,0", 0, "grape;Fig;elder;Date;cherry;Banana;apple;"},
    {"0,0,1,0", 0, "grape;elder;cherry;apple;Fig;Date;Banana;"},
    // Only decimal numbers are read: "inf" is no number, "1e" is 1, signs
    // and fractions count; the rows move whole.
    {"2,1,0,1", 2, "-3;-1.5;inf;1e;+2;7;2.5e1;"},
    {"2,1,0,1", 0, "Fig;apple;Banana;elder;grape;cherry;Date;"},
    // The defaults: ascending text without case.
    {"2", 2, "+2;-1.5;-3;1e;2.5e1;7;inf;"},
};

std::string SortProgramLines() {
  std::string lines;
  for (const auto& row : kRows) {
    lines += std::string("  i=x.ExList.33(\"") + row[0] + "\")\n";
    lines += std::string("  x.ExList.41(i,\"") + row[1] + "\",1)\n";
    lines += std::string("  x.ExList.41(i,\"") + row[2] + "\",2)\n";
  }
  // Sorting changes no item as the user sees items: no event 57.
  lines += "  changes=0\n";
  for (const SortCase& s : kSorts)
    lines += std::string("  log+=\" s\"+x.ExList.44(") + s.args + ")+Texts(" + std::to_string(s.shown) + ")\n";
  lines += "  log+=\" changes=\"+changes\n";
  return lines;
}

std::string SortExpected() {
  std::string text;
  for (const SortCase& s : kSorts) text += std::string(" s1") + s.order;
  return text + " changes=0";
}

// ---- Programs without input -------------------------------------------------------------------

// Ranges past the end and before the start, deleting the selection with
// and without a next selection, columns, texts cut at 511 characters,
// search, geometry, colours, images; an icon view without columns; and an
// object without a window, which answers -1 where the function says
// "none" and nothing elsewhere.
std::string ExListMembersProgram() {
  return "class Application\n"
         "  Dialog d new\n"
         "  ExList x new\n"
         "  ExList v new\n"
         "  ExList none new\n"
         "  Rectangle r new\n"
         "  Rectangle q new\n"
         "  Point p new\n"
         "  Color c new\n"
         "  IntegerArray a new\n"
         "  String log\n"
         "  Integer changes\n"
         "function String Texts(Integer column)\n"
         "  String s\n"
         "  Integer i\n"
         "  for i=0;i<x.ExList.16();i++\n"
         "    s+=x.ExList.23(i,column)+\";\"\n"
         "  end\n"
         "  return s\n"
         "function String Selected()\n"
         "  String s\n"
         "  Integer i\n"
         "  Integer n\n"
         "  a.IntegerArray.18()\n"
         "  n=x.ExList.11(a)\n"
         "  for i=0;i<n;i++\n"
         "    s+=a.IntegerArray.5(i)+\",\"\n"
         "  end\n"
         "  return \"[\"+s+\"]\"\n"
         "function Void _00000000()\n"
         "  Integer i\n"
         "  String long\n"
         "  r.Rectangle.17(0,0,420,320)\n"
         "  d.Dialog.70(r,\"ExListMembers\")\n"
         "  log=\"none=\"+none.ExList.6()+none.ExList.10(\"a\")+none.ExList.18(1,1)+none.ExList.24()\n"
         "  log+=\"\"+none.ExList.26()+none.ExList.28(1,1)+none.ExList.31()+none.ExList.32(\"a\")+none.ExList.33()\n"
         "  log+=\",\"+none.ExList.16()+none.ExList.2()+none.ExList.23(0)+\".\"\n"
         "  r.Rectangle.17(5,5,400,300)\n"
         "  log+=\" create=\"+x.ExList.3(d,r,\"\",\"WS_VISIBLE LVS_REPORT LVS_SHOWSELALWAYS\")+x.ExList.3(d,r)\n"
         "  log+=\" cols=\"+x.ExList.32(\"Name\",90)+x.ExList.32(\"Size\",80,-1,ExList.ALIGN_RIGHT)\n"
         "  log+=\"\"+x.ExList.32(\"Extra\",70,99,7)+x.ExList.13()+x.ExList.14(2)\n" +
         SortProgramLines() +
         "  x.ExList.0(2,100)\n"
         "  log+=\" r1=\"+Selected()+x.ExList.25()\n"
         "  x.ExList.42(-1)\n"
         "  x.ExList.0(5)\n"
         "  log+=\" r2=\"+Selected()\n"
         "  x.ExList.42(-1)\n"
         "  x.ExList.0(7)\n"
         "  x.ExList.0(-1,3)\n"
         "  log+=\" r3=\"+Selected()\n"
         "  x.ExList.0(0,2)\n"
         "  x.ExList.45(1,100)\n"
         "  log+=\" r4=\"+Selected()\n"
         "  x.ExList.46(0,3)\n"
         "  log+=\" r5=\"+Selected()\n"
         "  x.ExList.46(6,5)\n"
         "  x.ExList.45(9)\n"
         "  x.ExList.46(-2)\n"
         "  x.ExList.45(7,1)\n"
         "  log+=\" r6=\"+Selected()\n"
         "  x.ExList.42(3)\n"
         "  log+=\" one=\"+Selected()+x.ExList.26()\n"
         "  log+=\" find=\"+x.ExList.10(\"FIG\")+x.ExList.10(\"1E1\",1)+x.ExList.10(\"zzz\")+x.ExList.10(\"Fig\",-1)\n"
         "  log+=x.ExList.10(\"Fig\",3)\n"
         "  for i=0;i<600;i++\n"
         "    long+=\"w\"\n"
         "  end\n"
         "  log+=\" long=\"+x.ExList.41(0,long,2)\n"
         "  long=x.ExList.23(0,2)\n"
         "  log+=long.String.9()\n"
         "  log+=\" titles=\"+x.ExList.36(2,\"More\")+x.ExList.14(2)+x.ExList.14(7)+\".\"\n"
         "  log+=\" widths=\"+x.ExList.15(2)+\",\"+x.ExList.15(3)+\",\"+x.ExList.37(0,120)+x.ExList.15(0)\n"
         "  log+=\",\"+x.ExList.37(2,-1)+(x.ExList.15(2)>0)+(x.ExList.30(\"wide text\")>x.ExList.30(\"w\"))\n"
         "  log+=\" rect=\"+x.ExList.21(1,q)+(q.Rectangle.13()>100)+x.ExList.27(1,1,q)+q.Rectangle.7()\n"
         "  x.ExList.21(1,q)\n"
         "  log+=\" hit=\"+x.ExList.18(10,q.Rectangle.10()+2)+x.ExList.28(130,q.Rectangle.10()+2)\n"
         "  log+=\"\"+x.ExList.18(-5,-5)+x.ExList.20(1,p)+(p.Point.2()>0)+x.ExList.20(1,null)\n"
         "  log+=\" walk=\"+x.ExList.24(0)+x.ExList.24(6)+x.ExList.31()+x.ExList.9(6)+(x.ExList.17()>0)\n"
         "  log+=\" image=\"+x.ExList.33(\"img\",1,2)+x.ExList.19(1)\n"
         "  x.ExList.39(1,5)\n"
         "  log+=\"\"+x.ExList.19(1)+x.ExList.19(99)+x.ExList.5(1)+x.ExList.5(99)\n"
         "  c.Color.26(255)\n"
         "  x.ExList.35(c)\n"
         "  c.Color.26(0)\n"
         "  log+=\" colors=\"+x.ExList.12(c)+c.Color.11()\n"
         "  c.Color.26(65280)\n"
         "  x.ExList.43(c)\n"
         "  c.Color.26(0)\n"
         "  log+=\",\"+x.ExList.29(c)+c.Color.11()+x.ExList.12(null)\n"
         "  x.ExList.42(-1)\n"
         "  x.ExList.0(2,2)\n"
         "  log+=\" del=\"+x.ExList.6(1)+Selected()+x.ExList.26()+x.ExList.16()+Texts(0)\n"
         "  x.ExList.42(4)\n"
         "  log+=\" last=\"+x.ExList.6(1)+Selected()+x.ExList.16()+x.ExList.6()\n"
         "  log+=\" dropcol=\"+x.ExList.4(2)+x.ExList.13()+x.ExList.4(5)\n"
         "  x.ExList.34()\n"
         "  log+=\" empty=\"+x.ExList.16()+x.ExList.26()+x.ExList.24(0)\n"
         "  log+=\" icon=\"+v.ExList.3(d,r,\"\",\"LVS_ICON\")+v.ExList.33(\"a\")+v.ExList.13()+v.ExList.10(\"a\")\n"
         "  log+=v.ExList.15(0)\n"
         "  x.ExList.7()\n"
         "  log+=\" gone=\"+x.ExList.16()+x.ExList.33(\"z\")\n"
         "  Global.33(log,\"Result\")\n"
         "  Global.35()\n"
         "message Void ExList.57(Integer item)\n"
         "  changes++\n";
}

std::string ExListMembersExpected() {
  return "none=-1-1-1-1-1-1-1-1-1,00. create=10 cols=0123Extra" + SortExpected() +
         " r1=[2,3,4,5,6,]5 r2=[5,6,] r3=[] r4=[0,] r5=[1,2,] r6=[1,2,6,] one=[3,]3"
         " find=20-1-1-1 long=1511 titles=1More. widths=70,-1,1120,111"
         // The second column starts where the first, now 120 wide, ends.
         " rect=111120 hit=11-1110 walk=1-1011 image=125-110 colors=1255,1652800"
         // Rows 2 and 3 of the last order deleted; the row that moved to 2
         // is selected. Then the last row, after which none is.
         " del=2[2,]25grape;apple;Date;cherry;Banana; last=1[]40 dropcol=120 empty=0-1-1 icon=100-1-1 gone=0-1";
}

// A tab with pages made in code; controls attached to them and shown by
// function 14, which raises no event 20; controls destroyed while attached
// (their Destroy function, their object released, their dialog closed)
// and a page change afterwards, which leaves a control made later alone.
const char* const kTabMembersProgram =
    "class Application\n"
    "  Dialog d new\n"
    "  Dialog o new\n"
    "  Tab t new\n"
    "  Tab none new\n"
    "  Button b new\n"
    "  ExList e new\n"
    "  ExList g new\n"
    "  Button k\n"
    "  Button w new\n"
    "  Button late new\n"
    "  Rectangle r new\n"
    "  Rectangle q new\n"
    "  String log\n"
    "  Integer changes\n"
    "function String Shown()\n"
    "  return \"\"+b.Control.28()+e.Control.28()+w.Control.28()+late.Control.28()\n"
    "function Void _00000000()\n"
    "  r.Rectangle.17(0,0,400,300)\n"
    "  d.Dialog.70(r,\"TabMembers\")\n"
    "  r.Rectangle.17(420,0,700,200)\n"
    "  o.Dialog.70(r,\"TabOther\")\n"
    "  log=\"none=\"+none.Tab.7()+none.Tab.9(\"x\")+none.Tab.4()+none.Tab.10(0,b)\n"
    "  r.Rectangle.17(5,5,380,280)\n"
    "  log+=\" create=\"+t.Tab.1(d,r)+t.Tab.1(d,r)\n"
    "  log+=\" ins=\"+t.Tab.9(\"Two\")+t.Tab.9(\"One\",0)+t.Tab.9(\"Three\")+t.Tab.4()\n"
    "  log+=\" texts=\"+t.Tab.5(0)+\",\"+t.Tab.5(1)+\",\"+t.Tab.5(2)+\",\"+t.Tab.5(3)+\",\"+t.Tab.5(-1)+\".\"\n"
    "  log+=\" sel=\"+t.Tab.7()+t.Tab.8()\n"
    "  r.Rectangle.17(30,40,120,70)\n"
    "  b.Button.0(d,r,\"B\")\n"
    "  e.ExList.3(d,r)\n"
    "  g.ExList.3(d,r)\n"
    "  w.Button.0(o,r,\"W\")\n"
    "  k=new Button\n"
    "  k.Button.0(d,r,\"K\")\n"
    "  t.Tab.0(0,b)\n"
    "  t.Tab.0(0,b)\n"
    "  t.Tab.0(1,e)\n"
    "  t.Tab.0(1,g)\n"
    "  t.Tab.0(1,k)\n"
    "  t.Tab.0(1,w)\n"
    "  t.Tab.0(5,e)\n"
    "  t.Tab.0(1,null)\n"
    "  log+=\" attached=\"+Shown()\n"
    "  t.Tab.14(1)\n"
    "  log+=\" p1=\"+Shown()+t.Tab.7()+t.Tab.8()+g.Control.28()+k.Control.28()\n"
    "  log+=\" det=\"+t.Tab.10(0,e)+t.Tab.10(1,e)+t.Tab.10(1,e)+t.Tab.10(1,null)+t.Tab.10(7,b)\n"
    "  t.Tab.14(0)\n"
    "  log+=\" p0=\"+Shown()+g.Control.28()+k.Control.28()\n"
    "  t.Tab.0(1,b)\n"
    "  t.Tab.14(1)\n"
    "  log+=\" both=\"+Shown()\n"
    "  t.Tab.10(1,b)\n"
    "  g.ExList.7()\n"
    "  delete k\n"
    "  o.Dialog.3()\n"
    "  late.Button.0(d,r,\"L\")\n"
    "  t.Tab.14(1)\n"
    "  log+=\" gone=\"+Shown()+t.Tab.7()\n"
    "  t.Tab.14(0)\n"
    "  log+=\" back=\"+Shown()\n"
    "  t.Tab.0(1,late)\n"
    "  t.Tab.14(0)\n"
    "  log+=\" late=\"+Shown()+\" changes=\"+changes\n"
    "  log+=\" area=\"+t.Tab.3(q)+(q.Rectangle.10()>10)+(q.Rectangle.2()>q.Rectangle.10())+(q.Rectangle.7()<10)\n"
    "  t.Tab.12(1,\"Deux\")\n"
    "  t.Tab.12(9,\"x\")\n"
    "  log+=\" set=\"+t.Tab.5(1)+t.Tab.4()\n"
    "  t.Tab.14(2)\n"
    "  log+=\" third=\"+Shown()+t.Tab.8()\n"
    "  t.Tab.11()\n"
    "  t.Tab.9(\"New\")\n"
    "  t.Tab.14(0)\n"
    "  log+=\" cleared=\"+t.Tab.4()+Shown()\n"
    "  t.Tab.2()\n"
    "  log+=\" destroyed=\"+t.Tab.7()+t.Tab.4()+b.Control.28()\n"
    "  Global.33(log,\"Result\")\n"
    "  Global.35()\n"
    "message Void Tab.20(Integer page)\n"
    "  changes++\n";

const char* const kTabMembersExpected =
    "none=-1-100 create=10 ins=0023 texts=One,Two,Three,,. sel=1Two attached=1110"
    " p1=01101Two11 det=01000 p0=110000 both=1110 gone=01011 back=1101 late=1100 changes=0"
    " area=1111 set=Deux3 third=0100Three cleared=10100 destroyed=-100";

// A description's list and tab: their objects answer as those made in
// code, the list shows on its page, and after the dialog closes the
// objects have no window.
std::string DescriptionText() {
  return "TAVRIN DIALOG 1.0.0.0\r\n\r\n"
         "[DIALOG]\r\nCAPTION=ExListTabDescription\r\nPOSITION=0 0 360 220\r\nSTYLE=WS_VISIBLE WS_CAPTION\r\n\r\n"
         "[EXTENDEDLIST]\r\nID=3\r\nNAME=List\r\nPOSITION=10 40 150 120\r\nSTYLE=WS_VISIBLE LVS_REPORT\r\n\r\n"
         "[TAB]\r\nID=4\r\nNAME=Pages\r\nPOSITION=5 5 340 200\r\nSTYLE=WS_VISIBLE\r\n\r\n";
}

const char* const kDescriptionProgram =
    "class Application\n"
    "  Dialog d new\n"
    "  ExList l\n"
    "  Tab p\n"
    "  String log\n"
    "function Void _00000000()\n"
    "  d.Dialog.65(\"pair\",this)\n"
    "  l=d.Dialog.25(\"List\")\n"
    "  p=d.Dialog.25(\"Pages\")\n"
    "  log=\"cols=\"+l.ExList.32(\"A\")+l.ExList.32(\"B\")+l.ExList.13()\n"
    "  l.ExList.33(\"10\")\n"
    "  l.ExList.33(\"9\")\n"
    "  l.ExList.33(\"100\")\n"
    "  log+=\" sort=\"+l.ExList.44(0,0,0,1)+l.ExList.23(0)+\",\"+l.ExList.23(1)+\",\"+l.ExList.23(2)\n"
    "  log+=\" pages=\"+p.Tab.9(\"a\")+p.Tab.9(\"b\")+p.Tab.4()\n"
    "  p.Tab.0(1,l)\n"
    "  p.Tab.14(0)\n"
    "  log+=\" shown=\"+l.Control.28()\n"
    "  p.Tab.14(1)\n"
    "  log+=l.Control.28()\n"
    "  d.Dialog.3()\n"
    "  log+=\" closed=\"+l.ExList.16()+l.ExList.33(\"z\")+p.Tab.7()+p.Tab.4()\n"
    "  Global.33(log,\"Result\")\n"
    "  Global.35()\n";

TEST(ExListTabClasses, ProgramsCallTheMembers) {
  e2e::AppBatch batch;
  batch.Start("ExListMembers", ExListMembersProgram());
  batch.Start("TabMembers", kTabMembersProgram);
  batch.Start("ExListTabDescription", kDescriptionProgram, {{"dialog\\pair", DescriptionText()}});
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"ExListMembers", ExListMembersExpected()},
      {"TabMembers", kTabMembersExpected},
      {"ExListTabDescription", "cols=012 sort=1100,10,9 pages=012 shown=01 closed=0-1-10"},
  };
  for (const auto& [name, text] : expected) {
    SCOPED_TRACE(name);
    ASSERT_EQ(batch.Error(name), "");
    e2e::ExpectBoxesThenExit(*batch.Find(name), "Result", {text});
  }
}

// ---- The driven program ----------------------------------------------------------------------

HWND ChildOfClass(HWND parent, const char* className) { return FindWindowExA(parent, nullptr, className, nullptr); }

// How many pixels of the list's items area are pure red (the image list's
// one picture).
int RedPixels(HWND list) {
  RECT area = ClientRect(list);
  return Screenshot(list).Count(list, area, RGB(255, 0, 0));
}

// An edit box's text: GetWindowText reads only the caption of another
// process's window, WM_GETTEXT the edit's contents.
std::string EditText(HWND edit) {
  char text[256] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                           &copied))
    return "";
  return std::string(text, size_t(copied));
}

// The window with the keyboard focus in the dialog's thread.
HWND FocusOf(HWND dialog) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

// The caption carries the program's log, so that each step can be waited
// for.
bool WaitForLog(HWND dialog, const std::string& part) {
  return PollUntil([&] { return ReadText(dialog).find(part) != std::string::npos; }, 10000);
}

// A list whose label edits are typed (refused by event 50 for "no",
// accepted otherwise, cancelled with Escape, refused at the start by event
// 47), whose header is clicked (56), which hears keys (52) and reports
// focus, the mouse and item changes (51, 53, 55, 57); it draws a
// red image from an image list that the ImageList object then replaces
// and releases, and draws it on until function 38 removes it. Beside it a
// tab whose page is changed by function 14 (no event 20) and by a click on
// a tab (event 20 after the page's controls are shown).
const char* const kInputProgram =
    "class Application\n"
    "  Dialog d new\n"
    "  ExList x new\n"
    "  Tab t new\n"
    "  Button b new\n"
    "  ExList y new\n"
    "  ImageList il\n"
    "  Image red new\n"
    "  Color c new\n"
    "  Rectangle r new\n"
    "  String log\n"
    "  Integer refuse\n"
    "  Integer changed\n"
    "  String seen\n"
    "function Void Note(String s)\n"
    "  log+=s\n"
    "  d.Dialog.84(log)\n"
    "function Void _00000000()\n"
    "  r.Rectangle.17(0,0,600,300)\n"
    "  d.Dialog.70(r,\"ExListInput\")\n"
    "  r.Rectangle.17(10,10,270,250)\n"
    "  x.ExList.3(d,r,\"\",\"WS_VISIBLE WS_BORDER LVS_REPORT LVS_EDITLABELS LVS_SHOWSELALWAYS\")\n"
    "  x.ExList.32(\"Name\",100)\n"
    "  x.ExList.32(\"Size\",80)\n"
    "  x.ExList.33(\"alpha\",-1,0)\n"
    "  x.ExList.33(\"beta\")\n"
    "  x.ExList.33(\"gamma\")\n"
    "  il=new ImageList\n"
    "  il.ImageList.11(16,16)\n"
    "  red.Image.25(16,16)\n"
    "  c.Color.26(255)\n"
    "  red.Image.5(c)\n"
    "  il.ImageList.0(red)\n"
    "  x.ExList.38(il,1)\n"
    "  r.Rectangle.17(290,10,580,250)\n"
    "  t.Tab.1(d,r)\n"
    "  t.Tab.9(\"One\")\n"
    "  t.Tab.9(\"Two\")\n"
    "  r.Rectangle.17(310,60,400,90)\n"
    "  b.Button.0(d,r,\"B\")\n"
    "  r.Rectangle.17(310,100,500,200)\n"
    "  y.ExList.3(d,r)\n"
    "  t.Tab.0(0,b)\n"
    "  t.Tab.0(1,y)\n"
    "  t.Tab.14(1)\n"
    "  x.Control.44()\n"
    "  Note(\" ready\"+b.Control.28()+y.Control.28())\n"
    "message Void ExList.56(Integer column)\n"
    "  Note(\" col\"+column)\n"
    "message Void ExList.48(Integer code, Integer x, Integer y, Integer sx, Integer sy)\n"
    "  if code==33\n"
    "    Note(\" click\")\n"
    "  end\n"
    "message Integer ExList.47(Integer item)\n"
    "  log+=\" b\"+item\n"
    "  return refuse\n"
    "message Integer ExList.50(Integer item, String was, String now)\n"
    "  Note(\" e\"+item+\":\"+was+\">\"+now)\n"
    "  if now==\"no\"\n"
    "    return 1\n"
    "  end\n"
    "  return 0\n"
    "message Void ExList.49(Integer item)\n"
    "  Note(\" c\"+item)\n"
    "message Void ExList.52(Integer key)\n"
    "  log+=\" k\"+key\n"
    "  if key==116\n"
    "    log+=\" edit=\"+x.ExList.8(0)\n"
    "  end\n"
    "  if key==117\n"
    "    refuse=1\n"
    "    log+=\" edit=\"+x.ExList.8(1)\n"
    "    refuse=0\n"
    "  end\n"
    "  if key==118\n"
    "    il.ImageList.11(16,16)\n"
    "    x.Control.34()\n"
    "    log+=\" replaced\"+il.ImageList.4()\n"
    "  end\n"
    "  if key==119\n"
    "    delete il\n"
    "    x.Control.34()\n"
    "    log+=\" released\"\n"
    "  end\n"
    "  if key==120\n"
    "    x.ExList.38(null,1)\n"
    "    x.Control.34()\n"
    "    log+=\" removed\"\n"
    "  end\n"
    "  if key==122\n"
    "    Global.33(log+\" |\"+x.ExList.23(0)+\",\"+x.ExList.23(1)+\" changed=\"+(changed>0)+\" |\"+seen,\"Result\")\n"
    "    Global.35()\n"
    "  end\n"
    "  Note(\".\")\n"
    "message Void ExList.51(Integer lost)\n"
    "  seen+=\" f\"+lost\n"
    "message Void ExList.53(Integer x, Integer y)\n"
    "  seen+=\" in\"\n"
    "message Void ExList.55(Integer x, Integer y)\n"
    "  if seen.String.9()<60\n"
    "    seen+=\" mv\"\n"
    "  end\n"
    "message Void ExList.57(Integer item)\n"
    "  changed++\n"
    "message Void Tab.20(Integer page)\n"
    "  Note(\" p\"+page+\"v\"+b.Control.28()+y.Control.28())\n";

TEST(ExListTabClasses, ListAndTabAsAPersonUsesThem) {
  e2e::PackedApp app("ExListInput");
  std::string error;
  ASSERT_TRUE(app.Pack(kInputProgram, true, &error)) << error;
  ASSERT_TRUE(app.Start());
  // The caption is the log, and the constructor writes its first entry at
  // once: a dialog that started fast never shows its first caption to a
  // test that polls.
  HWND dialog = WaitForDialog(app.ProcessId(), " ready01", e2e::PackedApp::kBoxTimeout);
  ASSERT_NE(dialog, nullptr);
  HWND list = ChildOfClass(dialog, "SysListView32");
  HWND header = list ? ChildOfClass(list, "SysHeader32") : nullptr;
  HWND tab = ChildOfClass(dialog, "SysTabControl32");
  ASSERT_NE(list, nullptr);
  ASSERT_NE(header, nullptr);
  ASSERT_NE(tab, nullptr);
  SetForegroundWindow(dialog);
  ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == dialog; }, 5000));
  EXPECT_TRUE(PollUntil([&] { return RedPixels(list) > 50; }, 5000)) << "the image is not drawn";

  // A click on the second column's header; then one on an item, which
  // gives the list the keys.
  ASSERT_TRUE(ClickAt(header, 130, 8));
  ASSERT_TRUE(WaitForLog(dialog, " col1"));
  RECT client = ClientRect(list);
  ASSERT_TRUE(ClickAt(list, 150, client.bottom - 20));
  ASSERT_TRUE(WaitForLog(dialog, " click"));

  // F5 edits item 0: "no" is refused by event 50, "delta" kept; then an
  // edit left with Escape; F6 asks for an edit that event 47 refuses.
  auto edit = [&](const char* typed, WORD end, const std::string& logged) {
    PressKey(VK_F5);
    ASSERT_TRUE(PollUntil([&] { return ChildOfClass(list, "Edit") != nullptr; }, 10000)) << typed;
    HWND box = ChildOfClass(list, "Edit");
    ASSERT_TRUE(PollUntil([&] { return FocusOf(dialog) == box; }, 5000));
    TypeText(typed);
    ASSERT_TRUE(PollUntil([&] { return EditText(box) == typed; }, 5000)) << EditText(box);
    PressKey(end);
    ASSERT_TRUE(WaitForLog(dialog, logged)) << ReadText(dialog);
    ASSERT_TRUE(PollUntil([&] { return ChildOfClass(list, "Edit") == nullptr; }, 5000));
  };
  edit("no", VK_RETURN, " e0:alpha>no");
  edit("delta", VK_RETURN, " e0:alpha>delta");
  edit("x", VK_ESCAPE, " c0");
  PressKey(VK_F6);
  ASSERT_TRUE(WaitForLog(dialog, " k117 b1 edit=0."));
  PressKey(VK_DOWN);
  ASSERT_TRUE(WaitForLog(dialog, " k40."));

  // The image list the object lets go of is still the one drawn from, and
  // still alive, until the list takes another.
  PressKey(VK_F7);
  ASSERT_TRUE(WaitForLog(dialog, " replaced0."));
  EXPECT_GT(RedPixels(list), 50);
  PressKey(VK_F8);
  ASSERT_TRUE(WaitForLog(dialog, " released."));
  EXPECT_GT(RedPixels(list), 50);
  PressKey(VK_F9);
  ASSERT_TRUE(WaitForLog(dialog, " removed."));
  EXPECT_TRUE(PollUntil([&] { return RedPixels(list) == 0; }, 5000));

  // A click on the first tab: its button shows, the list of page two
  // hides, before event 20 comes.
  ASSERT_TRUE(ClickAt(tab, 15, 10));
  ASSERT_TRUE(WaitForLog(dialog, " p0v10"));

  SetForegroundWindow(dialog);
  ClickAt(list, 150, client.bottom - 20);
  PressKey(VK_F11);
  HWND box = app.WaitForBox("Result");
  ASSERT_NE(box, nullptr);
  std::string text = appboxes::ReadBox(box).text;
  EXPECT_NE(text.find(" k116 b0 edit=1. e0:alpha>no k116 b0 edit=1. e0:alpha>delta k116 b0 edit=1. c0"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(" |delta,beta"), std::string::npos) << text;
  // The list's own window raised focus, mouse and change events.
  EXPECT_NE(text.find(" changed=1 |"), std::string::npos) << text;
  std::string seen = text.substr(text.rfind('|'));
  for (const char* event : {" f0", " f1", " in", " mv"}) EXPECT_NE(seen.find(event), std::string::npos) << event;
  // Function 14 raised no event 20: the one page change is the click's.
  EXPECT_EQ(text.find(" p1"), std::string::npos) << text;
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(app.WaitForExit(&code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
