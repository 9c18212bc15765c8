#include "engine/PModuleClassReader.h"

#include <cstring>
#include <new>

#include "core/SStringArray.h"
#include "core/SValue.h"
#include "core/TextFunctions.h"
#include "engine/PEngine.h"
#include "engine/PObjModule.h"
#include "engine/PObjectDefinition.h"

namespace {

// Parameters of one member. Tables carry no length of their own, so a
// count past any real signature is taken for damage rather than followed
// far beyond the table.
const int kMaxModuleParams = 255;
// Member numbers are 16 bits wide.
const int64_t kMaxMemberNumber = 0xFFFF;

const TypeCode kModuleOrigin = TypeCode(ORIGIN_MODULE) << 24;

// Walks one table word by word. The prefix of the module decides how a
// number is given: a decimal text ("Sub_") or the word itself ("Ext_").
class TableCursor {
 public:
  TableCursor(const PModuleWord* table, bool numbersAsText) : m_at(table), m_texts(numbersAsText) {}

  PModuleWord Peek() const { return *m_at; }
  // A text; false for a null pointer.
  bool Text(const char** text) {
    *text = reinterpret_cast<const char*>(*m_at++);
    return *text != nullptr;
  }
  // A 64-bit number: a "Sub_" text in full, an "Ext_" word sign-extended.
  // written, when given, receives the number as the module wrote it.
  bool Number(int64_t* value, SString* written = nullptr) {
    if (m_texts) {
      const char* text;
      if (!Text(&text)) return false;
      SString form(text);
      *value = form.ToInt64();
      if (written) *written = form;
      return true;
    }
    *value = int32_t(uint32_t(*m_at++));
    if (written) *written = SString::FromInt64(*value);
    return true;
  }
  // A 32-bit number (types and counts).
  bool Int32(int32_t* value) {
    int64_t wide;
    if (!Number(&wide)) return false;
    *value = int32_t(wide);
    return true;
  }

 private:
  const PModuleWord* m_at;
  bool m_texts;
};

TypeCode ReturnClass(int32_t number) {
  switch (number) {
    case MODULE_INTEGER: return TYPE_INTEGER;
    case MODULE_FLOAT: return TYPE_FLOAT;
    case MODULE_STRING: return TYPE_STRING;
    case MODULE_UNISTRING: return TYPE_UNISTRING;
    default: return TYPE_VOID;
  }
}

TypeCode ParamClass(int32_t number) {
  TypeCode type = ReturnClass(number);
  return type == TYPE_VOID ? TYPE_STRING : type;
}

void AddConstants(PObjectDefinition* definition, TableCursor at, bool* ok) {
  for (;;) {
    if (at.Peek() == 0) return;
    int32_t kind;
    const char* name;
    if (!at.Int32(&kind) || !at.Text(&name)) {
      *ok = false;
      return;
    }
    // Refused names and kinds are skipped; a missing text is not.
    switch (kind) {
      case MODULE_CONSTANT_INTEGER: {
        int64_t value;
        if (!at.Number(&value)) break;
        definition->AddIntConstant(name, value);
        continue;
      }
      case MODULE_CONSTANT_FLOAT: {
        const char* text;
        if (!at.Text(&text)) break;
        definition->AddFloatConstant(name, SString(text).ToDouble());
        continue;
      }
      case MODULE_CONSTANT_STRING: {
        const char* text;
        if (!at.Text(&text)) break;
        definition->AddStringConstant(name, text);
        continue;
      }
      default: at.Text(&name); continue;  // the value word, whatever it holds
    }
    *ok = false;
    return;
  }
}

// Splits "Name@12" into the name and its number; a name without '@' keeps
// number untouched. False for an '@' without a decimal number that fits.
bool SplitMemberNumber(const char* text, SString* name, int64_t* number) {
  const char* at = std::strrchr(text, '@');
  if (!at) {
    *name = text;
    return true;
  }
  const char* digits = at + 1;
  if (!*digits) return false;
  int64_t value = 0;
  for (const char* d = digits; *d; d++) {
    if (*d < '0' || *d > '9') return false;
    value = value * 10 + (*d - '0');
    if (value > kMaxMemberNumber) return false;
  }
  name->Assign(text, int(at - text));
  *number = value;
  return true;
}

// The functions (with defaults) or the events of the module. next is the
// counter of the members without a number of their own; last the number of
// the member before, which each one must exceed.
class MemberReader {
 public:
  MemberReader(PObjectDefinition* definition, bool numbersAsText)
      : m_definition(definition), m_texts(numbersAsText), m_next(0), m_last(-1) {}

  bool ReadTable(const PModuleWord* table, int32_t kind) {
    TableCursor at(table, m_texts);
    while (at.Peek() != 0) {
      if (!ReadMember(at, kind)) return false;
    }
    return true;
  }

 private:
  bool ReadMember(TableCursor& at, int32_t kind) {
    const char* written;
    int32_t returns, count;
    if (!at.Text(&written) || !at.Int32(&returns) || !at.Int32(&count)) return false;
    if (count < 0 || count > kMaxModuleParams) return false;
    SString name;
    int64_t number = m_next;
    if (!SplitMemberNumber(written, &name, &number)) return false;
    if (number > kMaxMemberNumber || number <= m_last) return false;
    if (!std::strchr(written, '@')) m_next++;
    m_last = number;

    SStringArray names;
    SArray<TypeCode> types;
    SArray<SValue*> defaults;
    names.Add(name.GetText());
    types.Add(ReturnClass(returns));
    defaults.Add(nullptr);
    bool ok = true;
    for (int i = 0; ok && i < count; i++) ok = ReadParam(at, kind, &names, &types, &defaults);
    ok = ok && m_definition->AddScriptMember(kind, uint16_t(number), names, types, defaults, false);
    defaults.DeleteAll();
    return ok;
  }

  bool ReadParam(TableCursor& at, int32_t kind, SStringArray* names, SArray<TypeCode>* types,
                 SArray<SValue*>* defaults) {
    int32_t typeNumber;
    const char* name;
    if (!at.Int32(&typeNumber) || !at.Text(&name)) return false;
    TypeCode type = ParamClass(typeNumber);
    names->Add(name);
    types->Add(type);
    SValue* value = nullptr;
    if (kind == MEMBER_FUNCTION) {
      int64_t hasDefault;
      if (!at.Number(&hasDefault)) return false;
      if (hasDefault != 0) {
        value = new (std::nothrow) SValue;
        if (!value || !ReadDefault(at, type, value)) {
          delete value;
          return false;
        }
      } else {
        at.Text(&name);  // the unused default word
      }
    }
    defaults->Add(value);
    return true;
  }

  // The value and, as its name, the written form.
  bool ReadDefault(TableCursor& at, TypeCode type, SValue* value) {
    if (type == TYPE_INTEGER) {
      int64_t number;
      SString written;
      if (!at.Number(&number, &written)) return false;
      value->SetInt64(number);
      value->SetName(written.GetText());
      return true;
    }
    const char* text;
    if (!at.Text(&text)) return false;
    if (type == TYPE_FLOAT) {
      value->SetDouble(SString(text).ToDouble());
      value->SetName(text);
      return true;
    }
    // String and UniString: the member table converts the text for a
    // UniString parameter.
    value->SetString(text);
    value->SetName(SString("\"").Append(text).Append("\"").GetText());
    return true;
  }

  PObjectDefinition* m_definition;
  bool m_texts;
  int64_t m_next;
  int64_t m_last;
};

template <class Entry>
Entry Export(const PModuleExports& exports, const char* name) {
  return reinterpret_cast<Entry>(exports.Find(name));
}

}  // namespace

bool IsModuleName(const char* name) {
  if (!name || std::strlen(name) < 5) return false;
  if (std::strncmp(name, "Sub_", 4) != 0 && std::strncmp(name, "Ext_", 4) != 0) return false;
  return IsIdentifier(name);
}

bool ReadModuleClass(PEngine* engine, int index, const char* path, const PModuleExports& exports) {
  auto version = Export<moduleentry::Text>(exports, "Tavrin_GetSDKVersion");
  auto getName = Export<moduleentry::Text>(exports, "Tavrin_GetName");
  auto isControl = Export<moduleentry::Flag>(exports, "Tavrin_IsControl");
  if (!version || !getName || !isControl) return false;
  const char* versionText = version();
  if (!versionText || std::strcmp(versionText, "1.0") != 0) return false;
  const char* name = getName();
  if (!IsModuleName(name)) return false;
  const bool numbersAsText = std::strncmp(name, "Sub_", 4) == 0;

  PObjectDefinition* definition =
      new (std::nothrow) PObjectDefinition(engine, kModuleOrigin + TypeCode(index), name, "");
  if (!definition) return false;
  definition->SetModule(path, isControl() != 0);
  bool ok = true;
  if (auto constants = Export<moduleentry::Table>(exports, "Tavrin_GetConstants")) {
    if (const PModuleWord* table = constants()) AddConstants(definition, TableCursor(table, numbersAsText), &ok);
  }
  if (ok) PObjModule::Register(definition);
  if (!ok || !engine->AddDefinition(definition)) {
    delete definition;
    return false;
  }

  // From here the engine owns the definition; a failed build resets it.
  MemberReader members(definition, numbersAsText);
  if (auto functions = Export<moduleentry::Table>(exports, "Tavrin_GetFunctions")) {
    const PModuleWord* table = functions();
    if (table && !members.ReadTable(table, MEMBER_FUNCTION)) return false;
  }
  if (auto events = Export<moduleentry::Table>(exports, "Tavrin_GetEvents")) {
    const PModuleWord* table = events();
    if (table && !members.ReadTable(table, MEMBER_EVENT)) return false;
  }
  return true;
}
