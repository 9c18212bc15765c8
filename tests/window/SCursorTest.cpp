// Cursors: the system's, the framework's own pictures, and those made from
// images and device contexts with the special mask colours.
#include <windows.h>

#include <vector>

#include "WindowTesting.h"
#include "files/SFileMem.h"
#include "window/SCursor.h"
#include "window/SImage.h"

namespace {

// The planes and hot spot of a cursor as the system keeps them.
struct CursorBits {
  bool ok = false;
  int width = 0, height = 0;
  POINT hotSpot = {0, 0};
  std::vector<uint8_t> mask;  // the AND plane's rows, then the XOR plane's
  bool hasColor = false;

  explicit CursorBits(HCURSOR cursor) {
    ICONINFO info = {};
    if (!cursor || !GetIconInfo(cursor, &info)) return;
    BITMAP bitmap = {};
    GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
    width = bitmap.bmWidth;
    height = bitmap.bmHeight / 2;
    hotSpot = {LONG(info.xHotspot), LONG(info.yHotspot)};
    mask.resize(size_t(bitmap.bmWidthBytes) * bitmap.bmHeight);
    ok = GetBitmapBits(info.hbmMask, LONG(mask.size()), mask.data()) == LONG(mask.size());
    m_rowBytes = bitmap.bmWidthBytes;
    hasColor = info.hbmColor != nullptr;
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
  bool And(int x, int y) const { return Bit(x, y); }
  bool Xor(int x, int y) const { return Bit(x, y + height); }
  // How many pixels have the AND and XOR bits.
  int Count(bool andBit, bool xorBit) const {
    int n = 0;
    for (int y = 0; y < height; y++)
      for (int x = 0; x < width; x++) n += And(x, y) == andBit && Xor(x, y) == xorBit;
    return n;
  }

 private:
  bool Bit(int x, int y) const { return (mask[size_t(y) * m_rowBytes + x / 8] >> (7 - x % 8)) & 1; }
  int m_rowBytes = 0;
};

bool IsLiveCursor(HCURSOR cursor) {
  ICONINFO info;
  if (!GetIconInfo(cursor, &info)) return false;
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return true;
}

// The special colours along row 0, what they give, and two hot-spot
// pixels further on, the later one in reading order last.
const struct {
  int x;
  COLORREF color;
  bool andBit, xorBit;
} kRow0[] = {
    {0, RGB(255, 0, 255), 1, 0}, {1, RGB(255, 255, 255), 0, 1}, {2, RGB(255, 0, 0), 1, 1},
    {3, RGB(0, 0, 255), 0, 0},   {4, RGB(0, 0, 254), 0, 1},     {5, RGB(0, 0, 253), 1, 0},
    {6, RGB(0, 0, 252), 1, 1},   {7, RGB(12, 34, 56), 0, 0},    {8, RGB(255, 0, 254), 0, 0},
};
const POINT kEarlierHot = {30, 2}, kLastHot = {5, 3};

// The pattern on a canvas of magenta (transparent) through a pixel setter.
template <class SetPixelFn>
void PaintPattern(int width, int height, SetPixelFn set) {
  for (int y = 0; y < height; y++)
    for (int x = 0; x < width; x++) set(x, y, RGB(255, 0, 255));
  for (const auto& p : kRow0) set(p.x, 0, p.color);
  set(kEarlierHot.x, kEarlierHot.y, RGB(0, 0, 255));
  set(kLastHot.x, kLastHot.y, RGB(0, 0, 253));
}

Gdiplus::ARGB Argb(COLORREF c) { return 0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

void PaintImage(SImage& image, bool withHotSpots = true) {
  ASSERT_TRUE(image.Create(32, 4, PixelFormat32bppARGB));
  PaintPattern(32, 4, [&](int x, int y, COLORREF c) {
    if (!withHotSpots && GetRValue(c) == 0 && GetGValue(c) == 0) c = RGB(0, 0, 0);
    image.SetPixel(x, y, Argb(c));
  });
}

void ExpectPattern(const SCursor& cursor) {
  ASSERT_NE(nullptr, cursor.GetHandle());
  EXPECT_FALSE(cursor.IsShared());
  CursorBits bits(cursor.GetHandle());
  ASSERT_TRUE(bits.ok);
  EXPECT_FALSE(bits.hasColor);
  EXPECT_EQ(32, bits.width);
  EXPECT_EQ(4, bits.height);
  for (const auto& p : kRow0) {
    SCOPED_TRACE(p.x);
    EXPECT_EQ(p.andBit, bits.And(p.x, 0));
    EXPECT_EQ(p.xorBit, bits.Xor(p.x, 0));
  }
  EXPECT_TRUE(bits.And(20, 1));  // the transparent canvas
  EXPECT_FALSE(bits.Xor(20, 1));
  EXPECT_EQ(kLastHot.x, bits.hotSpot.x);
  EXPECT_EQ(kLastHot.y, bits.hotSpot.y);
}

class Cursors : public WindowTest {};

TEST_F(Cursors, ImagePixelsGiveTheMasksAndTheLastHotSpot) {
  SImage image;
  PaintImage(image);
  SCursor cursor;
  ASSERT_TRUE(cursor.FromImage(&image));
  ExpectPattern(cursor);

  // BuildCursorMasks itself, on a larger plane.
  uint8_t andPlane[16], xorPlane[16];
  POINT hot = {-1, -1};
  BuildCursorMasks(nullptr, &image, andPlane, xorPlane, &hot, 32, 4);
  EXPECT_EQ(0xA6, andPlane[0]);  // 1 0 1 0 0 1 1 0
  EXPECT_EQ(0x6A, xorPlane[0]);  // 0 1 1 0 1 0 1 0
  EXPECT_EQ(kLastHot.x, hot.x);
  EXPECT_EQ(kLastHot.y, hot.y);
  // Pixels outside a smaller image cannot be read: they are black.
  SImage small(16, 1);
  BuildCursorMasks(nullptr, &small, andPlane, xorPlane, &hot, 32, 1);
  EXPECT_EQ(0, andPlane[2] | andPlane[3] | xorPlane[2] | xorPlane[3]);
}

TEST_F(Cursors, WithoutAHotSpotColourTheHotSpotIsTheCorner) {
  SImage image;
  PaintImage(image, false);
  SCursor cursor;
  ASSERT_TRUE(cursor.FromImage(&image));
  CursorBits bits(cursor.GetHandle());
  ASSERT_TRUE(bits.ok);
  EXPECT_EQ(0, bits.hotSpot.x);
  EXPECT_EQ(0, bits.hotSpot.y);
}

TEST_F(Cursors, DeviceContextPixelsGiveTheSameMasks) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -4, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  PaintPattern(32, 4, [&](int x, int y, COLORREF c) { SetPixel(dc, x, y, c); });
  SCursor cursor;
  ASSERT_TRUE(cursor.FromDC(dc, 32, 4));
  ExpectPattern(cursor);
  EXPECT_FALSE(cursor.FromDC(nullptr, 32, 4));
  EXPECT_FALSE(cursor.FromDC(dc, 24, 4));
  EXPECT_FALSE(cursor.FromDC(dc, 32, 0));
  EXPECT_EQ(nullptr, cursor.GetHandle());  // a failed setting leaves no cursor
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST_F(Cursors, AnImageStreamBecomesACursor) {
  SImage image;
  PaintImage(image);
  SFileMem stream;
  ASSERT_TRUE(image.SaveToStream(&stream, kImagePng, 0));
  stream.Seek(0);
  SCursor cursor;
  ASSERT_TRUE(cursor.LoadFromStream(&stream));
  ExpectPattern(cursor);
  SFileMem notAPicture;
  notAPicture.WriteText("no picture");  // any bytes that do not decode
  notAPicture.Seek(0);
  EXPECT_FALSE(cursor.LoadFromStream(&notAPicture));
  EXPECT_EQ(nullptr, cursor.GetHandle());
}

TEST_F(Cursors, ImagesOfTheWrongSizeAreRefused) {
  SCursor cursor;
  EXPECT_FALSE(cursor.FromImage(nullptr));
  SImage empty;
  EXPECT_FALSE(cursor.FromImage(&empty));
  for (int width : {24, 8, 33}) {
    SImage image(width, 16);
    EXPECT_FALSE(cursor.FromImage(&image)) << width;
  }
  SImage wide(48, 16);
  EXPECT_TRUE(cursor.FromImage(&wide));
  CursorBits bits(cursor.GetHandle());
  EXPECT_EQ(48, bits.width);
}

TEST_F(Cursors, SystemCursorsAreSharedAndSurvive) {
  const char* const system[] = {IDC_ARROW,  IDC_APPSTARTING, IDC_CROSS,    IDC_HAND,   IDC_HELP,
                                IDC_IBEAM,  IDC_NO,          IDC_SIZEALL,  IDC_SIZENESW, IDC_SIZENS,
                                IDC_SIZENWSE, IDC_SIZEWE,    IDC_UPARROW,  IDC_WAIT};
  for (int type = 0; type < 14; type++) {
    SCursor cursor;
    EXPECT_TRUE(cursor.Load(type));
    EXPECT_EQ(LoadCursorA(nullptr, system[type]), cursor.GetHandle()) << type;
    EXPECT_TRUE(cursor.IsShared());
  }
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  for (int type : {99, -1, 21}) {
    SCursor* cursor = new SCursor;
    EXPECT_TRUE(cursor->Load(type));
    EXPECT_EQ(arrow, cursor->GetHandle()) << type;
    EXPECT_TRUE(cursor->IsShared());
    delete cursor;
    EXPECT_TRUE(IsLiveCursor(arrow));
  }
  // A built-in cursor after a system one: the system's stays, the new one
  // is owned and goes with its object.
  HCURSOR beam = LoadCursorA(nullptr, IDC_IBEAM);
  HCURSOR built;
  {
    SCursor cursor;
    cursor.Load(kCursorIBeam);
    EXPECT_TRUE(cursor.Load(kCursorDragCopy));
    built = cursor.GetHandle();
    EXPECT_NE(beam, built);
    EXPECT_FALSE(cursor.IsShared());
    EXPECT_TRUE(IsLiveCursor(beam));
    EXPECT_TRUE(IsLiveCursor(built));
  }
  EXPECT_FALSE(IsLiveCursor(built));
  EXPECT_TRUE(IsLiveCursor(beam));
  SCursor cleared;
  cleared.Load(kCursorPen);
  built = cleared.GetHandle();
  cleared.Clear();
  EXPECT_EQ(nullptr, cleared.GetHandle());
  EXPECT_FALSE(IsLiveCursor(built));
}

TEST_F(Cursors, BuiltInCursorsHaveTheirHotSpots) {
  const struct {
    int type, x, y;
  } cases[] = {{14, 7, 0}, {15, 7, 0}, {16, 9, 22}, {17, 9, 22}, {18, 15, 15}, {19, 11, 22}, {20, 13, 14}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    SCursor cursor;
    ASSERT_TRUE(cursor.Load(c.type));
    CursorBits bits(cursor.GetHandle());
    ASSERT_TRUE(bits.ok);
    EXPECT_EQ(32, bits.width);
    EXPECT_EQ(32, bits.height);
    EXPECT_EQ(c.x, bits.hotSpot.x);
    EXPECT_EQ(c.y, bits.hotSpot.y);
    // Black and white on a transparent ground; only the fill cursor inverts.
    EXPECT_GT(bits.Count(false, false), 20);
    EXPECT_GT(bits.Count(false, true), 10);
    EXPECT_GT(bits.Count(true, false), 32 * 32 / 2);
    EXPECT_EQ(c.type == kCursorFill, bits.Count(true, true) > 0);
    // The hot spot is on the picture, not on the transparent ground.
    EXPECT_FALSE(bits.And(c.x, c.y) && !bits.Xor(c.x, c.y));
  }
}

}  // namespace
