// Data hidden in an SImage's pixels: stored, carried through lossless files,
// read back, and refused when the stored length cannot be true.
#include "tests/window/SImageTesting.h"

#include <cmath>
#include <string>

#include "files/SFileMem.h"
#include "files/SFilePath.h"

namespace {

using ImageData = ImageTest;

std::string Bytes(SFileMem& stream) {
  return stream.GetData() ? std::string(reinterpret_cast<const char*>(stream.GetData()), size_t(stream.GetSize()))
                          : std::string();
}

std::string Payload(int n) {
  std::string bytes;
  for (int i = 0; i < n; i++) bytes += char((i * 37 + 11) & 0xFF);
  return bytes;
}

// Embeds the rest of a stream and reads it back into a new memory stream.
std::string RoundTrip(SImage& image, const std::string& data) {
  SFileMem in;
  in.Write(data.data(), int(data.size()));
  in.Rewind();
  EXPECT_TRUE(image.EmbedData(&in));
  SFileMem out;
  EXPECT_TRUE(image.ExtractData(&out));
  return Bytes(out);
}

TEST_F(ImageData, EmbeddedBytesComeBack) {
  for (int n : {1, 2, 3, 255, 256, 1001}) {
    SImage image;
    FillPattern(image, 8, 6);
    std::string data = Payload(n);
    EXPECT_EQ(data, RoundTrip(image, data)) << n;
    // 24-bit, just large enough, in the old picture's shape.
    EXPECT_EQ(PixelFormat24bppRGB, image.GetPixelFormat());
    double pixels = (n + 4) / 2 + 1;
    EXPECT_EQ(int(std::ceil(std::sqrt(pixels * 8 / 6))), image.GetWidth()) << n;
    EXPECT_EQ(int(std::ceil(std::sqrt(pixels * 6 / 8))), image.GetHeight()) << n;
  }
}

// Only the low bits change: the picture still looks like itself.
TEST_F(ImageData, PictureKeepsItsLook) {
  SImage image;
  ASSERT_TRUE(image.Create(20, 20, PixelFormat24bppRGB));
  for (int y = 0; y < 20; y++)
    for (int x = 0; x < 20; x++) image.SetPixel(x, y, 0xFFC08040);
  std::string data = Payload(790);  // 397 pixels: 20 x 20 again
  EXPECT_EQ(data, RoundTrip(image, data));
  ASSERT_EQ(20, image.GetWidth());
  for (auto [x, y] : {std::pair{0, 0}, std::pair{7, 9}, std::pair{19, 19}})
    EXPECT_LE(ChannelDistance(0xFFC08040, PixelAt(image, x, y)), 0x3F) << x << "," << y;
}

TEST_F(ImageData, OnlyTheRestOfTheStreamIsStored) {
  SImage image;
  FillPattern(image, 4, 4);
  SFileMem in;
  in.WriteString("skip this|keep this", -1);
  in.Seek(10);
  ASSERT_TRUE(image.EmbedData(&in));
  EXPECT_TRUE(in.IsEnd());
  SFileMem out;
  out.WriteString(">", -1);
  ASSERT_TRUE(image.ExtractData(&out));
  EXPECT_EQ(">keep this", Bytes(out));
  EXPECT_EQ(out.GetSize(), out.GetPosition());
}

TEST_F(ImageData, NothingLeftStoresOnlyTheLength) {
  SImage image;
  FillPattern(image, 3, 3);
  SFileMem in;
  ASSERT_TRUE(image.EmbedData(&in));
  SFileMem out;
  EXPECT_TRUE(image.ExtractData(&out));
  EXPECT_EQ(0, out.GetSize());
  EXPECT_FALSE(image.EmbedData(nullptr));
  EXPECT_FALSE(image.ExtractData(nullptr));
}

// BMP and PNG keep every bit; the data survives a file and a reload.
TEST_F(ImageData, SurvivesLosslessFiles) {
  std::string data = Payload(300);
  for (int type : {kImagePng, kImageBmp}) {
    SImage image;
    FillPattern(image, 10, 5);
    SFileMem in;
    in.Write(data.data(), int(data.size()));
    in.Rewind();
    ASSERT_TRUE(image.EmbedData(&in));

    SFilePath file;
    ASSERT_TRUE(file.OpenTemporary());
    ASSERT_TRUE(image.SaveToStream(&file, type, 0));
    file.Rewind();
    SImage loaded;
    ASSERT_TRUE(loaded.LoadFromStream(&file, -1));

    SFilePath out;
    ASSERT_TRUE(out.OpenTemporary());
    ASSERT_TRUE(loaded.ExtractData(&out)) << type;
    out.Rewind();
    SString back = out.ReadString(-1);
    EXPECT_EQ(data, std::string(back.GetText(), size_t(back.GetLength()))) << type;
  }
}

// The stored length is read from the pixels of whatever picture is given. A
// crafted picture claims 0xFFFFFFF0 bytes in 16 pixels: nothing may be read
// past the pixels, and the stream must not grow.
TEST_F(ImageData, LengthsThePixelsCannotHoldAreRefused) {
  SFilePath file(DataPath("image-crafted-length.bmp").c_str(), false, false, true);
  SImage crafted;
  ASSERT_TRUE(crafted.LoadFromStream(&file, -1));
  ASSERT_EQ(16, crafted.GetWidth() * crafted.GetHeight());
  SFileMem out;
  out.WriteString("kept", -1);
  EXPECT_FALSE(crafted.ExtractData(&out));
  EXPECT_EQ("kept", Bytes(out));

  // A length that just fits is read; one byte more is refused.
  SImage image;
  FillPattern(image, 2, 2);
  SFileMem in;
  in.WriteString("ab", -1);
  in.Rewind();
  ASSERT_TRUE(image.EmbedData(&in));
  int room = 2 * image.GetWidth() * image.GetHeight() - 4;  // bytes after the length
  ASSERT_LT(room, 256);
  // The length's low byte is the first pixel's red and green low nibbles.
  auto storeLength = [&](int n) {
    Gdiplus::ARGB first = PixelAt(image, 0, 0);
    ASSERT_EQ(Gdiplus::Ok, image.SetPixel(0, 0, (first & ~0x000F0F00u) | (n >> 4) << 16 | (n & 15) << 8));
  };
  storeLength(room);
  SFileMem full;
  EXPECT_TRUE(image.ExtractData(&full));
  EXPECT_EQ(room, full.GetSize());
  storeLength(room + 1);
  SFileMem over;
  EXPECT_FALSE(image.ExtractData(&over));
  EXPECT_EQ(0, over.GetSize());

  // A single pixel cannot even hold the length.
  SImage dot;
  ASSERT_TRUE(dot.Create(1, 1, PixelFormat24bppRGB));
  EXPECT_FALSE(dot.ExtractData(&over));
}

}  // namespace
