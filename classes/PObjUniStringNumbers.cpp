// UniString members that write numbers as text, read the text as a number
// and classify it as a literal.
#include <cstdint>

#include "classes/PObjUniString.h"

bool PObjUniString::CallNumbers(Member member, PArgs* args, PResultCell* result) {
  switch (member) {
    case SET_INTEGER: m_value.SetInt64(GetArgInt64(args, 0)); return true;
    case SET_FLOAT: m_value.SetDouble(GetArgDouble(args, 0)); return true;
    case SET_HEX: m_value.SetHex(GetArgInt32(args, 1), GetArgInt64(args, 0)); return true;
    case SET_BINARY: m_value.SetBinary(uint32_t(GetArgInt64(args, 0))); return true;
    case TO_INTEGER: return ReturnInt64(result, m_value.ToInt64());
    case TO_FLOAT: return ReturnDouble(result, m_value.ToDouble());
    case HEX_VALUE: return ReturnInt64(result, m_value.HexValue());
    case BINARY_VALUE: return ReturnInt64(result, m_value.BinaryValue());
    case IS_NUMBER: return ReturnBool(result, m_value.IsNumber());
    case IS_INTEGER: return ReturnBool(result, m_value.IsInteger());
    case IS_DECIMAL: return ReturnBool(result, m_value.IsDecimal());
    case IS_HEX_NUMBER:
      return ReturnBool(result, m_value.IsHexNumber(GetArgUniString(args, 0), GetArgBool(args, 1)));
    case CLASSIFY_LITERAL: return ReturnInt64(result, m_value.ClassifyLiteral(GetArgUniChar(args, 0)));
    default: return true;
  }
}
