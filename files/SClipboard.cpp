#include "files/SClipboard.h"

#include <cstdint>
#include <cstring>

#include "files/SFile.h"

namespace {

// The clipboard open for the span of one operation.
class OpenedClipboard {
 public:
  OpenedClipboard() : m_open(OpenClipboard(nullptr) != 0) {}
  ~OpenedClipboard() {
    if (m_open) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;

  bool IsOpen() const { return m_open; }

 private:
  bool m_open;
};

// Global memory that is freed unless the clipboard has taken it.
class ClipboardMemory {
 public:
  explicit ClipboardMemory(SIZE_T size) : m_handle(GlobalAlloc(GMEM_MOVEABLE, size)) {}
  ~ClipboardMemory() {
    if (m_handle) GlobalFree(m_handle);
  }
  ClipboardMemory(const ClipboardMemory&) = delete;
  ClipboardMemory& operator=(const ClipboardMemory&) = delete;

  bool IsValid() const { return m_handle != nullptr; }
  uint8_t* Lock() { return static_cast<uint8_t*>(GlobalLock(m_handle)); }
  void Unlock() { GlobalUnlock(m_handle); }
  // After a successful hand-over the clipboard owns the memory.
  bool HandOver(UINT format) {
    if (!SetClipboardData(format, m_handle)) return false;
    m_handle = nullptr;
    return true;
  }

 private:
  HGLOBAL m_handle;
};

// The locked bytes of one clipboard format, with the size of their block.
class ClipboardBlock {
 public:
  explicit ClipboardBlock(UINT format) : m_handle(format ? GetClipboardData(format) : nullptr) {
    if (m_handle) {
      m_size = GlobalSize(m_handle);
      m_bytes = static_cast<const uint8_t*>(GlobalLock(m_handle));
    }
  }
  ~ClipboardBlock() {
    if (m_bytes) GlobalUnlock(m_handle);
  }
  ClipboardBlock(const ClipboardBlock&) = delete;
  ClipboardBlock& operator=(const ClipboardBlock&) = delete;

  const uint8_t* GetBytes() const { return m_bytes; }  // null when absent
  SIZE_T GetSize() const { return m_bytes ? m_size : 0; }
  // The 32-bit little-endian field at offset, if the block holds it.
  bool ReadUint32(SIZE_T offset, uint32_t& value) const {
    if (!m_bytes || m_size < offset + 4) return false;
    const uint8_t* p = m_bytes + offset;
    value = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return true;
  }

 private:
  HANDLE m_handle;
  SIZE_T m_size = 0;
  const uint8_t* m_bytes = nullptr;
};

// Opens and empties the clipboard, then hands it the memory filled by fill
// (given the locked bytes); the memory is freed on any failure.
template <class Fill>
bool PutOnClipboard(UINT format, SIZE_T size, Fill fill) {
  if (format == 0) return false;
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
  ClipboardMemory memory(size);
  if (!memory.IsValid()) return false;
  uint8_t* bytes = memory.Lock();
  if (!bytes) return false;
  bool filled = fill(bytes);
  memory.Unlock();
  return filled && memory.HandOver(format);
}

void StoreUint32(uint8_t* p, uint32_t value) {
  p[0] = uint8_t(value);
  p[1] = uint8_t(value >> 8);
  p[2] = uint8_t(value >> 16);
  p[3] = uint8_t(value >> 24);
}

// The RIFF data's whole size by its header, 0 when the block is shorter.
SIZE_T WaveSize(const ClipboardBlock& block) {
  uint32_t chunk;
  if (!block.ReadUint32(4, chunk)) return 0;
  uint64_t size = uint64_t(chunk) + 8;
  return size <= block.GetSize() && size <= 0x7FFFFFFF ? SIZE_T(size) : 0;
}

}  // namespace

SClipboard::~SClipboard() {}

UINT SClipboard::GetDataFormat() {
  // A format of the framework's own: the predefined ids belong to other
  // programs' data.
  static const UINT format = RegisterClipboardFormatA("TAVRIN DATA");
  return format;
}

// ---- Text ------------------------------------------------------------------------------

bool SClipboard::SetText(const char* text) {
  if (!text) text = "";
  SIZE_T size = strlen(text) + 1;
  return PutOnClipboard(CF_TEXT, size, [&](uint8_t* bytes) {
    memcpy(bytes, text, size);
    return true;
  });
}

SString SClipboard::GetText() {
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen()) return SString("");
  ClipboardBlock block(CF_TEXT);
  if (!block.GetBytes()) return SString("");
  // Another program's text need not end inside its block.
  const char* text = reinterpret_cast<const char*>(block.GetBytes());
  SString result("");
  result.Assign(text, int(strnlen(text, block.GetSize())));
  return result;
}

// ---- Data blocks -----------------------------------------------------------------------

bool SClipboard::SetData(int n, SFile* stream) {
  if (!stream || n == 0) return false;
  int left = stream->GetRemaining();
  if (n < 0) n = left;
  if (n <= 0 || n > left) return false;
  return PutOnClipboard(GetDataFormat(), SIZE_T(n) + 5, [&](uint8_t* bytes) {
    int read = stream->Read(bytes + 4, n);
    if (read <= 0) return false;
    StoreUint32(bytes, uint32_t(read));
    bytes[4 + read] = 0;
    return true;
  });
}

int SClipboard::GetData(SFile* stream) {
  if (!stream) return 0;
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen()) return 0;
  ClipboardBlock block(GetDataFormat());
  uint32_t n;
  if (!block.ReadUint32(0, n)) return 0;
  // The count must stay inside the block.
  if (n > block.GetSize() - 4 || n > 0x7FFFFFFF) return 0;
  return stream->Write(block.GetBytes() + 4, int(n));
}

// ---- Bitmaps ----------------------------------------------------------------------------

bool SClipboard::SetBitmap(HBITMAP bitmap) {
  if (!bitmap) return false;
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
  return SetClipboardData(CF_BITMAP, bitmap) != nullptr;
}

HBITMAP SClipboard::GetBitmap() {
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen()) return nullptr;
  return static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
}

// ---- RIFF sound -------------------------------------------------------------------------

bool SClipboard::SetWave(int n, const void* data) {
  if (!data || n <= 0) return false;
  return PutOnClipboard(CF_RIFF, SIZE_T(n), [&](uint8_t* bytes) {
    memcpy(bytes, data, SIZE_T(n));
    return true;
  });
}

int SClipboard::GetWaveSize() {
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen()) return 0;
  return int(WaveSize(ClipboardBlock(CF_RIFF)));
}

bool SClipboard::GetWave(void* buffer, int bufferSize) {
  if (!buffer) return false;
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen()) return false;
  ClipboardBlock block(CF_RIFF);
  SIZE_T size = WaveSize(block);
  if (size == 0 || bufferSize < 0 || size > SIZE_T(bufferSize)) return false;
  memcpy(buffer, block.GetBytes(), size);
  return true;
}
