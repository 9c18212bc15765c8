// SFileMem: sizing, file transfer, gaps, and the SFile operations over a
// memory buffer.
#include "files/SFileMem.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/SHash.h"

namespace {

// The largest size whose capacity (2^30) the signed capacity field can hold.
const int64_t kMaxSize = int64_t(1) << 30;

int32_t CapacityFor(int64_t n) {
  int32_t capacity = 256;
  while (capacity < n) capacity <<= 1;
  return capacity;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

SFileMem::SFileMem() : SFile(true), m_data(nullptr), m_size(0), m_capacity(0), m_position(0) {}

SFileMem::~SFileMem() { std::free(m_data); }

// ---- Sizing ------------------------------------------------------------------------

bool SFileMem::SizeBuffer(int64_t n, int kept) {
  if (n < 0) n = 0;
  if (n > kMaxSize) return false;
  int32_t capacity = CapacityFor(n);
  int32_t old = m_size;
  if (!m_data || capacity != m_capacity) {
    auto buffer = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(capacity)));
    if (!buffer) std::abort();  // the stream assumes memory is available
    if (kept > n) kept = static_cast<int>(n);
    if (m_data && kept > 0) std::memcpy(buffer, m_data, static_cast<size_t>(kept));
    std::free(m_data);
    m_data = buffer;
    m_capacity = capacity;
    old = m_data && kept > 0 ? kept : 0;
  }
  // Bytes the stream gains read as 0 rather than as stale heap memory.
  if (n > old) std::memset(m_data + old, 0, static_cast<size_t>(n - old));
  m_size = static_cast<int32_t>(n);
  if (m_position > m_size) m_position = m_size;
  return true;
}

bool SFileMem::Allocate(int n) {
  if (!SizeBuffer(n, 0)) return false;
  Rewind();
  return true;
}

bool SFileMem::Resize(int n, bool keep) { return SizeBuffer(n, keep ? m_size : 0); }

bool SFileMem::SetSize(int n) { return Resize(n, true); }

uint8_t* SFileMem::MakeRoom(int n, const void*& source) {
  int64_t end = int64_t(m_position) + n;
  if (end > m_size || !m_data) {
    // The source may be this stream's own bytes, which a new buffer moves.
    auto at = static_cast<const uint8_t*>(source);
    bool inside = m_data && at >= m_data && at < m_data + m_capacity;
    std::ptrdiff_t offset = inside ? at - m_data : 0;
    if (!SizeBuffer(end, m_size)) return nullptr;
    if (inside) source = m_data + offset;
  }
  return m_data + m_position;
}

// ---- Files ---------------------------------------------------------------------------

bool SFileMem::LoadFile(const char* path) {
  if (!path || !*path) return false;
  FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  long length = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) length = std::ftell(file);
  bool ok = length >= 0 && length <= kMaxSize && std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    Allocate(static_cast<int>(length));
    size_t read = length > 0 ? std::fread(m_data, 1, static_cast<size_t>(length), file) : 0;
    // A file that shrank under the read keeps only what arrived.
    if (read < static_cast<size_t>(length)) Resize(static_cast<int>(read), true);
  }
  std::fclose(file);
  Rewind();
  return ok;
}

bool SFileMem::SaveFile(const char* path) {
  if (!path || !*path) return false;
  FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  bool ok = true;
  if (m_size > 0) ok = std::fwrite(m_data, 1, static_cast<size_t>(m_size), file) == static_cast<size_t>(m_size);
  // A full disk shows itself at the write or at the final flush.
  if (std::fclose(file) != 0) ok = false;
  return ok;
}

// ---- Gaps ---------------------------------------------------------------------------------

bool SFileMem::InsertSpace(int n) {
  if (n <= 0) return false;
  int64_t size = int64_t(m_size) + n;
  if (size > kMaxSize) return false;
  auto buffer = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(CapacityFor(size))));
  if (!buffer) std::abort();
  if (m_position > 0) std::memcpy(buffer, m_data, static_cast<size_t>(m_position));
  std::memset(buffer + m_position, 0, static_cast<size_t>(n));
  if (m_size > m_position)
    std::memcpy(buffer + m_position + n, m_data + m_position, static_cast<size_t>(m_size - m_position));
  std::free(m_data);
  m_data = buffer;
  m_capacity = CapacityFor(size);
  m_size = static_cast<int32_t>(size);
  return true;
}

bool SFileMem::RemoveBytes(int n) {
  if (n <= 0 || int64_t(m_position) + n > m_size) return false;
  int32_t size = m_size - n;
  auto buffer = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(CapacityFor(size))));
  if (!buffer) std::abort();
  if (m_position > 0) std::memcpy(buffer, m_data, static_cast<size_t>(m_position));
  if (size > m_position)
    std::memcpy(buffer + m_position, m_data + m_position + n, static_cast<size_t>(size - m_position));
  std::free(m_data);
  m_data = buffer;
  m_capacity = CapacityFor(size);
  m_size = size;
  return true;
}

// ---- State and digests -----------------------------------------------------------------------

void SFileMem::Close() {
  std::free(m_data);
  m_data = nullptr;
  m_size = m_capacity = m_position = 0;
}

bool SFileMem::GetCrc32(uint32_t& crc) { return SHash::Crc32Memory(this, crc); }

SString SFileMem::GetMd5() { return SHash::Md5Memory(this); }

SString SFileMem::GetSha1() { return SHash::Sha1Memory(this); }

// ---- Writes ------------------------------------------------------------------------------------

int SFileMem::Write(const void* bytes, int n) {
  if (n <= 0 || !bytes) return 0;
  uint8_t* at = MakeRoom(n, bytes);
  if (!at) return 0;
  std::memmove(at, bytes, static_cast<size_t>(n));
  m_position += n;
  return n;
}

int SFileMem::WriteUniString(const UniChar* text, int n) {
  if (!text) return 0;
  if (n < 0)
    for (n = 0; text[n];) n++;
  if (n == 0 || n > kMaxSize / 2) return 0;
  const void* source = text;
  uint8_t* at = MakeRoom(2 * n, source);
  if (!at) return 0;
  text = static_cast<const UniChar*>(source);
  if (at > reinterpret_cast<const uint8_t*>(text)) {
    // Moving a text up inside the buffer: from the end, so no unit is
    // overwritten before it is read.
    for (int i = n - 1; i >= 0; i--) {
      UniChar c = text[i];
      at[2 * i] = uint8_t(c);
      at[2 * i + 1] = uint8_t(c >> 8);
    }
  } else {
    for (int i = 0; i < n; i++) {
      UniChar c = text[i];
      at[2 * i] = uint8_t(c);
      at[2 * i + 1] = uint8_t(c >> 8);
    }
  }
  m_position += 2 * n;
  return 2 * n;
}

int SFileMem::WriteLine(const char* text) {
  if (!text) text = "";
  int64_t length = static_cast<int64_t>(std::strlen(text));
  if (length + 2 > kMaxSize) return 0;
  const void* source = text;
  uint8_t* at = MakeRoom(static_cast<int>(length) + 2, source);
  if (!at) return 0;
  std::memmove(at, source, static_cast<size_t>(length));
  at[length] = '\r';
  at[length + 1] = '\n';
  m_position += static_cast<int32_t>(length) + 2;
  return static_cast<int>(length) + 2;
}

// ---- Reads ---------------------------------------------------------------------------------------

int SFileMem::Read(void* buffer, int n) {
  if (n <= 0 || m_position >= m_size || !buffer) return 0;
  if (n > m_size - m_position) n = m_size - m_position;
  std::memcpy(buffer, m_data + m_position, static_cast<size_t>(n));
  m_position += n;
  return n;
}

SString SFileMem::ReadString(int n) {
  int remaining = m_size - m_position;
  if (n < 0 || n > remaining) n = remaining;
  SString text;
  if (n <= 0) {
    text.Assign("");
    return text;
  }
  text.Assign(reinterpret_cast<const char*>(m_data + m_position), n);
  m_position += n;
  return text;
}

SUniString SFileMem::ReadUniString(int n) {
  int units = (m_size - m_position) / 2;
  if (n < 0 || n > units) n = units;
  SUniString text(u"");
  if (n <= 0) return text;
  text.SetLength(n, false);
  UniChar* out = text.GetBuffer();
  const uint8_t* in = m_data + m_position;
  for (int i = 0; i < n; i++) out[i] = UniChar(in[2 * i] | in[2 * i + 1] << 8);
  m_position += 2 * n;
  return text;
}

SString SFileMem::ReadLine(bool keepBlanks, int max, bool* ended) {
  if (ended) *ended = false;
  SString line("");
  if (max == 0) return line;
  int start = m_position, end = m_position;
  bool brokenByCrLf = false;
  while (end < m_size) {
    if (max > 0 && end - start >= max) break;
    if (m_data[end] == '\r' && end + 1 < m_size && m_data[end + 1] == '\n') {
      brokenByCrLf = true;
      break;
    }
    end++;
  }
  m_position = brokenByCrLf ? end + 2 : end;
  if (ended) *ended = brokenByCrLf;
  const char* text = reinterpret_cast<const char*>(m_data);
  if (!keepBlanks) {
    while (start < end && IsBlank(text[start])) start++;
    while (end > start && IsBlank(text[end - 1])) end--;
  }
  if (end > start) line.Assign(text + start, end - start);
  return line;
}

SString SFileMem::ReadZString(bool wanted) {
  int remaining = m_size - m_position;
  const void* nul = remaining > 0 ? std::memchr(m_data + m_position, 0, static_cast<size_t>(remaining)) : nullptr;
  int length = nul ? static_cast<int>(static_cast<const uint8_t*>(nul) - (m_data + m_position)) : remaining;
  SString text("");
  if (wanted)
    text = ReadString(length);
  else
    m_position += length;
  if (m_position < m_size) m_position++;  // past the NUL
  return text;
}

// ---- Position and search -------------------------------------------------------------------------

int SFileMem::Seek(int position) {
  if (position < 0 || position > m_size) position = m_size;
  m_position = position;
  return m_position;
}

int SFileMem::Find(const void* bytes, int n, bool returnEnd) {
  if (n <= 0 || !bytes || m_position >= m_size) return -1;
  auto sought = static_cast<const uint8_t*>(bytes);
  // Only starts with all n bytes inside the data can match; the rest of the
  // walk would only move the position on to the end.
  for (int start = m_position; start <= m_size - n; start++) {
    const void* first = std::memchr(m_data + start, sought[0], static_cast<size_t>(m_size - n - start + 1));
    if (!first) break;
    start = static_cast<int>(static_cast<const uint8_t*>(first) - m_data);
    if (std::memcmp(m_data + start, sought, static_cast<size_t>(n)) == 0) {
      m_position = start + n;
      return returnEnd ? start + n : start;
    }
  }
  m_position = m_size;
  return -1;
}
