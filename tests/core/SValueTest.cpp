#include "core/SValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

SValue I(int64_t n) {
  SValue v;
  v.SetInt64(n);
  return v;
}
SValue D(double x) {
  SValue v;
  v.SetDouble(x);
  return v;
}
SValue S(const char* text) {
  SValue v;
  v.SetString(text);
  return v;
}
SValue U(const UniChar* text) {
  SValue v;
  v.SetUniString(text);
  return v;
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// The kind and the payload of that kind, as one text: "i:5", "d:2.5",
// "s:abc", "u:abc" (UTF-16 units above 0x7F as \x{...}).
std::string Describe(const SValue& v) {
  char buffer[64];
  switch (v.GetKind()) {
    case VALUE_INT64:
      std::snprintf(buffer, sizeof buffer, "i:%lld", static_cast<long long>(v.ToInt64()));
      return buffer;
    case VALUE_DOUBLE:
      std::snprintf(buffer, sizeof buffer, "d:%.17g", v.ToDouble());
      return buffer;
    case VALUE_STRING: return std::string("s:") + v.ToString().GetText();
    case VALUE_UNISTRING: {
      std::string out = "u:";
      const SUniString u = v.ToUniString();
      for (int i = 0; i < u.GetLength(); i++) {
        const unsigned c = u.GetAt(i);
        if (c < 0x80) {
          out += static_cast<char>(c);
        } else {
          std::snprintf(buffer, sizeof buffer, "\\x{%X}", c);
          out += buffer;
        }
      }
      return out;
    }
  }
  return "?";
}

std::string Uni(const SUniString& u) {
  SValue v;
  v.SetUniString(u.GetText());
  return Describe(v).substr(2);
}

// ---- State, setters and copies -----------------------------------------------------------

TEST(SValueState, NewValueIsIntegerZeroWithEmptyTexts) {
  SValue v;
  EXPECT_EQ("i:0", Describe(v));
  EXPECT_EQ("", std::string(v.GetName().GetText()));
  EXPECT_EQ("", std::string(v.GetText().GetText()));
  EXPECT_EQ(0, v.GetFlag());
  v.SetKind(VALUE_STRING);
  EXPECT_EQ("s:", Describe(v));
  v.SetKind(VALUE_UNISTRING);
  EXPECT_EQ("u:", Describe(v));
  v.SetKind(VALUE_DOUBLE);
  EXPECT_EQ("d:0", Describe(v));
}

TEST(SValueState, SettersStoreOnePayloadAndLeaveTheOthers) {
  SValue v;
  v.SetInt64(7);
  v.SetString("text");
  v.SetDouble(1.5);
  EXPECT_EQ("d:1.5", Describe(v));
  v.SetKind(VALUE_INT64);  // not converted: the old payload shows again
  EXPECT_EQ("i:7", Describe(v));
  v.SetKind(VALUE_STRING);
  EXPECT_EQ("s:text", Describe(v));
  v.SetString(nullptr);
  EXPECT_EQ("s:", Describe(v));
  EXPECT_TRUE(v.IsString());
  EXPECT_FALSE(v.IsInt64() || v.IsDouble() || v.IsUniString());
}

TEST(SValueState, AssignValueKeepsTheOwnersFieldsCopyFromTakesAll) {
  SValue source = S("payload");
  source.SetName("NAME");
  source.SetText("\"payload\"");
  source.SetFlag(1);
  source.SetDouble(2.0);  // the text payload stays behind the double
  source.SetKind(VALUE_STRING);

  SValue target;
  target.SetName("own");
  target.SetFlag(5);
  target.AssignValue(source);
  EXPECT_EQ("s:payload", Describe(target));
  EXPECT_EQ("own", std::string(target.GetName().GetText()));
  EXPECT_EQ("", std::string(target.GetText().GetText()));
  EXPECT_EQ(5, target.GetFlag());
  target.SetKind(VALUE_DOUBLE);
  EXPECT_EQ("d:0", Describe(target));  // only the payload of the kind came

  SValue copy;
  copy.CopyFrom(source);
  EXPECT_EQ("s:payload", Describe(copy));
  EXPECT_EQ("NAME", std::string(copy.GetName().GetText()));
  EXPECT_EQ("\"payload\"", std::string(copy.GetText().GetText()));
  EXPECT_EQ(1, copy.GetFlag());
  copy.SetKind(VALUE_DOUBLE);
  EXPECT_EQ("d:2", Describe(copy));  // every payload came

  SValue constructed(source);
  EXPECT_EQ("NAME", std::string(constructed.GetName().GetText()));
}

// ---- Conversions --------------------------------------------------------------------------------

TEST(SValueConvert, AcrossKinds) {
  const struct {
    SValue value;
    int64_t asInt;
    double asDouble;
    const char* asString;
    const char* asUni;
  } cases[] = {
      {I(42), 42, 42.0, "42", "42"},
      {I(-9), -9, -9.0, "-9", "-9"},
      {D(2.5), 2, 2.5, "        2.5", "2.5"},
      {D(3.0), 3, 3.0, "        3", "3.0"},
      {D(-2.7), -2, -2.7, "       -2.7", "-2.7"},
      {D(1e30), INT64_MAX, 1e30, "1000000000000000019884624838656",
       "1000000000000000019884624838656.0"},
      {D(-1e30), INT64_MIN, -1e30, nullptr, nullptr},
      {D(kNaN), 0, kNaN, nullptr, nullptr},
      {S(" \t\r\n-12abc"), -12, -12.0, " \t\r\n-12abc", " \t\r\n-12abc"},
      {S("+7"), 7, 7.0, "+7", "+7"},
      {S("1.5e3x"), 1, 1500.0, "1.5e3x", "1.5e3x"},
      {S("2.5e"), 2, 2.5, "2.5e", "2.5e"},
      {S("2.5e+"), 2, 2.5, nullptr, nullptr},
      {S("1.2.3"), 1, 1.2, nullptr, nullptr},
      {S(".5"), 0, 0.5, ".5", ".5"},
      {S("5."), 5, 5.0, nullptr, nullptr},
      {S("-.25E-1"), 0, -0.025, nullptr, nullptr},
      {S("abc"), 0, 0.0, "abc", "abc"},
      {S("- 5"), 0, 0.0, nullptr, nullptr},
      {S("inf"), 0, 0.0, nullptr, nullptr},
      {S("nan"), 0, 0.0, nullptr, nullptr},
      {S("0x10"), 0, 0.0, nullptr, nullptr},
      {S("99999999999999999999"), INT64_MAX, 1e20, nullptr, nullptr},
      {S("-9223372036854775808"), INT64_MIN, -9223372036854775808.0, nullptr, nullptr},
      {S("-9223372036854775809"), INT64_MIN, -9223372036854775809.0, nullptr, nullptr},
      {S(""), 0, 0.0, "", ""},
      {S("\xe9t\xe9"), 0, 0.0, "\xe9t\xe9", "\\x{E9}t\\x{E9}"},
      {S("\x80"), 0, 0.0, "\x80", "\\x{20AC}"},
      {U(u"  7.25kg"), 7, 7.25, "  7.25kg", "  7.25kg"},
      {U(u"\u00e9\u20ac"), 0, 0.0, "\xe9\x80", "\\x{E9}\\x{20AC}"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Describe(c.value));
    EXPECT_EQ(c.asInt, c.value.ToInt64());
    if (std::isnan(c.asDouble)) {
      EXPECT_TRUE(std::isnan(c.value.ToDouble()));
    } else {
      EXPECT_EQ(c.asDouble, c.value.ToDouble());
    }
    if (c.asString) {
      EXPECT_EQ(c.asString, std::string(c.value.ToString().GetText()));
    }
    if (c.asUni) {
      EXPECT_EQ(c.asUni, Uni(c.value.ToUniString()));
    }
  }
}

TEST(SValueConvert, UnknownKindReadsAsZeroAndEmpty) {
  SValue v = I(5);
  v.SetKind(7);
  EXPECT_EQ(0, v.ToInt64());
  EXPECT_EQ(0.0, v.ToDouble());
  EXPECT_EQ("", std::string(v.ToString().GetText()));
  EXPECT_EQ(0, v.ToUniString().GetLength());
  // Every arithmetic operation leaves it alone.
  v.Add(I(1));
  v.AddText("x");
  v.AddUniText(u"x");
  v.Subtract(I(1));
  v.Multiply(D(2));
  v.DivideBy(2);
  v.Modulo(I(2));
  v.LogicalNot();
  v.BitwiseNot();
  v.Negate();
  EXPECT_EQ(7, v.GetKind());
  v.SetKind(VALUE_INT64);
  EXPECT_EQ("i:5", Describe(v));
}

TEST(SValueConvert, AssignIntoTheCurrentKind) {
  const struct {
    SValue value;
    const char* afterAssign42;
    const char* afterText;
  } cases[] = {
      {I(1), "i:42", "i:-17"},
      {D(1), "d:42", "d:-17.5"},
      {S("x"), "s:42", "s: -17.5e0z"},
      {U(u"x"), "u:42", "u: -17.5e0z"},
  };
  for (const auto& c : cases) {
    SValue v = c.value;
    v.AssignInt64(42);
    EXPECT_EQ(c.afterAssign42, Describe(v));
    v.SetFromText(" -17.5e0z");
    EXPECT_EQ(c.afterText, Describe(v));
  }
}

// ---- Comparisons -----------------------------------------------------------------------------------

// The sign of a's order against b, read back through all six comparisons,
// which must agree with one another; 2 when nothing but NotEquals holds.
int Order(const SValue& a, const SValue& b) {
  const bool less = a.IsLess(b), greater = a.IsGreater(b), equal = a.Equals(b);
  EXPECT_EQ(!equal, a.NotEquals(b));
  EXPECT_EQ(less || equal, a.IsLessOrEqual(b));
  EXPECT_EQ(greater || equal, a.IsGreaterOrEqual(b));
  EXPECT_LE(int(less) + int(greater) + int(equal), 1);
  if (less) return -1;
  if (greater) return 1;
  if (equal) return 0;
  return 2;
}

TEST(SValueCompare, KindPrecedenceTable) {
  const struct {
    SValue a, b;
    int order;
  } cases[] = {
      // Integers as signed 64-bit numbers, exact beyond the doubles' reach.
      {I(3), I(5), -1},
      {I(-1), I(1), -1},
      {I((int64_t(1) << 53) + 1), I(int64_t(1) << 53), 1},
      // A double on either side compares as doubles.
      {I(2), D(2.0), 0},
      {I(3), D(2.5), 1},
      {D(-0.0), I(0), 0},
      // An 8-bit text on either side compares texts: 10 is below "9".
      {I(10), S("9"), -1},
      {S("9"), I(10), 1},
      {D(2.5), S("        2.5"), 0},
      {S("abc"), S("abd"), -1},
      {S("ab"), S("abc"), -1},
      {S("B"), S("a"), -1},
      {S("\xe9"), S("z"), 1},  // bytes are unsigned
      {S(""), S(""), 0},
      // A UTF-16 text on either side compares UTF-16 texts.
      {U(u"abc"), S("abc"), 0},
      {S("\xe9t\xe9"), U(u"\u00e9t\u00e9"), 0},
      {U(u"\u20ac"), U(u"a"), 1},
      {U(u"\u20ac"), S("\x80"), 0},
      {U(u"ab"), U(u"abc"), -1},
      {I(10), U(u"9"), -1},
      {D(3.0), U(u"3.0"), 0},
      {D(3.0), S("3.0"), -1},  // the 8-bit double text is "        3"
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Describe(c.a) + " vs " + Describe(c.b));
    EXPECT_EQ(c.order, Order(c.a, c.b));
  }
}

TEST(SValueCompare, NaNIsUnordered) {
  EXPECT_EQ(2, Order(D(kNaN), D(kNaN)));
  EXPECT_EQ(2, Order(D(kNaN), I(0)));
  EXPECT_EQ(2, Order(I(1), D(kNaN)));
  EXPECT_TRUE(D(kNaN).NotEquals(D(kNaN)));
}

// ---- Arithmetic --------------------------------------------------------------------------------------

enum Op { ADD, SUB, MUL, MOD };

std::string Apply(SValue a, Op op, const SValue& b) {
  switch (op) {
    case ADD: a.Add(b); break;
    case SUB: a.Subtract(b); break;
    case MUL: a.Multiply(b); break;
    case MOD: a.Modulo(b); break;
  }
  return Describe(a);
}

TEST(SValueArithmetic, AdditionAcrossKinds) {
  const struct {
    SValue a, b;
    const char* result;
  } cases[] = {
      {I(1), I(2), "i:3"},
      {I(INT64_MAX), I(1), "i:-9223372036854775808"},
      {I(1), D(2.5), "d:3.5"},
      {D(2.5), I(1), "d:3.5"},
      {D(0.25), D(0.5), "d:0.75"},
      {I(1), S("a"), "s:1a"},
      {S("a"), I(1), "s:a1"},
      {S("a"), D(1.5), "s:a        1.5"},
      {D(2.5), S("x"), "s:        2.5x"},
      {S("ab"), S("cd"), "s:abcd"},
      {I(1), U(u"a"), "u:1a"},
      {D(3), U(u"x"), "u:3.0x"},
      {S("\xe9"), U(u"\u20ac"), "u:\\x{E9}\\x{20AC}"},
      {U(u"a"), S("\x80"), "u:a\\x{20AC}"},
      {U(u"a"), I(-5), "u:a-5"},
      {U(u"a"), D(1.5), "u:a1.5"},
      {U(u"a"), D(2), "u:a2.0"},
      {U(u"a"), U(u"b"), "u:ab"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Describe(c.a) + " + " + Describe(c.b));
    EXPECT_EQ(c.result, Apply(c.a, ADD, c.b));
  }
}

TEST(SValueArithmetic, NumbersOnlyOperations) {
  const struct {
    SValue a;
    Op op;
    SValue b;
    const char* result;
  } cases[] = {
      {I(5), SUB, I(7), "i:-2"},
      {I(INT64_MIN), SUB, I(1), "i:9223372036854775807"},
      {I(5), SUB, D(0.5), "d:4.5"},
      {D(5), SUB, I(2), "d:3"},
      {S("5"), SUB, I(2), "s:5"},
      {I(5), SUB, S("2"), "i:5"},
      {U(u"5"), SUB, D(1), "u:5"},
      {I(6), MUL, I(7), "i:42"},
      {I(INT64_MAX), MUL, I(2), "i:-2"},
      {I(3), MUL, D(0.5), "d:1.5"},
      {D(0.5), MUL, I(3), "d:1.5"},
      {S("3"), MUL, I(2), "s:3"},
      {I(3), MUL, U(u"2"), "i:3"},
      {I(-7), MOD, I(2), "i:-1"},
      {I(7), MOD, I(-2), "i:1"},
      {D(7.5), MOD, I(2), "d:1.5"},
      {I(7), MOD, D(2.5), "d:2"},
      {D(-7.5), MOD, D(2), "d:-1.5"},
      {S("7"), MOD, I(2), "s:7"},
      {I(7), MOD, S("2"), "i:7"},
      // n mod 0 keeps n; the overflowing quotient leaves no remainder
      // instead of stopping the program.
      {I(7), MOD, I(0), "i:7"},
      {I(INT64_MIN), MOD, I(-1), "i:0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Describe(c.a) + " op" + std::to_string(c.op) + " " + Describe(c.b));
    EXPECT_EQ(c.result, Apply(c.a, c.op, c.b));
  }
}

TEST(SValueArithmetic, SingleOperandForms) {
  SValue v = I(5);
  v.AddInt(-7);
  EXPECT_EQ("i:-2", Describe(v));
  v.SubtractInt(-3);
  EXPECT_EQ("i:1", Describe(v));
  v.SubtractDouble(0.5);
  EXPECT_EQ("d:0.5", Describe(v));
  v.MultiplyDouble(4);
  EXPECT_EQ("d:2", Describe(v));

  SValue n = I(3);
  n.MultiplyDouble(2);
  EXPECT_EQ("d:6", Describe(n));
  SValue t = S("a");
  t.AddInt(2);
  t.AddDouble(0.5);
  t.SubtractInt64(1);
  t.SubtractDouble(1);
  t.MultiplyDouble(2);
  t.DivideBy(2);
  EXPECT_EQ("s:a2        0.5", Describe(t));
  SValue u = U(u"a");
  u.AddText("\x80");
  u.DivideBy(2);
  EXPECT_EQ("u:a\\x{20AC}", Describe(u));
  SValue self = S("ab");
  self.Add(self);
  EXPECT_EQ("s:abab", Describe(self));
}

TEST(SValueArithmetic, DivisionIsAlwaysInDouble) {
  SValue v = I(7);
  v.DivideBy(2);
  EXPECT_EQ("d:3.5", Describe(v));
  v = I(6);
  v.DivideBy(3);
  EXPECT_EQ("d:2", Describe(v));
  v = I(1);
  v.DivideBy(0);
  EXPECT_EQ("d:inf", Describe(v));
  v = D(0);
  v.DivideBy(0);
  EXPECT_TRUE(std::isnan(v.ToDouble()));
  v = S("6");
  v.DivideBy(3);
  EXPECT_EQ("s:6", Describe(v));
}

TEST(SValueArithmetic, UnaryOperations) {
  const struct {
    SValue value;
    const char *logicalNot, *bitwiseNot, *negate;
  } cases[] = {
      {I(0), "i:1", "i:4294967295", "i:0"},
      {I(-1), "i:0", "i:0", "i:1"},
      {I(5), "i:0", "i:4294967290", "i:-5"},
      {I(int64_t(1) << 32), "i:0", "i:4294967295", "i:-4294967296"},
      {I(INT64_MIN), "i:0", "i:4294967295", "i:-9223372036854775808"},
      {D(0.0), "i:1", "i:4294967295", "d:-0"},
      {D(1.9), "i:0", "i:4294967294", "d:-1.8999999999999999"},
      {D(kNaN), "i:0", "i:4294967295", nullptr},
      {S(""), "i:1", "i:4294967295", "s:"},
      {S("0"), "i:0", "i:4294967295", "i:0"},
      {S("12"), "i:0", "i:4294967283", "i:-12"},
      {S("-12"), "i:0", "i:11", "i:12"},
      {S("1.5"), "i:0", "i:4294967294", "d:-1.5"},
      {S(" 12 "), "i:0", "i:4294967283", "i:-12"},
      {S("x"), "i:0", "i:4294967295", "s:x"},
      {S("1e5"), "i:0", "i:4294967294", "s:1e5"},
      {U(u""), "i:1", "i:4294967295", "u:"},
      {U(u"-3"), "i:0", "i:2", "i:3"},
      {U(u"2.25"), "i:0", "i:4294967293", "d:-2.25"},
      {U(u"\u0663"), "i:0", "i:4294967295", "u:\\x{663}"},  // only ASCII digits count
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Describe(c.value));
    SValue v = c.value;
    v.LogicalNot();
    EXPECT_EQ(c.logicalNot, Describe(v));
    v = c.value;
    v.BitwiseNot();
    EXPECT_EQ(c.bitwiseNot, Describe(v));
    if (c.negate) {
      v = c.value;
      v.Negate();
      EXPECT_EQ(c.negate, Describe(v));
    }
  }
}

}  // namespace
