#include "engine/compiler/PSource.h"

#include "files/SFile.h"
#include "files/SFileMem.h"

namespace {

// A count or flag of the stream: blanks skipped, an optional sign, the
// digits up to the first other character; no digits give 0. Values beyond
// 32 bits are held at the nearest limit.
int32_t DecimalValue(const SString& text) {
  const char* p = text.GetText();
  while (*p == ' ' || *p == '\t') p++;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') p++;
  int64_t value = 0;
  for (; *p >= '0' && *p <= '9'; p++) {
    value = value * 10 + (*p - '0');
    if (value > int64_t(INT32_MAX) + 1) value = int64_t(INT32_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return int32_t(value);
}

SString ReadText(SFile* texts) { return texts->ReadZString(true); }

int32_t ReadNumber(SFile* texts) { return DecimalValue(ReadText(texts)); }

// Every record of a sound stream takes at least one byte (its first text's
// NUL), so a count that would reach beyond the data is damage: records stop
// where the data does rather than filling memory with empty ones.
bool HasMore(SFile* texts) { return !texts->IsEnd(); }

void ReadLines(SFile* texts, SStringArray& lines) {
  int32_t n = ReadNumber(texts);
  for (int32_t i = 0; i < n && HasMore(texts); i++) lines.Add(ReadText(texts).GetText());
}

void ReadMember(SFile* texts, PSource::_PFunction* member) {
  member->SetKind(ReadNumber(texts));
  member->SetName(ReadText(texts).GetText());
  member->SetDeclared(false);
  member->SetReturnType(ReadText(texts).GetText());
  int32_t parameters = ReadNumber(texts);
  for (int32_t i = 0; i < parameters && HasMore(texts); i++) {
    // All five texts of a parameter are read before it is added, so that a
    // cut stream still leaves the five lists of equal length.
    SString type = ReadText(texts);
    SString name = ReadText(texts);
    bool hasDefault = ReadNumber(texts) != 0;
    SString defaultText = ReadText(texts);
    SString defaultValue = ReadText(texts);
    member->AddParameter(type.GetText(), name.GetText(), hasDefault, defaultText.GetText(),
                         defaultValue.GetText());
  }
  ReadLines(texts, member->GetBodyLines());  // first group
  ReadLines(texts, member->GetBodyLines());  // second group
}

void ReadClass(SFile* texts, PSource::_PObject* record) {
  record->SetName(ReadText(texts).GetText());
  record->SetBaseName(ReadText(texts).GetText());
  ReadLines(texts, record->GetClassLines());
  int32_t members = ReadNumber(texts);
  for (int32_t j = 0; j < members && HasMore(texts); j++) ReadMember(texts, record->AddMember());
}

}  // namespace

// ---- Member records -------------------------------------------------------------

PSource::_PFunction::_PFunction() : m_kind(0), m_declared(false) {}

PSource::_PFunction::~_PFunction() {}

void PSource::_PFunction::AddParameter(const char* type, const char* name, bool hasDefault,
                                       const char* defaultText, const char* defaultValue) {
  m_parameterTypes.Add(type);
  m_parameterNames.Add(name);
  m_hasDefault.Add(hasDefault);
  m_defaultTexts.Add(defaultText);
  m_defaultValues.Add(defaultValue);
}

// ---- Class records ---------------------------------------------------------------

PSource::_PObject::_PObject() {}

PSource::_PObject::~_PObject() { m_members.Purge(); }

PSource::_PFunction* PSource::_PObject::AddMember() {
  _PFunction* member = new _PFunction;
  m_members.Add(member);
  return member;
}

// ---- The model ---------------------------------------------------------------------

PSource::PSource() {}

PSource::~PSource() { Clear(); }

void PSource::Clear() {
  m_constantNames.Purge();
  m_constantValues.Purge();
  m_classes.Purge();
}

void PSource::AddConstant(const char* name, const char* value) {
  m_constantNames.Add(name);
  m_constantValues.Add(value);
}

PSource::_PObject* PSource::AddClass() {
  _PObject* record = new _PObject;
  m_classes.Add(record);
  return record;
}

bool PSource::Load(SFile* package, SFile* key) {
  if (!package) return false;
  int32_t length = package->ReadInt();
  SFileMem texts;
  texts.Allocate(0);
  package->UnscrambleWithKey(key, length, &texts);
  texts.Rewind();
  Parse(&texts);
  return true;
}

void PSource::Parse(SFile* texts) {
  Clear();
  int32_t constants = ReadNumber(texts);
  for (int32_t i = 0; i < constants && HasMore(texts); i++) {
    SString name = ReadText(texts);
    SString value = ReadText(texts);
    AddConstant(name.GetText(), value.GetText());
  }
  int32_t classes = ReadNumber(texts);
  for (int32_t i = 0; i < classes && HasMore(texts); i++) ReadClass(texts, AddClass());
}
