// The shared message handling: clicks, command keys, key forwarding, size
// states, closing a modal window, the double-buffered erase, dropped files,
// colour questions and the messages to descendants.
#include "WindowTesting.h"

#include <shlobj.h>

#include <string>
#include <vector>

#include "core/SStringArray.h"
#include "window/MessageLoop.h"

namespace {

class SWndMessages : public WindowTest {};

// ---- Clicks --------------------------------------------------------------------------------

TEST_F(SWndMessages, ClickNeedsDownAndUpOverTheSameWindow) {
  TestWnd a, b;
  ASSERT_TRUE(a.Make());
  ASSERT_TRUE(b.Make());
  const struct {
    UINT down, up, click;
  } buttons[] = {
      {WM_LBUTTONDOWN, WM_LBUTTONUP, kLeftClickMessage},
      {WM_MBUTTONDOWN, WM_MBUTTONUP, kMiddleClickMessage},
      {WM_RBUTTONDOWN, WM_RBUTTONUP, kRightClickMessage},
      {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, kNonClientLeftClickMessage},
      {WM_NCMBUTTONDOWN, WM_NCMBUTTONUP, kNonClientMiddleClickMessage},
      {WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, kNonClientRightClickMessage},
  };
  for (const auto& button : buttons) {
    SCOPED_TRACE(button.down);
    a.Forget();
    b.Forget();
    SendMessageA(a.GetHwnd(), button.down, 0, PointParam(7, 9));
    SendMessageA(a.GetHwnd(), button.up, 0, PointParam(7, 9));
    ASSERT_EQ(1, a.Count(button.click));
    EXPECT_EQ(0u, a.Last(button.click)->wparam);
    EXPECT_EQ(PointParam(7, 9), a.Last(button.click)->lparam);
    EXPECT_TRUE(a.Saw(button.up));  // the button-up itself still goes on

    // Down in a, up in b: a click for neither.
    SendMessageA(a.GetHwnd(), button.down, 0, 0);
    SendMessageA(b.GetHwnd(), button.up, 0, 0);
    SendMessageA(a.GetHwnd(), button.up, 0, 0);  // b's up forgot a's down
    EXPECT_EQ(1, a.Count(button.click));
    EXPECT_EQ(0, b.Count(button.click));

    // A loss of focus forgets every button that went down.
    SendMessageA(a.GetHwnd(), button.down, 0, 0);
    SendMessageA(b.GetHwnd(), WM_KILLFOCUS, 0, 0);
    SendMessageA(a.GetHwnd(), button.up, 0, 0);
    EXPECT_EQ(1, a.Count(button.click));
  }

  // A move with the button no longer held forgets its down.
  a.Forget();
  SendMessageA(a.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageA(a.GetHwnd(), WM_MOUSEMOVE, 0, 0);
  SendMessageA(a.GetHwnd(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(0, a.Count(kLeftClickMessage));
  SendMessageA(a.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageA(a.GetHwnd(), WM_MOUSEMOVE, MK_LBUTTON, 0);
  SendMessageA(a.GetHwnd(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(1, a.Count(kLeftClickMessage));

  // Registering the window classes forgets them too.
  SendMessageA(a.GetHwnd(), WM_RBUTTONDOWN, 0, 0);
  ClearClickTracking();
  SendMessageA(a.GetHwnd(), WM_RBUTTONUP, 0, 0);
  EXPECT_EQ(0, a.Count(kRightClickMessage));
}

// ---- Keys ----------------------------------------------------------------------------------

// Holds modifier keys down for real, so that the keyboard state that the
// handling reads says so; releases them and drops the input at the end.
class HeldKeys {
 public:
  explicit HeldKeys(int modifiers) : m_modifiers(modifiers) {
    if (m_modifiers & 2) keybd_event(VK_CONTROL, 0, 0, 0);
    if (m_modifiers & 1) keybd_event(VK_SHIFT, 0, 0, 0);
  }
  ~HeldKeys() {
    if (m_modifiers & 1) keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    if (m_modifiers & 2) keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    FlushInputMessages();
  }

 private:
  int m_modifiers;
};

TEST_F(SWndMessages, CommandKeysReachTheirHooksThroughTheMask) {
  TestWnd window;
  ASSERT_TRUE(window.Make());
  const struct {
    int modifiers;  // 1 Shift, 2 Ctrl
    WPARAM key;
    uint32_t mask;
    const char* hook;
  } cases[] = {
      {0, VK_ESCAPE, kShortcutEscape, "escape "},
      {0, VK_DELETE, kShortcutDelete, "delete "},
      {1, VK_DELETE, kShortcutDelete, ""},  // Delete takes no modifier
      {2, 'Z', kShortcutUndo, "undo "},
      {2, 'X', kShortcutCut, "cut "},
      {2, 'C', kShortcutCopy, "copy "},
      {2, 'V', kShortcutPaste, "paste "},
      {2, 'A', kShortcutSelectAll, "selectall "},
      {2, 'F', kShortcutFind, "find "},
      {2, 'H', kShortcutReplace, "replace "},
      {2, 'G', kShortcutGoto, "goto "},
      {2, 'P', kShortcutPrint, "print "},
      {2, 'N', kShortcutNew, "new "},
      {2, 'O', kShortcutOpen, "open "},
      {2, 'S', kShortcutSave, "save "},
      {3, 'S', kShortcutSaveAs, "saveas "},
      {3, 'S', kShortcutSave, ""},  // Ctrl+Shift+S is not Ctrl+S
      {2, 'S', kShortcutSaveAs, ""},
      {3, 'Z', 0xFFFFFFFF, ""},     // no row for Ctrl+Shift+Z
      {0, 'Z', 0xFFFFFFFF, ""},
      {2, 'Z', kShortcutCut, ""},   // not in the mask
      {2, 'Z', 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.modifiers << " " << c.key << " " << c.mask);
    window.SetShortcutMask(c.mask);
    window.Forget();
    {
      HeldKeys held(c.modifiers);
      SendMessageA(window.GetHwnd(), WM_KEYDOWN, c.key, 0);
    }
    EXPECT_EQ(c.hook, window.hooks);
    EXPECT_TRUE(window.Saw(WM_KEYDOWN));  // the key goes on in every case
  }
}

TEST_F(SWndMessages, KeysOfAControlGoToItsPopupAncestor) {
  TestWnd dialog, panel, control(kWindowEdit);
  ASSERT_TRUE(dialog.Make());
  ASSERT_TRUE(panel.Make(dialog.GetHwnd()));
  ASSERT_TRUE(control.Make(panel.GetHwnd()));

  SendMessageA(control.GetHwnd(), WM_KEYDOWN, VK_F4, 0);
  ASSERT_EQ(1, dialog.Count(kKeyMessage));
  EXPECT_EQ(WPARAM(VK_F4), dialog.Last(kKeyMessage)->wparam);
  EXPECT_EQ(reinterpret_cast<LPARAM>(&control), dialog.Last(kKeyMessage)->lparam);
  EXPECT_EQ(0, panel.Count(kKeyMessage));
  EXPECT_TRUE(control.Saw(WM_KEYDOWN));
  // The popup's own keys are its own.
  SendMessageA(dialog.GetHwnd(), WM_KEYDOWN, VK_F4, 0);
  EXPECT_EQ(1, dialog.Count(kKeyMessage));

  // A system key is swallowed when the popup answers -1.
  SendMessageA(control.GetHwnd(), WM_SYSKEYDOWN, 'F', 0);
  EXPECT_EQ(1, dialog.Count(kSystemKeyMessage));
  EXPECT_TRUE(control.Saw(WM_SYSKEYDOWN));
  control.Forget();
  dialog.answers[kSystemKeyMessage] = -1;
  SendMessageA(control.GetHwnd(), WM_SYSKEYDOWN, 'F', 0);
  EXPECT_EQ(2, dialog.Count(kSystemKeyMessage));
  EXPECT_FALSE(control.Saw(WM_SYSKEYDOWN));

  // A Tab typed into an edit goes no further; into another window it does.
  SendMessageA(control.GetHwnd(), WM_CHAR, '\t', 0);
  EXPECT_FALSE(control.Saw(WM_CHAR));
  SendMessageA(panel.GetHwnd(), WM_CHAR, '\t', 0);
  EXPECT_TRUE(panel.Saw(WM_CHAR));
}

// ---- Size states, closing ------------------------------------------------------------------

TEST_F(SWndMessages, RestoredIsReportedOnceAfterAMaximize) {
  TestWnd window;
  ASSERT_TRUE(window.Make(nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  window.Forget();
  ShowWindow(window.GetHwnd(), SW_MAXIMIZE);
  EXPECT_EQ(1, window.Count(kMaximizedMessage));
  EXPECT_FALSE(window.IsRestored());
  ShowWindow(window.GetHwnd(), SW_RESTORE);
  SetWindowPos(window.GetHwnd(), nullptr, 0, 0, 150, 90, SWP_NOMOVE | SWP_NOZORDER);
  SetWindowPos(window.GetHwnd(), nullptr, 0, 0, 160, 95, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(1, window.Count(kRestoredMessage));
  EXPECT_TRUE(window.IsRestored());
  SendMessageA(window.GetHwnd(), WM_SIZE, SIZE_MINIMIZED, 0);
  SendMessageA(window.GetHwnd(), WM_SIZE, SIZE_RESTORED, 0);
  EXPECT_EQ(1, window.Count(kMinimizedMessage));
  EXPECT_EQ(2, window.Count(kRestoredMessage));
}

TEST_F(SWndMessages, ClosingAModalWindowCancelsItsRunAndHidesIt) {
  TestWnd owner, window;
  ASSERT_TRUE(owner.Make());
  ASSERT_TRUE(window.Make(owner.GetHwnd(), WS_POPUP | WS_VISIBLE));
  EnableWindow(owner.GetHwnd(), FALSE);
  window.SetModalRunning(true);
  SendMessageA(window.GetHwnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window.GetHwnd()));
  EXPECT_FALSE(window.IsVisible());
  EXPECT_FALSE(window.IsModal());
  EXPECT_EQ(-1, window.GetModalResult());
  ASSERT_EQ(1, window.Count(kModalCancelMessage));
  EXPECT_EQ(0, window.Last(kModalCancelMessage)->lparam);
  EXPECT_FALSE(window.Saw(WM_CLOSE));
  EXPECT_TRUE(owner.IsEnabled());  // the owner gets the activation back

  // Not modal: closed the ordinary way.
  SendMessageA(window.GetHwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(nullptr, window.GetHwnd());

  // Ending a run that is not running changes nothing.
  window.EndModalCancel();
  EXPECT_EQ(-1, window.GetModalResult());
  window.SetModalRunning(true);
  window.EndModalOk();
  EXPECT_EQ(0, window.GetModalResult());
}

// ---- The erase ----------------------------------------------------------------------------

// A device context over a bitmap filled with one colour.
class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height, COLORREF fill) {
    HDC screen = GetDC(nullptr);
    m_dc = CreateCompatibleDC(screen);
    m_bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    m_old = SelectObject(m_dc, m_bitmap);
    RECT all = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
  }
  ~MemoryCanvas() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  HDC dc() const { return m_dc; }
  COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }

 private:
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
};

TEST_F(SWndMessages, EraseIsDoubleBufferedAndNestedErasesPaintNothing) {
  const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);
  TestWnd window;
  ASSERT_TRUE(window.Make(nullptr, 0, 40, 30));
  RECT client;
  GetClientRect(window.GetHwnd(), &client);
  ASSERT_GT(client.right, 4);
  int gdiBefore = int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));

  const struct {
    uint32_t color;
    COLORREF expected;
  } cases[] = {{kRed, kRed}, {kColorNone, kBlue}, {kColorParentPaints, kBlue}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.color);
    window.SetBackColor(c.color);
    MemoryCanvas canvas(client.right, client.bottom, kBlue);
    EXPECT_EQ(1, SendMessageA(window.GetHwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0));
    EXPECT_EQ(c.expected, canvas.At(1, 1));
    EXPECT_EQ(c.expected, canvas.At(client.right - 1, client.bottom - 1));
  }

  // An erase sent while one is handled paints nothing and answers 1; the
  // outer one still copies its picture.
  window.SetBackColor(kRed);
  MemoryCanvas inner(client.right, client.bottom, kGreen);
  LRESULT innerAnswer = 0;
  window.handler = [&](UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message == WM_ERASEBKGND && innerAnswer == 0) {
      innerAnswer = SendMessageA(window.GetHwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(inner.dc()), 0);
    }
    return false;
  };
  MemoryCanvas outer(client.right, client.bottom, kBlue);
  EXPECT_EQ(1, SendMessageA(window.GetHwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(outer.dc()), 0));
  EXPECT_EQ(1, innerAnswer);
  EXPECT_EQ(kGreen, inner.At(2, 2));
  EXPECT_EQ(kRed, outer.At(2, 2));
  window.handler = nullptr;
  // And the next erase is an outer one again.
  MemoryCanvas again(client.right, client.bottom, kBlue);
  SendMessageA(window.GetHwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(again.dc()), 0);
  EXPECT_EQ(kRed, again.At(2, 2));

  // The off-screen bitmaps and DCs are all released.
  int gdiAfter = int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  if (gdiBefore > 0 && gdiAfter > 0) {
    EXPECT_EQ(gdiBefore, gdiAfter);
  }

  // A subclassed control erases its own way unless it asks for ours.
  TestWnd control(kWindowStatic);
  ASSERT_TRUE(control.MakeControl("STATIC", window.GetHwnd()));
  control.SetBackColor(kRed);
  MemoryCanvas plain(10, 10, kBlue);
  SendMessageA(control.GetHwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(plain.dc()), 0);
  EXPECT_NE(kRed, plain.At(2, 2));
  control.SetEraseWhenSubclassed(true);
  SendMessageA(control.GetHwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(plain.dc()), 0);
  EXPECT_EQ(kRed, plain.At(2, 2));
}

// ---- Dropped files ------------------------------------------------------------------------

// An HDROP as the shell makes it: DROPFILES, then the paths, each with its
// 0, and one more 0.
HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& p : paths) size += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  char* text = reinterpret_cast<char*>(drop + 1);
  for (const std::string& p : paths) {
    memcpy(text, p.c_str(), p.size() + 1);
    text += p.size() + 1;
  }
  GlobalUnlock(memory);
  return memory;
}

TEST_F(SWndMessages, DroppedFilesArriveAsPathsWithFoldersMarked) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "wnd-drop-folder";
  std::string file = std::string(temp) + "wnd-drop-file.txt";
  CreateDirectoryA(folder.c_str(), nullptr);
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(h);

  TestWnd window;
  ASSERT_TRUE(window.Make());
  std::vector<std::string> received;
  window.handler = [&](UINT message, WPARAM wparam, LPARAM, LRESULT*) {
    if (message == kFilesDroppedMessage) {
      auto* paths = reinterpret_cast<SStringArray*>(wparam);
      for (int i = 0; i < paths->GetCount(); i++) received.push_back(paths->GetString(i).GetText());
    }
    return false;
  };
  HGLOBAL drop = MakeDrop({file, folder});
  SendMessageA(window.GetHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  ASSERT_EQ(2u, received.size());
  EXPECT_EQ(file, received[0]);
  EXPECT_EQ(folder + "\\", received[1]);
  EXPECT_TRUE(window.Saw(WM_DROPFILES));
  // The drop handle was released once the window had seen it.
  EXPECT_EQ(UINT(GMEM_INVALID_HANDLE), GlobalFlags(drop));

  DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
}

// ---- Colours, fonts, descendants ------------------------------------------------------------

class ColouredWnd : public TestWnd {
 public:
  explicit ColouredWnd(HBRUSH brush) : TestWnd(kWindowEdit), m_brush(brush) {}
  HBRUSH OnCtlColorEdit(HDC) override { return m_brush; }

 private:
  HBRUSH m_brush;
};

TEST_F(SWndMessages, ColourQuestionsAreAnsweredByTheChild) {
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  TestWnd parent;
  ASSERT_TRUE(parent.Make());
  ColouredWnd child(brush);
  ASSERT_TRUE(child.Make(parent.GetHwnd()));
  HDC dc = GetDC(parent.GetHwnd());
  EXPECT_EQ(reinterpret_cast<LRESULT>(brush),
            SendMessageA(parent.GetHwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(child.GetHwnd())));
  EXPECT_FALSE(parent.Saw(WM_CTLCOLOREDIT));
  // No brush of its own: the default answer.
  SendMessageA(parent.GetHwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(child.GetHwnd()));
  EXPECT_TRUE(parent.Saw(WM_CTLCOLORSTATIC));
  ReleaseDC(parent.GetHwnd(), dc);
  DeleteObject(brush);

  // The font answer is the one the window was given.
  HFONT font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
  parent.SetFont(font, false);
  EXPECT_EQ(font, parent.GetFont());
  EXPECT_TRUE(parent.Saw(WM_GETFONT));
}

TEST_F(SWndMessages, MovesAndSizesReachEveryDescendant) {
  TestWnd top, child, grandchild;
  ASSERT_TRUE(top.Make());
  ASSERT_TRUE(child.Make(top.GetHwnd()));
  ASSERT_TRUE(grandchild.Make(child.GetHwnd()));
  SetWindowPos(top.GetHwnd(), nullptr, 30, 40, 200, 150, SWP_NOZORDER);
  for (TestWnd* w : {&child, &grandchild}) {
    ASSERT_EQ(1, w->Count(kParentResizedMessage));
    EXPECT_EQ(reinterpret_cast<LPARAM>(top.GetHwnd()), w->Last(kParentResizedMessage)->lparam);
    EXPECT_EQ(WPARAM(SIZE_RESTORED), w->Last(kParentResizedMessage)->wparam);
    ASSERT_EQ(1, w->Count(kParentMovedMessage));
    EXPECT_EQ(reinterpret_cast<LPARAM>(top.GetHwnd()), w->Last(kParentMovedMessage)->lparam);
  }
  EXPECT_EQ(0, top.Count(kParentResizedMessage));
}

TEST_F(SWndMessages, ChangesAndUserMessagesReachTheirTargets) {
  TestWnd parent, child;
  ASSERT_TRUE(parent.Make());
  ASSERT_TRUE(child.Make(parent.GetHwnd()));
  child.NotifyChanged(12);
  ASSERT_EQ(1, parent.Count(kContentChangedMessage));
  EXPECT_EQ(reinterpret_cast<WPARAM>(&child), parent.Last(kContentChangedMessage)->wparam);
  EXPECT_EQ(12, parent.Last(kContentChangedMessage)->lparam);

  EXPECT_TRUE(child.PostUserMessage(3, 4));
  EXPECT_EQ(0, child.Count(kUserMessage));  // posted, not sent
  PumpMessages();
  ASSERT_EQ(1, child.Count(kUserMessage));
  EXPECT_EQ(3u, child.Last(kUserMessage)->wparam);
  EXPECT_EQ(4, child.Last(kUserMessage)->lparam);
}

}  // namespace
