// Statements of nodes and the jump targets of every block form.
#include "tests/engine/compiler/PCodeInfoTestFixture.h"

namespace compilertest {
namespace {

using Closes_ = std::vector<Close>;

struct BlockCase {
  const char* name;
  std::vector<const char*> lines;
  Closes_ expected;  // closing node and jumps per statement
};

// "x" statements close with their last expression node, which keeps -1, -1.
constexpr int V = OP_INTEGER_VALUE;  // a plain read of i closes a plain statement
constexpr int A = OP_ASSIGN_VALUE;

class PCodeInfoBlocks : public CompilerTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(PCodeInfoBlocks, JumpTargets) {
  const BlockCase& c = GetParam();
  SStringArray body;
  for (const char* line : c.lines) body.Add(line);
  PCodeInfo code;
  code.SetDefinition(foo);
  code.SetMemberIndex(kMain);
  ASSERT_TRUE(code.Compile(body));
  EXPECT_EQ(Closes(code), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PCodeInfoBlocks,
    ::testing::Values(
        BlockCase{"IfElse",
                  {"if i==1", "i=1", "else", "i=2", "end"},
                  {{OP_IF, 1, 3}, {A, -1, -1}, {OP_ELSE, -1, 5}, {A, -1, -1}, {OP_END, -1, 5}}},
        // Each elseif is preceded by the jump that leaves the if from the
        // branch before it, so only one branch ever runs.
        BlockCase{"ElseifChain",
                  {"if i", "elseif i==2", "elseif i==3", "end"},
                  {{OP_IF, 1, 2},
                   {OP_ELSE, -1, 6},
                   {OP_ELSEIF, 6, 4},
                   {OP_ELSE, -1, 6},
                   {OP_ELSEIF, 6, 6},
                   {OP_END, -1, 6}}},
        BlockCase{"ElseifThenElse",
                  {"if i", "i=1", "elseif i==2", "i=2", "else", "i=3", "end"},
                  {{OP_IF, 1, 3},
                   {A, -1, -1},
                   {OP_ELSE, -1, 8},
                   {OP_ELSEIF, 8, 6},
                   {A, -1, -1},
                   {OP_ELSE, -1, 8},
                   {A, -1, -1},
                   {OP_END, -1, 8}}},
        // A branch that ends in a loop leaving on its condition reaches the
        // exit jump, not the elseif's test.
        BlockCase{"BranchEndingInLoop",
                  {"if i", "while i", "i-=1", "end", "elseif i==0", "i=5", "end"},
                  {{OP_IF, 1, 5},
                   {OP_WHILE, 2, 4},
                   {OP_SUBTRACT_ASSIGN, -1, -1},
                   {OP_END, -1, 1},
                   {OP_ELSE, -1, 8},
                   {OP_ELSEIF, 8, 8},
                   {A, -1, -1},
                   {OP_END, -1, 8}}},
        // The same after a nested if without else whose test was false.
        BlockCase{"BranchEndingInFalseIf",
                  {"if i", "if K", "end", "elseif i", "end"},
                  {{OP_IF, 1, 4},
                   {OP_IF, 2, 3},
                   {OP_END, -1, 3},
                   {OP_ELSE, -1, 6},
                   {OP_ELSEIF, 6, 6},
                   {OP_END, -1, 6}}},
        BlockCase{"WhileBreakContinue",
                  {"while i", "break", "continue", "end", "i"},
                  {{OP_WHILE, 1, 4}, {OP_BREAK, -1, 4}, {OP_CONTINUE, -1, 0}, {OP_END, -1, 0},
                   {V, -1, -1}}},
        BlockCase{"ForLoop",
                  {"for i=0;i<3;i++", "continue", "end"},
                  {{OP_FOR_START, -1, -1},
                   {OP_INCREMENT, -1, -1},
                   {OP_FOR, 3, 5},
                   {OP_CONTINUE, -1, 1},
                   {OP_END, -1, 1}}},
        BlockCase{"SwitchLabels",
                  {"switch i", "case 1", "case 2", "i=1", "break", "default", "i=2", "end"},
                  {{OP_SWITCH, 1, 8},
                   {OP_CASE, 2, 3},
                   {OP_CASE, 5, 3},
                   {A, -1, -1},
                   {OP_BREAK, -1, 8},
                   {OP_DEFAULT, -1, 6},
                   {A, -1, -1},
                   {OP_END, -1, 8}}},
        BlockCase{"ContinueInSwitchInWhile",
                  {"while i", "switch i", "case K", "continue", "end", "end"},
                  {{OP_WHILE, 1, 6},
                   {OP_SWITCH, 2, 5},
                   {OP_CASE, -1, 3},
                   {OP_CONTINUE, -1, 0},
                   {OP_END, -1, 5},
                   {OP_END, -1, 0}}},
        BlockCase{"ReturnJumpsPastTheLast",
                  {"if i", "return", "end"},
                  {{OP_IF, 1, 3}, {OP_RETURN, 3, -1}, {OP_END, -1, 3}}}),
    [](const ::testing::TestParamInfo<BlockCase>& info) { return info.param.name; });

TEST_F(CompilerTest, MalformedBlocksFail) {
  const std::vector<std::vector<const char*>> bodies = {
      {"else"},
      {"end"},
      {"if i", "else", "else", "end"},
      {"if i", "else", "elseif i", "end"},
      {"while i"},
      {"switch i", "i=1", "case 1", "end"},
      {"switch i", "case 1", "case 2", "i=1", "break", "i=2", "case 3", "end"},
      {"switch i", "default", "default", "end"},
      {"case 1+1"},
      {"switch i", "case i", "end"},
      {"break"},
      {"continue"},
      {"while i", "elseif i", "end"},
      {"return 1"},
      {"for i=0;;i++", "end"},
      {"i=1,2"},
      {"i)"},
      {"(i"},
  };
  for (const auto& lines : bodies) {
    SStringArray body;
    for (const char* line : lines) body.Add(line);
    PCodeInfo code;
    code.SetDefinition(foo);
    code.SetMemberIndex(kMain);
    EXPECT_FALSE(code.Compile(body)) << lines.front() << " ... (" << lines.size() << " lines)";
  }
}

TEST_F(CompilerTest, ReturnMustMatchTheResult) {
  EXPECT_FALSE(Compile({"return"}, kGetInt));
  auto code = Compile({"return 1"}, kGetInt);
  ASSERT_TRUE(code);
  EXPECT_EQ(Types(*code, 0), (std::vector<int>{OP_CONSTANT, OP_RETURN}));
  EXPECT_TRUE(Compile({"return"}, kMain));
}

TEST_F(CompilerTest, DeclarationLinesAreSkipped) {
  SStringArray body;
  body.Add("Integer n");
  body.GetAt(0)->SetTag(1);
  PCodeInfo code;
  code.SetDefinition(foo);
  code.SetMemberIndex(kMain);
  ASSERT_TRUE(code.Compile(body));
  EXPECT_EQ(code.GetStatementCount(), 0);
}

TEST_F(CompilerTest, DeleteAndInterceptCloseAPlainStatement) {
  auto code = Compile({"delete o", "intercept p"});
  ASSERT_TRUE(code);
  EXPECT_EQ(Types(*code, 0), (std::vector<int>{OP_VARIABLE, OP_DELETE}));
  EXPECT_EQ(Types(*code, 1), (std::vector<int>{OP_VARIABLE, OP_INTERCEPT}));
}

TEST_F(CompilerTest, EstimatesFollowTheLargestStatementAndCall) {
  auto code = Compile({"g(i,s)", "i=i+1+2"});
  ASSERT_TRUE(code);
  EXPECT_EQ(code->GetStackDepth(), 4);  // object i, value i, 1, 2
  EXPECT_EQ(code->GetMaxParams(), 2);
  EXPECT_EQ(code->GetMaxIntegers(), 1);
  EXPECT_EQ(code->GetMaxStrings(), 1);
  EXPECT_EQ(code->GetMaxFloats(), 0);
  code->Clear();
  EXPECT_EQ(code->GetStatementCount(), 0);
  EXPECT_EQ(code->GetStackDepth(), 0);
}

}  // namespace
}  // namespace compilertest
