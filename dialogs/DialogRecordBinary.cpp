// The binary record form of the designer's clipboard. The clipboard is
// written by any program, so the reader takes a record only when every
// field of it is there.
#include <cstring>

#include "dialogs/DialogDescription.h"
#include "files/SFile.h"

using _SCtrl = SDialogModel::_SCtrl;

namespace {

// Reads fields in order until one is missing; after that every read fails.
class FieldReader {
 public:
  explicit FieldReader(SFile* stream) : m_stream(stream) {}

  bool Ok() const { return m_ok; }

  template <class T>
  T Get() {
    uint8_t bytes[sizeof(T)] = {};
    if (m_ok && m_stream->Read(bytes, int(sizeof(T))) != int(sizeof(T))) m_ok = false;
    uint64_t value = 0;
    for (size_t i = 0; i < sizeof(T); i++) value |= uint64_t(bytes[i]) << (8 * i);
    return T(value);
  }

  // The bytes up to a zero byte, which must be there.
  SString Text() {
    if (!m_ok) return SString("");
    int before = m_stream->GetPosition();
    SString text = m_stream->ReadZString(true);
    if (m_stream->GetPosition() - before != text.GetLength() + 1) m_ok = false;
    return text;
  }

 private:
  SFile* m_stream;
  bool m_ok = true;
};

class FieldWriter {
 public:
  explicit FieldWriter(SFile* stream) : m_stream(stream) {}

  int Written() const { return m_written; }

  template <class T>
  void Put(T value) {
    uint8_t bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); i++) bytes[i] = uint8_t(uint64_t(value) >> (8 * i));
    m_written += m_stream->Write(bytes, int(sizeof(T)));
  }

  void Text(const SString& text) { m_written += m_stream->Write(text.GetText(), text.GetLength() + 1); }

 private:
  SFile* m_stream;
  int m_written = 0;
};

}  // namespace

int32_t ReadControlRecordBinary(_SCtrl* record, SFile* stream) {
  if (!stream || !record || stream->IsEnd()) return 0;
  int start = stream->GetPosition();
  FieldReader in(stream);
  int16_t id = in.Get<int16_t>();
  int16_t controlNumber = in.Get<int16_t>();
  SString name = in.Text();
  SString caption = in.Text();
  SString fontFace = in.Text();
  uint16_t fontSize = in.Get<uint16_t>();
  uint32_t fontStyle = in.Get<uint32_t>();
  int16_t x = in.Get<int16_t>(), y = in.Get<int16_t>();
  int16_t width = in.Get<int16_t>(), height = in.Get<int16_t>();
  bool locked = in.Get<uint8_t>() != 0;
  bool isDialog = in.Get<uint8_t>() != 0;
  uint32_t style = in.Get<uint32_t>(), exStyle = in.Get<uint32_t>();
  uint32_t backColor = in.Get<uint32_t>(), textColor = in.Get<uint32_t>();
  bool transparent = in.Get<uint8_t>() != 0;
  SString extra = in.Text();
  if (!in.Ok()) {
    stream->Seek(start);
    return 0;
  }
  record->id = id;
  record->SetControlNumber(controlNumber);
  record->name = name;
  record->caption = caption;
  record->fontFace = fontFace;
  record->fontSize = fontSize;
  record->fontStyle = fontStyle;
  record->x = x;
  record->y = y;
  record->width = width;
  record->height = height;
  record->locked = locked;
  record->isDialog = isDialog;
  record->style = style;
  record->exStyle = exStyle;
  record->backColor = backColor;
  record->textColor = textColor;
  record->transparent = transparent;
  record->extra = extra;
  return stream->GetPosition() - start;
}

int32_t WriteControlRecordBinary(SFile* stream, const _SCtrl* record) {
  if (!stream || !record) return 0;
  FieldWriter out(stream);
  out.Put(record->id);
  out.Put(record->controlNumber);
  out.Text(record->name);
  out.Text(record->caption);
  out.Text(record->fontFace);
  out.Put(record->fontSize);
  out.Put(record->fontStyle);
  out.Put(record->x);
  out.Put(record->y);
  out.Put(record->width);
  out.Put(record->height);
  out.Put(uint8_t(record->locked));
  out.Put(uint8_t(record->isDialog));
  out.Put(record->style);
  out.Put(record->exStyle);
  out.Put(record->backColor);
  out.Put(record->textColor);
  out.Put(uint8_t(record->transparent));
  out.Text(record->extra);
  return out.Written();
}
