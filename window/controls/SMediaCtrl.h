// SMediaCtrl: the owner-drawn label of the framework (no system control),
// here in its plain form: one line of text in a colour, placed by an
// alignment word inside four margins, over the window's own background.
// It reports the mouse to its parent like every control, and draws itself
// into a layered parent's bitmap with the alpha that such a bitmap needs.
//
// The rich label (text runs, images, button states, links) grows from this
// class; the popups of the selectors use it as it stands.
#pragma once

#include <windows.h>

#include <cstdint>

#include "window/SWnd.h"
// The alignment word is the label's: kLabelCenter, kLabelMiddle ...
#include "window/controls/SLabelCtrl.h"

class SMediaCtrl : public SWnd {
 public:
  SMediaCtrl();

  // A visible child of the framework class with the text.
  bool Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
              void* creationData = nullptr);

  COLORREF GetTextColor() const { return m_textColor; }
  // Repaints when the colour changes.
  void SetTextColor(COLORREF color);
  // The background colour through the base class; repaints when it changes.
  void SetBackColor(uint32_t color) override;
  int32_t GetAlignment() const { return m_alignment; }
  RECT GetMargins() const { return m_margins; }
  // The alignment word and the four margins (pixels kept free inside the
  // client area); a new layout and a repaint follow.
  void SetAlignment(int32_t alignment, int left, int top, int right, int bottom);
  // Where the text stands, in client coordinates, after the last layout.
  RECT GetTextRect() const { return m_textRect; }

  // The text into the DC at its laid-out place, in the text colour, over
  // what the DC holds.
  void Draw(HDC dc);
  // The background colour and the text into a 32-bit premultiplied bitmap
  // selected into the DC (the layered parent's rendering).
  void DrawLayeredContent(HDC dc) override;

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // Places the text inside the margins by the alignment word.
  void Layout();
  void DrawTextIn(HDC dc, COLORREF color, int dx, int dy);
  void Repaint();

  COLORREF m_textColor;
  int32_t m_alignment;
  RECT m_margins;
  RECT m_textRect;
};
