// PEngine: the one language engine of the process.
//
// It owns the language's keyword lists and tokeniser, the table of class
// definitions (built-in classes first, then the program's classes, then
// those of external modules), the names of the program's global constants,
// the Global and Application objects and the run-loop state, and it uses the
// application's resource pack. Besides the
// table and its lookups it checks identifiers for the build, finds and loads
// named resources, and makes the value objects in which numbers and texts
// cross member calls and events.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

// The platform's headers first: their FindResource macro must not rename the
// member below in some files and not in others.
#include "core/Platform.h"
#ifdef FindResource
#undef FindResource
#endif

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"
#include "core/SValue.h"
#include "core/TextFunctions.h"
#include "engine/PTypeCode.h"
#include "engine/compiler/PLanguage.h"
#include "engine/compiler/PSource.h"
#include "files/SFileMem.h"
#include "files/SPath.h"

class PObject;
class PObjectDefinition;
class PObjFloat;
class PObjInt;
class PObjString;
class PObjUniString;
class PObjValue;
class SResource;

// The folders of named resources, by ResourceType.
enum ResourceType : int32_t {
  RESOURCE_ID = 0,
  RESOURCE_SOURCE = 1,
  RESOURCE_DIALOG = 2,
  RESOURCE_MENU = 3,
  RESOURCE_TOOLBAR = 4,
  RESOURCE_IMAGE = 5,
  RESOURCE_IMAGELIST = 6,
  RESOURCE_WAVE = 7,
  RESOURCE_SOUND = 8,
  RESOURCE_TABLE = 9,
  RESOURCE_TEXT = 10,
  RESOURCE_BINARY = 11,
  RESOURCE_DLL = 12,
};

class PEngine {
 public:
  PEngine();
  ~PEngine();
  PEngine(const PEngine&) = delete;
  PEngine& operator=(const PEngine&) = delete;

  // Forgets the program: the application folder, every definition, the
  // cached definitions, the global constant names and the build flags. The
  // run-loop state stays.
  void Reset();

  // ---- Definition table ------------------------------------------------------------

  // Takes over the definition and returns it; null, with the table
  // unchanged, when its TypeCode or (failing that) its name is taken. The
  // caller deletes a refused definition.
  PObjectDefinition* AddDefinition(PObjectDefinition* definition);

  // Plain accessors; callers pass indexes below the count.
  int GetDefinitionCount() const { return m_definitions.GetCount(); }
  PObjectDefinition* GetDefinitionAt(int i) const { return m_definitions.GetAt(i); }
  TypeCode GetTypeCodeAt(int i) const;
  const char* GetClassNameAt(int i) const;

  // Indexes are class numbers: a built-in class's index is part of the
  // internal names of its members. -1 when none.
  int FindIndexByName(const char* name) const;
  int FindIndexByTypeCode(TypeCode typeCode) const;
  // Null for an empty name or TypeCode 0, and when none matches.
  PObjectDefinition* FindDefinitionByName(const char* name) const;
  PObjectDefinition* FindDefinition(TypeCode typeCode) const;

  // The classes the engine reaches without a search.
  PObjectDefinition* GetVoidDefinition() const { return m_void; }
  PObjectDefinition* GetGlobalDefinition() const { return m_global; }
  PObjectDefinition* GetIntegerDefinition() const { return m_integer; }
  PObjectDefinition* GetFloatDefinition() const { return m_float; }
  PObjectDefinition* GetStringDefinition() const { return m_string; }
  PObjectDefinition* GetUniStringDefinition() const { return m_uniString; }
  PObjectDefinition* GetValueDefinition() const { return m_value; }
  PObjectDefinition* GetApplicationDefinition() const { return m_application; }
  PObjectDefinition* GetSubApplicationDefinition() const { return m_subApplication; }
  // SubApplication in sub-application mode, else Application; null before
  // the build has seen the class.
  PObjectDefinition* GetMainDefinition() const;

  // ---- Built-in classes (the table of engine/PBuiltinClass.h) -----------------------------

  // Empties the table, then makes one definition per built-in class in
  // table order, each filled by its class's Register.
  void RegisterClasses();
  // Runs every built-in class's Declare; false when one refused a member.
  bool DeclareClasses();

  // ---- Global constants -------------------------------------------------------------

  // Enters a global constant's name, kept sorted, tagged with its index
  // among the main class's constants.
  void AddGlobalConstantName(const char* name, int constantIndex);
  int GetGlobalConstantNameCount() const { return m_constantNames.GetCount(); }
  // The sorted names themselves, for searches by name.
  const SStringArray& GetGlobalConstantNames() const { return m_constantNames; }
  // Appends the main class's global constants to list, in the sorted order
  // of their names; answers the number of names, 0 without a main class.
  int CollectPackageConstants(SArray<SValue*>* list) const;

  // ---- Identifiers ------------------------------------------------------------------

  const PLanguage& GetLanguage() const { return m_language; }
  // An identifier; qualified: two identifiers joined by the first '.'.
  static bool IsValidName(const char* text, bool qualified);
  bool IsClassName(const char* word) const { return FindIndexByName(word) >= 0; }
  bool IsKeyword(const char* word) const { return m_language.IsKeyword(word); }
  // A name the program may give a new class, constant or variable.
  bool IsValidNewName(const char* word) const {
    return IsIdentifier(word) && !IsKeyword(word) && !IsClassName(word);
  }

  // ---- Resources (PEngineResources.cpp) -------------------------------------------------
  //
  // A resource name is "entry" in the application's pack, or "pack:entry" in
  // a named pack. A bare entry gets its type's folder in front ("logo.png"
  // as an image is "image\logo.png"); a name that holds a backslash is used
  // as it stands.

  SResource* FindResource(const char* name) const;
  // "" when there is no pack for the name or the type is unknown.
  SString ResourcePath(const char* name, int type) const;
  // Copies the entry into the stream, rewound; false when there is no pack,
  // no path or no such entry.
  bool LoadResource(SFileMem* stream, const char* name, int type) const;
  SResource* GetResources() const { return m_resources; }
  // The application's pack while the engine runs (set by Start, cleared by
  // Stop).
  void SetResources(SResource* resources) { m_resources = resources; }
  const SPath& GetApplicationFolder() const { return m_folder; }

  // ---- New values ---------------------------------------------------------------------

  // A new object of the cached class, which the caller releases; null when
  // the class is not registered.
  PObjInt* NewInteger();
  PObjFloat* NewFloat();
  PObjString* NewString();
  PObjUniString* NewUniString();
  PObjValue* NewValue();

  // ---- Run state ----------------------------------------------------------------------

  PObject* GetGlobal() const { return m_globalObject; }
  PObject* GetApplication() const { return m_applicationObject; }
  bool IsRunning() const { return m_running; }
  // Script code may run: while running, and while Stop releases the objects
  // (their destructors run on every orderly end, also after Exit).
  bool MayRunScripts() const { return m_running || m_stopping; }
  bool IsApplicationBuild() const { return m_requireMain; }
  bool IsSubApplication() const { return m_subApplicationMode; }
  uint32_t GetMainThreadId() const { return m_mainThreadId; }

  // ---- Build (PEngineBuild.cpp) ----------------------------------------------------

  // Turns the program model into class definitions with compiled members;
  // all or nothing. modules may be null.
  bool Build(const char* folder, PSource* source, SStringArray* modules, bool requireMain,
             bool subApplication);
  // The constant and variable declarations among lines (the class lines for
  // member -1, else that member's body lines), tagged so that the compiler
  // skips them.
  bool ParseConstants(SStringArray& lines, PObjectDefinition* definition, int member);
  bool DeclareMember(int member, const PSource::_PFunction& function, PObjectDefinition* definition);
  bool CompileMember(PSource::_PFunction& function, PObjectDefinition* definition, int member);
  bool LinkBaseClasses();
  bool InheritMembers();
  // Every module library must load and make its class (PModuleClassReader.h);
  // the host build loads none, so it refuses any.
  bool LoadModules(const SStringArray& modules);

  // Why the last build failed, for the package writer's report: the class,
  // the member ("" for class lines), the line within them (-1 when no line
  // is at fault) and the reason.
  struct PBuildFailure {
    SString className;
    SString memberName;
    int line = -1;
    SString reason;
  };
  const PBuildFailure& GetBuildFailure() const { return m_failure; }

  // ---- Run (PEngineRun.cpp) -------------------------------------------------------
  bool Run(SResource* resources);
  bool Start(SResource* resources);
  bool Stop(bool failure);
  bool Quit();
  // The one engine operation any thread may call.
  bool Exit();
  bool RunLoop();
  // The loop's idle callback: the Application's idle member.
  static bool OnIdle(void* engine);
  void SetWaitForMessages(bool wait) { m_waitForMessages = wait; }
  void EnterModal() { m_modalDepth++; }
  void LeaveModal() { m_modalDepth--; }
  int GetModalDepth() const { return m_modalDepth; }
  // The application loop runs (RunLoop has not returned).
  bool IsInLoop() const { return m_inLoop; }

 private:
  // The cached pointer a definition of this TypeCode fills, or null.
  PObjectDefinition** CacheSlot(TypeCode typeCode);
  // Deletes every definition; no cached pointer outlives its definition.
  void ClearDefinitions();

  // A pack the engine may read besides the application's own.
  struct _PNamedPack {
    SString name;
    SResource* pack;
  };

  PLanguage m_language;
  SPath m_folder;
  SArray<PObjectDefinition*> m_definitions;
  // Class names to table indexes: the compiler looks up every name it meets.
  std::unordered_map<std::string, int> m_nameIndex;
  PObjectDefinition* m_void;
  PObjectDefinition* m_global;
  PObjectDefinition* m_integer;
  PObjectDefinition* m_float;
  PObjectDefinition* m_string;
  PObjectDefinition* m_uniString;
  PObjectDefinition* m_value;
  SStringArray m_constantNames;  // sorted; tag: index among the main class's constants
  bool m_requireMain;
  bool m_subApplicationMode;
  uint32_t m_mainThreadId;
  SResource* m_resources;
  SArray<_PNamedPack*> m_namedPacks;  // nothing adds to it yet
  PObject* m_globalObject;
  PObjectDefinition* m_application;
  PObjectDefinition* m_subApplication;
  PObject* m_applicationObject;
  bool m_running;
  bool m_quitting;
  bool m_inLoop;
  bool m_waitForMessages;
  int32_t m_modalDepth;
  bool m_stopping;

  // The build's place, for the failure report.
  bool BuildFails(const char* reason, int line = -1);
  PBuildFailure m_failure;
};
