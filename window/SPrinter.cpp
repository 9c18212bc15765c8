#include "window/SPrinter.h"

#include <richedit.h>

#include <gdiplus.h>

#include "files/SFile.h"
#include "window/SImage.h"
#include "window/SWnd.h"

// ---- Device metrics and the printable rectangle --------------------------------------------

PrinterMetrics PrinterMetrics::Read(HDC dc) {
  PrinterMetrics m;
  m.printableWidth = GetDeviceCaps(dc, HORZRES);
  m.printableHeight = GetDeviceCaps(dc, VERTRES);
  m.printableWidthMm = GetDeviceCaps(dc, HORZSIZE);
  m.printableHeightMm = GetDeviceCaps(dc, VERTSIZE);
  m.paperWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
  m.paperHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
  m.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
  m.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  m.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
  m.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  return m;
}

namespace {

// One axis: the near and far edges of the area within the margins, in the
// DC's coordinates, from pixel sizes turned into millimetres.
void PrintableSpan(double perMm, int paper, int nearStrip, int printable, double nearMargin, double farMargin,
                   double* nearEdge, double* farEdge) {
  if (perMm <= 0) {
    *nearEdge = *farEdge = 0;
    return;
  }
  double strip = nearStrip / perMm;
  double farStrip = (paper - nearStrip - printable) / perMm;
  double size = printable / perMm;
  *nearEdge = nearMargin >= strip ? nearMargin - strip : strip;
  *farEdge = farMargin >= farStrip ? size - (farMargin - farStrip) : size - farStrip;
}

}  // namespace

MmRect ComputePrintableRect(const PrinterMetrics& m, double leftMargin, double topMargin, double rightMargin,
                            double bottomMargin) {
  MmRect rect;
  PrintableSpan(m.PixelsPerMmX(), m.paperWidth, m.offsetX, m.printableWidth, leftMargin, rightMargin, &rect.left,
                &rect.right);
  PrintableSpan(m.PixelsPerMmY(), m.paperHeight, m.offsetY, m.printableHeight, topMargin, bottomMargin, &rect.top,
                &rect.bottom);
  return rect;
}

// ---- Construction and settings ---------------------------------------------------------------

void SPrinter::DialogRecordDeleter::operator()(PRINTDLGA* record) const {
  // The dialog hands back the chosen printer's settings and names in blocks
  // of its own; they go with the record.
  if (record->hDevMode) GlobalFree(record->hDevMode);
  if (record->hDevNames) GlobalFree(record->hDevNames);
  delete record;
}

SPrinter::SPrinter()
    : m_owner(nullptr),
      m_defaultFontFace(kDefaultFontFace),
      m_defaultFontSize(kDefaultFontSize),
      m_fontSize(kDefaultFontSize),
      m_textColor(0),
      m_leftMargin(kDefaultMargin),
      m_topMargin(kDefaultMargin),
      m_rightMargin(kDefaultMargin),
      m_bottomMargin(kDefaultMargin),
      m_dc(nullptr),
      m_pixelsPerMmX(0),
      m_pixelsPerMmY(0) {
  Reset();
}

SPrinter::~SPrinter() { Reset(); }

void SPrinter::Reset() {
  m_dialog.reset();
  m_dc = nullptr;
  m_fontFace = m_defaultFontFace;
  m_fontSize = m_defaultFontSize;
  m_textColor = 0;
  SetMargins(kDefaultMargin, kDefaultMargin, kDefaultMargin, kDefaultMargin);
}

void SPrinter::SetFont(const char* face, int points) {
  m_fontFace = face ? face : "";
  m_fontSize = points;
}

void SPrinter::SetMargins(double left, double top, double right, double bottom) {
  m_leftMargin = left;
  m_topMargin = top;
  m_rightMargin = right;
  m_bottomMargin = bottom;
}

// ---- The job -------------------------------------------------------------------------------

bool SPrinter::StartJob() {
  std::unique_ptr<PRINTDLGA, DialogRecordDeleter> dialog(new PRINTDLGA{});
  dialog->lStructSize = sizeof(PRINTDLGA);
  dialog->hwndOwner = m_owner;
  dialog->Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
  dialog->nFromPage = 0xFFFF;
  dialog->nToPage = 0xFFFF;
  dialog->nMinPage = 1;
  dialog->nMaxPage = 0xFFFF;
  dialog->nCopies = 1;
  if (PrintDlgA(dialog.get()) != 1) return false;
  DOCINFOA document = {};
  document.cbSize = sizeof document;
  document.lpszDocName = "TAVRIN";
  if (StartDocA(dialog->hDC, &document) <= 0) {
    DeleteDC(dialog->hDC);
    return false;
  }
  if (m_owner) EnableWindow(m_owner, FALSE);
  m_dc = dialog->hDC;
  m_dialog = std::move(dialog);
  m_metrics = PrinterMetrics::Read(m_dc);
  m_pixelsPerMmX = m_metrics.PixelsPerMmX();
  m_pixelsPerMmY = m_metrics.PixelsPerMmY();
  return true;
}

bool SPrinter::EndJob() {
  if (!m_dialog) return false;
  bool ended = EndDoc(m_dc) > 0;
  DeleteDC(m_dc);
  m_dc = nullptr;
  m_dialog.reset();
  if (m_owner) EnableWindow(m_owner, TRUE);
  return ended;
}

// ---- The printable rectangle ---------------------------------------------------------------

MmRect SPrinter::GetPrintableRect() const {
  return ComputePrintableRect(m_metrics, m_leftMargin, m_topMargin, m_rightMargin, m_bottomMargin);
}

RECT SPrinter::GetPrintableRectPixels() const {
  MmRect mm = GetPrintableRect();
  return {ToPixelsX(mm.left), ToPixelsY(mm.top), ToPixelsX(mm.right), ToPixelsY(mm.bottom)};
}

// ---- Printing ------------------------------------------------------------------------------

bool SPrinter::PrintTextStream(SFile* stream) {
  if (!stream || stream->IsEnd() || !StartJob()) return false;
  while (!stream->IsEnd()) {
    StartPage(m_dc);
    SPrinterPage page(this);
    bool printedOnPage = false;
    while (!stream->IsEnd()) {
      int start = stream->GetPosition();
      SString line = stream->ReadLine(true, -1, nullptr);
      int printed = page.PrintText(line.GetText());
      printedOnPage = printedOnPage || printed > 0;
      // A blank line that finds the page full is dropped rather than
      // starting the next page blank; any other line goes on there.
      if (printed < line.GetLength()) {
        stream->Seek(start + printed);
        break;
      }
    }
    EndPage(m_dc);
    // What a fresh page takes nothing of never fits on any page.
    if (!printedOnPage) return false;
  }
  return true;
}

bool SPrinter::PrintImage(double x, double y, double width, double height, int sourceX, int sourceY,
                          int sourceWidth, int sourceHeight, const SImage* image) {
  if (!image || !image->IsLoaded() || !StartJob()) return false;
  MmRect area = GetPrintableRect();
  if (width == -1) width = area.right - area.left - x;
  if (height == -1) height = area.bottom - area.top - y;
  if (sourceWidth == -1) sourceWidth = image->GetWidth();
  if (sourceHeight == -1) sourceHeight = image->GetHeight();
  StartPage(m_dc);
  {
    SPrinterPage page(this);
    page.DrawImage(x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight, image->GetBitmap());
  }
  EndPage(m_dc);
  return true;
}

bool SPrinter::PrintRichEdit(const SWnd* control) {
  if (!control || !control->GetHwnd() || !StartJob()) return false;
  HWND edit = control->GetHwnd();
  auto twipsX = [&](int pixels) { return MulDiv(pixels, 1440, m_metrics.dpiX); };
  auto twipsY = [&](int pixels) { return MulDiv(pixels, 1440, m_metrics.dpiY); };
  FORMATRANGE range = {};
  range.hdc = range.hdcTarget = m_dc;
  range.rcPage = {0, 0, twipsX(m_metrics.paperWidth), twipsY(m_metrics.paperHeight)};
  range.rc = {twipsX(ToPixelsX(m_leftMargin)), twipsY(ToPixelsY(m_topMargin)),
              range.rcPage.right - twipsX(ToPixelsX(m_rightMargin)),
              range.rcPage.bottom - twipsY(ToPixelsY(m_bottomMargin))};
  GETTEXTLENGTHEX lengthQuery = {GTL_PRECISE | GTL_NUMCHARS, 0};
  LONG length = LONG(SendMessageA(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery), 0));
  RECT client;
  ::GetClientRect(edit, &client);
  LONG end = 0;
  bool complete = true;
  for (int pages = 0; end < length && pages < kMaxRichEditPages; pages++) {
    StartPage(m_dc);
    LONG next;
    {
      SPrinterPage page(this);
      range.chrg = {end, -1};
      next = LONG(SendMessageA(edit, EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&range)));
      SendMessageA(edit, EM_DISPLAYBAND, 0, reinterpret_cast<LPARAM>(&client));
    }
    EndPage(m_dc);
    // A control that formats nothing more would only ever give blank pages.
    if (next <= end) {
      complete = false;
      break;
    }
    end = next;
  }
  SendMessageA(edit, EM_FORMATRANGE, TRUE, 0);
  return complete;
}
