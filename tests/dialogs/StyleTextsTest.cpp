#include "dialogs/StyleTexts.h"

#include "DialogTesting.h"

namespace {

// Every name of a type in writer order, as all bits set writes them, and
// the bits all those names read back as.
struct TypeNames {
  int number;
  const char* styles;
  uint32_t styleBits;
  const char* exStyles;
  uint32_t exStyleBits;
};

const char* const kEdges = "WS_EX_CLIENTEDGE WS_EX_STATICEDGE ";
const char* const kBorder = "WS_VISIBLE WS_DISABLED WS_BORDER ";

const TypeNames kAllNames[] = {
    {0, "WS_VISIBLE WS_DISABLED WS_BORDER WS_CAPTION WS_SYSMENU WS_MAXIMIZEBOX WS_MINIMIZEBOX WS_SIZEBOX ",
     0x18CF0000, "WS_EX_CLIENTEDGE WS_EX_STATICEDGE WS_EX_TOOLWINDOW WS_EX_TOPMOST ", 0x20288},
    {1, kBorder, 0x18800000, kEdges, 0x20200},
    {2, kBorder, 0x18800000, "", 0},
    {3, "WS_VISIBLE WS_DISABLED BS_LEFT BS_RIGHT BS_CENTER BS_TOP BS_BOTTOM BS_VCENTER BS_FLAT BS_MULTILINE "
        "BS_DEFPUSHBUTTON ",
     0x1800AF01, "", 0},
    {4, kBorder, 0x18800000, kEdges, 0x20200},
    {5, kBorder, 0x18800000, kEdges, 0x20200},
    {6, "WS_VISIBLE WS_DISABLED WS_VSCROLL CBS_SIMPLE CBS_DROPDOWN CBS_DROPDOWNLIST CBS_AUTOHSCROLL "
        "CBS_DISABLENOSCROLL CBS_NOINTEGRALHEIGHT CBS_SORT ",
     0x18200D43, "", 0},
    {7, "WS_VISIBLE WS_DISABLED WS_BORDER WS_HSCROLL WS_VSCROLL ES_LEFT ES_CENTER ES_RIGHT ES_AUTOHSCROLL "
        "ES_AUTOVSCROLL ES_READONLY ES_NOHIDESEL ES_LOWERCASE ES_UPPERCASE ES_MULTILINE ES_PASSWORD ES_NUMBER ",
     0x18B029FF, kEdges, 0x20200},
    {8, "WS_VISIBLE WS_DISABLED WS_BORDER LVS_ICON LVS_REPORT LVS_SMALLICON LVS_LIST LVS_EDITLABELS "
        "LVS_AUTOARRANGE LVS_SINGLESEL LVS_NOLABELWRAP LVS_NOSCROLL LVS_SHOWSELALWAYS LVS_SORTASCENDING "
        "LVS_SORTDESCENDING LVS_NOCOLUMNHEADER ",
     0x188063BF, kEdges, 0x20200},
    {9, kBorder, 0x18800000, "", 0},
    {10, kBorder, 0x18800000, kEdges, 0x20200},
    {11, "WS_VISIBLE WS_DISABLED BS_LEFT BS_RIGHT BS_CENTER ", 0x18000300, "", 0},
    {12, kBorder, 0x18800000, kEdges, 0x20200},
    {13, kBorder, 0x18800000, kEdges, 0x20200},
    {14, kBorder, 0x18800000, kEdges, 0x20200},
    {15, kBorder, 0x18800000, kEdges, 0x20200},
    {16, kBorder, 0x18800000, kEdges, 0x20200},
    {17, "WS_VISIBLE WS_DISABLED WS_BORDER WS_HSCROLL WS_VSCROLL LBS_MULTIPLESEL LBS_EXTENDEDSEL LBS_NOSEL "
         "LBS_DISABLENOSCROLL LBS_NOINTEGRALHEIGHT LBS_SORT ",
     0x18B0590A, kEdges, 0x20200},
    {18, kBorder, 0x18800000, kEdges, 0x20200},
    {19, kBorder, 0x18800000, kEdges, 0x20200},
    {20, kBorder, 0x18800000, kEdges, 0x20200},
    {21, "WS_VISIBLE WS_DISABLED PBS_VERTICAL PBS_SMOOTH PBS_MARQUEE ", 0x1800000D, "", 0},
    {22, kBorder, 0x18800000, kEdges, 0x20200},
    {23, kBorder, 0x18800000, kEdges, 0x20200},
    {24, "WS_VISIBLE WS_DISABLED WS_HSCROLL WS_VSCROLL ES_LEFT ES_RIGHT ES_CENTER ES_AUTOHSCROLL ES_AUTOVSCROLL "
         "ES_READONLY ES_NOHIDESEL ES_WANTRETURN ES_SUNKEN ",
     0x183059C3, "WS_EX_STATICEDGE ", 0x20000},
    {25, "WS_VISIBLE WS_DISABLED SBS_VERT ", 0x18000001, "", 0},
    {26, "WS_VISIBLE WS_DISABLED WS_BORDER TBS_TOOLTIPS TBS_VERT ", 0x18800102, kEdges, 0x20200},
    {27, kBorder, 0x18800000, kEdges, 0x20200},
    {28, kBorder, 0x18800000, kEdges, 0x20200},
    {29, "WS_VISIBLE WS_DISABLED ", 0x18000000, "", 0},
    {30, "WS_VISIBLE WS_DISABLED TCS_BUTTONS TCS_FLATBUTTONS  TCS_FOCUSNEVER TCS_FOCUSONBUTTONDOWN  TCS_TOOLTIPS ",
     0x1800D108, "", 0},
    {31, kBorder, 0x18800000, kEdges, 0x20200},
    {32, "WS_VISIBLE WS_DISABLED WS_BORDER TBSTYLE_TOOLTIPS ", 0x18800100, kEdges, 0x20200},
    {33, "WS_VISIBLE WS_DISABLED WS_BORDER TVS_CHECKBOXES TVS_DISABLEDRAGDROP TVS_EDITLABELS TVS_FULLROWSELECT "
         "TVS_HASBUTTONS TVS_HASLINES TVS_LINESATROOT TVS_SHOWSELALWAYS TVS_TRACKSELECT ",
     0x1880133F, kEdges, 0x20200},
    {34, kBorder, 0x18800000, kEdges, 0x20200},
    {35, kBorder, 0x18800000, kEdges, 0x20200},
    {36, kBorder, 0x18800000, kEdges, 0x20200},
};

}  // namespace

TEST(StyleTexts, EveryTypeHasItsNamesAndBits) {
  for (const TypeNames& t : kAllNames) {
    EXPECT_STREQ(StyleBitsToNames(t.number, 0xFFFFFFFF).GetText(), t.styles) << t.number;
    EXPECT_STREQ(ExStyleBitsToNames(t.number, 0xFFFFFFFF).GetText(), t.exStyles) << t.number;
    EXPECT_EQ(NamesToStyleBits(t.number, t.styles), t.styleBits) << t.number;
    EXPECT_EQ(NamesToExStyleBits(t.number, t.exStyles), t.exStyleBits) << t.number;
    EXPECT_EQ(FilterStyleBits(t.number, 0xFFFFFFFF), t.styleBits) << t.number;
    EXPECT_EQ(FilterExStyleBits(t.number, 0xFFFFFFFF), t.exStyleBits) << t.number;
  }
}

TEST(StyleTexts, WritingTests) {
  EXPECT_STREQ(StyleBitsToNames(3, 0x10000300).GetText(), "WS_VISIBLE BS_LEFT BS_RIGHT BS_CENTER ");
  EXPECT_STREQ(StyleBitsToNames(7, 0).GetText(), "ES_LEFT ");
  EXPECT_STREQ(StyleBitsToNames(8, 0).GetText(), "LVS_ICON ");
  EXPECT_STREQ(StyleBitsToNames(0, 0x00C00000).GetText(), "WS_BORDER WS_CAPTION ");
  EXPECT_STREQ(StyleBitsToNames(0, 0x00400000).GetText(), "");
  EXPECT_STREQ(ExStyleBitsToNames(24, 0x20200).GetText(), "WS_EX_STATICEDGE ");
  EXPECT_STREQ(StyleBitsToNames(30, 0x8).GetText(), "TCS_FLATBUTTONS  ");
  EXPECT_STREQ(StyleBitsToNames(6, 0x2).GetText(), "CBS_DROPDOWN ");
  EXPECT_STREQ(StyleBitsToNames(29, 0x18000000).GetText(), "WS_VISIBLE WS_DISABLED ");
}

TEST(StyleTexts, ReadingTests) {
  EXPECT_EQ(NamesToStyleBits(3, "BS_CENTER"), 0x300u);
  EXPECT_EQ(NamesToStyleBits(3, "bs_center"), 0u);
  EXPECT_EQ(NamesToStyleBits(29, "WS_BORDER ES_LEFT SOMETHING"), 0u);
  EXPECT_EQ(NamesToStyleBits(29, "  WS_VISIBLE  "), 0x10000000u);
  // Either list serves either text.
  EXPECT_EQ(NamesToStyleBits(0, "WS_EX_TOPMOST WS_SYSMENU"), 0x80008u);
  EXPECT_EQ(NamesToExStyleBits(0, "WS_CAPTION"), 0xC00000u);
  EXPECT_EQ(NamesToStyleBits(3, ""), 0u);
  // An unclosed quote reads as no names at all.
  EXPECT_EQ(NamesToStyleBits(3, "WS_VISIBLE \"BS_LEFT"), 0u);
}

TEST(StyleTexts, ControlNumberUsesItsLow16BitsSigned) {
  // 0x10003 is BUTTON; 0x8003 and -1 have only the two common names.
  EXPECT_STREQ(StyleBitsToNames(0x10003, 0x10000100).GetText(), "WS_VISIBLE BS_LEFT ");
  EXPECT_STREQ(StyleBitsToNames(0x8003, 0x18000100).GetText(), "WS_VISIBLE WS_DISABLED ");
  EXPECT_STREQ(StyleBitsToNames(-1, 0x10800000).GetText(), "WS_VISIBLE ");
  EXPECT_STREQ(ExStyleBitsToNames(-1, 0x200).GetText(), "");
  EXPECT_EQ(NamesToStyleBits(0x8003, "WS_DISABLED BS_LEFT"), 0x08000000u);
  EXPECT_EQ(NamesToStyleBits(37, "WS_VISIBLE WS_BORDER"), 0x10000000u);
}

// The filters keep only named bits, also when no name applies at all.
TEST(StyleTexts, FiltersKeepOnlyNamedBits) {
  EXPECT_EQ(FilterStyleBits(29, 0x00C00000), 0u);
  EXPECT_EQ(FilterStyleBits(29, 0x10C00000), 0x10000000u);
  EXPECT_EQ(FilterStyleBits(3, 0x50010001), 0x10000001u);  // WS_CHILD and WS_TABSTOP have no name
  EXPECT_EQ(FilterStyleBits(0, 0x00400000), 0u);
  EXPECT_EQ(FilterStyleBits(7, 0x40000000), 0u);
  EXPECT_EQ(FilterExStyleBits(3, 0x200), 0u);
  EXPECT_EQ(FilterExStyleBits(24, 0x20200), 0x20000u);
  EXPECT_EQ(FilterExStyleBits(-1, 0x8), 0u);
}

TEST(StyleTexts, RecordForms) {
  _SCtrl r;
  r.controlNumber = kControlButton;
  r.style = 0x10000300;
  r.exStyle = 0x200;
  EXPECT_STREQ(StyleToNames(&r, false).GetText(), "WS_VISIBLE BS_LEFT BS_RIGHT BS_CENTER ");
  EXPECT_STREQ(StyleToNames(&r, true).GetText(), "");
  NamesToStyle(&r, false, "");
  EXPECT_EQ(r.style, 0x10000300u);  // an empty text changes nothing
  NamesToStyle(&r, false, "BS_TOP");
  EXPECT_EQ(r.style, 0x400u);
  NamesToStyle(&r, true, "WS_VISIBLE");
  EXPECT_EQ(r.exStyle, 0x10000000u);
  NamesToStyle(&r, true, "\"open");
  EXPECT_EQ(r.exStyle, 0u);
}
