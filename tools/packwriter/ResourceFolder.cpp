#include "tools/packwriter/ResourceFolder.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "files/SFileMem.h"
#include "tools/packwriter/PackageWriter.h"

namespace fs = std::filesystem;

const char* const kResourceFolders[13] = {"id",    "source",    "dialog", "menu",  "toolbar",
                                          "image", "imagelist", "wave",   "sound", "table",
                                          "text",  "binary",    "dll"};

namespace {

bool Fail(SString* error, const fs::path& where, const char* reason) {
  if (error) {
    *error = where.string().c_str();
    *error += ": ";
    *error += reason;
  }
  return false;
}

bool IsResourceFolder(const std::string& name) {
  for (const char* folder : kResourceFolders)
    if (name == folder) return true;
  return false;
}

// The entries of a folder sorted by name, so that packs come out the same
// on every machine.
bool ListSorted(const fs::path& folder, std::vector<fs::path>& entries, SString* error) {
  std::error_code code;
  fs::directory_iterator it(folder, code);
  if (code) return Fail(error, folder, "cannot list the folder");
  for (; it != fs::directory_iterator(); it.increment(code)) {
    if (code) return Fail(error, folder, "cannot list the folder");
    entries.push_back(it->path());
  }
  std::sort(entries.begin(), entries.end());
  return true;
}

}  // namespace

bool AddResourceFolder(const char* folder, PackageWriter* writer, SString* error) {
  std::vector<fs::path> types;
  if (!ListSorted(fs::path(folder), types, error)) return false;
  for (const fs::path& type : types) {
    std::string typeName = type.filename().string();
    if (!fs::is_directory(type)) return Fail(error, type, "resource files belong in a type folder");
    if (!IsResourceFolder(typeName)) return Fail(error, type, "not a resource type folder");
    std::vector<fs::path> files;
    if (!ListSorted(type, files, error)) return false;
    for (const fs::path& file : files) {
      if (!fs::is_regular_file(file)) return Fail(error, file, "not a file");
      SFileMem data;
      data.Allocate(0);
      if (!data.LoadFile(file.string().c_str())) return Fail(error, file, "cannot read the file");
      SString name(typeName.c_str());
      name += "\\";
      name += file.filename().string().c_str();
      writer->AddResource(name.GetText(), &data);
    }
  }
  return true;
}
