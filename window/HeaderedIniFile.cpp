#include "window/HeaderedIniFile.h"

#include <cstring>

#include "files/SFile.h"
#include "files/SFileMem.h"

namespace {

// Counted the way SIni reads the body: lines end at CR LF, a header is
// found after trimming blanks.
HeaderedIniShape ShapeOf(const uint8_t* text, int size) {
  HeaderedIniShape shape;
  int start = 0;
  while (start < size) {
    int end = start;
    while (end < size && !(text[end] == '\r' && end + 1 < size && text[end + 1] == '\n')) end++;
    int first = start;
    while (first < end && (text[first] == ' ' || text[first] == '\t')) first++;
    if (first < end && text[first] == '[' && std::memchr(text + first, ']', size_t(end - first)))
      shape.sections++;
    else if (std::memchr(text + start, '=', size_t(end - start)))
      shape.keys++;
    start = end + 2;
  }
  return shape;
}

}  // namespace

bool LoadHeaderedIni(SFile* stream, const char* header, SIni& ini, HeaderedIniShape* shape) {
  if (!stream) return false;
  SString first = stream->ReadLine(true, -1, nullptr);
  if (std::strcmp(first.GetText(), header) != 0) return false;
  SFileMem body;
  SString rest = stream->ReadString(-1);
  if (rest.GetLength() > 0 && body.Write(rest.GetText(), rest.GetLength()) != rest.GetLength()) return false;
  body.Seek(0);
  if (!ini.Load(&body)) return false;
  if (shape) *shape = ShapeOf(body.GetData(), rest.GetLength());
  return true;
}
