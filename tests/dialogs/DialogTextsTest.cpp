#include "DialogTesting.h"

TEST(DialogTexts, DefaultTableHoldsEveryLineInOrder) {
  ReadyModel model;
  SStringArray& texts = model.GetTextTable();
  ASSERT_EQ(texts.GetCount(), 367);
  EXPECT_STREQ(texts.GetString(0).GetText(), "@CUT=Cut");
  EXPECT_STREQ(texts.GetString(7).GetText(), "#CONTROLS=Controls");
  EXPECT_STREQ(texts.GetString(366).GetText(), "?NOOCX=No ActiveX controls.");
  // Every line is KEY=Text with a key of its own.
  for (int i = 0; i < texts.GetCount(); i++) {
    SString line = texts.GetString(i);
    int equals = line.FindChar('=');
    ASSERT_GT(equals, 0) << line.GetText();
    EXPECT_GT(line.GetLength(), equals + 1) << line.GetText();
    EXPECT_EQ(texts.Find(line.GetText()), i);
  }
}

TEST(DialogTexts, GetTextComparesKeysExactly) {
  ReadyModel model;
  EXPECT_STREQ(model.GetText("#MISC").GetText(), "Dialog");
  EXPECT_STREQ(model.GetText("#misc").GetText(), "");
  EXPECT_STREQ(model.GetText("MEDIA_AUTOSCROLLLOOP").GetText(), "Scroll Loop");
  EXPECT_STREQ(model.GetText("?NAMEEXIST").GetText(), "This name already exists.");
  EXPECT_STREQ(model.GetText("_DRAWFITZOOM").GetText(), "Fit & Zoom");
  EXPECT_STREQ(model.GetText("#MIS").GetText(), "");
  EXPECT_STREQ(model.GetKeyedText("@CUT").GetText(), "@CUT|Cut");
  EXPECT_STREQ(model.GetKeyedText("NOPE").GetText(), "NOPE|");
}

TEST(DialogTexts, HostMayReplaceTheLines) {
  ReadyModel model;
  SStringArray& texts = model.GetTextTable();
  texts.Purge();
  texts.Add("#MISC");          // no '=': never matches
  texts.Add("#MISC=Dialogue=1");
  EXPECT_STREQ(model.GetText("#MISC").GetText(), "Dialogue=1");
  LoadDefaultTexts(&model);
  EXPECT_STREQ(model.GetText("#MISC").GetText(), "Dialog");
  EXPECT_EQ(texts.GetCount(), 367);
}
