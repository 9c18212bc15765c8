// PObjectRef: the cell that binds a declaration and the object holding it
// to the object it refers to at run time: one per member variable of a user
// object part, and one per parameter and local of a running member.
#pragma once

class PObject;
class PObjectInfo;

class PObjectRef {
 public:
  PObjectRef() = default;
  PObjectRef(PObjectInfo* declaration, PObject* holder)
      : m_declaration(declaration), m_holder(holder) {}
  virtual ~PObjectRef() = default;

  PObjectInfo* GetDeclaration() const { return m_declaration; }
  void SetDeclaration(PObjectInfo* declaration) { m_declaration = declaration; }
  PObject* GetHolder() const { return m_holder; }
  void SetHolder(PObject* holder) { m_holder = holder; }
  // The referenced object; the cell does not own it by itself.
  PObject* GetRefObject() const { return m_object; }
  void SetRefObject(PObject* object) { m_object = object; }

  // Makes the declared class's object (a user object also prepared and
  // constructed) and refers to it; false when it cannot be made.
  bool CreateObject();
  // Releases the object with force and empties the cell.
  bool ReleaseObject();

 private:
  PObjectInfo* m_declaration = nullptr;
  PObject* m_holder = nullptr;
  PObject* m_object = nullptr;
};
