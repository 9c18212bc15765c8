// The ExList class: registration, members as programs see them, the
// window's life and the image lists it draws from. The functions over the
// window are in PObjExListFunctions.cpp.
#include "classes/windows/PObjExList.h"

#include <new>
#include <utility>

#include "classes/PObjColor.h"
#include "classes/PObjIntegerArray.h"
#include "classes/PObjPoint.h"
#include "classes/PObjRectangle.h"
#include "classes/windows/PObjDialog.h"
#include "engine/PObjectDefinition.h"
#include "window/FrameworkMessage.h"

namespace {

const TypeCode V = TYPE_VOID, I = TYPE_INTEGER, S = TYPE_STRING;

constexpr PParamDecl Int(const char* written, int32_t value) { return PParamDecl(I, written, value); }
constexpr PParamDecl Text(const char* text) { return PParamDecl(S, text); }
constexpr PParamDecl Null(TypeCode type) { return PParamDecl(type, static_cast<const char*>(nullptr)); }

}  // namespace

// ---- The inner window -----------------------------------------------------------------------

// The common four, numbered around the key event.
void PObjExList::_PExListCtrl::RaiseEvents(UINT message, WPARAM, LPARAM lparam) {
  PObject* object = GetScriptObject();
  if (!object) return;
  const int x = short(LOWORD(lparam)), y = short(HIWORD(lparam));
  switch (message) {
    case WM_SETFOCUS: RaiseEvent(object, ON_FOCUS, nullptr, 0); break;
    case WM_KILLFOCUS: RaiseEvent(object, ON_FOCUS, nullptr, 1); break;
    case kMouseEnterMessage: RaiseEvent(object, ON_MOUSE_ENTER, nullptr, x, y); break;
    case kMouseLeaveMessage: RaiseEvent(object, ON_MOUSE_LEAVE, nullptr); break;
    case WM_MOUSEMOVE: RaiseEvent(object, ON_MOUSE_MOVE, nullptr, x, y); break;
    default: return;
  }
  PObjControlPart::FinishEvent(object);
}

// ---- Registration -----------------------------------------------------------------------------

void PObjExList::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "ExList", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PExListCtrl; });
  // The column formats (LVCFMT_) and the arrange codes (LVA_).
  definition->AddConstant("ALIGN_LEFT", LVCFMT_LEFT);
  definition->AddConstant("ALIGN_CENTER", LVCFMT_CENTER);
  definition->AddConstant("ALIGN_RIGHT", LVCFMT_RIGHT);
  definition->AddConstant("ARRANGE_DEFAULT", LVA_DEFAULT);
  definition->AddConstant("ARRANGE_LEFT", LVA_ALIGNLEFT);
  definition->AddConstant("ARRANGE_TOP", LVA_ALIGNTOP);
  definition->AddConstant("ARRANGE_SNAP", LVA_SNAPTOGRID);
}

bool PObjExList::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const int F = MEMBER_FUNCTION, E = MEMBER_EVENT;
  const PParamDecl i(I), s(S), color(PObjColor::kTypeCode), point(PObjPoint::kTypeCode);
  const PParamDecl rect(PObjRectangle::kTypeCode), ints(PObjIntegerArray::kTypeCode);
  const PParamDecl kTrue = Int("true", 1), kFalse = Int("false", 0), kMinusOne = Int("-1", -1), kZero = Int("0", 0);
  return d->AddMember(F, SELECT_RANGE, V, {i, kMinusOne}) && d->AddMember(F, AUTO_SIZE_COLUMNS, V) &&
         d->AddMember(F, ARRANGE, I, {Int("ExList.ARRANGE_DEFAULT", LVA_DEFAULT)}) &&
         d->AddMember(F, CREATE, I, {PParamDecl(PObjDialog::kTypeCode), Null(PObjRectangle::kTypeCode), Text(""),
                                     Text("WS_VISIBLE"), Text("")}) &&
         d->AddMember(F, DELETE_COLUMN, I, {i}) && d->AddMember(F, DELETE_ITEM, I, {i}) &&
         d->AddMember(F, DELETE_SELECTED, I, {kFalse}) && d->AddMember(F, DESTROY, V) &&
         d->AddMember(F, EDIT_LABEL, I, {i}) && d->AddMember(F, ENSURE_VISIBLE, I, {i, kFalse}) &&
         d->AddMember(F, FIND_TEXT, I, {s, kZero}) && d->AddMember(F, GET_SELECTED_ITEMS, I, {ints}) &&
         d->AddMember(F, GET_BACK_COLOR, I, {color}) && d->AddMember(F, GET_COLUMN_COUNT, I) &&
         d->AddMember(F, GET_COLUMN_TEXT, S, {i}) && d->AddMember(F, GET_COLUMN_WIDTH, I, {i}) &&
         d->AddMember(F, GET_ITEM_COUNT, I) && d->AddMember(F, GET_COUNT_PER_PAGE, I) &&
         d->AddMember(F, HIT_TEST, I, {i, i}) && d->AddMember(F, GET_ITEM_IMAGE, I, {i}) &&
         d->AddMember(F, GET_ITEM_POSITION, I, {i, point}) && d->AddMember(F, GET_ITEM_RECT, I, {i, rect}) &&
         d->AddMember(F, GET_ITEM_SPACING, I, {kTrue}) && d->AddMember(F, GET_ITEM_TEXT, S, {i, kZero}) &&
         d->AddMember(F, GET_NEXT_ITEM, I, {kZero}) && d->AddMember(F, GET_SELECTED_COUNT, I) &&
         d->AddMember(F, GET_SELECTION, I) && d->AddMember(F, GET_SUB_ITEM_RECT, I, {i, i, rect}) &&
         d->AddMember(F, SUB_ITEM_HIT_TEST, I, {i, i}) && d->AddMember(F, GET_TEXT_COLOR, I, {color}) &&
         d->AddMember(F, GET_STRING_WIDTH, I, {s}) && d->AddMember(F, GET_TOP_INDEX, I) &&
         d->AddMember(F, INSERT_COLUMN, I, {s, Int("100", 100), kMinusOne, Int("ExList.ALIGN_LEFT", LVCFMT_LEFT)}) &&
         d->AddMember(F, INSERT_ITEM, I, {Text(""), kMinusOne, kMinusOne}) && d->AddMember(F, REMOVE_ALL, V) &&
         d->AddMember(F, SET_BACK_COLOR, V, {Null(PObjColor::kTypeCode)}) &&
         d->AddMember(F, SET_COLUMN_TEXT, I, {i, s}) && d->AddMember(F, SET_COLUMN_WIDTH, I, {i, kMinusOne}) &&
         d->AddMember(F, SET_IMAGE_LIST, V, {PParamDecl(PObjImageList::kTypeCode), kFalse}) &&
         d->AddMember(F, SET_ITEM_IMAGE, V, {i, kMinusOne}) && d->AddMember(F, SET_ICON_SPACING, V, {i, i}) &&
         d->AddMember(F, SET_ITEM_TEXT, I, {i, s, kZero}) && d->AddMember(F, SET_SELECTION, V, {i}) &&
         d->AddMember(F, SET_TEXT_COLOR, V, {color}) &&
         d->AddMember(F, SORT, I, {kZero, kTrue, kFalse, kFalse}) && d->AddMember(F, DESELECT_RANGE, V, {i, kMinusOne}) &&
         d->AddMember(F, TOGGLE_RANGE, V, {i, kMinusOne}) &&
         // Events.
         d->AddMember(E, ON_BEGIN_LABEL_EDIT, I, {i}) && DeclareMouseRecordEvent(d, ON_MOUSE) &&
         d->AddMember(E, ON_LABEL_EDIT_CANCELLED, V, {i}) && d->AddMember(E, ON_END_LABEL_EDIT, I, {i, s, s}) &&
         d->AddMember(E, ON_FOCUS, V, {i}) && d->AddMember(E, ON_KEY_DOWN, V, {i}) &&
         d->AddMember(E, ON_MOUSE_ENTER, V, {i, i}) && d->AddMember(E, ON_MOUSE_LEAVE, V) &&
         d->AddMember(E, ON_MOUSE_MOVE, V, {i, i}) && d->AddMember(E, ON_COLUMN_CLICK, V, {i}) &&
         d->AddMember(E, ON_ITEM_CHANGED, V, {i});
}

PObject* PObjExList::New(PObjectDefinition* definition) { return new (std::nothrow) PObjExList(definition); }

// ---- The window's life ------------------------------------------------------------------------

PObjExList::~PObjExList() { DropImageLists(); }

bool PObjExList::Release() {
  DropImageLists();
  return PObjControlPart::Release();
}

void PObjExList::AttachWindow(SWnd* window) {
  if (window != GetWindow()) DropImageLists();
  PObjControlPart::AttachWindow(window);
}

void PObjExList::DropImageLists() {
  if (SExListCtrl* list = Window<SExListCtrl>(); list && list->GetHwnd()) {
    if (m_normalImages.GetHandle()) list->SetImageList(nullptr, false);
    if (m_smallImages.GetHandle()) list->SetImageList(nullptr, true);
  }
  m_normalImages.Drop();
  m_smallImages.Drop();
}

void PObjExList::SetImageList(PObjImageList* images, bool small) {
  ImageListUse use = images ? images->Use() : ImageListUse();
  Window<SExListCtrl>()->SetImageList(use.GetHandle(), small);
  // The list the control drew from until now goes only after it switched.
  (small ? m_smallImages : m_normalImages) = std::move(use);
}

// ---- Calls ------------------------------------------------------------------------------------

bool PObjExList::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case CREATE: return CreateControl(args, result, new (std::nothrow) _PExListCtrl, false);
    case DESTROY:
      DropImageLists();
      DestroyControl();
      return true;
    default: break;
  }
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  if (GetWindow()) return CallWindowFunction(member, args, result);
  // The functions whose answer says "none" answer it without a window too.
  switch (member) {
    case DELETE_SELECTED:
    case FIND_TEXT:
    case HIT_TEST:
    case GET_NEXT_ITEM:
    case GET_SELECTION:
    case SUB_ITEM_HIT_TEST:
    case GET_TOP_INDEX:
    case INSERT_COLUMN:
    case INSERT_ITEM: return ReturnInt64(result, -1);
    default: return true;
  }
}
