// SDll::Call: a typed call of a library export on 32-bit x86.
//
// The arguments are laid out as the stack words the export expects, and a
// small thunk pushes them, calls, and takes both result registers: EAX:EDX
// for integers and pointers, ST(0) for floating-point results. The thunk
// keeps its own frame pointer and restores the stack pointer from it, which
// removes the arguments after a CDECL export and leaves the stack alone
// after a STDCALL one, so a convention that does not match the export's
// cannot unbalance the caller either.
#include "files/SDll.h"

#include <windows.h>

#include <cstddef>
#include <cstring>

namespace {

// What the thunk reads and writes; the offsets are spelled out in it.
struct DllCallFrame {
  double floatResult;     // 0: ST(0) after the call, when it held a value
  void* function;         // 8
  const uint32_t* words;  // 12: the argument words, first argument first
  int32_t wordCount;      // 16
  uint32_t low;           // 20: EAX after the call
  uint32_t high;          // 24: EDX after the call
  int32_t hasFloat;       // 28: 1 when ST(0) held a value
};
static_assert(offsetof(DllCallFrame, function) == 8);
static_assert(offsetof(DllCallFrame, words) == 12);
static_assert(offsetof(DllCallFrame, wordCount) == 16);
static_assert(offsetof(DllCallFrame, low) == 20);
static_assert(offsetof(DllCallFrame, high) == 24);
static_assert(offsetof(DllCallFrame, hasFloat) == 28);

// The largest argument list: 8 bytes for each of far more arguments than a
// script can give.
const int kMaxWords = 512;

}  // namespace

// The words are pushed last first, so the first lies lowest, on a 16-byte
// boundary for exports built to expect one. After the call the floating-
// point stack is emptied whatever the result type: a value left in ST(0)
// by an export declared as returning none would otherwise stay behind and
// spoil the caller's own arithmetic.
__attribute__((naked)) static void DllInvoke(DllCallFrame*) {
  asm(R"(
  pushl %ebp
  movl %esp, %ebp
  pushl %ebx
  pushl %esi
  pushl %edi
  movl 8(%ebp), %esi
  movl 12(%esi), %edi
  movl 16(%esi), %ecx
  leal 0(,%ecx,4), %eax
  movl %esp, %edx
  subl %eax, %edx
  andl $15, %edx
  subl %edx, %esp
1:
  testl %ecx, %ecx
  jz 2f
  decl %ecx
  pushl (%edi,%ecx,4)
  jmp 1b
2:
  call *8(%esi)
  movl 8(%ebp), %esi
  movl %eax, 20(%esi)
  movl %edx, 24(%esi)
  movl $0, 28(%esi)
  fxam
  fnstsw %ax
  andw $0x4500, %ax
  cmpw $0x4100, %ax
  je 3f
  fstpl 0(%esi)
  movl $1, 28(%esi)
3:
  leal -12(%ebp), %esp
  popl %edi
  popl %esi
  popl %ebx
  popl %ebp
  ret
)");
}

bool SDll::Call(const char* name, void* result, const SArray<void*>* arguments) {
  void* function = GetFunction(name);
  if (!function) return false;
  if (!result && m_returnType != DLL_NONE) return false;
  int count = arguments ? arguments->GetCount() : 0;
  if (count != m_argumentTypes.GetCount()) return false;

  uint32_t words[kMaxWords];
  int n = 0;
  for (int i = 0; i < count; i++) {
    int type = m_argumentTypes.GetAt(i);
    void* argument = arguments->GetAt(i);
    int size = type == DLL_INT64 || type == DLL_DOUBLE ? 2 : 1;
    if (n + size > kMaxWords) return false;
    switch (type) {
      case DLL_INT:
      case DLL_FLOAT:
      case DLL_INT64:
      case DLL_DOUBLE:
        // A number is read from where its argument points.
        if (!argument) return false;
        std::memcpy(&words[n], argument, size_t(size) * 4);
        n += size;
        break;
      case DLL_STR:
      case DLL_USTR:
      case DLL_PTR:
        words[n++] = uint32_t(reinterpret_cast<uintptr_t>(argument));
        break;
      default:
        break;  // SetSignature lets no other type in
    }
  }

  DllCallFrame frame = {0.0, function, words, n, 0, 0, 0};
  DllInvoke(&frame);

  uint64_t whole = uint64_t(frame.low) | (uint64_t(frame.high) << 32);
  switch (m_returnType) {
    case DLL_INT:
    case DLL_PTR:
      std::memcpy(result, &frame.low, 4);
      break;
    case DLL_INT64:
      std::memcpy(result, &whole, 8);
      break;
    case DLL_FLOAT: {
      float value = float(frame.floatResult);
      std::memcpy(result, &value, 4);
      break;
    }
    case DLL_DOUBLE:
      std::memcpy(result, &frame.floatResult, 8);
      break;
    case DLL_STR:
      static_cast<SString*>(result)->Assign(reinterpret_cast<const char*>(uintptr_t(frame.low)));
      break;
    case DLL_USTR:
      static_cast<SString*>(result)->AssignWide(
          reinterpret_cast<const UniChar*>(uintptr_t(frame.low)));
      break;
    default:
      break;
  }
  return true;
}
