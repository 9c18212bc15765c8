// SSystem: the hardware addresses of the network adapters, through NetBIOS.
#include "files/SSystem.h"

#include <nb30.h>

#include <cstring>

#include "core/SStringArray.h"

namespace {

// The dial-up adapter's address: the bytes of "DEST" and two zeros.
const uint8_t kDialUpAddress[6] = {0x44, 0x45, 0x53, 0x54, 0x00, 0x00};

// The adapter numbers: NetBIOS's list on the NT family, else adapter 0.
int GetAdapters(UCHAR* numbers) {
  numbers[0] = 0;
  if (!SSystem::IsNtFamily()) return 1;
  LANA_ENUM adapters;
  NCB control;
  std::memset(&control, 0, sizeof control);
  control.ncb_command = NCBENUM;
  control.ncb_buffer = reinterpret_cast<PUCHAR>(&adapters);
  control.ncb_length = sizeof adapters;
  if (Netbios(&control) != NRC_GOODRET) return 1;
  int n = adapters.length;
  std::memcpy(numbers, adapters.lana, size_t(n));
  return n;
}

// The first 6 bytes of the adapter's status, after a reset.
bool ReadAddress(UCHAR adapter, uint8_t* address) {
  NCB control;
  std::memset(&control, 0, sizeof control);
  control.ncb_command = NCBRESET;
  control.ncb_lana_num = adapter;
  control.ncb_callname[0] = 20;   // sessions
  control.ncb_callname[2] = 100;  // names
  if (Netbios(&control) != NRC_GOODRET) return false;

  UCHAR status[1024];
  std::memset(&control, 0, sizeof control);
  control.ncb_command = NCBASTAT;
  control.ncb_lana_num = adapter;
  std::memset(control.ncb_callname, ' ', NCBNAMSZ);
  control.ncb_callname[0] = '*';
  control.ncb_buffer = status;
  control.ncb_length = sizeof status;
  if (Netbios(&control) != NRC_GOODRET) return false;
  std::memcpy(address, status, 6);
  return true;
}

}  // namespace

namespace SSystem {

int GetMacAddresses(SArray<uint8_t>* bytes, SStringArray* texts) {
  UCHAR adapters[MAX_LANA + 1];
  int n = GetAdapters(adapters);
  int found = 0;
  for (int i = 0; i < n; i++) {
    uint8_t address[6];
    if (!ReadAddress(adapters[i], address)) continue;
    if (std::memcmp(address, kDialUpAddress, 6) == 0) continue;
    if (texts) {
      SString text;
      text.Format("%02X:%02X:%02X:%02X:%02X:%02X", address[0], address[1], address[2], address[3],
                  address[4], address[5]);
      texts->Add(text.GetText());
    }
    if (bytes) {
      for (int k = 0; k < 6; k++) bytes->Add(address[k]);
    }
    found++;
  }
  return found;
}

SString GetMacAddress() {
  SStringArray texts;
  return GetMacAddresses(nullptr, &texts) > 0 ? texts.GetString(0) : SString("");
}

}  // namespace SSystem
