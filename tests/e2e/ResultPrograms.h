// Packed programs that each show what they found in one message box
// captioned "Result" and then end by themselves with exit code 0. A suite
// starts all of its programs together before the first box is read, since
// every start costs seconds under emulation.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/PackedApp.h"

namespace e2e {

struct ResultProgram {
  const char* name;
  const char* program;
  const char* result;  // the box's text
};

inline void PrintTo(const ResultProgram& p, std::ostream* out) { *out << p.name; }

// The programs of one suite, started at once; folder names get the prefix.
class ResultProgramRuns {
 public:
  template <size_t N>
  void StartAll(const ResultProgram (&programs)[N], const char* prefix) {
    m_prefix = prefix;
    for (const ResultProgram& p : programs) m_batch.Start(m_prefix + p.name, p.program);
  }
  void Clear() { m_batch.Clear(); }

  // The program shows the result, and nothing more, and ends with 0.
  void Check(const ResultProgram& p) {
    std::string name = m_prefix + p.name;
    ASSERT_EQ(m_batch.Error(name), "");
    ExpectBoxesThenExit(*m_batch.Find(name), "Result", {p.result});
  }

 private:
  AppBatch m_batch;
  std::string m_prefix;
};

}  // namespace e2e
