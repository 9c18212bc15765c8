// SImage: the framework's one picture type, a GDI+ bitmap together with a
// name, a back colour, a transparent colour and a draw mode. Windows, labels,
// lists, menus, image lists and the splash screen hold or pass SImages; this
// file gives the value, the ways to fill and save it, the Win32 handles made
// from it, the data it can carry hidden in its pixels, how it is drawn by
// its draw mode, and the operations that change its size and pixels.
//
// GDI+ must have been started (FrameworkInit) before an SImage is used.
//
// The image owns its bitmap, and only ever holds a usable one (a width and a
// height above 0): whatever would leave it with a bitmap that GDI+ refused
// leaves it empty instead. Every operation that reads or changes the picture
// answers false, null or 0 on an empty image and changes nothing; those that
// fill an image work on empty images too.
//
// Colours that are settings (back and transparent colour) are COLORREFs, red
// in the low byte, 0xFF000000 meaning none; pixels are GDI+ ARGB values.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>

#include <cstdint>

#include "core/SString.h"

class SFile;

// How a picture sits in the rectangle it is drawn into; the mode travels with
// the image to every holder that draws it.
enum DrawMode : int32_t {
  DRAW_TOPLEFT = 0,
  DRAW_TOPCENTER = 1,
  DRAW_TOPRIGHT = 2,
  DRAW_MIDDLELEFT = 3,
  DRAW_MIDDLERIGHT = 4,
  DRAW_BOTTOMLEFT = 5,
  DRAW_BOTTOMCENTER = 6,
  DRAW_BOTTOMRIGHT = 7,
  DRAW_CENTER = 8,
  DRAW_STRETCH = 9,
  DRAW_TILE = 10,
  DRAW_FIT = 11,
  DRAW_FITZOOM = 12,
};

// The file types of SImage::SaveToStream; any other value writes a BMP.
enum ImageFileType : int {
  kImageBmp = 0,
  kImageJpeg = 1,
  kImagePng = 2,
  kImageGif = 3,
};

// "No colour" for the back and transparent colours.
const COLORREF kNoImageColor = 0xFF000000;

// Bits per pixel of a GDI+ pixel format (0 for formats the framework does not
// know), and the format the framework uses for a bit count (0 for none).
int PixelFormatBits(Gdiplus::PixelFormat format);
Gdiplus::PixelFormat PixelFormatFromBits(int bits);

// Decodes n bytes from the stream's position (n < 0: all the rest; cut to
// what remains) into a new bitmap that the caller owns; null when nothing is
// left, or the bytes are not a picture GDI+ can decode. The stream moves
// past the bytes taken.
Gdiplus::Bitmap* BitmapFromStream(SFile* stream, int n);

// x held to 0..1 (a NaN gives 0): volumes and levels of the sound layer.
float ClampToUnit(float x);

// The index of the first GDI+ encoder of that MIME type ("image/png"), with
// its class id; -1 when there is none.
int FindImageEncoder(const char* mimeType, CLSID& clsid);

// Where modes DRAW_TOPLEFT .. DRAW_CENTER put the source (its size) in the
// destination, cut to the destination: the placed rectangle, and the part of
// the source that shows there, of the same size. Other modes place at 0,0.
void AlignImageRect(int mode, const Gdiplus::Rect& dest, const Gdiplus::Rect& source, Gdiplus::Rect& placed,
                    Gdiplus::Rect& placedSource);

// The region of every pixel of the bitmap whose colour is not the key; an
// empty region when all of them are. Null when the bitmap cannot be read.
HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF key);

class SImage;

// One that draws into an image's bitmap without owning it (a painting
// context) learns here that the bitmap is about to be replaced or deleted,
// and must stop using it. Each user is with one image at a time.
class SImageBitmapUser {
 public:
  virtual void OnBitmapGoing(SImage* image) = 0;

 protected:
  ~SImageBitmapUser() = default;

 private:
  friend class SImage;
  SImageBitmapUser* m_nextUser = nullptr;
};

class SImage {
 public:
  SImage();
  // An image holding a blank 32-bit ARGB bitmap of that size.
  SImage(int width, int height);
  virtual ~SImage();

  SImage(const SImage&) = delete;
  SImage& operator=(const SImage&) = delete;

  // ---- State -------------------------------------------------------------------

  // Replaces the bitmap by a blank one; false (and the image empty) when GDI+
  // refuses the size or format.
  bool Create(int width, int height, Gdiplus::PixelFormat format);
  void Clear();
  bool IsLoaded() const { return m_bitmap != nullptr; }
  // The bitmap itself, for the holders that draw it; null when empty.
  Gdiplus::Bitmap* GetBitmap() const { return m_bitmap; }
  // The user is told (once, and forgotten) before the present bitmap goes.
  void AddBitmapUser(SImageBitmapUser* user);
  void RemoveBitmapUser(SImageBitmapUser* user);

  int GetWidth() const;
  int GetHeight() const;
  Gdiplus::PixelFormat GetPixelFormat() const;
  int GetBitsPerPixel() const { return PixelFormatBits(GetPixelFormat()); }

  bool GetPixel(int x, int y, Gdiplus::ARGB& colour) const;
  Gdiplus::Status SetPixel(int x, int y, Gdiplus::ARGB colour);

  void SetBackColor(COLORREF colour) { m_backColor = colour; }
  COLORREF GetBackColor() const { return m_backColor; }
  void SetTransparentColor(COLORREF colour) { m_transparentColor = colour; }
  COLORREF GetTransparentColor() const { return m_transparentColor; }
  int GetDrawMode() const { return m_drawMode; }

  // Kept for the holders (the file a picture came from, a value of their
  // own); the image itself never looks at them.
  const SString& GetName() const { return m_name; }
  void SetName(const SString& name) { m_name = name; }
  uint32_t GetUserValue() const { return m_userValue; }
  void SetUserValue(uint32_t value) { m_userValue = value; }

  // The bitmap becomes a copy of the source's, in its pixel format (empty
  // when the source is). Name, colours and draw mode stay.
  SImage& AssignBitmap(const SImage& source);
  // The same from a GDI+ bitmap that the caller keeps (null empties).
  SImage& AssignBitmap(Gdiplus::Bitmap* source);

  // ---- Filling -----------------------------------------------------------------
  // Each answers whether the image holds a bitmap afterwards; a missing
  // argument answers false and leaves the image as it was.

  // BitmapFromStream (stream, n).
  bool LoadFromStream(SFile* stream, int n);
  // A 24-bit bitmap is taken as it is; any other is read as 32-bit ARGB,
  // its fourth bytes as alpha, unless all of those are 0: a plain bitmap
  // that never had alpha, which is then opaque.
  bool FromBitmapHandle(HBITMAP bitmap);
  // A copy of that area of the device (null: the screen).
  bool CaptureFromDC(HDC dc, int x, int y, int width, int height);
  // The rectangle of the screen, or the whole primary screen.
  bool CaptureScreen(const RECT* rect);
  // Image index of the list, or its whole strip for index -1.
  bool FromImageList(int index, HIMAGELIST list);
  // A 32-bit ARGB picture of width x height pixels, row by row; drawn
  // centred and without back colour.
  bool FromPixels(int width, int height, const Gdiplus::ARGB* pixels);
  // A copy of the source's rectangle, in its pixel format; a negative width
  // or height takes the source's own. False when the source is missing or
  // empty (this image is then unchanged) or the rectangle does not fit it.
  bool CopyFrom(const SImage* source, int x, int y, int width, int height);
  bool CopyFrom(int x, int y, int width, int height, const SImage* source) {
    return CopyFrom(source, x, y, width, height);
  }
  // A copy of the whole bitmap in another format, owned by the caller; null
  // when empty or GDI+ cannot convert.
  Gdiplus::Bitmap* CloneWithFormat(Gdiplus::PixelFormat format) const;

  // ---- Saving ------------------------------------------------------------------

  // Encodes the picture as an ImageFileType and writes it at the stream's
  // position. A colour depth other than 0 is handed to the encoder.
  bool SaveToStream(SFile* stream, int type, int colourDepth) const;

  // ---- Drawing (SImageDraw.cpp) --------------------------------------------------

  // Stores the mode (one outside DRAW_TOPLEFT .. DRAW_FITZOOM as
  // DRAW_TOPLEFT) and answers the previous one.
  int SetDrawMode(int mode);
  // Draws the source rectangle (null: the whole image) into the destination
  // (null: the image's size at 0,0) by the draw mode, leaving out the
  // transparent colour's pixels, and showing the back colour where the
  // picture leaves the destination uncovered. Failures leave the
  // destination as it was.
  void Draw(Gdiplus::Graphics* graphics, const Gdiplus::Rect* source, const Gdiplus::Rect* dest);
  // Draw into (x, y, width, height); a width or height of -1 is the image's.
  void DrawAt(Gdiplus::Graphics* graphics, int x, int y, int width, int height, const Gdiplus::Rect* source);

  // ---- Size, depth and orientation (SImageTransform.cpp) -------------------------
  // Each answers false, keeping the picture, when the image is empty or the
  // new bitmap cannot be made or drawn into.

  // The picture scaled to the new size (negative sizes count as 0); false
  // for the present size and for a size of 0.
  bool Resize(int width, int height);
  // The picture unscaled, centred in the new size (cropped when larger); the
  // border is blank, or the back colour when one is set.
  bool ResizeCanvas(int width, int height);
  // To 1, 4, 8, 16, 24 or 32 bits per pixel, other than the present depth.
  bool ConvertBits(int bits);
  // Clockwise by quarter turns (mod 4); false for a negative count.
  bool Rotate(int quarterTurns);
  void Flip(bool horizontal, bool vertical);
  // Every palette entry gets the alpha, keeping its colour.
  bool SetPaletteAlpha(BYTE alpha);
  // The whole bitmap in an opaque colour.
  void Fill(COLORREF colour);
  // The rectangle (null: the whole bitmap) in an ARGB colour.
  void FillRect(Gdiplus::ARGB colour, const Gdiplus::Rect* rect);

  // ---- Pixel operations (SImagePixelOps.cpp) --------------------------------------
  // On the rectangle (null: the whole image) of a 24- or 32-bit image, every
  // pixel but those of the key colour (a COLORREF; 0xFF000000 matches none).
  // False for other depths and when the rectangle is not inside the image.

  // Each pixel becomes the grey of its luma (ColorToGrey).
  bool Desaturate(const Gdiplus::Rect* rect, COLORREF key);
  // AdjustColor of each pixel.
  bool AdjustColors(double brightness, double contrast, COLORREF key, const Gdiplus::Rect* rect);
  // 32-bit images only: the alpha of each pixel of the rectangle; with
  // onlyLower only where that lowers it.
  bool SetAlpha(const Gdiplus::Rect* rect, BYTE alpha, bool onlyLower);

  // ---- Win32 handles (the caller owns them) ------------------------------------

  // A 32-bit bitmap, drawn on opaque black.
  HBITMAP GetBitmapHandle() const;
  // The same, from the picture reduced to 16 bits per pixel.
  HBITMAP GetBitmapHandle16() const;
  // A 32-bit bitmap whose fourth bytes are the alpha.
  HBITMAP GetBitmapHandle32() const;
  // For pictures of 32 bits per pixel or more: a monochrome bitmap, white
  // where the alpha is 128 or less.
  HBITMAP CreateMaskBitmap() const;
  HICON CreateIcon() const;
  // The region of the pixels that do not have the key's colour.
  HRGN CreateRegion(Gdiplus::ARGB key) const;

  // ---- Data hidden in the pixels -----------------------------------------------

  // Stores the rest of the stream in the low bits of the pixels; the picture
  // becomes a 24-bit one, rescaled to just hold it.
  bool EmbedData(SFile* stream);
  // Writes what EmbedData stored to the stream; false, writing nothing, when
  // the stored length is more than the pixels can hold.
  bool ExtractData(SFile* stream) const;

 private:
  // Installs a new bitmap, or none: the old one is deleted, and a bitmap
  // that GDI+ could not make is deleted too.
  void SetBitmap(Gdiplus::Bitmap* bitmap);
  // Tells every user that the bitmap goes, and forgets them.
  void ReleaseBitmapUsers();
  // Draw by an explicit mode, answering whether the picture was drawn.
  bool DrawWithMode(Gdiplus::Graphics* graphics, int mode, const Gdiplus::Rect* source, const Gdiplus::Rect* dest);
  // A blank bitmap of the size and format with the picture drawn into it by
  // the mode; null when either step fails.
  Gdiplus::Bitmap* Redrawn(int width, int height, Gdiplus::PixelFormat format, int mode);
  // Replaces the picture by itself redrawn at another size (negative sizes
  // count as 0); false, keeping it, for the present size or a failure.
  bool RedrawAtSize(int width, int height, int mode);

  uint32_t m_userValue;
  SString m_name;
  Gdiplus::Bitmap* m_bitmap;    // owned; null when empty
  COLORREF m_backColor;         // 0xFF000000 and 0xFF000001: none
  COLORREF m_transparentColor;  // 0xFF000000: none
  int32_t m_drawMode;           // DrawMode
  SImageBitmapUser* m_bitmapUsers;  // not owned
};
