// The rich edit as a user and a program meet it: a real control on a
// parent on screen, its content streamed through memory, its selection,
// clipboard and character format, and the parent's events.
#include <windows.h>

#include <richedit.h>

#include <string>
#include <vector>

#include "../InputTesting.h"
#include "../WindowTesting.h"
#include "ControlTesting.h"
#include "../ScreenshotTesting.h"
#include "files/SClipboard.h"
#include "files/SFileMem.h"
#include "window/ControlNotify.h"
#include "window/controls/SRichEditCtrl.h"

namespace {

const UINT kRichMouse = 0x8C94, kRichChanged = 0x8C95;

static_assert(sizeof(CHARFORMATA) == 60, "the size the control is told");

// A memory stream that takes at most limit bytes in all, as a full disk
// would.
class ShortStream : public SFileMem {
 public:
  explicit ShortStream(int limit) : m_limit(limit) {}
  int Write(const void* bytes, int n) override {
    int room = m_limit - GetSize();
    return SFileMem::Write(bytes, n < room ? n : room);
  }

 private:
  int m_limit;
};

// A memory stream that gives at most limit bytes and then nothing, though
// it still holds more, as a failing disk would.
class BrokenStream : public SFileMem {
 public:
  explicit BrokenStream(int limit) : m_limit(limit) {}
  int Read(void* buffer, int n) override {
    int room = m_limit - GetPosition();
    return room > 0 ? SFileMem::Read(buffer, n < room ? n : room) : 0;
  }

 private:
  int m_limit;
};

// The stream holds the bytes, its position at the start.
void Fill(SFileMem& stream, const std::string& bytes) {
  stream.Allocate(0);
  stream.Write(bytes.data(), int(bytes.size()));
  stream.Seek(0);
}

std::string BytesOf(const SFileMem& stream) {
  return std::string(reinterpret_cast<const char*>(stream.GetData()), size_t(stream.GetSize()));
}

class RichEditControl : public ParentOnScreen<RichEditControl> {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, parent.GetHwnd());
    RECT rect = {10, 10, 330, 210};
    ASSERT_TRUE(rich.Create("", WS_VISIBLE, 0, &rect, parent.GetHwnd(), 3));
    parent.Forget();
  }

  std::string Text() const {
    char text[1024] = {};
    GetWindowTextA(rich.GetHwnd(), text, sizeof text);
    return text;
  }
  void SetText(const char* text) { SetWindowTextA(rich.GetHwnd(), text); }
  CHARFORMATA FormatAt(int start, int count) {
    rich.SetSel(start, count);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    rich.SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
  }

  SRichEditCtrl rich;
};

TEST_F(RichEditControl, IsAMultiLineRichEditThatAsksForChanges) {
  char name[32] = {};
  GetClassNameA(rich.GetHwnd(), name, sizeof name);
  EXPECT_STRCASEEQ("RichEdit20A", name);
  EXPECT_EQ(33, rich.GetType());
  EXPECT_TRUE(GetWindowLongA(rich.GetHwnd(), GWL_STYLE) & ES_MULTILINE);
  EXPECT_EQ(LRESULT(ENM_CHANGE | ENM_SCROLL | ENM_KEYEVENTS | ENM_MOUSEEVENTS),
            rich.SendMessage(EM_GETEVENTMASK, 0, 0));
}

TEST_F(RichEditControl, LoadingReplacesTheWholeContent) {
  EXPECT_FALSE(rich.LoadStream(nullptr, false));
  SetText("old content that is longer");
  SFileMem text;
  Fill(text, "new text");
  ASSERT_TRUE(rich.LoadStream(&text, false));
  EXPECT_EQ("new text", Text());

  // RTF from where the stream stands.
  SFileMem rtf;
  Fill(rtf, "skip{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain {\\b bold}}");
  rtf.Seek(4);
  rich.SetSel(2, 1);  // a selection does not matter either
  ASSERT_TRUE(rich.LoadStream(&rtf, true));
  EXPECT_EQ("plain bold", Text());
  EXPECT_FALSE(FormatAt(0, 5).dwEffects & CFE_BOLD);
  EXPECT_TRUE(FormatAt(6, 4).dwEffects & CFE_BOLD);
  // Without a colour of its own the text shows in the window text colour.
  rich.SetSel(6, 4);
  LOGFONTA font;
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), rich.GetSelectionFormat(font));

  // An empty stream leaves an empty control.
  SFileMem empty;
  Fill(empty, "");
  ASSERT_TRUE(rich.LoadStream(&empty, false));
  EXPECT_EQ("", Text());
}

TEST_F(RichEditControl, ContentRoundTripsThroughMemoryAsTextAndRtf) {
  SFileMem in;
  Fill(in, "caf\xE9 first line\r\nsecond line");
  ASSERT_TRUE(rich.LoadStream(&in, false));
  rich.SetSel(5, 5);
  ASSERT_TRUE(rich.SetSelectionFormat(14, RGB(200, 0, 0), "Courier New", 1 | 2));

  SFileMem text;
  ASSERT_TRUE(rich.SaveStream(&text, false));
  EXPECT_EQ("caf\xE9 first line\r\nsecond line", BytesOf(text));

  SFileMem rtf;
  ASSERT_TRUE(rich.SaveStream(&rtf, true));
  std::string written = BytesOf(rtf);
  EXPECT_EQ(0u, written.find("{\\rtf"));
  EXPECT_EQ(rtf.GetSize(), int(written.size())) << "every byte the control gave";
  SRichEditCtrl other;
  RECT rect = {10, 10, 330, 210};
  ASSERT_TRUE(other.Create("", 0, 0, &rect, parent.GetHwnd(), 4));
  rtf.Seek(0);
  ASSERT_TRUE(other.LoadStream(&rtf, true));
  SFileMem again;
  ASSERT_TRUE(other.SaveStream(&again, false));
  EXPECT_EQ("caf\xE9 first line\r\nsecond line", BytesOf(again));
  other.SetSel(5, 5);
  LOGFONTA font;
  EXPECT_EQ(RGB(200, 0, 0), other.GetSelectionFormat(font));
  EXPECT_STREQ("Courier New", font.lfFaceName);
  EXPECT_EQ(FW_BOLD, font.lfWeight);
  EXPECT_TRUE(font.lfItalic);
  EXPECT_FALSE(font.lfUnderline);

  // For unrtf, after the run: the RTF and the text it must read from it.
  std::string out = std::string(TAVRIN_IMAGE_OUT) + "/rich-out";
  SFileMem plain;
  Fill(plain, "caf\xE9 first line\nsecond line\n");
  EXPECT_TRUE(rtf.SaveFile((out + ".rtf").c_str()));
  EXPECT_TRUE(plain.SaveFile((out + ".txt").c_str()));
}

TEST_F(RichEditControl, AStreamThatFailsToWriteIsReported) {
  SetText("a text long enough to need more than a few bytes of RTF around it");
  for (bool asRtf : {false, true}) {
    SCOPED_TRACE(asRtf);
    ShortStream full(10);
    EXPECT_FALSE(rich.SaveStream(&full, asRtf));
    EXPECT_EQ(10, full.GetSize()) << "what the stream took stays";
    ShortStream roomy(100000);
    EXPECT_TRUE(rich.SaveStream(&roomy, asRtf));
    EXPECT_GT(roomy.GetSize(), 10);
  }
  EXPECT_FALSE(rich.SaveStream(nullptr, true));
}

TEST_F(RichEditControl, AStreamThatFailsToReadIsReported) {
  std::string bytes(900, 'x');
  for (bool asRtf : {false, true}) {
    SCOPED_TRACE(asRtf);
    BrokenStream broken(300);
    Fill(broken, asRtf ? "{\\rtf1\\ansi " + bytes + "}" : bytes);
    EXPECT_FALSE(rich.LoadStream(&broken, asRtf));
    BrokenStream whole(1 << 20);
    Fill(whole, asRtf ? "{\\rtf1\\ansi " + bytes + "}" : bytes);
    EXPECT_TRUE(rich.LoadStream(&whole, asRtf));
    EXPECT_EQ(bytes, Text());
  }
}

TEST_F(RichEditControl, SelectionRanges) {
  SetText("Hello world");  // 11 characters
  // The control's own end: its final paragraph mark may count.
  rich.SelectAll();
  EXPECT_EQ(0, rich.GetSelStart());
  const int end = rich.GetSelLength();
  ASSERT_GE(end, 11);
  const struct {
    int start, count, selStart, selLength;
  } cases[] = {{2, -1, 2, end - 2}, {0, 5, 0, 5}, {4, 0, 4, 0}, {6, 100, 6, end - 6}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << "," << c.count);
    rich.SetSel(c.start, c.count);
    EXPECT_EQ(c.selStart, rich.GetSelStart());
    EXPECT_EQ(c.selLength, rich.GetSelLength());
  }
  // A negative start lands after the last character, whatever the count.
  for (int start : {-1, -7}) {
    rich.SetSel(start, 3);
    EXPECT_EQ(11, rich.GetSelStart());
    EXPECT_EQ(0, rich.GetSelLength());
  }
  rich.SetSel(3, 4);
  rich.CollapseSelection();
  EXPECT_EQ(3, rich.GetSelStart());
  EXPECT_EQ(0, rich.GetSelLength());
}

TEST_F(RichEditControl, SelectedTextIsReadBackExactly) {
  SetText("caf\xE9 \xE0 la cr\xE8me");
  const struct {
    int start, count;
    const char* text;
  } cases[] = {{0, -1, "caf\xE9 \xE0 la cr\xE8me"}, {3, 3, "\xE9 \xE0"}, {4, 0, ""}, {-1, 0, ""}, {13, -1, "me"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start);
    rich.SetSel(c.start, c.count);
    EXPECT_STREQ(c.text, rich.GetSelectedText().GetText());
  }
}

TEST_F(RichEditControl, ClipboardExchangesThePlainSelection) {
  SetText("one two three");
  rich.SetSel(4, 3);
  rich.CopySelection();
  EXPECT_STREQ("two", SClipboard::GetText().GetText());
  EXPECT_EQ("one two three", Text());
  rich.SetSel(0, 4);
  rich.CutSelection();
  EXPECT_STREQ("one ", SClipboard::GetText().GetText());
  EXPECT_EQ("two three", Text());
  rich.SetSel(-1, 0);
  rich.PasteText();
  EXPECT_EQ("two threeone ", Text());
  rich.Undo();
  EXPECT_EQ("two three", Text());
  rich.Redo();
  EXPECT_EQ("two threeone ", Text());
  rich.SetSel(0, 3);
  rich.ReplaceSelection("2");
  rich.SetSel(1, 6);
  rich.DeleteSelection();
  EXPECT_EQ("2one ", Text());
  rich.Undo();
  EXPECT_EQ("2 threeone ", Text());
}

TEST_F(RichEditControl, SelectionFormatSetsOnlyWhatIsGiven) {
  SetText("format me please");
  rich.SetSel(0, 6);
  ASSERT_TRUE(rich.SetSelectionFormat(10.5, RGB(1, 2, 3), "Arial", 4 | 8 | 16));
  CHARFORMATA format = FormatAt(0, 6);
  EXPECT_EQ(210, format.yHeight);
  EXPECT_EQ(RGB(1, 2, 3), format.crTextColor);
  EXPECT_STREQ("Arial", format.szFaceName);
  EXPECT_EQ(DWORD(CFE_UNDERLINE | CFE_STRIKEOUT), format.dwEffects & 0xF);
  LOGFONTA font;
  rich.SetSel(0, 6);
  EXPECT_EQ(RGB(1, 2, 3), rich.GetSelectionFormat(font));
  EXPECT_STREQ("Arial", font.lfFaceName);
  EXPECT_TRUE(font.lfUnderline && font.lfStrikeOut);
  EXPECT_NE(FW_BOLD, font.lfWeight);

  // Nothing asked: nothing sent, nothing changed.
  EXPECT_FALSE(rich.SetSelectionFormat(-1, 0xFF000000, "", -1));
  EXPECT_FALSE(rich.SetSelectionFormat(-1, 0xFF000000, nullptr, -1));
  format = FormatAt(0, 6);
  EXPECT_EQ(210, format.yHeight);
  EXPECT_EQ(RGB(1, 2, 3), format.crTextColor);

  // One part at a time keeps the others.
  rich.SetSel(0, 6);
  ASSERT_TRUE(rich.SetSelectionFormat(-1, 0xFF000000, "", 1));
  format = FormatAt(0, 6);
  EXPECT_EQ(DWORD(CFE_BOLD), format.dwEffects & 0xF);
  EXPECT_EQ(210, format.yHeight);
  EXPECT_STREQ("Arial", format.szFaceName);

  // A face of 40 characters is cut to the 31 the field holds.
  std::string face(40, 'F');
  rich.SetSel(7, 2);
  ASSERT_TRUE(rich.SetSelectionFormat(-1, 0xFF000000, face.c_str(), -1));
  format = FormatAt(7, 2);
  EXPECT_EQ(std::string(31, 'F'), format.szFaceName);
  rich.SetSel(7, 2);
  rich.GetSelectionFormat(font);
  EXPECT_EQ(std::string(31, 'F'), font.lfFaceName);
}

TEST_F(RichEditControl, MouseReportsLeaveOutTheLeftPress) {
  const struct {
    UINT message;
    int32_t code;
  } cases[] = {{WM_LBUTTONDOWN, 0}, {WM_LBUTTONUP, 17}, {WM_RBUTTONDOWN, 12}, {WM_MBUTTONDBLCLK, 66}, {0x83F8, 33}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::vector<int32_t> codes;
    parent.handler = [&](UINT message, WPARAM, LPARAM lparam, LRESULT*) {
      if (message == kRichMouse) codes.push_back(reinterpret_cast<ControlMouseRecord*>(lparam)->code);
      return false;
    };
    rich.SendMessage(c.message, 0, MAKELPARAM(5, 5));
    if (c.code == 0) {
      EXPECT_TRUE(codes.empty());
    } else {
      ASSERT_FALSE(codes.empty());
      EXPECT_EQ(c.code, codes.front());
    }
  }
  ReleaseCapture();
  parent.handler = nullptr;
}

TEST_F(RichEditControl, EveryChangeReachesTheParentWithoutTheFocus) {
  SetFocus(parent.GetHwnd());
  ASSERT_NE(rich.GetHwnd(), GetFocus());
  parent.Forget();
  rich.ReplaceSelection("typed");
  SFileMem text;
  Fill(text, "loaded");
  rich.LoadStream(&text, false);
  PumpMessages();
  ASSERT_GE(parent.Count(kRichChanged), 2);
  EXPECT_EQ(reinterpret_cast<WPARAM>(&rich), parent.Last(kRichChanged)->wparam);
  EXPECT_EQ(0, parent.Last(kRichChanged)->lparam);
}

TEST_F(RichEditControl, PrintingDrawsTheContentOnTheWindowColour) {
  SetText("Ink");
  rich.SelectAll();
  rich.SetSelectionFormat(20, RGB(0, 0, 0), "", 1);
  HDC measuring = CreateCompatibleDC(nullptr);
  std::vector<uint32_t> pixels = Render(320, 200, [&](HDC dc) {
    FillWith(dc, 320, 200, RGB(128, 128, 128));
    rich.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
  COLORREF window = GetSysColor(COLOR_WINDOW);
  uint32_t windowPixel = GetRValue(window) << 16 | GetGValue(window) << 8 | GetBValue(window);
  int background = 0, ink = 0;
  for (int i = 0; i < 320 * 200; i++) {
    background += pixels[i] == windowPixel;
    ink += pixels[i] == 0;
  }
  EXPECT_GT(background, 320 * 200 * 9 / 10) << "the grey is covered";
  // Wine's rich edit formats nothing for a printer (EM_FORMATRANGE answers
  // 0 even when only measuring): there the window colour is all there is.
  FORMATRANGE measure = {measuring, measuring, {0, 0, 4800, 3000}, {0, 0, 4800, 3000}, {0, -1}};
  bool formats = rich.SendMessage(EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&measure)) > 0;
  rich.SendMessage(EM_FORMATRANGE, FALSE, 0);
  if (formats) EXPECT_GT(ink, 20) << "the text";
  DeleteDC(measuring);
}

}  // namespace
