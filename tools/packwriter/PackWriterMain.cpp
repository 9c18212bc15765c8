// packwriter: makes an application from the engine executable, a program in
// the text form of docs/program-format.md, a folder of resources, module
// libraries and a key.
//
// Exit status: 0 written, 1 a fault in the input (reported as file:line:
// reason, or path: reason), 2 a wrong command line.
#include <cstdio>
#include <cstring>
#include <random>

#include "core/SStringArray.h"
#include "engine/compiler/PSource.h"
#include "files/SFileMem.h"
#include "tools/packwriter/BuiltinClassNaming.h"
#include "tools/packwriter/PackageWriter.h"
#include "tools/packwriter/ProgramCheck.h"
#include "tools/packwriter/ProgramTextReader.h"
#include "tools/packwriter/ResourceFolder.h"

namespace {

const char kUsage[] =
    "usage: packwriter --engine ENGINE.exe --output APP.exe [--resources FOLDER]\n"
    "                  [--module LIBRARY]... [--key FILE] [--tag XXXX] [--stored] PROGRAM\n";

struct Options {
  const char* engine = nullptr;
  const char* output = nullptr;
  const char* resources = nullptr;
  const char* keyFile = nullptr;
  const char* tag = nullptr;
  const char* program = nullptr;
  bool stored = false;
  SStringArray modules;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; i++) {
    const char* arg = argv[i];
    const char** value = nullptr;
    if (std::strcmp(arg, "--engine") == 0) value = &options.engine;
    else if (std::strcmp(arg, "--output") == 0) value = &options.output;
    else if (std::strcmp(arg, "--resources") == 0) value = &options.resources;
    else if (std::strcmp(arg, "--key") == 0) value = &options.keyFile;
    else if (std::strcmp(arg, "--tag") == 0) value = &options.tag;
    if (value) {
      if (++i == argc) return false;
      *value = argv[i];
    } else if (std::strcmp(arg, "--module") == 0) {
      if (++i == argc) return false;
      options.modules.Add(argv[i]);
    } else if (std::strcmp(arg, "--stored") == 0) {
      options.stored = true;
    } else if (arg[0] == '-' || options.program) {
      return false;
    } else {
      options.program = arg;
    }
  }
  return options.engine && options.output && options.program &&
         (!options.tag || std::strlen(options.tag) == 4);
}

int Fault(const char* message) {
  std::fprintf(stderr, "packwriter: %s\n", message);
  return 1;
}

int FaultAt(const char* path, const char* reason) {
  std::fprintf(stderr, "packwriter: %s: %s\n", path, reason);
  return 1;
}

bool MakeKey(const Options& options, uint8_t key[PackageWriter::kKeySize], SString& error) {
  if (!options.keyFile) {
    std::random_device random;
    for (int i = 0; i < PackageWriter::kKeySize; i++) key[i] = uint8_t(random());
    return true;
  }
  SFileMem file;
  if (!file.LoadFile(options.keyFile)) {
    error.Format("%s: cannot read the key", options.keyFile);
    return false;
  }
  if (file.GetSize() != PackageWriter::kKeySize) {
    error.Format("%s: a key is exactly %d bytes", options.keyFile, PackageWriter::kKeySize);
    return false;
  }
  file.Read(key, PackageWriter::kKeySize);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  SFileMem text;
  if (!text.LoadFile(options.program)) return FaultAt(options.program, "cannot read the program");
  PSource program;
  ProgramTextReader reader(EngineBuiltinNaming());
  if (!reader.Read(&text, options.program, &program)) return Fault(reader.GetError().GetText());
  // Module classes exist only where their libraries load, in the engine on
  // Windows: a program beside modules is built there only.
  SString checkError;
  if (options.modules.GetCount() == 0 && !CheckProgram(program, reader, &checkError))
    return Fault(checkError.GetText());

  PackageWriter writer;
  SString error;
  uint8_t key[PackageWriter::kKeySize];
  if (!MakeKey(options, key, error)) return Fault(error.GetText());
  writer.SetKey(key);
  if (options.tag) writer.SetTag(options.tag);
  writer.SetCompressed(!options.stored);
  for (int i = 0; i < options.modules.GetCount(); i++) {
    SString path = options.modules.GetString(i);
    SFileMem image;
    if (!image.LoadFile(path.GetText())) return FaultAt(path.GetText(), "cannot read the module");
    writer.AddModule(&image);
  }
  if (options.resources && !AddResourceFolder(options.resources, &writer, &error))
    return Fault(error.GetText());

  if (!writer.WriteExecutable(options.engine, program, options.output, &error))
    return FaultAt(options.output, error.GetText());
  return 0;
}
