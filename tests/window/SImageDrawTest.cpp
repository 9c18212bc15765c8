// SImage::Draw in every draw mode, read back by pixels from a canvas image.
#include <vector>

#include "tests/window/SImageTesting.h"
#include "window/SImagePixels.h"

namespace {

using ImageDraw = ImageTest;

const Gdiplus::ARGB kMarker = 0xFF102030;  // the canvas before drawing
const COLORREF kBack = 0x00336699;          // back colour as a COLORREF
const Gdiplus::ARGB kBackArgb = 0xFF996633;

// A picture whose pixels tell where they came from: red x, green y.
Gdiplus::ARGB SourcePixel(int x, int y) { return Gdiplus::Color::MakeARGB(255, BYTE(x), BYTE(y), 200); }

void FillCoordinates(SImage& image, int width, int height) {
  ASSERT_TRUE(image.Create(width, height, PixelFormat32bppARGB));
  SImagePixels pixels(image.GetBitmap(), Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB);
  ASSERT_TRUE(pixels.IsLocked());
  for (int y = 0; y < height; y++)
    for (int x = 0; x < width; x++) reinterpret_cast<Gdiplus::ARGB*>(pixels.Row(y))[x] = SourcePixel(x, y);
}

// A canvas of the marker colour, its pixels read back after drawing.
struct Canvas {
  SImage image;
  Canvas(int width, int height) : image(width, height) { image.FillRect(kMarker, nullptr); }

  // Draws with nearest-neighbour scaling, so that scaled pixels stay exact.
  void Draw(SImage& picture, const Gdiplus::Rect* source, const Gdiplus::Rect* dest) {
    Gdiplus::Graphics graphics(image.GetBitmap());
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    picture.Draw(&graphics, source, dest);
  }

  std::vector<Gdiplus::ARGB> Pixels() {
    std::vector<Gdiplus::ARGB> all;
    SImagePixels pixels(image.GetBitmap(), Gdiplus::ImageLockModeRead, PixelFormat32bppARGB);
    EXPECT_TRUE(pixels.IsLocked());
    for (int y = 0; pixels.IsLocked() && y < pixels.GetHeight(); y++)
      for (int x = 0; x < pixels.GetWidth(); x++) all.push_back(reinterpret_cast<Gdiplus::ARGB*>(pixels.Row(y))[x]);
    return all;
  }

  // Every pixel: inside the placed rectangle the source pixel (sx, sy) at
  // its top-left, the outside colour elsewhere. Scaled by a factor, only
  // the centre of each scaled pixel is compared inside, as the edges of the
  // blocks depend on how GDI+ samples.
  void Expect(const Gdiplus::Rect& placed, int sx, int sy, Gdiplus::ARGB outside, int scale = 1) {
    std::vector<Gdiplus::ARGB> all = Pixels();
    int width = image.GetWidth(), wrong = 0;
    for (int i = 0; i < int(all.size()); i++) {
      int x = i % width, y = i / width, dx = x - placed.X, dy = y - placed.Y;
      bool inside = placed.Contains(x, y);
      if (inside && (dx % scale != scale / 2 || dy % scale != scale / 2)) continue;
      Gdiplus::ARGB want = inside ? SourcePixel(sx + dx / scale, sy + dy / scale) : outside;
      if (all[i] != want && ++wrong <= 3)
        ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << all[i] << ", not " << want;
    }
    EXPECT_EQ(0, wrong);
  }
};

// Draws the whole picture into dest on a fresh canvas of width x height and
// checks every pixel as Canvas::Expect does.
void ExpectDrawn(SImage& picture, int width, int height, const Gdiplus::Rect& dest, const Gdiplus::Rect& placed,
                 int sx, int sy, Gdiplus::ARGB outside, int scale = 1) {
  Canvas canvas(width, height);
  canvas.Draw(picture, nullptr, &dest);
  canvas.Expect(placed, sx, sy, outside, scale);
}

TEST_F(ImageDraw, SetDrawModeKeepsOnlyKnownModes) {
  SImage image;
  EXPECT_EQ(DRAW_TOPLEFT, image.SetDrawMode(DRAW_FITZOOM));
  EXPECT_EQ(DRAW_FITZOOM, image.SetDrawMode(13));
  EXPECT_EQ(DRAW_TOPLEFT, image.GetDrawMode());
  image.SetDrawMode(-1);
  EXPECT_EQ(DRAW_TOPLEFT, image.GetDrawMode());
}

TEST_F(ImageDraw, AlignedModesPlaceTheUnscaledPicture) {
  SImage picture;
  FillCoordinates(picture, 30, 20);
  // Destination (10, 10, 80, 60): right 90, bottom 70; centre 35, middle 30.
  const struct {
    int mode, x, y;
  } cases[] = {
      {DRAW_TOPLEFT, 10, 10},    {DRAW_TOPCENTER, 35, 10},    {DRAW_TOPRIGHT, 60, 10},
      {DRAW_MIDDLELEFT, 10, 30}, {DRAW_MIDDLERIGHT, 60, 30},  {DRAW_BOTTOMLEFT, 10, 50},
      {DRAW_BOTTOMCENTER, 35, 50}, {DRAW_BOTTOMRIGHT, 60, 50}, {DRAW_CENTER, 35, 30},
  };
  Gdiplus::Rect dest(10, 10, 80, 60);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    picture.SetDrawMode(c.mode);
    ExpectDrawn(picture, 100, 80, dest, Gdiplus::Rect(c.x, c.y, 30, 20), 0, 0, kMarker);
  }
}

TEST_F(ImageDraw, CentreClipsToTheDestinationAndShowsTheBackColourAround) {
  SImage picture;
  FillCoordinates(picture, 100, 50);
  picture.SetDrawMode(DRAW_CENTER);

  Gdiplus::Rect placed, part;
  AlignImageRect(DRAW_CENTER, Gdiplus::Rect(0, 0, 40, 40), Gdiplus::Rect(0, 0, 100, 50), placed, part);
  EXPECT_TRUE(placed.Equals(Gdiplus::Rect(0, 0, 40, 40)));
  EXPECT_TRUE(part.Equals(Gdiplus::Rect(30, 5, 40, 40)));

  Canvas small(40, 40);
  Gdiplus::Rect into(0, 0, 40, 40);
  small.Draw(picture, nullptr, &into);
  small.Expect(into, 30, 5, kMarker);

  // Larger than the picture: at (50, 75), the rest without back colour left
  // as it was, with one in the back colour.
  Gdiplus::Rect big(0, 0, 200, 200);
  ExpectDrawn(picture, 200, 200, big, Gdiplus::Rect(50, 75, 100, 50), 0, 0, kMarker);
  picture.SetBackColor(kBack);
  ExpectDrawn(picture, 200, 200, big, Gdiplus::Rect(50, 75, 100, 50), 0, 0, kBackArgb);
  // "The parent paints" is no back colour either.
  picture.SetBackColor(0xFF000001);
  ExpectDrawn(picture, 200, 200, big, Gdiplus::Rect(50, 75, 100, 50), 0, 0, kMarker);
}

TEST_F(ImageDraw, SourceRectangleAndDefaults) {
  SImage picture;
  FillCoordinates(picture, 30, 20);
  // No destination: the image's own size at 0,0.
  Canvas whole(40, 30);
  whole.Draw(picture, nullptr, nullptr);
  whole.Expect(Gdiplus::Rect(0, 0, 30, 20), 0, 0, kMarker);

  // A part of the source, bottom-right aligned and clipped on the left.
  picture.SetDrawMode(DRAW_BOTTOMRIGHT);
  Gdiplus::Rect source(5, 4, 20, 10), dest(2, 3, 15, 12);
  Canvas part(20, 20);
  part.Draw(picture, &source, &dest);
  part.Expect(Gdiplus::Rect(2, 5, 15, 10), 10, 4, kMarker);

  // DrawAt: -1 takes the image's own width and height.
  picture.SetDrawMode(DRAW_TOPLEFT);
  Canvas at(40, 30);
  {
    Gdiplus::Graphics graphics(at.image.GetBitmap());
    picture.DrawAt(&graphics, 5, 6, -1, -1, nullptr);
  }
  at.Expect(Gdiplus::Rect(5, 6, 30, 20), 0, 0, kMarker);

  // A picture placed wholly outside its destination draws nothing, and an
  // empty image draws nothing.
  Canvas none(20, 20);
  Gdiplus::Rect target(0, 0, 10, 10), outside(40, 40, 10, 10);
  none.Draw(picture, &outside, &target);
  SImage empty;
  none.Draw(empty, nullptr, &target);
  none.Expect(Gdiplus::Rect(0, 0, 0, 0), 0, 0, kMarker);
}

TEST_F(ImageDraw, TransparentColourHidesExactlyItsPixels) {
  SImage picture;
  FillCoordinates(picture, 6, 4);
  // A COLORREF (red low) naming the pixel (3, 2): red 3, green 2, blue 200.
  picture.SetTransparentColor(RGB(3, 2, 200));
  Canvas canvas(6, 4);
  canvas.Draw(picture, nullptr, nullptr);
  std::vector<Gdiplus::ARGB> all = canvas.Pixels();
  for (int y = 0; y < 4; y++)
    for (int x = 0; x < 6; x++)
      EXPECT_EQ(x == 3 && y == 2 ? kMarker : SourcePixel(x, y), all[y * 6 + x]) << x << "," << y;

  // 0xFF000000 is no key: black pixels are drawn too.
  SImage black(2, 2);
  black.FillRect(0xFF000000, nullptr);
  black.SetTransparentColor(kNoImageColor);
  Canvas drawn(2, 2);
  drawn.Draw(black, nullptr, nullptr);
  for (Gdiplus::ARGB p : drawn.Pixels()) EXPECT_EQ(0xFF000000u, p);
}

TEST_F(ImageDraw, StretchFitAndFitZoom) {
  SImage picture;
  FillCoordinates(picture, 10, 10);
  picture.SetBackColor(kBack);

  picture.SetDrawMode(DRAW_STRETCH);  // covers everything: no back colour
  Canvas stretched(40, 20);
  Gdiplus::Rect all(0, 0, 40, 20);
  stretched.Draw(picture, nullptr, &all);
  std::vector<Gdiplus::ARGB> pixels = stretched.Pixels();
  for (int y = 0; y < 10; y++)
    for (int x = 0; x < 10; x++) EXPECT_EQ(SourcePixel(x, y), pixels[(2 * y + 1) * 40 + 4 * x + 2]) << x << "," << y;

  // Fit never enlarges: 10 x 10 centred in 100 x 50.
  picture.SetDrawMode(DRAW_FIT);
  Gdiplus::Rect wide(0, 0, 100, 50);
  ExpectDrawn(picture, 100, 50, wide, Gdiplus::Rect(45, 20, 10, 10), 0, 0, kBackArgb);

  // Fit & zoom fills the height: 50 x 50 centred.
  picture.SetDrawMode(DRAW_FITZOOM);
  ExpectDrawn(picture, 100, 50, wide, Gdiplus::Rect(25, 0, 50, 50), 0, 0, kBackArgb, 5);
}

TEST_F(ImageDraw, TileRepeatsTheSourcePartFromTheCorner) {
  SImage picture;
  FillCoordinates(picture, 10, 10);
  picture.SetDrawMode(DRAW_TILE);
  picture.SetBackColor(kBack);  // the tiles cover the destination
  Gdiplus::Rect source(2, 3, 4, 3), dest(5, 4, 18, 11);
  Canvas canvas(30, 20);
  canvas.Draw(picture, &source, &dest);
  std::vector<Gdiplus::ARGB> all = canvas.Pixels();
  int wrong = 0;
  for (int y = 0; y < 20; y++)
    for (int x = 0; x < 30; x++) {
      Gdiplus::ARGB want = dest.Contains(x, y) ? SourcePixel(2 + (x - 5) % 4, 3 + (y - 4) % 3) : kMarker;
      if (all[y * 30 + x] != want && ++wrong <= 3)
        ADD_FAILURE() << x << "," << y << ": " << std::hex << all[y * 30 + x] << " not " << want;
    }
  EXPECT_EQ(0, wrong);

  // A source outside the picture gives no part to repeat: nothing is drawn.
  Gdiplus::Rect outside(8, 8, 5, 5);
  Canvas none(30, 20);
  none.Draw(picture, &outside, &dest);
  none.Expect(Gdiplus::Rect(0, 0, 0, 0), 0, 0, kMarker);
}

}  // namespace
