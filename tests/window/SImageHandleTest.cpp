// SImage and Win32 handles: bitmaps in and out, masks, icons, regions, image
// lists and device captures.
#include "tests/window/SImageTesting.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

namespace {

using ImageHandle = ImageTest;

// The pixels of any bitmap as 32-bit top-down words (0xXXRRGGBB, the fourth
// byte on top).
std::vector<uint32_t> ReadBitmap(HBITMAP bitmap, int& width, int& height) {
  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  width = info.bmWidth;
  height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(size_t(width) * height);
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, bitmap, 0, UINT(height), pixels.data(), &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(height, rows);
  return pixels;
}

// A device pixel as 0xRRGGBB, the layout of an ARGB value's colour.
Gdiplus::ARGB RgbAt(HDC dc, int x, int y) {
  COLORREF c = GetPixel(dc, x, y);
  return Gdiplus::ARGB(GetRValue(c)) << 16 | Gdiplus::ARGB(GetGValue(c)) << 8 | GetBValue(c);
}

TEST_F(ImageHandle, BitmapHandleIsThePictureOnBlack) {
  SImage picture;
  FillPattern(picture, 5, 3);
  ASSERT_EQ(Gdiplus::Ok, picture.SetPixel(4, 2, 0x00FFFFFF));  // fully transparent
  HBITMAP handle = picture.GetBitmapHandle();
  ASSERT_NE(nullptr, handle);
  int w, h;
  std::vector<uint32_t> pixels = ReadBitmap(handle, w, h);
  DeleteObject(handle);
  ASSERT_EQ(5, w);
  ASSERT_EQ(3, h);
  EXPECT_EQ(PatternPixel(1, 2) & 0xFFFFFF, pixels[2 * 5 + 1] & 0xFFFFFF);
  EXPECT_EQ(0u, pixels[2 * 5 + 4] & 0xFFFFFF);
}

TEST_F(ImageHandle, TwentyFourBitHandlesStayTwentyFourBit) {
  DibSection dib(3, 2, 24);
  ASSERT_NE(nullptr, dib.handle);
  dib.Set(0, 0, 0x11, 0x22, 0x33);
  dib.Set(2, 1, 0xAA, 0xBB, 0xCC);
  SImage image;
  ASSERT_TRUE(image.FromBitmapHandle(dib.handle));
  EXPECT_EQ(PixelFormat24bppRGB, image.GetPixelFormat());
  EXPECT_EQ(0xFF112233u, PixelAt(image, 0, 0));
  EXPECT_EQ(0xFFAABBCCu, PixelAt(image, 2, 1));
}

TEST_F(ImageHandle, ThirtyTwoBitHandlesTakeTheirFourthBytesAsAlpha) {
  DibSection dib(2, 2, 32);
  ASSERT_NE(nullptr, dib.handle);
  dib.Set(0, 0, 0x10, 0x20, 0x30, 0xFF);
  dib.Set(1, 0, 0x40, 0x50, 0x60, 0x80);
  dib.Set(0, 1, 0x00, 0x00, 0x00, 0x00);
  dib.Set(1, 1, 0x70, 0x80, 0x90, 0x01);
  SImage image;
  ASSERT_TRUE(image.FromBitmapHandle(dib.handle));
  EXPECT_EQ(PixelFormat32bppARGB, image.GetPixelFormat());
  EXPECT_EQ(0xFF102030u, PixelAt(image, 0, 0));
  EXPECT_EQ(0x80405060u, PixelAt(image, 1, 0));
  EXPECT_EQ(0x00000000u, PixelAt(image, 0, 1));
  EXPECT_EQ(0x01708090u, PixelAt(image, 1, 1));
}

// A bitmap drawn by GDI has 0 in every fourth byte; taken as alpha, that
// would make the whole picture invisible.
TEST_F(ImageHandle, PlainBitmapsWithoutAlphaStayOpaque) {
  HDC screen = GetDC(nullptr);
  HBITMAP plain = CreateCompatibleBitmap(screen, 4, 3);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, plain);
  RECT all = {0, 0, 4, 3};
  HBRUSH red = CreateSolidBrush(RGB(200, 10, 20));
  FillRect(dc, &all, red);
  DeleteObject(red);
  SetPixelV(dc, 3, 2, RGB(1, 2, 3));
  SelectObject(dc, old);
  DeleteDC(dc);

  SImage image;
  ASSERT_TRUE(image.FromBitmapHandle(plain));
  EXPECT_EQ(32, image.GetBitsPerPixel());
  EXPECT_EQ(0xFFC80A14u, PixelAt(image, 0, 0));
  EXPECT_EQ(0xFF010203u, PixelAt(image, 3, 2));
  DeleteObject(plain);

  // The same for a 32-bit DIB whose fourth bytes were never set.
  DibSection dib(2, 1, 32);
  dib.Set(0, 0, 0x12, 0x34, 0x56);
  dib.Set(1, 0, 0x00, 0x00, 0x00);
  ASSERT_TRUE(image.FromBitmapHandle(dib.handle));
  EXPECT_EQ(0xFF123456u, PixelAt(image, 0, 0));
  EXPECT_EQ(0xFF000000u, PixelAt(image, 1, 0));
}

TEST_F(ImageHandle, BadHandles) {
  SImage image;
  FillPattern(image, 2, 2);
  EXPECT_FALSE(image.FromBitmapHandle(nullptr));
  ExpectPattern(image, 2, 2);  // nothing given: nothing changed
  HBITMAP gone = CreateBitmap(2, 2, 1, 32, nullptr);
  DeleteObject(gone);
  EXPECT_FALSE(image.FromBitmapHandle(gone));
  EXPECT_FALSE(image.IsLoaded());
}

TEST_F(ImageHandle, AlphaHandleRoundTrips) {
  const Gdiplus::ARGB pixels[] = {0xFF102030, 0x80405060, 0x00000000, 0x7F010203, 0xFFFFFFFF, 0x01020304};
  SImage picture;
  ASSERT_TRUE(picture.FromPixels(3, 2, pixels));
  HBITMAP handle = picture.GetBitmapHandle32();
  ASSERT_NE(nullptr, handle);
  BITMAP info;
  ASSERT_TRUE(GetObjectA(handle, sizeof info, &info));
  EXPECT_EQ(32, info.bmBitsPixel);
  SImage back;
  ASSERT_TRUE(back.FromBitmapHandle(handle));
  DeleteObject(handle);
  for (int i = 0; i < 6; i++) EXPECT_EQ(pixels[i], PixelAt(back, i % 3, i / 3)) << i;

  // A picture without alpha comes out opaque.
  SImage rgb;
  FillPattern(rgb, 3, 2, PixelFormat24bppRGB);
  handle = rgb.GetBitmapHandle32();
  ASSERT_NE(nullptr, handle);
  ASSERT_TRUE(back.FromBitmapHandle(handle));
  DeleteObject(handle);
  ExpectPattern(back, 3, 2);
}

TEST_F(ImageHandle, SixteenBitHandleKeepsSizeAndColoursRoughly) {
  for (Gdiplus::PixelFormat format : {PixelFormat32bppARGB, PixelFormat16bppRGB565}) {
    SImage picture;
    FillPattern(picture, 6, 4, format);
    HBITMAP handle = picture.GetBitmapHandle16();
    ASSERT_NE(nullptr, handle);
    SImage back;
    ASSERT_TRUE(back.FromBitmapHandle(handle));
    DeleteObject(handle);
    ExpectPattern(back, 6, 4, 8);  // five or six bits a channel
  }
}

TEST_F(ImageHandle, MaskIsWhiteWhereAlphaIsAtMost128) {
  const Gdiplus::ARGB pixels[] = {0xFF000000, 0x81FFFFFF, 0x80000000, 0x00FFFFFF, 0x01000000, 0xFFFFFFFF};
  SImage picture;
  ASSERT_TRUE(picture.FromPixels(6, 1, pixels));
  HBITMAP mask = picture.CreateMaskBitmap();
  ASSERT_NE(nullptr, mask);
  BITMAP info;
  ASSERT_TRUE(GetObjectA(mask, sizeof info, &info));
  EXPECT_EQ(1, info.bmBitsPixel);
  EXPECT_EQ(6, info.bmWidth);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mask);
  const COLORREF expected[] = {0, 0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0};
  for (int x = 0; x < 6; x++) EXPECT_EQ(expected[x], GetPixel(dc, x, 0)) << x;
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(mask);

  SImage rgb;
  FillPattern(rgb, 2, 2, PixelFormat24bppRGB);
  EXPECT_EQ(nullptr, rgb.CreateMaskBitmap());
}

TEST_F(ImageHandle, IconShowsThePicture) {
  SImage picture;
  FillPattern(picture, 16, 16);
  HICON icon = picture.CreateIcon();
  ASSERT_NE(nullptr, icon);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  EXPECT_TRUE(info.fIcon);
  BITMAP colour;
  ASSERT_TRUE(GetObjectA(info.hbmColor, sizeof colour, &colour));
  EXPECT_EQ(16, colour.bmWidth);
  EXPECT_EQ(16, colour.bmHeight);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  // Drawn over white, the opaque picture is what shows.
  DibSection target(16, 16, 32);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, target.handle);
  RECT all = {0, 0, 16, 16};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_TRUE(DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL));
  for (auto [x, y] : {std::pair{3, 5}, std::pair{12, 2}, std::pair{15, 15}})
    EXPECT_EQ(PatternPixel(x, y) & 0xFFFFFF, RgbAt(dc, x, y)) << x << "," << y;
  SelectObject(dc, old);
  DeleteDC(dc);
  DestroyIcon(icon);
}

TEST_F(ImageHandle, RegionLeavesOutTheKeyColour) {
  const Gdiplus::ARGB K = 0xFFFF00FF, P = 0xFF123456;
  const Gdiplus::ARGB pixels[] = {
      K, P, P, K,  //
      P, K, K, P,  //
      K, K, K, K,  //
  };
  SImage picture;
  ASSERT_TRUE(picture.FromPixels(4, 3, pixels));
  HRGN region = picture.CreateRegion(K);
  ASSERT_NE(nullptr, region);
  for (int i = 0; i < 12; i++)
    EXPECT_EQ(pixels[i] != K, bool(PtInRegion(region, i % 4, i / 4))) << i;
  RECT box;
  EXPECT_EQ(COMPLEXREGION, GetRgnBox(region, &box));
  EXPECT_EQ(0, box.left);
  EXPECT_EQ(0, box.top);
  EXPECT_EQ(4, box.right);
  EXPECT_EQ(2, box.bottom);
  DeleteObject(region);

  // All of the key colour: an empty region, not none.
  SImage key;
  const Gdiplus::ARGB keys[] = {K, K, K, K};
  ASSERT_TRUE(key.FromPixels(2, 2, keys));
  region = key.CreateRegion(K);
  ASSERT_NE(nullptr, region);
  EXPECT_EQ(NULLREGION, GetRgnBox(region, &box));
  DeleteObject(region);

  EXPECT_EQ(nullptr, RegionFromBitmap(nullptr, 0));
}

// The rectangles are turned into regions 2000 at a time; the result must be
// the region built in one go.
TEST_F(ImageHandle, RegionOfManyRunsEqualsOneBuiltAtOnce) {
  const int width = 80, height = 60;  // 40 runs a row: 2400 in all
  DibSection dib(width, height, 32);
  ASSERT_NE(nullptr, dib.handle);
  std::vector<RECT> runs;
  for (int y = 0; y < height; y++)
    for (int x = 0; x < width; x++) {
      bool key = (x + y) % 2 == 0;
      dib.Set(x, y, key ? 0xFF : 0x10, 0x00, key ? 0xFF : 0x20);
      if (!key) runs.push_back(RECT{x, y, x + 1, y + 1});
    }
  HRGN region = RegionFromBitmap(dib.handle, RGB(0xFF, 0x00, 0xFF));
  ASSERT_NE(nullptr, region);

  std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
  rgn->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, DWORD(runs.size()), 0, RECT{0, 0, width, height}};
  std::memcpy(rgn->Buffer, runs.data(), runs.size() * sizeof(RECT));
  HRGN once = ExtCreateRegion(nullptr, DWORD(data.size()), rgn);
  ASSERT_NE(nullptr, once);
  EXPECT_TRUE(EqualRgn(region, once));
  DeleteObject(once);
  DeleteObject(region);
}

TEST_F(ImageHandle, ImagesComeOutOfImageLists) {
  HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR32, 3, 0);
  ASSERT_NE(nullptr, list);
  for (int i = 0; i < 3; i++) {
    DibSection tile(4, 4, 32);
    for (int y = 0; y < 4; y++)
      for (int x = 0; x < 4; x++) tile.Set(x, y, BYTE(i * 80), BYTE(x * 60), BYTE(y * 60), 0xFF);
    ASSERT_EQ(i, ImageList_Add(list, tile.handle, nullptr));
  }

  SImage image;
  ASSERT_TRUE(image.FromImageList(1, list));
  ASSERT_EQ(4, image.GetWidth());
  ASSERT_EQ(4, image.GetHeight());
  EXPECT_EQ(0xFF50B4B4u, PixelAt(image, 3, 3));
  EXPECT_EQ(0xFF500000u, PixelAt(image, 0, 0));

  // Index -1: the list's whole strip.
  IMAGEINFO info;
  ASSERT_TRUE(ImageList_GetImageInfo(list, 0, &info));
  BITMAP strip;
  ASSERT_TRUE(GetObjectA(info.hbmImage, sizeof strip, &strip));
  ASSERT_TRUE(image.FromImageList(-1, list));
  EXPECT_EQ(strip.bmWidth, image.GetWidth());
  EXPECT_GE(image.GetWidth() * image.GetHeight(), 3 * 16);

  for (int bad : {3, -2}) {
    FillPattern(image, 2, 2);
    EXPECT_FALSE(image.FromImageList(bad, list)) << bad;
    ExpectPattern(image, 2, 2);
  }
  EXPECT_FALSE(image.FromImageList(0, nullptr));
  ImageList_Destroy(list);

  HIMAGELIST none = ImageList_Create(4, 4, ILC_COLOR32, 1, 0);
  EXPECT_FALSE(image.FromImageList(-1, none));
  ImageList_Destroy(none);
}

TEST_F(ImageHandle, CapturesCopyADeviceArea) {
  DibSection source(6, 5, 32);
  for (int y = 0; y < 5; y++)
    for (int x = 0; x < 6; x++) source.Set(x, y, BYTE(x * 40), BYTE(y * 50), 0x77);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, source.handle);
  SImage image;
  ASSERT_TRUE(image.CaptureFromDC(dc, 2, 1, 3, 4));
  SelectObject(dc, old);
  DeleteDC(dc);
  ASSERT_EQ(3, image.GetWidth());
  ASSERT_EQ(4, image.GetHeight());
  for (int y = 0; y < 4; y++)
    for (int x = 0; x < 3; x++)
      EXPECT_EQ(Gdiplus::Color::MakeARGB(255, BYTE((x + 2) * 40), BYTE((y + 1) * 50), 0x77), PixelAt(image, x, y))
          << x << "," << y;

  // Screen rectangles may be given either way round.
  RECT backwards = {30, 20, 10, 12};
  ASSERT_TRUE(image.CaptureScreen(&backwards));
  EXPECT_EQ(20, image.GetWidth());
  EXPECT_EQ(8, image.GetHeight());
  ASSERT_TRUE(image.CaptureScreen(nullptr));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), image.GetWidth());
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), image.GetHeight());
  EXPECT_FALSE(image.CaptureFromDC(nullptr, 0, 0, 0, 0));
  EXPECT_FALSE(image.IsLoaded());
}

}  // namespace
