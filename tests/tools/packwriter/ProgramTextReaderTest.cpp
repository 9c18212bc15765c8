// The program text form: headers, content lines, parameters with their
// defaults, built-in member numbers, and the faults reported with a line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "files/SFileMem.h"
#include "tools/packwriter/BuiltinClassNaming.h"
#include "tools/packwriter/ProgramTextReader.h"

namespace {

// A naming of a few classes at their engine positions.
int FindClass(const char* name) {
  if (std::strcmp(name, "Global") == 0) return 0;
  if (std::strcmp(name, "String") == 0) return 21;
  if (std::strcmp(name, "Button") == 0) return 0x4A;
  return -1;
}

SString Name(int classIndex, int member) {
  SString s;
  s.Format("<%d:%d>", classIndex, member);
  return s;
}

const BuiltinNaming kNaming = {FindClass, Name};

bool ReadText(const std::string& text, PSource& program, SString* error = nullptr,
              const BuiltinNaming& naming = kNaming) {
  SFileMem stream;
  stream.Allocate(0);
  stream.Write(text.data(), int(text.size()));
  ProgramTextReader reader(naming);
  bool ok = reader.Read(&stream, "app.txt", &program);
  if (error) *error = reader.GetError();
  return ok;
}

TEST(ProgramTextReader, ReadsHeadersContentLinesAndParameters) {
  PSource program;
  ASSERT_TRUE(ReadText(
      "# comment\r\n"
      "constant ID_OK 1\n"
      "constant GREETING \"Hello, world\"  \n"
      "\n"
      "class Application\n"
      "  Integer count\n"
      "\tconstant WIDTH 10\n"
      "function Integer Add(Integer a, Integer b = 2, String s=\"x, y\", Integer c=Window.SIZE, Integer d=MAX)\n"
      "    count=a+b\n"
      "\n"
      "    return count\n"
      "event Void Changed()\n"
      "class Helper : Application\n"
      "message Integer Button.12(Integer code=true)\n"
      "  return 0\n",
      program));

  ASSERT_EQ(program.GetConstantCount(), 2);
  EXPECT_TRUE(program.GetConstantName(1) == "GREETING");
  EXPECT_TRUE(program.GetConstantValue(1) == "\"Hello, world\"");
  ASSERT_EQ(program.GetClassCount(), 2);

  const PSource::_PObject& app = *program.GetClass(0);
  EXPECT_TRUE(app.GetName() == "Application");
  EXPECT_TRUE(app.GetBaseName() == "");
  ASSERT_EQ(app.GetClassLines().GetCount(), 2);
  EXPECT_TRUE(app.GetClassLines().GetString(1) == "constant WIDTH 10");
  ASSERT_EQ(app.GetMemberCount(), 2);

  const PSource::_PFunction& add = *app.GetMember(0);
  EXPECT_EQ(add.GetKind(), 1);
  EXPECT_TRUE(add.GetName() == "Add");
  EXPECT_TRUE(add.GetReturnType() == "Integer");
  ASSERT_EQ(add.GetBodyLines().GetCount(), 2);
  EXPECT_TRUE(add.GetBodyLines().GetString(1) == "return count");
  ASSERT_EQ(add.GetParameterCount(), 5);
  EXPECT_FALSE(add.HasDefault(0));
  EXPECT_TRUE(add.GetDefaultText(0) == "");
  struct {
    const char* name;
    const char* written;
    const char* value;
  } defaults[] = {{"b", "2", "2"},
                  {"s", "\"x, y\"", "x, y"},
                  {"c", "Window.SIZE", "&Window.SIZE"},
                  {"d", "MAX", "&MAX"}};
  for (int i = 1; i < 5; i++) {
    EXPECT_TRUE(add.GetParameterName(i) == defaults[i - 1].name) << i;
    EXPECT_TRUE(add.HasDefault(i)) << i;
    EXPECT_TRUE(add.GetDefaultText(i) == defaults[i - 1].written) << i;
    EXPECT_TRUE(add.GetDefaultValue(i) == defaults[i - 1].value) << i;
  }
  EXPECT_EQ(app.GetMember(1)->GetKind(), 2);
  EXPECT_EQ(app.GetMember(1)->GetParameterCount(), 0);

  const PSource::_PObject& helper = *program.GetClass(1);
  EXPECT_TRUE(helper.GetBaseName() == "Application");
  const PSource::_PFunction& handler = *helper.GetMember(0);
  EXPECT_EQ(handler.GetKind(), 3);
  EXPECT_TRUE(handler.GetName() == "Button.<74:12>");
  EXPECT_TRUE(handler.GetDefaultValue(0) == "true");
}

TEST(ProgramTextReader, BuiltinMemberNumbersBecomeInternalNames) {
  struct {
    const char* line;
    const char* expected;
  } cases[] = {
      {"x=s.String.3(1)", "x=s.<21:3>(1)"},
      {"Global.0(String.103)", "<0:0>(<21:103>)"},
      {"s=\"String.3\"+t.String.4()", "s=\"String.3\"+t.<21:4>()"},  // not inside strings
      {"x=MyString.3", "x=MyString.3"},      // part of a longer word
      {"x=Other.3", "x=Other.3"},            // no built-in class
      {"x=String.3a", "x=String.3a"},        // no member number
      {"x=String.x", "x=String.x"},
      {"x=1.5+String.0", "x=1.5+<21:0>"},
  };
  for (const auto& c : cases) {
    PSource program;
    ASSERT_TRUE(ReadText(std::string("class A\nfunction Void f()\n  ") + c.line + "\n", program));
    EXPECT_TRUE(program.GetClass(0)->GetMember(0)->GetBodyLines().GetString(0) == c.expected)
        << c.line << " gave " << program.GetClass(0)->GetMember(0)->GetBodyLines().GetString(0).GetText();
  }
}

TEST(ProgramTextReader, EngineNamingMatchesTheEngineInternalNames) {
  PSource program;
  ASSERT_TRUE(ReadText("class A\nfunction Void f()\n  x=s.String.3()\n", program, nullptr,
                       EngineBuiltinNaming()));
  // Member 3 of String (class 21 = 0x15): "_1503" with characters 1 and 4
  // exchanged.
  EXPECT_TRUE(program.GetClass(0)->GetMember(0)->GetBodyLines().GetString(0) == "x=s._3501()");
}

TEST(ProgramTextReader, FaultsAreReportedWithTheirLine) {
  struct {
    std::string text;
    int line;
  } cases[] = {
      {"  orphan line\n", 1},
      {"class A\nconstant X 1\n  line under a constant\n", 3},
      {"function Void f()\n", 1},                      // no class yet
      {"class A\nclass A\n", 2},                       // duplicate class
      {"class A B\n", 1},
      {"class A :\n", 1},
      {"class A\nfunction f()\n", 2},                  // no return type
      {"class A\nfunction Void f\n", 2},               // no parentheses
      {"class A\nfunction Void f(Integer)\n", 2},      // parameter without name
      {"class A\nfunction Void f(Integer a,)\n", 2},   // empty parameter
      {"class A\nfunction Void f(Integer a=)\n", 2},   // empty default
      {"class A\nfunction Void f(String s=\"x)\n", 2}, // open string
      {"class A\nmessage Void Closed()\n", 2},         // handler without class
      {"class A\nfunction Void f()\n  x=String.256\n", 3},
      {"constant X\n", 1},
      {"klass A\n", 1},
      {std::string("class A\n\0", 9), 2},
  };
  for (const auto& c : cases) {
    PSource program;
    SString error;
    EXPECT_FALSE(ReadText(c.text, program, &error)) << c.text.c_str();
    SString prefix;
    prefix.Format("app.txt:%d: ", c.line);
    EXPECT_EQ(error.Find(prefix.GetText()), 0) << c.text.c_str() << " gave " << error.GetText();
  }
}

}  // namespace
