// Color, Font, Cursor, Keyboard, Clipboard and Mouse as applications use
// them: each packed program works with one class and shows what it found in
// one message box captioned "Result", which the test reads and closes; the
// program then ends by itself with exit code 0.
//
// All programs start together before the first box is read, since every
// start costs seconds under emulation; those that use the shared clipboard
// or the cursor keep to what no other program here touches.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/ResultPrograms.h"

namespace {

using e2e::ResultProgram;

const ResultProgram kPrograms[] = {
    // Color: one colour set in one model and read in another, the setters
    // answering the object itself, and the constants.
    {"Color",
     "class Application\n"
     "  Color c new\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  Color d\n"
     "  r=\"new=\"+c.Color.11()+\"/\"+c.Color.1()+\"/\"+c.Color.7()\n"
     "  c.Color.34(0,128,255)\n"
     "  r+=\" text=\"+c.Color.9()+\" ref=\"+c.Color.11()\n"
     "  c.Color.22(Color.YUV)\n"
     "  c.Color.34(255,0,0)\n"
     "  r+=\" yuv=\"+c.Color.14()+\",\"+c.Color.12()+\",\"+c.Color.13()+\" rgb=\"+c.Color.10()+\",\"+c.Color.8()+\",\"+c.Color.3()\n"
     "  c.Color.22(Color.ARGB)\n"
     "  d=c.Color.32(128,1,2,3)\n"
     "  r+=\" self=\"+(d==c)+\" argb=\"+c.Color.2()+\" a=\"+c.Color.1()\n"
     "  c.Color.24(\"#102030\")\n"
     "  r+=\" fromtext=\"+c.Color.10()+\",\"+c.Color.8()+\",\"+c.Color.3()+\" a=\"+c.Color.1()\n"
     "  r+=\" consts=\"+Color.COLOR_WINDOW+\",\"+Color.COLOR_BTNFACE+\",\"+Color.COLOR_MENUBAR\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     "new=0/255/0 text=#0080FF ref=16744448 yuv=76,255,85 rgb=254,0,0 self=1 argb=2147549699 a=128 "
     "fromtext=16,32,48 a=255 consts=5,15,30"},

    // Font: a font in points, the same again in other letters, restyling,
    // a new face and a size as a height; then cleared.
    {"Font",
     "class Application\n"
     "  Font f new\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  r=\"set=\"+f.Font.0(\"Arial\",12)+\" again=\"+f.Font.0(\"ARIAL\",12)\n"
     "  r+=\" h=\"+f.Font.3()+\" face=\"+f.Font.2()+\" style=\"+f.Font.5()\n"
     "  f.Font.10()\n"
     "  f.Font.17()\n"
     "  r+=\" bold=\"+f.Font.6()+f.Font.9()+f.Font.7()+\" style=\"+f.Font.5()\n"
     "  f.Font.12(\"Courier New\")\n"
     "  f.Font.13(-32)\n"
     "  r+=\" face=\"+f.Font.2()+\" h=\"+f.Font.3()+\" style=\"+f.Font.5()\n"
     "  f.Font.16()\n"
     "  r+=\" plain=\"+f.Font.5()\n"
     "  f.Font.1()\n"
     "  r+=\" again=\"+f.Font.0(\"Arial\",9,2)+f.Font.7()\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     "set=1 again=0 h=-16 face=Arial style=0 bold=110 style=5 face=Courier New h=-32 style=5 plain=0 again=11"},

    // Cursor: shapes, an unknown shape as the arrow, and files that are
    // missing or no picture.
    {"Cursor",
     "class Application\n"
     "  Cursor k new\n"
     "  File f new\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  r=\"shape=\"+k.Cursor.4(Cursor.PEN)+k.Cursor.4(99)+k.Cursor.4(Cursor.WAIT)\n"
     "  r+=\" missing=\"+k.Cursor.2(\"no such picture.png\")\n"
     "  f.File.20(0)\n"
     "  f.File.35(\"no picture at all\")\n"
     "  f.File.1()\n"
     "  r+=\" junk=\"+k.Cursor.1(f)\n"
     "  k.Cursor.0()\n"
     "  r+=\" consts=\"+Cursor.ARROW+\",\"+Cursor.WAIT+\",\"+Cursor.ZOOM\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     "shape=111 missing=0 junk=0 consts=0,13,20"},

    // Keyboard: the key constants and the state of keys nobody holds.
    {"Keyboard",
     "class Application\n"
     "  Keyboard k new\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  r=\"keys=\"+Keyboard._A+\",\"+Keyboard._0+\",\"+Keyboard._NUM0+\",\"+Keyboard._F1+\",\"+Keyboard._RETURN+\",\"+Keyboard._PA1\n"
     "  r+=\" sc=\"+Keyboard.SC_NONE+Keyboard.SC_SHIFT+Keyboard.SC_CTRL+Keyboard.SC_CTRLSHIFT\n"
     "  r+=\" held=\"+k.Keyboard.0(Keyboard._F9)+k.Keyboard.9(Keyboard._F9)+k.Keyboard.4()+k.Keyboard.5()\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     "keys=65,48,96,112,13,253 sc=0123 held=0000"},

    // Clipboard: text in and out, and a data block from one File into
    // another.
    {"Clipboard",
     "class Application\n"
     "  Clipboard c new\n"
     "  File a new\n"
     "  File b new\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  r=\"text=\"+c.Clipboard.6(\"packed text\")+c.Clipboard.2()\n"
     "  a.File.20(0)\n"
     "  r+=\" empty=\"+c.Clipboard.4(a)\n"
     "  a.File.35(\"0123456789\")\n"
     "  r+=\" data=\"+c.Clipboard.4(a)+\" pos=\"+a.File.11()\n"
     "  b.File.20(0)\n"
     "  r+=\" read=\"+c.Clipboard.0(b)+\" size=\"+b.File.14()\n"
     "  b.File.1()\n"
     "  r+=\" got=\"+b.File.23(10)\n"
     "  r+=\" none=\"+c.Clipboard.2()\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     "text=1packed text empty=0 data=1 pos=10 read=10 size=10 got=0123456789 none="},

    // Mouse: the cursor moved and read back, into a Point too, and a drag
    // that cannot start without a button held.
    {"Mouse",
     "class Application\n"
     "  Mouse m new\n"
     "  Point p new\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  m.Mouse.20(123,45)\n"
     "  r=\"pos=\"+m.Mouse.15()+\",\"+m.Mouse.16()+\" point=\"+m.Mouse.14(p)+\":\"+p.Point.1()+\",\"+p.Point.2()\n"
     "  r+=\" drag=\"+m.Mouse.1()+m.Mouse.0()+\" held=\"+m.Mouse.17()+m.Mouse.18()+m.Mouse.19()\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     "pos=123,45 point=1:123,45 drag=00 held=000"},
};

class SystemPrograms : public ::testing::TestWithParam<ResultProgram> {
 protected:
  static void SetUpTestSuite() { s_runs.StartAll(kPrograms, "system-"); }
  static void TearDownTestSuite() { s_runs.Clear(); }
  static inline e2e::ResultProgramRuns s_runs;
};

TEST_P(SystemPrograms, ShowsItsResultsAndEnds) { s_runs.Check(GetParam()); }

INSTANTIATE_TEST_SUITE_P(E2E, SystemPrograms, ::testing::ValuesIn(kPrograms),
                         [](const ::testing::TestParamInfo<ResultProgram>& info) { return info.param.name; });

}  // namespace
