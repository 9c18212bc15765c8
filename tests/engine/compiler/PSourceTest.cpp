// The program model and its reader: the ProgramStream texts, the scrambled
// length-prefixed form in a package, and damaged or cut streams.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/compiler/PSource.h"
#include "files/SFileMem.h"

namespace {

// The texts, each with its NUL.
std::string Texts(const std::vector<std::string>& texts) {
  std::string bytes;
  for (const std::string& t : texts) bytes += t + '\0';
  return bytes;
}

void Fill(SFileMem& stream, const std::string& bytes) {
  stream.Allocate(0);
  stream.Write(bytes.data(), int(bytes.size()));
  stream.Rewind();
}

// A package fragment: a prefix the reader must not see, the length, then
// the texts scrambled with the key.
std::string Scrambled(const std::string& texts, const std::string& key, int32_t length) {
  std::string bytes = "JUNK";
  for (int i = 0; i < 4; i++) bytes += char(uint32_t(length) >> (8 * i));
  for (size_t i = 0; i < texts.size(); i++) bytes += char(texts[i] + key[i % key.size()]);
  return bytes;
}

const std::vector<std::string> kProgram = {
    "2", "ID_OK", "1", "TITLE", "\"Hi%20there\"",  // constants
    "2",                                          // classes
    "Application", "", "1", "Integer count",      // class 0 and its class line
    "1",                                          // one member
    "1", "Add", "Integer", "2",                   // kind, name, return type, two parameters
    "Integer", "a", "0", "", "",                  // no default
    "String", "s", "1", "\"x\"", "x",             // a default
    "2", "count=a", "return count",               // first group
    "3", "a=1", "a=2", "a=3",                     // second group
    "Helper", "Application", "0",                 // class 1 with a base, no class lines
    "1",                                          //
    "3", "Button._0c03", "Integer", "1",          // a message handler
    "Integer", "code", "1", "OK", "&OK",          // constant default
    "0", "0"};

void ExpectProgram(const PSource& source) {
  ASSERT_EQ(source.GetConstantCount(), 2);
  EXPECT_TRUE(source.GetConstantName(0) == "ID_OK");
  EXPECT_TRUE(source.GetConstantValue(0) == "1");
  EXPECT_TRUE(source.GetConstantValue(1) == "\"Hi%20there\"");
  ASSERT_EQ(source.GetClassCount(), 2);

  const PSource::_PObject& app = *source.GetClass(0);
  EXPECT_TRUE(app.GetName() == "Application");
  EXPECT_TRUE(app.GetBaseName() == "");
  ASSERT_EQ(app.GetClassLines().GetCount(), 1);
  EXPECT_TRUE(app.GetClassLines().GetString(0) == "Integer count");
  ASSERT_EQ(app.GetMemberCount(), 1);
  const PSource::_PFunction& add = *app.GetMember(0);
  EXPECT_EQ(add.GetKind(), 1);
  EXPECT_TRUE(add.GetName() == "Add");
  EXPECT_TRUE(add.GetReturnType() == "Integer");
  EXPECT_FALSE(add.IsDeclared());
  ASSERT_EQ(add.GetParameterCount(), 2);
  EXPECT_TRUE(add.GetParameterType(0) == "Integer");
  EXPECT_TRUE(add.GetParameterName(0) == "a");
  EXPECT_FALSE(add.HasDefault(0));
  EXPECT_TRUE(add.GetParameterType(1) == "String");
  EXPECT_TRUE(add.HasDefault(1));
  EXPECT_TRUE(add.GetDefaultText(1) == "\"x\"");
  EXPECT_TRUE(add.GetDefaultValue(1) == "x");
  // Both line groups, first group first, in one list.
  const SStringArray& lines = add.GetBodyLines();
  ASSERT_EQ(lines.GetCount(), 5);
  const char* expected[] = {"count=a", "return count", "a=1", "a=2", "a=3"};
  for (int i = 0; i < 5; i++) EXPECT_TRUE(lines.GetString(i) == expected[i]) << i;

  const PSource::_PObject& helper = *source.GetClass(1);
  EXPECT_TRUE(helper.GetBaseName() == "Application");
  ASSERT_EQ(helper.GetMemberCount(), 1);
  const PSource::_PFunction& handler = *helper.GetMember(0);
  EXPECT_EQ(handler.GetKind(), 3);
  EXPECT_TRUE(handler.GetName() == "Button._0c03");
  EXPECT_TRUE(handler.GetDefaultValue(0) == "&OK");
  EXPECT_EQ(handler.GetBodyLines().GetCount(), 0);
}

TEST(PSource, LoadsEveryFieldOfAScrambledProgramFromThePackagePosition) {
  std::string texts = Texts(kProgram);
  std::string key = "\x10\x7f\x80\xff\x01 key";
  SFileMem package, keyStream;
  Fill(package, Scrambled(texts, key, int32_t(texts.size())) + "TRAILING");
  Fill(keyStream, key);
  package.Seek(4);
  PSource source;
  ASSERT_TRUE(source.Load(&package, &keyStream));
  ExpectProgram(source);
  EXPECT_EQ(package.GetPosition(), 8 + int(texts.size()));  // only L bytes taken
}

TEST(PSource, NegativeOrOverlongLengthTakesTheRestOfThePackage) {
  std::string texts = Texts(kProgram);
  for (int32_t length : {-1, int32_t(texts.size()) + 1000, INT32_MAX}) {
    SFileMem package, key;
    Fill(package, Scrambled(texts, "k", length));
    Fill(key, "k");
    package.Seek(4);
    PSource source;
    ASSERT_TRUE(source.Load(&package, &key));
    ExpectProgram(source);
  }
}

TEST(PSource, EmptyProgramAndMissingPackage) {
  SFileMem texts;
  Fill(texts, Texts({"0", "0"}));
  PSource source;
  source.Parse(&texts);
  EXPECT_EQ(source.GetConstantCount(), 0);
  EXPECT_EQ(source.GetClassCount(), 0);

  Fill(texts, Texts(kProgram));
  source.Parse(&texts);
  SFileMem key;
  Fill(key, "k");
  EXPECT_FALSE(source.Load(nullptr, &key));
  ExpectProgram(source);  // unchanged
}

TEST(PSource, LoadingAgainReplacesTheWholeModel) {
  SFileMem texts;
  Fill(texts, Texts(kProgram));
  PSource source;
  source.Parse(&texts);
  Fill(texts, Texts({"1", "X", "2", "1", "Only", "", "0", "0"}));
  source.Parse(&texts);
  ASSERT_EQ(source.GetConstantCount(), 1);
  EXPECT_TRUE(source.GetConstantName(0) == "X");
  ASSERT_EQ(source.GetClassCount(), 1);
  EXPECT_TRUE(source.GetClass(0)->GetName() == "Only");
}

TEST(PSource, CountsAndFlagsAreLenientDecimalTexts) {
  SFileMem texts;
  Fill(texts, Texts({"  +1x", "N", "V",         // blanks, sign, stops at 'x'
                     "two",                     // no digits: 0 classes
                     "ignored"}));
  PSource source;
  source.Parse(&texts);
  ASSERT_EQ(source.GetConstantCount(), 1);
  EXPECT_EQ(source.GetClassCount(), 0);

  Fill(texts, Texts({"0", "1", "C", "", "-5", "1",  // negative line count: none
                     "2", "f", "Void", "1", "Integer", "p", "yes", "t", "v", "0", "0"}));
  source.Parse(&texts);
  ASSERT_EQ(source.GetClassCount(), 1);
  EXPECT_EQ(source.GetClass(0)->GetClassLines().GetCount(), 0);
  const PSource::_PFunction& member = *source.GetClass(0)->GetMember(0);
  EXPECT_EQ(member.GetKind(), 2);
  EXPECT_FALSE(member.HasDefault(0));  // "yes" is no number
  EXPECT_TRUE(member.GetDefaultText(0) == "t");
}

TEST(PSource, StreamCutInsideAClassKeepsWhatWasRead) {
  std::string texts = Texts(kProgram);
  // Cut inside the second parameter of Add: its last texts read as "".
  size_t cut = texts.find(std::string("\"x\"") + '\0');
  SFileMem stream;
  Fill(stream, texts.substr(0, cut + 2));
  PSource source;
  source.Parse(&stream);
  ASSERT_EQ(source.GetClassCount(), 1);
  const PSource::_PFunction& add = *source.GetClass(0)->GetMember(0);
  ASSERT_EQ(add.GetParameterCount(), 2);
  EXPECT_TRUE(add.GetParameterName(1) == "s");
  EXPECT_TRUE(add.GetDefaultText(1) == "\"x");
  EXPECT_TRUE(add.GetDefaultValue(1) == "");
  EXPECT_EQ(add.GetBodyLines().GetCount(), 0);
}

// A damaged count used to build that many empty records from a few bytes;
// records now stop where the data ends.
TEST(PSource, HugeCountsStopAtTheEndOfTheData) {
  struct Case {
    std::vector<std::string> texts;
    int constants, classes, classLines, members, parameters, bodyLines;
  } cases[] = {
      {{"2000000000", "A", "1"}, 1, 0, -1, -1, -1, -1},
      {{"0", "2000000000", "C"}, 0, 1, 0, 0, -1, -1},
      {{"0", "1", "C", "", "2000000000", "line"}, 0, 1, 1, 0, -1, -1},
      {{"0", "1", "C", "", "0", "2000000000", "1", "f"}, 0, 1, 0, 1, 0, 0},
      {{"0", "1", "C", "", "0", "1", "1", "f", "Void", "2000000000", "Integer", "p"},
       0, 1, 0, 1, 1, 0},
      {{"0", "1", "C", "", "0", "1", "1", "f", "Void", "0", "2000000000", "x=1"}, 0, 1, 0, 1, 0, 1},
  };
  for (const Case& c : cases) {
    SFileMem stream;
    Fill(stream, Texts(c.texts));
    PSource source;
    source.Parse(&stream);
    EXPECT_EQ(source.GetConstantCount(), c.constants);
    ASSERT_EQ(source.GetClassCount(), c.classes);
    if (c.classLines < 0) continue;
    const PSource::_PObject& record = *source.GetClass(0);
    EXPECT_EQ(record.GetClassLines().GetCount(), c.classLines);
    ASSERT_EQ(record.GetMemberCount(), c.members);
    if (c.parameters < 0) continue;
    EXPECT_EQ(record.GetMember(0)->GetParameterCount(), c.parameters);
    EXPECT_EQ(record.GetMember(0)->GetBodyLines().GetCount(), c.bodyLines);
  }
}

}  // namespace
