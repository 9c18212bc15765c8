// Building programs into class definitions: what a sound program becomes,
// and every fault that makes the build fail, with the place and reason the
// package writer reports.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "engine/compiler/PCodeInfo.h"
#include "tests/engine/ProgramBuild.h"

using programtest::BuildProgram;
using programtest::FailureOf;

namespace {

TEST(PEngineBuild, SoundProgramBecomesCompiledClasses) {
  PEngine engine;
  ASSERT_TRUE(BuildProgram(engine,
                           "constant ID_OK 1\n"
                           "constant ID_NAME \"Tav%2Crin\"\n"
                           "constant ID_RATE 2.5\n"
                           "constant ID_MASK 0x10\n"
                           "constant ID_WORD hello\n"
                           "class Application\n"
                           "  Integer count\n"
                           "  Value shared\n"
                           "  Value owned new\n"
                           "  constant WIDTH 10\n"
                           "  constant SIZE 2*WIDTH hidden\n"
                           "function Integer Twice(Integer n=WIDTH, Integer flag=true)\n"
                           "  Integer local\n"
                           "  local=n*2\n"
                           "  return local\n"
                           "class Helper : Base\n"
                           "class Base\n"))
      << FailureOf(engine);

  PObjectDefinition* app = engine.GetApplicationDefinition();
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app->GetTypeCode(), 0x03415050u);
  EXPECT_EQ(engine.FindDefinitionByName("Helper")->GetTypeCode(), 0x03000001u);
  EXPECT_EQ(engine.FindDefinitionByName("Helper")->GetBase(), engine.FindDefinitionByName("Base"));

  // Global constants: four forms added in order after "ID", the bare word
  // skipped; their names without "ID_" sorted for the program's lookups.
  ASSERT_NE(app->FindConstant("ID_OK"), nullptr);
  EXPECT_EQ(app->FindConstant("ID_OK")->ToInt64(), 1);
  EXPECT_STREQ(app->FindConstant("ID_NAME")->ToString().GetText(), "Tav,rin");
  EXPECT_STREQ(app->FindConstant("ID_NAME")->GetText().GetText(), "\"Tav%2Crin\"");
  EXPECT_DOUBLE_EQ(app->FindConstant("ID_RATE")->ToDouble(), 2.5);
  EXPECT_EQ(app->FindConstant("ID_MASK")->ToInt64(), 16);
  EXPECT_EQ(app->FindConstant("ID_WORD"), nullptr);
  EXPECT_EQ(app->GetConstant(1), app->FindConstant("ID_OK"));
  SArray<SValue*> sorted;
  EXPECT_EQ(engine.CollectPackageConstants(&sorted), 4);
  ASSERT_EQ(sorted.GetCount(), 4);
  EXPECT_EQ(sorted.GetAt(0), app->FindConstant("ID_MASK"));
  EXPECT_EQ(sorted.GetAt(3), app->FindConstant("ID_RATE"));

  // Class constants are evaluated; SIZE keeps its source form and is hidden.
  SValue* size = app->FindConstant("SIZE");
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size->ToInt64(), 20);
  EXPECT_STREQ(size->GetText().GetText(), "2*WIDTH");
  EXPECT_EQ(size->GetFlag(), 1);

  // Variables: numbers are always made with the object; other classes only
  // with "new".
  PObjectInfo* count = app->FindVariable("count");
  ASSERT_NE(count, nullptr);
  EXPECT_TRUE(count->IsAutoCreate());
  EXPECT_FALSE(app->FindVariable("shared")->IsAutoCreate());
  EXPECT_TRUE(app->FindVariable("shared")->IsReference());
  EXPECT_TRUE(app->FindVariable("owned")->IsAutoCreate());

  // The member: defaults resolved (a constant, and true as 1), a local, code.
  int twice = app->FindMember("Twice");
  ASSERT_EQ(twice, 0);
  EXPECT_EQ(app->GetParamInfo(twice, 0)->GetDefault().ToInt64(), 10);
  EXPECT_EQ(app->GetParamInfo(twice, 1)->GetDefault().ToInt64(), 1);
  EXPECT_NE(app->FindLocalVariable(twice, "local", false, true), nullptr);
  ASSERT_NE(app->GetCode(twice), nullptr);
  EXPECT_EQ(app->GetCode(twice)->GetStatementCount(), 2);
}

// Names are replaced only as whole words (Global's E does not end BASE, OK
// does not end LOOK), a short name is read where it is declared rather than
// inside "constant", and a negative value keeps its sign, also where it is
// used again.
TEST(PEngineBuild, ClassConstantsOfEveryShape) {
  PEngine engine;
  ASSERT_TRUE(BuildProgram(engine,
                           "class Application\n"
                           "  constant BASE 40\n"
                           "  constant LOOK 3\n"
                           "class Other\n"
                           "  constant n 5\n"
                           "  constant t \"constant\"\n"
                           "  constant DOUBLE BASE*2+LOOK\n"
                           "  constant NEGF 0-2.5\n"
                           "  constant NEGI 0-7\n"
                           "  constant TWICE NEGF*2+NEGI*n\n"
                           "  constant BOTH PI+E\n"))
      << FailureOf(engine);
  PObjectDefinition* other = engine.FindDefinitionByName("Other");
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other->FindConstant("n")->ToInt64(), 5);
  EXPECT_STREQ(other->FindConstant("t")->ToString().GetText(), "constant");
  EXPECT_EQ(other->FindConstant("DOUBLE")->ToInt64(), 83);
  ASSERT_TRUE(other->FindConstant("NEGF")->IsDouble());
  EXPECT_DOUBLE_EQ(other->FindConstant("NEGF")->ToDouble(), -2.5);
  EXPECT_STREQ(other->FindConstant("NEGF")->GetText().GetText(), "0-2.5");
  EXPECT_EQ(other->FindConstant("NEGI")->ToInt64(), -7);
  EXPECT_DOUBLE_EQ(other->FindConstant("TWICE")->ToDouble(), -40.0);
  EXPECT_NEAR(other->FindConstant("BOTH")->ToDouble(), 3.14159265 + 2.71828183, 1e-6);
}

TEST(PEngineBuild, ManyClassesGetDistinctTypeCodes) {
  std::string text = "class Application\n";
  for (int i = 0; i < 300; i++) text += "class C" + std::to_string(i) + "\n";
  PEngine engine;
  ASSERT_TRUE(BuildProgram(engine, text.c_str())) << FailureOf(engine);
  std::set<TypeCode> codes;
  for (int i = 0; i < engine.GetDefinitionCount(); i++) codes.insert(engine.GetTypeCodeAt(i));
  EXPECT_EQ(int(codes.size()), engine.GetDefinitionCount());
}

// Each program fails the build; the report names the class, the member, the
// line and a reason containing the given words.
struct Fault {
  const char* program;
  const char* failure;  // class|member|line|reason-start
};

const Fault kFaults[] = {
    {"class Helper\n", "||-1|no class Application"},
    {"class Application : Missing\n", "Application||-1|the base class does not exist"},
    {"class Application : String\n", "Application||-1|a program class can only derive"},
    {"class Application\n  constant ID_X 1\n", "Application||0|the constant's name"},
    {"class Application\n  constant ID 1\n", "Application||0|the constant's name is taken"},
    {"class Application\n  constant A\n", "Application||0|a constant without"},
    {"class Application\n  constant A 1+\n", "Application||0|the constant's value does not"},
    {"class Application\n  constant A B\n  constant B A\n", "Application||0|the constant's value"},
    {"class Application\n  Integer a\n  nothing here\n", "Application||1|a class line that names"},
    {"class Application\n  Integer a\n  Integer a\n", "Application||1|a variable of this name"},
    {"class Application\n  Integer a b\n", "Application||0|a declaration with words"},
    {"class Application\n  Global g\n", "Application||0|no variable can be"},
    {"class Application\n  Pointer p new\n", "Application||0|no variable can be"},
    {"class Application\n  Void v\n", "Application||0|no variable can be"},
    {"class Application\nfunction Void Run()\n  Void x\n", "Application|Run|0|no variable can be"},
    {"class Application\nfunction Void Run()\n  constant A 1\n", "Application|Run|0|constants are"},
    {"class Application\nfunction Nothing Run()\n", "Application|Run|-1|the result class"},
    {"class Application\nfunction Void Run(Nothing n)\n", "Application|Run|-1|a parameter's class"},
    {"class Application\nfunction Void Run(Integer n=MISSING)\n", "Application|Run|-1|a default names"},
    {"class Application\nfunction Void Run()\nfunction Void Run()\n", "Application|Run|-1|the member was"},
    {"class Application\nfunction Void Run()\n  x=1\n", "Application|Run|0|the line does not"},
    {"class Application\nfunction Void Run()\n  if 1\n", "Application|Run|-1|the blocks do not"},
    {"class Application\n  Helper h new\nmessage Void Helper.Changed(Integer v)\n"
     "class Helper\nevent Void Changed(String v)\n",
     "Application|Helper.Changed|-1|the handler's signature"},
    {"class Application\nmessage Void Helper.Gone()\nclass Helper\n",
     "Application|Helper.Gone|-1|the class has no such event"},
    {"class Application\nmessage Void Nobody.Gone()\n", "Application|Nobody.Gone|-1|the handler names"},
    {"class Application\nclass Leaf : Root\nfunction Integer Size()\n  return 1\n"
     "class Root\nfunction String Size()\n  return \"1\"\n",
     "Leaf||-1|a member differs"},
};

// The package writer refuses two classes of one name itself; a package
// made otherwise still fails the build.
TEST(PEngineBuild, DuplicateClassFails) {
  PSource source;
  source.AddClass()->SetName("Application");
  source.AddClass()->SetName("Application");
  PEngine engine;
  EXPECT_FALSE(engine.Build("", &source, nullptr, true, false));
  EXPECT_EQ(FailureOf(engine), "Application||-1|a class of this name already exists");
}

TEST(PEngineBuild, EveryFaultFailsTheBuildWithItsPlace) {
  for (const Fault& fault : kFaults) {
    PEngine engine;
    EXPECT_FALSE(BuildProgram(engine, fault.program)) << fault.program;
    std::string got = FailureOf(engine);
    EXPECT_EQ(got.compare(0, std::strlen(fault.failure), fault.failure), 0)
        << fault.program << "\n  got: " << got;
  }
}

}  // namespace
