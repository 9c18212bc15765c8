// What the dialog tests share: a model with its tables filled, records
// made field by field, and descriptions held in memory.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "dialogs/SDialogModel.h"
#include "files/SFileMem.h"

using _SCtrl = SDialogModel::_SCtrl;

// A model as the run-time loader prepares it.
class ReadyModel : public SDialogModel {
 public:
  ReadyModel() { InitControlTypes(); }
};

inline std::string StreamText(SFileMem& stream) {
  return std::string(reinterpret_cast<const char*>(stream.GetData()), size_t(stream.GetSize()));
}

// A memory stream holding the text, positioned at its start.
inline void FillStream(SFileMem& stream, const std::string& text) {
  stream.Allocate(0);
  stream.Write(text.data(), int(text.size()));
  stream.Rewind();
}

inline std::string SavedText(const SDialogModel& model) {
  SFileMem stream;
  EXPECT_TRUE(model.Save(&stream));
  return StreamText(stream);
}

// Every stored field of two records, for a failure message that names it.
inline void ExpectSameRecord(const _SCtrl& a, const _SCtrl& b) {
  EXPECT_EQ(a.id, b.id);
  EXPECT_EQ(a.controlNumber, b.controlNumber);
  EXPECT_STREQ(a.name.GetText(), b.name.GetText());
  EXPECT_STREQ(a.caption.GetText(), b.caption.GetText());
  EXPECT_STREQ(a.fontFace.GetText(), b.fontFace.GetText());
  EXPECT_EQ(a.fontSize, b.fontSize);
  EXPECT_EQ(a.fontStyle, b.fontStyle);
  EXPECT_EQ(a.x, b.x);
  EXPECT_EQ(a.y, b.y);
  EXPECT_EQ(a.width, b.width);
  EXPECT_EQ(a.height, b.height);
  EXPECT_EQ(a.locked, b.locked);
  EXPECT_EQ(a.isDialog, b.isDialog);
  EXPECT_EQ(a.style, b.style);
  EXPECT_EQ(a.exStyle, b.exStyle);
  EXPECT_EQ(a.backColor, b.backColor);
  EXPECT_EQ(a.textColor, b.textColor);
  EXPECT_EQ(a.transparent, b.transparent);
  EXPECT_STREQ(a.extra.GetText(), b.extra.GetText());
}
