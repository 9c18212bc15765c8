// The Disk class: registration, the member table and the mapping of each
// member onto its SDisk operation.
#include "classes/PObjDisk.h"

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjStringArray.h"
#include "classes/PObjTimer.h"
#include "classes/windows/PObjDialog.h"
#include "core/SStringArray.h"
#include "engine/PObjectDefinition.h"

namespace {

const TypeCode kTimer = MakeTypeCode(ORIGIN_BUILTIN, 'T', 'I', 'M');
const TypeCode kDialog = MakeTypeCode(ORIGIN_BUILTIN, 'D', 'L', 'G');

// The folder text with a final separator, so that a name appended to it
// lands inside the folder whichever way the caller wrote it.
SString AsFolder(const char* folder) {
  SString text(folder);
  int n = text.GetLength();
  if (n > 0 && text.GetAt(n - 1) != '\\' && text.GetAt(n - 1) != '/') text += "\\";
  return text;
}

}  // namespace

void PObjDisk::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_FILES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Disk");
  definition->AddConstant("FILES", SDisk::FILES);
  definition->AddConstant("DIRS", SDisk::DIRS);
  definition->AddConstant("SUBDIRS", SDisk::SUBDIRS);
  definition->AddConstant("NODIR_FILES", SDisk::NODIR_FILES);
  definition->AddConstant("NODIR_NOFILES", SDisk::NODIR_NOFILES);
  definition->AddConstant("NODIR_SUBDIRS", SDisk::NODIR_SUBDIRS);
  definition->AddConstant("NODIR_NOSUBDIRS", SDisk::NODIR_NOSUBDIRS);
  definition->AddConstant("NOHIDDEN", SDisk::NOHIDDEN);
  definition->AddConstant("ATTRIBUTE_READONLY", ATTRIBUTE_READONLY);
  definition->AddConstant("ATTRIBUTE_HIDDEN", ATTRIBUTE_HIDDEN);
  definition->AddConstant("ATTRIBUTE_SYSTEM", ATTRIBUTE_SYSTEM);
  PObject::Register(definition);
}

bool PObjDisk::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kStr = TYPE_STRING;
  const PParamDecl text(TYPE_STRING), array(PObjStringArray::kTypeCode), timer(kTimer);
  const PParamDecl no(TYPE_INTEGER, "false", int32_t(0)), yes(TYPE_INTEGER, "true", int32_t(1));
  const PParamDecl zero(TYPE_INTEGER, "0", int32_t(0)), none(TYPE_STRING, "");
  const PParamDecl noTimer(kTimer, nullptr), noOwner(kDialog, nullptr);
  const PParamDecl listFlags(TYPE_INTEGER, "Disk.SUBDIRS|Disk.FILES", int32_t(SDisk::SUBDIRS | SDisk::FILES));

  // Members are numbered by their position: added in order, 0 to 53.
  bool ok = true;
  auto add = [&](int member, TypeCode result, std::initializer_list<PParamDecl> params) {
    ok = ok && d->GetMemberCount() == member &&
         d->AddMember(MEMBER_FUNCTION, uint16_t(member), result, params);
  };
  for (int m = COOKIES_FOLDER; m <= CURRENT_DRIVE; m++) add(m, kStr, {});
  add(FILE_SYSTEM_NAME, kStr, {text});
  add(GET_DRIVES, kInt, {array});
  add(VOLUME_NAME, kStr, {text});
  for (int m = VOLUME_SERIAL; m <= IS_CD_DRIVE; m++) add(m, kInt, {text});
  add(COPY_FOLDER, kInt, {text, text});
  add(CREATE_FOLDER, kInt, {text, yes});
  add(DELETE_FOLDER, kInt, {text, no});
  add(CURRENT_FOLDER, kStr, {});
  add(FOLDER_EXISTS, kInt, {text});
  add(RENAME_FOLDER, kInt, {text, text});
  add(FILE_CRC32, kInt, {text});
  add(FILE_MD5, kStr, {text});
  add(FILE_SHA1, kStr, {text});
  add(COPY_FILE, kInt, {text, text, yes, no});
  add(CREATE_FILE, kInt, {text, no, no});
  add(CREATE_SHORTCUT, kInt, {text, text, none, no});
  add(WRITE_ZIP, kInt, {text, array, zero});
  add(DELETE_FILE, kInt, {text});
  add(FILE_TIMES, kInt, {text, timer, noTimer, noTimer, yes});
  add(FILE_SIZE, kInt, {text});
  add(TEMP_FILE_NAME, kStr, {});
  add(FREE_FILE_NAME, kStr, {text, PParamDecl(TYPE_STRING, "tmp"), PParamDecl(TYPE_STRING, "tmp")});
  add(FILE_EXISTS, kInt, {text});
  add(MOVE_FILE, kInt, {text, text, yes, no});
  add(RENAME_FILE, kInt, {text, text});
  add(SHORT_PATH, kStr, {text});
  add(EXECUTE, kInt, {text, none, no, no, yes});
  add(LIST, kInt, {array, text, listFlags});
  for (int m = EXISTS; m <= IS_SYSTEM; m++) add(m, kInt, {text});
  add(SET_ATTRIBUTES, kInt, {text, zero});
  add(EMPTY_RECYCLE_BIN, kInt, {noOwner, no, no});
  add(RECYCLE, kInt, {text, noOwner, no, no});
  add(OPEN_FOLDER, kInt, {text});
  add(EXPLORE_FOLDER, kInt, {text});
  return ok;
}

PObject* PObjDisk::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjDisk(definition);
}

STimer* PObjDisk::GetArgTimer(const PArgs* args, int i) { return PObjTimer::GetTimerOf(GetArgObject(args, i)); }

HWND__* PObjDisk::GetArgOwner(const PArgs* args, int i) {
  PObjDialog* dialog = GetArgOfClass<PObjDialog>(args, i);
  return dialog ? dialog->GetHwnd() : nullptr;
}

bool PObjDisk::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  if (member <= RENAME_FOLDER) return CallFolders(member, args, result);
  return CallFiles(member, args, result);
}

bool PObjDisk::CallFolders(uint16_t member, PArgs* args, PResultCell* result) {
  const auto path = [&] { return GetArgString(args, 0); };
  const auto letter = [&] { return GetArgChar(args, 0); };
  const auto text = [&](const SString& s) { return ReturnString(result, s.GetText()); };
  switch (member) {
    case COOKIES_FOLDER: return text(m_disk.GetCookiesFolder());
    case DESKTOP_FOLDER: return text(m_disk.GetDesktopFolder());
    case DOCUMENTS_FOLDER: return text(m_disk.GetDocumentsFolder());
    case FAVORITES_FOLDER: return text(m_disk.GetFavoritesFolder());
    case FONTS_FOLDER: return text(m_disk.GetFontsFolder());
    case PROGRAM_FILES_FOLDER: return text(m_disk.GetProgramFilesFolder());
    case QUICK_LAUNCH_FOLDER: return text(m_disk.GetQuickLaunchFolder());
    case RECENT_FOLDER: return text(m_disk.GetRecentFolder());
    case PROGRAMS_FOLDER: return text(m_disk.GetProgramsFolder());
    case SYSTEM_FOLDER: return text(m_disk.GetSystemFolder());
    case TEMP_FOLDER: return text(m_disk.GetTempFolder());
    case WINDOWS_FOLDER: return text(m_disk.GetWindowsFolder());
    case CURRENT_DRIVE: return text(m_disk.GetCurrentDrive());
    case FILE_SYSTEM_NAME: return text(m_disk.GetFileSystemName(letter()));
    case GET_DRIVES: {
      SStringArray* roots = PObjStringArray::GetTexts(GetArgObject(args, 0));
      return roots ? ReturnInt64(result, m_disk.GetDrives(*roots)) : true;
    }
    case VOLUME_NAME: return text(m_disk.GetVolumeName(letter()));
    case VOLUME_SERIAL: return ReturnInt64(result, m_disk.GetVolumeSerial(letter()));
    // The whole count of kilobytes: the Integer holds 64 bits, and a count
    // cut to 32 would wrap on disks from 4 TiB up.
    case TOTAL_SPACE: return ReturnInt64(result, m_disk.GetTotalSpace(path()));
    case FREE_SPACE: return ReturnInt64(result, m_disk.GetFreeSpace(path()));
    case IS_CD_DRIVE: return ReturnBool(result, m_disk.IsCdDrive(letter()));
    case COPY_FOLDER: return ReturnBool(result, m_disk.CopyFolder(path(), GetArgString(args, 1), false));
    case CREATE_FOLDER: return ReturnBool(result, m_disk.CreateFolder(path(), GetArgBool(args, 1)));
    case DELETE_FOLDER: return ReturnBool(result, m_disk.DeleteFolder(path(), GetArgBool(args, 1)));
    case CURRENT_FOLDER: return text(m_disk.GetCurrentFolder());
    case FOLDER_EXISTS: return ReturnBool(result, m_disk.FolderExists(path()));
    case RENAME_FOLDER: return ReturnBool(result, m_disk.RenameFolder(path(), GetArgString(args, 1)));
    default: return true;
  }
}

bool PObjDisk::CallFiles(uint16_t member, PArgs* args, PResultCell* result) {
  const auto path = [&] { return GetArgString(args, 0); };
  const auto second = [&] { return GetArgString(args, 1); };
  const auto flag = [&](int i) { return GetArgBool(args, i); };
  const auto text = [&](const SString& s) { return ReturnString(result, s.GetText()); };
  switch (member) {
    case FILE_CRC32: return ReturnInt64(result, m_disk.GetFileCrc32(path()));
    case FILE_MD5: return text(m_disk.GetFileMd5(path()));
    case FILE_SHA1: return text(m_disk.GetFileSha1(path()));
    // Source first for the script, target first for SDisk.
    case COPY_FILE: return ReturnBool(result, m_disk.CopyFile(second(), path(), flag(2), flag(3)));
    case CREATE_FILE: return ReturnBool(result, m_disk.CreateEmptyFile(path(), flag(1), flag(2)));
    case CREATE_SHORTCUT:
      return ReturnBool(result, m_disk.CreateShortcut(path(), second(), GetArgString(args, 2), flag(3)));
    case WRITE_ZIP: {
      SStringArray* files = PObjStringArray::GetTexts(GetArgObject(args, 1));
      return files ? ReturnBool(result, m_disk.WriteZip(path(), files, GetArgInt32(args, 2))) : true;
    }
    case DELETE_FILE: return ReturnBool(result, m_disk.DeleteFile(path()));
    case FILE_TIMES:
      return ReturnBool(result, m_disk.GetFileTimes(path(), GetArgTimer(args, 2), GetArgTimer(args, 3),
                                                    GetArgTimer(args, 1), flag(4)));
    case FILE_SIZE: return ReturnInt64(result, m_disk.GetFileSize(path()));
    case TEMP_FILE_NAME: return text(m_disk.MakeTempFileName());
    case FREE_FILE_NAME:
      return text(m_disk.MakeUniqueFileName(GetArgString(args, 2), AsFolder(path()).GetText(), second()));
    case FILE_EXISTS: return ReturnBool(result, m_disk.FileExists(path()));
    case MOVE_FILE: return ReturnBool(result, m_disk.MoveFile(second(), path(), flag(2), flag(3)));
    case RENAME_FILE: return ReturnBool(result, m_disk.RenameFile(path(), second()));
    case SHORT_PATH: return text(m_disk.GetShortPath(path()));
    case LIST: {
      SStringArray* list = PObjStringArray::GetTexts(GetArgObject(args, 0));
      return list ? ReturnInt64(result, m_disk.List(list, second(), GetArgInt32(args, 2))) : true;
    }
    case EXISTS: return ReturnBool(result, m_disk.Exists(path()));
    case GET_ATTRIBUTES: {
      int bits = m_disk.GetAttributes(path());
      return ReturnInt64(result, bits < 0 ? -1 : bits & ATTRIBUTE_MASK);
    }
    case IS_READ_ONLY: return ReturnBool(result, m_disk.IsReadOnly(path()));
    case IS_HIDDEN: return ReturnBool(result, m_disk.IsHidden(path()));
    case IS_SYSTEM: return ReturnBool(result, m_disk.IsSystem(path()));
    case SET_ATTRIBUTES:
      return ReturnBool(result, m_disk.SetAttributes(path(), GetArgInt32(args, 1) & ATTRIBUTE_MASK));
    default: return CallShell(member, args, result);
  }
}

bool PObjDisk::CallShell(uint16_t member, PArgs* args, PResultCell* result) {
  const auto path = [&] { return GetArgString(args, 0); };
  const auto flag = [&](int i) { return GetArgBool(args, i); };
  switch (member) {
    case EXECUTE:
      return ReturnBool(result, m_disk.Execute(path(), GetArgString(args, 1), flag(2), flag(3),
                                               flag(4) ? SW_SHOW : SW_HIDE));
    case EMPTY_RECYCLE_BIN:
      return ReturnBool(result, m_disk.EmptyRecycleBin(GetArgOwner(args, 0), flag(1), flag(2)));
    case RECYCLE:
      return ReturnBool(result, m_disk.ShellFileOperation(path(), GetArgOwner(args, 1), flag(2), flag(3)));
    case OPEN_FOLDER: return ReturnBool(result, m_disk.OpenFolder(path(), SW_SHOWNORMAL));
    case EXPLORE_FOLDER: return ReturnBool(result, m_disk.ExploreFolder(path(), SW_SHOWNORMAL));
    default: return true;
  }
}
