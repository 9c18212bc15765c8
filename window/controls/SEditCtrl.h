// SEditCtrl: the system "EDIT" with thin senders of its messages, the
// parent told of Enter and of focus changes, no stray control characters,
// its own colours, and an optional word completion: the words of a list
// that begin with the typed text, offered in a popup list under the edit
// and chosen with the arrow keys and Enter.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "core/SString.h"
#include "core/SStringArray.h"
#include "window/SWnd.h"
#include "window/controls/ControlWindow.h"
#include "window/controls/SListCtrl.h"

class SEditCtrl : public SWnd {
 public:
  SEditCtrl();
  ~SEditCtrl() override;

  bool Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
              void* creationData = nullptr);

  // ---- Settings of the owner ----------------------------------------------------------

  // Without it a right press is reported but the system menu does not open.
  void SetContextMenuAllowed(bool allowed) { m_contextMenuAllowed = allowed; }
  // kColorNone: the default text colour.
  void SetTextColor(uint32_t color) { m_textColor = color; }
  uint32_t GetTextColor() const { return m_textColor; }
  // The completion candidates.
  SStringArray& GetWordList() { return m_words; }
  void EnableCompletion(bool enable) { m_completion = enable; }
  // The popup while it is shown; null otherwise.
  SListCtrl* GetCompletionPopup() const { return m_popup.get(); }

  // ---- Text ---------------------------------------------------------------------------

  // "" for a start outside the text.
  SString GetTextRange(int start, int count) const;
  // "" for a line that does not exist.
  SString GetLineText(int line) const;
  SString GetSelectedText() const;

  // ---- Senders ------------------------------------------------------------------------

  bool Undo();
  bool CanUndo() const;
  void SetFormatRect(const RECT* rect);
  void GetFormatRect(RECT* rect) const;
  void ReplaceSelection(const char* text, bool canUndo);
  // A negative start is the text's length.
  void SetSel(int start, int end);
  void GetSel(int* start, int* end) const;
  void SetPasswordChar(char character);
  char GetPasswordChar() const;
  void SetModified(bool modified);
  bool IsModified() const;
  void SetLimitText(int maximum);
  int GetLimitText() const;
  void SetReadOnly(bool readOnly);
  void ScrollLines(int characters, int lines);
  void ScrollPage(bool down);
  void ScrollLine(bool down);
  void CharFromPos(int x, int y, int* index, int* line) const;
  void PosFromChar(int index, int* x, int* y) const;
  int LineIndex(int line) const;
  int LineLength(int index) const;
  int LineFromChar(int index) const;
  int GetLineCount() const;
  int GetFirstVisibleLine() const;
  void Cut();
  void Copy();
  void Paste();
  void DeleteSelection();

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  HBRUSH OnCtlColorEdit(HDC dc) override { return ColorHandler(dc); }
  HBRUSH OnCtlColorStatic(HDC dc) override { return ColorHandler(dc); }

 private:
  HBRUSH ColorHandler(HDC dc);
  // Offers the words that begin with the text after a key release.
  void UpdateCompletion(WPARAM key);
  bool CreatePopup();
  void PrintClient(HDC dc);
  // False when the parent's handler deleted this edit.
  bool Notify(int event, LPARAM lparam);

  bool m_contextMenuAllowed;
  uint32_t m_textColor;
  ControlBrush m_brush;
  SStringArray m_words;
  bool m_completion;
  std::unique_ptr<SListCtrl> m_popup;
};
