#include "tools/packwriter/ProgramCheck.h"

#include <cstdlib>

#include "core/TextFunctions.h"
#include "engine/BuiltinClassTable.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"

namespace {

// The class and member of an internal name ("_5a01": class 0x1A, member
// 5) as the author writes them ("Class.5"); "" for any other word.
SString WrittenBuiltinMember(const SString& word) {
  if (word.GetLength() != 5 || word.GetAt(0) != '_') return "";
  // Characters 1 and 4 were exchanged when the name was made.
  char digits[5] = {word.GetAt(4), word.GetAt(2), word.GetAt(3), word.GetAt(1), 0};
  char* end = nullptr;
  long both = std::strtol(digits, &end, 16);
  if (end != digits + 4) return "";
  int classIndex = int(both >> 8), member = int(both & 0xFF);
  int count = 0;
  const PBuiltinClassRow* rows = GetBuiltinClassRows(count);
  if (classIndex >= count || !(PObjectDefinition::MakeInternalName(classIndex, member) == word)) return "";
  SString written;
  written.Format("%s.%d", rows[classIndex].name, member);
  return written;
}

// The text with every internal name of a built-in member written as the
// author writes it.
SString WithWrittenNames(const SString& text) {
  SString out;
  int i = 0, n = text.GetLength();
  while (i < n) {
    int end = i;
    while (end < n && IsWordChar(text.GetAt(end))) end++;
    if (end == i) {
      out += text.GetAt(i++);
      continue;
    }
    SString word = text.Mid(i, end - i);
    SString written = WrittenBuiltinMember(word);
    out += written.GetLength() ? written : word;
    i = end;
  }
  return out;
}

// The member as the author knows it.
SString MemberLabel(const SString& written) {
  if (written == "_00000000") return "constructor";
  if (written == "_00000001") return "destructor";
  if (written == "_00000002") return "idle member";
  return SString("member ").Append(written.GetText());
}

// The positions of the failing class and member in the program; the
// member is the last of its name, which is the one a second declaration of
// a name fails on.
void FindFailure(const PSource& program, const PEngine::PBuildFailure& f, int* c, int* member) {
  *c = *member = -1;
  for (int i = 0; i < program.GetClassCount() && *c < 0; i++)
    if (program.GetClass(i)->GetName() == f.className) *c = i;
  if (*c < 0 || f.memberName.GetLength() == 0) return;
  PSource::_PObject* record = program.GetClass(*c);
  for (int j = 0; j < record->GetMemberCount(); j++)
    if (record->GetMember(j)->GetName() == f.memberName) *member = j;
}

}  // namespace

bool CheckProgram(PSource& program, const ProgramTextReader& reader, SString* report) {
  PEngine engine;
  if (engine.Build("", &program, nullptr, true, false)) return true;
  const PEngine::PBuildFailure& f = engine.GetBuildFailure();
  int c, member;
  FindFailure(program, f, &c, &member);

  ProgramTextPlace header, line;
  const bool inClass = reader.FindPlace(c, -1, -1, &header);
  const bool inMember = member >= 0 && reader.FindPlace(c, member, -1, &header);
  const bool onLine = f.line >= 0 && reader.FindPlace(c, inMember ? member : -1, f.line, &line);

  *report = reader.GetFileName();
  if (onLine || inClass)
    report->Append(":").Append(SString::FromInt64(onLine ? line.line : header.line).GetText());
  report->Append(": ");
  if (inClass) report->Append("class ").Append(f.className.GetText());
  if (inMember) report->Append(", ").Append(MemberLabel(header.text).GetText());
  if (onLine) report->Append(", line \"").Append(line.text.GetText()).Append("\"");
  if (inClass) report->Append(": ");
  report->Append(WithWrittenNames(f.reason).GetText());
  return false;
}
