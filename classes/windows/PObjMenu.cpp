#include "classes/windows/PObjMenu.h"

#include <new>
#include <utility>

#include "classes/ClassArgs.h"
#include "engine/PObjectDefinition.h"
#include "window/SWndApp.h"

namespace {

// Deeper than any menu a person can open; bounds the walk below should a
// foreign menu (a module's) hold a loop.
const int kMaxMenuDepth = 64;

// The menu, or one of the submenus its items open at any depth, is target.
bool MenuReaches(HMENU menu, HMENU target, int depth) {
  if (!menu || depth > kMaxMenuDepth) return false;
  if (menu == target) return true;
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; i++)
    if (MenuReaches(GetSubMenu(menu, i), target, depth + 1)) return true;
  return false;
}

}  // namespace

// ---- The framework menu -------------------------------------------------------------------------

PObjMenu::_PMenu::~_PMenu() {
  // The items go first so that the submenus they open are detached, not
  // destroyed with this menu, before they are let go.
  RemoveAll();
  for (int i = 0; i < m_opened.GetCount(); i++) Drop(m_opened.GetAt(i));
  m_opened.RemoveAll();
}

void PObjMenu::_PMenu::Drop(_PMenu* menu) {
  if (menu && --menu->m_holds <= 0) delete menu;
}

void PObjMenu::_PMenu::OnCommand(int position, int id) {
  // The handler may release the object and with it this menu: nothing is
  // touched after it.
  if (!m_dialogOwned && m_ownerObject) RaiseEvent(m_ownerObject, ON_COMMAND, nullptr, position, id);
}

void PObjMenu::_PMenu::UseImageList(ImageListUse use) {
  m_images = std::move(use);
  SetImageList(m_images.GetHandle());
}

bool PObjMenu::_PMenu::InsertHeldSubMenu(int id, _PMenu* subMenu, const char* text, int imageIndex, int position,
                                         uint32_t userData, bool checked, bool disabled) {
  if (!subMenu || !GetHandle() || MenuReaches(subMenu->GetHandle(), GetHandle(), 0)) return false;
  if (m_opened.Add(subMenu) < 0) return false;
  if (!InsertSubMenu(id, subMenu, text, imageIndex, position, userData, checked, disabled)) {
    m_opened.RemoveAt(m_opened.GetCount() - 1);
    return false;
  }
  subMenu->Hold();
  return true;
}

void PObjMenu::_PMenu::DropUnopened() {
  // How many items still open each held submenu; every entry beyond that
  // count belonged to an item now gone.
  SArray<HMENU> stillOpen;
  int count = GetItemCount();
  for (int i = 0; i < count; i++)
    if (HMENU subMenu = GetSubMenu(GetHandle(), i)) stillOpen.Add(subMenu);
  for (int i = m_opened.GetCount() - 1; i >= 0; i--) {
    _PMenu* opened = m_opened.GetAt(i);
    int open = stillOpen.Find(opened->GetHandle());
    if (open >= 0) {
      stillOpen.RemoveAt(open);
      continue;
    }
    m_opened.RemoveAt(i);
    Drop(opened);
  }
}

bool PObjMenu::_PMenu::RemoveHeldItem(int id) {
  bool removed = RemoveItem(id);
  DropUnopened();
  return removed;
}

bool PObjMenu::_PMenu::RemoveAllHeld() {
  bool removed = RemoveAll();
  DropUnopened();
  return removed;
}

// ---- The class ----------------------------------------------------------------------------------

void PObjMenu::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SERVICES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Menu");
  PObject::Register(definition);
}

bool PObjMenu::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const int F = MEMBER_FUNCTION;
  const TypeCode kInt = TYPE_INTEGER, kVoid = TYPE_VOID, kText = TYPE_STRING;
  const PParamDecl integer(TYPE_INTEGER), text(TYPE_STRING), menu(kTypeCode), list(PObjImageList::kTypeCode);
  const PParamDecl yes(TYPE_INTEGER, "true", 1), no(TYPE_INTEGER, "false", 0);
  const PParamDecl zero(TYPE_INTEGER, "0", 0), minusOne(TYPE_INTEGER, "-1", -1);
  return d->AddMember(F, DELETE_MENU, kVoid) && d->AddMember(F, REMOVE_ITEM, kInt, {integer}) &&
         d->AddMember(F, ENABLE_ITEM, kVoid, {integer, yes}) && d->AddMember(F, IS_CHECKED, kInt, {integer}) &&
         d->AddMember(F, GET_COUNT, kInt) && d->AddMember(F, GET_DATA, kInt, {integer}) &&
         d->AddMember(F, GET_ID, kInt, {integer}) && d->AddMember(F, FIND_ITEM, kInt, {integer}) &&
         d->AddMember(F, GET_TEXT, kText, {integer}) && d->AddMember(F, GET_NAME, kText, {integer}) &&
         d->AddMember(F, INSERT_ITEM, kInt, {integer, text, minusOne, minusOne, zero, no, no}) &&
         d->AddMember(F, INSERT_SUBMENU, kInt, {integer, menu, text, minusOne, minusOne, zero, no, no}) &&
         d->AddMember(F, INSERT_SEPARATOR, kInt, {zero, minusOne}) &&
         d->AddMember(F, IS_DISABLED, kInt, {integer}) && d->AddMember(F, CREATE, kInt, {no}) &&
         d->AddMember(F, REMOVE_ALL, kInt) && d->AddMember(F, SET_IMAGE_LIST, kVoid, {list}) &&
         d->AddMember(F, CHECK_ITEM, kVoid, {integer, yes}) && d->AddMember(F, SET_DATA, kVoid, {integer, integer}) &&
         d->AddMember(F, SET_TEXT, kVoid, {integer, text}) && d->AddMember(F, SET_NAME, kVoid, {integer, text}) &&
         d->AddMember(F, SHOW_AT_CURSOR, kInt) && d->AddMember(F, SHOW_AT, kInt, {integer, integer}) &&
         d->AddMember(F, TOGGLE_CHECK, kInt, {integer}) &&
         d->AddMember(MEMBER_EVENT, ON_COMMAND, kVoid, {integer, integer});
}

PObject* PObjMenu::New(PObjectDefinition* definition) { return new (std::nothrow) PObjMenu(definition); }

PObjMenu* PObjMenu::GetArgMenu(const PArgs* args, int i) { return GetArgOfClass<PObjMenu>(args, i); }

bool PObjMenu::Release() {
  SetMenu(nullptr);
  return PObject::Release();
}

void PObjMenu::SetMenu(_PMenu* menu) {
  if (m_menu) {
    // A holder that keeps the menu finds no object behind it any more.
    m_menu->SetOwnerObject(nullptr);
    _PMenu::Drop(m_menu);
  }
  m_menu = menu;
}

bool PObjMenu::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case DELETE_MENU: SetMenu(nullptr); return true;
    case CREATE: {
      if (m_menu) return true;
      _PMenu* menu = new (std::nothrow) _PMenu;
      if (!menu) return true;
      SWndApp* app = GetAppWindow();
      HWND owner = app ? app->GetHwnd() : nullptr;
      bool made = GetArgBool(args, 0) ? menu->CreateBar(owner, 0) : menu->CreatePopup(owner, 0);
      if (!made) {
        _PMenu::Drop(menu);
        return true;
      }
      menu->SetOwnerObject(this);
      SetMenu(menu);
      return ReturnBool(result, true);
    }
    case FIND_ITEM: return ReturnInt64(result, m_menu ? m_menu->FindItem(GetArgLow32(args, 0)) : -1);
    default: break;
  }
  // The event's number, and any above it, are the base's.
  if (member > TOGGLE_CHECK) return PObject::Call(member, args, result, caller);
  if (!m_menu) return true;
  return CallOnMenu(member, args, result);
}

bool PObjMenu::CallOnMenu(uint16_t member, PArgs* args, PResultCell* result) {
  _PMenu* m = m_menu;
  auto n = [args](int i) { return GetArgLow32(args, i); };
  switch (member) {
    case REMOVE_ITEM: return ReturnBool(result, m->RemoveHeldItem(n(0)));
    case ENABLE_ITEM: m->EnableItem(n(0), GetArgBool(args, 1)); return true;
    case IS_CHECKED: return ReturnBool(result, m->IsItemChecked(n(0)));
    case GET_COUNT: return ReturnInt64(result, m->GetItemCount());
    case GET_DATA: return ReturnInt64(result, int32_t(m->GetItemData(n(0))));
    case GET_ID: return ReturnInt64(result, m->GetItemId(n(0)));
    case GET_TEXT: return ReturnString(result, m->GetItemText(n(0)).GetText());
    case GET_NAME: return ReturnString(result, m->GetItemName(n(0)).GetText());
    case INSERT_ITEM:
      return ReturnBool(result, m->InsertItem(n(0), GetArgString(args, 1), n(2), n(3), uint32_t(n(4)),
                                              GetArgBool(args, 5), GetArgBool(args, 6)));
    case INSERT_SUBMENU: {
      PObjMenu* sub = GetArgMenu(args, 1);
      if (!sub || !sub->m_menu) return true;
      return ReturnBool(result, m->InsertHeldSubMenu(n(0), sub->m_menu, GetArgString(args, 2), n(3), n(4),
                                                     uint32_t(n(5)), GetArgBool(args, 6), GetArgBool(args, 7)));
    }
    case INSERT_SEPARATOR: return ReturnBool(result, m->InsertSeparator(n(0), n(1)));
    case IS_DISABLED: return ReturnBool(result, m->IsItemDisabled(n(0)));
    case REMOVE_ALL: return ReturnBool(result, m->RemoveAllHeld());
    case SET_IMAGE_LIST: {
      PObjImageList* list = PObjImageList::GetArgImageList(args, 0);
      m->UseImageList(list ? list->Use() : ImageListUse());
      return true;
    }
    case CHECK_ITEM: m->CheckItem(n(0), GetArgBool(args, 1)); return true;
    case SET_DATA: m->SetItemData(n(0), uint32_t(n(1))); return true;
    case SET_TEXT: m->SetItemText(n(0), GetArgString(args, 1)); return true;
    case SET_NAME: m->SetItemName(n(0), GetArgString(args, 1)); return true;
    // The run may release this object: only the answer is used after it.
    case SHOW_AT_CURSOR: return ReturnBool(result, m->TrackPopupAtCursor(TPM_RIGHTBUTTON, nullptr));
    case SHOW_AT: return ReturnBool(result, m->TrackPopup(n(0), n(1), TPM_RIGHTBUTTON, nullptr));
    case TOGGLE_CHECK: {
      int id = n(0);
      if (m->FindItem(id) < 0) return ReturnBool(result, false);
      bool checked = !m->IsItemChecked(id);
      m->CheckItem(id, checked);
      return ReturnBool(result, checked);
    }
    default: return true;
  }
}
