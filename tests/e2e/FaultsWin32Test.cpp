// Programs that do what has no defined outcome, packed and run as
// applications: each shows "before" in a box captioned "Result", then
// makes its fault, which must end the member with failure and so the
// application, in order (exit code 0), without the "after" box and without
// a crash. One sound program shows that objects, null and the constants
// the faults were found beside still work.
//
// Every start costs seconds under emulation, so all the programs are started
// together before the first is read; their boxes are told apart by process.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/PackedApp.h"

namespace {

struct FaultCase {
  const char* name;
  const char* classLines;  // after "class Application"
  const char* members;     // before the starting member
  const char* fault;       // statements of the starting member, after "before"
};

const FaultCase kFaults[] = {
    {"NumberIntoObjectVariable", "  Value o\n", "", "  o=5\n"},
    {"IntegerIntoObjectVariable", "  Value o\n", "", "  Integer i\n  i=7\n  o=i\n"},
    {"NumberForObjectParameter", "", "function Void Take(Value v)\n", "  Take(5)\n"},
    {"IntegerForAddressOf", "", "", "  Integer i\n  i=4096\n  Global.26(i)\n"},
    {"NumberForTypeCodeOf", "", "", "  Global.27(12345)\n"},
    {"NumberForIsEngineMade", "", "", "  Global.31(12345)\n"},
    {"NumberAsObjectResult", "", "function Value Make()\n  return 12345\n", "  Make()\n"},
    {"RemainderByZeroReturned", "", "function Integer R()\n  return 5%0\n", "  R()\n"},
    {"RemainderByZeroAssigned", "", "", "  Integer k\n  k=3\n  k=k%0\n"},
};

std::string FaultProgram(const FaultCase& c) {
  return std::string("class Application\n") + c.classLines + c.members +
         "function Void _00000000()\n"
         "  Global.33(\"before\",\"Result\")\n" +
         c.fault + "  Global.33(\"after\",\"Result\")\n";
}

// Objects and null pass where objects belong; constants replaced as whole
// words (Global's E and OK do not end BASE and LOOK), a one-letter name, and
// negative values, also reused.
const char kSoundProgram[] =
    "class Application\n"
    "  constant BASE 40\n"
    "  constant LOOK 2\n"
    "  constant n 5\n"
    "  constant NEGF 0-2.5\n"
    "  constant NEGI 0-7\n"
    "  constant MIX NEGF*2+NEGI*n+BASE*LOOK\n"
    "  Value o\n"
    "  Value p new\n"
    "function Void _00000000()\n"
    "  String r\n"
    "  r=\"consts=\"+BASE+\",\"+LOOK+\",\"+n+\",\"+Global.9(NEGF*100)+\",\"+NEGI+\",\"+MIX+\",\"+Helper.TWICE\n"
    "  o=p\n"
    "  r+=\" objects=\"+(o==p)+(Global.27(o)!=0)\n"
    "  o=null\n"
    "  r+=\" null=\"+(o==null)+\" rest=\"+7%3+\",\"+(0-7)%3\n"
    "  Global.33(r,\"Result\")\n"
    "  Global.35()\n"
    // Global's constants come before the Application's here.
    "class Helper\n"
    "  constant TWICE BASE*LOOK\n";

const char kSoundResult[] = "consts=40,2,5,-250,-7,40,80 objects=11 null=1 rest=1,-1";

class Faults : public ::testing::Test {
 protected:
  // Every program is packed and started before the first is read.
  static void SetUpTestSuite() {
    for (const FaultCase& c : kFaults) s_batch.Start(c.name, FaultProgram(c));
    s_batch.Start("Sound", kSoundProgram);
  }
  static void TearDownTestSuite() { s_batch.Clear(); }

  // The app's boxes must show these texts, then it must end in order.
  static void ExpectBoxesThenEnd(const char* name, const std::vector<std::string>& texts) {
    ASSERT_EQ(s_batch.Error(name), "");
    e2e::ExpectBoxesThenExit(*s_batch.Find(name), "Result", texts);
  }

  static e2e::AppBatch s_batch;
};

e2e::AppBatch Faults::s_batch;

TEST_F(Faults, EachEndsTheApplicationWithoutACrash) {
  for (const FaultCase& c : kFaults) {
    SCOPED_TRACE(c.name);
    ExpectBoxesThenEnd(c.name, {"before"});
  }
}

TEST_F(Faults, SoundProgramShowsItsResults) {
  ExpectBoxesThenEnd("Sound", {kSoundResult});
}

}  // namespace
