// External modules as applications use them: programs packed with the
// project's own module libraries (tests/engine/modules) call module
// functions with and without defaults, read module constants, handle module
// events raised during a call and later from the module's own timer, and
// build or fail to build beside broken modules, and place a module control
// through a dialog description.
//
// Every application runs with TEMP and TMP on a fresh folder of its own,
// where the engine writes the module libraries: whatever the end, that
// folder must be empty afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/DialogHarness.h"
#include "tests/e2e/PackedApp.h"

namespace fs = std::filesystem;

namespace {

// An application with its module libraries and its own temporary folder.
struct ModuleApp {
  std::unique_ptr<e2e::PackedApp> app;
  fs::path temp;
  std::string error;
};

// Sets an environment variable for the processes started in its lifetime.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value) : m_name(name) {
    char old[MAX_PATH];
    DWORD n = GetEnvironmentVariableA(name, old, sizeof old);
    m_had = n > 0 && n < sizeof old;
    if (m_had) m_old = old;
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~ScopedVariable() { SetEnvironmentVariableA(m_name, m_had ? m_old.c_str() : nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* m_name;
  bool m_had;
  std::string m_old;
};

// A resource of the package: its name and its bytes.
using Resource = std::pair<std::string, std::string>;

ModuleApp StartModuleApp(const std::string& name, const std::string& program,
                         const std::vector<const char*>& modules, const std::string& fault = "",
                         const std::vector<Resource>& resources = {}) {
  ModuleApp started{std::make_unique<e2e::PackedApp>(name), {}, {}};
  for (const char* path : modules) started.app->AddModule(e2e::ReadFileBytes(path));
  for (const Resource& resource : resources) started.app->AddResource(resource.first, resource.second);
  // The program's module classes exist only in the engine.
  if (!started.app->Pack(program, false, &started.error)) return started;
  started.temp = started.app->Folder() / "temp";
  fs::create_directories(started.temp);
  ScopedVariable temp("TEMP", started.temp.string());
  ScopedVariable tmp("TMP", started.temp.string());
  ScopedVariable broken("TAVRIN_BROKEN", fault);
  if (!started.app->Start()) started.error = "the process did not start";
  return started;
}

void ExpectNoTemporaryFileLeft(const ModuleApp& started) {
  std::vector<std::string> left;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(started.temp, error))
    left.push_back(entry.path().filename().string());
  EXPECT_TRUE(left.empty()) << "left behind: " << left.front();
}

void ExpectCorruptedFile(ModuleApp& started) {
  HWND box = started.app->WaitForBox("Fatal Error");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(appboxes::ReadBox(box).text, "Corrupted File");
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(started.app->WaitForExit(&code));
  EXPECT_EQ(code, 0u);
}

const char kProbeProgram[] =
    "class Application\n"
    "  Ext_Probe p new\n"
    "  String log\n"
    "function Void _00000000()\n"
    "  String r\n"
    "  r=\"add=\"+p.Add(2,3)+\",\"+p.Add(10)\n"
    "  r+=\" scale=\"+p.Scale(2.0)+\",\"+p.Scale(1.5,2.0)\n"
    "  r+=\" greet=\"+p.Greet()+\",\"+p.Greet(\"bob\")\n"
    "  r+=\" wide=\"+p.Wide(\"xyz\")+\",\"+p.Wide()\n"
    "  r+=\" const=\"+Ext_Probe.LIMIT+\",\"+Ext_Probe.RATIO+\",\"+Ext_Probe.LABEL\n"
    "  r+=\" fire=\"+p.Fire(1)+\",\"+p.Fire(2)+\",\"+p.Fire(3)+\",\"+p.Fire(4)+\",\"+p.Fire(5)\n"
    "  r+=\" slots=\"+p.Slots(-3,\"v\",\"s\",\"uu\")\n"
    "  Global.33(r+\" \"+log,\"Result\")\n"
    "  p.Timer(50)\n"
    "message Integer Ext_Probe.Changed(Integer n)\n"
    "  return n*3\n"
    "message String Ext_Probe.Named(String s)\n"
    "  if s==\"x\"\n"
    "    return \"got\"+s\n"
    "  end\n"
    "message Void Ext_Probe.Many(Integer a, Integer b, Integer c, Integer d, Integer e, Integer f, "
    "Integer g, Integer h)\n"
    "  log+=\"many\"+a+h\n"
    "message Float Ext_Probe.Sum(Float x, Float y)\n"
    "  return x+y\n"
    "message UniString Ext_Probe.Echo(UniString s)\n"
    "  return s\n"
    "message Void Ext_Probe.Tick(Integer n)\n"
    "  Global.33(\"tick=\"+n,\"Result\")\n"
    "  Global.35()\n";

const char kShapesProgram[] =
    "class Application\n"
    "  Sub_Shapes s new\n"
    "  String log\n"
    "function Void _00000000()\n"
    "  String r\n"
    "  r=\"draw=\"+s.Draw(5)+\",\"+s.Draw()+\" size=\"+s.Size(\"abc\")\n"
    "  r+=\" const=\"+Sub_Shapes.BIG+\",\"+Sub_Shapes.HALF+\",\"+Sub_Shapes.NAME\n"
    "  Global.33(r+\" \"+log,\"Result\")\n"
    "  Global.35()\n"
    "message Void Sub_Shapes.Changed(Integer n)\n"
    "  log+=\"c\"+n\n"
    "message String Sub_Shapes.Moved()\n"
    "  return \"m\"\n";

TEST(Modules, ProgramsUseModuleFunctionsConstantsAndEvents) {
  ModuleApp probe = StartModuleApp("probe", kProbeProgram, {TAVRIN_MODULE_EXT_PROBE});
  ModuleApp shapes = StartModuleApp("shapes", kShapesProgram, {TAVRIN_MODULE_SUB_SHAPES});
  ASSERT_EQ(probe.error, "");
  ASSERT_EQ(shapes.error, "");

  // While it runs, its module's library is the one file in its temporary
  // folder.
  ASSERT_NE(probe.app->WaitForBox("Result"), nullptr);
  EXPECT_EQ(std::distance(fs::directory_iterator(probe.temp), fs::directory_iterator()), 1);

  // Floats read as the language writes them. fire=: the Integer result; wrong counts refused, 8 arguments delivered
  // and 9 not; a String result and the empty text for none; Float and
  // UniString results; by number with values, a wrong count, an unknown
  // number and an event without handler.
  e2e::ExpectBoxesThenExit(
      *probe.app, "Result",
      {"add=5,5 scale=        5,        3 greet=hello world,hello bob wide=zyx,ba "
       "const=-100,        2.5,probe "
       "fire=21,11111,111,11,11111 slots=4:-3,v,s,2 many18",
       "tick=50"});
  ExpectNoTemporaryFileLeft(probe);

  // Draw: member 0, Moved refused for want of "Tavrin_MakeString"; Size:
  // member 1, both parameters texts.
  e2e::ExpectBoxesThenExit(*shapes.app, "Result",
                           {"draw=105,142 size=       32.1 const=9000000000,        0.5,shapes c5c42"});
  ExpectNoTemporaryFileLeft(shapes);
}

// Each fault fails the build ("Corrupted File"), a refusing "Tavrin_Init"
// ends the start without a message; the module file goes in every case, as
// it does after a sound module's run.
TEST(Modules, BrokenModulesFailCleanlyAndLeaveNoFile) {
  const char* faults[] = {"version", "noversion", "name",     "noname",    "descending",
                          "repeated", "negative",  "at",       "nodefault"};
  const std::string program = "class Application\n";
  std::vector<ModuleApp> apps;
  for (const char* fault : faults)
    apps.push_back(StartModuleApp(fault, program, {TAVRIN_MODULE_EXT_BROKEN}, fault));
  ModuleApp init = StartModuleApp("init", program, {TAVRIN_MODULE_EXT_BROKEN}, "init");
  // A sound module beside a broken one: the first fault fails the build.
  ModuleApp second = StartModuleApp("second", program,
                                    {TAVRIN_MODULE_SUB_SHAPES, TAVRIN_MODULE_EXT_BROKEN}, "at");
  ModuleApp sound = StartModuleApp(
      "sound",
      "class Application\n"
      "  Ext_Sound s new\n"
      "function Void _00000000()\n"
      "  Global.33(\"go=\"+s.Go(),\"Result\")\n"
      "  Global.35()\n",
      {TAVRIN_MODULE_EXT_BROKEN});

  for (size_t i = 0; i < apps.size(); i++) {
    SCOPED_TRACE(faults[i]);
    ASSERT_EQ(apps[i].error, "");
    ExpectCorruptedFile(apps[i]);
    ExpectNoTemporaryFileLeft(apps[i]);
  }
  {
    SCOPED_TRACE("second");
    ExpectCorruptedFile(second);
    ExpectNoTemporaryFileLeft(second);
  }
  {
    SCOPED_TRACE("init");
    ASSERT_EQ(init.error, "");
    EXPECT_EQ(init.app->WaitForBox(nullptr), nullptr);
    DWORD code = 1;
    ASSERT_TRUE(init.app->WaitForExit(&code));
    ExpectNoTemporaryFileLeft(init);
  }
  {
    SCOPED_TRACE("sound");
    // No "Tavrin_Call": the member does nothing and the result stays 0.
    e2e::ExpectBoxesThenExit(*sound.app, "Result", {"go=0"});
    ExpectNoTemporaryFileLeft(sound);
  }
}

// A Dialog loads a description that places the "Ext_Pad" control: the
// module gets the window once it is the control object's ("C", and the text
// it writes), every size the window takes ("R"), and the window again when
// the dialog closes ("D"), while the window still exists.
TEST(Modules, ADialogDescriptionPlacesAModuleControl) {
  const std::string description =
      "TAVRIN DIALOG 1.0.0.0\r\n\r\n"
      "[DIALOG]\r\nCAPTION=PadDialog\r\nPOSITION=0 0 240 120\r\nSTYLE=WS_VISIBLE WS_CAPTION\r\n\r\n"
      "[EXTERN]\r\nID=7\r\nNAME=Pad\r\nPOSITION=10 10 60 40\r\nSTYLE=WS_VISIBLE\r\n"
      "EXTERN_NAME=Ext_Pad\r\nEXTERN_FILENAME=pad.dll\r\n\r\n";
  const char program[] =
      "class Application\n"
      "  Dialog d new\n"
      "  Ext_Pad p\n"
      "  String log\n"
      "function Void _00000000()\n"
      "  log=\"load=\"+d.Dialog.65(\"pad\",this)\n"
      "  p=d.Dialog.25(\"Pad\")\n"
      "  Global.33(\"shown=\"+p.Log(),\"Shown\")\n"
      "  log+=\" before=\"+p.Log()+\" close=\"+d.Dialog.3()+\" after=\"+p.Log()\n"
      "  Global.33(log,\"Result\")\n"
      "  Global.35()\n";
  ModuleApp pad = StartModuleApp("pad", program, {TAVRIN_MODULE_EXT_PAD}, "", {{"dialog\\pad", description}});
  ASSERT_EQ(pad.error, "");

  HWND shown = pad.app->WaitForBox("Shown");
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(appboxes::ReadBox(shown).text, "shown=C");
  HWND dialog = e2e::dialogs::FindDialog(pad.app->ProcessId(), "PadDialog");
  ASSERT_NE(dialog, nullptr);
  HWND control = e2e::dialogs::FindControl(dialog, 7);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(e2e::dialogs::ReadText(control), "pad");
  // Sized from outside, as a layout would: the module hears of it.
  ASSERT_TRUE(SetWindowPos(control, nullptr, 0, 0, 80, 30, SWP_NOMOVE | SWP_NOZORDER));
  ASSERT_TRUE(e2e::PackedApp::Press(shown, IDOK));

  e2e::ExpectBoxesThenExit(*pad.app, "Result", {"load=1 before=CR80x30 close=1 after=CR80x30D"});
  ExpectNoTemporaryFileLeft(pad);
}

}  // namespace
