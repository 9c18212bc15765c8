// Named resources of the application: which pack holds a name, the entry
// path the name stands for, and loading the entry into a memory stream.
#include <cstring>

#include "engine/PEngine.h"
#include "files/SResource.h"

namespace {

const char* const kResourceFolders[] = {
    "id",        "source", "dialog", "menu", "toolbar", "image", "imagelist",
    "wave",      "sound",  "table",  "text", "binary",  "dll",
};
const int kResourceFolderCount = int(sizeof kResourceFolders / sizeof kResourceFolders[0]);

}  // namespace

SResource* PEngine::FindResource(const char* name) const {
  if (!name) return nullptr;
  const char* colon = std::strchr(name, ':');
  if (!colon) return m_resources;
  size_t n = size_t(colon - name);
  for (int i = 0; i < m_namedPacks.GetCount(); i++) {
    const _PNamedPack* pack = m_namedPacks.GetAt(i);
    if (size_t(pack->name.GetLength()) == n && std::strncmp(pack->name.GetText(), name, n) == 0)
      return pack->pack;
  }
  return nullptr;
}

SString PEngine::ResourcePath(const char* name, int type) const {
  if (!FindResource(name)) return SString("");
  if (std::strchr(name, '\\')) return SString(name);
  if (type < 0 || type >= kResourceFolderCount) return SString("");
  const char* colon = std::strchr(name, ':');
  const char* entry = colon ? colon + 1 : name;
  SString path;
  path.Assign(name, int(entry - name));
  path.Append(kResourceFolders[type]).Append("\\").Append(entry);
  return path;
}

bool PEngine::LoadResource(SFileMem* stream, const char* name, int type) const {
  SResource* pack = FindResource(name);
  SString path = ResourcePath(name, type);
  if (!stream || !pack || path.GetLength() == 0) return false;
  // A named pack knows its entries without the pack's prefix.
  const char* colon = std::strchr(path.GetText(), ':');
  return pack->Read(stream, colon ? colon + 1 : path.GetText(), true);
}
