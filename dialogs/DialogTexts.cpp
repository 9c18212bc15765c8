// The designer's KEY=Text table and its reading. The first character of a
// key tells its use: '@' context menu, '#' tool panel, '$' property group,
// '_' the label of a choice value, '?' a message; any other key labels the
// property of that name.
#include <cstring>

#include "dialogs/SDialogModel.h"

namespace {

struct DefaultText {
  const char* key;
  const char* text;
};

const DefaultText kDefaultTexts[] = {
    {"@CUT", "Cut"}, {"@COPY", "Copy"}, {"@PASTE", "Paste"}, {"@SELECTALL", "Select All"},
    {"@DELETE", "Delete"}, {"@TEST", "Test"}, {"@SELECTTAB", "Select"},

    {"#CONTROLS", "Controls"}, {"#ALIGNMENT", "Alignment"}, {"#ORDER", "Order"}, {"#MISC", "Dialog"},
    {"#LEFT", "Align Lefts"}, {"#RIGHT", "Align Rights"}, {"#TOP", "Align Tops"},
    {"#BOTTOM", "Align Bottoms"}, {"#HCENTER", "Horizontal Center"}, {"#VCENTER", "Vertical Center"},
    {"#WIDTH", "Same Width"}, {"#HEIGHT", "Same Height"}, {"#SIZE", "Same Size"},
    {"#CROP", "Crop Back Image"}, {"#HSPACE", "Horizontal Space"}, {"#VSPACE", "Vertical Space"},
    {"#NOHSPACE", "No Horizontal Spacing"}, {"#NOVSPACE", "No Vertical Spacing"}, {"#FRONT", "To Front"},
    {"#BACK", "To Back"}, {"#FORWARD", "Forward"}, {"#BACKWARD", "Backward"}, {"#GRID", "Grid"},
    {"#SNAP", "Snap to Grid"}, {"#TEST", "Test Dialog"},

    {"$GENERAL", "General"}, {"$POSITION", "Position"}, {"$SKIN", "Skin"}, {"$STYLE", "Style"},
    {"$VALUE", "Value"}, {"$BORDER", "Border"}, {"$COLOR", "Color"}, {"$RESOURCE", "Resource"},
    {"$LINK", "Connection"}, {"$EXTRA", "Extended"},

    {"TYPE", "Type"}, {"ID", "ID"}, {"NAME", "Name"}, {"CAPTION", "Caption"}, {"VISIBLE", "Visible"},
    {"ENABLED", "Enabled"}, {"FONT", "Font"}, {"X", "X"}, {"Y", "Y"}, {"WIDTH", "Width"},
    {"HEIGHT", "Height"}, {"HALIGN", "Horz Align"}, {"VALIGN", "Vert Align"}, {"TABENABLED", "Tab"},
    {"TABGROUP", "Tab Group"}, {"TABINDEX", "Tab Index"}, {"BORDER", "Border"},
    {"CLIENTEDGE", "Client Edge"}, {"STATICEDGE", "Static Edge"}, {"TOOLTIP", "Tooltip"},
    {"RESOURCE", "Resource"}, {"BACKCOLOR", "Background"}, {"TEXTCOLOR", "Text"},
    {"TRANSPARENT", "Transparent"},

    {"DIALOG_LAYER", "Layer"}, {"DIALOG_CAPTION", "Caption"}, {"DIALOG_BUTTON", "Buttons"},
    {"DIALOG_NOCLOSE", "Disable Close"}, {"DIALOG_MAXIMIZEBOX", "Maximize Box"},
    {"DIALOG_MINIMIZEBOX", "Minimize Box"}, {"DIALOG_RESIZE", "Resize"},
    {"DIALOG_TOOLWINDOW", "Tool Window"}, {"DIALOG_MAXIMIZED", "Maximized"},
    {"DIALOG_MINIMIZED", "Minimized"}, {"DIALOG_TOPMOST", "Topmost"}, {"DIALOG_MINSIZE", "Min Size"},
    {"DIALOG_MAXSIZE", "Max Size"}, {"DIALOG_DRAGFILES", "Drag Files"},
    {"DIALOG_MOVEWITHMOUSE", "Move with Mouse"}, {"DIALOG_NOMODALRETURN", "Disable ENTER"},
    {"DIALOG_NOMODALESCAPE", "Disable ESCAPE"}, {"DIALOG_STATUSBARTEXT", "Status Bar Texts"},
    {"DIALOG_ICON", "Icon"}, {"DIALOG_IMAGE", "Image"}, {"DIALOG_IMAGEDRAWMODE", "Image Draw Mode"},
    {"DIALOG_SHAPE", "Shape"}, {"DIALOG_MENU", "Menu"}, {"DIALOG_TOOLBAR", "Tool Bar"},
    {"DIALOG_FOCUS", "Focus"},

    {"BINARY_FILE", "File"},
    {"BROWSER_DIALOGS", "Dialogs"}, {"BROWSER_URL", "URL"}, {"BROWSER_FILE", "File"},
    {"BUTTON_DEFAULT", "Default"}, {"BUTTON_FLAT", "Flat"}, {"BUTTON_MULTILINE", "Multiline"},
    {"BUTTON_HALIGN", "Horz Align"}, {"BUTTON_VALIGN", "Vert Align"},
    {"CHECK_CHECKED", "Checked"},

    {"CODEEDIT_BR", "BR Tag"}, {"CODEEDIT_COMMENT", "Comment"},
    {"CODEEDIT_FINDREPLACELOCAL", "Local FindReplace"}, {"CODEEDIT_INDENT", "Indent"},
    {"CODEEDIT_SINGLELINE", "Single Line"}, {"CODEEDIT_STRINGS", "Strings"},
    {"CODEEDIT_UPPERWORDS", "Upper Words"}, {"CODEEDIT_SHOWNUMBER", "Show Number"},
    {"CODEEDIT_READONLY", "Read Only"}, {"CODEEDIT_BARWIDTH", "Bar Width"},
    {"CODEEDIT_TABSIZE", "Tab Size"}, {"CODEEDIT_SELECTALL", "Select All"},
    {"CODEEDIT_BACKCOLOR", "Back"}, {"CODEEDIT_BACKFOCUSCOLOR", "Back Focus"},
    {"CODEEDIT_BARCOLOR", "Bar"}, {"CODEEDIT_BARGRAYCOLOR", "Bar Gray"},
    {"CODEEDIT_BARCHECKCOLOR", "Bar Check"}, {"CODEEDIT_BARMARKCOLOR", "Bar Mark"},
    {"CODEEDIT_TEXTCOLOR", "Text"}, {"CODEEDIT_TEXTKEYCOLOR", "Key Word"},
    {"CODEEDIT_TEXTSTRCOLOR", "String"}, {"CODEEDIT_TEXTUPCOLOR", "Upper Word"},
    {"CODEEDIT_TEXTCOMMENTCOLOR", "Comment Text"}, {"CODEEDIT_HIGHLIGHTCOLOR", "Highlight"},
    {"CODEEDIT_FILE", "File"},

    {"COMBO_TYPE", "Type"}, {"COMBO_AUTOHSCROLL", "Auto Horz Scroll"},
    {"COMBO_DISABLENOSCROLL", "Disable No Scroll"}, {"COMBO_NOINTEGRALHEIGHT", "No Integral Height"},
    {"COMBO_SORT", "Sort"}, {"COMBO_VSCROLL", "Vert Scroll"}, {"COMBO_CONTENT", "Content"},
    {"COMBO_FILE", "File"},

    {"EDIT_AUTOHSCROLL", "Auto Horz Scroll"}, {"EDIT_AUTOVSCROLL", "Auto Vert Scroll"},
    {"EDIT_HSCROLL", "Horz Scroll"}, {"EDIT_VSCROLL", "Vert Scroll"}, {"EDIT_LOWER", "Lower Case"},
    {"EDIT_UPPER", "Upper Case"}, {"EDIT_MULTILINE", "Multiline"}, {"EDIT_PASSWORD", "Password"},
    {"EDIT_NUMBER", "Number"}, {"EDIT_READONLY", "Read Only"},
    {"EDIT_NEVERHIDESELECTION", "Never Hide Selection"}, {"EDIT_ALIGN", "Align"},
    {"EDIT_NOPOPUPMENU", "No Popup Menu"}, {"EDIT_SELECTALL", "Select All"}, {"EDIT_TEXT", "Text"},
    {"EDIT_MAXLENGTH", "Max Length"},

    {"EXLIST_TYPE", "Type"}, {"EXLIST_EDITLABELS", "Editable"}, {"EXLIST_AUTOARRANGE", "Auto Arrange"},
    {"EXLIST_FULLROWSELECT", "Full Row Select"}, {"EXLIST_GRIDLINES", "Grid Lines"},
    {"EXLIST_SINGLESELECTION", "Single Selection"}, {"EXLIST_NOLABELWRAP", "No Label Wrap"},
    {"EXLIST_NOSCROLL", "No Scroll"}, {"EXLIST_NEVERHIDESELECTION", "Never Hide Selection"},
    {"EXLIST_SORTASCENDING", "Sort Ascending"}, {"EXLIST_SORTDESCENDING", "Sort Descending"},
    {"EXLIST_NOCOLUMNHEADER", "No Column Header"},

    {"GRAPH_FILE", "File"}, {"GROUP_ALIGN", "Align"}, {"IMAGEEDITOR_FILE", "File"},
    {"LABEL_HALIGN", "Horz Align"}, {"LABEL_VALIGN", "Vert Align"}, {"LABEL_TEXT", "Text"},
    {"LABEL_IMAGE", "Image"}, {"LABEL_IMAGEDRAWMODE", "Image Draw Mode"},

    {"LCD_HALIGN", "Horz Align"}, {"LCD_PIXELWIDTH", "Pixel Width"}, {"LCD_PIXELHEIGHT", "Pixel Height"},
    {"LCD_CHARCOUNT", "Char Count"}, {"LCD_LINECOUNT", "Line Count"}, {"LCD_SCROLL", "Scroll"},
    {"LCD_SCROLLSPEED", "Scroll Speed"}, {"LCD_CELLCOLOR", "Cell"}, {"LCD_TEXT", "Text"},

    {"LEVEL_HORIZONTAL", "Horizontal"}, {"LEVEL_TICK", "Ticks"}, {"LEVEL_CHANNELCOUNT", "Channel Count"},
    {"LEVEL_VALUE", "Value"}, {"LEVEL_MINVALUE", "Min Value"}, {"LEVEL_MAXVALUE", "Max Value"},
    {"LEVEL_BACKCOLOR", "Back"}, {"LEVEL_LOWCOLOR", "Low Value"}, {"LEVEL_HIGHCOLOR", "High Value"},

    {"LIST_SELECTION", "Selection"}, {"LIST_HSCROLL", "Horz Scroll"}, {"LIST_VSCROLL", "Vert Scroll"},
    {"LIST_DISABLENOSCROLL", "Disable No Scroll"}, {"LIST_NOINTEGRALHEIGHT", "No Integral Height"},
    {"LIST_SORT", "Sort"}, {"LIST_CONTENT", "Content"}, {"LIST_FILE", "File"},
    {"LIST_SELBACKCOLOR", "Sel Back"}, {"LIST_SELTEXTCOLOR", "Sel Text"},

    {"MEDIA_HALIGN", "Horz Align"}, {"MEDIA_VALIGN", "Vert Align"}, {"MEDIA_WRAPPING", "Wrapping"},
    {"MEDIA_TRIMMING", "Trimming"}, {"MEDIA_TAGS", "Tags"}, {"MEDIA_BUTTON", "Button"},
    {"MEDIA_CHECKED", "Checked"}, {"MEDIA_LEFTMARGIN", "Left Margin"}, {"MEDIA_TOPMARGIN", "Top Margin"},
    {"MEDIA_RIGHTMARGIN", "Right Margin"}, {"MEDIA_BOTTOMMARGIN", "Bottom Margin"},
    {"MEDIA_AUTOSCROLLX", "Horz. Scroll Speed"}, {"MEDIA_AUTOSCROLLY", "Vert. Scroll Speed"},
    {"MEDIA_AUTOSCROLLLOOP", "Scroll Loop"}, {"MEDIA_LINKCOLOR", "Link"}, {"MEDIA_TEXT", "Text"},
    {"MEDIA_IMAGE", "Image"}, {"MEDIA_IMAGEDRAWMODE", "Image Draw Mode"}, {"MEDIA_SHAPE", "Shape"},
    {"MEDIA_BUTTONOVER", "Button Over"}, {"MEDIA_BUTTONPUSH", "Button Push"},
    {"MEDIA_BUTTONCHECK", "Button Check"}, {"MEDIA_BUTTONDISABLED", "Button Disabled"},

    {"MEDIAPLAYER_LOOP", "Loop"},
    {"PROGRESS_VERTICAL", "Vertical"}, {"PROGRESS_SMOOTH", "Smooth"}, {"PROGRESS_MARQUEE", "Marquee"},
    {"PROGRESS_VALUE", "Value"}, {"PROGRESS_MINVALUE", "Min Value"}, {"PROGRESS_MAXVALUE", "Max Value"},
    {"RADIO_CHECKED", "Checked"}, {"RADIO_GROUP", "Group"},

    {"RICHEDIT_AUTOHSCROLL", "Auto Horz Scroll"}, {"RICHEDIT_AUTOVSCROLL", "Auto Vert Scroll"},
    {"RICHEDIT_HSCROLL", "Horz Scroll"}, {"RICHEDIT_VSCROLL", "Vert Scroll"},
    {"RICHEDIT_READONLY", "Read Only"}, {"RICHEDIT_NEVERHIDESELECTION", "Never Hide Selection"},
    {"RICHEDIT_WANTRETURN", "Want Return"}, {"RICHEDIT_ALIGN", "Align"}, {"RICHEDIT_SUNKEN", "Sunken"},
    {"RICHEDIT_FILE", "File"},

    {"SCROLL_VERTICAL", "Vertical"}, {"SCROLL_VALUE", "Value"}, {"SCROLL_MINVALUE", "Min Value"},
    {"SCROLL_MAXVALUE", "Max Value"},
    {"SLIDER_TOOLTIPS", "Tooltips"}, {"SLIDER_VERTICAL", "Vertical"}, {"SLIDER_VALUE", "Value"},
    {"SLIDER_MINVALUE", "Min Value"}, {"SLIDER_MAXVALUE", "Max Value"},
    {"SPLITTER_COLCOUNT", "Column Count"}, {"SPLITTER_ROWCOUNT", "Row Count"},
    {"SPLITTER_WINDOWBACKCOLOR", "Child Window Back"},
    {"SPREAD_FILE", "File"},

    {"STATIC_EDGE", "Edge"}, {"STATIC_LEFTBORDER", "Left Border"}, {"STATIC_TOPBORDER", "Top Border"},
    {"STATIC_RIGHTBORDER", "Right Border"}, {"STATIC_BOTTOMBORDER", "Bottom Border"},
    {"STATIC_IMAGE", "Image"}, {"STATIC_IMAGEDRAWMODE", "Image Draw Mode"},

    {"TAB_TYPE", "Type"}, {"TAB_FOCUSONBUTTONDOWN", "Focus on click"}, {"TAB_FOCUSNEVER", "No Focus"},
    {"TAB_TOOLTIPS", "Tooltips"}, {"TAB_CONTENT", "Content"}, {"TAB_TIPCONTENT", "Tooltip Content"},
    {"TAB_SELECTION", "Selection"},

    {"TABDOC_CLOSE", "Close"}, {"TABDOC_MOVE", "Move"}, {"TABDOC_CONTENT", "Content"},
    {"TABDOC_SELECTION", "Selection"}, {"TABDOC_BACKCOLOR", "Back"}, {"TABDOC_BACKSELCOLOR", "Back Sel"},
    {"TABDOC_TEXTCOLOR", "Text"}, {"TABDOC_TEXTSELCOLOR", "Text Sel"},
    {"TABDOC_WINDOWBACKCOLOR", "Window Back"},

    {"TOOLBAR_TOOLTIPS", "Tooltips"}, {"TOOLBAR_TRANSPARENT", "Transparency"},
    {"TOOLBAR_IMAGEWIDTH", "Image Width"}, {"TOOLBAR_IMAGEHEIGHT", "Image Height"},
    {"TOOLBAR_CONTENT", "Content"},

    {"TREE_CHECKBOXES", "Check Boxes"}, {"TREE_DRAGDROP", "Drag and Drop"},
    {"TREE_EDITLABELS", "Edit Labels"}, {"TREE_FULLROWSELECT", "Full Row Select"},
    {"TREE_HASBUTTONS", "Has Buttons"}, {"TREE_HASLINES", "Has Lines"},
    {"TREE_LINESATROOT", "Lines at Root"}, {"TREE_NEVERHIDESELECTION", "Never Hide Selection"},
    {"TREE_HOTTRACKING", "Hot Tracking"}, {"TREE_FILE", "File"},

    {"WAVEEDITOR_POPUPMENU", "Popup Menu"}, {"WAVEEDITOR_COLORBACKENABLED", "Back"},
    {"WAVEEDITOR_COLORBACKDISABLED", "Back Disabled"}, {"WAVEEDITOR_COLORLINE", "Line"},
    {"WAVEEDITOR_COLORCARET", "Caret"}, {"WAVEEDITOR_COLORCARETPLAY", "Caret Play"},
    {"WAVEEDITOR_COLORWAVEENABLED", "Wave"}, {"WAVEEDITOR_COLORWAVEDISABLED", "Wave Disabled"},
    {"WAVEEDITOR_COLORPROGRESSBACK", "Progress Back"}, {"WAVEEDITOR_COLORPROGRESSSTART", "Progress Start"},
    {"WAVEEDITOR_COLORPROGRESSEND", "Progress End"}, {"WAVEEDITOR_FILE", "File"},
    {"WAVEEDITOR_LEVEL", "Level"},

    {"EXTERN_NAME", "ExtName"}, {"EXTERN_FILENAME", "ExtFile"},

    {"_AUTOLEFT", "Left"}, {"_AUTOCENTER", "Center"}, {"_AUTOCENTERHALF", "Half Center"},
    {"_AUTORIGHT", "Right"}, {"_AUTORIGHTHALF", "Half Right"}, {"_AUTOWIDTH", "Resize"},
    {"_AUTOWIDTHHALF", "Half Resize"}, {"_AUTOTOP", "Top"}, {"_AUTOMIDDLE", "Middle"},
    {"_AUTOMIDDLEHALF", "Half Middle"}, {"_AUTOBOTTOM", "Bottom"}, {"_AUTOBOTTOMHALF", "Half Bottom"},
    {"_AUTOHEIGHT", "Resize"}, {"_AUTOHEIGHTHALF", "Half Resize"}, {"_LEFT", "Left"},
    {"_CENTER", "Center"}, {"_RIGHT", "Right"}, {"_JUSTIFY", "Justify"}, {"_TOP", "Top"},
    {"_MIDDLE", "Middle"}, {"_BOTTOM", "Bottom"}, {"_SIMPLE", "Simple"}, {"_DROPDOWN", "Drop Down"},
    {"_DROPDOWNLIST", "Drop Down List"}, {"_ICON", "Icon"}, {"_SMALLICON", "Small Icon"},
    {"_LIST", "List"}, {"_REPORT", "Report"}, {"_NONE", "None"}, {"_SINGLE", "Single"},
    {"_MULTIPLE", "Multiple"}, {"_EXTENDED", "Extended"}, {"_STANDARD", "Standard"},
    {"_BUTTONS", "Buttons"}, {"_FLATBUTTONS", "Flat Buttons"}, {"_DRAWTOPLEFT", "Top Left"},
    {"_DRAWTOPCENTER", "Top Center"}, {"_DRAWTOPRIGHT", "Top Right"}, {"_DRAWMIDDLELEFT", "Middle Left"},
    {"_DRAWMIDDLERIGHT", "Middle Right"}, {"_DRAWBOTTOMLEFT", "Bottom Left"},
    {"_DRAWBOTTOMCENTER", "Bottom Center"}, {"_DRAWBOTTOMRIGHT", "Bottom Right"}, {"_DRAWCENTER", "Center"},
    {"_DRAWSTRETCH", "Stretch"}, {"_DRAWTILE", "Tile"}, {"_DRAWFIT", "Fit"}, {"_DRAWFITZOOM", "Fit & Zoom"},
    {"_EDGEBUMP", "Bump"}, {"_EDGEETCHED", "Etched"}, {"_EDGERAISED", "Raised"}, {"_EDGESUNKEN", "Sunken"},
    {"_EDGERAISEDINNER", "Raised Inner"}, {"_EDGERAISEDOUTER", "Raised Outer"},
    {"_EDGESUNKENINNER", "Sunken Inner"}, {"_EDGESUNKENOUTER", "Sunken Outer"},

    {"?ERROR", "Error"}, {"?NAMEEXIST", "This name already exists."},
    {"?INVISIBLE", "Cannot be shown in layer mode, please use Media."},
    {"?NOEXTERN", "No external controls."}, {"?NOOCX", "No ActiveX controls."},
};

}  // namespace

void LoadDefaultTexts(SDialogModel* model) {
  if (!model) return;
  SStringArray& texts = model->GetTextTable();
  texts.Purge();
  for (const DefaultText& t : kDefaultTexts) texts.Add((SString(t.key) + "=" + t.text).GetText());
}

SString SDialogModel::GetText(const char* key) const {
  if (!key) return SString("");
  size_t keyLength = std::strlen(key);
  for (int i = 0; i < m_texts.GetCount(); i++) {
    const SString* line = m_texts.GetAt(i);
    if (!line) continue;
    int equals = line->FindChar('=');
    if (equals >= 0 && size_t(equals) == keyLength && std::memcmp(line->GetText(), key, keyLength) == 0)
      return line->Mid(equals + 1);
  }
  return SString("");
}

SString SDialogModel::GetKeyedText(const char* key) const {
  return SString(key ? key : "") + "|" + GetText(key);
}
