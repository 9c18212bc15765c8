// Whole programs run as packed applications: each shows what it computed in
// message boxes captioned "Result", which the test reads and closes in turn,
// and then must end by itself with exit code 0 and no further box.
//
// Every start costs seconds under emulation, so all the programs are
// started together before the first one is read (their boxes are told apart
// by process id), and each program puts many checks into one text.
#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/PackedApp.h"

namespace fs = std::filesystem;

namespace {

struct ProgramCase {
  const char* name;
  const char* program;
  // The texts of its boxes, in order.
  std::vector<std::string> results;
  // The caption of its boxes; a program that does not build is packed
  // unchecked and ends in the engine's own box.
  const char* caption = "Result";
  // Checks the files it left in its folder, after it ended.
  void (*checkFiles)(const fs::path& folder) = nullptr;
  // Resources packed with it: name and bytes.
  std::vector<std::pair<std::string, std::string>> resources = {};
  // Its command line after the program's path.
  const char* arguments = "";
};

// Failures name the program rather than dump its bytes.
void PrintTo(const ProgramCase& c, std::ostream* out) { *out << c.name; }

const char kSentence[] = "The quick brown fox jumps over the lazy dog";

// The 7-bit printable form of a stream: each group of up to 7 bytes, its
// bits most significant first, cut into 7-bit values (the last one filled
// with zero bits), each written plus 32; one byte 255 ends the text.
std::string SevenBitText(const std::string& bytes) {
  std::string out;
  for (size_t group = 0; group < bytes.size(); group += 7) {
    size_t n = std::min<size_t>(7, bytes.size() - group);
    unsigned bits = 0;
    int count = 0;
    for (size_t i = 0; i < n; i++) {
      bits = (bits << 8) | uint8_t(bytes[group + i]);
      count += 8;
      while (count >= 7) {
        out += char(((bits >> (count - 7)) & 0x7F) + 32);
        count -= 7;
      }
    }
    if (count > 0) out += char(((bits << (7 - count)) & 0x7F) + 32);
  }
  return out + char(0xFF);
}

// The bytes of a compressed block stream inflated with zlib: a 32-bit block
// count, then per block its raw size, its packed size and the zlib data.
std::string InflateBlocks(const std::string& stream) {
  auto word = [&](size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; i--) v = (v << 8) | uint8_t(stream[at + size_t(i)]);
    return v;
  };
  if (stream.size() < 4) return "<short>";
  std::string out;
  size_t at = 4;
  for (uint32_t block = 0, blocks = word(0); block < blocks; block++) {
    if (at + 8 > stream.size()) return "<short>";
    uLongf raw = word(at), packed = word(at + 4);
    at += 8;
    if (at + packed > stream.size()) return "<short>";
    std::string bytes(raw, '\0');
    if (uncompress(reinterpret_cast<Bytef*>(bytes.data()), &raw,
                   reinterpret_cast<const Bytef*>(stream.data() + at), packed) != Z_OK)
      return "<not zlib>";
    out += bytes.substr(0, raw);
    at += packed;
  }
  return at == stream.size() ? out : "<trailing bytes>";
}

void CheckWrittenFiles(const fs::path& folder) {
  EXPECT_EQ(e2e::ReadFileBytes(folder / "lines.txt"), "first line\r\nx=Aend");
  EXPECT_EQ(e2e::ReadFileBytes(folder / "plain.bin"), kSentence);
  // The key's bytes, cycled, added modulo 256.
  std::string scrambled = kSentence;
  const std::string key = "k3y";
  for (size_t i = 0; i < scrambled.size(); i++) scrambled[i] = char(scrambled[i] + key[i % key.size()]);
  EXPECT_EQ(e2e::ReadFileBytes(folder / "scrambled.bin"), scrambled);
  EXPECT_EQ(InflateBlocks(e2e::ReadFileBytes(folder / "packed.bin")), kSentence);
  EXPECT_EQ(e2e::ReadFileBytes(folder / "seven.txt"), SevenBitText(kSentence));
}

const char kFatal[] = "Fatal Error";

const ProgramCase kPrograms[] = {
    {"Arithmetic",
     "class Application\n"
     "  constant BASE 40\n"
     "  Float half\n"
     "function Integer Twice(Integer n)\n"
     "  return n*2\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  Integer i\n"
     "  Float g\n"
     "  r=\"arith=\"+((BASE+2)*3-7%4)\n"
     "  i=17\n"
     "  i*=3\n"
     "  i-=1\n"
     "  r+=\" i=\"+i\n"
     "  half=7\n"
     "  half/=2\n"
     "  r+=\" half=\"+half\n"
     "  r+=\" bits=\"+((6|9)^(12&10)<<1)+\" shr=\"+(-16>>2)\n"
     "  r+=\" neg=\"+(-5*3)+\" not=\"+(!0)+(!7)\n"
     "  r+=\" logic=\"+(i>2 and i<60)+(i<2 or i==50)\n"
     "  i/=4\n"
     "  r+=\" idiv=\"+i\n"
     "  i%=5\n"
     "  g=2.7\n"
     "  r+=\" imod=\"+i+\" conv=\"+Twice(g)\n"
     "  r+=\" trunc=\"+Global.9(-2.7)+\" atoi=\"+Global.41(\"  -12ab\")+\" toggle=\"+Global.8(5,4)\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     // A double's text is printed in a field of 16 before its trailing zeros go.
     {"arith=123 i=50 half=        3.5 bits=31 shr=-4 neg=-15 not=10 logic=11 idiv=12 imod=2 conv=4 trunc=-2 atoi=-12 toggle=1"}},

    {"Strings",
     "class Application\n"
     "  String name\n"
     "function Void _00000000()\n"
     "  String s\n"
     "  String t\n"
     "  name=\"Tavrin\"\n"
     "  s=\"ab\"\n"
     "  s+=1\n"
     "  s*=2\n"
     "  s+=\"-$name-\"+name.String.9()\n"
     "  t=name.String.41()\n"
     "  s+=\" \"+t+\" \"+name.String.28(1,3)+\" \"+name.String.60(\"v\")\n"
     "  s+=\" \"+Global.19(65)+Global.20(\"a\")+\" \"+(\"abc\"<\"abd\")+(\"tavrin.exe\"?=\"*.exe\")\n"
     "  s+=\" md5=\"+Global.32(\"abc\")+\" a, b%2C c\"\n"
     "  Global.33(s,\"Result\")\n"
     "  Global.35()\n",
     {"ab1-Tavrin-6 TAVRIN avr 2 A97 11 md5=900150983CD24FB0D6963F7D28E17F72 a, b, c"}},

    {"Loops",
     "class Application\n"
     "function Integer Sum(Integer n)\n"
     "  Integer total\n"
     "  Integer i\n"
     "  for i=1;i<=n;i++\n"
     "    if i==3\n"
     "      continue\n"
     "    end\n"
     "    if i>8\n"
     "      break\n"
     "    end\n"
     "    total+=i\n"
     "  end\n"
     "  return total\n"
     "function Integer FirstSquareOver(Integer limit)\n"
     "  Integer i\n"
     "  while 1\n"
     "    i++\n"
     "    if i*i>limit\n"
     "      return i\n"
     "    end\n"
     "  end\n"
     "  return -1\n"
     "function String Table()\n"
     "  String t\n"
     "  Integer row\n"
     "  Integer col\n"
     "  for row=1;row<=3;row++\n"
     "    for col=1;col<=row;col++\n"
     "      t+=row*col\n"
     "    end\n"
     "    t+=\"/\"\n"
     "  end\n"
     "  return t\n"
     "function Integer Countdown(Integer n)\n"
     "  Integer steps\n"
     "  while n>0\n"
     "    n-=3\n"
     "    steps++\n"
     "  end\n"
     "  return steps\n"
     "function Void _00000000()\n"
     "  Global.33(\"sum=\"+Sum(100)+\" first=\"+FirstSquareOver(50)+\" table=\"+Table()+\" steps=\"+Countdown(10)+Countdown(0),\"Result\")\n"
     "  Global.35()\n",
     {"sum=33 first=8 table=1/24/369/ steps=40"}},

    {"Branches",
     "class Application\n"
     "function String Grade(Integer n)\n"
     "  if n>=90\n"
     "    return \"A\"\n"
     "  elseif n>=80\n"
     "    if n>=85\n"
     "      return \"B+\"\n"
     "    else\n"
     "      return \"B\"\n"
     "    end\n"
     "  elseif n>=70\n"
     "    n=0\n"
     "  else\n"
     "    return \"F\"\n"
     "  end\n"
     "  return \"C\"+n\n"
     "function Integer Label(Integer v)\n"
     "  Integer r\n"
     "  switch v\n"
     "  case 1\n"
     "    r+=1\n"
     "  default\n"
     "    r+=10\n"
     "  case 2\n"
     "    r+=100\n"
     "    break\n"
     "  case 3\n"
     "    r+=1000\n"
     "  end\n"
     "  return r\n"
     "function String Word(String w)\n"
     "  switch w\n"
     "  case \"one\"\n"
     "    return \"1\"\n"
     "  case \"two\"\n"
     "    return \"2\"\n"
     "  end\n"
     "  return \"-\"\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  r=Grade(95)+\"/\"+Grade(87)+\"/\"+Grade(81)+\"/\"+Grade(75)+\"/\"+Grade(5)\n"
     "  r+=\" \"+Label(1)+\"/\"+Label(2)+\"/\"+Label(3)+\"/\"+Label(7)\n"
     "  r+=\" \"+Word(\"two\")+Word(\"one\")+Word(\"six\")\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     {"A/B+/B/C0/F 111/100/1000/110 21-"}},

    {"Recursion",
     "class Application\n"
     "function Integer Fact(Integer n)\n"
     "  if n<2\n"
     "    return 1\n"
     "  end\n"
     "  return n*Fact(n-1)\n"
     "function Integer Fib(Integer n)\n"
     "  if n<2\n"
     "    return n\n"
     "  end\n"
     "  return Fib(n-1)+Fib(n-2)\n"
     "function Integer Even(Integer n)\n"
     "  if n==0\n"
     "    return 1\n"
     "  end\n"
     "  return Odd(n-1)\n"
     "function Integer Odd(Integer n)\n"
     "  if n==0\n"
     "    return 0\n"
     "  end\n"
     "  return Even(n-1)\n"
     "function Integer Ack(Integer m,Integer n)\n"
     "  if m==0\n"
     "    return n+1\n"
     "  elseif n==0\n"
     "    return Ack(m-1,1)\n"
     "  end\n"
     "  return Ack(m-1,Ack(m,n-1))\n"
     "function String Reverse(String s)\n"
     "  if s.String.9()<2\n"
     "    return s\n"
     "  end\n"
     "  return Reverse(s.String.28(1))+s.String.26(1)\n"
     "function Void _00000000()\n"
     "  Global.33(\"fact=\"+Fact(20)+\" fib=\"+Fib(12)+\" even=\"+Even(11)+Even(12)+\" ack=\"+Ack(2,3)+\" rev=\"+Reverse(\"stack\"),\"Result\")\n"
     "  Global.35()\n",
     {"fact=2432902008176640000 fib=144 even=01 ack=9 rev=kcats"}},

    // A member object raises its event while the Application handles it; a
    // second object made with new has no owner until it is intercepted; a
    // derived class overrides a member its base calls, also when it is
    // passed where its base class is declared.
    {"Events",
     "class Application\n"
     "  Counter counter new\n"
     "  String log\n"
     "function Void _00000000()\n"
     "  Integer i\n"
     "  Counter other\n"
     "  Shape shape\n"
     "  Square sq\n"
     "  for i=0;i<5;i++\n"
     "    counter.Step()\n"
     "  end\n"
     "  log+=\" total=\"+counter.total\n"
     "  other=new Counter\n"
     "  other.Step()\n"
     "  other.Step()\n"
     "  log+=\" lone=\"+other.total\n"
     "  intercept other\n"
     "  other.Step()\n"
     "  other.Step()\n"
     "  log+=\" caught=\"+other.total\n"
     "  delete other\n"
     "  shape=new Square\n"
     "  sq=new Square\n"
     "  log+=\" shape=\"+shape.Describe()+\" show=\"+Show(sq)\n"
     "  delete shape\n"
     "  delete sq\n"
     "  Global.33(log,\"Result\")\n"
     "  Global.35()\n"
     "function String Show(Shape s)\n"
     "  return s.Describe()\n"
     "message Integer Counter.Reached(Integer value)\n"
     "  log+=\"<\"+value+\">\"\n"
     "  return 100\n"
     "class Counter\n"
     "  Integer total\n"
     "event Integer Reached(Integer value)\n"
     "function Void Step()\n"
     "  total++\n"
     "  if total%2==0\n"
     "    total+=Reached(total)\n"
     "  end\n"
     "class Shape\n"
     "function Integer Area()\n"
     "  return 0\n"
     "function String Describe()\n"
     "  return \"area \"+Area()\n"
     "class Square : Shape\n"
     "function Integer Area()\n"
     "  return 9\n",
     {"<2><104> total=205 lone=2<4> caught=104 shape=area 9 show=area 9"}},

    // Ending in the middle: the rest of the constructor, and any box after
    // it, never run.
    {"EarlyExit",
     "class Application\n"
     "function Void Finish()\n"
     "  Global.35()\n"
     "  Global.33(\"after exit\",\"Result\")\n"
     "function Void _00000000()\n"
     "  Global.33(\"before exit\",\"Result\")\n"
     "  Finish()\n"
     "  Global.33(\"after finish\",\"Result\")\n",
     {"before exit"}},

    // A failing member call stops the script and ends the application.
    {"FailureEnds",
     "class Application\n"
     "function Void _00000000()\n"
     "  Integer n\n"
     "  Global.33(\"dividing\",\"Result\")\n"
     "  n/=0\n"
     "  Global.33(\"divided\",\"Result\")\n",
     {"dividing"}},

    // Recursion without end fails at the bound of nested calls instead of
    // overflowing the machine stack: the application ends in order.
    {"RunawayRecursion",
     "class Application\n"
     "function Integer Down(Integer n)\n"
     "  return Down(n+1)+1\n"
     "function Void _00000000()\n"
     "  Global.33(\"descending\",\"Result\")\n"
     "  Down(0)\n"
     "  Global.33(\"returned\",\"Result\")\n",
     {"descending"}},

    // The loop polls and calls the idle member until it ends the program;
    // the destructor still runs at the end.
    {"IdleLoop",
     "class Application\n"
     "  Integer ticks\n"
     "function Void _00000000()\n"
     "  Global.3(1)\n"
     "function Void _00000002()\n"
     "  ticks++\n"
     "  if ticks==3\n"
     "    Global.33(\"ticks=\"+ticks,\"Result\")\n"
     "    Global.35()\n"
     "  end\n"
     "function Void _00000001()\n"
     "  Global.33(\"destroyed after \"+ticks,\"Result\")\n",
     {"ticks=3", "destroyed after 3"}},

    // A disk file written and read back, and a memory stream scrambled with
    // a key, block-compressed and encoded as 7-bit text, each saved to a
    // file whose bytes the test checks.
    {"Files",
     "class Application\n"
     "  constant SENTENCE \"The quick brown fox jumps over the lazy dog\"\n"
     "  File disk new\n"
     "  File mem new\n"
     "  File key new\n"
     "  File packed new\n"
     "function Void _00000000()\n"
     "  Global.33(Disk()+\" \"+Memory(),\"Result\")\n"
     "  Global.35()\n"
     "function String Disk()\n"
     "  String r\n"
     "  disk.File.21(\"lines.txt\",1)\n"
     "  disk.File.38(\"first line\")\n"
     "  disk.File.35(\"x=\")\n"
     "  disk.File.36(65)\n"
     "  disk.File.35(\"end\")\n"
     "  r=\"size=\"+disk.File.14()\n"
     "  disk.File.1()\n"
     "  r+=\" line=\"+disk.File.25()+\" next=\"+disk.File.23(2)+\" byte=\"+disk.File.24()+\" at=\"+disk.File.11()\n"
     "  disk.File.5()\n"
     "  r+=\" closed=\"+disk.File.9(\"x\")\n"
     "  disk.File.21(\"lines.txt\")\n"
     "  r+=\" readonly=\"+disk.File.35(\"more\")\n"
     "  disk.File.5()\n"
     "  return r\n"
     "function String Memory()\n"
     "  String r\n"
     "  mem.File.20()\n"
     "  mem.File.35(\"$SENTENCE\")\n"
     "  mem.File.28(\"plain.bin\")\n"
     "  key.File.20()\n"
     "  key.File.35(\"k3y\")\n"
     "  mem.File.1()\n"
     "  r=\"scrambled=\"+mem.File.7(key)\n"
     "  mem.File.28(\"scrambled.bin\")\n"
     "  mem.File.1()\n"
     "  mem.File.6(key)\n"
     "  r+=\" same=\"+(mem.File.3()==Global.32(\"$SENTENCE\"))\n"
     "  mem.File.1()\n"
     "  packed.File.20()\n"
     "  r+=\" packed=\"+(mem.File.41(packed)>0)\n"
     "  packed.File.28(\"packed.bin\")\n"
     "  mem.File.33()\n"
     "  mem.File.28(\"seven.txt\")\n"
     "  mem.File.10()\n"
     "  r+=\" back=\"+mem.File.23(-1)\n"
     "  return r\n",
     {"size=18 line=first line next=x= byte=65 at=15 closed=-1 readonly=0 scrambled=1 same=1 packed=1 "
      "back=The quick brown fox jumps over the lazy dog"},
     "Result",
     CheckWrittenFiles},

    // A resource of the package read through a File, and a temporary file
    // that goes when it is closed.
    {"Resources",
     "class Application\n"
     "  File f new\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  String path\n"
     "  r=\"loaded=\"+f.File.19(\"text%5Cgreeting.txt\")+\" memory=\"+f.File.16()\n"
     "  r+=\" size=\"+f.File.14()+\" text=\"+f.File.23(-1)\n"
     "  r+=\" bare=\"+f.File.19(\"greeting.txt\")+\" none=\"+f.File.14()\n"
     "  r+=\" temp=\"+f.File.22()+f.File.16()+f.File.35(\"scratch\")\n"
     "  path=f.File.12()\n"
     "  f.File.5()\n"
     "  r+=\" gone=\"+!f.File.21(path)+\" named=\"+(path?=\"*tmp*\")\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     {"loaded=1 memory=1 size=14 text=Hello, package bare=0 none=0 temp=107 gone=1 named=1"},
     "Result",
     nullptr,
     {{"text\\greeting.txt", "Hello, package"}}},

    // The command line reaches the program without its path and quotes.
    {"CommandLine",
     "class Application\n"
     "function Void _00000000()\n"
     "  String r\n"
     "  Integer i\n"
     "  r=\"count=\"+Global.18()\n"
     "  for i=0;i<=Global.18();i++\n"
     "    r+=\" [\"+Global.17(i)+\"]\"\n"
     "  end\n"
     "  r+=\" exe=\"+(Global.14()?=\"*app.exe\")\n"
     "  Global.33(r,\"Result\")\n"
     "  Global.35()\n",
     {"count=3 [one] [two words] [3] [] exe=1"},
     "Result",
     nullptr,
     {},
     "one \"two words\" 3"},

    // A member that calls what no class has stops the build: nothing runs.
    {"BuildFailure",
     "class Application\n"
     "function Void _00000000()\n"
     "  Global.33(\"built\",\"Result\")\n"
     "  Missing(1)\n",
     {"Corrupted File"},
     kFatal},
};

class Programs : public ::testing::TestWithParam<ProgramCase> {
 protected:
  // Every program is packed and started before the first is read.
  static void SetUpTestSuite() {
    for (const ProgramCase& c : kPrograms)
      s_batch.Start(c.name, c.program, c.resources, c.arguments, c.caption != kFatal);
  }
  static void TearDownTestSuite() { s_batch.Clear(); }

  static e2e::AppBatch s_batch;
};

e2e::AppBatch Programs::s_batch;

TEST_P(Programs, ShowsItsResultsAndEnds) {
  ASSERT_EQ(s_batch.Error(GetParam().name), "");
  e2e::PackedApp& app = *s_batch.Find(GetParam().name);
  e2e::ExpectBoxesThenExit(app, GetParam().caption, GetParam().results);
  if (HasFatalFailure()) return;
  if (GetParam().checkFiles) GetParam().checkFiles(app.Folder());
}

INSTANTIATE_TEST_SUITE_P(E2E, Programs, ::testing::ValuesIn(kPrograms),
                         [](const ::testing::TestParamInfo<ProgramCase>& info) { return info.param.name; });

}  // namespace
