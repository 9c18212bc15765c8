// The folder of resources an application is packed with: one subfolder per
// resource type, named as the engine names them ("dialog", "image", "text",
// ...), each holding the resource files. A file becomes the pack entry
// "folder\\file name", the form in which the engine looks resources up.
#pragma once

#include "core/SString.h"

class PackageWriter;

// The folder of each ResourceType, by type number (0 "id" to 12 "dll").
extern const char* const kResourceFolders[13];

// Adds every file of the folder's type subfolders to the writer, in name
// order. False, with "path: reason" in error, for anything else in the
// folder (a loose file, an unknown type folder, a subfolder in a type
// folder) or a file that cannot be read.
bool AddResourceFolder(const char* folder, PackageWriter* writer, SString* error);
