// Packed programs that each show what they found in one message box
// captioned "Result" and then end by themselves with exit code 0. A suite
// starts all of its programs together before the first box is read, since
// every start costs seconds under emulation.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/PackedApp.h"

namespace e2e {

struct ResultProgram {
  const char* name;
  const char* program;
  const char* result;  // the box's text
};

inline void PrintTo(const ResultProgram& p, std::ostream* out) { *out << p.name; }

// The programs of one suite, started at once; folder names get the prefix.
class ResultProgramRuns {
 public:
  template <size_t N>
  void StartAll(const ResultProgram (&programs)[N], const char* prefix) {
    for (const ResultProgram& p : programs) {
      auto app = std::make_unique<PackedApp>(std::string(prefix) + p.name);
      std::string error;
      if (!app->Pack(p.program, true, &error)) m_errors.push_back(error);
      else m_errors.push_back(app->Start() ? "" : "the process did not start");
      m_names.push_back(p.name);
      m_apps.push_back(std::move(app));
    }
  }
  void Clear() {
    m_apps.clear();
    m_errors.clear();
    m_names.clear();
  }

  // The program shows the result, and nothing more, and ends with 0.
  void Check(const ResultProgram& p) {
    size_t index = 0;
    while (index < m_names.size() && m_names[index] != p.name) index++;
    ASSERT_LT(index, m_apps.size());
    ASSERT_EQ(m_errors[index], "");
    PackedApp& app = *m_apps[index];
    HWND box = app.WaitForBox("Result");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(appboxes::ReadBox(box).text, p.result);
    ASSERT_TRUE(PackedApp::Press(box, IDOK));
    HWND extra = app.WaitForBox(nullptr);
    EXPECT_EQ(extra, nullptr) << "unexpected box: " << (extra ? appboxes::ReadBox(extra).text : "");
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(&code));
    EXPECT_EQ(code, 0u);
  }

 private:
  std::vector<std::unique_ptr<PackedApp>> m_apps;
  std::vector<std::string> m_errors;
  std::vector<std::string> m_names;
};

}  // namespace e2e
