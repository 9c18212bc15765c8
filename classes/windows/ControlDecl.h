// Shorthands for declaring the members of the list, combo and tree classes:
// their parameter types and the defaults they share, and the create
// function's parameters that every control class declares alike.
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

// The create function of every control: parent, place, text, style, extended style.
inline bool DeclareCreate(PObjectDefinition* d, uint16_t number) {
  return d->AddMember(F, number, I, {PParamDecl(DIALOG), Null(RECT_), Text(""), Text("WS_VISIBLE"), Text("")});
}

// The mouse record event and the four events of the inner window that
// follow it: focus, mouse entered, mouse left, mouse moved.
inline bool DeclareMouseEvent(PObjectDefinition* d, uint16_t number) {
  return d->AddMember(E, number, V, {kInt, kInt, kInt, kInt, kInt});
}
inline bool DeclareWindowEvents(PObjectDefinition* d, uint16_t focus) {
  return d->AddMember(E, focus, V, {kInt}) && d->AddMember(E, uint16_t(focus + 1), V, {kInt, kInt}) &&
         d->AddMember(E, uint16_t(focus + 2), V) && d->AddMember(E, uint16_t(focus + 3), V, {kInt, kInt});
}

}  // namespace controldecl
