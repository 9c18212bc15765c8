// SRichEditCtrl: the rich edit, a subclassed system "RichEdit20A" (the
// framework loads its library at start-up), always multi-line.
//
// Its content goes in and out as plain text or RTF through a stream; its
// selection is read, replaced and exchanged with the clipboard as plain
// text; the character format of the selection is set and read as a size in
// points, a colour, a face and the LogFontStyle bits.
//
// Mouse messages reach the parent as mouse reports, except the left press,
// which the control needs undisturbed to place the caret and start a
// selection. Every change of the text reaches the parent as the changed
// event, whether or not the control has the focus.
#pragma once

#include <cstdint>

#include "core/SString.h"
#include "files/SClipboard.h"
#include "window/SWnd.h"

class SFile;

class SRichEditCtrl : public SWnd {
 public:
  // SetSelectionFormat's "leave as it is" values.
  static constexpr double kKeepSize = -1;
  static const uint32_t kKeepColor = 0xFF000000;
  static const int kKeepEffects = -1;

  SRichEditCtrl();

  bool Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
              void* creationData = nullptr);

  // The whole content becomes what the stream holds from its position on.
  // False without a stream (the content stays) or when the stream failed
  // to give what it holds (the content is what came before the failure).
  bool LoadStream(SFile* stream, bool rtf);
  // Writes the whole content at the stream's position. False without a
  // stream or when the stream took less than it was given; what it took
  // stays written.
  bool SaveStream(SFile* stream, bool rtf);
  bool Clear();

  SString GetSelectedText() const;
  void ReplaceSelection(const char* text);
  void DeleteSelection();
  void CopySelection();
  void CutSelection();
  void PasteText();

  // From start, count characters; a negative count runs to the end, a
  // negative start puts the selection after the end.
  void SetSel(int start, int count);
  void SelectAll();
  // An empty selection at the old start.
  void CollapseSelection();
  int GetSelStart() const;
  int GetSelLength() const;
  void Undo();
  void Redo();

  // Sets what is given for the selection: a size of 0 or more, a colour
  // other than kKeepColor, a non-empty face (its first 31 characters),
  // effects other than kKeepEffects. False when nothing is given or the
  // control refuses.
  bool SetSelectionFormat(double points, uint32_t color, const char* face, int effects);
  // The face, size and style of the selection into font; answers the text
  // colour (the window text colour for the automatic one).
  COLORREF GetSelectionFormat(LOGFONTA& font) const;

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void GetSel(int* start, int* end) const;
  void PrintContent(HDC dc);

  SClipboard m_clipboard;
};
