// Any bytes read as binary dialog records (the designer's clipboard) give
// whole records or nothing, never fields from past the end. Each record
// read writes back as the same bytes, and a model made of those records
// that saves as text reads back as the same description.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "DialogRoundTrip.h"
#include "dialogs/DialogDescription.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SFileMem source;
  source.Write(data, static_cast<int>(size));
  source.Rewind();
  SDialogModel& model = PreparedModel(0);
  model.Clear();
  model.SetDialogRecord(nullptr);
  for (;;) {
    int start = source.GetPosition();
    SDialogModel::_SCtrl record;
    int consumed = ReadControlRecordBinary(&record, &source);
    if (consumed <= 0) {
      if (consumed < 0 || source.GetPosition() != start) std::abort();
      break;
    }
    SFileMem written;
    if (WriteControlRecordBinary(&written, &record) != consumed) std::abort();
    // Flags read as 0 or 1, so compare with what a writer of those values gives.
    SFileMem again;
    written.Rewind();
    SDialogModel::_SCtrl back;
    if (ReadControlRecordBinary(&back, &written) != consumed) std::abort();
    if (WriteControlRecordBinary(&again, &back) != consumed ||
        std::memcmp(again.GetData(), written.GetData(), size_t(consumed)) != 0)
      std::abort();
    model.AddControl(&record, false, true, true);
  }
  CheckSavedReadsBack(model);
  return 0;
}
