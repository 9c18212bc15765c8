#include "classes/PObjKeyboard.h"

#include <new>

#include "classes/ClassArgs.h"
#include "engine/PObjectDefinition.h"

void PObjKeyboard::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SERVICES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Keyboard");
  // The key names exist once a keyboard has been made.
  SKeyboard names;
  for (int code = 0; code < 256; code++) {
    SString name = SKeyboard::GetKeyName(code);
    if (name.GetLength() == 0) continue;
    SString constant("_");
    constant += name;
    definition->AddConstant(constant.GetText(), code);
  }
  definition->AddConstant("SC_NONE", SC_NONE);
  definition->AddConstant("SC_CTRL", SC_CTRL);
  definition->AddConstant("SC_SHIFT", SC_SHIFT);
  definition->AddConstant("SC_CTRLSHIFT", SC_CTRLSHIFT);
  PObject::Register(definition);
}

bool PObjKeyboard::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kVoid = TYPE_VOID;
  const PParamDecl key(TYPE_INTEGER);
  bool ok = d->AddMember(MEMBER_FUNCTION, IS_PRESSED, kInt, {key, PParamDecl(TYPE_INTEGER, "500", 500)});
  for (uint16_t m : {TAP, PRESS, RELEASE}) ok = ok && d->AddMember(MEMBER_FUNCTION, m, kVoid, {key});
  for (uint16_t m = GET_SHIFT_STATE; m < MEMBER_COUNT; m++) {
    ok = ok && (m == IS_KEY_DOWN ? d->AddMember(MEMBER_FUNCTION, m, kInt, {key}) : d->AddMember(MEMBER_FUNCTION, m, kInt));
  }
  return ok;
}

PObject* PObjKeyboard::New(PObjectDefinition* definition) { return new (std::nothrow) PObjKeyboard(definition); }

bool PObjKeyboard::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case IS_PRESSED:
      return ReturnBool(result, m_keyboard.IsKeyDownRepeating(GetArgLow32(args, 0), GetArgLow32(args, 1)));
    case TAP: SKeyboard::TapKey(GetArgLow32(args, 0)); return true;
    case PRESS: SKeyboard::PressKey(GetArgLow32(args, 0)); return true;
    case RELEASE: SKeyboard::ReleaseKey(GetArgLow32(args, 0)); return true;
    case GET_SHIFT_STATE: return ReturnInt64(result, SKeyboard::GetShiftState());
    case IS_ALT_DOWN: return ReturnBool(result, IsAltDown());
    case IS_CONTROL_ALT_DOWN: return ReturnBool(result, IsControlAltDown());
    case IS_CAPS_LOCK_ON: return ReturnBool(result, IsCapsLockOn());
    case IS_CONTROL_DOWN: return ReturnBool(result, IsControlDown());
    case IS_KEY_DOWN: return ReturnBool(result, IsKeyDown(GetArgLow32(args, 0)));
    case IS_LEFT_ALT_DOWN: return ReturnBool(result, IsLeftAltDown());
    case IS_LEFT_CONTROL_DOWN: return ReturnBool(result, IsLeftControlDown());
    case IS_LEFT_SHIFT_DOWN: return ReturnBool(result, IsLeftShiftDown());
    case IS_NUM_LOCK_ON: return ReturnBool(result, IsNumLockOn());
    case IS_RIGHT_ALT_DOWN: return ReturnBool(result, IsRightAltDown());
    case IS_RIGHT_CONTROL_DOWN:
    case IS_RIGHT_CONTROL_DOWN_TOO: return ReturnBool(result, IsRightControlDown());
    case IS_SHIFT_DOWN: return ReturnBool(result, IsShiftDown());
    default: return PObject::Call(member, args, result, caller);
  }
}
