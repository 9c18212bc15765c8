// Programs running on the stack machine: their members called the way the
// engine calls them, results read from the result cell, and the life of
// user objects (construction order, release inside a call, events raised by
// scripts, the engine's ends).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "classes/PObjInt.h"
#include "classes/PObjString.h"
#include "classes/PObjValue.h"
#include "engine/PEngine.h"
#include "engine/PObjStruct.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "engine/PObjectRef.h"
#include "tests/engine/ProgramBuild.h"

using programtest::BuildProgram;
using programtest::FailureOf;

namespace {

class StackMachine : public ::testing::Test {
 protected:
  void TearDown() override {
    if (engine.GetGlobal()) engine.Stop(false);
  }

  // Builds and starts the program (the Application constructed).
  bool Start(const char* program) {
    if (!BuildProgram(engine, program)) {
      ADD_FAILURE() << FailureOf(engine);
      return false;
    }
    return engine.Start(nullptr);
  }

  PObject* App() { return engine.GetApplication(); }

  int Member(const char* name) { return App()->GetDefinition()->FindMember(name); }

  // The Application's member with Integer arguments and an integer result.
  int64_t CallInt(const char* name, std::initializer_list<int64_t> args = {}) {
    PArgBlock<8> block;
    std::vector<PObject*> made;
    for (int64_t v : args) {
      PObjInt* n = engine.NewInteger();
      n->SetValue(v);
      made.push_back(n);
      block->Set(int(block->count++), n);
    }
    int64_t storage = -12345;
    PResultCell cell = &storage;
    int member = Member(name);
    EXPECT_GE(member, 0) << name;
    EXPECT_TRUE(App()->Call(uint16_t(member), block.Get(), &cell, nullptr)) << name;
    for (PObject* o : made) PObject::DeleteObject(o);
    return storage;
  }

  // The Application's member with one Integer argument, for a call that
  // may fail: the call's own result.
  bool CallOnce(const char* name, int64_t argument) {
    PArgBlock<1> block;
    PObjInt* n = engine.NewInteger();
    n->SetValue(argument);
    block->count = 1;
    block->Set(0, n);
    int64_t storage = 0;
    PResultCell cell = &storage;
    const bool ok = App()->Call(uint16_t(Member(name)), block.Get(), &cell, nullptr);
    PObject::DeleteObject(n);
    return ok;
  }

  std::string CallText(const char* name) {
    PResultCell cell = nullptr;
    int member = Member(name);
    EXPECT_GE(member, 0) << name;
    EXPECT_TRUE(App()->Call(uint16_t(member), nullptr, &cell, nullptr)) << name;
    std::string text = cell ? static_cast<char*>(cell) : "<none>";
    std::free(cell);
    return text;
  }

  // The text of a String member variable of the Application.
  std::string Variable(const char* name) {
    PObjectInfo* info = App()->GetDefinition()->FindVariable(name);
    PObjectRef* cell = static_cast<PObjStruct*>(App())->FindRef(info);
    return static_cast<PObjString*>(cell->GetRefObject())->GetText();
  }

  PEngine engine;
};

TEST_F(StackMachine, ExpressionsAndAssignments) {
  ASSERT_TRUE(Start(
      "class Application\n"
      "  String s\n"
      "  Float f\n"
      "  constant BASE 40\n"
      "function Integer Arithmetic()\n"
      "  return (BASE+2)*3-7%4\n"
      "function Integer Bits()\n"
      "  return (6|9)^(12&10)<<1\n"
      "function Integer Logic(Integer a)\n"
      "  return a>2 and a<5 or a==10\n"
      "function Integer Increment()\n"
      "  Integer i\n"
      "  i=41\n"
      "  return i++\n"
      "function String Texts()\n"
      "  s=\"ab\"\n"
      "  s+=1\n"
      "  s+=\"c\"\n"
      "  s*=2\n"
      "  return s+\"-\"+3\n"
      "function Integer Divide()\n"
      "  f=7\n"
      "  f/=2\n"
      "  return f*10\n"
      "function Integer Matches()\n"
      "  return \"tavrin.exe\"?=\"*.exe\"\n"
      "function Integer Compare()\n"
      "  return (10>\"9\")+(2<=2)*10+(!0)*100+(-5<0)*1000\n"))
      << FailureOf(engine);
  EXPECT_EQ(CallInt("Arithmetic"), 123);
  // Shifts bind tighter than the bit operators.
  EXPECT_EQ(CallInt("Bits"), 15 ^ (8 << 1));
  EXPECT_EQ(CallInt("Logic", {3}), 1);
  EXPECT_EQ(CallInt("Logic", {7}), 0);
  EXPECT_EQ(CallInt("Logic", {10}), 1);
  EXPECT_EQ(CallInt("Increment"), 42);
  EXPECT_EQ(CallText("Texts"), "ab1c-3");
  EXPECT_EQ(CallInt("Divide"), 35);
  EXPECT_EQ(CallInt("Matches"), 1);
  // 10 against "9" compares as text: "10" < "9".
  EXPECT_EQ(CallInt("Compare"), 1110);
}

TEST_F(StackMachine, ControlFlow) {
  ASSERT_TRUE(Start(
      "class Application\n"
      "function Integer Grade(Integer n)\n"
      "  if n>=90\n"
      "    return 1\n"
      "  elseif n>=80\n"
      "    return 2\n"
      "  elseif n>=70\n"
      "    Integer unused\n"
      "    n=3\n"
      "  else\n"
      "    n=4\n"
      "  end\n"
      "  return n\n"
      "function Integer Sum(Integer n)\n"
      "  Integer total\n"
      "  Integer i\n"
      "  for i=1;i<=n;i++\n"
      "    if i==3\n"
      "      continue\n"
      "    end\n"
      "    if i>8\n"
      "      break\n"
      "    end\n"
      "    total+=i\n"
      "  end\n"
      "  return total\n"
      "function Integer FirstOver(Integer limit)\n"
      "  Integer i\n"
      "  while 1\n"
      "    i++\n"
      "    if i*i>limit\n"
      "      return i\n"
      "    end\n"
      "  end\n"
      "  return -1\n"
      "function Integer Label(Integer v)\n"
      "  Integer r\n"
      "  switch v\n"
      "  case 1\n"
      "    r+=1\n"
      "  default\n"
      "    r+=10\n"
      "  case 2\n"
      "    r+=100\n"
      "    break\n"
      "  case 3\n"
      "    r+=1000\n"
      "  end\n"
      "  return r\n"
      "function Integer Depth(Integer n)\n"
      "  Integer mine\n"
      "  mine=n*10\n"
      "  if n>0\n"
      "    Depth(n-1)\n"
      "  end\n"
      "  return mine\n"
      "function Integer Fib(Integer n)\n"
      "  if n<2\n"
      "    return n\n"
      "  end\n"
      "  return Fib(n-1)+Fib(n-2)\n"))
      << FailureOf(engine);
  EXPECT_EQ(CallInt("Grade", {95}), 1);
  EXPECT_EQ(CallInt("Grade", {85}), 2);
  EXPECT_EQ(CallInt("Grade", {75}), 3);
  EXPECT_EQ(CallInt("Grade", {5}), 4);
  EXPECT_EQ(CallInt("Sum", {100}), 1 + 2 + 4 + 5 + 6 + 7 + 8);
  EXPECT_EQ(CallInt("FirstOver", {50}), 8);
  // Fall-through: case 1 runs into default and case 2; an unmatched value
  // starts at default; case 3 does not fall into what follows the end.
  EXPECT_EQ(CallInt("Label", {1}), 111);
  EXPECT_EQ(CallInt("Label", {2}), 100);
  EXPECT_EQ(CallInt("Label", {7}), 110);
  EXPECT_EQ(CallInt("Label", {3}), 1000);
  EXPECT_EQ(CallInt("Fib", {15}), 610);
  // Each recursive call has its own locals: the outer "mine" survives.
  EXPECT_EQ(CallInt("Depth", {3}), 30);
  EXPECT_EQ(CallInt("Depth", {1500}), 15000);
}

// Numbers keep their rules where the machine computes them itself: Integer
// and Float mixed, NaN unordered, division by zero infinite, wrapping at 64
// bits, a Float read as text, and a variable that a handler changes while
// the member that raised the event runs.
TEST_F(StackMachine, NumbersKeepTheirRulesOnTheFastPaths) {
  ASSERT_TRUE(Start(
      "class Application\n"
      "  Integer seen\n"
      "  Counter counter new\n"
      "function Integer Mixed()\n"
      "  Float f\n"
      "  Integer i\n"
      "  i=3\n"
      "  f=0.5\n"
      "  return (i+f)*4+(f*i)*2-i/2\n"
      "function Integer Unordered()\n"
      "  Float z\n"
      "  Float n\n"
      "  n=z/z\n"
      "  return (n==n)+(n!=n)*10+(n<1)*100+(n>=1)*1000+(1.5>1)*10000+(2==2.0)*100000\n"
      "function Integer Infinite()\n"
      "  Float z\n"
      "  return (1/z>1000000)+((0-1)/z<0)*10+(z*(0-1)==0)*100\n"
      "function Integer Negated()\n"
      "  Float f\n"
      "  f=2.5\n"
      "  f=-f*4\n"
      "  return f-(-0.5)\n"
      "function Integer Wrapped()\n"
      "  Integer i\n"
      "  i=9223372036854775807\n"
      "  i+=1\n"
      "  return i\n"
      "function Integer Remainder()\n"
      "  Integer i\n"
      "  i=9223372036854775807\n"
      "  i+=1\n"
      "  return (7%3)*100+(-7%3)*10+i%(0-1)\n"
      "function String FloatText()\n"
      "  Float f\n"
      "  f=2.5\n"
      "  return \"f=\"+f+\" g=\"+(f*2)\n"
      "function Integer Raised()\n"
      "  seen=1\n"
      "  counter.Fire()\n"
      "  return seen*10+counter.total\n"
      "message Void Counter.Changed()\n"
      "  seen=7\n"
      "class Counter\n"
      "  Integer total\n"
      "event Void Changed()\n"
      "function Void Fire()\n"
      "  total=2\n"
      "  Changed()\n"
      "  total+=1\n"))
      << FailureOf(engine);
  // A division's result is a Float: 14 + 3 - 1.5, truncated.
  EXPECT_EQ(CallInt("Mixed"), 15);
  EXPECT_EQ(CallInt("Unordered"), 110010);
  EXPECT_EQ(CallInt("Infinite"), 111);
  EXPECT_EQ(CallInt("Negated"), -9);
  EXPECT_EQ(CallInt("Wrapped"), INT64_MIN);
  // The remainder takes the dividend's sign; the most negative value by -1
  // leaves none.
  EXPECT_EQ(CallInt("Remainder"), 90);
  // A double's text is printed in a field of 16 before its trailing zeros go.
  EXPECT_EQ(CallText("FloatText"), "f=        2.5 g=        5");
  EXPECT_EQ(CallInt("Raised"), 73);
}

// Statements that loading folds (an assignment whose target is read from
// its cell, a literal taken into its operator) mean what they say: a member
// of another object stays the target, an "and"/"or" that continues between
// a literal and its operator still lands there, and the numbers wrap at 64
// bits on every path. A local passed to a member that keeps its value is
// copied: neither side sees the other's later changes. Every call's Integer
// and Float locals start at 0, whatever the call before left in them.
TEST_F(StackMachine, FoldedStatementsKeepTheirMeaning) {
  ASSERT_TRUE(Start(
      "class Application\n"
      "  Holder holder new\n"
      "function Integer MemberTarget()\n"
      "  holder.kept=5\n"
      "  holder.kept+=2\n"
      "  return holder.kept\n"
      "function Integer OrIntoOperator(Integer a)\n"
      "  Integer c\n"
      "  c=10\n"
      "  c=c+(a or 1)\n"
      "  return c*100+(c-(a and 3))\n"
      "function Integer Chained()\n"
      "  Integer a\n"
      "  Float f\n"
      "  a=Twice(a+3)+1\n"
      "  f=a\n"
      "  f/=2\n"
      "  f*=-1\n"
      "  return a*100+f*10\n"
      "function Integer Twice(Integer n)\n"
      "  return n*2\n"
      "function Integer Wraps()\n"
      "  Integer big\n"
      "  Integer i\n"
      "  Integer steps\n"
      "  big=4611686018427387904\n"
      "  for i=3;i>0;i--\n"
      "    steps++\n"
      "  end\n"
      "  i=-9223372036854775807\n"
      "  i-=steps-1\n"
      "  steps=steps*1000+i%2*10000\n"
      "  return (big*2==-9223372036854775807-1)+(big*4==0)*10+(i==9223372036854775807)*100+steps\n"
      "function Integer Fresh()\n"
      "  Integer n\n"
      "  Float f\n"
      "  n+=1\n"
      "  f+=0.5\n"
      "  return n*10+f*2\n"
      "function Integer Keep()\n"
      "  Integer i\n"
      "  i=5\n"
      "  holder.Take(i)\n"
      "  i+=1\n"
      "  return i*100+holder.kept\n"
      "class Holder\n"
      "  Integer kept\n"
      "function Void Take(Integer n)\n"
      "  kept=n\n"
      "  n=99\n"))
      << FailureOf(engine);
  EXPECT_EQ(CallInt("MemberTarget"), 7);
  // The "or" keeps a true left side (5) and jumps to the "+"; a false one
  // is dropped and the literal 1 is added. "and" keeps a false left side.
  EXPECT_EQ(CallInt("OrIntoOperator", {5}), 1512);
  EXPECT_EQ(CallInt("OrIntoOperator", {0}), 1111);
  EXPECT_EQ(CallInt("Chained"), 700 - 35);
  EXPECT_EQ(CallInt("Wraps"), 13111);
  EXPECT_EQ(CallInt("Keep"), 605);
  EXPECT_EQ(CallInt("Fresh"), 11);
  EXPECT_EQ(CallInt("Fresh"), 11);
}

// Where every operand of a fused statement is a local or parameter of the
// member, each comparison and assignment runs a form of its own: all of
// them give what the general operators give, a variable's value read with
// a literal operator keeps the operator's rules (an Integer quotient is a
// Float, a text joins as text), and an "or" that continues at that
// operator still lands there.
TEST_F(StackMachine, FixedOperandsTakeEveryComparisonAndAssignment) {
  ASSERT_TRUE(Start(
      "class Application\n"
      "function Integer Compared(Integer a, Integer b)\n"
      "  Integer r\n"
      "  if a==b\n"
      "    r+=1\n"
      "  end\n"
      "  if a!=b\n"
      "    r+=2\n"
      "  end\n"
      "  if a>b\n"
      "    r+=4\n"
      "  end\n"
      "  if a>=b\n"
      "    r+=8\n"
      "  end\n"
      "  if a<b\n"
      "    r+=16\n"
      "  end\n"
      "  if a<=b\n"
      "    r+=32\n"
      "  end\n"
      "  if a<3\n"
      "    r+=64\n"
      "  end\n"
      "  return r\n"
      "function Integer Counted(Integer n)\n"
      "  Integer i\n"
      "  Integer t\n"
      "  for i=0;i<n;i++\n"
      "    t+=1\n"
      "  end\n"
      "  for i=0;i<=n;i++\n"
      "    t+=10\n"
      "  end\n"
      "  for i=n;i>0;i--\n"
      "    t+=100\n"
      "  end\n"
      "  for i=n;i>=0;i--\n"
      "    t+=1000\n"
      "  end\n"
      "  for i=0;i!=n;i++\n"
      "    t+=10000\n"
      "  end\n"
      "  for i=0;i==0;i++\n"
      "    t+=100000\n"
      "  end\n"
      "  return t\n"
      "function Integer Assigned(Integer a, Integer b)\n"
      "  Integer x\n"
      "  x=b\n"
      "  x+=a\n"
      "  x*=b\n"
      "  x-=a\n"
      "  x*=4611686018427387904\n"
      "  return x+b\n"
      "function Integer Stored(Integer a)\n"
      "  Integer x\n"
      "  Float f\n"
      "  x=a*3\n"
      "  x+=a-1\n"
      "  x-=a/2\n"
      "  x*=a+1\n"
      "  f=a/4\n"
      "  f+=a*0.5\n"
      "  f-=a-0.25\n"
      "  f*=a/2\n"
      "  return x*1000+f*100\n"
      "function String Joined()\n"
      "  Integer a\n"
      "  Float f\n"
      "  a=2\n"
      "  f=a/4\n"
      "  return a+\"x\"+(f*2)+\"|\"+(f+\"y\")\n"
      "function Integer OrIntoFixed(Integer a)\n"
      "  Integer i\n"
      "  i=4\n"
      "  return (a or i)*2+i*3\n"))
      << FailureOf(engine);
  EXPECT_EQ(CallInt("Compared", {2, 2}), 1 + 8 + 32 + 64);
  EXPECT_EQ(CallInt("Compared", {5, 2}), 2 + 4 + 8);
  EXPECT_EQ(CallInt("Compared", {-1, 2}), 2 + 16 + 32 + 64);
  EXPECT_EQ(CallInt("Counted", {3}), 3 + 40 + 300 + 4000 + 30000 + 100000);
  EXPECT_EQ(CallInt("Counted", {0}), 10 + 1000 + 100000);
  // ((2+3)*2-3) * 2^62 wraps to -2^62 (7 is odd); -2^62 + 2.
  EXPECT_EQ(CallInt("Assigned", {3, 2}), INT64_MIN / 2 + 2);
  // x: 6, +1, -1.0 (a/2 is a Float; the Integer keeps 6), *3 = 18.
  // f: 0.5, +1.0, -1.75, *1.0 = -0.25.
  EXPECT_EQ(CallInt("Stored", {2}), 18000 - 25);
  EXPECT_EQ(CallText("Joined"), "2x        1|        0.5y");
  EXPECT_EQ(CallInt("OrIntoFixed", {0}), 8 + 12);
  EXPECT_EQ(CallInt("OrIntoFixed", {5}), 10 + 12);
}

// "and" and "or" give one of their operands as the value: a false left side
// of "and" and a true one of "or" stay, else the right side. Inside
// arithmetic, nested in groups and arguments, on either side of an
// operator, the operators around them still apply. A chain of them in one
// group decides from the left, each deciding for the rest of the chain:
// «a and b or 7» is «a and (b or 7)».
TEST_F(StackMachine, AndOrValuesInsideArithmetic) {
  struct Case {
    const char* expression;
    int64_t (*expected)(int64_t a, int64_t b);
  };
  static int64_t (*const And)(int64_t, int64_t) = [](int64_t x, int64_t y) { return x == 0 ? x : y; };
  static int64_t (*const Or)(int64_t, int64_t) = [](int64_t x, int64_t y) { return x != 0 ? x : y; };
  const Case cases[] = {
      {"11*100+(11-(a and 3))", [](int64_t a, int64_t) { return 1100 + (11 - And(a, 3)); }},
      {"(a and 3)+b*100", [](int64_t a, int64_t b) { return And(a, 3) + b * 100; }},
      {"b*100+(a or 3)*2", [](int64_t a, int64_t b) { return b * 100 + Or(a, 3) * 2; }},
      {"7-(a and (b or 4))*10", [](int64_t a, int64_t b) { return 7 - And(a, Or(b, 4)) * 10; }},
      {"(a or b)+(b and a)*10", [](int64_t a, int64_t b) { return Or(a, b) + And(b, a) * 10; }},
      {"1+((a and 2)+(b or 3))*10", [](int64_t a, int64_t b) { return 1 + (And(a, 2) + Or(b, 3)) * 10; }},
      {"5*(a and b or 7)", [](int64_t a, int64_t b) { return 5 * And(a, Or(b, 7)); }},
      {"-(a and 3)+b", [](int64_t a, int64_t b) { return -And(a, 3) + b; }},
      {"b+Pair(a or 2,b and 5)*100", [](int64_t a, int64_t b) { return b + (Or(a, 2) * 10 + And(b, 5)) * 100; }},
      {"a+b and a-b", [](int64_t a, int64_t b) { return And(a + b, a - b); }},
      {"a or b and 7", [](int64_t a, int64_t b) { return Or(a, And(b, 7)); }},
      {"a and b and 3 or 9", [](int64_t a, int64_t b) { return And(a, And(b, Or(3, 9))); }},
  };
  std::string program = "class Application\n"
                        "function Integer Pair(Integer x, Integer y)\n"
                        "  return x*10+y\n";
  for (size_t i = 0; i < std::size(cases); i++)
    program += "function Integer E" + std::to_string(i) + "(Integer a, Integer b)\n  return " +
               cases[i].expression + "\n";
  ASSERT_TRUE(Start(program.c_str())) << FailureOf(engine);
  for (size_t i = 0; i < std::size(cases); i++)
    for (int64_t a : {0, 6})
      for (int64_t b : {0, 2})
        EXPECT_EQ(CallInt(("E" + std::to_string(i)).c_str(), {a, b}), cases[i].expected(a, b))
            << cases[i].expression << " with a=" << a << " b=" << b;
}

// A caller may pass more arguments than the member has parameters (an event
// with more arguments than its handler takes): the extra ones bind nothing,
// and the locals keep their own objects, fresh at each call.
TEST_F(StackMachine, ArgumentsPastTheParametersLeaveTheLocalsAlone) {
  ASSERT_TRUE(Start("class Application\n"
                    "function Integer OneParameter(Integer n)\n"
                    "  Integer x\n"
                    "  Holder h new\n"
                    "  x+=1\n"
                    "  h.kept+=2\n"
                    "  return n*100+x*10+h.kept\n"
                    "class Holder\n"
                    "  Integer kept\n"))
      << FailureOf(engine);
  EXPECT_EQ(CallInt("OneParameter", {5, 70, 80}), 512);
  EXPECT_EQ(CallInt("OneParameter", {6, 70, 80}), 612);
  EXPECT_EQ(CallInt("OneParameter", {7}), 712);
}

// The element members of an IntegerArray keep their rules when a script
// calls them: an index is its low 32 bits (-1 sets every element), a Float
// index is truncated, reads outside give 0, writes outside change nothing,
// values wrap at 64 bits, and a handler running inside a sort may read the
// array but not change it.
TEST_F(StackMachine, IntegerArrayElementsKeepTheirRules) {
  ASSERT_TRUE(Start("class Application\n"
                    "  IntegerArray nums new\n"
                    "  Integer seen\n"
                    "function String Elements()\n"
                    "  String r\n"
                    "  Float f\n"
                    "  nums.IntegerArray.12(5)\n"
                    "  nums.IntegerArray.12(7)\n"
                    "  nums.IntegerArray.12(9)\n"
                    "  nums.IntegerArray.25(4294967297,70)\n"
                    "  nums.IntegerArray.25(3,1)\n"
                    "  f=2.9\n"
                    "  r=\"\"+nums.IntegerArray.5(0)+\",\"+nums.IntegerArray.5(1)+\",\"+nums.IntegerArray.5(f)\n"
                    "  r+=\" out=\"+nums.IntegerArray.5(3)+nums.IntegerArray.5(-1)+\" n=\"+nums.IntegerArray.7()\n"
                    "  nums.IntegerArray.29()\n"
                    "  r+=\" sorted=\"+nums.IntegerArray.5(0)+\",\"+nums.IntegerArray.5(1)+\",\"+nums.IntegerArray.5(2)\n"
                    "  r+=\" seen=\"+seen\n"
                    "  nums.IntegerArray.25(1,9223372036854775807+2)\n"
                    "  r+=\" wrapped=\"+(nums.IntegerArray.5(1)==-9223372036854775807)\n"
                    "  nums.IntegerArray.25(4294967295,3)\n"
                    "  r+=\" all=\"+nums.IntegerArray.5(0)+nums.IntegerArray.5(1)+nums.IntegerArray.5(2)\n"
                    "  return r\n"
                    "message Integer IntegerArray.31(Integer a, Integer b, Integer extra)\n"
                    "  nums.IntegerArray.25(0,-1)\n"
                    "  seen=nums.IntegerArray.7()*10+(nums.IntegerArray.5(0)>=0)\n"
                    "  return a-b\n"
                    "function Integer Either(Integer i)\n"
                    "  nums.IntegerArray.18()\n"
                    "  nums.IntegerArray.12(5)\n"
                    "  nums.IntegerArray.12(70)\n"
                    "  return nums.IntegerArray.5(i)>6 or nums.IntegerArray.5(1)\n"))
      << FailureOf(engine);
  EXPECT_EQ(CallText("Elements"), "5,70,9 out=00 n=3 sorted=5,9,70 seen=31 wrapped=1 all=333");
  // Element reads on either side of an "or".
  EXPECT_EQ(CallInt("Either", {1}), 1);
  EXPECT_EQ(CallInt("Either", {0}), 70);
}

// The deepest nesting that the bound allows runs; one call more fails and
// ends the program.
TEST_F(StackMachine, RecursionRunsUpToTheBound) {
  ASSERT_TRUE(Start("class Application\n"
                    "function Integer Depth(Integer n)\n"
                    "  Integer mine\n"
                    "  mine=n\n"
                    "  if n>0\n"
                    "    mine+=Depth(n-1)\n"
                    "  end\n"
                    "  return mine\n"))
      << FailureOf(engine);
  // The call from outside is the first of 2000 nested calls.
  EXPECT_EQ(CallInt("Depth", {1999}), 1999 * 2000 / 2);
  EXPECT_FALSE(CallOnce("Depth", 2000));
  EXPECT_FALSE(engine.IsRunning());
}

// Recursion without end fails at a fixed depth instead of overflowing the
// machine stack, and the program ends.
TEST_F(StackMachine, RunawayRecursionFailsCleanly) {
  ASSERT_TRUE(Start("class Application\n"
                    "function Integer Down(Integer n)\n"
                    "  return Down(n+1)+1\n"))
      << FailureOf(engine);
  EXPECT_FALSE(CallOnce("Down", 0));
  EXPECT_FALSE(engine.IsRunning());
}

TEST_F(StackMachine, VirtualMembersAndBaseParameters) {
  ASSERT_TRUE(Start(
      "class Application\n"
      "  Root held\n"
      "function String Speak()\n"
      "  String said\n"
      "  held=new Leaf\n"
      "  said=held.Both()+\",\"+Kind(held)\n"
      "  delete held\n"
      "  return said\n"
      "function String Kind(Root r)\n"
      "  return r.Name()\n"
      "class Root\n"
      "function String Speak()\n"
      "  return \"root\"\n"
      "function String Name()\n"
      "  return \"R\"+Global.27(this)\n"
      "function String Both()\n"
      "  return Speak()+\",\"+Root.Speak()\n"
      "class Leaf : Root\n"
      "function String Speak()\n"
      "  return \"leaf\"\n"))
      << FailureOf(engine);
  // From the Root part the Leaf's override answers; naming the class runs
  // the Root's own; a Root parameter receives the Root part.
  const TypeCode root = engine.FindDefinitionByName("Root")->GetTypeCode();
  EXPECT_EQ(CallText("Speak"), "leaf,root,R" + std::to_string(root));
}

TEST_F(StackMachine, FailingConstructorOfAMemberFailsTheStart) {
  EXPECT_FALSE(Start("class Application\n"
                     "  Bad bad new\n"
                     "class Bad\n"
                     "function Void _00000000()\n"
                     "  Integer n\n"
                     "  n/=0\n"))
      << FailureOf(engine);
  EXPECT_FALSE(engine.IsRunning());
  EXPECT_EQ(engine.GetApplication(), nullptr);
}

// Every constructor and destructor appends its letter to the Application's
// log.
const char kLifeProgram[] =
    "class Application\n"
    "  String log\n"
    "  Leaf kept new\n"
    "function Void _00000000()\n"
    "  log+=\"A\"\n"
    "function Void _00000001()\n"
    "  log+=\"a\"\n"
    "function Void Make()\n"
    "  Leaf one\n"
    "  one=new Leaf\n"
    "  delete one\n"
    "function String Log()\n"
    "  return log\n"
    "function Void Clear()\n"
    "  log=\"\"\n"
    "class Root\n"
    "function Void _00000000()\n"
    "  Application.log+=\"R\"\n"
    "function Void _00000001()\n"
    "  Application.log+=\"r\"\n"
    "class Middle : Root\n"
    "function Void _00000000()\n"
    "  Application.log+=\"M\"\n"
    "function Void _00000001()\n"
    "  Application.log+=\"m\"\n"
    "class Leaf : Middle\n"
    "function Void _00000000()\n"
    "  Application.log+=\"L\"\n"
    "function Void _00000001()\n"
    "  Application.log+=\"l\"\n";

TEST_F(StackMachine, ConstructorsBaseFirstDestructorsDerivedFirst) {
  ASSERT_TRUE(Start(kLifeProgram)) << FailureOf(engine);
  // The member object is made before the Application's own constructor.
  EXPECT_EQ(Variable("log"), "RMLA");
  CallInt("Clear");
  CallInt("Make");
  EXPECT_EQ(Variable("log"), "RMLlmr");
}

TEST_F(StackMachine, ObjectDeletedInItsOwnCallLivesUntilTheCallReturns) {
  PEngine second;
  ASSERT_TRUE(BuildProgram(second,
                           "class Application\n"
                           "  String log\n"
                           "function Void Run()\n"
                           "  Node one\n"
                           "  one=new Node\n"
                           "  one.Finish()\n"
                           "  log+=\"|\"\n"
                           "function String Log()\n"
                           "  return log\n"
                           "class Node\n"
                           "  String big new\n"
                           "function Void _00000001()\n"
                           "  Application.log+=\"d\"\n"
                           "function Void Finish()\n"
                           "  delete this\n"
                           "  big=\"still here\"\n"
                           "  Application.log+=big\n"
                           "  Touch()\n"
                           "function Void Touch()\n"
                           "  Application.log+=\"t\"\n"))
      << FailureOf(second);
  ASSERT_TRUE(second.Start(nullptr));
  PObject* app = second.GetApplication();
  ASSERT_TRUE(app->Call(uint16_t(app->GetDefinition()->FindMember("Run")), nullptr, nullptr, nullptr));
  PResultCell text = nullptr;
  ASSERT_TRUE(app->Call(uint16_t(app->GetDefinition()->FindMember("Log")), nullptr, &text, nullptr));
  ASSERT_NE(text, nullptr);
  // Flagged: the rest of Finish ran, Touch was skipped (only the destructor
  // runs on a released object), and the destructor ran once, after Finish.
  EXPECT_STREQ(static_cast<char*>(text), "still hered|");
  std::free(text);
  second.Stop(false);
}

TEST_F(StackMachine, ScriptEventsReachTheOwnersHandler) {
  ASSERT_TRUE(Start(
      "class Application\n"
      "  Sensor sensor new\n"
      "  Sensor lone\n"
      "function Integer Poke(Integer v)\n"
      "  return sensor.Fire(v)\n"
      "function Integer PokeLone()\n"
      "  Integer r\n"
      "  lone=new Sensor\n"
      "  r=lone.Fire(5)\n"
      "  delete lone\n"
      "  return r\n"
      "message Integer Sensor.Changed(Integer value)\n"
      "  return value*2\n"
      "class Sensor\n"
      "event Integer Changed(Integer value)\n"
      "function Integer Fire(Integer v)\n"
      "  return Changed(v+1)\n"))
      << FailureOf(engine);
  EXPECT_EQ(CallInt("Poke", {20}), 42);
  // Without an owner the event member of the class itself runs: nothing.
  EXPECT_EQ(CallInt("PokeLone"), 0);
}

// A handler that deletes its own object while the event is raised from
// outside any stack machine: the object can only be flagged, and the
// application ends.
TEST_F(StackMachine, OwnerReleasedByItsHandlerEndsTheApplication) {
  ASSERT_TRUE(Start("class Application\n"
                    "  Sensor sensor new\n"
                    "message Integer Sensor.Changed(Integer v)\n"
                    "  delete this\n"
                    "  return v+1\n"
                    "class Sensor\n"
                    "event Integer Changed(Integer v)\n"))
      << FailureOf(engine);
  PObjectInfo* info = App()->GetDefinition()->FindVariable("sensor");
  PObject* sensor = static_cast<PObjStruct*>(App())->FindRef(info)->GetRefObject();
  SValue result;
  EXPECT_TRUE(PObject::RaiseEvent(sensor, sensor->GetDefinition()->FindMember("Changed"), &result, 5));
  EXPECT_EQ(result.ToInt64(), 6);
  EXPECT_FALSE(engine.IsRunning());
  EXPECT_TRUE(static_cast<PObjStruct*>(App())->IsReleased());
}

// The Application's destructor reports to a Value the test holds, after
// the program ended by Quit or by Exit.
TEST_F(StackMachine, EndsRunDestructorsOnEveryOrderlyEnd) {
  for (bool byExit : {false, true}) {
    PEngine e;
    ASSERT_TRUE(BuildProgram(e,
                             "class Application\n"
                             "  Value sink\n"
                             "  String mark\n"
                             "function Void Attach(Value v)\n"
                             "  sink=v\n"
                             "function Void End()\n"
                             "  Global.35()\n"
                             "  mark=\"not reached\"\n"
                             "function String Mark()\n"
                             "  return mark\n"
                             "function Void _00000001()\n"
                             "  sink.Value.17(99)\n"))
        << FailureOf(e);
    ASSERT_TRUE(e.Start(nullptr));
    PObjValue* sink = e.NewValue();
    PObject* app = e.GetApplication();
    const PObjectDefinition* d = app->GetDefinition();
    PArgBlock<1> args;
    args->count = 1;
    args->Set(0, sink);
    ASSERT_TRUE(app->Call(uint16_t(d->FindMember("Attach")), args.Get(), nullptr, nullptr));
    if (byExit) {
      ASSERT_TRUE(app->Call(uint16_t(d->FindMember("End")), nullptr, nullptr, nullptr));
      EXPECT_FALSE(e.IsRunning());
      EXPECT_FALSE(e.Exit());
      EXPECT_FALSE(e.Quit());
      // After Exit no script code runs until the end.
      PResultCell text = nullptr;
      EXPECT_TRUE(app->Call(uint16_t(d->FindMember("Mark")), nullptr, &text, nullptr));
      EXPECT_EQ(text, nullptr);
    } else {
      EXPECT_TRUE(e.Quit());
      EXPECT_FALSE(e.Quit());
      EXPECT_TRUE(e.IsRunning());
    }
    e.Stop(false);
    EXPECT_EQ(sink->GetValue().ToInt64(), 99) << (byExit ? "exit" : "quit");
    PObject::DeleteObject(sink);
  }
}

// Objects, and the null that stands for none, still go wherever objects
// are taken.
TEST_F(StackMachine, ObjectsAndNullPassWhereObjectsBelong) {
  ASSERT_TRUE(Start(
      "class Application\n"
      "  Value o\n"
      "  Value p new\n"
      "function Integer Take(Value v)\n"
      "  return v==null\n"
      "function Value Same(Value v)\n"
      "  return v\n"
      "function Value None()\n"
      "  return null\n"
      "function Integer Run()\n"
      "  Integer r\n"
      "  r=Take(null)+Take(p)*10\n"
      "  o=p\n"
      "  r+=(o==p)*100\n"
      "  o=Same(p)\n"
      "  r+=(o!=null)*1000\n"
      "  o=None()\n"
      "  r+=(o==null)*10000\n"
      "  r+=(Global.27(p)!=0)*100000\n"
      "  o=null\n"
      "  return r+(o==null)*1000000+7%3*10000000\n"))
      << FailureOf(engine);
  EXPECT_EQ(CallInt("Run"), 11111101);
}

// Calls between members that take numbers: Integer and Float parameters
// convert what they are given and belong to the member, a caller outside
// the machine sees what the member left in its argument, and results come
// back as the member's class says, on the first call of an instruction and
// on the later ones alike.
TEST_F(StackMachine, NumberParametersAndResults) {
  ASSERT_TRUE(Start("class Application\n"
                    "  Integer calls\n"
                    "function Float Half(Float x)\n"
                    "  return x/2\n"
                    "function Integer Twice(Integer n)\n"
                    "  n*=2\n"
                    "  calls++\n"
                    "  return n\n"
                    "function Void Count()\n"
                    "  calls++\n"
                    "function String Run()\n"
                    "  Integer i\n"
                    "  Integer k\n"
                    "  Float sum\n"
                    "  Integer doubled\n"
                    "  String r\n"
                    "  for i=0;i<3;i++\n"
                    "    k=5\n"
                    "    sum+=Half(i)+Twice(k)+Twice(2.9)\n"
                    "    r+=k\n"
                    "    Count()\n"
                    "  end\n"
                    "  doubled=sum*2\n"
                    "  return r+\" \"+doubled+\" \"+calls\n"
                    "function Void Bump(Integer n)\n"
                    "  n+=1\n"))
      << FailureOf(engine);
  // k stays 5: Twice doubles its own parameter; 2.9 arrives as 2.
  EXPECT_EQ(CallText("Run"), "555 87 9");

  PObjInt* argument = engine.NewInteger();
  argument->SetValue(41);
  PArgBlock<1> block;
  block->count = 1;
  block->Set(0, argument);
  ASSERT_TRUE(App()->Call(uint16_t(Member("Bump")), block.Get(), nullptr, nullptr));
  EXPECT_EQ(argument->GetValue(), 42);
  PObject::DeleteObject(argument);
}

// An object deleted by its own member, called again and again from one
// instruction: each lives until its call returns.
TEST_F(StackMachine, ObjectsDeletedInTheirCallsFromOneInstruction) {
  ASSERT_TRUE(Start("class Application\n"
                    "  String log\n"
                    "function String Run()\n"
                    "  Integer i\n"
                    "  Node one\n"
                    "  for i=0;i<3;i++\n"
                    "    one=new Node\n"
                    "    log+=one.Finish(i)\n"
                    "  end\n"
                    "  return log\n"
                    "class Node\n"
                    "  Integer kept\n"
                    "function Void _00000001()\n"
                    "  Application.log+=\"d\"\n"
                    "function Integer Finish(Integer n)\n"
                    "  delete this\n"
                    "  kept=n*2\n"
                    "  return kept\n"))
      << FailureOf(engine);
  EXPECT_EQ(CallText("Run"), "d0d2d4");
}

TEST_F(StackMachine, FailuresEndTheApplication) {
  const char* programs[] = {
      "class Application\nfunction Void Run()\n  Integer n\n  n/=0\n",
      "class Application\n  Value v\nfunction Void Run()\n  delete v\n",
      "class Application\n  Value v\nfunction Void Run()\n  v.Value.4()\n",
      "class Application\n  Integer n\nfunction Void Run()\n  delete n\n",
      // What a "new" variable owns is neither deleted nor replaced by hand.
      "class Application\n  Value v new\nfunction Void Run()\n  delete v\n",
      "class Application\n  Value v new\n  Value w\nfunction Void Run()\n  v=w\n",
      // A number where an object belongs is no object, whoever wrote it.
      "class Application\n  Value o\nfunction Void Run()\n  o=5\n",
      "class Application\n  Value o\nfunction Void Run()\n  Integer i\n  i=7\n  o=i\n",
      "class Application\nfunction Void Take(Value v)\nfunction Void Run()\n  Take(5)\n",
      "class Application\nfunction Void Run()\n  Integer i\n  i=4096\n  Global.26(i)\n",
      "class Application\nfunction Void Run()\n  Global.27(12345)\n",
      "class Application\nfunction Void Run()\n  Global.31(12345)\n",
      "class Application\nfunction Value Make()\n  return 12345\nfunction Void Run()\n  Make()\n",
      "class Application\n  Value o\nfunction Void Run()\n  o=!o\n",
      // Integer remainders by zero fail in an expression as in "%=".
      "class Application\nfunction Integer R()\n  return 5%0\nfunction Void Run()\n  R()\n",
      "class Application\nfunction Void Run()\n  Integer k\n  k=3\n  k=k%0\n",
      // No array to read from.
      "class Application\n  IntegerArray a\nfunction Void Run()\n  Integer i\n  i=a.IntegerArray.5(i)\n",
      // A number parameter's object is the member's own.
      "class Application\nfunction Void Drop(Integer n)\n  delete n\nfunction Void Run()\n  Drop(1)\n",
      // A failure three calls deep, on the machine's own calls (the first
      // call of an instruction learns its member; the later ones go direct).
      "class Application\nfunction Integer Inner(Integer n)\n  return 10%n\n"
      "function Integer Mid(Integer n)\n  return Inner(n)+1\n"
      "function Void Run()\n  Integer i\n  for i=3;i>=0;i--\n    Mid(i)\n  end\n",
  };
  for (const char* program : programs) {
    PEngine e;
    ASSERT_TRUE(BuildProgram(e, program)) << program << FailureOf(e);
    ASSERT_TRUE(e.Start(nullptr));
    PObject* app = e.GetApplication();
    EXPECT_FALSE(app->Call(uint16_t(app->GetDefinition()->FindMember("Run")), nullptr, nullptr, nullptr))
        << program;
    EXPECT_FALSE(e.IsRunning()) << program;
    e.Stop(false);
  }
}

}  // namespace
