// The example applications of examples/, packed from their program.txt and
// played from here through their message boxes. Every example folder must
// be played by a test below, so that each one keeps building and doing what
// it says. All runs are started together before the first is played.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/PackedApp.h"

namespace fs = std::filesystem;

namespace {

const char* const kExamples[] = {"guess", "hello", "ledger"};

// One run of an example: its name and the folder of its program.
struct ExampleRun {
  const char* name;
  const char* example;
};

const ExampleRun kRuns[] = {
    {"hello", "hello"},
    {"guess-1", "guess"},
    {"guess-37", "guess"},
    {"guess-100", "guess"},
    {"guess-cancel", "guess"},
    {"ledger", "ledger"},
};

class Examples : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const ExampleRun& run : kRuns) {
      Started& s = s_runs[run.name];
      s.app = std::make_unique<e2e::PackedApp>(run.name);
      std::string program = e2e::ReadFileBytes(fs::path(TAVRIN_EXAMPLES) / run.example / "program.txt");
      if (program.empty()) {
        s.error = std::string("no program for ") + run.example;
      } else if (s.app->Pack(program, true, &s.error) && !s.app->Start()) {
        s.error = "the process did not start";
      }
    }
  }
  static void TearDownTestSuite() { s_runs.clear(); }

  // The started run, or null with a failure.
  static e2e::PackedApp* App(const char* name) {
    auto found = s_runs.find(name);
    if (found == s_runs.end()) {
      ADD_FAILURE() << "no run " << name;
      return nullptr;
    }
    EXPECT_EQ(found->second.error, "") << name;
    return found->second.error.empty() ? found->second.app.get() : nullptr;
  }

  // Waits for the next box of the caption and reads it.
  static bool NextBox(e2e::PackedApp* app, const char* caption, HWND* box, appboxes::BoxContent* content) {
    *box = app->WaitForBox(caption);
    if (!*box) return false;
    *content = appboxes::ReadBox(*box);
    return true;
  }

  static void ExpectEndWithoutBox(e2e::PackedApp* app) {
    HWND extra = app->WaitForBox(nullptr);
    EXPECT_EQ(extra, nullptr) << "unexpected box: " << (extra ? appboxes::ReadBox(extra).text : "");
    DWORD code = 1;
    ASSERT_TRUE(app->WaitForExit(&code));
    EXPECT_EQ(code, 0u);
  }

  // Plays the number guess with the secret number: answers every question
  // truthfully and returns the final text, with the number of questions
  // asked.
  static std::string PlayGuess(e2e::PackedApp* app, int secret, int* questions) {
    HWND box;
    appboxes::BoxContent content;
    *questions = 0;
    if (!NextBox(app, "Guess", &box, &content)) return "<no intro>";
    EXPECT_EQ(e2e::ButtonTexts(content), (std::vector<std::string>{"OK", "Cancel"}));
    if (!e2e::PackedApp::Press(box, IDOK)) return "<intro stays>";
    const std::string question = "Is your number greater than ";
    while (NextBox(app, "Guess", &box, &content)) {
      if (content.text.rfind(question, 0) != 0) {
        e2e::PackedApp::Press(box, IDOK);
        return content.text;
      }
      EXPECT_EQ(e2e::ButtonTexts(content), (std::vector<std::string>{"&Yes", "&No"}));
      int middle = std::stoi(content.text.substr(question.size()));
      ++*questions;
      if (*questions > 10 || !e2e::PackedApp::Press(box, secret > middle ? IDYES : IDNO))
        return "<endless questions>";
    }
    return "<ended without an answer>";
  }

  struct Started {
    std::unique_ptr<e2e::PackedApp> app;
    std::string error;
  };
  static std::map<std::string, Started> s_runs;
};

std::map<std::string, Examples::Started> Examples::s_runs;

TEST_F(Examples, EveryExampleIsPlayedHere) {
  std::vector<std::string> folders;
  for (const auto& entry : fs::directory_iterator(TAVRIN_EXAMPLES))
    if (entry.is_directory()) folders.push_back(entry.path().filename().string());
  std::sort(folders.begin(), folders.end());
  EXPECT_EQ(folders, std::vector<std::string>(std::begin(kExamples), std::end(kExamples)));
}

TEST_F(Examples, HelloGreetsAndEnds) {
  e2e::PackedApp* app = App("hello");
  ASSERT_NE(app, nullptr);
  HWND box;
  appboxes::BoxContent content;
  ASSERT_TRUE(NextBox(app, "Hello", &box, &content));
  EXPECT_EQ(content.text, "Hello from Tavrin!");
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
  ExpectEndWithoutBox(app);
}

// The three games are played at the same time, each on a thread of its own.
TEST_F(Examples, GuessFindsEveryNumberWithinSevenQuestions) {
  struct Game {
    int secret;
    e2e::PackedApp* app;
    int questions = 0;
    std::future<std::string> answer;
  };
  std::vector<Game> games;
  for (int secret : {1, 37, 100}) {
    e2e::PackedApp* app = App(("guess-" + std::to_string(secret)).c_str());
    ASSERT_NE(app, nullptr);
    games.push_back({secret, app, 0, {}});
  }
  for (Game& g : games) g.answer = std::async(std::launch::async, PlayGuess, g.app, g.secret, &g.questions);
  for (Game& g : games) {
    SCOPED_TRACE(g.secret);
    std::string answer = g.answer.get();  // the game is over: questions counted
    EXPECT_EQ(answer, "Your number is " + std::to_string(g.secret) + ".\r\nI needed " +
                          std::to_string(g.questions) + " questions.");
    EXPECT_GE(g.questions, 6);
    EXPECT_LE(g.questions, 7);
    ExpectEndWithoutBox(g.app);
  }
}

TEST_F(Examples, GuessCancelledAtTheStartAsksNothing) {
  e2e::PackedApp* app = App("guess-cancel");
  ASSERT_NE(app, nullptr);
  HWND box;
  appboxes::BoxContent content;
  ASSERT_TRUE(NextBox(app, "Guess", &box, &content));
  EXPECT_EQ(content.text, "Think of a whole number from 1 to 100.\r\nI will find it with yes/no questions.");
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDCANCEL));
  ExpectEndWithoutBox(app);
}

TEST_F(Examples, LedgerShowsTheStatementItsEventsWrote) {
  e2e::PackedApp* app = App("ledger");
  ASSERT_NE(app, nullptr);
  HWND box;
  appboxes::BoxContent content;
  ASSERT_TRUE(NextBox(app, "Ledger", &box, &content));
  EXPECT_EQ(content.text,
            "Deposit 120 -> 120\r\n"
            "Withdrawal 30 -> 90\r\n"
            "Withdrawal 120 -> -30\r\n"
            "Refused: 70 over the balance\r\n"
            "Deposit 15 -> -15\r\n"
            "Balance: -15");
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
  ExpectEndWithoutBox(app);
}

}  // namespace
