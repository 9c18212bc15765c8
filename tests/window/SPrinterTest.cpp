#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrinterTesting.h"
#include "WindowTesting.h"
#include "files/SFileMem.h"
#include "window/SImage.h"
#include "window/SPrinter.h"

namespace {

using namespace printer_testing;

// The words of a text, in order, whatever the spacing Ghostscript gives
// (printed spaces come back as no-break spaces, U+00A0 in UTF-8).
std::vector<std::string> WordsOfPages(const std::vector<std::string>& pages) {
  std::vector<std::string> all;
  for (const std::string& page : pages)
    for (const std::string& word : Words(page)) all.push_back(word);
  return all;
}

// A memory stream holding the text, at its start.
void Fill(SFileMem& stream, const std::string& text) {
  stream.Write(text.data(), int(text.size()));
  stream.Rewind();
}

class PrinterTest : public WindowTest {
 public:
  static void SetUpTestSuite() {
    WindowTest::SetUpTestSuite();
    installed = InstallTestPrinter(&why);
  }

 protected:
  void SetUp() override {
    ASSERT_TRUE(installed) << why;
    ClearPrintedFile();
  }

  static inline bool installed = false;
  static inline std::string why;
};

TEST(PrinterGeometry, PrintableRectangleKeepsTheMarginsFromThePaperEdge) {
  // 10 pixels to the millimetre; a printable area of 200 x 250 mm.
  PrinterMetrics metrics;
  metrics.printableWidth = 2000;
  metrics.printableHeight = 2500;
  metrics.printableWidthMm = 200;
  metrics.printableHeightMm = 250;
  struct Case {
    int strip;  // mm, on every edge
    double margin;
    MmRect expected;
  };
  const Case cases[] = {
      {5, 25, {20, 20, 180, 230}},   // the margin less the strip
      {30, 25, {30, 30, 170, 220}},  // a margin inside the strip: the strip
      {0, 25, {25, 25, 175, 225}},
      {5, 5, {0, 0, 200, 250}},
  };
  for (const Case& c : cases) {
    metrics.offsetX = metrics.offsetY = c.strip * 10;
    metrics.paperWidth = 2000 + 2 * c.strip * 10;
    metrics.paperHeight = 2500 + 2 * c.strip * 10;
    MmRect rect = ComputePrintableRect(metrics, c.margin, c.margin, c.margin, c.margin);
    EXPECT_DOUBLE_EQ(c.expected.left, rect.left) << c.strip;
    EXPECT_DOUBLE_EQ(c.expected.top, rect.top) << c.strip;
    EXPECT_DOUBLE_EQ(c.expected.right, rect.right) << c.strip;
    EXPECT_DOUBLE_EQ(c.expected.bottom, rect.bottom) << c.strip;
  }
}

TEST_F(PrinterTest, CancelledDialogLeavesNoJob) {
  TestWnd owner;
  ASSERT_TRUE(owner.Make());
  SPrinter printer;
  printer.SetOwner(owner.GetHwnd());
  SFileMem text;
  Fill(text, "Hello");
  SImage picture(4, 4);
  TestWnd edit;
  ASSERT_TRUE(edit.MakeControl("RichEdit20A", owner.GetHwnd()));
  DialogAnswerer answer(IDCANCEL);
  EXPECT_FALSE(printer.StartJob());
  EXPECT_FALSE(printer.HasJob());
  EXPECT_EQ(nullptr, printer.GetDC());
  EXPECT_TRUE(IsWindowEnabled(owner.GetHwnd()));
  EXPECT_FALSE(printer.EndJob());
  EXPECT_FALSE(printer.PrintTextStream(&text));
  EXPECT_FALSE(printer.PrintImage(0, 0, -1, -1, 0, 0, -1, -1, &picture));
  EXPECT_FALSE(printer.PrintRichEdit(&edit));
  EXPECT_FALSE(printer.HasJob());
  EXPECT_EQ(4, answer.Answered());
  // What fails before asking for a printer asks nothing.
  SFileMem empty;
  SImage none;
  TestWnd noWindow;
  EXPECT_FALSE(printer.PrintTextStream(nullptr));
  EXPECT_FALSE(printer.PrintTextStream(&empty));
  EXPECT_FALSE(printer.PrintImage(0, 0, -1, -1, 0, 0, -1, -1, &none));
  EXPECT_FALSE(printer.PrintRichEdit(&noWindow));
  EXPECT_FALSE(printer.PrintRichEdit(nullptr));
  EXPECT_EQ(4, answer.Answered());
}

TEST_F(PrinterTest, JobDisablesTheOwnerAndEndJobFreesWhatTheDialogGave) {
  TestWnd owner;
  ASSERT_TRUE(owner.Make());
  SPrinter printer;
  printer.SetOwner(owner.GetHwnd());
  DialogAnswerer answer(IDOK);
  ASSERT_TRUE(printer.StartJob());
  EXPECT_FALSE(IsWindowEnabled(owner.GetHwnd()));
  const PRINTDLGA* record = printer.GetDialogRecord();
  ASSERT_NE(nullptr, record);
  EXPECT_EQ(record->hDC, printer.GetDC());
  HGLOBAL devMode = record->hDevMode, devNames = record->hDevNames;
  ASSERT_TRUE(devMode && devNames);
  EXPECT_GT(GlobalSize(devMode), 0u);
  EXPECT_GT(GlobalSize(devNames), 0u);
  const PrinterMetrics& m = printer.GetMetrics();
  EXPECT_GT(m.printableWidth, 0);
  EXPECT_EQ(int(10 * double(m.printableWidth) / m.printableWidthMm), printer.ToPixelsX(10));
  RECT area = printer.GetPrintableRectPixels();
  MmRect mm = printer.GetPrintableRect();
  EXPECT_EQ(printer.ToPixelsX(mm.left), area.left);
  EXPECT_EQ(printer.ToPixelsY(mm.bottom), area.bottom);
  EXPECT_TRUE(printer.EndJob());
  EXPECT_FALSE(printer.HasJob());
  EXPECT_TRUE(IsWindowEnabled(owner.GetHwnd()));
  EXPECT_EQ(0u, GlobalSize(devMode)) << "the printer settings block was freed";
  EXPECT_EQ(0u, GlobalSize(devNames)) << "the printer names block was freed";
  EXPECT_FALSE(printer.EndJob());
}

TEST_F(PrinterTest, PageTextCountsTabsAndWrapsUntilThePageIsFull) {
  SPrinter printer;
  DialogAnswerer answer(IDOK);
  ASSERT_TRUE(printer.StartJob());
  StartPage(printer.GetDC());
  int filled = 0;
  {
    SPrinterPage page(&printer);
    RECT area = printer.GetPrintableRectPixels();
    EXPECT_EQ(area.left, page.GetCursorX());
    EXPECT_EQ(area.top, page.GetCursorY());
    int y = page.GetCursorY();
    EXPECT_EQ(3, page.PrintText("\t\t\t")) << "each TAB counts as one";
    int line = page.GetCursorY() - y;
    EXPECT_GT(line, 0);
    EXPECT_EQ(1, page.PrintText("")) << "an empty line prints a space";
    EXPECT_EQ(y + 2 * line, page.GetCursorY());
    EXPECT_EQ(1, page.PrintText(nullptr));
    const std::string wide(300, 'W');
    EXPECT_EQ(300, page.PrintText(wide.c_str())) << "a word wider than the line keeps its own line";
    EXPECT_EQ(y + 4 * line, page.GetCursorY());
    EXPECT_EQ(14, page.PrintText("Tabbed\tend\tEND"));
    while (page.PrintText("filler") == 6 && filled < 1000) filled++;
    EXPECT_GT(filled, 5);
    EXPECT_LT(filled, 1000);
    EXPECT_GT(page.GetCursorY() + line, area.bottom);
    EXPECT_EQ(0, page.PrintText("more")) << "a full page takes nothing";
  }
  EndPage(printer.GetDC());
  ASSERT_TRUE(printer.EndJob());
  std::vector<std::string> pages = ReadPrintedPages();
  ASSERT_EQ(1u, pages.size());
  std::vector<std::string> words = Words(pages[0]);
  ASSERT_GE(words.size(), 4u);
  EXPECT_EQ(std::string(300, 'W').substr(0, 10), words[0].substr(0, 10));
  EXPECT_EQ("Tabbed", words[1]);
  EXPECT_EQ("end", words[2]);
  EXPECT_EQ("END", words[3]);
  EXPECT_EQ(size_t(4 + filled), words.size());
}

TEST_F(PrinterTest, TextStreamPrintsWrappedLinesPageAfterPage) {
  SPrinter printer;
  printer.SetFont("arial", 36);
  std::string text = "Heading\r\n\tIndented\tby tabs\r\n\r\n";
  std::vector<std::string> expected = {"Heading", "Indented", "by", "tabs"};
  for (int i = 1; i <= 30; i++) {
    std::string line = "Line" + std::to_string(i);
    text += line + "\r\n";
    expected.push_back(line);
  }
  for (int i = 1; i <= 60; i++) {
    std::string word = "w" + std::to_string(i);
    text += word + (i < 60 ? " " : "");
    expected.push_back(word);
  }
  SFileMem stream;
  Fill(stream, text);
  DialogAnswerer answer(IDOK);
  ASSERT_TRUE(printer.PrintTextStream(&stream));
  EXPECT_TRUE(stream.IsEnd());
  ASSERT_TRUE(printer.EndJob());
  std::vector<std::string> pages = ReadPrintedPages();
  ASSERT_GE(pages.size(), 3u);
  for (const std::string& page : pages) EXPECT_FALSE(Words(page).empty()) << "no blank pages";
  EXPECT_EQ("Heading", Words(pages[0]).front());
  EXPECT_EQ(expected, WordsOfPages(pages));
}

TEST_F(PrinterTest, LineThatNeverFitsEndsThePrint) {
  struct Case {
    const char* name;
    int points;
    double top, bottom;
    const char* text;
  };
  const Case cases[] = {
      {"a font taller than the page", 2000, 25, 25, "Hello world\r\nsecond line"},
      {"margins that leave no room", 11, 150, 150, "Hello world\r\nsecond line"},
      {"blank lines only, with no room", 11, 150, 150, "\r\n\r\n\r\n"},
  };
  for (const Case& c : cases) {
    ClearPrintedFile();
    SPrinter printer;
    printer.SetFont("arial", c.points);
    printer.SetMargins(25, c.top, 25, c.bottom);
    SFileMem stream;
    Fill(stream, c.text);
    DialogAnswerer answer(IDOK);
    EXPECT_FALSE(printer.PrintTextStream(&stream)) << c.name;
    EXPECT_TRUE(printer.EndJob()) << c.name;
    EXPECT_LE(ReadPrintedPages().size(), 1u) << c.name;
  }
}

TEST_F(PrinterTest, BlankLinesMeetingAFullPageAreDroppedAndThePrintGoesOn) {
  // A handful of lines fill a page at this size; the blank lines after
  // the first fill it and then find it full, many more than ten of them.
  SPrinter printer;
  printer.SetFont("arial", 100);
  std::string text = "A1\r\n";
  for (int i = 0; i < 20; i++) text += "\r\n";
  text += "B2";
  SFileMem stream;
  Fill(stream, text);
  DialogAnswerer answer(IDOK);
  EXPECT_TRUE(printer.PrintTextStream(&stream));
  ASSERT_TRUE(printer.EndJob());
  std::vector<std::string> pages = ReadPrintedPages();
  ASSERT_EQ(2u, pages.size());
  EXPECT_EQ(std::vector<std::string>{"A1"}, Words(pages[0]));
  EXPECT_EQ(std::vector<std::string>{"B2"}, Words(pages[1]));
}

TEST_F(PrinterTest, PictureIsPlacedInTheMarginsAndCutAtTheirEdge) {
  SImage picture(100, 50);
  Gdiplus::Rect left(0, 0, 50, 50), right(50, 0, 50, 50);
  picture.FillRect(0xFFFF0000, &left);
  picture.FillRect(0xFF0000FF, &right);
  const int dpi = 50;
  auto px = [&](double mm) { return int(mm * dpi / 25.4); };
  auto isRed = [](uint32_t c) { return (c >> 16) > 200 && (c & 0xFFFF) < 0x4040; };
  auto isBlue = [](uint32_t c) { return (c & 0xFF) > 200 && (c >> 8) < 0x4040; };
  auto isWhite = [](uint32_t c) { return c == 0xFFFFFF; };
  {
    SPrinter printer;
    DialogAnswerer answer(IDOK);
    // 40 x 20 mm at 10, 20 mm from the margins' corner (25, 25).
    ASSERT_TRUE(printer.PrintImage(10, 20, 40, 20, 0, 0, -1, -1, &picture));
    ASSERT_TRUE(printer.EndJob());
    ASSERT_EQ(0, printer.GetMetrics().offsetX) << "the test printer prints to the paper's edge";
    RenderedPage page = RenderPrintedPage(dpi);
    ASSERT_GT(page.width, px(200));
    EXPECT_TRUE(isRed(page.At(px(40), px(55)))) << std::hex << page.At(px(40), px(55));
    EXPECT_TRUE(isBlue(page.At(px(70), px(55)))) << std::hex << page.At(px(70), px(55));
    EXPECT_TRUE(isWhite(page.At(px(32), px(55))));
    EXPECT_TRUE(isWhite(page.At(px(78), px(55))));
    EXPECT_TRUE(isWhite(page.At(px(40), px(42))));
    EXPECT_TRUE(isWhite(page.At(px(40), px(68))));
  }
  ClearPrintedFile();
  {
    SPrinter printer;
    DialogAnswerer answer(IDOK);
    // Far too wide: cut at the right margin (190 mm from the paper's edge).
    ASSERT_TRUE(printer.PrintImage(0, 0, 500, 10, 50, 0, 50, 50, &picture));
    ASSERT_TRUE(printer.EndJob());
    RenderedPage page = RenderPrintedPage(dpi);
    ASSERT_GT(page.width, px(200));
    EXPECT_TRUE(isBlue(page.At(px(186), px(30))));
    EXPECT_TRUE(isWhite(page.At(px(194), px(30))));
  }
}

TEST_F(PrinterTest, RichEditPrintEndsEvenWhenTheControlFormatsNothing) {
  TestWnd parent, edit;
  ASSERT_TRUE(parent.Make());
  ASSERT_TRUE(edit.MakeControl("RichEdit20A", parent.GetHwnd(), ES_MULTILINE));
  // Whether this system's rich edit formats for a device at all (Wine's
  // does not).
  SetWindowTextA(edit.GetHwnd(), "Rich text to print");
  HDC screen = GetDC(nullptr);
  FORMATRANGE probe = {};
  probe.hdc = probe.hdcTarget = screen;
  probe.rcPage = probe.rc = {0, 0, 1440 * 8, 1440 * 10};
  probe.chrg = {0, -1};
  bool formats = SendMessageA(edit.GetHwnd(), EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&probe)) > 0;
  SendMessageA(edit.GetHwnd(), EM_FORMATRANGE, FALSE, 0);
  ReleaseDC(nullptr, screen);

  SPrinter printer;
  DialogAnswerer answer(IDOK);
  EXPECT_EQ(formats, printer.PrintRichEdit(&edit));
  ASSERT_TRUE(printer.EndJob());
  std::vector<std::string> pages = ReadPrintedPages();
  if (formats) {
    ASSERT_EQ(1u, pages.size());
    EXPECT_EQ((std::vector<std::string>{"Rich", "text", "to", "print"}), Words(pages[0]));
  } else {
    EXPECT_LE(pages.size(), 1u) << "one page tried, then the print stops";
  }

  // Nothing to print: no page, and done.
  ClearPrintedFile();
  SetWindowTextA(edit.GetHwnd(), "");
  EXPECT_TRUE(printer.PrintRichEdit(&edit));
  EXPECT_TRUE(printer.EndJob());
  EXPECT_TRUE(ReadPrintedPages().empty());
}

}  // namespace
