// SPrinter: one print job on a printer that the user picks in the system
// print dialog, and SPrinterPage, the page being printed.
//
// A job prints a text stream (lines wrapped at the margins, page after
// page), a picture, or the content of a rich edit. Every print operation
// starts its own job, asking the user for a printer; the holder ends each one
// with EndJob. All lengths given are millimetres, turned into device pixels
// with the printer's resolution; the device context's origin is the corner
// of the printable area, not of the paper.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <memory>

#include "core/SString.h"

class SFile;
class SImage;
class SWnd;

namespace Gdiplus {
class Bitmap;
}

// The print dialog record (the header packs it) and the document record as
// the system reads them on 32-bit Windows.
static_assert(sizeof(PRINTDLGA) == 66 || sizeof(void*) != 4, "PRINTDLGA is packed to 66 bytes");
static_assert(sizeof(DOCINFOA) == 20 || sizeof(void*) != 4, "DOCINFOA is 20 bytes");

// What GetDeviceCaps tells of the job's printer, in device pixels except
// the printable size in millimetres.
struct PrinterMetrics {
  int printableWidth = 0, printableHeight = 0;      // HORZRES, VERTRES
  int printableWidthMm = 0, printableHeightMm = 0;  // HORZSIZE, VERTSIZE
  int paperWidth = 0, paperHeight = 0;              // PHYSICALWIDTH, PHYSICALHEIGHT
  int offsetX = 0, offsetY = 0;                     // PHYSICALOFFSETX, PHYSICALOFFSETY: unprintable strips
  int dpiX = 0, dpiY = 0;                           // LOGPIXELSX, LOGPIXELSY

  static PrinterMetrics Read(HDC dc);
  double PixelsPerMmX() const { return printableWidthMm > 0 ? double(printableWidth) / printableWidthMm : 0; }
  double PixelsPerMmY() const { return printableHeightMm > 0 ? double(printableHeight) / printableHeightMm : 0; }
};

// A rectangle in millimetres.
struct MmRect {
  double left, top, right, bottom;
};

// The area within the margins, in millimetres in the device context's
// coordinates. A margin narrower than the unprintable strip of its edge is
// taken as that strip.
MmRect ComputePrintableRect(const PrinterMetrics& metrics, double leftMargin, double topMargin, double rightMargin,
                            double bottomMargin);

class SPrinter {
 public:
  static constexpr const char* kDefaultFontFace = "arial";
  static constexpr int kDefaultFontSize = 11;  // points
  static constexpr double kDefaultMargin = 25.0;  // millimetres
  // A rich edit never prints more pages than this.
  static constexpr int kMaxRichEditPages = 1001;

  SPrinter();
  virtual ~SPrinter();
  SPrinter(const SPrinter&) = delete;
  SPrinter& operator=(const SPrinter&) = delete;

  // Frees the dialog record, forgets the DC (without deleting it) and sets
  // font, colour and margins back to their defaults. Ends no job.
  void Reset();

  // ---- The job -------------------------------------------------------------------------------

  // Asks for a printer (PrintDlgA) and opens the document "TAVRIN" on it;
  // false, with no job left open, when the dialog is cancelled or fails or
  // the document cannot be started. The owner window stays disabled until
  // EndJob.
  bool StartJob();
  // Closes the document: false without a job, else whether EndDoc
  // succeeded; the DC, the dialog record and what the dialog handed back
  // are freed and the owner enabled again in any case.
  bool EndJob();
  bool HasJob() const { return m_dialog != nullptr; }

  // ---- Settings ------------------------------------------------------------------------------

  void SetOwner(HWND owner) { m_owner = owner; }
  HWND GetOwner() const { return m_owner; }
  void SetFont(const char* face, int points);
  const SString& GetFontFace() const { return m_fontFace; }
  int GetFontSize() const { return m_fontSize; }
  void SetTextColor(COLORREF color) { m_textColor = color; }
  COLORREF GetTextColor() const { return m_textColor; }
  void SetMargins(double left, double top, double right, double bottom);
  double GetLeftMargin() const { return m_leftMargin; }
  double GetTopMargin() const { return m_topMargin; }
  double GetRightMargin() const { return m_rightMargin; }
  double GetBottomMargin() const { return m_bottomMargin; }

  // ---- The job's device ----------------------------------------------------------------------

  HDC GetDC() const { return m_dc; }
  const PrinterMetrics& GetMetrics() const { return m_metrics; }
  // The print dialog record of the running job, or null.
  const PRINTDLGA* GetDialogRecord() const { return m_dialog.get(); }
  MmRect GetPrintableRect() const;
  RECT GetPrintableRectPixels() const;
  int ToPixelsX(double mm) const { return int(mm * m_pixelsPerMmX); }
  int ToPixelsY(double mm) const { return int(mm * m_pixelsPerMmY); }

  // ---- Printing (each starts a job of its own) ----------------------------------------------

  // Line after line, wrapped at the margins, a new page where one is full;
  // blank lines that meet a full page are dropped. False for a null or
  // used-up stream, when no job starts, and when the text cannot be printed:
  // a fresh page takes nothing of the next line (a font taller than the
  // page, or margins that leave no room). The job stays open.
  bool PrintTextStream(SFile* stream);
  // The source rectangle of the picture (pixels; -1 sizes: the picture's)
  // into x, y, width, height (millimetres from the printable area's corner;
  // -1 sizes: to its right or bottom edge), on one page.
  bool PrintImage(double x, double y, double width, double height, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, const SImage* image);
  // The rich edit's content through EM_FORMATRANGE, page after page. False
  // when the control has no window, no job starts, or the control stops
  // formatting before its end (what it could not format is not printed).
  bool PrintRichEdit(const SWnd* control);

 private:
  struct DialogRecordDeleter {
    void operator()(PRINTDLGA* record) const;
  };

  HWND m_owner;
  std::unique_ptr<PRINTDLGA, DialogRecordDeleter> m_dialog;
  SString m_defaultFontFace;
  int m_defaultFontSize;
  SString m_fontFace;
  int m_fontSize;
  COLORREF m_textColor;
  double m_leftMargin, m_topMargin, m_rightMargin, m_bottomMargin;
  HDC m_dc;
  PrinterMetrics m_metrics;
  double m_pixelsPerMmX, m_pixelsPerMmY;
};

// The page being printed: a text cursor in device pixels from the printable
// area's origin, and the drawing operations.
class SPrinterPage {
 public:
  explicit SPrinterPage(SPrinter* printer);
  virtual ~SPrinterPage() = default;

  // TextOutA at a point given in millimetres.
  void TextOutAt(double x, double y, const char* text);
  // The source rectangle (pixels) of the bitmap into the destination (mm,
  // from the printable area's corner), cut at the printable area's right
  // and bottom edges.
  void DrawImage(double x, double y, double width, double height, int sourceX, int sourceY, int sourceWidth,
                 int sourceHeight, Gdiplus::Bitmap* bitmap);
  // Prints the text from the cursor on, word-wrapped at the printable
  // area's right edge, until it is used up or the page is full; answers how
  // many of its characters were printed (a TAB, printed as four spaces,
  // counts as one; an empty text prints one space and counts 1).
  int PrintText(const char* text);

  int GetCursorX() const { return m_cursorX; }
  int GetCursorY() const { return m_cursorY; }

 private:
  void TextOutPixels(int x, int y, const SString& text);

  SPrinter* m_printer;
  int m_cursorX, m_cursorY;
};
