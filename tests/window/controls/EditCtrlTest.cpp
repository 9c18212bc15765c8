// The edit control as a user meets it: real typing into an edit on a
// parent on screen, the parent's events, the filtered control characters,
// and the word completion chosen with the keys.
#include <windows.h>

#include <string>
#include <vector>

#include "ControlTesting.h"
#include "window/controls/SEditCtrl.h"

namespace {

const UINT kEditMouse = 0x8BF4, kEditChanged = 0x8BF5, kEditEnter = 0x8BF6, kEditFocus = 0x8BF7;

class EditControls : public OnScreenControls {
 protected:
  void SetUp() override {
    OnScreenControls::SetUp();
    parent.mouseMessage = kEditMouse;
  }
  bool Make(SEditCtrl& edit, DWORD style = 0, const char* text = "") {
    RECT rect = Rect(10, 10, 200, style & ES_MULTILINE ? 100 : 24);
    if (!edit.Create(text, WS_VISIBLE | WS_BORDER | style, 0, &rect, parent.GetHwnd(), 3)) return false;
    edit.SetFocus();
    PumpFor(20);
    return edit.HasFocus();
  }
  static std::string Text(const SWnd& window) { return window.GetText().GetText(); }
  static std::vector<std::string> Items(const SListCtrl& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.GetCount(); i++) items.push_back(list.GetItemText(i).GetText());
    return items;
  }
};

TEST_F(EditControls, TypingReportsChangesEnterAndFocus) {
  SEditCtrl edit;
  ASSERT_TRUE(Make(edit));
  EXPECT_EQ(12, edit.GetType());
  ASSERT_EQ(1, parent.Count(kEditFocus));
  EXPECT_EQ(1, parent.Last(kEditFocus)->lparam);
  EXPECT_EQ(reinterpret_cast<WPARAM>(&edit), parent.Last(kEditFocus)->wparam);

  TypeText("hi");
  EXPECT_EQ("hi", Text(edit));
  EXPECT_EQ(2, parent.Count(kEditChanged));
  // Enter in a single line: the event, and no character.
  Type({VK_RETURN});
  EXPECT_EQ(1, parent.Count(kEditEnter));
  EXPECT_EQ("hi", Text(edit));
  // The program's own changes while the edit has no focus are not reported.
  ::SetFocus(parent.GetHwnd());
  EXPECT_EQ(0, parent.Last(kEditFocus)->lparam);
  int changes = parent.Count(kEditChanged);
  edit.SetText("quiet");
  EXPECT_EQ(changes, parent.Count(kEditChanged));

  // A right press is reported; the context menu can be refused.
  edit.SetContextMenuAllowed(false);
  edit.SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(4, 4));
  ASSERT_FALSE(parent.mouseCodes.empty());
  EXPECT_EQ(12, parent.mouseCodes.back());
}

TEST_F(EditControls, ControlKeysSelectCopyAndPasteButTypeNothing) {
  SEditCtrl edit;
  ASSERT_TRUE(Make(edit, ES_MULTILINE, "hello"));
  edit.SetSel(-1, -1);
  Type({'A'}, {VK_CONTROL});
  int start = -1, end = -1;
  edit.GetSel(&start, &end);
  EXPECT_EQ(0, start);
  EXPECT_EQ(5, end);
  EXPECT_EQ("hello", std::string(edit.GetSelectedText().GetText()));
  // Ctrl+B and Ctrl+Enter would type their characters; Ctrl+C and Ctrl+V
  // keep their work.
  Type({'B', VK_RETURN}, {VK_CONTROL});
  EXPECT_EQ("hello", Text(edit));
  Type({'C'}, {VK_CONTROL});
  edit.SetSel(-1, -1);
  Type({'V'}, {VK_CONTROL});
  EXPECT_EQ("hellohello", Text(edit));
  // A multi-line edit takes Enter as a line break.
  Type({VK_RETURN});
  EXPECT_EQ("hellohello\r\n", Text(edit));
  EXPECT_EQ(2, edit.GetLineCount());
}

TEST_F(EditControls, LineTextOfEmptyShortAndMissingLines) {
  SEditCtrl edit;
  ASSERT_TRUE(Make(edit, ES_MULTILINE | ES_AUTOVSCROLL, "ab\r\n\r\nx\r\nlonger line"));
  const struct {
    int line;
    const char* text;
  } cases[] = {{0, "ab"}, {1, ""}, {2, "x"}, {3, "longer line"}, {4, ""}, {99, ""}, {-1, ""}};
  for (const auto& c : cases) EXPECT_STREQ(c.text, edit.GetLineText(c.line).GetText()) << c.line;
  SEditCtrl single;
  ASSERT_TRUE(Make(single, 0, "z"));
  EXPECT_STREQ("z", single.GetLineText(0).GetText());
  EXPECT_STREQ("", single.GetLineText(1).GetText());
  EXPECT_STREQ("", single.GetTextRange(1, 3).GetText());
  EXPECT_STREQ("z", single.GetTextRange(0, 3).GetText());
}

// The position's words are signed: a character scrolled out to the left
// lies at a negative x, not near 65536.
TEST_F(EditControls, CharacterScrolledOutToTheLeftLiesAtANegativeX) {
  SEditCtrl edit;
  ASSERT_TRUE(Make(edit, ES_AUTOHSCROLL, "abcdefghijklmnopqrstuvwxyz0123456789abcdefghij"));
  int x = -1, y = -1;
  edit.PosFromChar(0, &x, &y);
  EXPECT_GE(x, 0);
  edit.SetSel(-1, -1);
  edit.ReplaceSelection("!", false);
  edit.PosFromChar(0, &x, &y);
  EXPECT_LT(x, 0);
  EXPECT_GT(x, -1000);
  EXPECT_GE(y, 0);
}

TEST_F(EditControls, CompletionOffersTheWordsThatBeginWithTheText) {
  SEditCtrl edit;
  ASSERT_TRUE(Make(edit));
  for (const char* word : {"apple", "apricot", "Avocado", "banana"}) edit.GetWordList().Add(word);
  edit.EnableCompletion(true);

  // Another key on an empty edit shows nothing; the down arrow offers all.
  Type({VK_SHIFT});
  EXPECT_EQ(nullptr, edit.GetCompletionPopup());
  Type({VK_DOWN});
  SListCtrl* popup = edit.GetCompletionPopup();
  ASSERT_NE(nullptr, popup);
  EXPECT_EQ((std::vector<std::string>{"apple", "apricot", "Avocado", "banana"}), Items(*popup));
  EXPECT_EQ(0, popup->GetSelection());
  EXPECT_TRUE(IsWindowVisible(popup->GetHwnd()));
  EXPECT_TRUE(edit.HasFocus());
  // Down, down, up; Enter takes the word, with the caret after it, and
  // never reaches the edit as a key.
  Type({VK_DOWN, VK_DOWN, VK_UP});
  EXPECT_EQ(1, popup->GetSelection());
  Type({VK_RETURN});
  EXPECT_EQ(nullptr, edit.GetCompletionPopup());
  EXPECT_EQ("apricot", Text(edit));
  int start = -1, end = -1;
  edit.GetSel(&start, &end);
  EXPECT_EQ(7, start);
  EXPECT_EQ(7, end);
  EXPECT_EQ(0, parent.Count(kEditEnter));

  // Matching is case-sensitive; no match closes the popup.
  edit.SetText("");
  TypeText("a");
  popup = edit.GetCompletionPopup();
  ASSERT_NE(nullptr, popup);
  EXPECT_EQ((std::vector<std::string>{"apple", "apricot"}), Items(*popup));
  EXPECT_EQ(-1, popup->GetSelection());
  // Enter without a selection refreshes the popup and keeps the text.
  Type({VK_RETURN});
  ASSERT_NE(nullptr, edit.GetCompletionPopup());
  EXPECT_EQ(2, edit.GetCompletionPopup()->GetCount());
  EXPECT_EQ("a", Text(edit));
  TypeText("z");
  EXPECT_EQ(nullptr, edit.GetCompletionPopup());
  Type({VK_BACK});
  ASSERT_NE(nullptr, edit.GetCompletionPopup());
  // The last item holds the selection against a further down arrow.
  Type({VK_DOWN, VK_DOWN, VK_DOWN});
  EXPECT_EQ(1, edit.GetCompletionPopup()->GetSelection());
  Type({VK_ESCAPE});
  EXPECT_EQ(nullptr, edit.GetCompletionPopup());
  EXPECT_EQ("a", Text(edit));
}

TEST_F(EditControls, ColourHandlerAnswersWithTheBackgroundAndTextColours) {
  SEditCtrl edit;
  ASSERT_TRUE(Make(edit));
  HDC dc = CreateCompatibleDC(nullptr);
  edit.SetBackColor(kColorNone);
  EXPECT_EQ(nullptr, edit.OnCtlColorEdit(dc));
  edit.SetBackColor(RGB(10, 20, 30));
  EXPECT_NE(nullptr, edit.OnCtlColorEdit(dc));
  EXPECT_EQ(RGB(10, 20, 30), GetBkColor(dc));
  edit.SetBackColor(kColorParentPaints);
  EXPECT_EQ(GetStockObject(NULL_BRUSH), edit.OnCtlColorStatic(dc));
  EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
  // A text colour alone brings the window colour with it.
  SetBkMode(dc, OPAQUE);
  edit.SetBackColor(kColorNone);
  edit.SetTextColor(RGB(200, 0, 0));
  EXPECT_NE(nullptr, edit.OnCtlColorEdit(dc));
  EXPECT_EQ(RGB(200, 0, 0), GetTextColor(dc));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), GetBkColor(dc));
  DeleteDC(dc);
}

}  // namespace
