// The Global class's registration, its constants and the functions that
// are pure code.
#include "engine/PObjGlobal.h"

#include <cstdint>
#include <new>

#include "core/LocaleRecord.h"
#include "core/Platform.h"
#include "core/SString.h"
#include "core/SValueReading.h"
#include "engine/PEngine.h"
#include "engine/PObjStruct.h"
#include "engine/PObjectDefinition.h"

namespace {

constexpr TypeCode kControl = MakeTypeCode(ORIGIN_BUILTIN, 'C', 'T', 'R');
constexpr TypeCode kDialog = MakeTypeCode(ORIGIN_BUILTIN, 'D', 'L', 'G');

constexpr double kPi = 3.141592653589793;

struct IntConstant {
  const char* name;
  int32_t value;
};

// The integer constants after the two numbers and the eight angles, in
// their registration order.
constexpr IntConstant kResults[] = {{"OK", 0}, {"CANCEL", -1}, {"QUIT", 1}};

constexpr IntConstant kIntConstants[] = {
    // Message box buttons, icons and answers (the system's own values).
    {"MB_OK", 0}, {"MB_OKCANCEL", 1}, {"MB_YESNO", 4}, {"MB_YESNOCANCEL", 3},
    {"MB_RETRYCANCEL", 5}, {"MB_ABORTRETRYIGNORE", 2},
    {"MBI_EXCLAMATION", 48}, {"MBI_INFORMATION", 64}, {"MBI_QUESTION", 32}, {"MBI_STOP", 16},
    {"MBA_OK", 1}, {"MBA_CANCEL", 2}, {"MBA_YES", 6}, {"MBA_NO", 7}, {"MBA_RETRY", 4},
    {"MBA_ABORT", 3}, {"MBA_IGNORE", 5},
    // Mouse events: button bit (1, 2, 4) plus action bit (8, 16, 32, 64).
    {"BTN_LDOWN", 9}, {"BTN_LUP", 17}, {"BTN_LCLICK", 33}, {"BTN_LDBCLICK", 65},
    {"BTN_MDOWN", 10}, {"BTN_MUP", 18}, {"BTN_MCLICK", 34}, {"BTN_MDBCLICK", 66},
    {"BTN_RDOWN", 12}, {"BTN_RUP", 20}, {"BTN_RCLICK", 36}, {"BTN_RDBCLICK", 68},
    // Image draw modes.
    {"DRAW_TOPLEFT", 0}, {"DRAW_TOPCENTER", 1}, {"DRAW_TOPRIGHT", 2}, {"DRAW_MIDDLELEFT", 3},
    {"DRAW_MIDDLERIGHT", 4}, {"DRAW_BOTTOMLEFT", 5}, {"DRAW_BOTTOMCENTER", 6},
    {"DRAW_BOTTOMRIGHT", 7}, {"DRAW_CENTER", 8}, {"DRAW_STRETCH", 9}, {"DRAW_TILE", 10},
    {"DRAW_FIT", 11}, {"DRAW_FITZOOM", 12},
    // Anchoring bits.
    {"AUTOSIZE_NONE", 0}, {"AUTOSIZE_CENTER", 1}, {"AUTOSIZE_RIGHT", 2}, {"AUTOSIZE_WIDTH", 4},
    {"AUTOSIZE_HALFHORZ", 8}, {"AUTOSIZE_MIDDLE", 16}, {"AUTOSIZE_BOTTOM", 32},
    {"AUTOSIZE_HEIGHT", 64}, {"AUTOSIZE_HALFVERT", 128}, {"AUTOSIZE_SIZE", 68},
    {"AUTOSIZE_HALF", 136},
    // Text alignment: horizontal OR vertical.
    {"ALIGN_LEFT", 0}, {"ALIGN_CENTER", 1}, {"ALIGN_RIGHT", 2}, {"ALIGN_TOP", 0},
    {"ALIGN_MIDDLE", 16}, {"ALIGN_BOTTOM", 32},
    // Locale records, character sets, compare modes, font styles.
    {"REGION_LOCAL", 0}, {"REGION_US", 1}, {"REGION_FR", 2},
    {"CS_UTF8", 0},
    {"CMP_DESCENDING", 1}, {"CMP_INSENSITIVE", 2}, {"CMP_SAMETYPE", 256},
    {"FONT_BOLD", 1}, {"FONT_ITALIC", 2}, {"FONT_UNDERLINE", 4}, {"FONT_STRIKEOUT", 8},
};

constexpr const char* kAngleNames[] = {"RAD_45",  "RAD_90",  "RAD_135", "RAD_180",
                                       "RAD_225", "RAD_270", "RAD_315", "RAD_360"};

}  // namespace

// ==== Registration ==============================================================================

void PObjGlobal::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_GLOBAL);
  definition->SetTypeCode(TYPE_GLOBAL);
  definition->SetName("Global");
  definition->SetAbstract();
  for (const IntConstant& c : kResults) definition->AddConstant(c.name, c.value);
  definition->AddFloatConstant("PI", kPi);
  definition->AddFloatConstant("E", 2.718281828459045);
  for (int i = 0; i < 8; i++) {
    definition->AddFloatConstant(kAngleNames[i], (i + 1) * 45 * kPi / 180);
  }
  for (const IntConstant& c : kIntConstants) definition->AddConstant(c.name, c.value);
  PObject::Register(definition);
}

bool PObjGlobal::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const PParamDecl i(TYPE_INTEGER), f(TYPE_FLOAT), s(TYPE_STRING), p(TYPE_POINTER);
  const PParamDecl charset(TYPE_INTEGER, "CS_UTF8", 0);
  const PParamDecl yes(TYPE_INTEGER, "true", 1);
  const TypeCode INT = TYPE_INTEGER, FLT = TYPE_FLOAT, STR = TYPE_STRING, VOI = TYPE_VOID;
  const int F = MEMBER_FUNCTION;
  return d->AddMember(F, DO_NOTHING, VOI) &&
         d->AddMember(F, IGNORE_TEXT, VOI, {s}) &&
         d->AddMember(F, FROM_UTF8, STR, {s, charset}) &&
         d->AddMember(F, SET_IDLE_POLLING, VOI, {yes}) &&
         d->AddMember(F, TO_UTF8, STR, {s, charset}) &&
         d->AddMember(F, HAS_FLAGS, INT, {i, i}) &&
         d->AddMember(F, ADD_FLAGS, INT, {i, i}) &&
         d->AddMember(F, REMOVE_FLAGS, INT, {i, i}) &&
         d->AddMember(F, TOGGLE_FLAGS, INT, {i, i}) &&
         d->AddMember(F, FLOAT_TO_INT, INT, {f}) &&
         d->AddMember(F, FLOAT_TO_TEXT, STR, {f}) &&
         d->AddMember(F, FLOAT_TO_GROUPED, STR, {f}) &&
         d->AddMember(F, INT_TO_GROUPED, STR, {i}) &&
         d->AddMember(F, GET_MODULE_PATH, STR) &&
         d->AddMember(F, GET_EXE_PATH, STR) &&
         d->AddMember(F, GET_APP_FOLDER, STR) &&
         d->AddMember(F, IS_SHOWN, INT) &&
         d->AddMember(F, GET_ARGUMENT, STR, {i}) &&
         d->AddMember(F, GET_ARGUMENT_COUNT, INT) &&
         d->AddMember(F, CHAR_FROM_CODE, STR, {i}) &&
         d->AddMember(F, CODE_OF_CHAR, INT, {s}) &&
         d->AddMember(F, CONTROL_FROM_HANDLE, kControl, {i}) &&
         d->AddMember(F, DIALOG_FROM_HANDLE, kDialog, {i}) &&
         d->AddMember(F, WINDOW_FROM_POINT, INT, {i, i}) &&
         d->AddMember(F, GET_CONSTANT_TEXT, STR, {s}) &&
         d->AddMember(F, NEW_LINE, STR) &&
         d->AddMember(F, ADDRESS_OF, INT, {p, yes}) &&
         d->AddMember(F, TYPE_CODE_OF, INT, {p}) &&
         d->AddMember(F, GET_OBJECT_TEXT, STR, {p}) &&
         d->AddMember(F, INT_TO_FLOAT, FLT, {i}) &&
         d->AddMember(F, INT_TO_TEXT, STR, {i}) &&
         d->AddMember(F, IS_ENGINE_MADE, INT, {p}) &&
         d->AddMember(F, MD5, STR, {s}) &&
         d->AddMember(F, MESSAGE_BOX, INT,
                      {s, PParamDecl(STR, ""), PParamDecl(INT, "MB_OK", 0),
                       PParamDecl(INT, "MBI_EXCLAMATION", 48)}) &&
         d->AddMember(F, NEW_OBJECT, TYPE_POINTER, {i}) &&
         d->AddMember(F, EXIT, INT) &&
         d->AddMember(F, SET_OBJECT_TEXT, VOI, {p, s}) &&
         d->AddMember(F, SET_REGION, VOI, {PParamDecl(INT, "REGION_LOCAL", 0)}) &&
         d->AddMember(F, SHA1, STR, {s}) &&
         d->AddMember(F, WAIT, VOI, {i}) &&
         d->AddMember(F, TEXT_TO_FLOAT, FLT, {s}) &&
         d->AddMember(F, TEXT_TO_INT, INT, {s}) &&
         d->AddMember(F, ARGB, INT, {i, i, i, i}) &&
         d->AddMember(F, COLOR_REF, INT, {i, i, i}) &&
         d->AddMember(F, RGB, INT, {i, i, i});
}

PObject* PObjGlobal::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjGlobal(definition);
}

// ==== Services ==================================================================================

bool PObjGlobal::NewObjectOf(TypeCode typeCode, PObject*& made) const {
  made = nullptr;
  PObjectDefinition* definition = GetEngine()->FindDefinition(typeCode);
  // What the script's new operation refuses when it is compiled is refused
  // here too: a type-only class has no objects, and an abstract one would
  // be a part without its derived class. The value classes stay creatable:
  // they are whole objects, only their variables are made by the engine.
  if (!definition || !definition->GetFactory() || !definition->IsInstantiable() ||
      definition->GetOrigin() == ORIGIN_GLOBAL)
    return false;
  made = PObjStruct::NewObject(definition);
  return true;
}

void PObjGlobal::BusyWait(int64_t ms) {
  if (ms <= 0) return;
  const uint32_t count = uint32_t(uint64_t(ms));
  const uint32_t start = PlatformMilliseconds();
  // Unsigned differences stay right across the clock's wrap at 2^32.
  while (PlatformMilliseconds() - start < count) {
  }
}

namespace {

// A copy of the text, converted between Windows-1252 and UTF-8 for
// charset 0 and left as it is for any other.
SString Converted(const char* text, int64_t charset, bool toUtf8) {
  SString copy(text);
  if (charset == 0) {
    if (toUtf8) copy.ToUtf8();
    else copy.FromUtf8();
  }
  return copy;
}

// Member 8: takes every bit of mask out of flags when all of them are set,
// else puts them all in.
int64_t ToggleFlags(int64_t flags, int64_t mask) {
  const uint64_t f = uint64_t(flags), m = uint64_t(mask);
  if (m == 0) return flags;
  return int64_t((f & m) == m ? f & ~m : f | m);
}

int64_t Address(const PObject* object) {
  return int64_t(reinterpret_cast<intptr_t>(object));
}

int64_t Byte(int64_t n, int shift) { return (n & 0xFF) << shift; }

}  // namespace

// ==== Calls =====================================================================================

bool PObjGlobal::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  // Arguments are read by each member as its parameters' classes say.
  auto n = [args](int i) { return GetArgInt64(args, i); };
  auto text = [args](int i) { return GetArgString(args, i); };
  PObject* object = GetArgObject(args, 0);
  switch (member) {
    case DO_NOTHING:
    case IGNORE_TEXT: return true;
    case FROM_UTF8: return ReturnString(result, Converted(text(0), n(1), false).GetText());
    case SET_IDLE_POLLING: GetEngine()->SetWaitForMessages(n(0) == 0); return true;
    case TO_UTF8: return ReturnString(result, Converted(text(0), n(1), true).GetText());

    case HAS_FLAGS: return ReturnBool(result, (n(0) & n(1)) == n(1));
    case ADD_FLAGS: return ReturnInt64(result, n(0) | n(1));
    case REMOVE_FLAGS: return ReturnInt64(result, n(0) & ~n(1));
    case TOGGLE_FLAGS: return ReturnInt64(result, ToggleFlags(n(0), n(1)));

    case FLOAT_TO_INT: return ReturnInt64(result, DoubleToInt64(GetArgDouble(args, 0)));
    case FLOAT_TO_TEXT:
      return ReturnString(result, SString::FromDouble(GetArgDouble(args, 0)).GetText());
    case FLOAT_TO_GROUPED: {
      SString grouped;
      return ReturnString(result, grouped.SetDoubleGrouped(GetArgDouble(args, 0)).GetText());
    }
    case INT_TO_GROUPED: {
      SString grouped;
      return ReturnString(result, grouped.SetIntGrouped(int32_t(uint32_t(n(0)))).GetText());
    }
    case INT_TO_FLOAT: return ReturnDouble(result, double(int32_t(uint32_t(n(0)))));
    case INT_TO_TEXT: return ReturnString(result, SString::FromInt64(n(0)).GetText());
    case TEXT_TO_FLOAT: return ReturnDouble(result, ReadDouble(text(0)));
    case TEXT_TO_INT: return ReturnInt64(result, ReadInteger(text(0)));

    case CHAR_FROM_CODE: {
      const int32_t code = int32_t(uint32_t(n(0)));
      const char c = char(code < 0 ? 0 : code > 255 ? 255 : code);
      return c ? ReturnChar(result, c) : ReturnString(result, "");
    }
    case CODE_OF_CHAR: return ReturnInt64(result, int8_t(GetArgChar(args, 0)));
    case NEW_LINE: return ReturnString(result, "\r\n");
    case MD5: return ReturnString(result, SString(text(0)).Md5().GetText());
    case SHA1: return ReturnString(result, SString(text(0)).Sha1().GetText());

    case GET_APP_FOLDER:
      return ReturnString(result, GetEngine()->GetApplicationFolder().GetFullPath().GetText());
    case GET_CONSTANT_TEXT: {
      // The sorted list holds the names without their "ID_".
      const char* name = text(0);
      if (name[0] == 'I' && name[1] == 'D' && name[2] == '_') name += 3;
      PEngine* engine = GetEngine();
      const SStringArray& names = engine->GetGlobalConstantNames();
      const int i = names.FindSorted(name);
      const PObjectDefinition* main = engine->GetMainDefinition();
      if (i < 0 || !main) return true;
      const int index = names.GetAt(i)->GetTag();
      if (index < 0 || index >= main->GetConstantCount()) return true;
      return ReturnString(result, main->GetConstantText(index).GetText());
    }

    // Windows of the framework belong to their dialogs; no script
    // reference to their objects is handed out by handle.
    case CONTROL_FROM_HANDLE:
    case DIALOG_FROM_HANDLE: return true;

    case ADDRESS_OF:
      if (!object) return true;
      return ReturnInt64(result, Address(n(1) ? object->GetLeafPart() : object));
    case TYPE_CODE_OF:
      if (!object) return true;
      return ReturnInt64(result, int64_t(object->GetDefinition()->GetTypeCode()));
    case GET_OBJECT_TEXT:
      if (!object) return true;
      return ReturnString(result, object->GetLeafPart()->GetObjectText());
    case IS_ENGINE_MADE:
      if (!object) return true;
      return ReturnBool(result, object->IsEngineMade());
    case SET_OBJECT_TEXT:
      if (object) object->GetLeafPart()->SetObjectText(text(1));
      return true;

    case NEW_OBJECT: {
      // A number beyond 32 bits is no TypeCode, not one of its low bits.
      const int64_t code = n(0);
      PObject* made = nullptr;
      if (code < 0 || code > int64_t(UINT32_MAX)) return true;
      return NewObjectOf(TypeCode(code), made) ? ReturnObject(result, made) : true;
    }
    case EXIT: return ReturnBool(result, GetEngine()->Exit());
    case SET_REGION: {
      const int64_t region = n(0);
      SetLanguage(region < 0 || region > 2 ? 0 : int(region));
      return true;
    }
    case WAIT: BusyWait(n(0)); return true;

    case ARGB:
      return ReturnInt64(result, Byte(n(0), 24) | Byte(n(1), 16) | Byte(n(2), 8) | Byte(n(3), 0));
    case COLOR_REF: return ReturnInt64(result, Byte(n(0), 0) | Byte(n(1), 8) | Byte(n(2), 16));
    case RGB: return ReturnInt64(result, Byte(n(0), 16) | Byte(n(1), 8) | Byte(n(2), 0));

    case GET_MODULE_PATH:
    case GET_EXE_PATH:
    case IS_SHOWN:
    case GET_ARGUMENT:
    case GET_ARGUMENT_COUNT:
    case WINDOW_FROM_POINT:
    case MESSAGE_BOX: return CallPlatform(member, args, result);
    default: return PObject::Call(member, args, result, caller);
  }
}
