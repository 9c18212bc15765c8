// The exports that the typed-call tests call. Each function exists twice,
// with the suffix C as CDECL and S as STDCALL, and answers something that
// depends on every argument, so that a misplaced word shows.
#include <cstdint>
#include <cstring>

#define EXPORT extern "C" __declspec(dllexport)

// Defines one body under both conventions.
#define BOTH(result, name, parameters, body)                 \
  EXPORT result __cdecl name##C parameters body              \
  EXPORT result __stdcall name##S parameters body

// What the last Record call received, read back through Received().
struct ReceivedArguments {
  int32_t i;
  int64_t l;
  float f;
  double d;
  char s[64];
  char16_t u[64];
  void* p;
  int32_t calls;
};

static ReceivedArguments g_received;
static char g_text[128];
static char16_t g_wide[128];

static void CopyWide(char16_t* to, const char16_t* from, int room) {
  int i = 0;
  for (; from && from[i] && i < room - 1; i++) to[i] = from[i];
  to[i] = 0;
}

BOTH(void, Record,
     (int32_t i, int64_t l, float f, double d, const char* s, const char16_t* u, void* p), {
       g_received.i = i;
       g_received.l = l;
       g_received.f = f;
       g_received.d = d;
       std::strncpy(g_received.s, s ? s : "", sizeof g_received.s - 1);
       CopyWide(g_received.u, u, 64);
       g_received.p = p;
       g_received.calls++;
     })

EXPORT ReceivedArguments* __cdecl Received() { return &g_received; }

BOTH(int32_t, Int, (int32_t a, int32_t b), { return a * 1000 + b; })

BOTH(int64_t, Int64, (int64_t a, int32_t b), { return a + b; })

BOTH(float, Float, (float a, int32_t b), { return a * float(b); })

BOTH(double, Double, (int32_t a, double b), { return double(a) + b; })

BOTH(const char*, Str, (const char* s, int32_t n), {
  std::memset(g_text, 0, sizeof g_text);
  g_text[0] = '<';
  std::strncpy(g_text + 1, s, 100);
  std::size_t end = std::strlen(g_text);
  g_text[end] = char('0' + n % 10);
  g_text[end + 1] = '>';
  return static_cast<const char*>(g_text);
})

// The text with "!" after it.
BOTH(const char16_t*, UStr, (const char16_t* u), {
  CopyWide(g_wide, u, 120);
  int end = 0;
  while (g_wide[end]) end++;
  g_wide[end] = u'!';
  g_wide[end + 1] = 0;
  return static_cast<const char16_t*>(g_wide);
})

BOTH(void*, Ptr, (void* p, int32_t offset), { return static_cast<char*>(p) + offset; })

BOTH(void, Store, (int32_t* out, int32_t value), { *out = value; })

BOTH(const char*, Null, (), { return nullptr; })
