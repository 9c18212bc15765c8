// Dialog descriptions for the builder and factory tests: the text form
// written record by record, and live dialogs made from it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/DialogFromDescription.h"
#include "files/SFileMem.h"
#include "tests/window/DialogTesting.h"

// One record of the text form: its header KEY and its KEY=VALUE lines.
struct DescribedRecord {
  std::string type;
  std::vector<std::string> lines;
};

inline std::string DescriptionText(const std::vector<DescribedRecord>& records) {
  std::string text = "TAVRIN DIALOG 1.0.0.0\r\n\r\n";
  for (const DescribedRecord& r : records) {
    text += "[" + r.type + "]\r\n";
    for (const std::string& line : r.lines) text += line + "\r\n";
    text += "\r\n";
  }
  return text;
}

// A captioned, visible dialog of that client size with the extra lines.
inline DescribedRecord DialogRecord(int width, int height, std::vector<std::string> extra = {},
                                    const char* style = "WS_VISIBLE WS_CAPTION WS_SYSMENU") {
  DescribedRecord r{"DIALOG",
                    {"CAPTION=Built", "POSITION=0 0 " + std::to_string(width) + " " + std::to_string(height),
                     std::string("STYLE=") + style}};
  r.lines.insert(r.lines.end(), extra.begin(), extra.end());
  return r;
}

// A control record: type, id, name, caption, place and style, then extra lines.
inline DescribedRecord ControlRecord(const char* type, int id, const char* name, const char* caption, int x, int y,
                                     int width, int height, const char* style = "WS_VISIBLE",
                                     std::vector<std::string> extra = {}) {
  DescribedRecord r{type,
                    {"ID=" + std::to_string(id), std::string("NAME=") + name, std::string("CAPTION=") + caption,
                     "POSITION=" + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " " +
                         std::to_string(height),
                     std::string("STYLE=") + style}};
  r.lines.insert(r.lines.end(), extra.begin(), extra.end());
  return r;
}

// The description loaded into the dialog through SDialog::Load and the
// installed builder.
inline bool LoadDescription(TestDialog& dialog, const std::vector<DescribedRecord>& records,
                            SResource* resources = nullptr, DialogDescriptionOptions* own = nullptr,
                            DialogBuildOptions options = {}) {
  SFileMem stream;
  std::string text = DescriptionText(records);
  stream.Write(text.data(), int(text.size()));
  options.builderOptions = own;
  bool loaded = dialog.Load(&stream, resources, &options);
  PumpMessages();
  return loaded;
}

inline std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

inline std::string TextOf(HWND window) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}
