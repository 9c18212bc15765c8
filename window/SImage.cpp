// SImage as a value: construction, the bitmap it owns, its size, format and
// pixels, and the copies made from it.
#include "window/SImage.h"

using Gdiplus::Bitmap;
using Gdiplus::PixelFormat;

// ---- Pixel formats ---------------------------------------------------------------

int PixelFormatBits(PixelFormat format) {
  switch (format) {
    case PixelFormat1bppIndexed: return 1;
    case PixelFormat4bppIndexed: return 4;
    case PixelFormat8bppIndexed: return 8;
    case PixelFormat16bppRGB555:
    case PixelFormat16bppRGB565:
    case PixelFormat16bppARGB1555:
    case PixelFormat16bppGrayScale: return 16;
    case PixelFormat24bppRGB: return 24;
    case PixelFormat32bppRGB:
    case PixelFormat32bppARGB:
    case PixelFormat32bppPARGB: return 32;
    case PixelFormat48bppRGB: return 48;
    case PixelFormat64bppARGB:
    case PixelFormat64bppPARGB: return 64;
    default: return 0;
  }
}

PixelFormat PixelFormatFromBits(int bits) {
  switch (bits) {
    case 1: return PixelFormat1bppIndexed;
    case 4: return PixelFormat4bppIndexed;
    case 8: return PixelFormat8bppIndexed;
    case 16: return PixelFormat16bppRGB565;
    case 24: return PixelFormat24bppRGB;
    case 32: return PixelFormat32bppARGB;
    case 48: return PixelFormat48bppRGB;
    case 64: return PixelFormat64bppARGB;
    default: return PixelFormatUndefined;
  }
}

// ---- Unit range ------------------------------------------------------------------

float ClampToUnit(float x) {
  // Written so that a NaN fails both tests and lands on 0.
  if (!(x > 0.0f)) return 0.0f;
  return x < 1.0f ? x : 1.0f;
}

// ---- Construction ----------------------------------------------------------------

SImage::SImage()
    : m_userValue(0),
      m_bitmap(nullptr),
      m_backColor(kNoImageColor),
      m_transparentColor(kNoImageColor),
      m_drawMode(DRAW_TOPLEFT),
      m_bitmapUsers(nullptr) {}

SImage::SImage(int width, int height) : SImage() { Create(width, height, PixelFormat32bppARGB); }

SImage::~SImage() {
  ReleaseBitmapUsers();
  delete m_bitmap;
}

void SImage::AddBitmapUser(SImageBitmapUser* user) {
  RemoveBitmapUser(user);
  user->m_nextUser = m_bitmapUsers;
  m_bitmapUsers = user;
}

void SImage::RemoveBitmapUser(SImageBitmapUser* user) {
  for (SImageBitmapUser** link = &m_bitmapUsers; *link; link = &(*link)->m_nextUser) {
    if (*link == user) {
      *link = user->m_nextUser;
      user->m_nextUser = nullptr;
      return;
    }
  }
}

void SImage::ReleaseBitmapUsers() {
  // Each user is unlinked before it is told, so that it may add itself to
  // this or another image from inside.
  while (SImageBitmapUser* user = m_bitmapUsers) {
    m_bitmapUsers = user->m_nextUser;
    user->m_nextUser = nullptr;
    user->OnBitmapGoing(this);
  }
}

void SImage::SetBitmap(Bitmap* bitmap) {
  // Users draw into the present bitmap: they let go before it is deleted.
  if (m_bitmap != bitmap) ReleaseBitmapUsers();
  delete m_bitmap;
  // The GDI+ wrapper exists even when GDI+ made nothing; its size then
  // reads 0, and the image would only look loaded.
  if (bitmap && (bitmap->GetWidth() == 0 || bitmap->GetHeight() == 0)) {
    delete bitmap;
    bitmap = nullptr;
  }
  m_bitmap = bitmap;
}

bool SImage::Create(int width, int height, PixelFormat format) {
  SetBitmap(nullptr);
  SetBitmap(new Bitmap(width, height, format));
  return IsLoaded();
}

void SImage::Clear() { SetBitmap(nullptr); }

// ---- Size, format and pixels -----------------------------------------------------

int SImage::GetWidth() const { return m_bitmap ? static_cast<int>(m_bitmap->GetWidth()) : 0; }

int SImage::GetHeight() const { return m_bitmap ? static_cast<int>(m_bitmap->GetHeight()) : 0; }

PixelFormat SImage::GetPixelFormat() const { return m_bitmap ? m_bitmap->GetPixelFormat() : 0; }

bool SImage::GetPixel(int x, int y, Gdiplus::ARGB& colour) const {
  if (!m_bitmap) return false;
  Gdiplus::Color c;
  if (m_bitmap->GetPixel(x, y, &c) != Gdiplus::Ok) return false;
  colour = c.GetValue();
  return true;
}

Gdiplus::Status SImage::SetPixel(int x, int y, Gdiplus::ARGB colour) {
  if (!m_bitmap) return Gdiplus::InvalidParameter;
  return m_bitmap->SetPixel(x, y, Gdiplus::Color(colour));
}

// ---- Copies ------------------------------------------------------------------------
// Each clone is made before the old bitmap goes, so an image may copy itself.

SImage& SImage::AssignBitmap(const SImage& source) {
  SetBitmap(source.CloneWithFormat(source.GetPixelFormat()));
  return *this;
}

SImage& SImage::AssignBitmap(Gdiplus::Bitmap* source) {
  SetBitmap(source ? source->Clone(0, 0, int(source->GetWidth()), int(source->GetHeight()), source->GetPixelFormat())
                   : nullptr);
  return *this;
}

bool SImage::CopyFrom(const SImage* source, int x, int y, int width, int height) {
  if (!source || !source->IsLoaded()) return false;
  if (width < 0) width = source->GetWidth();
  if (height < 0) height = source->GetHeight();
  SetBitmap(source->m_bitmap->Clone(x, y, width, height, source->GetPixelFormat()));
  return IsLoaded();
}

Bitmap* SImage::CloneWithFormat(PixelFormat format) const {
  if (!m_bitmap) return nullptr;
  Bitmap* clone = m_bitmap->Clone(0, 0, GetWidth(), GetHeight(), format);
  if (clone && clone->GetWidth() == 0) {
    delete clone;
    clone = nullptr;
  }
  return clone;
}
