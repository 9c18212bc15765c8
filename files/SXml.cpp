// SXml: the document, its declaration, and the operations by element id.
// Loading lives in SXmlLoad.cpp.
#include "files/SXml.h"

#include <cstdarg>
#include <cstring>
#include <vector>

#include "core/TextFunctions.h"
#include "files/SFile.h"
#include "files/SFileMem.h"

SXml::SXml(const char* rootName, const char* attributeName, const char* attributeValue)
    : m_nextId(2), m_root(&m_nextId, nullptr, 1, "xml") {
  Clear(rootName);
  if (attributeName && *attributeName) m_root.AddAttribute(attributeName, attributeValue);
}

void SXml::Clear(const char* rootName) {
  m_nextId = 2;
  m_version = "1.0";
  m_encoding = "UTF-8";
  m_root.m_attributeNames.Purge();
  m_root.m_attributeValues.Purge();
  m_root.m_text = "";
  m_root.RemoveChildren();
  m_root.m_name = IsIdentifier(rootName) ? rootName : "xml";
}

bool SXml::LoadText(const char* text) {
  SFileMem memory;
  if (text) memory.Write(text, int(std::strlen(text)));
  memory.Rewind();
  return Load(&memory, false);
}

bool SXml::Save(SFile* stream) {
  if (!stream) return false;
  SString declaration("<?xml version=\"");
  declaration += m_version;
  declaration += "\" encoding=\"";
  declaration += m_encoding;
  declaration += "\"?>";
  bool declared = stream->WriteLine(declaration.GetText()) == declaration.GetLength() + 2;
  return m_root.Write(stream, 0) && declared;
}

SString SXml::ToText() {
  SFileMem memory;
  if (!Save(&memory)) return SString("");
  memory.Rewind();
  return memory.ReadString(-1);
}

// ==== Elements by id =======================================================================

SXmlItem* SXml::FindItem(int32_t id) {
  if (id == 0) return nullptr;
  return m_root.FindById(id);
}

namespace {

int32_t IdOf(const SXmlItem* item) { return item ? item->GetId() : 0; }

}  // namespace

int32_t SXml::GetParentId(int32_t id) {
  SXmlItem* item = FindItem(id);
  return item ? IdOf(item->GetParent()) : 0;
}

int32_t SXml::FindChildId(int32_t id, const char* name) {
  SXmlItem* item = FindItem(id);
  return item ? IdOf(item->FindChild(name)) : 0;
}

int32_t SXml::GetPreviousId(int32_t id) {
  SXmlItem* item = FindItem(id);
  return item ? IdOf(item->GetPreviousSibling()) : 0;
}

int32_t SXml::GetNextId(int32_t id) {
  SXmlItem* item = FindItem(id);
  return item ? IdOf(item->GetNextSibling()) : 0;
}

int32_t SXml::AddChildById(int32_t id, const char* name) {
  SXmlItem* item = FindItem(id);
  return item ? IdOf(item->AddChild(name)) : 0;
}

int32_t SXml::AddChildWithAttributesById(int32_t id, const char* name, int n, ...) {
  SXmlItem* item = FindItem(id);
  if (!item) return 0;
  std::vector<const char*> pairs;
  va_list args;
  va_start(args, n);
  for (int i = 0; i < 2 * n; i++) pairs.push_back(va_arg(args, const char*));
  va_end(args);
  return IdOf(item->AddChildWithAttributeList(name, n < 0 ? 0 : n, pairs.data()));
}

bool SXml::RemoveById(int32_t id) {
  SXmlItem* parent = nullptr;
  SXmlItem* item = id == 0 ? nullptr : m_root.FindById(id, &parent);
  if (!item || !parent) return false;
  return parent->RemoveChild(item);
}

bool SXml::RemoveChildrenById(int32_t id) {
  SXmlItem* item = FindItem(id);
  if (!item) return false;
  item->RemoveChildren();
  return true;
}

int SXml::GetChildCount(int32_t id) {
  SXmlItem* item = FindItem(id);
  return item ? item->GetChildCount() : 0;
}

bool SXml::SetNameById(int32_t id, const char* name) {
  SXmlItem* item = FindItem(id);
  return item && item->SetName(name);
}

SString SXml::GetNameById(int32_t id) {
  SXmlItem* item = FindItem(id);
  return item ? item->GetName() : SString("");
}

int SXml::AddAttributeById(int32_t id, const char* name, const char* value) {
  SXmlItem* item = FindItem(id);
  return item ? item->AddAttribute(name, value) : -1;
}

bool SXml::RemoveAttributeById(int32_t id, const char* name) {
  SXmlItem* item = FindItem(id);
  return item && item->RemoveAttribute(name);
}

int SXml::GetAttributeCount(int32_t id) {
  SXmlItem* item = FindItem(id);
  return item ? item->GetAttributeCount() : 0;
}

int SXml::FindAttributeById(int32_t id, const char* name) {
  SXmlItem* item = FindItem(id);
  return item ? item->FindAttribute(name) : -1;
}

bool SXml::RenameAttributeById(int32_t id, const char* oldName, const char* newName) {
  SXmlItem* item = FindItem(id);
  return item && item->RenameAttribute(oldName, newName);
}

SString SXml::GetAttributeNameById(int32_t id, int index) {
  SXmlItem* item = FindItem(id);
  return item ? item->GetAttributeName(index) : SString("");
}

bool SXml::SetAttributeById(int32_t id, const char* name, const char* value) {
  SXmlItem* item = FindItem(id);
  return item && item->SetAttribute(name, value);
}

SString SXml::GetAttributeById(int32_t id, const char* name) {
  SXmlItem* item = FindItem(id);
  return item ? item->GetAttribute(name) : SString("");
}

bool SXml::SetTextById(int32_t id, const char* text) {
  SXmlItem* item = FindItem(id);
  return item && item->SetText(text);
}

SString SXml::GetTextById(int32_t id) {
  SXmlItem* item = FindItem(id);
  return item ? item->GetText() : SString("");
}
