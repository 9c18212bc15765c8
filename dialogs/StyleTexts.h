// Style texts: window styles and extended styles written as Win32 constant
// names separated by blanks ("WS_VISIBLE BS_CENTER "), for dialog
// descriptions and for scripts. Which names exist depends on the
// ControlNumber; every number (and -1) knows WS_VISIBLE and WS_DISABLED.
//
// Writing gives each name followed by a blank (TCS_FLATBUTTONS and
// TCS_FOCUSONBUTTONDOWN by two); reading looks every blank-separated part up
// among the style and extended names of the type, case-sensitively, and
// ignores the rest. Bits that no name stands for are lost on the way.
#pragma once

#include <cstdint>

#include "core/SString.h"
#include "dialogs/SDialogModel.h"

// The record's style (extended false) or extended style as text, for its
// ControlNumber.
SString StyleToNames(const SDialogModel::_SCtrl* record, bool extended);
// The bits the text names into the record's style or extended style; an
// empty text leaves the field as it is.
void NamesToStyle(SDialogModel::_SCtrl* record, bool extended, const char* text);

// The same for bare values. The ControlNumber's low 16 bits count, as a
// signed number (so bit 15 makes it -1).
SString StyleBitsToNames(int32_t controlNumber, uint32_t style);
SString ExStyleBitsToNames(int32_t controlNumber, uint32_t exStyle);
uint32_t NamesToStyleBits(int32_t controlNumber, const char* text);    // 0 for ""
uint32_t NamesToExStyleBits(int32_t controlNumber, const char* text);  // 0 for ""
// Only the bits that have a name: the value written as names and read back.
uint32_t FilterStyleBits(int32_t controlNumber, uint32_t style);
uint32_t FilterExStyleBits(int32_t controlNumber, uint32_t exStyle);
