// User-class objects: making, preparing, constructing, calling, releasing
// and destroying them, and the reference cells of their variables.
#include "engine/PObjStruct.h"

#include <new>

#include "engine/PEngine.h"
#include "engine/PObjStructFunction.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "engine/PObjectRef.h"

namespace {

bool IsUserObject(const PObject* object) {
  return object->GetDefinition()->GetOrigin() == ORIGIN_USER;
}

// Objects of classes without events have nothing to bind; skipping them keeps
// the many number and text locals of a running member cheap.
bool HasEvents(const PObjectDefinition* definition) {
  for (const PObjectDefinition* d = definition; d; d = d->GetBase()) {
    for (int i = 0; i < d->GetMemberCount(); i++) {
      if (d->GetMemberKind(i) == MEMBER_EVENT) return true;
    }
  }
  return false;
}

}  // namespace

// ==== Construction and registration =============================================================

PObjStruct::PObjStruct(PObjectDefinition* definition)
    : PObject(definition), m_refCount(0), m_released(0), m_callDepth(0) {}

PObjStruct::~PObjStruct() {
  // A part deleted without being unprepared (a failed creation) still frees
  // what it holds; its objects were never handed to anyone else.
  UnpreparePart();
}

void PObjStruct::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_USER);
  PObject::Register(definition);
}

bool PObjStruct::Declare(PObjectDefinition* definition) { return PObject::Declare(definition); }

PObject* PObjStruct::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjStruct(definition);
}

// ==== Objects ===================================================================================

PObject* PObjStruct::NewObject(PObjectDefinition* definition) {
  if (!definition) return nullptr;
  PObject* object = definition->CreateInstance();
  if (!object) return nullptr;
  object->SetEngineMade(false);
  object->SetDynamic();
  if (IsUserObject(object) && !InitObject(object)) {
    ReleaseObject(object, true);
    return nullptr;
  }
  return object;
}

bool PObjStruct::InitObject(PObject* object) {
  PObject* root = object->GetRootPart();
  for (PObject* part = root; part; part = part->GetDerived()) {
    if (!static_cast<PObjStruct*>(part)->PreparePart()) return false;
  }
  for (PObject* part = root; part; part = part->GetDerived()) {
    if (!part->CallConstructor()) return false;
  }
  return true;
}

bool PObjStruct::PreparePart() {
  PObjectDefinition* definition = GetDefinition();
  const int variables = definition->GetVariableCount();
  if (variables > 0) {
    m_refs.reset(new (std::nothrow) PObjectRef[size_t(variables)]);
    if (!m_refs) return false;
    m_refCount = variables;
    for (int i = 0; i < variables; i++) {
      m_refs[size_t(i)].SetDeclaration(definition->GetVariable(i));
      m_refs[size_t(i)].SetHolder(this);
    }
  }
  for (int member = 0; member < definition->GetMemberCount(); member++) {
    int32_t kind = definition->GetMemberKind(member);
    if (kind != MEMBER_FUNCTION && kind != MEMBER_EVENT && kind != MEMBER_HANDLER) return false;
    _PFunction* function = new (std::nothrow) _PFunction(this);
    if (!function) return false;
    if (m_functions.Add(function) < 0) {
      delete function;
      return false;
    }
    if (!function->Load(definition, member)) return false;
  }
  for (int i = 0; i < m_refCount; i++) {
    PObjectRef* cell = &m_refs[size_t(i)];
    if (!cell->GetDeclaration()->IsAutoCreate()) continue;
    if (!cell->CreateObject()) return false;
    PObject* made = cell->GetRefObject();
    if (HasEvents(made->GetDefinition()) && !BindOwner(made)) return false;
  }
  return true;
}

bool PObjStruct::UnpreparePart() {
  bool ok = true;
  for (int i = 0; i < m_functions.GetCount(); i++) {
    _PFunction* function = m_functions.GetAt(i);
    if (function && !function->Unload()) ok = false;
    delete function;
  }
  m_functions.RemoveAll();
  // Newest first, as they were made: a member object's destructor may still
  // use the members made before it.
  for (int i = m_refCount - 1; i >= 0; i--) {
    PObjectRef* cell = &m_refs[size_t(i)];
    if (cell->GetDeclaration()->IsAutoCreate() && cell->GetRefObject() && !cell->ReleaseObject())
      ok = false;
  }
  m_refs.reset();
  m_refCount = 0;
  return ok;
}

bool PObjStruct::UninitObject(PObject* part) {
  for (PObject* p = part; p; p = p->GetBase()) {
    if (!p->CallDestructor()) return false;
    if (!static_cast<PObjStruct*>(p)->UnpreparePart()) return false;
  }
  return true;
}

bool PObjStruct::DeleteObject(PObject* part) { return PObject::DeleteObject(part); }

bool PObjStruct::ReleaseObject(PObject* object, bool forced) {
  if (!object) return false;
  PObject* leaf = object->GetLeafPart();
  if (!IsUserObject(leaf)) return DeleteObject(leaf);
  PObjStruct* user = static_cast<PObjStruct*>(leaf);
  if (!forced && user->GetDepth() > 0) {
    user->FlagReleased();
    return true;
  }
  // A forced release frees the object even when one of its destructors
  // failed; what was left unprepared goes with the parts.
  const bool uninitialised = UninitObject(leaf);
  if (!uninitialised && !forced) return false;
  return DeleteObject(leaf) && uninitialised;
}

bool PObjStruct::DeleteIfReleased(PObject* object) {
  if (!object || !IsUserObject(object)) return true;
  PObjStruct* user = static_cast<PObjStruct*>(object);
  if (!user->IsReleased() || user->GetDepth() >= 1) return true;
  PObject* leaf = object->GetLeafPart();
  if (!UninitObject(leaf)) return false;
  return DeleteObject(leaf);
}

// ==== Cells =====================================================================================

PObjectRef* PObjStruct::MakeRef(PObject* holder, PObjectInfo* declaration) {
  if (!declaration) return nullptr;
  return new (std::nothrow) PObjectRef(declaration, holder);
}

bool PObjectRef::CreateObject() {
  PObjectDefinition* type = m_declaration ? m_declaration->GetType() : nullptr;
  if (!type) return false;
  PObject* object = type->CreateInstance();
  if (!object) return false;
  if (IsUserObject(object) && !PObjStruct::InitObject(object)) {
    PObjStruct::ReleaseObject(object, true);
    return false;
  }
  m_object = object;
  return true;
}

bool PObjectRef::ReleaseObject() {
  if (!PObjStruct::ReleaseObject(m_object, true)) return false;
  m_object = nullptr;
  return true;
}

PObjectRef* PObjStruct::FindRef(const PObjectInfo* declaration, const _PFunction* function) const {
  if (function) {
    if (PObjectRef* cell = function->FindCell(declaration)) return cell;
  }
  for (const PObjStruct* part = this; part; part = static_cast<PObjStruct*>(part->GetBase())) {
    for (int i = 0; i < part->m_refCount; i++) {
      if (part->m_refs[size_t(i)].GetDeclaration() == declaration) return &part->m_refs[size_t(i)];
    }
  }
  return nullptr;
}

// ==== Calls =====================================================================================

bool PObject::CallConstructor() {
  int member = GetDefinition()->GetConstructorId();
  return member < 0 || Call(uint16_t(member), nullptr, nullptr, nullptr);
}

bool PObject::CallDestructor() {
  int member = GetDefinition()->GetDestructorId();
  return member < 0 || Call(uint16_t(member), nullptr, nullptr, nullptr);
}

bool PObject::CallIdle() {
  int member = GetDefinition()->GetIdleId();
  return member < 0 || Call(uint16_t(member), nullptr, nullptr, nullptr);
}

bool PObjStruct::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (!WouldRun(member)) return PObject::Call(member, args, result, caller);
  _PFunction* function = EnterMember(member);
  if (!function) return false;
  const bool ok = function->Run(args, result, caller);
  LeaveMember(member, function);
  return ok;
}
