// TokenIs: a token's text against a word, with the answer of a C string
// comparison. Inline because every token of every line meets several such
// comparisons and nearly all end at the first byte, where a library call
// costs more than the comparison itself.
#pragma once

inline bool TokenIs(const char* text, const char* word) {
  while (*word && *text == *word) {
    text++;
    word++;
  }
  return *text == *word;
}
