// Point-size fonts and their style bits, and text measurement: shared by the
// controls, the printer pages and the script Font class.
#pragma once

#include <windows.h>

// Style bits of a font as the script layer stores them.
enum FontStyle : int {
  kFontBold = 0x1,  // weight 700
  kFontItalic = 0x2,
  kFontUnderline = 0x4,
  kFontStrikeOut = 0x8,
};

inline bool IsBoldStyle(int style) { return (style & kFontBold) != 0; }
inline bool IsItalicStyle(int style) { return (style & kFontItalic) != 0; }
inline bool IsUnderlineStyle(int style) { return (style & kFontUnderline) != 0; }
inline bool IsStrikeOutStyle(int style) { return (style & kFontStrikeOut) != 0; }

// A font height in logical units for a size in points on the device (null:
// the screen): negative, as a character height; halves round up, so -10.5
// gives -10.
int PointsToHeight(double points, HDC dc);
// The same at a number of dots per inch.
int PointsToHeightAtDpi(double points, int dpi);
// The size in points of a font height on the device (null: the screen).
double HeightToPoints(HDC dc, int height);

// Every field 0 but the face (its first 31 characters), the height of the
// points on the screen, and the style bits.
void FillLogFont(const char* face, double points, int style, LOGFONTA& font);
// The style bits of a font: bold only for a weight of exactly 700.
int LogFontStyle(const LOGFONTA& font);

// Fonts of a face, height or size, and style; the caller owns them. Weight
// 700 with the bold bit, else the face's default.
HFONT CreateStyledFont(int style, const char* face, int height);
// The height used is stored in *height when given.
HFONT CreatePointFont(const char* face, double points, int style, int* height, HDC dc);

// The font's average character width and its height.
SIZE GetFontCharSize(HFONT font);
// Width and height of length characters of text in the font, as DrawText
// lays them out (line breaks count, '&' is a character).
SIZE GetTextExtent(HFONT font, const char* text, int length);
