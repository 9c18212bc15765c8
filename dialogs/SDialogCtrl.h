// SDialogModel::_SCtrl: one record of a dialog description - the dialog
// itself or one control - with the type-specific settings kept as
// KEY=VALUE lines in its extra text; and SDialogModel::_SUndo, a copy of
// the whole model for undo.
#pragma once

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "dialogs/SDialogModel.h"

class SWnd;

// Colour words of records and extra keys.
enum : uint32_t {
  kColorDefault = 0xFF000000,      // not set
  kColorTransparent = 0xFF000001,  // the parent paints
  kColorSystemFirst = 0xFE000000,  // + a system colour index
  kColorSystemLast = 0xFEFFFFFF,
};

// Font style bits of a record.
enum : uint32_t { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4, kFontStrikeOut = 8 };

class SDialogModel::_SCtrl {
 public:
  _SCtrl() = default;
  _SCtrl(const _SCtrl&) = delete;
  _SCtrl& operator=(const _SCtrl&) = delete;
  // The preview window and font go with the record.
  ~_SCtrl();

  // Every stored field, never the preview window or font; a ControlNumber
  // below 0 becomes -1.
  void CopyFrom(const _SCtrl& source);
  void SetControlNumber(int number) { controlNumber = int16_t(number < 0 ? -1 : number); }

  SString GetName() const { return name; }
  SString GetCaption() const { return caption; }
  SString GetFontFace() const { return fontFace; }

  // ---- Extra text -------------------------------------------------------------------
  //
  // Lines end at CR LF; the scan stops at the first line without '=', and
  // text after the last CR LF is not a line. Keys compare case-sensitively.

  // The value of the first line with this key; "" when none.
  SString GetExtra(const char* key) const;
  // Replaces the value of the first line with this key in place, or appends
  // a line. Refused (false) for an empty key, a key holding '=' and a key or
  // value holding CR or LF: the description could not carry them.
  bool SetExtra(const char* key, const char* value);
  int32_t GetExtraInt(const char* key) const;
  bool GetExtraBool(const char* key) const { return GetExtraInt(key) != 0; }
  double GetExtraFloat(const char* key) const;
  bool SetExtraInt(const char* key, int32_t value);
  // kColorDefault for "", a system colour for 0xFE000000 .. 0xFEFFFFFF,
  // else the word itself (kColorTransparent included).
  uint32_t GetExtraColor(const char* key) const;
  // "MEDIA_LINKCOLOR" as a plain number.
  int32_t GetMediaLinkColor() const { return GetExtraInt("MEDIA_LINKCOLOR"); }

  // ---- Fields, in their stored order ------------------------------------------------

  int16_t id = 0;
  int16_t controlNumber = kControlNone;
  SString name;
  SString caption;
  SString fontFace;    // "": no font of its own
  uint16_t fontSize = 0;  // a signed point size
  uint32_t fontStyle = 0;
  int16_t x = 10, y = 10;
  int16_t width = 150, height = 150;
  bool locked = false;
  bool isDialog = false;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  uint32_t backColor = kColorDefault;
  uint32_t textColor = kColorDefault;
  bool transparent = false;
  SString extra;  // KEY=VALUE lines, each ended by CR LF

  // Designer only, never stored.
  SWnd* previewWindow = nullptr;  // owned
  void* previewFont = nullptr;    // owned HFONT
  int32_t panelScroll = 0;

 private:
  // Where the scan for a key's line ended: at the line (its value's start
  // and end are given), at the end of the lines, or at a line without '='.
  enum class ExtraScan { kFound, kEnd, kStopped };
  ExtraScan FindExtraLine(const char* key, int* valueStart, int* lineEnd) const;
};

class SDialogModel::_SUndo {
 public:
  _SUndo() = default;
  _SUndo(const _SUndo&) = delete;
  _SUndo& operator=(const _SUndo&) = delete;
  ~_SUndo() { Empty(); }

  void Empty();

  _SCtrl* dialog = nullptr;     // owned copy
  SArray<_SCtrl*> controls;     // owned copies
  SArray<_SCtrl*> selected;     // into controls
};

// A colour word with a system colour (0xFE000000 .. 0xFEFFFFFF) replaced
// by its COLORREF; every other word, the default and transparent words
// included, as it is.
uint32_t ResolveColorWord(uint32_t word);

// The draw mode 0..12 that an image key's value names ("_DRAWTILE" 10);
// 0 (top left) for any other text.
int ImageDrawModeFromName(const SDialogModel::_SCtrl* record, const char* key);
