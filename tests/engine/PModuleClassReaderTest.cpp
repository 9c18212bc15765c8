// Module tables as libraries written apart from the engine hand them over:
// the name and version rule, the "Sub_" and "Ext_" forms of numbers,
// member numbering, defaults and their written forms, and every malformed
// word refused rather than followed. The exports here are plain functions
// of this test, looked up by name as a library's would be.
#include "engine/PModuleClassReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "tests/engine/ProgramBuild.h"
#include "tests/engine/modules/ModuleWords.h"

namespace {

// What the fake library answers; a null entry is an export it lacks.
struct Library {
  const char* version = "1.0";
  const char* name = "Ext_Probe";
  bool isControl = false;
  bool exportsAll = true;  // the three required exports
  const PModuleWord* constants = nullptr;
  const PModuleWord* functions = nullptr;
  const PModuleWord* events = nullptr;
};

Library g_library;

const char* Version() { return g_library.version; }
const char* Name() { return g_library.name; }
uint8_t IsControl() { return g_library.isControl; }
const PModuleWord* Constants() { return g_library.constants; }
const PModuleWord* Functions() { return g_library.functions; }
const PModuleWord* Events() { return g_library.events; }

class FakeExports : public PModuleExports {
 public:
  void* Find(const char* name) const override {
    const std::map<std::string, void*> exports = {
        {"Tavrin_GetSDKVersion", reinterpret_cast<void*>(&Version)},
        {"Tavrin_GetName", reinterpret_cast<void*>(&Name)},
        {"Tavrin_IsControl", reinterpret_cast<void*>(&IsControl)},
        {"Tavrin_GetConstants", g_library.constants ? reinterpret_cast<void*>(&Constants) : nullptr},
        {"Tavrin_GetFunctions", g_library.functions ? reinterpret_cast<void*>(&Functions) : nullptr},
        {"Tavrin_GetEvents", g_library.events ? reinterpret_cast<void*>(&Events) : nullptr},
    };
    auto found = exports.find(name);
    if (found == exports.end()) return nullptr;
    if (!g_library.exportsAll && std::strcmp(name, "Tavrin_IsControl") == 0) return nullptr;
    return found->second;
  }
};

class ModuleClassReader : public ::testing::Test {
 protected:
  void SetUp() override {
    g_library = Library();
    ASSERT_TRUE(programtest::BuildProgram(engine, "class Application\n"));
  }

  // The class read as module 3, or null when refused.
  PObjectDefinition* Read() {
    if (!ReadModuleClass(&engine, 3, "Z:\\module.dll", FakeExports())) return nullptr;
    return engine.FindDefinitionByName(g_library.name);
  }

  static TypeCode ParamType(PObjectDefinition* d, int member, int i) {
    return d->GetParamInfo(member, i)->GetTypeCode();
  }

  PEngine engine;
};

TEST_F(ModuleClassReader, TheNameAndVersionDecideWhetherTheModuleLoads) {
  struct Case {
    const char* name;
    const char* version;
    bool loads;
  } cases[] = {
      {"Ext_A", "1.0", true},        {"Sub_Shapes", "1.0", true}, {"Ext_", "1.0", false},
      {"Ext_A_", "1.0", false},      {"Mod_Abc", "1.0", false},   {"ext_Abc", "1.0", false},
      {"Ext_A b", "1.0", false},     {nullptr, "1.0", false},     {"Ext_Abc", "1.1", false},
      {"Ext_Abc", "1.0 ", false},    {"Ext_Abc", nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name ? c.name : "(null)");
    PEngine fresh;
    ASSERT_TRUE(programtest::BuildProgram(fresh, "class Application\n"));
    g_library.name = c.name;
    g_library.version = c.version;
    EXPECT_EQ(c.loads, ReadModuleClass(&fresh, 0, "m.dll", FakeExports()));
  }
  g_library = Library();
  g_library.exportsAll = false;
  EXPECT_EQ(nullptr, Read());
}

TEST_F(ModuleClassReader, AModuleWithoutTablesIsAClassWithoutMembers) {
  g_library.isControl = true;
  PObjectDefinition* d = Read();
  ASSERT_NE(nullptr, d);
  EXPECT_EQ(TypeCode(0x04000003), d->GetTypeCode());
  EXPECT_EQ(CATEGORY_MODULES, d->GetCategory());
  EXPECT_EQ(36, d->GetControlNumber());
  EXPECT_STREQ("Control", d->GetBaseName());
  EXPECT_TRUE(d->IsModuleControl());
  EXPECT_STREQ("Z:\\module.dll", d->GetModulePath());
  EXPECT_EQ(0, d->GetMemberCount());
  ASSERT_EQ(1, d->GetConstantCount());
  EXPECT_EQ(0x04000003, d->FindConstant("ID")->ToInt64());
}

TEST_F(ModuleClassReader, SubModulesGiveEveryNumberAsText) {
  static const PModuleWord constants[] = {T("2"), T("BIG"), T("9000000000"), T("3"), T("HALF"), T("0.5"),
                                          T("4"), T("NAME"), T("shapes"), T("7"), T("ODD"), T("1"),
                                          0};
  static const PModuleWord functions[] = {
      T("Draw"), T("2"), T("1"), T("2"), T("n"), T("1"), T("42"),
      T("Size"), T("3"), T("2"), T("4"), T("w"), T("0"), 0, T("9"), T("h"), T("1"), T("hi"),
      0};
  static const PModuleWord events[] = {T("Changed"), T("9"), T("1"), T("2"), T("n"),
                                       T("Moved@9"), T("4"), T("0"), 0};
  g_library.name = "Sub_Shapes";
  g_library.constants = constants;
  g_library.functions = functions;
  g_library.events = events;
  PObjectDefinition* d = Read();
  ASSERT_NE(nullptr, d);
  EXPECT_EQ(9000000000, d->FindConstant("BIG")->ToInt64());
  EXPECT_EQ(0.5, d->FindConstant("HALF")->ToDouble());
  EXPECT_STREQ("shapes", d->FindConstant("NAME")->ToString().GetText());
  EXPECT_EQ(nullptr, d->FindConstant("ODD"));

  ASSERT_EQ(4, d->GetMemberCount());
  const char* names[] = {"Draw", "Size", "Changed", "Moved"};
  const int numbers[] = {0, 1, 2, 9};
  for (int i = 0; i < 4; i++) {
    EXPECT_STREQ(names[i], d->GetMemberName(i));
    EXPECT_EQ(numbers[i], d->GetMemberId(i));
  }
  EXPECT_EQ(MEMBER_FUNCTION, d->GetMemberKind(1));
  EXPECT_EQ(MEMBER_EVENT, d->GetMemberKind(2));
  // Return type 3 and count 2: a Float function of two parameters, both
  // Strings (type numbers 4 and 9); return type 9 is Void.
  EXPECT_EQ(TYPE_FLOAT, d->GetReturnType(1)->GetTypeCode());
  ASSERT_EQ(2, d->GetParamCount(1));
  EXPECT_EQ(TYPE_STRING, ParamType(d, 1, 0));
  EXPECT_EQ(TYPE_STRING, ParamType(d, 1, 1));
  EXPECT_EQ(TYPE_VOID, d->GetReturnType(2)->GetTypeCode());
  EXPECT_EQ(TYPE_STRING, d->GetReturnType(3)->GetTypeCode());

  // Defaults: the "Sub_" text is the written form of an Integer.
  const SValue& draw = d->GetParamInfo(0, 0)->GetDefault();
  EXPECT_EQ(42, draw.ToInt64());
  EXPECT_STREQ("42", draw.GetName().GetText());
  EXPECT_FALSE(d->GetParamInfo(1, 0)->HasDefault());
  const SValue& h = d->GetParamInfo(1, 1)->GetDefault();
  EXPECT_STREQ("hi", h.ToString().GetText());
  EXPECT_STREQ("\"hi\"", h.GetName().GetText());
}

TEST_F(ModuleClassReader, ExtModulesGivePlainNumbersAndWrittenDefaults) {
  static const PModuleWord constants[] = {MODULE_CONSTANT_INTEGER, T("LOW"), PModuleWord(-7),
                                          MODULE_CONSTANT_FLOAT, T("RATIO"), T("2.5"),
                                          MODULE_CONSTANT_INTEGER, T("LOW"), 3,  // repeated: skipped
                                          MODULE_CONSTANT_INTEGER, T("9bad"), 3,  // no identifier: skipped
                                          0};
  static const PModuleWord functions[] = {
      T("Add"), MODULE_INTEGER, 2, MODULE_INTEGER, T("a"), 0, 0, MODULE_INTEGER, T("b"), 1, PModuleWord(-5),
      T("Greet"), MODULE_STRING, 1, MODULE_STRING, T("who"), 1, T("world"),
      T("Scale@4"), MODULE_FLOAT, 2, MODULE_FLOAT, T("x"), 1, T("1.25"), MODULE_UNISTRING, T("u"), 1, T("ab"),
      0};
  g_library.constants = constants;
  g_library.functions = functions;
  PObjectDefinition* d = Read();
  ASSERT_NE(nullptr, d);
  EXPECT_EQ(-7, d->FindConstant("LOW")->ToInt64());
  EXPECT_EQ(2.5, d->FindConstant("RATIO")->ToDouble());
  EXPECT_EQ(3, d->GetConstantCount());  // ID, LOW, RATIO

  ASSERT_EQ(3, d->GetMemberCount());
  EXPECT_EQ(0, d->GetMemberId(0));
  EXPECT_EQ(1, d->GetMemberId(1));
  EXPECT_EQ(4, d->GetMemberId(2));
  // Written forms: the decimal text of an "Ext_" number, the Float text
  // itself, texts in double quotes (a UniString converted).
  EXPECT_FALSE(d->GetParamInfo(0, 0)->HasDefault());
  struct Default {
    int member, param;
    const char* written;
    const char* text;
  } defaults[] = {{0, 1, "-5", "-5"}, {1, 0, "\"world\"", "world"}, {2, 0, "1.25", nullptr},
                  {2, 1, "\"ab\"", "ab"}};
  for (const Default& e : defaults) {
    SCOPED_TRACE(e.written);
    const PObjectInfo* info = d->GetParamInfo(e.member, e.param);
    ASSERT_TRUE(info->HasDefault());
    EXPECT_STREQ(e.written, info->GetDefault().GetName().GetText());
    if (e.text) EXPECT_STREQ(e.text, info->GetDefault().ToString().GetText());
  }
  EXPECT_EQ(1.25, d->GetParamInfo(2, 0)->GetDefault().ToDouble());
  EXPECT_TRUE(d->GetParamInfo(2, 1)->GetDefault().IsUniString());
  EXPECT_EQ(TYPE_UNISTRING, ParamType(d, 2, 1));
}

// Each table is refused as a whole, and the build with it.
TEST_F(ModuleClassReader, MalformedTablesAreRefused) {
  static const PModuleWord descending[] = {T("A@7"), 0, 0, T("B@5"), 0, 0, 0};
  static const PModuleWord repeated[] = {T("A@3"), 0, 0, T("B@3"), 0, 0, 0};
  static const PModuleWord counterBehind[] = {T("A@3"), 0, 0, T("B"), 0, 0, 0};
  static const PModuleWord negative[] = {T("A"), 0, PModuleWord(-1), 0};
  static const PModuleWord huge[] = {T("A"), 0, 0x7FFFFFFF, 0};
  static const PModuleWord bareAt[] = {T("A@"), 0, 0, 0};
  static const PModuleWord letterAt[] = {T("A@1x"), 0, 0, 0};
  static const PModuleWord wideAt[] = {T("A@65536"), 0, 0, 0};
  static const PModuleWord noName[] = {T("A"), 0, 1, MODULE_INTEGER, 0, 0, 0, 0};
  static const PModuleWord noDefault[] = {T("A"), 0, 1, MODULE_STRING, T("s"), 1, 0, 0};
  static const PModuleWord noFloat[] = {T("A"), 0, 1, MODULE_FLOAT, T("x"), 1, 0, 0};
  static const PModuleWord badName[] = {T("9A"), 0, 0, 0};
  static const PModuleWord twice[] = {T("A"), 0, 0, T("A"), 0, 0, 0};
  static const PModuleWord noConstantName[] = {MODULE_CONSTANT_INTEGER, 0, 1, 0};
  static const PModuleWord noConstantText[] = {MODULE_CONSTANT_STRING, T("S"), 0, 0};
  static const PModuleWord subNoCount[] = {T("A"), T("2"), 0, 0};
  static const PModuleWord subNoDefault[] = {T("A"), T("2"), T("1"), T("2"), T("n"), T("1"), 0, 0};
  struct Case {
    const char* what;
    const char* name;
    const PModuleWord* constants;
    const PModuleWord* functions;
    const PModuleWord* events;
  } cases[] = {
      {"descending numbers", "Ext_M", nullptr, descending, nullptr},
      {"a repeated number", "Ext_M", nullptr, repeated, nullptr},
      {"a counter behind an explicit number", "Ext_M", nullptr, counterBehind, nullptr},
      {"numbers across the tables", "Ext_M", nullptr, repeated + 3, descending},
      {"a negative parameter count", "Ext_M", nullptr, negative, nullptr},
      {"a parameter count past any signature", "Ext_M", nullptr, huge, nullptr},
      {"an event count past any signature", "Ext_M", nullptr, nullptr, huge},
      {"'@' without digits", "Ext_M", nullptr, bareAt, nullptr},
      {"'@' with a letter", "Ext_M", nullptr, letterAt, nullptr},
      {"a number wider than 16 bits", "Ext_M", nullptr, wideAt, nullptr},
      {"a parameter without name", "Ext_M", nullptr, noName, nullptr},
      {"a String default without text", "Ext_M", nullptr, noDefault, nullptr},
      {"a Float default without text", "Ext_M", nullptr, noFloat, nullptr},
      {"a member name that is no identifier", "Ext_M", nullptr, badName, nullptr},
      {"two members of one name", "Ext_M", nullptr, twice, nullptr},
      {"a constant without name", "Ext_M", noConstantName, nullptr, nullptr},
      {"a String constant without text", "Ext_M", noConstantText, nullptr, nullptr},
      {"a \"Sub_\" count without text", "Sub_M", nullptr, subNoCount, nullptr},
      {"a \"Sub_\" Integer default without text", "Sub_M", nullptr, subNoDefault, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PEngine fresh;
    ASSERT_TRUE(programtest::BuildProgram(fresh, "class Application\n"));
    g_library = Library();
    g_library.name = c.name;
    g_library.constants = c.constants;
    g_library.functions = c.functions;
    g_library.events = c.events;
    EXPECT_FALSE(ReadModuleClass(&fresh, 0, "m.dll", FakeExports()));
  }
}

}  // namespace
