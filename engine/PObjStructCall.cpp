// The member call of the stack machine: the target and its arguments come
// off the operand stack, the arguments travel as objects of the declared
// parameter classes, and the result comes back through the result cell.
#include <cstdlib>
#include <cstring>

#include "classes/PObjFloat.h"
#include "classes/PObjInt.h"
#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "engine/PEngine.h"
#include "engine/PObjStructFunction.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "engine/PObjectRef.h"

namespace {

// Where a call lands after events go to their handlers and virtual members
// to their overrides.
struct CallTarget {
  PObject* object;
  int member;
  uint16_t id;
  PObject* caller;
};

// A script raising its own event: the owner's handler runs it, told which
// part raised it. Without an owner or handler the event member itself runs.
bool RedirectEvent(CallTarget& call, const PObjStruct::_PCode& code) {
  PObject* raiser = call.object;
  if (code.declaringClass && raiser->GetDefinition() != code.declaringClass)
    raiser = raiser->FindBasePart(code.declaringClass);
  if (!raiser || !raiser->GetOwner()) return false;
  int handler = raiser->GetEventHandler(call.member);
  if (handler < 0) return false;
  PObject* owner = raiser->GetOwner();
  if (handler >= owner->GetDefinition()->GetMemberCount()) return false;
  call = {owner, handler, owner->GetDefinition()->GetMemberId(handler), raiser};
  return true;
}

// A named declaring class runs its own member; otherwise a virtual member
// moves down to the most-derived part whose class overrides it.
bool Dispatch(CallTarget& call, const PObjStruct::_PCode& code) {
  if (code.declaringClass) {
    if (call.object->GetDefinition() != code.declaringClass)
      call.object = call.object->FindBasePart(code.declaringClass);
    return call.object != nullptr;
  }
  if (!code.isVirtual) return true;
  for (PObject* part = call.object->GetDerived(); part; part = part->GetDerived()) {
    int override = part->GetDefinition()->GetOverride(call.member);
    if (override < 0) break;
    call.object = part;
    call.member = override;
    call.id = part->GetDefinition()->GetMemberId(override);
  }
  return true;
}

// Whether a member's result is an object rather than a number or a text.
bool ReturnsObject(TypeCode type) {
  return OriginOf(type) != ORIGIN_NONE && type != TYPE_INTEGER && type != TYPE_FLOAT &&
         type != TYPE_STRING && type != TYPE_UNISTRING && type != TYPE_VOID;
}

}  // namespace

bool PObjStruct::_PFunction::FillArguments(const _PCode& code, PObjectDefinition* definition, int member,
                                           int first) {
  const int count = code.paramCount;
  const bool cached = code.calledClass == definition && code.calledMember == member;
  if (!cached) {
    if (count > m_argSlots || definition->GetParamCount(member) != count) return false;
    if (count <= _PCode::kCachedParams) {
      for (int i = 0; i < count; i++) code.paramTypes[i] = definition->GetParamInfo(member, i)->GetTypeCode();
      code.calledClass = definition;
      code.calledMember = member;
      code.callsDirect = definition->GetOrigin() == ORIGIN_USER && code.memberKind == MEMBER_FUNCTION &&
                         (code.resultType == TYPE_INTEGER || code.resultType == TYPE_FLOAT ||
                          code.resultType == TYPE_VOID);
    }
  }
  PArgs* args = reinterpret_cast<PArgs*>(m_argStorage.get());
  args->count = count;
  size_t integers = 0, floats = 0, strings = 0, uniStrings = 0;
  for (int i = 0; i < count; i++) {
    const SValue& value = m_stack[first + i];
    const TypeCode type = cached ? code.paramTypes[i] : definition->GetParamInfo(member, i)->GetTypeCode();
    switch (type) {
      case TYPE_INTEGER: {
        if (integers >= m_integers.size()) return false;
        PObjInt* t = m_integers[integers++];
        t->SetValue(value.IsInt64() ? value.GetInt64Value() : value.ToInt64());
        args->Set(i, t);
        break;
      }
      case TYPE_FLOAT: {
        if (floats >= m_floats.size()) return false;
        PObjFloat* t = m_floats[floats++];
        t->SetValue(value.IsDouble() ? value.GetDoubleValue() : value.ToDouble());
        args->Set(i, t);
        break;
      }
      case TYPE_STRING: {
        if (strings >= m_strings.size()) return false;
        PObjString* t = m_strings[strings++];
        if (value.IsString()) t->SetText(value.GetStringValue().GetText());
        else t->SetText(value.ToString().GetText());
        args->Set(i, t);
        break;
      }
      case TYPE_UNISTRING: {
        if (uniStrings >= m_uniStrings.size()) return false;
        PObjUniString* t = m_uniStrings[uniStrings++];
        t->SetText(value.ToUniString().GetText());
        args->Set(i, t);
        break;
      }
      default: {
        PObject* object;
        if (!TakeObject(value, object)) return false;
        args->Set(i, object ? object->CastToClass(definition->GetParamInfo(member, i)->GetType()) : nullptr);
        break;
      }
    }
  }
  return true;
}

bool PObjStruct::_PFunction::CallMember(const _PCode& code) {
  const int count = code.paramCount;
  if (count < 0 || m_top < count + 1) return false;
  const int first = m_top - count;
  PObject* target = AsObject(m_stack[first - 1]);
  // A call through a variable that refers to no object has nothing to run.
  if (!target) return false;

  CallTarget call = {target, code.memberIndex, code.memberId, nullptr};
  if (code.memberKind != MEMBER_EVENT || !RedirectEvent(call, code)) {
    if (!Dispatch(call, code)) return false;
  }
  PObjectDefinition* definition = call.object->GetDefinition();
  if (call.member < 0 || call.member >= definition->GetMemberCount()) return false;
  if (!FillArguments(code, definition, call.member, first)) return false;

  m_top = first - 1;
  if (!Push()) return false;
  const bool isText = code.resultType == TYPE_STRING || code.resultType == TYPE_UNISTRING;
  uint64_t storage = 0;
  PResultCell cell = isText ? nullptr : &storage;
  const bool ok = call.object->Call(call.id, reinterpret_cast<PArgs*>(m_argStorage.get()), &cell,
                                    call.caller);
  if (!ok || !m_definition->GetEngine()->MayRunScripts()) {
    if (isText) std::free(cell);
    Top().SetInt64(0);
    return ok;
  }
  SValue& out = Top();
  if (code.resultType == TYPE_FLOAT) {
    double x;
    std::memcpy(&x, &storage, sizeof x);
    out.SetDouble(x);
  } else if (code.resultType == TYPE_STRING) {
    out.SetString(cell ? static_cast<const char*>(cell) : "");
    std::free(cell);
  } else if (code.resultType == TYPE_UNISTRING) {
    out.SetUniString(cell ? static_cast<const UniChar*>(cell) : u"");
    std::free(cell);
  } else {
    int64_t bits;
    std::memcpy(&bits, &storage, sizeof bits);
    out.SetInt64(bits);
    if (ReturnsObject(code.resultType)) out.SetFlag(SLOT_OBJECT);
  }
  // Only a user object deleted during its own call is left to destroy.
  if (definition->GetOrigin() != ORIGIN_USER || !static_cast<PObjStruct*>(call.object)->IsReleased())
    return true;
  return PObjStruct::DeleteIfReleased(call.object);
}
