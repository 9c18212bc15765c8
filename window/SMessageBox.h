// SMessageBox: the settings of a system message box, kept between showings
// so that script code can prepare a box field by field, show it and read
// the user's answer afterwards.
//
// The owner, caption, text and the two styles are plain settings that the
// wrapping script class fills; Show hands them to MessageBoxA as they are.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/SString.h"

class SMessageBox {
 public:
  explicit SMessageBox(HWND owner)
      : m_owner(owner), m_iconStyle(MB_ICONEXCLAMATION), m_buttonStyle(MB_OK), m_answer(0) {}
  virtual ~SMessageBox() = default;
  SMessageBox(const SMessageBox&) = delete;
  SMessageBox& operator=(const SMessageBox&) = delete;

  // ---- Settings ---------------------------------------------------------------------

  void SetOwner(HWND owner) { m_owner = owner; }
  void SetCaption(const char* caption) { m_caption = caption; }
  void SetText(const char* text) { m_text = text; }
  void SetIconStyle(uint32_t style) { m_iconStyle = style; }
  void SetButtonStyle(uint32_t style) { m_buttonStyle = style; }

  HWND GetOwner() const { return m_owner; }
  const char* GetCaption() const { return m_caption.GetText(); }
  const char* GetText() const { return m_text.GetText(); }
  uint32_t GetIconStyle() const { return m_iconStyle; }
  uint32_t GetButtonStyle() const { return m_buttonStyle; }
  // The answer of the last box shown (an IDOK ... IDNO value), 0 before any;
  // 0 also when the box could not be shown.
  int32_t GetLastAnswer() const { return m_answer; }

  // ---- Showing ----------------------------------------------------------------------

  // Shows the box with the settings (style: buttons OR icon), modal to the
  // owner; keeps and returns the answer.
  int32_t Show();
  // Shows a box of its own values, leaving the settings alone; keeps and
  // returns the answer like Show.
  int32_t ShowText(uint32_t style, const char* text, HWND owner, const char* caption,
                   uint32_t otherStyle);

 private:
  HWND m_owner;
  SString m_caption;
  SString m_text;
  uint32_t m_iconStyle;
  uint32_t m_buttonStyle;
  int32_t m_answer;
};
