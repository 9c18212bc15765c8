#include "files/SIdentifiants.h"

namespace {

struct NamedNumber {
  const char* name;
  int32_t number;
};

// The cursor types 3, 14 and 15 are for the framework's own use and are
// not offered by name.
const NamedNumber kCursors[] = {
    {"Arrow", 0},     {"AppStarting", 1}, {"Cross", 2},     {"Help", 4},      {"IBeam", 5},
    {"No", 6},        {"SizeAll", 7},     {"SizeNESW", 8},  {"SizeNS", 9},    {"SizeNWSE", 10},
    {"SizeWE", 11},   {"UpArrow", 12},    {"Wait", 13},     {"Dropper", 16},  {"Fill", 17},
    {"HandMove", 18}, {"Pen", 19},        {"Zoom", 20},
};

// Alphabetical, as the colour selector shows them; index 25 has no colour.
const NamedNumber kColors[] = {
    {"3DDkShadow", 21},
    {"3DFace", 15},
    {"3DHighLight", 20},
    {"3DLight", 22},
    {"3DShadow", 16},
    {"ActiveBorder", 10},
    {"ActiveCaption", 2},
    {"AppWorkspace", 12},
    {"Background", 1},
    {"BtnText", 18},
    {"CaptionText", 9},
    {"GradientActiveCaption", 27},
    {"GradientInactiveCaption", 28},
    {"GrayText", 17},
    {"HighLight", 13},
    {"HighLightText", 14},
    {"HotLight", 26},
    {"InactiveBorder", 11},
    {"InactiveCaption", 3},
    {"InactiveCaptionText", 19},
    {"InfoBk", 24},
    {"InfoText", 23},
    {"Menu", 4},
    {"MenuHiLight", 29},
    {"MenuBar", 30},
    {"MenuText", 7},
    {"ScrollBar", 0},
    {"Window", 5},
    {"WindowFrame", 6},
    {"WindowText", 8},
};

template <int N>
void Fill(const NamedNumber (&table)[N], SArray<int32_t>& numbers, SStringArray& names) {
  for (const NamedNumber& entry : table) {
    numbers.Add(entry.number);
    names.Add(entry.name);
  }
}

}  // namespace

SIdentifiants::SIdentifiants() {
  Fill(kCursors, m_cursorTypes, m_cursorNames);
  Fill(kColors, m_colorIndexes, m_colorNames);
}

SIdentifiants::~SIdentifiants() {}
