// Calling members of value-class objects the way the stack machine does:
// arguments converted to Integer, Float, String or UniString objects in an
// argument block, and the result read from the result cell.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "classes/PObjFloat.h"
#include "classes/PObjInt.h"
#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "classes/PObjValue.h"
#include "engine/PEngine.h"
#include "engine/PObject.h"
#include "engine/PObjectDefinition.h"

namespace classtest {

// An engine with the built-in classes, and arguments made in it.
class ValueClassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.RegisterClasses();
    ASSERT_TRUE(engine.DeclareClasses());
  }
  void TearDown() override {
    for (PObject* o : m_made) PObject::DeleteObject(o);
  }

  // The argument list of the next call.
  struct Args {
    explicit Args(ValueClassTest* t) : test(t) {}
    Args& Int(int64_t v) {
      PObjInt* o = test->Keep(test->engine.NewInteger());
      o->SetValue(v);
      return Push(o);
    }
    Args& Float(double v) {
      PObjFloat* o = test->Keep(test->engine.NewFloat());
      o->SetValue(v);
      return Push(o);
    }
    Args& Str(const char* v) {
      PObjString* o = test->Keep(test->engine.NewString());
      o->SetText(v);
      return Push(o);
    }
    Args& Uni(const UniChar* v) {
      PObjUniString* o = test->Keep(test->engine.NewUniString());
      o->SetText(v);
      return Push(o);
    }
    Args& Obj(PObject* o) { return Push(o); }
    Args& Push(PObject* o) {
      block->Set(int(block->count++), o);
      return *this;
    }
    ValueClassTest* test;
    PArgBlock<12> block;  // Triangle3D.6 takes nine
  };
  Args With() { return Args(this); }

  template <class T>
  T* Keep(T* object) {
    m_made.push_back(object);
    return object;
  }
  // A new object of a built-in class T (one with a kTypeCode), kept.
  template <class T>
  T* Make() {
    PObjectDefinition* d = engine.FindDefinition(T::kTypeCode);
    EXPECT_NE(d, nullptr);
    return Keep(static_cast<T*>(d->GetFactory()(d)));
  }
  PObjInt* NewInt(int64_t v) {
    PObjInt* o = Keep(engine.NewInteger());
    o->SetValue(v);
    return o;
  }
  PObjFloat* NewFloat(double v) {
    PObjFloat* o = Keep(engine.NewFloat());
    o->SetValue(v);
    return o;
  }
  PObjValue* NewValue() { return Keep(engine.NewValue()); }

  // A member with an 8-byte result.
  int64_t CallInt(PObject* o, uint16_t member, Args& args) {
    int64_t storage = 0x5A5A5A5A;
    PResultCell cell = &storage;
    EXPECT_TRUE(o->Call(member, args.block.Get(), &cell, nullptr));
    return storage;
  }
  int64_t CallInt(PObject* o, uint16_t member) {
    Args none(this);
    return CallInt(o, member, none);
  }
  double CallFloat(PObject* o, uint16_t member, Args& args) {
    double storage = -999.0;
    PResultCell cell = &storage;
    EXPECT_TRUE(o->Call(member, args.block.Get(), &cell, nullptr));
    return storage;
  }
  double CallFloat(PObject* o, uint16_t member) {
    Args none(this);
    return CallFloat(o, member, none);
  }
  // A member with a text result; "<none>" when it stored none.
  std::string CallText(PObject* o, uint16_t member, Args& args) {
    PResultCell cell = nullptr;
    EXPECT_TRUE(o->Call(member, args.block.Get(), &cell, nullptr));
    if (!cell) return "<none>";
    std::string text(static_cast<char*>(cell));
    std::free(cell);
    return text;
  }
  std::string CallText(PObject* o, uint16_t member) {
    Args none(this);
    return CallText(o, member, none);
  }
  std::u16string CallUniText(PObject* o, uint16_t member) {
    PResultCell cell = nullptr;
    EXPECT_TRUE(o->Call(member, nullptr, &cell, nullptr));
    if (!cell) return u"<none>";
    std::u16string text(static_cast<char16_t*>(cell));
    std::free(cell);
    return text;
  }
  // A member without result.
  void CallVoid(PObject* o, uint16_t member, Args& args) {
    PResultCell cell = nullptr;
    EXPECT_TRUE(o->Call(member, args.block.Get(), &cell, nullptr));
    EXPECT_EQ(cell, nullptr);
  }

  PEngine engine;

 private:
  std::vector<PObject*> m_made;
};

}  // namespace classtest
