// The selectors as a user meets them: the calendar and the system-colour
// popups on screen, and the system's own dialogs under Wine, each answered
// from a timer of the test's thread while the picker's modal loop runs -
// the dialog is found, filled in or chosen from, then confirmed or
// cancelled.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "../files/ScratchFolder.h"
#include "DialogTesting.h"
#include "InputTesting.h"
#include "ScreenshotTesting.h"
#include "WindowTesting.h"
#include "files/SKeyboard.h"
#include "window/SSelector.h"
#include "window/SSelectorColorPopup.h"
#include "window/SSelectorDatePopup.h"

namespace {

// Steps run one after another from a thread timer while a picker runs; a
// step answering false is tried again on the next tick. When the steps take
// too long, every window the picker opened is closed, so that the picker
// returns and the test fails instead of hanging.
class Answerer {
 public:
  using Step = std::function<bool()>;

  explicit Answerer(std::vector<Step> steps, HWND owner, DWORD limit = 8000)
      : m_steps(std::move(steps)), m_owner(owner), m_limit(limit), m_start(GetTickCount()) {
    s_current = this;
    m_timer = SetTimer(nullptr, 0, 40, Tick);
  }
  ~Answerer() {
    KillTimer(nullptr, m_timer);
    s_current = nullptr;
  }
  bool Finished() const { return m_next == m_steps.size(); }
  bool TimedOut() const { return m_timedOut; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Answerer* self = s_current;
    if (!self || self->m_busy) return;
    self->m_busy = true;
    if (self->m_next < self->m_steps.size()) {
      if (GetTickCount() - self->m_start > self->m_limit) {
        self->m_timedOut = true;
        self->m_next = self->m_steps.size();
        self->CloseOpenedWindows();
      } else if (self->m_steps[self->m_next]()) {
        self->m_next++;
      }
    }
    self->m_busy = false;
  }
  static BOOL CALLBACK CloseUnlessOwner(HWND window, LPARAM owner) {
    if (IsWindowVisible(window) && window != reinterpret_cast<HWND>(owner) && IsWindowEnabled(window))
      PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
  }
  void CloseOpenedWindows() {
    EnumThreadWindows(GetCurrentThreadId(), CloseUnlessOwner, reinterpret_cast<LPARAM>(m_owner));
  }

  static inline Answerer* s_current = nullptr;
  std::vector<Step> m_steps;
  HWND m_owner;
  DWORD m_limit, m_start;
  size_t m_next = 0;
  bool m_busy = false, m_timedOut = false;
  UINT_PTR m_timer = 0;
};

BOOL CALLBACK FindDialogClass(HWND window, LPARAM out) {
  char name[16];
  if (IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) && !strcmp(name, "#32770")) {
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
  }
  return TRUE;
}

// The visible dialog of the system ("#32770") on this thread, or null.
HWND FindSystemDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialogClass, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The visible framework popup of that class on this thread, or null.
template <class Popup>
Popup* FindPopup() {
  Popup* found = nullptr;
  SArray<SWnd*> windows;
  CollectThreadWindows(windows);
  for (int i = 0; i < windows.GetCount(); i++) {
    auto* popup = dynamic_cast<Popup*>(windows.GetAt(i));
    if (popup && popup->IsVisible() && popup->IsModal()) found = popup;
  }
  return found;
}

// A real left click (or two for a double-click) in the middle of a label.
void ClickMiddle(HWND label, bool twice = false) {
  RECT client;
  ::GetClientRect(label, &client);
  MoveCursorTo(label, client.right / 2, client.bottom / 2);
  if (twice)
    SKeyboard::DoubleClickLeft();
  else
    SKeyboard::ClickLeft();
}

STimer Date(int day, int month, int year) {
  STimer date;
  date.Set(day, month, year, 10, 30);
  return date;
}

class Selectors : public WindowTest {
 public:
  static void SetUpTestSuite() {
    WindowTest::SetUpTestSuite();
    s_owner = new TestWnd;
    ShowOnTop(*s_owner, 200, 150, 400, 300);
  }
  static void TearDownTestSuite() {
    delete s_owner;
    s_owner = nullptr;
    WindowTest::TearDownTestSuite();
  }

 protected:
  void SetUp() override { SetForegroundWindow(owner.GetHwnd()); }

  static inline TestWnd* s_owner = nullptr;
  TestWnd& owner = *s_owner;
};

// ---- Calendar --------------------------------------------------------------------------------

using DatePopup = SSelector::_SWndDate;

// The calendar on screen without a modal run, for its grid.
bool OpenCalendar(DatePopup& popup, HWND owner, const STimer& date) {
  RECT rect = {0, 0, 210, 161};
  if (!popup.Create(WS_POPUP | WS_BORDER | WS_VISIBLE, "", 0, &rect, owner, nullptr, const_cast<STimer*>(&date),
                    GetModuleHandleA(nullptr), false))
    return false;
  UpdateWindow(popup.GetHwnd());
  PumpFor(50);
  return true;
}

std::string Text(const SWnd& label) { return label.GetText().GetText(); }

TEST_F(Selectors, CalendarGridForItsMonths) {
  const struct {
    STimer date;
    const char* title;
    int firstCell;          // the cell of day 1
    int days;               // of the month shown
    int daysBefore;         // of the month before
  } cases[] = {
      {Date(15, 9, 2024), "September, 2024", 0, 30, 31},  // day 1 a Sunday
      {Date(15, 5, 2024), "May, 2024", 3, 31, 30},        // a Wednesday
      {Date(15, 2, 2024), "February, 2024", 4, 29, 31},   // a leap year's February
  };
  for (const auto& c : cases) {
    DatePopup popup;
    ASSERT_TRUE(OpenCalendar(popup, owner.GetHwnd(), c.date));
    SCOPED_TRACE(c.title);
    EXPECT_EQ(c.title, Text(popup.GetTitle()));
    RECT client;
    ::GetClientRect(popup.GetHwnd(), &client);
    EXPECT_EQ(210, client.right);
    EXPECT_EQ(161, client.bottom);
    EXPECT_EQ("Sun", Text(popup.GetWeekday(0)));
    EXPECT_EQ("Sat", Text(popup.GetWeekday(6)));
    for (int i = 0; i < c.firstCell; i++) {
      EXPECT_EQ(-1, popup.GetMonthOffset(i));
      EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), popup.GetDayCell(i).GetTextColor());
    }
    // Only as many days before as the week needs: the last ones of the
    // month before.
    for (int i = 0; i < c.firstCell; i++)
      EXPECT_EQ(std::to_string(c.daysBefore - c.firstCell + 1 + i), Text(popup.GetDayCell(i))) << i;
    for (int n = 1; n <= c.days; n++) {
      SMediaCtrl& cell = popup.GetDayCell(c.firstCell + n - 1);
      EXPECT_EQ(std::to_string(n), Text(cell));
      EXPECT_EQ(0, popup.GetMonthOffset(c.firstCell + n - 1));
      bool selected = n == 15;
      EXPECT_EQ(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW), cell.GetBackColor()) << n;
      EXPECT_EQ(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT), cell.GetTextColor()) << n;
    }
    // The next month's days count on from 1, in grey, to the last cell.
    for (int i = c.firstCell + c.days, n = 1; i < DatePopup::kDayCells; i++, n++) {
      EXPECT_EQ(std::to_string(n), Text(popup.GetDayCell(i)));
      EXPECT_EQ(1, popup.GetMonthOffset(i));
      EXPECT_EQ(GetSysColor(COLOR_WINDOW), popup.GetDayCell(i).GetBackColor());
      EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), popup.GetDayCell(i).GetTextColor());
    }
  }
}

// From the 31st the arrows keep a valid date, a grey day switches to its
// month with that day selected, and a double-click hands the day over.
TEST_F(Selectors, CalendarArrowsGreyDaysAndDoubleClick) {
  SSelector selector(owner.GetHwnd());
  STimer start = Date(31, 1, 2024);
  DatePopup* popup = nullptr;
  std::vector<std::string> titles;
  std::vector<int> days;
  auto note = [&] {
    titles.push_back(Text(popup->GetTitle()));
    days.push_back(popup->GetDate().GetDay());
  };
  Answerer answerer(
      {[&] { return (popup = FindPopup<DatePopup>()) != nullptr; },
       [&] {
         // The next-month arrow: January 31st becomes February 29th.
         ClickMiddle(GetDlgItem(popup->GetHwnd(), DatePopup::kNextId));
         return true;
       },
       [&] {
         if (popup->GetDate().GetMonth() != 2) return false;
         note();
         ClickMiddle(GetDlgItem(popup->GetHwnd(), DatePopup::kPreviousId));
         return true;
       },
       [&] {
         if (popup->GetDate().GetMonth() != 1) return false;
         note();
         // January 2024 starts on a Monday: cell 32 is February 1st, grey.
         ClickMiddle(popup->GetDayCell(32).GetHwnd());
         return true;
       },
       [&] {
         if (popup->GetDate().GetMonth() != 2) return false;
         note();
         // February 2024 starts on a Thursday: the 20th is cell 23.
         ClickMiddle(popup->GetDayCell(23).GetHwnd(), true);
         return true;
       }},
      owner.GetHwnd());
  bool chosen = selector.PickDate(&start);
  EXPECT_FALSE(answerer.TimedOut());
  EXPECT_TRUE(chosen);
  ASSERT_EQ(3u, titles.size());
  EXPECT_EQ("February, 2024", titles[0]);
  EXPECT_EQ(29, days[0]);
  EXPECT_EQ("January, 2024", titles[1]);
  EXPECT_EQ(29, days[1]);
  EXPECT_EQ("February, 2024", titles[2]);
  EXPECT_EQ(1, days[2]);  // the grey day pressed, selected in its month
  const STimer& date = selector.GetDate();
  EXPECT_EQ(20, date.GetDay());
  EXPECT_EQ(2, date.GetMonth());
  EXPECT_EQ(2024, date.GetYear());
  EXPECT_EQ(0, date.GetHour());  // a chosen day starts at midnight
}

// A key pressed once the calendar is open.
std::vector<Answerer::Step> KeyOnCalendar(WORD key) {
  return {[] { return FindPopup<DatePopup>() != nullptr; },
          [key] {
            PressKey(key);
            return true;
          }};
}

TEST_F(Selectors, CalendarEscapeLeavesNowAndEnterTheDate) {
  SSelector selector(owner.GetHwnd());
  STimer start = Date(10, 6, 2001);
  Answerer escape(KeyOnCalendar(VK_ESCAPE), owner.GetHwnd());
  EXPECT_FALSE(selector.PickDate(&start));
  EXPECT_FALSE(escape.TimedOut());
  STimer now;
  now.SetNow(true);
  EXPECT_EQ(now.GetYear(), selector.GetDate().GetYear());
  EXPECT_EQ(now.GetDay(), selector.GetDate().GetDay());

  Answerer enter(KeyOnCalendar(VK_RETURN), owner.GetHwnd());
  EXPECT_TRUE(selector.PickDate(&start));
  EXPECT_FALSE(enter.TimedOut());
  EXPECT_EQ(10, selector.GetDate().GetDay());
  EXPECT_EQ(2001, selector.GetDate().GetYear());
}

// The popup has no caption: it is dragged by its title and headings.
TEST_F(Selectors, CalendarDraggedByItsTitle) {
  SSelector selector(owner.GetHwnd());
  DatePopup* popup = nullptr;
  RECT before = {}, after = {};
  POINT grab = {};
  Answerer drag({[&] { return (popup = FindPopup<DatePopup>()) != nullptr; },
                 [&] {
                   ::GetWindowRect(popup->GetHwnd(), &before);
                   HWND title = popup->GetTitle().GetHwnd();
                   MoveCursorTo(title, 20, 10);
                   grab = {20, 10};
                   ::ClientToScreen(title, &grab);
                   SKeyboard::PressLeft();
                   return true;
                 },
                 [&] {
                   SendCursorTo({grab.x + 30, grab.y + 20});
                   return true;
                 },
                 [&] {
                   POINT now;
                   ::GetCursorPos(&now);
                   if (now.x != grab.x + 30) return false;
                   SKeyboard::ReleaseLeft();
                   return true;
                 },
                 [&] {
                   ::GetWindowRect(popup->GetHwnd(), &after);
                   PressKey(VK_ESCAPE);
                   return true;
                 }},
                owner.GetHwnd());
  STimer start = Date(1, 1, 2020);
  EXPECT_FALSE(selector.PickDate(&start));
  EXPECT_FALSE(drag.TimedOut());
  EXPECT_EQ(before.left + 30, after.left);
  EXPECT_EQ(before.top + 20, after.top);
}

TEST_F(Selectors, CalendarScreenshot) {
  DatePopup popup;
  ASSERT_TRUE(OpenCalendar(popup, owner.GetHwnd(), Date(15, 5, 2024)));
  HWND window = popup.GetHwnd();
  SetForegroundWindow(window);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpFor(100);
  Screenshot shot(window);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), face = GetSysColor(COLOR_BTNFACE),
                 back = GetSysColor(COLOR_WINDOW);
  // Title bar with its arrows, headings, the separator line and the grid.
  EXPECT_EQ(highlight, shot.At(window, 1, 1));
  EXPECT_EQ(highlight, shot.At(window, 208, 18));
  EXPECT_EQ(face, shot.At(window, 1, 21));
  EXPECT_EQ(RGB(0, 0, 0), shot.At(window, 100, 40));
  EXPECT_EQ(back, shot.At(window, 1, 42));
  // The 15th (cell 17: row 2, column 3) is the highlighted one.
  EXPECT_EQ(highlight, shot.At(window, 91, 82));
  EXPECT_EQ(back, shot.At(window, 61, 82));
  // Each kind of text is drawn in its colour, inside its own label.
  EXPECT_GT(shot.Count(window, {30, 0, 180, 20}, GetSysColor(COLOR_HIGHLIGHTTEXT)), 20);   // the title
  EXPECT_GT(shot.Count(window, {0, 41, 90, 61}, GetSysColor(COLOR_GRAYTEXT)), 10);         // April's days
  EXPECT_GT(shot.Count(window, {90, 81, 120, 101}, GetSysColor(COLOR_HIGHLIGHTTEXT)), 5);  // "15"
  EXPECT_GT(shot.Count(window, {0, 20, 30, 40}, GetSysColor(COLOR_BTNTEXT)), 5);           // "Sun"
  EXPECT_EQ(0, shot.Count(window, {0, 41, 210, 161}, face));
  if (HasFailure()) shot.SaveBmp(TAVRIN_IMAGE_OUT "/calendar-failed.bmp");
}

// ---- System colours --------------------------------------------------------------------------

using ColorPopup = SSelector::_SWndColor;

TEST_F(Selectors, ColorPopupOkCancelAndChoice) {
  SSelector selector(owner.GetHwnd());
  ColorPopup* popup = nullptr;
  int count = 0;
  std::string first;
  COLORREF preview = 0;
  Answerer plain({[&] { return (popup = FindPopup<ColorPopup>()) != nullptr; },
                  [&] {
                    count = popup->GetList().GetCount();
                    first = popup->GetList().GetItemText(0).GetText();
                    preview = popup->GetPreview().GetBackColor();
                    PressKey(VK_RETURN);
                    return true;
                  }},
                 owner.GetHwnd());
  EXPECT_TRUE(selector.PickColor("Colours"));
  EXPECT_FALSE(plain.TimedOut());
  EXPECT_EQ(30, count);
  EXPECT_EQ("3DDKSHADOW", first);
  EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), preview);
  EXPECT_EQ(0xFE000000u + COLOR_3DDKSHADOW, selector.GetColor());

  // Another name chosen from the keyboard: the preview follows, OK keeps it.
  std::string caption;
  Answerer chosen({[&] { return (popup = FindPopup<ColorPopup>()) != nullptr; },
                   [&] {
                     caption = popup->GetText().GetText();
                     ::SetFocus(popup->GetList().GetHwnd());
                     PressKey('W');
                     return true;
                   },
                   [&] {
                     if (popup->GetList().GetSelectedText() != "WINDOW") return false;
                     preview = popup->GetPreview().GetBackColor();
                     ClickAt(GetDlgItem(popup->GetHwnd(), ColorPopup::kOkId), 10, 10);
                     return true;
                   }},
                  owner.GetHwnd());
  EXPECT_TRUE(selector.PickColor("Pick one"));
  EXPECT_FALSE(chosen.TimedOut());
  EXPECT_EQ("Pick one", caption);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), preview);
  EXPECT_EQ(0xFE000000u + COLOR_WINDOW, selector.GetColor());

  // Cancel leaves the colour as it was.
  Answerer cancel({[&] { return (popup = FindPopup<ColorPopup>()) != nullptr; },
                   [&] {
                     ClickAt(GetDlgItem(popup->GetHwnd(), ColorPopup::kCancelId), 10, 10);
                     return true;
                   }},
                  owner.GetHwnd());
  EXPECT_FALSE(selector.PickColor("Colours"));
  EXPECT_FALSE(cancel.TimedOut());
  EXPECT_EQ(0xFE000000u + COLOR_WINDOW, selector.GetColor());
}

TEST_F(Selectors, ColorPopupNeedsAnOwner) {
  SSelector selector(nullptr);
  SArray<SWnd*> before, after;
  CollectThreadWindows(before);
  EXPECT_FALSE(selector.PickColor("Colours"));
  CollectThreadWindows(after);
  EXPECT_EQ(before.GetCount(), after.GetCount());
  EXPECT_EQ(0u, selector.GetColor());
}

// ---- The system's dialogs --------------------------------------------------------------------

// Types the name into the file dialog's name field and presses OK.
Answerer::Step TypeFileName(const char* name) {
  return [name] {
    HWND dialog = FindSystemDialog();
    if (!dialog) return false;
    HWND field = GetDlgItem(dialog, cmb13);
    if (!field) field = GetDlgItem(dialog, edt1);
    if (!field) return false;
    SetWindowTextA(field, name);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return true;
  };
}

// Presses a button of the dialog (IDOK, IDCANCEL) once it is open.
Answerer::Step PressButton(int id) {
  return [id] {
    HWND dialog = FindSystemDialog();
    if (!dialog) return false;
    PostMessageA(dialog, WM_COMMAND, id, 0);
    return true;
  };
}

class SelectorFiles : public Selectors {
 protected:
  void SetUp() override {
    Selectors::SetUp();
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
      HANDLE file = CreateFileA((folder.Path() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      ASSERT_NE(INVALID_HANDLE_VALUE, file);
      CloseHandle(file);
    }
  }
  ScratchFolder folder;
};

TEST_F(SelectorFiles, OpenOneAndThreeFilesOfAMultipleSelection) {
  SSelector selector(owner.GetHwnd());
  SStringArray filters;
  filters.Add("Text|*.txt");
  filters.Add("All Files|*.*");
  std::string start = folder.Path();
  {
    Answerer one({TypeFileName("a.txt")}, owner.GetHwnd());
    EXPECT_TRUE(selector.PickOpenFiles(OFN_ALLOWMULTISELECT, &filters, start.c_str(), "Open", 1));
    EXPECT_FALSE(one.TimedOut());
  }
  ASSERT_EQ(1, selector.GetFiles().GetCount());
  EXPECT_EQ(start + "a.txt", selector.GetFile(0).GetText());
  EXPECT_STREQ("", selector.GetFile(1).GetText());
  {
    Answerer three({TypeFileName("\"c.txt\" \"a.txt\" \"b.txt\"")}, owner.GetHwnd());
    EXPECT_TRUE(selector.PickOpenFiles(OFN_ALLOWMULTISELECT, &filters, start.c_str(), "Open", 0));
    EXPECT_FALSE(three.TimedOut());
  }
  ASSERT_EQ(3, selector.GetFiles().GetCount());
  EXPECT_EQ(start + "c.txt", selector.GetFile(0).GetText());
  EXPECT_EQ(start + "a.txt", selector.GetFile(1).GetText());
  EXPECT_EQ(start + "b.txt", selector.GetFile(2).GetText());
  {
    Answerer cancel({PressButton(IDCANCEL)}, owner.GetHwnd());
    EXPECT_FALSE(selector.PickOpenFiles(0, nullptr, start.c_str(), "Open", 0));
    EXPECT_FALSE(cancel.TimedOut());
  }
  EXPECT_EQ(0, selector.GetFiles().GetCount());
}

TEST_F(SelectorFiles, SaveTakesTheDefaultExtension) {
  SSelector selector(owner.GetHwnd());
  std::string start = folder.Path();
  {
    Answerer save({TypeFileName("report")}, owner.GetHwnd());
    EXPECT_TRUE(selector.PickSaveFile(0, nullptr, start.c_str(), "Save", 0, "txt"));
    EXPECT_FALSE(save.TimedOut());
  }
  EXPECT_EQ(start + "report.txt", selector.GetSavePath().GetText());
  {
    Answerer cancel({PressButton(IDCANCEL)}, owner.GetHwnd());
    EXPECT_FALSE(selector.PickSaveFile(0, nullptr, start.c_str(), "Save", 0, "txt"));
    EXPECT_FALSE(cancel.TimedOut());
  }
  EXPECT_STREQ("", selector.GetSavePath().GetText());
}

TEST_F(SelectorFiles, FolderComesBackWithItsSeparator) {
  SSelector selector(owner.GetHwnd());
  std::string chosen = folder.Path();
  std::string withoutSeparator = chosen.substr(0, chosen.size() - 1);
  SString result;
  {
    Answerer pick({[&] {
                    HWND dialog = FindSystemDialog();
                    if (!dialog) return false;
                    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(withoutSeparator.c_str()));
                    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                    return true;
                  }},
                  owner.GetHwnd());
    result = selector.PickFolder("Folder", chosen.c_str(), false);
    EXPECT_FALSE(pick.TimedOut());
  }
  EXPECT_EQ(chosen, result.GetText());
  EXPECT_EQ(chosen, selector.GetFolder().GetText());
  {
    Answerer cancel({PressButton(IDCANCEL)}, owner.GetHwnd());
    EXPECT_STREQ("", selector.PickFolder("Folder", chosen.c_str(), true).GetText());
    EXPECT_FALSE(cancel.TimedOut());
  }
  EXPECT_STREQ("", selector.GetFolder().GetText());
}

int CALLBACK CountFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return 1;
}

// A face with bold and italic styles that the system has.
SString InstalledFace() {
  HDC screen = GetDC(nullptr);
  SString found;
  for (const char* name : {"Tahoma", "DejaVu Sans", "Liberation Sans", "Arial"}) {
    LOGFONTA query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(query.lfFaceName, name, LF_FACESIZE);
    int count = 0;
    EnumFontFamiliesExA(screen, &query, CountFace, reinterpret_cast<LPARAM>(&count), 0);
    if (count > 0) {
      found = name;
      break;
    }
  }
  ReleaseDC(nullptr, screen);
  return found;
}

// 12 points bold italic open the dialog so; a face whose heaviest style is
// semi-bold (600) comes back without the bold bit.
TEST_F(Selectors, FontDialogStyleAndSize) {
  SSelector selector(owner.GetHwnd());
  SString face = InstalledFace();
  ASSERT_GT(face.GetLength(), 0) << "none of the usual faces is installed";
  int32_t style = 3, size = 12;
  std::string sizeShown;
  LPARAM styleShown = 0;
  Answerer answer({[&] {
                     HWND dialog = FindSystemDialog();
                     if (!dialog) return false;
                     char text[32] = "";
                     GetDlgItemTextA(dialog, cmb3, text, sizeof text);
                     sizeShown = text;
                     int selected = int(SendDlgItemMessageA(dialog, cmb2, CB_GETCURSEL, 0, 0));
                     styleShown = SendDlgItemMessageA(dialog, cmb2, CB_GETITEMDATA, selected, 0);
                     // The style entry's data is its weight and italic flag.
                     SendDlgItemMessageA(dialog, cmb2, CB_SETITEMDATA, selected, MAKELONG(600, 1));
                     SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb2, CBN_SELCHANGE),
                                  reinterpret_cast<LPARAM>(GetDlgItem(dialog, cmb2)));
                     PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                     return true;
                   }},
                  owner.GetHwnd());
  EXPECT_TRUE(selector.PickFont(&style, &face, &size));
  EXPECT_FALSE(answer.TimedOut());
  EXPECT_EQ("12", sizeShown);
  EXPECT_EQ(FW_BOLD, LOWORD(styleShown));
  EXPECT_EQ(1, HIWORD(styleShown));
  EXPECT_EQ(2, style);  // italic, not bold
  EXPECT_EQ(12, size);
  EXPECT_STREQ(InstalledFace().GetText(), face.GetText());
  EXPECT_EQ(2, selector.GetFontStyle());
  EXPECT_EQ(12, selector.GetFontSize());

  // Cancel changes nothing, null arguments included.
  Answerer cancel({PressButton(IDCANCEL)}, owner.GetHwnd());
  EXPECT_FALSE(selector.PickFont(nullptr, nullptr, nullptr));
  EXPECT_FALSE(cancel.TimedOut());
  EXPECT_EQ(12, selector.GetFontSize());
}

// A plain colour is preset and comes back on OK; a system colour word
// presets nothing, so OK gives the dialog's own starting colour.
TEST_F(Selectors, ColorDialogPresetsOnlyPlainColours) {
  SSelector selector(owner.GetHwnd());
  {
    Answerer ok({PressButton(IDOK)}, owner.GetHwnd());
    EXPECT_TRUE(selector.PickColorDialog(RGB(10, 200, 30), false, true, true));
    EXPECT_FALSE(ok.TimedOut());
  }
  EXPECT_EQ(RGB(10, 200, 30), selector.GetColor());
  {
    Answerer ok({PressButton(IDOK)}, owner.GetHwnd());
    EXPECT_TRUE(selector.PickColorDialog(0xFE000000u + COLOR_WINDOW, false, true, true));
    EXPECT_FALSE(ok.TimedOut());
  }
  EXPECT_EQ(RGB(0, 0, 0), selector.GetColor());
  {
    Answerer cancel({PressButton(IDCANCEL)}, owner.GetHwnd());
    EXPECT_FALSE(selector.PickColorDialog(RGB(1, 2, 3), true, false, false));
    EXPECT_FALSE(cancel.TimedOut());
  }
  EXPECT_EQ(RGB(0, 0, 0), selector.GetColor());
}

}  // namespace
