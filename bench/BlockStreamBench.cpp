// Time of SFile::DecompressBlocks on a 50 MB CompressedBlockStream, memory
// to memory, next to zlib's own uncompress of the same blocks into one new
// buffer of the whole size: the cost of the stream layer on top of zlib.
// Prints figures only.
#include <zlib.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "files/SFileMem.h"

namespace {

const int kSize = 50 * 1000 * 1000;
const int kRounds = 7;

// Text-like data: words from a small vocabulary in a repeatable order,
// which zlib packs to about a third.
std::string TextLike(int n) {
  static const char* words[] = {"stream ", "block ", "the ", "engine ", "resource ", "dialog ",
                                "of ", "a ", "pack\r\n", "image ", "and ", "sound ", "table ",
                                "42 ", "1999 ", "xml "};
  std::string s;
  s.reserve(size_t(n));
  uint32_t x = 2463534242u;
  while (int(s.size()) < n) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    s += words[x % 16];
    if (x % 7 == 0) s += char('A' + x % 26);
  }
  s.resize(size_t(n));
  return s;
}

std::string Noise(int n) {
  std::string s(size_t(n), '\0');
  uint32_t x = 88172645u;
  for (char& c : s) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    c = char(x);
  }
  return s;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

// zlib alone: each block's packed bytes straight into its place in out.
bool UncompressAll(const uint8_t* stream, uint8_t* out, size_t size) {
  uint32_t blocks = Le32(stream);
  const uint8_t* p = stream + 4;
  size_t at = 0;
  for (uint32_t b = 0; b < blocks; b++) {
    uint32_t raw = Le32(p), packed = Le32(p + 4);
    uLongf n = raw;
    if (uncompress(out + at, &n, p + 8, packed) != Z_OK || n != raw) return false;
    at += raw;
    p += 8 + packed;
  }
  return at == size;
}

void Measure(const char* name, const std::string& data) {
  SFileMem source, packed;
  source.Allocate(0);
  source.Write(data.data(), int(data.size()));
  source.Rewind();
  packed.Allocate(0);
  int packedSize = source.CompressBlocks(&packed, -1);

  // The stream makes a new buffer for its output; so does the first zlib
  // figure, as any caller of uncompress must. The second reuses one already
  // written, which leaves out the system's cost of fresh memory.
  double stream = 1e300, zlib = 1e300, warm = 1e300;
  std::unique_ptr<uint8_t[]> reused(new uint8_t[data.size()]);
  std::memset(reused.get(), 0, data.size());
  bool same = true;
  for (int round = 0; round < kRounds; round++) {
    SFileMem out;
    out.Allocate(0);
    packed.Rewind();
    auto t0 = std::chrono::steady_clock::now();
    int written = packed.DecompressBlocks(&out);
    auto t1 = std::chrono::steady_clock::now();
    stream = std::min(stream, Milliseconds(t1 - t0));
    same = same && written == int(data.size()) &&
           std::memcmp(out.GetData(), data.data(), data.size()) == 0;

    t0 = std::chrono::steady_clock::now();
    {
      std::unique_ptr<uint8_t[]> fresh(new uint8_t[data.size()]);
      same = UncompressAll(packed.GetData(), fresh.get(), data.size()) && same;
    }
    t1 = std::chrono::steady_clock::now();
    zlib = std::min(zlib, Milliseconds(t1 - t0));

    t0 = std::chrono::steady_clock::now();
    same = UncompressAll(packed.GetData(), reused.get(), data.size()) && same;
    t1 = std::chrono::steady_clock::now();
    warm = std::min(warm, Milliseconds(t1 - t0));
  }
  std::printf("%-10s %6.1f %9d %10.1f %10.1f %7.2fx %13.1f %6s\n", name, data.size() / 1e6,
              packedSize, stream, zlib, stream / zlib, warm, same ? "yes" : "NO");
}

}  // namespace

int main() {
  std::printf("Best of %d rounds, memory to memory.\n", kRounds);
  std::printf("%-10s %6s %9s %10s %10s %8s %13s %6s\n", "data", "MB", "packed", "stream ms",
              "zlib ms", "ratio", "zlib warm ms", "same");
  Measure("text-like", TextLike(kSize));
  Measure("noise", Noise(kSize));
  return 0;
}
