// PackageWriter: appends a Package to a copy of the engine executable, the
// form in which an application is delivered. Everything the engine reads
// is written here and nothing else:
//
//   key block        32 bytes
//   program stream   32-bit length, then the program texts scrambled with
//                    the key
//   module table     16-bit count, then per module a 32-bit size and the
//                    library's bytes, plain
//   resource pack    a ResourcePack whose entries are scrambled with the key
//   trailer          the absolute offsets of key block, module table,
//                    resource pack and program stream (32 bits each), then
//                    four bytes the engine never reads (the tag)
//
// Integers are little-endian; offsets count from the start of the file.
//
//   PackageWriter writer;
//   writer.SetKey(key);                       // 32 bytes
//   writer.AddModule(&libraryImage);
//   writer.AddResource("text\\readme.txt", &readme);
//   writer.WriteExecutable("tavrin.exe", program, "app.exe", &error);
#pragma once

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"
#include "engine/compiler/PSource.h"
#include "files/SFileMem.h"

// Where the parts of a written package lie (absolute offsets).
struct PackageLayout {
  int keyOffset = 0;
  int programOffset = 0;
  int moduleOffset = 0;
  int packOffset = 0;
  int trailerOffset = 0;
};

class PackageWriter {
 public:
  static const int kKeySize = 32;
  static const int kTrailerSize = 20;

  PackageWriter();
  ~PackageWriter();
  PackageWriter(const PackageWriter&) = delete;
  PackageWriter& operator=(const PackageWriter&) = delete;

  // The key block, exactly kKeySize bytes.
  void SetKey(const uint8_t* key);
  // The four trailer bytes that the engine ignores; "TAVR" unless set.
  void SetTag(const char* tag4);
  // Block-compressed resource entries (the default) or stored ones.
  void SetCompressed(bool compressed) { m_compressed = compressed; }

  // The library image from the source's position to its end, copied now;
  // modules are numbered in the order they are added.
  void AddModule(SFile* image);
  // One resource entry, named "folder\\file" (see ResourceFolder.h).
  void AddResource(const char* name, SFile* data);
  int GetModuleCount() const { return m_modules.GetCount(); }
  int GetResourceCount() const { return m_resourceNames.GetCount(); }

  // Appends the package at the destination's end. False, with the reason,
  // when a write falls short or a part does not fit the format.
  bool Write(const PSource& program, SFile* destination, PackageLayout* layout, SString* error);
  // A copy of the engine with the package appended, written to output.
  bool WriteExecutable(const char* enginePath, const PSource& program, const char* outputPath,
                       SString* error, PackageLayout* layout = nullptr);

 private:
  bool WriteProgram(const PSource& program, SFile* destination, SString* error);
  bool WriteModules(SFile* destination, SString* error);
  bool WritePack(SFile* destination, SString* error);

  SFileMem m_key;
  char m_tag[4];
  bool m_compressed;
  SArray<SFileMem*> m_modules;  // owned
  SStringArray m_resourceNames;
  SArray<SFileMem*> m_resources;  // owned, parallel to the names
};
