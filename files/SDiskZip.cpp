// SDisk::WriteZip: packs files into a new ZIP archive in the format's
// simplest form (one disk, no encryption, descriptors, extra fields or
// comments, 32-bit sizes), each file deflated.
//
// Files are streamed through zlib's deflate in chunks rather than read
// whole, so an archive can hold files far larger than the address space
// leaves room for. The local header is written first with a placeholder
// for the packed size and patched once the data is out.
#include "files/SDisk.h"

#include <vector>

#include <zlib.h>

#include "core/SHash.h"
#include "core/SStringArray.h"
#include "files/SFilePath.h"
#include "files/SPath.h"

namespace {

const uint32_t kLocalHeaderSignature = 0x04034b50;
const uint32_t kCentralEntrySignature = 0x02014b50;
const uint32_t kEndRecordSignature = 0x06054b50;
const int kVersionNeeded = 20;
const int kMethodDeflate = 8;
const int kCrcOffset = 14;  // in the local header, followed by both sizes
const int kChunk = 64 * 1024;

struct ZipEntry {
  SString name;
  uint32_t crc;
  uint32_t packedSize;
  uint32_t size;
  uint32_t headerOffset;
};

// Little-endian fields, whatever the host.
class FieldWriter {
 public:
  explicit FieldWriter(SFile& out) : m_out(out), m_ok(true) {}
  void U16(uint32_t v) { Bytes({uint8_t(v), uint8_t(v >> 8)}); }
  void U32(uint32_t v) { Bytes({uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}); }
  void Text(const SString& s) {
    if (s.GetLength() > 0) m_ok &= m_out.Write(s.GetText(), s.GetLength()) == s.GetLength();
  }
  bool Ok() const { return m_ok; }

 private:
  void Bytes(std::initializer_list<uint8_t> b) {
    m_ok &= m_out.Write(b.begin(), int(b.size())) == int(b.size());
  }
  SFile& m_out;
  bool m_ok;
};

// The file's path from part number skip on, joined with '/': the ZIP format
// allows no backslash in a name.
SString StoredName(const char* path, int skip) {
  return SPath(path).GetParts(skip < 0 ? 0 : skip, -1, false, '/');
}

void WriteLocalHeader(FieldWriter& w, const ZipEntry& e) {
  w.U32(kLocalHeaderSignature);
  w.U16(kVersionNeeded);
  w.U16(0);  // flags
  w.U16(kMethodDeflate);
  w.U16(0);  // time
  w.U16(0);  // date
  w.U32(e.crc);
  w.U32(e.packedSize);
  w.U32(e.size);
  w.U16(uint32_t(e.name.GetLength()));
  w.U16(0);  // extra field length
  w.Text(e.name);
}

void WriteCentralEntry(FieldWriter& w, const ZipEntry& e) {
  w.U32(kCentralEntrySignature);
  w.U16(0);  // version made by
  w.U16(kVersionNeeded);
  w.U16(0);  // flags
  w.U16(kMethodDeflate);
  w.U16(0);  // time
  w.U16(0);  // date
  w.U32(e.crc);
  w.U32(e.packedSize);
  w.U32(e.size);
  w.U16(uint32_t(e.name.GetLength()));
  w.U16(0);     // extra field length
  w.U16(0);     // comment length
  w.U16(0);     // disk number start
  w.U16(1);     // internal attributes
  w.U32(0x20);  // external attributes
  w.U32(e.headerOffset);
  w.Text(e.name);
}

// Deflates the rest of in onto out as a raw deflate stream (no zlib header
// or checksum), filling in the entry's CRC-32, size and packed size.
bool DeflateInto(SFile& in, SFile& out, ZipEntry& e) {
  z_stream zs{};
  if (deflateInit2(&zs, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8,
                   Z_DEFAULT_STRATEGY) != Z_OK)
    return false;
  std::vector<uint8_t> input(kChunk), output(kChunk);
  uint32_t reg = SHash::Crc32Begin();
  uint64_t size = 0, packed = 0;
  bool ok = true;
  int flush = Z_NO_FLUSH;
  while (ok && flush != Z_FINISH) {
    int got = in.Read(input.data(), kChunk);
    if (got < 0) got = 0;
    reg = SHash::Crc32Update(reg, input.data(), got);
    size += uint32_t(got);
    flush = got < kChunk ? Z_FINISH : Z_NO_FLUSH;
    zs.next_in = input.data();
    zs.avail_in = uInt(got);
    do {
      zs.next_out = output.data();
      zs.avail_out = kChunk;
      int rc = deflate(&zs, flush);
      if (rc == Z_STREAM_ERROR) {
        ok = false;
        break;
      }
      int have = kChunk - int(zs.avail_out);
      if (have > 0 && out.Write(output.data(), have) != have) ok = false;
      packed += uint32_t(have);
    } while (ok && zs.avail_out == 0);
  }
  deflateEnd(&zs);
  // The format has 32-bit sizes only.
  if (size > 0xFFFFFFFFu || packed > 0xFFFFFFFFu) return false;
  e.crc = SHash::Crc32End(reg);
  e.size = uint32_t(size);
  e.packedSize = uint32_t(packed);
  return ok;
}

// One file: local header, data, then the header's sizes patched in place.
bool AddFile(SFile& archive, const char* path, int skip, ZipEntry& e) {
  SFilePath file;
  if (!file.Open(path, false, false, true)) return false;
  e.name = StoredName(path, skip);
  e.crc = e.packedSize = e.size = 0;
  e.headerOffset = uint32_t(archive.GetPosition());
  FieldWriter w(archive);
  WriteLocalHeader(w, e);
  if (!w.Ok() || !DeflateInto(file, archive, e)) return false;
  int end = archive.GetPosition();
  archive.Seek(int(e.headerOffset) + kCrcOffset);
  w.U32(e.crc);
  w.U32(e.packedSize);
  w.U32(e.size);
  return w.Ok() && archive.Seek(end) == end;
}

}  // namespace

bool SDisk::WriteZip(const char* archivePath, const SStringArray* files, int skip) {
  if (!files || files->GetCount() == 0 || !archivePath || !*archivePath) return false;
  SFilePath archive;
  if (!archive.Open(archivePath, true, true, true)) return false;

  std::vector<ZipEntry> entries(size_t(files->GetCount()));
  bool ok = true;
  for (int i = 0; ok && i < files->GetCount(); i++) {
    const SString* path = files->GetAt(i);
    ok = path && AddFile(archive, path->GetText(), skip, entries[size_t(i)]);
  }
  if (ok) {
    FieldWriter w(archive);
    uint32_t directory = uint32_t(archive.GetPosition());
    for (const ZipEntry& e : entries) WriteCentralEntry(w, e);
    uint32_t directorySize = uint32_t(archive.GetPosition()) - directory;
    w.U32(kEndRecordSignature);
    w.U16(0);  // this disk
    w.U16(0);  // disk of the central directory
    w.U16(uint32_t(entries.size()));
    w.U16(uint32_t(entries.size()));
    w.U32(directorySize);
    w.U32(directory);
    w.U16(0);  // comment length
    ok = w.Ok();
  }
  archive.Close();
  // A file that can't be read, or a write that fails, leaves no archive.
  if (!ok) DeleteFile(archivePath);
  return ok;
}
