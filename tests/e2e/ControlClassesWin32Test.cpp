// The control classes as applications use them: packed programs whose
// Application owns Buttons (and the other simple controls) made in code and
// from dialog descriptions, driven with synthesised clicks, with what the
// handlers saw reported in a box.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/DialogHarness.h"
#include "tests/e2e/PackedApp.h"

namespace {

using namespace e2e::dialogs;

// A description with one button (id 12) under a captioned dialog.
std::string ButtonDescription(const std::string& caption) {
  return "TAVRIN DIALOG 1.0.0.0\r\n\r\n"
         "[DIALOG]\r\nCAPTION=" + caption + "\r\nPOSITION=360 40 240 120\r\nSTYLE=WS_VISIBLE WS_CAPTION WS_SYSMENU\r\n\r\n"
         "[BUTTON]\r\nID=12\r\nNAME=Desc\r\nCAPTION=Desc\r\nPOSITION=10 10 80 24\r\nSTYLE=WS_VISIBLE\r\n\r\n";
}

HWND WaitForChild(HWND parent, const char* text, DWORD timeoutMs = 20000) {
  HWND found = nullptr;
  PollUntil([&] { return (found = FindWindowExA(parent, nullptr, "Button", text)) != nullptr; }, timeoutMs);
  return found;
}

// The main road: a click on a button made by the create function and on one
// of a description runs the owner's handler (event 3). A focus handler that
// destroys its own button (inside that button's WM_SETFOCUS), and a click
// handler that reloads the dialog holding the clicked button (releasing its
// object inside its own event), end without a crash and leave the program
// working.
TEST(ControlClasses, ClicksReachTheOwnersButtonHandlers) {
  const char* program =
      "class Application\n"
      "  Dialog d new\n"
      "  Dialog e new\n"
      "  Button go new\n"
      "  Button bye new\n"
      "  Rectangle r new\n"
      "  String log\n"
      "  Integer clicks\n"
      "function Void _00000000()\n"
      "  r.Rectangle.17(40,40,340,240)\n"
      "  d.Dialog.70(r,\"Code\")\n"
      "  r.Rectangle.17(10,10,90,40)\n"
      "  log=\"go=\"+go.Button.0(d,r,\"Go\")\n"
      "  log+=\" again=\"+go.Button.0(d,r,\"Again\")\n"
      "  r.Rectangle.17(10,60,90,90)\n"
      "  log+=\" bye=\"+bye.Button.0(d,r,\"Bye\")\n"
      "  log+=\" desc=\"+e.Dialog.65(\"b\",this)\n"
      "message Void Button.3()\n"
      "  clicks+=1\n"
      "  log+=\" click\"+clicks+\":\"+go.Control.26()\n"
      "  if clicks==2\n"
      "    log+=\" reload=\"+e.Dialog.65(\"b\",this)\n"
      "  end\n"
      "  if clicks==3\n"
      "    Global.33(log,\"Result\")\n"
      "    Global.35()\n"
      "  end\n"
      "message Void Button.4(Integer lost)\n"
      "  if lost==0\n"
      "    if bye.Control.26()==1\n"
      "      bye.Button.1()\n"
      "      log+=\" byeGone=\"+bye.Control.28()\n"
      "    end\n"
      "  end\n";
  e2e::PackedApp app("ControlClicks");
  app.AddResource("dialog\\b", ButtonDescription("Desc"));
  std::string error;
  ASSERT_TRUE(app.Pack(program, true, &error)) << error;
  ASSERT_TRUE(app.Start());
  HWND code = WaitForDialog(app.ProcessId(), "Code", e2e::PackedApp::kBoxTimeout);
  ASSERT_NE(code, nullptr);
  HWND desc = WaitForDialog(app.ProcessId(), "Desc", 20000);
  ASSERT_NE(desc, nullptr);

  HWND go = WaitForChild(code, "Go");
  ASSERT_NE(go, nullptr);
  ASSERT_TRUE(ClickAt(go, 10, 10));
  HWND bye = WaitForChild(code, "Bye");
  ASSERT_NE(bye, nullptr);
  ASSERT_TRUE(ClickAt(bye, 10, 10));
  ASSERT_TRUE(PollUntil([&] { return !IsWindow(bye); }, 10000));

  HWND first = FindControl(desc, 12);
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(ClickAt(first, 10, 10));
  ASSERT_TRUE(PollUntil([&] { return !IsWindow(first); }, 10000));
  HWND reloaded = WaitForDialog(app.ProcessId(), "Desc", 20000);
  ASSERT_NE(reloaded, nullptr);
  HWND second = FindControl(reloaded, 12);
  ASSERT_NE(second, nullptr);
  ASSERT_TRUE(ClickAt(second, 10, 10));
  e2e::ExpectBoxesThenExit(app, "Result",
                           {"go=1 again=0 bye=1 desc=1 click1:1 byeGone=0 click2:0 reload=1 click3:0"});
}

}  // namespace
