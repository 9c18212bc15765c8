// File members that run the stream transforms: key scrambling, block
// compression, 7-bit text and part files.
#include <cstdint>

#include "classes/PObjFile.h"
#include "classes/PObjStringArray.h"
#include "core/SStringArray.h"

namespace {

// The texts of a StringArray argument, null for null and other objects.
const SStringArray* GetArgPaths(const PArgs* args, int i) {
  return PObjStringArray::GetTexts(PObject::GetArgObject(args, i));
}

// Whether the stream from position 0 is 7-bit text: printable characters
// (32 to 159) up to the byte 255 that ends it. Anything else was not made by
// the encoder, and decoding it would replace the content with noise.
bool IsSevenBitText(SFile& stream) {
  stream.Rewind();
  uint8_t chunk[512];
  for (;;) {
    int got = stream.Read(chunk, int(sizeof chunk));
    if (got <= 0) return false;
    for (int i = 0; i < got; i++) {
      if (chunk[i] == 255) return true;
      if (chunk[i] < 32 || chunk[i] > 159) return false;
    }
  }
}

}  // namespace

bool PObjFile::CallTransform(uint16_t member, PArgs* args, PResultCell* result) {
  SFile* s = m_current;
  switch (member) {
    case SCRAMBLE:
    case UNSCRAMBLE: {
      SFile* key = GetArgStream(args, 0);
      if (!key) return true;
      // A destination File that is given but not open is refused: working in
      // place instead would change the bytes the script meant to keep.
      PObject* target = GetArgObject(args, 2);
      SFile* destination = target ? GetArgStream(args, 2) : nullptr;
      if (target && !destination) return true;
      int length = GetArgInt32(args, 1);
      bool done = member == SCRAMBLE ? s->ScrambleWithKey(key, length, destination)
                                     : s->UnscrambleWithKey(key, length, destination);
      return ReturnBool(result, done);
    }
    case ENCODE_7BIT: Transform7Bit(true); return true;
    case DECODE_7BIT: Transform7Bit(false); return true;
    case COMPRESS: {
      SFile* destination = GetArgStream(args, 0);
      if (!destination) return true;
      return ReturnInt64(result, s->CompressBlocks(destination, GetArgInt32(args, 1)));
    }
    case DECOMPRESS: {
      SFile* destination = GetArgStream(args, 0);
      if (!destination) return true;
      // Unpacked aside, so that damaged data leaves the destination and this
      // stream's position as they were and answers -1.
      SFileMem unpacked;
      unpacked.Allocate(0);
      int start = s->GetPosition();
      int n = s->DecompressBlocks(&unpacked);
      if (n < 0) {
        s->Seek(start);
        return ReturnInt64(result, -1);
      }
      unpacked.Rewind();
      return ReturnInt64(result, unpacked.CopyTo(destination, -1));
    }
    case SPLIT: {
      const SStringArray* paths = GetArgPaths(args, 0);
      if (!paths) return true;
      return ReturnInt64(result, s->SplitToFiles(paths, GetArgInt32(args, 1)));
    }
    default: return true;
  }
}

// The whole stream goes through the transform into memory and comes back in
// place of the old content; a disk file is rewritten. Text that does not
// decode is left as it stands, and so is a stream that cannot be emptied.
void PObjFile::Transform7Bit(bool encode) {
  SFile* s = m_current;
  int position = s->GetPosition();
  if (!encode && !IsSevenBitText(*s)) {
    s->Seek(position);
    return;
  }
  SFileMem local;
  local.Allocate(0);
  s->Rewind();
  if (encode) s->Encode7Bit(&local);
  else s->Decode7Bit(&local);
  local.Rewind();
  if (s->SetSize(0)) local.CopyTo(s, -1);
  s->Rewind();
}
