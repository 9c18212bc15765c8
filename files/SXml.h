// SXml: a small XML document, one root element with its tree.
//
// The accepted grammar is a subset of XML: element and attribute names are
// identifiers (only the root's name is taken as written), attribute values
// are double-quoted. The writer escapes "&", "<", ">" and, in attribute
// values, the double quote; the reader decodes the five predefined entities
// and character references and takes every other byte as it stands.
// Nothing converts characters: texts hold the stream's bytes.
//
// Elements are addressed by id as well as by pointer: ids count up from 2 in
// creation order within one document and restart at every Clear or Load;
// the root is 1. The id-based operations find their element with a depth
// first walk on each call, as documents are small.
#pragma once

#include <cstdint>

#include "core/SString.h"
#include "files/SXmlItem.h"

class SFile;

class SXml {
 public:
  SXml(const char* rootName = "xml", const char* attributeName = nullptr,
       const char* attributeValue = nullptr);
  ~SXml() = default;
  SXml(const SXml&) = delete;
  SXml& operator=(const SXml&) = delete;

  // Next id 2, version "1.0", encoding "UTF-8", an empty root named so when
  // the name is an identifier, else "xml".
  void Clear(const char* rootName);
  SXmlItem* GetRoot() { return &m_root; }
  const SString& GetVersion() const { return m_version; }
  const SString& GetEncoding() const { return m_encoding; }

  // ---- Reading and writing ------------------------------------------------------------

  // Clears, then reads from the stream's position to its end. False for
  // malformed input, which leaves what was built so far. limit: texts longer
  // than 512 bytes read as empty.
  bool Load(SFile* stream, bool limit);
  bool LoadText(const char* text);
  // The declaration line, then the root element.
  bool Save(SFile* stream);
  SString ToText();

  // ---- Elements by id (absent ids give 0, -1, false or "") -----------------------------

  SXmlItem* FindItem(int32_t id);
  int32_t GetParentId(int32_t id);
  int32_t FindChildId(int32_t id, const char* name);
  int32_t GetPreviousId(int32_t id);
  int32_t GetNextId(int32_t id);
  int32_t AddChildById(int32_t id, const char* name);
  // n (name, value) pairs follow n as const char* arguments.
  int32_t AddChildWithAttributesById(int32_t id, const char* name, int n, ...);
  bool RemoveById(int32_t id);
  bool RemoveChildrenById(int32_t id);
  int GetChildCount(int32_t id);
  bool SetNameById(int32_t id, const char* name);
  SString GetNameById(int32_t id);
  int AddAttributeById(int32_t id, const char* name, const char* value);
  bool RemoveAttributeById(int32_t id, const char* name);
  int GetAttributeCount(int32_t id);
  int FindAttributeById(int32_t id, const char* name);
  bool RenameAttributeById(int32_t id, const char* oldName, const char* newName);
  SString GetAttributeNameById(int32_t id, int index);
  bool SetAttributeById(int32_t id, const char* name, const char* value);
  SString GetAttributeById(int32_t id, const char* name);
  bool SetTextById(int32_t id, const char* text);
  SString GetTextById(int32_t id);

 private:
  int32_t m_nextId;
  SString m_version;
  SString m_encoding;
  SXmlItem m_root;
};
