// Module classes built from the project's own module libraries, and their
// objects driven directly: what the build makes of the libraries, argument
// slots past the declarations, failing calls and callbacks, and a module
// control's window made by the control factory from a dialog description,
// created, resized and destroyed.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "classes/PObjInt.h"
#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "engine/PEngine.h"
#include "engine/PObjModule.h"
#include "engine/PObjModuleExternCtrl.h"
#include "engine/PObjectDefinition.h"
#include "tests/dialogs/DescriptionBuilding.h"
#include "tests/engine/ProgramBuild.h"

namespace {

bool BuildWithModules(PEngine& engine, const char* program, const std::vector<const char*>& paths) {
  PSource source;
  if (!programtest::ReadProgram(program, source)) return false;
  SStringArray modules;
  for (const char* path : paths) modules.Add(path);
  return engine.Build("", &source, &modules, true, false);
}

// A String result of a member call, taken over.
std::string TakeResult(PResultCell cell) {
  std::string text = cell ? static_cast<const char*>(cell) : "(none)";
  std::free(cell);
  return text;
}

TEST(ModuleClasses, EachLibraryMakesAClassAndIsLetGoAfterTheBuild) {
  PEngine engine;
  ASSERT_TRUE(BuildWithModules(engine, "class Application\n",
                               {TAVRIN_MODULE_EXT_PROBE, TAVRIN_MODULE_SUB_SHAPES, TAVRIN_MODULE_EXT_PAD}))
      << programtest::FailureOf(engine);
  PObjectDefinition* probe = engine.FindDefinitionByName("Ext_Probe");
  PObjectDefinition* shapes = engine.FindDefinitionByName("Sub_Shapes");
  PObjectDefinition* pad = engine.FindDefinitionByName("Ext_Pad");
  ASSERT_TRUE(probe && shapes && pad);
  EXPECT_EQ(TypeCode(0x04000000), probe->GetTypeCode());
  EXPECT_EQ(TypeCode(0x04000001), shapes->GetTypeCode());
  EXPECT_EQ(TypeCode(0x04000002), pad->GetTypeCode());
  EXPECT_FALSE(probe->IsModuleControl());
  EXPECT_TRUE(pad->IsModuleControl());
  EXPECT_EQ(15, probe->GetMemberCount());
  // Read and let go: until the start, no module library is loaded.
  EXPECT_EQ(nullptr, GetModuleHandleA(TAVRIN_MODULE_EXT_PROBE));
  EXPECT_EQ(nullptr, GetModuleHandleA(TAVRIN_MODULE_SUB_SHAPES));

  PEngine failing;
  EXPECT_FALSE(BuildWithModules(failing, "class Application\n", {TAVRIN_MODULE_EXT_PROBE, "Z:\\no\\such.dll"}));
  EXPECT_EQ(nullptr, GetModuleHandleA(TAVRIN_MODULE_EXT_PROBE));
}

class ModuleObjects : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(BuildWithModules(engine, "class Application\n", {TAVRIN_MODULE_EXT_PROBE, TAVRIN_MODULE_EXT_PAD}))
        << programtest::FailureOf(engine);
    ASSERT_TRUE(engine.Start(nullptr));
  }
  void TearDown() override { engine.Stop(false); }

  PEngine engine;
};

TEST_F(ModuleObjects, SlotsPastTheDeclarationsAreZeroAndAFailedCallFails) {
  PObject* probe = engine.FindDefinitionByName("Ext_Probe")->CreateInstance();
  ASSERT_NE(nullptr, probe);
  PObjInt* i = engine.NewInteger();
  PObjString* v = engine.NewString();
  PObjString* s = engine.NewString();
  PObjUniString* u = engine.NewUniString();
  PObjInt* extra = engine.NewInteger();
  i->SetValue(-3);
  v->SetText("v");
  s->SetText("s");
  u->SetText(u"uu");
  extra->SetValue(0x77);
  PArgBlock<5> args;
  PObject* objects[] = {i, v, s, u, extra};
  for (int k = 0; k < 5; k++) args->Set(k, objects[k]);
  args->count = 5;

  PResultCell text = nullptr;
  EXPECT_TRUE(probe->Call(7, args.Get(), &text, nullptr));
  EXPECT_EQ("5:-3,v,s,2,0", TakeResult(text));

  // A false answer fails the call; an unknown number does nothing.
  unsigned char eight[8] = {1, 1, 1, 1, 1, 1, 1, 1};
  PResultCell cell = eight;
  EXPECT_FALSE(probe->Call(6, nullptr, &cell, nullptr));
  EXPECT_TRUE(probe->Call(99, nullptr, &cell, nullptr));
  EXPECT_EQ(1, eight[0]);

  // The callbacks refuse an object without owner, and no object at all.
  ModuleEventResult result = {};
  EXPECT_FALSE(PObjModule::EventCallback(probe, 8, &result, 1, int64_t(1)));
  EXPECT_FALSE(PObjModule::EventCallback(nullptr, 8, &result, 1, int64_t(1)));
  uint8_t noHandler = 7;
  EXPECT_FALSE(PObjModule::CallMemberCallback(probe, 8, &result, nullptr, &noHandler));
  EXPECT_EQ(0, noHandler);
  EXPECT_FALSE(PObjModule::CallMemberCallback(nullptr, 8, &result, nullptr, &noHandler));

  for (PObject* o : objects) PObject::DeleteObject(o);
  EXPECT_TRUE(PObject::DeleteObject(probe));
}

class ModuleControls : public ModuleObjects {
 public:
  static void SetUpTestSuite() { FrameworkInit(GetModuleHandleA(nullptr), SW_HIDE, kStartNoCom); }
  static void TearDownTestSuite() { FrameworkExit(); }

 protected:
  void SetUp() override {
    ModuleObjects::SetUp();
    InstallDialogBuilder();
  }
  void TearDown() override {
    SetDialogBuilder(nullptr);
    ModuleObjects::TearDown();
  }
};

std::string LogOf(PObject* module) {
  PResultCell text = nullptr;
  EXPECT_TRUE(module->Call(0, nullptr, &text, nullptr));
  return TakeResult(text);
}

// As a dialog makes one: the window from the factory, the object of the
// named module class attached to it, then created, sized, destroyed.
TEST_F(ModuleControls, AModuleControlIsCreatedResizedAndDestroyed) {
  TestDialog dialog;
  dialog.objects = [](int number, const SDialogModel::_SCtrl*) -> SWnd* {
    return number == 36 ? new PObjModule::_PExternCtrl : nullptr;
  };
  ASSERT_TRUE(LoadDescription(dialog, {DialogRecord(200, 120),
                                       ControlRecord("EXTERN", 4, "Pad", "", 10, 10, 60, 40, "WS_VISIBLE",
                                                     {"EXTERN_NAME=Ext_Pad", "EXTERN_FILENAME=pad.dll"})}));
  int index = dialog.FindControlByName("Pad");
  ASSERT_GE(index, 0);
  auto* window = dynamic_cast<PObjModule::_PExternCtrl*>(dialog.GetControl(index));
  ASSERT_NE(nullptr, window);
  ASSERT_STREQ("Ext_Pad", window->GetClassName().GetText());
  window->AddProperty("COLOR", "red");
  window->AddProperty("EMPTY", "");

  PObjectDefinition* definition = engine.FindDefinitionByName(window->GetClassName().GetText());
  ASSERT_TRUE(definition && definition->IsModuleControl());
  // Without the Control class the module part stands alone.
  PObject* pad = PObjModule::New(definition);
  ASSERT_NE(nullptr, pad);
  pad->AttachWindow(window);
  window->SetScriptObject(pad);
  auto* module = static_cast<PObjModule*>(pad);
  module->Create();
  SetWindowPos(window->GetHwnd(), nullptr, 0, 0, 80, 30, SWP_NOMOVE | SWP_NOZORDER);
  module->Destroy();
  EXPECT_EQ("C[COLOR=red][EMPTY=]R80x30D", LogOf(pad));

  // The window is attached, not owned: it stays with the dialog.
  EXPECT_TRUE(PObject::DeleteObject(pad));
  EXPECT_TRUE(IsWindow(window->GetHwnd()));
  EXPECT_EQ(nullptr, window->GetScriptObject());
  // Sizes after the object went reach nobody.
  SetWindowPos(window->GetHwnd(), nullptr, 0, 0, 70, 30, SWP_NOMOVE | SWP_NOZORDER);
}

TEST_F(ModuleControls, WithoutAWindowTheControlEntriesAreNotCalled) {
  PObject* pad = PObjModule::New(engine.FindDefinitionByName("Ext_Pad"));
  ASSERT_NE(nullptr, pad);
  auto* module = static_cast<PObjModule*>(pad);
  module->Create();
  module->Destroy();
  EXPECT_EQ("", LogOf(pad));
  EXPECT_TRUE(PObject::DeleteObject(pad));
}

}  // namespace
