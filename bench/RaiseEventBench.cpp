// The two hot roads of the object model: an event raised to its owner's
// handler with number and text arguments (pooled temporaries), and a member
// call on an Integer. Prints nanoseconds per operation and how many Integer
// objects the events made. Prints figures only.
#include <chrono>
#include <cstdio>
#include <new>

#include "classes/PObjInt.h"
#include "engine/PEngine.h"
#include "engine/PObject.h"
#include "engine/PObjectDefinition.h"

namespace {

int g_integersMade = 0;

struct CountedInt : PObjInt {
  explicit CountedInt(PObjectDefinition* d) : PObjInt(d) { g_integersMade++; }
  static PObject* New(PObjectDefinition* d) { return new (std::nothrow) CountedInt(d); }
};

// An owner whose handler adds up its first argument.
struct Owner : PObject {
  explicit Owner(PObjectDefinition* d) : PObject(d) {}
  bool Call(uint16_t, PArgs* args, PResultCell* result, PObject*) override {
    sum += GetArgInt64(args, 0);
    return ReturnInt64(result, sum);
  }
  static PObject* New(PObjectDefinition* d) { return new (std::nothrow) Owner(d); }
  int64_t sum = 0;
};

double NanosecondsPer(std::chrono::steady_clock::duration d, int n) {
  return std::chrono::duration<double, std::nano>(d).count() / n;
}

}  // namespace

int main() {
  PEngine engine;
  engine.RegisterClasses();
  engine.DeclareClasses();
  engine.GetIntegerDefinition()->SetFactory(CountedInt::New);

  PObjectDefinition* raiser = new PObjectDefinition(&engine, MakeTypeCode(2, 'B', 'N', 'C'), "Bench", "");
  raiser->SetFactory([](PObjectDefinition* d) -> PObject* { return new (std::nothrow) PObject(d); });
  engine.AddDefinition(raiser);
  raiser->AddMember(MEMBER_EVENT, 0, TYPE_INTEGER,
                    {PParamDecl(TYPE_INTEGER), PParamDecl(TYPE_INTEGER), PParamDecl(TYPE_STRING)});
  PObjectDefinition* owner = new PObjectDefinition(&engine, 0x03000000, "BenchOwner", "");
  owner->SetFactory(Owner::New);
  engine.AddDefinition(owner);
  SStringArray names;
  names.Add((SString("Bench.") + raiser->GetMemberName(0)).GetText());
  SArray<TypeCode> types;
  SArray<SValue*> defaults;
  for (TypeCode t : {TYPE_INTEGER, TYPE_INTEGER, TYPE_INTEGER, TYPE_STRING}) {
    types.Add(t);
    defaults.Add(nullptr);
  }
  owner->AddScriptMember(MEMBER_HANDLER, 0, names, types, defaults, false);

  PObject* ownerObject = owner->CreateInstance();
  PObject* part = raiser->CreateInstance();
  ownerObject->BindOwner(part);

  const int events = 1000000;
  SValue result;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < events; i++) PObject::RaiseEvent(part, 0, &result, i, 2 * i, "mouse");
  double perEvent = NanosecondsPer(std::chrono::steady_clock::now() - start, events);
  int madeByEvents = g_integersMade;

  PObjInt* value = engine.NewInteger();
  PObjInt* step = engine.NewInteger();
  step->SetValue(3);
  PArgBlock<1> args;
  args->count = 1;
  args->Set(0, step);
  int64_t storage = 0;
  PResultCell cell = &storage;
  const int calls = 10000000;
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < calls; i++) value->Call(PObjInt::ADD, args.Get(), &cell, nullptr);
  double perCall = NanosecondsPer(std::chrono::steady_clock::now() - start, calls);

  std::printf("%-34s %10.1f ns  (Integer objects made: %d, result %lld)\n",
              "event, 3 arguments, pooled", perEvent, madeByEvents,
              static_cast<long long>(result.ToInt64()));
  std::printf("%-34s %10.1f ns  (value %lld)\n", "Integer member call (add)", perCall,
              static_cast<long long>(storage));

  PObject::DeleteObject(value);
  PObject::DeleteObject(step);
  PObject::DeleteObject(part);
  PObject::DeleteObject(ownerObject);
  return 0;
}
