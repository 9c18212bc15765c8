// The pictures of the seven cursors built into the framework (drag copy,
// drag move, pen, fill, open hand, pipette, zoom): 32 x 32, black and white
// on a transparent background.
#pragma once

enum : int { kBuiltinCursorSize = 32 };

// One character per pixel: '.' transparent, 'X' black, 'o' white, '~' the
// inverted screen.
struct BuiltinCursorPicture {
  int hotX, hotY;
  const char* rows[kBuiltinCursorSize];
};

// The picture of a built-in CursorType (14 to 20); null for any other type.
const BuiltinCursorPicture* FindBuiltinCursorPicture(int type);
