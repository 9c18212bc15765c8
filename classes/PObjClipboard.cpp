#include "classes/PObjClipboard.h"

#include <new>
#include <vector>

#include "classes/ClassArgs.h"
#include "classes/PObjFile.h"
#include "classes/windows/PObjImage.h"
#include "engine/PObjectDefinition.h"
#include "files/SClipboard.h"
#include "files/SFileMem.h"

namespace {

constexpr TypeCode kWaveType = MakeTypeCode(ORIGIN_BUILTIN, 'W', 'A', 'V');

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int k = 0; k < 4; k++) out.push_back(uint8_t(v >> (8 * k)));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

void PObjClipboard::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SYSTEM);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Clipboard");
  PObject::Register(definition);
}

bool PObjClipboard::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER;
  const PParamDecl file(PObjFile::kTypeCode), image(PObjImage::kTypeCode), wave(kWaveType);
  return d->AddMember(MEMBER_FUNCTION, GET_DATA, kInt, {file}) &&
         d->AddMember(MEMBER_FUNCTION, GET_IMAGE, kInt, {image}) &&
         d->AddMember(MEMBER_FUNCTION, GET_TEXT, TYPE_STRING) &&
         d->AddMember(MEMBER_FUNCTION, GET_WAVE, kInt, {wave}) &&
         d->AddMember(MEMBER_FUNCTION, SET_DATA, kInt, {file}) &&
         d->AddMember(MEMBER_FUNCTION, SET_IMAGE, kInt, {image}) &&
         d->AddMember(MEMBER_FUNCTION, SET_TEXT, kInt, {PParamDecl(TYPE_STRING)}) &&
         d->AddMember(MEMBER_FUNCTION, SET_WAVE, kInt, {wave});
}

PObject* PObjClipboard::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjClipboard(definition);
}

// ---- Sound --------------------------------------------------------------------------------------

bool PObjClipboard::SetWaveSound(const WAVEFORMATEX& format, const void* data, int size) {
  if (!data || size <= 0) return false;
  // PCM formats are written without the extra-size word, as wave files hold them.
  const uint32_t formatSize = format.wFormatTag == WAVE_FORMAT_PCM ? 16 : 18 + format.cbSize;
  const uint32_t padded = uint32_t(size) + (size & 1);
  std::vector<uint8_t> image;
  image.reserve(12 + 8 + formatSize + 8 + padded);
  PutTag(image, "RIFF");
  PutU32(image, 4 + 8 + formatSize + 8 + padded);
  PutTag(image, "WAVE");
  PutTag(image, "fmt ");
  PutU32(image, formatSize);
  const uint8_t* f = reinterpret_cast<const uint8_t*>(&format);
  image.insert(image.end(), f, f + (formatSize < sizeof format ? formatSize : sizeof format));
  // The extra format bytes follow the structure in memory.
  if (formatSize > sizeof format) image.insert(image.end(), f + sizeof format, f + formatSize);
  PutTag(image, "data");
  PutU32(image, uint32_t(size));
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  image.insert(image.end(), bytes, bytes + size);
  if (size & 1) image.push_back(0);
  return SClipboard::SetWave(int(image.size()), image.data());
}

bool PObjClipboard::GetWaveImage(SFileMem* stream) {
  const int size = SClipboard::GetWaveSize();
  if (size <= 0 || !stream->Allocate(size)) return false;
  if (!SClipboard::GetWave(stream->GetData(), size)) return false;
  stream->Seek(0);
  return true;
}

// ---- Members ------------------------------------------------------------------------------------

bool PObjClipboard::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case GET_DATA: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream) return true;
      return ReturnInt64(result, SClipboard::GetData(stream));
    }
    case SET_DATA: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream) return true;
      const int position = stream->GetPosition();
      stream->Seek(0);
      const bool placed = SClipboard::SetData(-1, stream);
      stream->Seek(position);
      return ReturnBool(result, placed);
    }
    case GET_TEXT: return ReturnString(result, SClipboard::GetText().GetText());
    case SET_TEXT: return ReturnBool(result, SClipboard::SetText(GetArgString(args, 0)));
    case GET_IMAGE: {
      PObjImage* image = PObjImage::GetArgImage(args, 0);
      HBITMAP bitmap = image ? SClipboard::GetBitmap() : nullptr;
      if (!bitmap) return true;
      image->GetImage()->Clear();
      return ReturnBool(result, image->GetImage()->FromBitmapHandle(bitmap));
    }
    case SET_IMAGE: {
      PObjImage* image = PObjImage::GetArgImage(args, 0);
      if (!image || !image->HasImage()) return true;
      HBITMAP bitmap = image->GetImage()->GetBitmapHandle();
      if (SClipboard::SetBitmap(bitmap)) return ReturnBool(result, true);
      if (bitmap) ::DeleteObject(bitmap);
      return ReturnBool(result, false);
    }
    // Sounds come from the Wave class, which is not part of this build yet:
    // no argument is one, so these leave the result as it was, as they do
    // for a null argument.
    case GET_WAVE:
    case SET_WAVE: return true;
    default: return PObject::Call(member, args, result, caller);
  }
}
