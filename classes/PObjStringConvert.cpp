// The String members that turn the text into another form: codings in place,
// numbers to and from text, digests, and splitting into a StringArray.
#include <cstdint>

#include "classes/PObjString.h"
#include "core/SStringArray.h"
#include "core/SStringParser.h"

bool PObjString::CallConvert(uint16_t member, PArgs* args, PResultCell* result) {
  SString& s = m_value;
  switch (member) {
    // ---- Codings in place ----
    case ENCODE_BASE64: s.EncodeBase64(false); return true;
    case DECODE_BASE64: s.DecodeBase64(); return true;
    case ENCODE_7BIT: s.Encode7Bit(); return true;
    case DECODE_7BIT: s.Decode7Bit(); return true;
    case ENCODE_URL: s.EncodeUrl(false); return true;
    case DECODE_URL: s.DecodeUrl(false); return true;
    case ESCAPE_HTML: s.EscapeHtml(GetArgBool(args, 0), GetArgBool(args, 1)); return true;
    case UNESCAPE_HTML: s.UnescapeHtml(GetArgBool(args, 0), GetArgBool(args, 1)); return true;
    case ESCAPE_HTML_FULL: {
      // The numeric forms are the apostrophe's and those of the bytes 160-255.
      bool numeric = GetArgBool(args, 0);
      s.EscapeHtmlFull(numeric, GetArgBool(args, 1), numeric);
      return true;
    }
    case CRLF_TO_BR: s.CrLfToBr(); return true;
    case BR_TO_CRLF: s.BrToCrLf(); return true;
    case ENCODE_HEX_ESCAPES: s.EncodeHexEscapes(GetArgCharOr(args, 0, '%')); return true;
    case DECODE_HEX_ESCAPES: s.DecodeHexEscapes(GetArgCharOr(args, 0, '%')); return true;

    // ---- Numbers to text ----
    case SET_INT: s.FormatInt64(GetArgInt64(args, 0)); return true;
    case SET_DOUBLE: s.SetDouble(GetArgDouble(args, 0), false); return true;
    case SET_HEX: s.SetHex(GetArgInt32(args, 1), GetArgInt64(args, 0)); return true;
    case SET_BINARY: s.SetBinary(uint32_t(uint64_t(GetArgInt64(args, 0)))); return true;
    case SET_ROMAN: s.SetRoman(int32_t(uint32_t(uint64_t(GetArgInt64(args, 0))))); return true;

    // ---- Text to numbers ----
    case TO_INT: return ReturnInt64(result, s.ToInt64());
    case TO_DOUBLE: return ReturnDouble(result, s.ToDouble());
    case HEX_VALUE: return ReturnInt64(result, s.HexValue());
    case BINARY_VALUE: return ReturnInt64(result, s.BinaryValue());
    case ROMAN_VALUE: return ReturnInt64(result, s.RomanValue());

    // ---- Digests ----
    case CRC32: {
      uint32_t crc = 0;
      s.Crc32(crc);
      return ReturnInt64(result, crc);
    }
    case MD5: return ReturnString(result, s.Md5().GetText());
    case SHA1: return ReturnString(result, s.Sha1().GetText());

    // ---- Splitting; the array is added to, never emptied first ----
    case SPLIT: {
      SStringArray* array = GetArgArray(args, 0);
      if (!array) return true;
      // The tokens wait in the parser until the whole text has split, so
      // that a refused split (-1) leaves the array as it was.
      SStringParser parser(s.GetText());
      int count = parser.Parse(SString(GetArgString(args, 1)), GetArgCharOr(args, 3, '"'),
                               int32_t(GetArgInt64(args, 2)), nullptr);
      for (int i = 0; i < count; i++) array->InsertAt(parser.GetTokenPointer(i), -1, 1);
      return ReturnInt64(result, count);
    }
    case SPLIT_MARKUP: {
      SStringArray* array = GetArgArray(args, 0);
      if (!array) return true;
      SStringParser parser(s.GetText());
      return ReturnInt64(result, parser.ParseMarkup(array));
    }
    default: return false;
  }
}
