// SHash: the CRC-32, MD5 and SHA-1 digests and the ways they are fed.
//
// CRC-32 is the zlib/PNG one (reflected polynomial 0xEDB88320, preset and
// final complement); MD5 follows RFC 1321 and SHA-1 FIPS 180-1. Digests are
// answered as upper-case hex text: 32 digits for MD5, 40 for SHA-1.
//
// Each digest is fed from a NUL-terminated text, from the whole content of a
// memory stream, or from a whole stream of any kind read from its start. The
// text forms live in core; the memory and stream forms are built with the
// streams (files/SHashStream.cpp), so core itself never reaches into files.
//
// There is no instance state: contexts live on the caller's stack, so
// different threads may hash different data at once.
#pragma once

#include <cstdint>

#include "core/SString.h"

class SFile;
class SFileMem;

class SHash {
 public:
  struct Md5Context {
    uint32_t state[4];
    uint64_t bitCount;
    uint8_t buffer[64];
  };
  struct Sha1Context {
    uint32_t state[5];
    uint64_t bitCount;
    uint8_t buffer[64];
  };

  // ---- Whole inputs ------------------------------------------------------------

  // false for a null text, the word then untouched; "" has CRC 0.
  static bool Crc32Text(const char* text, uint32_t& crc);
  // false when the stream is null or closed; the whole content, whatever
  // the position.
  static bool Crc32Memory(SFileMem* stream, uint32_t& crc);
  // Reads the stream from its start and puts the position back; false also
  // when a read comes back empty before the end.
  static bool Crc32Stream(SFile* stream, uint32_t& crc);

  static SString Md5Text(const char* text);    // "" for a null text
  static SString Md5Memory(SFileMem* stream);  // "" when null or closed
  static SString Md5Stream(SFile* stream);     // "" as Crc32Stream fails
  static SString Sha1Text(const char* text);
  static SString Sha1Memory(SFileMem* stream);
  static SString Sha1Stream(SFile* stream);

  // ---- The steps, for input that arrives in pieces -------------------------------

  // The CRC register: start from Crc32Begin, feed, and complement at the end.
  static uint32_t Crc32Begin() { return 0xFFFFFFFFu; }
  static uint32_t Crc32Update(uint32_t reg, const void* bytes, int n);
  static uint32_t Crc32End(uint32_t reg) { return ~reg; }

  static void Md5Init(Md5Context& context);
  static void Md5Update(Md5Context& context, const void* bytes, int n);
  // Pads, writes the 16 digest bytes and clears the context.
  static void Md5Final(Md5Context& context, uint8_t digest[16]);
  static void Md5Transform(uint32_t state[4], const uint8_t block[64]);
  static void Md5Decode(uint32_t words[16], const uint8_t block[64]);

  static void Sha1Init(Sha1Context& context);
  static void Sha1Update(Sha1Context& context, const void* bytes, int n);
  // Pads, writes the 20 digest bytes and clears the context.
  static void Sha1Final(Sha1Context& context, uint8_t digest[20]);
  static void Sha1Transform(uint32_t state[5], const uint8_t block[64]);

  // Digest bytes as two upper-case hex digits each.
  static SString ToHex(const uint8_t* digest, int n);
};
