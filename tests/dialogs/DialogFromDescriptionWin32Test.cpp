// Dialogs made from descriptions as a program opens them: through
// SDialog::Load and the installed builder, checked on the live windows.
#include "dialogs/DialogFromDescription.h"

#include <windows.h>

#include <commctrl.h>

#include "DescriptionBuilding.h"
#include "window/FrameworkMessage.h"
#include "window/controls/SButtonCtrl.h"

namespace {

class BuilderTest : public WindowTest {
 protected:
  void SetUp() override { InstallDialogBuilder(); }
  void TearDown() override { SetDialogBuilder(nullptr); }
};

HWND ControlWindow(const SDialog& dialog, const char* name) {
  int i = dialog.FindControlByName(name);
  return i < 0 ? nullptr : dialog.GetControl(i)->GetHwnd();
}

TEST_F(BuilderTest, StandardControlsComeFromTheirRecords) {
  TestDialog dialog;
  ASSERT_TRUE(LoadDescription(
      dialog, {DialogRecord(300, 220),
               ControlRecord("STATIC", 1, "Frame", "", 5, 5, 290, 210, "WS_VISIBLE", {"STATIC_EDGE=_EDGESUNKEN"}),
               ControlRecord("BUTTON", 2, "OK", "Go", 10, 10, 80, 24, "WS_VISIBLE BS_DEFPUSHBUTTON"),
               ControlRecord("CHECK", 3, "Check", "Tick", 10, 40, 80, 20, "WS_VISIBLE", {"CHECK_CHECKED=1"}),
               ControlRecord("RADIO", 4, "Radio", "Pick", 10, 64, 80, 20, "WS_VISIBLE", {"RADIO_CHECKED=1"}),
               ControlRecord("GROUP", 5, "Group", "Box", 100, 10, 90, 80),
               ControlRecord("EDIT", -6, "Edit", "typed", 10, 90, 80, 22, "WS_VISIBLE ES_NUMBER",
                             {"EDIT_MAXLENGTH=4"}),
               ControlRecord("LIST", 7, "List", "", 200, 10, 90, 80, "WS_VISIBLE", {"LIST_CONTENT=one | two|"}),
               ControlRecord("COMBO", 8, "Combo", "", 10, 120, 90, 100, "WS_VISIBLE CBS_DROPDOWNLIST",
                             {"COMBO_CONTENT=A|B|"}),
               ControlRecord("BUTTON", 9, "Hidden", "Later", 100, 120, 80, 24, "")}));
  HWND window = dialog.GetHwnd();
  ASSERT_NE(nullptr, window);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ("Built", TextOf(window));
  EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_POPUP) << "no parent: a popup";
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(300, client.right);
  EXPECT_EQ(220, client.bottom);
  ASSERT_EQ(9, dialog.GetControlCount());

  struct Expected {
    const char* name;
    const char* className;
    int id;
    const char* text;
    DWORD styleBits;  // these must be set
  };
  const Expected expected[] = {
      {"Frame", "Static", 1, "", SS_OWNERDRAW},
      {"OK", "Button", 2, "Go", BS_DEFPUSHBUTTON},
      {"Check", "Button", 3, "Tick", BS_CHECKBOX},
      {"Radio", "Button", 4, "Pick", BS_RADIOBUTTON},
      {"Group", "Button", 5, "Box", BS_GROUPBOX},
      {"Edit", "Edit", -6, "typed", ES_NUMBER},
      {"List", "ListBox", 7, "", LBS_OWNERDRAWVARIABLE},
      {"Combo", "ComboBox", 8, "", CBS_DROPDOWNLIST},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.name);
    HWND control = ControlWindow(dialog, e.name);
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(window, GetParent(control));
    EXPECT_STRCASEEQ(e.className, ClassOf(control).c_str());
    EXPECT_EQ(e.id, GetDlgCtrlID(control));
    EXPECT_EQ(e.text, TextOf(control));
    DWORD style = DWORD(GetWindowLongA(control, GWL_STYLE));
    EXPECT_EQ(e.styleBits, style & e.styleBits);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(control));
    EXPECT_STREQ(e.name, dialog.GetControl(dialog.FindControlByName(e.name))->GetName().GetText());
  }
  EXPECT_FALSE(IsWindowVisible(ControlWindow(dialog, "Hidden"))) << "a record without WS_VISIBLE";

  EXPECT_EQ(BST_CHECKED, SendMessageA(ControlWindow(dialog, "Check"), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_CHECKED, SendMessageA(ControlWindow(dialog, "Radio"), BM_GETCHECK, 0, 0));
  EXPECT_EQ(4, SendMessageA(ControlWindow(dialog, "Edit"), EM_GETLIMITTEXT, 0, 0));

  HWND list = ControlWindow(dialog, "List");
  ASSERT_EQ(3, SendMessageA(list, LB_GETCOUNT, 0, 0)) << "items trimmed, the empty last one kept";
  // Combo: «A|B|» is three strings, the last one empty.
  HWND combo = ControlWindow(dialog, "Combo");
  ASSERT_EQ(3, SendMessageA(combo, CB_GETCOUNT, 0, 0));
  const char* comboItems[] = {"A", "B", ""};
  for (int i = 0; i < 3; i++) {
    char text[16] = "?";
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(comboItems[i], text);
  }
}

// A control that counts the control-created message, supplied by the
// dialog in place of the framework's own class.
class CountingButton : public SButtonCtrl {
 public:
  int created = 0;
  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == kControlCreatedMessage) created++;
    return SButtonCtrl::WindowProc(message, wparam, lparam);
  }
};

TEST_F(BuilderTest, TheDialogSuppliesControlObjectsAndHearsItIsBuilt) {
  TestDialog dialog;
  CountingButton* supplied = nullptr;
  std::vector<int> asked;
  dialog.objects = [&](int number, const SDialog::ControlRecord* record) -> SWnd* {
    asked.push_back(number);
    if (record->name == SString("Counted")) return supplied = new CountingButton;
    return nullptr;
  };
  DialogDescriptionOptions own;
  own.creationParameter = reinterpret_cast<void*>(0x1234);
  ASSERT_TRUE(LoadDescription(dialog,
                              {DialogRecord(200, 100), ControlRecord("CHECK", 1, "Plain", "p", 10, 10, 80, 20),
                               ControlRecord("BUTTON", 2, "Counted", "c", 10, 40, 80, 20)},
                              nullptr, &own));
  EXPECT_EQ((std::vector<int>{kControlCheck, kControlButton}), asked);
  ASSERT_NE(nullptr, supplied);
  EXPECT_EQ(supplied, dialog.GetControl(1));
  EXPECT_EQ(1, supplied->created);
  ASSERT_EQ(1, dialog.Count(kDialogBuiltMessage));
  EXPECT_EQ((std::vector<LPARAM>{0x1234}), dialog.Params(kDialogBuiltMessage));
  EXPECT_EQ((std::vector<LPARAM>{0x1234}), dialog.Params(kCreatedMessage)) << "the creation data";
}

TEST_F(BuilderTest, ARecordTheFactoryCannotMakeFailsTheDialog) {
  TestDialog dialog;
  // LABEL is an owner-drawn type, not made by this factory yet.
  EXPECT_FALSE(LoadDescription(dialog, {DialogRecord(200, 100), ControlRecord("BUTTON", 1, "Before", "b", 10, 10, 80, 20),
                                        ControlRecord("LABEL", 2, "Label", "l", 10, 40, 80, 20),
                                        ControlRecord("BUTTON", 3, "After", "a", 10, 70, 80, 20)}));
  // The window and the controls made so far stay for the caller.
  EXPECT_NE(nullptr, dialog.GetHwnd());
  ASSERT_EQ(1, dialog.GetControlCount());
  EXPECT_EQ(0, dialog.FindControlByName("Before"));
  EXPECT_EQ(0, dialog.Count(kDialogBuiltMessage));
}

TEST_F(BuilderTest, DescriptionsThatDoNotReadMakeNoWindow) {
  for (const std::vector<DescribedRecord>& records :
       {std::vector<DescribedRecord>{},  // the header alone: no dialog record
        std::vector<DescribedRecord>{DialogRecord(100, 100), {"NOTHING", {"ID=1"}}}}) {
    TestDialog dialog;
    EXPECT_FALSE(LoadDescription(dialog, records));
    EXPECT_EQ(nullptr, dialog.GetHwnd());
  }
  TestDialog dialog;
  EXPECT_FALSE(CreateDialogFromDescription(nullptr, &dialog, nullptr, nullptr, false, nullptr, nullptr, nullptr,
                                           false, nullptr, nullptr));
  EXPECT_EQ(nullptr, dialog.GetHwnd());
}

TEST_F(BuilderTest, TheTransparentWordReachesSetBackColorUnchanged) {
  TestDialog dialog;
  // -16777215 is 0xFF000001; -33554417 is 0xFE00000F, the button face.
  ASSERT_TRUE(LoadDescription(dialog, {DialogRecord(200, 100, {"BACKCOLOR=#FF000001"}),
                                       ControlRecord("BUTTON", 1, "Clear", "c", 10, 10, 80, 20, "WS_VISIBLE",
                                                     {"BACKCOLOR=#FF000001"}),
                                       ControlRecord("BUTTON", 2, "Face", "f", 10, 40, 80, 20, "WS_VISIBLE",
                                                     {"BACKCOLOR=#FE00000F"})}));
  EXPECT_EQ(kColorParentPaints, dialog.GetBackColor());
  EXPECT_EQ(kColorParentPaints, dialog.GetControl(0)->GetBackColor());
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), dialog.GetControl(1)->GetBackColor());
}

}  // namespace
