// The Printer class as applications use it: a packed program prints an
// Image's picture, a File's text lines and a RichEdit's content, each as
// one job on the test printer (Wine's PostScript driver writing to a file,
// read back with Ghostscript), with the print dialog answered as a person
// would, and cancelled once.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/DialogHarness.h"
#include "tests/e2e/PackedApp.h"
#include "tests/window/PrinterTesting.h"

namespace {

namespace pt = printer_testing;
using e2e::dialogs::PollUntil;

// The print dialog's printer list (cmb4 of the system's template).
const int kPrinterList = 0x473;

// The app's print dialog on screen, null when there is none.
HWND PrintDialogOf(const e2e::PackedApp& app) {
  HWND dialog = appboxes::FindBox(app.ProcessId(), "Print");
  return dialog && GetDlgItem(dialog, kPrinterList) ? dialog : nullptr;
}

// Waits for the app's print dialog and presses the button; false when none
// came.
bool AnswerPrintDialog(const e2e::PackedApp& app, int button) {
  HWND dialog = nullptr;
  if (!PollUntil([&] { return (dialog = PrintDialogOf(app)) != nullptr; }, 60000)) return false;
  return appboxes::PressButton(dialog, button, 10000);
}

// The text of the app's next box with the caption, which is then closed.
std::string NextBox(e2e::PackedApp& app, const char* caption) {
  HWND box = app.WaitForBox(caption);
  if (!box) return "(no box)";
  std::string text = appboxes::ReadBox(box).text;
  e2e::PackedApp::Press(box, IDOK);
  return text;
}

// A picture half red, half blue at 10, 20 mm from the margins' corner, 40 x
// 20 mm, then the same cancelled in the dialog; a File's lines; a RichEdit's
// content. Before any job: an Image without a picture and null arguments
// leave the result, a RichEdit without a window and a File at its end
// answer false, and no dialog shows.
const char kProgram[] =
    "class Application\n"
    "  Printer pr new\n"
    "  Image img new\n"
    "  Image blank new\n"
    "  Dialog d new\n"
    "  RichEdit e new\n"
    "  RichEdit idle new\n"
    "  File f new\n"
    "  File used new\n"
    "  Rectangle r new\n"
    "  Color c new\n"
    "function Void _00000000()\n"
    "  used.File.20(0)\n"
    "  Global.33(\"none=\"+pr.Printer.0(blank,10,20,40,20)+pr.Printer.0(null,10,20,40,20)+pr.Printer.1(null)+"
    "pr.Printer.1(idle)+\" end=\"+pr.Printer.2(used),\"Step\")\n"
    "  img.Image.25(100,50)\n"
    "  r.Rectangle.17(0,0,50,50)\n"
    "  c.Color.26(255)\n"
    "  img.Image.5(c,r)\n"
    "  r.Rectangle.17(50,0,100,50)\n"
    "  c.Color.26(16711680)\n"
    "  img.Image.5(c,r)\n"
    "  Global.33(\"image=\"+pr.Printer.0(img,10,20,40,20),\"Step\")\n"
    "  Global.33(\"cancel=\"+pr.Printer.0(img,10,20,40,20),\"Step\")\n"
    "  f.File.21(\"lines.txt\")\n"
    "  Global.33(\"file=\"+pr.Printer.2(f)+\" again=\"+pr.Printer.2(f),\"Step\")\n"
    "  r.Rectangle.17(20,20,420,320)\n"
    "  d.Dialog.70(r,\"PrintHost\")\n"
    "  r.Rectangle.17(10,10,300,100)\n"
    "  e.RichEdit.2(d,r,\"Rich text to print\")\n"
    "  Global.33(\"rich=\"+pr.Printer.1(e),\"Result\")\n"
    "  Global.35()\n";

TEST(PrinterClass, EachMemberPrintsOneJob) {
  std::string why;
  ASSERT_TRUE(pt::InstallTestPrinter(&why)) << why;
  pt::ClearPrintedFile();
  e2e::PackedApp app("PrinterMembers");
  std::ofstream(app.Folder() / "lines.txt", std::ios::binary) << "First line\r\nSecond line\r\n";
  std::string error;
  ASSERT_TRUE(app.Pack(kProgram, true, &error)) << error;
  ASSERT_TRUE(app.Start());

  // Nothing to print: no dialog, no job.
  HWND box = app.WaitForBox("Step");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(appboxes::ReadBox(box).text, "none=0000 end=0");
  EXPECT_EQ(PrintDialogOf(app), nullptr);
  EXPECT_EQ(pt::PrintedFileSize(), -1);
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));

  // The picture in its place on the page.
  ASSERT_TRUE(AnswerPrintDialog(app, IDOK));
  EXPECT_EQ(NextBox(app, "Step"), "image=1");
  const int dpi = 50;
  auto px = [&](double mm) { return int(mm * dpi / 25.4); };
  auto isRed = [](uint32_t c) { return (c >> 16) > 200 && (c & 0xFFFF) < 0x4040; };
  auto isBlue = [](uint32_t c) { return (c & 0xFF) > 200 && (c >> 8) < 0x4040; };
  pt::RenderedPage page = pt::RenderPrintedPage(dpi);
  ASSERT_GT(page.width, px(200));
  EXPECT_TRUE(isRed(page.At(px(40), px(55)))) << std::hex << page.At(px(40), px(55));
  EXPECT_TRUE(isBlue(page.At(px(70), px(55)))) << std::hex << page.At(px(70), px(55));
  EXPECT_EQ(page.At(px(32), px(55)), 0xFFFFFFu);
  EXPECT_EQ(page.At(px(40), px(68)), 0xFFFFFFu);
  pt::ClearPrintedFile();

  // Cancelled: false, and no job.
  ASSERT_TRUE(AnswerPrintDialog(app, IDCANCEL));
  EXPECT_EQ(NextBox(app, "Step"), "cancel=0");
  EXPECT_EQ(pt::PrintedFileSize(), -1);

  // The File's lines; printed once, the stream is at its end and the second
  // call answers false without a dialog.
  ASSERT_TRUE(AnswerPrintDialog(app, IDOK));
  EXPECT_EQ(NextBox(app, "Step"), "file=1 again=0");
  std::vector<std::string> pages = pt::ReadPrintedPages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pt::Words(pages[0]), (std::vector<std::string>{"First", "line", "Second", "line"}));
  pt::ClearPrintedFile();

  // The RichEdit's content: a whole job. Wine's rich edit formats nothing
  // for a printer, so there the job has one blank page and the answer is
  // false; where it formats, the words are on the page.
  ASSERT_TRUE(AnswerPrintDialog(app, IDOK));
  std::string rich = NextBox(app, "Result");
  pages = pt::ReadPrintedPages();
  ASSERT_EQ(pages.size(), 1u) << rich;
  if (rich == "rich=1")
    EXPECT_EQ(pt::Words(pages[0]), (std::vector<std::string>{"Rich", "text", "to", "print"}));
  else
    EXPECT_EQ(rich, "rich=0");
  DWORD code = 1;
  ASSERT_TRUE(app.WaitForExit(&code));
  EXPECT_EQ(code, 0u);
  pt::ClearPrintedFile();
}

}  // namespace
