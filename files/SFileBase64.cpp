// The Base64 form of a stream: lines of the standard alphabet, each the
// encoding of up to 192 bytes and ended by CR LF, no "=" padding inside the
// data, and one "=" after the last line to end it.
//
// The decoder also reads the URL-safe letters "-" and "_", ends at "=" or
// "@", and ignores line ends and blanks wherever they fall. Other stray
// bytes are mapped by the arithmetic of their neighbourhood, as they always
// have been, so old data decodes as it did.
#include "files/SFile.h"

#include <cstdint>

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const int kLineBytes = 192;
const int kReadChunk = 512;
// Values collected before a batch is decoded: 512 values give 384 bytes.
const int kBatch = 512;

// Encodes 1 to 3 bytes as 2 to 4 characters; answers the count.
int EncodeGroup(const uint8_t* in, int n, char* out) {
  uint32_t bits = uint32_t(in[0]) << 16;
  if (n > 1) bits |= uint32_t(in[1]) << 8;
  if (n > 2) bits |= in[2];
  for (int i = 0; i <= n; i++) out[i] = kAlphabet[(bits >> (18 - 6 * i)) & 63];
  return n + 1;
}

uint8_t SixBits(uint8_t c) {
  if (c == '+' || c == '-') return 62;
  if (c == '/' || c == '_') return 63;
  if (c < ':') return uint8_t(c + 4);
  if (c <= '`') return uint8_t(c - 65);
  return uint8_t(c - 71);
}

bool IsSpace(uint8_t c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

// Decodes n values, four to three bytes, a last group of 2 or 3 values to
// 1 or 2 bytes; the arithmetic is in 8 bits. Answers the bytes made.
int DecodeValues(const uint8_t* v, int n, uint8_t* out) {
  int made = 0;
  for (int i = 0; i + 1 < n; i += 4) {
    int left = n - i;
    out[made++] = uint8_t(v[i] << 2 | v[i + 1] >> 4);
    if (left > 2) out[made++] = uint8_t(v[i + 1] << 4 | v[i + 2] >> 2);
    if (left > 3) out[made++] = uint8_t(v[i + 2] << 6 | v[i + 3]);
  }
  return made;
}

}  // namespace

bool SFile::EncodeBase64(SFile* destination) {
  if (!destination) return false;
  uint8_t in[kLineBytes];
  char line[kLineBytes / 3 * 4 + 3];
  bool wrote = false;
  while (!IsEnd()) {
    int got = Read(in, kLineBytes);
    if (got <= 0) break;
    int n = 0;
    for (int i = 0; i < got; i += 3) n += EncodeGroup(in + i, got - i < 3 ? got - i : 3, line + n);
    line[n++] = '\r';
    line[n++] = '\n';
    destination->Write(line, n);
    wrote = true;
  }
  if (wrote) destination->WriteByte('=');
  return true;
}

bool SFile::DecodeBase64(SFile* destination) {
  if (!destination) return false;
  uint8_t in[kReadChunk];
  uint8_t values[kBatch];
  uint8_t out[kBatch / 4 * 3];
  int collected = 0;
  bool ended = false;
  while (!ended && !IsEnd()) {
    int got = Read(in, kReadChunk);
    if (got <= 0) break;
    for (int i = 0; i < got; i++) {
      uint8_t c = in[i];
      if (IsSpace(c)) continue;
      if (c == '=' || c == '@') {
        // Leave the stream just past the end mark, for whatever follows.
        SeekBack(got - i - 1);
        ended = true;
        break;
      }
      values[collected++] = SixBits(c);
      if (collected == kBatch) {
        destination->Write(out, DecodeValues(values, collected, out));
        collected = 0;
      }
    }
  }
  // A text that stops without its end mark keeps its tail all the same.
  destination->Write(out, DecodeValues(values, collected, out));
  return true;
}
