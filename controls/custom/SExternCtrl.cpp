#include "controls/custom/SExternCtrl.h"

#include <cstring>
#include <initializer_list>

#include "window/FrameworkMessage.h"

SExternCtrl::SExternCtrl() { m_windowType = kWindowExtern; }

SExternCtrl::~SExternCtrl() {
  // The window goes while this class's procedure can still answer for it.
  Destroy();
}

void SExternCtrl::AddProperty(const char* name, const char* value) {
  m_propertyNames.Add(name);
  m_propertyValues.Add(value);
}

char* SExternCtrl::BuildPropertyBlock(int* size) const {
  int total = 1;
  for (int i = 0; i < m_propertyNames.GetCount(); i++)
    total += m_propertyNames.GetString(i).GetLength() + 1 + m_propertyValues.GetString(i).GetLength() + 1;
  char* block = new char[size_t(total)];
  char* end = block;
  for (int i = 0; i < m_propertyNames.GetCount(); i++) {
    for (const SString& text : {m_propertyNames.GetString(i), m_propertyValues.GetString(i)}) {
      std::memcpy(end, text.GetText(), size_t(text.GetLength()));
      end += text.GetLength();
      *end++ = 0;
    }
  }
  *end = 0;
  if (size) *size = total;
  return block;
}

LRESULT SExternCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kCreatedMessage) {
    // The module has not drawn anything yet: white until it does.
    SetBackColor(0x00FFFFFF);
  } else if (message == WM_PRINTCLIENT) {
    HDC dc = reinterpret_cast<HDC>(wparam);
    PaintBackground(dc, dc);
  }
  return SWnd::WindowProc(message, wparam, lparam);
}
