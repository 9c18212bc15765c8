#include "classes/PObjInt.h"

#include <cstdint>
#include <new>

#include "core/NumericFunctions.h"
#include "core/SValueReading.h"
#include "engine/PObjectDefinition.h"

void PObjInt::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_VALUES);
  definition->SetTypeCode(TYPE_INTEGER);
  definition->SetName("Integer");
  PObject::Register(definition);
}

bool PObjInt::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const PParamDecl n(TYPE_INTEGER);
  return d->AddMember(MEMBER_FUNCTION, ADD, TYPE_INTEGER, {n}) &&
         d->AddMember(MEMBER_FUNCTION, INCREMENT, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, DIVIDE, TYPE_INTEGER, {n}) &&
         d->AddMember(MEMBER_FUNCTION, GET, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, ADDRESS, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, IS_PRIME, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, MODULO, TYPE_INTEGER, {n}) &&
         d->AddMember(MEMBER_FUNCTION, MULTIPLY, TYPE_INTEGER, {n}) &&
         d->AddMember(MEMBER_FUNCTION, POWER, TYPE_INTEGER, {n}) &&
         d->AddMember(MEMBER_FUNCTION, SET, TYPE_INTEGER, {n}) &&
         d->AddMember(MEMBER_FUNCTION, SUBTRACT, TYPE_INTEGER, {n}) &&
         d->AddMember(MEMBER_FUNCTION, DECREMENT, TYPE_INTEGER);
}

PObject* PObjInt::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjInt(definition);
}

namespace {

// Two's complement wrapping, without the undefined signed overflow.
int64_t Wrap(uint64_t n) { return static_cast<int64_t>(n); }

// Truncated division; a zero divisor leaves the value as it is, and the one
// quotient beyond 64 bits (the smallest value by -1) wraps to itself.
int64_t Divide(int64_t v, int64_t n) {
  if (n == 0) return v;
  if (n == -1) return Wrap(0 - uint64_t(v));
  return v / n;
}

// The remainder of that division, with the sign of v; a zero divisor leaves
// the value as it is.
int64_t Remainder(int64_t v, int64_t n) {
  if (n == 0) return v;
  if (n == -1) return 0;
  return v % n;
}

// v to the power e in double, by squaring for every bit of |e|; the
// reciprocal for a negative e; truncated toward zero into 64 bits (the
// nearest limit beyond them).
int64_t Power(int64_t v, int32_t e) {
  double base = double(v), result = 1.0;
  uint32_t bits = e < 0 ? 0u - uint32_t(e) : uint32_t(e);
  for (; bits; bits >>= 1) {
    if (bits & 1) result *= base;
    base *= base;
  }
  if (e < 0) result = 1.0 / result;
  return DoubleToInt64(result);
}

}  // namespace

bool PObjInt::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  uint64_t v = uint64_t(m_value);
  switch (member) {
    case ADD: m_value = Wrap(v + uint64_t(GetArgInt64(args, 0))); break;
    case INCREMENT: m_value = Wrap(v + 1); break;
    case DIVIDE: m_value = Divide(m_value, GetArgInt64(args, 0)); break;
    case GET: break;
    case ADDRESS: return ReturnInt64(result, int64_t(reinterpret_cast<intptr_t>(this)));
    case IS_PRIME: return ReturnBool(result, IsPrime(int32_t(uint32_t(v))));
    case MODULO: m_value = Remainder(m_value, GetArgInt64(args, 0)); break;
    case MULTIPLY: m_value = Wrap(v * uint64_t(GetArgInt64(args, 0))); break;
    case POWER: m_value = Power(m_value, int32_t(uint32_t(GetArgInt64(args, 0)))); break;
    case SET: m_value = GetArgInt64(args, 0); break;
    case SUBTRACT: m_value = Wrap(v - uint64_t(GetArgInt64(args, 0))); break;
    case DECREMENT: m_value = Wrap(v - 1); break;
    default: return PObject::Call(member, args, result, caller);
  }
  return ReturnInt64(result, m_value);
}
