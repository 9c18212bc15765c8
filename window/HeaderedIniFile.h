// The framework's description files (image lists, menus, tool bars): a
// first line naming the kind and version, then an INI body read with SIni.
//
// Their counts are written by the designer but read from files that anyone
// may hand the engine, so the loaders bound each count by what the body
// actually holds: a file of a few bytes cannot ask for millions of entries.
#pragma once

#include "files/SIni.h"

class SFile;

struct HeaderedIniShape {
  int sections = 0;  // header lines "[name]"
  int keys = 0;      // lines holding an "="
};

// Reads the first line (its CR LF removed, blanks kept), compares it with
// the header exactly, and loads the rest of the stream into the SIni. False
// for a null stream, another header or a failed load; shape, when given,
// receives the body's counts.
bool LoadHeaderedIni(SFile* stream, const char* header, SIni& ini, HeaderedIniShape* shape);
