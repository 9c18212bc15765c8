// SExternCtrl: the window of a control whose behaviour lives in an
// external module. The engine creates the window on the framework's own
// class and keeps the names the description gave it; the module's class,
// found by the class name, draws into the window and handles it once the
// window has been handed over.
#pragma once

#include <windows.h>

#include "core/SString.h"
#include "core/SStringArray.h"
#include "window/SWnd.h"

class SExternCtrl : public SWnd {
 public:
  SExternCtrl();
  ~SExternCtrl() override;

  // The module class that implements the control.
  SString GetClassName() const { return m_className; }
  void SetClassName(const char* name) { m_className = name; }
  // The module's file name, kept for the program.
  SString GetFileName() const { return m_fileName; }
  void SetFileName(const char* name) { m_fileName = name; }

  // Extra properties handed to the module, in the order added.
  void AddProperty(const char* name, const char* value);
  int GetPropertyCount() const { return m_propertyNames.GetCount(); }
  const SStringArray& GetPropertyNames() const { return m_propertyNames; }
  const SStringArray& GetPropertyValues() const { return m_propertyValues; }

  // name NUL value NUL for every property, then one more NUL (a single NUL
  // without properties); its byte count into *size when given. The caller
  // frees it with delete[].
  char* BuildPropertyBlock(int* size = nullptr) const;

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  SString m_className;
  SString m_fileName;
  SStringArray m_propertyNames;
  SStringArray m_propertyValues;  // index-parallel to the names
};
