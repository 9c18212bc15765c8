// Table members that read and write the whole table: through a File, a
// disk path or a "table" resource. The separator argument's first
// character selects delimited text; an empty one, the table file.
#include <cstdint>

#include "classes/PObjFile.h"
#include "classes/PObjTable.h"
#include "engine/PEngine.h"
#include "files/SFileMem.h"

bool PObjTable::CallFile(uint16_t member, PArgs* args, PResultCell* result) {
  switch (member) {
    case READ_FILE: {
      SFile* source = PObjFile::GetArgStream(args, 0);
      return source ? ReturnBool(result, ReadTable(source, args)) : true;
    }
    case READ_DISK_FILE: {
      SFileMem text;
      if (!text.LoadFile(GetArgString(args, 0))) return ReturnBool(result, false);
      return ReturnBool(result, ReadTable(&text, args));
    }
    case READ_RESOURCE: {
      SFileMem text;
      if (!GetEngine()->LoadResource(&text, GetArgString(args, 0), RESOURCE_TABLE)) return true;
      return ReturnBool(result, ReadTable(&text, args));
    }
    case WRITE_FILE: {
      SFile* target = PObjFile::GetArgStream(args, 0);
      return target ? ReturnBool(result, WriteTable(target, args)) : true;
    }
    // Written whole in memory first, so that the file is opened once the
    // table is ready and a disk that refuses bytes shows in the result.
    case WRITE_DISK_FILE: {
      SFileMem text;
      text.Allocate(0);
      bool written = WriteTable(&text, args);
      return ReturnBool(result, text.SaveFile(GetArgString(args, 0)) && written);
    }
    default: return true;
  }
}

bool PObjTable::ReadTable(SFile* stream, const PArgs* args) {
  return m_table.Read(stream, GetArgBool(args, 1), true, GetArgChar(args, 2));
}

bool PObjTable::WriteTable(SFile* stream, const PArgs* args) {
  return m_table.Write(stream, GetArgBool(args, 1), true, GetArgChar(args, 2));
}
