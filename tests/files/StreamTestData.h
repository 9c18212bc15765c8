// Data and scratch files shared by the stream tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "files/SDisk.h"
#include "files/SFileMem.h"

namespace streamtest {

// n bytes of repeatable noise.
inline std::string RandomBytes(int n, uint32_t seed = 1) {
  std::mt19937 random(seed);
  std::string bytes(size_t(n), '\0');
  for (auto& b : bytes) b = char(random() & 0xFF);
  return bytes;
}

// A memory stream holding the bytes, positioned at 0.
inline void Fill(SFileMem& stream, const std::string& bytes) {
  stream.Allocate(0);
  stream.Write(bytes.data(), int(bytes.size()));
  stream.Rewind();
}

// The whole content of a memory stream, whatever its position.
inline std::string Content(SFileMem& stream) {
  return std::string(reinterpret_cast<const char*>(stream.GetData()), size_t(stream.GetSize()));
}

// The bytes from the position to the end; the position moves to the end.
inline std::string Rest(SFile& stream) {
  std::string bytes(size_t(stream.GetRemaining()), '\0');
  if (!bytes.empty()) bytes.resize(size_t(stream.Read(bytes.data(), int(bytes.size()))));
  return bytes;
}

// A new file in the temporary folder, deleted when the test is done.
class ScratchFile {
 public:
  ScratchFile() { m_path = SDisk().MakeTempFileName(); }
  ~ScratchFile() { std::remove(m_path.GetText()); }
  const char* Path() const { return m_path.GetText(); }

 private:
  SString m_path;
};

// Without opening it: an open file may deny others any access.
inline bool FileExists(const char* path) { return std::filesystem::exists(path); }

}  // namespace streamtest
