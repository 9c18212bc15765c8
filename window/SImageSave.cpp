// Saving an SImage: finding the GDI+ encoder of a file type and writing the
// encoded picture into a stream.
#include "window/SImage.h"

#include <climits>
#include <cstdlib>

#include "files/SFile.h"

namespace {

// GDI+ names its encoders in UTF-16; MIME types are ASCII.
bool SameMimeType(const WCHAR* codec, const char* wanted) {
  for (; *codec && *wanted; codec++, wanted++)
    if (*codec != static_cast<WCHAR>(static_cast<unsigned char>(*wanted))) return false;
  return *codec == 0 && *wanted == 0;
}

const char* MimeTypeOf(int type) {
  switch (type) {
    case kImageJpeg: return "image/jpeg";
    case kImagePng: return "image/png";
    case kImageGif: return "image/gif";
    default: return "image/bmp";
  }
}

}  // namespace

int FindImageEncoder(const char* mimeType, CLSID& clsid) {
  UINT count = 0;
  UINT size = 0;
  if (!mimeType || Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || count == 0 || size == 0)
    return -1;
  auto* codecs = static_cast<Gdiplus::ImageCodecInfo*>(std::malloc(size));
  if (!codecs) return -1;
  int found = -1;
  if (Gdiplus::GetImageEncoders(count, size, codecs) == Gdiplus::Ok) {
    for (UINT i = 0; i < count && found < 0; i++) {
      if (!SameMimeType(codecs[i].MimeType, mimeType)) continue;
      clsid = codecs[i].Clsid;
      found = static_cast<int>(i);
    }
  }
  std::free(codecs);
  return found;
}

bool SImage::SaveToStream(SFile* stream, int type, int colourDepth) const {
  if (!stream || !m_bitmap) return false;
  CLSID encoder;
  if (FindImageEncoder(MimeTypeOf(type), encoder) < 0) return false;
  IStream* com = nullptr;
  if (CreateStreamOnHGlobal(nullptr, TRUE, &com) != S_OK) return false;

  LONG depth = colourDepth;
  Gdiplus::EncoderParameters parameters;
  parameters.Count = 1;
  parameters.Parameter[0].Guid = Gdiplus::EncoderColorDepth;
  parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  parameters.Parameter[0].NumberOfValues = 1;
  parameters.Parameter[0].Value = &depth;
  // Wine's GIF encoder writes a picture of more than 8 bits without its
  // pixels and still answers Ok; a paletted copy encodes everywhere, and is
  // what a GIF holds anyway.
  Gdiplus::Bitmap* paletted = nullptr;
  if (type == kImageGif && !Gdiplus::IsIndexedPixelFormat(m_bitmap->GetPixelFormat())) {
    paletted = CloneWithFormat(PixelFormat8bppIndexed);
    if (!paletted) {
      com->Release();
      return false;
    }
  }
  Gdiplus::Bitmap* source = paletted ? paletted : m_bitmap;
  bool saved = source->Save(com, &encoder, colourDepth ? &parameters : nullptr) == Gdiplus::Ok;
  delete paletted;

  // The encoded bytes lie in the COM stream's global memory, from its start.
  STATSTG stat;
  HGLOBAL memory = nullptr;
  saved = saved && com->Stat(&stat, STATFLAG_NONAME) == S_OK && stat.cbSize.QuadPart <= INT_MAX &&
          GetHGlobalFromStream(com, &memory) == S_OK;
  if (saved) {
    int length = static_cast<int>(stat.cbSize.QuadPart);
    void* bytes = GlobalLock(memory);
    saved = bytes && stream->Write(bytes, length) == length;
    GlobalUnlock(memory);
  }
  com->Release();
  return saved;
}
