// The object side of external modules: the module's own object, member
// calls through the call record, events back through the two callbacks.
// Everything a module hands in is checked against the class's declarations
// first: a module written apart may count wrongly, and a handler must never
// read past its parameters or run short of arguments.
#include "engine/PObjModule.h"

#include <climits>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "core/SValue.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"

namespace {

// ControlNumber EXTERN: the module control of dialog descriptions.
const int16_t kExternControl = 36;
// Argument slots of most calls fit on the stack.
const int kStackSlots = 8;

template <class Entry>
Entry Export(const PObjectDefinition* definition, const char* name) {
  return reinterpret_cast<Entry>(definition->GetModuleExport(name));
}

// The class of parameter i of the member, none past its parameters.
TypeCode ParamClass(const PObjectDefinition* definition, int member, int i) {
  if (i >= definition->GetParamCount(member)) return TYPE_NONE;
  return definition->GetParamInfo(member, i)->GetTypeCode();
}

}  // namespace

PObjModule::PObjModule(PObjectDefinition* definition)
    : PObject(definition), m_window(nullptr), m_attached(false), m_entries(), m_handle(0) {
  m_entries.create = Export<moduleentry::New>(definition, "Tavrin_New");
  m_entries.remove = Export<moduleentry::Delete>(definition, "Tavrin_Delete");
  m_entries.createControl = Export<moduleentry::Create>(definition, "Tavrin_Create");
  m_entries.destroyControl = Export<moduleentry::Window>(definition, "Tavrin_Destroy");
  m_entries.resize = Export<moduleentry::Window>(definition, "Tavrin_Resize");
  m_entries.call = Export<moduleentry::Call>(definition, "Tavrin_Call");
  m_entries.makeString = Export<moduleentry::MakeString>(definition, "Tavrin_MakeString");
  m_entries.makeUniString = Export<moduleentry::MakeUniString>(definition, "Tavrin_MakeUniString");
  if (m_entries.create) m_handle = m_entries.create(this, &EventCallback, &CallMemberCallback);
}

PObjModule::~PObjModule() {
  if (m_entries.remove) m_entries.remove(this, m_handle);
  m_handle = 0;
  DeleteWindow();
}

void PObjModule::Register(PObjectDefinition* definition) {
  definition->SetFactory(&New);
  definition->SetCategory(CATEGORY_MODULES);
  definition->SetControlNumber(kExternControl);
  if (definition->IsModuleControl()) definition->SetBaseName("Control");
  PObject::Register(definition);
}

PObject* PObjModule::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjModule(definition);
}

bool PObjModule::Release() {
  DeleteWindow();
  return PObject::Release();
}

void PObjModule::AttachWindow(SWnd* window) {
  m_window = window;
  m_attached = window != nullptr;
  // A control's Control part holds the same window.
  if (PObject* control = GetBase()) control->AttachWindow(window);
}

PObjModule* PObjModule::PartOf(PObject* object) {
  for (PObject* part = object; part; part = part->GetDerived())
    if (part->GetDefinition()->GetFactory() == &PObjModule::New) return static_cast<PObjModule*>(part);
  return nullptr;
}

int PObjModule::FindMember(const PObjectDefinition* definition, int number) {
  int low = 0, high = definition->GetMemberCount() - 1;
  while (low <= high) {
    int middle = low + (high - low) / 2;
    int at = definition->GetMemberId(middle);
    if (at == number) return middle;
    if (at < number) low = middle + 1;
    else high = middle - 1;
  }
  return -1;
}

// ==== Member calls ==============================================================================

bool PObjModule::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  const PObjectDefinition* definition = GetDefinition();
  int position = m_entries.call ? FindMember(definition, member) : -1;
  if (position < 0) return PObject::Call(member, args, result, caller);

  int count = GetArgCount(args);
  if (count < 0) count = 0;
  uint64_t stackSlots[kStackSlots];
  std::unique_ptr<uint64_t[]> heapSlots;
  uint64_t* slots = stackSlots;
  if (count > kStackSlots) {
    heapSlots.reset(new (std::nothrow) uint64_t[size_t(count)]);
    if (!heapSlots) return false;
    slots = heapSlots.get();
  }
  for (int i = 0; i < count; i++) {
    uint64_t slot = 0;
    switch (ParamClass(definition, position, i)) {
      case TYPE_INTEGER: slot = uint64_t(GetArgInt64(args, i)); break;
      case TYPE_FLOAT: {
        double x = GetArgDouble(args, i);
        std::memcpy(&slot, &x, sizeof slot);
        break;
      }
      case TYPE_STRING: slot = uintptr_t(GetArgString(args, i)); break;
      case TYPE_UNISTRING: slot = uintptr_t(GetArgUniString(args, i)); break;
      default: break;  // nothing the module could read: zero
    }
    slots[i] = slot;
  }

  ModuleCallRecord record = {};
  record.object = this;
  record.window = GetWindowHandle();
  record.handle = m_handle;
  record.member = member;
  record.count = count;
  record.args = count > 0 ? slots : nullptr;
  record.eventCallback = &EventCallback;
  record.makeText = &AllocateText;
  record.makeUniText = &AllocateUniText;
  if (!m_entries.call(&record)) return false;

  switch (definition->GetReturnInfo(position)->GetTypeCode()) {
    case TYPE_INTEGER: return ReturnInt64(result, record.result.integer);
    case TYPE_FLOAT: return ReturnDouble(result, record.result.number);
    case TYPE_STRING:
    case TYPE_UNISTRING:
      // Made by the allocators, so the caller's text buffer as it stands.
      if (result && !*result) *result = record.result.text;
      else std::free(record.result.text);
      return true;
    default: return true;
  }
}

char* PObjModule::AllocateText(int32_t n) {
  if (n < 0 || n > INT32_MAX - 1) return nullptr;
  char* text = static_cast<char*>(std::malloc(size_t(n) + 1));
  if (text) text[0] = text[n] = 0;
  return text;
}

UniChar* PObjModule::AllocateUniText(int32_t n) {
  if (n < 0 || n > INT32_MAX / int32_t(sizeof(UniChar)) - 1) return nullptr;
  UniChar* text = static_cast<UniChar*>(std::malloc((size_t(n) + 1) * sizeof(UniChar)));
  if (text) text[0] = text[n] = 0;
  return text;
}

// ==== Events ====================================================================================

namespace {

// What the owner's handler of the event needs before it runs: its position,
// a matching argument count, and for a result the module's way to take it.
// -1 when the event cannot be delivered.
int PrepareHandler(const PObjModule* self, int event, int count, const PObjectDefinition** handlers) {
  if (count < 0 || count > PObject::kMaxEventArgs) return -1;
  PObject* owner = self->GetOwner();
  if (!owner) return -1;
  int handler = self->GetEventHandler(event);
  if (handler < 0) return -1;
  *handlers = owner->GetDefinition();
  if ((*handlers)->GetParamCount(handler) != count) return -1;
  return handler;
}

}  // namespace

bool PObjModule::HandTextBack(TypeCode returns, const SValue& value, char** text,
                              UniChar** uniText) const {
  if (returns == TYPE_STRING) {
    SString result = value.ToString();
    char* buffer = m_entries.makeString(result.GetLength());
    if (!buffer) return false;
    std::memcpy(buffer, result.GetText(), size_t(result.GetLength()) + 1);
    *text = buffer;
    return true;
  }
  SUniString result = value.ToUniString();
  UniChar* buffer = m_entries.makeUniString(result.GetLength());
  if (!buffer) return false;
  std::memcpy(buffer, result.GetText(), (size_t(result.GetLength()) + 1) * sizeof(UniChar));
  *uniText = buffer;
  return true;
}

bool PObjModule::EventCallback(void* object, int32_t event, ModuleEventResult* result,
                               int32_t count, ...) {
  PObjModule* self = static_cast<PObjModule*>(object);
  const PObjectDefinition* handlers = nullptr;
  int handler = self ? PrepareHandler(self, event, count, &handlers) : -1;
  if (handler < 0) return false;
  TypeCode returns = handlers->GetReturnInfo(handler)->GetTypeCode();
  switch (returns) {
    case TYPE_VOID: break;
    case TYPE_INTEGER:
    case TYPE_FLOAT:
      if (!result) return false;
      result->value.integer = 0;
      break;
    case TYPE_STRING:
      if (!result || !self->m_entries.makeString) return false;
      result->text = nullptr;
      break;
    case TYPE_UNISTRING:
      if (!result || !self->m_entries.makeUniString) return false;
      result->uniText = nullptr;
      break;
    default: return false;
  }

  PEventArg args[kMaxEventArgs];
  va_list list;
  va_start(list, count);
  for (int i = 0; i < count; i++) {
    switch (ParamClass(handlers, handler, i)) {
      case TYPE_INTEGER: args[i] = PEventArg(va_arg(list, int64_t)); break;
      case TYPE_FLOAT: args[i] = PEventArg(va_arg(list, double)); break;
      case TYPE_STRING: args[i] = PEventArg(va_arg(list, const char*)); break;
      case TYPE_UNISTRING: args[i] = PEventArg(va_arg(list, const UniChar*)); break;
      default: break;  // takes no value and passes no object
    }
  }
  va_end(list);

  SValue value;
  if (!RaiseEventArgs(self, event, returns == TYPE_VOID ? nullptr : &value, count, args)) return false;
  switch (returns) {
    case TYPE_INTEGER: result->value.integer = value.ToInt64(); return true;
    case TYPE_FLOAT: result->value.number = value.ToDouble(); return true;
    case TYPE_STRING:
    case TYPE_UNISTRING: return self->HandTextBack(returns, value, &result->text, &result->uniText);
    default: return true;
  }
}

bool PObjModule::CallMemberCallback(void* object, int32_t member, void* result,
                                    SArray<SValue*>* args, uint8_t* noHandler) {
  if (noHandler) *noHandler = 0;
  PObjModule* self = static_cast<PObjModule*>(object);
  if (!self || !self->GetOwner()) return false;
  int count = args ? args->GetCount() : 0;
  int event = FindMember(self->GetDefinition(), member);
  if (event < 0) return false;
  if (self->GetEventHandler(event) < 0) {
    if (noHandler) *noHandler = 1;
    return false;
  }
  const PObjectDefinition* handlers = nullptr;
  int handler = PrepareHandler(self, event, count, &handlers);
  if (handler < 0) return false;
  TypeCode returns = handlers->GetReturnInfo(handler)->GetTypeCode();
  const bool isText = returns == TYPE_STRING || returns == TYPE_UNISTRING;
  if (returns != TYPE_VOID && !result) return false;
  if ((returns == TYPE_STRING && !self->m_entries.makeString) ||
      (returns == TYPE_UNISTRING && !self->m_entries.makeUniString))
    return false;

  // The texts live here until the handler returns.
  PEventArg list[kMaxEventArgs];
  SString texts[kMaxEventArgs];
  SUniString uniTexts[kMaxEventArgs];
  SValue none;
  for (int i = 0; i < count; i++) {
    const SValue* given = args->GetAt(i) ? args->GetAt(i) : &none;
    switch (ParamClass(handlers, handler, i)) {
      case TYPE_INTEGER: list[i] = PEventArg(given->ToInt64()); break;
      case TYPE_FLOAT: list[i] = PEventArg(given->ToDouble()); break;
      case TYPE_STRING:
        texts[i] = given->ToString();
        list[i] = PEventArg(texts[i].GetText());
        break;
      case TYPE_UNISTRING:
        uniTexts[i] = given->ToUniString();
        list[i] = PEventArg(uniTexts[i].GetText());
        break;
      default: break;
    }
  }

  SValue value;
  bool ok = RaiseEventArgs(self, event, returns == TYPE_VOID ? nullptr : &value, count, list);
  if (isText) {
    char* text = nullptr;
    UniChar* uniText = nullptr;
    if (ok) ok = self->HandTextBack(returns, value, &text, &uniText);
    void* buffer = returns == TYPE_STRING ? static_cast<void*>(text) : static_cast<void*>(uniText);
    std::memcpy(result, &buffer, sizeof buffer);
    return ok;
  }
  if (!ok || returns == TYPE_VOID) return ok;
  if (returns == TYPE_FLOAT) {
    double x = value.ToDouble();
    std::memcpy(result, &x, sizeof x);
  } else {
    int64_t n = value.ToInt64();
    std::memcpy(result, &n, sizeof n);
  }
  return true;
}
