// External modules across a run: each module's library is loaded and
// initialised at start, in table order, the first failure stopping the
// start and undoing what was made; stop and the definition's end shut them
// down. The test module records its entries in the environment.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "files/SDll.h"
#include "tests/engine/ProgramBuild.h"

using programtest::BuildProgram;
using programtest::FailureOf;

namespace {

std::string ModuleCalls() {
  char calls[256] = "";
  GetEnvironmentVariableA("TAVRIN_TEST_MODULE_CALLS", calls, sizeof calls);
  return calls;
}

// The module class at position i of the package's module table.
PObjectDefinition* AddModule(PEngine& engine, int i, const char* path) {
  std::string name = "Ext_M" + std::to_string(i);
  auto* definition = new PObjectDefinition(&engine, TypeCode(0x04000000 + i), name.c_str(), "");
  definition->SetModule(path, false);
  if (engine.AddDefinition(definition)) return definition;
  delete definition;
  return nullptr;
}

// A start that failed leaves nothing made.
void ExpectStoppedAfterFailure(const PEngine& engine) {
  EXPECT_FALSE(engine.IsRunning());
  EXPECT_EQ(nullptr, engine.GetGlobal());
  EXPECT_EQ(nullptr, engine.GetApplication());
}

class PEngineModules : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA("TAVRIN_TEST_MODULE_CALLS", nullptr);
    SetEnvironmentVariableA("TAVRIN_TEST_MODULE_INIT", nullptr);
    ASSERT_TRUE(BuildProgram(engine, "class Application\n")) << FailureOf(engine);
  }
  void TearDown() override { SetEnvironmentVariableA("TAVRIN_TEST_MODULE_INIT", nullptr); }

  static bool Loaded(const PObjectDefinition* definition) {
    return definition->GetModuleLibrary() && definition->GetModuleLibrary()->IsLoaded();
  }

  PEngine engine;
};

TEST_F(PEngineModules, StartInitialisesEveryModuleAndStopShutsThemDown) {
  PObjectDefinition* first = AddModule(engine, 0, TAVRIN_TEST_MODULE);
  PObjectDefinition* second = AddModule(engine, 1, TAVRIN_TEST_MODULE);
  ASSERT_TRUE(first && second);
  ASSERT_TRUE(engine.Start(nullptr));
  EXPECT_EQ("II", ModuleCalls());
  EXPECT_TRUE(Loaded(first));
  EXPECT_TRUE(Loaded(second));
  EXPECT_NE(nullptr, engine.GetApplication());

  EXPECT_TRUE(engine.Stop(false));
  EXPECT_EQ("IIUU", ModuleCalls());
  EXPECT_EQ(nullptr, first->GetModuleLibrary());
  EXPECT_EQ(nullptr, second->GetModuleLibrary());
}

// A library that loads but has no "Tavrin_Init", one that does not load, and
// one whose "Tavrin_Init" says no: the start ends there, the modules already
// initialised are shut down again, and the later ones are never touched.
TEST_F(PEngineModules, TheFirstModuleThatCannotStartStopsTheStart) {
  struct Case {
    const char* path;
    const char* initAnswer;
    const char* calls;  // the good first module's, then the failing one's
  } cases[] = {
      {"kernel32.dll", nullptr, "IU"},
      {"Z:\\no\\such\\module.dll", nullptr, "IU"},
      {TAVRIN_TEST_MODULE, "0", "IIU"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    PEngine failing;
    ASSERT_TRUE(BuildProgram(failing, "class Application\n")) << FailureOf(failing);
    SetEnvironmentVariableA("TAVRIN_TEST_MODULE_CALLS", nullptr);
    SetEnvironmentVariableA("TAVRIN_TEST_MODULE_INIT", nullptr);
    PObjectDefinition* good = AddModule(failing, 0, TAVRIN_TEST_MODULE);
    PObjectDefinition* bad = AddModule(failing, 1, c.path);
    PObjectDefinition* later = AddModule(failing, 2, TAVRIN_TEST_MODULE);
    ASSERT_TRUE(good && bad && later);
    // Initialised before the refusal is asked for: the start keeps it.
    ASSERT_TRUE(good->LoadModule());
    SetEnvironmentVariableA("TAVRIN_TEST_MODULE_INIT", c.initAnswer);

    EXPECT_FALSE(failing.Start(nullptr));
    EXPECT_EQ(c.calls, ModuleCalls());
    ExpectStoppedAfterFailure(failing);
    EXPECT_EQ(nullptr, good->GetModuleLibrary());
    EXPECT_EQ(nullptr, bad->GetModuleLibrary());
    EXPECT_EQ(nullptr, later->GetModuleLibrary());
  }
}

TEST_F(PEngineModules, AModuleThatRefusesLeavesNothingRunning) {
  PObjectDefinition* module = AddModule(engine, 0, TAVRIN_TEST_MODULE);
  ASSERT_TRUE(module);
  SetEnvironmentVariableA("TAVRIN_TEST_MODULE_INIT", "0");
  EXPECT_FALSE(engine.Start(nullptr));
  // Refused at its initialisation: unloaded without its shutdown entry.
  EXPECT_EQ("I", ModuleCalls());
  EXPECT_EQ(nullptr, module->GetModuleLibrary());
  ExpectStoppedAfterFailure(engine);
}

TEST_F(PEngineModules, ADefinitionThatGoesShutsItsModuleDown) {
  auto* definition = new PObjectDefinition(&engine, TypeCode(0x04000007), "Ext_Alone", "");
  definition->SetModule(TAVRIN_TEST_MODULE, false);
  ASSERT_TRUE(definition->LoadModule());
  ASSERT_TRUE(Loaded(definition));
  EXPECT_TRUE(definition->LoadModule());  // loaded already: nothing more
  EXPECT_EQ("I", ModuleCalls());
  delete definition;
  EXPECT_EQ("IU", ModuleCalls());
}

// Other classes have no module: loading them is no step at all.
TEST_F(PEngineModules, ClassesWithoutModuleNeedNoLibrary) {
  PObjectDefinition* application = engine.GetApplicationDefinition();
  ASSERT_TRUE(application);
  EXPECT_TRUE(application->LoadModule());
  EXPECT_EQ(nullptr, application->GetModuleLibrary());
  EXPECT_EQ("", ModuleCalls());
}

}  // namespace
