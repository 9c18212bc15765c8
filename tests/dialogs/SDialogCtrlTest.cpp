#include "dialogs/SDialogCtrl.h"

#include "DialogTesting.h"
#include "dialogs/DialogPlatform.h"

TEST(SDialogCtrl, NewRecordHasTheDefaults) {
  _SCtrl r;
  EXPECT_EQ(r.id, 0);
  EXPECT_EQ(r.controlNumber, -1);
  EXPECT_EQ(r.x, 10);
  EXPECT_EQ(r.y, 10);
  EXPECT_EQ(r.width, 150);
  EXPECT_EQ(r.height, 150);
  EXPECT_EQ(r.backColor, 0xFF000000u);
  EXPECT_EQ(r.textColor, 0xFF000000u);
  EXPECT_STREQ(r.extra.GetText(), "");
}

TEST(SDialogCtrl, CopyFromTakesStoredFieldsAndClampsTheType) {
  _SCtrl a;
  a.id = 7;
  a.controlNumber = -5;
  a.name = "N";
  a.caption = "C";
  a.fontFace = "Arial";
  a.fontSize = 9;
  a.fontStyle = kFontBold;
  a.locked = true;
  a.style = 0x10000000;
  a.extra = "A=1\r\n";
  a.panelScroll = 40;
  _SCtrl b;
  b.CopyFrom(a);
  EXPECT_EQ(b.controlNumber, -1);
  a.controlNumber = -1;
  ExpectSameRecord(a, b);
  EXPECT_EQ(b.panelScroll, 40);
  EXPECT_EQ(b.previewWindow, nullptr);
}

TEST(SDialogCtrl, SetExtraReplacesInPlaceOrAppends) {
  _SCtrl r;
  r.extra = "A=123\r\nB=4\r\n";
  EXPECT_TRUE(r.SetExtra("A", "x"));
  EXPECT_STREQ(r.extra.GetText(), "A=x\r\nB=4\r\n");
  EXPECT_TRUE(r.SetExtra("B", ""));
  EXPECT_STREQ(r.extra.GetText(), "A=x\r\nB=\r\n");
  EXPECT_TRUE(r.SetExtra("B", "5"));
  EXPECT_TRUE(r.SetExtra("C", "a=b"));
  EXPECT_STREQ(r.extra.GetText(), "A=x\r\nB=5\r\nC=a=b\r\n");
  EXPECT_STREQ(r.GetExtra("C").GetText(), "a=b");

  _SCtrl empty;
  EXPECT_TRUE(empty.SetExtra("A", "x"));
  EXPECT_STREQ(empty.extra.GetText(), "A=x\r\n");
}

TEST(SDialogCtrl, ExtraScanStopsAtALineWithoutEquals) {
  _SCtrl r;
  r.extra = "A=1\r\nbroken\r\nB=2\r\n";
  EXPECT_STREQ(r.GetExtra("A").GetText(), "1");
  EXPECT_STREQ(r.GetExtra("B").GetText(), "");
  EXPECT_FALSE(r.SetExtra("B", "3"));
  EXPECT_STREQ(r.extra.GetText(), "A=1\r\nbroken\r\nB=2\r\n");

  // Text after the last CR LF is no line: found by neither, appended after.
  r.extra = "A=1\r\nB=2";
  EXPECT_STREQ(r.GetExtra("B").GetText(), "");
  EXPECT_TRUE(r.SetExtra("B", "3"));
  EXPECT_STREQ(r.extra.GetText(), "A=1\r\nB=2B=3\r\n");
}

TEST(SDialogCtrl, ExtraKeysAreCaseSensitive) {
  _SCtrl r;
  r.extra = "A=1\r\n";
  EXPECT_STREQ(r.GetExtra("a").GetText(), "");
  EXPECT_STREQ(r.GetExtra("A").GetText(), "1");
}

// A description carries each extra line as one line of text: a line end in
// a key or value, or '=' in a key, would read back as other lines.
TEST(SDialogCtrl, SetExtraRefusesWhatALineCannotCarry) {
  _SCtrl r;
  r.extra = "A=1\r\n";
  const char* refused[][2] = {{"K\r\nID", "1"}, {"K\n", "1"}, {"K\r", "1"}, {"A", "1\r\nID=5"},
                              {"A", "x\n"},     {"A", "\r"},  {"K=1", "2"}, {"", "v"}};
  for (auto& kv : refused) {
    EXPECT_FALSE(r.SetExtra(kv[0], kv[1])) << kv[0] << " / " << kv[1];
    EXPECT_STREQ(r.extra.GetText(), "A=1\r\n");
  }
}

TEST(SDialogCtrl, ExtraNumbers) {
  _SCtrl r;
  EXPECT_TRUE(r.SetExtraInt("N", -16777216));
  EXPECT_STREQ(r.GetExtra("N").GetText(), "-16777216");
  EXPECT_EQ(r.GetExtraInt("N"), -16777216);
  r.SetExtra("T", "text");
  r.SetExtra("F", "2.5");
  r.SetExtra("ONE", "1");
  EXPECT_EQ(r.GetExtraInt("T"), 0);
  EXPECT_EQ(r.GetExtraInt("MISSING"), 0);
  EXPECT_DOUBLE_EQ(r.GetExtraFloat("F"), 2.5);
  EXPECT_TRUE(r.GetExtraBool("ONE"));
  EXPECT_FALSE(r.GetExtraBool("T"));
  r.SetExtra("MEDIA_LINKCOLOR", "-33554431");  // 0xFE000001, read without the system rule
  EXPECT_EQ(r.GetMediaLinkColor(), -33554431);
}

// Only 0xFE000000 .. 0xFEFFFFFF name system colours; the transparent word
// must stay transparent rather than turn into a system colour.
TEST(SDialogCtrl, ExtraColorMapsOnlyTheSystemRange) {
  struct Case {
    const char* value;
    uint32_t expected;
  } cases[] = {
      {"", 0xFF000000u},
      {"255", 255u},
      {"-16777216", 0xFF000000u},                       // default word
      {"-16777215", 0xFF000001u},                       // transparent word
      {"-16777214", 0xFF000002u},
      {"-33554432", DialogSystemColor(0)},              // 0xFE000000
      {"-33554417", DialogSystemColor(15)},             // 0xFE00000F
      {"-16777217", DialogSystemColor(0xFFFFFF)},       // 0xFEFFFFFF
      {"16777215", 0x00FFFFFFu},
  };
  for (const Case& c : cases) {
    _SCtrl r;
    r.SetExtra("C", c.value);
    EXPECT_EQ(r.GetExtraColor("C"), c.expected) << c.value;
  }
  _SCtrl none;
  EXPECT_EQ(none.GetExtraColor("C"), 0xFF000000u);
}

TEST(SDialogCtrl, ImageDrawModeNames) {
  struct Case {
    const char* value;
    int mode;
  } cases[] = {{"_DRAWTOPLEFT", 0},    {"_DRAWTOPCENTER", 1},  {"_DRAWTOPRIGHT", 2},    {"_DRAWMIDDLELEFT", 3},
               {"_DRAWMIDDLERIGHT", 4}, {"_DRAWBOTTOMLEFT", 5}, {"_DRAWBOTTOMCENTER", 6}, {"_DRAWBOTTOMRIGHT", 7},
               {"_DRAWCENTER", 8},     {"_DRAWSTRETCH", 9},    {"_DRAWTILE", 10},       {"_DRAWFIT", 11},
               {"_DRAWFITZOOM", 12},   {"_drawtile", 0},       {"", 0},                 {"_DRAWTILE ", 0}};
  for (const Case& c : cases) {
    _SCtrl r;
    r.SetExtra("DIALOG_IMAGEDRAWMODE", c.value);
    EXPECT_EQ(ImageDrawModeFromName(&r, "DIALOG_IMAGEDRAWMODE"), c.mode) << c.value;
  }
  EXPECT_EQ(ImageDrawModeFromName(nullptr, "X"), 0);
}
