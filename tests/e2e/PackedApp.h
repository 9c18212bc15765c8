// A program packed onto the engine and started as a process of its own,
// with the message boxes it shows, found by its process id and their
// caption (tools/AppBoxes.h), so that several applications can run side by
// side.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tools/AppBoxes.h"

namespace e2e {

class PackedApp {
 public:
  // The application's own folder, made empty under the temporary folder;
  // it is its working folder and holds app.exe.
  explicit PackedApp(const std::string& name);
  ~PackedApp();
  PackedApp(const PackedApp&) = delete;
  PackedApp& operator=(const PackedApp&) = delete;

  // Packs the program text (the package writer's text form) onto the
  // engine. With check, the program is first built here as the engine will
  // build it, so that a fault is reported with its place instead of as the
  // engine's "Corrupted File". False with the reason in error.
  bool Pack(const std::string& program, bool check, std::string* error);
  // A resource for the next Pack: name ("text\\a.txt") and bytes.
  void AddResource(const std::string& name, const std::string& bytes) {
    m_resources.push_back({name, bytes});
  }
  // A module library's bytes for the next Pack, in the order added.
  void AddModule(const std::string& bytes) { m_modules.push_back(bytes); }
  // Starts app.exe in its folder; arguments follow its quoted path on the
  // command line as written.
  bool Start(const std::string& arguments = "");

  // The first visible box of this process with the caption (any message
  // box for null); null when the process ended, or the time ran out, first.
  HWND WaitForBox(const char* caption, DWORD timeoutMs = kBoxTimeout);
  // Clicks the button and waits until the box is gone.
  static bool Press(HWND box, int commandId) { return appboxes::PressButton(box, commandId, kExitTimeout); }

  // True when the process ended within the time; its exit code in code.
  bool WaitForExit(DWORD* code, DWORD timeoutMs = kExitTimeout);
  const std::filesystem::path& Folder() const { return m_folder; }
  DWORD ProcessId() const { return m_processId; }

  static const DWORD kBoxTimeout = 150000;  // ms; starts are slow under emulation
  static const DWORD kExitTimeout = 60000;

 private:
  std::filesystem::path m_folder;
  std::string m_app;
  std::vector<std::pair<std::string, std::string>> m_resources;
  std::vector<std::string> m_modules;
  HANDLE m_process = nullptr;
  DWORD m_processId = 0;
};

// Applications packed and started together, since every start costs seconds
// under emulation, then read one by one (their boxes are told apart by
// process id).
class AppBatch {
 public:
  // Packs the program with its resources (built here first unless check is
  // false) and starts it; a failure is kept as the app's error.
  void Start(const std::string& name, const std::string& program,
             const std::vector<std::pair<std::string, std::string>>& resources = {},
             const std::string& arguments = "", bool check = true);
  // The started app of that name, null when there is none; why it did not
  // pack or start, "" when it did.
  PackedApp* Find(const std::string& name) const;
  const std::string& Error(const std::string& name) const;
  void Clear() { m_apps.clear(); }

 private:
  struct Entry {
    std::string name;
    std::unique_ptr<PackedApp> app;
    std::string error;
  };
  std::vector<Entry> m_apps;
};

// Reads and closes the app's boxes with the caption, which must show these
// texts in order with one OK button each; then no further box may come and
// the app must end by itself with exit code 0.
void ExpectBoxesThenExit(PackedApp& app, const char* caption, const std::vector<std::string>& texts);

// The captions of the box's buttons, in order.
std::vector<std::string> ButtonTexts(const appboxes::BoxContent& content);
// The text of the whole file, "" when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

}  // namespace e2e
