// Objects of the document classes (Table, Xml, Ini) called as a program
// calls them, with the arguments written as a plain list: numbers become
// Integer or Float objects, texts String objects, objects stay, and the
// parameters left out take their declared defaults.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <type_traits>

#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "tests/classes/FileClassTest.h"

namespace classtest {

class DataClassTest : public FileClassTest {
 protected:
  template <class T>
  T* NewObject() {
    return Keep(static_cast<T*>(T::New(engine.FindDefinition(T::kTypeCode))));
  }

  // The member's 8-byte result; kUnset when it stored none.
  template <class... A>
  int64_t Int(PObject* o, uint16_t member, A... values) {
    Args args(this);
    (Add(args, values), ...);
    AddDefaults(args, o, member);
    return CallInt(o, member, args);
  }
  template <class... A>
  double Float(PObject* o, uint16_t member, A... values) {
    Args args(this);
    (Add(args, values), ...);
    AddDefaults(args, o, member);
    return CallFloat(o, member, args);
  }
  // The member's text; "<none>" when it stored none.
  template <class... A>
  std::string Text(PObject* o, uint16_t member, A... values) {
    Args args(this);
    (Add(args, values), ...);
    AddDefaults(args, o, member);
    return CallText(o, member, args);
  }
  // A member without result.
  template <class... A>
  void Do(PObject* o, uint16_t member, A... values) {
    Args args(this);
    (Add(args, values), ...);
    AddDefaults(args, o, member);
    CallVoid(o, member, args);
  }

 private:
  void AddDefaults(Args& args, PObject* o, uint16_t member) {
    const PObjectDefinition* d = o->GetDefinition();
    for (int i = int(args.block->count); i < d->GetParamCount(member); i++) {
      const PObjectInfo* p = d->GetParamInfo(member, i);
      ASSERT_TRUE(p->HasDefault()) << "member " << member << " needs argument " << i;
      const SValue& v = p->GetDefault();
      switch (p->GetTypeCode()) {
        case TYPE_INTEGER: args.Int(v.ToInt64()); break;
        case TYPE_FLOAT: args.Float(v.ToDouble()); break;
        case TYPE_STRING: args.Str(v.ToString().GetText()); break;
        default: args.Obj(nullptr); break;
      }
    }
  }
  template <class V>
  void Add(Args& args, V value) {
    if constexpr (std::is_same_v<V, std::nullptr_t>) {
      args.Obj(nullptr);
    } else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>) {
      args.Int(int64_t(value));
    } else if constexpr (std::is_floating_point_v<V>) {
      args.Float(double(value));
    } else if constexpr (std::is_same_v<V, std::string>) {
      args.Str(value.c_str());
    } else if constexpr (std::is_convertible_v<V, const char*>) {
      args.Str(value);
    } else {
      args.Obj(value);
    }
  }
};

}  // namespace classtest
