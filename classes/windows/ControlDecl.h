// Shorthands for declaring the members of the list, combo and tree classes:
// their parameter types and the defaults they share, and a create function
// declared apart from its destroy function.
#pragma once

#include <cstdint>

#include "classes/PObjColor.h"
#include "classes/PObjIntegerArray.h"
#include "classes/PObjRectangle.h"
#include "classes/PObjStringArray.h"
#include "classes/windows/PObjDialog.h"
#include "classes/windows/PObjImageList.h"
#include "engine/PObjectDefinition.h"

namespace controldecl {

constexpr int F = MEMBER_FUNCTION, E = MEMBER_EVENT;
constexpr TypeCode V = TYPE_VOID, I = TYPE_INTEGER, S = TYPE_STRING;
constexpr TypeCode COLOR = PObjColor::kTypeCode, RECT_ = PObjRectangle::kTypeCode;
constexpr TypeCode INTS = PObjIntegerArray::kTypeCode, STRINGS = PObjStringArray::kTypeCode;
constexpr TypeCode IMAGES = PObjImageList::kTypeCode, DIALOG = PObjDialog::kTypeCode;

constexpr PParamDecl Int(const char* written, int32_t value) { return PParamDecl(I, written, value); }
constexpr PParamDecl Text(const char* text) { return PParamDecl(S, text); }
constexpr PParamDecl Null(TypeCode type) { return PParamDecl(type, static_cast<const char*>(nullptr)); }
constexpr PParamDecl kInt(I), kText(S), kColor(COLOR), kRect(RECT_);
constexpr PParamDecl kTrue = Int("true", 1), kFalse = Int("false", 0), kZero = Int("0", 0), kMinusOne = Int("-1", -1);

// The create function (parent, place, text, style, extended style) where
// the destroy function does not follow it directly.
inline bool DeclareCreate(PObjectDefinition* d, uint16_t number) {
  return d->AddMember(F, number, I, {PParamDecl(DIALOG), Null(RECT_), Text(""), Text("WS_VISIBLE"), Text("")});
}

}  // namespace controldecl
