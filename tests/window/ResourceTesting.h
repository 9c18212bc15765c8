// Resource packs for the window tests: pictures and raw bytes under names,
// written to a scratch file and opened as the application's resources.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "files/SFileMem.h"
#include "files/SResource.h"
#include "tests/files/StreamTestData.h"
#include "tools/ResourcePackWriter.h"
#include "window/SImage.h"

class TestResources {
 public:
  // A w x h PNG of one opaque colour, or transparent where the colour's
  // alpha is 0 outside a centred square of opaque pixels.
  void AddPicture(const char* name, int width, int height, Gdiplus::ARGB colour, Gdiplus::ARGB centre = 0) {
    SImage picture(width, height);
    Gdiplus::Rect whole(0, 0, width, height);
    picture.FillRect(colour, &whole);
    if (centre) {
      Gdiplus::Rect middle(width / 4, height / 4, width / 2, height / 2);
      picture.FillRect(centre, &middle);
    }
    SFileMem png;
    ASSERT_TRUE(picture.SaveToStream(&png, kImagePng, 0));
    m_entries.emplace_back(name, std::string(reinterpret_cast<const char*>(png.GetData()), size_t(png.GetSize())));
  }
  void AddBytes(const char* name, const std::string& bytes) { m_entries.emplace_back(name, bytes); }

  // The pack written and opened; null when either fails.
  SResource* Open() {
    SFileMem out;
    ResourcePackWriter writer(&out, false, nullptr);
    for (auto& [name, bytes] : m_entries) {
      SFileMem data;
      streamtest::Fill(data, bytes);
      if (!writer.Add(name.c_str(), &data)) return nullptr;
    }
    if (!writer.Finish() || !out.SaveFile(m_file.Path())) return nullptr;
    return m_resources.Open(m_file.Path(), 0) ? &m_resources : nullptr;
  }

 private:
  std::vector<std::pair<std::string, std::string>> m_entries;
  streamtest::ScratchFile m_file;
  SResource m_resources;
};

// A memory stream holding the text, its lines joined by CR LF.
inline void FillLines(SFileMem& stream, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  streamtest::Fill(stream, text);
}
