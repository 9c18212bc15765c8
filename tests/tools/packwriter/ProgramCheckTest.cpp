// A program the engine cannot build is reported to its author in the
// author's terms: the line of the program text, the line as written,
// constructor and destructor by those words, and why, where the compiler
// knows it.
#include <gtest/gtest.h>

#include <string>

#include "files/SFileMem.h"
#include "tools/packwriter/BuiltinClassNaming.h"
#include "tools/packwriter/ProgramCheck.h"
#include "tools/packwriter/ProgramTextReader.h"

namespace {

// The check's report; "" when the program builds.
std::string Report(const std::string& text) {
  SFileMem stream;
  stream.Allocate(0);
  stream.Write(text.data(), int(text.size()));
  ProgramTextReader reader(EngineBuiltinNaming());
  PSource program;
  if (!reader.Read(&stream, "app.txt", &program))
    return std::string("not read: ") + reader.GetError().GetText();
  SString report;
  if (CheckProgram(program, reader, &report)) return "";
  return report.GetText();
}

TEST(ProgramCheck, ASoundProgramBuilds) {
  EXPECT_EQ("", Report("class Application\n"
                       "  Integer n\n"
                       "function Void _00000000()\n"
                       "  n=1\n"
                       "  Global.3(1)\n"));
}

TEST(ProgramCheck, BodyLinesAreReportedWhereAndAsWrittenWithTheReason) {
  const std::string head =
      "# comment lines and blank lines count\n"
      "class Application\n"
      "  Integer n\n"
      "  Helper h\n"
      "  constant LIMIT 5\n"
      "\n"
      "function Void Run()\n"
      "  n=1\n";
  const std::string helper =
      "class Helper\n"
      "function Void Work(Integer a,Integer b=2)\n"
      "function Void Pair(Integer a)\n";
  struct Case {
    const char* line;
    const char* reason;
  } cases[] = {
      {"missing=n+1", "the line does not compile: unknown name \"missing\""},
      {"n = 2", "the line does not compile: a blank where the language allows none"},
      {"LIMIT=2", "the line does not compile: an assignment to a constant"},
      {"LIMIT++", "the line does not compile: an assignment to a constant"},
      {"Global.3(1,2)", "the line does not compile: \"Global.3\" takes 0 to 1 arguments, not 2"},
      {"h.Pair()", "the line does not compile: \"Pair\" takes 1 argument, not 0"},
      {"h.Work()", "the line does not compile: \"Work\" takes 1 to 2 arguments, not 0"},
      {"h.Rest(1)", "the line does not compile: class Helper has no member \"Rest\""},
      {"n=h.size", "the line does not compile: class Helper has no member \"size\""},
      {"Nowhere(1)", "the line does not compile: unknown function \"Nowhere\""},
      {"n=(1", "the line does not compile: a \"(\" without its \")\""},
      {"n=\"text", "an empty line or an open quote"},
      {"n=1;", "the line does not compile: a \";\" outside the three parts of a for line"},
      {"n=1+", "the line does not compile: a line cannot end with \"+\""},
      {"return 1", "the line does not compile: a member without result returns no value"},
  };
  for (const Case& c : cases) {
    std::string expected =
        std::string("app.txt:9: class Application, member Run, line \"") + c.line + "\": " + c.reason;
    EXPECT_EQ(expected, Report(head + "  " + c.line + "\n" + helper));
  }
}

TEST(ProgramCheck, SpecialMembersAndHandlersAreNamedAsTheAuthorKnowsThem) {
  EXPECT_EQ("app.txt:4: class Application, constructor, line \"x=1\": "
            "the line does not compile: unknown name \"x\"",
            Report("class Application\n"
                   "function Void _00000000()\n"
                   "  Global.3(1)\n"
                   "  x=1\n"));
  EXPECT_EQ("app.txt:3: class Application, destructor, line \"x=1\": "
            "the line does not compile: unknown name \"x\"",
            Report("class Application\n"
                   "function Void _00000001()\n"
                   "  x=1\n"));
  // A fault of the member itself is reported at its header.
  EXPECT_EQ("app.txt:2: class Application, constructor: "
            "the member was refused (its name, kind or signature)",
            Report("class Application\nfunction Integer _00000000()\n  return 1\n"));
  EXPECT_EQ("app.txt:3: class Application, member Run: the blocks do not match",
            Report("class Application\n\nfunction Void Run()\n  if 1\n"));
}

TEST(ProgramCheck, ClassFaultsNameTheClassLineOrHeader) {
  EXPECT_EQ("app.txt:3: class Application, line \"Nothing x\": a class line that names no class",
            Report("class Application\n  Integer n\n  Nothing x\n"));
  EXPECT_EQ("app.txt:2: class Helper: the base class does not exist",
            Report("class Application\nclass Helper : Nothing\n"));
  EXPECT_EQ("app.txt: no class Application", Report("class Helper\n"));
}

}  // namespace
