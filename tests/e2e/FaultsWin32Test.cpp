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
  // Every program is packed and started before the first is read; the sound
  // program comes last.
  static void SetUpTestSuite() {
    std::vector<std::string> programs;
    for (const FaultCase& c : kFaults) programs.push_back(FaultProgram(c));
    programs.push_back(kSoundProgram);
    for (size_t i = 0; i < programs.size(); i++) {
      auto app = std::make_unique<e2e::PackedApp>(i < std::size(kFaults) ? kFaults[i].name : "Sound");
      std::string error;
      if (!app->Pack(programs[i], true, &error)) s_errors.push_back(error);
      else s_errors.push_back(app->Start() ? "" : "the process did not start");
      s_apps.push_back(std::move(app));
    }
  }
  static void TearDownTestSuite() {
    s_apps.clear();
    s_errors.clear();
  }

  // Reads and closes the app's boxes, which must show these texts, then
  // expects no further box and an orderly end.
  static void ExpectBoxesThenEnd(size_t index, const std::vector<std::string>& texts) {
    ASSERT_EQ(s_errors[index], "");
    e2e::PackedApp& app = *s_apps[index];
    for (const std::string& expected : texts) {
      HWND box = app.WaitForBox("Result");
      ASSERT_NE(box, nullptr) << "no box for " << expected;
      EXPECT_EQ(appboxes::ReadBox(box).text, expected);
      ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
    }
    HWND extra = app.WaitForBox(nullptr);
    EXPECT_EQ(extra, nullptr) << "unexpected box: " << (extra ? appboxes::ReadBox(extra).text : "");
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(&code));
    EXPECT_EQ(code, 0u);
  }

  static std::vector<std::unique_ptr<e2e::PackedApp>> s_apps;
  static std::vector<std::string> s_errors;
};

std::vector<std::unique_ptr<e2e::PackedApp>> Faults::s_apps;
std::vector<std::string> Faults::s_errors;

TEST_F(Faults, EachEndsTheApplicationWithoutACrash) {
  for (size_t i = 0; i < std::size(kFaults); i++) {
    SCOPED_TRACE(kFaults[i].name);
    ExpectBoxesThenEnd(i, {"before"});
  }
}

TEST_F(Faults, SoundProgramShowsItsResults) {
  ExpectBoxesThenEnd(std::size(kFaults), {kSoundResult});
}

}  // namespace
