// Running the built program: the Global object, the external modules and
// the Application object, the main loop, and the three ways it ends. Quit
// asks the loop to end; Exit also stops script code at once (any thread may
// call it); Stop releases everything, running the destructors of the
// objects it releases and shutting the modules down.
#include "core/NumberFunctions.h"
#include "engine/PEngine.h"
#include "engine/PEngineRunPlatform.h"
#include "engine/PObjStruct.h"
#include "engine/PObjectDefinition.h"

bool PEngine::Run(SResource* resources) {
  if (!Start(resources)) return false;
  RunLoop();
  Stop(false);
  return true;
}

bool PEngine::Start(SResource* resources) {
  if (!IsApplicationBuild()) return false;
  m_mainThreadId = enginerun::CurrentThreadId();
  m_resources = resources;
  m_running = true;
  m_quitting = false;
  m_inLoop = false;
  m_waitForMessages = true;
  m_modalDepth = 0;
  SeedRandom();

  PObjectDefinition* global = FindDefinition(TYPE_GLOBAL);
  m_globalObject = global ? global->CreateInstance() : nullptr;
  if (!m_globalObject) return Stop(true);
  for (int i = 0; i < m_definitions.GetCount(); i++) {
    if (!m_definitions.GetAt(i)->LoadModule()) return Stop(true);
  }
  if (m_subApplicationMode) return true;
  PObjectDefinition* application = GetApplicationDefinition();
  m_applicationObject = application ? application->CreateInstance() : nullptr;
  if (!m_applicationObject) return Stop(true);
  if (!PObjStruct::InitObject(m_applicationObject)) return Stop(true);
  return true;
}

bool PEngine::RunLoop() {
  if (!m_running) return false;
  m_inLoop = true;
  bool ok = enginerun::RunMessageLoop(this, &m_waitForMessages);
  m_inLoop = false;
  return ok;
}

bool PEngine::OnIdle(void* user) {
  PEngine* engine = static_cast<PEngine*>(user);
  PObject* application = engine->m_applicationObject;
  if (!application || application->CallIdle()) return true;
  return engine->Exit();
}

bool PEngine::Stop(bool failure) {
  // Destructors run on every orderly end, also after Exit has stopped the
  // program's other code.
  m_stopping = true;
  if (m_applicationObject) {
    PObjStruct::ReleaseObject(m_applicationObject, true);
    m_applicationObject = nullptr;
  }
  for (int i = 0; i < m_definitions.GetCount(); i++) m_definitions.GetAt(i)->UnloadModule();
  if (m_globalObject) {
    PObjStruct::ReleaseObject(m_globalObject, true);
    m_globalObject = nullptr;
  }
  m_stopping = false;
  m_mainThreadId = 0;
  m_resources = nullptr;
  m_running = false;
  return !failure;
}

bool PEngine::Quit() {
  if (!m_running || m_quitting) return false;
  m_quitting = true;
  if (m_inLoop && enginerun::CurrentThreadId() == m_mainThreadId) enginerun::PostQuit(m_mainThreadId);
  return true;
}

bool PEngine::Exit() {
  if (!m_running) return false;
  const bool wasQuitting = m_quitting;
  m_running = false;
  m_quitting = true;
  if ((!m_inLoop && m_modalDepth == 0) || wasQuitting) return true;
  enginerun::PostQuit(m_mainThreadId);
  return true;
}
