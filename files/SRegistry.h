// SRegistry: single values of the system registry.
//
// Every operation opens the key it needs, does one thing and closes it, so
// no handle outlives a call and the operations may run on any thread. Texts
// are stored as REG_SZ and integers as REG_DWORD; a read goes by the bytes it
// gets, whatever type was stored. Platform failures fold into false, "" or 0.
//
// The sub key is a backslash-separated path under the root handle the
// caller names (HKEY_CURRENT_USER ...); an empty value name addresses the
// key's default value.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/SString.h"

class SRegistry {
 public:
  virtual ~SRegistry() = default;

  // Create the key when missing; false for a null or empty sub key. A null
  // text is stored as "".
  static bool WriteString(HKEY root, const char* subKey, const char* name, const char* text);
  static bool WriteInt(HKEY root, const char* subKey, const char* name, int32_t value);

  // Texts of up to 255 characters; anything longer reads as "".
  static SString ReadString(HKEY root, const char* subKey, const char* name);
  // Exactly 4 bytes at most; 0 when missing or longer.
  static int32_t ReadInt(HKEY root, const char* subKey, const char* name);

  // A key that has sub keys of its own is not deleted.
  static bool DeleteKey(HKEY root, const char* subKey);
  static bool DeleteValue(HKEY root, const char* subKey, const char* name);
};
