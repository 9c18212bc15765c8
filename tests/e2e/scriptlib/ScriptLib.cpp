// The exports that scripts call through the Dll class. Each exists twice,
// with the suffix C as CDECL and S as STDCALL, and its answer depends on
// every argument, so that a misplaced or mistyped word shows in the text
// the script gets back.
#include <cstdint>
#include <cstdio>
#include <cstring>

// Defines one body under both conventions.
#define BOTH(result, name, parameters, body)  \
  extern "C" result __cdecl name##C parameters body \
  extern "C" result __stdcall name##S parameters body

static char g_text[512];
static char16_t g_wide[128];
static int32_t g_touched;

// UTF-16 as ASCII: other units as <hex>, so that the code page shows.
static void AppendWide(char* out, size_t room, const char16_t* u) {
  for (; u && *u; u++) {
    size_t n = std::strlen(out);
    if (*u < 128)
      std::snprintf(out + n, room - n, "%c", char(*u));
    else
      std::snprintf(out + n, room - n, "<%X>", unsigned(*u));
  }
}

// Every argument type at once.
BOTH(const char*, Describe,
     (int32_t i, int64_t l, float f, double d, const char* s, const char16_t* u, int32_t* p), {
       std::snprintf(g_text, sizeof g_text, "i=%ld l=%lld f=%g d=%.10g s=[%s] u=[", long(i),
                     (long long)l, double(f), d, s ? s : "<null>");
       AppendWide(g_text, sizeof g_text, u);
       size_t n = std::strlen(g_text);
       if (p)
         std::snprintf(g_text + n, sizeof g_text - n, "] p=%ld", long(*p));
       else
         std::snprintf(g_text + n, sizeof g_text - n, "] p=<null>");
       return static_cast<const char*>(g_text);
     })

BOTH(int32_t, Int, (int32_t a, int32_t b), { return a * 1000 + b; })

BOTH(int64_t, Int64, (int64_t a, int32_t b), { return a - b; })

BOTH(float, Float, (float a, int32_t b), { return a * float(b); })

BOTH(double, Double, (double a, double b), { return a + b; })

// The text with "!" after it.
BOTH(const char16_t*, Wide, (const char16_t* u), {
  int i = 0;
  for (; u && u[i] && i < 120; i++) g_wide[i] = u[i];
  g_wide[i] = u'!';
  g_wide[i + 1] = 0;
  return static_cast<const char16_t*>(g_wide);
})

// What the cell holds, plus one; the cell itself is doubled.
BOTH(int32_t, Deref, (int32_t* p), {
  if (!p) return -1;
  *p *= 2;
  return *p / 2 + 1;
})

BOTH(void*, Address, (int32_t v), { return reinterpret_cast<void*>(intptr_t(v)); })

// A call without result, seen through Count.
BOTH(void, Touch, (int32_t by), { g_touched += by; })

extern "C" int32_t __cdecl Count() { return g_touched; }

extern "C" const char* __cdecl NullText() { return nullptr; }

extern "C" const char16_t* __cdecl NullWide() { return nullptr; }

// 1 for a null text, 2 for an empty one, 0 otherwise.
extern "C" int32_t __cdecl IsNull(const char* s) { return !s ? 1 : !*s ? 2 : 0; }
