// Tables of member calls on one object of a value class: each step calls a
// member with its arguments (numbers, texts, null, or fresh objects of the
// geometry classes) the way the stack machine does and checks the answer,
// and, for a member that writes into an object argument, what that object
// holds afterwards. Steps run in order on the same object, so a setter's
// effect is checked by the getters that follow it.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "classes/PObjPoint.h"
#include "classes/PObjRectangle.h"
#include "classes/PObjRectangle2D.h"
#include "classes/PObjTriangle2D.h"
#include "classes/PObjTriangle3D.h"
#include "classes/PObjVector.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/MemberCall.h"

namespace classtest {

// One argument.
struct Arg {
  enum Kind { INT, FLT, STR, NUL, VEC2, VEC3, POINT, SIZE, RECT, RECT2D, TRI2D, TRI3D } kind;
  std::vector<double> values;  // the number, or an object's fields in order
  const char* text = "";
};
inline Arg I(int64_t n) { return {Arg::INT, {double(n)}}; }
inline Arg F(double x) { return {Arg::FLT, {x}}; }
inline Arg S(const char* text) { return {Arg::STR, {}, text}; }
inline Arg Null() { return {Arg::NUL, {}}; }
inline Arg V2(double x, double y) { return {Arg::VEC2, {x, y}}; }
inline Arg V3(double x, double y, double z) { return {Arg::VEC3, {x, y, z}}; }
inline Arg Pt(double x, double y) { return {Arg::POINT, {x, y}}; }
inline Arg Sz(double cx, double cy) { return {Arg::SIZE, {cx, cy}}; }
inline Arg Rc(double l, double t, double r, double b) { return {Arg::RECT, {l, t, r, b}}; }
inline Arg Rc2(double x, double y, double w, double h) { return {Arg::RECT2D, {x, y, w, h}}; }
inline Arg Tri2(std::vector<double> xy) { return {Arg::TRI2D, std::move(xy)}; }
inline Arg Tri3(std::vector<double> xyz) { return {Arg::TRI3D, std::move(xyz)}; }

// The answer a step expects.
struct Want {
  enum Kind { NONE, INT, FLT, ROUGHLY, NOT_A_NUMBER, TEXT, SELF } kind;
  int64_t n = 0;
  double x = 0;
  const char* text = "";
};
inline Want None() { return {Want::NONE}; }
inline Want Int(int64_t n) { return {Want::INT, n}; }
inline Want Flt(double x) { return {Want::FLT, 0, x}; }
// Within 1e-12, for answers known only up to rounding.
inline Want Near(double x) { return {Want::ROUGHLY, 0, x}; }
inline Want NaN() { return {Want::NOT_A_NUMBER}; }
inline Want Text(const char* text) { return {Want::TEXT, 0, 0, text}; }
inline Want Self() { return {Want::SELF}; }

// The member number of a step that calls nothing and checks what the
// object itself holds (its out).
constexpr uint16_t kState = 0xFFFF;

struct Step {
  uint16_t member;
  std::vector<Arg> args;
  Want want;
  // What the first object argument holds afterwards; empty: not checked.
  std::vector<double> out = {};
  // 0: out compared exactly; else each field within it, for answers known
  // only up to rounding.
  double tolerance = 0;
};

class ValueTableTest : public ValueClassTest {
 protected:
  PObject* MakeObject(const Arg& a) {
    const std::vector<double>& v = a.values;
    switch (a.kind) {
      case Arg::VEC2: {
        auto* o = Make<PObjVector2D>();
        o->Set({v[0], v[1]});
        return o;
      }
      case Arg::VEC3: {
        auto* o = Make<PObjVector3D>();
        o->Set({v[0], v[1], v[2]});
        return o;
      }
      case Arg::POINT:
      case Arg::SIZE: {
        PObjPoint* o = a.kind == Arg::POINT ? Make<PObjPoint>() : Make<PObjSize>();
        o->Set(int32_t(v[0]), int32_t(v[1]));
        return o;
      }
      case Arg::RECT: {
        auto* o = Make<PObjRectangle>();
        o->Set(int32_t(v[0]), int32_t(v[1]), int32_t(v[2]), int32_t(v[3]));
        return o;
      }
      case Arg::RECT2D: {
        auto* o = Make<PObjRectangle2D>();
        o->Set(v[0], v[1], v[2], v[3]);
        return o;
      }
      case Arg::TRI2D: {
        auto* o = Make<PObjTriangle2D>();
        for (int k = 0; k < 3; k++) o->SetVertex(k, {v[2 * k], v[2 * k + 1]});
        return o;
      }
      case Arg::TRI3D: {
        auto* o = Make<PObjTriangle3D>();
        for (int k = 0; k < 3; k++) o->SetVertex(k, {v[3 * k], v[3 * k + 1], v[3 * k + 2]});
        return o;
      }
      default: return nullptr;
    }
  }

  // The fields of an object of the geometry classes, in order.
  static std::vector<double> Fields(const PObject* o) {
    switch (o->GetDefinition()->GetTypeCode()) {
      case PObjVector2D::kTypeCode: {
        const GeoPoint& p = static_cast<const PObjVector2D*>(o)->Get();
        return {p.x, p.y};
      }
      case PObjVector3D::kTypeCode: {
        const GeoVector& v = static_cast<const PObjVector3D*>(o)->Get();
        return {v.x, v.y, v.z};
      }
      case PObjPoint::kTypeCode:
      case PObjSize::kTypeCode: {
        const auto* p = static_cast<const PObjPoint*>(o);
        return {double(p->GetFirst()), double(p->GetSecond())};
      }
      case PObjRectangle::kTypeCode: {
        const auto* r = static_cast<const PObjRectangle*>(o);
        return {double(r->GetLeft()), double(r->GetTop()), double(r->GetRight()), double(r->GetBottom())};
      }
      case PObjRectangle2D::kTypeCode: {
        const auto* r = static_cast<const PObjRectangle2D*>(o);
        return {r->GetX(), r->GetY(), r->GetWidth(), r->GetHeight()};
      }
      case PObjTriangle2D::kTypeCode: {
        const auto* t = static_cast<const PObjTriangle2D*>(o);
        std::vector<double> f;
        for (int k = 0; k < 3; k++) f.insert(f.end(), {t->GetVertex(k).x, t->GetVertex(k).y});
        return f;
      }
      case PObjTriangle3D::kTypeCode: {
        const auto* t = static_cast<const PObjTriangle3D*>(o);
        std::vector<double> f;
        for (int k = 0; k < 3; k++) {
          const GeoVector& v = t->GetVertex(k);
          f.insert(f.end(), {v.x, v.y, v.z});
        }
        return f;
      }
      default: return {};
    }
  }

  // Runs the steps on subject in order; where names the table in failures.
  void Run(PObject* subject, const std::vector<Step>& steps, const char* where) {
    int index = 0;
    for (const Step& step : steps) {
      SCOPED_TRACE(std::string(where) + " step " + std::to_string(index++) + ", member " +
                   std::to_string(step.member));
      RunStep(subject, step);
    }
  }

 private:
  void RunStep(PObject* subject, const Step& step) {
    if (step.member == kState) {
      ExpectFields(Fields(subject), step);
      return;
    }
    Args args = With();
    PObject* firstObject = nullptr;
    for (const Arg& a : step.args) {
      switch (a.kind) {
        case Arg::INT: args.Int(int64_t(a.values[0])); break;
        case Arg::FLT: args.Float(a.values[0]); break;
        case Arg::STR: args.Str(a.text); break;
        case Arg::NUL: args.Obj(nullptr); break;
        default: {
          PObject* o = MakeObject(a);
          if (!firstObject) firstObject = o;
          args.Obj(o);
        }
      }
    }
    if (step.want.kind == Want::TEXT) {
      EXPECT_EQ(CallText(subject, step.member, args), step.want.text);
    } else {
      // A pattern no member writes, so that an untouched result shows.
      const uint64_t kUntouched = 0xA5A5A5A55A5A5A5Aull;
      uint64_t storage = kUntouched;
      PResultCell cell = &storage;
      EXPECT_TRUE(subject->Call(step.member, args.block.Get(), &cell, nullptr));
      double x;
      std::memcpy(&x, &storage, 8);
      switch (step.want.kind) {
        case Want::NONE: EXPECT_EQ(storage, kUntouched) << "answered " << int64_t(storage) << " / " << x; break;
        case Want::INT: EXPECT_EQ(int64_t(storage), step.want.n); break;
        case Want::FLT: EXPECT_EQ(x, step.want.x) << std::hexfloat << x << " " << step.want.x; break;
        case Want::ROUGHLY: EXPECT_NEAR(x, step.want.x, 1e-12); break;
        case Want::NOT_A_NUMBER: EXPECT_TRUE(std::isnan(x)) << x; break;
        case Want::SELF: EXPECT_EQ(storage, uint64_t(reinterpret_cast<uintptr_t>(subject))); break;
        default: break;
      }
    }
    if (!step.out.empty()) {
      ASSERT_NE(firstObject, nullptr);
      ExpectFields(Fields(firstObject), step);
    }
  }

  static void ExpectFields(const std::vector<double>& fields, const Step& step) {
    if (step.tolerance == 0) {
      EXPECT_EQ(fields, step.out);
      return;
    }
    ASSERT_EQ(fields.size(), step.out.size());
    for (size_t k = 0; k < fields.size(); k++) EXPECT_NEAR(fields[k], step.out[k], step.tolerance) << "field " << k;
  }
};

}  // namespace classtest
