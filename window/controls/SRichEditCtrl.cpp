#include "window/controls/SRichEditCtrl.h"

#include <richedit.h>

#include <cstring>
#include <vector>

#include "files/SFile.h"
#include "window/ControlNotify.h"
#include "window/FontFunctions.h"
#include "window/FrameworkMessage.h"
#include "window/controls/ControlWindow.h"

namespace {

const UINT kRichEditMouseMessage = ControlNotifyMessage(kControlClassRichEdit, 0);

// The control sends EN_CHANGE only when asked; scrolling, keys and the
// mouse go with it.
const LPARAM kEventMask = ENM_CHANGE | ENM_SCROLL | ENM_KEYEVENTS | ENM_MOUSEEVENTS;

// Past the end of any text: the selection lands after the last character.
const int kPastEnd = 0x0FFFFFFF;

const DWORD kEffectsMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;

// A character of the ANSI code page takes at most two bytes.
const int kMaxBytesPerChar = 2;

// A read that brings nothing while the stream still holds bytes failed:
// it ends the streaming with an error, and the load answers false.
DWORD CALLBACK ReadFromStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* read) {
  SFile* stream = reinterpret_cast<SFile*>(cookie);
  int n = stream->Read(buffer, int(wanted));
  *read = n > 0 ? n : 0;
  return *read == 0 && wanted > 0 && stream->GetRemaining() > 0 ? 1 : 0;
}

// A write the stream took only in part ends the streaming with an error.
DWORD CALLBACK WriteToStream(DWORD_PTR cookie, LPBYTE buffer, LONG given, LONG* written) {
  int n = reinterpret_cast<SFile*>(cookie)->Write(buffer, int(given));
  *written = n > 0 ? n : 0;
  return *written == given ? 0 : 1;
}

}  // namespace

SRichEditCtrl::SRichEditCtrl() { m_windowType = kWindowRichEdit; }

bool SRichEditCtrl::Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
                           void* creationData) {
  return CreateControlWindow(*this, "RichEdit20A", ES_MULTILINE, text, style, exStyle, rect, parent, id,
                             creationData);
}

bool SRichEditCtrl::LoadStream(SFile* stream, bool rtf) {
  if (!stream) return false;
  Clear();
  EDITSTREAM edit = {reinterpret_cast<DWORD_PTR>(stream), 0, ReadFromStream};
  SendMessage(EM_STREAMIN, rtf ? SF_RTF : SF_TEXT, reinterpret_cast<LPARAM>(&edit));
  return edit.dwError == 0;
}

bool SRichEditCtrl::SaveStream(SFile* stream, bool rtf) {
  if (!stream) return false;
  EDITSTREAM edit = {reinterpret_cast<DWORD_PTR>(stream), 0, WriteToStream};
  SendMessage(EM_STREAMOUT, rtf ? SF_RTF : SF_TEXT, reinterpret_cast<LPARAM>(&edit));
  return edit.dwError == 0;
}

bool SRichEditCtrl::Clear() {
  SetWindowTextA(GetHwnd(), "");
  return true;
}

void SRichEditCtrl::GetSel(int* start, int* end) const {
  DWORD first = 0, last = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
  *start = int(first);
  *end = int(last);
}

SString SRichEditCtrl::GetSelectedText() const {
  int start, end;
  GetSel(&start, &end);
  if (end <= start) return "";
  // In bytes: a character may take two, and the NUL comes after them.
  std::vector<char> buffer(size_t(end - start) * kMaxBytesPerChar + 1, '\0');
  LRESULT length = SendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()));
  buffer.back() = '\0';
  if (length <= 0) return "";
  return SString(buffer.data());
}

void SRichEditCtrl::ReplaceSelection(const char* text) {
  SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text ? text : ""));
}

void SRichEditCtrl::DeleteSelection() { ReplaceSelection(""); }

void SRichEditCtrl::CopySelection() { m_clipboard.SetText(GetSelectedText().GetText()); }

void SRichEditCtrl::CutSelection() {
  CopySelection();
  DeleteSelection();
}

void SRichEditCtrl::PasteText() { ReplaceSelection(m_clipboard.GetText().GetText()); }

void SRichEditCtrl::SetSel(int start, int count) {
  if (start < 0) start = kPastEnd;
  SendMessage(EM_SETSEL, start, count < 0 ? -1 : start + count);
}

void SRichEditCtrl::SelectAll() { SendMessage(EM_SETSEL, 0, -1); }

void SRichEditCtrl::CollapseSelection() {
  int start, end;
  GetSel(&start, &end);
  if (start < 0) start = kPastEnd;
  SendMessage(EM_SETSEL, start, start);
}

int SRichEditCtrl::GetSelStart() const {
  int start, end;
  GetSel(&start, &end);
  return start;
}

int SRichEditCtrl::GetSelLength() const {
  int start, end;
  GetSel(&start, &end);
  return end - start;
}

void SRichEditCtrl::Undo() { SendMessage(EM_UNDO, 0, 0); }
void SRichEditCtrl::Redo() { SendMessage(EM_REDO, 0, 0); }

bool SRichEditCtrl::SetSelectionFormat(double points, uint32_t color, const char* face, int effects) {
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  if (face && face[0]) {
    format.dwMask |= CFM_FACE;
    std::strncpy(format.szFaceName, face, LF_FACESIZE - 1);
  }
  if (points >= 0) {
    format.dwMask |= CFM_SIZE;
    format.yHeight = LONG(points * 20);
  }
  if (effects != kKeepEffects) {
    format.dwMask |= kEffectsMask;
    format.dwEffects = DWORD(effects) & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT);
  }
  if (color != kKeepColor) {
    format.dwMask |= CFM_COLOR;
    format.crTextColor = color;
  }
  if (format.dwMask == 0) return false;
  return SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format)) != 0;
}

COLORREF SRichEditCtrl::GetSelectionFormat(LOGFONTA& font) const {
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  format.dwMask = CFM_SIZE | CFM_COLOR | CFM_FACE | kEffectsMask;
  SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  format.szFaceName[LF_FACESIZE - 1] = '\0';
  FillLogFont(format.szFaceName, format.yHeight / 20.0,
              int(format.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT)), font);
  // Text in the automatic colour carries no colour of its own (RTF loaded
  // without one leaves any value there): it shows in the window text colour.
  if (format.dwEffects & CFE_AUTOCOLOR) return GetSysColor(COLOR_WINDOWTEXT);
  return format.crTextColor;
}

// The content as the control would print it, over the window colour.
void SRichEditCtrl::PrintContent(HDC dc) {
  RECT client;
  if (!::GetClientRect(GetHwnd(), &client)) return;
  HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  RECT area;
  SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
  // The range is measured in twips.
  int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  FORMATRANGE range = {};
  range.hdc = range.hdcTarget = dc;
  range.rc = {MulDiv(area.left, 1440, dpiX), MulDiv(area.top, 1440, dpiY), MulDiv(area.right, 1440, dpiX),
              MulDiv(area.bottom, 1440, dpiY)};
  range.rcPage = range.rc;
  range.chrg = {0, -1};
  SendMessage(EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  SendMessage(EM_FORMATRANGE, FALSE, 0);  // releases the control's cached layout
}

LRESULT SRichEditCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kCreatedMessage:
      SendMessage(EM_SETEVENTMASK, 0, kEventMask);
      break;
    case WM_LBUTTONDOWN:
      break;
    case WM_PRINTCLIENT:
      PrintContent(reinterpret_cast<HDC>(wparam));
      return 0;
    default:
      if (!ReportControlMouse(*this, kRichEditMouseMessage, message, lparam)) return 0;
  }
  return SWnd::WindowProc(message, wparam, lparam);
}
