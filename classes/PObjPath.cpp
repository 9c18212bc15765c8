// The Path class: registration, the member table and the members.
#include "classes/PObjPath.h"

#include <cstdint>
#include <initializer_list>
#include <new>

#include "classes/PObjStringArray.h"
#include "engine/PObjectDefinition.h"

void PObjPath::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_VALUES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Path");
  definition->AddConstant("INVALID", int32_t(PathKind::INVALID));
  definition->AddConstant("LOCAL", int32_t(PathKind::LOCAL));
  definition->AddConstant("NETWORK", int32_t(PathKind::NETWORK));
  definition->AddConstant("INTERNET", int32_t(PathKind::INTERNET));
  PObject::Register(definition);
}

bool PObjPath::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kStr = TYPE_STRING, kVoid = TYPE_VOID;
  const PParamDecl n(TYPE_INTEGER), text(TYPE_STRING), path(kTypeCode);
  const PParamDecl texts(PObjStringArray::kTypeCode);
  const PParamDecl yes(TYPE_INTEGER, "true", int32_t(1)), no(TYPE_INTEGER, "false", int32_t(0));
  const PParamDecl toTheEnd(TYPE_INTEGER, "-1", int32_t(-1)), backslash(TYPE_STRING, "\\");

  // Members are numbered by their position: added in order, 0 to 35.
  bool ok = true;
  auto add = [&](Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    ok = ok && d->GetMemberCount() == member && d->AddMember(MEMBER_FUNCTION, member, result, params);
  };
  add(SET_TRAILING, kVoid, {yes});
  for (Member m : {GET_FULL_PATH, GET_NAME, GET_EXTENSION, GET_TITLE, GET_FOLDER}) add(m, kStr, {});
  add(GET_LAST_FOLDER_NAME, kStr, {no});
  add(GET_PARENT, kStr, {});
  add(COUNT_PARTS, kInt, {});
  add(SPLIT, kInt, {texts});
  for (Member m : {GET_URL_WITHOUT_SCHEME, GET_ROOT, GET_FOLDER_WITH_ROOT}) add(m, kStr, {});
  add(GET_FOLDER_AT, kStr, {n, no});
  for (Member m : {COUNT_FOLDERS, GET_KIND, HAS_TRAILING, IS_FILE, IS_FOLDER, IS_INTERNET, IS_LOCAL,
                   IS_FILE_SYSTEM, IS_NETWORK, IS_ROOT})
    add(m, kInt, {});
  add(IS_SAME, kInt, {path});
  add(IS_INSIDE, kInt, {path, no});
  add(IS_VALID, kInt, {});
  add(JOIN_PARTS, kStr, {n, toTheEnd, no, backslash});
  add(REMOVE_EXTENSION, kInt, {});
  for (Member m : {SET, SET_FOLDER, SET_NAME, SET_EXTENSION, SET_TITLE, SET_FOLDER_PART, SET_ROOT})
    add(m, kInt, {text});
  return ok;
}

PObject* PObjPath::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjPath(definition);
}

SPath* PObjPath::GetPathOf(PObject* object) {
  if (!object || object->GetDefinition()->GetTypeCode() != kTypeCode) return nullptr;
  return &static_cast<PObjPath*>(object)->m_path;
}

bool PObjPath::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  const SPath& p = m_path;
  const auto text = [&](const SString& s) { return ReturnString(result, s.GetText()); };
  switch (member) {
    case SET_TRAILING: m_path.SetNoTrailingSeparator(!GetArgBool(args, 0)); return true;
    case GET_FULL_PATH: return text(p.GetFullPath());
    case GET_NAME: return text(p.GetName());
    case GET_EXTENSION: return text(p.GetExtension(false, true));
    case GET_TITLE: return text(p.GetTitle());
    case GET_FOLDER: return text(p.GetFolder());
    case GET_LAST_FOLDER_NAME: return text(p.GetLastFolderName(GetArgBool(args, 0)));
    case GET_PARENT: return text(p.GetParent());
    case COUNT_PARTS: return ReturnInt64(result, p.CountParts());
    case SPLIT: {
      SStringArray* parts = PObjStringArray::GetTexts(GetArgObject(args, 0));
      return parts ? ReturnBool(result, p.Split(*parts) > 0) : true;
    }
    case GET_URL_WITHOUT_SCHEME: return text(p.GetUrlWithoutScheme());
    case GET_ROOT: return text(p.GetRoot());
    case GET_FOLDER_WITH_ROOT: return text(p.GetFolderWithRoot());
    case GET_FOLDER_AT: return text(p.GetFolderAt(GetArgInt32(args, 0), GetArgBool(args, 1)));
    case COUNT_FOLDERS: return ReturnInt64(result, p.CountFolders());
    case GET_KIND: return ReturnInt64(result, int32_t(p.GetKind()));
    case HAS_TRAILING: return ReturnBool(result, p.HasTrailingSeparator());
    case IS_FILE: return ReturnBool(result, p.IsFile());
    case IS_FOLDER: return ReturnBool(result, p.IsFolder());
    case IS_INTERNET: return ReturnBool(result, p.IsInternet());
    case IS_LOCAL: return ReturnBool(result, p.IsLocal());
    case IS_FILE_SYSTEM: return ReturnBool(result, p.IsFileSystem());
    case IS_NETWORK: return ReturnBool(result, p.IsNetwork());
    case IS_ROOT: return ReturnBool(result, p.IsRoot());
    case IS_VALID: return ReturnBool(result, p.IsValid());
    case JOIN_PARTS: {
      // An empty separator text would put a NUL into the joined text and
      // cut it at its first separator: the backslash stands in.
      const char separator = GetArgChar(args, 3) ? GetArgChar(args, 3) : '\\';
      return text(p.JoinParts(GetArgInt32(args, 0), GetArgInt32(args, 1), GetArgBool(args, 2),
                              separator));
    }
    default: return CallEdit(member, args, result);
  }
}

bool PObjPath::CallEdit(uint16_t member, PArgs* args, PResultCell* result) {
  const auto kind = [&](PathKind k) { return ReturnInt64(result, int32_t(k)); };
  // Read only by the members whose argument is a text.
  const auto argument = [&] { return GetArgString(args, 0); };
  switch (member) {
    case IS_SAME: {
      const SPath* other = GetPathOf(GetArgObject(args, 0));
      return other ? ReturnBool(result, m_path.IsSame(*other)) : true;
    }
    case IS_INSIDE: {
      const SPath* other = GetPathOf(GetArgObject(args, 0));
      return other ? ReturnBool(result, m_path.IsInside(*other, GetArgBool(args, 1))) : true;
    }
    case REMOVE_EXTENSION: return ReturnBool(result, m_path.RemoveExtension());
    case SET: return kind(m_path.Set(argument()));
    case SET_FOLDER: return kind(m_path.SetFolder(argument()));
    case SET_NAME: return ReturnBool(result, m_path.SetName(argument()));
    case SET_EXTENSION: return ReturnBool(result, m_path.SetExtension(argument()));
    case SET_TITLE: return ReturnBool(result, m_path.SetTitle(argument()));
    case SET_FOLDER_PART: return ReturnBool(result, m_path.SetFolderPart(argument()));
    case SET_ROOT: return ReturnBool(result, m_path.SetRoot(argument()));
    default: return true;
  }
}
