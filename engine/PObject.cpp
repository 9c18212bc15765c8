// The part itself: construction and destruction, the chain of parts,
// owners and event maps, and the registration pieces every class shares.
#include "engine/PObject.h"

#include "classes/PObjFloat.h"
#include "classes/PObjInt.h"
#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "engine/PObjectDefinition.h"

PObject::PObject(PObjectDefinition* definition)
    : m_definition(definition),
      m_engineMade(1),
      m_dynamic(0),
      m_owner(nullptr),
      m_depth(0),
      m_pools(nullptr),
      m_base(nullptr),
      m_derived(nullptr) {}

PObject::~PObject() {
  if (!m_pools) return;
  for (int k = 0; k < kMaxEventArgs; k++) {
    delete m_pools->ints[k];
    delete m_pools->floats[k];
    delete m_pools->strings[k];
    delete m_pools->uniStrings[k];
  }
  delete m_pools;
}

bool PObject::Release() { return true; }

bool PObject::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  (void)member, (void)args, (void)result, (void)caller;
  return true;
}

void PObject::AttachWindow(SWnd* window) { (void)window; }

PEngine* PObject::GetEngine() const { return m_definition->GetEngine(); }

// ==== Chain of parts ============================================================================

PObject* PObject::FindRootPart() const {
  if (!m_base) return nullptr;
  PObject* part = m_base;
  while (part->m_base) part = part->m_base;
  return part;
}

PObject* PObject::GetRootPart() {
  PObject* root = FindRootPart();
  return root ? root : this;
}

PObject* PObject::FindLeafPart() const {
  if (!m_derived) return nullptr;
  PObject* part = m_derived;
  while (part->m_derived) part = part->m_derived;
  return part;
}

PObject* PObject::GetLeafPart() {
  PObject* leaf = FindLeafPart();
  return leaf ? leaf : this;
}

PObject* PObject::FindBasePart(const PObjectDefinition* definition) const {
  for (PObject* part = m_base; part; part = part->m_base) {
    if (part->m_definition == definition) return part;
  }
  return nullptr;
}

PObject* PObject::FindDerivedPart(const PObjectDefinition* definition) const {
  for (PObject* part = m_derived; part; part = part->m_derived) {
    if (part->m_definition == definition) return part;
  }
  return nullptr;
}

PObject* PObject::CastToClass(const PObjectDefinition* definition) {
  if (!definition) return nullptr;
  if (definition == m_definition || definition->GetTypeCode() == TYPE_POINTER) return this;
  PObject* part = FindBasePart(definition);
  return part ? part : FindDerivedPart(definition);
}

void PObject::LinkParts(PObject* base, PObject* derived) {
  base->m_derived = derived;
  derived->m_base = base;
}

bool PObject::DeleteObject(PObject* part) {
  if (!part || !part->Release()) return false;
  while (part) {
    PObject* base = part->m_base;
    delete part;
    part = base;
  }
  return true;
}

// ==== Owners and events =========================================================================

void PObject::SetOwner(PObject* owner, bool all) {
  m_owner = owner;
  if (!all) return;
  for (PObject* part = m_base; part; part = part->m_base) part->m_owner = owner;
  for (PObject* part = m_derived; part; part = part->m_derived) part->m_owner = owner;
}

bool PObject::BindOwner(PObject* object) {
  if (!object) return false;
  object->SetOwner(this, true);
  if (!BuildEventMap(object)) return false;
  for (PObject* part = object->m_base; part; part = part->m_base) {
    if (!BuildEventMap(part)) return false;
  }
  for (PObject* part = object->m_derived; part; part = part->m_derived) {
    if (!BuildEventMap(part)) return false;
  }
  return true;
}

bool PObject::BuildEventMap(PObject* part) {
  part->ClearEventMap();
  const PObjectDefinition* raiser = part->m_definition;
  const PObjectDefinition* owner = m_definition;
  for (int i = 0; i < raiser->GetMemberCount(); i++) {
    int handler = -1;
    if (raiser->GetMemberKind(i) == MEMBER_EVENT) {
      SString name(raiser->GetName());
      name.Append(".").Append(raiser->GetMemberName(i));
      handler = owner->FindMember(name.GetText());
      if (handler >= 0 &&
          (owner->GetMemberKind(handler) != MEMBER_HANDLER || !owner->ParamsMatch(handler, raiser, i)))
        return false;
    }
    part->AddEventMapEntry(handler);
  }
  return true;
}

int PObject::GetEventHandler(int member) const {
  if (member < 0 || member >= m_eventMap.GetCount()) return -1;
  return m_eventMap.GetAt(member);
}

// ==== Registration pieces =======================================================================

void PObject::Register(PObjectDefinition* definition) {
  if (definition->GetOrigin() == ORIGIN_GLOBAL) return;
  definition->AddIntConstant("ID", int64_t(definition->GetTypeCode()), true);
  definition->SetLeadingConstantCount(1);
}

bool PObject::Declare(PObjectDefinition* definition) {
  (void)definition;
  return true;
}
