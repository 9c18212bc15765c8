#include "classes/windows/PObjTree.h"

#include <new>
#include <utility>

#include "classes/ClassArgs.h"
#include "classes/PObjFile.h"
#include "classes/PObjXml.h"
#include "classes/windows/ControlDecl.h"
#include "classes/windows/WindowFunctions.h"
#include "engine/PEngine.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"
#include "window/SWndLifeGuard.h"

namespace {

// Item handles travel as Integers: the 32-bit handle, zero-extended.
HTREEITEM ItemArg(const PArgs* args, int i) {
  return reinterpret_cast<HTREEITEM>(uintptr_t(uint32_t(PObject::GetArgInt64(args, i))));
}

bool ReturnItem(PResultCell* result, HTREEITEM item) {
  return PObject::ReturnInt64(result, int64_t(uintptr_t(item)));
}

// An item argument the tree can take: 0 (no item, or the top level) or
// one of its live items.
bool Usable(const STreeCtrl* tree, HTREEITEM item) { return !item || tree->IsItem(item); }

// The argument position of the item each function names first; -1 for
// the functions that take none.
int ItemArgPosition(uint16_t member) {
  switch (member) {
    case PObjTree::GET_CHECKED_ITEMS:
    case PObjTree::GET_BRANCH_ITEMS: return 1;
    case PObjTree::INSERT_ITEM: return 3;
    case PObjTree::COPY_ITEM:
    case PObjTree::DELETE_CHILDREN:
    case PObjTree::DELETE_ITEM:
    case PObjTree::ENSURE_VISIBLE:
    case PObjTree::EXPAND:
    case PObjTree::FIND_CHILD:
    case PObjTree::FIND_CHILD_BY_VALUE:
    case PObjTree::FIND_ANCESTOR:
    case PObjTree::FIND_ANCESTOR_BY_VALUE:
    case PObjTree::COUNT_PARENTS:
    case PObjTree::GET_CHILD:
    case PObjTree::GET_CHILD_COUNT:
    case PObjTree::GET_FIRST_SIBLING:
    case PObjTree::GET_NEXT_IN_ORDER:
    case PObjTree::GET_CHILD_AT:
    case PObjTree::IS_BOLD:
    case PObjTree::IS_CHECKED:
    case PObjTree::GET_ITEM_VALUE:
    case PObjTree::GET_ITEM_IMAGE:
    case PObjTree::GET_SIBLING_INDEX:
    case PObjTree::GET_ITEM_PATH:
    case PObjTree::GET_ITEM_RECT:
    case PObjTree::GET_ITEM_TEXT:
    case PObjTree::GET_LAST_SIBLING:
    case PObjTree::GET_LEVEL:
    case PObjTree::GET_NEXT_SIBLING:
    case PObjTree::GET_NEXT_VISIBLE:
    case PObjTree::GET_PARENT:
    case PObjTree::GET_PREVIOUS_SIBLING:
    case PObjTree::GET_PREVIOUS_VISIBLE:
    case PObjTree::IS_DESCENDANT:
    case PObjTree::IS_EXPANDED:
    case PObjTree::MOVE_ITEM:
    case PObjTree::SET_BRANCH_CHECK:
    case PObjTree::SET_BOLD:
    case PObjTree::SET_CHECK:
    case PObjTree::SET_ITEM_VALUE:
    case PObjTree::SET_ITEM_IMAGE:
    case PObjTree::SET_ITEM_TEXT:
    case PObjTree::SELECT_ITEM: return 0;
    default: return -1;
  }
}

// Appends the items to the array when there is one; their number.
int StoreItems(PObjIntegerArray* out, const SArray<HTREEITEM>& items) {
  if (out)
    for (int i = 0; i < items.GetCount(); i++) out->GetStore().Add(int64_t(uintptr_t(items.GetAt(i))));
  return items.GetCount();
}

}  // namespace

// ---- The window ---------------------------------------------------------------------------------

PObjTree::_PTreeCtrl::~_PTreeCtrl() {
  // The tree view outlives this part by a moment: it lets go of the list
  // before the use does.
  if (GetHwnd()) SetImageList(nullptr);
}

void PObjTree::_PTreeCtrl::SetImages(ImageListUse use) {
  SetImageList(use.GetHandle());
  m_images = std::move(use);
}

// ---- The class ----------------------------------------------------------------------------------

void PObjTree::Register(PObjectDefinition* definition) {
  RegisterControl(definition, New, kTypeCode, "Tree", kControlNumber,
                  []() -> SWnd* { return new (std::nothrow) _PTreeCtrl; });
}

bool PObjTree::Declare(PObjectDefinition* d) {
  using namespace controldecl;
  PObject::Declare(d);
  const TypeCode TREE = kTypeCode, XML = PObjXml::kTypeCode, FILE_ = PObjFile::kTypeCode;
  const TypeCode VALUE = MakeTypeCode(ORIGIN_BUILTIN, 'V', 'A', 'L');
  const PParamDecl item = kInt, tree = Null(TREE);
  return d->AddMember(F, COPY_ITEM, I, {item, kZero, kFalse, kTrue, tree}) && DeclareCreate(d, CREATE) &&
         d->AddMember(F, DELETE_CHILDREN, V, {kZero}) && d->AddMember(F, DELETE_ITEM, I, {item}) &&
         d->AddMember(F, DESTROY, V) && d->AddMember(F, END_FOLDER_MODE, V) &&
         d->AddMember(F, SET_AUTO_CHECK, V, {kTrue}) && d->AddMember(F, SET_CASE_SENSITIVE, V, {kTrue}) &&
         d->AddMember(F, ENSURE_VISIBLE, I, {item}) && d->AddMember(F, EXPAND, V, {item, kTrue, kFalse}) &&
         d->AddMember(F, BROWSE_FOLDER, I, {kText, kFalse, kTrue, Text("*.*")}) &&
         d->AddMember(F, FIND_CHILD, I, {item, kText, kFalse}) &&
         d->AddMember(F, FIND_CHILD_BY_VALUE, I, {item, kInt}) && d->AddMember(F, FIND_ANCESTOR, I, {item, kText}) &&
         d->AddMember(F, FIND_ANCESTOR_BY_VALUE, I, {item, kInt}) && d->AddMember(F, GET_BACK_COLOR, I, {kColor}) &&
         d->AddMember(F, COUNT_PARENTS, I, {item}) &&
         d->AddMember(F, GET_CHECKED_ITEMS, I, {PParamDecl(INTS), kZero, kTrue}) &&
         d->AddMember(F, GET_CHILD, I, {item}) && d->AddMember(F, GET_CHILD_COUNT, I, {item}) &&
         d->AddMember(F, GET_BRANCH_ITEMS, I, {PParamDecl(INTS), kZero, kFalse}) &&
         d->AddMember(F, GET_FIRST_SIBLING, I, {item}) && d->AddMember(F, GET_NEXT_IN_ORDER, I, {item}) &&
         d->AddMember(F, GET_INDENT, I) && d->AddMember(F, GET_CHILD_AT, I, {item, kInt}) &&
         d->AddMember(F, IS_BOLD, I, {item}) && d->AddMember(F, IS_CHECKED, I, {item}) &&
         d->AddMember(F, GET_COUNT, I) && d->AddMember(F, GET_ITEM_VALUE, I, {item}) &&
         d->AddMember(F, HIT_TEST, I, {kInt, kInt}) && d->AddMember(F, GET_ITEM_IMAGE, I, {item}) &&
         d->AddMember(F, GET_SIBLING_INDEX, I, {item}) && d->AddMember(F, GET_ITEM_PATH, S, {item}) &&
         d->AddMember(F, GET_ITEM_RECT, I, {item, kRect}) && d->AddMember(F, GET_ITEM_TEXT, S, {item}) &&
         d->AddMember(F, GET_LAST_SIBLING, I, {item}) && d->AddMember(F, GET_LEVEL, I, {item}) &&
         d->AddMember(F, GET_LINE_COLOR, I, {kColor}) && d->AddMember(F, GET_NEXT_SIBLING, I, {item}) &&
         d->AddMember(F, GET_NEXT_VISIBLE, I, {item}) && d->AddMember(F, GET_PARENT, I, {item}) &&
         d->AddMember(F, GET_PREVIOUS_SIBLING, I, {item}) && d->AddMember(F, GET_PREVIOUS_VISIBLE, I, {item}) &&
         d->AddMember(F, GET_SELECTION, I) && d->AddMember(F, GET_SELECTED_PATH, S) &&
         d->AddMember(F, GET_SELECTED_TEXT, S) && d->AddMember(F, GET_TEXT_COLOR, I, {kColor}) &&
         d->AddMember(F, GET_VISIBLE_COUNT, I) &&
         d->AddMember(F, INSERT_ITEM, I, {kText, kMinusOne, kMinusOne, kZero, kMinusOne, kZero}) &&
         d->AddMember(F, IS_AUTO_CHECK, I) && d->AddMember(F, IS_CASE_SENSITIVE, I) &&
         d->AddMember(F, IS_DESCENDANT, I, {item, kZero, kFalse}) && d->AddMember(F, IS_FOLDER_MODE, I) &&
         d->AddMember(F, IS_EXPANDED, I, {item}) && d->AddMember(F, LOAD_FILE, I, {PParamDecl(FILE_), kTrue}) &&
         d->AddMember(F, LOAD_PATH, I, {kText, kTrue}) && d->AddMember(F, LOAD_RESOURCE, I, {kText, kTrue}) &&
         d->AddMember(F, LOAD_XML, I, {PParamDecl(XML), kTrue}) &&
         d->AddMember(F, MOVE_ITEM, I, {item, kZero, kFalse, kTrue, tree}) && d->AddMember(F, REMOVE_ALL, V) &&
         d->AddMember(F, SAVE_FILE, I, {PParamDecl(FILE_), kTrue}) && d->AddMember(F, SAVE_PATH, I, {kText, kTrue}) &&
         d->AddMember(F, SAVE_XML, I, {PParamDecl(XML), kTrue}) && d->AddMember(F, SET_BACK_COLOR, V, {kColor}) &&
         d->AddMember(F, SET_BRANCH_CHECK, V, {item, kTrue, kTrue}) &&
         d->AddMember(F, SET_IMAGE_LIST, V, {PParamDecl(IMAGES)}) && d->AddMember(F, SET_INDENT, V, {kInt}) &&
         d->AddMember(F, SET_BOLD, V, {item, kTrue}) && d->AddMember(F, SET_CHECK, V, {item, kTrue}) &&
         d->AddMember(F, SET_ITEM_VALUE, V, {item, kZero}) &&
         d->AddMember(F, SET_ITEM_IMAGE, V, {item, kInt, kMinusOne}) && d->AddMember(F, SET_ITEM_TEXT, V, {item, kText}) &&
         d->AddMember(F, SET_LINE_COLOR, V, {kColor}) && d->AddMember(F, SELECT_PATH, I, {Text("")}) &&
         d->AddMember(F, SELECT_ITEM, I, {kZero}) && d->AddMember(F, SET_SELECTED_TEXT, V, {kText}) &&
         d->AddMember(F, SET_TEXT_COLOR, V, {kColor}) &&
         // Events.
         d->AddMember(E, 77, I, {kInt}) && d->AddMember(E, 78, I, {kInt}) && DeclareMouseRecordEvent(d, 79) &&
         d->AddMember(E, 80, V, {kInt}) && d->AddMember(E, 81, V, {kInt}) && d->AddMember(E, 82, V, {kInt, kInt}) &&
         d->AddMember(E, 83, V, {kInt, kInt, PParamDecl(TREE)}) && d->AddMember(E, 84, V, {kInt, kInt}) &&
         d->AddMember(E, 85, I,
                      {kInt, kInt, PParamDecl(TREE), PParamDecl(VALUE), PParamDecl(VALUE), PParamDecl(VALUE)}) &&
         d->AddMember(E, 86, I, {kInt, kText, kText}) && d->AddMember(E, 87, V, {kInt, kInt}) &&
         DeclareWindowEvents(d, kFocusEvent) && d->AddMember(E, 92, V, {kInt, kInt, PParamDecl(TREE)}) &&
         d->AddMember(E, 93, V, {kInt});
}

PObject* PObjTree::New(PObjectDefinition* definition) { return new (std::nothrow) PObjTree(definition); }

bool PObjTree::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member == CREATE) return CreateControl(args, result, new (std::nothrow) _PTreeCtrl, false);
  if (member == DESTROY) {
    DestroyControl();
    return true;
  }
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  auto* tree = dynamic_cast<_PTreeCtrl*>(GetWindow());
  if (!tree || !tree->GetHwnd()) {
    if (member == GET_SIBLING_INDEX || member == GET_LEVEL) return ReturnInt64(result, -1);
    return true;
  }
  return CallWithWindow(tree, member, args, result);
}

bool PObjTree::CallWithWindow(_PTreeCtrl* tree, uint16_t member, PArgs* args, PResultCell* result) {
  // A handle that names no live item of this tree gives no result.
  int position = ItemArgPosition(member);
  if (position >= 0 && !Usable(tree, ItemArg(args, position))) return true;
  if (member == COPY_ITEM || member == MOVE_ITEM) return CopyOrMove(tree, member == MOVE_ITEM, args, result);
  if (member >= LOAD_FILE && member <= SAVE_XML && member != MOVE_ITEM && member != REMOVE_ALL)
    return CallFiles(tree, member, args, result);
  if (position >= 0) return CallItems(tree, member, args, result);
  return CallTreeWide(tree, member, args, result);
}

bool PObjTree::CallItems(_PTreeCtrl* tree, uint16_t member, PArgs* args, PResultCell* result) {
  const HTREEITEM item = ItemArg(args, 0);
  switch (member) {
    case DELETE_CHILDREN: tree->DeleteChildren(item); return true;
    case DELETE_ITEM: return ReturnBool(result, item && tree->DeleteItem(item, true));
    case ENSURE_VISIBLE: return ReturnBool(result, tree->EnsureVisible(item));
    case EXPAND: tree->Expand(item, GetArgBool(args, 1), GetArgBool(args, 2)); return true;
    case FIND_CHILD:
      return ReturnItem(result, tree->FindItem(item, GetArgString(args, 1), GetArgBool(args, 2) ? 1 : 0, false));
    case FIND_CHILD_BY_VALUE: return ReturnItem(result, tree->FindByData(item, uint32_t(GetArgLow32(args, 1)), false));
    case FIND_ANCESTOR: return ReturnItem(result, tree->FindAncestor(item, GetArgString(args, 1)));
    case FIND_ANCESTOR_BY_VALUE:
      return ReturnItem(result, tree->FindAncestorByData(item, uint32_t(GetArgLow32(args, 1))));
    case COUNT_PARENTS: return ReturnInt64(result, tree->CountParents(item));
    case GET_CHECKED_ITEMS:
    case GET_BRANCH_ITEMS: {
      // A null array counts the items without storing them.
      auto* out = GetArgOfClass<PObjIntegerArray>(args, 0);
      SArray<HTREEITEM> items;
      if (member == GET_CHECKED_ITEMS)
        tree->GetCheckedItems(ItemArg(args, 1), &items, GetArgBool(args, 2));
      else
        tree->WalkSubtree(ItemArg(args, 1), &items);
      return ReturnInt64(result, StoreItems(out, items));
    }
    case INSERT_ITEM: {
      // -1 (and 0) put the item last; a handle or one of the tree view's
      // own TVI_ words goes as given, a dead handle is refused.
      HTREEITEM after = ItemArg(args, 4);
      if (after == reinterpret_cast<HTREEITEM>(uintptr_t(0xFFFFFFFF)) || !after) after = TVI_LAST;
      return ReturnItem(result, tree->InsertItem(GetArgString(args, 0), GetArgLow32(args, 1), GetArgLow32(args, 2),
                                                 ItemArg(args, 3), after,
                                                 uint32_t(GetArgLow32(args, 5))));
    }
    case GET_CHILD: return ReturnItem(result, tree->GetChildItem(item));
    case GET_CHILD_COUNT: return ReturnInt64(result, tree->GetChildCount(item, false));
    case GET_FIRST_SIBLING: return ReturnItem(result, tree->GetFirstSibling(item));
    case GET_NEXT_IN_ORDER: return ReturnItem(result, tree->GetNextInOrder(item));
    case GET_CHILD_AT: return ReturnItem(result, tree->GetChildAt(GetArgLow32(args, 1), item));
    case IS_BOLD: return ReturnBool(result, item && tree->IsBold(item));
    case IS_CHECKED: return ReturnBool(result, tree->IsChecked(item));
    case IS_EXPANDED: return ReturnBool(result, item && tree->IsExpanded(item));
    case GET_ITEM_VALUE: return ReturnInt64(result, int32_t(tree->GetItemData(item)));
    case GET_ITEM_IMAGE: return ReturnInt64(result, tree->GetItemImage(item, false));
    case GET_SIBLING_INDEX: return ReturnInt64(result, tree->GetSiblingIndex(item));
    case GET_ITEM_PATH: return ReturnString(result, tree->GetItemPath(item).GetText());
    case GET_ITEM_RECT: {
      auto* out = GetArgOfClass<PObjRectangle>(args, 1);
      if (!out) return true;
      RECT rect = {};
      if (!tree->GetItemRect(item, &rect, false)) return ReturnBool(result, false);
      SetRectangle(out, rect);
      return ReturnBool(result, true);
    }
    case GET_ITEM_TEXT: return ReturnString(result, tree->GetItemText(item).GetText());
    case GET_LAST_SIBLING: return ReturnItem(result, tree->GetLastSibling(item));
    case GET_LEVEL: return ReturnInt64(result, tree->GetLevel(item));
    case GET_NEXT_SIBLING: return ReturnItem(result, item ? tree->GetNextSibling(item) : nullptr);
    case GET_NEXT_VISIBLE: return ReturnItem(result, item ? tree->GetNextVisible(item) : nullptr);
    case GET_PARENT: return ReturnItem(result, item ? tree->GetParentItem(item) : nullptr);
    case GET_PREVIOUS_SIBLING: return ReturnItem(result, item ? tree->GetPrevSibling(item) : nullptr);
    case GET_PREVIOUS_VISIBLE: return ReturnItem(result, item ? tree->GetPrevVisible(item) : nullptr);
    case IS_DESCENDANT: {
      HTREEITEM ancestor = ItemArg(args, 1);
      if (!item || !Usable(tree, ancestor)) return ReturnBool(result, false);
      // The top level is the parent of its items and the ancestor of all.
      if (!ancestor) return ReturnBool(result, GetArgBool(args, 2) || !tree->GetParentItem(item));
      return ReturnBool(result, tree->IsDescendant(ancestor, item, GetArgBool(args, 2)));
    }
    case SET_BRANCH_CHECK: tree->SetCheckRecursive(item, GetArgBool(args, 1)); return true;
    case SET_BOLD: tree->SetBold(item, GetArgBool(args, 1)); return true;
    case SET_CHECK: tree->SetCheck(item, GetArgBool(args, 1)); return true;
    case SET_ITEM_VALUE: tree->SetItemData(item, uint32_t(GetArgLow32(args, 1))); return true;
    case SET_ITEM_IMAGE: tree->SetItemImage(item, GetArgLow32(args, 2), GetArgLow32(args, 1)); return true;
    case SET_ITEM_TEXT: tree->SetItemText(item, GetArgString(args, 1)); return true;
    case SELECT_ITEM: return ReturnBool(result, tree->SelectItem(item));
    default: return true;
  }
}

bool PObjTree::CallTreeWide(_PTreeCtrl* tree, uint16_t member, PArgs* args, PResultCell* result) {
  switch (member) {
    case END_FOLDER_MODE: tree->EndFolderMode(); return true;
    case SET_AUTO_CHECK: tree->SetAutoCheck(GetArgBool(args, 0)); return true;
    case SET_CASE_SENSITIVE: tree->SetCaseSensitive(GetArgBool(args, 0)); return true;
    case IS_AUTO_CHECK: return ReturnBool(result, tree->IsAutoCheck());
    case IS_CASE_SENSITIVE: return ReturnBool(result, tree->IsCaseSensitive());
    case IS_FOLDER_MODE: return ReturnBool(result, tree->IsFolderMode());
    case BROWSE_FOLDER:
      return ReturnBool(result, tree->BrowseFolder(GetArgString(args, 0), GetArgBool(args, 1), GetArgBool(args, 2),
                                                   GetArgString(args, 3)));
    case GET_INDENT: return ReturnInt64(result, tree->GetIndent());
    case SET_INDENT: tree->SetIndent(GetArgLow32(args, 0)); return true;
    case GET_COUNT: return ReturnInt64(result, tree->GetCount());
    case GET_VISIBLE_COUNT: return ReturnInt64(result, tree->GetVisibleCount());
    case HIT_TEST: return ReturnItem(result, tree->HitTest(POINT{GetArgLow32(args, 0), GetArgLow32(args, 1)}));
    case GET_SELECTION: return ReturnItem(result, tree->GetSelectedItem());
    case GET_SELECTED_PATH: return ReturnString(result, tree->GetSelectedPath().GetText());
    case GET_SELECTED_TEXT: return ReturnString(result, tree->GetSelectedText().GetText());
    case SET_SELECTED_TEXT: tree->SetSelectedText(GetArgString(args, 0)); return true;
    case SELECT_PATH: return ReturnBool(result, tree->SelectPath(GetArgString(args, 0)));
    case REMOVE_ALL: tree->RemoveAll(); return true;
    case SET_IMAGE_LIST: {
      PObjImageList* images = PObjImageList::GetArgImageList(args, 0);
      tree->SetImages(images ? images->Use() : ImageListUse());
      return true;
    }
    default: break;
  }
  // Colours: a null Color does nothing.
  auto* colour = GetArgOfClass<PObjColor>(args, 0);
  if (!colour) return true;
  switch (member) {
    case GET_BACK_COLOR: colour->SetColorRef(tree->GetBackColor()); return ReturnBool(result, true);
    case GET_LINE_COLOR: colour->SetColorRef(tree->GetLineColor()); return ReturnBool(result, true);
    case GET_TEXT_COLOR: colour->SetColorRef(tree->GetTextColor()); return ReturnBool(result, true);
    case SET_BACK_COLOR: tree->SetBackColor(colour->GetColorRef()); return true;
    case SET_LINE_COLOR: tree->SetLineColor(colour->GetColorRef()); return true;
    case SET_TEXT_COLOR: tree->SetTextColor(colour->GetColorRef()); return true;
    default: return true;
  }
}

bool PObjTree::CopyOrMove(_PTreeCtrl* tree, bool move, PArgs* args, PResultCell* result) {
  HTREEITEM item = ItemArg(args, 0), target = ItemArg(args, 1);
  if (!item) return ReturnItem(result, nullptr);
  STreeCtrl* destination = tree;
  if (GetArgObject(args, 4)) {
    auto* part = GetArgOfClass<PObjTree>(args, 4);
    destination = part ? dynamic_cast<_PTreeCtrl*>(part->GetWindow()) : nullptr;
    if (!destination || !destination->GetHwnd()) return true;
  }
  // The target names an item of the destination; the framework refuses
  // every placement inside the item's own branch of the same tree.
  if (!Usable(destination, target)) return true;
  SWndLifeGuard guard(destination);
  destination->SetRedraw(false);
  HTREEITEM copy = move ? tree->MoveItem(destination, target, item, GetArgBool(args, 2), GetArgBool(args, 3), true)
                        : tree->CopyItem(destination, target, item, GetArgBool(args, 2), GetArgBool(args, 3));
  if (guard.IsAlive()) {
    destination->SetRedraw(true);
    ::InvalidateRect(destination->GetHwnd(), nullptr, TRUE);
  }
  return ReturnItem(result, copy);
}

bool PObjTree::CallFiles(_PTreeCtrl* tree, uint16_t member, PArgs* args, PResultCell* result) {
  const bool attributes = GetArgBool(args, 1);
  switch (member) {
    case LOAD_FILE:
    case SAVE_FILE: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream) return true;
      return ReturnBool(result, member == LOAD_FILE ? tree->LoadFile(stream, attributes)
                                                    : tree->SaveFile(stream, attributes));
    }
    case LOAD_PATH: {
      SFilePath file;
      if (!file.Open(GetArgString(args, 0), false, false, true)) return ReturnBool(result, false);
      return ReturnBool(result, tree->LoadFile(&file, attributes));
    }
    case SAVE_PATH: {
      SFilePath file;
      if (!file.Open(GetArgString(args, 0), true, true, false)) return ReturnBool(result, false);
      return ReturnBool(result, tree->SaveFile(&file, attributes));
    }
    case LOAD_RESOURCE: {
      SFileMem stream;
      if (!GetEngine()->LoadResource(&stream, GetArgString(args, 0), RESOURCE_TEXT)) return true;
      return ReturnBool(result, tree->LoadFile(&stream, attributes));
    }
    case LOAD_XML:
    case SAVE_XML: {
      auto* xml = GetArgOfClass<PObjXml>(args, 0);
      if (!xml) return true;
      SXmlItem* root = xml->GetDocument().GetRoot();
      return ReturnBool(result, member == LOAD_XML ? tree->LoadXml(root, attributes) : tree->SaveXml(root, attributes));
    }
    default: return true;
  }
}
