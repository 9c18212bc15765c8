// PObjImage: the script class "Image", one framework picture (SImage) that
// programs load, build, convert, edit and save, and hand to the classes that
// draw or carry pictures (windows, paint, image lists, the clipboard).
//
// Members that take a rectangle clip it to the picture first: a rectangle
// partly outside works on the part inside, one wholly outside or inverted
// works on nothing, so no member writes a pixel the caller did not name.
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "window/SImage.h"

class PObjImage : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'I', 'M', 'G');

  // The file formats of SAVE_TO_FILE and SAVE_TO_PATH.
  enum Format : int32_t { FORMAT_BMP = 0, FORMAT_JPG = 1, FORMAT_PNG = 2, FORMAT_GIF = 3 };

  enum Member : uint16_t {
    SET_ALPHA = 0,
    ADJUST_COLORS = 1,
    CLEAR = 2,
    EXTRACT_DATA = 3,
    EMBED_DATA = 4,
    FILL = 5,
    FLIP = 6,
    FIND_POINT = 7,
    GET_BACK_COLOR = 8,
    GET_BITS = 9,
    GET_USER_VALUE = 10,
    GET_DRAW_MODE = 11,
    GET_HEIGHT = 12,
    GET_NAME = 13,
    GET_PIXEL = 14,
    GET_RESOLUTION = 15,
    GET_TRANSPARENT_COLOR = 16,
    GET_WIDTH = 17,
    DESATURATE = 18,
    HAS_IMAGE = 19,
    COPY_FROM = 20,
    LOAD_FROM_FILE = 21,
    LOAD_FROM_PATH = 22,
    LOAD_FROM_RESOURCE = 23,
    CAPTURE_SCREEN = 24,
    CREATE = 25,
    RESIZE = 26,
    ROTATE = 27,
    SAVE_TO_FILE = 28,
    SAVE_TO_PATH = 29,
    SET_PALETTE_ALPHA = 30,
    SET_BACK_COLOR = 31,
    CONVERT_BITS = 32,
    SET_USER_VALUE = 33,
    SET_DRAW_MODE = 34,
    SET_NAME = 35,
    SET_PIXEL = 36,
    RESIZE_CANVAS = 37,
    SET_TRANSPARENT_COLOR = 38,
    MEMBER_COUNT = 39,
  };

  explicit PObjImage(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  SImage* GetImage() { return &m_image; }
  // Null when empty.
  Gdiplus::Bitmap* GetBitmap() const { return m_image.GetBitmap(); }
  bool HasImage() const { return m_image.IsLoaded(); }

  // Argument i as an Image; null when missing or of another class.
  static PObjImage* GetArgImage(const PArgs* args, int i);

 private:
  // The members that need a bitmap; called only when there is one.
  bool CallOnBitmap(uint16_t member, PArgs* args, PResultCell* result);

  SImage m_image;
};
