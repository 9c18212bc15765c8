// SArray text lines: any array written to a stream one element per CR LF
// line, and read back the same way.
//
// SArray declares LoadLines and SaveLines but cannot define them, since the
// core types know nothing of streams; code that calls them includes this
// header. Each derived array decides its own line form through its virtual
// FormatElement and ParseElement, which receive the extra argument as given.
#pragma once

#include "core/SArray.h"
#include "files/SFile.h"

// Replaces the contents by one element per line. An empty last line counts
// only when a CR LF ends it. false for a null stream, or when the array
// cannot grow.
template <class T>
bool SArray<T>::LoadLines(SFile* stream, int extra) {
  if (!stream) return false;
  // Virtual, so a derived array releases its own elements first.
  FreeStorage();
  while (!stream->IsEnd()) {
    bool ended = false;
    SString line = stream->ReadLine(true, -1, &ended);
    if (line.GetLength() == 0 && !ended) break;
    int index = GetCount();
    if (!Resize(index + 1)) return false;
    ParseElement(GetPtr(index), line.GetText(), index, extra);
  }
  return true;
}

// One line per element; the writes are not checked. false only for a null
// stream.
template <class T>
bool SArray<T>::SaveLines(SFile* stream, int extra) {
  if (!stream) return false;
  for (int i = 0; i < GetCount(); i++) {
    SString line = FormatElement(GetAt(i), i, extra);
    stream->WriteLine(line.GetText());
  }
  return true;
}
