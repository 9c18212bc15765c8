// The Global functions that show the system message box, found, read and
// answered from a second thread, and the busy wait on the system clock.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "engine/PEngine.h"
#include "engine/PObjGlobal.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/MemberCall.h"
#include "window/SMessageBox.h"

namespace {

using G = PObjGlobal;

// What the helper thread saw of the box it answered.
struct SeenBox {
  bool found = false;
  std::string caption;
  std::vector<std::string> texts;  // the static texts, the message among them
  std::vector<int> buttons;        // the answer ids of the push buttons present
  HICON icon = nullptr;
};

struct ThreadWindowSearch {
  HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
  char name[32] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  reinterpret_cast<ThreadWindowSearch*>(data)->found = window;
  return FALSE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
  SeenBox* seen = reinterpret_cast<SeenBox*>(data);
  char name[32] = "", text[256] = "";
  GetClassNameA(child, name, sizeof name);
  GetWindowTextA(child, text, sizeof text);
  const std::string kind(name);
  const int id = GetDlgCtrlID(child);
  if (kind == "Static") {
    if (text[0]) seen->texts.push_back(text);
    if (HICON icon = HICON(SendMessageA(child, STM_GETICON, 0, 0))) seen->icon = icon;
  } else if (kind == "Button" && IsWindowVisible(child) && id >= IDOK && id <= IDNO) {
    seen->buttons.push_back(id);
  }
  return TRUE;
}

// Waits (up to 10 s) for a message box of the thread, records it and
// presses the button with that answer id.
void AnswerBox(DWORD threadId, int answer, SeenBox* seen) {
  ThreadWindowSearch search;
  for (int i = 0; i < 500 && !search.found; i++) {
    Sleep(20);
    EnumThreadWindows(threadId, FindDialog, LPARAM(&search));
  }
  if (!search.found) return;
  seen->found = true;
  char caption[256] = "";
  GetWindowTextA(search.found, caption, sizeof caption);
  seen->caption = caption;
  EnumChildWindows(search.found, CollectChild, LPARAM(seen));
  PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
               LPARAM(GetDlgItem(search.found, answer)));
}

class PObjGlobalWin32 : public classtest::ValueClassTest {
 protected:
  void SetUp() override {
    ValueClassTest::SetUp();
    global = static_cast<PObjGlobal*>(Keep(engine.GetGlobalDefinition()->CreateInstance()));
    ASSERT_NE(global, nullptr);
  }

  // Member 33 on this thread, answered with answer from a helper thread.
  int64_t ShowAndAnswer(Args& args, int answer, SeenBox* seen) {
    std::thread helper(AnswerBox, GetCurrentThreadId(), answer, seen);
    const int64_t result = CallInt(global, G::MESSAGE_BOX, args);
    helper.join();
    return result;
  }
  int64_t Constant(const char* name) {
    return engine.GetGlobalDefinition()->FindConstant(name)->ToInt64();
  }

  PObjGlobal* global = nullptr;
};

TEST_F(PObjGlobalWin32, MessageBoxShowsTheButtonsAndAnswersWithTheButtonPressed) {
  struct {
    const char* buttons;
    const char* icon;
    int press;
    std::vector<int> present;
    const char* answer;
  } const cases[] = {
      {"MB_OK", "MBI_EXCLAMATION", IDOK, {IDOK}, "MBA_OK"},
      {"MB_YESNO", "MBI_QUESTION", IDNO, {IDYES, IDNO}, "MBA_NO"},
      {"MB_ABORTRETRYIGNORE", "MBI_STOP", IDABORT, {IDABORT, IDRETRY, IDIGNORE}, "MBA_ABORT"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.buttons);
    const std::string caption = std::string("Global test ") + c.buttons;
    auto args = With();
    args.Str("Proceed?").Str(caption.c_str()).Int(Constant(c.buttons)).Int(Constant(c.icon));
    SeenBox seen;
    const int64_t answer = ShowAndAnswer(args, c.press, &seen);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, caption);
    EXPECT_NE(std::find(seen.texts.begin(), seen.texts.end(), "Proceed?"), seen.texts.end());
    std::vector<int> buttons = seen.buttons;
    std::sort(buttons.begin(), buttons.end());
    std::vector<int> present = c.present;
    std::sort(present.begin(), present.end());
    EXPECT_EQ(buttons, present);
    EXPECT_EQ(answer, Constant(c.answer));

    // The settings keep the last box and its answer.
    const SMessageBox& box = global->GetMessageBox();
    EXPECT_STREQ(box.GetCaption(), caption.c_str());
    EXPECT_STREQ(box.GetText(), "Proceed?");
    EXPECT_EQ(int64_t(box.GetButtonStyle()), Constant(c.buttons));
    EXPECT_EQ(int64_t(box.GetIconStyle()), Constant(c.icon));
    EXPECT_EQ(box.GetLastAnswer(), answer);
  }
}

TEST_F(PObjGlobalWin32, ANewMessageBoxIsAnOkBoxWithTheExclamationIcon) {
  SMessageBox box(nullptr);
  SeenBox seen;
  std::thread helper(AnswerBox, GetCurrentThreadId(), IDOK, &seen);
  const int32_t answer = box.Show();
  helper.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.caption, "");
  EXPECT_TRUE(seen.texts.empty());
  EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
  EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_EXCLAMATION));
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(box.GetLastAnswer(), IDOK);
}

TEST_F(PObjGlobalWin32, WaitTakesAtLeastTheTimeAskedOnTheSystemClock) {
  const DWORD start = timeGetTime();
  auto args = With();
  args.Int(60);
  CallVoid(global, G::WAIT, args);
  EXPECT_GE(timeGetTime() - start, 60u);
}

}  // namespace
