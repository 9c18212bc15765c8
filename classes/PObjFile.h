// PObjFile: the script class "File", the script's byte stream.
//
// A File holds two streams, a disk file and a memory buffer, and points at
// the one that is current; every member works on that one. Opening or
// loading first closes both, so at most one ever holds data; a failed open
// leaves none current. Through File a script reads and writes typed data,
// searches and hashes, and runs the stream transforms (key scrambling, block
// compression, 7-bit text, part files).
//
// Other classes take a File argument: they test it with
// PObject::IsFileArgInvalid and then read or write GetStream from its
// current position.
//
// The members live in one file per family: opening, closing and moving
// (PObjFileStreams.cpp), typed reads and writes (PObjFileReadWrite.cpp),
// search and digests (PObjFileSearch.cpp) and the transforms
// (PObjFileTransforms.cpp).
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"

class PObjFile : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'F', 'I', 'L');

  enum Member : uint16_t {
    SKIP = 0,
    REWIND = 1,
    GET_CRC32 = 2,
    GET_MD5 = 3,
    GET_SHA1 = 4,
    CLOSE = 5,
    UNSCRAMBLE = 6,
    SCRAMBLE = 7,
    SEEK_TO_END = 8,
    FIND = 9,
    DECODE_7BIT = 10,
    GET_POSITION = 11,
    GET_PATH = 12,
    GET_REMAINING = 13,
    GET_SIZE = 14,
    IS_END = 15,
    IS_MEMORY = 16,
    LOAD_FROM_FILE = 17,
    LOAD_DISK_FILE = 18,
    LOAD_RESOURCE = 19,
    ALLOCATE = 20,
    OPEN = 21,
    OPEN_TEMPORARY = 22,
    READ_STRING = 23,
    READ_BYTE = 24,
    READ_LINE = 25,
    READ_ZSTRING = 26,
    READ_UNISTRING = 27,
    SAVE = 28,
    SEEK = 29,
    SET_SIZE = 30,
    SPLIT = 31,
    SEEK_BACK = 32,
    ENCODE_7BIT = 33,
    DECOMPRESS = 34,
    WRITE_STRING = 35,
    WRITE_BYTE = 36,
    COPY_FROM = 37,
    WRITE_LINE = 38,
    WRITE_TEXT = 39,
    WRITE_UNISTRING = 40,
    COMPRESS = 41,
    MEMBER_COUNT = 42,
  };

  // No stream is current.
  explicit PObjFile(PObjectDefinition* definition);
  ~PObjFile() override;

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);

  // Closes both streams before the object goes.
  bool Release() override;
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  // The current stream, null when none; it may be closed.
  SFile* GetStream() const { return m_current; }
  // The open stream of File argument i; null when it fails IsFileArgInvalid.
  static SFile* GetArgStream(const PArgs* args, int i);

 private:
  // Closes both streams (a temporary file is deleted) and makes none current.
  void CloseStreams();
  bool HasOpenStream() const { return m_current && m_current->IsOpen(); }


  // The families; each answers what Call answers. Those after CallOpen run
  // only with an open current stream.
  bool CallOpen(uint16_t member, PArgs* args, PResultCell* result);
  bool CallMove(uint16_t member, PArgs* args, PResultCell* result);
  bool CallReadWrite(uint16_t member, PArgs* args, PResultCell* result);
  bool CallSearch(uint16_t member, PArgs* args, PResultCell* result);
  bool CallTransform(uint16_t member, PArgs* args, PResultCell* result);

  // The opening members.
  bool LoadFromFile(PObject* source, PResultCell* result);
  bool SaveTo(const char* path, PResultCell* result);
  // Runs a 7-bit encoding or decoding over the whole stream, which then
  // holds only the result, positioned at 0.
  void Transform7Bit(bool encode);

  SFilePath m_disk;
  SFileMem m_memory;
  SFile* m_current;  // null, &m_disk or &m_memory
};
