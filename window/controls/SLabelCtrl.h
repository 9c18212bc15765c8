// SLabelCtrl: one line of text on a framework window (no system control),
// drawn over the window's own background into the erase device context,
// horizontally or turned a quarter to read upwards.
#pragma once

#include <windows.h>

#include <cstdint>

#include "window/SWnd.h"

// The alignment bit set: horizontal in the low four bits, vertical in the
// next four.
enum : int32_t {
  kLabelLeft = 0,
  kLabelCenter = 1,
  kLabelRight = 2,
  kLabelTop = 0,
  kLabelMiddle = 0x10,
  kLabelBottom = 0x20,
};

class SLabelCtrl : public SWnd {
 public:
  SLabelCtrl();

  bool Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
              void* creationData = nullptr);

  COLORREF GetTextColor() const { return m_textColor; }
  void SetTextColor(COLORREF color) { m_textColor = color; }
  bool IsVertical() const { return m_vertical != 0; }
  void SetVertical(bool vertical) { m_vertical = vertical ? 1 : 0; }
  int32_t GetAlignment() const { return m_alignment; }
  // Keeps one horizontal and one vertical choice (bottom before middle)
  // and redraws.
  void SetAlignment(int32_t flags);

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // The text over what the context already shows of the window.
  void DrawLabel(HDC dc);
  void DrawVertical(HDC dc, const RECT& client, UINT format);

  COLORREF m_textColor;
  int32_t m_alignment;
  int32_t m_vertical;
};
