// Additive key scrambling of a stream, the form in which a package carries
// its program text and its resources. Each byte gets the next key byte added
// (or subtracted), the key cycling from its first byte at every call, so the
// two directions undo each other when they start at the same point.
#include "files/SFile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

const int kChunk = 1000;
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

  int64_t end = source.GetSize();
  if (length >= 0 && int64_t(source.GetPosition()) + length < end)
    end = int64_t(source.GetPosition()) + length;

  uint8_t chunk[kChunk];
  size_t k = 0;
  while (source.GetPosition() < end) {
    int want = int(end - source.GetPosition());
    if (want > kChunk) want = kChunk;
    int got = source.Read(chunk, want);
    if (got <= 0) break;
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
