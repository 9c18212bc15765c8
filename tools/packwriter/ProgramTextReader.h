// ProgramTextReader: reads a program written in the package writer's text
// form (docs/program-format.md) into a program model.
//
//   # comment
//   constant ID_OK 1
//   class Application
//     Integer count
//   function Integer Add(Integer a, Integer b=2)
//     count=a+b
//     return count
//   message Integer Button.12(Integer code)
//     return 0
//
// Lines at column 0 are headers (constant, class, function, event,
// message); indented lines belong to the header above them: class lines
// under a class, body lines under a member. A built-in member may be written
// as its class and member number ("File.21"); it is turned into the
// member's internal name, which is how the engine knows built-in members.
#pragma once

#include <vector>

#include "core/SString.h"
#include "engine/compiler/PSource.h"

class SFile;

// How the reader learns the numbering of the built-in classes.
struct BuiltinNaming {
  // The class's index in the engine's definition table, -1 for a name that
  // is no built-in class.
  int (*findClass)(const char* name);
  // The internal name of member number member of class index classIndex.
  SString (*internalName)(int classIndex, int member);
};

// Where a line of the model stands in the program text: its line number and
// the line as the author wrote it (before built-in member numbers became
// internal names), so that a fault found in the model is reported in the
// author's terms.
struct ProgramTextPlace {
  int line = 0;
  SString text;
};

class ProgramTextReader {
 public:
  explicit ProgramTextReader(const BuiltinNaming& naming);

  // Reads the whole stream into the model (replacing it). False at the
  // first fault, with GetError giving "file:line: what".
  bool Read(SFile* text, const char* fileName, PSource* program);
  SString GetError() const { return m_error; }
  const SString& GetFileName() const { return m_fileName; }

  // The place of line `line` of class c's class lines (member -1) or of a
  // member's body; line -1 gives the header of the class or member, whose
  // text for a member is its name as written ("Button.12"). False when the
  // last Read made no such line.
  bool FindPlace(int c, int member, int line, ProgramTextPlace* place) const;

 private:
  bool ReadLine(const SString& line);
  bool ReadConstant(const SString& rest);
  bool ReadClass(const SString& rest);
  bool ReadMember(int kind, const SString& rest);
  bool ReadParameters(const SString& list, PSource::_PFunction* member);
  bool ReadParameter(const SString& text, PSource::_PFunction* member);
  // Replaces each "Class.N" of a built-in class, outside string literals:
  // by the internal name, or (keepClass) by "Class." and the internal name.
  bool ResolveBuiltinMembers(SString& line, bool keepClass);
  bool Fail(const char* message);

  BuiltinNaming m_naming;
  PSource* m_program;
  SString m_fileName;
  int m_lineNumber;
  PSource::_PObject* m_class;      // the class members go to
  SStringArray* m_contentTarget;   // where indented lines go; null: nowhere
  SString m_error;

  // The places of the model's lines, class by class, member by member.
  struct _PPlaces {
    ProgramTextPlace header;
    std::vector<ProgramTextPlace> lines;
  };
  struct _PClassPlaces : _PPlaces {
    std::vector<_PPlaces> members;
  };
  std::vector<_PClassPlaces> m_places;
  std::vector<ProgramTextPlace>* m_contentPlaces;  // beside m_contentTarget
};
