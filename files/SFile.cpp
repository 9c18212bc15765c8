// SFile: the operations every stream shares, built on the virtual slots.
#include "files/SFile.h"

#include <cstring>

#include "files/SFileMem.h"

namespace {

// Chunk sizes of the copy and fill loops.
const int kCopyChunk = 256;
const int kFillChunk = 100;

}  // namespace

SFile::~SFile() {}

// ---- Shared slot implementations -------------------------------------------------

int SFile::WriteBytes(const void* bytes, int n) { return Write(bytes, n); }

int SFile::WriteString(const char* text, int n) {
  if (!text) return 0;
  if (n < 0) n = static_cast<int>(std::strlen(text));
  return Write(text, n);
}

int SFile::WriteInt(int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  const uint8_t bytes[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  return WriteBytes(bytes, 4);
}

int SFile::ReadBytes(void* buffer, int n) { return Read(buffer, n); }

int32_t SFile::ReadInt() {
  uint8_t bytes[4] = {0, 0, 0, 0};  // what is not there reads as 0
  ReadBytes(bytes, 4);
  return static_cast<int32_t>(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                              uint32_t(bytes[3]) << 24);
}

SString SFile::ReadLineWithEnd(bool keepBlanks, int max) {
  bool ended = false;
  SString line = ReadLine(keepBlanks, max, &ended);
  if (ended) line += "\r\n";
  return line;
}

int SFile::GetRemaining() const { return GetSize() - GetPosition(); }

int SFile::FindString(const char* text, bool returnEnd) {
  if (!text) return -1;
  return Find(text, static_cast<int>(std::strlen(text)), returnEnd);
}

// ---- Single bytes and texts -------------------------------------------------------------

int SFile::ReadByte() {
  if (IsEnd()) return -1;
  uint8_t byte = 0;
  if (ReadBytes(&byte, 1) != 1) return -1;
  return byte;
}

int SFile::WriteByte(uint8_t byte) { return WriteBytes(&byte, 1); }

int SFile::WriteText(const char* text) {
  if (!text) text = "";
  return WriteString(text, static_cast<int>(std::strlen(text)) + 1);
}

// ---- Copy and fill -------------------------------------------------------------------------

int SFile::CopyTo(SFile* destination, int n) {
  if (!destination) return 0;
  int count = GetRemaining();
  if (n >= 0 && n < count) count = n;
  if (count <= 0) return 0;

  // A memory destination is grown once up front, then cut back to what the
  // copy really reached, so a short copy leaves no tail behind.
  SFileMem* memory = destination->IsMemory() ? static_cast<SFileMem*>(destination) : nullptr;
  int sizeBefore = destination->GetSize();
  if (memory) {
    int64_t reach = int64_t(memory->GetPosition()) + count;
    if (reach > sizeBefore && reach <= INT32_MAX) memory->Resize(static_cast<int>(reach), true);
  }

  int written = 0;
  uint8_t buffer[kCopyChunk];
  for (int done = 0; done < count; done += kCopyChunk) {
    int chunk = count - done < kCopyChunk ? count - done : kCopyChunk;
    if (IsMemory()) {
      // Straight from the buffer; a copy onto itself must not read past it.
      SFileMem* self = static_cast<SFileMem*>(this);
      int available = GetRemaining();
      if (chunk > available) chunk = available;
      if (chunk <= 0) continue;
      int took = destination->Write(self->GetData() + GetPosition(), chunk);
      Skip(took);
      written += took;
    } else {
      int got = Read(buffer, chunk);
      written += destination->Write(buffer, got);
    }
  }

  if (memory) {
    int sizeAfter = memory->GetPosition() > sizeBefore ? memory->GetPosition() : sizeBefore;
    if (memory->GetSize() != sizeAfter) memory->Resize(sizeAfter, true);
  }
  return written;
}

int SFile::Fill(uint8_t byte, int n) {
  if (n <= 0) return 0;
  uint8_t chunk[kFillChunk];
  std::memset(chunk, byte, sizeof chunk);
  int written = 0;
  while (written < n) {
    int size = n - written < kFillChunk ? n - written : kFillChunk;
    int took = Write(chunk, size);
    written += took > 0 ? took : 0;
    if (took != size) break;
  }
  return written;
}
