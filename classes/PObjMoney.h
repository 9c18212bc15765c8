// PObjMoney: the script class "Money", an amount (a double) with its
// currency format. Scripts do in-place arithmetic on the amount, which each
// such member stores and returns, and read it back as money text.
//
// The format's decimal separator is only kept and reported: the money text
// always shows the printed point, so a script that changes the separator
// reads back what it set without changing the text other code parses.
#pragma once

#include <cstdint>

#include "core/SMoneyFormat.h"
#include "engine/PObject.h"

class PObjMoney : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'M', 'O', 'N');

  enum Member : uint16_t {
    ADD = 0,
    DIVIDE = 1,
    SET_SYMBOL_AFTER = 2,
    GET = 3,
    GET_DECIMAL_SEPARATOR = 4,
    GET_DECIMALS = 5,
    GET_GROUP_SEPARATOR = 6,
    FORMAT = 7,
    GET_SYMBOL = 8,
    IS_SYMBOL_AFTER = 9,
    MULTIPLY = 10,
    SET = 11,
    SET_DECIMAL_SEPARATOR = 12,
    SET_DECIMALS = 13,
    SET_GROUP_SEPARATOR = 14,
    SET_SYMBOL = 15,
    SUBTRACT = 16,
    MEMBER_COUNT = 17,
  };

  explicit PObjMoney(PObjectDefinition* definition) : PObject(definition), m_amount(0.0) {}
  ~PObjMoney() override { m_amount = 0.0; }

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  double GetAmount() const { return m_amount; }
  const SMoneyFormat& GetFormat() const { return m_format; }
  // The amount as money text, with the point printed.
  SString FormatAmount() const;

 private:
  SMoneyFormat m_format;
  double m_amount;
};
