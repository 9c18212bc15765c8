// PObjColor: the script class "Color". A colour kept in one of three
// models, RGB, ARGB or YUV (Y, Cr, Cb bytes with the chroma centred on
// 128); every member converts between the model stored and the form it
// reads or writes. Controls take and answer colours through GetColorRef,
// GetArgb, SetColorRef and SetFromColor.
#pragma once

#include <cstdint>

#include "engine/PObject.h"

class PObjColor : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'C', 'L', 'R');

  enum Model : int32_t { MODEL_RGB = 0, MODEL_ARGB = 1, MODEL_YUV = 2 };

  enum Member : uint16_t {
    COPY = 0,
    GET_ALPHA = 1,
    GET_ARGB = 2,
    GET_BLUE = 3,
    GET_CR_FRACTION = 4,
    GET_CB_FRACTION = 5,
    GET_Y_FRACTION = 6,
    GET_MODEL = 7,
    GET_GREEN = 8,
    GET_TEXT = 9,
    GET_RED = 10,
    GET_COLORREF = 11,
    GET_CR = 12,
    GET_CB = 13,
    GET_Y = 14,
    GET_YCRCB = 15,
    SET_ALPHA = 16,
    SET_ARGB_WORD = 17,
    SET_BLUE = 18,
    SET_CR_FRACTION = 19,
    SET_CB_FRACTION = 20,
    SET_Y_FRACTION = 21,
    SET_MODEL = 22,
    SET_GREEN = 23,
    SET_TEXT = 24,
    SET_RED = 25,
    SET_COLORREF = 26,
    SET_CR = 27,
    SET_CB = 28,
    SET_Y = 29,
    SET_YCRCB_WORD = 30,
    SET_SYSTEM_COLOR = 31,
    SET_ARGB = 32,
    SET_YCRCB_FRACTIONS = 33,
    SET_RGB = 34,
    SET_YCRCB = 35,
    MEMBER_COUNT = 36,
  };

  explicit PObjColor(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  // 0x00BBGGRR, alpha dropped; 0 for a model outside the three.
  uint32_t GetColorRef() const;
  // 0xAARRGGBB, opaque unless the model is ARGB; 0 outside the three.
  uint32_t GetArgb() const;
  // Both keep the model.
  void SetColorRef(uint32_t colorref);
  void SetFromColor(uint32_t argb);

  void SetRgb(uint8_t r, uint8_t g, uint8_t b);
  void SetArgb(uint8_t a, uint8_t r, uint8_t g, uint8_t b);
  void SetYCrCb(uint8_t y, uint8_t cr, uint8_t cb);
  // Resets the colour to black without converting: m outside the three is RGB.
  void SetModel(int32_t m);
  int32_t GetModel() const { return m_model; }

 private:
  // The colour as red, green, blue and as Y, Cr, Cb, whatever the model.
  void GetRgb(uint8_t rgb[3]) const;
  void GetYCrCb(uint8_t ycrcb[3]) const;
  // One of red, green, blue (0-2) or Y, Cr, Cb (0-2) replaced, the others kept.
  void SetRgbComponent(int k, uint8_t value);
  void SetYCrCbComponent(int k, uint8_t value);
  // The YCrCb fractions: Y as y, chroma as c + 0.5, clamped to [0, 1], times 255.
  static uint8_t LumaByte(double y);
  static uint8_t ChromaByte(double c);

  int32_t m_model = MODEL_RGB;
  uint8_t m_alpha = 255;
  uint8_t m_rgb[3] = {0, 0, 0};
  uint8_t m_ycrcb[3] = {0, 0, 0};
};
