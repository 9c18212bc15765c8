// Programs that use the array classes as applications do. Each keeps what it
// found in its String r, shows it in a box captioned "Result" and ends. The
// packed-program test runs them as applications; the host tests run the
// same texts on the engine's own build (where the box shows nothing) and
// read r.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace arrayprograms {

struct ArrayProgram {
  const char* name;
  const char* program;
  const char* result;
  std::vector<std::pair<std::string, std::string>> resources = {};
};

inline const std::vector<ArrayProgram>& Programs() {
  static const std::vector<ArrayProgram> programs = {
      // People kept sorted by age through a compare handler, found again by
      // binary search; one person in three slots is deleted once; the
      // flat index is computed exactly.
      {"SortedPeople",
       "class Application\n"
       "  Array people new\n"
       "  Array slots new\n"
       "  IntegerArray grid new\n"
       "  Integer deleted\n"
       "  String r\n"
       "function Void _00000000()\n"
       "  Person p\n"
       "  Integer i\n"
       "  for i=0;i<5;i++\n"
       "    p=new Person\n"
       "    p.age=(i*3)%5\n"
       "    p.name=\"P\"+i\n"
       "    people.Array.10(p)\n"
       "  end\n"
       "  r=\"count=\"+people.Array.14()\n"
       "  for i=0;i<people.Array.14();i++\n"
       "    p=people.Array.12(i)\n"
       "    r+=\" \"+p.name+\"/\"+p.age\n"
       "  end\n"
       "  p=new Person\n"
       "  p.age=3\n"
       "  r+=\" find=\"+people.Array.8(p)+\" at=\"+people.Array.9(p)\n"
       "  slots.Array.20(p,-1,3)\n"
       "  slots.Array.1()\n"
       "  people.Array.1()\n"
       "  r+=\" deleted=\"+deleted+\" left=\"+people.Array.14()+slots.Array.14()\n"
       "  grid.IntegerArray.27(9)\n"
       "  grid.IntegerArray.28(3,-1,7)\n"
       "  r+=\" flat=\"+grid.IntegerArray.11(2,1)+\",\"+grid.IntegerArray.11(3,0)\n"
       "  grid.IntegerArray.28(65536,65536)\n"
       "  r+=\",\"+grid.IntegerArray.11(1,0,3)+\",\"+grid.IntegerArray.11(0,0,3)\n"
       "  Global.33(r,\"Result\")\n"
       "  Global.35()\n"
       "message Integer Array.39(Pointer a, Pointer b, Integer mode)\n"
       "  Person x\n"
       "  Person y\n"
       "  x=a\n"
       "  y=b\n"
       "  return (x.age-y.age)*100\n"
       "message Void Array.40(Integer index, Pointer object)\n"
       "  deleted=deleted+1\n"
       "class Person\n"
       "  Integer age\n"
       "  String name\n",
       "count=5 P0/0 P2/1 P4/2 P1/3 P3/4 find=3 at=3 deleted=6 left=53 flat=7,-1,-1,3"},

      // A table column copied into a StringArray, joined, sorted and searched.
      {"TableColumn",
       "class Application\n"
       "  Table t new\n"
       "  StringArray names new\n"
       "  String r\n"
       "function Void _00000000()\n"
       "  t.Table.17(\"name\")\n"
       "  t.Table.17(\"city\")\n"
       "  t.Table.26(t.Table.18(),\"name\",\"Cid\")\n"
       "  t.Table.26(t.Table.18(),\"name\",\"Ann\")\n"
       "  t.Table.26(t.Table.18(),\"name\",\"Bob\")\n"
       "  names.StringArray.14(\"first\")\n"
       "  r=\"rows=\"+names.StringArray.15(t,\"name\",0,-1,0)+\" \"+names.StringArray.16(\",\")\n"
       "  names.StringArray.34()\n"
       "  r+=\" sorted=\"+names.StringArray.16(\",\")+\" find=\"+names.StringArray.1(\"Bob\")\n"
       "  names.StringArray.30(3)\n"
       "  names.StringArray.34()\n"
       "  r+=\" down=\"+names.StringArray.16(\",\",1,2)+\" any=\"+names.StringArray.4(\"CID\")\n"
       "  Global.33(r,\"Result\")\n"
       "  Global.35()\n",
       "rows=3 Cid,Ann,Bob,first sorted=Ann,Bob,Cid,first find=1 down=Cid,Bob any=1"},

      // Lines saved and loaded with handlers (IntegerArray), without them
      // (StringArray texts holding CR and LF come back unchanged), and
      // numbers read from a "text" resource.
      {"Lines",
       "class Application\n"
       "  IntegerArray nums new\n"
       "  StringArray texts new\n"
       "  StringArray back new\n"
       "  FloatArray floats new\n"
       "  String r\n"
       "function Void _00000000()\n"
       "  nums.IntegerArray.12(5)\n"
       "  nums.IntegerArray.12(-12)\n"
       "  r=\"save=\"+nums.IntegerArray.24(\"nums.txt\")+\" load=\"+nums.IntegerArray.14(\"nums.txt\")\n"
       "  r+=\" \"+nums.IntegerArray.5(0)+\",\"+nums.IntegerArray.5(1)\n"
       "  texts.StringArray.14(\"a%0D%0Ab\")\n"
       "  texts.StringArray.14(\"line%0Aonly\")\n"
       "  texts.StringArray.14(\"\")\n"
       "  r+=\" ssave=\"+texts.StringArray.28(\"texts.txt\")+\" sload=\"+back.StringArray.18(\"texts.txt\")\n"
       "  r+=\" n=\"+back.StringArray.7()+\" same=\"+(back.StringArray.0()==texts.StringArray.0())\n"
       "  r+=\" res=\"+floats.FloatArray.15(\"values.txt\")+floats.FloatArray.7()+(floats.FloatArray.9()==-3.25)\n"
       "  r+=\" missing=\"+floats.FloatArray.14(\"none.txt\")\n"
       "  Global.33(r,\"Result\")\n"
       "  Global.35()\n"
       "message String IntegerArray.34(Integer index, Integer value)\n"
       "  return \"#\"+value\n"
       "message Integer IntegerArray.32(Integer index, String line)\n"
       "  return line.String.9()*100+index\n",
       "save=1 load=1 200,401 ssave=1 sload=1 n=3 same=1 res=131 missing=0",
       {{"text\\values.txt", "1.5\r\n2\r\n-3.25\r\n"}}},
  };
  return programs;
}

}  // namespace arrayprograms
