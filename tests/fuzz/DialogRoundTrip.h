// What the dialog fuzz targets require of every model they make: when it
// saves, the saved description loads, and saving that gives the same bytes.
//
// The models live across inputs, prepared once: every Load starts by
// emptying its model, so each input still meets a fresh model.
#pragma once

#include <cstdlib>
#include <cstring>

#include "dialogs/SDialogModel.h"
#include "files/SFileMem.h"

inline SDialogModel& PreparedModel(int which) {
  static SDialogModel models[2];
  static bool ready = models[0].InitControlTypes() && models[1].InitControlTypes();
  (void)ready;
  return models[which];
}

inline void CheckSavedReadsBack(const SDialogModel& model) {
  SFileMem saved;
  if (!model.Save(&saved)) return;  // a record its lines cannot carry is refused
  saved.Rewind();
  SDialogModel& loaded = PreparedModel(1);
  if (!loaded.Load(&saved)) std::abort();
  SFileMem resaved;
  if (!loaded.Save(&resaved) || resaved.GetSize() != saved.GetSize() ||
      std::memcmp(resaved.GetData(), saved.GetData(), size_t(saved.GetSize())) != 0)
    std::abort();
}
