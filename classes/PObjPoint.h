// PObjPoint and PObjSize: the script classes "Point" (x, y) and "Size"
// (cx, cy), two signed 32-bit integers each. The two hold their fields in
// the same places and share one member dispatcher; a Size is a Point in
// everything but its class. Rectangle answers into them.
#pragma once

#include <cstdint>

#include "engine/PObject.h"

class PObjPoint : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'P', 'T', '1');

  enum Member : uint16_t {
    COPY = 0,
    GET_FIRST = 1,
    GET_SECOND = 2,
    SET = 3,
    SET_FIRST = 4,
    SET_SECOND = 5,
    MEMBER_COUNT = 6,
  };

  explicit PObjPoint(PObjectDefinition* definition) : PObject(definition), m_first(0), m_second(0) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  // Point: x and y; Size: cx and cy.
  int32_t GetFirst() const { return m_first; }
  int32_t GetSecond() const { return m_second; }
  void Set(int32_t first, int32_t second) {
    m_first = first;
    m_second = second;
  }

 protected:
  // The members of either class, whose own TypeCode types the copy source.
  static bool DeclareFor(PObjectDefinition* definition, TypeCode own);

 private:
  int32_t m_first;
  int32_t m_second;
};

class PObjSize : public PObjPoint {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'S', 'Z', '1');

  explicit PObjSize(PObjectDefinition* definition) : PObjPoint(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
};
