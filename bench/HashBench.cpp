// Throughput of the three digests: over a memory stream's whole content in
// one piece (the memory form), and read from a stream in 100-byte chunks
// (the stream form, as disk files are hashed).
#include <chrono>
#include <cstdio>

#include "core/SHash.h"
#include "files/SFileMem.h"

namespace {

const int kBufferSize = 16 << 20;

// Runs work until at least half a second has passed; answers MB/s.
template <typename Work>
double Throughput(Work work) {
  using Clock = std::chrono::steady_clock;
  auto start = Clock::now();
  double seconds = 0;
  long long bytes = 0;
  do {
    work();
    bytes += kBufferSize;
    seconds = std::chrono::duration<double>(Clock::now() - start).count();
  } while (seconds < 0.5);
  return bytes / seconds / 1e6;
}

}  // namespace

int main() {
  SFileMem stream;
  stream.Allocate(kBufferSize);
  uint32_t x = 12345;
  for (int i = 0; i < kBufferSize; i++) {
    x = x * 1103515245u + 12345u;
    stream.GetData()[i] = uint8_t(x >> 24);
  }

  // Keeps the results alive so that no work is optimised away.
  volatile uint32_t sink = 0;
  uint32_t crc = 0;
  std::printf("digest   memory form   stream form (100-byte reads), %d MiB buffer\n", kBufferSize >> 20);
  double sha1 = Throughput([&] { sink = sink + SHash::Sha1Memory(&stream).FirstChar(); });
  double sha1s = Throughput([&] { sink = sink + SHash::Sha1Stream(&stream).FirstChar(); });
  std::printf("SHA-1    %8.1f MB/s  %8.1f MB/s\n", sha1, sha1s);
  double md5 = Throughput([&] { sink = sink + SHash::Md5Memory(&stream).FirstChar(); });
  double md5s = Throughput([&] { sink = sink + SHash::Md5Stream(&stream).FirstChar(); });
  std::printf("MD5      %8.1f MB/s  %8.1f MB/s\n", md5, md5s);
  double crc32 = Throughput([&] {
    SHash::Crc32Memory(&stream, crc);
    sink = sink + crc;
  });
  double crc32s = Throughput([&] {
    SHash::Crc32Stream(&stream, crc);
    sink = sink + crc;
  });
  std::printf("CRC-32   %8.1f MB/s  %8.1f MB/s\n", crc32, crc32s);
  return 0;
}
