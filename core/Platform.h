// The one seam between core code and the operating system.
//
// Core code (strings, arrays, values, dates, digests) builds twice: for the
// engine, against Win32, and natively on the host so that it can run under
// the sanitizers and fuzzers. Everything core asks of the platform goes
// through the few functions below; PlatformWin32.cpp forwards them to the
// real calls, PlatformHost.cpp stands in for them with the Windows-1252 table
// and the C library's clocks.
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

// UTF-16 code unit on both builds (wchar_t is 32-bit on the host). At the
// Win32 boundary a UniChar* is passed where the API wants a WCHAR*.
typedef char16_t UniChar;

#ifdef _WIN32
inline const WCHAR* AsWide(const UniChar* s) { return reinterpret_cast<const WCHAR*>(s); }
inline WCHAR* AsWide(UniChar* s) { return reinterpret_cast<WCHAR*>(s); }
#endif

// ANSI code page <-> UTF-16, with the contract of MultiByteToWideChar and
// WideCharToMultiByte for CP_ACP: a count of -1 converts up to and including
// the terminating 0; a null or zero-sized output asks for the size needed;
// the result is the number of units written (or needed), 0 on failure.
int PlatformAnsiToWide(const char* text, int count, UniChar* out, int outSize);
int PlatformWideToAnsi(const UniChar* text, int count, char* out, int outSize);

// The platform's Unicode classification of one UTF-16 unit, as the
// CT_CTYPE1 bits of GetStringTypeW report it.
enum : unsigned { kWideUpper = 0x1, kWideLower = 0x2, kWideDigit = 0x4, kWideAlpha = 0x100 };
unsigned PlatformWideCharType(UniChar c);

// Milliseconds since some fixed point, wrapping at 2^32 (timeGetTime).
uint32_t PlatformMilliseconds();
// The same, coarser (GetTickCount): enough for a random seed, and free of
// the multimedia library, which brings the whole window system with it.
uint32_t PlatformCoarseMilliseconds();
// High-resolution counter and its ticks per second (0: no usable counter).
int64_t PlatformPerformanceCounter();
int64_t PlatformPerformanceFrequency();

// A calendar moment, as the platform's SYSTEMTIME lays it out.
struct PlatformTime {
  int year, month, dayOfWeek, day, hour, minute, second, milliseconds;
};
void PlatformLocalTime(PlatformTime& out);
void PlatformUniversalTime(PlatformTime& out);
