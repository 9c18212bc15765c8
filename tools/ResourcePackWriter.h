// ResourcePackWriter: writes the ResourcePack that SResource reads (see
// files/SResource.h for the layout). The engine only reads packs; the
// package writer and the tests make theirs with this.
//
//   ResourcePackWriter writer(&out, true, &key);  // compressed, scrambled
//   writer.Add("image\\logo", &logoStream);
//   writer.Finish();
#pragma once

#include "files/SFile.h"
#include "files/SFileMem.h"

class ResourcePackWriter {
 public:
  // Writes the magic and the compressed flag at the destination's position.
  // A null or empty key leaves the entries unscrambled.
  ResourcePackWriter(SFile* destination, bool compressed, SFile* key);

  // One entry: the source from its position to its end. False when the
  // destination took less than it was given.
  bool Add(const char* name, SFile* source);
  // Writes the terminator; no entry may follow.
  bool Finish();

 private:
  SFile* m_destination;
  bool m_compressed;
  SFileMem m_key;
  bool m_ok;
};
