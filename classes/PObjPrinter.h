// PObjPrinter: the script class "Printer": an Image's picture, a RichEdit's
// content or a File's text lines, each printed as one job on a printer the
// user picks in the system's print dialog, in millimetres inside 25 mm
// margins, text in "arial" at 11 points.
//
// Every member ends the job it started before it returns, so that the
// spooler prints it; a member answers true only when its pages were
// printed and the job ended.
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "window/SPrinter.h"

class PObjPrinter : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'P', 'R', 'I');

  enum Member : uint16_t {
    PRINT_IMAGE = 0,
    PRINT_RICH_EDIT = 1,
    PRINT_FILE = 2,
    MEMBER_COUNT = 3,
  };

  explicit PObjPrinter(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  // The print's answer, once the job it may have started is ended.
  bool EndJob(bool printed);

  SPrinter m_printer;
};
