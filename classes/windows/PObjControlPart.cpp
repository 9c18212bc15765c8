// The two-part control object: creating, attaching and destroying the
// window that the class part and the Control part share.
#include "classes/windows/PObjControlPart.h"

#include <algorithm>
#include <vector>

#include "classes/ClassArgs.h"
#include "classes/PObjRectangle.h"
#include "classes/windows/PObjControl.h"
#include "classes/windows/PObjDialog.h"
#include "classes/windows/WindowFunctions.h"
#include "dialogs/ControlFactory.h"
#include "dialogs/StyleTexts.h"
#include "engine/PObjectDefinition.h"
#include "window/SWnd.h"

namespace {

// The parts whose release waits for their events to return. Looked up by
// address alone: FinishEvent gets any script object, of any class. Never
// destroyed, since parts may outlive the program's static objects.
std::vector<PObjControlPart*>& PendingReleases() {
  static std::vector<PObjControlPart*>* parts = new std::vector<PObjControlPart*>;
  return *parts;
}

}  // namespace

PObjControlPart::PObjControlPart(PObjectDefinition* definition)
    : PObject(definition), m_window(nullptr), m_attached(false) {}

PObjControlPart::~PObjControlPart() {
  std::vector<PObjControlPart*>& pending = PendingReleases();
  pending.erase(std::remove(pending.begin(), pending.end(), this), pending.end());
  DestroyControl();
}

void PObjControlPart::SetWindows(SWnd* window, bool attached) {
  m_window = window;
  m_attached = attached;
  if (PObjControl* control = PObjControl::PartOf(this)) control->SetWindow(window);
}

bool PObjControlPart::Release() {
  DestroyControl();
  if (GetEventDepth() > 0) {
    std::vector<PObjControlPart*>& pending = PendingReleases();
    if (std::find(pending.begin(), pending.end(), this) == pending.end()) pending.push_back(this);
    return false;
  }
  return PObject::Release();
}

bool PObjControlPart::FinishEvent(PObject* part) {
  std::vector<PObjControlPart*>& pending = PendingReleases();
  auto at = std::find_if(pending.begin(), pending.end(), [part](PObjControlPart* p) { return p == part; });
  if (at == pending.end() || (*at)->GetEventDepth() > 0) return true;
  PObject* leaf = (*at)->GetLeafPart();
  pending.erase(at);
  PObject::DeleteObject(leaf);
  return false;
}

void PObjControlPart::AttachWindow(SWnd* window) {
  // A window let go of (its Dialog closing) still gets messages while it is
  // destroyed, when this part may be gone: it forgets the part first. One
  // this part owned goes.
  if (window != m_window) DestroyControl();
  SetWindows(window, window != nullptr);
}

void PObjControlPart::DestroyControl() {
  SWnd* window = m_window;
  bool attached = m_attached;
  SetWindows(nullptr, false);
  if (!window) return;
  // Cleared first: the window's last messages must not reach this part.
  if (window->GetScriptObject() == this) window->SetScriptObject(nullptr);
  if (!attached) delete window;
}

bool PObjControlPart::CreateControl(PArgs* args, PResultCell* result, SWnd* inner, bool hasText) {
  PObjDialog* parent = GetArgOfClass<PObjDialog>(args, 0);
  HWND parentHandle = parent ? parent->GetHwnd() : nullptr;
  if (!inner || m_window || !parentHandle) {
    delete inner;
    return true;
  }
  const int number = GetDefinition()->GetControlNumber();
  inner->SetControlNumber(number);
  DWORD style = NamesToStyleBits(number, GetArgString(args, 3));
  DWORD exStyle = NamesToExStyleBits(number, GetArgString(args, 4));
  PObjRectangle* place = GetArgOfClass<PObjRectangle>(args, 1);
  RECT rect = place ? RectOf(place) : RECT{};
  SWnd* window = CreateFrameworkWindow(inner, place ? &rect : nullptr, style, exStyle, parentHandle,
                                       hasText ? GetArgString(args, 2) : "");
  if (!window) return true;
  window->SetScriptObject(this);
  SetWindows(window, false);
  return ReturnBool(result, true);
}

SWnd* PObjControlPart::CreateFrameworkWindow(SWnd* inner, const RECT* rect, DWORD style, DWORD exStyle, HWND parent,
                                             const char* text) {
  return CreateControlOfNumber(inner, inner->GetControlNumber(), rect, style, exStyle, parent, text);
}

// ---- Registration pieces -------------------------------------------------------------------------

void PObjControlPart::RegisterControl(PObjectDefinition* definition, PObject* (*factory)(PObjectDefinition*),
                                      TypeCode typeCode, const char* name, int controlNumber,
                                      SWnd* (*innerWindow)()) {
  definition->SetFactory(factory);
  definition->SetCategory(CATEGORY_CONTROLS);
  definition->SetTypeCode(typeCode);
  definition->SetName(name);
  definition->SetControlNumber(int16_t(controlNumber));
  definition->SetBaseName("Control");
  if (innerWindow) PObjDialog::SetInnerWindowFactory(controlNumber, innerWindow);
  PObject::Register(definition);
}

bool PObjControlPart::DeclareCreateDestroy(PObjectDefinition* d, uint16_t create, uint16_t destroy) {
  return DeclareCreate(d, create) && d->AddMember(MEMBER_FUNCTION, destroy, TYPE_VOID);
}

bool PObjControlPart::DeclareCreate(PObjectDefinition* d, uint16_t create) {
  const TypeCode S = TYPE_STRING;
  return d->AddMember(MEMBER_FUNCTION, create, TYPE_INTEGER,
                      {PParamDecl(PObjDialog::kTypeCode), PParamDecl(PObjRectangle::kTypeCode, nullptr),
                       PParamDecl(S, ""), PParamDecl(S, "WS_VISIBLE"), PParamDecl(S, "")});
}

bool PObjControlPart::DeclareMouseRecordEvent(PObjectDefinition* d, uint16_t event) {
  const PParamDecl n(TYPE_INTEGER);
  return d->AddMember(MEMBER_EVENT, event, TYPE_VOID, {n, n, n, n, n});
}

bool PObjControlPart::DeclareWindowEvents(PObjectDefinition* d, uint16_t firstEvent) {
  const PParamDecl n(TYPE_INTEGER);
  return d->AddMember(MEMBER_EVENT, firstEvent, TYPE_VOID, {n}) &&
         d->AddMember(MEMBER_EVENT, uint16_t(firstEvent + 1), TYPE_VOID, {n, n}) &&
         d->AddMember(MEMBER_EVENT, uint16_t(firstEvent + 2), TYPE_VOID) &&
         d->AddMember(MEMBER_EVENT, uint16_t(firstEvent + 3), TYPE_VOID, {n, n});
}
