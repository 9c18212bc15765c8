// The File class itself: registration, the member table, the two streams'
// lifetime and the dispatch of members to their families.
#include "classes/PObjFile.h"

#include <cstdint>
#include <new>

#include "engine/PObjectDefinition.h"

namespace {

// The StringArray class, by tag: the part files' paths come in one.
constexpr TypeCode kStringArrayType = MakeTypeCode(ORIGIN_BUILTIN, 'A', 'R', 'S');

}  // namespace

PObjFile::PObjFile(PObjectDefinition* definition) : PObject(definition), m_current(nullptr) {}

PObjFile::~PObjFile() { CloseStreams(); }

void PObjFile::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_FILES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("File");
  PObject::Register(definition);
}

bool PObjFile::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode integer = TYPE_INTEGER, string = TYPE_STRING, none = TYPE_VOID;
  const PParamDecl n(integer), text(string), file(kTypeCode);
  const PParamDecl noFile(kTypeCode, nullptr), toEnd(integer, "-1", -1);
  const PParamDecl yes(integer, "true", 1), no(integer, "false", 0);
  const PParamDecl noValue(TYPE_VALUE, nullptr);
  return d->AddMember(MEMBER_FUNCTION, SKIP, integer, {n}) &&
         d->AddMember(MEMBER_FUNCTION, REWIND, integer) &&
         d->AddMember(MEMBER_FUNCTION, GET_CRC32, integer) &&
         d->AddMember(MEMBER_FUNCTION, GET_MD5, string) &&
         d->AddMember(MEMBER_FUNCTION, GET_SHA1, string) &&
         d->AddMember(MEMBER_FUNCTION, CLOSE, none) &&
         d->AddMember(MEMBER_FUNCTION, UNSCRAMBLE, integer, {file, toEnd, noFile}) &&
         d->AddMember(MEMBER_FUNCTION, SCRAMBLE, integer, {file, toEnd, noFile}) &&
         d->AddMember(MEMBER_FUNCTION, SEEK_TO_END, integer) &&
         d->AddMember(MEMBER_FUNCTION, FIND, integer, {text}) &&
         d->AddMember(MEMBER_FUNCTION, DECODE_7BIT, none) &&
         d->AddMember(MEMBER_FUNCTION, GET_POSITION, integer) &&
         d->AddMember(MEMBER_FUNCTION, GET_PATH, string) &&
         d->AddMember(MEMBER_FUNCTION, GET_REMAINING, integer) &&
         d->AddMember(MEMBER_FUNCTION, GET_SIZE, integer) &&
         d->AddMember(MEMBER_FUNCTION, IS_END, integer) &&
         d->AddMember(MEMBER_FUNCTION, IS_MEMORY, integer) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_FROM_FILE, integer, {file}) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_DISK_FILE, integer, {text}) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_RESOURCE, integer, {text}) &&
         d->AddMember(MEMBER_FUNCTION, ALLOCATE, none, {PParamDecl(integer, "0", 0)}) &&
         d->AddMember(MEMBER_FUNCTION, OPEN, integer, {text, no, yes}) &&
         d->AddMember(MEMBER_FUNCTION, OPEN_TEMPORARY, integer) &&
         d->AddMember(MEMBER_FUNCTION, READ_STRING, string, {n}) &&
         d->AddMember(MEMBER_FUNCTION, READ_BYTE, integer) &&
         d->AddMember(MEMBER_FUNCTION, READ_LINE, string, {yes, toEnd, noValue}) &&
         d->AddMember(MEMBER_FUNCTION, READ_ZSTRING, string, {yes}) &&
         d->AddMember(MEMBER_FUNCTION, READ_UNISTRING, TYPE_UNISTRING, {n}) &&
         d->AddMember(MEMBER_FUNCTION, SAVE, integer, {text}) &&
         d->AddMember(MEMBER_FUNCTION, SEEK, integer, {n}) &&
         d->AddMember(MEMBER_FUNCTION, SET_SIZE, integer, {n}) &&
         d->AddMember(MEMBER_FUNCTION, SPLIT, integer, {PParamDecl(kStringArrayType), n}) &&
         d->AddMember(MEMBER_FUNCTION, SEEK_BACK, integer, {n}) &&
         d->AddMember(MEMBER_FUNCTION, ENCODE_7BIT, none) &&
         d->AddMember(MEMBER_FUNCTION, DECOMPRESS, integer, {file}) &&
         d->AddMember(MEMBER_FUNCTION, WRITE_STRING, integer, {text}) &&
         d->AddMember(MEMBER_FUNCTION, WRITE_BYTE, integer, {n}) &&
         d->AddMember(MEMBER_FUNCTION, COPY_FROM, integer, {file, n}) &&
         d->AddMember(MEMBER_FUNCTION, WRITE_LINE, integer, {text}) &&
         d->AddMember(MEMBER_FUNCTION, WRITE_TEXT, integer, {text}) &&
         d->AddMember(MEMBER_FUNCTION, WRITE_UNISTRING, integer, {PParamDecl(TYPE_UNISTRING)}) &&
         d->AddMember(MEMBER_FUNCTION, COMPRESS, integer, {file, toEnd});
}

PObject* PObjFile::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjFile(definition);
}

bool PObjFile::Release() {
  CloseStreams();
  return PObject::Release();
}

void PObjFile::CloseStreams() {
  m_disk.Close();
  m_memory.Close();
  m_current = nullptr;
}

// ---- File arguments -----------------------------------------------------------------------

bool PObject::IsFileArgInvalid(const PObject* file) {
  if (!file || file->GetDefinition()->GetTypeCode() != PObjFile::kTypeCode) return true;
  const SFile* stream = static_cast<const PObjFile*>(file)->GetStream();
  return !stream || !stream->IsOpen();
}

SFile* PObjFile::GetArgStream(const PArgs* args, int i) {
  PObject* file = GetArgObject(args, i);
  return IsFileArgInvalid(file) ? nullptr : static_cast<PObjFile*>(file)->GetStream();
}

// ---- Dispatch -----------------------------------------------------------------------------

bool PObjFile::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  switch (member) {
    case CLOSE: CloseStreams(); return true;
    case LOAD_FROM_FILE:
    case LOAD_DISK_FILE:
    case LOAD_RESOURCE:
    case ALLOCATE:
    case OPEN:
    case OPEN_TEMPORARY: return CallOpen(member, args, result);
    default: break;
  }

  // Every other member works on the open current stream; without one it
  // leaves the caller's preset result, except that a search misses.
  if (!HasOpenStream()) return member == FIND ? ReturnInt64(result, -1) : true;
  switch (member) {
    case GET_CRC32:
    case GET_MD5:
    case GET_SHA1:
    case FIND: return CallSearch(member, args, result);
    case UNSCRAMBLE:
    case SCRAMBLE:
    case DECODE_7BIT:
    case SPLIT:
    case ENCODE_7BIT:
    case DECOMPRESS:
    case COMPRESS: return CallTransform(member, args, result);
    case READ_STRING:
    case READ_BYTE:
    case READ_LINE:
    case READ_ZSTRING:
    case READ_UNISTRING:
    case WRITE_STRING:
    case WRITE_BYTE:
    case COPY_FROM:
    case WRITE_LINE:
    case WRITE_TEXT:
    case WRITE_UNISTRING: return CallReadWrite(member, args, result);
    default: return CallMove(member, args, result);
  }
}
