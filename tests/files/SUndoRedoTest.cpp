#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/SUndoRedo.h"

namespace {

// A document that is a single number: each step stores the number before
// and after a change, as the script class stores its state texts.
class CounterUndo : public SUndoRedo {
 public:
  int value = 0;
  int next = 0;               // the value the next Add applies
  bool refuse = false;        // every virtual answers false
  std::vector<std::string> calls;

  // Changes the value and records the change as a step.
  bool Change(int to) {
    next = to;
    if (!Add()) return false;
    value = to;
    return true;
  }

  bool OnAdd(_SItem* step) override {
    calls.push_back("add");
    EXPECT_STREQ(step->first.GetText(), "");
    EXPECT_STREQ(step->second.GetText(), "");
    if (refuse) return false;
    step->first = std::to_string(value).c_str();
    step->second = std::to_string(next).c_str();
    return true;
  }
  bool OnUndo(_SItem* step) override {
    calls.push_back("undo " + std::string(step->first.GetText()));
    if (refuse) return false;
    value = std::stoi(step->first.GetText());
    return true;
  }
  bool OnRedo(_SItem* step) override {
    calls.push_back("redo " + std::string(step->second.GetText()));
    if (refuse) return false;
    value = std::stoi(step->second.GetText());
    return true;
  }
};

TEST(SUndoRedoTest, UndoAndRedoWalkTheStepsInOrder) {
  CounterUndo list;
  EXPECT_EQ(list.GetCurrentIndex(), -1);
  EXPECT_FALSE(list.Undo());
  EXPECT_FALSE(list.Redo());
  for (int v = 1; v <= 3; v++) ASSERT_TRUE(list.Change(v * 10));
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.GetCurrentIndex(), 2);

  EXPECT_TRUE(list.Undo());
  EXPECT_TRUE(list.Undo());
  EXPECT_EQ(list.value, 10);
  EXPECT_EQ(list.GetCurrentIndex(), 0);
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_TRUE(list.Redo());
  EXPECT_EQ(list.value, 20);
  EXPECT_TRUE(list.Redo());
  EXPECT_FALSE(list.Redo());  // position at the end
  EXPECT_EQ(list.value, 30);
  EXPECT_EQ(list.calls, (std::vector<std::string>{"add", "add", "add", "undo 20", "undo 10", "redo 20",
                                                   "redo 30"}));
}

TEST(SUndoRedoTest, AddAfterUndoDiscardsTheRedoSteps) {
  CounterUndo list;
  for (int v = 1; v <= 4; v++) list.Change(v);
  list.Undo();
  list.Undo();
  ASSERT_TRUE(list.Change(99));
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.GetCurrentIndex(), 2);
  EXPECT_FALSE(list.Redo());
  EXPECT_TRUE(list.Undo());
  EXPECT_EQ(list.value, 2);
}

TEST(SUndoRedoTest, FullListRefusesAndOnlyAppliedStepsCount) {
  CounterUndo list;
  for (int i = 1; i <= 32; i++) ASSERT_TRUE(list.Change(i));
  EXPECT_FALSE(list.Change(33));
  EXPECT_EQ(list.GetCount(), 32);
  EXPECT_EQ(list.value, 32);
  // The undone step goes with the new one, so there is room for it; the
  // oldest step is never dropped.
  ASSERT_TRUE(list.Undo());
  EXPECT_TRUE(list.Change(7));
  EXPECT_EQ(list.GetCount(), 32);
  EXPECT_EQ(list.GetCurrentIndex(), 31);
  EXPECT_FALSE(list.Change(8));
  // A lowered depth keeps the steps but refuses until they are undone.
  list.SetMaxDepth(2);
  EXPECT_FALSE(list.Change(9));
  EXPECT_EQ(list.GetCount(), 32);
}

TEST(SUndoRedoTest, MaxDepthBelowOneStoresOne) {
  SUndoRedo list;
  for (int depth : {0, -5, 1}) {
    list.SetMaxDepth(depth);
    EXPECT_EQ(list.GetMaxDepth(), 1);
  }
  EXPECT_TRUE(list.Add());
  EXPECT_FALSE(list.Add());
  list.SetMaxDepth(3);
  EXPECT_EQ(list.GetMaxDepth(), 3);
  EXPECT_TRUE(list.Add());
}

TEST(SUndoRedoTest, WithoutRedoEveryUndoShortensTheList) {
  CounterUndo list;
  list.SetRedoEnabled(false);
  for (int v = 1; v <= 3; v++) list.Change(v);
  while (list.Undo()) EXPECT_EQ(list.GetCount(), list.GetCurrentIndex() + 1);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.value, 0);
  list.Change(5);
  EXPECT_FALSE(list.Redo());
}

TEST(SUndoRedoTest, RefusedStepsLeaveTheListAsItWas) {
  CounterUndo list;
  list.Change(1);
  list.Change(2);
  list.Undo();
  list.refuse = true;
  EXPECT_FALSE(list.Undo());
  EXPECT_FALSE(list.Redo());
  EXPECT_EQ(list.GetCurrentIndex(), 0);
  EXPECT_EQ(list.GetCount(), 2);
  // A refused add keeps the redo step too.
  EXPECT_FALSE(list.Add());
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetCurrentIndex(), 0);
  list.refuse = false;
  EXPECT_TRUE(list.Redo());
  EXPECT_EQ(list.value, 2);
}

TEST(SUndoRedoTest, RemoveLastDropsRedoStepsThenOneAppliedStep) {
  CounterUndo list;
  EXPECT_FALSE(list.RemoveLast());
  for (int v = 1; v <= 3; v++) list.Change(v);
  list.Undo();
  list.calls.clear();
  EXPECT_TRUE(list.RemoveLast());
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetCurrentIndex(), 0);
  EXPECT_TRUE(list.calls.empty());  // no step is undone by it
  EXPECT_TRUE(list.RemoveLast());
  EXPECT_FALSE(list.RemoveLast());
  EXPECT_EQ(list.GetCount(), 0);

  // At position 0 the redo steps still go.
  list.Change(1);
  list.Undo();
  EXPECT_FALSE(list.RemoveLast());
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(SUndoRedoTest, DisabledListRefusesEverythingAndKeepsItsSteps) {
  CounterUndo list;
  list.Change(1);
  list.Change(2);
  list.Undo();
  list.SetEnabled(false);
  EXPECT_FALSE(list.IsEnabled());
  EXPECT_FALSE(list.Add());
  EXPECT_FALSE(list.Undo());
  EXPECT_FALSE(list.Redo());
  EXPECT_FALSE(list.RemoveLast());
  list.Clear();
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetCurrentIndex(), 0);
  list.SetEnabled(true);
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetCurrentIndex(), -1);
  EXPECT_TRUE(list.Change(3));
}

}  // namespace
