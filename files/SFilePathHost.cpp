// The host side of SFilePath, for the sanitizer and fuzzer builds: POSIX
// files know no share modes, so every open is shared.
#include "files/SFilePath.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Paths that SPath made absolute stand on drive Z:, as Wine sees the host's
// root; back to the host's form.
SString HostPath(const char* path) {
  SString result(path);
  if ((path[0] == 'Z' || path[0] == 'z') && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) {
    result = path + 2;
    for (int i = 0; i < result.GetLength(); i++)
      if (result.GetAt(i) == '\\') result.SetAt(i, '/');
  }
  return result;
}

}  // namespace

FILE* SFilePath::OpenStream(const char* path, const char* mode, bool shared, bool writing) {
  (void)shared, (void)writing;
  FILE* file = fopen(HostPath(path).GetText(), mode);
  // A folder opens for reading here but not on Windows; refuse it alike.
  struct stat info;
  if (file && (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode))) {
    fclose(file);
    return nullptr;
  }
  return file;
}

long SFilePath::StreamLength(FILE* file) {
  struct stat info;
  if (fstat(fileno(file), &info) != 0) return -1;
  return long(info.st_size);
}

bool SFilePath::CutStream(FILE* file, long n) { return ftruncate(fileno(file), n) == 0; }

bool SFilePath::DeleteDiskFile(const char* path) { return unlink(HostPath(path).GetText()) == 0; }
