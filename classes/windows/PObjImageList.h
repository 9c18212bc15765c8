// PObjImageList: the script class "ImageList", one Win32 image list
// (SImageList) of equally sized images that menus, tool bars, lists and
// trees draw by index.
//
// Those that draw from the list hold an ImageListUse, not the bare handle:
// the list then lives as long as the last of them. While the ImageList
// object keeps the list, the uses only borrow it and see every image it
// adds; when the object lets the list go (cleared, replaced by another
// list, or released) while uses remain, the list is handed over to them and
// destroyed with the last one, and the object goes on with a list of its
// own. A user that wants the object's new list takes a new use.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "engine/PObject.h"
#include "window/SImageList.h"

class PObjImageList;

// One holder's share of an image list; empty when made from a list object
// without list. Move-only.
class ImageListUse {
 public:
  ImageListUse() = default;
  explicit ImageListUse(PObjImageList* list);
  ~ImageListUse() { Drop(); }
  ImageListUse(ImageListUse&& other) noexcept : m_share(other.m_share) { other.m_share = nullptr; }
  ImageListUse& operator=(ImageListUse&& other) noexcept;
  ImageListUse(const ImageListUse&) = delete;
  ImageListUse& operator=(const ImageListUse&) = delete;

  // Null when empty.
  HIMAGELIST GetHandle() const;
  void Drop();

 private:
  friend class PObjImageList;
  struct Share {
    HIMAGELIST handle;
    int users;
    bool handedOver;  // the uses own the list: the object let it go
  };
  Share* m_share = nullptr;
};

class PObjImageList : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'I', 'L', 'S');

  enum Member : uint16_t {
    ADD_IMAGE = 0,
    ADD_RESOURCE = 1,
    DESTROY = 2,
    GET_BACK_COLOR = 3,
    GET_COUNT = 4,
    GET_HEIGHT = 5,
    GET_WIDTH = 6,
    LOAD_FROM_FILE = 7,
    CREATE_FROM_STRIP = 8,
    LOAD_FROM_PATH = 9,
    LOAD_FROM_RESOURCE = 10,
    CREATE = 11,
    REMOVE_ALL = 12,
    SET_BACK_COLOR = 13,
    MEMBER_COUNT = 14,
  };

  explicit PObjImageList(PObjectDefinition* definition) : PObject(definition) {}
  ~PObjImageList() override { LetGo(); }

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  // Null before a list is made.
  HIMAGELIST GetHandle() const { return m_list.GetHandle(); }
  // A share of the present list for one that draws from it.
  ImageListUse Use() { return ImageListUse(this); }

  // Argument i as an ImageList; null when missing or of another class.
  static PObjImageList* GetArgImageList(const PArgs* args, int i);

 private:
  friend class ImageListUse;
  // Before the list is destroyed or replaced: a list still in use goes to
  // its users.
  void LetGo();
  // Loading an image-list file's set over the present list.
  bool LoadFile(SFile* stream, int set);

  SImageList m_list;
  ImageListUse::Share* m_share = nullptr;  // of the present list, once used
};
