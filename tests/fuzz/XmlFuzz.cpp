// Any text given to SXml::Load is read in bounded time, never a crash, a
// sanitizer report or a hang. Whatever tree comes out, complete or partial,
// saves to a document that loads again; one more save and load changes
// nothing further (the first may still drop the blanks that began a text).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "files/SFileMem.h"
#include "files/SXml.h"

namespace {

SString SaveAndLoad(SXml& from, SXml& into) {
  SString text = from.ToText();
  SFileMem file;
  file.Write(text.GetText(), text.GetLength());
  file.Rewind();
  if (!into.Load(&file, false)) std::abort();
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  SFileMem file;
  file.Write(data + 1, static_cast<int>(size - 1));
  file.Rewind();
  SXml first;
  first.Load(&file, (data[0] & 1) != 0);

  SXml second, third, fourth;
  SaveAndLoad(first, second);
  SString saved = SaveAndLoad(second, third);
  SString again = SaveAndLoad(third, fourth);
  if (saved != again || saved.GetLength() != again.GetLength()) std::abort();
  return 0;
}
