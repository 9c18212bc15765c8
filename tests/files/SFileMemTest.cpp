#include "files/SFileMem.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/SHash.h"

namespace {

// A memory stream holding these bytes, positioned at 0.
void Fill(SFileMem& stream, const std::string& bytes) {
  stream.Close();
  stream.Write(bytes.data(), static_cast<int>(bytes.size()));
  stream.Rewind();
}

std::string Content(const SFileMem& stream) {
  if (!stream.GetData()) return std::string();
  return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

std::string Str(const SString& s) { return std::string(s.GetText(), s.GetLength()); }

// ---- Buffer and sizing ------------------------------------------------------------------

TEST(SFileMemBuffer, OpensOnFirstWriteAndSizesByDoubling) {
  SFileMem stream;
  EXPECT_TRUE(stream.IsMemory());
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(stream.GetIfOpen(), nullptr);
  EXPECT_EQ(stream.GetSize(), 0);
  EXPECT_EQ(stream.WriteByte(7), 1);
  EXPECT_TRUE(stream.IsOpen());
  EXPECT_EQ(stream.GetSize(), 1);
  EXPECT_EQ(stream.GetCapacity(), 256);

  std::string bytes(257, 'x');
  for (int i = 0; i < 257; i++) bytes[i] = char(i);
  Fill(stream, bytes);
  EXPECT_EQ(stream.GetCapacity(), 512);
  EXPECT_TRUE(stream.SetSize(10));
  EXPECT_EQ(stream.GetCapacity(), 256);
  EXPECT_EQ(Content(stream), bytes.substr(0, 10));

  stream.Close();
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(stream.GetSize(), 0);
  EXPECT_EQ(stream.GetCapacity(), 0);
}

TEST(SFileMemBuffer, GrowingReadsAsZerosAndCuttingPullsThePositionIn) {
  SFileMem stream;
  Fill(stream, "abc");
  stream.SeekToEnd();
  EXPECT_TRUE(stream.SetSize(300));  // a new buffer
  EXPECT_EQ(Content(stream), "abc" + std::string(297, '\0'));
  Fill(stream, "abcdef");
  EXPECT_TRUE(stream.SetSize(2));
  EXPECT_TRUE(stream.SetSize(6));  // the same buffer, which still holds "cdef"
  EXPECT_EQ(Content(stream), std::string("ab\0\0\0\0", 6));

  EXPECT_TRUE(stream.SetSize(100));
  stream.Seek(50);
  EXPECT_TRUE(stream.Resize(20, true));
  EXPECT_EQ(stream.GetPosition(), 20);
  EXPECT_TRUE(stream.Allocate(5));
  EXPECT_EQ(stream.GetPosition(), 0);
  EXPECT_EQ(stream.GetSize(), 5);
}

TEST(SFileMemBuffer, InsertSpaceAndRemoveBytes) {
  SFileMem stream;
  Fill(stream, "ABCDEF");
  stream.Seek(2);
  EXPECT_TRUE(stream.InsertSpace(4));
  EXPECT_EQ(stream.GetSize(), 10);
  EXPECT_EQ(stream.GetPosition(), 2);
  EXPECT_EQ(Content(stream), std::string("AB\0\0\0\0CDEF", 10));
  EXPECT_FALSE(stream.InsertSpace(0));

  EXPECT_TRUE(stream.RemoveBytes(4));
  EXPECT_EQ(Content(stream), "ABCDEF");
  stream.Seek(5);
  EXPECT_TRUE(stream.RemoveBytes(1));  // the last byte
  EXPECT_EQ(Content(stream), "ABCDE");
  EXPECT_FALSE(stream.RemoveBytes(1));  // at the end
  stream.Seek(3);
  EXPECT_FALSE(stream.RemoveBytes(3));  // beyond the size
  EXPECT_EQ(Content(stream), "ABCDE");
}

TEST(SFileMemBuffer, SizesBeyondWhatAStreamHoldsAreRefused) {
  SFileMem stream;
  Fill(stream, "0123456789");
  stream.SeekToEnd();
  char byte = 'x';
  // The count is never read: the size it asks for is refused first.
  EXPECT_EQ(stream.Write(&byte, INT32_MAX), 0);
  EXPECT_EQ(stream.WriteUniString(u"x", INT32_MAX / 2), 0);
  EXPECT_FALSE(stream.SetSize(INT32_MAX));
  EXPECT_FALSE(stream.Allocate(INT32_MAX));
  EXPECT_FALSE(stream.InsertSpace(INT32_MAX));
  EXPECT_EQ(Content(stream), "0123456789");
  EXPECT_EQ(stream.GetPosition(), 10);
}

// ---- Typed writes and reads ---------------------------------------------------------------

TEST(SFileMemTyped, IntegersAreLittleEndianAndShortReadsFillWithZero) {
  SFileMem stream;
  EXPECT_EQ(stream.WriteInt(-2), 4);
  EXPECT_EQ(stream.WriteInt(0x01020304), 4);
  EXPECT_EQ(Content(stream), std::string("\xFE\xFF\xFF\xFF\x04\x03\x02\x01", 8));
  stream.Rewind();
  EXPECT_EQ(stream.ReadInt(), -2);
  EXPECT_EQ(stream.ReadInt(), 0x01020304);

  Fill(stream, "\x01\x02");
  EXPECT_EQ(stream.ReadInt(), 0x0201);
  EXPECT_TRUE(stream.IsEnd());
  EXPECT_EQ(stream.ReadInt(), 0);

  Fill(stream, "\xFF");
  EXPECT_EQ(stream.ReadByte(), 255);
  EXPECT_EQ(stream.ReadByte(), -1);
}

TEST(SFileMemTyped, StringsAtAndPastTheEnd) {
  SFileMem stream;
  EXPECT_EQ(stream.WriteString("hello", -1), 5);
  EXPECT_EQ(stream.WriteString("world", 2), 2);
  EXPECT_EQ(stream.WriteString("x", 0), 0);
  EXPECT_EQ(stream.WriteBytes("\0z", 2), 2);
  EXPECT_EQ(Content(stream), std::string("hellowo\0z", 9));
  stream.Seek(3);
  EXPECT_EQ(Str(stream.ReadString(2)), "lo");
  EXPECT_EQ(Str(stream.ReadString(-1)), std::string("wo\0z", 4));
  EXPECT_EQ(Str(stream.ReadString(5)), "");
  stream.Seek(7);
  EXPECT_EQ(Str(stream.ReadString(100)), std::string("\0z", 2));

  char buffer[8] = {};
  stream.Seek(6);
  EXPECT_EQ(stream.Read(buffer, 8), 3);
  EXPECT_EQ(stream.Read(buffer, 8), 0);
  EXPECT_EQ(stream.ReadBytes(buffer, -1), 0);

  SFileMem closed;
  EXPECT_EQ(Str(closed.ReadString(-1)), "");
  EXPECT_EQ(closed.Read(buffer, 4), 0);
  EXPECT_EQ(closed.ReadByte(), -1);
}

TEST(SFileMemTyped, ZeroTerminatedTexts) {
  SFileMem stream;
  EXPECT_EQ(stream.WriteText("abc"), 4);
  EXPECT_EQ(stream.WriteText(""), 1);
  stream.WriteString("tail", -1);
  stream.Rewind();
  EXPECT_EQ(Str(stream.ReadZString(true)), "abc");
  EXPECT_EQ(stream.GetPosition(), 4);
  EXPECT_EQ(Str(stream.ReadZString(true)), "");
  EXPECT_EQ(stream.GetPosition(), 5);
  EXPECT_EQ(Str(stream.ReadZString(true)), "tail");  // no NUL: the rest
  EXPECT_TRUE(stream.IsEnd());

  stream.Rewind();
  EXPECT_EQ(Str(stream.ReadZString(false)), "");  // skipped all the same
  EXPECT_EQ(stream.GetPosition(), 4);
}

TEST(SFileMemTyped, Utf16UnitsGoLowByteFirst) {
  SFileMem stream;
  EXPECT_EQ(stream.WriteUniString(u"A\u20AC", -1), 4);
  EXPECT_EQ(stream.WriteUniString(u"xyz", 1), 2);
  EXPECT_EQ(stream.WriteUniString(u"q", 0), 0);
  EXPECT_EQ(Content(stream), std::string("A\0\xAC\x20x\0", 6));
  stream.WriteByte('!');  // an odd last byte
  stream.Rewind();
  SUniString first = stream.ReadUniString(2);
  EXPECT_EQ(std::u16string(first.GetText()), u"A\u20AC");
  SUniString rest = stream.ReadUniString(-1);
  EXPECT_EQ(std::u16string(rest.GetText()), u"x");
  EXPECT_EQ(stream.GetRemaining(), 1);
  EXPECT_EQ(stream.ReadUniString(5).GetLength(), 0);
  EXPECT_EQ(stream.GetRemaining(), 1);
}

// ---- Lines ---------------------------------------------------------------------------------------

TEST(SFileMemLines, OnlyCrLfEndsALine) {
  SFileMem stream;
  Fill(stream, "a\nb\r\n  c\rd \t\r\n\r\nlast");
  bool ended = false;
  EXPECT_EQ(Str(stream.ReadLine(false, -1, &ended)), "a\nb");
  EXPECT_TRUE(ended);
  EXPECT_EQ(Str(stream.ReadLine(false, -1, &ended)), "c\rd");
  EXPECT_TRUE(ended);
  EXPECT_EQ(Str(stream.ReadLine(false, -1, &ended)), "");
  EXPECT_TRUE(ended);
  EXPECT_EQ(Str(stream.ReadLine(true, -1, &ended)), "last");
  EXPECT_FALSE(ended);
  EXPECT_EQ(Str(stream.ReadLine(true, -1, &ended)), "");
  EXPECT_FALSE(ended);

  Fill(stream, "  c\r\n");
  EXPECT_EQ(Str(stream.ReadLine(true, -1, nullptr)), "  c");
}

TEST(SFileMemLines, MaximumLengthStopsBeforeTheLineEnd) {
  SFileMem stream;
  Fill(stream, "ab\r\ncd");
  bool ended = true;
  EXPECT_EQ(Str(stream.ReadLine(true, 0, &ended)), "");
  EXPECT_FALSE(ended);
  EXPECT_EQ(stream.GetPosition(), 0);
  EXPECT_EQ(Str(stream.ReadLine(true, 2, &ended)), "ab");
  EXPECT_FALSE(ended);
  EXPECT_EQ(Str(stream.ReadLine(true, 2, &ended)), "");
  EXPECT_TRUE(ended);
  EXPECT_EQ(Str(stream.ReadLine(true, 1, &ended)), "c");

  Fill(stream, "ab\r\ncd");
  EXPECT_EQ(Str(stream.ReadLineWithEnd(true, -1)), "ab\r\n");
  EXPECT_EQ(Str(stream.ReadLineWithEnd(true, -1)), "cd");
}

TEST(SFileMemLines, WriteLineAddsCrLf) {
  SFileMem stream;
  EXPECT_EQ(stream.WriteLine("one"), 5);
  EXPECT_EQ(stream.WriteLine(""), 2);
  EXPECT_EQ(Content(stream), "one\r\n\r\n");
}

// ---- Position and search ----------------------------------------------------------------------------

TEST(SFileMemPosition, OutOfRangeSeeksGoToTheEnd) {
  SFileMem stream;
  Fill(stream, "0123456789");
  EXPECT_EQ(stream.Seek(-5), 10);
  EXPECT_EQ(stream.Seek(11), 10);
  EXPECT_EQ(stream.Seek(4), 4);
  EXPECT_EQ(stream.Skip(3), 7);
  EXPECT_EQ(stream.SeekBack(2), 5);
  EXPECT_EQ(stream.SeekBack(9), 10);  // before the start means the end
  EXPECT_EQ(stream.Rewind(), 0);
  EXPECT_EQ(stream.GetRemaining(), 10);

  SFileMem closed;
  EXPECT_EQ(closed.Seek(3), 0);
  EXPECT_TRUE(closed.IsEnd());
}

TEST(SFileMemPosition, Find) {
  SFileMem stream;
  Fill(stream, "xab");
  EXPECT_EQ(stream.Find("abc", 3, false), -1);
  EXPECT_EQ(stream.GetPosition(), 3);

  Fill(stream, "abcabcab");
  EXPECT_EQ(stream.FindString("ca", false), 2);
  EXPECT_EQ(stream.GetPosition(), 4);
  EXPECT_EQ(stream.FindString("ab", true), 8);
  EXPECT_EQ(stream.GetPosition(), 8);
  EXPECT_EQ(stream.FindString("ab", false), -1);  // at the end
  stream.Rewind();
  EXPECT_EQ(stream.FindString("", false), -1);
  EXPECT_EQ(stream.Find("a", 0, false), -1);
  EXPECT_EQ(stream.GetPosition(), 0);
  EXPECT_EQ(stream.Find("cab", 3, false), 2);

  Fill(stream, std::string("\0\0x\0", 4));
  EXPECT_EQ(stream.Find("x\0", 2, false), 2);
}

// ---- Writes that read from the stream's own buffer -----------------------------------------------------

TEST(SFileMemAliasing, WritingItsOwnBytesWhileGrowing) {
  SFileMem stream;
  std::string bytes(256, 'a');
  for (int i = 0; i < 256; i++) bytes[i] = char(i);
  Fill(stream, bytes);
  stream.SeekToEnd();
  EXPECT_EQ(stream.Write(stream.GetData(), 256), 256);  // the buffer moves on the way
  EXPECT_EQ(Content(stream), bytes + bytes);

  Fill(stream, "abcd");
  stream.Seek(1);
  stream.Write(stream.GetData(), 4);
  EXPECT_EQ(Content(stream), "aabcd");
}

// ---- Copy and fill --------------------------------------------------------------------------------------

TEST(SFileMemCopy, CopyToMemoryStreams) {
  SFileMem source, target;
  Fill(source, "abcdefghij");
  source.SeekToEnd();
  EXPECT_EQ(source.CopyTo(&target, -1), 0);
  EXPECT_EQ(source.CopyTo(nullptr, -1), 0);

  Fill(target, "0123456789");
  source.Rewind();
  EXPECT_EQ(source.CopyTo(&target, 3), 3);
  EXPECT_EQ(Content(target), "abc3456789");
  EXPECT_EQ(target.GetPosition(), 3);
  EXPECT_EQ(source.GetPosition(), 3);

  target.Seek(8);
  EXPECT_EQ(source.CopyTo(&target, -1), 7);
  EXPECT_EQ(Content(target), "abc34567defghij");
  EXPECT_TRUE(source.IsEnd());

  std::string big(1000, 0);
  for (int i = 0; i < 1000; i++) big[i] = char(i * 7);
  Fill(source, big);
  SFileMem empty;
  EXPECT_EQ(source.CopyTo(&empty, 700), 700);
  EXPECT_EQ(Content(empty), big.substr(0, 700));
  EXPECT_EQ(source.CopyTo(&empty, 5000), 300);
  EXPECT_EQ(Content(empty), big);
}

TEST(SFileMemCopy, CopyOntoItselfStaysInsideTheBuffer) {
  SFileMem stream;
  std::string bytes(600, 'q');
  Fill(stream, bytes);
  stream.Seek(10);
  stream.CopyTo(&stream, -1);
  EXPECT_EQ(stream.GetSize(), 600);
  EXPECT_EQ(Content(stream), bytes);
}

TEST(SFileMemCopy, FillWritesChunks) {
  SFileMem stream;
  EXPECT_EQ(stream.Fill('z', 0), 0);
  EXPECT_EQ(stream.Fill('z', 250), 250);
  EXPECT_EQ(Content(stream), std::string(250, 'z'));
}

// ---- Digests -----------------------------------------------------------------------------------------------

TEST(SFileMemDigest, WholeContentWhateverThePosition) {
  SFileMem stream;
  uint32_t crc = 9;
  EXPECT_FALSE(stream.GetCrc32(crc));
  EXPECT_EQ(crc, 9u);
  EXPECT_STREQ(stream.GetMd5().GetText(), "");
  EXPECT_STREQ(stream.GetSha1().GetText(), "");
  EXPECT_STREQ(SHash::Sha1Stream(&stream).GetText(), "");
  EXPECT_FALSE(SHash::Crc32Stream(nullptr, crc));

  Fill(stream, "123456789");
  stream.Seek(4);
  EXPECT_TRUE(stream.GetCrc32(crc));
  EXPECT_EQ(crc, 0xCBF43926u);
  EXPECT_STREQ(stream.GetMd5().GetText(), SHash::Md5Text("123456789").GetText());
  EXPECT_STREQ(stream.GetSha1().GetText(), SHash::Sha1Text("123456789").GetText());
  EXPECT_EQ(stream.GetPosition(), 4);

  // The stream form reads from the start in chunks and puts the position back.
  std::string text(1234, 'k');
  for (int i = 0; i < 1234; i++) text[i] = char('a' + i % 26);
  Fill(stream, text);
  stream.Seek(617);
  EXPECT_STREQ(SHash::Sha1Stream(&stream).GetText(), SHash::Sha1Text(text.c_str()).GetText());
  EXPECT_STREQ(SHash::Md5Stream(&stream).GetText(), SHash::Md5Text(text.c_str()).GetText());
  uint32_t expected = 0;
  SHash::Crc32Text(text.c_str(), expected);
  EXPECT_TRUE(SHash::Crc32Stream(&stream, crc));
  EXPECT_EQ(crc, expected);
  EXPECT_EQ(stream.GetPosition(), 617);

  stream.SetSize(0);  // open and empty: the digests of nothing
  EXPECT_TRUE(SHash::Crc32Stream(&stream, crc));
  EXPECT_EQ(crc, 0u);
  EXPECT_STREQ(stream.GetMd5().GetText(), "D41D8CD98F00B204E9800998ECF8427E");
}

// A stream whose reads come back shorter than asked, as a pipe or a slow
// device may answer.
class ShortReads : public SFileMem {
 public:
  int Read(void* buffer, int n) override { return SFileMem::Read(buffer, n < 37 ? n : 37); }
};

TEST(SFileMemDigest, ShortReadsLeaveNothingOut) {
  ShortReads stream;
  std::string text(1000, 0);
  for (int i = 0; i < 1000; i++) text[i] = char('A' + i % 50);
  Fill(stream, text);
  EXPECT_STREQ(SHash::Sha1Stream(&stream).GetText(), SHash::Sha1Text(text.c_str()).GetText());
  EXPECT_STREQ(SHash::Md5Stream(&stream).GetText(), SHash::Md5Text(text.c_str()).GetText());
}

// ---- Files -------------------------------------------------------------------------------------------------

TEST(SFileMemFiles, SaveAndLoadRoundTrip) {
  std::string path = ::testing::TempDir() + "sfilemem-roundtrip.bin";
  SFileMem out;
  std::string bytes("\0\1\2 line\r\n\xFF", 11);
  Fill(out, bytes);
  ASSERT_TRUE(out.SaveFile(path.c_str()));

  SFileMem in;
  Fill(in, "old");
  in.Seek(2);
  ASSERT_TRUE(in.LoadFile(path.c_str()));
  EXPECT_EQ(Content(in), bytes);
  EXPECT_EQ(in.GetPosition(), 0);
  std::remove(path.c_str());

  EXPECT_FALSE(in.LoadFile(path.c_str()));  // gone now
  EXPECT_FALSE(in.LoadFile(""));
  EXPECT_FALSE(in.SaveFile(nullptr));
  EXPECT_EQ(Content(in), bytes);  // left as it was
  EXPECT_FALSE(in.SaveFile(::testing::TempDir().c_str()));  // a folder does not open for writing
}

#ifndef _WIN32
// A device that takes no bytes: the failure shows only when the file is
// flushed, and must not be reported as success.
TEST(SFileMemFiles, SaveReportsAFullDevice) {
  SFileMem stream;
  Fill(stream, "data");
  EXPECT_FALSE(stream.SaveFile("/dev/full"));
}
#endif

}  // namespace
