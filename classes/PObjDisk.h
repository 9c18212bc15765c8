// PObjDisk: the script class "Disk", the file system and the shell (SDisk)
// for the program: special folders, drives and volumes, folder trees,
// files and their digests and times, temporary and free names, shortcuts,
// ZIP archives, running programs and the recycle bin.
//
// The object holds only its SDisk, whose folder paths end with a
// backslash. Each member maps its arguments onto one SDisk operation; a
// null array argument leaves the caller's result as it was.
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "files/SDisk.h"

class STimer;
struct HWND__;

class PObjDisk : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'D', 'S', 'K');

  enum Member : uint16_t {
    // 0 to 11: the special folders, in the order of the folder table.
    COOKIES_FOLDER = 0,
    DESKTOP_FOLDER = 1,
    DOCUMENTS_FOLDER = 2,
    FAVORITES_FOLDER = 3,
    FONTS_FOLDER = 4,
    PROGRAM_FILES_FOLDER = 5,
    QUICK_LAUNCH_FOLDER = 6,
    RECENT_FOLDER = 7,
    PROGRAMS_FOLDER = 8,
    SYSTEM_FOLDER = 9,
    TEMP_FOLDER = 10,
    WINDOWS_FOLDER = 11,
    CURRENT_DRIVE = 12,
    FILE_SYSTEM_NAME = 13,
    GET_DRIVES = 14,
    VOLUME_NAME = 15,
    VOLUME_SERIAL = 16,
    TOTAL_SPACE = 17,
    FREE_SPACE = 18,
    IS_CD_DRIVE = 19,
    COPY_FOLDER = 20,
    CREATE_FOLDER = 21,
    DELETE_FOLDER = 22,
    CURRENT_FOLDER = 23,
    FOLDER_EXISTS = 24,
    RENAME_FOLDER = 25,
    FILE_CRC32 = 26,
    FILE_MD5 = 27,
    FILE_SHA1 = 28,
    COPY_FILE = 29,
    CREATE_FILE = 30,
    CREATE_SHORTCUT = 31,
    WRITE_ZIP = 32,
    DELETE_FILE = 33,
    FILE_TIMES = 34,
    FILE_SIZE = 35,
    TEMP_FILE_NAME = 36,
    FREE_FILE_NAME = 37,
    FILE_EXISTS = 38,
    MOVE_FILE = 39,
    RENAME_FILE = 40,
    SHORT_PATH = 41,
    EXECUTE = 42,
    LIST = 43,
    EXISTS = 44,
    GET_ATTRIBUTES = 45,
    IS_READ_ONLY = 46,
    IS_HIDDEN = 47,
    IS_SYSTEM = 48,
    SET_ATTRIBUTES = 49,
    EMPTY_RECYCLE_BIN = 50,
    RECYCLE = 51,
    OPEN_FOLDER = 52,
    EXPLORE_FOLDER = 53,
    MEMBER_COUNT = 54,
  };

  // The attribute constants: the bits members 45 to 49 read and set.
  enum Attribute : int32_t {
    ATTRIBUTE_READONLY = 1,
    ATTRIBUTE_HIDDEN = 2,
    ATTRIBUTE_SYSTEM = 4,
    ATTRIBUTE_MASK = 7,
  };

  explicit PObjDisk(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  // Members 0 to 25: folders, drives and folder trees.
  bool CallFolders(uint16_t member, PArgs* args, PResultCell* result);
  // Members 26 to 49: files, names and listings.
  bool CallFiles(uint16_t member, PArgs* args, PResultCell* result);
  // Members 42 and 50 to 53: what the shell starts or changes.
  bool CallShell(uint16_t member, PArgs* args, PResultCell* result);

  // The date-time value of a Timer argument; null for null or another
  // class, so that time is simply not filled.
  static STimer* GetArgTimer(const PArgs* args, int i);
  // The window of a Dialog argument, the owner of the shell's windows;
  // null (no owner) for null, another class or a Dialog without window.
  static HWND__* GetArgOwner(const PArgs* args, int i);

  SDisk m_disk;
};
