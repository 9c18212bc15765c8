// SImageList: one Win32 image list, filled from SImages, image streams,
// picture strips or an image-list file. Menus, tool bars, lists and trees
// take their item images from such a list by index.
//
// The list follows the screen depth recorded at start-up: at 32 bits per
// pixel or more it keeps 32-bit images with alpha, below that 16-bit
// images with a mask.
//
// The image-list file is "TAVRIN IMAGELIST 1.0.0.0" on its first line, then
// an INI body. Before the first section: "count" (image sets, 1 or more),
// "alpha" ("1": 32-bit, else 24-bit), "width" and "height" (outside 1..256:
// 16). Section s (the decimal set index): "count" images, and "<k>_name",
// the resource name of image k.
#pragma once

#include <windows.h>

#include <commctrl.h>

class SFile;
class SImage;
class SResource;

class SImageList {
 public:
  SImageList();
  virtual ~SImageList();
  SImageList(const SImageList&) = delete;
  SImageList& operator=(const SImageList&) = delete;

  HIMAGELIST GetHandle() const { return m_handle; }
  // The list is destroyed; the object can be filled again.
  void Destroy();
  // The list handed to the caller, who destroys it; the object is empty.
  HIMAGELIST Detach() {
    HIMAGELIST handle = m_handle;
    m_handle = nullptr;
    return handle;
  }

  // A new list (the old one destroyed); sizes outside 1..256 become 16.
  // Below 32 bits per pixel the flags become ILC_COLOR16 | ILC_MASK and the
  // background CLR_NONE.
  bool Create(int width, int height, UINT flags);
  // A list of the image's tiles, row by row, left to right; what does not
  // fill a whole tile at the right and bottom is dropped. Tiles that fail
  // are skipped. Sizes below 1 become 16.
  bool CreateFromStrip(const SImage* image, int tileWidth, int tileHeight);
  // Image set "set" of an image-list file (an unknown set is set 0), its
  // pictures read from the resources. A picture that cannot be read becomes
  // a blank, so the list keeps one entry per file entry.
  bool LoadFile(int set, SFile* stream, SResource* resources);

  // Scaled to the list's size when it differs.
  bool AddImage(const SImage* image);
  // The rest of the stream decoded; greyed pictures are grey with their
  // alpha capped at 128.
  bool AddFromStream(SFile* stream, bool greyed);
  // An image with no picture data, keeping indexes in step.
  bool AddBlank();
  bool AddBitmap(HBITMAP bitmap, HBITMAP mask);
  bool RemoveAll();

  int GetCount() const;
  // (0, 0) without list.
  void GetImageSize(int& width, int& height) const;
  bool SetBkColor(COLORREF colour);
  COLORREF GetBkColor() const;

 private:
  HIMAGELIST m_handle;
};

// Whether image lists and menu images keep alpha: the screen recorded at
// start-up has 32 bits per pixel or more.
bool ScreenKeepsAlpha();
