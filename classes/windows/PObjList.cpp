#include "classes/windows/PObjList.h"

#include <new>
#include <utility>

#include "classes/ClassArgs.h"
#include "classes/windows/ControlDecl.h"
#include "classes/windows/WindowFunctions.h"
#include "window/FrameworkMessage.h"

// ---- The window ---------------------------------------------------------------------------------

PObjList::_PListCtrl::~_PListCtrl() {
  // The list box outlives this part by a moment: it lets go of the lists
  // before the uses do.
  SetLeftImageList(nullptr);
  SetRightImageList(nullptr);
}

void PObjList::_PListCtrl::SetLeftImages(ImageListUse use) {
  SetLeftImageList(use.GetHandle());
  m_leftImages = std::move(use);
  Remeasure();
}

void PObjList::_PListCtrl::SetRightImages(ImageListUse use) {
  SetRightImageList(use.GetHandle());
  m_rightImages = std::move(use);
  Remeasure();
}

void PObjList::_PListCtrl::Remeasure() {
  // The list box measured its items as they came; images of another size
  // change every item's height.
  const int height = GetItemHeight();
  for (int i = 0, n = GetCount(); i < n; i++) SendMessage(LB_SETITEMHEIGHT, WPARAM(i), height);
  ::InvalidateRect(GetHwnd(), nullptr, TRUE);
}

void PObjList::_PListCtrl::RaiseEvents(UINT message, WPARAM, LPARAM lparam) {
  PObject* object = GetScriptObject();
  if (!object) return;
  const int x = int16_t(LOWORD(lparam)), y = int16_t(HIWORD(lparam));
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: PObject::RaiseEvent(object, kFocusEvent, nullptr, message == WM_SETFOCUS ? 0 : 1); break;
    case kMouseEnterMessage: PObject::RaiseEvent(object, kMouseEnteredEvent, nullptr, x, y); break;
    case kMouseLeaveMessage: PObject::RaiseEvent(object, kMouseEnteredEvent + 1, nullptr); break;
    case WM_MOUSEMOVE: PObject::RaiseEvent(object, kMouseEnteredEvent + 2, nullptr, x, y); break;
    default: return;
  }
  FinishEvent(object);
}

// ---- The class ----------------------------------------------------------------------------------

void PObjList::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "List", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PListCtrl; });
}

bool PObjList::Declare(PObjectDefinition* d) {
  using namespace controldecl;
  PObject::Declare(d);
  const PParamDecl index = kInt, position = kMinusOne;
  return DeclareCreate(d, CREATE) && d->AddMember(F, REMOVE_ITEM, I, {index}) &&
         d->AddMember(F, REMOVE_SELECTED, I) && d->AddMember(F, DESTROY, V) &&
         d->AddMember(F, FIND_PREFIX, I, {kText, kZero}) && d->AddMember(F, FIND_EXACT, I, {kText, kZero}) &&
         d->AddMember(F, GET_SELECTED_ITEMS, I, {PParamDecl(INTS)}) &&
         d->AddMember(F, GET_BACK_COLOR, I, {kColor}) && d->AddMember(F, GET_COUNT, I) &&
         d->AddMember(F, GET_VISIBLE_COUNT, I) && d->AddMember(F, GET_ITEM_VALUE, I, {index}) &&
         d->AddMember(F, ITEM_FROM_POINT, I, {kInt, kInt}) && d->AddMember(F, GET_ITEM_HEIGHT, I) &&
         d->AddMember(F, GET_LEFT_IMAGE, I, {index}) && d->AddMember(F, GET_RIGHT_IMAGE, I, {index}) &&
         d->AddMember(F, GET_ITEM_RECT, I, {index, kRect}) && d->AddMember(F, GET_ITEM_TEXT, S, {index}) &&
         d->AddMember(F, GET_IDEAL_WIDTH, I) && d->AddMember(F, GET_SELECTED_COUNT, I) &&
         d->AddMember(F, GET_SELECTION, I) && d->AddMember(F, GET_SELECTED_TEXT, S) &&
         d->AddMember(F, GET_TEXT_COLOR, I, {kColor}) && d->AddMember(F, GET_TOP_INDEX, I) &&
         d->AddMember(F, INSERT_ITEM, I, {kText, position, kMinusOne, kMinusOne, kZero}) &&
         d->AddMember(F, INSERT_ITEMS, I, {PParamDecl(STRINGS), position, kMinusOne, kMinusOne, kZero}) &&
         d->AddMember(F, IS_SELECTED, I, {index}) && d->AddMember(F, REMOVE_ALL, V) &&
         d->AddMember(F, SCROLL_PAGE, V, {kTrue}) && d->AddMember(F, SET_BACK_COLOR, V, {kColor}) &&
         d->AddMember(F, SET_SELECTION_COLORS, V, {Null(COLOR), Null(COLOR)}) &&
         d->AddMember(F, SET_LEFT_IMAGES, V, {PParamDecl(IMAGES)}) &&
         d->AddMember(F, SET_RIGHT_IMAGES, V, {PParamDecl(IMAGES)}) &&
         d->AddMember(F, SET_ITEM_VALUE, I, {index, kInt}) && d->AddMember(F, SET_LEFT_IMAGE, V, {index, kInt}) &&
         d->AddMember(F, SET_RIGHT_IMAGE, V, {index, kInt}) && d->AddMember(F, SELECT_ITEM, V, {index, kTrue}) &&
         d->AddMember(F, SET_ITEM_TEXT, I, {index, kText}) &&
         d->AddMember(F, SELECT_RANGE, V, {kInt, kInt, kTrue}) && d->AddMember(F, SET_SELECTION, V, {index}) &&
         d->AddMember(F, SET_SELECTED_TEXT, V, {kText}) && d->AddMember(F, SET_TEXT_COLOR, V, {kColor}) &&
         d->AddMember(F, SELECT_TEXT, I, {kText, kTrue}) && d->AddMember(F, SET_TOP_INDEX, I, {index}) &&
         DeclareMouseRecordEvent(d, 43) && d->AddMember(E, kFocusEvent, V, {kInt}) && d->AddMember(E, 45, V, {kInt}) &&
         d->AddMember(E, 46, V, {kInt, kInt}) && d->AddMember(E, 47, V) && d->AddMember(E, 48, V, {kInt, kInt}) &&
         d->AddMember(E, 49, V) && d->AddMember(E, 50, V);
}

PObject* PObjList::New(PObjectDefinition* definition) { return new (std::nothrow) PObjList(definition); }

bool PObjList::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member == CREATE) return CreateControl(args, result, new (std::nothrow) _PListCtrl, false);
  if (member == DESTROY) {
    DestroyControl();
    return true;
  }
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  if (auto* list = dynamic_cast<_PListCtrl*>(GetWindow()); list && list->GetHwnd())
    return CallWithWindow(list, member, args, result);
  switch (member) {
    case FIND_PREFIX:
    case FIND_EXACT:
    case ITEM_FROM_POINT:
    case GET_LEFT_IMAGE:
    case GET_RIGHT_IMAGE:
    case GET_SELECTION:
    case GET_TOP_INDEX:
    case INSERT_ITEM:
    case SELECT_TEXT: return ReturnInt64(result, -1);
    default: return true;
  }
}

bool PObjList::CallWithWindow(_PListCtrl* list, uint16_t member, PArgs* args, PResultCell* result) {
  const int index = GetArgLow32(args, 0);
  switch (member) {
    // Items. Every read or write of an item's record goes through the
    // framework's check that the index holds one of this list's records:
    // the list box answers -1 for a missing item, which is no record.
    case REMOVE_ITEM: return ReturnBool(result, list->RemoveItem(index));
    case REMOVE_SELECTED: return ReturnInt64(result, list->RemoveSelected());
    case REMOVE_ALL: list->RemoveAll(); return true;
    case GET_COUNT: return ReturnInt64(result, list->GetCount());
    case INSERT_ITEM:
      return ReturnInt64(result, list->InsertItem(GetArgLow32(args, 1), GetArgString(args, 0), GetArgLow32(args, 2),
                                                  GetArgLow32(args, 3), uint32_t(GetArgLow32(args, 4))));
    case INSERT_ITEMS: {
      auto* texts = GetArgOfClass<PObjStringArray>(args, 0);
      if (!texts) return ReturnInt64(result, 0);
      return ReturnInt64(result, list->AddItems(&texts->GetStore(), GetArgLow32(args, 1), GetArgLow32(args, 2),
                                                GetArgLow32(args, 3), uint32_t(GetArgLow32(args, 4))));
    }
    case GET_ITEM_TEXT: return ReturnString(result, list->GetItemText(index).GetText());
    case SET_ITEM_TEXT: return ReturnBool(result, list->SetItemText(index, GetArgString(args, 1)));
    case GET_ITEM_VALUE: return ReturnInt64(result, int32_t(list->GetItemData(index)));
    case SET_ITEM_VALUE: return ReturnBool(result, list->SetItemData(index, uint32_t(GetArgLow32(args, 1))));
    case GET_LEFT_IMAGE: return ReturnInt64(result, list->GetItemLeftImage(index));
    case GET_RIGHT_IMAGE: return ReturnInt64(result, list->GetItemRightImage(index));
    case SET_LEFT_IMAGE: list->SetItemLeftImage(index, GetArgLow32(args, 1)); return true;
    case SET_RIGHT_IMAGE: list->SetItemRightImage(index, GetArgLow32(args, 1)); return true;
    case FIND_PREFIX: return ReturnInt64(result, list->FindPrefix(GetArgLow32(args, 1), GetArgString(args, 0)));
    case FIND_EXACT: return ReturnInt64(result, list->FindExact(GetArgLow32(args, 1), GetArgString(args, 0)));

    // Selection.
    case GET_SELECTED_ITEMS: {
      auto* out = GetArgOfClass<PObjIntegerArray>(args, 0);
      if (!out) return true;
      SArray<int> selected;
      int n = list->GetSelectedItems(selected);
      for (int i = 0; i < n; i++) out->GetStore().Add(selected.GetAt(i));
      return ReturnInt64(result, n);
    }
    case GET_SELECTED_COUNT: return ReturnInt64(result, list->GetSelCount());
    case GET_SELECTION: return ReturnInt64(result, list->GetSelection());
    case GET_SELECTED_TEXT: {
      int selection = list->GetSelection();
      return ReturnString(result, selection < 0 ? "" : list->GetItemText(selection).GetText());
    }
    case IS_SELECTED: return ReturnBool(result, list->IsSelected(index));
    case SELECT_ITEM: list->SetItemSelected(GetArgBool(args, 1), index); return true;
    case SELECT_RANGE: list->SelectRange(index, GetArgLow32(args, 1), GetArgBool(args, 2)); return true;
    case SET_SELECTION: list->SetSelection(index); return true;
    case SET_SELECTED_TEXT: list->SetSelectedText(GetArgString(args, 0)); return true;
    case SELECT_TEXT: return ReturnInt64(result, list->SelectString(GetArgString(args, 0), GetArgBool(args, 1)));

    // Geometry.
    case GET_VISIBLE_COUNT: return ReturnInt64(result, list->GetVisibleCount());
    case ITEM_FROM_POINT: return ReturnInt64(result, list->ItemFromPoint(index, GetArgLow32(args, 1)));
    case GET_ITEM_HEIGHT: return ReturnInt64(result, list->GetItemHeight());
    case GET_ITEM_RECT: {
      auto* out = GetArgOfClass<PObjRectangle>(args, 1);
      if (!out) return true;
      RECT rect = {};
      if (!list->GetItemRect(index, &rect)) return ReturnBool(result, false);
      SetRectangle(out, rect);
      return ReturnBool(result, true);
    }
    case GET_IDEAL_WIDTH: return ReturnInt64(result, list->GetIdealWidth());
    case GET_TOP_INDEX: return ReturnInt64(result, list->GetTopIndex());
    case SET_TOP_INDEX: return ReturnBool(result, list->SetTopIndex(index));
    case SCROLL_PAGE: list->ScrollPage(GetArgBool(args, 0)); return true;

    // Colours and images.
    case GET_BACK_COLOR:
    case GET_TEXT_COLOR: {
      auto* out = GetArgOfClass<PObjColor>(args, 0);
      if (!out) return true;
      out->SetColorRef(member == GET_BACK_COLOR ? list->GetBackColor() : list->GetTextColor());
      return ReturnBool(result, true);
    }
    case SET_BACK_COLOR: {
      auto* colour = GetArgOfClass<PObjColor>(args, 0);
      list->SetBackColor(colour ? colour->GetColorRef() : kColorNone);
      ::InvalidateRect(list->GetHwnd(), nullptr, TRUE);
      return true;
    }
    case SET_TEXT_COLOR: {
      auto* colour = GetArgOfClass<PObjColor>(args, 0);
      list->SetTextColor(colour ? colour->GetColorRef() : GetSysColor(COLOR_WINDOWTEXT));
      ::InvalidateRect(list->GetHwnd(), nullptr, TRUE);
      return true;
    }
    case SET_SELECTION_COLORS: {
      auto* back = GetArgOfClass<PObjColor>(args, 0);
      auto* text = GetArgOfClass<PObjColor>(args, 1);
      list->SetSelectionColors(back ? back->GetColorRef() : kColorNone, text ? text->GetColorRef() : kColorNone);
      ::InvalidateRect(list->GetHwnd(), nullptr, TRUE);
      return true;
    }
    case SET_LEFT_IMAGES:
    case SET_RIGHT_IMAGES: {
      PObjImageList* images = PObjImageList::GetArgImageList(args, 0);
      ImageListUse use = images ? images->Use() : ImageListUse();
      if (member == SET_LEFT_IMAGES)
        list->SetLeftImages(std::move(use));
      else
        list->SetRightImages(std::move(use));
      return true;
    }
    default: return true;
  }
}
