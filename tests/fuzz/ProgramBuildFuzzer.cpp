// Any program model, as a damaged or hostile package can deliver it, is
// built or refused cleanly: never a crash, a sanitizer report or a hang. A
// refusal always names its reason; a build leaves compiled code on every
// member of the program's classes. The input is the program's texts as the
// package holds them once unscrambled.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "engine/compiler/PSource.h"
#include "files/SFileMem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SFileMem texts;
  texts.Allocate(0);
  texts.Write(data, static_cast<int>(size));
  texts.Rewind();
  PSource source;
  source.Parse(&texts);

  PEngine engine;
  if (!engine.Build("", &source, nullptr, true, false)) {
    if (engine.GetBuildFailure().reason.GetLength() == 0) abort();
    return 0;
  }
  for (int i = 0; i < engine.GetDefinitionCount(); i++) {
    const PObjectDefinition* d = engine.GetDefinitionAt(i);
    if (d->GetOrigin() != ORIGIN_USER) continue;
    for (int m = 0; m < d->GetMemberCount(); m++) {
      if (!d->GetCode(m)) abort();
    }
  }
  return 0;
}
