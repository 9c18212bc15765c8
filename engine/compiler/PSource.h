// PSource: the program of the application as the package delivers it, still
// source text. It holds the global constants and, for every class, its name,
// its base class, its class-level lines and its members with their
// signatures and body lines. Nothing here is compiled: PEngine::Build walks
// the model to make class definitions and hands each body to the compiler.
//
// The model lives only while the package is being loaded; the class
// definitions keep everything the engine needs afterwards.
//
// ProgramStream, the form Load reads (after unscrambling with the package
// key): NUL-terminated ANSI texts only, counts and flags as decimal text.
//
//   constant count, then per constant: name, value
//   class count, then per class:
//     name, base name (may be empty), class-line count, the class lines,
//     member count, then per member:
//       kind (1 function, 2 event, 3 message handler), name, return type,
//       parameter count, then per parameter:
//         type, name, has-default (non-zero = true), default text, default value
//       line count, the lines of the first group,
//       line count, the lines of the second group
//
// The two line groups end up in one list of body lines, first group first.
#pragma once

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"

class SFile;

class PSource {
 public:
  // One member of a class. The five parameter lists always have the same
  // length: AddParameter is the only way to grow them.
  class _PFunction {
   public:
    _PFunction();
    virtual ~_PFunction();

    int32_t GetKind() const { return m_kind; }
    void SetKind(int32_t kind) { m_kind = kind; }
    // For a message handler: the raising class, a dot, the event's name.
    SString GetName() const { return m_name; }
    void SetName(const char* name) { m_name = name; }
    // Not carried by the stream; PEngine::Build reads it.
    bool IsDeclared() const { return m_declared; }
    void SetDeclared(bool declared) { m_declared = declared; }
    SString GetReturnType() const { return m_returnType; }
    void SetReturnType(const char* type) { m_returnType = type; }

    int GetParameterCount() const { return m_parameterTypes.GetCount(); }
    SString GetParameterType(int i) const { return m_parameterTypes.GetString(i); }
    SString GetParameterName(int i) const { return m_parameterNames.GetString(i); }
    bool HasDefault(int i) const { return i >= 0 && i < m_hasDefault.GetCount() && m_hasDefault.GetAt(i); }
    // The default as written, and its value text (a literal, or '&' and a
    // constant name, or '&', a class name, '.' and a constant name).
    SString GetDefaultText(int i) const { return m_defaultTexts.GetString(i); }
    SString GetDefaultValue(int i) const { return m_defaultValues.GetString(i); }
    void AddParameter(const char* type, const char* name, bool hasDefault, const char* defaultText,
                      const char* defaultValue);

    // The compiler takes the list itself: the build tags the declaration
    // lines in it so that they are not compiled.
    SStringArray& GetBodyLines() { return m_bodyLines; }
    const SStringArray& GetBodyLines() const { return m_bodyLines; }

   private:
    int32_t m_kind;
    SString m_name;
    bool m_declared;
    SString m_returnType;
    SStringArray m_parameterTypes;
    SStringArray m_parameterNames;
    SArray<bool> m_hasDefault;
    SStringArray m_defaultTexts;
    SStringArray m_defaultValues;
    SStringArray m_bodyLines;
  };

  // One class of the program; it owns its member records. A member's
  // position in the list is its member number within the class.
  class _PObject {
   public:
    _PObject();
    virtual ~_PObject();

    SString GetName() const { return m_name; }
    void SetName(const char* name) { m_name = name; }
    SString GetBaseName() const { return m_baseName; }  // "" without a base
    void SetBaseName(const char* name) { m_baseName = name; }
    SStringArray& GetClassLines() { return m_classLines; }
    const SStringArray& GetClassLines() const { return m_classLines; }

    int GetMemberCount() const { return m_members.GetCount(); }
    _PFunction* GetMember(int j) const { return m_members.GetAt(j); }
    // Appends a new empty member record and answers it.
    _PFunction* AddMember();

   private:
    SString m_name;
    SString m_baseName;
    SStringArray m_classLines;
    SArray<_PFunction*> m_members;
  };

  PSource();
  virtual ~PSource();
  PSource(const PSource&) = delete;
  PSource& operator=(const PSource&) = delete;

  // Reads a ProgramStream: a 32-bit length L at the package's position, then
  // L bytes scrambled with the key (a negative L, or one past the end, takes
  // the rest of the package). The model is replaced whatever the content;
  // false only without a package stream, the model then unchanged.
  bool Load(SFile* package, SFile* key);
  // Reads the unscrambled texts from the stream's position to its end.
  void Parse(SFile* texts);
  // Empties the constants and deletes every class record.
  void Clear();

  int GetConstantCount() const { return m_constantNames.GetCount(); }
  SString GetConstantName(int i) const { return m_constantNames.GetString(i); }
  SString GetConstantValue(int i) const { return m_constantValues.GetString(i); }
  void AddConstant(const char* name, const char* value);

  int GetClassCount() const { return m_classes.GetCount(); }
  _PObject* GetClass(int i) const { return m_classes.GetAt(i); }
  // Appends a new empty class record and answers it.
  _PObject* AddClass();

 private:
  SStringArray m_constantNames;
  SStringArray m_constantValues;  // parallel to the names
  SArray<_PObject*> m_classes;
};
