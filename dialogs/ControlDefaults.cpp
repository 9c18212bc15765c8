// The settings a new control of each type gets in the designer, after its
// caption, WS_VISIBLE and "TABINDEX".
#include "dialogs/SDialogModel.h"

#include "dialogs/DialogPlatform.h"

namespace {

// A value of null stands for the default colour word, stored as -16777216.
struct ExtraDefault {
  const char* key;
  const char* value;
};

constexpr int kScrollBarHeight = -1;  // a height taken from the system

struct ControlDefaults {
  int16_t controlNumber;
  uint32_t style;
  uint32_t exStyle;
  int16_t width, height;     // 0 keeps the record's
  const char* caption;       // null keeps the display name
  const ExtraDefault* extra;  // ends with a null key; may be null
};

const char* const kTabTexts = "Tab 1 | Tab 2";

const ExtraDefault kBrowser[] = {{"BROWSER_DIALOGS", "1"}, {}};
const ExtraDefault kCodeEdit[] = {
    {"CODEEDIT_BARWIDTH", "20"},         {"CODEEDIT_TABSIZE", "4"},
    {"CODEEDIT_BACKCOLOR", nullptr},     {"CODEEDIT_BACKFOCUSCOLOR", nullptr},
    {"CODEEDIT_BARCOLOR", nullptr},      {"CODEEDIT_BARGRAYCOLOR", nullptr},
    {"CODEEDIT_BARCHECKCOLOR", nullptr}, {"CODEEDIT_BARMARKCOLOR", nullptr},
    {"CODEEDIT_TEXTCOLOR", nullptr},     {"CODEEDIT_TEXTKEYCOLOR", nullptr},
    {"CODEEDIT_TEXTSTRCOLOR", nullptr},  {"CODEEDIT_TEXTUPCOLOR", nullptr},
    {"CODEEDIT_TEXTCOMMENTCOLOR", nullptr}, {"CODEEDIT_HIGHLIGHTCOLOR", nullptr},
    {}};
const ExtraDefault kEdit[] = {{"TABENABLED", "1"}, {}};
const ExtraDefault kLabel[] = {{"LABEL_HALIGN", "_LEFT"}, {"LABEL_VALIGN", "_MIDDLE"}, {}};
const ExtraDefault kLcd[] = {{"LCD_PIXELWIDTH", "2"}, {"LCD_PIXELHEIGHT", "1"}, {"LCD_CHARCOUNT", "16"},
                             {"LCD_LINECOUNT", "1"},  {"LCD_SCROLL", "1"},      {"LCD_SCROLLSPEED", "5"},
                             {"LCD_CELLCOLOR", nullptr}, {}};
const ExtraDefault kLevel[] = {{"LEVEL_CHANNELCOUNT", "1"}, {"LEVEL_TICK", "1"},       {"LEVEL_VALUE", "0"},
                               {"LEVEL_MINVALUE", "0"},     {"LEVEL_MAXVALUE", "1000"}, {"LEVEL_BACKCOLOR", nullptr},
                               {"LEVEL_LOWCOLOR", nullptr}, {"LEVEL_HIGHCOLOR", nullptr}, {}};
const ExtraDefault kMedia[] = {
    {"MEDIA_HALIGN", "_LEFT"},    {"MEDIA_VALIGN", "_MIDDLE"},  {"MEDIA_WRAPPING", "1"},
    {"MEDIA_TRIMMING", "1"},      {"MEDIA_LEFTMARGIN", "2"},    {"MEDIA_TOPMARGIN", "2"},
    {"MEDIA_RIGHTMARGIN", "2"},   {"MEDIA_BOTTOMMARGIN", "2"},  {"MEDIA_AUTOSCROLLX", "0"},
    {"MEDIA_AUTOSCROLLY", "0"},   {"MEDIA_AUTOSCROLLLOOP", "0"}, {"MEDIA_TAGS", "0"},
    {"MEDIA_BUTTON", "0"},        {"MEDIA_CHECKED", "0"},       {"MEDIA_LINKCOLOR", nullptr},
    {}};
const ExtraDefault kProgress[] = {{"PROGRESS_VALUE", "0"}, {"PROGRESS_MINVALUE", "0"}, {"PROGRESS_MAXVALUE", "100"}, {}};
const ExtraDefault kRadio[] = {{"RADIO_GROUP", "0"}, {"RADIO_CHECKED", "0"}, {}};
const ExtraDefault kScroll[] = {{"SCROLL_VALUE", "0"}, {"SCROLL_MINVALUE", "0"}, {"SCROLL_MAXVALUE", "100"}, {}};
const ExtraDefault kSlider[] = {{"SLIDER_VALUE", "0"}, {"SLIDER_MINVALUE", "0"}, {"SLIDER_MAXVALUE", "100"}, {}};
const ExtraDefault kSplitter[] = {
    {"SPLITTER_COLCOUNT", "2"}, {"SPLITTER_ROWCOUNT", "1"}, {"SPLITTER_WINDOWBACKCOLOR", nullptr}, {}};
const ExtraDefault kStatic[] = {{"STATIC_EDGE", "_EDGESUNKENOUTER"}, {"STATIC_LEFTBORDER", "1"},
                                {"STATIC_TOPBORDER", "1"},           {"STATIC_RIGHTBORDER", "1"},
                                {"STATIC_BOTTOMBORDER", "1"},        {}};
const ExtraDefault kTab[] = {
    {"TAB_SELECTION", "0"}, {"TAB_CONTENT", kTabTexts}, {"TAB_TIPCONTENT", "Tip 1 | Tip 2"}, {}};
const ExtraDefault kTabDoc[] = {
    {"TABDOC_CLOSE", "1"},           {"TABDOC_MOVE", "1"},             {"TABDOC_SELECTION", "0"},
    {"TABDOC_BACKCOLOR", nullptr},   {"TABDOC_BACKSELCOLOR", nullptr}, {"TABDOC_TEXTCOLOR", nullptr},
    {"TABDOC_TEXTSELCOLOR", nullptr}, {"TABDOC_WINDOWBACKCOLOR", nullptr}, {"TABDOC_CONTENT", kTabTexts},
    {}};
const ExtraDefault kToolBar[] = {
    {"TOOLBAR_IMAGEWIDTH", "16"}, {"TOOLBAR_IMAGEHEIGHT", "16"}, {"TOOLBAR_CONTENT", "Btn 1 | Btn 2"}, {}};
const ExtraDefault kWaveEditor[] = {
    {"WAVEEDITOR_POPUPMENU", "1"},
    {"WAVEEDITOR_COLORBACKENABLED", nullptr},   {"WAVEEDITOR_COLORBACKDISABLED", nullptr},
    {"WAVEEDITOR_COLORLINE", nullptr},          {"WAVEEDITOR_COLORCARET", nullptr},
    {"WAVEEDITOR_COLORCARETPLAY", nullptr},     {"WAVEEDITOR_COLORWAVEENABLED", nullptr},
    {"WAVEEDITOR_COLORWAVEDISABLED", nullptr},  {"WAVEEDITOR_COLORPROGRESSBACK", nullptr},
    {"WAVEEDITOR_COLORPROGRESSSTART", nullptr}, {"WAVEEDITOR_COLORPROGRESSEND", nullptr},
    {}};

const ControlDefaults kDefaults[] = {
    {kControlBinary, 0, 0x200, 0, 0, nullptr, nullptr},
    {kControlBrowser, 0x800000, 0, 0, 0, nullptr, kBrowser},
    {kControlButton, 0xF00, 0, 100, 25, nullptr, nullptr},
    {kControlCheck, 0, 0, 0, 20, nullptr, nullptr},
    {kControlCodeEdit, 0, 0x200, 0, 0, "", kCodeEdit},
    {kControlCombo, 0x200503, 0, 0, 0, nullptr, nullptr},
    {kControlEdit, 0x80, 0x200, 0, 20, nullptr, kEdit},
    {kControlExtendedList, 0x4, 0x200, 0, 0, nullptr, nullptr},
    {kControlFlash, 0x800000, 0, 0, 0, nullptr, nullptr},
    {kControlGraph, 0, 0x200, 0, 0, nullptr, nullptr},
    {kControlGui, 0, 0, 500, 400, nullptr, nullptr},
    {kControlImageEditor, 0, 0x200, 0, 0, nullptr, nullptr},
    {kControlLabel, 0, 0, 0, 20, nullptr, kLabel},
    {kControlLcd, 0, 0x20000, 200, 15, "TAVRIN", kLcd},
    {kControlLevel, 0, 0x20000, 40, 0, nullptr, kLevel},
    {kControlList, 0x200102, 0x200, 0, 0, nullptr, nullptr},
    {kControlMedia, 0, 0, 0, 20, nullptr, kMedia},
    {kControlMediaPlayer, 0, 0x200, 320, 180, nullptr, nullptr},
    {kControlProgress, 0, 0, 0, 20, nullptr, kProgress},
    {kControlProperty, 0, 0x200, 0, 0, nullptr, nullptr},
    {kControlRadio, 0, 0, 0, 20, nullptr, kRadio},
    {kControlRichEdit, 0x3040C4, 0, 0, 0, nullptr, nullptr},
    {kControlScroll, 0, 0, 0, kScrollBarHeight, nullptr, kScroll},
    {kControlSlider, 0, 0, 0, 25, nullptr, kSlider},
    {kControlSplitter, 0, 0x200, 500, 400, nullptr, kSplitter},
    {kControlSpread, 0, 0x200, 0, 0, nullptr, nullptr},
    {kControlStatic, 0, 0, 0, 0, nullptr, kStatic},
    {kControlTab, 0x4000, 0, 0, 0, nullptr, kTab},
    {kControlTabDoc, 0, 0, 500, 400, nullptr, kTabDoc},
    {kControlToolBar, 0x100, 0, 0, 25, nullptr, kToolBar},
    {kControlTree, 0x17, 0x200, 0, 0, nullptr, nullptr},
    {kControlWaveEditor, 0, 0x200, 0, 0, nullptr, kWaveEditor},
    {kControlWindow, 0, 0x20000, 0, 0, nullptr, nullptr},
    {kControlExtern, 0, 0x200, 0, 0, nullptr, nullptr},
};

}  // namespace

void SDialogModel::ApplyDefaults(_SCtrl* record) {
  for (const ControlDefaults& d : kDefaults) {
    if (d.controlNumber != record->controlNumber) continue;
    record->style |= d.style;
    record->exStyle |= d.exStyle;
    if (d.width) record->width = d.width;
    if (d.height == kScrollBarHeight) record->height = int16_t(DialogScrollBarHeight());
    else if (d.height) record->height = d.height;
    if (d.caption) record->caption = d.caption;
    for (const ExtraDefault* e = d.extra; e && e->key; e++) record->SetExtra(e->key, e->value ? e->value : "-16777216");
    return;
  }
}
