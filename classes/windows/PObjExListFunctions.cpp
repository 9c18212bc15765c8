// The ExList functions over the list view: most are one message of the
// framework's list view; the class converts the arguments and results.
#include <windows.h>

#include <commctrl.h>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"
#include "classes/PObjIntegerArray.h"
#include "classes/PObjPoint.h"
#include "classes/PObjRectangle.h"
#include "classes/windows/PObjExList.h"
#include "window/WindowType.h"

namespace {

// A null Color means no colour at all: no background, the default text.
COLORREF ColorOrNone(const PArgs* args, int i) {
  const PObjColor* color = GetArgOfClass<PObjColor>(args, i);
  return color ? color->GetColorRef() : CLR_NONE;
}

int ColumnFormat(int32_t align) {
  switch (align) {
    case 1: return LVCFMT_RIGHT;
    case 2: return LVCFMT_CENTER;
    default: return LVCFMT_LEFT;
  }
}

bool ReturnRect(PResultCell* result, PObjRectangle* out, const RECT& rect) {
  if (!out) return true;
  out->Set(rect.left, rect.top, rect.right, rect.bottom);
  return PObject::ReturnBool(result, true);
}

void RedrawNow(SWnd* window) {
  ::RedrawWindow(window->GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace

bool PObjExList::CallWindowFunction(uint16_t member, PArgs* args, PResultCell* result) {
  // Only the list view's own window can answer these.
  if (GetWindow()->GetType() != kWindowExtendedList) return true;
  SExListCtrl* list = Window<SExListCtrl>();
  auto arg = [args](int i) { return GetArgLow32(args, i); };
  switch (member) {
    case SELECT_RANGE: list->SelectItems(arg(0), arg(1)); return true;
    case DESELECT_RANGE: list->DeselectItems(arg(0), arg(1)); return true;
    case TOGGLE_RANGE: list->ToggleItems(arg(0), arg(1)); return true;
    case AUTO_SIZE_COLUMNS: list->AutoSizeColumns(); return true;
    case ARRANGE: return ReturnBool(result, list->Arrange(UINT(arg(0))));
    case DELETE_COLUMN: return ReturnBool(result, list->DeleteColumn(arg(0)));
    case DELETE_ITEM: return ReturnBool(result, list->DeleteItem(arg(0)));
    case DELETE_SELECTED: return ReturnInt64(result, list->DeleteSelected(GetArgBool(args, 0)));
    case EDIT_LABEL: {
      int item = arg(0);
      if (item < 0 || item >= list->GetItemCount()) return ReturnBool(result, false);
      list->EditLabel(item);
      // The edit box exists only while editing runs: the handler of event
      // 47 may have refused it.
      return ReturnBool(result, list->SendMessage(LVM_GETEDITCONTROL, 0, 0) != 0);
    }
    case ENSURE_VISIBLE: return ReturnBool(result, list->EnsureVisible(arg(0), GetArgBool(args, 1)));
    case FIND_TEXT: return ReturnInt64(result, list->FindText(GetArgString(args, 0), arg(1)));
    case GET_SELECTED_ITEMS: {
      PObjIntegerArray* out = GetArgOfClass<PObjIntegerArray>(args, 0);
      if (!out) return true;
      int count = 0;
      for (int i = list->GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list->GetNextItem(i, LVNI_SELECTED), count++)
        out->GetStore().Add(i);
      return ReturnInt64(result, count);
    }
    case GET_BACK_COLOR:
    case GET_TEXT_COLOR: {
      PObjColor* out = GetArgOfClass<PObjColor>(args, 0);
      if (!out) return true;
      out->SetColorRef(member == GET_BACK_COLOR ? list->GetBackColor() : list->GetTextColor());
      return ReturnBool(result, true);
    }
    case GET_COLUMN_COUNT: return ReturnInt64(result, list->GetColumnCount());
    case GET_COLUMN_TEXT: return ReturnString(result, list->GetColumnText(arg(0)).GetText());
    case GET_COLUMN_WIDTH: return ReturnInt64(result, list->GetColumnWidth(arg(0)));
    case GET_ITEM_COUNT: return ReturnInt64(result, list->GetItemCount());
    case GET_COUNT_PER_PAGE: return ReturnInt64(result, list->GetCountPerPage());
    case HIT_TEST: return ReturnInt64(result, list->HitTest(arg(0), arg(1)));
    case SUB_ITEM_HIT_TEST: return ReturnInt64(result, list->SubItemHitTest(arg(0), arg(1)));
    case GET_ITEM_IMAGE: return ReturnInt64(result, list->GetItemImage(arg(0)));
    case GET_ITEM_POSITION: {
      PObjPoint* out = GetArgOfClass<PObjPoint>(args, 1);
      if (!out) return true;
      POINT point = list->GetItemPosition(arg(0));
      out->Set(point.x, point.y);
      return ReturnBool(result, true);
    }
    case GET_ITEM_RECT:
      return ReturnRect(result, GetArgOfClass<PObjRectangle>(args, 1), list->GetItemRect(arg(0), LVIR_BOUNDS));
    case GET_SUB_ITEM_RECT:
      return ReturnRect(result, GetArgOfClass<PObjRectangle>(args, 2),
                        list->GetSubItemRect(arg(0), arg(1), LVIR_BOUNDS));
    case GET_ITEM_SPACING: return ReturnInt64(result, list->GetItemSpacing(GetArgBool(args, 0)));
    case GET_ITEM_TEXT: return ReturnString(result, list->GetItemText(arg(0), arg(1)).GetText());
    case GET_NEXT_ITEM: return ReturnInt64(result, list->GetNextItem(arg(0), LVNI_ALL));
    case GET_SELECTED_COUNT: return ReturnInt64(result, list->GetSelectedCount());
    case GET_SELECTION: return ReturnInt64(result, list->GetSelection());
    case GET_STRING_WIDTH: return ReturnInt64(result, list->GetStringWidth(GetArgString(args, 0)));
    case GET_TOP_INDEX: return ReturnInt64(result, list->GetTopIndex());
    case INSERT_COLUMN:
      return ReturnInt64(result, list->InsertColumn(arg(2), GetArgString(args, 0), arg(1), ColumnFormat(arg(3))));
    case INSERT_ITEM: return ReturnInt64(result, list->InsertItem(arg(1), arg(2), GetArgString(args, 0)));
    case REMOVE_ALL: list->RemoveAll(); return true;
    case SET_BACK_COLOR:
      list->SetBackColor(ColorOrNone(args, 0));
      RedrawNow(list);
      return true;
    case SET_TEXT_COLOR:
      list->SetTextColor(ColorOrNone(args, 0));
      RedrawNow(list);
      return true;
    case SET_COLUMN_TEXT: return ReturnBool(result, list->SetColumnText(arg(0), GetArgString(args, 1)));
    case SET_COLUMN_WIDTH: return ReturnBool(result, list->SetColumnWidth(arg(0), arg(1)));
    case SET_IMAGE_LIST: SetImageList(PObjImageList::GetArgImageList(args, 0), GetArgBool(args, 1)); return true;
    case SET_ITEM_IMAGE: list->SetItemImage(arg(0), arg(1)); return true;
    case SET_ICON_SPACING: list->SetIconSpacing(arg(0), arg(1)); return true;
    case SET_ITEM_TEXT: return ReturnBool(result, list->SetItemText(arg(0), arg(2), GetArgString(args, 1)));
    case SET_SELECTION: list->SetSelection(arg(0)); return true;
    case SORT:
      return ReturnBool(result, list->Sort(arg(0), GetArgBool(args, 1), GetArgBool(args, 2), GetArgBool(args, 3)));
    default: return true;
  }
}
