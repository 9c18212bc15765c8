#include "files/SFilePath.h"

#include <cstring>

#include "core/SHash.h"
#include "files/SDisk.h"

namespace {

// The run-time library's mode for the open flags; null when there is none.
const char* ModeFor(bool write, bool create, bool read) {
  if (read && write) return create ? "w+b" : "r+b";
  if (read) return "rb";
  if (write) return create ? "wb" : "ab";
  return nullptr;
}

bool IsLineEnd(int c) { return c == '\r' || c == '\n'; }

}  // namespace

// ---- Opening and closing ----------------------------------------------------------

SFilePath::SFilePath()
    : m_file(nullptr), m_temporary(false), m_lastAccess(Access::NONE) {}

SFilePath::SFilePath(const char* path, bool write, bool create, bool read) : SFilePath() {
  Open(path, write, create, read, false);
}

SFilePath::~SFilePath() { Close(); }

bool SFilePath::Open(const char* path, bool write, bool create, bool read, bool shared) {
  Close();
  const char* mode = ModeFor(write, create, read);
  if (!path || !*path || !mode) return false;
  m_file = OpenStream(path, mode, shared, write);
  if (!m_file) return false;
  m_path = path;
  m_temporary = false;
  return true;
}

bool SFilePath::OpenTemporary() {
  Close();
  SDisk disk;
  SString name = disk.MakeTempFileName();
  if (name.GetLength() == 0) return false;
  m_file = OpenStream(name.GetText(), "w+b", false, true);
  if (!m_file) {
    // Nobody else knows the name: the empty file would stay behind.
    DeleteDiskFile(name.GetText());
    return false;
  }
  m_tempPath = name;
  m_temporary = true;
  return true;
}

void SFilePath::Close() {
  if (!m_file) return;
  fclose(m_file);
  m_file = nullptr;
  m_lastAccess = Access::NONE;
  if (m_tempPath.GetLength() > 0) DeleteDiskFile(m_tempPath.GetText());
  m_path = "";
  m_tempPath = "";
  m_temporary = false;
}

void SFilePath::Turn(Access next) {
  if (m_lastAccess != Access::NONE && m_lastAccess != next) fseek(m_file, 0, SEEK_CUR);
  m_lastAccess = next;
}

// ---- Digests, of the whole file from its start ----------------------------------

bool SFilePath::GetCrc32(uint32_t& crc) { return SHash::Crc32Stream(this, crc); }

SString SFilePath::GetMd5() { return SHash::Md5Stream(this); }

SString SFilePath::GetSha1() { return SHash::Sha1Stream(this); }

// ---- Writing ------------------------------------------------------------------------

int SFilePath::Write(const void* bytes, int n) {
  if (!m_file || !bytes || n <= 0) return 0;
  Turn(Access::WRITE);
  return int(fwrite(bytes, 1, size_t(n), m_file));
}

int SFilePath::WriteUniString(const UniChar* text, int n) {
  if (!m_file || !text) return 0;
  if (n < 0)
    for (n = 0; text[n]; n++) {}
  int written = 0;
  uint8_t chunk[512];
  for (int done = 0; done < n;) {
    int units = n - done < 256 ? n - done : 256;
    for (int i = 0; i < units; i++) {
      chunk[2 * i] = uint8_t(text[done + i] & 0xFF);
      chunk[2 * i + 1] = uint8_t(text[done + i] >> 8);
    }
    int got = Write(chunk, 2 * units) / 2;
    written += got;
    if (got < units) break;
    done += units;
  }
  return 2 * written;
}

int SFilePath::WriteLine(const char* text) {
  if (!m_file) return 0;
  int written = text ? Write(text, int(strlen(text))) : 0;
  return written + Write("\r\n", 2);
}

// ---- Reading ------------------------------------------------------------------------

int SFilePath::Read(void* buffer, int n) {
  if (!m_file || !buffer || n <= 0) return 0;
  int remaining = GetRemaining();
  if (remaining <= 0) return 0;
  if (n > remaining) n = remaining;
  Turn(Access::READ);
  return int(fread(buffer, 1, size_t(n), m_file));
}

SString SFilePath::ReadString(int n) {
  SString text;
  int remaining = GetRemaining();
  if (n < 0 || n > remaining) n = remaining;
  if (n <= 0) return text;
  text.SetLength(n, false);
  text.SetLength(Read(text.GetBuffer(), n), true);
  return text;
}

SUniString SFilePath::ReadUniString(int n) {
  SUniString text;
  int units = GetRemaining() / 2;
  if (n < 0 || n > units) n = units;
  if (n <= 0) return text;
  text.SetLength(n, false);
  UniChar* out = text.GetBuffer();
  uint8_t chunk[512];
  int got = 0;
  while (got < n) {
    int want = n - got < 256 ? n - got : 256;
    int units = Read(chunk, 2 * want) / 2;
    for (int i = 0; i < units; i++)
      out[got + i] = UniChar(chunk[2 * i] | chunk[2 * i + 1] << 8);
    got += units;
    if (units < want) break;
  }
  text.SetLength(got, true);
  return text;
}

int SFilePath::ReadChar() {
  Turn(Access::READ);
  return fgetc(m_file);
}

SString SFilePath::ReadLine(bool keepBlanks, int max, bool* ended) {
  if (ended) *ended = false;
  SString line;
  if (!m_file || max == 0) return line;
  int counted = 0;
  bool afterCr = false;
  for (;;) {
    int c = ReadChar();
    if (c == EOF) break;
    if (c == '\n' && afterCr) {
      if (ended) *ended = true;
      break;
    }
    afterCr = c == '\r';
    if (IsLineEnd(c)) continue;
    if (c != 0) line.AppendChar(char(c));
    if (max > 0 && ++counted == max) break;
  }
  if (!keepBlanks) line.Trim();
  return line;
}

SString SFilePath::ReadZString(bool wanted) {
  SString text;
  if (!m_file) return text;
  for (int c = ReadChar(); c != EOF && c != 0; c = ReadChar())
    if (wanted) text.AppendChar(char(c));
  return text;
}

// ---- Position and size -----------------------------------------------------------------

int SFilePath::Seek(int position) {
  if (!m_file) return 0;
  int size = GetSize();
  if (position < 0 || position > size) position = size;
  m_lastAccess = Access::NONE;
  if (fseek(m_file, position, SEEK_SET) != 0) return int(ftell(m_file));
  return position;
}

int SFilePath::GetPosition() const {
  if (!m_file) return 0;
  long position = ftell(m_file);
  return position < 0 ? GetSize() : int(position);
}

bool SFilePath::SetSize(int n) {
  if (!m_file || n < 0) return false;
  fflush(m_file);
  m_lastAccess = Access::NONE;
  bool cut = fseek(m_file, n, SEEK_SET) == 0 && CutStream(m_file, n);
  fseek(m_file, n, SEEK_SET);
  return cut;
}

int SFilePath::GetSize() const {
  if (!m_file) return 0;
  // Pending writes count; the length then comes from the file itself, which
  // spares the stream the seeks to its end and back on every read.
  if (m_lastAccess == Access::WRITE) fflush(m_file);
  long size = StreamLength(m_file);
  if (size >= 0) return int(size);
  long position = ftell(m_file);
  fseek(m_file, 0, SEEK_END);
  size = ftell(m_file);
  fseek(m_file, position, SEEK_SET);
  return size < 0 ? 0 : int(size);
}

bool SFilePath::IsEnd() const { return !m_file || GetPosition() == GetSize(); }

// ---- Search --------------------------------------------------------------------------

int SFilePath::Find(const void* bytes, int n, bool returnEnd) {
  if (!m_file || !bytes || n <= 0) return -1;
  const uint8_t* sought = static_cast<const uint8_t*>(bytes);
  while (GetRemaining() >= n) {
    int start = GetPosition();
    int matched = 0;
    while (matched < n && ReadByte() == sought[matched]) matched++;
    if (matched == n) return returnEnd ? start + n : start;
    // Back to one past the candidate start.
    SeekBack(matched);
  }
  return -1;
}
