// PObjSplash: the script class "Splash", a picture shown centred on the
// screen (or at a point) for a while, with a key colour cut out, blended
// onto the screen behind it, or with its own alpha. The window and the
// picture are SSplash's.
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "window/SSplash.h"

class PObjSplash : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'S', 'P', 'L');

  enum Member : uint16_t {
    LOAD = 0,
    LOAD_ALPHA = 1,
    IS_SHOWING = 2,
    SHOW = 3,
    CLOSE = 4,
    MEMBER_COUNT = 5,
  };

  explicit PObjSplash(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  SSplash m_splash;
};
