// The text form of dialog descriptions: the whole description (Load, Save)
// and one record at a time.
#include "dialogs/DialogDescription.h"

#include <cstring>

#include "core/SStringArray.h"
#include "core/SStringParser.h"
#include "core/TextFunctions.h"
#include "dialogs/StyleTexts.h"
#include "files/SFile.h"

using _SCtrl = SDialogModel::_SCtrl;

const char* const SDialogModel::kHeader = "TAVRIN DIALOG 1.0.0.0";

namespace {

// The record keys, in the order the writer writes them; any other key
// belongs to the extra text.
const char* const kRecordKeys[] = {"ID",       "NAME",      "CAPTION",   "FONT",        "POSITION", "STYLE",
                                   "EXSTYLE",  "BACKCOLOR", "TEXTCOLOR", "TRANSPARENT", "ISLOCKED"};

bool IsRecordKey(const SString& key) {
  for (const char* k : kRecordKeys)
    if (key == k) return true;
  return false;
}

bool HasLineEnd(const SString& text) { return text.FindOneOf("\r\n") >= 0; }

// "face, size, style": three parts split at commas outside double quotes,
// spaces trimmed from each; false for any other number of parts.
bool SplitFont(const SString& value, SString* face, uint16_t* size, uint32_t* style) {
  SStringParser parser;
  SStringArray parts;
  int count = parser.ParseText(value.GetText(), SString(","), '"',
                               SStringParser::kHonourQuotes | SStringParser::kTrimSpaces, &parts);
  if (count != 3) return false;
  *face = *parts.GetAt(0);
  *size = uint16_t(parts.GetAt(1)->ToInt64());
  *style = uint32_t(parts.GetAt(2)->ToInt64());
  return true;
}

SString FontValue(const _SCtrl& record) {
  return record.fontFace + ", " + SString::FromInt(int16_t(record.fontSize)) + ", " +
         SString::FromUInt(record.fontStyle);
}

// "x y width height", split at single blanks; false unless exactly four.
bool SplitPosition(const SString& value, int16_t out[4]) {
  int start = 0;
  for (int i = 0; i < 4; i++) {
    int blank = value.FindChar(' ', start);
    if ((i < 3) != (blank >= 0)) return false;
    int end = blank >= 0 ? blank : value.GetLength();
    out[i] = int16_t(value.Mid(start, end - start).ToInt64());
    start = end + 1;
  }
  return true;
}

// What the writer may store: every text field reads back as it was.
bool IsStorable(const _SCtrl& record) {
  if (HasLineEnd(record.name) || HasLineEnd(record.caption) || HasLineEnd(record.fontFace)) return false;
  SString face;
  uint16_t size;
  uint32_t style;
  if (!SplitFont(FontValue(record), &face, &size, &style) || face != record.fontFace) return false;
  // The extra text: whole KEY=VALUE lines whose keys are no record keys.
  const char* text = record.extra.GetText();
  for (int start = 0; text[start];) {
    const char* end = std::strstr(text + start, "\r\n");
    if (!end) return false;
    SString line = record.extra.Mid(start, int(end - text) - start);
    int equals = line.FindChar('=');
    if (equals <= 0 || HasLineEnd(line) || IsRecordKey(line.Left(equals))) return false;
    start = int(end - text) + 2;
  }
  return true;
}

void ApplyLine(_SCtrl* record, const SString& key, const SString& value) {
  if (key == "ID") {
    record->id = int16_t(value.ToInt64());
  } else if (key == "NAME") {
    record->name = value;
  } else if (key == "CAPTION") {
    record->caption = value;
  } else if (key == "FONT") {
    SplitFont(value, &record->fontFace, &record->fontSize, &record->fontStyle);
  } else if (key == "POSITION") {
    int16_t p[4];
    if (SplitPosition(value, p)) {
      record->x = p[0];
      record->y = p[1];
      record->width = p[2];
      record->height = p[3];
    }
  } else if (key == "STYLE" || key == "EXSTYLE") {
    NamesToStyle(record, key == "EXSTYLE", value.GetText());
  } else if (key == "BACKCOLOR") {
    record->backColor = ColorFromText(value.GetText());
  } else if (key == "TEXTCOLOR") {
    record->textColor = ColorFromText(value.GetText());
  } else if (key == "TRANSPARENT") {
    record->transparent = value.ToInt64() != 0;
  } else if (key == "ISLOCKED") {
    record->locked = value.ToInt64() != 0;
  } else if (key.GetLength() > 0) {
    record->extra += key + "=" + value + "\r\n";
  }
}

}  // namespace

// ---- One record ---------------------------------------------------------------------------

int32_t ReadControlRecord(_SCtrl* record, SFile* stream, SDialogModel* model) {
  if (!stream || !record || !model) return -1;
  int start = stream->GetPosition();
  record->extra = "";
  SString header = stream->ReadLine(true, -1, nullptr);
  SString key = header.GetLength() >= 2 ? header.Mid(1, header.GetLength() - 2) : SString("");
  const SDialogModel::_SType* type = model->FindControlType(key.GetText());
  if (!type) return 0;
  record->SetControlNumber(type->controlNumber);
  if (type->controlNumber == kControlDialog) record->isDialog = true;

  while (!stream->IsEnd()) {
    // A description is text: a NUL ends its line, as it ends the text it
    // becomes, so that names are compared as they will be written.
    SString line(stream->ReadLine(true, -1, nullptr).GetText());
    if (line.GetLength() == 0) break;
    int equals = line.FindChar('=');
    if (equals < 0) return -1;
    ApplyLine(record, line.Left(equals), line.Mid(equals + 1));
  }
  return stream->GetPosition() - start;
}

int32_t WriteControlRecord(const SDialogModel* model, const _SCtrl* record, SFile* stream) {
  if (!stream || !record || !model) return 0;
  const SDialogModel::_SType* type = model->GetControlType(record->controlNumber);
  if (!type || !IsStorable(*record)) return 0;
  SString text;
  text.Format("[%s]\r\nID=%d\r\nNAME=%s\r\nCAPTION=%s\r\nFONT=%s\r\nPOSITION=%d %d %d %d\r\n", type->key.GetText(),
              int(record->id), record->name.GetText(), record->caption.GetText(), FontValue(*record).GetText(),
              int(record->x), int(record->y), int(record->width), int(record->height));
  text += "STYLE=" + StyleToNames(record, false) + "\r\n";
  text += "EXSTYLE=" + StyleToNames(record, true) + "\r\n";
  text += "BACKCOLOR=" + ColorToText(record->backColor) + "\r\n";
  text += "TEXTCOLOR=" + ColorToText(record->textColor) + "\r\n";
  text += record->transparent ? "TRANSPARENT=1\r\n" : "TRANSPARENT=0\r\n";
  text += record->locked ? "ISLOCKED=1\r\n" : "ISLOCKED=0\r\n";
  text += record->extra + "\r\n";
  return stream->WriteString(text.GetText(), text.GetLength());
}

// ---- The whole description ---------------------------------------------------------------

bool SDialogModel::Load(SFile* stream) {
  if (!stream) return false;
  Reset();
  if (stream->ReadLine(true, -1, nullptr) != kHeader) return false;
  stream->ReadLine(true, -1, nullptr);
  for (bool first = true; !stream->IsEnd(); first = false) {
    _SCtrl record;
    if (ReadControlRecord(&record, stream, this) <= 0) {
      Clear();
      return false;
    }
    if (first) {
      SetDialogRecord(&record);
    } else if (!AddControl(&record, false, true, true)) {
      Clear();
      return false;
    }
  }
  m_loaded = true;
  OnDescriptionLoaded();
  return true;
}

bool SDialogModel::Save(SFile* stream) const {
  if (!stream || !m_dialog) return false;
  SString head = SString(kHeader) + "\r\n\r\n";
  stream->WriteString(head.GetText(), head.GetLength());
  if (WriteControlRecord(this, m_dialog, stream) <= 0) return false;
  for (int i = 0; i < m_controls.GetCount(); i++)
    if (WriteControlRecord(this, m_controls.GetAt(i), stream) <= 0) return false;
  return true;
}
