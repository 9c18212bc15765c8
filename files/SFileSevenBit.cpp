// SevenBitText: printable bytes for arbitrary data. Every group of up to 7
// bytes is read as a run of bits, most significant first, and cut into 7-bit
// values (the last one filled with zero bits on the right); each value plus
// 32 is one character, 32 to 159. A byte 255 ends the text.
//
// The decoder stops for good at that 255: whatever follows it in the stream
// belongs to someone else and is left unread.
#include "files/SFile.h"

#include <cstdint>

namespace {

const int kGroup = 7;
const int kReadBytes = 64 * kGroup;
const int kReadChars = 64 * (kGroup + 1);
const uint8_t kEnd = 255;

// Encodes 1 to 7 bytes as n + 1 characters; answers the count.
int EncodeGroup(const uint8_t* in, int n, uint8_t* out) {
  uint32_t bits = 0;
  int held = 0;
  int made = 0;
  for (int i = 0; i < n; i++) {
    bits = (bits << 8 | in[i]) & 0x7FFF;
    held += 8;
    while (held >= 7) {
      held -= 7;
      out[made++] = uint8_t(((bits >> held) & 127) + 32);
    }
  }
  if (held > 0) out[made++] = uint8_t(((bits << (7 - held)) & 127) + 32);
  return made;
}

// A memory destination is sized once for the whole output, and cut back to
// what was written at the end, so that it does not grow step by step.
class PreGrow {
 public:
  PreGrow(SFile* destination, int64_t extra)
      : m_destination(destination->IsMemory() ? destination : nullptr),
        m_oldSize(destination->GetSize()) {
    if (!m_destination) return;
    int64_t wanted = int64_t(destination->GetPosition()) + extra;
    if (wanted > m_oldSize && wanted <= INT32_MAX) m_destination->SetSize(int(wanted));
  }
  ~PreGrow() {
    if (!m_destination) return;
    int position = m_destination->GetPosition();
    m_destination->SetSize(position > m_oldSize ? position : m_oldSize);
  }

 private:
  SFile* m_destination;
  int m_oldSize;
};

}  // namespace

bool SFile::Encode7Bit(SFile* destination) {
  if (!destination) return false;
  PreGrow grow(destination, int64_t(GetRemaining()) * 8 / 7 + 10);
  uint8_t in[kReadBytes];
  uint8_t out[kReadChars];
  while (!IsEnd()) {
    int got = Read(in, kReadBytes);
    if (got <= 0) break;
    int n = 0;
    for (int i = 0; i < got; i += kGroup)
      n += EncodeGroup(in + i, got - i < kGroup ? got - i : kGroup, out + n);
    destination->Write(out, n);
  }
  destination->WriteByte(kEnd);
  return true;
}

bool SFile::Decode7Bit(SFile* destination) {
  if (!destination) return false;
  PreGrow grow(destination, int64_t(GetRemaining()) * 7 / 8);
  uint8_t in[kReadChars];
  uint8_t out[kReadBytes];
  bool ended = false;
  while (!ended && !IsEnd()) {
    int got = Read(in, kReadChars);
    if (got <= 0) break;
    int n = 0;
    int end = got;
    for (int g = 0; g < got && !ended; g += kGroup + 1) {
      if (in[g] == kEnd) {
        end = g;
        ended = true;
        break;
      }
      for (int j = 0; j < kGroup && g + j + 1 < got; j++) {
        uint8_t next = in[g + j + 1];
        if (next == kEnd) {
          end = g + j + 1;
          ended = true;
          break;
        }
        // In 8 bits, so that stray bytes below 32 wrap instead of going negative.
        uint8_t high = uint8_t(in[g + j] - 32), low = uint8_t(next - 32);
        out[n++] = uint8_t(high << (j + 1) | low >> (6 - j));
      }
    }
    destination->Write(out, n);
    // Leave the stream just past the end mark.
    if (ended) SeekBack(got - end - 1);
  }
  return true;
}
