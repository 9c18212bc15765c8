// Node lists of expressions: operators, assignments, and/or groups, calls,
// defaults, qualified calls and "$" strings.
#include "tests/engine/compiler/PCodeInfoTestFixture.h"

namespace compilertest {
namespace {

using Nodes = std::vector<int>;

struct ExpressionCase {
  const char* name;
  const char* line;
  Nodes expected;
};

class PCodeInfoExpressions : public CompilerTest,
                             public ::testing::WithParamInterface<ExpressionCase> {};

TEST_P(PCodeInfoExpressions, Nodes) {
  auto code = Compile({GetParam().line});
  ASSERT_TRUE(code) << GetParam().line;
  ASSERT_EQ(code->GetStatementCount(), 1);
  EXPECT_EQ(Types(*code, 0), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PCodeInfoExpressions,
    ::testing::Values(
        ExpressionCase{"ValueAssignment", "i=i+1",
                       {OP_VARIABLE, OP_INTEGER_VALUE, OP_CONSTANT, OP_ADD, OP_ASSIGN_VALUE}},
        ExpressionCase{"NewRebinds", "o=new Foo", {OP_VARIABLE_CELL, OP_NEW, OP_ASSIGN}},
        ExpressionCase{"ObjectRebinds", "o=p", {OP_VARIABLE_CELL, OP_VARIABLE, OP_ASSIGN}},
        ExpressionCase{"LeftAssociation", "i-i-i",
                       {OP_INTEGER_VALUE, OP_INTEGER_VALUE, OP_SUBTRACT, OP_INTEGER_VALUE,
                        OP_SUBTRACT}},
        ExpressionCase{"SignBindsTighter", "-i*i",
                       {OP_INTEGER_VALUE, OP_NEGATE, OP_INTEGER_VALUE, OP_MULTIPLY}},
        ExpressionCase{"PrefixesRightToLeft", "!~i+1",
                       {OP_INTEGER_VALUE, OP_COMPLEMENT, OP_NOT, OP_CONSTANT, OP_ADD}},
        ExpressionCase{"StepOnTheVariable", "-i++", {OP_VARIABLE, OP_INCREMENT, OP_NEGATE}},
        ExpressionCase{"Precedence", "i+i*2<<1==3",
                       {OP_INTEGER_VALUE, OP_INTEGER_VALUE, OP_CONSTANT, OP_MULTIPLY, OP_ADD,
                        OP_CONSTANT, OP_SHIFT_LEFT, OP_CONSTANT, OP_EQUAL}},
        ExpressionCase{"Group", "(i+1)*2",
                       {OP_INTEGER_VALUE, OP_CONSTANT, OP_ADD, OP_CONSTANT, OP_MULTIPLY}},
        ExpressionCase{"ConstantsByName", "K+true+null",
                       {OP_CONSTANT, OP_CONSTANT, OP_ADD, OP_CONSTANT, OP_ADD}},
        ExpressionCase{"MemberVariableOfAnother", "o.i=p.i",
                       {OP_VARIABLE, OP_MEMBER, OP_VARIABLE, OP_MEMBER_INTEGER, OP_ASSIGN_VALUE}},
        ExpressionCase{"ConstantThroughAnObject", "o.p.K", {OP_CONSTANT}},
        ExpressionCase{"OwnCall", "getInt()", {OP_THIS, OP_CALL}},
        ExpressionCase{"DefaultArgument", "f(1)", {OP_THIS, OP_CONSTANT, OP_CONSTANT, OP_CALL}},
        ExpressionCase{"CallOnAnObject", "o.f(i,2)",
                       {OP_VARIABLE, OP_INTEGER_VALUE, OP_CONSTANT, OP_CALL}},
        ExpressionCase{"CompoundOnText", "s+=\"x\"", {OP_VARIABLE, OP_CONSTANT, OP_ADD_ASSIGN}}),
    [](const ::testing::TestParamInfo<ExpressionCase>& info) { return info.param.name; });

TEST_F(CompilerTest, FailingExpressions) {
  for (const char* line :
       {"K=1", "new Integer", "new Global", "i=i=1", "1=i", "f()", "f(1,2,3)", "g(1)",
        "unknown", "unknown()", "Foo", "o.this", "this.caller", "i+", "K.i", "caller.i",
        "getInt()=1", "o=", "Bar.run()", "o.notify()"}) {
    EXPECT_FALSE(Compile({line})) << line;
  }
}

// Calling the special members by their internal names would run them a
// second time on an object that is still alive, or already released.
TEST_F(CompilerTest, SpecialMembersCannotBeCalled) {
  EXPECT_FALSE(Compile({"_00000001()"}));
  EXPECT_FALSE(Compile({"_00000000()"}));
  EXPECT_FALSE(Compile({"o._00000001()"}));
  EXPECT_FALSE(Compile({"this._00000000()"}));
}

TEST_F(CompilerTest, DefaultValueAndCallFields) {
  auto code = Compile({"f(1)"});
  ASSERT_TRUE(code);
  EXPECT_EQ(Node(*code, 0, 2)->constant->ToInt64(), 7);
  const PCodeInfo::_PData* call = Node(*code, 0, 3);
  EXPECT_EQ(call->memberIndex, kTwoArgs);
  EXPECT_EQ(call->memberId, 12);
  EXPECT_EQ(call->paramCount, 2);
  EXPECT_EQ(call->memberKind, MEMBER_FUNCTION);
  EXPECT_EQ(call->returnType, TYPE_VOID);
  EXPECT_TRUE(call->isVirtual);
  EXPECT_EQ(call->declaringClass, nullptr);
}

TEST_F(CompilerTest, OwnEventIsCalledWithoutDispatch) {
  auto code = Compile({"notify()"});
  ASSERT_TRUE(code);
  const PCodeInfo::_PData* call = Node(*code, 0, 1);
  EXPECT_EQ(call->memberKind, MEMBER_EVENT);
  EXPECT_FALSE(call->isVirtual);
}

TEST_F(CompilerTest, BaseQualifiedCallIsNotVirtual) {
  auto code = Compile({"Foo.getInt()"}, 0, bar);
  ASSERT_TRUE(code);
  EXPECT_EQ(Types(*code, 0), (Nodes{OP_CLASS, OP_CALL}));
  EXPECT_EQ(Node(*code, 0, 0)->classDef, foo);
  EXPECT_FALSE(Node(*code, 0, 1)->isVirtual);
  EXPECT_EQ(Node(*code, 0, 1)->memberIndex, kGetInt);

  // A plain call of an inherited function names the class that declares it.
  auto inherited = Compile({"getInt()"}, 0, bar);
  ASSERT_TRUE(inherited);
  EXPECT_EQ(Node(*inherited, 0, 1)->declaringClass, foo);
  EXPECT_TRUE(Node(*inherited, 0, 1)->isVirtual);
}

TEST_F(CompilerTest, GlobalCalls) {
  PObjectDefinition* global = engine.GetGlobalDefinition();
  if (!global) {
    // Where the built-in Global class is not registered, one of its own
    // stands in.
    global = AddClass(engine, TYPE_GLOBAL, "Global");
    ASSERT_NE(global, nullptr);
    ASSERT_TRUE(AddScript(global, MEMBER_FUNCTION, 1, ScriptSignature("beep", TYPE_VOID)));
  }
  ASSERT_EQ(engine.GetGlobalDefinition(), global);
  int member = -1;
  for (int m = 0; m < global->GetMemberCount() && member < 0; m++)
    if (global->GetMemberKind(m) == MEMBER_FUNCTION) member = m;
  if (member < 0) {
    ASSERT_TRUE(AddScript(global, MEMBER_FUNCTION, 1, ScriptSignature("beep", TYPE_VOID)));
    member = global->GetMemberCount() - 1;
  }
  std::string name = global->GetMemberName(member);
  std::string args;
  for (int p = 0; p < global->GetParamCount(member); p++) args += p ? ",1" : "1";
  for (std::string line : {"Global." + name + "(" + args + ")", name + "(" + args + ")"}) {
    auto code = Compile({line.c_str()});
    ASSERT_TRUE(code) << line;
    const PCodeInfo::NodeList* nodes = code->GetStatement(0);
    EXPECT_EQ(nodes->GetAt(0)->type, OP_GLOBAL) << line;
    EXPECT_EQ(nodes->GetLast()->type, OP_CALL) << line;
    EXPECT_TRUE(nodes->GetLast()->isVirtual);
    EXPECT_EQ(nodes->GetLast()->memberIndex, member);
    EXPECT_EQ(Node(*code, 0, 0)->classDef, nullptr);
  }
}

// «x=a and b» leaves x alone when a is false: the jump passes the assignment.
TEST_F(CompilerTest, AndOrJumpToTheEndOfTheirGroup) {
  auto code = Compile({"i=i and K", "i=(i or K)", "f(i and K,2)"});
  ASSERT_TRUE(code);
  EXPECT_EQ(Types(*code, 0),
            (Nodes{OP_VARIABLE, OP_INTEGER_VALUE, OP_AND, OP_CONSTANT, OP_ASSIGN_VALUE}));
  EXPECT_EQ(Node(*code, 0, 2)->jump1, 5);
  EXPECT_EQ(Types(*code, 1),
            (Nodes{OP_VARIABLE, OP_INTEGER_VALUE, OP_OR, OP_CONSTANT, OP_ASSIGN_VALUE}));
  EXPECT_EQ(Node(*code, 1, 2)->jump1, 4);
  EXPECT_EQ(Types(*code, 2),
            (Nodes{OP_THIS, OP_INTEGER_VALUE, OP_AND, OP_CONSTANT, OP_CONSTANT, OP_CALL}));
  EXPECT_EQ(Node(*code, 2, 2)->jump1, 4);
}

// The removed member-access nodes move later and/or targets down.
TEST_F(CompilerTest, AndOrTargetsFollowRemovedAccessNodes) {
  auto code = Compile({"i and o.i"});
  ASSERT_TRUE(code);
  EXPECT_EQ(Types(*code, 0), (Nodes{OP_INTEGER_VALUE, OP_AND, OP_VARIABLE, OP_MEMBER_INTEGER}));
  EXPECT_EQ(Node(*code, 0, 1)->jump1, 4);
}

TEST_F(CompilerTest, StringSubstitutions) {
  auto code = Compile({"s=\"a$i b\"", "s=\"x$i!\"", "s=\"$s%22$$i$nothing\"", "s=\"%41$K\""});
  ASSERT_TRUE(code);
  EXPECT_EQ(Types(*code, 0), (Nodes{OP_VARIABLE, OP_CONSTANT, OP_INTEGER_VALUE, OP_ADD,
                                     OP_CONSTANT, OP_ADD, OP_ASSIGN_VALUE}));
  EXPECT_EQ(Node(*code, 0, 1)->constant->ToString(), "a");
  EXPECT_EQ(Node(*code, 0, 4)->constant->ToString(), " b");
  EXPECT_EQ(Node(*code, 1, 4)->constant->ToString(), "!");
  // Starts with a substitution, so with an empty text; "$$" is one "$" and
  // an unknown name stays as written.
  EXPECT_EQ(Types(*code, 2), (Nodes{OP_VARIABLE, OP_CONSTANT, OP_STRING_QUOTED, OP_ADD,
                                     OP_CONSTANT, OP_ADD, OP_ASSIGN_VALUE}));
  EXPECT_EQ(Node(*code, 2, 1)->constant->ToString(), "");
  EXPECT_EQ(Node(*code, 2, 4)->constant->ToString(), "\"$i$nothing");
  // An empty remainder after a substitution is left out.
  EXPECT_EQ(Types(*code, 3), (Nodes{OP_VARIABLE, OP_CONSTANT, OP_CONSTANT, OP_ADD,
                                     OP_ASSIGN_VALUE}));
  EXPECT_EQ(Node(*code, 3, 1)->constant->ToString(), "A");
  EXPECT_EQ(Node(*code, 3, 2)->constant->ToInt64(), 5);
}

TEST_F(CompilerTest, NumbersKeepTheirKind) {
  auto code = Compile({"i=2.5+12"});
  ASSERT_TRUE(code);
  EXPECT_TRUE(Node(*code, 0, 1)->constant->IsDouble());
  EXPECT_TRUE(Node(*code, 0, 2)->constant->IsInt64());
  EXPECT_EQ(Node(*code, 0, 2)->constant->ToInt64(), 12);
}

}  // namespace
}  // namespace compilertest
