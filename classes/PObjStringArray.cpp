// The StringArray class: registration, the member table, the members, and
// the element operations that raise its events.
#include "classes/PObjStringArray.h"

#include <cstdint>
#include <initializer_list>
#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjString.h"
#include "classes/PObjTable.h"
#include "core/SValue.h"
#include "engine/PObjectDefinition.h"

// ---- Element operations -------------------------------------------------------------------------

void PObjStringArray::_PArray::CopyElement(SString** dest, SString* const* source, int index, int extra) {
  SStringArray::CopyElement(dest, source, index, extra);
  // The text goes out as a copy: the handler may change the array.
  SString text(*dest ? (*dest)->GetText() : "");
  RaiseEvent(m_owner, ON_INSERT, nullptr, index, text.GetText());
}

int PObjStringArray::_PArray::CompareElements(SString* const* a, SString* const* b, int mode, int extra) const {
  SString ta(*a ? (*a)->GetText() : ""), tb(*b ? (*b)->GetText() : "");
  SValue answer;
  if (!RaiseEvent(m_owner, ON_COMPARE, &answer, ta.GetText(), tb.GetText(), mode))
    return SStringArray::CompareElements(a, b, mode, extra);
  int64_t n = answer.ToInt64();
  return n < 0 ? -1 : n > 0 ? 1 : 0;
}

void PObjStringArray::_PArray::ParseElement(SString** slot, const char* line, int index, int extra) {
  SValue answer;
  if (!RaiseEvent(m_owner, ON_PARSE, &answer, index, line)) {
    SStringArray::ParseElement(slot, line, index, extra);
    return;
  }
  *slot = new SString(answer.ToString().GetText());
}

SString PObjStringArray::_PArray::FormatElement(SString* element, int index, int extra) const {
  SString text(element ? element->GetText() : "");
  SValue answer;
  if (!RaiseEvent(m_owner, ON_FORMAT, &answer, index, text.GetText()))
    return SStringArray::FormatElement(element, index, extra);
  return answer.ToString();
}

// ---- Registration ----------------------------------------------------------------------------------

namespace {

SStringArray* AccessTexts(PObject* object) { return PObjStringArray::GetTexts(object); }

}  // namespace

void PObjStringArray::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_ARRAYS);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("StringArray");
  PObject::Register(definition);
  // String's members that fill or read a StringArray reach its texts here.
  PObjString::SetArrayAccess(AccessTexts);
}

bool PObjStringArray::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kStr = TYPE_STRING, kVoid = TYPE_VOID;
  const PParamDecl n(TYPE_INTEGER), text(TYPE_STRING), self(kTypeCode), table(PObjTable::kTypeCode),
      file(PObjFile::kTypeCode);
  const PParamDecl zero(TYPE_INTEGER, "0", int32_t(0)), one(TYPE_INTEGER, "1", int32_t(1)),
      last(TYPE_INTEGER, "-1", int32_t(-1)), empty(TYPE_STRING, "");

  bool ok = true;
  auto add = [&](int32_t kind, Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    ok = ok && d->GetMemberCount() == member && d->AddMember(kind, member, result, params);
  };
  auto fn = [&](Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    add(MEMBER_FUNCTION, member, result, params);
  };
  fn(GET_TEXT_FORM, kStr, {});
  fn(FIND_SORTED, kInt, {text, zero, last});
  fn(FIND_INSERT_POSITION, kInt, {text, zero, last});
  fn(ADD_SORTED, kInt, {text, zero, last});
  fn(FIND, kInt, {text, zero, last});
  fn(GET_AT, kStr, {n});
  fn(GET_COMPARE_MODE, kInt, {});
  fn(GET_COUNT, kInt, {});
  fn(GET_TAG, kInt, {n});
  fn(GET_FIRST, kStr, {});
  fn(GET_LAST, kStr, {});
  fn(COPY_MATCHING, kInt, {self, text, zero, last});
  fn(SET_TEXT_FORM, kInt, {text});
  fn(GET_FLAT_INDEX, kInt, {n, last, last, last});
  fn(INSERT, kInt, {text, last, one});
  fn(INSERT_TABLE_COLUMN, kInt, {table, text, zero, last, last});
  fn(JOIN, kStr, {empty, zero, last});
  fn(LOAD_FILE, kInt, {file});
  fn(LOAD_PATH, kInt, {text});
  fn(LOAD_RESOURCE, kInt, {text});
  fn(MOVE, kInt, {n, n, one});
  fn(REMOVE_AT, kVoid, {n, one});
  fn(REMOVE_ALL, kVoid, {});
  fn(REMOVE_DUPLICATES, kInt, {});
  fn(REMOVE_TEXT, kInt, {text, zero, last});
  fn(REMOVE_LAST, kVoid, {});
  fn(SHUFFLE, kVoid, {zero, last});
  fn(SAVE_FILE, kInt, {file});
  fn(SAVE_PATH, kInt, {text});
  fn(SET_AT, kVoid, {n, text});
  fn(SET_COMPARE_MODE, kVoid, {zero});
  fn(SET_COUNT, kVoid, {n});
  fn(SET_TAG, kVoid, {n, zero});
  fn(SET_DIMENSIONS, kVoid, {last, last, last});
  fn(SORT, kVoid, {zero, last});
  fn(SWAP, kInt, {n, n});
  add(MEMBER_EVENT, ON_COMPARE, kInt, {text, text, n});
  add(MEMBER_EVENT, ON_PARSE, kStr, {n, text});
  add(MEMBER_EVENT, ON_INSERT, kVoid, {n, text});
  add(MEMBER_EVENT, ON_FORMAT, kStr, {n, text});
  return ok;
}

PObject* PObjStringArray::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjStringArray(definition);
}

SStringArray* PObjStringArray::GetTexts(PObject* object) {
  if (!object || object->GetDefinition()->GetTypeCode() != kTypeCode) return nullptr;
  return &static_cast<PObjStringArray*>(object)->m_store;
}

// ---- Members -------------------------------------------------------------------------------------

namespace {

// Members that leave the array as it is; the only ones a handler may call
// while an operation of the same array runs.
bool LeavesArrayAlone(uint16_t member) {
  switch (member) {
    case PObjStringArray::GET_TEXT_FORM:
    case PObjStringArray::FIND_SORTED:
    case PObjStringArray::FIND_INSERT_POSITION:
    case PObjStringArray::FIND:
    case PObjStringArray::GET_AT:
    case PObjStringArray::GET_COMPARE_MODE:
    case PObjStringArray::GET_COUNT:
    case PObjStringArray::GET_TAG:
    case PObjStringArray::GET_FIRST:
    case PObjStringArray::GET_LAST:
    case PObjStringArray::COPY_MATCHING:
    case PObjStringArray::GET_FLAT_INDEX:
    case PObjStringArray::JOIN:
    case PObjStringArray::SAVE_FILE:
    case PObjStringArray::SAVE_PATH: return true;
    default: return member > PObjStringArray::SWAP;
  }
}

}  // namespace

bool PObjStringArray::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member > SWAP) return PObject::Call(member, args, result, caller);
  if (m_busy > 0 && !LeavesArrayAlone(member)) return true;
  PArrayBusy busy(m_busy);
  _PArray& a = m_store;
  const int count = a.GetCount();
  const auto index = [&](int i) { return GetArgIndex(args, i); };
  const auto s = [&](int i) { return GetArgString(args, i); };
  // The element at argument 0 when it is a valid index, else null.
  const auto element = [&]() -> SString* {
    int i = index(0);
    return IsArrayIndexValid(i, count) ? a.GetAt(i) : nullptr;
  };
  switch (member) {
    case GET_TEXT_FORM:
      return ReturnString(
          result, EncodeArrayText(count, [&](int i) { return SString(a.GetString(i)); }).GetText());
    case SET_TEXT_FORM:
      a.Purge();
      DecodeArrayText(s(0), [&](const char* text) { a.Add(text); });
      return ReturnInt64(result, a.GetCount());

    case FIND_SORTED: return ReturnInt64(result, index(1) < 0 ? -1 : a.FindSorted(s(0), index(1), index(2)));
    case FIND_INSERT_POSITION: return ReturnInt64(result, a.FindInsertPosition(s(0), index(1), index(2)));
    case ADD_SORTED: return ReturnInt64(result, a.AddSorted(s(0), index(1), index(2)));
    case FIND: return ReturnInt64(result, a.Find(s(0), index(1), index(2)));

    // A missing element (an index outside, or an empty array) leaves the
    // result unset.
    case GET_AT: {
      SString* e = element();
      return e ? ReturnString(result, e->GetText()) : true;
    }
    case GET_TAG: {
      SString* e = element();
      return e ? ReturnInt64(result, e->GetTag()) : true;
    }
    case GET_FIRST: return count > 0 && a.GetAt(0) ? ReturnString(result, a.GetAt(0)->GetText()) : true;
    case GET_LAST:
      return count > 0 && a.GetAt(count - 1) ? ReturnString(result, a.GetAt(count - 1)->GetText()) : true;
    case SET_AT: {
      SString* e = element();
      if (e) e->SetText(s(1));
      return true;
    }
    case SET_TAG: {
      SString* e = element();
      if (e) e->SetTag(int32_t(GetArgInt64(args, 1)));
      return true;
    }

    case GET_COMPARE_MODE: return ReturnInt64(result, a.GetCompareMode());
    case SET_COMPARE_MODE: a.SetCompareMode(index(0)); return true;
    case GET_COUNT: return ReturnInt64(result, count);

    case COPY_MATCHING: {
      PObjStringArray* target = GetArgOfClass<PObjStringArray>(args, 0);
      if (!target) return true;
      if (target != this && target->m_busy > 0) return true;
      PArrayBusy targetBusy(target->m_busy);
      return ReturnInt64(result, a.CopyMatching(index(2), index(3), &target->m_store, s(1)));
    }
    case INSERT: return ReturnInt64(result, a.Add(s(0), index(1), index(2)));
    case INSERT_TABLE_COLUMN: {
      PObjTable* table = GetArgOfClass<PObjTable>(args, 0);
      if (!table) return true;
      return ReturnInt64(result, a.InsertTableColumn(&table->GetTable(), s(1),
                                                     index(2), index(3), index(4)));
    }
    case JOIN: return ReturnString(result, a.Join(index(1), index(2), s(0)).GetText());
    case GET_FLAT_INDEX: return ReturnInt64(result, m_dimensions.FlatIndex(args, 0, count));
    case SET_DIMENSIONS: m_dimensions.Set(args, 0); return true;

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
    case REMOVE_AT: a.DeleteAndRemoveAt(index(0), index(1)); return true;
    case REMOVE_ALL: a.Purge(); return true;
    case REMOVE_DUPLICATES: return ReturnInt64(result, a.DeleteDuplicates(0, -1, 0));
    case REMOVE_TEXT: return ReturnInt64(result, a.RemoveText(s(0), index(1), index(2)));
    case REMOVE_LAST: a.DeleteAndRemoveLast(); return true;
    case SHUFFLE:
      if (IsArrayIndexValid(index(0), count)) a.Shuffle(index(0), index(1));
      return true;
    // Strings past n go; new slots each get a new empty string, made here
    // rather than inserted, so that no insertion event is raised.
    case SET_COUNT: {
      int n = index(0) < 0 ? 0 : index(0);
      if (n < count) {
        a.DeleteAndRemoveAt(n, -1);
      } else if (n > count && a.Resize(n)) {
        for (int i = count; i < n; i++) *a.GetPtr(i) = new SString("");
      }
      return true;
    }
    case SORT: a.SortRange(index(0), index(1)); return true;
    case SWAP: return ReturnBool(result, a.Swap(index(0), index(1)));
    default: return true;
  }
}
