// Any file given to SResource as a pack lists in bounded time and every
// listed entry reads or is refused, never a crash, a sanitizer report or a
// hang. The first input byte chooses whether the package key is set; the
// rest is the pack file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "files/SDisk.h"
#include "files/SFileMem.h"
#include "files/SResource.h"

namespace {

// One scratch file for the whole run, removed at exit.
struct Scratch {
  SString path = SDisk().MakeTempFileName();
  ~Scratch() { std::remove(path.GetText()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Scratch scratch;
  if (size == 0 || scratch.path.GetLength() == 0) return 0;

  SFileMem file;
  file.Allocate(0);
  file.Write(data + 1, static_cast<int>(size - 1));
  if (!file.SaveFile(scratch.path.GetText())) return 0;

  SResource pack;
  if (data[0] & 1) {
    SFileMem key;
    key.Write("0123456789abcdef0123456789ABCDEF", 32);
    key.Rewind();
    pack.SetKey(&key);
  }
  pack.Open(scratch.path.GetText(), data[0] >> 1);
  for (int i = 0; i < pack.GetCount(); i++) {
    SFileMem out;
    out.Allocate(0);
    if (!pack.Read(&out, pack.GetName(i).GetText(), true) && out.GetSize() != 0) std::abort();
  }
  return 0;
}
