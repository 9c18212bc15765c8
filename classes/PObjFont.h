// PObjFont: the script class "Font", which owns one HFONT made from a face,
// a size (a height in logical units or points) and style bits. Replacing
// the font switches every framework window of the thread that shows the
// old one, so a script restyles its controls through the Font alone.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/SString.h"
#include "engine/PObject.h"

class PObjFont : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'F', 'N', 'T');

  enum Member : uint16_t {
    SET_FONT = 0,
    CLEAR = 1,
    GET_FACE = 2,
    GET_HEIGHT = 3,
    GET_POINTS = 4,
    GET_STYLE = 5,
    IS_BOLD = 6,
    IS_ITALIC = 7,
    IS_STRIKE_OUT = 8,
    IS_UNDERLINE = 9,
    SET_BOLD = 10,
    SET_ITALIC = 11,
    SET_FACE = 12,
    SET_HEIGHT = 13,
    SET_POINTS = 14,
    SET_STRIKE_OUT = 15,
    SET_STYLE = 16,
    SET_UNDERLINE = 17,
    MEMBER_COUNT = 18,
  };

  explicit PObjFont(PObjectDefinition* definition) : PObject(definition) {}
  ~PObjFont() override { Clear(); }

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;
  bool Release() override;

  HFONT GetFont() const { return m_font; }
  const SString& GetFace() const { return m_face; }
  int32_t GetHeight() const { return m_height; }
  double GetPoints() const { return m_points; }
  int32_t GetStyle() const { return m_style; }

  // A new font, replaced in the thread's windows; false (nothing changed)
  // when it would equal the current one or cannot be made.
  bool SetFont(const char* face, double size, int32_t style, bool sizedByHeight);
  // Null when the font would equal the current one or CreateFont fails; the
  // height and points it was made with go to *height and *points.
  HFONT MakeFont(const char* face, double size, int32_t style, bool sizedByHeight, int32_t* height,
                 double* points) const;
  // Every framework window of the calling thread showing old is switched to
  // replacement (null: the system font); answers how many.
  static int ReplaceInWindows(HFONT old, HFONT replacement);
  // Windows showing the font fall back to the system font.
  void Clear();

 private:
  // Replaces the font in the windows, deletes the old one and keeps font.
  void Adopt(HFONT font);
  // Makes the font anew with the stored face and height and these style
  // bits; the bits stay unless a new font was made.
  void Restyle(int32_t style);
  void SetStyleBit(int32_t bit, bool on) { Restyle(on ? m_style | bit : m_style & ~bit); }

  HFONT m_font = nullptr;
  SString m_face;
  int32_t m_height = 0;
  double m_points = 0;
  int32_t m_style = 0;
  bool m_sizedByHeight = false;
};
