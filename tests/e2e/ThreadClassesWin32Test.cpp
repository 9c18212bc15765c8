// The UndoRedo and Thread classes as applications use them. The UndoRedo
// program keeps its state text in its handlers and walks the history's
// edge cases; the Thread programs exchange values with their workers, stop
// them from either side, start them again and release one that waits.
// Each program shows what it found in boxes captioned "Result" and ends by
// itself.
//
// All programs start together before the first box is read, since every
// start costs seconds under emulation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/PackedApp.h"

namespace {

struct ThreadProgram {
  const char* name;
  const char* program;
  std::vector<std::string> boxes;
};

void PrintTo(const ThreadProgram& p, std::ostream* out) { *out << p.name; }

std::string Numbers(int from, int to) {
  std::string text;
  for (int i = from; i <= to; i++) text += " " + std::to_string(i);
  return text;
}

const ThreadProgram kPrograms[] = {
    // Each step's data is "before>after"; undo and redo put back one side.
    // Undone steps go with the next add and do not count towards the
    // maximum; the oldest step is never dropped.
    {"UndoRedo",
     "class Application\n"
     "  UndoRedo u new\n"
     "  String state\n"
     "  String next\n"
     "  Integer refuse\n"
     "  String log\n"
     "function Integer Edit(String to)\n"
     "  next=to\n"
     "  return u.UndoRedo.0()\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  r=\"add=\"+Edit(\"a\")+Edit(\"ab\")+Edit(\"abc\")+\" n=\"+u.UndoRedo.4()+\" cur=\"+u.UndoRedo.3()+\" \"+state\n"
     "  r+=\" undo=\"+u.UndoRedo.12()+u.UndoRedo.12()+\" \"+state\n"
     "  r+=\" add=\"+Edit(\"aq\")+\" n=\"+u.UndoRedo.4()+\" redo=\"+u.UndoRedo.8()+\" \"+state\n"
     "  refuse=1\n"
     "  r+=\" refused=\"+Edit(\"zz\")+\" n=\"+u.UndoRedo.4()+\" \"+state\n"
     "  refuse=0\n"
     "  u.UndoRedo.2(0)\n"
     "  r+=\" noredo=\"+u.UndoRedo.12()+\" n=\"+u.UndoRedo.4()+\" redo=\"+u.UndoRedo.8()+\" \"+state\n"
     "  u.UndoRedo.2()\n"
     "  u.UndoRedo.10(0)\n"
     "  r+=\" max=\"+u.UndoRedo.5()+\" full=\"+Edit(\"b\")+\" undo=\"+u.UndoRedo.12()+\" [\"+state+\"]\"\n"
     "  r+=\" room=\"+Edit(\"c\")+\" n=\"+u.UndoRedo.4()+\" \"+state\n"
     "  u.UndoRedo.1(0)\n"
     "  r+=\" off=\"+Edit(\"d\")+u.UndoRedo.12()+u.UndoRedo.11()\n"
     "  u.UndoRedo.9()\n"
     "  r+=\" kept=\"+u.UndoRedo.4()+\" on=\"+u.UndoRedo.6()\n"
     "  u.UndoRedo.1()\n"
     "  u.UndoRedo.9()\n"
     "  r+=\" cleared=\"+u.UndoRedo.4()+\" cur=\"+u.UndoRedo.3()\n"
     "  Global.33(r+\" \"+log,\"Result\")\n"
     "  Global.35()\n"
     "message Integer UndoRedo.13(Value data)\n"
     "  if refuse==1\n"
     "    return 1\n"
     "  end\n"
     "  data.Value.19(state+\">\"+next)\n"
     "  state=next\n"
     "  return 0\n"
     "message Integer UndoRedo.15(String data)\n"
     "  log+=\"u(\"+data+\")\"\n"
     "  state=data.String.30(\">\")\n"
     "  return 0\n"
     "message Integer UndoRedo.14(String data)\n"
     "  log+=\"r(\"+data+\")\"\n"
     "  state=data.String.31(\">\")\n"
     "  return 0\n",
     {"add=111 n=3 cur=2 abc undo=11 a add=1 n=2 redo=0 aq refused=0 n=2 aq noredo=1 n=1 redo=0 a "
      "max=1 full=0 undo=1 [] room=1 n=1 c off=000 kept=1 on=0 cleared=0 cur=-1 "
      "u(ab>abc)u(a>ab)u(a>aq)u(>a)"}},

    // A worker sends 33 values to an owner blocked in a synchronous start:
    // 32 arrive in order, the 33rd finds no slot. A second, asynchronous
    // worker then sends -1 (arriving as its unsigned form) and answers a
    // text sent to it; the owner stops it, and a second stop is refused.
    {"ThreadValues",
     "class Application\n"
     "  Thread t new\n"
     "  Value out new\n"
     "  Value reply new\n"
     "  String log\n"
     "  Integer phase\n"
     "  Integer got\n"
     "  Integer ends\n"
     "function Void _00000000()\n"
     "  log=\"sync=\"+t.Thread.3(1)\n"
     "message Integer Thread.8()\n"
     "  Integer i\n"
     "  if phase==0\n"
     "    for i=0;i<33;i++\n"
     "      t.Thread.1(i)\n"
     "    end\n"
     "    return 1\n"
     "  end\n"
     "  t.Thread.1(-1)\n"
     "  t.Thread.1(1000)\n"
     "  return 0\n"
     "message Void Thread.6()\n"
     "  ends++\n"
     "message Void Thread.9(Integer n, Value v)\n"
     "  reply.Value.19(\"w\"+n+v.Value.4())\n"
     "  t.Thread.1(2000,reply)\n"
     "message Void Thread.7(Integer n, Value v)\n"
     "  if n==1000\n"
     "    out.Value.19(\"ping\")\n"
     "    t.Thread.5(7,out)\n"
     "    return\n"
     "  end\n"
     "  if n==2000\n"
     "    log+=\" reply=\"+v.Value.4()+\" stop=\"+t.Thread.2()+t.Thread.2()+\" ends=\"+ends\n"
     "    Global.33(log,\"Result\")\n"
     "    Global.35()\n"
     "    return\n"
     "  end\n"
     "  log+=\" \"+n\n"
     "  got++\n"
     "  if got==32\n"
     "    phase=1\n"
     "    log+=\" async=\"+t.Thread.3()\n"
     "  end\n",
     {"sync=1" + Numbers(0, 31) + " async=1 4294967295 reply=w7ping stop=10 ends=2"}},

    // A run handler that answers 1 ends its worker: no stop is taken, and
    // no start until the worker-finished message is handled (the first box
    // lets it through). The second worker stops itself from its value
    // event and is restartable the same way.
    {"ThreadRestart",
     "class Application\n"
     "  Thread t new\n"
     "  Value reply new\n"
     "  String log\n"
     "  Integer mode\n"
     "  Integer ends\n"
     "function Void _00000000()\n"
     "  mode=1\n"
     "  t.Thread.5(9)\n"
     "  log=\"start=\"+t.Thread.3()+t.Thread.3()\n"
     "message Integer Thread.8()\n"
     "  if mode==1\n"
     "    t.Thread.1(1)\n"
     "    return 1\n"
     "  end\n"
     "  t.Thread.1(3)\n"
     "  return 0\n"
     "message Void Thread.6()\n"
     "  ends++\n"
     "  t.Thread.1(2)\n"
     "message Void Thread.9(Integer n, Value v)\n"
     "  reply.Value.19(\"\"+n+\":\"+t.Thread.2()+t.Thread.2())\n"
     "  t.Thread.1(4,reply)\n"
     "message Void Thread.7(Integer n, Value v)\n"
     "  if n==1\n"
     "    log+=\" stop=\"+t.Thread.2()+\" busy=\"+t.Thread.3()\n"
     "  end\n"
     "  if n==3\n"
     "    t.Thread.5(5)\n"
     "  end\n"
     "  if n==4\n"
     "    log+=\" self=\"+v.Value.4()\n"
     "  end\n"
     "  if n==2\n"
     "    Global.33(log+\" ends=\"+ends,\"Result\")\n"
     "    if mode==2\n"
     "      Global.35()\n"
     "      return\n"
     "    end\n"
     "    mode=2\n"
     "    log=\"restart=\"+t.Thread.3()\n"
     "  end\n",
     {"start=10 stop=0 busy=0 ends=1", "restart=1 self=5:10 ends=2"}},

    // A Thread without a run handler waits in its loop until the owner
    // stops it. A Thread released while its worker waits ends that worker
    // without its end event, and the program goes on (a worker cut short
    // while holding the heap's lock would hang it).
    {"ThreadRelease",
     "class Application\n"
     "  Thread t new\n"
     "  Thread w\n"
     "  String log\n"
     "  Integer ends\n"
     "function Void _00000000()\n"
     "  Integer i\n"
     "  Integer s\n"
     "  log=\"start=\"+t.Thread.3()\n"
     "  for i=0;s==0;i++\n"
     "    Global.39(20)\n"
     "    s=t.Thread.2()\n"
     "    if i>500\n"
     "      s=2\n"
     "    end\n"
     "  end\n"
     "  log+=\" stop=\"+s+\" again=\"+t.Thread.2()+\" ends=\"+ends\n"
     "  w=new Thread\n"
     "  intercept w\n"
     "  log+=\" w=\"+w.Thread.3()\n"
     "  Global.39(300)\n"
     "  delete w\n"
     "  log+=\" released ends=\"+ends\n"
     "  Global.33(log,\"Result\")\n"
     "  Global.35()\n"
     "message Void Thread.6()\n"
     "  ends++\n",
     {"start=1 stop=1 again=0 ends=1 w=1 released ends=1"}},
};

class ThreadClasses : public ::testing::TestWithParam<ThreadProgram> {
 protected:
  static void SetUpTestSuite() {
    for (const ThreadProgram& p : kPrograms) s_batch.Start(p.name, p.program);
  }
  static void TearDownTestSuite() { s_batch.Clear(); }

  static e2e::AppBatch s_batch;
};

e2e::AppBatch ThreadClasses::s_batch;

TEST_P(ThreadClasses, ShowsItsResultsAndEnds) {
  ASSERT_EQ(s_batch.Error(GetParam().name), "");
  e2e::ExpectBoxesThenExit(*s_batch.Find(GetParam().name), "Result", GetParam().boxes);
}

INSTANTIATE_TEST_SUITE_P(E2E, ThreadClasses, ::testing::ValuesIn(kPrograms),
                         [](const ::testing::TestParamInfo<ThreadProgram>& info) { return info.param.name; });

}  // namespace
