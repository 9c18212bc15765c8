#include "window/SImageList.h"

#include <cstdio>

#include "files/SFileMem.h"
#include "files/SResource.h"
#include "window/Framework.h"
#include "window/HeaderedIniFile.h"
#include "window/SImage.h"

namespace {

// Sizes an image list accepts from a file or a caller.
const int kMaxImageSize = 256;
const int kDefaultImageSize = 16;

int ImageSizeOr16(int size) { return size < 1 || size > kMaxImageSize ? kDefaultImageSize : size; }

}  // namespace

bool ScreenKeepsAlpha() { return GetScreenColorDepth() >= 32; }

SImageList::SImageList() : m_handle(nullptr) {}

SImageList::~SImageList() { Destroy(); }

void SImageList::Destroy() {
  if (m_handle) ImageList_Destroy(m_handle);
  m_handle = nullptr;
}

bool SImageList::Create(int width, int height, UINT flags) {
  Destroy();
  bool alpha = ScreenKeepsAlpha();
  if (!alpha) flags = ILC_COLOR16 | ILC_MASK;
  m_handle = ImageList_Create(ImageSizeOr16(width), ImageSizeOr16(height), flags, 0, 0);
  if (!m_handle) return false;
  if (!alpha) ImageList_SetBkColor(m_handle, CLR_NONE);
  return true;
}

bool SImageList::CreateFromStrip(const SImage* image, int tileWidth, int tileHeight) {
  if (!image || !image->IsLoaded()) return false;
  if (tileWidth < 1) tileWidth = kDefaultImageSize;
  if (tileHeight < 1) tileHeight = kDefaultImageSize;
  int columns = image->GetWidth() / tileWidth;
  int rows = image->GetHeight() / tileHeight;
  if (columns == 0 || !Create(tileWidth, tileHeight, ILC_COLOR32)) return false;
  for (int row = 0; row < rows; row++)
    for (int column = 0; column < columns; column++) {
      SImage tile;
      if (tile.CopyFrom(image, column * tileWidth, row * tileHeight, tileWidth, tileHeight)) AddImage(&tile);
    }
  return true;
}

bool SImageList::AddImage(const SImage* image) {
  if (!m_handle || !image) return false;
  int width = 0, height = 0;
  GetImageSize(width, height);
  SImage scaled;
  if (image->GetWidth() != width || image->GetHeight() != height) {
    if (!scaled.CopyFrom(image, 0, 0, -1, -1) || !scaled.Resize(width, height)) return false;
    image = &scaled;
  }
  HBITMAP colour = nullptr, mask = nullptr;
  if (ScreenKeepsAlpha()) {
    colour = image->GetBitmapHandle32();
  } else {
    colour = image->GetBitmapHandle16();
    if (image->GetBitsPerPixel() >= 32) mask = image->CreateMaskBitmap();
  }
  if (!colour) {
    if (mask) DeleteObject(mask);
    return false;
  }
  bool added = ImageList_Add(m_handle, colour, mask) != -1;
  DeleteObject(colour);
  if (mask) DeleteObject(mask);
  return added;
}

bool SImageList::AddFromStream(SFile* stream, bool greyed) {
  if (!m_handle || !stream) return false;
  SImage picture;
  if (!picture.LoadFromStream(stream, -1)) return false;
  if (greyed) {
    picture.Desaturate(nullptr, kNoImageColor);
    picture.SetAlpha(nullptr, 128, true);
  }
  return AddImage(&picture);
}

bool SImageList::AddBlank() {
  if (!m_handle) return false;
  int width = 0, height = 0;
  GetImageSize(width, height);
  HBITMAP blank = CreateBitmap(width, height, 1, ScreenKeepsAlpha() ? 24 : 16, nullptr);
  if (!blank) return false;
  bool added = AddBitmap(blank, nullptr);
  DeleteObject(blank);
  return added;
}

bool SImageList::AddBitmap(HBITMAP bitmap, HBITMAP mask) {
  return m_handle && ImageList_Add(m_handle, bitmap, mask) != -1;
}

bool SImageList::RemoveAll() { return m_handle && ImageList_Remove(m_handle, -1); }

int SImageList::GetCount() const { return m_handle ? ImageList_GetImageCount(m_handle) : 0; }

void SImageList::GetImageSize(int& width, int& height) const {
  width = height = 0;
  if (m_handle && !ImageList_GetIconSize(m_handle, &width, &height)) width = height = 0;
}

bool SImageList::SetBkColor(COLORREF colour) {
  if (!m_handle) return false;
  ImageList_SetBkColor(m_handle, colour);
  return true;
}

COLORREF SImageList::GetBkColor() const { return m_handle ? ImageList_GetBkColor(m_handle) : 0; }

// ---- The image-list file ----------------------------------------------------------

bool SImageList::LoadFile(int set, SFile* stream, SResource* resources) {
  if (!stream || !resources) return false;
  SIni ini;
  HeaderedIniShape shape;
  if (!LoadHeaderedIni(stream, "TAVRIN IMAGELIST 1.0.0.0", ini, &shape)) return false;
  int sets = ini.ReadInt("", "count");
  if (sets < 1) return false;
  if (!Create(ini.ReadInt("", "width"), ini.ReadInt("", "height"), ini.ReadFlag("", "alpha") ? ILC_COLOR32 : ILC_COLOR24))
    return false;
  if (set < 0 || set >= sets) set = 0;
  char section[16];
  std::snprintf(section, sizeof section, "%d", set);
  // Every image names its picture on a key line of its own: a count beyond
  // the key lines present would only add blanks.
  int images = ini.ReadInt(section, "count");
  if (images > shape.keys) images = shape.keys;
  for (int k = 0; k < images; k++) {
    char key[24];
    std::snprintf(key, sizeof key, "%d_name", k);
    SString name = ini.Read(section, key);
    SFileMem picture;
    if (!resources->Read(&picture, name.GetText(), true) || !AddFromStream(&picture, false)) AddBlank();
  }
  return true;
}
