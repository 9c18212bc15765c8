// The button family (push button, check box, radio button, group box) as a
// user meets it: real windows, synthesised clicks, the parent's events.
#include <windows.h>

#include <vector>

#include "../InputTesting.h"
#include "../WindowTesting.h"
#include "ControlTesting.h"
#include "../ScreenshotTesting.h"
#include "files/SKeyboard.h"
#include "window/ControlNotify.h"
#include "window/controls/SButtonCtrl.h"
#include "window/controls/SCheckCtrl.h"
#include "window/controls/SGroupCtrl.h"
#include "window/controls/SRadioCtrl.h"

namespace {

const UINT kButtonMouse = 0x8BC2, kButtonClicked = 0x8BC3;
const UINT kCheckMouse = 0x8BCC, kCheckClicked = 0x8BCD;
const UINT kRadioMouse = 0x8C8A, kRadioClicked = 0x8C8B;
const UINT kGroupMouse = 0x8C12;

struct Report {
  UINT message;
  WPARAM control;
  ControlMouseRecord record;
};

// A parent on screen that keeps a copy of every mouse report (the record
// lives only during the delivery).
class Parent : public TestWnd {
 public:
  std::vector<Report> reports;

  Parent() {
    handler = [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT*) {
      if (message == kButtonMouse || message == kCheckMouse || message == kRadioMouse || message == kGroupMouse)
        reports.push_back({message, wparam, *reinterpret_cast<ControlMouseRecord*>(lparam)});
      return false;
    };
  }
  std::vector<int32_t> Codes(UINT message) const {
    std::vector<int32_t> codes;
    for (const Report& r : reports)
      if (r.message == message) codes.push_back(r.record.code);
    return codes;
  }
};

RECT Rect(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

WPARAM Of(const SWnd& control) { return reinterpret_cast<WPARAM>(&control); }

class ButtonControls : public ParentOnScreen<ButtonControls, Parent> {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, parent.GetHwnd());
    parent.Forget();
    parent.reports.clear();
  }

  // A left click at the middle of the control, as the user makes it;
  // false when the display cannot move the cursor there or the release
  // never reached the control.
  bool ClickAtMiddle(const SWnd& control) {
    RECT client;
    GetClientRect(control.GetHwnd(), &client);
    if (!MoveCursorTo(control.GetHwnd(), client.right / 2, client.bottom / 2)) return false;
    size_t before = parent.reports.size();
    SKeyboard::PressLeft();
    SKeyboard::ReleaseLeft();
    return PumpUntil([&] {
      for (size_t i = before; i < parent.reports.size(); i++) {
        const Report& r = parent.reports[i];
        if (r.control == Of(control) && r.record.code == (kMouseLeft | kMouseUp)) return true;
      }
      return false;
    });
  }
  // The code of the last report of that message.
  int32_t Codes(UINT message) const {
    for (auto r = parent.reports.rbegin(); r != parent.reports.rend(); ++r)
      if (r->message == message) return r->record.code;
    return 0;
  }
};

TEST_F(ButtonControls, CreateMakesSubclassedButtonsOfTheirKinds) {
  SButtonCtrl button;
  SCheckCtrl check;
  SRadioCtrl radio;
  SGroupCtrl group;
  RECT rect = Rect(10, 10, 80, 24);
  ASSERT_TRUE(button.Create("Push", WS_VISIBLE, 0, &rect, parent.GetHwnd(), 11));
  ASSERT_TRUE(check.Create("Check", WS_VISIBLE, 0, &rect, parent.GetHwnd(), 12));
  ASSERT_TRUE(radio.Create("Radio", WS_VISIBLE, 0, &rect, parent.GetHwnd(), 13));
  ASSERT_TRUE(group.Create("Group", WS_VISIBLE, 0, &rect, parent.GetHwnd(), 14));
  const struct {
    const SWnd* control;
    int type;
    DWORD kind;
    int id;
  } cases[] = {{&button, 4, BS_PUSHBUTTON, 11}, {&check, 6, BS_CHECKBOX, 12}, {&radio, 32, BS_RADIOBUTTON, 13},
               {&group, 16, BS_GROUPBOX, 14}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    HWND handle = c.control->GetHwnd();
    char name[16] = {};
    GetClassNameA(handle, name, sizeof name);
    EXPECT_STREQ("Button", name) << "system class";
    EXPECT_EQ(c.type, c.control->GetType());
    EXPECT_TRUE(c.control->IsSubclassed());
    DWORD style = DWORD(GetWindowLongA(handle, GWL_STYLE));
    EXPECT_EQ(c.kind, style & BS_TYPEMASK);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_EQ(c.id, GetDlgCtrlID(handle));
    EXPECT_EQ(parent.GetHwnd(), GetParent(handle));
  }
  // A popup is no child, and a second creation is refused.
  SButtonCtrl popup;
  ASSERT_TRUE(popup.Create("Popup", WS_POPUP, 0, &rect, nullptr, 0));
  EXPECT_FALSE(GetWindowLongA(popup.GetHwnd(), GWL_STYLE) & WS_CHILD);
  EXPECT_FALSE(popup.Create("Again", WS_POPUP, 0, &rect, nullptr, 0));
  EXPECT_EQ(kGroupMouse, ControlNotifyMessage(kControlClassGroup, 0));
}

TEST_F(ButtonControls, RealClickOnAButtonReportsTheMouseAndTheClick) {
  SButtonCtrl button;
  RECT rect = Rect(20, 30, 100, 30);
  ASSERT_TRUE(button.Create("Push", WS_VISIBLE, 0, &rect, parent.GetHwnd(), 1));
  ASSERT_TRUE(ClickAtMiddle(button));
  ASSERT_EQ(1, parent.Count(kButtonClicked));
  EXPECT_EQ(Of(button), parent.Last(kButtonClicked)->wparam);
  EXPECT_EQ(0, parent.Last(kButtonClicked)->lparam);

  // The press and the release, each with the point in the button and on
  // the screen.
  std::vector<int32_t> codes = parent.Codes(kButtonMouse);
  ASSERT_GE(codes.size(), 2u);
  EXPECT_EQ(9, codes.front());
  EXPECT_EQ(17, codes.back());
  POINT cursor;
  GetCursorPos(&cursor);
  POINT client = cursor;
  ScreenToClient(button.GetHwnd(), &client);
  for (const Report& r : parent.reports) {
    EXPECT_EQ(Of(button), r.control);
    EXPECT_EQ(client.x, r.record.x);
    EXPECT_EQ(client.y, r.record.y);
    EXPECT_EQ(cursor.x, r.record.screenX);
    EXPECT_EQ(cursor.y, r.record.screenY);
  }

  // A click made by the program is a click too.
  button.SendMessage(BM_CLICK, 0, 0);
  EXPECT_EQ(2, parent.Count(kButtonClicked));
}

TEST_F(ButtonControls, MouseReportsCarryEveryCodeAndBothPoints) {
  SGroupCtrl group;
  RECT rect = Rect(40, 20, 200, 120);
  ASSERT_TRUE(group.Create("Group", WS_VISIBLE, 0, &rect, parent.GetHwnd(), 1));
  const struct {
    UINT message;
    int32_t code;
  } cases[] = {{WM_LBUTTONDOWN, 9},    {WM_LBUTTONUP, 17},    {WM_LBUTTONDBLCLK, 65}, {WM_RBUTTONDOWN, 12},
               {WM_RBUTTONUP, 20},     {WM_RBUTTONDBLCLK, 68}, {WM_MBUTTONDOWN, 10},  {WM_MBUTTONUP, 18},
               {WM_MBUTTONDBLCLK, 66}, {0x83F8, 33},           {0x83F9, 34},          {0x83FA, 36}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    parent.reports.clear();
    group.SendMessage(c.message, 0, MAKELPARAM(-5, 17));
    ASSERT_FALSE(parent.reports.empty());
    // A button up after its down is also the framework's click, reported first.
    const Report& r = parent.reports.back();
    EXPECT_EQ(kGroupMouse, r.message);
    EXPECT_EQ(c.code, r.record.code);
    EXPECT_EQ(-5, r.record.x);
    EXPECT_EQ(17, r.record.y);
    POINT screen = {-5, 17};
    ClientToScreen(group.GetHwnd(), &screen);
    EXPECT_EQ(screen.x, r.record.screenX);
    EXPECT_EQ(screen.y, r.record.screenY);
  }
  // Moves and other messages are not reported.
  parent.reports.clear();
  group.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  group.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(parent.reports.empty());
}

TEST_F(ButtonControls, AControlWithoutAParentStillProcessesTheMouse) {
  SButtonCtrl button;
  RECT rect = Rect(500, 400, 80, 30);
  ASSERT_TRUE(button.Create("Alone", WS_POPUP, 0, &rect, nullptr, 0));
  ASSERT_EQ(nullptr, GetParent(button.GetHwnd()));
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  // The system button saw the press: it is pushed and holds the mouse.
  EXPECT_TRUE(button.SendMessage(BM_GETSTATE, 0, 0) & BST_PUSHED);
  EXPECT_EQ(button.GetHwnd(), GetCapture());
  button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_FALSE(button.SendMessage(BM_GETSTATE, 0, 0) & BST_PUSHED);
  EXPECT_NE(button.GetHwnd(), GetCapture());
  EXPECT_TRUE(parent.reports.empty());
}

TEST_F(ButtonControls, CheckBoxClicksToggleBeforeTheEvent) {
  SCheckCtrl check;
  RECT rect = Rect(20, 20, 140, 24);
  ASSERT_TRUE(check.Create("Check", WS_VISIBLE, 0, &rect, parent.GetHwnd(), 1));
  // A plain check box knows two states; the third needs the three-state kind.
  check.SetCheck(5);
  EXPECT_EQ(1, check.GetCheck());
  check.SendMessage(BM_SETSTYLE, BS_3STATE, FALSE);
  const struct {
    int set, get;
  } states[] = {{0, 0}, {1, 1}, {2, 2}, {5, 2}, {-1, 2}};
  for (const auto& s : states) {
    check.SetCheck(s.set);
    EXPECT_EQ(s.get, check.GetCheck()) << s.set;
  }

  // Indeterminate becomes checked, then the clicks toggle: the event
  // carries the new state, and the box shows it.
  check.SetCheck(2);
  ASSERT_TRUE(ClickAtMiddle(check));
  ASSERT_EQ(1, parent.Count(kCheckClicked));
  EXPECT_EQ(Of(check), parent.Last(kCheckClicked)->wparam);
  EXPECT_EQ(1, parent.Last(kCheckClicked)->lparam);
  EXPECT_EQ(1, check.GetCheck());
  EXPECT_EQ(17, Codes(kCheckMouse));
  check.SendMessage(BM_CLICK, 0, 0);
  EXPECT_EQ(0, parent.Last(kCheckClicked)->lparam);
  EXPECT_EQ(0, check.GetCheck());
  check.SendMessage(BM_CLICK, 0, 0);
  EXPECT_EQ(1, parent.Last(kCheckClicked)->lparam);
  EXPECT_EQ(3, parent.Count(kCheckClicked));
}

TEST_F(ButtonControls, RadioSelectionStaysInItsGroupAndParent) {
  TestWnd other;
  ASSERT_TRUE(other.Make(parent.GetHwnd(), WS_VISIBLE, 150, 120));
  SetWindowPos(other.GetHwnd(), nullptr, 160, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  // Under the parent: two of group 1, one of group 2, one of no group;
  // under the other window: one more of group 1.
  SRadioCtrl first, second, third, loose, elsewhere;
  SRadioCtrl* radios[] = {&first, &second, &third, &loose};
  const int groups[] = {1, 1, 2, -1};
  for (int i = 0; i < 4; i++) {
    RECT rect = Rect(20, 20 + 30 * i, 120, 24);
    ASSERT_TRUE(radios[i]->Create("Radio", WS_VISIBLE, 0, &rect, parent.GetHwnd(), i + 1));
    radios[i]->SetGroup(groups[i]);
  }
  RECT rect = Rect(20, 20, 120, 24);
  ASSERT_TRUE(elsewhere.Create("Radio", WS_VISIBLE, 0, &rect, other.GetHwnd(), 1));
  elsewhere.SetGroup(1);
  EXPECT_EQ(-1, SRadioCtrl().GetGroup());

  for (SRadioCtrl* r : {&second, &third, &loose, &elsewhere}) r->SendMessage(BM_SETCHECK, BST_CHECKED, 0);
  ASSERT_TRUE(ClickAtMiddle(first));
  ASSERT_EQ(1, parent.Count(kRadioClicked));
  EXPECT_EQ(Of(first), parent.Last(kRadioClicked)->wparam);
  EXPECT_EQ(1, parent.Last(kRadioClicked)->lparam);
  EXPECT_EQ(17, Codes(kRadioMouse));
  EXPECT_TRUE(first.IsChecked());
  EXPECT_FALSE(second.IsChecked());  // same group, same parent
  EXPECT_TRUE(third.IsChecked());    // another group
  EXPECT_TRUE(loose.IsChecked());    // no group
  EXPECT_TRUE(elsewhere.IsChecked());  // same group, other parent

  // Clicking the checked one again keeps it checked.
  first.SendMessage(BM_CLICK, 0, 0);
  EXPECT_TRUE(first.IsChecked());
  EXPECT_EQ(1, parent.Last(kRadioClicked)->lparam);

  // A radio button of no group checks itself and leaves every other alone.
  loose.SendMessage(BM_SETCHECK, BST_UNCHECKED, 0);
  loose.SendMessage(BM_CLICK, 0, 0);
  EXPECT_TRUE(loose.IsChecked());
  EXPECT_EQ(1, parent.Last(kRadioClicked)->lparam);
  EXPECT_TRUE(first.IsChecked());
  EXPECT_TRUE(third.IsChecked());

  // A click in the other group unchecks only its own.
  second.SendMessage(BM_CLICK, 0, 0);
  EXPECT_TRUE(second.IsChecked());
  EXPECT_FALSE(first.IsChecked());
  EXPECT_TRUE(third.IsChecked());
  EXPECT_TRUE(elsewhere.IsChecked());
}

// The brush a parent answers its WM_CTLCOLOR message with for the control.
HBRUSH AskColor(const Parent& parent, UINT message, HDC dc, const SWnd& control) {
  return reinterpret_cast<HBRUSH>(SendMessageA(parent.GetHwnd(), message, reinterpret_cast<WPARAM>(dc),
                                               reinterpret_cast<LPARAM>(control.GetHwnd())));
}

TEST_F(ButtonControls, EachColourRequestReplacesTheBrush) {
  SButtonCtrl button;
  SCheckCtrl check;
  SRadioCtrl radio;
  SGroupCtrl group;
  RECT rect = Rect(10, 10, 80, 24);
  ASSERT_TRUE(button.Create("B", 0, 0, &rect, parent.GetHwnd(), 1));
  ASSERT_TRUE(check.Create("C", 0, 0, &rect, parent.GetHwnd(), 2));
  ASSERT_TRUE(radio.Create("R", 0, 0, &rect, parent.GetHwnd(), 3));
  ASSERT_TRUE(group.Create("G", 0, 0, &rect, parent.GetHwnd(), 4));
  HDC dc = CreateCompatibleDC(nullptr);
  const struct {
    SWnd* control;
    UINT message;
  } cases[] = {{&button, WM_CTLCOLORBTN}, {&check, WM_CTLCOLORSTATIC}, {&radio, WM_CTLCOLORSTATIC},
               {&group, WM_CTLCOLORSTATIC}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control->GetType());
    c.control->SetBackColor(RGB(10, 20, 30));
    HBRUSH first = AskColor(parent, c.message, dc, *c.control);
    LOGBRUSH logBrush = {};
    ASSERT_EQ(int(sizeof logBrush), GetObjectA(first, sizeof logBrush, &logBrush));
    EXPECT_EQ(UINT(BS_SOLID), logBrush.lbStyle);
    EXPECT_EQ(RGB(10, 20, 30), logBrush.lbColor);
    HBRUSH second = AskColor(parent, c.message, dc, *c.control);
    EXPECT_EQ(0u, GetObjectType(first));  // the old brush is gone
    EXPECT_EQ(DWORD(OBJ_BRUSH), GetObjectType(second));
    c.control->SetBackColor(kColorParentPaints);
    EXPECT_EQ(GetStockObject(NULL_BRUSH), AskColor(parent, c.message, dc, *c.control));
    EXPECT_EQ(0u, GetObjectType(second));
    // No colour: no brush of the control's (the parent's default answers),
    // except for the group box, whose caption colour the default would undo.
    c.control->SetBackColor(kColorNone);
    EXPECT_EQ(c.control == &group ? GetSysColorBrush(COLOR_BTNFACE) : nullptr,
              c.message == WM_CTLCOLORBTN ? c.control->OnCtlColorBtn(dc) : c.control->OnCtlColorStatic(dc));
  }
  // The last brush goes with its control.
  SCheckCtrl* owner = new SCheckCtrl;
  ASSERT_TRUE(owner->Create("C", 0, 0, &rect, parent.GetHwnd(), 5));
  owner->SetBackColor(RGB(1, 2, 3));
  HBRUSH last = AskColor(parent, WM_CTLCOLORSTATIC, dc, *owner);
  ASSERT_EQ(DWORD(OBJ_BRUSH), GetObjectType(last));
  delete owner;
  EXPECT_EQ(0u, GetObjectType(last));
  DeleteDC(dc);
}

TEST_F(ButtonControls, ParentPaintingLeavesTheCheckTextOpaqueButNotTheGroupText) {
  SCheckCtrl check;
  SGroupCtrl group;
  RECT rect = Rect(10, 10, 80, 24);
  ASSERT_TRUE(check.Create("C", 0, 0, &rect, parent.GetHwnd(), 1));
  ASSERT_TRUE(group.Create("G", 0, 0, &rect, parent.GetHwnd(), 2));
  EXPECT_EQ(0xFF000000u | GetRValue(GetSysColor(COLOR_BTNTEXT)) << 16 | GetGValue(GetSysColor(COLOR_BTNTEXT)) << 8 |
                GetBValue(GetSysColor(COLOR_BTNTEXT)),
            group.GetTextColor());
  HDC dc = CreateCompatibleDC(nullptr);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(1, 1, 1));
  SetTextColor(dc, RGB(2, 2, 2));
  check.SetBackColor(kColorParentPaints);
  EXPECT_EQ(GetStockObject(NULL_BRUSH), check.OnCtlColorStatic(dc));
  EXPECT_EQ(OPAQUE, GetBkMode(dc));
  EXPECT_EQ(RGB(2, 2, 2), GetTextColor(dc));

  group.SetTextColor(0x80112233);  // the alpha is not drawn
  EXPECT_EQ(0x80112233u, group.GetTextColor());
  group.SetBackColor(kColorParentPaints);
  EXPECT_EQ(GetStockObject(NULL_BRUSH), group.OnCtlColorStatic(dc));
  EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
  EXPECT_EQ(RGB(0x11, 0x22, 0x33), GetTextColor(dc));
  SetBkMode(dc, OPAQUE);
  group.SetBackColor(RGB(40, 50, 60));
  EXPECT_NE(nullptr, group.OnCtlColorStatic(dc));
  EXPECT_EQ(RGB(40, 50, 60), GetBkColor(dc));
  EXPECT_EQ(OPAQUE, GetBkMode(dc));
  group.SetBackColor(kColorNone);
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), group.OnCtlColorStatic(dc));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), GetBkColor(dc));
  EXPECT_EQ(RGB(0x11, 0x22, 0x33), GetTextColor(dc));  // the text colour always
  DeleteDC(dc);
}

}  // namespace

namespace {

TEST_F(ButtonControls, CheckBoxAndGroupBoxShowTheirColours) {
  const COLORREF back = RGB(0x30, 0x90, 0xF0), groupBack = RGB(0xF0, 0xE0, 0x20), text = RGB(0xC0, 0x10, 0x10);
  SCheckCtrl check;
  SGroupCtrl group;
  RECT checkRect = Rect(20, 20, 160, 24), groupRect = Rect(20, 60, 220, 120);
  ASSERT_TRUE(check.Create("Check", WS_VISIBLE, 0, &checkRect, parent.GetHwnd(), 1));
  ASSERT_TRUE(group.Create("Group", WS_VISIBLE, 0, &groupRect, parent.GetHwnd(), 2));
  check.SetBackColor(back);
  group.SetBackColor(groupBack);
  group.SetTextColor(0xFF000000 | GetRValue(text) << 16 | GetGValue(text) << 8 | GetBValue(text));
  RedrawWindow(parent.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpFor(100);
  Screenshot shot(parent.GetHwnd());

  // The check box fills itself with its colour; its text keeps the opaque
  // background of the system's drawing.
  HWND box = check.GetHwnd();
  EXPECT_EQ(back, shot.At(box, 155, 2));
  EXPECT_EQ(back, shot.At(box, 155, 21));
  EXPECT_GT(shot.Count(box, Rect(0, 0, 160, 24), back), 160 * 24 / 2);
  EXPECT_GT(shot.Count(box, Rect(0, 0, 160, 24), RGB(0, 0, 0)), 10);  // the text
  EXPECT_GT(shot.Count(box, Rect(0, 0, 160, 24), RGB(255, 255, 255)), 10);  // behind the text

  // The group box draws its caption in its colours and leaves its inside
  // to the parent.
  HWND frame = group.GetHwnd();
  RECT caption = Rect(0, 0, 80, 14);
  EXPECT_GT(shot.Count(frame, caption, text), 15);
  EXPECT_GT(shot.Count(frame, caption, groupBack), 80);
  EXPECT_EQ(0, shot.Count(frame, Rect(0, 20, 220, 100), groupBack));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), shot.At(frame, 110, 60));
  if (HasFailure()) shot.SaveBmp(TAVRIN_IMAGE_OUT "/buttons-failed.bmp");
}

}  // namespace
