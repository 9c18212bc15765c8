#include "classes/PObjValue.h"

#include <new>

#include "core/SValueReading.h"
#include "engine/PObjectDefinition.h"

void PObjValue::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_VALUES);
  definition->SetTypeCode(TYPE_VALUE);
  definition->SetName("Value");
  PObject::Register(definition);
}

bool PObjValue::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  struct Row {
    Member member;
    TypeCode result;
    TypeCode param;  // TYPE_NONE: none
  };
  static const Row kRows[] = {
      {COPY, TYPE_VOID, TYPE_VALUE},           {APPEND, TYPE_STRING, TYPE_STRING},
      {INCREMENT, TYPE_STRING, TYPE_NONE},     {DIVIDE, TYPE_STRING, TYPE_STRING},
      {GET_TEXT, TYPE_STRING, TYPE_NONE},      {GET_FLOAT, TYPE_FLOAT, TYPE_NONE},
      {GET_INTEGER, TYPE_INTEGER, TYPE_NONE},  {NOTHING_7, TYPE_STRING, TYPE_NONE},
      {TEXT, TYPE_STRING, TYPE_NONE},          {GET_UNISTRING, TYPE_UNISTRING, TYPE_NONE},
      {IS_FLOAT, TYPE_INTEGER, TYPE_NONE},     {IS_INTEGER, TYPE_INTEGER, TYPE_NONE},
      {IS_STRING, TYPE_INTEGER, TYPE_NONE},    {IS_UNISTRING, TYPE_INTEGER, TYPE_NONE},
      {MULTIPLY, TYPE_STRING, TYPE_STRING},    {PARSE, TYPE_VOID, TYPE_STRING},
      {SET_FLOAT, TYPE_VOID, TYPE_FLOAT},      {SET_INTEGER, TYPE_VOID, TYPE_INTEGER},
      {NOTHING_18, TYPE_VOID, TYPE_STRING},    {SET_STRING, TYPE_VOID, TYPE_STRING},
      {SET_UNISTRING, TYPE_VOID, TYPE_UNISTRING}, {SUBTRACT, TYPE_STRING, TYPE_STRING},
      {DECREMENT, TYPE_STRING, TYPE_NONE},
  };
  for (const Row& row : kRows) {
    bool added = row.param == TYPE_NONE
                     ? d->AddMember(MEMBER_FUNCTION, row.member, row.result)
                     : d->AddMember(MEMBER_FUNCTION, row.member, row.result, {PParamDecl(row.param)});
    if (!added) return false;
  }
  return true;
}

PObject* PObjValue::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjValue(definition);
}

bool PObjValue::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case COPY:
      if (PObject* other = GetArgObject(args, 0))
        m_value.CopyFrom(static_cast<PObjValue*>(other)->m_value);
      return true;
    case APPEND: m_value.AddText(GetArgString(args, 0)); break;
    case INCREMENT: m_value.AddInt64(1); break;
    // The argument is a number as text; one that reads as none counts as 0.
    case DIVIDE: m_value.DivideBy(ReadDouble(GetArgString(args, 0))); break;
    case GET_TEXT:
    case TEXT: break;
    case GET_FLOAT: return ReturnDouble(result, m_value.ToDouble());
    case GET_INTEGER: return ReturnInt64(result, m_value.ToInt64());
    case NOTHING_7:
    case NOTHING_18: return true;
    case GET_UNISTRING: return ReturnUniString(result, m_value.ToUniString().GetText());
    case IS_FLOAT: return ReturnBool(result, m_value.IsDouble());
    case IS_INTEGER: return ReturnBool(result, m_value.IsInt64());
    case IS_STRING: return ReturnBool(result, m_value.IsString());
    case IS_UNISTRING: return ReturnBool(result, m_value.IsUniString());
    case MULTIPLY: m_value.MultiplyDouble(ReadDouble(GetArgString(args, 0))); break;
    case PARSE: m_value.SetFromText(GetArgString(args, 0)); return true;
    case SET_FLOAT: m_value.SetDouble(GetArgDouble(args, 0)); return true;
    case SET_INTEGER: m_value.SetInt64(GetArgInt64(args, 0)); return true;
    case SET_STRING: m_value.SetString(GetArgString(args, 0)); return true;
    case SET_UNISTRING: m_value.SetUniString(GetArgUniString(args, 0)); return true;
    case SUBTRACT: m_value.SubtractDouble(ReadDouble(GetArgString(args, 0))); break;
    case DECREMENT: m_value.SubtractInt64(1); break;
    default: return PObject::Call(member, args, result, caller);
  }
  return ReturnString(result, m_value.ToString().GetText());
}
