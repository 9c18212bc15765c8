#include "dialogs/ControlTypes.h"

#include "DialogTesting.h"

TEST(ControlTypes, FreshModelHasEmptyRowsUntilInitialised) {
  SDialogModel model;
  EXPECT_EQ(model.FindControlType("BUTTON"), nullptr);
  EXPECT_EQ(model.GetControlType(0), nullptr);
  EXPECT_TRUE(model.InitControlTypes());
  EXPECT_NE(model.FindControlType("BUTTON"), nullptr);
}

TEST(ControlTypes, RowsHoldNumberKeyAndDisplayName) {
  ReadyModel model;
  struct Row {
    int number;
    const char* key;
    const char* display;
  } rows[] = {{0, "DIALOG", "Dialog"},       {3, "BUTTON", "Button"},           {5, "CODEEDIT", "Code Edit"},
              {8, "EXTENDEDLIST", "Extended List"}, {12, "GUI", "GUI"},       {15, "LCD", "Lcd"},
              {19, "MEDIAPLAYER", "Media Player"},  {31, "TABDOC", "Tab Doc"}, {32, "TOOLBAR", "Tool Bar"},
              {34, "WAVEEDITOR", "Wave Editor"},    {36, "EXTERN", "External Control"}};
  for (const Row& r : rows) {
    const SDialogModel::_SType* type = model.GetControlType(r.number);
    ASSERT_NE(type, nullptr) << r.number;
    EXPECT_EQ(type->controlNumber, r.number);
    EXPECT_STREQ(type->key.GetText(), r.key);
    EXPECT_STREQ(type->displayName.GetText(), r.display);
  }
  // Every number has its own KEY, found back by it.
  for (int i = 0; i < kControlTypeCount; i++) {
    const SDialogModel::_SType* type = model.FindControlType(ControlTypeKey(i));
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->controlNumber, i);
  }
  EXPECT_EQ(model.GetControlType(37), nullptr);
  EXPECT_EQ(model.GetControlType(-1), nullptr);
}

TEST(ControlTypes, FindIgnoresCaseAndRefusesEmpty) {
  ReadyModel model;
  ASSERT_NE(model.FindControlType("button"), nullptr);
  EXPECT_EQ(model.FindControlType("button")->controlNumber, 3);
  EXPECT_EQ(model.FindControlType("TabDoc")->controlNumber, 31);
  EXPECT_EQ(model.FindControlType(""), nullptr);
  EXPECT_EQ(model.FindControlType("BUTTONS"), nullptr);
}
