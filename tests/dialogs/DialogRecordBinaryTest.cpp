#include <cstring>
#include <string>

#include "DialogTesting.h"
#include "dialogs/DialogDescription.h"

namespace {

void FillRecord(_SCtrl& r) {
  r.id = -2;
  r.controlNumber = kControlCombo;
  r.name = "COMBO1";
  r.caption = "Pick = one";
  r.fontFace = "Verdana";
  r.fontSize = 0xFFF4;
  r.fontStyle = 0x80000001;
  r.x = -100;
  r.y = 200;
  r.width = 32767;
  r.height = -32768;
  r.locked = true;
  r.style = 0x50200503;
  r.exStyle = 0x200;
  r.backColor = 0xFF000001;
  r.textColor = 0xFE000005;
  r.transparent = true;
  r.extra = "TABINDEX=-1\r\nCOMBO_CONTENT=a|b=c\r\n";
}

}  // namespace

TEST(DialogRecordBinary, EmptyTextsTake41Bytes) {
  _SCtrl r;
  r.controlNumber = kControlButton;
  SFileMem stream;
  EXPECT_EQ(WriteControlRecordBinary(&stream, &r), kBinaryRecordFixedSize + 4);
  EXPECT_EQ(stream.GetSize(), 41);
  const uint8_t expected[41] = {
      0, 0, 3, 0,            // id, ControlNumber
      0, 0, 0,               // name, caption, font face
      0, 0, 0, 0, 0, 0,      // font size, font style
      10, 0, 10, 0, 150, 0, 150, 0,
      0, 0,                  // locked, is dialog
      0, 0, 0, 0, 0, 0, 0, 0,
      0, 0, 0, 0xFF, 0, 0, 0, 0xFF,
      0, 0};                 // transparent, extra
  EXPECT_EQ(std::memcmp(stream.GetData(), expected, 41), 0);
  stream.Rewind();
  _SCtrl back;
  EXPECT_EQ(ReadControlRecordBinary(&back, &stream), 41);
  ExpectSameRecord(r, back);
}

TEST(DialogRecordBinary, RecordsRoundTrip) {
  _SCtrl r;
  FillRecord(r);
  SFileMem stream;
  int written = WriteControlRecordBinary(&stream, &r);
  EXPECT_EQ(written, 41 + 6 + 10 + 7 + r.extra.GetLength());
  _SCtrl dialog;
  dialog.controlNumber = kControlDialog;
  dialog.isDialog = true;
  dialog.caption = "D";
  written += WriteControlRecordBinary(&stream, &dialog);
  EXPECT_EQ(stream.GetSize(), written);
  stream.Rewind();
  _SCtrl a, b;
  EXPECT_EQ(ReadControlRecordBinary(&a, &stream), 41 + 6 + 10 + 7 + r.extra.GetLength());
  EXPECT_EQ(ReadControlRecordBinary(&b, &stream), 42);
  EXPECT_EQ(ReadControlRecordBinary(&b, &stream), 0);  // at the end
  ExpectSameRecord(r, a);
  ExpectSameRecord(dialog, b);
  EXPECT_EQ(ReadControlRecordBinary(&a, nullptr), 0);
  EXPECT_EQ(WriteControlRecordBinary(nullptr, &r), 0);
}

// Clipboard data comes from any program: every record cut short reads as
// nothing, leaving the record and the position as they were.
TEST(DialogRecordBinary, RecordCutShortReadsAsNothing) {
  _SCtrl r;
  FillRecord(r);
  SFileMem full;
  int size = WriteControlRecordBinary(&full, &r);
  for (int n = 0; n < size; n++) {
    SFileMem part;
    part.Write(full.GetData(), n);
    part.Rewind();
    _SCtrl target;
    target.name = "untouched";
    EXPECT_EQ(ReadControlRecordBinary(&target, &part), 0) << n;
    EXPECT_EQ(part.GetPosition(), 0) << n;
    EXPECT_STREQ(target.name.GetText(), "untouched");
    EXPECT_EQ(target.controlNumber, -1);
  }
}

TEST(DialogRecordBinary, NegativeTypesReadAsNone) {
  _SCtrl r;
  r.controlNumber = kControlButton;
  SFileMem stream;
  WriteControlRecordBinary(&stream, &r);
  stream.GetData()[2] = 0xF0;
  stream.GetData()[3] = 0xFF;
  stream.Rewind();
  _SCtrl back;
  EXPECT_EQ(ReadControlRecordBinary(&back, &stream), 41);
  EXPECT_EQ(back.controlNumber, -1);
}

// The designer's clipboard: the header with its zero byte, then records
// until the end.
TEST(DialogRecordBinary, ClipboardBlobOfAModel) {
  ReadyModel model;
  model.SetDialogRecord(nullptr);
  for (int number = 1; number < kControlTypeCount; number++) {
    _SCtrl r;
    r.controlNumber = int16_t(number);
    model.AddControl(&r, true, false, false);
  }
  SFileMem blob;
  blob.WriteText(SDialogModel::kHeader);
  for (int i = 0; i < model.GetControlCount(); i++) WriteControlRecordBinary(&blob, model.GetControl(i));
  blob.Rewind();
  ASSERT_STREQ(blob.ReadZString(true).GetText(), SDialogModel::kHeader);
  ReadyModel pasted;
  pasted.SetDialogRecord(nullptr);
  while (blob.GetPosition() < blob.GetSize()) {
    _SCtrl r;
    ASSERT_GT(ReadControlRecordBinary(&r, &blob), 0);
    ASSERT_NE(pasted.AddControl(&r, false, true, true), nullptr);
  }
  ASSERT_EQ(pasted.GetControlCount(), model.GetControlCount());
  for (int i = 0; i < model.GetControlCount(); i++) ExpectSameRecord(*model.GetControl(i), *pasted.GetControl(i));
}
