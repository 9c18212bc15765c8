// The lifetime of an ImageList's list for those that draw from it: a use
// sees the images added while the object keeps the list, and keeps the
// list alive after the object has replaced, destroyed or lost it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "classes/windows/PObjImage.h"
#include "classes/windows/PObjImageList.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/FrameworkClassTest.h"
#include "tests/window/ImageListTesting.h"

namespace {

using namespace classtest;

using L = PObjImageList;

class ImageListLifetimeTest : public FrameworkClassTest {
 protected:
  // A list object of its own, for the tests that release it.
  L* NewList() {
    PObjectDefinition* d = engine.FindDefinition(L::kTypeCode);
    return d ? static_cast<L*>(d->GetFactory()(d)) : nullptr;
  }
  void AddRed(L* list) {
    PObjImage* image = Make<PObjImage>();
    ASSERT_TRUE(image->GetImage()->Create(8, 8, PixelFormat32bppARGB));
    image->GetImage()->FillRect(0xFFFF0000, nullptr);
    Args add = With();
    add.Obj(image);
    EXPECT_EQ(CallInt(list, L::ADD_IMAGE, add), 1);
  }
  void Create(L* list) {
    Args size = With();
    size.Int(8).Int(8);
    EXPECT_EQ(CallInt(list, L::CREATE, size), 1);
  }
};

TEST_F(ImageListLifetimeTest, AUseSeesTheKeptListGrow) {
  L* list = Make<L>();
  EXPECT_EQ(list->Use().GetHandle(), nullptr);
  Create(list);
  ImageListUse use = list->Use();
  ASSERT_EQ(use.GetHandle(), list->GetHandle());
  AddRed(list);
  EXPECT_EQ(ImageList_GetImageCount(use.GetHandle()), 1);
  ImageListUse second = list->Use();
  use.Drop();
  EXPECT_EQ(second.GetHandle(), list->GetHandle());
  EXPECT_EQ(ImageList_GetImageCount(list->GetHandle()), 1);
}

TEST_F(ImageListLifetimeTest, AReplacedOrDestroyedListStaysWithItsUsers) {
  L* list = Make<L>();
  Create(list);
  AddRed(list);
  ImageListUse old = list->Use();
  HIMAGELIST drawn = old.GetHandle();

  // Replaced: the object goes on with a new list, the user keeps the old.
  Create(list);
  EXPECT_NE(list->GetHandle(), drawn);
  EXPECT_EQ(CallInt(list, L::GET_COUNT), 0);
  ASSERT_EQ(ImageList_GetImageCount(drawn), 1);
  EXPECT_EQ(ImageListPixels(drawn, 0).size(), 64u);

  // Destroyed: the same.
  ImageListUse newer = list->Use();
  HIMAGELIST second = newer.GetHandle();
  AddRed(list);
  CallInt(list, L::DESTROY);
  EXPECT_EQ(list->GetHandle(), nullptr);
  EXPECT_EQ(ImageList_GetImageCount(second), 1);
  EXPECT_EQ(ImageList_GetImageCount(drawn), 1);
}

TEST_F(ImageListLifetimeTest, AReleasedObjectLeavesItsListToTheUsers) {
  L* list = NewList();
  ASSERT_NE(list, nullptr);
  Create(list);
  AddRed(list);
  AddRed(list);
  ImageListUse use = list->Use();
  ImageListUse moved;
  moved = std::move(use);
  EXPECT_EQ(use.GetHandle(), nullptr);
  ASSERT_TRUE(PObject::DeleteObject(list));
  EXPECT_EQ(ImageList_GetImageCount(moved.GetHandle()), 2);
  EXPECT_EQ(ImageListPixels(moved.GetHandle(), 1).size(), 64u);
}

}  // namespace
