// PObjIni: the script class "Ini", INI text (SIni) of section headers and
// key=value lines.
//
// An Ini is closed, attached to a disk file (every change reads the file,
// edits it and writes it back whole) or holds its text in memory until it
// is saved. The members that read or edit the text do nothing while it is
// closed, and leave the caller's result as it was.
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "files/SIni.h"

class PObjIni : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'I', 'N', 'I');

  enum Member : uint16_t {
    CLOSE = 0,
    READ_FLOAT = 1,
    READ_INTEGER = 2,
    GET_PATH = 3,
    READ_STRING = 4,
    IS_MEMORY = 5,
    IS_OPEN = 6,
    LOAD_FILE = 7,
    LOAD_DISK_FILE = 8,
    LOAD_RESOURCE = 9,
    OPEN_MEMORY = 10,
    OPEN = 11,
    DELETE_SECTION = 12,
    CLEAR_SECTION = 13,
    DELETE_KEY = 14,
    SAVE_FILE = 15,
    SAVE_DISK_FILE = 16,
    WRITE_FLOAT = 17,
    WRITE_INTEGER = 18,
    WRITE_STRING = 19,
    MEMBER_COUNT = 20,
  };

  // Closed.
  explicit PObjIni(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  SIni& GetIni() { return m_ini; }

 private:
  // The members that attach the text: disk file, memory, or a copy of a
  // File, a disk file or a resource.
  bool CallAttach(uint16_t member, PArgs* args, PResultCell* result);

  SIni m_ini;
};
