// LoadPackage: reads the package appended to the application's executable
// and builds its program.
//
// The package ends with a trailer of 20 bytes: the absolute offsets of the
// key block, the module table, the resource pack and the program stream
// (32 bits each, little-endian), then four bytes that are never read. The
// program stream and the pack's entries are scrambled with the 32 key bytes;
// the module libraries are stored plain and are written to temporary files,
// whose names go into the module list in table order. Offsets are not
// checked against the file: a seek past the end stops there and reads
// give zeros, so a damaged package ends as a program that does not build.
#pragma once

#include "core/SStringArray.h"

class PEngine;
class SDisk;
class SResource;

// The package of the executable (of the module, in sub-application mode).
// True when the package was read and the program built. On failure the
// module files written so far are still in the list, for the caller to
// delete.
bool LoadPackage(SDisk* disk, PEngine* engine, SResource* resources, SStringArray* moduleFiles,
                 bool subApplication);

// The same with the package file and the application folder given.
bool LoadPackageFile(const char* path, const char* folder, SDisk* disk, PEngine* engine,
                     SResource* resources, SStringArray* moduleFiles, bool subApplication);

// Deletes every listed module file, in order; a file that will not go is
// left behind silently.
void DeleteModuleFiles(SDisk* disk, const SStringArray& moduleFiles);
