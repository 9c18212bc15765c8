// What the window classes (Dialog, Control) share in reading their
// arguments and in changing a window's styles from names.
#pragma once

#include <windows.h>

#include <cstdint>

#include "classes/PObjRectangle.h"
#include "dialogs/StyleTexts.h"

inline RECT RectOf(const PObjRectangle* r) { return {r->GetLeft(), r->GetTop(), r->GetRight(), r->GetBottom()}; }
inline void SetRectangle(PObjRectangle* r, const RECT& rect) { r->Set(rect.left, rect.top, rect.right, rect.bottom); }

// Style bits from names: the bits the names of the ControlNumber can
// express are replaced, the others kept (a bit without a name survives an
// empty text).
inline LONG StyleFromNames(LONG style, int controlNumber, const char* names, bool extended) {
  uint32_t named = extended ? FilterExStyleBits(controlNumber, 0xFFFFFFFF) : FilterStyleBits(controlNumber, 0xFFFFFFFF);
  uint32_t bits = extended ? NamesToExStyleBits(controlNumber, names) : NamesToStyleBits(controlNumber, names);
  return LONG((uint32_t(style) & ~named) | bits);
}
