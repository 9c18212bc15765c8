// Host stand-ins for the SDisk services that the pure stream code needs, so
// that temporary files work in the sanitizer and fuzzer builds.
#include "files/SDisk.h"

#include <cstdlib>
#include <unistd.h>

SString SDisk::GetTempFolder() {
  const char* folder = getenv("TMPDIR");
  SString result(folder && *folder ? folder : "/tmp");
  if (result.GetAt(result.GetLength() - 1) != '/') result += "/";
  return result;
}

SString SDisk::MakeTempFileName() {
  SString name = GetTempFolder() + "tmpXXXXXX";
  int fd = mkstemp(name.GetBuffer());
  if (fd < 0) return SString();
  close(fd);
  return name;
}

bool SDisk::DeleteFile(const char* path) { return path && unlink(path) == 0; }
