// The File class: its members, the streams it opens and what it leaves on
// disk, read back by the test itself.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "classes/PObjFile.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/FileClassTest.h"

namespace {

using classtest::kUnset;

class PObjFileTest : public classtest::FileClassTest {};

TEST_F(PObjFileTest, Declaration) {
  PObjectDefinition* d = engine.FindDefinition(PObjFile::kTypeCode);
  ASSERT_NE(d, nullptr);
  EXPECT_STREQ(d->GetName(), "File");
  EXPECT_EQ(d->GetCategory(), CATEGORY_FILES);
  EXPECT_EQ(d->GetConstantCount(), 1);
  ASSERT_EQ(d->GetMemberCount(), 42);
  const int params[42] = {1, 0, 0, 0, 0, 0, 3, 3, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1,
                          3, 0, 1, 0, 3, 1, 1, 1, 1, 1, 2, 1, 0, 1, 1, 1, 2, 1, 1, 1, 2};
  const int defaults[42] = {0, 0, 0, 0, 0, 0, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1,
                            2, 0, 0, 0, 3, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  for (int m = 0; m < 42; m++) {
    EXPECT_EQ(d->GetMemberKind(m), MEMBER_FUNCTION);
    EXPECT_EQ(d->GetParamCount(m), params[m]) << m;
    EXPECT_EQ(d->GetDefaultCount(m), defaults[m]) << m;
  }
  // Open: write false, create true.
  EXPECT_EQ(d->GetParamInfo(PObjFile::OPEN, 1)->GetDefault().ToInt64(), 0);
  EXPECT_EQ(d->GetParamInfo(PObjFile::OPEN, 2)->GetDefault().ToInt64(), 1);
  EXPECT_EQ(d->GetParamInfo(PObjFile::COMPRESS, 1)->GetDefault().ToInt64(), -1);
  EXPECT_EQ(d->GetParamInfo(PObjFile::SCRAMBLE, 0)->GetType(), d);
  EXPECT_EQ(d->GetReturnType(PObjFile::CLOSE), engine.GetVoidDefinition());
  EXPECT_EQ(d->GetReturnType(PObjFile::READ_UNISTRING), engine.GetUniStringDefinition());
}

TEST_F(PObjFileTest, WithoutAStreamMembersLeaveTheResult) {
  PObjFile* f = NewFile();
  EXPECT_EQ(f->GetStream(), nullptr);
  EXPECT_TRUE(PObject::IsFileArgInvalid(f));
  EXPECT_TRUE(PObject::IsFileArgInvalid(nullptr));
  EXPECT_TRUE(PObject::IsFileArgInvalid(NewInt(1)));  // not a File at all

  const PObjFile::Member numbers[] = {
      PObjFile::SKIP,         PObjFile::REWIND,       PObjFile::GET_CRC32,  PObjFile::SEEK_TO_END,
      PObjFile::GET_POSITION, PObjFile::GET_REMAINING, PObjFile::GET_SIZE,  PObjFile::IS_END,
      PObjFile::IS_MEMORY,    PObjFile::READ_BYTE,    PObjFile::SEEK,       PObjFile::SET_SIZE,
      PObjFile::SEEK_BACK,    PObjFile::WRITE_STRING, PObjFile::WRITE_BYTE, PObjFile::WRITE_LINE,
  };
  for (PObjFile::Member m : numbers) {
    auto args = With();
    args.Int(1);
    EXPECT_EQ(CallInt(f, m, args), kUnset) << m;
  }
  EXPECT_EQ(CallText(f, PObjFile::GET_PATH), "<none>");
  EXPECT_EQ(CallText(f, PObjFile::GET_MD5), "<none>");
  auto find = With();
  find.Str("x");
  EXPECT_EQ(CallInt(f, PObjFile::FIND, find), -1);
}

// Typed writes on disk, then the same data read back by the test and by
// the typed reads.
TEST_F(PObjFileTest, TypedWritesAndReadsOnDisk) {
  const std::string path = PathOf("typed.bin");
  PObjFile* f = NewFile();
  ASSERT_EQ(Open(f, path, true, true), 1);
  EXPECT_EQ(CallInt(f, PObjFile::IS_MEMORY), 0);
  auto text = With();
  text.Str("abc");
  EXPECT_EQ(CallInt(f, PObjFile::WRITE_STRING, text), 3);
  auto byte = With();
  byte.Int(0x1FF);  // the low byte
  EXPECT_EQ(CallInt(f, PObjFile::WRITE_BYTE, byte), 1);
  auto line = With();
  line.Str("x");
  EXPECT_EQ(CallInt(f, PObjFile::WRITE_LINE, line), 3);
  auto z = With();
  z.Str("z");
  EXPECT_EQ(CallInt(f, PObjFile::WRITE_TEXT, z), 2);
  auto uni = With();
  uni.Uni(u"h\u00E9");
  EXPECT_EQ(CallInt(f, PObjFile::WRITE_UNISTRING, uni), 4);
  EXPECT_EQ(CallText(f, PObjFile::GET_PATH), path);
  Close(f);
  EXPECT_EQ(f->GetStream(), nullptr);
  EXPECT_EQ(ReadDisk(path), std::string("abc\xFFx\r\nz\0h\0\xE9\0", 13));

  // Only a path: read-only, so writes take nothing.
  ASSERT_EQ(Open(f, path, false, true), 1);
  auto n3 = With();
  n3.Int(3);
  EXPECT_EQ(CallText(f, PObjFile::READ_STRING, n3), "abc");
  EXPECT_EQ(CallInt(f, PObjFile::READ_BYTE), 255);
  PObjValue* ended = NewValue();
  auto lineArgs = With();
  lineArgs.Int(1).Int(-1).Obj(ended);
  EXPECT_EQ(CallText(f, PObjFile::READ_LINE, lineArgs), "x");
  EXPECT_EQ(ended->GetValue().ToInt64(), 1);
  auto keep = With();
  keep.Int(1);
  EXPECT_EQ(CallText(f, PObjFile::READ_ZSTRING, keep), "z");
  PResultCell cell = nullptr;
  auto all = With();
  all.Int(-1);
  ASSERT_TRUE(f->Call(PObjFile::READ_UNISTRING, all.block.Get(), &cell, nullptr));
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(std::u16string(static_cast<char16_t*>(cell)), u"h\u00E9");
  std::free(cell);
  EXPECT_EQ(CallInt(f, PObjFile::IS_END), 1);
  EXPECT_EQ(CallInt(f, PObjFile::READ_BYTE), -1);
  auto more = With();
  more.Str("more");
  EXPECT_EQ(CallInt(f, PObjFile::WRITE_STRING, more), 0);
}

TEST_F(PObjFileTest, OpenModes) {
  const std::string path = PathOf("modes.txt");
  PObjFile* f = NewFile();
  // Writing without creating needs the file to exist.
  EXPECT_EQ(Open(f, path, true, false), kUnset);
  EXPECT_EQ(f->GetStream(), nullptr);
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ(Open(f, "", false, true), kUnset);

  WriteDisk(path, "keep");
  ASSERT_EQ(Open(f, path, true, false), 1);  // kept and writable
  auto x = With();
  x.Str("K");
  EXPECT_EQ(CallInt(f, PObjFile::WRITE_STRING, x), 1);
  EXPECT_EQ(CallInt(f, PObjFile::GET_SIZE), 4);
  ASSERT_EQ(Open(f, path, true, true), 1);  // the open before is closed; this one empties
  EXPECT_EQ(CallInt(f, PObjFile::GET_SIZE), 0);
  Close(f);
  EXPECT_EQ(ReadDisk(path), "");

  // A failed open closes what was open.
  ASSERT_EQ(Open(f, path, false, true), 1);
  EXPECT_EQ(Open(f, PathOf("missing/none.txt"), false, true), kUnset);
  EXPECT_EQ(f->GetStream(), nullptr);
}

TEST_F(PObjFileTest, MemoryStreamAndPositions) {
  PObjFile* f = NewFile();
  auto negative = With();
  negative.Int(-5);
  CallVoid(f, PObjFile::ALLOCATE, negative);
  EXPECT_EQ(CallInt(f, PObjFile::GET_SIZE), 0);
  EXPECT_EQ(CallInt(f, PObjFile::IS_MEMORY), 1);
  EXPECT_EQ(CallText(f, PObjFile::GET_PATH), "");
  EXPECT_FALSE(PObject::IsFileArgInvalid(f));

  auto ten = With();
  ten.Int(10);
  CallVoid(f, PObjFile::ALLOCATE, ten);
  EXPECT_EQ(CallInt(f, PObjFile::GET_SIZE), 10);
  EXPECT_EQ(CallInt(f, PObjFile::GET_POSITION), 0);

  const int64_t huge = int64_t(1) << 40;
  const struct {
    PObjFile::Member member;
    int64_t n;
    int64_t position;
  } moves[] = {
      {PObjFile::SEEK, 4, 4},          {PObjFile::SKIP, 3, 7},
      {PObjFile::SEEK_BACK, 2, 5},     {PObjFile::SEEK, -1, 10},
      {PObjFile::REWIND, 0, 0},        {PObjFile::SEEK, 100, 10},
      {PObjFile::SEEK, 3, 3},          {PObjFile::SKIP, huge, 10},
      {PObjFile::SEEK, 3, 3},          {PObjFile::SEEK_BACK, huge, 10},
      {PObjFile::SEEK, 3, 3},          {PObjFile::SKIP, INT64_MAX, 10},
      {PObjFile::SEEK, 3, 3},          {PObjFile::SEEK_BACK, INT64_MIN, 10},
      {PObjFile::SEEK, 3, 3},          {PObjFile::SKIP, INT64_MIN, 10},
      // Beyond 32 bits a position does not wrap to a small one.
      {PObjFile::SEEK, -(int64_t(1) << 32), 10},
      {PObjFile::SEEK, (int64_t(1) << 32) + 2, 10},
      {PObjFile::SEEK, 6, 6},          {PObjFile::SEEK_TO_END, 0, 10},
  };
  for (const auto& m : moves) {
    auto args = With();
    if (m.member != PObjFile::REWIND && m.member != PObjFile::SEEK_TO_END) args.Int(m.n);
    EXPECT_EQ(CallInt(f, m.member, args), m.position) << m.member << " " << m.n;
  }
  CallWithInt(f, PObjFile::SEEK, 6);
  EXPECT_EQ(CallInt(f, PObjFile::GET_REMAINING), 4);
  EXPECT_EQ(CallInt(f, PObjFile::IS_END), 0);

  auto cut = With();
  cut.Int(4);
  EXPECT_EQ(CallInt(f, PObjFile::SET_SIZE, cut), 1);
  EXPECT_EQ(CallInt(f, PObjFile::GET_SIZE), 4);
  EXPECT_EQ(CallInt(f, PObjFile::IS_END), 1);
  // A negative size is refused, not taken as "empty".
  auto bad = With();
  bad.Int(-1);
  EXPECT_EQ(CallInt(f, PObjFile::SET_SIZE, bad), 0);
  EXPECT_EQ(CallInt(f, PObjFile::GET_SIZE), 4);
}

TEST_F(PObjFileTest, TemporaryFileGoesWithCloseAndRelease) {
  PObjFile* f = NewFile();
  ASSERT_EQ(CallInt(f, PObjFile::OPEN_TEMPORARY), 1);
  std::string path = CallText(f, PObjFile::GET_PATH);
  ASSERT_NE(path, "");
  EXPECT_TRUE(Exists(path));
  auto text = With();
  text.Str("scratch");
  EXPECT_EQ(CallInt(f, PObjFile::WRITE_STRING, text), 7);
  Close(f);
  EXPECT_FALSE(Exists(path));

  // Deleted by the test: its release must delete the file.
  auto* g = static_cast<PObjFile*>(PObjFile::New(engine.FindDefinition(PObjFile::kTypeCode)));
  ASSERT_EQ(CallInt(g, PObjFile::OPEN_TEMPORARY), 1);
  path = CallText(g, PObjFile::GET_PATH);
  EXPECT_TRUE(Exists(path));
  ASSERT_TRUE(PObject::DeleteObject(g));
  EXPECT_FALSE(Exists(path));
}

TEST_F(PObjFileTest, LoadAndSaveDiskFiles) {
  const std::string source = PathOf("in.bin"), saved = PathOf("out.bin");
  const std::string bytes = RandomBytes(3000, 7);
  WriteDisk(source, bytes);

  PObjFile* f = NewFile();
  auto missing = With();
  missing.Str(PathOf("none.bin").c_str());
  EXPECT_EQ(CallInt(f, PObjFile::LOAD_DISK_FILE, missing), kUnset);
  EXPECT_EQ(f->GetStream(), nullptr);

  auto load = With();
  load.Str(source.c_str());
  ASSERT_EQ(CallInt(f, PObjFile::LOAD_DISK_FILE, load), 1);
  EXPECT_EQ(CallInt(f, PObjFile::IS_MEMORY), 1);
  EXPECT_EQ(CallInt(f, PObjFile::GET_POSITION), 0);
  EXPECT_EQ(Content(f), bytes);

  // Saving writes everything and keeps the position.
  CallWithInt(f, PObjFile::SEEK, 1234);
  auto save = With();
  save.Str(saved.c_str());
  EXPECT_EQ(CallInt(f, PObjFile::SAVE, save), 1);
  EXPECT_EQ(CallInt(f, PObjFile::GET_POSITION), 1234);
  EXPECT_EQ(ReadDisk(saved), bytes);
  auto nowhere = With();
  nowhere.Str(PathOf("missing/out.bin").c_str());
  EXPECT_EQ(CallInt(f, PObjFile::SAVE, nowhere), kUnset);

  // An empty file loads as an open, empty stream.
  WriteDisk(source, "");
  ASSERT_EQ(CallInt(f, PObjFile::LOAD_DISK_FILE, load), 1);
  EXPECT_EQ(CallInt(f, PObjFile::GET_SIZE), 0);
}

#ifndef _WIN32
// A disk that refuses the data must not count as saved.
TEST_F(PObjFileTest, SaveOnAFullDiskFails) {
  if (!Exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  PObjFile* f = MemoryFile(RandomBytes(200000, 3));
  auto save = With();
  save.Str("/dev/full");
  EXPECT_EQ(CallInt(f, PObjFile::SAVE, save), 0);
}
#endif

TEST_F(PObjFileTest, LoadFromAnotherFile) {
  PObjFile* source = MemoryFile("0123456789");
  CallWithInt(source, PObjFile::SEEK, 2);

  PObjFile* f = NewFile();
  auto from = With();
  from.Obj(source);
  ASSERT_EQ(CallInt(f, PObjFile::LOAD_FROM_FILE, from), 1);
  EXPECT_EQ(Content(f), "23456789");
  EXPECT_EQ(CallInt(f, PObjFile::GET_POSITION), 0);
  EXPECT_EQ(CallInt(source, PObjFile::IS_END), 1);

  // Nothing left in the source still gives an open, empty stream.
  ASSERT_EQ(CallInt(f, PObjFile::LOAD_FROM_FILE, from), 1);
  EXPECT_EQ(CallInt(f, PObjFile::GET_SIZE), 0);
  EXPECT_EQ(CallInt(f, PObjFile::IS_MEMORY), 1);

  // An unusable source, or the File itself: closed, no result.
  const PObject* sources[] = {nullptr, NewFile(), f};
  for (const PObject* s : sources) {
    Allocate(f, 4);
    auto args = With();
    args.Obj(const_cast<PObject*>(s));
    EXPECT_EQ(CallInt(f, PObjFile::LOAD_FROM_FILE, args), kUnset);
    EXPECT_EQ(f->GetStream(), nullptr);
  }
}

TEST_F(PObjFileTest, LoadResourceNeedsItsFolder) {
  const std::string name = "text\\hello.txt", data = "hello, pack";
  UseResources({{name, data}});

  PObjFile* f = NewFile();
  auto found = With();
  found.Str(name.c_str());
  EXPECT_EQ(CallInt(f, PObjFile::LOAD_RESOURCE, found), 1);
  EXPECT_EQ(Content(f), data);
  EXPECT_EQ(CallInt(f, PObjFile::GET_POSITION), 0);
  const char* misses[] = {"hello.txt", "text\\other.txt", ""};
  for (const char* miss : misses) {
    auto args = With();
    args.Str(miss);
    EXPECT_EQ(CallInt(f, PObjFile::LOAD_RESOURCE, args), kUnset) << miss;
    EXPECT_EQ(f->GetStream(), nullptr);
  }
}

TEST_F(PObjFileTest, SearchAndDigests) {
  PObjFile* f = MemoryFile("hello world hello");
  const struct {
    const char* text;
    int64_t found;
    int64_t after;
  } finds[] = {{"hello", 0, 5}, {"hello", 12, 17}, {"hello", -1, 17}};
  for (const auto& c : finds) {
    auto args = With();
    args.Str(c.text);
    EXPECT_EQ(CallInt(f, PObjFile::FIND, args), c.found);
    EXPECT_EQ(CallInt(f, PObjFile::GET_POSITION), c.after);
  }

  // The whole stream, wherever the position; the CRC stays unsigned.
  PObjFile* check = MemoryFile("123456789");
  CallWithInt(check, PObjFile::SEEK, 4);
  EXPECT_EQ(CallInt(check, PObjFile::GET_CRC32), int64_t(0xCBF43926));
  EXPECT_EQ(CallText(check, PObjFile::GET_MD5), "25F9E794323B453885F5181F1B624D0B");
  EXPECT_EQ(CallText(check, PObjFile::GET_SHA1), "F7C3BC1D808E04732ADF679965CCC34CA7AE3441");
}

TEST_F(PObjFileTest, CopyFromAnotherFile) {
  PObjFile* source = MemoryFile("0123456789");
  PObjFile* f = MemoryFile("ab");
  CallInt(f, PObjFile::SEEK_TO_END);
  CallWithInt(source, PObjFile::SEEK, 3);

  auto some = With();
  some.Obj(source).Int(4);
  EXPECT_EQ(CallInt(f, PObjFile::COPY_FROM, some), 4);
  auto rest = With();
  rest.Obj(source).Int(-1);
  EXPECT_EQ(CallInt(f, PObjFile::COPY_FROM, rest), 3);
  EXPECT_EQ(Content(f), "ab3456789");

  auto closed = With();
  closed.Obj(NewFile()).Int(-1);
  EXPECT_EQ(CallInt(f, PObjFile::COPY_FROM, closed), kUnset);
}

// Memory keeps a lone CR or LF in the line, disk drops every one.
TEST_F(PObjFileTest, ReadLineOnBothStreams) {
  const std::string text = "  a b  \r\nc\rd\ne";
  const std::string path = PathOf("lines.txt");
  WriteDisk(path, text);
  PObjFile* memory = MemoryFile(text);
  PObjFile* disk = NewFile();
  ASSERT_EQ(Open(disk, path, false, true), 1);

  const struct {
    int keep, max;
    const char* memoryLine;
    const char* diskLine;
    int ended;
  } lines[] = {
      {0, -1, "a b", "a b", 1},
      {1, 0, "", "", 0},
      {1, -1, "c\rd\ne", "cde", 0},
  };
  for (PObjFile* f : {memory, disk}) {
    for (const auto& l : lines) {
      PObjValue* ended = NewValue();
      ended->GetValue().SetInt64(7);
      auto args = With();
      args.Int(l.keep).Int(l.max).Obj(ended);
      EXPECT_EQ(CallText(f, PObjFile::READ_LINE, args), f == memory ? l.memoryLine : l.diskLine);
      EXPECT_EQ(ended->GetValue().ToInt64(), l.ended);
    }
  }
  // Without a Value the flag goes nowhere.
  CallInt(memory, PObjFile::REWIND);
  auto plain = With();
  plain.Int(1).Int(4).Obj(nullptr);
  EXPECT_EQ(CallText(memory, PObjFile::READ_LINE, plain), "  a ");
}

}  // namespace
