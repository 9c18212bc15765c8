// Free text functions shared across the framework: the colour text form of
// dialog descriptions and colour properties, the character and name tests of
// the language engine, the plug-in loader and the readers, and the file-name
// test.
#pragma once

#include <cstdint>

#include "core/SString.h"

// ---- Colour text ---------------------------------------------------------------

// "#RRGGBB" for a COLORREF below 2^24 (red in the low byte), else "#" and the
// whole word as 8 digits, high byte first; upper-case digits.
SString ColorToText(uint32_t color);
// Reads both forms back; any length other than 7 or 9 gives 0. The first
// character is not looked at.
uint32_t ColorFromText(const char* text);

// ---- Characters and names ---------------------------------------------------------

// ASCII letters and the Windows-1252 accented letters the framework counts.
bool IsLetter(char c);
// ASCII letter, digit or '_'.
bool IsWordChar(char c);
// Letters, digits and '_', not empty, not starting with a digit, not ending
// with '_'.
bool IsIdentifier(const char* text);
bool IsIdentifier(const char* text, int length);
// An identifier of upper-case letters, digits and '_' with at least one letter.
bool IsConstantName(const char* text);

// ---- File names --------------------------------------------------------------------

// False for "", for control bytes, for the characters Windows reserves
// (" * / : < > ? \ |) and for a name ending in '.'.
bool IsValidFileName(const char* text);
bool IsValidFileName(const char* text, int length);
