// SFilePath: the SFile over a disk file, held as a buffered stream of the
// run-time library. Every mode is untranslated (no text-mode line ends).
//
// A temporary SFilePath (OpenTemporary) owns a new file in the system's
// temporary folder and deletes it when it is closed.
//
// The C library forbids a read straight after a write and the other way
// round without a seek between them; the stream remembers which it did last
// and seeks in place when the direction changes, so callers may mix reads
// and writes freely.
#pragma once

#include <cstdio>

#include "files/SFile.h"

class SFilePath : public SFile {
 public:
  SFilePath();
  // ConstructOpen: Open (path, write, create, read) without sharing.
  SFilePath(const char* path, bool write, bool create, bool read);
  ~SFilePath() override;

  // The mode follows the flags: read+write+create "w+b", read+write "r+b",
  // read "rb", write+create "wb", write alone "ab" (every write at the end).
  // Neither read nor write opens nothing. Shared opens deny other openers
  // nothing; the others deny writers, and writing opens deny readers too.
  bool Open(const char* path, bool write, bool create, bool read, bool shared = false);
  // A new empty file named by SDisk::MakeTempFileName, opened "w+b".
  bool OpenTemporary();
  bool IsTemporary() const { return m_temporary; }
  // The temporary file's name for a temporary file, else the opened path.
  SString GetPath() const { return m_temporary ? m_tempPath : m_path; }

  // ---- SFile ---------------------------------------------------------------------

  bool IsOpen() const override { return m_file != nullptr; }
  void Close() override;

  bool GetCrc32(uint32_t& crc) override;
  SString GetMd5() override;
  SString GetSha1() override;

  int Write(const void* bytes, int n) override;
  int WriteUniString(const UniChar* text, int n) override;
  int WriteLine(const char* text) override;

  SString ReadString(int n) override;
  int Read(void* buffer, int n) override;
  SUniString ReadUniString(int n) override;
  // Every CR and LF is dropped; only an LF right after a CR ends the line.
  // max counts the other bytes; a NUL counts but adds nothing to the text.
  SString ReadLine(bool keepBlanks, int max, bool* ended) override;
  SString ReadZString(bool wanted) override;

  int Seek(int position) override;
  int GetPosition() const override;
  bool SetSize(int n) override;
  int GetSize() const override;
  bool IsEnd() const override;

  // Compares byte by byte; after a miss the position is size - n + 1.
  int Find(const void* bytes, int n, bool returnEnd) override;

 private:
  enum class Access { NONE, READ, WRITE };

  // Makes the next transfer in this direction legal (see above).
  void Turn(Access next);
  int ReadChar();

  // The platform's part (SFilePathWin32.cpp, SFilePathHost.cpp).
  static FILE* OpenStream(const char* path, const char* mode, bool shared, bool writing);
  // The length of the file under the stream, its pending writes flushed; -1
  // when unknown.
  static long StreamLength(FILE* file);
  static bool CutStream(FILE* file, long n);
  static bool DeleteDiskFile(const char* path);

  FILE* m_file;
  SString m_path;      // "" while closed and for a temporary file
  SString m_tempPath;  // the file Close deletes; "" otherwise
  bool m_temporary;
  Access m_lastAccess;
};
