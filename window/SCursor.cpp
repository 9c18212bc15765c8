#include "window/SCursor.h"

#include <vector>

#include "window/BuiltinCursors.h"
#include "window/Framework.h"
#include "window/SImage.h"

namespace {

// The system cursors of types 0 to 13.
const char* const kSystemCursors[] = {
    IDC_ARROW,  IDC_APPSTARTING, IDC_CROSS,  IDC_HAND,   IDC_HELP,   IDC_IBEAM,    IDC_NO,
    IDC_SIZEALL, IDC_SIZENESW,   IDC_SIZENS, IDC_SIZENWSE, IDC_SIZEWE, IDC_UPARROW, IDC_WAIT,
};

struct MaskBits {
  bool andBit, xorBit, hotSpot;
};

// A colour as 0xRRGGBB.
MaskBits MaskBitsOf(uint32_t rgb) {
  switch (rgb) {
    case kCursorTransparent:
      return {true, false, false};
    case kCursorWhite:
      return {false, true, false};
    case kCursorInverted:
      return {true, true, false};
    case kCursorHotBlack:
      return {false, false, true};
    case kCursorHotWhite:
      return {false, true, true};
    case kCursorHotTransparent:
      return {true, false, true};
    case kCursorHotInverted:
      return {true, true, true};
  }
  return {false, false, false};
}

uint32_t RgbOfColorRef(COLORREF color) {
  return uint32_t(GetRValue(color)) << 16 | uint32_t(GetGValue(color)) << 8 | GetBValue(color);
}

// Black where the pixel cannot be read.
uint32_t PixelRgb(HDC dc, const SImage* image, int x, int y) {
  if (dc) {
    COLORREF color = GetPixel(dc, x, y);
    return color == CLR_INVALID ? 0 : RgbOfColorRef(color);
  }
  Gdiplus::ARGB argb = 0;
  if (!image || !image->GetPixel(x, y, argb)) return 0;
  return argb & 0xFFFFFF;
}

// A cursor may be as wide as its planes have whole 16-bit words.
bool IsCursorSize(int width, int height) { return width > 0 && height > 0 && width % 16 == 0; }

void SetPlaneBit(uint8_t* plane, int width, int x, int y, bool on) {
  if (on) plane[y * (width / 8) + x / 8] |= uint8_t(0x80 >> (x % 8));
}

HCURSOR CreateBuiltinCursor(const BuiltinCursorPicture& picture) {
  const int n = kBuiltinCursorSize;
  uint8_t andPlane[n * n / 8] = {};
  uint8_t xorPlane[n * n / 8] = {};
  for (int y = 0; y < n; y++) {
    for (int x = 0; x < n; x++) {
      char c = picture.rows[y][x];
      SetPlaneBit(andPlane, n, x, y, c == '.' || c == '~');
      SetPlaneBit(xorPlane, n, x, y, c == 'o' || c == '~');
    }
  }
  return CreateCursor(GetInstanceHandle(), picture.hotX, picture.hotY, n, n, andPlane, xorPlane);
}

}  // namespace

void BuildCursorMasks(HDC dc, const SImage* image, uint8_t* andPlane, uint8_t* xorPlane, POINT* hotSpot,
                      int width, int height) {
  size_t bytes = size_t(width / 8) * size_t(height);
  for (size_t i = 0; i < bytes; i++) andPlane[i] = xorPlane[i] = 0;
  hotSpot->x = hotSpot->y = 0;
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) {
      MaskBits bits = MaskBitsOf(PixelRgb(dc, image, x, y));
      SetPlaneBit(andPlane, width, x, y, bits.andBit);
      SetPlaneBit(xorPlane, width, x, y, bits.xorBit);
      if (bits.hotSpot) *hotSpot = {x, y};
    }
  }
}

bool SCursor::Load(int type) {
  Clear();
  if (const BuiltinCursorPicture* picture = FindBuiltinCursorPicture(type)) {
    m_cursor = CreateBuiltinCursor(*picture);
    return true;
  }
  if (type < 0 || type >= int(sizeof kSystemCursors / sizeof kSystemCursors[0])) type = kCursorArrow;
  m_cursor = LoadCursorA(nullptr, kSystemCursors[type]);
  m_shared = true;
  return true;
}

bool SCursor::FromImage(const SImage* image) {
  Clear();
  if (!image || !IsCursorSize(image->GetWidth(), image->GetHeight())) return false;
  return CreateFromPixels(nullptr, image, image->GetWidth(), image->GetHeight());
}

bool SCursor::FromDC(HDC dc, int width, int height) {
  Clear();
  if (!dc || !IsCursorSize(width, height)) return false;
  return CreateFromPixels(dc, nullptr, width, height);
}

bool SCursor::LoadFromStream(SFile* stream) {
  SImage image;
  if (!image.LoadFromStream(stream, -1)) {
    Clear();
    return false;
  }
  return FromImage(&image);
}

void SCursor::Clear() {
  if (m_cursor && !m_shared) DestroyCursor(m_cursor);
  m_cursor = nullptr;
  m_shared = false;
}

bool SCursor::CreateFromPixels(HDC dc, const SImage* image, int width, int height) {
  size_t bytes = size_t(width / 8) * size_t(height);
  std::vector<uint8_t> andPlane(bytes), xorPlane(bytes);
  POINT hotSpot;
  BuildCursorMasks(dc, image, andPlane.data(), xorPlane.data(), &hotSpot, width, height);
  m_cursor = CreateCursor(GetInstanceHandle(), hotSpot.x, hotSpot.y, width, height, andPlane.data(),
                          xorPlane.data());
  return m_cursor != nullptr;
}

// ---- StandardCursorTable ------------------------------------------------------------

namespace {

SArray<SCursor*> StandardCursorTable;

}  // namespace

SArray<SCursor*>& GetStandardCursorTable() { return StandardCursorTable; }

// A second start without a stop does not grow the table past its types.
void CreateStandardCursors() {
  FreeStandardCursors();
  for (int type = 0; type < kCursorTypes; type++) {
    SCursor* cursor = new SCursor;
    cursor->Load(type);
    StandardCursorTable.Add(cursor);
  }
}

void FreeStandardCursors() {
  StandardCursorTable.DeleteAll();
  StandardCursorTable.RemoveAll();
  StandardCursorTable.FreeStorage();
}

HCURSOR GetStandardCursor(int type) {
  StartWindowing();
  if (StandardCursorTable.GetCount() == 0) return nullptr;
  if (type < 0 || type >= StandardCursorTable.GetCount()) type = kCursorArrow;
  return StandardCursorTable.GetAt(type)->GetHandle();
}
