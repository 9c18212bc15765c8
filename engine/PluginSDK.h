// PluginSDK: what crosses the boundary between the engine and an external
// module library, a library written apart from the engine that adds one
// script class. The module exports plain-named cdecl entries (the caller
// removes the arguments); texts are 8-bit and NUL-terminated, booleans come
// back in the low byte.
//
// On the engine's own machine (32-bit x86) every word, pointer and handle
// below is 32 bits wide; the host build, which tests the table reader
// natively, widens them all alike to its pointer size.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"

class SValue;

#if defined(_WIN32) && !defined(_WIN64)
#define TAVRIN_CDECL __cdecl
#else
#define TAVRIN_CDECL
#endif

// One word of a constants, functions or events table: a number of an "Ext_"
// module, or a text pointer (every number of a "Sub_" module is a decimal
// text).
typedef uintptr_t PModuleWord;
// What "Tavrin_New" answers for an object and gets back in every later call.
typedef uintptr_t ModuleHandle;

// The classes of table entries. A return type of any other number is Void,
// a parameter type of any other number String.
enum ModuleTypeNumber : int32_t {
  MODULE_INTEGER = 2,
  MODULE_FLOAT = 3,
  MODULE_STRING = 4,
  MODULE_UNISTRING = 5,
};

// The kinds of a constants table entry; a kind word of 0 ends the table.
enum ModuleConstantKind : int32_t {
  MODULE_CONSTANT_INTEGER = 2,
  MODULE_CONSTANT_FLOAT = 3,
  MODULE_CONSTANT_STRING = 4,
};

// The result a module hands to the event callback: the handler's String,
// UniString, Integer or Float result comes back in the matching field.
struct ModuleEventResult {
  char* text;         // from "Tavrin_MakeString", the module's
  UniChar* uniText;   // from "Tavrin_MakeUniString", the module's
  union {
    int64_t integer;
    double number;
  } value;
};

// Raises event (the member's position in the class) of the engine object
// to its owner, with count arguments after it, each as the handler's
// parameter class wants it: Integer a 64-bit integer, Float a double,
// String an 8-bit text pointer, UniString a UTF-16 text pointer, any other
// class nothing. False when nobody handles the event or the handler fails.
typedef bool(TAVRIN_CDECL* ModuleEventCallback)(void* object, int32_t event,
                                                ModuleEventResult* result, int32_t count, ...);
// The same by the event's member number, with the arguments as values and
// 8 bytes of result (a text pointer for String and UniString handlers);
// noHandler is set when the owner handles no such event.
typedef bool(TAVRIN_CDECL* ModuleCallMemberCallback)(void* object, int32_t member, void* result,
                                                     SArray<SValue*>* args, uint8_t* noHandler);
// A new buffer of n+1 bytes (or UTF-16 units) from the engine's heap; null
// for a negative length or one too long for a text.
typedef char*(TAVRIN_CDECL* ModuleTextAllocator)(int32_t n);
typedef UniChar*(TAVRIN_CDECL* ModuleUniTextAllocator)(int32_t n);

// The one argument of "Tavrin_Call".
struct ModuleCallRecord {
  void* object;           // the engine's object, passed back unchanged
  uintptr_t window;       // the control's window handle, or 0
  ModuleHandle handle;
  int32_t member;         // the member number
  int32_t count;          // arguments
  // One 8-byte slot per argument, by the parameter's class a 64-bit
  // Integer, a Float double or a text pointer (the engine's, valid during
  // the call); null without arguments.
  uint64_t* args;
  // Zero at the call. Integer, Float, or (first 4 bytes) a text the module
  // made with one of the allocators below, which the engine takes over.
  union {
    int64_t integer;
    double number;
    void* text;
  } result;
  ModuleEventCallback eventCallback;
  ModuleTextAllocator makeText;
  ModuleUniTextAllocator makeUniText;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ModuleEventResult) == 16, "event result: two pointers, 8 bytes of value");
static_assert(offsetof(ModuleCallRecord, result) == 24, "call record: six words, then the result");
static_assert(sizeof(ModuleCallRecord) == 48, "call record: result, then three entries");
#endif

// The entries of a module library.
namespace moduleentry {
typedef const char*(TAVRIN_CDECL* Text)();
typedef uint8_t(TAVRIN_CDECL* Flag)();
typedef const PModuleWord*(TAVRIN_CDECL* Table)();
typedef void(TAVRIN_CDECL* Uninit)();
typedef ModuleHandle(TAVRIN_CDECL* New)(void* object, ModuleEventCallback events,
                                        ModuleCallMemberCallback members);
typedef void(TAVRIN_CDECL* Delete)(void* object, ModuleHandle handle);
typedef void(TAVRIN_CDECL* Create)(void* object, ModuleHandle handle, uintptr_t window,
                                   const char* properties);
typedef void(TAVRIN_CDECL* Window)(void* object, ModuleHandle handle, uintptr_t window);
typedef uint8_t(TAVRIN_CDECL* Call)(ModuleCallRecord* record);
typedef char*(TAVRIN_CDECL* MakeString)(int32_t n);
typedef UniChar*(TAVRIN_CDECL* MakeUniString)(int32_t n);
}  // namespace moduleentry
