// The UniString class's registration, declarations and member dispatch; the
// members themselves live in one file per family.
#include "classes/PObjUniString.h"

#include <cstdint>
#include <initializer_list>
#include <new>

#include "engine/PObjectDefinition.h"

void PObjUniString::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_VALUES);
  definition->SetTypeCode(TYPE_UNISTRING);
  definition->SetName("UniString");
  definition->AddConstant("VAL_NONE", VAL_NONE);
  definition->AddConstant("VAL_INT", VAL_INT);
  definition->AddConstant("VAL_FLOAT", VAL_FLOAT);
  definition->AddConstant("VAL_HEX", VAL_HEX);
  definition->AddConstant("VAL_STR", VAL_STR);
  PObject::Register(definition);
}

bool PObjUniString::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode VOI = TYPE_VOID, INT = TYPE_INTEGER, FLT = TYPE_FLOAT, UNI = TYPE_UNISTRING;
  const PParamDecl n(INT), x(FLT), text(UNI);
  const PParamDecl toEnd(INT, "-1", int32_t(-1)), fromStart(INT, "0", int32_t(0));
  const PParamDecl once(INT, "1", int32_t(1)), twoDigits(INT, "2", int32_t(2));
  const PParamDecl yes(INT, "true", int32_t(1)), no(INT, "false", int32_t(0));
  const PParamDecl blank(UNI, " "), quote(UNI, "\""), none(UNI, "");
  auto add = [d](Member member, TypeCode result, std::initializer_list<PParamDecl> params = {}) {
    return d->AddMember(MEMBER_FUNCTION, member, result, params);
  };
  return add(ADDRESS, INT) && add(SET, VOI, {text}) && add(SET_AND_GET, UNI, {text}) &&
         add(SET_CHAR, VOI, {n, text}) && add(SET_CODE, VOI, {n, n}) && add(GET, UNI) &&
         add(GET_CHAR, UNI, {n}) && add(GET_CODE, INT, {n}) && add(SET_LENGTH, VOI, {n, blank}) &&
         add(LENGTH, INT) && add(SET_TAG, VOI, {n}) && add(GET_TAG, INT) &&
         add(IS_UPPER, INT, {n}) && add(IS_LOWER, INT, {n}) && add(IS_ALPHA, INT, {n}) &&
         add(IS_DIGIT, INT, {n}) &&
         add(COMPARE, INT, {text, yes}) && add(APPEND, VOI, {text}) &&
         add(APPEND_AND_GET, UNI, {text}) && add(INSERT, VOI, {text, toEnd, once}) &&
         add(REMOVE, VOI, {n, toEnd}) && add(OVERWRITE, VOI, {text, fromStart, toEnd}) &&
         add(SLICE, UNI, {n, toEnd}) && add(LEFT, UNI, {n}) && add(BEFORE_OR_ALL, UNI, {text}) &&
         add(MID, UNI, {n, toEnd}) && add(RIGHT, UNI, {n}) && add(BEFORE, UNI, {text}) &&
         add(AFTER, UNI, {text}) && add(TRIM, VOI, {toEnd, toEnd}) &&
         add(TRIM_LEADING, VOI, {toEnd}) && add(TRIM_TRAILING, VOI, {toEnd}) &&
         add(REPLACE, INT, {text, text, fromStart, toEnd, yes}) && add(MAKE_LOWER, VOI) &&
         add(MAKE_UPPER, VOI) && add(TO_LOWER, UNI) && add(TO_UPPER, UNI) &&
         add(WITHOUT_BLANKS, UNI, {yes}) && add(REMOVE_BLANKS, VOI, {yes}) && add(REVERSE, VOI) &&
         add(FIND, INT, {text, fromStart, toEnd, yes}) && add(IS_ENCLOSED, INT, {quote}) &&
         add(ENCLOSE, INT, {quote}) && add(UNENCLOSE, INT, {quote}) &&
         add(SET_INTEGER, VOI, {n}) && add(SET_FLOAT, VOI, {x}) &&
         add(SET_HEX, VOI, {n, twoDigits}) && add(SET_BINARY, VOI, {n}) && add(TO_INTEGER, INT) &&
         add(TO_FLOAT, FLT) && add(HEX_VALUE, INT) && add(BINARY_VALUE, INT) &&
         add(IS_NUMBER, INT) && add(IS_INTEGER, INT) && add(IS_DECIMAL, INT) &&
         add(IS_HEX_NUMBER, INT, {none, no}) && add(CLASSIFY_LITERAL, INT, {quote});
}

PObject* PObjUniString::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjUniString(definition);
}

bool PObjUniString::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member < COMPARE) return CallCharacters(Member(member), args, result);
  if (member < SET_INTEGER) return CallEditing(Member(member), args, result);
  if (member <= CLASSIFY_LITERAL) return CallNumbers(Member(member), args, result);
  return PObject::Call(member, args, result, caller);
}

