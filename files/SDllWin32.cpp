// SDll: loading and freeing the library, and its signature.
#include "files/SDll.h"

#include <windows.h>

#include "files/SFile.h"
#include "files/SFilePath.h"

SDll::SDll() : SDll(DLL_STDCALL) {}

SDll::SDll(int convention)
    : m_tempPath(""),
      m_module(nullptr),
      m_convention(convention == DLL_STDCALL ? DLL_STDCALL : DLL_CDECL),
      m_returnType(DLL_NONE) {}

SDll::~SDll() { Free(); }

bool SDll::Load(const char* path) {
  Free();
  if (!path) return false;
  m_module = LoadLibraryA(path);
  return m_module != nullptr;
}

bool SDll::LoadFromStream(SFile* stream) {
  if (!stream) return false;
  Free();
  SString path = m_disk.MakeTempFileName();
  if (path.GetLength() == 0) return false;
  SFilePath file;
  if (!file.Open(path.GetText(), true, true, true)) {
    m_disk.DeleteFile(path.GetText());
    return false;
  }
  stream->CopyTo(&file, -1);
  file.Close();
  m_module = LoadLibraryA(path.GetText());
  if (!m_module) {
    m_disk.DeleteFile(path.GetText());
    return false;
  }
  m_tempPath = path;
  return true;
}

bool SDll::Free() {
  if (!m_module) return false;
  if (!FreeLibrary(m_module)) return false;
  m_module = nullptr;
  m_argumentTypes.RemoveAll();
  if (m_tempPath.GetLength() > 0) {
    m_disk.DeleteFile(m_tempPath.GetText());
    m_tempPath = "";
  }
  return true;
}

void* SDll::GetFunction(const char* name) const {
  if (!m_module || !name) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(m_module, name));
}

void SDll::SetCallingConvention(int convention) {
  m_convention = convention == DLL_STDCALL ? DLL_STDCALL : DLL_CDECL;
}

void SDll::SetSignature(int returnType, const SArray<int32_t>* argumentTypes) {
  m_returnType = returnType >= DLL_INT && returnType <= DLL_PTR ? returnType : DLL_NONE;
  m_argumentTypes.RemoveAll();
  if (!argumentTypes) return;
  for (int i = 0; i < argumentTypes->GetCount(); i++) {
    int32_t type = argumentTypes->GetAt(i);
    m_argumentTypes.Add(type >= DLL_INT && type <= DLL_PTR ? type : int32_t(DLL_INT));
  }
}
