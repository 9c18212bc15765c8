// PObjPath: the script class "Path", a file-system path or URL value that
// splits into root, folders, name, title and extension and is rebuilt part
// by part. Every decision lies in its SPath; the class maps arguments.
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "files/SPath.h"

class PObjPath : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'P', 'T', 'H');

  enum Member : uint16_t {
    SET_TRAILING = 0,
    GET_FULL_PATH = 1,
    GET_NAME = 2,
    GET_EXTENSION = 3,
    GET_TITLE = 4,
    GET_FOLDER = 5,
    GET_LAST_FOLDER_NAME = 6,
    GET_PARENT = 7,
    COUNT_PARTS = 8,
    SPLIT = 9,
    GET_URL_WITHOUT_SCHEME = 10,
    GET_ROOT = 11,
    GET_FOLDER_WITH_ROOT = 12,
    GET_FOLDER_AT = 13,
    COUNT_FOLDERS = 14,
    GET_KIND = 15,
    HAS_TRAILING = 16,
    IS_FILE = 17,
    IS_FOLDER = 18,
    IS_INTERNET = 19,
    IS_LOCAL = 20,
    IS_FILE_SYSTEM = 21,
    IS_NETWORK = 22,
    IS_ROOT = 23,
    IS_SAME = 24,
    IS_INSIDE = 25,
    IS_VALID = 26,
    JOIN_PARTS = 27,
    REMOVE_EXTENSION = 28,
    SET = 29,
    SET_FOLDER = 30,
    SET_NAME = 31,
    SET_EXTENSION = 32,
    SET_TITLE = 33,
    SET_FOLDER_PART = 34,
    SET_ROOT = 35,
    MEMBER_COUNT = 36,
  };

  // INVALID and empty, folder texts ending with their separator.
  explicit PObjPath(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  SPath& GetPath() { return m_path; }
  // The SPath of a Path object; null for null and objects of other classes.
  static SPath* GetPathOf(PObject* object);

 private:
  // The members that compare with another Path or set the path.
  bool CallEdit(uint16_t member, PArgs* args, PResultCell* result);

  SPath m_path;
};
