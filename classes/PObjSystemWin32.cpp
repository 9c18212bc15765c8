#include "classes/PObjSystem.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjFile.h"
#include "classes/PObjRectangle.h"
#include "classes/PObjStringArray.h"
#include "engine/PObjectDefinition.h"
#include "files/SSystem.h"

void PObjSystem::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SYSTEM);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("System");
  definition->AddConstant("OS_95", SSystem::OS_95);
  definition->AddConstant("OS_NT4", SSystem::OS_NT4);
  definition->AddConstant("OS_98", SSystem::OS_98);
  definition->AddConstant("OS_ME", SSystem::OS_ME);
  definition->AddConstant("OS_2K", SSystem::OS_2K);
  definition->AddConstant("OS_XP", SSystem::OS_XP);
  definition->AddConstant("OS_VISTA", SSystem::OS_VISTA);
  definition->AddConstant("OS_SEVEN", SSystem::OS_SEVEN);
  definition->AddConstant("OS_EIGHT", SSystem::OS_EIGHT);
  definition->AddConstant("OS_UNKNOWN", SSystem::OS_UNKNOWN);
  PObject::Register(definition);
}

bool PObjSystem::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kStr = TYPE_STRING, kVoid = TYPE_VOID;
  const PParamDecl text(kStr), texts(PObjStringArray::kTypeCode);
  return d->AddMember(MEMBER_FUNCTION, ADD_FONT, kInt, {text}) &&
         d->AddMember(MEMBER_FUNCTION, GET_COMPUTER_NAME, kStr) &&
         d->AddMember(MEMBER_FUNCTION, GET_OWNER_NAME, kStr) &&
         d->AddMember(MEMBER_FUNCTION, GET_COUNTRY, kStr) &&
         d->AddMember(MEMBER_FUNCTION, GET_WORK_AREA, kInt, {PParamDecl(PObjRectangle::kTypeCode)}) &&
         d->AddMember(MEMBER_FUNCTION, GET_FONT_NAMES, kInt, {texts}) &&
         d->AddMember(MEMBER_FUNCTION, GET_MAC_ADDRESS, kStr) &&
         d->AddMember(MEMBER_FUNCTION, GET_MAC_ADDRESSES, kInt, {texts}) &&
         d->AddMember(MEMBER_FUNCTION, COUNT_INSTANCES, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_SCREEN_DEPTH, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_SCREEN_HEIGHT, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_SCREEN_WIDTH, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_USER_NAME, kStr) &&
         d->AddMember(MEMBER_FUNCTION, GET_OS_VERSION, kInt) &&
         d->AddMember(MEMBER_FUNCTION, INSTALL_FONT, kInt, {PParamDecl(PObjFile::kTypeCode), text}) &&
         d->AddMember(MEMBER_FUNCTION, IS_NT_FAMILY, kInt) &&
         d->AddMember(MEMBER_FUNCTION, LOG_OFF, kVoid) &&
         d->AddMember(MEMBER_FUNCTION, RESTART, kVoid) &&
         d->AddMember(MEMBER_FUNCTION, REMOVE_FONT, kInt, {text}) &&
         d->AddMember(MEMBER_FUNCTION, SET_FILE_ASSOCIATION, kInt,
                      {text, PParamDecl(kStr, ""), PParamDecl(kStr, "")}) &&
         d->AddMember(MEMBER_FUNCTION, SHUT_DOWN, kVoid);
}

PObject* PObjSystem::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjSystem(definition);
}

PObjSystem::~PObjSystem() { SSystem::ReleaseFontList(m_fonts); }

bool PObjSystem::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case ADD_FONT: return ReturnBool(result, SSystem::AddFont(m_fonts, GetArgString(args, 0)));
    case REMOVE_FONT: return ReturnBool(result, SSystem::RemoveFont(m_fonts, GetArgString(args, 0)));
    case INSTALL_FONT: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream) return true;
      return ReturnBool(result, SSystem::CopyToFontsFolder(GetArgString(args, 1), stream));
    }
    case GET_FONT_NAMES: {
      SStringArray* names = PObjStringArray::GetTexts(GetArgObject(args, 0));
      if (!names) return true;
      return ReturnInt64(result, SSystem::GetFontNames(*names));
    }

    case GET_COMPUTER_NAME: return ReturnString(result, SSystem::GetComputerName().GetText());
    case GET_OWNER_NAME: return ReturnString(result, SSystem::GetRegisteredOwner().GetText());
    case GET_COUNTRY: return ReturnString(result, SSystem::GetKeyboardLocaleName().GetText());
    case GET_USER_NAME: return ReturnString(result, SSystem::GetUserName().GetText());
    case GET_OS_VERSION: return ReturnInt64(result, SSystem::GetOSVersion());
    case IS_NT_FAMILY: return ReturnBool(result, SSystem::IsNtFamily());

    case GET_WORK_AREA: {
      PObjRectangle* target = GetArgOfClass<PObjRectangle>(args, 0);
      if (!target) return true;
      const RECT area = SSystem::GetWorkArea(nullptr);
      target->Set(area.left, area.top, area.right, area.bottom);
      return ReturnBool(result, true);
    }
    case GET_SCREEN_DEPTH: return ReturnInt64(result, SSystem::GetScreenDepth());
    case GET_SCREEN_HEIGHT: return ReturnInt64(result, SSystem::GetMonitorHeight());
    case GET_SCREEN_WIDTH: return ReturnInt64(result, SSystem::GetMonitorWidth());

    case GET_MAC_ADDRESS: return ReturnString(result, SSystem::GetMacAddress().GetText());
    case GET_MAC_ADDRESSES: {
      SStringArray* texts = PObjStringArray::GetTexts(GetArgObject(args, 0));
      if (!texts) return true;
      return ReturnInt64(result, SSystem::GetMacAddresses(nullptr, texts));
    }
    case COUNT_INSTANCES: return ReturnInt64(result, SSystem::CountProcesses(nullptr));
    case SET_FILE_ASSOCIATION:
      return ReturnBool(result, SSystem::SetFileAssociation(GetArgString(args, 0), GetArgString(args, 2),
                                                            GetArgString(args, 1)));

    // The system closes the application once it takes the request; a
    // refusal leaves nothing for the program to act on.
    case LOG_OFF: SSystem::LogOff(); return true;
    case RESTART: SSystem::Reboot(); return true;
    case SHUT_DOWN: SSystem::ShutDown(); return true;
    default: return PObject::Call(member, args, result, caller);
  }
}
