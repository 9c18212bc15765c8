#include "files/SResource.h"

#include "files/SFilePath.h"

namespace {

const int kIgnoreCase = 2;  // compare-mode bit of string arrays
const int32_t kEndOfList = -1;

// Opens the pack file as every reader does: read-only, denying others nothing.
bool OpenPack(SFilePath& file, const SPath& path) {
  return file.Open(path.GetFullPath().GetText(), false, false, true, true);
}

// The next stored size; false when the file does not hold all four bytes.
bool ReadSize(SFile& file, int32_t& size) {
  uint8_t bytes[4];
  if (file.ReadBytes(bytes, 4) != 4) return false;
  size = int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                 uint32_t(bytes[3]) << 24);
  return true;
}

}  // namespace

SResource::SResource() : m_compressed(false) { m_names.SetCompareMode(kIgnoreCase); }

SResource::~SResource() {}

bool SResource::SetKey(SFile* key) {
  if (!key) return false;
  m_key.Allocate(0);
  key->CopyTo(&m_key, -1);
  return true;
}

void SResource::Close() {
  m_packPath.Set("");
  m_compressed = false;
  // Purge, not FreeStorage: that would also forget the ignore-case mode.
  m_names.Purge();
  m_offsets.RemoveAll();
  m_sizes.RemoveAll();
}

bool SResource::Open(const char* path, int start) {
  Close();
  m_packPath.Set(path);
  if (!m_packPath.IsValid() || !m_packPath.IsFile()) return false;

  SFilePath file;
  if (!OpenPack(file, m_packPath)) {
    Close();
    return false;
  }
  if (start > 0) file.Seek(start);
  if (uint32_t(file.ReadInt()) != kMagic) return false;
  m_compressed = (file.ReadInt() & 0xFF) != 0;

  int size = file.GetSize();
  for (;;) {
    int32_t stored;
    if (!ReadSize(file, stored)) return false;  // no terminator
    if (stored == kEndOfList) return true;
    // A size below -1 would send the listing backwards, and one that runs
    // past the file would hand readers whatever follows: both end the list.
    if (stored < 0) return false;
    SString name = file.ReadZString(true);
    int offset = file.GetPosition();
    if (stored > size - offset) return false;
    m_names.Add(name.GetText());
    m_offsets.Add(offset);
    m_sizes.Add(stored);
    file.Seek(offset + stored);
  }
}

bool SResource::Read(SFile* destination, const char* name, bool rewind) {
  if (!destination || !m_packPath.IsValid()) return false;
  int i = m_names.Find(name ? name : "");
  if (i < 0) return false;

  SFilePath file;
  if (!OpenPack(file, m_packPath)) return false;
  int stored = m_sizes.GetAt(i);
  if (file.Seek(m_offsets.GetAt(i)) != m_offsets.GetAt(i) || file.GetRemaining() < stored)
    return false;

  bool scrambled = m_key.GetSize() > 0;
  if (!scrambled && !m_compressed) {
    file.CopyTo(destination, stored);
  } else {
    SFileMem data;
    data.Allocate(0);
    if (scrambled) file.UnscrambleWithKey(&m_key, stored, &data);
    else file.CopyTo(&data, stored);
    data.Rewind();
    if (!m_compressed) {
      data.CopyTo(destination, -1);
    } else {
      // Unpacked aside first, so that damaged data leaves the destination
      // as it was.
      SFileMem resource;
      resource.Allocate(0);
      if (data.DecompressBlocks(&resource) < 0) return false;
      resource.Rewind();
      resource.CopyTo(destination, -1);
    }
  }
  if (rewind) destination->Rewind();
  return true;
}
