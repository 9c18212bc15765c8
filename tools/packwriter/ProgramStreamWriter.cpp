#include "tools/packwriter/ProgramStreamWriter.h"

#include <cstring>

#include "files/SFile.h"

namespace {

class TextWriter {
 public:
  explicit TextWriter(SFile* destination) : m_destination(destination), m_ok(destination != nullptr) {}

  void Text(const SString& text) { Text(text.GetText()); }
  void Text(const char* text) {
    if (m_ok) m_ok = m_destination->WriteText(text) == int(strlen(text)) + 1;
  }
  void Number(int value) { Text(SString::FromInt(value)); }
  void Lines(const SStringArray& lines) {
    Number(lines.GetCount());
    for (int i = 0; i < lines.GetCount(); i++) Text(lines.GetString(i));
  }
  bool IsOk() const { return m_ok; }

 private:
  SFile* m_destination;
  bool m_ok;
};

void WriteMember(TextWriter& out, const PSource::_PFunction& member) {
  out.Number(member.GetKind());
  out.Text(member.GetName());
  out.Text(member.GetReturnType());
  out.Number(member.GetParameterCount());
  for (int i = 0; i < member.GetParameterCount(); i++) {
    out.Text(member.GetParameterType(i));
    out.Text(member.GetParameterName(i));
    out.Number(member.HasDefault(i) ? 1 : 0);
    out.Text(member.GetDefaultText(i));
    out.Text(member.GetDefaultValue(i));
  }
  out.Lines(member.GetBodyLines());
  out.Number(0);  // second group
}

}  // namespace

bool WriteProgramTexts(const PSource& program, SFile* destination) {
  TextWriter out(destination);
  out.Number(program.GetConstantCount());
  for (int i = 0; i < program.GetConstantCount(); i++) {
    out.Text(program.GetConstantName(i));
    out.Text(program.GetConstantValue(i));
  }
  out.Number(program.GetClassCount());
  for (int i = 0; i < program.GetClassCount(); i++) {
    const PSource::_PObject& record = *program.GetClass(i);
    out.Text(record.GetName());
    out.Text(record.GetBaseName());
    out.Lines(record.GetClassLines());
    out.Number(record.GetMemberCount());
    for (int j = 0; j < record.GetMemberCount(); j++) WriteMember(out, *record.GetMember(j));
  }
  return out.IsOk();
}
