// The program that Disk.42 starts in the tests: after a moment it writes
// the file named by its first argument, holding "ran" and its other
// arguments, and ends. The moment shows whether the starter waited.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  Sleep(700);
  FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 1;
  std::fputs("ran", out);
  for (int i = 2; i < argc; i++) std::fprintf(out, " %s", argv[i]);
  std::fclose(out);
  return 0;
}
