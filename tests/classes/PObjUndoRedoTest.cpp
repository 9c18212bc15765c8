// The UndoRedo class: a history whose steps the owner's handlers record,
// undo and redo through events, called as the stack machine calls it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classes/PObjUndoRedo.h"
#include "classes/PObjValue.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/MemberCall.h"
#include "tests/engine/EngineTestClasses.h"

namespace {

using U = PObjUndoRedo;

// An owner whose handlers keep a log: the add handler stores the next
// step text in the Value, undo and redo log the text they get. Each handler
// answers its own result (0 goes ahead).
class PObjUndoRedoTest : public classtest::ValueClassTest {
 protected:
  static const uint16_t kFirstHandler = 20;

  void SetUp() override {
    ValueClassTest::SetUp();
    PObjectDefinition* d = engine.FindDefinitionByName("UndoRedo");
    ASSERT_NE(d, nullptr);
    owner = enginetest::AddClass(engine, 0x03000000, "Owner");
    for (int e : handled) {
      std::string name = std::string("UndoRedo.") + d->GetMemberName(e);
      enginetest::ScriptSignature s(name.c_str(), TYPE_INTEGER,
                                    {d->GetParamInfo(e, 0)->GetTypeCode()});
      ASSERT_TRUE(enginetest::AddScript(owner, MEMBER_HANDLER, uint16_t(kFirstHandler + e), s));
    }
    ownerObject = static_cast<enginetest::RecordingObject*>(owner->CreateInstance());
    ownerObject->onCall = [this](uint16_t member, PArgs* args, PResultCell* result, PObject*) {
      int event = member - kFirstHandler;
      if (event == U::ON_ADD) {
        auto* data = static_cast<PObjValue*>(PObject::GetArgObject(args, 0));
        log.push_back("add[" + std::string(data->GetValue().ToString().GetText()) + "]");
        data->GetValue().SetString(next.c_str());
        return PObject::ReturnInt64(result, answerAdd);
      }
      log.push_back((event == U::ON_UNDO ? "undo " : "redo ") +
                    std::string(PObject::GetArgString(args, 0)));
      return PObject::ReturnInt64(result, answer);
    };
    history = static_cast<PObjUndoRedo*>(d->CreateInstance());
    ASSERT_TRUE(ownerObject->BindOwner(history));
  }
  void TearDown() override {
    PObject::DeleteObject(history);
    PObject::DeleteObject(ownerObject);
    ValueClassTest::TearDown();
  }

  bool Add(const char* text) {
    next = text;
    return CallInt(history, U::ADD) == 1;
  }
  int64_t Int(U::Member m) { return CallInt(history, m); }
  void Set(U::Member m, int64_t v) { CallVoid(history, m, With().Int(v)); }

  std::vector<int> handled = {U::ON_ADD, U::ON_REDO, U::ON_UNDO};
  PObjectDefinition* owner = nullptr;
  enginetest::RecordingObject* ownerObject = nullptr;
  PObjUndoRedo* history = nullptr;
  std::vector<std::string> log;
  std::string next;
  int64_t answer = 0, answerAdd = 0;
};

TEST_F(PObjUndoRedoTest, Declaration) {
  PObjectDefinition* d = history->GetDefinition();
  ASSERT_EQ(d->GetMemberCount(), 16);
  EXPECT_EQ(d->GetCategory(), CATEGORY_SERVICES);
  EXPECT_EQ(d->GetMemberKind(U::ON_ADD), MEMBER_EVENT);
  EXPECT_EQ(d->GetParamInfo(U::ON_ADD, 0)->GetType(), engine.GetValueDefinition());
  EXPECT_EQ(d->GetParamInfo(U::ON_UNDO, 0)->GetType(), engine.GetStringDefinition());
  EXPECT_EQ(d->GetDefaultCount(U::SET_MAXIMUM), 1);
  EXPECT_EQ(Int(U::GET_MAXIMUM), 32);
  EXPECT_EQ(Int(U::IS_ENABLED), 1);
  EXPECT_EQ(Int(U::IS_REDO_ENABLED), 1);
  EXPECT_EQ(Int(U::GET_CURRENT_INDEX), -1);
}

TEST_F(PObjUndoRedoTest, StepTextTravelsFromAddToUndoAndRedo) {
  ASSERT_TRUE(Add("a=1"));
  EXPECT_EQ(Int(U::GET_COUNT), 1);
  EXPECT_EQ(Int(U::GET_CURRENT_INDEX), 0);
  ASSERT_TRUE(Add("a=2"));
  EXPECT_EQ(Int(U::UNDO), 1);
  EXPECT_EQ(Int(U::UNDO), 1);
  EXPECT_EQ(Int(U::UNDO), 0);  // nothing left to undo: no event
  EXPECT_EQ(Int(U::REDO), 1);
  EXPECT_EQ(Int(U::GET_CURRENT_INDEX), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"add[]", "add[]", "undo a=2", "undo a=1", "redo a=1"}));

  // Three steps, two undone: the add drops the undone ones first.
  log.clear();
  ASSERT_TRUE(Add("b"));
  EXPECT_EQ(Int(U::GET_COUNT), 2);
  EXPECT_EQ(Int(U::REDO), 0);
}

TEST_F(PObjUndoRedoTest, HandlersThatRefuseChangeNothing) {
  answerAdd = 1;
  EXPECT_FALSE(Add("x"));
  EXPECT_EQ(Int(U::GET_COUNT), 0);
  answerAdd = 0;
  ASSERT_TRUE(Add("x"));
  answer = 7;
  EXPECT_EQ(Int(U::UNDO), 0);
  EXPECT_EQ(Int(U::GET_CURRENT_INDEX), 0);
  answer = 0;
  ASSERT_EQ(Int(U::UNDO), 1);
  answer = -1;
  EXPECT_EQ(Int(U::REDO), 0);
  EXPECT_EQ(Int(U::GET_CURRENT_INDEX), -1);
}

TEST_F(PObjUndoRedoTest, WithoutRedoAnUndoDropsTheStep) {
  ASSERT_TRUE(Add("1"));
  ASSERT_TRUE(Add("2"));
  Set(U::ENABLE_REDO, 0);
  EXPECT_EQ(Int(U::IS_REDO_ENABLED), 0);
  ASSERT_EQ(Int(U::UNDO), 1);
  EXPECT_EQ(Int(U::GET_COUNT), 1);
  EXPECT_EQ(Int(U::REDO), 0);
}

// A full history refuses, but only the steps that stay count: an undone
// step goes with the add, so it leaves room.
TEST_F(PObjUndoRedoTest, MaximumCountsTheStepsThatStay) {
  Set(U::SET_MAXIMUM, 0);
  EXPECT_EQ(Int(U::GET_MAXIMUM), 1);
  ASSERT_TRUE(Add("first"));
  EXPECT_FALSE(Add("second"));
  ASSERT_EQ(Int(U::UNDO), 1);
  EXPECT_TRUE(Add("third"));
  EXPECT_EQ(Int(U::GET_COUNT), 1);
  EXPECT_EQ(Int(U::REMOVE_LAST), 1);
  EXPECT_EQ(Int(U::REMOVE_LAST), 0);
  ASSERT_TRUE(Add("fourth"));
  { auto none = With(); CallVoid(history, U::CLEAR, none); }
  EXPECT_EQ(Int(U::GET_COUNT), 0);
  EXPECT_TRUE(Add("fifth"));
}

TEST_F(PObjUndoRedoTest, DisabledHistoryDoesNothing) {
  ASSERT_TRUE(Add("1"));
  ASSERT_TRUE(Add("2"));
  ASSERT_EQ(Int(U::UNDO), 1);
  Set(U::ENABLE, 0);
  EXPECT_EQ(Int(U::IS_ENABLED), 0);
  log.clear();
  EXPECT_FALSE(Add("3"));
  EXPECT_EQ(Int(U::REDO), 0);
  EXPECT_EQ(Int(U::UNDO), 0);
  EXPECT_EQ(Int(U::REMOVE_LAST), 0);
  { auto none = With(); CallVoid(history, U::CLEAR, none); }
  EXPECT_EQ(Int(U::GET_COUNT), 2);
  EXPECT_TRUE(log.empty());
}

// Without handlers every event counts as refused.
TEST_F(PObjUndoRedoTest, NoHandlerRefuses) {
  PObjUndoRedo* lone = static_cast<PObjUndoRedo*>(history->GetDefinition()->CreateInstance());
  EXPECT_EQ(CallInt(lone, U::ADD), 0);
  EXPECT_EQ(CallInt(lone, U::GET_COUNT), 0);
  PObject::DeleteObject(lone);
}

}  // namespace
