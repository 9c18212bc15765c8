// The name tables of every control type, and the conversions between bits
// and names.
#include "dialogs/StyleTexts.h"

#include "core/SStringParser.h"

using _SCtrl = SDialogModel::_SCtrl;

namespace {

// allBits: written only when every bit is set (else when any is); a name of
// value 0 is always written and adds nothing when read. Two tab styles have
// always been written with two blanks after them.
struct StyleName {
  const char* name;
  uint32_t bits;
  bool allBits;
  bool twoBlanks = false;
};

struct NameList {
  const StyleName* names;
  int count;
};

template <int N>
constexpr NameList List(const StyleName (&names)[N]) {
  return {names, N};
}

const StyleName kCommon[] = {{"WS_VISIBLE", 0x10000000, false}, {"WS_DISABLED", 0x08000000, false}};

const StyleName kBorderOnly[] = {{"WS_BORDER", 0x800000, false}};
const StyleName kDialog[] = {{"WS_BORDER", 0x800000, false},   {"WS_CAPTION", 0xC00000, true},
                             {"WS_SYSMENU", 0x80000, false},   {"WS_MAXIMIZEBOX", 0x10000, false},
                             {"WS_MINIMIZEBOX", 0x20000, false}, {"WS_SIZEBOX", 0x40000, false}};
const StyleName kButton[] = {{"BS_LEFT", 0x100, false},   {"BS_RIGHT", 0x200, false},       {"BS_CENTER", 0x300, true},
                             {"BS_TOP", 0x400, false},    {"BS_BOTTOM", 0x800, false},      {"BS_VCENTER", 0xC00, true},
                             {"BS_FLAT", 0x8000, false},  {"BS_MULTILINE", 0x2000, false},  {"BS_DEFPUSHBUTTON", 0x1, false}};
const StyleName kCombo[] = {{"WS_VSCROLL", 0x200000, false},      {"CBS_SIMPLE", 0x1, false},
                            {"CBS_DROPDOWN", 0x2, false},         {"CBS_DROPDOWNLIST", 0x3, true},
                            {"CBS_AUTOHSCROLL", 0x40, false},     {"CBS_DISABLENOSCROLL", 0x800, false},
                            {"CBS_NOINTEGRALHEIGHT", 0x400, false}, {"CBS_SORT", 0x100, false}};
const StyleName kEdit[] = {{"WS_BORDER", 0x800000, false}, {"WS_HSCROLL", 0x100000, false}, {"WS_VSCROLL", 0x200000, false},
                           {"ES_LEFT", 0, false},          {"ES_CENTER", 0x1, false},       {"ES_RIGHT", 0x2, false},
                           {"ES_AUTOHSCROLL", 0x80, false}, {"ES_AUTOVSCROLL", 0x40, false}, {"ES_READONLY", 0x800, false},
                           {"ES_NOHIDESEL", 0x100, false}, {"ES_LOWERCASE", 0x10, false},   {"ES_UPPERCASE", 0x8, false},
                           {"ES_MULTILINE", 0x4, false},   {"ES_PASSWORD", 0x20, false},    {"ES_NUMBER", 0x2000, false}};
const StyleName kExtendedList[] = {
    {"WS_BORDER", 0x800000, false},     {"LVS_ICON", 0, false},              {"LVS_REPORT", 0x1, false},
    {"LVS_SMALLICON", 0x2, false},      {"LVS_LIST", 0x3, true},             {"LVS_EDITLABELS", 0x200, false},
    {"LVS_AUTOARRANGE", 0x100, false},  {"LVS_SINGLESEL", 0x4, false},       {"LVS_NOLABELWRAP", 0x80, false},
    {"LVS_NOSCROLL", 0x2000, false},    {"LVS_SHOWSELALWAYS", 0x8, false},   {"LVS_SORTASCENDING", 0x10, false},
    {"LVS_SORTDESCENDING", 0x20, false}, {"LVS_NOCOLUMNHEADER", 0x4000, false}};
const StyleName kGroup[] = {{"BS_LEFT", 0x100, false}, {"BS_RIGHT", 0x200, false}, {"BS_CENTER", 0x300, true}};
const StyleName kList[] = {{"WS_BORDER", 0x800000, false},       {"WS_HSCROLL", 0x100000, false},
                           {"WS_VSCROLL", 0x200000, false},      {"LBS_MULTIPLESEL", 0x8, false},
                           {"LBS_EXTENDEDSEL", 0x800, false},    {"LBS_NOSEL", 0x4000, false},
                           {"LBS_DISABLENOSCROLL", 0x1000, false}, {"LBS_NOINTEGRALHEIGHT", 0x100, false},
                           {"LBS_SORT", 0x2, false}};
const StyleName kProgress[] = {{"PBS_VERTICAL", 0x4, false}, {"PBS_SMOOTH", 0x1, false}, {"PBS_MARQUEE", 0x8, false}};
const StyleName kRichEdit[] = {{"WS_HSCROLL", 0x100000, false}, {"WS_VSCROLL", 0x200000, false},
                               {"ES_LEFT", 0, false},           {"ES_RIGHT", 0x2, false},
                               {"ES_CENTER", 0x1, false},       {"ES_AUTOHSCROLL", 0x80, false},
                               {"ES_AUTOVSCROLL", 0x40, false}, {"ES_READONLY", 0x800, false},
                               {"ES_NOHIDESEL", 0x100, false},  {"ES_WANTRETURN", 0x1000, false},
                               {"ES_SUNKEN", 0x4000, false}};
const StyleName kScroll[] = {{"SBS_VERT", 0x1, false}};
const StyleName kSlider[] = {{"WS_BORDER", 0x800000, false}, {"TBS_TOOLTIPS", 0x100, false}, {"TBS_VERT", 0x2, false}};
const StyleName kTab[] = {{"TCS_BUTTONS", 0x100, false},       {"TCS_FLATBUTTONS", 0x8, false, true},
                          {"TCS_FOCUSNEVER", 0x8000, false},   {"TCS_FOCUSONBUTTONDOWN", 0x1000, false, true},
                          {"TCS_TOOLTIPS", 0x4000, false}};
const StyleName kToolBar[] = {{"WS_BORDER", 0x800000, false}, {"TBSTYLE_TOOLTIPS", 0x100, false}};
const StyleName kTree[] = {{"WS_BORDER", 0x800000, false},      {"TVS_CHECKBOXES", 0x100, false},
                           {"TVS_DISABLEDRAGDROP", 0x10, false}, {"TVS_EDITLABELS", 0x8, false},
                           {"TVS_FULLROWSELECT", 0x1000, false}, {"TVS_HASBUTTONS", 0x1, false},
                           {"TVS_HASLINES", 0x2, false},         {"TVS_LINESATROOT", 0x4, false},
                           {"TVS_SHOWSELALWAYS", 0x20, false},   {"TVS_TRACKSELECT", 0x200, false}};

const StyleName kExDialog[] = {{"WS_EX_CLIENTEDGE", 0x200, false}, {"WS_EX_STATICEDGE", 0x20000, false},
                               {"WS_EX_TOOLWINDOW", 0x80, false},  {"WS_EX_TOPMOST", 0x8, false}};
const StyleName kExEdges[] = {{"WS_EX_CLIENTEDGE", 0x200, false}, {"WS_EX_STATICEDGE", 0x20000, false}};
const StyleName kExStaticEdge[] = {{"WS_EX_STATICEDGE", 0x20000, false}};

const NameList kNone = {nullptr, 0};

// Style names after the two common ones, by ControlNumber.
NameList StyleNames(int number) {
  switch (number) {
    case kControlDialog: return List(kDialog);
    case kControlButton: return List(kButton);
    case kControlCombo: return List(kCombo);
    case kControlEdit: return List(kEdit);
    case kControlExtendedList: return List(kExtendedList);
    case kControlGroup: return List(kGroup);
    case kControlList: return List(kList);
    case kControlProgress: return List(kProgress);
    case kControlRichEdit: return List(kRichEdit);
    case kControlScroll: return List(kScroll);
    case kControlSlider: return List(kSlider);
    case kControlStatic: return kNone;
    case kControlTab: return List(kTab);
    case kControlToolBar: return List(kToolBar);
    case kControlTree: return List(kTree);
    default: return IsControlNumber(number) ? List(kBorderOnly) : kNone;
  }
}

NameList ExStyleNames(int number) {
  switch (number) {
    case kControlDialog: return List(kExDialog);
    case kControlBrowser: case kControlButton: case kControlCombo: case kControlFlash: case kControlGroup:
    case kControlProgress: case kControlScroll: case kControlStatic: case kControlTab:
      return kNone;
    case kControlRichEdit: return List(kExStaticEdge);
    default: return IsControlNumber(number) ? List(kExEdges) : kNone;
  }
}

// The low 16 bits as a signed number; a negative one means no type.
int NormalizeControlNumber(int32_t number) {
  int16_t low = int16_t(uint16_t(uint32_t(number) & 0xFFFF));
  return low < 0 ? -1 : low;
}

void AppendNames(SString& text, const NameList& list, uint32_t value) {
  for (int i = 0; i < list.count; i++) {
    const StyleName& n = list.names[i];
    bool written = n.bits == 0 || (n.allBits ? (value & n.bits) == n.bits : (value & n.bits) != 0);
    if (!written) continue;
    text += n.name;
    text += n.twoBlanks ? "  " : " ";
  }
}

SString BitsToNames(int number, uint32_t value, bool extended) {
  SString text("");
  if (!extended) {
    AppendNames(text, List(kCommon), value);
    if (IsControlNumber(number)) AppendNames(text, StyleNames(number), value);
  } else if (IsControlNumber(number)) {
    AppendNames(text, ExStyleNames(number), value);
  }
  return text;
}

uint32_t LookUp(const NameList& list, const SString& part) {
  uint32_t bits = 0;
  for (int i = 0; i < list.count; i++)
    if (part == list.names[i].name) bits |= list.names[i].bits;
  return bits;
}

// False for a text without parts (""), which changes nothing.
bool NamesToBits(int number, const char* text, uint32_t* value) {
  SStringParser parser;
  SStringArray parts;
  int count = parser.ParseText(text ? text : "", SString(" "), '"', SStringParser::kHonourQuotes, &parts);
  if (count == 0) return false;
  *value = 0;
  if (count < 0) return true;  // an unclosed quote: no names
  for (int i = 0; i < parts.GetCount(); i++) {
    const SString& part = *parts.GetAt(i);
    *value |= LookUp(List(kCommon), part);
    if (!IsControlNumber(number)) continue;
    // Either list serves either text: a dialog's style may hold WS_EX_TOPMOST.
    *value |= LookUp(StyleNames(number), part) | LookUp(ExStyleNames(number), part);
  }
  return true;
}

}  // namespace

SString StyleToNames(const _SCtrl* record, bool extended) {
  if (!record) return SString("");
  return BitsToNames(record->controlNumber, extended ? record->exStyle : record->style, extended);
}

void NamesToStyle(_SCtrl* record, bool extended, const char* text) {
  if (!record) return;
  uint32_t value = 0;
  if (!NamesToBits(record->controlNumber, text, &value)) return;
  (extended ? record->exStyle : record->style) = value;
}

SString StyleBitsToNames(int32_t controlNumber, uint32_t style) {
  return BitsToNames(NormalizeControlNumber(controlNumber), style, false);
}

SString ExStyleBitsToNames(int32_t controlNumber, uint32_t exStyle) {
  return BitsToNames(NormalizeControlNumber(controlNumber), exStyle, true);
}

uint32_t NamesToStyleBits(int32_t controlNumber, const char* text) {
  uint32_t value = 0;
  NamesToBits(NormalizeControlNumber(controlNumber), text, &value);
  return value;
}

uint32_t NamesToExStyleBits(int32_t controlNumber, const char* text) {
  return NamesToStyleBits(controlNumber, text);
}

uint32_t FilterStyleBits(int32_t controlNumber, uint32_t style) {
  return NamesToStyleBits(controlNumber, StyleBitsToNames(controlNumber, style).GetText());
}

uint32_t FilterExStyleBits(int32_t controlNumber, uint32_t exStyle) {
  return NamesToExStyleBits(controlNumber, ExStyleBitsToNames(controlNumber, exStyle).GetText());
}
