// Colour arithmetic shared by the controls, the image code and the script
// Color class: a luma/chroma form of RGB colours (Y, Cr, Cb), grey, and
// brightness/contrast adjustment.
//
// Colours are COLORREF values (red in bits 0-7, green 8-15, blue 16-23);
// they are plain 32-bit words here so that the arithmetic builds anywhere.
// A packed YCrCb value holds Cb in bits 0-7, Cr in 8-15 and Y in 16-23.
// Triples are {R, G, B} and {Y, Cr, Cb}.
//
// Everything computes in double precision, truncates toward zero and clamps
// each channel to 0..255. The constants are those that colours stored by
// applications were made with: changing one moves every stored colour, so
// they stay exactly as they are, odd digits included.
#pragma once

#include <cstdint>

uint8_t ColorToY(uint32_t colour);
uint8_t ColorToCr(uint32_t colour);
uint8_t ColorToCb(uint32_t colour);

uint8_t YCrCbToRed(uint32_t ycrcb);
uint8_t YCrCbToGreen(uint32_t ycrcb);
uint8_t YCrCbToBlue(uint32_t ycrcb);

void RgbToYCrCb(const uint8_t rgb[3], uint8_t ycrcb[3]);
void YCrCbToRgb(const uint8_t ycrcb[3], uint8_t rgb[3]);

uint32_t ColorToYCrCb(uint32_t colour);
uint32_t ColorFromYCrCb(uint32_t ycrcb);

// The colour's luma as a grey: through YCrCb with neutral chroma and back,
// so white gives 254 in each channel, black stays black.
uint32_t ColorToGrey(uint32_t colour);
// Each channel c becomes trunc(contrast (c - 128)) - trunc(-255 brightness)
// + 128: brightness -1..1 shifts by up to 255, contrast scales around 128.
uint32_t AdjustColor(uint32_t colour, double brightness, double contrast);

// The tables behind the pixel loops, which must give exactly what the
// functions above give, one pixel at a time.

// The grey level (each channel of ColorToGrey) of a colour, with the way
// back from luma to grey looked up.
class GreyTable {
 public:
  GreyTable();
  uint8_t Grey(uint8_t red, uint8_t green, uint8_t blue) const;

 private:
  uint8_t m_greyOfY[256];
};

// One AdjustColor channel for every value of a channel.
class AdjustTable {
 public:
  AdjustTable(double brightness, double contrast);
  uint8_t operator[](uint8_t c) const { return m_value[c]; }

 private:
  uint8_t m_value[256];
};
