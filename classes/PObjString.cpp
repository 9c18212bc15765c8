// The String class's registration, declaration, factory and member dispatch.
#include "classes/PObjString.h"

#include <cstdint>
#include <initializer_list>
#include <new>

#include "engine/PObjectDefinition.h"

namespace {

PObjString::ArrayAccess g_arrayAccess = nullptr;

}  // namespace

void PObjString::SetArrayAccess(ArrayAccess access) { g_arrayAccess = access; }

void PObjString::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_VALUES);
  definition->SetTypeCode(TYPE_STRING);
  definition->SetName("String");
  definition->AddConstant("VAL_NONE", VAL_NONE);
  definition->AddConstant("VAL_INT", VAL_INT);
  definition->AddConstant("VAL_FLOAT", VAL_FLOAT);
  definition->AddConstant("VAL_HEX", VAL_HEX);
  definition->AddConstant("VAL_STR", VAL_STR);
  definition->AddConstant("SPL_QUOTE", SPL_QUOTE);
  definition->AddConstant("SPL_QUOTESEP", SPL_QUOTESEP);
  definition->AddConstant("SPL_NOQUOTE", SPL_NOQUOTE);
  definition->AddConstant("SPL_NOSPACE", SPL_NOSPACE);
  PObject::Register(definition);
}

bool PObjString::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kStr = TYPE_STRING, kInt = TYPE_INTEGER, kVoid = TYPE_VOID, kFloat = TYPE_FLOAT;
  const PParamDecl text(TYPE_STRING), n(TYPE_INTEGER), x(TYPE_FLOAT);
  const PParamDecl array(MakeTypeCode(ORIGIN_BUILTIN, 'A', 'R', 'S'));
  // Objects that receive a number; none by default.
  const PParamDecl out(TYPE_POINTER, nullptr);
  const PParamDecl zero(TYPE_INTEGER, "0", int32_t(0)), one(TYPE_INTEGER, "1", int32_t(1));
  const PParamDecl two(TYPE_INTEGER, "2", int32_t(2)), toEnd(TYPE_INTEGER, "-1", int32_t(-1));
  const PParamDecl yes(TYPE_INTEGER, "true", int32_t(1)), no(TYPE_INTEGER, "false", int32_t(0));
  const PParamDecl blank(TYPE_STRING, " "), quote(TYPE_STRING, "\""), percent(TYPE_STRING, "%");
  const PParamDecl noPrefix(TYPE_STRING, "");
  // The value 11 is what calls without the argument have always used; its
  // written form says so (it once named SPL_NOQUOTE, which is 15).
  const PParamDecl splitOptions(TYPE_INTEGER, "String.SPL_QUOTESEP|String.SPL_NOSPACE", int32_t(11));

  // Members are numbered by their position: added in order, 0 to 102.
  bool ok = true;
  auto add = [&](Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    ok = ok && d->GetMemberCount() == member && d->AddMember(MEMBER_FUNCTION, member, result, params);
  };
  add(ADDRESS, kInt, {});
  add(SET, kVoid, {text});
  add(SET_AND_GET, kStr, {text});
  add(SET_CHAR, kVoid, {n, text});
  add(SET_CHAR_CODE, kVoid, {n, n});
  add(GET, kStr, {});
  add(GET_CHAR, kStr, {n});
  add(GET_CHAR_CODE, kInt, {n});
  add(SET_LENGTH, kVoid, {n, blank});
  add(LENGTH, kInt, {});
  add(SET_TAG, kVoid, {n});
  add(GET_TAG, kInt, {});
  add(IS_UPPER_AT, kInt, {n});
  add(IS_LOWER_AT, kInt, {n});
  add(IS_ALPHA_AT, kInt, {n});
  add(IS_DIGIT_AT, kInt, {n});
  add(IS_VOWEL_AT, kInt, {n});
  add(IS_CONSONANT_AT, kInt, {n});
  add(COMPARE, kInt, {text, yes});
  add(MATCHES, kInt, {text});
  add(APPEND, kVoid, {text});
  add(APPEND_AND_GET, kStr, {text});
  add(INSERT, kVoid, {text, toEnd, one});
  add(REMOVE, kVoid, {n, toEnd});
  add(OVERWRITE_RANGE, kVoid, {text, zero, toEnd});
  add(SLICE, kStr, {n, toEnd});
  add(LEFT, kStr, {n});
  add(BEFORE_CHAR_OR_ALL, kStr, {text});
  add(MID, kStr, {n, toEnd});
  add(RIGHT, kStr, {n});
  add(BEFORE_CHAR, kStr, {text});
  add(AFTER_CHAR, kStr, {text});
  add(SPLIT, kInt, {array, blank, splitOptions, quote});
  add(SPLIT_MARKUP, kInt, {array});
  add(TRIM, kVoid, {toEnd, toEnd});
  add(TRIM_LEADING, kVoid, {toEnd});
  add(TRIM_TRAILING, kVoid, {toEnd});
  add(REPLACE, kInt, {text, text, zero, toEnd, yes});
  add(MAKE_LOWER, kVoid, {});
  add(MAKE_UPPER, kVoid, {});
  add(TO_LOWER, kStr, {});
  add(TO_UPPER, kStr, {});
  add(WITHOUT_BLANKS, kStr, {yes});
  add(REMOVE_BLANKS, kVoid, {yes});
  add(REMOVE_ACCENTS, kVoid, {yes, yes});
  add(STRIP_LEADING_NUMBER, kVoid, {});
  add(REVERSE, kVoid, {});
  add(ENCODE_BASE64, kVoid, {});
  add(DECODE_BASE64, kVoid, {});
  add(ENCODE_7BIT, kVoid, {});
  add(DECODE_7BIT, kVoid, {});
  add(ENCODE_URL, kVoid, {});
  add(DECODE_URL, kVoid, {});
  add(ESCAPE_HTML, kVoid, {no, yes});
  add(UNESCAPE_HTML, kVoid, {no, yes});
  add(ESCAPE_HTML_FULL, kVoid, {no, yes});
  add(CRLF_TO_BR, kVoid, {});
  add(BR_TO_CRLF, kVoid, {});
  add(ENCODE_HEX_ESCAPES, kVoid, {percent});
  add(DECODE_HEX_ESCAPES, kVoid, {percent});
  add(FIND, kInt, {text, zero, toEnd, yes});
  add(FIND_OUTSIDE_QUOTES, kInt, {text, zero, quote});
  add(FIND_ONE_OF, kInt, {text, zero, toEnd, yes});
  add(REVERSE_FIND_CHAR, kInt, {text, toEnd});
  add(REVERSE_FIND_ONE_OF, kInt, {text, toEnd});
  add(FIND_NOT_CHAR, kInt, {text, zero, toEnd});
  add(NEXT_MARKUP_TOKEN, kStr, {n, out, out, out, out});
  add(NEXT_WORD, kStr, {n, out, no});
  add(GET_LINE_AT, kStr, {n, out});
  add(COUNT_LINES, kInt, {});
  add(LONGEST_LINE_LENGTH, kInt, {});
  add(WORD_WRAP_LEFT, kVoid, {zero});
  add(WORD_WRAP_CENTRE, kVoid, {zero});
  add(WORD_WRAP_RIGHT, kVoid, {zero});
  add(WORD_WRAP_JUSTIFY, kVoid, {zero});
  add(IS_ENCLOSED_BY, kInt, {quote});
  add(ENCLOSE, kInt, {quote});
  add(UNENCLOSE, kInt, {quote});
  add(IS_IDENTIFIER, kInt, {});
  add(IS_UPPER_IDENTIFIER, kInt, {});
  add(IS_LOWER_IDENTIFIER, kInt, {});
  add(IS_VALID_FILE_NAME, kInt, {});
  add(REMOVE_EXTRA_BLANKS, kVoid, {yes});
  add(FIND_WORD, kInt, {text, zero, quote});
  add(SET_INT, kVoid, {n});
  add(SET_DOUBLE, kVoid, {x});
  add(SET_HEX, kVoid, {n, two});
  add(SET_BINARY, kVoid, {n});
  add(SET_ROMAN, kVoid, {n});
  add(TO_INT, kInt, {});
  add(TO_DOUBLE, kFloat, {});
  add(HEX_VALUE, kInt, {});
  add(BINARY_VALUE, kInt, {});
  add(ROMAN_VALUE, kInt, {});
  add(IS_NUMBER, kInt, {});
  add(IS_INTEGER, kInt, {});
  add(IS_DECIMAL, kInt, {});
  add(IS_HEX_NUMBER, kInt, {noPrefix, no});
  add(CLASSIFY_LITERAL, kInt, {quote});
  add(CRC32, kInt, {});
  add(MD5, kStr, {});
  add(SHA1, kStr, {});
  add(IS_IP_ADDRESS, kInt, {});
  return ok;
}

PObject* PObjString::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjString(definition);
}

bool PObjString::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member >= kMemberCount) return PObject::Call(member, args, result, caller);
  if (CallEdit(member, args, result) || CallSearch(member, args, result)) return true;
  CallConvert(member, args, result);
  return true;
}

// ---- Argument readers shared by the families -------------------------------------------------

char PObjString::GetArgCharOr(const PArgs* args, int i, char empty) {
  char c = GetArgChar(args, i);
  return c ? c : empty;
}

SStringArray* PObjString::GetArgArray(const PArgs* args, int i) {
  PObject* object = GetArgObject(args, i);
  return object && g_arrayAccess ? g_arrayAccess(object) : nullptr;
}
