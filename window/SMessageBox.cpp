#include "window/SMessageBox.h"

int32_t SMessageBox::Show() {
  return ShowText(m_buttonStyle, m_text.GetText(), m_owner, m_caption.GetText(), m_iconStyle);
}

// A null caption is the system's to fill ("Error"), as MessageBoxA does.
int32_t SMessageBox::ShowText(uint32_t style, const char* text, HWND owner, const char* caption,
                              uint32_t otherStyle) {
  m_answer = MessageBoxA(owner, text, caption, style | otherStyle);
  return m_answer;
}
