// SResource: the application's named resources, read from a ResourcePack.
//
// A ResourcePack (integers 32-bit little-endian) may start at any offset of
// a larger file, such as the package appended to the executable:
//
//   "SRES"                 magic 0x53455253
//   compressed flag        only its low byte counts: entries are
//                          CompressedBlockStreams
//   entries                stored size (signed, >= 0), NUL-terminated name,
//                          stored data
//   -1                     in place of the next stored size: the end
//
// With a package key, each entry's stored data is also scrambled with it,
// the key starting afresh at every entry; a reader unscrambles first and
// decompresses second.
//
// The pack is listed once by Open; every Read opens the file anew, shared,
// so no file stays open between calls and others may read it meanwhile.
#pragma once

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"
#include "files/SFileMem.h"
#include "files/SPath.h"

class SResource {
 public:
  static const uint32_t kMagic = 0x53455253;  // "SRES"

  SResource();
  ~SResource();

  // Copies the key from its position to its end (callers rewind it first);
  // an empty key means no scrambling. False for null.
  bool SetKey(SFile* key);
  // Forgets the pack; the key stays.
  void Close();
  // Lists the pack that starts at start in the file. False for a file that
  // is not a pack, or a pack that is damaged or ends before its terminator;
  // the entries listed before the damage stay readable.
  bool Open(const char* path, int start);
  // Copies the named entry (the first of that name, ignoring case), undone
  // of scrambling and compression, to the destination's position; rewinds
  // the destination afterwards when asked. False, with the destination
  // untouched, for an unknown name or damaged data.
  bool Read(SFile* destination, const char* name, bool rewind);

  int GetCount() const { return m_names.GetCount(); }
  SString GetName(int i) const { return m_names.GetString(i); }

 private:
  SFileMem m_key;
  SPath m_packPath;
  bool m_compressed;
  SStringArray m_names;       // ignoring case
  SArray<int32_t> m_offsets;  // absolute position of each entry's stored data
  SArray<int32_t> m_sizes;    // each entry's stored size
};
