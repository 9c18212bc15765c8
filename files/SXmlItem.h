// SXmlItem: one element of an SXml document.
//
// An element has a name, attributes in insertion order (two parallel string
// lists, names unique and compared exactly), one text and its owned child
// elements. Every element carries an id handed out by its document's
// counter, so that callers which cannot hold pointers (the script class)
// address elements by number.
//
// Names set through this interface are identifiers; only a loaded document's
// root may carry another name. Text set here never holds "<" or ">"; a
// loaded text may, since the writer escapes what markup would misread.
#pragma once

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"

class SFile;

class SXmlItem {
 public:
  // counter: the document's next-id field, shared by all its elements.
  SXmlItem(int32_t* counter, SXmlItem* parent, int32_t id, const char* name);
  // Deletes the whole subtree.
  ~SXmlItem();
  SXmlItem(const SXmlItem&) = delete;
  SXmlItem& operator=(const SXmlItem&) = delete;

  // ---- Identity -------------------------------------------------------------------

  int32_t GetId() const { return m_id; }
  SXmlItem* GetParent() const { return m_parent; }
  const SString& GetName() const { return m_name; }
  // Changes the name only to an identifier.
  bool SetName(const char* name);

  // ---- Attributes -----------------------------------------------------------------

  int GetAttributeCount() const { return m_attributeNames.GetCount(); }
  // The index, or -1 when missing (exact comparison).
  int FindAttribute(const char* name) const;
  SString GetAttributeName(int index) const { return m_attributeNames.GetString(index); }
  SString GetAttributeValue(int index) const { return m_attributeValues.GetString(index); }
  // The new index; -1 when the name is no identifier or already present.
  int AddAttribute(const char* name, const char* value);
  // Replaces an existing value, else adds the attribute.
  bool SetAttribute(const char* name, const char* value);
  bool RemoveAttribute(const char* name);
  // Refuses a name that is no identifier or that another attribute of this
  // item already has; renaming an attribute to its own name succeeds.
  bool RenameAttribute(const char* oldName, const char* newName);
  SString GetAttribute(const char* name) const;
  // atoi of the value; 0 (false) when missing.
  int GetAttributeInt(const char* name, int& out) const;
  bool GetAttributeBool(const char* name, bool& out) const;
  SString GetAttributeString(const char* name, SString& out) const;

  // ---- Text -----------------------------------------------------------------------

  const SString& GetText() const { return m_text; }
  // Every "<" and ">" becomes a blank.
  bool SetText(const char* text);

  // ---- Children ---------------------------------------------------------------------

  int GetChildCount() const { return m_children.GetCount(); }
  SXmlItem* GetChild(int index) const { return m_children.GetAt(index); }
  // First child named so, ignoring case; null for "" or none.
  SXmlItem* FindChild(const char* name) const;
  // Nearest sibling before / after with this element's name, ignoring case.
  SXmlItem* GetPreviousSibling() const;
  SXmlItem* GetNextSibling() const;
  // A new last child; null when the name is no identifier.
  SXmlItem* AddChild(const char* name);
  // AddChild, then each (name, value) pair that AddAttribute accepts; n
  // pairs follow n as const char* arguments.
  SXmlItem* AddChildWithAttributes(const char* name, int n, ...);
  SXmlItem* AddChildWithAttributeList(const char* name, int n, const char* const* pairs);
  // Removes the child from this element and deletes it with its subtree.
  bool RemoveChild(SXmlItem* child);
  void RemoveChildren();

  // Depth first, this element first; parent (when given) receives the found
  // element's parent.
  SXmlItem* FindById(int32_t id, SXmlItem** parent = nullptr);

  // ---- Output -------------------------------------------------------------------------

  // The element and its subtree, indented by depth TABs, lines ended by
  // CR LF; false only for a null stream.
  bool Write(SFile* stream, int depth) const;

 private:
  friend class SXml;
  friend class SXmlLoader;

  // The loader's ways in: a name and text taken as read, an attribute
  // appended after its own checks.
  void AssignName(const char* bytes, int n) { m_name.Assign(bytes, n); }
  // Appends an attribute whose name the loader has checked.
  void AppendLoadedAttribute(const SString& name, const SString& value);
  void AppendLoadedText(const SString& piece);
  SXmlItem* NewChild(const char* name);

  SString m_name;
  SStringArray m_attributeNames;   // parallel lists: index i of both
  SStringArray m_attributeValues;  //   is one attribute
  SString m_text;
  SArray<SXmlItem*> m_children;    // owned
  int32_t* m_counter;              // the document's next id
  SXmlItem* m_parent;              // null for the root
  int32_t m_id;
};
