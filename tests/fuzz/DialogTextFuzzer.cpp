// Any text given as a dialog description loads or is refused in bounded
// time, never a crash, a sanitizer report or a hang. What loads and saves
// must read back as the same records: saving the reloaded model gives the
// same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "DialogRoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SFileMem source;
  source.Write(data, static_cast<int>(size));
  source.Rewind();
  SDialogModel& model = PreparedModel(0);
  if (!model.Load(&source)) {
    if (model.GetDialogRecord() || model.GetControlCount() != 0 || model.IsLoaded()) std::abort();
    return 0;
  }
  CheckSavedReadsBack(model);
  return 0;
}
