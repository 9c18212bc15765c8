// The Dialog object: registration, loading a description with one script
// object per control, the builder's callbacks, modal runs and teardown.
#include "classes/windows/PObjDialog.h"

#include <new>

#include "controls/custom/SExternCtrl.h"
#include "dialogs/ControlTypes.h"
#include "dialogs/DialogFromDescription.h"
#include "engine/PEngine.h"
#include "engine/PObjModule.h"
#include "engine/PObjModuleExternCtrl.h"
#include "engine/PObjStruct.h"
#include "engine/PObjectDefinition.h"
#include "window/MenuFile.h"
#include "window/SMenu.h"
#include "window/SWndLifeGuard.h"
#include "window/controls/SToolBarCtrl.h"

namespace {

// ControlNumbers run from 1 (BINARY) to 36 (EXTERN).
const int kControlNumbers = 37;
PObjDialog::InnerWindowFactory InnerWindowFactories[kControlNumbers] = {};

constexpr TypeCode Builtin(const char (&letters)[4]) {
  return MakeTypeCode(ORIGIN_BUILTIN, letters[0], letters[1], letters[2]);
}

struct WindowTypeClass {
  int windowType;
  TypeCode typeCode;
};

// The script class of each kind of control window; the others (control
// bar, status bar, tray icon ...) get no script object.
const WindowTypeClass kWindowTypeClasses[] = {
    {0, Builtin("WND")},  {2, Builtin("BIN")},  {3, Builtin("BRW")},  {4, Builtin("BTN")},
    {6, Builtin("CHK")},  {8, Builtin("CED")},  {9, Builtin("CBX")},  {12, Builtin("EDT")},
    {13, Builtin("ELI")}, {14, Builtin("SWF")}, {15, Builtin("GRA")}, {16, Builtin("GRP")},
    {18, Builtin("GUI")}, {19, Builtin("ED1")}, {20, Builtin("LAB")}, {21, Builtin("LCD")},
    {22, Builtin("LVL")}, {23, Builtin("LIS")}, {26, Builtin("MED")}, {27, Builtin("WMP")},
    {28, Builtin("PNL")}, {29, Builtin("PRG")}, {31, Builtin("PRT")}, {32, Builtin("RAD")},
    {33, Builtin("RED")}, {34, Builtin("SCR")}, {36, Builtin("SLD")}, {37, Builtin("SPT")},
    {38, Builtin("SPR")}, {39, Builtin("STC")}, {41, Builtin("TAB")}, {42, Builtin("TDC")},
    {43, Builtin("TOB")}, {45, Builtin("TRE")}, {47, Builtin("ED2")},
};

const TypeCode kToolBarTypeCode = Builtin("TOB");

void ReleaseForced(PObject* object) {
  if (object) PObjStruct::ReleaseObject(object, true);
}

}  // namespace

// ---- Control classes ---------------------------------------------------------------------------

void PObjDialog::SetInnerWindowFactory(int controlNumber, InnerWindowFactory factory) {
  if (controlNumber > 0 && controlNumber < kControlNumbers) InnerWindowFactories[controlNumber] = factory;
}

TypeCode PObjDialog::TypeCodeForWindowType(int windowType) {
  for (const WindowTypeClass& c : kWindowTypeClasses)
    if (c.windowType == windowType) return c.typeCode;
  return TypeCode(0);
}

SWnd* PObjDialog::_PDialog::CreateControlObject(int controlNumber, const ControlRecord*) {
  // A module control's window must tell its module of every new size.
  if (controlNumber == kControlExtern) {
    SWnd* window = new (std::nothrow) PObjModule::_PExternCtrl;
    if (window) window->SetControlNumber(controlNumber);
    return window;
  }
  if (controlNumber <= 0 || controlNumber >= kControlNumbers || !InnerWindowFactories[controlNumber])
    return nullptr;
  SWnd* window = InnerWindowFactories[controlNumber]();
  if (window) window->SetControlNumber(controlNumber);
  return window;
}

// ---- Registration --------------------------------------------------------------------------------

PObjDialog::PObjDialog(PObjectDefinition* definition)
    : PObject(definition), m_window(nullptr), m_loaded(false), m_toolBar(nullptr) {
  DestroyDialog();
}

PObjDialog::~PObjDialog() { DestroyDialog(); }

void PObjDialog::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SERVICES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Dialog");
  definition->SetControlNumber(kControlNumber);
  PObject::Register(definition);
}

PObject* PObjDialog::New(PObjectDefinition* definition) { return new (std::nothrow) PObjDialog(definition); }

bool PObjDialog::Release() {
  DestroyDialog();
  return PObject::Release();
}

// ---- Loading a description -----------------------------------------------------------------------

bool PObjDialog::LoadDescription(SFile* stream, SWnd* parent, PObject* owner, bool popup, const char* text) {
  if (!stream) return false;
  m_loaded = false;
  m_window = new (std::nothrow) _PDialog(this);
  if (!m_window) return false;
  m_window->SetControlNumber(GetDefinition()->GetControlNumber());

  DialogDescriptionOptions description;
  description.parent = parent ? parent->GetHwnd() : nullptr;
  description.popup = popup;
  DialogBuildOptions options;
  options.context = this;
  options.builderOptions = &description;
  options.toolBarFactory = NewToolBarCallback;
  options.nameToId = ResolveConstantCallback;
  if (!m_window->Load(stream, GetEngine()->GetResources(), &options)) {
    delete m_window;
    m_window = nullptr;
    return false;
  }

  PEngine* engine = GetEngine();
  for (int i = 0; i < m_window->GetControlCount(); i++) {
    SWnd* control = m_window->GetControl(i);
    PObjectDefinition* definition = nullptr;
    if (control && control->GetType() == kWindowExtern) {
      // The module's class by the name the window holds, when the module
      // declares it a control.
      definition = engine->FindDefinitionByName(static_cast<SExternCtrl*>(control)->GetClassName().GetText());
      if (definition && !definition->IsModuleControl()) definition = nullptr;
    } else if (control) {
      definition = engine->FindDefinition(TypeCodeForWindowType(control->GetType()));
    }
    PObject* object = definition ? definition->CreateInstance() : nullptr;
    m_controls.Add(object);
    if (!object) continue;
    object->AttachWindow(control);
    object->SetDynamic();
    control->SetScriptObject(object);
    if (owner) owner->BindOwner(object);
    // The module takes the window over once it is bound.
    if (definition->IsModuleControl())
      if (PObjModule* module = PObjModule::PartOf(object)) module->Create();
  }

  // Until the Menu class exists the description's menus stay with the
  // window; its tool bar likewise until the ToolBar class exists.
  if (SToolBarCtrl* bar = m_window->GetToolBar()) {
    PObjectDefinition* definition = engine->FindDefinition(kToolBarTypeCode);
    m_toolBar = definition ? definition->CreateInstance() : nullptr;
    if (m_toolBar) {
      m_toolBar->AttachWindow(bar);
      bar->SetScriptObject(m_toolBar);
    }
  }

  // Loaded first: a handler of the event may close the dialog, and closing
  // is only done for a loaded one.
  m_loaded = true;
  SWndLifeGuard guard(m_window);
  RaiseEvent(this, ON_LOADED, nullptr, text ? text : "");
  if (guard.IsAlive() && m_window && m_window->GetHwnd())
    m_window->Redraw(RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE, nullptr, nullptr);
  return true;
}

int PObjDialog::ResolveConstantCallback(void* context, const char* name) {
  PObject* dialog = static_cast<PObject*>(context);
  if (!dialog || !name) return 0;
  SArray<SValue*> constants;
  dialog->GetEngine()->CollectPackageConstants(&constants);
  for (int i = 0; i < constants.GetCount(); i++) {
    const SValue* constant = constants.GetAt(i);
    if (!constant || constant->GetName() != SString(name)) continue;
    SString text = constant->ToString();
    if (text.IsHexNumber("0x", false)) return int(uint32_t(uint64_t(text.HexValue())));
    return int(uint32_t(uint64_t(constant->ToInt64())));
  }
  return 0;
}

SMenu* PObjDialog::NewMenuCallback(void*) { return new (std::nothrow) SMenu; }

SToolBarCtrl* PObjDialog::NewToolBarCallback(void*) { return new (std::nothrow) SToolBarCtrl; }

bool PObjDialog::LoadMenus(SFile* stream) {
  if (!m_window || !m_window->GetHwnd() || !stream) return false;
  FreeMenus();
  if (!LoadMenuFile(&m_fileMenus, GetEngine()->GetResources(), true, m_window->GetHwnd(), stream, &m_menuImages,
                    this, NewMenuCallback, ResolveConstantCallback) ||
      m_fileMenus.GetCount() == 0) {
    FreeMenus();
    return false;
  }
  m_window->SetMenu(m_fileMenus.GetAt(0)->GetHandle(), true);
  return true;
}

// ---- Modal runs ------------------------------------------------------------------------------------

int PObjDialog::RunModal(const char* text, bool disableAll) {
  // The run's handlers may release this object: what is needed after the
  // run is taken now.
  PEngine* engine = GetEngine();
  engine->EnterModal();
  int result = m_window->DoModal(nullptr, reinterpret_cast<WPARAM>(text), 0, disableAll, true);
  engine->LeaveModal();
  if (!engine->IsRunning()) {
    // The program asked to end while the dialog ran. A run nested in
    // another, or in the application loop, leaves that loop one WM_QUIT,
    // and only one, or a destructor's message box would end at once.
    // Before the application loop has started nothing is left: the start
    // itself sees that the program ended.
    MSG pending;
    bool queued = PeekMessageA(&pending, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
    if (!engine->IsInLoop() && engine->GetModalDepth() == 0) {
      if (queued) PeekMessageA(&pending, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    } else if (!queued) {
      if (GetCurrentThreadId() == engine->GetMainThreadId())
        PostQuitMessage(0);
      else
        PostThreadMessageA(engine->GetMainThreadId(), WM_QUIT, 0, 0);
    }
  }
  return result;
}

// ---- Teardown ----------------------------------------------------------------------------------------

void PObjDialog::FreeToolBar() {
  if (m_window) m_window->DestroyControlBar();
  if (m_toolBar) {
    m_toolBar->AttachWindow(nullptr);
    ReleaseForced(m_toolBar);
    m_toolBar = nullptr;
  }
}

void PObjDialog::FreeMenus() {
  if (m_window && m_window->GetHwnd() && ::GetMenu(m_window->GetHwnd())) m_window->SetMenu(nullptr, true);
  for (int i = 0; i < m_menus.GetCount(); i++) ReleaseForced(m_menus.GetAt(i));
  m_menus.RemoveAll();
  for (int i = 0; i < m_fileMenus.GetCount(); i++) delete m_fileMenus.GetAt(i);
  m_fileMenus.RemoveAll();
  m_menuImages.Destroy();
}

void PObjDialog::DestroyModuleControls() {
  for (int i = 0; i < m_controls.GetCount(); i++) {
    PObject* child = m_controls.GetAt(i);
    if (child && child->GetDefinition()->IsModuleControl())
      if (PObjModule* module = PObjModule::PartOf(child)) module->Destroy();
  }
}

void PObjDialog::DetachChildren() {
  for (int i = 0; i < m_controls.GetCount(); i++)
    if (PObject* child = m_controls.GetAt(i)) child->AttachWindow(nullptr);
  if (m_toolBar) m_toolBar->AttachWindow(nullptr);
}

void PObjDialog::ReleaseChildren() {
  for (int i = 0; i < m_controls.GetCount(); i++) {
    ReleaseForced(m_controls.GetAt(i));
    m_controls.SetAt(i, nullptr);
  }
  m_controls.RemoveAll();
}

void PObjDialog::DestroyDialog() {
  FreeToolBar();
  FreeMenus();
  m_loaded = false;
  DetachChildren();
  ReleaseChildren();
  delete m_window;
  m_window = nullptr;
}

bool PObjDialog::CloseForReload() {
  if (m_window && m_window->GetHwnd() && !m_window->Close()) return false;
  ReleaseChildren();
  delete m_window;
  m_window = nullptr;
  return true;
}
