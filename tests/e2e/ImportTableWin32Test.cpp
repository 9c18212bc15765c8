// An application is one executable that runs on any supported Windows
// without installing anything: the engine, and every application packed
// from it, may import only libraries that Windows itself carries. The
// import tables are read by the system's own image helper, not by code of
// this project.
#include <gtest/gtest.h>

#include <windows.h>

#include <delayimp.h>
#include <imagehlp.h>

#include <algorithm>
#include <set>
#include <string>

#include "tests/e2e/PackedApp.h"

namespace {

// Libraries that every supported Windows ships, lower-case.
const std::set<std::string> kWindowsLibraries = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "crypt32.dll",  "dsound.dll",
    "gdi32.dll",    "gdiplus.dll",  "imm32.dll",    "iphlpapi.dll", "kernel32.dll",
    "mpr.dll",      "msimg32.dll",  "msvcrt.dll",   "netapi32.dll", "ole32.dll",
    "oleaut32.dll", "psapi.dll",    "riched20.dll", "rpcrt4.dll",   "shell32.dll",
    "shlwapi.dll",  "urlmon.dll",   "user32.dll",   "version.dll",  "wininet.dll",
    "winmm.dll",    "winspool.drv", "ws2_32.dll",   "wsock32.dll",
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) { return char(tolower(c)); });
  return text;
}

// The libraries the image names in its import and delay-import tables,
// lower-case; false when the file is no image the helper can map.
bool ReadImportedLibraries(const std::string& path, std::set<std::string>* libraries) {
  LOADED_IMAGE image = {};
  if (!MapAndLoad(path.c_str(), nullptr, &image, FALSE, TRUE)) return false;
  auto text = [&](DWORD rva) {
    const char* name =
        static_cast<const char*>(ImageRvaToVa(image.FileHeader, image.MappedAddress, rva, nullptr));
    return name ? Lower(name) : std::string("<unreadable name>");
  };
  ULONG size = 0;
  auto* imports = static_cast<IMAGE_IMPORT_DESCRIPTOR*>(
      ImageDirectoryEntryToData(image.MappedAddress, FALSE, IMAGE_DIRECTORY_ENTRY_IMPORT, &size));
  for (; imports && imports->Name; imports++) libraries->insert(text(imports->Name));
  auto* delayed = static_cast<ImgDelayDescr*>(
      ImageDirectoryEntryToData(image.MappedAddress, FALSE, IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT, &size));
  for (; delayed && delayed->rvaDLLName; delayed++) libraries->insert(text(delayed->rvaDLLName));
  UnMapAndLoad(&image);
  return true;
}

void ExpectOnlyWindowsLibraries(const std::set<std::string>& libraries) {
  for (const std::string& library : libraries)
    EXPECT_TRUE(kWindowsLibraries.count(library)) << library << " is not part of Windows";
}

TEST(ImportTable, TheEngineImportsOnlyWindowsLibraries) {
  std::set<std::string> libraries;
  ASSERT_TRUE(ReadImportedLibraries(TAVRIN_ENGINE_EXE, &libraries));
  // The table was read: the engine cannot do without the kernel.
  EXPECT_TRUE(libraries.count("kernel32.dll"));
  ExpectOnlyWindowsLibraries(libraries);
}

TEST(ImportTable, AnApplicationPackedWithModulesImportsWhatTheEngineDoes) {
  e2e::PackedApp app("imports");
  std::string module = e2e::ReadFileBytes(TAVRIN_TEST_MODULE);
  ASSERT_FALSE(module.empty());
  app.AddModule(module);
  app.AddModule(module);
  std::string error;
  ASSERT_TRUE(app.Pack("class Application\n", false, &error)) << error;

  std::set<std::string> engine, packed;
  ASSERT_TRUE(ReadImportedLibraries(TAVRIN_ENGINE_EXE, &engine));
  ASSERT_TRUE(ReadImportedLibraries((app.Folder() / "app.exe").string(), &packed));
  EXPECT_EQ(engine, packed);
  ExpectOnlyWindowsLibraries(packed);
}

}  // namespace
