// SHash: the three digest algorithms and their text forms.
#include "core/SHash.h"

#include <cstring>

namespace {

// ---- CRC-32 -------------------------------------------------------------------------

struct Crc32Table {
  uint32_t entry[256];
  constexpr Crc32Table() : entry() {
    for (uint32_t i = 0; i < 256; i++) {
      uint32_t c = i;
      for (int k = 0; k < 8; k++) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entry[i] = c;
    }
  }
};

constexpr Crc32Table kCrc32Table;

// ---- Shared by MD5 and SHA-1 ----------------------------------------------------------

inline uint32_t RotateLeft(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

// Feeds bytes through 64-byte blocks: tops up a partial block first, then
// transforms whole blocks straight from the input, and keeps the tail.
template <typename Context, typename Transform>
void FeedBlocks(Context& context, const void* bytes, int n, Transform transform) {
  if (!bytes || n <= 0) return;
  auto in = static_cast<const uint8_t*>(bytes);
  size_t used = static_cast<size_t>((context.bitCount >> 3) & 63);
  context.bitCount += uint64_t(n) << 3;
  size_t length = static_cast<size_t>(n);
  size_t i = 0;
  if (used + length >= 64) {
    i = 64 - used;
    std::memcpy(context.buffer + used, in, i);
    transform(context.state, context.buffer);
    for (; i + 64 <= length; i += 64) transform(context.state, in + i);
    used = 0;
  }
  std::memcpy(context.buffer + used, in + i, length - i);
}

// The padding of both digests: 0x80, zeros up to 56 bytes into a block, then
// the 8 length bytes that the caller has laid out in its own byte order.
template <typename Context, typename Update>
void Pad(Context& context, const uint8_t length[8], Update update) {
  static const uint8_t kPadding[64] = {0x80};
  size_t used = static_cast<size_t>((context.bitCount >> 3) & 63);
  int padLength = static_cast<int>(used < 56 ? 56 - used : 120 - used);
  update(context, kPadding, padLength);
  update(context, length, 8);
}

// ---- MD5 ---------------------------------------------------------------------------------

inline uint32_t Md5F(uint32_t x, uint32_t y, uint32_t z) { return (x & y) | (~x & z); }
inline uint32_t Md5G(uint32_t x, uint32_t y, uint32_t z) { return (x & z) | (y & ~z); }
inline uint32_t Md5H(uint32_t x, uint32_t y, uint32_t z) { return x ^ y ^ z; }
inline uint32_t Md5I(uint32_t x, uint32_t y, uint32_t z) { return y ^ (x | ~z); }

#define MD5_STEP(f, a, b, c, d, x, s, t) \
  a = b + RotateLeft(a + f(b, c, d) + (x) + uint32_t(t), s)

// ---- SHA-1 ----------------------------------------------------------------------------------

inline uint32_t LoadBigEndian(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// The schedule is kept as a ring of 16 words, each expanded when first used.
#define SHA1_W(i) \
  (w[(i) & 15] = RotateLeft(w[((i) + 13) & 15] ^ w[((i) + 8) & 15] ^ w[((i) + 2) & 15] ^ w[(i) & 15], 1))
#define SHA1_ROUND(a, b, c, d, e, f, k, wi)                  \
  do {                                                       \
    e += RotateLeft(a, 5) + (f) + uint32_t(k) + (wi);        \
    b = RotateLeft(b, 30);                                   \
  } while (0)
#define SHA1_R0(a, b, c, d, e, i) SHA1_ROUND(a, b, c, d, e, (d ^ (b & (c ^ d))), 0x5A827999, w[i])
#define SHA1_R1(a, b, c, d, e, i) SHA1_ROUND(a, b, c, d, e, (d ^ (b & (c ^ d))), 0x5A827999, SHA1_W(i))
#define SHA1_R2(a, b, c, d, e, i) SHA1_ROUND(a, b, c, d, e, (b ^ c ^ d), 0x6ED9EBA1, SHA1_W(i))
#define SHA1_R3(a, b, c, d, e, i) \
  SHA1_ROUND(a, b, c, d, e, (((b | c) & d) | (b & c)), 0x8F1BBCDC, SHA1_W(i))
#define SHA1_R4(a, b, c, d, e, i) SHA1_ROUND(a, b, c, d, e, (b ^ c ^ d), 0xCA62C1D6, SHA1_W(i))

// Five rounds with the registers rotated, so no values move between rounds.
#define SHA1_FIVE(R, i)          \
  R(a, b, c, d, e, (i));         \
  R(e, a, b, c, d, (i) + 1);     \
  R(d, e, a, b, c, (i) + 2);     \
  R(c, d, e, a, b, (i) + 3);     \
  R(b, c, d, e, a, (i) + 4)

}  // namespace

// ---- CRC-32 ------------------------------------------------------------------------------------

uint32_t SHash::Crc32Update(uint32_t reg, const void* bytes, int n) {
  auto p = static_cast<const uint8_t*>(bytes);
  for (int i = 0; i < n; i++) reg = kCrc32Table.entry[(reg ^ p[i]) & 0xFF] ^ (reg >> 8);
  return reg;
}

bool SHash::Crc32Text(const char* text, uint32_t& crc) {
  if (!text) return false;
  crc = Crc32End(Crc32Update(Crc32Begin(), text, static_cast<int>(std::strlen(text))));
  return true;
}

// ---- MD5 ------------------------------------------------------------------------------------------

void SHash::Md5Init(Md5Context& context) {
  context.state[0] = 0x67452301;
  context.state[1] = 0xEFCDAB89;
  context.state[2] = 0x98BADCFE;
  context.state[3] = 0x10325476;
  context.bitCount = 0;
  std::memset(context.buffer, 0, sizeof context.buffer);
}

void SHash::Md5Decode(uint32_t words[16], const uint8_t block[64]) {
  for (int i = 0; i < 16; i++) {
    const uint8_t* p = block + 4 * i;
    words[i] = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  }
}

void SHash::Md5Transform(uint32_t state[4], const uint8_t block[64]) {
  uint32_t x[16];
  Md5Decode(x, block);
  uint32_t a = state[0], b = state[1], c = state[2], d = state[3];

  MD5_STEP(Md5F, a, b, c, d, x[0], 7, 0xd76aa478);
  MD5_STEP(Md5F, d, a, b, c, x[1], 12, 0xe8c7b756);
  MD5_STEP(Md5F, c, d, a, b, x[2], 17, 0x242070db);
  MD5_STEP(Md5F, b, c, d, a, x[3], 22, 0xc1bdceee);
  MD5_STEP(Md5F, a, b, c, d, x[4], 7, 0xf57c0faf);
  MD5_STEP(Md5F, d, a, b, c, x[5], 12, 0x4787c62a);
  MD5_STEP(Md5F, c, d, a, b, x[6], 17, 0xa8304613);
  MD5_STEP(Md5F, b, c, d, a, x[7], 22, 0xfd469501);
  MD5_STEP(Md5F, a, b, c, d, x[8], 7, 0x698098d8);
  MD5_STEP(Md5F, d, a, b, c, x[9], 12, 0x8b44f7af);
  MD5_STEP(Md5F, c, d, a, b, x[10], 17, 0xffff5bb1);
  MD5_STEP(Md5F, b, c, d, a, x[11], 22, 0x895cd7be);
  MD5_STEP(Md5F, a, b, c, d, x[12], 7, 0x6b901122);
  MD5_STEP(Md5F, d, a, b, c, x[13], 12, 0xfd987193);
  MD5_STEP(Md5F, c, d, a, b, x[14], 17, 0xa679438e);
  MD5_STEP(Md5F, b, c, d, a, x[15], 22, 0x49b40821);

  MD5_STEP(Md5G, a, b, c, d, x[1], 5, 0xf61e2562);
  MD5_STEP(Md5G, d, a, b, c, x[6], 9, 0xc040b340);
  MD5_STEP(Md5G, c, d, a, b, x[11], 14, 0x265e5a51);
  MD5_STEP(Md5G, b, c, d, a, x[0], 20, 0xe9b6c7aa);
  MD5_STEP(Md5G, a, b, c, d, x[5], 5, 0xd62f105d);
  MD5_STEP(Md5G, d, a, b, c, x[10], 9, 0x02441453);
  MD5_STEP(Md5G, c, d, a, b, x[15], 14, 0xd8a1e681);
  MD5_STEP(Md5G, b, c, d, a, x[4], 20, 0xe7d3fbc8);
  MD5_STEP(Md5G, a, b, c, d, x[9], 5, 0x21e1cde6);
  MD5_STEP(Md5G, d, a, b, c, x[14], 9, 0xc33707d6);
  MD5_STEP(Md5G, c, d, a, b, x[3], 14, 0xf4d50d87);
  MD5_STEP(Md5G, b, c, d, a, x[8], 20, 0x455a14ed);
  MD5_STEP(Md5G, a, b, c, d, x[13], 5, 0xa9e3e905);
  MD5_STEP(Md5G, d, a, b, c, x[2], 9, 0xfcefa3f8);
  MD5_STEP(Md5G, c, d, a, b, x[7], 14, 0x676f02d9);
  MD5_STEP(Md5G, b, c, d, a, x[12], 20, 0x8d2a4c8a);

  MD5_STEP(Md5H, a, b, c, d, x[5], 4, 0xfffa3942);
  MD5_STEP(Md5H, d, a, b, c, x[8], 11, 0x8771f681);
  MD5_STEP(Md5H, c, d, a, b, x[11], 16, 0x6d9d6122);
  MD5_STEP(Md5H, b, c, d, a, x[14], 23, 0xfde5380c);
  MD5_STEP(Md5H, a, b, c, d, x[1], 4, 0xa4beea44);
  MD5_STEP(Md5H, d, a, b, c, x[4], 11, 0x4bdecfa9);
  MD5_STEP(Md5H, c, d, a, b, x[7], 16, 0xf6bb4b60);
  MD5_STEP(Md5H, b, c, d, a, x[10], 23, 0xbebfbc70);
  MD5_STEP(Md5H, a, b, c, d, x[13], 4, 0x289b7ec6);
  MD5_STEP(Md5H, d, a, b, c, x[0], 11, 0xeaa127fa);
  MD5_STEP(Md5H, c, d, a, b, x[3], 16, 0xd4ef3085);
  MD5_STEP(Md5H, b, c, d, a, x[6], 23, 0x04881d05);
  MD5_STEP(Md5H, a, b, c, d, x[9], 4, 0xd9d4d039);
  MD5_STEP(Md5H, d, a, b, c, x[12], 11, 0xe6db99e5);
  MD5_STEP(Md5H, c, d, a, b, x[15], 16, 0x1fa27cf8);
  MD5_STEP(Md5H, b, c, d, a, x[2], 23, 0xc4ac5665);

  MD5_STEP(Md5I, a, b, c, d, x[0], 6, 0xf4292244);
  MD5_STEP(Md5I, d, a, b, c, x[7], 10, 0x432aff97);
  MD5_STEP(Md5I, c, d, a, b, x[14], 15, 0xab9423a7);
  MD5_STEP(Md5I, b, c, d, a, x[5], 21, 0xfc93a039);
  MD5_STEP(Md5I, a, b, c, d, x[12], 6, 0x655b59c3);
  MD5_STEP(Md5I, d, a, b, c, x[3], 10, 0x8f0ccc92);
  MD5_STEP(Md5I, c, d, a, b, x[10], 15, 0xffeff47d);
  MD5_STEP(Md5I, b, c, d, a, x[1], 21, 0x85845dd1);
  MD5_STEP(Md5I, a, b, c, d, x[8], 6, 0x6fa87e4f);
  MD5_STEP(Md5I, d, a, b, c, x[15], 10, 0xfe2ce6e0);
  MD5_STEP(Md5I, c, d, a, b, x[6], 15, 0xa3014314);
  MD5_STEP(Md5I, b, c, d, a, x[13], 21, 0x4e0811a1);
  MD5_STEP(Md5I, a, b, c, d, x[4], 6, 0xf7537e82);
  MD5_STEP(Md5I, d, a, b, c, x[11], 10, 0xbd3af235);
  MD5_STEP(Md5I, c, d, a, b, x[2], 15, 0x2ad7d2bb);
  MD5_STEP(Md5I, b, c, d, a, x[9], 21, 0xeb86d391);

  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

void SHash::Md5Update(Md5Context& context, const void* bytes, int n) {
  FeedBlocks(context, bytes, n, Md5Transform);
}

void SHash::Md5Final(Md5Context& context, uint8_t digest[16]) {
  uint8_t length[8];
  for (int i = 0; i < 8; i++) length[i] = uint8_t(context.bitCount >> (8 * i));
  Pad(context, length, Md5Update);
  for (int i = 0; i < 16; i++) digest[i] = uint8_t(context.state[i / 4] >> (8 * (i % 4)));
  std::memset(&context, 0, sizeof context);
}

SString SHash::Md5Text(const char* text) {
  if (!text) return SString("");
  Md5Context context;
  Md5Init(context);
  Md5Update(context, text, static_cast<int>(std::strlen(text)));
  uint8_t digest[16];
  Md5Final(context, digest);
  return ToHex(digest, 16);
}

// ---- SHA-1 ------------------------------------------------------------------------------------------

void SHash::Sha1Init(Sha1Context& context) {
  context.state[0] = 0x67452301;
  context.state[1] = 0xEFCDAB89;
  context.state[2] = 0x98BADCFE;
  context.state[3] = 0x10325476;
  context.state[4] = 0xC3D2E1F0;
  context.bitCount = 0;
  std::memset(context.buffer, 0, sizeof context.buffer);
}

void SHash::Sha1Transform(uint32_t state[5], const uint8_t block[64]) {
  uint32_t w[16];
  for (int i = 0; i < 16; i++) w[i] = LoadBigEndian(block + 4 * i);
  uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];

  SHA1_FIVE(SHA1_R0, 0);
  SHA1_FIVE(SHA1_R0, 5);
  SHA1_FIVE(SHA1_R0, 10);
  SHA1_R0(a, b, c, d, e, 15);
  SHA1_R1(e, a, b, c, d, 16);
  SHA1_R1(d, e, a, b, c, 17);
  SHA1_R1(c, d, e, a, b, 18);
  SHA1_R1(b, c, d, e, a, 19);
  SHA1_FIVE(SHA1_R2, 20);
  SHA1_FIVE(SHA1_R2, 25);
  SHA1_FIVE(SHA1_R2, 30);
  SHA1_FIVE(SHA1_R2, 35);
  SHA1_FIVE(SHA1_R3, 40);
  SHA1_FIVE(SHA1_R3, 45);
  SHA1_FIVE(SHA1_R3, 50);
  SHA1_FIVE(SHA1_R3, 55);
  SHA1_FIVE(SHA1_R4, 60);
  SHA1_FIVE(SHA1_R4, 65);
  SHA1_FIVE(SHA1_R4, 70);
  SHA1_FIVE(SHA1_R4, 75);

  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
  state[4] += e;
}

void SHash::Sha1Update(Sha1Context& context, const void* bytes, int n) {
  FeedBlocks(context, bytes, n, Sha1Transform);
}

void SHash::Sha1Final(Sha1Context& context, uint8_t digest[20]) {
  uint8_t length[8];
  for (int i = 0; i < 8; i++) length[i] = uint8_t(context.bitCount >> (56 - 8 * i));
  Pad(context, length, Sha1Update);
  for (int i = 0; i < 20; i++) digest[i] = uint8_t(context.state[i / 4] >> (24 - 8 * (i % 4)));
  std::memset(&context, 0, sizeof context);
}

SString SHash::Sha1Text(const char* text) {
  if (!text) return SString("");
  Sha1Context context;
  Sha1Init(context);
  Sha1Update(context, text, static_cast<int>(std::strlen(text)));
  uint8_t digest[20];
  Sha1Final(context, digest);
  return ToHex(digest, 20);
}

// ---- Hex text ------------------------------------------------------------------------------------------

SString SHash::ToHex(const uint8_t* digest, int n) {
  static const char kDigits[] = "0123456789ABCDEF";
  SString text = SString::ConstructZeroed(2 * n);
  char* out = text.GetBuffer();
  for (int i = 0; i < n; i++) {
    out[2 * i] = kDigits[digest[i] >> 4];
    out[2 * i + 1] = kDigits[digest[i] & 15];
  }
  return text;
}
