// File members that open, load and save streams, and those that move in
// them or ask where they stand.
#include <cstdint>

#include "classes/PObjFile.h"
#include "engine/PEngine.h"

namespace {

// A target position computed in 64 bits, held inside what a stream takes; a
// negative one still means "the end".
int ClampPosition(int64_t position) {
  if (position > INT32_MAX) return INT32_MAX;
  if (position < 0) return -1;
  return int(position);
}

// The position a move by delta reaches; any delta a stream could not
// span is cut down first, so that the sum cannot overflow either.
int MovedPosition(int64_t here, int64_t delta) {
  const int64_t reach = int64_t(1) << 40;
  return ClampPosition(here + (delta > reach ? reach : delta < -reach ? -reach : delta));
}

}  // namespace

// ---- Opening and loading -------------------------------------------------------------------
//
// Each of these first closes both streams; a failure leaves none current
// and the caller's preset result untouched.

bool PObjFile::CallOpen(uint16_t member, PArgs* args, PResultCell* result) {
  CloseStreams();
  switch (member) {
    case LOAD_FROM_FILE: return LoadFromFile(GetArgObject(args, 0), result);
    case LOAD_DISK_FILE:
      if (!m_memory.LoadFile(GetArgString(args, 0))) {
        CloseStreams();
        return true;
      }
      m_current = &m_memory;
      return ReturnBool(result, true);
    case LOAD_RESOURCE:
      // No resource type: a name finds something only with its folder.
      m_memory.Allocate(0);
      if (!GetEngine()->LoadResource(&m_memory, GetArgString(args, 0), -1)) {
        CloseStreams();
        return true;
      }
      m_memory.Rewind();
      m_current = &m_memory;
      return ReturnBool(result, true);
    case ALLOCATE: {
      int64_t size = GetArgInt64(args, 0);
      if (m_memory.Allocate(size < 0 ? 0 : size > INT32_MAX ? INT32_MAX : int(size)))
        m_current = &m_memory;
      return true;
    }
    case OPEN:
      if (!m_disk.Open(GetArgString(args, 0), GetArgBool(args, 1), GetArgBool(args, 2), true))
        return true;
      m_current = &m_disk;
      return ReturnBool(result, true);
    case OPEN_TEMPORARY:
      if (!m_disk.OpenTemporary()) return true;
      m_current = &m_disk;
      return ReturnBool(result, true);
    default: return true;
  }
}

// The source's rest becomes this File's memory stream. The source is tested
// after this File closed, so a File loading itself finds nothing to load.
bool PObjFile::LoadFromFile(PObject* source, PResultCell* result) {
  if (IsFileArgInvalid(source)) return true;
  SFile* from = static_cast<PObjFile*>(source)->GetStream();
  // Sized before the copy, so that an empty rest still gives an open stream.
  if (!m_memory.Allocate(0)) return true;
  int wanted = from->GetRemaining();
  int copied = from->CopyTo(&m_memory, -1);
  m_memory.Rewind();
  m_current = &m_memory;
  return ReturnBool(result, copied == wanted);
}

// ---- Saving ---------------------------------------------------------------------------------

// The whole stream into a new disk file, the position kept. The file's own
// length is checked at the end: a write that the disk refused late (when the
// buffer was flushed) shows there and must not count as saved.
bool PObjFile::SaveTo(const char* path, PResultCell* result) {
  SFilePath file;
  if (!file.Open(path, true, true, true)) return true;
  int position = m_current->GetPosition();
  m_current->Rewind();
  int written = m_current->CopyTo(&file, -1);
  m_current->Seek(position);
  int size = m_current->GetSize();
  return ReturnBool(result, written == size && file.GetSize() == size);
}

// ---- Position and size ----------------------------------------------------------------------

bool PObjFile::CallMove(uint16_t member, PArgs* args, PResultCell* result) {
  SFile* s = m_current;
  const int64_t here = s->GetPosition();
  switch (member) {
    case SKIP: return ReturnInt64(result, s->Seek(MovedPosition(here, GetArgInt64(args, 0))));
    case SEEK_BACK: {
      int64_t n = GetArgInt64(args, 0);
      return ReturnInt64(result, s->Seek(MovedPosition(here, n == INT64_MIN ? INT64_MAX : -n)));
    }
    case REWIND: return ReturnInt64(result, s->Rewind());
    case SEEK_TO_END: return ReturnInt64(result, s->SeekToEnd());
    case SEEK: return ReturnInt64(result, s->Seek(ClampPosition(GetArgInt64(args, 0))));
    case GET_POSITION: return ReturnInt64(result, s->GetPosition());
    case GET_REMAINING: return ReturnInt64(result, s->GetRemaining());
    case GET_SIZE: return ReturnInt64(result, s->GetSize());
    case IS_END: return ReturnBool(result, s->IsEnd());
    case IS_MEMORY: return ReturnBool(result, s->IsMemory());
    case GET_PATH: return ReturnString(result, s->IsMemory() ? "" : m_disk.GetPath().GetText());
    // A negative size is refused rather than read as "empty".
    case SET_SIZE: {
      int64_t size = GetArgInt64(args, 0);
      return ReturnBool(result, size >= 0 && size <= INT32_MAX && s->SetSize(int(size)));
    }
    case SAVE: return SaveTo(GetArgString(args, 0), result);
    default: return true;
  }
}
