// Any line given to the tokeniser and line checker gives tokens or a clean
// rejection, never a crash, a sanitizer report or a hang. The input is cut at
// its first 0 byte, as a source line ends there.
//
// An accepted line holds one class per token, no empty token, and ends in a
// class that may end a line; checking its tokens again gives the same classes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/compiler/PLanguage.h"

namespace {

bool MayEndLine(int32_t c) {
  switch (c) {
    case 1: case 2: case 3: case 4: case 6: case 7: case 11: case 12: case 13: case 14:
    case 18: case 27:
      return true;
    default:
      return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const PLanguage language;
  SString line;
  line.Assign(reinterpret_cast<const char*>(data), static_cast<int>(size));
  SStringArray tokens;
  SArray<int32_t> classes;
  if (!language.ParseLine(line, tokens, &classes)) return 0;

  const int n = tokens.GetCount();
  if (n == 0 || classes.GetCount() != n) std::abort();
  for (int i = 0; i < n; i++)
    if (tokens.GetString(i).GetLength() == 0) std::abort();
  if (!MayEndLine(classes.GetLast())) std::abort();

  SArray<int32_t> again;
  if (!language.CheckTokens(tokens, &again) || again.GetCount() != n) std::abort();
  for (int i = 0; i < n; i++)
    if (again.GetAt(i) != classes.GetAt(i)) std::abort();
  return 0;
}
