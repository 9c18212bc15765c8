// The value classes of money, mathematics and geometry as applications use
// them: each packed program computes with one family of classes and shows
// what it found in one message box captioned "Result", which the test reads
// and closes; the program then ends by itself with exit code 0.
//
// All programs start together before the first box is read, since every
// start costs seconds under emulation.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/ResultPrograms.h"

namespace {

using e2e::ResultProgram;

// A double as its shortest text: the engine prints a double in a field of
// 16 with six decimals and drops the trailing zeros; the blanks go here.
#define TRIMMED_NUMBER                 \
  "function String N(Float x)\n"       \
  "  String text\n"                    \
  "  text=\"\"+x\n"                    \
  "  text.String.35()\n"               \
  "  return text\n"

const ResultProgram kPrograms[] = {
    // Money: arithmetic on the amount and the money text with grouping,
    // the symbol after and before, another group separator, none, and no
    // decimals. The decimal separator is reported but the text keeps the
    // point. "%24" is "$", "%27" an apostrophe, "%2C" a comma.
    {"Money",
     "class Application\n"
     "  Money m new\n"
     TRIMMED_NUMBER
     "function Void _00000000()\n"
     "  String r\n"
     "  r=\"new=\"+(m.Money.8()==\"%80\")+m.Money.9()+m.Money.5()+\"[\"+m.Money.6()+\"][\"+m.Money.4()+\"]\"\n"
     "  m.Money.15(\" EUR\")\n"
     "  r+=\" set=\"+N(m.Money.11(1000))+\" add=\"+N(m.Money.0(234.5))+\" \"+m.Money.7()\n"
     "  r+=\" sub=\"+N(m.Money.16(2469))+\" \"+m.Money.7()\n"
     "  m.Money.10(1000)\n"
     "  r+=\" mul=\"+m.Money.7()\n"
     "  r+=\" div=\"+N(m.Money.1(-100))+\" get=\"+N(m.Money.3())\n"
     "  m.Money.2(0)\n"
     "  m.Money.15(\"%24\")\n"
     "  r+=\" before=\"+m.Money.9()+m.Money.7()\n"
     "  m.Money.14(\"%27\")\n"
     "  m.Money.12(\"%2C\")\n"
     "  r+=\" seps=\"+m.Money.6()+m.Money.4()+m.Money.7()\n"
     "  m.Money.14(\"\")\n"
     "  m.Money.13(-3)\n"
     "  r+=\" plain=\"+m.Money.5()+m.Money.7()\n"
     "  m.Money.11(5)\n"
     "  m.Money.14(\"%2C\")\n"
     "  m.Money.2()\n"
     "  m.Money.15(\"\")\n"
     "  r+=\" five=[\"+m.Money.7()+\"]\"\n"
     "  m.Money.11(-1234567.891)\n"
     "  m.Money.13(2)\n"
     "  r+=\" neg=\"+m.Money.7()\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     "new=112[ ][.] set=1000 add=1234.5 1 234.50 EUR sub=-1234.5 -1 234.50 EUR mul=-1 234 500.00 EUR "
     "div=12345 get=12345 before=0$12 345.00 seps=',$12'345.00 plain=0$12345 five=[   5] "
     "neg=-1,234,567.89"},

    // Math: library functions, angle conversions and comparisons exact to
    // the double, expression texts, spherical coordinates (the length of a
    // vector whose x is 0 too), distances, bearings, interpolation, primes,
    // random numbers, rounding and the position constants.
    {"Math",
     "class Application\n"
     "  Math m new\n"
     "  Vector2D a new\n"
     "  Vector2D b new\n"
     "  Vector3D v new\n"
     "  Vector3D w new\n"
     TRIMMED_NUMBER
     "function Void _00000000()\n"
     "  String r\n"
     "  r=\"pow=\"+N(m.Math.25(2,10))+\" sqrt=\"+N(m.Math.33(2.25))+\" abs=\"+N(m.Math.0(-3.5))\n"
     "  r+=\" pi=\"+(m.Math.10(180)==m.Math.4(0,-1))+(m.Math.26(m.Math.4(0,-1))==180)+(m.Math.4(1,0)*2==m.Math.4(0,-1))\n"
     "  r+=\" eval=\"+m.Math.5(\"(2+3)*4\")+\" bad=[\"+m.Math.5(\"7/0\")+\"]\"\n"
     "  v.Vector3D.7(0,3,4)\n"
     "  r+=\" len=\"+N(m.Math.7(v))+\" polar=\"+N(m.Math.6(v))+\" azimuth=\"+N(m.Math.8(v))\n"
     "  v.Vector3D.7(3,4,0)\n"
     "  r+=\" len=\"+N(m.Math.7(v))+\" polar=\"+(m.Math.6(v)==m.Math.1(0.8))\n"
     "  w.Vector3D.7(6,8,0)\n"
     "  r+=\" d3=\"+N(m.Math.14(v,w))+\" sq3=\"+N(m.Math.16(v,w))+\" none=\"+N(m.Math.14(v,null))\n"
     "  m.Math.31(2,m.Math.4(1,0),0,w)\n"
     "  r+=\" sph=\"+N(w.Vector3D.3())+\"/\"+N(w.Vector3D.5())\n"
     "  a.Vector2D.3(0,0)\n"
     "  b.Vector2D.3(-1,0)\n"
     "  r+=\" bearing=\"+N(m.Math.17(a,b))+\" self=\"+N(m.Math.17(a,a))\n"
     "  r+=\" diff=\"+N(m.Math.12(0.1,6.2))+\" norm=\"+N(m.Math.23(-1.5707963267948966))+\" signed=\"+N(m.Math.24(4.71238898038469))\n"
     "  r+=\" ease=\"+N(m.Math.18(0.25,0,1,0,0))+\" eased=\"+N(m.Math.18(0.25))+\" lerp=\"+N(m.Math.20(0.25,2,10))\n"
     "  m.Math.29()\n"
     "  r+=\" prime=\"+m.Math.19(97)+m.Math.19(91)+\" rnd=\"+m.Math.27(1)+m.Math.27(0)+(m.Math.27(6)<6)\n"
     "  r+=\" round=\"+N(m.Math.28(1.125,0,2))+\" pos=\"+Math.POS_OUT+Math.POS_IN+Math.POS_ON\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     "pow=1024 sqrt=1.5 abs=3.5 pi=111 eval=20 bad=[] len=5 polar=0 azimuth=0 len=5 polar=1 d3=5 sq3=25 "
     "none=0 sph=2/0 bearing=4.712389 self=-1 diff=-0.183185 norm=4.712389 signed=-1.570796 ease=0.25 "
     "eased=0.146447 lerp=4 prime=10 rnd=001 round=1.13 pos=012"},

    // Point, Size, Rectangle and Rectangle2D: setters, answers into Point,
    // Size and Vector2D objects, the Win32 point test, normalising, 32-bit
    // wrapping and the exact point test of the floating-point rectangle.
    {"Rectangles",
     "class Application\n"
     "  Point p new\n"
     "  Size s new\n"
     "  Rectangle r new\n"
     "  Rectangle q new\n"
     "  Rectangle2D f new\n"
     "  Rectangle2D g new\n"
     "  Vector2D v new\n"
     TRIMMED_NUMBER
     "function Void _00000000()\n"
     "  String t\n"
     "  p.Point.3(3,-4)\n"
     "  s.Size.3(7,8)\n"
     "  t=\"point=\"+p.Point.1()+\"/\"+p.Point.2()+\" size=\"+s.Size.1()+\"/\"+s.Size.2()\n"
     "  r.Rectangle.17(10,10,-10,-10)\n"
     "  t+=\" area=\"+r.Rectangle.1()+\" w=\"+r.Rectangle.13()+\" h=\"+r.Rectangle.6()\n"
     "  r.Rectangle.24()\n"
     "  t+=\" norm=\"+r.Rectangle.7()+r.Rectangle.10()+r.Rectangle.8()+r.Rectangle.2()\n"
     "  t+=\" in=\"+r.Rectangle.16(0,0)+r.Rectangle.16(10,5)\n"
     "  r.Rectangle.14(2,3)\n"
     "  r.Rectangle.3(p)\n"
     "  r.Rectangle.9(s)\n"
     "  t+=\" grown=\"+p.Point.1()+\"/\"+p.Point.2()+\" \"+s.Size.1()+\"x\"+s.Size.2()\n"
     "  q.Rectangle.0(r)\n"
     "  t+=\" eq=\"+q.Rectangle.15(r)\n"
     "  q.Rectangle.20(-3)\n"
     "  q.Rectangle.5(p)\n"
     "  r.Rectangle.5(null)\n"
     "  t+=\" ne=\"+q.Rectangle.15(r)+\" centre=\"+p.Point.1()+\"/\"+p.Point.2()\n"
     "  r.Rectangle.17(2147483647,0,1,1)\n"
     "  t+=\" wrap=\"+r.Rectangle.8()\n"
     "  f.Rectangle2D.16(0,0,10,10)\n"
     "  v.Vector2D.3(10,5)\n"
     "  t+=\" at=\"+f.Rectangle2D.23(v)\n"
     "  v.Vector2D.3(5,5)\n"
     "  t+=f.Rectangle2D.23(v)\n"
     "  v.Vector2D.3(10.5,5)\n"
     "  t+=f.Rectangle2D.23(v)\n"
     "  t+=\" out=\"+(f.Rectangle2D.23(v)==Math.POS_OUT)\n"
     "  f.Rectangle2D.14(2,3)\n"
     "  f.Rectangle2D.5(v)\n"
     "  t+=\" f=\"+N(f.Rectangle2D.7())+\"/\"+N(f.Rectangle2D.10())+\"/\"+N(f.Rectangle2D.13())+\"/\"+N(f.Rectangle2D.6())\n"
     "  t+=\" c=\"+N(v.Vector2D.1())+\"/\"+N(v.Vector2D.2())\n"
     "  g.Rectangle2D.0(f)\n"
     "  t+=\" same=\"+g.Rectangle2D.15(f)\n"
     "  g.Rectangle2D.22(-14)\n"
     "  g.Rectangle2D.24()\n"
     "  t+=\" flip=\"+N(g.Rectangle2D.7())+\"/\"+N(g.Rectangle2D.13())+\" area=\"+N(g.Rectangle2D.1())\n"
     "  Global.33(t,\"Result\")\n"
     "  Global.35()\n",
     "point=3/-4 size=7/8 area=100 w=10 h=10 norm=001010 in=10 grown=-2/13 14x16 eq=1 ne=0 centre=4/5 "
     "wrap=-2147483648 at=210 out=1 f=-2/-3/14/16 c=5/5 same=1 flip=-16/14 area=224"},

    // Vectors and triangles: chained setters, the exact right angle and its
    // near miss, the clockwise triangle that the point test reorders, vertex
    // indexes outside 0 to 2 refused, spreading, rotation, laying a
    // Triangle3D flat and projecting it.
    {"Triangles",
     "class Application\n"
     "  Triangle2D t new\n"
     "  Triangle3D u new\n"
     "  Vector2D v new\n"
     "  Vector2D c new\n"
     "  Vector3D w new\n"
     TRIMMED_NUMBER
     "function Void _00000000()\n"
     "  String r\n"
     "  Vector3D z\n"
     "  Vector2D y\n"
     "  t.Triangle2D.25(0,0,4,0,0,3)\n"
     "  r=\"right=\"+t.Triangle2D.15()+t.Triangle2D.21()+(t.Triangle2D.7(0)==1.5707963267948966)\n"
     "  r+=\" area=\"+N(t.Triangle2D.8())+\" perim=\"+N(t.Triangle2D.12())+\" apex=\"+t.Triangle2D.10()\n"
     "  t.Triangle2D.25(0,0,1,0,0,1)\n"
     "  r+=\" near=\"+t.Triangle2D.21()+t.Triangle2D.15()+\" apex=\"+t.Triangle2D.10()+\" iso=\"+t.Triangle2D.20()+\" eq=\"+t.Triangle2D.19()\n"
     "  t.Triangle2D.25(0,0,2,0,1,5)\n"
     "  r+=\" area5=\"+(t.Triangle2D.8()==5.000000000000001)\n"
     "  t.Triangle2D.25(0,0,0,1,1,0)\n"
     "  v.Vector2D.3(0.2,0.2)\n"
     "  r+=\" in=\"+t.Triangle2D.29(v)+\" b=\"+N(t.Triangle2D.16(1))+\"/\"+N(t.Triangle2D.17(1))\n"
     "  v.Vector2D.3(1,1)\n"
     "  r+=\" out=\"+t.Triangle2D.29(v)\n"
     "  v.Vector2D.3(7,7)\n"
     "  t.Triangle2D.14(v,3)\n"
     "  t.Triangle2D.26(5,v)\n"
     "  t.Triangle2D.27(-1,9)\n"
     "  t.Triangle2D.28(3,9)\n"
     "  r+=\" bad=\"+N(t.Triangle2D.16(3))+N(t.Triangle2D.17(-1))+N(v.Vector2D.1())+N(t.Triangle2D.7(3))+N(t.Triangle2D.11(-1))\n"
     "  t.Triangle2D.14(v,2)\n"
     "  r+=\" c=\"+N(v.Vector2D.1())+\"/\"+N(v.Vector2D.2())\n"
     "  t.Triangle2D.25(0,0,3,0,0,3)\n"
     "  t.Triangle2D.18(1,1)\n"
     "  t.Triangle2D.14(v,1)\n"
     "  r+=\" spread=\"+N(v.Vector2D.1())+\"/\"+N(v.Vector2D.2())\n"
     "  t.Triangle2D.25(0,1,2,0,0,0)\n"
     "  c.Vector2D.3(0,0)\n"
     "  t.Triangle2D.24(3.141592653589793,c)\n"
     "  r+=\" rot=\"+N(t.Triangle2D.16(0))+\"/\"+N(t.Triangle2D.17(0))+\"/\"+N(t.Triangle2D.16(1))\n"
     "  u.Triangle3D.6(0,0,0,3,0,0,0,0,4)\n"
     "  t.Triangle2D.1(u)\n"
     "  r+=\" flat=\"+N(t.Triangle2D.11(0))+\" \"+N(t.Triangle2D.11(1))+\" \"+N(t.Triangle2D.11(2))\n"
     "  t.Triangle2D.4(u)\n"
     "  r+=\" xy=\"+N(t.Triangle2D.16(1))+\"/\"+N(t.Triangle2D.17(2))\n"
     "  w.Vector3D.7(1,2,3)\n"
     "  u.Triangle3D.8(3,9)\n"
     "  u.Triangle3D.1(3,w)\n"
     "  u.Triangle3D.7(-1,w)\n"
     "  r+=\" t3=\"+N(u.Triangle3D.2(3))+N(u.Triangle3D.4(2))+N(w.Vector3D.5())\n"
     "  u.Triangle3D.1(2,w)\n"
     "  r+=\" w=\"+N(w.Vector3D.5())\n"
     "  w.Vector3D.7(1,1,1)\n"
     "  z=w.Vector3D.0(w)\n"
     "  y=v.Vector2D.3(1,2)\n"
     "  z.Vector3D.6(2)\n"
     "  r+=\" self=\"+(z==w)+(y==v)+N(w.Vector3D.3())+N(y.Vector2D.2())\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     "right=011 area=6 perim=12 apex=-1 near=0-1 apex=0 iso=1 eq=0 area5=1 in=1 b=1/0 out=0 bad=00700 "
     "c=0/1 spread=4/-1 rot=0/-1/-2 flat=5 4 3 xy=3/0 t3=043 w=4 self=1142"},
};

class ValuePrograms : public ::testing::TestWithParam<ResultProgram> {
 protected:
  static void SetUpTestSuite() { s_runs.StartAll(kPrograms, "values-"); }
  static void TearDownTestSuite() { s_runs.Clear(); }
  static inline e2e::ResultProgramRuns s_runs;
};

TEST_P(ValuePrograms, ShowsItsResultsAndEnds) { s_runs.Check(GetParam()); }

INSTANTIATE_TEST_SUITE_P(E2E, ValuePrograms, ::testing::ValuesIn(kPrograms),
                         [](const ::testing::TestParamInfo<ResultProgram>& info) { return info.param.name; });

}  // namespace
