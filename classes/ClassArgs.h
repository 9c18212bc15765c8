// Argument readers shared by the value classes whose members take objects
// of a given built-in class or 32-bit integers.
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "engine/PObjectDefinition.h"

// Argument i as an object of class T (a class with a kTypeCode); null when
// it is missing or of another class, so that a member never reads one
// class's fields out of another's object.
template <class T>
T* GetArgOfClass(const PArgs* args, int i) {
  PObject* object = PObject::GetArgObject(args, i);
  if (!object || object->GetDefinition()->GetTypeCode() != T::kTypeCode) return nullptr;
  return static_cast<T*>(object);
}

// The low 32 bits of an Integer argument, as the 32-bit classes take it.
inline int32_t GetArgLow32(const PArgs* args, int i) {
  return int32_t(uint32_t(PObject::GetArgInt64(args, i)));
}
