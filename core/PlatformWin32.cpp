#include "core/Platform.h"

#include <mmsystem.h>

int PlatformAnsiToWide(const char* text, int count, UniChar* out, int outSize) {
  return MultiByteToWideChar(CP_ACP, 0, text, count, AsWide(out), out ? outSize : 0);
}

int PlatformWideToAnsi(const UniChar* text, int count, char* out, int outSize) {
  return WideCharToMultiByte(CP_ACP, 0, AsWide(text), count, out, out ? outSize : 0,
                             nullptr, nullptr);
}

unsigned PlatformWideCharType(UniChar c) {
  WORD type = 0;
  if (!GetStringTypeW(CT_CTYPE1, AsWide(&c), 1, &type)) return 0;
  return type;
}

uint32_t PlatformMilliseconds() { return timeGetTime(); }

uint32_t PlatformCoarseMilliseconds() { return GetTickCount(); }

int64_t PlatformPerformanceCounter() {
  LARGE_INTEGER v;
  QueryPerformanceCounter(&v);
  return v.QuadPart;
}

int64_t PlatformPerformanceFrequency() {
  LARGE_INTEGER v;
  if (!QueryPerformanceFrequency(&v)) return 0;  // no usable counter
  return v.QuadPart;
}

static void FromSystemTime(const SYSTEMTIME& st, PlatformTime& out) {
  out = {st.wYear, st.wMonth, st.wDayOfWeek, st.wDay,
         st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

void PlatformLocalTime(PlatformTime& out) {
  SYSTEMTIME st;
  GetLocalTime(&st);
  FromSystemTime(st, out);
}

void PlatformUniversalTime(PlatformTime& out) {
  SYSTEMTIME st;
  GetSystemTime(&st);
  FromSystemTime(st, out);
}
