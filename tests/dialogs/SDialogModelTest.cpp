#include "dialogs/SDialogModel.h"

#include <string>
#include <vector>

#include "DialogTesting.h"
#include "dialogs/DialogPlatform.h"

namespace {

_SCtrl* AddNew(SDialogModel& model, int controlNumber) {
  _SCtrl r;
  r.controlNumber = int16_t(controlNumber);
  return model.AddControl(&r, true, false, false);
}

// Records every hook the model calls, and answers as told.
class HookModel : public ReadyModel {
 public:
  bool OnControlAdding(_SCtrl* record) override {
    log.push_back("adding " + std::string(record->name.GetText()));
    return allowAdding;
  }
  bool OnControlRemoving(_SCtrl* record) override {
    log.push_back("removing " + std::string(record->name.GetText()));
    return allowRemoving;
  }
  void OnSelectionChanged(_SCtrl* before, _SCtrl* after) override {
    log.push_back(std::string("selection ") + (before ? before->name.GetText() : "-") + " > " +
                  (after ? after->name.GetText() : "-"));
  }
  void OnClearing() override { log.push_back("clearing"); }
  void OnCleared() override { log.push_back("cleared"); }

  bool allowAdding = true;
  bool allowRemoving = true;
  std::vector<std::string> log;
};

}  // namespace

TEST(SDialogModel, AddControlRefusesUnknownTypesAndOwnRecords) {
  ReadyModel model;
  _SCtrl r;
  for (int number : {37, -1, 200}) {
    r.controlNumber = int16_t(number);
    EXPECT_EQ(model.AddControl(&r, true, false, false), nullptr) << number;
  }
  EXPECT_EQ(model.AddControl(nullptr, true, false, false), nullptr);
  _SCtrl* added = AddNew(model, kControlButton);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(model.AddControl(added, false, true, true), nullptr);
  EXPECT_EQ(model.GetControlCount(), 1);
}

TEST(SDialogModel, NewEditGetsItsDefaults) {
  ReadyModel model;
  _SCtrl* edit = AddNew(model, kControlEdit);
  ASSERT_NE(edit, nullptr);
  EXPECT_STREQ(edit->caption.GetText(), "Edit");
  EXPECT_EQ(edit->style, 0x10000080u);
  EXPECT_EQ(edit->exStyle, 0x200u);
  EXPECT_EQ(edit->width, 150);
  EXPECT_EQ(edit->height, 20);
  EXPECT_STREQ(edit->extra.GetText(), "TABINDEX=-1\r\nTABENABLED=1\r\n");
  EXPECT_STREQ(edit->name.GetText(), "EDIT1");
  EXPECT_EQ(edit->id, 1);
  EXPECT_FALSE(edit->isDialog);
}

TEST(SDialogModel, PerTypeDefaults) {
  ReadyModel model;
  struct Case {
    int number;
    uint32_t style, exStyle;
    int width, height;
    const char* caption;
    const char* extraStart;  // the first lines after TABINDEX
  } cases[] = {
      {kControlDialog, 0x10000000, 0, 150, 150, "Dialog", ""},
      {kControlBinary, 0x10000000, 0x200, 150, 150, "Binary", ""},
      {kControlBrowser, 0x10800000, 0, 150, 150, "Browser", "BROWSER_DIALOGS=1\r\n"},
      {kControlButton, 0x10000F00, 0, 100, 25, "Button", ""},
      {kControlCheck, 0x10000000, 0, 150, 20, "Check", ""},
      {kControlCodeEdit, 0x10000000, 0x200, 150, 150, "",
       "CODEEDIT_BARWIDTH=20\r\nCODEEDIT_TABSIZE=4\r\nCODEEDIT_BACKCOLOR=-16777216\r\n"},
      {kControlCombo, 0x10200503, 0, 150, 150, "Combo", ""},
      {kControlGui, 0x10000000, 0, 500, 400, "GUI", ""},
      {kControlLabel, 0x10000000, 0, 150, 20, "Label", "LABEL_HALIGN=_LEFT\r\nLABEL_VALIGN=_MIDDLE\r\n"},
      {kControlLcd, 0x10000000, 0x20000, 200, 15, "TAVRIN", "LCD_PIXELWIDTH=2\r\n"},
      {kControlLevel, 0x10000000, 0x20000, 40, 150, "Level", "LEVEL_CHANNELCOUNT=1\r\n"},
      {kControlList, 0x10200102, 0x200, 150, 150, "List", ""},
      {kControlMediaPlayer, 0x10000000, 0x200, 320, 180, "Media Player", ""},
      {kControlRichEdit, 0x103040C4, 0, 150, 150, "Rich Edit", ""},
      {kControlScroll, 0x10000000, 0, 150, DialogScrollBarHeight(), "Scroll", "SCROLL_VALUE=0\r\n"},
      {kControlStatic, 0x10000000, 0, 150, 150, "Static", "STATIC_EDGE=_EDGESUNKENOUTER\r\n"},
      {kControlTab, 0x10004000, 0, 150, 150, "Tab",
       "TAB_SELECTION=0\r\nTAB_CONTENT=Tab 1 | Tab 2\r\nTAB_TIPCONTENT=Tip 1 | Tip 2\r\n"},
      {kControlToolBar, 0x10000100, 0, 150, 25, "Tool Bar",
       "TOOLBAR_IMAGEWIDTH=16\r\nTOOLBAR_IMAGEHEIGHT=16\r\nTOOLBAR_CONTENT=Btn 1 | Btn 2\r\n"},
      {kControlTree, 0x10000017, 0x200, 150, 150, "Tree", ""},
      {kControlWindow, 0x10000000, 0x20000, 150, 150, "Window", ""},
      {kControlExtern, 0x10000000, 0x200, 150, 150, "External Control", ""},
  };
  for (const Case& c : cases) {
    _SCtrl* r = AddNew(model, c.number);
    ASSERT_NE(r, nullptr) << c.number;
    EXPECT_EQ(r->style, c.style) << c.number;
    EXPECT_EQ(r->exStyle, c.exStyle) << c.number;
    EXPECT_EQ(r->width, c.width) << c.number;
    EXPECT_EQ(r->height, c.height) << c.number;
    EXPECT_STREQ(r->caption.GetText(), c.caption) << c.number;
    std::string expected = std::string("TABINDEX=-1\r\n") + c.extraStart;
    EXPECT_EQ(std::string(r->extra.GetText()).substr(0, expected.size()), expected) << c.number;
  }
  // The last keys of the longest lists, each colour as the default word.
  _SCtrl* media = AddNew(model, kControlMedia);
  EXPECT_EQ(media->extra.CountLines(), 17);
  EXPECT_STREQ(media->GetExtra("MEDIA_LINKCOLOR").GetText(), "-16777216");
  _SCtrl* tabDoc = AddNew(model, kControlTabDoc);
  EXPECT_STREQ(tabDoc->GetExtra("TABDOC_CONTENT").GetText(), "Tab 1 | Tab 2");
  EXPECT_EQ(tabDoc->GetExtraColor("TABDOC_WINDOWBACKCOLOR"), 0xFF000000u);
  _SCtrl* wave = AddNew(model, kControlWaveEditor);
  EXPECT_STREQ(wave->GetExtra("WAVEEDITOR_COLORPROGRESSEND").GetText(), "-16777216");
  EXPECT_EQ(wave->extra.CountLines(), 13);
}

TEST(SDialogModel, TakenIdsAndNamesAreReplaced) {
  ReadyModel model;
  _SCtrl r;
  r.controlNumber = kControlButton;
  r.id = 5;
  r.name = "OK";
  _SCtrl* first = model.AddControl(&r, false, true, true);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->id, 5);
  EXPECT_STREQ(first->name.GetText(), "OK");
  // Id 5 and name OK are taken: the smallest free id from 1, BUTTON and the
  // first free number, even with keepId and checkName.
  _SCtrl* second = model.AddControl(&r, false, true, true);
  EXPECT_EQ(second->id, 1);
  EXPECT_STREQ(second->name.GetText(), "BUTTON1");
  // A kept name need not be an identifier.
  r.id = 9;
  r.name = "not an identifier";
  EXPECT_STREQ(model.AddControl(&r, false, true, true)->name.GetText(), "not an identifier");
  // checkName false always makes one.
  r.name = "FREE";
  EXPECT_STREQ(model.AddControl(&r, false, false, true)->name.GetText(), "BUTTON2");
}

TEST(SDialogModel, NamesAndIds) {
  ReadyModel model;
  EXPECT_EQ(model.NextFreeId(), 1);
  EXPECT_TRUE(model.IsNameFree("Name1"));
  EXPECT_FALSE(model.IsNameFree("1Name"));
  EXPECT_FALSE(model.IsNameFree(""));
  _SCtrl r;
  r.controlNumber = kControlEdit;
  r.name = "EDIT1";
  r.id = 1;
  model.AddControl(&r, false, true, true);
  r.name = "EDIT01";  // not EDIT and a number's own text
  r.id = 2;
  model.AddControl(&r, false, true, true);
  r.name = "EDIT3";
  r.id = 4;
  model.AddControl(&r, false, true, true);
  EXPECT_FALSE(model.IsNameFree("EDIT1"));
  EXPECT_TRUE(model.IsNameFree("edit1"));
  EXPECT_STREQ(model.MakeUniqueName(model.FindControlType("EDIT")).GetText(), "EDIT2");
  EXPECT_EQ(model.NextFreeId(), 3);
  EXPECT_STREQ(model.FindControlByName("EDIT3")->name.GetText(), "EDIT3");
  EXPECT_EQ(model.FindControlById(4), model.FindControlByName("EDIT3"));
  EXPECT_EQ(model.FindControlById(3), nullptr);
  EXPECT_EQ(model.GetControl(3), nullptr);
  EXPECT_EQ(model.GetControl(-1), nullptr);
}

TEST(SDialogModel, IdsRunOutAfter9999) {
  ReadyModel model;
  _SCtrl r;
  r.controlNumber = kControlPanel;
  for (int i = 1; i <= 9999; i++) {
    r.id = int16_t(i);
    r.name = SString("PANEL") + SString::FromInt(i);
    ASSERT_NE(model.AddControl(&r, false, true, true), nullptr);
  }
  EXPECT_EQ(model.NextFreeId(), -1);
  EXPECT_STREQ(model.MakeUniqueName(model.FindControlType("PANEL")).GetText(), "");
  // Still added, with what the model could give.
  _SCtrl* last = model.AddControl(&r, false, false, false);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->id, -1);
  EXPECT_STREQ(last->name.GetText(), "");
}

TEST(SDialogModel, AddingHookMayRefuse) {
  HookModel model;
  model.log.clear();
  model.allowAdding = false;
  EXPECT_EQ(AddNew(model, kControlButton), nullptr);
  EXPECT_EQ(model.GetControlCount(), 0);
  // Loading and undo (checkName and keepId) ask nobody.
  _SCtrl r;
  r.controlNumber = kControlButton;
  EXPECT_NE(model.AddControl(&r, false, true, true), nullptr);
  EXPECT_EQ(model.log, (std::vector<std::string>{"adding BUTTON1"}));
}

TEST(SDialogModel, RemoveControlDeselectsThenAsks) {
  HookModel model;
  _SCtrl* a = AddNew(model, kControlButton);
  _SCtrl* b = AddNew(model, kControlEdit);
  model.GetSelection().Add(a);
  model.GetSelection().Add(b);
  model.log.clear();
  model.allowRemoving = false;
  EXPECT_FALSE(model.RemoveControl(a, true));
  EXPECT_EQ(model.GetControlCount(), 2);
  EXPECT_EQ(model.GetPrimary(), b);
  model.allowRemoving = true;
  EXPECT_TRUE(model.RemoveControl(a, true));
  EXPECT_EQ(model.GetControlCount(), 1);
  EXPECT_EQ(model.log, (std::vector<std::string>{"selection BUTTON1 > EDIT1", "removing BUTTON1",
                                                 "removing BUTTON1"}));
  EXPECT_FALSE(model.RemoveControl(a, false));
  _SCtrl outside;
  EXPECT_FALSE(model.RemoveControl(&outside, false));
  EXPECT_FALSE(model.RemoveControl(nullptr, false));
}

TEST(SDialogModel, SetDialogRecordForcesADialog) {
  ReadyModel model;
  _SCtrl r;
  r.controlNumber = kControlButton;
  r.caption = "Main";
  EXPECT_TRUE(model.SetDialogRecord(&r));
  ASSERT_NE(model.GetDialogRecord(), nullptr);
  EXPECT_EQ(model.GetDialogRecord()->controlNumber, 0);
  EXPECT_TRUE(model.GetDialogRecord()->isDialog);
  EXPECT_STREQ(model.GetDialogRecord()->caption.GetText(), "Main");
  EXPECT_EQ(model.GetControlCount(), 0);
}

TEST(SDialogModel, SnapshotsRestoreRecordsAndSelection) {
  ReadyModel model;
  _SCtrl dialog;
  dialog.caption = "Before";
  model.SetDialogRecord(&dialog);
  _SCtrl* a = AddNew(model, kControlButton);
  AddNew(model, kControlEdit);
  model.GetSelection().Add(AddNew(model, kControlList));
  model.GetSelection().Add(a);

  SDialogModel::_SUndo snapshot;
  ASSERT_TRUE(model.TakeSnapshot(&snapshot));
  ASSERT_EQ(snapshot.controls.GetCount(), 3);
  EXPECT_EQ(snapshot.selected.GetCount(), 2);

  model.GetDialogRecord()->caption = "After";
  model.RemoveControl(a, false);
  AddNew(model, kControlTree);
  ASSERT_TRUE(model.RestoreSnapshot(&snapshot));
  EXPECT_STREQ(model.GetDialogRecord()->caption.GetText(), "Before");
  ASSERT_EQ(model.GetControlCount(), 3);
  for (int i = 0; i < 3; i++) ExpectSameRecord(*model.GetControl(i), *snapshot.controls.GetAt(i));
  // The selection of the snapshot, in list order, each record once.
  ASSERT_EQ(model.GetSelection().GetCount(), 2);
  EXPECT_EQ(model.GetSelection().GetAt(0), model.GetControl(0));
  EXPECT_EQ(model.GetSelection().GetAt(1), model.GetControl(2));

  SDialogModel empty;
  EXPECT_FALSE(empty.TakeSnapshot(&snapshot));
  SDialogModel::_SUndo none;
  EXPECT_FALSE(model.RestoreSnapshot(&none));
}

TEST(SDialogModel, ResetTellsTheSelectionOnlyAfterALoad) {
  HookModel model;
  SFileMem stream;
  FillStream(stream, "TAVRIN DIALOG 1.0.0.0\r\n\r\n[DIALOG]\r\n\r\n[BUTTON]\r\nNAME=B\r\n");
  ASSERT_TRUE(model.Load(&stream));
  ASSERT_TRUE(model.IsLoaded());
  model.GetSelection().Add(model.GetControl(0));
  model.log.clear();
  model.Reset();
  EXPECT_FALSE(model.IsLoaded());
  EXPECT_EQ(model.GetDialogRecord(), nullptr);
  EXPECT_EQ(model.GetControlCount(), 0);
  EXPECT_EQ(model.log, (std::vector<std::string>{"selection B > -", "clearing", "cleared"}));
  model.log.clear();
  model.Reset();
  EXPECT_EQ(model.log, (std::vector<std::string>{"clearing", "cleared"}));
}

TEST(SDialogModel, ClearFreesUndoAndRecords) {
  ReadyModel model;
  model.SetDialogRecord(nullptr);
  AddNew(model, kControlButton);
  auto* snapshot = new SDialogModel::_SUndo;
  model.TakeSnapshot(snapshot);
  model.GetUndoList().Add(snapshot);
  model.Clear();
  EXPECT_EQ(model.GetUndoList().GetCount(), 0);
  EXPECT_EQ(model.GetControlCount(), 0);
  EXPECT_EQ(model.GetDialogRecord(), nullptr);
}
