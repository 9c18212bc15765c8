// The dialog builder: its steps run in a fixed order, because later ones
// measure what earlier ones made (the size limits take the outer size with
// the bars and the menu bar, anchoring takes the places after them).
#include "dialogs/DialogFromDescription.h"

#include "core/SArray.h"
#include "core/SStringParser.h"
#include "dialogs/ControlFactory.h"
#include "dialogs/SDialogEditor.h"
#include "files/SFileMem.h"
#include "files/SResource.h"
#include "window/Framework.h"
#include "window/FrameworkMessage.h"
#include "window/FrameworkWindowClasses.h"
#include "window/SImage.h"
#include "window/SMenu.h"
#include "window/controls/STabCtrl.h"

namespace {

using _SCtrl = SDialogModel::_SCtrl;

// Styles a layered dialog cannot have: caption, system menu, sizing frame,
// minimize and maximize boxes; and the two sunken edges.
const DWORD kLayeredStyleMask = 0xFF30FFFF;
const DWORD kLayeredExStyleMask = 0xFFFDFDFF;
// The colour a shaped dialog's background image leaves out.
const uint32_t kShapeColor = 0x00FF00FF;

// One control window for each record of the model, index-parallel to its
// control list (null: not made).
using RecordWindows = SArray<SWnd*>;

SWnd* WindowById(SDialog* dialog, int id) {
  int i = dialog->FindControlById(uint32_t(id));
  return i < 0 ? nullptr : dialog->GetControl(i);
}

// Step 2-3: the description into the temporary model.
bool LoadDescription(SDialogEditor* editor, SFile* stream) {
  editor->InitControlTypes();
  stream->Rewind();
  return editor->Load(stream) && editor->GetDialogRecord();
}

bool CreateDialogWindow(SDialog* dialog, const _SCtrl& record, HWND parent, bool popup, void* creationParameter) {
  bool layered = record.GetExtraBool("DIALOG_LAYER");
  DWORD style = record.style & ~DWORD(WS_VISIBLE);
  style |= (popup || !parent) ? WS_POPUP : WS_CHILD;
  DWORD exStyle = record.exStyle;
  if (layered) {
    style &= kLayeredStyleMask;
    exStyle &= kLayeredExStyleMask;
  }
  if (!dialog->Create(style, record.caption.GetText(), exStyle, nullptr, parent, nullptr, creationParameter,
                      GetInstanceHandle(), record.GetExtraBool("DIALOG_NOCLOSE")))
    return false;
  dialog->SetClientSize(record.width, record.height);
  dialog->CenterWindow(true);
  return true;
}

// Steps 8-11: dropped files, icons and the background image.
void ApplyLooks(SDialog* dialog, const _SCtrl& record, SResource* resources) {
  if (record.GetExtraBool("DIALOG_DRAGFILES")) dialog->DragAcceptFiles(true);
  SFileMem iconFile;
  SImage icon;
  if (ReadResourceEntry(resources, record.GetExtra("DIALOG_ICON"), &iconFile) && icon.LoadFromStream(&iconFile, -1)) {
    if (HICON handle = icon.CreateIcon()) {
      dialog->SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(handle));
      dialog->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(handle));
    }
  }
  dialog->SetBackgroundDrawMode(ImageDrawModeFromName(&record, "DIALOG_IMAGEDRAWMODE"));
  SFileMem imageFile;
  SImage image;
  if (ReadResourceEntry(resources, record.GetExtra("DIALOG_IMAGE"), &imageFile) &&
      image.LoadFromStream(&imageFile, -1)) {
    uint32_t transparent = record.GetExtraBool("DIALOG_SHAPE") ? kShapeColor : kColorNone;
    dialog->SetBackgroundImage(image.GetBitmap(), transparent, -1, nullptr, true);
  }
}

// Step 12. TAB records are made in reverse order among themselves, each in
// the place of a TAB, so that a tab made later (lower in the z-order) ends
// up under the pages of the tabs made after it.
bool CreateControls(SDialog* dialog, SResource* resources, const SDialogEditor& editor, RecordWindows* windows) {
  int count = editor.GetControlCount();
  windows->SetSize(count, false);
  for (int i = 0; i < count; i++) windows->SetAt(i, nullptr);
  int tabSearch = count;
  for (int i = 0; i < count; i++) {
    int index = i;
    if (editor.GetControl(i)->controlNumber == kControlTab) {
      do tabSearch--;
      while (editor.GetControl(tabSearch)->controlNumber != kControlTab);
      index = tabSearch;
    }
    _SCtrl* record = editor.GetControl(index);
    SWnd* window = CreateControlFromRecord(dialog, resources, dialog->GetHwnd(), record, true);
    if (!window) return false;
    dialog->AddControl(record, window);
    windows->SetAt(index, window);
  }
  return true;
}

// Step 13.
void ApplyTabOrder(const SDialogEditor& editor, const RecordWindows& windows) {
  for (int i = 0; i < windows.GetCount(); i++) {
    _SCtrl* record = editor.GetControl(i);
    SWnd* window = windows.GetAt(i);
    if (!window || !record->GetExtraBool("TABENABLED")) continue;
    int group = record->GetExtraInt("TABGROUP");
    window->SetTabGroup(group < 0 ? -1 : group);
    int index = record->GetExtraInt("TABINDEX");
    if (index != -1) window->SetTabIndex(index < 0 ? 0 : index);
  }
}

// Step 14.
void CreateStatusBar(SDialog* dialog, const _SCtrl& record) {
  SStringArray texts;
  int parts = SplitDescriptionList(record.GetExtra("DIALOG_STATUSBARTEXT"), &texts);
  if (parts < 1) return;
  dialog->CreateStatusBar(parts);
  for (int j = 0; j < parts; j++) dialog->SetStatusText(j, texts.GetString(j).GetText());
  for (int j = 0; j + 1 < parts; j++) dialog->SetStatusPartEdge(j, (j + 1) * (record.width / parts));
}

// Step 15: the windows each tab page shows.
void LinkTabPages(SDialog* dialog, const SDialogEditor& editor, const RecordWindows& windows) {
  for (int i = 0; i < windows.GetCount(); i++) {
    _SCtrl* record = editor.GetControl(i);
    if (!windows.GetAt(i) || record->controlNumber != kControlTab) continue;
    auto* tab = static_cast<STabCtrl*>(windows.GetAt(i));
    SStringArray pairs;
    SStringParser parser(record->GetExtra("TAB_CHILDREN_PRIVATE").GetText());
    int count = parser.Parse(SString(" "), '"', 0, &pairs);
    for (int p = 0; p + 1 < count; p += 2) {
      int page = int(pairs.GetString(p).ToInt64());
      SWnd* child = WindowById(dialog, int(pairs.GetString(p + 1).ToInt64()));
      if (page >= 0 && page < tab->GetItemCount() && child && child != tab) tab->AddPageWindow(page, child);
    }
    tab->ShowPage(tab->GetCurSel());
  }
}

// Step 16: the tool bar in its rebar, and the menu bar, which takes its
// room from the window rather than from the client area.
void LoadBars(SDialog* dialog, const _SCtrl& record, SResource* resources, MenuFactory menuFactory,
              ToolBarFactory toolBarFactory, NameToIdFunction nameToId, void* owner) {
  SFileMem toolBar;
  if (ReadResourceEntry(resources, record.GetExtra("DIALOG_TOOLBAR"), &toolBar)) {
    dialog->CreateControlBar();
    dialog->LoadToolBarFile(&toolBar, resources, toolBarFactory, owner, nameToId);
  }
  SFileMem menu;
  if (!ReadResourceEntry(resources, record.GetExtra("DIALOG_MENU"), &menu)) return;
  if (!LoadMenuFile(&dialog->GetMenus(), resources, true, dialog->GetHwnd(), &menu, &dialog->GetMenuImages(), owner,
                    menuFactory, nameToId))
    return;
  int height = static_cast<SWnd*>(dialog)->GetClientHeight();
  if (::SetMenu(dialog->GetHwnd(), dialog->GetMenus().GetAt(0)->GetHandle())) dialog->SetClientHeight(height);
}

// Steps 17-19: the back colour, and the size limits at the outer size the
// dialog has now.
void ApplyColorAndLimits(SDialog* dialog, const _SCtrl& record) {
  RECT outer;
  int width = 0, height = 0;
  if (dialog->GetWindowRect(&outer)) {
    width = abs(outer.right - outer.left);
    height = abs(outer.bottom - outer.top);
  }
  ApplyRecordBackColor(dialog, record.backColor);
  if (record.GetExtraBool("DIALOG_MINSIZE")) dialog->SetMinTrackSize(width, height);
  if (record.GetExtraBool("DIALOG_MAXSIZE")) dialog->SetMaxTrackSize(width, height);
}

// Steps 20-22.
void ApplyAnchorsAndShowState(SDialog* dialog, const _SCtrl& record, const SDialogEditor& editor,
                              const RecordWindows& windows) {
  for (int i = 0; i < windows.GetCount(); i++) {
    _SCtrl* control = editor.GetControl(i);
    if (windows.GetAt(i)) windows.GetAt(i)->SetAnchor(control->GetExtraInt("HALIGN") | control->GetExtraInt("VALIGN"));
  }
  if (record.GetExtraBool("DIALOG_MAXIMIZED")) ShowWindow(dialog->GetHwnd(), SW_MAXIMIZE);
  if (record.GetExtraBool("DIALOG_MINIMIZED"))
    ShowWindow(dialog->GetHwnd(), dialog->IsVisible() ? SW_MINIMIZE : SW_SHOWMINIMIZED);
  if (record.GetExtraBool("DIALOG_MOVEWITHMOUSE")) dialog->SetMoveWithMouse(true);
  dialog->SetDefaultKeyEnabled(false, !record.GetExtraBool("DIALOG_NOMODALESCAPE"));
  dialog->SetDefaultKeyEnabled(true, !record.GetExtraBool("DIALOG_NOMODALRETURN"));
}

// Step 24: the first record with the focus id, whether or not the key is
// there (absent reads as 0).
void SetInitialFocus(const _SCtrl& record, const SDialogEditor& editor, const RecordWindows& windows) {
  int id = record.GetExtraInt("DIALOG_FOCUS");
  for (int i = 0; i < windows.GetCount(); i++) {
    if (editor.GetControl(i)->id != id) continue;
    if (windows.GetAt(i)) windows.GetAt(i)->SetFocus();
    return;
  }
}

bool BuildFromLoadOptions(SDialog* dialog, SFile* stream, SResource* resources, const DialogBuildOptions* options) {
  DialogDescriptionOptions defaults;
  const DialogDescriptionOptions* own = &defaults;
  if (options && options->builderOptions) own = static_cast<const DialogDescriptionOptions*>(options->builderOptions);
  return CreateDialogFromDescription(stream, dialog, own->parent, resources, own->popup, own->menuFactory,
                                     options ? options->toolBarFactory : nullptr,
                                     options ? options->nameToId : nullptr, own->noShow, own->creationParameter,
                                     options ? options->context : nullptr);
}

}  // namespace

bool CreateDialogFromDescription(SFile* stream, SDialog* dialog, HWND parent, SResource* resources, bool popup,
                                 MenuFactory menuFactory, ToolBarFactory toolBarFactory, NameToIdFunction nameToId,
                                 bool noShow, void* creationParameter, void* owner) {
  if (!stream || !dialog || dialog->GetHwnd()) return false;
  SDialogEditor editor;
  if (!LoadDescription(&editor, stream)) return false;
  const _SCtrl& record = *editor.GetDialogRecord();
  bool layered = record.GetExtraBool("DIALOG_LAYER");

  if (!CreateDialogWindow(dialog, record, parent, popup, creationParameter)) return false;
  ApplyLooks(dialog, record, resources);
  RecordWindows windows;
  if (!CreateControls(dialog, resources, editor, &windows)) return false;
  ApplyTabOrder(editor, windows);
  if (!layered) CreateStatusBar(dialog, record);
  LinkTabPages(dialog, editor, windows);
  if (!layered) LoadBars(dialog, record, resources, menuFactory, toolBarFactory, nameToId, owner);
  ApplyColorAndLimits(dialog, record);
  ApplyAnchorsAndShowState(dialog, record, editor, windows);
  if (layered && dialog->EnableLayered()) {
    if (HDC rendered = dialog->RenderLayeredBitmap()) dialog->ApplyLayeredBitmap(rendered);
  }
  SetInitialFocus(record, editor, windows);
  if (!noShow && (record.style & WS_VISIBLE)) dialog->Show(SW_SHOW);
  WindowProcedure(dialog->GetHwnd(), kDialogBuiltMessage, 0, reinterpret_cast<LPARAM>(creationParameter));
  return true;
}

void InstallDialogBuilder() { SetDialogBuilder(BuildFromLoadOptions); }
