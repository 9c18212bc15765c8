// Any text given to the expression evaluator answers a result or "", never
// a crash, a sanitizer report or a hang. The input is cut at its first 0
// byte, as the evaluator reads a C string.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/ExpressionEvaluator.h"
#include "core/SString.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SString text;
  text.Assign(reinterpret_cast<const char*>(data), static_cast<int>(size));
  const SString result = EvaluateExpression(text.GetText());
  // A text result is a whole quoted text; anything else is a number.
  const int n = result.GetLength();
  if (n > 0 && result.GetAt(0) == '"' && (n < 2 || result.GetAt(n - 1) != '"')) std::abort();
  return 0;
}
