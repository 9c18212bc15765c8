// Programs for engine tests, written in the package writer's text form and
// built by a real engine.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/PEngine.h"
#include "engine/compiler/PSource.h"
#include "files/SFileMem.h"
#include "tools/packwriter/BuiltinClassNaming.h"
#include "tools/packwriter/ProgramTextReader.h"

namespace programtest {

// Reads the text into source; fails the test on a fault of the text form.
inline bool ReadProgram(const char* text, PSource& source) {
  SFileMem file;
  file.Allocate(0);
  file.Write(text, int(std::strlen(text)));
  file.Rewind();
  ProgramTextReader reader(EngineBuiltinNaming());
  bool ok = reader.Read(&file, "test", &source);
  EXPECT_TRUE(ok) << reader.GetError().GetText();
  return ok;
}

// Builds the text as an application; the failure reason is in the engine.
inline bool BuildProgram(PEngine& engine, const char* text) {
  PSource source;
  if (!ReadProgram(text, source)) return false;
  return engine.Build("", &source, nullptr, true, false);
}

inline std::string FailureOf(const PEngine& engine) {
  const PEngine::PBuildFailure& f = engine.GetBuildFailure();
  return std::string(f.className.GetText()) + "|" + f.memberName.GetText() + "|" +
         std::to_string(f.line) + "|" + f.reason.GetText();
}

}  // namespace programtest
