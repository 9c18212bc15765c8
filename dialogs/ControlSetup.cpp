#include "dialogs/ControlSetup.h"

#include "dialogs/ControlFactory.h"
#include "dialogs/ControlTypes.h"
#include "files/SFileMem.h"
#include "window/SImage.h"
#include "window/controls/SCheckCtrl.h"
#include "window/controls/SComboCtrl.h"
#include "window/controls/SEditCtrl.h"
#include "window/controls/SExListCtrl.h"
#include "window/controls/SLabelCtrl.h"
#include "window/controls/SListCtrl.h"
#include "window/controls/SProgressCtrl.h"
#include "window/controls/SRadioCtrl.h"
#include "window/controls/SRichEditCtrl.h"
#include "window/controls/SScrollCtrl.h"
#include "window/controls/SSliderCtrl.h"
#include "window/controls/SStaticCtrl.h"
#include "window/controls/STabCtrl.h"
#include "window/controls/SToolBarCtrl.h"
#include "window/controls/STreeCtrl.h"

namespace {

using _SCtrl = SDialogModel::_SCtrl;

// Every setter here is reached through the record's type, whose window
// class the factory made.
template <class T>
T* As(SWnd* window) {
  return static_cast<T*>(window);
}

// The entry's lines that are not "", in order.
void ForEachResourceLine(SResource* resources, const SString& name, void (*add)(SWnd*, const char*), SWnd* window) {
  SFileMem stream;
  if (!ReadResourceEntry(resources, name, &stream)) return;
  while (!stream.IsEnd()) {
    SString line = stream.ReadLine(true, -1, nullptr);
    if (line.GetLength() > 0) add(window, line.GetText());
  }
}

void ForEachListItem(const SString& value, void (*add)(SWnd*, const char*), SWnd* window) {
  SStringArray items;
  int count = SplitDescriptionList(value, &items);
  for (int i = 0; i < count; i++) add(window, items.GetString(i).GetText());
}

void AddComboString(SWnd* combo, const char* text) {
  combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void AddListItem(SWnd* list, const char* text) { As<SListCtrl>(list)->InsertItem(-1, text, -1, -1, 0); }

void SetUpCheck(SWnd* window, const _SCtrl& record) {
  ApplyRecordBackColor(window, record.backColor);
  if (record.GetExtraInt("CHECK_CHECKED") != 0) window->SendMessage(BM_SETCHECK, BST_CHECKED, 0);
}

void SetUpEdit(SWnd* window, SResource* resources, const _SCtrl& record) {
  auto* edit = As<SEditCtrl>(window);
  if (record.GetExtraBool("EDIT_NOPOPUPMENU")) edit->SetContextMenuAllowed(false);
  if (record.textColor != kColorDefault) edit->SetTextColor(ResolveColorWord(record.textColor));
  ApplyRecordBackColor(window, record.backColor);
  SFileMem text;
  if (ReadResourceEntry(resources, record.GetExtra("EDIT_TEXT"), &text))
    edit->SetText(text.ReadString(-1).GetText());
  if (int limit = record.GetExtraInt("EDIT_MAXLENGTH")) edit->SetLimitText(limit);
  if (record.GetExtraBool("EDIT_SELECTALL")) edit->SetSel(0, -1);
}

void SetUpList(SWnd* window, SResource* resources, const _SCtrl& record) {
  auto* list = As<SListCtrl>(window);
  if (record.textColor != kColorDefault) list->SetTextColor(ResolveColorWord(record.textColor));
  ApplyRecordBackColor(window, record.backColor);
  list->SetSelectionColors(record.GetExtraColor("LIST_SELBACKCOLOR"), record.GetExtraColor("LIST_SELTEXTCOLOR"));
  ForEachResourceLine(resources, record.GetExtra("LIST_FILE"), AddListItem, window);
  ForEachListItem(record.GetExtra("LIST_CONTENT"), AddListItem, window);
}

void SetUpRadio(SWnd* window, const _SCtrl& record) {
  auto* radio = As<SRadioCtrl>(window);
  ApplyRecordBackColor(window, record.backColor);
  radio->SetGroup(record.GetExtraInt("RADIO_GROUP"));
  if (record.GetExtraInt("RADIO_CHECKED") != 0) radio->Select();
}

void SetUpRichEdit(SWnd* window, SResource* resources, const _SCtrl& record) {
  SFileMem text;
  if (!ReadResourceEntry(resources, record.GetExtra("RICHEDIT_FILE"), &text)) return;
  window->SetText("");
  As<SRichEditCtrl>(window)->LoadStream(&text, false);
}

void SetUpSlider(SWnd* window, const _SCtrl& record) {
  ApplyRecordBackColor(window, record.backColor);
  window->SendMessage(TBM_SETRANGEMIN, FALSE, record.GetExtraInt("SLIDER_MINVALUE"));
  window->SendMessage(TBM_SETRANGEMAX, FALSE, record.GetExtraInt("SLIDER_MAXVALUE"));
  window->Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW, nullptr, nullptr);
  As<SSliderCtrl>(window)->SetPos(record.GetExtraInt("SLIDER_VALUE"), true);
}

// The DrawEdge edge a name gives; 0 (none) for any other text.
int EdgeFromName(const SString& name) {
  static const struct {
    const char* name;
    int edge;
  } kEdges[] = {{"_EDGESUNKENOUTER", BDR_SUNKENOUTER}, {"_EDGESUNKENINNER", BDR_SUNKENINNER},
                {"_EDGERAISEDOUTER", BDR_RAISEDOUTER}, {"_EDGERAISEDINNER", BDR_RAISEDINNER},
                {"_EDGESUNKEN", EDGE_SUNKEN},          {"_EDGERAISED", EDGE_RAISED},
                {"_EDGEETCHED", EDGE_ETCHED},          {"_EDGEBUMP", EDGE_BUMP}};
  for (const auto& e : kEdges)
    if (name == e.name) return e.edge;
  return 0;
}

// The draw mode named by one key, then the picture of the resource another
// key names, when it decodes.
void SetUpBackgroundImage(SWnd* window, SResource* resources, const _SCtrl& record, const char* drawModeKey,
                          const char* imageKey) {
  window->SetBackgroundDrawMode(ImageDrawModeFromName(&record, drawModeKey));
  SFileMem picture;
  if (!ReadResourceEntry(resources, record.GetExtra(imageKey), &picture)) return;
  SImage image;
  if (image.LoadFromStream(&picture, -1))
    window->SetBackgroundImage(image.GetBitmap(), kColorNone, -1, nullptr, true);
}

void SetUpStatic(SWnd* window, SResource* resources, const _SCtrl& record) {
  auto* frame = As<SStaticCtrl>(window);
  frame->SetEdge(EdgeFromName(record.GetExtra("STATIC_EDGE")));
  int borders = (record.GetExtraBool("STATIC_LEFTBORDER") ? BF_LEFT : 0) |
                (record.GetExtraBool("STATIC_TOPBORDER") ? BF_TOP : 0) |
                (record.GetExtraBool("STATIC_RIGHTBORDER") ? BF_RIGHT : 0) |
                (record.GetExtraBool("STATIC_BOTTOMBORDER") ? BF_BOTTOM : 0);
  frame->SetBorderFlags(borders);
  ApplyRecordBackColor(window, record.backColor);
  SetUpBackgroundImage(window, resources, record, "STATIC_IMAGEDRAWMODE", "STATIC_IMAGE");
}

// The alignment names of the designer; any other name is left, or top.
int32_t LabelAlignment(const _SCtrl& record) {
  const SString horizontal = record.GetExtra("LABEL_HALIGN"), vertical = record.GetExtra("LABEL_VALIGN");
  int32_t flags = horizontal == "_JUSTIFY"  ? 3
                  : horizontal == "_CENTER" ? kLabelCenter
                  : horizontal == "_RIGHT"  ? kLabelRight
                                            : kLabelLeft;
  return flags | (vertical == "_MIDDLE" ? kLabelMiddle : vertical == "_BOTTOM" ? kLabelBottom : kLabelTop);
}

void SetUpLabel(SWnd* window, SResource* resources, const _SCtrl& record) {
  auto* label = As<SLabelCtrl>(window);
  if (record.textColor != kColorDefault) label->SetTextColor(ResolveColorWord(record.textColor));
  if (record.transparent)
    window->SetBackColor(kColorParentPaints);
  else
    ApplyRecordBackColor(window, record.backColor);
  label->SetAlignment(LabelAlignment(record));
  SFileMem text;
  if (ReadResourceEntry(resources, record.GetExtra("LABEL_TEXT"), &text))
    label->SetText(text.ReadString(-1).GetText());
  SetUpBackgroundImage(window, resources, record, "LABEL_IMAGEDRAWMODE", "LABEL_IMAGE");
}

void SetUpTab(SWnd* window, const _SCtrl& record, bool runMode) {
  auto* tab = As<STabCtrl>(window);
  SStringArray pages;
  int count = SplitDescriptionList(record.GetExtra("TAB_CONTENT"), &pages);
  for (int i = 0; i < count; i++) {
    SString text = pages.GetString(i);
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text.GetBuffer() ? text.GetBuffer() : const_cast<char*>("");
    item.iImage = -1;
    tab->SendMessage(TCM_INSERTITEMA, WPARAM(tab->GetItemCount()), reinterpret_cast<LPARAM>(&item));
    tab->ShowPage(tab->GetCurSel());
  }
  int selection = record.GetExtraInt("TAB_SELECTION");
  tab->SendMessage(TCM_SETCURSEL, WPARAM(selection), 0);
  tab->ShowPage(selection);
  if (!runMode) return;
  SStringArray tips;
  int tipCount = SplitDescriptionList(record.GetExtra("TAB_TIPCONTENT"), &tips);
  for (int i = 0; i < tipCount; i++) tab->SetItemTip(i, tips.GetString(i).GetText());
}

void SetUpToolBar(SWnd* window, const _SCtrl& record) {
  auto* toolBar = As<SToolBarCtrl>(window);
  if (record.GetExtraBool("TOOLBAR_TRANSPARENT")) toolBar->SetTransparent();
  int width = record.GetExtraInt("TOOLBAR_IMAGEWIDTH");
  int height = record.GetExtraInt("TOOLBAR_IMAGEHEIGHT");
  toolBar->SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(width ? width : 16, height ? height : 16));
  SStringArray items;
  int count = SplitDescriptionList(record.GetExtra("TOOLBAR_CONTENT"), &items);
  // A run of empty items is one separator before the next button; empty
  // items at the end give none.
  bool separatorPending = false;
  int button = 0;
  for (int i = 0; i < count; i++) {
    SString text = items.GetString(i);
    if (text.GetLength() == 0) {
      separatorPending = true;
      continue;
    }
    if (separatorPending) toolBar->AddSeparator(0, 0);
    separatorPending = false;
    toolBar->AddButton(button, button, text.GetText(), BTNS_AUTOSIZE | BTNS_SHOWTEXT, TBSTATE_ENABLED, 0);
    button++;
  }
}

void SetUpTree(SWnd* window, SResource* resources, const _SCtrl& record) {
  auto* tree = As<STreeCtrl>(window);
  // The native control never drags; the style tells whether the framework
  // does.
  tree->SetDragEnabled(!(record.style & TVS_DISABLEDRAGDROP));
  SFileMem file;
  if (ReadResourceEntry(resources, record.GetExtra("TREE_FILE"), &file)) tree->LoadFile(&file, true);
}

void SetUpWindow(SWnd* window, const _SCtrl& record) {
  if (record.transparent) {
    window->SetBackColor(kColorParentPaints);
  } else {
    // Unset is white here, not the framework's default.
    window->SetBackColor(record.backColor == kColorDefault ? 0x00FFFFFF : ResolveColorWord(record.backColor));
  }
}

}  // namespace

void SetUpControl(SWnd* window, SResource* resources, const _SCtrl& record, bool runMode) {
  switch (record.controlNumber) {
    case kControlButton:
    case kControlGroup:
      ApplyRecordBackColor(window, record.backColor);
      break;
    case kControlCheck:
      SetUpCheck(window, record);
      break;
    case kControlCombo:
      ForEachResourceLine(resources, record.GetExtra("COMBO_FILE"), AddComboString, window);
      ForEachListItem(record.GetExtra("COMBO_CONTENT"), AddComboString, window);
      break;
    case kControlEdit:
      SetUpEdit(window, resources, record);
      break;
    case kControlExtendedList: {
      LPARAM bits = (record.GetExtraBool("EXLIST_GRIDLINES") ? LVS_EX_GRIDLINES : 0) |
                    (record.GetExtraBool("EXLIST_FULLROWSELECT") ? LVS_EX_FULLROWSELECT : 0);
      window->SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, bits);
      break;
    }
    case kControlLabel:
      SetUpLabel(window, resources, record);
      break;
    case kControlList:
      SetUpList(window, resources, record);
      break;
    case kControlProgress:
      As<SProgressCtrl>(window)->SetRange(record.GetExtraInt("PROGRESS_MINVALUE"),
                                          record.GetExtraInt("PROGRESS_MAXVALUE"));
      As<SProgressCtrl>(window)->SetPos(record.GetExtraInt("PROGRESS_VALUE"));
      break;
    case kControlRadio:
      SetUpRadio(window, record);
      break;
    case kControlRichEdit:
      SetUpRichEdit(window, resources, record);
      break;
    case kControlScroll:
      As<SScrollCtrl>(window)->SetRange(record.GetExtraInt("SCROLL_MINVALUE"), record.GetExtraInt("SCROLL_MAXVALUE"),
                                        true);
      As<SScrollCtrl>(window)->SetPos(record.GetExtraInt("SCROLL_VALUE"), true);
      break;
    case kControlSlider:
      SetUpSlider(window, record);
      break;
    case kControlStatic:
      SetUpStatic(window, resources, record);
      break;
    case kControlTab:
      SetUpTab(window, record, runMode);
      break;
    case kControlToolBar:
      SetUpToolBar(window, record);
      break;
    case kControlTree:
      SetUpTree(window, resources, record);
      break;
    case kControlWindow:
      SetUpWindow(window, record);
      break;
    default:
      // EXTERN took its names before creation.
      break;
  }
}
