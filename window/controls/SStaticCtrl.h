// SStaticCtrl: a frame drawn with DrawEdge, on a subclassed owner-drawn
// system "STATIC" without text.
//
// The framework paints its background (the button face unless set
// otherwise) into the erase's memory DC, and the frame goes into the same
// DC, so the two reach the screen in one copy. It reports nothing.
#pragma once

#include <cstdint>

#include "window/SWnd.h"

class SStaticCtrl : public SWnd {
 public:
  SStaticCtrl();

  bool Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData = nullptr);

  // The DrawEdge edge type: 1 to 10 except 3 and 7, which are not edges;
  // anything else turns the frame off (0).
  void SetEdge(int type);
  int GetEdge() const { return m_edgeType; }
  // The DrawEdge border flags (BF_*); 0 draws no frame.
  void SetBorderFlags(int flags) { m_borderFlags = flags; }
  int GetBorderFlags() const { return m_borderFlags; }

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void DrawFrame(HDC dc);

  int32_t m_edgeType;     // 0 = no frame
  int32_t m_borderFlags;  // 0 at start
};
