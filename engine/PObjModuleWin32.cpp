// The window side of module objects: the control window a module draws
// into, handed over by its handle.
#include <windows.h>

#include <memory>

#include "engine/PObjModule.h"
#include "engine/PObjModuleExternCtrl.h"
#include "engine/PObjectDefinition.h"
#include "window/WindowType.h"

uintptr_t PObjModule::GetWindowHandle() const {
  return m_window ? reinterpret_cast<uintptr_t>(m_window->GetHwnd()) : 0;
}

void PObjModule::DeleteWindow() {
  if (m_window) {
    m_window->SetScriptObject(nullptr);
    if (!m_attached) delete m_window;
  }
  m_window = nullptr;
  m_attached = false;
  if (PObject* control = GetBase()) control->AttachWindow(nullptr);
}

void PObjModule::Create() {
  if (!m_entries.createControl || !GetWindowHandle()) return;
  // A window of another type has no properties to give.
  std::unique_ptr<char[]> block(m_window->GetType() == kWindowExtern
                                    ? static_cast<SExternCtrl*>(m_window)->BuildPropertyBlock()
                                    : new char[1]{0});
  m_entries.createControl(this, m_handle, GetWindowHandle(), block.get());
}

void PObjModule::Destroy() {
  if (m_entries.destroyControl && GetWindowHandle())
    m_entries.destroyControl(this, m_handle, GetWindowHandle());
}

void PObjModule::Resize() {
  if (m_entries.resize && GetWindowHandle()) m_entries.resize(this, m_handle, GetWindowHandle());
}

LRESULT PObjModule::_PExternCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SIZE) {
    if (PObjModule* module = PartOf(GetScriptObject())) module->Resize();
  }
  return SExternCtrl::WindowProc(message, wparam, lparam);
}
