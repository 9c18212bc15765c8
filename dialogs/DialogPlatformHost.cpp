// Host stand-ins: the colours of the classic Windows scheme, the standard
// scroll bar height at 96 dots per inch, and no designer windows (the host
// build never makes one).
#include "dialogs/DialogPlatform.h"

namespace {

// COLOR_SCROLLBAR .. COLOR_MENUBAR, as 0x00BBGGRR.
const uint32_t kClassicColors[] = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0};

}  // namespace

uint32_t DialogSystemColor(int index) {
  int count = int(sizeof kClassicColors / sizeof kClassicColors[0]);
  return index >= 0 && index < count ? kClassicColors[index] : 0;
}

int DialogScrollBarHeight() { return 17; }

void DestroyPreview(SWnd*, void*) {}
