#include "tools/packwriter/ProgramTextReader.h"

#include <cstring>

#include "files/SFile.h"

namespace {

const int kMaxMemberNumber = 0xFF;  // two hexadecimal digits in an internal name

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

SString Trimmed(const SString& text) {
  const char* p = text.GetText();
  int start = 0, end = text.GetLength();
  while (start < end && IsBlank(p[start])) start++;
  while (end > start && IsBlank(p[end - 1])) end--;
  return text.Mid(start, end - start);
}

bool HasBlank(const SString& text) {
  for (int i = 0; i < text.GetLength(); i++)
    if (IsBlank(text.GetAt(i))) return true;
  return false;
}

// Splits "word rest" at the first run of blanks; rest is trimmed.
void SplitWord(const SString& text, SString& word, SString& rest) {
  int i = 0;
  while (i < text.GetLength() && !IsBlank(text.GetAt(i))) i++;
  word = text.Left(i);
  rest = Trimmed(text.Mid(i));
}

// A constant reference as a default: a constant name, or a class name, a
// dot and a constant name.
bool IsConstantReference(const SString& text) {
  if (text == "true" || text == "false" || text == "null") return false;
  int dot = text.FindChar('.');
  if (dot < 0) return text.IsIdentifier();
  return text.Left(dot).IsIdentifier() && text.Mid(dot + 1).IsIdentifier();
}

}  // namespace

ProgramTextReader::ProgramTextReader(const BuiltinNaming& naming)
    : m_naming(naming), m_program(nullptr), m_lineNumber(0), m_class(nullptr),
      m_contentTarget(nullptr), m_contentPlaces(nullptr) {}

bool ProgramTextReader::Fail(const char* message) {
  m_error.Format("%s:%d: %s", m_fileName.GetText(), m_lineNumber, message);
  return false;
}

bool ProgramTextReader::Read(SFile* text, const char* fileName, PSource* program) {
  m_program = program;
  m_fileName = fileName;
  m_lineNumber = 0;
  m_class = nullptr;
  m_contentTarget = nullptr;
  m_contentPlaces = nullptr;
  m_places.clear();
  m_error = "";
  program->Clear();

  text->Rewind();
  SString all = text->ReadString(-1);
  int nul = int(strlen(all.GetText()));
  if (nul != all.GetLength()) {
    m_lineNumber = 1;
    for (int i = 0; i < nul; i++)
      if (all.GetAt(i) == '\n') m_lineNumber++;
    return Fail("a NUL byte in the text");
  }
  // Lines end at LF; a CR before it belongs to the line end too.
  int start = 0;
  while (start < all.GetLength()) {
    int end = all.FindChar('\n', start);
    if (end < 0) end = all.GetLength();
    SString line = all.Mid(start, end - start);
    if (line.GetLength() > 0 && line.GetAt(line.GetLength() - 1) == '\r')
      line.SetLength(line.GetLength() - 1, true);
    m_lineNumber++;
    if (!ReadLine(line)) return false;
    start = end + 1;
  }
  return true;
}

bool ProgramTextReader::ReadLine(const SString& line) {
  SString content = Trimmed(line);
  if (content.GetLength() == 0) return true;
  if (IsBlank(line.GetAt(0))) {
    if (!m_contentTarget) return Fail("an indented line belongs under a class or member header");
    m_contentPlaces->push_back({m_lineNumber, content});
    if (!ResolveBuiltinMembers(content, false)) return false;
    m_contentTarget->Add(content.GetText());
    return true;
  }
  if (line.GetAt(0) == '#') return true;

  SString keyword, rest;
  SplitWord(content, keyword, rest);
  if (keyword == "constant") return ReadConstant(rest);
  if (keyword == "class") return ReadClass(rest);
  if (keyword == "function") return ReadMember(1, rest);
  if (keyword == "event") return ReadMember(2, rest);
  if (keyword == "message") return ReadMember(3, rest);
  return Fail("unknown header: expected constant, class, function, event or message");
}

bool ProgramTextReader::ReadConstant(const SString& rest) {
  SString name, value;
  SplitWord(rest, name, value);
  if (name.GetLength() == 0 || value.GetLength() == 0)
    return Fail("a constant needs a name and a value");
  m_program->AddConstant(name.GetText(), value.GetText());
  m_contentTarget = nullptr;
  m_contentPlaces = nullptr;
  return true;
}

bool ProgramTextReader::ReadClass(const SString& rest) {
  SString name = rest, base;
  int colon = rest.FindChar(':');
  if (colon >= 0) {
    name = Trimmed(rest.Left(colon));
    base = Trimmed(rest.Mid(colon + 1));
    if (base.GetLength() == 0 || HasBlank(base)) return Fail("a base class is one name after ':'");
  }
  if (name.GetLength() == 0 || HasBlank(name)) return Fail("a class needs one name");
  for (int i = 0; i < m_program->GetClassCount(); i++)
    if (m_program->GetClass(i)->GetName() == name) return Fail("a class of that name already exists");
  m_class = m_program->AddClass();
  m_class->SetName(name.GetText());
  m_class->SetBaseName(base.GetText());
  m_contentTarget = &m_class->GetClassLines();
  m_places.emplace_back();
  m_places.back().header = {m_lineNumber, name};
  m_contentPlaces = &m_places.back().lines;
  return true;
}

bool ProgramTextReader::ReadMember(int kind, const SString& rest) {
  if (!m_class) return Fail("a member needs a class header above it");
  SString returnType, signature;
  SplitWord(rest, returnType, signature);
  int open = signature.FindChar('(');
  if (returnType.GetLength() == 0 || open < 0 || signature.GetAt(signature.GetLength() - 1) != ')')
    return Fail("a member is written: kind, return type, name(parameters)");
  SString name = Trimmed(signature.Left(open));
  if (name.GetLength() == 0 || HasBlank(name)) return Fail("a member needs one name");
  std::vector<_PPlaces>& members = m_places.back().members;
  members.emplace_back();
  members.back().header = {m_lineNumber, name};
  if (kind == 3) {
    if (name.FindChar('.') <= 0) return Fail("a message handler is named Class.Event");
    if (!ResolveBuiltinMembers(name, true)) return false;
  }
  PSource::_PFunction* member = m_class->AddMember();
  member->SetKind(kind);
  member->SetName(name.GetText());
  member->SetReturnType(returnType.GetText());
  if (!ReadParameters(signature.Mid(open + 1, signature.GetLength() - open - 2), member)) return false;
  m_contentTarget = &member->GetBodyLines();
  m_contentPlaces = &members.back().lines;
  return true;
}

bool ProgramTextReader::ReadParameters(const SString& list, PSource::_PFunction* member) {
  if (Trimmed(list).GetLength() == 0) return true;
  bool inString = false;
  int start = 0;
  for (int i = 0; i <= list.GetLength(); i++) {
    char c = list.GetAt(i);  // 0 past the end
    if (c == '"') inString = !inString;
    if (c == 0 || (c == ',' && !inString)) {
      if (!ReadParameter(Trimmed(list.Mid(start, i - start)), member)) return false;
      start = i + 1;
    }
  }
  if (inString) return Fail("a default string is not closed");
  return true;
}

bool ProgramTextReader::ReadParameter(const SString& text, PSource::_PFunction* member) {
  int equals = text.FindChar('=');
  SString declaration = equals < 0 ? text : Trimmed(text.Left(equals));
  SString type, name;
  SplitWord(declaration, type, name);
  if (type.GetLength() == 0 || name.GetLength() == 0 || HasBlank(name))
    return Fail("a parameter is written: type name, or type name=default");
  if (equals < 0) {
    member->AddParameter(type.GetText(), name.GetText(), false, "", "");
    return true;
  }
  SString written = Trimmed(text.Mid(equals + 1));
  if (written.GetLength() == 0) return Fail("a default is missing after '='");
  SString value = written;
  if (written.GetAt(0) == '"') {
    if (written.GetLength() < 2 || written.GetAt(written.GetLength() - 1) != '"')
      return Fail("a default string is not closed");
    value = written.Mid(1, written.GetLength() - 2);
  } else if (IsConstantReference(written)) {
    value = SString("&") + written;
  }
  member->AddParameter(type.GetText(), name.GetText(), true, written.GetText(), value.GetText());
  return true;
}

bool ProgramTextReader::ResolveBuiltinMembers(SString& line, bool keepClass) {
  SString out;
  bool inString = false;
  int i = 0, n = line.GetLength();
  while (i < n) {
    char c = line.GetAt(i);
    if (inString || !IsWordChar(c)) {
      if (c == '"') inString = !inString;
      out += c;
      i++;
      continue;
    }
    // A whole word (a number among them, which names no class).
    int wordEnd = i;
    while (wordEnd < n && IsWordChar(line.GetAt(wordEnd))) wordEnd++;
    SString word = line.Mid(i, wordEnd - i);
    if (IsDigit(c)) {
      out += word;
      i = wordEnd;
      continue;
    }
    int numberEnd = wordEnd + 1;
    while (numberEnd < n && IsDigit(line.GetAt(numberEnd))) numberEnd++;
    bool reference = line.GetAt(wordEnd) == '.' && numberEnd > wordEnd + 1 &&
                     !IsWordChar(line.GetAt(numberEnd));
    int classIndex = reference ? m_naming.findClass(word.GetText()) : -1;
    if (classIndex < 0) {
      out += word;
      i = wordEnd;
      continue;
    }
    int64_t number = line.Mid(wordEnd + 1, numberEnd - wordEnd - 1).ToInt64();
    if (number > kMaxMemberNumber) return Fail("a built-in member number above 255");
    if (keepClass) out += word + ".";
    out += m_naming.internalName(classIndex, int(number));
    i = numberEnd;
  }
  line = out;
  return true;
}

bool ProgramTextReader::FindPlace(int c, int member, int line, ProgramTextPlace* place) const {
  if (c < 0 || c >= int(m_places.size())) return false;
  const _PPlaces* places = &m_places[size_t(c)];
  if (member >= 0) {
    if (member >= int(m_places[size_t(c)].members.size())) return false;
    places = &m_places[size_t(c)].members[size_t(member)];
  }
  if (line < 0) {
    *place = places->header;
    return true;
  }
  if (line >= int(places->lines.size())) return false;
  *place = places->lines[size_t(line)];
  return true;
}
