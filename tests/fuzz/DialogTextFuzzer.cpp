// Any text given as a dialog description loads or is refused in bounded
// time, never a crash, a sanitizer report or a hang. What loads and saves
// must read back as the same records: saving the reloaded model gives the
// same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "dialogs/SDialogModel.h"
#include "files/SFileMem.h"

namespace {

bool SameBytes(const SFileMem& a, const SFileMem& b) {
  return a.GetSize() == b.GetSize() && std::memcmp(a.GetData(), b.GetData(), size_t(a.GetSize())) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SFileMem source;
  source.Write(data, static_cast<int>(size));
  source.Rewind();
  SDialogModel model;
  model.InitControlTypes();
  if (!model.Load(&source)) {
    if (model.GetDialogRecord() || model.GetControlCount() != 0 || model.IsLoaded()) std::abort();
    return 0;
  }
  SFileMem saved;
  if (!model.Save(&saved)) return 0;  // a record holding a lone line end is refused
  saved.Rewind();
  SDialogModel again;
  again.InitControlTypes();
  if (!again.Load(&saved)) std::abort();
  SFileMem resaved;
  if (!again.Save(&resaved) || !SameBytes(saved, resaved)) std::abort();
  return 0;
}
