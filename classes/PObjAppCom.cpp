#include "classes/PObjAppCom.h"

#include <new>

#include "classes/ClassArgs.h"
#include "core/SString.h"
#include "engine/PObjectDefinition.h"
#include "window/FrameworkMessage.h"
#include "window/StringTransfer.h"
#include "window/SWndLifeGuard.h"

namespace {

// Window handles travel as the low 32 bits of an Integer.
HWND HandleOf(int32_t word) { return reinterpret_cast<HWND>(uintptr_t(uint32_t(word))); }
int64_t WordOf(HWND handle) { return int64_t(uint32_t(reinterpret_cast<uintptr_t>(handle))); }

}  // namespace

LRESULT PObjAppCom::_PWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kStringDeliveredMessage) {
    // The sender decides the bytes: a text without its NUL ends at the
    // announced length rather than wherever the heap holds a zero.
    auto* record = reinterpret_cast<const TransferRecord*>(lparam);
    SString text;
    text.Assign(record->Data(), record->TextLength());
    SWndLifeGuard guard(this);
    RaiseEvent(m_owner, ON_TEXT, nullptr, text.GetText(), int64_t(uint32_t(wparam)), record->endValue);
    // The handler may have deleted the object, and this window with it.
    if (!guard.IsAlive()) return 0;
  }
  return SWnd::WindowProc(message, wparam, lparam);
}

PObjAppCom::PObjAppCom(PObjectDefinition* definition) : PObject(definition), m_window(this), m_target(nullptr) {
  m_window.CreateHidden(nullptr);
  m_window.SetScriptObject(this);
}

void PObjAppCom::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SERVICES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("AppCom");
  PObject::Register(definition);
}

bool PObjAppCom::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const PParamDecl zero(TYPE_INTEGER, "0", int32_t(0));
  const PParamDecl n(TYPE_INTEGER);
  return d->AddMember(MEMBER_FUNCTION, GET_HANDLE, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, GET_TARGET, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, SEND, TYPE_INTEGER, {PParamDecl(TYPE_STRING), zero, zero}) &&
         d->AddMember(MEMBER_FUNCTION, SET_TARGET, TYPE_VOID, {n}) &&
         d->AddMember(MEMBER_EVENT, ON_TEXT, TYPE_VOID, {PParamDecl(TYPE_STRING), n, n});
}

PObject* PObjAppCom::New(PObjectDefinition* definition) { return new (std::nothrow) PObjAppCom(definition); }

bool PObjAppCom::Release() {
  m_target = nullptr;
  return PObject::Release();
}

bool PObjAppCom::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case GET_HANDLE: return ReturnInt64(result, WordOf(m_window.GetHwnd()));
    case GET_TARGET: return ReturnInt64(result, WordOf(m_target));
    case SEND: {
      HWND target = HandleOf(GetArgLow32(args, 2));
      if (!target) target = m_target;
      if (!target) return true;
      int32_t self = int32_t(WordOf(m_window.GetHwnd()));
      return ReturnBool(result, SendTextToWindow(GetArgString(args, 0), target, GetArgLow32(args, 1), self));
    }
    case SET_TARGET: m_target = HandleOf(GetArgLow32(args, 0)); return true;
    default: return PObject::Call(member, args, result, caller);
  }
}
