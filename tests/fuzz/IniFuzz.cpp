// Any text given to SIni is read and edited in bounded time, never a crash,
// a sanitizer report or a hang. The input is split at its first NUL: before
// it the INI text, after it the names of a few edits. A key just written
// reads back as written, whatever the text around it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "files/SFileMem.h"
#include "files/SIni.h"

namespace {

// A short name of letters and digits made from the next input bytes;
// sections may be empty (the keys before the first header).
std::string Name(const uint8_t*& p, const uint8_t* end, bool mayBeEmpty) {
  static const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  int length = p < end ? *p++ % 4 : 1;
  if (length == 0 && !mayBeEmpty) length = 1;
  std::string name;
  for (int i = 0; i < length; i++) name += alphabet[(p < end ? *p++ : 0) % 36];
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t* end = data + size;
  const uint8_t* split = static_cast<const uint8_t*>(std::memchr(data, 0, size));
  size_t textSize = split ? size_t(split - data) : size;
  SFileMem source;
  source.Write(data, static_cast<int>(textSize));
  source.Rewind();
  SIni ini;
  if (!ini.Load(&source)) std::abort();

  const uint8_t* p = split ? split + 1 : end;
  for (int step = 0; step < 8 && p < end; step++) {
    int op = *p++ % 5;
    std::string section = Name(p, end, true), key = Name(p, end, false), value = Name(p, end, true);
    switch (op) {
      case 0:
        if (!ini.Write(section.c_str(), key.c_str(), value.c_str())) std::abort();
        if (ini.Read(section.c_str(), key.c_str()) != value.c_str()) std::abort();
        break;
      case 1: ini.DeleteKey(section.c_str(), key.c_str()); break;
      case 2: ini.ClearSection(section.c_str()); break;
      case 3: ini.DeleteSection(section.c_str()); break;
      default: ini.Read(section.c_str(), key.c_str()); break;
    }
  }
  return 0;
}
