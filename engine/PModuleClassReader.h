// Reading one external module library into a class definition: its name,
// the version it was written for and its tables of constants, functions
// and events. The tables come from a library written apart from the
// engine, so every word of them is checked before it is used: a text
// where a text is expected, counts that are counts, member numbers that
// ascend. Whatever does not fit fails the build.
#pragma once

#include "engine/PluginSDK.h"

class PEngine;

// The exports of the library being read.
class PModuleExports {
 public:
  virtual ~PModuleExports() = default;
  // Null when the library does not export the name.
  virtual void* Find(const char* name) const = 0;
};

// Makes the class of the module at position index of the package's module
// list, whose library (loaded from path) exports exports, and adds it to the
// engine. False at the first fault: the build fails, and its reset takes
// away whatever was added.
bool ReadModuleClass(PEngine* engine, int index, const char* path, const PModuleExports& exports);

// The module-name rule: "Sub_" or "Ext_" in front, at least 5 characters, an
// identifier (which ends in no '_').
bool IsModuleName(const char* name);
