// The array classes as applications use them (the programs are in
// ArrayClassPrograms.h): people kept sorted by a compare handler, a table
// column copied into a StringArray, lines saved and loaded with and without
// handlers. Each program shows what it found in one box captioned "Result"
// and ends by itself; the test then checks the files it left.
//
// Starts are slow under emulation, so every program is started before the
// first box is read.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/ArrayClassPrograms.h"
#include "tests/e2e/PackedApp.h"

namespace {

using arrayprograms::ArrayProgram;

void PrintTo(const ArrayProgram& p, std::ostream* out) { *out << p.name; }

class ArrayClasses : public ::testing::TestWithParam<ArrayProgram> {
 protected:
  static void SetUpTestSuite() {
    for (const ArrayProgram& p : arrayprograms::Programs()) {
      auto app = std::make_unique<e2e::PackedApp>(std::string("Array") + p.name);
      for (const auto& resource : p.resources) app->AddResource(resource.first, resource.second);
      std::string error;
      if (!app->Pack(p.program, true, &error)) s_errors.push_back(error);
      else s_errors.push_back(app->Start() ? "" : "the process did not start");
      s_apps.push_back(std::move(app));
    }
  }
  static void TearDownTestSuite() {
    s_apps.clear();
    s_errors.clear();
  }

  static std::vector<std::unique_ptr<e2e::PackedApp>> s_apps;
  static std::vector<std::string> s_errors;
};

std::vector<std::unique_ptr<e2e::PackedApp>> ArrayClasses::s_apps;
std::vector<std::string> ArrayClasses::s_errors;

TEST_P(ArrayClasses, ShowsItsResult) {
  size_t index = 0;
  const auto& programs = arrayprograms::Programs();
  while (index < s_apps.size() && std::string(programs[index].name) != GetParam().name) index++;
  ASSERT_LT(index, s_apps.size());
  ASSERT_EQ(s_errors[index], "");
  e2e::PackedApp& app = *s_apps[index];
  HWND box = app.WaitForBox("Result");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(appboxes::ReadBox(box).text, GetParam().result);
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(app.WaitForExit(&code));
  EXPECT_EQ(code, 0u);
  if (std::string(GetParam().name) == "Lines") {
    // The handler's lines; texts as their encodings, no CR or LF inside.
    EXPECT_EQ(e2e::ReadFileBytes(app.Folder() / "nums.txt"), "#5\r\n#-12\r\n");
    std::string texts = e2e::ReadFileBytes(app.Folder() / "texts.txt");
    int lines = 0;
    for (size_t at = texts.find("\r\n"); at != std::string::npos; at = texts.find("\r\n", at + 2)) lines++;
    EXPECT_EQ(lines, 3);
    EXPECT_EQ(texts.find_first_of("\r\n"), texts.find("\r\n"));
  }
}

INSTANTIATE_TEST_SUITE_P(E2E, ArrayClasses, ::testing::ValuesIn(arrayprograms::Programs()),
                         [](const ::testing::TestParamInfo<ArrayProgram>& info) { return info.param.name; });

}  // namespace
