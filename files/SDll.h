// SDll: one dynamic library of the platform, loaded from a path or from a
// stream, whose exports are called by name with arguments and a result
// described by type codes. A library that arrives as a stream is written to
// a temporary file first, and that file is deleted when the library is freed.
#pragma once

#include <cstdint>

#include "core/Platform.h"
#include "core/SArray.h"
#include "core/SString.h"
#include "files/SDisk.h"

class SFile;

// Who removes the arguments: the caller (CDECL) or the export (STDCALL).
// Any value other than DLL_STDCALL counts as CDECL. (Windows' own CDECL
// macro takes the plain name.)
enum DllCallingConvention : int32_t { DLL_CDECL = 0, DLL_STDCALL = 1 };

// Types of arguments and results (also the script constants of the Dll
// class). An argument of a number type is given as a pointer to its value;
// a text or pointer argument is the pointer itself. A text result is
// stored into the SString the result pointer addresses.
enum DllValueType : int32_t {
  DLL_NONE = 0,    // no result; not an argument type
  DLL_INT = 1,     // 32-bit integer
  DLL_INT64 = 2,   // 64-bit integer
  DLL_FLOAT = 3,   // 32-bit float
  DLL_DOUBLE = 4,  // 64-bit double
  DLL_STR = 5,     // 8-bit text
  DLL_USTR = 6,    // UTF-16 text (a result comes back in the ANSI code page)
  DLL_PTR = 7      // 32-bit pointer
};

class SDll {
 public:
  SDll();  // nothing loaded, STDCALL, no result, no arguments
  explicit SDll(int convention);
  static SDll ConstructWithConvention(int convention) { return SDll(convention); }
  virtual ~SDll();
  SDll(const SDll&) = delete;
  SDll& operator=(const SDll&) = delete;

  // ---- The library --------------------------------------------------------------

  bool IsLoaded() const { return m_module != nullptr; }
  // Frees what was loaded, then loads the library at the path.
  bool Load(const char* path);
  // Frees what was loaded, then loads the library that the stream holds
  // from its position to its end.
  bool LoadFromStream(SFile* stream);
  // False when nothing is loaded or the system refuses; empties the
  // argument types and deletes a temporary file.
  bool Free();
  void* GetFunction(const char* name) const;  // null when absent or not loaded
  // The file a streamed library was loaded from; "" otherwise.
  const SString& GetTemporaryPath() const { return m_tempPath; }

  // ---- The signature ---------------------------------------------------------------

  void SetCallingConvention(int convention);
  // A return type outside 1..7 stores DLL_NONE; an argument type outside
  // 1..7 stores DLL_INT.
  void SetSignature(int returnType, const SArray<int32_t>* argumentTypes);
  int GetCallingConvention() const { return m_convention; }
  int GetReturnType() const { return m_returnType; }
  const SArray<int32_t>& GetArgumentTypes() const { return m_argumentTypes; }

  // ---- Calling ---------------------------------------------------------------------

  // Calls the export with one argument per argument type and stores its
  // result through result as the return type says. False, without a call,
  // when nothing is loaded, the export is missing, the result pointer is
  // null for a result, or the arguments do not match the types in number
  // (or a number argument is null). The caller's stack is the same
  // afterwards whatever convention the export really follows.
  bool Call(const char* name, void* result, const SArray<void*>* arguments);

 private:
  SDisk m_disk;
  SString m_tempPath;
  SArray<int32_t> m_argumentTypes;
  HMODULE m_module;
  int32_t m_convention;
  int32_t m_returnType;
};
