// The tree file: the line "TAVRIN TREE 1.0.0.0", then an XML document
// whose root "xml" holds one element per root-level item, each item's
// children as its child elements.
//
// Both directions walk without recursion, an explicit stack holding the
// path from the root: a file is untrusted input and a tree can be built as
// deep as code likes.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "files/SFile.h"
#include "files/SXml.h"
#include "files/SXmlItem.h"
#include "window/controls/STreeCtrl.h"

namespace {

const char kTreeFileHeader[] = "TAVRIN TREE 1.0.0.0";

SString Decimal(long value) {
  char text[16];
  std::snprintf(text, sizeof text, "%ld", value);
  return SString(text);
}

// How deep the elements below element go (its children are depth 1).
int ElementDepth(const SXmlItem* element) {
  struct Open {
    const SXmlItem* element;
    int next;
  };
  std::vector<Open> open = {{element, 0}};
  int deepest = 0;
  while (!open.empty()) {
    Open& top = open.back();
    if (top.next >= top.element->GetChildCount()) {
      open.pop_back();
      continue;
    }
    const SXmlItem* child = top.element->GetChild(top.next++);
    open.push_back({child, 0});
    if (int(open.size()) - 1 > deepest) deepest = int(open.size()) - 1;
  }
  return deepest;
}

}  // namespace

bool STreeCtrl::SaveFile(SFile* stream, bool withAttributes) {
  if (!stream) return false;
  SXml document("xml");
  if (!SaveXml(document.GetRoot(), withAttributes)) return false;
  if (stream->WriteLine(kTreeFileHeader) < 0) return false;
  return document.Save(stream);
}

bool STreeCtrl::SaveXml(SXmlItem* root, bool withAttributes) {
  if (!root) return false;
  // The elements along the path to the current item: parents of what follows.
  std::vector<SXmlItem*> path = {root};
  int level = 0;
  for (HTREEITEM item = GetCount() > 0 ? GetChildItem(nullptr) : nullptr; item;
       item = GetNextInOrder(item, &level)) {
    path.resize(level + 1);
    SXmlItem* element = path[level]->AddChild("item");
    if (!element) return false;
    path.push_back(element);
    SString text = GetItemText(item);
    if (!withAttributes) {
      if (element->AddAttribute("text", text.GetText()) < 0) return false;
      continue;
    }
    TVITEMA info = {};
    info.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    info.hItem = item;
    bool read = SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    UINT state = GetItemState(item);
    SString data = Decimal(read ? long(int32_t(info.lParam)) : 0);
    SString image = Decimal(read ? info.iImage : -1);
    SString selected = Decimal(read ? info.iSelectedImage : -1);
    const char* pairs[] = {"text", text.GetText(),
                           "data", data.GetText(),
                           "image", image.GetText(),
                           "imageSel", selected.GetText(),
                           "expanded", (state & TVIS_EXPANDED) ? "1" : "0",
                           "checked", IsChecked(item) ? "1" : "0",
                           "bold", (state & TVIS_BOLD) ? "1" : "0"};
    for (int i = 0; i < 14; i += 2)
      if (element->AddAttribute(pairs[i], pairs[i + 1]) < 0) return false;
  }
  return true;
}

bool STreeCtrl::LoadFile(SFile* stream, bool withAttributes) {
  if (!stream) return false;
  if (stream->ReadLine(true, -1, nullptr).Compare(kTreeFileHeader, true) != 0) return false;
  SXml document("xml");
  if (!document.Load(stream, false)) return false;
  return LoadXml(document.GetRoot(), withAttributes);
}

bool STreeCtrl::LoadXml(SXmlItem* item, bool withAttributes) {
  if (!item) return false;
  // Refused before the tree is touched: the tree view itself deletes and
  // lays out nested items recursively.
  if (ElementDepth(item) > kMaxFileDepth) return false;
  RemoveAll();
  if (LoadElement(item, !item->GetParent(), withAttributes)) return true;
  RemoveAll();
  return false;
}

bool STreeCtrl::LoadElement(SXmlItem* element, bool isRoot, bool withAttributes) {
  struct Open {
    SXmlItem* element;
    HTREEITEM item;  // null for the document's root
    bool expand;
    int next;        // the next child element to read
  };
  std::vector<Open> open;
  // One element as the last child of parent; false when it cannot go in.
  auto add = [&](SXmlItem* source, HTREEITEM parent) {
    SString text;
    source->GetAttributeString("text", text);
    int image = -1, selected = -1, data = 0;
    bool expanded = false, checked = false, bold = false;
    if (withAttributes) {
      // A missing image reads as 0, as older files expect.
      image = selected = 0;
      source->GetAttributeInt("image", image);
      source->GetAttributeInt("imageSel", selected);
      source->GetAttributeInt("data", data);
      source->GetAttributeBool("expanded", expanded);
      source->GetAttributeBool("checked", checked);
      source->GetAttributeBool("bold", bold);
    }
    HTREEITEM item = InsertItem(text.GetText(), image, selected, parent, TVI_LAST, uint32_t(data));
    if (!item) return false;
    if (checked) SetCheck(item, true);
    if (bold) SetBold(item, true);
    open.push_back({source, item, expanded, 0});
    return true;
  };
  if (isRoot) {
    open.push_back({element, nullptr, false, 0});
  } else if (!add(element, nullptr)) {
    return false;
  }
  while (!open.empty()) {
    Open& top = open.back();
    if (top.next < top.element->GetChildCount()) {
      SXmlItem* child = top.element->GetChild(top.next++);
      if (!add(child, top.item)) return false;
      continue;
    }
    // Expanded only once its children are in place.
    if (top.item && top.expand) SendMessage(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(top.item));
    open.pop_back();
  }
  return true;
}
