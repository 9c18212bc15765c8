// SMoneyFormat: turns an amount into a money text such as "1 234.50€":
// fixed decimals, a separator between groups of three integer digits and a
// currency symbol before or after the amount.
#pragma once

#include "core/SString.h"

class SMoneyFormat {
 public:
  SMoneyFormat();
  ~SMoneyFormat();

  void SetGroupSeparator(char c) { m_groupSeparator = c; }
  char GetGroupSeparator() const { return m_groupSeparator; }
  void SetDecimalSeparator(char c) { m_decimalSeparator = c; }
  char GetDecimalSeparator() const { return m_decimalSeparator; }
  void SetSymbol(const char* symbol) { m_symbol = symbol; }
  const SString& GetSymbol() const { return m_symbol; }
  void SetSymbolAfter(bool after) { m_symbolAfter = after ? 1 : 0; }
  bool IsSymbolAfter() const { return m_symbolAfter != 0; }
  void SetDecimals(int decimals) { m_decimals = decimals < 0 ? 0 : decimals; }
  int GetDecimals() const { return m_decimals; }

  void FormatInto(SString& out, double amount) const;
  SString Format(double amount) const;

 private:
  char m_groupSeparator;    // NUL inserts nothing
  char m_decimalSeparator;  // stands in place of the printed point
  SString m_symbol;
  uint8_t m_symbolAfter;
  int32_t m_decimals;       // never negative
};
