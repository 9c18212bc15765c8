// File members that search the current stream and digest it whole.
#include <cstdint>

#include "classes/PObjFile.h"

bool PObjFile::CallSearch(uint16_t member, PArgs* args, PResultCell* result) {
  SFile* s = m_current;
  switch (member) {
    case FIND: return ReturnInt64(result, s->FindString(GetArgString(args, 0), false));
    case GET_CRC32: {
      uint32_t crc = 0;
      if (!s->GetCrc32(crc)) return true;
      return ReturnInt64(result, int64_t(crc));  // unsigned, never negative
    }
    case GET_MD5: return ReturnString(result, s->GetMd5().GetText());
    case GET_SHA1: return ReturnString(result, s->GetSha1().GetText());
    default: return true;
  }
}
