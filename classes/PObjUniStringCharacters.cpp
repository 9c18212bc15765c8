// UniString members on the whole text, single units and the tag word.
#include <cstdint>

#include "classes/PObjUniString.h"

bool PObjUniString::CallCharacters(Member member, PArgs* args, PResultCell* result) {
  switch (member) {
    case ADDRESS: return ReturnInt64(result, int64_t(reinterpret_cast<intptr_t>(this)));
    case SET: m_value.SetText(GetArgUniString(args, 0)); return true;
    case SET_AND_GET: m_value.SetText(GetArgUniString(args, 0)); return ReturnText(result);
    case SET_CHAR: m_value.SetAt(GetArgInt32(args, 0), GetArgUniChar(args, 1)); return true;
    case SET_CODE:
      m_value.SetAt(GetArgInt32(args, 0), UniChar(uint16_t(GetArgInt64(args, 1))));
      return true;
    case GET: return ReturnText(result);
    // Outside the text the unit is 0, which makes the one-unit text "".
    case GET_CHAR: return ReturnUniChar(result, m_value.GetAt(GetArgInt32(args, 0)));
    case GET_CODE: return ReturnInt64(result, m_value.GetAt(GetArgInt32(args, 0)));
    case SET_LENGTH: {
      // A 0 fill would leave the new units as whatever the buffer held, so
      // an empty fill text pads with blanks like the default.
      UniChar fill = GetArgUniChar(args, 1);
      int32_t length = GetArgInt32(args, 0);
      if (length <= kMaxLength) m_value.SetLengthFilled(length, fill ? fill : u' ');
      return true;
    }
    case LENGTH: return ReturnInt64(result, m_value.GetLength());
    case SET_TAG: m_value.SetTag(int32_t(uint32_t(GetArgInt64(args, 0)))); return true;
    case GET_TAG: return ReturnInt64(result, m_value.GetTag());
    case IS_UPPER: return ReturnBool(result, m_value.IsUpperAt(GetArgInt32(args, 0)));
    case IS_LOWER: return ReturnBool(result, m_value.IsLowerAt(GetArgInt32(args, 0)));
    case IS_ALPHA: return ReturnBool(result, m_value.IsAlphaAt(GetArgInt32(args, 0)));
    case IS_DIGIT: return ReturnBool(result, m_value.IsDigitAt(GetArgInt32(args, 0)));
    default: return true;
  }
}
