// The colour arithmetic: YCrCb both ways, grey and brightness/contrast, and
// the tables the pixel loops use in their place.
#include "window/ColorFunctions.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

int ChannelOf(uint32_t colour, int i) { return (colour >> (8 * i)) & 0xFF; }

TEST(ColorFunctions, KnownColoursTable) {
  // Worked out from the formulas with double arithmetic, apart from the code.
  const struct {
    uint32_t colour, ycrcb, back, grey;
  } cases[] = {
      {0xFFFFFF, 0xFF8080, 0xFFFFFE, 0xFEFEFE},  // white: Y 255, grey 254
      {0x000000, 0x008080, 0x000000, 0x000000},
      {0x808080, 0x7F8080, 0x7F7F7E, 0x7E7E7E},  // Y 127, grey 126
      {0x0000FF, 0x4CFF55, 0x0000FE, 0x4B4B4B},  // red: Y 76, Cr 255, Cb 85
      {0x00FF00, 0x95162C, 0x00FD00, 0x949494},
      {0xFF0000, 0x1D6CFF, 0xFE0000, 0x1C1C1C},
      {0x63C80C, 0x842B6E, 0x64C60C, 0x838383},
      {0x8003FA, 0x5BF194, 0x7E03F9, 0x5A5A5A},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.colour);
    EXPECT_EQ(c.ycrcb, ColorToYCrCb(c.colour));
    EXPECT_EQ(ChannelOf(c.ycrcb, 2), ColorToY(c.colour));
    EXPECT_EQ(ChannelOf(c.ycrcb, 1), ColorToCr(c.colour));
    EXPECT_EQ(ChannelOf(c.ycrcb, 0), ColorToCb(c.colour));
    EXPECT_EQ(c.back, ColorFromYCrCb(c.ycrcb));
    EXPECT_EQ(ChannelOf(c.back, 0), YCrCbToRed(c.ycrcb));
    EXPECT_EQ(ChannelOf(c.back, 1), YCrCbToGreen(c.ycrcb));
    EXPECT_EQ(ChannelOf(c.back, 2), YCrCbToBlue(c.ycrcb));
    EXPECT_EQ(c.grey, ColorToGrey(c.colour));

    // The triples say the same in their own order.
    uint8_t rgb[3] = {uint8_t(ChannelOf(c.colour, 0)), uint8_t(ChannelOf(c.colour, 1)),
                      uint8_t(ChannelOf(c.colour, 2))};
    uint8_t ycrcb[3], back[3];
    RgbToYCrCb(rgb, ycrcb);
    EXPECT_EQ(ChannelOf(c.ycrcb, 2), ycrcb[0]);
    EXPECT_EQ(ChannelOf(c.ycrcb, 1), ycrcb[1]);
    EXPECT_EQ(ChannelOf(c.ycrcb, 0), ycrcb[2]);
    YCrCbToRgb(ycrcb, back);
    for (int i = 0; i < 3; i++) EXPECT_EQ(ChannelOf(c.back, i), back[i]) << i;
  }
}

TEST(ColorFunctions, RoundTripsStayWithinThree) {
  int worst = 0;
  for (int r = 0; r < 256; r += 3)
    for (int g = 0; g < 256; g += 3)
      for (int b = 0; b < 256; b += 3) {
        uint32_t colour = r | g << 8 | b << 16, back = ColorFromYCrCb(ColorToYCrCb(colour));
        for (int i = 0; i < 3; i++) worst = std::max(worst, std::abs(ChannelOf(colour, i) - ChannelOf(back, i)));
      }
  EXPECT_LE(worst, 3);
}

TEST(ColorFunctions, AdjustColorShiftsAndScalesAroundTheMiddle) {
  const struct {
    uint32_t colour;
    double brightness, contrast;
    uint32_t expected;
  } cases[] = {
      {0x804020, 0, 1, 0x804020},     // unchanged
      {0x804020, 0.1, 1.5, 0x993909},  // 32 -> -144 + 25 + 128 = 9; 64 -> 57; 128 -> 153
      {0x804020, -0.5, 1, 0x010000},  // trunc(127.5) = 127 off each channel, clamped at 0
      {0x123456, 1, 1, 0xFFFFFF},
      {0x123456, -1, 1, 0x000000},
      {0xFF00FF, 0, 0, 0x808080},     // no contrast: all middle
      {0xFF0000, 0, -1, 0x01FFFF},    // negative contrast mirrors: 255 -> 1, 0 -> 256, clamped
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, AdjustColor(c.colour, c.brightness, c.contrast))
        << std::hex << c.colour << " " << c.brightness << " " << c.contrast;
}

// The pixel loops look the arithmetic up; every colour must come out as the
// functions give it.
TEST(ColorFunctions, TablesAgreeWithTheFunctionsForEveryColour) {
  GreyTable grey;
  int mismatches = 0;
  for (uint32_t colour = 0; colour < 0x1000000; colour++) {
    uint8_t g = grey.Grey(colour & 0xFF, (colour >> 8) & 0xFF, colour >> 16);
    if (g * 0x010101u != ColorToGrey(colour) && ++mismatches < 5) ADD_FAILURE() << std::hex << colour;
  }
  EXPECT_EQ(0, mismatches);

  for (double brightness : {-1.0, -0.3, 0.0, 0.25, 1.0})
    for (double contrast : {0.0, 0.5, 1.0, 1.7, -1.0}) {
      AdjustTable adjust(brightness, contrast);
      for (int c = 0; c < 256; c++)
        ASSERT_EQ(AdjustColor(c, brightness, contrast) & 0xFF, adjust[uint8_t(c)]) << c;
    }
}

}  // namespace
