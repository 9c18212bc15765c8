#include "files/SRegistry.h"

#include <cstring>

namespace {

// A text value is read into this many bytes: 255 characters and their 0.
const DWORD kTextBytes = 256;

bool IsEmpty(const char* text) { return !text || !*text; }

// Creates or opens the key for writing and sets one value in it.
bool WriteValue(HKEY root, const char* subKey, const char* name, DWORD type,
                const BYTE* data, DWORD size) {
  if (IsEmpty(subKey)) return false;
  char keyClass[1] = "";
  HKEY key;
  if (RegCreateKeyExA(root, subKey, 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  LONG status = RegSetValueExA(key, name, 0, type, data, size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

// Reads at most `size` bytes of one value into `data`; the count read, or -1
// when the key or the value cannot be read (a longer value included).
int ReadValue(HKEY root, const char* subKey, const char* name, BYTE* data, DWORD size) {
  HKEY key;
  if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  LONG status = RegQueryValueExA(key, name, nullptr, nullptr, data, &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? int(size) : -1;
}

}  // namespace

bool SRegistry::WriteString(HKEY root, const char* subKey, const char* name,
                            const char* text) {
  if (!text) text = "";
  return WriteValue(root, subKey, name, REG_SZ, reinterpret_cast<const BYTE*>(text),
                    DWORD(strlen(text) + 1));
}

bool SRegistry::WriteInt(HKEY root, const char* subKey, const char* name, int32_t value) {
  return WriteValue(root, subKey, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                    sizeof value);
}

SString SRegistry::ReadString(HKEY root, const char* subKey, const char* name) {
  // One byte beyond what the platform may fill, so that whatever it leaves
  // is terminated; the buffer starts zeroed so that a value of another type
  // reads as the text of its bytes up to the first 0.
  char buffer[kTextBytes + 1] = {};
  int n = ReadValue(root, subKey, name, reinterpret_cast<BYTE*>(buffer), kTextBytes);
  if (n < 0) return SString("");
  // A full buffer with no 0 in it is a text of 256 characters stored without
  // its terminator: as long as the texts that do not fit, so refused alike.
  if (n == int(kTextBytes) && !memchr(buffer, 0, kTextBytes)) return SString("");
  return SString(buffer);
}

int32_t SRegistry::ReadInt(HKEY root, const char* subKey, const char* name) {
  int32_t value = 0;
  if (ReadValue(root, subKey, name, reinterpret_cast<BYTE*>(&value), sizeof value) < 0)
    return 0;
  return value;
}

bool SRegistry::DeleteKey(HKEY root, const char* subKey) {
  if (IsEmpty(subKey)) return false;
  return RegDeleteKeyA(root, subKey) == ERROR_SUCCESS;
}

bool SRegistry::DeleteValue(HKEY root, const char* subKey, const char* name) {
  if (IsEmpty(subKey) || IsEmpty(name)) return false;
  HKEY key;
  if (RegOpenKeyExA(root, subKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return false;
  LONG status = RegDeleteValueA(key, name);
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}
