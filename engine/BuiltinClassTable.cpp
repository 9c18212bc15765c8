// The rows of the built-in class table, and their engine form.
#include "engine/BuiltinClassTable.h"

#include <array>
#include <utility>

#include "classes/PObjArray.h"
#include "classes/PObjColor.h"
#include "classes/PObjFile.h"
#include "classes/PObjFloatArray.h"
#include "classes/PObjFloat.h"
#include "classes/PObjIni.h"
#include "classes/PObjInt.h"
#include "classes/PObjIntegerArray.h"
#include "classes/PObjMath.h"
#include "classes/PObjMoney.h"
#include "classes/PObjPath.h"
#include "classes/PObjPoint.h"
#include "classes/PObjRectangle.h"
#include "classes/PObjRectangle2D.h"
#include "classes/PObjRegistry.h"
#include "classes/PObjString.h"
#include "classes/PObjStringArray.h"
#include "classes/PObjTable.h"
#include "classes/PObjThread.h"
#include "classes/PObjTimer.h"
#include "classes/PObjTriangle2D.h"
#include "classes/PObjTriangle3D.h"
#include "classes/PObjUndoRedo.h"
#include "classes/PObjUniString.h"
#include "classes/PObjValue.h"
#include "classes/PObjVector.h"
#include "classes/PObjXml.h"
#include "engine/PObjGlobal.h"
#include "engine/PObject.h"
#include "engine/PObjectDefinition.h"

// The classes over the window system exist in the Windows build only; the
// host build, which has none, keeps them to come.
#ifdef _WIN32
#include "classes/PObjAppCom.h"
#include "classes/PObjClipboard.h"
#include "classes/PObjCursor.h"
#include "classes/PObjDisk.h"
#include "classes/PObjDll.h"
#include "classes/PObjFont.h"
#include "classes/PObjKeyboard.h"
#include "classes/PObjMouse.h"
#include "classes/PObjPrinter.h"
#include "classes/PObjSystem.h"
#include "classes/windows/PObjButton.h"
#include "classes/windows/PObjCheck.h"
#include "classes/windows/PObjCombo.h"
#include "classes/windows/PObjControl.h"
#include "classes/windows/PObjDialog.h"
#include "classes/windows/PObjEdit.h"
#include "classes/windows/PObjExList.h"
#include "classes/windows/PObjGroup.h"
#include "classes/windows/PObjImage.h"
#include "classes/windows/PObjImageList.h"
#include "classes/windows/PObjLabel.h"
#include "classes/windows/PObjList.h"
#include "classes/windows/PObjMenu.h"
#include "classes/windows/PObjPaint.h"
#include "classes/windows/PObjProgress.h"
#include "classes/windows/PObjRadio.h"
#include "classes/windows/PObjRichEdit.h"
#include "classes/windows/PObjScroll.h"
#include "classes/windows/PObjSelector.h"
#include "classes/windows/PObjSlider.h"
#include "classes/windows/PObjSplash.h"
#include "classes/windows/PObjStatic.h"
#include "classes/windows/PObjTab.h"
#include "classes/windows/PObjToolBar.h"
#include "classes/windows/PObjTrayIcon.h"
#include "classes/windows/PObjTree.h"
#include "classes/windows/PObjWindow.h"
#define WIN32_CLASS(C) Class(C::Register, C::Declare)
#else
#define WIN32_CLASS(C) ToCome()
#endif

namespace {

// TypeCodes from their three letters.
constexpr TypeCode Global(const char (&letters)[4]) {
  return MakeTypeCode(ORIGIN_GLOBAL, letters[0], letters[1], letters[2]);
}
constexpr TypeCode Builtin(const char (&letters)[4]) {
  return MakeTypeCode(ORIGIN_BUILTIN, letters[0], letters[1], letters[2]);
}

struct Hooks {
  PBuiltinStatus status;
  void (*Register)(PObjectDefinition*);
  bool (*Declare)(PObjectDefinition*);
};

constexpr Hooks TypeOnly() { return {BUILTIN_TYPE_ONLY, nullptr, nullptr}; }
constexpr Hooks ToCome() { return {BUILTIN_TO_COME, nullptr, nullptr}; }
constexpr Hooks Class(void (*r)(PObjectDefinition*), bool (*d)(PObjectDefinition*)) {
  return {BUILTIN_CLASS, r, d};
}

struct Row {
  TypeCode typeCode;
  const char* name;
  int32_t category;
  const char* baseName;
  int16_t controlNumber;
  bool isAbstract;
  Hooks hooks;
};

// Index, TypeCode, name, category, base, control number (with its dialog
// description KEY), abstract, and what exists of the class so far.
constexpr Row kRows[] = {
    /*  0 */ {Global("GLB"), "Global", CATEGORY_GLOBAL, "", -1, true, Class(PObjGlobal::Register, PObjGlobal::Declare)},
    /*  1 */ {Builtin("VOI"), "Void", CATEGORY_GLOBAL, "", -1, false, TypeOnly()},
    /*  2 */ {Builtin("CLP"), "Clipboard", CATEGORY_SYSTEM, "", -1, false, WIN32_CLASS(PObjClipboard)},
    /*  3 */ {Builtin("REG"), "Registry", CATEGORY_SYSTEM, "", -1, false, Class(PObjRegistry::Register, PObjRegistry::Declare)},
    /*  4 */ {Builtin("SYS"), "System", CATEGORY_SYSTEM, "", -1, false, WIN32_CLASS(PObjSystem)},
    /*  5 */ {Builtin("COM"), "AppCom", CATEGORY_SERVICES, "", -1, false, WIN32_CLASS(PObjAppCom)},
    /*  6 */ {Builtin("KEY"), "Keyboard", CATEGORY_SERVICES, "", -1, false, WIN32_CLASS(PObjKeyboard)},
    /*  7 */ {Builtin("MNU"), "Menu", CATEGORY_SERVICES, "", -1, false, WIN32_CLASS(PObjMenu)},
    /*  8 */ {Builtin("MOU"), "Mouse", CATEGORY_SERVICES, "", -1, false, WIN32_CLASS(PObjMouse)},
    /*  9 */ {Builtin("PTR"), "Pointer", CATEGORY_GLOBAL, "", -1, false, TypeOnly()},
    /* 10 */ {Builtin("PRI"), "Printer", CATEGORY_GRAPHICS, "", -1, false, WIN32_CLASS(PObjPrinter)},
    /* 11 */ {Builtin("SEL"), "Selector", CATEGORY_SERVICES, "", -1, false, WIN32_CLASS(PObjSelector)},
    /* 12 */ {Builtin("THD"), "Thread", CATEGORY_SERVICES, "", -1, false, Class(PObjThread::Register, PObjThread::Declare)},
    /* 13 */ {Builtin("TIM"), "Timer", CATEGORY_SERVICES, "", -1, false, Class(PObjTimer::Register, PObjTimer::Declare)},
    /* 14 */ {Builtin("TRA"), "TrayIcon", CATEGORY_SERVICES, "", -1, false, WIN32_CLASS(PObjTrayIcon)},
    /* 15 */ {Builtin("UND"), "UndoRedo", CATEGORY_SERVICES, "", -1, false, Class(PObjUndoRedo::Register, PObjUndoRedo::Declare)},
    /* 16 */ {Builtin("CLR"), "Color", CATEGORY_VALUES, "", -1, false, Class(PObjColor::Register, PObjColor::Declare)},
    /* 17 */ {Builtin("FLT"), "Float", CATEGORY_VALUES, "", -1, false, Class(PObjFloat::Register, PObjFloat::Declare)},
    /* 18 */ {Builtin("INT"), "Integer", CATEGORY_VALUES, "", -1, false, Class(PObjInt::Register, PObjInt::Declare)},
    /* 19 */ {Builtin("MON"), "Money", CATEGORY_VALUES, "", -1, false, Class(PObjMoney::Register, PObjMoney::Declare)},
    /* 20 */ {Builtin("PTH"), "Path", CATEGORY_VALUES, "", -1, false, Class(PObjPath::Register, PObjPath::Declare)},
    /* 21 */ {Builtin("STR"), "String", CATEGORY_VALUES, "", -1, false, Class(PObjString::Register, PObjString::Declare)},
    /* 22 */ {Builtin("UNI"), "UniString", CATEGORY_VALUES, "", -1, false, Class(PObjUniString::Register, PObjUniString::Declare)},
    /* 23 */ {Builtin("TBL"), "Table", CATEGORY_VALUES, "", -1, false, Class(PObjTable::Register, PObjTable::Declare)},
    /* 24 */ {Builtin("VAL"), "Value", CATEGORY_VALUES, "", -1, false, Class(PObjValue::Register, PObjValue::Declare)},
    /* 25 */ {Builtin("AR "), "Array", CATEGORY_ARRAYS, "", -1, false, Class(PObjArray::Register, PObjArray::Declare)},
    /* 26 */ {Builtin("ARF"), "FloatArray", CATEGORY_ARRAYS, "", -1, false, Class(PObjFloatArray::Register, PObjFloatArray::Declare)},
    /* 27 */ {Builtin("ARI"), "IntegerArray", CATEGORY_ARRAYS, "", -1, false, Class(PObjIntegerArray::Register, PObjIntegerArray::Declare)},
    /* 28 */ {Builtin("ARS"), "StringArray", CATEGORY_ARRAYS, "", -1, false, Class(PObjStringArray::Register, PObjStringArray::Declare)},
    /* 29 */ {Builtin("MTH"), "Math", CATEGORY_MATH, "", -1, false, Class(PObjMath::Register, PObjMath::Declare)},
    /* 30 */ {Builtin("PT1"), "Point", CATEGORY_MATH, "", -1, false, Class(PObjPoint::Register, PObjPoint::Declare)},
    /* 31 */ {Builtin("RC1"), "Rectangle", CATEGORY_MATH, "", -1, false, Class(PObjRectangle::Register, PObjRectangle::Declare)},
    /* 32 */ {Builtin("SZ1"), "Size", CATEGORY_MATH, "", -1, false, Class(PObjSize::Register, PObjSize::Declare)},
    /* 33 */ {Builtin("RC2"), "Rectangle2D", CATEGORY_MATH, "", -1, false, Class(PObjRectangle2D::Register, PObjRectangle2D::Declare)},
    /* 34 */ {Builtin("TR2"), "Triangle2D", CATEGORY_MATH, "", -1, false, Class(PObjTriangle2D::Register, PObjTriangle2D::Declare)},
    /* 35 */ {Builtin("TR3"), "Triangle3D", CATEGORY_MATH, "", -1, false, Class(PObjTriangle3D::Register, PObjTriangle3D::Declare)},
    /* 36 */ {Builtin("VE2"), "Vector2D", CATEGORY_MATH, "", -1, false, Class(PObjVector2D::Register, PObjVector2D::Declare)},
    /* 37 */ {Builtin("VE3"), "Vector3D", CATEGORY_MATH, "", -1, false, Class(PObjVector3D::Register, PObjVector3D::Declare)},
    /* 38 */ {Builtin("DSK"), "Disk", CATEGORY_FILES, "", -1, false, WIN32_CLASS(PObjDisk)},
    /* 39 */ {Builtin("FIL"), "File", CATEGORY_FILES, "", -1, false, Class(PObjFile::Register, PObjFile::Declare)},
    /* 40 */ {Builtin("INI"), "Ini", CATEGORY_FILES, "", -1, false, Class(PObjIni::Register, PObjIni::Declare)},
    /* 41 */ {Builtin("XML"), "Xml", CATEGORY_FILES, "", -1, false, Class(PObjXml::Register, PObjXml::Declare)},
    /* 42 */ {Builtin("CUR"), "Cursor", CATEGORY_SERVICES, "", -1, false, WIN32_CLASS(PObjCursor)},
    /* 43 */ {Builtin("FNT"), "Font", CATEGORY_GRAPHICS, "", -1, false, WIN32_CLASS(PObjFont)},
    /* 44 */ {Builtin("IMG"), "Image", CATEGORY_GRAPHICS, "", -1, false, WIN32_CLASS(PObjImage)},
    /* 45 */ {Builtin("ILS"), "ImageList", CATEGORY_GRAPHICS, "", -1, false, WIN32_CLASS(PObjImageList)},
    /* 46 */ {Builtin("WMP"), "MediaPlayer", CATEGORY_CONTROLS, "Control", 19 /* MEDIAPLAYER */, false, ToCome()},
    /* 47 */ {Builtin("PNT"), "Paint", CATEGORY_GRAPHICS, "", -1, false, WIN32_CLASS(PObjPaint)},
    /* 48 */ {Builtin("SPL"), "Splash", CATEGORY_GRAPHICS, "", -1, false, WIN32_CLASS(PObjSplash)},
    /* 49 */ {Builtin("WAV"), "Wave", CATEGORY_GRAPHICS, "", -1, false, ToCome()},
    /* 50 */ {Builtin("HTP"), "HttpServer", CATEGORY_NETWORK, "", -1, false, ToCome()},
    /* 51 */ {Builtin("MA1"), "MailMsg", CATEGORY_NETWORK, "", -1, false, ToCome()},
    /* 52 */ {Builtin("MA2"), "MailPop", CATEGORY_NETWORK, "", -1, false, ToCome()},
    /* 53 */ {Builtin("MA3"), "MailSmtp", CATEGORY_NETWORK, "", -1, false, ToCome()},
    /* 54 */ {Builtin("NET"), "Network", CATEGORY_NETWORK, "", -1, false, ToCome()},
    /* 55 */ {Builtin("SCK"), "Socket", CATEGORY_NETWORK, "", -1, false, ToCome()},
    /* 56 */ {Builtin("SRV"), "SocketServer", CATEGORY_NETWORK, "", -1, false, ToCome()},
    /* 57 */ {Builtin("CLT"), "SocketClient", CATEGORY_NETWORK, "", -1, false, ToCome()},
    /* 58 */ {Builtin("DLG"), "Dialog", CATEGORY_SERVICES, "", 0 /* DIALOG */, false, WIN32_CLASS(PObjDialog)},
    /* 59 */ {Builtin("CTR"), "Control", CATEGORY_CONTROLS, "", -1, true, WIN32_CLASS(PObjControl)},
    /* 60 */ {Builtin("BIN"), "Binary", CATEGORY_CONTROLS, "Control", 1 /* BINARY */, false, ToCome()},
    /* 61 */ {Builtin("BRW"), "Browser", CATEGORY_CONTROLS, "Control", 2 /* BROWSER */, false, ToCome()},
    /* 62 */ {Builtin("BTN"), "Button", CATEGORY_CONTROLS, "Control", 3 /* BUTTON */, false, WIN32_CLASS(PObjButton)},
    /* 63 */ {Builtin("CHK"), "Check", CATEGORY_CONTROLS, "Control", 4 /* CHECK */, false, WIN32_CLASS(PObjCheck)},
    /* 64 */ {Builtin("CED"), "CodeEdit", CATEGORY_CONTROLS, "Control", 5 /* CODEEDIT */, false, ToCome()},
    /* 65 */ {Builtin("CBX"), "Combo", CATEGORY_CONTROLS, "Control", 6 /* COMBO */, false, WIN32_CLASS(PObjCombo)},
    /* 66 */ {Builtin("EDT"), "Edit", CATEGORY_CONTROLS, "Control", 7 /* EDIT */, false, WIN32_CLASS(PObjEdit)},
    /* 67 */ {Builtin("ELI"), "ExList", CATEGORY_CONTROLS, "Control", 8 /* EXTENDEDLIST */, false, WIN32_CLASS(PObjExList)},
    /* 68 */ {Builtin("SWF"), "Flash", CATEGORY_CONTROLS, "Control", 9 /* FLASH */, false, ToCome()},
    /* 69 */ {Builtin("GRA"), "Graph", CATEGORY_CONTROLS, "Control", 10 /* GRAPH */, false, ToCome()},
    /* 70 */ {Builtin("GRP"), "Group", CATEGORY_CONTROLS, "Control", 11 /* GROUP */, false, WIN32_CLASS(PObjGroup)},
    /* 71 */ {Builtin("GUI"), "Gui", CATEGORY_CONTROLS, "Control", 12 /* GUI */, false, ToCome()},
    /* 72 */ {Builtin("LAB"), "Label", CATEGORY_CONTROLS, "Control", 14 /* LABEL */, false, WIN32_CLASS(PObjLabel)},
    /* 73 */ {Builtin("LCD"), "Lcd", CATEGORY_CONTROLS, "Control", 15 /* LCD */, false, ToCome()},
    /* 74 */ {Builtin("LVL"), "Level", CATEGORY_CONTROLS, "Control", 16 /* LEVEL */, false, ToCome()},
    /* 75 */ {Builtin("LIS"), "List", CATEGORY_CONTROLS, "Control", 17 /* LIST */, false, WIN32_CLASS(PObjList)},
    /* 76 */ {Builtin("MED"), "Media", CATEGORY_CONTROLS, "Control", 18 /* MEDIA */, false, ToCome()},
    /* 77 */ {Builtin("PNL"), "Panel", CATEGORY_CONTROLS, "Control", 20 /* PANEL */, false, ToCome()},
    /* 78 */ {Builtin("PRG"), "Progress", CATEGORY_CONTROLS, "Control", 21 /* PROGRESS */, false, WIN32_CLASS(PObjProgress)},
    /* 79 */ {Builtin("PRT"), "Property", CATEGORY_CONTROLS, "Control", 22 /* PROPERTY */, false, ToCome()},
    /* 80 */ {Builtin("RAD"), "Radio", CATEGORY_CONTROLS, "Control", 23 /* RADIO */, false, WIN32_CLASS(PObjRadio)},
    /* 81 */ {Builtin("RED"), "RichEdit", CATEGORY_CONTROLS, "Control", 24 /* RICHEDIT */, false, WIN32_CLASS(PObjRichEdit)},
    /* 82 */ {Builtin("SCR"), "Scroll", CATEGORY_CONTROLS, "Control", 25 /* SCROLL */, false, WIN32_CLASS(PObjScroll)},
    /* 83 */ {Builtin("SLD"), "Slider", CATEGORY_CONTROLS, "Control", 26 /* SLIDER */, false, WIN32_CLASS(PObjSlider)},
    /* 84 */ {Builtin("SPT"), "Splitter", CATEGORY_CONTROLS, "Control", 27 /* SPLITTER */, false, ToCome()},
    /* 85 */ {Builtin("SPR"), "Spread", CATEGORY_CONTROLS, "Control", 28 /* SPREAD */, false, ToCome()},
    /* 86 */ {Builtin("STC"), "Static", CATEGORY_CONTROLS, "Control", 29 /* STATIC */, false, WIN32_CLASS(PObjStatic)},
    /* 87 */ {Builtin("TAB"), "Tab", CATEGORY_CONTROLS, "Control", 30 /* TAB */, false, WIN32_CLASS(PObjTab)},
    /* 88 */ {Builtin("TDC"), "TabDoc", CATEGORY_CONTROLS, "Control", 31 /* TABDOC */, false, ToCome()},
    /* 89 */ {Builtin("TOB"), "ToolBar", CATEGORY_CONTROLS, "Control", 32 /* TOOLBAR */, false, WIN32_CLASS(PObjToolBar)},
    /* 90 */ {Builtin("TRE"), "Tree", CATEGORY_CONTROLS, "Control", 33 /* TREE */, false, WIN32_CLASS(PObjTree)},
    /* 91 */ {Builtin("WND"), "Window", CATEGORY_CONTROLS, "Control", 35 /* WINDOW */, false, WIN32_CLASS(PObjWindow)},
    /* 92 */ {Builtin("ED1"), "ImageEditor", CATEGORY_EDITORS, "Control", 13 /* IMAGEEDITOR */, false, ToCome()},
    /* 93 */ {Builtin("ED2"), "WaveEditor", CATEGORY_EDITORS, "Control", 34 /* WAVEEDITOR */, false, ToCome()},
    /* 94 */ {Builtin("DLL"), "Dll", CATEGORY_MODULES, "", -1, false, WIN32_CLASS(PObjDll)},
};

static_assert(sizeof kRows / sizeof kRows[0] == kBuiltinClassCount);

constexpr PBuiltinClassRow MakeRow(const Row& r) {
  return {r.typeCode,   r.name,         r.category,       r.baseName,      r.controlNumber,
          r.isAbstract, r.hooks.status, r.hooks.Register, r.hooks.Declare};
}

template <size_t... I>
constexpr std::array<PBuiltinClassRow, sizeof...(I)> MakeRows(std::index_sequence<I...>) {
  return {{MakeRow(kRows[I])...}};
}

constexpr std::array<PBuiltinClassRow, kBuiltinClassCount> kClassRows =
    MakeRows(std::make_index_sequence<kBuiltinClassCount>());

// A Register receives only the blank definition, so a class still to come
// gets a Register of its own per row, made from the row's index.
template <size_t I>
void RegisterToCome(PObjectDefinition* definition) {
  RegisterBuiltinIdentity(definition, kClassRows[I]);
}

template <size_t I>
constexpr PBuiltinClass MakeEngineRow() {
  const PBuiltinClassRow& r = kClassRows[I];
  switch (r.status) {
    case BUILTIN_TYPE_ONLY: return {r.typeCode, r.name, nullptr, nullptr};
    case BUILTIN_TO_COME: return {r.typeCode, r.name, RegisterToCome<I>, nullptr};
    default: return {r.typeCode, r.name, r.Register, r.Declare};
  }
}

template <size_t... I>
constexpr std::array<PBuiltinClass, sizeof...(I)> MakeEngineRows(std::index_sequence<I...>) {
  return {{MakeEngineRow<I>()...}};
}

constexpr std::array<PBuiltinClass, kBuiltinClassCount> kEngineRows =
    MakeEngineRows(std::make_index_sequence<kBuiltinClassCount>());

}  // namespace

const PBuiltinClassRow* GetBuiltinClassRows(int& count) {
  count = kBuiltinClassCount;
  return kClassRows.data();
}

const PBuiltinClass* GetBuiltinClassTable(int& count) {
  count = kBuiltinClassCount;
  return kEngineRows.data();
}

void RegisterBuiltinIdentity(PObjectDefinition* definition, const PBuiltinClassRow& row) {
  definition->SetCategory(row.category);
  definition->SetTypeCode(row.typeCode);
  definition->SetName(row.name);
  if (row.baseName[0]) definition->SetBaseName(row.baseName);
  if (row.controlNumber >= 0) definition->SetControlNumber(row.controlNumber);
  if (row.isAbstract) definition->SetAbstract();
  PObject::Register(definition);
}
