// SXmlItem: element, attributes, children and the element writer.
//
// Trees come from files as well as from code, so nothing here recurses: a
// hostile document nested a million deep is deleted, searched and written
// with explicit work lists instead of the call stack.
#include "files/SXmlItem.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/TextFunctions.h"
#include "files/SFile.h"

SXmlItem::SXmlItem(int32_t* counter, SXmlItem* parent, int32_t id, const char* name)
    : m_name(name), m_counter(counter), m_parent(parent), m_id(id) {}

SXmlItem::~SXmlItem() { RemoveChildren(); }

// ==== Identity ===================================================================================

bool SXmlItem::SetName(const char* name) {
  if (!IsIdentifier(name)) return false;
  m_name = name;
  return true;
}

// ==== Attributes ===================================================================================

int SXmlItem::FindAttribute(const char* name) const {
  if (!name) return -1;
  int n = m_attributeNames.GetCount();
  for (int i = 0; i < n; i++)
    if (m_attributeNames.GetAt(i)->EqualsText(name)) return i;
  return -1;
}

int SXmlItem::AddAttribute(const char* name, const char* value) {
  if (!IsIdentifier(name) || FindAttribute(name) >= 0) return -1;
  m_attributeNames.Add(name);
  return m_attributeValues.Add(value ? value : "");
}

// The arrays copy the strings they are handed, so the loader's scratch
// strings go in as they are.
void SXmlItem::AppendLoadedAttribute(const SString& name, const SString& value) {
  m_attributeNames.SArray<SString*>::InsertAt(const_cast<SString*>(&name), -1, 1);
  m_attributeValues.SArray<SString*>::InsertAt(const_cast<SString*>(&value), -1, 1);
}

bool SXmlItem::SetAttribute(const char* name, const char* value) {
  int i = FindAttribute(name);
  if (i < 0) return AddAttribute(name, value) >= 0;
  *m_attributeValues.GetAt(i) = value ? value : "";
  return true;
}

bool SXmlItem::RemoveAttribute(const char* name) {
  int i = FindAttribute(name);
  if (i < 0) return false;
  m_attributeNames.DeleteAndRemoveAt(i, 1);
  m_attributeValues.DeleteAndRemoveAt(i, 1);
  return true;
}

// A second attribute of the same name would make the saved document
// unreadable, so a rename onto another attribute's name is refused.
bool SXmlItem::RenameAttribute(const char* oldName, const char* newName) {
  if (!IsIdentifier(newName)) return false;
  int i = FindAttribute(oldName);
  if (i < 0) return false;
  int other = FindAttribute(newName);
  if (other >= 0 && other != i) return false;
  *m_attributeNames.GetAt(i) = newName;
  return true;
}

SString SXmlItem::GetAttribute(const char* name) const {
  int i = FindAttribute(name);
  return i < 0 ? SString("") : m_attributeValues.GetString(i);
}

int SXmlItem::GetAttributeInt(const char* name, int& out) const {
  int i = FindAttribute(name);
  out = i < 0 ? 0 : std::atoi(m_attributeValues.GetAt(i)->GetText());
  return out;
}

bool SXmlItem::GetAttributeBool(const char* name, bool& out) const {
  int value;
  out = GetAttributeInt(name, value) != 0;
  return out;
}

SString SXmlItem::GetAttributeString(const char* name, SString& out) const {
  out = GetAttribute(name);
  return out;
}

// ==== Text ===========================================================================================

bool SXmlItem::SetText(const char* text) {
  m_text = text ? text : "";
  char* p = m_text.GetBuffer();
  for (int i = 0; i < m_text.GetLength(); i++)
    if (p[i] == '<' || p[i] == '>') p[i] = ' ';
  return true;
}

void SXmlItem::AppendLoadedText(const SString& piece) {
  if (m_text.GetLength() == 0)
    m_text = piece;
  else
    m_text += piece;
}

// ==== Children ========================================================================================

SXmlItem* SXmlItem::FindChild(const char* name) const {
  if (!name || !*name) return nullptr;
  int n = m_children.GetCount();
  for (int i = 0; i < n; i++) {
    SXmlItem* child = m_children.GetAt(i);
    if (child->m_name.CompareNoCase(name) == 0) return child;
  }
  return nullptr;
}

SXmlItem* SXmlItem::GetPreviousSibling() const {
  if (!m_parent) return nullptr;
  const SArray<SXmlItem*>& siblings = m_parent->m_children;
  int self = siblings.Find(const_cast<SXmlItem*>(this));
  for (int i = self - 1; i >= 0; i--) {
    SXmlItem* sibling = siblings.GetAt(i);
    if (sibling->m_name.CompareNoCase(m_name.GetText()) == 0) return sibling;
  }
  return nullptr;
}

SXmlItem* SXmlItem::GetNextSibling() const {
  if (!m_parent) return nullptr;
  const SArray<SXmlItem*>& siblings = m_parent->m_children;
  int self = siblings.Find(const_cast<SXmlItem*>(this));
  if (self < 0) return nullptr;
  for (int i = self + 1; i < siblings.GetCount(); i++) {
    SXmlItem* sibling = siblings.GetAt(i);
    if (sibling->m_name.CompareNoCase(m_name.GetText()) == 0) return sibling;
  }
  return nullptr;
}

SXmlItem* SXmlItem::NewChild(const char* name) {
  SXmlItem* child = new SXmlItem(m_counter, this, (*m_counter)++, name);
  if (m_children.Add(child) < 0) {
    delete child;
    return nullptr;
  }
  return child;
}

SXmlItem* SXmlItem::AddChild(const char* name) {
  if (!IsIdentifier(name)) return nullptr;
  return NewChild(name);
}

SXmlItem* SXmlItem::AddChildWithAttributeList(const char* name, int n,
                                              const char* const* pairs) {
  SXmlItem* child = AddChild(name);
  if (!child) return nullptr;
  for (int i = 0; i < n; i++) child->AddAttribute(pairs[2 * i], pairs[2 * i + 1]);
  return child;
}

SXmlItem* SXmlItem::AddChildWithAttributes(const char* name, int n, ...) {
  SXmlItem* child = AddChild(name);
  if (!child) return nullptr;
  va_list args;
  va_start(args, n);
  for (int i = 0; i < n; i++) {
    const char* attributeName = va_arg(args, const char*);
    const char* value = va_arg(args, const char*);
    child->AddAttribute(attributeName, value);
  }
  va_end(args);
  return child;
}

bool SXmlItem::RemoveChild(SXmlItem* child) {
  int i = m_children.Find(child);
  if (i < 0) return false;
  m_children.RemoveAt(i, 1);
  delete child;
  return true;
}

// Each element handed to delete has already given its children to the work
// list, so no destructor below this one finds children to recurse into.
void SXmlItem::RemoveChildren() {
  std::vector<SXmlItem*> pending;
  for (int i = 0; i < m_children.GetCount(); i++) pending.push_back(m_children.GetAt(i));
  m_children.RemoveAll();
  while (!pending.empty()) {
    SXmlItem* item = pending.back();
    pending.pop_back();
    for (int i = 0; i < item->m_children.GetCount(); i++)
      pending.push_back(item->m_children.GetAt(i));
    item->m_children.FreeStorage();
    delete item;
  }
}

SXmlItem* SXmlItem::FindById(int32_t id, SXmlItem** parent) {
  std::vector<SXmlItem*> pending{this};
  while (!pending.empty()) {
    SXmlItem* item = pending.back();
    pending.pop_back();
    if (item->m_id == id) {
      if (parent) *parent = item->m_parent;
      return item;
    }
    // Pushed last child first, so that children are visited in order.
    for (int i = item->m_children.GetCount() - 1; i >= 0; i--)
      pending.push_back(item->m_children.GetAt(i));
  }
  return nullptr;
}

// ==== Output ===============================================================================================

namespace {

// The stream the writer fills, remembering whether every byte went.
class Output {
 public:
  explicit Output(SFile* stream) : m_stream(stream) {}
  bool Ok() const { return m_ok; }

  void Put(const char* bytes, int n) {
    if (n > 0 && m_stream->Write(bytes, n) != n) m_ok = false;
  }
  void Put(const char* text) { Put(text, int(std::strlen(text))); }
  void Put(const SString& text) { Put(text.GetText(), text.GetLength()); }

  void Tabs(int depth) {
    static const char tabs[] = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
    const int chunk = int(sizeof(tabs) - 1);
    for (; depth > chunk; depth -= chunk) Put(tabs, chunk);
    Put(tabs, depth);
  }

  // The text with the characters markup would misread replaced by their
  // entities. Inside attribute values (quote) the double quote is escaped
  // too, and so are tab, CR and LF, which readers fold into blanks there.
  void Escaped(const SString& text, bool quote) {
    const char* p = text.GetText();
    int n = text.GetLength();
    int run = 0;
    for (int i = 0; i < n; i++) {
      const char* entity = nullptr;
      switch (p[i]) {
        case '&': entity = "&amp;"; break;
        case '<': entity = "&lt;"; break;
        case '>': entity = "&gt;"; break;
        case '"': entity = quote ? "&quot;" : nullptr; break;
        case '\t': entity = quote ? "&#9;" : nullptr; break;
        case '\n': entity = quote ? "&#10;" : nullptr; break;
        case '\r': entity = quote ? "&#13;" : nullptr; break;
        default: break;
      }
      if (!entity) continue;
      Put(p + run, i - run);
      Put(entity);
      run = i + 1;
    }
    Put(p + run, n - run);
  }

  void Closing(const SString& name) {
    Put("</", 2);
    Put(name);
    Put(">\r\n", 3);
  }

 private:
  SFile* m_stream;
  bool m_ok = true;
};

}  // namespace

// An element with children writes its own text last, on the line of its end
// tag, where the reader finds it again as the piece before that tag. False
// for a null stream or when the stream took less than it was given.
bool SXmlItem::Write(SFile* stream, int depth) const {
  if (!stream) return false;
  Output out(stream);
  struct Open {
    const SXmlItem* item;
    int next;  // the next child to write
  };
  std::vector<Open> open;
  const SXmlItem* item = this;
  while (item) {
    out.Tabs(depth + int(open.size()));
    out.Put("<", 1);
    out.Put(item->m_name);
    for (int i = 0; i < item->m_attributeNames.GetCount(); i++) {
      out.Put(" ", 1);
      out.Put(*item->m_attributeNames.GetAt(i));
      out.Put("=\"", 2);
      out.Escaped(*item->m_attributeValues.GetAt(i), true);
      out.Put("\"", 1);
    }
    if (item->GetChildCount() > 0) {
      out.Put(">\r\n", 3);
      open.push_back({item, 0});
    } else if (item->m_text.GetLength() == 0) {
      out.Put("/>\r\n", 4);
    } else {
      out.Put(">", 1);
      out.Escaped(item->m_text, false);
      out.Closing(item->m_name);
    }
    // Close every element whose children are all written, then go on with
    // the next child of the innermost one still open.
    item = nullptr;
    while (!open.empty() && !item) {
      Open& top = open.back();
      if (top.next < top.item->GetChildCount()) {
        item = top.item->GetChild(top.next++);
        continue;
      }
      const SXmlItem* done = top.item;
      open.pop_back();
      out.Tabs(depth + int(open.size()));
      if (done->m_text.GetLength() > 0) {
        out.Put("\t", 1);
        out.Escaped(done->m_text, false);
      }
      out.Closing(done->m_name);
    }
  }
  return out.Ok();
}
