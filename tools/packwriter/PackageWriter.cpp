#include "tools/packwriter/PackageWriter.h"

#include <cstring>

#include "files/SFilePath.h"
#include "tools/ResourcePackWriter.h"
#include "tools/packwriter/ProgramStreamWriter.h"

namespace {

const int kMaxModules = 0xFFFF;  // the module count is 16 bits

bool Fail(SString* error, const char* message) {
  if (error) *error = message;
  return false;
}

SFileMem* CopyOf(SFile* source) {
  SFileMem* copy = new SFileMem;
  copy->Allocate(0);
  if (source) source->CopyTo(copy, -1);
  copy->Rewind();
  return copy;
}

}  // namespace

PackageWriter::PackageWriter() : m_tag{'T', 'A', 'V', 'R'}, m_compressed(true) {
  m_key.Allocate(kKeySize);
}

PackageWriter::~PackageWriter() {
  m_modules.Purge();
  m_resources.Purge();
}

void PackageWriter::SetKey(const uint8_t* key) {
  m_key.Allocate(0);
  m_key.Write(key, kKeySize);
}

void PackageWriter::SetTag(const char* tag4) { memcpy(m_tag, tag4, sizeof m_tag); }

void PackageWriter::AddModule(SFile* image) { m_modules.Add(CopyOf(image)); }

void PackageWriter::AddResource(const char* name, SFile* data) {
  m_resourceNames.Add(name);
  m_resources.Add(CopyOf(data));
}

bool PackageWriter::WriteProgram(const PSource& program, SFile* destination, SString* error) {
  SFileMem texts;
  texts.Allocate(0);
  if (!WriteProgramTexts(program, &texts)) return Fail(error, "cannot hold the program texts");
  int length = texts.GetSize();
  texts.Rewind();
  if (destination->WriteInt(length) != 4 || !texts.ScrambleWithKey(&m_key, -1, destination))
    return Fail(error, "cannot write the program stream");
  return true;
}

bool PackageWriter::WriteModules(SFile* destination, SString* error) {
  int count = m_modules.GetCount();
  if (count > kMaxModules) return Fail(error, "more than 65535 modules");
  const uint8_t countBytes[2] = {uint8_t(count), uint8_t(count >> 8)};
  if (destination->Write(countBytes, 2) != 2) return Fail(error, "cannot write the module table");
  for (int i = 0; i < count; i++) {
    SFileMem* image = m_modules.GetAt(i);
    image->Rewind();
    if (destination->WriteInt(image->GetSize()) != 4 ||
        image->CopyTo(destination, -1) != image->GetSize())
      return Fail(error, "cannot write the module table");
  }
  return true;
}

bool PackageWriter::WritePack(SFile* destination, SString* error) {
  ResourcePackWriter pack(destination, m_compressed, &m_key);
  for (int i = 0; i < m_resources.GetCount(); i++) {
    SFileMem* data = m_resources.GetAt(i);
    data->Rewind();
    if (!pack.Add(m_resourceNames.GetString(i).GetText(), data))
      return Fail(error, "cannot write the resource pack");
  }
  if (!pack.Finish()) return Fail(error, "cannot write the resource pack");
  return true;
}

bool PackageWriter::Write(const PSource& program, SFile* destination, PackageLayout* layout,
                          SString* error) {
  if (!destination || !destination->IsOpen()) return Fail(error, "no package file");
  PackageLayout at;
  destination->SeekToEnd();

  at.keyOffset = destination->GetPosition();
  m_key.Rewind();
  if (m_key.CopyTo(destination, kKeySize) != kKeySize) return Fail(error, "cannot write the key");

  at.programOffset = destination->GetPosition();
  if (!WriteProgram(program, destination, error)) return false;

  at.moduleOffset = destination->GetPosition();
  if (!WriteModules(destination, error)) return false;

  at.packOffset = destination->GetPosition();
  if (!WritePack(destination, error)) return false;

  at.trailerOffset = destination->GetPosition();
  bool ok = destination->WriteInt(at.keyOffset) == 4 && destination->WriteInt(at.moduleOffset) == 4 &&
            destination->WriteInt(at.packOffset) == 4 &&
            destination->WriteInt(at.programOffset) == 4 && destination->Write(m_tag, 4) == 4;
  if (!ok) return Fail(error, "cannot write the trailer");
  if (layout) *layout = at;
  return true;
}

bool PackageWriter::WriteExecutable(const char* enginePath, const PSource& program,
                                    const char* outputPath, SString* error, PackageLayout* layout) {
  SFileMem engine;
  if (!engine.LoadFile(enginePath)) return Fail(error, "cannot read the engine executable");
  SFilePath output;
  if (!output.Open(outputPath, true, true, true)) return Fail(error, "cannot create the output file");
  engine.Rewind();
  if (engine.CopyTo(&output, -1) != engine.GetSize())
    return Fail(error, "cannot write the output file");
  if (!Write(program, &output, layout, error)) return false;
  output.Close();
  return true;
}
