#include <gtest/gtest.h>

#include "files/SIdentifiants.h"

namespace {

TEST(SIdentifiantsTest, CursorTableSkipsTheFrameworkOwnTypes) {
  SIdentifiants ids;
  const SStringArray& names = ids.GetCursorNames();
  const SArray<int32_t>& types = ids.GetCursorTypes();
  ASSERT_EQ(names.GetCount(), 18);
  ASSERT_EQ(types.GetCount(), 18);
  struct Entry {
    int i;
    const char* name;
    int type;
  };
  for (Entry e : {Entry{0, "Arrow", 0}, Entry{2, "Cross", 2}, Entry{3, "Help", 4}, Entry{12, "Wait", 13},
                  Entry{13, "Dropper", 16}, Entry{17, "Zoom", 20}}) {
    SCOPED_TRACE(e.i);
    EXPECT_STREQ(names.GetString(e.i).GetText(), e.name);
    EXPECT_EQ(types.GetAt(e.i), e.type);
  }
  for (int i = 0; i < types.GetCount(); i++) {
    EXPECT_NE(types.GetAt(i), 3);
    EXPECT_NE(types.GetAt(i), 14);
    EXPECT_NE(types.GetAt(i), 15);
  }
}

TEST(SIdentifiantsTest, ColourTableNamesEverySystemColourButIndex25) {
  SIdentifiants ids;
  const SArray<int32_t>& indexes = ids.GetColorIndexes();
  ASSERT_EQ(ids.GetColorNames().GetCount(), 30);
  ASSERT_EQ(indexes.GetCount(), 30);
  EXPECT_STREQ(ids.GetColorName(0).GetText(), "3DDkShadow");
  EXPECT_EQ(indexes.GetAt(0), 21);
  EXPECT_STREQ(ids.GetColorName(23).GetText(), "MenuHiLight");
  EXPECT_EQ(indexes.GetAt(23), 29);
  EXPECT_STREQ(ids.GetColorName(26).GetText(), "ScrollBar");
  EXPECT_EQ(indexes.GetAt(26), 0);
  EXPECT_STREQ(ids.GetColorName(29).GetText(), "WindowText");
  EXPECT_EQ(indexes.GetAt(29), 8);
  EXPECT_STREQ(ids.GetColorName(30).GetText(), "");
  EXPECT_STREQ(ids.GetColorName(-1).GetText(), "");

  // Each index 0..30 except 25 appears exactly once.
  int seen[31] = {};
  for (int i = 0; i < indexes.GetCount(); i++) {
    ASSERT_GE(indexes.GetAt(i), 0);
    ASSERT_LE(indexes.GetAt(i), 30);
    seen[indexes.GetAt(i)]++;
  }
  for (int index = 0; index <= 30; index++) EXPECT_EQ(seen[index], index == 25 ? 0 : 1) << index;
}

}  // namespace
