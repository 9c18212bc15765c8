// Building the program: the program model becomes class definitions whose
// members are compiled, in one pass that succeeds completely or fails at
// the first fault. The order matters: every class exists before any line
// names one, constants exist before the lines that use them, and every
// member is declared before any body is compiled.
#include <cstring>
#include <new>

#include "core/ExpressionEvaluator.h"
#include "core/SStringParser.h"
#include "core/TextFunctions.h"
#include "engine/PEngine.h"
#include "engine/PObjStruct.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "engine/compiler/PCodeInfo.h"

namespace {

// Substitution stops after this many replacements in one line: a constant
// whose text names itself would otherwise grow the line for ever.
const int kMaxSubstitutions = 1000;

// User class i gets 0x03000000 + i, except the two main classes.
TypeCode UserTypeCode(const SString& name, int i) {
  if (name == "Application") return TYPE_APPLICATION;
  if (name == "SubApplication") return TYPE_SUBAPPLICATION;
  return (TypeCode(ORIGIN_USER) << 24) + TypeCode(i);
}

enum LiteralForm { LITERAL_NONE, LITERAL_TEXT, LITERAL_DECIMAL, LITERAL_INTEGER, LITERAL_HEX };

LiteralForm ClassifyValue(const SString& text) {
  const char* t = text.GetText();
  const int n = text.GetLength();
  if (n > 1 && t[0] == '"' && t[n - 1] == '"' && !std::memchr(t + 1, '"', size_t(n - 2)))
    return LITERAL_TEXT;
  if (text.IsDecimal()) return LITERAL_DECIMAL;
  if (text.IsNumber()) return LITERAL_INTEGER;
  if (text.IsHexNumber("0x")) return LITERAL_HEX;
  return LITERAL_NONE;
}

// Adds value (a literal in one of the four forms) as a constant; false when
// the form is unknown or the definition refuses the name.
bool AddLiteralConstant(PObjectDefinition* d, const char* name, const SString& value,
                        const char* display, bool hidden) {
  switch (ClassifyValue(value)) {
    case LITERAL_TEXT: {
      SString text = value.Mid(1, value.GetLength() - 2);
      text.DecodeHexEscapes('%');
      return d->AddStringConstant(name, text.GetText(), false, display, hidden);
    }
    case LITERAL_DECIMAL: return d->AddFloatConstant(name, value.ToDouble(), false, display, hidden);
    case LITERAL_INTEGER: return d->AddIntConstant(name, value.ToInt64(), false, display, hidden);
    case LITERAL_HEX: return d->AddIntConstant(name, value.HexValue(), false, display, hidden);
    default: return false;
  }
}

// The text a constant stands for inside an expression: its value, a text
// in double quotes. The value rather than the source form, so that a
// constant written "5+5" counts as 10 under a "*".
// The expressions know no sign of their own, so a negative value stands as
// a difference in parentheses: "(0-2.5)*2".
SString SubstitutionText(const SValue& constant) {
  if (constant.IsString()) return SString("\"").Append(constant.GetStringValue().GetText()).Append("\"");
  SString text = constant.ToString();
  text.Trim();
  if (text.GetAt(0) == '-') return SString("(0").Append(text.GetText()).Append(")");
  return text;
}

// The first use of name as a whole word outside quotes. FindWord looks only
// at the byte after a hit, so a hit that ends a longer word ("E" in "BASE")
// is passed over here. The name holds no quote, so one byte further on the
// scan is still outside quotes.
int FindWholeWord(const SString& line, const char* name) {
  int pos = 0;
  for (;;) {
    int hit = line.FindWord(name, pos, '"', false);
    if (hit <= 0 || !IsWordChar(line.GetAt(hit - 1))) return hit;
    pos = hit + 1;
  }
}

// Replaces every whole-word use of the definition's constants outside
// quotes; false when the line keeps growing.
bool SubstituteConstants(SString& line, const PObjectDefinition* d, int& budget) {
  if (!d) return true;
  for (int c = 0; c < d->GetConstantCount(); c++) {
    const SValue* constant = d->GetConstant(c);
    SString name = constant->GetName();
    if (name.GetLength() == 0) continue;
    int pos;
    while ((pos = FindWholeWord(line, name.GetText())) >= 0) {
      if (--budget < 0) return false;
      line.Delete(pos, name.GetLength());
      line.Insert(SubstitutionText(*constant).GetText(), pos);
    }
  }
  return true;
}

// The 64-bit value of a default written for a number parameter: decimal,
// "0x" hexadecimal, or true and false.
int64_t DefaultNumber(const SString& text) {
  if (text == "true") return 1;
  if (text.IsHexNumber("0x")) return text.HexValue();
  return text.ToInt64();
}

}  // namespace

bool PEngine::BuildFails(const char* reason, int line) {
  m_failure.reason = reason;
  m_failure.line = line;
  return false;
}

// ==== The build =================================================================================

bool PEngine::Build(const char* folder, PSource* source, SStringArray* modules, bool requireMain,
                    bool subApplication) {
  m_failure = PBuildFailure();
  Reset();
  m_requireMain = requireMain;
  m_subApplicationMode = subApplication;
  m_folder.Assign(folder ? folder : "");
  if (!source) return BuildFails("no program");

  RegisterClasses();
  const int builtins = GetDefinitionCount();
  for (int i = 0; i < source->GetClassCount(); i++) {
    const PSource::_PObject& record = *source->GetClass(i);
    SString name = record.GetName();
    m_failure.className = name;
    PObjectDefinition* definition = new (std::nothrow) PObjectDefinition(
        this, UserTypeCode(name, i), name.GetText(), record.GetBaseName().GetText());
    if (!definition) return BuildFails("out of memory");
    PObjStruct::Register(definition);
    if (!AddDefinition(definition)) {
      delete definition;
      return BuildFails("a class of this name already exists");
    }
  }
  m_failure.className = "";
  if (requireMain && !GetMainDefinition())
    return BuildFails(subApplication ? "no class SubApplication" : "no class Application");
  if (modules && !LoadModules(*modules)) return BuildFails("a module library does not load");

  if (PObjectDefinition* main = GetMainDefinition()) {
    for (int i = 0; i < source->GetConstantCount(); i++) {
      SString name = source->GetConstantName(i);
      SString value = source->GetConstantValue(i);
      // Values of no known form, and names the class refuses, are skipped.
      if (!AddLiteralConstant(main, name.GetText(), value, value.GetText(), false)) continue;
      AddGlobalConstantName(name.GetLength() > 3 ? name.GetText() + 3 : "",
                            main->GetConstantCount() - 1);
    }
  }

  if (!LinkBaseClasses()) return false;
  if (!DeclareClasses()) return BuildFails("a built-in class did not declare its members");

  for (int i = 0; i < source->GetClassCount(); i++) {
    PSource::_PObject& record = *source->GetClass(i);
    m_failure.className = record.GetName();
    if (!ParseConstants(record.GetClassLines(), GetDefinitionAt(builtins + i), -1)) return false;
  }
  for (int i = 0; i < source->GetClassCount(); i++) {
    PSource::_PObject& record = *source->GetClass(i);
    PObjectDefinition* definition = GetDefinitionAt(builtins + i);
    m_failure.className = record.GetName();
    PObjStruct::Declare(definition);
    for (int s = 0; s < record.GetMemberCount(); s++) {
      PSource::_PFunction& member = *record.GetMember(s);
      m_failure.memberName = member.GetName();
      if (!DeclareMember(s, member, definition)) return false;
      if (!ParseConstants(member.GetBodyLines(), definition, s)) return false;
    }
    m_failure.memberName = "";
  }

  for (int i = 0; i < source->GetClassCount(); i++) {
    PObjectDefinition* definition = GetDefinitionAt(builtins + i);
    m_failure.className = definition->GetName();
    for (int s = 0; s < definition->GetMemberCount(); s++) {
      if (definition->GetMemberKind(s) != MEMBER_HANDLER) continue;
      m_failure.memberName = definition->GetMemberName(s);
      PObjectDefinition* source = definition->GetEventSource(s);
      const char* dot = std::strchr(definition->GetMemberName(s), '.');
      int event = source && dot ? source->FindMember(dot + 1) : -1;
      if (event < 0 || source->GetMemberKind(event) != MEMBER_EVENT)
        return BuildFails("the class has no such event");
      if (!definition->ParamsMatch(s, source, event))
        return BuildFails("the handler's signature differs from its event's");
    }
    m_failure.memberName = "";
  }

  m_failure.className = "";
  if (!InheritMembers()) return false;

  for (int i = 0; i < source->GetClassCount(); i++) {
    PSource::_PObject& record = *source->GetClass(i);
    PObjectDefinition* definition = GetDefinitionAt(builtins + i);
    m_failure.className = record.GetName();
    for (int s = 0; s < record.GetMemberCount(); s++) {
      m_failure.memberName = record.GetMember(s)->GetName();
      if (!CompileMember(*record.GetMember(s), definition, s)) return false;
    }
  }
  m_failure = PBuildFailure();
  return true;
}

// ==== Classes ===================================================================================

bool PEngine::LinkBaseClasses() {
  for (int i = 0; i < GetDefinitionCount(); i++) {
    PObjectDefinition* definition = GetDefinitionAt(i);
    if (!definition->GetBaseName()[0]) continue;
    m_failure.className = definition->GetName();
    PObjectDefinition* base = FindDefinitionByName(definition->GetBaseName());
    if (!base) return BuildFails("the base class does not exist");
    if (definition->GetOrigin() == ORIGIN_USER && base->GetOrigin() != ORIGIN_USER)
      return BuildFails("a program class can only derive from a program class");
    definition->SetBase(base);
  }
  m_failure.className = "";
  return true;
}

bool PEngine::InheritMembers() {
  for (int i = 0; i < GetDefinitionCount(); i++) {
    PObjectDefinition* definition = GetDefinitionAt(i);
    if (!definition->GetBase()) continue;
    m_failure.className = definition->GetName();
    if (!definition->BuildOverrideMap())
      return BuildFails("a member differs from the base class member of its name");
  }
  return true;
}

// ==== Declarations ==============================================================================

bool PEngine::ParseConstants(SStringArray& lines, PObjectDefinition* definition, int member) {
  for (int i = 0; i < lines.GetCount(); i++) {
    SString* line = lines.GetAt(i);
    SStringParser parser(line->GetText());
    SStringArray tokens;
    if (parser.Parse(" \t", '"', SStringParser::kHonourQuotes, &tokens) <= 0)
      return BuildFails("an empty line or an open quote", i);

    if (tokens.GetString(0) == "constant") {
      if (member != -1) return BuildFails("constants are declared among the class lines", i);
      if (tokens.GetCount() < 3) return BuildFails("a constant without a value", i);
      SString name = tokens.GetString(1);
      // The value follows the name where it is declared, past the keyword:
      // a name such as "n" also occurs inside "constant" itself.
      int keyword = line->Find("constant", 0, -1, true);
      int after = line->Find(name.GetText(), keyword, -1, true);
      SString value = line->Mid(after);
      value.Trim();
      bool hidden = false;
      const int n = value.GetLength();
      if (n > 6 && value.Mid(n - 6) == "hidden") {
        char before = value.GetText()[n - 7];
        if (before == ' ' || before == '\t' || before == '"') {
          hidden = true;
          value = value.Left(n - 6);
          value.TrimTrailing();
        }
      }
      if (!IsValidNewName(name.GetText()) || name.Left(3) == "ID_")
        return BuildFails("the constant's name is not allowed", i);
      SString expression = value;
      int budget = kMaxSubstitutions;
      if (!SubstituteConstants(expression, definition, budget) ||
          !SubstituteConstants(expression, GetGlobalDefinition(), budget) ||
          !SubstituteConstants(expression, GetApplicationDefinition(), budget))
        return BuildFails("the constant names itself", i);
      // A number comes back padded with blanks, which the number forms
      // refuse before a sign.
      SString result = EvaluateExpression(expression.GetText());
      result.Trim();
      if (result.GetLength() == 0) return BuildFails("the constant's value does not compute", i);
      if (!AddLiteralConstant(definition, name.GetText(), result, value.GetText(), hidden))
        return BuildFails("the constant's name is taken or its value has no known form", i);
      line->SetTag(1);
      continue;
    }

    PObjectDefinition* type = FindDefinitionByName(tokens.GetString(0).GetText());
    if (!type) {
      if (member == -1) return BuildFails("a class line that names no class", i);
      continue;  // a statement, for the compiler
    }
    if (tokens.GetCount() < 2) return BuildFails("a declaration without a name", i);
    int hiddenAt = tokens.Find("hidden");
    int newAt = tokens.Find("new");
    bool hidden = hiddenAt >= 2;
    bool isNew = newAt >= 2;
    if (tokens.GetCount() != 2 + int(hidden) + int(isNew))
      return BuildFails("a declaration with words too many", i);
    if (type->IsBasicValueClass()) isNew = true;
    const TypeCode code = type->GetTypeCode();
    if (isNew && !type->IsInstantiable()) return BuildFails("the class cannot be created", i);
    if (OriginOf(code) == ORIGIN_GLOBAL || code == TYPE_VOID || (code == TYPE_POINTER && isNew))
      return BuildFails("no variable can be of this class", i);
    SString name = tokens.GetString(1);
    if (!IsValidNewName(name.GetText())) return BuildFails("the variable's name is not allowed", i);
    if (definition->FindVariable(name.GetText(), member))
      return BuildFails("a variable of this name exists already", i);
    PObjectInfo* info = new (std::nothrow)
        PObjectInfo(type, name.GetText(), member == -1 ? INFO_VARIABLE : INFO_LOCAL);
    if (!info) return BuildFails("out of memory", i);
    info->SetHidden(hidden);
    info->SetAutoCreate(isNew);
    info->SetReference(!isNew);
    bool added = member == -1 ? definition->AddVariable(info) : definition->AddLocalVariable(member, info);
    if (!added) return BuildFails("the variable was refused", i);
    line->SetTag(1);
  }
  return true;
}

bool PEngine::DeclareMember(int member, const PSource::_PFunction& function,
                            PObjectDefinition* definition) {
  SStringArray names;
  SArray<TypeCode> types;
  SArray<SValue*> defaults;
  struct Owned {
    SArray<SValue*>& list;
    ~Owned() { list.DeleteAll(); }
  } owned{defaults};

  PObjectDefinition* result = FindDefinitionByName(function.GetReturnType().GetText());
  if (!result) return BuildFails("the result class does not exist");
  names.Add(function.GetName().GetText());
  types.Add(result->GetTypeCode());
  defaults.Add(nullptr);

  for (int i = 0; i < function.GetParameterCount(); i++) {
    PObjectDefinition* type = FindDefinitionByName(function.GetParameterType(i).GetText());
    if (!type) return BuildFails("a parameter's class does not exist");
    names.Add(function.GetParameterName(i).GetText());
    types.Add(type->GetTypeCode());
    if (!function.HasDefault(i)) {
      defaults.Add(nullptr);
      continue;
    }
    SString written = function.GetDefaultText(i);
    SString value = function.GetDefaultValue(i);
    SValue* given = new (std::nothrow) SValue;
    if (!given || defaults.Add(given) < 0) {
      delete given;
      return BuildFails("out of memory");
    }
    given->SetName(written.GetText());
    const TypeCode code = type->GetTypeCode();
    if (value.GetText()[0] == '&' && written.GetText()[0] != '"') {
      SString reference = value.Mid(1);
      int dot = reference.FindChar('.');
      SValue* constant = nullptr;
      if (dot >= 0) {
        PObjectDefinition* owner = FindDefinitionByName(reference.Left(dot).GetText());
        if (owner) constant = owner->FindConstant(reference.Mid(dot + 1).GetText());
      } else {
        const PObjectDefinition* searched[] = {definition, GetGlobalDefinition(), GetApplicationDefinition()};
        for (const PObjectDefinition* d : searched) {
          if (d && !constant) constant = d->FindConstant(reference.GetText());
        }
      }
      if (!constant) return BuildFails("a default names no constant");
      given->AssignValue(*constant);
      continue;
    }
    if (code == TYPE_FLOAT) given->SetDouble(value.ToDouble());
    else if (code == TYPE_INTEGER) given->SetInt64(DefaultNumber(value));
    else given->SetString(value.GetText());
  }

  PObjectDefinition* source = nullptr;
  if (function.GetKind() == MEMBER_HANDLER) {
    SString name = function.GetName();
    int dot = name.FindChar('.');
    source = dot > 0 ? FindDefinitionByName(name.Left(dot).GetText()) : nullptr;
    if (!source) return BuildFails("the handler names no class");
  }
  if (!definition->AddScriptMember(function.GetKind(), uint16_t(member), names, types, defaults, false))
    return BuildFails("the member was refused (its name, kind or signature)");
  const int index = definition->GetMemberCount() - 1;
  if (function.IsDeclared()) definition->SetMemberFlag(index);
  if (source) definition->SetEventSource(index, source);
  return true;
}

bool PEngine::CompileMember(PSource::_PFunction& function, PObjectDefinition* definition, int member) {
  PCodeInfo* code = new (std::nothrow) PCodeInfo;
  if (!code) return BuildFails("out of memory");
  code->SetDefinition(definition);
  code->SetMemberIndex(member);
  if (!code->Compile(function.GetBodyLines())) {
    int line = code->GetFailedLine();
    SString reason = line >= 0 ? "the line does not compile" : "the blocks do not match";
    if (code->GetFailureReason().GetLength()) reason.Append(": ").Append(code->GetFailureReason().GetText());
    delete code;
    return BuildFails(reason.GetText(), line);
  }
  definition->SetCode(member, code);
  return true;
}
