#include "classes/SystemColor.h"

#include <windows.h>

uint32_t SystemColor(int index) { return GetSysColor(index); }
