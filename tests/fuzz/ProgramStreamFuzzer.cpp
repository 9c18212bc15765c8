// Any bytes given to PSource as a package's program stream load in bounded
// time and memory into a model whose parameter lists agree, never a crash,
// a sanitizer report or a hang. The input is the package from the program
// stream's position: the length, then the scrambled texts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/compiler/PSource.h"
#include "files/SFileMem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SFileMem package, key;
  package.Allocate(0);
  package.Write(data, static_cast<int>(size));
  package.Rewind();
  key.Write("\x01\x02\x03", 3);

  PSource source;
  if (!source.Load(&package, &key)) abort();
  // Every record takes at least one byte of the stream.
  int records = source.GetConstantCount() + source.GetClassCount();
  for (int i = 0; i < source.GetClassCount(); i++) {
    const PSource::_PObject& c = *source.GetClass(i);
    records += c.GetClassLines().GetCount() + c.GetMemberCount();
    for (int j = 0; j < c.GetMemberCount(); j++) {
      const PSource::_PFunction& m = *c.GetMember(j);
      records += m.GetParameterCount() + m.GetBodyLines().GetCount();
      for (int p = 0; p < m.GetParameterCount(); p++) {
        m.GetParameterName(p);
        m.GetDefaultValue(p);
        m.HasDefault(p);
      }
    }
  }
  if (size_t(records) > size) abort();
  return 0;
}
