// SClipboard: text, bitmaps, RIFF sound and the framework's data blocks on
// the system clipboard.
//
// Each operation opens the clipboard (with no owner window), does one thing
// and closes it again, so nothing is held between calls and any instance
// serves. Failures come back as false, 0, null or "".
//
// Clipboard memory is written by other programs too, so every length read
// from it is checked against the size of the memory block that holds it.
//
// The data block is the framework's own registered format "TAVRIN DATA":
// a 32-bit little-endian count n, the n data bytes, then one 0 byte.
#pragma once

#include <windows.h>

#include "core/SString.h"

class SFile;

class SClipboard {
 public:
  SClipboard() = default;
  virtual ~SClipboard();

  // The text and its NUL as CF_TEXT; null puts "".
  static bool SetText(const char* text);
  // The CF_TEXT text up to its NUL or the block's end; "" when there is none.
  static SString GetText();

  // A data block of the next n bytes of the stream (n < 0: all the rest).
  // False, with the clipboard untouched, for a null stream, n 0, n < 0 with
  // nothing left, or n beyond what is left.
  static bool SetData(int n, SFile* stream);
  // Writes the data block's bytes to the stream; answers the count written,
  // 0 without a stream or a sound block.
  static int GetData(SFile* stream);

  // The clipboard takes the bitmap itself and owns it from then on; on a
  // false answer it stays the caller's.
  static bool SetBitmap(HBITMAP bitmap);
  // The CF_BITMAP handle, or null. It still belongs to the clipboard: copy
  // the picture at once.
  static HBITMAP GetBitmap();

  // A copy of n bytes of RIFF data (a whole wave file) as CF_RIFF.
  static bool SetWave(int n, const void* data);
  // The size of the whole RIFF data on the clipboard (its chunk size plus
  // the 8 header bytes); 0 when there is none or it claims more bytes than
  // its block holds.
  static int GetWaveSize();
  // Copies the whole RIFF data, header on, into the buffer; false when there
  // is none, or when it does not fit in bufferSize bytes (the clipboard may
  // have changed since GetWaveSize was asked).
  static bool GetWave(void* buffer, int bufferSize);

  // The registered format number of the data block (0 if it could not be
  // registered).
  static UINT GetDataFormat();
};
