// SArray: the growable array behind every list of the framework and the
// engine.
//
// Storage follows the count: the buffer always has the canonical capacity of
// the count last set (8, doubled until it holds the count), and it is
// reallocated whenever that capacity changes, so arrays shrink as well as
// grow. Elements move inside the array by plain assignment of T; only slots
// created by insertion pass through the virtual CopyElement.
//
// An array of pointers owns its buffer and nothing it points to: emptying,
// shrinking, assigning or destroying it never deletes a pointed object. Only
// the Delete family does, and an owner calls it before it empties the array.
//
// Ranges:
//   removal and deletion: (start, number), number < 0 reaching the end;
//   search, sort, shuffle and duplicates: (start, end) with end exclusive,
//     an end below 0 or past the count meaning the count;
//   a start outside 0 .. count-1 does nothing (searches answer -1).
// An insertion index below 0 or past the count appends.
//
// The eight virtual operations, in this order, are the element contract a
// derived array may change: destructor, Assign, FreeStorage, CopyElement,
// DestroyElement, CompareElements, ParseElement, FormatElement.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

#include "core/NumberFunctions.h"
#include "core/SString.h"

class SFile;

// Elements whose objects the Delete family may delete: pointers to objects
// (an untyped pointer names no object to delete).
template <class T>
concept SArrayObjectPointer =
    std::is_pointer_v<T> && !std::is_void_v<std::remove_cv_t<std::remove_pointer_t<T>>>;

template <class T>
class SArray {
 public:
  // ---- Construction and the element contract -----------------------------------

  SArray() : m_fixedStorage(false), m_capacity(0), m_count(0), m_data(nullptr), m_compareMode(0) {}
  // A shallow copy, as Assign makes it.
  SArray(const SArray& other) : SArray() { SArray::Assign(other); }
  SArray& operator=(const SArray& other) { return Assign(other); }

  // Releases the buffer only, always by this template's own FreeStorage: a
  // derived array has already released what it owns in its own destructor.
  virtual ~SArray() { SArray::FreeStorage(); }

  // Shallow copy: count, compare mode and every element by plain assignment.
  virtual SArray& Assign(const SArray& source);
  // Releases the buffer (capacity, count and compare mode back to 0). Without
  // a buffer nothing changes, so the compare mode survives.
  virtual void FreeStorage();
  // Writes one slot made by InsertAt or Add.
  virtual void CopyElement(T* dest, const T* source, int index, int extra) {
    (void)index, (void)extra;
    *dest = *source;
  }
  // Called for a non-null element just before the Delete family deletes its
  // object; an override that deletes it itself nulls the slot.
  virtual void DestroyElement(T* slot, int index, int extra) { (void)slot, (void)index, (void)extra; }
  // -2 means no opinion: Compare then falls back to DefaultCompare.
  virtual int CompareElements(const T* a, const T* b, int mode, int extra) const {
    (void)a, (void)b, (void)mode, (void)extra;
    return -2;
  }
  // One text line into the slot, and one element out as a text line.
  virtual void ParseElement(T* slot, const char* line, int index, int extra) {
    (void)slot, (void)line, (void)index, (void)extra;
  }
  virtual SString FormatElement(T element, int index, int extra) const {
    (void)element, (void)index, (void)extra;
    return SString();
  }

  // ---- Storage ------------------------------------------------------------------

  int GetCount() const { return m_count; }
  int GetCapacity() const { return m_capacity; }
  int GetCompareMode() const { return m_compareMode; }
  void SetCompareMode(int mode) { m_compareMode = mode; }

  // Sets the count (negative gives 0) and moves to the canonical capacity;
  // keep copies the elements that survive. False when the buffer could not
  // be allocated: the array is then left exactly as it was.
  bool SetSize(int n, bool keep);
  bool Resize(int n) { return SetSize(n, true); }
  // Count 0 in an 8-slot buffer; an empty array is left untouched.
  void RemoveAll() {
    if (m_count != 0) SetSize(0, false);
  }

  // Sign of the array's order of a and b: the virtual CompareElements, or
  // the natural order of T when it has no opinion.
  int Compare(const T* a, const T* b, int mode, int extra) const {
    int r = CompareElements(a, b, mode, extra);
    return r == -2 ? DefaultCompare(a, b, mode) : r;
  }
  // Natural order of T; mode bit 0 reverses it. Unordered values (NaN)
  // count as greater.
  static int DefaultCompare(const T* a, const T* b, int mode);

  // ---- Element access (the unchecked ones trust the index) --------------------------

  T GetAt(int i) const { return m_data[i]; }
  T* GetPtr(int i) { return &m_data[i]; }
  const T* GetPtr(int i) const { return &m_data[i]; }
  T* GetPtrChecked(int i) { return InRange(i) ? &m_data[i] : nullptr; }
  T GetFirst() const { return m_data[0]; }
  T GetLast() const { return m_data[m_count - 1]; }
  // Index -1 sets every element.
  void SetAt(int i, T value);
  void SetLast(T value) {
    if (m_count > 0) m_data[m_count - 1] = value;
  }
  bool Swap(int a, int b);

  // ---- Insertion, removal, moving ------------------------------------------------------

  // n copies of value at i; the index of the first, -1 when n < 1 (or when
  // the buffer could not grow).
  int InsertAt(T value, int i, int n = 1);
  int Add(T value) { return InsertAt(value, -1, 1); }
  void RemoveAt(int start, int n = 1);
  void RemoveLast() {
    if (m_count > 0) RemoveAt(m_count - 1, 1);
  }
  bool Move(int from, int to, int n = 1);
  int RemoveValue(T value, int start = 0, int end = -1, int extra = 0);
  int RemoveDuplicates(int start = 0, int end = -1, int extra = 0);

  // ---- Searching and ordering ---------------------------------------------------------

  int Find(T value, int start = 0, int end = -1, int extra = 0) const;
  // The range must be sorted in the array's compare order.
  int BinaryFind(T value, int start = 0, int end = -1, int extra = 0) const;
  int FindInsertPosition(T value, int start = 0, int end = -1, int extra = 0) const;
  int InsertSorted(T value, int start = 0, int end = -1, int extra = 0);
  void Sort(int start = 0, int end = -1, int extra = 0);
  void SortRange(int start, int end) { Sort(start, end, 0); }

  // ---- Random order (the run-time library's rand(), seeded by SeedRandom) -----------

  void Shuffle(int start = 0, int end = -1);
  // The caller guarantees 0 <= start < end.
  T RandomPick(int start, int end) const;

  // ---- Deleting pointed objects (arrays of pointers to objects only) ---------------
  //
  // To delete an element: skip a null slot, call DestroyElement, delete the
  // object unless the hook already did, null the slot.

  void DeleteRange(int start, int n)
    requires SArrayObjectPointer<T>;
  void DeleteAll()
    requires SArrayObjectPointer<T>;
  void DeleteLast()
    requires SArrayObjectPointer<T>;
  void DeleteAndRemoveAt(int start, int n)
    requires SArrayObjectPointer<T>;
  void DeleteAndRemoveLast()
    requires SArrayObjectPointer<T>;
  // The value-based deletions below may meet one object in several slots:
  // each object is deleted once, when its last slot in the array goes.
  int DeleteValue(T value, int start = 0, int end = -1, int extra = 0)
    requires SArrayObjectPointer<T>;
  int DeleteAndRemoveValue(T value, int start = 0, int end = -1, int extra = 0)
    requires SArrayObjectPointer<T>;
  int DeleteDuplicatesInPlace(int start = 0, int end = -1, int extra = 0)
    requires SArrayObjectPointer<T>;
  int DeleteDuplicates(int start = 0, int end = -1, int extra = 0)
    requires SArrayObjectPointer<T>;
  void Purge()
    requires SArrayObjectPointer<T>
  {
    DeleteAll();
    RemoveAll();
  }

  // ---- Text lines (defined with the stream layer, which knows SFile) ---------------

  bool LoadLines(SFile* stream, int extra);
  bool SaveLines(SFile* stream, int extra);

 private:
  bool InRange(int i) const { return i >= 0 && i < m_count; }
  // Search range rule: false when start is outside the array; end clipped.
  bool ClipSearchRange(int start, int& end) const;
  // Removal range rule: false when nothing is to be removed; n clipped.
  bool ClipRemovalRange(int start, int& n) const;
  int BinarySearch(T value, int start, int end, int extra, int& lo) const;
  void Partition(int s, int e, int extra, int& last);
  void DeleteElement(int i)
    requires SArrayObjectPointer<T>;
  // As DeleteElement, but an object that another slot still holds only
  // loses this slot.
  void DeleteElementOnce(int i)
    requires SArrayObjectPointer<T>;
  bool HeldElsewhere(int i) const
    requires SArrayObjectPointer<T>;

  bool m_fixedStorage;  // nothing sets it; SetSize then keeps the buffer
  int32_t m_capacity;   // slots in m_data, 0 without a buffer
  int32_t m_count;      // elements in use
  T* m_data;            // capacity default-constructed slots, or null
  int32_t m_compareMode;  // bit 0 descending; higher bits for derived arrays
};

// ==== Storage =================================================================================

template <class T>
SArray<T>& SArray<T>::Assign(const SArray& source) {
  if (&source == this) return *this;
  if (!SetSize(source.m_count, false)) return *this;
  m_compareMode = source.m_compareMode;
  for (int i = 0; i < m_count; i++) m_data[i] = source.m_data[i];
  return *this;
}

template <class T>
void SArray<T>::FreeStorage() {
  if (!m_data) return;
  delete[] m_data;
  m_data = nullptr;
  m_capacity = 0;
  m_count = 0;
  m_compareMode = 0;
}

template <class T>
bool SArray<T>::SetSize(int n, bool keep) {
  int oldCount = m_count;
  m_count = n < 0 ? 0 : n;
  if (m_fixedStorage) return true;
  int64_t capacity = 8;
  while (capacity < m_count) capacity *= 2;
  if (capacity == m_capacity && m_data) {
    // Slots the count grows into read as T(), never as an element removed
    // earlier: an owning array must not meet a pointer it no longer owns.
    for (int i = oldCount; i < m_count; i++) m_data[i] = T();
    return true;
  }
  // A capacity beyond what the signed fields and the address space can
  // describe is an allocation failure like any other.
  if (capacity > INT32_MAX || static_cast<uint64_t>(capacity) > SIZE_MAX / sizeof(T)) {
    m_count = oldCount;
    return false;
  }
  // Value-initialised for the same reason.
  T* buffer = new (std::nothrow) T[static_cast<size_t>(capacity)]();
  if (!buffer) {
    m_count = oldCount;
    return false;
  }
  if (keep && m_data) {
    int kept = oldCount < m_count ? oldCount : m_count;
    for (int i = 0; i < kept; i++) buffer[i] = m_data[i];
  }
  m_capacity = static_cast<int32_t>(capacity);
  delete[] m_data;
  m_data = buffer;
  return true;
}

template <class T>
int SArray<T>::DefaultCompare(const T* a, const T* b, int mode) {
  bool less, equal;
  if constexpr (std::is_pointer_v<T>) {
    // Addresses as unsigned numbers.
    uintptr_t x = reinterpret_cast<uintptr_t>(*a), y = reinterpret_cast<uintptr_t>(*b);
    less = x < y;
    equal = x == y;
  } else if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>) {
    less = *a < *b;
    equal = *a == *b;
  } else {
    // Records stored by value (RECT, POINT, GUID) have no natural order:
    // their bytes give equality and a stable order.
    static_assert(std::is_trivially_copyable_v<T>, "no natural order for this element type");
    int r = std::memcmp(a, b, sizeof(T));
    less = r < 0;
    equal = r == 0;
  }
  if (equal) return 0;
  bool descending = (mode & 1) != 0;
  if (less) return descending ? 1 : -1;
  return descending ? -1 : 1;
}

// ==== Element access ============================================================================

template <class T>
void SArray<T>::SetAt(int i, T value) {
  if (i == -1) {
    for (int k = 0; k < m_count; k++) m_data[k] = value;
  } else if (InRange(i)) {
    m_data[i] = value;
  }
}

template <class T>
bool SArray<T>::Swap(int a, int b) {
  if (!InRange(a) || !InRange(b) || a == b) return false;
  T t = m_data[a];
  m_data[a] = m_data[b];
  m_data[b] = t;
  return true;
}

// ==== Range rules =================================================================================

template <class T>
bool SArray<T>::ClipSearchRange(int start, int& end) const {
  if (start < 0 || start >= m_count) return false;
  if (end < 0 || end > m_count) end = m_count;
  return true;
}

template <class T>
bool SArray<T>::ClipRemovalRange(int start, int& n) const {
  if (start < 0 || start >= m_count) return false;
  if (n < 0 || n > m_count - start) n = m_count - start;
  return n >= 1;
}

// ==== Insertion, removal, moving ====================================================================

template <class T>
int SArray<T>::InsertAt(T value, int i, int n) {
  if (i < 0 || i > m_count) i = m_count;
  if (n < 1) return -1;
  if (!Resize(m_count + n)) return -1;
  for (int k = m_count - 1; k >= i + n; k--) m_data[k] = m_data[k - n];
  for (int j = 0; j < n; j++) CopyElement(&m_data[i + j], &value, i + j, 0);
  return i;
}

template <class T>
void SArray<T>::RemoveAt(int start, int n) {
  if (!ClipRemovalRange(start, n)) return;
  for (int k = start; k < m_count - n; k++) m_data[k] = m_data[k + n];
  Resize(m_count - n);
}

template <class T>
bool SArray<T>::Move(int from, int to, int n) {
  if (!InRange(from) || to < -1 || to > m_count || n < 1) return false;
  if (to == -1 || to >= m_count) to = m_count - 1;
  if (from == to || from + n > m_count) return false;
  if (to > from && to + n > m_count) to = m_count - n;
  if (n == 1) {
    T saved = m_data[from];
    if (to < from) {
      for (int k = from; k > to; k--) m_data[k] = m_data[k - 1];
    } else {
      for (int k = from; k < to; k++) m_data[k] = m_data[k + 1];
    }
    m_data[to] = saved;
    return true;
  }
  T* block = new (std::nothrow) T[static_cast<size_t>(n)];
  if (!block) return false;
  for (int j = 0; j < n; j++) block[j] = m_data[from + j];
  if (to < from) {
    for (int k = from + n - 1; k >= to + n; k--) m_data[k] = m_data[k - n];
  } else {
    for (int k = from; k < to; k++) m_data[k] = m_data[k + n];
  }
  for (int j = 0; j < n; j++) m_data[to + j] = block[j];
  delete[] block;
  return true;
}

template <class T>
int SArray<T>::RemoveValue(T value, int start, int end, int extra) {
  if (!ClipSearchRange(start, end)) return 0;
  int removed = 0;
  for (int i = start; i < end;) {
    if (Compare(&m_data[i], &value, m_compareMode, extra) == 0) {
      RemoveAt(i, 1);
      end--;
      removed++;
    } else {
      i++;
    }
  }
  return removed;
}

template <class T>
int SArray<T>::RemoveDuplicates(int start, int end, int extra) {
  if (!ClipSearchRange(start, end)) return 0;
  int removed = 0;
  for (int a = start; a < end; a++) {
    for (int i = a + 1; i < end;) {
      if (Compare(&m_data[i], &m_data[a], m_compareMode, extra) == 0) {
        RemoveAt(i, 1);
        end--;
        removed++;
      } else {
        i++;
      }
    }
  }
  return removed;
}

// ==== Searching and ordering ==========================================================================

template <class T>
int SArray<T>::Find(T value, int start, int end, int extra) const {
  if (!ClipSearchRange(start, end)) return -1;
  for (int i = start; i < end; i++)
    if (Compare(&m_data[i], &value, m_compareMode, extra) == 0) return i;
  return -1;
}

// The shared halving loop: the index of an equal element, or -1 with lo
// where the search stopped.
template <class T>
int SArray<T>::BinarySearch(T value, int start, int end, int extra, int& lo) const {
  lo = start;
  int hi = end;
  while (hi - lo > 0) {
    int mid = (lo + hi) / 2;
    int r = Compare(&value, &m_data[mid], m_compareMode, extra);
    if (r == 0) return mid;
    if (r < 0)
      hi = mid;
    else
      lo = mid + 1;
  }
  return -1;
}

template <class T>
int SArray<T>::BinaryFind(T value, int start, int end, int extra) const {
  if (!ClipSearchRange(start, end) || end <= start) return -1;
  int lo;
  return BinarySearch(value, start, end, extra, lo);
}

template <class T>
int SArray<T>::FindInsertPosition(T value, int start, int end, int extra) const {
  if (!ClipSearchRange(start, end) || end <= start) return -1;
  int lo;
  int found = BinarySearch(value, start, end, extra, lo);
  if (found >= 0) return found;
  // The range may end before the array does: the element at lo then lies
  // outside it and still decides the side.
  if (lo < m_count) return Compare(&value, &m_data[lo], m_compareMode, extra) >= 0 ? lo + 1 : lo;
  return m_count;
}

template <class T>
int SArray<T>::InsertSorted(T value, int start, int end, int extra) {
  return InsertAt(value, FindInsertPosition(value, start, end, extra), 1);
}

// One quicksort step: the middle element is the pivot, moved to s; smaller
// elements gather behind it and the pivot ends between the two parts, at last.
template <class T>
void SArray<T>::Partition(int s, int e, int extra, int& last) {
  Swap(s, s + (e - 1 - s) / 2);
  last = s;
  for (int i = s + 1; i < e; i++) {
    if (Compare(&m_data[i], &m_data[s], m_compareMode, extra) < 0) {
      last++;
      Swap(last, i);
    }
  }
  Swap(s, last);
}

template <class T>
void SArray<T>::Sort(int start, int end, int extra) {
  // Only -1 stands for the count; any other end outside the array is a
  // mistaken range and leaves the order as it was.
  if (m_count < 2 || start < 0 || start > m_count || end < -1 || end > m_count) return;
  if (end == -1) end = m_count;
  // The two parts are independent, so their order of processing does not
  // change the result; the larger waits on the stack and the smaller is
  // sorted first, which bounds the stack at one entry per halving.
  struct Range {
    int s, e;
  } stack[64];
  int depth = 0;
  int s = start, e = end;
  for (;;) {
    if (e - s < 2) {
      if (depth == 0) return;
      depth--;
      s = stack[depth].s;
      e = stack[depth].e;
      continue;
    }
    int last;
    Partition(s, e, extra, last);
    if (last - s < e - (last + 1)) {
      stack[depth++] = {last + 1, e};
      e = last;
    } else {
      stack[depth++] = {s, last};
      s = last + 1;
    }
  }
}

// ==== Random order =====================================================================================

template <class T>
void SArray<T>::Shuffle(int start, int end) {
  if (!ClipSearchRange(start, end)) return;
  SArray<T> pool;
  for (int j = start; j < end; j++) pool.Add(m_data[j]);
  for (int j = start; j < end; j++) {
    int m = pool.GetCount();
    // The engine's generator yields 15 bits; a wider host generator is cut
    // to the same range so that k stays below m.
    int k = static_cast<int>((static_cast<double>(std::rand() & 0x7FFF) / 32768.0) * m);
    m_data[j] = pool.m_data[k];
    pool.RemoveAt(k, 1);
  }
}

template <class T>
T SArray<T>::RandomPick(int start, int end) const {
  if (end < 0 || end > m_count) end = m_count;
  return m_data[start + static_cast<int>(Random(static_cast<uint32_t>(end - start)))];
}

// ==== Deleting pointed objects ===========================================================================

template <class T>
void SArray<T>::DeleteElement(int i)
  requires SArrayObjectPointer<T>
{
  if (m_data[i] == nullptr) return;
  DestroyElement(&m_data[i], i, 0);
  if (m_data[i] != nullptr) delete m_data[i];
  m_data[i] = nullptr;
}
template <class T>
bool SArray<T>::HeldElsewhere(int i) const
  requires SArrayObjectPointer<T>
{
  for (int k = 0; k < m_count; k++)
    if (k != i && m_data[k] == m_data[i]) return true;
  return false;
}

template <class T>
void SArray<T>::DeleteElementOnce(int i)
  requires SArrayObjectPointer<T>
{
  if (m_data[i] != nullptr && HeldElsewhere(i))
    m_data[i] = nullptr;
  else
    DeleteElement(i);
}

template <class T>
void SArray<T>::DeleteRange(int start, int n)
  requires SArrayObjectPointer<T>
{
  if (!ClipRemovalRange(start, n)) return;
  for (int i = start; i < start + n; i++) DeleteElement(i);
}

template <class T>
void SArray<T>::DeleteAll()
  requires SArrayObjectPointer<T>
{
  if (!m_data) return;
  for (int i = 0; i < m_count; i++) DeleteElement(i);
}

template <class T>
void SArray<T>::DeleteLast()
  requires SArrayObjectPointer<T>
{
  if (m_count > 0) DeleteElement(m_count - 1);
}

template <class T>
void SArray<T>::DeleteAndRemoveAt(int start, int n)
  requires SArrayObjectPointer<T>
{
  DeleteRange(start, n);
  RemoveAt(start, n);
}

template <class T>
void SArray<T>::DeleteAndRemoveLast()
  requires SArrayObjectPointer<T>
{
  if (m_count > 0) DeleteAndRemoveAt(m_count - 1, 1);
}

template <class T>
int SArray<T>::DeleteValue(T value, int start, int end, int extra)
  requires SArrayObjectPointer<T>
{
  if (!ClipSearchRange(start, end)) return 0;
  int found = 0;
  for (int i = start; i < end; i++) {
    if (Compare(&m_data[i], &value, m_compareMode, extra) == 0) {
      DeleteElementOnce(i);
      found++;
    }
  }
  return found;
}

template <class T>
int SArray<T>::DeleteAndRemoveValue(T value, int start, int end, int extra)
  requires SArrayObjectPointer<T>
{
  if (!ClipSearchRange(start, end)) return 0;
  int removed = 0;
  for (int i = start; i < end;) {
    if (Compare(&m_data[i], &value, m_compareMode, extra) == 0) {
      DeleteElementOnce(i);
      RemoveAt(i, 1);
      end--;
      removed++;
    } else {
      i++;
    }
  }
  return removed;
}

template <class T>
int SArray<T>::DeleteDuplicatesInPlace(int start, int end, int extra)
  requires SArrayObjectPointer<T>
{
  if (!ClipSearchRange(start, end)) return 0;
  int found = 0;
  for (int a = start; a < end; a++) {
    for (int i = a + 1; i < end; i++) {
      if (Compare(&m_data[i], &m_data[a], m_compareMode, extra) == 0) {
        DeleteElementOnce(i);
        found++;
      }
    }
  }
  return found;
}

template <class T>
int SArray<T>::DeleteDuplicates(int start, int end, int extra)
  requires SArrayObjectPointer<T>
{
  if (!ClipSearchRange(start, end)) return 0;
  int removed = 0;
  for (int a = start; a < end; a++) {
    for (int i = a + 1; i < end;) {
      if (Compare(&m_data[i], &m_data[a], m_compareMode, extra) == 0) {
        DeleteElementOnce(i);
        RemoveAt(i, 1);
        end--;
        removed++;
      } else {
        i++;
      }
    }
  }
  return removed;
}
