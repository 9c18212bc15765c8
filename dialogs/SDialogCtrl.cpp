// The record: copying, its extra text, and the image draw-mode names.
#include "dialogs/SDialogCtrl.h"

#include <cstdlib>
#include <cstring>

#include "dialogs/DialogPlatform.h"

using _SCtrl = SDialogModel::_SCtrl;

_SCtrl::~_SCtrl() {
  extra = "";
  DestroyPreview(previewWindow, previewFont);
}

void _SCtrl::CopyFrom(const _SCtrl& source) {
  if (&source == this) return;
  id = source.id;
  SetControlNumber(source.controlNumber);
  name = source.name;
  caption = source.caption;
  fontFace = source.fontFace;
  fontSize = source.fontSize;
  fontStyle = source.fontStyle;
  x = source.x;
  y = source.y;
  width = source.width;
  height = source.height;
  locked = source.locked;
  isDialog = source.isDialog;
  style = source.style;
  exStyle = source.exStyle;
  backColor = source.backColor;
  textColor = source.textColor;
  transparent = source.transparent;
  extra = source.extra;
  panelScroll = source.panelScroll;
}

// ---- Extra text -------------------------------------------------------------------------

_SCtrl::ExtraScan _SCtrl::FindExtraLine(const char* key, int* valueStart, int* lineEnd) const {
  const char* text = extra.GetText();
  int keyLength = int(std::strlen(key));
  for (int start = 0;;) {
    const char* end = std::strstr(text + start, "\r\n");
    if (!end) return ExtraScan::kEnd;  // no line, or text after the last CR LF
    int length = int(end - (text + start));
    const void* equals = std::memchr(text + start, '=', size_t(length));
    if (!equals) return ExtraScan::kStopped;
    int keyEnd = int(static_cast<const char*>(equals) - text);
    if (keyEnd - start == keyLength && std::memcmp(text + start, key, size_t(keyLength)) == 0) {
      *valueStart = keyEnd + 1;
      *lineEnd = start + length;
      return ExtraScan::kFound;
    }
    start += length + 2;
  }
}

SString _SCtrl::GetExtra(const char* key) const {
  int valueStart, lineEnd;
  if (!key || FindExtraLine(key, &valueStart, &lineEnd) != ExtraScan::kFound) return SString("");
  return extra.Mid(valueStart, lineEnd - valueStart);
}

bool _SCtrl::SetExtra(const char* key, const char* value) {
  if (!value) value = "";
  if (!key || !*key || std::strpbrk(key, "=\r\n") || std::strpbrk(value, "\r\n")) return false;
  int valueStart, lineEnd;
  switch (FindExtraLine(key, &valueStart, &lineEnd)) {
    case ExtraScan::kFound:
      extra.Overwrite(valueStart, lineEnd - valueStart, value);
      return true;
    case ExtraScan::kStopped:
      return false;
    case ExtraScan::kEnd:
      break;
  }
  extra += key;
  extra += "=";
  extra += value;
  extra += "\r\n";
  return true;
}

int32_t _SCtrl::GetExtraInt(const char* key) const { return int32_t(GetExtra(key).ToInt64()); }

double _SCtrl::GetExtraFloat(const char* key) const { return GetExtra(key).ToDouble(); }

bool _SCtrl::SetExtraInt(const char* key, int32_t value) {
  return SetExtra(key, SString::FromInt(value).GetText());
}

uint32_t _SCtrl::GetExtraColor(const char* key) const {
  SString value = GetExtra(key);
  if (value.GetLength() == 0) return kColorDefault;
  return ResolveColorWord(uint32_t(int32_t(value.ToInt64())));
}

uint32_t ResolveColorWord(uint32_t word) {
  // Only this range names system colours: the words above it (the default
  // and transparent words) keep their own meaning.
  if (word >= kColorSystemFirst && word <= kColorSystemLast) return DialogSystemColor(int(word - kColorSystemFirst));
  return word;
}

// ---- Image draw modes ---------------------------------------------------------------------

int ImageDrawModeFromName(const _SCtrl* record, const char* key) {
  static const char* const kModes[] = {
      "_DRAWTOPLEFT",     "_DRAWTOPCENTER",    "_DRAWTOPRIGHT",     "_DRAWMIDDLELEFT", "_DRAWMIDDLERIGHT",
      "_DRAWBOTTOMLEFT",  "_DRAWBOTTOMCENTER", "_DRAWBOTTOMRIGHT",  "_DRAWCENTER",     "_DRAWSTRETCH",
      "_DRAWTILE",        "_DRAWFIT",          "_DRAWFITZOOM"};
  if (!record) return 0;
  SString value = record->GetExtra(key);
  for (int mode = 1; mode < int(sizeof kModes / sizeof kModes[0]); mode++)
    if (value == kModes[mode]) return mode;
  return 0;
}
