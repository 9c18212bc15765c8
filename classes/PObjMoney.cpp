#include "classes/PObjMoney.h"

#include <new>

#include "classes/ClassArgs.h"
#include "engine/PObjectDefinition.h"

void PObjMoney::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_VALUES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Money");
  PObject::Register(definition);
}

bool PObjMoney::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kFloat = TYPE_FLOAT, kInt = TYPE_INTEGER, kStr = TYPE_STRING, kVoid = TYPE_VOID;
  const PParamDecl x(kFloat), n(kInt), text(kStr), yes(kInt, "true", int32_t(1));
  return d->AddMember(MEMBER_FUNCTION, ADD, kFloat, {x}) &&
         d->AddMember(MEMBER_FUNCTION, DIVIDE, kFloat, {x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_SYMBOL_AFTER, kVoid, {yes}) &&
         d->AddMember(MEMBER_FUNCTION, GET, kFloat) &&
         d->AddMember(MEMBER_FUNCTION, GET_DECIMAL_SEPARATOR, kStr) &&
         d->AddMember(MEMBER_FUNCTION, GET_DECIMALS, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_GROUP_SEPARATOR, kStr) &&
         d->AddMember(MEMBER_FUNCTION, FORMAT, kStr) &&
         d->AddMember(MEMBER_FUNCTION, GET_SYMBOL, kStr) &&
         d->AddMember(MEMBER_FUNCTION, IS_SYMBOL_AFTER, kInt) &&
         d->AddMember(MEMBER_FUNCTION, MULTIPLY, kFloat, {x}) &&
         d->AddMember(MEMBER_FUNCTION, SET, kFloat, {x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_DECIMAL_SEPARATOR, kVoid, {text}) &&
         d->AddMember(MEMBER_FUNCTION, SET_DECIMALS, kVoid, {n}) &&
         d->AddMember(MEMBER_FUNCTION, SET_GROUP_SEPARATOR, kVoid, {text}) &&
         d->AddMember(MEMBER_FUNCTION, SET_SYMBOL, kVoid, {text}) &&
         d->AddMember(MEMBER_FUNCTION, SUBTRACT, kFloat, {x});
}

PObject* PObjMoney::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjMoney(definition);
}

SString PObjMoney::FormatAmount() const {
  SMoneyFormat pointed = m_format;
  pointed.SetDecimalSeparator('.');
  return pointed.Format(m_amount);
}

bool PObjMoney::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case ADD: m_amount += GetArgDouble(args, 0); break;
    case DIVIDE: m_amount /= GetArgDouble(args, 0); break;
    case SET_SYMBOL_AFTER: m_format.SetSymbolAfter(GetArgBool(args, 0)); return true;
    case GET: break;
    case GET_DECIMAL_SEPARATOR: return ReturnChar(result, m_format.GetDecimalSeparator());
    case GET_DECIMALS: return ReturnInt64(result, m_format.GetDecimals());
    case GET_GROUP_SEPARATOR: return ReturnChar(result, m_format.GetGroupSeparator());
    case FORMAT: return ReturnString(result, FormatAmount().GetText());
    case GET_SYMBOL: return ReturnString(result, m_format.GetSymbol().GetText());
    case IS_SYMBOL_AFTER: return ReturnBool(result, m_format.IsSymbolAfter());
    case MULTIPLY: m_amount *= GetArgDouble(args, 0); break;
    case SET: m_amount = GetArgDouble(args, 0); break;
    case SET_DECIMAL_SEPARATOR: m_format.SetDecimalSeparator(GetArgChar(args, 0)); return true;
    case SET_DECIMALS: m_format.SetDecimals(GetArgLow32(args, 0)); return true;
    case SET_GROUP_SEPARATOR: m_format.SetGroupSeparator(GetArgChar(args, 0)); return true;
    case SET_SYMBOL: m_format.SetSymbol(GetArgString(args, 0)); return true;
    case SUBTRACT: m_amount -= GetArgDouble(args, 0); break;
    default: return PObject::Call(member, args, result, caller);
  }
  return ReturnDouble(result, m_amount);
}
