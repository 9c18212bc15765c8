// The COLORREF of a system colour index (GetSysColor). The Color class is
// pure code that also builds natively; SystemColorWin32.cpp asks the
// platform, SystemColorHost.cpp stands in with the classic defaults.
#pragma once

#include <cstdint>

uint32_t SystemColor(int index);
