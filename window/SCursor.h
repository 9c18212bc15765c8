// SCursor: one mouse cursor - a shared system cursor, one of the seven
// cursors built into the framework, or one made from the pixels of an
// image or a device context.
//
// A system cursor (LoadCursorA) is shared by the whole system and is never
// destroyed; every other cursor is the object's own and goes with it.
// Setting a new cursor first lets go of the old one the same way.
//
// StandardCursorTable holds the 21 cursors of the CursorTypes, made once by
// FrameworkInit; windows and editors take their cursors from it by type.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/SArray.h"

class SFile;
class SImage;

enum CursorType : int {
  kCursorArrow = 0,  // also every type not listed
  kCursorAppStarting = 1,
  kCursorCross = 2,
  kCursorHand = 3,
  kCursorHelp = 4,
  kCursorIBeam = 5,
  kCursorNo = 6,
  kCursorSizeAll = 7,
  kCursorSizeNESW = 8,
  kCursorSizeNS = 9,
  kCursorSizeNWSE = 10,
  kCursorSizeWE = 11,
  kCursorUpArrow = 12,
  kCursorWait = 13,
  // Built into the framework, 32 x 32.
  kCursorDragCopy = 14,
  kCursorDragMove = 15,
  kCursorPen = 16,
  kCursorFill = 17,
  kCursorOpenHand = 18,
  kCursorPipette = 19,
  kCursorZoom = 20,
  kCursorTypes = 21,
};

// Pixel colours (red, green, blue) that BuildCursorMasks reads specially;
// any other colour is black.
enum : uint32_t {
  kCursorTransparent = 0xFF00FF,  // (255, 0, 255)
  kCursorWhite = 0xFFFFFF,
  kCursorInverted = 0xFF0000,     // (255, 0, 0)
  // The same four, each also marking the hot spot.
  kCursorHotBlack = 0x0000FF,     // (0, 0, 255)
  kCursorHotWhite = 0x0000FE,
  kCursorHotTransparent = 0x0000FD,
  kCursorHotInverted = 0x0000FC,
};

// Fills the AND and XOR planes ((width / 8) x height bytes each, rows from
// the top, the leftmost pixel in the highest bit) from the pixels of the
// HDC, or else of the image, where a pixel that cannot be read is black.
// The hot spot is the last hot-spot colour in reading order, (0, 0)
// without one.
void BuildCursorMasks(HDC dc, const SImage* image, uint8_t* andPlane, uint8_t* xorPlane, POINT* hotSpot,
                      int width, int height);

class SCursor {
 public:
  SCursor() : m_shared(false), m_cursor(nullptr) {}
  virtual ~SCursor() { Clear(); }
  SCursor(const SCursor&) = delete;
  SCursor& operator=(const SCursor&) = delete;

  HCURSOR GetHandle() const { return m_cursor; }
  bool IsShared() const { return m_shared; }

  // The cursor of the type; true also when the system has no such cursor.
  bool Load(int type);
  // From the image's pixels; false when it is missing or its width is not
  // a positive multiple of 16 or its height not positive.
  bool FromImage(const SImage* image);
  // The same from the pixels of the HDC.
  bool FromDC(HDC dc, int width, int height);
  // The picture that the rest of the stream holds.
  bool LoadFromStream(SFile* stream);
  // Destroys the cursor unless shared, and forgets it.
  void Clear();

 private:
  bool CreateFromPixels(HDC dc, const SImage* image, int width, int height);

  bool m_shared;  // a system cursor: never destroyed
  HCURSOR m_cursor;
};

// ---- StandardCursorTable ------------------------------------------------------------

// One SCursor per CursorType, in type order; empty outside FrameworkInit
// and FrameworkExit.
SArray<SCursor*>& GetStandardCursorTable();
void CreateStandardCursors();
// Deletes the cursors and empties the table.
void FreeStandardCursors();
// The handle of the type's cursor (the arrow for types not in the table);
// null while the table is empty.
HCURSOR GetStandardCursor(int type);
