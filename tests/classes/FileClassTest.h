// File objects called the way the stack machine calls them, over real files
// in a scratch folder of their own. The test reads and writes those files
// with the standard library, never through the streams under test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "classes/PObjFile.h"
#include "engine/PObjectDefinition.h"
#include "files/SResource.h"
#include "tests/classes/MemberCall.h"

namespace classtest {

// What a member that sets no result leaves in CallInt's result storage.
constexpr int64_t kUnset = 0x5A5A5A5A;

class FileClassTest : public ValueClassTest {
 protected:
  void SetUp() override {
    ValueClassTest::SetUp();
    static int serial = 0;
    namespace fs = std::filesystem;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_folder = fs::temp_directory_path() /
               (std::string("tavrin-file-") + info->name() + "-" + std::to_string(++serial));
    fs::remove_all(m_folder);
    ASSERT_TRUE(fs::create_directories(m_folder));
  }
  void TearDown() override {
    engine.SetResources(nullptr);
    // The objects go first: they hold files open.
    ValueClassTest::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }

  PObjFile* NewFile() {
    PObjectDefinition* d = engine.FindDefinition(PObjFile::kTypeCode);
    return Keep(static_cast<PObjFile*>(PObjFile::New(d)));
  }
  void Allocate(PObjFile* f, int64_t size) {
    auto args = With();
    args.Int(size);
    CallVoid(f, PObjFile::ALLOCATE, args);
  }
  // A member with one Integer argument, or a member without result.
  int64_t CallWithInt(PObjFile* f, PObjFile::Member member, int64_t n) {
    auto args = With();
    args.Int(n);
    return CallInt(f, member, args);
  }
  void Run(PObjFile* f, PObjFile::Member member) {
    auto none = With();
    CallVoid(f, member, none);
  }
  void Close(PObjFile* f) {
    auto none = With();
    CallVoid(f, PObjFile::CLOSE, none);
  }
  // A File over a memory stream holding the bytes, at position 0.
  PObjFile* MemoryFile(const std::string& bytes) {
    PObjFile* f = NewFile();
    Allocate(f, 0);
    f->GetStream()->Write(bytes.data(), int(bytes.size()));
    f->GetStream()->Rewind();
    return f;
  }
  // The whole content of a File's stream, its position kept.
  static std::string Content(PObjFile* f) {
    SFile* s = f->GetStream();
    int at = s->GetPosition();
    s->Rewind();
    std::string bytes(size_t(s->GetSize()), '\0');
    if (!bytes.empty()) bytes.resize(size_t(s->Read(bytes.data(), int(bytes.size()))));
    s->Seek(at);
    return bytes;
  }

  // Paths in the scratch folder, and its files as the standard library sees them.
  std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }
  void WriteDisk(const std::string& path, const std::string& bytes) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
  }
  static std::string ReadDisk(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static bool Exists(const std::string& path) { return std::filesystem::exists(path); }

  static std::string RandomBytes(int n, uint32_t seed) {
    std::mt19937 random(seed);
    std::string bytes(size_t(n), '\0');
    for (auto& b : bytes) b = char(random() & 0xFF);
    return bytes;
  }

  // Packs the entries (name such as "text\\a.txt", bytes) as the package
  // writer stores them, unscrambled and uncompressed, into a pack file in
  // the scratch folder, and makes it the engine's resources.
  void UseResources(const std::vector<std::pair<std::string, std::string>>& entries) {
    auto le = [](uint32_t v) {
      return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    std::string pack = "SRES" + le(0);
    for (const auto& [name, bytes] : entries)
      pack += le(uint32_t(bytes.size())) + name + std::string(1, '\0') + bytes;
    pack += le(0xFFFFFFFF);
    WriteDisk(PathOf("app.pak"), pack);
    m_resources = std::make_unique<SResource>();
    ASSERT_TRUE(m_resources->Open(PathOf("app.pak").c_str(), 0));
    engine.SetResources(m_resources.get());
  }

  // Opens a disk file through the member, with its flags.
  int64_t Open(PObjFile* f, const std::string& path, bool write, bool create) {
    auto args = With();
    args.Str(path.c_str()).Int(write).Int(create);
    return CallInt(f, PObjFile::OPEN, args);
  }

 private:
  std::filesystem::path m_folder;
  std::unique_ptr<SResource> m_resources;
};

}  // namespace classtest
