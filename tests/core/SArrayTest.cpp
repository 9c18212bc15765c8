#include "core/SArray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<int> Items(const SArray<int>& a) {
  std::vector<int> v;
  for (int i = 0; i < a.GetCount(); i++) v.push_back(a.GetAt(i));
  return v;
}

SArray<int> Make(std::initializer_list<int> values) {
  SArray<int> a;
  for (int v : values) a.Add(v);
  return a;
}

// An object whose births and deaths are counted, to see exactly which
// operations delete pointed objects.
struct Tracked {
  static int live;
  static int deleted;
  int value;
  explicit Tracked(int v = 0) : value(v) { live++; }
  ~Tracked() {
    live--;
    deleted++;
  }
};
int Tracked::live = 0;
int Tracked::deleted = 0;

class TrackedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Tracked::live = 0;
    Tracked::deleted = 0;
  }
};

// A slot type that counts how many slots the buffers have constructed: every
// allocation of the array constructs exactly capacity of them.
struct Slot {
  static int constructed;
  int value = 0;
  Slot() { constructed++; }
  Slot(const Slot&) = default;
  Slot& operator=(const Slot&) = default;
};
int Slot::constructed = 0;

// ---- Storage and the capacity rule ---------------------------------------------------------

TEST(SArrayStorage, NewArrayHasNoBufferAndRemoveAllKeepsItSo) {
  SArray<int> a;
  EXPECT_EQ(0, a.GetCount());
  EXPECT_EQ(0, a.GetCapacity());
  EXPECT_EQ(0, a.GetCompareMode());
  a.RemoveAll();
  EXPECT_EQ(0, a.GetCapacity());
}

TEST(SArrayStorage, CapacityIsEightDoubledUntilItHoldsTheCount) {
  const struct { int count, capacity; } cases[] = {
      {-3, 8}, {0, 8}, {1, 8}, {8, 8}, {9, 16}, {16, 16}, {17, 32}, {64, 64}, {65, 128}, {1000, 1024}};
  for (auto c : cases) {
    SCOPED_TRACE(c.count);
    SArray<int> a;
    EXPECT_TRUE(a.SetSize(c.count, false));
    EXPECT_EQ(c.count < 0 ? 0 : c.count, a.GetCount());
    EXPECT_EQ(c.capacity, a.GetCapacity());
  }
}

TEST(SArrayStorage, ResizeKeepsElementsAcrossGrowingAndShrinking) {
  SArray<int> a;
  a.SetSize(5, false);
  for (int i = 0; i < 5; i++) a.SetAt(i, 10 * i);
  EXPECT_EQ(8, a.GetCapacity());
  a.Resize(9);
  EXPECT_EQ(16, a.GetCapacity());
  for (int i = 0; i < 5; i++) EXPECT_EQ(10 * i, a.GetAt(i));
  for (int i = 5; i < 9; i++) a.SetAt(i, 10 * i);
  a.Resize(8);
  EXPECT_EQ(8, a.GetCapacity());
  EXPECT_EQ((std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70}), Items(a));
}

TEST(SArrayStorage, SetSizeWithoutKeepKeepsContentsWhenTheCapacityStays) {
  SArray<int> a = Make({1, 2, 3, 4, 5, 6});
  a.SetSize(3, false);
  EXPECT_EQ(8, a.GetCapacity());
  EXPECT_EQ((std::vector<int>{1, 2, 3}), Items(a));
}

TEST(SArrayStorage, EveryCapacityChangeReallocatesAndNoOtherChangeDoes) {
  SArray<Slot> a;
  Slot::constructed = 0;
  a.SetSize(64, false);
  EXPECT_EQ(64, Slot::constructed);
  a.Resize(65);  // 64 -> 128
  EXPECT_EQ(64 + 128, Slot::constructed);
  a.Resize(64);  // 128 -> 64
  EXPECT_EQ(64 + 128 + 64, Slot::constructed);
  a.Resize(33);  // still 64
  EXPECT_EQ(64 + 128 + 64, Slot::constructed);

  // Appending one at a time reallocates at 9, 17, 33, 65.
  SArray<Slot> b;
  std::vector<int> grewAt;
  int capacity = 0;
  for (int n = 1; n <= 70; n++) {
    b.Add(Slot());
    if (b.GetCapacity() != capacity) grewAt.push_back(n);
    capacity = b.GetCapacity();
  }
  EXPECT_EQ((std::vector<int>{1, 9, 17, 33, 65}), grewAt);
}

TEST(SArrayStorage, SlotsTheCountGrowsIntoReadAsDefault) {
  // Removing leaves old elements behind the count; growing again must not
  // bring them back (an owning array would meet pointers it gave up).
  SArray<int*> a;
  int x = 1, y = 2, z = 3;
  a.Add(&x);
  a.Add(&y);
  a.Add(&z);
  a.RemoveAt(0, 1);
  a.Resize(3);
  EXPECT_EQ(&y, a.GetAt(0));
  EXPECT_EQ(&z, a.GetAt(1));
  EXPECT_EQ(nullptr, a.GetAt(2));
  SArray<int> b;
  b.Resize(12);
  for (int i = 0; i < 12; i++) EXPECT_EQ(0, b.GetAt(i));
}

TEST(SArrayStorage, ASizeNoBufferCanHoldFailsAndChangesNothing) {
  SArray<int> a = Make({1, 2, 3});
  EXPECT_FALSE(a.SetSize(INT32_MAX, true));
  EXPECT_EQ(-1, a.InsertAt(9, 0, INT32_MAX - 3));
  EXPECT_EQ((std::vector<int>{1, 2, 3}), Items(a));
  EXPECT_EQ(8, a.GetCapacity());
}

TEST(SArrayStorage, FreeStorageResetsTheCompareModeOnlyWithABuffer) {
  SArray<int> a;
  a.SetCompareMode(3);
  a.FreeStorage();
  EXPECT_EQ(3, a.GetCompareMode());
  a.Add(1);
  a.FreeStorage();
  EXPECT_EQ(0, a.GetCompareMode());
  EXPECT_EQ(0, a.GetCount());
  EXPECT_EQ(0, a.GetCapacity());
}

TEST(SArrayStorage, AssignCopiesCountModeAndElements) {
  SArray<int> a = Make({4, 5, 6});
  a.SetCompareMode(1);
  SArray<int> b = Make({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  b.Assign(a);
  EXPECT_EQ((std::vector<int>{4, 5, 6}), Items(b));
  EXPECT_EQ(1, b.GetCompareMode());
  EXPECT_EQ(8, b.GetCapacity());
  SArray<int> c(a);
  EXPECT_EQ(Items(a), Items(c));
  c = b;
  EXPECT_EQ(Items(b), Items(c));
}

TEST_F(TrackedTest, PointerArraysNeverDeleteTheirObjectsByThemselves) {
  Tracked p(1), q(2);
  {
    SArray<Tracked*> a;
    a.Add(&p);
    a.Add(&q);
    SArray<Tracked*> b;
    b.Assign(a);  // shallow: both hold the same pointers
    EXPECT_EQ(&p, b.GetAt(0));
    EXPECT_EQ(&q, b.GetAt(1));
    a.RemoveAt(0, 1);
    a.RemoveAll();
    b.SetSize(1, true);
    b.FreeStorage();
    a.Add(&p);
  }
  EXPECT_EQ(0, Tracked::deleted);
}

// A derived array destroyed through a pointer to its SArray part.
struct CountingArray : SArray<int> {
  static int destroyed;
  ~CountingArray() override { destroyed++; }
};
int CountingArray::destroyed = 0;

TEST(SArrayStorage, DestructorIsVirtual) {
  SArray<SArray<int>*> arrays;
  arrays.Add(new CountingArray);
  arrays.GetAt(0)->Add(7);
  arrays.Purge();
  EXPECT_EQ(1, CountingArray::destroyed);
}

// ---- DefaultCompare ---------------------------------------------------------------------------

TEST(SArrayCompare, DefaultCompareFollowsTheNaturalOrderAndModeBitZero) {
  double one = 1.0, two = 2.0, nan = std::nan("");
  EXPECT_EQ(1, SArray<double>::DefaultCompare(&one, &two, 1));
  EXPECT_EQ(-1, SArray<double>::DefaultCompare(&two, &one, 1));
  EXPECT_EQ(0, SArray<double>::DefaultCompare(&one, &one, 1));
  EXPECT_EQ(-1, SArray<double>::DefaultCompare(&nan, &one, 1));
  EXPECT_EQ(1, SArray<double>::DefaultCompare(&nan, &one, 0));
  EXPECT_EQ(1, SArray<double>::DefaultCompare(&one, &nan, 0));

  int minus = -5, plus = 3;
  EXPECT_EQ(-1, SArray<int>::DefaultCompare(&minus, &plus, 0));
  unsigned int big = 0x80000000u, small = 1;
  EXPECT_EQ(1, SArray<unsigned int>::DefaultCompare(&big, &small, 0));
  long long lo = -(1LL << 40), hi = 1LL << 40;
  EXPECT_EQ(-1, SArray<long long>::DefaultCompare(&lo, &hi, 0));
  EXPECT_EQ(1, SArray<long long>::DefaultCompare(&lo, &hi, 1));
}

TEST(SArrayCompare, PointersCompareAsUnsignedAddresses) {
  void* high = reinterpret_cast<void*>(~uintptr_t(0) - 15);
  void* low = reinterpret_cast<void*>(uintptr_t(16));
  EXPECT_EQ(1, SArray<void*>::DefaultCompare(&high, &low, 0));
  EXPECT_EQ(-1, SArray<void*>::DefaultCompare(&low, &high, 0));
  EXPECT_EQ(0, SArray<void*>::DefaultCompare(&low, &low, 0));
}

// ---- The element contract: which operation is called when ---------------------------------------------

// Records every call of the element operations it overrides.
struct RecordingArray : SArray<int> {
  struct Call {
    std::string op;
    int a, b, mode, extra;
    bool operator==(const Call&) const = default;
  };
  std::vector<Call> calls;
  int opinion = -2;  // what CompareElements answers

  void CopyElement(int* dest, const int* source, int index, int extra) override {
    // The tail has already moved: the slot is free to be written.
    calls.push_back({"copy", *source, index, 0, extra});
    *dest = *source + 1000 * index;
  }
  int CompareElements(const int* a, const int* b, int mode, int extra) const override {
    const_cast<RecordingArray*>(this)->calls.push_back({"compare", *a, *b, mode, extra});
    return opinion;
  }
};

TEST(SArrayContract, InsertionCopiesEveryNewSlotOnceWithItsFinalIndex) {
  RecordingArray a;
  a.SArray<int>::Assign(Make({10, 20}));
  EXPECT_TRUE(a.calls.empty());  // Assign copies plainly
  EXPECT_EQ(1, a.InsertAt(5, 1, 3));
  std::vector<RecordingArray::Call> want = {{"copy", 5, 1, 0, 0}, {"copy", 5, 2, 0, 0}, {"copy", 5, 3, 0, 0}};
  EXPECT_EQ(want, a.calls);
  EXPECT_EQ((std::vector<int>{10, 1005, 2005, 3005, 20}), Items(a));
  a.calls.clear();
  EXPECT_EQ(5, a.Add(7));
  EXPECT_EQ((std::vector<RecordingArray::Call>{{"copy", 7, 5, 0, 0}}), a.calls);
  a.calls.clear();
  a.Move(0, 3, 2);
  a.Sort();  // (compares, but never copies)
  a.RemoveAt(0, 1);
  a.SetAt(-1, 1);
  for (auto& c : a.calls) EXPECT_EQ("compare", c.op);
}

TEST(SArrayContract, ComparisonsPassModeAndExtraWithElementOrValueFirstAsSpecified) {
  RecordingArray a;
  a.SArray<int>::Assign(Make({1, 2, 3}));
  a.SetCompareMode(6);
  EXPECT_EQ(1, a.Find(2, 0, -1, 77));
  std::vector<RecordingArray::Call> want = {{"compare", 1, 2, 6, 77}, {"compare", 2, 2, 6, 77}};
  EXPECT_EQ(want, a.calls);  // element first, value second
  a.calls.clear();
  EXPECT_EQ(1, a.BinaryFind(2, 0, -1, 9));
  want = {{"compare", 2, 2, 6, 9}};
  EXPECT_EQ(want, a.calls);  // value first, element second
}

TEST(SArrayContract, AnOpinionOverridesTheNaturalOrder) {
  RecordingArray a;
  a.SArray<int>::Assign(Make({1, 2, 3}));
  a.opinion = 0;  // everything equal
  EXPECT_EQ(0, a.Find(99));
  a.opinion = 1;
  EXPECT_EQ(-1, a.Find(1));
  a.opinion = -2;  // no opinion: natural order
  EXPECT_EQ(2, a.Find(3));
}

// Deletes the object itself and nulls the slot, as an owner's hook may.
struct HookArray : SArray<Tracked*> {
  std::vector<std::pair<int, int>> seen;  // (value, index)
  void DestroyElement(Tracked** slot, int index, int extra) override {
    EXPECT_EQ(0, extra);
    seen.push_back({(*slot)->value, index});
    if ((*slot)->value == 2) {
      delete *slot;
      *slot = nullptr;
    }
  }
};

TEST_F(TrackedTest, DestroyElementRunsBeforeEachDeletionAndMayTakeItOver) {
  HookArray a;
  a.Add(new Tracked(1));
  a.Add(nullptr);
  a.Add(new Tracked(2));
  a.Add(new Tracked(3));
  a.DeleteAll();
  EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 0}, {2, 2}, {3, 3}}), a.seen);  // null skipped
  EXPECT_EQ(0, Tracked::live);
  EXPECT_EQ(3, Tracked::deleted);
  EXPECT_EQ(4, a.GetCount());
  for (int i = 0; i < 4; i++) EXPECT_EQ(nullptr, a.GetAt(i));
}

// ---- Access --------------------------------------------------------------------------------------------------

TEST(SArrayAccess, CheckedAccessSetAtSwap) {
  SArray<int> a = Make({1, 2, 3});
  EXPECT_EQ(nullptr, a.GetPtrChecked(3));
  EXPECT_EQ(nullptr, a.GetPtrChecked(-1));
  EXPECT_EQ(a.GetPtr(2), a.GetPtrChecked(2));
  EXPECT_EQ(1, a.GetFirst());
  EXPECT_EQ(3, a.GetLast());
  a.SetAt(5, 9);
  a.SetAt(-2, 9);
  EXPECT_EQ((std::vector<int>{1, 2, 3}), Items(a));
  a.SetLast(8);
  EXPECT_EQ(8, a.GetLast());
  EXPECT_TRUE(a.Swap(0, 2));
  EXPECT_FALSE(a.Swap(1, 1));
  EXPECT_FALSE(a.Swap(0, 3));
  EXPECT_EQ((std::vector<int>{8, 2, 1}), Items(a));
  a.SetAt(-1, 4);
  EXPECT_EQ((std::vector<int>{4, 4, 4}), Items(a));
  SArray<int> empty;
  empty.SetLast(1);
  empty.RemoveLast();
  EXPECT_EQ(0, empty.GetCount());
}

// ---- Insertion, removal, moving -------------------------------------------------------------------------------

TEST(SArrayInsert, IndexOutsideAppendsAndNumberBelowOneDoesNothing) {
  SArray<int> a = Make({1, 2, 3});
  EXPECT_EQ(3, a.InsertAt(4, 99, 1));
  EXPECT_EQ(4, a.InsertAt(5, -7, 2));
  EXPECT_EQ(-1, a.InsertAt(6, 0, 0));
  EXPECT_EQ(-1, a.InsertAt(6, 0, -1));
  EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 5}), Items(a));
  EXPECT_EQ(0, a.InsertAt(0, 0, 1));
  EXPECT_EQ(0, a.GetFirst());
  SArray<int> b = Make({10, 20});
  EXPECT_EQ(1, b.InsertAt(5, 1, 3));
  EXPECT_EQ((std::vector<int>{10, 5, 5, 5, 20}), Items(b));
}

TEST(SArrayRemove, RemovalRanges) {
  const struct {
    int start, number;
    std::vector<int> want;
  } cases[] = {
      {1, -1, {10}},        {1, 10, {10}}, {4, 1, {10, 20, 30, 40}}, {-1, 1, {10, 20, 30, 40}},
      {1, 0, {10, 20, 30, 40}}, {0, 2, {30, 40}}, {3, 1, {10, 20, 30}}, {1, 2, {10, 40}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << "," << c.number);
    SArray<int> a = Make({10, 20, 30, 40});
    a.RemoveAt(c.start, c.number);
    EXPECT_EQ(c.want, Items(a));
  }
}

TEST(SArrayRemove, RemovalShrinksTheBuffer) {
  SArray<int> a;
  for (int i = 0; i < 17; i++) a.Add(i);
  EXPECT_EQ(32, a.GetCapacity());
  a.RemoveAt(0, 9);
  EXPECT_EQ(8, a.GetCapacity());
  EXPECT_EQ((std::vector<int>{9, 10, 11, 12, 13, 14, 15, 16}), Items(a));
}

TEST(SArrayMove, SpecifiedCases) {
  SArray<int> a = Make({10, 20, 30, 40});
  EXPECT_TRUE(a.Move(0, 2, 1));
  EXPECT_EQ((std::vector<int>{20, 30, 10, 40}), Items(a));
  a = Make({10, 20, 30, 40});
  EXPECT_TRUE(a.Move(0, -1, 2));
  EXPECT_EQ((std::vector<int>{30, 40, 10, 20}), Items(a));
  a = Make({10, 20, 30, 40});
  EXPECT_FALSE(a.Move(3, 3, 1));
  EXPECT_FALSE(a.Move(4, 0, 1));   // from outside
  EXPECT_FALSE(a.Move(0, -2, 1));  // to below -1
  EXPECT_FALSE(a.Move(0, 5, 1));   // to above the count
  EXPECT_FALSE(a.Move(0, 2, 0));   // nothing to move
  EXPECT_FALSE(a.Move(3, 0, 2));   // block past the end
  EXPECT_EQ((std::vector<int>{10, 20, 30, 40}), Items(a));
}

TEST(SArrayMove, BlockEndsUpAtTheTargetWithTheOthersInOrder) {
  // Against a model: take the block out, put it back at the (clamped) target.
  const int count = 7;
  for (int from = 0; from < count; from++) {
    for (int to = -1; to <= count; to++) {
      for (int n = 1; from + n <= count; n++) {
        int t = (to == -1 || to >= count) ? count - 1 : to;
        if (t == from) continue;
        if (t > from && t + n > count) t = count - n;
        SCOPED_TRACE(testing::Message() << from << "->" << to << " n=" << n);
        SArray<int> a;
        std::vector<int> model;
        for (int i = 0; i < count; i++) {
          a.Add(i);
          model.push_back(i);
        }
        std::vector<int> block(model.begin() + from, model.begin() + from + n);
        model.erase(model.begin() + from, model.begin() + from + n);
        model.insert(model.begin() + t, block.begin(), block.end());
        EXPECT_TRUE(a.Move(from, to, n));
        EXPECT_EQ(model, Items(a));
      }
    }
  }
}

TEST(SArrayRemove, RemoveValueAndDuplicates) {
  SArray<int> a = Make({10, 20, 10, 30, 20});
  EXPECT_EQ(2, a.RemoveDuplicates());
  EXPECT_EQ((std::vector<int>{10, 20, 30}), Items(a));
  a = Make({1, 2, 1, 1, 3, 1});
  EXPECT_EQ(2, a.RemoveValue(1, 1, 4));  // only inside [1, 4)
  EXPECT_EQ((std::vector<int>{1, 2, 3, 1}), Items(a));
  EXPECT_EQ(0, a.RemoveValue(1, 4));
  a = Make({5, 5, 5, 6, 6});
  EXPECT_EQ(1, a.RemoveDuplicates(1, 3));  // the range [1, 3) holds one pair
  EXPECT_EQ((std::vector<int>{5, 5, 6, 6}), Items(a));
}

// ---- Searching ------------------------------------------------------------------------------------------------

TEST(SArraySearch, FindRanges) {
  SArray<int> a = Make({4, 7, 4, 9});
  EXPECT_EQ(0, a.Find(4));
  EXPECT_EQ(2, a.Find(4, 1));
  EXPECT_EQ(-1, a.Find(4, 1, 2));
  EXPECT_EQ(3, a.Find(9, 0, -5));  // end below 0: to the end
  EXPECT_EQ(3, a.Find(9, 0, 50));  // end past the count: to the end
  EXPECT_EQ(-1, a.Find(9, 4));     // start at the count
  EXPECT_EQ(-1, a.Find(9, -1));
  EXPECT_EQ(-1, a.Find(5));
  SArray<int> empty;
  EXPECT_EQ(-1, empty.Find(0, 0, 0));
}

TEST(SArraySearch, BinaryFindAndInsertPosition) {
  SArray<int> a = Make({1, 3, 5});
  EXPECT_EQ(2, a.FindInsertPosition(4));
  EXPECT_EQ(3, a.FindInsertPosition(6));
  EXPECT_EQ(1, a.FindInsertPosition(3));
  EXPECT_EQ(0, a.FindInsertPosition(0));
  EXPECT_EQ(1, a.BinaryFind(3));
  EXPECT_EQ(-1, a.BinaryFind(4));
  EXPECT_EQ(-1, a.BinaryFind(3, 1, 1));  // empty range
  // A range ending before the array: the element behind it still decides,
  // and may place the value past the range.
  EXPECT_EQ(3, a.FindInsertPosition(9, 0, 2));
  EXPECT_EQ(2, a.FindInsertPosition(4, 0, 2));
  SArray<int> empty;
  EXPECT_EQ(-1, empty.FindInsertPosition(1));
  EXPECT_EQ(0, empty.InsertSorted(1));

  SArray<int> d = Make({9, 5, 1});
  d.SetCompareMode(1);
  EXPECT_EQ(1, d.BinaryFind(5));
  EXPECT_EQ(2, d.FindInsertPosition(3));
}

TEST(SArraySearch, InsertSortedKeepsOrder) {
  SArray<int> a;
  const int values[] = {5, 1, 9, 3, 3, 7, 0, 9};
  for (int v : values) a.InsertSorted(v);
  EXPECT_EQ((std::vector<int>{0, 1, 3, 3, 5, 7, 9, 9}), Items(a));
}

// ---- Sorting -------------------------------------------------------------------------------------------------

TEST(SArraySort, AscendingDescendingAndRanges) {
  SArray<int> a = Make({5, 3, 9, 1});
  a.Sort();
  EXPECT_EQ((std::vector<int>{1, 3, 5, 9}), Items(a));
  a = Make({5, 3, 9, 1});
  a.SetCompareMode(1);
  a.Sort(0, -1);
  EXPECT_EQ((std::vector<int>{9, 5, 3, 1}), Items(a));
  a = Make({5, 3, 9, 1});
  a.Sort(2, 3);  // one element
  a.Sort(5, -1);
  a.Sort(-1, -1);
  EXPECT_EQ((std::vector<int>{5, 3, 9, 1}), Items(a));
  a.SortRange(1, 3);
  EXPECT_EQ((std::vector<int>{5, 3, 9, 1}), Items(a));
  a.SortRange(1, 4);
  EXPECT_EQ((std::vector<int>{5, 1, 3, 9}), Items(a));
  // Only -1 means the count: an end below it or past the count is refused.
  for (int end : {-2, -100, 5, 40}) {
    a = Make({5, 3, 9, 1});
    a.Sort(0, end);
    EXPECT_EQ((std::vector<int>{5, 3, 9, 1}), Items(a)) << end;
  }
  a = Make({5, 3, 9, 1});
  a.Sort(0, 4);
  EXPECT_EQ((std::vector<int>{1, 3, 5, 9}), Items(a));
}

// Elements ordered by key only; the payload shows where equal keys end up.
struct Keyed {
  int key, payload;
};
struct KeyedArray : SArray<Keyed> {
  int CompareElements(const Keyed* a, const Keyed* b, int mode, int extra) const override {
    (void)mode, (void)extra;
    return a->key < b->key ? -1 : a->key > b->key ? 1 : 0;
  }
};

// The quicksort as the framework defines it, for comparison.
void ModelSort(std::vector<Keyed>& v, int s, int e) {
  if (e - s < 2) return;
  std::swap(v[s], v[(s + e - 1) / 2]);
  int last = s;
  for (int i = s + 1; i < e; i++)
    if (v[i].key < v[s].key) std::swap(v[++last], v[i]);
  std::swap(v[s], v[last]);
  ModelSort(v, s, last);
  ModelSort(v, last + 1, e);
}

TEST(SArraySort, PlacesEqualElementsExactlyAsTheDefinedQuicksort) {
  std::srand(7);
  for (int round = 0; round < 20; round++) {
    int n = 1 + std::rand() % 300;
    KeyedArray a;
    std::vector<Keyed> model;
    for (int i = 0; i < n; i++) {
      Keyed k{std::rand() % 10, i};
      a.Add(k);
      model.push_back(k);
    }
    int s = std::rand() % n, e = s + std::rand() % (n - s + 1);
    ModelSort(model, s, e);
    a.Sort(s, e);
    for (int i = 0; i < n; i++) {
      ASSERT_EQ(model[i].key, a.GetAt(i).key) << i;
      ASSERT_EQ(model[i].payload, a.GetAt(i).payload) << i;
    }
  }
}

TEST(SArraySort, LongRunsOfEqualElementsSortWithoutDeepRecursion) {
  SArray<int> a;
  for (int i = 0; i < 2000; i++) a.Add(1);
  a.Add(0);
  a.Sort();
  EXPECT_EQ(0, a.GetFirst());
  EXPECT_EQ(1, a.GetLast());
}

// ---- Random order -----------------------------------------------------------------------------------------------

TEST(SArrayRandom, ShufflePermutesOnlyTheRange) {
  std::srand(1);
  bool changed = false;
  for (int round = 0; round < 10; round++) {
    SArray<int> a;
    for (int i = 0; i < 20; i++) a.Add(i);
    a.Shuffle(5, 15);
    std::vector<int> v = Items(a);
    for (int i = 0; i < 5; i++) EXPECT_EQ(i, v[i]);
    for (int i = 15; i < 20; i++) EXPECT_EQ(i, v[i]);
    std::vector<int> mid(v.begin() + 5, v.begin() + 15);
    if (mid != std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12, 13, 14}) changed = true;
    std::sort(mid.begin(), mid.end());
    EXPECT_EQ((std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12, 13, 14}), mid);
  }
  EXPECT_TRUE(changed);
  SArray<int> a = Make({1, 2});
  a.Shuffle(2, -1);  // start outside
  EXPECT_EQ((std::vector<int>{1, 2}), Items(a));
}

TEST(SArrayRandom, RandomPickStaysInTheRange) {
  SArray<int> a = Make({0, 1, 2, 3, 4, 5});
  for (int i = 0; i < 100; i++) {
    int v = a.RandomPick(2, 4);
    EXPECT_TRUE(v == 2 || v == 3);
    int w = a.RandomPick(4, -1);
    EXPECT_TRUE(w == 4 || w == 5);
  }
}

// ---- Deleting pointed objects ------------------------------------------------------------------------------------

SArray<Tracked*>* MakeTracked(std::initializer_list<int> values) {
  auto* a = new SArray<Tracked*>;
  for (int v : values) a->Add(new Tracked(v));
  return a;
}

std::vector<int> Values(const SArray<Tracked*>& a) {
  std::vector<int> v;
  for (int i = 0; i < a.GetCount(); i++) v.push_back(a.GetAt(i) ? a.GetAt(i)->value : -1);
  return v;
}

TEST_F(TrackedTest, DeleteRangesKeepOrRemoveTheSlots) {
  SArray<Tracked*>* a = MakeTracked({1, 2, 3, 4, 5});
  a->DeleteRange(1, 2);
  EXPECT_EQ((std::vector<int>{1, -1, -1, 4, 5}), Values(*a));
  a->DeleteLast();
  EXPECT_EQ((std::vector<int>{1, -1, -1, 4, -1}), Values(*a));
  a->DeleteAndRemoveAt(3, -1);
  EXPECT_EQ((std::vector<int>{1, -1, -1}), Values(*a));
  a->DeleteAndRemoveLast();
  a->DeleteAndRemoveLast();
  EXPECT_EQ((std::vector<int>{1}), Values(*a));
  EXPECT_EQ(1, Tracked::live);
  a->Purge();
  EXPECT_EQ(0, a->GetCount());
  EXPECT_EQ(0, Tracked::live);
  a->DeleteAll();
  a->DeleteAndRemoveLast();
  delete a;
  SArray<Tracked*> never;
  never.DeleteAll();  // no buffer: nothing
  EXPECT_EQ(0, never.GetCapacity());
}

TEST_F(TrackedTest, DeleteValueCountsNullSlotsThatCompareEqual) {
  SArray<Tracked*> a;
  Tracked* p = new Tracked(1);
  a.Add(p);
  a.Add(nullptr);
  a.Add(new Tracked(2));
  EXPECT_EQ(1, a.DeleteValue(p));
  EXPECT_EQ(0, Tracked::live - 1);
  EXPECT_EQ(2, a.DeleteValue(nullptr));  // both null slots
  EXPECT_EQ(3, a.GetCount());
  a.Purge();
  EXPECT_EQ(0, Tracked::live);
}

TEST_F(TrackedTest, EachObjectHeldTwiceIsDeletedOnce) {
  // DeleteValue: one object in two slots.
  {
    SArray<Tracked*> a;
    Tracked* p = new Tracked(1);
    a.Add(p);
    a.Add(new Tracked(2));
    a.Add(p);
    EXPECT_EQ(2, a.DeleteValue(p));
    EXPECT_EQ(1, Tracked::deleted);
    EXPECT_EQ((std::vector<int>{-1, 2, -1}), Values(a));
    a.Purge();
  }
  EXPECT_EQ(0, Tracked::live);
  EXPECT_EQ(2, Tracked::deleted);

  // DeleteDuplicates: the first slot keeps its object alive.
  {
    SArray<Tracked*> a;
    Tracked* p = new Tracked(3);
    a.Add(p);
    a.Add(p);
    a.Add(new Tracked(4));
    a.Add(p);
    EXPECT_EQ(2, a.DeleteDuplicates());
    EXPECT_EQ((std::vector<int>{3, 4}), Values(a));
    EXPECT_EQ(2, Tracked::live);
    a.Purge();
  }
  EXPECT_EQ(0, Tracked::live);

  // DeleteDuplicatesInPlace: the same, slots kept.
  {
    SArray<Tracked*> a;
    Tracked* p = new Tracked(5);
    a.Add(p);
    a.Add(p);
    EXPECT_EQ(1, a.DeleteDuplicatesInPlace());
    EXPECT_EQ((std::vector<int>{5, -1}), Values(a));
    EXPECT_EQ(1, Tracked::live);
    a.Purge();
  }
  EXPECT_EQ(0, Tracked::live);

  // DeleteAndRemoveValue: removed twice, deleted once.
  {
    SArray<Tracked*> a;
    Tracked* p = new Tracked(6);
    a.Add(p);
    a.Add(p);
    EXPECT_EQ(2, a.DeleteAndRemoveValue(p));
    EXPECT_EQ(0, a.GetCount());
  }
  EXPECT_EQ(0, Tracked::live);
}

TEST_F(TrackedTest, DeleteDuplicatesInPlaceCountsNullPairs) {
  // Distinct objects that an opinion calls equal.
  struct ByValue : SArray<Tracked*> {
    int CompareElements(Tracked* const* a, Tracked* const* b, int, int) const override {
      if (!*a || !*b) return *a == *b ? 0 : (*a ? 1 : -1);
      return (*a)->value - (*b)->value;
    }
  } a;
  a.Add(new Tracked(1));
  a.Add(new Tracked(1));
  a.Add(new Tracked(1));
  a.Add(new Tracked(2));
  // Pairs (0,1) and (0,2) delete two; then the two nulls (1,2) pair up too.
  EXPECT_EQ(3, a.DeleteDuplicatesInPlace());
  EXPECT_EQ((std::vector<int>{1, -1, -1, 2}), Values(a));
  EXPECT_EQ(2, Tracked::live);
  // With slots removed, only the null pair is left to find.
  EXPECT_EQ(1, a.DeleteDuplicates(0, 3));
  EXPECT_EQ((std::vector<int>{1, -1, 2}), Values(a));
  a.Purge();
  EXPECT_EQ(0, Tracked::live);
}

// ---- Records stored by value ----------------------------------------------------------------------------------------

// A record of two strings, kept whole in the buffer.
struct Address {
  SString name, mail;
};

TEST(SArrayRecords, RecordsAreCopiedWholeAndReleasedWithTheBuffer) {
  SArray<Address> a;
  for (int i = 0; i < 20; i++) {
    Address r;
    r.name = SString("name") + std::to_string(i).c_str();
    r.mail = "a@b";
    a.Add(r);
  }
  a.InsertAt(Address{SString("first"), SString("x@y")}, 0, 2);
  a.RemoveAt(5, 10);
  EXPECT_EQ(12, a.GetCount());
  EXPECT_TRUE(a.GetAt(0).name == "first");
  EXPECT_TRUE(a.GetAt(1).mail == "x@y");
  EXPECT_TRUE(a.GetAt(2).name == "name0");
  EXPECT_TRUE(a.GetAt(5).name == "name13");
  SArray<Address> b;
  b.Assign(a);
  a.FreeStorage();
  EXPECT_TRUE(b.GetLast().name == "name19");
  EXPECT_TRUE(b.GetLast().mail == "a@b");
}

struct Rect16 {
  int32_t left, top, right, bottom;
};

TEST(SArrayRecords, PlainRecordsCompareByTheirBytes) {
  SArray<Rect16> a;
  a.Add({1, 2, 3, 4});
  a.Add({5, 6, 7, 8});
  EXPECT_EQ(1, a.Find({5, 6, 7, 8}));
  EXPECT_EQ(-1, a.Find({5, 6, 7, 9}));
  EXPECT_TRUE(a.FormatElement(a.GetAt(0), 0, 0) == "");
}

}  // namespace
