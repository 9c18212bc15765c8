// SFile: the abstract byte stream every reader and writer works on.
//
// Two streams implement it, SFilePath over a disk file and SFileMem over a
// growable memory buffer. Code that holds an SFile never asks which one it
// has, except through IsMemory, which lets a caller reach a memory stream's
// buffer directly.
//
// Positions, sizes and counts are signed 32-bit byte counts; integers are
// stored least significant byte first. Nothing fails loudly: a read past the
// end is cut to what remains, a seek out of range goes to the end, a refused
// write answers a smaller count. Every read and query may be made on a closed
// stream and answers as an empty stream would.
#pragma once

#include <cstdint>

#include "core/SString.h"
#include "core/SUniString.h"

class SStringArray;

class SFile {
 public:
  // The virtual operations keep this order: streams are laid out against it.

  virtual ~SFile();                                          // 0
  virtual bool IsOpen() const = 0;                           // 1
  virtual void Close() = 0;                                  // 2

  // Digests of the whole stream, whatever the position.
  virtual bool GetCrc32(uint32_t& crc) = 0;                  // 3: false when closed
  virtual SString GetMd5() = 0;                              // 4: upper-case hex
  virtual SString GetSha1() = 0;                             // 5: upper-case hex

  // Writes answer the count of bytes written.
  virtual int WriteBytes(const void* bytes, int n);          // 6: Write
  virtual int WriteString(const char* text, int n);          // 7: n < 0: the text's length
  virtual int Write(const void* bytes, int n) = 0;           // 8: n <= 0 writes nothing
  virtual int WriteInt(int32_t value);                       // 9: 4 bytes
  virtual int WriteUniString(const UniChar* text, int n) = 0;  // 10: n < 0: up to the 0 unit
  virtual int WriteLine(const char* text) = 0;               // 11: the text, then CR LF

  // Reads are cut to what remains; n < 0 asks for all of it.
  virtual SString ReadString(int n) = 0;                     // 12
  virtual int ReadBytes(void* buffer, int n);                // 13: Read
  virtual int Read(void* buffer, int n) = 0;                 // 14
  virtual int32_t ReadInt();                                 // 15: missing bytes read as 0
  virtual SUniString ReadUniString(int n) = 0;               // 16: n units; odd last byte left
  // One line, ended only by CR LF (consumed, not part of the text); max > 0
  // limits its length, max 0 reads nothing, max < 0 sets no limit; ended, when
  // given, tells whether a CR LF ended it. Blanks are trimmed unless kept.
  virtual SString ReadLine(bool keepBlanks, int max, bool* ended) = 0;  // 17
  virtual SString ReadLineWithEnd(bool keepBlanks, int max);  // 18: with its "\r\n"
  // The bytes up to the next NUL, which is consumed; when not wanted they
  // are skipped and "" answered.
  virtual SString ReadZString(bool wanted) = 0;              // 19

  // Position and size.
  virtual int Seek(int position) = 0;                        // 20: out of range: the end
  virtual int GetPosition() const = 0;                       // 21
  virtual bool SetSize(int n) = 0;                           // 22: cut or extend
  virtual int GetSize() const = 0;                           // 23
  virtual int GetRemaining() const;                          // 24
  virtual bool IsEnd() const = 0;                            // 25

  // Forward search from the position; on a hit the position is left just
  // past the match and the answer is its start (or its end when asked);
  // -1 when nothing complete is found.
  virtual int FindString(const char* text, bool returnEnd);  // 26
  virtual int Find(const void* bytes, int n, bool returnEnd) = 0;  // 27

  // ---- Built on the slots above ----------------------------------------------

  SFile* GetIfOpen() { return IsOpen() ? this : nullptr; }
  bool IsMemory() const { return m_isMemory; }

  int Rewind() { return Seek(0); }
  int SeekToEnd() { return Seek(GetSize()); }
  int Skip(int n) { return Seek(GetPosition() + n); }
  // A negative target is "the end", so backing up past the start lands there.
  int SeekBack(int n) { return Seek(GetPosition() - n); }

  int ReadByte();                 // 0..255, -1 at the end
  int WriteByte(uint8_t byte);
  // The text and its NUL: the writing half of ReadZString.
  int WriteText(const char* text);

  // Copies up to n bytes (n < 0: all remaining) from this stream's position
  // to the destination's position; answers the count the destination took.
  int CopyTo(SFile* destination, int n);
  // n copies of one byte; answers n, or less when a write fell short.
  int Fill(uint8_t byte, int n);

  // Further families (the stream transforms) take their own section below.

  // ---- Stream transforms -------------------------------------------------------
  // Each reads this stream from its position and writes to the destination
  // at the destination's position.

  // Copies the rest of the stream into part files of partSize bytes, one per
  // path; answers the number of parts written.
  int SplitToFiles(const SStringArray* paths, int partSize);
  // Adds (subtracts) the key's bytes, cycling, to length bytes (length < 0:
  // to the end); with no destination the bytes are rewritten in place. An
  // empty key passes the data unchanged. False for a closed source, a
  // missing key, or a write that falls short.
  bool ScrambleWithKey(SFile* key, int length, SFile* destination);
  bool UnscrambleWithKey(SFile* key, int length, SFile* destination);
  // The CompressedBlockStream of n bytes (n < 0: the rest); answers the bytes
  // written, -1 when zlib fails.
  int CompressBlocks(SFile* destination, int n);
  // Answers the bytes written, -1 for a stream that is cut short or damaged
  // (what was written before the damage stays written).
  int DecompressBlocks(SFile* destination);
  // The text forms; each decoder stops just past its text's end mark ("="
  // or "@" for Base64, the byte 255 for the 7-bit text), or at the end.
  bool EncodeBase64(SFile* destination);
  bool DecodeBase64(SFile* destination);
  bool Encode7Bit(SFile* destination);
  bool Decode7Bit(SFile* destination);

 protected:
  explicit SFile(bool isMemory = false) : m_isMemory(isMemory) {}
  SFile(const SFile&) = delete;
  SFile& operator=(const SFile&) = delete;

 private:
  bool m_isMemory;  // set only by the memory stream
};
