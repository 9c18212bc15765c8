// STextStorage: the buffer and the search, edit and transform logic that
// SString (8-bit) and SUniString (UTF-16) share, written once for a unit
// type C. Each string class derives from it, keeps its own public interface
// and answers through these operations where its rule is the same.
//
// The fields, in order: the text and its 0 (null only in the no-buffer
// state), the length in units, the capacity in units (the rule of
// CanonicalCapacity.h, or length + 1 for an attached buffer) and two free
// words for the owner that no text operation reads or changes. Buffers come
// from malloc/free. Case folding and blanks know ASCII only.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/CanonicalCapacity.h"

template <class C>
class STextStorage {
 public:
  STextStorage(const STextStorage&) = delete;
  STextStorage& operator=(const STextStorage&) = delete;

 protected:
  // The longest text whose buffer (2^30 bytes) can still be allocated and
  // described by the signed capacity field.
  static constexpr int64_t kMaxLength = 0x3FFFFFFF / int64_t(sizeof(C));

  STextStorage() : m_data(nullptr), m_length(0), m_capacity(0), m_tag1(0), m_tag2(0) {}
  ~STextStorage() { std::free(m_data); }

  static int32_t Capacity(int64_t n) { return CanonicalCapacity(n, kMaxLength); }

  static C* Allocate(int64_t units) {
    void* p = std::malloc(static_cast<size_t>(units) * sizeof(C));
    if (!p) std::abort();
    return static_cast<C*>(p);
  }

  // memmove of n units; nothing for n <= 0.
  static void CopyUnits(C* to, const C* from, int64_t n) {
    if (n > 0) std::memmove(to, from, static_cast<size_t>(n) * sizeof(C));
  }

  static int TextLength(const C* text) {
    int n = 0;
    if (text)
      while (text[n]) n++;
    return n;
  }

  static C LowerUnit(C c) { return (c >= C('A') && c <= C('Z')) ? C(c + ('a' - 'A')) : c; }
  static C UpperUnit(C c) { return (c >= C('a') && c <= C('z')) ? C(c - ('a' - 'A')) : c; }
  static bool IsBlankUnit(C c, bool spacesOnly) { return c == C(' ') || (!spacesOnly && c == C('\t')); }

  static bool EqualNoCase(const C* a, const C* b, int n) {
    for (int i = 0; i < n; i++)
      if (LowerUnit(a[i]) != LowerUnit(b[i])) return false;
    return true;
  }

  // ---- Storage ----------------------------------------------------------------

  // Gives the buffer the canonical capacity of n (keeping the first
  // min(n, length) units when asked), then sets the length and its 0.
  void Resize(int64_t n, bool keep) {
    if (n < 0) n = 0;
    int32_t capacity = Capacity(n);
    if (!m_data || capacity != m_capacity) {
      C* buffer = Allocate(capacity);
      int64_t kept = n < m_length ? n : m_length;
      if (keep && m_data) CopyUnits(buffer, m_data, kept);
      std::free(m_data);
      m_data = buffer;
      m_capacity = capacity;
    }
    m_length = static_cast<int32_t>(n);
    m_data[n] = 0;
  }

  // Replaces the text with n units that may lie inside the current buffer.
  void AssignUnits(const C* units, int n) {
    if (n < 0) n = 0;
    int32_t capacity = Capacity(n);
    if (!m_data || capacity != m_capacity) {
      // The new buffer is filled before the old one goes, so a source inside
      // the old buffer stays readable.
      C* buffer = Allocate(capacity);
      CopyUnits(buffer, units, n);
      std::free(m_data);
      m_data = buffer;
      m_capacity = capacity;
    } else if (units != m_data) {
      CopyUnits(m_data, units, n);
    }
    m_length = n;
    m_data[n] = 0;
  }

  // Takes the other's buffer when a copy would have produced the same
  // capacity (so the move is invisible), else copies and frees it; the
  // other is left in the no-buffer state. Text only.
  void MoveFrom(STextStorage& other) {
    if (&other == this) return;
    if (other.m_data && other.m_capacity == Capacity(other.m_length)) {
      std::free(m_data);
      m_data = other.m_data;
      m_length = other.m_length;
      m_capacity = other.m_capacity;
    } else {
      AssignUnits(other.m_data ? other.m_data : EmptyText(), other.m_length);
      std::free(other.m_data);
    }
    other.m_data = nullptr;
    other.m_length = other.m_capacity = 0;
  }

  void AttachBuffer(C* buffer, int length) {
    // Attaching the buffer already held must not release it.
    if (buffer != m_data) std::free(m_data);
    if (!buffer) {
      m_data = nullptr;
      m_length = m_capacity = 0;
      return;
    }
    if (length < 0) length = TextLength(buffer);
    // The recorded capacity promises length + 1 units, so the terminating 0
    // can always be stored.
    buffer[length] = 0;
    m_data = buffer;
    m_length = length;
    m_capacity = length + 1;
  }

  void ResizeFilled(int n, C fill) {
    int old = m_length;
    Resize(n, true);
    if (fill != 0)
      for (int i = old; i < m_length; i++) m_data[i] = fill;
  }

  bool InBuffer(const C* p) const {
    auto at = reinterpret_cast<uintptr_t>(p);
    auto begin = reinterpret_cast<uintptr_t>(m_data);
    return m_data && at >= begin && at < begin + static_cast<uintptr_t>(m_capacity) * sizeof(C);
  }

  // ---- Editing ----------------------------------------------------------------

  // into becomes this text followed by text.
  void ConcatInto(STextStorage& into, const C* text) const {
    int n = TextLength(text);
    into.Resize(int64_t(m_length) + n, false);
    CopyUnits(into.m_data, m_data, m_length);
    CopyUnits(into.m_data + m_length, text, n);
  }

  void AppendUnits(const C* text) {
    int n = TextLength(text);
    int64_t length = int64_t(m_length) + n;
    int32_t capacity = Capacity(length);
    if (!m_data || capacity != m_capacity) {
      C* buffer = Allocate(capacity);
      CopyUnits(buffer, m_data, m_length);
      CopyUnits(buffer + m_length, text, n);
      std::free(m_data);
      m_data = buffer;
      m_capacity = capacity;
    } else {
      // text may be a part of this very buffer, even past a cut made by SetAt.
      CopyUnits(m_data + m_length, text, n);
    }
    m_length = static_cast<int32_t>(length);
    m_data[length] = 0;
  }

  // Makes room for n units at pos by moving the tail up.
  void OpenGap(int pos, int64_t n) {
    int old = m_length;
    Resize(int64_t(old) + n, true);
    if (old > pos) CopyUnits(m_data + pos + n, m_data + pos, old - pos);
  }

  void InsertUnits(const C* text, int pos, int repeat) {
    int n = TextLength(text);
    if (pos < 0) pos = m_length;
    if (pos > m_length || repeat < 1 || n == 0) return;
    // Growing may move the buffer, so a text taken from it is copied first.
    STextStorage own;
    if (InBuffer(text)) {
      own.AssignUnits(text, n);
      text = own.m_data;
    }
    OpenGap(pos, int64_t(n) * repeat);
    for (int i = 0; i < repeat; i++) CopyUnits(m_data + pos + int64_t(i) * n, text, n);
  }

  void InsertRun(int n, C c, int pos) {
    if (pos < 0) pos = m_length;
    if (pos > m_length || n < 1) return;
    OpenGap(pos, n);
    for (int i = 0; i < n; i++) m_data[pos + i] = c;
  }

  int DeleteUnits(int pos, int count) {
    if (pos < 0) pos = 0;
    if (pos >= m_length) return 0;
    if (count < 0 || count > m_length - pos) count = m_length - pos;
    if (count == 0) return 0;
    int length = m_length - count;
    CopyUnits(m_data + pos, m_data + pos + count, length - pos);
    m_data[length] = 0;
    Resize(length, true);
    return count;
  }

  // Replaces count units at pos (both already inside the text) by text.
  void ReplaceUnits(int pos, int count, const C* text) {
    int n = TextLength(text);
    STextStorage own;
    if (InBuffer(text)) {
      own.AssignUnits(text, n);
      text = own.m_data;
    }
    if (n < count)
      DeleteUnits(pos + n, count - n);
    else if (n > count)
      InsertRun(n - count, C('#'), pos);  // room for the text, written over next
    CopyUnits(m_data + pos, text, n);
  }

  void OverwriteUnits(int pos, int count, const C* text) {
    if (pos < 0) pos = 0;
    if (pos > m_length) return;
    if (count < 0 || count > m_length - pos) count = m_length - pos;
    ReplaceUnits(pos, count, text);
  }

  // ---- Search ------------------------------------------------------------------

  // Clips (start, count) to the text by the range rule; false: no range.
  bool ClipRange(int& start, int& count) const {
    if (start < 0) start = 0;
    if (start >= m_length) return false;
    if (count < 0 || count > m_length - start) count = m_length - start;
    return true;
  }

  int FindUnits(const C* text, int start, int count, bool after) const {
    int n = TextLength(text);
    if (n == 0 || !ClipRange(start, count)) return -1;
    int end = start + count;
    for (int p = start; n <= end - p; p++)
      if (std::memcmp(m_data + p, text, static_cast<size_t>(n) * sizeof(C)) == 0) return after ? p + n : p;
    return -1;
  }

  int FindUnitsNoCase(const C* text, int start, int count) const {
    int n = TextLength(text);
    if (n == 0 || !ClipRange(start, count)) return -1;
    int end = start + count;
    for (int p = start; n <= end - p; p++)
      if (EqualNoCase(m_data + p, text, n)) return p;
    return -1;
  }

  // ---- Transforms -----------------------------------------------------------------

  // n > 0 cuts n units, n < 0 the blanks; answers the blanks cut.
  int TrimLeadingUnits(int n, bool spacesOnly) {
    if (n > 0) {
      DeleteUnits(0, n);
      return 0;
    }
    if (n == 0) return 0;
    int i = 0;
    while (i < m_length && IsBlankUnit(m_data[i], spacesOnly)) i++;
    DeleteUnits(0, i);
    return i;
  }

  void TrimTrailingUnits(int n, bool spacesOnly) {
    if (n > 0) {
      DeleteUnits(m_length > n ? m_length - n : 0, -1);
      return;
    }
    if (n == 0) return;
    int end = m_length;
    while (end > 0 && IsBlankUnit(m_data[end - 1], spacesOnly)) end--;
    DeleteUnits(end, -1);
  }

  void LowerUnits() {
    for (int i = 0; i < m_length; i++) m_data[i] = LowerUnit(m_data[i]);
  }

  void UpperUnits() {
    for (int i = 0; i < m_length; i++) m_data[i] = UpperUnit(m_data[i]);
  }

  void RemoveBlankUnits(bool tabsToo) {
    int kept = 0;
    for (int i = 0; i < m_length; i++)
      if (!IsBlankUnit(m_data[i], !tabsToo)) m_data[kept++] = m_data[i];
    if (kept < m_length) Resize(kept, true);
  }

  void ReverseUnits() {
    for (int i = 0, j = m_length - 1; i < j; i++, j--) {
      C c = m_data[i];
      m_data[i] = m_data[j];
      m_data[j] = c;
    }
  }

  // Every non-overlapping match inside the range; answers the count.
  int ReplaceAll(int start, int count, const C* find, const C* replacement, bool caseSensitive) {
    int n = TextLength(find);
    if (n == 0 || !ClipRange(start, count)) return 0;
    // Own copies: either text may point into this buffer, which every
    // replacement may move.
    STextStorage what, with;
    what.AssignUnits(find, n);
    with.AssignUnits(replacement ? replacement : EmptyText(), TextLength(replacement));
    int m = with.m_length;
    int end = start + count, hits = 0;
    for (int p = start;;) {
      int hit = caseSensitive ? FindUnits(what.m_data, p, end - p, false)
                              : FindUnitsNoCase(what.m_data, p, end - p);
      if (hit < 0) return hits;
      OverwriteUnits(hit, n, with.m_data);
      p = hit + m;
      end += m - n;
      hits++;
    }
  }

  // Longer than 1, starts and ends with c, no c in between.
  bool IsEnclosedByUnit(C c) const {
    if (m_length < 2 || m_data[0] != c || m_data[m_length - 1] != c) return false;
    for (int i = 1; i < m_length - 1; i++)
      if (m_data[i] == c) return false;
    return true;
  }

  bool UnencloseUnit(C c) {
    if (!IsEnclosedByUnit(c)) return false;
    DeleteUnits(m_length - 1, 1);
    DeleteUnits(0, 1);
    return true;
  }

  static const C* EmptyText() {
    static const C empty[1] = {0};
    return empty;
  }

  C* m_data;           // text and its 0; null only in the no-buffer state
  int32_t m_length;    // units of text, without the terminating 0
  int32_t m_capacity;  // units allocated (0 without buffer)
  int32_t m_tag1;      // free words for the owner; no text operation
  int32_t m_tag2;      //   reads or changes them
};
