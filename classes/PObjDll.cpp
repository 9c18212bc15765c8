// The Dll class: registration, the member table, loading, and the call of
// an export with its arguments and result converted from and to text.
#include "classes/PObjDll.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <new>
#include <string>

#include "core/SUniString.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "files/SFileMem.h"

namespace {

// The cells of one call: a value cell per number or pointer argument, a
// copy of the text per text argument, and the result's cell. The export
// gets addresses into them and may write there; none of it outlives the
// call.
struct CallCells {
  union Number {
    int32_t i;
    int64_t l;
    float f;
    double d;
  };
  Number numbers[PObjDll::kMaxArguments] = {};
  std::string texts[PObjDll::kMaxArguments];
  std::u16string wideTexts[PObjDll::kMaxArguments];
  SArray<void*> arguments;
  Number number = {};  // the result of the number types
  SString text;        // the result of the text types
};

// A number as the C library reads it: leading blanks and a sign allowed,
// conversion up to the first other character, no digits give 0.
void* MakeCell(CallCells& cells, int i, int type, const char* text) {
  CallCells::Number& n = cells.numbers[i];
  switch (type) {
    case DLL_INT:
    case DLL_PTR: n.i = int32_t(std::strtol(text, nullptr, 10)); return &n.i;
    case DLL_INT64: n.l = std::strtoll(text, nullptr, 10); return &n.l;
    case DLL_FLOAT: n.f = float(std::strtod(text, nullptr)); return &n.f;
    case DLL_DOUBLE: n.d = std::strtod(text, nullptr); return &n.d;
    case DLL_STR: cells.texts[i] = text; return cells.texts[i].data();
    case DLL_USTR: {
      SUniString wide(text);
      cells.wideTexts[i] = wide.GetText();
      return cells.wideTexts[i].data();
    }
    default: return nullptr;
  }
}

// The result's text by the return type.
SString ResultText(const CallCells& cells, int type) {
  switch (type) {
    case DLL_INT:
    case DLL_PTR: return SString::FromInt(cells.number.i);
    case DLL_INT64: return SString::FromInt64(cells.number.l);
    case DLL_FLOAT: return SString::FromDouble(double(cells.number.f));
    case DLL_DOUBLE: return SString::FromDouble(cells.number.d);
    default: return cells.text;
  }
}

// A type argument for SDll, which maps what lies outside the types; a
// number beyond 32 bits is outside them too, whatever its low bits say.
int32_t TypeArgument(const PArgs* args, int i) {
  int64_t type = PObject::GetArgInt64(args, i);
  return type >= DLL_NONE && type <= DLL_PTR ? int32_t(type) : int32_t(-1);
}

}  // namespace

void PObjDll::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_MODULES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Dll");
  definition->AddConstant("CDECL", DLL_CDECL);
  definition->AddConstant("STDCALL", DLL_STDCALL);
  definition->AddConstant("NONE", DLL_NONE);
  definition->AddConstant("INT", DLL_INT);
  definition->AddConstant("INT64", DLL_INT64);
  definition->AddConstant("FLOAT", DLL_FLOAT);
  definition->AddConstant("DOUBLE", DLL_DOUBLE);
  definition->AddConstant("STR", DLL_STR);
  definition->AddConstant("USTR", DLL_USTR);
  definition->AddConstant("PTR", DLL_PTR);
  PObject::Register(definition);
}

bool PObjDll::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kStr = TYPE_STRING, kVoid = TYPE_VOID;
  const PParamDecl n(TYPE_INTEGER), text(TYPE_STRING), noText(TYPE_STRING, "");
  const PParamDecl noType(TYPE_INTEGER, "Dll.NONE", int32_t(DLL_NONE));

  // Members are numbered by their position: added in order, 0 to 7.
  bool ok = true;
  auto add = [&](Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    ok = ok && d->GetMemberCount() == member && d->AddMember(MEMBER_FUNCTION, member, result, params);
  };
  add(CALL, kStr, {text, noText, noText, noText, noText, noText, noText, noText, noText});
  add(UNLOAD, kInt, {});
  add(GET_CONVENTION, kInt, {});
  add(SET_SIGNATURE, kVoid, {noType, noType, noType, noType, noType, noType, noType, noType, noType});
  add(IS_LOADED, kInt, {});
  add(LOAD, kInt, {text});
  add(LOAD_RESOURCE, kInt, {text});
  add(SET_CONVENTION, kVoid, {n});
  return ok;
}

PObject* PObjDll::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjDll(definition);
}

bool PObjDll::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case CALL: return CallExport(args, result);
    case UNLOAD: return ReturnBool(result, m_dll.Free());
    case GET_CONVENTION: return ReturnInt64(result, m_dll.GetCallingConvention());
    case SET_SIGNATURE: {
      if (!m_dll.IsLoaded()) return true;
      SArray<int32_t> types;
      for (int i = 1; i <= kMaxArguments && GetArgInt64(args, i) != DLL_NONE; i++)
        types.Add(TypeArgument(args, i));
      m_dll.SetSignature(TypeArgument(args, 0), &types);
      return true;
    }
    case IS_LOADED: return ReturnBool(result, m_dll.IsLoaded());
    case LOAD: return ReturnBool(result, m_dll.Load(GetArgString(args, 0)));
    case LOAD_RESOURCE: return LoadResource(GetArgString(args, 0), result);
    case SET_CONVENTION:
      m_dll.SetCallingConvention(GetArgInt64(args, 0) == DLL_STDCALL ? DLL_STDCALL : DLL_CDECL);
      return true;
    default: return PObject::Call(member, args, result, caller);
  }
}

bool PObjDll::CallExport(PArgs* args, PResultCell* result) {
  if (!m_dll.IsLoaded()) return true;
  const SArray<int32_t>& types = m_dll.GetArgumentTypes();
  if (types.GetCount() > kMaxArguments) return true;

  CallCells cells;
  for (int i = 0; i < types.GetCount(); i++)
    cells.arguments.Add(MakeCell(cells, i, types.GetAt(i), GetArgString(args, i + 1)));
  int returnType = m_dll.GetReturnType();
  void* resultCell = nullptr;
  if (returnType == DLL_STR || returnType == DLL_USTR)
    resultCell = &cells.text;
  else if (returnType != DLL_NONE)
    resultCell = &cells.number;

  if (!m_dll.Call(GetArgString(args, 0), resultCell, &cells.arguments)) return true;
  if (returnType == DLL_NONE) return true;
  return ReturnString(result, ResultText(cells, returnType).GetText());
}

// The resource is read before anything is unloaded, so that a missing one
// leaves the loaded library as it was.
bool PObjDll::LoadResource(const char* name, PResultCell* result) {
  SFileMem bytes;
  if (!GetEngine()->LoadResource(&bytes, name, RESOURCE_DLL)) return true;
  bytes.Rewind();
  return ReturnBool(result, m_dll.LoadFromStream(&bytes));
}
