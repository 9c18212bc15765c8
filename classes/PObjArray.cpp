// The Array class: registration, the member table, the members, and the
// element operations that raise its events.
#include "classes/PObjArray.h"

#include <cstdint>
#include <initializer_list>
#include <new>
#include <unordered_map>

#include "core/SValue.h"
#include "engine/PObjStruct.h"
#include "engine/PObjectDefinition.h"

// ---- Element operations -------------------------------------------------------------------------

void PObjArray::_PArray::CopyElement(PObject** dest, PObject* const* source, int index, int extra) {
  (void)extra;
  *dest = *source;
  RaiseEvent(m_owner, ON_INSERT, nullptr, index, *source);
}

void PObjArray::_PArray::DestroyElement(PObject** slot, int index, int extra) {
  (void)extra;
  PObject* object = *slot;
  RaiseEvent(m_owner, ON_DELETE, nullptr, index, object);
  // The slot is cleared whatever the release answers: a forced release has
  // freed the object even when its destructor member failed.
  *slot = nullptr;
  PObject* leaf = object->GetLeafPart();
  const bool running = leaf->GetDefinition()->GetOrigin() == ORIGIN_USER &&
                       static_cast<PObjStruct*>(leaf)->GetDepth() > 0;
  PObjStruct::ReleaseObject(object, !running);
}

int PObjArray::_PArray::CompareElements(PObject* const* a, PObject* const* b, int mode, int extra) const {
  (void)extra;
  SValue answer;
  if (!RaiseEvent(m_owner, ON_COMPARE, &answer, *a, *b, mode)) return -2;
  int64_t n = answer.ToInt64();
  return n < 0 ? -1 : n > 0 ? 1 : 0;
}

void PObjArray::_PArray::ParseElement(PObject** slot, const char* line, int index, int extra) {
  (void)extra;
  SValue answer;
  *slot = RaiseEvent(m_owner, ON_PARSE, &answer, index, line)
              ? reinterpret_cast<PObject*>(uintptr_t(answer.GetInt64Value()))
              : nullptr;
}

SString PObjArray::_PArray::FormatElement(PObject* element, int index, int extra) const {
  (void)extra;
  SValue answer;
  if (!RaiseEvent(m_owner, ON_FORMAT, &answer, index, element)) return SString("");
  return answer.ToString();
}

void PObjArray::_PArray::DeleteSlots(int start, int n) {
  const int count = GetCount();
  if (start < 0 || start >= count) return;
  if (n < 0 || n > count - start) n = count - start;
  std::unordered_map<PObject*, int> slotsHeld;
  for (int i = 0; i < count; i++)
    if (GetAt(i)) slotsHeld[GetAt(i)]++;
  for (int i = start; i < start + n; i++) {
    PObject* object = GetAt(i);
    if (!object) continue;
    if (--slotsHeld[object] > 0)
      *GetPtr(i) = nullptr;
    else
      DestroyElement(GetPtr(i), i, 0);
  }
}

// ---- Registration ----------------------------------------------------------------------------------

void PObjArray::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_ARRAYS);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Array");
  PObject::Register(definition);
}

bool PObjArray::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kPtr = TYPE_POINTER, kStr = TYPE_STRING, kVoid = TYPE_VOID;
  const PParamDecl n(TYPE_INTEGER), text(TYPE_STRING), ptr(TYPE_POINTER), file(PObjFile::kTypeCode);
  const PParamDecl zero(TYPE_INTEGER, "0", int32_t(0)), one(TYPE_INTEGER, "1", int32_t(1)),
      last(TYPE_INTEGER, "-1", int32_t(-1));

  bool ok = true;
  auto add = [&](int32_t kind, Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    ok = ok && d->GetMemberCount() == member && d->AddMember(kind, member, result, params);
  };
  auto fn = [&](Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    add(MEMBER_FUNCTION, member, result, params);
  };
  fn(DELETE_AT, kVoid, {n, one});
  fn(DELETE_ALL, kVoid, {});
  fn(DELETE_AND_REMOVE_AT, kVoid, {n, one});
  fn(DELETE_DUPLICATES, kInt, {zero, last});
  fn(DELETE_AND_REMOVE_VALUE, kInt, {ptr, zero, last});
  fn(DELETE_DUPLICATES_IN_PLACE, kInt, {zero, last});
  fn(DELETE_VALUE, kInt, {ptr, zero, last});
  fn(DELETE_LAST, kVoid, {});
  fn(FIND_SORTED, kInt, {ptr, zero, last});
  fn(FIND_INSERT_POSITION, kInt, {ptr, zero, last});
  fn(ADD_SORTED, kInt, {ptr, zero, last});
  fn(FIND, kInt, {ptr, zero, last});
  fn(GET_AT, kPtr, {n});
  fn(GET_COMPARE_MODE, kInt, {});
  fn(GET_COUNT, kInt, {});
  fn(GET_FIRST, kPtr, {});
  fn(GET_LAST, kPtr, {});
  fn(GET_RANDOM, kPtr, {zero, last});
  fn(GET_TYPE_CODE, kInt, {n});
  fn(GET_FLAT_INDEX, kInt, {n, last, last, last});
  fn(INSERT, kInt, {ptr, last, one});
  fn(LOAD_FILE, kInt, {file});
  fn(LOAD_PATH, kInt, {text});
  fn(LOAD_RESOURCE, kInt, {text});
  fn(MOVE, kInt, {n, n, one});
  fn(REMOVE_AT, kVoid, {n, one});
  fn(REMOVE_ALL, kVoid, {});
  fn(REMOVE_DUPLICATES, kInt, {zero, last});
  fn(REMOVE_VALUE, kInt, {ptr, zero, last});
  fn(REMOVE_LAST, kVoid, {});
  fn(SHUFFLE, kVoid, {zero, last});
  fn(SAVE_FILE, kInt, {file});
  fn(SAVE_PATH, kInt, {text});
  fn(SET_AT, kVoid, {n, ptr});
  fn(SET_COMPARE_MODE, kVoid, {n});
  fn(SET_COUNT, kVoid, {n});
  fn(SET_DIMENSIONS, kVoid, {last, last, last});
  fn(SORT, kVoid, {zero, last});
  fn(SWAP, kInt, {n, n});
  add(MEMBER_EVENT, ON_COMPARE, kInt, {ptr, ptr, n});
  add(MEMBER_EVENT, ON_DELETE, kVoid, {n, ptr});
  add(MEMBER_EVENT, ON_PARSE, kPtr, {n, text});
  add(MEMBER_EVENT, ON_INSERT, kVoid, {n, ptr});
  add(MEMBER_EVENT, ON_FORMAT, kStr, {n, ptr});
  return ok;
}

PObject* PObjArray::New(PObjectDefinition* definition) { return new (std::nothrow) PObjArray(definition); }

// ---- Members -------------------------------------------------------------------------------------

namespace {

// Members that leave the array as it is; the only ones a handler may call
// while an operation of the same array runs.
bool LeavesArrayAlone(uint16_t member) {
  switch (member) {
    case PObjArray::FIND_SORTED:
    case PObjArray::FIND_INSERT_POSITION:
    case PObjArray::FIND:
    case PObjArray::GET_AT:
    case PObjArray::GET_COMPARE_MODE:
    case PObjArray::GET_COUNT:
    case PObjArray::GET_FIRST:
    case PObjArray::GET_LAST:
    case PObjArray::GET_RANDOM:
    case PObjArray::GET_TYPE_CODE:
    case PObjArray::GET_FLAT_INDEX:
    case PObjArray::SAVE_FILE:
    case PObjArray::SAVE_PATH: return true;
    default: return false;
  }
}

}  // namespace

bool PObjArray::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member > SWAP) return PObject::Call(member, args, result, caller);
  if (m_busy > 0 && !LeavesArrayAlone(member)) return true;
  PArrayBusy busy(m_busy);
  _PArray& a = m_store;
  const int count = a.GetCount();
  const auto index = [&](int i) { return GetArgIndex(args, i); };
  const auto object = [&](int i) { return GetArgObject(args, i); };
  // Only for members whose first argument is an index.
  const auto startValid = [&] { return IsArrayIndexValid(index(0), count); };
  switch (member) {
    case DELETE_AT:
      if (startValid()) a.DeleteSlots(index(0), index(1));
      return true;
    case DELETE_ALL: a.DeleteSlots(0, -1); return true;
    case DELETE_AND_REMOVE_AT:
      if (startValid()) {
        a.DeleteSlots(index(0), index(1));
        a.RemoveAt(index(0), index(1));
      }
      return true;
    case DELETE_LAST: a.DeleteSlots(count - 1, 1); return true;
    case DELETE_DUPLICATES:
      return startValid() ? ReturnInt64(result, a.DeleteDuplicates(index(0), index(1), 0)) : true;
    case DELETE_DUPLICATES_IN_PLACE:
      return startValid() ? ReturnInt64(result, a.DeleteDuplicatesInPlace(index(0), index(1), 0)) : true;
    case DELETE_AND_REMOVE_VALUE:
    case DELETE_VALUE: {
      if (!IsArrayIndexValid(index(1), count)) return true;
      int found = member == DELETE_VALUE ? a.DeleteValue(object(0), index(1), index(2), 0)
                                         : a.DeleteAndRemoveValue(object(0), index(1), index(2), 0);
      return ReturnInt64(result, found);
    }

    case FIND_SORTED: return ReturnInt64(result, a.BinaryFind(object(0), index(1), index(2), 0));
    case FIND_INSERT_POSITION: return ReturnInt64(result, a.FindInsertPosition(object(0), index(1), index(2), 0));
    case ADD_SORTED: return ReturnInt64(result, a.InsertSorted(object(0), index(1), index(2), 0));
    case FIND: return ReturnInt64(result, a.Find(object(0), index(1), index(2), 0));

    case GET_AT: return startValid() ? ReturnObject(result, a.GetAt(index(0))) : true;
    case GET_COMPARE_MODE: return ReturnInt64(result, a.GetCompareMode());
    case SET_COMPARE_MODE: a.SetCompareMode(index(0)); return true;
    case GET_COUNT: return ReturnInt64(result, count);
    case GET_FIRST: return count > 0 ? ReturnObject(result, a.GetFirst()) : true;
    case GET_LAST: return count > 0 ? ReturnObject(result, a.GetLast()) : true;
    // An end below the start names no range: nothing is picked.
    case GET_RANDOM: {
      int end = index(1);
      if (end < 0 || end > count) end = count;
      if (!startValid() || end < index(0)) return true;
      return ReturnObject(result, a.RandomPick(index(0), end));
    }
    case GET_TYPE_CODE: {
      PObject* e = startValid() ? a.GetAt(index(0)) : nullptr;
      return e ? ReturnInt64(result, uint32_t(e->GetDefinition()->GetTypeCode())) : true;
    }
    case GET_FLAT_INDEX: return ReturnInt64(result, m_dimensions.FlatIndex(args, 0, count));
    case SET_DIMENSIONS: m_dimensions.Set(args, 0); return true;

    case INSERT: return ReturnInt64(result, a.InsertAt(object(0), index(1), index(2)));
    case SET_AT:
      if (startValid()) *a.GetPtr(index(0)) = object(1);
      return true;
    case SET_COUNT: a.Resize(index(0)); return true;

    case LOAD_FILE: return CallArrayLines(this, a, LINES_LOAD_FILE, args, result);
    case LOAD_PATH: return CallArrayLines(this, a, LINES_LOAD_PATH, args, result);
    case LOAD_RESOURCE: return CallArrayLines(this, a, LINES_LOAD_RESOURCE, args, result);
    case SAVE_FILE: return CallArrayLines(this, a, LINES_SAVE_FILE, args, result);
    case SAVE_PATH: return CallArrayLines(this, a, LINES_SAVE_PATH, args, result);

    case MOVE:
      if (!startValid() || !IsArrayTargetValid(index(1), count)) return true;
      return ReturnBool(result, a.Move(index(0), index(1), index(2)));
    case REMOVE_AT:
      if (startValid()) a.RemoveAt(index(0), index(1));
      return true;
    case REMOVE_ALL: a.RemoveAll(); return true;
    case REMOVE_DUPLICATES:
      return startValid() ? ReturnInt64(result, a.RemoveDuplicates(index(0), index(1), 0)) : true;
    case REMOVE_VALUE: return ReturnInt64(result, a.RemoveValue(object(0), index(1), index(2), 0));
    case REMOVE_LAST: a.RemoveLast(); return true;
    case SHUFFLE:
      if (startValid()) a.Shuffle(index(0), index(1));
      return true;
    case SORT:
      if (startValid()) a.Sort(index(0), index(1), 0);
      return true;
    case SWAP:
      if (!startValid() || !IsArrayIndexValid(index(1), count)) return true;
      return ReturnBool(result, a.Swap(index(0), index(1)));
    default: return true;
  }
}
