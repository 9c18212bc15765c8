// The CompressedBlockStream: the data cut into blocks of 100000 bytes, each
// packed on its own by zlib's compress. Layout, all unsigned 32-bit
// little-endian: the block count, then per block its raw size, its packed
// size and the packed bytes (zlib header and checksum included).
//
// Every resource of a compressed pack and every application's own package
// pass through DecompressBlocks, so it trusts nothing it reads: each size is
// checked against the block buffers and the bytes left before it is used,
// every zlib answer is checked, and the loop ends with the stream.
#include "files/SFile.h"

#include <zlib.h>

#include <cstdint>
#include <memory>

#include "files/SFileMem.h"

namespace {

const int kBlockSize = 100000;
// Above the largest output compress can make of one block (compressBound).
const int kPackedSize = 110012;
const int kHeaderSize = 8;

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// A block header that fits the buffers, the bytes left after it, and the
// largest stream when added to what came before.
bool BlockFits(uint32_t raw, uint32_t packed, int64_t left, int64_t total) {
  return raw <= uint32_t(kBlockSize) && packed <= uint32_t(kPackedSize) &&
         int64_t(packed) <= left && total + raw <= INT32_MAX;
}

// Unpacks to exactly raw bytes, or fails.
bool Unpack(uint8_t* out, uint32_t raw, const uint8_t* packed, uint32_t packedSize) {
  uint8_t none;
  uLongf unpacked = raw;
  return uncompress(raw ? out : &none, &unpacked, packed, packedSize) == Z_OK &&
         unpacked == raw;
}

// Memory to the end of a memory stream, the way resources and packages are
// unpacked: the headers are checked first, the destination is sized once,
// and each block goes straight from the source's buffer into its place.
int DecompressInMemory(SFileMem& source, SFileMem& destination) {
  const uint8_t* data = source.GetData() + source.GetPosition();
  const int64_t size = source.GetRemaining();
  uint32_t blocks = Le32(data);
  int64_t at = 4, total = 0;
  for (uint32_t b = 0; b < blocks; b++) {
    if (size - at < kHeaderSize) return -1;
    uint32_t raw = Le32(data + at), packed = Le32(data + at + 4);
    if (!BlockFits(raw, packed, size - at - kHeaderSize, total)) return -1;
    at += kHeaderSize + packed;
    total += raw;
  }

  const int start = destination.GetPosition();
  if (total > INT32_MAX - start) return -1;
  if (total > 0 && !destination.SetSize(start + int(total))) return -1;
  uint8_t* out = total > 0 ? destination.GetData() + start : nullptr;
  data = source.GetData() + source.GetPosition() + 4;
  int written = 0;
  for (uint32_t b = 0; b < blocks; b++) {
    uint32_t raw = Le32(data), packed = Le32(data + 4);
    if (!Unpack(out + written, raw, data + kHeaderSize, packed)) {
      // The blocks before the damage stay, as they would from any stream.
      destination.SetSize(start + written);
      destination.Seek(start + written);
      return -1;
    }
    written += int(raw);
    data += kHeaderSize + packed;
  }
  destination.Seek(start + written);
  source.Skip(int(at));
  return written;
}

}  // namespace

int SFile::CompressBlocks(SFile* destination, int n) {
  if (!destination) return 0;
  int count = GetRemaining();
  if (n >= 0 && n < count) count = n;
  if (count <= 0) return 0;

  std::unique_ptr<uint8_t[]> raw(new uint8_t[kBlockSize]);
  std::unique_ptr<uint8_t[]> packed(new uint8_t[kPackedSize]);
  int written = destination->WriteInt(int32_t((count + kBlockSize - 1) / kBlockSize));
  for (int left = count; left > 0;) {
    int got = ReadBytes(raw.get(), left < kBlockSize ? left : kBlockSize);
    if (got <= 0) return -1;
    uLongf packedSize = kPackedSize;
    if (compress(packed.get(), &packedSize, raw.get(), uLong(got)) != Z_OK) return -1;
    written += destination->WriteInt(got);
    written += destination->WriteInt(int32_t(packedSize));
    written += destination->Write(packed.get(), int(packedSize));
    left -= got;
  }
  return written;
}

int SFile::DecompressBlocks(SFile* destination) {
  if (!destination) return 0;
  // Nothing at all is what CompressBlocks makes of an empty range.
  if (IsEnd()) return 0;
  if (GetRemaining() < 4) return -1;
  if (IsMemory() && destination->IsMemory() && destination != this &&
      destination->GetPosition() == destination->GetSize())
    return DecompressInMemory(*static_cast<SFileMem*>(this), *static_cast<SFileMem*>(destination));

  std::unique_ptr<uint8_t[]> raw(new uint8_t[kBlockSize]);
  std::unique_ptr<uint8_t[]> packed(new uint8_t[kPackedSize]);
  uint32_t blocks = uint32_t(ReadInt());
  int written = 0;
  // Each block costs at least its header, so a bogus count runs into the
  // end of the stream long before it runs out.
  for (uint32_t b = 0; b < blocks; b++) {
    if (GetRemaining() < kHeaderSize) return -1;
    uint32_t rawSize = uint32_t(ReadInt());
    uint32_t packedSize = uint32_t(ReadInt());
    if (!BlockFits(rawSize, packedSize, GetRemaining(), written)) return -1;
    if (ReadBytes(packed.get(), int(packedSize)) != int(packedSize)) return -1;
    if (!Unpack(raw.get(), rawSize, packed.get(), packedSize)) return -1;
    if (destination->Write(raw.get(), int(rawSize)) != int(rawSize)) return -1;
    written += int(rawSize);
  }
  return written;
}
