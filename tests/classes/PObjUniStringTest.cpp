// The UniString class through Call, as compiled code calls it: arguments the
// call leaves out take the declared defaults, and every result is read in the
// class the member declares.
#include <gtest/gtest.h>

#include <concepts>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "classes/PObjUniString.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/MemberCall.h"

namespace {

typedef PObjUniString U;

// An argument or a result: an integer, a double, a text or nothing.
struct Arg {
  enum Kind { NONE, INT, FLOAT, TEXT };
  Kind kind = NONE;
  int64_t i = 0;
  double f = 0;
  std::u16string u;

  Arg() = default;
  template <std::integral T>
  Arg(T n) : kind(INT), i(int64_t(n)) {}
  template <std::floating_point T>
  Arg(T x) : kind(FLOAT), f(double(x)) {}
  Arg(const char16_t* s) : kind(TEXT), u(s) {}
  Arg(std::u16string s) : kind(TEXT), u(std::move(s)) {}

  bool operator==(const Arg& o) const {
    return kind == o.kind && i == o.i && f == o.f && u == o.u;
  }
};

std::string Show(const std::u16string& s) {
  std::string out = "\"";
  for (char16_t c : s) {
    char buffer[8];
    if (c >= 0x20 && c < 0x7F) {
      out += char(c);
    } else {
      std::snprintf(buffer, sizeof buffer, "\\u%04X", unsigned(c));
      out += buffer;
    }
  }
  return out + "\"";
}

std::string ShowArg(const Arg& a) {
  switch (a.kind) {
    case Arg::INT: return std::to_string(a.i);
    case Arg::FLOAT: return std::to_string(a.f);
    case Arg::TEXT: return Show(a.u);
    default: return "(none)";
  }
}

class PObjUniStringTest : public classtest::ValueClassTest {
 protected:
  PObjectDefinition* Def() { return engine.GetUniStringDefinition(); }

  U* NewUni(const char16_t* text) {
    U* o = Keep(engine.NewUniString());
    o->SetText(text);
    return o;
  }

  // Calls member with the given arguments, the declared defaults after them,
  // and reads the result as the declared class; a declared parameter class
  // that the given argument does not match is reported.
  Arg Run(U* o, uint16_t member, const std::vector<Arg>& given) {
    PObjectDefinition* d = Def();
    const int pos = d->FindMemberById(member);
    auto args = With();
    for (size_t i = 0; i < given.size(); i++) {
      const Arg& a = given[i];
      if (pos >= 0 && int(i) < d->GetParamCount(pos)) {
        TypeCode want = a.kind == Arg::INT     ? TYPE_INTEGER
                        : a.kind == Arg::FLOAT ? TYPE_FLOAT
                                               : TYPE_UNISTRING;
        EXPECT_EQ(d->GetParamInfo(pos, int(i))->GetTypeCode(), want) << "member " << member << " arg " << i;
      }
      if (a.kind == Arg::INT) args.Int(a.i);
      else if (a.kind == Arg::FLOAT) args.Float(a.f);
      else args.Uni(a.u.c_str());
    }
    if (pos < 0) {
      PResultCell cell = nullptr;
      EXPECT_TRUE(o->Call(member, args.block.Get(), &cell, nullptr));
      EXPECT_EQ(cell, nullptr);
      return Arg();
    }
    for (int i = int(given.size()); i < d->GetParamCount(pos); i++) {
      PObjectInfo* p = d->GetParamInfo(pos, i);
      EXPECT_TRUE(p->HasDefault()) << "member " << member << " arg " << i;
      switch (p->GetTypeCode()) {
        case TYPE_INTEGER: args.Int(p->GetDefault().ToInt64()); break;
        case TYPE_FLOAT: args.Float(p->GetDefault().ToDouble()); break;
        default: args.Uni(p->GetDefault().ToUniString().GetText()); break;
      }
    }
    switch (d->GetReturnType(pos)->GetTypeCode()) {
      case TYPE_INTEGER:
      case TYPE_FLOAT: {
        int64_t storage = 0x5A5A5A5A;
        PResultCell cell = &storage;
        EXPECT_TRUE(o->Call(member, args.block.Get(), &cell, nullptr));
        EXPECT_EQ(cell, &storage) << "member " << member << " answered a text";
        if (d->GetReturnType(pos)->GetTypeCode() == TYPE_INTEGER) return Arg(storage);
        double x;
        std::memcpy(&x, &storage, 8);
        return Arg(x);
      }
      case TYPE_UNISTRING: {
        PResultCell cell = nullptr;
        EXPECT_TRUE(o->Call(member, args.block.Get(), &cell, nullptr));
        if (!cell) return Arg(u"<no text>");
        std::u16string text(static_cast<char16_t*>(cell));
        std::free(cell);
        return Arg(text);
      }
      default: {
        PResultCell cell = nullptr;
        EXPECT_TRUE(o->Call(member, args.block.Get(), &cell, nullptr));
        EXPECT_EQ(cell, nullptr) << "member " << member << " answered a text";
        if (cell) std::free(cell);
        return Arg();
      }
    }
  }

  struct Case {
    const char16_t* text;  // before the call
    uint16_t member;
    std::vector<Arg> args;
    Arg result;            // nothing for members without result
    const char16_t* after;  // the text after the call; null: unchanged
  };

  void RunCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      U* o = NewUni(c.text);
      std::string what = "member " + std::to_string(c.member) + " on " + Show(c.text) + " with";
      for (const Arg& a : c.args) what += " " + ShowArg(a);
      Arg got = Run(o, c.member, c.args);
      EXPECT_TRUE(got == c.result) << what << ": got " << ShowArg(got) << ", want " << ShowArg(c.result);
      std::u16string after = c.after ? c.after : c.text;
      EXPECT_EQ(Show(o->GetText()), Show(after)) << what;
      EXPECT_EQ(o->GetString().GetLength(), int(after.size())) << what;
    }
  }
};

const Arg kVoid;
const int64_t kFar = int64_t(1) << 32;  // wraps to 0 in 32 bits

TEST_F(PObjUniStringTest, Declaration) {
  PObjectDefinition* d = Def();
  EXPECT_STREQ(d->GetName(), "UniString");
  EXPECT_EQ(d->GetTypeCode(), TYPE_UNISTRING);
  EXPECT_EQ(d->GetCategory(), CATEGORY_VALUES);
  const struct {
    const char* name;
    int64_t value;
  } constants[] = {{"ID", int64_t(TYPE_UNISTRING)}, {"VAL_NONE", 0}, {"VAL_INT", 1},
                   {"VAL_FLOAT", 2}, {"VAL_HEX", 3}, {"VAL_STR", 4}};
  ASSERT_EQ(d->GetConstantCount(), 6);
  for (int i = 0; i < 6; i++) {
    EXPECT_STREQ(d->GetConstantName(i).GetText(), constants[i].name);
    EXPECT_EQ(d->GetConstant(i)->ToInt64(), constants[i].value);
  }
  ASSERT_EQ(d->GetMemberCount(), 57);
  for (int m = 0; m < 57; m++) {
    EXPECT_EQ(d->GetMemberKind(m), MEMBER_FUNCTION);
    EXPECT_EQ(d->GetMemberId(m), m);
  }
  // The defaults as a program would read them in a listing.
  EXPECT_STREQ(d->GetParamInfo(U::FIND, 3)->GetDefault().GetName().GetText(), "true");
  EXPECT_STREQ(d->GetParamInfo(U::ENCLOSE, 0)->GetDefault().GetName().GetText(), "\"\"\"");
  EXPECT_EQ(d->GetDefaultCount(U::REPLACE), 3);
}

TEST_F(PObjUniStringTest, WholeTextAndUnits) {
  RunCases({
      {u"abc", U::GET, {}, u"abc", nullptr},
      {u"abc", U::SET, {u"x\x263a"}, kVoid, u"x\x263a"},
      {u"abc", U::SET_AND_GET, {u""}, u"", u""},
      {u"a\xD83D\xDE00", U::LENGTH, {}, 3, nullptr},  // a surrogate pair is two units
      {u"abc", U::SET_CHAR, {1, u"\x263aZ"}, kVoid, u"a\x263a" u"c"},
      {u"abc", U::SET_CHAR, {3, u"Z"}, kVoid, nullptr},
      {u"abc", U::SET_CHAR, {-1, u"Z"}, kVoid, nullptr},
      {u"abc", U::SET_CHAR, {1, u""}, kVoid, u"a"},
      {u"abcd", U::SET_CODE, {2, 0}, kVoid, u"ab"},
      {u"abcd", U::SET_CODE, {0, 0x10041}, kVoid, u"Abcd"},  // the low 16 bits
      {u"abcd", U::SET_CODE, {kFar, 'Z'}, kVoid, nullptr},
      {u"abc", U::GET_CHAR, {1}, u"b", nullptr},
      {u"abc", U::GET_CHAR, {3}, u"", nullptr},
      {u"abc", U::GET_CHAR, {-1}, u"", nullptr},
      {u"a\xFFFF", U::GET_CODE, {1}, 65535, nullptr},
      {u"a\xFFFF", U::GET_CODE, {2}, 0, nullptr},
      {u"a\xFFFF", U::GET_CODE, {kFar}, 0, nullptr},
      {u"ab", U::SET_LENGTH, {5}, kVoid, u"ab   "},
      {u"ab", U::SET_LENGTH, {4, u"\x263a"}, kVoid, u"ab\x263a\x263a"},
      {u"abc", U::SET_LENGTH, {1}, kVoid, u"a"},
      {u"abc", U::SET_LENGTH, {-2}, kVoid, u""},
      {u"abc", U::SET_LENGTH, {INT32_MAX}, kVoid, nullptr},  // more than a text can hold
      {u"abc", U::SET_LENGTH, {kFar}, kVoid, nullptr},
      // An empty fill pads with blanks, never with what the buffer held.
      {u"ab", U::SET_LENGTH, {20, u""}, kVoid, u"ab                  "},
      // The character tests: letters in any script, false outside the text.
      {u"aB1 \x00C9\x03B1", U::IS_UPPER, {1}, 1, nullptr},
      {u"aB1 \x00C9\x03B1", U::IS_UPPER, {4}, 1, nullptr},
      {u"aB1 \x00C9\x03B1", U::IS_UPPER, {0}, 0, nullptr},
      {u"aB1 \x00C9\x03B1", U::IS_LOWER, {5}, 1, nullptr},
      {u"aB1 \x00C9\x03B1", U::IS_LOWER, {1}, 0, nullptr},
      {u"aB1 \x00C9\x03B1", U::IS_ALPHA, {4}, 1, nullptr},
      {u"aB1 \x00C9\x03B1", U::IS_ALPHA, {3}, 0, nullptr},
      {u"aB1 \x00C9\x03B1", U::IS_DIGIT, {2}, 1, nullptr},
      {u"aB1 \x00C9\x03B1", U::IS_DIGIT, {0}, 0, nullptr},
      {u"aB1 \x00C9\x03B1", U::IS_DIGIT, {6}, 0, nullptr},
      {u"1", U::IS_DIGIT, {-1}, 0, nullptr},
  });
}

TEST_F(PObjUniStringTest, AddressAndTag) {
  U* a = NewUni(u"x");
  U* b = NewUni(u"x");
  EXPECT_EQ(Run(a, U::ADDRESS, {}).i, int64_t(reinterpret_cast<intptr_t>(a)));
  EXPECT_EQ(Run(a, U::ADDRESS, {}).i, Run(a, U::ADDRESS, {}).i);
  EXPECT_NE(Run(a, U::ADDRESS, {}).i, Run(b, U::ADDRESS, {}).i);

  EXPECT_EQ(Run(a, U::GET_TAG, {}).i, 0);
  Run(a, U::SET_TAG, {(int64_t(7) << 32) | 5});  // only the low 32 bits are kept
  EXPECT_EQ(Run(a, U::GET_TAG, {}).i, 5);
  // The tag belongs to the object, not the text: setting the text keeps it.
  Run(a, U::SET, {u"other"});
  EXPECT_EQ(Run(a, U::GET_TAG, {}).i, 5);
  Run(a, U::SET_TAG, {-2});
  EXPECT_EQ(Run(a, U::GET_TAG, {}).i, -2);
  EXPECT_EQ(Run(b, U::GET_TAG, {}).i, 0);
}

TEST_F(PObjUniStringTest, CompareAndEdit) {
  RunCases({
      {u"abc", U::COMPARE, {u"abd"}, -1, nullptr},
      {u"abc", U::COMPARE, {u"ABC"}, 1, nullptr},
      {u"abc", U::COMPARE, {u"ABC", 0}, 0, nullptr},
      {u"abc", U::COMPARE, {u"ab"}, 1, nullptr},
      {u"abc", U::COMPARE, {u"\xFFFF"}, -1, nullptr},  // units compare unsigned
      {u"abc", U::APPEND, {u"\x263a"}, kVoid, u"abc\x263a"},
      {u"abc", U::APPEND_AND_GET, {u"de"}, u"abcde", u"abcde"},
      {u"abc", U::INSERT, {u"xy"}, kVoid, u"abcxy"},
      {u"abc", U::INSERT, {u"-", 1, 3}, kVoid, u"a---bc"},
      {u"abc", U::INSERT, {u"-", 4}, kVoid, nullptr},
      {u"abc", U::INSERT, {u"-", 0, 0}, kVoid, nullptr},
      {u"abc", U::INSERT, {u"-", kFar}, kVoid, nullptr},
      // More than a text can hold changes nothing.
      {u"abc", U::INSERT, {u"xy", 0, INT32_MAX}, kVoid, nullptr},
      {u"abc", U::INSERT, {u"xy", 0, kFar}, kVoid, nullptr},
      {u"abc", U::REMOVE, {1}, kVoid, u"a"},
      {u"abc", U::REMOVE, {1, 1}, kVoid, u"ac"},
      {u"abc", U::REMOVE, {3}, kVoid, nullptr},
      {u"abc", U::REMOVE, {kFar, 1}, kVoid, nullptr},
      // The range of an overwrite runs from start up to end, exclusive; the
      // default end -1 reaches the end of the text.
      {u"abcd", U::OVERWRITE, {u"XY"}, kVoid, u"XY"},
      {u"abcd", U::OVERWRITE, {u"X", 1}, kVoid, u"aX"},
      {u"abcd", U::OVERWRITE, {u"XYZ", 1, 2}, kVoid, u"aXYZcd"},
      {u"abcd", U::OVERWRITE, {u"X", 1, 3}, kVoid, u"aXd"},
      {u"abcd", U::OVERWRITE, {u"X", -3, 1}, kVoid, u"Xbcd"},
      {u"abcd", U::OVERWRITE, {u"X", 2, 9}, kVoid, u"abX"},
      {u"abcd", U::OVERWRITE, {u"X", 2, 1}, kVoid, nullptr},
      {u"abcd", U::OVERWRITE, {u"X", 2, 2}, kVoid, nullptr},
      {u"abcd", U::OVERWRITE, {u"X", 4}, kVoid, nullptr},
      {u"", U::OVERWRITE, {u"X"}, kVoid, nullptr},
      {u" \tab \t", U::TRIM, {}, kVoid, u"ab"},
      {u"abcdef", U::TRIM, {1, 2}, kVoid, u"bcd"},
      {u"abcdef", U::TRIM, {0, -1}, kVoid, nullptr},
      {u" \tab ", U::TRIM_LEADING, {}, kVoid, u"ab "},
      {u"abcdef", U::TRIM_LEADING, {2}, kVoid, u"cdef"},
      {u" ab\t ", U::TRIM_TRAILING, {}, kVoid, u" ab"},
      {u"abcdef", U::TRIM_TRAILING, {9}, kVoid, u""},
      {u"abab", U::REPLACE, {u"a", u"\x263a\x263a"}, 2, u"\x263a\x263a" u"b\x263a\x263a" u"b"},
      {u"aAa", U::REPLACE, {u"A", u"-"}, 1, u"a-a"},
      {u"aAa", U::REPLACE, {u"A", u"-", 0, -1, 0}, 3, u"---"},
      {u"aaaa", U::REPLACE, {u"a", u"-", 1, 2}, 2, u"a--a"},
      {u"aa", U::REPLACE, {u"a", u"aa"}, 2, u"aaaa"},  // replaced text is not searched again
      {u"abc", U::REPLACE, {u"", u"x"}, 0, nullptr},
      {u"abc", U::REPLACE, {u"b", u""}, 1, u"ac"},
      {u"AbC\x00C9", U::MAKE_LOWER, {}, kVoid, u"abc\x00C9"},  // ASCII letters only
      {u"aBc\x00E9", U::MAKE_UPPER, {}, kVoid, u"ABC\x00E9"},
      {u"a b\tc", U::REMOVE_BLANKS, {}, kVoid, u"abc"},
      {u"a b\tc", U::REMOVE_BLANKS, {0}, kVoid, u"ab\tc"},
      {u"ab\x263a", U::REVERSE, {}, kVoid, u"\x263a" u"ba"},
      {u"ab", U::ENCLOSE, {}, 1, u"\"ab\""},
      {u"\"ab\"", U::ENCLOSE, {}, 0, nullptr},
      {u"ab", U::ENCLOSE, {u"*"}, 1, u"*ab*"},
      {u"", U::ENCLOSE, {}, 1, u"\"\""},
      // An empty quote text cannot enclose: nothing is written.
      {u"ab", U::ENCLOSE, {u""}, 0, nullptr},
      {u"\"ab\"", U::UNENCLOSE, {}, 1, u"ab"},
      {u"\"a\"b\"", U::UNENCLOSE, {}, 0, nullptr},
      {u"*ab*", U::UNENCLOSE, {u"*"}, 1, u"ab"},
  });
}

TEST_F(PObjUniStringTest, ExtractAndSearch) {
  RunCases({
      // A slice runs from start up to end, exclusive; the default end -1
      // reaches the end of the text.
      {u"abcd", U::SLICE, {1}, u"bcd", nullptr},
      {u"abcd", U::SLICE, {1, 3}, u"bc", nullptr},
      {u"abcd", U::SLICE, {-2, 2}, u"ab", nullptr},
      {u"abcd", U::SLICE, {3, 1}, u"", nullptr},
      {u"abcd", U::SLICE, {4}, u"", nullptr},
      {u"abcd", U::SLICE, {2, kFar}, u"cd", nullptr},
      {u"abcd", U::LEFT, {2}, u"ab", nullptr},
      {u"abcd", U::LEFT, {-1}, u"", nullptr},
      {u"abcd", U::LEFT, {kFar}, u"abcd", nullptr},
      {u"abcd", U::RIGHT, {2}, u"cd", nullptr},
      {u"abcd", U::RIGHT, {9}, u"abcd", nullptr},
      {u"abcd", U::MID, {1}, u"bcd", nullptr},
      {u"abcd", U::MID, {1, 2}, u"bc", nullptr},
      {u"abcd", U::MID, {9}, u"", nullptr},
      {u"abcd", U::MID, {kFar, 2}, u"", nullptr},
      {u"a\x263a" u"b\x263a", U::BEFORE_OR_ALL, {u"\x263a"}, u"a", nullptr},
      {u"abcd", U::BEFORE_OR_ALL, {u"z"}, u"abcd", nullptr},
      {u"abcd", U::BEFORE_OR_ALL, {u""}, u"abcd", nullptr},
      {u"abcd", U::BEFORE, {u"c"}, u"ab", nullptr},
      {u"abcd", U::BEFORE, {u"z"}, u"", nullptr},
      {u"abcd", U::AFTER, {u"b"}, u"cd", nullptr},
      {u"abcd", U::AFTER, {u"z"}, u"", nullptr},
      {u"AbC", U::TO_LOWER, {}, u"abc", nullptr},
      {u"AbC", U::TO_UPPER, {}, u"ABC", nullptr},
      {u"a b\tc", U::WITHOUT_BLANKS, {}, u"abc", nullptr},
      {u"a b\tc", U::WITHOUT_BLANKS, {0}, u"ab\tc", nullptr},
      {u"abcabc", U::FIND, {u"b"}, 1, nullptr},
      {u"abcabc", U::FIND, {u"b", 2}, 4, nullptr},
      {u"abcabc", U::FIND, {u"b", 2, 2}, -1, nullptr},
      {u"abcabc", U::FIND, {u"bc", 3, 3}, 4, nullptr},
      {u"abcabc", U::FIND, {u"B"}, -1, nullptr},
      {u"abcabc", U::FIND, {u"B", 2, -1, 0}, 4, nullptr},
      {u"abcabc", U::FIND, {u""}, -1, nullptr},
      {u"abcabc", U::FIND, {u"a", kFar}, -1, nullptr},
      {u"\"ab\"", U::IS_ENCLOSED, {}, 1, nullptr},
      {u"\"a\"b\"", U::IS_ENCLOSED, {}, 0, nullptr},
      {u"\"", U::IS_ENCLOSED, {}, 0, nullptr},
      {u"'x'", U::IS_ENCLOSED, {u"'"}, 1, nullptr},
  });
}

TEST_F(PObjUniStringTest, Numbers) {
  RunCases({
      {u"x", U::SET_INTEGER, {INT64_MIN}, kVoid, u"-9223372036854775808"},
      {u"x", U::SET_FLOAT, {2.5}, kVoid, u"2.5"},
      {u"x", U::SET_FLOAT, {3.0}, kVoid, u"3"},
      {u"x", U::SET_FLOAT, {-0.125}, kVoid, u"-0.125"},
      {u"x", U::SET_FLOAT, {1e20}, kVoid, u"100000000000000000000"},
      {u"x", U::SET_HEX, {255}, kVoid, u"FF"},
      {u"x", U::SET_HEX, {10}, kVoid, u"0A"},
      {u"x", U::SET_HEX, {255, 4}, kVoid, u"00FF"},
      {u"x", U::SET_HEX, {-1, 0}, kVoid, u"FFFFFFFFFFFFFFFF"},
      {u"x", U::SET_HEX, {10, 20}, kVoid, u"000000000000000A"},
      {u"x", U::SET_BINARY, {5}, kVoid, u"101"},
      {u"x", U::SET_BINARY, {0}, kVoid, u"0"},
      {u"x", U::SET_BINARY, {kFar + 2}, kVoid, u"10"},
      {u"-42x", U::TO_INTEGER, {}, -42, nullptr},
      {u" 9223372036854775807", U::TO_INTEGER, {}, INT64_MAX, nullptr},
      {u"\x0661", U::TO_INTEGER, {}, 0, nullptr},  // digits of other scripts are no digits
      {u"2.5e1", U::TO_FLOAT, {}, 25.0, nullptr},
      {u"", U::TO_FLOAT, {}, 0.0, nullptr},
      {u"#ff", U::HEX_VALUE, {}, 255, nullptr},
      {u"0x1F", U::HEX_VALUE, {}, 31, nullptr},
      {u"1f", U::HEX_VALUE, {}, 31, nullptr},
      {u"0xZZ", U::HEX_VALUE, {}, 0, nullptr},
      {u"101", U::BINARY_VALUE, {}, 5, nullptr},
      {u"-1.5 ", U::IS_NUMBER, {}, 1, nullptr},
      {u"1.2.3", U::IS_NUMBER, {}, 0, nullptr},
      {u"", U::IS_NUMBER, {}, 0, nullptr},
      {u"12", U::IS_INTEGER, {}, 1, nullptr},
      {u"1.5", U::IS_INTEGER, {}, 0, nullptr},
      {u"1.5", U::IS_DECIMAL, {}, 1, nullptr},
      {u"12", U::IS_DECIMAL, {}, 0, nullptr},
      {u" 0x1F ", U::IS_HEX_NUMBER, {}, 1, nullptr},
      {u"#ab", U::IS_HEX_NUMBER, {}, 1, nullptr},
      {u"12g", U::IS_HEX_NUMBER, {}, 0, nullptr},
      {u"$ff", U::IS_HEX_NUMBER, {u"$"}, 1, nullptr},
      {u"0x1F", U::IS_HEX_NUMBER, {u"0X"}, 1, nullptr},
      {u"0x1F", U::IS_HEX_NUMBER, {u"0X", 1}, 0, nullptr},
      {u"\"hi\"", U::CLASSIFY_LITERAL, {}, int(U::VAL_STR), nullptr},
      {u"'hi'", U::CLASSIFY_LITERAL, {u"'"}, int(U::VAL_STR), nullptr},
      {u"0x1F", U::CLASSIFY_LITERAL, {}, int(U::VAL_HEX), nullptr},
      {u"1.5", U::CLASSIFY_LITERAL, {}, int(U::VAL_FLOAT), nullptr},
      {u"-7", U::CLASSIFY_LITERAL, {}, int(U::VAL_INT), nullptr},
      {u"abc", U::CLASSIFY_LITERAL, {}, int(U::VAL_NONE), nullptr},
      {u"", U::CLASSIFY_LITERAL, {}, int(U::VAL_NONE), nullptr},
  });
}

// The object handed to its own member: the text it reads is the one the
// member is changing.
TEST_F(PObjUniStringTest, OwnTextAsArgument) {
  const struct {
    uint16_t member;
    int64_t a, b;  // the arguments after the text
    const char16_t* after;
  } cases[] = {
      {U::APPEND, 0, 0, u"abcdefghabcdefgh"},  // crosses a capacity step
      {U::INSERT, 4, 1, u"abcdabcdefghefgh"},
      {U::SET, 0, 0, u"abcdefgh"},
      {U::OVERWRITE, 2, -1, u"ababcdefgh"},
      {U::OVERWRITE, 1, 2, u"aabcdefghcdefgh"},
  };
  for (const auto& c : cases) {
    U* o = NewUni(u"abcdefgh");
    auto args = With();
    args.Obj(o).Int(c.a).Int(c.b);
    EXPECT_TRUE(o->Call(c.member, args.block.Get(), nullptr, nullptr));
    EXPECT_EQ(Show(o->GetText()), Show(c.after)) << "member " << c.member;
  }
  U* o = NewUni(u"abab");
  auto args = With();
  args.Obj(o).Uni(u"x").Int(0).Int(-1).Int(1);
  EXPECT_EQ(CallInt(o, U::REPLACE, args), 1);
  EXPECT_EQ(Show(o->GetText()), Show(u"x"));
}

TEST_F(PObjUniStringTest, UndeclaredMembersSucceedWithoutEffect) {
  U* o = NewUni(u"abc");
  EXPECT_TRUE(Run(o, 57, {1, u"x"}) == kVoid);
  EXPECT_TRUE(Run(o, 0xFFFF, {}) == kVoid);
  EXPECT_EQ(Show(o->GetText()), Show(u"abc"));
  // A caller that wants no result still gets the change.
  auto args = With();
  args.Uni(u"z");
  EXPECT_TRUE(o->Call(U::SET_AND_GET, args.block.Get(), nullptr, nullptr));
  EXPECT_TRUE(o->Call(U::LENGTH, nullptr, nullptr, nullptr));
  EXPECT_EQ(Show(o->GetText()), Show(u"z"));
}

}  // namespace
