// PObjMath: the script class "Math", a stateless collection of numeric
// functions: the mathematics library, angles and distances in the plane and
// in space, interpolation, rounding, random numbers, primes and arithmetic
// expression texts. Its angle and distance functions are shared with the
// geometry classes (classes/PlaneGeometry.h), and its constants name the
// answers of their point tests.
//
// A case that gives nothing (a null vector, a refused conversion) leaves
// the result untouched, so the script sees 0.
#pragma once

#include <cstdint>

#include "engine/PObject.h"

class PObjMath : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'M', 'T', 'H');

  enum Member : uint16_t {
    ABS = 0,
    ACOS = 1,
    ASIN = 2,
    ATAN = 3,
    ATAN2 = 4,
    EVALUATE = 5,
    POLAR_ANGLE = 6,
    VECTOR_LENGTH = 7,
    AZIMUTH = 8,
    COS = 9,
    DEGREES_TO_RADIANS = 10,
    EXP = 11,
    ANGLE_DIFFERENCE = 12,
    DISTANCE = 13,
    DISTANCE_3D = 14,
    SQUARED_DISTANCE = 15,
    SQUARED_DISTANCE_3D = 16,
    BEARING = 17,
    INTERPOLATE = 18,
    IS_PRIME = 19,
    LERP = 20,
    LOG = 21,
    LOG10 = 22,
    NORMALIZE_ANGLE = 23,
    NORMALIZE_ANGLE_SIGNED = 24,
    POW = 25,
    RADIANS_TO_DEGREES = 26,
    RANDOM = 27,
    ROUND = 28,
    SEED_RANDOM = 29,
    SIN = 30,
    SPHERICAL_TO_CARTESIAN = 31,
    SQUARE = 32,
    SQRT = 33,
    TAN = 34,
    MEMBER_COUNT = 35,
  };

  explicit PObjMath(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;
};
