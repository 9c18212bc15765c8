// File members that read and write typed data at the position of the
// current stream.
#include <cstdint>

#include "classes/PObjFile.h"

bool PObjFile::CallReadWrite(uint16_t member, PArgs* args, PResultCell* result) {
  SFile* s = m_current;
  switch (member) {
    case READ_STRING: return ReturnString(result, s->ReadString(GetArgInt32(args, 0)).GetText());
    case READ_BYTE: return ReturnInt64(result, s->ReadByte());
    case READ_LINE: {
      bool ended = false;
      SString line = s->ReadLine(GetArgBool(args, 0), GetArgInt32(args, 1), &ended);
      SetArgInt64(args, 2, ended ? 1 : 0);
      return ReturnString(result, line.GetText());
    }
    case READ_ZSTRING: return ReturnString(result, s->ReadZString(GetArgBool(args, 0)).GetText());
    case READ_UNISTRING:
      return ReturnUniString(result, s->ReadUniString(GetArgInt32(args, 0)).GetText());

    case WRITE_STRING: return ReturnInt64(result, s->WriteString(GetArgString(args, 0), -1));
    case WRITE_BYTE: return ReturnInt64(result, s->WriteByte(uint8_t(GetArgInt64(args, 0))));
    case WRITE_LINE: return ReturnInt64(result, s->WriteLine(GetArgString(args, 0)));
    // With its NUL: the form ReadZString reads back.
    case WRITE_TEXT: return ReturnInt64(result, s->WriteText(GetArgString(args, 0)));
    case WRITE_UNISTRING:
      return ReturnInt64(result, s->WriteUniString(GetArgUniString(args, 0), -1));
    case COPY_FROM: {
      SFile* source = GetArgStream(args, 0);
      if (!source) return true;
      return ReturnInt64(result, source->CopyTo(s, GetArgInt32(args, 1)));
    }
    default: return true;
  }
}
