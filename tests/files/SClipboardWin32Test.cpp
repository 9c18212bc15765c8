#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "files/SClipboard.h"
#include "files/SFileMem.h"

namespace {

// ---- Helpers -----------------------------------------------------------------------------

// Puts raw bytes on the clipboard in any format, as another program might.
bool PutRaw(UINT format, const std::vector<uint8_t>& bytes) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  memcpy(GlobalLock(memory), bytes.data(), bytes.size());
  GlobalUnlock(memory);
  bool ok = SetClipboardData(format, memory) != nullptr;
  if (!ok) GlobalFree(memory);
  CloseClipboard();
  return ok;
}

bool IsAvailable(UINT format) {
  if (!OpenClipboard(nullptr)) return false;
  bool available = IsClipboardFormatAvailable(format) != 0;
  CloseClipboard();
  return available;
}

std::vector<uint8_t> Le32(uint32_t v) {
  return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A whole wave file: 8-bit mono, 8000 Hz, with the given samples.
std::vector<uint8_t> WaveFile(int samples) {
  std::vector<uint8_t> fmt = Concat(Concat({'f', 'm', 't', ' '}, Le32(16)),
                                    {1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0});
  std::vector<uint8_t> data = Concat({'d', 'a', 't', 'a'}, Le32(uint32_t(samples)));
  for (int i = 0; i < samples; i++) data.push_back(uint8_t(i * 7));
  std::vector<uint8_t> body = Concat(Concat({'W', 'A', 'V', 'E'}, fmt), data);
  return Concat(Concat({'R', 'I', 'F', 'F'}, Le32(uint32_t(body.size()))), body);
}

std::string StreamText(SFileMem& stream) {
  return std::string(reinterpret_cast<const char*>(stream.GetData()), size_t(stream.GetSize()));
}

// ---- Text --------------------------------------------------------------------------------

TEST(SClipboardTest, TextRoundTrips) {
  for (const char* text : {"Hello, clipboard", "", "Caf\xE9 \xAB" "1\r\n2\xBB"}) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(SClipboard::SetText(text));
    EXPECT_STREQ(SClipboard::GetText().GetText(), text);
  }
  ASSERT_TRUE(SClipboard::SetText(nullptr));
  EXPECT_STREQ(SClipboard::GetText().GetText(), "");
}

// ---- Data blocks -------------------------------------------------------------------------

TEST(SClipboardTest, DataBlockRoundTripsAndMovesTheSource) {
  SFileMem source;
  std::string bytes("head\0mid\xFF" "tail", 13);
  source.Write(bytes.data(), int(bytes.size()));
  source.Seek(4);
  ASSERT_TRUE(SClipboard::SetData(-1, &source));
  EXPECT_EQ(source.GetPosition(), 13);

  SFileMem target;
  EXPECT_EQ(SClipboard::GetData(&target), 9);
  EXPECT_EQ(StreamText(target), bytes.substr(4));
  EXPECT_EQ(SClipboard::GetData(nullptr), 0);

  source.Seek(0);
  ASSERT_TRUE(SClipboard::SetData(4, &source));
  EXPECT_EQ(source.GetPosition(), 4);
  SFileMem second;
  EXPECT_EQ(SClipboard::GetData(&second), 4);
  EXPECT_EQ(StreamText(second), "head");
}

TEST(SClipboardTest, DataBlockRefusalsLeaveTheClipboardAlone) {
  ASSERT_TRUE(SClipboard::SetText("untouched"));
  SFileMem source;
  source.Write("abc", 3);  // position at the end
  EXPECT_FALSE(SClipboard::SetData(-1, &source));
  source.Seek(1);
  EXPECT_FALSE(SClipboard::SetData(3, &source));  // only 2 left
  EXPECT_FALSE(SClipboard::SetData(0, &source));
  EXPECT_FALSE(SClipboard::SetData(-1, nullptr));
  EXPECT_EQ(source.GetPosition(), 1);
  EXPECT_STREQ(SClipboard::GetText().GetText(), "untouched");
  SFileMem target;
  EXPECT_EQ(SClipboard::GetData(&target), 0);  // text is no data block
}

TEST(SClipboardTest, DataBlockUsesAFormatOfItsOwn) {
  UINT format = SClipboard::GetDataFormat();
  EXPECT_GE(format, 0xC000u);  // a registered format, not a predefined id
  SFileMem source;
  source.Write("xyz", 3);
  source.Rewind();
  ASSERT_TRUE(SClipboard::SetData(-1, &source));
  EXPECT_TRUE(IsAvailable(format));
  EXPECT_FALSE(IsAvailable(CF_DSPTEXT));

  // Another program's CF_DSPTEXT is not taken for a data block.
  ASSERT_TRUE(PutRaw(CF_DSPTEXT, Concat(Le32(3), {'a', 'b', 'c', 0})));
  SFileMem target;
  EXPECT_EQ(SClipboard::GetData(&target), 0);
}

TEST(SClipboardTest, DataBlockCountBeyondItsMemoryIsRefused) {
  UINT format = SClipboard::GetDataFormat();
  struct Case {
    const char* name;
    std::vector<uint8_t> block;
    int expected;
  };
  const Case cases[] = {
      {"count past the block", Concat(Le32(1000), {'a', 'b', 'c', 0}), 0},
      {"huge count", Concat(Le32(0xFFFFFFF0u), {'a'}), 0},
      {"no room for the count", {3, 0}, 0},
      {"count of the bytes present", Concat(Le32(3), {'a', 'b', 'c'}), 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(PutRaw(format, c.block));
    SFileMem target;
    EXPECT_EQ(SClipboard::GetData(&target), c.expected);
    EXPECT_EQ(target.GetSize(), c.expected);
  }
}

// ---- RIFF sound --------------------------------------------------------------------------

TEST(SClipboardTest, WaveRoundTrips) {
  std::vector<uint8_t> wave = WaveFile(37);
  ASSERT_TRUE(SClipboard::SetWave(int(wave.size()), wave.data()));
  ASSERT_EQ(SClipboard::GetWaveSize(), int(wave.size()));
  std::vector<uint8_t> copy(wave.size());
  ASSERT_TRUE(SClipboard::GetWave(copy.data(), int(copy.size())));
  EXPECT_EQ(copy, wave);
  // A buffer one byte short is refused, not overrun.
  std::vector<uint8_t> shortBuffer(wave.size() + 1, 0xAA);
  EXPECT_FALSE(SClipboard::GetWave(shortBuffer.data(), int(wave.size()) - 1));
  EXPECT_EQ(shortBuffer.back(), 0xAA);

  EXPECT_FALSE(SClipboard::SetWave(0, wave.data()));
  EXPECT_FALSE(SClipboard::SetWave(4, nullptr));
}

TEST(SClipboardTest, NoOrForgedWaveGivesNothing) {
  ASSERT_TRUE(SClipboard::SetText("no sound"));
  std::vector<uint8_t> buffer(64);
  EXPECT_EQ(SClipboard::GetWaveSize(), 0);
  EXPECT_FALSE(SClipboard::GetWave(buffer.data(), int(buffer.size())));

  // A header that claims more than its block holds.
  std::vector<uint8_t> wave = WaveFile(8);
  std::vector<uint8_t> forged = wave;
  forged[4] = 0xF0;
  forged[5] = 0xFF;
  ASSERT_TRUE(PutRaw(CF_RIFF, forged));
  EXPECT_EQ(SClipboard::GetWaveSize(), 0);
  std::vector<uint8_t> big(0x10000);
  EXPECT_FALSE(SClipboard::GetWave(big.data(), int(big.size())));

  ASSERT_TRUE(PutRaw(CF_RIFF, {'R', 'I', 'F', 'F', 0}));
  EXPECT_EQ(SClipboard::GetWaveSize(), 0);
}

// ---- Bitmaps -----------------------------------------------------------------------------

// The colour of each pixel of a bitmap, through a 32-bit DIB copy.
std::vector<uint32_t> Pixels(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(size_t(width * height));
  HDC screen = GetDC(nullptr);
  int lines = GetDIBits(screen, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != height) pixels.clear();
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

TEST(SClipboardTest, BitmapRoundTrips) {
  const int width = 5, height = 3;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (int y = 0; y < height; y++)
    for (int x = 0; x < width; x++) SetPixel(dc, x, y, RGB(x * 50, y * 100, 200));
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  std::vector<uint32_t> expected = Pixels(bitmap, width, height);
  ASSERT_EQ(expected.size(), size_t(width * height));

  ASSERT_TRUE(SClipboard::SetBitmap(bitmap));  // the clipboard owns it now
  HBITMAP pasted = SClipboard::GetBitmap();
  ASSERT_NE(pasted, nullptr);
  BITMAP shape = {};
  ASSERT_NE(GetObject(pasted, sizeof shape, &shape), 0);
  EXPECT_EQ(shape.bmWidth, width);
  EXPECT_EQ(shape.bmHeight, height);
  EXPECT_EQ(Pixels(pasted, width, height), expected);

  EXPECT_FALSE(SClipboard::SetBitmap(nullptr));
  ASSERT_TRUE(SClipboard::SetText("text only"));
  EXPECT_EQ(SClipboard::GetBitmap(), nullptr);
}

TEST(SClipboardTest, RefusedHandOverIsReportedAsAFailure) {
  // The system refuses a bitmap handle that no longer names a bitmap.
  HBITMAP stale = CreateBitmap(2, 2, 1, 32, nullptr);
  ASSERT_NE(stale, nullptr);
  DeleteObject(stale);
  EXPECT_FALSE(SClipboard::SetBitmap(stale));
  EXPECT_EQ(SClipboard::GetBitmap(), nullptr);
}

}  // namespace
