// The members and element operations shared by FloatArray and IntegerArray.
#include "classes/PObjNumberArray.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <type_traits>

#include "core/SValue.h"
#include "engine/PObjectDefinition.h"

// ---- Element texts ---------------------------------------------------------------------------------

template <class T>
SString PObjNumberArray<T>::TextOf(T value) {
  if constexpr (std::is_floating_point_v<T>)
    return SString::FromDouble(value);
  else
    return SString::FromInt64(value);
}

template <class T>
T PObjNumberArray<T>::ValueOf(const char* text) {
  if constexpr (std::is_floating_point_v<T>)
    return std::atof(text);
  else
    return std::strtoll(text, nullptr, 10);
}

template <class T>
T PObjNumberArray<T>::GetArgValue(const PArgs* args, int i) {
  if constexpr (std::is_floating_point_v<T>)
    return GetArgDouble(args, i);
  else
    return GetArgInt64(args, i);
}

template <class T>
bool PObjNumberArray<T>::ReturnValue(PResultCell* result, T value) {
  if constexpr (std::is_floating_point_v<T>)
    return ReturnDouble(result, value);
  else
    return ReturnInt64(result, value);
}

// ---- Element operations ------------------------------------------------------------------------------

template <class T>
void PObjNumberArray<T>::_PArray::CopyElement(T* dest, const T* source, int index, int extra) {
  (void)extra;
  *dest = *source;
  RaiseEvent(m_owner, ON_INSERT, nullptr, index, *source);
}

template <class T>
int PObjNumberArray<T>::_PArray::CompareElements(const T* a, const T* b, int mode, int extra) const {
  (void)extra;
  if (!RaiseEvent(m_owner, ON_COMPARE, &m_answer, *a, *b, mode)) return -2;
  int64_t n = m_answer.ToInt64();
  return n < 0 ? -1 : n > 0 ? 1 : 0;
}

template <class T>
void PObjNumberArray<T>::_PArray::ParseElement(T* slot, const char* line, int index, int extra) {
  (void)extra;
  SValue answer;
  if (!RaiseEvent(m_owner, ON_PARSE, &answer, index, line)) {
    *slot = ValueOf(line);
  } else if constexpr (std::is_floating_point_v<T>) {
    *slot = answer.ToDouble();
  } else {
    *slot = answer.ToInt64();
  }
}

template <class T>
SString PObjNumberArray<T>::_PArray::FormatElement(T element, int index, int extra) const {
  (void)extra;
  SValue answer;
  if (!RaiseEvent(m_owner, ON_FORMAT, &answer, index, element)) return TextOf(element);
  return answer.ToString();
}

// ---- Declaration -----------------------------------------------------------------------------------------

template <class T>
bool PObjNumberArray<T>::DeclareMembers(PObjectDefinition* d, TypeCode element) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kStr = TYPE_STRING, kVoid = TYPE_VOID, V = element;
  const PParamDecl n(TYPE_INTEGER), text(TYPE_STRING), v(element), file(PObjFile::kTypeCode);
  const PParamDecl zero(TYPE_INTEGER, "0", int32_t(0)), one(TYPE_INTEGER, "1", int32_t(1)),
      last(TYPE_INTEGER, "-1", int32_t(-1));

  bool ok = true;
  auto add = [&](int32_t kind, Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    ok = ok && d->GetMemberCount() == member && d->AddMember(kind, member, result, params);
  };
  auto fn = [&](Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    add(MEMBER_FUNCTION, member, result, params);
  };
  fn(GET_TEXT_FORM, kStr, {});
  fn(FIND_SORTED, kInt, {v, zero, last});
  fn(FIND_INSERT_POSITION, kInt, {v, zero, last});
  fn(ADD_SORTED, kInt, {v, zero, last});
  fn(FIND, kInt, {v, zero, last});
  fn(GET_AT, V, {n});
  fn(GET_COMPARE_MODE, kInt, {});
  fn(GET_COUNT, kInt, {});
  fn(GET_FIRST, V, {});
  fn(GET_LAST, V, {});
  fn(SET_TEXT_FORM, kInt, {text});
  fn(GET_FLAT_INDEX, kInt, {n, last, last, last});
  fn(INSERT, kInt, {v, last, one});
  fn(LOAD_FILE, kInt, {file});
  fn(LOAD_PATH, kInt, {text});
  fn(LOAD_RESOURCE, kInt, {text});
  fn(MOVE, kInt, {n, n, one});
  fn(REMOVE_AT, kVoid, {n, one});
  fn(REMOVE_ALL, kVoid, {});
  fn(REMOVE_DUPLICATES, kInt, {});
  fn(REMOVE_VALUE, kInt, {v, zero, last});
  fn(REMOVE_LAST, kVoid, {});
  fn(SHUFFLE, kVoid, {zero, last});
  fn(SAVE_FILE, kInt, {file});
  fn(SAVE_PATH, kInt, {text});
  fn(SET_AT, kVoid, {n, v});
  fn(SET_COMPARE_MODE, kVoid, {n});
  fn(SET_COUNT, kVoid, {n});
  fn(SET_DIMENSIONS, kVoid, {last, last, last});
  fn(SORT, kVoid, {zero, last});
  fn(SWAP, kInt, {n, n});
  add(MEMBER_EVENT, ON_COMPARE, kInt, {v, v, n});
  add(MEMBER_EVENT, ON_PARSE, V, {n, text});
  add(MEMBER_EVENT, ON_INSERT, kVoid, {n, v});
  add(MEMBER_EVENT, ON_FORMAT, kStr, {n, v});
  return ok;
}

// ---- Members -----------------------------------------------------------------------------------------------

namespace {

// Members that leave the array as it is; the only ones a handler may call
// while an operation of the same array runs.
bool NumberMemberLeavesArrayAlone(uint16_t member) {
  using M = PObjNumberArray<int64_t>;
  switch (member) {
    case M::GET_TEXT_FORM:
    case M::FIND_SORTED:
    case M::FIND_INSERT_POSITION:
    case M::FIND:
    case M::GET_AT:
    case M::GET_COMPARE_MODE:
    case M::GET_COUNT:
    case M::GET_FIRST:
    case M::GET_LAST:
    case M::GET_FLAT_INDEX:
    case M::SAVE_FILE:
    case M::SAVE_PATH: return true;
    default: return false;
  }
}

}  // namespace

template <class T>
bool PObjNumberArray<T>::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member > SWAP) return PObject::Call(member, args, result, caller);
  if (m_busy > 0 && !NumberMemberLeavesArrayAlone(member)) return true;
  PArrayBusy busy(m_busy);
  _PArray& a = m_store;
  const int count = a.GetCount();
  const auto index = [&](int i) { return GetArgIndex(args, i); };
  switch (member) {
    case GET_TEXT_FORM:
      return ReturnString(result, EncodeArrayText(count, [&](int i) { return TextOf(a.GetAt(i)); }).GetText());
    // Emptied keeping the compare mode; the texts are values, not lines, so
    // the parse event stays silent while each insertion is heard.
    case SET_TEXT_FORM:
      a.RemoveAll();
      DecodeArrayText(GetArgString(args, 0), [&](const char* text) { a.Add(ValueOf(text)); });
      return ReturnInt64(result, a.GetCount());

    case FIND_SORTED: return ReturnInt64(result, a.BinaryFind(GetArgValue(args, 0), index(1), index(2)));
    case FIND_INSERT_POSITION:
      return ReturnInt64(result, a.FindInsertPosition(GetArgValue(args, 0), index(1), index(2)));
    case ADD_SORTED: return ReturnInt64(result, a.InsertSorted(GetArgValue(args, 0), index(1), index(2)));
    case FIND: return ReturnInt64(result, a.Find(GetArgValue(args, 0), index(1), index(2)));

    // Outside the array, or of an empty one, the result stays unset.
    case GET_AT: {
      T value;
      return GetElement(index(0), value) ? ReturnValue(result, value) : true;
    }
    case GET_FIRST: return count > 0 ? ReturnValue(result, a.GetFirst()) : true;
    case GET_LAST: return count > 0 ? ReturnValue(result, a.GetLast()) : true;
    case GET_COMPARE_MODE: return ReturnInt64(result, a.GetCompareMode());
    case SET_COMPARE_MODE: a.SetCompareMode(index(0)); return true;
    case GET_COUNT: return ReturnInt64(result, count);
    case GET_FLAT_INDEX: return ReturnInt64(result, m_dimensions.FlatIndex(args, 0, count));
    case SET_DIMENSIONS: m_dimensions.Set(args, 0); return true;

    case INSERT: return ReturnInt64(result, a.InsertAt(GetArgValue(args, 0), index(1), index(2)));
    case SET_AT: a.SetAt(index(0), GetArgValue(args, 1)); return true;
    case SET_COUNT: a.Resize(index(0)); return true;

    case LOAD_FILE: return CallArrayLines(this, a, LINES_LOAD_FILE, args, result);
    case LOAD_PATH: return CallArrayLines(this, a, LINES_LOAD_PATH, args, result);
    case LOAD_RESOURCE: return CallArrayLines(this, a, LINES_LOAD_RESOURCE, args, result);
    case SAVE_FILE: return CallArrayLines(this, a, LINES_SAVE_FILE, args, result);
    case SAVE_PATH: return CallArrayLines(this, a, LINES_SAVE_PATH, args, result);

    case MOVE: {
      int from = index(0), to = index(1);
      if (!IsArrayIndexValid(from, count) || !IsArrayTargetValid(to, count)) return true;
      return ReturnBool(result, a.Move(from, to, index(2)));
    }
    case REMOVE_AT: a.RemoveAt(index(0), index(1)); return true;
    case REMOVE_ALL: a.RemoveAll(); return true;
    case REMOVE_DUPLICATES: return ReturnInt64(result, a.RemoveDuplicates(0, -1, 0));
    case REMOVE_VALUE: return ReturnInt64(result, a.RemoveValue(GetArgValue(args, 0), index(1), index(2)));
    case REMOVE_LAST: a.RemoveLast(); return true;
    case SHUFFLE:
      if (IsArrayIndexValid(index(0), count)) a.Shuffle(index(0), index(1));
      return true;
    case SORT: a.Sort(index(0), index(1), 0); return true;
    case SWAP: return ReturnBool(result, a.Swap(index(0), index(1)));
    default: return true;
  }
}

template class PObjNumberArray<double>;
template class PObjNumberArray<int64_t>;
