// SIni: attaching, finding sections and keys, and the in-place edits.
#include "files/SIni.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/SFile.h"

namespace {

bool FileExists(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

// "[name]" as a line reads; name receives the text between the brackets.
bool IsHeader(const SString& line, SString* name = nullptr) {
  int n = line.GetLength();
  if (n < 2 || line.GetAt(0) != '[' || line.GetAt(n - 1) != ']') return false;
  if (name) *name = line.Mid(1, n - 2);
  return true;
}

// A key line must read back as the one key it writes: a line break would
// start lines of its own ("[Other]" among them a section), an "=" in the
// key would end the key early, and a line that looks like a header would
// open a section.
bool IsOneKeyLine(const char* section, const char* key, const SString& line) {
  if (std::strpbrk(section, "\r\n") || std::strpbrk(line.GetText(), "\r\n")) return false;
  if (std::strchr(key, '=')) return false;
  SString trimmed(line);
  trimmed.Trim();
  return !IsHeader(trimmed);
}

// The next header line's offset from the position on (lines read trimmed),
// or -1 at the end of the text.
int FindNextHeader(SFile* stream) {
  while (!stream->IsEnd()) {
    int start = stream->GetPosition();
    if (IsHeader(stream->ReadLine(false, -1, nullptr))) return start;
  }
  return -1;
}

}  // namespace

SIni::SIni() : m_mode(kNone), m_path("") {}

SIni::~SIni() {}

// ==== Attaching =========================================================================

bool SIni::Open(const char* path, bool create) {
  if (!path || !*path) return false;
  if (!FileExists(path)) {
    if (!create) return false;
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    std::fclose(file);
  }
  m_mode = kDisk;
  m_path = path;
  return true;
}

bool SIni::OpenMemory() {
  m_mode = kMemory;
  m_path = "";
  m_memory.Allocate(0);
  return true;
}

bool SIni::Load(SFile* source) {
  if (!source) return false;
  OpenMemory();
  source->CopyTo(&m_memory, -1);
  m_memory.Rewind();
  return true;
}

void SIni::Close() {
  m_mode = kNone;
  m_path = "";
  m_memory.Close();
}

SFileMem* SIni::WorkingText(SFileMem& scratch) {
  if (m_mode == kMemory) return &m_memory;
  if (m_mode == kDisk && scratch.LoadFile(m_path.GetText())) return &scratch;
  return nullptr;
}

bool SIni::Finish(SFileMem* text) {
  if (m_mode == kMemory) return true;
  return text->SaveFile(m_path.GetText());
}

bool SIni::SaveAs(const char* path) {
  if (!path || !*path) return false;
  SFileMem scratch;
  SFileMem* text = WorkingText(scratch);
  return text && text->SaveFile(path);
}

bool SIni::SaveTo(SFile* destination) {
  if (!destination) return false;
  SFileMem scratch;
  SFileMem* text = WorkingText(scratch);
  if (!text) return false;
  text->Rewind();
  text->CopyTo(destination, -1);
  return true;
}

// ==== Finding ================================================================================

// The empty name is the run of lines before the first header: the section
// holds no header line of its own, so it starts at offset 0.
int SIni::FindSection(SFile* stream, const char* section) {
  if (!stream) return -1;
  stream->Rewind();
  if (!section || !*section) return 0;
  while (!stream->IsEnd()) {
    int start = stream->GetPosition();
    SString name;
    if (IsHeader(stream->ReadLine(false, -1, nullptr), &name) && name.CompareNoCase(section) == 0)
      return start;
  }
  return -1;
}

int SIni::FindKey(SFile* stream, const char* section, const char* key) {
  if (FindSection(stream, section) < 0) return -1;
  if (!key) key = "";
  while (!stream->IsEnd()) {
    int start = stream->GetPosition();
    SString line = stream->ReadLine(true, -1, nullptr);
    if (line.GetLength() < 2) continue;
    if (IsHeader(line)) return -1;
    int eq = line.FindChar('=');
    if (eq >= 0 && line.Left(eq).CompareNoCase(key) == 0) return start;
  }
  return -1;
}

// ==== Reading ===================================================================================

SString SIni::Read(const char* section, const char* key) {
  SFileMem scratch;
  SFileMem* text = WorkingText(scratch);
  if (!text) return SString("");
  int offset = FindKey(text, section, key);
  if (offset < 0) return SString("");
  text->Seek(offset);
  SString line = text->ReadLine(true, -1, nullptr);
  return line.Mid(line.FindChar('=') + 1);
}

int SIni::ReadInt(const char* section, const char* key) {
  return std::atoi(Read(section, key).GetText());
}

double SIni::ReadDouble(const char* section, const char* key) {
  return std::atof(Read(section, key).GetText());
}

bool SIni::ReadFlag(const char* section, const char* key) { return Read(section, key) == "1"; }

// ==== Editing ====================================================================================

bool SIni::Write(const char* section, const char* key, const char* value) {
  if (!section) section = "";
  if (!key) key = "";
  SString line(key);
  line += "=";
  line += value ? value : "";
  if (!IsOneKeyLine(section, key, line)) return false;
  SFileMem scratch;
  SFileMem* text = WorkingText(scratch);
  if (!text) return false;

  int offset = FindKey(text, section, key);
  if (offset >= 0) {
    // Only the line's own bytes change; its line end stays.
    text->Seek(offset);
    int n = text->ReadLine(true, -1, nullptr).GetLength();
    text->Seek(offset);
    if (line.GetLength() > n) text->InsertSpace(line.GetLength() - n);
    if (line.GetLength() < n) text->RemoveBytes(n - line.GetLength());
    text->Write(line.GetText(), line.GetLength());
    return Finish(text);
  }

  int header = FindSection(text, section);
  if (header >= 0) {
    // The new key opens the section's body. A header that is the text's
    // last line without a line end gets one, so the key has a line of its
    // own.
    bool ended = true;
    if (*section) {
      text->Seek(header);
      text->ReadLine(false, -1, &ended);
    }
    int gap = line.GetLength() + 2 + (ended ? 0 : 2);
    text->InsertSpace(gap);
    if (!ended) text->Write("\r\n", 2);
    text->Write(line.GetText(), line.GetLength());
    text->Write("\r\n", 2);
    return Finish(text);
  }

  text->SeekToEnd();
  if (text->GetSize() > 0) {
    if (text->GetData()[text->GetSize() - 1] != '\n') text->Write("\r\n", 2);
    text->Write("\r\n", 2);
  }
  SString headerLine("[");
  headerLine += section;
  headerLine += "]";
  text->WriteLine(headerLine.GetText());
  text->WriteLine(line.GetText());
  return Finish(text);
}

bool SIni::WriteInt(const char* section, const char* key, int value) {
  return Write(section, key, SString::FromInt(value).GetText());
}

bool SIni::WriteDouble(const char* section, const char* key, double value) {
  return Write(section, key, SString::FromDouble(value).GetText());
}

bool SIni::DeleteSection(const char* section) {
  SFileMem scratch;
  SFileMem* text = WorkingText(scratch);
  if (!text) return false;
  int start = FindSection(text, section);
  if (start < 0) return false;
  int end = FindNextHeader(text);
  if (end < 0) end = text->GetSize();
  text->Seek(start);
  if (end > start) text->RemoveBytes(end - start);
  return Finish(text);
}

bool SIni::ClearSection(const char* section) {
  SFileMem scratch;
  SFileMem* text = WorkingText(scratch);
  if (!text) return false;
  if (FindSection(text, section) < 0) return false;
  int body = text->GetPosition();
  int next = FindNextHeader(text);
  // Up to the next header the body goes but for its last line end, which
  // leaves one empty line before that header.
  int count = next < 0 ? text->GetSize() - body : next - body - 2;
  text->Seek(body);
  if (count > 0) text->RemoveBytes(count);
  return Finish(text);
}

bool SIni::DeleteKey(const char* section, const char* key) {
  SFileMem scratch;
  SFileMem* text = WorkingText(scratch);
  if (!text) return false;
  int offset = FindKey(text, section, key);
  if (offset < 0) return false;
  text->Seek(offset);
  bool ended = false;
  int n = text->ReadLine(true, -1, &ended).GetLength();
  text->Seek(offset);
  // The text's last line has no line end to take along.
  text->RemoveBytes(ended ? n + 2 : n);
  return Finish(text);
}
