// Any bytes given to DecompressBlocks answer -1 or the count of bytes they
// unpacked to, never a crash, a sanitizer report or a hang; what unpacks
// packs and unpacks again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "files/SFileMem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SFileMem source, out;
  source.Write(data, static_cast<int>(size));
  source.Rewind();
  out.Allocate(0);
  const int written = source.DecompressBlocks(&out);
  if (written < 0) return 0;
  if (written != out.GetSize()) std::abort();

  SFileMem packed, again;
  out.Rewind();
  packed.Allocate(0);
  again.Allocate(0);
  if (out.CompressBlocks(&packed, -1) < 0) std::abort();
  packed.Rewind();
  if (packed.DecompressBlocks(&again) != written) std::abort();
  if (written > 0 && std::memcmp(again.GetData(), out.GetData(), size_t(written)) != 0) std::abort();
  return 0;
}
