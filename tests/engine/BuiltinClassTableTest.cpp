// The built-in class table as the engine registers it: every row at its
// index with its identity, "ID" and the class's own constants, and members
// numbered functions first, then events, named from the class index.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"

namespace {

struct ExpectedClass {
  TypeCode typeCode;
  const char* letters;
  const char* name;
  int32_t category;
  const char* base;
  int16_t controlNumber;
  bool isAbstract;
  int functions;
  int events;
  int ownConstants;  // besides "ID"
};

const ExpectedClass kExpected[] = {
    {0x01474C42, "GLB", "Global", 0, "", -1, true, 45, 0, 83},
    {0x02564F49, "VOI", "Void", 0, "", -1, false, 0, 0, 0},
    {0x02434C50, "CLP", "Clipboard", 1, "", -1, false, 8, 0, 0},
    {0x02524547, "REG", "Registry", 1, "", -1, false, 6, 0, 5},
    {0x02535953, "SYS", "System", 1, "", -1, false, 21, 0, 10},
    {0x02434F4D, "COM", "AppCom", 2, "", -1, false, 4, 1, 0},
    {0x024B4559, "KEY", "Keyboard", 2, "", -1, false, 18, 0, 113},  // 109 keys, 4 shift states
    {0x024D4E55, "MNU", "Menu", 2, "", -1, false, 24, 1, 0},
    {0x024D4F55, "MOU", "Mouse", 2, "", -1, false, 22, 3, 0},
    {0x02505452, "PTR", "Pointer", 0, "", -1, false, 0, 0, 0},
    {0x02505249, "PRI", "Printer", 7, "", -1, false, 3, 0, 0},
    {0x0253454C, "SEL", "Selector", 2, "", -1, false, 19, 0, 0},
    {0x02544844, "THD", "Thread", 2, "", -1, false, 6, 4, 0},
    {0x0254494D, "TIM", "Timer", 2, "", -1, false, 58, 0, 4},
    {0x02545241, "TRA", "TrayIcon", 2, "", -1, false, 8, 1, 0},
    {0x02554E44, "UND", "UndoRedo", 2, "", -1, false, 13, 3, 0},
    {0x02434C52, "CLR", "Color", 3, "", -1, false, 36, 0, 39},
    {0x02464C54, "FLT", "Float", 3, "", -1, false, 13, 0, 0},
    {0x02494E54, "INT", "Integer", 3, "", -1, false, 12, 0, 0},
    {0x024D4F4E, "MON", "Money", 3, "", -1, false, 17, 0, 0},
    {0x02505448, "PTH", "Path", 3, "", -1, false, 36, 0, 4},
    {0x02535452, "STR", "String", 3, "", -1, false, 103, 0, 9},
    {0x02554E49, "UNI", "UniString", 3, "", -1, false, 57, 0, 5},
    {0x0254424C, "TBL", "Table", 3, "", -1, false, 37, 0, 0},
    {0x0256414C, "VAL", "Value", 3, "", -1, false, 23, 0, 0},
    {0x02415220, "AR ", "Array", 4, "", -1, false, 39, 5, 0},
    {0x02415246, "ARF", "FloatArray", 4, "", -1, false, 31, 4, 0},
    {0x02415249, "ARI", "IntegerArray", 4, "", -1, false, 31, 4, 0},
    {0x02415253, "ARS", "StringArray", 4, "", -1, false, 36, 4, 0},
    {0x024D5448, "MTH", "Math", 5, "", -1, false, 35, 0, 3},
    {0x02505431, "PT1", "Point", 5, "", -1, false, 6, 0, 0},
    {0x02524331, "RC1", "Rectangle", 5, "", -1, false, 25, 0, 0},
    {0x02535A31, "SZ1", "Size", 5, "", -1, false, 6, 0, 0},
    {0x02524332, "RC2", "Rectangle2D", 5, "", -1, false, 25, 0, 0},
    {0x02545232, "TR2", "Triangle2D", 5, "", -1, false, 30, 0, 0},
    {0x02545233, "TR3", "Triangle3D", 5, "", -1, false, 11, 0, 0},
    {0x02564532, "VE2", "Vector2D", 5, "", -1, false, 6, 0, 0},
    {0x02564533, "VE3", "Vector3D", 5, "", -1, false, 11, 0, 0},
    {0x0244534B, "DSK", "Disk", 6, "", -1, false, 54, 0, 11},
    {0x0246494C, "FIL", "File", 6, "", -1, false, 42, 0, 0},
    {0x02494E49, "INI", "Ini", 6, "", -1, false, 20, 0, 0},
    {0x02584D4C, "XML", "Xml", 6, "", -1, false, 30, 0, 1},
    {0x02435552, "CUR", "Cursor", 2, "", -1, false, 5, 0, 21},
    {0x02464E54, "FNT", "Font", 7, "", -1, false, 18, 0, 0},
    {0x02494D47, "IMG", "Image", 7, "", -1, false, 39, 0, 4},
    {0x02494C53, "ILS", "ImageList", 7, "", -1, false, 14, 0, 0},
    {0x02574D50, "WMP", "MediaPlayer", 10, "Control", 19, false, 35, 5, 0},
    {0x02504E54, "PNT", "Paint", 7, "", -1, false, 26, 0, 13},
    {0x0253504C, "SPL", "Splash", 7, "", -1, false, 5, 0, 3},
    {0x02574156, "WAV", "Wave", 7, "", -1, false, 56, 3, 0},
    {0x02485450, "HTP", "HttpServer", 8, "", -1, false, 6, 1, 0},
    {0x024D4131, "MA1", "MailMsg", 8, "", -1, false, 25, 0, 3},
    {0x024D4132, "MA2", "MailPop", 8, "", -1, false, 11, 0, 0},
    {0x024D4133, "MA3", "MailSmtp", 8, "", -1, false, 8, 1, 0},
    {0x024E4554, "NET", "Network", 8, "", -1, false, 11, 4, 11},
    {0x0253434B, "SCK", "Socket", 8, "", -1, false, 8, 0, 0},
    {0x02535256, "SRV", "SocketServer", 8, "", -1, false, 10, 5, 0},
    {0x02434C54, "CLT", "SocketClient", 8, "", -1, false, 6, 2, 0},
    {0x02444C47, "DLG", "Dialog", 2, "", 0, false, 111, 27, 0},
    {0x02435452, "CTR", "Control", 10, "", -1, true, 54, 0, 0},
    {0x0242494E, "BIN", "Binary", 10, "Control", 1, false, 5, 0, 0},
    {0x02425257, "BRW", "Browser", 10, "Control", 2, false, 17, 3, 0},
    {0x0242544E, "BTN", "Button", 10, "Control", 3, false, 2, 6, 0},
    {0x0243484B, "CHK", "Check", 10, "Control", 4, false, 4, 6, 3},
    {0x02434544, "CED", "CodeEdit", 10, "Control", 5, false, 73, 12, 0},
    {0x02434258, "CBX", "Combo", 10, "Control", 6, false, 25, 7, 0},
    {0x02454454, "EDT", "Edit", 10, "Control", 7, false, 38, 7, 0},
    {0x02454C49, "ELI", "ExList", 10, "Control", 8, false, 47, 11, 7},
    {0x02535746, "SWF", "Flash", 10, "Control", 9, false, 13, 0, 0},
    {0x02475241, "GRA", "Graph", 10, "Control", 10, false, 56, 18, 9},
    {0x02475250, "GRP", "Group", 10, "Control", 11, false, 4, 0, 0},
    {0x02475549, "GUI", "Gui", 10, "Control", 12, false, 29, 1, 17},
    {0x024C4142, "LAB", "Label", 10, "Control", 14, false, 18, 5, 0},
    {0x024C4344, "LCD", "Lcd", 10, "Control", 15, false, 20, 6, 0},
    {0x024C564C, "LVL", "Level", 10, "Control", 16, false, 20, 5, 0},
    {0x024C4953, "LIS", "List", 10, "Control", 17, false, 43, 8, 0},
    {0x024D4544, "MED", "Media", 10, "Control", 18, false, 51, 6, 0},
    {0x02504E4C, "PNL", "Panel", 10, "Control", 20, false, 18, 6, 0},
    {0x02505247, "PRG", "Progress", 10, "Control", 21, false, 11, 5, 0},
    {0x02505254, "PRT", "Property", 10, "Control", 22, false, 25, 6, 8},
    {0x02524144, "RAD", "Radio", 10, "Control", 23, false, 6, 6, 0},
    {0x02524544, "RED", "RichEdit", 10, "Control", 24, false, 24, 6, 0},
    {0x02534352, "SCR", "Scroll", 10, "Control", 25, false, 7, 6, 0},
    {0x02534C44, "SLD", "Slider", 10, "Control", 26, false, 15, 6, 0},
    {0x02535054, "SPT", "Splitter", 10, "Control", 27, false, 20, 0, 0},
    {0x02535052, "SPR", "Spread", 10, "Control", 28, false, 54, 6, 0},
    {0x02535443, "STC", "Static", 10, "Control", 29, false, 8, 0, 0},
    {0x02544142, "TAB", "Tab", 10, "Control", 30, false, 15, 6, 0},
    {0x02544443, "TDC", "TabDoc", 10, "Control", 31, false, 26, 5, 0},
    {0x02544F42, "TOB", "ToolBar", 10, "Control", 32, false, 17, 1, 0},
    {0x02545245, "TRE", "Tree", 10, "Control", 33, false, 77, 17, 0},
    {0x02574E44, "WND", "Window", 10, "Control", 35, false, 7, 6, 0},
    {0x02454431, "ED1", "ImageEditor", 11, "Control", 13, false, 2, 1, 0},
    {0x02454432, "ED2", "WaveEditor", 11, "Control", 34, false, 16, 5, 0},
    {0x02444C4C, "DLL", "Dll", 12, "", -1, false, 8, 0, 10},
};

const int kCount = int(sizeof kExpected / sizeof kExpected[0]);

bool IsTypeOnly(const ExpectedClass& c) {
  return c.typeCode == TYPE_VOID || c.typeCode == TYPE_POINTER;
}

class BuiltinClassTable : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.RegisterClasses();
    ASSERT_EQ(engine.GetDefinitionCount(), kCount)
        << "the engine registers the rows of engine/BuiltinClassTable.cpp";
  }
  PEngine engine;
};

TEST_F(BuiltinClassTable, EveryClassSitsAtItsIndexWithItsIdentity) {
  ASSERT_EQ(kCount, 95);
  for (int i = 0; i < kCount; i++) {
    const ExpectedClass& c = kExpected[i];
    SCOPED_TRACE(c.name);
    const PObjectDefinition* d = engine.GetDefinitionAt(i);
    EXPECT_EQ(d->GetTypeCode(), c.typeCode);
    // The low three bytes spell the letters, high byte first.
    const char spelled[4] = {char(c.typeCode >> 16), char(c.typeCode >> 8), char(c.typeCode), 0};
    EXPECT_STREQ(spelled, c.letters);
    EXPECT_EQ(d->GetOrigin(), i == 0 ? ORIGIN_GLOBAL : ORIGIN_BUILTIN);
    EXPECT_STREQ(d->GetName(), c.name);
    EXPECT_EQ(d->GetCategory(), c.category);
    EXPECT_STREQ(d->GetBaseName(), c.base);
    EXPECT_EQ(d->GetControlNumber(), c.controlNumber);
    EXPECT_EQ(d->IsInstantiable(), !c.isAbstract);
    EXPECT_EQ(engine.FindIndexByTypeCode(c.typeCode), i);
    EXPECT_EQ(engine.FindIndexByName(c.name), i);
  }
  // The program's classes follow the built-in ones.
  PObjectDefinition* user = new PObjectDefinition(&engine, 0x03000000, "Mine", "");
  ASSERT_EQ(engine.AddDefinition(user), user);
  EXPECT_EQ(engine.FindIndexByName("Mine"), 95);
}

TEST_F(BuiltinClassTable, ConstantsAreIdThenTheClassesOwn) {
  for (int i = 0; i < kCount; i++) {
    const ExpectedClass& c = kExpected[i];
    SCOPED_TRACE(c.name);
    const PObjectDefinition* d = engine.GetDefinitionAt(i);
    if (IsTypeOnly(c)) {
      EXPECT_EQ(d->GetConstantCount(), 0);
      continue;
    }
    // Global carries no "ID"; every other class has it first, its value the
    // TypeCode, and its own constants after it.
    const int id = c.typeCode == TYPE_GLOBAL ? 0 : 1;
    if (id) {
      ASSERT_GE(d->GetConstantCount(), 1);
      EXPECT_STREQ(d->GetConstantName(0).GetText(), "ID");
      EXPECT_EQ(d->GetConstant(0)->ToInt64(), int64_t(c.typeCode));
      EXPECT_EQ(d->GetLeadingConstantCount(), 1);
    } else if (d->GetConstantCount() > 0) {
      EXPECT_STRNE(d->GetConstantName(0).GetText(), "ID");
    }
    // A class still to come has none of its own; nothing partial either way.
    const int own = d->GetConstantCount() - id;
    if (own != 0) EXPECT_EQ(own, c.ownConstants);
    if (!d->GetFactory()) EXPECT_EQ(own, 0);
  }
}

TEST_F(BuiltinClassTable, MembersAreFunctionsThenEventsNumberedByPosition) {
  ASSERT_TRUE(engine.DeclareClasses());
  int declared = 0;
  for (int i = 0; i < kCount; i++) {
    const ExpectedClass& c = kExpected[i];
    SCOPED_TRACE(c.name);
    const PObjectDefinition* d = engine.GetDefinitionAt(i);
    const int n = d->GetMemberCount();
    // A class without a factory yet has no members; a declared class has
    // exactly its functions and events.
    if (!d->GetFactory() || IsTypeOnly(c)) {
      EXPECT_EQ(n, 0);
      continue;
    }
    if (n == 0) continue;
    declared++;
    ASSERT_EQ(n, c.functions + c.events);
    for (int m = 0; m < n; m++) {
      EXPECT_EQ(d->GetMemberKind(m), m < c.functions ? MEMBER_FUNCTION : MEMBER_EVENT) << m;
      EXPECT_EQ(d->GetMemberId(m), m);
      EXPECT_STREQ(d->GetMemberName(m), PObjectDefinition::MakeInternalName(i, m).GetText()) << m;
    }
  }
  EXPECT_GT(declared, 0);
}

TEST_F(BuiltinClassTable, InternalNamesFollowTheClassIndex) {
  struct NameCase {
    TypeCode typeCode;
    int member;
    const char* name;
  };
  const NameCase cases[] = {
      {TYPE_GLOBAL, 0, "_0000"},
      {TYPE_GLOBAL, 33, "_1020"},    // class 0x00, member 0x21
      {TYPE_STRING, 3, "_3501"},     // class 0x15: "_1503"
      {TYPE_INTEGER, 11, "_b201"},   // class 0x12, member 0x0B
      {TYPE_VALUE, 22, "_6811"},     // class 0x18, member 0x16
      {MakeTypeCode(ORIGIN_BUILTIN, 'B', 'T', 'N'), 2, "_2e03"},  // Button's first event
      {MakeTypeCode(ORIGIN_BUILTIN, 'D', 'L', 'L'), 0, "_0e05"},  // the last row, 0x5E
  };
  for (const NameCase& c : cases) {
    const int index = engine.FindIndexByTypeCode(c.typeCode);
    ASSERT_GE(index, 0) << c.name;
    EXPECT_STREQ(PObjectDefinition::MakeInternalName(index, c.member).GetText(), c.name);
  }
  // Declared members carry the same names.
  ASSERT_TRUE(engine.DeclareClasses());
  const PObjectDefinition* integer = engine.GetIntegerDefinition();
  ASSERT_NE(integer, nullptr);
  if (integer->GetMemberCount() > 11) EXPECT_STREQ(integer->GetMemberName(11), "_b201");
  const PObjectDefinition* value = engine.GetValueDefinition();
  ASSERT_NE(value, nullptr);
  if (value->GetMemberCount() > 22) EXPECT_STREQ(value->GetMemberName(22), "_6811");
}

TEST_F(BuiltinClassTable, TypeOnlyDefinitionsCarryNothing) {
  for (TypeCode code : {TypeCode(TYPE_VOID), TypeCode(TYPE_POINTER)}) {
    const PObjectDefinition* d = engine.FindDefinition(code);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetCategory(), CATEGORY_GLOBAL);
    EXPECT_EQ(d->GetFactory(), nullptr);
    EXPECT_EQ(d->GetMemberCount(), 0);
    EXPECT_EQ(d->GetConstantCount(), 0);
  }
  EXPECT_EQ(engine.FindIndexByTypeCode(TYPE_VOID), 1);
  EXPECT_EQ(engine.FindIndexByTypeCode(TYPE_POINTER), 9);
}

TEST_F(BuiltinClassTable, RegisteringAgainGivesTheSameTable) {
  ASSERT_TRUE(engine.DeclareClasses());
  engine.RegisterClasses();
  ASSERT_EQ(engine.GetDefinitionCount(), kCount);
  for (int i = 0; i < kCount; i++) EXPECT_EQ(engine.GetTypeCodeAt(i), kExpected[i].typeCode);
  // The cached definitions point into the new table.
  EXPECT_EQ(engine.GetStringDefinition(), engine.GetDefinitionAt(21));
  EXPECT_EQ(engine.GetGlobalDefinition(), engine.GetDefinitionAt(0));
  EXPECT_EQ(engine.GetVoidDefinition(), engine.GetDefinitionAt(1));
  // Fresh definitions, not yet declared.
  EXPECT_EQ(engine.GetIntegerDefinition()->GetMemberCount(), 0);
}

}  // namespace
