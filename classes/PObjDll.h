// PObjDll: the script class "Dll", a dynamic library (SDll) loaded from a
// path or from the application's "dll" resources, whose exports the
// program calls by name with up to eight arguments, every argument and the
// result passed as text and converted by the declared types.
//
// Unloaded when made (STDCALL, no result, no arguments); the destructor
// unloads the library and deletes the temporary file a resource was
// loaded from.
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "files/SDll.h"

class PObjDll : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'D', 'L', 'L');

  // The texts a call takes after the export's name, and so the longest
  // signature member 3 can declare.
  static const int kMaxArguments = 8;

  enum Member : uint16_t {
    CALL = 0,
    UNLOAD = 1,
    GET_CONVENTION = 2,
    SET_SIGNATURE = 3,
    IS_LOADED = 4,
    LOAD = 5,
    LOAD_RESOURCE = 6,
    SET_CONVENTION = 7,
    MEMBER_COUNT = 8,
  };

  explicit PObjDll(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  SDll& GetDll() { return m_dll; }

 private:
  // Member 0: the export called with the texts converted by the signature.
  bool CallExport(PArgs* args, PResultCell* result);
  bool LoadResource(const char* name, PResultCell* result);

  SDll m_dll;
};
