// Splitting a stream into part files of a fixed size, one per given path.
#include "core/SStringArray.h"
#include "files/SFile.h"
#include "files/SFilePath.h"

int SFile::SplitToFiles(const SStringArray* paths, int partSize) {
  if (!paths || partSize <= 0 || IsEnd()) return 0;
  int parts = 0;
  while (parts < paths->GetCount() && !IsEnd()) {
    SString path = paths->GetString(parts);
    if (path.GetLength() == 0) break;
    SFilePath part;
    if (!part.Open(path.GetText(), true, true, false)) break;
    CopyTo(&part, partSize);
    part.Close();
    parts++;
  }
  return parts;
}
