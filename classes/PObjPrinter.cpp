#include "classes/PObjPrinter.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjFile.h"
#include "classes/windows/PObjImage.h"
#include "classes/windows/PObjRichEdit.h"
#include "engine/PObjectDefinition.h"

namespace {

// The RichEdit part of a RichEdit object argument, whichever of its parts
// the call handed over; null for anything else.
PObjRichEdit* GetArgRichEdit(const PArgs* args, int i) {
  PObject* object = PObject::GetArgObject(args, i);
  for (PObject* part = object ? object->GetRootPart() : nullptr; part; part = part->GetDerived())
    if (part->GetDefinition()->GetTypeCode() == PObjRichEdit::kTypeCode) return static_cast<PObjRichEdit*>(part);
  return nullptr;
}

}  // namespace

void PObjPrinter::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_GRAPHICS);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Printer");
  PObject::Register(definition);
}

bool PObjPrinter::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode I = TYPE_INTEGER, F = TYPE_FLOAT;
  const PParamDecl zero(I, "0", 0), whole(I, "-1", -1);
  return d->AddMember(MEMBER_FUNCTION, PRINT_IMAGE, I,
                      {PParamDecl(PObjImage::kTypeCode), PParamDecl(F), PParamDecl(F), PParamDecl(F), PParamDecl(F),
                       zero, zero, whole, whole}) &&
         d->AddMember(MEMBER_FUNCTION, PRINT_RICH_EDIT, I, {PParamDecl(PObjRichEdit::kTypeCode)}) &&
         d->AddMember(MEMBER_FUNCTION, PRINT_FILE, I, {PParamDecl(PObjFile::kTypeCode)});
}

PObject* PObjPrinter::New(PObjectDefinition* definition) { return new (std::nothrow) PObjPrinter(definition); }

bool PObjPrinter::EndJob(bool printed) {
  if (!m_printer.HasJob()) return printed;
  return m_printer.EndJob() && printed;
}

bool PObjPrinter::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case PRINT_IMAGE: {
      PObjImage* image = PObjImage::GetArgImage(args, 0);
      if (!image || !image->HasImage()) return true;
      bool printed = m_printer.PrintImage(GetArgDouble(args, 1), GetArgDouble(args, 2), GetArgDouble(args, 3),
                                          GetArgDouble(args, 4), GetArgLow32(args, 5), GetArgLow32(args, 6),
                                          GetArgLow32(args, 7), GetArgLow32(args, 8), image->GetImage());
      return ReturnBool(result, EndJob(printed));
    }
    case PRINT_RICH_EDIT: {
      PObjRichEdit* edit = GetArgRichEdit(args, 0);
      if (!edit) return true;
      return ReturnBool(result, EndJob(m_printer.PrintRichEdit(edit->GetWindow())));
    }
    case PRINT_FILE: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream) return true;
      return ReturnBool(result, EndJob(m_printer.PrintTextStream(stream)));
    }
    default: return PObject::Call(member, args, result, caller);
  }
}
