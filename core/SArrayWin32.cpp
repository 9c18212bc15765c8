// The Win32 element types: window and font handles, and the records kept by
// value (copied word for word) or by pointer.
#include "core/SArray.h"

#include "core/Platform.h"

template class SArray<HWND>;
template class SArray<HFONT>;
template class SArray<RECT>;
template class SArray<RECT*>;
template class SArray<POINT>;
template class SArray<GUID>;
template class SArray<MSG*>;
