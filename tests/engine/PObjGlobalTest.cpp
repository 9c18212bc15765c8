// The Global class: its constants and declarations, and its pure functions
// called the way the stack machine calls them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/LocaleRecord.h"
#include "core/Platform.h"
#include "engine/PEngine.h"
#include "engine/PObjGlobal.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/MemberCall.h"
#include "tests/engine/EngineTestClasses.h"

namespace {

using G = PObjGlobal;

class PObjGlobalTest : public classtest::ValueClassTest {
 protected:
  void SetUp() override {
    ValueClassTest::SetUp();
    global = Keep(engine.GetGlobalDefinition()->CreateInstance());
    ASSERT_NE(global, nullptr);
  }

  // An object result; the preset marker when the member returned nothing.
  PObject* CallObject(uint16_t member, Args& args) {
    PArgSlot storage;
    storage.bits = 0;
    storage.object = Marker();
    PResultCell cell = &storage;
    EXPECT_TRUE(global->Call(member, args.block.Get(), &cell, nullptr));
    return storage.object;
  }
  static PObject* Marker() { return reinterpret_cast<PObject*>(uintptr_t(0x5A5A)); }

  PObject* global = nullptr;
};

// ==== Registration ==============================================================================

TEST_F(PObjGlobalTest, RegistersAnAbstractClassWithItsConstantsInOrder) {
  const PObjectDefinition* d = engine.GetGlobalDefinition();
  ASSERT_NE(d, nullptr);
  EXPECT_FALSE(d->IsInstantiable());
  EXPECT_EQ(d->GetCategory(), CATEGORY_GLOBAL);
  ASSERT_EQ(d->GetConstantCount(), 83);
  // No "ID" in front: the first constant is the class's own.
  EXPECT_STREQ(d->GetConstantName(0).GetText(), "OK");
  EXPECT_STREQ(d->GetConstantName(82).GetText(), "FONT_STRIKEOUT");

  struct {
    const char* name;
    double value;
  } const cases[] = {
      {"CANCEL", -1},           {"PI", 3.141592653589793},  {"E", 2.718281828459045},
      {"RAD_45", 0.7853981633974483}, {"RAD_180", 3.141592653589793},
      {"RAD_360", 6.283185307179586}, {"MB_ABORTRETRYIGNORE", 2}, {"MBI_STOP", 16},
      {"MBA_ABORT", 3},         {"MBA_IGNORE", 5},          {"BTN_RDBCLICK", 68},
      {"DRAW_FITZOOM", 12},     {"AUTOSIZE_HALF", 136},     {"ALIGN_TOP", 0},
      {"ALIGN_BOTTOM", 32},     {"REGION_FR", 2},           {"CS_UTF8", 0},
      {"CMP_SAMETYPE", 256},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const SValue* v = d->FindConstant(c.name);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->ToDouble(), c.value);
  }
  // The numbers are doubles, the rest integers.
  EXPECT_EQ(d->FindConstant("RAD_90")->GetKind(), 1);
  EXPECT_EQ(d->FindConstant("MBA_OK")->GetKind(), 0);
}

TEST_F(PObjGlobalTest, DeclaresItsFunctionsWithTheirDefaults) {
  const PObjectDefinition* d = engine.GetGlobalDefinition();
  ASSERT_EQ(d->GetMemberCount(), 45);
  EXPECT_STREQ(d->GetMemberName(0), "_0000");
  // The message box: text, then caption "", MB_OK and MBI_EXCLAMATION.
  EXPECT_EQ(d->GetParamCount(G::MESSAGE_BOX), 4);
  EXPECT_EQ(d->GetDefaultCount(G::MESSAGE_BOX), 3);
  EXPECT_EQ(d->GetReturnType(G::NEW_OBJECT)->GetTypeCode(), TYPE_POINTER);
  EXPECT_STREQ(d->GetReturnType(G::CONTROL_FROM_HANDLE)->GetName(), "Control");
  EXPECT_STREQ(d->GetReturnType(G::DIALOG_FROM_HANDLE)->GetName(), "Dialog");
  EXPECT_EQ(d->GetDefaultCount(G::ADDRESS_OF), 1);
  EXPECT_EQ(d->GetDefaultCount(G::FROM_UTF8), 1);
}

// ==== Numbers and flags =========================================================================

TEST_F(PObjGlobalTest, FlagWordsUseAll64Bits) {
  const int64_t high = int64_t(1) << 40;
  struct {
    uint16_t member;
    int64_t flags, mask, expected;
  } const cases[] = {
      {G::HAS_FLAGS, 5, 0, 1},          {G::HAS_FLAGS, 5, 5, 1},
      {G::HAS_FLAGS, 5, 6, 0},          {G::HAS_FLAGS, high | 1, high, 1},
      {G::ADD_FLAGS, 1, high, high | 1}, {G::REMOVE_FLAGS, high | 3, high | 1, 2},
      {G::TOGGLE_FLAGS, 5, 4, 1},       {G::TOGGLE_FLAGS, 1, 4, 5},
      {G::TOGGLE_FLAGS, 5, 0, 5},       {G::TOGGLE_FLAGS, 5, 6, 7},
      {G::TOGGLE_FLAGS, -1, high, -1 & ~high},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.member << ": " << c.flags << ", " << c.mask);
    auto args = With();
    args.Int(c.flags).Int(c.mask);
    EXPECT_EQ(CallInt(global, c.member, args), c.expected);
  }
}

TEST_F(PObjGlobalTest, ConvertsBetweenNumbers) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct {
    double x;
    int64_t expected;
  } const truncations[] = {{2.9, 2}, {-2.9, -2}, {1e30, INT64_MAX}, {-1e30, INT64_MIN}, {nan, 0}};
  for (const auto& c : truncations) {
    auto args = With();
    args.Float(c.x);
    EXPECT_EQ(CallInt(global, G::FLOAT_TO_INT, args), c.expected) << c.x;
  }
  // Only the low 32 bits count, as a signed number.
  struct {
    int64_t n;
    double expected;
  } const widenings[] = {{(int64_t(1) << 32) + 1, 1.0}, {0xFFFFFFFF, -1.0}, {-7, -7.0}};
  for (const auto& c : widenings) {
    auto args = With();
    args.Int(c.n);
    EXPECT_EQ(CallFloat(global, G::INT_TO_FLOAT, args), c.expected) << c.n;
  }
}

TEST_F(PObjGlobalTest, ReadsAndWritesNumberTexts) {
  struct {
    const char* text;
    int64_t integer;
    double real;
  } const cases[] = {
      {"  -42abc", -42, -42.0}, {"+7", 7, 7.0},       {"3.5e2x", 3, 350.0},
      {"abc", 0, 0.0},          {"", 0, 0.0},         {"99999999999999999999", INT64_MAX, 1e20},
      {"\t12 3", 12, 12.0},     {"inf", 0, 0.0},      {"0x1F", 0, 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto a = With();
    a.Str(c.text);
    EXPECT_EQ(CallInt(global, G::TEXT_TO_INT, a), c.integer);
    auto b = With();
    b.Str(c.text);
    EXPECT_EQ(CallFloat(global, G::TEXT_TO_FLOAT, b), c.real);
  }
  auto min = With();
  min.Int(INT64_MIN);
  EXPECT_EQ(CallText(global, G::INT_TO_TEXT, min), "-9223372036854775808");
}

TEST_F(PObjGlobalTest, GroupsNumbersByTheSelectedLocaleRecord) {
  const int before = GetLocaleRecord()->number;
  auto us = With();
  us.Int(1);
  CallVoid(global, G::SET_REGION, us);
  EXPECT_EQ(GetLocaleRecord()->number, 1);
  auto x = With();
  x.Float(1234567.891);
  EXPECT_EQ(CallText(global, G::FLOAT_TO_GROUPED, x), "1,234,567.89");
  // The low 32 bits of the integer, as a signed number.
  auto n = With();
  n.Int((int64_t(1) << 32) + 1234567);
  EXPECT_EQ(CallText(global, G::INT_TO_GROUPED, n), "1,234,567");
  auto negative = With();
  negative.Int(0xFFFFFFFF);
  EXPECT_EQ(CallText(global, G::INT_TO_GROUPED, negative), "-1");

  auto fr = With();
  fr.Int(2);
  CallVoid(global, G::SET_REGION, fr);
  auto y = With();
  y.Float(1234567.891);
  EXPECT_EQ(CallText(global, G::FLOAT_TO_GROUPED, y), "1 234 567,89");

  // Any other number selects the system's record, also one whose low bits
  // would name another.
  for (int64_t other : {int64_t(3), int64_t(-1), (int64_t(1) << 32) + 2}) {
    auto fr2 = With();
    fr2.Int(2);
    CallVoid(global, G::SET_REGION, fr2);
    auto a = With();
    a.Int(other);
    CallVoid(global, G::SET_REGION, a);
    EXPECT_EQ(GetLocaleRecord()->number, 0) << other;
  }
  SetLanguage(before);
}

TEST_F(PObjGlobalTest, PacksColourWords) {
  struct {
    uint16_t member;
    int64_t a, b, c, d;
    int64_t expected;
  } const cases[] = {
      // Alpha 255 stays in the low 32 bits: a positive number.
      {G::ARGB, 255, 1, 2, 3, 0xFF010203},
      {G::ARGB, 0x1FF, -1, 0x100, 0x12, 0xFFFF0012},
      {G::COLOR_REF, 1, 2, 3, 0, 0x030201},
      {G::COLOR_REF, 0x1FF, 0x100, -1, 0, 0xFF00FF},
      {G::RGB, 1, 2, 3, 0, 0x010203},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.member << ": " << c.a << ", " << c.b);
    auto args = With();
    args.Int(c.a).Int(c.b).Int(c.c);
    if (c.member == G::ARGB) args.Int(c.d);
    EXPECT_EQ(CallInt(global, c.member, args), c.expected);
  }
}

// ==== Texts =====================================================================================

TEST_F(PObjGlobalTest, CharacterCodes) {
  struct {
    int64_t code;
    std::string expected;
  } const chars[] = {{65, "A"},    {300, "\xFF"}, {-1, ""}, {0, ""},
                     {233, "\xE9"}, {(int64_t(1) << 32) + 66, "B"}};
  for (const auto& c : chars) {
    auto args = With();
    args.Int(c.code);
    EXPECT_EQ(CallText(global, G::CHAR_FROM_CODE, args), c.expected) << c.code;
  }
  struct {
    const char* text;
    int64_t expected;
  } const codes[] = {{"\xE9t\xE9", -23}, {"", 0}, {"Az", 65}, {"\x7F", 127}, {"\x80", -128}};
  for (const auto& c : codes) {
    auto args = With();
    args.Str(c.text);
    EXPECT_EQ(CallInt(global, G::CODE_OF_CHAR, args), c.expected) << c.text;
  }
}

TEST_F(PObjGlobalTest, ConvertsUtf8OnlyForItsCharacterSet) {
  struct {
    uint16_t member;
    const char* text;
    int64_t charset;
    std::string expected;
  } const cases[] = {
      {G::TO_UTF8, "\xE9t\xE9", 0, "\xC3\xA9t\xC3\xA9"},
      {G::FROM_UTF8, "\xC3\xA9t\xC3\xA9", 0, "\xE9t\xE9"},
      {G::TO_UTF8, "\xE9", 1, "\xE9"},
      {G::FROM_UTF8, "\xC3\xA9", 1, "\xC3\xA9"},
      {G::TO_UTF8, "", 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.member << ": " << c.text);
    auto args = With();
    args.Str(c.text).Int(c.charset);
    EXPECT_EQ(CallText(global, c.member, args), c.expected);
  }
}

TEST_F(PObjGlobalTest, DigestsAndFixedTexts) {
  auto md5 = With();
  md5.Str("abc");
  EXPECT_EQ(CallText(global, G::MD5, md5), "900150983CD24FB0D6963F7D28E17F72");
  auto sha1 = With();
  sha1.Str("abc");
  EXPECT_EQ(CallText(global, G::SHA1, sha1), "A9993E364706816ABA3E25717850C26C9CD0D89D");
  auto empty = With();
  empty.Str("");
  EXPECT_EQ(CallText(global, G::MD5, empty), "D41D8CD98F00B204E9800998ECF8427E");
  EXPECT_EQ(CallText(global, G::NEW_LINE), "\r\n");
  // Without a folder the application folder is "".
  EXPECT_EQ(CallText(global, G::GET_APP_FOLDER), "");
}

// Functions that do nothing, and member numbers the class does not have,
// succeed and leave the result alone.
TEST_F(PObjGlobalTest, DoNothingAndUnknownMembersLeaveTheResult) {
  for (uint16_t member : {uint16_t(G::DO_NOTHING), uint16_t(G::IGNORE_TEXT), uint16_t(45),
                          uint16_t(1000)}) {
    auto args = With();
    args.Str("x");
    EXPECT_EQ(CallInt(global, member, args), 0x5A5A5A5A) << member;
  }
  auto handle = With();
  handle.Int(1234);
  EXPECT_EQ(CallObject(G::CONTROL_FROM_HANDLE, handle), Marker());
}

// ==== Global constants by name ==================================================================

class PObjGlobalConstants : public PObjGlobalTest {
 protected:
  void SetUp() override {
    PObjGlobalTest::SetUp();
    application = enginetest::AddClass(engine, TYPE_APPLICATION, "Application");
    ASSERT_NE(application, nullptr);
    // As the build enters them: the value under the name with "ID_", the
    // sorted list under the name without it.
    Enter("ID_OK", 1);
    Enter("ID_ZOOM", 42);
    ASSERT_TRUE(application->AddStringConstant("ID_TITLE", "Main window"));
    engine.AddGlobalConstantName("TITLE", application->GetConstantCount() - 1);
    Enter("ID_id_LOWER", 7);
  }
  void Enter(const char* name, int64_t value) {
    ASSERT_TRUE(application->AddIntConstant(name, value));
    engine.AddGlobalConstantName(name + 3, application->GetConstantCount() - 1);
  }
  std::string Text(const char* name) {
    auto args = With();
    args.Str(name);
    return CallText(global, G::GET_CONSTANT_TEXT, args);
  }

  PObjectDefinition* application = nullptr;
};

TEST_F(PObjGlobalConstants, FindsAConstantWithOrWithoutItsPrefix) {
  EXPECT_EQ(Text("OK"), "1");
  EXPECT_EQ(Text("ID_OK"), "1");
  EXPECT_EQ(Text("ZOOM"), "42");
  EXPECT_EQ(Text("ID_ZOOM"), "42");
  EXPECT_EQ(Text("TITLE"), "Main window");
  // Only an upper-case prefix goes; a lower-case one is part of the name.
  EXPECT_EQ(Text("id_OK"), "<none>");
  EXPECT_EQ(Text("id_LOWER"), "7");
  EXPECT_EQ(Text("ID_id_LOWER"), "7");
  EXPECT_EQ(Text("MISSING"), "<none>");
  EXPECT_EQ(Text("ID_"), "<none>");
  EXPECT_EQ(Text(""), "<none>");
}

TEST_F(PObjGlobalConstants, ANameTaggedPastTheConstantsFindsNothing) {
  engine.AddGlobalConstantName("STRAY", application->GetConstantCount() + 5);
  EXPECT_EQ(Text("STRAY"), "<none>");
}

// ==== Objects ===================================================================================

class PObjGlobalObjects : public PObjGlobalTest {
 protected:
  void SetUp() override {
    PObjGlobalTest::SetUp();
    enginetest::AddClass(engine, kRoot, "Root");
    enginetest::AddClass(engine, kLeaf, "Leaf", "Root");
    leaf = Keep(engine.FindDefinition(kLeaf)->CreateInstance());
    ASSERT_NE(leaf, nullptr);
    root = leaf->GetBase();
  }
  static constexpr TypeCode kRoot = MakeTypeCode(ORIGIN_BUILTIN, 'Q', 'R', 'T');
  static constexpr TypeCode kLeaf = MakeTypeCode(ORIGIN_BUILTIN, 'Q', 'L', 'F');

  PObject* leaf = nullptr;
  PObject* root = nullptr;
};

TEST_F(PObjGlobalObjects, IdentityOfThePartPassedOrOfTheLeaf) {
  auto toLeaf = With();
  toLeaf.Obj(root).Int(1);
  EXPECT_EQ(CallInt(global, G::ADDRESS_OF, toLeaf), int64_t(reinterpret_cast<intptr_t>(leaf)));
  auto asPassed = With();
  asPassed.Obj(root).Int(0);
  EXPECT_EQ(CallInt(global, G::ADDRESS_OF, asPassed), int64_t(reinterpret_cast<intptr_t>(root)));
  auto type = With();
  type.Obj(root);
  EXPECT_EQ(CallInt(global, G::TYPE_CODE_OF, type), int64_t(kRoot));
  auto made = With();
  made.Obj(root);
  EXPECT_EQ(CallInt(global, G::IS_ENGINE_MADE, made), 1);
}

TEST_F(PObjGlobalObjects, TheTextFieldIsTheLeafPartsFromAnyPart) {
  auto set = With();
  set.Obj(root).Str("hello");
  CallVoid(global, G::SET_OBJECT_TEXT, set);
  EXPECT_STREQ(leaf->GetObjectText(), "hello");
  EXPECT_STREQ(root->GetObjectText(), "");
  auto get = With();
  get.Obj(root);
  EXPECT_EQ(CallText(global, G::GET_OBJECT_TEXT, get), "hello");
}

TEST_F(PObjGlobalObjects, ANullObjectAnswersNothing) {
  for (uint16_t member : {uint16_t(G::ADDRESS_OF), uint16_t(G::TYPE_CODE_OF),
                          uint16_t(G::IS_ENGINE_MADE)}) {
    auto args = With();
    args.Obj(nullptr).Int(1);
    EXPECT_EQ(CallInt(global, member, args), 0x5A5A5A5A) << member;
  }
  auto text = With();
  text.Obj(nullptr);
  EXPECT_EQ(CallText(global, G::GET_OBJECT_TEXT, text), "<none>");
  auto set = With();
  set.Obj(nullptr).Str("x");
  CallVoid(global, G::SET_OBJECT_TEXT, set);
}

TEST_F(PObjGlobalObjects, NewObjectMakesOneAsTheScriptsNewDoes) {
  auto args = With();
  args.Int(int64_t(kLeaf));
  PObject* made = CallObject(G::NEW_OBJECT, args);
  ASSERT_NE(made, Marker());
  ASSERT_NE(made, nullptr);
  Keep(made);
  EXPECT_EQ(made->GetDefinition()->GetTypeCode(), kLeaf);
  EXPECT_NE(made->GetBase(), nullptr);
  EXPECT_TRUE(made->IsDynamic());
  auto flag = With();
  flag.Obj(made);
  EXPECT_EQ(CallInt(global, G::IS_ENGINE_MADE, flag), 0);

  // A value class is a whole object too.
  auto integer = With();
  integer.Int(int64_t(TYPE_INTEGER));
  PObject* number = CallObject(G::NEW_OBJECT, integer);
  ASSERT_NE(number, Marker());
  ASSERT_NE(number, nullptr);
  Keep(number);
  EXPECT_EQ(number->GetDefinition(), engine.GetIntegerDefinition());
}

// Classes that cannot have objects of their own, and TypeCodes of no class,
// make nothing; a class whose making fails answers null.
TEST_F(PObjGlobalObjects, NewObjectRefusesWhatCannotBeMade) {
  const TypeCode control = MakeTypeCode(ORIGIN_BUILTIN, 'C', 'T', 'R');
  const int64_t refused[] = {
      TYPE_VOID, TYPE_POINTER, TYPE_GLOBAL, control, 0, 0x03999999,
      // The low 32 bits name a class, the whole number does not.
      (int64_t(1) << 32) + TYPE_INTEGER, -int64_t(TYPE_INTEGER),
  };
  for (int64_t code : refused) {
    auto args = With();
    args.Int(code);
    EXPECT_EQ(CallObject(G::NEW_OBJECT, args), Marker()) << std::hex << code;
  }
  const TypeCode failing = MakeTypeCode(ORIGIN_BUILTIN, 'Q', 'F', 'L');
  enginetest::AddClass(engine, failing, "Failing", "", enginetest::RecordingObject::Fail);
  auto args = With();
  args.Int(int64_t(failing));
  EXPECT_EQ(CallObject(G::NEW_OBJECT, args), nullptr);
}

// ==== Running ===================================================================================

TEST_F(PObjGlobalTest, ExitAnswersFalseWhenNothingRuns) {
  EXPECT_EQ(CallInt(global, G::EXIT), 0);
}

TEST_F(PObjGlobalTest, WaitsAtLeastTheTimeAsked) {
  const uint32_t start = PlatformMilliseconds();
  auto args = With();
  args.Int(30);
  CallVoid(global, G::WAIT, args);
  EXPECT_GE(PlatformMilliseconds() - start, 30u);

  // A negative count would be about 49 days as an unsigned one.
  const uint32_t again = PlatformMilliseconds();
  auto negative = With();
  negative.Int(-1);
  CallVoid(global, G::WAIT, negative);
  EXPECT_LT(PlatformMilliseconds() - again, 1000u);
}

}  // namespace
