// The Table class: registration, the member table, and the members on
// fields, rows, cells and their texts.
#include "classes/PObjTable.h"

#include <cstdint>
#include <initializer_list>
#include <new>

#include "classes/PObjFile.h"
#include "engine/PObjectDefinition.h"

void PObjTable::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_VALUES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Table");
  PObject::Register(definition);
}

bool PObjTable::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kStr = TYPE_STRING, kVoid = TYPE_VOID;
  const PParamDecl n(TYPE_INTEGER), text(TYPE_STRING), table(kTypeCode), file(PObjFile::kTypeCode);
  const PParamDecl yes(TYPE_INTEGER, "true", int32_t(1)), no(TYPE_INTEGER, "false", int32_t(0));
  const PParamDecl one(TYPE_INTEGER, "1", int32_t(1)), append(TYPE_INTEGER, "-1", int32_t(-1));
  const PParamDecl none(TYPE_STRING, ""), equal(TYPE_STRING, "==");

  // Members are numbered by their position: added in order, 0 to 36.
  bool ok = true;
  auto add = [&](Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    ok = ok && d->GetMemberCount() == member && d->AddMember(MEMBER_FUNCTION, member, result, params);
  };
  add(COPY_FROM, kInt, {table, yes});
  add(REMOVE_FIELD, kInt, {text});
  add(REMOVE_ROWS, kVoid, {n, one});
  add(FILTER, kInt, {table, text, equal, none, yes});
  add(GET_CELL, kStr, {n, text});
  add(GET_CELL_DATA, kStr, {n, text});
  add(GET_ROW_COUNT, kInt, {});
  add(GET_FIELD_DATA, kStr, {text});
  add(FIND_FIELD, kInt, {text});
  add(GET_FIELD_NAME, kStr, {n});
  add(GET_FIELD_ATTRIBUTE, kStr, {text, text});
  add(GET_FIELD_COUNT, kInt, {});
  add(GET_ROW_DATA, kStr, {n});
  add(GET_ROW_ATTRIBUTE, kStr, {n, text});
  add(GET_CELL_ATTRIBUTE, kStr, {n, text, text});
  add(GET_DATA, kStr, {});
  add(GET_ATTRIBUTE, kStr, {text});
  add(INSERT_FIELD, kInt, {text, append});
  add(INSERT_ROW, kInt, {append});
  add(READ_FILE, kInt, {file, yes, none});
  add(READ_DISK_FILE, kInt, {text, yes, none});
  add(READ_RESOURCE, kInt, {text, yes, none});
  add(CLEAR, kVoid, {});
  add(REMOVE_ALL_ROWS, kVoid, {});
  add(WRITE_FILE, kInt, {file, yes, none});
  add(WRITE_DISK_FILE, kInt, {text, yes, none});
  add(SET_CELL, kVoid, {n, text, text});
  add(SET_CELL_DATA, kVoid, {n, text, text});
  add(SET_FIELD_DATA, kVoid, {text, text});
  add(RENAME_FIELD, kInt, {text, text});
  add(SET_FIELD_ATTRIBUTE, kVoid, {text, text, text});
  add(SET_ROW_DATA, kVoid, {n, text});
  add(SET_ROW_ATTRIBUTE, kVoid, {n, text, text});
  add(SET_CELL_ATTRIBUTE, kVoid, {n, text, text, text});
  add(SET_DATA, kVoid, {text});
  add(SET_ATTRIBUTE, kVoid, {text, text});
  add(SORT, kVoid, {text, no, yes, none});
  return ok;
}

PObject* PObjTable::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjTable(definition);
}

PObjTable* PObjTable::GetArgTable(const PArgs* args, int i) {
  PObject* object = GetArgObject(args, i);
  return object ? static_cast<PObjTable*>(object->CastToClass(GetDefinition())) : nullptr;
}

bool PObjTable::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  STable& t = m_table;
  // Most members name a row first and a field second; STable takes them
  // the other way round.
  const auto row = [&] { return GetArgInt32(args, 0); };
  const auto s = [&](int i) { return GetArgString(args, i); };
  switch (member) {
    case COPY_FROM: {
      PObjTable* source = GetArgTable(args, 0);
      if (!source) return true;
      return ReturnBool(result, t.CopyFrom(&source->m_table, GetArgBool(args, 1), true));
    }
    case FILTER: {
      PObjTable* target = GetArgTable(args, 0);
      if (!target) return true;
      return ReturnInt64(result, t.Filter(&target->m_table, s(1), s(2), s(3), GetArgBool(args, 4)));
    }
    case SORT: t.Sort(s(0), s(3), GetArgBool(args, 1), GetArgBool(args, 2)); return true;

    case REMOVE_FIELD: return ReturnBool(result, t.RemoveField(s(0)));
    case REMOVE_ROWS: t.RemoveRows(row(), GetArgInt32(args, 1)); return true;
    case REMOVE_ALL_ROWS: t.RemoveAllRows(); return true;
    case CLEAR: t.Clear(); return true;
    case INSERT_FIELD: return ReturnInt64(result, t.InsertField(s(0), GetArgInt32(args, 1)));
    case INSERT_ROW: return ReturnInt64(result, t.InsertRow(row()));
    // Unlike a new field, a renamed one may not lose its name.
    case RENAME_FIELD: {
      SString name(s(1));
      name.Trim();
      return ReturnBool(result, name.GetLength() > 0 && t.RenameField(s(0), name.GetText()));
    }

    case GET_ROW_COUNT: return ReturnInt64(result, t.GetRowCount());
    case GET_FIELD_COUNT: return ReturnInt64(result, t.GetFieldCount());
    case FIND_FIELD: return ReturnInt64(result, t.FindFieldByName(s(0)));
    case GET_FIELD_NAME: return ReturnString(result, t.GetFieldName(GetArgInt32(args, 0)).GetText());
    case GET_FIELD_DATA: return ReturnString(result, t.GetFieldData(s(0)).GetText());
    case GET_FIELD_ATTRIBUTE: return ReturnString(result, t.GetFieldAttribute(s(0), s(1)).GetText());
    case GET_ROW_DATA: return ReturnString(result, t.GetRowData(row()).GetText());
    case GET_ROW_ATTRIBUTE: return ReturnString(result, t.GetRowAttribute(row(), s(1)).GetText());
    case GET_CELL: return ReturnString(result, t.GetCell(s(1), row()).GetText());
    case GET_CELL_DATA: return ReturnString(result, t.GetCellData(s(1), row()).GetText());
    case GET_CELL_ATTRIBUTE:
      return ReturnString(result, t.GetCellAttribute(s(1), row(), s(2)).GetText());
    case GET_DATA: return ReturnString(result, t.GetData().GetText());
    case GET_ATTRIBUTE: return ReturnString(result, t.GetAttribute(s(0)).GetText());

    case SET_CELL: t.SetCell(s(1), row(), s(2)); return true;
    case SET_CELL_DATA: t.SetCellData(s(1), row(), s(2)); return true;
    case SET_CELL_ATTRIBUTE: t.SetCellAttribute(s(1), row(), s(2), s(3)); return true;
    case SET_FIELD_DATA: t.SetFieldData(s(0), s(1)); return true;
    case SET_FIELD_ATTRIBUTE: t.SetFieldAttribute(s(0), s(1), s(2)); return true;
    case SET_ROW_DATA: t.SetRowData(row(), s(1)); return true;
    case SET_ROW_ATTRIBUTE: t.SetRowAttribute(row(), s(1), s(2)); return true;
    case SET_DATA: t.SetData(s(0)); return true;
    case SET_ATTRIBUTE: t.SetAttribute(s(0), s(1)); return true;

    case READ_FILE:
    case READ_DISK_FILE:
    case READ_RESOURCE:
    case WRITE_FILE:
    case WRITE_DISK_FILE: return CallFile(member, args, result);
    default: return PObject::Call(member, args, result, caller);
  }
}
