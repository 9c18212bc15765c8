// Colour arithmetic: the YCrCb conversions, grey and brightness/contrast.
#include "window/ColorFunctions.h"

#include <array>

namespace {

int Red(uint32_t colour) { return colour & 0xFF; }
int Green(uint32_t colour) { return (colour >> 8) & 0xFF; }
int Blue(uint32_t colour) { return (colour >> 16) & 0xFF; }

uint32_t MakeColor(uint8_t red, uint8_t green, uint8_t blue) {
  return uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16;
}

// Truncation toward zero, then 0..255. Values far outside int need no care:
// no formula here comes near them.
uint8_t Channel(double v) {
  int i = static_cast<int>(v);
  return static_cast<uint8_t>(i < 0 ? 0 : i > 255 ? 255 : i);
}

// The luma's three products, rounded to double once, at compile time. The
// 32-bit build computes in the x87's wider registers, where 0.587 x 128 +
// 0.299 x 128 + 0.114 x 128 would reach 128 instead of 127.99999...: from
// the tables every build, and the pixel loops too, add the same doubles.
constexpr std::array<double, 256> Products(double factor) {
  std::array<double, 256> t{};
  for (int i = 0; i < 256; i++) t[i] = factor * i;
  return t;
}
constexpr std::array<double, 256> kGreenTerm = Products(0.587);
constexpr std::array<double, 256> kRedTerm = Products(0.299);
constexpr std::array<double, 256> kBlueTerm = Products(0.114);

// Luma from its terms, added in the formula's order, each sum rounded to
// double before the next step.
uint8_t Luma(double green, double red, double blue) {
  volatile double sum = green + red;
  sum = sum + blue;
  return Channel(sum);
}

uint8_t YOf(int red, int green, int blue) { return Luma(kGreenTerm[green], kRedTerm[red], kBlueTerm[blue]); }

uint8_t CrOf(int red, int green, int blue) { return Channel(128 - static_cast<int>(0.419 * green - 0.5 * red + 0.081 * blue)); }

uint8_t CbOf(int red, int green, int blue) { return Channel(128 - static_cast<int>(0.169 * red + 0.331 * green - 0.5 * blue)); }

uint8_t RedOf(int y, int cr, int cb) {
  double crs = cr - 128, cbs = cb - 128;
  return Channel(1.40169 * (crs - 0.000661 * (cbs - 1079.05 * y)));
}

uint8_t GreenOf(int y, int cr, int cb) {
  double crs = cr - 128, cbs = cb - 128;
  return Channel(y - (0.714169 * crs + 0.343695 * cbs));
}

uint8_t BlueOf(int y, int cr, int cb) {
  double crs = cr - 128, cbs = cb - 128;
  return Channel(y + (1.77216 * cbs + 0.00099 * crs));
}

int PackedY(uint32_t ycrcb) { return (ycrcb >> 16) & 0xFF; }
int PackedCr(uint32_t ycrcb) { return (ycrcb >> 8) & 0xFF; }
int PackedCb(uint32_t ycrcb) { return ycrcb & 0xFF; }

uint8_t AdjustChannel(int c, double brightness, double contrast) {
  return Channel(static_cast<int>(contrast * (c - 128)) - static_cast<int>(-255 * brightness) + 128);
}

}  // namespace

// ---- Luma and chroma ---------------------------------------------------------------

uint8_t ColorToY(uint32_t colour) { return YOf(Red(colour), Green(colour), Blue(colour)); }
uint8_t ColorToCr(uint32_t colour) { return CrOf(Red(colour), Green(colour), Blue(colour)); }
uint8_t ColorToCb(uint32_t colour) { return CbOf(Red(colour), Green(colour), Blue(colour)); }

uint8_t YCrCbToRed(uint32_t ycrcb) { return RedOf(PackedY(ycrcb), PackedCr(ycrcb), PackedCb(ycrcb)); }
uint8_t YCrCbToGreen(uint32_t ycrcb) { return GreenOf(PackedY(ycrcb), PackedCr(ycrcb), PackedCb(ycrcb)); }
uint8_t YCrCbToBlue(uint32_t ycrcb) { return BlueOf(PackedY(ycrcb), PackedCr(ycrcb), PackedCb(ycrcb)); }

void RgbToYCrCb(const uint8_t rgb[3], uint8_t ycrcb[3]) {
  int red = rgb[0], green = rgb[1], blue = rgb[2];
  ycrcb[0] = YOf(red, green, blue);
  ycrcb[1] = CrOf(red, green, blue);
  ycrcb[2] = CbOf(red, green, blue);
}

void YCrCbToRgb(const uint8_t ycrcb[3], uint8_t rgb[3]) {
  int y = ycrcb[0], cr = ycrcb[1], cb = ycrcb[2];
  rgb[0] = RedOf(y, cr, cb);
  rgb[1] = GreenOf(y, cr, cb);
  rgb[2] = BlueOf(y, cr, cb);
}

uint32_t ColorToYCrCb(uint32_t colour) {
  return uint32_t(ColorToCb(colour)) | uint32_t(ColorToCr(colour)) << 8 | uint32_t(ColorToY(colour)) << 16;
}

uint32_t ColorFromYCrCb(uint32_t ycrcb) {
  return MakeColor(YCrCbToRed(ycrcb), YCrCbToGreen(ycrcb), YCrCbToBlue(ycrcb));
}

// ---- Grey and adjustment ----------------------------------------------------------------

uint32_t ColorToGrey(uint32_t colour) {
  uint8_t v = RedOf(ColorToY(colour), 128, 128);
  return v * 0x010101u;
}

uint32_t AdjustColor(uint32_t colour, double brightness, double contrast) {
  return MakeColor(AdjustChannel(Red(colour), brightness, contrast),
                   AdjustChannel(Green(colour), brightness, contrast),
                   AdjustChannel(Blue(colour), brightness, contrast));
}

// ---- Tables of the pixel loops -------------------------------------------------------------

GreyTable::GreyTable() {
  for (int y = 0; y < 256; y++) m_greyOfY[y] = RedOf(y, 128, 128);
}

// The luma's exact value is n / 1000 with n = 587 G + 299 R + 114 B, and
// the doubles stray from it by far less than 1 / 1000. Unless n is a
// multiple of 1000, the truncation of the doubles is therefore n / 1000;
// only on those few exact integers can the doubles fall either side, and
// they are asked. This keeps the conversion of doubles to integers, slow on
// the x87, out of nearly every pixel.
uint8_t GreyTable::Grey(uint8_t red, uint8_t green, uint8_t blue) const {
  int n = 587 * green + 299 * red + 114 * blue, y = n / 1000;
  if (n - y * 1000 == 0) y = YOf(red, green, blue);
  return m_greyOfY[y];
}

AdjustTable::AdjustTable(double brightness, double contrast) {
  for (int c = 0; c < 256; c++) m_value[c] = AdjustChannel(c, brightness, contrast);
}
