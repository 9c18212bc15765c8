// The script Dialog as applications use it: packed programs whose
// Application handles the Dialog events, made in code (function 70) or
// from descriptions, closed, run modally, driven by timers, posted
// messages, clicks and keys, and ended from inside a modal run.
//
// The programs that need no input start together; the one driven with
// synthesised input runs alone, so that no other window takes its focus.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/DialogHarness.h"
#include "tests/e2e/PackedApp.h"

namespace {

using namespace e2e::dialogs;

struct DialogProgram {
  const char* name;
  const char* program;
  std::vector<std::string> boxes;
};

const DialogProgram kPrograms[] = {
    // Creation refused by event 114, a close refused (2), accepted (0), and
    // accepted with the end of the application (1). The posted message of
    // function 110 arrives as event 136 only after the constructor has
    // returned, with the first value zero-extended and the second signed.
    {"DialogClose",
     "class Application\n"
     "  Dialog d new\n"
     "  Rectangle r new\n"
     "  String log\n"
     "  String ev\n"
     "  Integer closeAnswer\n"
     "  Integer refuse\n"
     "function Void _00000000()\n"
     "  r.Rectangle.17(40,40,300,200)\n"
     "  refuse=1\n"
     "  log=\"refused=\"+d.Dialog.70(r,\"Events\")+d.Dialog.59()\n"
     "  refuse=0\n"
     "  log+=\" created=\"+d.Dialog.70(r,\"Events\")+d.Dialog.59()\n"
     "  closeAnswer=2\n"
     "  log+=\" kept=\"+d.Dialog.3()+d.Dialog.59()\n"
     "  closeAnswer=0\n"
     "  log+=\" closed=\"+d.Dialog.3()+d.Dialog.59()+d.Dialog.26()\n"
     "  d.Dialog.70(r,\"Events\")\n"
     "  d.Dialog.110(-1,-1)\n"
     "  log+=\" posted\"\n"
     "message Integer Dialog.114()\n"
     "  ev+=\" c\"\n"
     "  return refuse\n"
     "message Integer Dialog.115()\n"
     "  ev+=\" x\"+closeAnswer\n"
     "  return closeAnswer\n"
     "message Void Dialog.136(Integer a, Integer b)\n"
     "  log+=\" user=\"+a+\",\"+b\n"
     "  Global.33(log+\" |\"+ev,\"Result\")\n"
     "  closeAnswer=1\n"
     "  d.Dialog.3()\n",
     {"refused=00 created=11 kept=01 closed=100 posted user=4294967295,-1 | c c x2 x0 c"}},

    // Function 6 disables every other window of the program, function 7
    // only the popup that owns the dialog; event 125 sees the run's text
    // and may refuse it; the timer of function 105 ends each run from
    // inside it with a value, OK or CANCEL, and a stopped timer stays
    // quiet.
    {"DialogModal",
     "class Application\n"
     "  Dialog d new\n"
     "  Dialog o new\n"
     "  Dialog x new\n"
     "  Rectangle r new\n"
     "  String log\n"
     "  String ev\n"
     "  Integer step\n"
     "function Void _00000000()\n"
     "  r.Rectangle.17(60,60,360,260)\n"
     "  o.Dialog.70(r,\"Owner\")\n"
     "  x.Dialog.70(r,\"Other\")\n"
     "  d.Dialog.70(r,\"Modal\",\"WS_CAPTION WS_SYSMENU\",\"\",o)\n"
     "  step=1\n"
     "  d.Dialog.105(30,3)\n"
     "  log=\"run6=\"+d.Dialog.6(\"first\")\n"
     "  step=2\n"
     "  log+=\" refused=\"+d.Dialog.7(\"no\")\n"
     "  step=3\n"
     "  d.Dialog.105(30,4)\n"
     "  log+=\" run7=\"+d.Dialog.7(\"second\")+\" modal=\"+d.Dialog.57()\n"
     "  step=4\n"
     "  d.Dialog.105(30,5)\n"
     "  log+=\" cancel=\"+d.Dialog.6(\"third\")\n"
     "  log+=\" enabled=\"+o.Dialog.54()+x.Dialog.54()\n"
     "  Global.33(log+\" |\"+ev,\"Result\")\n"
     "  Global.35()\n"
     "message Integer Dialog.125(String t)\n"
     "  ev+=\" start:\"+t\n"
     "  if step==2\n"
     "    return 1\n"
     "  end\n"
     "  return 0\n"
     "message Void Dialog.137(Integer id)\n"
     "  ev+=\" t\"+id+\"m\"+d.Dialog.57()+\"o\"+o.Dialog.54()+\"x\"+x.Dialog.54()\n"
     "  d.Dialog.105(0,id)\n"
     "  if step==1\n"
     "    d.Dialog.11(42)\n"
     "  end\n"
     "  if step==3\n"
     "    d.Dialog.13()\n"
     "  end\n"
     "  if step==4\n"
     "    d.Dialog.12()\n"
     "  end\n",
     {"run6=42 refused=0 run7=0 modal=0 cancel=-1 enabled=11 | start:first t3m1o0x0 start:no "
      "start:second t4m1o0x1 start:third t5m1o0x0"}},

    // Global's Exit inside a modal run ends the run and the application:
    // the rest of the handler and of the caller never run, the destructor
    // does, and its box stays up until answered.
    {"DialogExit",
     "class Application\n"
     "  Dialog d new\n"
     "  Rectangle r new\n"
     "  String log\n"
     "function Void _00000000()\n"
     "  r.Rectangle.17(80,80,380,280)\n"
     "  d.Dialog.70(r,\"Exit\")\n"
     "  d.Dialog.110(7)\n"
     "message Void Dialog.136(Integer a, Integer b)\n"
     "  d.Dialog.105(30,1)\n"
     "  log=\"ran\"\n"
     "  d.Dialog.6()\n"
     "  Global.33(\"after the run\",\"Result\")\n"
     "message Void Dialog.137(Integer id)\n"
     "  d.Dialog.105(0,1)\n"
     "  log+=\" exit\"\n"
     "  Global.35()\n"
     "  log+=\" not here\"\n"
     "function Void _00000001()\n"
     "  Global.33(\"destroyed: \"+log+\" visible=\"+d.Dialog.59(),\"Result\")\n",
     {"destroyed: ran exit visible=0"}},

    // The same from a modal run of the constructor, before the application
    // loop has started.
    {"DialogExitEarly",
     "class Application\n"
     "  Dialog d new\n"
     "  Rectangle r new\n"
     "function Void _00000000()\n"
     "  r.Rectangle.17(80,80,380,280)\n"
     "  d.Dialog.70(r,\"Early\")\n"
     "  d.Dialog.105(30,1)\n"
     "  d.Dialog.6()\n"
     "  Global.33(\"after the run\",\"Result\")\n"
     "message Void Dialog.137(Integer id)\n"
     "  d.Dialog.105(0,1)\n"
     "  Global.35()\n"
     "function Void _00000001()\n"
     "  Global.33(\"destroyed early\",\"Result\")\n",
     {"destroyed early"}},

    // Handlers that reload the Dialog (deleting the window whose procedure
    // runs them) and that close it: the router touches the window no more,
    // and the new window works.
    {"DialogReload",
     "class Application\n"
     "  Dialog d new\n"
     "  Rectangle r new\n"
     "  String log\n"
     "function Void _00000000()\n"
     "  r.Rectangle.17(100,100,400,300)\n"
     "  d.Dialog.70(r,\"First\")\n"
     "  d.Dialog.110(1)\n"
     "message Void Dialog.136(Integer a, Integer b)\n"
     "  log+=\" \"+a+d.Dialog.17()\n"
     "  if a==1\n"
     "    d.Dialog.70(r,\"Second\")\n"
     "    d.Dialog.110(2)\n"
     "    return\n"
     "  end\n"
     "  if a==2\n"
     "    d.Dialog.3()\n"
     "    d.Dialog.70(r,\"Third\")\n"
     "    d.Dialog.110(3)\n"
     "    return\n"
     "  end\n"
     "  Global.33(log,\"Result\")\n"
     "  Global.35()\n",
     {" 1First 2Second 3Third"}},
};

TEST(DialogClass, ProgramsHandleTheDialogEvents) {
  e2e::AppBatch batch;
  for (const DialogProgram& p : kPrograms) batch.Start(p.name, p.program);
  for (const DialogProgram& p : kPrograms) {
    SCOPED_TRACE(p.name);
    ASSERT_EQ(batch.Error(p.name), "");
    e2e::ExpectBoxesThenExit(*batch.Find(p.name), "Result", p.boxes);
  }
}

// A dialog as a person meets it: its look against a stored picture, a
// click and keys reaching the Dialog events, the status bar's parts (a part
// outside them reads 0 and "" and is not written), a menu file's command as
// event 133, and the saved placement in the registry.
TEST(DialogClass, ClicksAndKeysReachTheDialog) {
  const char* program =
      "constant CMD_OPEN 0x29\n"
      "class Application\n"
      "  Dialog d new\n"
      "  Rectangle r new\n"
      "  Color c new\n"
      "  String ev\n"
      "function Void _00000000()\n"
      "  r.Rectangle.17(500,400,800,600)\n"
      "  d.Dialog.70(r,\"Input\")\n"
      "  d.Dialog.88(300,150)\n"
      "  c.Color.26(10053171)\n"
      "  d.Dialog.81(c)\n"
      "  d.Dialog.4(2)\n"
      "  d.Dialog.102(0,120)\n"
      "  d.Dialog.103(0,\"Ready\")\n"
      "  d.Dialog.103(1,\"Two\")\n"
      "  d.Dialog.102(5,40)\n"
      "  ev=\"edges=\"+d.Dialog.42(0)+\",\"+d.Dialog.42(5)+\",\"+d.Dialog.42(-1)+\" text=\"+d.Dialog.43(1)+d.Dialog.43(9)\n"
      "message Void Dialog.112(Integer code, Integer x, Integer y, Integer sx, Integer sy)\n"
      "  ev+=\" m\"+code+\":\"+x+\",\"+y\n"
      "message Void Dialog.133(Integer id)\n"
      "  ev+=\" cmd\"+id\n"
      "message Void Dialog.120(Integer key)\n"
      "  ev+=\" k\"+key\n"
      "  if key==77\n"
      "    d.Dialog.63(\"m\")\n"
      "    ev+=\" saved=\"+d.Dialog.101(\"TavrinTests\",\"Dialog\")\n"
      "  end\n"
      "  if key==113\n"
      "    ev+=\" cleared=\"+d.Dialog.76(\"TavrinTests\",\"Dialog\")\n"
      "    Global.33(ev,\"Result\")\n"
      "    Global.35()\n"
      "  end\n";
  e2e::PackedApp app("DialogInput");
  // A menu bar with one pop-up, whose item's id is the program's global
  // constant, written in hexadecimal.
  app.AddResource("menu\\m",
                  "TAVRIN MENU 1.0.0.0\r\ncount=2\r\n[0]\r\ncount=1\r\nname=Bar\r\n[0:0]\r\ntext=File\r\nmenu=1\r\n"
                  "[1]\r\ncount=1\r\nname=File\r\n[1:0]\r\nname=CMD_OPEN\r\ntext=Open\r\n");
  std::string error;
  ASSERT_TRUE(app.Pack(program, true, &error)) << error;
  ASSERT_TRUE(app.Start());
  HWND dialog = WaitForDialog(app.ProcessId(), "Input", e2e::PackedApp::kBoxTimeout);
  ASSERT_NE(dialog, nullptr);
  SetForegroundWindow(dialog);
  ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == dialog; }, 5000));
  Sleep(300);  // the status bar's last paint
  EXPECT_EQ(CompareWithReference(dialog, "input-dialog"), "");

  ASSERT_TRUE(ClickAt(dialog, 30, 40));
  PressKey('A');
  // M loads the menu file and saves the placement, which Wine's reg.exe
  // reads back; the menu's item, chosen with the keyboard, then reports
  // its command.
  PressKey('M');
  ASSERT_TRUE(PollUntil([&] { return GetMenu(dialog) != nullptr; }, 10000));
  std::string saved = RegQuery("HKCU\\Software\\TavrinTests\\Dialog", "Window");
  RECT outer = ScreenRect(dialog);
  EXPECT_NE(saved.find("7:" + std::to_string(outer.left) + "," + std::to_string(outer.top) + ","), std::string::npos)
      << saved;
  EXPECT_NE(saved.find(",1,0,0"), std::string::npos) << saved;
  // Into the menu bar, down into File, and Open chosen.
  PressKey(VK_F10);
  Sleep(200);
  PressKey(VK_DOWN);
  Sleep(200);
  PressKey(VK_RETURN);
  Sleep(200);
  PressKey(VK_F2);
  HWND box = app.WaitForBox("Result");
  ASSERT_NE(box, nullptr);
  std::string text = appboxes::ReadBox(box).text;
  EXPECT_EQ(text.rfind("edges=120,0,0 text=Two", 0), 0u) << text;
  EXPECT_NE(text.find(" m9:30,40"), std::string::npos) << text;
  EXPECT_NE(text.find(" m17:30,40"), std::string::npos) << text;
  EXPECT_NE(text.find(" k65 k77 saved=1 cmd41 k113 cleared=1"), std::string::npos) << text;
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(app.WaitForExit(&code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(RegQuery("HKCU\\Software\\TavrinTests\\Dialog", "Window").find("7:"), std::string::npos);
}

// A description in its text form: a captioned dialog with a button and a
// static.
std::string Description(const std::string& caption) {
  return "TAVRIN DIALOG 1.0.0.0\r\n\r\n"
         "[DIALOG]\r\nCAPTION=" + caption + "\r\nPOSITION=0 0 240 120\r\nSTYLE=WS_VISIBLE WS_CAPTION WS_SYSMENU\r\n\r\n"
         "[BUTTON]\r\nID=12\r\nNAME=OK\r\nCAPTION=Go\r\nPOSITION=10 10 80 24\r\nSTYLE=WS_VISIBLE\r\n\r\n"
         "[STATIC]\r\nID=5\r\nNAME=Note\r\nCAPTION=Hello\r\nPOSITION=10 50 120 20\r\nSTYLE=WS_VISIBLE\r\n\r\n";
}

// Descriptions from a File, a disk file and a resource, each raising event
// 122 with its text and closing the dialog there was (event 115); a
// missing resource and an owner of a built-in class destroy the old dialog
// and load nothing; a handler of 122 that closes the dialog finds it
// loaded, so that the close runs its steps (event 115).
TEST(DialogClass, DescriptionsLoadFromFilesPathsAndResources) {
  const char* program =
      "class Application\n"
      "  Dialog d new\n"
      "  File f new\n"
      "  Rectangle r new\n"
      "  String log\n"
      "  String ev\n"
      "  Integer closeInLoad\n"
      "function Void _00000000()\n"
      "  f.File.21(\"a.dlg\")\n"
      "  log=\"file=\"+d.Dialog.60(f,this,null,1,\"one\")+d.Dialog.26()+d.Dialog.17()+d.Dialog.59()\n"
      "  log+=\" path=\"+d.Dialog.64(\"a.dlg\",this,null,1,\"two\")+d.Dialog.26()+d.Dialog.17()\n"
      "  log+=\" res=\"+d.Dialog.65(\"b\",this,null,1,\"three\")+d.Dialog.17()\n"
      "  log+=\" missing=\"+d.Dialog.65(\"none\",this)+d.Dialog.17()\n"
      "  log+=\" owner=\"+d.Dialog.65(\"b\",r)+d.Dialog.59()+d.Dialog.17()\n"
      "  closeInLoad=1\n"
      "  log+=\" closing=\"+d.Dialog.65(\"b\",this,null,1,\"four\")+d.Dialog.59()\n"
      "  Global.33(log+\" |\"+ev,\"Result\")\n"
      "  Global.35()\n"
      "message Void Dialog.122(String t)\n"
      "  ev+=\" l:\"+t+d.Dialog.59()\n"
      "  if closeInLoad==1\n"
      "    ev+=\" c\"+d.Dialog.3()\n"
      "  end\n"
      "message Integer Dialog.115()\n"
      "  ev+=\" x\"\n"
      "  return 0\n";
  e2e::PackedApp app("DialogDescriptions");
  {
    std::ofstream out(app.Folder() / "a.dlg", std::ios::binary);
    out << Description("FromDisk");
  }
  app.AddResource("dialog\\b", Description("FromPack"));
  std::string error;
  ASSERT_TRUE(app.Pack(program, true, &error)) << error;
  ASSERT_TRUE(app.Start());
  e2e::ExpectBoxesThenExit(app, "Result",
                           {"file=12FromDisk1 path=12FromDisk res=1FromPack missing=0 owner=00 closing=10 | "
                            "l:one1 x l:two1 x l:three1 x l:four1 x c1"});
}

}  // namespace
