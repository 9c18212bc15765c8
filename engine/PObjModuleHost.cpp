// The host build has no windows: a module object never holds one.
#include "engine/PObjModule.h"

uintptr_t PObjModule::GetWindowHandle() const { return 0; }

void PObjModule::DeleteWindow() { m_window = nullptr; }

void PObjModule::Create() {}

void PObjModule::Destroy() {}

void PObjModule::Resize() {}
