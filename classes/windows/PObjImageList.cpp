#include "classes/windows/PObjImageList.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"
#include "classes/PObjFile.h"
#include "classes/windows/PObjImage.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"
#include "window/SImage.h"

// ---- Uses of a list -----------------------------------------------------------------------------

ImageListUse::ImageListUse(PObjImageList* list) {
  if (!list || !list->GetHandle()) return;
  if (!list->m_share) list->m_share = new (std::nothrow) Share{list->GetHandle(), 0, false};
  m_share = list->m_share;
  if (m_share) m_share->users++;
}

ImageListUse& ImageListUse::operator=(ImageListUse&& other) noexcept {
  if (this != &other) {
    Drop();
    m_share = other.m_share;
    other.m_share = nullptr;
  }
  return *this;
}

HIMAGELIST ImageListUse::GetHandle() const { return m_share ? m_share->handle : nullptr; }

void ImageListUse::Drop() {
  if (!m_share) return;
  // While the list object keeps the list, it also keeps the share.
  if (--m_share->users == 0 && m_share->handedOver) {
    ImageList_Destroy(m_share->handle);
    delete m_share;
  }
  m_share = nullptr;
}

void PObjImageList::LetGo() {
  if (!m_share) return;
  if (m_share->users > 0) {
    m_list.Detach();
    m_share->handedOver = true;
  } else {
    delete m_share;
  }
  m_share = nullptr;
}

// ---- The class ----------------------------------------------------------------------------------

void PObjImageList::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_GRAPHICS);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("ImageList");
  PObject::Register(definition);
}

bool PObjImageList::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kVoid = TYPE_VOID;
  const PParamDecl text(TYPE_STRING), file(PObjFile::kTypeCode), image(PObjImage::kTypeCode);
  const PParamDecl colour(PObjColor::kTypeCode), zero(TYPE_INTEGER, "0", 0), sixteen(TYPE_INTEGER, "16", 16);
  return d->AddMember(MEMBER_FUNCTION, ADD_IMAGE, kInt, {image}) &&
         d->AddMember(MEMBER_FUNCTION, ADD_RESOURCE, kInt, {text}) &&
         d->AddMember(MEMBER_FUNCTION, DESTROY, kVoid) &&
         d->AddMember(MEMBER_FUNCTION, GET_BACK_COLOR, kInt, {colour}) &&
         d->AddMember(MEMBER_FUNCTION, GET_COUNT, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_HEIGHT, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_WIDTH, kInt) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_FROM_FILE, kInt, {file, zero}) &&
         d->AddMember(MEMBER_FUNCTION, CREATE_FROM_STRIP, kInt, {image, zero, zero}) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_FROM_PATH, kInt, {text, zero}) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_FROM_RESOURCE, kInt, {text, zero}) &&
         d->AddMember(MEMBER_FUNCTION, CREATE, kInt, {sixteen, sixteen}) &&
         d->AddMember(MEMBER_FUNCTION, REMOVE_ALL, kInt) &&
         d->AddMember(MEMBER_FUNCTION, SET_BACK_COLOR, kVoid, {colour});
}

PObject* PObjImageList::New(PObjectDefinition* definition) { return new (std::nothrow) PObjImageList(definition); }

PObjImageList* PObjImageList::GetArgImageList(const PArgs* args, int i) {
  return GetArgOfClass<PObjImageList>(args, i);
}

bool PObjImageList::LoadFile(SFile* stream, int set) {
  LetGo();
  return m_list.LoadFile(set, stream, GetEngine()->GetResources());
}

bool PObjImageList::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case DESTROY:
      LetGo();
      m_list.Destroy();
      return true;
    case LOAD_FROM_FILE: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream) return true;
      return ReturnBool(result, LoadFile(stream, GetArgLow32(args, 1)));
    }
    case LOAD_FROM_PATH: {
      SFilePath file;
      if (!file.Open(GetArgString(args, 0), false, false, true)) return ReturnBool(result, false);
      return ReturnBool(result, LoadFile(&file, GetArgLow32(args, 1)));
    }
    case LOAD_FROM_RESOURCE: {
      SFileMem stream;
      if (!GetEngine()->LoadResource(&stream, GetArgString(args, 0), RESOURCE_IMAGELIST)) return true;
      return ReturnBool(result, LoadFile(&stream, GetArgLow32(args, 1)));
    }
    case CREATE_FROM_STRIP: {
      PObjImage* strip = PObjImage::GetArgImage(args, 0);
      if (!strip || !strip->HasImage()) return true;
      LetGo();
      return ReturnBool(result, m_list.CreateFromStrip(strip->GetImage(), GetArgLow32(args, 1), GetArgLow32(args, 2)));
    }
    case CREATE:
      LetGo();
      return ReturnBool(result, m_list.Create(GetArgLow32(args, 0), GetArgLow32(args, 1), ILC_COLOR32));
    default: break;
  }
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  if (!m_list.GetHandle()) return true;
  switch (member) {
    // One image, scaled to the list's size: a picture of another size
    // handed over as it is would add several images, or none.
    case ADD_IMAGE: {
      PObjImage* image = PObjImage::GetArgImage(args, 0);
      if (!image || !image->HasImage()) return true;
      return ReturnBool(result, m_list.AddImage(image->GetImage()));
    }
    case ADD_RESOURCE: {
      SFileMem stream;
      if (!GetEngine()->LoadResource(&stream, GetArgString(args, 0), RESOURCE_IMAGE)) return true;
      return ReturnBool(result, m_list.AddFromStream(&stream, false));
    }
    case GET_BACK_COLOR: {
      PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      if (!colour) return true;
      colour->SetColorRef(m_list.GetBkColor());
      return ReturnBool(result, true);
    }
    case GET_COUNT: return ReturnInt64(result, m_list.GetCount());
    case GET_HEIGHT:
    case GET_WIDTH: {
      int width = 0, height = 0;
      m_list.GetImageSize(width, height);
      return ReturnInt64(result, member == GET_WIDTH ? width : height);
    }
    case REMOVE_ALL: return ReturnBool(result, m_list.RemoveAll());
    case SET_BACK_COLOR: {
      const PObjColor* colour = GetArgOfClass<PObjColor>(args, 0);
      m_list.SetBkColor(colour ? colour->GetColorRef() : CLR_NONE);
      return true;
    }
    default: return true;
  }
}
