// SHash over streams: the whole content of a memory stream in one piece, or
// any stream read from its start in small chunks with its position put back.
#include "core/SHash.h"

#include "files/SFile.h"
#include "files/SFileMem.h"

namespace {

// Streams are read in chunks of this size.
const int kChunk = 100;

// Feeds the whole stream from its start to a digest; false when it is
// closed or a read comes back empty before the end, the position then left
// where the reads stopped. On success the position is put back.
template <typename Feed>
bool ReadWhole(SFile* stream, Feed feed) {
  if (!stream || !stream->IsOpen()) return false;
  int position = stream->GetPosition();
  stream->Rewind();
  int size = stream->GetSize();
  uint8_t buffer[kChunk];
  // The offset counts what really arrived, so a short read is followed by
  // another rather than leaving bytes out of the digest.
  for (int offset = 0; offset < size;) {
    int got = stream->Read(buffer, kChunk);
    if (got <= 0) return false;
    feed(buffer, got);
    offset += got;
  }
  stream->Seek(position);
  return true;
}

bool HasContent(SFileMem* stream) { return stream && stream->IsOpen(); }

}  // namespace

bool SHash::Crc32Memory(SFileMem* stream, uint32_t& crc) {
  if (!HasContent(stream)) return false;
  crc = Crc32End(Crc32Update(Crc32Begin(), stream->GetData(), stream->GetSize()));
  return true;
}

bool SHash::Crc32Stream(SFile* stream, uint32_t& crc) {
  uint32_t reg = Crc32Begin();
  if (!ReadWhole(stream, [&](const uint8_t* bytes, int n) { reg = Crc32Update(reg, bytes, n); }))
    return false;
  crc = Crc32End(reg);
  return true;
}

SString SHash::Md5Memory(SFileMem* stream) {
  if (!HasContent(stream)) return SString("");
  Md5Context context;
  Md5Init(context);
  Md5Update(context, stream->GetData(), stream->GetSize());
  uint8_t digest[16];
  Md5Final(context, digest);
  return ToHex(digest, 16);
}

SString SHash::Md5Stream(SFile* stream) {
  Md5Context context;
  Md5Init(context);
  if (!ReadWhole(stream, [&](const uint8_t* bytes, int n) { Md5Update(context, bytes, n); }))
    return SString("");
  uint8_t digest[16];
  Md5Final(context, digest);
  return ToHex(digest, 16);
}

SString SHash::Sha1Memory(SFileMem* stream) {
  if (!HasContent(stream)) return SString("");
  Sha1Context context;
  Sha1Init(context);
  Sha1Update(context, stream->GetData(), stream->GetSize());
  uint8_t digest[20];
  Sha1Final(context, digest);
  return ToHex(digest, 20);
}

SString SHash::Sha1Stream(SFile* stream) {
  Sha1Context context;
  Sha1Init(context);
  if (!ReadWhole(stream, [&](const uint8_t* bytes, int n) { Sha1Update(context, bytes, n); }))
    return SString("");
  uint8_t digest[20];
  Sha1Final(context, digest);
  return ToHex(digest, 20);
}
