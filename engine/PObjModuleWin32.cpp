// The window side of module objects: the control window a module draws
// into, handed over by its handle.
#include <windows.h>

#include "engine/PObjModule.h"
#include "window/SWnd.h"

uintptr_t PObjModule::GetWindowHandle() const {
  return m_window ? reinterpret_cast<uintptr_t>(m_window->GetHwnd()) : 0;
}

void PObjModule::DeleteWindow() {
  if (m_window && !m_attached) delete m_window;
  m_window = nullptr;
  m_attached = false;
}

void PObjModule::Destroy() {
  if (m_entries.destroyControl && GetWindowHandle())
    m_entries.destroyControl(this, m_handle, GetWindowHandle());
}

void PObjModule::Resize() {
  if (m_entries.resize && GetWindowHandle()) m_entries.resize(this, m_handle, GetWindowHandle());
}
