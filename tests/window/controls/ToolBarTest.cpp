// The tool bar as a dialog builds it from a tool-bar file: buttons, ids,
// states, texts and images, and clicks reaching the dialog with the ids the
// buttons hold.
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "../DialogTesting.h"
#include "../ResourceTesting.h"
#include "window/ControlNotify.h"
#include "window/controls/SControlBarCtrl.h"
#include "window/controls/SToolBarCtrl.h"

namespace {

const UINT kToolBarCommand = 0x8CE4;

class ToolBar : public WindowTest {};

std::vector<std::string> ThreeButtons(const char* second = "") {
  std::vector<std::string> lines = {"TAVRIN TOOLBAR 1.0.0.0", "width=16", "height=16", "count=3",
                                    "[0]",  "name=open", "text=Open", "image=open.png",
                                    "[1]",  "name=save", "text=Save", "image=save.png"};
  if (*second) lines.push_back(second);
  for (const char* line : {"[2]", "name=quit", "text=Quit", "image=quit.png", "data=77"}) lines.push_back(line);
  return lines;
}

bool Load(TestDialog& dialog, const std::vector<std::string>& lines, SResource* resources = nullptr,
          NameToIdFunction nameToId = nullptr, void* context = nullptr, ToolBarFactory factory = nullptr) {
  SFileMem file;
  FillLines(file, lines);
  return dialog.LoadToolBarFile(&file, resources, factory, context, nameToId);
}

std::vector<int> Ids(const SToolBarCtrl* bar) {
  std::vector<int> ids;
  for (int i = 0; i < bar->GetButtonCount(); i++) ids.push_back(bar->GetButtonId(i));
  return ids;
}

TBBUTTON Button(const SToolBarCtrl* bar, int index) {
  TBBUTTON button = {};
  bar->SendMessage(TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
  return button;
}

// Clicks the button at index with synthesised input; the ids that reached
// the dialog as tool-bar commands since.
std::vector<LPARAM> ClickButton(TestDialog& dialog, SToolBarCtrl* bar, int index) {
  size_t before = dialog.Params(kToolBarCommand).size();
  RECT rect = {};
  bar->SendMessage(TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
  if (!ClickAt(bar->GetHwnd(), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2)) return {};
  PumpUntil([&] { return dialog.Params(kToolBarCommand).size() > before; }, 1500);
  std::vector<LPARAM> all = dialog.Params(kToolBarCommand);
  return std::vector<LPARAM>(all.begin() + long(before), all.end());
}

int IdOfName(void* context, const char* name) {
  auto* names = static_cast<std::map<std::string, int>*>(context);
  auto found = names->find(name);
  return found == names->end() ? 0 : found->second;
}

TEST_F(ToolBar, AutomaticIdsReachTheDialogAsTheButtonsHoldThem) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  ASSERT_TRUE(dialog.CreateControlBar());
  ASSERT_TRUE(Load(dialog, ThreeButtons()));
  SToolBarCtrl* bar = dialog.GetToolBar();
  ASSERT_NE(nullptr, bar);
  EXPECT_EQ(kWindowToolBar, bar->GetType());
  EXPECT_EQ(dialog.GetControlBar()->GetHwnd(), GetParent(bar->GetHwnd()));
  EXPECT_EQ(1, dialog.GetControlBar()->GetBandCount());
  EXPECT_EQ((std::vector<int>{-2, -3, -4}), Ids(bar));
  EXPECT_STREQ("Save", bar->GetButtonText(-3).GetBuffer());
  EXPECT_EQ(DWORD_PTR(77), Button(bar, 2).dwData);
  DWORD style = DWORD(bar->GetStyle());
  EXPECT_TRUE(style & TBSTYLE_FLAT);
  EXPECT_TRUE(style & TBSTYLE_TRANSPARENT);
  EXPECT_TRUE(style & CCS_NODIVIDER);
  // The commands go to the hidden host, not to the control bar.
  HWND host = bar->GetHostWindow();
  ASSERT_NE(nullptr, host);
  EXPECT_EQ(bar->GetHwnd(), GetParent(host));
  EXPECT_FALSE(IsWindowVisible(host));

  PumpMessages();
  EXPECT_EQ((std::vector<LPARAM>{-2}), ClickButton(dialog, bar, 0)) << "not 65534";
  EXPECT_EQ((std::vector<LPARAM>{-4}), ClickButton(dialog, bar, 2));
}

TEST_F(ToolBar, SeparatorsTakeAnAutomaticIdOfTheirOwn) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  ASSERT_TRUE(dialog.CreateControlBar());
  std::vector<std::string> lines = {"TAVRIN TOOLBAR 1.0.0.0", "count=3", "[0]", "text=A", "[1]", "separator=1",
                                    "[2]", "text=C"};
  ASSERT_TRUE(Load(dialog, lines));
  SToolBarCtrl* bar = dialog.GetToolBar();
  EXPECT_EQ((std::vector<int>{-2, 0, -4}), Ids(bar));
  EXPECT_TRUE(Button(bar, 1).fsStyle & BTNS_SEP);
  PumpMessages();
  EXPECT_EQ((std::vector<LPARAM>{-4}), ClickButton(dialog, bar, 2));
  EXPECT_TRUE(ClickButton(dialog, bar, 1).empty()) << "a separator commands nothing";
}

TEST_F(ToolBar, NamesGiveIdsThroughTheCallback) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  ASSERT_TRUE(dialog.CreateControlBar());
  std::map<std::string, int> names = {{"open", 101}, {"quit", 60000}};
  ASSERT_TRUE(Load(dialog, ThreeButtons("separator=0"), nullptr, IdOfName, &names));
  SToolBarCtrl* bar = dialog.GetToolBar();
  EXPECT_EQ((std::vector<int>{101, -3, 60000}), Ids(bar)) << "an unknown name keeps the automatic id";
  PumpMessages();
  EXPECT_EQ((std::vector<LPARAM>{101}), ClickButton(dialog, bar, 0));
  EXPECT_EQ((std::vector<LPARAM>{-3}), ClickButton(dialog, bar, 1));
}

TEST_F(ToolBar, OnlyTheExactFlagDisables) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  ASSERT_TRUE(dialog.CreateControlBar());
  std::vector<std::string> lines = {"TAVRIN TOOLBAR 1.0.0.0", "count=3", "[0]", "disabled=1", "text=Off",
                                    "[1]", "disabled=yes", "text=On", "[2]", "disabled=0", "text=On too"};
  ASSERT_TRUE(Load(dialog, lines));
  SToolBarCtrl* bar = dialog.GetToolBar();
  EXPECT_FALSE(bar->IsButtonEnabled(-2));
  EXPECT_TRUE(bar->IsButtonEnabled(-3));
  EXPECT_TRUE(bar->IsButtonEnabled(-4));
  PumpMessages();
  EXPECT_TRUE(ClickButton(dialog, bar, 0).empty()) << "disabled";
  EXPECT_TRUE(bar->EnableButton(-2, true));
  EXPECT_EQ((std::vector<LPARAM>{-2}), ClickButton(dialog, bar, 0));
}

TEST_F(ToolBar, ImagesComeFromTheResourcesOnly) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  ASSERT_TRUE(dialog.CreateControlBar());
  ASSERT_TRUE(Load(dialog, ThreeButtons()));
  SToolBarCtrl* bar = dialog.GetToolBar();
  for (int i = 0; i < 3; i++) EXPECT_EQ(-1, Button(bar, i).iBitmap) << i;
  EXPECT_EQ(0, dialog.GetToolBarImages().GetCount());
  EXPECT_EQ(dialog.GetToolBarImages().GetHandle(), bar->GetImageList());

  // With resources: "save.png" is missing, so its button has none and the
  // list holds only the two that loaded.
  TestResources pack;
  pack.AddPicture("open.png", 16, 16, 0xFFFF0000);
  pack.AddPicture("quit.png", 16, 16, 0xFF0000FF);
  SResource* resources = pack.Open();
  ASSERT_NE(nullptr, resources);
  ASSERT_TRUE(Load(dialog, ThreeButtons(), resources));
  bar = dialog.GetToolBar();
  EXPECT_EQ(0, Button(bar, 0).iBitmap);
  EXPECT_EQ(-1, Button(bar, 1).iBitmap);
  EXPECT_EQ(1, Button(bar, 2).iBitmap);
  EXPECT_EQ(2, dialog.GetToolBarImages().GetCount());
  EXPECT_EQ(1, dialog.GetControlBar()->GetBandCount()) << "the old tool bar went with its band";
}

TEST_F(ToolBar, CountIsBoundedByTheSectionsPresent) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  ASSERT_TRUE(dialog.CreateControlBar());
  std::vector<std::string> lines = {"TAVRIN TOOLBAR 1.0.0.0", "count=2000000000", "[0]", "text=A", "[1]", "text=B"};
  ASSERT_TRUE(Load(dialog, lines));
  EXPECT_EQ(2, dialog.GetToolBar()->GetButtonCount());
}

TEST_F(ToolBar, RefusedFilesLeaveNoToolBar) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  // Without a control bar nothing changes.
  EXPECT_FALSE(Load(dialog, ThreeButtons()));
  ASSERT_TRUE(dialog.CreateControlBar());
  ASSERT_TRUE(Load(dialog, ThreeButtons()));
  SToolBarCtrl* kept = dialog.GetToolBar();
  dialog.DestroyControlBar();
  // The tool bar's window went with the control bar; the object stays the
  // dialog's until the next load or clearing.
  EXPECT_FALSE(Load(dialog, ThreeButtons()));
  EXPECT_EQ(kept, dialog.GetToolBar());

  ASSERT_TRUE(dialog.CreateControlBar());
  std::vector<std::string> wrong = ThreeButtons();
  wrong[0] = "TAVRIN TOOLBAR 2.0.0.0";
  EXPECT_FALSE(Load(dialog, wrong));
  EXPECT_EQ(nullptr, dialog.GetToolBar());
  EXPECT_EQ(nullptr, dialog.GetToolBarImages().GetHandle());
  wrong[0] = "tavrin toolbar 1.0.0.0";
  EXPECT_FALSE(Load(dialog, wrong));
  EXPECT_FALSE(dialog.LoadToolBarFile(nullptr, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(nullptr, dialog.GetToolBar());
}

SToolBarCtrl* MadeToolBar = nullptr;
SToolBarCtrl* MakeToolBar(void* context) {
  (*static_cast<int*>(context))++;
  return MadeToolBar = new SToolBarCtrl;
}
SToolBarCtrl* NoToolBar(void*) { return nullptr; }

TEST_F(ToolBar, FactoryMakesTheToolBar) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  ASSERT_TRUE(dialog.CreateControlBar());
  int calls = 0;
  ASSERT_TRUE(Load(dialog, ThreeButtons(), nullptr, nullptr, &calls, MakeToolBar));
  EXPECT_EQ(1, calls);
  EXPECT_EQ(MadeToolBar, dialog.GetToolBar());
  EXPECT_FALSE(Load(dialog, ThreeButtons(), nullptr, nullptr, nullptr, NoToolBar));
  EXPECT_EQ(nullptr, dialog.GetToolBar());
}

TEST_F(ToolBar, ButtonWrappers) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Make());
  ASSERT_TRUE(dialog.CreateControlBar());
  ASSERT_TRUE(Load(dialog, ThreeButtons()));
  SToolBarCtrl* bar = dialog.GetToolBar();
  EXPECT_TRUE(bar->CheckButton(-3, true));
  EXPECT_TRUE(bar->IsButtonChecked(-3));
  EXPECT_FALSE(bar->IsButtonChecked(-2));
  EXPECT_TRUE(bar->ShowButton(-2, false));
  EXPECT_FALSE(bar->IsButtonVisible(-2));
  EXPECT_TRUE(bar->IsButtonVisible(-4));
  EXPECT_EQ(2, bar->CommandToIndex(-4));
  EXPECT_TRUE(bar->MoveButton(-4, 0));
  EXPECT_EQ((std::vector<int>{-4, -2, -3}), Ids(bar));
  EXPECT_TRUE(bar->DeleteButton(1));
  EXPECT_EQ((std::vector<int>{-4, -3}), Ids(bar));
  EXPECT_EQ(-1, bar->GetButtonId(5));
  EXPECT_TRUE(bar->AddSeparator(0, 8));
  EXPECT_TRUE(bar->AddButton(-1, 42, "New", BTNS_BUTTON, TBSTATE_ENABLED, 0));
  EXPECT_STREQ("New", bar->GetButtonText(42).GetBuffer());
  EXPECT_STREQ("", bar->GetButtonText(99).GetBuffer());
}

}  // namespace
