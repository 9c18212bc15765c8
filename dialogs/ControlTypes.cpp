// The control type table, in ControlNumber order.
#include "dialogs/ControlTypes.h"

namespace {

struct ControlTypeRow {
  const char* key;
  const char* displayName;
};

const ControlTypeRow kTypes[kControlTypeCount] = {
    {"DIALOG", "Dialog"},
    {"BINARY", "Binary"},
    {"BROWSER", "Browser"},
    {"BUTTON", "Button"},
    {"CHECK", "Check"},
    {"CODEEDIT", "Code Edit"},
    {"COMBO", "Combo"},
    {"EDIT", "Edit"},
    {"EXTENDEDLIST", "Extended List"},
    {"FLASH", "Flash"},
    {"GRAPH", "Graph"},
    {"GROUP", "Group"},
    {"GUI", "GUI"},
    {"IMAGEEDITOR", "Image Editor"},
    {"LABEL", "Label"},
    {"LCD", "Lcd"},
    {"LEVEL", "Level"},
    {"LIST", "List"},
    {"MEDIA", "Media"},
    {"MEDIAPLAYER", "Media Player"},
    {"PANEL", "Panel"},
    {"PROGRESS", "Progress"},
    {"PROPERTY", "Property"},
    {"RADIO", "Radio"},
    {"RICHEDIT", "Rich Edit"},
    {"SCROLL", "Scroll"},
    {"SLIDER", "Slider"},
    {"SPLITTER", "Splitter"},
    {"SPREAD", "Spread"},
    {"STATIC", "Static"},
    {"TAB", "Tab"},
    {"TABDOC", "Tab Doc"},
    {"TOOLBAR", "Tool Bar"},
    {"TREE", "Tree"},
    {"WAVEEDITOR", "Wave Editor"},
    {"WINDOW", "Window"},
    {"EXTERN", "External Control"},
};

}  // namespace

const char* ControlTypeKey(int number) { return IsControlNumber(number) ? kTypes[number].key : ""; }

const char* ControlTypeDisplayName(int number) {
  return IsControlNumber(number) ? kTypes[number].displayName : "";
}
