#include "dialogs/DialogDescription.h"

#include <string>

#include "DialogTesting.h"
#include "dialogs/StyleTexts.h"

namespace {

const char* const kHead = "TAVRIN DIALOG 1.0.0.0\r\n\r\n";

const char* const kButtonRecord =
    "[BUTTON]\r\nID=1\r\nNAME=BUTTON1\r\nCAPTION=Button\r\nFONT=, 0, 0\r\nPOSITION=10 10 100 25\r\n"
    "STYLE=WS_VISIBLE BS_LEFT BS_RIGHT BS_CENTER BS_TOP BS_BOTTOM BS_VCENTER \r\nEXSTYLE=\r\n"
    "BACKCOLOR=#FF000000\r\nTEXTCOLOR=#FF000000\r\nTRANSPARENT=0\r\nISLOCKED=0\r\nTABINDEX=-1\r\n\r\n";

bool LoadText(SDialogModel& model, const std::string& text) {
  SFileMem stream;
  FillStream(stream, text);
  return model.Load(&stream);
}

// A model with every type made with its defaults, and records that use
// fonts, every kind of colour word and extra values holding '='.
void FillRoundTripModel(SDialogModel& model) {
  _SCtrl dialog;
  dialog.id = 100;
  dialog.caption = "Main window";
  dialog.style = 0x10CF0000;
  dialog.exStyle = 0x88;
  dialog.fontFace = "Tahoma";
  dialog.fontSize = 8;
  dialog.backColor = 0xFE00000F;
  dialog.SetExtra("DIALOG_IMAGEDRAWMODE", "_DRAWTILE");
  model.SetDialogRecord(&dialog);
  for (int number = 1; number < kControlTypeCount; number++) {
    _SCtrl r;
    r.controlNumber = int16_t(number);
    ASSERT_NE(model.AddControl(&r, true, false, false), nullptr);
  }
  const uint32_t colours[] = {0x00000000, 0x00123456, 0x00FFFFFF, 0xFF000000, 0xFF000001,
                              0xFE000000, 0xFE00001E, 0x12345678};
  for (uint32_t colour : colours) {
    _SCtrl r;
    r.controlNumber = kControlLabel;
    r.id = int16_t(200 + (colour & 0x3F));
    r.name = SString("L") + SString::FromUInt(colour);
    r.caption = "  caption with = and blanks  ";
    r.fontFace = "Courier New";
    r.fontSize = uint16_t(int16_t(-12));
    r.fontStyle = kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut;
    r.x = -5;
    r.y = 32767;
    r.width = -32768;
    r.height = 0;
    r.locked = true;
    r.transparent = true;
    r.backColor = colour;
    r.textColor = ~colour;
    r.style = 0x10000000;
    r.SetExtra("LABEL_TEXT", "a=b=c");
    r.SetExtra("LABEL_EMPTY", "");
    r.SetExtra("TOOLTIP", " = ");
    r.SetExtraInt("LABEL_COLOR", int32_t(colour));
    ASSERT_NE(model.AddControl(&r, false, true, true), nullptr);
  }
  _SCtrl quoted;
  quoted.controlNumber = kControlEdit;
  quoted.name = "Quoted";
  quoted.fontFace = "\"Odd, Face\"";
  quoted.fontSize = 11;
  ASSERT_NE(model.AddControl(&quoted, false, true, false), nullptr);
  _SCtrl second;  // a second DIALOG record is a control like any other
  second.controlNumber = kControlDialog;
  second.name = "Inner";
  ASSERT_NE(model.AddControl(&second, false, true, false), nullptr);
}

// The saved record as it reads back: bits without a name are not stored
// (a new RICHEDIT's ES_MULTILINE among them).
void ExpectReadBack(const _SCtrl& saved, const _SCtrl& loaded) {
  _SCtrl expected;
  expected.CopyFrom(saved);
  expected.style = FilterStyleBits(saved.controlNumber, saved.style);
  expected.exStyle = FilterExStyleBits(saved.controlNumber, saved.exStyle);
  ExpectSameRecord(expected, loaded);
}

void ExpectSameModel(const SDialogModel& a, const SDialogModel& b) {
  ASSERT_NE(a.GetDialogRecord(), nullptr);
  ASSERT_NE(b.GetDialogRecord(), nullptr);
  ExpectReadBack(*a.GetDialogRecord(), *b.GetDialogRecord());
  ASSERT_EQ(a.GetControlCount(), b.GetControlCount());
  for (int i = 0; i < a.GetControlCount(); i++) ExpectReadBack(*a.GetControl(i), *b.GetControl(i));
}

}  // namespace

TEST(DialogDescription, NewButtonIsWrittenByteForByte) {
  ReadyModel model;
  model.SetDialogRecord(nullptr);
  _SCtrl r;
  r.controlNumber = kControlButton;
  model.AddControl(&r, true, false, false);
  std::string saved = SavedText(model);
  ASSERT_EQ(saved.rfind(kHead, 0), 0u);
  EXPECT_EQ(saved.substr(saved.size() - std::string(kButtonRecord).size()), kButtonRecord);

  ReadyModel loaded;
  ASSERT_TRUE(LoadText(loaded, saved));
  ExpectSameModel(model, loaded);
  EXPECT_EQ(SavedText(loaded), saved);
}

TEST(DialogDescription, EveryKindOfRecordRoundTrips) {
  ReadyModel model;
  FillRoundTripModel(model);
  std::string saved = SavedText(model);
  ReadyModel loaded;
  ASSERT_TRUE(LoadText(loaded, saved));
  EXPECT_TRUE(loaded.IsLoaded());
  ExpectSameModel(model, loaded);
  EXPECT_EQ(SavedText(loaded), saved);
}

// The clipboard's binary form keeps every stored field, style bits included.
TEST(DialogDescription, EveryKindOfRecordRoundTripsAsBinary) {
  ReadyModel model;
  FillRoundTripModel(model);
  SFileMem blob;
  int size = WriteControlRecordBinary(&blob, model.GetDialogRecord());
  for (int i = 0; i < model.GetControlCount(); i++) size += WriteControlRecordBinary(&blob, model.GetControl(i));
  EXPECT_EQ(blob.GetSize(), size);
  blob.Rewind();
  _SCtrl dialog;
  ASSERT_GT(ReadControlRecordBinary(&dialog, &blob), 0);
  ExpectSameRecord(*model.GetDialogRecord(), dialog);
  for (int i = 0; i < model.GetControlCount(); i++) {
    _SCtrl r;
    ASSERT_GT(ReadControlRecordBinary(&r, &blob), 0);
    ExpectSameRecord(*model.GetControl(i), r);
  }
  EXPECT_TRUE(blob.IsEnd());
}

// Bits without a name are lost; clashing ids and names get new ones.
TEST(DialogDescription, RoundTripExceptions) {
  ReadyModel model;
  model.SetDialogRecord(nullptr);
  _SCtrl r;
  r.controlNumber = kControlButton;
  r.id = 3;
  r.name = "B";
  r.style = 0x50010301;  // WS_CHILD and WS_TABSTOP have no name
  model.AddControl(&r, false, true, true);
  std::string saved = SavedText(model);
  // Both records claim id 3 and name B in the text.
  size_t record = saved.find("[BUTTON]");
  saved += saved.substr(record);
  ReadyModel loaded;
  ASSERT_TRUE(LoadText(loaded, saved));
  ASSERT_EQ(loaded.GetControlCount(), 2);
  EXPECT_EQ(loaded.GetControl(0)->style, FilterStyleBits(kControlButton, 0x50010301));
  EXPECT_EQ(loaded.GetControl(0)->style, 0x10000301u);
  EXPECT_EQ(loaded.GetControl(1)->id, 1);
  EXPECT_STREQ(loaded.GetControl(1)->name.GetText(), "BUTTON1");
}

TEST(DialogDescription, ReaderEdgeCases) {
  std::string dialog = "[DIALOG]\r\nCAPTION=D\r\n\r\n";
  struct Case {
    std::string body;
    bool loads;
  } cases[] = {
      {"", true},                                                   // the two first lines only
      {dialog, true},                                               // one empty line, then the end
      {"[DIALOG]\r\nCAPTION=D", true},                              // ends without an empty line
      {dialog + "(button)\r\nNAME=X\r\n", true},                     // any two delimiters
      {dialog + "\r\n[BUTTON]\r\n", false},                          // two empty lines between records
      {dialog + "[NOTHING]\r\n", false},
      {dialog + "[BUTTON]\r\nNAME X\r\n", false},                    // a line without '='
      {dialog + "[BUTTON]\r\n   \r\n", false},                       // a line of blanks
      {dialog + "[BUTTON]\r\n=dropped\r\n", true},
      {"[]\r\n", false},
  };
  for (const Case& c : cases) {
    ReadyModel model;
    EXPECT_EQ(LoadText(model, kHead + c.body), c.loads) << c.body;
    EXPECT_EQ(model.IsLoaded(), c.loads);
    if (!c.loads) {
      EXPECT_EQ(model.GetDialogRecord(), nullptr);
    }
  }
  for (const char* head : {"TAVRIN DIALOG 1.0.0.0 \r\n\r\n", "tavrin dialog 1.0.0.0\r\n\r\n",
                           "TAVRIN DIALOG 1.0.0\r\n\r\n", ""}) {
    ReadyModel model;
    EXPECT_FALSE(LoadText(model, head + dialog)) << head;
  }
  ReadyModel empty;
  ASSERT_TRUE(LoadText(empty, kHead));
  EXPECT_EQ(empty.GetDialogRecord(), nullptr);
  EXPECT_FALSE(empty.Load(nullptr));
}

// A NUL ends a line's text: a name that differs from another only past its
// NUL is the same name, and is made unique as it loads, not when the saved
// description is read again.
TEST(DialogDescription, ANulEndsTheLinesText) {
  std::string body = std::string("[DIALOG]\r\nCAPTION=D\r\n\r\n[BUTTON]\r\nNAME=B") + '\0' +
                     "junk\r\nCAPTION=x" + '\0' + "y\r\n\r\n[BUTTON]\r\nNAME=B\r\n";
  ReadyModel model;
  ASSERT_TRUE(LoadText(model, kHead + body));
  ASSERT_EQ(model.GetControlCount(), 2);
  EXPECT_STREQ(model.GetControl(0)->name.GetText(), "B");
  EXPECT_EQ(model.GetControl(0)->name.GetLength(), 1);
  EXPECT_EQ(model.GetControl(0)->caption.GetLength(), 1);
  EXPECT_STRNE(model.GetControl(1)->name.GetText(), "B");
  SFileMem saved;
  ASSERT_TRUE(model.Save(&saved));
  saved.Rewind();
  ReadyModel loaded;
  ASSERT_TRUE(loaded.Load(&saved));
  EXPECT_EQ(SavedText(loaded), StreamText(saved));
}

TEST(DialogDescription, RecordLines) {
  ReadyModel model;
  ASSERT_TRUE(LoadText(model, std::string(kHead) +
                                  "[BUTTON]\r\nid=5\r\nNAME=a=b\r\nPOSITION=1  2 3 4\r\nBACKCOLOR=#ff0000\r\n"
                                  "TEXTCOLOR=red\r\nFONT=Arial, 9\r\nSTYLE=\r\n\r\n"
                                  "[EDIT]\r\nID=70000\r\nFONT= \"A, B\" , -9 , 4294967295 \r\n"
                                  "POSITION=-1 -2 300 40\r\nTRANSPARENT=7\r\nISLOCKED=-1\r\nSTYLE=ES_NUMBER\r\n"
                                  "EXSTYLE=WS_EX_CLIENTEDGE\r\n"));
  _SCtrl* d = model.GetDialogRecord();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->controlNumber, 0);  // the first record is the dialog whatever its KEY
  EXPECT_TRUE(d->isDialog);
  EXPECT_EQ(d->id, 0);
  EXPECT_STREQ(d->extra.GetText(), "id=5\r\n");
  EXPECT_STREQ(d->name.GetText(), "a=b");
  EXPECT_EQ(d->x, 10);
  EXPECT_EQ(d->width, 150);
  EXPECT_EQ(d->backColor, 0x000000FFu);
  EXPECT_EQ(d->textColor, 0u);
  EXPECT_STREQ(d->fontFace.GetText(), "");
  EXPECT_EQ(d->style, 0u);

  _SCtrl* e = model.GetControl(0);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->id, int16_t(70000));
  EXPECT_STREQ(e->fontFace.GetText(), "\"A, B\"");
  EXPECT_EQ(int16_t(e->fontSize), -9);
  EXPECT_EQ(e->fontStyle, 0xFFFFFFFFu);
  EXPECT_EQ(e->x, -1);
  EXPECT_EQ(e->height, 40);
  EXPECT_TRUE(e->transparent);
  EXPECT_TRUE(e->locked);
  EXPECT_EQ(e->style, 0x2000u);
  EXPECT_EQ(e->exStyle, 0x200u);
}

TEST(DialogDescription, RecordReaderResults) {
  ReadyModel model;
  SFileMem stream;
  _SCtrl r;
  EXPECT_EQ(ReadControlRecord(&r, nullptr, &model), -1);
  FillStream(stream, "[CHECK]\r\nNAME=C\r\n\r\nrest");
  EXPECT_EQ(ReadControlRecord(&r, &stream, &model), 19);
  EXPECT_EQ(r.controlNumber, kControlCheck);
  EXPECT_FALSE(r.isDialog);
  FillStream(stream, "[DIALOG]");
  EXPECT_EQ(ReadControlRecord(&r, &stream, &model), 8);
  EXPECT_TRUE(r.isDialog);
  FillStream(stream, "[NONE]\r\n");
  EXPECT_EQ(ReadControlRecord(&r, &stream, &model), 0);
  FillStream(stream, "[LIST]\r\nbad\r\n");
  EXPECT_EQ(ReadControlRecord(&r, &stream, &model), -1);
}

// A name, caption, font face or extra text that its line cannot carry is
// refused whole, so that every saved description reads back the same.
TEST(DialogDescription, SaveRefusesWhatWouldNotReadBack) {
  struct Case {
    const char* what;
    void (*spoil)(_SCtrl&);
  } cases[] = {
      {"name CR LF", [](_SCtrl& r) { r.name = "A\r\nID=9"; }},
      {"name LF", [](_SCtrl& r) { r.name = "A\nB"; }},
      {"caption CR", [](_SCtrl& r) { r.caption = "A\rB"; }},
      {"face LF", [](_SCtrl& r) { r.fontFace = "Ari\nal"; }},
      {"face comma", [](_SCtrl& r) { r.fontFace = "A,B"; }},
      {"face blank", [](_SCtrl& r) { r.fontFace = " Arial"; }},
      {"face quote", [](_SCtrl& r) { r.fontFace = "A\"B"; }},
      {"extra value line end", [](_SCtrl& r) { r.extra = "A=1\nB=2\r\n"; }},
      {"extra record key", [](_SCtrl& r) { r.extra = "ID=5\r\n"; }},
      {"extra without '='", [](_SCtrl& r) { r.extra = "A=1\r\nbroken\r\n"; }},
      {"extra empty line", [](_SCtrl& r) { r.extra = "\r\n"; }},
      {"extra empty key", [](_SCtrl& r) { r.extra = "=x\r\n"; }},
      {"extra unended", [](_SCtrl& r) { r.extra = "A=1"; }},
  };
  for (const Case& c : cases) {
    ReadyModel model;
    model.SetDialogRecord(nullptr);
    _SCtrl r;
    r.controlNumber = kControlButton;
    _SCtrl* added = model.AddControl(&r, true, false, false);
    c.spoil(*added);
    SFileMem stream;
    EXPECT_FALSE(model.Save(&stream)) << c.what;
    // The dialog record went out; the refused one wrote nothing.
    EXPECT_EQ(StreamText(stream).find("[BUTTON]"), std::string::npos) << c.what;
    EXPECT_EQ(WriteControlRecord(&model, added, &stream), 0) << c.what;
  }
}

TEST(DialogDescription, SaveNeedsADialogAndKnownTypes) {
  ReadyModel model;
  SFileMem stream;
  EXPECT_FALSE(model.Save(&stream));
  model.SetDialogRecord(nullptr);
  EXPECT_FALSE(model.Save(nullptr));
  EXPECT_TRUE(model.Save(&stream));
  _SCtrl r;
  EXPECT_EQ(WriteControlRecord(&model, &r, &stream), 0);  // ControlNumber -1
  SDialogModel bare;  // rows not yet written
  bare.SetDialogRecord(nullptr);
  EXPECT_FALSE(bare.Save(&stream));
}
