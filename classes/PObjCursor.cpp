#include "classes/PObjCursor.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjFile.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"

namespace {

// The shape names, in CursorType order.
const char* const kShapeNames[kCursorTypes] = {
    "ARROW",    "APPSTARTING", "CROSS",  "HAND",     "HELP",     "IBEAM",   "NO",
    "SIZEALL",  "SIZENESW",    "SIZENS", "SIZENWSE", "SIZEWE",   "UPARROW", "WAIT",
    "ARROWADD", "ARROWMOVE",   "DROPPER", "FILL",    "HANDMOVE", "PEN",     "ZOOM",
};

}  // namespace

void PObjCursor::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SERVICES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Cursor");
  for (int type = 0; type < kCursorTypes; type++) definition->AddConstant(kShapeNames[type], type);
  PObject::Register(definition);
}

bool PObjCursor::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER;
  return d->AddMember(MEMBER_FUNCTION, CLEAR, TYPE_VOID) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_FROM_FILE, kInt, {PParamDecl(PObjFile::kTypeCode)}) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_FROM_PATH, kInt, {PParamDecl(TYPE_STRING)}) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_FROM_RESOURCE, kInt, {PParamDecl(TYPE_STRING)}) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_SHAPE, kInt, {PParamDecl(TYPE_INTEGER)});
}

PObject* PObjCursor::New(PObjectDefinition* definition) { return new (std::nothrow) PObjCursor(definition); }

bool PObjCursor::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case CLEAR: m_cursor.Clear(); return true;
    case LOAD_FROM_FILE: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream) return true;
      return ReturnBool(result, m_cursor.LoadFromStream(stream));
    }
    case LOAD_FROM_PATH: {
      SFilePath file;
      if (!file.Open(GetArgString(args, 0), false, false, true)) return ReturnBool(result, false);
      return ReturnBool(result, m_cursor.LoadFromStream(&file));
    }
    case LOAD_FROM_RESOURCE: {
      SFileMem stream;
      if (!GetEngine()->LoadResource(&stream, GetArgString(args, 0), RESOURCE_IMAGE)) return true;
      return ReturnBool(result, m_cursor.LoadFromStream(&stream));
    }
    case LOAD_SHAPE: return ReturnBool(result, m_cursor.Load(GetArgLow32(args, 0)));
    default: return PObject::Call(member, args, result, caller);
  }
}
