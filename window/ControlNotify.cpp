// The translation of control notifications into ControlNotifyMessages.
#include "window/ControlNotify.h"

#include <commctrl.h>

#include <cstring>

#include "window/SWnd.h"
#include "window/SWndLifeGuard.h"
#include "window/WindowType.h"
#include "window/controls/SRadioCtrl.h"
#include "window/controls/STabCtrl.h"
#include "window/controls/STreeCtrl.h"

namespace {

// The events of this file, by class.
enum : int {
  kButtonClicked = 1,
  kCheckClicked = 1,
  kComboEditChanged = 0,
  kComboSelectionChanged = 1,
  kEditChanged = 1,
  kRadioClicked = 1,
  kRichEditChanged = 1,
  kControlBarAutoSize = 0,
  kListKeyDown = 0,
  kListMouse = 1,
  kListItemChanged = 2,
  kListItemDoubleClicked = 3,
  kListColumnClicked = 4,
  kListBeginLabelEdit = 5,
  kListEndLabelEdit = 6,
  kListLabelEditCancelled = 7,
  kTabSelectionChanged = 1,
  kTreeMouse = 1,
  kTreeSelectionChanged = 2,
  kTreeItemDoubleClicked = 3,
  kTreeItemExpanded = 5,
  kTreeBeginLabelEdit = 6,
  kTreeEndLabelEdit = 7,
  kTreeLabelEditCancelled = 8,
};

// Sends the event to the parent itself; false when a handler deleted the
// parent.
bool SendEvent(SWnd* parent, int classIndex, int event, SWnd* child, LPARAM lparam, LRESULT* answer = nullptr) {
  SWndLifeGuard guard(parent);
  LRESULT result = SendMessageA(parent->GetHwnd(), ControlNotifyMessage(classIndex, event),
                                reinterpret_cast<WPARAM>(child), lparam);
  if (answer) *answer = result;
  return guard.IsAlive();
}

template <class Record>
LPARAM Pointer(Record* record) {
  return reinterpret_cast<LPARAM>(record);
}

// The click codes of the common-control mouse notifications; 0 for others.
int32_t NotifyClickCode(UINT code) {
  switch (code) {
    case NM_CLICK:
      return kMouseLeft | kMouseClick;
    case NM_DBLCLK:
      return kMouseLeft | kMouseDoubleClick;
    case NM_RCLICK:
      return kMouseRight | kMouseClick;
    case NM_RDBLCLK:
      return kMouseRight | kMouseDoubleClick;
  }
  return 0;
}

// The notifications carry no point: the cursor is where the click was.
ControlMouseRecord CursorRecord(HWND control, int32_t code) {
  POINT screen = {0, 0};
  GetCursorPos(&screen);
  POINT client = screen;
  ScreenToClient(control, &client);
  return ControlMouseRecord{code, client.x, client.y, screen.x, screen.y};
}

// A label edit's end carries a text unless the user cancelled it.
template <class Info>
bool CarriesText(const Info* info) {
  return info->item.pszText != nullptr;
}

bool TranslateListNotify(SWnd* parent, SWnd* child, NMHDR* header, LRESULT* result) {
  HWND list = child->GetHwnd();
  const int k = kControlClassExtendedList;
  switch (header->code) {
    case LVN_KEYDOWN:
      return SendEvent(parent, k, kListKeyDown, child, reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey);
    case NM_CLICK:
    case NM_DBLCLK:
    case NM_RCLICK:
    case NM_RDBLCLK: {
      ControlMouseRecord record = CursorRecord(list, NotifyClickCode(header->code));
      if (!SendEvent(parent, k, kListMouse, child, Pointer(&record))) return false;
      if (header->code != NM_DBLCLK || !IsWindow(list)) return true;
      LVHITTESTINFO hit = {};
      hit.pt.x = record.x;
      hit.pt.y = record.y;
      int item = int(SendMessageA(list, LVM_HITTEST, 0, Pointer(&hit)));
      if (item < 0) return true;
      return SendEvent(parent, k, kListItemDoubleClicked, child, item);
    }
    case LVN_ITEMCHANGED: {
      // The item's value alone is bookkeeping (the sort's), no change a
      // user sees.
      if (reinterpret_cast<NMLISTVIEW*>(header)->uChanged == LVIF_PARAM) return true;
      int index = reinterpret_cast<NMLISTVIEW*>(header)->iItem;
      // An item that keeps only the focus is no selection at all.
      if (index != -1) {
        UINT state = UINT(SendMessageA(list, LVM_GETITEMSTATE, index, LVIS_FOCUSED | LVIS_SELECTED));
        if ((state & LVIS_FOCUSED) && !(state & LVIS_SELECTED)) {
          LVITEMA item = {};
          item.stateMask = LVIS_FOCUSED;
          SendMessageA(list, LVM_SETITEMSTATE, index, Pointer(&item));
          index = -1;
        }
      }
      return SendEvent(parent, k, kListItemChanged, child, index);
    }
    case LVN_BEGINLABELEDITA: {
      LRESULT answer = 0;
      int item = reinterpret_cast<NMLVDISPINFOA*>(header)->item.iItem;
      if (!SendEvent(parent, k, kListBeginLabelEdit, child, item, &answer)) return false;
      if (answer == 0) return true;
      *result = 1;  // the edit is cancelled
      return false;
    }
    case LVN_ENDLABELEDITA: {
      NMLVDISPINFOA* info = reinterpret_cast<NMLVDISPINFOA*>(header);
      if (!CarriesText(info)) return SendEvent(parent, k, kListLabelEditCancelled, child, Pointer(&info->item));
      LRESULT answer = 0;
      if (!SendEvent(parent, k, kListEndLabelEdit, child, Pointer(&info->item), &answer)) return false;
      *result = answer == 0 ? 1 : 0;  // 1 keeps the new text
      return false;
    }
    case LVN_COLUMNCLICK:
      return SendEvent(parent, k, kListColumnClicked, child, reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
  }
  return true;
}

bool TranslateTreeNotify(SWnd* parent, SWnd* child, NMHDR* header, LRESULT* result) {
  HWND tree = child->GetHwnd();
  const int k = kControlClassTree;
  switch (header->code) {
    case NM_CLICK:
    case NM_DBLCLK:
    case NM_RCLICK:
    case NM_RDBLCLK: {
      ControlMouseRecord record = CursorRecord(tree, NotifyClickCode(header->code));
      if (!SendEvent(parent, k, kTreeMouse, child, Pointer(&record))) return false;
      if (header->code != NM_DBLCLK || !IsWindow(tree)) return true;
      HTREEITEM caret = TreeView_GetSelection(tree);
      if (!caret) return true;
      RECT row;
      // The item goes in where the rectangle comes back.
      std::memcpy(&row, &caret, sizeof caret);
      if (!SendMessageA(tree, TVM_GETITEMRECT, FALSE, Pointer(&row))) return true;
      POINT point = {record.x, record.y};
      if (!PtInRect(&row, point)) return true;
      if (!SendEvent(parent, k, kTreeItemDoubleClicked, child, Pointer(caret))) return false;
      // What the double click opened keeps the focus that the tree would
      // take back when the click ends.
      if (FindWindowObject(tree) == child) child->SetRefuseNextFocus(true);
      return true;
    }
    case TVN_SELCHANGEDA:
      return SendEvent(parent, k, kTreeSelectionChanged, child, Pointer(TreeView_GetSelection(tree)));
    case TVN_ITEMEXPANDEDA: {
      // A tree in folder mode loads the sub-folders of the item first.
      NMTREEVIEWA* info = reinterpret_cast<NMTREEVIEWA*>(header);
      STreeCtrl* folders = dynamic_cast<STreeCtrl*>(child);
      if (folders && folders->IsFolderMode()) {
        SWndLifeGuard guard(child);
        folders->OnItemExpanded(info->itemNew.hItem, (info->itemNew.state & TVIS_EXPANDED) != 0);
        if (!guard.IsAlive()) return true;
      }
      return SendEvent(parent, k, kTreeItemExpanded, child, Pointer(info->itemNew.hItem));
    }
    case TVN_DELETEITEMA: {
      // The only root item going while it holds the caret leaves nothing
      // selected.
      HTREEITEM caret = TreeView_GetSelection(tree);
      HTREEITEM root = TreeView_GetRoot(tree);
      if (caret && !TreeView_GetParent(tree, caret) && root && !TreeView_GetNextSibling(tree, root))
        return SendEvent(parent, k, kTreeSelectionChanged, child, 0);
      return true;
    }
    case TVN_BEGINLABELEDITA: {
      LRESULT answer = 0;
      NMTVDISPINFOA* info = reinterpret_cast<NMTVDISPINFOA*>(header);
      if (!SendEvent(parent, k, kTreeBeginLabelEdit, child, Pointer(&info->item), &answer)) return false;
      if (answer == 0) return true;
      *result = 1;
      return false;
    }
    case TVN_ENDLABELEDITA: {
      NMTVDISPINFOA* info = reinterpret_cast<NMTVDISPINFOA*>(header);
      if (!CarriesText(info)) return SendEvent(parent, k, kTreeLabelEditCancelled, child, Pointer(&info->item));
      LRESULT answer = 0;
      if (!SendEvent(parent, k, kTreeEndLabelEdit, child, Pointer(&info->item), &answer)) return false;
      *result = answer == 0 ? 1 : 0;
      return false;
    }
  }
  return true;
}

}  // namespace

int32_t MouseEventCodeFor(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
      return kMouseLeft | kMouseDown;
    case WM_LBUTTONUP:
      return kMouseLeft | kMouseUp;
    case WM_LBUTTONDBLCLK:
      return kMouseLeft | kMouseDoubleClick;
    case WM_RBUTTONDOWN:
      return kMouseRight | kMouseDown;
    case WM_RBUTTONUP:
      return kMouseRight | kMouseUp;
    case WM_RBUTTONDBLCLK:
      return kMouseRight | kMouseDoubleClick;
    case WM_MBUTTONDOWN:
      return kMouseMiddle | kMouseDown;
    case WM_MBUTTONUP:
      return kMouseMiddle | kMouseUp;
    case WM_MBUTTONDBLCLK:
      return kMouseMiddle | kMouseDoubleClick;
    case kLeftClickMessage:
      return kMouseLeft | kMouseClick;
    case kMiddleClickMessage:
      return kMouseMiddle | kMouseClick;
    case kRightClickMessage:
      return kMouseRight | kMouseClick;
  }
  return 0;
}

ControlMouseRecord MakeControlMouseRecord(HWND control, int32_t code, LPARAM point) {
  POINT p = {short(LOWORD(point)), short(HIWORD(point))};
  ControlMouseRecord record = {code, p.x, p.y, p.x, p.y};
  if (ClientToScreen(control, &p)) {
    record.screenX = p.x;
    record.screenY = p.y;
  }
  return record;
}

bool TranslateControlCommand(SWnd* parent, SWnd* child, int code) {
  HWND control = child->GetHwnd();
  switch (child->GetType()) {
    case kWindowButton:
      if (code == BN_CLICKED) return SendEvent(parent, kControlClassButton, kButtonClicked, child, 0);
      break;
    case kWindowCheck:
      if (code == BN_CLICKED) {
        // The box is not an automatic one: the framework toggles it, so
        // the event already carries the new state.
        SendMessageA(control, BM_SETCHECK, child->IsButtonChecked() ? BST_UNCHECKED : BST_CHECKED, 0);
        LPARAM state = SendMessageA(control, BM_GETCHECK, 0, 0);
        return SendEvent(parent, kControlClassCheck, kCheckClicked, child, state);
      }
      break;
    case kWindowCombo:
      if (code == CBN_SELCHANGE) return SendEvent(parent, kControlClassCombo, kComboSelectionChanged, child, 0);
      if (code == CBN_EDITCHANGE) return SendEvent(parent, kControlClassCombo, kComboEditChanged, child, 0);
      break;
    case kWindowEdit:
      // Only the user's typing: a text that the program sets while the edit
      // does not have the focus is no change to report.
      if (code == EN_CHANGE && GetFocus() == control)
        return SendEvent(parent, kControlClassEdit, kEditChanged, child, 0);
      break;
    case kWindowRadio:
      if (code == BN_CLICKED) {
        // Every framework window of the radio type is a radio control.
        static_cast<SRadioCtrl*>(child)->Select();
        return SendEvent(parent, kControlClassRadio, kRadioClicked, child, child->IsButtonChecked() ? 1 : 0);
      }
      break;
    case kWindowRichEdit:
      if (code == EN_CHANGE) return SendEvent(parent, kControlClassRichEdit, kRichEditChanged, child, 0);
      break;
  }
  return true;
}

bool TranslateControlNotify(SWnd* parent, SWnd* child, NMHDR* header, LRESULT* result) {
  switch (child->GetType()) {
    case kWindowControlBar:
      if (header->code == RBN_AUTOSIZE)
        return SendEvent(parent, kControlClassControlBar, kControlBarAutoSize, child, 0);
      break;
    case kWindowExtendedList:
      return TranslateListNotify(parent, child, header, result);
    case kWindowTab:
      if (header->code == TCN_SELCHANGE) {
        int selection = TabCtrl_GetCurSel(child->GetHwnd());
        // The page of the new selection is up before the parent hears of it.
        static_cast<STabCtrl*>(child)->ShowPage(selection);
        return SendEvent(parent, kControlClassTab, kTabSelectionChanged, child, selection);
      }
      break;
    case kWindowTree:
      return TranslateTreeNotify(parent, child, header, result);
  }
  return true;
}
