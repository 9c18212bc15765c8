// The one platform call of SPath: making a local path absolute.
#include <windows.h>

#include "files/SPath.h"

int SPath::MakeFullPathName(const char* text, char* buffer, int size) {
  return int(GetFullPathNameA(text, DWORD(size), buffer, nullptr));
}
