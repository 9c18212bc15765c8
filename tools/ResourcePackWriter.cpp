#include "tools/ResourcePackWriter.h"

#include <cstring>

#include "files/SResource.h"

ResourcePackWriter::ResourcePackWriter(SFile* destination, bool compressed, SFile* key)
    : m_destination(destination), m_compressed(compressed), m_ok(destination != nullptr) {
  if (key) {
    key->Rewind();
    key->CopyTo(&m_key, -1);
  }
  if (m_ok)
    m_ok = m_destination->WriteInt(int32_t(SResource::kMagic)) == 4 &&
           m_destination->WriteInt(compressed ? 1 : 0) == 4;
}

bool ResourcePackWriter::Add(const char* name, SFile* source) {
  if (!m_ok || !name || !source) return false;
  SFileMem stored;
  stored.Allocate(0);
  if (m_compressed) {
    if (source->CompressBlocks(&stored, -1) < 0) return m_ok = false;
  } else {
    source->CopyTo(&stored, -1);
  }
  // The key starts afresh at every entry, as the reader expects.
  if (m_key.GetSize() > 0) {
    stored.Rewind();
    stored.ScrambleWithKey(&m_key, -1, nullptr);
  }
  int size = stored.GetSize();
  int nameLength = int(strlen(name)) + 1;
  stored.Rewind();
  m_ok = m_destination->WriteInt(size) == 4 && m_destination->WriteText(name) == nameLength &&
         stored.CopyTo(m_destination, -1) == size;
  return m_ok;
}

bool ResourcePackWriter::Finish() {
  m_ok = m_ok && m_destination->WriteInt(-1) == 4;
  return m_ok;
}
