// The List, Combo and Tree classes as applications use them: packed
// programs whose Application owns the controls, made in code and from
// dialog descriptions, calls their members and reports what it saw in a
// box; then the controls driven as a person does, with clicks and keys.
//
// The programs that need no input start together; those driven with
// synthesised input run alone, so that no other window takes their focus.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/DialogHarness.h"
#include "tests/e2e/PackedApp.h"

namespace {

using namespace e2e::dialogs;

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// A description holding a list (id 10, "L"), a drop-down list combo (id 20,
// "C") and a tree loaded from the tree file resource "tr" (id 30, "T").
std::string Description(const std::string& caption) {
  return "TAVRIN DIALOG 1.0.0.0\r\n\r\n"
         "[DIALOG]\r\nCAPTION=" + caption + "\r\nPOSITION=420 40 300 240\r\nSTYLE=WS_VISIBLE WS_CAPTION\r\n\r\n"
         "[LIST]\r\nID=10\r\nNAME=L\r\nPOSITION=10 10 80 100\r\nSTYLE=WS_VISIBLE\r\nLIST_CONTENT=red|green|blue\r\n\r\n"
         "[COMBO]\r\nID=20\r\nNAME=C\r\nPOSITION=100 10 80 100\r\nSTYLE=WS_VISIBLE CBS_DROPDOWNLIST\r\n"
         "COMBO_CONTENT=cat|dog\r\n\r\n"
         "[TREE]\r\nID=30\r\nNAME=T\r\nPOSITION=190 10 100 200\r\nSTYLE=WS_VISIBLE\r\nTREE_FILE=text\\tr\r\n\r\n";
}

const char kTreeFile[] =
    "TAVRIN TREE 1.0.0.0\r\n<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<xml><item text=\"Root\" data=\"9\" image=\"1\" imageSel=\"2\" expanded=\"1\" checked=\"0\" bold=\"1\">"
    "<item text=\"Leaf\"/></item><item text=\"Other\"/></xml>\r\n";

struct MemberProgram {
  const char* name;
  const char* program;
  std::vector<std::string> boxes;
};

const MemberProgram kPrograms[] = {
    // Without a window the searches and item reads answer -1, the others
    // nothing. Function 24 appends, inserts from a position, and appends for
    // a position past the end. Prefix and exact searches ignore case. Every
    // read and write of an item record checks the index: a missing item
    // reads "" or -1 and is never written. A point below the last item hits
    // none. Selection in an extended-selection list and a single one; colours
    // read back; the list of a description answers too.
    {"ListMembers",
     "class Application\n"
     "  Dialog d new\n"
     "  Dialog e new\n"
     "  List l new\n"
     "  List m new\n"
     "  List n new\n"
     "  List dl\n"
     "  StringArray s new\n"
     "  IntegerArray a new\n"
     "  Color c new\n"
     "  Rectangle r new\n"
     "  String log\n"
     "function Void _00000000()\n"
     "  log=\"none=\"+l.List.8()+l.List.13(0)+l.List.19()+l.List.23(\"x\")+l.List.4(\"x\")\n"
     "  r.Rectangle.17(40,40,440,340)\n"
     "  d.Dialog.70(r,\"Lists\")\n"
     "  r.Rectangle.17(10,10,110,200)\n"
     "  log+=\" create=\"+l.List.0(d,r)+l.List.0(d,r)\n"
     "  s.StringArray.14(\"one\")\n"
     "  s.StringArray.14(\"two\")\n"
     "  s.StringArray.14(\"three\")\n"
     "  log+=\" add=\"+l.List.24(s)+l.List.8()+\",\"+l.List.13(2)+l.List.14(2)+l.List.10(2)\n"
     "  l.List.23(\"four\")\n"
     "  l.List.23(\"five\")\n"
     "  log+=\" at1=\"+l.List.24(s,1)+l.List.16(1)+l.List.16(3)+l.List.16(4)\n"
     "  log+=\" at9=\"+l.List.24(s,9)+l.List.8()+l.List.16(10)+\" null=\"+l.List.24(null)\n"
     "  r.Rectangle.17(120,10,220,200)\n"
     "  n.List.0(d,r)\n"
     "  n.List.23(\"x\")\n"
     "  n.List.23(\"ABC\")\n"
     "  n.List.23(\"AB\")\n"
     "  log+=\" find=\"+n.List.4(\"ab\")+n.List.5(\"ab\")+n.List.4(\"\")+n.List.5(\"zz\")+n.List.4(\"ab\",2)\n"
     "  log+=\" bad=\"+n.List.16(7)+\"|\"+n.List.16(-1)+\"|\"+n.List.36(7,\"q\")+n.List.36(-1,\"q\")+n.List.13(7)\n"
     "  log+=\"\"+n.List.14(-3)+n.List.10(9)+n.List.32(9,1)+n.List.1(9)+n.List.1(-1)\n"
     "  n.List.33(7,4)\n"
     "  n.List.34(-1,4)\n"
     "  n.List.33(3,4)\n"
     "  log+=\" kept=\"+n.List.13(0)+n.List.14(0)+n.List.8()\n"
     "  n.List.33(1,2)\n"
     "  n.List.34(1,3)\n"
     "  log+=\" good=\"+n.List.36(1,\"Abc\")+n.List.16(1)+n.List.13(1)+n.List.14(1)+n.List.32(1,77)+n.List.10(1)\n"
     "  log+=\" point=\"+n.List.11(5,2)+n.List.11(5,190)+n.List.11(-5,5)\n"
     "  r.Rectangle.17(230,10,330,200)\n"
     "  m.List.0(d,r,\"\",\"WS_VISIBLE LBS_EXTENDEDSEL\")\n"
     "  m.List.24(s)\n"
     "  m.List.23(\"x\")\n"
     "  m.List.23(\"y\")\n"
     "  m.List.35(1)\n"
     "  m.List.35(3)\n"
     "  log+=\" multi=\"+m.List.18()+m.List.6(a)+a.IntegerArray.5(0)+a.IntegerArray.5(1)+m.List.25(3)+m.List.25(2)\n"
     "  log+=\"\"+m.List.19()+m.List.20()+\",\"+m.List.2()+m.List.8()+m.List.18()\n"
     "  m.List.37(0,2)\n"
     "  log+=\" range=\"+m.List.18()\n"
     "  m.List.37(0,2,0)\n"
     "  log+=\"\"+m.List.18()\n"
     "  n.List.38(2)\n"
     "  log+=\" single=\"+n.List.19()+n.List.20()+n.List.18()\n"
     "  n.List.35(1,0)\n"
     "  log+=\",\"+n.List.19()+n.List.18()+\"|\"+n.List.20()+\"|\"\n"
     "  n.List.39(\"zzz\")\n"
     "  log+=n.List.16(0)+n.List.16(1)+n.List.16(2)\n"
     "  log+=\" select=\"+n.List.41(\"abc\")+n.List.41(\"a\",0)+n.List.41(\"nothing\")+n.List.19()\n"
     "  n.List.39(\"changed\")\n"
     "  log+=n.List.16(1)\n"
     "  c.Color.26(255)\n"
     "  n.List.40(c)\n"
     "  c.Color.26(0)\n"
     "  log+=\" colour=\"+n.List.21(c)+c.Color.11()\n"
     "  c.Color.26(65280)\n"
     "  n.List.28(c)\n"
     "  c.Color.26(0)\n"
     "  log+=\",\"+n.List.7(c)+c.Color.11()+n.List.7(null)\n"
     "  log+=\" top=\"+l.List.42(5)+l.List.22()+l.List.42(-3)+l.List.22()\n"
     "  log+=\" height=\"+(n.List.12()>0)+(n.List.17()>0)+(n.List.9()>0)\n"
     "  n.List.26()\n"
     "  log+=\" empty=\"+n.List.8()+n.List.41(\"x\")\n"
     "  log+=\" desc=\"+e.Dialog.65(\"desc\",this)\n"
     "  dl=e.Dialog.25(\"L\")\n"
     "  log+=dl.List.8()+dl.List.16(1)+dl.List.23(\"white\")\n"
     "  l.List.3()\n"
     "  log+=\" gone=\"+l.List.8()+l.List.22()\n"
     "  Global.33(log,\"Result\")\n"
     "  Global.35()\n",
     {"none=0-1-1-1-1 create=10 add=33,-1-10 at1=3onethreetwo at9=311three null=0 find=12-1-12 "
      "bad=||00-1-10000 kept=-1-13 good=1Abc23177 point=0-1-1 multi=2213101two,230 range=30 "
      "single=2AB1,-10||xAbcAB select=11-11changed colour=1255,1652800 top=1010 height=111 empty=0-1 "
      "desc=13green3 gone=0-1"}},

    // Combo boxes of the three types. The text functions follow the type:
    // the edit box of a simple or drop-down combo, the selected item of a
    // drop-down list. Replacing an item's text keeps its value and the
    // selection where it was. Error answers pass through; CB_DIR lists the
    // three files of the pattern.
    {"ComboMembers",
     "class Application\n"
     "  Dialog d new\n"
     "  Dialog e new\n"
     "  Combo cl new\n"
     "  Combo ce new\n"
     "  Combo cs new\n"
     "  Combo cf new\n"
     "  Combo dc\n"
     "  Rectangle r new\n"
     "  String log\n"
     "function Void _00000000()\n"
     "  log=\"none=\"+cl.Combo.12()+cl.Combo.4(\"a\")+cl.Combo.7()+cl.Combo.15(\"a\")+\"|\"+cl.Combo.6()+\"|\"\n"
     "  r.Rectangle.17(40,40,440,340)\n"
     "  d.Dialog.70(r,\"Combos\")\n"
     "  r.Rectangle.17(10,10,110,200)\n"
     "  log+=\" create=\"+cl.Combo.0(d,r,\"\",\"WS_VISIBLE CBS_DROPDOWNLIST\")\n"
     "  cl.Combo.15(\"zero\")\n"
     "  cl.Combo.15(\"one\")\n"
     "  cl.Combo.15(\"two\")\n"
     "  log+=\" ins=\"+cl.Combo.15(\"top\",0)+cl.Combo.15(\"end\",-5)+cl.Combo.10(0)+cl.Combo.10(4)+cl.Combo.7()\n"
     "  cl.Combo.18(3,77)\n"
     "  log+=\" nosel=\"+cl.Combo.13()+\"|\"+cl.Combo.6()+\"|\"+cl.Combo.21(-1)+cl.Combo.12()\n"
     "  cl.Combo.21(0)\n"
     "  cl.Combo.20(3,\"TWO\")\n"
     "  log+=\" replace=\"+cl.Combo.12()+cl.Combo.10(3)+cl.Combo.8(3)+cl.Combo.13()\n"
     "  cl.Combo.20(9,\"none\")\n"
     "  log+=\" missing=\"+cl.Combo.8(9)+cl.Combo.10(9)+\"|\"+cl.Combo.10(-1)+\"|\"+cl.Combo.7()+cl.Combo.1(9)\n"
     "  cl.Combo.17(\"TOP\")\n"
     "  log+=\" itempath=\"+cl.Combo.6()+cl.Combo.10(0)+cl.Combo.12()+cl.Combo.7()\n"
     "  cl.Combo.22(\"Top\")\n"
     "  log+=\" find=\"+cl.Combo.4(\"tw\")+cl.Combo.5(\"two\")+cl.Combo.5(\"tw\")+cl.Combo.23(\"one\")+cl.Combo.12()\n"
     "  log+=\",\"+cl.Combo.23(\"ze\",0)+cl.Combo.12()+cl.Combo.23(\"nothing\")+cl.Combo.11(0)+cl.Combo.1(4)\n"
     "  r.Rectangle.17(120,10,220,200)\n"
     "  ce.Combo.0(d,r,\"typed\",\"WS_VISIBLE CBS_DROPDOWN\")\n"
     "  log+=\" edit=\"+ce.Combo.7()\n"
     "  ce.Combo.15(\"alpha\")\n"
     "  ce.Combo.15(\"beta\")\n"
     "  ce.Combo.21(1)\n"
     "  ce.Combo.17(\"free text\")\n"
     "  log+=\",\"+ce.Combo.6()+\",\"+ce.Combo.10(1)+ce.Combo.7()\n"
     "  r.Rectangle.17(230,10,330,200)\n"
     "  cs.Combo.0(d,r,\"\",\"WS_VISIBLE CBS_SIMPLE\")\n"
     "  cs.Combo.15(\"x\")\n"
     "  cs.Combo.21(0)\n"
     "  cs.Combo.17(\"y\")\n"
     "  log+=\" simple=\"+cs.Combo.6()+cs.Combo.10(0)\n"
     "  r.Rectangle.17(10,220,110,300)\n"
     "  cf.Combo.0(d,r,\"\",\"WS_VISIBLE CBS_DROPDOWNLIST\")\n"
     "  log+=\" files=\"+cf.Combo.3(\"*.cmb\")+cf.Combo.7()+cf.Combo.10(0)\n"
     "  log+=\" desc=\"+e.Dialog.65(\"desc\",this)\n"
     "  dc=e.Dialog.25(\"C\")\n"
     "  log+=dc.Combo.7()+dc.Combo.10(1)\n"
     "  cl.Combo.2()\n"
     "  log+=\" gone=\"+cl.Combo.7()+cl.Combo.12()\n"
     "  Global.33(log,\"Result\")\n"
     "  Global.35()\n",
     {"none=-1-10-1|| create=1 ins=04topend5 nosel=||0-1 replace=0TWO77top "
      "missing=4294967295||5-1 itempath=TOPTOP05 find=33-122,11-134 edit=0,free text,beta2 simple=yx "
      "files=33f1.cmb desc=12dog gone=0-1"}},
};

// The Tree's members over items made in code: navigation, searches, paths,
// copies and moves (refused into the item's own branch), items checked
// against the live ones (made up, deleted, deleted by a handler during a
// copy), tree files with and without attributes, Xml documents, a
// resource and a description.
const char kTreeProgram[] =
    "class Application\n"
    "  Dialog d new\n"
    "  Dialog e new\n"
    "  Tree t new\n"
    "  Tree u new\n"
    "  Tree dt\n"
    "  IntegerArray a new\n"
    "  Xml x new\n"
    "  Rectangle r new\n"
    "  String log\n"
    "  String ev\n"
    "  Integer music\n"
    "  Integer jazz\n"
    "  Integer miles\n"
    "  Integer rock\n"
    "  Integer books\n"
    "  Integer b1\n"
    "  Integer cp\n"
    "  Integer mv\n"
    "  Integer k\n"
    "  Integer kill\n"
    "  Integer copies\n"
    "  Integer moves\n"
    "  Integer deletes\n"
    "function Void _00000000()\n"
    "  log=\"none=\"+t.Tree.36(0)+t.Tree.31(0)+t.Tree.27()+t.Tree.48(\"x\")\n"
    "  r.Rectangle.17(40,40,440,440)\n"
    "  d.Dialog.70(r,\"Trees\")\n"
    "  r.Rectangle.17(10,10,190,380)\n"
    "  log+=\" create=\"+t.Tree.1(d,r,\"\",\"WS_VISIBLE TVS_HASBUTTONS TVS_LINESATROOT\")\n"
    "  music=t.Tree.48(\"Music\",-1,-1,0,-1,1)\n"
    "  jazz=t.Tree.48(\"Jazz\",-1,-1,music)\n"
    "  miles=t.Tree.48(\"miles\",-1,-1,jazz,-1,3)\n"
    "  rock=t.Tree.48(\"Rock\",-1,-1,music,-1,4)\n"
    "  books=t.Tree.48(\"Books\",2,3,0,-1,5)\n"
    "  b1=t.Tree.48(\"ABC\",-1,-1,books)\n"
    "  t.Tree.48(\"abc\",-1,-1,books,-1,5)\n"
    "  log+=\" count=\"+t.Tree.27()+t.Tree.19(music)+t.Tree.36(miles)+t.Tree.31(rock)+t.Tree.36(0)+t.Tree.30(books)\n"
    "  log+=\" nav=\"+t.Tree.34(t.Tree.18(0))+t.Tree.34(t.Tree.38(music))+t.Tree.34(t.Tree.40(miles))\n"
    "  log+=t.Tree.34(t.Tree.22(miles))+t.Tree.34(t.Tree.35(music))+t.Tree.34(t.Tree.21(rock))+t.Tree.34(t.Tree.24(music,1))\n"
    "  log+=\",\"+t.Tree.24(music,2)+t.Tree.16(music)+t.Tree.16(miles)\n"
    "  log+=\" find=\"+t.Tree.34(t.Tree.11(books,\"abc\"))+\"|\"\n"
    "  t.Tree.7()\n"
    "  log+=\"\"+t.Tree.11(books,\"abc\")+t.Tree.11(books,\"abc\",1)+t.Tree.50()\n"
    "  t.Tree.7(0)\n"
    "  log+=\"\"+t.Tree.50()+t.Tree.34(t.Tree.12(music,4))+t.Tree.34(t.Tree.13(miles,\"music\"))+t.Tree.34(t.Tree.14(miles,1))\n"
    "  log+=\" path=\"+t.Tree.32(miles)+\",\"+t.Tree.73(\"Music\\Jazz\")+t.Tree.45()+t.Tree.73(\"Music\\None\")\n"
    "  log+=t.Tree.45()+t.Tree.73(\"\")+t.Tree.43()\n"
    "  t.Tree.9(music,0,1)\n"
    "  t.Tree.9(music)\n"
    "  log+=\" expand=\"+t.Tree.53(music)+t.Tree.53(jazz)\n"
    "  t.Tree.9(music,1,1)\n"
    "  log+=\"\"+t.Tree.53(jazz)+t.Tree.51(miles,music)+t.Tree.51(miles,music,1)+t.Tree.51(music)+t.Tree.51(miles,0)\n"
    "  log+=\" branch=\"+t.Tree.20(a,music)+t.Tree.20(null,music)+t.Tree.34(a.IntegerArray.5(1))\n"
    "  cp=t.Tree.0(music)\n"
    "  log+=\" copy=\"+t.Tree.34(cp)+t.Tree.27()+copies+t.Tree.34(t.Tree.35(music))\n"
    "  log+=\" own=\"+t.Tree.0(music,jazz,1)+t.Tree.0(music,miles)+t.Tree.58(music,music)+t.Tree.58(music,jazz,1)\n"
    "  log+=\"\"+t.Tree.58(music,rock)+t.Tree.58(music,miles,0,0)+t.Tree.27()+copies+moves\n"
    "  mv=t.Tree.58(cp,books,1)\n"
    "  log+=\" move=\"+t.Tree.34(mv)+t.Tree.34(t.Tree.40(mv))+t.Tree.27()+moves+deletes+t.Tree.34(cp)\n"
    "  r.Rectangle.17(200,10,380,380)\n"
    "  u.Tree.1(d,r)\n"
    "  log+=\" other=\"+(t.Tree.58(mv,0,0,1,u)!=0)+u.Tree.27()+t.Tree.27()\n"
    "  log+=\" live=\"+t.Tree.34(12345)+t.Tree.28(12345)+t.Tree.3(12345)+t.Tree.19(12345)+t.Tree.0(12345)\n"
    "  t.Tree.3(rock)\n"
    "  log+=\",\"+t.Tree.34(rock)+t.Tree.48(\"r\",-1,-1,rock)+t.Tree.48(\"r\",-1,-1,0,rock)+t.Tree.27()\n"
    "  k=t.Tree.48(\"K\")\n"
    "  t.Tree.48(\"K1\",-1,-1,k)\n"
    "  t.Tree.48(\"K2\",-1,-1,k)\n"
    "  kill=k\n"
    "  cp=t.Tree.0(k)\n"
    "  log+=\" kill=\"+t.Tree.34(cp)+t.Tree.19(cp)+t.Tree.34(k)+t.Tree.27()\n"
    "  log+=\" save=\"+t.Tree.61(\"a.tree\")+t.Tree.61(\"plain.tree\",0)+u.Tree.55(\"a.tree\")+u.Tree.27()+u.Tree.61(\"b.tree\")\n"
    "  log+=\" plain=\"+u.Tree.55(\"plain.tree\",0)+\",\"+u.Tree.30(u.Tree.18(0))+\",\"+u.Tree.28(u.Tree.35(u.Tree.18(0)))\n"
    "  log+=\",\"+u.Tree.55(\"plain.tree\")+u.Tree.30(u.Tree.18(0))\n"
    "  log+=\" bad=\"+u.Tree.55(\"bad.tree\")+u.Tree.27()+u.Tree.55(\"missing.tree\")+u.Tree.56(\"none\")\n"
    "  u.Tree.59()\n"
    "  log+=\" xml=\"+t.Tree.62(x)+u.Tree.27()+\",\"+u.Tree.57(x)+\",\"+u.Tree.27()+u.Tree.57(null)\n"
    "  log+=\" res=\"+u.Tree.56(\"tr\")+u.Tree.27()+u.Tree.25(u.Tree.18(0))+u.Tree.53(u.Tree.18(0))+u.Tree.28(u.Tree.18(0))\n"
    "  log+=\" desc=\"+e.Dialog.65(\"desc\",this)\n"
    "  dt=e.Dialog.25(\"T\")\n"
    "  log+=dt.Tree.27()+dt.Tree.34(dt.Tree.18(0))\n"
    "  t.Tree.4()\n"
    "  log+=\" gone=\"+t.Tree.27()+t.Tree.36(0)\n"
    "  Global.33(log,\"Result\")\n"
    "  Global.35()\n"
    "message Void Tree.83(Integer source, Integer item, Tree other)\n"
    "  copies+=1\n"
    "  if kill!=0\n"
    "    k=kill\n"
    "    kill=0\n"
    "    t.Tree.3(k)\n"
    "  end\n"
    "message Void Tree.92(Integer source, Integer item, Tree other)\n"
    "  moves+=1\n"
    "message Void Tree.84(Integer item, Integer value)\n"
    "  deletes+=1\n";

TEST(ListClasses, ProgramsCallTheMembersOfListComboAndTree) {
  std::vector<std::unique_ptr<e2e::PackedApp>> apps;
  std::vector<std::string> names;
  auto start = [&](const std::string& name, const std::string& program, auto prepare) {
    auto app = std::make_unique<e2e::PackedApp>(name);
    app->AddResource("dialog\\desc", Description("Desc" + name));
    app->AddResource("text\\tr", kTreeFile);
    prepare(app->Folder());
    std::string error;
    ASSERT_TRUE(app->Pack(program, true, &error)) << name << ": " << error;
    ASSERT_TRUE(app->Start()) << name;
    apps.push_back(std::move(app));
    names.push_back(name);
  };
  for (const MemberProgram& p : kPrograms)
    start(p.name, p.program, [](const std::filesystem::path& folder) {
      for (const char* file : {"f1.cmb", "f2.cmb", "f3.cmb"}) WriteFile(folder / file, "x");
    });
  start("TreeMembers", kTreeProgram, [](const std::filesystem::path& folder) {
    WriteFile(folder / "bad.tree", "TAVRIN TREE 2.0.0.0\r\n<?xml version=\"1.0\"?>\r\n<xml><item text=\"n\"/></xml>\r\n");
  });
  ASSERT_EQ(apps.size(), 3u);
  for (size_t i = 0; i < 2; i++) {
    SCOPED_TRACE(names[i]);
    e2e::ExpectBoxesThenExit(*apps[i], "Result", kPrograms[i].boxes);
  }

  e2e::PackedApp& trees = *apps[2];
  e2e::ExpectBoxesThenExit(
      trees, "Result",
      {"none=-1-100 create=1 count=7221-12 nav=MusicBooksJazzRockBooksJazzRock,020 find=ABC|0010RockMusicMusic "
       "path=Music\\Jazz\\miles,1Jazz0Jazz10 expand=1010110 branch=33miles copy=Music114Music own=0000001140 "
       "move=MusicBooks1144 other=147 live=0000,006 kill=K07 save=11171 plain=1,0,0,10 bad=0700 "
       "xml=10,1,70 res=13119 desc=13Root gone=0-1"});
  // The file a tree wrote and the one its load wrote again are the same;
  // after the first line each is XML that a tool no one here wrote reads.
  std::string saved = e2e::ReadFileBytes(trees.Folder() / "a.tree");
  EXPECT_EQ(saved, e2e::ReadFileBytes(trees.Folder() / "b.tree"));
  ASSERT_EQ(saved.rfind("TAVRIN TREE 1.0.0.0\r\n", 0), 0u) << saved;
  for (const char* name : {"a.tree", "plain.tree"}) {
    std::string text = e2e::ReadFileBytes(trees.Folder() / name);
    std::string xml = GrabFolder() + "\\" + name + ".xml";
    WriteFile(xml, text.substr(text.find('\n') + 1));
    EXPECT_EQ(RunHostCommand("xmllint --noout '" + HostPath(xml) + "'"), 0) << text;
  }
  EXPECT_NE(saved.find("<item text=\"Books\" data=\"5\" image=\"2\" imageSel=\"3\""), std::string::npos) << saved;
  EXPECT_NE(e2e::ReadFileBytes(trees.Folder() / "plain.tree").find("<item text=\"Books\">"), std::string::npos);
}

// ---- Driven as a person does ---------------------------------------------------------------------

// A message to a window of the app, answered -1 when the app does not
// answer within 5 s: a hung app fails the step that waits on it instead of
// stalling the whole suite.
LRESULT Ask(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 5000, &answer)) return -1;
  return LRESULT(answer);
}

// A message whose lparam points at a T, sent to a window of the app: the T
// is copied into the app's memory and back.
template <class T>
LRESULT SendToApp(HWND window, UINT message, WPARAM wparam, T* data) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return 0;
  LRESULT answer = 0;
  if (void* remote = VirtualAllocEx(process, nullptr, sizeof(T), MEM_COMMIT, PAGE_READWRITE)) {
    WriteProcessMemory(process, remote, data, sizeof(T), nullptr);
    answer = Ask(window, message, wparam, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote, data, sizeof(T), nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return answer;
}

// The label of a tree item, in the tree's client coordinates.
RECT LabelRect(HWND tree, HTREEITEM item) {
  RECT rect = {};
  // The item goes in where the rectangle comes back.
  std::memcpy(&rect, &item, sizeof item);
  if (!SendToApp(tree, TVM_GETITEMRECT, TRUE, &rect)) return RECT{};
  return rect;
}

POINT Middle(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

HTREEITEM Item(HWND tree, UINT relation, HTREEITEM from = nullptr) {
  return reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
}

// The rightmost point left of the item's label where the tree's hit test
// answers the part (its check box, its button); x -1 when there is none.
POINT ScanLeftOfLabel(HWND tree, HTREEITEM item, UINT part) {
  RECT label = LabelRect(tree, item);
  for (int x = label.left - 1; x >= 0; x--) {
    TVHITTESTINFO hit = {};
    hit.pt = {x, Middle(label).y};
    SendToApp(tree, TVM_HITTEST, 0, &hit);
    if (hit.flags & part) return hit.pt;
  }
  return {-1, -1};
}

bool IsRed(COLORREF colour) { return GetRValue(colour) > 200 && GetGValue(colour) < 60 && GetBValue(colour) < 60; }

// Whether a red pixel shows on the window's client row y, from x 0 to width.
bool ShowsRed(HWND window, int y, int width) {
  HDC screen = GetDC(nullptr);
  bool found = false;
  for (int x = 0; x < width && !found; x += 2) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    found = IsRed(GetPixel(screen, p.x, p.y));
  }
  ReleaseDC(nullptr, screen);
  return found;
}

// Clicks and keys on a list and two combos; the list and a tree draw the
// red image of an ImageList whose object destroyed its list before they
// were shown.
TEST(ListClasses, ListAndComboAnswerClicksAndKeys) {
  const char* program =
      "class Application\n"
      "  Dialog d new\n"
      "  List l new\n"
      "  Combo ce new\n"
      "  Combo cl new\n"
      "  Tree t new\n"
      "  Image img new\n"
      "  ImageList il new\n"
      "  StringArray s new\n"
      "  Color c new\n"
      "  Rectangle r new\n"
      "  String ev\n"
      "function Void _00000000()\n"
      "  r.Rectangle.17(60,60,460,360)\n"
      "  d.Dialog.70(r,\"ListInput\")\n"
      "  img.Image.25(16,16)\n"
      "  c.Color.26(255)\n"
      "  img.Image.5(c)\n"
      "  il.ImageList.11(16,16)\n"
      "  il.ImageList.0(img)\n"
      "  r.Rectangle.17(10,10,120,190)\n"
      "  l.List.0(d,r,\"\",\"WS_VISIBLE WS_BORDER\")\n"
      "  s.StringArray.14(\"one\")\n"
      "  s.StringArray.14(\"two\")\n"
      "  s.StringArray.14(\"three\")\n"
      "  l.List.24(s,-1,0)\n"
      "  l.List.30(il)\n"
      "  r.Rectangle.17(140,10,120,100)\n"
      "  ce.Combo.0(d,r,\"\",\"WS_VISIBLE CBS_DROPDOWN\")\n"
      "  ce.Combo.15(\"alpha\")\n"
      "  r.Rectangle.17(140,60,120,100)\n"
      "  cl.Combo.0(d,r,\"\",\"WS_VISIBLE CBS_DROPDOWNLIST\")\n"
      "  cl.Combo.15(\"x\")\n"
      "  cl.Combo.15(\"y\")\n"
      "  r.Rectangle.17(270,10,120,190)\n"
      "  t.Tree.1(d,r)\n"
      "  t.Tree.65(il)\n"
      "  t.Tree.48(\"Red\",0,0)\n"
      "  il.ImageList.2()\n"
      "  ev=\"images=\"+il.ImageList.4()\n"
      "message Void List.45(Integer key)\n"
      "  ev+=\" k\"+key\n"
      "  if key==113\n"
      "    Global.33(ev,\"Result\")\n"
      "    Global.35()\n"
      "  end\n"
      "message Void List.49()\n"
      "  ev+=\" sel\"+l.List.19()\n"
      "message Void List.50()\n"
      "  ev+=\" dbl\"+l.List.19()\n"
      "message Void List.44(Integer lost)\n"
      "  ev+=\" f\"+lost\n"
      "message Void Combo.26()\n"
      "  ev+=\" edit:\"+ce.Combo.6()\n"
      "message Void Combo.31()\n"
      "  ev+=\" cs\"+cl.Combo.12()\n";
  e2e::PackedApp app("ListInput");
  std::string error;
  ASSERT_TRUE(app.Pack(program, true, &error)) << error;
  ASSERT_TRUE(app.Start());
  HWND dialog = WaitForDialog(app.ProcessId(), "ListInput", e2e::PackedApp::kBoxTimeout);
  ASSERT_NE(dialog, nullptr);
  // The constructor goes on making the controls once the dialog shows.
  HWND list = nullptr, editable = nullptr, dropList = nullptr, tree = nullptr;
  ASSERT_TRUE(PollUntil(
      [&] {
        list = FindWindowExA(dialog, nullptr, "ListBox", nullptr);
        editable = FindWindowExA(dialog, nullptr, "ComboBox", nullptr);
        dropList = editable ? FindWindowExA(dialog, editable, "ComboBox", nullptr) : nullptr;
        tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
        return list && editable && dropList && tree;
      },
      20000));
  HWND edit = FindWindowExA(editable, nullptr, "Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  SetForegroundWindow(dialog);

  const int height = int(Ask(list, LB_GETITEMHEIGHT));
  ASSERT_GE(height, 18);  // the image's 16 pixels and the margins
  EXPECT_TRUE(PollUntil([&] { return ShowsRed(list, height / 2, 24); }, 10000));
  EXPECT_TRUE(PollUntil([&] { return ShowsRed(tree, 8, 60); }, 10000));

  ASSERT_TRUE(ClickAt(list, 40, height + height / 2));
  ASSERT_TRUE(PollUntil([&] { return Ask(list, LB_GETCURSEL) == 1; }, 10000));
  PressKey(VK_DOWN);
  ASSERT_TRUE(PollUntil([&] { return Ask(list, LB_GETCURSEL) == 2; }, 10000));
  ASSERT_TRUE(DoubleClickAt(list, 40, 2 * height + height / 2));

  ASSERT_TRUE(ClickAt(edit, 5, 5));
  TypeText("hi");
  ASSERT_TRUE(PollUntil([&] { return Ask(edit, WM_GETTEXTLENGTH) == 2; }, 10000));
  ASSERT_TRUE(ClickAt(dropList, 10, 10));
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  ASSERT_TRUE(PollUntil([&] { return Ask(dropList, LB_GETCURSEL) >= 0 &&
                                     Ask(dropList, CB_GETCURSEL) >= 0; }, 10000));

  ASSERT_TRUE(ClickAt(list, 40, height / 2));
  PressKey(VK_F2);
  HWND box = app.WaitForBox("Result");
  ASSERT_NE(box, nullptr);
  std::string text = appboxes::ReadBox(box).text;
  EXPECT_EQ(text.rfind("images=0", 0), 0u) << text;
  for (const char* seen : {" f0", " sel1", " sel2 k40", " dbl2", " edit:h edit:hi", " cs0", " sel0", " k113"})
    EXPECT_NE(text.find(seen), std::string::npos) << seen << " in " << text;
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(app.WaitForExit(&code));
  EXPECT_EQ(code, 0u);
}

// Label editing refused and accepted by the handlers, a check box click
// whose cascade raises one event, a drag inside a description's tree whose
// drop handler turns the move into a copy before the target, and a folder
// expanded by the keyboard, its "*" replaced by the sub-folder.
TEST(ListClasses, TreeAnswersLabelEditsChecksDragsAndFolders) {
  const char* program =
      "class Application\n"
      "  Dialog d new\n"
      "  Dialog e new\n"
      "  Tree t new\n"
      "  Tree k new\n"
      "  Tree f new\n"
      "  Tree dt\n"
      "  List lg new\n"
      "  Rectangle r new\n"
      "  Integer alpha\n"
      "  Integer beta\n"
      "  Integer p\n"
      "  Integer c2\n"
      "  String ev\n"
      "function Void Log(String s)\n"
      "  ev+=s\n"
      "  lg.List.23(s)\n"
      "function Void _00000000()\n"
      "  r.Rectangle.17(20,20,620,440)\n"
      "  d.Dialog.70(r,\"TreeInput\")\n"
      "  r.Rectangle.17(10,10,140,190)\n"
      "  t.Tree.1(d,r,\"\",\"WS_VISIBLE WS_BORDER TVS_EDITLABELS TVS_SHOWSELALWAYS\")\n"
      "  alpha=t.Tree.48(\"Alpha\")\n"
      "  beta=t.Tree.48(\"Beta\")\n"
      "  r.Rectangle.17(160,10,140,190)\n"
      "  k.Tree.1(d,r,\"\",\"WS_VISIBLE WS_BORDER TVS_CHECKBOXES TVS_HASBUTTONS TVS_LINESATROOT\")\n"
      "  p=k.Tree.48(\"Parent\")\n"
      "  k.Tree.48(\"C1\",-1,-1,p)\n"
      "  c2=k.Tree.48(\"C2\",-1,-1,p)\n"
      "  k.Tree.48(\"C21\",-1,-1,c2)\n"
      "  k.Tree.9(p,1,1)\n"
      "  r.Rectangle.17(310,10,140,190)\n"
      "  f.Tree.1(d,r,\"\",\"WS_VISIBLE WS_BORDER TVS_HASBUTTONS TVS_LINESATROOT\")\n"
      "  ev=\"folder=\"+f.Tree.10(\"fold\")+f.Tree.52()+f.Tree.19(0)+f.Tree.73(\"sub1\")\n"
      "  ev+=f.Tree.34(f.Tree.18(f.Tree.43()))\n"
      "  r.Rectangle.17(10,210,290,160)\n"
      "  lg.List.0(d,r)\n"
      "  e.Dialog.65(\"drag\",this)\n"
      "  dt=e.Dialog.25(\"T\")\n"
      "message Integer Tree.78(Integer item)\n"
      "  Log(\" begin:\"+t.Tree.34(item))\n"
      "  if item==alpha\n"
      "    return 1\n"
      "  end\n"
      "  return 0\n"
      "message Integer Tree.86(Integer item, String old, String text)\n"
      "  Log(\" end:\"+old+\">\"+text)\n"
      "  if text==\"Bx\"\n"
      "    return 1\n"
      "  end\n"
      "  return 0\n"
      "message Void Tree.81(Integer item)\n"
      "  Log(\" cancel:\"+t.Tree.34(item))\n"
      "message Void Tree.82(Integer item, Integer checked)\n"
      "  Log(\" check:\"+k.Tree.34(item)+checked+k.Tree.26(k.Tree.18(p))+k.Tree.26(k.Tree.18(c2)))\n"
      "message Integer Tree.77(Integer item)\n"
      "  Log(\" drag:\"+dt.Tree.34(item))\n"
      "  return 0\n"
      "message Integer Tree.85(Integer source, Integer target, Tree other, Value move, Value child, Value after)\n"
      "  Log(\" drop:\"+dt.Tree.34(source)+\">\"+dt.Tree.34(target))\n"
      "  move.Value.17(0)\n"
      "  child.Value.17(0)\n"
      "  after.Value.17(0)\n"
      "  return 0\n"
      "message Void Tree.83(Integer source, Integer item, Tree other)\n"
      "  Log(\" copied:\"+dt.Tree.34(item))\n"
      "message Void Tree.80(Integer item)\n"
      "  Log(\" nodrop\")\n"
      "message Void Tree.87(Integer item, Integer expanded)\n"
      "  Log(\" expanded:\"+f.Tree.34(item)+expanded+\":\"+f.Tree.34(f.Tree.18(item)))\n"
      "message Void List.45(Integer key)\n"
      "  if key==113\n"
      "    ev+=\" final=\"+t.Tree.34(alpha)+\",\"+t.Tree.34(beta)+\" tree=\"+dt.Tree.34(dt.Tree.18(0))\n"
      "    ev+=\",\"+dt.Tree.34(dt.Tree.38(dt.Tree.18(0)))+dt.Tree.19(0)+dt.Tree.31(dt.Tree.43())\n"
      "    Global.33(ev,\"Result\")\n"
      "    Global.35()\n"
      "  end\n";
  const std::string description =
      "TAVRIN DIALOG 1.0.0.0\r\n\r\n"
      "[DIALOG]\r\nCAPTION=DragTree\r\nPOSITION=640 40 200 240\r\nSTYLE=WS_VISIBLE WS_CAPTION\r\n\r\n"
      "[TREE]\r\nID=30\r\nNAME=T\r\nPOSITION=10 10 170 200\r\nSTYLE=WS_VISIBLE TVS_HASBUTTONS TVS_LINESATROOT\r\n"
      "TREE_FILE=text\\tr\r\n\r\n";
  e2e::PackedApp app("TreeInput");
  app.AddResource("dialog\\drag", description);
  app.AddResource("text\\tr", kTreeFile);
  std::filesystem::create_directories(app.Folder() / "fold" / "sub1" / "subsub");
  std::filesystem::create_directories(app.Folder() / "fold" / "sub2");
  std::string error;
  ASSERT_TRUE(app.Pack(program, true, &error)) << error;
  ASSERT_TRUE(app.Start());
  HWND dialog = WaitForDialog(app.ProcessId(), "TreeInput", e2e::PackedApp::kBoxTimeout);
  ASSERT_NE(dialog, nullptr);
  HWND dragDialog = WaitForDialog(app.ProcessId(), "DragTree", 20000);
  ASSERT_NE(dragDialog, nullptr);
  HWND labels = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
  HWND checks = labels ? FindWindowExA(dialog, labels, WC_TREEVIEWA, nullptr) : nullptr;
  HWND folders = checks ? FindWindowExA(dialog, checks, WC_TREEVIEWA, nullptr) : nullptr;
  HWND log = FindWindowExA(dialog, nullptr, "ListBox", nullptr);
  HWND drag = FindWindowExA(dragDialog, nullptr, WC_TREEVIEWA, nullptr);
  ASSERT_TRUE(labels && checks && folders && log && drag);
  auto logged = [&] { return int(Ask(log, LB_GETCOUNT)); };
  // Each step waits until its handlers have written so many more lines.
  int expected = 0;
  auto waitLogged = [&](int more) {
    expected += more;
    return PollUntil([&] { return logged() >= expected; }, 10000);
  };
  auto editor = [&] { return reinterpret_cast<HWND>(Ask(labels, TVM_GETEDITCONTROL)); };
  auto clickItem = [&](HWND tree, HTREEITEM item) {
    POINT at = Middle(LabelRect(tree, item));
    return ClickAt(tree, at.x, at.y);
  };
  SetForegroundWindow(dialog);

  // Label editing: Alpha's is refused by event 78; Beta's new text "Bx"
  // by event 86, "Better" accepted; Escape cancels (event 81).
  HTREEITEM alpha = Item(labels, TVGN_ROOT), beta = Item(labels, TVGN_NEXT, alpha);
  ASSERT_TRUE(alpha && beta);
  ASSERT_TRUE(clickItem(labels, alpha));
  PressKey(VK_F2);
  ASSERT_TRUE(waitLogged(1));
  // The tree view opens its editor before it asks, and closes it on the refusal.
  EXPECT_TRUE(PollUntil([&] { return editor() == nullptr; }, 10000));
  ASSERT_TRUE(clickItem(labels, beta));
  PressKey(VK_F2);
  ASSERT_TRUE(PollUntil([&] { return editor() != nullptr; }, 10000));
  TypeText("Bx");
  PressKey(VK_RETURN);
  ASSERT_TRUE(waitLogged(2));
  ASSERT_TRUE(PollUntil([&] { return editor() == nullptr; }, 10000));
  PressKey(VK_F2);
  ASSERT_TRUE(PollUntil([&] { return editor() != nullptr; }, 10000));
  TypeText("Better");
  PressKey(VK_RETURN);
  ASSERT_TRUE(waitLogged(2));
  ASSERT_TRUE(PollUntil([&] { return editor() == nullptr; }, 10000));
  PressKey(VK_F2);
  ASSERT_TRUE(PollUntil([&] { return editor() != nullptr; }, 10000));
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(waitLogged(2));

  // The parent's check box, found left of its label.
  POINT box = ScanLeftOfLabel(checks, Item(checks, TVGN_ROOT), TVHT_ONITEMSTATEICON);
  ASSERT_GE(box.x, 0);
  ASSERT_TRUE(ClickAt(checks, box.x - 6, box.y));
  EXPECT_TRUE(waitLogged(1));

  // Other dragged onto Root's label, step by step.
  HTREEITEM root = Item(drag, TVGN_ROOT), leaf = Item(drag, TVGN_CHILD, root), other = Item(drag, TVGN_NEXT, root);
  ASSERT_TRUE(root && leaf && other);
  POINT from = Middle(LabelRect(drag, other)), to = Middle(LabelRect(drag, root));
  SetForegroundWindow(dragDialog);
  ASSERT_TRUE(MoveMouseTo(drag, from.x, from.y));
  LeftButton(true);
  ASSERT_TRUE(MoveMouseTo(drag, from.x, (from.y + to.y) / 2));
  ASSERT_TRUE(MoveMouseTo(drag, to.x, to.y));
  EXPECT_TRUE(waitLogged(1));  // the drag started
  LeftButton(false);
  EXPECT_TRUE(waitLogged(2));  // dropped and copied

  // The folder sub1, selected by the program, expanded by a click on its
  // button.
  SetForegroundWindow(dialog);
  HTREEITEM sub1 = Item(folders, TVGN_CARET);
  ASSERT_NE(sub1, nullptr);
  POINT plus = ScanLeftOfLabel(folders, sub1, TVHT_ONITEMBUTTON);
  ASSERT_GE(plus.x, 0);
  ASSERT_TRUE(ClickAt(folders, plus.x - 3, plus.y));
  EXPECT_TRUE(waitLogged(1));

  ASSERT_TRUE(ClickAt(log, 5, 5));
  PressKey(VK_F2);
  HWND result = app.WaitForBox("Result");
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(appboxes::ReadBox(result).text,
            "folder=1121* begin:Alpha begin:Beta end:Beta>Bx begin:Beta end:Beta>Better begin:Better cancel:Better"
            " check:Parent111 drag:Other drop:Other>Root copied:Other expanded:sub11:subsub"
            " final=Alpha,Better tree=Other,Root30");
  ASSERT_TRUE(e2e::PackedApp::Press(result, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(app.WaitForExit(&code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
