// The String class: its declaration, and its members called the way compiled
// code calls them, with the declared defaults filling the arguments a call
// leaves out.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "core/SStringArray.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/MemberCall.h"

namespace {

typedef PObjString S;

const TypeCode kStringArrayType = MakeTypeCode(ORIGIN_BUILTIN, 'A', 'R', 'S');

// One argument as written in a call.
struct Arg {
  char kind;  // 'i' Integer, 'f' Float, 's' String
  int64_t i;
  double f;
  const char* s;
};
Arg I(int64_t v) { return {'i', v, 0.0, nullptr}; }
Arg F(double v) { return {'f', 0, v, nullptr}; }
Arg T(const char* v) { return {'s', 0, 0.0, v}; }

// A member called on a text: what it answers (decimal for numbers, null for
// none) and the text afterwards (null: unchanged).
struct Case {
  const char* text;
  S::Member member;
  std::vector<Arg> args;
  const char* result;
  const char* after;
};

// An object of the StringArray class as far as String needs one: its texts.
class FakeStringArray : public PObject {
 public:
  using PObject::PObject;
  SStringArray texts;
};

SStringArray* FakeArrayAccess(PObject* object) {
  if (object->GetDefinition()->GetTypeCode() != kStringArrayType) return nullptr;
  return &static_cast<FakeStringArray*>(object)->texts;
}

class PObjStringTest : public classtest::ValueClassTest {
 protected:
  void TearDown() override {
    PObjString::SetArrayAccess(nullptr);
    ValueClassTest::TearDown();
  }

  PObjectDefinition* Def() { return engine.GetStringDefinition(); }

  PObjString* NewText(const char* text) {
    PObjString* o = Keep(engine.NewString());
    o->SetText(text);
    return o;
  }

  FakeStringArray* NewArray() {
    PObjString::SetArrayAccess(FakeArrayAccess);
    return Keep(new FakeStringArray(engine.FindDefinition(kStringArrayType)));
  }

  // The declared defaults of the parameters after the given ones, as the
  // compiler supplies them.
  void AddDefaults(Args& args, uint16_t member) {
    for (int i = int(args.block->count); i < Def()->GetParamCount(member); i++) {
      const PObjectInfo* info = Def()->GetParamInfo(member, i);
      ASSERT_TRUE(info->HasDefault()) << "member " << member << " parameter " << i;
      const SValue& v = info->GetDefault();
      switch (info->GetTypeCode()) {
        case TYPE_INTEGER: args.Int(v.ToInt64()); break;
        case TYPE_FLOAT: args.Float(v.ToDouble()); break;
        case TYPE_STRING: args.Str(v.ToString().GetText()); break;
        default: args.Obj(nullptr); break;
      }
    }
  }

  // Calls the member with the arguments, then the defaults; the answer as
  // text by the declared result class, "<none>" when nothing was stored.
  std::string Run(PObject* o, uint16_t member, const std::vector<Arg>& given) {
    Args args = With();
    for (const Arg& a : given) {
      if (a.kind == 'i') args.Int(a.i);
      if (a.kind == 'f') args.Float(a.f);
      if (a.kind == 's') args.Str(a.s);
    }
    AddDefaults(args, member);
    switch (Def()->GetReturnType(member)->GetTypeCode()) {
      case TYPE_INTEGER: return std::to_string(CallInt(o, member, args));
      case TYPE_FLOAT: return std::to_string(CallFloat(o, member, args));
      default: return CallText(o, member, args);
    }
  }

  void RunCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      PObjString* o = NewText(c.text);
      std::string answer = Run(o, c.member, c.args);
      SCOPED_TRACE(testing::Message() << "member " << c.member << " on \"" << c.text << "\"");
      EXPECT_EQ(answer, c.result ? c.result : "<none>");
      EXPECT_EQ(std::string(o->GetText()), c.after ? c.after : c.text);
    }
  }
};

// ---- Declaration ---------------------------------------------------------------------------

TEST_F(PObjStringTest, Declaration) {
  PObjectDefinition* d = Def();
  ASSERT_EQ(d->GetMemberCount(), S::kMemberCount);
  for (int m = 0; m < S::kMemberCount; m++) {
    EXPECT_EQ(d->GetMemberKind(m), MEMBER_FUNCTION);
    EXPECT_EQ(d->GetMemberId(m), m);
  }
  const struct {
    const char* name;
    int64_t value;
  } constants[] = {
      {"ID", int64_t(TYPE_STRING)}, {"VAL_NONE", 0},     {"VAL_INT", 1},      {"VAL_FLOAT", 2},
      {"VAL_HEX", 3},               {"VAL_STR", 4},      {"SPL_QUOTE", 1},    {"SPL_QUOTESEP", 3},
      {"SPL_NOQUOTE", 7},           {"SPL_NOSPACE", 8},
  };
  ASSERT_EQ(d->GetConstantCount(), 10);
  for (int i = 0; i < 10; i++) {
    EXPECT_STREQ(d->GetConstantName(i).GetText(), constants[i].name);
    EXPECT_EQ(d->GetConstant(i)->ToInt64(), constants[i].value);
  }

  // Splitting takes a StringArray; its options default to 11 and say so.
  EXPECT_EQ(d->GetParamInfo(S::SPLIT, 0)->GetTypeCode(), kStringArrayType);
  EXPECT_EQ(d->GetDefaultCount(S::SPLIT), 3);
  const SValue& options = d->GetParamInfo(S::SPLIT, 2)->GetDefault();
  EXPECT_EQ(options.ToInt64(), 11);
  EXPECT_STREQ(options.GetName().GetText(), "String.SPL_QUOTESEP|String.SPL_NOSPACE");
  // The scanners hand numbers back through objects that default to none.
  EXPECT_EQ(d->GetDefaultCount(S::NEXT_MARKUP_TOKEN), 4);
  EXPECT_EQ(d->GetParamInfo(S::NEXT_MARKUP_TOKEN, 1)->GetTypeCode(), TYPE_POINTER);
  EXPECT_EQ(d->GetReturnType(S::TO_DOUBLE)->GetTypeCode(), TYPE_FLOAT);
  EXPECT_EQ(d->GetReturnType(S::SET)->GetTypeCode(), TYPE_VOID);
}

TEST_F(PObjStringTest, IdentitiesAndTexts) {
  PObjectDefinition* s = engine.GetStringDefinition();
  PObjectDefinition* u = engine.GetUniStringDefinition();
  EXPECT_STREQ(s->GetName(), "String");
  EXPECT_STREQ(u->GetName(), "UniString");
  EXPECT_EQ(s->GetCategory(), CATEGORY_VALUES);
  EXPECT_EQ(u->GetConstant(0)->ToInt64(), int64_t(TYPE_UNISTRING));

  PObjString* text = Keep(engine.NewString());
  PObjUniString* uni = Keep(engine.NewUniString());
  text->SetText("abc");
  EXPECT_STREQ(text->GetText(), "abc");
  text->SetText(nullptr);
  EXPECT_STREQ(text->GetText(), "");
  EXPECT_NE(text->GetString().GetBuffer(), nullptr);
  uni->SetText(u"\x263a");
  EXPECT_TRUE(uni->GetString() == u"\x263a");
  uni->SetText(nullptr);
  EXPECT_EQ(uni->GetText()[0], 0);
  EXPECT_NE(uni->GetString().GetBuffer(), nullptr);
}

// ---- Whole text, tag and characters ------------------------------------------------------------

TEST_F(PObjStringTest, WholeTextAndCharacters) {
  RunCases({
      {"abc", S::SET, {T("xyz")}, nullptr, "xyz"},
      {"abc", S::SET_AND_GET, {T("xy")}, "xy", "xy"},
      {"abc", S::GET, {}, "abc", nullptr},
      {"abcd", S::LENGTH, {}, "4", nullptr},
      {"abcd", S::SET_CHAR, {I(1), T("XY")}, nullptr, "aXcd"},
      {"abcd", S::SET_CHAR, {I(4), T("X")}, nullptr, nullptr},
      {"abcd", S::SET_CHAR, {I(2), T("")}, nullptr, "ab"},
      {"abcd", S::SET_CHAR_CODE, {I(2), I(0)}, nullptr, "ab"},
      {"abcd", S::SET_CHAR_CODE, {I(0), I(0x141)}, nullptr, "Abcd"},
      {"abcd", S::SET_CHAR_CODE, {I(-1), I('x')}, nullptr, nullptr},
      {"\xE9t", S::GET_CHAR_CODE, {I(0)}, "233", nullptr},
      {"\xE9t", S::GET_CHAR, {I(0)}, "\xE9", nullptr},
      {"abc", S::GET_CHAR, {I(3)}, "", nullptr},
      {"abc", S::GET_CHAR, {I(-1)}, "", nullptr},
      {"abc", S::GET_CHAR_CODE, {I(5)}, "0", nullptr},
      {"abc", S::GET_CHAR_CODE, {I(int64_t(1) << 32)}, "0", nullptr},
      {"ab", S::SET_LENGTH, {I(5)}, nullptr, "ab   "},
      {"ab", S::SET_LENGTH, {I(4), T("xy")}, nullptr, "abxx"},
      {"abcdef", S::SET_LENGTH, {I(2), T("x")}, nullptr, "ab"},
      {"abc", S::SET_LENGTH, {I(-3)}, nullptr, ""},
      {"aB3e_y", S::IS_UPPER_AT, {I(1)}, "1", nullptr},
      {"aB3e_y", S::IS_UPPER_AT, {I(0)}, "0", nullptr},
      {"aB3e_y", S::IS_LOWER_AT, {I(0)}, "1", nullptr},
      {"aB3e_y", S::IS_ALPHA_AT, {I(2)}, "0", nullptr},
      {"aB3e_y", S::IS_ALPHA_AT, {I(9)}, "0", nullptr},
      {"aB3e_y", S::IS_DIGIT_AT, {I(2)}, "1", nullptr},
      {"aB3e_y", S::IS_DIGIT_AT, {I(-1)}, "0", nullptr},
      {"aB3e_y", S::IS_VOWEL_AT, {I(3)}, "1", nullptr},
      {"aB3e_y", S::IS_VOWEL_AT, {I(5)}, "1", nullptr},
      {"aB3e_y", S::IS_CONSONANT_AT, {I(1)}, "1", nullptr},
      {"aB3e_y", S::IS_CONSONANT_AT, {I(3)}, "0", nullptr},
      {"aB3e_y", S::IS_CONSONANT_AT, {I(4)}, "0", nullptr},
  });
}

TEST_F(PObjStringTest, AddressAndTag) {
  PObjString* a = NewText("a");
  PObjString* b = NewText("a");
  EXPECT_EQ(CallInt(a, S::ADDRESS), int64_t(reinterpret_cast<intptr_t>(a)));
  EXPECT_EQ(CallInt(a, S::ADDRESS), CallInt(a, S::ADDRESS));
  EXPECT_NE(CallInt(a, S::ADDRESS), CallInt(b, S::ADDRESS));

  EXPECT_EQ(CallInt(a, S::GET_TAG), 0);
  const struct {
    int64_t stored;
    int64_t read;
  } tags[] = {{5, 5}, {-2, -2}, {(int64_t(1) << 32) + 7, 7}, {0xFFFFFFFF, -1}};
  for (const auto& t : tags) {
    Run(a, S::SET_TAG, {I(t.stored)});
    EXPECT_EQ(CallInt(a, S::GET_TAG), t.read) << t.stored;
    EXPECT_EQ(a->GetString().GetTag(), t.read);
  }
  EXPECT_STREQ(a->GetText(), "a");
}

// Without a fill character the new bytes are zeros, never leftover memory.
TEST_F(PObjStringTest, SetLengthWithoutFillAddsZeros) {
  PObjString* o = NewText("ab");
  Run(o, S::SET_LENGTH, {I(100), T("")});
  ASSERT_EQ(o->GetString().GetLength(), 100);
  for (int i = 2; i < 100; i++) EXPECT_EQ(o->GetString().GetBuffer()[i], 0) << i;
  EXPECT_EQ(CallInt(o, S::LENGTH), 100);
  EXPECT_EQ(CallText(o, S::GET), "ab");
}

TEST_F(PObjStringTest, UndeclaredMembersSucceedWithoutEffect) {
  PObjString* o = NewText("abc");
  EXPECT_EQ(CallInt(o, S::kMemberCount), 0x5A5A5A5A);
  EXPECT_EQ(CallText(o, 500), "<none>");
  EXPECT_STREQ(o->GetText(), "abc");
  // A caller that wants no result still gets the change.
  Args args = With();
  args.Str("d");
  EXPECT_TRUE(o->Call(S::APPEND_AND_GET, args.block.Get(), nullptr, nullptr));
  EXPECT_STREQ(o->GetText(), "abcd");
}

// ---- Comparison and tests -------------------------------------------------------------------

TEST_F(PObjStringTest, ComparisonsAndTests) {
  RunCases({
      {"abc", S::COMPARE, {T("abd")}, "-1", nullptr},
      {"abc", S::COMPARE, {T("ABC")}, "1", nullptr},
      {"abc", S::COMPARE, {T("ABC"), I(0)}, "0", nullptr},
      {"abc", S::COMPARE, {T("ab")}, "1", nullptr},
      {"", S::COMPARE, {T("")}, "0", nullptr},
      {"hello.txt", S::MATCHES, {T("*.txt")}, "1", nullptr},
      {"hello.txt", S::MATCHES, {T("h?llo*")}, "1", nullptr},
      {"hello.txt", S::MATCHES, {T("ello*")}, "0", nullptr},
      {"\"ab\"", S::IS_ENCLOSED_BY, {}, "1", nullptr},
      {"\"a\"b\"", S::IS_ENCLOSED_BY, {}, "0", nullptr},
      {"\"", S::IS_ENCLOSED_BY, {}, "0", nullptr},
      {"'x'", S::IS_ENCLOSED_BY, {T("'")}, "1", nullptr},
      {"a_1", S::IS_IDENTIFIER, {}, "1", nullptr},
      {"1a", S::IS_IDENTIFIER, {}, "0", nullptr},
      {"__", S::IS_IDENTIFIER, {}, "0", nullptr},
      {"a_", S::IS_IDENTIFIER, {}, "0", nullptr},
      {"AB_1", S::IS_UPPER_IDENTIFIER, {}, "1", nullptr},
      {"Ab", S::IS_UPPER_IDENTIFIER, {}, "0", nullptr},
      {"ab_1", S::IS_LOWER_IDENTIFIER, {}, "1", nullptr},
      {"aB", S::IS_LOWER_IDENTIFIER, {}, "0", nullptr},
      {"a.txt", S::IS_VALID_FILE_NAME, {}, "1", nullptr},
      {"a?b", S::IS_VALID_FILE_NAME, {}, "0", nullptr},
      {"-1.5 ", S::IS_NUMBER, {}, "1", nullptr},
      {"1.2.3", S::IS_NUMBER, {}, "0", nullptr},
      {"-12", S::IS_INTEGER, {}, "1", nullptr},
      {"1.5", S::IS_INTEGER, {}, "0", nullptr},
      {"1.5", S::IS_DECIMAL, {}, "1", nullptr},
      {"15", S::IS_DECIMAL, {}, "0", nullptr},
      {"0x1F", S::IS_HEX_NUMBER, {}, "1", nullptr},
      {" #ff ", S::IS_HEX_NUMBER, {}, "1", nullptr},
      {"0xG", S::IS_HEX_NUMBER, {}, "0", nullptr},
      {"0x12345678901234567", S::IS_HEX_NUMBER, {}, "0", nullptr},
      {"0X1F", S::IS_HEX_NUMBER, {T(""), I(1)}, "0", nullptr},
      {"$1F", S::IS_HEX_NUMBER, {T("$")}, "1", nullptr},
      {"0x1F", S::IS_HEX_NUMBER, {T("$")}, "0", nullptr},
      {"12", S::CLASSIFY_LITERAL, {}, "1", nullptr},
      {"1.5", S::CLASSIFY_LITERAL, {}, "2", nullptr},
      {"0x1f", S::CLASSIFY_LITERAL, {}, "3", nullptr},
      {"\"hi\"", S::CLASSIFY_LITERAL, {}, "4", nullptr},
      {"'hi'", S::CLASSIFY_LITERAL, {}, "0", nullptr},
      {"'hi'", S::CLASSIFY_LITERAL, {T("'")}, "4", nullptr},
      {"", S::CLASSIFY_LITERAL, {}, "0", nullptr},
      {"192.168.0.255", S::IS_IP_ADDRESS, {}, "1", nullptr},
      {"256.1.1.1", S::IS_IP_ADDRESS, {}, "0", nullptr},
      {"1.2.3", S::IS_IP_ADDRESS, {}, "0", nullptr},
      {"1.2.3.4.5", S::IS_IP_ADDRESS, {}, "0", nullptr},
      {"1.2.3.1234", S::IS_IP_ADDRESS, {}, "0", nullptr},
  });
}

// ---- Editing in place -------------------------------------------------------------------------

TEST_F(PObjStringTest, Editing) {
  RunCases({
      {"ab", S::APPEND, {T("cd")}, nullptr, "abcd"},
      {"ab", S::APPEND_AND_GET, {T("cd")}, "abcd", "abcd"},
      {"abc", S::INSERT, {T("xy")}, nullptr, "abcxy"},
      {"abc", S::INSERT, {T("-"), I(1), I(3)}, nullptr, "a---bc"},
      {"abc", S::INSERT, {T("x"), I(9)}, nullptr, nullptr},
      {"abc", S::INSERT, {T("x"), I(0), I(0)}, nullptr, nullptr},
      {"abcdef", S::REMOVE, {I(2)}, nullptr, "ab"},
      {"abcdef", S::REMOVE, {I(1), I(2)}, nullptr, "adef"},
      {"abcdef", S::REMOVE, {I(9), I(1)}, nullptr, nullptr},
      {"abcd", S::OVERWRITE_RANGE, {T("XYZ"), I(1), I(2)}, nullptr, "aXYZcd"},
      {"abcd", S::OVERWRITE_RANGE, {T("X"), I(1), I(3)}, nullptr, "aXd"},
      {"abcd", S::OVERWRITE_RANGE, {T("X"), I(-5), I(1)}, nullptr, "Xbcd"},
      {"abcd", S::OVERWRITE_RANGE, {T("X"), I(2), I(2)}, nullptr, nullptr},
      {"abcd", S::OVERWRITE_RANGE, {T("X"), I(4), I(6)}, nullptr, nullptr},
      {" \tab \t", S::TRIM, {}, nullptr, "ab"},
      {"abcd", S::TRIM, {I(1), I(1)}, nullptr, "bc"},
      {"  ab  ", S::TRIM, {I(0)}, nullptr, "  ab"},
      {"\t ab ", S::TRIM_LEADING, {}, nullptr, "ab "},
      {"abc", S::TRIM_LEADING, {I(2)}, nullptr, "c"},
      {" ab \t", S::TRIM_TRAILING, {}, nullptr, " ab"},
      {"abc", S::TRIM_TRAILING, {I(1)}, nullptr, "ab"},
      {"a-b-c", S::REPLACE, {T("-"), T("+")}, "2", "a+b+c"},
      {"aXbxc", S::REPLACE, {T("x"), T("_"), I(0), I(-1), I(0)}, "2", "a_b_c"},
      {"aXbxc", S::REPLACE, {T("x"), T("_")}, "1", "aXb_c"},
      {"a-b-c", S::REPLACE, {T("-"), T(""), I(2)}, "1", "a-bc"},
      {"a-b-c", S::REPLACE, {T("-"), T(""), I(0), I(2)}, "1", "ab-c"},
      {"aaa", S::REPLACE, {T("a"), T("aa")}, "3", "aaaaaa"},
      {"aaa", S::REPLACE, {T(""), T("x")}, "0", nullptr},
      {"\xC9" "AbC1", S::MAKE_LOWER, {}, nullptr, "\xC9" "abc1"},
      {"AbC1", S::MAKE_UPPER, {}, nullptr, "ABC1"},
      {" a\tb ", S::REMOVE_BLANKS, {}, nullptr, "ab"},
      {" a\tb ", S::REMOVE_BLANKS, {I(0)}, nullptr, "a\tb"},
      {"\xC9t\xE9", S::REMOVE_ACCENTS, {}, nullptr, "Ete"},
      {"\xC9t\xE9", S::REMOVE_ACCENTS, {I(0), I(1)}, nullptr, "\xC9te"},
      {"\xC9t\xE9", S::REMOVE_ACCENTS, {I(1), I(0)}, nullptr, "Et\xE9"},
      {"12. Item", S::STRIP_LEADING_NUMBER, {}, nullptr, "Item"},
      {"Item 1", S::STRIP_LEADING_NUMBER, {}, nullptr, nullptr},
      {"abc", S::REVERSE, {}, nullptr, "cba"},
      {"", S::REVERSE, {}, nullptr, nullptr},
      {"ab", S::ENCLOSE, {}, "1", "\"ab\""},
      {"\"ab\"", S::ENCLOSE, {}, "0", nullptr},
      {"ab", S::ENCLOSE, {T("'")}, "1", "'ab'"},
      {"\"ab\"", S::UNENCLOSE, {}, "1", "ab"},
      {"ab", S::UNENCLOSE, {}, "0", nullptr},
      {"  a  =  b  ", S::REMOVE_EXTRA_BLANKS, {}, nullptr, "a=b"},
      {"a   b", S::REMOVE_EXTRA_BLANKS, {}, nullptr, "a b"},
      {"x= \"a  b\"", S::REMOVE_EXTRA_BLANKS, {}, nullptr, "x=\"a  b\""},
      {"a\tb", S::REMOVE_EXTRA_BLANKS, {}, nullptr, "a b"},
      {"a\tb", S::REMOVE_EXTRA_BLANKS, {I(0)}, nullptr, nullptr},
      {"aaa bbb ccc", S::WORD_WRAP_LEFT, {I(7)}, nullptr, "aaa bbb\r\nccc    "},
      {"aaa bbb ccc", S::WORD_WRAP_CENTRE, {I(7)}, nullptr, "aaa bbb\r\n  ccc  "},
      {"aaa bbb ccc", S::WORD_WRAP_RIGHT, {I(7)}, nullptr, "aaa bbb\r\n    ccc"},
      {"aa b ccc", S::WORD_WRAP_JUSTIFY, {I(6)}, nullptr, "aa   b\r\nccc   "},
      {"ab cd\r\nefghij", S::WORD_WRAP_LEFT, {}, nullptr, "ab cd \r\nefghij"},
  });
}

// The end -1 (the default) reaches the end of the text.
TEST_F(PObjStringTest, RangesWithTheDefaultEndReachTheEnd) {
  RunCases({
      {"abcd", S::SLICE, {I(1)}, "bcd", nullptr},
      {"abcd", S::SLICE, {I(1), I(3)}, "bc", nullptr},
      {"abcd", S::SLICE, {I(4)}, "", nullptr},
      {"abcd", S::SLICE, {I(3), I(1)}, "", nullptr},
      {"abcd", S::OVERWRITE_RANGE, {T("X"), I(1)}, nullptr, "aX"},
      {"abcd", S::OVERWRITE_RANGE, {T("X")}, nullptr, "X"},
      {"abcd", S::OVERWRITE_RANGE, {T("X"), I(4)}, nullptr, nullptr},
  });
}

// Requests beyond the longest possible text leave it alone instead of ending
// the program in the allocator.
TEST_F(PObjStringTest, OversizedRequestsChangeNothing) {
  RunCases({
      {"ab", S::SET_LENGTH, {I(int64_t(1) << 40)}, nullptr, nullptr},
      {"ab", S::SET_LENGTH, {I(INT32_MAX)}, nullptr, nullptr},
      {"ab", S::INSERT, {T("xy"), I(0), I(INT32_MAX)}, nullptr, nullptr},
      {"ab c", S::WORD_WRAP_LEFT, {I(INT32_MAX)}, nullptr, nullptr},
  });
}

// ---- Extraction -------------------------------------------------------------------------------

TEST_F(PObjStringTest, Extraction) {
  RunCases({
      {"abcd", S::SLICE, {I(-2), I(2)}, "ab", nullptr},
      {"abcd", S::LEFT, {I(2)}, "ab", nullptr},
      {"abcd", S::LEFT, {I(9)}, "abcd", nullptr},
      {"abcd", S::LEFT, {I(int64_t(1) << 32)}, "abcd", nullptr},
      {"abcd", S::LEFT, {I(-1)}, "", nullptr},
      {"abcd", S::RIGHT, {I(1)}, "d", nullptr},
      {"abcd", S::MID, {I(1)}, "bcd", nullptr},
      {"abcd", S::MID, {I(1), I(2)}, "bc", nullptr},
      {"abcd", S::MID, {I(7)}, "", nullptr},
      {"key=value=x", S::BEFORE_CHAR_OR_ALL, {T("=")}, "key", nullptr},
      {"key=value=x", S::BEFORE_CHAR_OR_ALL, {T(":")}, "key=value=x", nullptr},
      {"key=value=x", S::BEFORE_CHAR, {T("=")}, "key", nullptr},
      {"key=value=x", S::BEFORE_CHAR, {T(":")}, "", nullptr},
      {"key=value=x", S::AFTER_CHAR, {T("=")}, "value=x", nullptr},
      {"key=value=x", S::AFTER_CHAR, {T(":")}, "", nullptr},
      {"AbC", S::TO_LOWER, {}, "abc", nullptr},
      {"AbC", S::TO_UPPER, {}, "ABC", nullptr},
      {" a\tb ", S::WITHOUT_BLANKS, {}, "ab", nullptr},
      {" a\tb ", S::WITHOUT_BLANKS, {I(0)}, "a\tb", nullptr},
      {"a\r\nb\nc\r\n", S::COUNT_LINES, {}, "3", nullptr},
      {"", S::COUNT_LINES, {}, "1", nullptr},
      {"ab\r\ncdef\ng", S::LONGEST_LINE_LENGTH, {}, "4", nullptr},
  });
}

// The scanners hand the position after what they read, and the tag flags,
// back through whatever number-holding objects they are given.
TEST_F(PObjStringTest, ScannersHandPositionsBack) {
  PObjString* o = NewText("  <a href=\">\">text</a> <br/>");
  PObjInt* next = NewInt(-5);
  PObjValue* isTag = NewValue();
  PObjString* isOpening = NewText("x");
  PObjFloat* isClosing = NewFloat(9.0);
  auto markup = [&](int64_t pos) {
    Args args = With();
    args.Int(pos).Obj(next).Obj(isTag).Obj(isOpening).Obj(isClosing);
    return CallText(o, S::NEXT_MARKUP_TOKEN, args);
  };
  EXPECT_EQ(markup(0), "<a href=\">\">");
  EXPECT_EQ(next->GetValue(), 14);
  EXPECT_EQ(isTag->GetValue().ToInt64(), 1);
  EXPECT_STREQ(isOpening->GetText(), "1");
  EXPECT_EQ(isClosing->GetValue(), 0.0);
  EXPECT_EQ(markup(14), "text");
  EXPECT_EQ(next->GetValue(), 18);
  EXPECT_EQ(isTag->GetValue().ToInt64(), 0);
  EXPECT_EQ(markup(18), "</a>");
  EXPECT_STREQ(isOpening->GetText(), "0");
  EXPECT_EQ(isClosing->GetValue(), 1.0);
  EXPECT_EQ(markup(22), "<br/>");
  EXPECT_STREQ(isOpening->GetText(), "1");
  EXPECT_EQ(isClosing->GetValue(), 1.0);
  EXPECT_EQ(next->GetValue(), 28);
  // Nothing left: "" and nothing handed back.
  next->SetValue(-7);
  EXPECT_EQ(markup(28), "");
  EXPECT_EQ(next->GetValue(), -7);
  // Only the position: the token, and no object touched.
  EXPECT_EQ(Run(o, S::NEXT_MARKUP_TOKEN, {I(18)}), "</a>");
  EXPECT_EQ(next->GetValue(), -7);

  PObjString* words = NewText("one  two\r\nthree");
  auto word = [&](int64_t pos, bool blanks) {
    Args args = With();
    args.Int(pos).Obj(next).Int(blanks);
    return CallText(words, S::NEXT_WORD, args);
  };
  EXPECT_EQ(word(3, false), "two");
  EXPECT_EQ(next->GetValue(), 8);
  EXPECT_EQ(word(3, true), "  ");
  EXPECT_EQ(next->GetValue(), 5);
  EXPECT_EQ(word(8, false), "three");
  EXPECT_EQ(next->GetValue(), 15);
  EXPECT_EQ(Run(words, S::NEXT_WORD, {I(0)}), "one");

  auto line = [&](int64_t pos) {
    Args args = With();
    args.Int(pos).Obj(next);
    return CallText(words, S::GET_LINE_AT, args);
  };
  EXPECT_EQ(line(0), "one  two");
  EXPECT_EQ(next->GetValue(), 10);
  EXPECT_EQ(line(10), "three");
  EXPECT_EQ(next->GetValue(), 15);
  EXPECT_EQ(Run(words, S::GET_LINE_AT, {I(5)}), "two");
}

// ---- Search -------------------------------------------------------------------------------------

TEST_F(PObjStringTest, Search) {
  const char* code = "identity id_x \"id\" // id\r\nid";
  RunCases({
      {"abcabc", S::FIND, {T("bc")}, "1", nullptr},
      {"abcabc", S::FIND, {T("bc"), I(2)}, "4", nullptr},
      {"abcabc", S::FIND, {T("bc"), I(2), I(2)}, "-1", nullptr},
      {"abcabc", S::FIND, {T("BC")}, "-1", nullptr},
      {"abcabc", S::FIND, {T("BC"), I(0), I(-1), I(0)}, "1", nullptr},
      {"abcabc", S::FIND, {T("")}, "-1", nullptr},
      {"\"ab\" ab", S::FIND_OUTSIDE_QUOTES, {T("ab")}, "5", nullptr},
      {"\"ab\" ab", S::FIND_OUTSIDE_QUOTES, {T("ab"), I(0), T("'")}, "1", nullptr},
      {"\"ab\" ab", S::FIND_OUTSIDE_QUOTES, {T("ab"), I(6)}, "-1", nullptr},
      {"hello", S::FIND_ONE_OF, {T("ol")}, "2", nullptr},
      {"hello", S::FIND_ONE_OF, {T("OL")}, "-1", nullptr},
      {"hello", S::FIND_ONE_OF, {T("OL"), I(0), I(-1), I(0)}, "2", nullptr},
      {"hello", S::FIND_ONE_OF, {T("o"), I(0), I(4)}, "-1", nullptr},
      {"a/b/c", S::REVERSE_FIND_CHAR, {T("/")}, "3", nullptr},
      {"a/b/c", S::REVERSE_FIND_CHAR, {T("/"), I(2)}, "1", nullptr},
      {"a/b/c", S::REVERSE_FIND_CHAR, {T("x")}, "-1", nullptr},
      {"a/b\\c", S::REVERSE_FIND_ONE_OF, {T("/\\")}, "1", nullptr},
      {"a/b\\c", S::REVERSE_FIND_ONE_OF, {T("\\/")}, "3", nullptr},
      {"  ab", S::FIND_NOT_CHAR, {T(" ")}, "2", nullptr},
      {"aaa", S::FIND_NOT_CHAR, {T("a")}, "-1", nullptr},
      {"xxab", S::FIND_NOT_CHAR, {T("x"), I(1), I(1)}, "-1", nullptr},
      {code, S::FIND_WORD, {T("id")}, "26", nullptr},
      {code, S::FIND_WORD, {T("id"), I(0), T("'")}, "15", nullptr},
      {"identity", S::FIND_WORD, {T("id")}, "-1", nullptr},
      {"id2 id", S::FIND_WORD, {T("id")}, "4", nullptr},
  });
}

// ---- Encodings ------------------------------------------------------------------------------------

TEST_F(PObjStringTest, Encodings) {
  RunCases({
      {"abc", S::ENCODE_BASE64, {}, nullptr, "YWJj="},
      {"ab", S::ENCODE_BASE64, {}, nullptr, "YWI="},
      {"\xFB\xFF", S::ENCODE_BASE64, {}, nullptr, "+/8="},
      {"YWJj=", S::DECODE_BASE64, {}, nullptr, "abc"},
      {"a", S::ENCODE_7BIT, {}, nullptr, "P`\xFF\xFF\xFF\xFF\xFF\xFF\xFF"},
      {"P`\xFF\xFF\xFF\xFF\xFF\xFF\xFF", S::DECODE_7BIT, {}, nullptr, "a"},
      {"a b&c-_", S::ENCODE_URL, {}, nullptr, "a%20b%26c-_"},
      {"\xE9", S::ENCODE_URL, {}, nullptr, "%E9"},
      {"a%20b+c", S::DECODE_URL, {}, nullptr, "a b+c"},
      {"<a href=\"x\">'&'", S::ESCAPE_HTML, {}, nullptr, "&lt;a href=&quot;x&quot;&gt;'&amp;'"},
      {"<a href=\"x\">'&'", S::ESCAPE_HTML, {I(1), I(0)}, nullptr, "&lt;a href=\"x\"&gt;&#039;&amp;&#039;"},
      {"&lt;&quot;&#039;&amp;", S::UNESCAPE_HTML, {}, nullptr, "<\"&#039;&"},
      {"&lt;&quot;&#039;&amp;", S::UNESCAPE_HTML, {I(1), I(0)}, nullptr, "<&quot;'&"},
      {"<\xE9'\"", S::ESCAPE_HTML_FULL, {}, nullptr, "&lt;\xE9'&quot;"},
      {"<\xE9'\"", S::ESCAPE_HTML_FULL, {I(1), I(0)}, nullptr, "&lt;&#233;&#039;\""},
      {"a\r\nb\nc", S::CRLF_TO_BR, {}, nullptr, "a<br>b\nc"},
      {"a<BR>b<br>", S::BR_TO_CRLF, {}, nullptr, "a\r\nb\r\n"},
      {"A\xFF", S::ENCODE_HEX_ESCAPES, {}, nullptr, "%41%FF"},
      {"A\xFF", S::ENCODE_HEX_ESCAPES, {T("")}, nullptr, "%41%FF"},
      {"A\xFF", S::ENCODE_HEX_ESCAPES, {T("\\")}, nullptr, "\\41\\FF"},
      {"%41%4a%zz", S::DECODE_HEX_ESCAPES, {}, nullptr, "AJ%zz"},
      {"#41%41", S::DECODE_HEX_ESCAPES, {T("#")}, nullptr, "A%41"},
      {"%41", S::DECODE_HEX_ESCAPES, {T("")}, nullptr, "A"},
      {"", S::ENCODE_BASE64, {}, nullptr, nullptr},
  });
}

TEST_F(PObjStringTest, EncodingsReadBack) {
  const struct {
    S::Member encode, decode;
  } pairs[] = {
      {S::ENCODE_BASE64, S::DECODE_BASE64},
      {S::ENCODE_7BIT, S::DECODE_7BIT},
      {S::ENCODE_URL, S::DECODE_URL},
      {S::ENCODE_HEX_ESCAPES, S::DECODE_HEX_ESCAPES},
      {S::ESCAPE_HTML, S::UNESCAPE_HTML},
      {S::CRLF_TO_BR, S::BR_TO_CRLF},
  };
  std::string all;
  for (int b = 1; b < 256; b++) all += char(b);
  for (const char* text : {"a", "abcdefg", "abcdefgh", "<p class=\"x\">'1 & 2'</p>\r\n", all.c_str()}) {
    for (const auto& p : pairs) {
      PObjString* o = NewText(text);
      Run(o, p.encode, {});
      Run(o, p.decode, {});
      EXPECT_EQ(std::string(o->GetText()), text) << "members " << p.encode << ", " << p.decode;
    }
  }
}

// ---- Numbers and digests ----------------------------------------------------------------------------

TEST_F(PObjStringTest, Numbers) {
  RunCases({
      {"x", S::SET_INT, {I(INT64_MIN)}, nullptr, "-9223372036854775808"},
      {"x", S::SET_INT, {I(42)}, nullptr, "42"},
      {"x", S::SET_DOUBLE, {F(2.5)}, nullptr, "        2.5"},
      {"x", S::SET_DOUBLE, {F(-3.0)}, nullptr, "       -3"},
      {"x", S::SET_DOUBLE, {F(0.125)}, nullptr, "        0.125"},
      {"x", S::SET_HEX, {I(255)}, nullptr, "FF"},
      {"x", S::SET_HEX, {I(10), I(4)}, nullptr, "000A"},
      {"x", S::SET_HEX, {I(-1)}, nullptr, "FFFFFFFFFFFFFFFF"},
      {"x", S::SET_HEX, {I(1), I(0)}, nullptr, "1"},
      {"x", S::SET_HEX, {I(1), I(40)}, nullptr, "0000000000000001"},
      {"x", S::SET_BINARY, {I(5)}, nullptr, "101"},
      {"x", S::SET_BINARY, {I(0)}, nullptr, "0"},
      {"x", S::SET_BINARY, {I(0x100000003)}, nullptr, "11"},
      {"x", S::SET_BINARY, {I(-1)}, nullptr, "11111111111111111111111111111111"},
      {"x", S::SET_ROMAN, {I(1994)}, nullptr, "MCMXCIV"},
      {"x", S::SET_ROMAN, {I(0)}, nullptr, ""},
      {"x", S::SET_ROMAN, {I(0x100000004)}, nullptr, "IV"},
      {" 42abc", S::TO_INT, {}, "42", nullptr},
      {"-9223372036854775808", S::TO_INT, {}, "-9223372036854775808", nullptr},
      {"x", S::TO_INT, {}, "0", nullptr},
      {"2.5e3", S::TO_DOUBLE, {}, "2500.000000", nullptr},
      {"#ff", S::HEX_VALUE, {}, "255", nullptr},
      {"0x1F", S::HEX_VALUE, {}, "31", nullptr},
      {"1f", S::HEX_VALUE, {}, "31", nullptr},
      {"0x", S::HEX_VALUE, {}, "0", nullptr},
      {"12345678901234567", S::HEX_VALUE, {}, "0", nullptr},
      {"FFFFFFFFFFFFFFFF", S::HEX_VALUE, {}, "-1", nullptr},
      {"1g", S::HEX_VALUE, {}, "0", nullptr},
      {"101", S::BINARY_VALUE, {}, "5", nullptr},
      {"1x1", S::BINARY_VALUE, {}, "5", nullptr},
      {"", S::BINARY_VALUE, {}, "0", nullptr},
      {"MCMXCIV", S::ROMAN_VALUE, {}, "1994", nullptr},
      {"mmxx", S::ROMAN_VALUE, {}, "2020", nullptr},
      {"ABC", S::ROMAN_VALUE, {}, "0", nullptr},
  });
}

TEST_F(PObjStringTest, Digests) {
  RunCases({
      {"", S::CRC32, {}, "0", nullptr},
      {"123456789", S::CRC32, {}, "3421780262", nullptr},
      {"abc", S::MD5, {}, "900150983CD24FB0D6963F7D28E17F72", nullptr},
      {"", S::MD5, {}, "D41D8CD98F00B204E9800998ECF8427E", nullptr},
      {"abc", S::SHA1, {}, "A9993E364706816ABA3E25717850C26C9CD0D89D", nullptr},
      {"", S::SHA1, {}, "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709", nullptr},
  });
}

// ---- Splitting into a StringArray --------------------------------------------------------------------

TEST_F(PObjStringTest, SplitAppendsTokens) {
  const struct {
    const char* text;
    std::vector<Arg> args;  // after the array
    int result;
    std::vector<const char*> tokens;
  } cases[] = {
      {"a b", {}, 2, {"a", "b"}},
      {"", {}, 0, {}},
      {"  a  ,b ", {T(",")}, 2, {"a", "b"}},
      {"x,\"a,b\",y", {T(",")}, 3, {"x", "\"a,b\"", "y"}},
      {"x,\"a,b\",y", {T(","), I(S::SPL_NOQUOTE)}, 3, {"x", "a,b", "y"}},
      {"x,\"a,b\",y", {T(","), I(0)}, 4, {"x", "\"a", "b\"", "y"}},
      {"x,'a,b'", {T(","), I(S::SPL_QUOTE), T("'")}, 2, {"x", "'a,b'"}},
      {"x,\"a,b\"", {T(","), I(S::SPL_QUOTE), T("")}, 2, {"x", "\"a,b\""}},
      {"a;;b;", {T(";"), I(0)}, 4, {"a", "", "b", ""}},
      // Refused splits add nothing.
      {"a b \"c d", {}, -1, {}},
      {"a,b", {T(",\""), I(S::SPL_QUOTE)}, -1, {}},
      {"a,b", {T(","), I(S::SPL_NOSPACE), T(" ")}, -1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    FakeStringArray* array = NewArray();
    array->texts.Add("old");
    PObjString* o = NewText(c.text);
    Args args = With();
    args.Obj(array);
    for (const Arg& a : c.args) {
      if (a.kind == 'i') args.Int(a.i);
      if (a.kind == 's') args.Str(a.s);
    }
    AddDefaults(args, S::SPLIT);
    EXPECT_EQ(CallInt(o, S::SPLIT, args), c.result);
    ASSERT_EQ(array->texts.GetCount(), int(c.tokens.size()) + 1);
    EXPECT_STREQ(array->texts.GetString(0).GetText(), "old");
    for (size_t i = 0; i < c.tokens.size(); i++) {
      EXPECT_STREQ(array->texts.GetString(int(i) + 1).GetText(), c.tokens[i]) << i;
      EXPECT_EQ(array->texts.GetAt(int(i) + 1)->GetTag(), 0);
    }
    EXPECT_STREQ(o->GetText(), c.text);
  }
}

TEST_F(PObjStringTest, SplitIntoMarkupTokens) {
  FakeStringArray* array = NewArray();
  PObjString* o = NewText("<p class=\"a\">Hi <b>there</b></p>");
  EXPECT_EQ(CallInt(o, S::SPLIT_MARKUP), 0x5A5A5A5A);  // no array given
  Args args = With();
  args.Obj(array);
  EXPECT_EQ(CallInt(o, S::SPLIT_MARKUP, args), 6);
  const struct {
    const char* text;
    int tag;
  } tokens[] = {{"<p class=\"a\">", 1}, {"Hi ", 0}, {"<b>", 1}, {"there", 0}, {"</b>", 1}, {"</p>", 1}};
  ASSERT_EQ(array->texts.GetCount(), 6);
  for (int i = 0; i < 6; i++) {
    EXPECT_STREQ(array->texts.GetString(i).GetText(), tokens[i].text) << i;
    EXPECT_EQ(array->texts.GetAt(i)->GetTag(), tokens[i].tag) << i;
  }
}

// Without an array (null, or an object of another class) nothing happens
// and the caller keeps its preset result.
TEST_F(PObjStringTest, SplitWithoutArrayDoesNothing) {
  FakeStringArray* array = NewArray();
  PObjString* o = NewText("a b");
  for (PObject* notArray : {static_cast<PObject*>(nullptr), static_cast<PObject*>(NewInt(3))}) {
    for (S::Member m : {S::SPLIT, S::SPLIT_MARKUP}) {
      Args args = With();
      args.Obj(notArray);
      AddDefaults(args, m);
      EXPECT_EQ(CallInt(o, m, args), 0x5A5A5A5A) << m;
    }
  }
  // Before the StringArray class hands over its access, no object is an array.
  PObjString::SetArrayAccess(nullptr);
  Args args = With();
  args.Obj(array);
  EXPECT_EQ(CallInt(o, S::SPLIT_MARKUP, args), 0x5A5A5A5A);
  EXPECT_EQ(array->texts.GetCount(), 0);
}

}  // namespace
