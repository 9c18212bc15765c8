// The argument block and result cell of member calls, as every class's Call
// reads and fills them, and the arguments of RaiseEvent.
#include <cstdlib>
#include <cstring>

#include "classes/PObjFloat.h"
#include "classes/PObjInt.h"
#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "classes/PObjValue.h"
#include "core/SValueReading.h"
#include "engine/PObject.h"
#include "engine/PObjectDefinition.h"

// ==== Event arguments ===========================================================================

int64_t PEventArg::AsInt64() const {
  if (m_kind == INT64) return m_int;
  if (m_kind == DOUBLE) return DoubleToInt64(m_double);
  return 0;
}

double PEventArg::AsDouble() const {
  if (m_kind == DOUBLE) return m_double;
  if (m_kind == INT64) return double(m_int);
  return 0.0;
}

// ==== Reading arguments =========================================================================
//
// The class of an argument object is not checked: the caller converted
// every number and text to the declared parameter class.

PObject* PObject::GetArgObject(const PArgs* args, int i) {
  if (!args || i < 0 || i >= args->count) return nullptr;
  return args->slots[i].object;
}

int64_t PObject::GetArgInt64(const PArgs* args, int i) {
  PObject* object = GetArgObject(args, i);
  return object ? static_cast<PObjInt*>(object)->GetValue() : 0;
}

double PObject::GetArgDouble(const PArgs* args, int i) {
  PObject* object = GetArgObject(args, i);
  return object ? static_cast<PObjFloat*>(object)->GetValue() : 0.0;
}

const char* PObject::GetArgString(const PArgs* args, int i) {
  PObject* object = GetArgObject(args, i);
  return object ? static_cast<PObjString*>(object)->GetText() : "";
}

const UniChar* PObject::GetArgUniString(const PArgs* args, int i) {
  PObject* object = GetArgObject(args, i);
  return object ? static_cast<PObjUniString*>(object)->GetText() : u"";
}

void PObject::SetArgInt64(PArgs* args, int i, int64_t value) {
  PObject* object = GetArgObject(args, i);
  if (!object) return;
  switch (object->GetDefinition()->GetTypeCode()) {
    case TYPE_INTEGER: static_cast<PObjInt*>(object)->SetValue(value); break;
    case TYPE_FLOAT: static_cast<PObjFloat*>(object)->SetValue(double(value)); break;
    case TYPE_STRING:
      static_cast<PObjString*>(object)->SetText(SString::FromInt64(value).GetText());
      break;
    case TYPE_UNISTRING:
      static_cast<PObjUniString*>(object)->SetText(SUniString::FromInt64(value).GetText());
      break;
    case TYPE_VALUE: static_cast<PObjValue*>(object)->GetValue().SetInt64(value); break;
    default: break;
  }
}

// ==== Results ===================================================================================
//
// A result slot or cell that is missing takes nothing: a caller that asks
// for no result gets none, and the member still succeeds.

namespace {

bool StoreEightBytes(PResultCell* result, const void* bytes) {
  if (result && *result) std::memcpy(*result, bytes, 8);
  return true;
}

template <class C>
bool StoreText(PResultCell* result, const C* text, size_t length) {
  if (!result) return true;
  C* buffer = static_cast<C*>(std::malloc((length + 1) * sizeof(C)));
  if (!buffer) return true;
  if (length) std::memcpy(buffer, text, length * sizeof(C));
  buffer[length] = 0;
  *result = buffer;
  return true;
}

size_t UnitCount(const UniChar* text) {
  size_t n = 0;
  while (text[n]) n++;
  return n;
}

}  // namespace

bool PObject::ReturnInt64(PResultCell* result, int64_t value) {
  return StoreEightBytes(result, &value);
}

bool PObject::ReturnDouble(PResultCell* result, double value) {
  return StoreEightBytes(result, &value);
}

bool PObject::ReturnObject(PResultCell* result, PObject* object) {
  PArgSlot slot;
  slot.bits = 0;
  slot.object = object;
  return StoreEightBytes(result, &slot);
}

bool PObject::ReturnString(PResultCell* result, const char* text) {
  if (!text) text = "";
  return StoreText(result, text, std::strlen(text));
}

bool PObject::ReturnUniString(PResultCell* result, const UniChar* text) {
  if (!text) text = u"";
  return StoreText(result, text, UnitCount(text));
}

bool PObject::ReturnChar(PResultCell* result, char c) { return StoreText(result, &c, 1); }

bool PObject::ReturnUniChar(PResultCell* result, UniChar c) { return StoreText(result, &c, 1); }

int32_t PObject::GetArgInt32(const PArgs* args, int i) {
  const int64_t n = GetArgInt64(args, i);
  if (n > INT32_MAX) return INT32_MAX;
  if (n < INT32_MIN) return INT32_MIN;
  return int32_t(n);
}
