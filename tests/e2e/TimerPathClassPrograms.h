// Programs that use the Timer and Path classes as applications do. Each
// keeps what it found in its String r, shows it in a box captioned
// "Result" and ends. The packed-program test runs them as applications;
// the host tests run the same texts on the engine's own build (where the
// box shows nothing) and read r.
#pragma once

#include <ostream>
#include <vector>

namespace timerpathprograms {

struct TimerPathProgram {
  const char* name;
  const char* program;
  const char* result;
};

// Test names and messages show the program's name.
inline void PrintTo(const TimerPathProgram& p, std::ostream* out) { *out << p.name; }

inline const std::vector<TimerPathProgram>& Programs() {
  static const std::vector<TimerPathProgram> programs = {
      // A due-date planner: an invoice of 31 January 2012 falls due a month
      // later, on 29 February; its weekday, its week of the month counted
      // from Sunday and from Monday, the days left from a given day, and a
      // refused 30 February. A "$" in a pattern is written "$$".
      {"Planner",
       "class Application\n"
       "  Timer invoice new\n"
       "  Timer due new\n"
       "  Timer today new\n"
       "  String r\n"
       "function Void _00000000()\n"
       "  invoice.Timer.22(2012,1,31,9,30)\n"
       "  due.Timer.0(invoice)\n"
       "  due.Timer.25(0,1)\n"
       "  r=due.Timer.20(\"#$$W #+D.#+M.#Y #+h:#+m #A\")\n"
       "  r+=\" leap=\"+due.Timer.49(2012)+due.Timer.49(1900)+due.Timer.49(2000)\n"
       "  r+=\" week=\"+due.Timer.35(true)+\"/\"+due.Timer.35()+\" year=\"+due.Timer.41(true)+\"/\"+due.Timer.41()\n"
       "  today.Timer.22(2012,2,5)\n"
       "  r+=\" left=\"+(due.Timer.45()-today.Timer.45())+\" cmp=\"+today.Timer.19(due)+due.Timer.19(today)\n"
       "  due.Timer.22(2012,2,30)\n"
       "  r+=\" kept=\"+due.Timer.32()+\" valid=\"+due.Timer.52(2012,2,30)+due.Timer.52(2012,2,29)\n"
       "  r+=\" season=\"+due.Timer.39()+\",\"+due.Timer.48(6,21)+\" roman=\"+due.Timer.44()\n"
       "  Global.33(r,\"Result\")\n"
       "  Global.35()\n",
       "Wednesday 29.02.2012 09:30 AM leap=101 week=5/5 year=9/10 left=24 cmp=-11 kept=29 valid=01 "
       "season=Winter,Summer roman=XXI"},

      // A history table: weekdays where the 28-year cycle does not hold
      // (before year 21 and outside 1901 to 2099) are the real ones.
      {"History",
       "class Application\n"
       "  Timer t new\n"
       "  String r\n"
       "function Void _00000000()\n"
       "  t.Timer.22(10,5,17)\n"
       "  r=\"10:\"+t.Timer.33()\n"
       "  t.Timer.22(20,12,31)\n"
       "  r+=\" 20:\"+t.Timer.33()\n"
       "  t.Timer.22(0,1,1)\n"
       "  r+=\" 0:\"+t.Timer.33()+t.Timer.20(\"#$$W\")\n"
       "  t.Timer.22(-100,1,1)\n"
       "  r+=\" -100:\"+t.Timer.33()+\" \"+t.Timer.44()\n"
       "  t.Timer.22(1600,2,29)\n"
       "  r+=\" 1600:\"+t.Timer.33()\n"
       "  t.Timer.22(1900,3,1)\n"
       "  r+=\" 1900:\"+t.Timer.33()\n"
       "  t.Timer.22(2100,1,1)\n"
       "  r+=\" 2100:\"+t.Timer.33()\n"
       "  t.Timer.22(9999,12,31)\n"
       "  r+=\" 9999:\"+t.Timer.33()\n"
       "  Global.33(r,\"Result\")\n"
       "  Global.35()\n",
       "10:1 20:4 0:6Saturday -100:1 I BC 1600:2 1900:4 2100:5 9999:5"},

      // Working hours: sessions added up into a span, shown as a pattern,
      // compared with a quota; a stopwatch around a wait of 60 ms, paused
      // for another 60 that do not count.
      {"WorkHours",
       "class Application\n"
       "  Timer total new\n"
       "  Timer quota new\n"
       "  Timer watch new\n"
       "  Integer ms\n"
       "  Integer paused\n"
       "  String r\n"
       "function Void _00000000()\n"
       "  total.Timer.11(0,30,45,7)\n"
       "  total.Timer.11(0,45,20,8)\n"
       "  total.Timer.11(1500,0,0,9)\n"
       "  r=total.Timer.8(\"#D d #+h:#+m:#+s.#+z\")+\" ms=\"+total.Timer.18()\n"
       "  quota.Timer.9(0,0,0,24)\n"
       "  r+=\" over=\"+total.Timer.7(quota)\n"
       "  total.Timer.12(0,0,0,48)\n"
       "  r+=\" rest=\"+total.Timer.8(\"#D #h #m #s\")\n"
       "  r+=\" pad=\"+total.Timer.2(7)+total.Timer.3(7)\n"
       "  watch.Timer.53()\n"
       "  Global.39(60)\n"
       "  paused=watch.Timer.55()\n"
       "  Global.39(60)\n"
       "  ms=watch.Timer.56()\n"
       "  r+=\" sw=\"+(paused>=50)+(ms-paused<30)+(watch.Timer.54()>=50)+watch.Timer.54()+(watch.Timer.5()>0)\n"
       "  Global.33(r,\"Result\")\n"
       "  Global.35()\n",
       "1 d 01:06:16.500 ms=90376500 over=1 rest=0 0 0 0 pad=07007 sw=11101"},

      // A log stamp taken apart field by field, moved by days and seconds,
      // and the clocks of the process; none of these may fail the call.
      {"Clock",
       "class Application\n"
       "  Timer t new\n"
       "  Timer now new\n"
       "  String r\n"
       "function Void _00000000()\n"
       "  t.Timer.22(2024,2,29,13,14,15,167)\n"
       "  r=\"\"+t.Timer.42()+\",\"+t.Timer.36()+\",\"+t.Timer.32()+\" \"+t.Timer.30()+\"/\"+t.Timer.31()\n"
       "  r+=\":\"+t.Timer.29()+\":\"+t.Timer.28()+\".\"+t.Timer.27()\n"
       "  r+=\" \"+t.Timer.37()+\" \"+t.Timer.38()+\" doy=\"+t.Timer.40()+\" c=\"+t.Timer.43()\n"
       "  r+=\" s=\"+(t.Timer.46()==t.Timer.45()*86400+47655)\n"
       "  t.Timer.26(0,0,60)\n"
       "  r+=\" back=\"+t.Timer.20(\"#Y-#+M-#+D #+h:#+m\")\n"
       "  r+=\" set=\"+t.Timer.23(t.Timer.45()+1)+\" next=\"+t.Timer.20(\"#Y-#+M-#+D #+h\")\n"
       "  r+=\" sec=\"+t.Timer.24(t.Timer.46()+90061)+\" \"+t.Timer.20(\"#+D #+h:#+m:#+s\")\n"
       "  r+=\" season=\"+t.Timer.47(3,21)+\" days=\"+t.Timer.50(2023,2)+\",\"+t.Timer.51(2024)\n"
       "  now.Timer.21()\n"
       "  r+=\" now=\"+(now.Timer.42()>=2024)\n"
       "  now.Timer.21(false)\n"
       "  r+=\"\"+(now.Timer.42()>=2024)+(now.Timer.6()>=0)+now.Timer.57()\n"
       "  Global.33(r,\"Result\")\n"
       "  Global.35()\n",
       "2024,2,29 13/1:14:15.167 February 4 doy=60 c=21 s=1 back=2023-12-31 13:14 set=1 "
       "next=2024-01-01 00 sec=1 02 01:01:01 season=1 days=28,366 now=1110"},

      // A site publisher: a local page renamed and moved to another drive,
      // split into parts, its URL built from the parts below its root, a
      // network share checked to hold it, and a bad name refused.
      {"Publisher",
       "class Application\n"
       "  Path page new\n"
       "  Path site new\n"
       "  Path url new\n"
       "  Path share new\n"
       "  StringArray parts new\n"
       "  String r\n"
       "function Void _00000000()\n"
       "  r=\"kind=\"+page.Path.29(\"C:\\Projects\\site\\docs\\Index.HTML\")\n"
       "  r+=\" \"+page.Path.4()+\".\"+page.Path.3()+\" in \"+page.Path.6(true)+\" parts=\"+page.Path.8()\n"
       "  site.Path.30(\"C:\\Projects\\site\")\n"
       "  r+=\" inside=\"+site.Path.25(page)+site.Path.25(page,true)+page.Path.25(site)\n"
       "  page.Path.33(\"home\")\n"
       "  page.Path.35(\"D:\\\")\n"
       "  r+=\" moved=\"+page.Path.1()\n"
       "  r+=\" bad=\"+page.Path.31(\"a?b\")+page.Path.35(\"D:\")+\" still=\"+page.Path.2()\n"
       "  page.Path.9(parts)\n"
       "  r+=\" split=\"+parts.StringArray.16(\"|\")\n"
       "  url.Path.29(\"https://example.com/\"+page.Path.27(2,-1,false,\"/\"))\n"
       "  r+=\" url=\"+url.Path.15()+url.Path.10()+\" root=\"+url.Path.11()\n"
       "  share.Path.29(\"\\\\server\\web\\site\\docs\\home.html\")\n"
       "  site.Path.29(\"\\\\SERVER\\web\\site\\\")\n"
       "  r+=\" share=\"+share.Path.15()+share.Path.22()+site.Path.25(share)+site.Path.24(share)\n"
       "  site.Path.0(false)\n"
       "  r+=\" folder=\"+site.Path.1()+\" \"+site.Path.16()\n"
       "  Global.33(r,\"Result\")\n"
       "  Global.35()\n",
       "kind=1 Index.html in docs parts=5 inside=110 moved=D:\\Projects\\site\\docs\\home.html "
       "bad=00 still=home.html split=D:\\|Projects\\|site\\|docs\\|home.html "
       "url=3example.com/site/docs/home.html root=https://example.com/ share=2110 "
       "folder=\\\\SERVER\\web\\site 0"},

      // A report file asked every question, renamed and archived; a drive
      // root and a text that is no path answer as such.
      {"Queries",
       "class Application\n"
       "  Path p new\n"
       "  String r\n"
       "function Void _00000000()\n"
       "  p.Path.29(\"C:\\Data\\2024\\report.final.TXT\")\n"
       "  r=\"parent=\"+p.Path.7()+\" with=\"+p.Path.12()+\" at=\"+p.Path.13(1)+p.Path.13(0,true)+\" n=\"+p.Path.14()\n"
       "  r+=\" is=\"+p.Path.17()+p.Path.18()+p.Path.19()+p.Path.20()+p.Path.21()+p.Path.23()+p.Path.26()\n"
       "  r+=\" ext=\"+p.Path.28()+p.Path.2()+\" \"+p.Path.32(\"csv\")+p.Path.2()\n"
       "  r+=\" move=\"+p.Path.34(\"Archive\\Old\")+p.Path.1()\n"
       "  p.Path.29(\"C:\\\")\n"
       "  r+=\" root=\"+p.Path.23()+p.Path.17()+p.Path.18()+\" \"+p.Path.7()+\"|\"\n"
       "  p.Path.29(\"bad>name\")\n"
       "  r+=\" bad=\"+p.Path.26()+p.Path.15()+p.Path.28()+p.Path.1()+\"|\"\n"
       "  Global.33(r,\"Result\")\n"
       "  Global.35()\n",
       "parent=C:\\Data\\2024\\ with=C:\\Data\\2024\\ at=2024\\Data n=2 is=1001101 "
       "ext=1report.final 1report.csv move=1C:\\Archive\\Old\\report.csv root=100 | bad=000|"},
  };
  return programs;
}

}  // namespace timerpathprograms
