// Additive key scrambling of a stream, the form in which a package carries
// its program text and its resources. Each byte gets the next key byte added
// (or subtracted), the key cycling from its first byte at every call, so the
// two directions undo each other when they start at the same point.
#include "files/SFile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Large pieces: on a disk stream every read is a call into the system, and
// a package's program text is read this way at every start.
const int kChunk = 64 * 1024;
// An empty key stream stands for a key of zeros: the data passes unchanged.
const int kZeroKeyLength = 100;

bool ApplyKey(SFile& source, SFile* key, int length, SFile* destination, bool add) {
  if (!source.IsOpen() || !key) return false;

  std::vector<uint8_t> keyBytes;
  if (key->GetSize() == 0) {
    keyBytes.assign(kZeroKeyLength, 0);
  } else {
    key->Rewind();
    keyBytes.resize(key->GetSize());
    int got = key->Read(keyBytes.data(), int(keyBytes.size()));
    if (got <= 0) keyBytes.assign(kZeroKeyLength, 0);
    else keyBytes.resize(got);
  }

  const int64_t start = source.GetPosition();
  int64_t left = source.GetSize() - start;
  if (length >= 0 && length < left) left = length;

  std::vector<uint8_t> buffer(size_t(left < kChunk ? (left > 0 ? left : 1) : kChunk));
  uint8_t* chunk = buffer.data();
  size_t k = 0;
  while (left > 0) {
    int want = left > kChunk ? kChunk : int(left);
    int got = source.Read(chunk, want);
    if (got <= 0) break;
    left -= got;
    for (int i = 0; i < got; i++) {
      chunk[i] = add ? uint8_t(chunk[i] + keyBytes[k]) : uint8_t(chunk[i] - keyBytes[k]);
      if (++k == keyBytes.size()) k = 0;
    }
    // A write that falls short ends the pass: in place, going on would read
    // the same unwritten bytes again forever (a stream opened read-only).
    int written;
    if (destination) {
      written = destination->Write(chunk, got);
    } else {
      source.SeekBack(got);
      written = source.Write(chunk, got);
    }
    if (written != got) return false;
  }
  return true;
}

}  // namespace

bool SFile::ScrambleWithKey(SFile* key, int length, SFile* destination) {
  return ApplyKey(*this, key, length, destination, true);
}

bool SFile::UnscrambleWithKey(SFile* key, int length, SFile* destination) {
  return ApplyKey(*this, key, length, destination, false);
}
