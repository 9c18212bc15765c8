// Image and ImageList as applications use them: pictures built pixel by
// pixel, edited inside rectangles that reach past them, converted,
// mirrored, rotated and saved; data hidden in pixels and read back; the
// clipboard; image lists from pictures, strips and image-list files. Each
// program shows what it found in one box captioned "Result" and ends by
// itself. The saved pictures are copied to TAVRIN_IMAGE_OUT, where
// ImageMagick checks them after the run (tools/check-images).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/PackedApp.h"
#include "tests/e2e/SolidBitmap.h"

namespace {

using e2e::SolidBmp;
namespace fs = std::filesystem;

struct ImageProgram {
  const char* name;
  const char* program;
  const char* result;
  std::vector<std::pair<std::string, std::string>> resources = {};
  std::vector<const char*> savedPictures = {};
};

void PrintTo(const ImageProgram& p, std::ostream* out) { *out << p.name; }

const char* const kIconsFile =
    "TAVRIN IMAGELIST 1.0.0.0\r\n"
    "count=2\r\nalpha=1\r\nwidth=8\r\nheight=8\r\n"
    "[0]\r\ncount=1\r\n0_name=image\\red.bmp\r\n"
    "[1]\r\ncount=3\r\n0_name=image\\red.bmp\r\n1_name=image\\missing.bmp\r\n2_name=image\\red.bmp\r\n";

const ImageProgram kPrograms[] = {
    // Sizes and depths GDI+ cannot make leave the picture as it was; fills,
    // alpha, grey, colour adjustment and copies work on the part of their
    // rectangle inside the picture, and on nothing for one wholly outside
    // or inverted. Key colours keep their pixels.
    {"ImageEdits",
     "class Application\n"
     "  Image i new\n"
     "  Image j new\n"
     "  Color c new\n"
     "  Color k new\n"
     "  Rectangle b new\n"
     "function Void _00000000()\n"
     "  String s\n"
     "  k.Color.22(Color.ARGB)\n"
     "  s=\"make=\"+i.Image.25(4,3)+\",\"+i.Image.9()+\",\"+i.Image.17()+\"x\"+i.Image.12()\n"
     "  s+=\" refused=\"+i.Image.25(4,3,12)+i.Image.25(0,5)+i.Image.25(-3,2)+i.Image.26(0,3)+i.Image.37(0,0)\n"
     "  s+=\",\"+i.Image.17()+\"x\"+i.Image.12()+\",\"+i.Image.9()+\" same=\"+i.Image.26(4,3)+i.Image.37(4,3)\n"
     "  c.Color.34(255,0,0)\n"
     "  i.Image.5(c)\n"
     "  c.Color.34(0,255,0)\n"
     "  b.Rectangle.17(2,1,10,10)\n"
     "  i.Image.5(c,b)\n"
     "  c.Color.34(0,0,255)\n"
     "  b.Rectangle.17(10,10,5,5)\n"
     "  i.Image.5(c,b)\n"
     "  b.Rectangle.17(3,2,-2,-2)\n"
     "  i.Image.5(c,b)\n"
     "  s+=\" fill=\"+i.Image.14(1,1,k)+k.Color.11()+\",\"+i.Image.14(2,1,k)+k.Color.11()+\",\"+i.Image.14(3,2,k)+k.Color.11()\n"
     "  s+=\",\"+i.Image.14(1,0,k)+k.Color.11()+\",\"+i.Image.14(4,0,k)\n"
     "  b.Rectangle.17(3,-4,6,10)\n"
     "  s+=\" alpha=\"+i.Image.0(100,b)+\",\"+i.Image.14(3,0,k)+k.Color.1()+\",\"+i.Image.14(2,0,k)+k.Color.1()\n"
     "  b.Rectangle.17(5,0,2,2)\n"
     "  s+=\",\"+i.Image.0(50,b)\n"
     "  c.Color.34(255,0,0)\n"
     "  b.Rectangle.17(1,2,9,9)\n"
     "  i.Image.18(b,c)\n"
     "  s+=\" grey=\"+i.Image.14(2,2,k)+k.Color.10()+\",\"+k.Color.8()+\",\"+k.Color.3()\n"
     "  s+=\",\"+i.Image.14(1,2,k)+k.Color.11()+\",\"+i.Image.14(2,1,k)+k.Color.11()\n"
     "  c.Color.34(0,0,0)\n"
     "  i.Image.36(0,2,c)\n"
     "  c.Color.34(255,0,0)\n"
     "  b.Rectangle.17(-5,1,12,9)\n"
     "  i.Image.1(1.0,1.0,b,c)\n"
     "  s+=\" bright=\"+i.Image.14(0,2,k)+k.Color.11()+\",\"+i.Image.14(1,2,k)+k.Color.11()+\",\"+i.Image.14(2,1,k)+k.Color.11()\n"
     "  s+=\",\"+i.Image.14(2,0,k)+k.Color.11()\n"
     "  j.Image.25(2,2)\n"
     "  c.Color.34(0,0,0)\n"
     "  j.Image.5(c)\n"
     "  j.Image.1(1.0)\n"
     "  s+=\" black=\"+j.Image.14(1,1,k)+k.Color.11()\n"
     "  b.Rectangle.17(3,1,5,5)\n"
     "  s+=\" copy=\"+j.Image.20(i,b)+\",\"+j.Image.17()+\"x\"+j.Image.12()+\",\"+j.Image.14(0,0,k)+k.Color.11()\n"
     "  b.Rectangle.17(4,0,3,3)\n"
     "  s+=\",\"+j.Image.20(i,b)+\",\"+j.Image.17()+\"x\"+j.Image.12()\n"
     "  s+=\" bits=\"+i.Image.32(24)+i.Image.9()+\",\"+i.Image.32(24)+i.Image.32(2)+i.Image.32(7)+\",\"+i.Image.32(8)+i.Image.9()\n"
     "  s+=\" point=\"+i.Image.7(0,0,c)\n"
     "  i.Image.2()\n"
     "  s+=\" cleared=\"+i.Image.19()+i.Image.17()+i.Image.7(0,0,c)\n"
     "  Global.33(s,\"Result\")\n"
     "  Global.35()\n",
     "make=1,32,4x3 refused=00000,4x3,32 same=00 fill=1255,165280,165280,1255,0 alpha=1,1100,1255,0 "
     "grey=1148,148,148,1255,165280 bright=116777215,1255,116777215,1255 black=10 "
     "copy=1,1x2,116777215,0,1x2 bits=124,000,18 point=0 cleared=000"},

    // A picture mirrored and rotated, then saved in four formats; the
    // test hands those to ImageMagick. A GIF is saved from a paletted copy
    // and from the 32-bit picture itself.
    {"ImageTurns",
     "class Application\n"
     "  Image m new\n"
     "  Image g new\n"
     "  Rectangle b new\n"
     "  Color c new\n"
     "  Color k new\n"
     "function Void _00000000()\n"
     "  String s\n"
     "  m.Image.25(3,2)\n"
     "  c.Color.34(255,255,255)\n"
     "  m.Image.5(c)\n"
     "  c.Color.34(0,0,255)\n"
     "  m.Image.36(0,0,c)\n"
     "  m.Image.6()\n"
     "  s=\"flip=\"+m.Image.14(2,0,k)+k.Color.11()\n"
     "  m.Image.6(false,false)\n"
     "  s+=\",\"+m.Image.14(2,0,k)+k.Color.11()\n"
     "  s+=\" turn=\"+m.Image.27()+\",\"+m.Image.17()+\"x\"+m.Image.12()+\",\"+m.Image.14(1,2,k)+k.Color.11()\n"
     "  s+=\" four=\"+m.Image.27(4)+m.Image.17()+\" back=\"+m.Image.27(-1)\n"
     "  s+=\" five=\"+m.Image.27(5)+\",\"+m.Image.17()+\"x\"+m.Image.12()+\",\"+m.Image.14(0,1,k)+k.Color.11()\n"
     "  s+=\" saved=\"+m.Image.29(\"turn.png\",Image.PNG)+m.Image.29(\"turn.bmp\")+m.Image.29(\"turn.jpg\",Image.JPG)\n"
     "  s+=\" gif=\"+g.Image.20(m)+g.Image.32(8)+g.Image.9()+g.Image.29(\"turn.gif\",Image.GIF)+m.Image.29(\"turn32.gif\",Image.GIF)\n"
     "  s+=m.Image.29(\"no such folder/x.png\",Image.PNG)\n"
     "  s+=\" load=\"+g.Image.22(\"turn.png\")+g.Image.17()+\"x\"+g.Image.12()+\",\"+g.Image.14(0,1,k)+k.Color.11()+g.Image.22(\"none.png\")\n"
     "  b.Rectangle.17(0,0,5,4)\n"
     "  s+=\" shot=\"+g.Image.24(b)+g.Image.17()+\"x\"+g.Image.12()\n"
     "  Global.33(s,\"Result\")\n"
     "  Global.35()\n",
     "flip=116711680,116711680 turn=1,2x3,116711680 four=12 back=0 five=1,3x2,116711680 saved=111 gif=118110 load=13x2,1167116800 shot=15x4",
     {},
     {"turn.png", "turn.bmp", "turn.jpg", "turn.gif", "turn32.gif"}},

    // Data hidden in a picture, carried through a PNG in memory and read
    // back; a picture whose pixels claim more than they hold writes
    // nothing. Then a picture through the clipboard.
    {"ImageDataAndClipboard",
     "class Application\n"
     "  Image h new\n"
     "  Image g new\n"
     "  Image w new\n"
     "  Image q new\n"
     "  File a new\n"
     "  File d new\n"
     "  File e new\n"
     "  File z new\n"
     "  Color c new\n"
     "  Color k new\n"
     "  Clipboard clip new\n"
     "function Void _00000000()\n"
     "  String s\n"
     "  h.Image.25(8,8)\n"
     "  a.File.20(0)\n"
     "  a.File.35(\"hidden payload\")\n"
     "  a.File.1()\n"
     "  s=\"hide=\"+h.Image.4(a)+\",\"+h.Image.9()\n"
     "  d.File.20(0)\n"
     "  s+=\" png=\"+h.Image.28(d,Image.PNG)\n"
     "  d.File.1()\n"
     "  e.File.20(0)\n"
     "  s+=\" read=\"+g.Image.21(d)+g.Image.3(e)+\",\"+e.File.14()+\" got=\"\n"
     "  e.File.1()\n"
     "  s+=e.File.23(14)\n"
     "  w.Image.25(4,4)\n"
     "  c.Color.34(255,255,255)\n"
     "  w.Image.5(c)\n"
     "  z.File.20(0)\n"
     "  s+=\" crafted=\"+w.Image.3(z)+z.File.14()\n"
     "  q.Image.25(3,2)\n"
     "  c.Color.34(0,128,255)\n"
     "  q.Image.5(c)\n"
     "  s+=\" clip=\"+clip.Clipboard.5(q)+clip.Clipboard.1(w)+\",\"+w.Image.17()+\"x\"+w.Image.12()+\",\"+w.Image.14(2,1,k)+k.Color.11()\n"
     "  Global.33(s,\"Result\")\n"
     "  Global.35()\n",
     "hide=1,24 png=1 read=11,14 got=hidden payload crafted=00 clip=11,3x2,116744448"},

    // Image lists: pictures of other sizes each add one image, an empty
    // one none; strips cut into tiles; sets of an image-list file, a set
    // past the count taken as the first, a missing picture kept as a blank.
    {"ImageLists",
     "class Application\n"
     "  ImageList l new\n"
     "  Image i new\n"
     "  Image e new\n"
     "  File f new\n"
     "function Void _00000000()\n"
     "  String s\n"
     "  s=\"none=\"+l.ImageList.4()+l.ImageList.0(i)\n"
     "  s+=\" make=\"+l.ImageList.11(16,16)+l.ImageList.4()+\",\"+l.ImageList.6()+\"x\"+l.ImageList.5()\n"
     "  i.Image.25(32,8)\n"
     "  s+=\" wide=\"+l.ImageList.0(i)+l.ImageList.4()\n"
     "  i.Image.25(4,4)\n"
     "  s+=\" narrow=\"+l.ImageList.0(i)+l.ImageList.4()\n"
     "  s+=\" empty=\"+l.ImageList.0(e)+l.ImageList.4()\n"
     "  s+=\" res=\"+l.ImageList.1(\"red.bmp\")+l.ImageList.1(\"gone.bmp\")+l.ImageList.4()\n"
     "  s+=\" clear=\"+l.ImageList.12()+l.ImageList.4()\n"
     "  s+=\" odd=\"+l.ImageList.11(0,300)+l.ImageList.6()+\"x\"+l.ImageList.5()\n"
     "  i.Image.23(\"strip.bmp\")\n"
     "  s+=\" strip=\"+l.ImageList.8(i)+\",\"+l.ImageList.4()+\",\"+l.ImageList.6()+\"x\"+l.ImageList.5()\n"
     "  s+=\",\"+l.ImageList.8(i,20,10)+\",\"+l.ImageList.4()+\",\"+l.ImageList.6()+\"x\"+l.ImageList.5()\n"
     "  s+=\" set1=\"+l.ImageList.10(\"icons.til\",1)+\",\"+l.ImageList.4()+\",\"+l.ImageList.6()+\"x\"+l.ImageList.5()\n"
     "  s+=\" set99=\"+l.ImageList.10(\"icons.til\",99)+\",\"+l.ImageList.4()\n"
     "  s+=\" gone=\"+l.ImageList.10(\"gone.til\")+l.ImageList.4()\n"
     "  s+=\" file=\"+f.File.19(\"imagelist%5Cicons.til\")+l.ImageList.7(f,1)+\",\"+l.ImageList.4()\n"
     "  s+=\" path=\"+f.File.28(\"copy.til\")+l.ImageList.9(\"copy.til\")+\",\"+l.ImageList.4()+l.ImageList.9(\"none.til\")\n"
     "  l.ImageList.2()\n"
     "  s+=\" destroyed=\"+l.ImageList.4()+l.ImageList.12()\n"
     "  Global.33(s,\"Result\")\n"
     "  Global.35()\n",
     "none=00 make=10,16x16 wide=11 narrow=12 empty=02 res=103 clear=10 odd=116x16 strip=1,3,16x16,1,2,20x10 "
     "set1=1,3,8x8 set99=1,1 gone=01 file=11,3 path=11,10 destroyed=00",
     {{"image\\red.bmp", SolidBmp(8, 8, 255, 0, 0)},
      {"image\\strip.bmp", SolidBmp(48, 16, 0, 0, 255)},
      {"imagelist\\icons.til", kIconsFile}}},
};

class ImageClasses : public ::testing::TestWithParam<ImageProgram> {
 protected:
  static void SetUpTestSuite() {
    for (const ImageProgram& p : kPrograms) s_batch.Start(p.name, p.program, p.resources);
  }
  static void TearDownTestSuite() { s_batch.Clear(); }
  static e2e::AppBatch s_batch;
};

e2e::AppBatch ImageClasses::s_batch;

TEST_P(ImageClasses, ShowsItsResultAndSavesItsPictures) {
  const ImageProgram& p = GetParam();
  ASSERT_EQ(s_batch.Error(p.name), "");
  e2e::PackedApp& app = *s_batch.Find(p.name);
  e2e::ExpectBoxesThenExit(app, "Result", {p.result});
  for (const char* picture : p.savedPictures) {
    std::error_code failed;
    fs::copy_file(app.Folder() / picture, fs::path(TAVRIN_IMAGE_OUT) / picture, fs::copy_options::overwrite_existing,
                  failed);
    EXPECT_FALSE(failed) << picture << ": " << failed.message();
  }
}

INSTANTIATE_TEST_SUITE_P(E2E, ImageClasses, ::testing::ValuesIn(kPrograms),
                         [](const ::testing::TestParamInfo<ImageProgram>& info) { return info.param.name; });

}  // namespace
