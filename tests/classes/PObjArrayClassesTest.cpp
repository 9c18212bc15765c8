// The array classes (Array, FloatArray, IntegerArray, StringArray) called as
// a program calls them: built-in behaviour on objects without an owner, and
// the events on arrays held by a small compiled program whose handlers
// answer them, including handlers that try to change the array under a
// running operation.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "classes/PObjArray.h"
#include "classes/PObjFloatArray.h"
#include "classes/PObjIntegerArray.h"
#include "classes/PObjStringArray.h"
#include "classes/PObjTable.h"
#include "engine/PObjStruct.h"
#include "engine/PObjectRef.h"
#include "tests/classes/DataClassTest.h"
#include "tests/e2e/ArrayClassPrograms.h"
#include "tests/engine/ProgramBuild.h"

namespace {

using classtest::DataClassTest;
constexpr int64_t kUnset = 0x5A5A5A5A;

class ArrayClasses : public DataClassTest {
 protected:
  void TearDown() override {
    if (program.GetGlobal()) program.Stop(false);
    DataClassTest::TearDown();
  }

  // Builds and starts a program; its arrays answer to its handlers.
  void Start(const char* text) {
    ASSERT_TRUE(programtest::BuildProgram(program, text)) << programtest::FailureOf(program);
    ASSERT_TRUE(program.Start(nullptr));
  }
  PObject* App() { return program.GetApplication(); }
  PObject* Variable(const char* name) {
    PObjectInfo* info = App()->GetDefinition()->FindVariable(name);
    EXPECT_NE(info, nullptr) << name;
    return static_cast<PObjStruct*>(App())->FindRef(info)->GetRefObject();
  }
  int64_t IntVariable(const char* name) { return static_cast<PObjInt*>(Variable(name))->GetValue(); }
  std::string TextVariable(const char* name) { return static_cast<PObjString*>(Variable(name))->GetText(); }

  // The integers of an IntegerArray, joined by blanks.
  static std::string Listed(PObjIntegerArray* a) {
    std::string out;
    for (int i = 0; i < a->GetStore().GetCount(); i++)
      out += (i ? " " : "") + std::to_string(a->GetStore().GetAt(i));
    return out;
  }
  static std::string Listed(PObjStringArray* a) {
    std::string out;
    for (int i = 0; i < a->GetStore().GetCount(); i++)
      out += std::string(i ? "|" : "") + a->GetStore().GetAt(i)->GetText();
    return out;
  }

  PEngine program;
};

// ---- The shared design without handlers -------------------------------------------------------------

TEST_F(ArrayClasses, MultiDimensionalIndexIsExact) {
  auto* a = NewObject<PObjIntegerArray>();
  Do(a, PObjIntegerArray::SET_COUNT, 9);
  Do(a, PObjIntegerArray::SET_DIMENSIONS, 3, -1, 7);  // sizes after an unset one are ignored
  EXPECT_EQ(Int(a, PObjIntegerArray::GET_FLAT_INDEX, 2, 1), 7);
  EXPECT_EQ(Int(a, PObjIntegerArray::GET_FLAT_INDEX, 3, 0), -1);
  EXPECT_EQ(Int(a, PObjIntegerArray::GET_FLAT_INDEX, 2, 2), 8);
  // 1*65536*65536 + 3 wraps to 3 in 32 bits; exactly it lies far outside.
  Do(a, PObjIntegerArray::SET_DIMENSIONS, 65536, 65536);
  EXPECT_EQ(Int(a, PObjIntegerArray::GET_FLAT_INDEX, 1, 0, 3), -1);
  EXPECT_EQ(Int(a, PObjIntegerArray::GET_FLAT_INDEX, 0, 0, 3), 3);
  // Overflowing 64 bits on the way is outside too; a later size 0 starts over.
  Do(a, PObjIntegerArray::SET_DIMENSIONS, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF);
  EXPECT_EQ(Int(a, PObjIntegerArray::GET_FLAT_INDEX, 0x7FFFFFFF, 0, 0, 1), -1);
  Do(a, PObjIntegerArray::SET_DIMENSIONS, 0x7FFFFFFF, 0x7FFFFFFF, 0);
  EXPECT_EQ(Int(a, PObjIntegerArray::GET_FLAT_INDEX, 0x7FFFFFFF, 0x7FFFFFFF, 0, 4), 4);
}

TEST_F(ArrayClasses, UncheckedMembersNowCheckTheirIndex) {
  auto* f = NewObject<PObjFloatArray>();
  auto* n = NewObject<PObjIntegerArray>();
  auto* s = NewObject<PObjStringArray>();
  for (int64_t index : {-1, 0, 1}) {
    EXPECT_EQ(Float(f, PObjFloatArray::GET_AT, index), -999.0);
    EXPECT_EQ(Int(n, PObjIntegerArray::GET_AT, index), kUnset);
    EXPECT_EQ(Text(s, PObjStringArray::GET_AT, index), "<none>");
    EXPECT_EQ(Int(s, PObjStringArray::GET_TAG, index), kUnset);
    Do(s, PObjStringArray::SET_AT, index, "x");
    Do(s, PObjStringArray::SET_TAG, index, 4);
  }
  EXPECT_EQ(Float(f, PObjFloatArray::GET_FIRST), -999.0);
  EXPECT_EQ(Int(n, PObjIntegerArray::GET_LAST), kUnset);
  EXPECT_EQ(Text(s, PObjStringArray::GET_FIRST), "<none>");
  EXPECT_EQ(Text(s, PObjStringArray::GET_LAST), "<none>");
  EXPECT_EQ(Int(s, PObjStringArray::GET_COUNT), 0);

  Do(s, PObjStringArray::INSERT, "a");
  Do(s, PObjStringArray::SET_TAG, 0, 9);
  Do(s, PObjStringArray::SET_AT, 0, "b");
  EXPECT_EQ(Text(s, PObjStringArray::GET_AT, 0), "b");
  EXPECT_EQ(Int(s, PObjStringArray::GET_TAG, 0), 9) << "replacing the text keeps the tag";
}

TEST_F(ArrayClasses, NumberArraysWithoutHandlers) {
  auto* n = NewObject<PObjIntegerArray>();
  for (int v : {1, -1, 5}) Do(n, PObjIntegerArray::INSERT, v);
  Do(n, PObjIntegerArray::SORT);
  EXPECT_EQ(Listed(n), "-1 1 5") << "signed order";
  Do(n, PObjIntegerArray::SET_COMPARE_MODE, 1);
  Do(n, PObjIntegerArray::SORT);
  EXPECT_EQ(Listed(n), "5 1 -1");
  // The text form keeps the compare mode; loading lines resets it.
  std::string form = Text(n, PObjIntegerArray::GET_TEXT_FORM);
  auto* back = NewObject<PObjIntegerArray>();
  Do(back, PObjIntegerArray::SET_COMPARE_MODE, 1);
  EXPECT_EQ(Int(back, PObjIntegerArray::SET_TEXT_FORM, form), 3);
  EXPECT_EQ(Listed(back), "5 1 -1");
  EXPECT_EQ(Int(back, PObjIntegerArray::GET_COMPARE_MODE), 1);
  auto* empty = NewObject<PObjIntegerArray>();
  EXPECT_EQ(Text(empty, PObjIntegerArray::GET_TEXT_FORM), "\xFF");
  EXPECT_EQ(Int(back, PObjIntegerArray::SET_TEXT_FORM, "\xFF"), 0);

  EXPECT_EQ(Int(n, PObjIntegerArray::SAVE_PATH, PathOf("n.txt")), 1);
  EXPECT_EQ(ReadDisk(PathOf("n.txt")), "5\r\n1\r\n-1\r\n");
  WriteDisk(PathOf("m.txt"), "7\r\n-12\r\n\r\nx");
  EXPECT_EQ(Int(n, PObjIntegerArray::LOAD_PATH, PathOf("m.txt")), 1);
  EXPECT_EQ(Listed(n), "7 -12 0 0");
  EXPECT_EQ(Int(n, PObjIntegerArray::GET_COMPARE_MODE), 0);
  EXPECT_EQ(Int(n, PObjIntegerArray::LOAD_PATH, PathOf("none.txt")), 0);
  EXPECT_EQ(Int(n, PObjIntegerArray::LOAD_RESOURCE, "none"), kUnset);

  auto* f = NewObject<PObjFloatArray>();
  Do(f, PObjFloatArray::INSERT, 2.5, -1, 3);
  Do(f, PObjFloatArray::SET_AT, -1, 1.25);
  Do(f, PObjFloatArray::SET_AT, 3, 9.0);
  EXPECT_EQ(Float(f, PObjFloatArray::GET_LAST), 1.25);
  EXPECT_EQ(Int(f, PObjFloatArray::SAVE_PATH, PathOf("f.txt")), 1);
  EXPECT_EQ(ReadDisk(PathOf("f.txt")).substr(0, 6), std::string(SString::FromDouble(1.25).GetText()).substr(0, 6));
}

// ---- StringArray ----------------------------------------------------------------------------------------

TEST_F(ArrayClasses, StringArrayTexts) {
  auto* s = NewObject<PObjStringArray>();
  for (const char* t : {"a", "b", "c", "d"}) Do(s, PObjStringArray::INSERT, t);
  EXPECT_EQ(Text(s, PObjStringArray::JOIN, ", ", 1, 2), "b, c");
  EXPECT_EQ(Text(s, PObjStringArray::JOIN, ", ", 1, 5), "b, c, d");
  EXPECT_EQ(Text(s, PObjStringArray::JOIN, ", ", 4), "");

  auto* w = NewObject<PObjStringArray>();
  for (const char* t : {"ab", "ba", "abc"}) Do(w, PObjStringArray::INSERT, t);
  auto* target = NewObject<PObjStringArray>();
  EXPECT_EQ(Int(w, PObjStringArray::COPY_MATCHING, target, "a*"), 2);
  EXPECT_EQ(Listed(target), "ab|abc");
  EXPECT_EQ(Int(w, PObjStringArray::COPY_MATCHING, nullptr, "a*"), kUnset);

  auto* g = NewObject<PObjStringArray>();
  Do(g, PObjStringArray::INSERT, "x");
  Do(g, PObjStringArray::SET_TAG, 0, 5);
  Do(g, PObjStringArray::SET_COUNT, 3);
  EXPECT_EQ(Listed(g), "x||");
  EXPECT_EQ(Int(g, PObjStringArray::GET_TAG, 2), 0);
  EXPECT_EQ(Int(g, PObjStringArray::GET_TAG, 0), 5);

  auto* c = NewObject<PObjStringArray>();
  Do(c, PObjStringArray::INSERT, "abc");
  Do(c, PObjStringArray::SET_COMPARE_MODE, 2);
  EXPECT_EQ(Int(c, PObjStringArray::FIND, "ABC"), 0);
  EXPECT_EQ(Int(c, PObjStringArray::FIND_SORTED, "ABC", -1), -1);

  auto* e = NewObject<PObjStringArray>();
  EXPECT_EQ(Int(e, PObjStringArray::INSERT, "x", 0, 2), 0);
  EXPECT_EQ(Listed(e), "x|x");
}

// Lines and the 7-bit form keep every byte but 0, CR and LF included.
TEST_F(ArrayClasses, StringArrayKeepsTextsThroughLinesAndTextForm) {
  auto* s = NewObject<PObjStringArray>();
  const char* texts[] = {"one\r\ntwo", "", "\n", "tab\tand \xE9"};
  for (const char* t : texts) Do(s, PObjStringArray::INSERT, t);
  Do(s, PObjStringArray::SET_TAG, 0, 3);
  ASSERT_EQ(Int(s, PObjStringArray::SAVE_PATH, PathOf("s.txt")), 1);
  EXPECT_EQ(ReadDisk(PathOf("s.txt")).find_first_of("\r\n"), ReadDisk(PathOf("s.txt")).find("\r\n"));
  auto* back = NewObject<PObjStringArray>();
  EXPECT_EQ(Int(back, PObjStringArray::LOAD_PATH, PathOf("s.txt")), 1);
  EXPECT_EQ(Listed(back), Listed(s));
  EXPECT_EQ(Int(back, PObjStringArray::GET_TAG, 0), 0);

  auto* form = NewObject<PObjStringArray>();
  EXPECT_EQ(Int(form, PObjStringArray::SET_TEXT_FORM, Text(s, PObjStringArray::GET_TEXT_FORM)), 4);
  EXPECT_EQ(Listed(form), Listed(s));
}

TEST_F(ArrayClasses, StringArrayTakesATableColumn) {
  auto* t = NewObject<PObjTable>();
  STable& table = t->GetTable();
  table.InsertField("name", -1);
  for (const char* name : {"Ann", "Bob", "Cid"}) table.SetCell("name", table.InsertRow(-1), name);
  auto* s = NewObject<PObjStringArray>();
  Do(s, PObjStringArray::INSERT, "first");
  EXPECT_EQ(Int(s, PObjStringArray::INSERT_TABLE_COLUMN, t, "name", 1, -1, 0), 2);
  EXPECT_EQ(Listed(s), "Bob|Cid|first");
  EXPECT_EQ(Int(s, PObjStringArray::INSERT_TABLE_COLUMN, nullptr, "name"), kUnset);
}

// String splits into a StringArray and File writes part files named by one:
// both reach the texts through the class's hook.
TEST_F(ArrayClasses, StringAndFileReachTheTexts) {
  auto* s = NewObject<PObjStringArray>();
  PObjString* text = Keep(engine.NewString());
  text->SetText("a b c");
  EXPECT_EQ(Int(text, PObjString::SPLIT, s, " "), 3);
  EXPECT_EQ(Listed(s), "a|b|c");

  auto* paths = NewObject<PObjStringArray>();
  Do(paths, PObjStringArray::INSERT, PathOf("p1"));
  Do(paths, PObjStringArray::INSERT, PathOf("p2"));
  auto* f = NewObject<PObjFile>();
  Allocate(f, 0);
  Do(f, PObjFile::WRITE_STRING, "abcdef");
  Do(f, PObjFile::SEEK, 0);
  EXPECT_EQ(Int(f, PObjFile::SPLIT, paths, 4), 2);
  EXPECT_EQ(ReadDisk(PathOf("p1")), "abcd");
  EXPECT_EQ(ReadDisk(PathOf("p2")), "ef");
}

// ---- Array and the deletion rule ---------------------------------------------------------------------

TEST_F(ArrayClasses, ArrayWithoutHandlers) {
  auto* a = NewObject<PObjArray>();
  PObjInt* x = NewInt(1);
  PObjInt* y = NewInt(2);
  EXPECT_EQ(Int(a, PObjArray::INSERT, x), 0);
  EXPECT_EQ(Int(a, PObjArray::INSERT, y), 1);
  EXPECT_EQ(Int(a, PObjArray::INSERT, x, -1, 0), -1);
  EXPECT_EQ(Int(a, PObjArray::FIND, y), 1);
  EXPECT_EQ(Int(a, PObjArray::GET_TYPE_CODE, 0), int64_t(uint32_t(TYPE_INTEGER)));
  EXPECT_EQ(Int(a, PObjArray::GET_AT, 1), int64_t(reinterpret_cast<intptr_t>(y)));
  // A range ending before it starts picks nothing; an empty one, its start.
  EXPECT_EQ(Int(a, PObjArray::GET_RANDOM, 1, 0), kUnset);
  EXPECT_EQ(Int(a, PObjArray::GET_RANDOM, 1, 1), int64_t(reinterpret_cast<intptr_t>(y)));
  Do(a, PObjArray::SET_AT, -1, y);
  EXPECT_EQ(Int(a, PObjArray::GET_AT, 0), int64_t(reinterpret_cast<intptr_t>(x)));
  Do(a, PObjArray::SET_COUNT, 5);
  EXPECT_EQ(Int(a, PObjArray::GET_AT, 4), 0);
  EXPECT_EQ(Int(a, PObjArray::GET_TYPE_CODE, 4), kUnset);
  Do(a, PObjArray::REMOVE_ALL);
  EXPECT_EQ(Int(a, PObjArray::GET_COUNT), 0);
}

// One object in several slots is released once, with its last slot.
TEST_F(ArrayClasses, AnObjectInSeveralSlotsIsReleasedOnce) {
  auto* a = NewObject<PObjArray>();
  PObjInt* shared = engine.NewInteger();
  PObjInt* single = engine.NewInteger();
  EXPECT_EQ(Int(a, PObjArray::INSERT, shared, -1, 3), 0);
  Do(a, PObjArray::INSERT, single);
  Do(a, PObjArray::DELETE_AT, 0, 1);  // two slots still hold it
  EXPECT_EQ(Int(a, PObjArray::GET_AT, 1), int64_t(reinterpret_cast<intptr_t>(shared)));
  Do(a, PObjArray::DELETE_LAST);
  Do(a, PObjArray::DELETE_AND_REMOVE_AT, 1, 1);
  EXPECT_EQ(Int(a, PObjArray::GET_COUNT), 3);
  Do(a, PObjArray::SET_AT, 0, shared);
  Do(a, PObjArray::DELETE_ALL);  // both remaining slots: freed once
  for (int i = 0; i < 3; i++) EXPECT_EQ(Int(a, PObjArray::GET_AT, i), 0);
}

const char kArrayProgram[] =
    "class Application\n"
    "  Array objs new\n"
    "  IntegerArray ints new\n"
    "  StringArray texts new\n"
    "  Integer deleted\n"
    "  Integer compares\n"
    "  Integer sabotage\n"
    "  String log\n"
    "function Void _00000000()\n"
    "function Integer Fill(Integer n)\n"
    "  Item it\n"
    "  it=new Item\n"
    "  objs.Array.20(it,-1,n)\n"
    "  return objs.Array.14()\n"
    "function Integer KillFromInside()\n"
    "  Item it\n"
    "  it=new Item\n"
    "  objs.Array.20(it)\n"
    "  return it.Kill(objs)\n"
    "message Void Array.40(Integer index, Pointer object)\n"
    "  deleted=deleted+1\n"
    "message Integer IntegerArray.31(Integer a, Integer b, Integer mode)\n"
    "  compares=compares+1\n"
    "  if sabotage==1\n"
    "    ints.IntegerArray.18()\n"
    "    ints.IntegerArray.12(99,0,50)\n"
    "  end\n"
    "  return (b-a)*1000\n"
    "message Integer IntegerArray.32(Integer index, String line)\n"
    "  if sabotage==1\n"
    "    ints.IntegerArray.18()\n"
    "  end\n"
    "  return index*10\n"
    "message Void IntegerArray.33(Integer index, Integer value)\n"
    "  log=log+index+\"=\"+value+\" \"\n"
    "message String IntegerArray.34(Integer index, Integer value)\n"
    "  return \"v\"+value\n"
    "message Integer StringArray.36(String a, String b, Integer mode)\n"
    "  return a.String.9()-b.String.9()\n"
    "message String StringArray.37(Integer index, String line)\n"
    "  return \"<\"+line+\">\"\n"
    "message String StringArray.39(Integer index, String text)\n"
    "  return text+index\n"
    "class Item\n"
    "  Integer n\n"
    "function Integer Kill(Array list)\n"
    "  list.Array.1()\n"
    "  n=7\n"
    "  return n\n";

TEST_F(ArrayClasses, DeletionHearsEachObjectOnceAndDefersARunningOne) {
  Start(kArrayProgram);
  PObject* app = App();
  auto call = [&](const char* name, std::initializer_list<int64_t> values) {
    Args args(this);
    for (int64_t v : values) args.Int(v);
    return CallInt(app, uint16_t(app->GetDefinition()->FindMember(name)), args);
  };
  auto* objs = static_cast<PObjArray*>(Variable("objs"));
  EXPECT_EQ(call("Fill", {3}), 3);
  Do(objs, PObjArray::DELETE_ALL);
  EXPECT_EQ(IntVariable("deleted"), 1) << "one object in three slots";
  // The element empties its own array from one of its members: it lives on
  // until that member returns (leak and use-after-free checks watch this).
  EXPECT_EQ(call("KillFromInside", {}), 7);
  EXPECT_EQ(IntVariable("deleted"), 2);
  EXPECT_EQ(Int(objs, PObjArray::GET_AT, 3), 0);
}

TEST_F(ArrayClasses, HandlersOrderParseFormatAndHearInsertions) {
  Start(kArrayProgram);
  auto* ints = static_cast<PObjIntegerArray*>(Variable("ints"));
  for (int v : {3, 1, 2}) Do(ints, PObjIntegerArray::INSERT, v);
  EXPECT_EQ(TextVariable("log"), "0=3 1=1 2=2 ");
  Do(ints, PObjIntegerArray::SORT);
  EXPECT_EQ(Listed(ints), "3 2 1") << "the handler's order, its answer reduced to a sign";
  EXPECT_GT(IntVariable("compares"), 0);
  EXPECT_EQ(Int(ints, PObjIntegerArray::FIND_SORTED, 2), 1);
  EXPECT_EQ(Int(ints, PObjIntegerArray::SAVE_PATH, PathOf("i.txt")), 1);
  EXPECT_EQ(ReadDisk(PathOf("i.txt")), "v3\r\nv2\r\nv1\r\n");
  EXPECT_EQ(Int(ints, PObjIntegerArray::LOAD_PATH, PathOf("i.txt")), 1);
  EXPECT_EQ(Listed(ints), "0 10 20");

  auto* texts = static_cast<PObjStringArray*>(Variable("texts"));
  for (const char* t : {"ccc", "a", "bb"}) Do(texts, PObjStringArray::INSERT, t);
  Do(texts, PObjStringArray::SORT);
  EXPECT_EQ(Listed(texts), "a|bb|ccc") << "ordered by length";
  EXPECT_EQ(Int(texts, PObjStringArray::SAVE_PATH, PathOf("t.txt")), 1);
  EXPECT_EQ(ReadDisk(PathOf("t.txt")), "a0\r\nbb1\r\nccc2\r\n");
  EXPECT_EQ(Int(texts, PObjStringArray::LOAD_PATH, PathOf("t.txt")), 1);
  EXPECT_EQ(Listed(texts), "<a0>|<bb1>|<ccc2>");
}

// Handlers that empty and refill the array while it is sorted or loaded are
// refused: the running operation keeps its elements.
TEST_F(ArrayClasses, HandlersCannotChangeTheArrayUnderARunningOperation) {
  Start(kArrayProgram);
  auto* ints = static_cast<PObjIntegerArray*>(Variable("ints"));
  for (int v = 0; v < 40; v++) Do(ints, PObjIntegerArray::INSERT, (v * 7) % 40);
  static_cast<PObjInt*>(Variable("sabotage"))->SetValue(1);
  Do(ints, PObjIntegerArray::SORT);
  ASSERT_EQ(Int(ints, PObjIntegerArray::GET_COUNT), 40);
  for (int v = 0; v < 40; v++) EXPECT_EQ(ints->GetStore().GetAt(v), 39 - v);
  EXPECT_EQ(Int(ints, PObjIntegerArray::FIND, 5), 34);
  WriteDisk(PathOf("l.txt"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(Int(ints, PObjIntegerArray::LOAD_PATH, PathOf("l.txt")), 1);
  EXPECT_EQ(Listed(ints), "0 10 20");
}

// The packed-program texts, run here on the engine's own build: their
// files go to the scratch folder, made the working folder meanwhile. Only
// the host build runs them here: in the Windows build their result box
// would wait for a click (tests/e2e runs them there as applications).
TEST_F(ArrayClasses, ApplicationProgramsFindWhatTheyExpect) {
#ifdef _WIN32
  GTEST_SKIP() << "the packed-program test runs these under Windows";
#endif
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(PathOf(""));
  for (const arrayprograms::ArrayProgram& p : arrayprograms::Programs()) {
    SCOPED_TRACE(p.name);
    PEngine run;
    UseResources(p.resources);
    ASSERT_TRUE(programtest::BuildProgram(run, p.program)) << programtest::FailureOf(run);
    ASSERT_TRUE(run.Start(engine.GetResources()));
    PObject* app = run.GetApplication();
    PObjectInfo* info = app->GetDefinition()->FindVariable("r");
    EXPECT_EQ(static_cast<PObjString*>(static_cast<PObjStruct*>(app)->FindRef(info)->GetRefObject())->GetText(),
              std::string(p.result));
    run.Stop(false);
  }
  std::filesystem::current_path(before);
}

}  // namespace
