// Packages for the start-up tests: written with the package writer onto a
// copy of an executable (or any bytes), then damaged as a test needs.
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "files/SFileMem.h"
#include "files/SFilePath.h"
#include "tools/packwriter/BuiltinClassNaming.h"
#include "tools/packwriter/PackageWriter.h"
#include "tools/packwriter/ProgramTextReader.h"

namespace packagetest {

// A program that builds: the main class and a class derived from it.
const char kSoundProgram[] =
    "constant ID_OK 1\n"
    "class Application\n"
    "  Integer count\n"
    "function Integer Add(Integer a, Integer b=2)\n"
    "  return a+b\n"
    "class Helper : Application\n";

struct TestPackage {
  std::string program = kSoundProgram;
  std::vector<std::string> modules;
  std::vector<std::pair<std::string, std::string>> resources;
  std::string tag = "TAVR";
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

inline SFileMem* Memory(const std::string& bytes) {
  SFileMem* m = new SFileMem;
  m->Allocate(0);
  m->Write(bytes.data(), int(bytes.size()));
  m->Rewind();
  return m;
}

// front, then the package. False when the program text or a write fails.
inline bool WritePackage(const std::string& path, const std::string& front, const TestPackage& package,
                         PackageLayout* layout = nullptr) {
  SFileMem text;
  text.Allocate(0);
  text.WriteString(package.program.c_str(), -1);
  PSource program;
  ProgramTextReader reader(EngineBuiltinNaming());
  if (!reader.Read(&text, "test.txt", &program)) return false;

  PackageWriter writer;
  uint8_t key[PackageWriter::kKeySize];
  for (int i = 0; i < PackageWriter::kKeySize; i++) key[i] = uint8_t(0x5A + 31 * i);
  writer.SetKey(key);
  writer.SetTag(package.tag.c_str());
  for (const std::string& module : package.modules) {
    SFileMem* m = Memory(module);
    writer.AddModule(m);
    delete m;
  }
  for (const auto& resource : package.resources) {
    SFileMem* m = Memory(resource.second);
    writer.AddResource(resource.first.c_str(), m);
    delete m;
  }
  SFilePath file(path.c_str(), true, true, true);
  if (file.Write(front.data(), int(front.size())) != int(front.size())) return false;
  SString error;
  return writer.Write(program, &file, layout, &error);
}

// The four bytes of trailer field i (0 key, 1 modules, 2 pack, 3 program,
// 4 the ignored tag).
inline void SetTrailerField(const std::string& path, int field, uint32_t value) {
  std::string bytes = ReadAll(path);
  size_t at = bytes.size() - PackageWriter::kTrailerSize + size_t(4 * field);
  for (int i = 0; i < 4; i++) bytes[at + size_t(i)] = char(value >> (8 * i));
  WriteAll(path, bytes);
}

// Removes the pack's closing size -1, which lies just before the trailer.
inline void DropPackTerminator(const std::string& path) {
  std::string bytes = ReadAll(path);
  size_t trailer = bytes.size() - PackageWriter::kTrailerSize;
  bytes.erase(trailer - 4, 4);
  WriteAll(path, bytes);
}

}  // namespace packagetest
