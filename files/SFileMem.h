// SFileMem: the SFile over a growable buffer in memory.
//
// The buffer is sized by one rule: for a wanted size n its capacity is 256
// doubled until it holds n, and a new buffer is made whenever that capacity
// differs from the current one, so the stream shrinks as well as grows.
// A new stream has no buffer and is closed; the first write or sizing opens
// it. Bytes that a sizing adds beyond the old content read as 0.
//
// Callers that know they hold a memory stream (SFile::IsMemory) may work on
// the buffer through GetData; the pointer holds until the next sizing.
#pragma once

#include <cstdint>

#include "files/SFile.h"

class SFileMem : public SFile {
 public:
  SFileMem();
  ~SFileMem() override;

  uint8_t* GetData() { return m_data; }  // null when there is no buffer
  const uint8_t* GetData() const { return m_data; }
  int GetCapacity() const { return m_capacity; }  // the buffer's length

  // The size becomes n (negative: 0), then the position 0; a buffer that
  // stays in place keeps its content, a new one keeps none. false only
  // when n is beyond what a stream can hold.
  bool Allocate(int n);
  // The size becomes n, keeping the first min(old size, n) bytes when keep
  // is set; a position beyond the new size moves to it.
  bool Resize(int n, bool keep);

  // The whole file in, or the whole content out; false when the file does
  // not open (the stream is then left as it was) or the transfer fails.
  bool LoadFile(const char* path);
  bool SaveFile(const char* path);

  // Opens n zero bytes at the position, or drops the n bytes there; the
  // position stays. Both copy the whole buffer once.
  bool InsertSpace(int n);
  bool RemoveBytes(int n);

  // ---- SFile ------------------------------------------------------------------

  bool IsOpen() const override { return m_data != nullptr; }
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
  // A lone CR or LF stays in the line; max counts every byte taken.
  SString ReadLine(bool keepBlanks, int max, bool* ended) override;
  SString ReadZString(bool wanted) override;

  int Seek(int position) override;
  int GetPosition() const override { return m_position; }
  bool SetSize(int n) override;
  int GetSize() const override { return m_size; }
  bool IsEnd() const override { return m_position == m_size; }

  // A miss leaves the position at the end.
  int Find(const void* bytes, int n, bool returnEnd) override;

 private:
  // Gives the stream the size n under the capacity rule, keeping the first
  // kept bytes when a new buffer is made; false when n is too large.
  bool SizeBuffer(int64_t n, int kept);
  // Makes room for n bytes at the position, keeping the content, and
  // answers where they go. source, when it points into the buffer, is
  // moved along with it.
  uint8_t* MakeRoom(int n, const void*& source);

  uint8_t* m_data;      // owned; null when there is no buffer
  int32_t m_size;       // bytes of content
  int32_t m_capacity;   // bytes allocated
  int32_t m_position;   // 0 <= position <= size
};
