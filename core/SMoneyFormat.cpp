#include "core/SMoneyFormat.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

SMoneyFormat::SMoneyFormat()
    : m_groupSeparator(' '),
      m_decimalSeparator('.'),
      m_symbol("\x80"),  // the euro sign of Windows-1252
      m_symbolAfter(1),
      m_decimals(2) {}

SMoneyFormat::~SMoneyFormat() = default;

void SMoneyFormat::FormatInto(SString& out, double amount) const {
  // At least four characters, blank-padded on the left, printf rounding.
  // The precision is passed as an argument rather than built into the
  // pattern, and the buffer is sized by a first measuring call, so any
  // amount and any decimal count fit.
  int n = std::snprintf(nullptr, 0, "%4.*f", m_decimals, amount);
  if (n < 0) {
    out = "";
    return;
  }
  SString text = SString::ConstructZeroed(n);
  std::snprintf(text.GetBuffer(), size_t(n) + 1, "%4.*f", m_decimals, amount);

  int point = text.FindChar('.');
  if (point < 0) point = text.GetLength();
  else text.SetAt(point, m_decimalSeparator ? m_decimalSeparator : '.');

  // Walk left from the last integer digit; every third digit counted gets
  // the separator in front of it. A separator only ever stands between two
  // digits, so none leads the text or follows a sign or a padding blank, and
  // the letters of an infinity or NaN are left alone.
  if (m_groupSeparator) {
    int counted = 0;
    for (int i = point - 1; i >= 1 && IsDigit(text.GetAt(i)) && IsDigit(text.GetAt(i - 1)); i--)
      if (++counted % 3 == 0) text.InsertChars(1, m_groupSeparator, i);
  }

  if (m_symbol.GetLength() > 0) {
    if (m_symbolAfter) text.Append(m_symbol.GetText());
    else text.Insert(m_symbol.GetText(), 0);
  }
  out = text;
}

SString SMoneyFormat::Format(double amount) const {
  SString out;
  FormatInto(out, amount);
  return out;
}
