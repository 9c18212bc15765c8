#include "engine/LoadPackage.h"

#include "engine/PEngine.h"
#include "engine/compiler/PSource.h"
#include "files/SDisk.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"
#include "files/SResource.h"
#include "window/FrameworkCommandLine.h"

namespace {

const int kTrailerSize = 20;
const int kKeySize = 32;

struct Trailer {
  int32_t keyOffset;
  int32_t moduleOffset;
  int32_t packOffset;
  int32_t programOffset;
  // The last four bytes are not read.
};

Trailer ReadTrailer(SFile& package) {
  // A file shorter than the trailer seeks to its end and reads zeros.
  package.Seek(package.GetSize() - kTrailerSize);
  Trailer trailer;
  trailer.keyOffset = package.ReadInt();
  trailer.moduleOffset = package.ReadInt();
  trailer.packOffset = package.ReadInt();
  trailer.programOffset = package.ReadInt();
  return trailer;
}

int ReadUInt16(SFile& file) {
  uint8_t bytes[2] = {0, 0};
  file.ReadBytes(bytes, 2);
  return bytes[0] | bytes[1] << 8;
}

// Writes the module libraries to new temporary files, listing each one as
// soon as it exists. False when a temporary file cannot be made, and when
// the entries do not even hold their sizes: a damaged count would otherwise
// fill the temporary folder with up to 65535 empty files before failing.
bool WriteModuleFiles(SFile& package, SDisk* disk, SStringArray* moduleFiles) {
  int count = ReadUInt16(package);
  if (int64_t(count) * 4 > package.GetRemaining()) return false;
  for (int i = 0; i < count; i++) {
    if (package.GetRemaining() < 4) return false;
    SString name = disk->MakeTempFileName();
    SFilePath module;
    if (!module.Open(name.GetText(), true, true, true)) return false;
    int32_t size = package.ReadInt();
    // A negative size is damage, not "the rest of the file".
    if (size > 0) package.CopyTo(&module, size);
    module.Close();
    moduleFiles->Add(name.GetText());
  }
  return true;
}

}  // namespace

bool LoadPackage(SDisk* disk, PEngine* engine, SResource* resources, SStringArray* moduleFiles,
                 bool subApplication) {
  SString path = subApplication ? GetModulePath() : GetExePath();
  SString folder = GetAppFolder();
  return LoadPackageFile(path.GetText(), folder.GetText(), disk, engine, resources, moduleFiles,
                         subApplication);
}

bool LoadPackageFile(const char* path, const char* folder, SDisk* disk, PEngine* engine,
                     SResource* resources, SStringArray* moduleFiles, bool subApplication) {
  SFilePath package;
  if (!package.Open(path, false, false, true, true)) return false;
  Trailer trailer = ReadTrailer(package);

  SFileMem key;
  key.Allocate(0);
  package.Seek(trailer.keyOffset);
  package.CopyTo(&key, kKeySize);

  PSource source;
  package.Seek(trailer.programOffset);
  if (!source.Load(&package, &key)) return false;

  package.Seek(trailer.moduleOffset);
  if (!WriteModuleFiles(package, disk, moduleFiles)) return false;
  package.Close();

  key.Rewind();
  resources->SetKey(&key);
  if (!resources->Open(path, trailer.packOffset)) return false;

  if (!engine->Build(folder, &source, moduleFiles, true, subApplication)) {
    resources->Close();
    engine->Reset();
    return false;
  }
  return true;
}

void DeleteModuleFiles(SDisk* disk, const SStringArray& moduleFiles) {
  for (int i = 0; i < moduleFiles.GetCount(); i++) disk->DeleteFile(moduleFiles.GetString(i).GetText());
}
