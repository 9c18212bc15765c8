// The dialog description: its text form, read and written one record at a
// time, and the binary record form of the designer's clipboard.
//
// Text form, lines ended by CR LF: "TAVRIN DIALOG 1.0.0.0", an empty line,
// then records, the dialog's own first. A record is a header line ("[" KEY
// "]"; the reader drops the first and last characters unseen), KEY=VALUE
// lines - the record keys of the table in DialogDescription.cpp, every other
// key going to the extra text - and an empty line (or the end).
//
// Binary form, little-endian and packed: id, ControlNumber (16 bits each),
// name, caption and font face (each with its zero byte), font size (16),
// font style (32), x, y, width, height (16 each), locked, is dialog (a byte
// each), style, extended style, back and text colour (32 each),
// transparent (a byte), extra text (with its zero byte): 41 bytes plus the
// lengths of the four texts. The clipboard holds kHeader with its zero byte,
// then such records back to back until the end.
#pragma once

#include <cstdint>

#include "dialogs/SDialogModel.h"

class SFile;

// One text record into the record; the bytes consumed, 0 when its header
// names no type of the model, -1 for a line without '=' or a null stream.
int32_t ReadControlRecord(SDialogModel::_SCtrl* record, SFile* stream, SDialogModel* model);
// One text record; the bytes written, 0 for a null stream, a type the model
// does not know, or a record that would not read back the same (a line end
// in a text, a font face that does not survive its line, an extra text
// that is not KEY=VALUE lines of its own keys).
int32_t WriteControlRecord(const SDialogModel* model, const SDialogModel::_SCtrl* record, SFile* stream);

// The fixed part of a binary record, without its four texts.
constexpr int kBinaryRecordFixedSize = 37;
// One binary record into the record; the bytes consumed, 0 for a null
// stream or a record cut short (the record and the position then stay).
int32_t ReadControlRecordBinary(SDialogModel::_SCtrl* record, SFile* stream);
// The bytes written, 0 for a null stream.
int32_t WriteControlRecordBinary(SFile* stream, const SDialogModel::_SCtrl* record);
