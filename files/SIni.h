// SIni: INI text in a disk file or in memory, read and edited in place.
//
// Lines end only at CR LF. A header line "[name]" (found after trimming its
// blanks) opens a section; a key line is "key=value", the key being all the
// text before the first "=" and the value all the text after it, blanks
// included. Names and keys compare ignoring case; the first match wins.
// Lines without "=" are skipped: there is no comment syntax. The lines
// before the first header form the section with the empty name, where the
// framework's own files keep their global keys.
//
// An edit changes only the bytes of the line it concerns: every other byte
// of the text stays as it was. In disk mode nothing is kept between calls:
// each call reads the whole file, and each edit writes it back whole.
#pragma once

#include "core/SString.h"
#include "files/SFileMem.h"

class SFile;

class SIni {
 public:
  SIni();
  virtual ~SIni();
  SIni(const SIni&) = delete;
  SIni& operator=(const SIni&) = delete;

  // ---- Attaching ------------------------------------------------------------------

  // A missing file is created empty when create is set, else false.
  bool Open(const char* path, bool create);
  // An empty text in memory.
  bool OpenMemory();
  // The source from its position to its end, copied into memory.
  bool Load(SFile* source);
  void Close();
  bool IsOpen() const { return m_mode != kNone; }
  bool IsMemory() const { return m_mode == kMemory; }
  SString GetFileName() const { return m_path; }
  // The whole text to a new file, or to a stream at its position.
  bool SaveAs(const char* path);
  bool SaveTo(SFile* destination);

  // ---- Reading ----------------------------------------------------------------------

  // Everything after the key's "=", blanks kept; "" when missing.
  SString Read(const char* section, const char* key);
  int ReadInt(const char* section, const char* key);
  double ReadDouble(const char* section, const char* key);
  // Only the exact value "1" is true.
  bool ReadFlag(const char* section, const char* key);

  // ---- Editing ----------------------------------------------------------------------

  // A missing section is appended at the end; a missing key becomes the
  // first line of its section; an existing key line is rewritten in place.
  // Refused (false, nothing written): a CR or LF in any of the three, an
  // "=" in the key, and a key line that would read as a section header.
  bool Write(const char* section, const char* key, const char* value);
  bool WriteInt(const char* section, const char* key, int value);
  bool WriteDouble(const char* section, const char* key, double value);
  // The header and its body.
  bool DeleteSection(const char* section);
  // The body; one empty line stays before the next header.
  bool ClearSection(const char* section);
  bool DeleteKey(const char* section, const char* key);

  // ---- Finding (offsets of line starts in a text stream) ----------------------------

  // The header line's offset, the stream left after that line; for the
  // empty name, 0 with the stream at its start. -1 when missing.
  static int FindSection(SFile* stream, const char* section);
  // The key line's offset; -1 when the section or the key is missing.
  static int FindKey(SFile* stream, const char* section, const char* key);

 private:
  enum Mode { kNone = 0, kDisk = 1, kMemory = 2 };

  // The text an operation works on: the memory text, or the file loaded
  // into scratch; null when the file cannot be read.
  SFileMem* WorkingText(SFileMem& scratch);
  // After an edit: true in memory, the file rewritten in disk mode.
  bool Finish(SFileMem* text);

  int m_mode;
  SString m_path;
  SFileMem m_memory;
};
