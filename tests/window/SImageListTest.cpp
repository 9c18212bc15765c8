// Image lists filled from pictures, strips, streams and image-list files,
// read back from the Win32 list.
#include "tests/window/ImageListTesting.h"
#include "tests/window/ResourceTesting.h"
#include "tests/window/SImageTesting.h"
#include "tests/window/WindowTesting.h"
#include "window/SImageList.h"

namespace {

class ImageListTest : public WindowTest {
 protected:
  void TearDown() override { SetScreenColorDepthForTesting(32); }
};

const uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

void ExpectSize(const SImageList& list, int width, int height) {
  int w = -1, h = -1;
  list.GetImageSize(w, h);
  EXPECT_EQ(width, w);
  EXPECT_EQ(height, h);
}

TEST_F(ImageListTest, CreateBoundsSizesAndWithoutHandleAnswersNothing) {
  SImageList list;
  EXPECT_FALSE(list.AddBlank());
  EXPECT_FALSE(list.RemoveAll());
  EXPECT_FALSE(list.SetBkColor(0));
  EXPECT_EQ(0, list.GetCount());
  ExpectSize(list, 0, 0);

  ASSERT_TRUE(list.Create(0, 300, ILC_COLOR32));
  ExpectSize(list, 16, 16);
  ASSERT_TRUE(list.Create(256, 1, ILC_COLOR32));
  ExpectSize(list, 256, 1);
  EXPECT_TRUE(list.AddBlank());
  EXPECT_EQ(1, list.GetCount());
  EXPECT_TRUE(list.RemoveAll());
  EXPECT_EQ(0, list.GetCount());
}

TEST_F(ImageListTest, StripIsCutIntoWholeTilesRowByRow) {
  SImage strip(100, 32);
  for (int column = 0; column < 6; column++) {
    Gdiplus::Rect top(column * 16, 0, 16, 16), bottom(column * 16, 16, 16, 16);
    strip.FillRect(Gdiplus::Color::MakeARGB(255, BYTE(column * 40), 0, 0), &top);
    strip.FillRect(Gdiplus::Color::MakeARGB(255, 0, BYTE(column * 40), 0), &bottom);
  }
  SImageList list;
  ASSERT_TRUE(list.CreateFromStrip(&strip, 16, 16));
  ASSERT_EQ(12, list.GetCount());
  int bits = 0;
  for (int i = 0; i < 12; i++) {
    std::vector<uint32_t> pixels = ImageListPixels(list.GetHandle(), i, &bits);
    ASSERT_EQ(256u, pixels.size());
    uint32_t expected = i < 6 ? 0xFF000000u | uint32_t(i * 40) << 16 : 0xFF000000u | uint32_t((i - 6) * 40) << 8;
    EXPECT_EQ(expected, pixels[0]) << i;
    EXPECT_EQ(expected, pixels[255]) << i;
  }
  EXPECT_EQ(32, bits);

  SImage narrow(10, 16);
  EXPECT_FALSE(list.CreateFromStrip(&narrow, 16, 16));  // no whole column
  EXPECT_FALSE(list.CreateFromStrip(nullptr, 16, 16));
  SImage wide(100, 16);
  ASSERT_TRUE(list.CreateFromStrip(&wide, 0, -1));  // tiles of 16
  EXPECT_EQ(6, list.GetCount());
}

TEST_F(ImageListTest, AddedPicturesAreScaledAndKeepAlpha) {
  SImageList list;
  ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32));
  SImage big(48, 48);
  big.FillRect(kBlue, nullptr);
  ASSERT_TRUE(list.AddImage(&big));
  SImage clear(16, 16);
  Gdiplus::Rect half(0, 0, 8, 16);
  clear.FillRect(kRed, &half);  // the right half stays transparent
  ASSERT_TRUE(list.AddImage(&clear));
  SImage empty;
  EXPECT_FALSE(list.AddImage(&empty));
  EXPECT_FALSE(list.AddImage(nullptr));
  ASSERT_EQ(2, list.GetCount());

  std::vector<uint32_t> scaled = ImageListPixels(list.GetHandle(), 0);
  ASSERT_EQ(256u, scaled.size());
  EXPECT_EQ(kBlue, scaled[0]);
  EXPECT_EQ(kBlue, scaled[8 * 16 + 8]);
  std::vector<uint32_t> halves = ImageListPixels(list.GetHandle(), 1);
  EXPECT_EQ(kRed, halves[3]);
  EXPECT_EQ(0u, halves[12] >> 24);
}

TEST_F(ImageListTest, StreamsAddedPlainOrGreyed) {
  TestResources pictures;
  pictures.AddPicture("red", 16, 16, kRed);
  pictures.AddBytes("junk", "not a picture");
  SResource* resources = pictures.Open();
  ASSERT_NE(nullptr, resources);
  SImageList list;
  ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32));
  for (bool greyed : {false, true}) {
    SFileMem stream;
    ASSERT_TRUE(resources->Read(&stream, "red", true));
    EXPECT_TRUE(list.AddFromStream(&stream, greyed));
  }
  SFileMem junk;
  ASSERT_TRUE(resources->Read(&junk, "junk", true));
  EXPECT_FALSE(list.AddFromStream(&junk, false));
  EXPECT_FALSE(list.AddFromStream(nullptr, false));
  ASSERT_EQ(2, list.GetCount());
  EXPECT_EQ(kRed, ImageListPixels(list.GetHandle(), 0)[0]);
  uint32_t grey = ImageListPixels(list.GetHandle(), 1)[0];
  BYTE r = BYTE(grey >> 16), g = BYTE(grey >> 8), b = BYTE(grey);
  EXPECT_LE(grey >> 24, 128u);
  EXPECT_EQ(r, g);
  EXPECT_EQ(g, b);
}

TEST_F(ImageListTest, LowDepthScreenGivesMaskedSixteenBitList) {
  SetScreenColorDepthForTesting(16);
  SImageList list;
  ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32));
  EXPECT_EQ(CLR_NONE, list.GetBkColor());
  SImage clear(16, 16);
  Gdiplus::Rect half(0, 0, 8, 16);
  clear.FillRect(kRed, &half);
  ASSERT_TRUE(list.AddImage(&clear));
  ASSERT_TRUE(list.AddBlank());
  int bits = 0;
  ImageListPixels(list.GetHandle(), 0, &bits);
  EXPECT_EQ(16, bits);
  // The transparent half is white in the mask, the opaque half black.
  std::vector<uint32_t> mask = ImageListPixels(list.GetHandle(), 0, nullptr, true);
  ASSERT_EQ(256u, mask.size());
  EXPECT_EQ(0u, mask[2 * 16 + 2] & 0xFFFFFF);
  EXPECT_EQ(0xFFFFFFu, mask[2 * 16 + 12] & 0xFFFFFF);
}

// ---- The image-list file ----------------------------------------------------

class ImageListFileTest : public ImageListTest {
 protected:
  void SetUp() override {
    pictures.AddPicture("red", 16, 16, kRed);
    pictures.AddPicture("blue48", 48, 48, kBlue);
    resources = pictures.Open();
    ASSERT_NE(nullptr, resources);
  }
  bool Load(SImageList& list, int set, const std::vector<std::string>& lines) {
    SFileMem file;
    FillLines(file, lines);
    return list.LoadFile(set, &file, resources);
  }
  TestResources pictures;
  SResource* resources = nullptr;
};

const std::vector<std::string> kTwoSets = {
    "TAVRIN IMAGELIST 1.0.0.0", "count=2", "alpha=1", "width=20", "height=0",
    "[0]", "count=3", "0_name=red", "1_name=missing", "2_name=blue48",
    "[1]", "count=1", "0_name=blue48"};

TEST_F(ImageListFileTest, SetsLoadWithBlanksForMissingPictures) {
  SImageList list;
  ASSERT_TRUE(Load(list, 1, kTwoSets));
  ASSERT_EQ(1, list.GetCount());
  ExpectSize(list, 20, 16);
  EXPECT_EQ(kBlue, ImageListPixels(list.GetHandle(), 0)[0]);

  ASSERT_TRUE(Load(list, 5, kTwoSets));  // an unknown set is set 0
  ASSERT_EQ(3, list.GetCount());
  std::vector<uint32_t> first = ImageListPixels(list.GetHandle(), 0), blank = ImageListPixels(list.GetHandle(), 1),
                        last = ImageListPixels(list.GetHandle(), 2);
  EXPECT_EQ(kRed, first[0]);
  EXPECT_EQ(0u, blank[0] & 0xFFFFFF);
  EXPECT_EQ(kBlue, last[20 * 8 + 10]);  // 48 x 48 scaled to 20 x 16
}

// Malformed and hostile files: each fails, or loads no more entries than
// the file has lines for.
TEST_F(ImageListFileTest, MalformedAndHostileFiles) {
  struct Case {
    const char* what;
    std::vector<std::string> lines;
    bool loads;
    int count;
  };
  const Case cases[] = {
      {"header in other case", {"tavrin imagelist 1.0.0.0", "count=1", "[0]", "count=1", "0_name=red"}, false, 0},
      {"other version", {"TAVRIN IMAGELIST 1.0.0.1", "count=1", "[0]", "count=1", "0_name=red"}, false, 0},
      {"header alone", {"TAVRIN IMAGELIST 1.0.0.0"}, false, 0},
      {"count of 0", {"TAVRIN IMAGELIST 1.0.0.0", "count=0", "[0]", "count=1", "0_name=red"}, false, 0},
      {"negative count", {"TAVRIN IMAGELIST 1.0.0.0", "count=-4"}, false, 0},
      {"huge image count", {"TAVRIN IMAGELIST 1.0.0.0", "count=1", "[0]", "count=2000000000", "0_name=red"}, true, 3},
      {"huge set count", {"TAVRIN IMAGELIST 1.0.0.0", "count=99999999", "[0]", "count=1", "0_name=red"}, true, 1},
      {"negative image count", {"TAVRIN IMAGELIST 1.0.0.0", "count=1", "[0]", "count=-7"}, true, 0},
      {"unknown pictures", {"TAVRIN IMAGELIST 1.0.0.0", "count=1", "[0]", "count=2", "0_name=", "1_name=..\\x"}, true, 2},
  };
  for (const Case& c : cases) {
    SImageList list;
    EXPECT_EQ(c.loads, Load(list, 0, c.lines)) << c.what;
    EXPECT_EQ(c.count, list.GetCount()) << c.what;
  }
  SImageList list;
  SFileMem file;
  FillLines(file, kTwoSets);
  EXPECT_FALSE(list.LoadFile(0, nullptr, resources));
  EXPECT_FALSE(list.LoadFile(0, &file, nullptr));
}

}  // namespace
