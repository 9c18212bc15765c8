// PObjXml: the script class "Xml", an XML document (SXml) whose elements a
// program reaches by number.
//
// The root is element 1; every element made afterwards takes the next id
// from 2 on, and ids of removed elements are not handed out again until
// the document is cleared or loaded. Ids that do not exist read as 0, -1 or
// "" and change nothing. Element and attribute names set here must be
// identifiers.
//
// The document loads from a File, a disk path, a "text" resource or a text,
// and saves to a File or a disk path (PObjXmlFile.cpp).
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "files/SXml.h"

class SFile;

class PObjXml : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'X', 'M', 'L');
  static const int32_t kRootId = 1;

  enum Member : uint16_t {
    GET_ATTRIBUTE_COUNT = 0,
    FIND_ATTRIBUTE = 1,
    GET_ATTRIBUTE_NAME = 2,
    GET_ATTRIBUTE = 3,
    FIND_CHILD = 4,
    GET_TEXT = 5,
    GET_CHILD_COUNT = 6,
    GET_NAME = 7,
    GET_NEXT = 8,
    GET_PARENT = 9,
    GET_PREVIOUS = 10,
    GET_ROOT_NAME = 11,
    TO_TEXT = 12,
    ADD_CHILD = 13,
    ADD_ATTRIBUTE = 14,
    LOAD_FILE = 15,
    LOAD_DISK_FILE = 16,
    LOAD_RESOURCE = 17,
    CLEAR = 18,
    REMOVE = 19,
    REMOVE_CHILDREN = 20,
    REMOVE_ATTRIBUTE = 21,
    SAVE_FILE = 22,
    SAVE_DISK_FILE = 23,
    RENAME_ATTRIBUTE = 24,
    SET_ATTRIBUTE = 25,
    SET_TEXT = 26,
    SET_NAME = 27,
    SET_ROOT_NAME = 28,
    LOAD_TEXT = 29,
    MEMBER_COUNT = 30,
  };

  // An empty root named "xml".
  explicit PObjXml(PObjectDefinition* definition);
  ~PObjXml() override;

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  SXml& GetDocument() { return m_xml; }

 private:
  // The members that load and save the whole document (PObjXmlFile.cpp);
  // each answers what Call answers.
  bool CallFile(uint16_t member, PArgs* args, PResultCell* result);

  SXml m_xml;
};
