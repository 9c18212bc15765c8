// The Ini class: registration, the member table and the members.
#include "classes/PObjIni.h"

#include <cstdint>
#include <initializer_list>
#include <new>

#include "classes/PObjFile.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "files/SFileMem.h"

void PObjIni::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_FILES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Ini");
  PObject::Register(definition);
}

bool PObjIni::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kStr = TYPE_STRING, kVoid = TYPE_VOID, kFloat = TYPE_FLOAT;
  const PParamDecl n(TYPE_INTEGER), x(TYPE_FLOAT), text(TYPE_STRING), file(PObjFile::kTypeCode);
  const PParamDecl yes(TYPE_INTEGER, "true", int32_t(1));

  // Members are numbered by their position: added in order, 0 to 19.
  bool ok = true;
  auto add = [&](Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    ok = ok && d->GetMemberCount() == member && d->AddMember(MEMBER_FUNCTION, member, result, params);
  };
  add(CLOSE, kVoid, {});
  add(READ_FLOAT, kFloat, {text, text});
  add(READ_INTEGER, kInt, {text, text});
  add(GET_PATH, kStr, {});
  add(READ_STRING, kStr, {text, text});
  add(IS_MEMORY, kInt, {});
  add(IS_OPEN, kInt, {});
  add(LOAD_FILE, kInt, {file});
  add(LOAD_DISK_FILE, kInt, {text});
  add(LOAD_RESOURCE, kInt, {text});
  add(OPEN_MEMORY, kInt, {});
  add(OPEN, kInt, {text, yes});
  add(DELETE_SECTION, kInt, {text});
  add(CLEAR_SECTION, kInt, {text});
  add(DELETE_KEY, kInt, {text, text});
  add(SAVE_FILE, kInt, {file});
  add(SAVE_DISK_FILE, kInt, {text});
  add(WRITE_FLOAT, kInt, {text, text, x});
  add(WRITE_INTEGER, kInt, {text, text, n});
  add(WRITE_STRING, kInt, {text, text, text});
  return ok;
}

PObject* PObjIni::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjIni(definition);
}

bool PObjIni::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  switch (member) {
    case CLOSE: m_ini.Close(); return true;
    case IS_OPEN: return ReturnBool(result, m_ini.IsOpen());
    case LOAD_FILE:
    case LOAD_DISK_FILE:
    case LOAD_RESOURCE:
    case OPEN_MEMORY:
    case OPEN: return CallAttach(member, args, result);
    default: break;
  }

  if (!m_ini.IsOpen()) return true;
  // Read only by the members that name a section (and a key).
  const auto section = [&] { return GetArgString(args, 0); };
  const auto key = [&] { return GetArgString(args, 1); };
  switch (member) {
    case READ_FLOAT: return ReturnDouble(result, m_ini.ReadDouble(section(), key()));
    case READ_INTEGER: return ReturnInt64(result, m_ini.ReadInt(section(), key()));
    case READ_STRING: return ReturnString(result, m_ini.Read(section(), key()).GetText());
    case GET_PATH: return ReturnString(result, m_ini.GetFileName().GetText());
    case IS_MEMORY: return ReturnBool(result, m_ini.IsMemory());
    case DELETE_SECTION: return ReturnBool(result, m_ini.DeleteSection(section()));
    case CLEAR_SECTION: return ReturnBool(result, m_ini.ClearSection(section()));
    case DELETE_KEY: return ReturnBool(result, m_ini.DeleteKey(section(), key()));
    case SAVE_FILE: {
      SFile* target = PObjFile::GetArgStream(args, 0);
      return target ? ReturnBool(result, m_ini.SaveTo(target)) : true;
    }
    case SAVE_DISK_FILE: return ReturnBool(result, m_ini.SaveAs(GetArgString(args, 0)));
    case WRITE_FLOAT:
      return ReturnBool(result, m_ini.WriteDouble(section(), key(), GetArgDouble(args, 2)));
    // The low 32 bits, as the text of a signed number.
    case WRITE_INTEGER:
      return ReturnBool(result,
                        m_ini.WriteInt(section(), key(), int32_t(uint32_t(GetArgInt64(args, 2)))));
    case WRITE_STRING:
      return ReturnBool(result, m_ini.Write(section(), key(), GetArgString(args, 2)));
    default: return true;
  }
}

bool PObjIni::CallAttach(uint16_t member, PArgs* args, PResultCell* result) {
  // Read only by the members whose argument is a text.
  const auto name = [&] { return GetArgString(args, 0); };
  switch (member) {
    case LOAD_FILE: {
      SFile* source = PObjFile::GetArgStream(args, 0);
      return source ? ReturnBool(result, m_ini.Load(source)) : true;
    }
    // A copy: the file itself is never written by this Ini. A file that
    // does not open leaves the Ini as it was.
    case LOAD_DISK_FILE: {
      SFileMem text;
      if (!text.LoadFile(name())) return ReturnBool(result, false);
      return ReturnBool(result, m_ini.Load(&text));
    }
    case LOAD_RESOURCE: {
      SFileMem text;
      if (!GetEngine()->LoadResource(&text, name(), RESOURCE_TEXT)) return true;
      return ReturnBool(result, m_ini.Load(&text));
    }
    case OPEN_MEMORY: return ReturnBool(result, m_ini.OpenMemory());
    case OPEN: return ReturnBool(result, m_ini.Open(name(), GetArgBool(args, 1)));
    default: return true;
  }
}
