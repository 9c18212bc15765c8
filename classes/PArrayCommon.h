// What the four array classes (Array, FloatArray, IntegerArray, StringArray)
// share: index checks, the inner dimension sizes and the multi-dimensional
// index, the guard that keeps handlers from changing an array under a
// running operation, loading and saving text lines, and the 7-bit text form.
#pragma once

#include <cstdint>

#include "classes/PObjFile.h"
#include "core/SArray.h"
#include "core/SString.h"
#include "engine/PEngine.h"
#include "engine/PObject.h"
#include "files/SArrayLines.h"
#include "files/SFileMem.h"

// Index arguments are the low 32 bits of the Integer argument.
inline int32_t ArrayIndexOf(int64_t index) { return int32_t(uint32_t(index)); }
inline int32_t GetArgIndex(const PArgs* args, int i) { return ArrayIndexOf(PObject::GetArgInt64(args, i)); }

// A valid index: 0 <= i < count. A valid target also admits -1 and count
// is not admitted.
inline bool IsArrayIndexValid(int64_t i, int count) { return i >= 0 && i < count; }
inline bool IsArrayTargetValid(int64_t i, int count) { return i >= -1 && i < count; }

// The sizes of the second to fourth dimensions; -1 is unset and ends the
// dimensions there.
class PArrayDimensions {
 public:
  void Set(const PArgs* args, int first) {
    for (int k = 0; k < 3; k++) m_sizes[k] = GetArgIndex(args, first + k);
  }
  // The flat index of (i0, i1, i2, i3) from argument first on, or -1 when it
  // lies outside 0 .. count-1. Computed exactly: the row-major sum is taken
  // in Horner form, and a step that overflows 64 bits lies so far outside
  // that only a later size of 0 can bring it back.
  int32_t FlatIndex(const PArgs* args, int first, int count) const {
    int64_t x = GetArgIndex(args, first);
    bool huge = false;
    for (int k = 0; k < 3 && m_sizes[k] != -1; k++) {
      int64_t i = GetArgIndex(args, first + 1 + k);
      if (m_sizes[k] == 0) {
        x = i;
        huge = false;
        continue;
      }
      int64_t product;
      if (huge || __builtin_mul_overflow(x, int64_t(m_sizes[k]), &product) ||
          __builtin_add_overflow(product, i, &x))
        huge = true;
    }
    return !huge && IsArrayIndexValid(x, count) ? int32_t(x) : -1;
  }

 private:
  int32_t m_sizes[3] = {-1, -1, -1};
};

// Set while an operation runs that raises events from inside the store
// (sorting, searching, loading, deleting): a handler that then calls a
// member changing the same array is refused, so the running operation never
// meets freed or moved elements.
class PArrayBusy {
 public:
  explicit PArrayBusy(int32_t& depth) : m_depth(depth) { m_depth++; }
  ~PArrayBusy() { m_depth--; }
  PArrayBusy(const PArrayBusy&) = delete;
  PArrayBusy& operator=(const PArrayBusy&) = delete;

 private:
  int32_t& m_depth;
};

// ---- Text lines ------------------------------------------------------------------------------

enum PArrayLinesKind { LINES_LOAD_FILE, LINES_LOAD_PATH, LINES_LOAD_RESOURCE, LINES_SAVE_FILE, LINES_SAVE_PATH };

// Runs one of the five line members on the store; answers what Call answers.
// An unusable File or a missing resource leaves no result; a path that does
// not open answers false.
template <class T>
bool CallArrayLines(PObject* self, SArray<T>& store, PArrayLinesKind kind, const PArgs* args,
                    PResultCell* result) {
  switch (kind) {
    case LINES_LOAD_FILE: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      return stream ? PObject::ReturnBool(result, store.LoadLines(stream, 0)) : true;
    }
    case LINES_LOAD_PATH: {
      SFileMem text;
      if (!text.LoadFile(PObject::GetArgString(args, 0))) return PObject::ReturnBool(result, false);
      return PObject::ReturnBool(result, store.LoadLines(&text, 0));
    }
    case LINES_LOAD_RESOURCE: {
      SFileMem text;
      if (!self->GetEngine() || !self->GetEngine()->LoadResource(&text, PObject::GetArgString(args, 0), RESOURCE_TEXT))
        return true;
      return PObject::ReturnBool(result, store.LoadLines(&text, 0));
    }
    case LINES_SAVE_FILE: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      return stream ? PObject::ReturnBool(result, store.SaveLines(stream, 0)) : true;
    }
    // Made whole in memory first, so the file opens only once the lines are
    // ready.
    case LINES_SAVE_PATH: {
      SFileMem text;
      text.Allocate(0);
      bool saved = store.SaveLines(&text, 0);
      return PObject::ReturnBool(result, text.SaveFile(PObject::GetArgString(args, 0)) && saved);
    }
  }
  return true;
}

// ---- The 7-bit text form -------------------------------------------------------------------------
//
// Every element's text followed by a NUL, the whole encoded as 7-bit text.

template <class TextOf>
SString EncodeArrayText(int count, TextOf textOf) {
  SFileMem plain, encoded;
  plain.Allocate(0);
  encoded.Allocate(0);
  for (int i = 0; i < count; i++) {
    SString text = textOf(i);
    plain.WriteText(text.GetText());
  }
  plain.Rewind();
  plain.Encode7Bit(&encoded);
  SString out;
  encoded.WriteByte(0);
  out.SetText(reinterpret_cast<const char*>(encoded.GetData()));
  return out;
}

// Calls add with each text of the encoded form, in order.
template <class Add>
void DecodeArrayText(const char* text, Add add) {
  SFileMem coded, plain;
  coded.Allocate(0);
  plain.Allocate(0);
  coded.Write(text, int(std::strlen(text)));
  coded.Rewind();
  coded.Decode7Bit(&plain);
  plain.Rewind();
  while (plain.GetPosition() < plain.GetSize()) {
    SString item = plain.ReadZString(true);
    add(item.GetText());
  }
}
