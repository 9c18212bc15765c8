#include "tests/e2e/PackedApp.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "engine/compiler/PSource.h"
#include "files/SFileMem.h"
#include "tools/packwriter/BuiltinClassNaming.h"
#include "tools/packwriter/PackageWriter.h"
#include "tools/packwriter/ProgramCheck.h"
#include "tools/packwriter/ProgramTextReader.h"

namespace fs = std::filesystem;

namespace e2e {

namespace {

// The bytes, rewound.
void Fill(SFileMem* file, const std::string& bytes) {
  file->Allocate(0);
  file->Write(bytes.data(), int(bytes.size()));
  file->Rewind();
}

bool ReadProgram(const std::string& text, ProgramTextReader* reader, PSource* program,
                 std::string* error) {
  SFileMem file;
  Fill(&file, text);
  if (reader->Read(&file, "program.txt", program)) return true;
  *error = reader->GetError().GetText();
  return false;
}

// The build marks the declaration lines it takes, so it gets its own copy.
bool BuildsInTheEngine(const std::string& text, std::string* error) {
  PSource copy;
  ProgramTextReader reader(EngineBuiltinNaming());
  if (!ReadProgram(text, &reader, &copy, error)) return false;
  SString report;
  if (CheckProgram(copy, reader, &report)) return true;
  *error = std::string("the engine cannot build the program: ") + report.GetText();
  return false;
}

}  // namespace

PackedApp::PackedApp(const std::string& name) {
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  m_folder = fs::path(base) / ("tavrin-e2e-" + std::to_string(GetCurrentProcessId())) / name;
  std::error_code ignored;
  fs::remove_all(m_folder, ignored);
  fs::create_directories(m_folder, ignored);
  m_app = (m_folder / "app.exe").string();
}

PackedApp::~PackedApp() {
  if (m_process) {
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) TerminateProcess(m_process, 1);
    WaitForSingleObject(m_process, kExitTimeout);
    CloseHandle(m_process);
  }
  std::error_code ignored;
  fs::remove_all(m_folder, ignored);
  // The run's folder goes with its last application.
  fs::remove(m_folder.parent_path(), ignored);
}

bool PackedApp::Pack(const std::string& program, bool check, std::string* error) {
  if (check && !BuildsInTheEngine(program, error)) return false;
  PSource source;
  ProgramTextReader reader(EngineBuiltinNaming());
  if (!ReadProgram(program, &reader, &source, error)) return false;
  PackageWriter writer;
  uint8_t key[PackageWriter::kKeySize];
  for (int i = 0; i < PackageWriter::kKeySize; i++) key[i] = uint8_t(0x3C + 17 * i);
  writer.SetKey(key);
  for (const auto& resource : m_resources) {
    SFileMem data;
    Fill(&data, resource.second);
    writer.AddResource(resource.first.c_str(), &data);
  }
  for (const std::string& module : m_modules) {
    SFileMem image;
    Fill(&image, module);
    writer.AddModule(&image);
  }
  SString reason;
  if (writer.WriteExecutable(TAVRIN_ENGINE_EXE, source, m_app.c_str(), &reason)) return true;
  *error = reason.GetText();
  return false;
}

bool PackedApp::Start(const std::string& arguments) {
  std::string commandLine = "\"" + m_app + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(m_app.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      m_folder.string().c_str(), &startup, &info))
    return false;
  CloseHandle(info.hThread);
  m_process = info.hProcess;
  m_processId = info.dwProcessId;
  return true;
}

HWND PackedApp::WaitForBox(const char* caption, DWORD timeoutMs) {
  if (!m_process) return nullptr;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    if (HWND box = appboxes::FindBox(m_processId, caption)) return box;
    if (WaitForSingleObject(m_process, 200) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

bool PackedApp::WaitForExit(DWORD* code, DWORD timeoutMs) {
  if (!m_process || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(m_process, code);
  return true;
}

void AppBatch::Start(const std::string& name, const std::string& program,
                     const std::vector<std::pair<std::string, std::string>>& resources,
                     const std::string& arguments, bool check) {
  Entry entry{name, std::make_unique<PackedApp>(name), ""};
  for (const auto& resource : resources) entry.app->AddResource(resource.first, resource.second);
  if (entry.app->Pack(program, check, &entry.error) && !entry.app->Start(arguments))
    entry.error = "the process did not start";
  m_apps.push_back(std::move(entry));
}

PackedApp* AppBatch::Find(const std::string& name) const {
  for (const Entry& e : m_apps)
    if (e.name == name) return e.app.get();
  return nullptr;
}

const std::string& AppBatch::Error(const std::string& name) const {
  static const std::string kNotStarted = "no such application was started";
  for (const Entry& e : m_apps)
    if (e.name == name) return e.error;
  return kNotStarted;
}

void ExpectBoxesThenExit(PackedApp& app, const char* caption, const std::vector<std::string>& texts) {
  for (const std::string& expected : texts) {
    HWND box = app.WaitForBox(caption);
    ASSERT_NE(box, nullptr) << "no box for " << expected;
    appboxes::BoxContent content = appboxes::ReadBox(box);
    EXPECT_EQ(content.text, expected);
    EXPECT_EQ(ButtonTexts(content), std::vector<std::string>{"OK"});
    ASSERT_TRUE(PackedApp::Press(box, IDOK));
  }
  HWND extra = app.WaitForBox(nullptr);
  EXPECT_EQ(extra, nullptr) << "unexpected box: " << (extra ? appboxes::ReadBox(extra).text : "");
  DWORD code = 1;
  ASSERT_TRUE(app.WaitForExit(&code));
  EXPECT_EQ(code, 0u);
}

std::vector<std::string> ButtonTexts(const appboxes::BoxContent& content) {
  std::vector<std::string> texts;
  for (const appboxes::BoxButton& b : content.buttons) texts.push_back(b.text);
  return texts;
}

std::string ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace e2e
