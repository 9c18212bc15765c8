// PObjectDefinition: everything the engine knows of one script class,
// built-in, user, external-module or Global: its factory and tag, its
// constants, its member variables, and its members held as parallel tables
// indexed by member position (kind, number, internal name, flag, event
// source, return declaration, parameter and default counts, declarations
// and compiled code).
//
// Built-in members are known by internal names made of numbers (see
// MakeInternalName); user members by the names the program gives them.
// A definition also makes the objects of its class, one part per level of
// its hierarchy (CreateInstance).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <unordered_map>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"
#include "core/SValue.h"
#include "engine/PObjectInfo.h"
#include "engine/PTypeCode.h"

class PCodeInfo;
class PEngine;
class PObject;
class SDll;

// A class's factory: a new part of an object of the definition's class, or
// null.
typedef PObject* (*PFactory)(PObjectDefinition* definition);

// One parameter of a built-in member as its class's Declare gives it: the
// class and, when it has one, the default. What a default carries depends on
// the class: an Integer the text as written and the value, a Float the same
// with a double, a String or UniString one text (both value and, quoted, the
// written form), any other class nothing (it is null).
struct PParamDecl {
  TypeCode type;
  bool hasDefault;
  const char* written;  // Integer, Float: as written; String, UniString: the text
  int32_t intValue;
  double floatValue;

  // Without default.
  constexpr PParamDecl(TypeCode t)
      : type(t), hasDefault(false), written(nullptr), intValue(0), floatValue(0) {}
  // An Integer default.
  constexpr PParamDecl(TypeCode t, const char* w, int32_t value)
      : type(t), hasDefault(true), written(w), intValue(value), floatValue(0) {}
  // A Float default.
  constexpr PParamDecl(TypeCode t, const char* w, double value)
      : type(t), hasDefault(true), written(w), intValue(0), floatValue(value) {}
  // A String or UniString default, or (text null) the null default of an
  // object class.
  constexpr PParamDecl(TypeCode t, const char* text)
      : type(t), hasDefault(true), written(text), intValue(0), floatValue(0) {}
};

class PObjectDefinition {
 public:
  PObjectDefinition(PEngine* engine, TypeCode typeCode, const char* name, const char* baseName);
  ~PObjectDefinition();
  PObjectDefinition(const PObjectDefinition&) = delete;
  PObjectDefinition& operator=(const PObjectDefinition&) = delete;

  // ---- Setting (a class's Register, the build, the module loader) ---------------------

  void SetFactory(PFactory factory) { m_factory = factory; }
  void SetCategory(int32_t category) { m_category = category; }
  void SetTypeCode(TypeCode typeCode) { m_typeCode = typeCode; }
  void SetName(const char* name) { m_name = name; }
  void SetBaseName(const char* name) { m_baseName = name; }
  void SetControlNumber(int16_t number) { m_controlNumber = number; }
  void SetAbstract() { m_instantiable = false; }
  void SetBase(PObjectDefinition* base) { m_base = base; }
  void SetModule(const char* libraryPath, bool isControl);
  // An external module's library, loaded for the run and initialised
  // ("Tavrin_Init"); true at once for any other class or when already
  // loaded. A library that does not load, lacks the entry or refuses is
  // forgotten again (false).
  bool LoadModule();
  // "Tavrin_Uninit" when exported, then the library goes; nothing when none
  // is loaded.
  void UnloadModule();
  // Member -1 sets the flag of every member.
  void SetMemberFlag(int member, bool flag = true);
  void SetEventSource(int member, PObjectDefinition* source);
  // Where a constant added "at the start" goes.
  void SetLeadingConstantCount(int count) { m_leadingConstants = count; }

  // Stores a member's compiled code, which the definition then owns. The
  // compiler's type is complete only where code is stored, so the deleter
  // is made there.
  template <class Code = PCodeInfo>
  void SetCode(int member, Code* code) {
    StoreCode(member, code, [](PCodeInfo* c) { delete static_cast<Code*>(c); });
  }
  PCodeInfo* GetCode(int member) const { return m_code.GetAt(member); }

  // ---- Identity ---------------------------------------------------------------------

  PEngine* GetEngine() const { return m_engine; }
  PFactory GetFactory() const { return m_factory; }
  TypeCode GetTypeCode() const { return m_typeCode; }
  ClassOrigin GetOrigin() const { return OriginOf(m_typeCode); }
  int32_t GetCategory() const { return m_category; }
  int16_t GetControlNumber() const { return m_controlNumber; }
  const char* GetName() const { return m_name.GetText(); }
  const char* GetBaseName() const { return m_baseName.GetText(); }
  PObjectDefinition* GetBase() const { return m_base; }
  bool IsInstantiable() const { return m_instantiable; }
  // Integer, Float, String and UniString: the classes that carry numbers and
  // texts across member calls.
  bool IsBasicValueClass() const;
  const char* GetModulePath() const { return m_modulePath.GetText(); }
  bool IsModuleControl() const { return m_moduleIsControl; }
  SDll* GetModuleLibrary() const { return m_library; }
  // An export of the library loaded for the run; null when none is loaded
  // or it lacks the name.
  void* GetModuleExport(const char* name) const;

  int GetConstructorId() const { return m_constructor; }
  int GetDestructorId() const { return m_destructor; }
  int GetIdleId() const { return m_idle; }

  // ---- Constants ------------------------------------------------------------------
  //
  // Each constant is an SValue named after it, whose display text is the
  // source form that stands for it and whose flag word is 1 when hidden.
  // An add is refused when the name is no identifier or is already a
  // constant or member variable of this class. Without a display text the
  // value's own text is used (a text in double quotes).

  bool AddIntConstant(const char* name, int64_t value, bool atStart = false,
                      const char* text = nullptr, bool hidden = false);
  bool AddFloatConstant(const char* name, double value, bool atStart = false,
                        const char* text = nullptr, bool hidden = false);
  bool AddStringConstant(const char* name, const char* value, bool atStart = false,
                         const char* text = nullptr, bool hidden = false);
  // The 32-bit form the classes' Register functions use.
  bool AddConstant(const char* name, int32_t value, bool atStart = false,
                   const char* text = nullptr, bool hidden = false) {
    return AddIntConstant(name, value, atStart, text, hidden);
  }

  int GetConstantCount() const { return m_constants.GetCount(); }
  int GetLeadingConstantCount() const { return m_leadingConstants; }
  SValue* GetConstant(int i) const { return m_constants.GetAt(i); }
  SString GetConstantName(int i) const { return m_constants.GetAt(i)->GetName(); }
  SString GetConstantText(int i) const { return m_constants.GetAt(i)->ToString(); }
  // By exact name, in this class only.
  SValue* FindConstant(const char* name) const;

  // ---- Members (by position, unchecked) ----------------------------------------------

  int GetMemberCount() const { return m_kinds.GetCount(); }
  int32_t GetMemberKind(int member) const { return m_kinds.GetAt(member); }
  uint16_t GetMemberId(int member) const { return m_ids.GetAt(member); }
  const char* GetMemberName(int member) const { return m_names.GetAt(member)->GetText(); }
  bool GetMemberFlag(int member) const { return m_flags.GetAt(member); }
  PObjectDefinition* GetEventSource(int member) const { return m_eventSources.GetAt(member); }
  PObjectInfo* GetReturnInfo(int member) const { return m_returns.GetAt(member); }
  PObjectDefinition* GetReturnType(int member) const { return m_returns.GetAt(member)->GetType(); }
  int GetParamCount(int member) const { return m_paramCounts.GetAt(member); }
  int GetDefaultCount(int member) const { return m_defaultCounts.GetAt(member); }
  // Parameter i of the member; indexes past the parameters reach its locals.
  PObjectInfo* GetParamInfo(int member, int i) const { return m_declarations.GetAt(member)->GetAt(i); }
  int GetDeclarationCount(int member) const { return m_declarations.GetAt(member)->GetCount(); }

  // Position of the member with that internal name, -1 when none.
  int FindMember(const char* name) const;
  int FindMemberById(int number) const;
  // This class, then (for kinds 0 and 1 only) the functions of each base in
  // turn. A match here of another kind than a non-zero filter is no match.
  int FindMemberInBases(const char* name, int kind, PObjectDefinition** declaring) const;

  // "_", the class index and the member position in upper-case hexadecimal
  // of at least two digits each, characters 1 and 4 exchanged, lower-cased:
  // class 0x1A, member 5 gives "_5a01".
  static SString MakeInternalName(int classIndex, int member);

  // A member of a built-in class (kind, number, result class, parameters):
  // false, adding nothing, when the result or a parameter names no known
  // class. The internal name comes from the class's index in the engine.
  bool AddMember(int32_t kind, uint16_t number, TypeCode result,
                 std::initializer_list<PParamDecl> params = {});
  // A member of a user or module class. names: the member's, then its
  // parameters'; types: the result's, then the parameters'; defaults: one
  // per parameter after a first entry for the result, null for none.
  bool AddScriptMember(int32_t kind, uint16_t number, const SStringArray& names,
                       const SArray<TypeCode>& types, const SArray<SValue*>& defaults, bool flag);

  // ---- Variables --------------------------------------------------------------------

  int GetVariableCount() const { return m_variables.GetCount(); }
  PObjectInfo* GetVariable(int i) const { return m_variables.GetAt(i); }
  // The definition takes over the declaration; false for null.
  bool AddVariable(PObjectInfo* info);
  // A local variable of the member, after its parameters and earlier locals.
  bool AddLocalVariable(int member, PObjectInfo* info);
  PObjectInfo* FindLocalVariable(int member, const char* name, bool params, bool locals) const;
  // With a member (not -1): its parameters and locals first, then the member
  // variables of this class.
  PObjectInfo* FindVariable(const char* name, int member = -1) const;
  // FindVariable here, then the member variables of each base in turn.
  PObjectInfo* FindVariableInBases(const char* name, int member,
                                   PObjectDefinition** declaring) const;

  // Same result class, parameter count and parameter classes (by TypeCode)
  // as the other class's member: overrides, and handlers against their events.
  bool ParamsMatch(int member, const PObjectDefinition* other, int otherMember) const;

  // ---- Inheritance --------------------------------------------------------------------

  // For each member of the base, the position of the member of this class
  // that overrides it, or -1. Only functions are overridden, and only by a
  // member of the same internal name, flag and signature; any other member of
  // that name makes the build fail (false).
  bool BuildOverrideMap();
  int GetOverrideCount() const { return m_overrides.GetCount(); }
  // -1 outside the map.
  int GetOverride(int baseMember) const;

  // ---- Objects --------------------------------------------------------------------

  // A new object of this class, its base parts first; the most-derived part,
  // or null (what was made is released again).
  PObject* CreateInstance();

 private:
  typedef void (*CodeDeleter)(PCodeInfo* code);
  void StoreCode(int member, PCodeInfo* code, CodeDeleter deleter);

  // The constant as refused or appended/inserted.
  bool AddConstantValue(SValue* value, bool atStart, const char* text, bool hidden);
  bool IsNameTaken(const char* name) const;
  // Appends every table entry of a new member; declarations are taken over.
  void AppendMember(int32_t kind, uint16_t number, const char* name, bool flag,
                    PObjectDefinition* returnType, SArray<PObjectInfo*>* declarations,
                    int defaultCount);

  PFactory m_factory;
  PEngine* m_engine;
  TypeCode m_typeCode;
  int32_t m_category;
  int16_t m_controlNumber;
  SString m_name;
  bool m_instantiable;
  int32_t m_constructor;
  int32_t m_destructor;
  int32_t m_idle;
  int32_t m_leadingConstants;
  SString m_baseName;
  PObjectDefinition* m_base;
  SArray<int32_t> m_overrides;
  SArray<SValue*> m_constants;
  // Every name the program writes is looked up here while compiling: by
  // name, not by walking the list (Global alone has over eighty).
  std::unordered_map<std::string, SValue*> m_constantIndex;
  SArray<PObjectInfo*> m_variables;

  // The member tables, one entry per member in each.
  SArray<int32_t> m_kinds;
  SArray<uint16_t> m_ids;
  SStringArray m_names;
  SArray<bool> m_flags;
  SArray<PObjectDefinition*> m_eventSources;
  SArray<PObjectInfo*> m_returns;
  SArray<int32_t> m_paramCounts;
  SArray<int32_t> m_defaultCounts;
  SArray<SArray<PObjectInfo*>*> m_declarations;  // parameters, then locals
  SArray<PCodeInfo*> m_code;
  CodeDeleter m_codeDeleter;

  // External modules only.
  SString m_modulePath;
  bool m_moduleIsControl;
  SDll* m_library;  // owned
};
