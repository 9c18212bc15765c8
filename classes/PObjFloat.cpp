#include "classes/PObjFloat.h"

#include <cmath>
#include <cstdint>
#include <new>

#include "core/NumericFunctions.h"
#include "core/SValueReading.h"
#include "engine/PObjectDefinition.h"

void PObjFloat::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_VALUES);
  definition->SetTypeCode(TYPE_FLOAT);
  definition->SetName("Float");
  PObject::Register(definition);
}

bool PObjFloat::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const PParamDecl x(TYPE_FLOAT);
  const PParamDecl mode(TYPE_INTEGER, "0", int32_t(0)), decimals(TYPE_INTEGER, "0", int32_t(0));
  return d->AddMember(MEMBER_FUNCTION, ADD, TYPE_FLOAT, {x}) &&
         d->AddMember(MEMBER_FUNCTION, INCREMENT, TYPE_FLOAT) &&
         d->AddMember(MEMBER_FUNCTION, DIVIDE, TYPE_FLOAT, {x}) &&
         d->AddMember(MEMBER_FUNCTION, GET, TYPE_FLOAT) &&
         d->AddMember(MEMBER_FUNCTION, TO_INTEGER, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, ADDRESS, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, MODULO, TYPE_FLOAT, {x}) &&
         d->AddMember(MEMBER_FUNCTION, MULTIPLY, TYPE_FLOAT, {x}) &&
         d->AddMember(MEMBER_FUNCTION, POWER, TYPE_FLOAT, {x}) &&
         d->AddMember(MEMBER_FUNCTION, ROUND, TYPE_FLOAT, {mode, decimals}) &&
         d->AddMember(MEMBER_FUNCTION, SET, TYPE_FLOAT, {x}) &&
         d->AddMember(MEMBER_FUNCTION, SUBTRACT, TYPE_FLOAT, {x}) &&
         d->AddMember(MEMBER_FUNCTION, DECREMENT, TYPE_FLOAT);
}

PObject* PObjFloat::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjFloat(definition);
}

bool PObjFloat::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case ADD: m_value += GetArgDouble(args, 0); break;
    case INCREMENT: m_value += 1.0; break;
    case DIVIDE: m_value /= GetArgDouble(args, 0); break;
    case GET: break;
    // Beyond the 64-bit range the nearest limit, NaN 0.
    case TO_INTEGER: return ReturnInt64(result, DoubleToInt64(m_value));
    case ADDRESS: return ReturnInt64(result, int64_t(reinterpret_cast<intptr_t>(this)));
    case MODULO: m_value = std::fmod(m_value, GetArgDouble(args, 0)); break;
    case MULTIPLY: m_value *= GetArgDouble(args, 0); break;
    case POWER: m_value = std::pow(m_value, GetArgDouble(args, 0)); break;
    case ROUND: {
      int32_t mode = int32_t(uint32_t(GetArgInt64(args, 0)));
      int32_t decimals = int32_t(uint32_t(GetArgInt64(args, 1)));
      return ReturnDouble(result, RoundDecimals(m_value, decimals, mode));
    }
    case SET: m_value = GetArgDouble(args, 0); break;
    case SUBTRACT: m_value -= GetArgDouble(args, 0); break;
    case DECREMENT: m_value -= 1.0; break;
    default: return PObject::Call(member, args, result, caller);
  }
  return ReturnDouble(result, m_value);
}
