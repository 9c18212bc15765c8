// The AppCom class as applications use it: two objects of one program
// talking to each other, two programs talking across processes, and this
// test program itself sending raw transfers that an AppCom sender never
// would (bytes without a NUL, a delivery message with a stranger's pointer).
// The programs show what they found in boxes and end by themselves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/PackedApp.h"

namespace {

// Object a sends to object b: b's event arrives before a's send returns,
// with a's handle as the sender; a "ping" is answered from inside the
// event. Then the default target, a send with no target at all, and a
// target that no longer exists.
const char kPair[] =
    "class Application\n"
    "  AppCom a new\n"
    "  AppCom b new\n"
    "  AppCom c\n"
    "  String log\n"
    "function Void _00000000()\n"
    "  Integer r\n"
    "  Integer h\n"
    "  log=\"[\"\n"
    "  r=a.AppCom.2(\"hi\",-1,b.AppCom.0())\n"
    "  log+=\"]\"+r+\" [\"\n"
    "  r=a.AppCom.2(\"\",0,b.AppCom.0())\n"
    "  log+=\"]\"+r+\" [\"\n"
    "  r=a.AppCom.2(\"ping\",1,b.AppCom.0())\n"
    "  log+=\"]\"+r\n"
    "  r=a.AppCom.2(\"lost\",3)\n"
    "  log+=\" none=\"+r+\" target=\"+a.AppCom.1()+\" set=\"\n"
    "  a.AppCom.3(b.AppCom.0())\n"
    "  if a.AppCom.1()==b.AppCom.0()\n"
    "    log+=\"b\"\n"
    "  end\n"
    "  log+=\" [\"\n"
    "  r=a.AppCom.2(\"d\",7)\n"
    "  log+=\"]\"+r\n"
    "  c=new AppCom\n"
    "  h=c.AppCom.0()\n"
    "  delete c\n"
    "  r=a.AppCom.2(\"gone\",0,h)\n"
    "  log+=\" gone=\"+r\n"
    "  Global.33(log,\"Result\")\n"
    "  Global.35()\n"
    "message Void AppCom.4(String text, Integer n, Integer sender)\n"
    "  String who\n"
    "  who=\"?\"\n"
    "  if sender==a.AppCom.0()\n"
    "    who=\"a\"\n"
    "  end\n"
    "  if sender==b.AppCom.0()\n"
    "    who=\"b\"\n"
    "  end\n"
    "  log+=\"<\"+text+\",\"+n+\",\"+who+\">\"\n"
    "  if text==\"ping\"\n"
    "    b.AppCom.2(\"pong\",n+1,sender)\n"
    "  end\n";

// Shows its handle and, while that box is up, answers every text to its
// sender; then shows what it received.
const char kServer[] =
    "class Application\n"
    "  AppCom c new\n"
    "  String log\n"
    "function Void _00000000()\n"
    "  Global.33(\"\"+c.AppCom.0(),\"Ready\")\n"
    "  Global.33(log,\"Result\")\n"
    "  Global.35()\n"
    "message Void AppCom.4(String text, Integer n, Integer sender)\n"
    "  log+=\"<\"+text+\",\"+n+\">\"\n"
    "  c.AppCom.2(text+\"!\",n+1,sender)\n";

// Sends to the handle on its command line; the answer arrives before its
// send returns.
const char kClient[] =
    "class Application\n"
    "  AppCom c new\n"
    "  String log\n"
    "function Void _00000000()\n"
    "  Integer r\n"
    "  c.AppCom.3(Global.41(Global.17(0)))\n"
    "  log=\"[\"\n"
    "  r=c.AppCom.2(\"hello\",5)\n"
    "  log+=\"]\"+r\n"
    "  Global.33(log,\"Result\")\n"
    "  Global.35()\n"
    "message Void AppCom.4(String text, Integer n, Integer sender)\n"
    "  log+=\"<\"+text+\",\"+n+\",\"\n"
    "  if sender==c.AppCom.1()\n"
    "    log+=\"server\"\n"
    "  end\n"
    "  log+=\">\"\n";

// The string transfer by hand, as a sender that does not keep the rules
// may send it: the groups of four bytes as they are, whatever the length.
void SendRaw(HWND target, int32_t tag, int32_t length, const std::vector<int32_t>& groups) {
  LRESULT slot = SendMessageA(target, 0x81F7, WPARAM(tag), LPARAM(length));
  ASSERT_NE(slot, 0) << "refused start of " << length;
  for (int32_t group : groups) SendMessageA(target, 0x81F8, WPARAM(slot), LPARAM(group));
  SendMessageA(target, 0x81F9, WPARAM(slot), 0);
}

class AppCom : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_batch.Start("Server", kServer);
    s_batch.Start("Pair", kPair);
  }
  static void TearDownTestSuite() { s_batch.Clear(); }

  static e2e::AppBatch s_batch;
};

e2e::AppBatch AppCom::s_batch;

TEST_F(AppCom, TwoObjectsOfOneProgram) {
  ASSERT_EQ(s_batch.Error("Pair"), "");
  e2e::ExpectBoxesThenExit(*s_batch.Find("Pair"), "Result",
                           {"[<hi,4294967295,a>]1 [<,0,a>]1 [<ping,1,a><pong,2,b>]1 none=0 target=0 set=b "
                            "[<d,7,a>]1 gone=0"});
}

// Raw transfers first, then a second program talks to the server. A text
// whose bytes hold no NUL ends at the announced length, not at the next
// zero of the heap; a text with a NUL inside ends there; a delivery message
// from this process is not read at all (its pointer means nothing there).
TEST_F(AppCom, TwoProcessesAndARawSender) {
  ASSERT_EQ(s_batch.Error("Server"), "");
  e2e::PackedApp& server = *s_batch.Find("Server");
  HWND ready = server.WaitForBox("Ready");
  ASSERT_NE(ready, nullptr);
  std::string handleText = appboxes::ReadBox(ready).text;
  HWND handle = HWND(uintptr_t(std::strtoul(handleText.c_str(), nullptr, 10)));
  ASSERT_TRUE(IsWindow(handle)) << handleText;

  SendRaw(handle, 7, 5, {0x41424344, 0x45464748});
  SendRaw(handle, 8, 6, {0x41420044, 0x45464748});
  SendMessageA(handle, 0x81F6, 9, 0x10);

  e2e::PackedApp client("AppComClient");
  std::string error;
  ASSERT_TRUE(client.Pack(kClient, true, &error)) << error;
  ASSERT_TRUE(client.Start(handleText));
  e2e::ExpectBoxesThenExit(client, "Result", {"[<hello!,6,server>]1"});

  ASSERT_TRUE(e2e::PackedApp::Press(ready, IDOK));
  e2e::ExpectBoxesThenExit(server, "Result", {"<ABCDE,7><AB,8><hello,5>"});
}

}  // namespace
