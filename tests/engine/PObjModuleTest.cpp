// The two allocators of the call record: a module asks for a length, and a
// length whose buffer size would wrap gets nothing instead of a short
// buffer.
#include "engine/PObjModule.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

TEST(ModuleAllocators, BuffersHoldTheLengthAndATerminator) {
  for (int32_t n : {0, 1, 100}) {
    SCOPED_TRACE(n);
    char* text = PObjModule::AllocateText(n);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(0, text[0]);
    EXPECT_EQ(0, text[n]);
    std::free(text);
    UniChar* uniText = PObjModule::AllocateUniText(n);
    ASSERT_NE(nullptr, uniText);
    EXPECT_EQ(0, uniText[n]);
    std::free(uniText);
  }
}

TEST(ModuleAllocators, LengthsThatWrapAreRefused) {
  for (int32_t n : {-1, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(nullptr, PObjModule::AllocateText(n));
    EXPECT_EQ(nullptr, PObjModule::AllocateUniText(n));
  }
  // Two bytes a unit: half the range is the most that still fits.
  EXPECT_EQ(nullptr, PObjModule::AllocateUniText(INT32_MAX / 2));
}
