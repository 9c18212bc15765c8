// The Xml class: registration, the member table, and the members on
// elements and attributes by id.
#include "classes/PObjXml.h"

#include <cstdint>
#include <initializer_list>
#include <new>

#include "classes/PObjFile.h"
#include "engine/PObjectDefinition.h"

PObjXml::PObjXml(PObjectDefinition* definition) : PObject(definition) { m_xml.Clear("xml"); }

PObjXml::~PObjXml() { m_xml.Clear("xml"); }

void PObjXml::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_FILES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Xml");
  definition->AddConstant("ROOT", kRootId);
  PObject::Register(definition);
}

bool PObjXml::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kStr = TYPE_STRING, kVoid = TYPE_VOID;
  const PParamDecl id(TYPE_INTEGER), n(TYPE_INTEGER), text(TYPE_STRING), file(PObjFile::kTypeCode);
  const PParamDecl none(TYPE_STRING, ""), xml(TYPE_STRING, "xml");

  // Members are numbered by their position: added in order, 0 to 29.
  bool ok = true;
  auto add = [&](Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    ok = ok && d->GetMemberCount() == member && d->AddMember(MEMBER_FUNCTION, member, result, params);
  };
  add(GET_ATTRIBUTE_COUNT, kInt, {id});
  add(FIND_ATTRIBUTE, kInt, {id, text});
  add(GET_ATTRIBUTE_NAME, kStr, {id, n});
  add(GET_ATTRIBUTE, kStr, {id, text});
  add(FIND_CHILD, kInt, {id, text});
  add(GET_TEXT, kStr, {id});
  add(GET_CHILD_COUNT, kInt, {id});
  add(GET_NAME, kStr, {id});
  add(GET_NEXT, kInt, {id});
  add(GET_PARENT, kInt, {id});
  add(GET_PREVIOUS, kInt, {id});
  add(GET_ROOT_NAME, kStr, {});
  add(TO_TEXT, kStr, {});
  add(ADD_CHILD, kInt, {id, text, none, none});
  add(ADD_ATTRIBUTE, kInt, {id, text, none});
  add(LOAD_FILE, kInt, {file});
  add(LOAD_DISK_FILE, kInt, {text});
  add(LOAD_RESOURCE, kInt, {text});
  add(CLEAR, kVoid, {xml});
  add(REMOVE, kInt, {id});
  add(REMOVE_CHILDREN, kInt, {id});
  add(REMOVE_ATTRIBUTE, kInt, {id, text});
  add(SAVE_FILE, kInt, {file});
  add(SAVE_DISK_FILE, kInt, {text});
  add(RENAME_ATTRIBUTE, kInt, {id, text, text});
  add(SET_ATTRIBUTE, kInt, {id, text, text});
  add(SET_TEXT, kInt, {id, text});
  add(SET_NAME, kInt, {id, text});
  add(SET_ROOT_NAME, kVoid, {text});
  add(LOAD_TEXT, kInt, {text});
  return ok;
}

PObject* PObjXml::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjXml(definition);
}

bool PObjXml::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  SXml& x = m_xml;
  // Read only by the members whose first argument is an id.
  const auto id = [&] { return GetArgInt32(args, 0); };
  const auto s = [&](int i) { return GetArgString(args, i); };
  switch (member) {
    case GET_ATTRIBUTE_COUNT: return ReturnInt64(result, x.GetAttributeCount(id()));
    case FIND_ATTRIBUTE: return ReturnInt64(result, x.FindAttributeById(id(), s(1)));
    case GET_ATTRIBUTE_NAME:
      return ReturnString(result, x.GetAttributeNameById(id(), GetArgInt32(args, 1)).GetText());
    case GET_ATTRIBUTE: return ReturnString(result, x.GetAttributeById(id(), s(1)).GetText());
    case FIND_CHILD: return ReturnInt64(result, x.FindChildId(id(), s(1)));
    case GET_TEXT: return ReturnString(result, x.GetTextById(id()).GetText());
    case GET_CHILD_COUNT: return ReturnInt64(result, x.GetChildCount(id()));
    case GET_NAME: return ReturnString(result, x.GetNameById(id()).GetText());
    case GET_NEXT: return ReturnInt64(result, x.GetNextId(id()));
    case GET_PARENT: return ReturnInt64(result, x.GetParentId(id()));
    case GET_PREVIOUS: return ReturnInt64(result, x.GetPreviousId(id()));
    case GET_ROOT_NAME: return ReturnString(result, x.GetRoot()->GetName().GetText());
    case TO_TEXT: return ReturnString(result, x.ToText().GetText());

    // The attribute goes along only when it is an identifier: an empty
    // attribute name asks for the element alone.
    case ADD_CHILD: return ReturnInt64(result, x.AddChildWithAttributesById(id(), s(1), 1, s(2), s(3)));
    case ADD_ATTRIBUTE: return ReturnInt64(result, x.AddAttributeById(id(), s(1), s(2)));
    case CLEAR: x.Clear(s(0)); return true;
    case REMOVE: return ReturnBool(result, x.RemoveById(id()));
    case REMOVE_CHILDREN: return ReturnBool(result, x.RemoveChildrenById(id()));
    case REMOVE_ATTRIBUTE: return ReturnBool(result, x.RemoveAttributeById(id(), s(1)));
    case RENAME_ATTRIBUTE: return ReturnBool(result, x.RenameAttributeById(id(), s(1), s(2)));
    case SET_ATTRIBUTE: return ReturnBool(result, x.SetAttributeById(id(), s(1), s(2)));
    case SET_TEXT: return ReturnBool(result, x.SetTextById(id(), s(1)));
    case SET_NAME: return ReturnBool(result, x.SetNameById(id(), s(1)));
    case SET_ROOT_NAME: x.GetRoot()->SetName(s(0)); return true;

    case LOAD_FILE:
    case LOAD_DISK_FILE:
    case LOAD_RESOURCE:
    case SAVE_FILE:
    case SAVE_DISK_FILE:
    case LOAD_TEXT: return CallFile(member, args, result);
    default: return PObject::Call(member, args, result, caller);
  }
}
