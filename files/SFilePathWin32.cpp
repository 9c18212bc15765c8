// The Windows side of SFilePath: share modes, file length and deletion.
#include "files/SFilePath.h"

#include <io.h>
#include <share.h>
#include <windows.h>

FILE* SFilePath::OpenStream(const char* path, const char* mode, bool shared, bool writing) {
  // Unshared opens follow the secure-open rule of the run-time library
  // (others may read a file opened for reading only, and nothing else),
  // spelled out because not every msvcrt knows _SH_SECURE.
  int share = shared ? _SH_DENYNO : writing ? _SH_DENYRW : _SH_DENYWR;
  return _fsopen(path, mode, share);
}

long SFilePath::StreamLength(FILE* file) { return _filelength(_fileno(file)); }

bool SFilePath::CutStream(FILE* file, long n) { return _chsize(_fileno(file), n) == 0; }

bool SFilePath::DeleteDiskFile(const char* path) { return DeleteFileA(path) != 0; }
