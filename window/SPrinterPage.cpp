#include "window/SPrinter.h"

#include <gdiplus.h>

#include <vector>

#include "window/FontFunctions.h"

SPrinterPage::SPrinterPage(SPrinter* printer) : m_printer(printer) {
  // Text starts at the corner of the area within the margins.
  RECT area = printer->GetPrintableRectPixels();
  m_cursorX = area.left;
  m_cursorY = area.top;
}

void SPrinterPage::TextOutAt(double x, double y, const char* text) {
  SString copy(text ? text : "");
  TextOutPixels(m_printer->ToPixelsX(x), m_printer->ToPixelsY(y), copy);
}

void SPrinterPage::TextOutPixels(int x, int y, const SString& text) {
  TextOutA(m_printer->GetDC(), x, y, text.GetText(), text.GetLength());
}

void SPrinterPage::DrawImage(double x, double y, double width, double height, int sourceX, int sourceY,
                             int sourceWidth, int sourceHeight, Gdiplus::Bitmap* bitmap) {
  if (!bitmap) return;
  RECT area = m_printer->GetPrintableRectPixels();
  int left = m_printer->ToPixelsX(x) + area.left;
  int top = m_printer->ToPixelsY(y) + area.top;
  int w = m_printer->ToPixelsX(width);
  int h = m_printer->ToPixelsY(height);
  if (left + w > area.right) w = area.right - left;
  if (top + h > area.bottom) h = area.bottom - top;
  Gdiplus::Graphics graphics(m_printer->GetDC());
  // On a printer GDI+ measures in hundredths of an inch unless told.
  graphics.SetPageUnit(Gdiplus::UnitPixel);
  graphics.DrawImage(bitmap, Gdiplus::Rect(left, top, w, h), sourceX, sourceY, sourceWidth, sourceHeight,
                     Gdiplus::UnitPixel, nullptr);
}

namespace {

// The text as printed, TABs as four spaces, and for each printed character
// how many characters of the given text end at or before it.
struct ExpandedText {
  SString text;
  std::vector<int> givenBefore;  // givenBefore[i]: given characters wholly before printed position i

  explicit ExpandedText(const char* given) {
    std::vector<char> out;
    int count = 0;
    for (const char* c = given; *c; c++, count++) {
      int width = *c == '\t' ? 4 : 1;
      for (int i = 0; i < width; i++) {
        out.push_back(*c == '\t' ? ' ' : *c);
        givenBefore.push_back(count);
      }
    }
    givenBefore.push_back(count);
    if (out.empty()) {
      // An empty line still takes a line: one space, standing for nothing.
      out.push_back(' ');
      givenBefore.push_back(1);
    }
    text.Assign(out.data(), int(out.size()));
  }
  int GivenCount(int printed) const { return givenBefore[size_t(printed)]; }
};

// The word at pos: a run of characters other than space, or one space.
int WordLength(const SString& text, int pos) {
  if (text.GetAt(pos) == ' ') return 1;
  int end = pos;
  while (end < text.GetLength() && text.GetAt(end) != ' ') end++;
  return end - pos;
}

int TextWidth(HDC dc, const SString& text) {
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.GetText(), text.GetLength(), &size);
  return size.cx;
}

}  // namespace

int SPrinterPage::PrintText(const char* text) {
  ExpandedText expanded(text ? text : "");
  const SString& words = expanded.text;
  HDC dc = m_printer->GetDC();
  COLORREF oldColor = SetTextColor(dc, m_printer->GetTextColor());
  int oldMode = SetBkMode(dc, TRANSPARENT);
  HFONT font = CreateFontA(PointsToHeight(m_printer->GetFontSize(), dc), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                           m_printer->GetFontFace().GetText());
  HGDIOBJ oldFont = SelectObject(dc, font);

  RECT area = m_printer->GetPrintableRectPixels();
  SIZE m = {};
  GetTextExtentPoint32A(dc, "M", 1, &m);
  const int lineHeight = m.cy;
  auto newLine = [&] {
    m_cursorX = area.left;
    m_cursorY += lineHeight;
  };
  SString pending("");
  int pos = 0, printed = 0;  // printed: positions of the expanded text put on the page
  const int length = words.GetLength();
  while (m_cursorY + lineHeight <= area.bottom) {
    if (pos >= length) {
      // The text ended on a word that began a new line.
      if (pending.GetLength() > 0) {
        TextOutPixels(m_cursorX, m_cursorY, pending);
        newLine();
      }
      printed = length;
      break;
    }
    int wordLength = WordLength(words, pos);
    SString word = words.Mid(pos, wordLength);
    SString candidate = pending + word;
    if (pending.GetLength() > 0 && m_cursorX + TextWidth(dc, candidate) > area.right) {
      TextOutPixels(m_cursorX, m_cursorY, pending);
      pending = "";
      newLine();
      printed = pos;
      if (word == " ") {
        pos++;
        printed = pos;
      } else {
        pending = word;
        pos += wordLength;
      }
      continue;
    }
    pending = candidate;
    pos += wordLength;
    if (pos >= length) {
      TextOutPixels(m_cursorX, m_cursorY, pending);
      newLine();
      printed = length;
      break;
    }
  }

  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  DeleteObject(font);
  return expanded.GivenCount(printed);
}
