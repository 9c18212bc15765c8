// The element types of the core build, instantiated once here so that every
// operation of the template is compiled for each of them. Arrays of the
// other layers' classes are instantiated where those classes live.
#include "core/SArray.h"

// clang 14 also instantiates the constrained members (the deletions of
// pointed objects) of an explicitly instantiated array; for that compiler
// (the fuzz build) the other arrays are instantiated only where they are used.
#if !defined(__clang__) || __clang_major__ >= 15
template class SArray<bool>;
template class SArray<unsigned short>;
template class SArray<int>;
template class SArray<unsigned int>;
template class SArray<unsigned long>;
template class SArray<long long>;
template class SArray<unsigned long long>;
template class SArray<double>;
template class SArray<int*>;
template class SArray<unsigned char*>;
template class SArray<void*>;
#endif
template class SArray<SString*>;
